#include "app/toolkit/dcmodify.h"

#include <windows.h>

#include <algorithm>

#include "app/support/environment.h"
#include "app/support/paths.h"
#include "app/toolkit/character_set.h"
#include "app/toolkit/dos_outputs.h"
#include "app/toolkit/toolkit_path.h"
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

MoveFileFunction& MoveFileSeam() {
  static MoveFileFunction seam = nullptr;
  return seam;
}

// MoveFileExW, or the test's stand-in; the system's error code when it fails.
DWORD MoveFileOrError(const std::wstring& from, const std::wstring& to, DWORD flags) {
  const BOOL moved = MoveFileSeam() ? MoveFileSeam()(from.c_str(), to.c_str(), flags)
                                    : MoveFileExW(from.c_str(), to.c_str(), flags);
  if (moved) return ERROR_SUCCESS;
  const DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

// dcmodify's backup (found at `backup`) to the user's "<name>.bak".
void MoveBackupToItsName(const std::wstring& ownBackup, const std::wstring& backup, NamesAfterDcmodify& names) {
  if (!PathIsThere(backup)) return;
  // Given its folder's short form only, dcmodify made its backup under the
  // user's own "<name>.bak" already: a file is never moved onto itself.
  if (NameTheSameFile(backup, ownBackup)) {
    names.backupAt = ownBackup;
    return;
  }
  // A "<name>.bak" there is the backup of an earlier save. It gives way to
  // this one as dcmodify's own backups do; but once the DICOM file is
  // under another name, nothing is replaced.
  const DWORD flags = names.restored ? MOVEFILE_REPLACE_EXISTING : 0;
  if (DWORD error = MoveFileOrError(backup, ownBackup, flags)) {
    if (names.restored) {
      names.restored = false;
      names.error = error;
    }
    names.backupAt = LongPathOf(backup);
  } else {
    names.backupAt = ownBackup;
  }
}

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

AssignmentValueCheck CheckAssignmentValue(const std::wstring& value, const DeclaredCharacterSet& fileCharacterSet) {
  const bool control = std::any_of(value.begin(), value.end(), [](wchar_t c) { return c < L' '; });
  return {.hasDoubleQuote = value.find(L'"') != std::wstring::npos,
          .outsideCodePage = !FitsAnsiCodePage(value),
          .hasControlCharacter = control,
          .readAsOtherText = !ValueReadsBackInCharacterSet(value, fileCharacterSet, AnsiCodePage())};
}

std::wstring RowAssignments(int row, const std::wstring& tag, const std::wstring& value) {
  return AssignmentLine(tag, value) + DependentAssignments(row, value);
}

std::wstring DcmModifyCommandLine(const std::wstring& dicomFile, const std::wstring& argsFile) {
  return QuotedToolkitProgram(L"dcmodify.exe") + L" @\"" + argsFile + L"\" \"" + dicomFile + L"\"";
}

std::wstring RunDcmModify(const std::wstring& dicomFile, const std::wstring& argsFile) {
  return RunReportingToolkitErrors([&] {
    DOSOutputs runner;
    runner.SetCommandLine(DcmModifyCommandLine(dicomFile, argsFile));
    runner.Execute(L"");
    return runner.Output();
  });
}

NamesAfterDcmodify RestoreFileNameAfterDcmodify(const std::wstring& ownPath, const std::wstring& givenPath) {
  NamesAfterDcmodify names;
  names.dicomFileAt = ownPath;
  if (givenPath == ownPath) return names;
  auto failed = [&names](DWORD error) {
    names.restored = false;
    names.error = error;
  };
  // Under the given name there is either the user's file itself (dcmodify
  // changed nothing, or only the folder was given by its short form) or a
  // file that dcmodify wrote there.
  if (PathIsThere(givenPath) && !NameTheSameFile(givenPath, ownPath)) {
    if (DWORD error = MoveFileOrError(givenPath, ownPath, 0)) {
      failed(error);
      names.dicomFileAt = LongPathOf(givenPath);
    }
  } else if (!PathIsThere(ownPath)) {
    // Neither name holds it: dcmodify moved it aside and wrote nothing back.
    failed(ERROR_FILE_NOT_FOUND);
    names.dicomFileAt.clear();
  }
  MoveBackupToItsName(ownPath + L".bak", givenPath + L".bak", names);
  return names;
}

std::wstring NamesNotRestoredMessage(const std::wstring& ownPath, const NamesAfterDcmodify& names) {
  const std::wstring why = SystemMessageText(names.error);
  const std::wstring ownBackup = ownPath + L".bak";
  std::wstring text = L"dcmodify was given the DICOM file under its short (8.3) name, and afterwards a file "
                      L"couldn't be given back its own name" +
                      (why.empty() ? L"." : L": " + why) + L"\r\n\r\nNothing was deleted. The files are now here:\r\n";
  text += L"\r\nThe DICOM file:\r\n    " + (names.dicomFileAt.empty() ? L"(not found)" : names.dicomFileAt) + L"\r\n";
  if (!names.backupAt.empty()) {
    text += L"\r\nThe file as it was before this save (dcmodify's backup):\r\n    " + names.backupAt + L"\r\n";
  }
  if (!names.backupAt.empty() && names.backupAt != ownBackup && PathIsThere(ownBackup)) {
    text += L"\r\n" + ownBackup + L" holds the backup of an earlier save; it was left as it is.\r\n";
  }
  text += L"\r\nTheir own names are\r\n    " + ownPath + L"\r\n    " + ownBackup + L"\r\n" +
          L"Close any program that holds them, clear a read-only attribute, and rename them yourself.";
  return text;
}

void SetMoveFileForTests(MoveFileFunction move) { MoveFileSeam() = move; }
