// Message boxes and the status line. Every message of the program goes through
// these, and they reach the user only through the installed Platform.
#pragma once

#include <string>

namespace tq {

inline constexpr const char* kProductName = "Tessaloquine";

// "Fatal Error: " + text, stop icon; then asks the application to terminate.
void ShowFatalError(const std::string& text);
// "Error: " + text, stop icon.
void ShowError(const std::string& text);
// "Warning: " + text, with the stop icon as for errors.
void ShowWarning(const std::string& text);
// The text as it is, no icon; returns the box's result (OK).
int ShowNotice(const std::string& text);

// True once a fatal error was shown in this process: start-up stops loading
// and never shows the main window.
bool FatalErrorShown();
void ResetFatalErrorForTesting();

// Asks "Overwrite file '<path>'?" with Yes and No; true on Yes.
bool AskOverwrite(const std::string& path);

// Panel 0 of the status bar, highlighted (alert) or plain.
void ShowStatusAlert(const std::string& text);
void ShowStatus(const std::string& text);

}  // namespace tq
