// season/wettbewerb_regeln.cpp - the competition rules the match day asks.
#include "season/wettbewerb_regeln.h"

#include <algorithm>

#include "core/debug.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

bool Mit_Verlaengerung(const WettbewerbSatz& s) {
    return (s.modus & MODUS_KO_SYSTEM) && s.art != ART_FREUNDSCHAFT && s.verlaengerung > 0;
}
bool Mit_Elfmeter(const WettbewerbSatz& s) {
    return (s.modus & MODUS_KO_SYSTEM) && s.art != ART_FREUNDSCHAFT && s.elfmeter;
}

// End minutes of the periods: halves, extra-time halves, the shoot-out.
int32_t Ende(const WettbewerbSatz& s, int32_t abschnitt) {
    int32_t h = s.spielzeit / 2, v = Mit_Verlaengerung(s) ? s.verlaengerung : 0;
    switch (abschnitt) {
    case 0: return h;
    case 1: return s.spielzeit;
    case 2: return s.spielzeit + v / 2;
    case 3: return s.spielzeit + v;
    default: return s.spielzeit + v;
    }
}

}  // namespace

int32_t Wettbewerb_Anz_Spielabschnitte(int32_t w) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s) {
        Debug_Printf("Wettbewerb_Anz_Spielabschnitte: Wettbewerb %d unbekannt\n", w);
        return 2;
    }
    return 2 + (Mit_Verlaengerung(*s) ? 2 : 0) + (Mit_Elfmeter(*s) ? 1 : 0);
}

int32_t Wettbewerb_Spielzeit(int32_t w, int32_t) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    return s ? s->spielzeit : 90;
}

int32_t Wettbewerb_Halbzeit_Ende(int32_t w, int32_t minute, int32_t abschnitt) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || abschnitt < 0 || abschnitt >= Wettbewerb_Anz_Spielabschnitte(w)) {
        Debug_Printf("Wettbewerb_Halbzeit_Ende: Wettbewerb %d Abschnitt %d ungueltig\n", w, abschnitt);
        return -1;
    }
    int32_t ende = Ende(*s, abschnitt);
    return minute >= ende ? ende : -1;
}

bool Wettbewerb_Ist_Sudden_Death(int32_t w, int32_t abschnitt) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    return s && s->golden_goal && Mit_Verlaengerung(*s) && (abschnitt == 2 || abschnitt == 3);
}

int32_t Wettbewerb_Abpfiff_Pruefen(int32_t w, int32_t minute, int32_t abschnitt, int32_t erzwingen, int32_t) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || abschnitt < 0) {
        Debug_Printf("Wettbewerb_Abpfiff_Pruefen: Wettbewerb %d Abschnitt %d ungueltig\n", w, abschnitt);
        return ABPFIFF_SPIELENDE;
    }
    if (!erzwingen && minute < Ende(*s, abschnitt)) return ABPFIFF_WEITER;
    return (abschnitt == 0 || abschnitt == 2) ? ABPFIFF_ABSCHNITT : ABPFIFF_SPIELENDE;
}

bool Wettbewerb_Elfmeterschiessen_Noetig(int32_t w, int32_t runde, int32_t paarung, int32_t, int32_t abschnitt,
                                         int32_t, int32_t, int32_t) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || !Mit_Elfmeter(*s)) return false;
    int32_t letzter = Mit_Verlaengerung(*s) ? 3 : 1;
    if (abschnitt < letzter) return false;
    // Only the leg that decides the tie: the last one that exists.
    int32_t legs = 0;
    for (int32_t i = 0; i < 2; ++i) {
        Spiel_Lock h = Spiele_Lock(w, runde, paarung, i);
        if (!h) break;
        const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
        bool begonnen = sp->tore_heim >= 0;
        Spiele_Unlock(h);
        if (!begonnen) return false;
        legs = i + 1;
    }
    return legs > 0 && Wettbewerb_Paarung_Sieger(w, runde, paarung, legs - 1, 0, 0) == -2;
}

int32_t Wettbewerb_Spiel_Wichtigkeit(int32_t w, int32_t runde) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s) return 0;
    if (runde < 0) runde = s->aktuelle_runde;
    int32_t basis = std::clamp(s->wichtigkeit, 0, 100);
    if (s->art == ART_FREUNDSCHAFT || s->spieltage < 1) return basis;
    runde = std::clamp(runde, 1, s->spieltage);
    // Knock-out rounds grow to 100 at the final; a league's last rounds count up to half more.
    if (s->modus & MODUS_KO_SYSTEM) return basis + (100 - basis) * (runde - 1) / std::max(1, s->spieltage - 1);
    return basis + (100 - basis) * runde / s->spieltage / 2;
}

void Wettbewerb_Spiel_Bedeutung_Teams(int32_t w, const int32_t* teams, int32_t* out, int32_t anzahl) {
    if (!teams || !out || anzahl < 0) return;
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    for (int32_t i = 0; i < anzahl; ++i) {
        out[i] = 80;
        if (!s) continue;
        if (s->art == ART_FREUNDSCHAFT) {
            out[i] = 20;
        } else if (s->modus & MODUS_KO_SYSTEM) {
            if (s->spieltage - s->aktuelle_runde < 2) out[i] = 100;
        } else if (s->aktuelle_runde * 2 > s->spieltage) {
            int32_t platz = Wettbewerb_Get_Tabellenplatz(w, teams[i], 0, -1, 31, 0);
            if (platz >= 0 && (platz < std::max(3, std::max(s->aufsteiger, s->quali_plaetze)) ||
                               (s->absteiger && platz >= s->team_anzahl - s->absteiger - 1)))
                out[i] = 100;
        }
    }
}

int32_t Wettbewerb_Zahle_Punkt_U(int32_t w, int32_t team, int32_t sieg) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || team < 0) {
        Debug_Printf("Wettbewerb_Zahle_Punkt_U: Wettbewerb %d Team %d ungueltig\n", w, team);
        return 0;
    }
    int32_t betrag = s->punkt_praemie * (sieg ? 3 : 1);
    if (betrag <= 0) return 0;
    const WettbewerbHooks& h = Wettbewerb_Hooks();
    if (!h.bank_buchen) {
        Debug_Printf("Wettbewerb_Zahle_Punkt_U: keine Bank, %d fuer Team %d nicht gebucht\n", betrag, team);
        return 0;
    }
    h.bank_buchen(team, float(betrag), BUCHUNG_PRAEMIE, "Punktpraemie");
    return betrag;
}

void Wettbewerb_KI_Taktik_Anpassen(int32_t wettbewerb, int32_t heim, int32_t gast, int32_t team0, int32_t team1,
                                   int32_t minute, int32_t spielzeit, void* satz) {
    if (!satz || !Wettbewerb_Satz(wettbewerb)) return;
    if (heim != team0 || gast != team1)
        Debug_Printf("Wettbewerb_KI_Taktik_Anpassen: Teams %d/%d, Satz %d/%d\n", heim, gast, team0, team1);
    if (Wettbewerb_Hooks().ki_taktik) Wettbewerb_Hooks().ki_taktik(satz, minute, spielzeit);
}

}  // namespace velmora
