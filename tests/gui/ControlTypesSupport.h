#pragma once
// The real control types on the recording device: a fixture with the game's types
// registered, a font whose glyphs are 10 units wide at size 20, sprites of known sizes, and
// the quads a draw sent.
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "data/StringTable.h"
#include "graphics/FontManager.h"
#include "graphics/TextTestSupport.h"
#include "gui/ControlTypes.h"

// One quad as drawn: its first and third corner and texture coordinates, and its colour.
struct DrawnQuad {
  Rect rect;
  TexRect tex;
  uint32_t colour = 0;
};

class ControlTypesFixture : public GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    RegisterControlTypes(factory);
    device->keepVertices = true;
    context.strings = &strings;
    // 256 × 128 atlas: "box" 100 × 40, "sq" 90 × 90, "btn" 120 × 60 (four 60 × 30 frames),
    // "flat" 0 × 0.
    Write("gui.png", EncodePng(Solid(256, 128, 9, 9, 9), 4));
    folder.Write("content/atlases/gui.xml",
                 std::string("<Atlas name='gui'><Tex name='box' rect='0,0,100,40'/>"
                             "<Tex name='sq' rect='100,0,90,90'/>"
                             "<Tex name='btn' rect='0,40,120,60'/>"
                             "<Tex name='flat' rect='200,100,0,0'/></Atlas>"));
    folder.Write(
        "content/font1.fnt",
        texttest::FontXml(texttest::GlyphsFor(u"abcdefghijklmnopqrstuvwxyz _"), "font1_0.png"));
    folder.Write(
        "content/font2.fnt",
        texttest::FontXml(texttest::GlyphsFor(u"abcdefghijklmnopqrstuvwxyz _"), "font2_0.png"));
    resources.pages = {"font1_0", "font2_0"};
    MountContent();
    fonts = std::make_unique<FontManager>(files, *renderer, resources, &strings);
    fonts->Load();
    context.fonts = fonts.get();
  }
  void TearDown() override {
    list.Clear();
    context.fonts = nullptr;
    fonts.reset();
    GuiFixture::TearDown();
  }

  // Loads a layout of the given elements into the list (cleared first).
  void Load(const std::string& elements) {
    const std::string name = "layout" + std::to_string(++layouts);
    WriteLayout(name, "<controls>" + elements + "</controls>");
    files.Mount((folder.path() / "content").string());
    list.LoadLayout(name, true);
  }
  template <class T>
  T* At(size_t index) {
    return dynamic_cast<T*>(list.At(index));
  }

  // Draws the list (or one control) and returns the quads it sent.
  std::vector<DrawnQuad> Drawn(GUIControl* only = nullptr) {
    device->ClearLog();
    if (only) {
      only->Draw();
    } else {
      list.DrawAll();
    }
    renderer->Flush();
    std::vector<DrawnQuad> quads;
    for (const auto& call : device->CallsOf(Op::DrawQuads)) {
      for (size_t i = 0; i + 3 < call.vertices.size(); i += 4) {
        const Vertex& a = call.vertices[i];
        const Vertex& c = call.vertices[i + 2];
        quads.push_back({{a.x, a.y, c.x, c.y}, {a.u, a.v, c.u, c.v}, a.colour});
      }
    }
    return quads;
  }

  int layouts = 0;
  StringTable strings{files};
  texttest::FakeResources resources;
  std::unique_ptr<FontManager> fonts;
};

inline void ExpectRectNear(const Rect& r, float x0, float y0, float x1, float y1) {
  EXPECT_NEAR(r.x0, x0, 1e-3) << "x0";
  EXPECT_NEAR(r.y0, y0, 1e-3) << "y0";
  EXPECT_NEAR(r.x1, x1, 1e-3) << "x1";
  EXPECT_NEAR(r.y1, y1, 1e-3) << "y1";
}
