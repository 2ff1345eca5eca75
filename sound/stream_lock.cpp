#include "sound/stream_lock.h"

namespace qvstream {

std::mutex& StreamMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

}  // namespace qvstream
