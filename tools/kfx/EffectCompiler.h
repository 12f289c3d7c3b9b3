#pragma once
// Compiles a readable effect description (XML) into the records of a ".pyro" file.
//
//   <effect>
//     <texture name="soft" file="textures/soft.png" frames="1"/>
//     <emitter name="flames" loop="1" duration="1">
//       <layer name="core" texture="soft" blend="add" max="300" burst="0"
//              rate="0:60 1:60" life="0.6 1.0" speed="20 40" direction="0" spread="20"
//              gravity="0 -30" drag="0.5" area="ellipse 16 6" spin="-45 45" angle="0 360"
//              size="0:10 0.5:18 1:6" sizevar="0.2" stretch="1"
//              color="0:FFFFE080 0.4:FFFF8020 1:00802000" flags="align animate random"/>
//     </emitter>
//   </effect>
//
// Curves are "time:value" keys over 0..1 (the emitter's cycle for rate, the particle's life
// for size and colour); a single number is a constant. Colours are ARGB hexadecimal.
// Directions are degrees clockwise from straight up; gravity y positive pulls downwards.
// blend: alpha, add, pureadd, premultiplied. area: point, rect W H, ellipse W H, ring W H.
// Texture files are PNG, found relative to the description's folder.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "particles/PyroFormat.h"

namespace kfx {

// Reads a texture file's bytes by the name the description gives; none when missing.
using FileLoader = std::function<std::optional<std::vector<uint8_t>>(const std::string& name)>;

// The file's records, or none with a message in error.
std::optional<PyroParticles::FileDesc> CompileEffect(std::string_view xml, const FileLoader& load,
                                                     std::string& error);

}  // namespace kfx
