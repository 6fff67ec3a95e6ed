#include "FormQuestion.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

#include "Codec.h"
#include "Platform.h"
#include "RConfig.h"
#include "Widgets.h"
#include "WindowPlace.h"

namespace tq {
namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonTop = 44;
constexpr int kFormWidth = 253;
constexpr int kFormHeight = 97;
constexpr int kLabelWidth = 195;
constexpr int kLabelHeight = 34;
// Without Cancel the two remaining buttons move this far right, to centre.
constexpr int kCentringShift = 40;

// A speech bubble holding a question mark.
QPixmap QuestionPicture() {
  QPixmap picture(34, 34);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(1.5, 1.5, 31, 24), 8, 8);
  QPainterPath tail;
  tail.moveTo(8, 22);
  tail.lineTo(6, 32);
  tail.lineTo(16, 24);
  tail.closeSubpath();
  p.setPen(QPen(QColor(0, 64, 160), 1.5));
  p.setBrush(QColor(255, 255, 236));
  p.drawPath(bubble.united(tail));
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(18);
  p.setFont(font);
  p.setPen(QColor(0, 64, 160));
  p.drawText(QRect(1, 1, 32, 25), Qt::AlignCenter, QStringLiteral("?"));
  return picture;
}

}  // namespace

TFormQuestion::TFormQuestion(QWidget* parent) : QDialog(parent) {
  setObjectName("FormQuestion");
  setWindowTitle(QStringLiteral("Tessaloquine"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);
  setFixedSize(kFormWidth, kFormHeight);

  ImageQuestion = new QLabel(this);
  ImageQuestion->setObjectName("ImageQuestion");
  ImageQuestion->setGeometry(8, 6, 34, 34);
  ImageQuestion->setPixmap(QuestionPicture());

  LabelQuestion = new QLabel(this);
  LabelQuestion->setObjectName("LabelQuestion");
  LabelQuestion->setTextFormat(Qt::PlainText);
  LabelQuestion->setGeometry(50, 6, kLabelWidth, kLabelHeight);
  LabelQuestion->setWordWrap(true);
  LabelQuestion->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  auto makeButton = [this](const char* name, const char* caption, int left, int result) {
    QPushButton* button = MakeButton(name, caption, this);
    button->setGeometry(left, kButtonTop, kButtonWidth, kButtonHeight);
    connect(button, &QPushButton::clicked, this, [this, result] { done(result); });
    return button;
  };
  ButtonYes = makeButton("ButtonYes", "&Yes", 8, ResultYes);
  ButtonNo = makeButton("ButtonNo", "&No", 88, ResultNo);
  ButtonCancel = makeButton("ButtonCancel", "&Cancel", 168, ResultCancel);
  ButtonYes->setDefault(true);

  CheckAsk = new QCheckBox(QStringLiteral("Don't ask me again"), this);
  CheckAsk->setObjectName("CheckAsk");
  CheckAsk->setGeometry(8, 72, 237, 20);

  setTabOrder(ButtonYes, ButtonNo);
  setTabOrder(ButtonNo, ButtonCancel);
  setTabOrder(ButtonCancel, CheckAsk);
}

void TFormQuestion::SetQuestion(const std::string& text, bool withCancel) {
  if (withCancel != withCancel_) {
    const int shift = withCancel ? -kCentringShift : kCentringShift;
    ButtonCancel->setVisible(withCancel);
    ButtonYes->move(ButtonYes->x() + shift, ButtonYes->y());
    ButtonNo->move(ButtonNo->x() + shift, ButtonNo->y());
    withCancel_ = withCancel;
  }
  LabelQuestion->setText(ToQString(text));
  // The designed size holds two lines of question. A longer one (a removal
  // that says how many phrases use the word) grows the box downwards, so
  // that every line shows; the buttons and the check box move with it.
  const int grow = std::max(0, LabelQuestion->heightForWidth(kLabelWidth) - kLabelHeight);
  const int shift = grow - grown_;
  if (shift == 0) return;
  LabelQuestion->resize(kLabelWidth, kLabelHeight + grow);
  for (QWidget* below : {static_cast<QWidget*>(ButtonYes), static_cast<QWidget*>(ButtonNo),
                         static_cast<QWidget*>(ButtonCancel), static_cast<QWidget*>(CheckAsk)})
    below->move(below->x(), below->y() + shift);
  setFixedSize(kFormWidth, kFormHeight + grow);
  grown_ = grow;
}

bool TFormQuestion::DontAskAgain() const { return CheckAsk->isChecked(); }

int TFormQuestion::Ask(RConfig& config, Preference preference, const std::string& text, bool withCancel) {
  const bool asking = preference == Preference::AskSave ? config.GetAskSave() != 0 : config.GetAskDelete() != 0;
  if (!asking) return preference == Preference::AskSave ? ResultNo : ResultYes;
  SetQuestion(text, withCancel);
  const int result = CurrentPlatform().RunModal(this);
  if (DontAskAgain()) {
    if (preference == Preference::AskSave)
      config.SetAskSave(0);
    else
      config.SetAskDelete(0);
  }
  // Anything but the three buttons (a dialog that never ran) counts as Cancel.
  return result == ResultYes || result == ResultNo ? result : ResultCancel;
}

void TFormQuestion::reject() { done(ResultCancel); }

void TFormQuestion::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // In the middle of the screen, not over the window that asks.
  if (!event->spontaneous()) CentreOnScreen(*this);
  FormShow();
}

void TFormQuestion::FormShow() {
  CheckAsk->setChecked(false);
  // Enter answers Yes.
  ButtonYes->setFocus();
}

void TFormQuestion::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && !withCancel_) {
    event->accept();  // nothing to cancel: only the close box dismisses it
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tq
