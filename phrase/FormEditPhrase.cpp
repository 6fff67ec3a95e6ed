#include "FormEditPhrase.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "Codec.h"
#include "Platform.h"
#include "RNumber.h"
#include "Widgets.h"
#include "WindowPlace.h"
#include "TextGuard.h"

namespace tq {

// "Edit phrase for number ...:" over the phrase. The dialog's width decides
// how much of the number shows, never the other way round: a number too
// long for the line is cut short at its end, and the whole caption is the
// label's tool tip.
class TNumberLabel final : public QLabel {
 public:
  explicit TNumberLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  }

  void SetNumber(const QString& number) {
    number_ = number;
    setToolTip(Caption(number_));
    FitCaption();
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QLabel::resizeEvent(event);
    FitCaption();
  }
  void showEvent(QShowEvent* event) override {
    QLabel::showEvent(event);
    FitCaption();
  }

 private:
  static QString Caption(const QString& number) {
    return QStringLiteral("Edit phrase for number ") + number + QLatin1Char(':');
  }

  // Until the label is shown it has no width of its own to fit: it holds
  // the whole caption then.
  void FitCaption() {
    const QFontMetrics metrics(font());
    const int room = contentsRect().width();
    QString caption = Caption(number_);
    if (isVisible() && metrics.horizontalAdvance(caption) > room) {
      const int forNumber = std::max(0, room - metrics.horizontalAdvance(Caption(QString())));
      caption = Caption(metrics.elidedText(number_, Qt::ElideRight, forNumber));
    }
    if (caption != text()) setText(caption);
  }

  QString number_;
};

TFormEditPhrase::TFormEditPhrase(RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), check_(dictionary) {
  setObjectName("FormEditPhrase");
  setWindowTitle(QStringLiteral("Edit Phrase"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  PanelMain = new QWidget(this);
  PanelMain->setObjectName("PanelMain");
  LabelPhrase = new TNumberLabel(PanelMain);
  LabelPhrase->setObjectName("LabelPhrase");
  // The label holds the number as the user typed it: plain text, never markup.
  LabelPhrase->setTextFormat(Qt::PlainText);
  EditPhrase = new QLineEdit(PanelMain);
  EditPhrase->setObjectName("EditPhrase");
  // The phrase goes into the worksheet file: one line of what it can hold.
  GuardTextField(EditPhrase);
  // Not cut at the field's usual 32767 characters: long numbers have longer phrases.
  EditPhrase->setMaxLength(std::numeric_limits<int>::max());
  EditPhrase->setMinimumWidth(EditPhrase->fontMetrics().averageCharWidth() * 56);
  // The dialog can be made wider for a long phrase, but not taller.
  PanelMain->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* main = new QVBoxLayout(PanelMain);
  main->setContentsMargins(0, 0, 0, 0);
  main->addWidget(LabelPhrase);
  main->addWidget(EditPhrase);

  PanelBottom = new QWidget(this);
  PanelBottom->setObjectName("PanelBottom");
  PanelBottom->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  // Enter in the phrase field means OK, whichever button was last focused.
  ButtonOK = MakeButton("ButtonOK", "&OK", PanelBottom, AutoDefault::No);
  ButtonOK->setDefault(true);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", PanelBottom, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", PanelBottom, AutoDefault::No);
  auto* bottom = new QHBoxLayout(PanelBottom);
  bottom->setContentsMargins(0, 0, 0, 0);
  bottom->addStretch();
  for (QPushButton* button : {ButtonOK, ButtonCancel, ButtonHelp}) bottom->addWidget(button);

  auto* top = new QVBoxLayout(this);
  top->addWidget(PanelMain);
  top->addWidget(PanelBottom);
  top->setSizeConstraint(QLayout::SetMinAndMaxSize);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
}

void TFormEditPhrase::PrepareEditPhrase(const std::string& phrase, const std::string& number) {
  check_.SetNumber(number);
  LabelPhrase->SetNumber(ToQString(number));
  EditPhrase->setText(ToQString(phrase));
}

void TFormEditPhrase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TFormEditPhrase::FormShow() {
  // Centred on the screen, not on the main window, by the size it has now.
  CentreOnScreen(*this);
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
