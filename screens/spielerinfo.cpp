// screens/spielerinfo.cpp - the player card.
#include "screens/spielerinfo.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bilder/portrait.h"
#include "bilder/wappen.h"
#include "business/bank.h"
#include "business/spieler_info.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "business/talente_screen.h"
#include "business/training.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/spieler_nummern.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "SPIELER_INFO_SCREEN";
enum Text : int32_t {
    T_BELASTUNG = 0, T_STAERKE = 1, T_EHRGEIZ = 2, T_ALTER = 3, T_TALENTE = 4, T_SCHWAECHEN = 5, T_TRAINING = 6,
    T_SPIELE = 8, T_TORE = 9, T_GELB = 10, T_GELBROT = 11, T_ROT = 12, T_GEHALT = 13, T_MARKTWERT = 14, T_ZUSTAND = 16,
    T_GELBSPERRE = 17, T_GELBROTSPERRE = 18, T_ROTSPERRE = 19, T_WOCHEN = 20, T_WOCHE = 21, T_KEIN_TRAINING = 22,
    T_VERLETZUNG = 23, T_SPERRE = 24, T_BEREIT = 25, T_VEREIN = 28, T_NATIONAL = 29, T_SPIELE_EINHEIT = 30,
    T_SPIEL_EINHEIT = 31,
};
constexpr int32_t TEXT_TALENTE_HILFE = 1, TEXT_BLAETTERN = 15;   // ZUSATZTEXTE_HASK
constexpr uint32_t WEISS = 65535, GRAU = 44373, GOLD = 54923;
constexpr int32_t KBILD_KARTE = 28000, KBILD_LEISTE = 28001, KBILD_ZURUECK = 28004, KBILD_WEITER = 28005,
                  KBILD_TALENTE = 28009, KBILD_SCHLIESSEN = 28010, KBILD_TALENTE_DRUCK = 28011,
                  KBILD_SCHLIESSEN_DRUCK = 28012, KBILD_ZURUECK_DRUCK = 28002, KBILD_WEITER_DRUCK = 28003,
                  KBILD_SCHEIN = 28018, KBILD_ZURUECK_AUS = 28063, KBILD_WEITER_AUS = 28062;
constexpr int32_t ART_BILD[4] = {8335, 8333, 8332, 8334};
constexpr int32_t BELASTUNG_BILD[5] = {8338, 8339, 8340, 8336, 8337};
constexpr int32_t BILD_TALENT_KLEIN = TALENT_BILD_ERSTER[TALENT_22], BILD_TALENT_MITTEL = TALENT_BILD_ERSTER[TALENT_40],
                  BILD_TALENT_GROSS = TALENT_BILD_ERSTER[TALENT_44];

struct KarteModul {
    s_icon fenster, karte, zurueck, weiter, schliessen, talente, ende;
    int32_t spieler = -1, club = -1, modus = 0, slot = -1;
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
    std::vector<int32_t> zaehler;   // one counter per player of the game, filled by the statistics
};
KarteModul g;

const char* T(int32_t n) {
    return Text_Oder_Leer(TEXTE, n);
}

bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }

// The shirt numbers of the players shown since the card opened (on a client they are the server's).
SpielerNummern g_nummern;

void Bild(int32_t nummer, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(nummer, nullptr)) Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x, y, BlitMode_Key);
}

void Schreiben(Font* f, const char* format, int32_t x, int32_t y, uint32_t farbe, const char* text) {
    if (f && text) Text_Printf(Rastport_Target(), f, format, x, y, int32_t(farbe), text);
}

// A label ending at x (right-aligned), small and grey.
void Etikett(int32_t x, int32_t y, int32_t text) { Schreiben(Font_Get(9), "^c%05d^tr0000%s", x, y, GRAU, T(text)); }

void Zahl_Rechts(int32_t rechts, int32_t y, int32_t wert) {
    if (Font* f = Font_Get(9)) Text_Printf(Rastport_Target(), f, "^c%05d^tr%04d%d", 0, y, int32_t(WEISS), rechts, wert);
}

// The season's count of the events with mask `maske` in the club's competitions
// (the counter block is read only inside its bounds).
int32_t Statistik(const int32_t* wettbewerbe, int32_t n, uint32_t maske) {
    if (g.zaehler.empty() || size_t(g.spieler) >= g.zaehler.size()) return 0;
    Spiele_Get_Statistik(wettbewerbe, n, maske, g.zaehler.data(), int32_t(g.zaehler.size()));
    return g.zaehler[size_t(g.spieler)];
}

// Injury or suspension: the picture, the heading and the line under the talent in training.
void Zustand_Zeichnen(const int32_t* wettbewerbe, int32_t n) {
    Font* f9 = Font_Get(9);
    const uint32_t status = Spieler_Status(g.spieler);
    char zeile[160];
    if (status & SP_STATUS_VERLETZT) {
        const int32_t wochen = Spieler_Wert(SPW_VERLETZUNG_TAGE, g.spieler, 0, OP_LESEN);
        Bild(24013, 172, 386);
        Schreiben(f9, "^c%05d^tz0001%s", 326, 290, WEISS, T(T_VERLETZUNG));
        snprintf(zeile, sizeof zeile, "%s (%d %s)", Spieler_Info_Verletzung(Spieler_Wert(SPW_VERLETZUNG, g.spieler, 0, OP_LESEN)),
                 wochen, T(wochen == 1 ? T_WOCHE : T_WOCHEN));
        Schreiben(f9, "^c%05d%s", 190, 398, WEISS, zeile);
        return;
    }
    if (status & 0x780) {
        for (int32_t i = 0; i < n; ++i) {
            const int32_t e = Spiele_Get_Wettbewerb_Ereignis(wettbewerbe[i], 8, -1, g.spieler, -1, -1);
            struct Sperre {
                int32_t bit, bild, text;
            };
            constexpr Sperre SPERREN[3] = {{0x20, 24012, T_GELBROTSPERRE}, {0x40, 24011, T_ROTSPERRE}, {0x80, 24010, T_GELBSPERRE}};
            for (const Sperre& s : SPERREN) {
                if (!(e & s.bit)) continue;
                const int32_t rest = e & ~s.bit;
                Bild(s.bild, 172, 386);
                Schreiben(f9, "^c%05d^tz0001%s", 326, 290, WEISS, T(T_SPERRE));
                snprintf(zeile, sizeof zeile, "%s : (%d %s)", T(s.text), rest, T(rest == 1 ? T_SPIEL_EINHEIT : T_SPIELE_EINHEIT));
                Schreiben(f9, "^c%05d%s", 190, 398, WEISS, zeile);
                return;
            }
        }
    }
    Schreiben(f9, "^c%05d^tz0001%s", 326, 290, WEISS, T(T_BEREIT));
    Schreiben(f9, "^c%05d%s", 190, 398, WEISS, T(T_BEREIT));
}

void Training_Zeichnen() {
    Font* f9 = Font_Get(9);
    const int32_t talent = Attribute_Anzahl(g.spieler);
    if (talent < 0) {
        Schreiben(f9, "^c%05d%s", 190, 380, WEISS, T(T_KEIN_TRAINING));
        return;
    }
    // The strength stars have no entry in the talent table: their limit is the star limit.
    const char* name = Spieler_Info_Talent_Name(talent);
    const int32_t schwelle = Training_Schwelle(talent);
    const int32_t punkte = Spieler_Wert(talent, g.spieler, 0, OP_LESEN);
    const int32_t prozent = schwelle > 0 ? int32_t(std::lround(punkte * 100.0 / schwelle)) : 0;
    if (f9) Text_Printf(Rastport_Target(), f9, "^c%05d%s (%d %s)", 190, 380, int32_t(WEISS), name, prozent, "%");
}

void Talente_Zeichnen() {
    int32_t negativ[3] = {-1, -1, -1};
    const int32_t nn = Attribute_Get_Attribute(g.spieler, negativ, 3, 2);
    for (int32_t i = 0; i < nn; ++i) Bild(BILD_TALENT_GROSS + negativ[i], 515 + 80 * i, 264);
    int32_t liste[18];
    const int32_t n = Attribute_Get_Attribute(g.spieler, liste, 18, 1);
    if (n > 10) {
        Bild(KBILD_LEISTE, 36, 313);
        for (int32_t i = 0; i < n; ++i) Bild(BILD_TALENT_KLEIN + liste[i], 45 + 26 * i, 330);
        return;
    }
    for (int32_t i = 0; i < n; ++i) {
        const int32_t x = 47 + 46 * i;
        if (Attribute_Attribut_Aktief(g.spieler, liste[i])) Bild(KBILD_SCHEIN, x - 7, 311);
        Bild(BILD_TALENT_MITTEL + liste[i], x, 318);
    }
}

void Karte_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    if (!Gueltig(g.spieler)) return;
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f14 = Font_Get(14);
    const int32_t markt = Team_Markt();
    Portrait_Zeichnen(g.spieler, g.club, ziel, 117, 103, -1, -1);
    static const SchattenParameter schatten{2, 2, 3, 0};
    if (g.club >= 0) Wappen_Zeichnen(g.club, ziel, 541, 160, WAPPEN_GROESSE, WAPPEN_GROESSE, &schatten);
    Schreiben(f9, "^c%05d^tz0001%s", 364, 205, WEISS, g.club >= 0 ? Team_String(TS_NAME_KURZ, g.club, 0, 0) : "");
    const int32_t art = std::clamp(Spieler_Get_Art(g.spieler), 0, 3);
    Bild(ART_BILD[art], 251, 114);
    if (g.club != markt)
        if (Font* f8 = Font_Get(8))
            Text_Printf(ziel, f8, "^c%05d^tz0017%d", 251, 135, int32_t(0x18c3),
                        Spieler_Nummer(g_nummern, g.spieler));
    Schreiben(f9, "^c%05d^tl0040%s", 251, 135, GOLD, Spielerliste_Position_Name(art));
    if (f14) {
        char name[128];
        Str_Auf_Breite(Spieler_String(SPS_NAME, g.spieler, 0, 0), name, sizeof name, f14, 270);
        Schreiben(f14, "^c%05d%s", 260, 160, WEISS, name);
    }
    // Strain: appearances in a row, shown as a percentage and a gauge.
    const int32_t einsaetze = Spieler_Wert(SPW_EINSAETZE, g.spieler, 0, OP_LESEN);
    if (f9) Text_Printf(ziel, f9, " ^c%05d^tz0001%d %s", 145, 290, int32_t(WEISS), einsaetze * 10, "%");
    Bild(BELASTUNG_BILD[std::clamp(Spieler_Get_Halbe_Wert56(g.spieler), 0, 4)], 166, 268);
    Etikett(122, 290, T_BELASTUNG);
    Etikett(200, 226, T_STAERKE);
    Liste_Fuellen(g.spieler, 0, 205, 214, 0, false);
    Etikett(610, 240, T_EHRGEIZ);
    if (f9) {
        Text_Printf(ziel, f9, "^c%05d%d", 615, 240, int32_t(WEISS), Spieler_Wert(SPW_WERT55, g.spieler, 0, OP_LESEN));
        Text_Printf(ziel, f9, "^c%05d%d", 675, 252, int32_t(WEISS), Spieler_Wert(SPW_ALTER, g.spieler, 0, OP_LESEN));
    }
    Etikett(670, 252, T_ALTER);
    Etikett(285, 290, T_ZUSTAND);
    Etikett(508, 290, T_SCHWAECHEN);
    // Clear of the card's left border, midway between the strain row's
    // descenders and the talents' box edge (y 309): four rows either side.
    Schreiben(f9, "^c%05d%s", 46, 305, GRAU, T(T_TALENTE));
    // Nationality: a national team's player shows his club, any other the player his club names.
    Schreiben(f9, "^c%05d%s", 450, 380, GRAU, T(Team_Ist_Nationalteam(g.club) ? T_VEREIN : T_NATIONAL));
    const int32_t gezeigt = Spieler_Wert(SPW_VEREIN_GEZEIGT, g.spieler, 0, OP_LESEN);
    const int32_t anderer = Gueltig(gezeigt) ? Spieler_Get_Team(gezeigt) : -1;
    Schreiben(f9, "^c%05d%s", 550, 380, WEISS, anderer >= 0 ? Team_String(TS_NAME_KURZ, anderer, 0, 0) : "-");
    int32_t wettbewerbe[64];
    const int32_t nw = g.club >= 0 ? std::min(Wettbewerb_Liste_Team(g.club, wettbewerbe, 0), 64) : 0;
    Etikett(165, 380, T_TRAINING);
    Training_Zeichnen();
    Zustand_Zeichnen(wettbewerbe, nw);
    // The season: goals and games on the left, the cards on the right.
    Schreiben(f9, "^c%05d%s", 140, 428, GRAU, T(T_TORE));
    Zahl_Rechts(258, 428, Statistik(wettbewerbe, nw, EREIGNIS_TOR));
    Schreiben(f9, "^c%05d%s", 140, 446, GRAU, T(T_SPIELE));
    Zahl_Rechts(258, 446, Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, g.spieler, 0));
    Schreiben(f9, "^c%05d%s", 275, 421, GRAU, T(T_GELB));
    Zahl_Rechts(418, 421, Statistik(wettbewerbe, nw, EREIGNIS_GELB));
    Schreiben(f9, "^c%05d%s", 275, 436, GRAU, T(T_GELBROT));
    Zahl_Rechts(418, 436, Statistik(wettbewerbe, nw, EREIGNIS_GELBROT));
    Schreiben(f9, "^c%05d%s", 275, 450, GRAU, T(T_ROT));
    Zahl_Rechts(418, 450, Statistik(wettbewerbe, nw, EREIGNIS_ROT));
    const int32_t lokal = Spielerliste_Lokal();
    Schreiben(f9, "^c%05d%s", 520, 428, GRAU, T(T_GEHALT));
    Schreiben(f9, "^c%05d^tr0150%s", 515, 428, WEISS, Geld_Text(float(Spieler_Berechne_Gehalt(g.spieler)), lokal, -1));
    Schreiben(f9, "^c%05d%s", 520, 446, GRAU, T(T_MARKTWERT));
    Schreiben(f9, "^c%05d^fb0008^fe^tr0150%s", 515, 446, WEISS, Geld_Text(float(Spieler_Berechne_Marktwert(g.spieler)), lokal, -1));
    Talente_Zeichnen();
}

bool Rechts_Schliessen(int32_t ereignis) {
    if (!(ereignis & EV_RECHTS)) return false;
    Spielerinfo_Schliessen();
    return true;
}

void Schliessen_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & (EV_LINKS | EV_RECHTS)) Spielerinfo_Schliessen();
}

void Pfeil_Klick(s_icon* icon, int32_t ereignis) {
    if (Rechts_Schliessen(ereignis) || !(ereignis & EV_LINKS) || !Gueltig(g.spieler)) return;
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.pfeil_gueltig && jetzt - g.pfeil_zeit <= KARTE_PFEIL_MS) return;
    g.pfeil_gueltig = true;
    g.pfeil_zeit = jetzt;
    const bool weiter = icon->nummer == ICON_KARTE_WEITER;
    if (g.modus == KARTE_EIGENER || g.modus == KARTE_ANDERER) {
        g.slot = Spielerliste_Naechster_Slot(g.slot, weiter, g.modus == KARTE_EIGENER);
        const int32_t neu = Spielerliste_Spieler_Mit_Slot(g.club, g.slot);
        if (neu >= 0) g.spieler = neu;
    } else if (g.modus == KARTE_RECHTE_LISTE) {
        int32_t liste[12];
        const int32_t n = Talente_Rechte_Liste(liste);
        const int32_t* p = std::find(liste, liste + n, g.spieler);
        if (p != liste + n) {
            const int32_t i = int32_t(p - liste);
            g.spieler = liste[(weiter ? i + 1 : i - 1 + n) % n];
            g.club = Spieler_Get_Team(g.spieler);
        }
    }
}

void Talente_Klick(s_icon*, int32_t ereignis) {
    if (Rechts_Schliessen(ereignis) || !(ereignis & EV_LINKS) || !Gueltig(g.spieler)) return;
    static constexpr int32_t MODUS[4] = {TALENTE_EIGENER, TALENTE_ANDERER, TALENTE_EINZELN, TALENTE_RECHTE_LISTE};
    Talente_Oeffnen(g.spieler, MODUS[std::clamp(g.modus, 0, 3)]);
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri, IconMainP proc) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, ICON_TYP_RECHTSKLICK, pri);
    i.Status = ICON_ST_KEY;
    i.Main_P = proc;
    return i;
}

// The window behind the card: an empty picture over the work area that takes
// the pointer, so a click beside the card closes it and reaches nothing below.
constexpr int32_t FLAECHE_B = 800, FLAECHE_H = 565;
Rastport* Leere_Flaeche() {
    Rastport* rp = Rastport_Create(FLAECHE_B, FLAECHE_H, 16, 0, 0);
    if (rp) std::memset(Rastport_Pixels16(rp), 0, size_t(FLAECHE_B) * FLAECHE_H * 2);
    return rp;
}

}  // namespace

void Spielerinfo_Oeffnen(int32_t spieler, int32_t, int32_t modus) {
    if (Spielerinfo_Offen()) return;
    Spieler_Nummern_Vergessen(g_nummern);
    g.modus = std::clamp(modus, 0, 3);
    g.spieler = Gueltig(spieler) ? spieler : -1;
    g.club = g.spieler >= 0 ? Spieler_Get_Team(g.spieler) : -1;
    g.slot = g.spieler >= 0 ? Spieler_Wert(SPW_SLOT, g.spieler, 0, OP_LESEN) : -1;
    g.pfeil_gueltig = false;
    g.fenster = Icon(ICON_KARTE_FENSTER, 0, 0, -1, 12, Schliessen_Klick);
    g.fenster.rp = Leere_Flaeche();
    g.fenster.br = FLAECHE_B;   // the framework sizes a picture-less icon by these
    g.fenster.ho = FLAECHE_H;
    g.karte = Icon(ICON_KARTE, 32, 101, KBILD_KARTE, 13, Schliessen_Klick);
    g.karte.zeichnen = Karte_Zeichnen;
    const bool markt = g.modus == KARTE_MARKT;
    g.zurueck = Icon(ICON_KARTE_ZURUECK, 36, 412, markt ? KBILD_ZURUECK_AUS : KBILD_ZURUECK, 14, Pfeil_Klick);
    g.weiter = Icon(ICON_KARTE_WEITER, 86, 412, markt ? KBILD_WEITER_AUS : KBILD_WEITER, 14, Pfeil_Klick);
    g.zurueck.bild_gedrueckt = KBILD_ZURUECK_DRUCK;
    g.weiter.bild_gedrueckt = KBILD_WEITER_DRUCK;
    for (s_icon* p : {&g.zurueck, &g.weiter}) {
        p->hilfe = Text_Get("ZUSATZTEXTE_HASK", TEXT_BLAETTERN);
        p->Status |= markt ? ICON_ST_GESPERRT : ICON_ST_DRUCK;
    }
    g.schliessen = Icon(ICON_KARTE_SCHLIESSEN, 684, 415, KBILD_SCHLIESSEN, 14, Schliessen_Klick);
    g.schliessen.bild_gedrueckt = KBILD_SCHLIESSEN_DRUCK;
    g.schliessen.Status |= ICON_ST_DRUCK;
    g.talente = Icon(ICON_KARTE_TALENTE, 70, 412, KBILD_TALENTE, 14, Talente_Klick);
    g.talente.bild_gedrueckt = KBILD_TALENTE_DRUCK;
    g.talente.Status |= ICON_ST_DRUCK;
    g.talente.hilfe = Text_Get("ZUSATZTEXTE_HASK", TEXT_TALENTE_HILFE);
    g.zaehler.assign(size_t(std::max(Spieler_Anzahl(), 0)), 0);
    for (s_icon* i : {&g.fenster, &g.karte, &g.zurueck, &g.weiter, &g.schliessen, &g.talente}) Menue_Screen_Icon_Hinzufuegen(i);
    if (g.spieler < 0) Debug_Printf("Spielerinfo_Oeffnen: Spieler %d ungueltig\n", spieler);
}

void Spielerinfo_Schliessen() {
    for (s_icon* i : {&g.talente, &g.schliessen, &g.weiter, &g.zurueck, &g.karte, &g.fenster})
        if (i->nummer >= 0 && Menue_Screen_Icon_Ist_Vorhanden(i->nummer) && Menue_Screen_Icon_Aus_Nummer(i->nummer) == i)
            Menue_Screen_Icon_Loeschen(-1, i);
    g.fenster.rp = nullptr;   // the framework freed it with the icon
    std::vector<int32_t>().swap(g.zaehler);
}

bool Spielerinfo_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_KARTE_FENSTER); }

SpielerinfoStand Spielerinfo_Stand() {
    SpielerinfoStand s;
    s.zaehler = g.zaehler.size();
    if (!Spielerinfo_Offen()) return s;
    s.spieler = g.spieler;
    s.club = g.club;
    s.modus = g.modus;
    s.slot = g.slot;
    return s;
}

}  // namespace velmora
