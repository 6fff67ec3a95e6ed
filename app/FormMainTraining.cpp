// The drills from the main window: the Peg Drill and the Numbers Drill. They
// train the user's pegs and need no worksheet; their records and files are
// the training library's, and this is only the wiring.
#include "FormMain.h"
#include "FormNumbersDrill.h"
#include "FormPegDrill.h"
#include "Platform.h"

namespace tq {

void TFormMain::MenuPegDrillClick() {
  if (!FormPegDrill) return;
  FormPegDrill->Prepare();
  CurrentPlatform().RunModal(FormPegDrill);
  FormPegDrill->Finish();
}

void TFormMain::MenuNumbersDrillClick() {
  if (!FormNumbersDrill) return;
  FormNumbersDrill->Prepare();
  CurrentPlatform().RunModal(FormNumbersDrill);
  FormNumbersDrill->Finish();
}

}  // namespace tq
