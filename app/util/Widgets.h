// Widgets made with their object names, by which tests find them with findChild.
#pragma once

class QPushButton;
class QWidget;

namespace tq {

// Whether Enter in a dialog presses a push button because it was focused last
// (Qt's auto-default). No leaves Enter to the edit boxes and lists, or to the
// dialog's one default button.
enum class AutoDefault { AsQtDecides, No };

QPushButton* MakeButton(const char* name, const char* caption, QWidget* parent,
                        AutoDefault autoDefault = AutoDefault::AsQtDecides);

}  // namespace tq
