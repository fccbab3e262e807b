#include "ui/beep.h"

#include <windows.h>

namespace {
std::function<void()>& Seam() {
  static std::function<void()> seam;
  return seam;
}
}  // namespace

void DefaultBeep() {
  if (Seam()) {
    Seam()();
    return;
  }
  MessageBeep(0);
}

void SetBeepSeam(std::function<void()> seam) { Seam() = std::move(seam); }
