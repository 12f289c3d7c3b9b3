#pragma once
// kview's level item: "level:EPISODE:LEVEL" reads the level file of that episode and level,
// begins it and shows it running (objects animate, grow back, blink when reachable), drawn
// the way the level screen draws it. --hover ID shows that object hovered; --click FRAME:X,Y
// clicks the world at that point (world units, origin at the centre, y up) before that frame,
// so that workers walk, work and come home.
#include <memory>
#include <string>
#include <string_view>

#include "ViewItems.h"

std::unique_ptr<ViewItem> MakeLevelItem(ViewServices& services, std::string_view argument,
                                        std::string& error);
