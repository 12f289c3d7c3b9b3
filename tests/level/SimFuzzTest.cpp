// Hostile levels and damaged saves run through the controller with random clicks: nothing
// crashes or hangs, the roster and the queue stay within their bounds, and workers with
// routes that name nothing go home.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "SimTestSupport.h"
#include "base/Random.h"

using namespace leveltest;
using F = ObjectFlags;

namespace {

// A random level: a tree of waypoints grown from a camp, most carrying an object to work,
// and mutations on top: random base lists, links to anything (themselves included),
// descriptors that name no worker type, stray flags and link chains that may loop.
std::string RandomLevel(std::mt19937& rng) {
  const auto pick = [&](int n) { return int(rng() % uint32_t(n)); };
  const auto chance = [&](int percent) { return pick(100) < percent; };
  const int subclasses[] = {0, 1, 2, 3, 11, 13, 14, 200};
  const int good[] = {10, 11, 12, 14, 15, 16, 40};
  const int hostile[] = {13, 17, 41, 42, 99};
  const char* flags[] = {"g", "c", "cg", "i", "j", "n", "k", "o", "r", "cgr", "q", "w", "d", "E"};
  const auto n = [](int v) { return std::to_string(v); };
  std::string text = "<level run_speed=\"" + n(10 + pick(30)) + "\" workers_free=\"" +
                     n(pick(10) - 3) + "\" worker_types=\"" + n(chance(70) ? 1 : pick(600)) +
                     "\" resources=\"" + n(pick(20)) + "," + n(pick(20)) +
                     ",5\" quest_res=\"0,0,999999\" thief_per=\"" + n(pick(3) * 700) +
                     "\" fly_time=\"" + n(pick(3)) + "\" fly_type=\"" + n(pick(5) - 1) +
                     "\" storage=\"" + n(pick(30)) + "\">\n";
  for (int id = 1; id <= 20; ++id) {
    const int sub = id == 1 ? (chance(90) ? 1 : 0) : (chance(85) ? 0 : subclasses[pick(8)]);
    const int link = id == 1 ? 0 : chance(85) ? 1 + pick(id - 1) : pick(45);
    const int object = id == 1 ? 0 : chance(60) ? 20 + id : chance(50) ? 0 : pick(45);
    text += "<object id=\"" + n(id) + "\" tex=\"wp\" class=\"3\" subclass=\"" + n(sub) +
            "\" pos=\"" + n(pick(800) - 100) + "," + n(pick(400) - 200) + "\" flags=\"" +
            (chance(5) ? "d" : "") + "\" size=\"12,12\" links=\"" + n(link) + "," +
            n(chance(10) ? pick(45) : 0) + ",0\" obj_link=\"" + n(object) + "\" respawn=\"" +
            n(chance(20) ? pick(45) : 0) + "\"/>\n";
  }
  for (int id = 22; id <= 40; ++id) {
    const bool bad = chance(15);
    const int cls = bad ? pick(12) : 1;
    const int desc = bad ? hostile[pick(5)] : good[pick(7)];
    text += "<object id=\"" + n(id) + "\" tex=\"obj\" class=\"" + n(desc == 40 ? 2 : cls) +
            "\" subclass=\"" + n(desc) + "\" flags=\"" + (chance(15) ? flags[pick(14)] : "") +
            "\" pos=\"" + n(pick(800) - 100) + "," + n(pick(400) - 200) + "\" obj_link=\"" +
            n(chance(15) ? 1 + pick(45) : 0) + "\" respawn=\"" + n(pick(3)) + "," + n(pick(3)) +
            "\"/>\n";
  }
  return text + "</level>";
}

void CheckBounds(Sim& s) {
  ASSERT_GE(s.level->activeWorkers, 0);
  ASSERT_LE(s.level->activeWorkers, 8);
  ASSERT_LE(s.level->commandQueue.size(), 3u);
  for (const auto& w : s.level->workers) {
    if (!w->worker) continue;
    for (const int n : w->worker->path) {
      ASSERT_GE(n, 0);
      ASSERT_LT(size_t(n), s.level->waypoints.size());
    }
  }
}

// Ten thousand frames with a click in every few: on points of the map through the pointer
// rules, or straight on any object.
void ClickAround(Sim& s, std::mt19937& rng, int frames) {
  for (int frame = 0; frame < frames; ++frame) {
    const uint32_t r = rng() % 16;
    if (r < 3) {
      const Vec2 at{float(int(rng() % 900) - 150), float(int(rng() % 500) - 250)};
      WorldObject* p = s.game->PickHovered(at);
      s.game->UpdateHint(p);
      s.game->Click(p);
    } else if (r == 3 && !s.level->objects.empty()) {
      WorldObject* o = s.level->objects[rng() % s.level->objects.size()].get();
      s.game->UpdateHint(o);
      s.game->Click(o);
    } else if (r == 4 && frame % 97 == 0) {
      s.game->extraWorkerEnded = !s.game->extraWorkerEnded;
      s.game->speedBonus = !s.game->speedBonus;
    } else if (r == 5 && frame % 13 == 0) {
      const int id = int(rng() % 8) - 1;
      if (rng() % 2) {
        s.game->BonusStart(id);
      } else {
        s.game->BonusEnd(id);
      }
    } else if (r == 6 && s.game->hazards.Bird(0)) {
      s.game->Click(s.game->hazards.Bird(0));
    }
    if (frame == frames - 2000) s.game->endTimer = 0;  // the level ends: exit walk
    if (s.game->Ended()) s.game->walker.ExitWalk();
    s.game->Frame(float(1 + rng() % 40));
    if (frame % 500 == 0) {
      CheckBounds(s);
      if (testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(SimFuzzTest, RandomLevelsAndTenThousandFramesOfClicks) {
  std::mt19937 rng(2024);
  SeedRandom(5);
  int sent = 0, hunted = 0;
  // Birds (one with frame time 0) and flying creatures, so that hazards run too.
  std::string anims = leveltest::kSimAnims;
  anims.insert(anims.rfind("</DescTable>"),
               R"(<Bird name="b" l="4" x="2" y="2" t="0"/><Bird name="c" l="2" x="2" y="1" t="50"/>
                  <Flying name="f" l="4" x="4" y="2" t="60" health="2" speed="30"/>
                  <Flying name="g" l="0" x="0" y="0" t="0" health="0" speed="-5" flags="1"/>)");
  for (int round = 0; round < 12; ++round) {
    Sim s(anims);
    const std::string text = RandomLevel(rng);
    ASSERT_TRUE(s.level->ReadLevel(text)) << s.level->readError;
    s.game->Begin();

    ClickAround(s, rng, 10000);
    sent += int(s.screen.Lines("cmd_ok").size());
    hunted += s.level->birdsHunted;
    CheckBounds(s);
    if (HasFatalFailure()) {
      ADD_FAILURE() << text;
      return;
    }
  }
  // The random levels are not all refusals: workers went out, birds were caught.
  EXPECT_GT(sent, 10);
  EXPECT_GT(hunted, 0);
}

TEST(SimFuzzTest, HostileSettingsAndLevelsWithoutCampOrExits) {
  std::mt19937 rng(7);
  // No camp at all: no workers, every click refused.
  Sim a;
  a.Begin(R"(<level><object id="5" tex="wp" class="3" subclass="2" obj_link="20"/>
             <object id="20" tex="tree" class="1" subclass="10"/></level>)");
  EXPECT_TRUE(a.level->workers.empty());
  a.Click(5);
  EXPECT_FALSE(a.Get(20).Has(F::kInProcess));
  ClickAround(a, rng, 2000);
  // A house worth far more than eight workers.
  Sim b;
  b.Begin(Road(10, R"(<object id="50" tex="house" class="2" subclass="41"/>)",
               R"(workers_free="100")"));
  EXPECT_EQ(b.level->activeWorkers, 8);
  ClickAround(b, rng, 2000);
  // A target deleted while the worker walks to it: the worker goes home.
  Sim c;
  c.Begin(Road(10));
  c.Click(5);
  c.Run(50);
  c.Get(20).Set(F::kDelete);
  c.RunUntil([&] { return !c.Worker(0).Has(F::kBusy); }, 3000);
  EXPECT_FALSE(c.Worker(0).Has(F::kBusy));
}

TEST(SimFuzzTest, DamagedSavesSendWorkersHome) {
  Sim s;
  s.Begin(Road(10, "", R"(workers_free="1")"));
  s.level->episode = 1;
  s.level->levelNumber = 2;
  s.Click(5);
  s.Run(150);
  const auto saved = s.game->Save();
  ASSERT_TRUE(saved);
  ASSERT_NE(saved->find("work_path"), std::string::npos);

  const auto replace = [](std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, text.find('"', at + from.size()) - at, to);
    return text;
  };
  const std::string damaged[] = {
      replace(*saved, "work_path=\"", "work_path=\"5000,2"),
      replace(*saved, "dest_wp=\"", "dest_wp=\"999"),
      "<level commands=\"20,5,1,2,3\" " + saved->substr(saved->find("<level ") + 7),
  };
  for (const std::string& text : damaged) {
    Sim t;
    ASSERT_TRUE(t.level->ReadLevel(text)) << t.level->readError;
    t.game->Begin();
    EXPECT_LE(t.level->commandQueue.size(), 3u);
    for (const int id : t.level->commandQueue) {
      EXPECT_EQ(t.Get(id).cls, WorldObject::kWaypoint);
    }
    t.RunUntil(
        [&] {
          for (const auto& w : t.level->workers) {
            if (w->Has(F::kBusy)) return false;
          }
          return true;
        },
        5000);
    for (const auto& w : t.level->workers) EXPECT_FALSE(w->Has(F::kBusy));
  }
}

}  // namespace
