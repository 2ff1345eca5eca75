#include "platform/kernel.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace {

TEST(KernelEvents, TheLowestSignalledEventWinsEachSignalIsConsumedOnceAndBadWaitsFail) {
    plat::EventHandle events[65] = {};
    EXPECT_EQ(plat::WaitForAnyEvent(0, events), plat::kWaitFailed);
    EXPECT_EQ(plat::WaitForAnyEvent(1, events), plat::kWaitFailed);  // null handle
    for (auto& e : events) e = plat::CreateAutoResetEvent();
    plat::SignalEvent(events[2]);
    plat::SignalEvent(events[0]);
    plat::SignalEvent(events[0]);  // still one signal
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 0);
    EXPECT_EQ(plat::WaitForAnyEvent(3, events), 2);
    EXPECT_EQ(plat::WaitForAnyEvent(65, events), plat::kWaitFailed);
    plat::SignalEvent(events[63]);
    EXPECT_EQ(plat::WaitForAnyEvent(64, events), 63);
    for (auto e : events) plat::CloseEvent(e);
}

struct Handshake {
    plat::EventHandle go;
    plat::EventHandle done;
};

TEST(KernelThreads, AThreadWakesOnAnEventAndItsResultIsReturned) {
    Handshake h{plat::CreateAutoResetEvent(), plat::CreateAutoResetEvent()};
    uint32_t id = 0;
    plat::ThreadHandle thread = plat::StartThread(
        [](void* arg) -> uint32_t {
            auto* hs = static_cast<Handshake*>(arg);
            int got = plat::WaitForAnyEvent(1, &hs->go);
            plat::SignalEvent(hs->done);
            return got == 0 ? 42u : 1u;
        },
        &h, plat::ThreadPriority::Lowest, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    plat::SignalEvent(h.go);
    EXPECT_EQ(plat::WaitForAnyEvent(1, &h.done), 0);
    EXPECT_EQ(plat::JoinThread(thread), 42u);
    plat::CloseEvent(h.go);
    plat::CloseEvent(h.done);
}

// A thread detached by another while it waits runs on; one that lets go of
// its own handle ends without anyone joining it.
struct Detaching {
    plat::ThreadHandle handle = nullptr;
    bool self = false;
    plat::EventHandle go = plat::CreateAutoResetEvent();
    plat::EventHandle done = plat::CreateAutoResetEvent();
};

TEST(KernelThreads, ADetachedThreadRunsToItsEndWhoeverDetachedIt) {
    for (bool self : {false, true}) {
        Detaching d;
        d.self = self;
        d.handle = plat::StartThread(
            [](void* arg) -> uint32_t {
                auto* t = static_cast<Detaching*>(arg);
                plat::WaitForAnyEvent(1, &t->go);
                if (t->self) plat::DetachThread(t->handle);
                plat::SignalEvent(t->done);
                return 0;
            },
            &d, self ? plat::ThreadPriority::Lowest : plat::ThreadPriority::Normal);
        ASSERT_NE(d.handle, nullptr);
        if (!self) plat::DetachThread(d.handle);  // still waiting: it goes on without its handle
        plat::SignalEvent(d.go);
        EXPECT_EQ(plat::WaitForAnyEvent(1, &d.done), 0) << (self ? "self" : "other");
        plat::CloseEvent(d.go);
        plat::CloseEvent(d.done);
    }
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
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(plat::SeekFile(file, 2, plat::SeekFrom::Current), 6u);
    ASSERT_TRUE(plat::ReadFileBytes(file, buffer, 16, &read));
    EXPECT_EQ(read, 4u);  // the end of the file
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_EQ(plat::SeekFile(file, 1, plat::SeekFrom::Begin), 1u);
    EXPECT_EQ(plat::SeekFile(file, -5, plat::SeekFrom::Begin), plat::kSeekFailed);
    EXPECT_TRUE(plat::CloseFileHandle(file));
}

}  // namespace
