// Fuzzes the font reader with arbitrary entries, and the markup renderer, the
// measures and the layout with arbitrary text: nothing may read or write
// outside its buffers, and no code in a text may reach memory by itself.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/bytes.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"

namespace {

using namespace velmora;

// A small valid font: every glyph a 3-pixel block of an 8-pixel sheet.
std::string Kleiner_Font(bool jede_tiefe) {
    Font f;
    const int32_t tiefe = jede_tiefe ? 8 : 16;
    f.bogen = Rastport_Create(224 * 3, 8, tiefe, 0, 0);
    std::memset(f.bogen->pixels->pixels, 0x55, f.bogen->pixels->byte_size);
    for (int32_t i = 0; i < 224; ++i) f.glyph_x[i] = 3 * i, f.glyph_breite[i] = 3;
    f.baseline = 6;
    f.farbe = 0xFFFF;
    f.jede_tiefe = jede_tiefe;
    const auto d = Font_Write_Mem(&f);
    Rastport_Free(f.bogen);
    return std::string(d.begin(), d.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string vorlagen[2] = {Kleiner_Font(false), Kleiner_Font(true)};
    if (size < 1) return 0;
    const uint8_t art = data[0];
    ++data, --size;
    Rastport* ziel = Rastport_Create(160, 80, 16, 0, 0);
    Rastport_Fill(ziel, 0, 0, -1, -1, 0, nullptr);
    if (art & 1) {
        // With bit 3 the bytes are a whole entry; else they overwrite part of
        // a valid one, so that the checks behind the magic are reached.
        std::string d = vorlagen[(art >> 1) & 1];
        if (art & 8) {
            d.assign(reinterpret_cast<const char*>(data), size);
        } else {
            const size_t ofs = size >= 4 ? Bytes_Get32(data) % d.size() : 0;
            const size_t n = size >= 4 ? size - 4 : 0;
            std::memcpy(d.data() + ofs, data + 4, std::min(n, d.size() - ofs));
            if (art & 4) d.resize(d.size() - std::min(d.size(), n));
        }
        if (Font* f = Font_Read(reinterpret_cast<const uint8_t*>(d.data()), d.size())) {
            Text_Printf(ziel, f, "%s", 3, 20, "Abc ^bbX^fb0009 12^c12345^tr0050y^l^gll0001z");
            Font_Free(f);
        }
    } else {
        Font* f = Font_Read(reinterpret_cast<const uint8_t*>(vorlagen[(art >> 1) & 1].data()), vorlagen[0].size());
        if (!f) f = Font_Read(reinterpret_cast<const uint8_t*>(vorlagen[0].data()), vorlagen[0].size());
        const std::string text(reinterpret_cast<const char*>(data), size);
        Text_Printf(ziel, f, "%s", int32_t(art) - 100, 30, text.c_str());
        Text_Width(f, text.c_str());
        Text_Block_Size(f, text.c_str());
        char kurz[40];
        Str_Auf_Breite(text.c_str(), kurz, sizeof kurz, f, art);
        Textsatz_Box(ziel, f, text.c_str(), art % 40, 40 + art, 0, 70, 0xFFFF, uint8_t(art >> 2), -1);
        Font_Free(f);
    }
    Rastport_Free(ziel);
    return 0;
}
