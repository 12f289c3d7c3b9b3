// The level screen's layouts as built into the game folder: every control the screen looks
// up by id is there once in each aspect mode, of a type the screen can use, on the screen and
// clear of the play area; the dialogs carry the ids their commands and fill code use; the
// pictures the screen asks for by name are in the atlases.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "graphics/Renderer.h"
#include "kcontent/LayoutCommand.h"

namespace {

const std::string kGame = KALODRUS_GAME_DIR;

// The created controls of a layout by id (id 0 left out), in one aspect mode.
std::multimap<int, LayoutDumpEntry> Created(const std::string& layout, AspectMode mode) {
  std::string error;
  const auto entries = DumpLayout(kGame, layout, mode, error);
  EXPECT_TRUE(entries) << layout << ": " << error;
  std::multimap<int, LayoutDumpEntry> byId;
  if (!entries) return byId;
  for (const LayoutDumpEntry& e : *entries) {
    if (e.created && e.id != 0) byId.emplace(e.id, e);
  }
  return byId;
}

Rect Upright(const Rect& r) {
  return {std::min(r.x0, r.x1), std::min(r.y0, r.y1), std::max(r.x0, r.x1), std::max(r.y0, r.y1)};
}

bool Overlap(const Rect& a, const Rect& b) {
  const Rect p = Upright(a), q = Upright(b);
  return p.x0 < q.x1 && q.x0 < p.x1 && p.y0 < q.y1 && q.y0 < p.y1;
}

TEST(GameLayouts, TheHudHasEveryControlOnceOnScreenAndClearOfThePlayArea) {
  const std::map<int, ControlKind> fixed{
      {16, ControlKind::Button},      {17, ControlKind::Button},
      {30, ControlKind::ProgressBar}, {32, ControlKind::TiledPicture},
      {33, ControlKind::Text},        {40, ControlKind::Text},
      {41, ControlKind::Text},        {42, ControlKind::Text},
      {71, ControlKind::Button},      {73, ControlKind::ProgressBar},
      {75, ControlKind::ProgressBar}, {77, ControlKind::ProgressBar},
      {110, ControlKind::Picture},    {111, ControlKind::Picture},
      {112, ControlKind::Picture}};
  const std::vector<int> anyKind{34, 35, 72, 74, 76, 91, 92, 93};
  // What the player points at must not cover each other.
  const std::vector<int> apart{16, 17, 30, 32, 35, 71, 73, 75, 77};

  for (int m = 0; m < kAspectModeCount; ++m) {
    const AspectMode mode = *AspectModeFromNumber(m);
    SCOPED_TRACE("aspect " + std::to_string(m));
    const auto hud = Created("game_gui", mode);
    for (const auto& [id, kind] : fixed) {
      ASSERT_EQ(hud.count(id), 1u) << "id " << id;
      EXPECT_EQ(hud.find(id)->second.kind, kind) << "id " << id;
    }
    for (int id : anyKind) EXPECT_EQ(hud.count(id), 1u) << "id " << id;

    const float halfW = Renderer::VirtualWidth(mode) / 2;
    const float halfH = Renderer::VirtualHeight(mode) / 2;
    const Rect screen{-halfW, -halfH, halfW, halfH};
    const Rect playArea{-240, -220, 240, 220};
    for (const auto& [id, e] : hud) {
      const Rect r = Upright(e.rect);
      EXPECT_TRUE(r.x0 >= screen.x0 && r.x1 <= screen.x1 && r.y0 >= screen.y0 && r.y1 <= screen.y1)
          << "id " << id << " leaves the screen";
      EXPECT_FALSE(Overlap(r, playArea)) << "id " << id << " covers the play area";
    }
    // The bars sit inside their rails, the stocks inside their panel.
    const auto inside = [&](int inner, int outer) {
      const Rect a = Upright(hud.find(inner)->second.rect);
      const Rect b = Upright(hud.find(outer)->second.rect);
      return a.x0 >= b.x0 && a.x1 <= b.x1 && a.y0 >= b.y0 && a.y1 <= b.y1;
    };
    EXPECT_TRUE(inside(30, 34));
    EXPECT_TRUE(inside(73, 72));
    for (int id : {40, 41, 42}) EXPECT_TRUE(inside(id, 35)) << "id " << id;
    for (size_t i = 0; i < apart.size(); ++i) {
      for (size_t j = i + 1; j < apart.size(); ++j) {
        EXPECT_FALSE(Overlap(hud.find(apart[i])->second.rect, hud.find(apart[j])->second.rect))
            << apart[i] << " and " << apart[j];
      }
    }
    // The time bar stands upright (the gold mark moves along its height); the bonus meter
    // stands on the wide screens and lies on the 4:3 one, as the bonus buttons expect.
    const Rect time = Upright(hud.find(30)->second.rect);
    EXPECT_GT(time.y1 - time.y0, 3 * (time.x1 - time.x0));
    const Rect meter = Upright(hud.find(73)->second.rect);
    EXPECT_EQ(meter.y1 - meter.y0 > meter.x1 - meter.x0, mode != AspectMode::Screen4x3);

    const auto overlay = Created("game_gui_ovr", mode);
    EXPECT_EQ(overlay.count(78), 1u);
    ASSERT_EQ(overlay.count(79), 1u);
    EXPECT_EQ(overlay.find(79)->second.kind, ControlKind::ProgressBar);
  }
}

TEST(GameLayouts, TheDialogsCarryTheirCommandAndFilledIds) {
  const std::vector<int> none;
  struct Expect {
    std::string layout;
    std::vector<int> buttons;
    std::vector<int> others;
  };
  const auto range = [](int from, int to) {
    std::vector<int> ids;
    for (int id = from; id <= to; ++id) ids.push_back(id);
    return ids;
  };
  std::vector<int> win = range(1101, 1106);
  for (const auto& r : {range(1110, 1115), std::vector<int>{1120, 1121, 1153}, range(1130, 1141)})
    win.insert(win.end(), r.begin(), r.end());
  std::vector<int> records = range(1211, 1215);
  for (int base : {1221, 1231, 1241}) {
    const auto r = range(base, base + 4);
    records.insert(records.end(), r.begin(), r.end());
  }
  const std::vector<Expect> dialogs{
      {"menu_dlg", {1000, 1001, 1002, 1003, 1010}, none},
      {"settings_dlg", {1035}, none},
      {"briefing_dlg", {1011, 1015, 103}, {1012, 1014}},
      {"win_dlg", {100, 101, 102, 103}, win},
      {"win_dlg_relax", {100, 101, 102, 103}, {1110, 1111, 1112, 1113, 1114, 1115, 1103, 1153}},
      {"loose_dlg", {100, 102}, none},
      {"ach_dlg", {1045}, {1042, 1043, 1044}},
      {"message_dlg", {1025}, {1020, 1021, 1022}},
      {"mg_hint", none, {1}},
      {"diff_sel_game", {1051, 1052, 1053, 1059}, none},
      {"level_hiscores", {1201}, records},
  };
  for (const Expect& d : dialogs) {
    SCOPED_TRACE(d.layout);
    const auto ids = Created(d.layout, AspectMode::Screen4x3);
    for (int id : d.buttons) {
      ASSERT_EQ(ids.count(id), 1u) << "button " << id;
      EXPECT_EQ(ids.find(id)->second.kind, ControlKind::Button) << "button " << id;
    }
    for (int id : d.others) EXPECT_EQ(ids.count(id), 1u) << "id " << id;
  }
  // The menu's test buttons (the level screen shows them in cheat mode only); the settings
  // hold two sliders and three check boxes.
  const auto menu = Created("menu_dlg", AspectMode::Screen4x3);
  for (int id = 1080; id <= 1083; ++id) {
    ASSERT_EQ(menu.count(id), 1u) << id;
    EXPECT_EQ(menu.find(id)->second.kind, ControlKind::Button) << id;
  }
  const auto settings = Created("settings_dlg", AspectMode::Screen16x9);
  for (int id : {1030, 1031}) {
    ASSERT_EQ(settings.count(id), 1u);
    EXPECT_EQ(settings.find(id)->second.kind, ControlKind::Slider);
  }
  for (int id : {1032, 1033, 1034}) {
    ASSERT_EQ(settings.count(id), 1u);
    EXPECT_EQ(settings.find(id)->second.kind, ControlKind::CheckBox);
  }
}

TEST(GameLayouts, ThePicturesTheLevelScreenNamesAreInTheAtlases) {
  std::set<std::string> sprites;
  for (const auto& file : std::filesystem::directory_iterator(kGame + "/content/atlases")) {
    if (file.path().extension() != ".xml") continue;
    std::ifstream in(file.path());
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    for (size_t at = text.find("name=\""); at != std::string::npos;
         at = text.find("name=\"", at + 1)) {
      const size_t start = at + 6;
      sprites.insert(text.substr(start, text.find('"', start) - start));
    }
  }
  for (const char* name : {"progress",      "cmd_ok",        "cmd_no",      "free_worker",
                           "hintback",      "hintobj",       "hintarrow",   "level_time_divider",
                           "star_bronze",   "star_silver",   "star_gold",   "diff_relaxed",
                           "diff_casual",   "diff_expert",   "btn_bonus",   "btn_bonus_v",
                           "black",         "dialog_frame",  "frame_head",  "dialog_bubble",
                           "dialog_tail_l", "dialog_tail_r", "btn_rct_text"}) {
    EXPECT_EQ(sprites.count(name), 1u) << name;
  }
}

}  // namespace
