// The desktop's polite request to end: SIGTERM, as a session manager sends at
// logout or a service manager at stop, and SIGINT from a terminal. Either one
// closes the main window as its close box does, so the worksheet's save
// question comes first and an orderly exit writes the configuration and the
// user's files. Without this the process would just die and keep nothing.
#pragma once

class QWidget;

namespace tq {

// From now on the two signals close `window` (which must outlive the event loop).
void CloseOnTerminationSignal(QWidget* window);

}  // namespace tq
