// The toolbar and menu pictures: the desktop's icon theme, asked by the
// standard freedesktop names, where it has a fitting icon; otherwise a small
// picture of our own so that no button is ever blank.
#pragma once

#include <QIcon>

namespace tq {

enum class CommandImage {
  NewWorksheet, OpenWorksheet, SaveWorksheet, InsertNumber, DeleteNumber, MoveUp, MoveDown,
  Dictionary, Mapping, Random, EditPhrase, Cut, Copy, Paste, Delete, Find, FindAgain,
  Practice, BestPhrases, Undo, Redo, SaveAs, Exit, Preferences, HelpTopics, About,
};

QIcon CommandIcon(CommandImage image);

// The icon theme that stands in where the desktop names none (a bare X
// session): Debian's adwaita-icon-theme, which the package recommends.
inline constexpr const char* kFallbackIconTheme = "Adwaita";

// Makes the command icons come from the desktop's icon theme, or from
// kFallbackIconTheme when the desktop has set none. Call once the
// application object exists, before the first window is made.
void UseDesktopIconTheme();

// The desktop's name for the program: its .desktop file (without the
// extension), its icon in the icon theme and its AppStream id.
inline constexpr const char* kDesktopId = "com.hollowmere.Tessaloquine";

// The program's icon from the icon theme, where an installation puts it,
// else the same picture built into the program.
QIcon ProgramIcon();
// Names the program's desktop file, so that window managers match its windows
// with the menu entry, gives every window the program's icon and takes the
// command icons from the desktop's theme.
void ApplyDesktopIdentity();

}  // namespace tq
