#include "tools/genlog_cli.h"

#include <charconv>
#include <string>

namespace calorix::loggen {
namespace {

constexpr std::string_view kUsage =
    "Usage: calorix-genlog --from yyyy-mm-dd [--to yyyy-mm-dd] --out DIR [options]\n"
    "Writes one simulated solar-thermal controller log file (yyyymmdd.csv) per day.\n"
    "\n"
    "  --from yyyy-mm-dd      first day\n"
    "  --to yyyy-mm-dd        last day (default: the first day)\n"
    "  --out DIR              folder to write below, created when missing\n"
    "  --layout flat|month|year\n"
    "                         flat: DIR/yyyymmdd.csv (default)\n"
    "                         month: DIR/mm/yyyymmdd.csv\n"
    "                         year: DIR/yyyy/mm/yyyymmdd.csv\n"
    "  --seed N               random seed, 0..4294967295 (default 1)\n"
    "  --interval MINUTES     minutes between records, 1..1440 (default 1)\n"
    "  --header iso|german    \"DATE & TIME\" with yyyy-mm-dd stamps (default),\n"
    "                         or \"dd.mm.yy hh:mm\" with dd.mm.yyyy stamps\n"
    "  --watts                power column in [W]\n"
    "  --mbtu                 power column in [MBtu/h]\n"
    "  --inject KIND:yyyy-mm-dd[:CHANNEL][,...]\n"
    "                         write a pattern the findings report into that day:\n"
    "                         overheat, no-yield, cycling (CHANNEL R1..R3),\n"
    "                         err (any channel), out-of-range and stuck (T1..TD),\n"
    "                         fault, gap, missing-day (no file), night-loss;\n"
    "                         other days show none\n"
    "  --help                 show this text\n";

struct Parsed {
  CommandLine line;
  bool haveFrom = false;
  bool haveTo = false;
  bool haveOut = false;
  bool powerChosen = false;
};

template <typename Value>
struct Named {
  std::string_view name;
  Value value;
};

constexpr Named<FolderLayout> kLayouts[] = {
    {"flat", FolderLayout::Flat}, {"month", FolderLayout::Month}, {"year", FolderLayout::Year}};
constexpr Named<HeaderStyle> kHeaders[] = {{"iso", HeaderStyle::Iso}, {"german", HeaderStyle::German}};

template <typename Value, std::size_t N>
Value Choose(std::string_view text, const Named<Value> (&table)[N], std::string_view option) {
  for (const auto& entry : table)
    if (entry.name == text) return entry.value;
  throw UsageError(std::string(option) + ": unknown value '" + std::string(text) + "'");
}

template <typename Number>
Number ParseNumber(std::string_view text, std::string_view option, Number low, Number high) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
    throw UsageError(std::string(option) + ": expected a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", got '" + std::string(text) + "'");
  return value;
}

CivilDate RequireIsoDate(std::string_view text, std::string_view option) {
  const auto date = ParseIsoDate(text);
  if (!date) throw UsageError(std::string(option) + ": expected a date yyyy-mm-dd, got '" + std::string(text) + "'");
  return *date;
}

void ChoosePower(Parsed& parsed, PowerUnit unit) {
  if (parsed.powerChosen) throw UsageError("--watts and --mbtu exclude each other");
  parsed.powerChosen = true;
  parsed.line.options.power = unit;
}

using Apply = void (*)(Parsed&, std::string_view value);

struct OptionRule {
  std::string_view name;
  bool takesValue;
  Apply apply;
};

constexpr OptionRule kRules[] = {
    {"--from", true,
     [](Parsed& p, std::string_view v) {
       p.line.from = RequireIsoDate(v, "--from");
       p.haveFrom = true;
     }},
    {"--to", true,
     [](Parsed& p, std::string_view v) {
       p.line.to = RequireIsoDate(v, "--to");
       p.haveTo = true;
     }},
    {"--out", true,
     [](Parsed& p, std::string_view v) {
       if (v.empty()) throw UsageError("--out: the folder must not be empty");
       p.line.out = std::filesystem::path(v);
       p.haveOut = true;
     }},
    {"--layout", true, [](Parsed& p, std::string_view v) { p.line.layout = Choose(v, kLayouts, "--layout"); }},
    {"--header", true, [](Parsed& p, std::string_view v) { p.line.options.header = Choose(v, kHeaders, "--header"); }},
    {"--seed", true,
     [](Parsed& p, std::string_view v) {
       p.line.options.seed = ParseNumber<std::uint32_t>(v, "--seed", 0, 4294967295u);
     }},
    {"--interval", true,
     [](Parsed& p, std::string_view v) { p.line.options.intervalMinutes = ParseNumber(v, "--interval", 1, 1440); }},
    {"--inject", true,
     [](Parsed& p, std::string_view v) {
       for (const Injection& injection : ParseInjections(v)) p.line.options.injections.push_back(injection);
     }},
    {"--watts", false, [](Parsed& p, std::string_view) { ChoosePower(p, PowerUnit::Watt); }},
    {"--mbtu", false, [](Parsed& p, std::string_view) { ChoosePower(p, PowerUnit::MBtuPerHour); }},
    {"--help", false, [](Parsed& p, std::string_view) { p.line.help = true; }},
    {"-h", false, [](Parsed& p, std::string_view) { p.line.help = true; }},
};

const OptionRule& FindRule(std::string_view name) {
  for (const OptionRule& rule : kRules)
    if (rule.name == name) return rule;
  throw UsageError("unknown argument '" + std::string(name) + "'");
}

DateTime Serial(CivilDate date) { return TryEncodeDate(date.year, date.month, date.day).value_or(0); }

CommandLine Complete(Parsed parsed) {
  CommandLine& line = parsed.line;
  if (line.help) return line;
  if (!parsed.haveFrom) throw UsageError("--from is required");
  if (!parsed.haveOut) throw UsageError("--out is required");
  if (!parsed.haveTo) line.to = line.from;
  if (Serial(line.to) < Serial(line.from)) throw UsageError("--to lies before --from");
  for (const Injection& injection : line.options.injections) {
    if (Serial(injection.date) < Serial(line.from) || Serial(injection.date) > Serial(line.to)) {
      throw UsageError("--inject: " + FormatDateTime("yyyy-mm-dd", Serial(injection.date)) +
                       " lies outside --from .. --to");
    }
  }
  return line;
}

}  // namespace

std::optional<CivilDate> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  auto field = [text](std::size_t at, std::size_t length) -> std::optional<int> {
    int value = 0;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + length, value);
    if (error != std::errc() || end != first + length || *first == '-' || *first == '+') return std::nullopt;
    return value;
  };
  const auto year = field(0, 4);
  const auto month = field(5, 2);
  const auto day = field(8, 2);
  if (!year || !month || !day || !TryEncodeDate(*year, *month, *day)) return std::nullopt;
  return CivilDate{*year, *month, *day};
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  Parsed parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (const auto equals = name.find('='); name.starts_with("--") && equals != std::string_view::npos) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    const OptionRule& rule = FindRule(name);
    if (!rule.takesValue && value) throw UsageError(std::string(name) + " takes no value");
    if (rule.takesValue && !value) {
      if (i + 1 == args.size()) throw UsageError(std::string(name) + " needs a value");
      value = args[++i];
    }
    rule.apply(parsed, value.value_or(std::string_view()));
  }
  return Complete(std::move(parsed));
}

std::string_view UsageText() { return kUsage; }

}  // namespace calorix::loggen
