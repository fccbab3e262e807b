// The custom-control list of the item dialog: the key lookup, and the two
// passes over the list for one showing (building the controls before Show,
// reading them back after it).
#include <windows.h>
#include <shobjidl.h>

#include "dialogs/cmn_dialog_ex.h"
#include "dialogs/custom_control_bits.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

int32_t CmnDialogEx::FindControlId(const std::wstring& controlKey, bool create) {
  if (!controlIdCollection_ && !create) return -1;
  if (controlIdCollection_) {
    if (const int32_t* value = controlIdCollection_->Find(controlKey)) return *value;
    if (controlKey == kReservedControlKey) return 0;
    if (!create) return -1;
  }
  int32_t n;
  if (!controlIdCollection_) {
    controlIdCollection_ = std::make_unique<KeyedCollection<int32_t>>();
    n = controlKey == kReservedControlKey ? 0 : 1;
    customControls_.assign(static_cast<size_t>(n) + 1, CustomControlRecord{});
  } else {
    n = static_cast<int32_t>(customControls_.size());
    customControls_.resize(static_cast<size_t>(n) + 1);
  }
  if (n != 0) controlIdCollection_->Add(n, controlKey);
  return n;
}

CustomControlRecord* CmnDialogEx::ControlAt(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= customControls_.size()) return nullptr;
  return &customControls_[static_cast<size_t>(index)];
}

void CmnDialogEx::DiscardCustomControls() {
  controlIdCollection_.reset();
  customControls_.clear();
}

bool CmnDialogEx::BuildCustomControls(bool building, bool failed) {
  if (!controlIdCollection_) return true;

  if (!building) {
    // Closing pass: carry the user's input back into the records.
    if (failed || !dialogCustomize_) return true;
    int64_t ro = -static_cast<int64_t>(FindControlId(kReadOnlyKey, false));
    for (size_t i = 1; i < customControls_.size(); ++i) {
      if (ControlKind(customControls_[i].ControlFlags) > 0) {
        ReadCustomControls(CallerIdOf(customControls_[i].ControlId), -1, -1);
      }
      const CustomControlRecord& r = customControls_[i];
      if (ro < 0 && r.ControlId == ro) {
        SetReadOnlyFlag(openFileName_.Flags, (r.ControlFlags & 0x100) != 0);
        ro = 0;
      }
    }
    return true;
  }

  // Building pass: the customisation interface, then every record.
  if (fileDialog_) {
    HRESULT hr = fileDialog_->QueryInterface(IID_PPV_ARGS(&dialogCustomize_));
    if (hr != S_OK) {
      DiscardCustomControls();
      options_ &= ~cdoSelectionMask;
      return false;
    }
  }
  IFileDialogCustomize* customize = dialogCustomize_.Get();
  const uint32_t mode = options_ & cdoPickerModeMask;
  bool prominentDone = false;

  for (size_t i = 0; i < customControls_.size(); ++i) {
    const CustomControlRecord& r = customControls_[i];
    const bool group = ControlKind(r.ControlFlags) == cckGroup;
    const bool skip = (group && ValueField(r.ControlFlags) == 0) || (IsBuiltInId(r.ControlId) && mode == 0) ||
                      (!group && (r.ControlFlags & kInGroupBit) != 0);
    if (skip) continue;

    std::vector<size_t> members;
    if (group) {
      std::wstring label = IsBuiltInId(r.ControlId) ? ReplaceAll(r.LabelText, L"%s", L"0000") : r.LabelText;
      if (customize) customize->StartVisualGroup(static_cast<DWORD>(r.ControlId), label.c_str());
      for (const std::wstring& key : r.Items) {
        int32_t index = FindControlId(key, false);
        if (ControlAt(index) == nullptr) Raise(kErrSubscript);
        members.push_back(static_cast<size_t>(index));
      }
    } else {
      members.push_back(i);
    }

    for (size_t m : members) {
      BuildControl(customControls_[m]);
      const CustomControlRecord& c = customControls_[m];
      const DWORD id = static_cast<DWORD>(c.ControlId);
      const int32_t state = ControlState(c.ControlFlags);
      if (state < 3 && customize) customize->SetControlState(id, static_cast<CDCONTROLSTATEF>(state));
      if ((c.ControlFlags & kItemStatesBit) != 0) {
        for (size_t j = 0; j < c.ItemStates.size(); ++j) {
          if (c.ItemStates[j] < 3 && customize) {
            customize->SetControlItemState(id, static_cast<DWORD>(j), static_cast<CDCONTROLSTATEF>(c.ItemStates[j]));
          }
        }
      }
      const int32_t kind = ControlKind(c.ControlFlags);
      const bool canBeProminent =
          kind == cckCheckButton || kind == cckComboBox || kind == cckPushButton || kind == cckMenu;
      if (!prominentDone && (c.ControlFlags & kProminentBit) != 0 && canBeProminent) {
        if (group) {
          if (ValueField(customControls_[i].ControlFlags) == 1) {
            if (customize) customize->MakeProminent(static_cast<DWORD>(customControls_[i].ControlId));
            prominentDone = true;
          }
        } else {
          if (customize) customize->MakeProminent(id);
          prominentDone = true;
        }
      }
    }

    if (group) {
      const CustomControlRecord& g = customControls_[i];
      if (customize) customize->EndVisualGroup();
      const int32_t state = ControlState(g.ControlFlags);
      if (state < 3 && customize) customize->SetControlState(static_cast<DWORD>(g.ControlId), static_cast<CDCONTROLSTATEF>(state));
    }
  }
  return true;
}

void CmnDialogEx::BuildControl(CustomControlRecord& c) {
  IFileDialogCustomize* customize = dialogCustomize_.Get();
  const DWORD id = static_cast<DWORD>(c.ControlId);
  const int32_t flags = c.ControlFlags;
  auto addItems = [&] {
    for (size_t j = 0; j < c.Items.size(); ++j) {
      if (customize) customize->AddControlItem(id, static_cast<DWORD>(j), c.Items[j].c_str());
    }
  };

  switch (ControlKind(flags)) {
    case cckOkButton:
      if ((flags & (kDropDownOrderBit | kReadOnlyPairBit)) != 0) {
        if (customize) customize->EnableOpenDropDown(id);
        const DWORD b = (flags & kDropDownOrderBit) != 0 ? 1 : 0;
        if ((flags & kReadOnlyPairBit) != 0) {
          const std::wstring& first = ItemText(c, 0);
          const std::wstring& second = ItemText(c, 1);
          if (customize) customize->AddControlItem(id, 1 - b, first.c_str());
          if (customize) customize->AddControlItem(id, b, second.c_str());
          SetReadOnlyFlag(openFileName_.Flags, b == 0);
        } else {
          addItems();
        }
      } else if (!c.LabelText.empty() && fileDialog_) {
        fileDialog_->SetOkButtonLabel(c.LabelText.c_str());
      }
      break;
    case cckComboBox:
    case cckRadioList:
    case cckMenu: {
      const int32_t kind = ControlKind(flags);
      if (customize) {
        if (kind == cckComboBox) customize->AddComboBox(id);
        if (kind == cckRadioList) customize->AddRadioButtonList(id);
        if (kind == cckMenu) customize->AddMenu(id, c.LabelText.c_str());
      }
      addItems();
      if ((flags & kNoSelectionBit) == 0 && kind != cckMenu && customize) {
        customize->SetSelectedControlItem(id, static_cast<DWORD>(ValueField(flags)));
      }
      break;
    }
    case cckCheckButton:
      if (customize) customize->AddCheckButton(id, c.LabelText.c_str(), (flags & 0xF00) / 0x100);
      if (FindControlId(kReadOnlyKey, false) == CallerIdOf(c.ControlId)) {
        SetReadOnlyFlag(openFileName_.Flags, (flags & 0x100) != 0);
      }
      break;
    case cckText:
      if (customize) customize->AddText(id, c.LabelText.c_str());
      break;
    case cckSeparator:
      if (customize) customize->AddSeparator(id);
      break;
    case cckEditBox:
      if (customize) customize->AddEditBox(id, c.LabelText.c_str());
      break;
    case cckPushButton:
      if (customize) customize->AddPushButton(id, c.LabelText.c_str());
      break;
    case cckCancelLabel:
      if (fileDialog2_) fileDialog2_->SetCancelButtonLabel(c.LabelText.c_str());
      break;
    case cckFileNameLabel:
      if (fileDialog_) fileDialog_->SetFileNameLabel(c.LabelText.c_str());
      break;
    default:
      break;  // a group met as a member, or kinds 12-15: nothing is created
  }
}
