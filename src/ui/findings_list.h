#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "evaluation/finding_text.h"
#include "findings/findings.h"

namespace calorix::ui {

// The findings tab beside the summary: one row per finding, newest first,
// with its period, what was found, the channel and the figure. Activating
// a row (a double click, Enter) reports its finding.
class FindingsList : public QTreeWidget {
  Q_OBJECT

 public:
  explicit FindingsList(QWidget* parent = nullptr);

  // Shows the findings (ordered by start), each row's cells from cellsOf;
  // without any, one line that says there are none, unless there is no
  // evaluation at all. Findings shown already are left alone (with their
  // selection) until the texts change (ApplyLanguage, Rewrite).
  void Show(const std::vector<findings::Finding>& found,
            const std::function<evaluation::FindingCells(const findings::Finding&)>& cellsOf, bool hasEvaluation);
  // The column headers in the language in force; the rows are written
  // again at the next Show.
  void ApplyLanguage();
  // The width that shows every column whole.
  int NeededWidth() const;
  // The rows are written again at the next Show (other channel names).
  void Rewrite() { written_ = false; }

 signals:
  void FindingActivated(const calorix::findings::Finding& finding);

 private:
  std::vector<findings::Finding> shown_;  // by row: newest first
  bool hasEvaluation_ = false;
  bool written_ = false;
};

}  // namespace calorix::ui
