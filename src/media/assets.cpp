// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/assets.h"

namespace plumix {
namespace {

constexpr bool Y = true;
constexpr bool N = false;

constexpr ImageAsset kImages[] = {
    // DXImageList
    {"DXImageList", "Current_Tile", 0, 0, 0, 0, N, 0, N, Y, 24, Y},
    {"DXImageList", "Digits", 132, 16, 12, 16, Y, 0x9300FA, N, N, 8, N},
    {"DXImageList", "On_Button", 21, 26, 0, 0, N, 0, N, N, 24, N},
    {"DXImageList", "Sumenje_Animation", 452, 112, 113, 112, Y, 0x00FF00, N, N, 8, N},
    {"DXImageList", "Ruleta_Pic", 113, 112, 0, 0, Y, 0x00FF00, N, N, 8, N},
    {"DXImageList", "Seizmograf_Animation", 2622, 72, 96, 72, Y, 0x000000, N, Y, 24, N},
    {"DXImageList", "Main_Menu_Background", 1024, 768, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "Play_Scores_Background", 128, 770, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "Play_Background_Bar_Up_Down", 1024, 11, 0, 0, N, 0, N, N, 24, N},
    {"DXImageList", "Play_Background_Bar_Left_Right", 11, 1000, 0, 0, N, 0, N, N, 24, N},
    {"DXImageList", "Play_Background_Left_Side", 128, 770, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "Background_Left_Side_Separator", 127, 7, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Background_Left_Side_Separator_Down", 128, 165, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "Text_Lines_Left_Gray", 79, 14, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Lines_Left_Green", 78, 15, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Messages_Green", 76, 13, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Next_Green", 39, 13, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Score_Green", 49, 14, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Speciality_Detector_Green", 77, 27, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Speed_Green", 50, 13, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Time_Left_Gray", 71, 14, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Time_Left_Green", 71, 13, 0, 0, N, 0, N, N, 8, N},
    {"DXImageList", "Text_Pause_Green", 47, 13, 0, 0, N, 0, N, N, 24, N},
    {"DXImageList", "Text_Plumix_Mode_Green", 91, 12, 0, 0, Y, 0x6B6B6B, N, N, 24, N},
    {"DXImageList", "Sum_Plumix_Mode_Two_Three_Animation", 388, 44, 97, 44, N, 0, N, N, 8, N},
    {"DXImageList", "Sum_Plumix_Mode_One_Animation", 388, 44, 97, 44, Y, 0x0000FF, N, N, 8, N},
    {"DXImageList", "Sum_Plumix_Mode_Four_Animation", 388, 44, 97, 44, Y, 0x0000FF, N, N, 8, N},
    {"DXImageList", "Tile_Full_Line", 25, 25, 0, 0, N, 0, N, N, 24, N},
    {"DXImageList", "Control_Panel", 640, 480, 0, 0, Y, 0xFFFFFF, N, N, 24, N},
    {"DXImageList", "Explosion_Animation", 1207, 100, 71, 100, Y, 0xFFFFFF, N, N, 8, N},
    {"DXImageList", "V_Laser", 25, 25, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "NeonMoon", 200, 100, 100, 100, Y, 0x020202, N, N, 24, N},
    {"DXImageList", "Main_Menu_Slick", 1024, 768, 0, 0, Y, 0x19000A, N, Y, 24, N},
    {"DXImageList", "Ostrel_Logo", 518, 331, 0, 0, N, 0, N, Y, 24, N},
    {"DXImageList", "Flame_Animation", 750, 130, 50, 130, Y, 0xFFFFFF, N, N, 8, N},
    {"DXImageList", "Storm_Animation", 1162, 179, 166, 179, Y, 0x00FF00, N, N, 8, N},
    {"DXImageList", "Wind_Animation", 600, 60, 60, 60, N, 0, Y, N, 8, N},
    {"DXImageList", "Wind2_Animation", 600, 60, 60, 60, N, 0, Y, N, 8, N},
    // DXImageListTiles
    {"DXImageListTiles", "Tile_Shape1", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape2", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape3", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape4", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape5", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape6", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape7", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape8", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape9", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape10", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape11", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape12", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape13", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape14", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape15", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape16", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape17", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListTiles", "Tile_Shape18", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    // DXImageListPlumixModePictures
#define FIREWORKS(kind, w, h, pw, ph)                                                     \
  {"DXImageListPlumixModePictures", "1" kind "_Fireworks_Animation", w, h, pw, ph, Y, 0xFFFFFF, \
   Y, N, 4, N},                                                                           \
      {"DXImageListPlumixModePictures", "2" kind "_Fireworks_Animation", w, h, pw, ph, Y,  \
       0xFFFFFF, Y, N, 4, N},                                                             \
      {"DXImageListPlumixModePictures", "3" kind "_Fireworks_Animation", w, h, pw, ph, Y,  \
       0xFFFFFF, Y, N, 4, N},                                                             \
      {"DXImageListPlumixModePictures", "4" kind "_Fireworks_Animation", w, h, pw, ph, Y,  \
       0xFFFFFF, Y, N, 4, N}
    FIREWORKS("Large", 2560, 128, 128, 128),
    FIREWORKS("Medium", 1729, 79, 91, 79),
    FIREWORKS("Small", 1080, 54, 72, 54),
    FIREWORKS("Circle", 2100, 35, 150, 35),
#undef FIREWORKS
#define ICON(name, w, h) {"DXImageListPlumixModePictures", name, w, h, 0, 0, Y, 0xFFFFFF, Y, N, 24, N}
    ICON("Big_Red_90", 21, 33),
    ICON("Big_Red_120", 21, 33),
    ICON("Big_Red_65", 21, 33),
    ICON("Big_Yellow_90", 21, 33),
    ICON("Big_Yellow_120", 21, 33),
    ICON("Big_Yellow_65", 21, 33),
    ICON("Big_Green_90", 21, 33),
    ICON("Big_Green_120", 21, 33),
    ICON("Big_Green_65", 21, 33),
    ICON("Big_Blue_90", 21, 33),
    ICON("Big_Blue_120", 35, 39),
    ICON("Big_Blue_65", 35, 39),
    ICON("Small_Red_90", 7, 32),
    ICON("Small_Yellow_90", 7, 32),
    ICON("Small_Green_90", 7, 32),
    ICON("Small_Blue_90", 7, 32),
#undef ICON
    // DXImageListEdges
    {"DXImageListEdges", "Edge_Transparent", 25, 25, 0, 0, Y, 0xFFFFFF, Y, N, 1, N},
    {"DXImageListEdges", "Edge_Background", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    {"DXImageListEdges", "Edge_Solid", 25, 25, 0, 0, N, 0, Y, Y, 24, N},
    // DXImageListLetters, in the order the level-info screen takes them
    {"DXImageListLetters", "Baloon_L1", 55, 91, 0, 0, Y, 0xFFFFFF, N, N, 24, N},
#define LETTER(name) {"DXImageListLetters", name, 32, 32, 0, 0, N, 0, N, N, 24, N}
    LETTER("A"), LETTER("B"), LETTER("C"), LETTER("D"), LETTER("E"), LETTER("F"),
    LETTER("G"), LETTER("H"), LETTER("I"), LETTER("J"), LETTER("K"), LETTER("L"),
#undef LETTER
#define TILE(name) {"DXImageListLetters", name, 25, 25, 0, 0, N, 0, Y, Y, 24, N}
    TILE("Tile_A"), TILE("Tile_H"), TILE("Tile_B"), TILE("Tile_I"), TILE("Tile_C"),
    TILE("Tile_J"), TILE("Tile_D"), TILE("Tile_K"), TILE("Tile_E"), TILE("Tile_L"),
    TILE("Tile_F"), TILE("Tile_G"),
#undef TILE
};

constexpr WaveAsset kWaves[] = {
    {"1Fireworks_Bang", N, 1, 8, 11025, 0.66},
    {"2Fireworks_Bang", N, 1, 8, 11025, 0.77},
    {"3Fireworks_Bang", N, 1, 8, 11025, 0.82},
    {"4Fireworks_Bang", N, 1, 8, 11025, 0.84},
    {"1Fireworks_Launch", N, 1, 8, 11025, 1.47},
    {"2Fireworks_Launch", N, 1, 8, 11025, 1.95},
    {"Main_Menu_Select", N, 1, 8, 22050, 1.02},
    {"Main_Menu_Up_Small", N, 1, 16, 22050, 0.03},
    {"Main_Menu_Up", N, 1, 16, 44100, 0.34},
    {"Options_CB_Open", N, 1, 8, 22254, 0.15},
    {"Options_CB_Select", N, 1, 8, 22050, 0.06},
    {"Options_Checkbox_Click", N, 1, 8, 22050, 0.32},
    {"Options_Type_Letter", N, 1, 8, 11025, 0.15},
    {"Options_Save", N, 1, 16, 22050, 0.11},
    {"Drop_Lines", N, 1, 8, 22050, 0.99},
    {"PlumixModeEnabled", N, 1, 8, 11025, 3.01},
    {"Negative", N, 1, 8, 11025, 0.10},
    {"Mirror_Playfield", N, 1, 8, 11025, 0.70},
    {"Next_Elements_Damage", N, 1, 16, 22050, 0.60},
    {"Laser_Beam", N, 1, 8, 11025, 2.63},
    {"Collect_Letter", N, 1, 16, 44100, 0.38},
    {"Laser_Empty", N, 1, 8, 11025, 0.37},
    {"Fanfare", N, 1, 8, 11025, 1.96},
    {"Game_Over", N, 1, 8, 22050, 1.32},
    {"Start_Level", N, 1, 16, 11025, 3.95},
    {"Before_Theme_Speciality", Y, 1, 16, 11025, 1.19},
    {"Earthquake", Y, 2, 8, 11025, 5.42},
    {"Flame", Y, 1, 8, 11025, 1.82},
    {"Storm", N, 1, 16, 16000, 2.99},
    {"Wind", Y, 1, 16, 11025, 3.92},
};

}  // namespace

std::span<const ImageAsset> ImageAssets() { return kImages; }
std::span<const WaveAsset> WaveAssets() { return kWaves; }

std::string AssetPath(const ImageAsset& asset) {
  return std::string(asset.List) + "/" + asset.Name + (asset.Jpeg ? ".jpg" : ".png");
}
std::string AssetPath(const WaveAsset& asset) {
  return std::string("DXWaveList/") + asset.Name + ".wav";
}

}  // namespace plumix
