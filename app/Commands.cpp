#include "Commands.h"

#include <algorithm>
#include <iterator>

#include "FormMain.h"

namespace tq {
namespace {

using M = CommandMenu;
using I = CommandImage;
using F = TFormMain;

const TMenuCommand kCommands[] = {
    {.menu = M::File, .name = "MenuNewWorksheet", .caption = "&New Worksheet", .key = Qt::CTRL | Qt::Key_N,
     .image = I::NewWorksheet, .hint = "New Worksheet", .handler = &F::MenuNewWorksheetClick,
     .buttonName = "ButtonNewWorksheet", .toolBarPlace = 11},
    {.menu = M::File, .name = "MenuNewPegList", .caption = "New &Peg List...", .hint = "New Peg List",
     .handler = &F::MenuNewPegListClick},
    {.menu = M::File, .name = "MenuOpenWorksheet", .caption = "&Open Worksheet...", .key = Qt::CTRL | Qt::Key_O,
     .image = I::OpenWorksheet, .hint = "Open Worksheet", .handler = &F::MenuOpenWorksheetClick,
     .buttonName = "ButtonOpenWorksheet", .toolBarPlace = 12},
    {.menu = M::File, .name = "MenuSaveWorksheet", .caption = "&Save Worksheet...", .key = Qt::CTRL | Qt::Key_S,
     .image = I::SaveWorksheet, .hint = "Save Worksheet", .handler = &F::MenuSaveWorksheetClick,
     .buttonName = "ButtonSaveWorksheet", .toolBarPlace = 13},
    {.menu = M::File, .name = "MenuSaveAs", .caption = "Save &As...", .key = Qt::CTRL | Qt::SHIFT | Qt::Key_S,
     .image = I::SaveAs, .hint = "Save As", .handler = &F::MenuSaveAsClick},
    {.menu = M::File, .name = "MenuExportFlashCards", .caption = "Export &Flash Cards...",
     .hint = "Export Flash Cards", .handler = &F::MenuExportFlashCardsClick},
    // On paper: the current number's journey or the whole worksheet.
    {.menu = M::File, .separatorBefore = true, .name = "MenuPrint", .caption = "P&rint...",
     .key = Qt::CTRL | Qt::SHIFT | Qt::Key_P, .hint = "Print", .handler = &F::MenuPrintClick},
    {.menu = M::File, .name = "MenuExportPdf", .caption = "Export P&DF...", .hint = "Export PDF",
     .handler = &F::MenuExportPdfClick},
    // The recent files (MenuHistory1 to 4 and their separator) go here.
    {.menu = M::File, .separatorBefore = true, .name = "MenuHistory"},
    {.menu = M::File, .name = "MenuExit", .caption = "E&xit", .image = I::Exit, .handler = &F::MenuExitClick},

    // Undo and Redo name the step they take back or again once there is one.
    {.menu = M::Edit, .name = "MenuUndo", .caption = "&Undo", .key = Qt::CTRL | Qt::Key_Z, .image = I::Undo,
     .hint = "Undo", .handler = &F::MenuUndoClick, .buttonName = "ButtonUndo", .toolBarPlace = 34},
    {.menu = M::Edit, .name = "MenuRedo", .caption = "&Redo", .desktopKeys = QKeySequence::Redo, .image = I::Redo,
     .hint = "Redo", .handler = &F::MenuRedoClick, .buttonName = "ButtonRedo", .toolBarPlace = 35},
    {.menu = M::Edit, .separatorBefore = true, .name = "MenuCut", .caption = "Cu&t", .key = Qt::CTRL | Qt::Key_X,
     .image = I::Cut, .hint = "Cut", .handler = &F::MenuCutClick, .buttonName = "ButtonCut", .toolBarPlace = 31},
    {.menu = M::Edit, .name = "MenuCopy", .caption = "&Copy", .key = Qt::CTRL | Qt::Key_C, .image = I::Copy,
     .hint = "Copy", .handler = &F::MenuCopyClick, .buttonName = "ButtonCopy", .toolBarPlace = 32},
    {.menu = M::Edit, .name = "MenuPaste", .caption = "&Paste", .key = Qt::CTRL | Qt::Key_V, .image = I::Paste,
     .hint = "Paste", .handler = &F::MenuPasteClick, .buttonName = "ButtonPaste", .toolBarPlace = 33},
    {.menu = M::Edit, .name = "MenuDelete", .caption = "&Delete", .image = I::Delete, .hint = "Delete",
     .handler = &F::MenuDeleteClick},
    {.menu = M::Edit, .separatorBefore = true, .name = "MenuFind", .caption = "&Find...", .key = Qt::CTRL | Qt::Key_F,
     .image = I::Find, .hint = "Find", .handler = &F::MenuFindClick, .buttonName = "ButtonFind", .toolBarPlace = 51},
    {.menu = M::Edit, .name = "MenuFindAgain", .caption = "Find &Again", .key = QKeyCombination(Qt::Key_F3),
     .image = I::FindAgain, .hint = "Find Again", .handler = &F::MenuFindAgainClick, .buttonName = "ButtonFindAgain",
     .toolBarPlace = 52},

    {.menu = M::Numbers, .name = "MenuInsertNumber", .caption = "&Insert Number", .key = Qt::CTRL | Qt::Key_Insert,
     .image = I::InsertNumber, .hint = "Insert Number", .handler = &F::MenuInsertNumberClick,
     .buttonName = "ButtonInsert", .toolBarPlace = 21},
    {.menu = M::Numbers, .name = "MenuDeleteNumber", .caption = "&Delete Number", .key = Qt::CTRL | Qt::Key_Delete,
     .image = I::DeleteNumber, .hint = "Delete Number", .handler = &F::MenuDeleteNumberClick,
     .buttonName = "ButtonDelete", .toolBarPlace = 22},
    {.menu = M::Numbers, .name = "MenuMoveUp", .caption = "Move &Up", .key = Qt::CTRL | Qt::Key_Up,
     .image = I::MoveUp, .hint = "Move Up", .handler = &F::MenuMoveUpClick, .buttonName = "ButtonUp",
     .toolBarPlace = 23},
    {.menu = M::Numbers, .name = "MenuMoveDown", .caption = "Move &Down", .key = Qt::CTRL | Qt::Key_Down,
     .image = I::MoveDown, .hint = "Move Down", .handler = &F::MenuMoveDownClick, .buttonName = "ButtonDown",
     .toolBarPlace = 24},
    {.menu = M::Numbers, .separatorBefore = true, .name = "MenuClear", .caption = "&Clear Number",
     .key = Qt::CTRL | Qt::Key_L, .hint = "Clear Number", .handler = &F::MenuClearClick},
    {.menu = M::Numbers, .name = "MenuRandom", .caption = "&Random Phrase...", .key = Qt::CTRL | Qt::Key_R,
     .image = I::Random, .hint = "Random Phrase", .handler = &F::MenuRandomClick, .buttonName = "ButtonRandom",
     .toolBarPlace = 43},
    {.menu = M::Numbers, .name = "MenuBestPhrases", .caption = "&Best Phrases...", .key = Qt::CTRL | Qt::Key_B,
     .image = I::BestPhrases, .hint = "Best Phrases", .handler = &F::MenuBestPhrasesClick,
     .buttonName = "ButtonBestPhrases", .toolBarPlace = 44},
    {.menu = M::Numbers, .name = "MenuEditPhrase", .caption = "&Edit Phrase...", .key = Qt::CTRL | Qt::Key_T,
     .image = I::EditPhrase, .hint = "Edit Phrase", .handler = &F::MenuEditPhraseClick,
     .buttonName = "ButtonEditPhrase", .toolBarPlace = 45},
    {.menu = M::Numbers, .name = "MenuPractice", .caption = "&Practice...", .key = Qt::CTRL | Qt::Key_P,
     .image = I::Practice, .hint = "Practice", .handler = &F::MenuPracticeClick, .buttonName = "ButtonPractice",
     .toolBarPlace = 46},
    {.menu = M::Numbers, .name = "MenuJourney", .caption = "&Journey...", .key = Qt::CTRL | Qt::Key_J,
     .hint = "Journey", .handler = &F::MenuJourneyClick},
    // Training the pegs themselves: no worksheet needed.
    {.menu = M::Numbers, .separatorBefore = true, .name = "MenuPegDrill", .caption = "Pe&g Drill...",
     .key = Qt::CTRL | Qt::Key_G, .hint = "Peg Drill", .handler = &F::MenuPegDrillClick},
    {.menu = M::Numbers, .name = "MenuNumbersDrill", .caption = "&Numbers Drill...",
     .key = Qt::CTRL | Qt::SHIFT | Qt::Key_G, .hint = "Numbers Drill", .handler = &F::MenuNumbersDrillClick},

    {.menu = M::Options, .name = "MenuDictionary", .caption = "&Dictionary...", .key = Qt::CTRL | Qt::Key_D,
     .image = I::Dictionary, .hint = "Dictionary", .handler = &F::MenuDictionaryClick,
     .buttonName = "ButtonDictionary", .toolBarPlace = 41},
    {.menu = M::Options, .name = "MenuMapping", .caption = "&Mapping...", .key = Qt::CTRL | Qt::Key_M,
     .image = I::Mapping, .hint = "Mapping", .handler = &F::MenuMappingClick, .buttonName = "ButtonMapping",
     .toolBarPlace = 42},
    {.menu = M::Options, .name = "MenuEditJourney", .caption = "&Journey...", .hint = "Edit Journey",
     .handler = &F::MenuEditJourneyClick},
    {.menu = M::Options, .name = "MenuMyPegs", .caption = "My P&egs...", .hint = "My Pegs",
     .handler = &F::MenuMyPegsClick},
    {.menu = M::Options, .separatorBefore = true, .name = "MenuPreferences", .caption = "&Preferences...",
     .image = I::Preferences, .hint = "Preferences", .handler = &F::MenuPreferencesClick},

    {.menu = M::Help, .name = "MenuHelpTopics", .caption = "&Help Topics...", .key = QKeyCombination(Qt::Key_F1),
     .image = I::HelpTopics, .handler = &F::MenuHelpTopicsClick},
    {.menu = M::Help, .name = "MenuTip", .caption = "&Tip of the Day...", .handler = &F::MenuTipClick},
    {.menu = M::Help, .separatorBefore = true, .name = "MenuCompanyHomepage", .caption = "&Hollowmere Homepage",
     .handler = &F::MenuCompanyHomepageClick},
    {.menu = M::Help, .name = "MenuProductHomepage", .caption = "&Tessaloquine Homepage",
     .handler = &F::MenuProductHomepageClick},
    {.menu = M::Help, .separatorBefore = true, .name = "MenuAbout", .caption = "&About...", .image = I::About,
     .handler = &F::MenuAboutClick},

    // The numbers list's own menu: the same handlers, no keys of their own.
    {.menu = M::NumbersList, .name = "PopupInsertNumber", .caption = "&Insert Number",
     .handler = &F::MenuInsertNumberClick},
    {.menu = M::NumbersList, .name = "PopupDeleteNumber", .caption = "&Delete Number",
     .handler = &F::MenuDeleteNumberClick},
    {.menu = M::NumbersList, .name = "PopupMoveUp", .caption = "Move &Up", .handler = &F::MenuMoveUpClick},
    {.menu = M::NumbersList, .name = "PopupMoveDown", .caption = "Move &Down", .handler = &F::MenuMoveDownClick},

    // The word lists' menu; its keys work only while a word list has the focus.
    {.menu = M::WordLists, .name = "PopupAddWord", .caption = "&Add Word...", .key = Qt::CTRL | Qt::Key_A,
     .handler = &F::PopupAddWordClick},
    {.menu = M::WordLists, .name = "PopupRemoveWord", .caption = "&Remove Word",
     .key = QKeyCombination(Qt::Key_Delete), .handler = &F::PopupRemoveWordClick},
    {.menu = M::WordLists, .name = "PopupEditCode", .caption = "&Edit Code...", .key = Qt::CTRL | Qt::Key_E,
     .handler = &F::PopupEditCodeClick},
};

// In the order of CommandMenu.
const TCommandMenuInfo kMenus[kCommandMenuCount] = {
    {"MenuFile", "&File"}, {"MenuEdit", "&Edit"}, {"MenuNumbers", "&Numbers"}, {"MenuOptions", "&Options"},
    {"MenuHelp", "&Help"}, {"PopupLeft", nullptr}, {"PopupRight", nullptr},
};

}  // namespace

const TCommandMenuInfo& MenuInfo(CommandMenu menu) { return kMenus[static_cast<int>(menu)]; }

std::span<const TMenuCommand> MenuCommands() { return kCommands; }

QList<QKeySequence> CommandKeys(const TMenuCommand& command) {
  if (command.desktopKeys != QKeySequence::UnknownKey) return QKeySequence::keyBindings(command.desktopKeys);
  if (command.key) return {QKeySequence(*command.key)};
  return {};
}

std::vector<const TMenuCommand*> ToolBarCommands() {
  std::vector<const TMenuCommand*> buttons;
  for (const TMenuCommand& command : kCommands)
    if (command.buttonName) buttons.push_back(&command);
  std::sort(buttons.begin(), buttons.end(),
            [](const TMenuCommand* a, const TMenuCommand* b) { return a->toolBarPlace < b->toolBarPlace; });
  std::vector<const TMenuCommand*> bar;
  for (const TMenuCommand* button : buttons) {
    if (!bar.empty() && bar.back()->toolBarPlace / 10 != button->toolBarPlace / 10) bar.push_back(nullptr);
    bar.push_back(button);
  }
  return bar;
}

}  // namespace tq
