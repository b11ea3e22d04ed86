// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

#include "media/sound.h"
#include "support/harness.h"

namespace plumix {
namespace {

std::vector<uint8_t> Wave(int channels, int bits, int rate, int frames) {
  int bytes = frames * channels * bits / 8;
  std::vector<uint8_t> w = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
                            16, 0, 0, 0, 1, 0};
  auto put16 = [&](int v) { w.push_back(v & 255); w.push_back((v >> 8) & 255); };
  auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
  put16(channels);
  put32(rate);
  put32(rate * channels * bits / 8);
  put16(channels * bits / 8);
  put16(bits);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  put32(bytes);
  w.insert(w.end(), bytes, static_cast<uint8_t>(bits == 8 ? 128 : 0));
  uint32_t riff = static_cast<uint32_t>(w.size() - 8);
  for (int i = 0; i < 4; ++i) w[4 + i] = (riff >> (8 * i)) & 255;
  return w;
}

TEST(WaveFiles, HeaderGivesFormatAndLength) {
  auto info = ParseWave(Wave(2, 8, 11025, 11025 * 2));
  ASSERT_TRUE(info) << info.Error;
  EXPECT_EQ(info.Value->Channels, 2);
  EXPECT_EQ(info.Value->Bits, 8);
  EXPECT_EQ(info.Value->Rate, 11025);
  EXPECT_DOUBLE_EQ(info.Value->Seconds, 2.0);
  auto truncated = Wave(1, 16, 22050, 100);
  truncated.resize(truncated.size() - 10);
  EXPECT_FALSE(ParseWave(truncated));
  EXPECT_FALSE(ParseWave(std::vector<uint8_t>(10, 0)));
}

TEST(WaveList, UnknownNameIsAnErrorNamingTheWave) {
  Audio audio;
  WaveList list(audio);
  list.Add("Drop_Lines", false, Wave(1, 8, 22050, 100));
  EXPECT_NE(list.Find("drop_lines"), nullptr);
  try {
    list.Get("Drop_Line");
    FAIL();
  } catch (const GameError& e) {
    EXPECT_STREQ(e.what(), "Wave 'Drop_Line' not found");
  }
}

TEST(WaveList, OneShotsOverlapAndLoopsRestartOnOneChannel) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  Audio audio;
  ASSERT_TRUE(audio.Open()) << "the dummy audio driver opens";
  WaveList list(audio);
  WaveItem& bang = list.Add("Bang", false, Wave(1, 8, 11025, 11025 * 3));
  WaveItem& wind = list.Add("Wind", true, Wave(1, 16, 11025, 11025));
  for (int i = 0; i < 12; ++i) list.Play(bang);
  EXPECT_EQ(list.PlayingCopies(bang), 12) << "every one-shot gets a channel of its own";
  list.Play(wind);
  list.Play(wind);
  EXPECT_EQ(list.PlayingCopies(wind), 1);
  list.Stop(bang);
  EXPECT_EQ(list.PlayingCopies(bang), 0) << "Stop stops every copy";
  EXPECT_EQ(list.PlayingCopies(wind), 1);
  list.Play(bang);
  EXPECT_EQ(list.PlayingCopies(bang), 1) << "a free channel is used again";
  EXPECT_EQ(list.Log.size(), 16u);
}

TEST(MidiLength, TicksAndTempoChangesGiveTheTime) {
  EXPECT_EQ(*MidiLengthMs(testing::MakeMidi(3000)).Value, 3000);
  // Two tracks: a tempo map that halves the tempo after one quarter, and notes
  // that end after four quarters (480 ticks each): 500 + 3 x 250 ms.
  std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 0x01, 0xE0};
  std::vector<uint8_t> tempo = {0x83, 0x60, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90, 0x00, 0xFF, 0x2F, 0x00};
  // Running status: the second note-off omits its status byte.
  std::vector<uint8_t> notes = {0x00, 0x90, 60, 90, 0x00, 64, 90, 0x8F, 0x00, 0x80, 60, 0,
                                0x00, 64, 0, 0x00, 0xFF, 0x2F, 0x00};
  for (const auto* t : {&tempo, &notes}) {
    midi.insert(midi.end(), {'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(t->size())});
    midi.insert(midi.end(), t->begin(), t->end());
  }
  auto length = MidiLengthMs(midi);
  ASSERT_TRUE(length) << length.Error;
  EXPECT_EQ(*length.Value, 1250);
  midi.resize(midi.size() - 5);
  EXPECT_FALSE(MidiLengthMs(midi)) << "a truncated track is refused";
  EXPECT_FALSE(MidiLengthMs(std::vector<uint8_t>{'R', 'I', 'F', 'F'}));
}

TEST(MusicPlayer, PositionRunsOnAClockThatStandsWhilePaused) {
  auto path = std::filesystem::temp_directory_path() / ("plumix-music-test-" + std::to_string(::getpid()) + ".mid");
  ASSERT_TRUE(WriteFileBytes(path, testing::MakeMidi(2000), nullptr));
  FakeClock clock;
  Audio silent;
  MusicPlayer music(silent, clock);
  music.FileName = path.string();
  music.Open();
  EXPECT_EQ(music.Length(), 2000);
  EXPECT_EQ(music.Position(), 0);
  music.Play();
  clock.Advance(500);
  EXPECT_EQ(music.Position(), 500);
  music.Stop();
  clock.Advance(5000);
  EXPECT_EQ(music.Position(), 500) << "paused in place";
  music.Play();
  clock.Advance(4000);
  EXPECT_EQ(music.Position(), music.Length()) << "an ended track reports Position = Length";
  music.Play();
  EXPECT_EQ(music.Position(), 0) << "Play at the end rewinds, stopped first or not";
  clock.Advance(300);
  music.Play();
  EXPECT_EQ(music.Position(), 300) << "Play while playing goes on";
  music.FileName = (std::filesystem::temp_directory_path() / "plumix-no-such-track.mid").string();
  EXPECT_THROW(music.Open(), GameError);
  EXPECT_FALSE(music.IsOpen());
  EXPECT_EQ(music.Position(), 0);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace plumix

TEST(SoundFont, PlayersChoiceThenSystemDefaultThenCommonOnes) {
  std::map<std::string, std::string> env;
  std::set<std::string> files;
  auto find = [&] {
    return plumix::FindSoundFont(
        [&](const char* name) { return env.count(name) ? env[name].c_str() : nullptr; },
        [&](const std::string& path) { return files.count(path) > 0; });
  };
  EXPECT_EQ(find(), "");  // none at all: no music, and no path that is not there
  files = {"/usr/share/sounds/sf2/FluidR3_GM.sf2"};  // fluid-soundfont-gm alone
  EXPECT_EQ(find(), "/usr/share/sounds/sf2/FluidR3_GM.sf2");
  files.insert("/usr/share/sounds/sf2/TimGM6mb.sf2");
  files.insert("/usr/share/soundfonts/default.sf2");
  EXPECT_EQ(find(), "/usr/share/soundfonts/default.sf2");
  files.insert("/usr/share/sounds/sf2/default-GM.sf2");
  EXPECT_EQ(find(), "/usr/share/sounds/sf2/default-GM.sf2");
  // The player's list is kept whole when one of its files is there ...
  env["SDL_SOUNDFONTS"] = "/gone.sf2:/home/me/Mine.sf2";
  files.insert("/home/me/Mine.sf2");
  EXPECT_EQ(find(), "/gone.sf2:/home/me/Mine.sf2");
  // ... and passed over when none is.
  env["SDL_SOUNDFONTS"] = "/gone.sf2";
  EXPECT_EQ(find(), "/usr/share/sounds/sf2/default-GM.sf2");
}
