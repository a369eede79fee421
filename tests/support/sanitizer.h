// tests/support/sanitizer.h - whether the suite runs under the address sanitizer.
//
// The sanitizer build runs every test several times slower and keeps freed
// memory in quarantine: long runs that repeat what a shorter one already
// shows under the sanitizers play their full length in the plain build only,
// and the resident size says nothing there.
#pragma once

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

}  // namespace velmora::test
