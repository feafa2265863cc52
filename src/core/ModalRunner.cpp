#include "core/ModalRunner.h"

#include <stdexcept>

void TScriptedModalRunner::ExpectResult(int result) {
  Expect([result](TModalWindow&) { return result; });
}

int TScriptedModalRunner::Run(TModalWindow& window) {
  ShownNames.push_back(window.ModalName());
  if (Steps.empty())
    throw std::logic_error("modal window shown with no scripted answer: " + window.ModalName());
  TStep step = std::move(Steps.front());
  Steps.pop_front();
  const int result = step(window);
  window.EndModal(result);
  return result;
}
