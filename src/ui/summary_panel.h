#pragma once

#include <QList>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>

class QPlainTextEdit;
class QSplitter;
class QMimeData;

namespace calorix::ui {

// The cells of summary text (lines of tab-separated cells) as a spreadsheet
// takes them: the blanks that indent a line on screen dropped, empty lines
// left out.
QList<QStringList> SummaryCells(const QString& text);

// What copying the summary puts on the clipboard: the cells as
// tab-separated text and as an HTML table, one row per line.
QMimeData* SummaryMimeData(const QList<QStringList>& cells);

// The summary panel's text: copying gives the cells of the selected lines
// in both forms, which spreadsheets paste cell by cell.
class SummaryTextEdit : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  QMimeData* createMimeDataFromSelection() const override;
};

// Shows the summary text, lines of tab-separated cells, as a table: each
// column starts where the widest cell of the column before it ends (a
// line's last cell sets no column). Text that is shown already is left
// alone, so that a selection survives steps that change nothing in it.
void ShowSummaryText(QPlainTextEdit& edit, const QString& text);

// The summary panel's width when its text needs `needed` pixels: wide
// enough for the text, so that no value is cut off, while the charts keep
// at least chartShare of the total; never narrower than it is, so that the
// charts do not jump back and forth while the window moves through time.
int SummaryPanelWidth(int needed, int current, int total, double chartShare = 0.6);

// Widens the summary panel (the splitter's second widget, holding edit)
// to show its text whole, by SummaryPanelWidth.
void FitSummaryPanel(QSplitter& splitter, const QPlainTextEdit& edit);
// Widens it to `needed` pixels, by SummaryPanelWidth.
void WidenSummaryPanel(QSplitter& splitter, int needed);

}  // namespace calorix::ui
