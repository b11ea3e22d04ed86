// SPDX-License-Identifier: GPL-3.0-or-later
// The edit: caret and selection keys, words, typing, and the clipboard.
#include <algorithm>

#include "media/input.h"
#include "media/text.h"
#include "widgets/widgets.h"

namespace plumix {
namespace {

constexpr uint16_t kVkEnd = 35, kVkHome = 36, kVkInsert = 45, kVkDelete = 46;

// Keys that type a character: an edit keeps them from the game's key handler
// (their characters arrive as typed text).
bool TypingKey(uint16_t key) {
  return key == kVkSpace || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
         (key >= 96 && key <= 111) || (key >= 186 && key <= 226) || key == 0x8A || key == 0x8E;
}

bool Blank(unsigned char c) { return c == ' ' || c == 0xA0; }

// Letters and digits of code page 1250, the accented ones included.
bool WordByte(unsigned char c) {
  if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') return true;
  switch (c) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: case 0x9A: case 0x9C: case 0x9D:
    case 0x9E: case 0x9F: case 0xA3: case 0xA5: case 0xAA: case 0xAF: case 0xB3: case 0xB5:
    case 0xB9: case 0xBA: case 0xBC: case 0xBE: case 0xBF:
      return true;
    default:
      return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

// A word is a run of letters or a run of other marks; blanks part them.
int ClassOf(char c) {
  const auto b = static_cast<unsigned char>(c);
  return Blank(b) ? 0 : WordByte(b) ? 1 : 2;
}

// Where Ctrl+Left lands: the start of the word before the caret.
size_t WordLeft(const std::string& t, size_t i) {
  while (i > 0 && ClassOf(t[i - 1]) == 0) --i;
  if (i == 0) return 0;
  const int c = ClassOf(t[i - 1]);
  while (i > 0 && ClassOf(t[i - 1]) == c) --i;
  return i;
}

// Where Ctrl+Right lands: past the word at the caret and the blanks after it.
size_t WordRight(const std::string& t, size_t i) {
  const size_t n = t.size();
  if (i < n && ClassOf(t[i]) != 0) {
    const int c = ClassOf(t[i]);
    while (i < n && ClassOf(t[i]) == c) ++i;
  }
  while (i < n && ClassOf(t[i]) == 0) ++i;
  return i;
}

}  // namespace

std::string FilterTyped(std::string_view typed, bool digitsOnly) {
  std::string out;
  for (char c : typed) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) continue;
    if (digitsOnly && (b < '0' || b > '9')) continue;
    out += c;
  }
  return out;
}

std::string PastedText(std::string_view utf8, bool digitsOnly) {
  const std::string text = Utf8ToCp1250(utf8);
  auto lineBreak = [](char c) { return c == '\r' || c == '\n'; };
  size_t from = 0, to = text.size();
  while (from < to && lineBreak(text[from])) ++from;
  while (to > from && lineBreak(text[to - 1])) --to;
  std::string out;
  for (size_t i = from; i < to; ++i) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (lineBreak(text[i]) || b == '\t') {
      if (out.empty() || out.back() != ' ') out += ' ';
    } else if (b >= 0x20 && b != 0x7F) {
      out += text[i];
    }
  }
  if (!digitsOnly) return out;
  // " 25 " copied out of a sentence is still a number; "12a" is not.
  const size_t first = out.find_first_not_of(' '), last = out.find_last_not_of(' ');
  if (first == std::string::npos) return {};
  out = out.substr(first, last - first + 1);
  const bool digits = std::all_of(out.begin(), out.end(), [](char c) { return c >= '0' && c <= '9'; });
  return digits ? out : std::string();
}

bool WidgetSet::ReplaceSelection(Widget& w, std::string text) {
  const size_t lo = std::min(w.Caret, w.Anchor), hi = std::max(w.Caret, w.Anchor);
  // A text set from outside may already be longer than the limit: then no room.
  const size_t kept = w.Text.size() - (hi - lo);
  const size_t room = w.MaxLength == 0 ? text.size() : kept >= w.MaxLength ? 0 : w.MaxLength - kept;
  text.resize(std::min(text.size(), room));
  // Nothing to put in keeps the selection: a refused letter empties nothing.
  if (text.empty()) return false;
  w.Text.replace(lo, hi - lo, text);
  w.Caret = w.Anchor = lo + text.size();
  if (w.OnChange) w.OnChange();
  return true;
}

void WidgetSet::Copy(const Widget& w) {
  const size_t lo = std::min(w.Caret, w.Anchor), hi = std::max(w.Caret, w.Anchor);
  if (lo < hi) Clip().SetText(Cp1250ToUtf8(std::string_view(w.Text).substr(lo, hi - lo)));
}

void WidgetSet::Paste(Widget& w) { ReplaceSelection(w, PastedText(Clip().Text(), w.DigitsOnly)); }

bool WidgetSet::EditKey(Widget& w, uint16_t key, KeyFlags f) {
  const size_t lo = std::min(w.Caret, w.Anchor), hi = std::max(w.Caret, w.Anchor);
  const bool ctrl = f.Ctrl && !f.Alt;
  auto moveTo = [&](size_t caret) {
    w.Caret = caret;
    if (!f.Shift) w.Anchor = caret;
  };
  auto erase = [&](size_t from, size_t to) {
    if (from >= to) return;
    w.Text.erase(from, to - from);
    w.Caret = w.Anchor = from;
    if (w.OnChange) w.OnChange();
  };
  switch (key) {
    case kVkLeft:
      if (ctrl) moveTo(WordLeft(w.Text, w.Caret));
      else moveTo(f.Shift || lo == hi ? (w.Caret > 0 ? w.Caret - 1 : 0) : lo);
      return true;
    case kVkRight:
      if (ctrl) moveTo(WordRight(w.Text, w.Caret));
      else moveTo(f.Shift || lo == hi ? std::min(w.Text.size(), w.Caret + 1) : hi);
      return true;
    case kVkHome: moveTo(0); return true;
    case kVkEnd: moveTo(w.Text.size()); return true;
    case kVkBack:
      if (lo != hi) erase(lo, hi);
      else erase(ctrl ? WordLeft(w.Text, lo) : lo > 0 ? lo - 1 : lo, hi);
      return true;
    case kVkDelete:
      // Shift+Delete cuts, as it always has on this desktop's edits.
      if (f.Shift && !ctrl) Copy(w);
      if (lo != hi) erase(lo, hi);
      else if (!f.Shift) erase(lo, ctrl ? WordRight(w.Text, lo) : std::min(w.Text.size(), hi + 1));
      return true;
    case kVkInsert:
      if (ctrl) Copy(w);
      else if (f.Shift) Paste(w);
      return true;
    default: break;
  }
  if (!ctrl) return TypingKey(key);
  switch (key) {
    case 'A':
      w.Anchor = 0;
      w.Caret = w.Text.size();
      return true;
    case 'C': Copy(w); return true;
    case 'X':
      Copy(w);
      erase(lo, hi);
      return true;
    case 'V': Paste(w); return true;
    // Other Ctrl keys are the owner's shortcuts.
    default: return false;
  }
}

bool WidgetSet::TextInput(std::string_view cp1250) {
  if (focus_ < 0 || open_ >= 0) return false;
  Widget& w = At(focus_);
  if (w.Kind != WidgetKind::Edit || w.OnKeyDown) return false;
  ReplaceSelection(w, FilterTyped(cp1250, w.DigitsOnly));
  return true;
}

size_t WidgetSet::CaretFromX(const Widget& w, int x) const {
  const int left = w.Bounds.Left + 4;
  size_t best = 0;
  int before = 0;
  for (size_t n = 1; n <= w.Text.size(); ++n) {
    const int after = TextWidth(std::string_view(w.Text).substr(0, n));
    if (x - left >= (before + after) / 2) best = n;
    before = after;
  }
  return best;
}

size_t WidgetSet::CharFromX(const Widget& w, int x) const {
  const int left = w.Bounds.Left + 4;
  for (size_t n = 1; n <= w.Text.size(); ++n) {
    if (x - left < TextWidth(std::string_view(w.Text).substr(0, n))) return n - 1;
  }
  return w.Text.empty() ? 0 : w.Text.size() - 1;
}

void WidgetSet::SelectWordAt(Widget& w, int x) {
  dragging_ = false;
  if (w.Text.empty()) {
    w.Caret = w.Anchor = 0;
    return;
  }
  const size_t at = CharFromX(w, x);
  const int c = ClassOf(w.Text[at]);
  size_t lo = at, hi = at + 1;
  while (lo > 0 && ClassOf(w.Text[lo - 1]) == c) --lo;
  while (hi < w.Text.size() && ClassOf(w.Text[hi]) == c) ++hi;
  w.Anchor = lo;
  w.Caret = hi;
}

}  // namespace plumix
