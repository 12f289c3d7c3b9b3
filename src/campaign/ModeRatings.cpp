#include "campaign/ModeRatings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/Application.h"
#include "base/GameKeys.h"
#include "data/Utf8.h"
#include "gui/GUIText.h"
#include "gui/GUITilePic.h"
#include "progress/IntegerFormat.h"
#include "progress/RecordTables.h"

namespace {

constexpr int kTitle = 9;
constexpr int kTimeHeading = 1204;
constexpr int kPrevious = 3, kNext = 4;
constexpr int kLevelTab = 13, kTotalTab = 14;
constexpr int kNameIds = 1210, kTimeIds = 1220, kDateIds = 1230, kScoreIds = 1240;
constexpr int kArrowEpisodes = 4;  // the arrows keep to episodes 1-4
constexpr uint32_t kHintColour = 0xFF282828u;

void RatingsClick() {
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
}

const std::u16string& RatingsString(std::string_view key) {
  static const std::u16string none;
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : none;
}

std::u16string RatingsAscii(const char* text) { return std::u16string(text, text + std::strlen(text)); }

}  // namespace

ModeRatings& TheModeRatings() {
  static ModeRatings mode;
  return mode;
}

ModeRatings::ModeRatings() {
  // A rebuild (arrows, tabs) deletes every control: the references held here go with them.
  controls.SetDeletionListener([this](const GUIControl& control) {
    if (&control == infoText) infoText = nullptr;
    if (&control == tooltip) tooltip = nullptr;
  });
}

ModeRatings::~ModeRatings() = default;

void ModeRatings::Accept(const ModeRequest& request) {
  back_ = request.back;
  episode = request.episode;
  level = request.level;
}

void ModeRatings::StepBack(int& e, int& l) {
  if (l > 1 && e >= 1 && e <= Progress::kCampaignEpisodes && l <= Progress::kCampaignLevels) {
    --l;
  } else if (e > 1 && e <= Progress::kCampaignEpisodes) {
    --e, l = Progress::kCampaignLevels;
  } else {
    e = kArrowEpisodes, l = Progress::kCampaignLevels;
  }
}

void ModeRatings::StepOn(int& e, int& l) {
  if (l >= 1 && l < Progress::kCampaignLevels && e >= 1 && e <= Progress::kCampaignEpisodes) {
    ++l;
  } else if (e >= 1 && e < kArrowEpisodes) {
    ++e, l = 1;
  } else {
    e = 1, l = 1;
  }
}

const RecordTable& ModeRatings::TableOf(const RecordTables& tables, int e, int l) {
  if (e == 0) return tables.total;
  return tables.Level(std::clamp(e, 1, RecordTables::kEpisodeSlots),
                      std::clamp(l, 1, RecordTables::kLevelSlots));
}

void ModeRatings::Enter() {
  requested = nullptr;
  Mode::Enter();
  if (StringTable* strings = App().strings()) strings->Load("ratings");
  Build();
}

void ModeRatings::Build() {
  // A level outside the campaign, or half of one, shows the overall table.
  const bool valid = episode >= 1 && episode <= Progress::kCampaignEpisodes && level >= 1 &&
                     level <= Progress::kCampaignLevels;
  if (!valid) episode = level = 0;
  controls.LoadLayout("ratings_gui", true);
  MakeTooltip();
  const bool total = episode == 0;
  if (GUIControl* title = controls.Find(kTitle)) {
    title->SetText(total ? RatingsString("total_score")
                         : RatingsString("level") + u" " + IntegerText(episode) + u"." + IntegerText(level));
  }
  static const RecordTables kNoRecords{};
  const PlayerProfiles* profiles = App().profiles();
  const RecordTable& table = TableOf(profiles ? profiles->records : kNoRecords, episode, level);
  for (int k = 1; k <= int(RecordTable::kEntries); ++k) {
    const RecordEntry& e = table.entries[size_t(k - 1)];
    if (GUIControl* name = controls.Find(kNameIds + k)) name->SetText(FontManager::Literal(e.Name()));
    if (GUIControl* time = controls.Find(kTimeIds + k)) {
      const int seconds = std::max(e.seconds, 0);
      char clock[32];
      std::snprintf(clock, sizeof clock, "%d:%02d", seconds / 60, seconds % 60);
      time->SetText(RatingsAscii(clock));
      time->visible = !total;
    }
    if (GUIControl* date = controls.Find(kDateIds + k)) {
      date->SetText(DecodeUtf8(FormatRecordDate(e.date)));
    }
    if (GUIControl* score = controls.Find(kScoreIds + k)) score->SetText(IntegerText(e.score));
  }
  for (const int id : {kTimeHeading, kPrevious, kNext}) {
    if (GUIControl* c = controls.Find(id)) c->visible = !total;
  }
  if (GUIControl* tab = controls.Find(kLevelTab)) tab->active = !total;
  if (GUIControl* tab = controls.Find(kTotalTab)) tab->active = total;
}

void ModeRatings::MakeTooltip() {
  auto hint = std::make_unique<GUIHint>();
  if (SpriteManager* sprites = App().sprites()) hint->Background().SetSprite(sprites->Get("hintback"));
  GUITilePic& back = hint->Background();
  back.tileWidth = Gui().Value("if_gm_obj_hint_w", back.tileWidth);
  back.tileHeight = Gui().Value("if_gm_obj_hint_h", back.tileHeight);
  hint->fontId = Gui().IntValue("ft_game_hint", 0);
  hint->SetFontSize(Gui().Value("fs_game_hint", 20));
  hint->colour = kHintColour;
  hint->id = 0;
  tooltip = static_cast<GUIHint*>(AddControl(std::move(hint)));
}

void ModeRatings::Update() {
  Mode::Update();
  UpdateTooltip();
}

void ModeRatings::UpdateTooltip() {
  if (!tooltip) return;
  const GUIControl* over = controls.Hovered();
  if (!over || over == tooltip || over->id <= 0) return;
  char key[32];
  std::snprintf(key, sizeof key, "rat_control%03d", over->id);
  const std::u16string& text = RatingsString(key);
  if (text.empty()) return;
  std::snprintf(key, sizeof key, "if_rt_control%03d_y", over->id);
  const float v = Gui().Value(key, 0);
  const GuiPoint at = Gui().Pointer();
  tooltip->Show(at.x + 10, at.y - v + 8, 30, 25, text, 100, -1);
  tooltip->timeLeft = kTooltipHoldMs;
  tooltip->Update(kTooltipStepMs);
  controls.BringToTop(tooltip);
}

void ModeRatings::Leave() {
  tooltip = nullptr;
  controls.Clear();
  if (TextureManager* textures = App().textures()) textures->EvictUnloadable();
}

void ModeRatings::OnFadeDone(Fade kind) {
  if (kind == Fade::Out && requested) App().SetMode(requested, true);
}

int ModeRatings::OnCommand(int id) {
  switch (id) {
    case 1:
      RatingsClick();
      if (Mode* game = App().ModeOf(ModeId::Game)) RequestMode(game);
      break;
    case 2:
      RatingsClick();
      RequestMode(ShowScreen(back_ != ModeId::None ? back_ : ModeId::Map));
      break;
    case kPrevious:
      StepBack(episode, level);
      Build();
      break;
    case kNext:
      StepOn(episode, level);
      Build();
      break;
    case kLevelTab:
    case kTotalTab:
      RatingsClick();
      episode = level = episode != 0 ? 0 : 1;
      Build();
      break;
    default:
      break;
  }
  return id;
}

int ModeRatings::OnInput(InputEvent event) {
  const int id = controls.OnInput(event);
  if (id > 0) {
    OnCommand(id);
    return id;
  }
  if (event.type == InputType::KeyDown && event.value == kGameKeyEscape) OnCommand(2);
  return 0;
}
