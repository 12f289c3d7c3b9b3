#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "ViewItems.h"

// layout:NAME — a layout's controls made by the game's control types, updated every frame
// (their changers run) and drawn as a screen draws them, with the pointer at --pointer.
std::unique_ptr<ViewItem> MakeLayoutItem(ViewServices& services, std::string_view argument,
                                         std::string& error);
