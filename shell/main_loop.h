#pragma once
// The main loop: drain the window messages, then run the current scene once
// while the window is active.

// Returns false when the program ends (window closed or a scene asked to quit).
bool MainLoop();
// 0 when the queue is empty, 1 when the quit message was taken (it is posted
// again so that every loop up the stack sees it).
int PumpMessages();
