// The clock and the medians, apart from the GBK sources: <chrono> holds a
// character that the GBK execution character set cannot encode, so this
// file is compiled with UTF-8 literals (it has no text of its own).
#include <algorithm>
#include <chrono>

#include "bench_lines.h"

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double MedianOf3(const std::function<double()>& measure) {
  double times[3];
  for (double& t : times) t = measure();
  std::sort(times, times + 3);
  return times[1];
}

double MedianTime(const std::function<void()>& run) {
  // A run of a few microseconds, timed alone, measures the clock and the
  // scheduler as much as the work: each sample repeats it for at least
  // this long and takes the mean.
  constexpr double kSampleSeconds = 0.005;
  return MedianOf3([&] {
    const double start = Now();
    int runs = 0;
    double elapsed = 0;
    do {
      run();
      ++runs;
      elapsed = Now() - start;
    } while (elapsed < kSampleSeconds);
    return elapsed / runs;
  });
}
