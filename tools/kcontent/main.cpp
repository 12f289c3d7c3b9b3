// kcontent: turns authored content into what the game reads. One command per run:
//   kcontent COMMAND ARGS...
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "kcontent/AtlasCommand.h"
#include "kcontent/CampaignCommand.h"
#include "kcontent/ComicCheckCommand.h"
#include "kcontent/Commands.h"
#include "kcontent/ImageCommand.h"
#include "kcontent/LayoutCommand.h"
#include "kcontent/LevelCheckCommand.h"
#include "kcontent/LintCommand.h"
#include "kcontent/SaveCommand.h"

namespace {

struct Command {
  std::string_view name;
  std::string_view usage;
  std::string_view summary;
  int (*run)(const std::vector<std::string>& args);
};

constexpr Command kCommands[] = {
    {"pak", "pak FOLDER OUT.pak",
     "packs every file below FOLDER into the encrypted ZIP archive OUT.pak", RunPakCommand},
    {"lint", "lint GAMEFOLDER [--no-media]",
     "checks a game folder's content through the game's loaders", RunLintCommand},
    {"layout", "layout dump NAME [--aspect A]",
     "prints where every control of a layout lands in aspect mode A (0-4; --game G: game "
     "folder, default the current one)",
     RunLayoutCommand},
    {"level", "level check FILE [--game G]",
     "writes a level file back and reports what would be lost (G: game folder)", RunLevelCommand},
    {"level", "level play FILE [options]",
     "plays a level without a window (--bot, --seconds N, --difficulty 0-2, --seed N, "
     "--step MS, --record F, --replay F, --trace, --write F, --game G); last line: the result as "
     "JSON",
     RunLevelCommand},
    {"level", "level hints FILE [--lang en|de|ru|pl] [--game G]",
     "prints the information text of every hoverable object at the level's start, with its "
     "markup (inline symbols as %NAME%)",
     RunLevelCommand},
    {"level", "level fit FILE...",
     "sizes the waypoints of level files so that their quads take the clicks on the pictures "
     "they serve (the rule of level/WaypointArea.h)",
     RunLevelCommand},
    {"level", "level speech FILE [--lang en|de|ru|pl] [--game G]",
     "prints the level's speech script: every line with its trigger, speaker, kind, delay, "
     "arrow target, the chain it wakes and its text",
     RunLevelCommand},
    {"campaign", "campaign table GAME [--readme F] [--check F]",
     "measures every campaign level with the bot (casual and expert time, silver time, their "
     "ratio, clicks, what it introduces) as a Markdown table; --readme writes it into F's "
     "campaign-table section, --check names every level off the medal rule, the band or the "
     "limits, and a stale table",
     RunCampaignCommand},
    {"campaign", "campaign tune FILE... [--write]",
     "plays levels with the bot and prints the medal times of the rule; --write puts them and "
     "the developers' score (--dev-records PATH) into the files",
     RunCampaignCommand},
    {"save", "save show [DIR] [--check]",
     "decodes the per-user files of DIR (default: the data folder); --check: exit 1 when one "
     "would be ignored on load",
     RunSaveCommand},
    {"save", "save set DIR ITEM...",
     "prepares a progress: record:E:L=stars2,finished,piece,dev,score=N,time=S option:N "
     "achievement:N last:E:L difficulty:D",
     RunSaveCommand},
    {"comic", "comic check N|all [--game G]",
     "lists what keeps comic N (or every comic) from showing as written: layers without a "
     "picture, events naming nothing, unknown words, texts missing in a language, voice lines "
     "missing or too long, no finish",
     RunComicCommand},
    {"image", "image IN.png OUT [options]",
     "converts a PNG into a zif, jpa, jpg or png texture (options: kcontent image)",
     kcontent::RunImageCommand},
    {"atlas", "atlas OUT.tex OUT.xml SOURCE...",
     "packs PNG pictures into an atlas texture and its atlas file", kcontent::RunAtlasCommand},
};

void PrintUsage(std::FILE* to) {
  std::fprintf(to, "usage: kcontent COMMAND ARGS...\n\ncommands:\n");
  for (const Command& c : kCommands) {
    std::fprintf(to, "  %-28.*s %.*s\n", int(c.usage.size()), c.usage.data(), int(c.summary.size()),
                 c.summary.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command& c : kCommands) {
    if (c.name == name) return c.run(std::vector<std::string>(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "kcontent: unknown command '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
