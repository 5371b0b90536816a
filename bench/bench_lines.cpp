#include "bench_lines.h"

std::vector<Text> BenchLines(int count) {
  std::vector<Text> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const Text n = ToText(i);
    switch (i % 20) {
      case 0: lines.push_back("[节" + n + "]"); break;
      case 1: lines.push_back(";注释 " + n); break;
      case 19: lines.push_back(""); break;
      case 7: lines.push_back("名称" + n + "=\xA1\x5D"); break;  // ends in a trail byte "]"
      default: lines.push_back("键" + n + "=值" + n + " enabled=1"); break;
    }
  }
  return lines;
}
