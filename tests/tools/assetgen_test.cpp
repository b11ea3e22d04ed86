// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "generate.h"
#include "media/assets.h"
#include "media/bitmap.h"
#include "media/colour.h"
#include "media/sound.h"
#include "music.h"
#include "paint.h"
#include "sounds.h"
#include "synth.h"
#include "support/files.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
using plumix::testing::ReadBytes;
const fs::path kRoot = PLUMIX_SOURCE_DIR;

const plumix::ImageAsset& Image(const std::string& name) {
  for (const auto& a : plumix::ImageAssets())
    if (name == a.Name) return a;
  throw std::runtime_error("no asset " + name);
}

// The committed picture in 16-bit colour, as the game holds it.
plumix::Bitmap Committed(const plumix::ImageAsset& a) {
  auto decoded = plumix::DecodeImage(ReadBytes(kRoot / "assets" / plumix::AssetPath(a)));
  if (!decoded) throw std::runtime_error(std::string(a.Name) + ": " + decoded.Error);
  return plumix::ToBitmap(*decoded.Value);
}

struct PatternStats {
  int Keyed = 0, Visible = 0;
};
PatternStats Stats(const plumix::Bitmap& b, const plumix::ImageAsset& a, int pattern) {
  int pw = a.PatternWidth ? a.PatternWidth : a.Width, ph = a.PatternHeight ? a.PatternHeight : a.Height;
  int cols = a.Width / pw;
  int x0 = pattern % cols * pw, y0 = pattern / cols * ph;
  uint16_t key = plumix::ToRgb565(a.Key);
  PatternStats s;
  for (int y = y0; y < y0 + ph; ++y)
    for (int x = x0; x < x0 + pw; ++x) (b.At(x, y) == key ? s.Keyed : s.Visible)++;
  return s;
}
int PatternCount(const plumix::ImageAsset& a) {
  int pw = a.PatternWidth ? a.PatternWidth : a.Width, ph = a.PatternHeight ? a.PatternHeight : a.Height;
  return (a.Width / pw) * (a.Height / ph);
}

class Generator : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetFontFolder(kRoot / "data/Graphics/Fonts"); }
};

TEST_F(Generator, SameBytesOnEveryRun) {
  for (const char* name : {"Digits", "Tile_Shape7", "NeonMoon", "Seizmograf_Animation", "3Small_Fireworks_Animation", "Tile_K"}) {
    EXPECT_EQ(EncodeImageAsset(Image(name)), EncodeImageAsset(Image(name))) << name;
  }
  for (const auto& w : plumix::WaveAssets()) {
    std::string name = w.Name;
    if (name == "Earthquake" || name == "Laser_Empty" || name == "Fanfare") {
      EXPECT_EQ(EncodeWaveAsset(w), EncodeWaveAsset(w)) << name;
    }
  }
  EXPECT_EQ(ComposeTrack(2), ComposeTrack(2));
}

TEST_F(Generator, EveryAssetHasAPainterAndASound) {
  for (const auto& a : plumix::ImageAssets()) {
    if (a.RunTime) continue;
    EXPECT_TRUE(AllPainters().count(a.Name)) << "no painter for " << a.Name;
  }
  for (const auto& w : plumix::WaveAssets()) EXPECT_NO_THROW(SynthesiseWave(w)) << w.Name;
}

TEST(CommittedAssets, PicturesMatchTheTable) {
  const uint8_t png[4] = {0x89, 'P', 'N', 'G'};
  for (const auto& a : plumix::ImageAssets()) {
    fs::path path = kRoot / "assets" / plumix::AssetPath(a);
    if (a.RunTime) {
      EXPECT_FALSE(fs::exists(path)) << a.Name << " is loaded at run time and has no built-in file";
      continue;
    }
    auto bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 8u) << "missing " << path;
    bool isJpeg = bytes[0] == 0xFF && bytes[1] == 0xD8, isPng = std::equal(png, png + 4, bytes.begin());
    EXPECT_TRUE(a.Jpeg ? isJpeg : isPng) << a.Name << " should be a " << (a.Jpeg ? "JPEG" : "PNG");
    auto decoded = plumix::DecodeImage(bytes);
    ASSERT_TRUE(decoded) << a.Name << ": " << decoded.Error;
    EXPECT_EQ(decoded.Value->Width, a.Width) << a.Name;
    EXPECT_EQ(decoded.Value->Height, a.Height) << a.Name;
  }
}

TEST(CommittedAssets, KeyedPatternsAreCutOutAndKeepTheirInk) {
  // Pictures drawn over other pictures: every pattern needs clear and visible pixels.
  for (const auto& a : plumix::ImageAssets()) {
    std::string name = a.Name;
    if (!a.Transparent || a.RunTime || name == "Seizmograf_Animation" || name == "Main_Menu_Slick" ||
        name == "Sumenje_Animation")
      continue;
    plumix::Bitmap b = Committed(a);
    int count = PatternCount(a);
    bool fireworks = name.find("Fireworks") != std::string::npos;
    for (int p = 0; p < count; ++p) {
      PatternStats s = Stats(b, a, p);
      if (name == "Digits" && p == 0) {
        EXPECT_EQ(s.Visible, 0) << "pattern 0 of the digits is blank";
        continue;
      }
      if (fireworks && p == count - 1) continue;  // the burst may have faded out
      EXPECT_GT(s.Keyed, 0) << name << " pattern " << p << " has no transparent pixel";
      EXPECT_GT(s.Visible, 0) << name << " pattern " << p << " is empty";
    }
  }
}

TEST(CommittedAssets, OpaqueDesignsStayOffTheirKeys) {
  // JPEG noise must not punch holes: these are meant to be drawn whole.
  for (const char* name : {"Main_Menu_Slick", "Seizmograf_Animation", "Sumenje_Animation"}) {
    const auto& a = Image(name);
    plumix::Bitmap b = Committed(a);
    for (int p = 0; p < PatternCount(a); ++p) {
      PatternStats s = Stats(b, a, p);
      EXPECT_LT(s.Keyed, (s.Keyed + s.Visible) / 1000 + 1) << name << " pattern " << p;
    }
  }
}

TEST(CommittedAssets, AnimationsMove) {
  for (const auto& a : plumix::ImageAssets()) {
    if (a.RunTime || PatternCount(a) < 2) continue;
    plumix::Bitmap b = Committed(a);
    int pw = a.PatternWidth, ph = a.PatternHeight;
    for (int p = 0; p + 1 < PatternCount(a); ++p) {
      int changed = 0;
      for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x) changed += b.At(p * pw + x, y) != b.At((p + 1) * pw + x, y);
      EXPECT_GT(changed, pw * ph / 200) << a.Name << ": patterns " << p << " and " << p + 1 << " look the same";
    }
  }
}

// A burst opens as coloured stars around a white-hot core of a few pixels,
// not as a white disc: in its first two patterns no white patch is bigger
// than a few pixels and most of its ink has colour.
TEST(CommittedAssets, BurstsOpenAsColouredStars) {
  for (const auto& a : plumix::ImageAssets()) {
    if (std::string(a.Name).find("_Fireworks_Animation") == std::string::npos) continue;
    plumix::Bitmap b = Committed(a);
    const uint16_t key = plumix::ToRgb565(a.Key);
    const int pw = a.PatternWidth, ph = a.PatternHeight;
    for (int p = 0; p < 2; ++p) {
      auto at = [&](int x, int y) { return b.At(p * pw + x, y); };
      auto white = [&](int x, int y) {
        const uint16_t px = at(x, y);
        return px != key && std::min({plumix::Red8(px), plumix::Green8(px), plumix::Blue8(px)}) > 200;
      };
      int ink = 0, coloured = 0, patch = 0;
      std::vector<bool> seen(static_cast<size_t>(pw * ph));
      for (int y = 0; y < ph; ++y) {
        for (int x = 0; x < pw; ++x) {
          const uint16_t px = at(x, y);
          if (px == key) continue;
          const int high = std::max({plumix::Red8(px), plumix::Green8(px), plumix::Blue8(px)});
          const int low = std::min({plumix::Red8(px), plumix::Green8(px), plumix::Blue8(px)});
          ++ink;
          coloured += high > 100 && high - low > high / 3;
          if (!white(x, y) || seen[y * pw + x]) continue;
          // The size of this white patch, its pixels joined side by side.
          int size = 0;
          std::vector<std::pair<int, int>> todo{{x, y}};
          seen[y * pw + x] = true;
          while (!todo.empty()) {
            auto [qx, qy] = todo.back();
            todo.pop_back();
            ++size;
            for (auto [nx, ny] : {std::pair{qx + 1, qy}, {qx - 1, qy}, {qx, qy + 1}, {qx, qy - 1}}) {
              if (nx < 0 || ny < 0 || nx >= pw || ny >= ph || seen[ny * pw + nx] || !white(nx, ny)) continue;
              seen[ny * pw + nx] = true;
              todo.push_back({nx, ny});
            }
          }
          patch = std::max(patch, size);
        }
      }
      EXPECT_LE(patch, 12) << a.Name << " pattern " << p << ": a white patch of " << patch << " pixels";
      EXPECT_GT(coloured * 2, ink) << a.Name << " pattern " << p << ": " << coloured << " of " << ink << " pixels coloured";
    }
  }
}

TEST(CommittedAssets, SeismographIsCalmFirstThenWild) {
  const auto& a = Image("Seizmograf_Animation");
  plumix::Bitmap b = Committed(a);
  auto swing = [&](int p) {
    int top = 72, bottom = 0;
    for (int y = 0; y < 72; ++y)
      for (int x = 0; x < 84; ++x)
        if (plumix::Green8(b.At(p * 96 + x, y)) > 200) {
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
    return bottom - top;
  };
  int calm = 0, wild = 0;
  for (int p = 0; p < 4; ++p) calm = std::max(calm, swing(p));
  for (int p = 4; p < 27; ++p) wild += swing(p);
  EXPECT_GT(wild / 23, calm * 2) << "calm swing " << calm << ", mean wild swing " << wild / 23;
}

struct Wav {
  int Channels = 0, Bits = 0, Rate = 0;
  std::vector<float> Left;
};
Wav ReadWav(const std::vector<uint8_t>& b) {
  Wav w;
  auto u16 = [&](size_t at) { return b[at] | (b[at + 1] << 8); };
  auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | (u16(at + 2) << 16)); };
  if (b.size() < 44 || std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 16) != "WAVEfmt ")
    return w;
  if (u16(20) != 1) return w;
  w.Channels = u16(22);
  w.Rate = static_cast<int>(u32(24));
  w.Bits = u16(34);
  uint32_t size = u32(40);
  int step = w.Channels * w.Bits / 8;
  for (size_t i = 44; i + step <= 44 + size && i + step <= b.size(); i += step)
    w.Left.push_back(w.Bits == 8 ? (b[i] - 128) / 128.0f : static_cast<int16_t>(u16(i)) / 32768.0f);
  return w;
}

TEST(CommittedAssets, SoundsMatchTheTableAndAreClean) {
  for (const auto& a : plumix::WaveAssets()) {
    Wav w = ReadWav(ReadBytes(kRoot / "assets" / plumix::AssetPath(a)));
    EXPECT_EQ(w.Channels, a.Channels) << a.Name;
    EXPECT_EQ(w.Bits, a.Bits) << a.Name;
    EXPECT_EQ(w.Rate, a.Rate) << a.Name;
    double seconds = static_cast<double>(w.Left.size()) / std::max(1, w.Rate);
    EXPECT_NEAR(seconds, a.Seconds, a.Seconds * 0.05 + 0.002) << a.Name;
    ASSERT_GT(w.Left.size(), 8u) << a.Name;
    float peak = 0, sumDiff = 0;
    for (size_t i = 0; i < w.Left.size(); ++i) {
      peak = std::max(peak, std::fabs(w.Left[i]));
      if (i) sumDiff += std::fabs(w.Left[i] - w.Left[i - 1]);
    }
    EXPECT_GT(peak, 0.1f) << a.Name << " is nearly silent";
    EXPECT_LT(peak, a.Looped ? 0.45f : 0.7f) << a.Name << " is too loud to sit under the music";
    float tolerance = 2.0f / (1 << (a.Bits - 1));
    if (a.Looped) {
      // The jump from the last sample back to the first is like any other step.
      float meanStep = sumDiff / (w.Left.size() - 1);
      EXPECT_LT(std::fabs(w.Left.back() - w.Left.front()), meanStep * 4 + tolerance) << a.Name << " clicks at its loop point";
    } else {
      EXPECT_LE(std::fabs(w.Left.front()), tolerance) << a.Name << " starts with a click";
      EXPECT_LE(std::fabs(w.Left.back()), tolerance) << a.Name << " ends with a click";
    }
  }
}

std::vector<std::string> Lines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (!l.empty()) lines.push_back(l);
  }
  return lines;
}

TEST(GameFolder, MusicIsOneToThreeMinutesOfGeneralMidi) {
  auto names = Lines(kRoot / "data/Music/Tracks.txt");
  ASSERT_GE(names.size(), 5u);
  for (size_t n = 1; n <= names.size(); ++n) {
    auto bytes = ReadBytes(kRoot / "data/Music" / ("Track" + std::to_string(n) + ".mid"));
    ASSERT_FALSE(bytes.empty()) << "Track" << n << ".mid missing";
    auto ms = plumix::MidiLengthMs(bytes);
    ASSERT_TRUE(ms) << "Track" << n << ": " << ms.Error;
    EXPECT_GE(*ms.Value, 60000) << names[n - 1];
    EXPECT_LE(*ms.Value, 180000) << names[n - 1];
    std::set<int> channels;
    for (size_t i = 0; i + 2 < bytes.size(); ++i)
      if ((bytes[i] & 0xF0) == 0x90 && bytes[i + 1] < 128 && bytes[i + 2] > 0 && bytes[i + 2] < 128) channels.insert(bytes[i] & 15);
    EXPECT_TRUE(channels.count(9)) << names[n - 1] << " has no drums";
    EXPECT_GE(channels.size(), 4u) << names[n - 1] << " needs melody, harmony, bass and drums";
  }
}

TEST(GameFolder, ThemeListsIndexTheirFiles) {
  auto tiles = Lines(kRoot / "data/Graphics/Tiles/Tiles.txt");
  auto cubes = Lines(kRoot / "data/Graphics/Cubes/Themes.txt");
  auto edges = Lines(kRoot / "data/Graphics/Edges/Edges.txt");
  EXPECT_GE(tiles.size(), 4u);
  EXPECT_GE(cubes.size(), 4u);
  EXPECT_GE(edges.size(), 4u);
  for (size_t t = 1; t <= tiles.size(); ++t) {
    auto img = plumix::DecodeImage(ReadBytes(kRoot / "data/Graphics/Tiles" / ("Tile" + std::to_string(t) + ".jpg")));
    ASSERT_TRUE(img) << tiles[t - 1];
    EXPECT_TRUE(1024 % img.Value->Width == 0 && 768 % img.Value->Height == 0)
        << tiles[t - 1] << " does not tile the screen evenly";
    // Seamless: the wrap from the last column to the first is no harsher than the inside.
    const auto& rgb = img.Value->Rgb;
    int w = img.Value->Width, h = img.Value->Height;
    double wrap = 0, inside = 0;
    for (int y = 0; y < h; ++y) {
      wrap += std::abs(rgb[(y * w + w - 1) * 3 + 1] - rgb[(y * w) * 3 + 1]);
      inside += std::abs(rgb[(y * w + w / 2) * 3 + 1] - rgb[(y * w + w / 2 + 1) * 3 + 1]);
    }
    EXPECT_LT(wrap, inside * 2.5 + h * 2) << tiles[t - 1] << " shows a seam";
  }
  std::set<std::vector<uint8_t>> firstCells;
  for (size_t t = 1; t <= cubes.size(); ++t)
    for (int k = 1; k <= 18; ++k) {
      auto bytes = ReadBytes(kRoot / "data/Graphics/Cubes" / ("Theme" + std::to_string(t)) / ("Tile_Shape" + std::to_string(k) + ".jpg"));
      auto img = plumix::DecodeImage(bytes);
      ASSERT_TRUE(img) << cubes[t - 1] << " cell " << k;
      EXPECT_EQ(img.Value->Width, 25);
      EXPECT_EQ(img.Value->Height, 25);
      if (t == 1) {
        EXPECT_EQ(bytes, ReadBytes(kRoot / "assets/DXImageListTiles" / ("Tile_Shape" + std::to_string(k) + ".jpg")))
            << "theme 1 is the built-in cube set";
      }
      if (k == 1) firstCells.insert(bytes);
    }
  EXPECT_EQ(firstCells.size(), cubes.size()) << "each cube theme should look different";
  for (size_t e = 1; e <= edges.size(); ++e) {
    auto bytes = ReadBytes(kRoot / "data/Graphics/Edges" / (std::to_string(e) + "Edge_Solid.jpg"));
    auto img = plumix::DecodeImage(bytes);
    ASSERT_TRUE(img) << edges[e - 1];
    EXPECT_EQ(img.Value->Width, 25);
    if (e == 1) {
      EXPECT_EQ(bytes, ReadBytes(kRoot / "assets/DXImageListEdges/Edge_Solid.jpg")) << "edge 1 is the built-in wall";
    }
  }
}

TEST(GameFolder, KindsHaveTheirOwnColours) {
  for (int a = 1; a <= 18; ++a)
    for (int b = a + 1; b <= 18; ++b) {
      Rgba x = KindColour(a), y = KindColour(b);
      float d = std::fabs(x.R - y.R) + std::fabs(x.G - y.G) + std::fabs(x.B - y.B);
      EXPECT_GT(d, 0.15f) << "kinds " << a << " and " << b << " are too alike";
    }
}

}  // namespace
}  // namespace assetgen

namespace assetgen {
namespace {

TEST(Raster, KeyedImagesCutAtHalfCoverageAndAvoidTheKey) {
  Canvas c(4, 1);
  c.Px[0] = Hex(0xFFFFFF, 0.4f);  // mostly clear
  c.Px[1] = Hex(0xFFFFFF, 1.0f);  // visible white on a white key
  c.Px[2] = Hex(0xFF0000, 0.6f);  // soft edge: blended into the matte
  c.Px[3] = Hex(0xFBFFFC, 1.0f);  // converts to the key's 16-bit value too
  plumix::RgbImage img = ToKeyedImage(c, 0xFFFFFF, Hex(0x000000));
  const uint16_t key = plumix::ToRgb565(0xFFFFFF);
  auto at = [&](int i) { return plumix::Rgb565(img.Rgb[i * 3], img.Rgb[i * 3 + 1], img.Rgb[i * 3 + 2]); };
  EXPECT_EQ(at(0), key);
  EXPECT_NE(at(1), key);
  EXPECT_NE(at(3), key);
  EXPECT_EQ(img.Rgb[2 * 3], 153) << "60 % red over black";
  // A visible black pixel on a black key must also stay visible.
  Canvas dark(1, 1, Hex(0x000000));
  plumix::RgbImage d = ToKeyedImage(dark, 0x000000, Hex(0x000000));
  EXPECT_NE(plumix::Rgb565(d.Rgb[0], d.Rgb[1], d.Rgb[2]), 0);
}

TEST(Raster, NoiseRepeatsWithItsPeriod) {
  for (float x = 0.1f; x < 8; x += 0.73f)
    for (float y = 0.2f; y < 8; y += 0.61f) {
      EXPECT_NEAR(ValueNoise(x, y, 5, 4, 4), ValueNoise(x + 4, y - 4, 5, 4, 4), 1e-5f);
      EXPECT_NEAR(Fbm(x, y, 9, 4, 4, 4), Fbm(x + 4, y + 8, 9, 4, 4, 4), 1e-5f);
    }
  EXPECT_NE(ValueNoise(0.5f, 0.5f, 1), ValueNoise(0.5f, 0.5f, 2)) << "seeds should differ";
}

TEST(Raster, DistancesHaveTheRightSign) {
  std::vector<Vec> square = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
  EXPECT_LT(SdPolygon(5, 5, square), 0);
  EXPECT_NEAR(SdPolygon(5, 5, square), -5, 1e-4);
  EXPECT_NEAR(SdPolygon(13, 5, square), 3, 1e-4);
  EXPECT_NEAR(SdCircle(3, 4, 0, 0, 2), 3, 1e-5);
  EXPECT_NEAR(SdSegment(5, 3, {0, 0}, {10, 0}), 3, 1e-5);
  EXPECT_NEAR(SdRoundBox(0, 0, 0, 0, 5, 5, 1), -5, 1e-5);
}

TEST(Raster, BlurKeepsColourAtSoftEdges) {
  // Premultiplied blurring: a red dot's halo stays red, not dark red.
  Canvas c(21, 21);
  c.Circle(10.5f, 10.5f, 3, Hex(0xFF0000));
  c.Blur(4);
  const Rgba& edge = c.At(10, 2);
  EXPECT_GT(edge.A, 0.0f);
  EXPECT_NEAR(edge.R, 1.0f, 1e-3);
  EXPECT_NEAR(edge.G, 0.0f, 1e-3);
  float total = 0;
  for (const Rgba& p : c.Px) total += p.A;
  EXPECT_NEAR(total, 3.14159f * 9, 6.0f) << "blurring should keep the amount of ink";
}

TEST(Synth, LoopsFoldSeamlessly) {
  // A sine whose cycles do not fit the loop would click at the wrap.
  const int rate = 8000, n = 4000;
  Samples raw(n + 600);
  for (size_t i = 0; i < raw.size(); ++i) raw[i] = std::sin(6.2831853f * 437.3f * i / rate);
  Samples loop = MakeLoop(raw, n);
  ASSERT_EQ(loop.size(), static_cast<size_t>(n));
  float maxStep = 0;
  for (int i = 1; i < n; ++i) maxStep = std::max(maxStep, std::fabs(loop[i] - loop[i - 1]));
  EXPECT_LE(std::fabs(loop.front() - loop.back()), maxStep * 1.05f);
  EXPECT_LT(std::fabs(loop.front()), 0.4f) << "a loop starts near a zero crossing";
}

TEST(Synth, FiltersPassAndStopWhereTheySay) {
  auto gain = [](Biquad f, float hz) {
    float peak = 0;
    for (int i = 0; i < 8000; ++i) {
      float y = f.Run(std::sin(6.2831853f * hz * i / 16000));
      if (i > 4000) peak = std::max(peak, std::fabs(y));
    }
    return peak;
  };
  EXPECT_GT(gain(Biquad::LowPass(16000, 500, 0.7f), 100), 0.9f);
  EXPECT_LT(gain(Biquad::LowPass(16000, 500, 0.7f), 5000), 0.05f);
  EXPECT_LT(gain(Biquad::HighPass(16000, 2000, 0.7f), 100), 0.05f);
  EXPECT_GT(gain(Biquad::BandPass(16000, 1000, 2), 1000), 0.9f);
  EXPECT_LT(gain(Biquad::BandPass(16000, 1000, 2), 100), 0.15f);
}

TEST(Synth, WavFieldsAndSampleCoding) {
  std::vector<Samples> one = {{0.0f, 1.0f, -1.0f}};
  auto eight = EncodeWav(one, 8, 11025);
  ASSERT_EQ(eight.size(), 44u + 3 + 1) << "odd data is padded to an even chunk";
  EXPECT_EQ(eight[4] | eight[5] << 8, 36 + 3 + 1);
  EXPECT_EQ(eight[24] | eight[25] << 8, 11025);
  EXPECT_EQ(eight[40], 3) << "the data size counts no padding";
  EXPECT_EQ(eight[44], 128);
  EXPECT_EQ(eight[45], 255);
  EXPECT_EQ(eight[46], 1);
  std::vector<Samples> two = {{0.5f}, {-0.5f}};
  auto sixteen = EncodeWav(two, 16, 22050);
  ASSERT_EQ(sixteen.size(), 48u);
  EXPECT_EQ(sixteen[22], 2);
  EXPECT_EQ(sixteen[28] | sixteen[29] << 8 | sixteen[30] << 16, 22050 * 4) << "bytes a second";
  EXPECT_EQ(static_cast<int16_t>(sixteen[44] | sixteen[45] << 8), 16384);
  EXPECT_EQ(static_cast<int16_t>(sixteen[46] | sixteen[47] << 8), -16384);
}

// Notes of a Standard MIDI File: every track walked event by event.
struct MidiNote {
  int Channel, Key, On, Off;
};
struct MidiScan {
  std::vector<MidiNote> Notes;
  std::set<int> Programs;
  int Tempo = 0;
  bool Ended = true;
  std::string Error;
};
MidiScan ScanMidi(const std::vector<uint8_t>& d) {
  MidiScan scan;
  size_t at = 14;
  while (at + 8 <= d.size()) {
    uint32_t len = (d[at + 4] << 24) | (d[at + 5] << 16) | (d[at + 6] << 8) | d[at + 7];
    size_t i = at + 8, end = i + len;
    if (end > d.size()) return scan.Error = "track runs past the file", scan;
    int tick = 0, status = 0;
    bool ended = false;
    std::map<std::pair<int, int>, int> open;
    while (i < end) {
      int delta = 0;
      do delta = (delta << 7) | (d[i] & 0x7F); while (d[i++] & 0x80);
      tick += delta;
      if (d[i] == 0xFF) {
        int type = d[i + 1], l = d[i + 2];
        if (type == 0x51) scan.Tempo = (d[i + 3] << 16) | (d[i + 4] << 8) | d[i + 5];
        if (type == 0x2F) ended = true;
        i += 3 + l;
        continue;
      }
      if (d[i] & 0x80) status = d[i++];
      int kind = status & 0xF0, ch = status & 15;
      if (kind == 0xC0) { scan.Programs.insert(ch * 1000 + d[i]); i += 1; continue; }
      int a = d[i], b = d[i + 1];
      i += 2;
      if (kind == 0x90 && b > 0) {
        if (open.count({ch, a})) scan.Error = "a key is struck again before it is released";
        open[{ch, a}] = tick;
      } else if (kind == 0x80 || kind == 0x90) {
        auto it = open.find({ch, a});
        if (it == open.end()) { scan.Error = "a release without a note"; continue; }
        scan.Notes.push_back({ch, a, it->second, tick});
        open.erase(it);
      }
    }
    if (!open.empty()) scan.Error = "notes left hanging at the end of a track";
    scan.Ended = scan.Ended && ended;
    at = end;
  }
  return scan;
}

TEST(Music, EveryPieceIsWellFormedAndInItsKey) {
  std::set<int> tempos;
  std::set<std::set<int>> orchestras;
  for (int n = 1; n <= kTracks; ++n) {
    MidiScan scan = ScanMidi(ComposeTrack(n));
    EXPECT_EQ(scan.Error, "") << TrackName(n);
    EXPECT_TRUE(scan.Ended) << TrackName(n) << ": a track lacks its end";
    tempos.insert(scan.Tempo);
    orchestras.insert(scan.Programs);
    std::map<int, int> perChannel;
    std::array<int, 12> pitchClasses{};
    for (const MidiNote& note : scan.Notes) {
      ++perChannel[note.Channel];
      EXPECT_GT(note.Off, note.On) << TrackName(n) << ": a note of no length";
      if (note.Channel == 9) {
        EXPECT_TRUE(note.Key >= 35 && note.Key <= 81) << TrackName(n) << ": drum key " << note.Key;
      } else if (note.Channel == 0) {
        ++pitchClasses[note.Key % 12];
      }
    }
    EXPECT_GE(perChannel.size(), 5u) << TrackName(n) << " should have melody, chords, bass, pad and drums";
    EXPECT_GT(perChannel[0], 100) << TrackName(n) << ": the melody is too thin";
    // The melody keeps to a seven-note scale: five pitch classes stay silent.
    int unused = static_cast<int>(std::count(pitchClasses.begin(), pitchClasses.end(), 0));
    EXPECT_GE(unused, 5) << TrackName(n) << ": the melody wanders out of its key";
  }
  EXPECT_EQ(tempos.size(), static_cast<size_t>(kTracks)) << "every piece has its own pace";
  EXPECT_EQ(orchestras.size(), static_cast<size_t>(kTracks)) << "every piece has its own sound";
}

class Pictures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { SetFontFolder(kRoot / "data/Graphics/Fonts"); }
  static plumix::RgbImage Decode(const std::vector<uint8_t>& bytes) { return *plumix::DecodeImage(bytes).Value; }
  static Rgba Mean(const plumix::RgbImage& img, int x0, int y0, int x1, int y1) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x, ++n) {
        const uint8_t* p = &img.Rgb[(static_cast<size_t>(y) * img.Width + x) * 3];
        r += p[0]; g += p[1]; b += p[2];
      }
    return {static_cast<float>(r / n / 255), static_cast<float>(g / n / 255), static_cast<float>(b / n / 255), 1};
  }
};

TEST_F(Pictures, EachKindKeepsItsColourInEveryTheme) {
  auto distance = [](Rgba a, Rgba b) { return std::fabs(a.R - b.R) + std::fabs(a.G - b.G) + std::fabs(a.B - b.B); };
  std::array<std::array<Rgba, 19>, kCubeThemes + 1> mean{};
  std::array<float, kCubeThemes + 1> brightness{};
  for (int theme = 1; theme <= kCubeThemes; ++theme)
    for (int k = 1; k <= 18; ++k) {
      mean[theme][k] = Mean(ToRgbImage(PaintCube(theme, k), Hex(0)), 5, 5, 20, 20);
      brightness[theme] += (mean[theme][k].R + mean[theme][k].G + mean[theme][k].B) / 18;
    }
  for (int theme = 1; theme <= kCubeThemes; ++theme) {
    for (int a = 1; a <= 18; ++a)
      for (int b = a + 1; b <= 18; ++b)
        EXPECT_GT(distance(mean[theme][a], mean[theme][b]), 0.1f)
            << kCubeThemeNames[theme - 1] << ": cubes " << a << " and " << b << " look alike";
    // Each theme's material shades differently; the kinds' colours stay put.
    float k = brightness[1] / brightness[theme];
    for (int kind = 1; kind <= 18; ++kind) {
      int nearest = 1;
      for (int j = 2; j <= 18; ++j)
        if (distance(Scale(mean[theme][kind], k), mean[1][j]) < distance(Scale(mean[theme][kind], k), mean[1][nearest]))
          nearest = j;
      EXPECT_EQ(nearest, kind) << kCubeThemeNames[theme - 1] << ": cube " << kind << " looks like kind " << nearest;
    }
  }
}

TEST_F(Pictures, GreyCubesStandApartFromEveryWall) {
  // Mean per-pixel difference summed over the channels (0..3): walls and cubes
  // lie side by side in the same grid. The brick and neon walls, which nobody
  // takes for a cube, stay above 0.5 from every grey cube.
  auto apart = [](const plumix::RgbImage& a, const plumix::RgbImage& b) {
    double sum = 0;
    for (size_t i = 0; i < a.Rgb.size(); ++i) sum += std::abs(int(a.Rgb[i]) - int(b.Rgb[i]));
    return sum / (a.Rgb.size() / 3) / 255.0;
  };
  for (int k = 1; k <= 18; ++k) {
    const Rgba c = KindColour(k);
    const float high = std::max({c.R, c.G, c.B}), low = std::min({c.R, c.G, c.B});
    if (high - low > 0.3f * high) continue;  // a coloured kind
    for (int theme = 1; theme <= kCubeThemes; ++theme) {
      const plumix::RgbImage cube = ToRgbImage(PaintCube(theme, k), Hex(0));
      for (int e = 1; e <= kEdgeThemes; ++e) {
        EXPECT_GT(apart(cube, ToRgbImage(PaintEdge(e), Hex(0))), 0.42)
            << kCubeThemeNames[theme - 1] << " cube " << k << " looks like the wall " << kEdgeThemeNames[e - 1];
      }
    }
  }
}

TEST_F(Pictures, GoodSpecialsWearGreenAndBadOnesRed) {
  for (int k = 1; k <= 12; ++k) {
    std::string letter(1, static_cast<char>('A' + k - 1));
    for (const std::string& name : {letter, "Tile_" + letter}) {
      plumix::RgbImage img = Decode(EncodeImageAsset(Image(name)));
      Rgba rim = Mean(img, 1, img.Height / 2 - 3, 2, img.Height / 2 + 3);
      if (SpecialIsGood(k)) {
        EXPECT_GT(rim.G, rim.R + 0.2f) << name << " should have a green rim";
      } else {
        EXPECT_GT(rim.R, rim.G + 0.2f) << name << " should have a red rim";
      }
    }
  }
}

TEST_F(Pictures, OpaqueLabelsMergeIntoThePanelsUnderThem) {
  struct Spot {
    const char* Label;
    const char* Panel;
    int X, Y;  // where the game draws the label, in the panel's own coordinates
  };
  const Spot spots[] = {{"Text_Lines_Left_Gray", "Play_Scores_Background", 922 - 896, 85},
                        {"Text_Time_Left_Gray", "Play_Scores_Background", 924 - 896, 84},
                        {"Text_Pause_Green", "Play_Scores_Background", 949 - 896, 717}};
  for (const Spot& s : spots) {
    plumix::RgbImage label = Decode(EncodeImageAsset(Image(s.Label)));
    plumix::RgbImage panel = Decode(ReadBytes(kRoot / "assets" / plumix::AssetPath(Image(s.Panel))));
    // The label's border against the panel just outside it.
    for (int x = 0; x < label.Width; x += 4) {
      Rgba inside = Mean(label, x, 0, x + 1, 1);
      Rgba outside = Mean(panel, s.X + x, s.Y - 1, s.X + x + 1, s.Y);
      EXPECT_NEAR(inside.R + inside.G + inside.B, outside.R + outside.G + outside.B, 0.12f)
          << s.Label << " stands out from " << s.Panel << " at its top, x " << x;
    }
  }
  // The seismograph's screen is the colour of its window in the panel.
  plumix::RgbImage down = Decode(ReadBytes(kRoot / "assets/DXImageList/Background_Left_Side_Separator_Down.jpg"));
  plumix::RgbImage seismo = Decode(ReadBytes(kRoot / "assets/DXImageList/Seizmograf_Animation.jpg"));
  Rgba window = Mean(down, 20, 40, 30, 46), screen = Mean(seismo, 2, 2, 4, 4);
  EXPECT_NEAR(window.G, screen.G, 0.06f);
}

TEST(Generation, WritesEverythingOnceAndOnlyChangesAfter) {
  // One folder per process: the suites of several worktrees may run at once.
  fs::path root = fs::temp_directory_path() / ("plumix_assetgen_test_" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "data/Graphics");
  fs::copy(kRoot / "data/Graphics/Fonts", root / "data/Graphics/Fonts", fs::copy_options::recursive);
  Options options;
  options.Root = root;
  options.Sheets = root / "sheets";
  std::string error;
  int written = 0;
  ASSERT_TRUE(GenerateAll(options, &error, &written)) << error;
  int expected = static_cast<int>(plumix::WaveAssets().size() + GameFolderFiles().size());
  for (const auto& a : plumix::ImageAssets()) expected += a.RunTime ? 0 : 1;
  EXPECT_EQ(written, expected);
  for (const char* list : plumix::kImageListNames) {
    EXPECT_TRUE(fs::exists(root / "sheets" / (std::string(list) + ".png"))) << "no contact sheet for " << list;
  }
  options.Sheets.clear();
  ASSERT_TRUE(GenerateAll(options, &error, &written)) << error;
  EXPECT_EQ(written, 0) << "a second run should find every file up to date";
  fs::remove_all(root);
}

}  // namespace
}  // namespace assetgen
