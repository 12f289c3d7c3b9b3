#include "kcontent/LayoutCommand.h"

#include <cstdio>
#include <memory>

#include "data/FileSystem.h"
#include "data/Language.h"
#include "data/StringTable.h"
#include "data/ValueTable.h"
#include "data/XmlDocument.h"
#include "graphics/RecordingDevice.h"
#include "graphics/ShaderManager.h"
#include "graphics/SpriteManager.h"
#include "graphics/TextureManager.h"
#include "gui/ControlFactory.h"
#include "gui/ControlList.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::optional<std::vector<LayoutDumpEntry>> DumpLayout(const std::string& gameFolder,
                                                       const std::string& name, AspectMode mode,
                                                       std::string& error) {
  FileSystem files;
  files.Mount(gameFolder + "/content");
  MountLocale(files, "en", false, gameFolder + "/");
  // The game's services over a device that draws nothing: sprites get their real sizes.
  Renderer renderer(std::make_unique<RecordingDevice>());
  renderer.SetAspectMode(mode);
  if (!renderer.Init(false, false)) {
    error = "no render device";
    return std::nullopt;
  }
  TextureManager textures(files, renderer);
  SpriteManager sprites(files, textures);
  sprites.LoadAtlases();
  ShaderManager shaders(files, renderer);
  StringTable strings(files);
  strings.Load("strings");
  ValueTable values(files);
  values.Load("interface");

  // The control types this program has, and the common rule for the others.
  ControlFactory factory = ControlFactory::Game();
  for (std::string_view element : ControlFactory::kElementNames) {
    if (!factory.Has(element)) factory.Register(element, ControlFactory::ReadCommonControl);
  }
  GuiContext context;
  context.renderer = &renderer;
  context.sprites = &sprites;
  context.shaders = &shaders;
  context.strings = &strings;
  context.values = &values;
  context.files = &files;
  context.factory = &factory;
  const ScopedGuiContext scope(context);

  std::string file = name;
  if (file.find('.') == std::string::npos) file += ".xml";
  if (!files.Find(file)) {
    error = "no layout " + file;
    return std::nullopt;
  }
  XmlDocument document(files);
  if (!document.Load(file)) {
    error = file + " does not parse: " + document.Error();
    return std::nullopt;
  }
  const XmlElement root = document.FirstChild(XmlElement(), "controls");
  if (!root) {
    error = file + " has no controls element";
    return std::nullopt;
  }
  // Laid out as ControlList::LoadLayout does, element by element.
  std::vector<LayoutDumpEntry> entries;
  ControlList list;
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    LayoutDumpEntry entry;
    entry.element = std::string(e.Name());
    entry.id = e.Int("id", 0);
    if (!ControlFactory::IsElementName(e.Name())) {
      entry.why = "unknown element";
    } else if (GUIControl* c = list.Add(factory.Create(e, nullptr, context))) {
      entry.created = true;
      entry.id = c->id;
      entry.kind = c->kind;
      entry.rect = c->rect;
    } else {
      entry.why = "not created (flags \"" + e.Text("flags") + "\")";
    }
    entries.push_back(std::move(entry));
  }
  list.Clear();
  return entries;
}

int RunLayoutCommand(const std::vector<std::string>& args) {
  const auto usage = [] {
    std::fprintf(stderr, "usage: kcontent layout dump NAME [--aspect 0-4] [--game GAMEFOLDER]\n");
    return 2;
  };
  if (args.size() < 2 || args[0] != "dump") return usage();
  std::string game = ".";
  int aspect = 0;
  for (size_t i = 2; i < args.size(); ++i) {
    if (args[i] == "--aspect" && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (v.size() != 1 || v[0] < '0' || v[0] > '4') return usage();
      aspect = v[0] - '0';
    } else if (args[i] == "--game" && i + 1 < args.size()) {
      game = args[++i];
    } else {
      return usage();
    }
  }
  const AspectMode mode = AspectMode(aspect);
  std::string error;
  const auto entries = DumpLayout(game, args[1], mode, error);
  if (!entries) {
    std::fprintf(stderr, "kcontent layout: %s\n", error.c_str());
    return 1;
  }
  std::printf("%s in aspect mode %d (%g x %g):\n", args[1].c_str(), aspect,
              Renderer::VirtualWidth(mode), Renderer::VirtualHeight(mode));
  for (const LayoutDumpEntry& e : *entries) {
    if (e.created) {
      std::printf("  %-10s id %-5d kind %-3d rect (%g, %g, %g, %g)\n", e.element.c_str(), e.id,
                  int(e.kind), e.rect.x0, e.rect.y0, e.rect.x1, e.rect.y1);
    } else {
      std::printf("  %-10s id %-5d %s\n", e.element.c_str(), e.id, e.why.c_str());
    }
  }
  return 0;
}
