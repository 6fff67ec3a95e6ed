#include "Widgets.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

namespace tq {

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent, AutoDefault autoDefault) {
  auto* button = new QPushButton(QString::fromLatin1(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  if (autoDefault == AutoDefault::No) button->setAutoDefault(false);
  return button;
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
