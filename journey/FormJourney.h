// The Journey window (Numbers > Journey, Ctrl+J): the current entry's
// scenes, one row per place of the user's journey (JourneyScenes.h), with
// the words and their picture marks, the digits and where they stand. It is
// modeless and follows the entry while it is open: the main window hands it
// the entry whenever that may have changed, and the scenes are cut again
// only when the entry's digits or words really differ. Another entry shows
// its first scenes at once and the rest as the event loop comes round, so
// the window opens as quickly on a hundred thousand digits as on thirty.
//
// "Fill with" best phrases or the user's pegs of two or three digits, and
// "Edit Journey...", are the main window's to carry out (the entry, the
// undo history and the pegs are its own); the window only asks for them.
//
//   FormJourney->SetJourney(journey);
//   FormJourney->ShowEntry(CurrentNumber);  // and again after each change
//   FormJourney->show();
#pragma once

#include <QDialog>

#include "Journey.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace tq {

class RDictionary;
class RNumber;
class TJourneyModel;

class TFormJourney : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2500;
  // The pause before the rest is cut (RJourneyScenes::kCutSliceSlots at
  // each turn of the event loop), in milliseconds: room for the first rows
  // to be painted.
  static constexpr int kCutPause = 10;

  explicit TFormJourney(const RDictionary& dictionary, QWidget* parent = nullptr);

  // The places and the words a place holds; the scenes are cut again.
  void SetJourney(const RJourney& journey);
  // The entry to show (null for none). Its digits and slots are copied; the
  // window never looks at the entry afterwards. Unless `force` (after the
  // dictionary changed) the scenes are only cut again when they differ from
  // what is shown.
  void ShowEntry(const RNumber* entry, bool force = false);
  const TJourneyModel& Model() const { return *model_; }
  // What the line above the list says.
  QString Summary() const;
  // What "Fill with" fills with: 0 for best phrases, else the digits of the
  // user's pegs (2 or 3).
  int FillPegDigits() const;

 signals:
  void FillRequested();
  void EditJourneyRequested();

 public:
  QLabel* LabelSummary;
  QTableView* ListScenes;
  QLabel* LabelKey;
  QPushButton* ButtonFill;
  QComboBox* ComboFill;
  QPushButton* ButtonEditJourney;
  QPushButton* ButtonHelp;
  QPushButton* ButtonClose;

 private:
  void SizeColumns();
  void Cut(const RNumber& entry, bool sameEntry);
  void CutTimerTimeout();
  void UpdateSummary();

  const RDictionary& dictionary_;
  RJourney journey_ = DefaultJourney();
  TJourneyModel* model_;
  QTimer* cutTimer_;
  // The entry last shown, only to tell it from another: never followed.
  const void* shownEntry_ = nullptr;
};

}  // namespace tq
