#include "ui/summary_panel.h"

#include <QFontMetrics>
#include <QList>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace calorix::ui {
namespace {

constexpr int kColumnGap = 12;  // pixels between the widest cell and the next column

QList<QTextOption::Tab> ColumnStops(const QString& text, const QFontMetrics& metrics) {
  QList<int> widths;
  for (const QString& line : text.split('\n')) {
    const QStringList cells = line.split('\t');
    for (qsizetype c = 0; c + 1 < cells.size(); ++c) {
      if (widths.size() <= c) widths.append(0);
      widths[c] = std::max(widths[c], metrics.horizontalAdvance(cells[c]));
    }
  }
  QList<QTextOption::Tab> stops;
  qreal position = 0;
  for (const int width : widths) {
    position += width + kColumnGap;
    stops.append(QTextOption::Tab(position, QTextOption::LeftTab));
  }
  return stops;
}

}  // namespace

void ShowSummaryText(QPlainTextEdit& edit, const QString& text) {
  if (edit.toPlainText() == text) return;
  QTextDocument& document = *edit.document();
  QTextOption option = document.defaultTextOption();
  option.setTabs(ColumnStops(text, QFontMetrics(document.defaultFont())));
  document.setDefaultTextOption(option);
  edit.setPlainText(text);
}

}  // namespace calorix::ui
