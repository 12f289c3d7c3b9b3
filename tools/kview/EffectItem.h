#pragma once
// kview's effect item: "effect:NAME" runs a particle effect of the content, restarting
// one-shot effects when they have finished, so that artists can watch and tune them.
#include <memory>
#include <string>
#include <string_view>

#include "ViewItems.h"

std::unique_ptr<ViewItem> MakeEffectItem(ViewServices& services, std::string_view name,
                                         std::string& error);
