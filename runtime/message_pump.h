#pragma once
// The message pump every loop of the game runs: the main loop, a modal panel,
// a wait on a splash picture.

// Dispatches the queued window messages. 0 when the queue is empty, 1 when the
// quit message was taken (it is posted again so that every loop up the stack
// sees it).
int PumpMessages();
