#include "ui/picture_box.h"

#include "ui/error_report.h"
#include "ui/form.h"
#include "ui/scale.h"

namespace {
constexpr wchar_t kPictureBoxClass[] = L"DQPictureBox";
}  // namespace

bool PictureBox::RegisterWindowClass() {
  static const bool registered = RegisterContainerClass(kPictureBoxClass, WindowProc);
  return registered;
}

void PictureBox::Create(HWND containerWindow) {
  picture_ = design_.picture;
  WindowedControl::Create(containerWindow);
}

HWND PictureBox::CreateControlWindow(HWND container, const RECT& bounds) {
  RegisterWindowClass();
  return MakeChildWindow(container, bounds, kPictureBoxClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, L"");
}

void PictureBox::SetPicture(int iconId, int designSize) {
  picture_ = PictureDesign{iconId, designSize};
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void PictureBox::PaintPicture(HDC dc) const {
  if (HICON icon = LoadDesignIcon(picture_.iconId, picture_.size)) {
    int pixels = DesignToPixels(picture_.size);
    DrawIconEx(dc, 0, 0, icon, pixels, pixels, 0, nullptr, DI_NORMAL);
  }
}

LRESULT CALLBACK PictureBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* box = static_cast<PictureBox*>(FromHwnd(window));
  if (box && message != WM_NCDESTROY) {
    Form& form = box->form_;
    Form::CodeScope running(form);
    try {
      LRESULT result = 0;
      if (form.HandleContainerMessage(box, window, message, wParam, lParam, result)) return result;
    } catch (...) {
      ReportCurrentException();
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
