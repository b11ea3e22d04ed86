// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A question over the screen with up to three answers, built from the game's
// own controls so that it shows full screen too: the pointer or Tab and
// Enter pick an answer, Escape gives the last one (the cancel).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/display.h"
#include "widgets/widgets.h"

namespace plumix {

class PromptBox {
 public:
  explicit PromptBox(Fonts& fonts) : fonts_(fonts) {}

  // `answered` hears the 0-based answer after the box has closed, so that it
  // may open the box again.
  void Show(std::string text, std::vector<std::string> answers, std::function<void(int)> answered);
  bool IsOpen() const { return open_; }
  const std::string& Text() const { return text_; }
  // Every event while the box is open; the pointer and keys reach nothing else.
  void Event(const PlatformEvent& event, bool shift);
  void Draw(Bitmap& target);

 private:
  void Answer(int index);

  Fonts& fonts_;
  std::unique_ptr<WidgetSet> set_;
  bool open_ = false;
  std::string text_;
  int answers_ = 0;
  int pending_ = -1;
  Rect box_;
  std::function<void(int)> answered_;
};

}  // namespace plumix
