#pragma once
// What kview can show. Every item kind is one row of a table: the word before the first ":"
// of an item ("texture:menu_back") picks the row, whose maker builds the item from the rest.
// New kinds (text, effects) are new rows.
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class FileSystem;
class ParticleManager;
class Renderer;
class SpriteManager;
class TextureManager;
class ValueTable;

// A click on the world at a frame (--click FRAME:X,Y), in world units.
struct ViewClick {
  int frame = 0;
  float x = 0;
  float y = 0;
};

// The game services an item may use.
struct ViewServices {
  FileSystem& files;
  ValueTable& values;
  Renderer& renderer;
  TextureManager& textures;
  SpriteManager& sprites;
  int hover = 0;                  // --hover: the object a level item shows hovered
  std::vector<ViewClick> clicks;  // --click: what a level item is clicked on
  float pointerX = 0.0f;          // --pointer: where a layout item's pointer is (virtual units)
  float pointerY = 0.0f;
  bool bot = false;  // --bot: a level item is played by the bot
  // The one particle service of the run, made and loaded by the first item that needs it:
  // the effects' textures are shared, so two services would each let them go.
  std::unique_ptr<ParticleManager> particles;
  ParticleManager& Particles();
};

class ViewItem {
 public:
  virtual ~ViewItem() = default;
  // Size in virtual pixels, for the layout.
  virtual float Width() const = 0;
  virtual float Height() const = 0;
  // Items that cover the whole screen by themselves (wide backgrounds) are drawn first,
  // under the others, and take no place in the row.
  virtual bool CoversScreen() const { return false; }
  // Advances animated items by one frame step.
  virtual void Update(float /*frameMs*/) {}
  // Draws the item centred on (x, y), scaled.
  virtual void Draw(float x, float y, float scale) = 0;
};

struct ViewItemKind {
  std::string_view kind;   // "texture", "sprite", ...
  std::string_view usage;  // for the help text
  // The item, or none with a message in error. None for whole screens, which run the
  // game's Application and are shown alone (ScreenItem.h).
  std::unique_ptr<ViewItem> (*make)(ViewServices& services, std::string_view argument,
                                    std::string& error);
};

std::span<const ViewItemKind> ViewItemKinds();

// Builds the item of a "kind:argument" word.
std::unique_ptr<ViewItem> MakeViewItem(ViewServices& services, std::string_view word,
                                       std::string& error);
