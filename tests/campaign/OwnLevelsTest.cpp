// The player's own levels: the files of the data folder's "levels" listed with their land and
// the checks the level screen needs, reached from the map's button, played to a win by the bot
// through the level screen, and their records kept apart from the campaign's progress.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Application.h"
#include "base/DataFiles.h"
#include "campaign/ModeStage.h"
#include "campaign/OwnLevelList.h"
#include "campaign/OwnLevelsDlg.h"
#include "gui/GUIListbox.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level_screen/ModeGame.h"
#include "progress/PlayerFiles.h"

#include "level_screen/ModeGameFixture.h"

namespace {

namespace fs = std::filesystem;

std::string Shipped(const std::string& name) {
  std::ifstream in(fs::path(std::getenv("KALODRUS_GAME_DIR")) / "content/levels" / name);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The text with the first attribute NAME set to VALUE.
std::string With(std::string text, const std::string& name, const std::string& value) {
  const size_t at = text.find(" " + name + "=\"");
  if (at == std::string::npos) return text;
  const size_t from = at + name.size() + 3;
  return text.replace(from, text.find('"', from) - from, value);
}

class OwnLevelsTest : public MapScreenTest {
 protected:
  void SetUp() override {
    MapScreenTest::SetUp();
    if (HasFatalFailure()) return;
    fs::create_directories(Levels());
  }
  fs::path Levels() const { return fs::path(data.Path()) / "levels"; }
  void Put(const std::string& file, const std::string& text) {
    std::ofstream(Levels() / file, std::ios::binary) << text;
  }
  // Clicks the centre of a control as it is drawn.
  void ClickOn(const GUIControl& c) {
    ClickAt((c.rect.x0 + c.rect.x1) / 2, (c.rect.y0 + c.rect.y1) / 2);
  }
  // Clicks the middle of a row of the list.
  void ClickRow(const GUIListbox& list, int row) {
    const float top = std::max(list.rect.y0, list.rect.y1);
    const float bottom = std::min(list.rect.y0, list.rect.y1);
    for (float y = top; y >= bottom; y -= 1.0f) {
      if (list.RowAt(y) == row && list.RowAt(y - list.RowHeight() / 2) == row) {
        ClickAt((list.rect.x0 + list.rect.x1) / 2, y - list.RowHeight() / 4);
        return;
      }
    }
    ADD_FAILURE() << "no row " << row;
  }
};

}  // namespace

TEST_F(OwnLevelsTest, TheListChecksEachFileAsTheLevelScreenWouldStartIt) {
  const std::string meadow = Shipped("level_01_02.xml");
  ASSERT_FALSE(meadow.empty());
  Put("a_broken.xml", "<level episode=\"1\"");
  Put("farm_by_the_river.xml", meadow);
  Put("pipes.xml", Shipped("level_08_08.xml"));
  Put("slow_gold.xml", With(meadow, "time_hard", "9999"));
  Put("notes.txt", "not a level");
  Put("huge.xml", std::string(kMaxLevelFile + 1, ' '));
  const auto levels = ListOwnLevels(Levels().string(), *app->descriptors());
  ASSERT_EQ(levels.size(), 5u);
  EXPECT_EQ(levels[0].file, "a_broken.xml");
  EXPECT_FALSE(levels[0].playable);
  EXPECT_EQ(levels[0].problem, "own_levels_unreadable");
  EXPECT_EQ(levels[1].name, "farm by the river");
  EXPECT_TRUE(levels[1].playable) << levels[1].problem;
  EXPECT_EQ(levels[1].land, 1);
  EXPECT_EQ(levels[1].episode, 1);
  EXPECT_EQ(levels[1].level, 2);
  EXPECT_EQ(levels[2].file, "huge.xml");
  EXPECT_EQ(levels[2].problem, "own_levels_unreadable");
  EXPECT_EQ(levels[3].problem, "own_levels_not_ordinary");
  EXPECT_EQ(levels[4].problem, "own_levels_times");
  // A new level of the editor names no campaign place: its ground tells the land.
  Put("z_new.xml", With(With(Shipped("level_02_01.xml"), "episode", "0"), "level", "0"));
  const auto again = ListOwnLevels(Levels().string(), *app->descriptors());
  ASSERT_EQ(again.size(), 6u);
  EXPECT_EQ(again[5].episode, 0);
  EXPECT_EQ(again[5].land, 2);
  EXPECT_TRUE(ListOwnLevels((Levels() / "none").string(), *app->descriptors()).empty());
}

TEST_F(OwnLevelsTest, FromTheMapAnOwnLevelIsPlayedWonAndRecordedApartFromTheCampaign) {
  Put("farm_by_the_river.xml", Shipped("level_01_02.xml"));
  Put("broken.xml", "<level");
  Enter();
  Frames(30, 20);
  const GUIControl* button = map().controls.Find(19);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->visible);
  ClickOn(*button);
  Frames(2);
  ASSERT_NE(map().OwnLevels(), nullptr);
  OwnLevelsDlg& dialog = *map().OwnLevels();
  ASSERT_EQ(dialog.Levels().size(), 2u);
  auto* list = dynamic_cast<GUIListbox*>(dialog.Children().Find(OwnLevelsDlg::kList));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->items.size(), 2u);
  EXPECT_NE(list->items[1].find(u"farm by the river"), std::u16string::npos);
  EXPECT_NE(list->items[1].find(u"not played yet"), std::u16string::npos);
  // The broken one is first: its reason shows and it cannot be played.
  const GUIControl* play = dialog.Children().Find(OwnLevelsDlg::kPlay);
  ASSERT_NE(play, nullptr);
  EXPECT_FALSE(play->active);
  EXPECT_FALSE(dialog.Children().Find(OwnLevelsDlg::kBack)->visible) << "one page only";
  ClickRow(*list, 1);
  Frames(1);
  EXPECT_EQ(list->selected, 1);
  EXPECT_TRUE(play->active);

  progress().difficulty = Difficulty::Expert;
  const Progress before = progress();
  ClickOn(*play);
  Frames(60, 20);
  ModeGame& game = TheModeGame();
  ASSERT_EQ(app->current, &game);
  EXPECT_EQ(game.OwnLevel(), "farm_by_the_river.xml");
  ASSERT_NE(game.briefingDialog, nullptr);
  const GUIControl* tables = game.briefingDialog->Children().Find(103);
  ASSERT_NE(tables, nullptr);
  EXPECT_FALSE(tables->active) << "the campaign's record tables are not this level's";
  EXPECT_EQ(map().OwnLevels(), nullptr);
  game.SetBotPlaying(true);
  for (int i = 0; i < 60000 && game.HasLevel() && !game.Controller()->Ended(); ++i) Frames(1, 20);
  ASSERT_TRUE(game.HasLevel());
  ASSERT_TRUE(game.Controller()->Ended());
  Frames(200, 20);

  const OwnLevelRecord* record = app->profiles()->ownLevels.Find("farm_by_the_river.xml");
  ASSERT_NE(record, nullptr);
  EXPECT_TRUE(record->won);
  EXPECT_GT(record->stars, 0);
  EXPECT_GT(record->seconds, 0);
  EXPECT_EQ(progress(), before) << "the campaign's progress is untouched";
  EXPECT_FALSE(app->profiles()->HasGame()) << "an own level is never saved for continue";
  EXPECT_TRUE(base::DataFileExists(player_files::SlotFile(0, player_files::kOwnLevels)));

  // "To the map" goes back; the list now shows the result.
  game.OnCommand(102);
  Frames(80, 20);
  ASSERT_EQ(app->current, &map());
  map().OnCommand(19);
  Frames(2);
  ASSERT_NE(map().OwnLevels(), nullptr);
  auto* shown = dynamic_cast<GUIListbox*>(map().OwnLevels()->Children().Find(OwnLevelsDlg::kList));
  ASSERT_NE(shown, nullptr);
  EXPECT_NE(shown->items[1].find(u"best:"), std::u16string::npos);
  map().OwnLevels()->SetResult(OwnLevelsDlg::kClose);
  Frames(2);
  EXPECT_EQ(map().OwnLevels(), nullptr);
  EXPECT_EQ(app->current, &map());
}

TEST_F(OwnLevelsTest, ManyLevelsArePagedAndNoLevelsSayHowToMakeOne) {
  Enter();
  Frames(10, 20);
  map().OnCommand(19);
  Frames(2);
  ASSERT_NE(map().OwnLevels(), nullptr);
  const auto* note = dynamic_cast<const GUIText*>(map().OwnLevels()->Children().Find(OwnLevelsDlg::kNote));
  ASSERT_NE(note, nullptr);
  EXPECT_NE(note->Text().find(u"--edit-new"), std::u16string::npos);
  map().OwnLevels()->SetResult(OwnLevelsDlg::kPlay);  // nothing to play: it only closes
  Frames(2);
  EXPECT_EQ(map().OwnLevels(), nullptr);
  EXPECT_EQ(app->current, &map());

  for (int i = 0; i < 30; ++i) Put("level_" + std::to_string(100 + i) + ".xml", "<level/>");
  map().OnCommand(19);
  Frames(2);
  OwnLevelsDlg& dialog = *map().OwnLevels();
  ASSERT_GT(dialog.Pages(), 1);
  GUIControl* on = dialog.Children().Find(OwnLevelsDlg::kOn);
  ASSERT_TRUE(on->visible && on->active);
  ClickOn(*on);
  Frames(2);
  ASSERT_EQ(map().OwnLevels(), &dialog) << "turning the page keeps the list open";
  EXPECT_EQ(dialog.Page(), 1);
  ASSERT_NE(dialog.Selected(), nullptr);
  EXPECT_NE(dialog.Selected()->file, "level_100.xml");
}

// A level that carries its own texts is listed, briefed and introduced in the player's
// language, English standing in for a language it lacks.
TEST_F(OwnLevelsTest, AnOwnLevelsTextsShowInThePlayersLanguage) {
  std::string text = Shipped("level_01_02.xml");
  const std::string texts =
      "<text lang=\"en\" name=\"Mill by the ford\" message=\"Build the bridge first.\" />\n"
      "<text lang=\"de\" name=\"M\u00fchle an der Furt\" message=\"Baut zuerst die Br\u00fccke.\" />\n";
  text.insert(text.rfind("</level>"), texts);
  Put("ford.xml", text);
  Put("plain.xml", Shipped("level_01_02.xml"));
  const auto german = ListOwnLevels(Levels().string(), *app->descriptors(), "de");
  ASSERT_EQ(german.size(), 2u);
  EXPECT_EQ(german[0].name, "M\u00fchle an der Furt");
  EXPECT_EQ(german[1].name, "plain") << "a level without texts keeps its file's name";
  EXPECT_EQ(ListOwnLevels(Levels().string(), *app->descriptors(), "pl")[0].name,
            "Mill by the ford");

  app->profiles()->settings.language = 2;
  Enter();
  Frames(30, 20);
  map().OnCommand(19);
  Frames(2);
  ASSERT_NE(map().OwnLevels(), nullptr);
  auto* list = dynamic_cast<GUIListbox*>(map().OwnLevels()->Children().Find(OwnLevelsDlg::kList));
  ASSERT_NE(list, nullptr);
  EXPECT_NE(list->items[0].find(u"M\u00fchle an der Furt"), std::u16string::npos);
  ClickRow(*list, 0);
  Frames(1);
  ClickOn(*map().OwnLevels()->Children().Find(OwnLevelsDlg::kPlay));
  Frames(60, 20);
  ModeGame& game = TheModeGame();
  ASSERT_EQ(app->current, &game);
  const auto* name = dynamic_cast<const GUIText*>(game.briefingDialog->Children().Find(1014));
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(name->Text(), u"M\u00fchle an der Furt");
  game.OnCommand(1011);
  Frames(2);
  ASSERT_NE(game.messageDialog, nullptr);
  EXPECT_TRUE(game.messageDialog->visible);
  const auto* body = dynamic_cast<const GUIText*>(game.messageDialog->Children().Find(1021));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(body->Text(), u"Baut zuerst die Br\u00fccke.");
}
