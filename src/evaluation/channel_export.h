#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "logdata/channel.h"

namespace calorix::evaluation {

class EvaluationModel;

// The name of a channel on the command line and in CSV headings: T1..T6,
// TD, Flow, Power, R1, R2, R3, RError, Volume, Energy.
std::string_view ChannelName(logdata::Channel channel);
// A channel by that name or by its log header name (Tds, V', P, R!),
// either case.
std::optional<logdata::Channel> ChannelByName(std::string_view name);

// The checked channels of the visible time window as CSV: a "time" column
// (yyyy-mm-dd hh:nn:ss) with every record time of any of them in order, and
// one column per channel in the selection panel's order, headed by its name
// and unit ("T1 [°C]"), holding the value recorded at that time with "."
// as decimal point, or nothing. Lines end in "\n"; UTF-8.
std::string ChannelsCsv(const EvaluationModel& model);

}  // namespace calorix::evaluation
