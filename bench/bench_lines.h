// Realistic INI lines for the benchmarks: about one header per 20 lines,
// keys with GBK values, comments, blank lines, and values whose last
// two-byte character has the trail byte 0x5D.
#pragma once

#include <functional>
#include <vector>

#include "primitives/text.h"

std::vector<Text> BenchLines(int count);

// Wall-clock seconds.
double Now();

// The median of three runs of `measure`, which returns the seconds it took.
double MedianOf3(const std::function<double()>& measure);
// The median of three samples of the seconds `run` takes; a sample is the
// mean of as many runs as take at least 5 ms, at least one.
double MedianTime(const std::function<void()>& run);

// The most memory the process has held so far, and what it holds now, in bytes.
double PeakMemoryBytes();
double CurrentMemoryBytes();
