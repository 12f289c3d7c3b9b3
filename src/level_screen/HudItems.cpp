#include "level_screen/HudItems.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "data/Utf8.h"
#include "data/ValueTable.h"
#include "graphics/SpriteManager.h"
#include "gui/ControlList.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"
#include "gui/GUIProgressBar.h"
#include "gui/GUIText.h"
#include "gui/GuiContext.h"
#include "level/GameController.h"
#include "level/Level.h"
#include "level/WorldObject.h"

namespace {

constexpr int kWorkTimerIdBase = 10000;
constexpr float kLargestTimerMs = 2.0e9f;  // keeps whole-ms values of a save within int
constexpr uint32_t kIncomeColour = 0xFF00FF00u;
constexpr uint32_t kPopupColour = 0xC0FFED2Au;
constexpr float kArrowBob = 10.0f;
constexpr float kArrowBobFrequency = 2.5f;  // the bob of the HUD arrow
constexpr float kArrowShowSeconds = 2.0f;   // full opacity before the fade
constexpr float kMarkFlickerPeriod = 0.1f;
constexpr float kMarkFlickerDepth = 0.3f;  // the flicker depth layouts use
constexpr float kPulseFrequency = 2.2f;
constexpr float kPulseAmplitude = 0.125f;
constexpr uint32_t kQueueNumberColour = 0xFFFFF1C9u;  // the stocks' cream
constexpr float kLostSwell = 1.0f + 1.0f / 4.5f;      // a growing loss, as a gained stock
constexpr float kBadgeScale = 1.5f;                   // the queue badge's size to the digit's

// A whole number of ms for a save, truncated; values beyond int do not occur (timers are
// clamped when made) but are held at its ends all the same.
int WholeMs(float ms) {
  if (!(ms > 0.0f)) return 0;
  return ms >= float(INT_MAX) ? INT_MAX : int(ms);
}

int ClampToInt(long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

float Finite(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

Sprite* FindSprite(std::string_view name) {
  SpriteManager* sprites = Gui().sprites;
  return sprites ? sprites->Get(name) : nullptr;
}

// A rectangle of size w × h centred on (x, y), first corner at the top left.
Rect CentredRect(float x, float y, float w, float h) {
  return {x - w / 2, y + h / 2, x + w / 2, y - h / 2};
}

// A colour byte as a changer level in [0, 1]; the changer's truncation gives the byte back.
float ByteLevel(uint32_t byte) { return float(byte & 0xFF) / 255.0f; }

// The colour channels of an ARGB value as changer levels (red, green, blue, alpha).
ColorChanger::Rgba Channels(uint32_t argb) {
  return {ByteLevel(argb >> 16), ByteLevel(argb >> 8), ByteLevel(argb), ByteLevel(argb >> 24)};
}

template <class Item, class Pointer>
void EraseWhere(std::vector<Item>& items, Pointer pointer, const GUIControl& control) {
  items.erase(std::remove_if(items.begin(), items.end(),
                             [&](const Item& item) { return pointer(item) == &control; }),
              items.end());
}

// An object's width for the information window: its rectangle's width, its height when that
// is below 10, 64 when both are; held within 64..96.
float InfoExtent(float first, float second) {
  float v = first >= 10.0f ? first : (second >= 10.0f ? second : 64.0f);
  return std::clamp(v, 64.0f, 96.0f);
}

}  // namespace

float HudItems::Value(std::string_view key, float fallback) const {
  return values_ ? Finite(values_->GetFloat(key, fallback), fallback) : fallback;
}

GUIControl* HudItems::AddToWorld(std::unique_ptr<GUIControl> control) {
  if (!parts_.world) return nullptr;
  // Floating items are shown, never clicked.
  control->passive = true;
  return parts_.world->Add(std::move(control));
}

void HudItems::RemoveFromWorld(GUIControl* control) {
  if (parts_.world && control) parts_.world->Remove(control);
}

void HudItems::Build(const Parts& parts, const ValueTable* values) {
  // References of an earlier build belong to the list given then; they are dropped here.
  parts_ = parts;
  values_ = values;
  objectArrow_ = nullptr;
  freeWorkerIcons_.fill(nullptr);
  queueNumbers_.fill(nullptr);
  queueBadges_.fill(nullptr);
  shownLost_.fill(0);
  workTimers_.clear();
  incomeLabels_.clear();
  scorePopups_.clear();
  commandMarks_.clear();
  for (size_t i = 0; i < resourceColours_.size(); ++i) {
    const GUIControl* label = parts_.resourceLabels[i];
    resourceColours_[i] = label ? label->colour : GUIText::kDefaultColour;
  }
  if (!parts_.world) return;

  Sprite* face = FindSprite("free_worker");
  const float iconW = Value("if_gm_worker_w", 64.0f), iconH = Value("if_gm_worker_h", 64.0f);
  for (GUIControl*& icon : freeWorkerIcons_) {
    auto pic = std::make_unique<GUIPic>();
    pic->SetSprite(face);
    pic->rect = CentredRect(0, 0, iconW, iconH);
    pic->visible = false;
    icon = AddToWorld(std::move(pic));
  }

  Sprite* arrow = FindSprite("hintobj");
  float arrowW = Value("if_gm_arrow_w", 0.0f), arrowH = Value("if_gm_arrow_h", 0.0f);
  if (arrowW == 0.0f) arrowW = arrow ? arrow->width : 0.0f;
  if (arrowH == 0.0f) arrowH = arrow ? arrow->height : 0.0f;
  auto pic = std::make_unique<GUIPic>();
  pic->SetSprite(arrow);
  pic->rect = CentredRect(0, 0, arrowW, arrowH);
  pic->visible = false;
  objectArrow_ = AddToWorld(std::move(pic));

  // The queue's numbers in the numbers font, light on a dark badge that reads over any
  // ground.
  Sprite* badge = FindSprite("queue_badge");
  const float size = Value("fs_game_queue", 32.0f);
  for (size_t k = 0; k < queueNumbers_.size(); ++k) {
    auto disc = std::make_unique<GUIPic>();
    disc->SetSprite(badge);
    disc->rect = CentredRect(0, 0, size * kBadgeScale, size * kBadgeScale);
    disc->visible = false;
    queueBadges_[k] = AddToWorld(std::move(disc));
    auto text = std::make_unique<GUIText>();
    text->fontId = int(Value("ft_game_queue", 0.0f));
    text->SetFontSize(size);
    text->align = 1;
    text->colour = kQueueNumberColour;
    text->rect = CentredRect(0, 0, size * 2, size);
    text->SetText(DecodeUtf8(std::to_string(k + 1)));
    text->visible = false;
    queueNumbers_[k] = AddToWorld(std::move(text));
  }
}

// --- Floating items

void HudItems::ShowIncome(std::u16string_view text, Vec2 at) {
  if (!parts_.world) return;
  auto label = std::make_unique<GUIText>();
  label->fontId = int(Value("ft_game_bldincome", 0.0f));
  label->fontSize = Value("fs_game_bldincome", 18.0f);
  label->align = 1;
  label->colour = kIncomeColour;
  label->SetBounds(at.x - 35, at.y + 40, 55, 10);
  label->SetText(text);
  GUIControl* added = AddToWorld(std::move(label));
  const Rect from = added->rect;
  const Rect to{from.x0, from.y0 + 100, from.x1, from.y1 + 100};
  added->AddChanger(std::make_unique<RectChanger>(from, to, ChangerTiming::Speed, 0.1f));
  added->AddChanger(std::make_unique<AlphaChanger>(1.2f, 0.0f, ChangerTiming::Speed, 0.1f));
  incomeLabels_.push_back(added);
}

GUIProgressBar* HudItems::AddWorkTimer(int objectId, float totalMs, Vec2 at, float elapsedMs) {
  if (!parts_.world) return nullptr;
  // One bar per object: a restarted work replaces its bar.
  for (size_t i = 0; i < workTimers_.size(); ++i) {
    if (workTimers_[i].objectId == objectId) {
      GUIProgressBar* old = workTimers_[i].bar;
      workTimers_.erase(workTimers_.begin() + std::ptrdiff_t(i));
      RemoveFromWorld(old);
      break;
    }
  }
  Sprite* sprite = FindSprite("progress");
  const float w = Value("if_gm_progress_w", sprite ? 0.8f * sprite->width : 0.0f);
  const float h = Value("if_gm_progress_h", sprite ? 0.8f * sprite->height / 2 : 0.0f);
  auto bar = std::make_unique<GUIProgressBar>();
  bar->id = ClampToInt(kWorkTimerIdBase + static_cast<long long>(objectId));
  bar->SetSprite(sprite);
  // Centre-top at (x, y - 20); the first corner is the top left, as layouts place bars.
  bar->rect = {at.x - w / 2, at.y - 20, at.x + w / 2, at.y - 20 - h};
  bar->colour = kWhite & 0x00FFFFFFu;
  // Damaged saves may bring any numbers: the total is held within 0..2e9 ms and what has run
  // within the total.
  bar->Start(std::clamp(Finite(totalMs, 0.0f), 0.0f, kLargestTimerMs), 1);
  if (std::isfinite(elapsedMs) && elapsedMs > 0.0f) bar->Advance(elapsedMs);
  bar->displayed = bar->state.value;
  auto* added = static_cast<GUIProgressBar*>(AddToWorld(std::move(bar)));
  added->AddChanger(std::make_unique<AlphaChanger>(0.0f, 1.0f, ChangerTiming::Duration, 0.5f));
  workTimers_.push_back({added, objectId, false});
  return added;
}

GUIProgressBar* HudItems::WorkTimer(int objectId) const {
  for (const TimerItem& t : workTimers_) {
    if (t.objectId == objectId) return t.bar;
  }
  return nullptr;
}

int HudItems::WorkTimerRemaining(int objectId) const {
  const GUIProgressBar* bar = WorkTimer(objectId);
  return bar ? WholeMs(bar->state.total - bar->state.value) : 0;
}

void HudItems::FadeWorkTimer(int objectId) {
  for (TimerItem& t : workTimers_) {
    if (t.objectId != objectId) continue;
    t.bar->ClearChangers();
    t.bar->AddChanger(std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 1.275f));
    t.fading = true;
  }
}

void HudItems::RemoveCommandMarks(int objectId) {
  for (size_t i = 0; i < commandMarks_.size();) {
    if (commandMarks_[i].objectId != objectId) {
      ++i;
      continue;
    }
    GUIControl* mark = commandMarks_[i].mark;
    commandMarks_.erase(commandMarks_.begin() + std::ptrdiff_t(i));
    RemoveFromWorld(mark);
  }
}

void HudItems::ShowCommandMark(bool accepted, int objectId, Vec2 at) {
  if (!parts_.world) return;
  RemoveCommandMarks(objectId);
  Sprite* sprite = FindSprite(accepted ? "cmd_ok" : "cmd_no");
  const float w = Value("if_gm_confirm_w", sprite ? sprite->width : 0.0f);
  const float h = Value("if_gm_confirm_h", sprite ? sprite->height : 0.0f);
  auto pic = std::make_unique<GUIPic>();
  pic->id = objectId;
  pic->SetSprite(sprite);
  // Centred on x, its top at y + h / 2.
  pic->rect = {at.x - w / 2, at.y + h / 2, at.x + w / 2, at.y - h / 2};
  GUIControl* added = AddToWorld(std::move(pic));
  if (accepted) {
    added->AddChanger(std::make_unique<AlphaInfChanger>(kMarkFlickerPeriod, kMarkFlickerDepth));
  } else {
    added->AddChanger(std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 0.75f,
                                                     Easing::Delayed));
  }
  commandMarks_.push_back({added, objectId, false});
}

std::vector<GUIControl*> HudItems::CommandMarks(int objectId) const {
  std::vector<GUIControl*> found;
  for (const MarkItem& m : commandMarks_) {
    if (m.objectId == objectId) found.push_back(m.mark);
  }
  return found;
}

void HudItems::FadeCommandMark(int objectId) {
  for (MarkItem& m : commandMarks_) {
    if (m.objectId != objectId || m.fading) continue;
    const float alpha = float(m.mark->Alpha()) / 255.0f;
    m.mark->ClearChangers();
    m.mark->AddChanger(std::make_unique<AlphaChanger>(alpha, 0.0f, ChangerTiming::Duration, 0.25f));
    m.fading = true;
  }
}

void HudItems::AddScorePopup(int points, Vec2 at) {
  if (!parts_.world) return;
  auto text = std::make_unique<GUIText>();
  text->id = ClampToInt(-static_cast<long long>(points));
  text->fontId = 0;
  text->fontSize = 16.0f;
  text->align = 1;
  text->colour = kPopupColour;
  text->rect = {at.x - 20, at.y - 10, at.x + 20, at.y + 10};
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "+%d", points);
  text->SetText(DecodeUtf8(buffer));
  // Hidden until its flight starts at the next update of the world list.
  text->visible = false;
  GUIControl* added = AddToWorld(std::move(text));
  const Rect to = parts_.scoreLabel ? parts_.scoreLabel->rect : added->rect;
  added->AddChanger(std::make_unique<VisibleChanger>());
  added->AddChanger(std::make_unique<RectChanger>(added->rect, to, ChangerTiming::Duration, 1.8f));
  scorePopups_.push_back({added, points});
}

// --- HUD flashes, the arrow and the information window

void HudItems::FlashResource(int index, bool spent) {
  if (index < 0 || index >= int(parts_.resourceLabels.size())) return;
  GUIControl* label = parts_.resourceLabels[size_t(index)];
  if (!label) return;
  const uint32_t normal = resourceColours_[size_t(index)];
  ColorChanger::Rgba from = Channels(normal);
  if (spent) {
    from[0] = ByteLevel(192), from[1] = ByteLevel(64), from[2] = ByteLevel(64);
  } else {
    from[0] = ByteLevel(128), from[1] = ByteLevel(192), from[2] = ByteLevel(64);
  }
  const float s = Value("fs_game_resvalue", 16.0f);
  const float big = s * (1.0f + 1.0f / (spent ? 5.5f : 4.5f));
  label->ClearChangers();
  // The colour flashes; the alpha is the HUD's (it fades out when the level ends).
  auto colour =
      std::make_unique<ColorChanger>(from, Channels(normal), ChangerTiming::Duration, 1.0f);
  colour->keepAlpha = true;
  label->AddChanger(std::move(colour));
  label->AddChanger(std::make_unique<FontSizeChanger>(big, s, ChangerTiming::Duration, 0.8f));
}

void HudItems::FlashShortage(int index) {
  if (index < 0 || index >= int(parts_.shortageFlashes.size())) return;
  GUIControl* flash = parts_.shortageFlashes[size_t(index)];
  if (!flash) return;
  flash->visible = true;
  flash->ClearChangers();
  auto fade =
      std::make_unique<AlphaChanger>(1.0f, 0.0f, ChangerTiming::Duration, 0.75f, Easing::Delayed);
  fade->blocking = true;
  flash->AddChanger(std::move(fade));
  flash->AddChanger(std::make_unique<VisibleChanger>());
}

void HudItems::PointAtObject(const WorldObject* object) {
  GUIControl* arrow = objectArrow_;
  if (!arrow) return;
  if (!object && !arrow->visible) return;
  // The arrow's changers always end in a visibility toggle: a new sequence replaces the old.
  arrow->ClearChangers();
  if (object) {
    arrow->visible = true;
    const float w = std::fabs(arrow->rect.x1 - arrow->rect.x0);
    const float h = std::fabs(arrow->rect.y1 - arrow->rect.y0);
    const float dy = object->cls == WorldObject::kBuilding ? -60.0f : -50.0f;
    arrow->SetRect(CentredRect(object->position.x - 50.0f, object->position.y + dy, w, h));
    arrow->AddChanger(std::make_unique<PosInfChanger>(kArrowBobFrequency, kArrowBob, kArrowBob));
    auto show =
        std::make_unique<AlphaChanger>(1.0f, 1.0f, ChangerTiming::Duration, kArrowShowSeconds);
    show->blocking = true;
    arrow->AddChanger(std::move(show));
  }
  const float alpha = object ? 1.0f : float(arrow->Alpha()) / 255.0f;
  auto fade =
      std::make_unique<AlphaChanger>(alpha, 0.0f, ChangerTiming::Duration, object ? 0.5f : 0.2f);
  fade->blocking = true;
  arrow->AddChanger(std::move(fade));
  arrow->AddChanger(std::make_unique<VisibleChanger>());
}

void HudItems::SetTextScale(float scale) {
  textScale_ = std::isfinite(scale) ? std::clamp(scale, 1.0f, 2.0f) : 1.0f;
}

void HudItems::ShowObjectInfo(std::u16string_view text, const std::array<float, 4>& rect,
                              float zoom) {
  GUIHint* hint = parts_.objectHint;
  if (!hint) return;
  const bool finite =
      std::all_of(rect.begin(), rect.end(), [](float v) { return std::isfinite(v); });
  if (text.empty() || !finite) {
    hint->Hide();
    return;
  }
  if (!(zoom > 0.0f) || !std::isfinite(zoom)) zoom = 1.0f;
  const float rectW = std::fabs(rect[2] - rect[0]), rectH = std::fabs(rect[3] - rect[1]);
  const float w = InfoExtent(rectW, rectH), h = InfoExtent(rectH, rectW);
  const float x = (rect[0] + rect[2]) / 2, y = (rect[1] + rect[3]) / 2;
  if (hintFont_ == 0.0f) hintFont_ = hint->fontSize;
  if (hint->fontSize != hintFont_ * textScale_) hint->SetFontSize(hintFont_ * textScale_);
  // Sized to the text first, then placed by its size and kept inside the screen.
  hint->visible = true;
  hint->Show(0, 0, 30, 25, text, 3000, -1);
  const float hintW = std::fabs(hint->rect.x1 - hint->rect.x0);
  const float hintH = std::fabs(hint->rect.y1 - hint->rect.y0);
  const float cx = x + (hintW / 2 + w / 2 - 24) * zoom;
  const float cy = y + (hintH / 2 + h / 2 - 12) * zoom;
  hint->Show(cx - hintW / 2, cy - hintH / 2, 30, 25, text, 3000, -1);
  if (hint->owner) hint->owner->BringToTop(hint);
}

// --- Free-worker icons

Vec2 HudItems::FreeWorkerIconCentre(Vec2 building, int k, int n, float iconWidth, float iconHeight,
                                    float faceY, float topLimit) {
  const float y = std::min(building.y, topLimit);
  const float across = n > 0 ? float(2 * k - n + 1) / float(n) : 0.0f;
  return {building.x + across * iconWidth, y + faceY + iconHeight};
}

const WorldObject* HudItems::HomeBuilding(const GameController& game, const WorldObject& worker) {
  const Level& level = game.level;
  const int type = WorkerRoster::TypeOf(worker);
  const WorldObject* building = nullptr;
  if (type == 0 && worker.worker) {
    // The house the worker's camp waypoint belongs to (its first respawn value).
    const int home = worker.worker->home;
    if (home >= 0 && size_t(home) < level.waypoints.size() &&
        level.waypoints[size_t(home)].waypoint)
      building = level.FindObject(level.waypoints[size_t(home)].waypoint->respawnMin);
  }
  if ((!building || building->Hidden()) && type >= 0 && type < int(game.homes.size()))
    building = level.FindObject(game.homes[size_t(type)]);
  return building && !building->Hidden() ? building : nullptr;
}

void HudItems::RefreshFreeWorkers(const GameController& game, int levelMode, bool allowed,
                                  bool wide, float screenHalfHeight) {
  for (GUIControl* icon : freeWorkerIcons_) {
    if (icon) icon->visible = false;
  }
  if ((levelMode != 0 && levelMode != 1) || !allowed) return;

  // The idle workers of each home building. Counted are the active ordinary workers and the
  // special workers of the types the level has; the ordinary workers waiting beyond the
  // active ones are not.
  struct Home {
    const WorldObject* building;
    int idle;
  };
  std::vector<Home> homes;
  const auto count = [&](const WorldObject* worker) {
    if (!worker || !worker->worker || worker->Has(ObjectFlags::kBusy)) return;
    const WorldObject* building = HomeBuilding(game, *worker);
    if (!building) return;
    auto it = std::find_if(homes.begin(), homes.end(),
                           [&](const Home& h) { return h.building == building; });
    if (it == homes.end()) {
      homes.push_back({building, 1});
    } else {
      ++it->idle;
    }
  };
  for (int i = 0; i < game.roster.Active(); ++i) count(game.roster.At(i));
  for (int type = 1; type <= WorkerRoster::kRosterSize - WorkerRoster::kOrdinary; ++type) {
    if (game.level.WorkerTypeAvailable(type)) count(game.roster.Special(type));
  }
  if (homes.empty()) return;

  const float iconW = Value("if_gm_worker_w", 64.0f), iconH = Value("if_gm_worker_h", 64.0f);
  const float faceY = Value("if_gm_face_y", 8.0f);
  const float top = screenHalfHeight - (wide ? 10.0f : 52.0f) - 1.5f * iconH;
  size_t next = 0;
  // In the order of the buildings in the level.
  for (const auto& object : game.level.objects) {
    auto it = std::find_if(homes.begin(), homes.end(),
                           [&](const Home& h) { return h.building == object.get(); });
    if (it == homes.end()) continue;
    const int n = std::min(it->idle, int(freeWorkerIcons_.size() - next));
    for (int k = 0; k < n; ++k) {
      GUIControl* icon = freeWorkerIcons_[next++];
      if (!icon) continue;
      const Vec2 c = FreeWorkerIconCentre(object->position, k, n, iconW, iconH, faceY, top);
      icon->SetRect(CentredRect(c.x, c.y, iconW, iconH));
      icon->visible = true;
    }
    if (next >= freeWorkerIcons_.size()) break;
  }
}

void HudItems::PulseFreeWorkers(bool on) {
  for (GUIControl* icon : freeWorkerIcons_) {
    if (!icon) continue;
    icon->ClearChangers();
    icon->scale = 1.0f;
    if (on && icon->visible) {
      icon->AddChanger(std::make_unique<ScaleInfChanger>(kPulseFrequency, kPulseAmplitude));
    }
  }
}

// --- The command queue's numbers and the lost resources

void HudItems::ShowQueueNumbers(const std::vector<Vec2>& markerTops) {
  const float size = Value("fs_game_queue", 32.0f);
  const float disc = size * kBadgeScale;
  for (size_t k = 0; k < queueNumbers_.size(); ++k) {
    const bool shown = k < markerTops.size();
    // Just above the marker, the badge's foot on its top.
    const float x = shown ? Finite(markerTops[k].x, 0) : 0;
    const float y = shown ? Finite(markerTops[k].y, 0) + disc / 2 : 0;
    if (GUIControl* badge = queueBadges_[k]) {
      badge->visible = shown;
      badge->SetRect(CentredRect(x, y, disc, disc));
    }
    if (GUIControl* number = queueNumbers_[k]) {
      number->visible = shown;
      number->SetRect(CentredRect(x, y, size * 2, size));
    }
  }
}

void HudItems::ShowLostResources(const std::array<int, 3>& lost, bool shown) {
  for (size_t i = 0; i < lost.size(); ++i) {
    GUIControl* label = parts_.lostLabels[i];
    GUIControl* tag = parts_.lostTags[i];
    const bool visible = shown && lost[i] > 0;
    if (label) label->visible = visible;
    if (tag) tag->visible = visible;
    if (!visible) {
      shownLost_[i] = 0;
      continue;
    }
    if (lost[i] == shownLost_[i]) continue;
    const bool grew = lost[i] > shownLost_[i];
    shownLost_[i] = lost[i];
    if (!label) continue;
    label->SetText(DecodeUtf8("-" + std::to_string(lost[i])));
    if (!grew) continue;
    // The loss swells for a moment, as a stock does when it changes.
    const float s = label->fontSize;
    label->ClearChangers();
    label->AddChanger(
        std::make_unique<FontSizeChanger>(s * kLostSwell, s, ChangerTiming::Duration, 0.8f));
  }
}

// --- The frame, clearing and saving

int HudItems::Advance(float frameTime, float speed) {
  const float amount = frameTime * speed;
  for (size_t i = 0; i < workTimers_.size();) {
    const TimerItem t = workTimers_[i];
    if (std::isfinite(amount)) t.bar->Advance(amount);
    if (t.bar->state.done || (t.fading && !t.bar->HasChangers())) {
      workTimers_.erase(workTimers_.begin() + std::ptrdiff_t(i));
      RemoveFromWorld(t.bar);
    } else {
      ++i;
    }
  }
  for (size_t i = 0; i < incomeLabels_.size();) {
    GUIControl* label = incomeLabels_[i];
    if (label->HasChangers()) {
      ++i;
      continue;
    }
    incomeLabels_.erase(incomeLabels_.begin() + std::ptrdiff_t(i));
    RemoveFromWorld(label);
  }
  for (size_t i = 0; i < commandMarks_.size();) {
    GUIControl* mark = commandMarks_[i].mark;
    if (mark->HasChangers()) {
      ++i;
      continue;
    }
    commandMarks_.erase(commandMarks_.begin() + std::ptrdiff_t(i));
    RemoveFromWorld(mark);
  }
  long long arrived = 0;
  for (size_t i = 0; i < scorePopups_.size();) {
    const PopupItem p = scorePopups_[i];
    if (p.text->HasChangers()) {
      ++i;
      continue;
    }
    arrived += p.points;
    scorePopups_.erase(scorePopups_.begin() + std::ptrdiff_t(i));
    RemoveFromWorld(p.text);
  }
  return ClampToInt(arrived);
}

void HudItems::Clear() {
  // The lists are emptied before any control goes, so that a deletion listener calling
  // Forget finds them consistent.
  std::vector<TimerItem> timers;
  std::vector<GUIControl*> labels;
  std::vector<PopupItem> popups;
  std::vector<MarkItem> marks;
  timers.swap(workTimers_);
  labels.swap(incomeLabels_);
  popups.swap(scorePopups_);
  marks.swap(commandMarks_);
  for (const TimerItem& t : timers) RemoveFromWorld(t.bar);
  for (GUIControl* label : labels) RemoveFromWorld(label);
  for (const PopupItem& p : popups) RemoveFromWorld(p.text);
  for (const MarkItem& m : marks) RemoveFromWorld(m.mark);
  for (GUIControl* icon : freeWorkerIcons_) {
    if (!icon) continue;
    icon->ClearChangers();
    icon->scale = 1.0f;
    icon->visible = false;
  }
  if (objectArrow_) {
    // Its changers would show it again (they end in a visibility toggle).
    objectArrow_->ClearChangers();
    objectArrow_->visible = false;
  }
  for (auto* list : {&queueNumbers_, &queueBadges_}) {
    for (GUIControl* c : *list) {
      if (c) c->visible = false;
    }
  }
}

void HudItems::WriteWorkTimers(std::string& text) const {
  char line[96];
  for (const TimerItem& t : workTimers_) {
    const ProgressState& s = t.bar->state;
    if (s.done) continue;
    std::snprintf(line, sizeof line, "<obstacle id=\"%i\" cur=\"%i\" max=\"%i\"/>\n", t.objectId,
                  WholeMs(s.value), WholeMs(s.total));
    text += line;
  }
}

void HudItems::Forget(const GUIControl& control) {
  EraseWhere(
      workTimers_, [](const TimerItem& t) { return t.bar; }, control);
  EraseWhere(
      incomeLabels_, [](GUIControl* c) { return c; }, control);
  EraseWhere(
      scorePopups_, [](const PopupItem& p) { return p.text; }, control);
  EraseWhere(
      commandMarks_, [](const MarkItem& m) { return m.mark; }, control);
  if (objectArrow_ == &control) objectArrow_ = nullptr;
  for (GUIControl*& icon : freeWorkerIcons_) {
    if (icon == &control) icon = nullptr;
  }
  if (parts_.objectHint == &control) parts_.objectHint = nullptr;
  if (parts_.scoreLabel == &control) parts_.scoreLabel = nullptr;
  for (GUIControl*& label : parts_.resourceLabels) {
    if (label == &control) label = nullptr;
  }
  for (auto* list : {&parts_.shortageFlashes, &parts_.lostLabels, &parts_.lostTags, &queueNumbers_,
                     &queueBadges_}) {
    for (GUIControl*& c : *list) {
      if (c == &control) c = nullptr;
    }
  }
}
