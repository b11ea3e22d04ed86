// SPDX-License-Identifier: GPL-3.0-or-later
#include "adventure_source.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "adventure/adventure_check.h"
#include "adventure/adventure_file.h"
#include "media/text.h"

namespace plumix {
namespace {

// ---- Shared pieces ----

constexpr std::string_view kCellAlphabet = ".-*#=ABCDEFGHIJKLMN@";  // codes 0..19
constexpr std::string_view kKindDigits = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";  // kinds 1..35

char KindCharacter(uint8_t kind) {
  if (kind == 0) return '.';
  return kind <= kKindDigits.size() ? kKindDigits[kind - 1] : '?';
}

int KindFromCharacter(char c) {
  if (c == '.') return 0;
  size_t at = kKindDigits.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at) + 1;
}

AdventureRecord ZeroRecord() {
  return *ParseAdventure(std::vector<uint8_t>(kAdventureFileSize, 0)).Value;
}

bool AllZero(std::span<const uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](uint8_t b) { return b == 0; });
}

// ---- Writing ----

bool NeedsEscape(unsigned char b) {
  if (b < 0x20 || b == 0x7F) return true;
  // Bytes that code page 1250 leaves undefined have no character to show.
  return b >= 0x80 && Cp1250ToUtf8(std::string(1, static_cast<char>(b))) == "?";
}

std::string Quote(std::string_view cp1250) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (char ch : cp1250) {
    auto b = static_cast<unsigned char>(ch);
    if (b == '"' || b == '\\') {
      out += '\\';
      out += ch;
    } else if (NeedsEscape(b)) {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += Cp1250ToUtf8(std::string_view(&ch, 1));
    }
  }
  return out + "\"";
}

std::string Hex(std::span<const uint8_t> bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : bytes) {
    if (!out.empty()) out += ' ';
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

class SourceWriter {
 public:
  void Line(const std::string& text = {}) { out_ += text + "\n"; }
  void Field(const std::string& key, const std::string& value, const char* comment = nullptr) {
    std::string line = key + " = " + value;
    if (comment) line += "  # " + std::string(comment);
    Line(line);
  }
  template <size_t N>
  void Text(const std::string& key, const std::string& text, const ShortStringBytes<N>& bytes) {
    Field(key, Quote(text));
    TextExtras(key, text, bytes);
  }
  // The stored length when it exceeds the capacity, and the bytes after the text.
  template <size_t N>
  void TextExtras(const std::string& key, const std::string& text, const ShortStringBytes<N>& bytes) {
    if (bytes.Length > N) Field(key + ".Length", std::to_string(bytes.Length));
    size_t length = text.size();
    std::span<const uint8_t> rest(bytes.Chars.data() + length, N - length);
    size_t used = rest.size();
    while (used > 0 && rest[used - 1] == 0) --used;
    if (used > 0) Field(key + ".Rest", Hex(rest.first(used)));
  }
  template <size_t N>
  void Hidden(const std::string& key, const std::array<uint8_t, N>& bytes) {
    if (!AllZero(bytes)) Field(key, Hex(bytes));
  }
  std::string Take() { return std::move(out_); }

 private:
  std::string out_;
};

template <class Array>
std::string NumberList(const Array& flags, int count) {
  std::string out;
  for (int k = 1; k <= count; ++k) out += (k > 1 ? " " : "") + std::to_string(flags[k]);
  return out;
}

void WriteLevel(SourceWriter& w, int k, const LevelRecord& level, bool played) {
  w.Line();
  w.Line("[Level " + std::to_string(k) + "]");
  if (!played) w.Line("# beyond LastLevelIndex: kept in the file, not played");
  w.Text("Title", level.Title, level.TitleBytes);
  w.Field("LevelType", std::to_string(level.LevelType), "0 Action, other Bonus");
  w.Field("DisasterKind", std::to_string(level.DisasterKind),
          "128 = disasters in turn, each kind once; other bits set during play, no effect");
  w.Field("DisasterFrequency", std::to_string(level.DisasterFrequency), "0 none, 1 low, 2 medium, 3 high");
  w.Field("SpecialsFrequency", std::to_string(level.SpecialsFrequency), "0 none, 1 low, 2 medium, 3 high");
  w.Field("StartSpeed", std::to_string(level.StartSpeed));
  w.Field("MaximalSpeed", std::to_string(level.MaximalSpeed));
  w.Field("NextElements", std::to_string(level.NextElements), "0..4");
  w.Hidden("PaddingAfterNextElements", level.PaddingAfterNextElements);
  w.Field("LinesToIncreaseSpeed", std::to_string(level.LinesToIncreaseSpeed));
  w.Field("LinesToFinish", std::to_string(level.LinesToFinish), "Action levels");
  w.Field("TimeToFinish", std::to_string(level.TimeToFinish), "Bonus levels");
  w.Field("EntryColumn", std::to_string(level.EntryColumn), "top-left of the 4 x 4 entry box, 1..27");
  w.Field("EntryRow", std::to_string(level.EntryRow));
  w.Hidden("PaddingAfterEntry", level.PaddingAfterEntry);
  w.Field("Elements", NumberList(level.Elements, kElementKinds), "kinds 1..18");
  w.Field("Specials", NumberList(level.Specials, kSpecialKinds), "specials A..L");
  w.Hidden("PaddingAfterSpecials", level.PaddingAfterSpecials);
  w.Field("RecordScore", std::to_string(level.RecordScore));
  w.Line("Board =  # rows 1..30 from the top, columns 1..30 from the left");
  bool anyKind = false;
  std::vector<std::string> overrides;
  for (int y = 1; y <= kBoardSize; ++y) {
    std::string row;
    for (int x = 1; x <= kBoardSize; ++x) {
      const Cell& cell = level.Board[x][y];
      row += CellCharacter(cell.Code);
      if (CellCharacter(cell.Code) == '?') {
        overrides.push_back("Cell " + std::to_string(x) + " " + std::to_string(y) + " = " +
                            std::to_string(cell.Code));
      }
      anyKind = anyKind || cell.Kind != 0;
    }
    w.Line(row);
  }
  if (anyKind) {
    w.Line("Kinds =  # element kind byte of each cell: . 0, 1..9, A..Z 10..35");
    for (int y = 1; y <= kBoardSize; ++y) {
      std::string row;
      for (int x = 1; x <= kBoardSize; ++x) {
        uint8_t kind = level.Board[x][y].Kind;
        row += KindCharacter(kind);
        if (KindCharacter(kind) == '?') {
          overrides.push_back("Kind " + std::to_string(x) + " " + std::to_string(y) + " = " +
                              std::to_string(kind));
        }
      }
      w.Line(row);
    }
  }
  for (const std::string& line : overrides) w.Line(line);
}

// ---- Reading ----

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Drops a trailing "# comment" from a value that holds no text.
std::string_view Uncomment(std::string_view s) {
  size_t at = s.find('#');
  return Trim(at == std::string_view::npos ? s : s.substr(0, at));
}

struct SourceError {
  std::string Text;
};

[[noreturn]] void Fail(int line, const std::string& why) {
  throw SourceError{"line " + std::to_string(line) + ": " + why};
}

int64_t Number(int line, std::string_view text, int64_t low, int64_t high) {
  text = Uncomment(text);
  int64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
    Fail(line, "'" + std::string(text) + "' is not a whole number");
  }
  if (value < low || value > high) {
    Fail(line, std::to_string(value) + " is outside " + std::to_string(low) + ".." +
                   std::to_string(high));
  }
  return value;
}

std::vector<int64_t> Numbers(int line, std::string_view text, int64_t low, int64_t high, int base) {
  std::vector<int64_t> out;
  text = Uncomment(text);
  while (!text.empty()) {
    size_t end = text.find_first_of(" \t");
    std::string_view item = text.substr(0, end);
    int64_t value = 0;
    auto [stop, ec] = std::from_chars(item.data(), item.data() + item.size(), value, base);
    if (ec != std::errc() || stop != item.data() + item.size() || value < low || value > high) {
      Fail(line, "'" + std::string(item) + "' is not a value " + std::to_string(low) + ".." +
                     std::to_string(high));
    }
    out.push_back(value);
    text = end == std::string_view::npos ? std::string_view() : Trim(text.substr(end));
  }
  return out;
}

template <size_t N>
std::array<uint8_t, N> HexBytes(int line, std::string_view text) {
  std::vector<int64_t> values = Numbers(line, text, 0, 255, 16);
  if (values.size() != N) Fail(line, "expected " + std::to_string(N) + " hex bytes");
  std::array<uint8_t, N> out{};
  for (size_t i = 0; i < N; ++i) out[i] = static_cast<uint8_t>(values[i]);
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

size_t Utf8Length(unsigned char b) {
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  if ((b & 0xF8) == 0xF0) return 4;
  return 0;
}

// A quoted text to code page 1250; what follows it may only be a comment.
std::string Unquote(int line, std::string_view value) {
  value = Trim(value);
  if (value.empty() || value.front() != '"') Fail(line, "a text must be in double quotes");
  std::string out;
  size_t i = 1;
  while (true) {
    if (i >= value.size()) Fail(line, "the text has no closing quote");
    char c = value[i];
    if (c == '"') break;
    if (c == '\\') {
      char next = i + 1 < value.size() ? value[i + 1] : '\0';
      if (next == '"' || next == '\\') {
        out += next;
        i += 2;
      } else if (next == 'x' && i + 3 < value.size() && HexDigit(value[i + 2]) >= 0 &&
                 HexDigit(value[i + 3]) >= 0) {
        out += static_cast<char>(HexDigit(value[i + 2]) * 16 + HexDigit(value[i + 3]));
        i += 4;
      } else {
        Fail(line, "unknown escape in text (use \\\", \\\\ or \\xHH)");
      }
      continue;
    }
    size_t length = Utf8Length(static_cast<unsigned char>(c));
    if (length == 0 || i + length > value.size()) Fail(line, "the text is not valid UTF-8");
    std::string_view character = value.substr(i, length);
    std::string mapped = Utf8ToCp1250(character);
    if (mapped.size() != 1 || (mapped == "?" && character != "?")) {
      Fail(line, "'" + std::string(character) + "' has no code page 1250 character");
    }
    out += mapped;
    i += length;
  }
  std::string_view rest = Trim(value.substr(i + 1));
  if (!rest.empty() && rest.front() != '#') Fail(line, "unexpected text after the closing quote");
  return out;
}

// A short string collected from its three keys, finished when its section ends.
template <size_t N>
class PendingText {
 public:
  PendingText(std::string* text, ShortStringBytes<N>* bytes) : text_(text), bytes_(bytes) {}
  void SetText(int line, std::string value) {
    if (value.size() > N) Fail(line, "the text is longer than " + std::to_string(N) + " bytes");
    *text_ = std::move(value);
    line_ = line;
  }
  void SetLength(int line, std::string_view value) {
    length_ = static_cast<int>(Number(line, value, N + 1, 255));
    line_ = line;
  }
  void SetRest(int line, std::string_view value) {
    rest_ = Numbers(line, value, 0, 255, 16);
    line_ = line;
  }
  void Finish() {
    if (length_ && text_->size() != N) {
      Fail(line_, "a Length above " + std::to_string(N) + " needs a text of " +
                      std::to_string(N) + " bytes");
    }
    if (text_->size() + rest_.size() > N) {
      Fail(line_, "text and Rest together are longer than " + std::to_string(N) + " bytes");
    }
    bytes_->Length = length_ ? static_cast<uint8_t>(*length_) : static_cast<uint8_t>(text_->size());
    bytes_->Chars.fill(0);
    for (size_t i = 0; i < text_->size(); ++i) bytes_->Chars[i] = static_cast<uint8_t>((*text_)[i]);
    for (size_t i = 0; i < rest_.size(); ++i) {
      bytes_->Chars[text_->size() + i] = static_cast<uint8_t>(rest_[i]);
    }
  }

 private:
  std::string* text_;
  ShortStringBytes<N>* bytes_;
  std::optional<int> length_;
  std::vector<int64_t> rest_;
  int line_ = 0;
};

class SourceReader {
 public:
  SourceReader(std::string_view text, std::vector<std::string>* warnings)
      : record_(ZeroRecord()), warnings_(warnings) {
    // Editors that save with a byte-order mark put it before the first line.
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      lines_.push_back(line);
      start = end + 1;
    }
  }

  AdventureRecord Read() {
    for (size_t i = 0; i < lines_.size(); ++i) {
      int number = static_cast<int>(i) + 1;
      std::string_view line = Trim(lines_[i]);
      if (line.empty() || line.front() == '#') continue;
      if (line.front() == '[') {
        Section(number, line);
        continue;
      }
      size_t eq = line.find('=');
      if (eq == std::string_view::npos) Fail(number, "expected 'Name = value' or a [section]");
      std::string key(Trim(line.substr(0, eq)));
      std::string_view value = Trim(line.substr(eq + 1));
      if (!seen_.insert(key).second) Fail(number, key + " is given twice");
      if (key == "Board" || key == "Kinds") {
        if (!level_) Fail(number, key + " belongs in a [Level N] section");
        Grid(i, key == "Board");
        i += kBoardSize;
        continue;
      }
      Field(number, key, value);
    }
    EndSection();
    return std::move(record_);
  }

 private:
  enum class Part { None, Header, Level, HighScores };

  void Section(int line, std::string_view header) {
    EndSection();
    if (header == "[Adventure]") {
      part_ = Part::Header;
      header_.emplace(Header{{&record_.Title, &record_.TitleBytes},
                             {&record_.Author, &record_.AuthorBytes},
                             {&record_.Contact, &record_.ContactBytes}});
    } else if (header == "[HighScores]") {
      part_ = Part::HighScores;
    } else if (header.starts_with("[Level ") && header.back() == ']') {
      int k = static_cast<int>(Number(line, header.substr(7, header.size() - 8), 1, kMaxLevels));
      part_ = Part::Level;
      level_ = &record_.Levels[k];
      levelNumber_ = k;
      levelTitle_.emplace(&level_->Title, &level_->TitleBytes);
    } else {
      Fail(line, "unknown section " + std::string(header));
    }
    if (!sections_.insert(std::string(header)).second) {
      Fail(line, std::string(header) + " is given twice");
    }
  }

  void EndSection() {
    if (header_) {
      header_->Title.Finish();
      header_->Author.Finish();
      header_->Contact.Finish();
    }
    if (levelTitle_) levelTitle_->Finish();
    for (const Override& o : overrides_) {
      Cell& cell = level_->Board[o.X][o.Y];
      const bool asked = std::any_of(unknown_.begin(), unknown_.end(), [&](const Override& u) {
        return o.Board == u.Board && o.X == u.X && o.Y == u.Y;
      });
      if (!asked && warnings_ && seen_.count(o.Board ? "Board" : "Kinds")) {
        const uint8_t was = o.Board ? cell.Code : cell.Kind;
        warnings_->push_back("line " + std::to_string(o.Line) + ": " + (o.Board ? "Cell " : "Kind ") +
                             std::to_string(o.X) + " " + std::to_string(o.Y) + " = " +
                             std::to_string(o.Value) + " overrides the grid's '" +
                             (o.Board ? CellCharacter(was) : KindCharacter(was)) +
                             "' (only a '?' asks for a value)");
      }
      (o.Board ? cell.Code : cell.Kind) = o.Value;
    }
    for (const Override& u : unknown_) {
      bool given = std::any_of(overrides_.begin(), overrides_.end(), [&](const Override& o) {
        return o.Board == u.Board && o.X == u.X && o.Y == u.Y;
      });
      if (!given) {
        Fail(u.Line, "'?' at column " + std::to_string(u.X) + " needs a '" +
                         (u.Board ? "Cell " : "Kind ") + std::to_string(u.X) + " " +
                         std::to_string(u.Y) + " = value' line");
      }
    }
    overrides_.clear();
    unknown_.clear();
    for (auto& [i, text] : names_) text.Finish();
    header_.reset();
    levelTitle_.reset();
    names_.clear();
    level_ = nullptr;
    seen_.clear();
  }

  void Field(int line, const std::string& key, std::string_view value) {
    switch (part_) {
      case Part::None: Fail(line, "a field before the first [section]");
      case Part::Header: return HeaderField(line, key, value);
      case Part::Level: return LevelField(line, key, value);
      case Part::HighScores: return ScoreField(line, key, value);
    }
  }

  template <size_t N>
  static bool TextKey(int line, const std::string& key, std::string_view value,
                      const std::string& name, PendingText<N>& text) {
    if (key == name) {
      text.SetText(line, Unquote(line, value));
    } else if (key == name + ".Length") {
      text.SetLength(line, value);
    } else if (key == name + ".Rest") {
      text.SetRest(line, value);
    } else {
      return false;
    }
    return true;
  }

  void HeaderField(int line, const std::string& key, std::string_view value) {
    AdventureRecord& r = record_;
    if (TextKey(line, key, value, "Title", header_->Title) ||
        TextKey(line, key, value, "Author", header_->Author) ||
        TextKey(line, key, value, "Contact", header_->Contact)) {
      return;
    }
    if (key == "LastLevelIndex") {
      r.LastLevelIndex = static_cast<uint8_t>(Number(line, value, 0, 255));
    } else if (key == "ReservedAfterContact") {
      r.ReservedAfterContact = HexBytes<25>(line, value);
    } else if (key == "ReservedAfterLastLevel") {
      r.ReservedAfterLastLevel = HexBytes<2>(line, value);
    } else if (key == "Reserved") {
      r.Reserved = HexBytes<4>(line, value);
    } else {
      Fail(line, "unknown field " + key + " in [Adventure]");
    }
  }

  void LevelField(int line, const std::string& key, std::string_view value) {
    LevelRecord& l = *level_;
    if (TextKey(line, key, value, "Title", *levelTitle_)) return;
    const std::pair<const char*, uint8_t*> bytes[] = {
        {"LevelType", &l.LevelType},       {"DisasterKind", &l.DisasterKind},
        {"DisasterFrequency", &l.DisasterFrequency}, {"SpecialsFrequency", &l.SpecialsFrequency},
        {"StartSpeed", &l.StartSpeed},     {"MaximalSpeed", &l.MaximalSpeed},
        {"NextElements", &l.NextElements}, {"EntryColumn", &l.EntryColumn},
        {"EntryRow", &l.EntryRow},
    };
    for (auto [name, field] : bytes) {
      if (key == name) {
        *field = static_cast<uint8_t>(Number(line, value, 0, 255));
        return;
      }
    }
    const std::pair<const char*, int32_t*> ints[] = {
        {"LinesToIncreaseSpeed", &l.LinesToIncreaseSpeed}, {"LinesToFinish", &l.LinesToFinish},
        {"TimeToFinish", &l.TimeToFinish},                 {"RecordScore", &l.RecordScore},
    };
    for (auto [name, field] : ints) {
      if (key == name) {
        *field = static_cast<int32_t>(Number(line, value, INT32_MIN, INT32_MAX));
        return;
      }
    }
    if (key == "Elements" || key == "Specials") {
      int count = key == "Elements" ? kElementKinds : kSpecialKinds;
      std::vector<int64_t> flags = Numbers(line, value, 0, 255, 10);
      if (static_cast<int>(flags.size()) != count) {
        Fail(line, key + " needs " + std::to_string(count) + " numbers");
      }
      for (int k = 1; k <= count; ++k) {
        (key == "Elements" ? l.Elements[k] : l.Specials[k]) = static_cast<uint8_t>(flags[k - 1]);
      }
    } else if (key == "PaddingAfterNextElements") {
      l.PaddingAfterNextElements = HexBytes<2>(line, value);
    } else if (key == "PaddingAfterEntry") {
      l.PaddingAfterEntry = HexBytes<2>(line, value);
    } else if (key == "PaddingAfterSpecials") {
      l.PaddingAfterSpecials = HexBytes<2>(line, value);
    } else if (key.starts_with("Cell ") || key.starts_with("Kind ")) {
      std::vector<int64_t> at = Numbers(line, key.substr(5), 1, kBoardSize, 10);
      if (at.size() != 2) Fail(line, "expected '" + key.substr(0, 4) + " X Y = value'");
      overrides_.push_back({key[0] == 'C', static_cast<int>(at[0]), static_cast<int>(at[1]),
                            static_cast<uint8_t>(Number(line, value, 0, 255)), line});
    } else {
      Fail(line, "unknown field " + key + " in a level");
    }
  }

  void ScoreField(int line, const std::string& key, std::string_view value) {
    size_t dot = key.find('.');
    int i = static_cast<int>(Number(line, key.substr(0, dot), 1, kHighScoreCount));
    HighScoreEntry& entry = record_.HighScores[i];
    auto pending = names_.try_emplace(i, &entry.Name, &entry.NameBytes).first;
    std::string sub = dot == std::string::npos ? std::string() : key.substr(dot + 1);
    if (sub.empty()) {
      std::string_view v = Trim(value);
      size_t quote = v.find('"');
      if (quote == std::string_view::npos) Fail(line, "expected 'N = score \"name\"'");
      entry.Score = static_cast<int32_t>(Number(line, v.substr(0, quote), INT32_MIN, INT32_MAX));
      pending->second.SetText(line, Unquote(line, v.substr(quote)));
    } else if (sub == "Unused") {
      entry.Unused = static_cast<uint8_t>(Number(line, value, 0, 255));
    } else if (!TextKey(line, sub, value, "Name", pending->second)) {
      Fail(line, "unknown field " + key + " in [HighScores]");
    }
  }

  // A line meant as a grid row: a long first word without the small letters
  // every field name has (so a wrong character is reported in its row).
  static bool LooksLikeRow(std::string_view line) {
    line = Trim(line);
    const std::string_view word = line.substr(0, line.find_first_of(" \t"));
    return word.size() >= 10 && std::none_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  }

  void Grid(size_t at, bool board) {
    int first = static_cast<int>(at) + 2;
    int rows = 0;
    while (at + rows + 1 < lines_.size() && LooksLikeRow(lines_[at + rows + 1])) ++rows;
    if (rows != kBoardSize) {
      Fail(first, std::string(board ? "the board" : "the kinds grid") + " of level " +
                      std::to_string(levelNumber_) + " has " + std::to_string(rows) + " rows; it needs 30");
    }
    for (int y = 1; y <= kBoardSize; ++y) {
      std::string_view row = lines_[at + y];
      int line = static_cast<int>(at) + 1 + y;
      if (row.size() > kBoardSize && Trim(row.substr(kBoardSize)).starts_with('#')) {
        Fail(line, "grid rows take no comments; put the comment on a line of its own above the grid");
      }
      if (row.size() != kBoardSize) {
        Fail(line, "a grid line needs exactly 30 characters, not " + std::to_string(row.size()));
      }
      for (int x = 1; x <= kBoardSize; ++x) {
        char c = row[x - 1];
        int value = board ? CellCodeFromCharacter(c) : KindFromCharacter(c);
        if (c == '?') {
          unknown_.push_back({board, x, y, 0, line});
          continue;
        }
        if (value < 0) Fail(line, std::string("'") + c + "' is no " + (board ? "cell" : "kind") + " character");
        (board ? level_->Board[x][y].Code : level_->Board[x][y].Kind) = static_cast<uint8_t>(value);
      }
    }
  }

  // A cell value given by number ("Cell X Y = N"), or a '?' that needs one.
  struct Override {
    bool Board = true;
    int X = 0, Y = 0;
    uint8_t Value = 0;
    int Line = 0;
  };

  struct Header {
    PendingText<30> Title;
    PendingText<30> Author;
    PendingText<25> Contact;
  };

  std::vector<std::string_view> lines_;
  AdventureRecord record_;
  Part part_ = Part::None;
  LevelRecord* level_ = nullptr;
  int levelNumber_ = 0;
  std::vector<std::string>* warnings_ = nullptr;
  std::optional<Header> header_;
  std::optional<PendingText<30>> levelTitle_;
  std::map<int, PendingText<30>> names_;
  std::set<std::string> seen_;
  std::set<std::string> sections_;
  std::vector<Override> overrides_;
  std::vector<Override> unknown_;
};

}  // namespace

char CellCharacter(uint8_t code) { return code < kCellAlphabet.size() ? kCellAlphabet[code] : '?'; }

int CellCodeFromCharacter(char c) {
  size_t at = kCellAlphabet.find(c);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::string WriteAdventureSource(const AdventureRecord& adventure) {
  SourceWriter w;
  w.Line("# Plumix adventure source. Build the file with: plumix-adventure pack DIR FILE.paf");
  w.Line("# Format: docs/adventure-format.md. Texts are UTF-8 here, code page 1250 in the file.");
  w.Line("# Board: . Void  - Empty  * Block  # Edge  = Passage  A..N Special 5..18  @ EntryMark");
  w.Line();
  w.Line("[Adventure]");
  w.Text("Title", adventure.Title, adventure.TitleBytes);
  w.Text("Author", adventure.Author, adventure.AuthorBytes);
  w.Text("Contact", adventure.Contact, adventure.ContactBytes);
  w.Hidden("ReservedAfterContact", adventure.ReservedAfterContact);
  w.Field("LastLevelIndex", std::to_string(adventure.LastLevelIndex), "levels 1..LastLevelIndex+1");
  w.Hidden("ReservedAfterLastLevel", adventure.ReservedAfterLastLevel);
  w.Hidden("Reserved", adventure.Reserved);
  int played = PlayedLevelCount(adventure);
  std::vector<uint8_t> bytes = SerialiseAdventure(adventure);
  for (int k = 1; k <= kMaxLevels; ++k) {
    std::span<const uint8_t> level(bytes.data() + LevelOffset(k), kLevelRecordSize);
    if (k <= played || !AllZero(level)) WriteLevel(w, k, adventure.Levels[k], k <= played);
  }
  w.Line();
  w.Line("[HighScores]");
  w.Line("# place = score \"name\", best first; places not given are empty");
  for (int i = 1; i <= kHighScoreCount; ++i) {
    const HighScoreEntry& entry = adventure.HighScores[i];
    std::span<const uint8_t> raw(bytes.data() + kHighScoresOffset + kHighScoreEntrySize * (i - 1),
                                 kHighScoreEntrySize);
    if (AllZero(raw)) continue;
    std::string place = std::to_string(i);
    w.Field(place, std::to_string(entry.Score) + " " + Quote(entry.Name));
    if (entry.Unused != 0) w.Field(place + ".Unused", std::to_string(entry.Unused));
    w.TextExtras(place + ".Name", entry.Name, entry.NameBytes);
  }
  return w.Take();
}

Parsed<AdventureRecord> ReadAdventureSource(std::string_view text, std::vector<std::string>* warnings) {
  try {
    return Parsed<AdventureRecord>::Ok(SourceReader(text, warnings).Read());
  } catch (const SourceError& e) {
    return Parsed<AdventureRecord>::Fail(e.Text);
  }
}

}  // namespace plumix
