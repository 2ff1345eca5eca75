#pragma once
// SpritePool: the running sprites. The game sets up a template sprite and
// hands it to the pool, which keeps a copy sharing the template's frames and
// animates and draws every copy once per frame. The pool owns its copies.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"
#include "scene/sprite.h"

class SpritePool {
public:
    SpritePool();
    ~SpritePool();
    SpritePool(const SpritePool&) = delete;
    SpritePool& operator=(const SpritePool&) = delete;

    // Starts the template's animation from the beginning of its range and
    // appends a copy of it; the template stays with the caller and must
    // outlive the copy. Null for a null template.
    Sprite* Create(Sprite* templateSprite);
    // Advances every copy and draws those showing a frame of their range;
    // then destroys the copies of mode 3 that have run out of their range.
    void UpdateAll(plat::Surface* destination);
    // Steps every copy by time and draws those that stepped into the
    // background layer.
    void StepAll();
    // The first copy of exactly that name, or null.
    Sprite* Find(const char* spriteName);
    // Takes the first copy of that name out of the pool and destroys it:
    // nothing else keeps a pointer to a pool copy.
    void Remove(const char* spriteName);
    // Destroys every copy and the list; the next Create makes a new list.
    void Clear();

    PtrList<Sprite>* sprites;
};

extern SpritePool g_SpritePool;
