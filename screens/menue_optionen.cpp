// screens/menue_optionen.cpp - the option bar under a live match.
#include "screens/menue_optionen.h"

#include "core/debug.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "net/net.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int32_t OPTIONEN = 9;   // 716 .. 724
constexpr int32_t OPTION_X[OPTIONEN] = {111, 169, 224, 282, 342, 435, 501, 573, 639};
constexpr int32_t OPTION_Y = 565;
constexpr int32_t SLAVE_LEISTE = 12000, SLAVE_AN = 12001, SLAVE_AUS = 12010, SLAVE_TEMPO = 12019;
constexpr int32_t ICON_ANZEIGE = 716, ICON_ERGEBNIS_0 = 719, ICON_ERGEBNIS_1 = 720, ICON_REGLER = 722,
                  ICON_LADEN = 723, ICON_SPEICHERN = 724;
constexpr uint32_t TYP_HOVER_JEDES_BILD = 0x200201;

struct OptionenModul {
    s_icon icon[OPTIONEN + 2];   // 716..725, the bar
    int32_t gesperrt = 0;
};
OptionenModul g;

int32_t Zustand(int32_t nummer) { return Menue_Icon_Zustand(nummer); }
void Zustand_Setzen(int32_t nummer, int32_t wert) {
    if (Menue_Hooks().icon_zustand_setzen) Menue_Hooks().icon_zustand_setzen(nummer, wert);
}
const MenuePanelHooks& H() { return Menue_Panel_Hooks(); }
void Rufen(ScreenOeffner f) {
    if (f) f();
}
void Pause_Setzen(int32_t an) {
    if (H().set_pause) H().set_pause(an);
}

void Anzeige(int32_t an) {
    if (an) {
        if (H().anzeige_naechstes) H().anzeige_naechstes();
    } else if (H().anzeige_reset) {
        H().anzeige_reset();
    }
}

void Aufbauen() {
    for (int32_t k = 0; k < OPTIONEN; ++k) {
        s_icon& i = g.icon[k];
        i = Menue_Icon_Neu(ICON_OPTION_ERSTE + k, OPTION_X[k], OPTION_Y, SLAVE_AUS + k, 0, 12);
        i.bild_an = SLAVE_AN + k;
        i.Status = ICON_ST_TOGGLE;
        i.Main_P = Menue_Optionen_Klick;
    }
    g.icon[OPTIONEN] = Menue_Icon_Neu(ICON_OPTION_TEMPO, 752, OPTION_Y, SLAVE_TEMPO, TYP_HOVER_JEDES_BILD, 12);
    g.icon[OPTIONEN].Main_P = Menue_Optionen_Klick;
    g.icon[OPTIONEN + 1] = Menue_Icon_Neu(ICON_OPTION_LEISTE, 0, OPTION_Y, SLAVE_LEISTE, ICON_TYP_PASSIV, 11);
}

}  // namespace

void Menue_Optionen_Screen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_OPTION_ERSTE) || g.gesperrt) return;
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 800, 600);
    Aufbauen();
    const bool netz = Netzwerk_Modus() != 0, client = Netzwerk_Modus() == 1;
    if (netz) g.icon[0].Status |= ICON_ST_GESPERRT, g.icon[1].Status |= ICON_ST_GESPERRT;
    if (client) g.icon[7].Status |= ICON_ST_GESPERRT, g.icon[8].Status |= ICON_ST_GESPERRT;
    for (s_icon& i : g.icon) Menue_Screen_Icon_Hinzufuegen(&i);
    Menue_Set_Hintergrund(-1);
    g.gesperrt = 0;
    Anzeige(Zustand(ICON_ANZEIGE));
    Pause_Setzen(Zustand(ICON_OPTION_PAUSE));
    if (H().set_fast) H().set_fast(Zustand(ICON_OPTION_FAST));
    if (Zustand(ICON_ERGEBNIS_0) && H().ergebnis_seite) H().ergebnis_seite(0);
    if (Zustand(ICON_ERGEBNIS_1) && H().ergebnis_seite) H().ergebnis_seite(1);
    if (Zustand(ICON_OPTION_SPIELER)) Rufen(H().spielerliste_oeffnen);
    if (Zustand(ICON_REGLER)) Rufen(H().regler_oeffnen);
}

void Menue_Optionen_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon) return;
    const int32_t n = icon->nummer;
    if (n == ICON_OPTION_TEMPO) {
        // Fast forward while the calendar waits for the continue button or the left button is held on it.
        const uint32_t knoepfe = Menue_Hooks().maus_klick ? Menue_Hooks().maus_klick() : 0;
        const bool schnell = Kalender_Get_Wartefenster() || (knoepfe == 1 && ereignis != EV_VERLASSEN);
        Kalender_Set_Tempo(schnell ? 1 : 0);
        // The handler runs every frame the pointer rests on the button, and a
        // client's state write is a call to the server: written only when set.
        if (Zustand(n)) Zustand_Setzen(n, 0);
        return;
    }
    if (!(ereignis & EV_LINKS)) return;
    Debug_Printf("KLICK!\n");
    int32_t neu = 1 - (Zustand(n) ? 1 : 0);
    switch (n) {
    case ICON_ANZEIGE: Anzeige(neu); break;
    case ICON_OPTION_PAUSE: Pause_Setzen(neu); break;
    case ICON_OPTION_FAST:
        if (H().set_fast) H().set_fast(neu);
        if (neu) {
            Pause_Setzen(0);
            Zustand_Setzen(ICON_OPTION_PAUSE, 0);
        }
        break;
    case ICON_ERGEBNIS_0:
    case ICON_ERGEBNIS_1: {
        const int32_t seite = n - ICON_ERGEBNIS_0;
        if (!neu) {
            if (H().ergebnis_seite_schliessen) H().ergebnis_seite_schliessen(seite);
        } else {
            neu = H().ergebnis_seite && H().ergebnis_seite(seite) ? 1 : 0;
        }
        break;
    }
    case ICON_OPTION_SPIELER: Rufen(neu ? H().spielerliste_oeffnen : H().spielerliste_schliessen); break;
    case ICON_REGLER: Rufen(neu ? H().regler_oeffnen : H().regler_schliessen); break;
    case ICON_LADEN:
    case ICON_SPEICHERN:
        neu = 0;
        Menue_Optionen_Sperren(1);
        Rufen(n == ICON_LADEN ? H().disk_laden : H().disk_speichern);
        break;
    default: return;
    }
    Zustand_Setzen(n, neu);
}

void Menue_Optionen_Sperren(int32_t sperre) {
    g.gesperrt = sperre;
    Pause_Setzen(sperre ? 1 : Zustand(ICON_OPTION_PAUSE));
}

int32_t Menue_Optionen_Gesperrt() { return g.gesperrt; }

void Menue_Optionen_Standard() {
    Menue_Optionen_Sperren(1);
    if (!Zustand(ICON_OPTION_PAUSE)) {
        Zustand_Setzen(ICON_OPTION_PAUSE, 1);
        Pause_Setzen(1);
    }
    if (!Zustand(ICON_OPTION_SPIELER)) {
        Zustand_Setzen(ICON_OPTION_SPIELER, 1);
        Rufen(H().spielerliste_oeffnen);
    }
}

void Menue_Optionen_Zuruecksetzen() {
    for (int32_t n = ICON_OPTION_ERSTE; n <= ICON_OPTION_TEMPO; ++n) Zustand_Setzen(n, 0);
    Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    Menue_Speicher_Befreien(1);
}

}  // namespace velmora
