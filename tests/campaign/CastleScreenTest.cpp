// The castle on the recording device with the game's content: the parts a player's three-star
// levels raise, the newest one held back and revealed with its effect after the fade-in, the
// explanation on the first visit only, the flicker, where leaving goes, and part tables that
// are too long or broken.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/GameKeys.h"
#include "campaign/ModeCastle.h"
#include "campaign/ModeComics.h"
#include "data/XmlDocument.h"
#include "gui/GUIDialog.h"
#include "gui/GUIParticles.h"
#include "gui/GUIPic.h"
#include "gui/GUIText.h"
#include "support/TempDir.h"

#include "level_screen/ModeGameFixture.h"

namespace {

class CastleScreenTest : public MapScreenTest {
 protected:
  void TearDown() override {
    castle().Accept(ModeRequest{});
    MapScreenTest::TearDown();
  }
  static ModeCastle& castle() { return TheModeCastle(); }
  void ThreeStars(int e, int l) { progress().Record(e, l).stars = 3; }
  // Switches to the castle; the fade-in still runs.
  void EnterCastle(const ModeRequest& request = ShowCastle(ModeId::Map)) {
    app->SetMode(app->Accept(request), false);
    if (app->current != &castle()) Frames(1);
    ASSERT_EQ(app->current, &castle());
  }
  void FadeIn() {
    for (int i = 0; i < 100 && app->fadeState != Fade::None; ++i) Frames(1, 20);
  }
  // The castle's parts in drawing order.
  std::vector<GUIControl*> Parts() const {
    std::vector<GUIControl*> parts;
    for (size_t i = 0; i < castle().controls.Size(); ++i) {
      GUIControl* c = castle().controls.At(i);
      if (c->kind == ControlKind::Picture && c->id == 0 && c != castle().controls.At(0) &&
          dynamic_cast<GUIPic*>(c) && (!c->sprite || c->sprite->name.starts_with("castle_part")))
        parts.push_back(c);
    }
    return parts;
  }
  GUIParticles* ShownEffect() const {
    for (size_t i = 0; i < castle().controls.Size(); ++i)
      if (auto* p = dynamic_cast<GUIParticles*>(castle().controls.At(i))) return p;
    return nullptr;
  }
  GUIDialog* Dialog() const { return dynamic_cast<GUIDialog*>(castle().controls.TopDialog()); }
  // The explanation bit as the progress file holds it.
  bool ExplainedOnDisk() {
    PlayerProfiles reread;
    reread.Load("en", u"Player");
    return (reread.progress.options & Progress::kWonderExplained) != 0;
  }
  // Mounts a part table of its own over the content's.
  void UseParts(const std::string& table) {
    std::filesystem::create_directories(own / "parts");
    std::ofstream(own / "parts/castle_parts.xml") << table;
    app->files()->Mount((own / "parts").string());
  }

  TempDir ownDir;
  std::filesystem::path own{ownDir.Path()};
};

}  // namespace

TEST_F(CastleScreenTest, NoThreeStarLevelShowsOnlyTheLayoutsAndExplainsNothing) {
  progress().Record(1, 1).stars = 2;
  progress().Record(5, 3).stars = 3;  // episode 5 counts with its level 11 only
  EXPECT_EQ(ModeCastle::ThreeStarLevels(progress()), 0);
  EnterCastle();
  EXPECT_TRUE(Parts().empty());
  EXPECT_FALSE(castle().showNewPart);
  FadeIn();
  Frames(10, 20);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(ShownEffect(), nullptr);
  EXPECT_EQ(progress().options & Progress::kWonderExplained, 0u);
  const auto* count = dynamic_cast<GUIText*>(castle().controls.Find(8));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->Text(), u"Parts built: 0 of 45");
}

TEST_F(CastleScreenTest, TheFirstPartWaitsForTheExplanationOnceThenFlickersIn) {
  ThreeStars(1, 1);
  EnterCastle();
  std::vector<GUIControl*> parts = Parts();
  ASSERT_EQ(parts.size(), 1u);
  GUIControl* part = parts[0];
  ASSERT_NE(part->sprite, nullptr);
  EXPECT_EQ(part->sprite->name, "castle_part_01");
  // Its corner from the canvas (240, 612) at the sprite's size, extending right and down.
  EXPECT_FLOAT_EQ(part->rect.x0, 240 - 640);
  EXPECT_FLOAT_EQ(part->rect.y0, 384 - 612);
  EXPECT_FLOAT_EQ(part->rect.x1 - part->rect.x0, part->sprite->width);
  EXPECT_FLOAT_EQ(part->rect.y0 - part->rect.y1, part->sprite->height);
  EXPECT_EQ(part->Alpha(), 0);
  EXPECT_EQ(castle().newPart, part);
  const GUIParticles* held = castle().PendingEffect();
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->effectName, "castle_part");
  EXPECT_NEAR(CentreX(held->rect), CentreX(part->rect), 0.01);
  EXPECT_NEAR(CentreY(held->rect), CentreY(part->rect), 0.01);
  EXPECT_EQ(ShownEffect(), nullptr);

  // The fade-in ends: the explanation, saved at once; the part still waits.
  FadeIn();
  GUIDialog* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(progress().options & Progress::kWonderExplained, 0u);
  EXPECT_TRUE(ExplainedOnDisk());
  Frames(5, 20);
  EXPECT_EQ(part->Alpha(), 0);
  EXPECT_EQ(ShownEffect(), nullptr);

  // The answer removes the dialog and starts the reveal: the effect joins the controls and
  // the alpha pulses up to full over 2.5 s.
  dialog->SetResult(1);
  Frames(1, 20);
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_EQ(castle().PendingEffect(), nullptr);
  EXPECT_NE(ShownEffect(), nullptr);
  EXPECT_EQ(castle().newPart, nullptr);
  std::vector<int> alphas;
  for (int i = 0; i < 130; ++i) {
    Frames(1, 20);
    alphas.push_back(part->Alpha());
  }
  EXPECT_EQ(alphas.back(), 255);
  EXPECT_FALSE(part->HasChangers());
  int falls = 0;
  for (size_t i = 1; i < alphas.size(); ++i) falls += alphas[i] < alphas[i - 1] ? 1 : 0;
  EXPECT_GT(falls, 5) << "the alpha flickers on its way up";

  // The next visit presents the part again, without the explanation: revealed at the fade-in.
  castle().OnCommand(2);
  Frames(30, 20);
  EXPECT_NE(app->current, &castle());
  EnterCastle();
  parts = Parts();
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0]->Alpha(), 0);
  FadeIn();
  EXPECT_EQ(Dialog(), nullptr);
  EXPECT_TRUE(parts[0]->HasChangers());
  EXPECT_NE(ShownEffect(), nullptr);
}

TEST_F(CastleScreenTest, ManyThreeStarLevelsShowAtMostFortyFiveParts) {
  for (int e = 1; e <= 5; ++e)
    for (int l = 1; l <= 16; ++l) ThreeStars(e, l);
  EXPECT_EQ(ModeCastle::ThreeStarLevels(progress()), 45);
  progress().options |= Progress::kWonderExplained;
  EnterCastle();
  const std::vector<GUIControl*> parts = Parts();
  ASSERT_EQ(parts.size(), 45u);
  EXPECT_EQ(parts.back()->sprite->name, "castle_part_45");
  EXPECT_EQ(castle().newPart, parts.back());
  ASSERT_NE(castle().PendingEffect(), nullptr);
  EXPECT_EQ(castle().PendingEffect()->effectName, "castle_wonder");
  for (size_t i = 0; i + 1 < parts.size(); ++i) EXPECT_EQ(parts[i]->Alpha(), 255) << i;
  const auto* count = dynamic_cast<GUIText*>(castle().controls.Find(8));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->Text(), u"Parts built: 45 of 45");
}

TEST_F(CastleScreenTest, AnOverlongOrBrokenPartTableShowsWhatItCan) {
  std::string table = "<PartTable>\n";
  // Part 1: a sprite that does not exist, sized by hand; part 2: no size and no sprite; part
  // 3: numbers that are not numbers and an offset of three values; then 57 good parts.
  table += "<part name='no_such_sprite' x='100' y='100' w='120' h='80' offset='5,6'/>\n";
  table += "<part name='' x='0' y='0'/>\n";
  table += "<part name='castle_part_02' x='nan' y='1e40' w='inf' offset='1,2,3'/>\n";
  for (int i = 0; i < 57; ++i) table += "<part name='castle_part_03' x='300' y='300'/>\n";
  table += "</PartTable>\n";
  UseParts(table);
  for (int e = 1; e <= 4; ++e)
    for (int l = 1; l <= 11; ++l) ThreeStars(e, l);
  ThreeStars(5, 11);
  EnterCastle();
  const std::vector<GUIControl*> parts = Parts();
  ASSERT_EQ(parts.size(), 45u);
  EXPECT_EQ(parts[0]->sprite, nullptr);
  EXPECT_FLOAT_EQ(parts[0]->rect.x1 - parts[0]->rect.x0, 120);
  EXPECT_FLOAT_EQ(parts[0]->rect.y0 - parts[0]->rect.y1, 80);
  EXPECT_FLOAT_EQ(parts[1]->rect.x1 - parts[1]->rect.x0, 0);
  for (const float v : {parts[2]->rect.x0, parts[2]->rect.y0, parts[2]->rect.x1, parts[2]->rect.y1})
    EXPECT_TRUE(std::isfinite(v));

  XmlDocument document;
  ASSERT_TRUE(document.Parse(table));
  const std::vector<CastlePart> read = ModeCastle::ReadParts(document, 45);
  ASSERT_EQ(read.size(), 45u);
  EXPECT_EQ(read[0].offsetX, 5);
  EXPECT_EQ(read[0].offsetY, 6);
  EXPECT_EQ(read[2].x, 0);
  EXPECT_EQ(read[2].y, 0);
  EXPECT_EQ(read[2].w, 0);
  EXPECT_EQ(read[2].offsetX, 0) << "an offset of three numbers is no offset";
  EXPECT_EQ(ModeCastle::ReadParts(document, 2).size(), 2u);
  XmlDocument empty;
  EXPECT_TRUE(ModeCastle::ReadParts(empty, 45).empty());

  // Leaving by Escape still works with the broken table.
  FadeIn();
  app->OnInput({InputType::KeyDown, kGameKeyEscape});  // command 2, also with the dialog up
  EXPECT_EQ(castle().requested, &TheModeStage());
}

TEST_F(CastleScreenTest, ATranslationWithOtherConversionsShowsThemAsText) {
  std::filesystem::create_directories(own / "strings");
  std::ofstream(own / "strings/castle.xml")
      << "<StringTable><String name='castle_progress' value='%s%n %d of %d %x'/></StringTable>";
  app->files()->Mount((own / "strings").string());
  ThreeStars(1, 1);
  ThreeStars(1, 2);
  ThreeStars(1, 3);
  progress().options |= Progress::kWonderExplained;
  EnterCastle();
  const auto* count = dynamic_cast<GUIText*>(castle().controls.Find(8));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count->Text(), u"%s%n 3 of %d %x");
}

TEST_F(CastleScreenTest, TheFlickerPulsesTwiceAndEndsAtFullAlpha) {
  EXPECT_FLOAT_EQ(ModeCastle::Flicker(0), 0);
  EXPECT_NEAR(ModeCastle::Flicker(1), 1.15f, 1e-4);  // clamped to 1 by the changer
  EXPECT_NEAR(ModeCastle::Flicker(0.5f), 0.5f * ((std::sin(2.25f * 3.14159265f) + 1) / 2 + 0.075f),
              1e-4);
  int peaks = 0;
  float before = ModeCastle::Flicker(0), now = ModeCastle::Flicker(0.001f);
  for (int i = 2; i <= 1000; ++i) {
    const float next = ModeCastle::Flicker(float(i) / 1000);
    peaks += now > before && now > next ? 1 : 0;
    before = now, now = next;
  }
  EXPECT_EQ(peaks, 2) << "two pulses before the last quarter rises to the end";
}

TEST_F(CastleScreenTest, LeavingGoesToTheComicOnceWhenToldElseToTheMap) {
  ThreeStars(2, 10);
  progress().options |= Progress::kWonderExplained;
  EnterCastle(ShowCastle(ModeId::Map, ShowComic(3, ShowScreen(ModeId::Map))));
  EXPECT_TRUE(castle().toComics);
  FadeIn();
  // A click somewhere without a control does nothing; continue (1) leaves for the comic.
  ClickAt(0, 0);
  EXPECT_EQ(castle().requested, nullptr);
  castle().OnCommand(1);
  EXPECT_FALSE(castle().toComics);
  EXPECT_EQ(castle().requested, &TheModeComics());
  EXPECT_EQ(TheModeComics().comicNumber, 3);
  for (int i = 0; i < 60 && app->current != &TheModeComics(); ++i) Frames(1, 20);
  ASSERT_EQ(app->current, &TheModeComics());
  Frames(40, 20);
  app->OnInput({InputType::KeyDown, kGameKeyEscape});  // the comic skipped
  for (int i = 0; i < 60 && app->current != &TheModeStage(); ++i) Frames(1, 20);
  EXPECT_EQ(app->current, &TheModeStage()) << "the comic goes on to the map";

  // Entered from the map: back to the map by Escape.
  EnterCastle();
  EXPECT_FALSE(castle().toComics);
  FadeIn();
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(castle().requested, &TheModeStage());
}
