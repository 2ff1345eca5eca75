// MP3 music: the file opened and closed through the command strings the game
// sends, on the sound device the sound library opened (headless).
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "platform/backend.h"
#include "platform/mci.h"
#include "sound/qv_sound.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::EnterScratchFolder();
    plat::UseBackend(plat::Backend::Headless);
    static int window;
    g_Sound.Init(reinterpret_cast<plat::WindowHandle>(&window), 16);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::WriteInput("sounds\\music.mp3", data, size);
    if (plat::MciSendString("open .\\sounds\\music.mp3 alias music", nullptr) == 0) {
        plat::MciSendString("close music", nullptr);
    }
    plat::ClearMciCommandLog();
    return 0;
}
