// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard reader: held keys, and the input states they make through
// the key-assignment table. Key codes are Windows virtual-key codes.
#include <array>
#include <bitset>
#include <cstdint>
#include <map>

#include "media/bitmap.h"

namespace plumix {

enum InputState : int {
  InputUp = 0,
  InputDown,
  InputLeft,
  InputRight,
  InputButton1,  // InputButton1 .. InputButton32 follow in order
  kInputStateCount = InputButton1 + 32
};
constexpr InputState InputButton(int n) { return static_cast<InputState>(InputButton1 + n - 1); }
constexpr InputState InputButton2 = InputButton(2);
constexpr InputState InputButton11 = InputButton(11);
constexpr InputState InputButton31 = InputButton(31);
constexpr InputState InputButton32 = InputButton(32);

constexpr uint16_t kVkBack = 8, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18,
                   kVkPause = 19, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33, kVkNext = 34,
                   kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40, kVkF1 = 112;

// Who holds a key down: the keyboard, or one button or stick direction of
// one game controller (PadSource).
using InputSource = uint32_t;
constexpr InputSource kKeyboardSource = 0;

class KeyboardReader {
 public:
  KeyboardReader() { ResetAssigns(); }
  // The form's defaults: arrows in slot 1, Escape, Enter and Space for
  // buttons 31 and 32, everything else empty.
  void ResetAssigns();
  std::array<std::array<uint16_t, 3>, kInputStateCount> Assigns{};

  // A key is held while any source holds it. A fresh press (not an
  // auto-repeat) ends a Swallow.
  void KeyDown(uint16_t key, InputSource source = kKeyboardSource, bool repeat = false);
  // Returns true when no source holds the key any more.
  bool KeyUp(uint16_t key, InputSource source = kKeyboardSource);
  void ReleaseAll();
  bool KeyHeld(uint16_t key) const { return key < 256 && held_[key]; }
  // A key some control used: its press no longer makes a state, so that it
  // does not act on the game once the control is gone; pressed again after
  // it was let go, it counts once more.
  void Swallow(uint16_t key);
  // Samples the keys into the states: those held now and those pressed since
  // the last Update, so that a tap shorter than a frame still counts once.
  void Update();
  // The keys held at this moment only; the taps stay counted for the next Update.
  void Sample();
  bool Has(InputState state) const { return states_[state]; }

 private:
  void Compute(const std::bitset<256>& down);
  std::map<InputSource, std::bitset<256>> sources_;
  std::bitset<256> held_;  // by any source
  std::bitset<256> swallowed_;
  std::bitset<256> tapped_;
  std::bitset<kInputStateCount> states_;
};

// ---- The pointer and typed text ----
// Where the 1024 x 768 picture lies in a window (or screen) of the given
// size: scaled to fit with its aspect kept, centred between black bars.
Rect LetterboxRect(int windowWidth, int windowHeight);
// A window point on the picture's surface, clamped to its edges; false when
// the point lies in the bars.
bool SurfacePoint(int windowWidth, int windowHeight, int x, int y, int& surfaceX, int& surfaceY);

}  // namespace plumix
