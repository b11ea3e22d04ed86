// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "media/bitmap.h"

namespace plumix {
namespace {

std::string Fold(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

uint32_t Le32(std::span<const uint8_t> b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t Le16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

std::string FindSoundFont(const std::function<const char*(const char*)>& env,
                          const std::function<bool(const std::string&)>& exists) {
  // The player's own choice wins, if any of its files is there.
  if (const char* chosen = env("SDL_SOUNDFONTS"); chosen && *chosen) {
    std::string_view list = chosen;
    while (!list.empty()) {
      const size_t colon = list.find(':');
      const std::string path(list.substr(0, colon));
      if (!path.empty() && exists(path)) return chosen;
      list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
    }
  }
  // The distribution's default General MIDI font (Debian's alternative,
  // Fedora's and Arch's default link), then the fonts that are often there.
  static const char* const kCommon[] = {
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/soundfonts/default.sf2",
      "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/soundfonts/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/soundfonts/TimGM6mb.sf2",
      "/usr/share/sounds/sf2/GeneralUser_GS.sf2",
      "/usr/share/soundfonts/GeneralUser_GS.sf2",
      "/usr/share/soundfonts/freepats-general-midi.sf2",
      "/usr/share/sounds/sf3/default-GM.sf3",
      "/usr/share/soundfonts/default.sf3",
      "/usr/share/sounds/sf3/MuseScore_General.sf3",
  };
  for (const char* path : kCommon) {
    if (exists(path)) return path;
  }
  return {};
}

Audio::~Audio() { Close(); }

bool Audio::Open() {
  if (open_) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  Mix_Init(MIX_INIT_MID);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  soundFont_ = FindSoundFont([](const char* name) { return std::getenv(name); },
                             [](const std::string& path) {
                               std::error_code error;
                               return std::filesystem::is_regular_file(path, error);
                             });
  if (soundFont_.empty()) {
    std::fprintf(stderr,
                 "Plumix Adventure: no General MIDI soundfont found (install one, such as "
                 "fluid-soundfont-gm, or name it in SDL_SOUNDFONTS); playing without music.\n");
  } else {
    Mix_SetSoundFonts(soundFont_.c_str());
  }
  Mix_AllocateChannels(16);
  open_ = true;
  return true;
}

void Audio::Close() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

Parsed<WaveInfo> ParseWave(std::span<const uint8_t> wav) {
  if (wav.size() < 12 || Le32(wav, 0) != 0x46464952 || Le32(wav, 8) != 0x45564157) {
    return Parsed<WaveInfo>::Fail("not a RIFF WAVE file");
  }
  WaveInfo info;
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= wav.size()) {
    uint32_t id = Le32(wav, at);
    uint32_t size = Le32(wav, at + 4);
    size_t body = at + 8;
    if (size > wav.size() - body) return Parsed<WaveInfo>::Fail("truncated chunk");
    if (id == 0x20746d66) {  // "fmt "
      if (size < 16) return Parsed<WaveInfo>::Fail("short format chunk");
      if (Le16(wav, body) != 1) return Parsed<WaveInfo>::Fail("not PCM");
      info.Channels = Le16(wav, body + 2);
      info.Rate = static_cast<int>(Le32(wav, body + 4));
      info.Bits = Le16(wav, body + 14);
      haveFormat = true;
    } else if (id == 0x61746164) {  // "data"
      if (!haveFormat || info.Channels == 0 || info.Bits == 0 || info.Rate == 0) {
        return Parsed<WaveInfo>::Fail("data before format");
      }
      info.Seconds = static_cast<double>(size) / (info.Channels * (info.Bits / 8) * info.Rate);
      return Parsed<WaveInfo>::Ok(info);
    }
    at = body + size + (size & 1);
  }
  return Parsed<WaveInfo>::Fail("no data chunk");
}

struct WaveItem::Voice {
  Mix_Chunk* Chunk = nullptr;
  std::vector<int> Channels;
  ~Voice() {
    if (Chunk) {
      for (int ch : Channels) {
        if (Mix_GetChunk(ch) == Chunk) Mix_HaltChannel(ch);
      }
      Mix_FreeChunk(Chunk);
    }
  }
};

WaveList::~WaveList() { items_.clear(); }

WaveItem& WaveList::Add(std::string name, bool looped, std::vector<uint8_t> wav) {
  auto item = std::make_unique<WaveItem>();
  item->Name = std::move(name);
  item->Looped = looped;
  item->Wav = std::move(wav);
  index_[Fold(item->Name)] = static_cast<int>(items_.size());
  items_.push_back(std::move(item));
  return *items_.back();
}

WaveItem* WaveList::Find(std::string_view name) {
  auto it = index_.find(Fold(name));
  return it == index_.end() ? nullptr : items_[it->second].get();
}

WaveItem& WaveList::Get(std::string_view name) {
  WaveItem* item = Find(name);
  if (!item) throw GameError("Wave '" + std::string(name) + "' not found");
  return *item;
}

bool WaveList::Load(WaveItem& item) {
  if (!audio_.Available()) return false;
  if (!item.Voices) {
    item.Voices = std::make_shared<WaveItem::Voice>();
    SDL_RWops* rw = SDL_RWFromConstMem(item.Wav.data(), static_cast<int>(item.Wav.size()));
    item.Voices->Chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  }
  return item.Voices->Chunk != nullptr;
}

void WaveList::Play(WaveItem& item, bool wait) {
  Log.push_back({item.Name, true});
  if (Log.size() > 20000) Log.erase(Log.begin(), Log.begin() + 10000);
  if (!Load(item)) return;
  WaveItem::Voice& voice = *item.Voices;
  int channel = -1;
  if (item.Looped) {
    if (voice.Channels.empty()) {
      int n = Mix_AllocateChannels(-1);
      Mix_AllocateChannels(n + 1);
      voice.Channels.push_back(n);
    }
    channel = voice.Channels[0];
    Mix_HaltChannel(channel);
    Mix_PlayChannel(channel, voice.Chunk, -1);
  } else {
    for (int ch : voice.Channels) {
      if (!Mix_Playing(ch) || Mix_GetChunk(ch) != voice.Chunk) {
        channel = ch;
        break;
      }
    }
    if (channel < 0) {
      // Every copy is still sounding: a further channel of its own.
      int n = Mix_AllocateChannels(-1);
      Mix_AllocateChannels(n + 1);
      voice.Channels.push_back(n);
      channel = n;
    }
    Mix_HaltChannel(channel);
    Mix_PlayChannel(channel, voice.Chunk, 0);
  }
  if (wait) {
    while (Mix_Playing(channel) && Mix_GetChunk(channel) == voice.Chunk) SDL_Delay(5);
  }
}

void WaveList::Stop(WaveItem& item) {
  Log.push_back({item.Name, false});
  if (!item.Voices || !item.Voices->Chunk) return;
  for (int ch : item.Voices->Channels) {
    if (Mix_GetChunk(ch) == item.Voices->Chunk) Mix_HaltChannel(ch);
  }
}

int WaveList::PlayingCopies(const WaveItem& item) const {
  if (!item.Voices || !item.Voices->Chunk) return 0;
  int n = 0;
  for (int ch : item.Voices->Channels) {
    if (Mix_Playing(ch) && Mix_GetChunk(ch) == item.Voices->Chunk) ++n;
  }
  return n;
}

void WaveList::StopAll() {
  for (auto& item : items_) {
    if (item->Voices && item->Voices->Chunk) {
      for (int ch : item->Voices->Channels) Mix_HaltChannel(ch);
    }
  }
}

struct MusicPlayer::Track {
  Mix_Music* Music = nullptr;
  bool Pending = false;  // not loaded into the mixer yet
  // Pumps to let pass first: the frame that opened the track reaches the
  // screen before the soundfont's load holds the next one back.
  int Wait = 1;
  std::vector<uint8_t> Bytes;  // the loader reads from memory while the track plays
  ~Track() {
    if (Music) {
      Mix_HaltMusic();
      Mix_FreeMusic(Music);
    }
  }
};

MusicPlayer::MusicPlayer(Audio& audio, Clock& clock) : audio_(audio), clock_(clock) {}

MusicPlayer::~MusicPlayer() { Close(); }

void MusicPlayer::Open() {
  Close();
  std::string error;
  std::vector<uint8_t> bytes = ReadFileBytes(FileName, &error);
  if (!error.empty()) throw GameError("Cannot open music " + FileName);
  Parsed<int> length = MidiLengthMs(bytes);
  if (!length) throw GameError("Cannot play music " + FileName + ": " + length.Error);
  auto track = std::make_unique<Track>();
  track->Bytes = std::move(bytes);
  // The synthesiser loads its sound font here, which takes a while: that
  // waits for Pump, after the frame is shown.
  track->Pending = audio_.Available() && audio_.HasSoundFont();
  track_ = std::move(track);
  open_ = true;
  playing_ = false;
  length_ = *length.Value;
  positionAtStart_ = 0;
}

void MusicPlayer::Close() {
  track_.reset();
  open_ = false;
  playing_ = false;
  length_ = 0;
  positionAtStart_ = 0;
}

int MusicPlayer::Position() const {
  if (!open_) return 0;
  int pos = positionAtStart_;
  if (playing_) pos += static_cast<int>(clock_.Millis() - startedAt_);
  return std::min(pos, length_);
}

void MusicPlayer::Play() {
  if (!open_) return;
  bool rewind = Position() >= length_;
  // A track that has reached its end starts again even though it was never stopped.
  if (playing_ && !rewind) return;
  if (rewind) positionAtStart_ = 0;
  if (track_->Music) {
    if (rewind || !Mix_PlayingMusic()) {
      Mix_HaltMusic();
      Mix_PlayMusic(track_->Music, 1);
      if (positionAtStart_ > 0) Mix_SetMusicPosition(positionAtStart_ / 1000.0);
    } else {
      Mix_ResumeMusic();
    }
  }
  startedAt_ = clock_.Millis();
  playing_ = true;
}

void MusicPlayer::Pump() {
  if (!open_ || !track_->Pending) return;
  if (track_->Wait > 0) {
    --track_->Wait;
    return;
  }
  track_->Pending = false;
  SDL_RWops* rw = SDL_RWFromConstMem(track_->Bytes.data(), static_cast<int>(track_->Bytes.size()));
  track_->Music = rw ? Mix_LoadMUS_RW(rw, 1) : nullptr;
  if (!track_->Music || !playing_) return;
  // The sound begins now, so the clock that watches its end does too.
  Mix_HaltMusic();
  Mix_PlayMusic(track_->Music, 1);
  positionAtStart_ = 0;
  startedAt_ = clock_.Millis();
}

void MusicPlayer::Stop() {
  if (!open_ || !playing_) return;
  positionAtStart_ = Position();
  playing_ = false;
  if (track_->Music) Mix_PauseMusic();
}

}  // namespace plumix
