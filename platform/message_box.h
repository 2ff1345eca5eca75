#pragma once
// A message box without owner, with the system's default caption ("Error")
// and the stop icon: a dialog on a display, one line on standard error headless.
namespace plat {
void ShowStopMessage(const char* text);
}
