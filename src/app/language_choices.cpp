#include "app/language_choices.h"

namespace calorix::app {

int LanguageChoiceOfCode(int code) {
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    if (kLanguageChoices[i].code == code && code >= 2) return static_cast<int>(i);
  }
  return 0;
}

std::optional<int> LanguageChoiceOfLocale(std::string_view name) {
  const std::size_t end = name.find_first_of("_-.@");
  const std::string_view language = name.substr(0, end);
  const std::string_view country = end == std::string_view::npos ? std::string_view{} : name.substr(end + 1, 2);
  if (language == "en") return LanguageChoiceOfCode(country == "US" ? 7 : 2);
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    if (std::string_view(kLanguageChoices[i].locale).substr(0, 2) == language) return static_cast<int>(i);
  }
  return std::nullopt;
}

int StartLanguageChoice(int storedCode, const std::vector<std::string>& systemLanguages) {
  if (storedCode >= 1 && storedCode <= 7) return LanguageChoiceOfCode(storedCode);
  for (const std::string& name : systemLanguages) {
    if (const auto choice = LanguageChoiceOfLocale(name)) return *choice;
  }
  return 0;
}

}  // namespace calorix::app
