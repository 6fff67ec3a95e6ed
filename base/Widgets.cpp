#include "Widgets.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

namespace tq {

void TButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  // The keypad's Enter comes with the keypad modifier.
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent, AutoDefault autoDefault) {
  auto* button = new TButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  if (autoDefault == AutoDefault::No) button->setAutoDefault(false);
  return button;
}

void ShowFromStart(QLineEdit* field, const QString& text) {
  field->setText(text);
  field->setCursorPosition(0);
}

void ShowAsText(QLineEdit* field) {
  field->setReadOnly(true);
  field->setFocusPolicy(Qt::NoFocus);
  field->setFrame(false);
  field->setCursor(Qt::ArrowCursor);
  QPalette palette = field->palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    palette.setBrush(group, QPalette::Base, palette.brush(group, QPalette::Window));
  field->setPalette(palette);
}

void SetUpReportList(QTableView* list, QAbstractItemModel* model, QAbstractItemView::SelectionMode selection) {
  list->setModel(model);
  list->setShowGrid(true);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(selection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setTabKeyNavigation(false);
  list->setWordWrap(false);
  list->verticalHeader()->hide();
  // Rows of one fixed height let the view place any row without measuring
  // the ones above it.
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  list->horizontalHeader()->setHighlightSections(false);
  list->horizontalHeader()->setSectionsClickable(false);
  list->horizontalHeader()->setStretchLastSection(true);
}

}  // namespace tq
