// season/spielplan.cpp - fixture generation, knock-out ties and the end of a day.
#include "season/spielplan.h"

#include <algorithm>
#include <vector>

#include "core/debug.h"
#include "core/rnd.h"
#include "core/str.h"
#include "club/spieler.h"
#include "club/team.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

// The legs of a pairing that exist, in order.
struct Tie {
    const SpielDatensatz* leg[2] = {nullptr, nullptr};
    int32_t legs = 0;
};

Tie Tie_Holen(int32_t w, int32_t runde, int32_t paarung) {
    Tie t;
    for (int32_t s = 0; s < 2; ++s) {
        Spiel_Lock h = Spiele_Lock(w, runde, paarung, s);
        if (!h) break;
        t.leg[s] = Spiele_Get_Spiel(h, 1);
        Spiele_Unlock(h);
        t.legs = s + 1;
    }
    return t;
}

bool Gespielt(const SpielDatensatz* s) { return s && (s->flags & SPIEL_FLAG_GESPIELT) && s->tore_heim >= 0; }

// Clubs of a knock-out competition still in, in slot order.
std::vector<int32_t> Noch_Dabei(const WettbewerbSatz& s) {
    std::vector<int32_t> teams;
    for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; ++i)
        if (s.team[i] >= 0 && !(s.slot_status[i] & SLOT_AUSGESCHIEDEN)) teams.push_back(s.team[i]);
    return teams;
}

void Ausscheiden(WettbewerbSatz& s, int32_t team) {
    for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; ++i)
        if (s.team[i] == team) s.slot_status[i] |= SLOT_AUSGESCHIEDEN;
}

// Decides every tie of a played knock-out round; lots for the level ones.
void KO_Runde_Entscheiden(WettbewerbSatz& s, int32_t runde) {
    for (int32_t p = 0;; ++p) {
        Tie t = Tie_Holen(s.id, runde, p);
        if (!t.legs) break;
        const SpielDatensatz* letztes = t.leg[t.legs - 1];
        int32_t sieger = Wettbewerb_Paarung_Sieger(s.id, runde, p, t.legs - 1, 0, 0);
        if (sieger == -2) {
            // Level without a decision on the pitch: lots, recorded on the last leg.
            bool heim = Rnd(0, 1) == 0;
            Spiel_Lock h = Spiele_Lock(s.id, runde, p, t.legs - 1);
            Spiele_Set_Flag(h, SPIEL_FLAG_LOS, true);
            Spiele_Set_Flag(h, SPIEL_FLAG_HEIM_ENTSCHIEDEN, heim);
            Spiele_Unlock(h);
            sieger = heim ? letztes->heim : letztes->gast;
        }
        int32_t verlierer = sieger == t.leg[0]->heim ? t.leg[0]->gast : t.leg[0]->heim;
        Ausscheiden(s, verlierer);
    }
}

// Sends a finished group's qualified clubs on; draws the next stage once all
// groups of the chain are finished.
void Gruppe_Abschliessen(WettbewerbSatz& s) {
    WettbewerbSatz* ziel = Wettbewerb_Satz(s.naechste_runde);
    if (!ziel) return;
    int32_t reihe[TABELLE_TEAMS_MAX];
    int32_t n = Tabelle_Reihenfolge(s.id, reihe);
    for (int32_t i = 0; i < std::min(n, s.weiter_plaetze); ++i) {
        Wettbewerb_Team_Eintragen(ziel->id, reihe[i]);
        int32_t slot = Wettbewerb_Get_Team_Slot(s.id, reihe[i]);
        if (slot >= 0) s.slot_status[slot] |= SLOT_WEITER;
    }
    for (int32_t i = std::min(n, s.weiter_plaetze); i < n; ++i) Ausscheiden(s, reihe[i]);
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* x = Wettbewerb_Satz(id);
        if (x->naechste_runde == ziel->id && x->art == ART_GRUPPE && x->aktuelle_runde <= x->spieltage) return;
    }
    Wettbewerb_Spielplan_Erstellen(ziel->id);
}

}  // namespace

int32_t Spielplan_Runde(int32_t n, int32_t runde, int32_t* out) {
    if (n < 2 || n > WETTBEWERB_TEAMS_MAX || !out) return 0;
    int32_t m = n + (n % 2);   // an odd count plays against a bye (slot n)
    if (runde < 1 || runde > m - 1) return 0;
    int32_t r = runde - 1, schritt = m / 2;
    auto rot = [&](int32_t i) { return (i + r * schritt) % (m - 1); };
    int32_t paare = 0;
    auto paar = [&](int32_t heim, int32_t gast) {
        if (heim >= n || gast >= n) return;   // the bye
        out[2 * paare] = heim;
        out[2 * paare + 1] = gast;
        ++paare;
    };
    if (r % 2) paar(m - 1, rot(0));
    else paar(rot(0), m - 1);
    for (int32_t i = 1; i < m / 2; ++i) paar(rot(i), rot(m - 1 - i));
    return paare;
}

bool Wettbewerb_Spielplan_Erstellen(int32_t w) {
    WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || !Spiele_Ist_Initialisiert()) {
        Debug_Printf("Wettbewerb_Spielplan_Erstellen: Wettbewerb %d unbekannt\n", w);
        return false;
    }
    if (!Spiele_Loeschen_Wettbewerb(w)) return false;
    Spiele_Tabellen_Cache_Loeschen(w);
    s->aktuelle_runde = 1;
    s->aktueller_spieltag = 0;
    s->ausgelost = 0;
    s->sieger = -1;
    for (uint8_t& st : s->slot_status) st = 0;
    if (s->art == ART_FREUNDSCHAFT) return true;
    if (s->modus & MODUS_KO_SYSTEM) return Wettbewerb_KO_Runde_Auslosen(w, 1);
    // Leagues shuffle their slots' order once, so the fixtures differ from season to season.
    std::vector<int32_t> teams;
    for (int16_t t : s->team)
        if (t >= 0) teams.push_back(t);
    int32_t n = int32_t(teams.size());
    if (n < 2) return true;
    for (int32_t i = n - 1; i > 0; --i) std::swap(teams[i], teams[Rnd(0, i)]);
    int32_t runden = Wettbewerb_Liga_Runden(n, 1);
    std::vector<int32_t> paare(WETTBEWERB_TEAMS_MAX);
    for (int32_t leg = 0; leg < s->rueckspiel; ++leg)
        for (int32_t r = 1; r <= runden; ++r) {
            // The second half starts one round on, so no club has three home
            // or away games in a row across the turn of the halves.
            int32_t k = Spielplan_Runde(n, leg ? r % runden + 1 : r, paare.data());
            for (int32_t p = 0; p < k; ++p) {
                int32_t heim = teams[paare[2 * p]], gast = teams[paare[2 * p + 1]];
                if (leg) std::swap(heim, gast);
                Spiele_Neu(w, leg * runden + r, p, 0, heim, gast);
            }
        }
    s->ausgelost = runden * s->rueckspiel;
    return true;
}

bool Wettbewerb_KO_Runde_Auslosen(int32_t w, int32_t runde) {
    WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || !(s->modus & MODUS_KO_SYSTEM) || runde < 1 || runde > s->spieltage) {
        Debug_Printf("Wettbewerb_KO_Runde_Auslosen: Wettbewerb %d Runde %d ungueltig\n", w, runde);
        return false;
    }
    std::vector<int32_t> teams = Noch_Dabei(*s);
    int32_t n = int32_t(teams.size());
    if (n < 2) return false;
    for (int32_t i = n - 1; i > 0; --i) std::swap(teams[i], teams[Rnd(0, i)]);
    // Rounds still to come after this one decide how many play now: the rest has a bye.
    int32_t rest_runden = Wettbewerb_KO_Runden(n);
    int32_t ziel = 1 << (rest_runden - 1);
    int32_t paare = n - ziel;
    for (int32_t p = 0; p < paare; ++p)
        for (int32_t leg = 0; leg < s->rueckspiel; ++leg) {
            int32_t heim = teams[2 * p], gast = teams[2 * p + 1];
            if (leg) std::swap(heim, gast);
            Spiele_Neu(w, runde, p, leg, heim, gast);
        }
    s->ausgelost = runde;
    s->aktuelle_runde = runde;
    s->aktueller_spieltag = 0;
    return true;
}

int32_t Wettbewerb_Freundschaftsspiel(int32_t w, int32_t heim, int32_t gast) {
    WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || s->art != ART_FREUNDSCHAFT || heim < 0 || gast < 0 || heim == gast) {
        Debug_Printf("Wettbewerb_Freundschaftsspiel: %d gegen %d in %d ungueltig\n", heim, gast, w);
        return -1;
    }
    Wettbewerb_Team_Eintragen(w, heim);
    Wettbewerb_Team_Eintragen(w, gast);
    int32_t runde = ++s->ausgelost;
    return Spiele_Neu(w, runde, 0, 0, heim, gast);
}

int32_t Wettbewerb_Get_Spiele_Pro_Spieltag(int32_t w, int32_t runde) {
    return Wettbewerb_Get_Spieltag_Paarungen(w, runde, nullptr);
}

int32_t Wettbewerb_Get_Spieltag_Paarungen(int32_t w, int32_t runde, int32_t* out) {
    int32_t n = 0;
    for (int32_t p = 0;; ++p) {
        Spiel_Lock h = Spiele_Lock(w, runde, p, 0);
        if (!h) break;
        const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
        if (out) out[2 * n] = s->heim, out[2 * n + 1] = s->gast;
        ++n;
        Spiele_Unlock(h);
    }
    return n;
}

int32_t Wettbewerb_Paarung_Sieger(int32_t w, int32_t runde, int32_t paarung, int32_t spieltag, int32_t plus_heim,
                                  int32_t plus_gast) {
    const WettbewerbSatz* satz = Wettbewerb_Satz(w);
    if (!satz) return -1;
    Tie t = Tie_Holen(w, runde, paarung);
    if (!t.legs) return -1;
    int32_t aktuell = spieltag;
    if (aktuell < 0) {
        aktuell = 0;
        for (int32_t i = 0; i < t.legs; ++i)
            if (t.leg[i]->tore_heim >= 0) aktuell = i;
    }
    if (aktuell >= t.legs) return -1;
    // Goals per leg with the what-if goals added to the current one.
    int32_t tore[2][2] = {};
    for (int32_t i = 0; i <= aktuell; ++i) {
        tore[i][0] = std::max<int32_t>(0, t.leg[i]->tore_heim) + (i == aktuell ? plus_heim : 0);
        tore[i][1] = std::max<int32_t>(0, t.leg[i]->tore_gast) + (i == aktuell ? plus_gast : 0);
    }
    const SpielDatensatz* erstes = t.leg[0];
    if (!(satz->modus & MODUS_KO_SYSTEM) || satz->art == ART_FREUNDSCHAFT) {
        const SpielDatensatz* s = t.leg[aktuell];
        if (tore[aktuell][0] != tore[aktuell][1]) return tore[aktuell][0] > tore[aktuell][1] ? s->heim : s->gast;
        return -2;
    }
    // Aggregate from the view of the first leg's home club (team A).
    int32_t a = 0, b = 0, a_auswaerts = 0, b_auswaerts = 0;
    for (int32_t i = 0; i <= aktuell; ++i) {
        bool a_heim = t.leg[i]->heim == erstes->heim;
        a += a_heim ? tore[i][0] : tore[i][1];
        b += a_heim ? tore[i][1] : tore[i][0];
        (a_heim ? b_auswaerts : a_auswaerts) += tore[i][1];
    }
    if (a != b) return a > b ? erstes->heim : erstes->gast;
    bool letztes = aktuell == t.legs - 1;
    if (!letztes) return erstes->heim;
    if (satz->auswaertstore && t.legs == 2 && a_auswaerts != b_auswaerts)
        return a_auswaerts > b_auswaerts ? erstes->heim : erstes->gast;
    const SpielDatensatz* s = t.leg[aktuell];
    if (s->flags & (SPIEL_FLAG_ELFMETER | SPIEL_FLAG_LOS))
        return (s->flags & SPIEL_FLAG_HEIM_ENTSCHIEDEN) ? s->heim : s->gast;
    return -2;
}

int32_t Wettbewerb_KO_Sieger_Von_Team(int32_t w, int32_t team, int32_t runde, int32_t) {
    for (int32_t p = 0;; ++p) {
        Tie t = Tie_Holen(w, runde, p);
        if (!t.legs) return -1;
        if (t.leg[0]->heim != team && t.leg[0]->gast != team) continue;
        if (!Gespielt(t.leg[t.legs - 1])) return -1;
        int32_t s = Wettbewerb_Paarung_Sieger(w, runde, p, t.legs - 1, 0, 0);
        return s >= 0 ? s : -1;
    }
}

bool Wettbewerb_Runde_Gespielt(int32_t w, int32_t runde) {
    bool irgendeins = false;
    for (int32_t p = 0;; ++p) {
        Tie t = Tie_Holen(w, runde, p);
        if (!t.legs) return irgendeins;
        for (int32_t i = 0; i < t.legs; ++i)
            if (!Gespielt(t.leg[i])) return false;
        irgendeins = true;
    }
}

namespace {

// Tells whoever listens that a competition has its winner: the knock-out
// winner, or the leader of a league's final table.
void Beendet_Melden(int32_t w) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || !Wettbewerb_Hooks().beendet) return;
    int32_t sieger = s->sieger;
    if (!(s->modus & MODUS_KO_SYSTEM)) {
        int32_t reihe[TABELLE_TEAMS_MAX];
        sieger = Tabelle_Reihenfolge(w, reihe) > 0 ? reihe[0] : -1;
    }
    if (sieger >= 0) Wettbewerb_Hooks().beendet(w, sieger);
}

}  // namespace

void Wettbewerb_Spiele_Beendet(int32_t w) { Wettbewerb_Spiele_Beendet_Tag(w, -1); }

void Wettbewerb_Spiele_Beendet_Tag(int32_t w, int32_t tag) {
    WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s) {
        Debug_Printf("Wettbewerb_Spiele_Beendet: Wettbewerb %d unbekannt\n", w);
        return;
    }
    if (s->art == ART_FREUNDSCHAFT || s->aktuelle_runde < 1 || s->aktuelle_runde > s->spieltage) return;
    // Several rounds may have been played since the last call (a catch-up day).
    while (s->aktuelle_runde <= s->spieltage && Wettbewerb_Runde_Gespielt(w, s->aktuelle_runde)) {
        int32_t runde = s->aktuelle_runde;
        if (!(s->modus & MODUS_KO_SYSTEM)) {
            Tabelle_Schnappschuss(w, tag >= 0 ? tag : runde);
            ++s->aktuelle_runde;
            if (s->aktuelle_runde > s->spieltage && s->art == ART_GRUPPE) Gruppe_Abschliessen(*s);
            else if (s->aktuelle_runde > s->spieltage) Beendet_Melden(w);
            continue;
        }
        KO_Runde_Entscheiden(*s, runde);
        ++s->aktuelle_runde;
        std::vector<int32_t> rest = Noch_Dabei(*s);
        if (rest.size() == 1) {
            s->sieger = rest[0];
            s->aktuelle_runde = s->spieltage + 1;
            Beendet_Melden(w);
        } else if (s->aktuelle_runde <= s->spieltage) {
            Wettbewerb_KO_Runde_Auslosen(w, s->aktuelle_runde);
        }
    }
}

namespace {
const char* const FINAL_RUNDEN[] = {"Finale", "Halbfinale", "Viertelfinale", "Achtelfinale"};
constexpr int32_t FINAL_RUNDEN_ANZAHL = int32_t(sizeof FINAL_RUNDEN / sizeof FINAL_RUNDEN[0]);

// A knock-out round named by its number ("3. Runde"), not from the final back.
bool Runde_Gezaehlt(const WettbewerbSatz& s, int32_t runde) {
    const int32_t bis_finale = s.spieltage - runde;
    return (s.modus & MODUS_KO_SYSTEM) && !(bis_finale >= 0 && bis_finale < FINAL_RUNDEN_ANZAHL);
}
}  // namespace

const char* Wettbewerb_Get_Rundentext(int32_t w, int32_t runde, int32_t spieltag) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s) return "";
    const char* leg = "";
    if ((s->modus & MODUS_KO_SYSTEM) && s->rueckspiel == 2) leg = spieltag == 0 ? ", Hinspiel" : ", R\xfc" "ckspiel";
    if (!(s->modus & MODUS_KO_SYSTEM)) return Str_Format("%d. Spieltag", runde);
    if (Runde_Gezaehlt(*s, runde)) return Str_Format("%d. Runde%s", runde, leg);
    return Str_Format("%s%s", FINAL_RUNDEN[s->spieltage - runde], leg);
}

bool Wettbewerb_Rundentext_Weiblich(int32_t w, int32_t runde) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    return s && Runde_Gezaehlt(*s, runde);
}

void Wettbewerb_Menschliche_Teams_Ersetzen() {
    for (int32_t id : Wettbewerb_Alle()) {
        WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (!Wettbewerb_Ist_International(id)) continue;
        for (int32_t i = 0; i < WETTBEWERB_TEAMS_MAX; ++i) {
            int32_t t = s->team[i];
            if (t < 0 || t >= Team_Anzahl() || !Team_Hat_Manager(t)) continue;
            int32_t nation = Team_Wert(TW_NATION, t, 0, OP_LESEN);
            for (int32_t k = 0; k < Team_Anzahl(); ++k) {
                if (k == t || Team_Wert(TW_NATION, k, 0, OP_LESEN) != nation || Team_Hat_Manager(k) ||
                    Team_Ist_Nationalteam(k) || k == Team_Markt() || Team_Get_Liga(k, 1) < 0)
                    continue;
                bool schon = false;
                for (int32_t x : Wettbewerb_Alle())
                    if (Wettbewerb_Satz(x)->stamm == s->stamm && Wettbewerb_Get_Team_Slot(x, k) >= 0) schon = true;
                if (schon) continue;
                s->team[i] = int16_t(k);
                Spiele_Team_Ersetzen(id, t, k);   // its open games go with the place
                break;
            }
        }
    }
}

bool Wettbewerb_Spielstart_Lesen() {
    if (Config_Modify_Aktiv()) {
        Debug_Printf("Wettbewerb_Spielstart_Pruefen: Config_Modify noch aktiv\n");
        return false;
    }
    return Wettbewerb_Config_Laden();
}

bool Wettbewerb_Spielstart_Spielplaene() {
    Spiele_Init();
    Tabelle_Free();
    Saison_Free();
    return Wettbewerb_Saison_Start();
}

bool Wettbewerb_Spielstart_Pruefen(int32_t, int32_t) {
    return Wettbewerb_Spielstart_Lesen() && Wettbewerb_Spielstart_Spielplaene();
}

}  // namespace velmora
