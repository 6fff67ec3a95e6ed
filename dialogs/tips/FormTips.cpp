#include "FormTips.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadialGradient>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "Codec.h"
#include "Platform.h"
#include "RConfig.h"
#include "WindowPlace.h"
#include "Widgets.h"

// Outside the namespace, as Qt's resource macro requires. The texts live in
// a static library, so the resource must be pulled in by name.
static void InitTipResources() { Q_INIT_RESOURCE(tips); }

namespace tq {
namespace {

constexpr const char* kWelcomeTitle = "Welcome to Tessaloquine";
constexpr const char* kTipTitle = "Did you know...";

// The tips, as the resource holds them: one a line, lines starting with '#'
// are notes. Read once; a tip the resource lacks shows as an empty text.
const std::vector<std::string>& TipTexts() {
  static const std::vector<std::string> tips = [] {
    InitTipResources();
    std::vector<std::string> texts;
    QFile file(QStringLiteral(":/tips/tips.txt"));
    if (file.open(QIODevice::ReadOnly)) {
      const QByteArray all = file.readAll();
      for (QByteArray line : all.split('\n')) {
        if (line.endsWith('\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith('#')) continue;
        texts.push_back(line.toStdString());
      }
    }
    texts.resize(TFormTips::kTipCount);
    return texts;
  }();
  return tips;
}

constexpr int kClientWidth = 343;
constexpr int kLargestTipPixels = 12;
constexpr int kSmallestTipPixels = 8;
constexpr int kClientHeight = 234;

// A light bulb, 29 by 34 pixels, on a transparent ground: a glowing glass
// globe over a grey screw base.
QPixmap LightBulb() {
  QImage image(29, 34, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  QPainterPath glass;
  glass.addEllipse(QRectF(3.5, 1.5, 22, 21));
  glass.moveTo(9, 19);
  glass.lineTo(10.5, 24);
  glass.lineTo(18.5, 24);
  glass.lineTo(20, 19);
  glass.closeSubpath();
  glass.setFillRule(Qt::WindingFill);
  QRadialGradient glow(QPointF(11.5, 8.5), 17);
  glow.setColorAt(0.0, QColor(255, 255, 230));
  glow.setColorAt(0.45, QColor(255, 228, 64));
  glow.setColorAt(1.0, QColor(230, 160, 0));
  p.setPen(QPen(QColor(110, 80, 0), 1));
  p.setBrush(glow);
  p.drawPath(glass.simplified());

  // The filament: two posts and a zigzag between them.
  p.setPen(QPen(QColor(150, 70, 0), 1));
  p.setBrush(Qt::NoBrush);
  const QPointF filament[] = {{11.5, 22}, {11.5, 13}, {13, 11}, {14.5, 13}, {16, 11}, {17.5, 13}, {17.5, 22}};
  p.drawPolyline(filament, 7);

  // The screw base with its threads, and the contact at the bottom.
  QLinearGradient metal(10, 0, 19, 0);
  metal.setColorAt(0.0, QColor(120, 120, 120));
  metal.setColorAt(0.4, QColor(235, 235, 235));
  metal.setColorAt(1.0, QColor(100, 100, 100));
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(10, 24, 9, 6.5), 1, 1);
  p.drawLine(QPointF(10.5, 26.2), QPointF(18.5, 27.2));
  p.drawLine(QPointF(10.5, 28.2), QPointF(18.5, 29.2));
  p.setBrush(QColor(50, 50, 50));
  p.drawRoundedRect(QRectF(12.5, 30.5, 4, 2.5), 1, 1);

  // A highlight on the glass.
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.5, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(6.5, 4.5, 12, 12), 100 * 16, 70 * 16);
  p.end();
  return QPixmap::fromImage(image);
}

QFrame* Panel(QWidget* parent, const char* name, const QColor& colour, const QRect& place) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  panel->setGeometry(place);
  return panel;
}

}  // namespace

TFormTips::TFormTips(RConfig* config, QWidget* parent) : QDialog(parent), config_(config) {
  setObjectName(QStringLiteral("FormTips"));
  setWindowTitle(QStringLiteral("Tip of the Day"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(kClientWidth, kClientHeight);

  // Created in the class's order, which is also the order of the Tab key.
  ButtonNextTip = MakeButton("ButtonNextTip", "&Next Tip", this);
  ButtonNextTip->setGeometry(173, 201, 75, 25);

  ButtonClose = MakeButton("ButtonClose", "&Close", this);
  ButtonClose->setGeometry(254, 201, 75, 25);

  CheckShow = new QCheckBox(QStringLiteral("Show tips at startup"), this);
  CheckShow->setObjectName(QStringLiteral("CheckShow"));
  CheckShow->move(16, 205);
  CheckShow->adjustSize();

  PanelMain = Panel(this, "PanelMain", QColor(128, 128, 128), QRect(16, 16, 313, 177));
  PanelMain->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  PanelMain->setLineWidth(2);

  PanelTop = Panel(PanelMain, "PanelTop", Qt::white, QRect(50, 2, 261, 41));
  LabelTitle = new QLabel(PanelTop);
  LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
  QFont titleFont = LabelTitle->font();
  titleFont.setPixelSize(16);
  titleFont.setBold(true);
  LabelTitle->setFont(titleFont);
  LabelTitle->setGeometry(8, 0, 245, 41);
  LabelTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  // Drawn after PanelTop and one pixel over its foot; both are white.
  PanelBottom = Panel(PanelMain, "PanelBottom", Qt::white, QRect(50, 42, 261, 133));
  LabelTip = new QLabel(PanelBottom);
  LabelTip->setObjectName(QStringLiteral("LabelTip"));
  LabelTip->setWordWrap(true);
  LabelTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  LabelTip->setGeometry(8, 6, 225, 113);

  ImageLight = new QLabel(PanelMain);
  ImageLight->setObjectName(QStringLiteral("ImageLight"));
  ImageLight->setPixmap(LightBulb());
  ImageLight->setGeometry(11, 9, 29, 34);

  ButtonHelp = MakeButton("ButtonHelp", "More Info...", PanelBottom);
  ButtonHelp->setGeometry(180, 102, 75, 25);
  ButtonHelp->setAutoDefault(false);

  connect(ButtonNextTip, &QPushButton::clicked, this, &TFormTips::ButtonNextTipClick);
  connect(ButtonClose, &QPushButton::clicked, this, &TFormTips::ButtonCloseClick);
  connect(ButtonHelp, &QPushButton::clicked, this, &TFormTips::ButtonHelpClick);
}

void TFormTips::ButtonNextTipClick() {
  // A damaged configuration could hold less than -1; it starts over like a
  // fresh one instead of reaching before the table.
  const int s = config_ ? std::max(config_->GetTipIndex(), -1) : -1;
  if (config_) config_->SetTipIndex(s >= kTipCount - 1 ? 0 : s + 1);  // no overflow at INT_MAX
  const int t = s < 0 || s >= kTipCount ? 0 : s;
  LabelTitle->setText(ToQString(t == 0 ? kWelcomeTitle : kTipTitle));
  ButtonHelp->setVisible(t == 0);
  LabelTip->setText(ToQString(TipTexts()[static_cast<std::size_t>(t)]));
  FitTipText();
}

void TFormTips::FitTipText() {
  // The label has a fixed size and the tips differ in length; the type is
  // made just small enough for the whole tip to show, whatever fonts the
  // desktop has. "More Info..." covers the end of the tip area, so the
  // welcome tip has to end above it.
  const int room = ButtonHelp->isHidden() ? LabelTip->height() : ButtonHelp->y() - LabelTip->y() - 2;
  QFont font = LabelTip->font();
  for (int pixels = kLargestTipPixels; pixels >= kSmallestTipPixels; --pixels) {
    font.setPixelSize(pixels);
    const QRect needed = QFontMetrics(font).boundingRect(QRect(0, 0, LabelTip->width(), INT_MAX / 2),
                                                         Qt::TextWordWrap, LabelTip->text());
    if (needed.height() <= room) break;
  }
  LabelTip->setFont(font);
}

void TFormTips::ButtonCloseClick() {
  if (config_) config_->SetShowTips(CheckShow->isChecked() ? 1 : 0);
  accept();
}

void TFormTips::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpTopic); }

void TFormTips::FormShow() {
  ButtonNextTipClick();
  CheckShow->setChecked(config_ ? config_->GetShowTips() != 0 : true);
  // So that Enter closes the dialog.
  ButtonClose->setFocus();
}

void TFormTips::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // A window coming back from the task bar is no new showing.
  if (event->spontaneous()) return;
  CentreOnScreen(*this);
  FormShow();
}

void TFormTips::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier) {
    if (event->key() == Qt::Key_Escape) {
      ButtonCloseClick();
      return;
    }
    if (event->key() == Qt::Key_F1) {
      ButtonHelpClick();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

}  // namespace tq
