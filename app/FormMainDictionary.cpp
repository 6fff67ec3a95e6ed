// The dictionary commands of the main window: the Dictionary and Mapping
// dialogs, and the word lists' pop-up menu (add a word, remove one, edit a
// code). Each runs through ChangeDictionary, so that what it does is one
// undo step. The words and codes are the engine's; this is only the wiring.
#include <QItemSelectionModel>
#include <QListView>
#include <QMenu>

#include "Codec.h"
#include "FormDict.h"
#include "FormMain.h"
#include "FormMapping.h"
#include "FormQuestion.h"
#include "Messages.h"
#include "PegSystem.h"
#include "Platform.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"
#include "SlotLogic.h"
#include "Text.h"
#include "WordColumns.h"

namespace tq {

void TFormMain::RefreshColumnsAfterDictionaryChange() {
  if (!ScrollBox) return;
  // A repair lays the columns out again, but a column whose digits stayed
  // the same keeps its rows; those may show removed words or miss new ones
  // now, so every filled column is refilled as well.
  if (!ScrollBox->ValidateSlots()) ScrollBox->RebuildColumns();
  ScrollBox->RefillColumns();
  // The words' codes may have changed under the same phrase, and the pegs
  // with them.
  if (pegs_) pegs_->DictionaryChanged();
  FollowEntryInJourney(true);
}

// Whatever closed the dialog: its changes are in the dictionary already,
// also when the close box gave Cancel.
void TFormMain::MenuDictionaryClick() {
  if (FormDict) ChangeDictionary("Edit Dictionary", [this] { CurrentPlatform().RunModal(FormDict); });
}

void TFormMain::MenuMappingClick() {
  if (!FormMapping || !dictionary_) return;
  ChangeDictionary("Edit Mapping", [this] {
    if (CurrentPlatform().RunModal(FormMapping) == ResultOk && FormMapping->MapChanged()) dictionary_->ComputeCodes();
  });
}

void TFormMain::WordListContextMenu(int column, const QPoint& globalPos) {
  if (!ScrollBox) return;
  // The commands act on the focused list: the one the menu was opened on.
  if (QListView* list = ScrollBox->WordList(column); list && !list->hasFocus()) list->setFocus(Qt::MouseFocusReason);
  PopupRight->popup(globalPos);
}

bool TFormMain::SelectedWord(const std::string& command, std::string& word) const {
  QListView* list = ScrollBox ? ScrollBox->FocusedWordList() : nullptr;
  if (!list) return false;
  const QModelIndexList rows = list->selectionModel()->selectedIndexes();
  if (rows.isEmpty()) {
    ShowNotice("Select a word before selecting " + command + ".");
    return false;
  }
  word = FromQString(rows.first().data(Qt::DisplayRole).toString());
  // Headers ("12", "(none)") and blank rows are no words.
  return IsWordRow(word);
}

bool TFormMain::InCurrentPhrase(const std::string& word) const {
  if (!currentNumber_) return false;
  for (int i = 0; i < currentNumber_->SlotCount(); ++i)
    if (currentNumber_->Slot(i) == word) return true;
  return false;
}

void TFormMain::PopupAddWordClick() {
  if (!dictionary_) return;
  std::string typed;
  CurrentPlatform().InputBox("Add Word", "Enter a word to add to the dictionary.", typed);
  const std::string word = dictionary_->WordMeant(typed);
  if (word.empty()) return;
  BusyCursor busy;
  ChangeDictionary("Add Word", [this, &word] {
    if (dictionary_->AddWord(word) == -1) ShowNotice("Word '" + word + "' already exists in dictionary.");
  });
}

void TFormMain::PopupRemoveWordClick() {
  if (!dictionary_) return;
  std::string word;
  if (!SelectedWord("Remove", word)) return;
  // Without the configuration there is no telling whether to ask: keep the word.
  if (!config_ || !FormQuestion) return;
  // The question comes before the check against the phrase.
  if (FormQuestion->Ask(*config_, TFormQuestion::Preference::AskDelete, "Delete word '" + word + "'?", false) !=
      ResultYes)
    return;
  if (InCurrentPhrase(word)) {
    ShowNotice("Word could not be deleted since it is in the current phrase.");
    return;
  }
  ChangeDictionary("Remove Word", [this, &word] { dictionary_->RemoveWord(word); });
}

void TFormMain::PopupEditCodeClick() {
  if (!dictionary_) return;
  std::string selected;
  if (!SelectedWord("Edit Code", selected)) return;
  // Refused before the input box: a word of the phrase keeps its code.
  if (InCurrentPhrase(selected)) {
    ShowNotice("Word could edited since it is in the current phrase.");
    return;
  }
  const int k = dictionary_->FindWord(selected);
  if (k < 0) return;
  // Copies: the entries move when the dictionary changes.
  const std::string word = dictionary_->WordAt(k);
  const std::string code = dictionary_->CodeAt(k);
  std::string typed = code;
  CurrentPlatform().InputBox("Edit Code", "Enter code for word: " + word, typed);
  typed = std::string(TrimBlanks(typed));
  if (typed == code) return;
  ChangeDictionary("Edit Code", [this, &word, &typed] { dictionary_->EditCode(word, typed); });
}

}  // namespace tq
