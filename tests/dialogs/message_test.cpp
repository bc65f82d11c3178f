#include "dialogs/dialogs.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "dialog_driver.h"
#include "dialogs/qt_dialogs.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"

namespace calorix {
namespace {

using testing::WhenShown;

class MessageTest : public ::testing::Test {
 protected:
  void SetUp() override { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }
};

TEST_F(MessageTest, CaptionsAreTexts51To53And50) {
  EXPECT_EQ(MessageCaption(MessageKind::Error), i18n::Text(51));
  EXPECT_EQ(MessageCaption(MessageKind::Question), i18n::Text(50));
  EXPECT_EQ(MessageCaption(MessageKind::Warning), i18n::Text(52));
  EXPECT_EQ(MessageCaption(MessageKind::Information), i18n::Text(53));
  EXPECT_EQ(MessageCaption(MessageKind::Error), "Error");
}

TEST_F(MessageTest, EvaluationWindowCaptionsEndWithAColon) {
  EXPECT_EQ(MessageCaption(MessageKind::Question, CaptionStyle::Colon), "Question:");
  i18n::SetCurrentBlock(i18n::LanguageBlock::German);
  EXPECT_EQ(MessageCaption(MessageKind::Error, CaptionStyle::Colon), i18n::Text(51) + ":");
}

TEST_F(MessageTest, ErrorBoxHasErrorIconAndOk) {
  const auto box = CreateMessageBox(nullptr, MessageKind::Error, MessageButtons::Ok, "Error", "Bad");
  EXPECT_EQ(box->icon(), QMessageBox::Critical);
  EXPECT_EQ(box->windowTitle(), "Error");
  EXPECT_EQ(box->text(), "Bad");
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
}

TEST_F(MessageTest, QuestionBoxHasYesAndNoWithNoAsEscape) {
  QWidget owner;
  const auto box = CreateMessageBox(&owner, MessageKind::Question, MessageButtons::YesNo, "Frage", "Gr\u00fc\u00dfe?");
  EXPECT_EQ(box->icon(), QMessageBox::Question);
  EXPECT_EQ(box->text(), QString::fromUtf8("Gr\u00fc\u00dfe?"));
  EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
  EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::No));
  EXPECT_EQ(box->parentWidget(), &owner);
}

TEST_F(MessageTest, WarningAndInformationIcons) {
  EXPECT_EQ(CreateMessageBox(nullptr, MessageKind::Warning, MessageButtons::YesNo, "", "")->icon(),
            QMessageBox::Warning);
  EXPECT_EQ(CreateMessageBox(nullptr, MessageKind::Information, MessageButtons::Ok, "", "")->icon(),
            QMessageBox::Information);
}

TEST_F(MessageTest, AnswerOfTheButtonPressed) {
  EXPECT_EQ(AnswerOf(MessageButtons::YesNo, QMessageBox::Yes), MessageAnswer::Yes);
  EXPECT_EQ(AnswerOf(MessageButtons::YesNo, QMessageBox::No), MessageAnswer::No);
  EXPECT_EQ(AnswerOf(MessageButtons::YesNo, 0), MessageAnswer::No);
  EXPECT_EQ(AnswerOf(MessageButtons::Ok, QMessageBox::Ok), MessageAnswer::Ok);
}

TEST_F(MessageTest, QtQuestionAnswersTheButtonClicked) {
  QtDialogs dialogs;
  QString title;
  WhenShown<QMessageBox>([&title](QMessageBox& box) {
    title = box.windowTitle();
    box.button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(dialogs.AskQuestion(nullptr, "Save?", CaptionStyle::Colon));
  EXPECT_EQ(title, "Question:");
  WhenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::No)->click(); });
  EXPECT_FALSE(dialogs.AskWarning(nullptr, "Replace?"));
}

TEST_F(MessageTest, QtQuestionClosedOtherwiseAnswersNo) {
  WhenShown<QMessageBox>([](QMessageBox& box) { box.reject(); });
  EXPECT_FALSE(QtDialogs().AskQuestion(nullptr, "Save?"));
}

TEST_F(MessageTest, QtErrorBoxIsAnsweredOk) {
  QString title;
  WhenShown<QMessageBox>([&title](QMessageBox& box) {
    title = box.windowTitle();
    box.button(QMessageBox::Ok)->click();
  });
  QtDialogs().ShowError(nullptr, "Bad");
  EXPECT_EQ(title, "Error");
}

TEST_F(MessageTest, QtPrintDialogCancelledReturnsFalse) {
  WhenShown<QPrintDialog>([](QPrintDialog& dialog) { dialog.reject(); });
  QPrinter printer;
  EXPECT_FALSE(QtDialogs().ExecutePrintDialog(printer, nullptr));
}

TEST_F(MessageTest, ScriptedDialogsRecordMessagesWithTheirCaptions) {
  ScriptedDialogs dialogs;
  QWidget owner;
  dialogs.ShowError(&owner, "e");
  dialogs.ShowInformation(nullptr, "i", CaptionStyle::Colon);
  dialogs.AskQuestion(nullptr, "q");
  dialogs.AskWarning(nullptr, "w");
  const auto& messages = dialogs.Messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].owner, &owner);
  EXPECT_EQ(messages[0].kind, MessageKind::Error);
  EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(messages[0].caption, "Error");
  EXPECT_EQ(messages[0].text, "e");
  EXPECT_EQ(messages[1].kind, MessageKind::Information);
  EXPECT_EQ(messages[1].caption, "Information:");
  EXPECT_EQ(messages[2].kind, MessageKind::Question);
  EXPECT_EQ(messages[2].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages[3].kind, MessageKind::Warning);
  EXPECT_EQ(messages[3].caption, "Warning");
}

TEST_F(MessageTest, ScriptedAnswersAreUsedInOrderAndOkBoxesTakeNone) {
  ScriptedDialogs dialogs;
  dialogs.AnswerMessage(MessageAnswer::Yes);
  dialogs.AnswerMessage(MessageAnswer::No);
  dialogs.ShowError(nullptr, "first an error");
  EXPECT_TRUE(dialogs.AskQuestion(nullptr, "q1"));
  EXPECT_FALSE(dialogs.AskQuestion(nullptr, "q2"));
  EXPECT_TRUE(dialogs.ScriptUsedUp());
  EXPECT_FALSE(dialogs.AskWarning(nullptr, "unscripted"));
}

TEST_F(MessageTest, ScriptedFileDialogRecordsTheRequestAndAnswers) {
  ScriptedDialogs dialogs;
  dialogs.ChooseFile("/logs/day.csv");
  EXPECT_EQ(dialogs.ExecuteFileDialog("", nullptr, "Log|*.csv", true, "CSV", "/logs"), "/logs/day.csv");
  dialogs.CancelFile();
  EXPECT_FALSE(dialogs.ExecuteFileDialog("keep.bmp", nullptr, "Bmp|*.bmp", false, "bmp", ""));
  EXPECT_FALSE(dialogs.ExecuteFileDialog("keep.bmp", nullptr, "", true, "", ""));
  const auto& requests = dialogs.FileRequests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].filter, "Log|*.csv");
  EXPECT_TRUE(requests[0].openMode);
  EXPECT_EQ(requests[0].defaultExtension, "CSV");
  EXPECT_EQ(requests[0].initialFolder, "/logs");
  EXPECT_EQ(requests[1].fileName, "keep.bmp");
  EXPECT_FALSE(requests[1].openMode);
}

TEST_F(MessageTest, ScriptedColourAndPrintDialogs) {
  ScriptedDialogs dialogs;
  TChildSettings settings;
  settings.Colors[0] = 0x123456;
  dialogs.ChooseColor(0x00FF00);
  EXPECT_EQ(dialogs.ExecuteColorDialog(0xFF, nullptr, settings), 0x00FF00u);
  EXPECT_EQ(dialogs.ExecuteColorDialog(0x00FF00, nullptr, settings), std::nullopt);
  ASSERT_EQ(dialogs.ColorRequests().size(), 2u);
  EXPECT_EQ(dialogs.ColorRequests()[0].color, 0xFFu);
  EXPECT_EQ(dialogs.ColorRequests()[0].settings, settings);
  dialogs.AnswerPrint(true);
  QPrinter printer;
  EXPECT_TRUE(dialogs.ExecutePrintDialog(printer, nullptr));
  EXPECT_FALSE(dialogs.ExecutePrintDialog(printer, nullptr));
  EXPECT_EQ(dialogs.PrintRequests(), 2);
}

}  // namespace
}  // namespace calorix
