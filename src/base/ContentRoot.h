#pragma once
#include <string>
#include <vector>

namespace base {

// Where the game reads its content from. A game folder holds the program beside its content
// ("content/" or "content.pak", "music", "locale/..."); an installed game keeps the program in
// a folder of programs and the content in its data folder. The program looks beside itself
// first, then in the data folder it was installed with.

// The folder of the running program (links resolved), empty when the system cannot tell.
std::string ProgramFolder();

// Whether folder holds the game's content: a "content" folder or a "content.pak" archive.
bool HoldsContent(const std::string& folder);

// The folders to look in, in order: the program's own folder, the data folder at the
// installed place relative to it (so a relocated or DESTDIR-staged installation finds its
// own content), and the absolute data folder it was built for. Empty entries are left out.
std::vector<std::string> ContentCandidates(const std::string& programFolder,
                                           const std::string& relativeDataFolder,
                                           const std::string& absoluteDataFolder);

// The first candidate that holds content; empty when none does.
std::string FindContentRoot(const std::vector<std::string>& candidates);

// The candidates of this program as it was built (see KALODRUS_DATA_RELATIVE and
// KALODRUS_DATA_ABSOLUTE in the build).
std::vector<std::string> InstalledContentCandidates();

}  // namespace base
