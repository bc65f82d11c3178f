#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace calorix::app {

// The seven interface languages in the order of the language menu and the
// tool bar. Their names are the same in every language.
struct LanguageChoice {
  const char* name;    // as the menu shows it
  std::int8_t code;    // as the settings store keeps it
  const char* icon;    // "language-<icon>"
  const char* locale;  // for Qt's own texts and the month names
};
inline constexpr std::array<LanguageChoice, 7> kLanguageChoices = {{
    {"Deutsch", 1, "de", "de_DE"},
    {"English (GB)", 2, "gb", "en_GB"},
    {"Français", 3, "fr", "fr_FR"},
    {"Español", 4, "es", "es_ES"},
    {"Italiano", 5, "it", "it_IT"},
    {"Português", 6, "pt", "pt_PT"},
    {"English (US)", 7, "us", "en_US"},
}};

// The language a stored code selects, as an index into kLanguageChoices:
// 2..7 their language, anything else (0 nothing stored, 1) German.
int LanguageChoiceOfCode(int code);

// The language a locale name ("fr_FR", "fr-CA", "de", "en-US") speaks, as
// an index into kLanguageChoices: by its language, any country; English
// of the United States is English (US), any other English English (GB).
// Nothing for a language none of the choices speaks ("nl_NL", "C").
std::optional<int> LanguageChoiceOfLocale(std::string_view name);

// The language in force from the start: a stored code (1..7) always wins;
// with none stored (0) the first of the system's interface languages, most
// preferred first, that is one of the choices; German otherwise.
int StartLanguageChoice(int storedCode, const std::vector<std::string>& systemLanguages);

}  // namespace calorix::app
