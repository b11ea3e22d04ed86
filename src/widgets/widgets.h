// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small set of classic grey controls drawn by the game on its own surface:
// group box, label, edit, drop-down choice box, check box and push button.
// The set owns the focus, the hover, the pressed control and the one open
// list; the owner feeds it keys, typed text and the pointer, and hears back
// through each control's events.
#include <bitset>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "media/bitmap.h"
#include "media/clipboard.h"
#include "media/colour.h"

namespace plumix {

class Fonts;

enum class WidgetKind { GroupBox, Label, Edit, ComboBox, CheckBox, Button };
enum class LabelPos { lpCustom, lpTop, lpLeft, lpBottom, lpRight };

struct Widget {
  WidgetKind Kind = WidgetKind::Label;
  Rect Bounds;          // on the surface
  std::string Caption;  // code-page 1250
  Colour TextColour = kBlack;
  bool Visible = true;
  // Edit: Text with its caret and the other end of the selection.
  std::string Text;
  size_t MaxLength = 0;  // 0: no limit
  bool DigitsOnly = false;
  size_t Caret = 0;
  size_t Anchor = 0;
  // Choice box.
  std::vector<std::string> Items;
  int ItemIndex = -1;
  // Check box.
  bool Checked = false;
  // The label an edit or a choice box keeps placed beside it (-1: none).
  int LabelComponent = -1;
  LabelPos Position = LabelPos::lpLeft;
  int LabelMargin = 8;

  std::function<void()> OnChange;    // text, pick or check changed by the player
  std::function<void()> OnClick;     // check box toggled, button pressed
  std::function<void()> OnDropDown;  // a choice box's list opened
  // Takes every key but Tab while the control has the focus (key capture);
  // returns true when the key was used.
  std::function<bool(uint16_t)> OnKeyDown;
  std::function<void(uint16_t)> OnKeyUp;
};

// A key press as the controls need it: the modifiers held and whether it is
// the keyboard's auto-repeat.
struct KeyFlags {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
  bool Repeat = false;
};

class WidgetSet {
 public:
  static constexpr const char* kFace = "MS Sans Serif";
  static constexpr int kFaceSize = 8;
  static constexpr int kItemHeight = 13;
  static constexpr int kDropDownCount = 8;

  explicit WidgetSet(Fonts& fonts) : fonts_(fonts) {}

  int Add(Widget widget);
  // An edit or choice box with its label, placed by pos and margin.
  int AddLabelled(Widget control, std::string_view label, Colour labelColour, LabelPos pos,
                  int margin, bool colon);
  Widget& At(int index) { return widgets_[static_cast<size_t>(index)]; }
  const Widget& At(int index) const { return widgets_[static_cast<size_t>(index)]; }
  int Count() const { return static_cast<int>(widgets_.size()); }
  // Moves a control and the label it owns.
  void Place(int index, Rect bounds);
  void SetVisible(int index, bool visible);
  void SetText(int index, std::string_view text);

  int Focus() const { return focus_; }
  void SetFocus(int index);
  // The next (or previous) control that takes the focus, in the order added.
  void MoveFocus(bool backwards);
  int Hover() const { return hover_; }
  int OpenList() const { return open_; }
  int ListTop() const { return listTop_; }
  int ListHot() const { return listHot_; }
  void OpenDropDown(int index);
  void CloseDropDown();
  Rect ListRect() const;

  // Each returns true when the set used the event; keys it leaves alone are
  // the owner's (function keys, Enter and Escape outside an open list, Ctrl
  // shortcuts an edit has no use for).
  bool KeyDown(uint16_t key, KeyFlags flags);
  // For an owner that tells Shift and Alt only: Ctrl and the auto-repeat as
  // the set saw the keys go down and up.
  bool KeyDown(uint16_t key, bool shift, bool alt);
  void KeyUp(uint16_t key);
  // Keys let go where the set could not see it (the window lost the focus).
  void ReleaseKeys() { down_.reset(); }
  bool TextInput(std::string_view cp1250);
  void MouseMove(int x, int y);
  // clicks: 2 on the second press of a double click (a word is selected).
  bool MouseDown(int x, int y, int clicks = 1);
  void MouseUp(int x, int y);
  // Scrolls an open list, or steps the focused choice box under the pointer.
  void MouseWheel(int steps);
  // The control under a point, or -1.
  int HitTest(int x, int y) const;

  void Draw(Bitmap& target);
  int TextWidth(std::string_view text) const;

  // Cut, copy and paste go to this clipboard; without one, the set's own.
  void UseClipboard(Clipboard* clipboard) { clipboard_ = clipboard; }
  Clipboard& Clip() { return clipboard_ ? *clipboard_ : ownClipboard_; }

 private:
  bool TakesFocus(const Widget& w) const;
  bool EditKey(Widget& w, uint16_t key, KeyFlags flags);
  // The selection replaced by text (cut to the edit's limit); false when
  // nothing changed.
  bool ReplaceSelection(Widget& w, std::string text);
  void Copy(const Widget& w);
  void Paste(Widget& w);
  void SelectWordAt(Widget& w, int x);
  bool ComboKey(int index, uint16_t key, bool alt);
  bool ListKey(uint16_t key, bool alt);
  void Pick(int index, int item);
  void ShowItem(int item);
  // The open list's top row, kept inside its items.
  void ScrollTo(int top, int count);
  void CloseAndPick(int item);
  size_t CaretFromX(const Widget& w, int x) const;
  // The character under a point (the last one past the text's end).
  size_t CharFromX(const Widget& w, int x) const;
  void DrawText(Bitmap& target, int x, int y, std::string_view text, Colour colour, Rect clip) const;
  void DrawWidget(Bitmap& target, int index);
  void DrawList(Bitmap& target);

  Fonts& fonts_;
  std::vector<Widget> widgets_;
  int focus_ = -1;
  int hover_ = -1;
  int pressed_ = -1;
  bool dragging_ = false;
  int open_ = -1;
  int listTop_ = 0;
  int listHot_ = -1;
  std::bitset<256> down_;  // keys the set saw go down and not up
  Clipboard* clipboard_ = nullptr;
  Clipboard ownClipboard_;
};

// An edit's text after typing: characters below a blank are dropped, a
// digits-only edit keeps only digits, and the limit cuts the rest.
std::string FilterTyped(std::string_view typed, bool digitsOnly);
// Clipboard text (UTF-8) as an edit takes it: code page 1250 ('?' for what
// it lacks), line breaks and tabs as one blank, line breaks at either end
// and other control characters dropped. A digits-only edit takes digits
// with blanks around them and nothing else: any other character makes the
// result empty (the paste is refused).
std::string PastedText(std::string_view utf8, bool digitsOnly);

}  // namespace plumix
