#include "settings/settings_keys.h"

#include "core/error.h"
#include "settings/channel_keys.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace calorix {
namespace {

template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
// Spelled out: clang before 17 deduces no template arguments for aggregates.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

using Field = SettingsField;
using Values = SettingsValues;

std::vector<SettingsKey> BuildKeys() {
  std::vector<SettingsKey> keys = {
      {kMainSection, "ExcelPath", 0, "", [](Values& v, int) -> Field { return &v.ExcelPath; }, 0},
      {kMainSection, "LastUsedDir", 0, nullptr, [](Values& v, int) -> Field { return &v.LastUsedDir; }, 0},
      {kMainSection, "Language", 0, "", [](Values& v, int) -> Field { return &v.Language; }, 0},
      {kChildSection, "ChartTitle", 0, "", [](Values& v, int) -> Field { return &v.Defaults.ChartTitle; }, 0},
      {kChildSection, "LineWidth", 2, "", [](Values& v, int) -> Field { return &v.Defaults.LineWidth; }, 0},
      {kChildSection, "AxisMin", -10, "", [](Values& v, int) -> Field { return &v.Defaults.AxisMin; }, 0},
      {kChildSection, "AxisMax", 120, "", [](Values& v, int) -> Field { return &v.Defaults.AxisMax; }, 0},
      {kChildSection, "DynamicScaling", 1, "", [](Values& v, int) -> Field { return &v.Defaults.DynamicScaling; }, 0},
  };
  for (const ChannelKey& channel : kChannelKeys) {
    keys.push_back({kChildSection, std::string(channel.name) + "Label", 0, kDefaultLabel,
                    [](Values& v, int slot) -> Field { return &v.Defaults.Labels.at(slot); },
                    static_cast<int>(channel.slot)});
  }
  for (const ChannelKey& channel : kChannelKeys) {
    keys.push_back({kChildSection, std::string(channel.name) + "Color", static_cast<std::int32_t>(channel.defaultColor),
                    "", [](Values& v, int slot) -> Field { return &v.Defaults.Colors.at(slot); },
                    static_cast<int>(channel.slot)});
  }
  keys.push_back(
      {kChildSection, "OthersShowBars", 1, "", [](Values& v, int) -> Field { return &v.Defaults.OthersShowBars; }, 0});
  keys.push_back({kChildSection, "RShowBars", 0, "", [](Values& v, int) -> Field { return &v.Defaults.RShowBars; }, 0});
  return keys;
}

std::optional<std::uint64_t> ParseDigits(std::string_view digits, int base) {
  std::uint64_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
  if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseHex(std::string_view digits) {
  const auto value = ParseDigits(digits, 16);
  if (!value || *value > std::numeric_limits<std::uint32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  const auto magnitude = ParseDigits(text, 10);
  const std::uint64_t limit = std::uint64_t{std::numeric_limits<std::int32_t>::max()} + negative;
  if (!magnitude || *magnitude > limit) return std::nullopt;
  const auto value = static_cast<std::int64_t>(*magnitude);
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t IntegerOr(const std::optional<std::string>& text, std::int32_t fallback) {
  if (!text) return fallback;
  return ParseProfileInteger(*text).value_or(fallback);
}

}  // namespace

const std::vector<SettingsKey>& SettingsKeys() {
  static const std::vector<SettingsKey> keys = BuildKeys();
  return keys;
}

const SettingsKey& SettingsKeyNamed(std::string_view section, std::string_view name) {
  const auto& keys = SettingsKeys();
  const auto found =
      std::ranges::find_if(keys, [&](const SettingsKey& key) { return key.section == section && key.name == name; });
  if (found == keys.end()) throw Error("Internal Error - unknown settings key " + std::string(name));
  return *found;
}

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  if (text.size() > 2 && (text.starts_with("0x") || text.starts_with("0X"))) {
    return ParseHex(text.substr(2));
  }
  if (text.starts_with('$')) return ParseHex(text.substr(1));
  return ParseDecimal(text);
}

std::int8_t LanguageFromStored(std::int32_t stored) {
  const auto language = static_cast<std::int8_t>(stored & 0xFF);
  return (language < 0 || language > 7) ? std::int8_t{0} : language;
}

void LoadKey(const SettingsKey& key, const std::optional<std::string>& text, const std::string& programFolder,
             SettingsValues& values) {
  const std::int32_t number = IntegerOr(text, key.numberDefault);
  std::visit(Overloaded{
                 [&](std::string* field) {
                   const std::string fallback = key.textDefault ? key.textDefault : programFolder;
                   *field = text.value_or(fallback);
                 },
                 [&](std::int32_t* field) { *field = number; },
                 [&](bool* field) { *field = number != 0; },
                 [&](Color* field) { *field = static_cast<Color>(number); },
                 [&](std::int8_t* field) { *field = LanguageFromStored(number); },
             },
             key.field(values, key.slot));
}

TChildSettings DefaultChildSettings() {
  SettingsValues values;
  for (const SettingsKey& key : SettingsKeys()) LoadKey(key, std::nullopt, {}, values);
  return values.Defaults;
}

std::string EncodeKey(const SettingsKey& key, SettingsValues& values) {
  return std::visit(Overloaded{
                        [](std::string* field) { return *field; },
                        [](std::int32_t* field) { return std::to_string(*field); },
                        [](bool* field) { return std::string(*field ? "1" : "0"); },
                        [](Color* field) { return std::to_string(static_cast<std::int32_t>(*field)); },
                        [](std::int8_t* field) { return std::to_string(int{*field}); },
                    },
                    key.field(values, key.slot));
}

}  // namespace calorix
