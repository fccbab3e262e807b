#pragma once
// The program's message loops. All of them let the forms handle their keys
// (Tab and Shift+Tab through the tab order, arrows inside an option group,
// Enter for the default button or the focused button, Esc for the cancel
// button) before messages are dispatched.
#include <windows.h>

// Runs until no form is loaded any more (or WM_QUIT arrives).
void RunMessageLoop();

// Processes the messages that are waiting in the thread's queue, once, and
// returns (it does not wait for new ones). A WM_QUIT found there is left in
// the queue for the loop that runs the program.
void ProcessWaitingMessages();

// Handles one message taken from the queue (keys of the forms, translate,
// dispatch). For loops of the layer; nothing else needs it.
void DispatchQueuedMessage(MSG& message);
