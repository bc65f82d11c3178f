#pragma once

#include <QString>

class QPlainTextEdit;
class QSplitter;

namespace calorix::ui {

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

}  // namespace calorix::ui
