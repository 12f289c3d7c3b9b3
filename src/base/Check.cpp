#include "base/Check.h"

#include <cstdio>
#include <cstdlib>

namespace base {

void PreconditionFailed(const char* mistake, const char* file, int line) {
  std::fprintf(stderr, "kalodrus3: precondition failed: %s (%s:%d)\n", mistake, file, line);
  std::abort();
}

}  // namespace base
