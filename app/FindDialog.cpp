#include "FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Codec.h"
#include "TextGuard.h"
#include "Widgets.h"

namespace tq {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("DialogFind");
  setWindowTitle(QStringLiteral("Find"));
  setModal(false);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* label = new QLabel(QStringLiteral("Fi&nd what:"), this);
  EditFind = new QLineEdit(this);
  EditFind->setObjectName("EditFind");
  GuardTextField(EditFind);
  label->setBuddy(EditFind);

  CheckWholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
  CheckWholeWord->setObjectName("CheckWholeWord");
  CheckMatchCase = new QCheckBox(QStringLiteral("Match &case"), this);
  CheckMatchCase->setObjectName("CheckMatchCase");

  auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
  RadioUp = new QRadioButton(QStringLiteral("&Up"), direction);
  RadioUp->setObjectName("RadioUp");
  RadioDown = new QRadioButton(QStringLiteral("&Down"), direction);
  RadioDown->setObjectName("RadioDown");
  RadioDown->setChecked(true);
  auto* directionLayout = new QHBoxLayout(direction);
  directionLayout->addWidget(RadioUp);
  directionLayout->addWidget(RadioDown);

  ButtonFindNext = MakeButton("ButtonFindNext", "&Find Next", this);
  ButtonFindNext->setDefault(true);
  ButtonFindNext->setEnabled(false);
  ButtonCancel = MakeButton("ButtonCancel", "Cancel", this);

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(EditFind, 0, 1, 1, 2);
  grid->addWidget(ButtonFindNext, 0, 3);
  auto* options = new QVBoxLayout;
  options->addWidget(CheckWholeWord);
  options->addWidget(CheckMatchCase);
  options->addStretch();
  grid->addLayout(options, 1, 0, 1, 2);
  grid->addWidget(direction, 1, 2);
  grid->addWidget(ButtonCancel, 1, 3, Qt::AlignTop);

  // Nothing to look for, nothing to press: the same rule as the desktop's own find dialogs.
  connect(EditFind, &QLineEdit::textChanged, this,
          [this](const QString& text) { ButtonFindNext->setEnabled(!text.isEmpty()); });
  connect(ButtonFindNext, &QPushButton::clicked, this, &TFindDialog::FindNext);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::hide);
}

std::string TFindDialog::FindText() const { return FromQString(EditFind->text()); }
bool TFindDialog::MatchCase() const { return CheckMatchCase->isChecked(); }
bool TFindDialog::WholeWord() const { return CheckWholeWord->isChecked(); }
bool TFindDialog::Down() const { return RadioDown->isChecked(); }

void TFindDialog::Open() {
  show();
  raise();
  activateWindow();
  EditFind->setFocus();
  EditFind->selectAll();
}

}  // namespace tq
