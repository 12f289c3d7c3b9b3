#include "LevelItem.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "graphics/Renderer.h"
#include "graphics/TextureManager.h"
#include "level/DescriptorServices.h"
#include "level/GameController.h"
#include "level/GameDescriptors.h"
#include "level/GameSettings.h"
#include "level/HeadlessLevelScreen.h"
#include "level/Level.h"
#include "level/LevelBot.h"
#include "level/LevelDrawer.h"
#include "level/LevelEffects.h"
#include "level/LevelObjectUpdater.h"
#include "particles/ParticleManager.h"

namespace {

// What the descriptors and the level ask of the graphics: textures by their own name (never
// atlas sprites), masks by the wide-picture flag.
class ViewDescriptorServices final : public DescriptorServices {
 public:
  explicit ViewDescriptorServices(TextureManager& textures) : textures_(textures) {}
  bool HasTexture(std::string_view name) const override {
    return !name.empty() && textures_.HasImageFile(name);
  }
  bool IsMaskTexture(std::string_view name) const override {
    if (!HasTexture(name)) return false;
    const Texture* texture = textures_.Get(name, false);
    return texture && texture->Has(kTexturePackedWide);
  }
  void RegisterIcon(int, std::string_view) override {}

 private:
  TextureManager& textures_;
};

class LevelItem final : public ViewItem {
 public:
  explicit LevelItem(ViewServices& services)
      : renderer_(services.renderer),
        strings_(services.files),
        media_(services.textures),
        settings_(GameSettings::LoadGameSettings(services.files)),
        particles_(services.Particles()),
        effects_(&particles_),
        level_(descriptors_, &media_),
        game_(level_, settings_, screen_, nullptr, &effects_),
        drawer_(services.renderer, services.textures, settings_, &effects_),
        clicks_(services.clicks),
        bot_(game_),
        useBot_(services.bot) {}
  ~LevelItem() override { effects_.Clear(); }

  bool Begin(ViewServices& services, int episode, int number, int hover, std::string& error) {
    if (!descriptors_.LoadGameDescriptors(services.files, strings_, media_)) {
      error = "the descriptor tables do not load";
      return false;
    }
    if (!level_.LoadLevelFile(services.files, episode, number)) {
      error = "cannot read " + Level::LevelFileName(episode, number) + ": " + level_.readError;
      return false;
    }
    screen_.StartTimer(level_.timeNorm);
    game_.Begin();
    effects_.Sync(level_, true);
    if (hover != 0) {
      const WorldObject* o = level_.FindObject(hover);
      if (!o) {
        error = "no object " + std::to_string(hover) + " to hover";
        return false;
      }
      if (o->cls == WorldObject::kWaypoint) {
        options_.hoveredWaypoint = o;
        options_.hovered = o->link;
      } else {
        options_.hovered = o;
        if (o->backLink && o->backLink->cls == WorldObject::kWaypoint)
          options_.hoveredWaypoint = o->backLink;
      }
    }
    return true;
  }

  float Width() const override { return renderer_.Width(); }
  float Height() const override { return renderer_.Height(); }
  bool CoversScreen() const override { return true; }

  // One frame of the running level: the clicks due now go through the pointer rules the
  // level screen uses (pick, hover, click), then the controller's frame. What the level
  // screen is told is printed with the frame number.
  void Update(float frameMs) override {
    for (const ViewClick& click : clicks_) {
      if (click.frame != frame_) continue;
      WorldObject* p = game_.PickHovered(Vec2{click.x, click.y});
      game_.Hover(p);
      std::printf("%d: click %.0f,%.0f on %s\n", frame_, click.x, click.y,
                  p ? std::to_string(p->id).c_str() : "nothing");
      options_.hoveredWaypoint = p;
      options_.hovered = p ? p->link : nullptr;
      game_.Click(p);
    }
    if (useBot_) {
      if (const std::optional<Vec2> point = bot_.Decide(frameMs)) {
        std::printf("%d: bot clicks %.0f,%.0f\n", frame_, point->x, point->y);
        LevelBot::ClickAt(game_, *point);
        bot_.AfterClick();
      }
    }
    game_.Frame(frameMs);
    for (; logged_ < screen_.log.size(); ++logged_) {
      std::printf("%d: %s\n", frame_, screen_.log[logged_].c_str());
    }
    ++frame_;
  }
  void Draw(float, float, float) override {
    renderer_.BindTexture(nullptr);
    renderer_.AddQuad({-renderer_.HalfWidth(), renderer_.Height() / 2, renderer_.HalfWidth(),
                       -renderer_.Height() / 2},
                      kFullTexRect, 0xFF000000u);
    options_.above.clear();
    for (int i = 0; i < 2; ++i) options_.above.push_back(game_.hazards.Bird(i));
    drawer_.Draw(level_, options_);
    DrawWorkTimers();
  }

 private:
  // The level screen draws the work timers; kview shows them as plain bars over the objects.
  void DrawWorkTimers() {
    constexpr float kHalfWidth = 24, kHeight = 5;
    renderer_.BindTexture(nullptr);
    for (const WorkTimers::Timer& t : game_.timers.All()) {
      const WorldObject* o = level_.FindObject(t.id);
      if (!o || t.total <= 0) continue;
      const float x = o->position.x;
      const float y = o->position.y + float(o->desc ? o->desc->offs : 0);
      const float fill = -kHalfWidth + 2 * kHalfWidth * t.elapsed / t.total;
      renderer_.AddQuad({x - kHalfWidth - 1, y + kHeight + 1, x + kHalfWidth + 1, y - 1},
                        kFullTexRect, 0xC0202020u);
      renderer_.AddQuad({x - kHalfWidth, y + kHeight, x + fill, y}, kFullTexRect, 0xFF60D060u);
    }
  }

  Renderer& renderer_;
  StringTable strings_;
  ViewDescriptorServices media_;
  GameDescriptors descriptors_;
  GameSettings settings_;
  ParticleManager& particles_;
  LevelEffects effects_;
  Level level_;
  HeadlessLevelScreen screen_;
  GameController game_;
  LevelDrawer drawer_;
  LevelDrawOptions options_;
  std::vector<ViewClick> clicks_;
  LevelBot bot_;
  bool useBot_ = false;
  int frame_ = 0;
  size_t logged_ = 0;
};

bool Number(std::string_view text, int& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::unique_ptr<ViewItem> MakeLevelItem(ViewServices& services, std::string_view argument,
                                        std::string& error) {
  const size_t colon = argument.find(':');
  int episode = 0, number = 0;
  if (colon == std::string_view::npos || !Number(argument.substr(0, colon), episode) ||
      !Number(argument.substr(colon + 1), number) || episode < 0 || number < 0) {
    error = "not a level: " + std::string(argument) + " (level:EPISODE:LEVEL)";
    return nullptr;
  }
  auto item = std::make_unique<LevelItem>(services);
  if (!item->Begin(services, episode, number, services.hover, error)) return nullptr;
  return item;
}
