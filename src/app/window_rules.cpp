#include "app/window_rules.h"

#include "i18n/text_table.h"

#include <algorithm>
#include <optional>

namespace calorix::app {

TargetChoice ChooseTargetWindow(int windowCount, bool activeWindowHoldsEvaluation) {
  if (windowCount > 0 && !activeWindowHoldsEvaluation) return TargetChoice::ActiveWindow;
  if (windowCount < kMaxEvaluationWindows) return TargetChoice::NewWindow;
  return TargetChoice::ActiveIfConfirmed;
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
  return i18n::Text(i18n::kTextLogFiles) + " (*.csv)|*.csv|" + i18n::Text(i18n::kTextAllFiles) + " (*.*)|*";
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

int UsableWindowHeight(int windowHeight, int upperChartHeight, int minimumHeight) {
  return std::max(minimumHeight, windowHeight - upperChartHeight + kUsableUpperChartHeight);
}

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

}  // namespace calorix::app
