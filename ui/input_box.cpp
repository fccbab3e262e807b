#include "ui/input_box.h"

#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/message_box.h"
#include "ui/runtime_error.h"
#include "ui/text_box.h"

namespace {
InputBoxSeam& Seam() {
  static InputBoxSeam seam;
  return seam;
}

FormDesign InputBoxDesign(const InputBoxCall& call) {
  const FontDesign font{L"Tahoma", 8.25};
  return FormDesign{
      .name = L"InputBox",
      .caption = call.title,
      .clientWidth = 372,
      .clientHeight = 132,
      .border = BorderStyle::FixedDialog,
      .startPosition = StartPosition::CenterOwner,
      .font = font,
      .controls = {
          {.name = L"lblPrompt", .kind = ControlKind::Label, .left = 9, .top = 12, .width = 270, .height = 78,
           .caption = call.prompt},
          {.name = L"cmdOK", .kind = ControlKind::CommandButton, .left = 288, .top = 9, .width = 75, .height = 25,
           .caption = L"OK", .tabIndex = 1, .isDefault = true},
          {.name = L"cmdCancel", .kind = ControlKind::CommandButton, .left = 288, .top = 40, .width = 75,
           .height = 25, .caption = L"Cancel", .tabIndex = 2, .isCancel = true},
          {.name = L"txtAnswer", .kind = ControlKind::TextBox, .left = 9, .top = 99, .width = 354, .height = 22,
           .caption = call.defaultText, .tabIndex = 0},
      }};
}

class InputBoxForm : public Form {
 public:
  explicit InputBoxForm(const InputBoxCall& call) : Form(InputBoxDesign(call)) {
    cmdOK.onClick = [this] {
      answer_ = txtAnswer.Text();
      Unload();
    };
    cmdCancel.onClick = [this] { Unload(); };
    txtAnswer.onGotFocus = [this] {
      txtAnswer.SetSelStart(0);
      txtAnswer.SetSelLength(txtAnswer.TextLength());
    };
  }

  const std::wstring& Answer() const { return answer_; }

 private:
  CommandButton& cmdOK = Get<CommandButton>(L"cmdOK");
  CommandButton& cmdCancel = Get<CommandButton>(L"cmdCancel");
  TextBox& txtAnswer = Get<TextBox>(L"txtAnswer");
  std::wstring answer_;
};
}  // namespace

std::wstring InputBox(const std::wstring& prompt, const std::wstring& title, const std::wstring& defaultText) {
  InputBoxCall call;
  call.prompt = CutForMessageBox(prompt);
  call.title = title.empty() ? std::wstring(kAppTitle) : title;
  call.defaultText = defaultText;
  call.owner = GetActiveWindow();
  if (Seam()) return Seam()(call);
  InputBoxForm box(call);
  box.ShowModal(call.owner);
  return box.Answer();
}

void SetInputBoxSeam(InputBoxSeam seam) { Seam() = std::move(seam); }
