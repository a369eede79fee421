// platform/sdl.cpp - the SDL2 library, loaded when a window or the sound first needs it.
#include "platform/sdl_testing.h"

#ifdef VELMORA_HAVE_SDL
#include "platform/sdl.h"

#include <dlfcn.h>

#include <mutex>
#include <string>
#endif

namespace velmora {
#ifdef VELMORA_HAVE_SDL
namespace {

// The library's run-time name (its soname) and, for a development install
// without it, the link name.
constexpr const char* NAMEN[] = {"libSDL2-2.0.so.0", "libSDL2.so"};

SdlBibliothek g_sdl;
bool g_geladen = false;
std::string g_fehler;   // why the library did not load
const char* g_test_name = nullptr;
std::once_flag* g_einmal = new std::once_flag;

bool laden() {
    void* h = nullptr;
    // The run-time name's refusal says most: the link name is only a fallback.
    for (const char* name : {g_test_name ? g_test_name : NAMEN[0], g_test_name ? nullptr : NAMEN[1]}) {
        if (!name || (h = ::dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
        const char* grund = ::dlerror();
        if (g_fehler.empty()) g_fehler = grund ? grund : std::string(name) + ": not found";
    }
    if (!h) return false;
    g_fehler.clear();
    SdlBibliothek b;
    const char* fehlt = nullptr;
#define VELMORA_SDL_HOLEN(name)                                          \
    b.name = reinterpret_cast<decltype(b.name)>(::dlsym(h, #name));      \
    if (!b.name && !fehlt) fehlt = #name;
    VELMORA_SDL_FUNKTIONEN(VELMORA_SDL_HOLEN)
#undef VELMORA_SDL_HOLEN
    if (fehlt) {
        g_fehler = std::string("the library has no ") + fehlt;
        ::dlclose(h);
        return false;
    }
    // Kept loaded to the end: SDL's own threads and exit handlers run in it.
    g_sdl = b;
    return true;
}

}  // namespace

bool Sdl_Laden() {
    std::call_once(*g_einmal, [] { g_geladen = laden(); });
    return g_geladen;
}

const SdlBibliothek& Sdl() { return g_sdl; }

const char* Sdl_Fehler() { return g_fehler.c_str(); }

void Sdl_Test_Bibliothek(const char* name) {
    g_test_name = name;
    g_geladen = false;
    g_fehler.clear();
    g_sdl = SdlBibliothek{};
    delete g_einmal;
    g_einmal = new std::once_flag;
}
#else
void Sdl_Test_Bibliothek(const char*) {}
#endif

}  // namespace velmora
