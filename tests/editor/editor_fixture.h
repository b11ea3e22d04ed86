// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor on a headless game, driven as the designer drives it: by the
// pointer, keys (with Ctrl and Shift held) and typed text.
#include <gtest/gtest.h>

#include <string>

#include "editor/editor.h"
#include "engine/board.h"
#include "media/input.h"
#include "support/harness.h"

namespace plumix::testing {

struct EditorScreen : ::testing::Test {
  Harness h;
  Editor editor{h.Game()};
  void Send(PlatformEventType type, int x = 0, int y = 0, int button = 1) {
    PlatformEvent e;
    e.Type = type;
    e.X = x;
    e.Y = y;
    e.Button = button;
    editor.Event(e);
  }
  void Click(int x, int y, int button = 1) {
    for (PlatformEventType t : {PlatformEventType::MouseMove, PlatformEventType::MouseDown, PlatformEventType::MouseUp}) {
      Send(t, x, y, button);
    }
  }
  void KeyEvent(PlatformEventType type, uint16_t key) {
    PlatformEvent e;
    e.Type = type;
    e.Key = key;
    editor.Event(e);
  }
  void Key(uint16_t key) {
    KeyEvent(PlatformEventType::KeyDown, key);
    KeyEvent(PlatformEventType::KeyUp, key);
  }
  // Ctrl (and Shift) held around the key.
  void Ctrl(uint16_t key, bool shift = false) {
    KeyEvent(PlatformEventType::KeyDown, kVkControl);
    if (shift) KeyEvent(PlatformEventType::KeyDown, kVkShift);
    Key(key);
    if (shift) KeyEvent(PlatformEventType::KeyUp, kVkShift);
    KeyEvent(PlatformEventType::KeyUp, kVkControl);
  }
  void Type(const std::string& text) {
    PlatformEvent e;
    e.Type = PlatformEventType::TextInput;
    e.Text = text;
    editor.Event(e);
  }
  void Frame() {
    h.Clock.Advance(1000.0 / 60);
    editor.Frame();
  }
};

// The pointer's cell (x, y) on the editor's board.
constexpr int CellX(int x) { return kEditorBoardX + kCellSize * x + 12; }
constexpr int CellY(int y) { return kEditorBoardY + kCellSize * y + 12; }

}  // namespace plumix::testing
