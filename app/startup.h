#pragma once
// The program's start and end.
class frmQuillane;

// Start-up, in this order: no critical-error or open-file error boxes of the
// system, OLE, the common controls, the user's locale settings, the window
// classes, the main window (its default instance, from its design) shown;
// then the message loop until no window is left; at the end the default
// instances are released and OLE is uninitialised. Returns the exit code: 0,
// or 1 when a start-up step failed (it is reported as a run-time error first).
int RunDICOMQuillane();

// Makes the main window's default instance from its design and shows it, as
// the start does.
frmQuillane& ShowMainWindow();
