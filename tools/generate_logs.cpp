// calorix-genlog: writes simulated controller day files for demos, tests
// and benchmarks.
#include "tools/genlog_cli.h"
#include "tools/log_generator.h"

#include <exception>
#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
  using namespace calorix::loggen;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  try {
    const CommandLine line = ParseCommandLine(args);
    if (line.help) {
      std::cout << UsageText();
      return 0;
    }
    const auto written = WriteDays(line.from, line.to, line.out, line.layout, line.options);
    std::cout << "Wrote " << written.size() << " day file(s) below " << line.out.string() << '\n';
    return 0;
  } catch (const UsageError& error) {
    std::cerr << "calorix-genlog: " << error.what() << "\nTry 'calorix-genlog --help'.\n";
    return 2;
  } catch (const std::exception& error) {
    std::cerr << "calorix-genlog: " << error.what() << '\n';
    return 1;
  }
}
