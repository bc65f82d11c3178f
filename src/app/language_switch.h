#pragma once

#include <memory>
#include <string>
#include <vector>

class QAction;
class QObject;
class QTranslator;

namespace calorix::app {

// The system's interface languages ("fr-FR", ...), most preferred first,
// as its locale settings give them.
std::vector<std::string> SystemLanguages();

// The interface language: the checkable language actions (one per entry of
// kLanguageChoices), the text block, Qt's own texts and the locale for
// month names. German is in force from the start.
class LanguageSwitch {
 public:
  explicit LanguageSwitch(QObject* owner);
  ~LanguageSwitch();
  LanguageSwitch(const LanguageSwitch&) = delete;
  LanguageSwitch& operator=(const LanguageSwitch&) = delete;

  const std::vector<QAction*>& Actions() const { return actions_; }
  // As an index into kLanguageChoices.
  int Current() const { return current_; }

  // Puts language in force: its action checked, its text block, Qt's
  // texts (standard buttons, file and colour dialogs) and the locale.
  void Select(int language);
  // Sets the actions' texts back to the languages' names.
  void Retext();
  // The action of the language in force checked, the others not (a click
  // on a checked action unchecks it).
  void CheckCurrent();

 private:
  void ApplyQtLanguage(int language);

  std::vector<QAction*> actions_;
  int current_ = 0;
  std::unique_ptr<QTranslator> qtTranslator_;
};

}  // namespace calorix::app
