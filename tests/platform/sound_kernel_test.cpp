#include "platform/kernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/joining_thread.h"
#include "temp_dir.h"

namespace {

TEST(KernelEvents, TheLowestSignalledEventWinsEachSignalIsConsumedOnceAndBadWaitsFail) {
    plat::EventHandle events[65] = {};
    EXPECT_EQ(plat::WaitForAnyEvent(0, events), plat::kWaitFailed);
    EXPECT_EQ(plat::WaitForAnyEvent(1, events), plat::kWaitFailed);  // null handle
    for (auto& e : events) e = plat::CreateAutoResetEvent();
    for (int signalled : {2, 0, 0}) plat::SignalEvent(events[signalled]);  // event 0 still holds one signal
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 0);
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 2);
    EXPECT_EQ(plat::WaitForAnyEvent(65, events), plat::kWaitFailed);
    plat::SignalEvent(events[63]);
    EXPECT_EQ(plat::WaitForAnyEvent(64, events), 63);
    for (auto e : events) plat::CloseEvent(e);
}

// Letting a thread go, by destruction or by a move onto its owner, tells it
// to stop and waits for it: what it touches is still there when it finishes.
TEST(KernelThreads, AnOwnedThreadIsStoppedAndJoinedWhenItsOwnerLetsItGo) {
    struct Work {
        std::atomic<bool> stop{false}, finished{false};
    };
    auto start = [](Work& w) {
        return plat::JoiningThread(
            [&w] {
                while (!w.stop.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                w.finished.store(true);
            },
            [&w] { w.stop.store(true); }, plat::ThreadPriority::Lowest);
    };
    Work first, second;
    {
        plat::JoiningThread thread = start(first);
        ASSERT_TRUE(thread);
        EXPECT_NE(thread.Id(), 0u);
        thread = start(second);
        EXPECT_TRUE(first.finished.load() && !second.finished.load());
    }
    EXPECT_TRUE(second.finished.load());
}

TEST(KernelFiles, WindowsPathsReadAndSeek) {
    TempDir dir;
    dir.Write("Sounds/Clip.bin", "0123456789");
    EXPECT_EQ(plat::OpenFileForReading("sounds\\missing.bin"), plat::InvalidFileHandle());
    plat::FileHandle file = plat::OpenFileForReading("sounds\\clip.BIN");
    ASSERT_NE(file, plat::InvalidFileHandle());
    char buffer[16] = {};
    uint32_t read = 0;
    ASSERT_TRUE(plat::ReadFileBytes(file, buffer, 4, &read));
    EXPECT_EQ(std::string(buffer, read), "0123");
    EXPECT_EQ(plat::SeekFile(file, 2, plat::SeekFrom::Current), 6u);
    ASSERT_TRUE(plat::ReadFileBytes(file, buffer, 16, &read));
    EXPECT_EQ(std::string(buffer, read), "6789");  // to the end of the file
    EXPECT_EQ(plat::SeekFile(file, 1, plat::SeekFrom::Begin), 1u);
    EXPECT_EQ(plat::SeekFile(file, -5, plat::SeekFrom::Begin), plat::kSeekFailed);
    EXPECT_TRUE(plat::CloseFileHandle(file));
}

}  // namespace
