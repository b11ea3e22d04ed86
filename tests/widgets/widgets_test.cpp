// SPDX-License-Identifier: GPL-3.0-or-later
// The widget set on its own: a choice box longer than its list.
#include <gtest/gtest.h>

#include "media/clipboard.h"
#include "media/input.h"
#include "media/text.h"
#include "widgets/widgets.h"

namespace plumix {
namespace {

constexpr uint16_t kVkEnd = 35, kVkHome = 36, kVkDelete = 46, kVkF4 = 115;

TEST(Widgets, ALongListScrollsWithItsHotItemAndByItsScrollBar) {
  Fonts fonts;
  WidgetSet set(fonts);
  Widget box;
  box.Kind = WidgetKind::ComboBox;
  box.Bounds = Rect{100, 100, 285, 121};
  for (int i = 1; i <= 20; ++i) box.Items.push_back("Entry " + std::to_string(i));
  box.ItemIndex = 0;
  int changes = 0;
  box.OnChange = [&] { ++changes; };
  const int index = set.Add(box);
  set.SetFocus(index);
  ASSERT_TRUE(set.KeyDown(kVkF4, false, false));
  ASSERT_EQ(set.OpenList(), index);
  EXPECT_EQ(set.ListRect().Height(), WidgetSet::kDropDownCount * WidgetSet::kItemHeight + 2);
  set.KeyDown(kVkEnd, false, false);
  EXPECT_EQ(set.ListHot(), 19);
  EXPECT_EQ(set.ListTop(), 20 - WidgetSet::kDropDownCount);
  set.KeyDown(kVkHome, false, false);
  EXPECT_EQ(set.ListTop(), 0);
  set.MouseWheel(-2);
  EXPECT_EQ(set.ListTop(), 6) << "the wheel scrolls three rows a step";
  set.MouseWheel(5);
  EXPECT_EQ(set.ListTop(), 0);
  // The scroll bar's lower arrow steps the list without closing it.
  const Rect list = set.ListRect();
  set.MouseDown(list.Right - 5, list.Bottom - 5);
  EXPECT_EQ(set.ListTop(), 1);
  EXPECT_EQ(set.OpenList(), index);
  EXPECT_EQ(changes, 0) << "nothing is picked while the list is browsed";
  set.MouseDown(list.Left + 10, list.Top + 2);
  EXPECT_EQ(set.OpenList(), -1);
  EXPECT_EQ(set.At(index).ItemIndex, 1) << "the top row shown is entry 2";
  EXPECT_EQ(changes, 1);
}

// A text set from outside can be longer than the edit takes (an edited
// settings file); typing must not then lift the limit.
TEST(Widgets, AnOverlongTextTakesNoMoreTyping) {
  Fonts fonts;
  WidgetSet set(fonts);
  Widget edit;
  edit.Kind = WidgetKind::Edit;
  edit.Bounds = Rect{10, 10, 80, 31};
  edit.MaxLength = 5;
  edit.DigitsOnly = true;
  const int index = set.Add(edit);
  set.SetText(index, "123456");
  set.SetFocus(index);
  set.KeyDown(kVkEnd, false, false);
  set.TextInput("78");
  EXPECT_EQ(set.At(index).Text, "123456");
}

}  // namespace
}  // namespace plumix

namespace plumix {
namespace {

// Words of code page 1250 ("Žluť kůň, hop"), the clipboard in UTF-8, the
// limit on pastes, and Ctrl followed from the keys (as the editor sends them).
TEST(Widgets, EditsWorkByWordAndThroughTheClipboard) {
  Fonts fonts;
  WidgetSet set(fonts);
  Clipboard clip(false);
  set.UseClipboard(&clip);
  Widget edit;
  edit.Kind = WidgetKind::Edit;
  edit.Bounds = Rect{10, 10, 200, 31};
  edit.MaxLength = 16;
  const int e = set.Add(edit);
  Widget& w = set.At(e);
  set.SetText(e, "\x8Elu\x9D k\xF9\xF2, hop");
  set.SetFocus(e);
  const KeyFlags ctrl{false, true, false, false}, shiftCtrl{true, true, false, false};
  std::vector<size_t> stops;
  for (int i = 0; i < 4; ++i) {
    set.KeyDown(kVkLeft, ctrl);
    stops.push_back(w.Caret);
  }
  EXPECT_EQ(stops, (std::vector<size_t>{10, 8, 5, 0})) << "Ctrl+Left: word, comma, word, start";
  set.KeyDown(kVkRight, shiftCtrl);
  set.KeyDown(kVkRight, shiftCtrl);
  EXPECT_EQ(w.Anchor, 0u);
  EXPECT_EQ(w.Caret, 8u) << "Shift+Ctrl+Right selects two words";
  set.KeyDown('X', ctrl);
  EXPECT_EQ(clip.Text(), "\xC5\xBDlu\xC5\xA5 k\xC5\xAF\xC5\x88");
  EXPECT_EQ(w.Text, ", hop");
  set.KeyDown(kVkEnd, KeyFlags{});
  set.KeyDown('V', ctrl);
  EXPECT_EQ(w.Text, ", hop\x8Elu\x9D k\xF9\xF2");
  set.KeyDown(kVkBack, ctrl);
  EXPECT_EQ(w.Text, ", hop\x8Elu\x9D ") << "Ctrl+Backspace takes the word before the caret";
  set.KeyDown(kVkHome, KeyFlags{});
  set.KeyDown(kVkDelete, ctrl);
  EXPECT_EQ(w.Text, "hop\x8Elu\x9D ") << "Ctrl+Delete takes the comma and its blank";

  // A double click selects the word under the pointer.
  set.MouseDown(10 + 4 + set.TextWidth("ho"), 20, 2);
  EXPECT_EQ(std::min(w.Anchor, w.Caret), 0u);
  EXPECT_EQ(std::max(w.Anchor, w.Caret), 7u);

  // Lines pasted become one, cut at the limit; what code page 1250 lacks is '?'.
  clip.SetText("line one\r\nline \xE2\x9C\x93\n");
  set.KeyDown('A', ctrl);
  set.KeyDown('V', ctrl);
  EXPECT_EQ(w.Text, "line one line ?");
  clip.SetText("\n1234567890 1234567890");
  set.KeyDown('A', ctrl);
  set.KeyDown('V', ctrl);
  EXPECT_EQ(w.Text, "1234567890 12345");

  // The editor tells Shift and Alt only: the set follows Ctrl itself.
  set.KeyDown(kVkControl, false, false);
  set.KeyDown('A', false, false);
  EXPECT_EQ(w.Anchor, 0u);
  EXPECT_EQ(w.Caret, 16u);
  set.KeyUp(kVkControl);
  set.KeyDown(kVkEnd, false, false);
  set.KeyDown('A', false, false);
  EXPECT_EQ(w.Anchor, w.Caret) << "without Ctrl, A selects nothing";
}

}  // namespace
}  // namespace plumix
