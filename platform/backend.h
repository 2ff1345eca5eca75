#pragma once
// The two interchangeable backends under the platform layer: "sdl" (a real
// window, mouse, keyboard and sound) and "headless" (no display or sound
// device, a virtual clock and injected input, for tests, tools and CI).
namespace plat {

enum class Backend { Sdl, Headless };

// Installs the drivers of one backend behind every platform facility. Called
// once at start-up, before any facility is used (tests call it again freely).
void UseBackend(Backend backend);
Backend CurrentBackend();

// The backend that the environment asks for: REEF_BACKEND=headless selects
// headless, anything else sdl.
Backend BackendFromEnvironment();

}  // namespace plat
