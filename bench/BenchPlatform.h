#pragma once
#include <memory>

#include "graphics/RecordingDevice.h"
#include "support/PointerPlatform.h"

// The benchmarks' platform: a clock they move, a pointer they place, no window, and the
// recording device, which draws nothing, kept at hand.
class BenchPlatform final : public PointerPlatform {
 public:
  std::unique_ptr<RenderDevice> CreateRenderDevice() override {
    auto made = std::make_unique<RecordingDevice>();
    device = made.get();
    return made;
  }
  RecordingDevice* device = nullptr;
};
