#pragma once

// Folders and files that tests make and read back, under the temporary folder.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace files {

// A new, empty folder with an ASCII path.
inline std::string MakeTempDir() {
    char base[MAX_PATH] = {}, path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    if (!GetTempFileNameA(base, "vel", 0, path) || !DeleteFileA(path) ||
        !CreateDirectoryA(path, nullptr))
        throw std::runtime_error("cannot create a folder in " + std::string(base));
    return path;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    if (!(std::ofstream(path, std::ios::binary) << bytes))
        throw std::runtime_error("cannot write " + path);
}

inline std::string ReadBytes(const std::string& path) {  // empty when missing
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace files
