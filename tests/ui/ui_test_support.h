#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QString>
#include <QStringList>
#include <QSlider>
#include <QToolButton>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/chart_panel.h"
#include "core/child_settings.h"
#include "dialogs/scripted_dialogs.h"
#include "i18n/text_table.h"
#include "support/temp_folder.h"
#include "ui/child_form.h"

namespace calorix::ui::testing {

using calorix::testing::TempFolder;

std::filesystem::path SampleFile(std::string_view relative);

// What a poppler tool (pdfinfo, pdftotext, pdfimages) printed for a PDF;
// nothing when the tool is not installed. The Windows build's tests under
// Wine start the host's tool.
std::optional<QString> PdfTool(const QString& tool, const QStringList& arguments);

// The settings a new window gets from an empty settings file.
TChildSettings DefaultSettings();

// English texts for as long as the object lives (German is the default).
class EnglishTexts {
 public:
  EnglishTexts();
  ~EnglishTexts();
  EnglishTexts(const EnglishTexts&) = delete;
  EnglishTexts& operator=(const EnglishTexts&) = delete;
};

// A window as the main window sets it up, with scripted dialogs.
class WindowTest {
 public:
  WindowTest();
  ~WindowTest();

  TChildform& Window() { return *window_; }
  ScriptedDialogs& Dialogs() { return dialogs_; }
  QCheckBox& Box(std::string_view name);
  QComboBox& SpanChoice();
  QSlider& Slider();
  QToolButton& Button(std::string_view name);
  chart::ChartPanel& Upper();
  chart::ChartPanel& Lower();
  // Selects a span item as the user does.
  void ChooseSpan(int item);
  // Loads the day files from the start file's day to the end file's day as
  // the multi-day dialog does.
  void LoadRange(const std::filesystem::path& first, const std::filesystem::path& last);
  // Messages shown so far, texts only.
  std::vector<std::string> MessageTexts() const;

  // The visible window as minutes since midnight of `day`.
  double StartMinute(double day);
  double EndMinute(double day);

 private:
  ScriptedDialogs dialogs_;
  TChildform* window_;
};

}  // namespace calorix::ui::testing
