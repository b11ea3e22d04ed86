// The widget set on its own: a choice box longer than its list.
#include <gtest/gtest.h>

#include "media/input.h"
#include "media/text.h"
#include "widgets/widgets.h"

namespace plumix {
namespace {

constexpr uint16_t kVkEnd = 35, kVkHome = 36, kVkF4 = 115;

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
