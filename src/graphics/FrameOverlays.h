#pragma once
// What the application draws over every frame: the frame-rate line, the fade rectangle, the
// drawn cursor and the loading sign.
#include <cstdint>

#include "graphics/Vertex.h"

class FontManager;
class Renderer;
struct Shader;
struct Texture;

// "%d fps" (fps truncated) from x = -75 and "%d tri %d dip" (the renderer's triangles and
// draw calls so far in this frame) from x = 25, with font 0 at size 18, centred 10 below the
// top of the screen. The previously selected font is selected again afterwards.
void DrawFrameRate(FontManager& fonts, Renderer& renderer, float fps, uint32_t colour);

// Black over the whole screen at opacity fadeLevel (0..255, truncated), untextured through
// noTex (may be none), which is deselected afterwards.
void DrawFade(Renderer& renderer, const Shader* noTex, float fadeLevel);

// The cursor picture at the pointer (mouseX, mouseY: virtual coordinates, y up): the
// screen rectangle from (px - 1, py + 1) to (px + width, py + height), where px and py are
// the pointer in screen units from the top left.
void DrawCursor(Renderer& renderer, Texture* texture, const TexRect& rect, float mouseX,
                float mouseY, float width, float height, uint32_t colour);

// The loading sign, width × height, centred on the screen.
void DrawLoadingSign(Renderer& renderer, Texture* texture, const TexRect& rect, float width,
                     float height, uint32_t colour);
