// SPDX-License-Identifier: GPL-3.0-or-later
// The length of a standard MIDI file: the last event's tick across all
// tracks, turned into time through the tempo changes.
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "media/sound.h"

namespace plumix {
namespace {

class Reader {
 public:
  Reader(std::span<const uint8_t> bytes, size_t at, size_t end) : b_(bytes), at_(at), end_(end) {}
  bool More() const { return at_ < end_; }
  bool Byte(uint8_t* v) {
    if (at_ >= end_) return false;
    *v = b_[at_++];
    return true;
  }
  bool VarLen(uint32_t* v) {
    *v = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t c = 0;
      if (!Byte(&c)) return false;
      *v = (*v << 7) | (c & 0x7F);
      if (!(c & 0x80)) return true;
    }
    return false;
  }
  bool Skip(uint32_t n) {
    if (n > end_ - at_) return false;
    at_ += n;
    return true;
  }
  size_t Pos() const { return at_; }

 private:
  std::span<const uint8_t> b_;
  size_t at_, end_;
};

uint32_t Be32(std::span<const uint8_t> b, size_t at) {
  return (static_cast<uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}
uint16_t Be16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>((b[at] << 8) | b[at + 1]);
}

}  // namespace

Parsed<int> MidiLengthMs(std::span<const uint8_t> midi) {
  if (midi.size() < 14 || Be32(midi, 0) != 0x4D546864 || Be32(midi, 4) < 6) {
    return Parsed<int>::Fail("not a MIDI file");
  }
  uint16_t tracks = Be16(midi, 10);
  uint16_t division = Be16(midi, 12);
  if (division == 0) return Parsed<int>::Fail("bad time division");
  std::map<uint64_t, uint32_t> tempos;  // tick -> microseconds per quarter note
  uint64_t lastTick = 0;
  size_t at = 8 + Be32(midi, 4);
  for (int t = 0; t < tracks; ++t) {
    if (at + 8 > midi.size()) return Parsed<int>::Fail("truncated MIDI file");
    uint32_t size = Be32(midi, at + 4);
    bool isTrack = Be32(midi, at) == 0x4D54726B;
    size_t body = at + 8;
    if (size > midi.size() - body) return Parsed<int>::Fail("truncated track");
    at = body + size;
    if (!isTrack) {
      --t;  // an unknown chunk does not count as a track
      continue;
    }
    Reader r(midi, body, body + size);
    uint64_t tick = 0;
    uint8_t status = 0;
    while (r.More()) {
      uint32_t delta = 0;
      if (!r.VarLen(&delta)) return Parsed<int>::Fail("corrupt track");
      tick += delta;
      uint8_t first = 0;
      if (!r.Byte(&first)) return Parsed<int>::Fail("corrupt track");
      if (first == 0xFF) {
        uint8_t type = 0;
        uint32_t len = 0;
        if (!r.Byte(&type) || !r.VarLen(&len)) return Parsed<int>::Fail("corrupt meta event");
        if (type == 0x51 && len == 3) {
          uint8_t a = 0, b = 0, c = 0;
          r.Byte(&a);
          r.Byte(&b);
          r.Byte(&c);
          uint32_t tempo = (a << 16) | (b << 8) | c;
          if (tempo > 0) tempos[tick] = tempo;
        } else if (!r.Skip(len)) {
          return Parsed<int>::Fail("corrupt meta event");
        }
        if (type == 0x2F) break;
        continue;
      }
      if (first == 0xF0 || first == 0xF7) {
        uint32_t len = 0;
        if (!r.VarLen(&len) || !r.Skip(len)) return Parsed<int>::Fail("corrupt system event");
        continue;
      }
      uint8_t data1 = 0;
      if (first & 0x80) {
        status = first;
        if (!r.Byte(&data1)) return Parsed<int>::Fail("corrupt event");
      } else {
        if (!status) return Parsed<int>::Fail("running status without a status");
        data1 = first;
      }
      (void)data1;
      uint8_t kind = status & 0xF0;
      if (kind != 0xC0 && kind != 0xD0) {
        uint8_t data2 = 0;
        if (!r.Byte(&data2)) return Parsed<int>::Fail("corrupt event");
      }
    }
    lastTick = std::max(lastTick, tick);
  }
  double ms = 0;
  if (division & 0x8000) {
    // SMPTE time: frames per second and ticks per frame.
    int fps = -static_cast<int8_t>(division >> 8);
    int perFrame = division & 0xFF;
    if (fps <= 0 || perFrame <= 0) return Parsed<int>::Fail("bad time division");
    ms = lastTick * 1000.0 / (fps * perFrame);
  } else {
    uint64_t tick = 0;
    uint32_t tempo = 500000;
    for (const auto& [at, next] : tempos) {
      if (at >= lastTick) break;
      ms += (at - tick) * tempo / 1000.0 / division;
      tick = at;
      tempo = next;
    }
    ms += (lastTick - tick) * tempo / 1000.0 / division;
  }
  // Over 24 days: a damaged delta time, and more than an int can hold.
  if (!(ms <= std::numeric_limits<int>::max())) return Parsed<int>::Fail("implausibly long track");
  return Parsed<int>::Ok(static_cast<int>(std::lround(ms)));
}

}  // namespace plumix
