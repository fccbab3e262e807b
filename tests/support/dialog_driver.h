#pragma once
// Drives a modal dialog of this process from a second thread, while the test's
// main thread is inside the call that shows it: waits for the process's
// visible "#32770" window, optionally types a text into its file-name box
// ("Edit") and clicks buttons by caption, then posts OK or Cancel and waits
// for the dialog to close. Start it right before the call that shows the
// dialog and Join() right after. A dialog that doesn't appear within the
// timeout fails the test (at Join) and is cancelled should it come later; a
// dialog that doesn't close is cancelled: a test never hangs.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

struct DialogScript {
  bool typeText = false;               // put `text` into the file-name box
  std::wstring text;
  std::vector<std::wstring> clicks;    // captions of buttons to click first
  bool confirm = true;                 // IDOK, or IDCANCEL
  bool answerYes = false;              // answer a question the dialog asks after OK (replace the file?) with Yes
  bool act = true;                     // false: only watch until the program closes the dialog
  std::function<void(HWND dialog)> inspect;  // runs on the driver thread once the dialog is up

  static DialogScript Type(std::wstring text) {
    DialogScript s;
    s.typeText = true;
    s.text = std::move(text);
    return s;
  }
  static DialogScript Confirm() { return DialogScript{}; }
  static DialogScript Cancel() {
    DialogScript s;
    s.confirm = false;
    return s;
  }
  static DialogScript Watch() {
    DialogScript s;
    s.act = false;
    return s;
  }
};

class DialogDriver {
 public:
  explicit DialogDriver(DialogScript script, DWORD timeoutMs = 15000);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Ends the drive once the showing call has returned (the destructor does it
  // too); fails the running test when no dialog appeared in time.
  void Join();
  // A dialog appeared in time.
  bool Found() const { return found_; }
  // It closed after the script's action (no forced cancel was needed).
  bool ClosedByScript() const { return closedByScript_; }
  // What the dialog showed before the script acted.
  const std::wstring& InitialText() const { return initialText_; }
  const std::wstring& Caption() const { return caption_; }

 private:
  void Run();
  HWND FindDialog() const;
  void CancelStuckDialog(HWND dialog);

  DialogScript script_;
  DWORD timeoutMs_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> found_{false};
  std::atomic<bool> closedByScript_{false};
  std::wstring initialText_;
  std::wstring caption_;
  std::thread thread_;
};

// The visible top-level "#32770" windows of this process.
std::vector<HWND> VisibleDialogsOfThisProcess();
// The file-name box of a dialog: its edit control with id 0x480 (edt1), or its
// first visible "Edit" descendant.
HWND FileNameBox(HWND dialog);
// The file list of a dialog: its first visible "SysListView32" descendant.
HWND FileList(HWND dialog);
// The text of a window, read from another thread without blocking forever.
std::wstring WindowTextOf(HWND window);
