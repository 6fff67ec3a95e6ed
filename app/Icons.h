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

}  // namespace tq
