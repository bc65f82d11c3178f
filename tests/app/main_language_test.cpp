// The main window's languages, settings commands and window handling.
#include "main_form_fixture.h"

#include <QAccessible>
#include <QAccessibleInterface>

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <map>
#include <set>

#include "app/window_rules.h"
#include "dialogs/dialog_driver.h"
#include "ui/about_dialog.h"
#include "ui/settings_dialog.h"

namespace calorix::app {
namespace {

using namespace testing;  // NOLINT: the fixture and its sample files
using calorix::testing::ReadBytes;
using calorix::testing::WhenShown;
using calorix::testing::WriteBytes;

constexpr int kGerman = 0;
constexpr int kEnglishGb = 1;
constexpr int kFrench = 2;
constexpr int kEnglishUs = 6;

std::string S(const QString& text) { return text.toStdString(); }

class MainLanguageTest : public MainFormTest {
 protected:
  void Choose(int language) {
    form_->LanguageAction(language)->trigger();
    Settle();
  }
  std::vector<int> Checked() const {
    std::vector<int> checked;
    for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
      if (form_->LanguageAction(static_cast<int>(i))->isChecked()) checked.push_back(static_cast<int>(i));
    }
    return checked;
  }
  // The settings dialog answers OK with this heading.
  void AnswerSettingsWithHeading(const char* heading) {
    WhenShown<ui::TDialogSettings>([heading](ui::TDialogSettings& shown) {
      shown.EditOutputHeadline()->setText(heading);
      shown.findChild<QPushButton*>("OKBtn")->click();
    });
  }
  // A store whose file can be read once, then never written.
  SettingsStoreFactory UnwritableStore() {
    return [this] {
      auto opens = std::make_shared<int>(0);
      return std::make_unique<TIniSettings>(IniPath(), "/opt/calorix/",
                                            [opens](const fs::path& path) -> std::unique_ptr<ProfileAccess> {
                                              if ((*opens)++ == 0) return OpenProfileFile(path);
                                              return nullptr;
                                            });
    };
  }
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : dialogs_.Messages()) texts.push_back(message.text);
    return texts;
  }
};

TEST_F(MainLanguageTest, StoredLanguageIsAppliedAtTheFirstActivation) {
  struct Case {
    const char* stored;
    int checked;
    i18n::LanguageBlock block;
    const char* fileMenu;
  };
  for (const Case& c : {Case{"0", kGerman, i18n::LanguageBlock::German, "&Datei"},
                        Case{"1", kGerman, i18n::LanguageBlock::German, "&Datei"},
                        Case{"3", kFrench, i18n::LanguageBlock::French, "&Fichier"},
                        Case{"7", kEnglishUs, i18n::LanguageBlock::English, "&File"},
                        Case{"9", kGerman, i18n::LanguageBlock::German, "&Datei"}}) {
    WriteBytes(IniPath(), std::string("[Main]\r\nLanguage=") + c.stored + "\r\n");
    Start();
    EXPECT_EQ(Checked(), std::vector<int>{c.checked}) << c.stored;
    EXPECT_EQ(i18n::CurrentBlock(), c.block) << c.stored;
    EXPECT_EQ(S(form_->Menu(MenuId::File)->title()), c.fileMenu) << c.stored;
    form_.reset();
  }
}

// A first start (no settings file, or no Language in it) speaks the
// system's language when it is one of the seven; a stored one wins.
TEST_F(MainLanguageTest, AFirstStartSpeaksTheSystemsLanguage) {
  struct Case {
    const char* ini;  // nothing: no settings file
    std::vector<std::string> system;
    int checked;
    const char* fileMenu;
  };
  for (const Case& c :
       {Case{nullptr, {"fr-FR"}, kFrench, "&Fichier"},
        Case{"[Main]\r\nLastUsedDir=/logs\r\n", {"en-US"}, kEnglishUs, "&File"},
        Case{"[Main]\r\nLanguage=1\r\n", {"fr-FR"}, kGerman, "&Datei"}, Case{nullptr, {"nl-NL"}, kGerman, "&Datei"}}) {
    fs::remove(IniPath());
    if (c.ini) WriteBytes(IniPath(), c.ini);
    Create();
    form_->SetSystemLanguages(c.system);
    Show();
    EXPECT_EQ(Checked(), std::vector<int>{c.checked}) << c.system.front();
    EXPECT_EQ(S(form_->Menu(MenuId::File)->title()), c.fileMenu) << c.system.front();
    form_.reset();
  }
  EXPECT_FALSE(fs::exists(IniPath()) && ReadBytes(IniPath()).find("Language=") != std::string::npos)
      << "nothing chosen, nothing stored";
}

// The menu shows the check mark of the language in force: its items carry
// no icon, which would take the mark's place.
TEST_F(MainLanguageTest, LanguageMenuMarksTheLanguageInForce) {
  WriteBytes(IniPath(), "[Main]\r\nLanguage=7\r\n");
  Start();
  std::vector<int> marked;
  const QList<QAction*> items = form_->Menu(MenuId::Language)->actions();
  ASSERT_EQ(items.size(), static_cast<qsizetype>(kLanguageChoices.size()));
  for (int i = 0; i < items.size(); ++i) {
    EXPECT_TRUE(items[i]->isCheckable());
    EXPECT_FALSE(items[i]->isIconVisibleInMenu() && !items[i]->icon().isNull()) << i;
    if (items[i]->isChecked()) marked.push_back(i);
  }
  EXPECT_EQ(marked, std::vector<int>{kEnglishUs});
  Choose(kEnglishGb);
  EXPECT_TRUE(form_->Menu(MenuId::Language)->actions()[kEnglishGb]->isChecked());
  EXPECT_FALSE(form_->Menu(MenuId::Language)->actions()[kEnglishUs]->isChecked());
}

TEST_F(MainLanguageTest, ChoosingTheCheckedLanguageDoesNothingAndWritesNothing) {
  WriteBytes(IniPath(), "[Main]\r\nLanguage=2\r\nLastUsedDir=/logs\r\n");
  Start();
  const std::string before = ReadBytes(IniPath());
  form_->Menu(MenuId::File)->setTitle("marker");
  Choose(kEnglishGb);
  EXPECT_EQ(ReadBytes(IniPath()), before);
  EXPECT_EQ(S(form_->Menu(MenuId::File)->title()), "marker");
  EXPECT_EQ(Checked(), std::vector<int>{kEnglishGb});
}

TEST_F(MainLanguageTest, BothEnglishesShowTheSameTextsAndStoreTheirOwnCode) {
  WriteBytes(IniPath(), "[Main]\r\nLastUsedDir=/logs\r\n");
  Start();
  Choose(kEnglishUs);
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings(), (TMainSettings{7, "/logs"}));
  EXPECT_NE(ReadBytes(IniPath()).find("Language=7\r\n"), std::string::npos);
  const std::string usMenu = S(form_->Action(CommandId::Open)->text());
  Choose(kEnglishGb);
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings(), (TMainSettings{2, "/logs"}));
  EXPECT_EQ(S(form_->Action(CommandId::Open)->text()), usMenu);
  EXPECT_EQ(i18n::CurrentBlock(), i18n::LanguageBlock::English);
  EXPECT_EQ(Checked(), std::vector<int>{kEnglishGb});
}

TEST_F(MainLanguageTest, WithoutAStoreGermanKeepsTheDesignCaptionsAndSwitchesStillWork) {
  Create([]() -> std::unique_ptr<TIniSettings> { throw Error("cannot"); });
  Show();
  EXPECT_EQ(S(form_->Menu(MenuId::File)->title()), "&Datei");
  EXPECT_EQ(S(form_->Action(CommandId::Open)->text()), "&Öffnen");
  EXPECT_EQ(S(form_->Action(CommandId::TileHorizontal)->text()), "Ü&bereinander");
  EXPECT_EQ(Checked(), std::vector<int>{kGerman});
  Choose(kEnglishGb);
  EXPECT_EQ(S(form_->Menu(MenuId::File)->title()), "&File");
  EXPECT_EQ(S(form_->Action(CommandId::Open)->text()), "&Open");
  EXPECT_EQ(S(form_->ActiveChild()->windowTitle()), "New");
  Choose(kGerman);
  EXPECT_EQ(S(form_->Action(CommandId::Open)->text()), "&Öffnen");
  EXPECT_EQ(dialogs_.Messages().size(), 1u);  // the start-up message only
}

TEST_F(MainLanguageTest, EverySwitchReTextsEveryOpenWindow) {
  Start();
  Open(kMay31);
  Open(kJune1);
  form_->Action(CommandId::Close)->trigger();
  Settle();
  form_->Action(CommandId::Close)->trigger();
  Settle();
  ASSERT_EQ(form_->WindowCount(), 0);
  Open(kMay31);
  Open(kJune1);
  Choose(kFrench);
  for (const std::string& caption : Captions()) EXPECT_EQ(caption.rfind("Analyse du ", 0), 0u) << caption;
  // Dates shown from now on name the months in the new language.
  Open(kJune2);
  EXPECT_EQ(S(form_->ActiveChild()->windowTitle()), "Analyse du 02. juin 2024.");
}

TEST_F(MainLanguageTest, QtsOwnTextsFollowTheLanguage) {
  Start();
  Choose(kFrench);
  EXPECT_EQ(S(QCoreApplication::translate("QPlatformTheme", "Cancel")), "Annuler");
  Choose(kEnglishGb);
  EXPECT_EQ(S(QCoreApplication::translate("QPlatformTheme", "Cancel")), "Cancel");
  Choose(kGerman);
  EXPECT_EQ(S(QCoreApplication::translate("QPlatformTheme", "Cancel")), "Abbrechen");
}

TEST_F(MainLanguageTest, EveryMenuHasUniqueAccessKeysInEveryLanguage) {
  Start();
  for (std::size_t language = 0; language < kLanguageChoices.size(); ++language) {
    Choose(static_cast<int>(language));
    std::vector<QList<QAction*>> lists{form_->menuBar()->actions()};
    for (QMenu* menu : {form_->Menu(MenuId::File), form_->Menu(MenuId::Settings), form_->Menu(MenuId::Language),
                        form_->Menu(MenuId::Window), form_->Menu(MenuId::Help)}) {
      lists.push_back(menu->actions());
    }
    for (const QList<QAction*>& actions : lists) {
      std::set<std::string> keys;
      for (const QAction* action : actions) {
        // Hidden items (recent files not yet filled) cannot be chosen.
        if (action->isSeparator() || !action->isVisible()) continue;
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        EXPECT_FALSE(key.isEmpty()) << S(action->text()) << " in language " << language;
        EXPECT_TRUE(keys.insert(S(key.toString())).second) << S(action->text()) << " in language " << language;
      }
    }
  }
}

// A screen reader names every control that the keyboard reaches, in every
// language: of the main window, an evaluation window with curves and the
// settings, multi-day and about dialogs.
TEST_F(MainLanguageTest, EveryFocusableControlHasAnAccessibleNameInEveryLanguage) {
  Start();
  Open(kMay31);
  form_->ActiveChild()->findChild<QCheckBox*>("CB_T1")->setChecked(true);
  Settle();
  const std::vector<QWidget*> tops = {form_.get(), &form_->SettingsDialog(), &form_->MultiDayDialog(),
                                      &form_->AboutDialog()};
  for (std::size_t language = 0; language < kLanguageChoices.size(); ++language) {
    Choose(static_cast<int>(language));
    // The settings dialog puts its texts on as it is shown.
    form_->SettingsDialog().FormShow();
    for (QWidget* top : tops) {
      for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(top)) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).trimmed().isEmpty())
            << S(widget->metaObject()->className()) << " " << S(widget->objectName()) << " in language " << language;
      }
    }
  }
  // The charts say what they show.
  const QWidget* chart = form_->ActiveChild()->findChild<QWidget*>("Chart");
  EXPECT_NE(S(chart->accessibleDescription()).find(S(form_->ActiveChild()->findChild<QCheckBox*>("CB_T1")->text())),
            std::string::npos)
      << S(chart->accessibleDescription());
}

TEST_F(MainLanguageTest, EveryShortcutHasOneOwner) {
  Start();
  Open(kMay30);
  Open(kMay31);
  std::map<std::string, int> owners;
  for (const QAction* action : form_->findChildren<QAction*>()) {
    for (const QKeySequence& key : action->shortcuts()) ++owners[S(key.toString())];
  }
  for (const auto& [key, count] : owners) EXPECT_EQ(count, 1) << key;
  EXPECT_EQ(owners.count(S(QKeySequence(Qt::CTRL | Qt::Key_W).toString())), 1u);
  EXPECT_EQ(owners.count(S(QKeySequence(Qt::CTRL | Qt::Key_F4).toString())), 1u);
}

TEST_F(MainLanguageTest, WindowMenuListsTheWindowsWithTheActiveOneChecked) {
  Start();
  Open(kMay30);
  Open(kMay31);
  form_->UpdateWindowMenu();
  std::vector<QAction*> entries;
  for (QAction* action : form_->Menu(MenuId::Window)->actions()) {
    if (action->isCheckable()) entries.push_back(action);
  }
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(S(entries[0]->text()), "&1 " + CaptionFor(kMay30));
  EXPECT_FALSE(entries[0]->isChecked());
  EXPECT_TRUE(entries[1]->isChecked());
  entries[0]->trigger();
  Settle();
  EXPECT_EQ(S(form_->ActiveChild()->windowTitle()), CaptionFor(kMay30));
  form_->UpdateWindowMenu();  // rebuilt, not added to
  int count = 0;
  for (QAction* action : form_->Menu(MenuId::Window)->actions()) count += action->isCheckable();
  EXPECT_EQ(count, 2);
}

TEST_F(MainLanguageTest, TilingKeepsEveryWindowWhollyVisibleAndAtLeastItsMinimum) {
  for (const QSize size : {QSize(1280, 800), QSize(934, 648), QSize(1366, 700)}) {
    Start();
    form_->resize(size);
    Open(kMay30);
    Open(kMay31);
    Open(kJune1);
    form_->Action(CommandId::TileHorizontal)->trigger();
    Settle();
    const QRect area = form_->MdiArea()->viewport()->rect();
    for (QMdiSubWindow* sub : form_->MdiArea()->subWindowList()) {
      EXPECT_TRUE(area.contains(sub->geometry())) << size.height();
      EXPECT_GE(sub->height(), sub->minimumSizeHint().height()) << size.height();
    }
    // Each upper chart keeps a usable height: no slivers without axis numbers.
    for (const ui::TChildform* child : form_->Children()) {
      EXPECT_GE(child->UpperChartHeight(), kUsableUpperChartHeight) << size.width() << "x" << size.height();
    }
    form_.reset();
  }
}

TEST_F(MainLanguageTest, SavedDefaultsAreOfferedToTheOpenWindows) {
  Start();
  Open(kMay31);
  Open(kJune1);
  AnswerSettingsWithHeading("Roof");
  dialogs_.AnswerMessage(MessageAnswer::Yes);
  form_->Action(CommandId::DefaultSettings)->trigger();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{i18n::Text(82)});
  EXPECT_EQ(dialogs_.Messages()[0].caption, i18n::Text(50));
  for (const ui::TChildform* child : form_->Children()) EXPECT_EQ(child->Settings().ChartTitle, "Roof");
  EXPECT_NE(ReadBytes(IniPath()).find("ChartTitle=Roof\r\n"), std::string::npos);
}

TEST_F(MainLanguageTest, NoLeavesTheOpenWindowsAsTheyAre) {
  Start();
  AnswerSettingsWithHeading("Roof");
  dialogs_.AnswerMessage(MessageAnswer::No);
  form_->Action(CommandId::DefaultSettings)->trigger();
  EXPECT_EQ(form_->ActiveChild()->Settings().ChartTitle, "");
  EXPECT_EQ(form_->SettingsStore()->GetChildSettings().ChartTitle, "Roof");
}

TEST_F(MainLanguageTest, DefaultsThatCannotBeWrittenAreKeptInMemoryAndSaidSo) {
  Create(UnwritableStore());
  Show();
  AnswerSettingsWithHeading("Roof");
  dialogs_.AnswerMessage(MessageAnswer::Yes);
  form_->Action(CommandId::DefaultSettings)->trigger();
  // The write fails once; then the store is known not to be writable.
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{i18n::Text(95), i18n::Text(i18n::kTextSettingsNotSaved)}));
  EXPECT_EQ(form_->ActiveChild()->Settings().ChartTitle, "Roof");
  AnswerSettingsWithHeading("Attic");
  form_->Action(CommandId::DefaultSettings)->trigger();
  EXPECT_EQ(MessageTexts().back(), i18n::Text(i18n::kTextSettingsNotSaved));
  EXPECT_EQ(MessageTexts().size(), 3u);
  // New windows take them until the program ends.
  Open(kMay31);
  Open(kJune1);
  EXPECT_EQ(form_->ActiveChild()->Settings().ChartTitle, "Attic");
  EXPECT_FALSE(fs::exists(IniPath()));
}

TEST_F(MainLanguageTest, CurrentWindowRunsTheWindowsOwnSettingsCommand) {
  Start();
  AnswerSettingsWithHeading("Roof");
  dialogs_.AnswerMessage(MessageAnswer::No);
  form_->Action(CommandId::WindowSettings)->trigger();
  EXPECT_EQ(form_->ActiveChild()->Settings().ChartTitle, "Roof");
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{i18n::Text(81)});
  EXPECT_EQ(form_->SettingsStore()->GetChildSettings().ChartTitle, "");
}

TEST_F(MainLanguageTest, InfoShowsTheAboutBox) {
  Start();
  Choose(kEnglishGb);
  std::string caption;
  WhenShown<ui::TDialogAbout>([&caption](ui::TDialogAbout& shown) {
    caption = S(shown.windowTitle());
    shown.accept();
  });
  form_->Action(CommandId::About)->trigger();
  EXPECT_EQ(caption, "Info: Marlo Calorix 1");
}

}  // namespace
}  // namespace calorix::app
