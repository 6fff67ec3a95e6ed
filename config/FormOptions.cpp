#include "FormOptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Platform.h"
#include "RConfig.h"
#include "Widgets.h"

namespace tq {
namespace {

QCheckBox* MakeCheck(const char* name, const char* caption, QWidget* parent) {
  auto* check = new QCheckBox(QString::fromLatin1(caption), parent);
  check->setObjectName(QString::fromLatin1(name));
  return check;
}

}  // namespace

TFormOptions::TFormOptions(QWidget* parent) : QDialog(parent) {
  setObjectName("FormOptions");
  setWindowTitle(QStringLiteral("Preferences"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  TabsOptions = new QTabWidget(this);
  TabsOptions->setObjectName("TabsOptions");
  TabGeneral = new QWidget;
  TabGeneral->setObjectName("TabGeneral");
  TabsOptions->addTab(TabGeneral, QStringLiteral("General"));

  GroupBox1 = new QGroupBox(QStringLiteral("Main Window"), TabGeneral);
  GroupBox1->setObjectName("GroupBox1");
  CheckDescription = MakeCheck("CheckDescription", "Show description field", GroupBox1);
  auto* mainWindow = new QVBoxLayout(GroupBox1);
  mainWindow->addWidget(CheckDescription);

  GroupBox2 = new QGroupBox(QStringLiteral("Popup Windows"), TabGeneral);
  GroupBox2->setObjectName("GroupBox2");
  CheckTips = MakeCheck("CheckTips", "Show tips at startup", GroupBox2);
  CheckAskSave = MakeCheck("CheckAskSave", "Ask to save when worksheet was modified", GroupBox2);
  CheckAskDelete = MakeCheck("CheckAskDelete", "Ask before deleting words", GroupBox2);
  auto* popups = new QVBoxLayout(GroupBox2);
  for (QCheckBox* check : {CheckTips, CheckAskSave, CheckAskDelete}) popups->addWidget(check);

  // Reset sits on the page, at its bottom right: it belongs to the page's
  // boxes, not to the dialog's OK and Cancel.
  ButtonReset = MakeButton("ButtonReset", "&Reset", TabGeneral);
  auto* resetRow = new QHBoxLayout;
  resetRow->addStretch();
  resetRow->addWidget(ButtonReset);
  auto* page = new QVBoxLayout(TabGeneral);
  page->addWidget(GroupBox1);
  page->addWidget(GroupBox2);
  page->addStretch();
  page->addLayout(resetRow);

  PanelButtons = new QWidget(this);
  PanelButtons->setObjectName("PanelButtons");
  ButtonOk = MakeButton("ButtonOk", "&OK", PanelButtons);
  ButtonOk->setDefault(true);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelButtons);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelButtons);
  auto* buttons = new QHBoxLayout(PanelButtons);
  buttons->setContentsMargins(0, 0, 0, 0);
  buttons->addStretch();
  for (QPushButton* button : {ButtonOk, ButtonCancel, ButtonHelp}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }

  auto* top = new QVBoxLayout(this);
  top->addWidget(TabsOptions);
  top->addWidget(PanelButtons);
  // A fixed dialog border: the window keeps the size its layout asks for.
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonReset, &QPushButton::clicked, this, [this] { ButtonResetClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
}

void TFormOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window coming back from the task bar is no new showing.
  if (!event->spontaneous()) FormShow();
}

void TFormOptions::FormShow() {
  // Every showing starts from the record, so edits dropped by Cancel never
  // come back.
  const bool noConfig = config_ == nullptr;
  CheckDescription->setChecked(noConfig || config_->GetShowDescription() != 0);
  CheckTips->setChecked(noConfig || config_->GetShowTips() != 0);
  CheckAskSave->setChecked(noConfig || config_->GetAskSave() != 0);
  CheckAskDelete->setChecked(noConfig || config_->GetAskDelete() != 0);
  CheckDescription->setFocus();
}

void TFormOptions::ButtonOkClick() {
  if (config_) {
    config_->SetShowDescription(CheckDescription->isChecked() ? 1 : 0);
    config_->SetShowTips(CheckTips->isChecked() ? 1 : 0);
    config_->SetAskSave(CheckAskSave->isChecked() ? 1 : 0);
    config_->SetAskDelete(CheckAskDelete->isChecked() ? 1 : 0);
  }
  done(ResultOk);
}

void TFormOptions::ButtonCancelClick() { done(ResultCancel); }

void TFormOptions::reject() { ButtonCancelClick(); }

// Every preference is on by default; the record hears of it only on OK.
void TFormOptions::ButtonResetClick() {
  for (QCheckBox* check : {CheckDescription, CheckTips, CheckAskSave, CheckAskDelete}) check->setChecked(true);
}

void TFormOptions::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpTopic); }

void TFormOptions::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    ButtonHelpClick();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tq
