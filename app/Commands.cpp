#include "Commands.h"

#include <algorithm>
#include <iterator>

#include "FormMain.h"

namespace tq {
namespace {

using M = CommandMenu;
using I = CommandImage;
using F = TFormMain;

const MenuCommand kCommands[] = {
    {.Menu = M::File, .Name = "MenuNewWorksheet", .Caption = "&New Worksheet", .Key = Qt::CTRL | Qt::Key_N,
     .Image = I::NewWorksheet, .Hint = "New Worksheet", .Handler = &F::MenuNewWorksheetClick,
     .ButtonName = "ButtonNewWorksheet", .ToolBarPlace = 11},
    {.Menu = M::File, .Name = "MenuNewPegList", .Caption = "New &Peg List...", .Hint = "New Peg List",
     .Handler = &F::MenuNewPegListClick},
    {.Menu = M::File, .Name = "MenuOpenWorksheet", .Caption = "&Open Worksheet...", .Key = Qt::CTRL | Qt::Key_O,
     .Image = I::OpenWorksheet, .Hint = "Open Worksheet", .Handler = &F::MenuOpenWorksheetClick,
     .ButtonName = "ButtonOpenWorksheet", .ToolBarPlace = 12},
    {.Menu = M::File, .Name = "MenuSaveWorksheet", .Caption = "&Save Worksheet...", .Key = Qt::CTRL | Qt::Key_S,
     .Image = I::SaveWorksheet, .Hint = "Save Worksheet", .Handler = &F::MenuSaveWorksheetClick,
     .ButtonName = "ButtonSaveWorksheet", .ToolBarPlace = 13},
    {.Menu = M::File, .Name = "MenuSaveAs", .Caption = "Save &As...", .Key = Qt::CTRL | Qt::SHIFT | Qt::Key_S,
     .Image = I::SaveAs, .Hint = "Save As", .Handler = &F::MenuSaveAsClick},
    {.Menu = M::File, .Name = "MenuExportFlashCards", .Caption = "Export &Flash Cards...",
     .Hint = "Export Flash Cards", .Handler = &F::MenuExportFlashCardsClick},
    // The recent files (MenuHistory1 to 4 and their separator) go here.
    {.Menu = M::File, .SeparatorBefore = true, .Name = "MenuHistory"},
    {.Menu = M::File, .Name = "MenuExit", .Caption = "E&xit", .Image = I::Exit, .Handler = &F::MenuExitClick},

    // Undo and Redo name the step they take back or again once there is one.
    {.Menu = M::Edit, .Name = "MenuUndo", .Caption = "&Undo", .Key = Qt::CTRL | Qt::Key_Z, .Image = I::Undo,
     .Hint = "Undo", .Handler = &F::MenuUndoClick, .ButtonName = "ButtonUndo", .ToolBarPlace = 34},
    {.Menu = M::Edit, .Name = "MenuRedo", .Caption = "&Redo", .DesktopKeys = QKeySequence::Redo, .Image = I::Redo,
     .Hint = "Redo", .Handler = &F::MenuRedoClick, .ButtonName = "ButtonRedo", .ToolBarPlace = 35},
    {.Menu = M::Edit, .SeparatorBefore = true, .Name = "MenuCut", .Caption = "Cu&t", .Key = Qt::CTRL | Qt::Key_X,
     .Image = I::Cut, .Hint = "Cut", .Handler = &F::MenuCutClick, .ButtonName = "ButtonCut", .ToolBarPlace = 31},
    {.Menu = M::Edit, .Name = "MenuCopy", .Caption = "&Copy", .Key = Qt::CTRL | Qt::Key_C, .Image = I::Copy,
     .Hint = "Copy", .Handler = &F::MenuCopyClick, .ButtonName = "ButtonCopy", .ToolBarPlace = 32},
    {.Menu = M::Edit, .Name = "MenuPaste", .Caption = "&Paste", .Key = Qt::CTRL | Qt::Key_V, .Image = I::Paste,
     .Hint = "Paste", .Handler = &F::MenuPasteClick, .ButtonName = "ButtonPaste", .ToolBarPlace = 33},
    {.Menu = M::Edit, .Name = "MenuDelete", .Caption = "&Delete", .Image = I::Delete, .Hint = "Delete",
     .Handler = &F::MenuDeleteClick},
    {.Menu = M::Edit, .SeparatorBefore = true, .Name = "MenuFind", .Caption = "&Find...", .Key = Qt::CTRL | Qt::Key_F,
     .Image = I::Find, .Hint = "Find", .Handler = &F::MenuFindClick, .ButtonName = "ButtonFind", .ToolBarPlace = 51},
    {.Menu = M::Edit, .Name = "MenuFindAgain", .Caption = "Find &Again", .Key = QKeyCombination(Qt::Key_F3),
     .Image = I::FindAgain, .Hint = "Find Again", .Handler = &F::MenuFindAgainClick, .ButtonName = "ButtonFindAgain",
     .ToolBarPlace = 52},

    {.Menu = M::Numbers, .Name = "MenuInsertNumber", .Caption = "&Insert Number", .Key = Qt::CTRL | Qt::Key_Insert,
     .Image = I::InsertNumber, .Hint = "Insert Number", .Handler = &F::MenuInsertNumberClick,
     .ButtonName = "ButtonInsert", .ToolBarPlace = 21},
    {.Menu = M::Numbers, .Name = "MenuDeleteNumber", .Caption = "&Delete Number", .Key = Qt::CTRL | Qt::Key_Delete,
     .Image = I::DeleteNumber, .Hint = "Delete Number", .Handler = &F::MenuDeleteNumberClick,
     .ButtonName = "ButtonDelete", .ToolBarPlace = 22},
    {.Menu = M::Numbers, .Name = "MenuMoveUp", .Caption = "Move &Up", .Key = Qt::CTRL | Qt::Key_Up,
     .Image = I::MoveUp, .Hint = "Move Up", .Handler = &F::MenuMoveUpClick, .ButtonName = "ButtonUp",
     .ToolBarPlace = 23},
    {.Menu = M::Numbers, .Name = "MenuMoveDown", .Caption = "Move &Down", .Key = Qt::CTRL | Qt::Key_Down,
     .Image = I::MoveDown, .Hint = "Move Down", .Handler = &F::MenuMoveDownClick, .ButtonName = "ButtonDown",
     .ToolBarPlace = 24},
    {.Menu = M::Numbers, .SeparatorBefore = true, .Name = "MenuClear", .Caption = "&Clear Number",
     .Key = Qt::CTRL | Qt::Key_L, .Hint = "Clear Number", .Handler = &F::MenuClearClick},
    {.Menu = M::Numbers, .Name = "MenuRandom", .Caption = "&Random Phrase...", .Key = Qt::CTRL | Qt::Key_R,
     .Image = I::Random, .Hint = "Random Phrase", .Handler = &F::MenuRandomClick, .ButtonName = "ButtonRandom",
     .ToolBarPlace = 43},
    {.Menu = M::Numbers, .Name = "MenuBestPhrases", .Caption = "&Best Phrases...", .Key = Qt::CTRL | Qt::Key_B,
     .Image = I::BestPhrases, .Hint = "Best Phrases", .Handler = &F::MenuBestPhrasesClick,
     .ButtonName = "ButtonBestPhrases", .ToolBarPlace = 44},
    {.Menu = M::Numbers, .Name = "MenuEditPhrase", .Caption = "&Edit Phrase...", .Key = Qt::CTRL | Qt::Key_T,
     .Image = I::EditPhrase, .Hint = "Edit Phrase", .Handler = &F::MenuEditPhraseClick,
     .ButtonName = "ButtonEditPhrase", .ToolBarPlace = 45},
    {.Menu = M::Numbers, .Name = "MenuPractice", .Caption = "&Practice...", .Key = Qt::CTRL | Qt::Key_P,
     .Image = I::Practice, .Hint = "Practice", .Handler = &F::MenuPracticeClick, .ButtonName = "ButtonPractice",
     .ToolBarPlace = 46},

    {.Menu = M::Options, .Name = "MenuDictionary", .Caption = "&Dictionary...", .Key = Qt::CTRL | Qt::Key_D,
     .Image = I::Dictionary, .Hint = "Dictionary", .Handler = &F::MenuDictionaryClick,
     .ButtonName = "ButtonDictionary", .ToolBarPlace = 41},
    {.Menu = M::Options, .Name = "MenuMapping", .Caption = "&Mapping...", .Key = Qt::CTRL | Qt::Key_M,
     .Image = I::Mapping, .Hint = "Mapping", .Handler = &F::MenuMappingClick, .ButtonName = "ButtonMapping",
     .ToolBarPlace = 42},
    {.Menu = M::Options, .SeparatorBefore = true, .Name = "MenuPreferences", .Caption = "&Preferences...",
     .Image = I::Preferences, .Hint = "Preferences", .Handler = &F::MenuPreferencesClick},

    {.Menu = M::Help, .Name = "MenuHelpTopics", .Caption = "&Help Topics...", .Key = QKeyCombination(Qt::Key_F1),
     .Image = I::HelpTopics, .Handler = &F::MenuHelpTopicsClick},
    {.Menu = M::Help, .Name = "MenuTip", .Caption = "&Tip of the Day...", .Handler = &F::MenuTipClick},
    {.Menu = M::Help, .SeparatorBefore = true, .Name = "MenuCompanyHomepage", .Caption = "&Hollowmere Homepage",
     .Handler = &F::MenuCompanyHomepageClick},
    {.Menu = M::Help, .Name = "MenuProductHomepage", .Caption = "&Tessaloquine Homepage",
     .Handler = &F::MenuProductHomepageClick},
    {.Menu = M::Help, .SeparatorBefore = true, .Name = "MenuAbout", .Caption = "&About...", .Image = I::About,
     .Handler = &F::MenuAboutClick},

    // The numbers list's own menu: the same handlers, no keys of their own.
    {.Menu = M::NumbersList, .Name = "PopupInsertNumber", .Caption = "&Insert Number",
     .Handler = &F::MenuInsertNumberClick},
    {.Menu = M::NumbersList, .Name = "PopupDeleteNumber", .Caption = "&Delete Number",
     .Handler = &F::MenuDeleteNumberClick},
    {.Menu = M::NumbersList, .Name = "PopupMoveUp", .Caption = "Move &Up", .Handler = &F::MenuMoveUpClick},
    {.Menu = M::NumbersList, .Name = "PopupMoveDown", .Caption = "Move &Down", .Handler = &F::MenuMoveDownClick},

    // The word lists' menu; its keys work only while a word list has the focus.
    {.Menu = M::WordLists, .Name = "PopupAddWord", .Caption = "&Add Word...", .Key = Qt::CTRL | Qt::Key_A,
     .Handler = &F::PopupAddWordClick},
    {.Menu = M::WordLists, .Name = "PopupRemoveWord", .Caption = "&Remove Word",
     .Key = QKeyCombination(Qt::Key_Delete), .Handler = &F::PopupRemoveWordClick},
    {.Menu = M::WordLists, .Name = "PopupEditCode", .Caption = "&Edit Code...", .Key = Qt::CTRL | Qt::Key_E,
     .Handler = &F::PopupEditCodeClick},
};

// In the order of CommandMenu.
const CommandMenuInfo kMenus[kCommandMenuCount] = {
    {"MenuFile", "&File"}, {"MenuEdit", "&Edit"}, {"MenuNumbers", "&Numbers"}, {"MenuOptions", "&Options"},
    {"MenuHelp", "&Help"}, {"PopupLeft", nullptr}, {"PopupRight", nullptr},
};

}  // namespace

const CommandMenuInfo& MenuInfo(CommandMenu menu) { return kMenus[static_cast<int>(menu)]; }

std::span<const MenuCommand> MenuCommands() { return kCommands; }

QList<QKeySequence> CommandKeys(const MenuCommand& command) {
  if (command.DesktopKeys != QKeySequence::UnknownKey) return QKeySequence::keyBindings(command.DesktopKeys);
  if (command.Key) return {QKeySequence(*command.Key)};
  return {};
}

std::vector<const MenuCommand*> ToolBarCommands() {
  std::vector<const MenuCommand*> buttons;
  for (const MenuCommand& command : kCommands)
    if (command.ButtonName) buttons.push_back(&command);
  std::sort(buttons.begin(), buttons.end(),
            [](const MenuCommand* a, const MenuCommand* b) { return a->ToolBarPlace < b->ToolBarPlace; });
  std::vector<const MenuCommand*> bar;
  for (const MenuCommand* button : buttons) {
    if (!bar.empty() && bar.back()->ToolBarPlace / 10 != button->ToolBarPlace / 10) bar.push_back(nullptr);
    bar.push_back(button);
  }
  return bar;
}

}  // namespace tq
