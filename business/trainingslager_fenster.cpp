// business/trainingslager_fenster.cpp - the camp window and its results.
#include "business/trainingslager_fenster.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/trainingslager_lauf.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "core/text.h"
#include "gfx/bildnr_training.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "media/sound.h"
#include "media/video.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "TRAININGS_LAGER_SCREEN";
constexpr int32_t WEISS = 65535, GOLD = 52743, GRAU = 50744, BRAUN = 50055;
constexpr int32_t TEXT_MORAL = 2, TEXT_ENDE = 9, TEXT_ENDE_MELDUNG = 10, TEXT_KOPF = 11, TEXT_VERLETZT = 18,
                  TEXT_STAERKE = 19, TEXT_MAX = 20, TEXT_NEGATIV = 21, TEXT_NEGATIV_2 = 22, TEXT_ERSCHOEPFT = 23;
constexpr int8_t PRI_HINTERGRUND = 19, PRI_FENSTER = 20, PRI_KNOPF = 21;
constexpr int32_t ABDUNKELN = 8331;   // the darkening behind a requester
constexpr int32_t KNOPF_RAND = 8;   // a button's label from its edges at the least
constexpr int32_t FILM_X = 71, FILM_Y = 92, BALKEN_X = 219, BALKEN_Y[3] = {341, 374, 407};
constexpr int32_t ART_FARBE[4] = {65535, 20051, 52743, 50055};

struct FensterModul {
    s_icon hintergrund, fenster, ende, ergebnis;
    BINK_VIDEO* film = nullptr;
};
FensterModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
void Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1) { Spieler_Zeile_Bild(bild, x, y, breite); }

// The camp's film while its slot still holds it (the menu closes every video at a day's end).
bool Film_Lebt() {
    const BINK_VIDEO* v = g.film;
    return v && v->slot >= 0 && Bink_Slot_Video(v->slot) == v && v->label && std::strcmp(v->label, "TestVideo") == 0;
}

void Film_Frei() {
    if (Film_Lebt()) Menue_Video_Freigabe_Vormerken(g.film);
    g.film = nullptr;
}

void Weg(std::initializer_list<s_icon*> icons) {
    for (s_icon* k : icons) Menue_Screen_Icon_Loeschen(-1, k);
}

// The news line shown now, with the warning while the squad is exhausted, on
// their rail; without either the rail is not shown (an empty box).
void Nachricht(Font* f9, Font* f11, uint32_t jetzt) {
    const Lager_Ereignis* e = Lager_Ereignis_Holen(Lager_Ereignis_Anzeige(jetzt));
    const bool zeile = e && e->spieler >= 0;
    if (!zeile && !Lager_Erschoepft()) return;
    Rastport* ziel = Rastport_Target();
    Bild(LAGER_BILD_NACHRICHT, 74, 437);
    // The warning blinks white and brown, half a second each.
    if (Lager_Erschoepft())
        Text_Printf(ziel, f11, "^c%05d%s", 500, 454, (jetzt % 1000) < 500 ? WEISS : BRAUN, Text(TEXT_ERSCHOEPFT));
    if (!zeile) return;
    const char* name = Spieler_String(SPS_NAME, e->spieler, 0, 0);
    if (e->art == LE_NEGATIV_WEG)
        Text_Printf(ziel, f9, "^c%05d%s : %s %s %s", 80, 454, WEISS, name, Text(TEXT_NEGATIV),
                    Spieler_Info_Talent_Name(e->wert), Text(TEXT_NEGATIV_2));
    else
        Text_Printf(ziel, f9, "^c%05d%s %s", 80, 454, e->art == LE_VERLETZT ? BRAUN : WEISS, name,
                    Text(e->art == LE_STAERKE ? TEXT_STAERKE : e->art == LE_MAX_STAERKE ? TEXT_MAX : TEXT_VERLETZT));
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    const uint32_t jetzt = Menue_Get_Zeit();
    Lager_Frame(jetzt);
    if (!Lager_Laeuft()) return;
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    Font* f14 = Font_Get(14);
    if (!f9 || !f11 || !f14) return;
    Nachricht(f9, f11, jetzt);
    for (int32_t k = 0; k < 3; ++k) {
        const Lager_Balken* b = Lager_Balken_Holen(k);
        const int32_t v = b ? std::clamp(b->wert, 0, LAGER_BALKEN_MAX) : 0;
        Text_Printf(ziel, f9, "^c%05d^tr0000%s", BALKEN_X - 10, BALKEN_Y[k] + 12, GRAU, Text(TEXT_MORAL + k));
        Bild(LAGER_BILD_BALKEN, BALKEN_X, BALKEN_Y[k]);
        Bild(LAGER_BILD_DECKEL, BALKEN_X + v, BALKEN_Y[k], LAGER_BALKEN_MAX - v);
    }
    if (const TrLagerDaten* d = Trainingslager_Daten(Lager_Nummer()))
        Text_Printf(ziel, f14, "^c%05d^tz0001%s", 560, 239, WEISS, d->name);
    // Only where the camp's film is missing.
    if (!Film_Lebt()) Text_Printf(ziel, f9, "^c%05dDemoversion leider ohne Animationen", 115, 219, GRAU);
}

void Ende_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(6)) {
        // The label keeps a margin inside the 120-pixel button; a longer one
        // takes the next smaller font.
        char t[64];
        Str_Auf_Breite(Text(TEXT_ENDE), t, sizeof t, f, 120 - 2 * KNOPF_RAND);
        Text_Printf(Rastport_Target(), f, "^c%05d%s", icon->x + 60 - Text_Width(f, t) / 2, icon->y + 21, WEISS, t);
    }
}

// One results row: kind, number and name, morale with its change, exhaustion and strength with theirs.
void Zeile(Font* f9, const Lager_Ergebnis& r, int32_t x, int32_t y) {
    Rastport* ziel = Rastport_Target();
    const int32_t p = r.spieler;
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    // The shirt with the number on it, as in the squad rows.
    if (Rastport* hemd = Menue_Get_Slave_Rastport(SPIELER_ZEILE_HEMD[art], nullptr))
        Bild(SPIELER_ZEILE_HEMD[art], x - 16 - hemd->width / 2, y);
    Spieler_Zeile_Hemdnummer(x - 30, y + 12, 14, Spieler_Zeile_Nummer(p));
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f9, 102);
    Text_Printf(ziel, f9, "^c%05d%s", x + 6, y + 12, ART_FARBE[art], name);
    auto aenderung = [&](int32_t d, int32_t dx, bool halbe) {
        if (d == 0) return;
        char t[24];
        if (halbe) std::snprintf(t, sizeof t, d > 0 ? "(+%.1f)" : "(%.1f)", d / 2.0);
        else std::snprintf(t, sizeof t, d > 0 ? "(+%d)" : "(%d)", d);
        Text_Printf(ziel, f9, "^c%05d%s", x + dx, y + 12, d > 0 ? GOLD : BRAUN, t);
    };
    Text_Printf(ziel, f9, "^c%05d%s", x + 150, y + 12, WEISS, Spieler_Info_Moral(std::clamp(r.moral, 0, 6)));
    aenderung(r.moral - r.moral_vorher, 240, false);
    Text_Printf(ziel, f9, "^c%05d%d", x + 300, y + 12, WEISS, r.erschoepfung);
    aenderung(r.erschoepfung_vorher - r.erschoepfung, 330, false);
    Text_Printf(ziel, f9, "^c%05d%.1f / %.1f", x + 400, y + 12, WEISS, r.staerke / 2.0, r.max_staerke / 2.0);
    aenderung(r.staerke - r.staerke_vorher, 490, true);
}

void Ergebnis_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Font* f9 = Font_Get(9);
    Font* f8 = Font_Get(8);
    if (!f9 || !f8) return;
    Rastport* ziel = Rastport_Target();
    constexpr int32_t SPALTE[5] = {100, 250, 400, 500, 640};
    for (int32_t k = 0; k < 5; ++k)
        Text_Printf(ziel, f8, "^c%05d%s", SPALTE[k] - (k == 0 ? 24 : 0), 120, GOLD, Text(TEXT_KOPF + k));
    const int32_t n = Lager_Teilnehmer_Anzahl();
    for (int32_t i = 0; i < n && i < LAGER_TEILNEHMER; ++i) {
        Lager_Ergebnis r{};
        if (!Lager_Ergebnis_Zeile(i, &r)) continue;
        const int32_t y = 128 + 17 * i + (i > 10 ? 21 : 0) + (i > 16 ? 21 : 0);
        Zeile(f9, r, 100, y);
    }
}

void Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    if (icon->nummer == ICON_LF_ENDE) Lager_Beenden();
    else if (Lager_Ergebnisse_Offen()) Lager_Ergebnisse_Schliessen();
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, uint32_t typ, int8_t pri) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, typ, pri);
    i.Status = ICON_ST_KEY;
    i.Main_P = Klick;
    return i;
}

void Anlegen() {
    g.hintergrund = Icon(ICON_LF_HINTERGRUND, 0, 0, ABDUNKELN, ICON_TYP_LEISE, PRI_HINTERGRUND);
    g.fenster = Icon(ICON_LF_FENSTER, 66, 87, LAGER_BILD_FENSTER, ICON_TYP_LEISE, PRI_FENSTER);
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.ende = Icon(ICON_LF_ENDE, 446, 269, LAGER_BILD_ENDE, 0, PRI_KNOPF);
    g.ende.Status |= ICON_ST_DRUCK;
    g.ende.bild_gedrueckt = LAGER_BILD_ENDE_DRUCK;
    g.ende.zeichnen = Ende_Zeichnen;
    g.ergebnis = Icon(ICON_LF_ERGEBNIS, 65, 79, LAGER_BILD_ERGEBNIS, ICON_TYP_LEISE, PRI_FENSTER);
    g.ergebnis.zeichnen = Ergebnis_Zeichnen;
}

}  // namespace

void Lager_Fenster_Zeigen() {
    if (Lager_Fenster_Offen() || Lager_Ergebnis_Fenster_Offen()) return;
    Spieler_Zeile_Auffrischen();
    Anlegen();
    if (Lager_Laeuft()) {
        for (s_icon* k : {&g.hintergrund, &g.fenster, &g.ende}) Menue_Screen_Icon_Hinzufuegen(k);
        if (!Film_Lebt()) g.film = Bnk_InitV(uintptr_t(Lager_Nummer()), BINK_RES_DATEI, 0, 0, FILM_X, FILM_Y, BINK_DATEI, "TestVideo", 0);
        if (g.film) Bnk_PauseV(g.film, false);
    } else if (Lager_Ergebnisse_Offen()) {
        for (s_icon* k : {&g.hintergrund, &g.ergebnis}) Menue_Screen_Icon_Hinzufuegen(k);
    }
}

bool Lager_Fenster_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_LF_FENSTER); }
bool Lager_Ergebnis_Fenster_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_LF_ERGEBNIS); }

void Lager_Fenster_Anzeige(int32_t was, int32_t) {
    switch (was) {
    case LA_START:
        Lager_Fenster_Zeigen();
        Sample_Spielen(0, false);
        break;
    case LA_ENDE_MELDUNG:
        Menue_Requester(1, Menue_Lokal().team, Text(TEXT_ENDE_MELDUNG), nullptr, nullptr, nullptr, nullptr, 0, nullptr,
                        0, nullptr);
        break;
    case LA_ENDE:
        Film_Frei();
        Samples_Stop();
        Weg({&g.hintergrund, &g.fenster, &g.ende});
        Lager_Fenster_Zeigen();
        break;
    case LA_ERGEBNIS_ZU: Weg({&g.hintergrund, &g.ergebnis}); break;
    default: break;
    }
}

}  // namespace velmora
