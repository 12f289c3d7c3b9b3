#include <cstdio>

#include "kcontent/Commands.h"
#include "kcontent/PakWriter.h"

int RunPakCommand(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: kcontent pak FOLDER OUT.pak\n");
    return 2;
  }
  std::string error;
  if (!PakWriter::PackFolder(args[0], args[1], error)) {
    std::fprintf(stderr, "kcontent pak: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
