#pragma once
// A fresh folder for one test, made the working directory while the test runs
// (the game reads its files relative to the working directory) and removed after.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// The whole content of a file; empty when it cannot be read.
inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::string text(in ? static_cast<size_t>(in.tellg()) : 0, '\0');
    in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
    return text;
}

// Writes a file, making its parent folders.
inline void WriteText(const std::filesystem::path& path, const std::string& content) {
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

// Links to a file, or copies it where the system makes no links (Windows
// without the privilege).
inline void LinkOrCopy(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::create_symlink(from, to, ec);
    if (ec) std::filesystem::copy_file(from, to);
}

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/reef-test-XXXXXX";
        path_ = mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir() {
        std::filesystem::current_path(previous_);
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    // Writes a file below the folder, making its parent folders.
    void Write(const std::string& relative, const std::string& content) const { WriteText(path_ / relative, content); }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};
