#include "FormRandom.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <limits>

#include "Codec.h"
#include "Platform.h"
#include "RandomPhrase.h"
#include "Widgets.h"

namespace tq {
namespace {

QLineEdit* MakeReadOnlyEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setReadOnly(true);
  // Not cut at the field's usual 32767 characters: a long number's phrase
  // is taken back from here whole.
  edit->setMaxLength(std::numeric_limits<int>::max());
  return edit;
}

}  // namespace

TFormRandom::TFormRandom(RDictionary& dictionary, QWidget* parent)
    : TPhraseProposal(parent), dictionary_(dictionary) {
  setObjectName("FormRandom");
  setWindowTitle(QStringLiteral("Random Phrase"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  LabelNumber = new QLabel(QStringLiteral("Number:"), this);
  LabelNumber->setObjectName("LabelNumber");
  EditNumber = MakeReadOnlyEdit("EditNumber", this);
  LabelPhrase = new QLabel(QStringLiteral("Phrase:"), this);
  LabelPhrase->setObjectName("LabelPhrase");
  EditPhrase = MakeReadOnlyEdit("EditPhrase", this);
  // Room for a telephone number's worth of words without scrolling.
  EditPhrase->setMinimumWidth(EditPhrase->fontMetrics().averageCharWidth() * 48);

  PanelButtons = new QWidget(this);
  PanelButtons->setObjectName("PanelButtons");
  ButtonAccept = MakeButton("ButtonAccept", "&Accept", PanelButtons);
  ButtonTryAgain = MakeButton("ButtonTryAgain", "&Try Again", PanelButtons);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelButtons);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelButtons);

  auto* fields = new QGridLayout;
  fields->addWidget(LabelNumber, 0, 0);
  fields->addWidget(EditNumber, 0, 1);
  fields->addWidget(LabelPhrase, 1, 0);
  fields->addWidget(EditPhrase, 1, 1);

  auto* buttons = new QHBoxLayout(PanelButtons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addStretch();
  for (QPushButton* button : {ButtonAccept, ButtonTryAgain, ButtonCancel, ButtonHelp}) buttons->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addLayout(fields);
  top->addWidget(PanelButtons);
  // A fixed dialog border: the window keeps the size its layout asks for.
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonAccept, &QPushButton::clicked, this, [this] { ButtonAcceptClick(); });
  connect(ButtonTryAgain, &QPushButton::clicked, this, [this] { ButtonTryAgainClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
}

void TFormRandom::Prepare(const std::string& numberText, const std::string& digits) {
  ShowFromStart(EditNumber, ToQString(numberText));
  digits_ = digits;
}

std::string TFormRandom::Phrase() const { return FromQString(EditPhrase->text()); }

void TFormRandom::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormRandom::FormShow() {
  GenerateRandomPhrase();
  ButtonAccept->setFocus();
  // Seeded only after the first proposal: that one continues the sequence
  // the program is already on, the Try Again proposals follow the clock.
  SeedRandomFromClock();
}

void TFormRandom::GenerateRandomPhrase() {
  ShowFromStart(EditPhrase, ToQString(tq::GenerateRandomPhrase(dictionary_, digits_)));
}

void TFormRandom::ButtonTryAgainClick() { GenerateRandomPhrase(); }

void TFormRandom::ButtonAcceptClick() { done(ResultOk); }

void TFormRandom::ButtonCancelClick() { done(ResultCancel); }

void TFormRandom::reject() { ButtonCancelClick(); }

void TFormRandom::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

}  // namespace tq
