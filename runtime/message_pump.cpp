#include "runtime/message_pump.h"

#include "platform/messages.h"

int PumpMessages() {
    plat::Message message;
    while (plat::PeekMessage(&message)) {
        if (message.message == plat::WM_QUIT) {
            plat::PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        plat::TranslateMessage(message);
        plat::DispatchMessage(message);
    }
    return 0;
}
