#pragma once
// Why a platform call failed, in words. The call that fails notes its reason
// (SDL's own error text where SDL failed) and returns its failure; whoever
// reports the failure shows the reason. As with Windows' last error, the
// reason belongs to the calling thread and stays until the next failure.
#include <string>

#include "base/status.h"

namespace plat {

// Notes the reason; returns false, so a call can end with `return Fail(why);`.
bool Fail(std::string why);
// Fail with SDL's error text for the SDL call that just failed.
bool FailWithSdlError();
// The reason noted last on this thread; empty when none was.
const std::string& LastFailure();
// A platform call's answer as the Status the layers above pass on: success,
// or a failure with the reason the call noted.
inline Status StatusOf(bool succeeded) { return succeeded ? Status() : Status::Failed(LastFailure()); }

}  // namespace plat
