#pragma once
// The system's default beep (MessageBeep with type 0), with a test seam.
#include <functional>

void DefaultBeep();

// Test seam: while set, DefaultBeep calls it instead of sounding. Pass an
// empty function to remove it.
void SetBeepSeam(std::function<void()> seam);
