// screens/stadion_screen.cpp - the stadium screen.
#include "screens/stadion_screen.h"

#include <algorithm>
#include <string>

#include "business/bank.h"
#include "business/stadion.h"
#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "core/meldung.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bildnr_geld.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "media/sound.h"
#include "screens/bank_screen.h"
#include "screens/geld_knopf.h"

namespace velmora {
namespace {

constexpr uint16_t HELL = 0xFFFF, SCHATTEN = 0x0001;   // 0 would mean "the colour before"
constexpr int32_t SLAVE = 16000;
constexpr uint32_t WARTEN_MS = 100;
constexpr int32_t MODELLE = 6, PLATZ_SCHRITT = 1000, KOMFORT_MAX = 100, OHNE_STADION = 20000;

// STADION_SCREEN: the buttons' labels (6-8), the texts of the page (9-17),
// the largest model (18), the notices (19-21), the buttons' help (22-24).
constexpr int32_t TEXT_KNOPF = 6, TEXT_PREIS = 9, TEXT_KOMFORT = 10, TEXT_JETZT = 11, TEXT_BEZAHLEN = 12,
                  TEXT_MODELL_JETZT = 13, TEXT_MODELL_NEU = 14, TEXT_KOSTEN = 15, TEXT_PLAETZE = 16,
                  TEXT_KAPAZITAET = 17, TEXT_GROESSTES = 18, TEXT_NEUE_PLAETZE = 19, TEXT_NEUER_KOMFORT = 20,
                  TEXT_NEUES_MODELL = 21, TEXT_HILFE = 22;
constexpr int32_t FONT_GROSS = 11, FONT_KLEIN = 9;
constexpr int8_t PRI_FENSTER = 4, PRI_ICON = 5, PRI_FAENGER = 14, PRI_HINWEIS = 15;

struct StadionModul {
    StadionPlan plan;
    uint32_t letzte = 0;
    int32_t sample = 0;          // set by the news for the next notice, 0 none
    std::string hinweis;
    int32_t hinweis_modell = 0;
    s_icon fenster, bild, preis, komfort, plaetze, ausbauen, komfort_zahlen, plaetze_zahlen;
    s_icon faenger, hinweis_fenster;
    s_icon_text text[3];
};
StadionModul g;

const char* Text(int32_t nummer) {
    return Text_Oder_Leer(STADION_TEXTE, nummer);
}

int32_t Team() { return Menue_Lokal().team; }

// The club's stadium as it stands (a stand-in without one).
Stadion_Satz Satz() {
    if (const Stadion_Satz* s = Stadion_Get(Team(), 1)) return *s;
    Stadion_Satz s = Stadion_Ersatz();
    s.kapazitaet = OHNE_STADION;
    return s;
}

int32_t Modell_Wert(int32_t modell, int32_t spalte) {
    return Stadion_Modell_Wert(std::clamp(modell, 0, MODELLE - 1), spalte);
}

// The plans inside the spinners' ranges: comfort from the stadium's to 100,
// capacity within the model's range in whole thousands.
void Plan_Klemmen() {
    const Stadion_Satz s = Satz();
    g.plan.komfort = std::clamp(g.plan.komfort, std::clamp(s.komfort, 0, KOMFORT_MAX), KOMFORT_MAX);
    const int32_t min = Modell_Wert(s.modell, MODELL_MIN_KAPAZITAET), max = Modell_Wert(s.modell, MODELL_MAX_KAPAZITAET);
    g.plan.kapazitaet = std::clamp(g.plan.kapazitaet / PLATZ_SCHRITT * PLATZ_SCHRITT, min, std::max(min, max));
    Manager_Icon_Button_An_Aus(Team(), ICON_STADION_KOMFORT, g.plan.komfort);
    Manager_Icon_Button_An_Aus(Team(), ICON_STADION_PLAETZE, g.plan.kapazitaet);
}

// Makes the change `neu` of the club's stadium for `preis`: on a client the
// server prices and books it; here the bank debits it (never forced) before
// the record changes. False when refused or not paid.
bool Aendern(const Stadion_Satz& neu, int64_t preis) {
    const int32_t team = Team();
    if (Club_Ist_Client()) return Stadion_Netz_Nachricht(team, &neu);
    Stadion_Satz* s = Stadion_Get(team, 1);
    if (!s) return false;
    if (preis > 0 && !Bank_Abbuchung(team, float(preis), BUCHUNG_STADIONBAU, 0, -1)) return false;
    s->modell = neu.modell;
    s->komfort = neu.komfort;
    s->kapazitaet = neu.kapazitaet;
    s->preis = neu.preis;
    return true;
}

bool Darf_Aendern() {
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.letzte != 0 && jetzt - g.letzte < WARTEN_MS) return false;
    g.letzte = jetzt ? jetzt : 1;
    return true;
}

void Spinner_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS) || !Darf_Aendern()) return;
    // The arrow is where the pointer is (not the moving picture's corner).
    int32_t mx = -1, my = -1;
    Menue_Maus_Position(&mx, &my);
    const int32_t schritt = Bank_Screen_Schritt(mx - icon->x);
    if (icon->nummer == ICON_STADION_PREIS) {
        // The ticket price is written at once.
        Stadion_Satz neu = Satz();
        const int32_t preis = std::clamp(neu.preis + schritt, STADION_PREIS_MIN, STADION_PREIS_MAX);
        if (preis == neu.preis) return;
        neu.preis = preis;
        if (Aendern(neu, 0)) Manager_Icon_Button_An_Aus(Team(), ICON_STADION_PREIS, preis);
        return;
    }
    if (icon->nummer == ICON_STADION_KOMFORT) g.plan.komfort += schritt;
    else g.plan.kapazitaet += schritt * PLATZ_SCHRITT;
    Plan_Klemmen();
}

void Hinweis_Text(int32_t nummer, std::initializer_list<TextArg> werte, int32_t sample) {
    const std::string text = Text_Format(Text(nummer), werte);
    Stadion_Screen_Hinweis(text.c_str(), sample);
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    Plan_Klemmen();
    const Stadion_Satz alt = Satz();
    Stadion_Satz neu = alt;
    switch (icon->nummer) {
    case ICON_STADION_AUSBAUEN: {
        if (alt.modell >= MODELLE - 1) {
            Meldung("%s", Text(TEXT_GROESSTES));
            return;
        }
        neu.modell = alt.modell + 1;
        neu.komfort = Modell_Wert(neu.modell, MODELL_NORMKOMFORT);
        neu.kapazitaet = std::max(alt.kapazitaet, Modell_Wert(neu.modell, MODELL_MIN_KAPAZITAET));
        if (!Aendern(neu, Stadion_Umbau_Preis(alt, neu.modell, neu.komfort, neu.kapazitaet))) return;
        g.plan.komfort = neu.komfort;
        g.plan.kapazitaet = std::max(g.plan.kapazitaet, neu.kapazitaet);
        Plan_Klemmen();
        Hinweis_Text(TEXT_NEUES_MODELL, {Stadion_Modell_Name(neu.modell)}, STADION_SAMPLE_BAU);
        return;
    }
    case ICON_STADION_KOMFORT_ZAHLEN: {
        // A plan equal to the stadium pays and books nothing.
        if (g.plan.komfort == alt.komfort) return;
        neu.komfort = g.plan.komfort;
        if (!Aendern(neu, Stadion_Umbau_Preis(alt, alt.modell, neu.komfort, alt.kapazitaet))) return;
        Hinweis_Text(TEXT_NEUER_KOMFORT, {neu.komfort}, STADION_SAMPLE_BAU);
        return;
    }
    case ICON_STADION_PLAETZE_ZAHLEN: {
        if (g.plan.kapazitaet == alt.kapazitaet) return;
        neu.kapazitaet = g.plan.kapazitaet;
        if (!Aendern(neu, Stadion_Umbau_Preis(alt, alt.modell, alt.komfort, neu.kapazitaet))) return;
        char zahl[ZAHL_TEXT_GROESSE];
        Hinweis_Text(TEXT_NEUE_PLAETZE, {Zahl_Text(zahl, neu.kapazitaet, 0)}, STADION_SAMPLE_BAU);
        return;
    }
    default: return;
    }
}

// Text with a black shadow one pixel down and right.
void Schrift(Rastport* ziel, Font* font, int32_t x, int32_t y, const std::string& text) {
    Text_Printf(ziel, font, "^c%05d%s", x + 1, y + 1, int32_t(SCHATTEN), text.c_str());
    Text_Printf(ziel, font, "^c%05d%s", x, y, int32_t(HELL), text.c_str());
}

std::string Fmt(const char* format, std::initializer_list<TextArg> werte) { return Text_Format(format, werte); }

// One model's line: the name centred at 181, its capacities, "Plätze".
std::string Modell_Zeile(int32_t modell) {
    char min[ZAHL_TEXT_GROESSE], max[ZAHL_TEXT_GROESSE];
    Zahl_Text(min, Modell_Wert(modell, MODELL_MIN_KAPAZITAET), 0);
    Zahl_Text(max, Modell_Wert(modell, MODELL_MAX_KAPAZITAET), 0);
    return Fmt("^tz0181%s^tr0403%s-%s %s", {Stadion_Modell_Name(modell), min, max, Text(TEXT_PLAETZE)});
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    Font* klein = Font_Get(FONT_KLEIN);
    if (!ziel || !gross || !klein) return;
    const int32_t team = Team();
    const Stadion_Satz s = Satz();
    g.bild.bild = SLAVE + GELD_STADION_MODELL + std::clamp(s.modell, 0, MODELLE - 1);
    const char* name = Stadion_Modell_Name(s.modell);
    Schrift(ziel, gross, 205 - Text_Width(gross, name) / 2, 417, name);   // between the frame and the board
    Schrift(ziel, gross, 428, 155, Text(TEXT_PREIS));   // on the price board, clear of the model's frame
    Schrift(ziel, gross, 428, 189, Geld_Text(float(s.preis), team, -1));
    // Comfort.
    Schrift(ziel, klein, 554, 262, Text(TEXT_KOMFORT));
    Schrift(ziel, klein, 0, 262, Fmt("^tr0768%s %d%%", {Text(TEXT_JETZT), s.komfort}));
    Schrift(ziel, gross, 554, 288, Fmt("%d%%", {g.plan.komfort}));
    Schrift(ziel, klein, 554, 323, std::string(Text(TEXT_KOSTEN)) + "   " +
                                        Geld_Text(float(Stadion_Screen_Komfort_Kosten()), team, -1));
    Schrift(ziel, klein, 554, 358, Text(TEXT_BEZAHLEN));
    // Capacity.
    char zahl[ZAHL_TEXT_GROESSE];
    Schrift(ziel, klein, 500, 404, Text(TEXT_KAPAZITAET));
    Schrift(ziel, klein, 0, 404,
            Fmt("^tr0768%s %s %s", {Text(TEXT_JETZT), Zahl_Text(zahl, s.kapazitaet, 128), Text(TEXT_PLAETZE)}));
    Schrift(ziel, gross, 500, 430, Fmt("%s %s", {Zahl_Text(zahl, g.plan.kapazitaet, 0), Text(TEXT_PLAETZE)}));
    Schrift(ziel, klein, 500, 465, std::string(Text(TEXT_KOSTEN)) + "   " +
                                        Geld_Text(float(Stadion_Screen_Plaetze_Kosten()), team, -1));
    Schrift(ziel, klein, 500, 500, Text(TEXT_BEZAHLEN));
    // The models: this one, the next one and what it costs.
    Schrift(ziel, klein, 44, 438, Text(TEXT_MODELL_JETZT));
    Schrift(ziel, klein, 0, 438, Modell_Zeile(s.modell));
    if (s.modell < MODELLE - 1) {
        Schrift(ziel, klein, 44, 464, Text(TEXT_MODELL_NEU));
        Schrift(ziel, klein, 0, 464, Modell_Zeile(s.modell + 1));
        Schrift(ziel, klein, 44, 499,
                Fmt("%s^tz0137%s", {Text(TEXT_KOSTEN), Geld_Text(float(Modell_Wert(s.modell + 1, MODELL_BAUPREIS)), team, -1)}));
    } else {
        Schrift(ziel, klein, 44, 464, Text(TEXT_GROESSTES));
    }
}

void Hinweis_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    if (!ziel || !gross) return;
    if (Rastport* bild = Menue_Get_Slave_Rastport(SLAVE + GELD_STADION_MODELL + g.hinweis_modell, nullptr))
        Rastport_Blit(bild, 0, 0, -1, -1, ziel, 74 + 130, 20 + 110, BlitMode_Key);
    Textsatz_Box(ziel, gross, g.hinweis.c_str(), 88, 719, 515, 573, SCHATTEN, 0, -1);
    Textsatz_Box(ziel, gross, g.hinweis.c_str(), 87, 718, 514, 572, HELL, 0, -1);
}

void Hinweis_Schliessen(s_icon*, int32_t ereignis) {
    if (!(ereignis & (EV_LINKS | EV_RECHTS))) return;
    Menue_Screen_Icon_Loeschen(-1, &g.hinweis_fenster);
    Menue_Screen_Icon_Loeschen(-1, &g.faenger);
}

s_icon Spinner(int32_t nummer, int32_t x, int32_t y) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, SLAVE + GELD_STADION_SPINNER, 0, PRI_ICON);
    i.Status = ICON_ST_KEY;
    i.Main_P = Spinner_Klick;
    return i;
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t k) {
    return Geld_Knopf(nummer, x, y, SLAVE + GELD_STADION_KNOPF, SLAVE + GELD_STADION_KNOPF + 1, &g.text[k],
                      Text(TEXT_KNOPF + k), FONT_KLEIN, Knopf_Klick, Text(TEXT_HILFE + k), PRI_ICON);
}

}  // namespace

void Stadion_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_FENSTER)) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    const Stadion_Satz s = Satz();
    const int32_t team = Team();
    g.plan.komfort = Manager_Icon_Button_Lesen(team, ICON_STADION_KOMFORT);
    if (g.plan.komfort <= 0 || g.plan.komfort > KOMFORT_MAX) g.plan.komfort = s.komfort;
    g.plan.kapazitaet = Manager_Icon_Button_Lesen(team, ICON_STADION_PLAETZE);
    if (g.plan.kapazitaet <= 0) g.plan.kapazitaet = s.kapazitaet;
    Plan_Klemmen();
    g.letzte = 0;
    g.fenster = Menue_Icon_Neu(ICON_STADION_FENSTER, 0, 107, SLAVE + GELD_STADION_FENSTER, 0, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.bild = Menue_Icon_Neu(ICON_STADION_BILD, 9, 116, SLAVE + GELD_STADION_MODELL + std::clamp(s.modell, 0, MODELLE - 1),
                            0, PRI_ICON);
    g.preis = Spinner(ICON_STADION_PREIS, 620, 171);
    g.komfort = Spinner(ICON_STADION_KOMFORT, 671, 271);
    g.plaetze = Spinner(ICON_STADION_PLAETZE, 671, 413);
    // The buttons stand inside their boards, 8 pixels from the right edge.
    g.ausbauen = Knopf(ICON_STADION_AUSBAUEN, 282, 483, 0);
    g.komfort_zahlen = Knopf(ICON_STADION_KOMFORT_ZAHLEN, 662, 341, 1);
    g.plaetze_zahlen = Knopf(ICON_STADION_PLAETZE_ZAHLEN, 662, 483, 2);
    for (s_icon* i : {&g.fenster, &g.bild, &g.preis, &g.komfort, &g.plaetze, &g.ausbauen, &g.komfort_zahlen,
                      &g.plaetze_zahlen})
        Menue_Screen_Icon_Hinzufuegen(i);
}

void Stadion_Screen_Schliessen() {
    for (s_icon* i : {&g.hinweis_fenster, &g.faenger, &g.plaetze_zahlen, &g.komfort_zahlen, &g.ausbauen, &g.plaetze,
                      &g.komfort, &g.preis, &g.bild, &g.fenster})
        Menue_Screen_Icon_Loeschen(-1, i);
}

StadionPlan Stadion_Screen_Plan() { return g.plan; }

int64_t Stadion_Screen_Komfort_Kosten() {
    const Stadion_Satz s = Satz();
    return g.plan.komfort > s.komfort ? Stadion_Umbau_Preis(s, s.modell, g.plan.komfort, s.kapazitaet) : 0;
}

int64_t Stadion_Screen_Plaetze_Kosten() {
    const Stadion_Satz s = Satz();
    return g.plan.kapazitaet != s.kapazitaet ? Stadion_Umbau_Preis(s, s.modell, s.komfort, g.plan.kapazitaet) : 0;
}

void Stadion_Screen_Hinweis(const char* text, int32_t sample) {
    g.hinweis = text ? std::string(text).substr(0, 300) : "";
    g.hinweis_modell = std::clamp(Satz().modell, 0, MODELLE - 1);
    Menue_Screen_Icon_Loeschen(-1, &g.hinweis_fenster);
    Menue_Screen_Icon_Loeschen(-1, &g.faenger);
    g.faenger = Menue_Faenger_Neu(ICON_STADION_FAENGER, 0, 0, 800, 600, PRI_FAENGER);
    g.faenger.Main_P = Hinweis_Schliessen;
    g.hinweis_fenster = Menue_Icon_Neu(ICON_STADION_HINWEIS, 74, 20, SLAVE + GELD_STADION_HINWEIS, 0, PRI_HINWEIS);
    g.hinweis_fenster.Status = ICON_ST_KEY;
    g.hinweis_fenster.Main_P = Hinweis_Schliessen;
    g.hinweis_fenster.zeichnen = Hinweis_Zeichnen;
    Menue_Screen_Icon_Hinzufuegen(&g.faenger);
    Menue_Screen_Icon_Hinzufuegen(&g.hinweis_fenster);
    Sample_Spielen(g.sample ? g.sample : sample, false);
    g.sample = 0;
}

bool Stadion_Screen_Hinweis_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_STADION_HINWEIS); }

void Stadion_Screen_Hinweis_Sound(int32_t sample) { g.sample = sample; }

}  // namespace velmora
