#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "graphics/RecordingDevice.h"
#include "graphics/Renderer.h"

using Op = RecordingDevice::Op;

// A Renderer on a RecordingDevice; the device stays reachable for inspection.
class RecordingRendererTest : public ::testing::Test {
 protected:
  RecordingRendererTest() {
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    renderer = std::make_unique<Renderer>(std::move(owned));
  }

  // Creates the device and forgets the calls start-up made.
  void Start(AspectMode aspectMode = AspectMode::Screen4x3, bool fullscreen = false) {
    renderer->SetAspectMode(aspectMode);
    ASSERT_TRUE(renderer->Init(false, fullscreen));
    device->ClearLog();
  }

  void AddQuads(int count) {
    for (int i = 0; i < count; ++i) renderer->AddQuad({0, 0, 1, 1});
  }

  RecordingDevice* device = nullptr;
  std::unique_ptr<Renderer> renderer;
};
