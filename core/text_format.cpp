// core/text_format.cpp - texts read from files with values filled in.
#include "core/text_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace velmora {
namespace {

// One conversion as the text wrote it.
struct Umwandlung {
    std::string flags;
    int32_t breite = -1;      // -1: none
    int32_t genauigkeit = -1;
    char art = 0;
};

// Reads a decimal field; a field above the bound reads as absent (-1).
int32_t Feld_Lesen(const char*& p) {
    int64_t n = 0;
    bool zu_gross = false;
    while (*p >= '0' && *p <= '9') {
        if (!zu_gross) n = n * 10 + (*p - '0');
        if (n > TEXT_FORMAT_BREITE_MAX) zu_gross = true;
        ++p;
    }
    return zu_gross ? -1 : int32_t(n);
}

// The printf directive of a conversion with only the flags `erlaubt` keeps,
// ending in `laenge` and `art` (both built here, never taken from the text).
std::string Direktive(const Umwandlung& u, const char* erlaubt, const char* laenge, char art) {
    std::string d = "%";
    for (char f : u.flags)
        if (std::strchr(erlaubt, f)) d += f;
    if (u.breite >= 0) d += std::to_string(u.breite);
    if (u.genauigkeit >= 0 && art != 'c') d += "." + std::to_string(u.genauigkeit);
    d += laenge;
    d += art;
    return d;
}

int64_t Gerundet(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9.2e18) return INT64_MAX;
    if (d <= -9.2e18) return INT64_MIN;
    return std::llround(d);
}

void Anhaengen(std::string& out, const Umwandlung& u, const TextArg& a) {
    char puffer[512];
    puffer[0] = 0;
    const bool text_art = u.art == 's' || u.art == 'c';
    const bool komma_art = std::strchr("fFeEgG", u.art) != nullptr;
    if (a.art == TextArg::Art::Text) {
        Umwandlung t = u;
        if (u.art != 's') t.genauigkeit = -1;   // digits after the point do not cut a text
        std::snprintf(puffer, sizeof puffer, Direktive(t, "-", "", 's').c_str(), a.text);
    } else if (u.art == 'c' && a.art == TextArg::Art::Zahl) {
        const int64_t z = a.zahl;
        if (z <= 0 || z > 255) return;   // no character ends the text early
        std::snprintf(puffer, sizeof puffer, Direktive(u, "-", "", 'c').c_str(), int(z));
    } else if (komma_art || (text_art && a.art == TextArg::Art::Komma)) {
        const double d = a.art == TextArg::Art::Komma ? a.komma : double(a.zahl);
        const char art = komma_art ? u.art : 'g';
        std::snprintf(puffer, sizeof puffer, Direktive(u, komma_art ? "-+ #0" : "-", "", art).c_str(), d);
    } else {
        const int64_t z = a.art == TextArg::Art::Komma ? Gerundet(a.komma) : a.zahl;
        if (u.art == 'x' || u.art == 'X')
            std::snprintf(puffer, sizeof puffer, Direktive(u, "-#0", "ll", u.art).c_str(),
                          static_cast<unsigned long long>(z));
        else if (text_art)
            std::snprintf(puffer, sizeof puffer, Direktive(u, "-", "ll", 'd').c_str(), static_cast<long long>(z));
        else
            std::snprintf(puffer, sizeof puffer, Direktive(u, "-+ 0", "ll", 'd').c_str(), static_cast<long long>(z));
    }
    out += puffer;
}

}  // namespace

std::string Text_Format(const char* format, const TextArg* args, size_t anzahl) {
    std::string out;
    if (!format) return out;
    if (!args) anzahl = 0;
    size_t naechstes = 0;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        Umwandlung u;
        while (*p && std::strchr("-+ #0", *p)) u.flags += *p++;
        u.breite = Feld_Lesen(p);
        if (*p == '.') {
            ++p;
            u.genauigkeit = Feld_Lesen(p);
        }
        while (*p && std::strchr("hlLqjzt", *p)) ++p;
        u.art = *p;
        if (!u.art) {
            out.append(start, p);   // a "%" at the end stays as written
            break;
        }
        ++p;
        if (!std::strchr("diuxXcsfFeEgGn", u.art)) {
            out.append(start, p);
            continue;
        }
        if (u.art == 'n') continue;
        if (naechstes >= anzahl) {
            ++naechstes;
            continue;
        }
        Anhaengen(out, u, args[naechstes++]);
    }
    return out;
}

std::string Text_Format(const char* format, std::initializer_list<TextArg> args) {
    return Text_Format(format, args.begin(), args.size());
}

}  // namespace velmora
