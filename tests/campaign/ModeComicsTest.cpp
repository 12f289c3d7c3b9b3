// The comic screen on the recording device with small comics of the test's own, mounted over
// the game's content: layers, tags and the events' animations, voices one after another,
// subtitles, the run forward to `start`, skipping, malformed comics, and where comics lead.
#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/GameKeys.h"
#include "campaign/ModeComics.h"
#include "campaign/ModeMenu.h"
#include "gui/GUIText.h"
#include "level/Level.h"
#include "level/WorldObject.h"

#include "level_screen/ModeGameFixture.h"

namespace {

namespace fs = std::filesystem;

class ModeComicsTest : public ScreenAppTest {
 protected:
  void SetUp() override {
    ScreenAppTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGameModes(*app);
    app->files()->Mount(comics.Path());
    // Pictures of the test comics, made in memory: 64 × 32, 40 × 80, 20 × 20.
    MakeTexture("tc_sky", 64, 32);
    MakeTexture("tc_hero", 40, 80);
    MakeTexture("tc_friend", 20, 20);
  }
  void TearDown() override {
    if (app) comicsMode().startOverride = -1.0;
    ScreenAppTest::TearDown();
  }

  void MakeTexture(const char* name, int w, int h) {
    std::vector<uint8_t> pixels(size_t(w * h * 4), 0xFF);
    ASSERT_NE(app->textures()->CreateFromPixels(name, w, h, PixelFormat::RGBA8, 0, pixels.data()),
              nullptr);
  }
  // Writes com_N_desc.xml into the mounted folder; the file system learns of it by mounting
  // the folder again.
  void WriteComic(int number, const std::string& body) {
    std::ofstream(fs::path(comics.Path()) / ("com_" + std::to_string(number) + "_desc.xml")) << body;
    app->files()->Mount(comics.Path());
  }
  // An effect of the game's content copied in as a voice line (file name with ".ogg").
  void WriteVoice(const std::string& file) {
    fs::copy_file(fs::path("content/sounds/puzzle_complete.ogg"), fs::path(comics.Path()) / file,
                  fs::copy_options::overwrite_existing);
    app->files()->Mount(comics.Path());
  }
  static ModeComics& comicsMode() { return TheModeComics(); }
  // Shows comic `number` from the map, as a marker does, and waits for the fade-in.
  void Show(int number, const ModeRequest& then = ShowScreen(ModeId::Map)) {
    Mode* mode = app->Accept(ShowComic(number, then));
    ASSERT_EQ(mode, &comicsMode());
    app->SetMode(mode, false);
    // Shown again over itself, the switch happens in the next frame.
    if (app->current != mode || app->pending) Frames(1);
    ASSERT_EQ(app->current, mode);
    FadeIn();
  }
  void FadeIn() {
    for (int i = 0; i < 100 && app->fadeState != Fade::None; ++i) Frames(1);
    ASSERT_EQ(app->fadeState, Fade::None);
  }
  // Runs until the current screen is another one (at most `limit` frames).
  void RunUntilLeft(const Mode* mode, int limit = 400) {
    for (int i = 0; i < limit && app->current == mode; ++i) Frames(1);
  }
  // The page's top left corner, where layer positions are measured from.
  GuiPoint Origin() {
    const GUIControl* page = comicsMode().controls.Find(ModeComics::kPageCorner);
    if (!page) return {0, 0};
    return {std::min(page->rect.x0, page->rect.x1), std::max(page->rect.y0, page->rect.y1)};
  }
  GUIControl& LayerOf(const char* tex) {
    GUIControl* pic = comicsMode().Layer(tex);
    EXPECT_NE(pic, nullptr) << tex;
    static GUIControl none;
    return pic ? *pic : none;
  }
  static ALint State(SoundSystem::Handle source) {
    ALint state = 0;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
  }
  std::u16string Caption() {
    auto* text = dynamic_cast<GUIText*>(comicsMode().overlay.Find(ModeComics::kCaption));
    return text ? text->Text() : u"(no caption)";
  }

  TempDir comics;
};

constexpr const char* kTagged = R"(<ComicsDesc>
  <Layer tex="tc_sky" pos="0,40"/>
  <Layer tex="tc_hero" pos="100 120" alpha="0.5" scale="50"/>
  <Layer tex="tc_friend" pos="300,60"/>
  <Tag name="walkers"><Layer tex="tc_sky"/><Layer tex="tc_hero"/></Tag>
  <Event layer="walkers" type="pos" pos="80,20" time="0" duration="1000"/>
  <Event layer="tc_friend" type="scale" scale="200" time="0" duration="1000" ease="sqr"/>
  <Event layer="tc_hero" type="alpha" alpha="1" time="1000" duration="500"/>
  <Event type="shake" scale="200" time="2500" duration="300"/>
</ComicsDesc>)";

TEST_F(ModeComicsTest, LayersSitOnThePageAndATagMovesItsLayersTogether) {
  WriteComic(91, kTagged);
  Show(91);
  ModeComics& c = comicsMode();
  ASSERT_EQ(c.pictures.Size(), 3u);
  const GuiPoint o = Origin();
  // The lower left corner lies pos units right of and below the page's corner; a picture has
  // its texture's size, alpha and scale as written.
  const Rect sky = LayerOf("tc_sky").rect;
  EXPECT_FLOAT_EQ(sky.x0, o.x);
  EXPECT_FLOAT_EQ(sky.y0, o.y - 40 + 32);
  EXPECT_FLOAT_EQ(sky.x1 - sky.x0, 64);
  EXPECT_FLOAT_EQ(sky.y0 - sky.y1, 32);
  const Rect hero = LayerOf("tc_hero").rect;
  EXPECT_FLOAT_EQ(hero.x0, o.x + 100);
  EXPECT_FLOAT_EQ(hero.y1, o.y - 120);
  EXPECT_EQ(LayerOf("tc_hero").Alpha(), 127);
  EXPECT_FLOAT_EQ(LayerOf("tc_hero").scale, 0.5f);

  // Half way through the move both layers of the tag have moved by the same amount.
  Frames(31);
  const float skyDx = LayerOf("tc_sky").rect.x0 - sky.x0;
  const float heroDx = LayerOf("tc_hero").rect.x0 - hero.x0;
  EXPECT_GT(skyDx, 20.0f);
  EXPECT_LT(skyDx, 60.0f);
  EXPECT_FLOAT_EQ(skyDx, heroDx);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.y0 - sky.y0, LayerOf("tc_hero").rect.y0 - hero.y0);
  // The square ease lags behind the linear move.
  const float friendScale = LayerOf("tc_friend").scale;
  EXPECT_GT(friendScale, 1.0f);
  EXPECT_LT(friendScale, 1.0f + skyDx / 80.0f);

  Frames(40);
  // The whole move: right 80 and down 20 (the file counts y downwards).
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, sky.x0 + 80);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.y0, sky.y0 - 20);
  EXPECT_FLOAT_EQ(LayerOf("tc_hero").rect.x0, hero.x0 + 80);
  EXPECT_FLOAT_EQ(LayerOf("tc_friend").rect.x0, o.x + 300) << "not in the tag";
  EXPECT_FLOAT_EQ(LayerOf("tc_friend").scale, 2.0f);
  // The alpha event starts from the picture's own alpha.
  Frames(40);
  EXPECT_EQ(LayerOf("tc_hero").Alpha(), 255);
  EXPECT_EQ(c.ShakeX(), 0.0f);
  EXPECT_LT(c.clock, 2500.0);
  // The shake moves the pictures while it lasts and stops at rest.
  while (c.clock < 2600.0) Frames(1);
  EXPECT_TRUE(c.ShakeX() != 0.0f || c.ShakeY() != 0.0f);
  EXPECT_GT(c.shakeTime, 0.0f);
  Frames(30);
  EXPECT_EQ(c.shakeTime, 0.0f);
  EXPECT_EQ(c.ShakeX(), 0.0f);
  EXPECT_EQ(c.ShakeY(), 0.0f);
  // Without a finish the comic stays.
  Frames(200);
  EXPECT_EQ(app->current, &c);
  EXPECT_EQ(c.requested, nullptr);
}

TEST_F(ModeComicsTest, OfTwoLayersWithOneTextureOnlyTheLaterMoves) {
  WriteComic(89, R"(<ComicsDesc>
    <Layer tex="tc_sky" pos="0,40"/>
    <Layer tex="tc_sky" pos="200,40"/>
    <Event layer="tc_sky" type="pos" pos="30,0" time="0" duration="0"/>
  </ComicsDesc>)");
  Show(89);
  Frames(3);
  ModeComics& c = comicsMode();
  ASSERT_EQ(c.pictures.Size(), 2u);
  const GuiPoint o = Origin();
  EXPECT_FLOAT_EQ(c.pictures.At(0)->rect.x0, o.x);
  EXPECT_FLOAT_EQ(c.pictures.At(1)->rect.x0, o.x + 230);
}

TEST_F(ModeComicsTest, TheSecondVoiceStopsTheFirstAndDeactivationPausesTheLine) {
  WriteVoice("comics_92_1.ogg");
  WriteVoice("comics_92_2.ogg");
  WriteComic(92, R"(<ComicsDesc>
    <Event type="voice" time="100"/>
    <Event type="voice" time="400"/>
    <Event type="voice" time="700"/>
  </ComicsDesc>)");
  Show(92);
  ModeComics& c = comicsMode();
  SoundSystem& sound = *app->sound();
  Frames(10);
  EXPECT_EQ(c.voiceCount, 1);
  EXPECT_EQ(c.voiceName, "comics_92_1");
  EXPECT_TRUE(sound.IsLoaded("comics_92_1")) << "loaded as comics_92_1.ogg";
  const SoundSystem::Handle first = c.voice;
  if (!sound.HasAudio()) GTEST_SKIP() << "no audio device";
  ASSERT_NE(first, SoundSystem::kNoSound);
  EXPECT_EQ(State(first), AL_PLAYING);

  // The window goes inactive: the line pauses, and goes on when it comes back.
  app->SetActive(false);
  EXPECT_EQ(State(first), AL_PAUSED);
  app->SetActive(true);
  EXPECT_EQ(State(first), AL_PLAYING);

  Frames(20);
  EXPECT_EQ(c.voiceCount, 2);
  EXPECT_EQ(c.voiceName, "comics_92_2");
  EXPECT_FALSE(sound.IsLoaded("comics_92_1")) << "the first line is released";
  ASSERT_NE(c.voice, SoundSystem::kNoSound);
  EXPECT_EQ(State(c.voice), AL_PLAYING);
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
  EXPECT_NE(State(first), AL_PLAYING);  // stopped, or deleted with its buffer
  alGetError();

  // A third line without a file plays nothing and leaves nothing playing.
  const SoundSystem::Handle second = c.voice;
  Frames(20);
  EXPECT_EQ(c.voiceCount, 3);
  EXPECT_EQ(c.voice, SoundSystem::kNoSound);
  EXPECT_NE(State(second), AL_PLAYING);
  EXPECT_FALSE(sound.IsLoaded("comics_92_2"));
}

TEST_F(ModeComicsTest, EscapeSkipsAtOnceStoppingTheVoice) {
  WriteVoice("comics_93_1.ogg");
  WriteComic(93, R"(<ComicsDesc><Layer tex="tc_sky"/><Event type="voice" time="0"/>
    <Event type="finish" time="60000"/></ComicsDesc>)");
  Show(93);
  Frames(2);
  ModeComics& c = comicsMode();
  const SoundSystem::Handle voice = c.voice;
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  EXPECT_EQ(c.requested, &TheModeStage());
  EXPECT_EQ(c.voice, SoundSystem::kNoSound);
  if (voice != SoundSystem::kNoSound) {
    EXPECT_NE(State(voice), AL_PLAYING);
  }
  RunUntilLeft(&c, 60);
  EXPECT_EQ(app->current, &TheModeStage());
  // Leaving empties the comic's lists.
  EXPECT_TRUE(c.pictures.Empty());
  EXPECT_TRUE(c.overlay.Empty());
  EXPECT_TRUE(c.controls.Empty());
  EXPECT_TRUE(c.layers.empty());
  EXPECT_TRUE(c.events.empty());
}

TEST_F(ModeComicsTest, TheSkipButtonSkipsToo) {
  WriteComic(94, R"(<ComicsDesc><Event type="finish" time="60000"/></ComicsDesc>)");
  Show(94);
  ModeComics& c = comicsMode();
  GUIControl* skip = c.overlay.Find(ModeComics::kSkip);
  ASSERT_NE(skip, nullptr) << "comics_ovr has the skip button";
  ClickAt(CentreX(skip->rect), CentreY(skip->rect));
  EXPECT_EQ(c.requested, &TheModeStage());
}

TEST_F(ModeComicsTest, AStartOf2000IsReachedInTheFirstFrameAfterTheFadeWithEveryEventOnce) {
  WriteComic(95, R"(<ComicsDesc start="2000">
    <Layer tex="tc_sky"/>
    <Layer tex="tc_hero"/>
    <Layer tex="tc_friend"/>
    <Event layer="tc_sky" type="alpha" alpha="0" time="0" duration="1000"/>
    <Event layer="tc_hero" type="pos" pos="50,0" time="500" duration="1000"/>
    <Event type="text" time="1500"/>
    <Event layer="tc_hero" type="pos" pos="7,0" time="1999" duration="0"/>
    <Event layer="tc_friend" type="pos" pos="30,0" time="2500" duration="0"/>
  </ComicsDesc>)");
  Mode* mode = app->Accept(ShowComic(95, ShowScreen(ModeId::Map)));
  app->SetMode(mode, false);
  if (app->current != mode) Frames(1);
  ModeComics& c = comicsMode();
  ASSERT_EQ(app->current, &c);
  const float heroX = LayerOf("tc_hero").rect.x0;
  const float friendX = LayerOf("tc_friend").rect.x0;
  // The clock stands while the fade runs.
  while (app->fadeState != Fade::None) {
    EXPECT_EQ(c.clock, 0.0);
    EXPECT_EQ(c.textCount, 0);
    Frames(1);
  }
  // The first frame without the fade: at 2 s, every earlier event fired once.
  Frames(1);
  EXPECT_GE(c.clock, 2000.0);
  EXPECT_LT(c.clock, 2000.0 + 17.0);
  EXPECT_EQ(c.textCount, 1);
  EXPECT_EQ(LayerOf("tc_sky").Alpha(), 0);
  EXPECT_FLOAT_EQ(LayerOf("tc_hero").rect.x0, heroX + 57) << "each move once";
  EXPECT_FLOAT_EQ(LayerOf("tc_friend").rect.x0, friendX) << "not due yet";
  Frames(40);
  EXPECT_FLOAT_EQ(LayerOf("tc_friend").rect.x0, friendX + 30);
  EXPECT_FLOAT_EQ(LayerOf("tc_hero").rect.x0, heroX + 57);
}

TEST_F(ModeComicsTest, AnEventAtExactlyThePreviousClockFiresOnce) {
  WriteComic(96, R"(<ComicsDesc><Layer tex="tc_sky"/>
    <Event layer="tc_sky" type="pos" pos="10,0" duration="0" time="48"/></ComicsDesc>)");
  Show(96);
  // Frames of 16 ms: the clock passes 0, 16, 32, 48, 64 ...; 48 ends one step and begins the
  // next, and only the step that begins there fires it.
  const float start = LayerOf("tc_sky").rect.x0;
  for (int i = 0; i < 5 && comicsMode().clock < 48.0; ++i) Frames(1, 16);
  ASSERT_EQ(comicsMode().clock, 48.0);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, start);
  for (int i = 0; i < 10; ++i) Frames(1, 16);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, start + 10) << "fired exactly once";
}

TEST_F(ModeComicsTest, AHugeStartFinishesItsFirstFrameQuickly) {
  WriteComic(97, R"(<ComicsDesc start="1e9">
    <Layer tex="tc_sky"/>
    <Event layer="tc_sky" type="pos" pos="5,0" time="1000" duration="100"/>
    <Event type="text" time="3000"/>
  </ComicsDesc>)");
  Show(97);
  ModeComics& c = comicsMode();
  EXPECT_LE(c.startTime, 3001.0) << "start is kept within the events";
  Frames(1);
  EXPECT_GE(c.clock, 3000.0);
  EXPECT_EQ(c.textCount, 1);

  // Even an event as far out as the start does not make the first frame long.
  WriteComic(98, R"(<ComicsDesc start="1e9">
    <Layer tex="tc_sky"/>
    <Event layer="tc_sky" type="pos" pos="5,0" time="1000" duration="100"/>
    <Event type="text" time="999999999"/>
  </ComicsDesc>)");
  Show(98);
  const auto before = std::chrono::steady_clock::now();
  Frames(1);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
  EXPECT_LT(seconds, 5.0) << "a hang guard, not a measurement";
  EXPECT_GE(c.clock, 999999999.0);
  EXPECT_EQ(c.textCount, 1);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, Origin().x + 5);

  // Nor does the largest number a float holds, where a step of 16 ms no longer moves the
  // clock.
  WriteComic(88, R"(<ComicsDesc start="3e38">
    <Layer tex="tc_sky"/>
    <Event layer="tc_sky" type="pos" pos="5,0" time="1000" duration="100"/>
    <Event type="text" time="3e38"/>
  </ComicsDesc>)");
  Show(88);
  Frames(1);
  EXPECT_EQ(c.textCount, 1);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, Origin().x + 5);
  Frames(2);
  EXPECT_EQ(app->current, &c);
}

TEST_F(ModeComicsTest, MalformedComicsShowWhatTheyCanAndEscapeStillLeaves) {
  const std::vector<std::string> bodies = {
      "",                                  // an empty file
      "<ComicsDesc><Layer tex=\"tc_sky\"",  // cut off
      "<Other><Layer tex=\"tc_sky\"/></Other>",
      R"(<ComicsDesc start="-50" >
        <Layer tex="no_such_picture" pos="1,2"/>
        <Layer/>
        <Layer tex="tc_sky" pos="x,y" alpha="7" scale="nan"/>
        <Tag/>
        <Tag name="ghosts"><Layer tex="no_such_picture"/><Layer/></Tag>
        <Event layer="no_such_picture" type="pos" pos="10,10" time="0"/>
        <Event layer="ghosts" type="alpha" alpha="0" time="0"/>
        <Event layer="nobody" type="scale" scale="50" time="0"/>
        <Event type="dance" time="0"/>
        <Event layer="tc_sky" type="pos" pos="3,0" time="-100"/>
        <Event layer="tc_sky" type="scale" scale="200" time="0" duration="-500" ease="cubic"/>
        <Event layer="tc_sky" type="alpha" alpha="0.5" time="0" duration="0"/>
        <Event type="shake" scale="100" time="0" duration="-10"/>
        <Event type="voice" time="0"/>
        <Event type="text" time="0"/>
        <Event type="text" time="inf"/>
      </ComicsDesc>)"};
  int number = 100;
  for (const std::string& body : bodies) {
    SCOPED_TRACE(number);
    WriteComic(number, body);
    Show(number);
    Frames(20);
    ModeComics& c = comicsMode();
    EXPECT_EQ(app->current, &c);
    EXPECT_EQ(c.Layer("no_such_picture"), nullptr);
    app->OnInput({InputType::KeyDown, kGameKeyEscape});
    EXPECT_EQ(c.requested, &TheModeStage());
    RunUntilLeft(&c, 60);
    EXPECT_EQ(app->current, &TheModeStage());
    ++number;
  }
  // What the last one could show: the one picture with a texture, its changes done at once.
  WriteComic(200, bodies.back());
  Show(200);
  Frames(5);
  ModeComics& c = comicsMode();
  ASSERT_EQ(c.pictures.Size(), 1u);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").scale, 2.0f);
  EXPECT_EQ(LayerOf("tc_sky").Alpha(), 127);
  EXPECT_FLOAT_EQ(LayerOf("tc_sky").rect.x0, Origin().x) << "negative times never come";
  EXPECT_EQ(c.shakeTime, 0.0f);
  EXPECT_EQ(c.voiceCount, 1);
  EXPECT_EQ(c.voice, SoundSystem::kNoSound);
  EXPECT_EQ(c.textCount, 1);

  // A comic number without a file: the page alone, until skipped.
  Show(4321);
  Frames(30);
  EXPECT_EQ(app->current, &c);
  EXPECT_TRUE(c.pictures.Empty());
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  RunUntilLeft(&c, 60);
  EXPECT_EQ(app->current, &TheModeStage());
}

TEST_F(ModeComicsTest, TheSubtitleKeepsItsTextWhenTheStringsAreReloadedMeanwhile) {
  app->strings()->Set(u"comics_subtitle_99_1", u"Over the hills we go");
  app->strings()->Set(u"comics_name_99", u"A test comic");
  WriteComic(99, R"(<ComicsDesc><Event type="text" time="100"/></ComicsDesc>)");
  Show(99);
  EXPECT_EQ(Caption(), u"A test comic") << "the title first";
  Frames(8);
  ASSERT_EQ(comicsMode().textCount, 1);
  // The text waits behind the fade-out; the language changes under it.
  app->strings()->Set(u"comics_subtitle_99_1", u"Über die Hügel");
  app->strings()->Set(u"comics_subtitle_99_1", std::u16string(200, u'x'));
  Frames(40);
  EXPECT_EQ(Caption(), u"Over the hills we go");
  GUIControl* caption = comicsMode().overlay.Find(ModeComics::kCaption);
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->Alpha(), 255);
  EXPECT_FLOAT_EQ(caption->fontSize, app->values()->GetFloat("fs_comics_subtitle", 32.0f));
}

TEST_F(ModeComicsTest, AFinishedComicGoesOnToWhatItsStarterNamed) {
  WriteComic(120, R"(<ComicsDesc><Event type="finish" time="200"/></ComicsDesc>)");
  // The new game's way: the first comic, then level 1:1.
  Show(120, PlayLevel(1, 1));
  RunUntilLeft(&comicsMode());
  ASSERT_EQ(app->current, &TheModeGame());
  EXPECT_EQ(TheModeGame().episode, 1);
  EXPECT_EQ(TheModeGame().levelNumber, 1);
  // The map's way: back to the map.
  Show(120);
  RunUntilLeft(&comicsMode());
  EXPECT_EQ(app->current, &TheModeStage());
  // Entered again without being told, a comic leads to the map.
  EXPECT_EQ(comicsMode().next().mode, ModeId::Map);
}

TEST_F(ModeComicsTest, TheMapsComicMarkerOpensItsComicWhichLeadsBackToTheMap) {
  ModeStage& map = TheModeStage();
  app->SetMode(&map, false);
  if (app->current != &map) Frames(1);
  ASSERT_EQ(app->current, &map);
  FadeIn();
  ASSERT_TRUE(map.HasMapLevel());
  const ModeStage::Marker* comic = nullptr;
  for (const auto& m : map.Markers()) {
    if (m.kind == ModeStage::MarkerKind::Comic && m.second == 1) comic = &m;
  }
  ASSERT_NE(comic, nullptr);
  ASSERT_TRUE(comic->open) << "comic 1 is always open";
  const WorldObject* object = map.MapLevel()->FindObject(comic->objectId);
  ASSERT_NE(object, nullptr);
  // The map opens at the first level; the story begins beside it.
  ASSERT_LT(std::abs(object->position.x + map.scrollX), 640.0f);
  // Two clicks: select, then open.
  for (int i = 0; i < 2; ++i) {
    ClickAt(object->position.x + map.scrollX, object->position.y);
    Frames(1);
  }
  RunUntilLeft(&map, 100);
  ASSERT_EQ(app->current, &comicsMode());
  EXPECT_EQ(comicsMode().comicNumber, 1);
  EXPECT_EQ(comicsMode().next().mode, ModeId::Map);
  EXPECT_GT(comicsMode().pictures.Size(), 5u) << "the demo comic's layers";
  FadeIn();
  app->OnInput({InputType::KeyDown, kGameKeyEscape});
  RunUntilLeft(&comicsMode(), 60);
  EXPECT_EQ(app->current, &map);
}

}  // namespace
