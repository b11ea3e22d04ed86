#pragma once
// What the sound list was asked to play, counted from a mark onwards.
#include <algorithm>
#include <string>

#include "app/main_form.h"

namespace plumix::testing {

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
