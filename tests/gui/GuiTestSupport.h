#pragma once
// Stand-ins for the control types: controls that write down every call they get, a button
// that clicks like the real one, a tab dialog that hands over a stored result. And a fixture
// with a GUI context over a content folder, a sprite manager and a recording renderer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/ValueTable.h"
#include "data/XmlDocument.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureFixture.h"
#include "gui/ControlFactory.h"
#include "gui/ControlList.h"
#include "gui/GUIControl.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

// Every call a probe gets, as "name.Call" or "name.Call:argument".
using CallLog = std::vector<std::string>;

class ProbeControl : public GUIControl {
 public:
  ProbeControl(std::string name, CallLog* log, ControlKind k = ControlKind::Picture)
      : GUIControl(k), name_(std::move(name)), log_(log) {}
  ~ProbeControl() override { Note("Deleted"); }
  const std::string& Name() const { return name_; }

  void Draw() override { Note("Draw"); }
  void Reset() override {
    Note("Reset");
    hovered = false;
  }
  void SetFocus(bool f) override { Note("Focus", f); }
  bool OnInput(InputEvent e) override {
    Note("Input", int(e.type));
    return takes;
  }
  void SetHover(bool h) override {
    Note("Hover", h);
    hovered = h;
  }
  void SetText(std::u16string_view t) override { text = t; }
  float Angle() const override { return angle; }
  void SetAngle(float a) override { angle = a; }
  void SetProgressValue(float v) override { progress = v; }
  void SetOverlayAlpha(int a) override { overlayAlpha = a; }
  void SetTiling(bool on) override { tiling = on; }

  bool takes = false;  // what OnInput answers
  bool hovered = false;
  std::u16string text;
  float angle = 0;
  float progress = 0;
  int overlayAlpha = -1;
  bool tiling = false;

 protected:
  void Note(const char* call) {
    if (log_) log_->push_back(name_ + "." + call);
  }
  void Note(const char* call, int argument) {
    if (log_) log_->push_back(name_ + "." + call + ":" + std::to_string(argument));
  }
  std::string name_;
  CallLog* log_;
};

// Clicks as a button does: a press arms it, a release while armed and hovered is a click.
class ProbeButton : public ProbeControl {
 public:
  ProbeButton(std::string name, CallLog* log)
      : ProbeControl(std::move(name), log, ControlKind::Button) {}
  bool OnInput(InputEvent e) override {
    ProbeControl::OnInput(e);
    if (!active) return false;
    if (e.type == InputType::LeftDown) {
      pressed = true;
      return false;
    }
    if (e.type == InputType::LeftUp) {
      const bool click = pressed && hovered;
      pressed = false;
      return click;
    }
    return false;
  }
  bool pressed = false;
};

// A dialog created with the tab option: it takes every event and stores the first result.
class ProbeTabDialog : public ProbeControl {
 public:
  ProbeTabDialog(std::string name, CallLog* log)
      : ProbeControl(std::move(name), log, ControlKind::TabDialog) {
    keyboard = true;
  }
  bool OnInput(InputEvent e) override {
    ProbeControl::OnInput(e);
    if (stored == 0) stored = childResult;
    return true;
  }
  int TakeResult() override {
    const int r = stored;
    stored = 0;
    return r;
  }
  int childResult = 0;  // what the next event "clicks"
  int stored = 0;
};

// A probe at a rectangle, with an id.
template <class T = ProbeControl>
std::unique_ptr<T> MakeProbe(const std::string& name, CallLog* log, int id, Rect r) {
  auto c = std::make_unique<T>(name, log);
  c->id = id;
  c->rect = r;
  return c;
}

// A GUI context over a content folder with a sprite manager on a recording device, and the
// test types registered for "pic" (a probe placed by the full common rule) and "button" (a
// probe button).
class GuiFixture : public TextureFixture {
 protected:
  void SetUp() override {
    TextureFixture::SetUp();
    sprites = std::make_unique<SpriteManager>(files, *textures);
    shaders = std::make_unique<ShaderManager>(files, *renderer);
    values = std::make_unique<ValueTable>(files);
    context.renderer = renderer.get();
    context.sprites = sprites.get();
    context.shaders = shaders.get();
    context.values = values.get();
    context.files = &files;
    context.factory = &factory;
    context.pointer = [this] { return pointer; };
    context.slateMode = [this] { return slate; };
    factory.Register("pic", [this](const LayoutElement& e) {
      auto c = std::make_unique<ProbeControl>(e.Text("name"), &log);
      e.ReadCommon(*c);
      e.Place(*c);
      return c;
    });
    factory.Register("button", [this](const LayoutElement& e) {
      auto c = std::make_unique<ProbeButton>(e.Text("name"), &log);
      e.ReadCommon(*c);
      e.Place(*c);
      return c;
    });
    scope = std::make_unique<ScopedGuiContext>(context);
  }
  void TearDown() override {
    list.Clear();
    scope.reset();
    shaders.reset();
    sprites.reset();
  }

  // A 100 × 40 sprite "box" in a 128 × 64 atlas texture.
  void WriteBoxSprite() {
    Write("gui.png", EncodePng(Solid(128, 64, 9, 9, 9), 4));
    folder.Write("content/atlases/gui.xml",
                 std::string("<Atlas name='gui'><Tex name='box' rect='0,0,100,40'/></Atlas>"));
  }
  void WriteLayout(const std::string& name, const std::string& xml) {
    folder.Write("content/" + name + ".xml", xml);
  }
  // Mounts what was written and reads the atlases.
  void MountContent() {
    Mount();
    sprites->LoadAtlases();
  }
  void Input(InputType type, float x, float y, int value = 0) {
    pointer = {x, y};
    lastResult = list.OnInput({type, value});
  }
  void Move(float x, float y) { Input(InputType::PointerMove, x, y); }
  void Press(float x, float y) {
    Input(InputType::PointerMove, x, y);
    Input(InputType::LeftDown, x, y);
  }
  void Release(float x, float y) {
    Input(InputType::PointerMove, x, y);
    Input(InputType::LeftUp, x, y);
  }
  // Adds a control to the list and keeps its type.
  template <class T>
  T* AddProbe(std::unique_ptr<T> control, bool atFront = false) {
    return static_cast<T*>(list.Add(std::move(control), atFront));
  }
  int Count(const std::string& entry) const {
    return int(std::count(log.begin(), log.end(), entry));
  }

  std::unique_ptr<SpriteManager> sprites;
  std::unique_ptr<ShaderManager> shaders;
  std::unique_ptr<ValueTable> values;
  ControlFactory factory;
  GuiContext context;
  std::unique_ptr<ScopedGuiContext> scope;
  GuiPoint pointer;
  bool slate = false;
  CallLog log;
  ControlList list;
  int lastResult = 0;
};
