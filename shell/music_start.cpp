#include "shell/music_start.h"

#include <cstdio>

#include "platform/mci.h"
#include "platform/paths.h"
#include "shell/window_config.h"
#include "sound/qv_sound.h"
#include "sound/sound_manager.h"

namespace {
constexpr int kFullStreamVolume = 32767;
constexpr unsigned kFadeInMs = 300;
}  // namespace

void StartMusic(plat::WindowHandle window) {
    const bool musicOn = ReadOptionSwitch("music");
    g_SoundManager.EnableMusic(musicOn);
    if (!musicOn) return;  // no music file is opened at all
    // The MP3 is opened only to learn whether it exists.
    std::FILE* mp3 = plat::OpenFile(".\\sounds\\music.mp3", "rb");
    if (mp3 == nullptr) {
        if (g_Sound.LoadStream(".\\sounds\\music.wav", 0)) {
            QVSound::SetStreamVolume(kFullStreamVolume);
            g_Sound.PlayStream(STREAM_LOOP);
            g_Sound.FadeMusicIn(kFadeInMs);
        }
        return;
    }
    std::fclose(mp3);
    plat::MciSendString("open .\\sounds\\music.mp3 alias music", nullptr);
    plat::MciSendString("play music notify", window);
}
