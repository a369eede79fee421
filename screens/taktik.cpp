// screens/taktik.cpp - the tactics page.
#include "screens/taktik.h"

#include <algorithm>
#include <array>

#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "club/aufstellung.h"
#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/spieler_nummern.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "screens/einsetzen1_zeichnen.h"
#include "screens/einsetzen_info.h"
#include "screens/spielerinfo.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "TAKTIK_SCREEN";
constexpr int32_t WEISS = 65535, GOLD = 54923;
constexpr int32_t ART_FARBE[4] = {65535, 20051, 52743, 50055};
constexpr int32_t MORAL_FARBE[7] = {62017, 62595, 63334, 46947, 40770, 24384, 8160};
constexpr int32_t T_NAME_T5 = 44, T_HILFE = 17, T_MARKE_HILFE = 36;
constexpr int32_t T_AN[3] = {41, 42, 43}, T_AUS[3] = {8, 9, 11};   // labels of t0, t1, t3 on / off
constexpr int32_t KOPF_X[7] = {210, 240, 285, 420, 500, 565, 676};
constexpr int32_t MARKE_AUS[4] = {24183, 24184, 24182, 24185};
constexpr int32_t TALENT_X0 = 549, TALENT_X1 = 630;

// The three switches: tactic byte, first switch, its slide, pictures (off, on), slide pictures.
struct Schalter {
    int32_t byte, icon, schieber, x, y, bild_aus, bild_an, s_x, s_y, s_bild;
};
constexpr Schalter SCHALTER[3] = {{0, 2507, 2514, 10, 112, 24115, 24114, 12, 206, 24116},
                                  {1, 2508, 2515, 10, 271, 24120, 24119, 12, 365, 24121},
                                  {3, 2510, 2518, 240, 367, 24138, 24139, 242, 420, 24140}};
// The four steppers: tactic byte, display, its base picture, down and up with their pictures.
struct Stufen {
    int32_t byte, icon, x, y, bild, ab, ab_x, ab_y, ab_bild, auf, auf_x, auf_y, auf_bild;
};
constexpr Stufen STUFEN[4] = {{2, 2509, 10, 434, 24124, 2516, 12, 523, 24134, 2517, 34, 523, 24136},
                              {4, 2511, 240, 475, 24144, 2519, 242, 523, 24149, 2520, 264, 523, 24151},
                              {5, 2512, 530, 367, 24153, 2521, 532, 415, 24160, 2522, 554, 415, 24162},
                              {6, 2513, 530, 475, 24164, 2523, 532, 523, 24169, 2524, 554, 523, 24171}};

struct TaktikModul {
    s_icon fenster;
    std::array<s_icon, 3> schalter, schieber;
    std::array<s_icon, 4> anzeige, ab, auf;
    std::array<s_icon, TAKTIK_ZEILEN> zeile;
    std::array<s_icon, TAKTIK_ZEILEN * 4> marke;
    uint32_t letzter_schritt = 0;
    bool schritt_gueltig = false;
    std::string hilfe;
};
TaktikModul g;

int32_t Team() { return Menue_Lokal().team; }
const char* T(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }

// The rows' shirt numbers, read once per building of the rows (on a client they are the server's).
SpielerNummern g_nummern;

// The tactic bytes mirrored in the manager's icon words, each within its range.
int32_t Wort(int32_t byte) {
    return std::clamp(Manager_Icon_Word_Data_Lesen(Team(), ICON_TAKTIK_T0 + byte), 0, Taktik_Hoechstwert(byte));
}
void Wort_Setzen(int32_t byte, int32_t wert) {
    Manager_Icon_Word_Data_Schreiben(Team(), ICON_TAKTIK_T0 + byte, std::clamp(wert, 0, Taktik_Hoechstwert(byte)));
}
void Zustand_Setzen(int32_t icon, int32_t wert) { Manager_Icon_Button_An_Aus(Team(), icon, wert); }

// Every change writes all seven bytes back to the club.
void Zurueckschreiben() {
    int8_t t[TAKTIK_BYTES];
    for (int32_t i = 0; i < TAKTIK_BYTES; ++i) t[i] = int8_t(Wort(i));
    Team_Set_Aktuelle_Taktik(Team(), t);
}

void Bild(int32_t nummer, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(nummer, nullptr))
        Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x, y, BlitMode_Key);
}

void Anzeigen_Setzen() {
    for (int32_t k = 0; k < 4; ++k) g.anzeige[size_t(k)].bild = STUFEN[k].bild + Wort(STUFEN[k].byte);
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t an = Wort(SCHALTER[k].byte) ? 1 : 0;
        Zustand_Setzen(SCHALTER[k].icon, an);
        Zustand_Setzen(SCHALTER[k].schieber, an);
    }
    // The slide of t3 shows its lamp picture by the byte.
    g.schieber[2].bild_gedrueckt = Wort(3) ? 24142 : 24143;
}

// The rows: the starting eleven by slot, each off; the duty markers by status bit.
void Zeilen_Bauen() {
    Spieler_Nummern_Vergessen(g_nummern);
    const int32_t team = Team();
    Check_Und_Set_Aa(team);
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = std::clamp(Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0), 0, TEAM_SPIELER_MAX);
    std::stable_sort(spieler, spieler + n, [](int32_t a, int32_t b) {
        return Spieler_Wert(SPW_SLOT, a, 0, OP_LESEN) < Spieler_Wert(SPW_SLOT, b, 0, OP_LESEN);
    });
    for (int32_t r = 0; r < TAKTIK_ZEILEN; ++r) {
        s_icon& z = g.zeile[size_t(r)];
        // Rows beyond the starters stay hidden.
        const int32_t p = r < n && Spieler_Wert(SPW_SLOT, spieler[r], 0, OP_LESEN) < SLOT_STARTELF ? spieler[r] : -1;
        z.d = p;
        z.Status = p >= 0 ? z.Status & ~ICON_ST_VERSTECKT : z.Status | ICON_ST_VERSTECKT;
        Zustand_Setzen(z.nummer, 0);
        const uint32_t status = p >= 0 ? Spieler_Status(p) : 0;
        for (int32_t c = 0; c < 4; ++c) {
            s_icon& m = g.marke[size_t(4 * r + c)];
            m.d = p;
            m.Status = p >= 0 ? m.Status & ~ICON_ST_VERSTECKT : m.Status | ICON_ST_VERSTECKT;
            m.Status = Spieler_Verfuegbar(p) ? m.Status & ~ICON_ST_GESPERRT : m.Status | ICON_ST_GESPERRT;
            Zustand_Setzen(m.nummer, (status & TAKTIK_MARKE_BIT[c]) ? 1 : 0);
        }
    }
    Anzeigen_Setzen();
}

// -- Clicks -------------------------------------------------------------------

void Schalter_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    for (int32_t k = 0; k < 3; ++k) {
        const Schalter& s = SCHALTER[k];
        if (icon->nummer != s.icon && icon->nummer != s.schieber) continue;
        const int32_t neu = Wort(s.byte) ? 0 : 1;
        Wort_Setzen(s.byte, neu);
        Zurueckschreiben();
        Anzeigen_Setzen();
        // The man-marking slide lets the assistant pair the opponent's strongest
        // players with defenders (where the opponent's data may be written).
        const int32_t gegner = Menue_Lokal().gegner;
        if (icon->nummer == ICON_TAKTIK_SCHIEBER_T3 && gegner >= 0 && !Club_Ist_Client())
            Assi_Mannschaftsaufstellung(Team(), gegner, neu ? 0 : 100);
        return;
    }
}

void Stufe_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.schritt_gueltig && jetzt - g.letzter_schritt <= TAKTIK_SCHRITT_MS) return;
    for (const Stufen& s : STUFEN) {
        const bool ab = icon->nummer == s.ab;
        if (!ab && icon->nummer != s.auf && icon->nummer != s.icon) continue;
        g.schritt_gueltig = true;
        g.letzter_schritt = jetzt;
        Wort_Setzen(s.byte, Taktik_Schritt(s.byte, Wort(s.byte), !ab));
        Zurueckschreiben();
        Anzeigen_Setzen();
        return;
    }
}

void Zeile_Klick(s_icon* icon, int32_t ereignis) {
    const int32_t p = icon->d;
    if (!Gueltig(p)) return;
    const ZeilenKlick k = Spieler_Zeile_Klick(ereignis);
    if (k.art == ZeilenKlickArt::RECHTS) {
        if (!Screen_Zurueck()) Spielerinfo_Oeffnen(p, Team(), KARTE_EIGENER);
        Zustand_Setzen(icon->nummer, 0);
        return;
    }
    if (k.art != ZeilenKlickArt::LINKS) return;
    if (Spielerliste_Zeilen_Klick(p, Team(), k.x, k.y, TALENT_X0, TALENT_X1, false) == SpielerlisteKlick::OEFFNET) {
        Zustand_Setzen(icon->nummer, 0);
        return;
    }
    const bool war_an = Menue_Icon_Zustand(icon->nummer);
    for (const s_icon& z : g.zeile) Zustand_Setzen(z.nummer, 0);
    if (!war_an) Zustand_Setzen(icon->nummer, 1);
}

void Marke_Klick(s_icon* icon, int32_t ereignis) {
    const int32_t p = icon->d;
    if (!(ereignis & EV_LINKS) || !Spieler_Verfuegbar(p)) return;
    const int32_t spalte = (icon->nummer - ICON_TAKTIK_MARKE) % 4;
    const uint32_t bit = TAKTIK_MARKE_BIT[spalte];
    if (spalte < 3) {
        Spieler_Wert(SPW_STATUS, p, int32_t(bit), OP_TOGGLE);
        Zustand_Setzen(icon->nummer, (Spieler_Status(p) & bit) ? 1 : 0);
        return;
    }
    // The captain: one player of the club at most.
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = std::clamp(Teamspieler_Ins_Array(Team(), spieler, TEAM_SPIELER_MAX, 0), 0, TEAM_SPIELER_MAX);
    for (int32_t i = 0; i < n; ++i) Spieler_Wert(SPW_STATUS, spieler[i], int32_t(bit), OP_LOESCHEN);
    Spieler_Wert(SPW_STATUS, p, int32_t(bit), OP_SETZEN);
    for (int32_t r = 0; r < TAKTIK_ZEILEN; ++r) Zustand_Setzen(ICON_TAKTIK_MARKE + 4 * r + 3, 0);
    Zustand_Setzen(icon->nummer, 1);
}

// -- Drawing ------------------------------------------------------------------

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (Font* f9 = Font_Get(9)) {
        for (int32_t k = 0; k < 7; ++k) Text_Printf(ziel, f9, "^c%05d%s", KOPF_X[k], 107, GOLD, T(k));
        const int32_t t5 = Wort(5);
        Text_Printf(ziel, f9, "^c%05d^bb%s^be", 584, 430, MORAL_FARBE[6 - t5], T(T_NAME_T5 + t5));
    }
    if (Font* f6 = Font_Get(6)) {
        Text_Printf(ziel, f6, "^c%05d%s", 14, 102, WEISS, T(7));
        // The list's heading as on the line-up screen: the starting eleven and the club.
        Text_Printf(ziel, f6, "^c%05d%s", 210, 131, WEISS, Text_Oder_Leer("EINSETZEN_1_SCREEN", 0));
    }
    E1_Titel_Zeichnen(Team(), false);
}

// A switch or a display: its label in the top left.
void Etikett_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const int32_t byte = icon->nummer - ICON_TAKTIK_T0;
    int32_t text = 8 + byte;
    for (int32_t k = 0; k < 3; ++k)
        if (SCHALTER[k].icon == icon->nummer) text = Wort(SCHALTER[k].byte) ? T_AN[k] : T_AUS[k];
    if (Font* f = Font_Get(6)) Text_Printf(Rastport_Target(), f, "^c%05d%s", x + 10, y + 18, WEISS, T(text));
}

void Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const int32_t p = icon->d;
    if (!Gueltig(p)) return;
    Rastport* ziel = Rastport_Target();
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    const bool ueber = my >= y && my < y + 16 && mx >= x && mx < x + 579;
    if (ueber && !Menue_Icon_Zustand(icon->nummer)) Bild(24180, x, y);
    if (!Spieler_Verfuegbar(p))
        if (Rastport* s = Menue_Get_Slave_Rastport(24181, nullptr)) Blit_Alpha(s, 0, 0, -1, -1, ziel, x, y, 35);
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    Bild(Spielerliste_Positions_Bild(art), x + 1, y);
    const int32_t basis = y + 12;
    Spieler_Zeile_Hemdnummer(x, basis - 1, 8, Spieler_Nummer(g_nummern, p));
    if (Font* f9 = Font_Get(9)) {
        Spielerliste_Position_Zeichnen(art, x, basis, ART_FARBE[art]);
        Text_Printf(ziel, f9, "^c%05d^fb0010^tr0330%d^fe", x, basis, WEISS, Spieler_Wert(SPW_WERT55, p, 0, OP_LESEN));
        char name[96];
        Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f9, 122);
        Text_Printf(ziel, f9, "^c%05d^tl0070%s", x, basis, WEISS, name);
    }
    Liste_Fuellen(p, 0, x + 197, y + 1, 0, Menue_Icon_Zustand(icon->nummer));
    int32_t talente[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(p, talente, 3, 0);
    for (int32_t i = 0; i < n; ++i) Bild(TALENT_BILD_ERSTER[TALENT_16] + talente[i], x + 349 + 28 * i, y);
}

const char* Hilfe(s_icon* icon) {
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    if (icon->nummer == ICON_TAKTIK_FENSTER) {
        if (my < 91 || my > 109) return nullptr;
        if (mx >= 665 && mx <= 785) return Text_Get("ZUSATZTEXTE_TROBE", 10);
        return mx < 640 ? Einsetzen_Info_Fenster(mx, 100) : nullptr;
    }
    if (icon->nummer >= ICON_TAKTIK_T0 && icon->nummer <= 2524) return Text_Get(TEXTE, T_HILFE + icon->nummer - ICON_TAKTIK_T0);
    if (icon->nummer >= ICON_TAKTIK_MARKE) return Text_Get(TEXTE, T_MARKE_HILFE + (icon->nummer - ICON_TAKTIK_MARKE) % 4);
    if (icon->nummer >= ICON_TAKTIK_ZEILE) {
        SpielerInfoArt art;
        art.geld = true;
        g.hilfe = Spieler_Info_Text(icon->d, art);
        return g.hilfe.empty() ? nullptr : g.hilfe.c_str();
    }
    return nullptr;
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri, IconMainP proc) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, pri);
    i.Status = ICON_ST_KEY;
    i.Main_P = proc;
    i.hilfe_proc = Hilfe;
    return i;
}

void Icons_Bauen() {
    g.fenster = Icon(ICON_TAKTIK_FENSTER, 3, 86, 24173, 1, nullptr);
    g.fenster.typ = ICON_TYP_LEISE;
    g.fenster.zeichnen = Fenster_Zeichnen;
    for (int32_t k = 0; k < 3; ++k) {
        const Schalter& s = SCHALTER[k];
        s_icon& a = g.schalter[size_t(k)];
        a = Icon(s.icon, s.x, s.y, s.bild_aus, 3, Schalter_Klick);
        a.bild_an = s.bild_an;
        a.Status |= ICON_ST_TOGGLE;
        a.zeichnen = Etikett_Zeichnen;
        s_icon& b = g.schieber[size_t(k)];
        b = Icon(s.schieber, s.s_x, s.s_y, s.s_bild, 3, Schalter_Klick);
        b.bild_an = s.s_bild + 1;
        b.Status |= ICON_ST_TOGGLE;
    }
    for (int32_t k = 0; k < 4; ++k) {
        const Stufen& s = STUFEN[k];
        s_icon& a = g.anzeige[size_t(k)];
        a = Icon(s.icon, s.x, s.y, s.bild, 3, Stufe_Klick);
        a.zeichnen = Etikett_Zeichnen;
        s_icon& ab = g.ab[size_t(k)];
        ab = Icon(s.ab, s.ab_x, s.ab_y, s.ab_bild, 3, Stufe_Klick);
        ab.bild_gedrueckt = s.ab_bild + 1;
        ab.Status |= ICON_ST_DRUCK | ICON_ST_WIEDERHOLEN;
        s_icon& auf = g.auf[size_t(k)];
        auf = Icon(s.auf, s.auf_x, s.auf_y, s.auf_bild, 3, Stufe_Klick);
        auf.bild_gedrueckt = s.auf_bild + 1;
        auf.Status |= ICON_ST_DRUCK | ICON_ST_WIEDERHOLEN;
    }
    for (int32_t r = 0; r < TAKTIK_ZEILEN; ++r) {
        s_icon& z = g.zeile[size_t(r)];
        z = Icon(ICON_TAKTIK_ZEILE + r, 204, 136 + 17 * r, 24179, 3, Zeile_Klick);
        z.typ = ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE;
        z.bild_an = 24180;
        z.Status |= ICON_ST_TOGGLE;
        z.zeichnen = Zeile_Zeichnen;
        for (int32_t c = 0; c < 4; ++c) {
            s_icon& m = g.marke[size_t(4 * r + c)];
            m = Icon(ICON_TAKTIK_MARKE + 4 * r + c, 676 + 27 * c, 137 + 17 * r, MARKE_AUS[c], 4, Marke_Klick);
            m.bild_an = MARKE_AUS[c] + 5;
            m.Status |= ICON_ST_TOGGLE;
        }
    }
}

}  // namespace

int32_t Taktik_Schritt(int32_t byte, int32_t wert, bool auf) {
    const int32_t hoch = Taktik_Hoechstwert(byte);
    if (hoch <= 0) return 0;
    wert = std::clamp(wert, 0, hoch);
    if (auf) return wert >= hoch ? 0 : wert + 1;
    return wert <= 0 ? hoch : wert - 1;
}

void Taktik_Screen_Oeffnen() {
    if (Taktik_Screen_Offen() || Team() < 0) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Icons_Bauen();
    int8_t t[TAKTIK_BYTES] = {};
    Team_Get_Aktuelle_Taktik(Team(), t);
    for (int32_t i = 0; i < TAKTIK_BYTES; ++i) Wort_Setzen(i, t[i]);
    g.schritt_gueltig = false;
    Zeilen_Bauen();
    Menue_Screen_Icon_Hinzufuegen(&g.fenster);
    for (auto* liste : {&g.schalter, &g.schieber})
        for (s_icon& i : *liste) Menue_Screen_Icon_Hinzufuegen(&i);
    for (auto* liste : {&g.anzeige, &g.ab, &g.auf})
        for (s_icon& i : *liste) Menue_Screen_Icon_Hinzufuegen(&i);
    for (s_icon& i : g.zeile) Menue_Screen_Icon_Hinzufuegen(&i);
    for (s_icon& i : g.marke) Menue_Screen_Icon_Hinzufuegen(&i);
}

bool Taktik_Screen_Offen() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_TAKTIK_FENSTER) &&
           Menue_Screen_Icon_Aus_Nummer(ICON_TAKTIK_FENSTER) == &g.fenster;
}

}  // namespace velmora
