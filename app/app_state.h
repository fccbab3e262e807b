#pragma once
// The module-level state that the main window owns and the item editor reads.
#include <string>

// dcmdump's printout of the last file that passed the "DICM" test (replaced
// right after each dump, before the dump is checked).
extern std::wstring HeaderDump;
// Full path of the file shown in the main window (set only after a good dump):
// the file that dcmodify rewrites.
extern std::wstring CurrentDicomFile;
