#include "main_form_fixture.h"
#include "chartview/chart_view.h"
#include "support/test_platform.h"
#include "support/day_file_text.h"

namespace calorix::app {
namespace {

using namespace testing;  // NOLINT: the fixture and its sample files
using calorix::testing::ReadBytes;
using calorix::testing::WriteBytes;

TEST_F(MainFormTest, StartsInGermanWithTheProgramTitle) {
  Create();
  EXPECT_EQ(i18n::CurrentBlock(), i18n::LanguageBlock::German);
  EXPECT_EQ(form_->windowTitle().toStdString(), "Marlo Calorix 1");
  EXPECT_NE(form_->SettingsStore(), nullptr);
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(MainFormTest, FirstActivationOpensOneEmptyMaximisedWindow) {
  Start();
  ASSERT_EQ(form_->WindowCount(), 1);
  ui::TChildform* child = form_->ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_FALSE(child->HasEvaluation());
  EXPECT_TRUE(form_->MdiArea()->subWindowList().first()->isMaximized());
  EXPECT_EQ(child->windowTitle().toStdString(), "Neu");
}

TEST_F(MainFormTest, LaterActivationsOpenNoFurtherWindow) {
  Start();
  form_->HandleFirstActivation();
  Settle();
  EXPECT_EQ(form_->WindowCount(), 1);
}

TEST_F(MainFormTest, NewWindowsTakeTheStoredDefaults) {
  WriteBytes(IniPath(), "[Child]\r\nLineWidth=7\r\nChartTitle=Anlage Nord\r\n");
  Start();
  ASSERT_NE(form_->ActiveChild(), nullptr);
  EXPECT_EQ(form_->ActiveChild()->Settings().LineWidth, 7);
  EXPECT_EQ(form_->ActiveChild()->Settings().ChartTitle, "Anlage Nord");
}

TEST_F(MainFormTest, WithoutAStoreTheBilingualMessageIsShownAndTheProgramGoesOn) {
  Create([]() -> std::unique_ptr<TIniSettings> { throw Error("cannot"); });
  EXPECT_EQ(form_->SettingsStore(), nullptr);
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  const auto& message = dialogs_.Messages()[0];
  EXPECT_EQ(message.kind, MessageKind::Error);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
  EXPECT_EQ(message.caption, "Fehler");
  EXPECT_EQ(message.text,
            "Access to INI file failed. Settings cannot be saved.\n\n"
            "Zugriff auf Ini-Datei fehlgeschlagen. Einstellungen können nicht gespeichert werden.");

  Show();
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_EQ(form_->ActiveChild()->Settings(), BuiltInChildSettings());

  Open(kMay31);
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
  EXPECT_EQ(dialogs_.FileRequests().back().initialFolder, HomeFolder());
  EXPECT_EQ(dialogs_.Messages().size(), 1u);
}

TEST_F(MainFormTest, FileLoadsIntoTheEmptyStartUpWindow) {
  Start();
  Open(kMay31);
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionFor(kMay31)});
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(MainFormTest, OpenAsksForALogFileInTheLastUsedFolder) {
  const std::string lastUsed = folder_.Path().string();
  WriteBytes(IniPath(), "[Main]\r\nLastUsedDir=" + lastUsed + "\r\n");
  Start();
  dialogs_.CancelFile();
  form_->Action(CommandId::Open)->trigger();
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
  const auto& request = dialogs_.FileRequests()[0];
  EXPECT_TRUE(request.openMode);
  EXPECT_EQ(request.fileName, "");
  EXPECT_EQ(request.filter, "Log-Dateien (*.csv)|*.csv|Alle Dateien (*.*)|*");
  EXPECT_EQ(request.defaultExtension, "CSV");
  EXPECT_EQ(request.initialFolder, lastUsed);
  EXPECT_EQ(request.owner, form_.get());
}

TEST_F(MainFormTest, LastUsedFolderThatIsGoneStartsTheDialogAtHome) {
  WriteBytes(IniPath(), "[Main]\r\nLastUsedDir=" + (folder_ / "gone").string() + "\r\n");
  Start();
  form_->Action(CommandId::Open)->trigger();
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
  EXPECT_EQ(dialogs_.FileRequests()[0].initialFolder, HomeFolder());
}

TEST_F(MainFormTest, WithNothingStoredTheFirstOpenStartsAtHome) {
  // The program's own store, in a fresh settings folder.
  {
    const calorix::testing::ScopedEnvironment settingsBase(calorix::testing::kSettingsBaseVariable,
                                                           folder_.Path().string());
    Create(CreateSettingsStore);
  }
  Show();
  form_->Action(CommandId::Open)->trigger();
  ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
  EXPECT_EQ(dialogs_.FileRequests()[0].initialFolder, HomeFolder());
}

TEST_F(MainFormTest, CancelledOpenChangesNothing) {
  Start();
  form_->Action(CommandId::Open)->trigger();
  Settle();
  EXPECT_FALSE(fs::exists(IniPath()));
  EXPECT_EQ(form_->WindowCount(), 1);
  EXPECT_FALSE(form_->ActiveChild()->HasEvaluation());
}

TEST_F(MainFormTest, ChosenFilesFolderIsStoredWithTheLanguageUnchanged) {
  WriteBytes(IniPath(), "[Main]\r\nLanguage=3\r\n");
  Start();
  Open(kMay31);
  const std::string folder = (kSamples / "2024" / "05").string();
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings(), (TMainSettings{3, folder}));
  const std::string content = ReadBytes(IniPath());
  EXPECT_NE(content.find("LastUsedDir=" + folder + "\r\n"), std::string::npos) << content;
  EXPECT_NE(content.find("Language=3\r\n"), std::string::npos) << content;
}

TEST_F(MainFormTest, FailedWriteOfTheFolderStillOpensTheFileThenReportsOnce) {
  // The first access loads the file; every later one fails.
  auto accesses = std::make_shared<int>(0);
  Create([this, accesses] {
    return std::make_unique<TIniSettings>(IniPath(), "/opt/calorix/",
                                          [accesses](const fs::path& path) -> std::unique_ptr<ProfileAccess> {
                                            if ((*accesses)++ == 0) return OpenProfileFile(path);
                                            return nullptr;
                                          });
  });
  Show();
  Open(kMay31);
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(dialogs_.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(dialogs_.Messages()[0].caption, "Fehler");
  EXPECT_EQ(dialogs_.Messages()[0].text, i18n::TextOf(i18n::LanguageBlock::German, 95));
  EXPECT_EQ(form_->WindowCount(), 1);
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
}

TEST_F(MainFormTest, OpeningWithNoWindowCreatesOne) {
  Start();
  form_->Action(CommandId::Close)->trigger();
  Settle();
  ASSERT_EQ(form_->WindowCount(), 0);
  Open(kMay31);
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
}

TEST_F(MainFormTest, FileBesideAFullWindowGoesIntoANewOne) {
  Start();
  Open(kMay30);
  Open(kMay31);
  ASSERT_EQ(form_->WindowCount(), 2);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionFor(kMay30), CaptionFor(kMay31)}));
  EXPECT_EQ(form_->ActiveChild(), form_->Children()[1]);
}

TEST_F(MainFormTest, ThreeWindowsWithAnEmptyActiveOneTakeTheFileWithoutAQuestion) {
  Start();
  Open(kMay30);
  Open(kMay31);
  Open(badFile_.string());  // a third window, left empty by the failed load
  ASSERT_EQ(form_->WindowCount(), 3);
  ASSERT_FALSE(form_->ActiveChild()->HasEvaluation());
  Open(kJune1);
  EXPECT_EQ(form_->WindowCount(), 3);
  EXPECT_EQ(QuestionsAsked(), 0);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionFor(kMay30), CaptionFor(kMay31), CaptionFor(kJune1)}));
}

TEST_F(MainFormTest, ThreeFullWindowsAskAndNoChangesNothing) {
  Start();
  Open(kMay30);
  Open(kMay31);
  Open(kJune1);
  const std::vector<std::string> before = Captions();
  ui::TChildform* active = form_->ActiveChild();
  dialogs_.AnswerMessage(MessageAnswer::No);
  Open(kJune2);
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  const auto& question = dialogs_.Messages()[0];
  EXPECT_EQ(question.kind, MessageKind::Warning);
  EXPECT_EQ(question.buttons, MessageButtons::YesNo);
  EXPECT_EQ(question.caption, "Warnung");
  EXPECT_EQ(question.text, i18n::TextOf(i18n::LanguageBlock::German, kTextMaximumReached));
  EXPECT_EQ(form_->WindowCount(), 3);
  EXPECT_EQ(Captions(), before);
  EXPECT_EQ(form_->ActiveChild(), active);
}

TEST_F(MainFormTest, ThreeFullWindowsYesReplacesTheActiveOne) {
  Start();
  Open(kMay30);
  Open(kMay31);
  Open(kJune1);
  dialogs_.AnswerMessage(MessageAnswer::Yes);
  Open(kJune2);
  EXPECT_EQ(QuestionsAsked(), 1);
  EXPECT_EQ(form_->WindowCount(), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionFor(kMay30), CaptionFor(kMay31), CaptionFor(kJune2)}));
}

TEST_F(MainFormTest, FailedFileLeavesTheWindowNewAndShowsTheError) {
  Start();
  i18n::SetCurrentBlock(i18n::LanguageBlock::English);
  Open(kMay31);
  Open(badFile_.string());
  ASSERT_EQ(form_->WindowCount(), 2);
  EXPECT_EQ(form_->ActiveChild()->windowTitle().toStdString(), "New");
  EXPECT_FALSE(form_->ActiveChild()->HasEvaluation());
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(dialogs_.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(dialogs_.Messages()[0].caption, "Error");
  EXPECT_EQ(dialogs_.Messages()[0].text, "The file you specified is not a valid log file.\n\n" + badFile_.string());
}

TEST_F(MainFormTest, WindowCommandsNeedAWindow) {
  Create();
  form_->UpdateActions();
  EXPECT_TRUE(form_->Action(CommandId::Open)->isEnabled());
  EXPECT_TRUE(form_->Action(CommandId::Exit)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::Close)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::Cascade)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::TileHorizontal)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::MinimizeAll)->isEnabled());

  Show();
  EXPECT_TRUE(form_->Action(CommandId::Close)->isEnabled());
  EXPECT_TRUE(form_->Action(CommandId::Cascade)->isEnabled());
  EXPECT_TRUE(form_->Action(CommandId::TileHorizontal)->isEnabled());
  EXPECT_TRUE(form_->Action(CommandId::MinimizeAll)->isEnabled());

  form_->Action(CommandId::Close)->trigger();
  Settle();
  EXPECT_EQ(form_->WindowCount(), 0);
  EXPECT_FALSE(form_->Action(CommandId::Close)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::Cascade)->isEnabled());
}

TEST_F(MainFormTest, WindowClosedByItsOwnButtonUpdatesTheCommands) {
  Start();
  form_->MdiArea()->subWindowList().first()->close();
  Settle();
  EXPECT_EQ(form_->WindowCount(), 0);
  EXPECT_FALSE(form_->Action(CommandId::Close)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::MinimizeAll)->isEnabled());
}

TEST_F(MainFormTest, ShortcutsAndCaptionsOfTheCommands) {
  Create();
  EXPECT_EQ(form_->Action(CommandId::Open)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Open));
  // Ctrl+F4 closes the active window also where the platform's Close key
  // is Ctrl+W alone.
  const QList<QKeySequence> closeKeys = form_->Action(CommandId::Close)->shortcuts();
  for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close)) EXPECT_TRUE(closeKeys.contains(key));
  EXPECT_TRUE(closeKeys.contains(QKeySequence("Ctrl+F4")));
  EXPECT_EQ(form_->Action(CommandId::Exit)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Quit));
  EXPECT_EQ(form_->Action(CommandId::MultiDayAnalysis)->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(form_->Action(CommandId::MultiDayAnalysis)->text().toStdString(), "&Mehrtägige Auswertung");
  EXPECT_EQ(form_->Action(CommandId::Open)->text().toStdString(), "&Öffnen");
  EXPECT_EQ(form_->Action(CommandId::TileHorizontal)->text().toStdString(), "Ü&bereinander");
}

TEST_F(MainFormTest, SaveAndPrintNeedCurvesInTheActiveWindow) {
  Start();
  Open(kMay31);
  EXPECT_FALSE(form_->Action(CommandId::Save)->isEnabled());
  EXPECT_FALSE(form_->Action(CommandId::Print)->isEnabled());
  form_->ActiveChild()->findChild<QCheckBox*>("CB_T1")->setChecked(true);
  Settle();
  EXPECT_TRUE(form_->Action(CommandId::Save)->isEnabled());
  EXPECT_TRUE(form_->Action(CommandId::Print)->isEnabled());
  EXPECT_EQ(form_->Action(CommandId::Save)->shortcut(), QKeySequence(QKeySequence::Save));
  EXPECT_EQ(form_->Action(CommandId::Print)->shortcut(), QKeySequence(QKeySequence::Print));
  const fs::path image = folder_ / "chart.png";
  dialogs_.ChooseFile(image.string());
  form_->Action(CommandId::Save)->trigger();
  EXPECT_TRUE(fs::exists(image));
  form_->Action(CommandId::Print)->trigger();
  EXPECT_EQ(dialogs_.PrintRequests(), 1);
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(MainFormTest, CloseClosesTheActiveWindowOnly) {
  Start();
  Open(kMay30);
  Open(kMay31);
  form_->Action(CommandId::Close)->trigger();
  Settle();
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionFor(kMay30)});
}

TEST_F(MainFormTest, TileStacksTheWindowsAcrossTheFullWidth) {
  Start();
  Open(kMay30);
  Open(kMay31);
  Open(kJune1);
  form_->Action(CommandId::TileHorizontal)->trigger();
  Settle();
  const int width = form_->MdiArea()->viewport()->width();
  std::vector<int> tops;
  for (QMdiSubWindow* sub : form_->MdiArea()->subWindowList(QMdiArea::StackingOrder)) {
    EXPECT_FALSE(sub->isMaximized());
    EXPECT_EQ(sub->x(), 0);
    EXPECT_EQ(sub->width(), width);
    tops.push_back(sub->y());
  }
  // The front window, the one opened last, lies on top.
  EXPECT_EQ(form_->MdiArea()->activeSubWindow()->y(), 0);
  std::sort(tops.begin(), tops.end());
  EXPECT_EQ(tops.size(), 3u);
  EXPECT_LT(tops[0], tops[1]);
  EXPECT_LT(tops[1], tops[2]);
}

// A day file that grows while it is shown: Reload (F5) reads it again and
// the window shows what it showed, with the new records, without a word.
TEST_F(MainFormTest, ReloadReadsTheGrownFileAndKeepsTheTickedChannels) {
  const fs::path day = folder_ / "grow" / "20240531.csv";
  fs::create_directories(day.parent_path());
  std::vector<std::string> records = {"00:00;20,0;30,0;;;;;;1,0;2,0;0;0;0;0", "00:01;21,0;31,0;;;;;;1,0;2,0;0;0;0;0"};
  WriteBytes(day, calorix::testing::DayFileText("2024-05-31", records));
  Start();
  Open(day.string());
  form_->ActiveChild()->findChild<QCheckBox*>("CB_T2")->setChecked(true);
  Settle();
  const QAction* reload = form_->Action(CommandId::Reload);
  EXPECT_TRUE(reload->isEnabled());
  EXPECT_TRUE(reload->shortcuts().contains(QKeySequence(Qt::Key_F5)));
  const chart::ChartPanel& upper = form_->ActiveChild()->findChild<chartview::ChartView*>("Chart")->Panel();
  ASSERT_EQ(upper.SeriesCount(), 1u);
  EXPECT_EQ(upper.Series().front()->Count(), 2u);

  records.push_back("00:02;22,0;32,0;;;;;;1,0;2,0;0;0;0;0");
  WriteBytes(day, calorix::testing::DayFileText("2024-05-31", records));
  form_->Action(CommandId::Reload)->trigger();
  Settle();
  EXPECT_TRUE(form_->ActiveChild()->findChild<QCheckBox*>("CB_T2")->isChecked());
  ASSERT_EQ(upper.SeriesCount(), 1u);
  EXPECT_EQ(upper.Series().front()->Count(), 3u);
  // Nothing changed: nothing said either.
  form_->Action(CommandId::Reload)->trigger();
  Settle();
  EXPECT_EQ(upper.Series().front()->Count(), 3u);
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_EQ(form_->WindowCount(), 1);
}

// Opening what a window shows brings that window up, read again, instead
// of a second window with the same title.
TEST_F(MainFormTest, OpeningAFileAWindowShowsReloadsThatWindow) {
  Start();
  Open(kMay30);
  form_->ActiveChild()->findChild<QCheckBox*>("CB_T1")->setChecked(true);
  Open(kMay31);
  Open(kMay30);
  EXPECT_EQ(form_->WindowCount(), 2);
  EXPECT_EQ(form_->ActiveChild()->windowTitle().toStdString(), CaptionFor(kMay30));
  EXPECT_TRUE(form_->ActiveChild()->findChild<QCheckBox*>("CB_T1")->isChecked());
  Open(kMay1);
  Open(kMay31);
  EXPECT_EQ(form_->WindowCount(), 3);
  EXPECT_EQ(QuestionsAsked(), 0);
  EXPECT_EQ(form_->ActiveChild()->windowTitle().toStdString(), CaptionFor(kMay31));
}

TEST_F(MainFormTest, MinimiseAllAndCascade) {
  Start();
  Open(kMay30);
  Open(kMay31);
  form_->Action(CommandId::MinimizeAll)->trigger();
  Settle();
  for (QMdiSubWindow* sub : form_->MdiArea()->subWindowList()) EXPECT_TRUE(sub->isMinimized());
  form_->Action(CommandId::Cascade)->trigger();
  Settle();
  EXPECT_EQ(form_->WindowCount(), 2);
}

// A minimised title bar has room for a few words: the dates come first.
TEST_F(MainFormTest, MinimisedWindowsShowTheirDatesFirst) {
  Start();
  Open(kMay31);
  QMdiSubWindow* sub = form_->MdiArea()->subWindowList().first();
  const std::string caption = CaptionFor(kMay31);
  form_->Action(CommandId::MinimizeAll)->trigger();
  Settle();
  const std::string date = form_->ActiveChild()->windowIconText().toStdString();
  EXPECT_FALSE(date.empty());
  EXPECT_NE(caption.find(date), std::string::npos) << caption;
  EXPECT_EQ(sub->windowTitle().toStdString(), date);
  sub->showNormal();
  Settle();
  EXPECT_EQ(sub->windowTitle().toStdString(), caption);
}

TEST_F(MainFormTest, MinimisedEmptyWindowIsRestoredForTheFile) {
  Start();
  form_->Action(CommandId::MinimizeAll)->trigger();
  Settle();
  Open(kMay31);
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_FALSE(form_->MdiArea()->subWindowList().first()->isMinimized());
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
}

TEST_F(MainFormTest, ExitClosesEveryWindowAndTheStoreWithoutWriting) {
  Start();
  Open(kMay30);
  Open(kMay31);
  Open(kJune1);
  const std::string before = ReadBytes(IniPath());
  const auto written = fs::last_write_time(IniPath());
  form_->Action(CommandId::Exit)->trigger();
  Settle();
  EXPECT_EQ(form_->WindowCount(), 0);
  EXPECT_EQ(form_->SettingsStore(), nullptr);
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(ReadBytes(IniPath()), before);
  EXPECT_EQ(fs::last_write_time(IniPath()), written);
}

TEST_F(MainFormTest, CommandLineFilesOpenLikeOpen) {
  Create();
  form_->OpenFiles({kMay30, kMay31});
  Settle();
  ASSERT_EQ(form_->WindowCount(), 2);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionFor(kMay30), CaptionFor(kMay31)}));
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_TRUE(dialogs_.FileRequests().empty());
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings().LastUsedDir, (kSamples / "2024" / "05").string());
  // The start-up window was made for the first file; showing and
  // activating the main window afterwards adds none.
  Show();
  EXPECT_EQ(form_->WindowCount(), 2);
}

TEST_F(MainFormTest, FourthCommandLineFileAsksAsOpenDoes) {
  Create();
  form_->show();
  dialogs_.AnswerMessage(MessageAnswer::Yes);
  form_->OpenFiles({kMay30, kMay31, kJune1, kJune2});
  Settle();
  EXPECT_EQ(QuestionsAsked(), 1);
  EXPECT_EQ(form_->WindowCount(), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{CaptionFor(kMay30), CaptionFor(kMay31), CaptionFor(kJune2)}));
}

TEST_F(MainFormTest, BadCommandLineFileIsReportedAndTheNextOneStillOpens) {
  Create();
  form_->show();
  form_->OpenFiles({badFile_.string(), kMay31});
  Settle();
  ASSERT_EQ(dialogs_.Messages().size(), 1u);
  EXPECT_EQ(dialogs_.Messages()[0].text, i18n::TextOf(i18n::LanguageBlock::German, 86) + "\n\n" + badFile_.string());
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionFor(kMay31)});
}

TEST_F(MainFormTest, MultiDayCommandIsEnabledInTheFileMenuAndTheToolBar) {
  Create();
  QAction* multiDay = form_->Action(CommandId::MultiDayAnalysis);
  EXPECT_TRUE(multiDay->isEnabled());
  const QList<QAction*> file = form_->menuBar()->actions().first()->menu()->actions();
  ASSERT_GE(file.size(), 2);
  EXPECT_EQ(file[0], form_->Action(CommandId::Open));
  EXPECT_EQ(file[1], multiDay);
  const QList<QAction*> bar = form_->findChild<QToolBar*>()->actions();
  EXPECT_EQ(bar.indexOf(multiDay), bar.indexOf(form_->Action(CommandId::Open)) + 1);
}

TEST_F(MainFormTest, MultiDayAnalysisOfAMonthGoesIntoTheStartUpWindow) {
  const std::string lastUsed = (kSamples / "2024" / "05").string();
  WriteBytes(IniPath(), "[Main]\r\nLanguage=2\r\nLastUsedDir=" + lastUsed + "\r\n");
  Start();
  std::string startFolder;
  RunMultiDay([&](ui::TDialogMultiDayAnalysis& dialog) {
    startFolder = dialog.findChild<QLineEdit*>("PathFrom")->text().toStdString();
    Analyse(dialog, kMay1, Sample("2024/05/20240531.csv"));
    dialog.findChild<QPushButton*>("OkBtn")->click();
  });
  EXPECT_EQ(startFolder, lastUsed);
  ASSERT_EQ(form_->WindowCount(), 1);
  // The stored language (English) is in force.
  EXPECT_EQ(Captions(), std::vector<std::string>{"Analysis from 01.05.2024 to 31.05.2024. (31 files found)"});
  EXPECT_TRUE(dialogs_.Messages().empty());
  // The typed paths leave the remembered folder where it was, not a level up.
  const std::string content = ReadBytes(IniPath());
  EXPECT_NE(content.find("LastUsedDir=" + lastUsed + "\r\n"), std::string::npos) << content;
  EXPECT_NE(content.find("Language=2\r\n"), std::string::npos) << content;
}

// Beside a window that shows a day the range goes into a new window, which
// is the one in front when the dialog has closed.
TEST_F(MainFormTest, TheWindowThatReceivedARangeIsActiveAfterTheDialog) {
  Start();
  Open(kMay31);
  // The user works in the day's window: the focus is there.
  QApplication::setActiveWindow(form_.get());
  form_->ActiveChild()->findChild<QCheckBox*>()->setFocus();
  Settle();
  RunMultiDay([](ui::TDialogMultiDayAnalysis& dialog) {
    Analyse(dialog, kMay1, kMay31);
    dialog.findChild<QPushButton*>("OkBtn")->click();
  });
  // The frame is active again once the dialog has gone.
  QApplication::setActiveWindow(form_.get());
  Settle();
  ASSERT_EQ(form_->WindowCount(), 2);
  ASSERT_NE(form_->ActiveChild(), nullptr);
  EXPECT_EQ(form_->ActiveChild()->windowTitle().toStdString(),
            "Auswertung vom 01.05.2024 bis 31.05.2024. (31 Dateien gefunden)");
  EXPECT_EQ(form_->MdiArea()->activeSubWindow(), form_->MdiArea()->currentSubWindow());
}

TEST_F(MainFormTest, CancelledMultiDayAnalysisClosesTheWindowMadeForIt) {
  Start();
  Open(kMay31);
  RunMultiDay([](ui::TDialogMultiDayAnalysis&) {});
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionFor(kMay31)});

  // An empty start-up window chosen as the target goes the same way, and
  // nothing is remembered.
  Start();
  const std::string before = ReadBytes(IniPath());
  RunMultiDay([](ui::TDialogMultiDayAnalysis&) {});
  EXPECT_EQ(form_->WindowCount(), 0);
  EXPECT_EQ(ReadBytes(IniPath()), before);
}

TEST_F(MainFormTest, NoWindowClosesWhileARangeLoads) {
  Start();
  bool stillLoading = false;
  RunMultiDay([&](ui::TDialogMultiDayAnalysis& dialog) {
    auto* progress = dialog.findChild<QProgressBar*>("ProgressBar");
    QObject::connect(progress, &QProgressBar::valueChanged, &dialog, [&](int value) {
      if (value != 2) return;
      QApplication::postEvent(form_->MdiArea()->subWindowList().first(), new QCloseEvent);
      form_->close();
      form_->Action(CommandId::Close)->trigger();
      stillLoading = form_->IsLoading();
    });
    Analyse(dialog, kMay1, Sample("2024/05/20240510.csv"));
    dialog.findChild<QPushButton*>("OkBtn")->click();
  });
  EXPECT_TRUE(stillLoading);
  EXPECT_TRUE(form_->isVisible());
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_TRUE(form_->ActiveChild()->HasEvaluation());
  EXPECT_TRUE(dialogs_.Messages().empty());
}

TEST_F(MainFormTest, CommandLineRangeOpensLikeTheDialog) {
  Create();
  form_->show();
  form_->OpenRange(kMay30, kJune2);
  Settle();
  ASSERT_EQ(form_->WindowCount(), 1);
  EXPECT_EQ(Captions(), std::vector<std::string>{"Auswertung vom 30.05.2024 bis 02.06.2024. (4 Dateien gefunden)"});
  EXPECT_TRUE(dialogs_.Messages().empty());
  EXPECT_EQ(form_->SettingsStore()->GetMainSettings().LastUsedDir, (kSamples / "2024" / "05").string());
}

TEST_F(MainFormTest, CommandLineRangeErrorsAreShownAsTheDialogShowsThem) {
  Create();
  form_->show();
  form_->OpenRange(kJune2, kMay30);
  form_->OpenRange(kMay31, kMay31);
  Settle();
  ASSERT_EQ(dialogs_.Messages().size(), 2u);
  EXPECT_EQ(dialogs_.Messages()[0].text, i18n::TextOf(i18n::LanguageBlock::German, 92));
  EXPECT_EQ(dialogs_.Messages()[0].kind, MessageKind::Error);
  EXPECT_EQ(dialogs_.Messages()[1].text, i18n::TextOf(i18n::LanguageBlock::German, 93));
  EXPECT_EQ(dialogs_.Messages()[1].kind, MessageKind::Information);
  EXPECT_EQ(Captions(), std::vector<std::string>{CaptionFor(kMay31)});
}

}  // namespace
}  // namespace calorix::app
