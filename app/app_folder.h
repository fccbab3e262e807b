#pragma once
// The application folder: the folder of the running executable, without a
// trailing "\" (the toolkit programs lie in "bin\dcmtk\" below it).
#include <string>

std::wstring AppFolder();

// Test seam: makes AppFolder() answer this folder; an empty text restores
// the executable's own folder.
void SetAppFolderForTests(const std::wstring& folder);
