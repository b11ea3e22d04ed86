// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/notices.h"

#include <string>

#include "app/main_form.h"

namespace plumix {
namespace {

std::string NoticeText(const TMain& game, int slot) {
  const SettingsRecord& s = game.Settings;
  const ThemeLists& t = game.Themes;
  switch (slot) {
    case 0: return "Press F1 for Game Options.";
    case 5: return "Current Button Set is " + ListEntry(t.Cubes, s.CubeChoice);
    case 6: return "Current Plumix Edge is " + ListEntry(t.Edges, s.EdgeChoice);
    case 7: return "Current Background Tile is " + ListEntry(t.Tiles, s.TileChoice);
    case 8: return "Current Track is " + ListEntry(t.Tracks, s.TrackChoice);
    case 10: return s.TiledBackground ? "Background ON" : "Background OFF";
    case 11: return s.SfxOff ? "SFX OFF" : "SFX ON";
    case 12: return s.MusicOff ? "Music OFF" : "Music ON";
    default: return {};
  }
}

}  // namespace

void ResetNotices(NoticeState& notices) {
  notices.ActiveNotices = 0;
  for (Notice& n : notices.Slots) n = Notice{};
}

void ShowNotice(NoticeState& notices, int slot) {
  if (slot < 0 || slot >= static_cast<int>(notices.Slots.size())) return;
  Notice& n = notices.Slots[slot];
  if (n.Active) {
    n.Frames = 0;
    return;
  }
  ++notices.ActiveNotices;
  n.Active = true;
  n.NoticeY = notices.ActiveNotices * 20;
}

void DrawNotices(TMain& game) {
  NoticeState& notices = game.Notices;
  for (int slot = 0; slot < static_cast<int>(notices.Slots.size()); ++slot) {
    Notice& n = notices.Slots[slot];
    if (!n.Active) continue;
    std::string text = NoticeText(game, slot);
    game.DrawText(n.NoticeX, n.NoticeY + 1, text, "Arial CE", 12, kBlack, kStyleBold);
    game.DrawText(n.NoticeX + 1, n.NoticeY, text, "Arial CE", 12, kWhite, kStyleBold);
    if (++n.Frames >= 250) {
      n.Active = false;
      n.Frames = 0;
      --notices.ActiveNotices;
    }
  }
}

}  // namespace plumix
