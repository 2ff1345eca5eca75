#include "platform/message_box.h"

#include "platform/video_driver.h"

namespace plat {
void ShowStopMessage(const char* text) { Video().ShowError(text ? text : ""); }
}  // namespace plat
