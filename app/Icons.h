// The toolbar and menu pictures: the desktop's icon theme where it has a
// fitting icon, otherwise a small picture of our own so that no button is
// ever blank.
#pragma once

#include <QIcon>

namespace tq {

enum class CommandImage {
  NewWorksheet, OpenWorksheet, SaveWorksheet, InsertNumber, DeleteNumber, MoveUp, MoveDown,
  Dictionary, Mapping, Random, EditPhrase, Cut, Copy, Paste, Delete, Find, FindAgain,
  Practice, BestPhrases, Undo, Redo,
};

QIcon CommandIcon(CommandImage image);

// The desktop's name for the program: its .desktop file (without the
// extension), its icon in the icon theme and its AppStream id.
inline constexpr const char* kDesktopId = "com.hollowmere.Tessaloquine";

// The program's icon from the icon theme, where an installation puts it,
// else the same picture built into the program.
QIcon ProgramIcon();
// Names the program's desktop file, so that window managers match its windows
// with the menu entry, and gives every window the program's icon.
void ApplyDesktopIdentity();

}  // namespace tq
