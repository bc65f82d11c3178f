#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace calorix {

// One entry of a file-type list: "Log files (*.csv)" and "*.csv".
struct FileTypeFilter {
  std::string description;
  std::string patterns;  // separated by ";"

  friend bool operator==(const FileTypeFilter&, const FileTypeFilter&) = default;
};

// The pairs of a filter "description|pattern|description|pattern", read as
// the platform reads its zero-separated list: a final "|" is supplied when
// missing, and the list ends at the first empty part, so an empty filter
// gives no pairs and a description without a pattern is dropped.
std::vector<FileTypeFilter> ParseFileFilter(std::string_view filter);

// Qt's name filter for a pair: the description followed by its patterns in
// parentheses, blank-separated, with "*.*" as "*" since on Windows it matches
// names without an extension too. The dialog hides that appended part, so the
// list shows the descriptions alone.
QString QtNameFilter(const FileTypeFilter& filter);
QStringList QtNameFilters(std::string_view filter);

// The default extension as Qt's default suffix: "CSV" stays, "*.exe" and
// ".exe" become "exe".
QString QtDefaultSuffix(std::string_view extension);

// Sets up a file dialog the way ExecuteFileDialog shows it: our own widget
// dialog (a native one cannot be centred), open or save mode with overwrite
// confirmation on save, the file types with the first one selected, the
// initial folder if any, the default suffix if any and the proposed name.
void ConfigureFileDialog(QFileDialog& dialog, const std::string& fileName, const std::string& filter, bool openMode,
                         const std::string& defaultExtension, const std::string& initialFolder);

// Runs the open or save dialog centred on the screen. The full path of the
// file the user confirmed; nothing on cancel.
std::optional<std::string> ExecuteFileDialog(const std::string& proposedName, QWidget* owner, const std::string& filter,
                                             bool openMode, const std::string& defaultExtension,
                                             const std::string& initialFolder);

}  // namespace calorix
