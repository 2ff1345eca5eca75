#pragma once
// Files the program writes for the user: the ones asked for on the command
// line (--audio-out, --screenshot, --record, --report) and the captures of
// F12. A file is written whole or not at all: what could not be written
// completely is removed again (never a device such as /dev/full), the failure
// is said on standard error, and a failed file that the command line asked
// for makes the program's exit status non-zero.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/file_replacement.h"

namespace plat {

class Surface;

// Says on standard error that path could not be written, and why.
void ReportWriteFailure(const std::string& path, const std::string& why);
// Counts a failed file that the command line asked for.
void NoteOutputFailure();
// Whether any was counted since the program started (or the last Forget).
bool OutputFailed();
void ForgetOutputFailures();

// Removes what was written of a file that failed part way: a regular file
// only, so that a device or a pipe named as the output is left alone.
void RemovePartialFile(const std::string& path);

// Writes size bytes to path whole or not at all. A regular file (or a new
// one) is replaced whole (platform/file_replacement.h), so a failure leaves
// what was there before; anything else (a device, a pipe) is written to
// directly. False with why set when it could not be written.
bool WriteWholeFile(const std::string& path, const void* data, std::size_t size, std::string* why);

// A file written piece by piece through a stream, on the same terms: a
// regular (or new) file is made under a temporary name and takes the path's
// place only when it is closed whole; a device or a pipe is written to
// directly.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { Discard(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False with the reason noted (plat::Fail).
    bool Open(const std::string& path);
    // Null unless open.
    std::FILE* Stream() const { return stream_; }
    // Flushes and closes the file, putting it in place. False with the reason
    // noted; what was written is then gone and the path as it was.
    bool Close();
    // Closes the file, dropping what was written.
    void Discard();

private:
    FileReplacement replacement_;
    std::FILE* stream_ = nullptr;
};

// The surface's pixels as a 24-bit BMP file, bottom row first; empty when
// the surface cannot be converted.
std::vector<uint8_t> EncodeBmp(const Surface& surface);

}  // namespace plat
