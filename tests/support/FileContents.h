#pragma once

// The whole content of a file, as the tests compare it: the bytes on disk, nothing converted.
// A file that is missing or cannot be read reads as empty.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zentro::test {

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

} // namespace zentro::test
