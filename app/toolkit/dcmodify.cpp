#include "app/toolkit/dcmodify.h"

#include <windows.h>

#include <algorithm>

#include "app/app_folder.h"
#include "app/support/environment.h"
#include "app/support/paths.h"
#include "app/toolkit/dos_outputs.h"
#include "app/toolkit/toolkit_error.h"
#include "ui/text.h"

namespace {
constexpr wchar_t kPatientAge[] = L"(0010,1010)";
constexpr wchar_t kSeriesDate[] = L"(0008,0021)";
constexpr wchar_t kAcquisitionDate[] = L"(0008,0022)";
constexpr wchar_t kContentDate[] = L"(0008,0023)";
constexpr wchar_t kReferringPhysician[] = L"(0008,0090)";
constexpr wchar_t kInstitutionAddress[] = L"(0008,0081)";
constexpr wchar_t kManufacturerModel[] = L"(0008,1090)";
constexpr wchar_t kReplacementModel[] = L"DEDAVADUR Station";

std::wstring DependentAssignments(int row, const std::wstring& value) {
  switch (row) {
    case 1: return AssignmentLine(kPatientAge, L" ");
    case 3:
      return AssignmentLine(kSeriesDate, value) + AssignmentLine(kAcquisitionDate, value) +
             AssignmentLine(kContentDate, value);
    case 4: return AssignmentLine(kReferringPhysician, value);
    case 6: return AssignmentLine(kInstitutionAddress, L" ");
    case 9: return AssignmentLine(kManufacturerModel, kReplacementModel);
    default: return L"";
  }
}
}  // namespace

std::wstring ModificationArgsFile() {
  std::wstring temp = Environ(L"Temp");
  return AddBackslash(temp) + L"Mod.txt";
}

std::wstring AssignmentLine(const std::wstring& tag, const std::wstring& value) {
  return L"-i \"" + tag + L"=" + value + L"\"\r\n";
}

AssignmentValueCheck CheckAssignmentValue(const std::wstring& value) {
  const bool control = std::any_of(value.begin(), value.end(), [](wchar_t c) { return c < L' '; });
  return {.hasDoubleQuote = value.find(L'"') != std::wstring::npos,
          .outsideCodePage = !FitsAnsiCodePage(value),
          .hasControlCharacter = control};
}

std::wstring RowAssignments(int row, const std::wstring& tag, const std::wstring& value) {
  return AssignmentLine(tag, value) + DependentAssignments(row, value);
}

std::wstring DcmModifyCommandLine(const std::wstring& dicomFile, const std::wstring& argsFile) {
  std::wstring folder = AppFolder();
  return AddBackslash(folder) + L"bin\\dcmtk\\dcmodify.exe @\"" + argsFile + L"\" \"" + dicomFile + L"\"";
}

std::wstring RunDcmModify(const std::wstring& dicomFile, const std::wstring& argsFile) {
  return RunReportingToolkitErrors([&] {
    DOSOutputs runner;
    runner.SetCommandLine(DcmModifyCommandLine(dicomFile, argsFile));
    runner.Execute(L"");
    return runner.Output();
  });
}

void RestoreFileNameAfterDcmodify(const std::wstring& ownPath, const std::wstring& givenPath) {
  if (givenPath == ownPath) return;
  auto exists = [](const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  if (!exists(ownPath) && exists(givenPath)) MoveFileExW(givenPath.c_str(), ownPath.c_str(), 0);
  const std::wstring backup = givenPath + L".bak";
  if (exists(backup)) MoveFileExW(backup.c_str(), (ownPath + L".bak").c_str(), MOVEFILE_REPLACE_EXISTING);
}
