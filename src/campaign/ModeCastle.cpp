#include "campaign/ModeCastle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "data/XmlDocument.h"
#include "gui/GUIDialog.h"
#include "gui/GUIMessageBox.h"
#include "gui/GUIParticles.h"
#include "gui/GUIPic.h"
#include "progress/IntegerFormat.h"

namespace {

constexpr float kCanvasHalfWidth = 640;
constexpr float kCanvasHalfHeight = 384;
constexpr float kDialogFadeMs = 120;
constexpr const char* kDefaultEffect = "castle_part";
constexpr int kPartCount = 8;  // the text that tells how many parts stand

float Finite(float v) { return std::isfinite(v) ? v : 0.0f; }

void CastleClick() {
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
}

// The newest part's alpha: linear progress through the flicker, clamped; exactly 1 at the end.
class FlickerAlphaChanger final : public InterpolatingChanger {
 public:
  explicit FlickerAlphaChanger(float seconds)
      : InterpolatingChanger(ChangerTiming::Duration, seconds, Easing::Linear) {}

 private:
  float DurationAtSpeed(float) const override { return duration; }
  void Apply(GUIControl& control, float p) override {
    const float a = p >= 1.0f ? 1.0f : std::clamp(ModeCastle::Flicker(p), 0.0f, 1.0f);
    control.SetAlpha(int(a * 255.0f));
  }
};

}  // namespace

ModeCastle& TheModeCastle() {
  static ModeCastle mode;
  return mode;
}

ModeCastle::ModeCastle() {
  controls.SetDeletionListener([this](const GUIControl& control) {
    if (&control == infoText) infoText = nullptr;
    if (&control == newPart) newPart = nullptr;
  });
}

ModeCastle::~ModeCastle() = default;

float ModeCastle::Flicker(float t) {
  constexpr float kPulse = 4.5f * std::numbers::pi_v<float>;
  return t * ((std::sin(kPulse * t) + 1.0f) * 0.5f + 0.15f * t);
}

int ModeCastle::ThreeStarLevels(const Progress& p) {
  int k = 0;
  for (int e = 1; e <= 4; ++e) {
    for (int l = 1; l <= Progress::kCampaignLevels; ++l) k += p.Record(e, l).stars >= 3 ? 1 : 0;
  }
  k += p.Record(5, 11).stars >= 3 ? 1 : 0;
  return std::min(k, kMaxParts);
}

std::vector<CastlePart> ModeCastle::ReadParts(const XmlDocument& document, int count) {
  std::vector<CastlePart> parts;
  const XmlElement root = document.FirstChild(XmlElement(), "PartTable");
  for (XmlElement e = root.FirstChild("part"); e && int(parts.size()) < count;
       e = e.NextSibling("part")) {
    CastlePart part;
    part.name = e.Text("name");
    part.x = Finite(e.Float("x", 0));
    part.y = Finite(e.Float("y", 0));
    part.w = Finite(e.Float("w", 0));
    part.h = Finite(e.Float("h", 0));
    if (e.Count("offset") == 2) {
      const XmlPoint offset = e.Point("offset");
      part.offsetX = Finite(offset.x);
      part.offsetY = Finite(offset.y);
    }
    part.effect = e.Text("effect");
    parts.push_back(std::move(part));
  }
  return parts;
}

bool ModeCastle::Load() {
  if (!Mode::Load()) return false;
  showNewPart = false;
  return true;
}

void ModeCastle::Accept(const ModeRequest& request) {
  back_ = request.back;
  then_ = request.then;
  toComics = then_ != nullptr;
}

void ModeCastle::Enter() {
  requested = nullptr;
  Mode::Enter();
  if (StringTable* strings = App().strings()) strings->Load("castle");
  Build();
}

void ModeCastle::Build() {
  Application& app = App();
  controls.LoadLayout("castle_gui", true);
  partEffect.reset();
  newPart = nullptr;
  showNewPart = true;
  static const Progress kNewPlayer{};
  const Progress& progress = app.profiles() ? app.profiles()->progress : kNewPlayer;
  const int k = ThreeStarLevels(progress);
  if (k == 0) showNewPart = false;
  XmlDocument document = app.files() ? XmlDocument(*app.files()) : XmlDocument();
  if (k > 0 && app.files()) document.Load("castle_parts");
  const std::vector<CastlePart> parts = ReadParts(document, k);
  for (size_t i = 0; i < parts.size(); ++i) {
    const CastlePart& part = parts[i];
    auto pic = std::make_unique<GUIPic>();
    Sprite* sprite = app.sprites() && !part.name.empty() ? app.sprites()->Get(part.name) : nullptr;
    pic->SetSprite(sprite);
    const float w = part.w != 0 ? part.w : (sprite ? sprite->width : 0.0f);
    const float h = part.h != 0 ? part.h : (sprite ? sprite->height : 0.0f);
    const float x0 = part.x - kCanvasHalfWidth, y0 = kCanvasHalfHeight - part.y;
    pic->rect = Rect{x0, y0, x0 + w, y0 - h};
    GUIControl* added = controls.Add(std::move(pic));
    if (int(i) + 1 != k || !showNewPart) continue;
    newPart = added;
    newPart->SetAlpha(0);
    effectOffsetX = part.offsetX;
    effectOffsetY = part.offsetY;
    const float cx = CentreX(added->rect) + effectOffsetX;
    const float cy = CentreY(added->rect) + effectOffsetY;
    partEffect = std::make_unique<GUIParticles>();
    partEffect->effectName = part.effect.empty() ? kDefaultEffect : part.effect;
    partEffect->rect = Rect{cx - 0.5f, cy - 0.5f, cx + 0.5f, cy + 0.5f};
    partEffect->Restart();
  }
  controls.LoadLayout("castle_ovr", false);
  if (GUIControl* count = controls.Find(kPartCount); count && app.strings()) {
    count->SetText(FormatIntegers(app.strings()->Get("castle_progress"), {k}));
  }
}

void ModeCastle::Leave() {
  partEffect.reset();
  controls.Clear();
  newPart = nullptr;
  if (TextureManager* textures = App().textures()) textures->EvictUnloadable();
}

void ModeCastle::Release() {
  // The held-back effect belongs to the particle service, which ends with the application.
  partEffect.reset();
  newPart = nullptr;
  Mode::Release();
}

void ModeCastle::OnFadeDone(Fade kind) {
  Application& app = App();
  if (kind == Fade::Out) {
    if (requested) app.SetMode(requested, true);
    return;
  }
  if (kind != Fade::In || !showNewPart) return;
  showNewPart = false;
  if (SoundSystem* sound = app.sound()) sound->PlaySound("castle_part");
  PlayerProfiles* profiles = app.profiles();
  const bool explained = profiles && (profiles->progress.options & Progress::kWonderExplained);
  if (explained || !profiles) {
    Reveal();
    return;
  }
  profiles->progress.options |= Progress::kWonderExplained;
  profiles->SaveProgress();
  const StringTable* strings = app.strings();
  ShowOkDialog(strings ? strings->Get("wonder_explain") : std::u16string());
}

void ModeCastle::ShowOkDialog(const std::u16string& text) {
  std::unique_ptr<GUIOkDialog> box = GUIOkDialog::Create(text);
  if (!box) {
    // Without the message box layout there is nothing to wait for.
    Reveal();
    return;
  }
  GUIOkDialog* shown = box.get();
  AddControl(std::move(box));
  shown->Show(kDialogFadeMs);
}

void ModeCastle::Update() {
  Mode::Update();
  auto* dialog = dynamic_cast<GUIDialog*>(controls.TopDialog());
  if (!dialog || dialog->Result() == 0) return;
  CastleClick();
  controls.Remove(dialog);
  controls.ResetAll();
  Reveal();
}

void ModeCastle::Reveal() {
  if (partEffect) controls.Add(std::move(partEffect));
  if (newPart) {
    newPart->AddChanger(std::make_unique<FlickerAlphaChanger>(kRevealSeconds));
    newPart = nullptr;
  }
}

int ModeCastle::OnCommand(int id) {
  if (id != 1 && id != 2) return id;
  CastleClick();
  ModeRequest target = ShowScreen(back_ != ModeId::None ? back_ : ModeId::Map);
  if (toComics && then_) target = *then_;
  toComics = false;
  then_.reset();
  RequestMode(target);
  return id;
}

int ModeCastle::OnInput(InputEvent event) {
  const int id = controls.OnInput(event);
  if (id > 0) {
    OnCommand(id);
    return id;
  }
  if (event.type == InputType::KeyDown && event.value == kGameKeyEscape) OnCommand(2);
  return 0;
}
