#include "platform/Check.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void PreconditionFailed(const char* mistake, const char* file, int line) {
  std::fprintf(stderr, "kalodrus3: precondition failed: %s (%s:%d)\n", mistake, file, line);
  std::abort();
}

}  // namespace platform
