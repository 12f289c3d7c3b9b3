#include "gui/GUIPic.h"

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUIPic::Read(const LayoutElement& element) {
  auto pic = std::make_unique<GUIPic>();
  element.ReadCommon(*pic);
  pic->additive = element.Bool("add", false);
  pic->angle = element.Float("angle", 0.0f);
  element.Place(*pic);
  ReadPictureChangers(element, *pic);
  return pic;
}

void GUIPic::ReadPictureChangers(const LayoutElement& element, GUIControl& control) {
  if (element.HasLetter("flags", 'c')) {
    control.AddChanger(
        std::make_unique<AlphaInfChanger>(element.Float("ovt", 1.5f), element.Float("ova", 0.3f)));
  }
  const float rate = element.Float("tca", 0.0f);
  if (rate != 0.0f) {
    control.AddChanger(std::make_unique<TCInfChanger>(rate, element.Float("tcx", 0.0f),
                                                      element.Float("tcy", 0.0f)));
  }
}

bool GUIPic::OnInput(InputEvent event) {
  if (clickFor == 0) return false;
  if (event.type == InputType::LeftDown) {
    pressed_ = true;
  } else if (event.type == InputType::LeftUp) {
    const bool click = pressed_ && hovered_;
    pressed_ = false;
    return click;
  }
  return false;
}

bool GUIPic::Drawable() const { return sprite && sprite->texture && Alpha() != 0; }

void GUIPic::BeginPicture(Renderer& renderer) const {
  if (additive) renderer.SetBlendMode(BlendMode::Add);
  renderer.BindTexture(sprite->texture);
  renderer.SetShader(shader);
  if (tiling) renderer.SetSamplerBits(kSamplerWrapU | kSamplerWrapV);
}

void GUIPic::EndPicture(Renderer& renderer) const {
  if (tiling) renderer.ClearSamplerBits(kSamplerWrapU | kSamplerWrapV);
  if (additive) renderer.SetBlendMode(BlendMode::Alpha);
}

void GUIPic::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || !Drawable()) return;
  BeginPicture(*renderer);
  if (sprite->texture->Has(kTexturePackedWide)) {
    renderer->DrawWideBackground(colour, false);
  } else {
    const float a = NormalizedAngle(angle);
    if (a != 0.0f) {
      renderer->SetTransform(TransformKind::World,
                             ClockwiseAbout(a, CentreX(rect) + pivotX, CentreY(rect) + pivotY));
    }
    renderer->AddQuad(ScaledRect(rect, scale), texRect, colour);
    if (a != 0.0f) ResetWorldTransform(*renderer);
  }
  EndPicture(*renderer);
}
