// Reading RIFF WAVE files into samples: the chunk walk, the format and sampler
// chunks, and loading a whole file into a sound buffer.
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "sound/qv_sound.h"
#include "sound/snd_sample.h"

namespace {
constexpr uint32_t kRiffId = 0x46464952;  // "RIFF"
constexpr uint32_t kWaveId = 0x45564157;  // "WAVE"
constexpr uint32_t kFmtId = 0x20746D66;   // "fmt "
constexpr uint32_t kSmplId = 0x6C706D73;  // "smpl"
constexpr uint32_t kDataId = 0x61746164;  // "data"
constexpr uint32_t kFirstChunk = 12;
// The PCM format payload: tag, channels, rate, bytes per second, block align,
// bits. Longer forms add fields that are not needed here.
constexpr uint32_t kFormatBytes = 16;
constexpr uint32_t kSamplerHeaderBytes = 36;
constexpr uint32_t kSampleLoopBytes = 24;

uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Reads exactly bytes, or reports failure.
bool ReadExactly(plat::FileHandle file, void* buffer, uint32_t bytes) {
    uint32_t read = 0;
    return plat::ReadFileBytes(file, buffer, bytes, &read) && read == bytes;
}
}  // namespace

int SNDSample::FindRiffChunk(plat::FileHandle file, uint32_t id, _ChunkHeader* header,
                             uint32_t start) {
    if (plat::SeekFile(file, static_cast<int32_t>(start), plat::SeekFrom::Begin) ==
        plat::kSeekFailed) {
        return 0;
    }
    for (;;) {
        unsigned char raw[8];
        if (!ReadExactly(file, raw, sizeof raw)) return 0;
        header->dwID = Le32(raw);
        header->dwSize = Le32(raw + 4);
        if (header->dwID == id) return 1;
        // Chunks are word-aligned: an odd payload is followed by a pad byte.
        // The next header's offset is worked out in 64 bits, so that a huge
        // size ends the walk instead of wrapping round to an earlier chunk.
        const uint32_t here = plat::SeekFile(file, 0, plat::SeekFrom::Current);
        const uint64_t next = uint64_t{here} + header->dwSize + (header->dwSize & 1);
        if (here == plat::kSeekFailed || next > uint64_t{INT32_MAX}) return 0;
        if (plat::SeekFile(file, static_cast<int32_t>(next), plat::SeekFrom::Begin) ==
            plat::kSeekFailed) {
            return 0;
        }
    }
}

Status SNDSample::IsWavFile(plat::FileHandle file) {
    unsigned char riff[12];
    if (!ReadExactly(file, riff, sizeof riff) || Le32(riff) != kRiffId || Le32(riff + 8) != kWaveId) {
        return Status::Failed("not a RIFF WAVE file");
    }
    const uint32_t searchStart = kFirstChunk;
    _ChunkHeader header;
    if (!FindRiffChunk(file, kFmtId, &header, searchStart)) return Status::Failed("no format chunk");
    unsigned char format[kFormatBytes];
    if (header.dwSize < kFormatBytes || !ReadExactly(file, format, sizeof format)) {
        return Status::Failed("format chunk cut short");
    }
    if (Le16(format) != plat::kWaveFormatPcm) return Status::Failed("not PCM");
    const uint16_t channels = Le16(format + 2);
    const uint16_t bits = Le16(format + 14);
    // Only what a sound buffer can play; everything below computes with these.
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16)) {
        return Status::Failed(std::to_string(channels) + " channels of " + std::to_string(bits) +
                              " bits: only 1 or 2 channels of 8 or 16 bits play");
    }
    m_nChannels = channels;
    m_nSamplesPerSec = static_cast<int32_t>(Le32(format + 4));
    m_nBitsPerSample = bits;
    m_nFlags |= SND_FORMAT;

    if (FindRiffChunk(file, kSmplId, &header, searchStart)) {
        unsigned char sampler[kSamplerHeaderBytes];
        unsigned char loop[kSampleLoopBytes];
        if (ReadExactly(file, sampler, sizeof sampler) && Le32(sampler + 28) != 0 &&
            ReadExactly(file, loop, sizeof loop)) {
            // The sampler chunk's loop points become byte offsets by this
            // format's rule: shifted left by the bytes per sample.
            const int shift = m_nBitsPerSample / 8;
            m_nLoopStart = static_cast<int32_t>(Le32(loop + 8) << shift);
            m_nLoopEnd = static_cast<int32_t>(Le32(loop + 12) << shift);
            m_nLoopCount = static_cast<int32_t>(Le32(loop + 20));
            m_nFlags |= SND_LOOP;
        }
    }

    if (!FindRiffChunk(file, kDataId, &header, searchStart)) return Status::Failed("no data chunk");
    // The data must be in the file: its size decides how much memory a load
    // takes, so a size the file cannot back is refused before anything is made.
    const uint32_t dataStart = plat::SeekFile(file, 0, plat::SeekFrom::Current);
    const uint32_t fileEnd = plat::SeekFile(file, 0, plat::SeekFrom::End);
    if (dataStart == plat::kSeekFailed || fileEnd == plat::kSeekFailed || fileEnd < dataStart ||
        header.dwSize > fileEnd - dataStart ||
        plat::SeekFile(file, static_cast<int32_t>(dataStart), plat::SeekFrom::Begin) != dataStart) {
        return Status::Failed("data chunk larger than the file");
    }
    m_nDataBytes = header.dwSize;
    return Status();
}

Status SNDSample::OpenSoundFile(const char* path, plat::FileHandle* file) {
    const std::string name = path != nullptr ? path : "(no file)";
    errno = 0;
    *file = QVSound::g_pOpenFile(path);
    if (*file == plat::InvalidFileHandle()) {
        const std::string why = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
        return Status::Failed(name + ": cannot be opened" + why);
    }
    if (Status read = IsWavFile(*file); !read) {
        QVSound::g_pCloseFile(*file);
        *file = plat::InvalidFileHandle();
        return Status::Failed(name + ": " + read.Why());
    }
    return Status();
}

int SNDSample::AllocDSBuffer(uint32_t bytes) {
    if (QVSound::g_lpDSound == nullptr) return 0;
    plat::WaveFormat format{};
    format.wFormatTag = plat::kWaveFormatPcm;
    format.nChannels = static_cast<uint16_t>(m_nChannels);
    format.nSamplesPerSec = static_cast<uint32_t>(m_nSamplesPerSec);
    format.wBitsPerSample = static_cast<uint16_t>(m_nBitsPerSample);
    format.nBlockAlign = static_cast<uint16_t>(m_nChannels * m_nBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    plat::BufferDesc desc{};
    desc.dwSize = sizeof desc;
    // No volume, pan or frequency capability: the device still honours volume,
    // and refuses pan and frequency changes.
    desc.dwFlags = plat::kBufferStatic | plat::kBufferCtrlPositionNotify;
    desc.dwBufferBytes = bytes != 0 ? bytes : m_nDataBytes;
    desc.lpwfxFormat = &format;
    plat::SoundBuffer* buffer = nullptr;
    if (plat::SoundFailed(QVSound::g_lpDSound->CreateSoundBuffer(&desc, &buffer))) return 0;
    m_lpBuffer = buffer;
    return 1;
}

Status SNDSample::LoadSample(const char* path, uint32_t id) {
    plat::FileHandle file = plat::InvalidFileHandle();
    if (Status opened = OpenSoundFile(path, &file); !opened) return opened;
    void* region = nullptr;
    uint32_t regionBytes = 0;
    if (!AllocDSBuffer(0)) {
        QVSound::g_pCloseFile(file);
        return Status::Failed(std::string(path) + ": no sound buffer for " + std::to_string(m_nDataBytes) + " bytes");
    }
    if (plat::SoundFailed(m_lpBuffer->Lock(0, m_nDataBytes, &region, &regionBytes, nullptr,
                                           nullptr, 0)) ||
        !ReadExactly(file, region, m_nDataBytes)) {
        // The caller only clears the slot, so the new buffer is released here.
        m_lpBuffer->Release();
        m_lpBuffer = nullptr;
        QVSound::g_pCloseFile(file);
        return Status::Failed(std::string(path) + ": its sound could not be read into the buffer");
    }
    if (id != 0xFFFFFFFF) m_nID = id;
    m_lpBuffer->Unlock(region, regionBytes, nullptr, 0);
    QVSound::g_pCloseFile(file);
    return Status();
}
