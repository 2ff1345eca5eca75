#include "platform/message_box.h"

#include "platform/video_driver.h"

namespace plat {

void ShowMessage(const char* caption, const char* text) {
    Video().ShowMessage(caption ? caption : "", text ? text : "", false);
}

void ShowStopMessage(const char* text) { Video().ShowMessage("Error", text ? text : "", true); }

}  // namespace plat
