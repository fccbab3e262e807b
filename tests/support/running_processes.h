#pragma once
// The processes that run on the system, as the tests count them.

// How many processes of the executable (a file name such as "dcmdump.exe",
// compared ignoring case) are running; -1 when the system can't tell.
int RunningProcessesNamed(const wchar_t* exeName);
