#include "ui_test_support.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QFile>

#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

#include "chartview/chart_view.h"
#include "logdata/multi_day.h"
#include "settings/settings_keys.h"

namespace calorix::ui::testing {

std::filesystem::path SampleFile(std::string_view relative) {
  return std::filesystem::path(CALORIX_SAMPLES_DIR) / relative;
}

#ifdef _WIN32
// The host's name of a file, for the host's programs that Wine starts.
QString HostPath(const QString& path) {
  using Convert = char*(__cdecl*)(const wchar_t*);
  const auto convert =
      reinterpret_cast<Convert>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!convert || !QFileInfo::exists(path)) return path;
  char* host = convert(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()));
  if (!host) return path;
  const QString result = QString::fromLocal8Bit(host);
  HeapFree(GetProcessHeap(), 0, host);
  return result;
}
#endif

std::optional<QString> PdfTool(const QString& tool, const QStringList& arguments) {
  QTemporaryDir folder;
  QFile output(folder.filePath("output.txt"));
  const QString program = QStandardPaths::findExecutable(tool);
  if (!program.isEmpty()) {
    QProcess process;
    process.setStandardOutputFile(output.fileName());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    process.waitForFinished(30000);
#ifdef _WIN32
  } else if (QFileInfo::exists("Z:/usr/bin/" + tool)) {
    // Under Wine, the host's tool with the host's names of the files. Wine
    // hands a host program no handles and no process to wait for, so a host
    // shell writes the output and then names it as finished.
    const QString written = HostPath(folder.path()) + "/output.txt";
    QStringList shell{"-c", "out=$1; shift; \"$@\" > \"$out.part\" 2>/dev/null; mv \"$out.part\" \"$out\"", "sh",
                      written, "/usr/bin/" + tool};
    for (const QString& argument : arguments) shell.append(HostPath(argument));
    if (!QProcess::startDetached("Z:/bin/sh", shell)) return QString();
    QDeadlineTimer deadline(30000);
    while (!output.exists() && !deadline.hasExpired()) QThread::msleep(20);
#endif
  } else {
    return std::nullopt;
  }
  if (!output.open(QIODevice::ReadOnly)) return QString();
  return QString::fromUtf8(output.readAll());
}

TChildSettings DefaultSettings() { return DefaultChildSettings(); }

EnglishTexts::EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::English); }
EnglishTexts::~EnglishTexts() { i18n::SetCurrentBlock(i18n::LanguageBlock::German); }

WindowTest::WindowTest() : window_(new TChildform(dialogs_)) {
  window_->setAttribute(Qt::WA_DeleteOnClose, false);
  window_->SetSettingsStore(nullptr);
  window_->ApplySettings(DefaultSettings());
  window_->resize(1000, 700);
}

WindowTest::~WindowTest() { delete window_; }

QCheckBox& WindowTest::Box(std::string_view name) {
  return *window_->findChild<QCheckBox*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

QComboBox& WindowTest::SpanChoice() { return *window_->findChild<QComboBox*>("SpanTime"); }
QSlider& WindowTest::Slider() { return *window_->findChild<QSlider*>("SliderTime"); }

QToolButton& WindowTest::Button(std::string_view name) {
  return *window_->findChild<QToolButton*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

chart::ChartPanel& WindowTest::Upper() { return window_->findChild<chartview::ChartView*>("Chart")->Panel(); }
chart::ChartPanel& WindowTest::Lower() { return window_->findChild<chartview::ChartView*>("Chart2")->Panel(); }

void WindowTest::ChooseSpan(int item) {
  SpanChoice().setCurrentIndex(item);
  emit SpanChoice().activated(item);
}

void WindowTest::LoadRange(const std::filesystem::path& first, const std::filesystem::path& last) {
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(first.string(), last.string());
  logdata::RunMultiDayLoad(request.files, request.start, request.end, *window_, {});
}

std::vector<std::string> WindowTest::MessageTexts() const {
  std::vector<std::string> texts;
  for (const auto& m : dialogs_.Messages()) texts.push_back(m.text);
  return texts;
}

double WindowTest::StartMinute(double day) { return (Upper().BottomAxis().Minimum() - day) * 1440.0; }
double WindowTest::EndMinute(double day) { return (Upper().BottomAxis().Maximum() - day) * 1440.0; }

}  // namespace calorix::ui::testing
