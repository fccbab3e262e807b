// The custom-control list: keys, the add operations, the building and closing
// passes (call order on a recording dialog), the queries, and the list built
// into the real item dialog of the test prefix.
#include <gtest/gtest.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/dialogs/fake_file_dialog.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr int32_t kDropDownId = static_cast<int32_t>(0xF0000000u);

// A level-7 dialog object with a recording dialog in place of the shell's.
struct RecordedDialog {
  ScopedWindowsVersion version{6, 1};
  CmnDialogEx dialog;
  CmnDialogExProbe probe{dialog};
  ComPtr<FakeFileDialog> fake = FakeFileDialog::Create();

  CustomControlRecord& Record(int32_t callerId) {
    int32_t index = probe.FindControlId(std::to_wstring(callerId), false);
    EXPECT_GT(index, 0);
    return probe.CustomControls().at(static_cast<size_t>(index));
  }
  // Hands the recording dialog to the object (after the list is filled).
  void Attach(bool withDialog2 = true) {
    probe.FileDialog() = fake->AsFileDialog();
    if (withDialog2) {
      ComPtr<IFileDialog2> second;
      fake->QueryInterface(IID_PPV_ARGS(&second));
      probe.FileDialog2() = second;
    }
  }
  std::wstring Build() {
    Attach();
    EXPECT_TRUE(probe.BuildCustomControls(true, false));
    return fake->Joined();
  }
  ~RecordedDialog() {
    probe.DialogCustomize().Reset();
    probe.FileDialog2().Reset();
    probe.FileDialog().Reset();
  }
};

int32_t AsInt(const DialogValue& v) {
  EXPECT_TRUE(std::holds_alternative<int32_t>(v));
  return std::holds_alternative<int32_t>(v) ? std::get<int32_t>(v) : INT32_MIN;
}
std::wstring AsText(const DialogValue& v) {
  EXPECT_TRUE(std::holds_alternative<std::wstring>(v));
  return std::holds_alternative<std::wstring>(v) ? std::get<std::wstring>(v) : L"<not a text>";
}
bool AsBool(const DialogValue& v) {
  EXPECT_TRUE(std::holds_alternative<bool>(v));
  return std::holds_alternative<bool>(v) && std::get<bool>(v);
}
bool IsEmpty(const DialogValue& v) { return std::holds_alternative<std::monostate>(v); }
}  // namespace

// ---- Keys ----

TEST(FindControlId, KeysGetTheNextRecordAndTheReservedKeyIsRecordZero) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  EXPECT_EQ(probe.FindControlId(L"X", false), -1) << "no list yet";
  EXPECT_EQ(probe.FindControlId(L"-2147483648", true), 0);
  EXPECT_EQ(probe.CustomControls().size(), 1u);
  EXPECT_EQ(probe.FindControlId(L"-2147483648", true), 0) << "never stored, never added";
  EXPECT_EQ(probe.FindControlId(L"-2147483648", false), 0);
  EXPECT_EQ(probe.CustomControls().size(), 1u);
  EXPECT_EQ(probe.FindControlId(L"7", true), 1);
  EXPECT_EQ(probe.FindControlId(L"8", true), 2);
  EXPECT_EQ(probe.FindControlId(L"7", false), 1);
  EXPECT_EQ(probe.FindControlId(L"7", true), 1) << "an existing key is found, not added";
  EXPECT_EQ(probe.FindControlId(L"9", false), -1);
  EXPECT_EQ(probe.CustomControls().size(), 3u);
}

TEST(FindControlId, FirstKeyMakesRecordsZeroAndOneAndKeysIgnoreCase) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  EXPECT_EQ(probe.FindControlId(L"ro", true), 1);
  EXPECT_EQ(probe.CustomControls().size(), 2u) << "record 0 is kept for the reserved key";
  EXPECT_EQ(probe.FindControlId(L"RO", false), 1);
}

// ---- Adding ----

TEST(AddBuiltInControls, RefusesWhatCannotBeBuilt) {
  {
    ScopedWindowsVersion version(5, 1);
    CmnDialogEx classic;
    EXPECT_FALSE(classic.AddBuiltInControls(0, 1, cckCheckButton, L"x")) << "the classic dialog has none";
  }
  RecordedDialog r;
  EXPECT_FALSE(r.dialog.AddBuiltInControls(0, 0, cckCheckButton, L"x")) << "no id";
  EXPECT_FALSE(r.dialog.AddBuiltInControls(0, 0x10000000, cckCheckButton, L"x")) << "id too large";
  EXPECT_FALSE(r.dialog.AddBuiltInControls(0x10000000, 1, cckCheckButton, L"x")) << "group id too large";
  EXPECT_FALSE(r.dialog.AddBuiltInControls(3, 1, cckCheckButton, L"x")) << "absent group";
  ASSERT_TRUE(r.dialog.AddBuiltInControls(0, 1, cckCheckButton, L"x"));
  EXPECT_FALSE(r.dialog.AddBuiltInControls(0, 1, cckPushButton, L"y")) << "id already present";
  EXPECT_FALSE(r.dialog.AddBuiltInControls(1, 2, cckPushButton, L"y")) << "the parent is not a group";
  ASSERT_TRUE(r.dialog.AddBuiltInControls(9, 0, 0, L"Group"));
  EXPECT_FALSE(r.dialog.AddBuiltInControls(9, 0, 0, L"Group")) << "group already present";
  r.Attach();
  EXPECT_FALSE(r.dialog.AddBuiltInControls(0, 5, cckCheckButton, L"x")) << "not while a dialog object exists";
  EXPECT_FALSE(r.dialog.CustomizeOpenButton(6, false, false));
  EXPECT_FALSE(r.dialog.CustomizeFolderPicker(0x1000));
}

TEST(AddBuiltInControls, FillsTheRecords) {
  RecordedDialog r;
  ASSERT_TRUE(r.dialog.AddBuiltInControls(10, 0, 0, L"Options"));
  ASSERT_TRUE(r.dialog.AddBuiltInControls(10, 11, cckComboBox, L"", {L"a", L"b"}));
  ASSERT_TRUE(r.dialog.AddBuiltInControls(10, 12, cckCheckButton, L"Check"));
  ASSERT_TRUE(r.dialog.AddBuiltInControls(0, 13, cckPushButton, L"Push"));
  const CustomControlRecord& group = r.Record(10);
  EXPECT_EQ(group.ControlId, -10);
  EXPECT_EQ(group.ControlFlags, 0x230) << "state 3, two children";
  EXPECT_EQ(group.Items, (std::vector<std::wstring>{L"11", L"12"}));
  EXPECT_EQ(group.LabelText, L"Options");
  EXPECT_EQ(r.Record(11).ControlId, -11);
  EXPECT_EQ(r.Record(11).ControlFlags, static_cast<int32_t>(0x80000032u)) << "kind 2, state 3, in a group";
  EXPECT_EQ(r.Record(11).Items, (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(r.Record(13).ControlFlags, 0x39);
}

// ---- Building pass ----

TEST(BuildCustomControls, EmptyListMakesNoCall) {
  RecordedDialog r;
  r.Attach();
  EXPECT_TRUE(r.probe.BuildCustomControls(true, false));
  EXPECT_TRUE(r.probe.BuildCustomControls(false, false));
  EXPECT_TRUE(r.fake->calls.empty());
  EXPECT_FALSE(r.probe.DialogCustomize()) << "not even asked for";
}

TEST(BuildCustomControls, AGroupWithOneProminentChildIsMadeProminentAsTheGroup) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(10, 0, 0, L"Options");
  r.dialog.AddBuiltInControls(10, 11, cckCheckButton, L"Keep");
  r.Record(11).ControlFlags |= 0x40;
  EXPECT_EQ(r.Build(), L"StartVisualGroup(-10,Options) AddCheckButton(-11,Keep,0) MakeProminent(-10) EndVisualGroup()");
}

TEST(BuildCustomControls, OneMakeProminentPerPassAndNoneForAGroupOfTwo) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(10, 0, 0, L"G");
  r.dialog.AddBuiltInControls(10, 11, cckCheckButton, L"C");
  r.dialog.AddBuiltInControls(10, 12, cckComboBox, L"", {L"a", L"b"});
  r.dialog.AddBuiltInControls(0, 13, cckPushButton, L"P");
  r.dialog.AddBuiltInControls(0, 14, cckPushButton, L"Q");
  for (int id : {11, 12, 13, 14}) r.Record(id).ControlFlags |= 0x40;
  EXPECT_EQ(r.Build(),
            L"StartVisualGroup(-10,G) AddCheckButton(-11,C,0) AddComboBox(-12) AddControlItem(-12,0,a) "
            L"AddControlItem(-12,1,b) SetSelectedControlItem(-12,0) EndVisualGroup() AddPushButton(-13,P) "
            L"MakeProminent(-13) AddPushButton(-14,Q)");
}

TEST(BuildCustomControls, AGroupWithoutChildrenIsSkippedWithItsMembers) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(10, 0, 0, L"Empty");
  r.dialog.AddBuiltInControls(10, 11, cckCheckButton, L"Orphan");
  r.Record(10).ControlFlags &= ~0x7FFF00;  // child count 0
  r.dialog.AddBuiltInControls(0, 12, cckText, L"Shown");
  EXPECT_EQ(r.Build(), L"AddText(-12,Shown)");
}

TEST(BuildCustomControls, StatesItemStatesAndSelections) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(0, 1, cckComboBox, L"", {L"a", L"b", L"c", L"d"});
  r.dialog.AddBuiltInControls(0, 2, cckRadioList, L"", {L"x"});
  r.dialog.AddBuiltInControls(0, 3, cckMenu, L"Menu", {L"m"});
  r.dialog.AddBuiltInControls(0, 4, cckSeparator, L"");
  r.dialog.AddBuiltInControls(0, 5, cckEditBox, L"init");
  r.dialog.AddBuiltInControls(0, 6, cckText, L"hidden");
  CustomControlRecord& combo = r.Record(1);
  combo.ControlFlags = (combo.ControlFlags & ~0x30) | 0x10 | 0x80 | (2 << 8);  // enabled only, item states, item 2
  combo.ItemStates = {1, 3, 0, 5};
  r.Record(2).ControlFlags |= 0x10000000;                      // no item selected
  r.Record(3).ControlFlags = (r.Record(3).ControlFlags & ~0x30) | (1 << 8);  // state 0; menus get no selection
  r.Record(4).ControlFlags = (r.Record(4).ControlFlags & ~0x30) | 0x20;      // visible only
  r.Record(6).ControlFlags = (r.Record(6).ControlFlags & ~0x30);             // state 0
  EXPECT_EQ(r.Build(),
            L"AddComboBox(-1) AddControlItem(-1,0,a) AddControlItem(-1,1,b) AddControlItem(-1,2,c) "
            L"AddControlItem(-1,3,d) SetSelectedControlItem(-1,2) SetControlState(-1,1) "
            L"SetControlItemState(-1,0,1) SetControlItemState(-1,2,0) "
            L"AddRadioButtonList(-2) AddControlItem(-2,0,x) "
            L"AddMenu(-3,Menu) AddControlItem(-3,0,m) SetControlState(-3,0) "
            L"AddSeparator(-4) SetControlState(-4,2) "
            L"AddEditBox(-5,init) "
            L"AddText(-6,hidden) SetControlState(-6,0)");
}

TEST(BuildCustomControls, TheReadOnlyDropDownAndItsItemOrder) {
  {
    RecordedDialog r;
    ASSERT_TRUE(r.dialog.CustomizeOpenButton(5, true, true));  // bits 25 and 24
    r.probe.OpenFileName().Flags = OFN_READONLY | 0x1800;
    std::wstring dd = std::to_wstring(kDropDownId);
    EXPECT_EQ(r.Build(), L"AddCheckButton(-5,Open as &read-only,1) MakeProminent(-5) EnableOpenDropDown(" + dd +
                             L") AddControlItem(" + dd + L",0,Open as &read-only) AddControlItem(" + dd +
                             L",1,Open for &write)");
    EXPECT_EQ(r.dialog.Flags(), 0x1800) << "item order 24 clears OFN_READONLY";
  }
  {
    RecordedDialog r;
    ASSERT_TRUE(r.dialog.CustomizeOpenButton(5, false, false));  // bit 25 alone
    std::wstring dd = std::to_wstring(kDropDownId);
    EXPECT_EQ(r.Build(), L"AddCheckButton(-5,Open as &read-only,0) MakeProminent(-5) EnableOpenDropDown(" + dd +
                             L") AddControlItem(" + dd + L",1,Open as &read-only) AddControlItem(" + dd +
                             L",0,Open for &write)");
    EXPECT_EQ(r.dialog.Flags(), OFN_READONLY);
  }
}

TEST(BuildCustomControls, TheCheckButtonOfTheReadOnlyKeySetsTheFlag) {
  RecordedDialog r;
  ASSERT_TRUE(r.dialog.CustomizeOpenButton(5, true, false));
  r.probe.CustomControls().pop_back();  // keep the check button alone
  r.Build();
  EXPECT_EQ(r.dialog.Flags(), OFN_READONLY);
}

TEST(BuildCustomControls, LabelsOfTheDialogsOwnButtons) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(0, 1, cckOkButton, L"Go");
  r.dialog.AddBuiltInControls(0, 2, cckCancelLabel, L"Stop");
  r.dialog.AddBuiltInControls(0, 3, cckFileNameLabel, L"Name:");
  r.dialog.AddBuiltInControls(0, 4, cckOkButton, L"");  // empty label: no call
  r.dialog.AddBuiltInControls(0, 5, 12, L"nothing");     // kinds above 11 create nothing
  EXPECT_EQ(r.Build(), L"SetOkButtonLabel(Go) SetCancelButtonLabel(Stop) SetFileNameLabel(Name:)");

  RecordedDialog without;
  without.dialog.AddBuiltInControls(0, 2, cckCancelLabel, L"Stop");
  without.Attach(false);
  EXPECT_TRUE(without.probe.BuildCustomControls(true, false));
  EXPECT_TRUE(without.fake->calls.empty()) << "no IFileDialog2, no cancel label";
}

TEST(BuildCustomControls, TheFolderPickersControlsDependOnTheMode) {
  RecordedDialog r;
  ASSERT_TRUE(r.dialog.CustomizeFolderPicker(0x1000, L"Done"));
  EXPECT_EQ(r.dialog.Options() & cdoPickerModeMask, 0x1000u);
  EXPECT_EQ(r.Build(),
            L"StartVisualGroup(-2147483647,0000 items selected) AddPushButton(-2147483648,&Add to selection) "
            L"EndVisualGroup() SetOkButtonLabel(Done) SetFileNameLabel(Folder: )");
  EXPECT_EQ(r.Record(-2147483647).LabelText, L"%s items selected") << "the record keeps its template";

  RecordedDialog modeless;
  ASSERT_TRUE(modeless.dialog.CustomizeFolderPicker(0x1000, L"Done"));
  modeless.probe.Options() &= ~static_cast<uint32_t>(cdoPickerModeMask);
  EXPECT_EQ(modeless.Build(), L"") << "built-in controls need a mode";
}

TEST(BuildCustomControls, ARefusedCustomisationDiscardsTheList) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(0, 1, cckCheckButton, L"x");
  r.probe.Options() |= 0x00030000u;
  r.fake->refuseCustomize = true;
  r.Attach();
  EXPECT_FALSE(r.probe.BuildCustomControls(true, false));
  EXPECT_FALSE(r.probe.HasControlIdCollection());
  EXPECT_TRUE(r.probe.CustomControls().empty());
  EXPECT_EQ(r.dialog.Options() & 0x00030000u, 0u);
  EXPECT_TRUE(r.fake->calls.empty());
  EXPECT_TRUE(r.probe.BuildCustomControls(true, false)) << "an empty list builds again";
}

TEST(BuildCustomControls, ClosingPassReadsEveryControlBackUnlessTheDialogFailed) {
  RecordedDialog r;
  ASSERT_TRUE(r.dialog.CustomizeOpenButton(5, false, true));
  r.dialog.AddBuiltInControls(0, 6, cckEditBox, L"before");
  r.dialog.AddBuiltInControls(0, 7, cckComboBox, L"", {L"a", L"b", L"c"});
  r.Build();
  r.probe.Options() |= cdoItemDialogLive;
  r.fake->checkState[static_cast<DWORD>(-5)] = TRUE;
  r.fake->editText[static_cast<DWORD>(-6)] = L"after";
  r.fake->selectedItem[static_cast<DWORD>(-7)] = 2;
  const DWORD flagsBefore = static_cast<DWORD>(r.dialog.Flags());

  EXPECT_TRUE(r.probe.BuildCustomControls(false, true));
  EXPECT_EQ(static_cast<DWORD>(r.dialog.Flags()), flagsBefore) << "a failed dialog is not read";
  EXPECT_EQ(r.Record(6).LabelText, L"before");

  EXPECT_TRUE(r.probe.BuildCustomControls(false, false));
  EXPECT_EQ(r.Record(5).ControlFlags & 0x7FFF00, 0x100) << "the check state is kept";
  EXPECT_EQ(r.dialog.Flags() & OFN_READONLY, OFN_READONLY) << "the ro check carries into the flag";
  EXPECT_EQ(r.Record(6).LabelText, L"after");
  EXPECT_EQ(r.Record(7).ControlFlags & 0x7FFF00, 0x200);
}

// ---- Queries ----

TEST(ReadCustomControls, AnswersFromTheRecord) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(10, 0, 0, L"Group");
  r.dialog.AddBuiltInControls(10, 11, cckComboBox, L"", {L"a", L"b", L"c"});
  r.dialog.AddBuiltInControls(0, 12, cckRadioList, L"", {L"x", L"y"});
  r.dialog.AddBuiltInControls(0, 13, cckCheckButton, L"Check");
  r.Record(11).ControlFlags |= 0x80 | 0x40 | (1 << 8);
  r.Record(11).ItemStates = {3, 2, 1};
  r.Record(12).ControlFlags |= 0x10000000 | (1 << 8);
  r.Record(13).ControlFlags |= (1 << 8);
  r.Record(13).AttachedValue = std::wstring(L"attached");

  EXPECT_TRUE(IsEmpty(r.dialog.ReadCustomControls(99, 4, -1))) << "unknown key";
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(11, 4, -1)), 1);
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(12, 4, -1)), -1) << "no selection";
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(13, 4, -1)), 1);
  EXPECT_TRUE(AsBool(r.dialog.ReadCustomControls(11, 0, -1))) << "prominent";
  EXPECT_FALSE(AsBool(r.dialog.ReadCustomControls(13, 0, -1)));
  EXPECT_TRUE(AsBool(r.dialog.ReadCustomControls(11, 1, 0)));
  EXPECT_TRUE(AsBool(r.dialog.ReadCustomControls(11, 1, 2))) << "item 2 has the enabled bit";
  EXPECT_FALSE(AsBool(r.dialog.ReadCustomControls(11, 1, 1)));
  EXPECT_TRUE(AsBool(r.dialog.ReadCustomControls(11, 2, 1)));
  EXPECT_TRUE(AsBool(r.dialog.ReadCustomControls(13, 1, 3))) << "no item states: true";
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(11, 3, 2)), L"c");
  EXPECT_TRUE(IsEmpty(r.dialog.ReadCustomControls(11, 3, 7))) << "missing item";
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(13, 3, 0)), L"Check");
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(13, 5, -1)), L"attached");
  EXPECT_TRUE(IsEmpty(r.dialog.ReadCustomControls(10, 6, 1))) << "the group has one child";
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(10, 6, 0)), 11);
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(10, 4, 0)), 1) << "a query through the group";
  EXPECT_TRUE(IsEmpty(r.dialog.ReadCustomControls(10, 4, 5)));
}

TEST(ReadCustomControls, LiveReadsKeepTheUsersInput) {
  RecordedDialog r;
  r.dialog.AddBuiltInControls(0, 1, cckComboBox, L"", {L"a", L"b", L"c"});
  r.dialog.AddBuiltInControls(0, 2, cckRadioList, L"", {L"x", L"y"});
  r.dialog.AddBuiltInControls(0, 3, cckEditBox, L"old");
  ASSERT_TRUE(r.dialog.CustomizeOpenButton(4, false, false));
  r.Record(1).ControlFlags |= (2 << 8);
  r.Record(2).ControlFlags |= 0x10000000;
  r.Build();
  r.probe.Options() |= cdoItemDialogLive;
  const DWORD combo = static_cast<DWORD>(-1), radio = static_cast<DWORD>(-2), edit = static_cast<DWORD>(-3);

  r.fake->selectedItemResult[combo] = E_FAIL;
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(1, 4, -1)), -1);
  EXPECT_EQ(r.Record(1).ControlFlags & 0x7FFF00, 0x200) << "the stored selection stays";

  r.fake->selectedItem[radio] = 1;
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(2, -1, -1)), L"") << "a list has no text";
  EXPECT_EQ(r.Record(2).ControlFlags & 0x7FFF00, 0x100);
  EXPECT_EQ(r.Record(2).ControlFlags & 0x10000000, 0) << "a selection clears the no-selection bit";

  r.fake->editText[edit] = L"typed";
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(3, 3, -1)), L"typed");
  EXPECT_EQ(r.Record(3).LabelText, L"typed");

  // The OK button's read-only pair: the item id minus one.
  CustomControlRecord& ok = r.probe.CustomControls().at(static_cast<size_t>(r.probe.FindControlId(L"def", false)));
  const int32_t callerOfOk = -kDropDownId;
  r.fake->selectedItem[static_cast<DWORD>(kDropDownId)] = 1;
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(callerOfOk, 4, -1)), 0);
  r.fake->selectedItem[static_cast<DWORD>(kDropDownId)] = 0;
  EXPECT_EQ(AsInt(r.dialog.ReadCustomControls(callerOfOk, 4, -1)), -1);
  EXPECT_EQ(ok.ControlFlags & static_cast<int32_t>(0xFF0000FFu), cckOkButton | 0x30 | 0x2000000)
      << "a negative value stays out of the flag bits";
  EXPECT_EQ(AsText(r.dialog.ReadCustomControls(callerOfOk, 3, -1)), L"Open as &read-only");
}

TEST(ReadCustomControls, NothingBelowLevelSix) {
  ScopedWindowsVersion version(5, 1);
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  probe.FindControlId(L"1", true);
  EXPECT_TRUE(IsEmpty(dialog.ReadCustomControls(1, 0, -1)));
}

// ---- The real item dialog ----

TEST(CustomControlsOnTheItemDialog, BuiltIntoTheDialogAndReadBackLive) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  ASSERT_GE(dialog.OSLevel(), 6);
  ASSERT_TRUE(dialog.AddBuiltInControls(0, 1, cckCheckButton, L"Keep a copy"));
  ASSERT_TRUE(dialog.AddBuiltInControls(0, 2, cckEditBox, L"first text"));
  ASSERT_TRUE(dialog.AddBuiltInControls(20, 0, 0, L"Choices"));
  ASSERT_TRUE(dialog.AddBuiltInControls(20, 3, cckComboBox, L"", {L"one", L"two", L"three"}));
  ASSERT_TRUE(dialog.AddBuiltInControls(20, 4, cckRadioList, L"", {L"left", L"right"}));
  probe.CustomControls()[static_cast<size_t>(probe.FindControlId(L"3", false))].ControlFlags |= (2 << 8);

  ComPtr<IFileDialog> shellDialog;
  ASSERT_EQ(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shellDialog)), S_OK);
  probe.FileDialog() = shellDialog;
  ASSERT_TRUE(probe.BuildCustomControls(true, false));
  ComPtr<IFileDialogCustomize> customize = probe.DialogCustomize();
  ASSERT_TRUE(customize) << "the shell's dialog has the customisation interface";
  probe.Options() |= cdoItemDialogLive;

  EXPECT_EQ(AsInt(dialog.ReadCustomControls(1, 4, -1)), 0);
  EXPECT_EQ(AsText(dialog.ReadCustomControls(2, 3, -1)), L"first text");
  EXPECT_EQ(AsInt(dialog.ReadCustomControls(3, 4, -1)), 2) << "the built selection";

  // What a user would change, through the dialog's own interface.
  ASSERT_EQ(customize->SetCheckButtonState(static_cast<DWORD>(-1), TRUE), S_OK);
  ASSERT_EQ(customize->SetEditBoxText(static_cast<DWORD>(-2), L"typed here"), S_OK);
  ASSERT_EQ(customize->SetSelectedControlItem(static_cast<DWORD>(-3), 0), S_OK);
  ASSERT_EQ(customize->SetSelectedControlItem(static_cast<DWORD>(-4), 1), S_OK);
  EXPECT_TRUE(probe.BuildCustomControls(false, false));

  probe.Options() &= ~static_cast<uint32_t>(cdoItemDialogLive);  // the stored answers
  EXPECT_EQ(AsInt(dialog.ReadCustomControls(1, 4, -1)), 1);
  EXPECT_EQ(AsText(dialog.ReadCustomControls(2, 3, 0)), L"typed here");
  EXPECT_EQ(AsInt(dialog.ReadCustomControls(3, 4, -1)), 0);
  EXPECT_EQ(AsInt(dialog.ReadCustomControls(4, 4, -1)), 1);
  EXPECT_EQ(AsInt(dialog.ReadCustomControls(20, 4, 1)), 1) << "the radio list through its group";

  probe.DialogCustomize().Reset();
  probe.FileDialog().Reset();
}
