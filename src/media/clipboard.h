// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's clipboard. Without a window (headless, tests) it keeps its
// text itself, so that copy and paste still meet inside the program.
#include <string>
#include <string_view>

namespace plumix {

class Clipboard {
 public:
  // system: the desktop's clipboard whenever the window system is up.
  explicit Clipboard(bool system = true) : system_(system) {}
  void SetSystem(bool system) { system_ = system; }
  // UTF-8 text; empty when the clipboard holds no text.
  std::string Text() const;
  void SetText(std::string_view utf8);

 private:
  bool UsesSystem() const;
  bool system_;
  std::string memory_;
};

}  // namespace plumix
