// screens/einsetzen1.cpp - the line-up list screen.
#include "screens/einsetzen1.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "business/spielerliste.h"
#include "club/aufstellung.h"
#include "club/club_hooks.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/text.h"
#include "gfx/bildnr_aufstellung.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "screens/einsetzen1_zeichnen.h"
#include "screens/einsetzen_info.h"
#include "screens/menue_panel.h"
#include "screens/spielerinfo.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "EINSETZEN_1_SCREEN";
constexpr int32_t WEISS = 65535, GRAU = 44373, GOLD = 54923;
constexpr int32_t T_STARTELF = 0, T_KOPF = 3, T_ZWEITE = 11, T_ASSI = 12, T_EIGENES = 13, T_GEGNER = 14;
constexpr int32_t KOPF_X[8] = {210, 240, 285, 420, 500, 565, 655, 725};
constexpr int32_t GRUPPE_Y[3] = {131, 339, 462};
constexpr int32_t KNOPF_Y[3] = {386, 431, 476};
constexpr int32_t TALENT_X0 = 549, TALENT_X1 = 630;   // the talent column opens the talent list
constexpr uint8_t ABLAGE = 0x1;                        // rows, markers and the pitch take drops

struct E1Modul {
    s_icon fenster, platz;
    std::array<s_icon, E1_ZEILEN> zeile;
    std::array<s_icon, E1_MARKER> marker;
    std::array<s_icon, 3> knopf;
    s_icon_move zeile_move, marker_move;
    int32_t club = -1;
    bool gegner = false;
    int32_t zeilen = 0;
    int32_t vorschau[E1_MARKER] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    bool vorschau_an = false;
    bool blinken = false, blink_laeuft = false;
    uint32_t blink_start = 0;
    int32_t gegner_gesehen = -2;   // the opponent the switch last saw
};
E1Modul g;

int32_t Eigen() { return Menue_Lokal().team; }
int32_t Gegner() { return Menue_Lokal().gegner; }
const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }
int32_t Slot(int32_t s) { return Spieler_Wert(SPW_SLOT, s, 0, OP_LESEN); }
bool Starter(int32_t s) { return Gueltig(s) && Slot(s) >= 0 && Slot(s) < SLOT_STARTELF; }

int32_t Zustand(int32_t icon) { return Eigen() >= 0 ? Manager_Icon_Button_Lesen(Eigen(), icon) : 0; }
void Zustand_Setzen(int32_t icon, int32_t wert) {
    if (Eigen() >= 0) Manager_Icon_Button_An_Aus(Eigen(), icon, wert);
}

bool Ist_Zeile(const s_icon* i) { return i && i->nummer >= ICON_E1_ZEILE && i->nummer < ICON_E1_ZEILE + E1_ZEILEN; }
bool Ist_Marker(const s_icon* i) { return i && i->nummer >= ICON_E1_MARKER && i->nummer < ICON_E1_MARKER + E1_MARKER; }
bool Unser(const s_icon* i) {
    return (Ist_Zeile(i) && i == &g.zeile[size_t(i->nummer - ICON_E1_ZEILE)]) ||
           (Ist_Marker(i) && i == &g.marker[size_t(i->nummer - ICON_E1_MARKER)]);
}

void Maus(int32_t* x, int32_t* y) { Menue_Maus_Position(x, y); }

int32_t Reihe_Von(int32_t s) {
    int32_t c = 0, r = 0;
    E1_Spieler_Zelle(s, &c, &r);
    return r;
}

// Every row and marker off, every partner highlight cleared.
void Auswahl_Loeschen() {
    for (s_icon& z : g.zeile) {
        Zustand_Setzen(z.nummer, 0);
        z.partner = -1;
    }
    for (s_icon& m : g.marker) {
        Zustand_Setzen(m.nummer, 0);
        m.partner = -1;
    }
}

void Blinken_Starten() {
    g.blinken = true;
    g.blink_laeuft = false;
}

// After a swap or a move the lit rows and markers go off once 300 ms passed;
// without a pending blink the selections go with every rebuild.
void Screen_Blink_Timer() {
    if (!g.blinken) {
        Auswahl_Loeschen();
        return;
    }
    const uint32_t jetzt = Menue_Get_Zeit();
    if (!g.blink_laeuft) {
        g.blink_laeuft = true;
        g.blink_start = jetzt;
        return;
    }
    if (jetzt - g.blink_start < E1_BLINK_MS) return;
    g.blinken = g.blink_laeuft = false;
    Auswahl_Loeschen();
}

// Bit 128 of the formation byte: the assistant sets the line-up.
void Assi_Bit_Setzen(int32_t club) {
    Team_Wert(TW_FORMATION_BYTE, club, int8_t(uint8_t(Team_Formation_Index(club) | FORMATION_BYTE_ASSI)), OP_SCHREIBEN);
}

void Ablehnen() {
    Message_An_Manager(1, Eigen(), "%s", T(E1_TEXT_ABGELEHNT));
}

// -- Filling ------------------------------------------------------------------

void Marker_Setzen() {
    for (int32_t i = 0; i < E1_MARKER; ++i) {
        s_icon& m = g.marker[size_t(i)];
        const int32_t p = i < g.zeilen ? g.zeile[size_t(i)].d : -1;
        if (!Starter(p)) {
            m.Status |= ICON_ST_VERSTECKT;
            continue;
        }
        m.Status &= ~ICON_ST_VERSTECKT;
        m.d = p;
        m.d2 = g.club;
        int32_t x = 0, y = 0, spalte = 0, reihe = 0;
        E1_Spieler_Zelle(p, &spalte, &reihe);
        E1_Marker_Position(spalte, reihe, g.gegner, &x, &y);
        m.x = int16_t(x);
        m.y = int16_t(y);
        m.bild = E1_Marker_Bild(p, false);
    }
}

void E1_Screen_Liste_Fuellen(int32_t club) {
    E1_Nummern_Vergessen();
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = club >= 0 ? std::clamp(Teamspieler_Ins_Array(club, spieler, E1_ZEILEN, 0), 0, E1_ZEILEN) : 0;
    if (!g.gegner) {
        std::stable_sort(spieler, spieler + n, [](int32_t a, int32_t b) { return Slot(a) < Slot(b); });
        // An unavailable player keeps his slot but is neither starter nor substitute.
        if (!Club_Ist_Client() || Club_Client_Team() == club)
            for (int32_t i = 0; i < n; ++i)
                if (!Spieler_Verfuegbar(spieler[i]) && (Spieler_Status(spieler[i]) & (SP_STATUS_START | SP_STATUS_BANK)))
                    Spieler_Wert(SPW_STATUS, spieler[i], int32_t(SP_STATUS_START | SP_STATUS_BANK), OP_LOESCHEN);
        Zustand_Setzen(ICON_E1_ASSI, Team_Formation_Assi(club) ? 1 : 0);
    } else {
        // The opponent's eleven in reverse slot order (his goalkeeper first), then bench and reserve.
        auto schluessel = [](int32_t s) {
            const int32_t slot = Slot(s);
            return slot + (slot < SLOT_STARTELF ? 10000 : slot < SLOT_BANK_ENDE ? 1000 : 100);
        };
        std::stable_sort(spieler, spieler + n, [&](int32_t a, int32_t b) { return schluessel(a) > schluessel(b); });
    }
    g.zeilen = n;
    for (int32_t i = 0; i < E1_ZEILEN; ++i) {
        s_icon& z = g.zeile[size_t(i)];
        z.d = i < n ? spieler[i] : -1;
        z.d2 = club;
        if (i < n) z.Status &= ~ICON_ST_VERSTECKT;
        else z.Status |= ICON_ST_VERSTECKT;
    }
    Marker_Setzen();
    Set_Preview_Array(-1);
}

void Ziehbar(bool ja) {
    for (s_icon& z : g.zeile) z.typ = ja ? z.typ | ICON_TYP_BEWEGLICH : z.typ & ~ICON_TYP_BEWEGLICH;
    for (s_icon& m : g.marker) m.typ = ja ? m.typ | ICON_TYP_BEWEGLICH : m.typ & ~ICON_TYP_BEWEGLICH;
}

void Sperren(s_icon& i, bool ja) { i.Status = ja ? i.Status | ICON_ST_GESPERRT : i.Status & ~ICON_ST_GESPERRT; }

bool Client_Darf(int32_t club) { return !Club_Ist_Client() || Club_Client_Team() == club; }

// -- Drags --------------------------------------------------------------------

// The player of a row or marker, -1 for any other icon.
int32_t Spieler_Von(const s_icon* i) { return Unser(i) && !(i->Status & ICON_ST_VERSTECKT) ? i->d : -1; }

// The first lit row's player (else the first lit marker's), -1 none.
int32_t Gewaehlt() {
    for (const s_icon& z : g.zeile)
        if (!(z.Status & ICON_ST_VERSTECKT) && Zustand(z.nummer)) return z.d;
    for (const s_icon& m : g.marker)
        if (!(m.Status & ICON_ST_VERSTECKT) && Zustand(m.nummer)) return m.d;
    return -1;
}

s_icon* Zeile_Von(int32_t spieler) {
    for (s_icon& z : g.zeile)
        if (z.d == spieler && !(z.Status & ICON_ST_VERSTECKT)) return &z;
    return nullptr;
}
s_icon* Marker_Von(int32_t spieler) {
    for (s_icon& m : g.marker)
        if (m.d == spieler && !(m.Status & ICON_ST_VERSTECKT)) return &m;
    return nullptr;
}

void Icon_An(s_icon* i) {
    if (i) Zustand_Setzen(i->nummer, 1);
}

// The rows of both players (and their markers) lit after a swap.
void Beide_An(int32_t a, int32_t b) {
    for (int32_t p : {a, b}) {
        Icon_An(Zeile_Von(p));
        Icon_An(Marker_Von(p));
    }
}

bool Tauschen(int32_t a, int32_t b) {
    const int32_t club = Eigen();
    if (!Spieler_Tauschen_Intern(a, b, club, club)) return false;
    Team_Formation_Flag_Loeschen(club);
    Team_Aufstellung_Senden(club);
    Blinken_Starten();
    return true;
}

bool Bewegen(int32_t spieler) {
    int32_t mx = 0, my = 0, spalte = 0, reihe = 0;
    Maus(&mx, &my);
    if (!E1_Screen_Pixel_Zu_Feld(mx, my, &spalte, &reihe)) return false;
    if (!Spieler_Setze_Formationsposition(spieler, spalte, reihe)) return false;
    Team_Formation_Flag_Loeschen(Eigen());
    Team_Aufstellung_Senden(Eigen());
    Blinken_Starten();
    return true;
}

void Neu_Fuellen() {
    E1_Screen_Liste_Fuellen(g.club);
    Zustand_Setzen(ICON_E1_ASSI, Team_Formation_Assi(Eigen()) ? 1 : 0);
}

void Marker_Ablegen(s_icon* bewegt, s_icon* ziel, int32_t, int32_t, int32_t ereignis) {
    const int32_t d = bewegt ? bewegt->d : -1;
    if (ereignis & EV_BEWEGT) {
        Set_Preview_Array(Menue_Get_Aktuelles_Icon() && (Menue_Get_Aktuelles_Icon()->nummer == ICON_E1_PLATZ ||
                                                         Ist_Marker(Menue_Get_Aktuelles_Icon()))
                              ? d
                              : -1);
        return;
    }
    if (!(ereignis & EV_ABGELEGT) || g.gegner || !Gueltig(d)) return;
    const int32_t q = Spieler_Von(ziel);
    if (q >= 0 && q != d) {
        if (Tauschen(d, q)) {
            Neu_Fuellen();
            Beide_An(d, q);
        }
    } else if (ziel && ziel->nummer == ICON_E1_PLATZ) {
        if (Bewegen(d)) {
            Neu_Fuellen();
            Icon_An(Zeile_Von(d));
        }
    }
    Set_Preview_Array(-1);
    Marker_Setzen();
}

void Zeile_Ablegen(s_icon* bewegt, s_icon* ziel, int32_t, int32_t, int32_t ereignis) {
    const int32_t d = bewegt ? bewegt->d : -1;
    if (ereignis & EV_BEWEGT) {
        const s_icon* h = Menue_Get_Aktuelles_Icon();
        Set_Preview_Array(h && (h->nummer == ICON_E1_PLATZ || Ist_Marker(h)) ? d : -1);
        return;
    }
    if (!(ereignis & EV_ABGELEGT) || g.gegner || !Gueltig(d)) return;
    const int32_t q = Spieler_Von(ziel);
    if (ziel == bewegt) {
        Zustand_Setzen(bewegt->nummer, 0);
    } else if (q >= 0 && q != d) {
        if (Tauschen(d, q)) {
            Neu_Fuellen();
            Beide_An(d, q);
        }
    } else if (ziel && ziel->nummer == ICON_E1_PLATZ) {
        if (!Spieler_Verfuegbar(d)) {
            Ablehnen();
        } else {
            // A player from the bench takes the place of the first starter who cannot play.
            if (!Starter(d))
                for (const s_icon& z : g.zeile)
                    if (Starter(z.d) && !Spieler_Verfuegbar(z.d)) {
                        Tauschen(d, z.d);
                        break;
                    }
            Bewegen(d);
            Neu_Fuellen();
            Icon_An(Zeile_Von(d));
        }
    }
    for (s_icon& z : g.zeile) z.partner = -1;
    for (s_icon& m : g.marker) m.partner = -1;
    Set_Preview_Array(-1);
}

// -- Clicks -------------------------------------------------------------------

void Karte_Oeffnen(int32_t spieler) {
    if (!Screen_Zurueck()) Spielerinfo_Oeffnen(spieler, g.club, g.gegner ? KARTE_ANDERER : KARTE_EIGENER);
    Screen_Blink_Timer();
}

// A click swap: refused (text 48, nothing changed) for two unavailable
// players, two starters, or an unavailable substitute against a starter.
void Klick_Tausch(int32_t a, int32_t b) {
    const bool da_a = Spieler_Verfuegbar(a), da_b = Spieler_Verfuegbar(b), st_a = Starter(a), st_b = Starter(b);
    const bool nein = (!da_a && !da_b) || (st_a && st_b) || (!da_a && !st_a && st_b) || (!da_b && !st_b && st_a);
    if (nein) {
        Ablehnen();
        Auswahl_Loeschen();
        Neu_Fuellen();
        return;
    }
    if (!Tauschen(a, b)) Auswahl_Loeschen();
    Neu_Fuellen();
    if (g.blinken) Beide_An(a, b);
}

// Hover on a row lights its marker and the other way round.
void Partner(s_icon* icon, int32_t ereignis) {
    s_icon* p = nullptr;
    if (Ist_Zeile(icon) && icon->nummer - ICON_E1_ZEILE < E1_MARKER) p = &g.marker[size_t(icon->nummer - ICON_E1_ZEILE)];
    if (Ist_Marker(icon)) p = &g.zeile[size_t(icon->nummer - ICON_E1_MARKER)];
    if (p) p->partner = ereignis == EV_BETRETEN ? icon->nummer : -1;
}

// What rows and markers share: hover lights the partner, a right click opens
// the card. True when the event is handled (or not a left click).
bool Vorab(s_icon* icon, int32_t ereignis) {
    if (ereignis == EV_BETRETEN || ereignis == EV_VERLASSEN || ereignis == EV_VERLASSEN_KONTEXT) {
        Partner(icon, ereignis == EV_BETRETEN ? EV_BETRETEN : EV_VERLASSEN);
        return true;
    }
    if (!Gueltig(icon->d)) return true;
    if (ereignis & EV_RECHTS) {
        Karte_Oeffnen(icon->d);
        return true;
    }
    return !(ereignis & EV_LINKS);
}

void Zeile_Klick(s_icon* icon, int32_t ereignis) {
    const int32_t p = icon->d;
    if (Vorab(icon, ereignis)) return;
    int32_t mx = 0, my = 0;
    Maus(&mx, &my);
    const SpielerlisteKlick liste = Spielerliste_Zeilen_Klick(p, g.club, mx, my, TALENT_X0, TALENT_X1, true);
    if (liste == SpielerlisteKlick::OEFFNET) Zustand_Setzen(icon->nummer, 0);
    if (liste != SpielerlisteKlick::NICHT) return;
    if (g.gegner) return;
    const int32_t gewaehlt = Gewaehlt();
    const int32_t index = icon->nummer - ICON_E1_ZEILE;
    s_icon* marker = index < E1_MARKER ? &g.marker[size_t(index)] : nullptr;
    if (gewaehlt < 0 || gewaehlt == p) {
        const int32_t neu = gewaehlt < 0 ? 1 : 0;
        Zustand_Setzen(icon->nummer, neu);
        if (marker && (neu == 0 || (Spieler_Verfuegbar(p) && Starter(p)))) Zustand_Setzen(marker->nummer, neu);
        return;
    }
    Klick_Tausch(gewaehlt, p);
}

void Marker_Klick(s_icon* icon, int32_t ereignis) {
    const int32_t p = icon->d;
    if (Vorab(icon, ereignis) || g.gegner) return;
    const int32_t gewaehlt = Gewaehlt();
    s_icon& zeile = g.zeile[size_t(icon->nummer - ICON_E1_MARKER)];
    if (gewaehlt < 0 || gewaehlt == p) {
        const int32_t neu = gewaehlt < 0 ? 1 : 0;
        Zustand_Setzen(icon->nummer, neu);
        Zustand_Setzen(zeile.nummer, neu);
        return;
    }
    Klick_Tausch(gewaehlt, p);
    for (s_icon& z : g.zeile) z.partner = -1;
}

void Platz_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || g.gegner) return;
    const int32_t p = Gewaehlt();
    if (p < 0) return;
    if (!Spieler_Verfuegbar(p)) Ablehnen();
    else Bewegen(p);
    g.blinken = false;
    Auswahl_Loeschen();
    Neu_Fuellen();
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    const int32_t eigen = Eigen();
    switch (icon->nummer) {
    case ICON_E1_ZWEITE:
        if (s_icon* team = Menue_Screen_Icon_Aus_Nummer(702)) Menue_Panel_Team_Icon_Prozedur(team, EV_LINKS | 0x200);
        return;
    case ICON_E1_ASSI: {
        if (g.gegner) return;
        const bool an = !Zustand(ICON_E1_ASSI);
        Team_Formation_Flag_Loeschen(eigen);
        if (an) {
            Assi_Bit_Setzen(eigen);
            if (!Team_Hat_Manager(eigen) || Team_Formation_Assi(eigen)) Team_Auto_Aufstellung(eigen);
        }
        Team_Aufstellung_Senden(eigen);
        Auswahl_Loeschen();
        Neu_Fuellen();
        return;
    }
    case ICON_E1_GEGNER: {
        if (Gegner() < 0) return;
        const int32_t neu = Zustand(ICON_E1_GEGNER) ? 0 : 1;
        Zustand_Setzen(ICON_E1_GEGNER, neu);
        Zustand_Setzen(ICON_E2_GEGNER, neu);
        const int32_t gegner = Gegner();
        // The opponent's line-up as his assistant would set it, where his data may be written.
        if (neu && Client_Darf(gegner) && !(Team_Hat_Manager(gegner) && !Team_Formation_Assi(gegner)))
            Team_Auto_Aufstellung(gegner);
        g.blinken = false;
        E1_Screen_Aufbauen();
        return;
    }
    default: return;
    }
}

// -- Drawing ------------------------------------------------------------------

// The deduction and player a starter row shows while something is dragged or
// held over another row: the player who would stand in the row's slot and the
// row of the cell he would take. False when the row shows its own.
bool Vorschau_Fuer(const s_icon* zeile, int32_t* spieler, int32_t* reihe) {
    const s_icon* bewegt = Menue_Get_Maus_Ereignis();
    const s_icon* ueber = Menue_Get_Aktuelles_Icon();
    if (!Unser(bewegt) || g.gegner) return false;
    const int32_t d = bewegt->d, p = zeile->d;
    const int32_t index = zeile->nummer - ICON_E1_ZEILE;
    if (ueber && ueber->nummer == ICON_E1_PLATZ && g.vorschau_an && index < E1_MARKER) {
        const int32_t v = g.vorschau[index];
        if (v < 0) return false;
        *spieler = v;
        int32_t mx = 0, my = 0, spalte = 0, r = 0;
        Maus(&mx, &my);
        *reihe = v == d && E1_Screen_Pixel_Zu_Feld(mx, my, &spalte, &r) ? r : Reihe_Von(v);
        return true;
    }
    const int32_t q = Spieler_Von(ueber);
    if (q < 0 || q == d || (p != d && p != q)) return false;
    const int32_t anderer = p == d ? q : d;
    if (Starter(anderer) && Starter(p)) {
        *spieler = p;
        *reihe = Reihe_Von(anderer);
    } else {
        *spieler = anderer;
        *reihe = Reihe_Von(p);
    }
    return true;
}

bool Gezogen_Ueber(const s_icon* i) {
    const s_icon* bewegt = Menue_Get_Maus_Ereignis();
    return Unser(bewegt) && (Menue_Get_Aktuelles_Icon() == i || bewegt == i);
}

void Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t flag) {
    int32_t spieler = icon->d;
    if (!Gueltig(spieler)) return;
    const int32_t index = icon->nummer - ICON_E1_ZEILE;
    int32_t abzug = -1;
    const bool starter_zeile = index < E1_MARKER && Starter(spieler);
    if (starter_zeile) abzug = E1_Screen_Positions_Abzug(spieler, Reihe_Von(spieler));
    int32_t v = -1, reihe = -1;
    if (flag == 0 && index < E1_MARKER && Vorschau_Fuer(icon, &v, &reihe)) {
        spieler = v;
        abzug = E1_Screen_Positions_Abzug(v, reihe);
    }
    const bool hell = Zustand(icon->nummer) || icon->partner >= 0 || Menue_Get_Aktuelles_Icon() == icon || flag == 1 ||
                      (flag == 0 && Gezogen_Ueber(icon));
    E1_Zeile_Zeichnen(spieler, x, y, abzug, hell);
}

void Marker_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t flag) {
    if (icon->Status & ICON_ST_VERSTECKT && flag == 0) return;
    int32_t spieler = icon->d;
    const s_icon* bewegt = Menue_Get_Maus_Ereignis();
    if (flag == 0 && Unser(bewegt) && bewegt != icon && Menue_Get_Aktuelles_Icon() == icon && Starter(bewegt->d))
        spieler = bewegt->d;
    const bool hell = flag == 1 || Zustand(icon->nummer) || icon->partner >= 0 || Gezogen_Ueber(icon);
    E1_Marker_Zeichnen(spieler, x, y, hell);
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    if (g.blinken) Screen_Blink_Timer();
    E1_Titel_Zeichnen(g.club, g.gegner);
    Rastport* ziel = Rastport_Target();
    if (Font* f9 = Font_Get(9))
        for (int32_t k = 0; k < 8; ++k) Text_Printf(ziel, f9, "^c%05d%s", KOPF_X[k], 107, GOLD, T(T_KOPF + k));
    if (Font* f = Font_Get(6))
        for (int32_t k = 0; k < 3; ++k) Text_Printf(ziel, f, "^c%05d%s", 210, GRUPPE_Y[k], WEISS, T(T_STARTELF + k));
}

void Knopf_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    // The opponent switch follows the day: an opponent coming or going rebuilds the screen.
    if (icon->nummer == ICON_E1_GEGNER && Gegner() != g.gegner_gesehen) {
        g.gegner_gesehen = Gegner();
        E1_Screen_Aufbauen();
    }
    int32_t text = T_ZWEITE;
    if (icon->nummer == ICON_E1_ASSI) text = T_ASSI;
    if (icon->nummer == ICON_E1_GEGNER) text = g.gegner ? T_EIGENES : T_GEGNER;
    const bool aus = icon->Status & ICON_ST_GESPERRT;
    if (Font* f = Font_Get(6))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0075%s", x, y + 22, aus ? GRAU : WEISS, T(text));
}

const char* Hilfe(s_icon* icon) {
    int32_t mx = 0, my = 0;
    Maus(&mx, &my);
    if (icon->nummer == ICON_E1_FENSTER) return Einsetzen_Info_Fenster(mx, my);
    if (icon->nummer == ICON_E1_PLATZ) return Einsetzen_Info_Text(28);
    if (icon->nummer >= ICON_E1_ZWEITE && icon->nummer <= ICON_E1_GEGNER)
        return Einsetzen_Info_Text(34 + icon->nummer - ICON_E1_ZWEITE);
    if (Ist_Zeile(icon)) return Einsetzen_Info_Zeile(icon->d, mx, !g.gegner);
    if (Ist_Marker(icon)) return Einsetzen_Info_Marker(icon->d, !g.gegner);
    return nullptr;
}

// -- Building -----------------------------------------------------------------

void Icons_Bauen() {
    g.fenster = Menue_Icon_Neu(ICON_E1_FENSTER, 197, 86, AUFSTELLUNG_FENSTER, ICON_TYP_LEISE, 1);
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.platz = Menue_Icon_Neu(ICON_E1_PLATZ, 3, 85, AUFSTELLUNG_PLATZ, ICON_TYP_LEISE, 2);
    g.platz.Main_P = Platz_Klick;
    g.platz.gruppe = ABLAGE;
    g.zeile_move = s_icon_move{};
    // A dragged row travels as its player's shirt marker (the row stays in place).
    g.zeile_move.flags = 0x1 | 0x4;
    g.zeile_move.proc = Zeile_Ablegen;
    g.zeile_move.slave = 24054;
    g.zeile_move.zeichnen = [](s_icon* icon, int32_t x, int32_t y, int32_t) { E1_Marker_Zeichnen(icon->d, x, y, true); };
    g.marker_move = s_icon_move{};
    g.marker_move.flags = 0x2 | 0x4;
    g.marker_move.proc = Marker_Ablegen;
    for (int32_t i = 0; i < E1_ZEILEN; ++i) {
        s_icon& z = g.zeile[size_t(i)];
        z = Menue_Icon_Neu(ICON_E1_ZEILE + i, E1_ZEILE_X, E1_Zeile_Y(i), -1,
                           ICON_TYP_RECHTSKLICK | ICON_TYP_MAUS_INFO | ICON_TYP_LEISE | ICON_TYP_BEWEGLICH, 3);
        z.br = E1_ZEILE_B;
        z.ho = E1_ZEILE_H;
        z.Status = ICON_ST_KEY;
        z.Main_P = Zeile_Klick;
        z.zeichnen = Zeile_Zeichnen;
        z.move = &g.zeile_move;
        z.gruppe = ABLAGE;
        z.d = -1;
    }
    for (int32_t i = 0; i < E1_MARKER; ++i) {
        s_icon& m = g.marker[size_t(i)];
        m = Menue_Icon_Neu(ICON_E1_MARKER + i, 0, 0, 24054,
                           ICON_TYP_RECHTSKLICK | ICON_TYP_MAUS_INFO | ICON_TYP_LEISE | ICON_TYP_BEWEGLICH, 4);
        m.Status = ICON_ST_KEY | ICON_ST_OHNE_MASKE;
        m.Main_P = Marker_Klick;
        m.zeichnen = Marker_Zeichnen;
        m.move = &g.marker_move;
        m.gruppe = ABLAGE;
        m.d = -1;
    }
    for (int32_t k = 0; k < 3; ++k) {
        s_icon& b = g.knopf[size_t(k)];
        b = Menue_Icon_Neu(ICON_E1_ZWEITE + k, 28, KNOPF_Y[k], AUFSTELLUNG_KNOPF, 0, 3);
        b.bild_an = AUFSTELLUNG_KNOPF_AN;
        b.Status = ICON_ST_KEY | (k > 0 ? ICON_ST_TOGGLE : 0);
        b.Main_P = Knopf_Klick;
        b.zeichnen = Knopf_Zeichnen;
    }
    for (s_icon* i : {&g.fenster, &g.platz}) i->hilfe_proc = Hilfe;
    for (s_icon& i : g.zeile) i.hilfe_proc = Hilfe;
    for (s_icon& i : g.marker) i.hilfe_proc = Hilfe;
    for (s_icon& i : g.knopf) i.hilfe_proc = Hilfe;
}

void Icons_Hinzufuegen() {
    Menue_Screen_Icon_Hinzufuegen(&g.fenster);
    Menue_Screen_Icon_Hinzufuegen(&g.platz);
    for (s_icon& z : g.zeile) Menue_Screen_Icon_Hinzufuegen(&z);
    for (s_icon& m : g.marker) Menue_Screen_Icon_Hinzufuegen(&m);
    for (s_icon& b : g.knopf) Menue_Screen_Icon_Hinzufuegen(&b);
}

}  // namespace

void E1_Spieler_Zelle(int32_t spieler, int32_t* spalte, int32_t* reihe) {
    const Formation* f = Gueltig(spieler) ? Team_Aktuelle_Formation(Spieler_Get_Team(spieler)) : nullptr;
    if (f && Starter(spieler) && Formation_Zelle_Von_Slot(*f, Slot(spieler), spalte, reihe)) return;
    *spalte = Spieler_Wert(SPW_SPALTE, spieler, 0, OP_LESEN);
    *reihe = Spieler_Wert(SPW_REIHE, spieler, 0, OP_LESEN);
}

int32_t E1_Zeile_Y(int32_t i) {
    if (i < SLOT_STARTELF) return 136 + E1_ZEILE_H * i;
    if (i < SLOT_BANK_ENDE) return 344 + E1_ZEILE_H * (i - SLOT_STARTELF);
    return 467 + E1_ZEILE_H * (i - SLOT_BANK_ENDE);
}

bool E1_Screen_Pixel_Zu_Feld(int32_t x, int32_t y, int32_t* spalte, int32_t* reihe) {
    if (x < 10 || x > 183 || y < 91 || y > 363) return false;
    int32_t s = 0, r = 0;
    if (y >= 342) {
        if (x < 82 || x > 108) return false;
        s = FORMATION_TW_SPALTE;
        r = 0;
    } else {
        s = std::min(x / 25, FORMATION_SPALTEN - 1);
        r = std::clamp((365 - y) / 26, 0, FORMATION_REIHEN - 1);
        // Row 0 is the goalkeeper's, only in his column.
        if (r == 0 && s != FORMATION_TW_SPALTE) r = 1;
    }
    if (spalte) *spalte = s;
    if (reihe) *reihe = r;
    return true;
}

void E1_Marker_Position(int32_t spalte, int32_t reihe, bool gegner, int32_t* x, int32_t* y) {
    spalte = std::clamp(spalte, 0, FORMATION_SPALTEN - 1);
    reihe = std::clamp(reihe, 0, FORMATION_REIHEN - 1);
    *x = gegner ? 154 - 24 * spalte : 10 + 24 * spalte;
    *y = gegner ? 92 + 25 * reihe : 342 - 25 * reihe;
}

void Set_Preview_Array(int32_t spieler) {
    std::fill(std::begin(g.vorschau), std::end(g.vorschau), -1);
    g.vorschau_an = false;
    if (spieler < 0 || g.gegner) return;
    struct Eintrag {
        int32_t spieler, schluessel;
    };
    std::array<Eintrag, E1_MARKER> elf{};
    int32_t n = 0;
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t anzahl = std::clamp(Teamspieler_Ins_Array(Eigen(), liste, E1_ZEILEN, 0), 0, E1_ZEILEN);
    for (int32_t i = 0; i < anzahl; ++i) {
        if (!Starter(liste[i])) continue;
        if (n == E1_MARKER) {
            n = E1_MARKER + 1;
            break;
        }
        const int32_t p = liste[i];
        int32_t c = 0, r = 0;
        E1_Spieler_Zelle(p, &c, &r);
        elf[size_t(n++)] = {p, Formation_Schluessel(c, r)};
    }
    if (n != E1_MARKER) {
        Debug_Printf("E1_Screen Set_Preview_Array: spzahl!=MAX_SPIELER_EINGESETZT\n");
        return;
    }
    int32_t mx = 0, my = 0, spalte = 0, reihe = 0;
    Maus(&mx, &my);
    Eintrag* gezogen = nullptr;
    for (Eintrag& e : elf)
        if (e.spieler == spieler) gezogen = &e;
    if (!gezogen) return;
    const int32_t alt = gezogen->schluessel;
    const s_icon* ueber = Menue_Get_Aktuelles_Icon();
    if (Ist_Marker(ueber) && Unser(ueber)) {
        // Over a marker: the two swap cells.
        for (Eintrag& e : elf)
            if (e.spieler == ueber->d && &e != gezogen) {
                gezogen->schluessel = e.schluessel;
                e.schluessel = alt;
            }
    } else if (E1_Screen_Pixel_Zu_Feld(mx, my, &spalte, &reihe)) {
        gezogen->schluessel = Formation_Schluessel(spalte, reihe);
    }
    std::stable_sort(elf.begin(), elf.end(), [](const Eintrag& a, const Eintrag& b) { return a.schluessel > b.schluessel; });
    for (int32_t k = 0; k < E1_MARKER; ++k) g.vorschau[k] = elf[size_t(k)].spieler;
    g.vorschau_an = true;
}

void E1_Screen_Aufbauen() {
    const int32_t eigen = Eigen(), gegner = Gegner();
    g.gegner_gesehen = gegner;
    const bool zeigen = gegner >= 0 && (Zustand(ICON_E1_GEGNER) || Zustand(ICON_E2_GEGNER));
    g.gegner = zeigen;
    if (zeigen) {
        g.club = gegner;
        Zustand_Setzen(ICON_E1_GEGNER, 1);
        Sperren(g.knopf[1], true);
        Sperren(g.knopf[2], false);
        Ziehbar(false);
        if (!Team_Hat_Manager(gegner) && !Club_Ist_Client()) Check_Und_Set_Aa(gegner);
    } else {
        g.club = eigen;
        if (eigen >= 0) Check_Und_Set_Aa(eigen);
        Zustand_Setzen(ICON_E1_GEGNER, 0);
        Sperren(g.knopf[2], gegner < 0);
        Sperren(g.knopf[1], false);
        Ziehbar(true);
    }
    Screen_Blink_Timer();
    E1_Screen_Liste_Fuellen(g.club);
}

void E1_Screen_Oeffnen() {
    if (E1_Screen_Offen()) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Icons_Bauen();
    g.blinken = false;
    E1_Screen_Aufbauen();
    Icons_Hinzufuegen();
}

bool E1_Screen_Offen() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_E1_FENSTER) && Menue_Screen_Icon_Aus_Nummer(ICON_E1_FENSTER) == &g.fenster;
}

void Screen_Aufstellung_Pruefen() {
    if (!E1_Screen_Offen()) return;
    if (Gegner() >= 0 && !Club_Ist_Client()) Check_Und_Set_Aa(Gegner());
    if (Eigen() >= 0) Check_Und_Set_Aa(Eigen());
    E1_Screen_Aufbauen();
}

void Screen_Team_Neu(int32_t club) {
    if (club < 0) return;
    Team_Formation_Flag_Loeschen(club);
    Zustand_Setzen(ICON_E1_ASSI, 1);
    Team_Auto_Aufstellung(club);
    Assi_Bit_Setzen(club);
    Team_Aufstellung_Senden(club);
    if (E1_Screen_Offen()) E1_Screen_Liste_Fuellen(g.club);
}

E1Stand E1_Screen_Stand() {
    E1Stand s;
    s.offen = E1_Screen_Offen();
    s.club = g.club;
    s.gegner = g.gegner;
    s.zeilen = g.zeilen;
    for (int32_t i = 0; i < E1_ZEILEN; ++i) s.spieler[i] = i < g.zeilen ? g.zeile[size_t(i)].d : -1;
    std::copy(std::begin(g.vorschau), std::end(g.vorschau), s.vorschau);
    s.blinken = g.blinken;
    return s;
}

}  // namespace velmora
