#include "platform/text_input.h"

#include "platform/video_driver.h"

namespace plat {

void StartTextInput() { Video().SetTextInput(true); }
void StopTextInput() { Video().SetTextInput(false); }
std::string ClipboardText() { return Video().ClipboardText(); }

}  // namespace plat
