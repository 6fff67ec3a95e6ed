// Widgets made alike in every dialog: buttons with their object names, by
// which tests find them with findChild, and the read-only report lists.
#pragma once

#include <QAbstractItemView>
#include <QPushButton>

class QAbstractItemModel;
class QLineEdit;
class QTableView;
class QWidget;

namespace tq {

// Whether a push button becomes the dialog's default while it has the focus
// (Qt's auto-default; in a dialog without a default of its own, the first
// such button is the default from the start). No leaves Enter elsewhere in
// the dialog to the edit boxes and lists, or to the dialog's one default
// button. A focused button takes Enter itself either way (TButton).
enum class AutoDefault { AsQtDecides, No };

// The push button of every dialog and window of the program. Enter on the
// focused button presses it, as Space does, whichever button is the
// dialog's default: Enter on a focused Cancel cancels. Enter anywhere else
// (an edit box, a check box) goes on to the dialog as before.
class TButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A TButton.
QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent,
                        AutoDefault autoDefault = AutoDefault::AsQtDecides);

// Sets the field's text and shows it from its beginning, with the cursor
// there: the start of a long number or phrase tells more than its tail,
// which is where setText leaves the view.
void ShowFromStart(QLineEdit* field, const QString& text);

// Makes the field a line of text to read, plainly not one to type in: read
// only, without the keyboard's focus, frame or the edit boxes' background,
// and with the arrow for a pointer. A long text still scrolls in it.
void ShowAsText(QLineEdit* field);

// A read-only table of whole rows, as the dictionary's and the mapping's
// lists are: a grid, fixed row heights, no editing, no row numbers, the last
// column stretched, Tab leaving the list.
void SetUpReportList(QTableView* list, QAbstractItemModel* model, QAbstractItemView::SelectionMode selection);

}  // namespace tq
