#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/qv.h"
#include "platform/window.h"

namespace fuzz {

namespace {

std::filesystem::path g_scratch;

void RemoveScratch() {
    std::error_code ec;
    std::filesystem::current_path("/", ec);
    if (!g_scratch.empty()) std::filesystem::remove_all(g_scratch, ec);
}

}  // namespace

void EnterScratchFolder() {
    if (!g_scratch.empty()) return;
    // In memory where there is such a folder: every input is written as a
    // file, and a disk would turn that into most of the work.
    std::error_code ec;
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "reef-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("reef fuzz: scratch folder");
        std::abort();
    }
    g_scratch = pattern;
    std::filesystem::create_directories(g_scratch / "game");
    std::filesystem::current_path(g_scratch / "game");
    std::atexit(RemoveScratch);
}

void WriteInput(const std::string& name, const uint8_t* data, std::size_t size) {
    const std::filesystem::path path = plat::ResolvePath(name);
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::perror(("reef fuzz: writing " + name).c_str());
        std::abort();
    }
}

Halves Split(const uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    constexpr std::string_view kSeparator = "\n----\n";
    const std::size_t at = all.find(kSeparator);
    if (at == std::string_view::npos) return {std::string(all), std::string()};
    return {std::string(all.substr(0, at)), std::string(all.substr(at + kSeparator.size()))};
}

void OpenHeadlessDisplay() {
    static bool open = false;
    if (open) return;
    plat::UseBackend(plat::Backend::Headless);
    plat::RegisterWindowClass({"fuzz", 0, plat::DefWindowProc});
    plat::WindowHandle window = plat::CreateWindow("fuzz", "fuzz", plat::WS_VISIBLE, 0, 0, 800, 600);
    if (window == nullptr || QVInitDirectX(window, 800, 600) == 0) {
        std::fprintf(stderr, "reef fuzz: no headless display\n");
        std::abort();
    }
    open = true;
}

}  // namespace fuzz
