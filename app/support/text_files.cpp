#include "app/support/text_files.h"

#include <windows.h>

#include "ui/input_box.h"
#include "ui/message_box.h"
#include "ui/runtime_error.h"
#include "ui/text.h"
#include "ui/win_handle.h"

namespace {

constexpr int32_t kWritten = 0;

// The run-time error number of the last failed file call.
int32_t LastFileError() { return FileErrorFromWin32(GetLastError()); }

// Opens (or creates) the file, writes the bytes from its start and cuts it
// there, so that nothing of an older, longer content stays behind even when
// the file could not be deleted first. 0 on success, else the run-time error.
int32_t WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  WinHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return LastFileError();
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr)) return LastFileError();
    if (written == 0) return kErrDiskFull;
    done += written;
  }
  if (!SetEndOfFile(file.Get())) return LastFileError();
  return kWritten;
}

std::wstring BadNamePrompt(const std::wstring& path) {
  return L"Le nom '" + path + L"' \r\nparait invalide : Merci de le corriger :";
}

// "Erreur : ", the number as the system formats a number (a leading blank when
// it is not negative), CR LF and the error's message text.
std::wstring WriteErrorText(int32_t number) {
  std::wstring formatted = (number >= 0 ? L" " : L"") + DecimalText(number);
  return L"Erreur : " + formatted + L"\r\n" + StandardErrorText(number);
}

}  // namespace

bool WriteTextFile(const std::wstring& text, std::wstring& path, bool askOnBadName) {
  const std::string bytes = ToAnsi(text);
  DeleteFileQuiet(path);
  for (;;) {
    int32_t error = WriteWholeFile(path, bytes);
    if (error == kWritten) return true;
    if (!askOnBadName) return false;
    if (error != kErrBadFileName) {
      ShowMessageBox(WriteErrorText(error), MB_OK | MB_ICONEXCLAMATION, L"Erreur");
      return false;
    }
    path = InputBox(BadNamePrompt(path), L"Nom Invalide...", path);
    if (path.empty()) return false;
  }
}

void DeleteFileQuiet(const std::wstring& path) { DeleteFileW(path.c_str()); }
