#include "FormJourney.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "Codec.h"
#include "FormBest.h"
#include "JourneyModel.h"
#include "Platform.h"
#include "RNumber.h"
#include "Widgets.h"

namespace tq {

TFormJourney::TFormJourney(const RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), model_(new TJourneyModel(this)) {
  setObjectName("FormJourney");
  setWindowTitle(QStringLiteral("Journey"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  // Beside the main window, following its entry while the user works there.
  setModal(false);

  LabelSummary = new QLabel(this);
  LabelSummary->setObjectName("LabelSummary");
  LabelSummary->setWordWrap(true);

  ListScenes = new QTableView(this);
  ListScenes->setObjectName("ListScenes");
  SetUpReportList(ListScenes, model_, QAbstractItemView::SingleSelection);
  // Fixed column widths: a column sized to its contents would measure every
  // row of a long number before the window could show.
  const int charWidth = ListScenes->fontMetrics().averageCharWidth();
  ListScenes->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ListScenes->setColumnWidth(TJourneyModel::ColumnPlace, charWidth * 20);
  ListScenes->setColumnWidth(TJourneyModel::ColumnWords, charWidth * 36);
  ListScenes->setColumnWidth(TJourneyModel::ColumnDigits, charWidth * 12);
  ListScenes->setMinimumSize(charWidth * 84, ListScenes->verticalHeader()->defaultSectionSize() * 14);

  LabelKey = new QLabel(PictureMark(true) + QStringLiteral(" a thing you can picture     ") + PictureMark(false) +
                            QStringLiteral(" a word to make a picture of     ") + QString(QChar(0xB7)) +
                            QStringLiteral(" digit no word covers yet"),
                        this);
  LabelKey->setObjectName("LabelKey");

  ButtonFill = MakeButton("ButtonFill", "&Fill with best phrases", this, AutoDefault::No);
  ButtonEditJourney = MakeButton("ButtonEditJourney", "&Edit Journey...", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);
  ButtonClose = MakeButton("ButtonClose", "&Close", this, AutoDefault::No);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonFill);
  buttons->addWidget(ButtonEditJourney);
  buttons->addStretch();
  buttons->addWidget(ButtonHelp);
  buttons->addWidget(ButtonClose);
  auto* top = new QVBoxLayout(this);
  top->addWidget(LabelSummary);
  top->addWidget(ListScenes, 1);
  top->addWidget(LabelKey);
  top->addLayout(buttons);

  connect(ButtonFill, &QPushButton::clicked, this, &TFormJourney::FillRequested);
  connect(ButtonEditJourney, &QPushButton::clicked, this, &TFormJourney::EditJourneyRequested);
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);
  SetJourney(journey_);
}

void TFormJourney::SetJourney(const RJourney& journey) {
  const bool recut = journey.wordsPerPlace != journey_.wordsPerPlace;
  journey_ = journey;
  model_->SetJourney(journey_);
  if (!recut) {
    UpdateSummary();
    return;
  }
  RNumber shown;
  shown.SetNumber(model_->Scenes().NumberDigits());
  shown.SetSlots(model_->Scenes().Slots());
  Cut(shown, true);
}

void TFormJourney::ShowEntry(const RNumber* entry, bool force) {
  const RJourneyScenes& shown = model_->Scenes();
  const bool same = entry && entry == shownEntry_ && entry->Digits() == shown.NumberDigits();
  if (!force && entry == shownEntry_ && (!entry || (same && entry->Slots() == shown.Slots()))) return;
  shownEntry_ = entry;
  Cut(entry ? *entry : RNumber(), same);
}

void TFormJourney::Cut(const RNumber& entry, bool sameEntry) {
  model_->SetScenes(RJourneyScenes(dictionary_, entry, journey_.wordsPerPlace), sameEntry);
  ButtonFill->setEnabled(!UncoveredRuns(entry).empty());
  UpdateSummary();
}

QString TFormJourney::Summary() const { return LabelSummary->text(); }

void TFormJourney::UpdateSummary() {
  const RJourneyScenes& scenes = model_->Scenes();
  if (scenes.Count() == 0) {
    LabelSummary->setText(QStringLiteral("Enter a number and build its phrase: its scenes are listed here, "
                                         "one at each place of your journey."));
    return;
  }
  QString text = QStringLiteral("%1 digits in %2 scenes, %3 words a place.")
                     .arg(scenes.NumberDigits().size())
                     .arg(scenes.Count())
                     .arg(scenes.WordsPerPlace());
  if (const std::size_t beyond = scenes.PlacesBeyond(journey_))
    text += QStringLiteral(" The number needs %1 more %2 than your journey's %3: they are numbered, place %4 to "
                           "place %5.")
                .arg(beyond)
                .arg(beyond == 1 ? QStringLiteral("place") : QStringLiteral("places"))
                .arg(journey_.places.size())
                .arg(journey_.places.size() + 1)
                .arg(scenes.Count());
  LabelSummary->setText(text);
}

}  // namespace tq
