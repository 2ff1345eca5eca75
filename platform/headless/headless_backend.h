#pragma once
// The headless row of the backend table, the same in every build.
#include "platform/backend_entry.h"

namespace plat {

BackendEntry HeadlessBackend();

}  // namespace plat
