#include "FormJourney.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "Codec.h"
#include "FormBest.h"
#include "JourneyModel.h"
#include "JourneyScenes.h"
#include "Platform.h"
#include "RNumber.h"
#include "SlotLogic.h"
#include "Text.h"
#include "Widgets.h"
#include "WindowPlace.h"

namespace tq {
namespace {

// Draws a row's text once, clipped to its cell, with an ellipsis where it is
// cut (the row's tip holds the whole scene). The toolkit's own delegate lays
// each cell's text out twice (to place it, then to draw it), which made a
// page of scenes several times as dear to paint as the few rows of a short
// number.
class TSceneDelegate final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    if (selected) painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect cell = option.rect.adjusted(kMargin, 0, -kMargin, 0);
    const QFontMetrics& metrics = option.fontMetrics;
    painter->save();
    painter->setClipRect(cell);
    painter->drawText(QPoint(cell.left(), cell.top() + (cell.height() + metrics.ascent() - metrics.descent()) / 2),
                      metrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight, cell.width()));
    painter->restore();
  }

  static constexpr int kMargin = 3;
};

}  // namespace

TFormJourney::TFormJourney(const RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), model_(new TJourneyModel(this)), cutTimer_(new QTimer(this)) {
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
  ListScenes->setItemDelegate(new TSceneDelegate(ListScenes));
  const int charWidth = ListScenes->fontMetrics().averageCharWidth();
  ListScenes->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  ListScenes->setMinimumSize(charWidth * 84, ListScenes->verticalHeader()->defaultSectionSize() * 10);

  const QString gap = QStringLiteral("     ");
  LabelKey = new QLabel(PictureMark(true) + QLatin1Char(' ') + QLatin1String(kPicturedKey) + gap + PictureMark(false) +
                            QLatin1Char(' ') + QLatin1String(kAbstractKey) + gap + QString(QChar(0xB7)) +
                            QLatin1Char(' ') + QLatin1String(kUncoveredKey),
                        this);
  LabelKey->setObjectName("LabelKey");

  ButtonFill = MakeButton("ButtonFill", "&Fill with", this, AutoDefault::No);
  ComboFill = new QComboBox(this);
  ComboFill->setObjectName("ComboFill");
  ComboFill->addItems({QStringLiteral("best phrases"), QStringLiteral("my pegs of 2 digits"),
                       QStringLiteral("my pegs of 3 digits")});
  ComboFill->setToolTip(QStringLiteral("What Fill puts on the digits no word covers yet"));
  ButtonEditJourney = MakeButton("ButtonEditJourney", "&Edit Journey...", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);
  ButtonClose = MakeButton("ButtonClose", "&Close", this, AutoDefault::No);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonFill);
  buttons->addWidget(ComboFill);
  buttons->addWidget(ButtonEditJourney);
  buttons->addStretch();
  buttons->addWidget(ButtonHelp);
  buttons->addWidget(ButtonClose);
  auto* top = new QVBoxLayout(this);
  top->addWidget(LabelSummary);
  top->addWidget(ListScenes, 1);
  top->addWidget(LabelKey);
  top->addLayout(buttons);

  cutTimer_->setSingleShot(true);
  connect(cutTimer_, &QTimer::timeout, this, [this] { CutTimerTimeout(); });
  connect(ButtonFill, &QPushButton::clicked, this, &TFormJourney::FillRequested);
  connect(ButtonEditJourney, &QPushButton::clicked, this, &TFormJourney::EditJourneyRequested);
  connect(ButtonHelp, &QPushButton::clicked, this, [] { CurrentPlatform().ShowHelp(kHelpContext); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::close);
  SizeColumns();
  SetJourney(journey_);
}

// Fixed column widths, for the words a place holds: a column sized to its
// contents would measure every row of a long number before the window could
// show. The words get room for words of nine letters, the digits for four
// digits a word, the most a scene of words that share it spells.
void TFormJourney::SizeColumns() {
  const QFontMetrics metrics = ListScenes->fontMetrics();
  const int perPlace = journey_.wordsPerPlace;
  const int margins = 2 * TSceneDelegate::kMargin + 2;
  const QString word = PictureMark(true) + QLatin1Char(' ') + QString(9, QLatin1Char('n'));
  QString words = word;
  for (int k = 1; k < perPlace; ++k) words += QStringLiteral("   ") + word;
  const QString digits(4 * perPlace, QLatin1Char('8'));
  const int charWidth = metrics.averageCharWidth();
  const int wordsWidth = std::max(charWidth * 36, metrics.horizontalAdvance(words) + margins);
  const int digitsWidth = std::max(charWidth * 12, metrics.horizontalAdvance(digits) + margins);
  ListScenes->setColumnWidth(TJourneyModel::ColumnPlace, charWidth * 20);
  ListScenes->setColumnWidth(TJourneyModel::ColumnWords, wordsWidth);
  ListScenes->setColumnWidth(TJourneyModel::ColumnDigits, digitsWidth);
  if (isVisible()) return;
  // Wide enough for its columns and tall enough for some sixteen rows, as
  // far as the screen allows; the last column takes what is left.
  const int wanted = charWidth * 20 + wordsWidth + digitsWidth + charWidth * 16 + 2 * ListScenes->frameWidth() +
                     ListScenes->verticalScrollBar()->sizeHint().width() + layout()->contentsMargins().left() +
                     layout()->contentsMargins().right();
  const int tall = sizeHint().height() + 6 * ListScenes->verticalHeader()->defaultSectionSize();
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const QMargins frame = LikelyFrame(*this);
  const QSize framing(frame.left() + frame.right(), frame.top() + frame.bottom());
  const QSize room = screen ? screen->availableGeometry().size() - framing : QSize(wanted, tall);
  resize(QSize(std::min(wanted, room.width()), std::min(tall, room.height())).expandedTo(minimumSizeHint()));
}

void TFormJourney::SetJourney(const RJourney& journey) {
  const bool recut = journey.wordsPerPlace != journey_.wordsPerPlace;
  journey_ = journey;
  if (recut) SizeColumns();
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

// The entry shown already is cut whole, so its rows stay where the user
// has them; another one starts with its first scenes.
void TFormJourney::Cut(const RNumber& entry, bool sameEntry) {
  const std::size_t cut = sameEntry ? RJourneyScenes::kAllSlots : RJourneyScenes::kFirstCutSlots;
  model_->SetScenes(RJourneyScenes(dictionary_, entry, journey_.wordsPerPlace, cut), sameEntry);
  ButtonFill->setEnabled(std::any_of(entry.Slots().begin(), entry.Slots().end(), IsUncoveredSlot));
  // The rest waits a moment, so the first rows are painted before it.
  if (model_->Scenes().Complete())
    cutTimer_->stop();
  else
    cutTimer_->start(kCutPause);
  UpdateSummary();
}

void TFormJourney::CutTimerTimeout() {
  if (model_->CutMore(RJourneyScenes::kCutSliceSlots))
    UpdateSummary();
  else
    cutTimer_->start(0);
}

QString TFormJourney::Summary() const { return LabelSummary->text(); }

int TFormJourney::FillPegDigits() const { return ComboFill->currentIndex() > 0 ? ComboFill->currentIndex() + 1 : 0; }

void TFormJourney::UpdateSummary() {
  const RJourneyScenes& scenes = model_->Scenes();
  if (scenes.Count() == 0) {
    LabelSummary->setText(QStringLiteral("Enter a number and build its phrase: its scenes are listed here, "
                                         "one at each place of your journey."));
    return;
  }
  if (!scenes.Complete()) {
    LabelSummary->setText(ToQString(CountOf(scenes.NumberDigits().size(), "digit")) +
                          QStringLiteral(": cutting the phrase into scenes..."));
    return;
  }
  std::string text = CountOf(scenes.NumberDigits().size(), "digit") + " in " + CountOf(scenes.Count(), "scene") +
                     ", ";
  if (scenes.PegDigits() > 0)
    text += CountOf(scenes.WordsPerPlace(), "peg") + " of " + std::to_string(scenes.PegDigits()) + " digits a place.";
  else
    text += CountOf(scenes.WordsPerPlace(), "word") + " a place.";
  if (const std::size_t beyond = scenes.PlacesBeyond(journey_)) {
    text += " The number needs " + CountOf(beyond, "more place", "more places") + " than your journey's " +
            std::to_string(journey_.places.size());
    text += beyond == 1 ? ": it is numbered, place " + std::to_string(scenes.Count()) + "."
                        : ": they are numbered, place " + std::to_string(journey_.places.size() + 1) + " to place " +
                              std::to_string(scenes.Count()) + ".";
  }
  LabelSummary->setText(ToQString(text));
}

}  // namespace tq
