// screens/menue_panel.cpp - the game's menu panel, the header and the local team.
#include "screens/menue_panel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bilder/wappen.h"
#include "business/bank.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/programm.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_requester.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "media/sound.h"
#include "net/net.h"
#include "screens/menue_optionen.h"
#include "season/kalender.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t PANEL_X[PANEL_KNOEPFE] = {274, 374, 474, 574};
constexpr int32_t PANEL_Y_OBEN_TEAM = 436;   // 702 raised: title and six entries
constexpr int32_t PANEL_Y_OBEN = 480;        // the others: title and four
constexpr int32_t PANEL_TEXTE = 7;           // title and six entries
constexpr int32_t PANEL_TITEL_Y = 14, PANEL_EINTRAG_Y = 39, PANEL_ZEILE = 22;
constexpr int32_t PANEL_SCHRITT_AB = 24, PANEL_SCHRITT_AUF = 20, PANEL_INTERVALL = 10;
constexpr int32_t SLAVE_HINTERGRUND = 4000, SLAVE_LAND = 4001, SLAVE_LEISTE = 4003, SLAVE_KNOPF = 4004,
                  SLAVE_KNOPF_TEAM = 4005, SLAVE_BALKEN = 4006, SLAVE_BALKEN_LETZTER = 4007,
                  SLAVE_WEITER_GEDRUECKT = 4008, SLAVE_WEITER = 4013;
constexpr uint32_t FARBE_WEISS = 0xFFFF, FARBE_GEWAEHLT = 0xCE07, FARBE_WENIGER = 0xED10, FARBE_MEHR = 0xA791;
constexpr int32_t SAMPLE_EINTRAG = 8;
// A raised menu lies above the windows that cover the work area (the player
// card, the talents map, the options and the save page, up to 18), so that it
// shows and takes its clicks over them; lowered, the button is back at its
// place under the bar, the live match's option bar and the notices. The
// darkened backdrops of the training windows (19) and the requester (23)
// cover the panel either way.
constexpr int8_t PRI_KNOPF = 10, PRI_LEISTE = 11, PRI_OBEN = 18, PRI_LEISTE_OBEN = 19;
// The screen texts of the framework beyond the panel's references.
constexpr int32_t TEXT_WEITER = 22, TEXT_STAERKE = 23, TEXT_KEIN_GEGNER = 24, TEXT_ZUM_SPIEL = 28,
                  TEXT_ATTRIBUTE = 30, TEXT_ZU_WENIG_SPIELER = 31, TEXT_ZUGENDE = 32, TEXT_AM_ZUG = 33,
                  TEXT_SAISON = 34, TEXT_ZUGENDE_WEITERGEBEN = 35;
constexpr int32_t ICON_PANEL_INFO = 701, ICON_ZEILE = 706, ICON_ANKUENDIGUNG = 708, ICON_LAND = 710;
constexpr uint32_t NOTIZ_MS = 8000;   // how long a note stays
constexpr int32_t ICON_AUFSTELLUNG_1 = 2401, ICON_AUFSTELLUNG_2 = 2438, ICON_SPIELERKARTE = 1746;
constexpr int32_t EV_PANEL_AUFSTELLUNG = 0x200;

// The text references of the buttons' titles and entries, resolved through
// the framework's screen texts at each turn.
const char* const PANEL_REFERENZ[PANEL_KNOEPFE][PANEL_TEXTE] = {
    {"*0", "*1", "*2", "*3", "*4", "*5", "*6"},
    {"*7", "*8", "*9", "*10", "*11", "", "*29"},
    {"*12", "*13", "*14", "*15", "*16", nullptr, nullptr},
    {"*17", "*18", "*19", "*20", "*21", nullptr, nullptr},
};
constexpr int32_t PANEL_ANZAHL[PANEL_KNOEPFE] = {6, 6, 4, 4};   // the entries in the table
constexpr int32_t PANEL_SICHTBAR[PANEL_KNOEPFE] = {6, 4, 4, 4}; // those above the screen's foot

struct PanelModul {
    MenuePanelHooks hooks;
    s_icon knopf[PANEL_KNOEPFE];
    s_icon_text knopf_text[PANEL_KNOEPFE][PANEL_TEXTE];
    s_icon weiter, info, ankuendigung, spielzeile, land, konto, zeile;
    s_icon_text weiter_text;
    char tag_text[48] = {};
    int32_t eintrag_unter_maus = -1;
    int32_t staerke[2] = {-1, -1};
    int32_t datum_tag = -1;       // the day the header's date showed last
    uint32_t datum_neu = 0;       // when it showed a new day (0 never)
    std::string notiz;            // the last note and when it came
    uint32_t notiz_ms = 0;
};
PanelModul g;

const char* Screen_Text(int32_t nummer) {
    return Text_Oder_Leer(MENUE_TEXTE, nummer);
}

const char* Aufgeloest(const char* referenz) {
    if (!referenz) return "";
    const char* t = referenz;
    Str_Referenz_Aufloesen(&t, Text_cfg(MENUE_TEXTE), TEXT_PRO_SCREEN);
    return t ? t : "";
}

int32_t Oben(int32_t nummer) { return nummer == ICON_PANEL_TEAM ? PANEL_Y_OBEN_TEAM : PANEL_Y_OBEN; }

int32_t Maus_Y() { return Menue_Hooks().maus_y ? Menue_Hooks().maus_y() : -1; }
int32_t Maus_X() { return Menue_Hooks().maus_x ? Menue_Hooks().maus_x() : -1; }

void Zustand_Setzen(int32_t nummer, int32_t wert) {
    if (Menue_Hooks().icon_zustand_setzen) Menue_Hooks().icon_zustand_setzen(nummer, wert);
}

// The panel entry a club opened last (button - 702, entry), kept with its manager.
bool Auswahl_Lesen(int32_t paar[2]) {
    if (Menue_Lokal().team < 0) return false;
    return Team_Zeiger(TZ_PANEL, Menue_Lokal().team, paar, OP_ZEIGER_LESEN) != nullptr;
}

// What the framework asks of the game too: a club's texts and crest, the market's team.
const MenueSpielHooks& S() { return Menue_Spiel_Hooks(); }

const char* Team_Text(MenueTeamText art, int32_t team) {
    return S().team_text ? S().team_text(art, team) : "";
}

// Today as the header and the continue button show it (false before a game runs).
struct MenueDatum {
    int32_t tag_index = -1;   // the calendar's day
    int32_t tag = 0, monat = 0, jahr = 0;
    int32_t saisonjahr = 0;   // the year the season began in
    std::string text_lang;    // "Samstag, 10. August 2001"
    std::string text_kurz;    // "Sa 10.08.2001"
};

bool Heute(MenueDatum* datum) {
    TagDatensatz d;
    if (!Kalender_Tag_Datensatz(-1, &d)) return false;
    datum->tag_index = d.tag_index;
    datum->tag = d.tag;
    datum->monat = d.monat;
    datum->jahr = d.jahr;
    datum->saisonjahr = Kalender_Saisonjahr();
    datum->text_lang = d.text_lang;
    datum->text_kurz = d.text_kurz;
    return true;
}

void Panel_Hook(void* icon, int32_t ereignis) {
    Menue_Panel_Team_Icon_Prozedur(static_cast<s_icon*>(icon), ereignis);
}

// A button goes on top when its menu rises and back to its place once it is
// down. The move happens outside the frame's walk over the icons (on the
// entering event) or when the button is no longer hovered (down), so the walk
// never misses a hovered button that changed its row.
// The bar over the buttons' feet follows: above a raised menu too.
void Hoehe_Setzen(s_icon& knopf, bool oben) {
    Menue_Screen_Icon_Umsetzen(&knopf, oben ? PRI_OBEN : PRI_KNOPF);
    bool einer_oben = false;
    for (const s_icon& k : g.knopf) einer_oben = einer_oben || k.Pri == PRI_OBEN;
    Menue_Screen_Icon_Umsetzen(&g.info, einer_oben ? PRI_LEISTE_OBEN : PRI_LEISTE);
}

void Alle_Abhaengen() {
    for (s_icon& k : g.knopf)
        if (Menue_Hook_Ist_Aktiv(Panel_Hook, &k)) Menue_Hook_Procedure(Panel_Hook, &k, 1, 0);
}

// The entry of a click or of the mouse over a raised menu, -1 none.
int32_t Eintrag_Unter(int32_t nummer, int32_t maus_y) {
    const int32_t oben = Oben(nummer);
    if (maus_y < oben + 23) return -1;
    const int32_t e = (maus_y - oben - 23) / PANEL_ZEILE;
    return e < PANEL_SICHTBAR[nummer - ICON_PANEL_TEAM] ? e : -1;
}

// 707's text: the continue text of the day, or the date while disabled.
constexpr int32_t WEITER_RAND = 3;   // the date from the button's edges at the least: "Mo 09.07.01" fits

void Weiter_Text(s_icon* icon, int32_t, int32_t, int32_t) {
    if (!(icon->Status & ICON_ST_GESPERRT)) {
        const int32_t team = Menue_Lokal().team;
        const bool spiel = team >= 0 && (Spieltag_Team_Hat_Spiel(team) || (g.hooks.spiel_heute && g.hooks.spiel_heute(team)));
        g.weiter_text.text = Screen_Text(spiel ? TEXT_ZUM_SPIEL : TEXT_WEITER);
        return;
    }
    // The day's short text ("Mi 08.08.2001") with a two-digit year: the two
    // characters before the last two go. The long one ("Mittwoch, 8. August")
    // fits the 93-pixel button in no font of the set; the header shows it.
    MenueDatum d;
    char datum[sizeof g.tag_text];
    std::snprintf(datum, sizeof datum, "%s", Heute(&d) ? d.text_kurz.c_str() : "");
    const size_t n = std::strlen(datum);
    if (n >= 4) std::memmove(datum + n - 4, datum + n - 2, 3);
    Str_Auf_Breite(datum, g.tag_text, sizeof g.tag_text, Font_Get(g.weiter_text.font), icon->br - 2 * WEITER_RAND);
    g.weiter_text.text = g.tag_text;
}

void Panel_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    const int32_t k = icon->nummer - ICON_PANEL_TEAM;
    int32_t paar[2] = {-1, -1};
    const bool gewaehlt = Auswahl_Lesen(paar) && paar[0] == k;
    const bool karte_offen = Menue_Screen_Icon_Ist_Vorhanden(ICON_SPIELERKARTE);
    for (int32_t t = 0; t < PANEL_TEXTE; ++t) {
        s_icon_text& item = g.knopf_text[k][t];
        const bool an = gewaehlt && (t == 0 || (t - 1 == paar[1] && !karte_offen));
        item.farbe_an = item.farbe_aus = an ? FARBE_GEWAEHLT : FARBE_WEISS;
    }
    const int32_t oben = Oben(icon->nummer);
    const int32_t mx = Maus_X();
    int32_t e = -1;
    if (y == oben && mx >= x && mx < x + icon->br) e = Eintrag_Unter(icon->nummer, Maus_Y());
    if (e >= 0) {
        const int32_t bild = e == PANEL_SICHTBAR[k] - 1 ? SLAVE_BALKEN_LETZTER : SLAVE_BALKEN;
        if (Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr))
            Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), x + 2, y + 26 + e * PANEL_ZEILE, BlitMode_Key);
    }
    if (y == oben) {
        const int32_t merk = k * 10 + e;
        if (e >= 0 && merk != g.eintrag_unter_maus && !Menue_Get_Zustand_Byte())
            Sample_Spielen_Lautstaerke(SAMPLE_EINTRAG, false, 100);
        if (e >= 0 || g.eintrag_unter_maus / 10 == k) g.eintrag_unter_maus = e >= 0 ? merk : -1;
    }
}

// One line of the header centred on `mitte` (the shadowed names are cached
// by their place, so each is printed at its own x); with `breite` a longer
// text is cut ("…") to that width.
void Zentriert(Rastport* ziel, Font* font, bool schatten, int32_t mitte, int32_t y, const char* text,
               int32_t breite = 0) {
    if (!font || !text) return;
    char gekuerzt[160];
    if (breite > 0) text = Str_Auf_Breite(text, gekuerzt, sizeof gekuerzt, font, breite);
    const int32_t x = mitte - Text_Width(font, text) / 2;
    if (schatten) Text_Schatten_Print(ziel, font, "^c%05d%s", x, y, int32_t(FARBE_WEISS), text);
    else Text_Printf(ziel, font, "^c%05d%s", x, y, int32_t(FARBE_WEISS), text);
}

// The header's badge: the weekday, the date and the season; a day that
// passed shows in gold for a moment.
constexpr int32_t DATUM_MITTE = 722;   // on the badge (643, 4), right of its small flag
constexpr uint32_t DATUM_NEU_MS = 3000;

void Datum_Zeichnen(Rastport* ziel) {
    MenueDatum d;
    if (!Heute(&d)) return;
    const uint32_t jetzt = Menue_Get_Zeit();
    if (d.tag_index != g.datum_tag) {
        if (g.datum_tag >= 0) g.datum_neu = jetzt ? jetzt : 1;
        g.datum_tag = d.tag_index;
    }
    const bool neu = g.datum_neu != 0 && jetzt - g.datum_neu < DATUM_NEU_MS;
    const int32_t farbe = int32_t(neu ? FARBE_GEWAEHLT : FARBE_WEISS);
    const std::string wochentag = d.text_lang.substr(0, d.text_lang.find(','));
    char datum[16];
    std::snprintf(datum, sizeof datum, "%02d.%02d.%04d", d.tag, d.monat, d.jahr);
    const int32_t jahr = d.saisonjahr;
    const std::string saison = Text_Format(Screen_Text(TEXT_SAISON), {jahr, (jahr + 1) % 100});
    const struct {
        Font* font;
        int32_t y;
        const char* text;
    } zeilen[] = {{Font_Get(11), 21, wochentag.c_str()}, {Font_Get(11), 39, datum}, {Font_Get(9), 56, saison.c_str()}};
    for (const auto& z : zeilen)
        if (z.font) Text_Printf(ziel, z.font, "^c%05d%s", DATUM_MITTE - Text_Width(z.font, z.text) / 2, z.y, farbe, z.text);
}

// 709: the local team and its opponent (swapped when it plays away), their
// strengths and attribute figures and crests, and the competition's cup.
void Spielzeile(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    const MenueLokal& l = Menue_Lokal();
    if (!ziel || l.team < 0) return;
    const bool gegner = l.gegner >= 0;
    int32_t links = l.team, rechts = l.gegner;
    if (l.seite == 1 && gegner) std::swap(links, rechts);
    // The centres of the two plates; each line keeps to the plate's room
    // (the plates span x 88 to 273 and 364 to 551, borders included).
    constexpr int32_t MITTE[2] = {182, 458};
    constexpr int32_t PLATTE_BREITE = 168;
    const int32_t team[2] = {links, rechts};
    char zeile[160];
    for (int32_t s = 0; s < 2; ++s) {
        const int32_t t = team[s];
        if (t < 0) {
            Zentriert(ziel, Font_Get(14), true, MITTE[s], 25, Screen_Text(TEXT_KEIN_GEGNER), PLATTE_BREITE);
            continue;
        }
        Zentriert(ziel, Font_Get(14), true, MITTE[s], 25, Team_Text(MenueTeamText::NAME_KURZ, t), PLATTE_BREITE);
        // The strength and attributes of the available starters.
        const int32_t staerke = Team_Berechne_Staerke(t, 16);
        if (staerke != g.staerke[s]) {
            g.staerke[s] = staerke;
            Schatten_Cache_Leeren();
        }
        std::snprintf(zeile, sizeof zeile, "%s: %s", Screen_Text(TEXT_STAERKE),
                      Team_Staerke_Text(staerke));
        Zentriert(ziel, Font_Get(11), false, MITTE[s], 45, zeile, PLATTE_BREITE);
        std::snprintf(zeile, sizeof zeile, "%s: %d", Screen_Text(TEXT_ATTRIBUTE),
                      Team_Berechne_Attribute(t, 16));
        Zentriert(ziel, Font_Get(9), false, MITTE[s], 58, zeile, PLATTE_BREITE);
        static const SchattenParameter schatten{2, 2, 3, 0};
        if (S().wappen_zeichnen)
            S().wappen_zeichnen(t, ziel, s == 0 ? 279 : 558, 5, MENUE_WAPPEN_GROESSE, MENUE_WAPPEN_GROESSE, &schatten);
    }
    if (l.wettbewerb >= 0 && Wettbewerb_Get_Liga_Symbol(l.wettbewerb) >= 0)
        Pokal_Zeichnen(l.wettbewerb, l.team, ziel, 15, 5, MENUE_WAPPEN_GROESSE, MENUE_WAPPEN_GROESSE, nullptr);
    Datum_Zeichnen(ziel);
}

// 711: the balance; a new balance is counted toward, red while falling, green while rising.
void Kontostand(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    const int32_t team = Menue_Lokal().team;
    if (!ziel || team < 0) return;
    const int32_t stand = Bank_Kontostand(team, false, -1);
    const int32_t mittel = Bank_Mittelwert(team, false, -1);
    Font* f = Font_Get(11);
    if (stand == mittel) {
        Text_Schatten_Print(ziel, f, "^c%05d%s%s", 50, 588, int32_t(FARBE_WEISS), Geld_Text(float(stand), team, -1),
                            "");
    } else {
        const uint32_t farbe = mittel > stand ? FARBE_WENIGER : FARBE_MEHR;
        Text_Schatten_Print(ziel, f, "#^c%05d%s%s", 50, 588, int32_t(farbe), Geld_Text(float(mittel), team, -1), "");
    }
}

// 706: the line above the buttons: a recent note, and while the machine
// waits in network play whom it waits for.
void Zeile_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    std::string text;
    if (!g.notiz.empty() && Menue_Get_Zeit() - g.notiz_ms < NOTIZ_MS) text = g.notiz;
    if ((g.weiter.Status & ICON_ST_GESPERRT) && g.hooks.warte_zeile)
        if (const char* w = g.hooks.warte_zeile(); w && *w) text = text.empty() ? std::string(w) : text + "   " + w;
    if (!text.empty()) Zentriert(ziel, Font_Get(9), true, 400, 556, text.c_str());
}

void Ankuendigung_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    if (g.hooks.ankuendigung_reset) g.hooks.ankuendigung_reset();
    if (g.hooks.ankuendigung_jetzt) g.hooks.ankuendigung_jetzt(0, 5000, 1);
}

// A transparent area of its own (the header's lines are drawn by its procedure).
s_icon Flaeche(int32_t nummer, int32_t x, int32_t y, int32_t br, int32_t ho) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, -1, ICON_TYP_PERMANENT, 1);
    i.br = int16_t(br);
    i.ho = int16_t(ho);
    i.Status = ICON_ST_KEY;
    return i;
}

void Panel_Aufbauen() {
    for (int32_t k = 0; k < PANEL_KNOEPFE; ++k) {
        const int32_t nummer = ICON_PANEL_TEAM + k;
        s_icon& i = g.knopf[k];
        i = Menue_Icon_Neu(nummer, PANEL_X[k], PANEL_Y_UNTEN, k == 0 ? SLAVE_KNOPF_TEAM : SLAVE_KNOPF,
                 ICON_TYP_PROZ_VOR_TEXT | ICON_TYP_MAUS_INFO | ICON_TYP_PERMANENT | ICON_TYP_TEXT | ICON_TYP_VORRANG | 0x1,
                 PRI_KNOPF);
        i.Status = ICON_ST_UNGECLIPT | ICON_ST_SCHATTEN | ICON_ST_KEY;
        i.Main_P = Menue_Panel_Team_Icon_Prozedur;
        i.zeichnen = Panel_Zeichnen;
        s_icon_text* vorher = nullptr;
        for (int32_t t = 0; t < PANEL_TEXTE; ++t) {
            if (!PANEL_REFERENZ[k][t]) break;
            s_icon_text& item = g.knopf_text[k][t];
            item = s_icon_text{};
            item.font = 10;
            item.flags = 0x10;
            item.farbe_an = item.farbe_aus = FARBE_WEISS;
            item.text = Aufgeloest(PANEL_REFERENZ[k][t]);
            item.y = int16_t(t == 0 ? PANEL_TITEL_Y : PANEL_EINTRAG_Y + (t - 1) * PANEL_ZEILE);
            if (vorher) vorher->next = &item;
            else i.daten = &item;
            vorher = &item;
        }
    }
    g.weiter = Menue_Icon_Neu(ICON_WEITER, 707, 566, SLAVE_WEITER, ICON_TYP_PROZ_VOR_TEXT | ICON_TYP_PERMANENT | ICON_TYP_TEXT, 2);
    g.weiter.bild_gedrueckt = SLAVE_WEITER_GEDRUECKT;
    g.weiter.Status = ICON_ST_DRUCK | ICON_ST_TOGGLE;
    g.weiter.Main_P = Menue_Weiter_Klick;
    g.weiter.zeichnen = Weiter_Text;
    g.weiter_text = s_icon_text{};
    g.weiter_text.font = 6;
    g.weiter_text.flags = 0x10 | 0x20 | 0x1;
    g.weiter_text.farbe_an = g.weiter_text.farbe_aus = FARBE_WEISS;
    g.weiter_text.text = Aufgeloest("*22");
    g.weiter.daten = &g.weiter_text;
    g.info = Menue_Icon_Neu(ICON_PANEL_INFO, 268, 592, SLAVE_LEISTE, ICON_TYP_PERMANENT | ICON_TYP_PASSIV, PRI_LEISTE);
    g.info.Status = ICON_ST_KEY;
    g.ankuendigung = Flaeche(ICON_ANKUENDIGUNG, 0, 0, 70, 70);
    g.ankuendigung.Main_P = Ankuendigung_Klick;
    g.spielzeile = Flaeche(ICON_SPIELZEILE, 70, 0, 570, 70);
    g.spielzeile.typ |= ICON_TYP_PASSIV;
    g.spielzeile.zeichnen = Spielzeile;
    g.land = Menue_Icon_Neu(ICON_LAND, 643, 4, SLAVE_LAND, ICON_TYP_PERMANENT | ICON_TYP_PASSIV, 1);
    g.land.Status = ICON_ST_KEY;
    g.zeile = Flaeche(ICON_ZEILE, 0, 544, 800, 20);
    g.zeile.typ |= ICON_TYP_PASSIV;
    g.zeile.zeichnen = Zeile_Zeichnen;
    g.konto = Flaeche(ICON_KONTOSTAND, 0, 568, 260, 32);
    g.konto.typ |= ICON_TYP_PASSIV;
    g.konto.zeichnen = Kontostand;
}

bool Eintrag_Gueltig(int32_t k, int32_t e) { return k >= 0 && k < PANEL_KNOEPFE && e >= 0 && e < PANEL_ANZAHL[k]; }

}  // namespace

MenuePanelHooks& Menue_Panel_Hooks() { return g.hooks; }

int32_t Menue_Panel_Eintraege(int32_t knopf) {
    const int32_t k = knopf - ICON_PANEL_TEAM;
    return k >= 0 && k < PANEL_KNOEPFE ? PANEL_ANZAHL[k] : 0;
}

const char* Menue_Panel_Eintrag_Text(int32_t knopf, int32_t eintrag) {
    const int32_t k = knopf - ICON_PANEL_TEAM;
    if (k < 0 || k >= PANEL_KNOEPFE || eintrag < -1 || eintrag + 1 >= PANEL_TEXTE) return "";
    return Aufgeloest(PANEL_REFERENZ[k][eintrag + 1]);
}

void Menue_Set_Eigenes_Team(int32_t team) {
    if (team < 0) {
        // No club: the game ended; the next game's first day is no passed day,
        // and its line starts without the last game's note.
        g.datum_tag = -1;
        g.datum_neu = 0;
        g.notiz.clear();
    }
    // The footer starts a turn at the balance: it counts only what is booked
    // while the manager watches. A count left from his last turn (or from a
    // loaded game) stood under the turn's first messages a day or more behind.
    if (team >= 0 && g.hooks.mittelwert_angleichen) g.hooks.mittelwert_angleichen(team);
    MenueLokal l;
    l.team = team;
    int32_t seite = 0;
    if (team >= 0 && g.hooks.spiel_info) l.gegner = g.hooks.spiel_info(team, &seite, &l.wichtigkeit, nullptr, &l.wettbewerb);
    if (team >= 0 && l.gegner < 0) {
        // No match today: the next one of the team's fixtures.
        l.wettbewerb = -1;
        if (!g.hooks.naechstes_spiel || !g.hooks.naechstes_spiel(team, &l.gegner, &l.wettbewerb, &seite)) l.gegner = -1;
    }
    l.seite = seite == 1 ? 1 : 0;
    Menue_Lokal_Setzen(l);
    Schatten_Cache_Leeren();
}

void Menue_Hauptscreen() {
    Menue_Client_Refresh();
    Menue_Set_Hintergrund(SLAVE_HINTERGRUND);
    Menue_Screen_Bereich_Loeschen(5, 0, 0, 800, 600);
    Panel_Aufbauen();
    for (s_icon* i : {&g.knopf[0], &g.knopf[1], &g.knopf[2], &g.knopf[3], &g.weiter, &g.info, &g.ankuendigung,
                      &g.spielzeile, &g.land, &g.konto, &g.zeile})
        Menue_Screen_Icon_Hinzufuegen(i);
    int32_t paar[2] = {0, 0};
    if (Auswahl_Lesen(paar) && Eintrag_Gueltig(paar[0], paar[1])) Menue_Screen_Oeffnen(g.hooks.screens[paar[0]][paar[1]]);
    // A box still waiting for its answer was cleared away with the screen
    // (a turn's start, a page window closed, a client's match or wait ended):
    // it lies over the new screen, where the manager can answer it. Unseen it
    // still counted as open and held the news check for the rest of the game.
    Menue_Requester_Auflegen();
}

void Menue_Neustart(int32_t team) {
    Menue_Hooks_Leeren();
    if (S().team_markt && team == S().team_markt()) return;
    Menue_Set_Eigenes_Team(team);
    if (Menue_Save_Byte() == 0) Menue_Hauptscreen();
}

void Menue_Beenden_Anfordern() {
    // The competition film is forgotten and every video closed.
    Menue_Filme_Schliessen();
}

void Menue_Weiter() {
    Menue_Optionen_Zuruecksetzen();
    Samples_Stop();
    Menue_Beenden_Anfordern();
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    Menue_Save_Byte_Setzen(1);
    if (Netzwerk_Modus() == 1) {
        Net_Hooks().client_alles_holen.Aufrufen();
        // A client ends its day: its club's match of the day is played live with the server.
        Spieltag_Client_Tag_Beenden();
    }
    K_NEUER_TAG(K_FERTIG, 0);
}

void Menue_Zug_Ansage(int32_t team) {
    int32_t am_zug[TEAM_MAX];
    if (team < 0 || Manager_Ist_Dran(am_zug, 0, 0) < 2) return;
    const std::string text =
        Text_Format(Screen_Text(TEXT_AM_ZUG), {Team_Text(MenueTeamText::MANAGER, team), Team_Text(MenueTeamText::NAME, team)});
    Menue_Requester(1, team, text.c_str(), nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
}

void Menue_Panel_Icon_Schalten(int32_t an) {
    if (an) g.weiter.Status |= ICON_ST_GESPERRT;
    else g.weiter.Status &= ~ICON_ST_GESPERRT;
}

void Menue_Panel_Notiz(const char* text) {
    g.notiz = text ? text : "";
    g.notiz_ms = Menue_Get_Zeit();
}

void Menue_Leer_Prozedur(s_icon*, int32_t) {}

namespace {

// The day ends; with fewer than eleven players only after a question.
void Weiter_Pruefen() {
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Menue_Lokal().team >= 0 ? Teamspieler_Ins_Array(Menue_Lokal().team, spieler, TEAM_SPIELER_MAX, 0) : 0;
    if (n < 11) {
        Menue_Requester(2, Menue_Lokal().team, Screen_Text(TEXT_ZU_WENIG_SPIELER), nullptr, nullptr,
                        [](const int32_t*, const int32_t*) { Menue_Weiter(); }, nullptr, 0, nullptr, 0, nullptr);
        return;
    }
    Menue_Weiter();
}

}  // namespace

void Menue_Weiter_Klick(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    // "Confirm the end of a turn" asks first.
    if (Optionen(OPTION_ZUGENDE_BESTAETIGEN, 0, 0)) {
        // The question says what "Ja" does for this manager: the day goes on
        // after the day's last turn, before it the next manager takes over.
        const int32_t naechster = Kalender_Naechster_Zug();
        const std::string frage = naechster >= 0 ? Text_Format(Screen_Text(TEXT_ZUGENDE_WEITERGEBEN),
                                                               {Team_Text(MenueTeamText::MANAGER, naechster)})
                                                 : std::string(Screen_Text(TEXT_ZUGENDE));
        Menue_Requester(2, Menue_Lokal().team, frage.c_str(), nullptr, nullptr,
                        [](const int32_t*, const int32_t*) { Weiter_Pruefen(); }, nullptr, 0, nullptr, 0, nullptr);
        return;
    }
    Weiter_Pruefen();
}

void Menue_Panel_Team_Icon_Prozedur(s_icon* icon, int32_t ereignis) {
    if (!icon || icon->nummer < ICON_PANEL_TEAM || icon->nummer > ICON_PANEL_SYSTEM) return;
    if (ereignis == EV_HOOK_NICHT_FAELLIG) return;
    const int32_t k = icon->nummer - ICON_PANEL_TEAM;
    const int32_t oben = Oben(icon->nummer);
    const bool gleiten = Optionen(OPTION_MENUE_GLEITEN, 0, 0) != 0;
    if (ereignis == EV_HOOK_FAELLIG) {
        if (!Menue_Icon_Zustand(icon->nummer)) {
            icon->y = int16_t(gleiten ? icon->y + PANEL_SCHRITT_AB : PANEL_Y_UNTEN);
            if (icon->y > PANEL_Y_UNTEN - 1) {
                icon->y = PANEL_Y_UNTEN;
                Menue_Hook_Procedure(Panel_Hook, icon, 1, 0);
                Hoehe_Setzen(*icon, false);
            }
        } else {
            icon->y = int16_t(gleiten ? icon->y - PANEL_SCHRITT_AUF : oben);
            if (icon->y <= oben) {
                icon->y = int16_t(oben);
                Menue_Hook_Procedure(Panel_Hook, icon, 1, 0);
            }
        }
        return;
    }
    if (!(ereignis & EV_LINKS)) {
        // Entering raises the menu, leaving lowers it; the state follows the
        // event itself, so a lost event cannot leave the menu inverted.
        if (ereignis != EV_BETRETEN && ereignis != EV_VERLASSEN && ereignis != EV_VERLASSEN_KONTEXT) return;
        Zustand_Setzen(icon->nummer, ereignis == EV_BETRETEN ? 1 : 0);
        Alle_Abhaengen();
        for (s_icon& andere : g.knopf)
            if (&andere != icon) {
                andere.y = PANEL_Y_UNTEN;
                Zustand_Setzen(andere.nummer, 0);
                Hoehe_Setzen(andere, false);
            }
        if (ereignis == EV_BETRETEN) Hoehe_Setzen(*icon, true);
        Menue_Hook_Procedure(Panel_Hook, icon, 0, PANEL_INTERVALL);
        return;
    }
    int32_t e;
    if (ereignis & EV_PANEL_AUFSTELLUNG)
        e = Menue_Screen_Icon_Ist_Vorhanden(ICON_AUFSTELLUNG_1) ? 1 : Menue_Screen_Icon_Ist_Vorhanden(ICON_AUFSTELLUNG_2) ? 0 : -1;
    else
        e = Eintrag_Unter(icon->nummer, Maus_Y());
    if (!Eintrag_Gueltig(k, e)) return;
    if (icon->nummer == ICON_PANEL_SYSTEM && e == 2) {
        Menue_Screen_Oeffnen(g.hooks.optionen_screen);
        return;
    }
    if (icon->nummer == ICON_PANEL_SYSTEM && e == 3) {
        Dialog_Zeigen();
        return;
    }
    Alle_Abhaengen();
    for (s_icon& b : g.knopf) {
        b.y = PANEL_Y_UNTEN;
        Zustand_Setzen(b.nummer, 0);
        Hoehe_Setzen(b, false);
    }
    if (icon->nummer != ICON_PANEL_SYSTEM && Menue_Lokal().team >= 0) {
        const int32_t paar[2] = {k, e};
        int32_t kopie[2] = {paar[0], paar[1]};
        Team_Zeiger(TZ_PANEL, Menue_Lokal().team, kopie, OP_SCHREIBEN);
    }
    Menue_Screen_Oeffnen(g.hooks.screens[k][e]);
}

}  // namespace velmora
