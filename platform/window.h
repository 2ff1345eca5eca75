#pragma once
// The main window: class registration, creation in the three styles the game
// uses, placement, caption, focus, and the system facts the shell reads.
#include <cstdint>
#include <vector>

#include "platform/picture_placement.h"
#include "platform/window_handle.h"
#include "platform/window_types.h"

namespace plat {

class Surface;

bool RegisterWindowClass(const WindowClass& windowClass);
// Null when the class is not registered or the backend cannot make a window.
WindowHandle CreateWindow(const char* className, const char* title, uint32_t style, int32_t x,
                          int32_t y, int32_t width, int32_t height);
// Sends WM_DESTROY to the procedure, then the window is gone. False for a
// handle that names no window.
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
void ShowWindow(WindowHandle window);
void UpdateWindow(WindowHandle window);
// Keeps the window above all others, at this place and size, and shows it.
void SetWindowTopmost(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height);
void GetClientSize(WindowHandle window, int32_t* width, int32_t* height);
void ClientToScreen(WindowHandle window, int32_t* x, int32_t* y);
void SetWindowText(WindowHandle window, const char* text);
void SetFocus(WindowHandle window);
WindowInfo DescribeWindow(WindowHandle window);
// The procedure that receives the window's messages.
WindowProc GetWindowProc(WindowHandle window);

// The window's display: pages of width by height shown scaled to the window
// (full screen: to the whole screen). False when the window cannot show them.
bool OpenWindowDisplay(WindowHandle window, int32_t width, int32_t height, bool fullscreen);
void CloseWindowDisplay(WindowHandle window);
// Shows the page in the window, then waits for the next frame's turn.
void PresentPage(WindowHandle window, Surface& page);
// The program will show nothing new for ms unless input comes: the next
// present may keep the thread waiting that long, or until input, instead of
// one display frame. For the next present only, and only where waking for
// nothing costs (the browser's display); the desktop's keep their pace.
void NothingNewFor(uint32_t ms);
// Whether the last present waited past its display frame for that.
bool LastPresentHeld();
// A frame limit above 0 closes the window once that many frames have been
// presented (a capture of the last one is in platform/screenshot.h).
void SetFrameLimit(int32_t frames);

// Scripted input (replays, the built-in player): a function called on the
// presenting thread after every presented page, once the frame's time has
// passed; null for none. Keys such a script holds down count as held for
// IsKeyDown. While the real mouse is ignored, a window's own mouse motion and
// buttons are dropped, so only the script moves the pointer.
using PresentHook = void (*)(void* user);
void SetPresentHook(PresentHook hook, void* user);
void SetScriptedKey(int virtualKey, bool down);
void SetRealMouseIgnored(bool ignored);
bool RealMouseIgnored();
// Pages presented since the program started.
int64_t PresentedFrameCount();

// How a window larger than the picture shows it: sharp (whole scales only)
// or smooth; takes effect at the next resize or display.
void SetPictureScaling(Scaling scaling);
Scaling PictureScaling();

// Waits until input may have arrived or ms have passed (an idle loop's pause).
void WaitForInput(uint32_t ms);

int32_t GetSystemMetric(SystemMetric metric);
// Every display of the desktop, the primary first; empty when none is known.
std::vector<DisplayArea> GetDisplayAreas();
int32_t GetDesktopBitsPerPixel();
void GetCursorPos(int32_t* x, int32_t* y);
// True while the key (a virtual-key code) is held down, on the keyboard or
// by a script.
bool IsKeyDown(int virtualKey);

}  // namespace plat
