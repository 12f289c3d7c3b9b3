#pragma once
// The kview item "text:FONT:TEXT": a line of text with markup in one of the game's fonts.
#include <memory>
#include <string>
#include <string_view>

#include "ViewItems.h"

// FONT is the font index the game uses ("ft_" values: 0 is the first font loaded) or a font
// name ("font3"), optionally followed by "@" and the size ("2@48"; 40 when left out). TEXT
// is UTF-8 with the game's markup: "^0".."^9" colours, "^s" larger, "\" a new line.
std::unique_ptr<ViewItem> MakeTextItem(ViewServices& services, std::string_view argument,
                                       std::string& error);
