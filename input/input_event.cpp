#include "input/input_event.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "platform/failure.h"
#include "platform/messages.h"
#include "platform/regular_file.h"

namespace {

constexpr int32_t kPageWidth = 800;
constexpr int32_t kPageHeight = 600;
// No line of the format comes near this; longer ones are refused unread.
constexpr size_t kMaxLine = 200;
// A recording of ten hours of frantic play stays far below this. Blank and
// comment lines count too, so no file keeps the reader busy for long.
constexpr long kMaxLines = 2000000;
// Frame clock times compare as 32-bit differences: a later time must stay
// less than half the clock's range ahead of the start.
constexpr unsigned long kMaxTime = INT32_MAX;
constexpr int kVkF1 = 0x70;
constexpr int kVkF12 = 0x7B;

struct NamedKey {
    const char* name;
    int code;
};
constexpr NamedKey kNamedKeys[] = {
    {"Escape", plat::VK_ESCAPE}, {"Space", plat::VK_SPACE}, {"Return", plat::VK_RETURN},
    {"Tab", plat::VK_TAB}, {"Left", plat::VK_LEFT}, {"Up", plat::VK_UP}, {"Right", plat::VK_RIGHT},
    {"Down", plat::VK_DOWN},     {"Backspace", plat::VK_BACK}, {"Delete", plat::VK_DELETE},
    {"Home", plat::VK_HOME},     {"End", plat::VK_END},
    {"F1", kVkF1},               {"F12", kVkF12},
};

// A whole unsigned decimal number up to max, nothing else.
bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long* out) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    errno = 0;
    const unsigned long value = std::strtoul(text.c_str(), nullptr, 10);
    if (errno != 0 || value > max) return false;
    *out = value;
    return true;
}

std::vector<std::string> SplitFields(const char* line) {
    std::vector<std::string> fields;
    std::string field;
    for (const char* p = line; *p != '\0'; ++p) {
        if (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n') {
            if (!field.empty()) fields.push_back(field);
            field.clear();
        } else {
            field += *p;
        }
    }
    if (!field.empty()) fields.push_back(field);
    return fields;
}

// Parses the fields after the time into event.
Status ParseEventFields(const std::vector<std::string>& f, InputEvent* event) {
    const std::string& kind = f[1];
    auto expectFields = [&](size_t count, const char* form) {
        if (f.size() == count) return Status();
        return Status::Failed(std::string("\"") + kind + "\" wants the form \"" + form + "\"");
    };
    auto position = [&](size_t at) {
        unsigned long x = 0, y = 0;
        if (!ParseUnsigned(f[at], kPageWidth - 1, &x) || !ParseUnsigned(f[at + 1], kPageHeight - 1, &y)) {
            return Status::Failed("position " + f[at] + " " + f[at + 1] + " is not a pixel of the 800 x 600 page");
        }
        event->x = static_cast<int32_t>(x);
        event->y = static_cast<int32_t>(y);
        return Status();
    };
    if (kind == "move") {
        event->kind = InputEvent::Kind::Move;
        if (Status fields = expectFields(4, "T move X Y"); !fields) return fields;
        return position(2);
    }
    if (kind == "press" || kind == "release") {
        event->kind = kind == "press" ? InputEvent::Kind::Press : InputEvent::Kind::Release;
        if (Status fields = expectFields(5, "T press|release left|right X Y"); !fields) return fields;
        if (f[2] != "left" && f[2] != "right") {
            return Status::Failed("button \"" + f[2] + "\" is neither left nor right");
        }
        event->right = f[2] == "right";
        return position(3);
    }
    if (kind == "key") {
        event->kind = InputEvent::Kind::Key;
        if (Status fields = expectFields(3, "T key NAME"); !fields) return fields;
        event->key = KeyCodeOfName(f[2]);
        if (event->key == 0) {
            return Status::Failed("key \"" + f[2] +
                                  "\" is not Escape, Space, Return, Tab, an arrow, Backspace, Delete, Home, End, "
                                  "F1, F12, a letter or a digit");
        }
        return Status();
    }
    if (kind == "char") {
        event->kind = InputEvent::Kind::Char;
        if (Status fields = expectFields(3, "T char HEX"); !fields) return fields;
        char* end = nullptr;
        const unsigned long codePoint = f[2].size() <= 6 ? std::strtoul(f[2].c_str(), &end, 16) : 0;
        if (end == nullptr || *end != '\0' || !std::isxdigit(static_cast<unsigned char>(f[2][0])) ||
            codePoint < 0x20 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
            return Status::Failed("character \"" + f[2] +
                                  "\" is not the hexadecimal code point of a printable character");
        }
        event->key = static_cast<int>(codePoint);
        return Status();
    }
    if (kind == "close") {
        event->kind = InputEvent::Kind::Close;
        return expectFields(2, "T close");
    }
    return Status::Failed("unknown event \"" + kind + "\"");
}

struct FileClose {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

Status ReadEvents(const std::string& path, std::vector<InputEvent>* events);

}  // namespace

int KeyCodeOfName(const std::string& name) {
    for (const NamedKey& key : kNamedKeys) {
        if (name == key.name) return key.code;
    }
    if (name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= '0' && name[0] <= '9'))) {
        return name[0];
    }
    return 0;
}

std::string KeyNameOfCode(int virtualKey) {
    for (const NamedKey& key : kNamedKeys) {
        if (virtualKey == key.code) return key.name;
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    return "";
}

std::string FormatInputEvent(const InputEvent& e) {
    char line[64];
    const char* button = e.right ? "right" : "left";
    switch (e.kind) {
        case InputEvent::Kind::Move:
            std::snprintf(line, sizeof line, "%u move %d %d", e.time, e.x, e.y);
            break;
        case InputEvent::Kind::Press:
        case InputEvent::Kind::Release:
            std::snprintf(line, sizeof line, "%u %s %s %d %d", e.time,
                          e.kind == InputEvent::Kind::Press ? "press" : "release", button, e.x, e.y);
            break;
        case InputEvent::Kind::Key:
            std::snprintf(line, sizeof line, "%u key %s", e.time, KeyNameOfCode(e.key).c_str());
            break;
        case InputEvent::Kind::Char:
            std::snprintf(line, sizeof line, "%u char %X", e.time, static_cast<unsigned>(e.key));
            break;
        case InputEvent::Kind::Close:
            std::snprintf(line, sizeof line, "%u close", e.time);
            break;
    }
    return line;
}

Status ReadInputEvents(const std::string& path, std::vector<InputEvent>* events) {
    try {
        return ReadEvents(path, events);
    } catch (const std::bad_alloc&) {
        return Status::Failed(path + ": not enough memory to read it");
    }
}

namespace {

Status ReadEvents(const std::string& path, std::vector<InputEvent>* events) {
    std::unique_ptr<std::FILE, FileClose> file(plat::OpenRegularStream(path, "rb"));
    if (!file) return Status::Failed(path + ": cannot be read: " + plat::LastFailure());
    events->clear();
    char line[kMaxLine + 2];
    uint32_t previous = 0;
    for (long number = 1; std::fgets(line, sizeof line, file.get()) != nullptr; ++number) {
        auto fail = [&](const std::string& why) {
            return Status::Failed(path + ":" + std::to_string(number) + ": " + why);
        };
        if (number > kMaxLines) return fail("more than two million lines");
        const size_t length = std::strlen(line);
        const bool complete = length > 0 && line[length - 1] == '\n';
        if (!complete && length > kMaxLine) return fail("line longer than 200 characters");
        // fgets stops at a NUL as at any byte: a NUL inside means binary data.
        if (length + 1 < sizeof line && !complete && !std::feof(file.get())) {
            return fail("not a line of text");
        }
        for (size_t i = 0; i < length; ++i) {
            const unsigned char c = static_cast<unsigned char>(line[i]);
            if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') return fail("not a line of text");
        }
        const std::vector<std::string> fields = SplitFields(line);
        if (fields.empty() || fields[0][0] == '#') continue;
        if (fields.size() < 2) return fail("an event wants a time and a kind");
        unsigned long time = 0;
        if (!ParseUnsigned(fields[0], kMaxTime, &time)) {
            return fail("time \"" + fields[0] + "\" is not a whole number of milliseconds up to 2147483647");
        }
        if (time < previous) return fail("time " + fields[0] + " is earlier than the line before");
        InputEvent event;
        event.time = static_cast<uint32_t>(time);
        if (Status parsed = ParseEventFields(fields, &event); !parsed) return fail(parsed.Why());
        events->push_back(event);
        previous = event.time;
    }
    if (std::ferror(file.get())) return Status::Failed(path + ": read error");
    return Status();
}

}  // namespace
