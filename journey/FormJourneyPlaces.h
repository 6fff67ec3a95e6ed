// The Journey dialog (Options > Journey...): edits the places of the user's
// journey and how many words a place holds. Places are added, renamed,
// removed and moved up and down one at a time, or pasted as a list with one
// place per line; "Default Journey" brings back the shipped one. What the
// journey file cannot hold is refused with a notice, as everywhere else:
// the name field leaves such characters out as they are typed, and a pasted
// list says what it left out.
//
// One instance lives from start to exit and is shown modally through the
// platform seam:
//
//   FormJourneyPlaces->Prepare(journey);
//   if (CurrentPlatform().RunModal(FormJourneyPlaces) == ResultOk)
//     journey = FormJourneyPlaces->Journey();
#pragma once

#include <QDialog>

#include "Journey.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace tq {

class TFormJourneyPlaces : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kHelpContext = 2500;

  explicit TFormJourneyPlaces(QWidget* parent = nullptr);

  void Prepare(const RJourney& journey);
  // The journey as the dialog holds it now, to be written in the encoding
  // of the one it was prepared with.
  RJourney Journey() const;

  QListWidget* ListPlaces;
  QLabel* LabelCount;
  QLineEdit* EditPlace;
  QPushButton* ButtonAdd;
  QPushButton* ButtonRename;
  QPushButton* ButtonRemove;
  QPushButton* ButtonMoveUp;
  QPushButton* ButtonMoveDown;
  QPushButton* ButtonPasteList;
  QPushButton* ButtonDefault;
  QSpinBox* SpinWordsPerPlace;
  QPushButton* ButtonOk;
  QPushButton* ButtonCancel;
  QPushButton* ButtonHelp;

  void ButtonAddClick();
  void ButtonRenameClick();
  void ButtonRemoveClick();
  void ButtonMoveClick(int step);
  void ButtonPasteListClick();
  void ButtonDefaultClick();

 private:
  void ShowPlaces(const std::vector<std::string>& places, int current);
  // The name in the field, or empty after telling why it cannot be a place.
  std::string PlaceTyped() const;
  // How many more places the journey may have.
  std::size_t Room() const;
  static std::string FullText();
  // The row of the place of that name (SamePlace), or -1.
  int RowOf(const std::string& place) const;
  // True when no row but `row` holds the place; else says which does and
  // selects it.
  bool NotThereYet(const std::string& place, int row = -1) const;
  void ListPlacesCurrentRowChanged(int row);
  void UpdateCount();

  TextEncoding encoding_ = TextEncoding::Windows1252;
};

}  // namespace tq
