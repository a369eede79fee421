// match/day/spieltag_netz.cpp - the day hand-over of network play (request 1029).
#include "match/day/spieltag_netz.h"

#include <cstring>
#include <set>

#include "club/team.h"
#include "core/debug.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_sync.h"
#include "match/day/spieltag.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "season/spiele.h"

namespace velmora {

namespace {
bool kein_spiel = false;          // client: the server has no open match of the team today
bool ohne_client = false;         // client: the server computes the team's match of today without it
std::set<int32_t> live_clients;   // server: the clubs whose clients asked for their slots

// Client: the day's match of the own club.
struct ClientTag {
    ClientSpiel phase = ClientSpiel::KEINS;
    uint32_t gefragt = 0;            // the last request of this phase (0 none)
    int32_t spiel = 0;               // the slot's game on this machine
    int32_t wettbewerb = -1, runde = -1, paarung = -1, spieltag = -1;
    bool beobachtet = false;
    // The lock-step's counts at the last answer, and its time.
    uint32_t antworten = 0, gesendet = 0, antwort_zeit = 0;
};
ClientTag c;

// At most one request every 400 ms.
bool Faellig() {
    const uint32_t jetzt = Plat_Ms();
    if (c.gefragt != 0 && jetzt - c.gefragt < SPIELTAG_ABRUF_MS) return false;
    c.gefragt = jetzt ? jetzt : 1;
    return true;
}

// The answered slot (slot 0) becomes the day's match.
void Slot_Nehmen() {
    Spieltag_Slot s;
    const SpielDatensatz* sp = Spieltag_Get_Slot(0, &s) ? Spiele_Get_Spiel(s.spiel, 0) : nullptr;
    if (!sp) return;
    c.spiel = s.spiel;
    c.wettbewerb = sp->wettbewerb;
    c.runde = sp->runde;
    c.paarung = sp->paarung;
    c.spieltag = sp->spieltag;
    c.beobachtet = false;
    c.phase = ClientSpiel::LAEUFT;
    Debug_Printf("Spieltag_Client_Frame: Spiel %d (%d/%d/%d/%d) live\n", c.spiel, c.wettbewerb, c.runde, c.paarung,
                 c.spieltag);
}
}  // namespace

bool Spieltag_Client_Spielt_Live(int32_t team) { return live_clients.count(team) > 0; }
void Spieltag_Client_Live_Setzen(int32_t team, bool live) {
    if (live) live_clients.insert(team);
    else live_clients.erase(team);
}

bool Spieltag_Client_Melden() {
    const int32_t team = Client_Team();
    if (Netzwerk_Modus() != 1 || team < 0) return false;
    return Internet_Client_Read(ANFRAGE_SPIELTAG_MELDEN, "vi", 0, 0, team) != 0;
}

int32_t Spieltag_Melden_Anfrage(Internet_Aufruf& aufruf) {
    const int32_t team = aufruf.I(0), eigenes = Client_Team(), slot = Internet_Server_Slot();
    if (team >= 0 && team == eigenes) {
        Spieltag_Team_Bereit_Setzen(team);
        return 1;
    }
    if (team == -1 && eigenes >= 0) {
        Debug_Printf("Spieltag_Melden_Anfrage: Client von Team %d meldet sich ab\n", eigenes);
        Net_Slot_Team_Setzen(slot, -1);
        Spieltag_Client_Freigeben(eigenes);
        return 1;
    }
    Debug_Printf("Spieltag_Melden_Anfrage: Team %d vom Client mit Team %d verworfen\n", team, eigenes);
    return 0;
}

void Spieltag_Client_Freigeben(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) return;
    Spieltag_Client_Live_Setzen(team, false);
    Spieltag_Team_Bereit_Loeschen(team);
    Team_Client_Freigeben(team);
    // Without the client bit the lock-step releases the side on this machine.
    Spieltag_Team_Freigeben(team);
}

bool Spieltag_Client_Tag_Beenden() {
    const int32_t team = Client_Team();
    if (Netzwerk_Modus() != 1 || team < 0) return false;
    c = ClientTag{};
    kein_spiel = false;
    // The request marks the club's matches live at the server before the
    // report lets the server's day begin. A server whose day already runs
    // answers the slot at once.
    if (Spieltag_Slot_Anfordern(team)) Slot_Nehmen();
    if (!Spieltag_Client_Melden()) return false;
    if (c.phase == ClientSpiel::KEINS) c.phase = ClientSpiel::FRAGEN;
    return true;
}

bool Spieltag_Client_Frame() {
    const int32_t team = Client_Team();
    if (Netzwerk_Modus() != 1 || team < 0) return false;
    switch (c.phase) {
    case ClientSpiel::FRAGEN:
        if (!Faellig()) return false;
        kein_spiel = false;
        if (!Spieltag_Slot_Anfordern(team)) return false;
        Slot_Nehmen();
        if (c.phase != ClientSpiel::LAEUFT) return false;
        [[fallthrough]];
    case ClientSpiel::LAEUFT: {
        Spieltag_Run(0);
        Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Suchen(c.spiel) : nullptr;
        // The fetched record is the match this manager watches.
        if (satz && !c.beobachtet) c.beobachtet = Spielfeld_Beobachten(satz, true);
        // Only a packet still unanswered counts against the server.
        const Sync_Zaehler& z = Sync_Zaehler_Lesen();
        if (c.antwort_zeit == 0 || z.beantwortet != c.antworten || z.gesendet == c.gesendet) {
            c.antworten = z.beantwortet;
            c.gesendet = z.gesendet;
            const uint32_t jetzt = Plat_Ms();
            c.antwort_zeit = jetzt ? jetzt : 1;
        }
        const int32_t zustand = Spieltag_Slot_Status(c.spiel);
        if (zustand == 0 || zustand == SLOT_BEENDET || zustand == SLOT_GESCHLOSSEN) {
            c.phase = ClientSpiel::ERGEBNIS;
            c.gefragt = 0;
        }
        // Until the record is here the menu keeps the screen; once the match
        // showed, a record being fetched again does not hand it back.
        return satz != nullptr || c.beobachtet;
    }
    case ClientSpiel::ERGEBNIS:
        // The server plays the last minutes on; its slot closed, its result holds.
        if (!Faellig()) return false;
        kein_spiel = false;
        if (Spieltag_Slot_Anfordern(team) || !kein_spiel) return false;
        if (Spiele_Client_Holen(c.wettbewerb, c.runde, c.paarung, c.spieltag) <= 0)
            Debug_Printf("Spieltag_Client_Frame: Ergebnis von Spiel %d nicht geholt\n", c.spiel);
        c.phase = ClientSpiel::FERTIG;
        return false;
    default: return false;
    }
}

ClientSpiel Spieltag_Client_Spiel() { return c.phase; }

void Spieltag_Client_Zuruecksetzen() {
    c = ClientTag{};
    Spieltag_Kein_Spiel_Loeschen();
}

void Spieltag_Client_Tag_Vorbei() {
    if (c.phase == ClientSpiel::KEINS || c.phase == ClientSpiel::FERTIG) return;
    // Left running, nothing walks the match in the next day while the
    // silence check still counts its last unanswered packet against the
    // server: the client ended its network game 30 seconds into the day.
    Debug_Printf("Spieltag_Client_Tag_Vorbei: Spiel %d endet mit dem Tag des Servers (Phase %d)\n", c.spiel,
                 int32_t(c.phase));
    Spielfeld_Abruf_Aufgeben();
    if (Spieltag_Ist_Initialisiert()) Spieltag_Init();
    c.phase = ClientSpiel::FERTIG;
    c.gefragt = 0;
}

bool Spieltag_Client_Ohne_Antwort() {
    return c.phase == ClientSpiel::LAEUFT && c.antwort_zeit != 0 &&
           Plat_Ms() - c.antwort_zeit > Net_Zeiten_Wert().antwort_ms;
}

bool Spieltag_Kein_Spiel() { return kein_spiel; }
bool Spieltag_Ohne_Client() { return kein_spiel && ohne_client; }
void Spieltag_Kein_Spiel_Loeschen() {
    kein_spiel = false;
    ohne_client = false;
}

bool Spieltag_Slot_Anfordern(int32_t team) {
    if (Netzwerk_Modus() != 1 || team < 0 || team != Client_Team() || kein_spiel) return false;
    Spieltag_Init();
    Spieltag_Slot slot;
    std::memset(&slot, 0xFF, sizeof slot);
    int32_t wettbewerb = -1, runde = -1, spieltag = -1, paarung = -1;
    if (!Internet_Client_Read(ANFRAGE_SPIELTAG_SLOT, SPIELTAG_SLOT_TYP, 0, 0, &slot, &wettbewerb, &runde, &spieltag,
                              &paarung, team))
        return false;
    if (wettbewerb == -1 || wettbewerb == SPIELTAG_OHNE_CLIENT) {
        kein_spiel = true;
        ohne_client = wettbewerb == SPIELTAG_OHNE_CLIENT;
        return false;
    }
    if (wettbewerb < 0) return false;
    // The server set the game's weather and crowd as it prepared its day,
    // after this machine's last fetch of the fixtures: its players' values
    // read the temperature from this record.
    if (Spiele_Client_Holen(wettbewerb, runde, paarung, spieltag) <= 0)
        Debug_Printf("Spieltag_Slot_Anfordern: Spiel %d/%d/%d/%d nicht vom Server geholt\n", wettbewerb, runde, paarung,
                     spieltag);
    const Spiel_Lock spiel = Spiele_Lock(wettbewerb, runde, paarung, spieltag);
    if (spiel <= 0) {
        Debug_Printf("Spieltag_Slot_Anfordern: Spiel %d/%d/%d/%d unbekannt\n", wettbewerb, runde, paarung, spieltag);
        return false;
    }
    slot.spiel = int16_t(spiel);
    if (!Spieltag_Client_Slot_Setzen(slot)) {
        Spiele_Unlock(spiel);
        return false;
    }
    return true;
}

bool Spieltag_Slot_Neu_Anfordern(int32_t team) {
    kein_spiel = false;
    Spieltag_Team_Bereit_Loeschen(team);
    const bool ok = Spieltag_Slot_Anfordern(team);
    Spieltag_Team_Bereit_Loeschen(team);
    return ok;
}

int32_t Spieltag_Netz_Nachricht(Internet_Aufruf& aufruf) {
    const int32_t team = aufruf.I(5), eigenes = Client_Team();
    uint32_t n = 0;
    uint8_t* slot = aufruf.Ergebnis(0, &n);
    std::memset(slot, 0xFF, n);
    int32_t antwort[4] = {team < 0 || team >= Team_Anzahl() ? SPIELTAG_KEIN_TEAM : -1, -1, -1, -1};
    if (team != eigenes || team < 0) {
        for (int32_t k = 0; k < 4; ++k) std::memcpy(aufruf.Ergebnis(1 + k, &n), &antwort[k], 4);
        return 1;
    }
    bool vorbereitet = false;   // the club's open match of today is prepared or under way
    for (int32_t i = 0; Spieltag_Ist_Initialisiert() && i < Spieltag_Slot_Anzahl(); ++i) {
        Spieltag_Slot s;
        if (!Spieltag_Get_Slot(i, &s) || s.status == SLOT_BEENDET || s.status == SLOT_GESCHLOSSEN) continue;
        const SpielDatensatz* sp = Spiele_Get_Spiel(s.spiel, 0);
        if (!sp || (sp->heim != team && sp->gast != team)) continue;
        vorbereitet |= s.status != SLOT_NEU || s.startgruppe != 0;
        antwort[0] = sp->wettbewerb;
        antwort[1] = sp->runde;
        antwort[2] = sp->spieltag;
        antwort[3] = sp->paarung;
        std::memcpy(slot, &s, sizeof s);
    }
    // A client that asks first once its club's match of today was prepared
    // came on the match day (a rejoin): that match started, or is about to,
    // with the computer on the club's side, and no human's match may wait for
    // a client that shows none. It waits for the next day.
    if (vorbereitet && !Spieltag_Client_Spielt_Live(team)) {
        Debug_Printf("Spieltag_Netz_Nachricht: Team %d kam am Spieltag, der Computer spielt heute\n", team);
        std::memset(slot, 0xFF, n);
        antwort[0] = SPIELTAG_OHNE_CLIENT;
        antwort[1] = antwort[2] = antwort[3] = -1;
    } else {
        Spieltag_Client_Live_Setzen(team, true);
    }
    for (int32_t k = 0; k < 4; ++k) std::memcpy(aufruf.Ergebnis(1 + k, &n), &antwort[k], 4);
    return 1;
}

}  // namespace velmora
