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

// The channels a drawing shows when none are asked for: what a user
// looks at first, on one or two value axes. A day: the collector and the
// tank, the thermal output and the pump; a month or a year: the energy of
// each day as bars and the pump.
std::vector<Channel> ReadableChannels(evaluation::Span shown) {
  if (shown == evaluation::Span::Month || shown == evaluation::Span::Year) return {Channel::Energy, Channel::R1};
  return {Channel::T1, Channel::T2, Channel::Power, Channel::R1};
}

// Each of the channels that has values in the shown span; the others are
// left out.
void ShowThoseWithValues(evaluation::EvaluationModel& model, const std::vector<Channel>& channels) {
  for (const Channel channel : channels) {
    if (!model.View().enabled[static_cast<std::size_t>(logdata::IndexOf(channel))]) continue;
    try {
      model.SetChannelChecked(channel, true);
    } catch (const Error&) {
      // No values in this span: left out.
    }
  }
}

// The channels asked for, each of which must have values. Else a drawing
// shows the readable set (every channel with values when none of that set
// has any), and the values CSV every channel with values.
void ShowChannels(evaluation::EvaluationModel& model, const std::vector<Channel>& channels, bool drawing) {
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
  if (drawing) {
    ShowThoseWithValues(model, ReadableChannels(model.View().span));
    if (model.HasGraphs()) return;
  }
  std::vector<Channel> all;
  for (int i = 0; i < logdata::kChannelCount; ++i) all.push_back(logdata::ChannelAt(i));
  ShowThoseWithValues(model, all);
}

}  // namespace

void RunExport(const CommandLine& line, const std::function<void(const std::string&)>& warn,
               const std::vector<std::string>& systemLanguages) {
  if (line.findings) {
    RunFindings(
        line, [&](const std::string& csv) { ui::WriteTextFile(line.output, csv); }, warn, systemLanguages);
    return;
  }
  const StoredSettings stored = ReadSettings();
  const LanguageChoice& language =
      kLanguageChoices[static_cast<std::size_t>(StartLanguageChoice(stored.language, systemLanguages))];
  i18n::SetCurrentBlock(i18n::BlockOfLanguage(language.code));
  // Month names in the language of the texts, as the window shows them.
  const QLocale locale(QString::fromUtf8(language.locale));
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
  ShowChannels(*model, line.channels, line.format != CommandLine::Format::Csv);
  if (!model->HasGraphs()) throw Error(i18n::Text(i18n::kTextNoDataAvailable));
  if (line.format == CommandLine::Format::Csv) {
    ui::WriteTextFile(line.output, evaluation::ChannelsCsv(*model));
  } else {
    ui::SaveChartsToFile(*model, line.output, kExportWidth, kExportUpperHeight, kExportLowerHeight,
                         QGuiApplication::font());
  }
}

}  // namespace calorix::app
