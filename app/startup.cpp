#include "app/startup.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/forms/frm_quillane.h"
#include "app/locale_settings.h"
#include "ui/error_report.h"
#include "ui/form.h"
#include "ui/message_loop.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
// OLE for the program's thread, from Initialize() to the end of the object.
class OleSession {
 public:
  OleSession() = default;
  ~OleSession() {
    if (active_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  void Initialize() {
    HRESULT result = OleInitialize(nullptr);
    if (FAILED(result)) {
      std::wstring why = SystemMessageText(static_cast<DWORD>(result));
      Raise(static_cast<int32_t>(result), L"", L"OLE can't be initialised" + (why.empty() ? L"" : L": " + why));
    }
    active_ = true;
  }

 private:
  bool active_ = false;
};

void InitializeCommonControls() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  if (!InitCommonControlsEx(&controls))
    Raise(kErrCantCreateObject, L"", L"The common controls can't be initialised");
}
}  // namespace

frmQuillane& ShowMainWindow() {
  frmQuillane& window = DefaultInstance<frmQuillane>();
  window.Show();
  return window;
}

int RunDICOMQuillane() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  OleSession ole;
  try {
    ole.Initialize();
    InitializeCommonControls();
    ReadUserLocaleSettings();
    RegisterWindowClasses();
    ShowMainWindow();
  } catch (const RuntimeError& error) {
    ReportUnhandledError(error);
    ReleaseDefaultInstances();
    return 1;
  } catch (...) {
    ReportCurrentException();
    ReleaseDefaultInstances();
    return 1;
  }
  RunMessageLoop();
  ReleaseDefaultInstances();
  return 0;
}
