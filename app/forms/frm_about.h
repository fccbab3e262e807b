#pragma once
// The about box: the program's logo, a few lines of credits, the online help
// (opened translated into the user's language) and two picture links to the
// sites of the DICOM toolkit and of the development tool.
//
// The main window shows it modally through its default instance:
//   DefaultInstance<frmAbout>().ShowModal(Hwnd());
// "Ok", "    Help" and the close box unload it, so each showing starts again
// from the design.
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"

// The stored design of the about box.
const FormDesign& AboutDesign();

class frmAbout : public Form {
 public:
  frmAbout();

  CommandButton& Command2 = Get<CommandButton>(L"Command2");  // "    Help"
  CommandButton& Command1 = Get<CommandButton>(L"Command1");  // "Ok"
  ControlArray<Label> Label1 = Array<Label>(L"Label1");
  Image& Image1 = Get<Image>(L"Image1");  // the program's logo
  Image& Image2 = Get<Image>(L"Image2");  // link to the DICOM toolkit's site
  Image& Image3 = Get<Image>(L"Image3");  // link to the development tool's site

 protected:
  void OnLoad() override;

 private:
  void Command2_Click();
  void Command1_Click();
  void Image2_Click();
  void Image3_Click();
};
