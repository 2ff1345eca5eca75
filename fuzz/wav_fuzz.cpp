// Sounds: a WAV file loaded into the sound library's pool as an effect and
// played for a moment, then opened as the music stream and played for a
// moment, on the headless sound output.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "sound/qv_sound.h"

namespace {
constexpr uint32_t kEffectId = 77;
constexpr uint32_t kStreamId = 5;
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    plat::UseBackend(plat::Backend::Headless);
    static int window;
    g_Sound.Init(reinterpret_cast<plat::WindowHandle>(&window), 16);
    g_Sound.EnableMusic(1);
    g_Sound.EnableSFX(1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("sounds\\fuzz.wav", data, size);
    if (g_Sound.LoadSample("sounds\\fuzz.wav", kEffectId)) {
        g_Sound.PlaySample(kEffectId, 65535, 32768);
        plat::HeadlessClock().Advance(30);
        g_Sound.FreeSample(kEffectId);
    }
    if (g_Sound.LoadStream("sounds\\fuzz.wav", kStreamId)) {
        g_Sound.PlayStream(STREAM_LOOP);
        plat::HeadlessClock().Advance(30);
        g_Sound.StopStream();
    }
    return 0;
}
