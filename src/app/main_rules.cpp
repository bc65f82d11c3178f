#include "app/main_rules.h"

#include "i18n/text_table.h"

namespace calorix::app {

TargetChoice ChooseTargetWindow(int windowCount, bool activeWindowHoldsEvaluation) {
  if (windowCount > 0 && !activeWindowHoldsEvaluation) return TargetChoice::ActiveWindow;
  if (windowCount < kMaxEvaluationWindows) return TargetChoice::NewWindow;
  return TargetChoice::ActiveIfConfirmed;
}

ActionStates ActionStatesFor(bool windowActive, bool hasGraphs, int windowCount) {
  ActionStates states;
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

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
    if (!optionsEnded && (arg == "--help" || arg == "-h")) return {CommandLine::Kind::Help, {}};
    if (!optionsEnded && arg == "--") optionsEnded = true;
  }
  optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && arg == "--range") {
      if (i != 0 || args.size() != 3) throw UsageError("--range takes the first and the last day file, and nothing else");
      return {CommandLine::Kind::Range, {args[1], args[2]}};
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
         "  --help, -h          show this help and end\n"
         "  --                  the arguments after it are files\n";
}

}  // namespace calorix::app
