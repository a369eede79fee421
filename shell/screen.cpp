// shell/screen.cpp - the screen memory and its display.
#include "shell/screen.h"

#include <algorithm>
#include <cstring>

#include "core/debug.h"
#include "core/mem.h"
#include "core/programm.h"
#include "platform/display.h"
#include "shell/app.h"

namespace velmora {

const char* const SCREEN_TITEL = "Korvel - Velmora V1.24";

namespace {

struct ScreenModul {
    Screen_Record rec{0, SCREEN_VOLLBILD, SCREEN_BREITE, SCREEN_HOEHE, 16, 0, nullptr, 0};
    bool fenster_offen = false;
    void (*film)(uint16_t*, int32_t, int32_t) = nullptr;
    void (*bink_init)(int32_t) = nullptr;
};
ScreenModul g;

}  // namespace

Screen_Record& Screen_Get() { return g.rec; }

int32_t Win_Create_Window(bool fenster, bool headless) {
    constexpr int32_t E_FAIL = int32_t(0x80004005u);
    g.rec.modus = fenster ? SCREEN_FENSTER : SCREEN_VOLLBILD;
    if (g.fenster_offen) return 0;
    PlatBackend b = headless ? PLAT_HEADLESS : PLAT_SDL;
    if (!Plat_Display_Oeffnen(b, SCREEN_TITEL, g.rec.breite, g.rec.hoehe, g.rec.modus > 103)) return E_FAIL;
    g.fenster_offen = true;
    g.rec.aktiv = 1;   // SDL shows the window at once; a minimise event clears it
    return 0;
}

int32_t DDraw_Init(Screen_Record* rec) {
    if (!rec) return 0;
    if (rec->initialisiert) DDraw_Release(rec);
    if (!g.fenster_offen) {
        Debug_Printf("DDraw_Init: kein Fenster\n");
        return 0;
    }
    rec->tiefe = 16;
    if (!Plat_Display_Modus(rec->modus > 103)) Debug_Printf("DDraw_Init: Moduswechsel nicht moeglich\n");
    size_t bytes = size_t(rec->breite) * size_t(rec->hoehe) * 2;
    rec->speicher = static_cast<uint16_t*>(Mem_Alloc_Fill(bytes, "Screen", 0));
    if (!rec->speicher) {
        DDraw_Release(rec);
        return 0;
    }
    if (g.bink_init) g.bink_init(rec->tiefe);
    rec->initialisiert = 1;
    return 1;
}

void DDraw_Release(Screen_Record* rec) {
    if (!rec) return;
    if (rec->speicher) rec->speicher = static_cast<uint16_t*>(Mem_Free(rec->speicher));
    rec->initialisiert = 0;
}

void Win_Destroy_Window() {
    DDraw_Release(&g.rec);
    if (g.fenster_offen) Plat_Display_Schliessen();
    g.fenster_offen = false;
}

void Screen_Film_Hook_Setzen(void (*bnk_do_frame_all)(uint16_t*, int32_t, int32_t)) { g.film = bnk_do_frame_all; }

void Screen_Bink_Hook_Setzen(void (*bink_init)(int32_t)) { g.bink_init = bink_init; }

PlatAenderung Screen_Present(bool nur_filme) {
    if (Quit_State() != 0 || !g.rec.speicher) return PLAT_GLEICH;
    if (g.film) g.film(g.rec.speicher, g.rec.breite * 2, g.rec.hoehe);
    return Screen_Update(g.rec.speicher, nur_filme);
}

PlatAenderung Screen_Update(const uint16_t* pixel, bool nur_filme) {
    // Every frame goes to the display, also one whose first pixels are black.
    if (!pixel || !g.fenster_offen) return PLAT_GLEICH;
    constexpr int32_t FILME_MAX = 8;
    PlatRechteck filme[FILME_MAX];
    const ShellDienste& d = Shell_Dienste();
    const int32_t n = d.film_bereiche ? std::clamp(d.film_bereiche(filme, FILME_MAX), 0, FILME_MAX) : 0;
    return Plat_Display_Zeigen(pixel, filme, n, nur_filme);
}

}  // namespace velmora
