#include <gtest/gtest.h>

#include "EditorTestSupport.h"
#include "editor/EditorDocument.h"
#include "editor/LevelProof.h"
#include "level/GameSettings.h"

using namespace editortest;

// The editor suggests the campaign's rule for the level's place.
TEST(LevelProofTest, MedalTimesFollowTheExpertBotsTimeByTheCampaignsRule) {
  int gold = 0, silver = 0, reference = 0;
  LevelProof::SuggestTimes(1, 1, 160000, gold, silver, reference);
  EXPECT_EQ(gold, 180);       // 179.2
  EXPECT_EQ(silver, 308);     // 160 / 0.52 = 307.7
  EXPECT_EQ(reference, 401);  // 400.4
  LevelProof::SuggestTimes(5, 11, 241000, gold, silver, reference);
  EXPECT_EQ(silver, 306);  // 241 / 0.79 = 305.06
}

// The bot wins a shipped level in both difficulties and the suggestion follows its expert
// time; a level without its camp cannot be won, and gives no suggestion.
TEST(LevelProofTest, TheBotProvesALevelOrFindsItUnwinnable) {
  const std::string text = ReadText(DemoGame() + "/content/levels/level_01_01.xml");
  const LevelProof proof = LevelProof::Prove(DemoDescriptors(), DemoSettings(), text, 1200);
  EXPECT_TRUE(proof.casual.won);
  ASSERT_TRUE(proof.expert.won);
  EXPECT_GT(proof.expert.seconds, 10);
  int gold = 0, silver = 0, reference = 0;
  LevelProof::SuggestTimes(0, 0, proof.expert.gameMs, gold, silver, reference);
  EXPECT_EQ(proof.gold, gold);
  EXPECT_EQ(proof.silver, silver);
  EXPECT_EQ(proof.reference, reference);
  EXPECT_GE(proof.expert.medal, 0);

  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(text));
  std::vector<int> camps;
  for (const auto& o : doc.level().objects) {
    if (o->cls == WorldObject::kWaypoint && o->subclass == 1) camps.push_back(o->id);
  }
  ASSERT_FALSE(camps.empty());
  for (const int id : camps) ASSERT_TRUE(doc.Delete(id));
  const LevelProof none = LevelProof::Prove(DemoDescriptors(), DemoSettings(), doc.Text(), 120);
  EXPECT_FALSE(none.casual.won);
  EXPECT_FALSE(none.expert.won);
  EXPECT_FALSE(none.HasSuggestion());

  // Taken into the level in one step.
  ASSERT_TRUE(
      doc.SetSettings({{"time_hard", "180"}, {"time_norm", "290"}, {"time_easy", "380"}}, "times")
          .taken);
  EXPECT_EQ(doc.level().timeHard, 180);
  EXPECT_EQ(doc.level().timeNorm, 290);
  EXPECT_EQ(doc.level().timeEasy, 380);
  EXPECT_EQ(doc.History().UndoLabel(), "times");
  EXPECT_EQ(doc.SetSettings({{"time_hard", "-1"}}, "times").key, "editor_field_negative");
}
