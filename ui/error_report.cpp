#include "ui/error_report.h"

#include <windows.h>

#include <cwchar>
#include <new>

#include "ui/message_box.h"
#include "ui/text.h"

namespace {
constexpr int32_t kErrInternal = 51;
}  // namespace

std::wstring UnhandledErrorText(int32_t number, const std::wstring& description) {
  std::wstring shown = DecimalText(number);
  if (number < 0) {
    wchar_t hex[16];
    swprintf(hex, 16, L"%08x", static_cast<uint32_t>(number));
    shown += L" (" + std::wstring(hex) + L")";
  }
  return L"Run-time error '" + shown + L"':\r\n\r\n" + description;
}

void ReportUnhandledError(const RuntimeError& error) {
  ShowMessageBox(UnhandledErrorText(error.Number(), error.Description()), MB_OK | MB_ICONERROR);
}

void ReportCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const RuntimeError& error) {
      ReportUnhandledError(error);
    } catch (const std::bad_alloc&) {
      ReportUnhandledError(RuntimeError(kErrOutOfMemory, kAppTitle, StandardErrorText(kErrOutOfMemory)));
    } catch (const std::exception& error) {
      std::wstring what = FromAnsi(error.what());
      ReportUnhandledError(RuntimeError(kErrInternal, kAppTitle, what.empty() ? L"Internal error" : what));
    } catch (...) {
      ReportUnhandledError(RuntimeError(kErrInternal, kAppTitle, L"Internal error"));
    }
  } catch (...) {
    // The report itself failed (no memory left for the box): nothing more to do.
  }
}

void RunEventHandler(const std::function<void()>& handler) noexcept {
  if (!handler) return;
  try {
    handler();
  } catch (...) {
    ReportCurrentException();
  }
}
