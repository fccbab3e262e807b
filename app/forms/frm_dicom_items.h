#pragma once
// The item editor: ten identifying tags of the current DICOM file, one row
// each (title, value, Locked/Unlocked, generate button). Unlocked rows are
// written into the file through dcmodify by "Save DICOM File"; the ten values
// can be kept in item-set files and loaded back.
//
// A row's file value (what the header dump gave when the editor loaded) is
// kept in the Tag of the row's container, the row's tag in the Tag of its text
// box; the text box is read-only exactly while the row is Locked.
#include <optional>
#include <string>
#include <vector>

#include "app/forms/frm_dicom_items_design.h"
#include "ui/command_button.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/option_button.h"
#include "ui/picture_box.h"
#include "ui/text_box.h"

// What became of an item set that was to be written.
struct ItemSetSave {
  // Rows whose values the file's ANSI text can't hold: nothing was written.
  std::vector<std::wstring> rowsOutsideCodePage;
  // The system's code when the file couldn't be written (0 when it was).
  unsigned long error = 0;
  bool Saved() const { return rowsOutsideCodePage.empty() && error == 0; }
};

// Tells the user that the item set wasn't saved to the file, and why;
// nothing when it was.
void ReportItemSetNotSaved(const std::wstring& path, const ItemSetSave& save);

class frmDICOMItems : public Form {
 public:
  frmDICOMItems();

  // Writes the ten current values to the item-set file at path; an empty path
  // means the last-used items file, whose name is then written back. Nothing
  // is written when a value doesn't fit the ANSI code page. Reports nothing:
  // the caller says what went wrong.
  ItemSetSave SaveItems(std::wstring& path);
  // Reads an item set into the rows: a row whose loaded value equals its file
  // value (the system's text comparison) becomes Locked, any other Unlocked.
  // An empty path means the last-used items file, written back as above. A
  // file that can't be read changes nothing.
  void LoadItems(std::wstring& path);

  // Controls, by their design names.
  Label& Label1 = Get<Label>(L"Label1");
  CommandButton& cmdAnonimize = Get<CommandButton>(L"cmdAnonimize");
  CommandButton& cmdAbort = Get<CommandButton>(L"cmdAbort");
  CommandButton& Command1 = Get<CommandButton>(L"Command1");
  CommandButton& Command2 = Get<CommandButton>(L"Command2");
  CommandButton& Command3 = Get<CommandButton>(L"Command3");
  CommandButton& cmdSave = Get<CommandButton>(L"cmdSave");
  ControlArray<PictureBox> Container = Array<PictureBox>(L"Container");
  ControlArray<Label> lblTitle = Array<Label>(L"lblTitle");
  ControlArray<TextBox> txtItemData = Array<TextBox>(L"txtItemData");
  ControlArray<OptionButton> Locked = Array<OptionButton>(L"Locked");
  ControlArray<OptionButton> Unlocked = Array<OptionButton>(L"Unlocked");
  ControlArray<CommandButton> Random = Array<CommandButton>(L"Random");

 protected:
  void OnLoad() override;

 private:
  void Unlocked_Click(int Index);
  void Locked_Click(int Index);
  void txtItemData_GotFocus(int Index);
  void Random_Click(int Index);
  void cmdAnonimize_Click();
  void cmdAbort_Click();
  void cmdSave_Click();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();

  bool AnyRowUnlocked() const;
  // Shows why the values of some Unlocked rows can't be written unchanged and
  // returns false; true when every Unlocked value can be.
  bool UnlockedValuesWritable();
  // The current DICOM file and the arguments file as dcmodify is to be given
  // them; nothing, after a message, when the file is read-only, when either
  // has no path the toolkit can take, or when a file that an earlier save
  // left under the short name would be lost.
  struct DcmodifyPaths {
    std::wstring dicomFile;
    std::wstring argsFile;
  };
  std::optional<DcmodifyPaths> PathsForDcmodify();
  // Runs dcmodify, gives the files their names back, says what went wrong,
  // and has the main window show the file again.
  void WriteThroughDcmodify(const std::wstring& dicomFile, const std::wstring& argsFile);
  std::wstring ReplacementValue(int row) const;
};

// The folder of the named item-set files: "Vantrel\DICOMQuillane\" below the
// Documents folder, with the trailing "\".
std::wstring ItemSetFolder();
