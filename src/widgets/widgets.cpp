// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/widgets.h"

#include <algorithm>

#include "media/display.h"
#include "media/input.h"
#include "media/text.h"

namespace plumix {
namespace {

constexpr uint16_t kVkTab = 9, kVkEnd = 35, kVkHome = 36, kVkF4 = 115;

}  // namespace

int WidgetSet::Add(Widget widget) {
  widgets_.push_back(std::move(widget));
  return Count() - 1;
}

int WidgetSet::AddLabelled(Widget control, std::string_view label, Colour labelColour, LabelPos pos,
                           int margin, bool colon) {
  Widget l;
  l.Kind = WidgetKind::Label;
  l.Caption = std::string(label);
  if (colon && (l.Caption.empty() || l.Caption.back() != ':')) l.Caption += ':';
  l.TextColour = labelColour;
  const int labelIndex = Add(std::move(l));
  control.LabelComponent = labelIndex;
  control.Position = pos;
  control.LabelMargin = margin;
  const Rect bounds = control.Bounds;
  const int index = Add(std::move(control));
  Place(index, bounds);
  return index;
}

void WidgetSet::Place(int index, Rect b) {
  Widget& w = At(index);
  w.Bounds = b;
  if (w.LabelComponent < 0) return;
  Widget& l = At(w.LabelComponent);
  const int width = TextWidth(l.Caption), height = kItemHeight, m = w.LabelMargin;
  int x = l.Bounds.Left, y = l.Bounds.Top;
  switch (w.Position) {
    case LabelPos::lpCustom: return;
    case LabelPos::lpTop: x = b.Left; y = b.Top - m - height; break;
    case LabelPos::lpLeft: x = b.Left - m - width; y = b.Top + 3; break;
    case LabelPos::lpBottom: x = b.Left; y = b.Bottom + m; break;
    case LabelPos::lpRight: x = b.Right + m; y = b.Top + 3; break;
  }
  l.Bounds = Rect{x, y, x + width, y + height};
}

void WidgetSet::SetVisible(int index, bool visible) {
  Widget& w = At(index);
  w.Visible = visible;
  if (w.LabelComponent >= 0) At(w.LabelComponent).Visible = visible;
  if (!visible && focus_ == index) MoveFocus(false);
  if (!visible && open_ == index) CloseDropDown();
}

void WidgetSet::SetText(int index, std::string_view text) {
  Widget& w = At(index);
  w.Text = std::string(text);
  w.Caret = w.Anchor = w.Text.size();
}

bool WidgetSet::TakesFocus(const Widget& w) const {
  return w.Visible && w.Kind != WidgetKind::GroupBox && w.Kind != WidgetKind::Label;
}

void WidgetSet::SetFocus(int index) {
  if (index == focus_) return;
  if (open_ >= 0 && open_ != index) CloseDropDown();
  focus_ = index;
  if (index >= 0 && At(index).Kind == WidgetKind::Edit) {
    // Entering an edit selects its whole text, as tabbing into one does.
    Widget& w = At(index);
    w.Anchor = 0;
    w.Caret = w.Text.size();
  }
}

void WidgetSet::MoveFocus(bool backwards) {
  const int n = Count();
  for (int step = 1; step <= n; ++step) {
    const int start = focus_ < 0 ? (backwards ? 0 : n - 1) : focus_;
    const int i = ((start + (backwards ? -step : step)) % n + n) % n;
    if (TakesFocus(At(i))) {
      SetFocus(i);
      return;
    }
  }
}

void WidgetSet::OpenDropDown(int index) {
  Widget& w = At(index);
  open_ = index;
  listHot_ = w.ItemIndex;
  listTop_ = 0;
  ShowItem(std::max(0, w.ItemIndex));
  if (w.OnDropDown) w.OnDropDown();
}

void WidgetSet::CloseDropDown() {
  open_ = -1;
  listHot_ = -1;
}

Rect WidgetSet::ListRect() const {
  if (open_ < 0) return {};
  const Widget& w = At(open_);
  const int rows = std::clamp(static_cast<int>(w.Items.size()), 1, kDropDownCount);
  const int height = rows * kItemHeight + 2;
  // Above the box where the screen ends below it.
  const int top = w.Bounds.Bottom + height <= Display::kHeight ? w.Bounds.Bottom : w.Bounds.Top - height;
  return Rect{w.Bounds.Left, top, w.Bounds.Right, top + height};
}

void WidgetSet::ShowItem(int item) {
  if (open_ < 0) return;
  const int count = static_cast<int>(At(open_).Items.size());
  if (item < listTop_) listTop_ = item;
  if (item >= listTop_ + kDropDownCount) listTop_ = item - kDropDownCount + 1;
  ScrollTo(listTop_, count);
}

void WidgetSet::ScrollTo(int top, int count) { listTop_ = std::clamp(top, 0, std::max(0, count - kDropDownCount)); }

void WidgetSet::CloseAndPick(int item) {
  const int index = open_;
  CloseDropDown();
  Pick(index, item);
}

void WidgetSet::Pick(int index, int item) {
  Widget& w = At(index);
  const int count = static_cast<int>(w.Items.size());
  if (count == 0) return;
  item = std::clamp(item, 0, count - 1);
  if (item == w.ItemIndex) return;
  w.ItemIndex = item;
  if (w.OnChange) w.OnChange();
}

bool WidgetSet::ListKey(uint16_t key, bool alt) {
  const Widget& w = At(open_);
  const int count = static_cast<int>(w.Items.size());
  switch (key) {
    case kVkUp:
    case kVkDown:
      if (alt) {
        CloseAndPick(listHot_);
        return true;
      }
      listHot_ = std::clamp(listHot_ + (key == kVkDown ? 1 : -1), 0, std::max(0, count - 1));
      break;
    case kVkPrior: listHot_ = std::max(0, listHot_ - (kDropDownCount - 1)); break;
    case kVkNext: listHot_ = std::min(count - 1, listHot_ + kDropDownCount - 1); break;
    case kVkHome: listHot_ = 0; break;
    case kVkEnd: listHot_ = count - 1; break;
    case kVkReturn:
    case kVkF4:
      CloseAndPick(listHot_);
      return true;
    case kVkEscape:
    case kVkTab:
      CloseDropDown();
      return true;
    default:
      return false;
  }
  ShowItem(listHot_);
  return true;
}

bool WidgetSet::ComboKey(int index, uint16_t key, bool alt) {
  Widget& w = At(index);
  const int last = static_cast<int>(w.Items.size()) - 1;
  if ((key == kVkDown && alt) || key == kVkF4) {
    OpenDropDown(index);
    return true;
  }
  switch (key) {
    case kVkUp: Pick(index, std::max(0, w.ItemIndex - 1)); return true;
    case kVkDown: Pick(index, w.ItemIndex + 1); return true;
    case kVkPrior: Pick(index, w.ItemIndex - (kDropDownCount - 1)); return true;
    case kVkNext: Pick(index, w.ItemIndex + kDropDownCount - 1); return true;
    case kVkHome: Pick(index, 0); return true;
    case kVkEnd: Pick(index, last); return true;
    default: return false;
  }
}

bool WidgetSet::KeyDown(uint16_t key, bool shift, bool alt) {
  const bool seen = key < down_.size() && down_[key];
  return KeyDown(key, KeyFlags{shift, down_[kVkControl], alt, seen});
}

bool WidgetSet::KeyDown(uint16_t key, KeyFlags flags) {
  if (key < down_.size()) down_[key] = true;
  if (open_ >= 0) {
    if (ListKey(key, flags.Alt)) return true;
  }
  if (key == kVkTab) {
    MoveFocus(flags.Shift);
    return true;
  }
  if (focus_ < 0) return false;
  Widget& w = At(focus_);
  if (w.OnKeyDown) return w.OnKeyDown(key);
  switch (w.Kind) {
    case WidgetKind::Edit: return EditKey(w, key, flags);
    case WidgetKind::ComboBox: return ComboKey(focus_, key, flags.Alt);
    case WidgetKind::CheckBox:
      if (key != kVkSpace) return false;
      // A held Space toggles once, not with every auto-repeat.
      if (flags.Repeat) return true;
      w.Checked = !w.Checked;
      if (w.OnClick) w.OnClick();
      return true;
    case WidgetKind::Button:
      if (key != kVkSpace && key != kVkReturn) return false;
      if (!flags.Repeat && w.OnClick) w.OnClick();
      return true;
    default: return false;
  }
}

void WidgetSet::KeyUp(uint16_t key) {
  if (key < down_.size()) down_[key] = false;
  if (focus_ >= 0 && At(focus_).OnKeyUp) At(focus_).OnKeyUp(key);
}

int WidgetSet::HitTest(int x, int y) const {
  for (int i = Count() - 1; i >= 0; --i) {
    const Widget& w = At(i);
    if (TakesFocus(w) && w.Bounds.Contains(x, y)) return i;
  }
  return -1;
}

void WidgetSet::MouseMove(int x, int y) {
  hover_ = HitTest(x, y);
  if (open_ >= 0) {
    const Rect list = ListRect();
    const Rect items{list.Left + 1, list.Top + 1, list.Right - 17, list.Bottom - 1};
    if (items.Contains(x, y)) {
      listHot_ = std::min(listTop_ + (y - items.Top) / kItemHeight,
                          static_cast<int>(At(open_).Items.size()) - 1);
    }
    return;
  }
  if (dragging_ && focus_ >= 0 && At(focus_).Kind == WidgetKind::Edit) {
    At(focus_).Caret = CaretFromX(At(focus_), x);
  }
}

bool WidgetSet::MouseDown(int x, int y, int clicks) {
  if (open_ >= 0) {
    const Rect list = ListRect();
    const int count = static_cast<int>(At(open_).Items.size());
    if (list.Contains(x, y)) {
      if (count > kDropDownCount && x >= list.Right - 17) {
        // The scroll bar: its arrows step, the track pages.
        const int third = (y - list.Top) * 3 / list.Height();
        ScrollTo(listTop_ + (third == 0 ? -1 : third == 2 ? 1 : (y < list.Top + list.Height() / 2 ? -kDropDownCount : kDropDownCount)),
                 count);
        return true;
      }
      CloseAndPick(listTop_ + (y - list.Top - 1) / kItemHeight);
      return true;
    }
    // A click anywhere else (the box itself included) only closes the list.
    CloseDropDown();
    return true;
  }
  const int hit = HitTest(x, y);
  if (hit < 0) return false;
  SetFocus(hit);
  Widget& w = At(hit);
  pressed_ = hit;
  if (w.Kind == WidgetKind::ComboBox) {
    OpenDropDown(hit);
  } else if (w.Kind == WidgetKind::Edit && clicks == 2) {
    SelectWordAt(w, x);
  } else if (w.Kind == WidgetKind::Edit) {
    w.Caret = w.Anchor = CaretFromX(w, x);
    dragging_ = true;
  }
  return true;
}

void WidgetSet::MouseUp(int x, int y) {
  const int pressed = pressed_;
  pressed_ = -1;
  dragging_ = false;
  if (pressed < 0 || pressed != HitTest(x, y)) return;
  Widget& w = At(pressed);
  if (w.Kind == WidgetKind::CheckBox) {
    w.Checked = !w.Checked;
    if (w.OnClick) w.OnClick();
  } else if (w.Kind == WidgetKind::Button && w.OnClick) {
    w.OnClick();
  }
}

void WidgetSet::MouseWheel(int steps) {
  if (open_ >= 0) {
    ScrollTo(listTop_ - 3 * steps, static_cast<int>(At(open_).Items.size()));
  } else if (focus_ >= 0 && focus_ == hover_ && At(focus_).Kind == WidgetKind::ComboBox) {
    Pick(focus_, At(focus_).ItemIndex - steps);
  }
}

int WidgetSet::TextWidth(std::string_view text) const {
  return fonts_.TextWidth(kFace, kFaceSize, kStyleNormal, text);
}

}  // namespace plumix
