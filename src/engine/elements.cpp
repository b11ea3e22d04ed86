// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/elements.h"

namespace plumix {
namespace {

// Rows as hex digits: 0x4E00 is ".#.. / ###. / .... / ....".
constexpr ElementKind kKinds[kKindCount + 1] = {
    {1, {0x4444, 0, 0, 0}, 0, 0, 0},  // unused: kind 0
    {2, {0x4444, 0x0F00, 0, 0}, 5, 1, 0},
    {4, {0x4460, 0x2E00, 0x6220, 0xE800}, 10, 0, 1},
    {4, {0x2260, 0xE200, 0x6440, 0x8E00}, 10, 0, 1},
    {1, {0x6600, 0, 0, 0}, 5, 0, 2},
    {4, {0x4E00, 0x4C40, 0xE400, 0x4640}, 7, 1, 2},
    {2, {0x4620, 0x6C00, 0, 0}, 8, 0, 1},
    {2, {0x2640, 0x6300, 0, 0}, 8, 0, 1},
    {1, {0x4000, 0, 0, 0}, 1, 1, 3},
    {2, {0x4400, 0x6000, 0, 0}, 2, 1, 2},
    {2, {0x4440, 0x0E00, 0, 0}, 3, 1, 1},
    {1, {0x4E40, 0, 0, 0}, 25, 1, 1},
    {4, {0x4EA0, 0x6C60, 0xAE40, 0xC6C0}, 20, 1, 1},
    {2, {0xC460, 0x2E80, 0, 0}, 22, 1, 1},
    {2, {0x64C0, 0x8E20, 0, 0}, 22, 1, 1},
    {4, {0x4600, 0x2600, 0x6200, 0x6400}, 5, 0, 2},
    {4, {0xAE00, 0x6260, 0xEA00, 0x6460}, 18, 1, 2},
    {4, {0x6C80, 0x8C60, 0x26C0, 0xC620}, 23, 1, 1},
    {4, {0x44E0, 0x2E20, 0xE440, 0x8E80}, 18, 1, 1},
};

}  // namespace

const ElementKind& KindInfo(int kind) {
  return kKinds[kind >= 1 && kind <= kKindCount ? kind : 1];
}

bool PictureCell(uint16_t picture, int column, int row) {
  return (picture >> ((3 - row) * 4 + (3 - column))) & 1;
}

void SetShape(ElementRecord& element, int kind, int state) {
  const ElementKind& info = KindInfo(kind);
  if (state < 1 || state > info.States) state = 1;
  const uint16_t picture = info.Pictures[state - 1];
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) element.Shape[c * 4 + r] = PictureCell(picture, c, r) ? 1 : 0;
  }
}

int NextState(int kind, int state) {
  const int states = KindInfo(kind).States;
  return state >= states || state < 1 ? 1 : state + 1;
}

}  // namespace plumix
