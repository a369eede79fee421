// screens/werbung_screen.cpp - the advertising screen.
#include "screens/werbung_screen.h"

#include <algorithm>

#include "business/bank.h"
#include "business/bank_netz.h"
#include "business/werbung.h"
#include "club/manager.h"
#include "core/meldung.h"
#include "core/text.h"
#include "gfx/bildnr_geld.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue_lokal.h"
#include "screens/geld_knopf.h"

namespace velmora {
namespace {

constexpr uint16_t HELL = 0xFFFF, GELD = 0xDF1B, NEBEN = 0x8C51, GEDAEMPFT = 0xC638;
constexpr int32_t SLAVE = 16000;
constexpr int32_t SLAVE_KNOPF = SLAVE + GELD_STADION_KNOPF;   // the green button, 120 x 30

// WERBUNG_SCREEN: the buttons' labels (0-2) and help (3-5), the list's heads
// (6-10), the lower block (11-15), the offer panel (16-26), the titles (51,
// 52), the agency's strain (55-57).
constexpr int32_t TEXT_KNOPF = 0, TEXT_HILFE = 3, TEXT_KOPF = 6, TEXT_EINNAHMEN = 11, TEXT_ERSATZ_1 = 12,
                  TEXT_ERSATZ_2 = 13, TEXT_ERSATZ_SUMME = 14, TEXT_GESAMT = 15, TEXT_ANGEBOT = 16,
                  TEXT_AGENTUR = 20, TEXT_AGENTUR_PREIS = 21, TEXT_SPIEL = 22,
                  TEXT_SPIELE = 23, TEXT_JE_SPIEL = 24, TEXT_SPERRE_1 = 25, TEXT_SPERRE_N = 26, TEXT_TITEL_ANGEBOT = 51,
                  TEXT_TITEL_PLAETZE = 52, TEXT_BELASTUNG = 55;
constexpr int32_t KOPF_X[5] = {370, 488, 580, 640, 726};
constexpr int32_t ZEILE_Y = 156, ZEILE_ABSTAND = 24, LOGO_X = 350;
constexpr int32_t FONT_GROSS = 11, FONT_KLEIN = 9;
constexpr int8_t PRI_FENSTER = 4, PRI_ICON = 5;

struct WerbungModul {
    bool agentur_gesperrt = false;   // after the strain's last step, until the agency's news
    s_icon fenster, annehmen, agentur, automatik;
    s_icon_text text[3];
};
WerbungModul g;

const char* Text(int32_t nummer) {
    return Text_Oder_Leer(WERBUNG_TEXTE, nummer);
}

int32_t Team() { return Menue_Lokal().team; }

void Zentriert(Rastport* ziel, Font* font, int32_t x, int32_t y, uint16_t farbe, const char* text) {
    Text_Printf(ziel, font, "^c%05d%s", x - Text_Width(font, text) / 2, y, int32_t(farbe), text);
}

void Logo(Rastport* ziel, int32_t sponsor, int32_t x, int32_t y) {
    if (sponsor < 0 || sponsor >= WERBUNG_SPONSOREN) return;
    if (Rastport* rp = Menue_Get_Slave_Rastport(SLAVE + GELD_SPONSOR_LOGO + sponsor, nullptr))
        Rastport_Blit(rp, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
}

// The agency's button rests while its news is on the way or after the last strain step.
void Agentur_Status() {
    const Werbung_Datensatz* w = Werbung_Get_Team(Team());
    if (w && w->countdown == 0) g.agentur_gesperrt = false;
    const bool frei = w && !g.agentur_gesperrt && w->countdown == 0;
    g.agentur.Status = frei ? (g.agentur.Status & ~ICON_ST_GESPERRT) : (g.agentur.Status | ICON_ST_GESPERRT);
}

void Knopf_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    const int32_t team = Team();
    Werbung_Datensatz* w = Werbung_Get_Team(team);
    if (!w) return;
    switch (icon->nummer) {
    case ICON_WERBUNG_ANNEHMEN: Werbung_Angebot_Annehmen(team); break;
    case ICON_WERBUNG_AGENTUR: {
        if (icon->Status & ICON_ST_GESPERRT) return;
        Werbung_Angebot_Erzeugen(team, 1);
        const int32_t stufe = Werbung_Altern(team);
        if (stufe >= 1 && stufe <= 3) Meldung("%s", Text(TEXT_BELASTUNG + stufe - 1));
        if (stufe == 3) g.agentur_gesperrt = true;
        Bank_Sync_Status(team);
        Agentur_Status();
        break;
    }
    case ICON_WERBUNG_AUTOMATIK: {
        const int32_t an = w->automatisch ? 0 : 1;
        if (Werbung_Automatik_Setzen(team, an)) Manager_Icon_Button_An_Aus(team, ICON_WERBUNG_AUTOMATIK, an);
        if (Werbung_Datensatz* neu = Werbung_Get_Team(team))
            g.automatik.bild = SLAVE_KNOPF + (neu->automatisch ? 1 : 0);
        break;
    }
    default: break;
    }
}

const char* Spiele_Text(int32_t n) { return Text(n == 1 ? TEXT_SPIEL : TEXT_SPIELE); }

// The offer: its sponsor, category, duration, values per match and lock.
void Angebot_Zeichnen(Rastport* ziel, Font* gross, Font* klein, const Werbung_Datensatz& w, int32_t team) {
    Zentriert(ziel, gross, 116, 108, HELL, Text(TEXT_TITEL_ANGEBOT));
    for (int32_t k = 0; k < 4; ++k)
        Text_Printf(ziel, klein, "^c%05d%s", 19, k < 3 ? 199 + 40 * k : 363, int32_t(GEDAEMPFT), Text(TEXT_ANGEBOT + k));
    if (w.angebot_wert == 0) return;
    Logo(ziel, w.angebot_sponsor, 117 - GELD_LOGO_B / 2, 136);
    Zentriert(ziel, gross, 117, 173, HELL, Werbung_Sponsor_Name(w.angebot_sponsor));
    Text_Printf(ziel, klein, "^c%05d%s", 19, 216, int32_t(HELL), Werbung_Kategorie_Name(w.angebot_kategorie));
    Text_Printf(ziel, klein, "^c%05d^tl0019%d %s", 0, 256, int32_t(HELL), w.angebot_dauer, Spiele_Text(w.angebot_dauer));
    if (w.angebot_kategorie == 3) {
        // A replacement partner pays per empty place of each category: each
        // amount beside its category's name, "je Spiel" once over the column.
        Text_Printf(ziel, klein, "^c%05d^tr0212%s", 0, 279, int32_t(GEDAEMPFT), Text(TEXT_JE_SPIEL));
        for (int32_t k = 0; k < 3; ++k) {
            Text_Printf(ziel, klein, "^c%05d%s", 19, 296 + 22 * k, int32_t(GEDAEMPFT), Werbung_Kategorie_Name(k));
            Text_Printf(ziel, klein, "^c%05d^fb0009^tr0212%s^fe", 0, 296 + 22 * k, int32_t(GELD),
                        Geld_Text(float(w.angebot_ersatz[k]), team, -1));
        }
    } else {
        Text_Printf(ziel, klein, "^c%05d^fb0009^tr0212%s^fe %s", 0, 296, int32_t(GELD),
                    Geld_Text(float(w.angebot_wert), team, -1), Text(TEXT_JE_SPIEL));
    }
    Text_Printf(ziel, klein, "^c%05d^tl0019%d %s", 0, 380, int32_t(HELL), w.angebot_sperre,
                Text(w.angebot_sperre == 1 ? TEXT_SPERRE_1 : TEXT_SPERRE_N));
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    Font* klein = Font_Get(FONT_KLEIN);
    const int32_t team = Team();
    const Werbung_Datensatz* w = Werbung_Get_Team(team);
    if (!ziel || !gross || !klein || !w) return;
    Agentur_Status();
    Angebot_Zeichnen(ziel, gross, klein, *w, team);
    Text_Printf(ziel, gross, "^c%05d%s", 269, 108, int32_t(HELL), Text(TEXT_TITEL_PLAETZE));
    for (int32_t k = 0; k < 5; ++k) Zentriert(ziel, klein, KOPF_X[k], 132, GEDAEMPFT, Text(TEXT_KOPF + k));
    // The places: category, logo, sponsor, matches left, lock, value per match.
    int64_t summe = 0;
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) {
        const int32_t y = ZEILE_Y + ZEILE_ABSTAND * p;
        Text_Printf(ziel, klein, "^c%05d%s", 264, y, int32_t(GEDAEMPFT),
                    Werbung_Kategorie_Name(Werbung_Kategorie_Von(p)));
        if (w->wert[p] == 0) continue;
        summe += w->wert[p];
        Logo(ziel, w->sponsor[p], LOGO_X, y - 15);
        Text_Printf(ziel, klein, "^c%05d^tl0424%s^tz0588%d", 0, y, int32_t(HELL), Werbung_Sponsor_Name(w->sponsor[p]),
                    w->spiele[p]);
        if (w->sperre[p] > 0) Text_Printf(ziel, klein, "^c%05d^tz0640%d", 0, y, int32_t(NEBEN), w->sperre[p]);
        Text_Printf(ziel, klein, "^c%05d^fb0012^tr0777%s^fe", 0, y, int32_t(GELD), Geld_Text(float(w->wert[p]), team, -1));
    }
    // The replacement partner pays for the empty places of each category.
    int32_t leer[3] = {};
    for (int32_t p = 0; p < WERBUNG_ERSATZ_PLATZ; ++p)
        if (w->wert[p] == 0) ++leer[Werbung_Kategorie_Von(p)];
    int64_t ersatz = 0;
    const bool hat_ersatz = w->wert[WERBUNG_ERSATZ_PLATZ] != 0;
    for (int32_t k = 0; k < 3; ++k) {
        const int32_t zahlung = hat_ersatz ? w->ersatz[k] : 0;
        ersatz += int64_t(zahlung) * leer[k];
        // Each line names its category: empty places of it times what the partner pays for one.
        Text_Printf(ziel, klein, "^c%05d^tr0660%s", 0, 410 + 19 * k, int32_t(NEBEN), Werbung_Kategorie_Name(k));
        Text_Printf(ziel, klein, "^c%05d^tr0699%dx^fb0009^tr0777%s^fe", 0, 410 + 19 * k, int32_t(GELD), leer[k],
                    Geld_Text(float(zahlung), team, -1));
    }
    Text_Printf(ziel, klein, "^c%05d%s", 269, 387, int32_t(HELL), Text(TEXT_EINNAHMEN));
    Text_Printf(ziel, klein, "^c%05d^fb0012^tr0777%s^fe", 0, 387, int32_t(GELD), Geld_Text(float(summe), team, -1));
    Text_Printf(ziel, klein, "^c%05d%s", 269, 415, int32_t(NEBEN), Text(TEXT_ERSATZ_1));
    Text_Printf(ziel, klein, "^c%05d%s", 269, 435, int32_t(NEBEN), Text(TEXT_ERSATZ_2));
    Text_Printf(ziel, klein, "^c%05d%s", 269, 466, int32_t(HELL), Text(TEXT_ERSATZ_SUMME));
    Text_Printf(ziel, klein, "^c%05d^fb0012^tr0777%s^fe", 0, 466, int32_t(GELD), Geld_Text(float(ersatz), team, -1));
    Text_Printf(ziel, gross, "^c%05d%s", 264, 495, int32_t(HELL), Text(TEXT_GESAMT));
    Text_Printf(ziel, gross, "^c%05d^fb0012^tr0777%s^fe", 0, 498, int32_t(GELD),
                Geld_Text(float(summe + ersatz), team, -1));
    // The agency and its price.
    Zentriert(ziel, klein, 119, 488, HELL, Text(TEXT_AGENTUR));
    Text_Printf(ziel, klein, "^c%05d^tz0119%s %s", 0, 506, int32_t(GEDAEMPFT), Text(TEXT_AGENTUR_PREIS),
                Geld_Text(float(Werbung_Agentur_Preis(team)), team, -1));
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t k, int32_t bild) {
    return Geld_Knopf(nummer, x, y, bild, bild + 1, &g.text[k], Text(TEXT_KNOPF + k), FONT_KLEIN, Knopf_Klick,
                      Text(TEXT_HILFE + k), PRI_ICON);
}

}  // namespace

void Werbung_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_WERBUNG_FENSTER)) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    const int32_t team = Team();
    const Werbung_Datensatz* w = Werbung_Get_Team(team);
    g.fenster = Menue_Icon_Neu(ICON_WERBUNG_FENSTER, 3, 86, SLAVE + GELD_WERBUNG_FENSTER, 0, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.annehmen = Knopf(ICON_WERBUNG_ANNEHMEN, 61, 405, 0, SLAVE_KNOPF);
    g.agentur = Knopf(ICON_WERBUNG_AGENTUR, 61, 521, 1, SLAVE_KNOPF);
    g.automatik = Knopf(ICON_WERBUNG_AUTOMATIK, 442, 520, 2, SLAVE_KNOPF);
    // The switch shows pressed while on.
    g.automatik.bild = SLAVE_KNOPF + (w && w->automatisch ? 1 : 0);
    if (w) Manager_Icon_Button_An_Aus(team, ICON_WERBUNG_AUTOMATIK, w->automatisch ? 1 : 0);
    Agentur_Status();
    for (s_icon* i : {&g.fenster, &g.annehmen, &g.agentur, &g.automatik}) Menue_Screen_Icon_Hinzufuegen(i);
}

void Werbung_Screen_Schliessen() {
    for (s_icon* i : {&g.automatik, &g.agentur, &g.annehmen, &g.fenster}) Menue_Screen_Icon_Loeschen(-1, i);
}

bool Werbung_Screen_Agentur_Frei() { return !(g.agentur.Status & ICON_ST_GESPERRT); }

}  // namespace velmora
