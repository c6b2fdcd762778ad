#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace quillane::test {

// An ordinary file with some bytes, its folders made as needed. The engine's tests
// use stand-in routines, so the content need not be a picture.
inline void Touch(const std::filesystem::path& path, const std::string& content = "x")
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string Slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quillane::test
