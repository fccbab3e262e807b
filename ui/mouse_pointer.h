#pragma once
// The application-wide mouse pointer: while it is the hourglass, the pointer
// shows the hourglass over every window of the program, whatever the window's
// own pointer; back to Default, each window shows its own pointer again.
enum class MousePointer { Default = 0, Hourglass = 11 };

void SetMousePointer(MousePointer pointer);
MousePointer GetMousePointer();

// For the layer's window procedures, on WM_SETCURSOR: shows the hourglass and
// returns true while it is set; returns false (let the window choose) otherwise.
bool ApplyApplicationPointer();
