// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/prompt_box.h"

#include <algorithm>

#include "media/draw.h"
#include "media/input.h"

namespace plumix {
namespace {

constexpr int kWidth = 420;
constexpr int kLineHeight = 16;
constexpr int kButtonWidth = 96;

// The message broken at blanks to fit the box.
std::vector<std::string> Lines(const WidgetSet& set, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    const std::string joined = line.empty() ? word : line + " " + word;
    if (!line.empty() && set.TextWidth(joined) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = joined;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

void PromptBox::Show(std::string text, std::vector<std::string> answers, std::function<void(int)> answered) {
  set_ = std::make_unique<WidgetSet>(fonts_);
  text_ = std::move(text);
  answers_ = static_cast<int>(answers.size());
  answered_ = std::move(answered);
  const std::vector<std::string> lines = Lines(*set_, text_, kWidth - 32);
  const int height = 56 + kLineHeight * static_cast<int>(lines.size());
  box_ = {(Display::kWidth - kWidth) / 2, (Display::kHeight - height) / 2, (Display::kWidth + kWidth) / 2,
          (Display::kHeight + height) / 2};
  for (size_t i = 0; i < lines.size(); ++i) {
    Widget l;
    l.Kind = WidgetKind::Label;
    l.Caption = lines[i];
    l.TextColour = kBlack;
    const int y = box_.Top + 14 + kLineHeight * static_cast<int>(i);
    l.Bounds = {box_.Left + 16, y, box_.Right - 16, y + kLineHeight};
    set_->Add(std::move(l));
  }
  int first = -1;
  for (int i = 0; i < answers_; ++i) {
    Widget b;
    b.Kind = WidgetKind::Button;
    b.Caption = answers[static_cast<size_t>(i)];
    const int x = box_.Right - 16 - (answers_ - i) * (kButtonWidth + 8) + 8;
    b.Bounds = {x, box_.Bottom - 34, x + kButtonWidth, box_.Bottom - 12};
    b.OnClick = [this, i] { pending_ = i; };
    const int index = set_->Add(std::move(b));
    if (first < 0) first = index;
  }
  set_->SetFocus(first);
  pending_ = -1;
  open_ = true;
}

void PromptBox::Answer(int index) {
  open_ = false;
  // The handler may show a new question, which replaces this one's controls.
  std::function<void(int)> answered = std::move(answered_);
  answered_ = nullptr;
  if (answered) answered(index);
}

void PromptBox::Event(const PlatformEvent& event, bool shift) {
  if (!open_) return;
  switch (event.Type) {
    case PlatformEventType::KeyDown:
      if (event.Key == kVkEscape) {
        Answer(answers_ - 1);
      } else if (event.Key == kVkLeft || event.Key == kVkRight) {
        set_->MoveFocus(event.Key == kVkLeft);
      } else {
        set_->KeyDown(event.Key, shift, false);
      }
      break;
    case PlatformEventType::MouseMove: set_->MouseMove(event.X, event.Y); break;
    case PlatformEventType::MouseDown:
      if (event.Button == 1) set_->MouseDown(event.X, event.Y);
      break;
    case PlatformEventType::MouseUp: set_->MouseUp(event.X, event.Y); break;
    case PlatformEventType::Quit: Answer(answers_ - 1); break;
    default: break;
  }
  // Answered once the set is done with the click, since the answer may replace it.
  if (pending_ >= 0) {
    const int answer = pending_;
    pending_ = -1;
    Answer(answer);
  }
}

void PromptBox::Draw(Bitmap& target) {
  if (!open_) return;
  FillRect(target, {box_.Left - 2, box_.Top - 2, box_.Right + 2, box_.Bottom + 2}, kBlack);
  FillRect(target, {box_.Left - 1, box_.Top - 1, box_.Right + 1, box_.Bottom + 1}, kWhite);
  FillRect(target, box_, kSilver);
  set_->Draw(target);
}

}  // namespace plumix
