#include "ui/summary_panel.h"

#include <QFontMetrics>
#include <QList>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
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

// The widest line as the tab stops lay it out.
int TextWidth(const QString& text, const QFontMetrics& metrics) {
  const QList<QTextOption::Tab> stops = ColumnStops(text, metrics);
  int widest = 0;
  for (const QString& line : text.split('\n')) {
    const QStringList cells = line.split('\t');
    const qsizetype last = cells.size() - 1;
    const qreal start = last > 0 && last <= stops.size() ? stops[last - 1].position : 0.0;
    widest = std::max(widest, static_cast<int>(start) + metrics.horizontalAdvance(cells[last]));
  }
  return widest;
}

}  // namespace

int SummaryPanelWidth(int needed, int current, int total, double chartShare) {
  const int most = static_cast<int>(total * (1.0 - chartShare));
  return std::max(current, std::min(needed, most));
}

void FitSummaryPanel(QSplitter& splitter, const QPlainTextEdit& edit) {
  const QList<int> sizes = splitter.sizes();
  if (sizes.size() != 2 || sizes[1] == 0) return;  // put away: it stays so
  const QTextDocument& document = *edit.document();
  const int margins = 2 * static_cast<int>(document.documentMargin()) + 2 * edit.frameWidth() +
                      edit.verticalScrollBar()->sizeHint().width() + 8;  // the caret and the panel's margins
  const int needed = TextWidth(edit.toPlainText(), QFontMetrics(document.defaultFont())) + margins;
  const int total = sizes[0] + sizes[1];
  const int width = SummaryPanelWidth(needed, sizes[1], total);
  if (width != sizes[1]) splitter.setSizes({total - width, width});
}

void ShowSummaryText(QPlainTextEdit& edit, const QString& text) {
  if (edit.toPlainText() == text) return;
  QTextDocument& document = *edit.document();
  QTextOption option = document.defaultTextOption();
  option.setTabs(ColumnStops(text, QFontMetrics(document.defaultFont())));
  document.setDefaultTextOption(option);
  edit.setPlainText(text);
}

}  // namespace calorix::ui
