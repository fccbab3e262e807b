#pragma once
// Fixture of the item editor's tests: the temporary folder ("TEMP" and "TMP")
// points at a scratch folder of the test, so "SaveItems.txt" and "Mod.txt"
// never touch the real ones; a DICOM file written by the test is the current
// file; beeps and input boxes go to seams; every test ends with no form loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "app/support/item_set_file.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/scratch_folder.h"

class frmDICOMItems;
class frmQuillane;

class ItemEditorTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Points "TEMP" and "TMP" at another folder (which need not exist).
  void SetTempFolder(const std::wstring& folder);
  std::wstring TempFile(const std::wstring& name) const { return temp_->File(name); }
  std::wstring SaveItemsFile() const { return TempFile(L"SaveItems.txt"); }
  std::wstring ModFile() const { return TempFile(L"Mod.txt"); }

  // Writes the DICOM file and makes it the current file, with its dump as the
  // header dump: through the main window (shown), which opens the file, when
  // viaMainWindow is set, else directly.
  void UseDicom(const DicomWriter& dicom);
  bool viaMainWindow = false;
  frmQuillane& MainWindow() const;
  // The main window's header text and caption.
  std::wstring MainWindowText() const;
  std::wstring MainWindowCaption() const;
  // Shows the editor's default instance (not modally) and returns it.
  frmDICOMItems& ShowEditor();
  static bool EditorLoaded();

  // Clicks a button as the user does (BM_CLICK).
  static void Click(HWND button);
  // Unlocks the row with a click and types the value over its selected text.
  static void UnlockAndType(frmDICOMItems& editor, int row, const std::wstring& value);

  int beeps = 0;
  std::wstring dicomFile;
  std::string dicomBytes;  // the file as written

  std::unique_ptr<ScratchFolder> files_;
  std::unique_ptr<ScratchFolder> temp_;

 private:
  std::wstring savedTemp_, savedTmp_;
  // The main window's registry value "LastPath", put back after the test.
  bool lastPathExisted_ = false;
  std::string lastPath_;
};

// The top-level elements of a dump's data set, or of its meta header, by tag text.
std::map<std::wstring, std::wstring> DumpElements(const std::wstring& dump, bool metaHeader = false);
// The tags whose lines differ between two dumps (added, removed or changed).
std::map<std::wstring, std::wstring> ChangedElements(const std::wstring& before, const std::wstring& after,
                                                     bool metaHeader = false);
// The item set of SampleDicom()'s ten values, in row order.
ItemSet SampleItemSet();
// The value of a tag in a dump ("" when it has none).
std::wstring DumpValue(const std::wstring& dump, const std::wstring& tag);

// Runs `action` on this thread (through a thread timer) as soon as the item
// editor is shown, e.g. inside its modal loop; unloads the editor afterwards
// should the action have left it open.
void RunWhenEditorShows(std::function<void()> action);
