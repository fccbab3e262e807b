#include "app/toolkit/dcmodify.h"

#include <windows.h>

#include <algorithm>

#include "app/app_folder.h"
#include "app/support/environment.h"
#include "app/support/paths.h"
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
constexpr wchar_t kUtf8CharacterSet[] = L"ISO_IR 192";

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

bool HasNonAsciiCharacter(const std::wstring& value) {
  return std::any_of(value.begin(), value.end(), [](wchar_t c) { return c > L'\x7F'; });
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

bool DeclaresUtf8(const std::wstring& characterSet) { return TextEquals(TrimBlanks(characterSet), kUtf8CharacterSet); }

AssignmentValueCheck CheckAssignmentValue(const std::wstring& value, const std::wstring& fileCharacterSet) {
  const bool control = std::any_of(value.begin(), value.end(), [](wchar_t c) { return c < L' '; });
  const bool sameEncoding = AnsiCodePageIsUtf8() == DeclaresUtf8(fileCharacterSet);
  return {.hasDoubleQuote = value.find(L'"') != std::wstring::npos,
          .outsideCodePage = !FitsAnsiCodePage(value),
          .hasControlCharacter = control,
          .readAsOtherText = !sameEncoding && HasNonAsciiCharacter(value)};
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

NamesAfterDcmodify RestoreFileNameAfterDcmodify(const std::wstring& ownPath, const std::wstring& givenPath) {
  NamesAfterDcmodify names;
  names.dicomFileAt = ownPath;
  if (givenPath == ownPath) return names;
  auto failed = [&names](DWORD error) {
    names.restored = false;
    names.error = error;
  };
  // Under the given name there is either the user's file itself (dcmodify
  // changed nothing) or a file that dcmodify wrote there.
  if (PathIsThere(givenPath) && !TextEquals(LongPathOf(givenPath), LongPathOf(ownPath))) {
    if (DWORD error = MoveFileOrError(givenPath, ownPath, 0)) {
      failed(error);
      names.dicomFileAt = LongPathOf(givenPath);
    }
  } else if (!PathIsThere(ownPath)) {
    // Neither name holds it: dcmodify moved it aside and wrote nothing back.
    failed(ERROR_FILE_NOT_FOUND);
    names.dicomFileAt.clear();
  }
  const std::wstring backup = givenPath + L".bak";
  if (PathIsThere(backup)) {
    const std::wstring ownBackup = ownPath + L".bak";
    if (DWORD error = MoveFileOrError(backup, ownBackup, MOVEFILE_REPLACE_EXISTING)) {
      if (names.restored) failed(error);
      names.backupAt = LongPathOf(backup);
    } else {
      names.backupAt = ownBackup;
    }
  }
  return names;
}

std::wstring NamesNotRestoredMessage(const std::wstring& ownPath, const NamesAfterDcmodify& names) {
  const std::wstring why = SystemMessageText(names.error);
  std::wstring text = L"dcmodify was given the DICOM file under its short (8.3) name, and afterwards a file "
                      L"couldn't be given back its own name" +
                      (why.empty() ? L"." : L": " + why) + L"\r\n\r\nNothing was deleted. The files are now here:\r\n";
  text += L"\r\nThe DICOM file:\r\n    " + (names.dicomFileAt.empty() ? L"(not found)" : names.dicomFileAt) + L"\r\n";
  if (!names.backupAt.empty()) {
    text += L"\r\nThe file as it was before this save (dcmodify's backup):\r\n    " + names.backupAt + L"\r\n";
  }
  text += L"\r\nTheir own names are\r\n    " + ownPath + L"\r\n    " + ownPath + L".bak\r\n" +
          L"Close any program that holds them, clear a read-only attribute, and rename them yourself.";
  return text;
}

void SetMoveFileForTests(MoveFileFunction move) { MoveFileSeam() = move; }
