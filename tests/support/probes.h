// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a test reads off the game: the sounds it was asked to play, the
// digits its counters show.
#include <algorithm>
#include <string>

#include "app/main_form.h"

namespace plumix::testing {

// Sounds of this name started since the game began.
inline int CountSounds(TMain& game, const std::string& name) {
  const auto& log = game.M.DXWaveList.Log;
  return static_cast<int>(
      std::count_if(log.begin(), log.end(), [&](const SoundEvent& e) { return e.Started && e.Name == name; }));
}

// The digits a row of digit sprites shows ('?' for a sprite that is gone).
template <class Sprites>
std::string Digits(const Sprites& sprites) {
  std::string text;
  for (const auto& ref : sprites) {
    const auto* digit = ref.Get();
    text += digit ? static_cast<char>('0' + static_cast<int>(digit->AnimationPos) - 1) : '?';
  }
  return text;
}

// Sounds counted from a mark onwards.
class SoundLog {
 public:
  explicit SoundLog(TMain& game) : game_(game) { Mark(); }
  void Mark() { from_ = game_.M.DXWaveList.Log.size(); }
  int Started(const std::string& name) const { return Count(name, true); }
  int Stopped(const std::string& name) const { return Count(name, false); }

 private:
  int Count(const std::string& name, bool started) const {
    const auto& log = game_.M.DXWaveList.Log;
    return static_cast<int>(std::count_if(log.begin() + static_cast<long>(std::min(from_, log.size())),
                                          log.end(), [&](const SoundEvent& e) {
                                            return e.Name == name && e.Started == started;
                                          }));
  }
  TMain& game_;
  size_t from_ = 0;
};

}  // namespace plumix::testing
