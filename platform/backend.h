#pragma once
// The interchangeable backends under the platform layer, rows of one table of
// drivers: the build's real one ("sdl" on the desktop: a window, mouse,
// keyboard and sound; "web" in a browser: the page's canvas, input and Web
// Audio) and "headless" (no display or sound device, a virtual clock and
// injected input, for tests, tools and CI). Each build supplies its table.
#include <span>
#include <string>
#include <string_view>

#include "platform/backend_entry.h"

namespace plat {

// Every backend of this build, the default first.
std::span<const BackendEntry> Backends();
// The backend of that name, or null.
const BackendEntry* FindBackend(std::string_view name);
// The backends' names, as "sdl, headless".
std::string BackendNames();

// Installs the drivers of one backend behind every platform facility. Called
// once at start-up, before any facility is used (tests call it again freely).
void UseBackend(Backend backend);
Backend CurrentBackend();

// The backend REEF_BACKEND names, the default when it is unset or empty.
// False for a name that is no backend's, with the reason (naming the known
// ones) in error when it is not null.
bool BackendFromEnvironment(Backend* backend, std::string* error);

}  // namespace plat
