// Recording input as text and feeding it back: what the recorder keeps of the
// window messages, that its file reads back as the same events, and that the
// feed delivers each event at its time, holding a key for one frame.
#include <sys/stat.h>

#include <vector>

#include "headless_shell.h"
#include "input/input_event.h"
#include "input/input_feed.h"
#include "input/input_recorder.h"

namespace {

using Kind = InputEvent::Kind;

InputEvent Event(uint32_t time, Kind kind, int32_t x = 0, int32_t y = 0, bool right = false, int key = 0) {
    InputEvent e;
    e.time = time, e.kind = kind, e.x = x, e.y = y, e.right = right, e.key = key;
    return e;
}

TEST(InputRecording, KeepsInputMessagesReadsBackAsTheSameEventsAndRefusesBadFiles) {
    TempDir dir;
    InputRecorder recorder;
    const Status opened = recorder.Open("rec.txt");
    ASSERT_TRUE(opened) << opened.Why();
    recorder.Note(plat::WM_MOUSEMOVE, 0, plat::MakeLParam(100, 200), 10);
    recorder.Note(plat::WM_LBUTTONDOWN, 0, plat::MakeLParam(100, 200), 20);
    recorder.Note(plat::WM_ACTIVATE, plat::WA_ACTIVE, 0, 20);  // not input
    recorder.Note(plat::WM_RBUTTONUP, 0, plat::MakeLParam(-5, 900), 30);  // clamped to the page
    recorder.Note(plat::WM_KEYDOWN, plat::VK_SPACE, 1, 40);
    recorder.Note(plat::WM_KEYDOWN, plat::VK_SPACE, 0x40000001, 50);  // a repeat
    recorder.Note(plat::WM_KEYDOWN, 0x2D, 1, 50);  // Insert: no name in the format
    recorder.Note(plat::WM_KEYDOWN, 'Q', 1, 60);
    // A typed name and its editing keys.
    for (auto [code, time] : {std::pair{0xEB, 61}, {0x1F600, 62}}) recorder.Note(plat::WM_UNICHAR, code, 0, time);
    const int editing[] = {plat::VK_BACK, plat::VK_DELETE, plat::VK_HOME, plat::VK_END, plat::VK_LEFT, plat::VK_RIGHT};
    for (int key : editing) recorder.Note(plat::WM_KEYDOWN, key, 1, 63);
    recorder.SkipNextClose();
    for (uint32_t time : {70, 80}) recorder.Note(plat::WM_CLOSE, 0, 0, time);
    recorder.Close();

    std::vector<InputEvent> events;
    const Status read = ReadInputEvents("rec.txt", &events);
    ASSERT_TRUE(read) << read.Why();
    std::vector<InputEvent> expected = {
        Event(10, Kind::Move, 100, 200),          Event(20, Kind::Press, 100, 200),
        Event(30, Kind::Release, 0, 599, true),   Event(40, Kind::Key, 0, 0, false, plat::VK_SPACE),
        Event(60, Kind::Key, 0, 0, false, 'Q'),   Event(61, Kind::Char, 0, 0, false, 0xEB),
        Event(62, Kind::Char, 0, 0, false, 0x1F600)};
    for (int key : editing) expected.push_back(Event(63, Kind::Key, 0, 0, false, key));
    expected.push_back(Event(80, Kind::Close));
    EXPECT_EQ(events, expected);

    // Only a printable character's code point is one.
    for (const char* bad : {"1 char 1F\n", "1 char D800\n", "1 char 110000\n", "1 char 4G\n", "1 char -41\n",
                            "1 char\n", "1 char 0000041\n"}) {
        WriteText("bad.txt", bad);
        const std::string why = ReadInputEvents("bad.txt", &events).Why();
        EXPECT_NE(why.find("bad.txt:1: "), std::string::npos) << bad << why;
    }
    // A pipe named as a recording is refused at once; an alarm ends a test that waits on it.
    ASSERT_EQ(mkfifo("pipe.txt", 0644), 0);
    alarm(10);
    EXPECT_EQ(ReadInputEvents("pipe.txt", &events).Why(), "pipe.txt: cannot be read: not a regular file");
    alarm(0);
}

class InputFeedTest : public HeadlessShell {
protected:
    void SetUp() override {
        HeadlessShell::SetUp();
        OpenDisplay();
        Taken();  // what opening the window posted
    }
    // The messages waiting for the window, taken off the queue.
    std::vector<uint32_t> Taken() {
        std::vector<uint32_t> messages;
        plat::Message m;
        while (plat::PeekMessage(&m)) messages.push_back(m.message);
        return messages;
    }
};

TEST_F(InputFeedTest, DeliversEventsWhenTheirTimeComesAndHoldsKeysForAFrame) {
    InputFeed feed;
    feed.Load({Event(10, Kind::Move, 5, 5), Event(10, Kind::Key, 0, 0, false, plat::VK_SPACE),
               Event(30, Kind::Press, 5, 5, true), Event(30, Kind::Close)});
    feed.Run(0, window_);
    EXPECT_TRUE(Taken().empty());
    feed.Run(10, window_);
    EXPECT_EQ(Taken(), (std::vector<uint32_t>{plat::WM_MOUSEMOVE, plat::WM_KEYDOWN}));
    EXPECT_TRUE(plat::IsKeyDown(plat::VK_SPACE));
    feed.Run(20, window_);
    EXPECT_FALSE(plat::IsKeyDown(plat::VK_SPACE) || feed.Finished());
    EXPECT_EQ(Taken(), std::vector<uint32_t>{plat::WM_KEYUP});
    feed.Run(40, window_);
    EXPECT_EQ(Taken(), (std::vector<uint32_t>{plat::WM_RBUTTONDOWN, plat::WM_CLOSE}));
    EXPECT_TRUE(feed.Finished());
}

}  // namespace
