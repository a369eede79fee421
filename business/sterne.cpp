// business/sterne.cpp - the star row.
#include "business/sterne.h"

#include <algorithm>

#include "club/spieler.h"
#include "core/debug.h"
#include "gfx/blit.h"
#include "gfx/rastport.h"
#include "gui/icon.h"

namespace velmora {
namespace {

void Setzen(SternBild* out, int32_t& n, int32_t dx, int32_t bild) {
    if (n < STERNE_MAX_BILDER) out[n++] = {dx, bild};
}

void Zeichnen(const SternBild* bilder, int32_t n, int32_t x, int32_t y) {
    Rastport* ziel = Rastport_Target();
    for (int32_t i = 0; i < n; ++i)
        if (Rastport* rp = Menue_Get_Slave_Rastport(bilder[i].bild, nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, x + bilder[i].dx, y, BlitMode_Key);
}

bool Art_Ok(const char* wer, int32_t spieler, int32_t art) {
    if (spieler < 0 || spieler >= Spieler_Anzahl() || art != 0) {
        Debug_Printf("%s: Spieler %d oder Art %d ungueltig\n", wer, spieler, art);
        return false;
    }
    return true;
}

}  // namespace

int32_t Sterne_Planen(int32_t max_halbe, int32_t halbe, int32_t abzug, bool gewaehlt, SternBild* out) {
    if (!out) return 0;
    // Twelve half stars is the scale; a damaged value never lays more than the row holds.
    halbe = std::clamp(halbe, 0, 12);
    max_halbe = std::clamp(max_halbe, 0, 12);
    abzug = std::clamp(abzug, 0, halbe);
    const int32_t leer = gewaehlt ? STERN_LEER_GEWAEHLT : STERN_LEER;
    int32_t n = 0;
    for (int32_t i = 0; i < max_halbe / 2; ++i) Setzen(out, n, i * STERN_ABSTAND, leer);
    const int32_t voll = halbe / 2, behalten = (halbe - abzug) / 2;
    for (int32_t i = 0; i < voll; ++i) {
        int32_t bild = STERN_VOLL;
        if (abzug > 0 && i >= behalten)
            bild = i == behalten && (halbe - abzug) % 2 == 1 ? STERN_HALB_HALB : STERN_VOLL_ABZUG;
        Setzen(out, n, i * STERN_ABSTAND, bild);
    }
    if (halbe % 2 == 1) {
        Setzen(out, n, voll * STERN_ABSTAND, leer);
        Setzen(out, n, voll * STERN_ABSTAND, abzug >= 1 ? STERN_HALB_ABZUG : STERN_HALB);
    }
    return n;
}

void Liste_Fuellen(int32_t spieler, int32_t art, int32_t x, int32_t y, int32_t abzug, bool gewaehlt) {
    if (!Art_Ok("Liste_Fuellen", spieler, art)) return;
    SternBild b[STERNE_MAX_BILDER];
    const int32_t n = Sterne_Planen(Spieler_Wert(SPW_MAX_STERNE, spieler, 0, OP_LESEN), Spieler_Sterne(spieler), abzug,
                                    gewaehlt, b);
    Zeichnen(b, n, x, y);
}

void Spieler_Sterne_Zeichnen(int32_t spieler, int32_t x, int32_t y, int32_t art) {
    if (!Art_Ok("Spieler_Sterne_Zeichnen", spieler, art)) return;
    const int32_t halbe = std::clamp(Spieler_Sterne(spieler), 0, 12);
    SternBild b[STERNE_MAX_BILDER];
    int32_t n = 0;
    for (int32_t i = 0; i < halbe / 2; ++i) Setzen(b, n, i * STERN_ABSTAND, STERN_VOLL);
    if (halbe % 2 == 1) Setzen(b, n, halbe / 2 * STERN_ABSTAND, STERN_HALB);
    Zeichnen(b, n, x, y);
}

}  // namespace velmora
