#pragma once
// How the toolkit runs (dcmdump, dcmodify) report an error they caught:
// description, source and number joined by " - ", OK button, no icon.
#include <functional>
#include <string>

// Runs body; a run-time error (or exhausted memory) raised inside is shown as
// the toolkit runs show it, and the result is then the empty text.
std::wstring RunReportingToolkitErrors(const std::function<std::wstring()>& body);
