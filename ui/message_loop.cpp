#include "ui/message_loop.h"

#include "ui/command_button.h"
#include "ui/form.h"

namespace {
// Enough for any burst of waiting messages; stops a queue that refills itself.
constexpr int kMostWaitingMessages = 10000;

// Enter on a focused command button presses that button.
bool PressFocusedButton(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  auto* button = dynamic_cast<CommandButton*>(WindowedControl::FromHwnd(message.hwnd));
  if (!button || button->Hwnd() != message.hwnd || !IsFormWindow(GetAncestor(message.hwnd, GA_ROOT)))
    return false;
  SendMessageW(message.hwnd, BM_CLICK, 0, 0);
  return true;
}
}  // namespace

void DispatchQueuedMessage(MSG& message) {
  if (message.hwnd) {
    if (PressFocusedButton(message)) return;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && IsFormWindow(root) && IsDialogMessageW(root, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void RunMessageLoop() {
  MSG message;
  while (LoadedFormCount() > 0) {
    CollectRetiredForms();
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) break;
    DispatchQueuedMessage(message);
  }
  CollectRetiredForms();
}

void ProcessWaitingMessages() {
  MSG message;
  for (int handled = 0; handled < kMostWaitingMessages; ++handled) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) break;
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    DispatchQueuedMessage(message);
  }
  CollectRetiredForms();
}
