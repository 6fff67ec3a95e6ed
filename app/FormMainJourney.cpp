// The journey's side of the main window: the Journey window on the current
// entry, the dialog that edits the journey, and filling the entry with best
// phrases from the window. The scenes and the file are the journey
// library's; this is only the wiring.
#include <QLineEdit>

#include "Codec.h"
#include "FormJourney.h"
#include "FormJourneyPlaces.h"
#include "FormMain.h"
#include "JourneyScenes.h"
#include "Messages.h"
#include "Platform.h"
#include "RDictionary.h"
#include "RWorksheet.h"
#include "WordColumns.h"

namespace tq {

const RJourney& TFormMain::UserJourney() {
  if (!journeyRead_ && dictionary_) {
    // Read once; a damaged or unreadable file is told about here, once.
    journey_ = LoadJourney(dictionary_->UserDirectory());
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
  StoreJourney(dictionary_->UserDirectory(), journey_);
  if (FormJourney) FormJourney->SetJourney(journey_);
}

// Every stretch of uncovered digits gets its best phrase, all in one step
// that Undo takes back at once.
void TFormMain::JourneyFillClick() {
  if (!worksheet_ || !currentNumber_ || !dictionary_ || !ScrollBox) return;
  std::size_t words = 0;
  {
    BusyCursor busy;
    words = FillWithBestPhrases(*dictionary_, *currentNumber_);
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
  RecordEntryStep("Fill with Best Phrases");
}

}  // namespace tq
