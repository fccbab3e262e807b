#pragma once
// The report of unhandled errors. Every event handler that the forms layer
// dispatches (Load, Resize, QueryUnload, Unload, Click, GotFocus, ...) runs
// inside RunEventHandler: a RuntimeError, or any other exception, that leaves
// the handler is shown in a message box (through ShowMessageBox, so tests see
// it through the message-box seam) and the program keeps running. The handler
// that failed stops where the error was raised; the event's other effects
// (the option's selection, the form's unloading, ...) stand.
#include <exception>
#include <functional>
#include <string>

#include "ui/runtime_error.h"

// The text of the report: "Run-time error '6':" CR LF CR LF "Overflow".
// A negative number (a user-defined error) also shows its hexadecimal form,
// as in "Run-time error '-2147220504 (800403e8)':".
std::wstring UnhandledErrorText(int32_t number, const std::wstring& description);

// Shows the report of one error: the text above, an OK button, the critical
// icon and the application title.
void ReportUnhandledError(const RuntimeError& error);

// Reports the exception being handled (call it inside a catch block).
// std::bad_alloc is reported as error 7 (Out of memory); any other exception
// as error 51 (Internal error) with its what() text when it has one.
void ReportCurrentException() noexcept;

// Runs one event handler and reports whatever error leaves it.
void RunEventHandler(const std::function<void()>& handler) noexcept;
