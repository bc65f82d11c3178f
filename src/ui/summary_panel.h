#pragma once

#include <QString>

class QPlainTextEdit;

namespace calorix::ui {

// Shows the summary text, lines of tab-separated cells, as a table: each
// column starts where the widest cell of the column before it ends (a
// line's last cell sets no column). Text that is shown already is left
// alone, so that a selection survives steps that change nothing in it.
void ShowSummaryText(QPlainTextEdit& edit, const QString& text);

}  // namespace calorix::ui
