#include <gtest/gtest.h>

#include "LevelTestSupport.h"
#include "level/GameDescriptors.h"

using namespace leveltest;

namespace {

class GameDescriptorsTest : public ::testing::Test {
 protected:
  bool Load() { return content.Load(descriptors, textures); }
  ContentFolder content;
  FakeTextures textures;
  GameDescriptors descriptors;
};

TEST_F(GameDescriptorsTest, ObjectDescriptorsFollowTheAttributeConventions) {
  content.Set("objects_names.xml", R"(<StringTable>
      <String name="obj_name_001" value="Oak"/><String name="obj_desc_001" value="A tall oak"/>
      <String name="obj_desc_002" value="Only a description"/>
      <String name="obj_name_003" value="Only a name"/>
      <String name="obj_name_004" value=""/><String name="obj_desc_004" value="Empty name"/>
    </StringTable>)");
  content.Set("objects_params.xml", R"(<DescTable>
      <Object id="1" class="0"/>
      <Object id="2" class="0" time="25" cost="5" income="0,3"/>
      <Object id="3" class="2" time="-1" fade="300" cost="1,2,3,4"/>
      <Object id="4" class="1" type="5" value="3" work="2" ani="1" respawn="40"/>
      <Object id="4" class="1" type="1" value="9"/>
      <Object id="5" class="2" offs="30" snd="7" coll="2" draw="2" scaleTime="400"
              scalePercent="6" ret="1"/>
      <Object id="6" class="abc"/><Object id="8" class="7"/>
    </DescTable>)");
  ASSERT_TRUE(Load());

  // Only id and class: no timer, the default fade, nothing to pay or gain.
  const ObjectDesc* bare = descriptors.Obstacle(1);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->time, 0.0f);
  EXPECT_EQ(bare->fade, 1275);
  EXPECT_EQ(bare->cost, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(bare->income, (std::array<int, 3>{0, 0, 0}));
  EXPECT_EQ(bare->name, u"Oak");
  EXPECT_EQ(bare->desc, u"A tall oak");

  // Tenths of a second, and short lists padded with zeros.
  const ObjectDesc* timed = descriptors.Obstacle(2);
  ASSERT_NE(timed, nullptr);
  EXPECT_FLOAT_EQ(timed->time, 2.5f);
  EXPECT_FALSE(timed->Indestructible());
  EXPECT_EQ(timed->cost, (std::array<int, 3>{5, 0, 0}));
  EXPECT_EQ(timed->income, (std::array<int, 3>{0, 3, 0}));
  EXPECT_EQ(timed->name, u"Only a description");  // the description serves as name
  EXPECT_EQ(timed->desc, u"Only a description");

  // class 2 is the landmark table; -1 makes the object indestructible.
  ASSERT_EQ(descriptors.Obstacle(3), nullptr);
  const ObjectDesc* landmark = descriptors.Landmark(3);
  ASSERT_NE(landmark, nullptr);
  EXPECT_TRUE(landmark->Indestructible());
  EXPECT_EQ(landmark->fade, 300);
  EXPECT_EQ(landmark->cost, (std::array<int, 3>{1, 2, 3}));
  EXPECT_EQ(landmark->desc, u"Only a name");  // and the name as description
  EXPECT_EQ(descriptors.ForClass(7, 3), landmark);
  EXPECT_NE(descriptors.Obstacle(8), nullptr);  // the file's class 7 is no landmark

  // The first of two equal ids wins.
  const ObjectDesc* building = descriptors.Building(4);
  ASSERT_NE(building, nullptr);
  EXPECT_EQ(building->type, ObjectDesc::kWorkerLodge);
  EXPECT_EQ(building->LodgeType(), 3);
  EXPECT_EQ(building->WorkerType(), 2);
  EXPECT_EQ(building->respawn, 40);
  EXPECT_EQ(building->name, u"Empty name");
  EXPECT_EQ(descriptors.Buildings().size(), 2u);
  EXPECT_EQ(descriptors.ForClass(2, 4), building);

  // class 2 in the file is a landmark, class 1 a building, anything else an obstacle.
  ASSERT_NE(descriptors.Landmark(5), nullptr);
  EXPECT_EQ(descriptors.Landmark(5)->scalePercent, 6);
  EXPECT_EQ(descriptors.Landmark(5)->ret, 1);
  EXPECT_NE(descriptors.Obstacle(6), nullptr);
  EXPECT_EQ(descriptors.ForClass(0, 1), nullptr);
  EXPECT_EQ(descriptors.ForClass(9, 1), nullptr);
  EXPECT_EQ(descriptors.ForClass(1, 1), bare);
  EXPECT_EQ(descriptors.Obstacle(99), nullptr);
}

TEST_F(GameDescriptorsTest, NamesFollowALanguageChange) {
  content.Set("objects_names.xml",
              R"(<StringTable><String name="obj_name_001" value="Oak"/></StringTable>)");
  content.Set("objects_params.xml", R"(<DescTable><Object id="1"/></DescTable>)");
  ASSERT_TRUE(Load());
  content.Strings().Set(u"obj_name_001", u"Eiche");
  descriptors.RefreshNames(content.Strings());
  EXPECT_EQ(descriptors.Obstacle(1)->name, u"Eiche");
  EXPECT_EQ(descriptors.Obstacle(1)->desc, u"Eiche");
}

TEST_F(GameDescriptorsTest, WorkerAnimationsFillTheTableAndFallBackToAnimationZero) {
  content.Set("anim_params.xml", R"(<DescTable>
      <Worker wp="0" id="0" name="worker_walk" l="8" x="8" y="8" t="60" w="40" h="48"/>
      <Worker wp="0" id="4" name="worker_chop" l="6" x="0" y="-2" t="80"/>
      <Worker wp="12" id="9" name="last"/>
      <Worker wp="13" id="0" name="type_out_of_range"/>
      <Worker wp="-1" id="0" name="negative_type"/>
      <Worker wp="2" id="10" name="index_out_of_range"/>
      <Worker wp="3" id="2"/>
      <Anim name="flag" l="4" x="2" y="2" t="120" w="30" h="60"/>
      <Anim name="flag" l="9"/>
      <Bird name="crow" l="4" x="4" y="1" t="90"/><Bird name="gull"/>
      <Flying name="bat" l="4" x="4" y="2" t="70" health="3" speed="12" flags="1">
        <Spawn sound="bat_in" effect="smoke"/><Hit sound="bat_hit"/><Die effect="poof"/>
      </Flying>
    </DescTable>)");
  ASSERT_TRUE(Load());

  const WorkerAnim& walk = descriptors.WorkerAnimation(0, 0);
  EXPECT_EQ(walk.name, "worker_walk");
  EXPECT_EQ(walk.l, 8);
  EXPECT_EQ(walk.t, 60);
  EXPECT_FLOAT_EQ(walk.w, 40.0f);
  // Columns and rows of worker sheets divide the sheet size: zero or less counts as one.
  const WorkerAnim& chop = descriptors.WorkerAnimation(0, 4);
  EXPECT_EQ(chop.name, "worker_chop");
  EXPECT_EQ(chop.x, 1);
  EXPECT_EQ(chop.y, 1);
  // Missing entries and entries without a name fall back to animation 0 of their type.
  EXPECT_EQ(descriptors.WorkerAnimation(0, 7).name, "worker_walk");
  EXPECT_FALSE(descriptors.HasWorkerAnimation(0, 7));
  EXPECT_TRUE(descriptors.HasWorkerAnimation(3, 2));
  EXPECT_TRUE(descriptors.WorkerAnimation(3, 2).Empty());
  EXPECT_EQ(descriptors.WorkerAnimation(12, 9).name, "last");
  // Out of the 13 x 10 table: ignored when loading, the empty record when looked up.
  EXPECT_TRUE(descriptors.WorkerAnimation(13, 0).Empty());
  EXPECT_TRUE(descriptors.WorkerAnimation(-1, 0).Empty());
  EXPECT_TRUE(descriptors.WorkerAnimation(2, 10).Empty());
  EXPECT_TRUE(descriptors.WorkerAnimation(2, 0).Empty());

  const AnimDesc* flag = descriptors.TextureAnimation("flag");
  ASSERT_NE(flag, nullptr);
  EXPECT_EQ(flag->l, 4);  // the first of two equal names
  EXPECT_EQ(flag->x, 2);
  EXPECT_EQ(descriptors.TextureAnimation("none"), nullptr);
  ASSERT_EQ(descriptors.Birds().size(), 2u);
  EXPECT_EQ(descriptors.Birds()[1].name, "gull");
  EXPECT_EQ(descriptors.Birds()[1].x, 0);  // zero keeps "not given" outside worker sheets

  ASSERT_EQ(descriptors.FlyingCount(), 1);
  const FlyingDesc* bat = descriptors.Flying(0);
  ASSERT_NE(bat, nullptr);
  EXPECT_EQ(bat->anim.name, "bat");
  EXPECT_EQ(bat->health, 3);
  EXPECT_EQ(bat->speed, 12);
  EXPECT_EQ(bat->flags, 1);
  EXPECT_EQ(bat->spawn.sound, "bat_in");
  EXPECT_EQ(bat->spawn.effect, "smoke");
  EXPECT_EQ(bat->hit.sound, "bat_hit");
  EXPECT_EQ(bat->hit.effect, "");
  EXPECT_EQ(bat->die.effect, "poof");
  EXPECT_EQ(descriptors.Flying(1), nullptr);
  EXPECT_EQ(descriptors.Flying(-1), nullptr);
}

TEST_F(GameDescriptorsTest, SmallTablesAndTheirLookups) {
  content.Set("obj_textures.xml",
              R"(<Objects><Object id="3" tex="berries"/><Object id="3" tex="other"/></Objects>)");
  content.Set("symbols.xml",
              R"(<SymbolTable><Symbol name="icon_food"/><Symbol name="icon_wood"/></SymbolTable>)");
  content.Set("dialog_pictures.xml",
              R"(<DialogPictures><Pic id="2" name="chief"/></DialogPictures>)");
  content.Set("sounds_table.xml", R"(<SoundsTable>
      <Sound id="1" name="chop" loop="2" frame="3"/><Sound id="2" name="saw" loop="1"/>
    </SoundsTable>)");
  content.Set("objects_particles.xml",
              R"(<Particles><Object spr="hut" par="smoke" x="4.5" y="-20"/></Particles>)");
  content.Set("particles_info.xml",
              R"(<Particles><Particle id="7" effect="fire" x="1" y="2"/></Particles>)");
  content.Set("selector_info.xml",
              R"(<Selectors><Object spr="hut" x="0" y="40" w="1.5"/></Selectors>)");
  content.Set("briefing_info.xml", R"(<BriefInfo>
      <Object spr="hut" x="1" y="2" w="3" h="4" subst="hut_brief"/><Object spr="tree"/>
    </BriefInfo>)");
  content.Set("shake_info.xml", R"(<ShakeInfo><Object id="4" shake="150"/></ShakeInfo>)");
  content.Set(
      "dev_records.xml",
      R"(<Records><Record level="103" score="31000"/><Record level="103" score="1"/></Records>)");
  ASSERT_TRUE(Load());

  ASSERT_NE(descriptors.Texture(3), nullptr);
  EXPECT_EQ(descriptors.Texture(3)->tex, "berries");
  EXPECT_EQ(descriptors.Texture(4), nullptr);
  EXPECT_EQ(textures.icons,
            (std::vector<std::pair<int, std::string>>{{1, "icon_food"}, {2, "icon_wood"}}));
  ASSERT_NE(descriptors.DialogPictureName(2), nullptr);
  EXPECT_EQ(*descriptors.DialogPictureName(2), "chief");
  EXPECT_EQ(descriptors.DialogPictureName(1), nullptr);
  ASSERT_NE(descriptors.Sound(1), nullptr);
  EXPECT_EQ(descriptors.Sound(1)->loop, SoundRef::kOnFrame);
  EXPECT_EQ(descriptors.Sound(1)->frame, 3);
  EXPECT_EQ(descriptors.Sound(3), nullptr);
  ASSERT_NE(descriptors.ObjectParticles("hut"), nullptr);
  EXPECT_EQ(descriptors.ObjectParticles("hut")->par, "smoke");
  EXPECT_FLOAT_EQ(descriptors.ObjectParticles("hut")->x, 4.5f);
  EXPECT_EQ(descriptors.ObjectParticles("tree"), nullptr);
  ASSERT_NE(descriptors.EffectParticles(7), nullptr);
  EXPECT_EQ(descriptors.EffectParticles(7)->effect, "fire");
  ASSERT_NE(descriptors.Selector("hut"), nullptr);
  EXPECT_FLOAT_EQ(descriptors.Selector("hut")->w, 1.5f);
  ASSERT_NE(descriptors.Briefing("hut"), nullptr);
  EXPECT_FLOAT_EQ(descriptors.Briefing("hut")->h, 4.0f);
  EXPECT_EQ(descriptors.BriefingSubstitute("hut"), "hut_brief");
  EXPECT_EQ(descriptors.BriefingSubstitute("tree"), "");
  EXPECT_EQ(descriptors.BriefingSubstitute("none"), "");
  EXPECT_FLOAT_EQ(descriptors.Shake(4), 1.5f);
  EXPECT_EQ(descriptors.Shake(5), 0.0f);
  EXPECT_EQ(descriptors.DevRecord(1, 3), 31000);
  EXPECT_EQ(descriptors.DevRecord(2, 7), 25000);
  EXPECT_EQ(descriptors.DevRecord(2000000000, 7), 25000);
}

TEST_F(GameDescriptorsTest, ALandsDressSharesWhatThePictureItDressesCarries) {
  content.Set("anim_params.xml", R"(<DescTable>
      <Anim name="gate" l="8" x="4" y="2" t="90" w="112" h="96"/>
      <Anim name="coast_gate_a" l="4" x="2" y="2" t="50"/>
    </DescTable>)");
  content.Set("objects_particles.xml",
              R"(<Particles><Object spr="hut" par="smoke" x="4.5" y="-20"/>
                 <Object spr="north_hut" par="steam"/></Particles>)");
  content.Set("selector_info.xml",
              R"(<Selectors><Object spr="hut" x="0" y="40" w="1.5"/></Selectors>)");
  content.Set("briefing_info.xml",
              R"(<BriefInfo><Object spr="site" w="96" h="80" subst="site_brief"/></BriefInfo>)");
  content.Set("land_dress.xml", R"(<LandDress>
      <Dress tex="coast_hut" of="hut"/><Dress tex="north_hut" of="hut"/>
      <Dress tex="coast_gate" of="gate"/><Dress tex="coast_gate_a" of="gate_a"/>
      <Dress tex="coast_site" of="site"/><Dress tex="coast_field" of="field"/>
      <Dress tex="north_field" of="field"/>
      <Dress tex="shut" of="hut"/><Dress tex="desert_barn" of="farm"/><Dress tex="barn" of=""/>
      <Dress tex="coast_coast_hut" of="coast_hut"/><Dress tex="north_coast_hut" of="coast_hut"/>
    </LandDress>)");
  ASSERT_TRUE(Load());

  // Animations, particles, selectors and briefings are found under the meadow's name ...
  ASSERT_NE(descriptors.TextureAnimation("coast_gate"), nullptr);
  EXPECT_EQ(descriptors.TextureAnimation("coast_gate")->name, "gate");
  ASSERT_NE(descriptors.ObjectParticles("coast_hut"), nullptr);
  EXPECT_EQ(descriptors.ObjectParticles("coast_hut")->par, "smoke");
  ASSERT_NE(descriptors.Selector("coast_hut"), nullptr);
  EXPECT_FLOAT_EQ(descriptors.Selector("coast_hut")->w, 1.5f);
  EXPECT_EQ(descriptors.BriefingSubstitute("coast_site"), "site_brief");
  // ... unless the table names the dress itself.
  EXPECT_EQ(descriptors.ObjectParticles("north_hut")->par, "steam");
  EXPECT_EQ(descriptors.TextureAnimation("coast_gate_a")->l, 4);
  // Nothing is found for a name that dresses nothing.
  EXPECT_EQ(descriptors.Selector("desert_hut"), nullptr);
  EXPECT_EQ(descriptors.TextureAnimation("gate_a"), nullptr);

  // Rows that are not PREFIX_NAME of what they dress, or dress a dress, are left out.
  EXPECT_EQ(descriptors.Undressed("coast_hut"), "hut");
  EXPECT_EQ(descriptors.Undressed("hut"), "hut");
  EXPECT_EQ(descriptors.Undressed("shut"), "shut");
  EXPECT_EQ(descriptors.Undressed("desert_barn"), "desert_barn");
  EXPECT_EQ(descriptors.Undressed("barn"), "barn");
  EXPECT_EQ(descriptors.Undressed("coast_coast_hut"), "coast_coast_hut");
  EXPECT_EQ(descriptors.Dresses().size(), 7u);

  // A product wears the dress of its building's land, when that land has one.
  EXPECT_EQ(descriptors.DressedLike("field", "coast_hut"), "coast_field");
  EXPECT_EQ(descriptors.DressedLike("field", "north_hut"), "north_field");
  EXPECT_EQ(descriptors.DressedLike("field", "hut"), "field");
  EXPECT_EQ(descriptors.DressedLike("gate", "north_hut"), "gate");
  EXPECT_EQ(descriptors.DressedLike("plank", "coast_hut"), "plank");
}

TEST_F(GameDescriptorsTest, SymbolsBeyondThirtyOneAreKeptButNotRegistered) {
  std::string symbols = "<SymbolTable>";
  for (int i = 1; i <= 40; ++i) symbols += "<Symbol name=\"s" + std::to_string(i) + "\"/>";
  content.Set("symbols.xml", symbols + "</SymbolTable>");
  ASSERT_TRUE(Load());
  EXPECT_EQ(descriptors.Symbols().size(), 40u);
  ASSERT_EQ(textures.icons.size(), 31u);
  EXPECT_EQ(textures.icons.back(), (std::pair<int, std::string>{31, "s31"}));
}

TEST_F(GameDescriptorsTest, BonusesStartFromTheirDefaultsAndIgnoreUnknownIds) {
  content.Set("bonus_params.xml", R"(<BonusDesc>
      <Bonus id="1" pic="bonus_speed" sound="bonus_go" desc="hint_bonus_1" time="30" level="2" value="3.5"/>
      <Bonus id="6" pic="seventh"/><Bonus id="-1" pic="negative"/>
    </BonusDesc>)");
  ASSERT_TRUE(Load());
  const float defaults[6] = {10, 2, 1, 1, 2, 0};
  for (int id = 0; id < 6; ++id) {
    const BonusInfo* b = descriptors.Bonus(id);
    ASSERT_NE(b, nullptr);
    if (id == 1) continue;
    EXPECT_EQ(b->time, 10) << id;
    EXPECT_EQ(b->level, 0) << id;
    EXPECT_FLOAT_EQ(b->value, defaults[id]) << id;
    EXPECT_EQ(b->pic, "") << id;
  }
  const BonusInfo* speed = descriptors.Bonus(1);
  EXPECT_EQ(speed->pic, "bonus_speed");
  EXPECT_EQ(speed->sound, "bonus_go");
  EXPECT_EQ(speed->desc, u"hint_bonus_1");
  EXPECT_EQ(speed->time, 30);
  EXPECT_EQ(speed->level, 2);
  EXPECT_FLOAT_EQ(speed->value, 3.5f);
  EXPECT_EQ(descriptors.Bonus(6), nullptr);
  EXPECT_EQ(descriptors.Bonus(-1), nullptr);
}

TEST_F(GameDescriptorsTest, IndicatorSpritesGoToTheirSlotsInTestOrder) {
  content.Set("helpers_desc.xml", R"(<Helpers>
      <Helper id="respawn_sec" tex="clock_b"/>
      <Helper id="respawn" tex="clock_a" x="4" y="2" time="50" w="20" h="30" scale="1"/>
      <Helper id="queue_mark" tex="queue" spr="0" speed="250"/>
      <Helper id="selector" tex="sel_default"/>
      <Helper id="selector_bld" tex="sel_bld"/>
      <Helper id="selector_kal_bld" tex="sel_kal_bld"/>
      <Helper id="selector_meg" tex="sel_meg"/>
      <Helper id="selector_cyc" tex="sel_cyc" x="0" y="-3"/>
      <Helper id="objective" tex="obj_mark"/>
      <Helper id="something" tex="discarded"/>
    </Helpers>)");
  ASSERT_TRUE(Load());
  const IndicatorSprites& ind = descriptors.Indicators();
  ASSERT_TRUE(ind.respawnLinked && ind.respawn && ind.queue && ind.defaultSelector &&
              ind.objective);
  EXPECT_EQ(ind.respawnLinked->texture, "clock_b");
  // Defaults: a 3 x 3 sheet at 100 ms per frame, 64 x 64.
  ASSERT_TRUE(ind.respawnLinked->sprite);
  EXPECT_EQ(ind.respawnLinked->sprite->columns, 3);
  EXPECT_EQ(ind.respawnLinked->sprite->Frames(), 9);
  EXPECT_EQ(ind.respawnLinked->sprite->frameTime, 100);
  EXPECT_EQ(ind.respawnLinked->size, (Vec2{64, 64}));
  EXPECT_TRUE(ind.respawnLinked->Has(ObjectFlags::kSprite));
  EXPECT_FALSE(ind.respawnLinked->Has(ObjectFlags::kNeedsQuest));

  EXPECT_EQ(ind.respawn->sprite->frameCount, 8);
  EXPECT_EQ(ind.respawn->sprite->frameTime, 50);
  EXPECT_EQ(ind.respawn->size, (Vec2{20, 30}));
  EXPECT_TRUE(ind.respawn->Has(ObjectFlags::kNeedsQuest));  // scaled with the view

  EXPECT_FALSE(ind.queue->sprite);
  EXPECT_FALSE(ind.queue->Has(ObjectFlags::kSprite));
  EXPECT_EQ(ind.queue->animPause[0], 250);

  EXPECT_EQ(ind.defaultSelector->texture, "sel_default");
  // "_bld" is tested before "_kal", so the later "selector_kal_bld" takes slot 0 again.
  ASSERT_TRUE(ind.selectors[0]);
  EXPECT_EQ(ind.selectors[0]->texture, "sel_kal_bld");
  EXPECT_FALSE(ind.selectors[1]);
  ASSERT_TRUE(ind.selectors[8]);
  EXPECT_EQ(ind.selectors[8]->texture, "sel_meg");
  // A zero-column sheet counts as one column.
  ASSERT_TRUE(ind.selectors[5]);
  EXPECT_EQ(ind.selectors[5]->sprite->Frames(), 1);
  EXPECT_EQ(ind.objective->texture, "obj_mark");
  // Selector lookup by slot, with the default for empty and unknown slots.
  EXPECT_EQ(ind.SelectorFor(8)->texture, "sel_meg");
  EXPECT_EQ(ind.SelectorFor(1)->texture, "sel_default");
  EXPECT_EQ(ind.SelectorFor(42)->texture, "sel_default");
  EXPECT_EQ(ind.SelectorFor(-1)->texture, "sel_default");
}

TEST_F(GameDescriptorsTest, RequiredFilesFailTheLoadAndKeepWhatWasRead) {
  {
    GameDescriptors d;
    ContentFolder c;
    c.Remove("objects_names.xml");
    EXPECT_FALSE(c.Load(d, textures));
  }
  {
    GameDescriptors d;
    ContentFolder c;
    c.Set("objects_params.xml", "<Objects><Object id=\"1\"/></Objects>");
    EXPECT_FALSE(c.Load(d, textures));
    EXPECT_TRUE(d.Obstacles().empty());
  }
  {
    // Read before the failure: objects and textures stay; the animations are not read.
    GameDescriptors d;
    ContentFolder c;
    c.Set("objects_params.xml", "<DescTable><Object id=\"1\"/></DescTable>");
    c.Set("obj_textures.xml", "<Objects><Object id=\"1\" tex=\"t\"/></Objects>");
    c.Remove("anim_params.xml");
    EXPECT_FALSE(c.Load(d, textures));
    EXPECT_NE(d.Obstacle(1), nullptr);
    EXPECT_NE(d.Texture(1), nullptr);
  }
  {
    GameDescriptors d;
    ContentFolder c;
    c.Set("anim_params.xml", "<DescTable><Bird name=\"crow\"/></DescTable>");
    c.Set("sounds_table.xml", "<Sounds/>");
    EXPECT_FALSE(c.Load(d, textures));
    EXPECT_EQ(d.Birds().size(), 1u);
  }
  {
    GameDescriptors d;
    ContentFolder c;
    c.Set("sounds_table.xml", "<SoundsTable><Sound id=\"1\" name=\"x\"/></SoundsTable>");
    c.Set("bonus_params.xml", "not xml at all <");
    c.Set("helpers_desc.xml", "<Helpers><Helper id=\"queue\"/></Helpers>");
    EXPECT_FALSE(c.Load(d, textures));
    EXPECT_NE(d.Sound(1), nullptr);
    EXPECT_FALSE(d.Indicators().queue);  // read after the failure: not loaded
  }
  {
    // Optional files may be missing or malformed.
    GameDescriptors d;
    ContentFolder c;
    c.Set("obj_textures.xml", "<Wrong/>");
    c.Set("helpers_desc.xml", "<Helpers><Helper");
    EXPECT_TRUE(c.Load(d, textures));
    EXPECT_TRUE(d.Textures().empty());
  }
}

TEST_F(GameDescriptorsTest, ReloadStartsFromEmptyTables) {
  content.Set("objects_params.xml", R"(<DescTable><Object id="1"/></DescTable>)");
  content.Set("bonus_params.xml", R"(<BonusDesc><Bonus id="0" time="99"/></BonusDesc>)");
  ASSERT_TRUE(Load());
  content.Set("objects_params.xml", R"(<DescTable><Object id="2"/></DescTable>)");
  content.Set("bonus_params.xml", R"(<BonusDesc/>)");
  ASSERT_TRUE(Load());
  EXPECT_EQ(descriptors.Obstacle(1), nullptr);
  EXPECT_NE(descriptors.Obstacle(2), nullptr);
  EXPECT_EQ(descriptors.Bonus(0)->time, 10);
}

TEST_F(GameDescriptorsTest, HostileValuesAreBounded) {
  content.Set("objects_params.xml", R"(<DescTable>
      <Object id="1" cost="-5,99999999999,7" income="2147483647" fade="-300" value="2147483647"
              type="5" work="40"/>
    </DescTable>)");
  content.Set("anim_params.xml", R"(<DescTable>
      <Worker wp="0" id="0" name="w" l="-4" x="100000" y="100000" t="-9" w="-3" h="nan"/>
    </DescTable>)");
  content.Set(
      "helpers_desc.xml",
      R"(<Helpers><Helper id="queue" x="2000000000" y="2000000000" w="-1" h="inf"/></Helpers>)");
  ASSERT_TRUE(Load());
  const ObjectDesc* d = descriptors.Obstacle(1);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->cost, (std::array<int, 3>{0, 1000000, 7}));
  EXPECT_EQ(d->income[0], 1000000);
  EXPECT_EQ(d->fade, 0);
  EXPECT_EQ(d->WorkerType(), -1);  // no such worker type
  EXPECT_EQ(d->LodgeType(), -1);
  const WorkerAnim& w = descriptors.WorkerAnimation(0, 0);
  EXPECT_EQ(w.l, 0);
  EXPECT_EQ(w.x, 1024);
  EXPECT_EQ(w.t, 0);
  EXPECT_EQ(w.w, 0.0f);
  EXPECT_EQ(w.h, 0.0f);
  const auto& queue = descriptors.Indicators().queue;
  ASSERT_TRUE(queue && queue->sprite);
  EXPECT_EQ(queue->sprite->Frames(), 1024 * 1024);
  EXPECT_EQ(queue->size, (Vec2{0, 0}));
}

}  // namespace
