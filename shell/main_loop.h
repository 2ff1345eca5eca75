#pragma once
// The main loop: drain the window messages, then run the current scene once
// while the window is active.

// Returns false when the program ends (window closed or a scene asked to quit).
bool MainLoop();
