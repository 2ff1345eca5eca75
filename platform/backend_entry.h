#pragma once
// One row of the backend table: a backend's name and the drivers it installs.
// The rows are made by the backends themselves, the table by each build.

namespace plat {

class AudioOutput;
class ClockDriver;
class VideoDriver;

// Real: the build's own display, input, sound and time.
enum class Backend { Real, Headless };

// One backend: the name --headless and REEF_BACKEND use, and its drivers.
struct BackendEntry {
    const char* name;
    Backend backend;
    ClockDriver& (*clock)();
    VideoDriver& (*video)();
    AudioOutput& (*audio)();
};

}  // namespace plat
