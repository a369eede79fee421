// business/trainingslager_screen.cpp - the camp booking page.
#include "business/trainingslager_screen.h"

#include <string>

#include "business/bank.h"
#include "business/spieler_zeile.h"
#include "business/trainingslager.h"
#include "business/trainingslager_fenster.h"
#include "business/trainingslager_lauf.h"
#include "club/global_config.h"
#include "club/wirtschaft.h"
#include "core/text.h"
#include "gfx/bildnr_transfer.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "TRAININGS_LAGER_SCREEN";
constexpr int32_t WEISS = 65535, GOLD = 52743, GRAU = 50744;
constexpr int32_t TEXT_LAGER = 0, TEXT_PREIS = 1, TEXT_MORAL = 2, TEXT_UEBRIG = 5, TEXT_LAEUFT = 6, TEXT_BUCHEN = 8;
constexpr int32_t HILFE_BUCHEN = 7, HILFE_BLAETTERN = 10;   // ZUSATZTEXTE_HASK
// The bars stand under each other at one x (a staircase of 506, 516, 526
// read as misaligned); the page's picture holds their full length there.
constexpr int32_t BALKEN_X[3] = {526, 526, 526}, BALKEN_Y[3] = {152, 177, 202};
constexpr int8_t PRI_SEITE = 3, PRI_KNOPF = 5;

struct LagerModul {
    s_icon seite, zurueck, weiter, buchen;
};
LagerModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
const char* Hilfe(int32_t n) {
    const char* t = Text_Oder_Leer("ZUSATZTEXTE_HASK", n);
    return t[0] ? t : nullptr;
}

void Knopf_Setzen() {
    if (Trainingslager_Screen_Buchbar()) g.buchen.Status &= ~ICON_ST_GESPERRT;
    else g.buchen.Status |= ICON_ST_GESPERRT;
}

void Seite_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Knopf_Setzen();
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    Font* f14 = Font_Get(14);
    if (!f9 || !f11) return;
    Spieler_Zeile_Titel(Text(TEXT_LAGER), nullptr);
    const int32_t lager = Trainingslager_Auswahl();
    Spieler_Zeile_Bild(TRANSFER_BILD_LAGER_BILD + lager, 18, 116);
    const TrLagerDaten* d = Trainingslager_Daten(lager);
    for (int32_t k = 0; k < 3; ++k) {
        Text_Printf(ziel, f9, "^c%05d^tr0000%s", BALKEN_X[k] - 8, BALKEN_Y[k] + 11, GRAU, Text(TEXT_MORAL + k));
        const int32_t wert = d ? (k == 0 ? d->moral : k == 1 ? d->erholung : d->staerke) : 0;
        const int32_t w = Trainingslager_Balken_Breite(wert);
        Spieler_Zeile_Bild(TRANSFER_BILD_LAGER_LEER, BALKEN_X[k] + w, BALKEN_Y[k], TRANSFER_BALKEN_LAGER - w);
    }
    if (d && f14) Text_Printf(ziel, f14, "^c%05d%s", 460, 136, WEISS, d->name);
    if (d) {
        const std::string preis = Geld_Text(float(Trainingslager_Kosten(lager)), Menue_Lokal().team, -1);
        Text_Printf(ziel, f9, "^c%05d%s  ^c%05d%s", 460, 250, GRAU, Text(TEXT_PREIS), GOLD, preis.c_str());
        Textsatz_Box(ziel, f9, d->info1, 461, 776, 411, 531, 1, 0, -1);
        Textsatz_Box(ziel, f9, d->info1, 460, 775, 410, 530, uint16_t(WEISS), 0, -1);
    }
    Text_Printf(ziel, f9, "^c%05d%s ^c%05d%d", 120, 452, GRAU, Text(TEXT_UEBRIG), WEISS, Trainingslager_Uebrig());
    if (Lager_Laeuft()) Text_Printf(ziel, f11, "^c%05d%s", 460, 350, GOLD, Text(TEXT_LAEUFT));
}

void Buchen_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(9))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0080%s", icon->x, icon->y + 21,
                    (icon->Status & ICON_ST_GESPERRT) ? GRAU : WEISS, Text(TEXT_BUCHEN));
}

void Blaettern(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_LINKS) Trainingslager_Blaettern(icon->nummer == ICON_LAGER_WEITER ? 1 : -1, Menue_Get_Zeit());
}

void Buchen(s_icon*, int32_t ereignis) {
    if ((ereignis & EV_LINKS) && Trainingslager_Screen_Buchbar())
        Trainingslager_Buchen(Trainingslager_Auswahl(), Menue_Get_Zeit());
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, IconMainP proc, int32_t hilfe) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, PRI_KNOPF);
    i.Status = ICON_ST_KEY | ICON_ST_DRUCK;
    i.bild_gedrueckt = bild + 1;
    i.Main_P = proc;
    i.hilfe = Hilfe(hilfe);
    return i;
}

}  // namespace

void Trainingslager_Screen_Oeffnen() {
    if (Trainingslager_Screen_Offen()) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Trainingslager_Oeffnen();
    g.seite = Menue_Icon_Neu(ICON_LAGER_SEITE, 9, 107, TRANSFER_BILD_LAGER_SEITE, ICON_TYP_PASSIV, PRI_SEITE);
    g.seite.Status = ICON_ST_KEY;
    g.seite.zeichnen = Seite_Zeichnen;
    g.zurueck = Knopf(ICON_LAGER_ZURUECK, 43, 435, TRANSFER_BILD_SCOUT_ZURUECK, Blaettern, HILFE_BLAETTERN);
    g.weiter = Knopf(ICON_LAGER_WEITER, 79, 435, TRANSFER_BILD_SCOUT_WEITER, Blaettern, HILFE_BLAETTERN);
    g.buchen = Knopf(ICON_LAGER_BUCHEN, 586, 295, TRANSFER_BILD_KNOPF, Buchen, HILFE_BUCHEN);
    g.buchen.bild_gedrueckt = TRANSFER_BILD_KNOPF_DRUCK;
    g.buchen.zeichnen = Buchen_Zeichnen;
    Knopf_Setzen();
    for (s_icon* i : {&g.seite, &g.zurueck, &g.weiter, &g.buchen}) Menue_Screen_Icon_Hinzufuegen(i);
    // A running camp (or its results) shows over the page again.
    Lager_Fenster_Zeigen();
}

bool Trainingslager_Screen_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_LAGER_SEITE); }

bool Trainingslager_Screen_Buchbar() {
    // A camp missing from the configuration cannot be booked.
    const TrLagerDaten* d = Trainingslager_Daten(Trainingslager_Auswahl());
    return d && d->name[0] && !Lager_Laeuft();
}

}  // namespace velmora
