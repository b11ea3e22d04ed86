// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/file_dialog.h"

#include <algorithm>
#include <cctype>

#include "media/draw.h"
#include "media/input.h"
#include "media/text.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;

constexpr Rect kBox{152, 120, 872, 600};
constexpr int kPlacesWidth = 150;
constexpr uint32_t kDoubleClickMs = 500;
constexpr Colour kSelection = 0x800000;  // navy, as the controls' own selection

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && Lower(text.substr(text.size() - end.size())) == Lower(end);
}

}  // namespace

Rect FileDialog::ListRect() const {
  const int left = kBox.Left + kPlacesWidth + 24;
  return {left, kBox.Top + 56, kBox.Right - 16, kBox.Top + 56 + kRows * kRowHeight + 4};
}

void FileDialog::Show(Mode mode, std::string caption, fs::path folder, std::string name, std::string extension,
                      std::function<void(const fs::path&)> chosen) {
  mode_ = mode;
  caption_ = std::move(caption);
  extension_ = std::move(extension);
  chosen_ = std::move(chosen);
  message_.clear();
  open_ = true;
  Build();
  set_->SetText(name_, Utf8ToCp1250(name));
  // The name is selected, so that typing replaces it.
  set_->At(name_).Anchor = 0;
  folder_.clear();
  entries_.clear();
  GoTo(folder);
  // A folder gone since: the first place instead, with the reason still shown.
  if (folder_.empty() && !Places.empty()) {
    const std::string why = message_;
    GoTo(Places.front().Folder);
    message_ = why;
  }
  if (!name.empty()) TypeAhead();
}

void FileDialog::Build() {
  set_ = std::make_unique<WidgetSet>(fonts_);
  const Rect list = ListRect();
  Widget edit;
  edit.Kind = WidgetKind::Edit;
  edit.Bounds = {list.Left + 70, list.Bottom + 12, list.Right, list.Bottom + 32};
  name_ = set_->AddLabelled(std::move(edit), "File name", kBlack, LabelPos::lpLeft, 8, true);
  set_->At(name_).OnChange = [this] { TypeAhead(); };
  auto button = [&](const std::string& caption, Rect bounds, std::function<void()> click) {
    Widget b;
    b.Kind = WidgetKind::Button;
    b.Caption = caption;
    b.Bounds = bounds;
    b.OnClick = std::move(click);
    return set_->Add(std::move(b));
  };
  const int y = kBox.Bottom - 36;
  button(mode_ == Mode::Save ? "Save" : "Open", {kBox.Right - 212, y, kBox.Right - 116, y + 24},
         [this] { accept_ = true; });
  button("Cancel", {kBox.Right - 108, y, kBox.Right - 12, y + 24}, [this] { cancel_ = true; });
  for (size_t i = 0; i < Places.size(); ++i) {
    const int top = kBox.Top + 56 + static_cast<int>(i) * 30;
    button(Places[i].Name, {kBox.Left + 12, top, kBox.Left + 12 + kPlacesWidth, top + 24},
           [this, i] { goPlace_ = static_cast<int>(i); });
  }
  button("Up a folder", {kBox.Left + 12, list.Bottom - 24, kBox.Left + 12 + kPlacesWidth, list.Bottom},
         [this] { goPlace_ = -2; });
  set_->SetFocus(name_);
}

void FileDialog::GoTo(const fs::path& folder) {
  std::error_code ec;
  fs::path absolute = fs::absolute(folder, ec).lexically_normal();
  if (absolute.has_filename() == false && absolute != absolute.root_path()) absolute = absolute.parent_path();
  std::vector<Entry> folders, files;
  fs::directory_iterator it(absolute, ec);
  if (ec) {
    message_ = "Cannot list " + absolute.string();
    return;
  }
  message_.clear();
  folder_ = absolute;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    if (it->is_directory(kind)) {
      folders.push_back({name, true, ""});
    } else if (EndsWith(name, extension_)) {
      files.push_back({name, false, Describe ? Describe(it->path()) : ""});
    }
  }
  auto byName = [](const Entry& a, const Entry& b) { return Lower(a.Name) < Lower(b.Name); };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  entries_ = std::move(folders);
  entries_.insert(entries_.end(), files.begin(), files.end());
  selected_ = -1;
  top_ = 0;
  lastClickRow_ = -1;
}

std::string FileDialog::Where() const {
  // Inside a place, the place's name says more than a long path.
  for (const FilePlace& place : Places) {
    std::error_code ec;
    const fs::path root = fs::absolute(place.Folder, ec).lexically_normal();
    const fs::path relative = folder_.lexically_relative(root);
    if (!relative.empty() && *relative.begin() != "..") {
      return relative == "." ? place.Name : place.Name + "/" + relative.string();
    }
  }
  return folder_.string();
}

std::string FileDialog::Name() const { return Cp1250ToUtf8(set_ ? set_->At(name_).Text : std::string()); }

void FileDialog::Select(int row, bool setName) {
  if (entries_.empty()) return;
  selected_ = std::clamp(row, 0, static_cast<int>(entries_.size()) - 1);
  if (selected_ < top_) top_ = selected_;
  if (selected_ >= top_ + kRows) top_ = selected_ - kRows + 1;
  if (setName) {
    set_->SetText(name_, Utf8ToCp1250(entries_[static_cast<size_t>(selected_)].Name));
    Widget& edit = set_->At(name_);
    edit.Anchor = 0;
    edit.Caret = edit.Text.size();
  }
}

void FileDialog::TypeAhead() {
  const std::string typed = Lower(Name());
  if (typed.empty()) return;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (Lower(entries_[i].Name).rfind(typed, 0) == 0) {
      Select(static_cast<int>(i), false);
      return;
    }
  }
}

void FileDialog::Accept() {
  const std::string name = Name();
  if (name.empty()) {
    if (selected_ >= 0 && entries_[static_cast<size_t>(selected_)].Folder) {
      GoTo(folder_ / entries_[static_cast<size_t>(selected_)].Name);
    }
    return;
  }
  fs::path typed = fs::path(name).is_absolute() ? fs::path(name) : folder_ / name;
  std::error_code ec;
  // Opening, the entry the typing selected is meant, as far as the typing went.
  if (mode_ == Mode::Open && selected_ >= 0 && !fs::exists(typed, ec) && !fs::exists(typed.string() + extension_, ec)) {
    const Entry& entry = entries_[static_cast<size_t>(selected_)];
    if (Lower(entry.Name).rfind(Lower(name), 0) == 0) typed = folder_ / entry.Name;
  }
  if (fs::is_directory(typed, ec)) {
    GoTo(typed);
    set_->SetText(name_, "");
    return;
  }
  fs::path file = typed;
  if (!EndsWith(typed.filename().string(), extension_)) file += extension_;
  if (mode_ == Mode::Open && !fs::exists(file, ec)) {
    message_ = "There is no file " + file.filename().string() + " here.";
    return;
  }
  Choose(file);
}

void FileDialog::Choose(const fs::path& path) {
  open_ = false;
  std::function<void(const fs::path&)> chosen = std::move(chosen_);
  chosen_ = nullptr;
  if (chosen) chosen(path);
}

int FileDialog::RowAt(int x, int y) const {
  const Rect list = ListRect();
  if (!list.Contains(x, y)) return -1;
  const int row = top_ + (y - list.Top - 2) / kRowHeight;
  return row < static_cast<int>(entries_.size()) ? row : -1;
}

void FileDialog::Event(const PlatformEvent& event, bool shift, uint32_t nowMs) {
  if (!open_) return;
  switch (event.Type) {
    case PlatformEventType::KeyDown:
      switch (event.Key) {
        case kVkEscape: cancel_ = true; break;
        case kVkReturn: accept_ = true; break;
        case kVkUp: Select(selected_ - 1, true); break;
        case kVkDown: Select(selected_ + 1, true); break;
        case kVkPrior: Select(selected_ - kRows, true); break;
        case kVkNext: Select(selected_ + kRows, true); break;
        case kVkBack:
          if (set_->Focus() == name_ && set_->At(name_).Text.empty()) {
            goPlace_ = -2;
            break;
          }
          [[fallthrough]];
        default: set_->KeyDown(event.Key, shift, false); break;
      }
      break;
    case PlatformEventType::TextInput: set_->TextInput(Utf8ToCp1250(event.Text)); break;
    case PlatformEventType::MouseMove: set_->MouseMove(event.X, event.Y); break;
    case PlatformEventType::MouseDown: {
      if (event.Button != 1) break;
      const int row = RowAt(event.X, event.Y);
      if (row >= 0) {
        const bool twice = row == lastClickRow_ && nowMs - lastClickAt_ <= kDoubleClickMs;
        Select(row, true);
        lastClickRow_ = twice ? -1 : row;
        lastClickAt_ = nowMs;
        set_->SetFocus(name_);
        if (twice) accept_ = true;
      } else {
        set_->MouseDown(event.X, event.Y);
      }
      break;
    }
    case PlatformEventType::MouseUp: set_->MouseUp(event.X, event.Y); break;
    case PlatformEventType::MouseWheel:
      top_ = std::clamp(top_ - event.Wheel * 3, 0, std::max(0, static_cast<int>(entries_.size()) - kRows));
      break;
    case PlatformEventType::Quit: cancel_ = true; break;
    default: break;
  }
  // What the controls asked for, done once they are finished with the event.
  if (goPlace_ != -1) {
    const int place = goPlace_;
    goPlace_ = -1;
    GoTo(place >= 0 ? Places[static_cast<size_t>(place)].Folder : folder_.parent_path());
  }
  if (cancel_) {
    cancel_ = accept_ = false;
    open_ = false;
    chosen_ = nullptr;
  } else if (accept_) {
    accept_ = false;
    Accept();
  }
}

void FileDialog::Draw(Bitmap& target) {
  if (!open_) return;
  FillRect(target, {kBox.Left - 2, kBox.Top - 2, kBox.Right + 2, kBox.Bottom + 2}, kBlack);
  FillRect(target, {kBox.Left - 1, kBox.Top - 1, kBox.Right + 1, kBox.Bottom + 1}, kWhite);
  FillRect(target, kBox, kSilver);
  const Rect all{0, 0, target.Width, target.Height};
  auto text = [&](int x, int y, const std::string& cp1250, Colour colour, Rect clip, int size = WidgetSet::kFaceSize) {
    BlendText(target, fonts_.Render(WidgetSet::kFace, size, kStyleNormal, cp1250), x, y, ToRgb565(colour), clip);
  };
  text(kBox.Left + 12, kBox.Top + 8, caption_, kBlack, all, 12);
  const Rect list = ListRect();
  text(list.Left, kBox.Top + 36, Utf8ToCp1250(Where()), kSelection, {list.Left, kBox.Top, list.Right, list.Top});
  FillRect(target, {list.Left - 1, list.Top - 1, list.Right + 1, list.Bottom + 1}, 0x808080);
  FillRect(target, list, kWhite);
  const int nameWidth = (list.Width() - 8) * 2 / 5;
  for (int row = 0; row < kRows && top_ + row < static_cast<int>(entries_.size()); ++row) {
    const Entry& e = entries_[static_cast<size_t>(top_ + row)];
    const int y = list.Top + 2 + row * kRowHeight;
    const bool on = top_ + row == selected_;
    if (on) FillRect(target, {list.Left + 1, y, list.Right - 1, y + kRowHeight}, kSelection);
    const Colour ink = on ? kWhite : kBlack;
    text(list.Left + 4, y + 1, Utf8ToCp1250(e.Folder ? "[" + e.Name + "]" : e.Name), ink,
         {list.Left, y, list.Left + 4 + nameWidth, y + kRowHeight});
    if (!e.About.empty()) {
      text(list.Left + 8 + nameWidth, y + 1, e.About, on ? kWhite : 0x606060,
           {list.Left + 8 + nameWidth, y, list.Right - 2, y + kRowHeight});
    }
  }
  if (entries_.empty()) text(list.Left + 4, list.Top + 4, "(no folders or files here)", 0x606060, list);
  if (!message_.empty()) text(list.Left, list.Bottom + 40, Utf8ToCp1250(message_), kMaroon, all);
  set_->Draw(target);
}

}  // namespace plumix
