#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "level/WorldObject.h"

// The sprite objects a level uses as indicators: respawn clocks, the command-queue marker,
// the hover selectors and the objective marker. Each slot holds the object built from the
// last indicator description that chose it.
struct IndicatorSprites {
  static constexpr int kSelectorSlots = 9;  // 0 buildings, 1..8 special worker types

  std::optional<WorldObject> respawnLinked;  // respawn clock of objects with a linked object
  std::optional<WorldObject> respawn;        // respawn clock of other objects
  std::optional<WorldObject> queue;          // command-queue marker
  std::array<std::optional<WorldObject>, kSelectorSlots> selectors;
  std::optional<WorldObject> defaultSelector;
  std::optional<WorldObject> objective;

  // The slot an indicator id selects, or null when the id selects none. The tests run in
  // this order: "respawn" with "_sec", other "respawn", "queue", "selector" with "_bld",
  // "_kal", "_med", "_peg", "_cer", "_cyc", "_har", "_lio", "_meg" (slots 0..8), plain
  // "selector", "objective".
  std::optional<WorldObject>* SlotFor(std::string_view id);

  // The selector of slot 0..8 when that slot is filled; the default selector for an empty
  // slot and for a slot number outside 0..8 (a worker type the content does not know).
  const std::optional<WorldObject>& SelectorFor(int slot) const;
};
