// Message boxes and the status line. Every message of the program goes through
// these, and they reach the user only through the installed Platform.
#pragma once

#include <string>
#include <string_view>

namespace tq {

inline constexpr const char* kProductName = "Tessaloquine";

// Messages are Windows-1252 like all the program's text, but the paths in
// them are native UTF-8, and so are characters the program reports it could
// not keep. Such a part goes into a message through NativeText, which sets it
// off with the shift-out and shift-in controls; whatever shows the message
// then shows each part by its own encoding.
inline constexpr char kNativeOpen = '\x0E';
inline constexpr char kNativeClose = '\x0F';
std::string NativeText(std::string_view utf8);
// The message's bytes without the marks: the 1252 parts and the native parts
// side by side, as a plain C++ reader compares them.
std::string StripNativeMarks(std::string_view message);
// The whole message as UTF-8: the 1252 parts converted, the native parts as
// they are.
std::string MessageToUtf8(std::string_view message);

// "Fatal Error: " + text, stop icon; then asks the application to terminate.
void ShowFatalError(const std::string& text);
// "Error: " + text, stop icon.
void ShowError(const std::string& text);
// "Warning: " + text, with the stop icon as for errors.
void ShowWarning(const std::string& text);
// "Warning: " + text, with the warning icon: for a change the program made
// to the user's own work (a phrase that lost a word), which is no error.
void ShowCaution(const std::string& text);
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
