#include "dialogs/file_dialog.h"

#include "dialogs/screen_placement.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMimeDatabase>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace calorix {
namespace {

std::vector<std::string_view> SplitAtBars(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t bar = text.find('|'); bar != std::string_view::npos; bar = text.find('|')) {
    parts.push_back(text.substr(0, bar));
    text.remove_prefix(bar + 1);
  }
  return parts;
}

QString QtPatterns(std::string_view patterns) {
  QStringList parts =
      QString::fromUtf8(patterns.data(), static_cast<qsizetype>(patterns.size())).split(u';', Qt::SkipEmptyParts);
  for (QString& part : parts) {
    part = part.trimmed();
    if (part == u"*.*") part = QStringLiteral("*");
  }
  return parts.join(u' ');
}

QString ToQString(const std::string& text) { return QString::fromStdString(text); }

constexpr int kColumnPadding = 16;  // beside a cell's text: margins and the sort mark

// Each column of the detail view is as wide as its heading in the interface
// language and as a long value (a size in KiB, a date and time), and the
// dialog as wide as its columns beside the side bar, within the screen.
void FitDetailColumns(QFileDialog& dialog) {
  auto* view = dialog.findChild<QTreeView*>("treeView");
  if (!view) return;
  QHeaderView* header = view->header();
  const QFontMetrics metrics(view->font());
  const QString date = QLocale().toString(QDateTime(QDate(2024, 12, 31), QTime(23, 59)), QLocale::ShortFormat);
  // The name column keeps the width the dialog gives it. The type column
  // fits the type the dialog shows for a log file: the MIME type's name
  // ("CSV document") for a file it lists, or what the platform's icon
  // provider calls it, whichever is wider.
  const QString logFile = QStringLiteral("20240531.csv");
  QString logType = QMimeDatabase().mimeTypeForFile(logFile, QMimeDatabase::MatchExtension).comment();
  if (const QAbstractFileIconProvider* types = dialog.iconProvider()) {
    const QString named = types->type(QFileInfo(logFile));
    if (metrics.horizontalAdvance(named) > metrics.horizontalAdvance(logType)) logType = named;
  }
  const QStringList samples = {QString(), QLocale().formattedDataSize(999'999), logType, date};
  int total = 0;
  for (int i = 0; i < header->count(); ++i) {
    const QString heading = header->model()->headerData(i, Qt::Horizontal).toString();
    int width = std::max(header->sectionSize(i), metrics.horizontalAdvance(heading) + kColumnPadding);
    if (i < samples.size()) width = std::max(width, metrics.horizontalAdvance(samples[i]) + kColumnPadding);
    header->resizeSection(i, width);
    total += width;
  }
  const QWidget* sideBar = dialog.findChild<QWidget*>("sidebar");
  QSize size = QSize(total + (sideBar ? sideBar->sizeHint().width() : 0) + 4 * kColumnPadding, metrics.height() * 28)
                   .expandedTo(dialog.sizeHint());
  if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size());
  dialog.resize(size);
}

}  // namespace

std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter) {
  std::string list(filter);
  if (!list.empty() && list.back() != '|') list += '|';
  const std::vector<std::string_view> parts = SplitAtBars(list);
  std::vector<FileTypeFilter> pairs;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() || parts[i + 1].empty()) break;
    pairs.push_back({std::string(parts[i]), std::string(parts[i + 1])});
  }
  return pairs;
}

QString QtNameFilter(const FileTypeFilter& filter) {
  return QString::fromStdString(filter.description) + QStringLiteral(" (") + QtPatterns(filter.patterns) + u')';
}

QStringList QtNameFilters(std::string_view filter) {
  QStringList filters;
  for (const FileTypeFilter& pair : ParseFileFilter(filter)) filters << QtNameFilter(pair);
  return filters;
}

QString QtDefaultSuffix(std::string_view extension) {
  const std::size_t start = extension.find_first_not_of("*.");
  if (start == std::string_view::npos) return {};
  return QString::fromStdString(std::string(extension.substr(start)));
}

void ConfigureFileDialog(QFileDialog& dialog, const std::string& fileName, const std::string& filter, bool openMode,
                         const std::string& defaultExtension, const std::string& initialFolder) {
  // Options first: the file-type list takes HideNameFilterDetails when set.
  dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
  dialog.setAcceptMode(openMode ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(openMode ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = QtNameFilters(filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  if (!initialFolder.empty()) dialog.setDirectory(ToQString(initialFolder));
  dialog.setDefaultSuffix(QtDefaultSuffix(defaultExtension));
  if (!fileName.empty()) dialog.selectFile(ToQString(fileName));
  dialog.setViewMode(QFileDialog::Detail);
  FitDetailColumns(dialog);
}

std::optional<std::string> ExecuteFileDialog(const std::string& proposedName, QWidget* owner, const std::string& filter,
                                             bool openMode, const std::string& defaultExtension,
                                             const std::string& initialFolder) {
  QFileDialog dialog(owner);
  ConfigureFileDialog(dialog, proposedName, filter, openMode, defaultExtension, initialFolder);
  CenterOnScreen(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.first().toStdString();
}

}  // namespace calorix
