#include "campaign/ModeComics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "gui/GUIChanger.h"
#include "gui/GUIPic.h"

namespace {

// The subtitle's fade out and in, each way.
constexpr float kSubtitleFade = 0.25f;
// How far the eye stands from the page while the pictures shake.
constexpr float kEyeDistance = 150.0f;

Easing EasingOf(ComicEase ease) {
  switch (ease) {
    case ComicEase::Square:
      return Easing::Square;
    case ComicEase::SquareRoot:
      return Easing::SquareRoot;
    case ComicEase::Linear:
      break;
  }
  return Easing::Linear;
}

std::string Numbered(const char* pattern, int a, int b) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

}  // namespace

ModeComics::ModeComics() = default;

void ModeComics::Accept(const ModeRequest& request) {
  comicNumber = request.number;
  nextMode = request.then ? *request.then : ShowScreen(ModeId::Map);
}

GUIControl* ModeComics::Layer(const std::string& tex) const {
  const auto it = layers.find(tex);
  return it == layers.end() ? nullptr : it->second;
}

GUIControl* ModeComics::FindControl(int id) {
  if (GUIControl* control = overlay.Find(id)) return control;
  return Mode::FindControl(id);
}

void ModeComics::ClearComic() {
  StopVoice();
  layers.clear();
  tags.clear();
  events.clear();
  timeline_.clear();
  pictures.Clear();
  overlay.Clear();
  Application& app = App();
  if (TextureManager* textures = app.textures()) {
    for (Texture* texture : loadedTextures_) textures->Evict(texture);
  }
  loadedTextures_.clear();
}

void ModeComics::Enter() {
  requested = nullptr;
  Mode::Enter();
  Application& app = App();
  if (SoundSystem* sound = app.sound()) sound->PlayMusic("comics_theme");
  ClearComic();
  clock = 0.0;
  shakeTime = shakeStrength = shakeX = shakeY = 0.0f;
  textCount = voiceCount = 0;

  controls.LoadLayout("comics", true);
  float ox = 0.0f, oy = 0.0f;
  if (GUIControl* corner = controls.Find(kPageCorner)) {
    ox = std::min(corner->rect.x0, corner->rect.x1);
    oy = std::max(corner->rect.y0, corner->rect.y1);
  }

  ComicDescription comic;
  if (app.files()) comic.Load(*app.files(), comicNumber);
  if (startOverride >= 0.0) comic.start = float(startOverride);
  startTime = comic.ReachableStart();

  SpriteManager* sprites = app.sprites();
  for (const ComicLayer& l : comic.layers) {
    Sprite* sprite = sprites && !l.tex.empty() ? sprites->Get(l.tex) : nullptr;
    if (!sprite || !sprite->texture) continue;
    auto pic = std::make_unique<GUIPic>();
    pic->sprite = sprite;
    pic->texRect = sprite->rect;
    const float x = ox + l.x;
    const float y = oy - l.y + sprite->height;
    pic->rect = {x, y, x + sprite->width, y - sprite->height};
    pic->SetAlpha(int(std::clamp(l.alpha, 0.0f, 1.0f) * 255.0f));
    pic->scale = l.scale / 100.0f;
    // Of two layers with the same texture, the later one is the one events move; both show.
    layers[l.tex] = pictures.Add(std::move(pic));
    if (std::find(loadedTextures_.begin(), loadedTextures_.end(), sprite->texture) ==
        loadedTextures_.end()) {
      loadedTextures_.push_back(sprite->texture);
    }
  }
  for (const ComicTag& tag : comic.tags) tags[tag.name] = tag.layers;
  events = std::move(comic.events);
  timeline_.clear();
  for (size_t i = 0; i < events.size(); ++i) timeline_.emplace_back(double(events[i].time), i);
  std::sort(timeline_.begin(), timeline_.end());

  if (StringTable* strings = app.strings()) strings->Load("comics_text");
  overlay.LoadLayout("comics_ovr", true);
  overlay.ResetAll();
  if (GUIControl* caption = overlay.Find(kCaption)) {
    caption->SetText(app.strings() ? app.strings()->Get(Numbered("comics_name_%02d", comicNumber, 0))
                                   : std::u16string());
  }
}

void ModeComics::Leave() {
  ClearComic();
  controls.Clear();
}

void ModeComics::Update() {
  Mode::Update();
  Application& app = App();
  const float dt = app.frameTime;
  pictures.UpdateAll(dt);
  overlay.UpdateAll(dt);
  if (app.fadeState != Fade::None) return;
  Step(dt);
  // A comic that starts later than 0 runs forward to that time at once, firing the events on
  // the way (startTime never lies beyond the last event). Each round either fires an event or
  // reaches startTime, so the rounds are bounded by the events; should rounding leave the
  // clock short, the next frame goes on from there.
  size_t rounds = 2 * timeline_.size() + 4;
  while (clock < startTime && !requested && dt > 0.0f && rounds-- > 0) {
    const double steps = SilentSteps(dt);
    pictures.UpdateAll(float(double(dt) * steps));
    if (steps > 1.0) {
      // The steps taken together fire nothing; only the clock and the shake move.
      // They end before the next event, also where the sum rounds beyond it.
      const double silent = double(dt) * (steps - 1.0);
      clock = std::min(clock + silent, NextEventTime());
      if (shakeTime > 0.0f) {
        shakeTime = std::max(0.0f, shakeTime - float(silent / 1000.0));
        UpdateShakeOffset();
      }
    }
    Step(dt);
  }
}

double ModeComics::SilentSteps(double dt) const {
  // The steps until the clock reaches startTime...
  const double toStart = std::ceil((startTime - clock) / dt);
  // ...and until the step that fires the next event (the first with clock <= time).
  double toEvent = std::numeric_limits<double>::infinity();
  const double next = NextEventTime();
  if (std::isfinite(next)) toEvent = std::floor((next - clock) / dt) + 1.0;
  const double steps = std::min(toStart, toEvent);
  return steps > 1.0 && std::isfinite(steps) ? steps : 1.0;
}

double ModeComics::NextEventTime() const {
  const auto next = std::lower_bound(timeline_.begin(), timeline_.end(),
                                     std::make_pair(clock, size_t(0)));
  return next != timeline_.end() ? next->first : std::numeric_limits<double>::infinity();
}

void ModeComics::UpdateShakeOffset() {
  const float t = shakeTime;
  shakeX = std::sin(34.0f * t) * 8.0f * t * shakeStrength;
  shakeY = std::sin(27.0f * t) * 16.0f * t * shakeStrength;
}

void ModeComics::Step(double dt) {
  const double before = clock;
  // Where the clock is too large for the step to move it, it moves by the least it can.
  clock = std::max(before + dt, std::nextafter(before, std::numeric_limits<double>::infinity()));
  if (shakeTime > 0.0f) {
    shakeTime = std::max(0.0f, shakeTime - float(dt / 1000.0));
    UpdateShakeOffset();
  }
  // The events with before <= time < clock, in file order.
  auto it = std::lower_bound(timeline_.begin(), timeline_.end(), std::make_pair(before, size_t(0)));
  due_.clear();
  for (; it != timeline_.end() && it->first < clock; ++it) due_.push_back(it->second);
  std::sort(due_.begin(), due_.end());
  for (const size_t index : due_) {
    if (index < events.size()) Fire(events[index]);
  }
}

void ModeComics::Fire(const ComicEvent& e) {
  switch (e.type) {
    case ComicEventType::Text:
      ++textCount;
      ShowSubtitle();
      return;
    case ComicEventType::Voice:
      PlayVoice();
      return;
    case ComicEventType::Finish:
      GoOn();
      return;
    case ComicEventType::Shake:
      shakeTime = std::max(0.0f, e.duration);
      shakeStrength = e.scale;
      return;
    case ComicEventType::Pos:
    case ComicEventType::Scale:
    case ComicEventType::Alpha:
      break;
    case ComicEventType::Unknown:
      return;
  }
  const auto tag = tags.find(e.layer);
  const std::vector<std::string> named =
      tag != tags.end() ? tag->second : std::vector<std::string>{e.layer};
  const Easing easing = EasingOf(e.ease);
  for (const std::string& tex : named) {
    GUIControl* pic = Layer(tex);
    if (!pic) continue;
    std::unique_ptr<GUIChanger> changer;
    if (e.type == ComicEventType::Pos) {
      // The file measures y downwards, the screen upwards.
      Rect to = pic->rect;
      to.x0 += e.x;
      to.x1 += e.x;
      to.y0 -= e.y;
      to.y1 -= e.y;
      changer = std::make_unique<RectChanger>(pic->rect, to, ChangerTiming::Duration, e.duration,
                                              easing);
    } else if (e.type == ComicEventType::Scale) {
      changer = std::make_unique<ScaleChanger>(pic->scale, e.scale, ChangerTiming::Duration,
                                               e.duration, easing);
    } else {
      changer = std::make_unique<AlphaChanger>(float(pic->Alpha()) / 255.0f, e.alpha,
                                               ChangerTiming::Duration, e.duration, easing);
    }
    pic->AddChanger(std::move(changer));
  }
}

void ModeComics::ShowSubtitle() {
  GUIControl* caption = overlay.Find(kCaption);
  if (!caption) return;
  Application& app = App();
  const float size = app.values() ? app.values()->GetFloat("fs_comics_subtitle", 32.0f) : 32.0f;
  // The changer keeps its own copy: a string table reloaded meanwhile cannot pull the text
  // from under it.
  const std::u16string text =
      app.strings() ? app.strings()->Get(Numbered("comics_subtitle_%02d_%d", comicNumber, textCount))
                    : std::u16string();
  // A subtitle still on its way is replaced, not queued behind.
  caption->ClearChangers();
  auto out = std::make_unique<AlphaChanger>(float(caption->Alpha()) / 255.0f, 0.0f,
                                            ChangerTiming::Duration, kSubtitleFade);
  out->blocking = true;
  caption->AddChanger(std::move(out));
  caption->AddChanger(std::make_unique<FontSizeChanger>(size, size, ChangerTiming::Duration, 0.0f));
  caption->AddChanger(std::make_unique<TextChanger>(text));
  auto in = std::make_unique<AlphaChanger>(0.0f, 1.0f, ChangerTiming::Duration, kSubtitleFade);
  in->blocking = true;
  caption->AddChanger(std::move(in));
}

void ModeComics::PlayVoice() {
  StopVoice();
  ++voiceCount;
  SoundSystem* sound = App().sound();
  if (!sound) return;
  voiceName = Numbered("comics_%02d_%d", comicNumber, voiceCount);
  sound->LoadSound(voiceName + ".ogg");
  voice = sound->PlaySound(voiceName);
}

void ModeComics::StopVoice() {
  SoundSystem* sound = App().sound();
  if (sound && voice != SoundSystem::kNoSound) sound->StopSound(voice);
  // Unloading stops whatever still plays the line before its buffer goes.
  if (sound && !voiceName.empty()) sound->UnloadSound(voiceName);
  voice = SoundSystem::kNoSound;
  voiceName.clear();
}

void ModeComics::GoOn() {
  if (requested) return;
  Application& app = App();
  Mode* target = app.Accept(nextMode);
  if (!target) target = app.Accept(ShowScreen(ModeId::Map));
  // Told once where to go on (the first comic of a new game leads into its level); a comic
  // entered again without being told goes on to the map.
  nextMode = ShowScreen(ModeId::Map);
  if (target) RequestMode(target);
}

void ModeComics::Skip() {
  if (requested) return;
  StopVoice();
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
  GoOn();
}

int ModeComics::OnCommand(int id) {
  if (id == kSkip) Skip();
  return id;
}

int ModeComics::OnInput(InputEvent event) {
  if (event.type == InputType::KeyDown && event.value == kGameKeyEscape) return OnCommand(kSkip);
  const int id = overlay.OnInput(event);
  return id != 0 ? OnCommand(id) : 0;
}

bool ModeComics::OnActivate(bool wasActive) {
  SoundSystem* sound = App().sound();
  if (sound && voice != SoundSystem::kNoSound) {
    if (wasActive) {
      sound->PauseSound(voice);
    } else {
      sound->ResumeSound(voice);
    }
  }
  return false;
}

void ModeComics::OnFadeDone(Fade kind) {
  if (kind == Fade::Out && requested) App().SetMode(requested, true);
}

void ModeComics::Draw() {
  controls.DrawAll();
  Renderer* renderer = App().renderer();
  const bool shaken = renderer && (shakeX != 0.0f || shakeY != 0.0f);
  if (shaken) {
    const PixelOffsetPair pixel = renderer->PixelOffset();
    Matrix view = Matrix::Identity();
    view.m[3][0] = shakeX + pixel.x;
    view.m[3][1] = shakeY + pixel.y;
    view.m[3][2] = kEyeDistance;
    Matrix projection;
    projection.m[0][0] = 2.0f / renderer->Width();
    projection.m[1][1] = 2.0f / renderer->Height();
    projection.m[2][2] = 1.0f / (300.0f - 1.0f);
    projection.m[3][2] = 1.0f / (1.0f - 300.0f);
    projection.m[3][3] = 1.0f;
    renderer->SetTransform(TransformKind::View, view);
    renderer->SetTransform(TransformKind::Projection, projection);
  }
  pictures.DrawAll();
  if (shaken) renderer->SetupTransforms();
  overlay.DrawAll();
}

ModeComics& TheModeComics() {
  static ModeComics mode;
  return mode;
}
