#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace calorix::app {

// The size of an exported chart image in pixels: the upper chart above the
// lower one, at the proportions of a maximised window.
inline constexpr int kExportWidth = 1200;
inline constexpr int kExportUpperHeight = 600;
inline constexpr int kExportLowerHeight = 170;

// Carries out "--export": loads the file or the range into an evaluation
// of its own (no window), shows the span and the channels asked for with
// the settings of the settings file (built-in ones when it cannot be
// read), and writes the charts through the same renderer as the window, or
// the values as CSV. Files of a range that fail are passed to warn and
// left out. Throws calorix::Error with the text to print on failure (no
// day could be loaded, a channel without values, the file not written).
// With line.findings it writes the findings as CSV (RunFindings).
// Speaks the stored language; with none stored the first of
// systemLanguages that is a choice, else German (as the window would).
// Needs a Qt application object (any platform, offscreen included).
void RunExport(const CommandLine& line, const std::function<void(const std::string&)>& warn,
               const std::vector<std::string>& systemLanguages = {});

}  // namespace calorix::app
