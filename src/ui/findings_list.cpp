#include "ui/findings_list.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "i18n/text_table.h"
#include "ui/qt_text.h"

namespace calorix::ui {

FindingsList::FindingsList(QWidget* parent) : QTreeWidget(parent) {
  setObjectName("FindingsList");
  setColumnCount(4);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(true);
  connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    const int row = indexOfTopLevelItem(item);
    if (row >= 0 && static_cast<std::size_t>(row) < shown_.size()) emit FindingActivated(shown_[row]);
  });
  ApplyLanguage();
}

int FindingsList::NeededWidth() const {
  int columns = 0;
  for (int column = 0; column < columnCount(); ++column) {
    columns += std::max(sizeHintForColumn(column), header()->sectionSizeHint(column));
  }
  return columns + 2 * frameWidth() + verticalScrollBar()->sizeHint().width() + 8;
}

void FindingsList::ApplyLanguage() {
  QStringList headers;
  for (int column = 0; column < 4; ++column) headers << Q(i18n::Text(i18n::kTextFindingPeriod + column));
  setHeaderLabels(headers);
  written_ = false;
  setAccessibleName(Q(i18n::Text(i18n::kTextFindings)));
}

void FindingsList::Show(const std::vector<findings::Finding>& found,
                        const std::function<evaluation::FindingCells(const findings::Finding&)>& cellsOf,
                        bool hasEvaluation) {
  std::vector<findings::Finding> newestFirst(found.rbegin(), found.rend());
  // Steps through time change nothing here: the selection stays.
  if (written_ && newestFirst == shown_ && hasEvaluation == hasEvaluation_) return;
  shown_ = std::move(newestFirst);
  hasEvaluation_ = hasEvaluation;
  written_ = true;
  clear();
  QList<QTreeWidgetItem*> items;
  for (const findings::Finding& finding : shown_) {
    const evaluation::FindingCells c = cellsOf(finding);
    auto* item = new QTreeWidgetItem(QStringList{Q(c.period), Q(c.kind), Q(c.channel), Q(c.figure)});
    // The whole row as a tip: a narrow panel cuts off the last columns.
    const QString tip = Q(c.kind + (c.channel.empty() ? "" : ", " + c.channel) + ": " + c.figure + "\n" + c.period);
    for (int column = 0; column < item->columnCount(); ++column) item->setToolTip(column, tip);
    items << item;
  }
  if (items.isEmpty() && hasEvaluation) {
    auto* none = new QTreeWidgetItem(QStringList{Q(i18n::Text(i18n::kTextNoFindings))});
    none->setFlags(Qt::NoItemFlags);
    items << none;
  }
  addTopLevelItems(items);
  if (!items.isEmpty() && shown_.empty()) items.front()->setFirstColumnSpanned(true);
}

}  // namespace calorix::ui
