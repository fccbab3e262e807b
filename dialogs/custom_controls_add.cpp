// The operations that fill the custom-control list before a showing: a
// caller's groups and controls, the read-only open button, and the folder
// multi-pick customisation with its built-in controls.
#include <windows.h>

#include "dialogs/cmn_dialog_ex.h"
#include "dialogs/custom_control_bits.h"
#include "ui/text.h"

namespace {
bool IsCallerId(int32_t id) { return id >= 1 && id <= kMaxCallerId; }
}  // namespace

bool CmnDialogEx::AddBuiltInControls(int32_t groupId, int32_t controlId, int32_t kind, const std::wstring& text,
                                     const std::vector<std::wstring>& items) {
  // The list is fixed while a dialog object exists (between the two passes).
  if (OSLevel() < 6 || fileDialog_) return false;
  if (groupId < 1 && controlId < 1) return false;
  if (groupId > kMaxCallerId || controlId > kMaxCallerId) return false;

  if (controlId < 1) {
    // A visual group.
    const std::wstring key = DecimalText(groupId);
    if (FindControlId(key, false) >= 0) return false;
    CustomControlRecord& g = customControls_[static_cast<size_t>(FindControlId(key, true))];
    g.ControlId = -groupId;
    g.ControlFlags = kStateMask;
    g.LabelText = text;
    return true;
  }

  int32_t parent = -1;
  if (groupId >= 1) {
    parent = FindControlId(DecimalText(groupId), false);
    const CustomControlRecord* p = ControlAt(parent);
    if (parent < 1 || p == nullptr || ControlKind(p->ControlFlags) != cckGroup) return false;
  }
  const std::wstring key = DecimalText(controlId);
  if (FindControlId(key, false) >= 0) return false;

  CustomControlRecord& r = customControls_[static_cast<size_t>(FindControlId(key, true))];
  r.ControlId = -controlId;
  r.ControlFlags |= (kind & kKindMask) | kStateMask;
  r.LabelText = text;
  if (kind != cckGroup) r.Items = items;
  if (parent >= 1) {
    r.ControlFlags |= kInGroupBit;
    CustomControlRecord& p = customControls_[static_cast<size_t>(parent)];
    if (ValueField(p.ControlFlags) < kMaxGroupChildren) {
      p.Items.push_back(key);
      p.ControlFlags += 0x100;
    }
  }
  return true;
}

bool CmnDialogEx::CustomizeOpenButton(int32_t checkButtonId, bool readOnlyChecked, bool dropDownOrder) {
  if (OSLevel() < 6 || fileDialog_ || !IsCallerId(checkButtonId)) return false;
  if (FindControlId(kReadOnlyKey, false) >= 0 || FindControlId(kOkButtonKey, false) >= 0) return false;
  if (!AddBuiltInControls(0, checkButtonId, cckCheckButton, L"Open as &read-only")) return false;

  CustomControlRecord& check = customControls_[static_cast<size_t>(FindControlId(DecimalText(checkButtonId), false))];
  check.ControlFlags |= kProminentBit | (readOnlyChecked ? 0x100 : 0);
  controlIdCollection_->Add(checkButtonId, kReadOnlyKey);

  const int32_t okIndex = FindControlId(DecimalText(CallerIdOf(kOpenDropDownId)), true);
  controlIdCollection_->Add(okIndex, kOkButtonKey);
  CustomControlRecord& ok = customControls_[static_cast<size_t>(okIndex)];
  ok.ControlId = kOpenDropDownId;
  ok.ControlFlags = cckOkButton | kStateMask | kReadOnlyPairBit | (dropDownOrder ? kDropDownOrderBit : 0);
  ok.Items = {L"Open as &read-only", L"Open for &write"};
  return true;
}

bool CmnDialogEx::CustomizeFolderPicker(int32_t mode, const std::wstring& okLabel) {
  if (OSLevel() < 6 || fileDialog_) return false;
  options_ = (options_ & ~static_cast<uint32_t>(cdoPickerModeMask)) | (static_cast<uint32_t>(mode) & cdoPickerModeMask);
  pickerCollection_ = std::make_unique<KeyedCollection<Microsoft::WRL::ComPtr<IUnknown>>>();

  // Record 0: the push button that adds the current selection.
  CustomControlRecord& add = customControls_[static_cast<size_t>(FindControlId(kReservedControlKey, true))];
  add.ControlId = kPickerAddButtonId;
  add.ControlFlags = cckPushButton | kStateMask | kInGroupBit;
  add.LabelText = L"&Add to selection";

  // The group that holds it; its label shows the running selection count.
  CustomControlRecord& group = customControls_[static_cast<size_t>(FindControlId(kSelectionCountKey, true))];
  group.ControlId = kPickerGroupId;
  group.ControlFlags = 0x130;
  group.Items = {kReservedControlKey};
  group.LabelText = ReplaceAll(L"%s items selected", L"%S", L"%s");

  CustomControlRecord& ok = customControls_[static_cast<size_t>(FindControlId(kOkButtonKey, true))];
  ok.ControlId = kPickerOkButtonId;
  ok.ControlFlags = 0x31;
  ok.LabelText = okLabel;

  CustomControlRecord& label = customControls_[static_cast<size_t>(FindControlId(DecimalText(kPickerFolderLabelId), true))];
  label.ControlId = kPickerFolderLabelId;
  label.ControlFlags = 0x3B;
  label.LabelText = L"Folder: ";
  return true;
}
