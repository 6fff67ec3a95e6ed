#include "FormEditPhrase.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <limits>

#include "Codec.h"
#include "Platform.h"
#include "RNumber.h"

namespace tq {
namespace {

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  // Enter in the phrase field means OK, whichever button was last focused.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFormEditPhrase::TFormEditPhrase(RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), check_(dictionary) {
  setObjectName("FormEditPhrase");
  setWindowTitle(QStringLiteral("Edit Phrase"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  PanelMain = new QWidget(this);
  PanelMain->setObjectName("PanelMain");
  LabelPhrase = new QLabel(PanelMain);
  LabelPhrase->setObjectName("LabelPhrase");
  EditPhrase = new QLineEdit(PanelMain);
  EditPhrase->setObjectName("EditPhrase");
  // Not cut at the field's usual 32767 characters: long numbers have longer phrases.
  EditPhrase->setMaxLength(std::numeric_limits<int>::max());
  EditPhrase->setMinimumWidth(EditPhrase->fontMetrics().averageCharWidth() * 56);
  auto* main = new QVBoxLayout(PanelMain);
  main->setContentsMargins(0, 0, 0, 0);
  main->addWidget(LabelPhrase);
  main->addWidget(EditPhrase);

  PanelBottom = new QWidget(this);
  PanelBottom->setObjectName("PanelBottom");
  ButtonOK = MakeButton("ButtonOK", "&OK", PanelBottom);
  ButtonOK->setDefault(true);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelBottom);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelBottom);
  auto* bottom = new QHBoxLayout(PanelBottom);
  bottom->setContentsMargins(0, 0, 0, 0);
  bottom->addStretch();
  for (QPushButton* button : {ButtonOK, ButtonCancel, ButtonHelp}) bottom->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addWidget(PanelMain);
  top->addWidget(PanelBottom);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
}

void TFormEditPhrase::PrepareEditPhrase(const std::string& phrase, const std::string& number) {
  check_.SetNumber(number);
  LabelPhrase->setText(ToQString("Edit phrase for number " + number + ":"));
  EditPhrase->setText(ToQString(phrase));
}

void TFormEditPhrase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormEditPhrase::FormShow() {
  // Centred on the screen, not on the main window.
  if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  EditPhrase->setFocus();
  check_.ClearDictionaryChanged();
}

void TFormEditPhrase::ButtonOKClick() {
  switch (check_.Check(FromQString(EditPhrase->text()))) {
    case PhraseCheckResult::Passed: done(ResultOk); break;
    case PhraseCheckResult::StoppedFocus: EditPhrase->setFocus(); break;
    case PhraseCheckResult::Stopped: break;
  }
}

void TFormEditPhrase::ButtonCancelClick() { done(ResultCancel); }

void TFormEditPhrase::reject() { ButtonCancelClick(); }

void TFormEditPhrase::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

}  // namespace tq
