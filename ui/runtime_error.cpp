#include "ui/runtime_error.h"

#include <windows.h>

#include "ui/text.h"

RuntimeError::RuntimeError(int32_t number, std::wstring source, std::wstring description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
  what_ = "Run-time error " + std::to_string(number_) + ": " + ToAnsi(description_);
}

void Raise(int32_t number, const std::wstring& source, const std::wstring& description) {
  throw RuntimeError(number, source.empty() ? std::wstring(kAppTitle) : source,
                     description.empty() ? StandardErrorText(number) : description);
}

std::wstring StandardErrorText(int32_t number) {
  switch (number) {
    case 3: return L"Return without GoSub";
    case 5: return L"Invalid procedure call or argument";
    case 6: return L"Overflow";
    case 7: return L"Out of memory";
    case 9: return L"Subscript out of range";
    case 11: return L"Division by zero";
    case 13: return L"Type mismatch";
    case 52: return L"Bad file name or number";
    case 53: return L"File not found";
    case 54: return L"Bad file mode";
    case 55: return L"File already open";
    case 57: return L"Device I/O error";
    case 61: return L"Disk full";
    case 62: return L"Input past end of file";
    case 67: return L"Too many files";
    case 68: return L"Device unavailable";
    case 70: return L"Permission denied";
    case 71: return L"Disk not ready";
    case 75: return L"Path/File access error";
    case 76: return L"Path not found";
    case 91: return L"Object variable or With block variable not set";
    case 424: return L"Object required";
    case 429: return L"ActiveX component can't create object";
    case 438: return L"Object doesn't support this property or method";
    case 440: return L"Automation error";
    default: return L"Application-defined or object-defined error";
  }
}

int32_t FileErrorFromWin32(uint32_t win32Error) {
  switch (win32Error) {
    case ERROR_FILE_NOT_FOUND: return kErrFileNotFound;
    case ERROR_PATH_NOT_FOUND: return kErrPathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE: return kErrBadFileName;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return kErrPermissionDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kErrPathFileAccess;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return kErrDiskFull;
    case ERROR_NOT_READY: return 71;
    case ERROR_TOO_MANY_OPEN_FILES: return 67;
    default: return kErrDeviceIO;
  }
}
