// SPDX-License-Identifier: GPL-3.0-or-later
// Test-play in the game itself, and the bot's proof in the background: it
// plays a copy of the adventure on a thread of its own while the designer
// goes on editing.
#include <cstdio>
#include <sstream>

#include "adventure/level_setup.h"
#include "app/main_form.h"
#include "bot/bot.h"
#include "editor/editor.h"
#include "editor/editor_layout.h"
#include "media/draw.h"
#include "prove.h"

namespace plumix {
namespace {

constexpr int kProofSeeds = 3;

}  // namespace

void Editor::StartTestPlay() {
  controls_.CloseDropDown();
  game_.M.DXInput.ReleaseAll();
  StartLevelDirectly(game_, Model.Adventure, Model.Level);
  game_.SetCursorMode("None");
  Playing = true;
}

void Editor::StopTestPlay(const std::string& why) {
  Playing = false;
  game_.Paused = false;
  game_.QuitPrompt = false;
  game_.M.DXInput.ReleaseAll();
  game_.M.DXSpriteEngine.Clear();
  game_.SetCursorMode("Arrow");
  SetStatus(why, false);
}

void Editor::Prove(int level) {
  controls_.CloseDropDown();
  CancelProof();
  ProofLines.clear();
  if (level == 0) ProofWins.clear();
  auto job = std::make_unique<ProofJob>();
  job->Level = level;
  ProofJob* raw = job.get();
  ProveOptions options;
  options.Level = level;
  options.Seeds = kProofSeeds;
  options.GameDir = game_.Options.GameDir;
  // The thread owns its copy: the designer may change or replace the adventure meanwhile.
  raw->Thread = std::thread([raw, options, adventure = Model.Adventure]() mutable {
    std::ostringstream out;
    options.Progress = [raw, &out](int done, int total) {
      raw->Done = done;
      raw->Total = total;
      {
        std::lock_guard<std::mutex> lock(raw->Lock);
        raw->Output = out.str();
      }
      return !raw->Cancel.load();
    };
    std::ostringstream err;
    const int code = ProveAdventure(adventure, options, out, err);
    {
      std::lock_guard<std::mutex> lock(raw->Lock);
      raw->Output = out.str() + err.str();
      raw->Code = code;
    }
    raw->Finished = true;
  });
  proof_ = std::move(job);
  SetStatus(level > 0 ? "Proving level " + std::to_string(level) + "; Escape stops"
                      : "Proving every level; Escape stops",
            false);
}

void Editor::PollProof() {
  if (!proof_) return;
  std::string output;
  {
    std::lock_guard<std::mutex> lock(proof_->Lock);
    output = proof_->Output;
  }
  ProofLines.clear();
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line == "stopped") continue;
    // The panel is narrow: a level's line up to its elements, blanks run together.
    std::string shown;
    for (char c : line.substr(0, line.find(','))) {
      if (c != ' ' || (!shown.empty() && shown.back() != ' ')) shown += c;
    }
    ProofLines.push_back(shown);
    // "level  12 <title> 2/3  ...": the count follows the title's 30 columns.
    int level = 0;
    if (std::sscanf(line.c_str(), "level %d", &level) == 1 && line.size() > 41) {
      ProofWins[level] = line.substr(41, line.find(' ', 41) - 41);
    }
  }
  if (!proof_->Finished) return;
  if (proof_->Thread.joinable()) proof_->Thread.join();
  const int code = proof_->Code, level = proof_->Level;
  proof_.reset();
  const std::string what = level > 0 ? "level " + std::to_string(level) : "every level";
  if (code == 0) {
    SetStatus("Proved: the bot won " + what, false);
  } else if (code == 1) {
    SetStatus(level > 0 ? "Not proved: the bot lost " + what + " in every game"
                        : "Not proved: the bot lost a level in every game (see the list)",
              true);
  } else if (code == 3) {
    SetStatus("Proof stopped", false);
  } else {
    SetStatus("The proof could not run", true);
  }
}

bool Editor::FinishProof() {
  if (!proof_) return false;
  if (proof_->Thread.joinable()) proof_->Thread.join();
  PollProof();
  return true;
}

void Editor::CancelProof() {
  if (!proof_) return;
  proof_->Cancel = true;
  if (proof_->Thread.joinable()) proof_->Thread.join();
  proof_.reset();
  ProofLines.clear();
  SetStatus("Proof stopped", false);
}

void Editor::DrawProof() {
  if (!proof_) return;
  Bitmap& surface = game_.M.DXDraw.Surface();
  const Rect bar{kSideX, kWarningsTop, kSideRight, kWarningsTop + 14};
  const double done = static_cast<double>(proof_->Done) / std::max(1, proof_->Total.load());
  FillRect(surface, bar, kBlack);
  FillRect(surface, {bar.Left + 1, bar.Top + 1, bar.Left + 1 + static_cast<int>((bar.Width() - 2) * done), bar.Bottom - 1},
           kGreen);
  Text(kSideX + 4, bar.Top, proof_->Level > 0 ? "Proving level " + std::to_string(proof_->Level) + " (Escape stops)"
                                               : "Proving every level (Escape stops)",
       kWhite, 10);
}

int Editor::ProofBarHeight() const { return proof_ ? 18 : 0; }

}  // namespace plumix
