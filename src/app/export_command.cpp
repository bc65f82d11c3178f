#include "app/export_command.h"

#include "app/builtin_settings.h"
#include "app/findings_command.h"
#include "app/language_choices.h"
#include "evaluation/channel_export.h"
#include "evaluation/evaluation_model.h"
#include "evaluation/totals_export.h"
#include "i18n/text_table.h"
#include "logdata/multi_day.h"
#include "settings/ini_settings.h"
#include "ui/locale_month_names.h"
#include "ui/window_output.h"
#include "workbook/workbooks.h"

#include <QFont>
#include <QGuiApplication>
#include <QLocale>

#include <memory>

namespace calorix::app {
namespace {

using logdata::Channel;

struct StoredSettings {
  TChildSettings child = BuiltInChildSettings();
  int language = 0;
};

// The export looks like the window would; a settings file that cannot be
// read leaves the built-in settings, as a new window without one has.
StoredSettings ReadSettings() {
  StoredSettings stored;
  try {
    const TIniSettings store;
    stored.child = store.GetChildSettings();
    stored.language = store.GetMainSettings().Language;
  } catch (const std::exception&) {
  }
  return stored;
}

// What the window would say about the files goes to warn: files that could
// not be loaded and reads that ended early.
void Load(evaluation::EvaluationModel& model, const CommandLine& line,
          const std::function<void(const std::string&)>& warn) {
  const auto passOn = [&] {
    for (const std::string& message : model.TakeMessages()) warn(message);
    for (const std::string& warning : model.TakeWarnings()) warn(warning);
  };
  if (!line.range) {
    model.LoadFile(line.files[0]);
    passOn();
    return;
  }
  const logdata::MultiDayRequest request = logdata::ResolveMultiDayRequest(line.files[0], line.files[1]);
  if (request.kind == logdata::MultiDayRequest::Kind::SingleDay) {
    model.LoadFile(request.files.front());
  } else {
    logdata::MultiDayLoadCallbacks callbacks;
    callbacks.fileFailed = warn;
    logdata::RunMultiDayLoad(request.files, request.start, request.end, model, callbacks);
  }
  passOn();
  if (!model.HasEvaluation()) throw Error(i18n::Text(i18n::kTextNoFileLoaded));
}

// The channels asked for, each of which must have values; or every
// channel that has values in the shown span.
void ShowChannels(evaluation::EvaluationModel& model, const std::vector<Channel>& channels) {
  if (!channels.empty()) {
    for (const Channel channel : channels) {
      try {
        model.SetChannelChecked(channel, true);
      } catch (const Error& e) {
        throw Error(std::string(evaluation::ChannelName(channel)) + ": " + e.what());
      }
    }
    return;
  }
  for (int i = 0; i < logdata::kChannelCount; ++i) {
    const Channel channel = logdata::ChannelAt(i);
    if (!model.View().enabled[static_cast<std::size_t>(i)]) continue;
    try {
      model.SetChannelChecked(channel, true);
    } catch (const Error&) {
      // No values in this span: left out.
    }
  }
}

}  // namespace

void RunExport(const CommandLine& line, const std::function<void(const std::string&)>& warn) {
  if (line.findings) {
    RunFindings(
        line, [&](const std::string& csv) { ui::WriteTextFile(line.output, csv); }, warn);
    return;
  }
  const StoredSettings stored = ReadSettings();
  i18n::SetCurrentBlock(i18n::BlockOfLanguage(stored.language));
  // Month names in the language of the texts, as the window shows them.
  const QLocale locale(
      QString::fromUtf8(kLanguageChoices[static_cast<std::size_t>(LanguageChoiceOfCode(stored.language))].locale));
  auto model = std::make_unique<evaluation::EvaluationModel>(ui::MonthNamesOf(locale), stored.child);
  model->ApplySettings(stored.child);
  model->SetLowerChartWidth(kExportWidth);
  Load(*model, line, warn);
  if (line.format == CommandLine::Format::Xlsx) {
    workbook::WriteExportWorkbook(line.output, *model->Snapshot().load.Data(), model->Settings(), line.channels,
                                  line.totals);
    return;
  }
  if (line.totals) {
    ui::WriteTextFile(line.output, model->Snapshot().load.TotalsCsv(*line.totals));
    return;
  }
  // A range too short for the year span offers none and shows its month.
  if (line.span != evaluation::Span::Day) model->ChooseSpan(static_cast<int>(line.span));
  ShowChannels(*model, line.channels);
  if (!model->HasGraphs()) throw Error(i18n::Text(i18n::kTextNoDataAvailable));
  if (line.format == CommandLine::Format::Csv) {
    ui::WriteTextFile(line.output, evaluation::ChannelsCsv(*model));
  } else {
    ui::SaveChartsToFile(*model, line.output, kExportWidth, kExportUpperHeight, kExportLowerHeight,
                         QGuiApplication::font());
  }
}

}  // namespace calorix::app
