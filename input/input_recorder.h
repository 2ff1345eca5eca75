#pragma once
// Writes the input the program receives (pointer moves, button presses and
// releases, key presses, the window being closed) to a text file, one event
// per line, timed on the frame clock. The file is made under a temporary name
// beside the one asked for and takes its place when closed
// (platform/output_files.h); each line is flushed at once, so after a crash
// the temporary file still holds everything up to that moment.
#include <cstdint>
#include <string>

#include "base/status.h"
#include "platform/output_files.h"

class InputRecorder {
public:
    InputRecorder() = default;
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // Creates the file; failed when it cannot be written.
    Status Open(const std::string& path);
    void Close();
    bool IsOpen() const { return out_.Stream() != nullptr; }
    // Writes the window message at time now when it is input of the kind a
    // recording keeps; other messages and key repeats are passed over.
    void Note(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t now);
    // The next close request is the program's own answer to a key already
    // recorded (Escape), not a separate input.
    void SkipNextClose() { skipNextClose_ = true; }

private:
    void Fail(const char* why);
    plat::OutputFile out_;
    std::string path_;
    bool skipNextClose_ = false;
};

extern InputRecorder g_InputRecorder;
