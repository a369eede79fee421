// gui/menue_film.cpp - the competition film of the menu header and the delayed
// release of videos.
#include "gui/menue_film.h"

#include "core/debug.h"
#include "gui/menue_lokal.h"

namespace velmora {
namespace {

struct FilmModul {
    BINK_VIDEO* film = nullptr;     // the competition film, or none
    int32_t grafik = -1;            // the graphic it shows
    bool gezeigt = false;           // the last shown flag
    BINK_VIDEO* freigabe[MENUE_FREIGABEN] = {};
    bool modal = false;
    bool verdeckt = false;                  // a window lies over the competition film
    BINK_VIDEO* modal_pausiert[BINK_SLOTS] = {};   // the films a modal icon paused
};
FilmModul g;

bool Offen(const BINK_VIDEO* v) { return v && v->slot >= 0; }

void Verbergen() {
    if (g.film) Menue_Video_Freigabe_Vormerken(g.film);
    g.film = nullptr;
    g.grafik = -1;
}

}  // namespace

void Menue_Wettbewerb_Video(int32_t zeigen, int32_t pause) {
    if (zeigen == -1) zeigen = g.gezeigt ? 1 : 0;
    g.gezeigt = zeigen == 1;
    if (!g.gezeigt) {
        Verbergen();
        return;
    }
    const int32_t wettbewerb = Menue_Lokal().wettbewerb;
    const auto grafik_von = Menue_Spiel_Hooks().wettbewerb_grafik;
    const int32_t grafik = wettbewerb >= 0 && grafik_von ? grafik_von(wettbewerb) : -1;
    if (g.film && !Offen(g.film)) g.film = nullptr, g.grafik = -1;   // closed by someone else
    if (g.film && grafik == g.grafik) {
        Bnk_PauseV(g.film, pause != 0 || g.verdeckt);
        return;
    }
    if (g.film) {
        Bnk_RelV(g.film);
        g.film = nullptr;
        g.grafik = -1;
    }
    if (grafik < 0 || grafik == MENUE_FILM_OHNE) return;
    g.film = Bnk_InitV(uintptr_t(MENUE_FILM_ERSTER + grafik), BINK_RES_DATEI, 0, 0, MENUE_FILM_X, MENUE_FILM_Y,
                       BINK_DATEI, "TestVideo", 0);
    if (!g.film) {
        Debug_Printf("Menue_Wettbewerb_Video: Film %d nicht geoeffnet\n", MENUE_FILM_ERSTER + grafik);
        return;
    }
    g.grafik = grafik;
    Bnk_PauseV(g.film, pause != 0 || g.verdeckt);
}

void Menue_Video_Freigabe_Vormerken(BINK_VIDEO* video) {
    if (!video) return;
    for (BINK_VIDEO*& f : g.freigabe) {
        if (f == video) return;   // a slot is queued once
        if (!f) {
            f = video;
            return;
        }
    }
    Debug_Printf("Menue_Video_Freigabe_Vormerken: Warteschlange voll\n");
}

void Menue_Videos_Freigeben() {
    for (BINK_VIDEO*& f : g.freigabe) {
        if (f && Offen(f)) Bnk_RelV(f);
        f = nullptr;
    }
}

void Menue_Wettbewerb_Film_Verdeckt(bool verdeckt) {
    if (verdeckt == g.verdeckt) return;
    g.verdeckt = verdeckt;
    if (Offen(g.film) && !g.modal) Bnk_PauseV(g.film, verdeckt);
}

void Menue_Filme_Modal(bool modal) {
    if (modal == g.modal) return;
    g.modal = modal;
    if (modal) {
        for (int32_t i = 0; i < BINK_SLOTS; ++i) {
            BINK_VIDEO* v = Bink_Slot_Video(i);
            g.modal_pausiert[i] = Offen(v) && !v->pausiert ? v : nullptr;
            if (g.modal_pausiert[i]) Bnk_PauseV(v, true);
        }
        return;
    }
    for (BINK_VIDEO*& v : g.modal_pausiert) {
        if (Offen(v) && !(v == g.film && g.verdeckt)) Bnk_PauseV(v, false);
        v = nullptr;
    }
}

void Menue_Filme_Schliessen() {
    Verbergen();
    g.gezeigt = false;
    Menue_Videos_Freigeben();
    Bnk_RelAll();
    g.modal = false;
    g.verdeckt = false;
    for (BINK_VIDEO*& v : g.modal_pausiert) v = nullptr;
}

}  // namespace velmora
