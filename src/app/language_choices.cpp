#include "app/language_choices.h"

namespace calorix::app {

int LanguageChoiceOfCode(int code) {
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    if (kLanguageChoices[i].code == code && code >= 2) return static_cast<int>(i);
  }
  return 0;
}

}  // namespace calorix::app
