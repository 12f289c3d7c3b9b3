#pragma once
#include <string>
#include <string_view>

#include "app/Mode.h"

class BannerDlg;
class DiffSelDlg;
class GUIDialog;
class LangSelDlg;
class MenuPopupDlg;
class PlayerDlg;
class PlayerNameDlg;
class PlayerProfiles;
class SettingsDlg;

// The title screen: play (1), exit (2), more options (3), credits (4), language (12), the
// player button (19) on its background (20) and the banner's link (31).
//
// The layout "menu" and the exit question are built when the menu is loaded; every other
// dialog is made the first time it is needed and kept in `controls`. Whatever deletes a
// dialog from the list (a rebuild after a language change, the language dialog's removal)
// also drops the member that points at it, so the next use makes it again.
//
// Each frame, after the controls have been updated, the dialogs' answers are taken in a
// fixed order, each one once. Leaving works like a mode request: the target (or none, to
// quit) is stored and the fade-out runs; the switch happens when the fade-out is done.
class ModeMenu : public Mode {
 public:
  static constexpr int kPlay = 1, kExit = 2, kMore = 3, kCredits = 4, kLanguage = 12,
                       kPlayerButton = 19, kPlayerBack = 20, kBannerLink = 31;
  // Where the menu's own dialogs take their ids from (no layout control uses them).
  static constexpr int kFirstDialogId = 2000;
  static constexpr float kNameMargin = 32.0f;  // "if_mm_name_add"

  ModeMenu();
  ~ModeMenu() override;

  bool Load() override;
  void Enter() override;
  void Leave() override;
  void Update() override;
  // The painted title picture "menu_back" behind the controls.
  void Draw() override;
  void Release() override;
  void OnFadeDone(Fade kind) override;
  int OnCommand(int id) override;
  int OnInput(InputEvent event) override;

  // The menu's language: the settings' number, or the system's language when it is 0.
  int Language() const;
  // Switches the whole game to language n (1..4): settings, locale folders, texts, fonts,
  // object names, the language's pictures, the window title, the menu itself. Only while the
  // menu has its language button.
  void ChangeLanguage(int n);
  // How many of the four languages have a folder (or archive) under "locale".
  static int LanguageFolders();
  // The player button's text and the size of its background.
  void RefreshPlayerButton();

  GUIDialog* exitDialog = nullptr;
  GUIDialog* continueDialog = nullptr;
  SettingsDlg* settingsDialog = nullptr;
  MenuPopupDlg* popupDialog = nullptr;
  GUIDialog* restartDialog = nullptr;
  GUIDialog* replayDialog = nullptr;
  PlayerDlg* playerDialog = nullptr;
  PlayerNameDlg* nameDialog = nullptr;
  GUIDialog* existsDialog = nullptr;
  GUIDialog* createDialog = nullptr;
  GUIDialog* deleteDialog = nullptr;
  DiffSelDlg* newGameDialog = nullptr;
  LangSelDlg* languageDialog = nullptr;
  BannerDlg* banner = nullptr;

  // Made on first use: each returns the kept dialog.
  GUIDialog& ContinueDialog();
  SettingsDlg& SettingsDialog();
  MenuPopupDlg& PopupDialog();
  GUIDialog& RestartDialog();
  GUIDialog& ReplayDialog();
  PlayerDlg& PlayerDialog();
  PlayerNameDlg& NameDialog();
  GUIDialog& ExistsDialog();
  GUIDialog& CreateDialog();
  GUIDialog& DeleteDialog();
  DiffSelDlg& NewGameDialog();
  LangSelDlg& LanguageDialog();

 private:
  // The layout "menu", the exit question, the language button and the banner.
  void BuildControls();
  template <class D, class... Args>
  D& Make(D*& member, Args&&... args);
  // Keeps a made message box in member (once): a yes/no question or an OK notice.
  GUIDialog& MakeBox(GUIDialog*& member, std::unique_ptr<GUIDialog> box);
  GUIDialog& MakeQuestion(GUIDialog*& member, const char* key);
  GUIDialog& MakeNotice(GUIDialog*& member, const char* key);
  int NextDialogId() { return nextDialogId_++; }
  void Leave(const ModeRequest& target);
  void Play();
  // Whether the current player has a saved level the level screen can play; one it cannot
  // read is set aside, so that "continue" is not offered for it again.
  static bool HasPlayableGame(PlayerProfiles& profiles);
  void StartNewGame(int result);
  void FillSettings();
  void SettingsCommand(int id);
  void ApplyNameResult(int result);
  void DeletePlayer();
  void OnEscape();
  void OpenLink();
  void PlayClick();
  // The dialog answers, in their order of precedence.
  void TakeExitAnswer();
  void TakeNewGameAnswer();
  void TakeNoticeAnswers();
  void TakeDeleteAnswer();
  void TakePlayerAnswer();
  void TakeNameAnswer();
  void TakeContinueAnswer();
  void TakePopupAnswer();
  void TakeRestartAnswers();
  void TakeSettingsAnswer();
  bool TakeLanguageAnswer();

  int nextDialogId_ = kFirstDialogId;
};

ModeMenu& TheModeMenu();
