#include "FormJourneyPlaces.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "Codec.h"
#include "Messages.h"
#include "Platform.h"
#include "Text.h"
#include "TextGuard.h"
#include "Widgets.h"

namespace tq {

TFormJourneyPlaces::TFormJourneyPlaces(QWidget* parent) : QDialog(parent) {
  setObjectName("FormJourneyPlaces");
  setWindowTitle(QStringLiteral("Journey"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  // Two lines of their own: a label that wraps to the dialog's width would
  // need a third line the dialog's least height has no room for.
  auto* intro = new QLabel(QStringLiteral("The places of a route you know well, in the order you walk it.\n"
                                          "The scenes of a long number stand at them one after another."),
                           this);
  ListPlaces = new QListWidget(this);
  ListPlaces->setObjectName("ListPlaces");
  ListPlaces->setMinimumSize(ListPlaces->fontMetrics().averageCharWidth() * 40,
                             ListPlaces->fontMetrics().height() * 16);
  LabelCount = new QLabel(this);
  LabelCount->setObjectName("LabelCount");

  auto* labelPlace = new QLabel(QStringLiteral("&Place:"), this);
  EditPlace = new QLineEdit(this);
  EditPlace->setObjectName("EditPlace");
  EditPlace->setMaxLength(static_cast<int>(kMaxPlaceLength));
  GuardTextField(EditPlace);
  labelPlace->setBuddy(EditPlace);

  ButtonAdd = MakeButton("ButtonAdd", "&Add", this, AutoDefault::No);
  ButtonRename = MakeButton("ButtonRename", "&Rename", this, AutoDefault::No);
  ButtonRemove = MakeButton("ButtonRemove", "Remo&ve", this, AutoDefault::No);
  ButtonMoveUp = MakeButton("ButtonMoveUp", "Move &Up", this, AutoDefault::No);
  ButtonMoveDown = MakeButton("ButtonMoveDown", "Move &Down", this, AutoDefault::No);
  ButtonPasteList = MakeButton("ButtonPasteList", "&Paste List", this, AutoDefault::No);
  ButtonPasteList->setToolTip(QStringLiteral("Adds the places on the clipboard, one per line"));
  ButtonDefault = MakeButton("ButtonDefault", "De&fault Journey", this, AutoDefault::No);

  auto* labelWords = new QLabel(QStringLiteral("&Words per place:"), this);
  SpinWordsPerPlace = new QSpinBox(this);
  SpinWordsPerPlace->setObjectName("SpinWordsPerPlace");
  SpinWordsPerPlace->setRange(kMinWordsPerPlace, kMaxWordsPerPlace);
  labelWords->setBuddy(SpinWordsPerPlace);

  // Enter in the name field adds the place; no button takes Enter from it.
  ButtonOk = MakeButton("ButtonOk", "OK", this, AutoDefault::No);
  ButtonCancel = MakeButton("ButtonCancel", "Cancel", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);

  auto* side = new QVBoxLayout;
  for (QPushButton* button : {ButtonAdd, ButtonRename, ButtonRemove, ButtonMoveUp, ButtonMoveDown, ButtonPasteList,
                              ButtonDefault})
    side->addWidget(button);
  side->addStretch();
  auto* grid = new QGridLayout;
  grid->addWidget(ListPlaces, 0, 0, 1, 2);
  grid->addLayout(side, 0, 2);
  grid->addWidget(LabelCount, 1, 0, 1, 2);
  grid->addWidget(labelPlace, 2, 0);
  grid->addWidget(EditPlace, 2, 1);
  grid->addWidget(labelWords, 3, 0);
  grid->addWidget(SpinWordsPerPlace, 3, 1, Qt::AlignLeft);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {ButtonOk, ButtonCancel, ButtonHelp}) buttons->addWidget(button);
  auto* top = new QVBoxLayout(this);
  top->addWidget(intro);
  top->addLayout(grid, 1);
  top->addLayout(buttons);

  connect(ListPlaces, &QListWidget::currentRowChanged, this, [this](int row) { ListPlacesCurrentRowChanged(row); });
  connect(EditPlace, &QLineEdit::returnPressed, this, [this] { ButtonAddClick(); });
  connect(ButtonAdd, &QPushButton::clicked, this, [this] { ButtonAddClick(); });
  connect(ButtonRename, &QPushButton::clicked, this, [this] { ButtonRenameClick(); });
  connect(ButtonRemove, &QPushButton::clicked, this, [this] { ButtonRemoveClick(); });
  connect(ButtonMoveUp, &QPushButton::clicked, this, [this] { ButtonMoveClick(-1); });
  connect(ButtonMoveDown, &QPushButton::clicked, this, [this] { ButtonMoveClick(1); });
  connect(ButtonPasteList, &QPushButton::clicked, this, [this] { ButtonPasteListClick(); });
  connect(ButtonDefault, &QPushButton::clicked, this, [this] { ButtonDefaultClick(); });
  connect(ButtonOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
}

void TFormJourneyPlaces::Prepare(const RJourney& journey) {
  ShowPlaces(journey.places, journey.places.empty() ? -1 : 0);
  SpinWordsPerPlace->setValue(journey.wordsPerPlace);
  encoding_ = journey.encoding;
  EditPlace->setFocus();
}

RJourney TFormJourneyPlaces::Journey() const {
  RJourney journey;
  for (int row = 0; row < ListPlaces->count(); ++row) journey.places.push_back(FromQString(ListPlaces->item(row)->text()));
  journey.wordsPerPlace = SpinWordsPerPlace->value();
  journey.encoding = encoding_;
  return journey;
}

void TFormJourneyPlaces::ShowPlaces(const std::vector<std::string>& places, int current) {
  ListPlaces->clear();
  for (const std::string& place : places) ListPlaces->addItem(ToQString(place));
  ListPlaces->setCurrentRow(current);
  UpdateCount();
}

void TFormJourneyPlaces::UpdateCount() {
  const int count = ListPlaces->count();
  LabelCount->setText(ToQString(CountOf(count, "place")));
  const int row = ListPlaces->currentRow();
  ButtonRename->setEnabled(row >= 0);
  ButtonRemove->setEnabled(row >= 0);
  ButtonMoveUp->setEnabled(row > 0);
  ButtonMoveDown->setEnabled(row >= 0 && row + 1 < count);
}

void TFormJourneyPlaces::ListPlacesCurrentRowChanged(int row) {
  if (row >= 0) EditPlace->setText(ListPlaces->item(row)->text());
  UpdateCount();
}

std::string TFormJourneyPlaces::PlaceTyped() const {
  const std::string typed = FromQString(EditPlace->text());
  const std::string problem = PlaceProblem(typed);
  if (!problem.empty()) {
    ShowNotice(problem);
    EditPlace->setFocus();
    return {};
  }
  return std::string(TrimBlanks(typed));
}

std::size_t TFormJourneyPlaces::Room() const {
  return kMaxPlaces - std::min(kMaxPlaces, static_cast<std::size_t>(ListPlaces->count()));
}

std::string TFormJourneyPlaces::FullText() {
  return "A journey has at most " + std::to_string(kMaxPlaces) + " places.";
}

int TFormJourneyPlaces::RowOf(const std::string& place) const {
  for (int row = 0; row < ListPlaces->count(); ++row)
    if (SamePlace(FromQString(ListPlaces->item(row)->text()), place)) return row;
  return -1;
}

bool TFormJourneyPlaces::NotThereYet(const std::string& place, int row) const {
  const int there = RowOf(place);
  if (there < 0 || there == row) return true;
  ShowNotice("The journey has the place '" + place + "' already, as place " + std::to_string(there + 1) +
             ". Each place holds one scene: give this one another name.");
  ListPlaces->setCurrentRow(there);
  EditPlace->setFocus();
  EditPlace->selectAll();
  return false;
}

// After the current place, so a place forgotten halfway is added where it belongs.
void TFormJourneyPlaces::ButtonAddClick() {
  const std::string place = PlaceTyped();
  if (place.empty() || !NotThereYet(place)) return;
  if (Room() == 0) {
    ShowNotice(FullText());
    return;
  }
  const int at = ListPlaces->currentRow() + 1 > 0 ? ListPlaces->currentRow() + 1 : ListPlaces->count();
  ListPlaces->insertItem(at, ToQString(place));
  ListPlaces->setCurrentRow(at);
  EditPlace->selectAll();
  UpdateCount();
}

void TFormJourneyPlaces::ButtonRenameClick() {
  QListWidgetItem* item = ListPlaces->currentItem();
  if (!item) return;
  const std::string place = PlaceTyped();
  if (!place.empty() && NotThereYet(place, ListPlaces->row(item))) item->setText(ToQString(place));
}

void TFormJourneyPlaces::ButtonRemoveClick() {
  const int row = ListPlaces->currentRow();
  if (row < 0) return;
  delete ListPlaces->takeItem(row);
  ListPlaces->setCurrentRow(std::min(row, ListPlaces->count() - 1));
  UpdateCount();
}

void TFormJourneyPlaces::ButtonMoveClick(int step) {
  const int row = ListPlaces->currentRow();
  const int to = row + step;
  if (row < 0 || to < 0 || to >= ListPlaces->count()) return;
  ListPlaces->insertItem(to, ListPlaces->takeItem(row));
  ListPlaces->setCurrentRow(to);
  UpdateCount();
}

void TFormJourneyPlaces::ButtonPasteListClick() {
  const QString text = QGuiApplication::clipboard()->text();
  const QString leftOut = Unrepresentable(text);
  std::size_t cut = 0;
  std::vector<std::string> places = PlacesFromLines(FromQString(WithoutUnrepresentable(text)), &cut);
  if (places.empty()) {
    ShowNotice("The clipboard holds no places. Copy a list with one place per line first.");
    return;
  }
  std::vector<std::string> said;
  if (const std::string refused = RefusalText(leftOut, false); !refused.empty()) said.push_back(refused);
  if (cut > 0) said.push_back("Names longer than " + std::to_string(kMaxPlaceLength) + " characters were cut.");
  const std::size_t pasted = places.size();
  std::size_t already = 0;
  places = NewPlaces(Journey().places, places, &already);
  if (already > 0)
    said.push_back(CountOf(already, "place") + " of the " + CountOf(pasted, "place") +
                   " on the clipboard " + (already == 1 ? "is" : "are") +
                   " on the journey already, or twice in the list, and " + (already == 1 ? "was" : "were") +
                   " left out.");
  if (places.size() > Room()) {
    // Say how many were taken, and of how many, not only the limit.
    said.push_back("A journey has at most " + std::to_string(kMaxPlaces) + " places: " + CountOf(Room(), "place") +
                   " of the " + std::to_string(places.size()) + (already > 0 ? " new ones" : "") +
                   " on the clipboard " + (Room() == 1 ? "was" : "were") + " added.");
    places.resize(Room());
  }
  if (!said.empty()) {
    std::string text;
    for (const std::string& part : said) text += (text.empty() ? "" : " ") + part;
    ShowNotice(text);
  }
  if (places.empty()) return;
  int at = ListPlaces->currentRow() + 1 > 0 ? ListPlaces->currentRow() + 1 : ListPlaces->count();
  for (const std::string& place : places) ListPlaces->insertItem(at++, ToQString(place));
  ListPlaces->setCurrentRow(at - 1);
  UpdateCount();
}

void TFormJourneyPlaces::ButtonDefaultClick() {
  ShowPlaces(DefaultJourney().places, 0);
  SpinWordsPerPlace->setValue(kDefaultWordsPerPlace);
}

}  // namespace tq
