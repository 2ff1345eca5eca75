// The real-time clock on a system that cannot make another thread: no timer,
// rather than an exception through the caller.
#include "platform/sdl/real_clock.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace {

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

void Tick(void*) {}

// The process's address space in use, in bytes.
long AddressSpaceInUse() {
    long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return -1;
    if (std::fscanf(statm, "%ld", &pages) != 1) pages = -1;
    std::fclose(statm);
    return pages < 0 ? -1 : pages * sysconf(_SC_PAGESIZE);
}

TEST(RealClock, NoRoomForATimerThreadGivesNoTimer) {
    // The sanitizers reserve their own memory as threads start: a limit on
    // the address space stops them before the clock.
    if (kSanitized) GTEST_SKIP() << "the address space limit stops the sanitizer first";
    plat::RealClock clock;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // A thread's stack no longer fits: the thread cannot be made.
        const long inUse = AddressSpaceInUse();
        rlimit limit{static_cast<rlim_t>(inUse + (1 << 20)), static_cast<rlim_t>(inUse + (1 << 20))};
        if (inUse < 0 || setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
        _exit(clock.StartPeriodic(10, Tick, nullptr) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const plat::TimerId timer = clock.StartPeriodic(10, Tick, nullptr);
    EXPECT_NE(timer, 0u);
    clock.StopPeriodic(timer);
}

}  // namespace
