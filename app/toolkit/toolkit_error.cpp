#include "app/toolkit/toolkit_error.h"

#include <new>

#include "ui/message_box.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
void ShowToolkitError(const RuntimeError& e) {
  ShowMessageBox(e.Description() + L" - " + e.Source() + L" - " + DecimalText(e.Number()), MB_OK);
}
}  // namespace

std::wstring RunReportingToolkitErrors(const std::function<std::wstring()>& body) {
  try {
    return body();
  } catch (const RuntimeError& e) {
    ShowToolkitError(e);
  } catch (const std::bad_alloc&) {
    ShowToolkitError(RuntimeError(kErrOutOfMemory, kAppTitle, StandardErrorText(kErrOutOfMemory)));
  }
  return L"";
}
