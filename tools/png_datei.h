// tools/png_datei.h - PNG files of the tools (the icon, frames of films):
// 8-bit RGB or RGBA, one zlib stream, no filters.
#pragma once
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "platform/files.h"

namespace velmora::werkzeug {

// Writes rows of `kanaele` (3 RGB, 4 RGBA) bytes a pixel; false when packing
// or writing fails.
inline bool Png_Schreiben(const char* pfad, uint32_t breite, uint32_t hoehe, uint32_t kanaele,
                          const std::vector<uint8_t>& pixel) {
    auto be32 = [](std::vector<uint8_t>& d, uint32_t v) {
        for (int s = 24; s >= 0; s -= 8) d.push_back(uint8_t(v >> s));
    };
    auto stueck = [&](std::vector<uint8_t>& datei, const char typ[5], const std::vector<uint8_t>& inhalt) {
        be32(datei, uint32_t(inhalt.size()));
        const size_t anfang = datei.size();
        datei.insert(datei.end(), typ, typ + 4);
        datei.insert(datei.end(), inhalt.begin(), inhalt.end());
        be32(datei, uint32_t(crc32(0, datei.data() + anfang, uInt(datei.size() - anfang))));
    };
    // Each row behind its filter byte (0: none).
    const size_t zeile = size_t(breite) * kanaele;
    std::vector<uint8_t> roh;
    roh.reserve((zeile + 1) * hoehe);
    for (uint32_t y = 0; y < hoehe; ++y) {
        roh.push_back(0);
        roh.insert(roh.end(), pixel.begin() + long(y * zeile), pixel.begin() + long((y + 1) * zeile));
    }
    uLongf gepackt_groesse = compressBound(uLong(roh.size()));
    std::vector<uint8_t> gepackt(gepackt_groesse);
    if (compress2(gepackt.data(), &gepackt_groesse, roh.data(), uLong(roh.size()), 9) != Z_OK) return false;
    gepackt.resize(gepackt_groesse);
    std::vector<uint8_t> datei = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> kopf;
    be32(kopf, breite);
    be32(kopf, hoehe);
    // 8 bits, RGB (2) or RGBA (6), deflate, no filter variants, no interlace
    kopf.insert(kopf.end(), {8, uint8_t(kanaele == 4 ? 6 : 2), 0, 0, 0});
    stueck(datei, "IHDR", kopf);
    stueck(datei, "IDAT", gepackt);
    stueck(datei, "IEND", {});
    return Plat_Write_Atomic(pfad, datei.data(), datei.size());
}

}  // namespace velmora::werkzeug
