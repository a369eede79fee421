// tests/support/kasten_probe.h - where a box of icons lets a click through: a
// header and its rows standing in one or two columns (the talent panels).
// Every point of the box's columns, and of the strip between them, must go
// to one of the box's own icons (`eigen`), never to what lies beneath.
#pragma once
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "gui/icon.h"
#include "gui/menue.h"

namespace velmora::test {

// The points a click would not take to the box, as "x,y icon n" (n -1: none),
// at most `max`; `punkte` counts the points looked at.
inline std::vector<std::string> Kasten_Durchlass(int32_t kopf_nummer, int32_t erste_zeile, int32_t letzte_zeile,
                                                 bool (*eigen)(int32_t nummer), int32_t* punkte, size_t max = 5) {
    std::vector<std::string> durch;
    *punkte = 0;
    const s_icon* kopf = Menue_Screen_Icon_Ist_Vorhanden(kopf_nummer) ? Menue_Screen_Icon_Aus_Nummer(kopf_nummer) : nullptr;
    if (!kopf) return {"no box"};
    // The columns as their pieces stand: the first from the header down, the
    // second from the first's right edge.
    int32_t x0[2] = {kopf->x, 800}, y0[2] = {kopf->y, 600}, x1[2] = {kopf->x + kopf->br, 0},
            y1[2] = {kopf->y + kopf->ho, 0};
    for (int32_t n = erste_zeile; n <= letzte_zeile; ++n) {
        const s_icon* i = Menue_Screen_Icon_Aus_Nummer(n);
        if (!Menue_Screen_Icon_Ist_Vorhanden(n) || !i || (i->Status & ICON_ST_VERSTECKT)) continue;
        const int32_t k = i->x > kopf->x + kopf->br / 2 ? 1 : 0;
        x0[k] = std::min<int32_t>(x0[k], i->x);
        y0[k] = std::min<int32_t>(y0[k], i->y);
        x1[k] = std::max<int32_t>(x1[k], i->x + i->br);
        y1[k] = std::max<int32_t>(y1[k], i->y + i->ho);
    }
    x0[1] = std::min(x0[1], x1[0]);
    for (int32_t k = 0; k < 2; ++k)
        for (int32_t y = y0[k]; y < y1[k]; ++y)
            for (int32_t x = x0[k]; x < x1[k]; ++x) {
                ++*punkte;
                const s_icon* i = Menue_Icon_An(x, y);
                if ((!i || !eigen(i->nummer)) && durch.size() < max)
                    durch.push_back(std::to_string(x) + "," + std::to_string(y) + " icon " +
                                    std::to_string(i ? i->nummer : -1));
            }
    return durch;
}

}  // namespace velmora::test
