// SPDX-License-Identifier: GPL-3.0-or-later
// The classic grey look: sunken white fields, raised buttons, etched group
// frames, a navy highlight for the selection and a dotted focus rectangle.
#include <algorithm>

#include "media/draw.h"
#include "media/text.h"
#include "widgets/widgets.h"

namespace plumix {
namespace {

constexpr Colour kButtonFace = 0xC0C0C0;
constexpr Colour kHoverFace = 0xDCDCDC;
constexpr Colour kShadow = 0x808080;
constexpr Colour kDarkShadow = 0x404040;
constexpr Colour kHighlight = 0xFFFFFF;
constexpr Colour kSelection = 0x800000;  // navy
constexpr Colour kHoverRim = 0xD77800;   // a light blue rim under the pointer
// Etched frames on the darker panel grey.
constexpr Colour kEtchDark = 0x3C3C3C;
constexpr Colour kEtchLight = 0xA4A4A4;
constexpr Colour kPanelFace = kPanelGrey;

void HLine(Bitmap& b, int x0, int x1, int y, Colour c) { FillRect(b, Rect{x0, y, x1, y + 1}, c); }
void VLine(Bitmap& b, int x, int y0, int y1, Colour c) { FillRect(b, Rect{x, y0, x + 1, y1}, c); }

// A one-pixel frame: top and left in one colour, bottom and right in another.
void Bevel(Bitmap& b, Rect r, Colour topLeft, Colour bottomRight) {
  HLine(b, r.Left, r.Right - 1, r.Top, topLeft);
  VLine(b, r.Left, r.Top, r.Bottom - 1, topLeft);
  HLine(b, r.Left, r.Right, r.Bottom - 1, bottomRight);
  VLine(b, r.Right - 1, r.Top, r.Bottom, bottomRight);
}

Rect Inset(Rect r, int d) { return Rect{r.Left + d, r.Top + d, r.Right - d, r.Bottom - d}; }

void Sunken(Bitmap& b, Rect r, bool hover) {
  Bevel(b, r, hover ? kHoverRim : kShadow, kHighlight);
  Bevel(b, Inset(r, 1), kDarkShadow, kButtonFace);
}

void Raised(Bitmap& b, Rect r, Colour face) {
  FillRect(b, r, face);
  Bevel(b, r, kHighlight, kDarkShadow);
  Bevel(b, Inset(r, 1), face, kShadow);
}

void DottedFrame(Bitmap& b, Rect r) {
  const uint16_t c = ToRgb565(kBlack);
  auto dot = [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < b.Width && y < b.Height && (x + y) % 2 == 0) b.Row(y)[x] = c;
  };
  for (int x = r.Left; x < r.Right; ++x) {
    dot(x, r.Top);
    dot(x, r.Bottom - 1);
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    dot(r.Left, y);
    dot(r.Right - 1, y);
  }
}

void Arrow(Bitmap& b, int cx, int cy, bool down, Colour c) {
  for (int i = 0; i < 4; ++i) {
    const int y = down ? cy - 1 + i : cy + 2 - i;
    HLine(b, cx - 3 + i, cx + 4 - i, y, c);
  }
}

void CheckMark(Bitmap& b, int x, int y) {
  // A tick of three-pixel strokes, as the classic check box draws it.
  for (int i = 0; i < 7; ++i) {
    const int top = i < 2 ? y + 4 + i : y + 6 - (i - 2);
    VLine(b, x + i, top, top + 3, kBlack);
  }
}

}  // namespace

void WidgetSet::DrawText(Bitmap& target, int x, int y, std::string_view text, Colour colour,
                         Rect clip) const {
  BlendText(target, fonts_.Render(kFace, kFaceSize, kStyleNormal, text), x, y, ToRgb565(colour), clip);
}

void WidgetSet::DrawWidget(Bitmap& b, int index) {
  const Widget& w = At(index);
  const Rect r = w.Bounds;
  const bool focused = index == focus_, hover = index == hover_;
  switch (w.Kind) {
    case WidgetKind::GroupBox: {
      FillRect(b, r, kPanelFace);
      const int top = r.Top + kItemHeight / 2;
      Bevel(b, Rect{r.Left, top, r.Right - 1, r.Bottom - 1}, kEtchDark, kEtchDark);
      Bevel(b, Rect{r.Left + 1, top + 1, r.Right, r.Bottom}, kEtchLight, kEtchLight);
      HLine(b, r.Left + 1, r.Right - 2, top, kEtchDark);
      VLine(b, r.Left, top, r.Bottom - 1, kEtchDark);
      const int width = TextWidth(w.Caption);
      FillRect(b, Rect{r.Left + 8, r.Top, r.Left + 8 + width, r.Top + kItemHeight}, kPanelFace);
      DrawText(b, r.Left + 8, r.Top, w.Caption, w.TextColour, r);
      break;
    }
    case WidgetKind::Label:
      DrawText(b, r.Left, r.Top, w.Caption, w.TextColour, Rect{0, 0, b.Width, b.Height});
      break;
    case WidgetKind::Edit: {
      FillRect(b, r, kHighlight);
      Sunken(b, r, hover);
      const Rect field = Inset(r, 2);
      const size_t lo = std::min(w.Caret, w.Anchor), hi = std::max(w.Caret, w.Anchor);
      const int caretX = TextWidth(std::string_view(w.Text).substr(0, w.Caret));
      // Long texts scroll so that the caret stays in sight.
      const int shift = std::max(0, caretX - (field.Width() - 4));
      const int x = field.Left + 2 - shift, y = field.Top + 2;
      DrawText(b, x, y, w.Text, kBlack, field);
      if (focused && lo < hi) {
        const int x0 = x + TextWidth(std::string_view(w.Text).substr(0, lo));
        const int x1 = x + TextWidth(std::string_view(w.Text).substr(0, hi));
        const Rect sel{std::max(x0, field.Left), y, std::min(x1, field.Right), y + kItemHeight};
        FillRect(b, sel, kSelection);
        DrawText(b, x, y, w.Text, kHighlight, sel);
      }
      if (focused) VLine(b, x + caretX, y, y + kItemHeight, kBlack);
      break;
    }
    case WidgetKind::ComboBox: {
      FillRect(b, r, kHighlight);
      Sunken(b, r, hover);
      const Rect field = Inset(r, 2);
      const Rect button{field.Right - 16, field.Top, field.Right, field.Bottom};
      Raised(b, button, hover ? kHoverFace : kButtonFace);
      Arrow(b, (button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2, true, kBlack);
      const Rect text{field.Left + 1, field.Top + 1, button.Left - 1, field.Bottom - 1};
      const bool selected = focused && open_ != index;
      if (selected) FillRect(b, text, kSelection);
      if (w.ItemIndex >= 0 && w.ItemIndex < static_cast<int>(w.Items.size())) {
        DrawText(b, text.Left + 2, text.Top + 1, w.Items[static_cast<size_t>(w.ItemIndex)],
                 selected ? kHighlight : kBlack, text);
      }
      if (selected) DottedFrame(b, text);
      break;
    }
    case WidgetKind::CheckBox: {
      const Rect box{r.Left, r.Top + (r.Height() - 13) / 2, r.Left + 13, r.Top + (r.Height() - 13) / 2 + 13};
      const bool pressed = pressed_ == index && hover;
      FillRect(b, box, pressed ? kButtonFace : hover ? kHoverFace : kHighlight);
      Sunken(b, box, false);
      if (w.Checked) CheckMark(b, box.Left + 3, box.Top + 1);
      const int width = TextWidth(w.Caption);
      DrawText(b, r.Left + 17, box.Top, w.Caption, w.TextColour, Rect{0, 0, b.Width, b.Height});
      if (focused) DottedFrame(b, Rect{r.Left + 16, box.Top - 1, r.Left + 19 + width, box.Top + 14});
      break;
    }
    case WidgetKind::Button: {
      const bool pressed = pressed_ == index && hover;
      const Colour face = hover ? kHoverFace : kButtonFace;
      if (pressed) {
        FillRect(b, r, face);
        Bevel(b, r, kDarkShadow, kDarkShadow);
        Bevel(b, Inset(r, 1), kShadow, face);
      } else {
        Raised(b, focused ? Inset(r, 1) : r, face);
        if (focused) Bevel(b, r, kBlack, kBlack);
      }
      const int width = TextWidth(w.Caption);
      const int x = r.Left + (r.Width() - width) / 2 + (pressed ? 1 : 0);
      const int y = r.Top + (r.Height() - kItemHeight) / 2 + (pressed ? 1 : 0);
      DrawText(b, x, y, w.Caption, kBlack, r);
      if (focused) DottedFrame(b, Inset(r, 4));
      break;
    }
  }
}

void WidgetSet::DrawList(Bitmap& b) {
  const Widget& w = At(open_);
  const Rect list = ListRect();
  FillRect(b, list, kHighlight);
  Bevel(b, list, kBlack, kBlack);
  const int count = static_cast<int>(w.Items.size());
  const bool scrolls = count > kDropDownCount;
  const int right = scrolls ? list.Right - 17 : list.Right - 1;
  for (int row = 0; row < kDropDownCount && listTop_ + row < count; ++row) {
    const int item = listTop_ + row;
    const Rect line{list.Left + 1, list.Top + 1 + row * kItemHeight, right,
                    list.Top + 1 + (row + 1) * kItemHeight};
    const bool hot = item == listHot_;
    if (hot) FillRect(b, line, kSelection);
    DrawText(b, line.Left + 2, line.Top, w.Items[static_cast<size_t>(item)],
             hot ? kHighlight : kBlack, line);
  }
  if (!scrolls) return;
  const Rect track{right, list.Top + 1, list.Right - 1, list.Bottom - 1};
  FillRect(b, track, 0xE0E0E0);
  const Rect up{track.Left, track.Top, track.Right, track.Top + 16};
  const Rect down{track.Left, track.Bottom - 16, track.Right, track.Bottom};
  Raised(b, up, kButtonFace);
  Raised(b, down, kButtonFace);
  Arrow(b, (up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2 - 1, false, kBlack);
  Arrow(b, (down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2, true, kBlack);
  const int room = down.Top - up.Bottom;
  const int thumb = std::max(8, room * kDropDownCount / count);
  const int top = up.Bottom + (room - thumb) * listTop_ / std::max(1, count - kDropDownCount);
  Raised(b, Rect{track.Left, top, track.Right, top + thumb}, kButtonFace);
}

void WidgetSet::Draw(Bitmap& target) {
  for (int i = 0; i < Count(); ++i) {
    if (At(i).Visible) DrawWidget(target, i);
  }
  if (open_ >= 0) DrawList(target);
}

}  // namespace plumix
