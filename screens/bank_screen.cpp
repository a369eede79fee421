// screens/bank_screen.cpp - the bank screen.
#include "screens/bank_screen.h"

#include <algorithm>
#include <string>

#include "bilder/wappen.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/news.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/meldung.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bildnr_geld.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "screens/geld_knopf.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr uint16_t HELL = 0xFFFF, SCHULD = 0xFAA0, GUTHABEN = 0x4E53;
constexpr int32_t SLAVE_ZEMO = 16000, SLAVE_HASK = 24000;
constexpr uint32_t WARTEN_MS = 150;
constexpr uint32_t ANFRAGE_FLAGS = 0x1005;

// BANK_SCREEN: the title, the column heads, the sum, the inputs' labels, the
// apply button, the bank's name, one period and more.
constexpr int32_t TEXT_TITEL = 0, TEXT_SUMME = 4, TEXT_LABEL = 5, TEXT_KNOPF = 9, TEXT_BANK = 10, TEXT_PERIODE = 17,
                  TEXT_PERIODEN = 18;
// ZUSATZTEXTE_TROBE: the help texts (0-9), the request (16) and its confirmation (17).
constexpr int32_t HILFE_KOPF = 0, HILFE_SUMME = 4, HILFE_GEBER = 5, HILFE_BETRAG = 6, HILFE_LAUFZEIT = 7,
                  HILFE_ZINS = 8, HILFE_ANTRAG = 9, TEXT_ANFRAGE = 16, TEXT_ANFRAGE_GESENDET = 17;

// The layout.
constexpr int32_t FENSTER_Y = 107, EINGABE_X = 95, KNOPF_X = 409, KNOPF_Y = 471;
constexpr int32_t EINGABE_Y[4] = {284, 347, 412, 477};
constexpr int32_t LABEL_Y[4] = {273, 337, 403, 468};
constexpr int32_t WERT_Y[4] = {302, 366, 431, 496};
constexpr int32_t TITEL_X = 198, TITEL_Y = 125, KOPF_Y = 142, POSTEN_Y = 143, POSTEN_ABSTAND = 17, SUMME_Y = 218;
constexpr int32_t BANK_BILD_X = 572, BANK_BILD_Y = 266, WAPPEN_X = 639, WAPPEN_Y = 308, WAPPEN_GROESSE = 66,
                  GEBER_NAME_X = 669, GEBER_NAME_Y = 290;
constexpr int32_t FONT_GROSS = 11, FONT_KLEIN = 9;
constexpr int8_t PRI_FENSTER = 4, PRI_ICON = 5;

struct BankModul {
    BankEingaben e;
    uint32_t letzte = 0;          // the time of the last change
    uint32_t losgelassen = 0;     // when a spinner's pressed arrow comes up again
    s_icon* gedrueckt = nullptr;
    s_icon fenster, geber, betrag, laufzeit, zins, antrag;
    s_icon_text knopf_text;
};
BankModul g;

const char* Text(const char* datei, int32_t nummer) {
    return Text_Oder_Leer(datei, nummer);
}

int32_t Team() { return Menue_Lokal().team; }

// The clubs whose managers take turns, the own club left out.
int32_t Andere_Clubs(int32_t* liste) {
    int32_t alle[TEAM_MAX];
    const int32_t n = Manager_Ist_Dran(alle, 0, 1);
    int32_t m = 0;
    for (int32_t i = 0; i < n; ++i)
        if (alle[i] != Team() && alle[i] > 0) liste[m++] = alle[i];
    return m;
}

bool Ist_Anderer_Club(int32_t team) {
    int32_t liste[TEAM_MAX];
    const int32_t n = Andere_Clubs(liste);
    return std::find(liste, liste + n, team) != liste + n;
}

int32_t Bank_Zins(int32_t laufzeit) { return int32_t(Bank_Kreditzins(Bank_Stufe(laufzeit))); }

void Speichern() {
    const int32_t t = Team();
    Manager_Icon_Button_An_Aus(t, ICON_BANK_GEBER, g.e.geber);
    Manager_Icon_Button_An_Aus(t, ICON_BANK_BETRAG, g.e.betrag);
    Manager_Icon_Button_An_Aus(t, ICON_BANK_LAUFZEIT, g.e.laufzeit);
    Manager_Icon_Button_An_Aus(t, ICON_BANK_ZINS, g.e.zins);
}

// The amount in whole steps within its range.
int32_t Betrag_Klemmen(int64_t betrag) {
    const int64_t b = std::clamp<int64_t>(betrag, BANK_BETRAG_MIN, BANK_BETRAG_MAX);
    return int32_t(b / BANK_BETRAG_SCHRITT * BANK_BETRAG_SCHRITT);
}

// The inputs from the icon values, every one clamped into its range; a lender
// that no longer takes turns becomes the bank, and the bank's rate follows the term.
void Laden() {
    const int32_t t = Team();
    g.e.geber = Manager_Icon_Button_Lesen(t, ICON_BANK_GEBER);
    if (g.e.geber != 0 && !Ist_Anderer_Club(g.e.geber)) g.e.geber = 0;
    g.e.betrag = Betrag_Klemmen(Manager_Icon_Button_Lesen(t, ICON_BANK_BETRAG));
    const int32_t laufzeit = Manager_Icon_Button_Lesen(t, ICON_BANK_LAUFZEIT);
    g.e.laufzeit = laufzeit < BANK_LAUFZEIT_MIN || laufzeit > BANK_LAUFZEIT_MAX ? BANK_LAUFZEIT_MIN : laufzeit;
    g.e.zins = std::clamp(Bank_Zins(g.e.laufzeit), BANK_ZINS_MIN, BANK_ZINS_MAX);
    Speichern();
}

bool Darf_Aendern() {
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.letzte != 0 && jetzt - g.letzte < WARTEN_MS) return false;
    g.letzte = jetzt ? jetzt : 1;
    return true;
}

void Geber_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || !Darf_Aendern()) return;
    int32_t liste[TEAM_MAX];
    const int32_t n = Andere_Clubs(liste);
    if (n == 0) return;
    const int32_t* it = std::find(liste, liste + n, g.e.geber);
    g.e.geber = g.e.geber == 0 ? liste[0] : (it == liste + n || it + 1 == liste + n ? 0 : *(it + 1));
    if (g.e.geber == 0) g.e.zins = std::clamp(Bank_Zins(g.e.laufzeit), BANK_ZINS_MIN, BANK_ZINS_MAX);
    Speichern();
}

void Spinner_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS) || !Darf_Aendern()) return;
    int32_t mx = 0, my = 0;
    Menue_Maus_Position(&mx, &my);
    const int32_t schritt = Bank_Screen_Schritt(mx - icon->x);
    // The pressed arrow shows for a moment: 110 ten down, 111 one down, 112 ten up, 113 one up.
    const int32_t bild = schritt == -10 ? 0 : schritt == -1 ? 1 : schritt == 10 ? 2 : 3;
    icon->bild = SLAVE_HASK + GELD_HASK_SPINNER + bild;
    g.gedrueckt = icon;
    g.losgelassen = Menue_Get_Zeit() + WARTEN_MS;
    switch (icon->nummer) {
    case ICON_BANK_BETRAG:
        g.e.betrag = Betrag_Klemmen(int64_t(g.e.betrag) + int64_t(schritt) * BANK_BETRAG_SCHRITT);
        break;
    case ICON_BANK_LAUFZEIT:
        g.e.laufzeit = std::clamp(g.e.laufzeit + schritt, BANK_LAUFZEIT_MIN, BANK_LAUFZEIT_MAX);
        if (g.e.geber == 0) g.e.zins = std::clamp(Bank_Zins(g.e.laufzeit), BANK_ZINS_MIN, BANK_ZINS_MAX);
        break;
    case ICON_BANK_ZINS:
        if (g.e.geber != 0) g.e.zins = std::clamp(g.e.zins + schritt, BANK_ZINS_MIN, BANK_ZINS_MAX);
        break;
    default: break;
    }
    Speichern();
}

// Apply: a request to the lending club through its news, or the bank's loan.
void Antrag_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    const int32_t team = Team();
    if (g.e.geber != 0 && Bank_Anzahl_Posten(team) < BANK_POSTEN_MAX) {
        int32_t kopf[10] = {BANK_ANFRAGE_ART, team, g.e.geber, Tag_Index() + BANK_ANFRAGE_FRIST, g.e.betrag,
                            g.e.zins, g.e.laufzeit, 0, 0, 0};
        const std::string text = Text_Format(Text(BANK_HILFE_TEXTE, TEXT_ANFRAGE), {Team_String(TS_NAME_KURZ, team, 0, 0)});
        News_Add(team, g.e.geber, -1, int32_t(ANFRAGE_FLAGS), kopf, "%s", text.c_str());
        Meldung("%s", Text_Format(Text(BANK_HILFE_TEXTE, TEXT_ANFRAGE_GESENDET), {Manager_Name(g.e.geber)}).c_str());
        return;
    }
    if (!Bank_Kredit(-1, team, float(g.e.betrag), g.e.laufzeit, 0, float(g.e.zins), 0)) {
        // Refused: the screen offers what the bank would lend.
        g.e.betrag = Betrag_Klemmen(int64_t(Bank_Kredit_Angebot()));
        Speichern();
    }
}

// The window's help by the pointer's place: the column heads, the sum, the rate's band.
const char* Fenster_Hilfe(s_icon*) {
    int32_t x = 0, y = 0;
    Menue_Maus_Position(&x, &y);
    // The title has its own line above the three column heads.
    if (y >= 111 && y <= 146) {
        constexpr int32_t X0[4] = {196, 326, 431, 531}, X1[4] = {309, 391, 509, 659};
        const int32_t erste = y <= 129 ? 0 : 1, letzte = y <= 129 ? 0 : 3;
        for (int32_t k = erste; k <= letzte; ++k)
            if (x >= X0[k] && x <= X1[k]) return Text(BANK_HILFE_TEXTE, HILFE_KOPF + k);
    }
    if (y >= 201 && y <= 224 && x >= 436 && x <= 659) return Text(BANK_HILFE_TEXTE, HILFE_SUMME);
    if (y >= 456 && y <= 504 && x >= 91 && x <= 374) return Text(BANK_HILFE_TEXTE, HILFE_ZINS);
    return nullptr;
}

const char* Perioden_Text(int32_t n) { return Text(BANK_TEXTE, n == 1 ? TEXT_PERIODE : TEXT_PERIODEN); }

// A club's name cut to the list's column.
std::string Name_In_Spalte(const char* name, Font* font) {
    char aus[128];
    return Str_Auf_Breite(name ? name : "", aus, sizeof aus, font, 120);
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    Font* klein = Font_Get(FONT_KLEIN);
    if (!ziel || !gross || !klein) return;
    // A spinner's arrow comes up again after its moment.
    if (g.gedrueckt && Menue_Get_Zeit() >= g.losgelassen) {
        g.gedrueckt->bild = SLAVE_ZEMO + GELD_SPINNER;
        g.gedrueckt = nullptr;
    }
    // Lender and rate are free only with another club taking turns; the rate only while a club lends.
    int32_t andere[TEAM_MAX];
    const bool mehrere = Andere_Clubs(andere) > 0;
    if (!mehrere) g.e.geber = 0;
    g.geber.Status = mehrere ? (g.geber.Status & ~ICON_ST_GESPERRT) : (g.geber.Status | ICON_ST_GESPERRT);
    g.zins.Status = g.e.geber != 0 ? (g.zins.Status & ~ICON_ST_GESPERRT) : (g.zins.Status | ICON_ST_GESPERRT);
    if (g.e.geber == 0) g.e.zins = std::clamp(Bank_Zins(g.e.laufzeit), BANK_ZINS_MIN, BANK_ZINS_MAX);

    const int32_t team = Team();
    Text_Printf(ziel, gross, "^c%05d%s", TITEL_X, TITEL_Y, int32_t(HELL), Text(BANK_TEXTE, TEXT_TITEL));
    Text_Printf(ziel, klein, "^c%05d^tl0330%s", 0, KOPF_Y, int32_t(HELL), Text(BANK_TEXTE, 1));
    Text_Printf(ziel, klein, "^c%05d^tr0496%s", 0, KOPF_Y, int32_t(HELL), Text(BANK_TEXTE, 2));
    Text_Printf(ziel, klein, "^c%05d^tr0656%s", 0, KOPF_Y, int32_t(HELL), Text(BANK_TEXTE, 3));
    int32_t cursor = 0, zeile = 0;
    float summe = 0;
    while (const Bank_Kredit_Posten* p = Bank_Posten_Holen(team, &cursor)) {
        const int32_t y = POSTEN_Y + 17 + POSTEN_ABSTAND * zeile++;
        const bool kredit = p->gesamt < -1;
        summe += p->gesamt;
        const char* name = p->partei == 0 ? Text(BANK_TEXTE, TEXT_BANK)
                           : p->partei > 0 && p->partei < Team_Anzahl() ? Team_String(TS_NAME, p->partei, 0, 0) : "";
        const int32_t farbe = kredit ? SCHULD : GUTHABEN;
        Text_Printf(ziel, klein, "^c%05d%s", 200, y, farbe, Name_In_Spalte(name, klein).c_str());
        Text_Printf(ziel, klein, "^c%05d^fb0010^tr0045%d ^fe", 423, y, farbe, p->perioden);
        Text_Printf(ziel, klein, "^c%05d%s", 472, y, farbe, Perioden_Text(p->perioden));
        Text_Printf(ziel, klein, "^c%05d^fb0010^tr0656%s^fe", 0, y, farbe, Geld_Text(std::abs(p->gesamt), team, -1));
        if (zeile >= BANK_POSTEN_MAX) break;
    }
    if (zeile > 0) {
        Text_Printf(ziel, gross, "^c%05d^tl0441%s", 0, SUMME_Y, int32_t(HELL), Text(BANK_TEXTE, TEXT_SUMME));
        Text_Printf(ziel, gross, "^c%05d^fb0010^tr0656%s^fe", 0, SUMME_Y, int32_t(summe >= 0 ? GUTHABEN : SCHULD),
                    Geld_Text(summe, team, -1));
    }
    for (int32_t k = 0; k < 4; ++k)
        Text_Printf(ziel, klein, "^c%05d%s", 100, LABEL_Y[k], int32_t(HELL), Text(BANK_TEXTE, TEXT_LABEL + k));
    if (g.e.geber == 0) {
        if (Rastport* bild = Menue_Get_Slave_Rastport(SLAVE_HASK + GELD_HASK_BANK, nullptr))
            Rastport_Blit(bild, 0, 0, -1, -1, ziel, BANK_BILD_X, BANK_BILD_Y, BlitMode_Key);
    } else {
        Wappen_Zeichnen(g.e.geber, ziel, WAPPEN_X, WAPPEN_Y, WAPPEN_GROESSE, WAPPEN_GROESSE, nullptr);
        const char* name = Team_String(TS_NAME_KURZ, g.e.geber, 0, 0);
        Text_Printf(ziel, gross, "^c%05d%s", GEBER_NAME_X - Text_Width(gross, name) / 2, GEBER_NAME_Y, int32_t(HELL),
                    name);
    }
}

// The values inside their fields, drawn over the spinners.
void Wert_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* gross = Font_Get(FONT_GROSS);
    if (!ziel || !gross || !icon) return;
    const int32_t k = icon->nummer - ICON_BANK_GEBER;
    const int32_t y = WERT_Y[k];
    const int32_t farbe = (icon->Status & ICON_ST_GESPERRT) && k != 0 ? 0xC638 : HELL;
    switch (icon->nummer) {
    case ICON_BANK_GEBER:
        Text_Printf(ziel, gross, "^c%05d^tr0370%s", 0, y, farbe,
                    g.e.geber == 0 ? Text(BANK_TEXTE, TEXT_BANK) : Manager_Name(g.e.geber));
        break;
    case ICON_BANK_BETRAG:
        Text_Printf(ziel, gross, "^c%05d^tr0370%s", 0, y, farbe, Geld_Text(float(g.e.betrag), Team(), -1));
        break;
    case ICON_BANK_LAUFZEIT:
        Text_Printf(ziel, gross, "^c%05d^tr0370%d %s", 0, y, farbe, g.e.laufzeit, Perioden_Text(g.e.laufzeit));
        break;
    default: Text_Printf(ziel, gross, "^c%05d^tr0370%d%%", 0, y, farbe, g.e.zins); break;
    }
}

s_icon Eingabe(int32_t nummer, int32_t bild, IconMainP klick, int32_t hilfe) {
    const int32_t k = nummer - ICON_BANK_GEBER;
    s_icon i = Menue_Icon_Neu(nummer, EINGABE_X, EINGABE_Y[k], SLAVE_ZEMO + bild, 0, PRI_ICON);
    i.Status = ICON_ST_KEY;
    i.Main_P = klick;
    i.zeichnen = Wert_Zeichnen;
    i.hilfe = hilfe >= 0 ? Text(BANK_HILFE_TEXTE, hilfe) : nullptr;
    return i;
}

}  // namespace

int32_t Bank_Screen_Schritt(int32_t dx) {
    if (dx < 30) return -10;
    if (dx < 50) return -1;
    if (dx <= 67) return 1;
    return 10;
}

void Bank_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_BANK_FENSTER)) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Laden();
    g.gedrueckt = nullptr;
    g.letzte = 0;
    g.fenster = Menue_Icon_Neu(ICON_BANK_FENSTER, 0, FENSTER_Y, SLAVE_ZEMO + GELD_BANK_FENSTER, 0, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.fenster.hilfe_proc = Fenster_Hilfe;
    g.geber = Eingabe(ICON_BANK_GEBER, GELD_BANK_GEBER, Geber_Klick, HILFE_GEBER);
    g.betrag = Eingabe(ICON_BANK_BETRAG, GELD_SPINNER, Spinner_Klick, HILFE_BETRAG);
    g.laufzeit = Eingabe(ICON_BANK_LAUFZEIT, GELD_SPINNER, Spinner_Klick, HILFE_LAUFZEIT);
    g.zins = Eingabe(ICON_BANK_ZINS, GELD_SPINNER, Spinner_Klick, -1);
    g.antrag = Geld_Knopf(ICON_BANK_ANTRAG, KNOPF_X, KNOPF_Y, SLAVE_ZEMO + GELD_BANK_KNOPF,
                          SLAVE_ZEMO + GELD_BANK_KNOPF + 1, &g.knopf_text, Text(BANK_TEXTE, TEXT_KNOPF), FONT_GROSS,
                          Antrag_Klick, Text(BANK_HILFE_TEXTE, HILFE_ANTRAG), PRI_ICON);
    for (s_icon* i : {&g.fenster, &g.geber, &g.betrag, &g.laufzeit, &g.zins, &g.antrag}) Menue_Screen_Icon_Hinzufuegen(i);
}

void Bank_Screen_Schliessen() {
    for (s_icon* i : {&g.antrag, &g.zins, &g.laufzeit, &g.betrag, &g.geber, &g.fenster}) Menue_Screen_Icon_Loeschen(-1, i);
    g.gedrueckt = nullptr;
}

BankEingaben Bank_Screen_Eingaben() { return g.e; }

}  // namespace velmora
