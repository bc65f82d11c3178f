#include "settings/profile_text.h"

#include <algorithm>

namespace calorix {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A UTF-8 byte-order mark some editors put first is not part of the first
// line; writes keep it where it is.
std::size_t BodyStart(std::string_view content) {
  return content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

struct Line {
  std::string_view text;  // without its line end
  std::size_t begin = 0;
  std::size_t next = 0;  // first byte of the following line
};

// Splits the content into lines. The next CR and the next LF are each found
// with a single-character search (memchr) and remembered until passed, so
// that every byte is looked at once even in files with huge lines or with
// only one kind of line end.
class LineReader {
 public:
  explicit LineReader(std::string_view content)
      : content_(content),
        pos_(BodyStart(content)),
        newline_(content.find('\n')),
        carriageReturn_(content.find('\r')) {}

  bool AtEnd() const { return pos_ >= content_.size(); }

  Line Next() {
    const std::size_t begin = pos_;
    const std::size_t stop = std::min(Upcoming('\n', newline_), Upcoming('\r', carriageReturn_));
    if (stop == std::string_view::npos) {
      pos_ = content_.size();
      return {content_.substr(begin), begin, pos_};
    }
    pos_ = stop + 1;
    if (content_[stop] == '\r' && pos_ < content_.size() && content_[pos_] == '\n') ++pos_;
    return {content_.substr(begin, stop - begin), begin, pos_};
  }

 private:
  std::size_t Upcoming(char c, std::size_t& cached) {
    if (cached < pos_) cached = content_.find(c, pos_);
    return cached;
  }

  std::string_view content_;
  std::size_t pos_;
  std::size_t newline_;
  std::size_t carriageReturn_;
};

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

struct Entry {
  std::string_view key;
  std::string_view value;
};

std::optional<Entry> EntryOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string ValueAsRead(std::string_view value) {
  const bool quoted =
      value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\'');
  if (quoted) value = value.substr(1, value.size() - 2);
  return std::string(value.substr(0, kMaxProfileValueLength));
}

// Where a key lives or would go. Positions are byte offsets into the content.
struct KeyPlace {
  bool sectionFound = false;
  std::optional<Line> keyLine;
  std::size_t insertAt = 0;  // after the section's last non-blank line
};

KeyPlace FindKey(std::string_view content, std::string_view section, std::string_view key) {
  KeyPlace place;
  for (LineReader lines(content); !lines.AtEnd();) {
    const Line line = lines.Next();
    if (const auto name = SectionName(line.text)) {
      if (place.sectionFound) break;
      place.sectionFound = SameName(*name, section);
      place.insertAt = line.next;
      continue;
    }
    if (!place.sectionFound) continue;
    if (!Trim(line.text).empty()) place.insertAt = line.next;
    const auto entry = EntryOf(line.text);
    if (entry && SameName(entry->key, key)) {
      place.keyLine = line;
      break;
    }
  }
  return place;
}

// The line end the file already uses, so that added lines match it.
std::string_view LineEndOf(std::string_view content) {
  const std::size_t stop = content.find_first_of("\r\n");
  if (stop == std::string_view::npos) return "\r\n";
  if (content[stop] == '\n') return "\n";
  return content.substr(stop + 1, 1) == "\n" ? "\r\n" : "\r";
}

bool EndsLine(std::string_view content, std::size_t pos) {
  return pos == BodyStart(content) || content[pos - 1] == '\n' || content[pos - 1] == '\r';
}

// A line break inside a name or value would split its line in the file.
std::string SingleLine(std::string_view text) {
  std::string out(text);
  std::ranges::replace(out, '\r', ' ');
  std::ranges::replace(out, '\n', ' ');
  return out;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view content, std::string_view section, std::string_view key) {
  const KeyPlace place = FindKey(content, section, key);
  if (!place.keyLine) return std::nullopt;
  return ValueAsRead(EntryOf(place.keyLine->text)->value);
}

std::string SetProfileValue(std::string_view content, std::string_view section, std::string_view key,
                            std::string_view value) {
  const std::string entry = SingleLine(key) + "=" + SingleLine(value);
  const std::string_view lineEnd = LineEndOf(content);
  const KeyPlace place = FindKey(content, section, key);
  std::string out(content);
  if (place.keyLine) return out.replace(place.keyLine->begin, place.keyLine->text.size(), entry);
  if (place.sectionFound) {
    const std::size_t at = place.insertAt;
    const std::string added = EndsLine(out, at) ? entry + std::string(lineEnd) : std::string(lineEnd) + entry;
    return out.insert(at, added);
  }
  if (!EndsLine(out, out.size())) out += lineEnd;
  if (out.size() > BodyStart(out)) out += lineEnd;
  out += "[" + SingleLine(section) + "]";
  out += lineEnd;
  return out + entry + std::string(lineEnd);
}

}  // namespace calorix
