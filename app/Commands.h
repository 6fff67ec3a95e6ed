// The main window's commands in one table: every item of the menu bar, of the
// numbers list's and the word lists' pop-up menus, and the toolbar buttons
// bound to them. The window builds its menus and toolbar from this table, and
// the keyboard tables of the README and the help are checked against it, so
// a key is written down once.
#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <optional>
#include <span>
#include <vector>

#include "Icons.h"

namespace tq {

class TFormMain;

// The menus a command can belong to, in the order the window makes them.
enum class CommandMenu { File, Edit, Numbers, Options, Help, NumbersList, WordLists };
inline constexpr int kCommandMenuCount = 7;

struct TCommandMenuInfo {
  const char* name;   // the menu's objectName
  const char* title;  // its caption in the menu bar; null for a pop-up menu
};

const TCommandMenuInfo& MenuInfo(CommandMenu menu);

struct TMenuCommand {
  CommandMenu menu;
  bool separatorBefore = false;
  const char* name = nullptr;     // the action's objectName
  const char* caption = nullptr;  // with its & mnemonic
  // The command's key, if it has one; or, for a command whose keys differ
  // from desktop to desktop, all of the desktop's keys for it.
  std::optional<QKeyCombination> key = std::nullopt;
  QKeySequence::StandardKey desktopKeys = QKeySequence::UnknownKey;
  std::optional<CommandImage> image = std::nullopt;
  const char* hint = nullptr;  // the tool tip; null leaves the toolkit's own
  // Null only for the place of the recent files, which the window fills at
  // run time.
  void (TFormMain::*handler)() = nullptr;
  // On the toolbar when buttonName is set. toolBarPlace: the tens are the
  // group (a separator stands between two groups), the units the place in it.
  const char* buttonName = nullptr;
  int toolBarPlace = 0;
};

// Every command, menu by menu in the order of the menus.
std::span<const TMenuCommand> MenuCommands();

// The shortcuts a command is given: none, its one key, or the desktop's keys.
QList<QKeySequence> CommandKeys(const TMenuCommand& command);

// The toolbar from left to right; a null entry stands for a separator.
std::vector<const TMenuCommand*> ToolBarCommands();

}  // namespace tq
