// business/talente_screen.cpp - the talents screen.
#include "business/talente_screen.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>

#include "business/bank.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "business/training.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_requester.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "SPIELER_TALENTE_SCREEN";
constexpr const char* TRAINING_TEXTE = "SPIELER_TRAINING_SCREEN";
constexpr int32_t TEXT_TITEL = 0, TEXT_BRAUCHT = 1, TEXT_BIS = 2, TEXT_STERNE = 3, TEXT_PUNKTE = 4, TEXT_TALENTE = 5,
                  TEXT_EHRGEIZ = 6, TEXT_PREIS = 15, TEXT_EINHEIT = 16, TEXT_WIRKUNG = 17, TEXT_SCHUTZ = 18,
                  TEXT_STARTBAR = 19, TEXT_NICHT_STARTBAR = 20;
constexpr int32_t TEXT_VERLETZT = 25, TEXT_FRAGE = 26, TEXT_BISHER = 27, TEXT_NEU = 28, TEXT_JA = 29, TEXT_NEIN = 30,
                  TEXT_VERLETZUNG = 31, TEXT_AUSFALL = 32, TEXT_WOCHEN = 33, TEXT_WOCHE = 34,
                  TEXT_KEINE_EINHEITEN = 39;
constexpr int32_t TEXT_LERNT = 32;                // EINSETZEN_1_SCREEN
constexpr int32_t TEXT_BLAETTERN = 15;            // ZUSATZTEXTE_HASK
constexpr uint32_t WEISS = 65535, GRUEN = 20051, HELLGRAU = 50744, BRAUN = 50055, SCHATTEN = 2113;
constexpr int32_t BILD_FELD = 28051, BILD_TORWART = 28052, BILD_INFO = 28053, BILD_ZELLE = 28054, BILD_ZELLE_GROSS = 28055;
constexpr int32_t BILD_SCHLIESSEN = 28057, BILD_SCHLIESSEN_DRUCK = 28058, BILD_WEITER = 28059, BILD_WEITER_DRUCK = 28060,
                  BILD_ZURUECK = 28061, BILD_ZURUECK_DRUCK = 28056, BILD_WEITER_AUS = 28062, BILD_ZURUECK_AUS = 28063;
constexpr int32_t BILD_RAHMEN_GROSS = 28104, BILD_RAHMEN = 28105, BILD_GRAU = 28106, BILD_GRAU_TORWART = 28146;
constexpr int32_t BILD_INFO_TALENT = TALENT_BILD_ERSTER[TALENT_44], BILD_KOPF_TALENT = TALENT_BILD_ERSTER[TALENT_16];
constexpr int32_t INFO_X = 114, INFO_Y = 460;
constexpr int32_t PRI_FENSTER = 15, PRI_TALENT = 16, PRI_INFO = 17, PRI_KNOPF = 18;
constexpr int32_t FELD_TALENTE = 40, TORWART_TALENTE = 6;
// The shirts of the header by kind, and the marks of an unavailable player.
constexpr int32_t KOPF_HEMD[4] = {24039, 24037, 24036, 24038};

// Where the big picture of a hovered field talent stands: beside its cell,
// inside the screen and above the info panel (the first row's below it, the
// second row's above it, the large cells' to their right).
constexpr std::array<std::array<int16_t, 2>, FELD_TALENTE> GROSS_POSITION = [] {
    std::array<std::array<int16_t, 2>, FELD_TALENTE> t{};
    for (int32_t id = 0; id < FELD_TALENTE; ++id) {
        int32_t x = 0, y = 0;
        if (id < 20) x = 3 + 40 * id + 18 - TALENT_GROSS / 2, y = 116;
        else if (id < 35) x = 33 + 50 * (id - 20) + 18 - TALENT_GROSS / 2, y = 194;
        else if (id < 39) x = 616 - 120 * (id - 35) + 70, y = 383;
        else x = 104, y = 380;
        t[size_t(id)] = {int16_t(std::clamp(x, 2, 798 - TALENT_GROSS)), int16_t(y)};
    }
    return t;
}();

struct TalenteModul {
    TalenteScreenHooks hooks;
    s_icon fenster, info, schliessen, zurueck, weiter;
    s_icon talent[FELD_TALENTE + TORWART_TALENTE];
    int32_t spieler = -1, modus = 0, slot = -1, team = -1;
    int32_t zeige = -1;
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
};
TalenteModul g;

const char* Text(const char* screen, int32_t n) {
    return Text_Oder_Leer(screen, n);
}

bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }
bool Torwart(int32_t s) { return Spieler_Get_Art(s) == 0; }

const char* Talent_Name(int32_t id) {
    if (id == ATTRIBUT_STERNE) return "St\xe4rke-Sterne";
    const AttributDaten* d = Attribut_Daten(id);
    return d ? d->name : "";
}

// The talent may be chosen at all: learnable (or in training already) and room for it.
bool Darf_Lernen(int32_t s, int32_t id) {
    return Gueltig(s) && Attribut_Erlernbar(s, id, 0) && !Attribute_Attribut_Hat_Maximum(s);
}

int32_t Einheiten_Grenze() { return Global_Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0); }

void Text_Zeichnen(Font* f, int32_t x, int32_t y, uint32_t farbe, const char* text) {
    if (f && text) Text_Printf(Rastport_Target(), f, "^c%05d%s", x, y, int32_t(farbe), text);
}

void Bild_Zeichnen(int32_t bild, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr)) Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x, y, BlitMode_Key);
}

// -- Starting a talent ----------------------------------------------------------

void Training_Starten(int32_t spieler, int32_t talent) {
    if (!Training2_Oeffnen(spieler, talent)) return;
    if (g.hooks.training_oeffnen) g.hooks.training_oeffnen(spieler, talent);
    else Debug_Printf("Talente_Klick: kein Trainingsfenster angebunden\n");
}

void Frage_Ja(const int32_t* werte, const int32_t*) {
    const int32_t spieler = werte[0], neu = werte[1], alt = werte[2];
    if (!Gueltig(spieler)) return;
    Spieler_Wert(alt, spieler, 0, OP_SCHREIBEN);
    Spieler_Wert(SPW_TRAININGSGELD, spieler, 0, OP_SCHREIBEN);
    Training_Starten(spieler, neu);
}

void Melden(const char* text) { Menue_Requester(1, Spielerliste_Lokal(), text, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr); }

// -- Drawing ------------------------------------------------------------------

void Karte_Zeichnen() {
    if (!Gueltig(g.spieler)) return;
    if (Torwart(g.spieler)) {
        for (int32_t k = 0; k < TORWART_TALENTE; ++k) {
            const int32_t id = ATTRIBUT_TW_START + k;
            int32_t x = 0, y = 0;
            Talent_Torwart_Bild_Position(id, &x, &y);
            if (Attribute_Hat_Attribut(g.spieler, id)) Bild_Zeichnen(BILD_RAHMEN_GROSS, x - 2, y - 2);
            else if (!Attribut_Erlernbar_2(g.spieler, id)) Bild_Zeichnen(BILD_GRAU_TORWART + k, x, y);
        }
        return;
    }
    for (int32_t id = 0; id < FELD_TALENTE; ++id) {
        int32_t x = 0, y = 0;
        Talent_Zelle(id, &x, &y, nullptr);
        if (!Attribute_Hat_Attribut(g.spieler, id) && !Attribut_Erlernbar_2(g.spieler, id)) Bild_Zeichnen(BILD_GRAU + id, x, y);
    }
    for (int32_t id = 0; id < FELD_TALENTE; ++id) {
        int32_t x = 0, y = 0;
        Talent_Zelle(id, &x, &y, nullptr);
        if (Attribute_Hat_Attribut(g.spieler, id)) Bild_Zeichnen(id < 35 ? BILD_RAHMEN : BILD_RAHMEN_GROSS, x - 2, y - 2);
    }
}

// The header line from the right edge leftwards: the talent in training, the
// weaknesses, ambition, stars, name, kind, shirt number and why he is out.
void Kopf_Zeichnen() {
    Font* f11 = Font_Get(11);
    if (f11) Text_Printf(Rastport_Target(), f11, "^c%05d^tl0001%s", 8, 30, int32_t(WEISS), Text(TEXTE, TEXT_TALENTE));
    if (!Gueltig(g.spieler)) return;
    Font* f9 = Font_Get(9);
    Font* f14 = Font_Get(14);
    Font* f15 = Font_Get(15);
    char puffer[160];
    int32_t x = 790;
    auto links = [&](Font* f, uint32_t farbe, const char* text, int32_t luecke) {
        if (!f) return;
        x -= Text_Width(f, text);
        Text_Zeichnen(f, x, 29, farbe, text);
        x -= luecke;
    };
    const int32_t lernt = Attribute_Anzahl(g.spieler);
    if (g.modus == TALENTE_EIGENER && lernt >= 0) {
        Bild_Zeichnen(BILD_KOPF_TALENT + lernt, 772, 15);
        x = 766;
        links(f9, GRUEN, Text("EINSETZEN_1_SCREEN", TEXT_LERNT), 12);
    }
    int32_t negativ[3] = {-1, -1, -1};
    const int32_t nn = Attribute_Get_Attribute(g.spieler, negativ, 3, 2);
    for (int32_t i = 0; i < nn; ++i) {
        x -= 20;
        Bild_Zeichnen(BILD_KOPF_TALENT + negativ[i], x, 15);
    }
    if (nn) x -= 10;
    snprintf(puffer, sizeof puffer, "(%d %s)", Spieler_Wert(SPW_WERT55, g.spieler, 0, OP_LESEN), Text(TEXTE, TEXT_EHRGEIZ));
    links(f9, WEISS, puffer, 12);
    const int32_t max_sterne = std::clamp(Spieler_Wert(SPW_MAX_STERNE, g.spieler, 0, OP_LESEN), 0, 12);
    x -= (max_sterne + 1) / 2 * STERN_ABSTAND;
    Liste_Fuellen(g.spieler, 0, x, 15, 0, false);
    x -= 12;
    if (f14) {
        Str_Auf_Breite(Spieler_String(SPS_NAME, g.spieler, 0, 0), puffer, sizeof puffer, f14, 250);
        x -= Text_Width(f14, puffer);
        Text_Printf(Rastport_Target(), f14, "^c%05d%s", x, 31, int32_t(WEISS), puffer);
        x -= 10;
    }
    const int32_t art = std::clamp(Spieler_Get_Art(g.spieler), 0, 3);
    x -= 18;
    Bild_Zeichnen(KOPF_HEMD[art], x, 15);
    if (f15 && Spieler_Get_Team(g.spieler) != Team_Markt()) {
        x -= 30;
        Text_Printf(Rastport_Target(), f15, "^c%05d^fb0006^tz0014%d^fe", x, 27, int32_t(WEISS),
                    Spieler_Wert(SPW_RUECKENNUMMER, g.spieler, 0, OP_LESEN));
    }
    const uint32_t status = Spieler_Status(g.spieler);
    int32_t mark = -1;
    if (status & SP_STATUS_VERLETZT) mark = 24013;
    else if (status & 0x80) mark = 24010;
    else if (status & SP_STATUS_ROT) mark = 24011;
    else if (status & SP_STATUS_GELB) mark = 24012;
    if (mark >= 0) Bild_Zeichnen(mark, x - 22, 15);
}

// The name of a hovered talent beside its cell.
void Zell_Name(int32_t id) {
    int32_t x = 0, y = 0, gr = 0;
    if (!Talent_Zelle(id, &x, &y, &gr)) return;
    Font* f = Font_Get(9);
    if (!f) return;
    Rastport* ziel = Rastport_Target();
    const char* name = Talent_Name(id);
    const bool oben = id < 20 || (id >= 35 && id <= 39);
    const int32_t ty = oben ? y - 8 : y + gr + 18;
    if (id == 0) Text_Printf(ziel, f, "^c%05d^tl%04d%s", 0, ty, int32_t(WEISS), 3, name);
    else if (id == 19) Text_Printf(ziel, f, "^c%05d^tr%04d%s", 0, ty, int32_t(WEISS), 797, name);
    else Text_Printf(ziel, f, "^c%05d^tz%04d%s", 0, ty, int32_t(WEISS), x + gr / 2, name);
}

void Info_Zeichnen(int32_t id) {
    const AttributDaten* d = Attribut_Daten(id);
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f14 = Font_Get(14);
    Zell_Name(id);
    if (Font* f6 = Font_Get(6)) Textsatz_Box(ziel, f6, Talent_Name(id), 124, 236, 468, 506, uint16_t(WEISS), TEXTSATZ_ZENTRIERT, -1);
    if (f9 && d) {
        Textsatz_Box(ziel, f9, d->info1, 269, 785, 465, 492, uint16_t(SCHATTEN), 0, -1);
        Textsatz_Box(ziel, f9, d->info1, 268, 784, 464, 491, uint16_t(HELLGRAU), 0, -1);
    }
    if (f14) {
        char preis[96];
        snprintf(preis, sizeof preis, "%s%s", Text(TEXTE, TEXT_PREIS), Geld_Text(float(Attribut_Get_Preis(id, g.spieler)),
                                                                                 Spielerliste_Lokal(), -1));
        Text_Zeichnen(f14, 320, 525, WEISS, preis);
    }
    if (!f9 || !d) return;
    Text_Printf(ziel, f9, "^c%05d^ub%s^ue", 268, 538, int32_t(BRAUN), Text(TEXTE, TEXT_EINHEIT));
    if (!Torwart(g.spieler))
        Text_Printf(ziel, f9, "^c%05d%d%s%d%s", 269, 504, int32_t(WEISS), d->moeglich_wann[0], Text(TEXTE, TEXT_BIS),
                    d->moeglich_wann[1], Text(TEXTE, TEXT_STERNE));
    Text_Printf(ziel, f9, "^c%05d%d%s", 443, 504, int32_t(WEISS), d->noetige_punkte, Text(TEXTE, TEXT_PUNKTE));
    // The prerequisites by name, two to a line, ended by a full stop.
    int32_t v[3];
    const int32_t nv = Attribut_Zaehle(id, v);
    if (nv > 0) {
        const char* namen[3] = {};
        int32_t n = 0;
        for (int32_t p : v)
            if (p >= 0) namen[n++] = Talent_Name(p);
        Text_Zeichnen(f9, 580, 504, GRUEN, Text(TEXTE, TEXT_BRAUCHT));
        if (n == 1) Text_Printf(ziel, f9, "^c%05d%s.", 634, 504, int32_t(HELLGRAU), namen[0]);
        else Text_Printf(ziel, f9, "^c%05d%s, %s%s", 634, 504, int32_t(HELLGRAU), namen[0], namen[1], n == 2 ? "." : ",");
        if (n == 3) Text_Printf(ziel, f9, "^c%05d%s.", 634, 517, int32_t(HELLGRAU), namen[2]);
    }
    Text_Zeichnen(f9, 443, 538, GRUEN, Text(TEXTE, TEXT_WIRKUNG));
    int32_t zy = 538;
    for (int32_t k = 0; k < 3; ++k) {
        if (!d->auswirkung[k][0]) continue;
        char zeile[160];
        Str_Auf_Breite(d->auswirkung[k], zeile, sizeof zeile, f9, 686 - 505);
        Text_Zeichnen(f9, 505, zy, k == 2 && id == 39 ? HELLGRAU : WEISS, zeile);
        zy += 12;
    }
    int32_t sx = 580;
    bool schutz = false;
    for (int32_t n : d->schutz)
        if (n >= 0 && n < ATTRIBUT_ANZAHL) schutz = true;
    if (schutz) {
        char label[64];
        snprintf(label, sizeof label, "%s:  ", Text(TEXTE, TEXT_SCHUTZ));
        Text_Zeichnen(f9, sx, 530, GRUEN, label);
        sx += Text_Width(f9, label);
        for (int32_t n : d->schutz)
            if (n >= 0 && n < ATTRIBUT_ANZAHL) {
                Bild_Zeichnen(BILD_KOPF_TALENT + n, sx, 518);
                sx += 20;
            }
    }
    if (!Torwart(g.spieler) && id >= 0 && id < FELD_TALENTE) {
        const auto& p = GROSS_POSITION[size_t(id)];
        Bild_Zeichnen(TALENT_GROSS_ERSTER + id, p[0], p[1]);
    }
    Bild_Zeichnen(BILD_INFO_TALENT + id, 145, 511);
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) { Karte_Zeichnen(); }

void Info_Zeichnen_Proc(s_icon* icon, int32_t, int32_t, int32_t) {
    Kopf_Zeichnen();
    if (g.zeige >= 0) {
        Info_Zeichnen(g.zeige);
        return;
    }
    if (Font* f6 = Font_Get(6))
        Textsatz_Box(Rastport_Target(), f6, Text(TEXTE, Gueltig(g.spieler) ? TEXT_TITEL : TEXT_TALENTE), icon->x + 10,
                     icon->x + 122, icon->y + 20, icon->y + 60, uint16_t(WEISS), TEXTSATZ_ZENTRIERT, -1);
}

// -- Icons --------------------------------------------------------------------

const char* Talent_Hilfe(s_icon* icon) {
    if (g.modus != TALENTE_EIGENER || !icon) return nullptr;
    return Text(TEXTE, Talente_Jetzt_Startbar(g.spieler, icon->d) ? TEXT_STARTBAR : TEXT_NICHT_STARTBAR);
}

void Talent_Ereignis(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_BETRETEN) g.zeige = icon->d;
    if ((ereignis & (EV_VERLASSEN | EV_VERLASSEN_KONTEXT)) && g.zeige == icon->d) g.zeige = -1;
    if (ereignis & EV_RECHTS) {
        Talente_Schliessen();
        return;
    }
    if (ereignis & EV_LINKS) Talente_Klick(icon->d);
}

void Schliessen_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & (EV_LINKS | EV_RECHTS)) Talente_Schliessen();
}

int32_t Zyklus_Schritt(int32_t spieler, bool weiter) {
    int32_t liste[12];
    const int32_t n = Talente_Rechte_Liste(liste);
    const int32_t* p = std::find(liste, liste + n, spieler);
    if (n == 0 || p == liste + n) return spieler;
    const int32_t i = int32_t(p - liste);
    return liste[(weiter ? i + 1 : i - 1 + n) % n];
}

void Pfeil_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || g.modus == TALENTE_EINZELN) return;
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.pfeil_gueltig && jetzt - g.pfeil_zeit <= TALENTE_PFEIL_MS) return;
    g.pfeil_gueltig = true;
    g.pfeil_zeit = jetzt;
    const bool weiter = icon->nummer == ICON_TALENTE_WEITER;
    if (g.modus == TALENTE_RECHTE_LISTE) {
        g.spieler = Zyklus_Schritt(g.spieler, weiter);
    } else {
        g.slot = Spielerliste_Naechster_Slot(g.slot, weiter, g.modus == TALENTE_EIGENER);
        g.spieler = Spielerliste_Spieler_Mit_Slot(g.team, g.slot);
    }
    g.zeige = -1;
    // Goalkeeper and field player have different maps.
    const bool tw = Gueltig(g.spieler) && Torwart(g.spieler);
    g.fenster.bild = tw ? BILD_TORWART : BILD_FELD;
    for (int32_t k = 0; k < FELD_TALENTE + TORWART_TALENTE; ++k) {
        const bool an = k < FELD_TALENTE ? !tw : tw;
        if (an) g.talent[k].Status &= ~ICON_ST_VERSTECKT;
        else g.talent[k].Status |= ICON_ST_VERSTECKT;
    }
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri, uint32_t typ) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, typ, pri);
    i.Status = ICON_ST_KEY;
    return i;
}

void Anlegen() {
    // The map takes the pointer, so the screens under it take no clicks.
    g.fenster = Icon(ICON_TALENTE_FENSTER, 0, 0, BILD_FELD, PRI_FENSTER, ICON_TYP_LEISE);
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.info = Icon(ICON_TALENTE_INFO, INFO_X, INFO_Y, BILD_INFO, PRI_INFO, ICON_TYP_PASSIV);
    g.info.zeichnen = Info_Zeichnen_Proc;
    g.schliessen = Icon(ICON_TALENTE_SCHLIESSEN, 726, 533, BILD_SCHLIESSEN, PRI_KNOPF, ICON_TYP_RECHTSKLICK);
    g.schliessen.bild_gedrueckt = BILD_SCHLIESSEN_DRUCK;
    g.schliessen.Status |= ICON_ST_DRUCK;
    g.schliessen.Main_P = Schliessen_Klick;
    const bool aus = g.modus == TALENTE_EINZELN;
    g.zurueck = Icon(ICON_TALENTE_ZURUECK, 692, 533, aus ? BILD_ZURUECK_AUS : BILD_ZURUECK, PRI_KNOPF, 0);
    g.weiter = Icon(ICON_TALENTE_WEITER, 742, 533, aus ? BILD_WEITER_AUS : BILD_WEITER, PRI_KNOPF, 0);
    for (s_icon* p : {&g.zurueck, &g.weiter}) {
        p->Main_P = Pfeil_Klick;
        p->hilfe = Text("ZUSATZTEXTE_HASK", TEXT_BLAETTERN);
        if (aus) p->Status |= ICON_ST_GESPERRT;
        else p->Status |= ICON_ST_DRUCK;
    }
    g.zurueck.bild_gedrueckt = BILD_ZURUECK_DRUCK;
    g.weiter.bild_gedrueckt = BILD_WEITER_DRUCK;
    for (int32_t k = 0; k < FELD_TALENTE + TORWART_TALENTE; ++k) {
        const int32_t id = k < FELD_TALENTE ? k : ATTRIBUT_TW_START + k - FELD_TALENTE;
        const int32_t nummer = k < FELD_TALENTE ? ICON_TALENTE_ERSTES + k : ICON_TALENTE_TORWART + k - FELD_TALENTE;
        int32_t x = 0, y = 0, gr = 0;
        Talent_Zelle(id, &x, &y, &gr);
        s_icon& t = g.talent[k];
        t = Icon(nummer, x, y, gr == TALENT_ZELLE_KLEIN ? BILD_ZELLE : BILD_ZELLE_GROSS, PRI_TALENT,
                 ICON_TYP_MAUS_INFO | ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE);
        t.d = id;
        t.Main_P = Talent_Ereignis;
        t.hilfe_proc = Talent_Hilfe;
    }
}

void Icons_Setzen(bool hinzufuegen) {
    s_icon* alle[] = {&g.fenster, &g.info, &g.schliessen, &g.zurueck, &g.weiter};
    for (s_icon* i : alle) {
        if (hinzufuegen) Menue_Screen_Icon_Hinzufuegen(i);
        else Menue_Screen_Icon_Loeschen(-1, i);
    }
    for (s_icon& t : g.talent) {
        if (hinzufuegen) Menue_Screen_Icon_Hinzufuegen(&t);
        else Menue_Screen_Icon_Loeschen(-1, &t);
    }
}

}  // namespace

TalenteScreenHooks& Talente_Screen_Hooks() { return g.hooks; }

void Talente_Oeffnen(int32_t spieler, int32_t modus) {
    if (Talente_Offen()) return;
    Screen_Zurueck();
    g.modus = std::clamp(modus, 0, 3);
    g.spieler = Gueltig(spieler) ? spieler : -1;
    g.slot = g.spieler >= 0 ? Spieler_Wert(SPW_SLOT, g.spieler, 0, OP_LESEN) : -1;
    g.team = g.modus == TALENTE_EIGENER ? Spielerliste_Lokal() : g.spieler >= 0 ? Spieler_Get_Team(g.spieler) : -1;
    g.zeige = -1;
    g.pfeil_gueltig = false;
    Anlegen();
    const bool tw = g.spieler >= 0 && Torwart(g.spieler);
    g.fenster.bild = tw ? BILD_TORWART : BILD_FELD;
    for (int32_t k = 0; k < FELD_TALENTE + TORWART_TALENTE; ++k)
        if (k < FELD_TALENTE ? tw : !tw) g.talent[k].Status |= ICON_ST_VERSTECKT;
    Icons_Setzen(true);
    Menue_Set_Rechtsklick_Icon(ICON_TALENTE_SCHLIESSEN);
}

void Talente_Schliessen() {
    if (!Talente_Offen()) return;
    Icons_Setzen(false);
    if (Menue_Get_Rechtsklick_Icon() == ICON_TALENTE_SCHLIESSEN) Menue_Set_Rechtsklick_Icon(-1);
    g.zeige = -1;
}

bool Talente_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_TALENTE_FENSTER); }

void Talente_Klick(int32_t talent) {
    if (g.modus != TALENTE_EIGENER) {
        Debug_Printf("Talente_Klick: Modus %d zeigt nur\n", g.modus);
        return;
    }
    const int32_t s = g.spieler;
    if (!Darf_Lernen(s, talent) || Spieler_Get_Team(s) != Spielerliste_Lokal()) return;
    char text[REQUESTER_TEXT_MAX + 1];
    if (Spieler_Status(s) & SP_STATUS_VERLETZT) {
        int32_t anzahl = 0;
        const char* const* tabelle = Text_Tabelle_Array(&anzahl);
        const char* art = Spieler_Tabelle_Wert(Spieler_Wert(SPW_VERLETZUNG, s, 0, OP_LESEN));
        Str_Referenz_Aufloesen(&art, tabelle, anzahl);
        const int32_t wochen = Spieler_Wert(SPW_VERLETZUNG_TAGE, s, 0, OP_LESEN);
        snprintf(text, sizeof text, "^c%05d%s %s ^l%s^tl0160 : %s^l%s^tl0160 : %d %s", int32_t(WEISS),
                 Spieler_String(SPS_NAME, s, 0, 0), Text(TRAINING_TEXTE, TEXT_VERLETZT), Text(TRAINING_TEXTE, TEXT_VERLETZUNG),
                 art ? art : "", Text(TRAINING_TEXTE, TEXT_AUSFALL), wochen,
                 Text(TRAINING_TEXTE, wochen == 1 ? TEXT_WOCHE : TEXT_WOCHEN));
        Melden(text);
        return;
    }
    if (Spieler_Wert(SPW_TRAINING_EINHEITEN, s, 0, OP_LESEN) >= Einheiten_Grenze()) {
        Melden(Text(TRAINING_TEXTE, TEXT_KEINE_EINHEITEN));
        return;
    }
    const int32_t alt = Attribute_Anzahl(s);
    if (alt == -1 || alt == talent) {
        Training_Starten(s, talent);
        return;
    }
    snprintf(text, sizeof text, "^c%05d%s^l%s^tl0160:  %s^l%s^tl0160:  %s", int32_t(WEISS), Text(TRAINING_TEXTE, TEXT_FRAGE),
             Text(TRAINING_TEXTE, TEXT_BISHER), Talent_Name(alt), Text(TRAINING_TEXTE, TEXT_NEU), Talent_Name(talent));
    const int32_t werte[3] = {s, talent, alt};
    Menue_Requester(2, Spielerliste_Lokal(), text, Text(TRAINING_TEXTE, TEXT_JA), Text(TRAINING_TEXTE, TEXT_NEIN), Frage_Ja,
                    nullptr, 3, werte, 0, nullptr);
}

bool Talente_Jetzt_Startbar(int32_t spieler, int32_t talent) {
    if (!Darf_Lernen(spieler, talent)) return false;
    if (Attribut_Name(spieler, talent) != 1 && Attribute_Anzahl(spieler) != talent) return false;
    if (Spieler_Status(spieler) & SP_STATUS_VERLETZT) return false;
    if (Spieler_Wert(SPW_TRAINING_EINHEITEN, spieler, 0, OP_LESEN) >= Einheiten_Grenze()) return false;
    const int32_t lokal = Spielerliste_Lokal();
    return lokal >= 0 && Bank_Kontostand(lokal, false, -1) >= Attribut_Get_Preis(talent, spieler);
}

int32_t Talente_Rechte_Liste(int32_t* out) {
    if (!out) return 0;
    int32_t n = 0;
    const int32_t markt = Team_Markt();
    int16_t elf[16];
    if (markt >= 0 && Team_Zeiger(TZ_STARTELF, markt, elf, OP_LESEN))
        for (int32_t i = 0; i < 11; ++i)
            if (elf[i] >= 0 && Gueltig(elf[i])) out[n++] = elf[i];
    std::stable_sort(out, out + n, [](int32_t a, int32_t b) { return Spieler_Get_Art(a) > Spieler_Get_Art(b); });
    const int32_t lokal = Spielerliste_Lokal();
    const int32_t scout = lokal >= 0 ? Team_Wert(TW_SCOUT_SPIELER, lokal, 0, OP_LESEN) : -1;
    if (scout >= 0 && Gueltig(scout)) out[n++] = scout;
    return n;
}

TalenteStand Talente_Stand() {
    TalenteStand s;
    if (!Talente_Offen()) return s;
    s.spieler = g.spieler;
    s.modus = g.modus;
    s.slot = g.slot;
    s.team = g.team;
    s.zeige = g.zeige;
    return s;
}

}  // namespace velmora
