#pragma once
// Windows' own words for a failure.
#include <windows.h>

#include <string>

namespace plat {

// The system's message for the error code, without its line break.
std::string WindowsErrorText(DWORD error);
// Notes GetLastError's message as the reason (plat::Fail); returns false.
bool FailWithLastError(const std::string& what = "");

}  // namespace plat
