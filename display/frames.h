#pragma once
// Cutting a picture into equal frames, each a surface of its own keyed with
// pure blue, so that drawing a frame is one blit.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"

// Appends source's frames of frameWidth by frameHeight to list in row-major
// order; a partial column or row at the right or bottom is dropped. columns,
// when given, receives the number of columns. 1 on success; 0 when a frame
// surface cannot be made (frames made so far stay in the list) or when a
// frame size is not positive.
int SliceFrames(plat::Surface* source, PtrList<plat::Surface>* list, int32_t frameWidth,
                int32_t frameHeight, int32_t* columns);
// SliceFrames of a BMP file; 0 when it does not load.
int LoadFrames(const char* path, PtrList<plat::Surface>* list, int32_t frameWidth,
               int32_t frameHeight, int32_t* columns);
