#include <cstdio>
#include <cstdlib>

#include "primitives/text.h"

void StopProgram(const Text& message) {
  std::fprintf(stderr, "Varnel: %s\n", message.c_str());
  std::fflush(stderr);
  std::exit(-1);
}
