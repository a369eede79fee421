// core/str.cpp - temporary strings and small text parsers.
#include "core/str.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace velmora {
namespace {

struct StrModul {
    char puffer[STR_TEMP_ANZAHL][STR_TEMP_GROESSE];
    int naechster = 0;
};
StrModul g;

}  // namespace

char* Str_Temp() {
    char* p = g.puffer[g.naechster];
    g.naechster = (g.naechster + 1) % STR_TEMP_ANZAHL;
    p[0] = 0;
    return p;
}

void Str_VFormat(char* out, size_t groesse, const char* format, va_list args) {
    if (!out || groesse == 0) return;
    if (!format) {
        out[0] = 0;
        return;
    }
    std::vsnprintf(out, groesse, format, args);
}

char* Str_Format(const char* format, ...) {
    char* p = Str_Temp();
    va_list args;
    va_start(args, format);
    Str_VFormat(p, STR_TEMP_GROESSE, format, args);
    va_end(args);
    return p;
}

bool IP_Parsen(const char* text, uint32_t out[4]) {
    if (!text || !out) return false;
    uint32_t teile[4];
    const char* p = text;
    for (int i = 0; i < 4; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
        uint32_t wert = 0;
        int ziffern = 0;
        while (std::isdigit(static_cast<unsigned char>(*p))) {
            wert = wert * 10 + uint32_t(*p - '0');
            if (++ziffern > 3) return false;
            ++p;
        }
        if (wert > 255) return false;
        teile[i] = wert;
        if (i < 3) {
            if (*p != '.') return false;
            ++p;
        }
    }
    if (*p != 0) return false;
    for (int i = 0; i < 4; ++i) out[i] = teile[i];
    return true;
}

int32_t Zahlenliste_Lesen(const char* text, int32_t* out, int32_t max) {
    if (!text || !out || max <= 0) return 0;
    int32_t n = 0;
    const char* p = text;
    while (n < max) {
        while (*p == ' ' || *p == '\t') ++p;
        char* ende = nullptr;
        long wert = std::strtol(p, &ende, 10);
        if (ende == p) break;
        if (wert > INT32_MAX) wert = INT32_MAX;
        if (wert < INT32_MIN) wert = INT32_MIN;
        out[n++] = int32_t(wert);
        p = ende;
        while (*p == ' ' || *p == '\t') ++p;
        if (*p != ',') break;
        ++p;
    }
    return n;
}

}  // namespace velmora
