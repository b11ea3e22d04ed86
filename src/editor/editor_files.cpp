// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's files: open, save, save as, export and import, and the
// questions asked before any of them could lose the designer's work or
// write a file the designer did not choose.
#include <system_error>

#include "app/main_form.h"
#include "editor/editor.h"
#include "media/files.h"
#include "places/places.h"

namespace plumix {
namespace {

namespace fs = std::filesystem;

bool SameFile(const fs::path& a, const fs::path& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

std::string Name(const fs::path& path) { return path.filename().string(); }

}  // namespace

void Editor::Guard(const std::string& doing, std::function<void()> then) {
  if (!Model.Dirty) {
    then();
    return;
  }
  Prompt.Show("The adventure has unsaved changes. Save them before " + doing + "?", {"Save", "Discard", "Cancel"},
              [this, then](int answer) {
                if (answer == 0 && Model.Path.empty()) {
                  SaveAs(then);
                } else if (answer == 0) {
                  SaveTo(Model.Path, false, then);
                } else if (answer == 1) {
                  then();
                }
              });
}

void Editor::Save() {
  // The problems were shown for this very adventure: the designer saves it anyway.
  const bool force = warned_ && *warned_ == Model.Adventure && !warnedPath_.empty();
  if (force) {
    SaveTo(warnedPath_, true);
  } else if (Model.Path.empty()) {
    SaveAs();
  } else {
    SaveTo(Model.Path, false);
  }
}

void Editor::SaveAs(std::function<void()> then) {
  // The player's own adventure folder is the editor's to make; any other folder is the designer's.
  std::string ignored;
  MakeFolderFor(DefaultFile(), &ignored);
  const fs::path start = Model.Path.empty() ? DefaultFile() : Model.Path;
  Files.Show(FileDialog::Mode::Save, "Save the adventure as", start.parent_path(), Name(start), ".paf",
             [this, then](const fs::path& path) {
               std::error_code ec;
               if (fs::exists(path, ec) && !SameFile(path, Model.Path)) {
                 Prompt.Show(Name(path) + " already exists. Replace it with this adventure?", {"Replace", "Cancel"},
                             [this, path, then](int answer) {
                               if (answer == 0) SaveTo(path, false, then);
                             });
               } else {
                 SaveTo(path, false, then);
               }
             });
}

bool Editor::SaveTo(const fs::path& path, bool force, const std::function<void()>& then) {
  const EditorSaveResult result = Model.Save(path, force);
  warned_.reset();
  if (result.Saved) {
    SetStatus("Saved " + path.string(), false);
    SyncControls();
    if (then) then();
    return true;
  }
  if (!result.Error.empty()) {
    SetStatus(result.Error, true);
  } else {
    SetStatus("Not saved: " + result.Problems.front() + " (" + std::to_string(result.Problems.size()) +
                  " problem(s); save again to save anyway)",
              true);
    warned_ = std::make_unique<AdventureRecord>(Model.Adventure);
    warnedPath_ = path;
  }
  return false;
}

void Editor::Open() {
  Guard("opening another adventure", [this] {
    std::string ignored;
    MakeFolderFor(DefaultFile(), &ignored);
    const fs::path folder = Model.Path.empty() ? DefaultFile().parent_path() : Model.Path.parent_path();
    Files.Show(FileDialog::Mode::Open, "Open an adventure", folder, "", ".paf",
               [this](const fs::path& path) { OpenFile(path); });
  });
}

void Editor::OpenFile(const fs::path& path) {
  std::string error;
  // A file that cannot be read leaves everything as it was, the file to save into too.
  if (!Model.Open(path, &error)) {
    SetStatus(error, true);
    return;
  }
  CancelProof();
  ProofLines.clear();
  ProofWins.clear();
  Selected.Active = false;
  Pasting = false;
  listTop_ = 1;
  typingIn_ = -1;
  SetStatus("Opened " + path.string(), false);
  SyncControls();
}

void Editor::NewAdventure() {
  Guard("starting a new adventure", [this] {
    Model.New();
    CancelProof();
    ProofLines.clear();
    ProofWins.clear();
    Selected.Active = false;
    listTop_ = 1;
    typingIn_ = -1;
    SetStatus("A new adventure; Ctrl+S asks where to save it", false);
    SyncControls();
  });
}

void Editor::RequestQuit() {
  Guard("quitting", [this] { Quit = true; });
}

void Editor::ExportSource() {
  if (Model.Path.empty()) {
    SetStatus("Save the adventure first: its source goes beside its file", true);
    return;
  }
  const fs::path path = SourcePath();
  const std::string text = Model.ExportSource();
  auto write = [this, path, text] {
    std::error_code ec;
    // Only the <name> folder beside the adventure's own file is made.
    if (!fs::is_directory(path.parent_path(), ec) && !fs::create_directory(path.parent_path(), ec)) {
      SetStatus("Cannot make the folder " + path.parent_path().string() + ": " + ec.message(), true);
      return;
    }
    std::string error;
    if (WriteFileBytes(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), &error)) {
      SetStatus("Exported " + path.string(), false);
    } else {
      SetStatus(error, true);
    }
  };
  std::error_code ec;
  if (fs::exists(path, ec)) {
    std::string error;
    const std::vector<uint8_t> old = ReadFileBytes(path, &error);
    if (std::string(old.begin(), old.end()) != text) {
      const std::string shown = path.lexically_relative(Model.Path.parent_path()).string();
      Prompt.Show(shown + " differs from this adventure (edited by hand?). Replace it?",
                  {"Replace", "Cancel"}, [write](int answer) {
                    if (answer == 0) write();
                  });
      return;
    }
  }
  write();
}

void Editor::ImportSource() {
  Guard("importing a source", [this] {
    std::error_code ec;
    const fs::path source = SourcePath();
    const fs::path folder = fs::is_directory(source.parent_path(), ec) ? source.parent_path()
                            : Model.Path.empty()                       ? DefaultFile().parent_path()
                                                                       : Model.Path.parent_path();
    Files.Show(FileDialog::Mode::Open, "Import an adventure source", folder,
               fs::exists(source, ec) ? Name(source) : "", ".txt", [this](const fs::path& path) { ImportFile(path); });
  });
}

void Editor::ImportFile(const fs::path& path) {
  std::string error;
  const std::vector<uint8_t> bytes = ReadFileBytes(path, &error);
  if (bytes.empty()) {
    SetStatus(error.empty() ? path.string() + " is empty" : error, true);
    return;
  }
  if (Model.ImportSource(std::string(bytes.begin(), bytes.end()), &error)) {
    SetStatus("Imported " + path.string() + " (Ctrl+Z takes it back)", false);
  } else {
    SetStatus(path.string() + ": " + error, true);
  }
  SyncControls();
}

}  // namespace plumix
