#pragma once

// Preconditions of the services' interfaces: mistakes in the calling code, never in content.
// Debug and sanitizer builds stop at the first one with a line that names the mistake; other
// builds compile the checks away, and the services then do what their comments promise for
// such calls (mostly nothing).
namespace base {
[[noreturn]] void PreconditionFailed(const char* mistake, const char* file, int line);
}

#if defined(KALODRUS_CHECKS)
#define KALODRUS_EXPECT(condition, mistake) \
  ((condition) ? void(0) : ::base::PreconditionFailed(mistake, __FILE__, __LINE__))
#else
#define KALODRUS_EXPECT(condition, mistake) ((void)0)
#endif
