// Reading a profile on systems without the Windows profile functions: the
// inih parser, made to read as Windows does.
#include <ini.h>

#include <cstdio>
#include <new>
#include <string>

#include "platform/paths.h"
#include "platform/profile.h"

namespace plat {

namespace {

// inih as Debian builds it reads a few things differently from the Windows
// profile functions; the reader and the handler below make up for them:
// indented lines are ordinary lines (not continuations), a ';' inside a
// value is part of it (not a comment), and a value in matching quotes loses
// them. Lines are cut to the parser's line length.
constexpr char kHiddenSemicolon = '\x1F';

// Settings files are a few hundred bytes; only this much of a file is read,
// so that no file, however large, makes a lookup slow.
constexpr long kMaxProfileBytes = 1 << 20;

struct LineSource {
    std::FILE* file;
    long bytesLeft;
};

// Hands inih one line at a time without its indentation, cut to the line
// length it asks for: the rest of a longer line is skipped, never held.
char* ReadLine(char* out, int size, void* stream) {
    auto* source = static_cast<LineSource*>(stream);
    int length = 0;
    bool any = false;
    bool indentation = true;
    int c;
    while (source->bytesLeft > 0 && (c = std::fgetc(source->file)) != EOF) {
        --source->bytesLeft;
        any = true;
        if (indentation && (c == ' ' || c == '\t')) continue;
        indentation = false;
        if (length + 1 < size) {
            out[length] = length > 0 && c == ';' ? kHiddenSemicolon : static_cast<char>(c);
            ++length;
        }
        if (c == '\n') break;
    }
    if (!any) return nullptr;
    out[length] = '\0';
    return out;
}

std::string WindowsValue(const char* raw) {
    std::string value = raw;
    for (char& c : value) {
        if (c == kHiddenSemicolon) c = ';';
    }
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

ProfileFile::ProfileFile(const char* file) {
    std::FILE* f = OpenFile(file ? file : "", "r");
    if (f == nullptr) return;
    LineSource source{f, kMaxProfileBytes};
    struct Parse {
        ProfileFile* file;
        bool outOfMemory;
    } parse{this, false};
    const ini_handler keep = [](void* user, const char* section, const char* name, const char* value) -> int {
        auto* parse = static_cast<Parse*>(user);
        // Nothing may be thrown back through the C parser.
        try {
            parse->file->Keep(section, name, WindowsValue(value));
        } catch (const std::bad_alloc&) {
            parse->outOfMemory = true;
            return 0;
        }
        return 1;  // keep parsing: a malformed line later must not hide a key
    };
    ini_parse_stream(ReadLine, &source, keep, &parse);
    std::fclose(f);
    // Without the memory for all of its values, the file reads as missing.
    if (parse.outOfMemory) values_.clear();
}

}  // namespace plat
