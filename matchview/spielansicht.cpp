// matchview/spielansicht.cpp - the match views' driver: set-up, cameras, the
// views' layout and each frame (the figures are drawn in spielansicht_zeichnen.cpp).
#include "matchview/spielansicht.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "bilder/trikot.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/res.h"
#include "core/stoppuhr.h"
#include "core/text.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_sync.h"
#include "matchview/banden.h"
#include "matchview/matchsound.h"
#include "matchview/publikum.h"
#include "matchview/spielansicht_ersatz.h"
#include "matchview/spielansicht_intern.h"
#include "matchview/wetter.h"
#include "shell/maus.h"

namespace velmora {

namespace spielansicht_intern {

Modul g;

}  // namespace spielansicht_intern

using namespace spielansicht_intern;

namespace {

constexpr int32_t RES_STADION_GFX = 12, RES_RASEN = 13, RES_STADION_SPRITES = 17, RES_STADION_MENUE = 19;
constexpr int32_t MARKE_MUEDE = 132, MARKE_STATUS = 133;
constexpr int32_t BILDSCHIRM_H = 600, LEISTE_H = 36;

// The club the team panel shows, -1 none (asked without changing it).
int32_t Gezeigtes_Team() { return g.hooks.team_wechseln ? g.hooks.team_wechseln(-1) : -1; }

// The match sounds, the fixed samples and the first set: at the views' start
// and again at a new match (the last one's report let them go). Both steps do
// nothing when the sounds are there already.
void Sounds_Laden() {
    MatchSound_Laden();
    MatchSound_Init(0);
}

void Ansicht_Stoppen(Ansicht& a) {
    if (a.welt) Rastport_Free(a.welt);
    Anzeigetafeln_Freigeben(&a.tafeln);
    const int32_t starts = a.starts;
    a = Ansicht{};
    a.starts = starts;
}

// The pitch kind 0-6: kinds 4 to 6 lie under snow.
int32_t Rasen_Art(const Spielfeld_Satz& s) {
    if (s.wetter >= 4) return 4 + int32_t(s.spiel % 3);
    return int32_t(s.spiel % 4);
}

bool Welt_Bauen(Ansicht& a) {
    if (a.welt) a.welt = Rastport_Free(a.welt);
    const int32_t k = Rasen_Art(*a.satz) % 7;
    const int32_t eintrag = 2 * k + (Halb(a) ? 1 : 0);
    a.welt = static_cast<Rastport*>(Res_Load_Bild(Bild_Res_Slot(RES_RASEN), eintrag, 16));
    a.welt_halb = Halb(a);
    if (!a.welt) {
        Debug_Printf("MatchView: Spiel %u: Rasenbild %d fehlt\n", a.spiel, eintrag);
        return false;
    }
    return true;
}

uint32_t Kit_Farbe(const uint8_t* kit, int32_t nummer) {
    return Farbe_RGB(kit[3 * (nummer - 1)], kit[3 * (nummer - 1) + 1], kit[3 * (nummer - 1) + 2]);
}

// A 16-bit colour of the player data; 0 (none given) is the fixed colour.
uint32_t Farbe16(int32_t wert, uint32_t fest) {
    if (wert == 0) return fest;
    int32_t r, g, b;
    Colour_Split(uint16_t(wert), 16, &r, &g, &b);
    return Farbe_RGB(r, g, b);
}

void Farben_Bauen(Ansicht& a) {
    const Spielfeld_Satz& s = *a.satz;
    const uint32_t haut_fest = Farbe_RGB(137, 122, 75), haar_fest = Farbe_RGB(233, 177, 102);
    uint8_t kit[2][36];
    for (int32_t seite = 0; seite < 2; ++seite) {
        // A team without kit data keeps a white kit.
        std::memset(kit[seite], 230, 36);
        const int32_t team = int32_t(s.team[seite]);
        if (team >= 0 && team < Team_Anzahl())
            if (auto* p = static_cast<const uint8_t*>(Team_Zeiger(TZ_FARBEN, team, nullptr, OP_LESEN)))
                std::memcpy(kit[seite], p, 36);
        Figuren_Trikot_Aufhellen(kit[seite]);
    }
    bool gleich = false;
    const int32_t heim = int32_t(s.team[0]), gast = int32_t(s.team[1]);
    if (heim >= 0 && heim < Team_Anzahl() && gast >= 0 && gast < Team_Anzahl())
        gleich = Trikot_Is_Trikot_Equal(Team_Wert(TW_TRIKOT_1, heim, 0, OP_LESEN),
                                        Team_Wert(TW_TRIKOT_1, gast, 0, OP_LESEN), 120, false);
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        const int32_t nummer = s.spieler[i].nummer;
        if (nummer < 0) continue;
        const int32_t seite = i < SF_SPIELER_SEITE ? 0 : 1;
        const uint8_t* k = kit[seite] + (s.figur[i].torwart ? 24 : (seite == 1 && gleich) ? 12 : 0);
        const uint32_t f[6] = {Farbe16(Spieler_Wert(SPW_HAUT, nummer, 0, OP_LESEN), haut_fest),
                               Farbe16(Spieler_Wert(SPW_HAAR, nummer, 0, OP_LESEN), haar_fest), Kit_Farbe(k, 1),
                               Kit_Farbe(k, 2), Kit_Farbe(k, 3), Kit_Farbe(k, 4)};
        Figuren_Tabelle_Figur(a.farben[size_t(i)].data(), f);
    }
    const uint32_t schiri = Figuren_Schiri_Farbe(Kit_Farbe(kit[0], 1), Kit_Farbe(kit[1], 1));
    int32_t r, gr, b;
    Farbe_Zerlegen(schiri, &r, &gr, &b);
    const uint32_t amtlich[6] = {haut_fest, haar_fest, Farbe_RGB(r * 65 / 100, gr * 65 / 100, b * 65 / 100), schiri,
                                 Farbe_RGB(1, 1, 1), Farbe_RGB(240, 240, 240)};
    for (int32_t slot = FARBE_SCHIRI; slot <= FARBE_LINIENRICHTER + 1; ++slot)
        Figuren_Tabelle_Figur(a.farben[size_t(slot)].data(), amtlich);
    Figuren_Tabelle_Einfarbig(a.farben[FARBE_BALL].data(),
                              Rasen_Art(s) >= 4 ? Farbe_RGB(230, 100, 0) : Farbe_RGB(230, 230, 230));
    Figuren_Tabelle_Einfarbig(a.farben[FARBE_GELB].data(), Farbe_RGB(255, 255, 0));
    Figuren_Tabelle_Einfarbig(a.farben[FARBE_ROT].data(), Farbe_RGB(255, 0, 0));
    Figuren_Tabelle_Palette(a.farben[FARBE_FAHNE].data());
}

bool Ansicht_Starten(Ansicht& a, Spielfeld_Satz* satz, int32_t size_mode) {
    Ansicht_Stoppen(a);
    a.satz = satz;
    a.spiel = satz->spiel;
    a.size_mode = size_mode;
    if (!Welt_Bauen(a)) {
        Ansicht_Stoppen(a);
        return false;
    }
    Farben_Bauen(a);
    a.tafeln = Anzeigetafeln_Bauen(int32_t(satz->team[0]), int32_t(satz->team[1]), Gezeigtes_Team());
    a.wartezeilen = Spielfeld_Sync_Wartezeilen(a.spiel);
    a.in_use = true;
    a.neu = true;
    ++a.starts;
    return true;
}

void Groesse_Setzen(int32_t anzahl) {
    static constexpr int32_t MODI[5][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 2, 0}, {2, 2, 2, 2}};
    const int32_t n = std::clamp(anzahl, 0, 4);
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) g.a[size_t(i)].size_mode = MODI[n][i];
}

void Synchronisieren(Spielfeld_Satz* const* spiele, int32_t anzahl) {
    int32_t mit = 0;
    for (const Ansicht& a : g.a) mit += a.spiel != 0 ? 1 : 0;
    const bool anders = mit != anzahl;
    if (anders) Groesse_Setzen(anzahl);
    bool main_vorher[MATCHVIEW_ANSICHTEN];
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) main_vorher[i] = g.a[size_t(i)].is_main;
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) {
        Ansicht& a = g.a[size_t(i)];
        if (i < anzahl) {
            if (a.spiel != spiele[i]->spiel || anders) {
                Debug_Printf("MatchView: Ansicht %d: Spiel %u -> Spiel %u\n", i, a.spiel, spiele[i]->spiel);
                const int32_t modus = a.size_mode;
                Ansicht_Stoppen(a);
                a.size_mode = modus;
                a.spiel = spiele[i]->spiel;
            }
            a.satz = spiele[i];
        } else {
            if (a.spiel != 0 || a.in_use) Ansicht_Stoppen(a);
            main_vorher[i] = false;
        }
        if (a.spiel != 0 && !a.in_use) {
            const bool main = a.is_main;
            // A new match brings its sounds back (the last one's report let them go).
            Sounds_Laden();
            Ansicht_Starten(a, spiele[i], a.size_mode);
            a.spiel = spiele[i]->spiel;
            a.satz = spiele[i];
            a.is_main = main;
        }
    }
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) g.a[size_t(i)].is_main = main_vorher[i];
}

void Klick_Auswahl() {
    const uint32_t maus = Maus_Klick() & 1;
    if (maus && !(g.maus_vorher & 1)) {
        const int32_t mx = Maus_X(), my = Maus_Y();
        for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) {
            Ansicht& a = g.a[size_t(i)];
            if (!a.visible || mx < a.x || my < a.y || mx >= a.x + a.w || my >= a.y + a.h) continue;
            for (Ansicht& b : g.a) b.is_main = false;
            a.is_main = true;
            g.eingabe_verbraucht = true;
            g.gast_gezeigt = !g.gast_gezeigt;
            if (g.hooks.team_wechseln && a.satz) g.hooks.team_wechseln(int32_t(a.satz->team[g.gast_gezeigt ? 1 : 0]));
            break;
        }
    }
    g.maus_vorher = maus;
}

void Modus_Wechseln(Ansicht& a, int32_t modus) {
    if (a.size_mode == modus) return;
    const bool halb_vorher = Halb(a);
    a.size_mode = modus;
    if (a.in_use && Halb(a) != halb_vorher && a.satz && !Welt_Bauen(a)) Ansicht_Stoppen(a);
    a.neu = true;
}

void Anordnen() {
    bool main_gesehen = false;
    int32_t aktiv = 0;
    for (Ansicht& a : g.a) {
        if (!a.in_use || !a.satz) {
            a.visible = a.is_main = false;
            continue;
        }
        ++aktiv;
        if (a.is_main && main_gesehen) a.is_main = false;
        main_gesehen = main_gesehen || a.is_main;
    }
    Ansicht& erste = g.a[0];
    if (aktiv == 1) Modus_Wechseln(erste, 0);
    else if (aktiv >= 2 && erste.size_mode == 0) Modus_Wechseln(erste, aktiv == 4 ? 2 : 1);
    int32_t viertel = 0;
    bool main = false;
    for (const Ansicht& a : g.a) main = main || a.is_main;
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) {
        Ansicht& a = g.a[size_t(i)];
        if (!a.in_use || !a.satz) continue;
        if (viertel >= 4) {
            a.visible = false;
            continue;
        }
        a.visible = true;
        if (!main) {
            // The first view shown becomes the main one; the team panel shows its home club.
            a.is_main = true;
            main = true;
            if (g.hooks.team_wechseln) g.hooks.team_wechseln(int32_t(a.satz->team[0]));
        }
        if (a.size_mode == 1 && (viertel == 1 || viertel == 3)) {
            Modus_Wechseln(a, 2);
            if (aktiv < 4 && i + 1 < MATCHVIEW_ANSICHTEN) {
                Ansicht& b = g.a[size_t(i + 1)];
                if (b.in_use && b.satz && b.size_mode == 2) Modus_Wechseln(b, 1);
            }
        }
        const int32_t q = a.size_mode == 0 ? 4 : a.size_mode == 1 ? 2 : 1;
        a.w = a.size_mode == 2 ? 400 : 800;
        a.h = a.size_mode == 0 ? 564 : 282;
        a.x = (viertel % 2) * 400;
        a.y = (viertel / 2) * 282;
        viertel += q;
        if (viertel > 4) a.visible = false;
    }
}

void Kamera(Ansicht& a, const Spielfeld_Ansicht_Einstellung& anzeige, bool folgen) {
    Spielfeld_Satz& s = *a.satz;
    if (folgen) {
        a.kamera.scroll[0] = std::max(0, s.kamera[0]);
        a.kamera.scroll[1] = std::max(0, s.kamera[1]);
        return;
    }
    KameraEingabe e;
    e.ziel[0] = s.kamera_ziel[0];
    e.ziel[1] = s.kamera_ziel[1];
    e.ziel[2] = 0;
    // One easing step per simulation frame not yet shown; a new view catches
    // up at once. The display copy carries the frames not yet shown in its
    // frame counter, which the camera counts down; a live record is only read
    // (a watched match plays as an unwatched one), its frames counted by the view.
    if (&s == Spielfeld_Anzeige_Kopie()) {
        e.schritte = a.neu ? 50 : int32_t(std::min<uint32_t>(s.frame_zaehler, 50));
        s.frame_zaehler = 0;
        a.letzter_frame = 0;
    } else {
        const uint32_t frames = s.frame_zaehler - a.letzter_frame;
        e.schritte = a.neu ? 50 : int32_t(std::min<uint32_t>(frames, 50));
        a.letzter_frame = s.frame_zaehler;
    }
    e.pause = anzeige.pause != 0;
    e.frame_zeit = anzeige.frame_intervall;
    e.schnell = false;
    e.halb = Halb(a);
    e.breite = a.w;
    e.hoehe = a.h;
    if (a.neu) Spielansicht_Kamera_Scroll(&a.kamera, e);
    Spielansicht_Kamera_Schritt(&a.kamera, &e);
    a.neu = false;
}

void Welt_Fenster(const Ansicht& a) {
    if (!a.welt) return;
    Rastport_Blit(a.welt, a.kamera.scroll[0], a.kamera.scroll[1], a.w, a.h, Rastport_Screen(), a.x, a.y, nullptr);
}

// The score line over the view's top and, where several views share the
// screen, a frame around the view below it: yellow for the main view.
void Anzeige_Zeichnen(Ansicht& a) {
    const Spielfeld_Satz& s = *a.satz;
    if (s.ereignis_neu) {
        const std::array<int64_t, 5> e{s.ereignis, s.ereignis_minute, s.ereignis_sekunde, s.ereignis_spieler,
                                       s.ereignis_spieler2};
        if (e != a.ereignis) {
            a.ereignis = e;
            const std::string satz = Kommentar_Satz(s);
            if (!satz.empty()) Ticker_Setzen(&a.ticker, satz, s.spielzeit_ms);
        }
    }
    // A networked match waiting for the other machine says so.
    const uint32_t wartezeilen = Spielfeld_Sync_Wartezeilen(a.spiel);
    if (wartezeilen != a.wartezeilen) {
        a.wartezeilen = wartezeilen;
        const char* text = Text_Tabelle(TICKER_TEXT_WARTEN);
        if (text && *text) Ticker_Setzen(&a.ticker, text, s.spielzeit_ms);
    }
    Ticker_Zeichnen(a.ticker, s.spielzeit_ms, a.x, a.y, a.w, a.h);
    Spielstand stand;
    stand.tore[0] = s.tore[0];
    stand.tore[1] = s.tore[1];
    stand.zuschauer = s.zuschauer_vorgabe;
    stand.minute = s.minute;
    const bool klein = a.size_mode == 2;
    Anzeigetafel_Zeichnen(a.tafeln, klein, a.x, a.y, a.w, stand);
    if (a.size_mode == 0) return;
    const int32_t oben = klein ? TAFEL_KLEIN_H : TAFEL_GROSS_H;
    Rastport_Draw_Frame(Rastport_Screen(), a.x, a.y + oben, a.w, a.h - oben,
                        a.is_main ? Colour_Screen_Pixel(255, 255, 0) : Colour_Screen_Pixel(20, 20, 21), 2, nullptr);
}

// The view's window for the stadium's dressing.
AnsichtFenster Fenster(const Ansicht& a, int32_t index) {
    AnsichtFenster v;
    v.ansicht = index;
    v.spiel = a.spiel;
    v.halb = Halb(a);
    v.welt_w = a.welt ? int32_t(a.welt->width) : 0;
    v.welt_h = a.welt ? int32_t(a.welt->height) : 0;
    v.scroll_x = a.kamera.scroll[0];
    v.scroll_y = a.kamera.scroll[1];
    v.x = a.x;
    v.y = a.y;
    v.w = a.w;
    v.h = a.h;
    return v;
}

// A view's colour table of a figure slot, for the crowd.
const uint16_t* Farbtabelle(int32_t ansicht, int32_t slot) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN || slot < 0 || slot >= FARBTABELLEN) return nullptr;
    return g.a[size_t(ansicht)].farben[size_t(slot)].data();
}

// Rain or snow over the figures, by the record's weather and intensity bytes.
void Wetter_Zeichnen(const Ansicht& a, int32_t index) {
    const int32_t art = Wetter_Art(a.satz->wetter);
    if (a.welt && art >= 0) Weather_Draw(Fenster(a, index), a.satz->wetter_staerke, art);
}

void Anim_Freigeben() {
    for (FigurenAnim& x : g.anim) x = FigurenAnim{};
    g.da.fill(false);
    if (g.leiste) g.leiste = Rastport_Free(g.leiste);
    if (g.muede) g.muede = Rastport_Free(g.muede);
    if (g.status) g.status = Rastport_Free(g.status);
    Anzeigetafel_Exit();
    g.geladen = false;
}

}  // namespace

MatchViewHooks& MatchView_Hooks() { return g.hooks; }

bool MatchView_Init() {
    if (g.geladen) return true;
    const int32_t slot = Bild_Res_Slot(RES_STADION_GFX);
    for (int32_t n = 0; n < ANIM_ZEILEN; ++n) {
        const Anim_Satz* z = Anim_Zeile(n);
        if (!z || !z->benutzt) continue;
        int16_t typ = 0;
        uint32_t bytes = 0;
        std::string fehler = "Eintrag fehlt";
        bool ok = false;
        if (Res_Eintrag_Info(slot, FIGUREN_RES_ERSTER + n, &typ, &bytes)) {
            if (typ != FIGUREN_RES_TYP) {
                fehler = "Typ " + std::to_string(typ) + " statt 66";
            } else if (void* roh = Res_Eintrag_Roh(slot, FIGUREN_RES_ERSTER + n, &bytes)) {
                ok = Figuren_Eintrag_Lesen(static_cast<const uint8_t*>(roh), bytes, z->letzter_frame + 1,
                                           &g.anim[size_t(n)], &fehler);
                Mem_Free(roh);
            }
        }
        if (!ok) {
            Debug_Printf("MatchView_Init: stadion_gfx.res Animation %d (%s): %s\n", n, z->name, fehler.c_str());
            Anim_Freigeben();
            return false;
        }
        g.da[size_t(n)] = true;
    }
    g.leiste = static_cast<Rastport*>(Res_Load_Bild(Bild_Res_Slot(RES_STADION_MENUE), 0, 16));
    g.muede = static_cast<Rastport*>(Res_Load_Bild(Bild_Res_Slot(RES_STADION_SPRITES), MARKE_MUEDE, 16));
    g.status = static_cast<Rastport*>(Res_Load_Bild(Bild_Res_Slot(RES_STADION_SPRITES), MARKE_STATUS, 16));
    // Without the digit strips the score line shows no goals; the views still run.
    Anzeigetafel_Init();
    // The stadium's dressing: boards, rain and snow, the crowd; one that does
    // not load is left out and the views draw on.
    Banden_Init();
    Wetter_Init();
    Publikum_Init();
    // The match sounds: a missing sample leaves its cue silent.
    Sounds_Laden();
    g.geladen = true;
    return true;
}

void MatchView_Exit() {
    for (Ansicht& a : g.a) {
        Ansicht_Stoppen(a);
        a.starts = 0;
    }
    Anim_Freigeben();
    Spielansicht_Ersatz_Loeschen();
    Wetter_Exit();
    Banden_Exit();
    Publikum_Exit();
    MatchSound_Free_Set();
    MatchSound_Free();
    g.zustand = 0;
    g.eingabe_verbraucht = false;
    g.gast_gezeigt = false;
    g.maus_vorher = 0;
}

bool MatchView_Frame(Spielfeld_Satz* const* spiele, int32_t anzahl, const Spielfeld_Ansicht_Einstellung& anzeige,
                     bool folgen) {
    if (!spiele || anzahl < 1) return false;
    anzahl = std::min(anzahl, MATCHVIEW_ANSICHTEN);
    for (int32_t i = 0; i < anzahl; ++i)
        if (!spiele[i]) return false;
    if (g.zustand == 0) {
        g.zustand = 2;
        if (!MatchView_Init()) return false;
        for (Ansicht& a : g.a) Ansicht_Stoppen(a);
        for (int32_t i = 0; i < anzahl; ++i) {
            g.a[size_t(i)].spiel = spiele[i]->spiel;
            g.a[size_t(i)].satz = spiele[i];
        }
        Groesse_Setzen(anzahl);
        g.zustand = 1;
        return false;
    }
    if (g.zustand != 1) return false;
    // 1. A press that began over a menu icon stays with the icon while held.
    g.maus_ueber_icon = g.hooks.maus_ueber_icon && g.hooks.maus_ueber_icon();
    if (g.maus_ueber_icon) g.eingabe_verbraucht = true;
    else if (!(Mouse_Buttons() & 1)) g.eingabe_verbraucht = false;
    Synchronisieren(spiele, anzahl);
    if (!g.eingabe_verbraucht) Klick_Auswahl();
    else g.maus_vorher = Maus_Klick() & 1;
    Anordnen();
    // A view that comes into sight after the panel switched clubs gets its names now.
    MatchView_Name_Plates();
    bool gezeichnet = false;
    for (Ansicht& a : g.a) {
        if (!a.visible || !a.satz || !a.in_use) continue;
        Kamera(a, anzeige, folgen);
        Welt_Fenster(a);
        Crowd_Draw(Fenster(a, int32_t(&a - g.a.data())), *a.satz, Farbtabelle);
        Boards_Draw(Fenster(a, int32_t(&a - g.a.data())), *a.satz, 1);
        Figuren_Zeichnen(a, anzeige, folgen);
        Boards_Draw(Fenster(a, int32_t(&a - g.a.data())), *a.satz, 2);
        Wetter_Zeichnen(a, int32_t(&a - g.a.data()));
        Anzeige_Zeichnen(a);
        gezeichnet = true;
    }
    if (gezeichnet && g.leiste)
        Rastport_Blit(g.leiste, 0, 0, int32_t(g.leiste->width), int32_t(g.leiste->height), Rastport_Screen(), 0,
                      BILDSCHIRM_H - int32_t(g.leiste->height), nullptr);
    (void)LEISTE_H;
    return gezeichnet;
}

namespace {
const Ansicht* Hauptansicht() {
    const Ansicht* v = nullptr;
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) {
        const Ansicht& a = g.a[size_t(i)];
        if (!a.in_use || !a.satz) continue;
        if (!v || a.is_main) v = &a;
        if (a.is_main) break;
    }
    return v;
}
}  // namespace

void MatchView_Name_Plates() {
    const int32_t gezeigt = Gezeigtes_Team();
    for (Ansicht& a : g.a) {
        if (!a.visible || !a.in_use || !a.satz || a.tafeln.gezeigt == gezeigt) continue;
        Anzeigetafeln_Freigeben(&a.tafeln);
        a.tafeln = Anzeigetafeln_Bauen(int32_t(a.satz->team[0]), int32_t(a.satz->team[1]), gezeigt);
    }
}

Spielfeld_Satz* MatchView_Current() {
    const Ansicht* v = Hauptansicht();
    if (!v) return nullptr;
    // The record handed to the last frame, if its game still has it.
    Spielfeld_Satz* s = Spielfeld_Suchen(int32_t(v->spiel));
    return s && (s == v->satz || v->satz == Spielfeld_Anzeige_Kopie() || Spielansicht_Ersatz_Ist_Kopie(v->satz)) ? s
                                                                                                                  : nullptr;
}

int32_t MatchView_Aktuelles_Spiel() {
    const Ansicht* v = Hauptansicht();
    return v ? int32_t(v->spiel) : -1;
}

void MatchView_Check_Update(Spielfeld_Satz* alt, Spielfeld_Satz* neu) {
    Debug_Printf("SPF-UPDATE???\n");
    for (int32_t i = 0; i < MATCHVIEW_ANSICHTEN; ++i) {
        Ansicht& a = g.a[size_t(i)];
        if (!a.in_use || a.satz != alt || !alt) continue;
        a.satz = neu;
        Debug_Printf("MatchView: Ansicht %d zeigt Spiel %u im neuen Satz\n", i, a.spiel);
    }
}

void MatchView_Loslassen() {
    for (Ansicht& a : g.a) a.satz = nullptr;
}

bool MatchView_Spiele_Zeichnen(const int32_t* spiele, int32_t anzahl, const Spielfeld_Ansicht_Einstellung& anzeige) {
    std::vector<Spielfeld_Satz*> liste;
    Spielfeld_Satz* kopie = Spielfeld_Anzeige_Kopie();
    for (int32_t i = 0; spiele && i < anzahl && liste.size() < size_t(MATCHVIEW_ANSICHTEN); ++i) {
        Spielfeld_Satz* s = Spielfeld_Suchen(spiele[i]);
        if (!s) continue;
        // A diced match shows the stand-in play of a copy.
        Spielfeld_Satz* ersatz = s->live == 1 ? nullptr : Spielansicht_Ersatz(s, Zeit_Ms());
        liste.push_back(ersatz ? ersatz : kopie && kopie->spiel == s->spiel ? kopie : s);
    }
    if (liste.empty()) {
        // The watched matches are gone: the views stop, the frames stay loaded.
        for (Ansicht& a : g.a)
            if (a.in_use || a.spiel) Ansicht_Stoppen(a);
        return false;
    }
    return MatchView_Frame(liste.data(), int32_t(liste.size()), anzeige, false);
}

void Ticker_Add_Line(uint32_t spiel, const char* text) {
    if (!text) return;
    for (Ansicht& a : g.a)
        if (a.in_use && a.spiel == spiel && a.satz) Ticker_Setzen(&a.ticker, text, a.satz->spielzeit_ms);
}

MatchViewLage MatchView_Lage(int32_t i) {
    MatchViewLage l;
    if (i < 0 || i >= MATCHVIEW_ANSICHTEN) return l;
    const Ansicht& a = g.a[size_t(i)];
    l.in_use = a.in_use;
    l.visible = a.visible;
    l.is_main = a.is_main;
    l.size_mode = a.size_mode;
    l.x = a.x;
    l.y = a.y;
    l.w = a.w;
    l.h = a.h;
    l.spiel = a.spiel;
    l.starts = a.starts;
    l.scroll[0] = a.kamera.scroll[0];
    l.scroll[1] = a.kamera.scroll[1];
    return l;
}

std::string MatchView_Ticker(int32_t ansicht, uint32_t* zeit) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN) return "";
    const Ticker& t = g.a[size_t(ansicht)].ticker;
    if (zeit) *zeit = t.zeit;
    return t.text;
}

int32_t MatchView_Richtung(int32_t ansicht, int32_t figur) {
    if (ansicht < 0 || ansicht >= MATCHVIEW_ANSICHTEN || figur < 0 || figur >= SF_FIGUREN) return 255;
    return g.a[size_t(ansicht)].fig[size_t(figur)].richtung;
}

}  // namespace velmora

