// business/verhandlung_fenster.cpp - the negotiation window.
#include "business/verhandlung_fenster.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "bilder/portrait.h"
#include "business/bank.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "business/transfer_screen.h"
#include "business/verhandlung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "core/text.h"
#include "core/text_format.h"
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

constexpr int32_t WEISS = 65535, GRUEN = 20051, GOLD = 52743, BRAUN = 50055, GRAU = 50744;
// TRANSFER_SCREEN texts of the window.
constexpr int32_t TEXT_VERKAUF = 30, TEXT_KAUF = 31, TEXT_BILANZ = 33, TEXT_FORDERUNG = 43, TEXT_ANGEBOT = 44,
                  TEXT_TITEL = 45, TEXT_ZU_VIEL = 47, TEXT_PREIS = 48, TEXT_STATUS = 49, TEXT_DEAL = 51,
                  TEXT_DANACH = 53, TEXT_EINIG = 55, TEXT_FRAGE = 56, TEXT_SEK = 57, TEXT_MARKTWERT = 58,
                  TEXT_EHRGEIZ = 59, TEXT_KEIN_DEAL = 60, TEXT_ABSCHLUSS = 61, TEXT_VERLASSEN = 62, TEXT_JA = 25,
                  TEXT_NEIN = 26, TEXT_KEINE_1 = 35, TEXT_KEINE_2 = 36, TEXT_KEINE_3 = 37, TEXT_FEHLER = 64,
                  TEXT_ABSCHLUSS_KOSTET = 90;
constexpr int32_t HILFE_KARTE = 1, HILFE_START = 5;   // ZUSATZTEXTE_HASK
constexpr int32_t FX = 32, FY = 69;                   // the board's place: the drawing's offsets
constexpr int32_t BALKEN_X = 507, BALKEN_Y = 277;
constexpr int8_t PRI_RAHMEN = 7, PRI_BRETT = 8, PRI_KNOPF = 9;   // under the panel (10): its menus stay usable

struct FensterModul {
    s_icon rahmen, brett, plus_klein, plus_gross, start, verlassen, abschluss, karte;
    bool karte_pause = false;   // the card paused the clock
};
FensterModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TRANSFER_TEXTE, n); }
int32_t Team() { return Menue_Lokal().team; }

std::string Geld(int64_t betrag) {
    const char* t = Geld_Text(float(betrag), Team(), -1);
    return t ? t : "";
}

void Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1) { Spieler_Zeile_Bild(bild, x, y, breite); }

// The requester sets its body as plain text.
void Melden(const char* text) {
    Menue_Requester(1, Team(), text, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
}

// The lists behind the window after the negotiation ended.
void Ende() {
    Verhandlung_Fenster_Schliessen();
    Transfer_Liste_Aktualisieren();
    Transfer_Rechts_Aktualisieren();
}

void Antwort(VerhandlungAntwort a) {
    switch (a) {
    case VH_UEBER_LIMIT: Melden(Text(TEXT_ZU_VIEL)); break;
    case VH_KEINE_VERHANDLUNG: {
        char t[REQUESTER_TEXT_MAX + 1];
        std::snprintf(t, sizeof t, "%s %s %d  %s", Text(TEXT_KEINE_1), Text(TEXT_KEINE_2),
                      Team_Wert(TW_VERHANDLUNGEN_ANZEIGE, Team(), 0, OP_LESEN), Text(TEXT_KEINE_3));
        Melden(t);
        break;
    }
    case VH_TRANSFER_FEHLER:
        // The message names the player the negotiation was about.
        Melden(Text_Format(Text(TEXT_FEHLER), {Spieler_String(SPS_NAME, Verhandlung_Stand().gekauft, 0, 0)}).c_str());
        break;
    case VH_GESCHLOSSEN: Ende(); break;
    default: break;
    }
}

void Frage_Ja(const int32_t*, const int32_t*) { Antwort(Verhandlung_Frage_Antwort(true)); }
void Frage_Nein(const int32_t*, const int32_t*) { Verhandlung_Frage_Antwort(false); }

// The buttons follow the state: raising only while the clock runs, starting
// only before, completing only after an agreement.
void Knoepfe_Setzen(const VerhandlungStand& s) {
    const bool laeuft = s.zustand == VH_LAEUFT || s.zustand == VH_FAELLT;
    for (s_icon* k : {&g.plus_klein, &g.plus_gross}) {
        if (laeuft) k->Status &= ~ICON_ST_GESPERRT;
        else k->Status |= ICON_ST_GESPERRT;
    }
    const bool vor = s.zustand == VH_NICHT_GESTARTET;
    g.start.bild = vor ? TRANSFER_BILD_START : TRANSFER_BILD_START_AUS;
    if (vor) g.start.Status &= ~ICON_ST_GESPERRT;
    else g.start.Status |= ICON_ST_GESPERRT;
    if (s.zustand == VH_BEENDET && s.einigung) g.abschluss.Status &= ~ICON_ST_VERSTECKT;
    else g.abschluss.Status |= ICON_ST_VERSTECKT;
}

// The money lines: the exchange player's proceeds, the offer, the deal's balance and the money after it.
void Geld_Zeilen(Font* f, const VerhandlungStand& s) {
    Rastport* ziel = Rastport_Target();
    const int64_t erloes = Verhandlung_Verkauf_Erloes(s.tausch);
    const int64_t bilanz = erloes - s.angebot;
    char zeile[256];
    std::snprintf(zeile, sizeof zeile, "%s: %s", Text(TEXT_VERKAUF), Spieler_String(SPS_NAME, s.tausch, 0, 0));
    Text_Printf(ziel, f, "^c%05d%s ^c%05d^tr0700+ %s", FX + 10, FY + 341, GRAU, zeile, WEISS, Geld(erloes).c_str());
    std::snprintf(zeile, sizeof zeile, "%s: %s", Text(TEXT_KAUF), Spieler_String(SPS_NAME, s.gekauft, 0, 0));
    Text_Printf(ziel, f, "^c%05d%s ^c%05d^tr0700- %s", FX + 10, FY + 358, GRAU, zeile, WEISS, Geld(s.angebot).c_str());
    if (bilanz < 0)
        Text_Printf(ziel, f, "^c%05d%s^c%05d^tr0700 %s", FX + 10, FY + 375, GOLD, Text(TEXT_BILANZ), BRAUN,
                    Geld(bilanz).c_str());
    else
        Text_Printf(ziel, f, "^c%05d%s^c%05d^tr0700+ %s", FX + 10, FY + 375, GOLD, Text(TEXT_BILANZ), GRUEN,
                    Geld(bilanz).c_str());
    const int64_t danach = int64_t(Bank_Kontostand(s.team, false, -1)) + bilanz;
    Text_Printf(ziel, f, "^c%05d%s %s", FX + 50, FY + 416, WEISS, Text(TEXT_DANACH), Geld(danach).c_str());
}

// The board: the clock runs here every frame, then the player, the prices,
// the clock's seconds, the status, the price bar and the money lines.
void Brett_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    if (!Verhandlung_Offen()) return;
    // Closing the card lets the paused clock run on.
    const TransferScreenHooks& h = Transfer_Screen_Hooks();
    if (g.karte_pause && !(h.karte_offen && h.karte_offen())) {
        g.karte_pause = false;
        Verhandlung_Fortsetzen();
    }
    Verhandlung_Takt();
    const VerhandlungStand s = Verhandlung_Stand();
    Knoepfe_Setzen(s);
    Rastport* ziel = Rastport_Target();
    Font* f3 = Font_Get(3);
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    if (!f9 || !f11) return;
    if (f3) Text_Printf(ziel, f3, "^c%05d%s", 36, 90, GOLD, Text(TEXT_TITEL));
    // The player.
    Portrait_Zeichnen(s.gekauft, Spieler_Get_Team(s.gekauft), ziel, 55, 135, -1, -1);
    const int32_t art = std::clamp(Spieler_Get_Art(s.gekauft), 0, 3);
    Text_Printf(ziel, f11, "^c%05d^tz0045%s", FX + 0, FY + 190, SPIELER_ZEILE_ART_FARBE[art], Spielerliste_Position_Name(art));
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, s.gekauft, 0, 0), name, sizeof name, f11, 250);
    Text_Printf(ziel, f11, "^c%05d%s", FX + 100, FY + 190, WEISS, name);
    Liste_Fuellen(s.gekauft, 0, FX + 27, FY + 202, 0, false);
    Text_Printf(ziel, f9, "^c%05d%s %d", FX + 130, FY + 213, GRAU, Text(TEXT_EHRGEIZ),
                Spieler_Wert(SPW_WERT55, s.gekauft, 0, OP_LESEN));
    Text_Printf(ziel, f11, "^c%05d%s %s", FX + 25, FY + 242, GRAU, Text(TEXT_MARKTWERT), Geld(s.marktwert).c_str());
    // The asking price (blinking while it falls) and the offer.
    Text_Printf(ziel, f9, "^c%05d^tz0110%s", FX + 126, FY + 98, GRAU, Text(TEXT_FORDERUNG));
    Text_Printf(ziel, f9, "^c%05d^tz0001%s", FX + 537, FY + 98, GRAU, Text(TEXT_ANGEBOT));
    Font* gross = f3 ? f3 : f11;
    Text_Printf(ziel, gross, "^c%05d^tz0110%s", FX + 126, FY + 124, Verhandlung_Preis_Farbe(), Geld(s.forderung).c_str());
    Text_Printf(ziel, gross, "^c%05d^tz0001%s", FX + 537, FY + 124, WEISS, Geld(s.angebot).c_str());
    // The seconds left while the clock runs.
    if (s.zustand != VH_NICHT_GESTARTET)
        Text_Printf(ziel, gross, "^c%05d^tr0000%d %s", 768, 90, s.zustand == VH_BEENDET ? GRAU : GOLD,
                    Verhandlung_Sekunden(), Text(TEXT_SEK));
    // The status line: start or time out, or the agreement.
    Text_Printf(ziel, f9, "^c%05d%s", FX + 20, FY + 319, s.einigung ? GRUEN : WEISS,
                Text(s.einigung ? TEXT_EINIG : TEXT_STATUS));
    if (s.zustand == VH_BEENDET)
        Text_Printf(ziel, f9, "^c%05d^tz0149%s", FX + 472, FY + 251, s.einigung ? GRUEN : BRAUN,
                    Text(s.einigung ? TEXT_DEAL : TEXT_KEIN_DEAL));
    // With an agreement both buttons carry the deal out, and "Abschluss"
    // spends one more of the club's negotiations: said over it, before the click.
    const int32_t rest = s.team >= 0 ? Team_Wert(TW_VERHANDLUNGEN, s.team, 0, OP_LESEN) : 0;
    if (s.zustand == VH_BEENDET && s.einigung && rest > 0)
        Text_Printf(ziel, f9, "^c%05d^tr0000%s", 709, FY + 283, GRAU,
                    Text_Format(Text(TEXT_ABSCHLUSS_KOSTET), {rest}).c_str());
    // The price bar.
    Text_Printf(ziel, f9, "^c%05d%s", BALKEN_X, BALKEN_Y - 8, GRAU, Text(TEXT_PREIS));
    Bild(TRANSFER_BILD_BALKEN, BALKEN_X, BALKEN_Y);
    int32_t fuellung = -1, marke = -1;
    Verhandlung_Fenster_Balken(&fuellung, &marke);
    if (fuellung > 0) Bild(TRANSFER_BILD_BALKEN_VOLL, BALKEN_X, BALKEN_Y, fuellung);
    if (marke >= 0) Bild(TRANSFER_BILD_MARKE, marke, BALKEN_Y - 4);
    Geld_Zeilen(f9, s);
}

void Knopf_Text(s_icon* icon, int32_t text) {
    if (Font* f = Font_Get(9))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz%04d%s", icon->x, icon->y + icon->ho / 2 + 4, WEISS,
                    int32_t(icon->br / 2), Text(text));
}

void Verlassen_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) { Knopf_Text(icon, TEXT_VERLASSEN); }
void Abschluss_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) { Knopf_Text(icon, TEXT_ABSCHLUSS); }

void Plus_Klick(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_LINKS) Verhandlung_Fenster_Erhoehen(icon->nummer == ICON_VH_PLUS_GROSS);
}
void Start_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_LINKS) Verhandlung_Fenster_Start();
}
void Verlassen_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_LINKS) Verhandlung_Fenster_Verlassen();
}
void Abschluss_Klick(s_icon*, int32_t ereignis) {
    if (ereignis & EV_LINKS) Verhandlung_Fenster_Abschluss();
}
void Karte_Klick(s_icon*, int32_t ereignis) {
    const TransferScreenHooks& h = Transfer_Screen_Hooks();
    if (!(ereignis & EV_LINKS) || !h.karte_oeffnen || !Verhandlung_Offen()) return;
    const VerhandlungStand s = Verhandlung_Stand();
    if (s.zustand == VH_LAEUFT || s.zustand == VH_FAELLT) {
        Verhandlung_Pause();
        g.karte_pause = true;
    }
    h.karte_oeffnen(s.gekauft, Spieler_Get_Team(s.gekauft), 2);
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri, uint32_t typ, IconMainP proc) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, typ, pri);
    i.Status = ICON_ST_KEY;
    i.Main_P = proc;
    return i;
}

const char* Hilfe(int32_t n) {
    const char* t = Text_Oder_Leer("ZUSATZTEXTE_HASK", n);
    return t[0] ? t : nullptr;
}

void Anlegen() {
    // The frame darkens the screen and takes the pointer: the lists under it take no clicks.
    g.rahmen = Icon(ICON_VH_RAHMEN, 0, 0, TRANSFER_BILD_RAHMEN, PRI_RAHMEN, ICON_TYP_LEISE, nullptr);
    g.brett = Icon(ICON_VH_BRETT, FX, FY, TRANSFER_BILD_FENSTER, PRI_BRETT, ICON_TYP_PASSIV, nullptr);
    g.brett.zeichnen = Brett_Zeichnen;
    g.plus_klein = Icon(ICON_VH_PLUS_KLEIN, 528, 212, TRANSFER_BILD_PLUS_KLEIN, PRI_KNOPF, 0, Plus_Klick);
    g.plus_gross = Icon(ICON_VH_PLUS_GROSS, 571, 212, TRANSFER_BILD_PLUS_GROSS, PRI_KNOPF, 0, Plus_Klick);
    for (s_icon* k : {&g.plus_klein, &g.plus_gross}) {
        k->bild_gedrueckt = k->bild + 1;
        k->Status |= ICON_ST_DRUCK | ICON_ST_WIEDERHOLEN;
    }
    g.start = Icon(ICON_VH_START, 636, 212, TRANSFER_BILD_START, PRI_KNOPF, 0, Start_Klick);
    g.start.hilfe = Hilfe(HILFE_START);
    g.verlassen = Icon(ICON_VH_VERLASSEN, 686, 463, TRANSFER_BILD_VERLASSEN, PRI_KNOPF, 0, Verlassen_Klick);
    g.verlassen.bild_gedrueckt = TRANSFER_BILD_VERLASSEN + 1;
    g.verlassen.Status |= ICON_ST_DRUCK;
    g.verlassen.zeichnen = Verlassen_Zeichnen;
    g.abschluss = Icon(ICON_VH_ABSCHLUSS, 550, 360, TRANSFER_BILD_KNOPF, PRI_KNOPF, 0, Abschluss_Klick);
    g.abschluss.bild_gedrueckt = TRANSFER_BILD_KNOPF_DRUCK;
    g.abschluss.Status |= ICON_ST_DRUCK;
    g.abschluss.zeichnen = Abschluss_Zeichnen;
    g.karte = Icon(ICON_VH_KARTE, 134, 209, TRANSFER_BILD_KARTE, PRI_KNOPF, 0, Karte_Klick);
    g.karte.hilfe = Hilfe(HILFE_KARTE);
    // The framework reads the labels' sizes from the pictures.
    for (s_icon* k : {&g.verlassen, &g.abschluss}) {
        if (Rastport* rp = Menue_Get_Slave_Rastport(k->bild, nullptr)) {
            k->br = int16_t(rp->width);
            k->ho = int16_t(rp->height);
        }
    }
}

s_icon* Alle(int32_t i) {
    s_icon* alle[] = {&g.rahmen, &g.brett, &g.plus_klein, &g.plus_gross, &g.start, &g.verlassen, &g.abschluss, &g.karte};
    return i < 8 ? alle[i] : nullptr;
}

}  // namespace

void Verhandlung_Fenster_Oeffnen() {
    if (!Verhandlung_Offen() || Verhandlung_Fenster_Offen()) return;
    Anlegen();
    g.karte_pause = false;
    Knoepfe_Setzen(Verhandlung_Stand());
    for (int32_t i = 0; s_icon* k = Alle(i); ++i) Menue_Screen_Icon_Hinzufuegen(k);
}

void Verhandlung_Fenster_Schliessen() {
    if (!Verhandlung_Fenster_Offen()) return;
    for (int32_t i = 0; s_icon* k = Alle(i); ++i) Menue_Screen_Icon_Loeschen(-1, k);
    g.karte_pause = false;
}

bool Verhandlung_Fenster_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_VH_BRETT); }

void Verhandlung_Fenster_Erhoehen(bool gross) { Antwort(Verhandlung_Erhoehen(gross)); }

void Verhandlung_Fenster_Start() { Antwort(Verhandlung_Uhr_Starten()); }

void Verhandlung_Fenster_Verlassen() {
    const VerhandlungAntwort a = Verhandlung_Verlassen();
    if (a != VH_FRAGE) {
        Antwort(a);
        return;
    }
    Menue_Requester(2, Team(), Text(TEXT_FRAGE), Text(TEXT_JA), Text(TEXT_NEIN), Frage_Ja, Frage_Nein, 0, nullptr, 0,
                    nullptr);
}

void Verhandlung_Fenster_Abschluss() {
    const int32_t team = Verhandlung_Stand().team;
    const VerhandlungAntwort a = Verhandlung_Abschliessen();
    // Completing by the button uses up one more negotiation.
    if (a == VH_GESCHLOSSEN && team >= 0) {
        const int32_t rest = Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN);
        if (rest > 0) Team_Wert(TW_VERHANDLUNGEN, team, rest - 1, OP_SCHREIBEN);
    }
    Antwort(a);
}

void Verhandlung_Fenster_Balken(int32_t* fuellung, int32_t* marke_x) {
    *fuellung = -1;
    *marke_x = -1;
    if (!Verhandlung_Offen()) return;
    const VerhandlungStand s = Verhandlung_Stand();
    // The bar spans the bargaining from the demand down to the lowest price,
    // where the offer starts (the market value rounded, a scout's player's
    // less a tenth): measured from the market value itself, an offer started
    // below it and the bar stayed empty while the asking price fell.
    const int32_t boden = Verhandlung_Untergrenze();
    if (s.zustand == VH_NICHT_GESTARTET || s.angebot < boden) return;
    const int64_t spanne = int64_t(s.start_forderung) - boden;
    // A demand no higher than that leaves nothing to bargain: the bar is full, the marker at its start.
    if (spanne <= 0) {
        *fuellung = TRANSFER_BALKEN_B;
        *marke_x = BALKEN_X;
        return;
    }
    const int64_t gefallen = std::clamp<int64_t>((int64_t(s.start_forderung) - s.forderung) * 100 / spanne, 0, 100);
    const int64_t geboten = std::clamp<int64_t>((int64_t(s.angebot) - boden) * 100 / spanne, 0, 100);
    *fuellung = int32_t(TRANSFER_BALKEN_B - (100 - gefallen) * TRANSFER_BALKEN_B / 100);
    *marke_x = int32_t(BALKEN_X + TRANSFER_BALKEN_B - geboten * TRANSFER_BALKEN_B / 100);
}

}  // namespace velmora
