#pragma once
// FloatingScore: the points of a find, rising from the found cell for one
// second. It moves by its velocity divided by the measured frame rate, so it
// rises at the same speed however fast the screen runs.
#include <cstdint>

#include "scene/sprite.h"

class FloatingScore : public Sprite {
public:
    static constexpr uint32_t kLifetimeMs = 1000;
    static constexpr float kRiseSpeed = -50.0f;  // pixels per second
    static constexpr float kTopLimit = 20.0f;

    void Move() override;

    uint32_t expiry = 0;  // frame clock time after which it is removed
};
