// business/verhandlung.cpp - the timed transfer negotiation.
#include "business/verhandlung.h"

#include <algorithm>

#include "business/bank.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/kader_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "platform/clock.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int32_t SCHRITT_KLEIN = 10000;
constexpr int32_t SCHRITT_GROSS = 100000;
constexpr int32_t FALL_WARTEN_MS = 1000;
constexpr int32_t FALL_TAKT_MS = 100;
constexpr int32_t ERHOEHEN_TAKT_MS = 150;
constexpr int32_t BLINK_FARBE = 64160;
constexpr int32_t NORMAL_FARBE = 65535;

struct VerhandlungModul {
    bool offen = false;
    VerhandlungStand s{};
    uint32_t start = 0;            // ms of the program clock when the clock (re)started
    int32_t vergangen = 0;         // elapsed ms kept while paused or finished
    int32_t pause_von = VH_LAEUFT; // the state a pause returns to
    int32_t fall_start = 0;        // elapsed ms when the asking price began to fall
    int32_t fall_schritte = 0;     // drops made since then
    bool erhoeht = false;
    uint32_t letzte_erhoehung = 0;
    VerhandlungModul() {
        s.gekauft = -1;
        s.tausch = -1;
        s.team = -1;
    }
};
VerhandlungModul g;

int64_t Runden64(int64_t betrag) { return betrag < 0 ? 0 : betrag / 10000 * 10000; }

int32_t Vergangen() {
    if (!g.offen) return 0;
    if (g.s.zustand == VH_LAEUFT || g.s.zustand == VH_FAELLT) return int32_t(Plat_Ms() - g.start);
    return g.vergangen;
}

void Einigung() {
    g.vergangen = Vergangen();
    g.s.forderung = g.s.angebot;
    g.s.zustand = VH_BEENDET;
    g.s.einigung = 1;
}

void Fallen_Beginnen(int32_t vergangen) {
    g.s.zustand = VH_FAELLT;
    g.fall_start = vergangen;
    g.fall_schritte = 0;
}

bool Offen(const char* wer) {
    if (!g.offen) {
        Debug_Printf("%s: keine Verhandlung offen\n", wer);
        return false;
    }
    return true;
}

void Schliessen() { g = VerhandlungModul{}; }

// The save record: the open flag and the elapsed time, then the state in the
// order of VerhandlungStand, then the fall's start and its drops; 43 i32.
constexpr size_t SPEICHER_WERTE = 2 + 10 + VERHANDLUNG_PHASEN_MAX + 3 + VERHANDLUNG_PHASEN_MAX + 1 + 3;

}  // namespace

int32_t Verhandlung_Verkauf_Abzug(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Verhandlung_Verkauf_Abzug: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    int64_t wert = Spieler_Berechne_Marktwert(spieler);
    Rnd_Push();
    Rnd_Set_Index(int32_t((int64_t(spieler) * Tag_Index()) % RND_TABELLE), 0);
    int32_t zufall = Rnd(0, 10);
    Rnd_Pop();
    int64_t prozent = int64_t(Transferfaktor_Wert(TF_COMPI_TRANSFER_VERKAUF_ABZUG)) + zufall - 5;
    // A deduction never turns into a bonus nor exceeds the value.
    prozent = std::clamp<int64_t>(prozent, 0, 100);
    return int32_t(Runden64(wert * prozent / 100));
}

int32_t Verhandlung_Verkauf_Erloes(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Verhandlung_Verkauf_Erloes: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    if (Spieler_Sterne(spieler) == 0) return 0;
    return int32_t(Runden64(int64_t(Spieler_Berechne_Marktwert(spieler)) - Verhandlung_Verkauf_Abzug(spieler)));
}

int32_t Verhandlung_Geld_Verfuegbar(int32_t team, int32_t tausch_spieler) {
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Verhandlung_Geld_Verfuegbar: Team %d ungueltig\n", team);
        return 0;
    }
    int64_t geld = int64_t(Bank_Kontostand(team, false, -1));
    if (tausch_spieler >= 0) geld += Verhandlung_Verkauf_Erloes(tausch_spieler);
    return int32_t(std::clamp<int64_t>(geld, 0, INT32_MAX));
}

VerhandlungAntwort Verhandlung_Starten(int32_t tausch, int32_t gekauft) {
    int32_t team = Team_Lokal();
    if (team < 0 || gekauft < 0 || gekauft >= Spieler_Anzahl() || tausch < 0 || tausch >= Spieler_Anzahl() ||
        Spieler_Get_Team(tausch) != team || Spieler_Get_Team(gekauft) < 0 || Spieler_Get_Team(gekauft) == team) {
        Debug_Printf("Verhandlung_Starten: Spieler %d/%d oder Team %d ungueltig\n", tausch, gekauft, team);
        return VH_UNGUELTIG;
    }
    if (Team_Wert(TW_VERHANDLUNGEN, team, 0, OP_LESEN) <= 0) return VH_KEINE_VERHANDLUNG;
    int32_t wert = Spieler_Berechne_Marktwert(gekauft);
    if (Verhandlung_Geld_Verfuegbar(team, tausch) <= wert) return VH_GELD_REICHT_NICHT;
    g = VerhandlungModul{};
    g.offen = true;
    g.s.team = team;
    g.s.tausch = tausch;
    g.s.gekauft = gekauft;
    g.s.marktwert = wert;
    Verhandlung_Preise();
    g.s.zustand = VH_NICHT_GESTARTET;
    g.s.einigung = 0;
    g.s.angebot_phase = 0;
    g.s.preis_phase = g.s.phasen > 1 ? g.s.phasen - 1 : 0;
    return VH_OK;
}

int32_t Verhandlung_Untergrenze() {
    if (!g.offen || g.s.gekauft < 0) return 0;
    int64_t v = Spieler_Berechne_Marktwert(g.s.gekauft);
    if (Spieler_Status(g.s.gekauft) & SP_STATUS_SCOUT) v -= v * 10 / 100;
    return int32_t(Runden64(v));
}

void Verhandlung_Preise() {
    if (!Offen("Verhandlung_Preise")) return;
    VerhandlungStand& s = g.s;
    const int32_t v2 = Verhandlung_Untergrenze();
    int32_t geld = Verhandlung_Geld_Verfuegbar(s.team, s.tausch);
    s.angebot = int32_t(Runden64(std::min(geld, v2)));
    s.forderung = Spieler_Get_Forderung(s.gekauft);
    s.start_forderung = s.forderung;
    int32_t oben = std::max(v2, s.forderung);
    s.phasen = Rnd_Bereich(0, VERHANDLUNG_PHASEN_MAX);
    if (s.phasen > 0 && s.phasen % 2 == 0) --s.phasen;
    Debug_Printf("Anzahl Fasen %d\n", s.phasen);
    for (int32_t i = 0; i < s.phasen; ++i) s.phase_preis[i] = int32_t(Runden64(Rnd_Bereich(v2, oben)));
    std::sort(s.phase_preis, s.phase_preis + s.phasen);
    s.zeiten = Rnd_Bereich(0, s.phasen);
    Debug_Printf("C.Zeit %d\n", s.zeiten);
    for (int32_t i = 0; i < s.zeiten; ++i)
        s.zeit[i] = Rnd_Bereich(VERHANDLUNG_ZEIT_ABSTAND, VERHANDLUNG_ZEIT_MS - VERHANDLUNG_ZEIT_ABSTAND);
    Verhandlung_Phasen_Setzen(s.phase_preis, s.phasen, s.zeit, s.zeiten);
    for (int32_t i = 0; i < s.zeiten; ++i) Debug_Printf("Z %d\n", s.zeit[i]);
}

void Verhandlung_Phasen_Setzen(const int32_t* preise, int32_t anzahl, const int32_t* zeiten, int32_t zeit_anzahl) {
    if (!Offen("Verhandlung_Phasen_Setzen")) return;
    if (anzahl < 0 || anzahl > VERHANDLUNG_PHASEN_MAX || zeit_anzahl < 0 || zeit_anzahl > anzahl ||
        (anzahl > 0 && !preise) || (zeit_anzahl > 0 && !zeiten)) {
        Debug_Printf("Verhandlung_Phasen_Setzen: Anzahl %d/%d ungueltig\n", anzahl, zeit_anzahl);
        return;
    }
    VerhandlungStand& s = g.s;
    std::copy(preise, preise + anzahl, s.phase_preis);
    std::copy(zeiten, zeiten + zeit_anzahl, s.zeit);
    s.phasen = anzahl;
    s.zeiten = zeit_anzahl;
    std::sort(s.phase_preis, s.phase_preis + anzahl);
    std::sort(s.zeit, s.zeit + zeit_anzahl);
    for (int32_t i = 1; i < zeit_anzahl; ++i)
        s.zeit[i] = std::max(s.zeit[i], s.zeit[i - 1] + VERHANDLUNG_ZEIT_ABSTAND);
    s.angebot_phase = 0;
    s.preis_phase = anzahl > 1 ? anzahl - 1 : 0;
    s.zeit_index = 0;
}

VerhandlungAntwort Verhandlung_Uhr_Starten() {
    if (!Offen("Verhandlung_Uhr_Starten")) return VH_UNGUELTIG;
    if (g.s.zustand != VH_NICHT_GESTARTET) return VH_UNGUELTIG;
    int32_t uebrig = Team_Wert(TW_VERHANDLUNGEN, g.s.team, 0, OP_LESEN);
    if (uebrig <= 0) return VH_KEINE_VERHANDLUNG;
    // On a client the write goes on to the server with the team's data.
    Team_Wert(TW_VERHANDLUNGEN, g.s.team, uebrig - 1, OP_SCHREIBEN);
    g.s.zustand = VH_LAEUFT;
    g.start = Plat_Ms();
    g.vergangen = 0;
    return VH_OK;
}

VerhandlungAntwort Verhandlung_Erhoehen(bool gross) {
    if (!Offen("Verhandlung_Erhoehen")) return VH_UNGUELTIG;
    VerhandlungStand& s = g.s;
    if (s.zustand != VH_LAEUFT && s.zustand != VH_FAELLT) return VH_UNGUELTIG;
    uint32_t jetzt = Plat_Ms();
    if (g.erhoeht && jetzt - g.letzte_erhoehung < uint32_t(ERHOEHEN_TAKT_MS)) return VH_UNGUELTIG;
    g.erhoeht = true;
    g.letzte_erhoehung = jetzt;
    int64_t schritt = gross ? SCHRITT_GROSS : SCHRITT_KLEIN;
    int32_t geld = Verhandlung_Geld_Verfuegbar(s.team, s.tausch);
    int64_t grenze = std::min(geld, s.forderung);
    // Meeting the asking price is only an agreement when the money reaches it;
    // otherwise the transfer would refuse the deal afterwards.
    if (s.angebot + schritt >= s.forderung && s.forderung <= geld) {
        s.angebot = s.forderung;
        Einigung();
        return VH_EINIGUNG;
    }
    if (s.angebot + schritt > grenze) return s.angebot < s.forderung ? VH_UEBER_LIMIT : VH_UNGUELTIG;
    s.angebot += int32_t(schritt);
    return VH_OK;
}

void Verhandlung_Takt() {
    if (!g.offen) return;
    VerhandlungStand& s = g.s;
    if (s.zustand != VH_LAEUFT && s.zustand != VH_FAELLT) return;
    int32_t vergangen = Vergangen();
    if (vergangen >= VERHANDLUNG_ZEIT_MS) {
        g.vergangen = VERHANDLUNG_ZEIT_MS;
        s.zustand = VH_BEENDET;
        s.einigung = 0;
        return;
    }
    if (s.zustand == VH_LAEUFT && s.phasen > 0 && s.angebot_phase <= s.preis_phase) {
        if (s.forderung <= s.angebot) {
            Einigung();
            return;
        }
        if (s.angebot >= s.phase_preis[s.angebot_phase]) {
            Fallen_Beginnen(vergangen);
            if (s.phasen > 1) ++s.angebot_phase;
        } else if (s.zeit_index < s.zeiten && vergangen >= s.zeit[s.zeit_index]) {
            Fallen_Beginnen(vergangen);
            ++s.zeit_index;
        }
    }
    if (s.zustand != VH_FAELLT) return;
    int32_t index = s.phasen < 2 ? 0 : std::clamp(s.preis_phase, 0, s.phasen - 1);
    int32_t ziel = s.phasen > 0 ? std::min(s.phase_preis[index], s.forderung) : s.forderung;
    int32_t seit = vergangen - g.fall_start;
    if (seit < FALL_WARTEN_MS) return;
    // Every 100 ms one drop, also those a slow frame let pass.
    int32_t faellig = (seit - FALL_WARTEN_MS) / FALL_TAKT_MS + 1;
    while (g.fall_schritte < faellig) {
        ++g.fall_schritte;
        s.forderung -= s.forderung - ziel < SCHRITT_GROSS ? SCHRITT_KLEIN : SCHRITT_GROSS;
        if (s.forderung - SCHRITT_KLEIN < s.angebot) {
            Einigung();
            return;
        }
        if (s.forderung <= ziel) {
            s.forderung = ziel;
            if (s.phasen >= 2) --s.preis_phase;
            s.zustand = VH_LAEUFT;
            return;
        }
    }
}

void Verhandlung_Pause() {
    if (!g.offen || (g.s.zustand != VH_LAEUFT && g.s.zustand != VH_FAELLT)) return;
    g.vergangen = Vergangen();
    g.pause_von = g.s.zustand;
    g.s.zustand = VH_PAUSE;
}

void Verhandlung_Fortsetzen() {
    if (!g.offen || g.s.zustand != VH_PAUSE) return;
    g.start = Plat_Ms() - uint32_t(g.vergangen);
    // A fall that was under way goes on where it stopped.
    g.s.zustand = g.pause_von;
}

VerhandlungAntwort Verhandlung_Verlassen() {
    if (!Offen("Verhandlung_Verlassen")) return VH_UNGUELTIG;
    if (g.s.zustand == VH_LAEUFT || g.s.zustand == VH_FAELLT) {
        Verhandlung_Pause();
        return VH_FRAGE;
    }
    if (g.s.zustand == VH_PAUSE) return VH_FRAGE;
    if (g.s.zustand == VH_BEENDET && g.s.einigung) {
        VerhandlungAntwort a = Verhandlung_Abschliessen();
        if (a != VH_GESCHLOSSEN) Schliessen();
        return a;
    }
    Schliessen();
    return VH_GESCHLOSSEN;
}

VerhandlungAntwort Verhandlung_Frage_Antwort(bool ja) {
    if (!Offen("Verhandlung_Frage_Antwort")) return VH_UNGUELTIG;
    if (ja) {
        Schliessen();
        return VH_GESCHLOSSEN;
    }
    Verhandlung_Fortsetzen();
    return VH_OK;
}

VerhandlungAntwort Verhandlung_Abschliessen() {
    if (!Offen("Verhandlung_Abschliessen")) return VH_UNGUELTIG;
    VerhandlungStand& s = g.s;
    if (s.zustand != VH_BEENDET || !s.einigung) {
        Debug_Printf("Verhandlung_Abschliessen: keine Einigung\n");
        return VH_UNGUELTIG;
    }
    int32_t verkaeufer = Spieler_Get_Team(s.gekauft);
    if (verkaeufer < 0 ||
        !Spieler_Transfer_Ausfuehren(s.team, verkaeufer, s.tausch, s.gekauft, float(s.angebot))) {
        Debug_Printf("Verhandlung_Abschliessen: Transfer von Spieler %d gescheitert\n", s.gekauft);
        if (Club_Ist_Client() && !Team_Internet_Client_Refresh())
            Debug_Printf("Verhandlung_Abschliessen: Daten nicht neu geholt\n");
        return VH_TRANSFER_FEHLER;
    }
    Schliessen();
    return VH_GESCHLOSSEN;
}

void Verhandlung_Pruefen() {
    if (!g.offen || (g.s.zustand == VH_BEENDET && !g.s.einigung)) return;
    const VerhandlungStand& s = g.s;
    // The market sells: a player it no longer holds is not for sale.
    if (Spieler_Get_Team(s.gekauft) == Team_Markt() && Spieler_Get_Team(s.tausch) == s.team) return;
    Debug_Printf("Verhandlung_Pruefen: Spieler %d/%d nicht mehr da, keine Einigung\n", s.gekauft, s.tausch);
    g.vergangen = Vergangen();
    g.s.zustand = VH_BEENDET;
    g.s.einigung = 0;
}

void Verhandlung_Tagesende() {
    if (!g.offen) return;
    Verhandlung_Pruefen();
    if (g.s.zustand == VH_BEENDET && g.s.einigung && Verhandlung_Abschliessen() == VH_GESCHLOSSEN) return;
    Schliessen();
}

VerhandlungStand Verhandlung_Stand() { return g.s; }
bool Verhandlung_Offen() { return g.offen; }
int32_t Verhandlung_Vergangen() { return Vergangen(); }

int32_t Verhandlung_Sekunden() {
    int32_t rest = VERHANDLUNG_ZEIT_MS - Vergangen();
    return rest > 0 ? rest / 1000 : 0;
}

int32_t Verhandlung_Preis_Farbe() {
    if (!g.offen || g.s.zustand != VH_FAELLT) return NORMAL_FARBE;
    int32_t seit = Vergangen() - g.fall_start;
    return seit >= 0 && seit % 600 < 200 ? BLINK_FARBE : NORMAL_FARBE;
}

void Verhandlung_Init() { Schliessen(); }

void Verhandlung_Save(std::vector<uint8_t>& out) {
    const VerhandlungStand& s = g.s;
    ClubPacker pk{out};
    // A clock past its time (the frame that ends the negotiation has not come
    // yet) is saved as run out: the load takes no more than the whole time.
    for (int32_t v : {g.offen ? 1 : 0, std::clamp(Vergangen(), 0, VERHANDLUNG_ZEIT_MS), s.gekauft, s.tausch, s.team, s.angebot, s.forderung,
                      s.start_forderung, s.marktwert, s.zustand, s.einigung, s.phasen})
        pk.i32(v);
    for (int32_t v : s.phase_preis) pk.i32(v);
    for (int32_t v : {s.angebot_phase, s.preis_phase, s.zeiten}) pk.i32(v);
    for (int32_t v : s.zeit) pk.i32(v);
    for (int32_t v : {s.zeit_index, g.pause_von, g.fall_start, g.fall_schritte}) pk.i32(v);
}

bool Verhandlung_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes != SPEICHER_WERTE * 4) {
        Debug_Printf("Verhandlung_Load: Block hat %zu statt %zu Bytes\n", bytes, SPEICHER_WERTE * 4);
        return false;
    }
    ClubLeser l{in, bytes};
    VerhandlungModul n;
    VerhandlungStand& s = n.s;
    n.offen = l.i32() != 0;
    n.vergangen = l.i32();
    for (int32_t* f : {&s.gekauft, &s.tausch, &s.team, &s.angebot, &s.forderung, &s.start_forderung, &s.marktwert,
                       &s.zustand, &s.einigung, &s.phasen})
        *f = l.i32();
    for (int32_t& v : s.phase_preis) v = l.i32();
    for (int32_t* f : {&s.angebot_phase, &s.preis_phase, &s.zeiten}) *f = l.i32();
    for (int32_t& v : s.zeit) v = l.i32();
    for (int32_t* f : {&s.zeit_index, &n.pause_von, &n.fall_start, &n.fall_schritte}) *f = l.i32();
    bool ok = n.vergangen >= 0 && n.vergangen <= VERHANDLUNG_ZEIT_MS && s.zustand >= VH_NICHT_GESTARTET &&
              s.zustand <= VH_PAUSE && (s.einigung == 0 || s.einigung == 1) && s.phasen >= 0 &&
              s.phasen <= VERHANDLUNG_PHASEN_MAX && s.zeiten >= 0 && s.zeiten <= s.phasen && s.zeit_index >= 0 &&
              s.zeit_index <= s.zeiten && s.angebot_phase >= 0 && s.angebot_phase <= VERHANDLUNG_PHASEN_MAX &&
              s.preis_phase >= -1 && s.preis_phase < VERHANDLUNG_PHASEN_MAX && s.angebot >= 0 && s.forderung >= 0 &&
              (n.pause_von == VH_LAEUFT || n.pause_von == VH_FAELLT) && n.fall_start >= 0 && n.fall_schritte >= 0;
    if (ok && n.offen)
        ok = s.gekauft >= 0 && s.gekauft < Spieler_Anzahl() && s.tausch >= 0 && s.tausch < Spieler_Anzahl() &&
             s.team >= 0 && s.team < Team_Anzahl();
    if (!ok || l.fehler) {
        Debug_Printf("Verhandlung_Load: Block beschaedigt\n");
        return false;
    }
    if (!n.offen) n = VerhandlungModul{};
    n.start = Plat_Ms() - uint32_t(n.vergangen);   // the clock goes on from the elapsed time
    g = n;
    return true;
}

bool Verhandlung_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Verhandlung", 48, Verhandlung_Save, Verhandlung_Load, Verhandlung_Init});
}

}  // namespace velmora
