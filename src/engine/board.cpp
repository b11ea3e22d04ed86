// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/board.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/main_form.h"
#include "media/draw.h"

namespace plumix {
namespace {

constexpr const char* kShapeImages[kKindCount + 1] = {
    "Tile_Shape1",  "Tile_Shape1",  "Tile_Shape2",  "Tile_Shape3",  "Tile_Shape4",
    "Tile_Shape5",  "Tile_Shape6",  "Tile_Shape7",  "Tile_Shape8",  "Tile_Shape9",
    "Tile_Shape10", "Tile_Shape11", "Tile_Shape12", "Tile_Shape13", "Tile_Shape14",
    "Tile_Shape15", "Tile_Shape16", "Tile_Shape17", "Tile_Shape18"};
constexpr const char* kLetterImages[kSpecialKinds] = {"Tile_A", "Tile_B", "Tile_C", "Tile_D",
                                                      "Tile_E", "Tile_F", "Tile_G", "Tile_H",
                                                      "Tile_I", "Tile_J", "Tile_K", "Tile_L"};
const char* ShapeImageName(int kind) {
  return kShapeImages[kind >= 1 && kind <= kKindCount ? kind : 1];
}
// Codes 5..16 have letter pictures; 17 and 18 have none.
constexpr int kLastLetterCode = kFirstSpecial + kSpecialKinds - 1;

// The pictures one board drawing needs, looked up once per drawing.
struct CellImages {
  std::array<const ImageItem*, kKindCount + 1> Shapes{};
  std::array<const ImageItem*, kSpecialKinds> Letters{};
  const ImageItem* Edge = nullptr;

  explicit CellImages(Media& m) {
    for (int k = 0; k <= kKindCount; ++k) Shapes[k] = &m.DXImageListTiles.Get(ShapeImageName(k));
    for (int i = 0; i < kSpecialKinds; ++i) Letters[i] = &m.DXImageListLetters.Get(kLetterImages[i]);
    Edge = &m.DXImageListEdges.Get("Edge_Solid");
  }
  // A kind byte outside 1..18 has no picture of its own and shows as kind 1.
  const ImageItem& Shape(int kind) const {
    return *Shapes[kind >= 1 && kind <= kKindCount ? kind : 1];
  }
};

void DrawCell(const CellImages& images, Bitmap& surface, const Cell& cell, int px, int py) {
  if (cell.Code == kBlock) {
    DrawImage(images.Shape(cell.Kind), surface, px, py, 0);
  } else if (cell.Code == kEdge) {
    DrawImage(*images.Edge, surface, px, py, 0);
  } else if (cell.Code >= kFirstSpecial && cell.Code <= kLastLetterCode) {
    DrawImage(*images.Letters[cell.Code - kFirstSpecial], surface, px, py, 0);
  } else if (IsSpecialCode(cell.Code)) {
    // No letter picture: the special shows as the block it replaced.
    DrawImage(images.Shape(cell.Kind), surface, px, py, 0);
  }
}

}  // namespace

void DrawBoardCells(Media& m, Bitmap& surface, const BoardGrid& board, int ox, int oy) {
  const CellImages images(m);
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) DrawCell(images, surface, board[x][y], x * kCellSize + ox, y * kCellSize + oy);
  }
}

void DrawBoardCell(Media& m, Bitmap& surface, const Cell& cell, int px, int py) {
  DrawCell(CellImages(m), surface, cell, px, py);
}

namespace {

void DrawClearedRows(TMain& game, const CellImages& images, int ox, int oy) {
  ClearedRowsRecord& cleared = game.Play.ClearedRows;
  if (cleared.Countdown == 0) {
    cleared.Active = false;
    return;
  }
  Bitmap& surface = game.M.DXDraw.Surface();
  const int angle = static_cast<int>((static_cast<uint32_t>(game.Shell.FrameCounter) * 4u) & 255u);
  const int shrink = cleared.Countdown;
  const int grow = 50 - cleared.Countdown;
  for (int slot = kClearSlots; slot >= 1; --slot) {
    const int row = cleared.Rows[slot];
    if (row == 0) continue;
    for (int x = 1; x <= kBoardSize; ++x) {
      const int v = cleared.Cells[x][slot];
      const int cx = x * kCellSize + ox + 10, cy = row * kCellSize + oy + 10;
      if (v >= 1 && v <= 99) {
        DrawImageRotated(images.Shape(v), surface, cx, cy, shrink, shrink, 0, 0.5, 0.5, angle);
      } else if (v >= 100 + kFirstSpecial && v <= 100 + kLastLetterCode) {
        DrawImageRotated(*images.Letters[v - 100 - kFirstSpecial], surface, cx, cy, grow, grow, 0,
                         0.5, 0.5, angle);
      } else if (v > 100 + kLastLetterCode && v <= 100 + kLastSpecial) {
        DrawImageRotated(images.Shape(1), surface, cx, cy, grow, grow, 0, 0.5, 0.5, angle);
      }
    }
  }
  if (--cleared.Countdown == 0) cleared.Active = false;
}

// A gate over the entry cell, built from the wall picture of the edge theme
// and lined with a pale glow so that it shows on a dark theme too: a player
// who sees it knows why the first step left is refused.
void DrawEntryGate(const ImageItem& edge, Bitmap& surface, int px, int py) {
  constexpr int kPost = 3, kPostAlpha = 200, kGlowAlpha = 110;
  constexpr uint16_t kGlow = Rgb565(255, 236, 170);
  const Bitmap& wall = edge.Picture;
  for (int dy = 0; dy < kCellSize; ++dy) {
    const int y = py + dy;
    if (y < 0 || y >= surface.Height) continue;
    uint16_t* row = surface.Row(y);
    for (int dx = 0; dx < kCellSize; ++dx) {
      const int x = px + dx;
      if (x < 0 || x >= surface.Width) continue;
      const bool outside = dx == 0 || dx == kCellSize - 1 || dy == 0;
      const bool post = dx < kPost || dx >= kCellSize - kPost || dy < kPost;
      if (outside) {
        // A dark seam outside, so that the stone stands out on a light board.
        row[x] = Blend565(row[x], 0, kPostAlpha);
      } else if (post) {
        const uint16_t stone = wall.Width > 0 && wall.Height > 0 ? wall.At(dx % wall.Width, dy % wall.Height) : kGlow;
        row[x] = Blend565(row[x], stone, kPostAlpha);
      } else if (dx == kPost || dx == kCellSize - kPost - 1 || dy == kPost) {
        row[x] = Blend565(row[x], kGlow, kGlowAlpha);
      }
    }
  }
}

void DrawTable(TMain& game, int ox, int oy) {
  BoardGrid& board = PlayLevel(game).Board;
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (board[x][y].Kind == 0) board[x][y].Kind = 1;
    }
  }
  Bitmap& surface = game.M.DXDraw.Surface();
  DrawBoardCells(game.M, surface, board, ox, oy);
  const ImageItem& edge = game.M.DXImageListEdges.Get("Edge_Solid");
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      if (board[x][y].Code == kEntryMark) DrawEntryGate(edge, surface, x * kCellSize + ox, y * kCellSize + oy);
    }
  }
  if (game.Play.ClearedRows.Active) DrawClearedRows(game, CellImages(game.M), ox, oy);
}

// The released genie's opacity: from 253 down to 1 and back over 256 frames.
int GenieAlpha(int32_t frame) {
  const double turn = static_cast<double>(static_cast<uint32_t>(frame) & 255u) / 256.0;
  return static_cast<int>(std::lround(126.0 * std::cos(2.0 * std::numbers::pi * turn) + 127.0));
}

// One cell of the falling element under the magnifier, the genie and the
// alcohol; the random parts are drawn anew for every cell and frame.
void DrawShapeCell(TMain& game, const ImageItem& image, int x0, int y0, int size, int alpha) {
  Bitmap& surface = game.M.DXDraw.Surface();
  const uint32_t frame = static_cast<uint32_t>(game.Shell.FrameCounter);
  const int angle = static_cast<int>(frame & 255u);
  const int cx = x0 + 10, cy = y0 + 10;
  auto waved = [&](int amplitude, int length, int phase) {
    DrawImageWavedAlpha(image, surface, x0, y0, size, size, 0, amplitude, length, phase, alpha);
  };
  auto rotated = [&](int w, int h, double centre, int turn) {
    DrawImageRotatedAlpha(image, surface, cx, cy, w, h, 0, centre, centre, turn & 255, alpha);
  };
  switch (game.Specials.AlcoholLevel) {
    case 1: waved(5, 100, static_cast<int>((2 * frame) & 255u)); break;
    case 2: rotated(size, size, 0.5, angle); break;
    case 3: waved(5, 100, game.Rng(256) + 1); break;
    case 4: {
      const int w = 15 + game.Rng(20);
      rotated(w, 15 + game.Rng(20), 0.5, angle);
      break;
    }
    case 5: rotated(size, size, 0.0, 2 * angle); break;
    default: waved(0, 0, 0); break;
  }
}

void DrawShape(TMain& game, int ox, int oy) {
  const ElementRecord& e = game.Play.ElementQueue[0];
  const ImageItem& image = game.M.DXImageListTiles.Get(ShapeImageName(e.Kind));
  const SpecialsState& s = game.Specials;
  const bool plain = !s.MagnifierActive && !s.GenieReleased && s.AlcoholLevel == 0;
  const int alpha = s.GenieReleased ? GenieAlpha(game.Shell.FrameCounter) : 255;
  Bitmap& surface = game.M.DXDraw.Surface();
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      if (!e.Occupied(c, r)) continue;
      const int x0 = (e.X + c) * kCellSize + ox, y0 = (e.Y + r) * kCellSize + oy;
      if (plain) {
        DrawImage(image, surface, x0, y0, 0);
      } else {
        const int size = s.MagnifierActive ? s.CellSizes[c * 4 + r] : kCellSize;
        DrawShapeCell(game, image, x0, y0, size, alpha);
      }
    }
  }
}

}  // namespace

void MakeOpenWell(BoardGrid& board, int entryColumn, int entryRow) {
  for (int x = 1; x <= kBoardSize; ++x) {
    for (int y = 1; y <= kBoardSize; ++y) {
      const bool wall = x == 1 || x == kBoardSize || y == kBoardSize;
      board[x][y] = Cell{static_cast<uint8_t>(wall ? kEdge : kEmpty), 0};
    }
  }
  if (InGrid(entryColumn, entryRow)) board[entryColumn][entryRow].Code = kEntryMark;
}

bool Blocks(const BoardGrid& board, int x, int y) {
  if (!InGrid(x, y)) return true;
  const uint8_t code = board[x][y].Code;
  return code == kBlock || code == kEdge || code >= kFirstSpecial;
}

bool TopsOut(const BoardGrid& board, int entryRow) {
  const int row = std::clamp(entryRow, 1, kBoardSize);
  for (int x = 1; x <= kBoardSize; ++x) {
    if (board[x][row].Code == kBlock) return true;
  }
  return false;
}

LevelRecord& PlayLevel(TMain& game) {
  return game.Adv.Adventure.Levels[std::clamp(game.Adv.CurrentLevel, 1, kMaxLevels)];
}

int ChooseElementKind(const LevelRecord& level, Random& rng) {
  bool any = false;
  for (int k = 1; k <= kKindCount; ++k) any = any || level.Elements[k] != 0;
  // A level that allows nothing would draw for ever; it gets every kind instead.
  if (!any) return rng(kKindCount) + 1;
  for (;;) {
    const int k = rng(kKindCount) + 1;
    if (level.Elements[k] != 0) return k;
  }
}

int QueuedCount(const LevelRecord& level) {
  // 255 reads as "none", as the adventure loader shows it; other values past 4 as 4.
  if (level.NextElements == 255) return 0;
  return std::min<int>(level.NextElements, kQueueSize - 2);
}

void FillElementQueue(PlayState& play, const LevelRecord& level, Random& rng,
                      std::string_view selector) {
  auto& queue = play.ElementQueue;
  const int n = QueuedCount(level) + 1;
  if (selector == "InitNextElementTable") {
    for (int k = 0; k < n; ++k) queue[k].Kind = static_cast<uint8_t>(ChooseElementKind(level, rng));
  } else {
    for (int k = 1; k <= n; ++k) queue[k - 1].Kind = queue[k].Kind;
    queue[n - 1].Kind = static_cast<uint8_t>(ChooseElementKind(level, rng));
  }
  play.CurrentType = queue[0].Kind;
  play.RotationState = 1;
  for (int k = 0; k < n; ++k) {
    ElementRecord& e = queue[k];
    const ElementKind& info = KindInfo(e.Kind);
    SetShape(e, e.Kind, 1);
    if (k == 0) {
      e.X = level.EntryColumn;
      e.Y = level.EntryRow;
      e.Value = static_cast<uint8_t>(info.Value);
    } else {
      e.X = static_cast<uint8_t>(info.PreviewX);
      e.Y = static_cast<uint8_t>(info.PreviewY);
    }
  }
}

void DrawPlayfield(TMain& game, int originX, int originY, std::string_view mode) {
  if (mode == "Table") {
    DrawTable(game, originX, originY);
  } else if (mode == "Shape") {
    DrawShape(game, originX, originY);
  }
}

void DrawNextElements(TMain& game, int dx, int dy) {
  const int count = QueuedCount(PlayLevel(game));
  if (count == 0) return;
  Bitmap& surface = game.M.DXDraw.Surface();
  for (int k = 1; k <= count; ++k) {
    const ElementRecord& e = game.Play.ElementQueue[k];
    const ImageItem& image = game.M.DXImageListTiles.Get(ShapeImageName(e.Kind));
    for (int c = 1; c <= 4; ++c) {
      for (int r = 1; r <= 4; ++r) {
        if (!e.Occupied(c - 1, r - 1)) continue;
        DrawImage(image, surface, c * kCellSize + dx + 12 * e.X,
                  (k + 1) * 112 + r * kCellSize + 12 * e.Y + dy - 93, 0);
      }
    }
  }
}

}  // namespace plumix
