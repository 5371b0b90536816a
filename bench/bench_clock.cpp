// The clock, apart from the GBK sources: <chrono> holds a character that the
// GBK execution character set cannot encode, so this file is compiled with
// UTF-8 literals (it has no text of its own).
#include <chrono>

#include "bench_lines.h"

double Now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}
