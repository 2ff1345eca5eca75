#pragma once
// DialogScene: a modal panel. It shows one picture over the current screen
// and runs its own loop until the player answers: a click on one of its
// buttons, a hot key, or a time limit. It is never made current by the
// shell: the game constructs one, sets it up, runs DoModal, reads the result
// text and destroys it. The inherited name holds the result text.
#include <cstdint>

#include "base/ptr_list.h"
#include "display/image.h"
#include "scene/scene.h"

class DialogScene : public Scene {
public:
    // The panel draws on that page and presents it.
    explicit DialogScene(FramePage& framePage);
    ~DialogScene() override;

    // Creates the panel list.
    void Init() override;
    // Frees buttons and images, then every panel.
    void Leave() override;

    // Places the panel's top left corner at (x, y) and moves the buttons
    // with it. (-1, -1) centres a panel on the page the first time and
    // keeps the position afterwards.
    virtual void SetPosition(int32_t atX, int32_t atY);
    // Ends the loop, with the text as the result when one is given.
    virtual void EndWith(const char* text);
    // Runs the panel until it is answered; copies the result text into
    // result (256 characters) and returns 1. Returns 0, without writing
    // result, when the program is closing.
    virtual int DoModal(char* result, const char* panelName);
    // Once per pass of the loop; 0 ends the loop as if the program closed.
    virtual int Tick(int32_t mouseX, int32_t mouseY, int32_t mouseButtons);
    // Looks at clicks, the hot key and the deadline; returns 1.
    virtual int CheckInput();
    virtual Image* SelectPanel(Image* image);
    // The panel of that name, or the first panel when none has it.
    virtual Image* SelectPanelByName(const char* panelName);
    virtual Image* GetPanel();
    virtual Image* FindPanel(const char* panelName);
    // Appends a panel loaded from the file (kept even when it does not load)
    // and selects it.
    virtual Image* AddPanel(const char* fileName, const char* panelName);
    virtual void SetSwapBackground(int32_t flag);
    // A button named "default" without pictures over the whole panel, so any
    // click on the panel answers it.
    virtual void AddDefaultButton();
    // An absolute clock time after which the panel ends by itself; 0: none.
    virtual void SetDeadline(uint32_t time);
    // A virtual-key code that answers the panel with "key"; 0: none.
    virtual void SetHotKey(int32_t virtualKey);
    // Keeps the parent scene's buttons live; a click on one answers the panel.
    virtual void SetPollParent(int32_t flag);

    PtrList<Image>* panels;
    Image* panel;
    int32_t done;
    int32_t left, top, right, bottom;  // -1 each until positioned
    int32_t swapBackground;
    uint32_t deadline;
    int32_t hotKey;
    int32_t pollParent;

private:
    int32_t PanelWidth() const { return panel ? panel->width : 0; }
    int32_t PanelHeight() const { return panel ? panel->height : 0; }
};
