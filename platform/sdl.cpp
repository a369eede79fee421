// platform/sdl.cpp - the SDL2 library, loaded when a window or the sound first needs it.
#include "platform/sdl.h"

#include <dlfcn.h>

#include <cstdio>
#include <mutex>

namespace velmora {
namespace {

// The library's run-time name (its soname) and, for a development install
// without it, the link name.
constexpr const char* NAMEN[] = {"libSDL2-2.0.so.0", "libSDL2.so"};

SdlBibliothek g_sdl;
bool g_geladen = false;

bool laden() {
    void* h = nullptr;
    for (const char* name : NAMEN)
        if ((h = ::dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
    if (!h) {
        std::fprintf(stderr, "SDL: %s\n", ::dlerror());
        return false;
    }
    SdlBibliothek b;
    const char* fehlt = nullptr;
#define VELMORA_SDL_HOLEN(name)                                          \
    b.name = reinterpret_cast<decltype(b.name)>(::dlsym(h, #name));      \
    if (!b.name && !fehlt) fehlt = #name;
    VELMORA_SDL_FUNKTIONEN(VELMORA_SDL_HOLEN)
#undef VELMORA_SDL_HOLEN
    if (fehlt) {
        std::fprintf(stderr, "SDL: the library has no %s\n", fehlt);
        ::dlclose(h);
        return false;
    }
    // Kept loaded to the end: SDL's own threads and exit handlers run in it.
    g_sdl = b;
    return true;
}

}  // namespace

bool Sdl_Laden() {
    static std::once_flag einmal;
    std::call_once(einmal, [] { g_geladen = laden(); });
    return g_geladen;
}

const SdlBibliothek& Sdl() { return g_sdl; }

}  // namespace velmora
