// Writes every picture, sound, island map and the default settings file the
// game loads into the folder given on the command line. The output depends
// only on this program, so it is the same on every run.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/bmp_file.h"
#include "tools/board_art.h"
#include "tools/board_layout.h"
#include "tools/hud_art.h"
#include "tools/island_art.h"
#include "tools/island_maps.h"
#include "tools/music.h"
#include "tools/panel_art.h"
#include "tools/sound_effects.h"
#include "tools/text_painter.h"
#include "tools/title_art.h"
#include "tools/wav_file.h"

namespace {
namespace fs = std::filesystem;

bool WriteIslands(const fs::path& path, const std::vector<IslandMap>& maps) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (const IslandMap& map : maps) file.write(reinterpret_cast<const char*>(map.data()), map.size());
    return static_cast<bool>(file);
}

bool WriteSetup(const fs::path& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << "[setup]\r\nfullscreen=0\r\nx=-1\r\ny=-1\r\nw=-1\r\nh=-1\r\nnowindow=0\r\nontop=0\r\n"
            "\r\n[default]\r\nReefhoards=2\r\ngametime=200\r\n";
    return static_cast<bool>(file);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <game folder>\n", argv[0]);
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out / "sounds");
    fs::create_directories(out / "Title");
    bool ok = true;
    const auto fail = [&](const fs::path& p) {
        std::fprintf(stderr, "cannot write %s\n", p.c_str());
        ok = false;
    };

    const std::vector<IslandMap> maps = MakeIslandMaps();
    if (!WriteIslands(out / "islands.dat", maps)) fail(out / "islands.dat");
    if (!WriteSetup(out / "setup.ini")) fail(out / "setup.ini");

    TextPainter text;
    const BoardLayout layout;
    std::vector<NamedPicture> pictures;
    const auto take = [&](std::vector<NamedPicture> more) {
        for (auto& p : more) pictures.push_back(std::move(p));
    };
    take(MakeBoardPictures(layout, text));
    pictures.push_back({"islands.bmp", MakeIslandSheet()});
    take(MakeHudPictures(text));
    take(MakePanelPictures(layout, maps, text));
    take(MakeTitlePictures(text));
    for (const NamedPicture& p : pictures)
        if (!WriteBmp((out / p.path).string(), p.canvas)) fail(out / p.path);

    // The balance heard in play: the game plays effects at full volume and the
    // music 10 dB down, so music at -10 dBFS RMS sits at -20 dBFS, and
    // effects peaking at -4 dBFS (driven 3 dB into the smooth peak gain to
    // keep their body) stand about 8 dB above it.
    for (const EffectFile& effect : MakeSoundEffects())
        if (!WriteWav((out / effect.path).string(), effect.track.ToPcm(0.63f, 1.4f), 1, AudioTrack::kRate))
            fail(out / effect.path);
    if (!WriteWav((out / "sounds/music.wav").string(), MakeMusic().ToPcmAtLevel(0.316f, 0.95f), 2, AudioTrack::kRate))
        fail(out / "sounds/music.wav");
    return ok ? 0 : 1;
}
