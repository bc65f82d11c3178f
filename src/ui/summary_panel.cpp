#include "ui/summary_panel.h"

#include <QFontMetrics>
#include <QList>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTextCursor>
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
  const QTextDocument& document = *edit.document();
  const int margins = 2 * static_cast<int>(document.documentMargin()) + 2 * edit.frameWidth() +
                      edit.verticalScrollBar()->sizeHint().width() + 8;  // the caret and the panel's margins
  WidenSummaryPanel(splitter, TextWidth(edit.toPlainText(), QFontMetrics(document.defaultFont())) + margins);
}

void WidenSummaryPanel(QSplitter& splitter, int needed) {
  const QList<int> sizes = splitter.sizes();
  if (sizes.size() != 2 || sizes[1] == 0) return;  // put away: it stays so
  const int total = sizes[0] + sizes[1];
  const int width = SummaryPanelWidth(needed, sizes[1], total);
  if (width != sizes[1]) splitter.setSizes({total - width, width});
}

QList<QStringList> SummaryCells(const QString& text) {
  QList<QStringList> rows;
  // A selection separates its lines with the paragraph separator.
  for (const QString& line : QString(text).replace(QChar::ParagraphSeparator, '\n').split('\n')) {
    QStringList cells = line.split('\t');
    for (QString& cell : cells) cell = cell.trimmed();
    if (cells.size() > 1 || !cells.front().isEmpty()) rows.append(cells);
  }
  return rows;
}

QMimeData* SummaryMimeData(const QList<QStringList>& cells) {
  QString text;
  QString html = QStringLiteral("<table>");
  for (const QStringList& row : cells) {
    text += row.join('\t') + '\n';
    html += QStringLiteral("<tr>");
    for (const QString& cell : row) html += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
    html += QStringLiteral("</tr>");
  }
  html += QStringLiteral("</table>");
  auto* data = new QMimeData;
  data->setText(text);
  data->setHtml(html);
  return data;
}

QMimeData* SummaryTextEdit::createMimeDataFromSelection() const {
  return SummaryMimeData(SummaryCells(textCursor().selectedText()));
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
