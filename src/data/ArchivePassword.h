#pragma once

// The one password under which every encrypted entry of the game's ".pak" archives is stored
// (the ZIP format's traditional encryption). The game reads archives with it and the content
// tool writes them with it; entries stored without encryption open regardless.
inline constexpr char kArchivePassword[] = "Kalodrus3-pak:7Hq#vN2&xR9!mT4$wB6zL";

static_assert(sizeof(kArchivePassword) - 1 == 35, "the archive password has 35 characters");
