#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include "generate.h"
#include "media/assets.h"
#include "media/bitmap.h"
#include "media/colour.h"
#include "media/sound.h"
#include "music.h"
#include "paint.h"
#include "sounds.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;
const fs::path kRoot = PLUMIX_SOURCE_DIR;

std::vector<uint8_t> Read(const fs::path& path) {
  std::string error;
  return plumix::ReadFileBytes(path, &error);
}

const plumix::ImageAsset& Image(const std::string& name) {
  for (const auto& a : plumix::ImageAssets())
    if (name == a.Name) return a;
  throw std::runtime_error("no asset " + name);
}

// The committed picture in 16-bit colour, as the game holds it.
plumix::Bitmap Committed(const plumix::ImageAsset& a) {
  auto decoded = plumix::DecodeImage(Read(kRoot / "assets" / plumix::AssetPath(a)));
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
    if (name == "Earthquake" || name == "Laser_Empty" || name == "Fanfare") EXPECT_EQ(EncodeWaveAsset(w), EncodeWaveAsset(w)) << name;
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
    auto bytes = Read(path);
    ASSERT_GE(bytes.size(), 8u) << "missing " << path;
    if (a.Jpeg) EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8) << a.Name << " should be a JPEG";
    else EXPECT_TRUE(std::equal(png, png + 4, bytes.begin())) << a.Name << " should be a PNG";
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
    Wav w = ReadWav(Read(kRoot / "assets" / plumix::AssetPath(a)));
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
    auto bytes = Read(kRoot / "data/Music" / ("Track" + std::to_string(n) + ".mid"));
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
    auto img = plumix::DecodeImage(Read(kRoot / "data/Graphics/Tiles" / ("Tile" + std::to_string(t) + ".jpg")));
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
      auto bytes = Read(kRoot / "data/Graphics/Cubes" / ("Theme" + std::to_string(t)) / ("Tile_Shape" + std::to_string(k) + ".jpg"));
      auto img = plumix::DecodeImage(bytes);
      ASSERT_TRUE(img) << cubes[t - 1] << " cell " << k;
      EXPECT_EQ(img.Value->Width, 25);
      EXPECT_EQ(img.Value->Height, 25);
      if (t == 1) EXPECT_EQ(bytes, Read(kRoot / "assets/DXImageListTiles" / ("Tile_Shape" + std::to_string(k) + ".jpg")));
      if (k == 1) firstCells.insert(bytes);
    }
  EXPECT_EQ(firstCells.size(), cubes.size()) << "each cube theme should look different";
  for (size_t e = 1; e <= edges.size(); ++e) {
    auto bytes = Read(kRoot / "data/Graphics/Edges" / (std::to_string(e) + "Edge_Solid.jpg"));
    auto img = plumix::DecodeImage(bytes);
    ASSERT_TRUE(img) << edges[e - 1];
    EXPECT_EQ(img.Value->Width, 25);
    if (e == 1) EXPECT_EQ(bytes, Read(kRoot / "assets/DXImageListEdges/Edge_Solid.jpg"));
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
