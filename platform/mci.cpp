#include "platform/mci.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string_view>

#include "platform/mp3_player.h"

namespace plat {

namespace {
constexpr int kMciErrorCannotPlay = 1;
constexpr int kMciErrorUnknownDevice = 2;
constexpr int kMciErrorCannotOpen = 3;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Devices opened under an alias. Never destroyed: a device still open when
// the program exits belongs to a sound device that is already gone.
std::map<std::string, std::unique_ptr<Mp3Player>>& Devices() {
    static auto* devices = new std::map<std::string, std::unique_ptr<Mp3Player>>;
    return *devices;
}

// The next word of a command, taken from its front; empty at its end.
std::string NextWord(std::string_view* rest) {
    constexpr std::string_view kSpace = " \t\n\v\f\r";
    const size_t start = rest->find_first_not_of(kSpace);
    if (start == std::string_view::npos) {
        *rest = {};
        return {};
    }
    const size_t end = std::min(rest->find_first_of(kSpace, start), rest->size());
    std::string word(rest->substr(start, end - start));
    rest->remove_prefix(end);
    return word;
}
}  // namespace

int MciSendString(const char* command, WindowHandle notifyWindow) {
    if (command == nullptr) return kMciErrorUnknownDevice;
    Log().emplace_back(command);
    std::string_view words = command;
    const std::string verb = NextWord(&words);
    const std::string target = NextWord(&words);
    const std::string option = NextWord(&words);
    if (verb == "open") {
        std::string alias = NextWord(&words);
        if (option != "alias" || alias.empty()) alias = target;
        if (Devices().count(alias) != 0) return kMciErrorCannotOpen;
        auto player = std::make_unique<Mp3Player>();
        if (!player->Open(target)) return kMciErrorCannotOpen;
        Devices()[alias] = std::move(player);
        return 0;
    }
    auto device = Devices().find(target);
    if (device == Devices().end()) return kMciErrorUnknownDevice;
    Mp3Player& player = *device->second;
    bool done = false;
    if (verb == "close") {
        Devices().erase(device);
        done = true;
    } else if (verb == "play") {
        done = player.Play(option == "notify" ? notifyWindow : nullptr);
    } else if (verb == "pause") {
        done = player.Pause();
    } else if (verb == "resume") {
        done = player.Resume();
    }
    return done ? 0 : kMciErrorCannotPlay;
}

const std::vector<std::string>& MciCommandLog() { return Log(); }
void ClearMciCommandLog() { Log().clear(); }

}  // namespace plat
