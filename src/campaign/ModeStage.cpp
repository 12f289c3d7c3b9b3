#include "campaign/ModeStage.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "base/DataFiles.h"
#include "campaign/BannerDlg.h"
#include "campaign/OwnLevelList.h"
#include "campaign/OwnLevelsDlg.h"
#include "gui/GUIDialog.h"
#include "gui/GUIMessageBox.h"
#include "gui/GUIText.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/LevelDrawer.h"
#include "level/LevelEffects.h"
#include "level/LevelScreen.h"
#include "level/WorldObject.h"
#include "progress/IntegerFormat.h"

namespace {

constexpr int kLockedAlpha = 127;
constexpr float kBannerDelayMs = 10000;
constexpr int kScoreText = 88;
constexpr int kOwnLevelsDialog = 40;  // no command of the map's
constexpr int kHiddenIds[] = {6, 8, 9, 16, 89, 90, 91};

std::string Key(const char* pattern, int a, int b = 0) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

const std::u16string& Lookup(std::string_view key) {
  static const std::u16string none;
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : none;
}

bool Finished(const Progress& p, int episode, int level) {
  return Progress::HasRecord(episode, level) &&
         (p.Record(episode, level).flags & LevelRecord::kFinished) != 0;
}

int ThreeStarLevels(const Progress& p, int episode) {
  if (!Progress::HasRecord(episode, 1)) return 0;
  int count = 0;
  for (int l = 1; l <= 10; ++l) count += p.Record(episode, l).stars >= 3 ? 1 : 0;
  return count;
}

bool Inside(const WorldObject& o, float x, float y) {
  return std::fabs(x - o.position.x) <= std::fabs(o.size.x) &&
         std::fabs(y - o.position.y) <= std::fabs(o.size.y);
}

// The map's level reports nothing to a screen: it has no workers, no work and no end.
class QuietScreen final : public LevelScreen {};

}  // namespace

ModeStage& TheModeStage() {
  static ModeStage mode;
  return mode;
}

ModeStage::ModeStage() {
  const auto forget = [this](const GUIControl& control) {
    if (&control == infoText) infoText = nullptr;
    if (&control == tooltip) tooltip = nullptr;
    if (&control == banner) banner = nullptr;
  };
  controls.SetDeletionListener(forget);
  dialogs.SetDeletionListener(forget);
}

ModeStage::~ModeStage() = default;

// ---------------------------------------------------------------- progress rules

void ModeStage::NextLevel(const Progress& p, int& episode, int& level) {
  const int a = std::clamp(p.lastEpisode, 0, Progress::kCampaignEpisodes - 1);
  const int b = std::clamp(p.lastLevel, 0, Progress::kCampaignLevels - 1);
  int na = a, nb = b + 1;
  if (nb >= 10) na = a + 1, nb = 0;
  const bool lastFinished = Finished(p, a + 1, b + 1);
  const bool followingFinished = Finished(p, na + 1, nb + 1);
  if (lastFinished && !followingFinished && na < Progress::kCampaignEpisodes) {
    episode = na + 1, level = nb + 1;
  } else {
    episode = a + 1, level = b + 1;
  }
}

bool ModeStage::LevelOpens(const Progress& p, int e, int l) {
  if (e < 1 || e > Progress::kCampaignEpisodes || l < 1 || l > Progress::kCampaignLevels) {
    return false;
  }
  if (l == 11) {
    if (e < 5) return (p.options >> (Progress::kFirstPuzzleBit + e - 1) & 1u) != 0;
    for (int k = 1; k <= 4; ++k) {
      if (!Finished(p, k, 11)) return false;
    }
    return true;
  }
  if (l > 1) return Finished(p, e, l - 1);
  return e == 1 || Finished(p, e - 1, 10);
}

std::string ModeStage::WonderPicture(const std::string& name, int j) {
  const std::string digits = Key("%02d", std::clamp(j, 0, 99));
  if (name.size() < 2) return name + digits;
  return name.substr(0, name.size() - 2) + digits;
}

// ---------------------------------------------------------------- entering

void ModeStage::Enter() {
  requested = nullptr;
  // The screen's own entry, then the map's controls made afresh.
  Mode::Enter();
  BuildControls();
  // No press, drag, scroll, selection or tooltip carries over from the last visit.
  pressed = dragging = false;
  pressX = pressY = 0;
  scrollX = minX = maxX = velocity = 0;
  scrollDir = 0;
  mapTime = 0;
  hovered = selected = -1;
  controlTip_ = 0;
  bannerAsked = false;
  // The map level and its music.
  LoadMap();
  if (SoundSystem* sound = App().sound()) sound->PlayMusic("map_theme");
  static const Progress kNewPlayer{};
  const Progress& progress = App().profiles() ? App().profiles()->progress : kNewPlayer;
  // Every marker as the player's progress shows it.
  ApplyProgress(progress);
  if (GUIControl* score = controls.Find(kScoreText)) {
    score->SetText(Lookup("score") + u": " + IntegerText(progress.totalScore));
  }
  // The map opens at its east end when the level after the last played one lies in the last
  // episode (from 0: (a, b + 1), or (a + 1, 0) at the end of an episode).
  const int a = std::max(progress.lastEpisode, 0), b = std::max(progress.lastLevel, 0);
  if ((b + 1 >= 10 ? a + 1 : a) == Progress::kCampaignEpisodes - 1) ScrollBy(-1e9f);
  velocity = 0;
}

void ModeStage::BuildControls() {
  dialogs.Clear();
  controls.Clear();
  infoText = tooltip = nullptr;
  banner = nullptr;
  controls.LoadLayout("episode_scroll", false);
  controls.LoadLayout("episode_map", false);
  if (const StringTable* strings = App().strings();
      strings && !strings->Get("banner_url").empty()) {
    auto promo = std::make_unique<BannerDlg>(31);
    banner = controls.Add(std::move(promo));
  }
  for (const int id : kHiddenIds) {
    for (size_t i = 0; i < controls.Size(); ++i) {
      if (GUIControl* c = controls.At(i); c && c->id == id) c->visible = false;
    }
  }
  auto hint = std::make_unique<GUIHint>();
  if (SpriteManager* sprites = App().sprites())
    hint->Background().SetSprite(sprites->Get("hintback"));
  hint->fontId = Gui().IntValue("ft_game_hint", 0);
  hint->SetFontSize(Gui().Value("fs_game_hint", 20));
  hint->colour = 0xFF282828u;
  hint->id = 0;
  hint->visible = false;
  tooltip = static_cast<GUIHint*>(controls.Add(std::move(hint)));
}

void ModeStage::LoadMap() {
  ClearMap();
  Application& app = App();
  // The level screen forgets the level it played unless it is the screen shown.
  if (app.current != app.ModeOf(ModeId::Game)) app.Accept(PlayLevel(0, 0));
  if (!app.descriptors() || !app.gameSettings() || !app.files()) return;
  auto level = std::make_unique<Level>(*app.descriptors(), app.gameServices());
  if (!level->LoadLevelFile(*app.files(), 0, 0)) return;
  screen_ = std::make_unique<QuietScreen>();
  effects_ = std::make_unique<LevelEffects>(app.particles());
  level_ = std::move(level);
  game_ = std::make_unique<GameController>(*level_, *app.gameSettings(), *screen_, nullptr,
                                           effects_.get());
  game_->strings = app.strings();
  game_->Begin();
  if (app.renderer() && app.textures()) {
    drawer_ = std::make_unique<LevelDrawer>(*app.renderer(), *app.textures(), *app.gameSettings(),
                                            effects_.get());
  }
  effects_->Sync(*level_, true);
}

void ModeStage::ClearMap() {
  drawer_.reset();
  game_.reset();
  // Effects die before the level whose objects they follow, and always before the particle
  // service (this runs on leaving and on release).
  if (effects_) effects_->Clear();
  effects_.reset();
  level_.reset();
  screen_.reset();
  markers_.clear();
  hovered = selected = -1;
}

void ModeStage::ApplyProgress(const Progress& progress) {
  markers_.clear();
  if (!level_) return;
  int nextE = 0, nextL = 0;
  NextLevel(progress, nextE, nextL);
  centreX_.reset();
  bool any = false;
  for (const auto& owned : level_->objects) {
    WorldObject& o = *owned;
    if (o.Hidden() || o.id == kPinId) continue;
    const float left = o.position.x - std::fabs(o.size.x);
    const float right = o.position.x + std::fabs(o.size.x);
    minX = any ? std::min(minX, left) : std::min(0.0f, left);
    maxX = any ? std::max(maxX, right) : std::max(0.0f, right);
    any = true;
    if (o.cls != WorldObject::kObstacle || o.subclass > 4) continue;
    Marker m;
    m.objectId = o.id;
    m.kind = MarkerKind(o.subclass);
    m.first = o.respawnMin;
    m.second = o.respawnMax;
    switch (m.kind) {
      case MarkerKind::Level:
        MarkLevel(m, o, progress, nextE, nextL);
        break;
      case MarkerKind::Comic:
      case MarkerKind::Puzzle: {
        const int k = m.second;
        m.open = k < 2 || (k <= 9 && Finished(progress, k - 1, 10));
        break;
      }
      case MarkerKind::Achievement: {
        const int n = m.first - 1;
        m.open = true;
        if (n < 0 || n >= Progress::kAchievements || !progress.HasAchievement(n)) {
          level_->SetTexture(o, "map_trophy");
          m.second = -1;
          m.open = false;
        }
        break;
      }
      case MarkerKind::Wonder:
        MarkWonder(m, o, progress);
        break;
    }
    o.alpha = m.open || m.kind == MarkerKind::Wonder ? 255 : kLockedAlpha;
    m.picture = o.texture;
    markers_.push_back(m);
  }
  // The current level is centred once the whole map is measured: the scroll limits known
  // part way through would hold a marker beyond them at the edge.
  if (centreX_) CentreOn(*centreX_);
  ShowSelected();
}

void ModeStage::MarkLevel(Marker& m, WorldObject& o, const Progress& p, int nextE, int nextL) {
  const int e = m.first, l = m.second;
  if (e < 1 || e > Progress::kCampaignEpisodes || l < 1 || l > Progress::kCampaignLevels) return;
  const LevelRecord& record = p.Record(e, l);
  if (record.flags & LevelRecord::kFinished) {
    static const char* const kMedals[] = {"level_relax", "level_bronze", "level_silver",
                                          "level_gold"};
    level_->SetTexture(o, kMedals[std::min<int>(record.stars, 3)]);
    m.open = true;
  } else if (e == nextE && l == nextL) {
    level_->SetTexture(o, "level_current");
    m.open = true;
    selected = int(markers_.size());
    centreX_ = o.position.x;
  } else {
    level_->SetTexture(o, l == 11 ? "level_bonus" : "level_unfinished");
    m.open = LevelOpens(p, e, l);
  }
  if (record.flags & LevelRecord::kPuzzlePiece) {
    const Vec2 at{o.position.x + Gui().Value("if_map_puzzle_x", 0),
                  o.position.y + Gui().Value("if_map_puzzle_y", 50)};
    if (game_) game_->StartEffect("puzzle_piece_map", at);
  }
}

void ModeStage::MarkWonder(Marker& m, WorldObject& o, const Progress& p) {
  const int j = ThreeStarLevels(p, m.first);
  m.built = j > 0;
  const int shown = std::max(j, 1);
  level_->SetTexture(o, WonderPicture(o.texture, shown));
  m.open = false;
  for (const auto& other : level_->objects) {
    if (other->linkId == o.id && other.get() != &o) level_->Show(*other, j >= other->respawnMin);
  }
}

void ModeStage::CentreOn(float mapX) { ScrollBy(-mapX - scrollX); }

// ---------------------------------------------------------------- scrolling

float ModeStage::ScrollLower() const { return Gui().HalfWidth() - maxX; }
float ModeStage::ScrollUpper() const { return -minX - Gui().HalfWidth(); }

void ModeStage::ScrollBy(float dx) {
  if (!std::isfinite(dx)) return;
  scrollX += dx;
  velocity = dx;
  // The upper bound first, then the lower: a map narrower than the screen rests on the lower.
  if (scrollX > ScrollUpper()) scrollX = ScrollUpper();
  if (scrollX < ScrollLower()) scrollX = ScrollLower();
}

void ModeStage::Glide() {
  if (std::fabs(velocity) <= 0.01f || pressed || dragging) return;
  ScrollBy(velocity * kGlide);
  if (scrollX == ScrollUpper() || scrollX == ScrollLower()) velocity *= kBounce;
}

// ---------------------------------------------------------------- the frame

void ModeStage::AdvanceMap(float frameTime) {
  if (!level_ || !game_) return;
  // The controller's frame: the animation step, then the tick (which counts the play time).
  game_->Frame(frameTime);
  if (effects_) effects_->Sync(*level_, false);
}

void ModeStage::Update() {
  Application& app = App();
  const float dt = app.frameTime;
  // The screen's controls, the scroll of a held arrow button and the dialogs.
  Mode::Update();
  if (scrollDir != 0) ScrollBy(dt * float(scrollDir) * kButtonSpeed);
  dialogs.UpdateAll(dt);
  AdvanceMap(dt);
  // The banner slides in once the map has been up for its delay.
  mapTime += dt;
  if (mapTime > kBannerDelayMs && banner && !bannerAsked) {
    bannerAsked = true;
    if (auto* promo = dynamic_cast<BannerDlg*>(banner)) promo->SlideIn();
  }
  TakeOwnLevelsAnswer();
  // A dialog of the map's own list that has its answer is closed and removed; the list
  // forgets it as its hovered, captured or focused control with the removal.
  for (size_t i = 0; i < controls.Size();) {
    auto* d = dynamic_cast<GUIDialog*>(controls.At(i));
    if (d && d != banner && d->Result() != 0) {
      PlayClick();
      controls.Remove(d);
      continue;
    }
    ++i;
  }
  // A dialog of the dialog list that has its answer is hidden; it stays in the list.
  for (size_t i = 0; i < dialogs.Size(); ++i) {
    auto* d = dynamic_cast<GUIDialog*>(dialogs.At(i));
    if (d && d->Result() != 0) {
      PlayClick();
      d->Hide();
    }
  }
  ShowControlTooltip();
  // After a drag the map glides on and bounces off its ends.
  Glide();
}

void ModeStage::ShowSelected() {
  if (!level_) return;
  WorldObject* pin = level_->FindObject(kPinId);
  const WorldObject* target = selected >= 0 && size_t(selected) < markers_.size()
                                  ? ObjectOf(markers_[size_t(selected)])
                                  : nullptr;
  if (!target) {
    if (pin) pin->Set(ObjectFlags::kHidden, true);
    return;
  }
  if (!pin) {
    pin = &level_->AddObject(level_->objects, kPinId, "", target->position);
    pin->cls = WorldObject::kScenery;
    level_->SetTexture(*pin, "level_select");
  }
  pin->Set(ObjectFlags::kHidden, false);
  // The pin stands on the marker's top edge, pointing down at it.
  pin->position = Vec2{target->position.x, target->position.y + std::fabs(target->size.y) +
                                               std::fabs(pin->size.y) * 0.7f};
  pin->UpdateQuad();
}

void ModeStage::Draw() {
  Application& app = App();
  if (level_ && drawer_ && app.renderer()) {
    LevelDrawOptions options;
    options.camera.offset = Vec2{scrollX, 0};
    options.camera.zoom = 0;
    if (app.CommonShader()) app.renderer()->SetShader(app.CommonShader());
    drawer_->Draw(*level_, options);
  }
  controls.DrawAll();
  dialogs.DrawAll();
}

void ModeStage::Leave() {
  Application& app = App();
  const PlayerProfiles* profiles = app.profiles();
  if (profiles && profiles->settings.drawnCursor()) {
    app.cursorVisible = true;
  } else {
    app.platform().SetSystemCursor(true);
  }
  dialogs.Clear();
  controls.Clear();
}

void ModeStage::Release() {
  ClearMap();
  dialogs.Clear();
  Mode::Release();
}

void ModeStage::OnFadeDone(Fade kind) {
  Application& app = App();
  if (kind == Fade::Out) {
    ClearMap();
    if (app.textures()) app.textures()->EvictUnloadable();
    Mode* target = requested;
    if (target) app.SetMode(target, target == app.ModeOf(ModeId::Game));
    return;
  }
  if (kind == Fade::In) OnceOnlyMessages();
}

void ModeStage::OnceOnlyMessages() {
  PlayerProfiles* profiles = App().profiles();
  if (!profiles) return;
  Progress& p = profiles->progress;
  if ((p.options & Progress::kCompletionShown) == 0 && Finished(p, 4, 10)) {
    p.options |= Progress::kCompletionShown;
    profiles->SaveProgress();
    ShowOkDialog("complete_message");
  }
  bool allBonus = true;
  for (int e = 1; e <= 4; ++e) allBonus = allBonus && Finished(p, e, 11);
  if ((p.options & Progress::kSuperBonusShown) == 0 && allBonus) {
    p.options |= Progress::kSuperBonusShown;
    profiles->SaveProgress();
    ShowOkDialog("super_bonus_unlocked");
  }
}

OwnLevelsDlg* ModeStage::OwnLevels() const {
  return dynamic_cast<OwnLevelsDlg*>(controls.Find(kOwnLevelsDialog));
}

void ModeStage::ShowOwnLevels() {
  Application& app = App();
  if (OwnLevels() || !app.descriptors() || !app.strings() || !app.profiles()) return;
  const std::string& data = base::DataFolder();
  auto dialog = std::make_unique<OwnLevelsDlg>(kOwnLevelsDialog);
  OwnLevelsDlg* shown = dialog.get();
  controls.Add(std::move(dialog));
  shown->Show(0);
  shown->Fill(ListOwnLevels(data.empty() ? std::string() : data + "/levels", *app.descriptors(),
                            app.LanguageCode()),
              app.profiles()->ownLevels, *app.strings());
  controls.BringToTop(shown);
}

void ModeStage::TakeOwnLevelsAnswer() {
  OwnLevelsDlg* ownLevels = OwnLevels();
  if (!ownLevels) return;
  const int answer = ownLevels->Result();
  if (answer == OwnLevelsDlg::kBack || answer == OwnLevelsDlg::kOn) {
    ownLevels->ClearResult();
    PlayClick();
    ownLevels->Turn(answer == OwnLevelsDlg::kBack ? -1 : 1);
    return;
  }
  if (answer == 0) return;
  // The map removes the answered dialog; a level chosen is read again and played.
  const OwnLevelEntry* level = ownLevels->Selected();
  if (answer == OwnLevelsDlg::kPlay && level && level->playable && !requested) {
    const std::string text = OwnLevelText(*level);
    if (!text.empty()) {
      RequestMode(PlayOwnLevel(text, level->file, level->episode, level->level, ModeId::Map));
    }
  }
}

void ModeStage::ShowOkDialog(std::string_view key) {
  std::unique_ptr<GUIOkDialog> box = GUIOkDialog::Create(Lookup(key));
  if (!box) return;
  GUIOkDialog* shown = box.get();
  controls.Add(std::move(box));
  shown->Show(0);
  controls.BringToTop(shown);
}

// ---------------------------------------------------------------- markers

bool ModeStage::Clickable(const Marker& m) const {
  const bool unlockable =
      m.kind == MarkerKind::Level || m.kind == MarkerKind::Comic || m.kind == MarkerKind::Puzzle;
  return m.open || (unlockAll && unlockable);
}

const ModeStage::Marker* ModeStage::FindMarker(int objectId) const {
  for (const Marker& m : markers_) {
    if (m.objectId == objectId) return &m;
  }
  return nullptr;
}

const ModeStage::Marker* ModeStage::LevelMarker(int episode, int level) const {
  for (const Marker& m : markers_) {
    if (m.kind == MarkerKind::Level && m.first == episode && m.second == level) return &m;
  }
  return nullptr;
}

WorldObject* ModeStage::ObjectOf(const Marker& marker) const {
  return level_ ? level_->FindObject(marker.objectId) : nullptr;
}

std::optional<Vec2> ModeStage::LevelMarkerPoint(int episode, int level) const {
  const Marker* m = LevelMarker(episode, level);
  const WorldObject* o = m ? ObjectOf(*m) : nullptr;
  if (!o || o->Hidden()) return std::nullopt;
  const Vec2 at{o->position.x + scrollX, o->position.y};
  if (const Renderer* renderer = App().renderer()) {
    if (std::fabs(at.x) > renderer->Width() / 2 || std::fabs(at.y) > renderer->Height() / 2) {
      return std::nullopt;
    }
  }
  return at;
}

int ModeStage::MarkerAt(float x, float y) const {
  for (size_t i = markers_.size(); i-- > 0;) {
    const WorldObject* o = ObjectOf(markers_[i]);
    if (o && !o->Hidden() && Inside(*o, x, y)) return int(i);
  }
  return -1;
}

std::u16string ModeStage::TooltipText(const Marker& m) const {
  static const Progress kNewPlayer{};
  const Progress& p = App().profiles() ? App().profiles()->progress : kNewPlayer;
  std::u16string t;
  switch (m.kind) {
    case MarkerKind::Level: {
      const int e = m.first, l = m.second;
      t = u"^s^8" + Lookup("level") + u" " + IntegerText(e) + u"." + IntegerText(l) + u"\\";
      t += u"^s^9" + Lookup(Key("level_name_%02d_%02d", e, l)) + u"\\";
      if (!Progress::HasRecord(e, l) || !(p.Record(e, l).flags & LevelRecord::kFinished)) {
        t += Lookup(m.open ? "unfinished" : "locked");
        break;
      }
      const LevelRecord& r = p.Record(e, l);
      if (r.stars == 0) {
        t += Lookup("level_completed");
        break;
      }
      if (r.flags & LevelRecord::kDeveloperBeaten) {
        const FontManager* fonts = App().fonts();
        const char16_t star = fonts && fonts->IconCode("star") ? fonts->IconCode("star") : u'*';
        t += Lookup("score") + u": " + star + u"^6" + IntegerText(r.bestScore) + star;
      } else {
        t += Lookup("score") + u": " + IntegerText(r.bestScore);
      }
      const int seconds = std::max(r.time, 0);
      t += u"\\" + Lookup("time") + u": " + IntegerText(seconds / 60) + u":" +
           IntegerText(seconds % 60, 2);
      break;
    }
    case MarkerKind::Comic:
      t = u"^s^8" + Lookup("map_comics") + u"\\^s^9" + Lookup(Key("comics_name_%02d", m.second));
      break;
    case MarkerKind::Achievement:
      t = u"^s^8" + Lookup("map_achievement") + u"\\^s^9" + Lookup(Key("ach_%02d_name", m.first)) +
          u"\\" + Lookup(Key(m.second == -1 ? "ach_%02d_desc" : "ach_%02d_earn", m.first));
      break;
    case MarkerKind::Puzzle:
      t = u"^s^8" + Lookup("map_puzzle") + u"\\^s^9" + Lookup(Key("puzzle_name_%02d", m.second));
      break;
    case MarkerKind::Wonder: {
      const int k = m.first;
      t = u"^s^8" + Lookup("map_wonder") + u"\\^s^9" + Lookup(Key("wonder_%d", k)) + u"\\";
      const int j = ThreeStarLevels(p, k);
      if (j >= 10) {
        t += Lookup("wonder_completed");
      } else {
        t += FormatIntegers(Lookup("wonder_progress"), {j}) + u"\\" +
             FormatIntegers(Lookup("wonder_description"), {k});
      }
      break;
    }
  }
  return t;
}

void ModeStage::SetHovered(int index) {
  if (index == hovered) return;
  hovered = index;
  ShowMarkerTooltip();
}

void ModeStage::ShowMarkerTooltip() {
  if (!tooltip) return;
  if (hovered < 0 || size_t(hovered) >= markers_.size()) {
    tooltip->Hide();
    tooltip->visible = false;
    return;
  }
  const Marker& m = markers_[size_t(hovered)];
  const WorldObject* o = ObjectOf(m);
  if (!o) return;
  float x = o->position.x + scrollX;
  if (m.kind == MarkerKind::Wonder && (m.first == 1 || m.first == 2)) x += 50;
  const float top = o->position.y + std::fabs(o->size.y);
  tooltip->visible = true;
  tooltip->Show(x, top, 40, 35, TooltipText(m), -1, -1);
  const Rect r = tooltip->rect;
  const float w = std::fabs(r.x1 - r.x0), h = std::fabs(r.y1 - r.y0);
  tooltip->SetRect(Rect{x - w / 2, top, x + w / 2, top + h});
  controls.BringToTop(tooltip);
  controlTip_ = 0;
}

void ModeStage::ShowControlTooltip() {
  if (!tooltip) return;
  const GUIControl* over = controls.Hovered();
  const int id = over && over != tooltip ? over->id : 0;
  if (id == controlTip_) return;
  controlTip_ = id;
  const std::u16string& text = id > 0 ? Lookup(Key("map_control%03d", id)) : std::u16string();
  if (text.empty()) {
    ShowMarkerTooltip();
    controlTip_ = id;
    return;
  }
  const GuiPoint at = Gui().Pointer();
  const float y = at.y - (Gui().Value(Key("if_mp_control%03d_y", id), 0) - 8);
  tooltip->visible = true;
  tooltip->Show(at.x, y, 40, 35, text, -1, -1);
  controls.BringToTop(tooltip);
}

void ModeStage::Select(int index) {
  selected = index;
  ShowSelected();
}

bool ModeStage::StepSelection(int direction) {
  std::vector<std::pair<float, int>> road;  // (x on the map, marker index)
  for (size_t i = 0; i < markers_.size(); ++i) {
    const WorldObject* o = ObjectOf(markers_[i]);
    if (o && Clickable(markers_[i]) && std::isfinite(o->position.x)) {
      road.emplace_back(o->position.x, int(i));
    }
  }
  if (road.empty()) return false;
  std::stable_sort(road.begin(), road.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  size_t at = road.size();
  for (size_t i = 0; i < road.size(); ++i) {
    if (road[i].second == selected) at = i;
  }
  size_t next = 0;
  if (at == road.size()) {
    next = direction < 0 ? road.size() - 1 : 0;
  } else if (direction < 0) {
    next = at == 0 ? 0 : at - 1;
  } else {
    next = std::min(at + 1, road.size() - 1);
  }
  Select(road[next].second);
  // Into view, with a margin of a quarter screen.
  const float x = road[next].first + scrollX, margin = Gui().HalfWidth() / 2;
  if (std::fabs(x) > Gui().HalfWidth() - margin) {
    CentreOn(road[next].first);
    velocity = 0;
  }
  return true;
}

void ModeStage::Activate(int index) {
  if (index < 0 || size_t(index) >= markers_.size() || requested) return;
  const Marker& m = markers_[size_t(index)];
  switch (m.kind) {
    case MarkerKind::Level:
      if (m.first < 1 || m.first > Progress::kCampaignEpisodes || m.second < 1 ||
          m.second > Progress::kCampaignLevels) {
        return;
      }
      PlayClick();
      RequestMode(PlayLevel(m.first, m.second));
      break;
    case MarkerKind::Comic:
      PlayClick();
      RequestMode(ShowComic(m.second, ShowScreen(ModeId::Map)));
      break;
    case MarkerKind::Puzzle:
      RequestMode(ShowPuzzle(m.second, ModeId::Map));
      break;
    case MarkerKind::Achievement:
    case MarkerKind::Wonder:
      break;
  }
}

// ---------------------------------------------------------------- input

int ModeStage::OnInput(InputEvent event) {
  // Left and Right walk the road's markers while no dialog is open (Tab reaches the buttons).
  if (event.type == InputType::KeyDown &&
      (event.value == kGameKeyLeft || event.value == kGameKeyRight) && !dialogs.TopDialog() &&
      (!controls.TopDialog() || controls.TopDialog() == banner)) {
    StepSelection(event.value == kGameKeyLeft ? -1 : 1);
    return 0;
  }
  // The dialogs, then the map's controls: a command they give ends any press or drag.
  for (ControlList* list : {&dialogs, &controls}) {
    const int id = list->OnInput(event);
    if (id > 0) {
      pressed = dragging = false;
      OnCommand(id);
      return id;
    }
  }
  // A press on one of the map's buttons is the button's, not the start of a drag.
  if (event.type == InputType::LeftDown && (controls.Captured() || dialogs.Captured())) return 0;
  // The banner is a dialog too, but it only waits at the edge of the map.
  GUIControl* ownDialog = controls.TopDialog();
  if (ownDialog == banner) ownDialog = nullptr;
  const bool dialogOpen = dialogs.TopDialog() || ownDialog;
  const GuiPoint at = Gui().Pointer();
  switch (event.type) {
    case InputType::Character:
      if (App().cheats) TypeCheat(event.value);
      break;
    case InputType::KeyDown:  // Escape: the top dialog closes, or the menu comes back
      if (event.value != kGameKeyEscape) break;
      if (auto* d = dynamic_cast<GUIDialog*>(dialogs.TopDialog())) {
        d->Hide();
      } else if (GUIControl* top = ownDialog) {
        // The cancel answer: the map's own message boxes only ever close.
        controls.Remove(top);
      } else {
        OnCommand(2);
      }
      break;
    case InputType::LeftDown:  // a press that may become a drag
      if (dialogOpen) break;
      pressed = true;
      pressX = at.x, pressY = at.y;
      velocity = 0;
      break;
    case InputType::PointerMove:  // drags the map, or hovers a marker
      if (pressed && !dragging && std::hypot(at.x - pressX, at.y - pressY) > kDragStart) {
        dragging = true;
        SetHovered(-1);
      }
      if (dragging) {
        ScrollBy(at.x - pressX);
        pressX = at.x, pressY = at.y;
      } else if (!pressed && !dialogOpen) {
        SetHovered(MarkerAt(at.x - scrollX, at.y));
      }
      break;
    case InputType::DoubleClick:  // a press and its release at once
      if (dialogOpen) break;
      pressed = true;
      pressX = at.x, pressY = at.y;
      EndPress();
      break;
    case InputType::LeftUp:
      EndPress();
      break;
    default:
      break;
  }
  return 0;
}

void ModeStage::EndPress() {
  const bool wasPressed = pressed, wasDrag = dragging;
  pressed = dragging = false;
  if (!wasPressed || wasDrag) return;
  if (hovered < 0 || size_t(hovered) >= markers_.size()) return;
  if (!Clickable(markers_[size_t(hovered)])) return;
  if (hovered == selected) {
    Activate(selected);
  } else {
    Select(hovered);
  }
}

void ModeStage::TypeCheat(int value) {
  typed_ += char16_t(value > 0 && value < 128 ? std::tolower(value) : 0);
  if (typed_.size() > 6) typed_.erase(0, typed_.size() - 6);
  if (typed_ != u"unlock") return;
  typed_.clear();
  unlockAll = !unlockAll;
  Enter();
}

int ModeStage::OnCommand(int id) {
  switch (id) {
    case 1:
      Activate(selected);
      break;
    case 2:
      PlayClick();
      if (tooltip) tooltip->Hide();
      if (!requested) RequestMode(ShowScreen(ModeId::Menu));
      break;
    case 3:
      scrollDir = scrollDir == 0 ? 1 : 0;
      break;
    case 4:
      scrollDir = scrollDir == 0 ? -1 : 0;
      break;
    case 5: {
      PlayClick();
      const Marker* m = selected >= 0 && size_t(selected) < markers_.size()
                            ? &markers_[size_t(selected)]
                            : nullptr;
      const bool level = m && m->kind == MarkerKind::Level;
      if (!requested)
        RequestMode(ShowRatings(level ? m->first : 0, level ? m->second : 0, ModeId::Map));
      break;
    }
    case 9:
      PlayClick();
      break;
    case 18:
      PlayClick();
      if (tooltip) tooltip->Hide();
      if (!requested) RequestMode(ShowCastle(ModeId::Map));
      break;
    case 19:
      PlayClick();
      if (tooltip) tooltip->Hide();
      ShowOwnLevels();
      break;
    case 31:
      if (banner && App().strings()) {
        const std::string address = BannerDlg::LinkAddress(*App().strings());
        if (!address.empty()) App().platform().OpenAddress(address);
      }
      break;
    default:
      break;
  }
  return id;
}

void ModeStage::PlayClick() {
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
}
