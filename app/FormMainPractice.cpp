// Practice, the journey and the pegs from the main window: the Practice
// dialog and the flash-card export on the worksheet, the Journey window on
// the current entry, the dialog that edits the journey, filling the entry
// with best phrases or pegs from the window, and the user's pegs with the
// My Pegs dialog. The schedule, the scenes, the pegs and their files are the
// practice, journey and pegs libraries'; this is only the wiring.
#include <QAction>
#include <QLineEdit>

#include "Codec.h"
#include "FlashCards.h"
#include "FormJourney.h"
#include "FormJourneyPlaces.h"
#include "FormMain.h"
#include "FormMyPegs.h"
#include "FormPractice.h"
#include "JourneyScenes.h"
#include "Messages.h"
#include "MyPegs.h"
#include "Paths.h"
#include "PegSystem.h"
#include "Platform.h"
#include "RConfig.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "WordColumns.h"

namespace tq {

void TFormMain::UpdatePracticeCommand() {
  bool any = false;
  for (int32_t i = 0; worksheet_ && !any && i < worksheet_->Count(); ++i) any = !worksheet_->At(i).Digits().empty();
  if (auto* command = findChild<QAction*>(QStringLiteral("MenuPractice"))) command->setEnabled(any);
}

void TFormMain::MenuPracticeClick() {
  if (!worksheet_ || !currentNumber_ || !FormPractice) return;
  // A number typed but not yet taken is practised as typed.
  if (FromQString(EditNumber->text()) != currentNumber_->Number()) CommitNumber();
  FormPractice->SetJourney(UserJourney());
  if (!FormPractice->Prepare(*worksheet_)) {
    ShowNotice("Please enter a number before practising.");
    EditNumber->setFocus();
    return;
  }
  CurrentPlatform().RunModal(FormPractice);
  FormPractice->FinishSession();
}

void TFormMain::MenuExportFlashCardsClick() {
  if (!worksheet_ || !currentNumber_) return;
  if (FromQString(EditNumber->text()) != currentNumber_->Number()) CommitNumber();
  FileDialogRequest request;
  request.title = "Export Flash Cards";
  request.filter = "Text Files (*.txt)|*.txt|All Files|*.*";
  request.defaultExtension = "txt";
  request.initialDirectory = config_ ? config_->GetLastDirectory() : std::string();
  if (!worksheet_->FileName().empty()) request.initialDirectory = DirectoryOf(worksheet_->FileName());
  request.fileName = FlashCardFileName(worksheet_->FileName());
  const std::string path = CurrentPlatform().SaveFileName(request);
  if (path.empty()) return;
  if (FileExists(path) && !AskOverwrite(path)) return;
  ExportFlashCards(*worksheet_, path);
}

const RJourney& TFormMain::UserJourney() {
  if (!journeyRead_ && dictionary_) {
    // Read once; a damaged or unreadable file is told about here, once.
    journey_ = LoadJourney(dictionary_->Paths());
    journeyRead_ = true;
    if (FormJourney) FormJourney->SetJourney(journey_);
  }
  return journey_;
}

void TFormMain::FollowEntryInJourney(bool force) {
  if (FormJourney && FormJourney->isVisible()) FormJourney->ShowEntry(currentNumber_, force);
}

void TFormMain::MenuJourneyClick() {
  if (!worksheet_ || !currentNumber_ || !FormJourney) return;
  // A number typed but not yet taken is shown as typed.
  if (FromQString(EditNumber->text()) != currentNumber_->Number()) CommitNumber();
  UserJourney();
  FormJourney->ShowEntry(currentNumber_, true);
  FormJourney->show();
  FormJourney->raise();
  FormJourney->activateWindow();
}

void TFormMain::MenuEditJourneyClick() {
  if (!FormJourneyPlaces || !dictionary_) return;
  FormJourneyPlaces->Prepare(UserJourney());
  if (CurrentPlatform().RunModal(FormJourneyPlaces) != ResultOk) return;
  const RJourney edited = FormJourneyPlaces->Journey();
  if (edited == journey_) return;
  journey_ = edited;
  StoreJourney(dictionary_->Paths(), journey_);
  if (FormJourney) FormJourney->SetJourney(journey_);
}

RPegSystem* TFormMain::UserPegs() {
  if (!dictionary_) return nullptr;
  if (!pegs_) pegs_ = std::make_unique<RPegSystem>(*dictionary_);
  if (!pegsRead_) {
    // Read once; what the file holds that cannot be taken is told here, once.
    pegs_->SetMine(LoadMyPegs(dictionary_->Paths(), *dictionary_));
    pegsRead_ = true;
  }
  return pegs_.get();
}

void TFormMain::MenuMyPegsClick() {
  RPegSystem* pegs = UserPegs();
  if (!FormMyPegs || !pegs) return;
  FormMyPegs->Prepare(*pegs);
  // Words added or recoded while a peg was typed stay in the dictionary
  // however the dialog closes, as in Edit Phrase: they are one step to undo.
  bool accepted = false;
  ChangeDictionary("My Pegs", [this, &accepted] {
    accepted = CurrentPlatform().RunModal(FormMyPegs) == ResultOk;
  });
  if (!accepted || FormMyPegs->Mine().pegs == pegs->Mine().pegs) return;
  pegs->SetMine(FormMyPegs->Mine());
  StoreMyPegs(dictionary_->Paths(), *dictionary_, pegs->Mine());
}

// Every stretch of uncovered digits gets its best phrase, or the pegs the
// window's fill names, all in one step that Undo takes back at once.
void TFormMain::JourneyFillClick() {
  if (!worksheet_ || !currentNumber_ || !dictionary_ || !ScrollBox) return;
  const int pegDigits = FormJourney ? FormJourney->FillPegDigits() : 0;
  std::size_t words = 0;
  {
    BusyCursor busy;
    words = pegDigits > 0 ? FillWithPegs(*dictionary_, *currentNumber_, pegDigits, *UserPegs())
                          : FillWithBestPhrases(*dictionary_, *currentNumber_);
  }
  if (words == 0) {
    ShowStatusAlert(UncoveredRuns(*currentNumber_).empty() ? "Every digit is covered already."
                                                           : "No word covers the digits still uncovered.");
    return;
  }
  EditPhrase->setText(ToQString(currentNumber_->Phrase()));
  ScrollBox->RebuildColumns();
  RefreshNumberRow(currentIndex_);
  SetModified();
  RecordEntryStep(pegDigits > 0 ? "Fill with Pegs" : "Fill with Best Phrases");
}

}  // namespace tq
