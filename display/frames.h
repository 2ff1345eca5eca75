#pragma once
// Cutting a picture into equal frames, each a surface of its own keyed with
// pure blue, so that drawing a frame is one blit.
#include <cstdint>

#include "base/ptr_list.h"
#include "base/status.h"
#include "platform/surface.h"

// Appends source's frames of frameWidth by frameHeight to list in row-major
// order; a partial column or row at the right or bottom is dropped. columns,
// when given, receives the number of columns. Failed when a frame surface
// cannot be made (frames made so far stay in the list) or when a frame size
// is not positive.
Status SliceFrames(plat::Surface* source, PtrList<plat::Surface>* list, int32_t frameWidth,
                   int32_t frameHeight, int32_t* columns);
// SliceFrames of a BMP file; failed when it does not load.
Status LoadFrames(const char* path, PtrList<plat::Surface>* list, int32_t frameWidth,
                  int32_t frameHeight, int32_t* columns);
// A strip of count pictures side by side (vertical 0) or one above the other:
// SliceFrames of the BMP file with the strip's size divided by count. The
// strip's width and height are given back when it loads. A strip smaller
// than count pixels makes a cell size of 0, which SliceFrames refuses.
Status LoadStripFrames(const char* path, int32_t count, int32_t vertical, PtrList<plat::Surface>* list,
                       int32_t* stripWidth, int32_t* stripHeight);
