#pragma once
// frmQuillane: the main window. The user chooses a DICOM file; the window
// checks its "DICM" marker, shows the header that dcmdump prints (read-only
// unless the user unlocks it) with the file's modality, and remembers the
// file's folder for the next choice. From here the user opens the item editor
// ("Edit...") and the about box (the question mark).
#include <string>
#include <string_view>

#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/option_button.h"
#include "ui/text_box.h"

// The window's stored design.
const FormDesign& QuillaneDesign();

// The caption while no file is shown; a shown file's path follows it.
inline constexpr wchar_t kQuillaneCaptionPrefix[] = L"Ruriz Ozaduz : ";

// What dcmdump prints when the file ends in the middle of an element.
inline constexpr wchar_t kPrematureEndText[] = L"I/O suspension or premature end of stream";

// Where the last folder of an opened file is kept.
inline constexpr wchar_t kSettingsAppName[] = L"DICOMQuillane";
inline constexpr wchar_t kSettingsSection[] = L"Parameters";
inline constexpr wchar_t kLastPathKey[] = L"LastPath";

// The text that replaces the header when a file is not a DICOM file (or its
// dump broke off): two line breaks, then a box of five 42-character lines.
std::wstring NotDicomBannerText();

// The text as a multi-line edit box shows it whole and line by line: every
// line break as CR LF (a bare LF or a bare CR becomes CR LF; CR LF stays),
// and a NUL character, which would end the box's text there, as a blank.
std::wstring TextForTextBox(const std::wstring& text);
// True when TextForTextBox gives the text back unchanged (every line break is
// CR LF and there is no NUL), so that the box can take the text itself.
bool ShowsInTextBoxAsIs(std::wstring_view text);

class frmQuillane : public Form {
 public:
  frmQuillane();

  // Shows a DICOM file. An empty name asks the user for one (the open
  // dialog starts in the folder of the last file opened); a name is opened
  // without a dialog. Registry errors reach the caller.
  void OpenDicomFile(std::wstring FileName);
  // The window without a file: empty header, no "Edit..." and no modality,
  // the text locked, the caption without a path.
  void ShowNoFile();

 protected:
  void OnResize() override { Form_Resize(); }

 private:
  // True when bytes 128-131 of the file read "DICM" (ignoring case).
  static bool IsDicomFile(const std::wstring& path);
  void ShowNotDicomBanner();

  void cmdCommand1_Click();
  void cmdEdit_Click();
  void ImageAbout_Click();
  void Option1_Click(int index);
  void Form_Resize();

  CommandButton& cmdCommand1 = Get<CommandButton>(L"cmdCommand1");
  ControlArray<OptionButton> Option1 = Array<OptionButton>(L"Option1");
  CommandButton& cmdEdit = Get<CommandButton>(L"cmdEdit");
  Label& lblModality = Get<Label>(L"lblModality");
  Image& ImageAbout = Get<Image>(L"ImageAbout");
  Line& Line1 = Get<Line>(L"Line1");
  Label& Label1 = Get<Label>(L"Label1");
  TextBox& Text1 = Get<TextBox>(L"Text1");
};
