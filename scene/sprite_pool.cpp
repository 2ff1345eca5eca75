#include "scene/sprite_pool.h"

#include <cstring>

#include "runtime/frame_timer.h"

SpritePool g_SpritePool;

namespace {
bool ShowsFrameOfRange(const Sprite& sprite) {
    return sprite.first <= sprite.frame && sprite.frame < sprite.last;
}
}  // namespace

SpritePool::SpritePool() : sprites(new PtrList<Sprite>(1)) {}

SpritePool::~SpritePool() { Clear(); }

Sprite* SpritePool::Create(Sprite* templateSprite) {
    if (templateSprite == nullptr) return nullptr;
    if (sprites == nullptr) sprites = new PtrList<Sprite>(1);
    templateSprite->stamp = FrameTimer::Now();
    templateSprite->frame = templateSprite->first == -1 ? 0 : templateSprite->first;
    return sprites->Add(new Sprite(*templateSprite));
}

void SpritePool::UpdateAll(plat::Surface* destination) {
    if (sprites == nullptr) return;
    for (int32_t i = 0; i < sprites->Count(); ++i) {
        Sprite* sprite = sprites->Get(i);
        sprite->Update();
        if (ShowsFrameOfRange(*sprite)) sprite->Draw(destination);
    }
    // Walk by index: a removal moves the next entry into this slot, and it
    // must be examined too.
    for (int32_t i = 0; i < sprites->Count();) {
        Sprite* sprite = sprites->Get(i);
        if (sprite->mode == Sprite::kPlayOnceVanish && !ShowsFrameOfRange(*sprite)) {
            sprites->Remove(sprite);
            delete sprite;
        } else {
            ++i;
        }
    }
}

void SpritePool::StepAll() {
    if (sprites == nullptr) return;
    for (int32_t i = 0; i < sprites->Count(); ++i) {
        Sprite* sprite = sprites->Get(i);
        if (sprite->Step() != 0) sprite->DrawOnBackground();
    }
}

Sprite* SpritePool::Find(const char* spriteName) {
    if (sprites == nullptr || spriteName == nullptr) return nullptr;
    for (int32_t i = 0; i < sprites->Count(); ++i) {
        if (std::strcmp(sprites->Get(i)->name, spriteName) == 0) return sprites->Get(i);
    }
    return nullptr;
}

void SpritePool::Remove(const char* spriteName) {
    Sprite* sprite = Find(spriteName);
    if (sprite == nullptr) return;
    sprites->Remove(sprite);
    delete sprite;
}

void SpritePool::Clear() {
    if (sprites == nullptr) return;
    sprites->DeleteAll();
    delete sprites;
    sprites = nullptr;
}
