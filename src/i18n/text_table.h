#pragma once

#include <string>

namespace calorix::i18n {

// The six blocks of interface texts. English (US) uses the English block.
enum class LanguageBlock { German, English, French, Spanish, Italian, Portuguese };

inline constexpr int kBlockCount = 6;
inline constexpr int kTextCount = 112;
// Texts Calorix has beyond the numbered rows; they follow them, rows 112 on.
inline constexpr int kAddedTextCount = 5;

// Row numbers of the texts the code refers to by name.
enum TextId : int {
  kTextFile = 0,
  kTextNew = 16,
  kTextAnalysisOfDay = 17,      // "Analysis from " before one date
  kTextAnalysisFrom = 18,       // "Analysis from " before the first of two dates
  kTextAnalysisTo = 19,         // " to "
  kTextFilesFoundBefore = 20,   // before the file count
  kTextFilesFoundAfter = 21,    // after the file count
  kTextDisplayedTimeSpan = 22,
  kTextSelectTimeSpan = 23,
  kTextOpenInSpreadsheet = 24,
  kTextFirstSpan = 25,          // 25..29: "1 hour" .. "1 month", the span items in order
  kTextInfo = 15,
  kTextQuestion = 50,
  kTextError = 51,
  kTextWarning = 52,
  kTextInformation = 53,
  kTextHeadline = 46,
  kTextInputs = 47,
  kTextOtherValues = 48,
  kTextOutputs = 49,
  kTextFirstChannelName = 56,  // 56..70: default series names
  kTextLogFiles = 72,
  kTextImageFiles = 73,
  kTextAllFiles = 74,
  kTextErrorOpeningFile = 84,
  kTextNoMeasuredValues = 85,
  kTextNotAValidLogFile = 86,
  kTextNoFilesFound = 87,
  kTextNoDateInNames = 88,
  kTextOnlyCsvExtension = 89,
  kTextStartNotADate = 90,
  kTextEndNotADate = 91,
  kTextEndBeforeStart = 92,
  kTextIniAccessFailed = 95,
  kTextMaximumReached = 96,
  kTextWindowNotCreated = 97,
  kTextDataStructureError = 98,
  kTextSpreadsheetNotFound = 99,
  kTextSpreadsheetFailed = 100,
  kTextPrintingNotPossible = 101,
  kTextOpenLogFileFirst = 83,
  kTextNoDataAvailable = 102,
  kTextDisclaimer = 106,
  kTextDisclaimerContinued = 107,  // empty but in French and Spanish
  // Added rows.
  kTextNoFileLoaded = 112,
  kTextFilesLeftOut = 113,
  kTextOutputOn = 114,   // an output in the cursor readout
  kTextOutputOff = 115,
  kTextRecentFileMissing = 116,
};

// Text n (0..111 and the added rows) of a block, UTF-8. Out-of-range rows
// read as empty.
const std::string& TextOf(LanguageBlock block, int n);

// The block for a stored language code 0..7 (0: none stored, German);
// any other code gives German.
LanguageBlock BlockOfLanguage(int code);

// The block in use. One application-wide setting; German at start.
LanguageBlock CurrentBlock();
void SetCurrentBlock(LanguageBlock block);

// Text n of the block in use.
const std::string& Text(int n);

}  // namespace calorix::i18n
