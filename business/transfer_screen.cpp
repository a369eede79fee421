// business/transfer_screen.cpp - the transfer screen.
#include "business/transfer_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "business/bank.h"
#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "business/talente_screen.h"
#include "business/verhandlung.h"
#include "business/verhandlung_fenster.h"
#include "club/club_hooks.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/bildnr_transfer.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"

namespace velmora {
namespace {

constexpr int32_t WEISS = 65535, GOLD = 52743, BRAUN = 50055, GRAU = 50744;
// The colours of the kinds' position names: goalkeeper, defender, midfielder, forward.
constexpr int32_t BILD_TALENT_MARKIERT = TALENT_BILD_ERSTER[TALENT_22], BILD_TALENT = TALENT_BILD_ERSTER[TALENT_16];
// TRANSFER_SCREEN texts.
constexpr int32_t TEXT_KOPF_LINKS = 0, TEXT_KOPF_RECHTS = 6, TEXT_STARTELF = 11, TEXT_BANK = 12, TEXT_RESERVE = 13,
                  TEXT_MARKT = 14, TEXT_SCOUT = 16, TEXT_TITEL = 17, TEXT_KONTO = 18, TEXT_KADER = 19, TEXT_NOCH = 21,
                  TEXT_HINWEIS = 22, TEXT_MEHRERE = 23, TEXT_KANDIDAT = 24, TEXT_JA = 25, TEXT_NEIN = 26,
                  TEXT_FRAGE = 27, TEXT_SPIELER = 28, TEXT_KEINE_1 = 35, TEXT_KEINE_2 = 36, TEXT_KEINE_3 = 37,
                  TEXT_KEINE_MEHR = 40, TEXT_EINE = 42, TEXT_GELD = 50, TEXT_SCOUT_LOS = 63, TEXT_FEHLER = 64,
                  TEXT_ART = 65;
constexpr int32_t HILFE_SCOUT_LOS = 4, HILFE_SCOUT_WAHL = 9;   // ZUSATZTEXTE_HASK
// The column heads' help: the first line-up screen's texts by column.
constexpr int32_t HILFE_SPALTE[4] = {16, 17, 18, 19};
constexpr int32_t LINKS_X = 9, RECHTS_X = 402, ZEILE_ABSTAND = 17, ZAEHLER_X = 596;
constexpr int32_t PRI_KOPF = 3, PRI_ZEILE = 5, PRI_KNOPF = 6;
constexpr uint32_t BLINK_MS = 10;
// The blinking hint while a market player is selected: 16 steps from white to gold and back.
constexpr int32_t BLINK_FARBEN[16] = {65535, 65502, 65469, 65436, 65403, 65370, 65337, 65304,
                                      65271, 65304, 65337, 65370, 65403, 65436, 65469, 65502};

struct TransferModul {
    TransferScreenHooks hooks;
    s_icon kopf, scout_zurueck, scout_weiter, scout_los;
    s_icon eigene[TRANSFER_EIGENE_ZEILEN];
    s_icon rechts[TRANSFER_RECHTE_ZEILEN + 1];
    int32_t eigene_spieler[TRANSFER_EIGENE_ZEILEN];
    int32_t rechts_spieler[TRANSFER_RECHTE_ZEILEN + 1];
    int32_t auswahl = -1;
    int32_t scout = 0;
    uint32_t scout_zeit = 0;
    bool scout_gueltig = false;
    uint32_t blink_zeit = 0;
    int32_t blink = 0;
    std::string info;        // the info box's text while shown
    TransferModul() {
        std::fill(std::begin(eigene_spieler), std::end(eigene_spieler), -1);
        std::fill(std::begin(rechts_spieler), std::end(rechts_spieler), -1);
    }
};
TransferModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TRANSFER_TEXTE, n); }
int32_t Team() { return Menue_Lokal().team; }
bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }
// The kind's short name in the rows' narrow column.
const char* Art_Kurz(int32_t art) { return Text(TEXT_ART + art); }
int32_t Verhandlungen() { return Team() >= 0 ? Team_Wert(TW_VERHANDLUNGEN, Team(), 0, OP_LESEN) : 0; }

std::string Geld(int32_t betrag) { return Geld_Text(float(betrag), Team(), -1); }

void Bild(int32_t bild, int32_t x, int32_t y) { Spieler_Zeile_Bild(bild, x, y); }

void Melden(const std::string& text) {
    Menue_Requester(1, Team(), text.c_str(), nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
}

// No negotiation left: how many the next month brings (team value 21).
void Keine_Verhandlung() {
    char text[REQUESTER_TEXT_MAX + 1];
    std::snprintf(text, sizeof text, "%s %s %d  %s", Text(TEXT_KEINE_1), Text(TEXT_KEINE_2),
                  Team_Wert(TW_VERHANDLUNGEN_ANZEIGE, Team(), 0, OP_LESEN), Text(TEXT_KEINE_3));
    Melden(text);
}

// The left list's and the right list's pictures follow the selection.
void Zeilen_Bilder() {
    for (int32_t i = 0; i <= TRANSFER_RECHTE_ZEILEN; ++i) {
        s_icon& r = g.rechts[i];
        const bool an = g.auswahl >= 0 && g.rechts_spieler[i] == g.auswahl;
        r.bild = an ? TRANSFER_BILD_RECHTS_AN : TRANSFER_BILD_RECHTS;
        if (an) r.Status |= ICON_ST_TOGGLE;
        else r.Status &= ~ICON_ST_TOGGLE;
    }
}

void Auswahl_Setzen(int32_t spieler) {
    g.auswahl = spieler;
    Zeilen_Bilder();
}

void Zeigen(s_icon& i, bool an) {
    if (an) i.Status &= ~ICON_ST_VERSTECKT;
    else i.Status |= ICON_ST_VERSTECKT;
}

// -- Drawing ------------------------------------------------------------------

// The help text of a column head under the pointer (the same columns of both lists share one).
const char* Kopf_Hilfe(s_icon*) {
    int32_t x = -1, y = -1;
    Menue_Maus_Position(&x, &y);
    if (y < 97 || y > 110 || x < 12 || x > 780) return nullptr;
    int32_t spalte = -1;
    if (x <= 30) spalte = 0;
    else if ((x >= 31 && x <= 64) || (x >= 404 && x <= 436)) spalte = 1;
    else if ((x >= 65 && x <= 165) || (x >= 437 && x <= 537)) spalte = 2;
    else if ((x >= 166 && x <= 250) || (x >= 538 && x <= 632)) spalte = 3;
    if (spalte < 0) return nullptr;
    const char* t = Text_Oder_Leer("EINSETZEN_1_SCREEN", HILFE_SPALTE[spalte]);
    return t[0] ? t : nullptr;
}

void Spalten_Koepfe(Font* f) {
    Rastport* ziel = Rastport_Target();
    // Left: number, kind, name, strength, ambition, weaknesses; right: kind, name, strength, ambition, demand.
    constexpr int32_t LINKS[6] = {23, 54, 68, 179, 289, 306};
    constexpr int32_t RECHTS[5] = {424, 444, 548, 672, 782};
    for (int32_t k = 0; k < 6; ++k) {
        const char* t = Text(TEXT_KOPF_LINKS + k);
        if (k == 0 || k == 1) Text_Printf(ziel, f, "^c%05d^tz0000%s", LINKS[k], 107, GRAU, t);
        else if (k == 4) Text_Printf(ziel, f, "^c%05d^tr0000%s", LINKS[k], 107, GRAU, t);
        else Text_Printf(ziel, f, "^c%05d%s", LINKS[k], 107, GRAU, t);
    }
    for (int32_t k = 0; k < 5; ++k) {
        const char* t = Text(TEXT_KOPF_RECHTS + k);
        if (k == 0) Text_Printf(ziel, f, "^c%05d^tz0000%s", RECHTS[k], 107, GRAU, t);
        else if (k >= 3) Text_Printf(ziel, f, "^c%05d^tr0000%s", RECHTS[k], 107, GRAU, t);
        else Text_Printf(ziel, f, "^c%05d%s", RECHTS[k], 107, GRAU, t);
    }
}

void Kopf_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    const int32_t team = Team();
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    if (!f9 || !f11 || team < 0) return;
    Rastport* ziel = Rastport_Target();
    // The head: title, the club's squad and its balance.
    const std::string konto = Geld(Bank_Kontostand(team, false, -1));
    char rechts[160];
    std::snprintf(rechts, sizeof rechts, "^c%05d%s ^c%05d%s", GRAU, Text(TEXT_KONTO), WEISS, konto.c_str());
    Spieler_Zeile_Titel(Text(TEXT_TITEL), rechts);
    Spalten_Koepfe(f9);
    Text_Printf(ziel, f9, "^c%05d%s  ^c%05d%s", 14, 129, GOLD, Text(TEXT_KADER), WEISS, Team_String(TS_NAME, team, 0, 0));
    Text_Printf(ziel, f9, "^c%05d%s", 14, 129 + 208, GOLD, Text(TEXT_BANK));
    Text_Printf(ziel, f9, "^c%05d%s", 14, 129 + 331, GOLD, Text(TEXT_RESERVE));
    Text_Printf(ziel, f9, "^c%05d%s  ^c%05d%s", 407, 129, GOLD, Text(TEXT_MARKT), GRAU, Text(TEXT_STARTELF));
    // The negotiation counter; with a selection the hint blinks.
    const int32_t n = Verhandlungen();
    if (g.auswahl < 0) {
        if (n <= 0) {
            Text_Printf(ziel, f11, "^c%05d^tz0000%s", ZAEHLER_X, 370, BRAUN, Text(TEXT_KEINE_MEHR));
        } else {
            Text_Printf(ziel, f9, "^c%05d^tz0000%s", ZAEHLER_X, 358, WEISS, Text(TEXT_HINWEIS));
            Text_Printf(ziel, f11, "^c%05d^tz0001%s %d %s", ZAEHLER_X, 380, GOLD, Text(TEXT_NOCH), n,
                        Text(n == 1 ? TEXT_EINE : TEXT_MEHRERE));
        }
    } else {
        const uint32_t jetzt = Menue_Get_Zeit();
        if (jetzt - g.blink_zeit >= BLINK_MS) {
            g.blink_zeit = jetzt;
            g.blink = (g.blink + 1) % 16;
        }
        Text_Printf(ziel, f9, "^c%05d^tz0000%s", ZAEHLER_X, 358, BLINK_FARBEN[g.blink], Text(TEXT_HINWEIS));
        Text_Printf(ziel, f11, "^c%05d^tz0001%s %d %s", ZAEHLER_X, 380, GOLD, Text(TEXT_NOCH), n,
                    Text(n == 1 ? TEXT_EINE : TEXT_MEHRERE));
    }
    // The chosen scout with his price.
    if (const ScoutDaten* s = Scout_Daten(g.scout)) {
        Text_Printf(ziel, f9, "^c%05d%s %d", 414, 424, GRAU, Text(TEXT_SCOUT), g.scout + 1);
        Text_Printf(ziel, f11, "^c%05d%s %s", 414, 446, WEISS, s->vorname, s->name);
        const std::string preis = Geld(Scout_Grundpreis(g.scout));
        Text_Printf(ziel, f9, "^c%05d^tr0000%s", 776, 424, GOLD, preis.c_str());
    }
    // The prospect a scout has signed up.
    const int32_t kandidat = Team_Wert(TW_SCOUT_SPIELER, team, 0, OP_LESEN);
    if (Gueltig(kandidat)) {
        const ScoutDaten* s = Scout_Daten(Team_Wert(TW_SCOUT, team, 0, OP_LESEN));
        char name[96];
        Str_Auf_Breite(Spieler_String(SPS_NAME, kandidat, 0, 0), name, sizeof name, f9, 150);
        Text_Printf(ziel, f9, "^c%05d%s %s %s", 407, 533, GRAU, s ? s->name : "", name, Text(TEXT_KANDIDAT));
    }
}

// An own row: the shade of an unavailable player, the light, the kind's
// shirt, shirt number, position, name with ambition, stars and up to three weaknesses.
void Eigene_Zeile_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t i = icon->nummer - ICON_TRANSFER_EIGENE;
    const int32_t p = i >= 0 && i < TRANSFER_EIGENE_ZEILEN ? g.eigene_spieler[i] : -1;
    if (!Gueltig(p)) return;
    const int32_t x = icon->x, y = icon->y;
    const bool licht = Menue_Get_Aktuelles_Icon() == icon;
    if (licht) Bild(TRANSFER_BILD_ZEILE_LICHT, x, y);
    if (Spieler_Status(p) & SP_STATUS_NICHT_VERFUEGBAR) Bild(TRANSFER_BILD_GESPERRT, x + 1, y);
    Spieler_Zeile_Malen(p, x, y, Art_Kurz(std::clamp(Spieler_Get_Art(p), 0, 3)), false);
    int32_t negativ[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(p, negativ, 3, 2);
    for (int32_t k = 0; k < n; ++k) Bild((licht ? BILD_TALENT_MARKIERT : BILD_TALENT) + negativ[k], 306 + 30 * k, y + 1 - (licht ? 3 : 0));
}

// A right row: the light, the stars, position, name with ambition and the demand.
void Rechte_Zeile_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t i = icon->nummer - ICON_TRANSFER_RECHTS;
    const int32_t p = i >= 0 && i <= TRANSFER_RECHTE_ZEILEN ? g.rechts_spieler[i] : -1;
    if (!Gueltig(p)) return;
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    const int32_t x = icon->x, y = icon->y;
    if (Menue_Get_Aktuelles_Icon() == icon && p != g.auswahl) Bild(TRANSFER_BILD_RECHTS_LICHT, x, y);
    Liste_Fuellen(p, 0, 548, y + 1, 0, false);
    if (!f9) return;
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    Text_Printf(ziel, f9, "^c%05d^tz0022%s", x, y + 12, SPIELER_ZEILE_ART_FARBE[art], Art_Kurz(art));
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f9, 98);
    Text_Printf(ziel, f9, "^c%05d^tl0042%s^tr0270%d", x, y + 12, WEISS, name, Spieler_Wert(SPW_WERT55, p, 0, OP_LESEN));
    const std::string forderung = Geld(Spieler_Get_Forderung(p));
    Text_Printf(ziel, f9, "^c%05d^tr0000%s", x + 380, y + 12, GOLD, forderung.c_str());
}

// The row's info box while the pointer rests on it: the player summary with
// his money (own rows) or without the own club's lines (the market's).
const char* Zeilen_Info(s_icon* icon) {
    const bool eigen = icon->nummer < ICON_TRANSFER_RECHTS;
    const int32_t i = icon->nummer - (eigen ? ICON_TRANSFER_EIGENE : ICON_TRANSFER_RECHTS);
    const int32_t p = eigen ? g.eigene_spieler[i] : g.rechts_spieler[i];
    if (!Gueltig(p)) return nullptr;
    SpielerInfoArt art;
    art.tab = 97;
    art.eigen = eigen;
    art.geld = true;
    art.erloes = eigen;
    g.info = Spieler_Info_Text(p, art);
    return g.info.empty() ? nullptr : g.info.c_str();
}

// -- Clicks -------------------------------------------------------------------

void Freigabe_Ja(const int32_t* werte, const int32_t*) { Transfer_Freigeben(werte[0]); }
void Freigabe_Nein(const int32_t*, const int32_t*) { Auswahl_Setzen(-1); }

void Freigabe_Fragen(int32_t spieler) {
    char text[REQUESTER_TEXT_MAX + 1];
    const std::string frage = Text_Format(Text(TEXT_FRAGE), {Geld(Verhandlung_Verkauf_Erloes(spieler)).c_str()});
    std::snprintf(text, sizeof text, "%s %s: %s", frage.c_str(), Text(TEXT_SPIELER), Spieler_String(SPS_NAME, spieler, 0, 0));
    const int32_t werte[1] = {spieler};
    Menue_Requester(2, Team(), text, Text(TEXT_JA), Text(TEXT_NEIN), Freigabe_Ja, Freigabe_Nein, 1, werte, 0, nullptr);
}

void Eigene_Ereignis(s_icon* icon, int32_t ereignis) {
    const int32_t i = icon->nummer - ICON_TRANSFER_EIGENE;
    const int32_t p = g.eigene_spieler[i];
    if (!Gueltig(p)) return;
    const ZeilenKlick k = Spieler_Zeile_Klick(ereignis);
    if (k.art == ZeilenKlickArt::RECHTS) {
        if (g.hooks.karte_oeffnen) g.hooks.karte_oeffnen(p, Team(), 0);
        return;
    }
    if (k.art != ZeilenKlickArt::LINKS) return;
    // The weaknesses' column belongs to the talent list window.
    const SpielerlisteKlick liste = Spielerliste_Zeilen_Klick(p, Team(), k.x, k.y, 304, 359, true);
    if (liste == SpielerlisteKlick::OEFFNET || (liste == SpielerlisteKlick::ZEIGT && k.x >= 299 && k.x <= 390)) return;
    Transfer_Eigene_Klick(i);
}

void Rechts_Ereignis(s_icon* icon, int32_t ereignis) {
    const int32_t i = icon->nummer - ICON_TRANSFER_RECHTS;
    const int32_t p = g.rechts_spieler[i];
    if (!Gueltig(p)) return;
    if (ereignis & EV_RECHTS) {
        if (g.hooks.karte_oeffnen) g.hooks.karte_oeffnen(p, Team_Markt(), 3);
        return;
    }
    if (ereignis & EV_LINKS) Transfer_Rechts_Klick(i);
}

void Scout_Ereignis(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    if (Transfer_Scout_Schritt(icon->nummer == ICON_TRANSFER_SCOUT_WEITER ? 1 : -1)) icon->Status ^= ICON_ST_TOGGLE;
}

void Scout_Los(s_icon*, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || !g.hooks.scout_oeffnen) return;
    Auswahl_Setzen(-1);
    g.hooks.scout_oeffnen(g.scout);
}

void Scout_Los_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(9))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0080%s", icon->x, icon->y + 21,
                    (icon->Status & ICON_ST_GESPERRT) ? GRAU : WEISS, Text(TEXT_SCOUT_LOS));
}

// -- Building the screen ------------------------------------------------------

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri, uint32_t typ) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, typ, pri);
    i.Status = ICON_ST_KEY;
    return i;
}

int32_t Eigene_Zeile_Y(int32_t i) {
    if (i <= 10) return 136 + ZEILE_ABSTAND * i;
    if (i <= 16) return 344 + ZEILE_ABSTAND * (i - 11);
    return 467 + ZEILE_ABSTAND * (i - 17);
}

void Anlegen() {
    g.kopf = Icon(ICON_TRANSFER_KOPF, 3, 86, TRANSFER_BILD_BRETT, PRI_KOPF, ICON_TYP_PASSIV | ICON_TYP_MAUS_INFO);
    g.kopf.zeichnen = Kopf_Zeichnen;
    g.kopf.hilfe_proc = Kopf_Hilfe;
    for (int32_t i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i) {
        s_icon& r = g.eigene[i];
        r = Icon(ICON_TRANSFER_EIGENE + i, LINKS_X, Eigene_Zeile_Y(i), TRANSFER_BILD_ZEILE, PRI_ZEILE,
                 ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE | ICON_TYP_HOVER_JEDES_BILD);
        r.bild_an = TRANSFER_BILD_ZEILE_AN;
        r.Main_P = Eigene_Ereignis;
        r.zeichnen = Eigene_Zeile_Zeichnen;
        r.hilfe_proc = Zeilen_Info;
    }
    for (int32_t i = 0; i <= TRANSFER_RECHTE_ZEILEN; ++i) {
        s_icon& r = g.rechts[i];
        const int32_t y = i < TRANSFER_RECHTE_ZEILEN ? 136 + ZEILE_ABSTAND * i : 538;
        r = Icon(ICON_TRANSFER_RECHTS + i, RECHTS_X, y, TRANSFER_BILD_RECHTS, PRI_ZEILE,
                 ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE | ICON_TYP_HOVER_JEDES_BILD);
        r.Main_P = Rechts_Ereignis;
        r.zeichnen = Rechte_Zeile_Zeichnen;
        r.hilfe_proc = Zeilen_Info;
    }
    const char* wahl_hilfe = Text_Oder_Leer("ZUSATZTEXTE_HASK", HILFE_SCOUT_WAHL);
    g.scout_zurueck = Icon(ICON_TRANSFER_SCOUT_ZURUECK, 523, 462, TRANSFER_BILD_SCOUT_ZURUECK, PRI_KNOPF, 0);
    g.scout_weiter = Icon(ICON_TRANSFER_SCOUT_WEITER, 563, 462, TRANSFER_BILD_SCOUT_WEITER, PRI_KNOPF, 0);
    for (s_icon* k : {&g.scout_zurueck, &g.scout_weiter}) {
        k->bild_gedrueckt = k->bild + 1;
        k->Status |= ICON_ST_DRUCK;
        k->Main_P = Scout_Ereignis;
        k->hilfe = wahl_hilfe[0] ? wahl_hilfe : nullptr;
    }
    g.scout_los = Icon(ICON_TRANSFER_SCOUT_LOS, 608, 475, TRANSFER_BILD_KNOPF, PRI_KNOPF, 0);
    g.scout_los.bild_gedrueckt = TRANSFER_BILD_KNOPF_DRUCK;
    g.scout_los.Status |= ICON_ST_DRUCK;
    g.scout_los.Main_P = Scout_Los;
    g.scout_los.zeichnen = Scout_Los_Zeichnen;
    const char* los_hilfe = Text_Oder_Leer("ZUSATZTEXTE_HASK", HILFE_SCOUT_LOS);
    g.scout_los.hilfe = los_hilfe[0] ? los_hilfe : nullptr;
    // Without a scout screen to open the button stays off.
    if (!g.hooks.scout_oeffnen) g.scout_los.Status |= ICON_ST_GESPERRT;
}

void Icons_Setzen(bool hinzufuegen) {
    auto setzen = [&](s_icon* i) {
        if (hinzufuegen) Menue_Screen_Icon_Hinzufuegen(i);
        else Menue_Screen_Icon_Loeschen(-1, i);
    };
    setzen(&g.kopf);
    for (s_icon& r : g.eigene) setzen(&r);
    for (s_icon& r : g.rechts) setzen(&r);
    setzen(&g.scout_zurueck);
    setzen(&g.scout_weiter);
    setzen(&g.scout_los);
}

// The chosen scout from the manager's icon value (a value outside 0..3 becomes 0).
void Scout_Laden() {
    const int32_t s = Team() >= 0 ? Manager_Icon_Button_Lesen(Team(), ICON_TRANSFER_SCOUT_LOS) : 0;
    g.scout = s >= 0 && s < TRANSFER_SCOUTS ? s : 0;
    if (Team() >= 0) Manager_Icon_Button_An_Aus(Team(), ICON_TRANSFER_SCOUT_LOS, g.scout);
}

}  // namespace

TransferScreenHooks& Transfer_Screen_Hooks() { return g.hooks; }

void Transfer_Screen_Oeffnen() {
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_TRANSFER_KOPF)) {
        Scout_Laden();
        Anlegen();
        g.auswahl = -1;
        g.scout_gueltig = false;
        // The hint blinks from white on a screen built afresh, whatever an
        // earlier screen (or game) left of its phase and clock.
        g.blink = 0;
        g.blink_zeit = 0;
        Transfer_Liste_Aktualisieren();
        Transfer_Rechts_Aktualisieren();
        Icons_Setzen(true);
    }
    // A negotiation left by a change of screen comes back with the screen.
    if (Verhandlung_Offen() && Verhandlung_Stand().team == Team()) {
        Verhandlung_Pruefen();
        Auswahl_Setzen(Verhandlung_Stand().gekauft);
        Verhandlung_Fenster_Oeffnen();
        Verhandlung_Fortsetzen();
    }
}

void Transfer_Screen_Verlassen() {
    if (!Transfer_Screen_Offen()) return;
    Verhandlung_Pause();
    Verhandlung_Fenster_Schliessen();
}

bool Transfer_Screen_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_TRANSFER_KOPF); }

void Transfer_Liste_Aktualisieren() {
    Spieler_Zeile_Auffrischen();
    const int32_t team = Team();
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = team >= 0 ? Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0) : 0;
    std::stable_sort(liste, liste + n, [](int32_t a, int32_t b) {
        return Spieler_Wert(SPW_SLOT, a, 0, OP_LESEN) < Spieler_Wert(SPW_SLOT, b, 0, OP_LESEN);
    });
    for (int32_t i = 0; i < TRANSFER_EIGENE_ZEILEN; ++i) {
        g.eigene_spieler[i] = i < n ? liste[i] : -1;
        Zeigen(g.eigene[i], i < n);
        g.eigene[i].farbe = WEISS;
    }
}

void Transfer_Rechts_Aktualisieren() {
    int32_t liste[TRANSFER_RECHTE_ZEILEN + 1];
    int32_t n = Talente_Rechte_Liste(liste);
    const int32_t kandidat = Team() >= 0 ? Team_Wert(TW_SCOUT_SPIELER, Team(), 0, OP_LESEN) : -1;
    const bool mit_kandidat = Gueltig(kandidat) && n > 0 && liste[n - 1] == kandidat;
    if (mit_kandidat) --n;
    for (int32_t i = 0; i < TRANSFER_RECHTE_ZEILEN; ++i) {
        g.rechts_spieler[i] = i < n ? liste[i] : -1;
        Zeigen(g.rechts[i], i < n);
    }
    g.rechts_spieler[TRANSFER_RECHTE_ZEILEN] = mit_kandidat ? kandidat : -1;
    Zeigen(g.rechts[TRANSFER_RECHTE_ZEILEN], mit_kandidat);
    if (g.auswahl >= 0 && std::find(std::begin(g.rechts_spieler), std::end(g.rechts_spieler), g.auswahl) ==
                              std::end(g.rechts_spieler))
        g.auswahl = -1;
    Zeilen_Bilder();
}

void Transfer_Liste_Neu(int32_t a, int32_t b) {
    int32_t la[TEAM_SPIELER_MAX], lb[TEAM_SPIELER_MAX];
    const int32_t na = Teamspieler_Ins_Array(a, la, TEAM_SPIELER_MAX, 0);
    const int32_t nb = Teamspieler_Ins_Array(b, lb, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < std::min({na, nb, TEAM_SPIELER_MAX}); ++i)
        if (!Spieler_Transfer_Ausfuehren(a, b, la[i], lb[i], 0))
            Debug_Printf("Transfer_Liste_Neu: Tausch %d/%d gescheitert\n", la[i], lb[i]);
    if (Transfer_Screen_Offen()) {
        Transfer_Liste_Aktualisieren();
        Transfer_Rechts_Aktualisieren();
    }
}

void Transfer_Rechts_Klick(int32_t zeile) {
    if (zeile < 0 || zeile > TRANSFER_RECHTE_ZEILEN || !Gueltig(g.rechts_spieler[zeile])) return;
    if (Verhandlungen() <= 0) {
        Keine_Verhandlung();
        return;
    }
    const int32_t p = g.rechts_spieler[zeile];
    Auswahl_Setzen(g.auswahl == p ? -1 : p);
}

void Transfer_Eigene_Klick(int32_t zeile) {
    if (zeile < 0 || zeile >= TRANSFER_EIGENE_ZEILEN || !Gueltig(g.eigene_spieler[zeile])) return;
    const int32_t p = g.eigene_spieler[zeile];
    if (Verhandlungen() <= 0) {
        Keine_Verhandlung();
        return;
    }
    if (g.auswahl < 0) {
        Freigabe_Fragen(p);
        return;
    }
    switch (Verhandlung_Starten(p, g.auswahl)) {
    case VH_OK: Verhandlung_Fenster_Oeffnen(); break;
    case VH_GELD_REICHT_NICHT: Melden(Text(TEXT_GELD)); break;
    case VH_KEINE_VERHANDLUNG: Keine_Verhandlung(); break;
    default: Debug_Printf("Transfer_Eigene_Klick: Verhandlung fuer %d nicht begonnen\n", g.auswahl); break;
    }
}

bool Transfer_Freigeben(int32_t spieler) {
    const int32_t team = Team();
    if (!Gueltig(spieler) || team < 0 || Spieler_Get_Team(spieler) != team) return false;
    const int32_t markt = Team_Markt();
    int32_t ziel = Team_Wert(TW_ZWEITCLUB, team, 0, OP_LESEN);
    if (ziel < 0 || ziel >= Team_Anzahl() || ziel == team) ziel = markt;
    int32_t zurueck = -1;
    const int32_t sterne = Spieler_Wert(SPW_STERNE, spieler, 0, OP_LESEN);
    const int32_t max_sterne = Spieler_Wert(SPW_MAX_STERNE, spieler, 0, OP_LESEN);
    if (ziel != markt) {
        // He joins a weaker club no stronger than it: his strengths are capped at its average.
        zurueck = Team_Suche_Spieler_Mit_Art(ziel, Spieler_Get_Art(spieler));
        Spieler_Wert(SPW_STERNE, spieler, std::min(sterne, Team_Get_Staerke(ziel) / 20), OP_SCHREIBEN);
        Spieler_Wert(SPW_MAX_STERNE, spieler, std::min(max_sterne, Team_Get_Staerke_2(ziel) / 20), OP_SCHREIBEN);
    }
    if (!Spieler_Transfer_Ausfuehren(team, ziel, spieler, zurueck, 0)) {
        if (ziel != markt && Spieler_Get_Team(spieler) == team) {
            Spieler_Wert(SPW_MAX_STERNE, spieler, max_sterne, OP_SCHREIBEN);
            Spieler_Wert(SPW_STERNE, spieler, sterne, OP_SCHREIBEN);
        }
        Melden(Text_Format(Text(TEXT_FEHLER), {Spieler_String(SPS_NAME, spieler, 0, 0)}));
        if (Club_Ist_Client()) Menue_Client_Refresh();
        return false;
    }
    Auswahl_Setzen(-1);
    if (Transfer_Screen_Offen()) {
        Transfer_Liste_Aktualisieren();
        Transfer_Rechts_Aktualisieren();
    }
    return true;
}

bool Transfer_Scout_Schritt(int32_t richtung) {
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.scout_gueltig && jetzt - g.scout_zeit < TRANSFER_SCOUT_MS) return false;
    g.scout_gueltig = true;
    g.scout_zeit = jetzt;
    g.scout = (g.scout + (richtung < 0 ? TRANSFER_SCOUTS - 1 : 1)) % TRANSFER_SCOUTS;
    if (Team() >= 0) Manager_Icon_Button_An_Aus(Team(), ICON_TRANSFER_SCOUT_LOS, g.scout);
    return true;
}

TransferStand Transfer_Stand() {
    TransferStand s;
    s.auswahl = g.auswahl;
    s.scout = g.scout;
    std::copy(std::begin(g.eigene_spieler), std::end(g.eigene_spieler), s.eigene);
    std::copy(std::begin(g.rechts_spieler), std::end(g.rechts_spieler), s.rechts);
    return s;
}

}  // namespace velmora
