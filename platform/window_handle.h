#pragma once
// The handle by which the game names its window (the main window is the only
// one). Opaque above the platform layer.
namespace plat {
struct Window;
using WindowHandle = Window*;
}  // namespace plat
