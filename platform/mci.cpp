#include "platform/mci.h"

#include <map>
#include <memory>
#include <sstream>

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
}  // namespace

int MciSendString(const char* command, WindowHandle notifyWindow) {
    if (command == nullptr) return kMciErrorUnknownDevice;
    Log().emplace_back(command);
    std::istringstream words(command);
    std::string verb, target, option, alias;
    words >> verb >> target >> option;
    if (verb == "open") {
        words >> alias;
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
