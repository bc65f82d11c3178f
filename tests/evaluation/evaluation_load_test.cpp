#include "evaluation/evaluation_load.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "core/error.h"
#include "i18n/text_table.h"
#include "logdata/log_file_error.h"

namespace calorix::evaluation {
namespace {

TEST(EvaluationLoadTest, AFailureKeepsTheKindTheReaderFound) {
  EXPECT_EQ(LoadFailureKindOf(logdata::LogFileError(logdata::LogFileFault::NoMeasuredValues)),
            LoadFailureKind::NoMeasuredValues);
  EXPECT_EQ(LoadFailureKindOf(logdata::LogFileError(logdata::LogFileFault::NotALogFile)), LoadFailureKind::NotALogFile);
}

TEST(EvaluationLoadTest, AnyOtherFailureIsAFailureToOpenWhateverItsText) {
  // A message that happens to begin like the reader's own texts is not
  // taken for one of them.
  EXPECT_EQ(LoadFailureKindOf(Error(i18n::Text(i18n::kTextNotAValidLogFile) + " (internal)")),
            LoadFailureKind::CannotOpen);
  EXPECT_EQ(LoadFailureKindOf(std::bad_alloc()), LoadFailureKind::CannotOpen);
}

TEST(EvaluationLoadTest, TheFailureTextNamesTheKindAndThenTheFile) {
  const std::filesystem::path path = "/logs/20240530.csv";
  EXPECT_EQ(LoadFailureText(LoadFailureKind::NoMeasuredValues, path),
            i18n::Text(i18n::kTextNoMeasuredValues) + "\n\n" + path.string());
  EXPECT_EQ(LoadFailureText(LoadFailureKind::CannotOpen, path),
            i18n::Text(i18n::kTextErrorOpeningFile) + "\n\n" + path.string());
}

TEST(EvaluationLoadTest, NothingLoadedAnswersEmpty) {
  const EvaluationLoad load;
  EXPECT_FALSE(load.Loaded());
  EXPECT_FALSE(load.HasData());
  EXPECT_EQ(load.DayCount(), 0);
  EXPECT_TRUE(load.CalendarDates().empty());
  EXPECT_TRUE(load.DailyTotals().empty());
}

}  // namespace
}  // namespace calorix::evaluation
