// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/board.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

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

struct Rgb {
  int R = 0, G = 0, B = 0;
};

Rgb ToRgb(uint16_t p) { return {Red8(p), Green8(p), Blue8(p)}; }
int Distance(Rgb a, Rgb b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }
int Light(Rgb c) { return c.R * 3 + c.G * 6 + c.B; }

// The mean colour of the pixels a rectangle of the surface shows.
Rgb MeanUnder(const Bitmap& surface, int px, int py, int size) {
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = std::max(0, py); y < std::min(surface.Height, py + size); ++y) {
    for (int x = std::max(0, px); x < std::min(surface.Width, px + size); ++x) {
      const Rgb c = ToRgb(surface.At(x, y));
      r += c.R, g += c.G, b += c.B, ++n;
    }
  }
  if (n == 0) return {};
  return {static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
}

using GateStoneSummary = decltype(PlayState::GateStone);

uint32_t Packed(Rgb c) { return static_cast<uint32_t>(c.R << 16 | c.G << 8 | c.B); }
Rgb Unpacked(uint32_t c) { return {static_cast<int>(c >> 16 & 255), static_cast<int>(c >> 8 & 255), static_cast<int>(c & 255)}; }

// The edge picture's stone: its mean, its lightest and its darkest quarter,
// and its mean light. Worked out again only when the picture changes.
const GateStoneSummary& SummedStone(const Bitmap& wall, GateStoneSummary& cache) {
  uint64_t fingerprint = 1469598103934665603ull ^ static_cast<uint64_t>(wall.Width) << 32 ^ wall.Height;
  for (uint16_t p : wall.Pixels) fingerprint = (fingerprint ^ p) * 1099511628211ull;
  if (fingerprint == cache.Fingerprint) return cache;
  std::vector<Rgb> stone;
  for (uint16_t p : wall.Pixels) stone.push_back(ToRgb(p));
  if (stone.empty()) stone.push_back({200, 190, 160});
  std::sort(stone.begin(), stone.end(), [](Rgb a, Rgb b) { return Light(a) < Light(b); });
  auto mean = [&](size_t from, size_t to) {
    long r = 0, g = 0, b = 0;
    for (size_t i = from; i < to; ++i) r += stone[i].R, g += stone[i].G, b += stone[i].B;
    const long n = static_cast<long>(to - from);
    return Rgb{static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n)};
  };
  const size_t quarter = std::max<size_t>(1, stone.size() / 4);
  cache.Fingerprint = fingerprint;
  cache.Colours = {Packed(mean(0, stone.size())), Packed(mean(stone.size() - quarter, stone.size())),
                   Packed(mean(0, quarter))};
  long light = 0;
  for (uint16_t p : wall.Pixels) light += Light(ToRgb(p));
  cache.MeanLight = wall.Pixels.empty() ? 0 : light / static_cast<long>(wall.Pixels.size());
  return cache;
}

// The gate's colour, taken from the edge theme's stone: its light, its
// shade or its mean, whichever stands out most from what lies under the
// entry cell, and drawn towards white or black until it stands out enough.
// A neon frame gives its glow, a dark stone on a light board its shade.
Rgb GateColour(const GateStoneSummary& stone, Rgb under) {
  constexpr int kEnough = 240;
  Rgb best = Unpacked(stone.Colours[0]);
  for (uint32_t c : {stone.Colours[1], stone.Colours[2]}) {
    if (Distance(Unpacked(c), under) > Distance(best, under)) best = Unpacked(c);
  }
  const Rgb towards = Light(under) < 1275 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
  for (int step = 0; step < 16 && Distance(best, under) < kEnough; ++step) {
    best = {(best.R * 3 + towards.R) / 4, (best.G * 3 + towards.G) / 4, (best.B * 3 + towards.B) / 4};
  }
  return best;
}

// A gate over the entry cell, two posts and a lintel in the edge theme's
// stone, edged by a thin seam of the opposite light so that it shows on any
// board: a player who sees it knows why the first step left is refused.
void DrawEntryGate(const ImageItem& edge, GateStoneSummary& cache, Bitmap& surface, int px, int py) {
  constexpr int kPost = 3, kPostAlpha = 215, kSeamAlpha = 140;
  const Bitmap& wall = edge.Picture;
  const GateStoneSummary& stone = SummedStone(wall, cache);
  const Rgb gate = GateColour(stone, MeanUnder(surface, px, py, kCellSize));
  const long stoneLight = stone.MeanLight;
  // The stone's grain shows in the gate's colour as lighter and darker flecks.
  auto grained = [&](int dx, int dy) {
    if (wall.Width <= 0 || wall.Height <= 0) return Rgb565(gate.R, gate.G, gate.B);
    const long light = Light(ToRgb(wall.At(dx % wall.Width, dy % wall.Height)));
    const int fleck = std::clamp(static_cast<int>(light - stoneLight) / 30, -28, 28);
    auto channel = [&](int c) { return std::clamp(c + fleck, 0, 255); };
    return Rgb565(channel(gate.R), channel(gate.G), channel(gate.B));
  };
  const uint16_t seam = Light(gate) < 1275 ? Rgb565(235, 235, 225) : Rgb565(0, 0, 0);
  for (int dy = 0; dy < kCellSize; ++dy) {
    const int y = py + dy;
    if (y < 0 || y >= surface.Height) continue;
    uint16_t* row = surface.Row(y);
    for (int dx = 0; dx < kCellSize; ++dx) {
      const int x = px + dx;
      if (x < 0 || x >= surface.Width) continue;
      const bool outside = dx == 0 || dx == kCellSize - 1 || dy == 0;
      const bool post = dx <= kPost || dx >= kCellSize - 1 - kPost || dy <= kPost;
      const bool inside = dx == kPost + 1 || dx == kCellSize - kPost - 2 || dy == kPost + 1;
      if (outside || (inside && !post)) {
        row[x] = Blend565(row[x], seam, outside ? kSeamAlpha : kSeamAlpha / 2);
      } else if (post) {
        row[x] = Blend565(row[x], grained(dx, dy), kPostAlpha);
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
      if (board[x][y].Code == kEntryMark) DrawEntryGate(edge, game.Play.GateStone, surface, x * kCellSize + ox, y * kCellSize + oy);
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
