#include "app/language_switch.h"

#include "app/language_choices.h"
#include "i18n/text_table.h"
#include "ui/artwork.h"

#include <QAction>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace calorix::app {

std::vector<std::string> SystemLanguages() {
  std::vector<std::string> names;
  for (const QString& name : QLocale::system().uiLanguages()) names.push_back(name.toStdString());
  return names;
}

LanguageSwitch::LanguageSwitch(QObject* owner) {
  for (const LanguageChoice& choice : kLanguageChoices) {
    auto* action = new QAction(QString::fromUtf8(choice.name), owner);
    action->setCheckable(true);
    action->setIcon(ui::ResourceIcon(QStringLiteral("language-%1").arg(choice.icon)));
    action->setToolTip(action->text());
    // A menu item with an icon shows the icon in place of its check mark,
    // so the menu lists the names alone; the tool bar shows the flags and
    // the current one pressed.
    action->setIconVisibleInMenu(false);
    actions_.push_back(action);
  }
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  ApplyQtLanguage(current_);
  CheckCurrent();
}

LanguageSwitch::~LanguageSwitch() = default;

void LanguageSwitch::Select(int language) {
  current_ = language;
  CheckCurrent();
  i18n::SetCurrentBlock(i18n::BlockOfLanguage(kLanguageChoices[static_cast<std::size_t>(language)].code));
  ApplyQtLanguage(language);
}

void LanguageSwitch::Retext() {
  for (std::size_t i = 0; i < actions_.size(); ++i) actions_[i]->setText(QString::fromUtf8(kLanguageChoices[i].name));
}

void LanguageSwitch::CheckCurrent() {
  for (std::size_t i = 0; i < actions_.size(); ++i) actions_[i]->setChecked(static_cast<int>(i) == current_);
}

void LanguageSwitch::ApplyQtLanguage(int language) {
  const QLocale locale(QString::fromUtf8(kLanguageChoices[static_cast<std::size_t>(language)].locale));
  QLocale::setDefault(locale);
  if (qtTranslator_) QCoreApplication::removeTranslator(qtTranslator_.get());
  auto translator = std::make_unique<QTranslator>();
  // English needs none: Qt's own texts are English.
  if (translator->load(locale, "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator.get());
    qtTranslator_ = std::move(translator);
  } else {
    qtTranslator_.reset();
  }
}

}  // namespace calorix::app
