#include "tests/item_editor/editor_fixture.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/forms/frm_dicom_items.h"
#include "app/forms/frm_quillane.h"
#include "app/support/environment.h"
#include "app/toolkit/header_dump.h"
#include "ui/beep.h"
#include "ui/form.h"
#include "ui/input_box.h"
#include "ui/message_loop.h"
#include "ui/mouse_pointer.h"
#include "ui/text.h"
#include "ui/text_box.h"

#include <cstring>

namespace {
void SetOrClear(const wchar_t* name, const std::wstring& value) {
  SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}

constexpr char kParametersKey[] = "SOFTWARE\\DICOMQuillane\\Settings\\Parameters";

std::function<void()>& PendingEditorAction() {
  static std::function<void()> action;
  return action;
}

HWND EditorWindow() { return FindWindowW(L"DQForm", L"DICOM item modification"); }

void CALLBACK EditorActionTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND editor = EditorWindow();
  if (!editor || !IsWindowVisible(editor)) return;  // not shown yet: try again at the next tick
  KillTimer(nullptr, id);
  std::function<void()> action = std::move(PendingEditorAction());
  PendingEditorAction() = nullptr;
  if (action) action();
  if (EditorWindow()) DefaultInstance<frmDICOMItems>().Unload();
}
}  // namespace

void ItemEditorTest::SetUp() {
  DWORD size = 0;
  lastPathExisted_ = RegGetValueA(HKEY_CURRENT_USER, kParametersKey, "LastPath", RRF_RT_REG_SZ, nullptr, nullptr,
                                  &size) == ERROR_SUCCESS;
  if (lastPathExisted_) {
    lastPath_.resize(size);
    RegGetValueA(HKEY_CURRENT_USER, kParametersKey, "LastPath", RRF_RT_REG_SZ, nullptr, lastPath_.data(), &size);
    lastPath_.resize(strlen(lastPath_.c_str()));
  }
  savedTemp_ = Environ(L"TEMP");
  savedTmp_ = Environ(L"TMP");
  temp_ = std::make_unique<ScratchFolder>(L"dqtemp");
  files_ = std::make_unique<ScratchFolder>(L"dqfiles");
  SetTempFolder(temp_->Path());
  SetBeepSeam([this] { ++beeps; });
  SetInputBoxSeam([](const InputBoxCall& call) {
    ADD_FAILURE() << "unexpected input box: " << ToAnsi(call.prompt);
    return std::wstring();
  });
}

void ItemEditorTest::TearDown() {
  UnloadAllForms();
  ReleaseDefaultInstances();
  SetMousePointer(MousePointer::Default);
  ProcessWaitingMessages();
  EXPECT_EQ(LoadedFormCount(), 0u) << "a form of the test is still loaded";
  SetBeepSeam(nullptr);
  SetInputBoxSeam(nullptr);
  HeaderDump.clear();
  CurrentDicomFile.clear();
  SetOrClear(L"TEMP", savedTemp_);
  SetOrClear(L"TMP", savedTmp_);
  if (lastPathExisted_) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kParametersKey, "LastPath", REG_SZ, lastPath_.c_str(),
                    static_cast<DWORD>(lastPath_.size() + 1));
  } else {
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kParametersKey, "LastPath");
  }
  files_.reset();
  temp_.reset();
}

void ItemEditorTest::SetTempFolder(const std::wstring& folder) {
  SetEnvironmentVariableW(L"TEMP", folder.c_str());
  SetEnvironmentVariableW(L"TMP", folder.c_str());
}

void ItemEditorTest::UseDicom(const DicomWriter& dicom) {
  dicomFile = files_->File(L"patient file.dcm");
  dicomBytes = dicom.Bytes();
  DeleteFileW((dicomFile + L".bak").c_str());
  ASSERT_TRUE(WriteFileBytes(dicomFile, dicomBytes));
  if (!viaMainWindow) {
    HeaderDump = RunDcmDump(dicomFile, false);
    ASSERT_NE(HeaderDump, L"");
    CurrentDicomFile = dicomFile;
    return;
  }
  frmQuillane& window = DefaultInstance<frmQuillane>();
  window.Show();
  window.OpenDicomFile(dicomFile);
  ASSERT_EQ(CurrentDicomFile, dicomFile);
  ASSERT_TRUE(Contains(HeaderDump, L"(0010,0010)"));
}

frmQuillane& ItemEditorTest::MainWindow() const { return DefaultInstance<frmQuillane>(); }

std::wstring ItemEditorTest::MainWindowText() const {
  return ReadWindowText(MainWindow().Get<TextBox>(L"Text1").Hwnd());
}

std::wstring ItemEditorTest::MainWindowCaption() const { return MainWindow().Caption(); }

frmDICOMItems& ItemEditorTest::ShowEditor() {
  frmDICOMItems& editor = DefaultInstance<frmDICOMItems>();
  editor.Show();
  return editor;
}

bool ItemEditorTest::EditorLoaded() {
  HWND window = EditorWindow();
  return window != nullptr && IsFormWindow(window);
}

void ItemEditorTest::Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void ItemEditorTest::UnlockAndType(frmDICOMItems& editor, int row, const std::wstring& value) {
  Click(editor.Unlocked[row].Hwnd());
  HWND box = editor.txtItemData[row].Hwnd();
  ASSERT_EQ(GetFocus(), box) << "unlocking gives the box the focus";
  if (value.empty()) {
    SendMessageW(box, WM_CLEAR, 0, 0);
    return;
  }
  for (wchar_t c : value) SendMessageW(box, WM_CHAR, c, 1);
}

std::map<std::wstring, std::wstring> DumpElements(const std::wstring& dump, bool metaHeader) {
  std::map<std::wstring, std::wstring> elements;
  bool inMetaHeader = false;
  size_t pos = 0;
  while (pos < dump.size()) {
    size_t end = dump.find(L'\n', pos);
    if (end == std::wstring::npos) end = dump.size();
    std::wstring line = dump.substr(pos, end - pos);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (line.starts_with(L"# Dicom-Meta-Information-Header")) inMetaHeader = true;
    if (line.starts_with(L"# Dicom-Data-Set")) inMetaHeader = false;
    if (line.size() >= 11 && line[0] == L'(' && inMetaHeader == metaHeader) elements[line.substr(0, 11)] = line;
    pos = end + 1;
  }
  return elements;
}

std::map<std::wstring, std::wstring> ChangedElements(const std::wstring& before, const std::wstring& after,
                                                     bool metaHeader) {
  std::map<std::wstring, std::wstring> a = DumpElements(before, metaHeader), b = DumpElements(after, metaHeader);
  std::map<std::wstring, std::wstring> changed;
  for (const auto& [tag, line] : b) {
    auto old = a.find(tag);
    if (old == a.end() || old->second != line) changed[tag] = line;
  }
  for (const auto& [tag, line] : a) {
    if (!b.count(tag)) changed[tag] = L"(removed)";
  }
  return changed;
}

std::wstring DumpValue(const std::wstring& dump, const std::wstring& tag) {
  std::wstring d = dump, t = tag;
  return GetTagValue(d, t, false);
}

void RunWhenEditorShows(std::function<void()> action) {
  PendingEditorAction() = std::move(action);
  SetTimer(nullptr, 0, 10, EditorActionTimer);
}

ItemSet SampleItemSet() {
  ItemSet values;
  for (size_t row = 0; row < values.size(); ++row) values[row] = FromAnsi(kSampleTags[row].value);
  return values;
}
