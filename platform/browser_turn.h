#pragma once
// Places in the platform's shared code where a long run of work (a scene's
// pictures read, converted and made, the files looked up as a program
// starts) can hand a browser's page its turn: in the browser build it gives
// the page's thread back when the program has held it for a while
// (web_tasks.h); elsewhere it does nothing.
#ifdef __EMSCRIPTEN__
#include "platform/web/web_tasks.h"
#endif

namespace plat {

inline void LetTheBrowserIn() {
#ifdef __EMSCRIPTEN__
    YieldIfHeldLong();
#endif
}

}  // namespace plat
