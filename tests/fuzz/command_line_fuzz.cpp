// Any argument list gives a usage error or a call that, written out again in
// its plain form, is accepted as the same call: no option is taken as a
// file, no file is empty.

#include <algorithm>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "evaluation/channel_export.h"
#include "fuzz_support.h"

namespace {

using calorix::app::CommandLine;

// The call written out plainly, files after "--" where they could be taken
// as options.
std::vector<std::string> Written(const CommandLine& line) {
  std::vector<std::string> args;
  if (line.kind == CommandLine::Kind::Range) return {"--range", line.files[0], line.files[1]};
  if (line.kind == CommandLine::Kind::Export) {
    args = {"--export", line.output};
    if (!line.channels.empty()) {
      std::string list;
      for (const auto channel : line.channels) {
        list += (list.empty() ? "" : ",") + std::string(calorix::evaluation::ChannelName(channel));
      }
      args.insert(args.end(), {"--channels", list});
    }
    if (line.totals) {
      args.insert(args.end(), {"--totals", *line.totals == calorix::evaluation::TotalsPer::Day ? "day" : "month"});
    } else {
      using calorix::evaluation::Span;
      args.insert(args.end(), {"--span", line.span == Span::Day ? "day" : line.span == Span::Month ? "month" : "year"});
    }
    if (line.range) args.push_back("--range");
  }
  if (!line.files.empty()) args.push_back("--");
  args.insert(args.end(), line.files.begin(), line.files.end());
  return args;
}

bool SameCall(const CommandLine& a, const CommandLine& b) {
  return a.kind == b.kind && a.files == b.files && a.range == b.range && a.output == b.output && a.format == b.format &&
         a.channels == b.channels && a.totals == b.totals && (a.kind != CommandLine::Kind::Export || a.span == b.span);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The arguments are the input's NUL-separated parts; no input, no argument.
  std::vector<std::string> given;
  if (size > 0) {
    const auto nuls = static_cast<std::size_t>(std::count(data, data + size, std::uint8_t{0}));
    given = calorix::fuzz::Parts(data, size, std::min<std::size_t>(nuls + 1, 16));
  }
  CommandLine line;
  try {
    line = calorix::app::ParseCommandLine(given);
  } catch (const calorix::app::UsageError&) {
    return 0;
  }
  for (const std::string& file : line.files) FUZZ_CHECK(!file.empty());
  if (line.kind == CommandLine::Kind::Range || line.range) FUZZ_CHECK(line.files.size() == 2);
  if (line.kind == CommandLine::Kind::Range) {
    for (const std::string& file : line.files) FUZZ_CHECK(!file.starts_with("--"));
  }
  if (line.kind == CommandLine::Kind::Help) return 0;
  CommandLine again;
  try {
    again = calorix::app::ParseCommandLine(Written(line));
  } catch (const calorix::app::UsageError&) {
    FUZZ_CHECK(!"an accepted call, written out again, is refused");
  }
  FUZZ_CHECK(SameCall(line, again));
  return 0;
}
