// The one file the fuzzing stand-in of the platform file calls serves.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct FuzzFile {
  std::string bytes;
  std::vector<std::size_t> blocks;  // read sizes, used in turn (each at least 1)
  std::size_t position = 0;
  std::size_t nextBlock = 0;
};

FuzzFile& TheFuzzFile();
