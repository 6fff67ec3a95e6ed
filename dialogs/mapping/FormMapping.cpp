#include "FormMapping.h"

#include <QAbstractTableModel>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>

#include "Codec.h"
#include "Messages.h"
#include "Platform.h"
#include "RDictionary.h"
#include "Text.h"
#include "Widgets.h"
#include "WindowPlace.h"

namespace tq {

// The rows of ListMap, read from the dialog's working copy when drawn.
class TMappingRowsModel final : public QAbstractTableModel {
 public:
  TMappingRowsModel(const std::vector<std::string>& letters, QObject* parent)
      : QAbstractTableModel(parent), letters_(letters) {}

  void Reload() {
    beginResetModel();
    endResetModel();
  }
  void RowChanged(int row) { emit dataChanged(index(row, 0), index(row, 1)); }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(letters_.size());
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 2; }
  QVariant data(const QModelIndex& index, int role) const override {
    const auto row = static_cast<std::size_t>(index.row());
    if (role != Qt::DisplayRole || !index.isValid() || row >= letters_.size()) return {};
    if (index.column() == 1) return ToQString(letters_[row]);
    return row < 10 ? QString(QChar('0' + static_cast<int>(row))) : QStringLiteral("(none)");
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return section == 0 ? QStringLiteral("Digit") : QStringLiteral("Letters");
  }

 private:
  const std::vector<std::string>& letters_;
};

TFormMapping::TFormMapping(RDictionary& dictionary, QWidget* parent)
    : QDialog(parent), dictionary_(dictionary), letters_(RDictionary::kMappingLineCount) {
  setObjectName("FormMapping");
  setWindowTitle(QStringLiteral("Mapping"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  TabMapping = new QFrame(this);
  TabMapping->setObjectName("TabMapping");
  TabMapping->setFrameShape(QFrame::StyledPanel);

  model_ = new TMappingRowsModel(letters_, this);
  ListMap = new QTableView(TabMapping);
  ListMap->setObjectName("ListMap");
  SetUpReportList(ListMap, model_, QAbstractItemView::SingleSelection);
  ListMap->setColumnWidth(0, 50);
  // All eleven rows in view without scrolling.
  ListMap->setMinimumSize(300, ListMap->horizontalHeader()->sizeHint().height() +
                                   11 * ListMap->verticalHeader()->defaultSectionSize() + 4);

  ButtonEdit = MakeButton("ButtonEdit", "&Edit...", this, AutoDefault::No);
  ButtonOk = MakeButton("ButtonOk", "&OK", this, AutoDefault::No);
  ButtonCancel = MakeButton("ButtonCancel", "&Cancel", this, AutoDefault::No);
  ButtonHelp = MakeButton("ButtonHelp", "&Help", this, AutoDefault::No);

  auto* frameLayout = new QVBoxLayout(TabMapping);
  frameLayout->addWidget(ListMap);
  auto* side = new QVBoxLayout;
  side->addWidget(ButtonEdit);
  side->addStretch(1);
  auto* upper = new QHBoxLayout;
  upper->addWidget(TabMapping, 1);
  upper->addLayout(side);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(ButtonOk);
  bottom->addWidget(ButtonCancel);
  bottom->addWidget(ButtonHelp);
  auto* top = new QVBoxLayout(this);
  top->addLayout(upper, 1);
  top->addLayout(bottom);
  top->setSizeConstraint(QLayout::SetFixedSize);

  connect(ButtonEdit, &QPushButton::clicked, this, [this] { ButtonEditClick(); });
  connect(ListMap, &QAbstractItemView::doubleClicked, this, [this] { ButtonEditClick(); });
  // Under the rows too, where the answer is that nothing is selected.
  OnEmptyAreaDoubleClick(*ListMap, [this] { ButtonEditClick(); });
  connect(ButtonOk, &QPushButton::clicked, this, [this] { ButtonOkClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { ButtonCancelClick(); });
  connect(ButtonHelp, &QPushButton::clicked, this, [this] { ButtonHelpClick(); });
}

TFormMapping::~TFormMapping() = default;

void TFormMapping::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  // In the middle of the screen, not over the main window.
  CentreOnScreen(*this);
  FormShow();
}

void TFormMapping::FormShow() {
  for (std::size_t i = 0; i < letters_.size(); ++i) letters_[i] = dictionary_.MappingLine(i);
  model_->Reload();
  mapChanged = false;
}

void TFormMapping::ButtonEditClick() {
  const QModelIndexList selected = ListMap->selectionModel()->selectedRows();
  if (selected.isEmpty()) {
    ShowNotice("Select a digit before clicking the edit button.");
    return;
  }
  const auto row = static_cast<std::size_t>(selected.constFirst().row());
  // A cancelled box leaves the answer at the row's letters: nothing changes.
  std::string answer = letters_[row];
  CurrentPlatform().InputBox("Edit Mapping", "Enter all letters which map to this digit:", answer);
  if (answer == letters_[row]) return;
  letters_[row] = ToLower1252(answer);
  model_->RowChanged(static_cast<int>(row));
  mapChanged = true;
}

void TFormMapping::ButtonOkClick() {
  if (mapChanged) {
    // The rows go in together or not at all: a refused row is shown with its
    // reason and selected, and the dialog stays open with every other edit
    // still in place, so the user mends that one row and presses OK again.
    for (std::size_t i = 0; i < letters_.size(); ++i) {
      const std::string problem = MappingLineProblem(i, letters_[i]);
      if (problem.empty()) continue;
      ShowError(problem);
      ListMap->selectRow(static_cast<int>(i));
      ListMap->setFocus();
      return;
    }
    for (std::size_t i = 0; i < letters_.size(); ++i) dictionary_.SetMappingLine(i, letters_[i]);
  }
  done(ResultOk);
}

void TFormMapping::ButtonCancelClick() { reject(); }

void TFormMapping::reject() {
  // The edits are dropped, so as far as anyone after us can tell the
  // mapping did not change.
  mapChanged = false;
  done(ResultCancel);
}

void TFormMapping::ButtonHelpClick() { CurrentPlatform().ShowHelp(kHelpContext); }

}  // namespace tq
