#include "PhraseProposal.h"

#include "RNumber.h"

namespace tq {

void TPhraseProposal::ApplyPhraseTo(RNumber& number) const {
  number.SetPhrase(Phrase());
  number.SlotsFromPhrase();
}

}  // namespace tq
