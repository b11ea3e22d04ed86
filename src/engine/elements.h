// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 18 element kinds: their pictures in every rotation state, score values
// and preview offsets, and the element record of the queue.
#include <array>
#include <cstdint>

namespace plumix {

constexpr int kKindCount = 18;
constexpr int kQueueSize = 6;

struct ElementRecord {
  std::array<uint8_t, 16> Shape{};  // index column * 4 + row, 1 = occupied
  uint8_t X = 0;     // entry 0: board column of the box; others: preview offset in half cells
  uint8_t Y = 0;
  uint8_t Kind = 1;  // 1..18
  uint8_t Value = 0;
  bool Occupied(int column, int row) const { return Shape[column * 4 + row] != 0; }
};

struct ElementKind {
  int States;  // 1, 2 or 4
  // One hex digit per box row from the top; its high bit is the left column.
  std::array<uint16_t, 4> Pictures;
  int Value;
  int PreviewX, PreviewY;  // in half cells
};

// Kinds outside 1..18 read as kind 1, so a bad byte never indexes past the table.
const ElementKind& KindInfo(int kind);
bool PictureCell(uint16_t picture, int column, int row);
// Shape := the picture of that state of the kind (state 1..States).
void SetShape(ElementRecord& element, int kind, int state);
// The state after this one: 1 follows the last.
int NextState(int kind, int state);

}  // namespace plumix
