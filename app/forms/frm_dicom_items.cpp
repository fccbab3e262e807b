#include "app/forms/frm_dicom_items.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/app_state.h"
#include "app/forms/frm_quillane.h"
#include "app/support/environment.h"
#include "app/support/file_dialogs.h"
#include "app/support/file_system.h"
#include "app/support/item_set_file.h"
#include "app/support/paths.h"
#include "app/support/random_values.h"
#include "app/support/text_files.h"
#include "app/toolkit/character_set.h"
#include "app/toolkit/dcmodify.h"
#include "app/toolkit/header_dump.h"
#include "app/toolkit/toolkit_path.h"
#include "ui/beep.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "ui/text.h"

// The arguments text of the save being performed (kept until the next save).
std::wstring ModificationText;

namespace {

constexpr wchar_t kItemSetFilter[] = L"DICOM Item Set (*.dis)|*.dis";
constexpr wchar_t kNewItemSetName[] = L"NewFile.dis";
constexpr wchar_t kNothingSaved[] = L"Nothing was saved: the DICOM file is unchanged.";

bool IsItemRow(int index) { return index >= 0 && index < kItemRows; }

// Fixed replacement values of the rows that name roles, places and equipment.
const wchar_t* FixedReplacement(int row) {
  switch (row) {
    case 4: return L"Dr DEMO^Senior";
    case 5: return L"Dr DICOM^X-Ray";
    case 6: return L"X-ray Office";
    case 7: return L"DEDAVADUR Workstation";
    case 8: return L"Radiography operator";
    case 9: return L"DEDAVADUR-Vantrel";
    default: return nullptr;
  }
}

std::wstring RowList(const std::vector<std::wstring>& rows) {
  std::wstring list;
  for (const std::wstring& row : rows) list += L"    " + row + L"\r\n";
  return list;
}

// Why a declared set that the program can't write characters beyond ASCII
// into takes none.
std::wstring WhyNoneBeyondAscii(CharacterSetStand stand, const std::wstring& declared) {
  switch (stand) {
    case CharacterSetStand::SeveralTerms: return L"it names several character sets, switched by code extensions";
    case CharacterSetStand::CodeExtensions: return L"it names code extensions";
    case CharacterSetStand::CodePageMissing:
      return L"the system lacks its code page (" + DecimalText(CodePageOfCharacterSet(declared).value_or(0)) + L")";
    default:
      return L"this program has no code page for that term: it may be misspelt, or name a set such as ISO_IR 6 "
             L"(ASCII alone) or ISO_IR 13";
  }
}

// Why values beyond ASCII would reach the file as other text: the system
// writes them in its ANSI code page, and the file's readers read them in the
// character set that the file declares.
std::wstring CharacterSetMismatchText(const DeclaredCharacterSet& characterSet) {
  const std::wstring declared = TrimBlanks(characterSet.value_or(L""));
  const std::wstring systemWrites =
      AnsiCodePageIsUtf8() ? std::wstring(L"The system writes values in UTF-8")
                           : L"The system writes values in its ANSI code page (" + DecimalText(AnsiCodePage()) + L")";
  const std::wstring declaredAs = L"its character set (0008,0005) as \"" + declared + L"\"";
  const CharacterSetStand stand = StandOfCharacterSet(characterSet);
  switch (stand) {
    case CharacterSetStand::DeclaresNone:
      return systemWrites +
             L", and the file declares no character set (0008,0005): such a file is read in the local code "
             L"page of each computer, which is seldom UTF-8, so the characters beyond ASCII in these values would "
             L"read as other characters:\r\n";
    case CharacterSetStand::HasCodePage:
      return systemWrites + L", and the file declares " + declaredAs +
             L": read in that character set, the characters beyond ASCII in these values would be other "
             L"characters:\r\n";
    case CharacterSetStand::NotRead:
      return L"dcmdump stopped early in this file's header (at a non-standard VR or an error), so the header was "
             L"cut short and the file's character set (0008,0005) could not be read. Characters beyond ASCII "
             L"might read as other characters there; these values hold such characters:\r\n";
    default:
      break;
  }
  return L"The file declares " + declaredAs +
         L", which this program can't write characters beyond ASCII into (" + WhyNoneBeyondAscii(stand, declared) +
         L"). These values hold such characters:\r\n";
}

// The row as the boxes name it: its title and its tag.
std::wstring RowName(const frmDICOMItems& editor, int row) {
  return editor.lblTitle[row].Caption() + L" " + editor.txtItemData[row].Tag();
}
}  // namespace

std::wstring ItemSetFolder() {
  std::wstring documents = GetUserDataFolder();
  return AddBackslash(documents) + L"Vantrel\\DICOMQuillane\\";
}

frmDICOMItems::frmDICOMItems() : Form(DICOMItemsDesign()) {
  Unlocked.OnClick([this](int i) { Unlocked_Click(i); });
  Locked.OnClick([this](int i) { Locked_Click(i); });
  txtItemData.Bind(&TextBox::onGotFocus, [this](int i) { txtItemData_GotFocus(i); });
  Random.OnClick([this](int i) { Random_Click(i); });
  cmdAnonimize.onClick = [this] { cmdAnonimize_Click(); };
  cmdAbort.onClick = [this] { cmdAbort_Click(); };
  cmdSave.onClick = [this] { cmdSave_Click(); };
  Command1.onClick = [this] { Command1_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
}

// --- rows and locking ----------------------------------------------------------

void frmDICOMItems::OnLoad() {
  std::vector<std::wstring> tags;
  for (int i = 0; i < kItemRows; ++i) tags.push_back(txtItemData[i].Tag());
  const std::vector<std::wstring> values = GetTagValues(HeaderDump, tags);
  for (int i = 0; i < kItemRows; ++i) {
    txtItemData[i].SetText(values[i]);
    Container[i].SetTag(txtItemData[i].Text());
    txtItemData[i].SetLocked(true);
  }
  if (FileExists(LastUsedItemsFile())) Command1.SetVisible(true);
}

void frmDICOMItems::Unlocked_Click(int Index) {
  if (!IsItemRow(Index) || !Unlocked[Index].Value()) return;
  txtItemData[Index].SetLocked(false);
  txtItemData[Index].SetFocus();
}

void frmDICOMItems::Locked_Click(int Index) {
  if (!IsItemRow(Index) || !Locked[Index].Value()) return;
  txtItemData[Index].SetText(Container[Index].Tag());
  txtItemData[Index].SetLocked(true);
  txtItemData[Index].SetFocus();
}

// An editable box selects its whole text, so typing replaces the value; a
// read-only one shows the caret after its text.
void frmDICOMItems::txtItemData_GotFocus(int Index) {
  TextBox& box = txtItemData[Index];
  if (box.Locked()) {
    box.SetSelStart(9999);
    box.SetSelLength(9999);
  } else {
    box.SetSelStart(0);
    box.SetSelLength(9999);
  }
}

void frmDICOMItems::cmdAbort_Click() { Unload(); }

bool frmDICOMItems::AnyRowUnlocked() const {
  bool any = false;
  for (int i = 0; i < kItemRows; ++i) any = any || Unlocked[i].Value();
  return any;
}

// --- item sets -------------------------------------------------------------------

ItemSetSave frmDICOMItems::SaveItems(std::wstring& path) {
  if (TextEquals(path, L"")) path = LastUsedItemsFile();
  ItemSetSave save;
  ItemSet values;
  for (int i = 0; i < kItemRows; ++i) {
    values[i] = txtItemData[i].Text();
    // The file is ANSI text: such a value would come back as a look-alike
    // or "?", which a later save would write into a DICOM file.
    if (!FitsAnsiCodePage(values[i])) save.rowsOutsideCodePage.push_back(RowName(*this, i));
  }
  if (save.rowsOutsideCodePage.empty()) save.error = WriteItemSetFile(path, values);
  return save;
}

void ReportItemSetNotSaved(const std::wstring& path, const ItemSetSave& save) {
  if (save.Saved()) return;
  std::wstring prompt;
  if (!save.rowsOutsideCodePage.empty()) {
    prompt = L"The item set was not saved to\r\n" + path +
             L"\r\nThese values hold characters that the system's ANSI code page lacks; the file would hold "
             L"other characters in their place:\r\n" +
             RowList(save.rowsOutsideCodePage) + L"\r\nCorrect these values, and save the item set again.";
  } else {
    const std::wstring why = SystemMessageText(save.error);
    prompt = L"The item set could not be saved to\r\n" + path + L"\r\n" +
             (why.empty() ? L"Error " + DecimalText(save.error) : why);
  }
  ShowMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
}

void frmDICOMItems::LoadItems(std::wstring& path) {
  if (TextEquals(path, L"")) path = LastUsedItemsFile();
  std::optional<ItemSet> values = ReadItemSetFile(path);
  if (!values) return;
  for (int i = 0; i < kItemRows; ++i) {
    const std::wstring& line = (*values)[i];
    txtItemData[i].SetText(line);
    if (TextEquals(line, Container[i].Tag())) {
      Locked[i].SetValue(true);
    } else {
      Unlocked[i].SetValue(true);
    }
  }
}

void frmDICOMItems::Command1_Click() {
  std::wstring path;
  LoadItems(path);
}

void frmDICOMItems::Command2_Click() {
  EnsureFolder(ItemSetFolder());
  std::wstring initialPath = ItemSetFolder() + kNewItemSetName;
  std::wstring path = ShowSaveDialog(Hwnd(), L"", kItemSetFilter, initialPath);
  if (!path.empty()) ReportItemSetNotSaved(path, SaveItems(path));
}

void frmDICOMItems::Command3_Click() {
  EnsureFolder(ItemSetFolder());
  std::wstring initialPath = ItemSetFolder();
  std::wstring path = ShowFileDialog(Hwnd(), L"", kItemSetFilter, initialPath);
  if (!path.empty()) LoadItems(path);
}

// --- writing through dcmodify --------------------------------------------------------

bool frmDICOMItems::UnlockedValuesWritable() {
  const DeclaredCharacterSet characterSet = GetCharacterSet(HeaderDump);
  std::vector<std::wstring> withQuote, outsideCodePage, withControlCharacter, readAsOtherText;
  for (int i = 0; i < kItemRows; ++i) {
    if (!Unlocked[i].Value()) continue;
    AssignmentValueCheck check = CheckAssignmentValue(txtItemData[i].Text(), characterSet);
    std::wstring row = RowName(*this, i);
    if (check.hasDoubleQuote) withQuote.push_back(row);
    if (check.outsideCodePage) outsideCodePage.push_back(row);
    if (check.hasControlCharacter) withControlCharacter.push_back(row);
    if (check.readAsOtherText) readAsOtherText.push_back(row);
  }
  if (withQuote.empty() && outsideCodePage.empty() && withControlCharacter.empty() && readAsOtherText.empty()) {
    return true;
  }

  std::wstring prompt = std::wstring(kNothingSaved) + L"\r\n\r\n";
  if (!withQuote.empty()) {
    prompt += L"A double-quote character (\") can't be written into a DICOM item. It is in the value of:\r\n" +
              RowList(withQuote) + L"\r\n";
  }
  if (!outsideCodePage.empty()) {
    prompt += L"These values hold characters that the system's ANSI code page lacks; they would be written as "
              L"other characters:\r\n" +
              RowList(outsideCodePage) + L"\r\n";
  }
  if (!withControlCharacter.empty()) {
    prompt += L"A line break, tab or other control character can't be written into a DICOM item. One is in the "
              L"value of:\r\n" +
              RowList(withControlCharacter) + L"\r\n";
  }
  if (!readAsOtherText.empty()) {
    prompt += CharacterSetMismatchText(characterSet) + RowList(readAsOtherText) + L"\r\n";
  }
  prompt += L"Correct these values, or lock their rows, and save again.";
  ShowMessageBox(prompt, MB_OK | MB_ICONEXCLAMATION);
  return false;
}

std::optional<frmDICOMItems::DcmodifyPaths> frmDICOMItems::PathsForDcmodify() {
  auto refuse = [](const std::wstring& why) {
    ShowMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
    return std::nullopt;
  };
  const DWORD attributes = GetFileAttributesW(CurrentDicomFile.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    return refuse(L"The DICOM file\r\n" + CurrentDicomFile + L"\r\nis read-only. " + kNothingSaved +
                  L"\r\n\r\nClear its read-only attribute and save again.");
  }
  if (!ToolkitProgramFolder()) return refuse(NoToolkitProgramFolderMessage() + L"\r\n\r\n" + kNothingSaved);
  std::optional<std::wstring> dicomFile = ToolkitPath(CurrentDicomFile);
  if (!dicomFile) return refuse(NoToolkitPathMessage(CurrentDicomFile) + L"\r\n\r\n" + kNothingSaved);
  // dcmodify deletes the "<given path>.bak" it finds before it makes its own.
  // Given only its folder's short form, that is the user's own "<name>.bak",
  // which dcmodify replaces as at every save. Under a short name of the file
  // itself it is no backup of the user's: it can only be what an earlier
  // save couldn't give its own name back.
  const std::wstring leftOver = *dicomFile + L".bak";
  if (*dicomFile != CurrentDicomFile && PathIsThere(leftOver) &&
      !NameTheSameFile(leftOver, CurrentDicomFile + L".bak")) {
    return refuse(L"An earlier save of this file left a file under a short (8.3) name:\r\n" + LongPathOf(leftOver) +
                  L"\r\nIt may hold the file as it was before that save, and this save would delete it. " +
                  kNothingSaved + L"\r\n\r\nMove or rename that file, and save again.");
  }
  const std::wstring argsFile = ModificationArgsFile();
  std::optional<std::wstring> toolkitArgsFile = ToolkitPathOfNewFile(argsFile);
  if (!toolkitArgsFile) {
    return refuse(NoToolkitTemporaryFolderMessage(GetFolderPart(argsFile)) + L"\r\n\r\n" + kNothingSaved);
  }
  return DcmodifyPaths{*dicomFile, *toolkitArgsFile};
}

void frmDICOMItems::cmdSave_Click() {
  if (!AnyRowUnlocked()) return;
  // A file that can't be rewritten, or a value that can't reach it unchanged,
  // stops the save before anything is written; the editor stays open with
  // every value as it is.
  const std::optional<DcmodifyPaths> toolkit = PathsForDcmodify();
  if (!toolkit || !UnlockedValuesWritable()) return;

  std::wstring lastUsedItems;
  const ItemSetSave lastUsed = SaveItems(lastUsedItems);

  ModificationText.clear();
  for (int i = 0; i < kItemRows; ++i) {
    if (Unlocked[i].Value()) ModificationText += RowAssignments(i, txtItemData[i].Tag(), txtItemData[i].Text());
  }

  // The arguments file actually written (a name corrected in the writer's
  // input box included) is the one dcmodify reads. When none was written,
  // dcmodify is not run: whatever file the name points at holds other
  // assignments, or none.
  std::wstring argsFile = ModificationArgsFile();
  if (WriteTextFile(ModificationText, argsFile, true)) {
    const std::optional<std::wstring> toolkitArgsFile =
        argsFile == ModificationArgsFile() ? toolkit->argsFile : ToolkitPath(argsFile);
    if (toolkitArgsFile) {
      WriteThroughDcmodify(toolkit->dicomFile, *toolkitArgsFile);
    } else {
      ShowMessageBox(NoToolkitPathMessage(argsFile), MB_OK | MB_ICONEXCLAMATION, L"Error");
    }
  }
  // The DICOM file comes first: a last-used items file that couldn't be
  // written is reported once its save is done.
  ReportItemSetNotSaved(lastUsedItems, lastUsed);
  Unload();
}

void frmDICOMItems::WriteThroughDcmodify(const std::wstring& dicomFile, const std::wstring& argsFile) {
  const std::wstring output = RunDcmModify(dicomFile, argsFile);
  const NamesAfterDcmodify names = RestoreFileNameAfterDcmodify(CurrentDicomFile, dicomFile);
  const bool printed = !TextEquals(TrimBlanks(output), L"");
  if (printed) ShowMessageBox(output, MB_OK | MB_ICONEXCLAMATION, L"Error");
  frmQuillane& mainWindow = DefaultInstance<frmQuillane>();
  if (!names.restored) {
    // Never called done while a file is under a name the user didn't give
    // it; the window shows the file that bears the user's name, or none.
    ShowMessageBox(NamesNotRestoredMessage(CurrentDicomFile, names), MB_OK | MB_ICONEXCLAMATION);
    if (PathIsThere(CurrentDicomFile)) {
      mainWindow.OpenDicomFile(CurrentDicomFile);
    } else {
      mainWindow.ShowNoFile();
    }
  } else if (!printed) {
    mainWindow.OpenDicomFile(CurrentDicomFile);
  }
}

// --- generated replacement values --------------------------------------------------------

std::wstring frmDICOMItems::ReplacementValue(int row) const {
  if (const wchar_t* fixed = FixedReplacement(row)) return fixed;
  switch (row) {
    case 0: return RandomPatientName();
    case 1: {
      int16_t first = 0, second = 0;
      return RandomDate(first, second);
    }
    case 2: return RandomInt(1, 2) == 2 ? L"F" : L"M";
    case 3: {
      int16_t first = static_cast<int16_t>(CurrentYear() - 15);
      int16_t second = static_cast<int16_t>(CurrentYear() - 1);
      return RandomDate(first, second);
    }
    default: return txtItemData[row].Text();
  }
}

void frmDICOMItems::Random_Click(int Index) {
  if (!IsItemRow(Index)) return;
  if (txtItemData[Index].Locked()) {
    DefaultBeep();
    return;
  }
  ReseedRandomFromClock();
  txtItemData[Index].SetText(ReplacementValue(Index));
  txtItemData[Index].SetFocus();
}

void frmDICOMItems::cmdAnonimize_Click() {
  if (ShowMessageBox(L"Are-you sure ? ", MB_YESNO | MB_ICONQUESTION, L"Anonimize alll ?") != IDYES) return;
  for (int i = 0; i < kItemRows; ++i) Unlocked[i].SetValue(true);
  ProcessWaitingMessages();
  for (int i = 0; i < kItemRows; ++i) Random_Click(i);
}
