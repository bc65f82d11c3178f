#include "i18n/text_rows.h"

namespace calorix::i18n {
namespace {

constexpr std::string_view kRows[] = {
    // Main window menus and actions; 15 also captions the about box.
    /* 0 */ "File",
    /* 1 */ "Open",
    /* 2 */ "Analysis of several days' duration",
    /* 3 */ "Close",
    /* 4 */ "Save",
    /* 5 */ "Print",
    /* 6 */ "End",
    /* 7 */ "Settings",
    /* 8 */ "New windows",
    /* 9 */ "Current window",
    /* 10 */ "Language selection",
    /* 11 */ "Window",
    /* 12 */ "Overlapping",
    /* 13 */ "Stacked",
    /* 14 */ "Minimise all",
    /* 15 */ "Info",

    // Evaluation window caption. 17..21 are pieces of a composed caption and
    // carry their own blanks.
    /* 16 */ "New",
    /* 17 */ "Analysis from ",
    /* 18 */ "Analysis from ",
    /* 19 */ " to ",
    /* 20 */ ". (",
    /* 21 */ " files found)",

    // Evaluation window labels and its spreadsheet action.
    /* 22 */ "Displayed time window",
    /* 23 */ "Image scroll bar",
    /* 24 */ "Open in Excel",

    // Span choice.
    /* 25 */ "1 hour",
    /* 26 */ "3 hours",
    /* 27 */ "8 hours",
    /* 28 */ "1 day",
    /* 29 */ "1 month",

    // Settings dialog (37 and 41 are not shown anywhere).
    /* 30 */ "Graphic and display options",
    /* 31 */ "Line width",
    /* 32 */ "Scale Y-axis",
    /* 33 */ "dynamic",
    /* 34 */ "fixed",
    /* 35 */ "Min",
    /* 36 */ "Max",
    /* 37 */ "Display outputs as:",
    /* 38 */ "Display as:",
    /* 39 */ "Bars",
    /* 40 */ "Lines",
    /* 41 */ "Diagram heading",
    /* 42 */ "Output heading",
    /* 43 */ "Default",
    /* 44 */ "Cancel",
    /* 45 */ "OK",

    // Evaluation window headline and group captions.
    /* 46 */ "Selectable measured value",
    /* 47 */ "Inputs",
    /* 48 */ "Other measured values",
    /* 49 */ "Outputs",

    // Message box captions.
    /* 50 */ "Question",
    /* 51 */ "Error",
    /* 52 */ "Warning",
    /* 53 */ "Information",

    // Not shown anywhere.
    /* 54 */ "Date",
    /* 55 */ "Company",

    // Default series names, in channel slot order.
    /* 56 */ "Temperature sensor 1",
    /* 57 */ "Temperature sensor 2",
    /* 58 */ "Temperature sensor 3",
    /* 59 */ "Temperature sensor 4",
    /* 60 */ "Temperature sensor 5",
    /* 61 */ "Temperature sensor 6",
    /* 62 */ "Direct temperature sensor",
    /* 63 */ "Flow rate",
    /* 64 */ "Thermal output",
    /* 65 */ "Sum of flow rate",
    /* 66 */ "Sum of energy",
    /* 67 */ "Output 1",
    /* 68 */ "Output 2",
    /* 69 */ "Output 3",
    /* 70 */ "Fault indicator output",

    // About box version line and file dialog filter names.
    /* 71 */ "Version",
    /* 72 */ "Log files",
    /* 73 */ "Image files",
    /* 74 */ "All files",

    // Multi-day dialog.
    /* 75 */ "From date",
    /* 76 */ "To date",
    /* 77 */ "Search...",
    /* 78 */ "Analyse",
    /* 79 */ "Press Esc key to cancel.",
    /* 80 */ "Aborted by user.",

    // Questions and messages (94 is not shown anywhere).
    /* 81 */
    "Settings have been adopted. Should these settings also be saved for "
    "future analyses?",
    /* 82 */
    "Settings have been saved. Should these settings be adopted for all "
    "analyses currently open?",
    /* 83 */ "Please open a log file (*.csv) first.",
    /* 84 */ "Error occurred while opening file",
    /* 85 */ "The file you specified does not contain measured values.",
    /* 86 */ "The file you specified is not a valid log file.",
    /* 87 */ "No files were found, please check file path and try again.",
    /* 88 */
    "The file names you specified do not contain valid date information.",
    /* 89 */ "Only the '.csv' extension is permitted for log files.",
    /* 90 */ "The start file selected cannot be assigned to a date.",
    /* 91 */ "The end file selected cannot be assigned to a date.",
    /* 92 */ "The end file date is before the start file date.",
    /* 93 */ "You have only selected 1 day. Simple analysis started.",
    /* 94 */ "Data set incomplete",
    /* 95 */ "Access to INI file failed. Settings cannot be saved.",
    /* 96 */
    "You have already opened the maximum number of analyses. Should a new "
    "analysis be opened? Note: This will cause the current analysis to be "
    "lost.",
    /* 97 */
    "Another analysis window could not be opened. This may be due to a lack "
    "of available memory. Please close any unused applications and try again.",
    /* 98 */
    "An error occurred while creating the data structure. This is probably "
    "due to insufficient memory. Please close any unused applications and try "
    "again.",
    /* 99 */
    "Excel.exe could not be found, please select the path to Excel manually.",
    /* 100 */ "Excel start-up failed. The file must be opened manually.",
    /* 101 */ "Printing not possible.",
    /* 102 */ "No data available.",
    /* 103 */ "Please enter an identifier.",
    /* 104 */ "Please only enter the value of the Y-axis in figures.",
    /* 105 */ "Invalid line thickness. Please enter a number between 1 and 99.",

    // About box. The disclaimer is 106, a blank and 107.
    /* 106 */
    "This Software is Freeware. It is distributed free of charge and may be "
    "copied, used and passed on to others. Changes to the software may only "
    "be made in agreement with the authors. The software may only be passed "
    "on complete and unchanged, together with all copyright and other "
    "protective notices. Distributing it commercially, on its own or as part "
    "of another product, requires the prior written permission of the "
    "authors. The software is provided without warranty of any kind, either "
    "express or implied, including warranties of merchantability or fitness "
    "for a particular purpose. You use it entirely at your own risk. If you "
    "find any faults in the software, please report them to the authors so "
    "that they can be corrected.",
    /* 107 */ "",
    /* 108 */ "Product manufactured for:",
    /* 109 */ "United States",
    /* 110 */ "Tel.",
    /* 111 */ "Fax.",
};

// Texts added after the numbered rows.
constexpr std::string_view kAddedRows[] = {
    /* 112 */ "None of the selected files could be loaded.",
    /* 113 */ "Some files could not be loaded and were left out:",
    /* 114 */
    "The settings could not be saved. They apply to new windows until the "
    "program ends. Should these settings be adopted for all analyses "
    "currently open?",
    // 115: reading a day file stopped early at line %1
    /* 115 */ "Reading stopped at line %1, which holds no valid record; the values before it are shown.",
    /* 116 */ "on",
    /* 117 */ "off",
    /* 118 */ "This file no longer exists and was taken off the recent files:",
    /* 119 */ "1 year",
    /* 120 */ "Per month",
    /* 121 */ "Compare with",
    /* 122 */ "(none)",
    /* 123 */ "Summary",
    /* 124 */ "Minimum",
    /* 125 */ "Maximum",
    /* 126 */ "Time of maximum",
    /* 127 */ "Mean",
    /* 128 */ "Running hours",
    /* 129 */ "Days without a file",
    /* 130 */ "Export daily totals...",
    /* 131 */ "Export monthly totals...",
    /* 132 */ "CSV files",
    /* 133 */ "Best day",
    /* 134 */ "The records of this file are dated %1, outside the months of the analysis; the file was left out.",
    /* 135 */ "The columns of this file differ from those of the first file; the file was left out.",
    /* 136 */ "The image \"%1\" could not be saved: %2",
    /* 137 */ "The file \"%1\" could not be written: %2",
    /* 138 */ "Internal Error",
    /* 139 */ "Tick a measured value on the left to show it",
    /* 140 */ "the chart has no size",
    /* 141 */ "the image could not be written",
    /* 142 */ "Excel workbooks",
    /* 143 */ "Please choose a day file in this folder.",
    /* 144 */ "This file does not exist.",
    /* 145 */ "Reload",
    /* 146 */ "Jump back",
    /* 147 */ "Scroll back",
    /* 148 */ "Scroll forward",
    /* 149 */ "Jump forward",
    /* 150 */ "Chart of the measured values",
    /* 151 */ "Chart of the outputs",
    /* 152 */ "Colour",
    /* 153 */ "Findings",
    /* 154 */ "No findings in the loaded days.",
    /* 155 */ "Period",
    /* 156 */ "Finding",
    /* 157 */ "Channel",
    /* 158 */ "Figure",
    /* 159 */ "Collector overheating",
    /* 160 */ "Pump running without yield",
    /* 161 */ "Pump cycling",
    /* 162 */ "Sensor error (Err)",
    /* 163 */ "Value out of range",
    /* 164 */ "Sensor stuck",
    /* 165 */ "Fault signal on",
    /* 166 */ "Logging gap",
    /* 167 */ "Days without a file",
    /* 168 */ "Heat lost at night",
    /* 169 */ "(following the log)",
    /* 170 */ "Follow today's log",
    /* 171 */ "this build cannot write SVG files (PNG, BMP and PDF it can)",
};

}  // namespace

TextRows EnglishRows() { return kRows; }
AddedTextRows EnglishAddedRows() { return kAddedRows; }

}  // namespace calorix::i18n
