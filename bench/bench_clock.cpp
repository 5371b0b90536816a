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
  return MedianOf3([&] {
    const double start = Now();
    run();
    return Now() - start;
  });
}
