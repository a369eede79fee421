// business/spielerliste.cpp - the talent list window.
#include "business/spielerliste.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "SPIELER_TRAINING_SCREEN";
constexpr int32_t TEXT_KEINE = 19, TEXT_FREI = 20, TEXT_TALENTE = 21, TEXT_TALENT = 22, TEXT_NOCH = 23,
                  TEXT_ALLE = 24;
constexpr uint32_t WEISS = 65535, GRAU_TEXT = 44373;
// The line-up screen's window and its eleven formation cells, which a window
// lying over them keeps from taking clicks.
constexpr int32_t ICON_AUFSTELLUNG = 2401, ICON_ZELLE_ERSTE = 2423, ICON_ZELLE_LETZTE = 2433;
constexpr int32_t ZELLEN_X = 187, ZELLEN_Y = 370;
constexpr int32_t PRI_KOPF = 17, PRI_ZEILE = 18, PRI_KNOPF = 19;

struct ListeModul {
    SpielerlisteHooks hooks;
    s_icon icons[SPIELERLISTE_ZEILEN + 5];   // header, 21 rows, close, two arrows, the end mark
    int32_t spieler = -1, team = -1, slot = -1, zeilen = 0, gelernt = 0;
    int32_t aufrufer = 0;                    // the caller's icon, switched off by the close button
    int32_t aktiv[3] = {-1, -1, -1};
    FensterZiehen ziehen;
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
    uint32_t rechts_vorher = 0;
    bool zellen_gesperrt = false;   // the line-up screen's cells held by a talent window
};
ListeModul g;

s_icon& Kopf() { return g.icons[0]; }
// Row k (1-21): icons 3510-3529, then the bottom piece 3531.
s_icon& Zeile(int32_t k) { return g.icons[k]; }
s_icon& Schliessen() { return g.icons[SPIELERLISTE_ZEILEN + 1]; }
s_icon& Pfeil_Zurueck() { return g.icons[SPIELERLISTE_ZEILEN + 2]; }
s_icon& Pfeil_Weiter() { return g.icons[SPIELERLISTE_ZEILEN + 3]; }

const char* Text(int32_t n) {
    return Text_Oder_Leer(TEXTE, n);
}

bool Spieler_Gueltig(int32_t spieler) { return spieler >= 0 && spieler < Spieler_Anzahl(); }

// Talents change only for the local human club's own player.
bool Darf_Aendern() {
    const int32_t lokal = Spielerliste_Lokal();
    return Spieler_Gueltig(g.spieler) && lokal >= 0 && g.team == lokal && Spieler_Get_Team(g.spieler) == lokal;
}

void Zustand_Setzen(int32_t icon, int32_t wert) { Spielerliste_Zustand_Setzen(icon, wert); }

// Every icon placed for the header at (hx, hy).
void Anordnen(int32_t hx, int32_t hy) {
    Kopf().x = int16_t(hx);
    Kopf().y = int16_t(hy);
    for (int32_t k = 1; k <= SPIELERLISTE_ZEILEN; ++k) {
        s_icon& z = Zeile(k);
        const bool letzte = k == g.zeilen;
        z.x = int16_t(letzte ? hx - 1 : hx);
        z.y = int16_t(hy + 28 + SPIELERLISTE_ZEILE_H * k);
    }
    if (g.zeilen == 0) {
        Zeile(SPIELERLISTE_ZEILEN).x = int16_t(hx - 1);
        Zeile(SPIELERLISTE_ZEILEN).y = int16_t(hy + SPIELERLISTE_KOPF_H);
    }
    Schliessen().x = int16_t(hx + 225);
    Schliessen().y = int16_t(hy + 10);
    Pfeil_Zurueck().x = int16_t(hx + 185);
    Pfeil_Zurueck().y = int16_t(hy + 5);
    Pfeil_Weiter().x = int16_t(hx + 205);
    Pfeil_Weiter().y = int16_t(hy + 5);
    Spielerliste_Zellen_Pruefen(hx, hy);
}

void Aktiv_Lesen() {
    std::fill(std::begin(g.aktiv), std::end(g.aktiv), -1);
    if (Spieler_Gueltig(g.spieler)) Attribute_Get_Attribute(g.spieler, g.aktiv, 3, 0);
}

void Fuellen(int32_t x, int32_t y, int32_t keep, bool slot_lesen) {
    int32_t gelernt[18], negativ[3];
    std::fill(std::begin(gelernt), std::end(gelernt), -1);
    std::fill(std::begin(negativ), std::end(negativ), -1);
    int32_t ng = 0, nn = 0;
    if (Spieler_Gueltig(g.spieler)) {
        if (slot_lesen) g.slot = Spieler_Wert(SPW_SLOT, g.spieler, 0, OP_LESEN);
        ng = Attribute_Get_Attribute(g.spieler, gelernt, 18, 1);
        nn = Attribute_Get_Attribute(g.spieler, negativ, 3, 2);
    }
    Aktiv_Lesen();
    g.gelernt = ng;
    g.zeilen = ng + nn;
    const int32_t hoehe = g.zeilen * SPIELERLISTE_ZEILE_H;
    if (keep == 0) {
        const int32_t gx = x;
        x -= 10;
        y -= 10;
        if (y > 330) y -= ng * SPIELERLISTE_ZEILE_H;
        if (hoehe + y + 50 > 565) y = 565 - (hoehe + 50);
        if (y < 20) y = 100;
        if (gx + 236 >= 800) x = 534;
    } else {
        y += 20;
        if (y + (g.zeilen + 2) * SPIELERLISTE_ZEILE_H >= 600) y = 566 - (g.zeilen + 1) * SPIELERLISTE_ZEILE_H;
    }
    for (int32_t k = 1; k <= SPIELERLISTE_ZEILEN; ++k) {
        s_icon& z = Zeile(k);
        z.Status |= ICON_ST_VERSTECKT;
        z.d = -1;
        const bool lernbar = k <= ng;
        if (k > g.zeilen) continue;
        z.Status &= ~ICON_ST_VERSTECKT;
        z.d = lernbar ? gelernt[k - 1] : negativ[k - 1 - ng];
        z.bild = k == g.zeilen ? BILD_LISTE_LETZTE : BILD_LISTE_ZEILE;
        z.bild_an = k == g.zeilen ? BILD_LISTE_LETZTE_AN : BILD_LISTE_ZEILE_AN;
        z.br = z.ho = -1;
    }
    s_icon& boden = Zeile(SPIELERLISTE_ZEILEN);
    if (g.zeilen == 0) {
        boden.Status &= ~ICON_ST_VERSTECKT;
        boden.bild = BILD_LISTE_LEER;
        boden.bild_an = -1;
        boden.d = -1;
        boden.br = boden.ho = -1;
    }
    Anordnen(x, y - 20);
}

void Zeile_Klick(s_icon* icon, int32_t ereignis);

// Rows of learnt talents take clicks; the weaknesses' rows only show.
void Zeilen_Procs_Setzen() {
    for (int32_t k = 1; k <= SPIELERLISTE_ZEILEN; ++k) Zeile(k).Main_P = k <= g.gelernt ? Zeile_Klick : nullptr;
}

// A row: hover lights it for the manager; a click switches the talent.
void Zeile_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !Darf_Aendern() || Spielerliste_Hover(icon, ereignis)) return;
    if (ereignis & EV_RECHTS) {
        Screen_Zurueck();
        return;
    }
    if (!(ereignis & EV_LINKS)) return;
    const int32_t talent = icon->d;
    if (talent < 0 || talent >= ATTRIBUT_ANZAHL) return;
    int32_t negativ[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(g.spieler, negativ, 3, 2);
    if (Attribute_Attribut_Aktief(g.spieler, talent)) {
        Attribut_Toggle_Aktive(g.spieler, talent);
        Aktiv_Lesen();
        return;
    }
    const int32_t platz = 3 - n;
    for (int32_t i = 0; i < platz; ++i)
        if (g.aktiv[i] < 0) {
            if (Attribut_Toggle_Aktive(g.spieler, talent)) g.aktiv[i] = talent;
            return;
        }
    // No free place: the oldest active talent that is no weakness makes room.
    // A weakness stays: the manager cannot switch it off.
    for (int32_t i = 0; i < 3; ++i) {
        const int32_t alt = g.aktiv[i];
        if (alt < 0 || Attribut_Ist_Negativ(g.spieler, alt)) continue;
        if (!Attribut_Toggle_Aktive(g.spieler, alt)) return;
        for (int32_t k = i; k < 2; ++k) g.aktiv[k] = g.aktiv[k + 1];
        g.aktiv[2] = -1;
        if (Attribut_Toggle_Aktive(g.spieler, talent)) g.aktiv[2] = talent;
        return;
    }
}

void Kopf_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Screen_Zurueck();
}

void Schliessen_Klick(s_icon* icon, int32_t ereignis) {
    if (Spielerliste_Hover(icon, ereignis) || !(ereignis & (EV_LINKS | EV_RECHTS))) return;
    Zustand_Setzen(icon->nummer, 0);
    if (g.aufrufer != -1) Zustand_Setzen(g.aufrufer, 0);
    Screen_Zurueck();
}

void Pfeil_Klick(s_icon* icon, int32_t ereignis) {
    if (Spielerliste_Hover(icon, ereignis)) return;
    if (ereignis & EV_RECHTS) {
        Screen_Zurueck();
        return;
    }
    if (!(ereignis & EV_LINKS) || !Spieler_Gueltig(g.spieler)) return;
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.pfeil_gueltig && jetzt - g.pfeil_zeit <= SPIELERLISTE_PFEIL_MS) return;
    g.pfeil_gueltig = true;
    g.pfeil_zeit = jetzt;
    const bool eigener = g.team >= 0 && g.team == Spielerliste_Lokal();
    g.slot = Spielerliste_Naechster_Slot(g.slot, icon->nummer == ICON_SPIELERLISTE_WEITER, eigener);
    const int32_t neu = Spielerliste_Spieler_Mit_Slot(g.team, g.slot);
    if (neu >= 0) g.spieler = neu;
    Fuellen(Kopf().x, Kopf().y, 1, false);
    Zeilen_Procs_Setzen();
}

// The header follows the pointer while its left button is held down on it.
void Ziehen() {
    int32_t x = 0, y = 0;
    if (!Spielerliste_Ziehen(g.ziehen, &Kopf(), &x, &y)) return;
    if (x + SPIELERLISTE_BREITE >= 800) x = 553;
    x = std::max(x, 1);
    y = std::max(y, 84);
    const int32_t unten = (g.zeilen + 2) * 21;
    if (y + unten >= 565) y = 565 - unten;
    Anordnen(x, y);
}

bool Ueber_Fenster(int32_t mx, int32_t my) {
    for (const s_icon& i : g.icons) {
        if (i.nummer < 0 || (i.Status & ICON_ST_VERSTECKT)) continue;
        if (mx >= i.x && my >= i.y && mx < i.x + std::max<int32_t>(i.br, 0) && my < i.y + std::max<int32_t>(i.ho, 0))
            return true;
    }
    return false;
}

void Kopf_Zeichnen() {
    if (!Spieler_Gueltig(g.spieler)) return;
    Rastport* ziel = Rastport_Target();
    const int32_t hx = Kopf().x, hy = Kopf().y;
    Spielerliste_Kopf_Malen(g.spieler, hx, hy, 130);
    Font* f6 = Font_Get(6);
    if (!f6 || g.zeilen == 0) return;
    int32_t a = 0;
    for (int32_t id : g.aktiv) a += id >= 0;
    const int32_t s = std::min(g.zeilen, 3);
    char zeile[160];
    if (s - a >= 1)
        snprintf(zeile, sizeof zeile, "%s %d %s %s", Text(TEXT_NOCH), s - a, Text(s - a == 1 ? TEXT_TALENT : TEXT_TALENTE),
                 Text(TEXT_FREI));
    else
        snprintf(zeile, sizeof zeile, "%s", Text(TEXT_ALLE));
    Text_Printf(ziel, f6, "^c%05d^tr0000%s", hx + 238, hy + 37, int32_t(WEISS), zeile);
}

void Zeile_Zeichnen(const s_icon* z) {
    if (z->d < 0) {
        if (z->nummer == ICON_SPIELERLISTE_BODEN && g.zeilen == 0)
            if (Font* f = Font_Get(6))
                Text_Printf(Rastport_Target(), f, "^c%05d^tz0121%s", z->x, z->y + 20, int32_t(GRAU_TEXT),
                            Text(TEXT_KEINE));
        return;
    }
    const int32_t id = z->d;
    const bool negativ = id >= ATTRIBUT_NEG_START && id <= ATTRIBUT_NEG_ENDE;
    int32_t marke = -1;
    if (negativ) marke = BILD_MARKE_NEGATIV;
    else if (Spieler_Gueltig(g.spieler) && Attribute_Attribut_Aktief(g.spieler, id)) marke = BILD_MARKE_AKTIV;
    Spielerliste_Zeile_Malen(id, z->x, z->y, marke, 14, negativ || !Darf_Aendern());
}

// One drawing procedure for every icon of the window; the header's call also
// moves the window while it is dragged and closes it on a right click outside.
void Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (!icon) return;
    if (icon == &Kopf()) {
        const int32_t mx = Menue_Hooks().maus_x ? Menue_Hooks().maus_x() : -1;
        const int32_t my = Menue_Hooks().maus_y ? Menue_Hooks().maus_y() : -1;
        const uint32_t knoepfe = Menue_Hooks().maus_klick ? Menue_Hooks().maus_klick() : 0;
        const bool rechts_neu = (knoepfe & 2) && !(g.rechts_vorher & 2);
        g.rechts_vorher = knoepfe;
        if (rechts_neu && !Ueber_Fenster(mx, my)) {
            Screen_Zurueck();
            return;
        }
        Ziehen();
        Kopf_Zeichnen();
        return;
    }
    if (icon->nummer >= ICON_SPIELERLISTE_ZEILE_1 && icon->nummer <= ICON_SPIELERLISTE_BODEN) Zeile_Zeichnen(icon);
}

s_icon Icon(int32_t nummer, int32_t bild, int32_t bild_an, uint32_t typ, int8_t pri, IconMainP proc) {
    return Spielerliste_Icon(nummer, bild, bild_an, typ, pri, proc, Zeichnen);
}

void Liste_Anlegen() {
    constexpr uint32_t HOVER = ICON_TYP_MAUS_INFO | ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;
    Kopf() = Icon(ICON_SPIELERLISTE_KOPF, BILD_LISTE_KOPF, -1, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE, PRI_KOPF,
                  Kopf_Klick);
    Kopf().d2 = g.aufrufer;
    for (int32_t k = 1; k <= SPIELERLISTE_ZEILEN; ++k) {
        const int32_t nummer = k <= 20 ? ICON_SPIELERLISTE_ZEILE_1 + k - 1 : ICON_SPIELERLISTE_BODEN;
        Zeile(k) = Icon(nummer, BILD_LISTE_ZEILE, BILD_LISTE_ZEILE_AN, HOVER, PRI_ZEILE, nullptr);
    }
    Schliessen() = Icon(ICON_SPIELERLISTE_SCHLIESSEN, BILD_SCHLIESSEN, BILD_SCHLIESSEN_AN, HOVER, PRI_KNOPF,
                        Schliessen_Klick);
    Pfeil_Zurueck() = Icon(ICON_SPIELERLISTE_ZURUECK, BILD_ZURUECK, BILD_ZURUECK_AN, HOVER, PRI_KNOPF, Pfeil_Klick);
    Pfeil_Weiter() = Icon(ICON_SPIELERLISTE_WEITER, BILD_WEITER, BILD_WEITER_AN, HOVER, PRI_KNOPF, Pfeil_Klick);
    g.icons[SPIELERLISTE_ZEILEN + 4] = s_icon{};   // the end of the list
    for (s_icon& i : g.icons)
        if (i.nummer >= 0) Zustand_Setzen(i.nummer, 0);
}

}  // namespace

SpielerlisteHooks& Spielerliste_Hooks() { return g.hooks; }

void Spielerliste_Oeffnen(int32_t spieler, int32_t x, int32_t y, int32_t club) {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIELERLISTE_KOPF)) return;
    if (Attribut_Entwickler_Flag()) {
        if (g.hooks.entwickler_oeffnen) g.hooks.entwickler_oeffnen(spieler, x, y, club);
        else Debug_Printf("Spielerliste_Oeffnen: kein Entwickler-Fenster angebunden\n");
        return;
    }
    if (!Spieler_Gueltig(spieler)) Debug_Printf("Spielerliste_Oeffnen: Spieler %d ungueltig\n", spieler);
    Liste_Anlegen();
    g.spieler = spieler;
    g.team = club;
    g.ziehen = FensterZiehen{};
    g.pfeil_gueltig = false;
    g.rechts_vorher = 3;   // the press that opened the window is no click outside it
    Fuellen(x, y, 0, true);
    Zeilen_Procs_Setzen();
    Menue_Screen_Icons_Hinzufuegen(g.icons);
}

void Spielerliste_Spieler_Zeigen(int32_t spieler) {
    if (!Spielerliste_Offen()) return;
    g.spieler = spieler;
    Fuellen(Kopf().x, Kopf().y, 1, true);
    Zeilen_Procs_Setzen();
}

SpielerlisteKlick Spielerliste_Zeilen_Klick(int32_t spieler, int32_t club, int32_t x, int32_t y, int32_t x0,
                                            int32_t x1, bool folgen) {
    if (folgen && Spielerliste_Offen()) {
        Spielerliste_Spieler_Zeigen(spieler);
        return SpielerlisteKlick::ZEIGT;
    }
    if (x < x0 || x > x1) return SpielerlisteKlick::NICHT;
    Spielerliste_Oeffnen(spieler, x, y, club);
    return SpielerlisteKlick::OEFFNET;
}

void Spielerliste_Fuellen(int32_t x, int32_t y, int32_t keep) {
    if (!Spielerliste_Offen()) return;
    Fuellen(x, y, keep, true);
    Zeilen_Procs_Setzen();
}

bool Screen_Zurueck() {
    bool zu = false;
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIELERLISTE_KOPF)) {
        Menue_Screen_Icons_Loeschen(g.icons);
        zu = true;
    }
    Spielerliste_Zellen_Sperren(false);
    g.ziehen = FensterZiehen{};
    if (zu && Menue_Screen_Icon_Ist_Vorhanden(ICON_AUFSTELLUNG) && g.hooks.aufstellung_blinken) g.hooks.aufstellung_blinken();
    if (g.hooks.entwickler_schliessen && g.hooks.entwickler_schliessen()) zu = true;
    return zu;
}

bool Spielerliste_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIELERLISTE_KOPF); }

SpielerlisteStand Spielerliste_Stand() {
    SpielerlisteStand s;
    if (!Spielerliste_Offen()) return s;
    s.spieler = g.spieler;
    s.team = g.team;
    s.slot = g.slot;
    s.zeilen = g.zeilen;
    std::copy(std::begin(g.aktiv), std::end(g.aktiv), s.aktiv);
    s.x = Kopf().x;
    s.y = Kopf().y;
    return s;
}

int32_t Spielerliste_Naechster_Slot(int32_t slot, bool weiter, bool eigener_club) {
    constexpr int32_t SLOTS = 20;
    if (eigener_club) return ((weiter ? slot + 1 : slot - 1) % SLOTS + SLOTS) % SLOTS;
    static constexpr int32_t ORDNUNG[SLOTS] = {11, 12, 13, 14, 15, 16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 18, 19};
    const int32_t* p = std::find(std::begin(ORDNUNG), std::end(ORDNUNG), slot);
    const int32_t i = p == std::end(ORDNUNG) ? 0 : int32_t(p - ORDNUNG);
    return ORDNUNG[((weiter ? i - 1 : i + 1) % SLOTS + SLOTS) % SLOTS];
}

int32_t Spielerliste_Spieler_Mit_Slot(int32_t team, int32_t slot) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = team >= 0 && team < Team_Anzahl() ? Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0) : 0;
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Wert(SPW_SLOT, liste[i], 0, OP_LESEN) == slot) return liste[i];
    return -1;
}

const char* Spielerliste_Position_Name(int32_t art) {
    static const char* const REFERENZ[4] = {"*6", "*7", "*8", "*9"};
    if (art < 0 || art > 3) return "";
    const char* t = REFERENZ[art];
    int32_t anzahl = 0;
    const char* const* tabelle = Text_Tabelle_Array(&anzahl);
    Str_Referenz_Aufloesen(&t, tabelle, anzahl);
    return t && t[0] != '*' ? t : "";
}

void Spielerliste_Position_Zeichnen(int32_t art, int32_t x, int32_t basis, int32_t farbe) {
    Font* f9 = Font_Get(9);
    if (!f9) return;
    char name[64];
    Str_Auf_Breite(Spielerliste_Position_Name(art), name, sizeof name, f9, 48);
    Text_Printf(Rastport_Target(), f9, "^c%05d^tz0043%s", x, basis, farbe, name);
}

int32_t Spielerliste_Positions_Bild(int32_t art) {
    static constexpr int32_t BILD[4] = {28320, 28319, 28317, 28318};
    return art >= 0 && art <= 3 ? BILD[art] : BILD[0];
}

int32_t Spielerliste_Lokal() { return Menue_Lokal().team; }

void Spielerliste_Kopf_Malen(int32_t spieler, int32_t hx, int32_t hy, int32_t name_breite) {
    if (!Spieler_Gueltig(spieler)) return;
    Rastport* ziel = Rastport_Target();
    const int32_t art = Spieler_Get_Art(spieler);
    if (Rastport* bild = Menue_Get_Slave_Rastport(Spielerliste_Positions_Bild(art), nullptr))
        Rastport_Blit(bild, 0, 0, -1, -1, ziel, hx + 7, hy + 6, BlitMode_Key);
    Font* f9 = Font_Get(9);
    if (!f9) return;
    char name[128];
    Str_Auf_Breite(Spieler_String(SPS_NAME, spieler, 0, 0), name, sizeof name, f9, name_breite);
    Text_Printf(ziel, f9, "^c%05d%s", hx + 26, hy + 17, int32_t(WEISS), name);
    Text_Printf(ziel, f9, "^c%05d%s", hx + 26, hy + 37, int32_t(GRAU_TEXT), Spielerliste_Position_Name(art));
}

void Spielerliste_Zeile_Malen(int32_t talent, int32_t x, int32_t y, int32_t marke, int32_t bild_x, bool schatten) {
    Rastport* ziel = Rastport_Target();
    if (talent < 0 || talent >= ATTRIBUT_ANZAHL) return;
    if (Rastport* b = Menue_Get_Slave_Rastport(BILD_TALENT_ZEILE + talent, nullptr))
        Rastport_Blit(b, 0, 0, -1, -1, ziel, x + bild_x, y + 1, BlitMode_Key);
    if (marke >= 0)
        if (Rastport* b = Menue_Get_Slave_Rastport(marke, nullptr)) Rastport_Blit(b, 0, 0, -1, -1, ziel, x + 3, y + 1, BlitMode_Key);
    // A talent the global configuration has no section for shows its badge without a name.
    const AttributDaten* d = Attribut_Daten(talent);
    if (Font* f = Font_Get(6); f && d && d->name[0]) {
        char name[128];
        Str_Auf_Breite(d->name, name, sizeof name, f, 218 - bild_x);
        const bool negativ = talent >= ATTRIBUT_NEG_START && talent <= ATTRIBUT_NEG_ENDE;
        Text_Printf(ziel, f, "^c%05d%s", x + bild_x + 22, y + 14, int32_t(negativ ? 64160u : WEISS), name);
    }
    if (schatten)
        if (Rastport* b = Menue_Get_Slave_Rastport(BILD_ZEILE_SCHATTEN, nullptr))
            Blit_Alpha(b, 0, 0, int32_t(b->width), int32_t(b->height), ziel, x, y, 40);
}

bool Spielerliste_Ziehen(FensterZiehen& z, const s_icon* kopf, int32_t* x, int32_t* y) {
    const int32_t mx = Menue_Hooks().maus_x ? Menue_Hooks().maus_x() : -1;
    const int32_t my = Menue_Hooks().maus_y ? Menue_Hooks().maus_y() : -1;
    const uint32_t knoepfe = Menue_Hooks().maus_klick ? Menue_Hooks().maus_klick() : 0;
    if (!kopf || !(knoepfe & 1)) {
        z.an = false;
        return false;
    }
    if (!z.an) {
        if (Menue_Get_Aktuelles_Icon() != kopf) return false;
        z.an = true;
        z.dx = mx - kopf->x;
        z.dy = my - kopf->y;
    }
    *x = mx - z.dx;
    *y = my - z.dy;
    return true;
}

void Spielerliste_Zellen_Sperren(bool sperren) {
    if (sperren == g.zellen_gesperrt) return;
    g.zellen_gesperrt = sperren;
    for (int32_t n = ICON_ZELLE_ERSTE; n <= ICON_ZELLE_LETZTE; ++n) {
        if (!Menue_Screen_Icon_Ist_Vorhanden(n)) continue;
        if (s_icon* i = Menue_Screen_Icon_Aus_Nummer(n)) {
            if (sperren) i->typ |= ICON_TYP_PASSIV;
            else i->typ &= ~ICON_TYP_PASSIV;
        }
    }
}

void Spielerliste_Zellen_Pruefen(int32_t hx, int32_t hy) { Spielerliste_Zellen_Sperren(hx < ZELLEN_X && hy < ZELLEN_Y); }

void Spielerliste_Zustand_Setzen(int32_t icon, int32_t wert) {
    const int32_t lokal = Spielerliste_Lokal();
    if (lokal >= 0) Manager_Icon_Button_An_Aus(lokal, icon, wert);
}

bool Spielerliste_Hover(s_icon* icon, int32_t ereignis) {
    if (!icon) return false;
    if (ereignis & EV_BETRETEN) {
        Spielerliste_Zustand_Setzen(icon->nummer, 1);
        return true;
    }
    // Leaving is its own event: the context form (0x28) carries the right
    // click's bit, so a test of the bits took every right click for a leave.
    if (ereignis == EV_VERLASSEN || ereignis == EV_VERLASSEN_KONTEXT) {
        Spielerliste_Zustand_Setzen(icon->nummer, 0);
        return true;
    }
    return false;
}

s_icon Spielerliste_Icon(int32_t nummer, int32_t bild, int32_t bild_an, uint32_t typ, int8_t pri, IconMainP proc,
                         IconZeichnen zeichnen) {
    s_icon i = Menue_Icon_Neu(nummer, 0, 0, bild, typ, pri);
    i.bild_an = bild_an;
    i.Status = ICON_ST_KEY | (bild_an >= 0 ? ICON_ST_TOGGLE : 0);
    i.Main_P = proc;
    i.zeichnen = zeichnen;
    return i;
}

}  // namespace velmora
