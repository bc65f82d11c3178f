#include "ui/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>

#include <string>

#include "dialogs/dialog_driver.h"
#include "i18n/text_table.h"

namespace calorix::ui {
namespace {

using i18n::LanguageBlock;

std::string S(const QString& text) { return text.toStdString(); }

class AboutDialogTest : public ::testing::TestWithParam<LanguageBlock> {
 protected:
  void TearDown() override { i18n::SetCurrentBlock(LanguageBlock::German); }
};

TEST_P(AboutDialogTest, TakesTheTextsOfTheLanguageInForceAtEachShowing) {
  TDialogAbout about;
  about.FormShow();  // in German first: the next showing must replace it all
  const LanguageBlock block = GetParam();
  i18n::SetCurrentBlock(block);
  about.FormShow();
  const auto text = [&](int n) { return i18n::TextOf(block, n); };
  EXPECT_EQ(S(about.windowTitle()), text(15) + ": Marlo Calorix 1");
  EXPECT_EQ(S(about.LabelVersion()->text()), text(71) + " 1.04");
  EXPECT_EQ(S(about.Disclaimer()->toPlainText()), text(106) + " " + text(107));
  EXPECT_EQ(S(about.LabelByOrderOf()->text()), text(108));
  EXPECT_EQ(S(about.LabelCountry()->text()), text(109));
  EXPECT_EQ(S(about.LabelFon()->text()), text(110) + " " + kDistributorTelephone);
  EXPECT_EQ(S(about.LabelFax()->text()), text(111) + " " + kDistributorFax);
  EXPECT_EQ(S(about.Address()->text()), kDistributorAddress);
}

INSTANTIATE_TEST_SUITE_P(Languages, AboutDialogTest,
                         ::testing::Values(LanguageBlock::English, LanguageBlock::French, LanguageBlock::Italian));

TEST(AboutDialog, EscClosesItFromAnyControlAsOk) {
  TDialogAbout about;
  testing::WhenShown<TDialogAbout>([](TDialogAbout& shown) {
    // The disclaimer has the focus, not the box.
    shown.Disclaimer()->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(shown.Disclaimer(), &press);
    QApplication::sendEvent(shown.Disclaimer(), &release);
  });
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace calorix::ui
