#pragma once
// Message boxes without owner and with a single OK button: a dialog on a
// display, one line on standard error headless. They block until closed.
namespace plat {
// With the system's default caption ("Error") and the stop icon.
void ShowStopMessage(const char* text);
void ShowMessage(const char* caption, const char* text);
}  // namespace plat
