// SPDX-License-Identifier: GPL-3.0-or-later
// The Level page: the level's rules, its element kinds (by their shapes) and
// its specials.
#include <algorithm>

#include "app/main_form.h"
#include "editor/editor.h"
#include "editor/editor_layout.h"
#include "engine/elements.h"
#include "media/draw.h"

namespace plumix {
namespace {

constexpr const char* kFrequencies[] = {"None", "Low", "Medium", "High"};
constexpr int kKindsPerRow = 6;
constexpr int kKindWidth = 41, kKindHeight = 30;
constexpr int kMini = 5;  // a cell of a kind's shape picture

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> out;
  for (int n = from; n <= to; ++n) out.push_back(std::to_string(n));
  return out;
}

int32_t ParseNumber(const std::string& text, int32_t limit) {
  long long value = 0;
  for (char c : text) {
    // A stored value shown as it is may carry a minus sign; typing gives only digits.
    if (c >= '0' && c <= '9') value = std::min<long long>(value * 10 + (c - '0'), limit);
  }
  return static_cast<int32_t>(value);
}

Rect KindRect(int kind) {
  const int x = kSideX + ((kind - 1) % kKindsPerRow) * kKindWidth;
  const int y = kElementsTop + ((kind - 1) / kKindsPerRow) * kKindHeight;
  return {x, y, x + kKindWidth - 2, y + kKindHeight - 2};
}

}  // namespace

void Editor::BuildLevelPage() {
  buildPage_ = static_cast<int>(EditorPage::Level);
  int y = kPageTop + 4;
  constexpr int kRow = 22;
  LevelField("Title", y, false, 30, [this](const std::string& t) { Model.Current().Title = t; },
             [this] { return Model.Current().Title; }, "The level's name, at most 30 characters");
  type_ = Choice("Type", y += kRow, {"Action", "Bonus"},
                 [this](int i) { Model.Current().LevelType = static_cast<uint8_t>(i); },
                 "A Bonus level is played for points only");
  const std::vector<std::string> frequencies(std::begin(kFrequencies), std::end(kFrequencies));
  disasters_ = Choice("Disasters", y += kRow, frequencies,
                      [this](int i) { Model.Current().DisasterFrequency = static_cast<uint8_t>(i); },
                      "How often earthquakes, fire, lightning and wind come");
  {
    Widget c;
    c.Kind = WidgetKind::CheckBox;
    c.Caption = "Disasters in turn (each kind once)";
    c.TextColour = kWhite;
    y += kRow;
    c.Bounds = {kSideX + 40, y, kSideRight, y + 18};
    inTurn_ = controls_.Add(std::move(c));
    controls_.At(inTurn_).OnClick = [this] {
      Model.Change();
      typingIn_ = -1;
      uint8_t& kind = Model.Current().DisasterKind;
      kind = static_cast<uint8_t>(controls_.At(inTurn_).Checked ? kind | kDisastersInTurn : kind & ~kDisastersInTurn);
    };
    pageOf_.push_back({inTurn_, EditorPage::Level});
    tips_[inTurn_] = "The four kinds one after another, each once, a short breather apart: "
                     "a Bonus level of 210 ticks or more shows them all";
  }
  specials_ = Choice("Specials", y += kRow, frequencies,
                     [this](int i) { Model.Current().SpecialsFrequency = static_cast<uint8_t>(i); },
                     "How often the specials ticked below appear");
  LevelField("Start speed", y += kRow, true, 3,
             [this](const std::string& t) { Model.Current().StartSpeed = static_cast<uint8_t>(ParseNumber(t, 255)); },
             [this] { return std::to_string(Model.Current().StartSpeed); }, "0 to 255");
  LevelField("Maximal speed", y += kRow, true, 3,
             [this](const std::string& t) { Model.Current().MaximalSpeed = static_cast<uint8_t>(ParseNumber(t, 255)); },
             [this] { return std::to_string(Model.Current().MaximalSpeed); }, "0 to 255");
  next_ = Choice("Next elements", y += kRow, Numbers(0, 4),
                 [this](int i) { Model.Current().NextElements = static_cast<uint8_t>(i); },
                 "How many coming elements the player sees");
  LevelField(
      "Lines a speed", y += kRow, true, 6,
      [this](const std::string& t) { Model.Current().LinesToIncreaseSpeed = ParseNumber(t, 999999); },
      // What the file holds, even out of range (the check names it): never a tidier number.
      [this] { return std::to_string(Model.Current().LinesToIncreaseSpeed); },
      "Lines between two speeds; 0: the speed never rises");
  LevelField("Lines to finish", y += kRow, true, 6,
             [this](const std::string& t) { Model.Current().LinesToFinish = ParseNumber(t, 999999); },
             [this] { return std::to_string(Model.Current().LinesToFinish); },
             "Lines that win the level");
  LevelField("Time to finish", y += kRow, true, 6,
             [this](const std::string& t) { Model.Current().TimeToFinish = ParseNumber(t, 999999); },
             [this] { return std::to_string(Model.Current().TimeToFinish); },
             "Play ticks (about a second each) a Bonus level lasts");
  entryColumn_ = Choice("Entry column", y += kRow, Numbers(1, kMaxEntry),
                        [this](int i) { Model.SetEntry(i + 1, Model.Current().EntryRow); },
                        "Where elements enter the board");
  entryRow_ = Choice("Entry row", y += kRow, Numbers(1, kMaxEntry),
                     [this](int i) { Model.SetEntry(Model.Current().EntryColumn, i + 1); },
                     "Where elements enter the board");
  // The element kinds: a box and the shape's picture each, with All and None.
  const int page = static_cast<int>(EditorPage::Level);
  Button(page, "Rules to all levels", {kSideX + 120, kElementsTop + 3 * kKindHeight + 8 + 6 * 18 + 6, kSideRight,
                                       kElementsTop + 3 * kKindHeight + 8 + 6 * 18 + 28},
         [this] {
           Model.RulesToAllLevels();
           SetStatus("Every level has this level's rules now (Ctrl+Z takes it back)", false);
         },
         "This page's settings for every level; boards, titles and entries stay");
  Button(page, "All", {kSideX + 160, kElementsTop - 24, kSideX + 200, kElementsTop - 4}, [this] {
    Model.Change();
    for (int k = 1; k <= kElementKinds; ++k) Model.Current().Elements[k] = 1;
  }, "Every element kind comes");
  Button(page, "None", {kSideX + 204, kElementsTop - 24, kSideX + 250, kElementsTop - 4}, [this] {
    Model.Change();
    for (int k = 1; k <= kElementKinds; ++k) Model.Current().Elements[k] = 0;
  }, "No kind: tick the ones wanted");
  auto check = [this](Rect bounds, const std::string& caption, uint8_t* (*field)(LevelRecord&, int), int k,
                      std::string tip) {
    Widget c;
    c.Kind = WidgetKind::CheckBox;
    c.Caption = caption;
    c.TextColour = kWhite;
    c.Bounds = bounds;
    const int index = controls_.Add(std::move(c));
    controls_.At(index).OnClick = [this, index, field, k] {
      Model.Change();
      typingIn_ = -1;
      *field(Model.Current(), k) = controls_.At(index).Checked ? 1 : 0;
    };
    pageOf_.push_back({index, EditorPage::Level});
    tips_[index] = std::move(tip);
    return index;
  };
  for (int k = 1; k <= kElementKinds; ++k) {
    const Rect r = KindRect(k);
    elements_[k] = check({r.Left, r.Top + 7, r.Right, r.Top + 23}, "",
                         [](LevelRecord& l, int i) { return &l.Elements[i]; }, k,
                         "Element kind " + std::to_string(k));
  }
  y = kElementsTop + 3 * kKindHeight + 8;
  for (int k = 1; k <= kSpecialKinds; ++k) {
    const int x = kSideX + ((k - 1) % 2) * 125, top = y + ((k - 1) / 2) * 18;
    specialKinds_[k] = check({x, top, x + 123, top + 16}, SpecialName(k),
                             [](LevelRecord& l, int i) { return &l.Specials[i]; }, k,
                             std::string("Special ") + SpecialName(k) + " can appear");
  }
}

void Editor::SyncLevelPage() {
  const LevelRecord& level = Model.Current();
  controls_.At(type_).ItemIndex = level.LevelType == 0 ? 0 : 1;
  controls_.At(disasters_).ItemIndex = level.DisasterFrequency <= 3 ? level.DisasterFrequency : -1;
  controls_.At(inTurn_).Checked = DisastersInTurn(level);
  controls_.At(specials_).ItemIndex = level.SpecialsFrequency <= 3 ? level.SpecialsFrequency : -1;
  controls_.At(next_).ItemIndex = level.NextElements <= 4 ? level.NextElements : -1;
  const auto entry = [](uint8_t v) { return v >= 1 && v <= kMaxEntry ? v - 1 : -1; };
  controls_.At(entryColumn_).ItemIndex = entry(level.EntryColumn);
  controls_.At(entryRow_).ItemIndex = entry(level.EntryRow);
  for (int k = 1; k <= kElementKinds; ++k) controls_.At(elements_[k]).Checked = level.Elements[k] != 0;
  for (int k = 1; k <= kSpecialKinds; ++k) controls_.At(specialKinds_[k]).Checked = level.Specials[k] != 0;
}

void Editor::DrawElementKinds() {
  Bitmap& surface = game_.M.DXDraw.Surface();
  Text(kSideX, kElementsTop - 22, "Element kinds:", kWhite, 12);
  Bitmap block(kCellSize, kCellSize);
  for (int k = 1; k <= kElementKinds; ++k) {
    const Rect r = KindRect(k);
    const bool on = Model.Current().Elements[k] != 0;
    // The kind's own block, shrunk to a cell of its shape picture.
    FillBitmap(block, kBlack);
    DrawBoardCell(game_.M, block, Cell{kBlock, static_cast<uint8_t>(k)}, 0, 0);
    const uint16_t picture = KindInfo(k).Pictures[0];
    const int left = r.Left + 16, top = r.Top + (kKindHeight - 2 - 4 * kMini) / 2;
    for (int column = 0; column < 4; ++column) {
      for (int row = 0; row < 4; ++row) {
        if (!PictureCell(picture, column, row)) continue;
        for (int dx = 0; dx < kMini - 1; ++dx) {
          for (int dy = 0; dy < kMini - 1; ++dy) {
            const int x = left + column * kMini + dx, y = top + row * kMini + dy;
            if (x < 0 || y < 0 || x >= surface.Width || y >= surface.Height) continue;
            const uint16_t pixel = block.Pixels[static_cast<size_t>((dy * kCellSize / kMini + 2) * kCellSize +
                                                                    dx * kCellSize / kMini + 2)];
            // A kind that is off shows in grey.
            surface.Pixels[static_cast<size_t>(y * surface.Width + x)] = on ? pixel : Rgb565(90, 90, 90);
          }
        }
      }
    }
  }
}

}  // namespace plumix
