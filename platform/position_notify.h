#pragma once
#include <cstdint>

#include "platform/kernel.h"

namespace plat {

// An offset in a buffer and the event signalled when the play cursor reaches
// it; kNotifyOffsetStop signals whenever the buffer stops for any reason (its
// end, Stop, a pause, or release while playing). An offset is reached by
// moving onto it: a buffer that starts playing at offset 0 has not reached 0,
// and reaches it first when a looping buffer wraps.
constexpr uint32_t kNotifyOffsetStop = 0xFFFFFFFF;
struct PositionNotify {
    uint32_t dwOffset;
    EventHandle hEventNotify;
};

}  // namespace plat
