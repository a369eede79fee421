// core/pruefen.cpp
#include "core/pruefen.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "core/debug.h"
#include "core/str.h"
#include "platform/display.h"

namespace velmora {

void Pruefung_Verletzt(const char* datei, int32_t zeile, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    Str_VFormat(text, sizeof text, format, args);
    va_end(args);
    Debug_Printf("%s", text);
    if (PRUEFUNG_BRICHT_AB) {
        std::fprintf(stderr, "%s:%d: Pruefung verletzt: %s", datei, int(zeile), Plat_Terminal_Text(text).c_str());
        std::abort();
    }
}

}  // namespace velmora
