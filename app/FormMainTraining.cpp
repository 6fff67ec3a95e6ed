// The drills from the main window: the Peg Drill and the Numbers Drill. They
// train the user's pegs in force and need no worksheet; their records and
// files are the training library's, and this is only the wiring.
#include "FormMain.h"
#include "FormNumbersDrill.h"
#include "FormPegDrill.h"
#include "Platform.h"

namespace tq {

void TFormMain::MenuPegDrillClick() {
  RPegSystem* pegs = UserPegs();
  if (!FormPegDrill || !pegs) return;
  FormPegDrill->Prepare(*pegs);
  CurrentPlatform().RunModal(FormPegDrill);
  FormPegDrill->Finish();
}

void TFormMain::MenuNumbersDrillClick() {
  RPegSystem* pegs = UserPegs();
  if (!FormNumbersDrill || !pegs) return;
  FormNumbersDrill->Prepare(*pegs, UserJourney());
  CurrentPlatform().RunModal(FormNumbersDrill);
  FormNumbersDrill->Finish();
}

}  // namespace tq
