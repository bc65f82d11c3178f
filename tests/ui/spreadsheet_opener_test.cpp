#include "ui/spreadsheet_opener.h"

#include <gtest/gtest.h>

#include "dialogs/recording_launcher.h"
#include "settings/ini_settings.h"
#include "ui_test_support.h"

namespace calorix::ui {
namespace {

using Call = RecordingLauncher::Call;
using testing::TempFolder;

class SpreadsheetTest : public ::testing::Test, public testing::EnglishTexts {
 protected:
  SpreadsheetTest() : store(folder.Path() / "Calorix.ini", folder.Path().string()) {
    workbook = folder.Write("20240531.xlsx", "PK");
  }
  // The search of the Linux build; WindowsSpreadsheetTest has Windows'.
  void Open() { OpenInSpreadsheet(workbook, dialogs, launcher, &store, nullptr, LinuxSpreadsheetSearch()); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : dialogs.Messages()) texts.push_back(m.text);
    return texts;
  }

  TempFolder folder;
  std::filesystem::path workbook;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  TIniSettings store;
};

TEST_F(SpreadsheetTest, CalcOpensTheWorkbookInEveryLanguage) {
  launcher.Install("soffice", "/usr/bin/soffice");
  launcher.WillStart("/usr/bin/soffice");
  for (const int language : {1, 2, 7}) {
    store.SetMainSettings(language, "");
    Open();
    ASSERT_FALSE(launcher.Calls().empty());
    EXPECT_EQ(launcher.Calls().back(), (Call{"start", "/usr/bin/soffice", {"--calc", workbook.string()}}));
  }
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(SpreadsheetTest, WithoutCalcTheStoredProgramThenTheDesktopAreTried) {
  store.SetExcelPath("/opt/sheet");
  launcher.DesktopOpens(true);
  Open();
  EXPECT_EQ(launcher.Calls(), (std::vector<Call>{{"find", "soffice", {}},
                                                 {"find", "libreoffice", {}},
                                                 {"start", "/opt/sheet", {workbook.string()}},
                                                 {"desktop", workbook.string(), {}}}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(SpreadsheetTest, AnEnglishInterfaceGivesOtherProgramsTheSameWorkbook) {
  store.SetMainSettings(7, "");
  launcher.DesktopOpens(true);
  Open();
  EXPECT_EQ(launcher.Calls().back(), (Call{"desktop", workbook.string(), {}}));
}

TEST_F(SpreadsheetTest, APickedProgramIsStoredOnlyWhenItStarts) {
  dialogs.ChooseFile("/opt/broken");
  Open();
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Excel.exe could not be found, please select the path to Excel manually.",
                                      "Excel start-up failed. The file must be opened manually."}));
  EXPECT_EQ(dialogs.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(dialogs.Messages()[0].caption, "Information:");
  EXPECT_EQ(dialogs.Messages()[1].caption, "Error:");
  EXPECT_EQ(store.GetExcelPath(), "");

  launcher.WillStart("/opt/good");
  dialogs.ChooseFile("/opt/good");
  Open();
  EXPECT_EQ(launcher.Calls().back(), (Call{"start", "/opt/good", {workbook.string()}}));
  EXPECT_EQ(store.GetExcelPath(), "/opt/good");
}

TEST_F(SpreadsheetTest, CancellingThePickEndsWithoutAnotherMessage) {
  dialogs.CancelFile();
  Open();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.FileRequests().at(0).openMode, true);
}

// The Windows search, run here with the recording launcher (and under Wine
// with the real shell and registry, tests/windows).
class WindowsSpreadsheetTest : public SpreadsheetTest {
 protected:
  void Open() { OpenInSpreadsheet(workbook, dialogs, launcher, &store, nullptr, WindowsSpreadsheetSearch()); }
};

TEST_F(WindowsSpreadsheetTest, ShellThenRegistryThenStoredThenLibreOfficeThenTheChooser) {
  store.SetExcelPath("C:\\Tools\\sheet.exe");
  dialogs.CancelFile();
  Open();
  EXPECT_EQ(launcher.Calls(), (std::vector<Call>{{"shell", "Excel.exe", {workbook.string()}},
                                                 {"registry", "Excel.exe", {}},
                                                 {"start", "C:\\Tools\\sheet.exe", {workbook.string()}},
                                                 {"registry", "soffice.exe", {}}}));
  EXPECT_EQ(Texts(),
            (std::vector<std::string>{"Excel.exe could not be found, please select the path to Excel manually."}));
  ASSERT_EQ(dialogs.FileRequests().size(), 1u);
  EXPECT_EQ(dialogs.FileRequests()[0].fileName, "Excel.exe");
  EXPECT_EQ(dialogs.FileRequests()[0].defaultExtension, "*.exe");
}

TEST_F(WindowsSpreadsheetTest, ExcelOfTheRegistryOpensWhenTheShellDoesNotFindIt) {
  launcher.Register("Excel.exe", "D:\\Office\\Excel.exe");
  launcher.WillStart("D:\\Office\\Excel.exe");
  Open();
  EXPECT_EQ(launcher.Calls().back(), (Call{"shell", "D:\\Office\\Excel.exe", {workbook.string()}}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(WindowsSpreadsheetTest, LibreOfficeOfTheRegistryOpensTheWorkbookBeforeTheUserIsAsked) {
  launcher.Register("soffice.exe", "C:\\LibreOffice\\program\\soffice.exe");
  launcher.WillStart("C:\\LibreOffice\\program\\soffice.exe");
  Open();
  EXPECT_EQ(launcher.Calls().back(),
            (Call{"start", "C:\\LibreOffice\\program\\soffice.exe", {"--calc", workbook.string()}}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(WindowsSpreadsheetTest, TheFilesAssociationIsTheLastResortAfterAPickedProgramFailed) {
  dialogs.ChooseFile("C:\\broken.exe");
  launcher.DesktopOpens(true);
  Open();
  EXPECT_EQ(launcher.Calls().back(), (Call{"desktop", workbook.string(), {}}));
  EXPECT_EQ(dialogs.Messages().size(), 1u);  // text 99 only, no failure
  EXPECT_EQ(store.GetExcelPath(), "");
}

}  // namespace
}  // namespace calorix::ui
