// tests/support/sanitizer.h - whether the suite runs under the address sanitizer.
//
// The sanitizer build runs every test several times slower and keeps freed
// memory in quarantine: long runs that repeat what a shorter one already
// shows under the sanitizers play their full length in the plain build only,
// and the resident size says nothing there.
#pragma once
#include <cstdint>

namespace velmora::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool UNTER_SANITIZERN = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool UNTER_SANITIZERN = true;
#else
inline constexpr bool UNTER_SANITIZERN = false;
#endif
#else
inline constexpr bool UNTER_SANITIZERN = false;
#endif

// The limit of a wait on a state (an answer, a day, a closed connection):
// a safety net that turns a hung state into a failure, not a time the state
// is expected within. Generous for a machine busy with other work, and six
// times that under the sanitizers.
inline constexpr uint32_t WARTEN_GRENZE_MS = (UNTER_SANITIZERN ? 6 : 1) * 20000;

}  // namespace velmora::test
