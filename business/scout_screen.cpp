// business/scout_screen.cpp - the scout screen.
#include "business/scout_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "bilder/portrait.h"
#include "business/bank.h"
#include "business/scout.h"
#include "business/spieler_zeile.h"
#include "business/sterne.h"
#include "business/transfer_screen.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/bildnr_scout.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/anim_liste.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"
#include "media/sound.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int32_t WEISS = 65535, GOLD = 52743, GRAU = 50744, GRUEN = 20051, SCHATTEN = 2113, TAFEL = 6444;
// A locked button's caption: dark enough that the button does not read as live
// (its picture, drawn half transparent, differs little from the panel below).
constexpr int32_t DUNKELGRAU = 27469;   // (104, 104, 104)
// SPIELER_SUCHE_SCREEN texts.
constexpr int32_t TEXT_ZURUECK = 1, TEXT_BEZAHLEN = 2, TEXT_SCOUT = 3, TEXT_UNTERWEGS = 4, TEXT_GEBIET = 5,
                  TEXT_FERTIG = 6, TEXT_GRUNDPREIS = 17, TEXT_WAEHLEN = 18, TEXT_FREI = 19, TEXT_ZUSCHLAG = 20,
                  TEXT_BESTAETIGEN = 21, TEXT_SUCHGEBIET = 22, TEXT_FRAGE = 23, TEXT_SPIELER = 24, TEXT_JA = 25,
                  TEXT_NEIN = 26, TEXT_BEREIT = 29, TEXT_EINDRUCK = 30,
                  TEXT_VERPFLICHTEN = 37, TEXT_HINWEIS = 40, TEXT_ABBRECHEN = 41, TEXT_WEG = 42, TEXT_UNBEKANNT = 44;
constexpr int32_t HILFE_BEZAHLEN = 12, HILFE_WEG = 13, HILFE_VERPFLICHTEN = 14;   // ZUSATZTEXTE_HASK
constexpr int32_t ICON_INFO[3] = {3360, 3361, 3396};
constexpr int32_t INFO_Y[3] = {356, 387, 419};
constexpr int32_t ICON_SOCKEL_1 = 3358, ICON_SOCKEL_2 = 3359;
constexpr int32_t REGIONEN_ZAHL = 15;
constexpr int32_t BILD_ART[4] = {24039, 24037, 24036, 24038};   // the kinds' shirts
constexpr int8_t PRI_SEITE = 3, PRI_TEIL = 4, PRI_KNOPF = 6;
constexpr int32_t ANIM_X = 117, ANIM_Y = 107, ANIM_MS = 62;

struct ScoutScreenModul {
    ScoutScreenHooks hooks;
    s_icon seite, suche, sockel_1, sockel_2, bezahlen, zurueck, verlassen, wegschicken, kandidat, verpflichten, karte;
    s_icon info[3];
    s_icon region[REGIONEN_ZAHL];
    std::string info_text[3];
    int32_t seite_nr = 0, vorige = -1;
    int32_t region_wahl = -1;      // the region chosen on page 1
    int32_t hover = -1;            // the region under the pointer
    bool region_14 = false;
    uint32_t letzter_schritt = 0;
    Anim_Slot anim[1];
};
ScoutScreenModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(SCOUT_TEXTE, n); }
const char* Hilfe(int32_t n) {
    const char* t = Text_Oder_Leer("ZUSATZTEXTE_HASK", n);
    return t[0] ? t : nullptr;
}
int32_t Team() { return Menue_Lokal().team; }
std::string Geld(int64_t betrag) { return Geld_Text(float(betrag), Team(), -1); }
const char* Region_Name(int32_t r) {
    const Kontinent* k = Kontinent_Daten(r);
    return k ? k->name : "";
}
int32_t Scout() { return Scout_Aktuell(); }
int32_t Region_Icon(int32_t r) { return r == 14 ? ICON_SCOUT_REGION_14 : ICON_SCOUT_REGION + r; }

void Zeigen(s_icon& i, bool an) {
    if (an) i.Status &= ~ICON_ST_VERSTECKT;
    else i.Status |= ICON_ST_VERSTECKT;
}
void Sperren(s_icon& i, bool gesperrt) {
    if (gesperrt) i.Status |= ICON_ST_GESPERRT;
    else i.Status &= ~ICON_ST_GESPERRT;
}
void Hinzu(s_icon& i) {
    if (!Menue_Screen_Icon_Ist_Vorhanden(i.nummer)) Menue_Screen_Icon_Hinzufuegen(&i);
}
void Weg(s_icon& i) { Menue_Screen_Icon_Loeschen(-1, &i); }

void Info_Setzen(const std::string& a, const std::string& b, const std::string& c) {
    g.info_text[0] = a;
    g.info_text[1] = b;
    g.info_text[2] = c;
}

// Base and region price of the chosen scout for a region.
int64_t Preis(int32_t region) { return int64_t(Scout_Grundpreis(Scout())) + Scout_Gebietspreis(Scout(), region); }

// The info lines of page 2: the question, the region, the whole price.
void Info_Seite_2() {
    Info_Setzen(Text(TEXT_BESTAETIGEN), std::string(Text(TEXT_SUCHGEBIET)) + " " + Region_Name(g.region_wahl) + " :",
                Geld(Preis(g.region_wahl)));
}

// -- Drawing ------------------------------------------------------------------

void Text_Schatten(Font* f, int32_t x, int32_t y, int32_t farbe, const char* text) {
    Rastport* ziel = Rastport_Target();
    Text_Printf(ziel, f, "^c%05d%s", x + 1, y + 1, SCHATTEN, text);
    Text_Printf(ziel, f, "^c%05d%s", x, y, farbe, text);
}

// The scout's portrait and name, the head of every page.
void Scout_Kopf(bool suche) {
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f14 = Font_Get(14);
    Font* f6 = Font_Get(6);
    const ScoutDaten* s = Scout_Daten(Scout());
    Spieler_Zeile_Bild(SCOUT_BILD_SCOUT + std::clamp(Scout(), 0, 3), 233, 115);
    if (!s || !f9 || !f14 || !f6) return;
    // Names from the configuration may be long: cut to the plate.
    char name[128], kurz[128];
    if (suche) {
        std::snprintf(name, sizeof name, "%s %s %s", Text(TEXT_SCOUT), s->vorname, s->name);
        Text_Schatten(f14, 314, 130, GOLD, Str_Auf_Breite(name, kurz, sizeof kurz, f14, 330));
        Text_Printf(ziel, f9, "^c%05d%s", 314, 150, WEISS, Text(TEXT_UNTERWEGS));
        Text_Printf(ziel, f9, "^c%05d%s ^c%05d%s", 314, 168, GRAU, Text(TEXT_GEBIET), WEISS, Region_Name(Scout_Region()));
        return;
    }
    std::snprintf(name, sizeof name, "%s %s", s->vorname, s->name);
    Text_Schatten(f14, 314, 130, GOLD, Str_Auf_Breite(name, kurz, sizeof kurz, f14, 330));
    const std::string preis = Geld(Scout_Grundpreis(Scout()));
    Text_Printf(ziel, f9, "^c%05d%s ^c%05d%s", 314, 150, GRAU, Text(TEXT_GRUNDPREIS), WEISS, preis.c_str());
    Text_Printf(ziel, f6, "^c%05d%s", 314, 170, GRUEN, Text(TEXT_HINWEIS));
}

// The region's price at the pointer: a shadowed plate with two lines.
void Tooltip() {
    if (g.hover < 0) return;
    Font* f8 = Font_Get(8);
    Rastport* ziel = Rastport_Target();
    if (!f8 || !ziel) return;
    int32_t mx = -1, my = -1;
    Menue_Maus_Position(&mx, &my);
    const int32_t gebiet = Scout_Gebietspreis(Scout(), g.hover);
    char zeile_1[96], zeile_2[128];
    std::snprintf(zeile_1, sizeof zeile_1, "%s :", Region_Name(g.hover));
    if (gebiet == 0) std::snprintf(zeile_2, sizeof zeile_2, "%s", Text(TEXT_FREI));
    else std::snprintf(zeile_2, sizeof zeile_2, "%s %s", Text(TEXT_ZUSCHLAG), Geld(gebiet).c_str());
    const int32_t b = std::max(Text_Width(f8, zeile_1), Text_Width(f8, zeile_2)) + 16, h = 36;
    const int32_t x = std::clamp(mx + 14, 4, 796 - b), y = std::clamp(my + 16, 90, 560 - h);
    Rastport_Fill(ziel, x + 4, y + 4, b, h, uint16_t(SCHATTEN), nullptr);
    Rastport_Fill(ziel, x, y, b, h, uint16_t(TAFEL), nullptr);
    Rastport_Draw_Frame(ziel, x, y, b, h, uint16_t(GOLD), 1, nullptr);
    Text_Printf(ziel, f8, "^c%05d%s", x + 8, y + 15, GOLD, zeile_1);
    Text_Printf(ziel, f8, "^c%05d%s", x + 8, y + 29, WEISS, zeile_2);
}

// Pages 1 and 2, then the globe.
void Seite_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Scout_Kopf(false);
    if (g.seite_nr == 2 && g.region_wahl >= 0) Spieler_Zeile_Bild(SCOUT_BILD_KARTE + g.region_wahl, SCOUT_KARTE_X, SCOUT_KARTE_Y);
    Anim_Liste_Zeichnen(g.anim, 1);
}

// The tooltip lies over the region buttons: the back button's drawing, the
// last of the page, paints it.
void Zurueck_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(6))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0047%s", icon->x, icon->y + 21, WEISS, Text(TEXT_ZURUECK));
    if (g.seite_nr == 1) Tooltip();
}

void Knopf_Text(s_icon* icon, int32_t text, int32_t breite) {
    if (Font* f = Font_Get(6))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz%04d%s", icon->x, icon->y + 21,
                    (icon->Status & ICON_ST_GESPERRT) ? DUNKELGRAU : WEISS, breite / 2, Text(text));
}
void Bezahlen_Zeichnen(s_icon* i, int32_t, int32_t, int32_t) { Knopf_Text(i, TEXT_BEZAHLEN, 94); }
void Verlassen_Zeichnen(s_icon* i, int32_t, int32_t, int32_t) { Knopf_Text(i, TEXT_ZURUECK, 150); }
void Weg_Zeichnen(s_icon* i, int32_t, int32_t, int32_t) { Knopf_Text(i, TEXT_WEG, 150); }
void Verpflichten_Zeichnen(s_icon* i, int32_t, int32_t, int32_t) { Knopf_Text(i, TEXT_VERPFLICHTEN, 150); }

void Info_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t k = icon->nummer == ICON_INFO[0] ? 0 : icon->nummer == ICON_INFO[1] ? 1 : 2;
    if (g.info_text[k].empty()) return;
    if (Font* f = Font_Get(9))
        Text_Printf(Rastport_Target(), f, "^c%05d%s", icon->x + 10, icon->y + 17, k == 2 ? GOLD : WEISS,
                    g.info_text[k].c_str());
}

// Page 3: head, bar with percent, the dialogue, the region; the search steps.
void Suche_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Scout_Kopf(true);
    const int32_t fortschritt = std::clamp(Scout_Fortschritt(), 0, SCOUT_BALKEN_B);
    Spieler_Zeile_Bild(SCOUT_BILD_BALKEN, 283, 217);
    if (fortschritt < SCOUT_BALKEN_B)
        Spieler_Zeile_Bild(SCOUT_BILD_BALKEN_LEER, 283 + fortschritt, 217, SCOUT_BALKEN_B - fortschritt);
    const int32_t prozent = Scout_Prozent();
    if (Font* f14 = Font_Get(14)) Text_Printf(ziel, f14, "^c%05d%d%s", 504, 232, WEISS, prozent, "%");
    Spieler_Zeile_Bild(SCOUT_BILD_DIALOG, 96, 245);
    if (Scout_Region() >= 0) Spieler_Zeile_Bild(SCOUT_BILD_REGION + Scout_Region(), 570, 189);
    // A requester pauses the search: no dialogue, no steps.
    if (!Menue_Requester_Offen()) {
        for (int32_t z = 0; z < Scout_Dialog_Anzahl(); ++z) {
            const ScoutDialogZeile* d = Scout_Dialog(z);
            Font* f = Font_Get(Scout_Dialog_Font(z));
            if (d && f && d->text[0]) Text_Printf(ziel, f, "^c%05d%s", 106, 263 + 18 * z, Scout_Dialog_Farbe(z), d->text);
        }
        const uint32_t jetzt = Menue_Get_Zeit();
        if (jetzt - g.letzter_schritt > SCOUT_SCREEN_SCHRITT_MS && Scout_Phase() != SCOUT_UEBERREDET) {
            g.letzter_schritt = jetzt;
            Scout_Suche_Schritt(prozent);
        }
    }
    if (Scout_Prozent() >= 100) {
        Spieler_Zeile_Bild(SCOUT_BILD_FERTIG, 194, 184);
        if (Font* f11 = Font_Get(11)) Text_Printf(ziel, f11, "^c%05d^tz0186%s", 194, 204, WEISS, Text(TEXT_FERTIG));
        Spieler_Zeile_Bild(SCOUT_BILD_HEIMKEHR, 570, 189);
    }
    Anim_Liste_Zeichnen(g.anim, 1);
}

// The prospect: shirt, number, name and kind, his readiness, and what the
// conversation has revealed so far (stars from the third exchange, the
// values from the fourth or once persuaded).
void Kandidat_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t p = Scout_Kandidat_Spieler();
    if (p < 0 || p >= Spieler_Anzahl()) return;
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f15 = Font_Get(15);
    if (!f9 || !f15) return;
    const int32_t x = icon->x, y = icon->y;
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    Portrait_Zeichnen(p, Team_Markt(), ziel, 103, 351, 68, 84);
    Spieler_Zeile_Bild(BILD_ART[art], x + 150, y + 7);
    Text_Printf(ziel, f15, "^c%05d%d", x + 154, y + 21, WEISS, Spieler_Wert(SPW_RUECKENNUMMER, p, 0, OP_LESEN));
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f9, 170);
    Text_Printf(ziel, f9, "^c%05d%s", x + 182, y + 17, WEISS, name);
    Text_Printf(ziel, f9, "^c%05d%s", x + 182, y + 31, SPIELER_ZEILE_ART_FARBE[art],
                Text_Oder_Leer("TRANSFER_SCREEN", 65 + art));
    const int32_t phase = Scout_Phase();
    if (phase < 1) Text_Printf(ziel, f9, "^c%05d^tr0000%s", x + 450, y + 17, GRAU, Text(TEXT_UNBEKANNT));
    else Text_Printf(ziel, f9, "^c%05d^tr0000%s %d", x + 450, y + 17, GOLD, Text(TEXT_BEREIT), Scout_Bereitschaft(p));
    const bool ueberzeugt = Scout_Kandidat_Zustand() == KANDIDAT_UEBERZEUGT;
    const int32_t stufe = ueberzeugt ? 4 : std::clamp(phase, 0, 3);
    Text_Printf(ziel, f9, "^c%05d%s", x + 147, y + 54, ueberzeugt ? GOLD : GRAU, Text(TEXT_EINDRUCK + stufe));
    if (stufe == 2) Spieler_Sterne_Zeichnen(p, x + 147, y + 62, 0);
    else if (stufe >= 3) Liste_Fuellen(p, 0, x + 147, y + 62, 0, false);
    else Text_Printf(ziel, f9, "^c%05d%s", x + 147, y + 78, GRAU, Text(TEXT_UNBEKANNT));
}

// -- Pages --------------------------------------------------------------------

void Regionen_Setzen(bool hinzufuegen) {
    for (int32_t r = 0; r < REGIONEN_ZAHL; ++r) {
        if (hinzufuegen && (r != 14 || g.region_14)) Hinzu(g.region[r]);
        else Weg(g.region[r]);
    }
}

void Seite_1() {
    Scout_Dialog_Leeren();
    g.region_wahl = -1;
    g.hover = -1;
    Info_Setzen("", "", "");
    Weg(g.bezahlen);
    Weg(g.sockel_1);
    for (s_icon* i : {&g.seite, &g.sockel_2, &g.info[0], &g.info[1], &g.info[2], &g.zurueck}) Hinzu(*i);
    Regionen_Setzen(true);
    g.vorige = g.seite_nr;
    g.seite_nr = 1;
}

void Seite_2() {
    Regionen_Setzen(false);
    g.hover = -1;
    Hinzu(g.sockel_1);
    Hinzu(g.bezahlen);
    Info_Seite_2();
    g.vorige = g.seite_nr;
    g.seite_nr = 2;
}

// The search page; its prospect buttons as the search left them.
void Seite_3() {
    Regionen_Setzen(false);
    for (s_icon* i : {&g.seite, &g.sockel_1, &g.sockel_2, &g.info[0], &g.info[1], &g.info[2], &g.bezahlen, &g.zurueck})
        Weg(*i);
    g.letzter_schritt = Menue_Get_Zeit();
    for (s_icon* i : {&g.suche, &g.kandidat, &g.verpflichten, &g.karte, &g.wegschicken, &g.verlassen}) Hinzu(*i);
    Scout_Screen_Kandidat(Scout_Kandidat_Zustand(), Scout_Kandidat_Spieler());
    g.vorige = g.seite_nr;
    g.seite_nr = 3;
}

void Schliessen() {
    Regionen_Setzen(false);
    for (s_icon* i : {&g.seite, &g.suche, &g.sockel_1, &g.sockel_2, &g.info[0], &g.info[1], &g.info[2], &g.bezahlen,
                      &g.zurueck, &g.verlassen, &g.wegschicken, &g.kandidat, &g.verpflichten, &g.karte})
        Weg(*i);
    Anim_Liste_Init(g.anim, 1);
    Samples_Stop();
    g.seite_nr = 0;
    g.hover = -1;
}

// The end of a search (left or signed): back to the transfer screen.
void Suche_Beenden() {
    Scout_Screen_Zuruecksetzen(Scout());
    Schliessen();
    Transfer_Screen_Oeffnen();
}

// -- Events -------------------------------------------------------------------

void Region_Ereignis(s_icon* icon, int32_t ereignis) {
    const int32_t r = icon->nummer == ICON_SCOUT_REGION_14 ? 14 : icon->nummer - ICON_SCOUT_REGION;
    if (r < 0 || r >= REGIONEN_ZAHL) return;
    if (ereignis == EV_BETRETEN) {
        icon->bild = SCOUT_REGION_BILD[r] + 1;
        g.hover = r;
        Info_Setzen(Text(TEXT_WAEHLEN), std::string(Region_Name(r)) + " :", Geld(Preis(r)));
    } else if (ereignis == EV_VERLASSEN || ereignis == EV_VERLASSEN_KONTEXT) {
        icon->bild = SCOUT_REGION_BILD[r];
        if (g.hover == r) g.hover = -1;
        Info_Setzen("", "", "");
    } else if (ereignis & EV_LINKS) {
        icon->bild = SCOUT_REGION_BILD[r];
        Scout_Screen_Region_Klick(r);
    }
}

void Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    switch (icon->nummer) {
    case ICON_SCOUT_BEZAHLEN: Scout_Screen_Bezahlen(); break;
    case ICON_SCOUT_ZURUECK: Scout_Screen_Zurueck(); break;
    case ICON_SCOUT_VERLASSEN: Scout_Screen_Verlassen(); break;
    case ICON_SCOUT_WEGSCHICKEN: Scout_Screen_Wegschicken(); break;
    case ICON_SCOUT_VERPFLICHTEN: Scout_Screen_Verpflichten(); break;
    case ICON_SCOUT_KARTE:
        if (g.seite_nr == 3 && g.hooks.karte_oeffnen && Scout_Kandidat_Spieler() >= 0)
            g.hooks.karte_oeffnen(Scout_Kandidat_Spieler(), Team_Markt(), 2);
        break;
    default: break;
    }
}

void Verlassen_Ja(const int32_t*, const int32_t*) { Suche_Beenden(); }
void Nur_Sample(const int32_t*, const int32_t*) { Sample_Spielen(3, false); }
void Verpflichten_Ja(const int32_t*, const int32_t*) {
    if (!Scout_Verpflichten()) return;
    Suche_Beenden();
}

// -- Building -----------------------------------------------------------------

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, uint32_t typ, int8_t pri) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, typ, pri);
    i.Status = ICON_ST_KEY;
    return i;
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t gedrueckt, IconZeichnen zeichnen, int32_t hilfe) {
    s_icon i = Icon(nummer, x, y, bild, 0, PRI_KNOPF);
    i.Status |= ICON_ST_DRUCK;
    i.bild_gedrueckt = gedrueckt;
    i.Main_P = Klick;
    i.zeichnen = zeichnen;
    i.hilfe = hilfe >= 0 ? Hilfe(hilfe) : nullptr;
    return i;
}

void Anlegen() {
    g.seite = Icon(ICON_SCOUT_SEITE, 3, 86, SCOUT_BILD_SEITE, ICON_TYP_PASSIV, PRI_SEITE);
    g.seite.zeichnen = Seite_Zeichnen;
    g.suche = Icon(ICON_SCOUT_SUCHE, 3, 86, SCOUT_BILD_SUCHE, ICON_TYP_PASSIV, PRI_SEITE);
    g.suche.zeichnen = Suche_Zeichnen;
    g.sockel_1 = Icon(ICON_SOCKEL_1, 681, 362, SCOUT_BILD_SOCKEL_1, ICON_TYP_PASSIV, PRI_TEIL);
    g.sockel_2 = Icon(ICON_SOCKEL_2, 681, 407, SCOUT_BILD_SOCKEL_2, ICON_TYP_PASSIV, PRI_TEIL);
    for (int32_t k = 0; k < 3; ++k) {
        g.info[k] = Icon(ICON_INFO[k], 40, INFO_Y[k], SCOUT_BILD_INFO, ICON_TYP_PASSIV, PRI_TEIL);
        g.info[k].zeichnen = Info_Zeichnen;
    }
    for (int32_t r = 0; r < REGIONEN_ZAHL; ++r) {
        s_icon& i = g.region[r];
        i = Icon(Region_Icon(r), SCOUT_KARTE_X, SCOUT_KARTE_Y, SCOUT_REGION_BILD[r],
                 ICON_TYP_PIXELGENAU | ICON_TYP_MAUS_INFO | ICON_TYP_LEISE, PRI_TEIL);
        i.Main_P = Region_Ereignis;
    }
    g.bezahlen = Knopf(ICON_SCOUT_BEZAHLEN, 684, 366, SCOUT_BILD_BEZAHLEN, SCOUT_BILD_BEZAHLEN + 1, Bezahlen_Zeichnen,
                       HILFE_BEZAHLEN);
    g.zurueck = Knopf(ICON_SCOUT_ZURUECK, 684, 411, SCOUT_BILD_ZURUECK, SCOUT_BILD_ZURUECK + 1, Zurueck_Zeichnen, -1);
    g.verlassen = Knopf(ICON_SCOUT_VERLASSEN, 616, 420, SCOUT_BILD_KNOPF, SCOUT_BILD_KNOPF + 1, Verlassen_Zeichnen, -1);
    g.wegschicken = Knopf(ICON_SCOUT_WEGSCHICKEN, 616, 382, SCOUT_BILD_KNOPF, SCOUT_BILD_KNOPF + 1, Weg_Zeichnen, HILFE_WEG);
    g.verpflichten = Knopf(ICON_SCOUT_VERPFLICHTEN, 616, 344, SCOUT_BILD_VERPFLICHTEN, SCOUT_BILD_VERPFLICHTEN - 1,
                           Verpflichten_Zeichnen, HILFE_VERPFLICHTEN);
    g.karte = Knopf(ICON_SCOUT_KARTE, 179, 424, SCOUT_BILD_KARTE_KNOPF, -1, nullptr, -1);
    g.karte.Status &= ~ICON_ST_DRUCK;
    g.kandidat = Icon(ICON_SCOUT_KANDIDAT, 96, 349, SCOUT_BILD_KANDIDAT, ICON_TYP_PASSIV, PRI_TEIL);
    g.kandidat.zeichnen = Kandidat_Zeichnen;
}

void Globus_Starten() {
    Anim_Liste_Init(g.anim, 1);
    Anim_Liste_Neu(g.anim, 1, ANIM_X, ANIM_Y, SCOUT_ANIM_GLOBUS, SCOUT_ANIM_GLOBUS_N, ANIM_MS, 1, 0);
}

}  // namespace

ScoutScreenHooks& Scout_Screen_Hooks() { return g.hooks; }

void Scout_Screen_Oeffnen(int32_t scout) {
    if (Scout_Screen_Offen()) return;
    // The screen lies over the transfer screen's work area.
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    g.region_14 = Scout_Region_Waehlbar(14, Tag_Index());
    Anlegen();
    g.seite_nr = 0;
    g.vorige = -1;
    Globus_Starten();
    // A paid search still running comes back where it stands.
    if (Scout_Suche_Laeuft()) {
        Seite_3();
        return;
    }
    Scout_Screen_Zuruecksetzen(scout);
    Scout_Screen_Kandidat(KANDIDAT_WEG, -1);
    Seite_1();
    g.vorige = -1;
}

bool Scout_Screen_Offen() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_SCOUT_SEITE) || Menue_Screen_Icon_Ist_Vorhanden(ICON_SCOUT_SUCHE);
}

int32_t Scout_Screen_Seite() { return Scout_Screen_Offen() ? g.seite_nr : 0; }

bool Scout_Screen_Region_Gezeigt(int32_t region) {
    return region >= 0 && region < REGIONEN_ZAHL && Menue_Screen_Icon_Ist_Vorhanden(Region_Icon(region));
}

void Scout_Screen_Kandidat(int32_t zustand, int32_t spieler) {
    const bool da = zustand != KANDIDAT_WEG && spieler >= 0;
    const bool ueberzeugt = da && zustand == KANDIDAT_UEBERZEUGT;
    Zeigen(g.kandidat, da);
    Zeigen(g.karte, da);
    Zeigen(g.verpflichten, da);
    Sperren(g.karte, !ueberzeugt);
    Sperren(g.verpflichten, !ueberzeugt);
    Sperren(g.wegschicken, !da);
}

void Scout_Screen_Region_Klick(int32_t region) {
    if (g.seite_nr != 1 || region < 0 || region >= REGIONEN_ZAHL) return;
    if (!Scout_Region_Waehlbar(region, Tag_Index())) return;
    g.region_wahl = region;
    Seite_2();
}

bool Scout_Screen_Bezahlen() {
    if (g.seite_nr != 2 || g.region_wahl < 0) return false;
    if (!Scout_Suche_Bezahlen(Scout(), g.region_wahl)) {
        Debug_Printf("Scout_Screen_Bezahlen: nicht bezahlt, Seite 2 bleibt\n");
        return false;
    }
    Seite_3();
    return true;
}

void Scout_Screen_Zurueck() {
    if (g.seite_nr == 2) {
        Seite_1();
        return;
    }
    if (g.seite_nr != 1) return;
    Schliessen();
    Transfer_Screen_Oeffnen();
}

void Scout_Screen_Verlassen() {
    if (g.seite_nr != 3) return;
    if (Scout_Prozent() >= 100) {
        Suche_Beenden();
        return;
    }
    char text[REQUESTER_TEXT_MAX + 1];
    std::snprintf(text, sizeof text, "^c%05d%s", WEISS, Text(TEXT_ABBRECHEN));
    Menue_Requester(2, Team(), text, Text(TEXT_JA), Text(TEXT_NEIN), Verlassen_Ja, Nur_Sample, 0, nullptr, 0, nullptr);
}

void Scout_Screen_Wegschicken() {
    if (g.seite_nr != 3 || Scout_Kandidat_Zustand() == KANDIDAT_WEG) return;
    Scout_Wegschicken();
    Sample_Spielen(3, false);
}

void Scout_Screen_Verpflichten() {
    const int32_t p = Scout_Kandidat_Spieler();
    if (g.seite_nr != 3 || Scout_Kandidat_Zustand() != KANDIDAT_UEBERZEUGT || p < 0) return;
    char text[REQUESTER_TEXT_MAX + 1];
    std::snprintf(text, sizeof text, "^c%05d%s^l%s^tl0100: %s", WEISS, Text(TEXT_FRAGE), Text(TEXT_SPIELER),
                  Spieler_String(SPS_NAME, p, 0, 0));
    Menue_Requester(2, Team(), text, Text(TEXT_JA), Text(TEXT_NEIN), Verpflichten_Ja, Nur_Sample, 0, nullptr, 0, nullptr);
}

}  // namespace velmora
