#include "platform/failure.h"

#include <SDL.h>

#include <utility>

namespace plat {

namespace {
thread_local std::string t_lastFailure;
}  // namespace

bool Fail(std::string why) {
    t_lastFailure = std::move(why);
    return false;
}

bool FailWithSdlError() {
    const char* text = SDL_GetError();
    return Fail(text != nullptr && *text != '\0' ? text : "SDL gave no reason");
}

const std::string& LastFailure() { return t_lastFailure; }

}  // namespace plat
