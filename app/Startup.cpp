#include "Startup.h"

#include "Messages.h"

namespace tq {

std::unique_ptr<RDictionary> CreateDictionary(const std::string& directory) {
  auto dictionary = std::make_unique<RDictionary>();
  dictionary->SetDirectory(directory);
  dictionary->LoadUserChanges();
  if (dictionary->LoadWords() != 0 && FatalErrorShown()) return nullptr;
  if (dictionary->LoadMapping() != 0 && FatalErrorShown()) return nullptr;
  dictionary->ComputeCodes();
  dictionary->BuildCodeIndex();
  return dictionary;
}

}  // namespace tq
