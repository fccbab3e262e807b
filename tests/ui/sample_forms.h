#pragma once
// Small forms for the forms layer's tests: one with every kind of control
// (including an array of row containers with an option pair each), and a
// dialog that is shown modally through its default instance.
#include <functional>
#include <string>
#include <vector>

#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/option_button.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"

// Stock icons of the system, used as pictures until the program has its own.
inline constexpr int kStockError = 32513;
inline constexpr int kStockQuestion = 32514;
inline constexpr int kStockWarning = 32515;
inline constexpr int kStockInformation = 32516;

const FormDesign& SampleDesign();
const FormDesign& DialogDesign();

// Every event of the form and its controls is written into `log`, in order.
class SampleForm : public Form {
 public:
  SampleForm();

  std::vector<std::wstring> log;
  std::function<void()> goAction;                        // cmdGo's Click, after logging
  std::function<void(int)> unlockedAction;               // Unlocked(i)'s Click, after logging
  std::function<void(bool&, UnloadMode)> queryUnloadAction;
  std::function<void(bool&)> unloadAction;
  std::function<void()> resizeAction;

  CommandButton& cmdGo = Get<CommandButton>(L"cmdGo");
  CommandButton& cmdHidden = Get<CommandButton>(L"cmdHidden");
  ControlArray<OptionButton> Option1 = Array<OptionButton>(L"Option1");
  TextBox& Text1 = Get<TextBox>(L"Text1");
  Label& lblTitle = Get<Label>(L"lblTitle");
  Image& Image1 = Get<Image>(L"Image1");
  Line& Line1 = Get<Line>(L"Line1");
  ControlArray<PictureBox> Row = Array<PictureBox>(L"Row");
  ControlArray<Label> lblRow = Array<Label>(L"lblRow");
  ControlArray<TextBox> txtRow = Array<TextBox>(L"txtRow");
  ControlArray<OptionButton> Locked = Array<OptionButton>(L"Locked");
  ControlArray<OptionButton> Unlocked = Array<OptionButton>(L"Unlocked");

  bool Logged(const std::wstring& entry) const;

 protected:
  void OnLoad() override;
  void OnResize() override;
  void OnQueryUnload(bool& cancel, UnloadMode mode) override;
  void OnUnload(bool& cancel) override;
};

// A dialog for modal showing. Counts its instances; what it does on Load and
// on "OK" (which unloads it afterwards) comes from the test.
class DialogForm : public Form {
 public:
  DialogForm();
  ~DialogForm() override;

  static inline int made = 0;
  static inline int deleted = 0;
  static inline std::function<void(DialogForm&)> loadAction;
  static inline std::function<void(DialogForm&)> okAction;

  CommandButton& cmdOK = Get<CommandButton>(L"cmdOK");
  TextBox& txtValue = Get<TextBox>(L"txtValue");

 protected:
  void OnLoad() override;
};
