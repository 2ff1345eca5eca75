#pragma once
// Appends 16-bit PCM to a WAV file, keeping the header's sizes up to date
// after every append. The file is the one the user asked for with
// --audio-out, made under a temporary name that takes its place when it is
// closed (platform/output_files.h): when a write fails (a full disk, a folder
// that cannot be written), the writer says so, drops what it wrote and counts
// the failure for the program's exit status; later appends are dropped.
#include <cstdint>
#include <string>

#include "platform/output_files.h"

namespace plat {

class WavWriter {
public:
    ~WavWriter() { Close(); }
    bool Open(const std::string& path, uint32_t rate, uint16_t channels);
    void Append(const int16_t* samples, uint32_t count);
    void Close();
    bool IsOpen() const { return out_.Stream() != nullptr; }
    // A write failed since the last Open.
    bool Failed() const { return failed_; }

    // The most PCM bytes a WAV file's 32-bit sizes can describe.
    static constexpr uint32_t kMaxDataBytes = 0xFFFFFFFFu - 36u;

private:
    bool WriteHeader();
    void Fail(const std::string& why);
    OutputFile out_;
    std::string path_;
    uint32_t rate_ = 0;
    uint16_t channels_ = 0;
    uint32_t dataBytes_ = 0;
    bool failed_ = false;
    bool full_ = false;
};

}  // namespace plat
