#include "FormBest.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "Codec.h"
#include "Platform.h"
#include "RNumber.h"

namespace tq {
namespace {

// One mark per word: filled for a word that has the quality, hollow for one
// that has not, nothing for an uncovered digit. A word that can be pictured
// is what the ranking looks for; whether a word is mostly a noun only breaks
// its ties, so it gets no column of its own.
const QString kCommonMark = QString::fromUtf8("\xE2\x97\x8F");    // black circle
const QString kUncommonMark = QString::fromUtf8("\xE2\x97\x8B");  // white circle
const QString kPicturedMark = QString::fromUtf8("\xE2\x98\x85");  // black star
const QString kAbstractMark = QString::fromUtf8("\xE2\x98\x86");  // white star

QString Marks(const RankedPhrase& phrase, const std::vector<bool>& has, const QString& yes, const QString& no) {
  QString out;
  for (std::size_t i = 0; i < phrase.words.size(); ++i) {
    if (phrase.words[i].size() == 1 && phrase.words[i][0] == kUncoveredMark) continue;
    out += has[i] ? yes : no;
  }
  return out;
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QTableWidgetItem* MakeItem(const QString& text, const QString& tip) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  if (!tip.isEmpty()) item->setToolTip(tip);
  return item;
}

}  // namespace

TFormBest::TFormBest(RDictionary& dictionary, QWidget* parent) : QDialog(parent), dictionary_(dictionary) {
  setObjectName("FormBest");
  setWindowTitle(QStringLiteral("Best Phrases"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  LabelNumber = new QLabel(QStringLiteral("Number:"), this);
  LabelNumber->setObjectName("LabelNumber");
  EditNumber = new QLineEdit(this);
  EditNumber->setObjectName("EditNumber");
  EditNumber->setReadOnly(true);
  EditNumber->setFocusPolicy(Qt::NoFocus);

  ListPhrases = new QTableWidget(0, ColumnCount, this);
  ListPhrases->setObjectName("ListPhrases");
  ListPhrases->setHorizontalHeaderLabels(
      {QStringLiteral("Phrase"), QStringLiteral("Words"), QStringLiteral("Common"), QStringLiteral("Pictures")});
  ListPhrases->horizontalHeaderItem(ColumnCommon)->setToolTip(QStringLiteral("One mark per word: filled when common"));
  ListPhrases->horizontalHeaderItem(ColumnPictures)
      ->setToolTip(QStringLiteral("One mark per word: filled for a thing you can picture"));
  ListPhrases->setSelectionMode(QAbstractItemView::SingleSelection);
  ListPhrases->setSelectionBehavior(QAbstractItemView::SelectRows);
  ListPhrases->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListPhrases->setTabKeyNavigation(false);
  ListPhrases->setShowGrid(false);
  ListPhrases->setWordWrap(false);
  ListPhrases->verticalHeader()->hide();
  ListPhrases->horizontalHeader()->setHighlightSections(false);
  ListPhrases->horizontalHeader()->setSectionResizeMode(ColumnPhrase, QHeaderView::Stretch);
  for (int c = ColumnWords; c < ColumnCount; ++c)
    ListPhrases->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  const int charWidth = ListPhrases->fontMetrics().averageCharWidth();
  ListPhrases->setMinimumSize(charWidth * 72, ListPhrases->verticalHeader()->defaultSectionSize() * 12);

  LabelKey = new QLabel(kCommonMark + QStringLiteral(" common word     ") + kPicturedMark +
                            QStringLiteral(" a thing you can picture     ") + QString(QChar(0xB7)) +
                            QStringLiteral(" digit no word covers"),
                        this);
  LabelKey->setObjectName("LabelKey");

  PanelButtons = new QWidget(this);
  PanelButtons->setObjectName("PanelButtons");
  ButtonAccept = MakeButton("ButtonAccept", "&Accept", PanelButtons);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelButtons);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelButtons);
  // Enter anywhere in the dialog, the list included, takes the chosen phrase.
  ButtonAccept->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(LabelNumber, 0, 0);
  fields->addWidget(EditNumber, 0, 1);

  auto* buttons = new QHBoxLayout(PanelButtons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addStretch();
  for (QPushButton* button : {ButtonAccept, ButtonCancel, ButtonHelp}) buttons->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addLayout(fields);
  top->addWidget(ListPhrases, 1);
  top->addWidget(LabelKey);
  top->addWidget(PanelButtons);

  connect(ButtonAccept, &QPushButton::clicked, this, [this] { ButtonAcceptClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
  connect(ListPhrases, &QTableWidget::cellDoubleClicked, this, [this] { ButtonAcceptClick(); });
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
  help->setContext(Qt::WindowShortcut);
  connect(help, &QShortcut::activated, this, [this] { ButtonHelpClick(); });
}

void TFormBest::Prepare(const std::string& numberText, const std::string& digits) {
  EditNumber->setText(ToQString(numberText));
  digits_ = digits;
}

std::string TFormBest::Phrase() const {
  const int row = ListPhrases->currentRow();
  if (row < 0 || static_cast<std::size_t>(row) >= phrases_.size()) return {};
  return phrases_[static_cast<std::size_t>(row)].phrase;
}

void TFormBest::ApplyPhraseTo(RNumber& number) const {
  number.SetPhrase(Phrase());
  number.SlotsFromPhrase();
}

void TFormBest::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormBest::FormShow() {
  FillList();
  ListPhrases->setFocus();
}

void TFormBest::FillList() {
  phrases_ = FindBestPhrases(dictionary_, digits_, kPhraseCount);
  ListPhrases->clearContents();
  ListPhrases->setRowCount(static_cast<int>(phrases_.size()));
  for (int row = 0; row < static_cast<int>(phrases_.size()); ++row) {
    const RankedPhrase& p = phrases_[static_cast<std::size_t>(row)];
    ListPhrases->setItem(row, ColumnPhrase,
                         MakeItem(ToQString(p.phrase), p.complete ? QString()
                                                                  : QStringLiteral("No word covers the digits "
                                                                                   "marked with a dot")));
    auto* count = MakeItem(QString::number(p.wordCount), {});
    count->setTextAlignment(Qt::AlignCenter);
    ListPhrases->setItem(row, ColumnWords, count);
    ListPhrases->setItem(row, ColumnCommon,
                         MakeItem(Marks(p, p.common, kCommonMark, kUncommonMark),
                                  QStringLiteral("%1 of %2 common").arg(p.commonWords).arg(p.wordCount)));
    ListPhrases->setItem(row, ColumnPictures,
                         MakeItem(Marks(p, p.pictured, kPicturedMark, kAbstractMark),
                                  QStringLiteral("%1 of %2 can be pictured").arg(p.picturable).arg(p.wordCount)));
  }
  if (!phrases_.empty()) ListPhrases->setCurrentCell(0, ColumnPhrase);
  ButtonAccept->setEnabled(!phrases_.empty());
}

void TFormBest::ButtonAcceptClick() {
  if (Phrase().empty()) return;
  done(ResultOk);
}

void TFormBest::ButtonCancelClick() { done(ResultCancel); }

void TFormBest::reject() { ButtonCancelClick(); }

void TFormBest::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

}  // namespace tq
