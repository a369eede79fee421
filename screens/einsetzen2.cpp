// screens/einsetzen2.cpp - the second line-up screen.
#include "screens/einsetzen2.h"

#include <algorithm>
#include <array>

#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "club/aufstellung.h"
#include "club/club_hooks.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_nummern.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/bildnr_aufstellung.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "screens/einsetzen1.h"
#include "screens/einsetzen_info.h"
#include "screens/menue_panel.h"
#include "screens/spielerinfo.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "EINSETZEN_2_SCREEN";
constexpr int32_t WEISS = 65535, GEGNER_FARBE = 65196, GRAU = 44373;
constexpr int32_t T_LISTE = 1, T_EIGENES = 2, T_ZURUECK = 3, T_GEGNER = 56, T_WAHL = 52, T_WAHL_GEGNER = 51;
constexpr int32_t KARTE_B = 89, KARTE_H = 33, ZELLE_B = 90, ZELLE_H = 35;
// A card's name from beside the shirt to the right edge; its badges' width.
constexpr int32_t KARTE_NAME_X = 21, KARTE_NAME_B = KARTE_B - KARTE_NAME_X - 4, KARTE_ABZEICHEN = 16;
constexpr int32_t FORMATION_Y[E2_FORMATIONEN] = {90, 230, 370};
constexpr int32_t KNOPF_X[3] = {16, 166, 316};
constexpr int32_t PUNKT_ART[4] = {24101, 24099, 24098, 24100};   // goalkeeper, defender, midfielder, forward
constexpr uint8_t ABLAGE = 0x2;

struct E2Modul {
    s_icon feld;
    std::array<s_icon, E2_FORMATIONEN> formation;
    std::array<s_icon, SLOT_STARTELF> karte;
    std::array<s_icon, SLOT_STARTELF * E2_FORMATIONEN> mini;
    std::array<s_icon, 3> knopf;
    s_icon_move karte_move;
    int32_t club = -1;
    bool gegner = false;
    int32_t karten = 0;
};
E2Modul g;

int32_t Eigen() { return Menue_Lokal().team; }
int32_t Gegner() { return Menue_Lokal().gegner; }
const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }

// The cards' shirt numbers, read once per filling (on a client they are the server's).
SpielerNummern g_nummern;
int32_t Zustand(int32_t icon) { return Eigen() >= 0 ? Manager_Icon_Button_Lesen(Eigen(), icon) : 0; }
void Zustand_Setzen(int32_t icon, int32_t wert) {
    if (Eigen() >= 0) Manager_Icon_Button_An_Aus(Eigen(), icon, wert);
}
void Sperren(s_icon& i, bool ja) { i.Status = ja ? i.Status | ICON_ST_GESPERRT : i.Status & ~ICON_ST_GESPERRT; }
bool Ist_Karte(const s_icon* i) {
    return i && i->nummer >= ICON_E2_KARTE && i->nummer < ICON_E2_KARTE + SLOT_STARTELF &&
           i == &g.karte[size_t(i->nummer - ICON_E2_KARTE)];
}

int32_t Klasse(int32_t reihe) { return reihe == 0 ? 0 : reihe <= 3 ? 1 : reihe <= 7 ? 2 : 3; }
int32_t Reihe_Von(int32_t s) {
    int32_t c = 0, r = 0;
    E1_Spieler_Zelle(s, &c, &r);
    return r;
}
int32_t A_Versatz(int32_t spalte) { return spalte < 3 ? 1 : spalte == 3 ? -1 : -2; }

void Bild(int32_t nummer, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(nummer, nullptr))
        Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x, y, BlitMode_Key);
}

// -- Filling ------------------------------------------------------------------

void Minis_Fuellen() {
    for (s_icon& m : g.mini) m.Status |= ICON_ST_VERSTECKT;
    const int32_t aktuell = E2_Formation_Gezeigt(g.club);
    for (int32_t f = 0; f < E2_FORMATIONEN; ++f) {
        if (g.gegner && f != 1) continue;
        Formation form;
        if (!Formation_Standard(f, &form)) continue;
        for (int32_t k = 0; k < SLOT_STARTELF; ++k) {
            s_icon& m = g.mini[size_t(SLOT_STARTELF * f + k)];
            const int32_t p = k < g.karten ? g.karte[size_t(k)].d : -1;
            int32_t spalte = 0, reihe = 0;
            const bool eigene = g.gegner || f == aktuell;
            if (eigene) {
                // The current formation: the players' cells, pictures by their kind.
                if (!Gueltig(p) || !Spieler_Verfuegbar(p)) continue;
                E1_Spieler_Zelle(p, &spalte, &reihe);
                m.bild = PUNKT_ART[std::clamp(Spieler_Get_Art(p), 0, 3)];
            } else {
                Formation_Zelle_Von_Slot(form, k, &spalte, &reihe);
                m.bild = PUNKT_ART[Klasse(reihe)];
            }
            spalte = std::clamp(spalte, 0, FORMATION_SPALTEN - 1);
            reihe = std::clamp(reihe, 0, FORMATION_REIHEN - 1);
            const int32_t a = A_Versatz(spalte);
            if (g.gegner) {
                m.x = int16_t(reihe == 0 ? 28 + 11 * spalte : 95 - 11 * spalte + a);
                m.y = int16_t(reihe == 0 ? 235 : 232 + 12 * reihe);
            } else {
                m.x = int16_t(28 + 11 * spalte - a);
                m.y = int16_t(reihe == 0 ? 140 * f + 212 : 140 * f + 215 - 12 * reihe);
            }
            m.d = f;
            m.Status &= ~ICON_ST_VERSTECKT;
        }
    }
}

void E2_Screen_Fuellen() {
    Spieler_Nummern_Vergessen(g_nummern);
    const int32_t club = g.club;
    const int32_t aktuell = E2_Formation_Gezeigt(club);
    for (int32_t f = 0; f < E2_FORMATIONEN; ++f) {
        Zustand_Setzen(ICON_E2_FORMATION + f, g.gegner ? (f == 1) : (f == aktuell));
        Sperren(g.formation[size_t(f)], g.gegner && f != 1);
    }
    Sperren(g.knopf[2], g.gegner);
    Zustand_Setzen(ICON_E2_GEGNER, g.gegner ? 1 : 0);
    Sperren(g.knopf[1], Gegner() < 0);
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = club >= 0 ? std::clamp(Teamspieler_Ins_Array(club, spieler, TEAM_SPIELER_MAX, 0), 0, TEAM_SPIELER_MAX) : 0;
    std::stable_sort(spieler, spieler + n, [](int32_t a, int32_t b) {
        return Spieler_Wert(SPW_SLOT, a, 0, OP_LESEN) < Spieler_Wert(SPW_SLOT, b, 0, OP_LESEN);
    });
    g.karten = 0;
    for (int32_t k = 0; k < SLOT_STARTELF; ++k) {
        s_icon& c = g.karte[size_t(k)];
        const int32_t p = k < n && Spieler_Wert(SPW_SLOT, spieler[k], 0, OP_LESEN) < SLOT_STARTELF ? spieler[k] : -1;
        c.d = p;
        c.typ = g.gegner ? c.typ & ~ICON_TYP_BEWEGLICH : c.typ | ICON_TYP_BEWEGLICH;
        if (p < 0) {
            c.Status |= ICON_ST_VERSTECKT;
            continue;
        }
        ++g.karten;
        c.Status &= ~ICON_ST_VERSTECKT;
        int32_t spalte = 0, reihe = 0;
        E1_Spieler_Zelle(p, &spalte, &reihe);
        spalte = std::clamp(spalte, 0, FORMATION_SPALTEN - 1);
        reihe = std::clamp(reihe, 0, FORMATION_REIHEN - 1);
        c.x = int16_t(g.gegner ? 688 - ZELLE_B * spalte : 149 + ZELLE_B * spalte);
        c.y = int16_t(g.gegner ? 119 + ZELLE_H * reihe : 469 - ZELLE_H * reihe);
    }
    Minis_Fuellen();
}

void Karten_Aus() {
    for (s_icon& c : g.karte) Zustand_Setzen(c.nummer, 0);
}

int32_t Gewaehlt() {
    for (const s_icon& c : g.karte)
        if (!(c.Status & ICON_ST_VERSTECKT) && Zustand(c.nummer)) return c.d;
    return -1;
}

void Geaendert() {
    Team_Formation_Flag_Loeschen(Eigen());
    Team_Aufstellung_Senden(Eigen());
}

// -- Clicks -------------------------------------------------------------------

void Formation_Waehlen(int32_t f) {
    if (g.gegner || f < 0 || f >= E2_FORMATIONEN) return;
    const int32_t club = Eigen();
    if (!Team_Formation_Waehlen(club, f)) return;
    Team_Rueckennummern(club);
    Check_Und_Set_Aa(club);
    Team_Aufstellung_Senden(club);
    E2_Screen_Fuellen();
}

void Formation_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    Formation_Waehlen(icon->nummer >= ICON_E2_MINI ? icon->d : icon->nummer - ICON_E2_FORMATION);
}

void Karte_Klick(s_icon* icon, int32_t ereignis) {
    const int32_t p = icon->d;
    if (!Gueltig(p)) return;
    const ZeilenKlick k = Spieler_Zeile_Klick(ereignis);
    if (k.art == ZeilenKlickArt::RECHTS) {
        if (Spieler_Verfuegbar(p) && !Screen_Zurueck()) Spielerinfo_Oeffnen(p, g.club, g.gegner ? KARTE_ANDERER : KARTE_EIGENER);
        return;
    }
    if (k.art != ZeilenKlickArt::LINKS || g.gegner) return;
    if (Spieler_Verfuegbar(p) && k.y >= icon->y + 16 && k.y <= icon->y + 29 &&
        Spielerliste_Zeilen_Klick(p, g.club, k.x, k.y, icon->x + 41, icon->x + 84, false) == SpielerlisteKlick::OEFFNET) {
        Zustand_Setzen(icon->nummer, 0);
        return;
    }
    const int32_t gewaehlt = Gewaehlt();
    if (gewaehlt >= 0 && gewaehlt != p) {
        if (Spieler_Tauschen_Intern(gewaehlt, p, Eigen(), Eigen())) Geaendert();
        Karten_Aus();
        E2_Screen_Fuellen();
        return;
    }
    if (Spieler_Verfuegbar(p)) Zustand_Setzen(icon->nummer, Zustand(icon->nummer) ? 0 : 1);
}

void Feld_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || g.gegner) return;
    const int32_t p = Gewaehlt();
    if (p < 0) return;
    int32_t mx = 0, my = 0, spalte = 0, reihe = 0;
    Menue_Maus_Position(&mx, &my);
    E2_Screen_Pixel_Zu_Feld(mx, my, &spalte, &reihe);
    if (Spieler_Setze_Formationsposition(p, spalte, reihe)) Geaendert();
    Karten_Aus();
    E2_Screen_Fuellen();
}

void Karte_Ablegen(s_icon* bewegt, s_icon* ziel, int32_t, int32_t, int32_t ereignis) {
    if (!(ereignis & EV_ABGELEGT) || g.gegner || !bewegt) return;
    const int32_t d = bewegt->d;
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    bool ok = false;
    if (Ist_Karte(ziel) && ziel != bewegt && Gueltig(ziel->d)) {
        ok = Spieler_Tauschen_Intern(d, ziel->d, Eigen(), Eigen());
    } else if (ziel && (ziel->nummer == ICON_E2_FELD || ziel == bewegt) && mx >= 149 && mx <= 777 && my >= 119 && my <= 502) {
        int32_t spalte = 0, reihe = 0;
        E2_Screen_Pixel_Zu_Feld(mx, my, &spalte, &reihe);
        ok = Spieler_Setze_Formationsposition(d, spalte, reihe);
    }
    if (ok) Geaendert();
    Karten_Aus();
    E2_Screen_Fuellen();
}

void E2_Aufbauen();

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    if (icon->nummer == ICON_E2_LISTE) {
        if (s_icon* team = Menue_Screen_Icon_Aus_Nummer(702)) Menue_Panel_Team_Icon_Prozedur(team, EV_LINKS | 0x200);
        return;
    }
    if (icon->nummer == ICON_E2_ZURUECKSETZEN) {
        if (g.gegner) return;
        if (Trobe_Spieler_Formation_Zuruecksetzen(Eigen())) {
            Team_Rueckennummern(Eigen());
            Team_Aufstellung_Senden(Eigen());
        }
        E2_Screen_Fuellen();
        return;
    }
    const int32_t gegner = Gegner();
    if (gegner < 0) return;
    const int32_t neu = Zustand(ICON_E2_GEGNER) ? 0 : 1;
    Zustand_Setzen(ICON_E2_GEGNER, neu);
    Zustand_Setzen(ICON_E1_GEGNER, neu);
    Karten_Aus();
    if (neu && (!Club_Ist_Client() || Club_Client_Team() == gegner) &&
        !(Team_Hat_Manager(gegner) && !Team_Formation_Assi(gegner)))
        Team_Auto_Aufstellung(gegner);
    E2_Aufbauen();
}

// -- Drawing ------------------------------------------------------------------

// The small stars of a card: strength (value 92) with the deduction, kept within 0 and the strength.
void Kleine_Sterne(int32_t p, int32_t x, int32_t y, int32_t abzug) {
    const int32_t h = std::max(Spieler_Sterne(p), 0);
    const int32_t bleibt = h - std::clamp(abzug, 0, h);
    for (int32_t k = 0; 2 * k < h; ++k) {
        const int32_t a = 2 * k, b = 2 * k + 1;   // the two halves of star k
        int32_t bild = 24091;
        if (b >= h) bild = a < bleibt ? 24090 : 24096;
        else if (b < bleibt) bild = 24091;
        else if (a < bleibt) bild = 24092;
        else bild = 24094;
        Bild(bild, x + 6 * k, y);   // 7 wide, their tips touching: five end 34 pixels on
    }
}

// The row a player would play in after the drag now under way, -1 none.
int32_t Vorschau_Reihe(const s_icon* karte) {
    const s_icon* bewegt = Menue_Get_Maus_Ereignis();
    if (!Ist_Karte(bewegt) || g.gegner) return -1;
    const s_icon* ueber = Menue_Get_Aktuelles_Icon();
    if (Ist_Karte(ueber) && ueber != bewegt) {
        if (karte == bewegt) return Reihe_Von(ueber->d);
        if (karte == ueber) return Reihe_Von(bewegt->d);
        return -1;
    }
    int32_t mx = 0, my = 0, spalte = 0, reihe = 0;
    Menue_Maus_Position(&mx, &my);
    if (karte == bewegt && E2_Screen_Maus_Im_Feld(mx, my)) {
        E2_Screen_Pixel_Zu_Feld(mx, my, &spalte, &reihe);
        return reihe;
    }
    return -1;
}

void Karte_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t flag) {
    const int32_t p = icon->d;
    if (!Gueltig(p)) return;
    Rastport* ziel = Rastport_Target();
    const bool an = Zustand(icon->nummer) || flag == 1;
    Bild(an ? 24078 : 24077, x, y);
    if (!Spieler_Verfuegbar(p))
        if (Rastport* s = Menue_Get_Slave_Rastport(24040, nullptr)) Blit_Alpha(s, 0, 0, KARTE_B, KARTE_H, ziel, x, y, 35);
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    Bild(Spielerliste_Positions_Bild(art), x + 3, y + 2);
    // The number on the shirt as in the lists, so the name has the rest of the line.
    Spieler_Zeile_Hemdnummer(x, y + 14, 10, Spieler_Nummer(g_nummern, p));   // on the shirt at x + 3, 14 wide
    if (Font* f9 = Font_Get(9)) {
        char name[64];
        Str_Auf_Breite(Spieler_String(SPS_NACHNAME, p, 0, 0), name, sizeof name, f9, KARTE_NAME_B);
        Text_Printf(ziel, f9, "^c%05d%s", x + KARTE_NAME_X, y + 13, WEISS, name);
    }
    int32_t reihe = Vorschau_Reihe(icon);
    if (reihe < 0) reihe = Reihe_Von(p);
    Kleine_Sterne(p, x + 3, y + 22, E2_Screen_Positions_Abzug(p, reihe));
    // The badges side by side from the card's right edge, clear of the five stars.
    int32_t talente[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(p, talente, 3, 0);
    for (int32_t i = 0; i < n; ++i) Bild(TALENT_BILD_ERSTER[TALENT_16] + talente[i], x + KARTE_B - 3 - (KARTE_ABZEICHEN + 1) * (n - i), y + 16);
}

void Feld_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(14))
        Text_Printf(Rastport_Target(), f, "^c%05d^tl0152%s", 0, 108, g.gegner ? GEGNER_FARBE : WEISS,
                    g.club >= 0 ? Team_String(TS_NAME_KURZ, g.club, 0, 0) : "");
}

void Knopf_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    int32_t text = T_LISTE;
    if (icon->nummer == ICON_E2_GEGNER) text = g.gegner ? T_EIGENES : T_GEGNER;
    if (icon->nummer == ICON_E2_ZURUECKSETZEN) text = T_ZURUECK;
    if (Font* f = Font_Get(6))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0075%s", x, y + 22, (icon->Status & ICON_ST_GESPERRT) ? GRAU : WEISS, T(text));
}

const char* Hilfe(s_icon* icon) {
    if (Ist_Karte(icon)) {
        int32_t mx = 0, my = 0;
        Menue_Maus_Position(&mx, &my);
        return Einsetzen_Info_Karte(icon->d, icon->x, icon->y, mx, my, !g.gegner);
    }
    if ((icon->nummer >= ICON_E2_FORMATION && icon->nummer < ICON_E2_FORMATION + E2_FORMATIONEN) || icon->nummer >= ICON_E2_MINI)
        return Text_Get(TEXTE, g.gegner ? T_WAHL_GEGNER : T_WAHL);
    return nullptr;
}

void Icons_Bauen() {
    g.feld = Menue_Icon_Neu(ICON_E2_FELD, 3, 86, AUFSTELLUNG_PLATZ_GROSS, ICON_TYP_LEISE, 1);
    g.feld.Main_P = Feld_Klick;
    g.feld.zeichnen = Feld_Zeichnen;
    g.feld.gruppe = ABLAGE;
    for (int32_t f = 0; f < E2_FORMATIONEN; ++f) {
        s_icon& t = g.formation[size_t(f)];
        t = Menue_Icon_Neu(ICON_E2_FORMATION + f, 22, FORMATION_Y[f], 24093, 0, 2);
        t.bild_an = 24095;
        t.Status = ICON_ST_KEY | ICON_ST_TOGGLE;
        t.Main_P = Formation_Klick;
        t.hilfe_proc = Hilfe;
    }
    g.karte_move = s_icon_move{};
    g.karte_move.flags = 0x2;
    g.karte_move.proc = Karte_Ablegen;
    for (int32_t k = 0; k < SLOT_STARTELF; ++k) {
        s_icon& c = g.karte[size_t(k)];
        c = Menue_Icon_Neu(ICON_E2_KARTE + k, 0, 0, -1, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE | ICON_TYP_BEWEGLICH, 3);
        c.br = KARTE_B;
        c.ho = KARTE_H;
        c.Status = ICON_ST_KEY;
        c.Main_P = Karte_Klick;
        c.zeichnen = Karte_Zeichnen;
        c.move = &g.karte_move;
        c.gruppe = ABLAGE;
        c.hilfe_proc = Hilfe;
        c.d = -1;
    }
    for (int32_t i = 0; i < SLOT_STARTELF * E2_FORMATIONEN; ++i) {
        s_icon& m = g.mini[size_t(i)];
        m = Menue_Icon_Neu(ICON_E2_MINI + i, 0, 0, 24098, 0, 3);
        m.Status = ICON_ST_KEY | ICON_ST_VERSTECKT;
        m.Main_P = Formation_Klick;
        m.hilfe_proc = Hilfe;
        m.d = i / SLOT_STARTELF;
    }
    const int32_t nummer[3] = {ICON_E2_LISTE, ICON_E2_GEGNER, ICON_E2_ZURUECKSETZEN};
    for (int32_t k = 0; k < 3; ++k) {
        s_icon& b = g.knopf[size_t(k)];
        b = Menue_Icon_Neu(nummer[k], KNOPF_X[k], 518, AUFSTELLUNG_KNOPF, 0, 3);
        b.bild_an = AUFSTELLUNG_KNOPF_AN;
        b.Status = ICON_ST_KEY | (k == 1 ? ICON_ST_TOGGLE : 0);
        b.Main_P = Knopf_Klick;
        b.zeichnen = Knopf_Zeichnen;
    }
}

void E2_Aufbauen() {
    const int32_t gegner = Gegner();
    g.gegner = gegner >= 0 && (Zustand(ICON_E1_GEGNER) || Zustand(ICON_E2_GEGNER));
    g.club = g.gegner ? gegner : Eigen();
    if (g.gegner) {
        Zustand_Setzen(ICON_E1_GEGNER, 1);
        Zustand_Setzen(ICON_E2_GEGNER, 1);
        if (!Club_Ist_Client() || Club_Client_Team() == gegner) Check_Und_Set_Aa(gegner);
    } else {
        Zustand_Setzen(ICON_E1_GEGNER, 0);
        Zustand_Setzen(ICON_E2_GEGNER, 0);
        if (g.club >= 0) Check_Und_Set_Aa(g.club);
    }
    E2_Screen_Fuellen();
}

}  // namespace

void E2_Screen_Pixel_Zu_Feld(int32_t x, int32_t y, int32_t* spalte, int32_t* reihe) {
    x = std::clamp(x, 150, 776);
    y = std::clamp(y, 119, 501);
    int32_t s = std::clamp((x - 149) / ZELLE_B, 0, FORMATION_SPALTEN - 1);
    int32_t r = std::clamp((503 - y) / ZELLE_H, 0, FORMATION_REIHEN - 1);
    if (r == 0 && s != FORMATION_TW_SPALTE) r = 1;
    if (spalte) *spalte = s;
    if (reihe) *reihe = r;
}

bool E2_Screen_Maus_Im_Feld(int32_t x, int32_t y) { return x >= 149 && x <= 777 && y >= 119 && y <= 467; }

int32_t E2_Screen_Positions_Abzug(int32_t spieler, int32_t reihe) {
    if (!Gueltig(spieler) || reihe < 0 || reihe >= FORMATION_REIHEN) return 0;
    const int32_t klasse = Klasse(reihe), art = Spieler_Get_Art(spieler);
    const int32_t staerke = std::max(Spieler_Sterne(spieler), 0);
    if (art == klasse) return 0;
    if (!Spieler_Verfuegbar(spieler)) return staerke;
    if (art > 0 && klasse > 0) return 2 * std::abs(klasse - art);
    return staerke * 80 / 100;
}

int32_t E2_Formation_Gezeigt(int32_t club) {
    const int32_t index = club >= 0 ? Team_Wert(TW_FORMATION_BYTE, club, 0, OP_LESEN) & FORMATION_BYTE_INDEX : 0;
    return index < E2_FORMATIONEN ? index : 0;
}

void E2_Screen_Oeffnen() {
    const bool offen = E2_Screen_Offen();
    if (!offen) {
        Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
        Icons_Bauen();
    }
    E2_Aufbauen();
    if (offen) return;
    Menue_Screen_Icon_Hinzufuegen(&g.feld);
    for (s_icon& i : g.formation) Menue_Screen_Icon_Hinzufuegen(&i);
    for (s_icon& i : g.mini) Menue_Screen_Icon_Hinzufuegen(&i);
    for (s_icon& i : g.karte) Menue_Screen_Icon_Hinzufuegen(&i);
    for (s_icon& i : g.knopf) Menue_Screen_Icon_Hinzufuegen(&i);
}

bool E2_Screen_Offen() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_E2_FORMATION) &&
           Menue_Screen_Icon_Aus_Nummer(ICON_E2_FORMATION) == &g.formation[0];
}

void E2_Screen_Aktualisieren() {
    if (E2_Screen_Offen()) E2_Aufbauen();
}

E2Stand E2_Screen_Stand() {
    E2Stand s;
    s.club = g.club;
    s.gegner = g.gegner;
    s.karten = g.karten;
    for (int32_t k = 0; k < SLOT_STARTELF; ++k) s.spieler[k] = g.karte[size_t(k)].d;
    return s;
}

}  // namespace velmora
