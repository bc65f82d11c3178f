#include "app/command_line.h"

#include "evaluation/channel_export.h"

#include <algorithm>
#include <cctype>

namespace calorix::app {

namespace {

CommandLine::Format ExportFormat(const std::string& output) {
  std::string extension = output.substr(std::min(output.size(), output.rfind('.') + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (output.rfind('.') == std::string::npos) extension.clear();
  if (extension == "png") return CommandLine::Format::Png;
  if (extension == "pdf") return CommandLine::Format::Pdf;
  if (extension == "svg") return CommandLine::Format::Svg;
  if (extension == "csv") return CommandLine::Format::Csv;
  if (extension == "xlsx") return CommandLine::Format::Xlsx;
  throw UsageError("--export writes .png, .pdf, .svg, .csv or .xlsx files, not '" + output + "'");
}

std::vector<logdata::Channel> ExportChannels(const std::string& list) {
  std::vector<logdata::Channel> channels;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    const std::string name = list.substr(from, comma - from);
    const auto channel = evaluation::ChannelByName(name);
    if (!channel) {
      throw UsageError("unknown channel '" + name + "' (T1..T6, TD, Flow, Power, R1, R2, R3, RError, Volume, Energy)");
    }
    if (std::find(channels.begin(), channels.end(), *channel) == channels.end()) channels.push_back(*channel);
    from = comma + 1;
  }
  return channels;
}

CommandLine Simple(CommandLine::Kind kind, std::vector<std::string> files) {
  CommandLine line;
  line.kind = kind;
  line.files = std::move(files);
  return line;
}

const std::string& RequireDayFile(const std::string& arg) {
  if (arg.empty()) throw UsageError("an empty text is no day file");
  return arg;
}

void CheckFindings(CommandLine& line, bool spanGiven) {
  if (line.output.empty()) line.kind = CommandLine::Kind::Findings;
  if (!line.output.empty() && line.format != CommandLine::Format::Csv)
    throw UsageError("--findings writes a .csv file");
  if (spanGiven || !line.channels.empty() || line.totals) {
    throw UsageError("--findings takes no --channels, --span or --totals");
  }
}

// Everything after "--export" or "--findings": its options and one file
// or a range.
CommandLine ParseExport(const std::vector<std::string>& args) {
  CommandLine line;
  line.kind = CommandLine::Kind::Export;
  std::optional<evaluation::Span> span;
  bool optionsEnded = false;
  const auto valueOf = [&](std::size_t& i) -> const std::string& {
    if (i + 1 >= args.size()) throw UsageError(args[i] + " needs a value");
    return args[++i];
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || !arg.starts_with("--")) {
      line.files.push_back(RequireDayFile(arg));
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--export") {
      if (!line.output.empty()) throw UsageError("--export given twice");
      line.output = valueOf(i);
      line.format = ExportFormat(line.output);
    } else if (arg == "--channels") {
      line.channels = ExportChannels(valueOf(i));
    } else if (arg == "--span") {
      const std::string& value = valueOf(i);
      if (value != "day" && value != "month" && value != "year") {
        throw UsageError("--span is day, month or year, not '" + value + "'");
      }
      span = value == "day"     ? evaluation::Span::Day
             : value == "month" ? evaluation::Span::Month
                                : evaluation::Span::Year;
    } else if (arg == "--totals") {
      const std::string& value = valueOf(i);
      if (value != "day" && value != "month") throw UsageError("--totals is day or month, not '" + value + "'");
      line.totals = value == "day" ? evaluation::TotalsPer::Day : evaluation::TotalsPer::Month;
    } else if (arg == "--range") {
      line.range = true;
    } else if (arg == "--findings") {
      line.findings = true;
    } else {
      throw UsageError("unknown option '" + arg + "'");
    }
  }
  if (line.range && line.files.size() != 2) throw UsageError("--range takes the first and the last day file");
  const char* command = line.output.empty() ? "--findings" : "--export";
  if (!line.range && line.files.size() != 1) {
    throw UsageError(std::string(command) + " takes one day file or --range FIRST LAST");
  }
  if (line.findings) CheckFindings(line, span.has_value());
  if (span && *span != evaluation::Span::Day && !line.range) {
    throw UsageError(std::string("--span ") + (*span == evaluation::Span::Year ? "year" : "month") +
                     " needs --range FIRST LAST");
  }
  const bool table = line.format == CommandLine::Format::Csv || line.format == CommandLine::Format::Xlsx;
  if (line.totals && !table) throw UsageError("--totals writes a .csv or .xlsx file");
  if (span && line.format == CommandLine::Format::Xlsx) {
    throw UsageError("--span does not apply to .xlsx: a workbook holds every day");
  }
  if (line.totals && (span || !line.channels.empty())) throw UsageError("--totals takes no --channels or --span");
  line.span = span.value_or(line.range ? evaluation::Span::Month : evaluation::Span::Day);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) return Simple(CommandLine::Kind::Help, {});
    if (!optionsEnded && arg == "--") optionsEnded = true;
  }
  for (const std::string& arg : args) {
    if (arg == "--") break;
    if (arg == "--export" || arg == "--findings") return ParseExport(args);
  }
  optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--range") {
      if (i != 0 || args.size() != 3)
        throw UsageError("--range takes the first and the last day file, and nothing else");
      for (const std::string& file : {args[1], args[2]}) {
        if (file.starts_with("--"))
          throw UsageError("--range takes the first and the last day file, not '" + file + "'");
      }
      return Simple(CommandLine::Kind::Range, {RequireDayFile(args[1]), RequireDayFile(args[2])});
    } else if (!optionsEnded && arg == "--follow") {
      if (i != 0 || args.size() != 2 || args[1].starts_with("--")) {
        throw UsageError("--follow takes one day file or folder, and nothing else");
      }
      return Simple(CommandLine::Kind::Follow, {RequireDayFile(args[1])});
    } else if (!optionsEnded && (arg == "--channels" || arg == "--span" || arg == "--totals")) {
      throw UsageError(arg + " belongs to --export: calorix --export OUT " + arg + " ... FILE");
    } else if (!optionsEnded && arg.starts_with("--")) {
      throw UsageError("unknown option '" + arg + "'");
    } else {
      line.files.push_back(RequireDayFile(arg));
    }
  }
  return line;
}

std::string_view UsageText() {
  return "Usage: calorix [FILE...]\n"
         "       calorix --range FIRST LAST\n"
         "       calorix --follow FILE|FOLDER\n"
         "       calorix --export OUT [--channels LIST] [--span day|month|year] FILE | --range FIRST LAST\n"
         "       calorix --export OUT.csv|OUT.xlsx --totals day|month FILE | --range FIRST LAST\n"
         "       calorix [--export OUT.csv] --findings FILE | --range FIRST LAST\n"
         "       calorix --help\n"
         "\n"
         "Shows the day log files of a solar-thermal controller as charts.\n"
         "\n"
         "  FILE...             open each day file as File, Open does (at most three\n"
         "                      windows)\n"
         "  --range FIRST LAST  open the day files from FIRST to LAST as one evaluation\n"
         "                      with daily totals, as the multi-day analysis does: the\n"
         "                      files are named yyyymmdd.csv and lie in one folder, in\n"
         "                      month folders mm or in year and month folders yyyy/mm\n"
         "  --follow FILE|FOLDER  follow a day file as the logger writes it, as File,\n"
         "                      Follow today's log does: of a folder its newest day\n"
         "                      file; records show within two seconds, and the next\n"
         "                      day's file joins the evaluation after midnight\n"
         "  --export OUT        write what the window would show to OUT without opening\n"
         "                      a window, then end: the charts as .png, .pdf or .svg,\n"
         "                      or the channels' values as .csv (one time column, one\n"
         "                      column per channel, \".\" decimals), or a workbook\n"
         "                      .xlsx: the day's values and totals, or for a range one\n"
         "                      sheet per month, daily and monthly totals and a chart\n"
         "                      of the energy per month; exits with 0 on success, else\n"
         "                      prints the error and exits with 1\n"
         "  --channels LIST     the channels to show, separated by commas: T1..T6, TD,\n"
         "                      Flow, Power, R1, R2, R3, RError, Volume, Energy\n"
         "                      (default: a drawing of a day shows T1, T2, Power and\n"
         "                      R1, of a month or a year Energy as daily bars and R1;\n"
         "                      .csv and .xlsx hold every channel that has values)\n"
         "  --span day|month    the first day, or the first month of a range (the\n"
         "                      default for --range)\n"
         "  --span year         the first calendar year of a range longer than a month\n"
         "                      (of a shorter one its month)\n"
         "  --totals day|month  write the totals instead, one row per day or month: date,\n"
         "                      volume, energy, the collector's (T1) highest\n"
         "                      temperature and the pump's (R1) running hours\n"
         "  --findings          print what the days show that points at a fault, one\n"
         "                      line each, cells separated by TAB: kind (overheat,\n"
         "                      no-yield, cycling, err, out-of-range, stuck, fault, gap,\n"
         "                      missing-day, night-loss), channel, start, end\n"
         "                      (yyyy-mm-dd hh:mm) and the figure; with --export OUT.csv\n"
         "                      write them as CSV. Thresholds: section [Findings] of the\n"
         "                      settings file\n"
         "  --help, -h          show this help and end\n"
         "  --                  the arguments after it are files\n";
}

}  // namespace calorix::app
