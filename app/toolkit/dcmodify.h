#pragma once
// dcmodify: the arguments file of tag assignments, its command line, its run.
#include <string>

#include "app/toolkit/character_set.h"

// The arguments file: the temporary folder ("Temp") and "Mod.txt".
std::wstring ModificationArgsFile();

// One assignment line: -i "(gggg,eeee)=value" CR LF (the value unchanged).
std::wstring AssignmentLine(const std::wstring& tag, const std::wstring& value);

// Whether a value can travel through the arguments file unchanged. The file
// holds each assignment inside double quotes and dcmodify's "@file" reader
// has no escape character, so a double quote in a value would end the
// assignment early and let the rest of the value act as further options. The
// file is ANSI text, so a character that the code page lacks would reach the
// DICOM file as a replacement character. A line break or another control
// character (below U+0020) would be written into the element as it stands.
// A character above U+007F reaches the file as the ANSI code page's bytes for
// it, which the file's readers take in the file's character set: unless those
// bytes read back as the same text there, they read other text.
struct AssignmentValueCheck {
  bool hasDoubleQuote = false;
  bool outsideCodePage = false;
  bool hasControlCharacter = false;
  bool readAsOtherText = false;
  bool Writable() const { return !hasDoubleQuote && !outsideCodePage && !hasControlCharacter && !readAsOtherText; }
};
// fileCharacterSet: the file's (0008,0005) value, "" when it declares none,
// nothing when it couldn't be read.
AssignmentValueCheck CheckAssignmentValue(const std::wstring& value,
                                          const DeclaredCharacterSet& fileCharacterSet = std::wstring());

// The lines one unlocked item row adds: its own assignment, then those of the
// tags that depend on it (Patient's Age with the birth date, the series,
// acquisition and content dates with the study date, ...).
std::wstring RowAssignments(int row, const std::wstring& tag, const std::wstring& value);

// The dcmodify command line for a DICOM file and an arguments file.
std::wstring DcmModifyCommandLine(const std::wstring& dicomFile, const std::wstring& argsFile);

// Runs dcmodify and returns what it printed (nothing on success), or "" after
// an error (shown in a message box).
std::wstring RunDcmModify(const std::wstring& dicomFile, const std::wstring& argsFile);

// dcmodify rewrites a file by renaming it to the path it was given followed by
// ".bak" and writing the new file under the path it was given (and, when it
// fails after that, renames the backup back to the path it was given). Given
// a file's short form, both would keep that short form as their name: this
// puts the DICOM file back under its own name and the backup beside it as
// that name followed by ".bak". Nothing happens when the two paths are the
// same. The caller makes sure that no "<given path>.bak" other than the
// user's own "<name>.bak" exists before the run, so that the only one moved
// is the backup of this run. Once the DICOM file can't be given its name,
// the backup is moved only where that replaces nothing.
struct NamesAfterDcmodify {
  bool restored = true;        // every file bears the name it should
  std::wstring dicomFileAt;    // where the DICOM file is ("" when nowhere)
  std::wstring backupAt;       // where dcmodify's backup is ("" when it made none)
  unsigned long error = 0;     // the system's code for a move that failed
};
NamesAfterDcmodify RestoreFileNameAfterDcmodify(const std::wstring& ownPath, const std::wstring& givenPath);

// What the user is told when a name couldn't be given back: what happened and
// where each file is now.
std::wstring NamesNotRestoredMessage(const std::wstring& ownPath, const NamesAfterDcmodify& names);

// Test seam: a function in place of MoveFileExW; nullptr restores it.
using MoveFileFunction = int (*)(const wchar_t* from, const wchar_t* to, unsigned long flags);
void SetMoveFileForTests(MoveFileFunction move);
