// The music stream's entry points. Streaming itself is not built yet: loading
// refuses, so the game runs without music, and the other calls find no stream.
#include "sound/qv_sound.h"

int QVSound::LoadStream(const char*, uint32_t) { return 0; }

int QVSound::PlayStream(int) { return 1; }

int QVSound::StopStream() { return 1; }

void QVSound::SetStreamVolume(int) {}

void QVSound::FadeMusicIn(uint32_t) {}

void QVSound::EnableMusic(int on) {
    if (on == 0) StopStream();  // while music is still on, so that it acts
    m_bMusicEnabled = on;
}
