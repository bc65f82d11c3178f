#include "app/main_rules.h"

#include "evaluation/channel_export.h"
#include "i18n/text_table.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace calorix::app {

TargetChoice ChooseTargetWindow(int windowCount, bool activeWindowHoldsEvaluation) {
  if (windowCount > 0 && !activeWindowHoldsEvaluation) return TargetChoice::ActiveWindow;
  if (windowCount < kMaxEvaluationWindows) return TargetChoice::NewWindow;
  return TargetChoice::ActiveIfConfirmed;
}

ActionStates ActionStatesFor(bool windowActive, bool hasGraphs, int windowCount, bool hasEvaluation) {
  ActionStates states;
  states.exportTotals = windowActive && hasEvaluation;
  const bool output = windowActive && hasGraphs;
  states.save = output;
  states.print = output;
  states.close = windowActive;
  states.windowSettings = windowActive;
  const bool anyWindow = windowCount > 0;
  states.cascade = anyWindow;
  states.tileHorizontal = anyWindow;
  states.minimizeAll = anyWindow;
  return states;
}

namespace {

bool IsFolderSeparator(char c, PathStyle style) {
  // Qt's dialogs hand out "/" on Windows too.
  return c == '/' || (style == PathStyle::Windows && c == '\\');
}

bool IsDelimiter(char c, PathStyle style) {
  return IsFolderSeparator(c, style) || (style == PathStyle::Windows && c == ':');
}

}  // namespace

std::string FolderOfChosenFile(std::string_view path, PathStyle style) {
  std::size_t end = path.size();
  while (end > 0 && !IsDelimiter(path[end - 1], style)) --end;
  if (end == 0) return {};
  // end is one past the last delimiter. A separator that closes a root ("/",
  // "C:\") or follows another one stays, so the result still names a folder.
  const std::size_t last = end - 1;
  if (last > 0 && IsFolderSeparator(path[last], style) && !IsDelimiter(path[last - 1], style)) {
    --end;
  }
  return std::string(path.substr(0, end));
}

std::string LogFileFilter() {
  return i18n::Text(i18n::kTextLogFiles) + " (*.csv)|*.csv|" + i18n::Text(i18n::kTextAllFiles) +
         " (*.*)|*";
}

std::vector<Band> StackedBands(int height, int count) {
  std::vector<Band> bands;
  if (count <= 0) return bands;
  const int base = height / count;
  const int extra = height % count;
  int start = 0;
  for (int i = 0; i < count; ++i) {
    const int length = base + (i < extra ? 1 : 0);
    bands.push_back({start, length});
    start += length;
  }
  return bands;
}

namespace {

std::vector<Tile> GridTiles(int width, int height, int count, int rows) {
  const int columns = (count + rows - 1) / rows;
  const std::vector<Band> rowBands = StackedBands(height, rows);
  std::vector<Tile> tiles;
  for (int row = 0; row < rows; ++row) {
    // The last row may hold fewer windows; they share its width.
    const int inRow = std::min(columns, count - row * columns);
    const std::vector<Band> columnBands = StackedBands(width, inRow);
    for (const Band& column : columnBands) {
      tiles.push_back({column.start, rowBands[row].start, column.length, rowBands[row].length});
    }
  }
  return tiles;
}

}  // namespace

std::vector<Tile> TileWindows(int areaWidth, int areaHeight, int count, int minimumWidth, int minimumHeight) {
  if (count <= 0) return {};
  // The most rows whose height still holds a window, then as few columns as
  // that allows.
  const int rows = std::clamp(minimumHeight > 0 ? areaHeight / minimumHeight : count, 1, count);
  const int columns = (count + rows - 1) / rows;
  if (areaHeight / rows >= minimumHeight && areaWidth / columns >= minimumWidth) {
    return GridTiles(areaWidth, areaHeight, count, rows);
  }
  // Nothing fits side by side: full-width bands of the minimum height,
  // overlapping evenly, each wholly inside the area.
  const int height = std::min(minimumHeight, areaHeight);
  const int free = std::max(0, areaHeight - height);
  std::vector<Tile> tiles;
  for (int i = 0; i < count; ++i) {
    const int top = count > 1 ? free * i / (count - 1) : 0;
    tiles.push_back({0, top, areaWidth, height});
  }
  return tiles;
}

int LanguageChoiceOfCode(int code) {
  for (std::size_t i = 0; i < kLanguageChoices.size(); ++i) {
    if (kLanguageChoices[i].code == code && code >= 2) return static_cast<int>(i);
  }
  return 0;
}

namespace {

// One character of a menu text: its bytes and its letter in lower case
// (nothing for anything that cannot be an access key).
struct MenuChar {
  std::size_t offset;
  std::size_t length;
  std::optional<char32_t> key;
};

char32_t KeyOf(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  // Latin-1 capitals, as in the interface languages' texts.
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

bool IsKeyCharacter(char32_t c) {
  return (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') ||
         (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}

std::vector<MenuChar> MenuChars(std::string_view text) {
  std::vector<MenuChar> chars;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    chars.push_back({i, length, IsKeyCharacter(c) ? std::optional<char32_t>(KeyOf(c)) : std::nullopt});
    i += length;
  }
  return chars;
}

// The key a text's own marker gives ("&&" is a literal "&").
std::optional<char32_t> MarkedKey(std::string_view text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    const std::vector<MenuChar> rest = MenuChars(text.substr(i + 1));
    return rest.front().key.value_or(static_cast<char32_t>(static_cast<unsigned char>(text[i + 1])));
  }
  return std::nullopt;
}

std::optional<std::size_t> ChooseKey(const std::vector<MenuChar>& chars, const std::vector<char32_t>& taken) {
  const auto isFree = [&](const MenuChar& c) {
    return c.key && std::find(taken.begin(), taken.end(), *c.key) == taken.end();
  };
  if (!chars.empty() && isFree(chars.front())) return 0;
  for (std::size_t i = 1; i < chars.size(); ++i) {
    if (!chars[i - 1].key && isFree(chars[i])) return i;
  }
  for (std::size_t i = 0; i < chars.size(); ++i) {
    if (isFree(chars[i])) return i;
  }
  return std::nullopt;
}

}  // namespace

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& texts) {
  std::vector<char32_t> taken;
  for (const std::string& text : texts) {
    if (const auto key = MarkedKey(text)) taken.push_back(*key);
  }
  std::vector<std::string> result;
  for (const std::string& text : texts) {
    if (MarkedKey(text)) {
      result.push_back(text);
      continue;
    }
    const std::vector<MenuChar> chars = MenuChars(text);
    const auto chosen = ChooseKey(chars, taken);
    if (!chosen) {
      result.push_back(text);
      continue;
    }
    taken.push_back(*chars[*chosen].key);
    const std::size_t at = chars[*chosen].offset;
    result.push_back(text.substr(0, at) + "&" + text.substr(at));
  }
  return result;
}

namespace {

CommandLine::Format ExportFormat(const std::string& output) {
  std::string extension = output.substr(std::min(output.size(), output.rfind('.') + 1));
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (output.rfind('.') == std::string::npos) extension.clear();
  if (extension == "png") return CommandLine::Format::Png;
  if (extension == "pdf") return CommandLine::Format::Pdf;
  if (extension == "svg") return CommandLine::Format::Svg;
  if (extension == "csv") return CommandLine::Format::Csv;
  throw UsageError("--export writes .png, .pdf, .svg or .csv files, not '" + output + "'");
}

std::vector<logdata::Channel> ExportChannels(const std::string& list) {
  std::vector<logdata::Channel> channels;
  std::size_t from = 0;
  while (from <= list.size()) {
    const std::size_t comma = std::min(list.find(',', from), list.size());
    const std::string name = list.substr(from, comma - from);
    const auto channel = evaluation::ChannelByName(name);
    if (!channel) {
      throw UsageError("unknown channel '" + name +
                       "' (T1..T6, TD, Flow, Power, R1, R2, R3, RError, Volume, Energy)");
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

void CheckFindings(CommandLine& line, bool spanGiven) {
  if (line.output.empty()) line.kind = CommandLine::Kind::Findings;
  if (!line.output.empty() && line.format != CommandLine::Format::Csv) throw UsageError("--findings writes a .csv file");
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
      line.files.push_back(arg);
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
  if (line.totals && line.format != CommandLine::Format::Csv) throw UsageError("--totals writes a .csv file");
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
      if (i != 0 || args.size() != 3) throw UsageError("--range takes the first and the last day file, and nothing else");
      return Simple(CommandLine::Kind::Range, {args[1], args[2]});
    } else if (!optionsEnded && arg.starts_with("--")) {
      throw UsageError("unknown option '" + arg + "'");
    } else {
      line.files.push_back(arg);
    }
  }
  return line;
}

std::string_view UsageText() {
  return "Usage: calorix [FILE...]\n"
         "       calorix --range FIRST LAST\n"
         "       calorix --export OUT [--channels LIST] [--span day|month|year] FILE | --range FIRST LAST\n"
         "       calorix --export OUT.csv --totals day|month FILE | --range FIRST LAST\n"
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
         "  --export OUT        write what the window would show to OUT without opening\n"
         "                      a window, then end: the charts as .png, .pdf or .svg,\n"
         "                      or the channels' values as .csv (one time column, one\n"
         "                      column per channel, \".\" decimals); exits with 0 on\n"
         "                      success, else prints the error and exits with 1\n"
         "  --channels LIST     the channels to show, separated by commas: T1..T6, TD,\n"
         "                      Flow, Power, R1, R2, R3, RError, Volume, Energy\n"
         "                      (default: every channel that has values)\n"
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
