#pragma once
// The program's run-time error: a number, a source and a description.
// Raise() throws it; a handler is a try/catch where the program needs one;
// an error nobody handles reaches the forms layer's unhandled-error report.
#include <cstdint>
#include <exception>
#include <string>

// Title of the application: default source of raised errors and default
// title of message boxes.
inline constexpr wchar_t kAppTitle[] = L"DICOMQuillane";

// Numbers of the standard run-time errors the program raises or reports.
enum StandardError : int32_t {
  kErrInvalidCall = 5,
  kErrOverflow = 6,
  kErrOutOfMemory = 7,
  kErrSubscript = 9,
  kErrBadFileName = 52,
  kErrFileNotFound = 53,
  kErrBadFileMode = 54,
  kErrFileAlreadyOpen = 55,
  kErrDeviceIO = 57,
  kErrDiskFull = 61,
  kErrInputPastEnd = 62,
  kErrPermissionDenied = 70,
  kErrPathFileAccess = 75,
  kErrPathNotFound = 76,
  kErrObjectRequired = 424,
  kErrCantCreateObject = 429,
  kErrAutomation = 440,
};

// User-defined error numbers start above this base.
inline constexpr int32_t kUserErrorBase = static_cast<int32_t>(0x80040000);

class RuntimeError : public std::exception {
 public:
  RuntimeError(int32_t number, std::wstring source, std::wstring description);

  int32_t Number() const { return number_; }
  const std::wstring& Source() const { return source_; }
  const std::wstring& Description() const { return description_; }
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  int32_t number_;
  std::wstring source_;
  std::wstring description_;
  std::string what_;
};

// Throws a RuntimeError. An empty source becomes the application title and an
// empty description the standard text of the number.
[[noreturn]] void Raise(int32_t number, const std::wstring& source = L"",
                        const std::wstring& description = L"");

// The standard message text of a run-time error number ("Overflow", ...), or
// "Application-defined or object-defined error" for numbers it doesn't know.
std::wstring StandardErrorText(int32_t number);

// Maps a Win32 error code of a failed file operation to the run-time error
// that the program reports for it (53 file not found, 76 path not found, ...).
int32_t FileErrorFromWin32(uint32_t win32Error);
