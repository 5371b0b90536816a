// The process's peak memory, on either platform.
#include "bench_lines.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

double PeakMemoryBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize);
}
#else
#include <sys/resource.h>

double PeakMemoryBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) * 1024.0;
}
#endif
