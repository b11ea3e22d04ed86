// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Choosing a file to open or to save under, with the game's own controls so
// that it works full screen, by pointer and by keyboard: the places on the
// left, the folder's subfolders and files (each with a line about it) in a
// list, and the name being chosen. Typing a name selects the first entry it
// begins; Enter or a double click opens a folder or chooses a file.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/display.h"
#include "widgets/widgets.h"

namespace plumix {

struct FilePlace {
  std::string Name;
  std::filesystem::path Folder;
};

class FileDialog {
 public:
  enum class Mode { Open, Save };
  struct Entry {
    std::string Name;  // code page 1250 as the file system gives it
    bool Folder = false;
    std::string About;  // from Describe; empty for folders
  };
  static constexpr int kRows = 18;
  static constexpr int kRowHeight = 16;

  explicit FileDialog(Fonts& fonts) : fonts_(fonts) {}

  // The line shown beside a file (for an adventure: its title and levels).
  std::function<std::string(const std::filesystem::path&)> Describe;
  std::vector<FilePlace> Places;

  // Lists `folder`, with `name` in the name field; only files ending in
  // `extension` are listed, and a name typed without it gets it.
  void Show(Mode mode, std::string caption, std::filesystem::path folder, std::string name,
            std::string extension, std::function<void(const std::filesystem::path&)> chosen);
  bool IsOpen() const { return open_; }
  void Close() { open_ = false; }

  void Event(const PlatformEvent& event, bool shift, uint32_t nowMs);
  void Draw(Bitmap& target);

  const std::filesystem::path& Folder() const { return folder_; }
  const std::vector<Entry>& Entries() const { return entries_; }
  int Selected() const { return selected_; }
  std::string Name() const;
  // The folder shown: by the name of the place it is in, else its path.
  std::string Where() const;
  std::string Message() const { return message_; }
  void GoTo(const std::filesystem::path& folder);

 private:
  void Build();
  void Select(int row, bool setName);
  void Accept();
  void Choose(const std::filesystem::path& path);
  void TypeAhead();
  int RowAt(int x, int y) const;
  Rect ListRect() const;

  Fonts& fonts_;
  std::unique_ptr<WidgetSet> set_;
  bool open_ = false;
  Mode mode_ = Mode::Open;
  std::string caption_;
  std::string extension_;
  std::filesystem::path folder_;
  std::vector<Entry> entries_;
  int selected_ = -1;
  int top_ = 0;
  int name_ = -1;
  int lastClickRow_ = -1;
  uint32_t lastClickAt_ = 0;
  bool accept_ = false, cancel_ = false;
  int goPlace_ = -1;
  std::string message_;
  std::function<void(const std::filesystem::path&)> chosen_;
};

}  // namespace plumix
