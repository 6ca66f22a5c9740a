#pragma once
// Folders and files a test writes into and reads back, under the system's temporary folder.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace varnel::testing {

// An empty folder of this process's own, made anew (what an earlier run left is removed).
inline std::filesystem::path freshFolder(const std::string& name) {
    namespace fs = std::filesystem;
    fs::path p = fs::temp_directory_path() / ("varnel-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

inline std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace varnel::testing
