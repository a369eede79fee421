// screens/finanzen.cpp - the finance screen.
#include "screens/finanzen.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "business/bank.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/bildnr_geld.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"

namespace velmora {
namespace {

constexpr uint16_t HELL = 0xFFFF, GEDAEMPFT = 0xC638;
constexpr int32_t SLAVE = 16000;

// The rows in display order: the label's text and the booking category.
struct Zeile {
    int32_t text;
    uint8_t kategorie;
};
constexpr Zeile ZEILEN[FINANZ_ZEILEN] = {
    {10, BUCHUNG_WERBUNG},       {9, BUCHUNG_EINTRITT},           {8, BUCHUNG_TRANSFER_EIN},
    {11, BUCHUNG_SONSTIGE_EINNAHMEN}, {17, BUCHUNG_WERBUNG_KOSTEN}, {16, BUCHUNG_STADION_UNTERHALT},
    {15, BUCHUNG_STADIONBAU},    {13, BUCHUNG_TRANSFER_AUS},      {12, BUCHUNG_SPIELERKOSTEN},
    {14, BUCHUNG_TRAINING},      {18, BUCHUNG_SONSTIGE_KOSTEN}};

// FINANZ_SCREEN texts: title, the buttons' help, the headers, the total, the result, the spectators.
constexpr int32_t TEXT_TITEL = 0, TEXT_HILFE = 1, TEXT_EINNAHMEN = 4, TEXT_AUSGABEN = 5, TEXT_SUMME = 6,
                  TEXT_ERGEBNIS = 7, TEXT_ZUSCHAUER = 26;

// The layout on the screen (tab stops are screen columns, the lines drawn from x 0).
constexpr int32_t FENSTER_X = 63, FENSTER_Y = 86, ZURUECK_X = 81, VOR_X = 113, KNOPF_Y = 466;
constexpr int32_t TITEL_X = 213, TITEL_Y = 108, EIN_KOPF_Y = 131, EIN_Y = 151, EIN_SUMME_Y = 222;
constexpr int32_t AUS_KOPF_Y = 245, AUS_Y = 265, AUS_SUMME_Y = 388, ZEILE_ABSTAND = 17;
constexpr int32_t BILD_X = 422, BILD_Y = 398, BILD_ABSTAND = 6, ERGEBNIS_RECHTS = 564, ERGEBNIS_Y = 417, SPIEL_Y = 475, TORE_Y = 495, ZUSCHAUER_Y = 515,
                  OFFEN_Y = 508;
// The match's box of the window picture (its left edge and width in the
// picture) and the room its line keeps from the box's edges: each club's name
// is cut to the room between its edge and the line's dash.
constexpr int32_t SPIEL_KASTEN_X = 146, SPIEL_KASTEN_B = 250, SPIEL_RAND = 8;
constexpr int32_t SPIEL_HEIM_RECHTS = 324, SPIEL_GAST_LINKS = 348;
constexpr int32_t FONT_TITEL = 11, FONT_ZEILE = 9, FONT_SUMME = 12, FONT_KLEIN = 8;
constexpr int8_t PRI_FENSTER = 4, PRI_KNOPF = 5;

struct FinanzModul {
    int32_t versatz = -1;
    s_icon fenster, zurueck, vor;
};
FinanzModul g;

const char* Text(int32_t nummer) {
    return Text_Oder_Leer(FINANZ_TEXTE, nummer);
}

int32_t Team() { return Menue_Lokal().team; }

FinanzWerte Werte(int32_t versatz) {
    const MenueLokal& l = Menue_Lokal();
    return Finanz_Werte_Berechnen(l.team, versatz, l.gegner, l.seite == 1);
}

// The oldest period that still has bookings: counting down from the open one
// while periods have bookings, never past what the account's ring can hold.
int32_t Aeltester(int32_t team) {
    Bank_Konto k;
    if (!Bank_Konto_Lesen(team, &k)) return 0;
    const int32_t grenze = -std::min<int32_t>(int32_t(std::min<uint32_t>(k.periode, BANK_BUCHUNGEN)), BANK_BUCHUNGEN);
    int32_t v = 0;
    while (v > grenze && Bank_Periode_Hat_Buchungen(team, v - 1)) --v;
    return v;
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    const int32_t team = Team();
    if (icon->nummer == ICON_FINANZ_ZURUECK) {
        g.versatz = Bank_Periode_Hat_Buchungen(team, g.versatz - 1) && g.versatz - 1 >= Aeltester(team)
                        ? g.versatz - 1 : 0;
    } else if (icon->nummer == ICON_FINANZ_VOR) {
        g.versatz = g.versatz + 1 > 0 ? Aeltester(team) : g.versatz + 1;
    }
}

int32_t Anteil(int32_t wert, int32_t summe) {
    return int32_t(std::lround(double(wert) * 100.0 / double(summe ? summe : 1)));
}

// One board: its header, its rows with their shares, its total (the whole,
// 100 %, when there is any; a board with nothing booked shows 0 %).
void Tafel(Rastport* ziel, const FinanzWerte& w, int32_t erste, int32_t anzahl, int32_t kopf_text, int32_t kopf_y,
           int32_t y0, int32_t summe_y, int32_t summe) {
    Font* titel = Font_Get(FONT_TITEL);
    Font* zeile = Font_Get(FONT_ZEILE);
    Font* gross = Font_Get(FONT_SUMME);
    const int32_t team = Team();
    if (titel) Text_Printf(ziel, titel, "^c%05d%s", TITEL_X, kopf_y, int32_t(HELL), Text(kopf_text));
    for (int32_t i = 0; i < anzahl && zeile; ++i) {
        const int32_t r = erste + i, y = y0 + ZEILE_ABSTAND * i;
        Text_Printf(ziel, zeile, "^c%05d^tl0228%s^fb0009^tr0564%s^fe", 0, y, int32_t(HELL), Text(ZEILEN[r].text),
                    Geld_Text(float(w.wert[r]), team, -1));
        Text_Printf(ziel, zeile, "^c%05d^fb0009^tr0735%d^fe %%", 0, y, int32_t(HELL), Anteil(w.wert[r], summe));
    }
    if (gross)
        Text_Printf(ziel, gross, "^c%05d^tl0213%s^fb0012^tr0564%s^tr0735%d^fe %%", 0, summe_y, int32_t(HELL),
                    Text(TEXT_SUMME), Geld_Text(float(summe), team, -1), summe ? 100 : 0);
}

void Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    const FinanzWerte w = Werte(g.versatz);
    int32_t ein = 0, aus = 0;
    for (int32_t r = 0; r < FINANZ_ZEILEN; ++r) (r < FINANZ_EINNAHME_ZEILEN ? ein : aus) += w.wert[r];
    if (Font* titel = Font_Get(FONT_TITEL))
        Text_Printf(ziel, titel, "^c%05d%s", TITEL_X, TITEL_Y, int32_t(HELL), Text(TEXT_TITEL));
    Tafel(ziel, w, 0, FINANZ_EINNAHME_ZEILEN, TEXT_EINNAHMEN, EIN_KOPF_Y, EIN_Y, EIN_SUMME_Y, ein);
    Tafel(ziel, w, FINANZ_EINNAHME_ZEILEN, FINANZ_ZEILEN - FINANZ_EINNAHME_ZEILEN, TEXT_AUSGABEN, AUS_KOPF_Y, AUS_Y,
          AUS_SUMME_Y, aus);
    // The result's picture stands left of its amount: where a long amount
    // (or its minus sign) would run under it, the picture moves left with it.
    const std::string ergebnis = Geld_Text(float(ein) - float(aus), Team(), -1);
    Font* gross = Font_Get(FONT_SUMME);
    if (Rastport* bild = Menue_Get_Slave_Rastport(SLAVE + (ein - aus >= 0 ? GELD_BILD_GEWINN : GELD_BILD_VERLUST), nullptr)) {
        const int32_t links = ERGEBNIS_RECHTS - Text_Width(gross, ("^fb0012" + ergebnis).c_str());
        const int32_t x = std::min(BILD_X, links - BILD_ABSTAND - int32_t(bild->width));
        Rastport_Blit(bild, 0, 0, -1, -1, ziel, x, BILD_Y, BlitMode_Key);
    }
    if (gross)
        Text_Printf(ziel, gross, "^c%05d^tl0213%s^fb0012^tr0564%s^fe", 0, ERGEBNIS_Y, int32_t(HELL),
                    Text(TEXT_ERGEBNIS), ergebnis.c_str());
    Font* titel = Font_Get(FONT_TITEL);
    Font* klein = Font_Get(FONT_KLEIN);
    if (titel && w.heim >= 0 && w.gast >= 0) {
        char heim[128], gast[128];
        Str_Auf_Breite(Team_String(TS_NAME_KURZ, w.heim, 0, 0), heim, sizeof heim, titel,
                       SPIEL_HEIM_RECHTS - (FENSTER_X + SPIEL_KASTEN_X + SPIEL_RAND));
        Str_Auf_Breite(Team_String(TS_NAME_KURZ, w.gast, 0, 0), gast, sizeof gast, titel,
                       FENSTER_X + SPIEL_KASTEN_X + SPIEL_KASTEN_B - SPIEL_RAND - SPIEL_GAST_LINKS);
        Text_Printf(ziel, titel, "^c%05d^tr%04d%s^tz0334-^tl%04d%s", 0, SPIEL_Y, int32_t(HELL), SPIEL_HEIM_RECHTS, heim,
                    SPIEL_GAST_LINKS, gast);
    }
    if (!klein) return;
    if (w.tore_heim >= 0) {
        Text_Printf(ziel, klein, "^c%05d^tr0328%d^tz0334:^tl0344%d", 0, TORE_Y, int32_t(GEDAEMPFT), w.tore_heim,
                    w.tore_gast);
        Text_Printf(ziel, klein, "^c%05d^tz0334%s %s", 0, ZUSCHAUER_Y, int32_t(GEDAEMPFT),
                    Zahl_Text(nullptr, w.zuschauer, 1), Text(TEXT_ZUSCHAUER));
    } else {
        Text_Printf(ziel, klein, "^c%05d^tz0334%s", 0, OFFEN_Y, int32_t(GEDAEMPFT), "( - : - )");
    }
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t bild) {
    s_icon k = Menue_Icon_Neu(nummer, x, KNOPF_Y, SLAVE + bild, 0, PRI_KNOPF);
    k.bild_gedrueckt = SLAVE + bild + 1;
    k.Status = ICON_ST_DRUCK | ICON_ST_KEY;
    k.Main_P = Knopf_Klick;
    k.hilfe = Text(TEXT_HILFE);
    return k;
}

}  // namespace

uint8_t Finanz_Zeile_Kategorie(int32_t zeile) {
    if (zeile < 0 || zeile >= FINANZ_ZEILEN) return BUCHUNG_KEINE;
    return uint8_t(ZEILEN[zeile].kategorie | (zeile < FINANZ_EINNAHME_ZEILEN ? BUCHUNG_EINNAHME : 0));
}

const char* Finanz_Zeile_Text(int32_t zeile) {
    return zeile >= 0 && zeile < FINANZ_ZEILEN ? Text(ZEILEN[zeile].text) : "";
}

FinanzWerte Finanz_Werte_Berechnen(int32_t team, int32_t versatz, int32_t gegner, bool auswaerts) {
    FinanzWerte w;
    for (int32_t r = 0; r < FINANZ_ZEILEN; ++r)
        w.wert[r] = int32_t(Bank_Kategorie_Summe(team, versatz, Finanz_Zeile_Kategorie(r)));
    auto figur = [&](uint8_t kategorie) {
        return int32_t(Bank_Kategorie_Summe(team, versatz, uint8_t(kategorie | BUCHUNG_EINNAHME)));
    };
    w.heim = figur(BUCHUNG_SPIEL_HEIM);
    w.gast = figur(BUCHUNG_SPIEL_GAST);
    w.tore_heim = figur(BUCHUNG_SPIEL_TORE_HEIM);
    w.tore_gast = figur(BUCHUNG_SPIEL_TORE_GAST);
    w.zuschauer = figur(BUCHUNG_SPIEL_ZUSCHAUER);
    if (w.heim == 0) {
        // No match recorded: the club and its current opponent.
        w.heim = auswaerts ? gegner : team;
        w.gast = auswaerts ? team : gegner;
        w.tore_heim = -1;
    }
    // A figure naming no club of the world (a damaged account) shows no teams.
    if (w.heim >= Team_Anzahl() || w.gast >= Team_Anzahl()) w.heim = w.gast = -1;
    return w;
}

void Finanz_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_FINANZ_FENSTER)) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    g.versatz = Bank_Periode_Hat_Buchungen(Team(), -1) ? -1 : 0;
    g.fenster = Menue_Icon_Neu(ICON_FINANZ_FENSTER, FENSTER_X, FENSTER_Y, SLAVE + GELD_FINANZ_FENSTER, 0, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Zeichnen;
    g.zurueck = Knopf(ICON_FINANZ_ZURUECK, ZURUECK_X, GELD_FINANZ_ZURUECK);
    g.vor = Knopf(ICON_FINANZ_VOR, VOR_X, GELD_FINANZ_VOR);
    for (s_icon* i : {&g.fenster, &g.zurueck, &g.vor}) Menue_Screen_Icon_Hinzufuegen(i);
}

void Finanz_Screen_Schliessen() {
    for (s_icon* i : {&g.vor, &g.zurueck, &g.fenster}) Menue_Screen_Icon_Loeschen(-1, i);
}

int32_t Finanz_Screen_Versatz() { return g.versatz; }

}  // namespace velmora
