#pragma once
// Frame captures for bug reports and scripted runs: the page is written as a
// BMP when a capture is requested (F12 in a window) and, with a file set, at
// the last frame of a frame limit (see SetFrameLimit in platform/window.h).
// Requested captures go to the file set, or else to screenshot-001.bmp, -002
// ... in the working folder.
#include <cstdint>
#include <string>

namespace plat {

class Surface;

void SetScreenshotFile(const std::string& path);
void RequestScreenshot();
// Called with every presented page: writes it when a capture is due.
void CaptureIfWanted(const Surface& page, bool lastFrame);

}  // namespace plat
