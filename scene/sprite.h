#pragma once
// Sprite: a named, positioned, animated picture. It keeps a list of frame
// surfaces, a current frame, a frame delay and a play mode, draws its current
// frame keyed with pure blue and reports what it drew so the area is restored
// from the background when the same page comes round again.
#include <cstdint>

#include "base/ptr_list.h"
#include "platform/surface.h"

struct FramePage;

class Sprite {
public:
    // What Update does when the frame runs past either end of its range.
    static constexpr int32_t kPlayOnceHold = 0;
    static constexpr int32_t kLoop = 1;
    static constexpr int32_t kPlayOnceRewind = 2;
    static constexpr int32_t kPlayOnceVanish = 3;

    Sprite();
    // A running copy of a template: it shares the template's frame surfaces
    // (which must outlive it) and takes over its position and animation.
    Sprite(const Sprite& templateSprite);
    Sprite& operator=(const Sprite&) = delete;
    // Releases the frame surfaces unless they belong to another sprite.
    virtual ~Sprite();

    virtual void Rewind();
    // Keys the surface with pure blue and appends it; the sprite takes the
    // surface's size. A null surface adds nothing. Returns 1.
    virtual int AddFrame(plat::Surface* surface);
    // Appends a frame loaded from a BMP; a file that does not load shows a
    // message box and adds nothing. Returns 1.
    virtual int LoadFrame(const char* fileName);
    // Appends a surface that belongs to someone else (the sprite then
    // releases none of its frames).
    virtual int AddSharedFrame(plat::Surface* surface);
    virtual void SetPosition(int32_t newX, int32_t newY);
    // Draws into the page's background layer, so the picture stays until
    // refreshed.
    virtual void DrawOnBackground();
    // Draws the w by h block at (sx, sy) of the current frame at (dx, dy).
    virtual void DrawPart(int32_t sx, int32_t sy, int32_t w, int32_t h,
                          plat::Surface* destination, int32_t dx, int32_t dy);
    virtual void Draw(plat::Surface* destination);
    virtual void Move();
    virtual void SetRect(int32_t a, int32_t b, int32_t c, int32_t d);
    // Sets the frame only when the index names one.
    virtual void SetFrame(int32_t index);
    virtual int32_t GetFrame();
    virtual void SetVisible(int32_t flag);
    virtual void SetDelay(int32_t milliseconds);
    // Sets the colour key of every frame; returns the number of frames.
    virtual int SetColorKey(int32_t red, int32_t green, int32_t blue);
    // Time-stepped advance over all frames; 1 when it stepped.
    virtual int Step();
    virtual void SetFrameIndex(int32_t index);
    // Cuts a strip of count equal frames (side by side, or stacked when
    // vertical) into frames; the sprite's size becomes the whole strip's.
    // Returns the number of frames, 0 when the file does not load or count
    // is below 1.
    virtual int LoadStrip(const char* fileName, int32_t count, int32_t vertical);
    // Cuts a sheet into cells of the given size, row by row; returns the
    // number of frames. A cell size below 1 is refused and changes nothing.
    virtual int LoadSheet(const char* fileName, int32_t cellWidth, int32_t cellHeight);
    virtual void SetRange(int32_t firstFrame, int32_t lastFrame);
    virtual void SetName(const char* text);
    virtual void SetPlaying(int32_t flag);
    virtual void SetMode(int32_t newMode);
    virtual void SetMarkDirty(int32_t flag);
    // Frame-driven animation over first..last according to the mode.
    virtual void Update();
    // Divides the width among the frames (for strips laid side by side).
    virtual void SplitWidth();
    virtual void SetCentred(int32_t flag);

    char name[64];
    float x;
    float y;
    float vx;
    float vy;
    int32_t width;
    int32_t height;
    int32_t mode;
    int32_t playing;
    PtrList<plat::Surface>* frames;
    int32_t frame;  // -1: no frame
    int32_t centred;
    int32_t rect[4];
    int32_t delay;
    int32_t step;
    // Update: time of the last step; Step: time of the next step.
    uint32_t stamp;
    int32_t sharesFrames;
    int32_t first;  // -1: no range set up
    int32_t last;   // one past the last frame played
    int32_t restoreBeforeDraw;
    int32_t markDirty;
    int32_t wrap;
    int32_t animate;
    int32_t visible;
    // The page the sprite is drawn for, whose manager its reports go to;
    // null until its owner hands it one (see DirtyRectsOf).
    FramePage* page;

private:
    int32_t FrameCount() const { return frames ? frames->Count() : 0; }
    // The current frame's surface, or null when frame names none.
    plat::Surface* CurrentSurface() const;
    // Reports a drawn area when markDirty is set.
    void ReportDrawn(int32_t left, int32_t top, int32_t w, int32_t h) const;
};
