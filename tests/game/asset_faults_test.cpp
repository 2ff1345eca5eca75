// Every file the game reads, in turn deleted, emptied, halved and overwritten
// in its middle: the program, playing a game by itself headless, must neither
// crash nor hang nor trip a sanitizer. Without a file it can do without it plays
// the whole game; the one picture no game can start without ends it at once
// with one message naming the file.
#include <gtest/gtest.h>
#include <spawn.h>

#include <atomic>
#include <thread>

#include "game_folder.h"
#include "platform/mp3_bytes.h"
#include "program_run.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The picture without which no game can be started.
const std::string kEssential = "newgame.bmp";
// A whole game takes about 1,800 frames; a run that could not start one, a dozen.
constexpr long kPlayedFrames = 1000;
// Far beyond a whole game even under the thread sanitizer.
constexpr int kHangSeconds = 240;
const std::string kArguments = "--data . --seed 7 --autoplay=1 --report report.txt";

enum class Fault { Deleted, Emptied, Halved, Overwritten };
constexpr Fault kFaults[] = {Fault::Deleted, Fault::Emptied, Fault::Halved, Fault::Overwritten};
const char* FaultName(Fault fault) {
    static const char* const names[] = {"deleted", "emptied", "halved", "overwritten"};
    return names[static_cast<int>(fault)];
}

// A table of 20 with one score of 400 (0x190), little-endian.
std::string HighScoreFile() {
    std::string first = "Ann:1 Reef Road:ann@example.org:Y";
    first.resize(256, '\0');
    return std::string("\x14\0\0\0", 4) + first + std::string("\x90\x01\0\0", 4) + std::string(19 * 260, '\0');
}

// Files a player's folder holds beside the generated ones, each there only
// for its own cases (an MP3 would silence the WAV music).

const std::map<std::string, std::string>& AddedFiles() {
    static const std::map<std::string, std::string> files = {
        {"../options.ini",
         "[setup]\r\nmusic=Y\r\nSFX=Y\r\nplayerid=1\r\n[Player2]\r\nname=Ann\r\naddress=1 Reef Road\r\n"
         "email=ann@example.org\r\nsend=Y\r\n"},
        {"hiscore.dat", HighScoreFile()},
        {"sounds/music.mp3", SilentMp3(400)},
    };
    return files;
}

// Every file the game reads: the build's generated files and the added ones.
std::vector<std::string> GameFiles() {
    std::vector<std::string> files;
    const fs::path from(REEF_GAME_FOLDER);
    for (const auto& entry : fs::recursive_directory_iterator(from)) {
        const std::string ext = entry.path().extension().string();
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name == "hiscore.dat") continue;
        if (ext == ".bmp" || ext == ".wav" || ext == ".dat" || name == "setup.ini") {
            files.push_back(fs::relative(entry.path(), from).string());
        }
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, content] : AddedFiles()) files.push_back(name);
    return files;
}

struct Outcome {
    enum Kind { Plays, Refused, CannotPlay, Crash, Hang } kind;
    std::string detail;
};

// Runs a shell command; its exit status, or -1 when it ended by a signal.
int RunShell(const std::string& command) {
    const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) return -2;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

// Makes the game folder with the fault in the file, plays, and judges.
Outcome PlayWithFault(const fs::path& root, const std::string& file, Fault fault) {
    const fs::path game = root / "game";
    LinkGameFolder(game, {});
    const fs::path target = game / file;
    const auto added = AddedFiles().find(file);
    std::string content = added != AddedFiles().end() ? added->second : ReadText(fs::path(REEF_GAME_FOLDER) / file);
    fs::remove(target);
    if (fault == Fault::Emptied) WriteText(target, "");
    if (fault == Fault::Halved) WriteText(target, content.substr(0, content.size() / 2));
    if (fault == Fault::Overwritten) {
        for (size_t i = 0; i < 16 && content.size() / 2 + i < content.size(); ++i) {
            content[content.size() / 2 + i] = "\xFF\x7F\x00\x80"[i % 4];
        }
        WriteText(target, content);
    }

    const int status =
        RunShell(ProgramCommand(game, kArguments, "exec timeout -s KILL " + std::to_string(kHangSeconds) + " "));
    const std::string errors = ReadText(game / "err.txt");
    if (status == 128 + 9) return {Outcome::Hang, "killed after " + std::to_string(kHangSeconds) + " s"};
    if (status < 0 || errors.find("Sanitizer") != std::string::npos ||
        errors.find("runtime error") != std::string::npos) {
        const std::vector<std::string> lines = Lines(errors);
        return {Outcome::Crash, "status " + std::to_string(status) + ": " + (lines.empty() ? "" : lines[0])};
    }
    if (status == 0) {
        const std::string reported = ReadReport(game / "report.txt")["frames"];
        const long frames = reported.empty() ? 0 : std::stol(reported);
        if (frames >= kPlayedFrames) return {Outcome::Plays, std::to_string(frames) + " frames"};
        return {Outcome::CannotPlay, "ended after " + std::to_string(frames) + " frames"};
    }
    const std::vector<std::string> lines = Lines(errors);
    return {Outcome::Refused, "status " + std::to_string(status) + ": " + (lines.empty() ? "" : lines.back())};
}

struct Case {
    std::string file;
    Fault fault;
    Outcome outcome{Outcome::Hang, "not run"};
};

TEST(AssetFaults, EveryFileDeletedEmptiedHalvedOrOverwrittenPlaysOrIsNamed) {
    std::vector<Case> cases;
    for (const std::string& file : GameFiles()) {
        for (Fault fault : kFaults) cases.push_back({file, fault});
    }
    ASSERT_GT(cases.size(), 200u);

    TempDir scratch;
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i; (i = next++) < cases.size();) {
            const fs::path root = scratch.Path() / std::to_string(i);
            cases[i].outcome = PlayWithFault(root, cases[i].file, cases[i].fault);
            std::error_code ec;
            fs::remove_all(root, ec);
        }
    };
    std::vector<std::thread> workers;
    const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < count; ++i) workers.emplace_back(worker);
    for (std::thread& t : workers) t.join();

    for (const Case& c : cases) {
        const std::string name = fs::path(c.file).filename().string();
        // Only the essential picture may end the game, and only when it no longer loads.
        const bool mayRefuse = name == kEssential && c.fault != Fault::Overwritten;
        const Outcome& o = c.outcome;
        const std::string where = c.file + " " + FaultName(c.fault) + ": " + o.detail;
        if (mayRefuse) {
            EXPECT_EQ(o.kind, Outcome::Refused) << where;
            EXPECT_NE(o.detail.find(name), std::string::npos) << where;
        } else {
            EXPECT_EQ(o.kind, Outcome::Plays) << where;
        }
    }
}

// The message of a refused run is its only one.
TEST(AssetFaults, TheEssentialPictureMissingGivesOneMessage) {
    TempDir scratch;
    const fs::path game = scratch.Path() / "game";
    LinkGameFolder(game, {kEssential});
    EXPECT_EQ(RunShell(ProgramCommand(game, kArguments)), 1);
    EXPECT_EQ(Lines(ReadText(game / "err.txt")),
              (std::vector<std::string>{"Error: The picture newgame.bmp is missing or damaged (Cannot load "
                                        "newgame.bmp: No such file or directory); without it no game can be "
                                        "started."}));
    EXPECT_NE(ReadText(game / "report.txt").find("exit=1"), std::string::npos);
}

}  // namespace
