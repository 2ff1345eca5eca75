#include "platform/screenshot.h"

#include <atomic>
#include <cstdio>
#include <vector>

#include "platform/output_files.h"
#include "platform/paths.h"
#include "platform/surface.h"

namespace plat {

namespace {
std::string g_screenshotFile;
std::atomic<bool> g_screenshotWanted{false};
int32_t g_screenshotsTaken = 0;

// Without a file given, captures are numbered in the game's folder, or in the
// player's own when the game's folder cannot be written.
void SaveScreenshot(const Surface& page) {
    std::string path = g_screenshotFile;
    if (path.empty()) {
        char name[40];
        std::snprintf(name, sizeof name, "screenshot-%03d.bmp", ++g_screenshotsTaken);
        path = ResolveWritePath(name);
    }
    // Written whole or not at all: a full disk leaves no cut picture behind.
    const std::vector<uint8_t> bmp = EncodeBmp(page);
    std::string why = "the picture could not be converted";
    if (!bmp.empty() && WriteWholeFile(path, bmp.data(), bmp.size(), &why)) {
        std::fprintf(stderr, "screenshot written to %s\n", path.c_str());
        return;
    }
    ReportWriteFailure(path, why);
    if (!g_screenshotFile.empty()) NoteOutputFailure();
}
}  // namespace

void SetScreenshotFile(const std::string& path) { g_screenshotFile = path; }

void RequestScreenshot() { g_screenshotWanted = true; }

void CaptureIfWanted(const Surface& page, bool lastFrame) {
    const bool wanted = g_screenshotWanted.exchange(false);
    if (wanted || (lastFrame && !g_screenshotFile.empty())) SaveScreenshot(page);
}

}  // namespace plat
