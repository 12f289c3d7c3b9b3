// The information text of hovered waypoints, compared as whole strings with their markup.
// Inline symbols show as #N in the headless screen's log: 1 food, 2 wood, 3 gold, 4 worker.
#include "SimTestSupport.h"
#include "data/Utf8.h"
#include "level/ObjectFlags.h"

namespace leveltest {
namespace {

using F = ObjectFlags;

// Obstacles: 50 a rock (work-speed effect, costs 5 wood, yields 2 food), 51 indestructible,
// 52 a field (3 food, 1 gold), 53 a building site. Buildings: 60 a farm (field 52, costs 4 wood),
// 61 a hut (house of 3; its income names no descriptor; costs 2 wood), 62 a store (warehouse),
// 63 a big hut (house of 5), 64 a well without cost. 70 a landmark.
const char* kHintDescriptors = R"(<DescTable>
  <Object id="50" class="0" time="10" type="3" cost="0,5,0" income="2,0,0"/>
  <Object id="51" class="0" time="-1"/>
  <Object id="52" class="0" time="5" income="3,0,1"/>
  <Object id="53" class="0" time="10" cost="1,0,0"/>
  <Object id="60" class="1" time="10" cost="0,4,0" income="52,0,0"/>
  <Object id="61" class="1" time="10" type="2" value="3" cost="0,2,0" income="99,0,0"/>
  <Object id="62" class="1" type="1" value="10"/>
  <Object id="63" class="1" type="2" value="5"/>
  <Object id="64" class="1" time="10"/>
  <Object id="70" class="2"/>
</DescTable>)";

std::string Names(const std::string& boulder = "Boulder") {
  return R"(<StringTable>
  <String name="obj_name_050" value="Rock"/><String name="obj_name_051" value=")" +
         boulder + R"("/>
  <String name="obj_name_053" value="Stump"/><String name="obj_name_060" value="Farm"/>
  <String name="obj_name_061" value="Hut"/><String name="obj_name_062" value="Store"/>
  <String name="obj_name_063" value="Big hut"/><String name="obj_name_064" value="Well"/>
  <String name="obj_desc_064" value="Water for all"/><String name="obj_name_070" value="Tower"/>
  <String name="you_need" value="Need"/><String name="res_needed" value="Missing"/>
  <String name="income" value="Gives"/><String name="willbe" value="Will be"/>
  <String name="indestructible" value="Solid"/><String name="processing" value="Working"/>
  <String name="path_blocked" value="Blocked"/><String name="objective" value="Goal %s %n"/>
  <String name="increase_work_speed" value="Faster work"/><String name="max_stack" value="Holds"/>
  <String name="income_per" value="Yields"/><String name="upgrade" value="Upgrade"/>
  <String name="build" value="Build"/><String name="now_building" value="Building"/>
  <String name="workers_scared" value="Scared"/>
</StringTable>)";
}

struct HintSim : Sim {
  explicit HintSim(const std::string& names = Names())
      : Sim(kSimAnims, "", names, kHintDescriptors) {}
  // Hovers waypoint id; the text shown (inline symbols as #N), or "hide".
  std::string Hint(int id) {
    game->UpdateHint(id ? &Get(id) : nullptr);
    const std::string line = screen.log.empty() ? "" : screen.log.back();
    return line.substr(0, 5) == "info " ? line.substr(5) : "(none)";
  }
};

// A building at waypoint 6 (subclass sub) whose link is a scaffold that puts up building 32.
std::string BuildingAt6(int sub, const std::string& flags = "", int upgradeSub = 63) {
  return R"(<object id="6" tex="wp" class="3" pos="450,-150" size="10,10" links="4,0,0"
        obj_link="30"/>
    <object id="30" tex="b" class="2" subclass=")" +
         std::to_string(sub) + "\" flags=\"" + flags + R"(" pos="600,-200" size="30,20"
        obj_link="31"/>
    <object id="31" tex="scaffold" class="0" flags="i" pos="600,-200" obj_link="32"/>
    <object id="32" tex="b2" class="2" subclass=")" +
         std::to_string(upgradeSub) + R"(" flags="i" pos="600,-200"/>)";
}

TEST(HintTest, ObstacleCostsIncomeBonusAndShortage) {
  HintSim s;
  s.Begin(Road(50, "", R"(resources="0,3,0")"));
  EXPECT_EQ(s.Hint(5), "^s^9Rock\\^7Faster work\\Need: ^65 #2\\^6Missing: 2 #2\\Gives: ^72 #1");
  EXPECT_EQ(s.game->hovered, 5);
  const std::array<float, 4> rect{590, -10, 610, 10};
  EXPECT_EQ(s.screen.infoRect, rect);
  s.game->incomeBonus = 1;
  s.level->resources[1] = 5;
  EXPECT_EQ(s.Hint(5), "^s^9Rock\\^7Faster work\\Need: ^05 #2\\Gives: ^73 #1");
  // In process: no costs, nothing to click.
  s.Get(20).flags |= F::kInProcess;
  EXPECT_EQ(s.Hint(5), "^s^9Rock\\^7Faster work\\^8Working\\Gives: ^73 #1");
  EXPECT_EQ(s.game->hovered, 0);
  // Nothing hovered, the level ended: hidden.
  EXPECT_EQ(s.Hint(0), "hide");
  s.game->endTimer = 0;
  s.Hint(5);
  EXPECT_EQ(s.screen.log.back(), "info hide");
}

TEST(HintTest, IndestructibleBlockedAndObjectiveThroughTheLinksLink) {
  const std::string longName(3000, 'x');
  HintSim s(Names(longName));
  s.Begin(Road(51, R"(<object id="21" tex="s" class="0" obj_link="22"/>
                      <object id="22" tex="s" class="0" flags="o"/>)",
               "", R"(obj_link="21")"));
  s.Get(20).flags &= ~(F::kReachable | F::kReachableOrdinary);
  EXPECT_EQ(s.Hint(5), "^s^8Goal %s %n:\\^s^9" + longName + "\\Solid\\^6Blocked");
  // Two overlapping waypoints: the later one in the object list is hovered.
  s.level->ReadLevel(Road(51, R"(<object id="7" tex="wp" class="3" pos="600,0" size="10,10"
                                  links="4,0,0" obj_link="20"/>)"));
  s.game->Begin();
  EXPECT_EQ(s.game->PickHovered(Vec2{600, 0}), &s.Get(7));
}

TEST(HintTest, SiteShowsTheFutureProductionAndFlyersScareEveryone) {
  HintSim s;
  s.Begin(Road(53, R"(<object id="21" tex="farm" class="2" subclass="60" flags="i"/>)",
               R"(resources="1,0,0")", R"(obj_link="21")"));
  EXPECT_EQ(s.Hint(5), "^s^9Stump\\Need: ^01 #1\\Will be: ^73#11#3");
  s.level->flyer = &s.Get(2);
  EXPECT_EQ(s.Hint(5), "Scared");
  s.level->flyer = nullptr;
}

TEST(HintTest, BuildingUpgradeBuildAndWithoutUpgrade) {
  HintSim s;
  s.Begin(Road(50, BuildingAt6(61) + R"(
    <object id="8" tex="wp" class="3" pos="750,0" size="10,10" links="5,0,0" obj_link="40"/>
    <object id="40" tex="store" class="2" subclass="62" flags="o"/>
    <object id="9" tex="wp" class="3" pos="750,150" size="10,10" links="8,0,0" obj_link="41"/>
    <object id="41" tex="tower" class="7" subclass="70"/>)",
               R"(resources="0,3,0")"));
  // Subclass 61: "upgrade"; the hut's income names nothing, so its workers are shown.
  EXPECT_EQ(s.Hint(6), "^s^9Hut\\^73 #4\\Upgrade: ^02 #2\\Will be: ^7 5 #4");
  EXPECT_EQ(s.game->hovered, 6);
  const std::array<float, 4> rect{570, -220, 630, -180};
  EXPECT_EQ(s.screen.infoRect, rect);
  // Without an upgrade: name and storage, but nothing to click.
  EXPECT_EQ(s.Hint(8), "^s^4Goal %s %n:\\^s^9Store\\^7Holds: 20");
  EXPECT_EQ(s.game->hovered, 0);
  EXPECT_EQ(s.Hint(9), "^s^9Tower");
  EXPECT_EQ(s.game->hovered, 0);

  HintSim farm;
  farm.Begin(Road(50, BuildingAt6(60), R"(resources="0,3,0")"));
  EXPECT_EQ(farm.Hint(6),
            "^s^9Farm\\Yields: ^73#11#3\\Build: ^64 #2\\^6Missing: 1 #2\\Will be: ^7 5 #4");
  farm.Get(30).flags &= ~(F::kReachable | F::kReachableOrdinary);
  EXPECT_EQ(farm.Hint(6),
            "^s^9Farm\\Yields: ^73#11#3\\Build: ^64 #2\\^6Missing: 1 #2\\Will be: "
            "^7 5 #4\\^6Blocked");
  farm.Get(30).flags |= F::kInProcess;
  EXPECT_EQ(farm.Hint(6), "Building\\Big hut...");
  EXPECT_EQ(farm.game->hovered, 0);

  HintSim well;
  well.Begin(Road(50, BuildingAt6(64, "c")));
  EXPECT_EQ(well.Hint(6), "^s^9Well\\Water for all");
}

TEST(HintTest, RebuiltAfterWorkAndSilentOutsideOrdinaryLevels) {
  HintSim s;
  s.Begin(Road(52));
  s.Hint(5);
  const size_t shown = s.screen.Lines("info").size();
  s.game->Click(&s.Get(5));
  s.RunUntil([&] { return s.screen.Lines("info").size() > shown; }, 3000);
  EXPECT_GT(s.screen.Lines("info").size(), shown);

  HintSim still;
  still.Begin(Road(50));
  still.level->mode = LevelMode::Still;
  EXPECT_EQ(still.Hint(20), "(none)");
  EXPECT_EQ(still.game->hovered, 20);

  // No words at all: every entry is an empty piece, names included.
  HintSim bare("<StringTable/>");
  bare.Begin(Road(50, "", R"(resources="0,3,0")"));
  EXPECT_EQ(bare.Hint(5), "^s^9\\^7\\: ^65 #2\\^6: 2 #2\\: ^72 #1");
}

}  // namespace
}  // namespace leveltest
