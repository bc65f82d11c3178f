#include "ui/summary_panel.h"

#include <QFontMetrics>
#include <QList>
#include <QMimeData>
#include <QPlainTextEdit>
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

}  // namespace

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
