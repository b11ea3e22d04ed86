// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace plumix {

// 24-bit colour with red in the low byte: 0x00BBGGRR.
using Colour = uint32_t;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kAqua = 0xFFFF00;
constexpr Colour kSilver = 0xC0C0C0;
constexpr Colour kMagenta = 0xFF00FF;
constexpr Colour kMaroon = 0x000080;
constexpr Colour kPanelGrey = 0x6B6B6B;

constexpr uint16_t Rgb565(int r, int g, int b) {
  return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}
constexpr uint16_t ToRgb565(Colour c) {
  return Rgb565(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
// Expands the 5/6-bit channels to 8 bits so that full intensity gives 255.
constexpr int Red8(uint16_t p) { return ((p >> 11) << 3) | (p >> 13); }
constexpr int Green8(uint16_t p) { return (((p >> 5) & 63) << 2) | ((p >> 9) & 3); }
constexpr int Blue8(uint16_t p) { return ((p & 31) << 3) | ((p & 31) >> 2); }

}  // namespace plumix
