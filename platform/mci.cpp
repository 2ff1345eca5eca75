#include "platform/mci.h"

#include <map>
#include <sstream>

#include "platform/paths.h"

namespace plat {

namespace {
constexpr int kMciErrorCannotPlay = 1;
constexpr int kMciErrorUnknownDevice = 2;

std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Devices opened under an alias, and the file each names.
std::map<std::string, std::string>& Devices() {
    static std::map<std::string, std::string> devices;
    return devices;
}
}  // namespace

int MciSendString(const char* command, WindowHandle) {
    if (command == nullptr) return kMciErrorUnknownDevice;
    Log().emplace_back(command);
    std::istringstream words(command);
    std::string verb, target, keyword, alias;
    words >> verb >> target;
    if (verb == "open") {
        words >> keyword >> alias;
        if (keyword != "alias" || alias.empty()) alias = target;
        std::FILE* f = OpenFile(target, "rb");
        if (f == nullptr) return kMciErrorUnknownDevice;
        std::fclose(f);
        Devices()[alias] = target;
        return 0;
    }
    auto device = Devices().find(target);
    if (device == Devices().end()) return kMciErrorUnknownDevice;
    if (verb == "close") {
        Devices().erase(device);
        return 0;
    }
    // Decoding and playing MP3 files is not there yet: the device opens, but
    // play, pause and resume report that nothing can be played.
    return kMciErrorCannotPlay;
}

const std::vector<std::string>& MciCommandLog() { return Log(); }
void ClearMciCommandLog() { Log().clear(); }

}  // namespace plat
