#include "platform/headless/wav_writer.h"

#include <cerrno>
#include <cstring>

#include "platform/failure.h"

namespace plat {

namespace {
void Put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}
void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}
}  // namespace

bool WavWriter::Open(const std::string& path, uint32_t rate, uint16_t channels) {
    Close();
    path_ = path;
    rate_ = rate;
    channels_ = channels;
    dataBytes_ = 0;
    failed_ = false;
    full_ = false;
    if (!out_.Open(path)) {
        failed_ = true;
        ReportWriteFailure(path_, LastFailure());
        NoteOutputFailure();
        return false;
    }
    if (!WriteHeader()) {
        Fail(std::strerror(errno));
        return false;
    }
    return true;
}

bool WavWriter::WriteHeader() {
    uint8_t header[44];
    const uint16_t align = static_cast<uint16_t>(channels_ * 2);
    std::memcpy(header, "RIFF", 4);
    Put32(header + 4, 36 + dataBytes_);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    Put32(header + 16, 16);
    Put16(header + 20, 1);
    Put16(header + 22, channels_);
    Put32(header + 24, rate_);
    Put32(header + 28, rate_ * align);
    Put16(header + 32, align);
    Put16(header + 34, 16);
    std::memcpy(header + 36, "data", 4);
    Put32(header + 40, dataBytes_);
    // The flush makes a full disk show here rather than at some later write.
    std::FILE* file = out_.Stream();
    return std::fseek(file, 0, SEEK_SET) == 0 && std::fwrite(header, 1, sizeof header, file) == sizeof header &&
           std::fseek(file, 0, SEEK_END) == 0 && std::fflush(file) == 0;
}

void WavWriter::Append(const int16_t* samples, uint32_t count) {
    if (!IsOpen() || count == 0 || full_) return;
    // WAV data is little-endian, as are the machines we build for.
    uint64_t bytes = uint64_t{count} * 2;
    if (bytes > kMaxDataBytes - dataBytes_) {
        // The header cannot count further: the file keeps what it has.
        full_ = true;
        std::fprintf(stderr, "reefhoard: %s holds as much sound as a WAV file can; the rest is left out\n",
                     path_.c_str());
        bytes = (kMaxDataBytes - dataBytes_) & ~1u;
    }
    const std::size_t written = std::fwrite(samples, 1, bytes, out_.Stream());
    dataBytes_ += static_cast<uint32_t>(written);
    if (written != bytes || !WriteHeader()) Fail(std::strerror(errno));
}

void WavWriter::Fail(const std::string& why) {
    failed_ = true;
    out_.Discard();
    ReportWriteFailure(path_, why);
    NoteOutputFailure();
}

void WavWriter::Close() {
    if (!IsOpen()) return;
    if (!out_.Close()) {
        failed_ = true;
        ReportWriteFailure(path_, LastFailure());
        NoteOutputFailure();
    }
}

}  // namespace plat
