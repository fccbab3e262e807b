#include "ui/message_box.h"

#include "ui/runtime_error.h"

namespace {
constexpr size_t kMessageBoxTextLimit = 1023;

MessageBoxSeam& Seam() {
  static MessageBoxSeam seam;
  return seam;
}

// Owner of an application-modal box: the active window of this thread.
HWND MessageBoxOwner() { return GetActiveWindow(); }
}  // namespace

std::wstring CutForMessageBox(const std::wstring& text) {
  return text.size() > kMessageBoxTextLimit ? text.substr(0, kMessageBoxTextLimit) : text;
}

int ShowMessageBox(const std::wstring& prompt, UINT style, const std::wstring& title) {
  MessageBoxCall call;
  call.prompt = CutForMessageBox(prompt);
  call.title = CutForMessageBox(title.empty() ? std::wstring(kAppTitle) : title);
  call.style = style;
  call.owner = MessageBoxOwner();
  if (Seam()) return Seam()(call);
  return MessageBoxW(call.owner, call.prompt.c_str(), call.title.c_str(), call.style);
}

void SetMessageBoxSeam(MessageBoxSeam seam) { Seam() = std::move(seam); }
