#include "WordColumns.h"

#include "RConfig.h"
#include "RDictionary.h"
#include "RNumber.h"

namespace tq {

struct TWordColumns::Private {
  RDictionary* dictionary = nullptr;
  RConfig* config = nullptr;
  RNumber* number = nullptr;
};

TWordColumns::TWordColumns(RDictionary& dictionary, QWidget* parent) : QScrollArea(parent), d_(new Private) {
  setObjectName("ScrollBox");
  d_->dictionary = &dictionary;
}

TWordColumns::~TWordColumns() { delete d_; }

void TWordColumns::SetConfig(RConfig* config) { d_->config = config; }
void TWordColumns::SetCurrentNumber(RNumber* number) { d_->number = number; }
bool TWordColumns::CommitNumber(const std::string&) { return false; }
bool TWordColumns::ValidateSlots() { return true; }
void TWordColumns::RebuildColumns() {}
void TWordColumns::RefreshPhrase() {}
void TWordColumns::RefillColumns() {}
void TWordColumns::DeleteAllColumns() {}
int TWordColumns::ColumnCount() const { return 0; }

}  // namespace tq
