#pragma once
// The callback machinery of one showing: what the dialog's callbacks use to
// reach their CmnDialogEx. The classic hook and the folder-browser callback
// get the block through their user data (lCustData, lParam), the button
// subclass through its reference data, and the item dialog's event sink is a
// COM object of our own that holds the owner pointer itself.
// ReleaseCallbackThunks is the one place that frees all of it.
#include <windows.h>
#include <shobjidl.h>

#include "dialogs/cmn_dialog_ex.h"

struct DialogCallbackBlock {
  CmnDialogEx* owner = nullptr;
};

UINT_PTR CALLBACK ClassicHookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM lParam, LPARAM data);
LRESULT CALLBACK DialogButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR data);

// The item dialog's event sink: forwards the dialog's events to its owner
// until Detach() cuts the link (the dialog may hold the sink a little longer).
class DialogEventSink final : public IFileDialogEvents, public IFileDialogControlEvents {
 public:
  explicit DialogEventSink(CmnDialogEx* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

  // IUnknown
  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;

  // IFileDialogEvents
  IFACEMETHODIMP OnFileOk(IFileDialog* dialog) override;
  IFACEMETHODIMP OnFolderChanging(IFileDialog* dialog, IShellItem* folder) override;
  IFACEMETHODIMP OnFolderChange(IFileDialog* dialog) override;
  IFACEMETHODIMP OnSelectionChange(IFileDialog* dialog) override;
  IFACEMETHODIMP OnShareViolation(IFileDialog* dialog, IShellItem* item,
                                  FDE_SHAREVIOLATION_RESPONSE* response) override;
  IFACEMETHODIMP OnTypeChange(IFileDialog* dialog) override;
  IFACEMETHODIMP OnOverwrite(IFileDialog* dialog, IShellItem* item, FDE_OVERWRITE_RESPONSE* response) override;

  // IFileDialogControlEvents
  IFACEMETHODIMP OnItemSelected(IFileDialogCustomize* customize, DWORD controlId, DWORD itemId) override;
  IFACEMETHODIMP OnButtonClicked(IFileDialogCustomize* customize, DWORD controlId) override;
  IFACEMETHODIMP OnCheckButtonToggled(IFileDialogCustomize* customize, DWORD controlId, BOOL checked) override;
  IFACEMETHODIMP OnControlActivating(IFileDialogCustomize* customize, DWORD controlId) override;

 private:
  ~DialogEventSink() = default;
  // A folder, selection or type change: the owner reads the dialog again.
  HRESULT ForwardItemDialogEvent();

  LONG refs_ = 1;
  CmnDialogEx* owner_;
};
