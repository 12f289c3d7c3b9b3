// The main menu on the recording device with the game's content: play in its three cases,
// the player list and names, restart, Escape against each dialog, the settings, the language
// change with kept dialogs, the banner and menus that lack controls.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/SettingsDlg.h"
#include "base/GameKeys.h"
#include "campaign/BannerDlg.h"
#include "campaign/DiffSelDlg.h"
#include "campaign/LangSelDlg.h"
#include "campaign/MenuPopupDlg.h"
#include "campaign/ModeMenu.h"
#include "campaign/ModeComics.h"
#include "campaign/PlayerDlg.h"
#include "campaign/PlayerNameDlg.h"
#include "graphics/FontManager.h"
#include "graphics/ImageFiles.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIInputLine.h"
#include "gui/GUIListbox.h"
#include "gui/GUISlider.h"

#include "level_screen/ModeGameFixture.h"

namespace {

std::vector<char> Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ModeMenuTest : public ScreenAppTest {
 protected:
  void SetUp() override {
    ScreenAppTest::SetUp();
    if (HasFatalFailure()) return;
    RegisterGameModes(*app);
    EnterMenu();
  }
  void EnterMenu() {
    app->SetMode(&menu(), false);
    if (app->current != &menu()) Frames(1);
    ASSERT_EQ(app->current, &menu());
    Frames(30, 20);
  }
  static ModeMenu& menu() { return TheModeMenu(); }
  PlayerProfiles& profiles() { return *app->profiles(); }
  void Answer(GUIDialog* dialog, int result) {
    ASSERT_NE(dialog, nullptr);
    dialog->SetResult(result);
    Frames(1);
  }
  void Escape() { app->OnInput({InputType::KeyDown, kGameKeyEscape}); }
  void TypeName(std::u16string_view text, int answer = PlayerNameDlg::kOk) {
    auto* input =
        dynamic_cast<GUIInputLine*>(menu().nameDialog->Children().Find(PlayerNameDlg::kInput));
    ASSERT_NE(input, nullptr);
    input->text = text;
    Answer(menu().nameDialog, answer);
  }
  void OpenNameDialog() {
    menu().OnCommand(ModeMenu::kPlayerButton);
    Answer(menu().playerDialog, PlayerDlg::kNew);
    ASSERT_TRUE(Shown(menu().nameDialog));
  }
  GUIControl* Top() { return menu().controls.TopDialog(); }
};

TEST_F(ModeMenuTest, ANewPlayerChoosesTheDifficultyAndTheFirstComicLeadsToLevelOne) {
  profiles().progress.options = Progress::kNoTutorialSpeech;
  menu().OnCommand(ModeMenu::kPlay);
  ASSERT_TRUE(Shown(menu().newGameDialog));
  EXPECT_EQ(Top(), menu().newGameDialog);
  // The difficulty has to be chosen: Escape does nothing here.
  Escape();
  Frames(1);
  EXPECT_TRUE(Shown(menu().newGameDialog));
  EXPECT_FALSE(Shown(menu().exitDialog));
  Answer(menu().newGameDialog, DiffSelDlg::kFirst + 1);
  EXPECT_FALSE(Shown(menu().newGameDialog));
  const Progress& p = profiles().progress;
  EXPECT_EQ(p.difficulty, Difficulty::Casual);
  EXPECT_EQ(p.options & (Progress::kNewGameStarted | Progress::kNewGameStartedToo),
            Progress::kNewGameStarted | Progress::kNewGameStartedToo);
  EXPECT_EQ(p.options & Progress::kNoTutorialSpeech, 0u);
  EXPECT_EQ(menu().requested, &TheModeComics());
  EXPECT_EQ(TheModeComics().comicNumber, 1);
  EXPECT_EQ(TheModeComics().next().mode, ModeId::Game);
  EXPECT_EQ(TheModeComics().next().episode, 1);
  EXPECT_EQ(TheModeComics().next().level, 1);
  // The first comic runs to its end (well under a minute) and leads into the level.
  for (int i = 0; i < 3500 && app->current != &TheModeGame(); ++i) Frames(1, 20);
  EXPECT_EQ(app->current, &TheModeGame());
  EXPECT_EQ(TheModeGame().episode, 1);
  EXPECT_EQ(TheModeGame().levelNumber, 1);
  EXPECT_EQ(TheModeComics().next().mode, ModeId::Map) << "a later comic leads to the map";
}

TEST_F(ModeMenuTest, AClickOnADifficultysPictureChoosesIt) {
  menu().OnCommand(ModeMenu::kPlay);
  ASSERT_TRUE(Shown(menu().newGameDialog));
  Frames(40, 20);  // the dialog has slid in
  GUIControl* expert = nullptr;
  const ControlList& children = menu().newGameDialog->Children();
  for (size_t i = 0; i < children.Size(); ++i) {
    if (children.At(i)->clickFor == DiffSelDlg::kFirst + 2) expert = children.At(i);
  }
  ASSERT_NE(expert, nullptr) << "the expert picture stands for its button";
  ASSERT_NE(expert->sprite, nullptr);
  ClickAt(CentreX(expert->rect), CentreY(expert->rect));
  Frames(1);
  EXPECT_FALSE(Shown(menu().newGameDialog));
  EXPECT_EQ(profiles().progress.difficulty, Difficulty::Expert);
}

TEST_F(ModeMenuTest, TheMenuAndItsDialogsArePlayedWithKeys) {
  Frames(40, 20);
  const auto key = [&](int k) {
    app->OnInput({InputType::KeyDown, k});
    Frames(1);
  };
  // Tab walks the menu's buttons until Play is marked; Enter plays.
  for (int i = 0; i < 12 && !(menu().controls.KeyFocus() &&
                              menu().controls.KeyFocus()->id == ModeMenu::kPlay);
       ++i) {
    key(kGameKeyTab);
  }
  ASSERT_NE(menu().controls.KeyFocus(), nullptr);
  ASSERT_EQ(menu().controls.KeyFocus()->id, ModeMenu::kPlay);
  key(kGameKeyEnter);
  ASSERT_TRUE(Shown(menu().newGameDialog));
  Frames(40, 20);
  // In the dialog the keys mark its buttons; the menu behind keeps still.
  const ControlList& choices = menu().newGameDialog->Children();
  for (int i = 0; i < 12 && !(choices.KeyFocus() &&
                              choices.KeyFocus()->id == DiffSelDlg::kFirst + 2);
       ++i) {
    key(kGameKeyTab);
  }
  ASSERT_NE(choices.KeyFocus(), nullptr);
  EXPECT_EQ(choices.KeyFocus()->id, DiffSelDlg::kFirst + 2);
  key(kGameKeyEnter);
  EXPECT_FALSE(Shown(menu().newGameDialog));
  EXPECT_EQ(profiles().progress.difficulty, Difficulty::Expert);
}

TEST_F(ModeMenuTest, PlayLeadsToTheMapOnceAGameWasStartedAndAsksAboutASavedLevel) {
  profiles().progress.options |= Progress::kNewGameStarted;
  menu().OnCommand(ModeMenu::kPlay);
  EXPECT_EQ(menu().requested, &TheModeStage());
  EXPECT_EQ(menu().newGameDialog, nullptr) << "made only when needed";
}

TEST_F(ModeMenuTest, ASavedLevelAnsweredNoIsDeletedAndTheMapOpens) {
  ASSERT_TRUE(profiles().SaveGame("<level/>"));
  menu().OnCommand(ModeMenu::kPlay);
  ASSERT_TRUE(Shown(menu().continueDialog));
  // Escape only clicks: the question stays.
  Escape();
  Frames(1);
  EXPECT_TRUE(Shown(menu().continueDialog));
  EXPECT_EQ(menu().requested, nullptr);
  EXPECT_TRUE(profiles().HasGame());
  Answer(menu().continueDialog, 2);
  EXPECT_FALSE(profiles().HasGame());
  EXPECT_EQ(menu().requested, &TheModeStage());
}

TEST_F(ModeMenuTest, ASavedLevelAnsweredYesContinuesIt) {
  ASSERT_TRUE(profiles().SaveGame("<level/>"));
  menu().OnCommand(ModeMenu::kPlay);
  Answer(menu().continueDialog, 1);
  EXPECT_TRUE(TheModeGame().continueSaved);
  EXPECT_EQ(menu().requested, &TheModeGame());
  EXPECT_TRUE(profiles().HasGame());
  TheModeGame().continueSaved = false;
}

TEST_F(ModeMenuTest, NamesAreTrimmedExactDuplicatesRefusedAndFourPlayersFillTheList) {
  ASSERT_EQ(profiles().PlayerCount(), 1);
  OpenNameDialog();
  TypeName(u"  \tAnna \r\n");
  EXPECT_EQ(profiles().CurrentName(), u"Anna");
  EXPECT_FALSE(Shown(menu().nameDialog));
  EXPECT_FALSE(Shown(menu().playerDialog));
  auto* button = menu().controls.Find(ModeMenu::kPlayerButton);
  ASSERT_NE(button, nullptr);
  EXPECT_NE(static_cast<GUIButton*>(button)->Label().find(u"Anna"), std::u16string::npos);

  OpenNameDialog();
  TypeName(u"Anna");
  EXPECT_TRUE(Shown(menu().existsDialog));
  EXPECT_EQ(Top(), menu().existsDialog);
  EXPECT_EQ(profiles().PlayerCount(), 2);
  Answer(menu().existsDialog, 1);
  EXPECT_FALSE(Shown(menu().existsDialog));
  // Only blanks: nothing happens and the dialog waits.
  TypeName(u" \t\r\n ");
  EXPECT_TRUE(Shown(menu().nameDialog));
  EXPECT_EQ(profiles().PlayerCount(), 2);
  // Another letter case is another name.
  TypeName(u"anna", PlayerNameDlg::kInput);
  EXPECT_EQ(profiles().PlayerCount(), 3);

  OpenNameDialog();
  TypeName(std::u16string(200, u'x'));
  EXPECT_EQ(profiles().PlayerCount(), 4);
  menu().OnCommand(ModeMenu::kPlayerButton);
  PlayerDlg& list = *menu().playerDialog;
  EXPECT_FALSE(list.Children().Find(PlayerDlg::kNew)->active);
  EXPECT_TRUE(list.Children().Find(PlayerDlg::kDelete)->active);
  EXPECT_EQ(list.Selected(), 3);
}

TEST_F(ModeMenuTest, ATypedNameStaysInsideTheDialogAndShowsItsMarkupAsTyped) {
  OpenNameDialog();
  Frames(40);  // the dialog has faded in
  auto* input =
      dynamic_cast<GUIInputLine*>(menu().nameDialog->Children().Find(PlayerNameDlg::kInput));
  ASSERT_NE(input, nullptr);
  for (int i = 0; i < 20; ++i) Input(InputType::Character, 'W');
  EXPECT_GT(input->text.size(), 4u);
  EXPECT_LT(input->text.size(), 20u) << "refused once the field is full";
  // The text with its caret, centred in the field: inside the field and the dialog's frame.
  const Rect frame = menu().nameDialog->baseRect;
  const float half = input->ShownWidth(input->text) / 2;
  const float left = CentreX(input->rect) - half, right = CentreX(input->rect) + half;
  EXPECT_GE(left, std::min(input->rect.x0, input->rect.x1));
  EXPECT_LE(right, std::max(input->rect.x0, input->rect.x1));
  EXPECT_GE(left, std::min(frame.x0, frame.x1));
  EXPECT_LE(right, std::max(frame.x0, frame.x1));

  // Markup typed into a name is shown as typed on the player button: "^s" and "\" are
  // characters of their own width, not larger text and a line break.
  input->SetText(u"");
  for (char16_t c : std::u16string_view(u"A^sB\\C^2")) Input(InputType::Character, c);
  EXPECT_EQ(input->text, u"A^sB\\C^2");
  Input(InputType::Character, 13);
  Frames(1);
  ASSERT_EQ(profiles().CurrentName(), u"A^sB\\C^2");
  auto* button = static_cast<GUIButton*>(menu().controls.Find(ModeMenu::kPlayerButton));
  ASSERT_NE(button, nullptr);
  FontManager& fonts = *app->fonts();
  fonts.SelectFont(button->fontId);
  const std::u16string& label = button->Label();
  const size_t at = label.find(u"A^^sB");
  ASSERT_NE(at, std::u16string::npos);
  const size_t end = label.find(u". ", at);
  float typed = 0.0f;
  for (char16_t c : std::u16string_view(u"A^sB\\C^2"))
    typed += fonts.MeasureText(std::u16string(1, c), button->fontSize, false);
  const float around =
      fonts.MeasureText(label.substr(0, at) + label.substr(end), button->fontSize, false);
  EXPECT_NEAR(fonts.MeasureText(label, button->fontSize, true), around + typed, 0.01f);
}

TEST_F(ModeMenuTest, OkSelectsThePlayerChosenInTheList) {
  ASSERT_TRUE(profiles().AddPlayer(u"Bo"));
  ASSERT_TRUE(profiles().AddPlayer(u"Cy"));
  menu().OnCommand(ModeMenu::kPlayerButton);
  PlayerDlg& list = *menu().playerDialog;
  EXPECT_EQ(list.Selected(), 2);
  dynamic_cast<GUIListbox*>(list.Children().Find(PlayerDlg::kList))->selected = 1;
  Answer(&list, PlayerDlg::kOk);
  EXPECT_EQ(profiles().CurrentName(), u"Bo");
  EXPECT_FALSE(Shown(&list));
}

TEST_F(ModeMenuTest, DeletingTheOnlyPlayerForcesANameAndLeavesNoFolderZero) {
  menu().OnCommand(ModeMenu::kPlayerButton);
  Answer(menu().playerDialog, PlayerDlg::kDelete);
  ASSERT_TRUE(Shown(menu().deleteDialog));
  Answer(menu().deleteDialog, 1);
  EXPECT_EQ(profiles().PlayerCount(), 0);
  EXPECT_TRUE(Shown(menu().nameDialog));
  EXPECT_TRUE(Shown(menu().createDialog));
  EXPECT_EQ(Top(), menu().createDialog);
  for (int round = 0; round < 2; ++round) {
    Answer(menu().createDialog, 1);
    EXPECT_FALSE(Shown(menu().createDialog));
    EXPECT_EQ(Top(), menu().nameDialog);
    Answer(menu().nameDialog, PlayerNameDlg::kCancel);
    EXPECT_TRUE(Shown(menu().nameDialog)) << "round " << round;
    EXPECT_TRUE(Shown(menu().createDialog)) << "round " << round;
  }
  profiles().SaveProgress();
  app->Shutdown();
  app.reset();
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(data.Path()) / "0"));
}

TEST_F(ModeMenuTest, RestartNeedsTwoYesesAndResetsOnlyTheCurrentPlayer) {
  profiles().progress.totalScore = 5000;
  profiles().SaveProgress();
  ASSERT_TRUE(profiles().AddPlayer(u"Other"));
  profiles().progress.totalScore = 777;
  profiles().progress.options |= Progress::kNewGameStarted;
  profiles().SaveProgress();
  const std::filesystem::path other =
      std::filesystem::path(data.Path()) / std::to_string(profiles().CurrentSlot() + 1);
  profiles().SelectPlayer(0);
  ASSERT_EQ(profiles().progress.totalScore, 5000);
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(other)) files.push_back(e.path());
  ASSERT_FALSE(files.empty());
  std::vector<std::vector<char>> before;
  for (const auto& f : files) before.push_back(Bytes(f));

  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kRestart);
  Answer(menu().restartDialog, 2);
  EXPECT_EQ(menu().replayDialog, nullptr);
  EXPECT_EQ(profiles().progress.totalScore, 5000);
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kRestart);
  Answer(menu().restartDialog, 1);
  ASSERT_TRUE(Shown(menu().replayDialog));
  EXPECT_EQ(profiles().progress.totalScore, 5000);
  Answer(menu().replayDialog, 1);
  EXPECT_EQ(profiles().progress.totalScore, 0);
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(Bytes(files[i]), before[i]) << files[i];
}

TEST_F(ModeMenuTest, EscapeAnswersTheFirstOpenDialog) {
  // With nothing open: the exit question, which Escape then answers no.
  Escape();
  Frames(8, 20);
  ASSERT_TRUE(Shown(menu().exitDialog));
  Escape();
  Frames(1);
  EXPECT_FALSE(Shown(menu().exitDialog));
  EXPECT_EQ(menu().requested, nullptr);

  menu().OnCommand(ModeMenu::kMore);
  Escape();
  Frames(1);
  EXPECT_FALSE(Shown(menu().popupDialog));

  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  ASSERT_TRUE(Shown(menu().settingsDialog));
  Escape();
  EXPECT_FALSE(Shown(menu().settingsDialog));

  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kRestart);
  Escape();
  Frames(1);
  EXPECT_FALSE(Shown(menu().restartDialog));
  EXPECT_EQ(menu().replayDialog, nullptr);

  // Name over the player list: the name dialog goes first, then the list.
  OpenNameDialog();
  Escape();
  Frames(1);
  EXPECT_FALSE(Shown(menu().nameDialog));
  EXPECT_TRUE(Shown(menu().playerDialog));
  Escape();
  Frames(1);
  EXPECT_FALSE(Shown(menu().playerDialog));

  menu().OnCommand(ModeMenu::kLanguage);
  ASSERT_TRUE(Shown(menu().languageDialog));
  Escape();
  Frames(1);
  EXPECT_EQ(menu().languageDialog, nullptr) << "cancelled, the language dialog is removed";
  EXPECT_FALSE(Shown(menu().exitDialog));
  EXPECT_EQ(menu().requested, nullptr);
}

TEST_F(ModeMenuTest, ExitYesEndsTheProgramAfterTheFade) {
  menu().OnCommand(ModeMenu::kExit);
  Frames(8, 20);
  Answer(menu().exitDialog, 1);
  EXPECT_EQ(menu().requested, nullptr);
  EXPECT_EQ(app->fadeState, Fade::Out);
  Frames(40, 20);
  EXPECT_TRUE(app->quit);
}

TEST_F(ModeMenuTest, VolumesAreStoredAsTruncatedPercent) {
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  SettingsDlg& settings = *menu().settingsDialog;
  auto* effects = dynamic_cast<GUISlider*>(settings.Children().Find(SettingsDlg::kEffects));
  auto* music = dynamic_cast<GUISlider*>(settings.Children().Find(SettingsDlg::kMusic));
  ASSERT_NE(effects, nullptr);
  ASSERT_NE(music, nullptr);
  EXPECT_NEAR(music->value, float(profiles().settings.musicVolume), 0.5f);
  effects->value = 33.99f;
  music->value = 57.5f;
  Answer(&settings, SettingsDlg::kEffects);
  EXPECT_NEAR(app->sound() ? app->sound()->EffectsVolume() : 0.3399f, 0.3399f, 1e-3f);
  const int32_t flags = profiles().settings.flags;
  Answer(&settings, SettingsDlg::kCursor);
  EXPECT_EQ(profiles().settings.flags, flags ^ Settings::kDrawnCursor);
  Answer(&settings, SettingsDlg::kOk);
  EXPECT_FALSE(Shown(&settings));
  EXPECT_EQ(profiles().settings.effectsVolume, 33);
  EXPECT_EQ(profiles().settings.musicVolume, 57);
}

TEST_F(ModeMenuTest, TheComfortPageIsClickedThroughAndKeptInTheSettingsFile) {
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  SettingsDlg& settings = *menu().settingsDialog;
  Frames(40, 20);
  // Clicks land at the centre of what is drawn, as a player's do.
  const auto click = [&](int id) {
    GUIControl* c = settings.Children().Find(id);
    ASSERT_NE(c, nullptr) << id;
    ASSERT_TRUE(c->visible) << id;
    ClickAt(CentreX(c->rect), CentreY(c->rect));
    Frames(1);
  };
  const auto shown = [&](int id) {
    const GUIControl* c = settings.Children().Find(id);
    return c && c->visible;
  };
  EXPECT_TRUE(shown(SettingsDlg::kEffects));
  EXPECT_FALSE(shown(SettingsDlg::kNoShake)) << "the second page waits";
  click(SettingsDlg::kComfortPage);
  EXPECT_EQ(settings.Page(), 2);
  EXPECT_FALSE(shown(SettingsDlg::kEffects));
  EXPECT_FALSE(shown(SettingsDlg::kOk));
  EXPECT_TRUE(Shown(&settings));

  click(SettingsDlg::kNoShake);
  click(SettingsDlg::kCalmMotion);
  EXPECT_TRUE(profiles().settings.Has(Settings::kNoShake));
  EXPECT_FALSE(profiles().settings.Has(Settings::kSteadyMarks));
  EXPECT_TRUE(profiles().settings.Has(Settings::kCalmMotion));
  EXPECT_TRUE(Gui().calmMotion) << "applied at once";
  EXPECT_TRUE(dynamic_cast<GUICheckBox*>(settings.Children().Find(SettingsDlg::kNoShake))->checked);
  std::vector<int> sizes;
  for (int i = 0; i < 3; ++i) {
    click(SettingsDlg::kPointerSize);
    sizes.push_back(profiles().settings.pointerPercent);
  }
  EXPECT_EQ(sizes, (std::vector<int>{150, 200, 100}));
  click(SettingsDlg::kPointerSize);
  EXPECT_EQ(profiles().settings.pointerPercent, 150);
  EXPECT_EQ(dynamic_cast<GUIButton*>(settings.Children().Find(SettingsDlg::kPointerSize))->Label(),
            u"150 %");

  click(SettingsDlg::kBack);
  EXPECT_EQ(settings.Page(), 1);
  EXPECT_TRUE(shown(SettingsDlg::kOk));
  click(SettingsDlg::kOk);
  EXPECT_FALSE(Shown(&settings));
  // Written at once: a fresh start reads them.
  PlayerProfiles restarted;
  restarted.Load("en", u"user");
  EXPECT_TRUE(restarted.settings.Has(Settings::kNoShake));
  EXPECT_TRUE(restarted.settings.Has(Settings::kCalmMotion));
  EXPECT_EQ(restarted.settings.pointerPercent, 150);
  EXPECT_EQ(restarted.settings.textPercent, 100);
  // The dialog opens again on its first page.
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  EXPECT_EQ(menu().settingsDialog->Page(), 1);
}

TEST_F(ModeMenuTest, NoTutorialSpeechSurvivesARestart) {
  const auto storedOptions = [] {
    PlayerProfiles restarted;
    restarted.Load("en", u"user");
    return restarted.progress.options & Progress::kNoTutorialSpeech;
  };
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  ASSERT_NE(menu().settingsDialog, nullptr);
  Answer(menu().settingsDialog, SettingsDlg::kNoTutorial);
  EXPECT_EQ(storedOptions(), Progress::kNoTutorialSpeech);
  Answer(menu().settingsDialog, SettingsDlg::kNoTutorial);
  EXPECT_EQ(storedOptions(), 0u);
}

TEST_F(ModeMenuTest, ASavedLevelTheGameCannotReadIsSetAsideAndNotOfferedAgain) {
  ASSERT_TRUE(profiles().SaveGame("<level episode=\"99\" level=\"1\" state=\"2\"></level>"));
  menu().OnCommand(ModeMenu::kPlay);
  EXPECT_FALSE(Shown(menu().continueDialog));
  EXPECT_TRUE(Shown(menu().newGameDialog)) << "as for a player without a saved level";
  EXPECT_FALSE(profiles().HasGame());
  EXPECT_TRUE(std::filesystem::exists(data / "1/Game.damaged.sav")) << "kept, not deleted";
  // The next start offers nothing either.
  PlayerProfiles restarted;
  restarted.Load("en", u"user");
  EXPECT_FALSE(restarted.HasGame());
}

TEST_F(ModeMenuTest, ALanguageChangeRebuildsTheMenuAndMakesTheDialogsAgain) {
  ASSERT_GT(ModeMenu::LanguageFolders(), 1);
  ASSERT_TRUE(Shown(menu().controls.Find(ModeMenu::kLanguage)));
  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  Escape();
  menu().OnCommand(ModeMenu::kPlayerButton);
  Answer(menu().playerDialog, PlayerDlg::kCancel);
  ASSERT_NE(menu().settingsDialog, nullptr);

  menu().OnCommand(ModeMenu::kLanguage);
  Answer(menu().languageDialog, LangSelDlg::kFirst + 1);
  EXPECT_EQ(profiles().settings.language, 2);
  EXPECT_EQ(menu().settingsDialog, nullptr);
  EXPECT_EQ(menu().playerDialog, nullptr);
  EXPECT_EQ(menu().languageDialog, nullptr);
  ASSERT_NE(menu().exitDialog, nullptr);
  EXPECT_EQ(app->strings()->Get("mm_play"), u"Spielen");
  auto* button = static_cast<GUIButton*>(menu().controls.Find(ModeMenu::kPlayerButton));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Label().rfind(u"Willkommen", 0), 0u);

  menu().OnCommand(ModeMenu::kMore);
  Answer(menu().popupDialog, MenuPopupDlg::kSettings);
  ASSERT_TRUE(Shown(menu().settingsDialog));
  Frames(3);
  menu().OnCommand(ModeMenu::kPlayerButton);
  ASSERT_TRUE(Shown(menu().playerDialog));
  Frames(3);
  // Choosing the language in use changes nothing.
  menu().OnCommand(ModeMenu::kLanguage);
  Answer(menu().languageDialog, LangSelDlg::kFirst + 1);
  EXPECT_NE(menu().playerDialog, nullptr);
  EXPECT_EQ(menu().languageDialog, nullptr);
  profiles().settings.language = 1;
}

TEST_F(ModeMenuTest, AMenuLayoutWithoutItsPlayerAndLanguageControlsStillWorks) {
  TempFolder folder;
  folder.Write("menu.xml", R"(<controls><button id="1" x="0" y="0" w="10" h="10"/></controls>)");
  app->files()->Mount(folder.path().string());
  menu().Release();
  EnterMenu();
  EXPECT_EQ(menu().controls.Find(ModeMenu::kPlayerButton), nullptr);
  menu().RefreshPlayerButton();
  const int language = profiles().settings.language;
  menu().ChangeLanguage(3);
  EXPECT_EQ(profiles().settings.language, language) << "no language button, no change";
  EXPECT_NE(language, 3);
  menu().OnCommand(ModeMenu::kLanguage);
  Escape();
  Frames(1);
  EXPECT_EQ(menu().languageDialog, nullptr);
}

TEST(MenuDialogs, AnswersMapToTheirChoicesAndNamesAreTrimmed) {
  EXPECT_EQ(PlayerNameDlg::Trim(u"\r\n\t Ann Lee \t"), u"Ann Lee");
  EXPECT_EQ(PlayerNameDlg::Trim(u" \t"), u"");
  EXPECT_EQ(PlayerNameDlg::Trim(u"\x01x"), u"\x01x");
  EXPECT_EQ(DiffSelDlg::DifficultyOf(1051), 0);
  EXPECT_EQ(DiffSelDlg::DifficultyOf(1053), 2);
  EXPECT_EQ(DiffSelDlg::DifficultyOf(3), -1);
  EXPECT_EQ(LangSelDlg::LanguageOf(101), 1);
  EXPECT_EQ(LangSelDlg::LanguageOf(104), 4);
  EXPECT_EQ(LangSelDlg::LanguageOf(105), 0);
  EXPECT_EQ(LangSelDlg::LanguageOf(6), 0);
}

TEST(MenuDialogs, OnlyPlainWebAddressesAreOpened) {
  EXPECT_TRUE(BannerDlg::IsWebAddress("https://example.org/game?a=1"));
  EXPECT_TRUE(BannerDlg::IsWebAddress("http://example.org"));
  EXPECT_FALSE(BannerDlg::IsWebAddress("https://x; touch /tmp/pwn"));
  EXPECT_FALSE(BannerDlg::IsWebAddress("file:///etc/passwd"));
  EXPECT_FALSE(BannerDlg::IsWebAddress("/usr/bin/xterm"));
  EXPECT_FALSE(BannerDlg::IsWebAddress("https://a\nb"));
  EXPECT_FALSE(BannerDlg::IsWebAddress(""));
}

// The menu with banner content of its own.
class BannerMenuTest : public ModeMenuTest {
 protected:
  void WriteBanner(const std::string& url) {
    folder.Write("banner.xml",
                 "<StringTable><String name=\"banner_url\" value=\"" + url + "\"/></StringTable>");
    for (int i = 0; i < 4; ++i) {
      folder.Write("banner_pic_" + std::to_string(i) + ".png",
                   EncodePng(PatternPicture(32 + i, 16), 4));
    }
    app->files()->Mount(folder.path().string());
    menu().Release();
    EnterMenu();
  }
  TempFolder folder;
};

TEST_F(BannerMenuTest, TheBannerSlidesInShowsItsPicturesInTurnAndOpensOnlyItsWebAddress) {
  WriteBanner("https://example.org/more");
  ASSERT_NE(menu().banner, nullptr);
  BannerDlg& banner = *menu().banner;
  EXPECT_TRUE(banner.SlidIn()) << "slid in when the fade-in ended";
  const float edge = Gui().HalfWidth();
  const auto left = [](const GUIControl& c) { return std::min(c.rect.x0, c.rect.x1); };
  const auto right = [](const GUIControl& c) { return std::max(c.rect.x0, c.rect.x1); };
  GUIControl* picture = banner.Children().Find(BannerDlg::kPicture);
  ASSERT_NE(picture, nullptr);
  banner.SlideOut();
  EXPECT_FALSE(banner.visible);
  EXPECT_NEAR(left(banner), edge, 1.0f) << "waits outside the right edge";
  EXPECT_GE(left(*picture), edge);
  banner.SlideIn();
  Frames(60, 20);
  EXPECT_NEAR(right(banner), edge, 1.0f) << "moved left by its width";
  EXPECT_LT(right(*picture), edge);
  const int first = banner.Picture();
  Frames(125, 20);
  EXPECT_EQ(banner.Picture(), (first + 1) % 4);
  menu().OnCommand(ModeMenu::kBannerLink);
  ASSERT_EQ(platform.opened.size(), 1u);
  EXPECT_EQ(platform.opened[0], "https://example.org/more");
  menu().OnCommand(ModeMenu::kExit);
  Escape();
  Frames(1);
  EXPECT_EQ(menu().requested, nullptr);
}

TEST_F(BannerMenuTest, AnAddressThatIsNoWebAddressMakesNoLink) {
  WriteBanner("file:///etc/passwd");
  ASSERT_NE(menu().banner, nullptr);
  EXPECT_EQ(BannerDlg::LinkAddress(*app->strings()), "");
  menu().OnCommand(ModeMenu::kBannerLink);
  EXPECT_TRUE(platform.opened.empty());
  EXPECT_EQ(menu().requested, nullptr);
}

}  // namespace

namespace {

TEST_F(BannerMenuTest, TheMapSlidesTheBannerInAfterTenSecondsAndEscapeStillLeadsToTheMenu) {
  WriteBanner("https://example.org/more");
  app->SetMode(&TheModeStage(), false);
  Frames(2);
  ASSERT_EQ(app->current, &TheModeStage());
  auto* banner = dynamic_cast<BannerDlg*>(TheModeStage().banner);
  ASSERT_NE(banner, nullptr);
  Frames(480, 20);
  EXPECT_FALSE(banner->SlidIn());
  Frames(30, 20);
  EXPECT_TRUE(banner->SlidIn());
  TheModeStage().OnCommand(ModeMenu::kBannerLink);
  ASSERT_EQ(platform.opened.size(), 1u);
  EXPECT_EQ(platform.opened[0], "https://example.org/more");
  Frames(1);
  EXPECT_EQ(TheModeStage().banner, banner) << "the banner is no message to be swept away";
  Escape();
  EXPECT_EQ(TheModeStage().requested, &menu());
}

}  // namespace
