// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sampled sound effects and MIDI music through the audio device. Without a
// device everything still keeps its state, silently.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/clock.h"
#include "media/error.h"

namespace plumix {

class Audio {
 public:
  Audio() = default;
  ~Audio();
  Audio(const Audio&) = delete;
  Audio& operator=(const Audio&) = delete;
  // False (and silent from then on) when no audio device can be opened.
  bool Open();
  void Close();
  bool Available() const { return open_; }
  // Music needs a General MIDI soundfont; without one it stays silent.
  bool HasSoundFont() const { return !soundFont_.empty(); }

 private:
  bool open_ = false;
  std::string soundFont_;
};

// The soundfont for the music, as a list for SDL_SOUNDFONTS: the player's
// SDL_SOUNDFONTS when one of its files exists, else the system's default
// General MIDI font, else a common one; empty when there is none.
std::string FindSoundFont(const std::function<const char*(const char*)>& env,
                          const std::function<bool(const std::string&)>& exists);

struct WaveInfo {
  int Channels = 0;
  int Bits = 0;
  int Rate = 0;
  double Seconds = 0;
};
Parsed<WaveInfo> ParseWave(std::span<const uint8_t> wav);

struct WaveItem {
  std::string Name;
  bool Looped = false;
  int MaxPlayingCount = 0;
  std::vector<uint8_t> Wav;  // a RIFF WAVE file
  struct Voice;
  std::shared_ptr<Voice> Voices;  // the loaded sample and its channels
};

struct SoundEvent {
  std::string Name;
  bool Started = false;  // false: stopped
};

class WaveList {
 public:
  explicit WaveList(Audio& audio) : audio_(audio) {}
  ~WaveList();
  WaveItem& Add(std::string name, bool looped, std::vector<uint8_t> wav);
  WaveItem* Find(std::string_view name);
  // An unknown name is a programming error: "Wave '%s' not found".
  WaveItem& Get(std::string_view name);
  // One-shots overlap on as many channels as needed; a looped sound restarts
  // on its single channel.
  void Play(WaveItem& item, bool wait = false);
  // Stops every playing copy.
  void Stop(WaveItem& item);
  int PlayingCopies(const WaveItem& item) const;
  void StopAll();

  std::vector<SoundEvent> Log;  // what was started and stopped, for tests

 private:
  bool Load(WaveItem& item);
  Audio& audio_;
  std::vector<std::unique_ptr<WaveItem>> items_;
  std::unordered_map<std::string, int> index_;
};

// The length of a standard MIDI file in milliseconds, from its ticks and tempo changes.
Parsed<int> MidiLengthMs(std::span<const uint8_t> midi);

class MusicPlayer {
 public:
  MusicPlayer(Audio& audio, Clock& clock);
  ~MusicPlayer();
  MusicPlayer(const MusicPlayer&) = delete;
  MusicPlayer& operator=(const MusicPlayer&) = delete;

  std::string FileName;
  // Closes any open file and opens FileName; throws GameError when it cannot
  // be read (the player is then closed).
  void Open();
  void Close();
  // Plays from the current position, rewinding first at the end of the track.
  void Play();
  // Pauses in place.
  void Stop();
  // Loads an opened track into the mixer (and starts it when it plays);
  // the frame loop calls it after each frame.
  void Pump();
  bool IsOpen() const { return open_; }
  bool Playing() const { return playing_; }
  // Milliseconds. The position runs on a clock that stands while paused.
  int Length() const { return length_; }
  int Position() const;

 private:
  struct Track;
  Audio& audio_;
  Clock& clock_;
  std::unique_ptr<Track> track_;
  bool open_ = false;
  bool playing_ = false;
  int length_ = 0;
  int positionAtStart_ = 0;  // position when the clock was last started
  uint32_t startedAt_ = 0;
};

}  // namespace plumix
