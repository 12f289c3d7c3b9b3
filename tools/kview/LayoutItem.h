#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "ViewItems.h"

// layout:NAME — a layout's controls made by the game's control types, updated every frame
// (their changers run) and drawn as a screen draws them, with the pointer at --pointer.
std::unique_ptr<ViewItem> MakeLayoutItem(ViewServices& services, std::string_view argument,
                                         std::string& error);

// dialog:NAME — the dialog of a dialog layout (its frame layout first), shown at once.
std::unique_ptr<ViewItem> MakeDialogItem(ViewServices& services, std::string_view argument,
                                         std::string& error);
// msgbox:KEY[:yesno] — a message box sized to the text of a string key, with OK or yes and no.
std::unique_ptr<ViewItem> MakeMessageBoxItem(ViewServices& services, std::string_view argument,
                                             std::string& error);
// briefing:EPISODE:LEVEL — the level's briefing as a level start fills it (casual).
std::unique_ptr<ViewItem> MakeBriefingItem(ViewServices& services, std::string_view argument,
                                           std::string& error);
