#include "Platform.h"

namespace tq {
namespace {

SilentPlatform silent;
Platform* current = &silent;

}  // namespace

Platform& CurrentPlatform() { return *current; }

Platform* InstallPlatform(Platform* p) {
  Platform* previous = current == &silent ? nullptr : current;
  current = p ? p : &silent;
  return previous;
}

}  // namespace tq
