// SPDX-License-Identifier: GPL-3.0-or-later
// The Board page: the palette, the tools and the painting of the board.
#include <algorithm>

#include "adventure/level_setup.h"
#include "app/main_form.h"
#include "editor/editor.h"
#include "editor/editor_layout.h"
#include "media/draw.h"

namespace plumix {

const char* SpecialName(int kind) {
  static constexpr const char* kNames[kSpecialKinds + 1] = {
      "",        "A carrot",    "B tablet", "C genie caught",   "D repair", "E virus deleted", "F level done",
      "G laser", "H magnifier", "I wine",   "J genie released", "K damage", "L virus"};
  return kind >= 1 && kind <= kSpecialKinds ? kNames[kind] : "";
}

Rect PaletteRect(int index) {
  const int x = kSideX + (index % kPalettePerRow) * kPalettePitch;
  const int y = kPaletteTop + (index / kPalettePerRow) * kPalettePitch;
  return {x, y, x + kCellSize, y + kCellSize};
}

void DrawPlainCell(Bitmap& surface, const Cell& cell, int px, int py) {
  const Rect r{px, py, px + kCellSize, py + kCellSize};
  if (cell.Code == kVoid) {
    FillRect(surface, r, 0x202020);
    for (int i = 0; i < kCellSize; i += 6) FillRect(surface, {px + i, py + i, px + i + 2, py + i + 2}, 0x505050);
  } else if (cell.Code == kPassage) {
    FillRect(surface, r, kMaroon);
  } else if (cell.Code == kEntryMark) {
    FillRect(surface, r, kRed);
  } else if (cell.Code > kEntryMark) {
    FillRect(surface, r, kMagenta);
  }
}

PaintCell PaletteCell(int index) {
  static constexpr uint8_t kFirst[] = {kEmpty, kVoid, kEdge, kPassage, kEntryMark};
  if (index < 5) return {kFirst[index], 1};
  if (index < 5 + kSpecialKinds) return {static_cast<uint8_t>(kFirstSpecial + index - 5), 1};
  return {kBlock, static_cast<uint8_t>(index - 5 - kSpecialKinds + 1)};
}

std::string PaletteName(int index) {
  static constexpr const char* kNames[] = {"Empty", "Void", "Edge", "Passage", "Entry point"};
  if (index < 5) return kNames[index];
  if (index < 5 + kSpecialKinds) return std::string("Special ") + SpecialName(index - 4);
  return "Block of kind " + std::to_string(index - 4 - kSpecialKinds);
}

void Editor::BuildBoardPage() {
  const int board = static_cast<int>(EditorPage::Board);
  buildPage_ = board;
  const char* tools[] = {"Pencil", "Rect", "Fill", "Line", "Select"};
  const char* tips[] = {"Paint cell by cell (P)", "Paint a rectangle (R)", "Fill an area of like cells (F)",
                        "Paint a straight line (L)", "Select a region to copy, cut or empty (S)"};
  for (int i = 0; i < kEditorTools; ++i) {
    toolButtons_[i] = Button(board, tools[i], {kSideX + i * 50, 250, kSideX + i * 50 + 47, 272},
                             [this, i] { Tool = static_cast<EditorTool>(i); }, tips[i]);
  }
  Button(board, "Mirror", {kSideX, 278, kSideX + 60, 300}, [this] { Model.MirrorLeftRight(); },
         "Mirror the board left-right (Ctrl+M)");
  Button(board, "Clear", {kSideX + 63, 278, kSideX + 123, 300}, [this] { Model.ClearBoard(); },
         "An open well again");
  Button(board, "Undo", {kSideX + 126, 278, kSideX + 186, 300}, [this] { Undo(); }, "Ctrl+Z");
  Button(board, "Redo", {kSideX + 189, 278, kSideX + 249, 300}, [this] { Redo(); }, "Ctrl+Y");
  Button(board, "Play (F5)", {kSideX, 306, kSideX + 80, 328}, [this] { StartTestPlay(); },
         "Play the level in the game");
  Button(board, "Prove (F6)", {kSideX + 84, 306, kSideX + 164, 328}, [this] { Prove(Model.Level); },
         "The bot plays the level, in the background");
  Button(board, "Prove all", {kSideX + 168, 306, kSideX + 249, 328}, [this] { Prove(0); },
         "The bot plays every level (Shift+F6)");
}

bool Editor::BoardCell(int px, int py, int& x, int& y) const {
  x = (px - kEditorBoardX) / kCellSize;
  y = (py - kEditorBoardY) / kCellSize;
  return px >= kEditorBoardX + kCellSize && py >= kEditorBoardY + kCellSize && InGrid(x, y);
}

void Editor::CopySelection(bool cut) {
  if (!Selected.Active) {
    SetStatus("Select a region first (the Select tool, S)", true);
    return;
  }
  Clipboard = Model.CopyRegion(Selected.X0, Selected.Y0, Selected.X1, Selected.Y1);
  if (cut) Model.ClearRegion(Selected.X0, Selected.Y0, Selected.X1, Selected.Y1);
  SetStatus(std::string(cut ? "Cut " : "Copied ") + std::to_string(Clipboard.Width) + " x " +
                std::to_string(Clipboard.Height) + " cells; Ctrl+V pastes",
            false);
}

void Editor::StartPaste() {
  if (Clipboard.Empty()) {
    SetStatus("Nothing copied yet", true);
    return;
  }
  Pasting = true;
  ShowPage(EditorPage::Board);
  SetStatus("Click where the region's top left goes; Escape stops", false);
}

void Editor::MouseDown(int px, int py, int button) {
  int x = 0, y = 0;
  if (Page == EditorPage::Board) {
    for (int i = 0; i < kPaletteCount; ++i) {
      if (PaletteRect(i).Contains(px, py)) {
        Palette = i;
        return;
      }
    }
  }
  if (Page == EditorPage::Adventure && px >= kSideX && py >= kListTop && py < kListTop + kLevelListRows * kListRowHeight) {
    ShowLevel(listTop_ + (py - kListTop) / kListRowHeight);
    return;
  }
  if (!BoardCell(px, py, x, y)) return;
  if (Pasting) {
    if (button == 1) Model.PasteRegion(x, y, Clipboard);
    // Shift keeps the region in hand for more copies.
    Pasting = button == 1 && game_.M.DXInput.KeyHeld(kVkShift);
    return;
  }
  // The right button paints Empty, as an eraser.
  const PaintCell cell = button == 3 ? PaintCell{kEmpty, 1} : PaletteCell(Palette);
  hoverX_ = rectX_ = x;
  hoverY_ = rectY_ = y;
  strokeCell_ = cell;
  switch (Tool) {
    case EditorTool::Pencil:
      Model.Change();
      Model.Paint(x, y, cell);
      stroke_ = cell.Code != kEntryMark;
      break;
    case EditorTool::Rectangle:
    case EditorTool::Line: dragging_ = true; break;
    case EditorTool::Select:
      dragging_ = true;
      Selected = {true, x, y, x, y};
      break;
    case EditorTool::Fill: Model.Fill(x, y, cell); break;
  }
}

void Editor::MouseMove(int px, int py) {
  controls_.MouseMove(px, py);
  int x = 0, y = 0;
  if (!BoardCell(px, py, x, y)) return;
  if (stroke_) {
    // A quick pointer skips cells between two events; the stroke fills them in.
    const int steps = std::max(std::abs(x - hoverX_), std::abs(y - hoverY_));
    for (int i = 1; i <= steps; ++i) {
      Model.Paint(hoverX_ + (x - hoverX_) * i / steps, hoverY_ + (y - hoverY_) * i / steps, strokeCell_);
    }
  }
  hoverX_ = x;
  hoverY_ = y;
  if (dragging_ && Tool == EditorTool::Select) {
    Selected.X1 = x;
    Selected.Y1 = y;
  }
}

void Editor::MouseUp(int, int) {
  if (dragging_) {
    if (Tool == EditorTool::Rectangle) Model.PaintRect(rectX_, rectY_, hoverX_, hoverY_, strokeCell_);
    if (Tool == EditorTool::Line) Model.PaintLine(rectX_, rectY_, hoverX_, hoverY_, strokeCell_);
  }
  stroke_ = false;
  dragging_ = false;
}

void Editor::DrawBoard() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  const LevelRecord& level = Model.Current();
  FillRect(surface, {kEditorBoardX + kCellSize - 2, kEditorBoardY + kCellSize - 2,
                     kEditorBoardX + 31 * kCellSize + 2, kEditorBoardY + 31 * kCellSize + 2}, kSilver);
  FillRect(surface, {kEditorBoardX + kCellSize, kEditorBoardY + kCellSize, kEditorBoardX + 31 * kCellSize,
                     kEditorBoardY + 31 * kCellSize}, kBlack);
  BoardGrid shown = level.Board;
  // The region being pasted shows where it would land.
  const bool pasteShown = Pasting && InGrid(hoverX_, hoverY_);
  if (pasteShown) {
    for (int dx = 0; dx < Clipboard.Width; ++dx) {
      for (int dy = 0; dy < Clipboard.Height; ++dy) {
        if (InGrid(hoverX_ + dx, hoverY_ + dy) && shown[hoverX_ + dx][hoverY_ + dy].Code != kEntryMark) {
          shown[hoverX_ + dx][hoverY_ + dy] = Clipboard.Cells[static_cast<size_t>(dx * Clipboard.Height + dy)];
        }
      }
    }
  }
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      DrawPlainCell(surface, shown[x][y], x * kCellSize + kEditorBoardX, y * kCellSize + kEditorBoardY);
    }
  }
  DrawBoardCells(game_.M, surface, shown, kEditorBoardX, kEditorBoardY);
  // The element box at the entry point, and the shape being drawn.
  Canvas& canvas = game_.M.DXDraw.GetCanvas();
  canvas.Brush.Clear = true;
  canvas.Pen.Width = 1;
  canvas.Pen.Color = kRed;
  const int ex = level.EntryColumn * kCellSize + kEditorBoardX, ey = level.EntryRow * kCellSize + kEditorBoardY;
  canvas.Rectangle(ex, ey, ex + 4 * kCellSize, ey + 4 * kCellSize);
  auto frame = [&](int x0, int y0, int x1, int y1, Colour colour) {
    canvas.Pen.Color = colour;
    canvas.Rectangle(std::min(x0, x1) * kCellSize + kEditorBoardX, std::min(y0, y1) * kCellSize + kEditorBoardY,
                     (std::max(x0, x1) + 1) * kCellSize + kEditorBoardX,
                     (std::max(y0, y1) + 1) * kCellSize + kEditorBoardY);
  };
  if (dragging_ && Tool == EditorTool::Rectangle) frame(rectX_, rectY_, hoverX_, hoverY_, kYellow);
  if (dragging_ && Tool == EditorTool::Line) {
    canvas.Pen.Color = kYellow;
    canvas.MoveTo(rectX_ * kCellSize + kEditorBoardX + 12, rectY_ * kCellSize + kEditorBoardY + 12);
    canvas.LineTo(hoverX_ * kCellSize + kEditorBoardX + 12, hoverY_ * kCellSize + kEditorBoardY + 12);
  }
  if (Selected.Active) frame(Selected.X0, Selected.Y0, Selected.X1, Selected.Y1, kAqua);
  if (pasteShown) {
    frame(hoverX_, hoverY_, hoverX_ + Clipboard.Width - 1, hoverY_ + Clipboard.Height - 1, kGreen);
  }
  canvas.Release();
}

void Editor::DrawPalette() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  for (int i = 0; i < kPaletteCount; ++i) {
    const Rect r = PaletteRect(i);
    const PaintCell p = PaletteCell(i);
    FillRect(surface, r, kBlack);
    const Cell cell{p.Code, p.Kind};
    DrawPlainCell(surface, cell, r.Left, r.Top);
    DrawBoardCell(game_.M, surface, cell, r.Left, r.Top);
    if (i == Palette) {
      FillRect(surface, {r.Left - 3, r.Bottom + 1, r.Right + 3, r.Bottom + 3}, kYellow);
      FillRect(surface, {r.Left - 3, r.Top - 3, r.Right + 3, r.Top - 1}, kYellow);
    }
  }
  Text(kSideX, 225, "Brush: " + PaletteName(Palette), kYellow);
  const Rect tool = controls_.At(toolButtons_[static_cast<int>(Tool)]).Bounds;
  FillRect(surface, {tool.Left, tool.Bottom + 1, tool.Right, tool.Bottom + 3}, kYellow);
  DrawLevelPreview(game_, Model.Current(), kSideX + 30, 338, 6);
}

}  // namespace plumix
