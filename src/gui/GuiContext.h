#pragma once
#include <functional>
#include <string_view>

#include "graphics/Renderer.h"

class ControlFactory;
class FileSystem;
class FontManager;
class ParticleManager;
class ShaderManager;
class SpriteManager;
class StringTable;
class ValueTable;
struct Sprite;

// A point in virtual screen coordinates (origin at the centre, y up).
struct GuiPoint {
  float x = 0;
  float y = 0;
  bool operator==(const GuiPoint&) const = default;
};

// What the GUI reaches of the rest of the program: the services controls draw and load
// through, where the pointer is and whether the system is in tablet mode. The application
// installs its own; tests and tools install theirs. Any service may be missing: controls then
// skip what needs it (a layout without a file system loads nothing, nothing is drawn without
// a renderer).
struct GuiContext {
  Renderer* renderer = nullptr;
  SpriteManager* sprites = nullptr;
  ShaderManager* shaders = nullptr;
  FontManager* fonts = nullptr;
  ParticleManager* particles = nullptr;
  StringTable* strings = nullptr;
  ValueTable* values = nullptr;
  FileSystem* files = nullptr;
  // The control types by layout element name; none means the game's (ControlFactory::Game).
  const ControlFactory* factory = nullptr;
  // The virtual screen while there is no renderer (tools lay screens out for any mode).
  AspectMode aspectMode = AspectMode::Screen4x3;
  // The pointer in virtual coordinates, as the application converted it last; (0, 0) unset.
  std::function<GuiPoint()> pointer;
  // The tablet (slate) mode of the system: hover then follows only pointer moves.
  std::function<bool()> slateMode;
  // Whether Alt is held (Alt+Enter belongs to the window, not to a marked button).
  std::function<bool()> altHeld;
  // Whether Shift is held (Shift+Tab steps backwards).
  std::function<bool()> shiftHeld;
  // Calmer screens: moving decorations (scrolling textures) stand still.
  bool calmMotion = false;

  // The renderer's aspect mode and virtual sizes, or those of aspectMode without one.
  AspectMode Aspect() const;
  float HalfWidth() const;
  // A number of the value table, the fallback without one; a sprite by name, none without
  // the sprite service or a name.
  float Value(std::string_view key, float fallback) const;
  int IntValue(std::string_view key, int fallback) const;
  Sprite* SpriteNamed(std::string_view name) const;
  float HalfHeight(bool unclamped = false) const;
  GuiPoint Pointer() const { return pointer ? pointer() : GuiPoint{}; }
  bool SlateMode() const { return slateMode && slateMode(); }
  bool AltHeld() const { return altHeld && altHeld(); }
  bool ShiftHeld() const { return shiftHeld && shiftHeld(); }
  const ControlFactory& Factory() const;
};

// The context in use: the one installed last and not yet uninstalled; an empty one (no
// services) while none is installed.
GuiContext& Gui();
// Installs context until it is uninstalled. Owners may uninstall in any order: the newest of
// the contexts still installed is the one in use.
void InstallGuiContext(GuiContext* context);
void UninstallGuiContext(GuiContext* context);

// Installs a context for the life of a scope.
class ScopedGuiContext {
 public:
  explicit ScopedGuiContext(GuiContext& context);
  ~ScopedGuiContext();
  ScopedGuiContext(const ScopedGuiContext&) = delete;
  ScopedGuiContext& operator=(const ScopedGuiContext&) = delete;

 private:
  GuiContext* context_;
};
