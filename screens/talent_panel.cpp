// screens/talent_panel.cpp - the developer and the editor talent panel.
#include "screens/talent_panel.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "business/spielerliste.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"

namespace velmora {
namespace {

constexpr int32_t TEXT_KEINE = 19;              // SPIELER_TRAINING_SCREEN
constexpr int32_t TEXT_EDITOR_TALENTE = 46;     // EDITOR_SCREEN
constexpr uint32_t WEISS = 65535, GRAU_TEXT = 44373;
constexpr int32_t PRI_FLAECHE = 16, PRI_KOPF = 17, PRI_ZEILE = 18, PRI_KNOPF = 19;
constexpr int32_t SPALTE_B = SPIELERLISTE_BREITE;
constexpr int32_t EDITOR_X = 5, EDITOR_Y = 10, EDITOR_ZEILE = SPIELERLISTE_ZEILE_H, EDITOR_SPALTE = 23, EDITOR_X2 = 252;
constexpr uint32_t HOVER = ICON_TYP_MAUS_INFO | ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;

bool Spieler_Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }

const char* Text(const char* screen, int32_t n) {
    return Text_Oder_Leer(screen, n);
}

// The pieces both panels have: header, rows, bottom piece, close, arrows,
// and a catcher under each column, so that the panel takes the pointer over
// its whole area (between its columns too), not only on its pieces.
template <int32_t ZEILEN>
struct Panel {
    s_icon icons[ZEILEN + 8];   // header, rows, bottom, close, previous, next, two catchers, end
    s_icon& kopf() { return icons[0]; }
    s_icon& zeile(int32_t k) { return icons[k]; }   // k = 1..ZEILEN
    s_icon& boden() { return icons[ZEILEN + 1]; }
    s_icon& schliessen() { return icons[ZEILEN + 2]; }
    s_icon& zurueck() { return icons[ZEILEN + 3]; }
    s_icon& weiter() { return icons[ZEILEN + 4]; }
    s_icon& flaeche(int32_t spalte) { return icons[ZEILEN + 5 + spalte]; }   // 0, 1
};

s_icon Icon(int32_t nummer, int32_t bild, int32_t bild_an, uint32_t typ, int8_t pri, IconMainP proc, IconZeichnen z) {
    return Spielerliste_Icon(nummer, bild, bild_an, typ, pri, proc, z);
}

template <int32_t N>
void Panel_Anlegen(Panel<N>& p, int32_t kopf_nummer, int32_t boden_nummer, const int32_t (&flaeche_nummer)[2],
                   IconMainP zeile_proc, IconMainP knopf_proc, IconZeichnen z) {
    p.kopf() = Icon(kopf_nummer, BILD_LISTE_KOPF, -1, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE, PRI_KOPF, knopf_proc, z);
    for (int32_t k = 1; k <= N; ++k)
        p.zeile(k) = Icon(kopf_nummer + k, BILD_LISTE_ZEILE, BILD_LISTE_ZEILE_AN, HOVER, PRI_ZEILE, zeile_proc, z);
    p.boden() = Icon(boden_nummer, BILD_LISTE_LETZTE, -1, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE, PRI_ZEILE, knopf_proc, z);
    p.schliessen() = Icon(boden_nummer + 1, BILD_SCHLIESSEN, BILD_SCHLIESSEN_AN, HOVER, PRI_KNOPF, knopf_proc, z);
    p.zurueck() = Icon(boden_nummer + 2, BILD_ZURUECK, BILD_ZURUECK_AN, HOVER, PRI_KNOPF, knopf_proc, z);
    p.weiter() = Icon(boden_nummer + 3, BILD_WEITER, BILD_WEITER_AN, HOVER, PRI_KNOPF, knopf_proc, z);
    // The catchers answer as the bottom piece does: a right click closes.
    for (int32_t k = 0; k < 2; ++k) {
        p.flaeche(k) = Menue_Faenger_Neu(flaeche_nummer[k], 0, 0, 0, 0, PRI_FLAECHE);
        p.flaeche(k).typ = ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;
        p.flaeche(k).Main_P = knopf_proc;
    }
    p.icons[N + 7] = s_icon{};
    for (s_icon& i : p.icons)
        if (i.nummer >= 0) Spielerliste_Zustand_Setzen(i.nummer, 0);
}

// The catchers under the columns as the pieces stand: the first column from
// the header down, the second from the first's right edge (the strip between
// the columns is the panel's) to its own; hidden without a second column.
template <int32_t N>
void Flaechen_Setzen(Panel<N>& p) {
    int32_t x0[2] = {800, 800}, y0[2] = {600, 600}, x1[2] = {0, 0}, y1[2] = {0, 0};
    const int32_t mitte = p.kopf().x + SPALTE_B / 2;
    for (int32_t k = 0; k <= N + 1; ++k) {
        s_icon& i = p.icons[k];
        int32_t b = 0, h = 0;
        if ((i.Status & ICON_ST_VERSTECKT) || !Menue_Screen_Icon_Rastport(&i, &b, &h)) continue;
        const int32_t s = k > 0 && i.x >= mitte ? 1 : 0;
        x0[s] = std::min(x0[s], int32_t(i.x));
        y0[s] = std::min(y0[s], int32_t(i.y));
        x1[s] = std::max(x1[s], i.x + b);
        y1[s] = std::max(y1[s], i.y + h);
    }
    if (x1[0] > x0[0]) x0[1] = std::min(x0[1], x1[0]);
    for (int32_t s = 0; s < 2; ++s) {
        s_icon& f = p.flaeche(s);
        const bool da = x1[s] > x0[s] && y1[s] > y0[s];
        f.Status = da ? f.Status & ~ICON_ST_VERSTECKT : f.Status | ICON_ST_VERSTECKT;
        f.x = int16_t(da ? x0[s] : 0);
        f.y = int16_t(da ? y0[s] : 0);
        f.br = int16_t(da ? x1[s] - x0[s] : 0);
        f.ho = int16_t(da ? y1[s] - y0[s] : 0);
    }
}

void Zeile_Zeigen(s_icon& z, int32_t x, int32_t y, int32_t bild, int32_t bild_an, int32_t talent) {
    z.Status &= ~ICON_ST_VERSTECKT;
    z.x = int16_t(x);
    z.y = int16_t(y);
    z.bild = bild;
    z.bild_an = bild_an;
    z.br = z.ho = -1;
    z.d = talent;
}

bool Hover(s_icon* icon, int32_t ereignis) { return Spielerliste_Hover(icon, ereignis); }

bool Pfeil_Frei(uint32_t& zeit, bool& gueltig) {
    const uint32_t jetzt = Menue_Get_Zeit();
    if (gueltig && jetzt - zeit <= TALENT_PANEL_PFEIL_MS) return false;
    gueltig = true;
    zeit = jetzt;
    return true;
}

// -- The developer panel ------------------------------------------------------

struct EntwicklerModul {
    Panel<ENTWICKLER_ZEILEN> p;
    int32_t spieler = -1, team = -1, slot = 0, zeilen = 0;
    int32_t aufrufer = 0;
    FensterZiehen ziehen;
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
};
EntwicklerModul e;

int32_t E_Spalten() { return e.zeilen > ENTWICKLER_SPALTE ? 2 : 1; }

void E_Anordnen(int32_t hx, int32_t hy) {
    e.p.kopf().x = int16_t(hx);
    e.p.kopf().y = int16_t(hy);
    const int32_t erste = std::min(e.zeilen, ENTWICKLER_SPALTE);
    for (int32_t k = 1; k <= e.zeilen; ++k) {
        const bool zweite = k > ENTWICKLER_SPALTE;
        const int32_t r = zweite ? k - ENTWICKLER_SPALTE : k;
        const bool ende = zweite && k == e.zeilen;
        const bool anfang = zweite && r == 1;
        s_icon& z = e.p.zeile(k);
        Zeile_Zeigen(z, hx + (zweite ? SPALTE_B : 0) - (ende ? 1 : 0), hy + 28 + SPIELERLISTE_ZEILE_H * r,
                     ende ? BILD_LISTE_LETZTE : anfang ? 28298 : BILD_LISTE_ZEILE,
                     ende ? BILD_LISTE_LETZTE_AN : anfang ? 28299 : BILD_LISTE_ZEILE_AN, z.d);
    }
    s_icon& b = e.p.boden();
    b.bild = e.zeilen ? BILD_LISTE_LETZTE : BILD_LISTE_LEER;
    b.br = b.ho = -1;
    b.x = int16_t(hx - 1);
    b.y = int16_t(e.zeilen ? hy + 28 + SPIELERLISTE_ZEILE_H * (erste + 1) : hy + SPIELERLISTE_KOPF_H);
    e.p.schliessen().x = int16_t(hx + 177);
    e.p.schliessen().y = int16_t(hy + 4);
    e.p.zurueck().x = int16_t(hx + 140);
    e.p.zurueck().y = int16_t(hy + 4);
    e.p.weiter().x = int16_t(hx + 156);
    e.p.weiter().y = int16_t(hy + 4);
    Flaechen_Setzen(e.p);
    Spielerliste_Zellen_Pruefen(hx, hy);
}

void E_Fuellen(int32_t x, bool oeffnen, bool slot_lesen) {
    int32_t gelernt[50], negativ[3];
    int32_t ng = 0, nn = 0;
    if (Spieler_Gueltig(e.spieler)) {
        if (slot_lesen) e.slot = Spieler_Wert(SPW_SLOT, e.spieler, 0, OP_LESEN);
        ng = Attribute_Get_Attribute_2(e.spieler, gelernt, 50, 1);
        nn = Attribute_Get_Attribute_2(e.spieler, negativ, 3, 2);
    }
    e.zeilen = std::min(ng + nn, ENTWICKLER_ZEILEN);
    if (oeffnen && x + 2 * SPALTE_B >= 800) x = 288;
    for (int32_t k = 1; k <= ENTWICKLER_ZEILEN; ++k) {
        s_icon& z = e.p.zeile(k);
        z.Status |= ICON_ST_VERSTECKT;
        z.d = k <= ng ? gelernt[k - 1] : k <= e.zeilen ? negativ[k - 1 - ng] : -1;
        // Learnt talents switch; the weaknesses' rows only show.
        z.typ = k <= ng ? HOVER : ICON_TYP_PASSIV;
    }
    E_Anordnen(x, 1);
}

void E_Zeile_Klick(s_icon* icon, int32_t ereignis) {
    if (Hover(icon, ereignis)) return;
    if (ereignis & EV_RECHTS) {
        Screen_Talente_Schliessen();
        return;
    }
    if ((ereignis & EV_LINKS) && Spieler_Gueltig(e.spieler) && icon->d >= 0) Attribut_Toggle_Aktive_2(e.spieler, icon->d);
}

// The developer's steps stop at slot 0 and 20; another team walks its bench first.
int32_t E_Slot(int32_t slot, bool weiter, bool eigener) {
    if (eigener) return weiter ? (slot < 20 ? slot + 1 : slot) : (slot >= 1 ? slot - 1 : slot);
    if (weiter) return slot == 0 ? 16 : slot == 11 ? 19 : slot == 17 ? 17 : slot - 1;
    return slot == 19 ? 11 : slot == 16 ? 0 : slot == 10 ? 10 : slot + 1;
}

// The buttons both panels share: hover, a right click and the close button
// close; true when the event is handled (an arrow's left click is not).
template <int32_t N>
bool Knopf_Gemeinsam(Panel<N>& p, s_icon* icon, int32_t ereignis, int32_t aufrufer, bool (*schliessen)()) {
    if (Hover(icon, ereignis)) return true;
    if ((ereignis & EV_RECHTS) || ((ereignis & EV_LINKS) && icon == &p.schliessen())) {
        Spielerliste_Zustand_Setzen(icon->nummer, 0);
        if (icon == &p.schliessen() && aufrufer != -1) Spielerliste_Zustand_Setzen(aufrufer, 0);
        schliessen();
        return true;
    }
    return !(ereignis & EV_LINKS);
}

void E_Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (Knopf_Gemeinsam(e.p, icon, ereignis, e.aufrufer, Screen_Talente_Schliessen)) return;
    const bool weiter = icon == &e.p.weiter();
    if ((!weiter && icon != &e.p.zurueck()) || !Spieler_Gueltig(e.spieler) || !Pfeil_Frei(e.pfeil_zeit, e.pfeil_gueltig))
        return;
    e.slot = E_Slot(e.slot, weiter, e.team >= 0 && e.team == Spielerliste_Lokal());
    const int32_t neu = Spielerliste_Spieler_Mit_Slot(e.team, e.slot);
    if (neu >= 0) e.spieler = neu;
    E_Fuellen(e.p.kopf().x, false, false);
}

void E_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (icon == &e.p.kopf()) {
        int32_t x = 0, y = 0;
        if (Spielerliste_Ziehen(e.ziehen, icon, &x, &y)) {
            const int32_t breite = E_Spalten() * SPALTE_B;
            if (x + breite >= 800) x = 800 - breite - 1;
            x = std::max(x, 1);
            const int32_t unten = (std::min(e.zeilen, ENTWICKLER_SPALTE) + 2) * SPIELERLISTE_ZEILE_H + 28;
            if (y + unten >= 565) y = 565 - unten;
            E_Anordnen(x, std::max(y, 1));
        }
        Spielerliste_Kopf_Malen(e.spieler, icon->x, icon->y, 108);
        return;
    }
    if (icon == &e.p.boden()) {
        if (e.zeilen == 0)
            if (Font* f = Font_Get(6))
                Text_Printf(Rastport_Target(), f, "^c%05d^tz0121%s", icon->x, icon->y + 20, int32_t(GRAU_TEXT),
                            Text("SPIELER_TRAINING_SCREEN", TEXT_KEINE));
        return;
    }
    if (icon->nummer > ICON_ENTWICKLER_KOPF && icon->nummer < ICON_ENTWICKLER_BODEN && icon->d >= 0) {
        const bool negativ = Attribut_Ist_Negativ(e.spieler, icon->d);
        const int32_t marke = negativ ? BILD_MARKE_NEGATIV
                              : Spieler_Gueltig(e.spieler) && Attribute_Attribut_Aktief(e.spieler, icon->d) ? BILD_MARKE_AKTIV
                                                                                                          : -1;
        Spielerliste_Zeile_Malen(icon->d, icon->x, icon->y, marke, 14, negativ || e.team != Spielerliste_Lokal());
    }
}

// -- The editor panel ---------------------------------------------------------

struct EditorModul {
    Panel<EDITOR_ZEILEN> p;
    int32_t spieler = -1, team = -1, slot = 0, zeilen = 0;
    int32_t aufrufer = 0;
    bool liste = false;
    int32_t listen_index = -1;
    std::vector<int32_t> markt;   // the editor's transfer-market players
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
};
EditorModul r;

bool R_Torwart() { return Spieler_Get_Art(r.spieler) == 0; }

int32_t R_Zustand(int32_t talent) {
    if (!Spieler_Gueltig(r.spieler)) return 0;
    if (Attribut_Ist_Gesperrt(r.spieler, talent)) return 2;
    return Attribute_Hat_Attribut(r.spieler, talent) ? 1 : 0;
}

void R_Anordnen() {
    r.p.kopf().x = EDITOR_X;
    r.p.kopf().y = EDITOR_Y;
    const int32_t oben = EDITOR_Y + SPIELERLISTE_KOPF_H;
    const int32_t erstes = R_Torwart() ? ATTRIBUT_NEG_START : 0;
    r.zeilen = Spieler_Gueltig(r.spieler) ? (R_Torwart() ? ATTRIBUT_TW_ENDE - ATTRIBUT_NEG_START + 1 : ATTRIBUT_NEG_ENDE + 1) : 0;
    for (int32_t k = 1; k <= EDITOR_ZEILEN; ++k) {
        s_icon& z = r.p.zeile(k);
        z.Status |= ICON_ST_VERSTECKT;
        if (k > r.zeilen) continue;
        const bool zweite = k > EDITOR_SPALTE;
        const bool ende = k == r.zeilen || k == EDITOR_SPALTE;
        const bool anfang = k == EDITOR_SPALTE + 1;
        const int32_t x = zweite ? EDITOR_X2 : EDITOR_X;
        const int32_t y = oben + EDITOR_ZEILE * (zweite ? k - EDITOR_SPALTE - 1 : k - 1);
        Zeile_Zeigen(z, ende ? x - 1 : x, y, ende ? BILD_LISTE_LETZTE : anfang ? 28298 : BILD_LISTE_ZEILE,
                     ende ? BILD_LISTE_LETZTE_AN : anfang ? 28299 : BILD_LISTE_ZEILE_AN, erstes + k - 1);
        z.d2 = R_Zustand(z.d);
    }
    // Rows N and 23 end the columns; the bottom piece has nothing to close.
    r.p.boden().Status |= ICON_ST_VERSTECKT;
    r.p.schliessen().x = EDITOR_X + 225;
    r.p.schliessen().y = EDITOR_Y + 10;
    r.p.zurueck().x = EDITOR_X + 185;
    r.p.zurueck().y = EDITOR_Y + 5;
    r.p.weiter().x = EDITOR_X + 205;
    r.p.weiter().y = EDITOR_Y + 5;
    Flaechen_Setzen(r.p);
}

// Field talents whose prerequisites are gone fall back to 0, until none is
// left. Another pass follows only a reset that took: each one leaves a talent
// at 0 for good, so the passes end; a refused write (a client's foreign
// player) leaves the talent as it is instead of being tried for ever.
void R_Ohne_Voraussetzung_Zuruecksetzen() {
    if (R_Torwart()) return;
    for (bool weiter = true; weiter;) {
        weiter = false;
        for (int32_t id = 0; id <= ATTRIBUT_FELD_ENDE; ++id) {
            if (Spieler_Wert(id, r.spieler, 0, OP_LESEN) <= 0) continue;
            int32_t v[3];
            Attribut_Zaehle(id, v);
            for (int32_t p : v)
                if (p >= 0 && !Attribute_Hat_Attribut(r.spieler, p)) {
                    if (Attribut_Spieler_Setze_Wert_2(r.spieler, id, ATTRIBUT_ZURUECKSETZEN)) weiter = true;
                    break;
                }
        }
    }
}

// The prerequisites the player lacks, followed down, deepest first.
void R_Fehlende(int32_t id, std::vector<int32_t>& aus, int32_t tiefe) {
    int32_t v[3];
    if (tiefe > ATTRIBUT_ANZAHL || Attribut_Zaehle(id, v) == 0) return;
    for (int32_t p : v) {
        if (p < 0 || Attribute_Hat_Attribut(r.spieler, p) || std::find(aus.begin(), aus.end(), p) != aus.end()) continue;
        R_Fehlende(p, aus, tiefe + 1);
        if (std::find(aus.begin(), aus.end(), p) == aus.end()) aus.push_back(p);
    }
}

void R_Lernen(int32_t id) {
    if (!Attribut_Spieler_Setze_Wert_2(r.spieler, id, ATTRIBUT_LERNEN)) {
        Attribut_Spieler_Setze_Wert_2(r.spieler, id, ATTRIBUT_SPERREN);
        return;
    }
    if (Attribut_Ist_Negativ(r.spieler, id)) return;
    std::vector<int32_t> fehlend;
    R_Fehlende(id, fehlend, 0);
    int32_t liste[ATTRIBUT_MAX_FELD];
    const int32_t n = Attribute_Get_Attribute(r.spieler, liste, ATTRIBUT_MAX_FELD, 1);
    if (n + int32_t(fehlend.size()) > ATTRIBUT_MAX_FELD) {
        Attribut_Spieler_Setze_Wert_2(r.spieler, id, ATTRIBUT_SPERREN);
        return;
    }
    for (int32_t p : fehlend) Attribut_Spieler_Setze_Wert_2(r.spieler, p, ATTRIBUT_LERNEN);
}

void R_Zeile_Klick(s_icon* icon, int32_t ereignis) {
    if (Hover(icon, ereignis)) return;
    if (ereignis & EV_RECHTS) {
        Screen_Talente_2_Schliessen();
        return;
    }
    if (!(ereignis & EV_LINKS) || !Spieler_Gueltig(r.spieler) || icon->d < 0) return;
    switch (R_Zustand(icon->d)) {
    case 0: R_Lernen(icon->d); break;
    case 1:
        Attribut_Spieler_Setze_Wert_2(r.spieler, icon->d, ATTRIBUT_SPERREN);
        R_Ohne_Voraussetzung_Zuruecksetzen();
        break;
    default:
        Attribut_Spieler_Setze_Wert_2(r.spieler, icon->d, ATTRIBUT_ZURUECKSETZEN);
        R_Ohne_Voraussetzung_Zuruecksetzen();
        break;
    }
    R_Anordnen();
}

void R_Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (Knopf_Gemeinsam(r.p, icon, ereignis, r.aufrufer, Screen_Talente_2_Schliessen)) return;
    const bool weiter = icon == &r.p.weiter();
    if ((!weiter && icon != &r.p.zurueck()) || !Pfeil_Frei(r.pfeil_zeit, r.pfeil_gueltig)) return;
    if (r.liste) {
        const int32_t n = int32_t(r.markt.size());
        if (weiter && r.listen_index < n - 1) ++r.listen_index;
        if (!weiter && r.listen_index >= 1) --r.listen_index;
        if (r.listen_index >= 0 && r.listen_index < n) r.spieler = r.markt[size_t(r.listen_index)];
    } else {
        r.slot = E_Slot(r.slot, weiter, true);
        const int32_t neu = Spielerliste_Spieler_Mit_Slot(r.team, r.slot);
        if (neu >= 0) r.spieler = neu;
    }
    R_Anordnen();
}

void R_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (icon == &r.p.kopf()) {
        if (!Spieler_Gueltig(r.spieler)) return;
        Spielerliste_Kopf_Malen(r.spieler, icon->x, icon->y, 85);
        int32_t liste[50], neg[3];
        const int32_t n = Attribute_Get_Attribute_2(r.spieler, liste, 50, 1) + Attribute_Get_Attribute_2(r.spieler, neg, 3, 2);
        if (Font* f = Font_Get(9))
            Text_Printf(Rastport_Target(), f, "^c%05d^tr0000%s %d", icon->x + 238, icon->y + 37, int32_t(WEISS),
                        Text("EDITOR_SCREEN", TEXT_EDITOR_TALENTE), n);
        return;
    }
    if (icon->nummer <= ICON_EDITOR_KOPF || icon->nummer >= ICON_EDITOR_BODEN || icon->d < 0) return;
    const int32_t z = icon->d2;
    Spielerliste_Zeile_Malen(icon->d, icon->x, icon->y, z == 1 ? BILD_MARKE_AKTIV : z == 2 ? BILD_MARKE_GESPERRT : -1, 22,
                             z == 2);
}

TalentPanelStand Stand(bool offen, int32_t spieler, int32_t team, int32_t slot, int32_t zeilen, const s_icon& kopf) {
    TalentPanelStand s;
    if (!offen) return s;
    s.spieler = spieler;
    s.team = team;
    s.slot = slot;
    s.zeilen = zeilen;
    s.x = kopf.x;
    s.y = kopf.y;
    return s;
}

}  // namespace

void Screen_Talente_Oeffnen(int32_t spieler, int32_t x, int32_t, int32_t club) {
    if (Screen_Talente_Offen()) return;
    Panel_Anlegen(e.p, ICON_ENTWICKLER_KOPF, ICON_ENTWICKLER_BODEN, ICON_ENTWICKLER_FLAECHE, E_Zeile_Klick, E_Knopf_Klick,
                  E_Zeichnen);
    e.p.kopf().d2 = e.aufrufer;
    e.spieler = spieler;
    e.team = club;
    e.ziehen = FensterZiehen{};
    e.pfeil_gueltig = false;
    E_Fuellen(x, true, true);
    e.p.schliessen().d = club;
    Menue_Screen_Icons_Hinzufuegen(e.p.icons);
}

bool Screen_Talente_Schliessen() {
    if (!Screen_Talente_Offen()) return false;
    Menue_Screen_Icons_Loeschen(e.p.icons);
    Spielerliste_Zellen_Sperren(false);
    e.ziehen = FensterZiehen{};
    return true;
}

bool Screen_Talente_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_ENTWICKLER_KOPF); }

void Screen_Talente_2_Oeffnen(int32_t spieler, int32_t, int32_t, int32_t team) {
    if (Screen_Talente_2_Offen()) return;
    Panel_Anlegen(r.p, ICON_EDITOR_KOPF, ICON_EDITOR_BODEN, ICON_EDITOR_FLAECHE, R_Zeile_Klick, R_Knopf_Klick, R_Zeichnen);
    r.p.kopf().d2 = r.aufrufer;
    Menue_Screen_Icons_Hinzufuegen(r.p.icons);
    Menue_Set_Rechtsklick_Icon(ICON_EDITOR_KOPF + 1);
    r.spieler = spieler;
    r.slot = Spieler_Gueltig(spieler) ? Spieler_Wert(SPW_SLOT, spieler, 0, OP_LESEN) : 0;
    r.pfeil_gueltig = false;
    R_Anordnen();
    r.team = team;
    Debug_Printf("Screen_Talente_2_Oeffnen: Spieler %d, Team %d\n", spieler, team);
    r.liste = false;
    r.listen_index = -1;
    if (team >= 0 && team == Team_Markt()) {
        // Searched among the list's first count - 1 entries; a player not found walks by slot.
        const int32_t n = int32_t(r.markt.size()) - 1;
        for (int32_t i = 0; i < n; ++i)
            if (r.markt[size_t(i)] == spieler) {
                r.liste = true;
                r.listen_index = i;
                break;
            }
    }
}

bool Screen_Talente_2_Schliessen() {
    if (!Screen_Talente_2_Offen()) return false;
    Menue_Screen_Icons_Loeschen(r.p.icons);
    if (Menue_Get_Rechtsklick_Icon() == ICON_EDITOR_KOPF + 1) Menue_Set_Rechtsklick_Icon(-1);
    return true;
}

bool Screen_Talente_2_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_EDITOR_KOPF); }

void Screen_Talente_2_Liste_Setzen(const int32_t* liste, int32_t anzahl) {
    r.markt.assign(liste && anzahl > 0 ? liste : nullptr, liste && anzahl > 0 ? liste + anzahl : nullptr);
}

TalentPanelStand Screen_Talente_Stand() {
    return Stand(Screen_Talente_Offen(), e.spieler, e.team, e.slot, e.zeilen, e.p.kopf());
}

TalentPanelStand Screen_Talente_2_Stand() {
    TalentPanelStand s = Stand(Screen_Talente_2_Offen(), r.spieler, r.team, r.slot, r.zeilen, r.p.kopf());
    s.liste = s.spieler >= 0 && r.liste;
    s.listen_index = s.liste ? r.listen_index : -1;
    return s;
}

int32_t Screen_Talente_2_Zeile(int32_t zeile, int32_t* talent) {
    if (!Screen_Talente_2_Offen() || zeile < 1 || zeile > r.zeilen) return -1;
    const s_icon& z = r.p.zeile(zeile);
    if (talent) *talent = z.d;
    return R_Zustand(z.d);
}

}  // namespace velmora
