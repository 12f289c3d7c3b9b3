#pragma once
#include <cstdint>

// The editor's panel colours (ARGB), shared by its drawing and its dialogs.
namespace editor_colours {

constexpr uint32_t kPanel = 0xF0262B33u;
constexpr uint32_t kPanelLine = 0xFF4A5566u;
constexpr uint32_t kBackdrop = 0xFF15181Du;
constexpr uint32_t kText = 0xFFE8ECF2u;
constexpr uint32_t kDim = 0xFF9AA6B8u;
constexpr uint32_t kAccent = 0xFFFFC857u;
constexpr uint32_t kBad = 0xFFFF6B5Eu;
constexpr uint32_t kGood = 0xFF7BD88Fu;
constexpr uint32_t kButton = 0xFF465068u;

}  // namespace editor_colours
