#pragma once
// Whole text files written in the ANSI code page.
#include <string>

// Replaces the file at `path` by `text` (converted to the ANSI code page, no
// line break added). Returns true when the file now holds exactly the text.
//
// With askOnBadName, a name that the system rejects (run-time error 52) is
// offered for correction in the input box "Nom Invalide..."; the answer is
// written back into `path` and the write is tried again with it, and an empty
// answer (or a cancel) gives up without a message. Any other failure shows the
// "Erreur : " box. Without askOnBadName failures are silent.
bool WriteTextFile(const std::wstring& text, std::wstring& path, bool askOnBadName);

// Deletes the file; a missing file, a file in use or a refused deletion is ignored.
void DeleteFileQuiet(const std::wstring& path);
