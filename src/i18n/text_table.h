#pragma once

#include <string>

namespace calorix::i18n {

// The six blocks of interface texts. English (US) uses the English block.
enum class LanguageBlock { German, English, French, Spanish, Italian, Portuguese };

inline constexpr int kBlockCount = 6;
// The numbered rows every block has had from the start; they never change.
inline constexpr int kTextCount = 112;
// Texts Calorix has beyond the numbered rows; they follow them, rows 112 on.
inline constexpr int kAddedTextCount = 60;

// Row numbers of the texts the code refers to by name.
enum TextId : int {
  kTextFile = 0,
  kTextNew = 16,
  kTextAnalysisOfDay = 17,     // "Analysis from " before one date
  kTextAnalysisFrom = 18,      // "Analysis from " before the first of two dates
  kTextAnalysisTo = 19,        // " to "
  kTextFilesFoundBefore = 20,  // before the file count
  kTextFilesFoundAfter = 21,   // after the file count
  kTextDisplayedTimeSpan = 22,
  kTextSelectTimeSpan = 23,
  kTextOpenInSpreadsheet = 24,
  kTextFirstSpan = 25,  // 25..29: "1 hour" .. "1 month", the span items in order
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
  kTextSettings = 7,
  kTextNewWindows = 8,
  kTextCurrentWindow = 9,
  kTextLanguageSelection = 10,
  kTextWindow = 11,
  kTextSettingsHeader = 30,
  kTextLineWidth = 31,
  kTextScaleYAxis = 32,
  kTextDynamic = 33,
  kTextFixed = 34,
  kTextYMin = 35,
  kTextYMax = 36,
  kTextDisplayAs = 38,
  kTextBars = 39,
  kTextLines = 40,
  kTextOutputHeading = 42,
  kTextDefault = 43,
  kTextCancel = 44,
  kTextOk = 45,
  kTextVersion = 71,
  kTextSettingsAdopted = 81,  // window mode: also save as defaults?
  kTextSettingsSaved = 82,    // defaults mode: adopt for the open windows?
  kTextEnterIdentifier = 103,
  kTextYAxisFigures = 104,
  kTextInvalidLineWidth = 105,
  kTextManufacturedFor = 108,
  kTextCountry = 109,
  kTextTelephone = 110,
  kTextFax = 111,
  // Added rows.
  kTextNoFileLoaded = 112,
  kTextFilesLeftOut = 113,
  kTextSettingsNotSaved = 114,  // defaults kept in memory only: adopt for the open windows?
  kTextReadingStopped = 115,    // "%1": the line where reading a day file stopped
  kTextOutputOn = 116,          // an output in the cursor readout
  kTextOutputOff = 117,
  kTextRecentFileMissing = 118,
  kTextOneYear = 119,
  kTextPerMonth = 120,
  kTextCompareWith = 121,
  kTextNoComparison = 122,
  kTextSummary = 123,
  kTextMinimum = 124,
  kTextMaximum = 125,
  kTextTimeOfMaximum = 126,
  kTextMean = 127,
  kTextRunningHours = 128,
  kTextDaysWithoutFile = 129,
  kTextExportDailyTotals = 130,
  kTextExportMonthlyTotals = 131,
  kTextCsvFiles = 132,
  kTextBestDay = 133,
  kTextDateOutsideRange = 134,  // "%1": the date the file's records carry
  kTextColumnsDiffer = 135,
  kTextImageNotSaved = 136,   // "%1": the file, "%2": why
  kTextFileNotWritten = 137,  // "%1": the file, "%2": why
  kTextInternalError = 138,
  kTextTickToShow = 139,       // the hint in an empty plot
  kTextChartHasNoSize = 140,   // a reason for kTextImageNotSaved
  kTextImageNotEncoded = 141,  // a reason for kTextImageNotSaved
  kTextWorkbookFiles = 142,
  kTextChooseDayFileInFolder = 143,  // a path field of the multi-day dialog names a folder
  kTextFileDoesNotExist = 144,
  kTextReload = 145,
  kTextJumpBack = 146,  // 146..149: the four navigation buttons, left to right
  kTextScrollBack = 147,
  kTextScrollForward = 148,
  kTextJumpForward = 149,
  kTextMeasuredChart = 150,  // the upper chart, for screen readers
  kTextOutputChart = 151,    // the lower chart
  kTextColour = 152,         // a colour swatch: "<name>: Colour"
  kTextFindings = 153,       // the findings tab
  kTextNoFindings = 154,
  kTextFindingPeriod = 155,  // 155..158: the findings list's column headers
  kTextFindingKind = 156,
  kTextFindingChannel = 157,
  kTextFindingFigure = 158,
  kTextFirstFindingKind = 159,  // 159..168: the kinds of finding, in the order of FindingKind
  kTextFollowingSuffix = 169,   // after a blank behind a window's caption while it follows a log
  kTextFollowTodaysLog = 170,   // the File menu's command
  kTextNoSvgOutput = 171,       // a reason for kTextImageNotSaved in a build without SVG
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
