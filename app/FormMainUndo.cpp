// Undo and Redo of the main window: the commands record their steps in the
// worksheet's history here, and the two menu commands take them back and
// again. The steps themselves are RHistory's; this is only the wiring.
#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "FormMain.h"
#include "Messages.h"
#include "RNumber.h"
#include "PegSystem.h"
#include "RWorksheet.h"
#include "SlotLogic.h"
#include "Text.h"
#include "WordColumns.h"

namespace tq {

void TFormMain::RecordEntryStep(const char* name, uint64_t mergeKey) {
  if (!worksheet_) return;
  undoHistory_.RecordChange(name, *worksheet_, mergeKey);
  UpdateUndoMenu();
}

void TFormMain::RecordWordStep(bool chosen) {
  if (!worksheet_ || !currentNumber_) return;
  RecordEntryStep(chosen ? "Choose Word" : "Unchoose Word");
}

void TFormMain::RecordInsertStep() {
  if (!worksheet_) return;
  undoHistory_.RecordInsert("Insert Number", *worksheet_, currentIndex_);
  UpdateUndoMenu();
}

void TFormMain::RecordDeleteStep(int index, const RNumber& entry) {
  if (!worksheet_) return;
  undoHistory_.RecordDelete("Delete Number", *worksheet_, index, entry, currentIndex_);
  UpdateUndoMenu();
}

void TFormMain::RecordMoveStep(const char* name, int from, int to) {
  if (!worksheet_) return;
  undoHistory_.RecordMove(name, *worksheet_, from, to);
  UpdateUndoMenu();
}

void TFormMain::ChangeDictionary(const char* name, const std::function<void()>& command) {
  if (!dictionary_ || !worksheet_) return command();
  // Where every phrase's words stand before the change: a word it takes
  // away, or recodes, then gives back just the digits it stood on.
  const std::vector<RSlotPlaces> before = SlotPlacesOf(*dictionary_, *worksheet_);
  const auto current = static_cast<std::size_t>(currentIndex_);
  const RSlotPlaces* shownBefore = currentNumber_ && current < before.size() ? &before[current] : nullptr;
  dictionary_->BeginEdit();
  command();
  RDictionaryEdit edit = dictionary_->EndEdit();
  if (edit.Empty()) return RecordEntryStep(name);
  dictionary_->BuildCodeIndex();
  // Counted after the command, which may have given the entry a new phrase.
  const std::size_t shownWords = currentNumber_ ? ChosenWordCount(currentNumber_->Slots()) : 0;
  RefreshColumnsAfterDictionaryChange(shownBefore);
  const bool shownLost = currentNumber_ && ChosenWordCount(currentNumber_->Slots()) < shownWords;
  // The other entries lose their words now, not when next shown: the step
  // then holds every phrase the change took words from, and Undo gives
  // them back with the words.
  std::vector<REntryChange> others = RepairLostWords(*dictionary_, *worksheet_, currentIndex_, &before);
  for (const REntryChange& change : others) RefreshNumberRow(change.index);
  // One note for all of them; it also takes the place of the strip's note
  // on a word the user removed, which Undo now gives back.
  const std::string count = std::to_string(others.size());
  if (shownLost && others.empty())
    ShowStatusAlert("The phrase lost words with this change; Undo gives them back.");
  else if (shownLost)
    ShowStatusAlert("The phrase and " + count + " more lost words with this change; Undo gives them back.");
  else if (others.size() == 1)
    ShowStatusAlert("1 more phrase lost words with this change; Undo gives it back.");
  else if (others.size() > 1)
    ShowStatusAlert(count + " more phrases lost words with this change; Undo gives them back.");
  undoHistory_.RecordDictionaryChange(name, *worksheet_, std::move(edit), std::move(others));
  UpdateUndoMenu();
}

void TFormMain::MenuUndoClick() { ApplyHistoryStep(true); }

void TFormMain::MenuRedoClick() { ApplyHistoryStep(false); }

void TFormMain::ApplyHistoryStep(bool undo) {
  if (!worksheet_ || !(undo ? undoHistory_.CanUndo() : undoHistory_.CanRedo())) return;
  // The step may replace, remove or move the entry in the fields: let go of
  // it, so that selecting the row afterwards loads the fields and lays the
  // columns out for the entry as the step left it.
  if (ScrollBox) ScrollBox->SetCurrentNumber(nullptr);
  currentNumber_ = nullptr;
  const bool dictionaryToo = undoHistory_.StepChangesDictionary(undo);
  RDictionary* dictionary = dictionary_.get();
  const int row = undo ? undoHistory_.Undo(*worksheet_, dictionary) : undoHistory_.Redo(*worksheet_, dictionary);
  RebuildNumberList();
  SelectNumber(row, false);
  // Columns that kept their digits still list the words from before.
  if (dictionaryToo && ScrollBox) ScrollBox->RefillColumns();
  if (dictionaryToo && pegs_) pegs_->DictionaryChanged();
  MaintainBlankRows();
  UpdateTitle();
  UpdateUndoMenu();
}

void TFormMain::ClearHistory() {
  undoHistory_.Clear();
  UpdateUndoMenu();
}

// Typing a description is one step per visit of the field. Coming back from
// a pop-up menu or from another window goes on with the same visit.
void TFormMain::NoteDescriptionFocus(QEvent* focusIn) {
  const Qt::FocusReason reason = static_cast<QFocusEvent*>(focusIn)->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) ++descriptionVisit_;
}

void TFormMain::UpdateUndoMenu() {
  if (!MenuUndo || !MenuRedo) return;
  auto show = [](QAction* action, const char* verb, const std::string& step) {
    action->setEnabled(!step.empty());
    const QString name = QString::fromLatin1(step.c_str());
    action->setText(QStringLiteral("&") + QString::fromLatin1(verb) + (step.empty() ? QString() : " " + name));
    action->setToolTip(QString::fromLatin1(verb) + (step.empty() ? QString() : " " + name));
  };
  show(MenuUndo, "Undo", undoHistory_.UndoName());
  show(MenuRedo, "Redo", undoHistory_.RedoName());
}

bool TFormMain::FieldTakesUndoKey(const QLineEdit* field, const QKeyEvent* key) {
  if (!field || field->isReadOnly()) return false;
  return (key->matches(QKeySequence::Undo) && field->isUndoAvailable()) ||
         (key->matches(QKeySequence::Redo) && field->isRedoAvailable());
}

}  // namespace tq
