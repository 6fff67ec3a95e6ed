#include "Widgets.h"

#include <QPushButton>

namespace tq {

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent, AutoDefault autoDefault) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  if (autoDefault == AutoDefault::No) button->setAutoDefault(false);
  return button;
}

}  // namespace tq
