#include "graphics/FrameOverlays.h"

#include <cmath>
#include <cstdio>

#include "graphics/FontManager.h"
#include "graphics/Renderer.h"

void DrawFrameRate(FontManager& fonts, Renderer& renderer, float fps, uint32_t colour) {
  if (!fonts.CurrentFont()) return;
  // Counted before the line itself is drawn.
  const int triangles = renderer.Triangles();
  const int calls = renderer.DrawCalls();
  char rate[32];
  char load[48];
  std::snprintf(rate, sizeof rate, "%d fps", std::isfinite(fps) ? int(fps) : 0);
  std::snprintf(load, sizeof load, "%d tri %d dip", triangles, calls);
  const int previous = fonts.CurrentIndex();
  const float y = renderer.HalfHeight() - 10.0f;
  fonts.SelectFont(0);
  fonts.BeginText();
  fonts.DrawText(-75.0f, y, 18.0f, std::string_view(rate), colour);
  fonts.DrawText(25.0f, y, 18.0f, std::string_view(load), colour);
  fonts.EndText();
  fonts.SelectFont(previous);
}

void DrawFade(Renderer& renderer, const Shader* noTex, float fadeLevel) {
  const float level = std::isfinite(fadeLevel) ? fadeLevel : 0.0f;
  const uint32_t alpha = uint32_t(level <= 0.0f ? 0 : level >= 255.0f ? 255 : int(level));
  renderer.SetShader(noTex);
  renderer.BindTexture(nullptr);
  renderer.AddScreenQuad({0.0f, 0.0f, renderer.Width(), renderer.Height()}, kFullTexRect,
                         alpha << 24);
  renderer.SetShader(nullptr);
}

void DrawCursor(Renderer& renderer, Texture* texture, const TexRect& rect, float mouseX,
                float mouseY, float width, float height, uint32_t colour) {
  if (!texture) return;
  const float px = mouseX + renderer.HalfWidth();
  const float py = renderer.HalfHeight() - mouseY;
  renderer.BindTexture(texture);
  renderer.AddScreenQuad({px - 1.0f, py + 1.0f, px + width, py + height}, rect, colour);
}

void DrawLoadingSign(Renderer& renderer, Texture* texture, const TexRect& rect, float width,
                     float height, uint32_t colour) {
  if (!texture) return;
  renderer.BindTexture(texture);
  renderer.AddQuad({-width * 0.5f, height * 0.5f, width * 0.5f, -height * 0.5f}, rect, colour);
}
