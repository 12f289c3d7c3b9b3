#pragma once
#include <string>
#include <vector>

// campaign tune FILE... [--write] [--dev-records PATH]
//   The bot plays each campaign level in casual and expert play; prints per level a JSON line
//   with both runs and the medal times the rule (level/MedalRule.h) gives; --write puts those
//   times into the file (only its three time attributes change) and the developers' score
//   into PATH (the game folder's tables/dev_records.xml by default).
// campaign table GAMEFOLDER [--readme FILE] [--check FILE]
//   The campaign's difficulty as a Markdown table of every level 1:1 to 5:11 that exists:
//   the bot's casual and expert times, the silver time, their ratio, the clicks, what the
//   level introduces. --readme writes it between the campaign-table markers of FILE;
//   --check fails (exit 1) naming each level that breaks the rule, the band or the limits,
//   or when FILE's table differs.
int RunCampaignCommand(const std::vector<std::string>& args);
