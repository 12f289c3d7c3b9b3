#include "LayoutItem.h"

#include <cstdio>

#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "data/Utf8.h"
#include "data/ValueTable.h"
#include "graphics/FontManager.h"
#include "graphics/Renderer.h"
#include "graphics/ShaderManager.h"
#include "graphics/TextureFontResources.h"
#include "graphics/TextureManager.h"
#include "gui/ControlFactory.h"
#include "gui/ControlList.h"
#include "gui/GUIButton.h"
#include "gui/GUICheckBox.h"
#include "gui/GUIDialog.h"
#include "gui/GUIInputLine.h"
#include "gui/GUIListbox.h"
#include "gui/GUIMessageBox.h"
#include "gui/GUIProgressBar.h"
#include "gui/GuiContext.h"
#include "level/DescriptorServices.h"
#include "level/GameDescriptors.h"
#include "level/Level.h"
#include "level_screen/BriefingDlg.h"
#include "particles/ParticleManager.h"

namespace {

// Textures by their own name, for reading descriptors and levels.
class BriefingMedia final : public DescriptorServices {
 public:
  explicit BriefingMedia(TextureManager& textures) : textures_(textures) {}
  bool HasTexture(std::string_view name) const override {
    return !name.empty() && textures_.HasImageFile(name);
  }
  bool IsMaskTexture(std::string_view) const override { return false; }
  void RegisterIcon(int, std::string_view) override {}

 private:
  TextureManager& textures_;
};

class LayoutItem final : public ViewItem {
 public:
  explicit LayoutItem(ViewServices& services)
      : renderer_(services.renderer),
        strings_(services.files),
        shaders_(services.files, services.renderer),
        fontResources_(services.textures, services.sprites),
        fonts_(services.files, services.renderer, fontResources_, &strings_),
        particles_(services.Particles()),
        pointer_{services.pointerX, services.pointerY} {
    strings_.Load("strings");
    services.values.Load("interface");
    services.values.Load("fonts");
    fonts_.Load();
    context_.renderer = &services.renderer;
    context_.sprites = &services.sprites;
    context_.shaders = &shaders_;
    context_.fonts = &fonts_;
    context_.particles = &particles_;
    context_.strings = &strings_;
    context_.values = &services.values;
    context_.files = &services.files;
    context_.pointer = [this] { return pointer_; };
    scope_ = std::make_unique<ScopedGuiContext>(context_);
  }
  ~LayoutItem() override { controls_.Clear(); }

  bool Load(std::string_view name, std::string& error) {
    const std::string file = LayoutFileName(name);
    if (!context_.files->Find(file)) {
      error = "no layout " + file;
      return false;
    }
    controls_.LoadLayout(name, true);
    if (controls_.Empty()) {
      error = "layout " + std::string(name) + " makes no controls";
      return false;
    }
    for (size_t i = 0; i < controls_.Size(); ++i) PlayTheScreen(*controls_.At(i), name);
    return true;
  }

  // A dialog of the layout NAME, shown over the neutral background.
  bool LoadDialog(std::string_view name, std::string& error) {
    const std::string file = LayoutFileName(name);
    if (!context_.files->Find(file)) {
      error = "no layout " + file;
      return false;
    }
    auto dialog = std::make_unique<GUIDialog>(0, Rect{}, name);
    for (size_t i = 0; i < dialog->Children().Size(); ++i)
      PlayTheScreen(*dialog->Children().At(i), name);
    Show(std::move(dialog));
    return true;
  }

  // The briefing of level (episode, number), filled as a level start fills it.
  bool LoadBriefing(ViewServices& services, int episode, int number, std::string& error) {
    BriefingMedia media(services.textures);
    GameDescriptors descriptors;
    if (!descriptors.LoadGameDescriptors(services.files, strings_, media)) {
      error = "the descriptor tables do not load";
      return false;
    }
    Level level(descriptors, &media);
    if (!level.LoadLevelFile(services.files, episode, number)) {
      error = "cannot read " + Level::LevelFileName(episode, number) + ": " + level.readError;
      return false;
    }
    auto dialog = std::make_unique<BriefingDlg>(1);
    char key[32];
    std::snprintf(key, sizeof key, "level_name_%02d_%02d", episode % 100, number % 100);
    dialog->SetLevelName(strings_.Get(key));
    dialog->Fill(level, &strings_);
    BriefingDlg* shown = dialog.get();
    controls_.Add(std::move(dialog));
    shown->ShowDifficulty(1);
    shown->SetShown(true);
    return true;
  }

  // A message box ("ok", or "yesno" after a second colon) with the text of a string key.
  bool LoadMessageBox(std::string_view argument, std::string& error) {
    const size_t colon = argument.find(':');
    const std::string key(argument.substr(0, colon));
    const std::string_view buttons =
        colon == std::string_view::npos ? "ok" : argument.substr(colon + 1);
    if (!strings_.Has(DecodeUtf8(key))) {
      error = "no string " + key;
      return false;
    }
    const std::u16string text = strings_.Get(key);
    if (buttons == "ok") {
      Show(GUIOkDialog::Create(text));
    } else if (buttons == "yesno") {
      Show(GUIYesNoDialog::Create(text));
    } else {
      error = "a message box is ok or yesno, not " + std::string(buttons);
      return false;
    }
    return true;
  }

  float Width() const override { return renderer_.Width(); }
  float Height() const override { return renderer_.Height(); }
  bool CoversScreen() const override { return true; }

  void Update(float frameMs) override {
    // The pointer is where --pointer put it: hovering shows as in the game.
    controls_.OnInput({InputType::PointerMove, 0});
    controls_.UpdateAll(frameMs);
  }
  void Draw(float, float, float) override {
    controls_.DrawAll();
    // What the controls switched stays with them.
    renderer_.Disable(RenderSwitch::ScissorTest);
    renderer_.SetTransform(TransformKind::World, Matrix::Identity());
    renderer_.SetBlendMode(BlendMode::Alpha);
  }

 private:
  // What a screen would set, from the control's tag: the percentage of a progress indicator,
  // the selected row of a list box, a checked box, an inactive button (tag 1). List rows are
  // the strings NAME_list_1, NAME_list_2 ... of the layout NAME, an input line's text the
  // string NAME_input.
  void PlayTheScreen(GUIControl& control, std::string_view layout) {
    const std::string prefix = std::string(layout) + "_";
    if (auto* bar = dynamic_cast<GUIProgressBar*>(&control)) {
      bar->Start(100, 1);
      bar->Advance(float(control.tag));
      bar->Update(0);
    } else if (auto* round = dynamic_cast<GUIRoundProgress*>(&control)) {
      round->Start(100, 1);
      round->Advance(float(control.tag));
    } else if (auto* list = dynamic_cast<GUIListbox*>(&control)) {
      for (int i = 1; strings_.Has(DecodeUtf8(prefix + "list_" + std::to_string(i))); ++i)
        list->items.push_back(strings_.Get(prefix + "list_" + std::to_string(i)));
      list->selected = control.tag;
    } else if (auto* input = dynamic_cast<GUIInputLine*>(&control)) {
      input->text = strings_.Get(prefix + "input");
    } else if (auto* box = dynamic_cast<GUICheckBox*>(&control)) {
      box->checked = control.tag != 0;
    } else if (dynamic_cast<GUIButton*>(&control)) {
      control.active = control.tag != 1;
    }
  }

  void Show(std::unique_ptr<GUIDialog> dialog) {
    GUIControl* shown = controls_.Add(std::move(dialog));
    static_cast<GUIDialog*>(shown)->SetShown(true);
  }

  Renderer& renderer_;
  StringTable strings_;
  ShaderManager shaders_;
  TextureFontResources fontResources_;
  FontManager fonts_;
  ParticleManager& particles_;
  GuiPoint pointer_;
  GuiContext context_;
  std::unique_ptr<ScopedGuiContext> scope_;
  ControlList controls_;
};

}  // namespace

std::unique_ptr<ViewItem> MakeLayoutItem(ViewServices& services, std::string_view argument,
                                         std::string& error) {
  if (argument.empty()) {
    error = "layout needs a name (layout:NAME)";
    return nullptr;
  }
  auto item = std::make_unique<LayoutItem>(services);
  if (!item->Load(argument, error)) return nullptr;
  return item;
}

std::unique_ptr<ViewItem> MakeDialogItem(ViewServices& services, std::string_view argument,
                                         std::string& error) {
  if (argument.empty()) {
    error = "dialog needs a layout name (dialog:NAME)";
    return nullptr;
  }
  auto item = std::make_unique<LayoutItem>(services);
  if (!item->LoadDialog(argument, error)) return nullptr;
  return item;
}

std::unique_ptr<ViewItem> MakeBriefingItem(ViewServices& services, std::string_view argument,
                                           std::string& error) {
  int episode = 0, number = 0;
  const std::string text(argument);
  if (std::sscanf(text.c_str(), "%d:%d", &episode, &number) != 2) {
    error = "not a level: " + text + " (briefing:EPISODE:LEVEL)";
    return nullptr;
  }
  auto item = std::make_unique<LayoutItem>(services);
  if (!item->LoadBriefing(services, episode, number, error)) return nullptr;
  return item;
}

std::unique_ptr<ViewItem> MakeMessageBoxItem(ViewServices& services, std::string_view argument,
                                             std::string& error) {
  if (argument.empty()) {
    error = "msgbox needs a string key (msgbox:KEY or msgbox:KEY:yesno)";
    return nullptr;
  }
  auto item = std::make_unique<LayoutItem>(services);
  if (!item->LoadMessageBox(argument, error)) return nullptr;
  return item;
}
