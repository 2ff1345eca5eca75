#include "input/input_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "input/input_event.h"
#include "platform/messages.h"
#include "platform/failure.h"

InputRecorder g_InputRecorder;

namespace {
constexpr intptr_t kRepeatBit = 0x40000000;

// A message's position as a pixel of the page: the pointer can lie outside
// the picture (in a window's letterbox), which a recording cannot name.
void PositionOf(intptr_t lParam, InputEvent* event) {
    const int32_t x = static_cast<int16_t>(plat::LowWord(lParam));
    const int32_t y = static_cast<int16_t>(plat::HighWord(lParam));
    event->x = std::clamp(x, 0, 799);
    event->y = std::clamp(y, 0, 599);
}
}  // namespace

InputRecorder::~InputRecorder() { Close(); }

Status InputRecorder::Open(const std::string& path) {
    Close();
    if (!out_.Open(path)) return Status::Failed(path + ": cannot be written: " + plat::LastFailure());
    path_ = path;
    if (std::fputs("# Reef Hoard input recording: time in frame-clock milliseconds, then the event\n", out_.Stream()) <
            0 ||
        std::fflush(out_.Stream()) != 0) {
        const Status failed = Status::Failed(path + ": cannot be written: " + std::strerror(errno));
        out_.Discard();
        return failed;
    }
    return Status();
}

void InputRecorder::Close() {
    if (!IsOpen()) return;
    if (!out_.Close()) {
        plat::ReportWriteFailure(path_, plat::LastFailure());
        plat::NoteOutputFailure();
    }
}

void InputRecorder::Fail(const char* why) {
    out_.Discard();
    plat::ReportWriteFailure(path_, why);
    plat::NoteOutputFailure();
}

void InputRecorder::Note(uint32_t message, uintptr_t wParam, intptr_t lParam, uint32_t now) {
    if (!IsOpen()) return;
    InputEvent event;
    event.time = now;
    switch (message) {
        case plat::WM_MOUSEMOVE:
            event.kind = InputEvent::Kind::Move;
            PositionOf(lParam, &event);
            break;
        case plat::WM_LBUTTONDOWN:
        case plat::WM_RBUTTONDOWN:
        case plat::WM_LBUTTONUP:
        case plat::WM_RBUTTONUP:
            event.kind = message == plat::WM_LBUTTONDOWN || message == plat::WM_RBUTTONDOWN
                             ? InputEvent::Kind::Press
                             : InputEvent::Kind::Release;
            event.right = message == plat::WM_RBUTTONDOWN || message == plat::WM_RBUTTONUP;
            PositionOf(lParam, &event);
            break;
        case plat::WM_KEYDOWN:
            // A key is kept as one press and release; held keys repeat.
            if ((lParam & kRepeatBit) != 0 || KeyNameOfCode(static_cast<int>(wParam)).empty()) return;
            event.kind = InputEvent::Kind::Key;
            event.key = static_cast<int>(wParam);
            break;
        case plat::WM_UNICHAR:
            event.kind = InputEvent::Kind::Char;
            event.key = static_cast<int>(wParam);
            break;
        case plat::WM_CLOSE:
            if (skipNextClose_) {
                skipNextClose_ = false;
                return;
            }
            event.kind = InputEvent::Kind::Close;
            break;
        default:
            return;
    }
    if (std::fprintf(out_.Stream(), "%s\n", FormatInputEvent(event).c_str()) < 0 || std::fflush(out_.Stream()) != 0) {
        Fail(std::strerror(errno));
    }
}
