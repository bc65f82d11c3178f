#pragma once

#include <string>

class QFont;
class QWidget;

namespace calorix {
class Dialogs;
}
namespace calorix::evaluation {
class EvaluationModel;
enum class TotalsPer;
}  // namespace calorix::evaluation

namespace calorix::ui {

struct ChildWidgets;

// Prints the charts of a window that hold series on one landscape page,
// one above the other at their proportions on screen, with the legends and
// the headline. Throws calorix::Error ("Printing not possible.") before any
// job starts when there is nothing to print or the printer refuses; a job
// that fails on the way is aborted.
void PrintCharts(Dialogs& dialogs, QWidget* owner, evaluation::EvaluationModel& model, const ChildWidgets& widgets);

// Saves the charts that hold series, stacked as on screen with the legends
// and the headline, into one file the user names (its dialog starts in
// folder): BMP as proposed, or PNG, PDF or SVG by the name's extension.
void SaveChartAsImage(Dialogs& dialogs, QWidget* owner, evaluation::EvaluationModel& model, const ChildWidgets& widgets,
                      const std::string& folder);

// Writes the charts that hold series stacked into one file (as
// SaveChartAsImage does after its dialog) at the given chart sizes in
// pixels, with the legends and the headline; the file type follows the
// name. Throws calorix::Error with the reason on failure.
void SaveChartsToFile(evaluation::EvaluationModel& model, const std::string& fileName, int width, int upperHeight,
                      int lowerHeight, const QFont& font);

// Saves the evaluation's daily or monthly totals as CSV into a file the
// user names (its dialog starts in folder). Throws calorix::Error with the
// reason when it cannot be written.
void SaveTotals(Dialogs& dialogs, QWidget* owner, const evaluation::EvaluationModel& model, evaluation::TotalsPer per,
                const std::string& folder);

// Where the save and export dialogs start: the folder files were last
// taken from while it exists, else the folder of the day file shown (the
// first file of the evaluation when no single day is shown); empty, the
// dialog's own choice, without either.
std::string OutputDialogFolder(const std::string& lastUsedDir, const evaluation::EvaluationModel& model);

// Writes text to a file whole or not at all (a failure leaves any earlier
// file as it was). Throws calorix::Error naming the file and the reason.
void WriteTextFile(const std::string& fileName, const std::string& text);

}  // namespace calorix::ui
