#include "framework/dialog/ContentListener.h"

namespace {

CContentListener*& CurrentListener() {
  static CContentListener* listener = nullptr;
  return listener;
}

}  // namespace

CContentListener::~CContentListener() = default;

CContentListener* AfxGetContentListener() { return CurrentListener(); }

CContentListener* AfxSetContentListener(CContentListener* listener) {
  CContentListener* previous = CurrentListener();
  CurrentListener() = listener;
  return previous;
}
