#include "FormPrintChoice.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "Codec.h"
#include "Text.h"
#include "Widgets.h"

namespace tq {

TFormPrintChoice::TFormPrintChoice(QWidget* parent) : QDialog(parent) {
  setObjectName("FormPrintChoice");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
  LabelWhat = new QLabel(QStringLiteral("What should go on paper?"), this);
  LabelWhat->setObjectName("LabelWhat");
  RadioJourney = new QRadioButton(this);
  RadioJourney->setObjectName("RadioJourney");
  RadioWorksheet = new QRadioButton(this);
  RadioWorksheet->setObjectName("RadioWorksheet");
  auto* group = new QButtonGroup(this);
  group->addButton(RadioJourney);
  group->addButton(RadioWorksheet);
  ButtonOk = MakeButton("ButtonOk", "OK", this);
  ButtonOk->setDefault(true);
  ButtonCancel = MakeButton("ButtonCancel", "Cancel", this, AutoDefault::No);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ButtonOk);
  buttons->addWidget(ButtonCancel);
  auto* top = new QVBoxLayout(this);
  top->addWidget(LabelWhat);
  top->addWidget(RadioJourney);
  top->addWidget(RadioWorksheet);
  top->addSpacing(RadioJourney->sizeHint().height() / 2);
  top->addLayout(buttons);

  connect(ButtonOk, &QPushButton::clicked, this, [this] {
    journeyLast_ = JourneyChosen();
    accept();
  });
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormPrintChoice::Prepare(const QString& caption, int places, int numbers) {
  setWindowTitle(caption);
  RadioJourney->setText(places > 0 ? QStringLiteral("The &journey of the current number (%1)")
                                         .arg(ToQString(CountOf(places, "place")))
                                   : QStringLiteral("The &journey of the current number (it has no words yet)"));
  RadioJourney->setEnabled(places > 0);
  RadioWorksheet->setText(
      QStringLiteral("The whole &worksheet (%1)").arg(ToQString(CountOf(numbers, "number"))));
  (journeyLast_ && places > 0 ? RadioJourney : RadioWorksheet)->setChecked(true);
  adjustSize();
}

bool TFormPrintChoice::JourneyChosen() const { return RadioJourney->isEnabled() && RadioJourney->isChecked(); }

}  // namespace tq
