#pragma once
// qv: the game's small graphics and input library. It opens the display with
// two pages and flips between them, loads bitmaps in the display's format,
// prints diagnostic text, measures the frame rate and reads the mouse device.
#include <cstdint>

#include "platform/direct_draw.h"
#include "platform/surface.h"
#include "platform/window_handle.h"

void QVSetInstance(void* instance);
// Full screen at width by height (the game asks for 800 by 600 at 16 bits).
int QVInitDirectX(plat::WindowHandle window, int32_t width, int32_t height, int32_t bitsPerPixel);
// In the window, with pages of width by height.
int QVInitDirectX(plat::WindowHandle window, int32_t width, int32_t height);
// Tells the user what the last failure was.
void QVPrintError();
plat::DirectDraw* QVGetLPDD();
void QVGetDDInfo(plat::Surface** primary, plat::Surface** backBuffer);
void QVGetRGBABits(const plat::PixelFormat& format, int32_t* red, int32_t* green, int32_t* blue,
                   int32_t* alpha);
// A new surface in the display's format holding the BMP picture, or null.
plat::Surface* QVLoadBitmap(const char* path);
// The same; the depth argument is accepted for the callers that pass it, and
// every picture is converted to the display's format whatever it says.
plat::Surface* QVLoadBitmap(const char* path, int32_t depth);
// Shows the back page; the back page then holds the picture of two frames ago.
int QVFlip();
int QVPrintString(const char* text, int32_t x, int32_t y);
// Frames presented per second, measured over the last second or so.
float QVGetFPS();
int QVInitFont(plat::WindowHandle window);
void QVFreeFont();
int QVInitMouse();
int QVAcquireMouse(int acquire);
void QVGetMouseData(int32_t* dx, int32_t* dy, int32_t* buttons);
int QVInitKeyboard();
void QVSetWindowXY(int32_t x, int32_t y);
void QVFreeDirectInput();
void QVFreeDirectX();

