// The rows of the numbers list. Row i shows entry i of the open worksheet:
// its number, phrase and description, asked for only when the row is
// painted. The model keeps its own row count because the list's rows and the
// worksheet's entries are brought in step explicitly: after a close the rows
// stay until the next worksheet replaces them, and a worksheet loaded into a
// longer list is padded with blank entries to fill it.
#pragma once

#include <QAbstractTableModel>

namespace tq {

class RWorksheet;

class TNumbersModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { ColumnNumber = 0, ColumnPhrase = 1, ColumnDescription = 2, ColumnCount = 3 };

  explicit TNumbersModel(QObject* parent = nullptr);

  // Rows past the worksheet's entries, or any row without a worksheet, are blank.
  void SetWorksheet(const RWorksheet* worksheet) { worksheet_ = worksheet; }

  int Rows() const { return rows_; }
  // Empties the list and gives it count rows in one go.
  void ResetRows(int count);
  void AppendRows(int count);
  void RemoveRowAt(int row);
  // The entry behind these rows changed: repaint them.
  void RefreshRows(int first, int last);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  const RWorksheet* worksheet_ = nullptr;
  int rows_ = 0;
};

}  // namespace tq
