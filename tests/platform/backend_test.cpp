#include "platform/backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// What REEF_BACKEND set to value chooses; "refused: <reason>" when it is no
// backend's name.
std::string ChosenFor(const char* value) {
    if (value) setenv("REEF_BACKEND", value, 1);
    else unsetenv("REEF_BACKEND");
    plat::Backend backend = plat::Backend::Headless;
    std::string error;
    const bool known = plat::BackendFromEnvironment(&backend, &error);
    setenv("REEF_BACKEND", "headless", 1);
    if (!known) return "refused: " + error;
    return backend == plat::Backend::Real ? "sdl" : "headless";
}

TEST(Backend, EnvironmentNamesABackendOrIsRefusedWithTheKnownNames) {
    EXPECT_EQ(ChosenFor(nullptr), "sdl");
    EXPECT_EQ(ChosenFor(""), "sdl");
    EXPECT_EQ(ChosenFor("sdl"), "sdl");
    EXPECT_EQ(ChosenFor("headless"), "headless");
    EXPECT_EQ(ChosenFor("Headless"), "refused: REEF_BACKEND=Headless: unknown backend (known: sdl, headless)");
    EXPECT_EQ(ChosenFor("foo"), "refused: REEF_BACKEND=foo: unknown backend (known: sdl, headless)");
}

}  // namespace
