// The music's costs on the headless backend:
// - StreamFillPerChunk: a 22050 Hz 16-bit stereo WAV streamed looping; each
//   iteration plays one quarter-second chunk (the mixer on the virtual clock)
//   and waits until the fill thread has refilled it. Reports the fill
//   thread's own processor time per chunk (from the kernel's per-thread
//   accounting) beside the whole iteration's time.
// - LongMp3Playing: a ten-minute MP3 opened and played through the command
//   interface. Reports how long the open takes, the resident memory it adds
//   while it plays, the decoding thread's processor time per chunk, and, for
//   comparison, what the song would take decoded whole.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/backend.h"
#include "platform/headless/virtual_clock.h"
#include "platform/mci.h"
#include "sound/qv_sound.h"
#include "sound/snd_sample.h"

namespace {

namespace fs = std::filesystem;

plat::WindowHandle BenchWindow() {
    static int window;
    return reinterpret_cast<plat::WindowHandle>(&window);
}

// A scratch folder, made the working directory while it lives.
class Scratch {
public:
    Scratch() {
        char pattern[] = "/tmp/reef-bench-XXXXXX";
        path_ = mkdtemp(pattern);
        previous_ = fs::current_path();
        fs::current_path(path_);
    }
    ~Scratch() {
        fs::current_path(previous_);
        std::error_code ec;
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_, previous_;
};

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }

void WriteStereoWav(const std::string& name, uint32_t seconds) {
    std::string data(22050u * 4 * seconds, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 31 % 251);
    const std::string fmt = "fmt " + U32(16) + std::string("\x01\x00\x02\x00", 4) + U32(22050) +
                            U32(88200) + std::string("\x04\x00\x10\x00", 4);
    std::ofstream(name, std::ios::binary) << "RIFF" << U32(uint32_t(4 + fmt.size() + 8 + data.size()))
                                          << "WAVE" << fmt << "data" << U32(uint32_t(data.size()))
                                          << data;
}

// Silent MPEG-1 layer III frames at 44.1 kHz mono, 128 kbit/s.
void WriteSilentMp3(const std::string& name, int frames) {
    std::string frame(417, '\0');
    frame[0] = '\xFF';
    frame[1] = '\xFB';
    frame[2] = '\x90';
    frame[3] = '\xC0';
    std::ofstream out(name, std::ios::binary);
    for (int i = 0; i < frames; ++i) out << frame;
}

// Processor time of the process's threads at the lowest priority (nice 10:
// the stream's fill thread, the MP3 player's decoding thread), in ns.
uint64_t LowPriorityThreadsNs() {
    uint64_t total = 0;
    DIR* tasks = opendir("/proc/self/task");
    if (tasks == nullptr) return 0;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') continue;
        const std::string task = std::string("/proc/self/task/") + entry->d_name;
        std::ifstream stat(task + "/stat");
        std::string line;
        std::getline(stat, line);
        // Fields after the command's closing parenthesis; nice is the 19th field.
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        std::string field;
        for (int i = 3; i <= 19 && fields >> field; ++i) {
        }
        if (field != "10") continue;
        uint64_t ns = 0;
        std::ifstream(task + "/schedstat") >> ns;
        total += ns;
    }
    closedir(tasks);
    return total;
}

uint64_t ResidentBytes() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return uint64_t(resident) * uint64_t(sysconf(_SC_PAGESIZE));
}

bool FillThreadIsIdle() {
    QVSound::LockStreamInfo();
    const _SNDStream& s = *QVSound::GetStreamInfoPtr();
    uint32_t cursor = 0;
    s.pSample->m_lpBuffer->GetCurrentPosition(&cursor, nullptr);
    const bool idle = s.dwNextChunk == std::min<uint32_t>(cursor / s.dwChunkBytes, 7);
    QVSound::UnlockStreamInfo();
    return idle;
}

void StreamFillPerChunk(benchmark::State& state) {
    Scratch scratch;
    plat::UseBackend(plat::Backend::Headless);
    WriteStereoWav("music.wav", 30);
    g_Sound.Init(BenchWindow(), 200);
    if (g_Sound.LoadStream("music.wav", 0) != 1) {
        state.SkipWithError("the stream did not load");
        g_Sound.Exit();
        return;
    }
    g_Sound.PlayStream(STREAM_LOOP);
    const uint64_t fillBefore = LowPriorityThreadsNs();
    int64_t chunks = 0;
    for (auto _ : state) {
        plat::HeadlessClock().Advance(250);
        while (!FillThreadIsIdle()) std::this_thread::sleep_for(std::chrono::microseconds(20));
        ++chunks;
    }
    const uint64_t fillNs = LowPriorityThreadsNs() - fillBefore;
    state.counters["fill_thread_us_per_chunk"] = double(fillNs) / 1000.0 / double(chunks);
    state.counters["chunk_bytes"] = 22052;
    g_Sound.Exit();
}
BENCHMARK(StreamFillPerChunk)->Iterations(800)->Unit(benchmark::kMicrosecond)->UseRealTime();

void LongMp3Playing(benchmark::State& state) {
    Scratch scratch;
    plat::UseBackend(plat::Backend::Headless);
    constexpr int kMinutes = 10;
    const int frames = kMinutes * 60 * 44100 / 1152;
    WriteSilentMp3("long.mp3", frames);
    g_Sound.Init(BenchWindow(), 200);
    double openMs = 0, growthKb = 0, decodeUsPerChunk = 0;
    for (auto _ : state) {
        const uint64_t before = ResidentBytes();
        const auto start = std::chrono::steady_clock::now();
        if (plat::MciSendString("open long.mp3 alias music", nullptr) != 0) {
            state.SkipWithError("the MP3 did not open");
            break;
        }
        openMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        plat::MciSendString("play music", nullptr);
        const uint64_t decodeBefore = LowPriorityThreadsNs();
        // A minute of the song, a quarter second at a time, with a moment for
        // the decoding thread after each.
        for (int i = 0; i < 240; ++i) {
            plat::HeadlessClock().Advance(250);
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        decodeUsPerChunk = double(LowPriorityThreadsNs() - decodeBefore) / 1000.0 / 240;
        // The first open shows the growth; later ones reuse what it freed.
        growthKb = std::max(growthKb, (double(ResidentBytes()) - double(before)) / 1024.0);
        plat::MciSendString("close music", nullptr);
    }
    state.counters["open_ms"] = openMs;
    state.counters["rss_growth_kb"] = growthKb;
    state.counters["decode_us_per_chunk"] = decodeUsPerChunk;
    state.counters["whole_song_decoded_kb"] = double(frames) * 1152 * 2 / 1024.0;
    g_Sound.Exit();
}
BENCHMARK(LongMp3Playing)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
