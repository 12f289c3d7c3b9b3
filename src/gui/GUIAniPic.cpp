#include "gui/GUIAniPic.h"

#include <algorithm>
#include <cmath>

#include "graphics/Renderer.h"
#include "gui/DrawHelpers.h"
#include "gui/GuiContext.h"
#include "gui/LayoutElement.h"

std::unique_ptr<GUIControl> GUIAniPic::Read(const LayoutElement& element) {
  auto pic = std::make_unique<GUIAniPic>();
  element.ReadCommon(*pic);
  pic->scale = 1.0f;
  pic->SetFrames(element.Int("frames_x", 1), element.Int("frames_y", 1),
                 element.Int("frame_time", 100), element.Int("frame_last", 0));
  pic->repeatPause = std::max(0, element.Int("repeat", 0));
  pic->speed = element.Float("speed", 1.0f);
  PlacementInput in = element.Placement();
  in.scale = 1.0f;
  if (pic->sprite && pic->sprite->texture) {
    if (in.w == 0.0f) in.w = pic->sprite->width / float(pic->framesX);
    if (in.h == 0.0f) in.h = -pic->sprite->height / float(pic->framesY);
  }
  PlacementRules rules;
  rules.centre = false;
  pic->rect = PlaceRect(in, std::nullopt, element.Context().HalfWidth(), rules);
  return pic;
}

void GUIAniPic::SetFrames(int columns, int rows, int frameTimeMs, int last) {
  framesX = std::clamp(columns, 1, 4096);
  framesY = std::clamp(rows, 1, 4096);
  frameTime = std::max(1, frameTimeMs);
  const int count = framesX * framesY;
  lastFrame = last <= 0 ? count : std::min(last, count);
  frame_ = std::min(frame_, lastFrame - 1);
}

TexRect GUIAniPic::FrameRect(int f) const {
  const int column = f / framesY;
  const int row = f % framesY;
  const float fx = 1.0f / float(framesX), fy = 1.0f / float(framesY);
  return SubTexRect(texRect, fx * float(column), fy * float(row), fx * float(column + 1),
                    fy * float(row + 1));
}

void GUIAniPic::Reset() {
  frame_ = previousFrame_ = 0;
  accumulator_ = pause_ = 0.0f;
}

void GUIAniPic::Update(float dt) {
  GUIControl::Update(dt);
  if (pause_ > 0.0f) {
    pause_ -= dt;
    if (pause_ > 0.0f) return;
    pause_ = 0.0f;
    accumulator_ = 0.0f;
  }
  previousFrame_ = frame_;
  accumulator_ += dt * speed;
  if (!std::isfinite(accumulator_)) accumulator_ = 0.0f;
  const float step = float(frameTime);
  if (speed >= 0.0f) {
    if (accumulator_ > step) {
      accumulator_ -= step;
      if (++frame_ >= lastFrame) {
        frame_ = 0;
        pause_ = float(repeatPause);
      }
    }
  } else if (accumulator_ < -step) {
    accumulator_ += step;
    if (--frame_ < 0) {
      frame_ = lastFrame - 1;
      pause_ = float(repeatPause);
    }
  }
}

void GUIAniPic::Draw() {
  Renderer* renderer = Gui().renderer;
  if (!renderer || pause_ > 0.0f || !Drawable()) return;
  BeginPicture(*renderer);
  const float a = NormalizedAngle(angle);
  if (a != 0.0f) {
    // A pivot is a point of the screen here; scaling draws the centre towards it.
    float px = CentreX(rect), py = CentreY(rect);
    if (pivotX != 0.0f || pivotY != 0.0f) {
      px = pivotX - (pivotX - px) * (1.0f - scale);
      py = pivotY - (pivotY - py) * (1.0f - scale);
    }
    renderer->SetTransform(TransformKind::World, ClockwiseAbout(a, px, py));
  }
  renderer->AddQuad(ScaledRect(rect, scale), FrameRect(frame_), colour);
  if (a != 0.0f) ResetWorldTransform(*renderer);
  EndPicture(*renderer);
}
