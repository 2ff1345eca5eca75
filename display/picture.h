#pragma once
// Loading a BMP file as a surface of its own, with the reason when it cannot
// be loaded. The pictures a scene uses are left out when they do not load;
// why is noted in the debug log (NoteLeftOut, platform/debug_log.h).
#include <cstdint>

#include "base/status.h"
#include "platform/surface.h"

// The picture in the display's format (depth as QVLoadBitmap takes it).
Status LoadPicture(const char* path, int32_t depth, plat::SurfacePtr* picture);
