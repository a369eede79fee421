// platform/sdl_testing.h - the seam of the SDL loader for tests.
#pragma once

namespace velmora {

// The next load of SDL takes the library of this name (null: the usual one),
// as if it were the first.
void Sdl_Test_Bibliothek(const char* name);

}  // namespace velmora
