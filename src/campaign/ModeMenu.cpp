#include "campaign/ModeMenu.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/Application.h"
#include "app/SettingsDlg.h"
#include "base/GameKeys.h"
#include "campaign/BannerDlg.h"
#include "campaign/DiffSelDlg.h"
#include "campaign/LangSelDlg.h"
#include "campaign/MenuPopupDlg.h"
#include "campaign/PlayerDlg.h"
#include "campaign/PlayerNameDlg.h"
#include "data/Language.h"
#include "gui/GUIMessageBox.h"
#include "level/Level.h"
#include "level/LevelData.h"

namespace {

constexpr float kExitFadeMs = 120.0f;

const std::u16string& Lookup(std::string_view key) {
  static const std::u16string none;
  const StringTable* strings = App().strings();
  return strings ? strings->Get(key) : none;
}

bool Shown(const GUIControl* dialog) { return dialog && dialog->visible; }

void Close(GUIDialog* dialog) {
  if (dialog) dialog->Hide();
}

}  // namespace

ModeMenu& TheModeMenu() {
  static ModeMenu mode;
  return mode;
}

ModeMenu::ModeMenu() {
  controls.SetDeletionListener([this](const GUIControl& control) {
    const auto forget = [&control](auto*& member) {
      if (member && static_cast<const GUIControl*>(member) == &control) member = nullptr;
    };
    forget(infoText);
    forget(exitDialog);
    forget(continueDialog);
    forget(settingsDialog);
    forget(popupDialog);
    forget(restartDialog);
    forget(replayDialog);
    forget(playerDialog);
    forget(nameDialog);
    forget(existsDialog);
    forget(createDialog);
    forget(deleteDialog);
    forget(newGameDialog);
    forget(languageDialog);
    forget(banner);
  });
}

ModeMenu::~ModeMenu() = default;

// ---------------------------------------------------------------- building

bool ModeMenu::Load() {
  if (!Mode::Load()) return false;
  if (StringTable* strings = App().strings()) strings->Load("banner");
  BuildControls();
  return true;
}

void ModeMenu::BuildControls() {
  controls.LoadLayout("menu", true);
  nextDialogId_ = kFirstDialogId;
  GUIDialog& exit = MakeQuestion(exitDialog, "really_exit");
  exit.Hide();
  // The language button shows only where there is a choice of languages.
  if (GUIControl* language = controls.Find(kLanguage)) language->visible = LanguageFolders() > 1;
  const StringTable* strings = App().strings();
  if (strings && !strings->Get("banner_url").empty()) Make(banner, kBannerLink);
}

template <class D, class... Args>
D& ModeMenu::Make(D*& member, Args&&... args) {
  if (!member) {
    auto dialog = std::make_unique<D>(std::forward<Args>(args)...);
    dialog->Hide();
    member = static_cast<D*>(controls.Add(std::move(dialog)));
  }
  return *member;
}

GUIDialog& ModeMenu::MakeBox(GUIDialog*& member, std::unique_ptr<GUIDialog> box) {
  if (!member) {
    box->id = NextDialogId();
    box->Hide();
    member = static_cast<GUIDialog*>(controls.Add(std::move(box)));
  }
  return *member;
}

GUIDialog& ModeMenu::MakeQuestion(GUIDialog*& member, const char* key) {
  return member ? *member : MakeBox(member, GUIYesNoDialog::Create(Lookup(key)));
}

GUIDialog& ModeMenu::MakeNotice(GUIDialog*& member, const char* key) {
  return member ? *member : MakeBox(member, GUIOkDialog::Create(Lookup(key)));
}

GUIDialog& ModeMenu::ContinueDialog() {
  return MakeQuestion(continueDialog, "continue_saved_game");
}
SettingsDlg& ModeMenu::SettingsDialog() { return Make(settingsDialog, NextDialogId()); }
MenuPopupDlg& ModeMenu::PopupDialog() { return Make(popupDialog, NextDialogId()); }
GUIDialog& ModeMenu::RestartDialog() { return MakeQuestion(restartDialog, "restart_confirm"); }
GUIDialog& ModeMenu::ReplayDialog() { return MakeQuestion(replayDialog, "replay_warning"); }
PlayerDlg& ModeMenu::PlayerDialog() { return Make(playerDialog, NextDialogId()); }
PlayerNameDlg& ModeMenu::NameDialog() { return Make(nameDialog, NextDialogId()); }
GUIDialog& ModeMenu::ExistsDialog() { return MakeNotice(existsDialog, "player_exists"); }
GUIDialog& ModeMenu::CreateDialog() { return MakeNotice(createDialog, "player_create"); }
GUIDialog& ModeMenu::DeleteDialog() { return MakeQuestion(deleteDialog, "are_you_sure"); }
DiffSelDlg& ModeMenu::NewGameDialog() { return Make(newGameDialog, NextDialogId()); }
LangSelDlg& ModeMenu::LanguageDialog() { return Make(languageDialog, NextDialogId()); }

int ModeMenu::LanguageFolders() {
  int count = 0;
  std::error_code error;
  for (int n = 1; n <= kLanguageCount; ++n) {
    const std::string folder = "locale/" + std::string(LanguageCode(n));
    if (std::filesystem::is_directory(folder, error) ||
        std::filesystem::is_regular_file(folder + ".pak", error)) {
      ++count;
    }
  }
  return count;
}

int ModeMenu::Language() const {
  Application& app = App();
  const int setting = app.profiles() ? app.profiles()->settings.language : 0;
  return LanguageFromSetting(setting, app.platform().UserLanguage());
}

void ModeMenu::RefreshPlayerButton() {
  GUIControl* button = controls.Find(kPlayerButton);
  if (!button) return;
  const PlayerProfiles* profiles = App().profiles();
  const std::u16string name = FontManager::Literal(profiles ? profiles->CurrentName() : u"");
  const std::u16string text =
      Lookup("welcome_user") + u" " + name + u". " + Lookup("change_player");
  button->SetText(text);
  GUIControl* back = controls.Find(kPlayerBack);
  FontManager* fonts = App().fonts();
  if (!back || !fonts || fonts->FontCount() == 0) return;
  fonts->SelectFont(button->fontId);
  const float width = fonts->MeasureText(text, button->fontSize, false) +
                      Gui().Value("if_mm_name_add", kNameMargin);
  if (!std::isfinite(width) || width <= 0.0f) return;
  // Resized about its centre, keeping its height and its corner order.
  const float cx = CentreX(back->rect), half = width * 0.5f;
  Rect r = back->rect;
  const bool leftFirst = r.x0 <= r.x1;
  r.x0 = leftFirst ? cx - half : cx + half;
  r.x1 = leftFirst ? cx + half : cx - half;
  back->SetRect(r);
}

// ---------------------------------------------------------------- the mode

void ModeMenu::Enter() {
  requested = nullptr;
  Mode::Enter();
  if (SoundSystem* sound = App().sound()) sound->PlayMusic("main_menu");
  RefreshPlayerButton();
  if (banner) banner->SlideOut();
}

void ModeMenu::Draw() {
  Application& app = App();
  Renderer* renderer = app.renderer();
  TextureManager* textures = app.textures();
  if (renderer && textures) {
    if (app.CommonShader()) renderer->SetShader(app.CommonShader());
    if (Texture* back = textures->Get("menu_back")) {
      renderer->BindTexture(back, 0);
      renderer->DrawWideBackground(kWhite, false);
    } else {
      renderer->Clear(0xFF000000u);
    }
  }
  Mode::Draw();
}

void ModeMenu::Leave() {
  if (TextureManager* textures = App().textures()) textures->EvictUnloadable();
}

void ModeMenu::Release() {
  Mode::Release();
  loaded = false;
}

void ModeMenu::OnFadeDone(Fade kind) {
  Application& app = App();
  if (kind == Fade::In) {
    if (banner) banner->SlideIn();
    return;
  }
  if (kind != Fade::Out) return;
  Mode* target = requested;
  if (!target) {
    app.quit = true;
    return;
  }
  if (TextureManager* textures = app.textures()) textures->EvictUnloadable();
  app.SetMode(target, target == app.ModeOf(ModeId::Map) || target == app.ModeOf(ModeId::Game));
}

void ModeMenu::Leave(const ModeRequest& target) {
  if (App().fadeState == Fade::Out) return;
  RequestMode(target);
}

void ModeMenu::PlayClick() {
  if (SoundSystem* sound = App().sound()) sound->PlaySound("button_click");
}

// ---------------------------------------------------------------- commands

int ModeMenu::OnCommand(int id) {
  switch (id) {
    case kPlay:
      PlayClick();
      Play();
      break;
    case kExit:
      PlayClick();
      if (exitDialog) exitDialog->Show(kExitFadeMs);
      break;
    case kMore:
      PlayClick();
      PopupDialog().Show(0);
      controls.BringToTop(popupDialog);
      break;
    case kCredits:
      PlayClick();
      Leave(ShowCredits(ModeId::Menu));
      break;
    case kLanguage:
      PlayClick();
      LanguageDialog().Fill(Language());
      languageDialog->Show(0);
      controls.BringToTop(languageDialog);
      break;
    case kPlayerButton:
      PlayClick();
      if (App().profiles()) PlayerDialog().Fill(*App().profiles());
      PlayerDialog().Show(0);
      controls.BringToTop(playerDialog);
      break;
    case kBannerLink:
      if (banner) OpenLink();
      break;
    default:
      if (id >= SettingsDlg::kEffects && id <= SettingsDlg::kOk) SettingsCommand(id);
      if (SettingsDlg::IsComfortCommand(id) && settingsDialog) {
        PlayClick();
        settingsDialog->ComfortCommand(id);
      }
      break;
  }
  return id;
}

bool ModeMenu::HasPlayableGame(PlayerProfiles& profiles) {
  const std::optional<std::string> saved = profiles.LoadGame();
  if (!saved) return false;
  const GameDescriptors* descriptors = App().descriptors();
  if (!descriptors) return true;
  Level level(*descriptors);
  if (level.ReadLevel(*saved) && IsOrdinary(level.mode)) return true;
  profiles.SetGameAside();
  return false;
}

void ModeMenu::Play() {
  PlayerProfiles* profiles = App().profiles();
  if (profiles && HasPlayableGame(*profiles)) {
    ContinueDialog().Show(0);
    controls.BringToTop(continueDialog);
  } else if (profiles && (profiles->progress.options & Progress::kNewGameStarted) != 0) {
    Leave(ShowScreen(ModeId::Map));
  } else {
    NewGameDialog().Show(0);
    controls.BringToTop(newGameDialog);
  }
}

void ModeMenu::OpenLink() {
  Application& app = App();
  if (!app.strings()) return;
  const std::string address = BannerDlg::LinkAddress(*app.strings());
  if (!address.empty()) app.platform().OpenAddress(address);
}

void ModeMenu::FillSettings() {
  Application& app = App();
  if (!app.profiles() || !settingsDialog) return;
  const Settings& settings = app.profiles()->settings;
  const bool noTutorial = (app.profiles()->progress.options & Progress::kNoTutorialSpeech) != 0;
  const float effects =
      app.sound() ? app.sound()->EffectsVolume() : float(settings.effectsVolume) / 100.0f;
  const float music =
      app.sound() ? app.sound()->MusicVolume() : float(settings.musicVolume) / 100.0f;
  settingsDialog->Fill(effects, music, settings, noTutorial);
}

void ModeMenu::SettingsCommand(int id) {
  Application& app = App();
  PlayerProfiles* profiles = app.profiles();
  SettingsDlg* dialog = settingsDialog;
  const float volume = dialog ? dialog->Volume(id) : -1.0f;
  switch (id) {
    case SettingsDlg::kEffects:
      if (app.sound() && volume >= 0) app.sound()->SetEffectsVolume(volume);
      break;
    case SettingsDlg::kMusic:
      if (app.sound() && volume >= 0) app.sound()->SetMusicVolume(volume);
      break;
    case SettingsDlg::kCursor:
      if (profiles) app.SetDrawnCursor(!profiles->settings.drawnCursor());
      break;
    case SettingsDlg::kFullscreen:
      if (profiles) app.SetFullscreen(!profiles->settings.fullscreen());
      break;
    case SettingsDlg::kNoTutorial:
      if (profiles) {
        profiles->progress.options ^= Progress::kNoTutorialSpeech;
        profiles->SaveProgress();
      }
      break;
    case SettingsDlg::kOk: {
      PlayClick();
      if (!profiles) break;
      const float effects = dialog ? dialog->Volume(SettingsDlg::kEffects) : -1.0f;
      const float music = dialog ? dialog->Volume(SettingsDlg::kMusic) : -1.0f;
      Close(dialog);
      const Settings& s = profiles->settings;
      app.StoreVolumes(music >= 0 ? music : float(s.musicVolume) / 100.0f,
                       effects >= 0 ? effects : float(s.effectsVolume) / 100.0f);
      break;
    }
    default:
      break;
  }
}

// ---------------------------------------------------------------- input

int ModeMenu::OnInput(InputEvent event) {
  if (event.type == InputType::KeyDown && event.value == kGameKeyEscape) {
    OnEscape();
    return 0;
  }
  const int id = controls.OnInput(event);
  if (id > 0) OnCommand(id);
  return id;
}

void ModeMenu::OnEscape() {
  // The first open dialog in this order gets its answer.
  GUIDialog* const cancelledBy3[] = {restartDialog, replayDialog, continueDialog, createDialog,
                                     existsDialog,  nameDialog,   playerDialog};
  if (Shown(popupDialog)) {
    popupDialog->SetResult(MenuPopupDlg::kClose);
    return;
  }
  if (Shown(settingsDialog)) {
    OnCommand(SettingsDlg::kOk);
    return;
  }
  for (GUIDialog* dialog : cancelledBy3) {
    if (Shown(dialog)) {
      dialog->SetResult(3);
      return;
    }
  }
  if (Shown(languageDialog)) {
    languageDialog->SetResult(LangSelDlg::kCancel);
    return;
  }
  // A new game has to be given its difficulty.
  if (Shown(newGameDialog)) return;
  if (Shown(exitDialog)) {
    exitDialog->SetResult(2);
    return;
  }
  OnCommand(kExit);
}

// ---------------------------------------------------------------- answers

void ModeMenu::Update() {
  Mode::Update();
  TakeExitAnswer();
  TakeNewGameAnswer();
  TakeNoticeAnswers();
  TakeDeleteAnswer();
  TakePlayerAnswer();
  TakeNameAnswer();
  TakeContinueAnswer();
  TakePopupAnswer();
  TakeRestartAnswers();
  TakeSettingsAnswer();
  // A language change rebuilds the whole menu: nothing may follow it in this frame.
  if (TakeLanguageAnswer()) return;
}

void ModeMenu::TakeExitAnswer() {
  const int result = exitDialog ? exitDialog->TakeResult() : 0;
  if (result == 0) return;
  PlayClick();
  if (result == 1) {
    Leave(ShowScreen(ModeId::None));
  } else {
    exitDialog->Hide();
  }
}

void ModeMenu::TakeNewGameAnswer() {
  const int result = newGameDialog ? newGameDialog->TakeResult() : 0;
  if (result == 0) return;
  newGameDialog->Hide();
  PlayClick();
  StartNewGame(result);
}

void ModeMenu::StartNewGame(int result) {
  Application& app = App();
  if (PlayerProfiles* profiles = app.profiles()) {
    Progress& progress = profiles->progress;
    const int difficulty = DiffSelDlg::DifficultyOf(result);
    if (difficulty >= 0) progress.difficulty = Difficulty(difficulty);
    progress.options &= ~Progress::kNoTutorialSpeech;
    progress.options |= Progress::kNewGameStarted | Progress::kNewGameStartedToo;
    profiles->SaveProgress();
    profiles->SaveSettings();
  }
  Leave(ShowComic(1, PlayLevel(1, 1)));
}

void ModeMenu::TakeNoticeAnswers() {
  if (existsDialog && existsDialog->Result() != 0) {
    PlayClick();
    existsDialog->Hide();
  }
  if (createDialog && createDialog->Result() != 0) {
    PlayClick();
    createDialog->Hide();
    if (nameDialog) controls.BringToTop(nameDialog);
  }
}

void ModeMenu::TakeDeleteAnswer() {
  const int result = deleteDialog ? deleteDialog->TakeResult() : 0;
  if (result == 0) return;
  PlayClick();
  deleteDialog->Hide();
  if (result == 1) DeletePlayer();
}

void ModeMenu::DeletePlayer() {
  PlayerProfiles* profiles = App().profiles();
  if (!profiles) return;
  const int selected = playerDialog ? playerDialog->Selected() : -1;
  if (selected >= 0) profiles->DeletePlayer(selected);
  if (playerDialog) playerDialog->Fill(*profiles);
  RefreshPlayerButton();
  if (profiles->PlayerCount() > 0) return;
  NameDialog().Show(0);
  controls.BringToTop(nameDialog);
  CreateDialog().Show(0);
  controls.BringToTop(createDialog);
}

void ModeMenu::TakePlayerAnswer() {
  const int result = playerDialog ? playerDialog->TakeResult() : 0;
  if (result == 0) return;
  PlayerProfiles* profiles = App().profiles();
  switch (result) {
    case PlayerDlg::kOk:
      PlayClick();
      if (profiles && playerDialog->Selected() >= 0) {
        profiles->SelectPlayer(playerDialog->Selected());
      }
      playerDialog->Hide();
      RefreshPlayerButton();
      break;
    case PlayerDlg::kCancel:
      PlayClick();
      playerDialog->Hide();
      break;
    case PlayerDlg::kNew:
      NameDialog().Show(0);
      controls.BringToTop(nameDialog);
      break;
    case PlayerDlg::kDelete:
      DeleteDialog().Show(0);
      controls.BringToTop(deleteDialog);
      break;
    default:
      break;
  }
}

void ModeMenu::TakeNameAnswer() {
  const int result = nameDialog ? nameDialog->TakeResult() : 0;
  if (result == 0) return;
  ApplyNameResult(result);
}

void ModeMenu::ApplyNameResult(int result) {
  PlayerProfiles* profiles = App().profiles();
  if (!profiles) return;
  if (result == PlayerNameDlg::kOk || result == PlayerNameDlg::kInput) {
    const std::u16string name = PlayerNameDlg::Trim(nameDialog->Text());
    if (name.empty()) return;
    const auto& names = profiles->names();
    if (std::find(names.begin(), names.end(), name) != names.end()) {
      ExistsDialog().Show(0);
      controls.BringToTop(existsDialog);
      return;
    }
    PlayClick();
    if (!profiles->AddPlayer(name) && profiles->PlayerCount() == 0) {
      // No slot could be cleared for the player (the disk refuses): the name is asked again.
      CreateDialog().Show(0);
      controls.BringToTop(createDialog);
      return;
    }
    Close(playerDialog);
    Close(nameDialog);
    RefreshPlayerButton();
  } else if (result == PlayerNameDlg::kCancel || result == 3) {
    PlayClick();
    if (profiles->PlayerCount() > 0) {
      nameDialog->Hide();
    } else {
      CreateDialog().Show(0);
      controls.BringToTop(createDialog);
    }
  }
}

void ModeMenu::TakeContinueAnswer() {
  const int result = continueDialog ? continueDialog->TakeResult() : 0;
  if (result == 0) return;
  PlayClick();
  if (result == 1) {
    continueDialog->Hide();
    Leave(ContinueSavedLevel());
  } else if (result == 2) {
    continueDialog->Hide();
    if (PlayerProfiles* profiles = App().profiles()) profiles->DeleteGame();
    Leave(ShowScreen(ModeId::Map));
  }
}

void ModeMenu::TakePopupAnswer() {
  const int result = popupDialog ? popupDialog->TakeResult() : 0;
  if (result == 0) return;
  popupDialog->Hide();
  PlayClick();
  switch (result) {
    case MenuPopupDlg::kSettings:
      SettingsDialog().Show(0);
      FillSettings();
      controls.BringToTop(settingsDialog);
      break;
    case MenuPopupDlg::kCredits:
      Leave(ShowCredits(ModeId::Menu));
      break;
    case MenuPopupDlg::kRestart:
      RestartDialog().Show(0);
      controls.BringToTop(restartDialog);
      break;
    default:
      break;
  }
}

void ModeMenu::TakeRestartAnswers() {
  if (restartDialog && restartDialog->Result() != 0) {
    const int result = restartDialog->Result();
    PlayClick();
    restartDialog->Hide();
    if (result == 1) {
      ReplayDialog().Show(0);
      controls.BringToTop(replayDialog);
    }
  }
  if (replayDialog && replayDialog->Result() != 0) {
    const int result = replayDialog->Result();
    PlayClick();
    replayDialog->Hide();
    if (result == 1 && App().profiles()) App().profiles()->ResetProgress();
  }
}

void ModeMenu::TakeSettingsAnswer() {
  if (!settingsDialog) return;
  const int result = settingsDialog->Result();
  if ((result < SettingsDlg::kEffects || result > SettingsDlg::kOk) &&
      !SettingsDlg::IsComfortCommand(result)) {
    return;
  }
  settingsDialog->ClearResult();
  OnCommand(result);
}

bool ModeMenu::TakeLanguageAnswer() {
  const int result = languageDialog ? languageDialog->TakeResult() : 0;
  if (result == 0) return false;
  PlayClick();
  languageDialog->Hide();
  const int n = LangSelDlg::LanguageOf(result);
  if (n != 0 && n != Language()) {
    ChangeLanguage(n);
    return true;
  }
  controls.Remove(languageDialog);
  return false;
}

// ---------------------------------------------------------------- language

void ModeMenu::ChangeLanguage(int n) {
  Application& app = App();
  if (n < 1 || n > kLanguageCount || !controls.Find(kLanguage)) return;
  if (PlayerProfiles* profiles = app.profiles()) {
    profiles->settings.language = n;
    profiles->SaveSettings();
  }
  const bool doubleSize = app.values() && app.values()->GetBool("if_double_size", false);
  if (app.files()) MountLocale(*app.files(), LanguageCode(n), doubleSize);
  if (StringTable* strings = app.strings()) {
    for (const char* file : {"achivements", "minigames", "objects_names", "story", "strings"}) {
      strings->Load(file);
    }
  }
  if (app.values()) app.values()->Load("fonts");
  if (app.fonts()) app.fonts()->Reload();
  if (app.descriptors() && app.strings()) app.descriptors()->RefreshNames(*app.strings());
  if (TextureManager* textures = app.textures()) {
    // Evicted, they come back from the new language's folder at their next use.
    for (const char* name : {"game_logo", "loading_sign"}) {
      if (Texture* t = textures->Find(name, false)) textures->Evict(t);
    }
  }
  app.platform().SetWindowTitle(Lookup("title"));
  // The rebuild deletes every dialog; their members are dropped with them and the dialogs
  // are made again, in the new language, when next needed.
  BuildControls();
  RefreshPlayerButton();
}
