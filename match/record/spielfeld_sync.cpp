// match/record/spielfeld_sync.cpp - the lock-step of a networked live match.
#include "match/record/spielfeld_sync.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_linie.h"
#include "match/record/spielfeld_pruefen.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_netz.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "season/spiele.h"

namespace velmora {

namespace {

// The waits of one record on this machine.
struct Warten {
    uint32_t sendezeit = 0;      // the last packet sent (client) or waiting line written
    bool wartet = false;         // a wait runs
    uint32_t seit = 0;           // its start (a clock reading of 0 included)
    uint32_t erhoehung = 0;      // the wait time at the last rise of FRAMEABZUG
    uint32_t zeilen = 0;         // waiting lines due for the ticker so far
};

// The client's fetch of a record while its request is out.
struct Abruf {
    int32_t spiel = 0;                         // 0: none out
    Internet_Offen aufruf;
    std::unique_ptr<Spielfeld_Satz> satz;      // the answer's blocks
    int32_t wert = 0, server_wert = 0, zuschauer = 0;
    float frei = 0;
};

struct SyncModul {
    bool resync = false;
    int32_t frameabzug = 0;
    Sync_Zaehler zaehler;
    std::unordered_map<uint32_t, Warten> warten;   // by game
    Abruf abruf;
};
SyncModul m;

int32_t Netz() { return Spielfeld_Hook_Netz_Modus(); }

void Intervall_Setzen() { Spielfeld_Ansicht().frame_intervall = uint32_t(1000 / (22 - m.frameabzug)); }

bool Team_Im_Netz(uint32_t team) {
    const int32_t t = int32_t(team);
    if (t < 0 || t >= Team_Anzahl()) return false;
    return (uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN)) & TEAM_STATUS_CLIENT) != 0;
}

// The checksum stored for a minute, 0 outside the stored minutes.
uint32_t Pruefsumme_Von(const Spielfeld_Satz* satz, int32_t minute) {
    if (minute < 0 || minute >= SF_MINUTEN_PRUEFSUMMEN) return 0;
    return satz->pruefsumme[minute][0];
}

// Re-places the side's players in their zones from their line values.
void Linien_Neu_Setzen(Spielfeld_Satz* satz, int32_t seite, bool nur_besetzte) {
    for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
        const int32_t slot = seite * SF_SPIELER_SEITE + i;
        const Spieler_Matchsatz& sm = satz->spieler[slot];
        if (nur_besetzte && sm.nummer == -1) continue;
        const int32_t y = int32_t((int64_t(sm.linie[2]) + sm.linie[3]) / 2);
        Spielfeld_Linie_Setzen_Lokal(satz, int32_t(satz->team[seite]), slot, Spielfeld_Linie_X(satz, slot), y);
    }
}

void Eintrag_Anwenden(Spielfeld_Satz* satz, const Sync_Eintrag& e, int32_t s) {
    const uint8_t bits = e.aenderung[s];
    if (!bits) return;
    if (bits & SYNC_PRESSING) satz->pressing[s] = e.pressing[s];
    satz->computer[s] = e.computer[s];
    satz->computer2[s] = e.computer2[s];
    if (bits & SYNC_TAKTIK) {
        satz->live_anweisung_seite[s] = e.anweisung[s];
        std::memcpy(satz->taktik[s], e.taktik[s], SF_TAKTIK);
    }
    if (bits & SYNC_WECHSEL) {
        satz->live_anweisung_seite[s] = e.anweisung[s];
        std::memcpy(satz->wechsel_ein[s], e.wechsel_ein[s], SF_WECHSEL);
        std::memcpy(satz->wechsel_aus[s], e.wechsel_aus[s], SF_WECHSEL);
    }
    if (bits & SYNC_POSITIONEN) {
        for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
            const int32_t slot = s * SF_SPIELER_SEITE + i;
            std::memcpy(satz->spieler[slot].linie, e.linie[slot], sizeof e.linie[slot]);
        }
        Linien_Neu_Setzen(satz, s, false);
    }
    if (bits & SYNC_NEU_PLATZIEREN) Linien_Neu_Setzen(satz, s, true);
}

// The record of the match in which `team` plays, and its side.
Spielfeld_Satz* Satz_Von_Team(int32_t team, Spielfeld_Satz* nach, int32_t* seite) {
    if (Spielfeld_Anzahl() == 0) return nullptr;
    for (Spielfeld_Satz* s = Spielfeld_Naechster(nach); s; s = Spielfeld_Naechster(s)) {
        const int32_t seite_von = Spielfeld_Seite_Von_Team(s, team);
        if (seite_von >= 0) {
            *seite = seite_von;
            return s;
        }
    }
    return nullptr;
}

// Server, answering a fetch: the client goes on from the record's minute, and
// its next packet releases that minute + 2. A release it sent from further
// ahead no longer holds: left standing, this machine ran on to it while the
// client played the fetched minute, three or four minutes behind. A release
// below that (or of an earlier period) stays until the client's next packet;
// a side released to the end stays so.
void Freigabe_Beim_Abruf(Spielfeld_Satz* satz, int32_t s) {
    const uint32_t minute = uint32_t(std::max(0, satz->minute + SYNC_VORSPRUNG));
    if (Sync_Minute(satz, s) == SYNC_ENDE_MINUTE) return;
    const bool weiter = Sync_Abschnitt(satz, s) > satz->abschnitt ||
                        (Sync_Abschnitt(satz, s) == satz->abschnitt && Sync_Minute(satz, s) > minute);
    if (!weiter) return;
    Debug_Printf("Spielfeld_Sync_Status: Freigabe von Team %u auf Minute %u gesenkt (war %u)\n", satz->team[s], minute,
                 Sync_Minute(satz, s));
    Sync_Minute(satz, s) = minute;
    Sync_Abschnitt(satz, s) = satz->abschnitt;
}

// Client: the edit copy of its own side (the manager's panels show and change
// it; with its change bits, the input not in the ring yet) goes over to a
// record that replaces the one it was made in: the fetched record holds the
// server's edit copy, so a pending input would be lost and the panels would
// show, and step from, the values the match began with. A substitution the
// fetched record has carried out meanwhile leaves the copy as it leaves the
// live lists: a pair the panel still showed would fill a place of the
// side's few, and go back into the ring with the manager's next change.
void Eingabe_Uebertragen(const Spielfeld_Satz& alt, int32_t seite, Spielfeld_Satz* neu) {
    if (seite < 0 || seite > 1) return;
    const Sync_Eintrag& a = *Sync_Eingabe(const_cast<Spielfeld_Satz*>(&alt));
    Sync_Eintrag* e = Sync_Eingabe(neu);
    e->aenderung[seite] = a.aenderung[seite];
    e->anweisung[seite] = a.anweisung[seite];
    std::memcpy(e->taktik[seite], a.taktik[seite], sizeof e->taktik[seite]);
    e->pressing[seite] = a.pressing[seite];
    e->computer[seite] = a.computer[seite];
    e->computer2[seite] = a.computer2[seite];
    std::memcpy(e->wechsel_ein[seite], a.wechsel_ein[seite], sizeof e->wechsel_ein[seite]);
    std::memcpy(e->wechsel_aus[seite], a.wechsel_aus[seite], sizeof e->wechsel_aus[seite]);
    const int32_t erster = seite * SF_SPIELER_SEITE;
    std::memcpy(e->linie[erster], a.linie[erster], sizeof e->linie[0] * SF_SPIELER_SEITE);
    Spielfeld_Eingabe_Wechsel_Bereinigen(neu, seite);
}

}  // namespace

void Spielfeld_Eingabe_Wechsel_Bereinigen(Spielfeld_Satz* satz, int32_t seite) {
    if (!satz || seite < 0 || seite > 1) return;
    auto im_feld = [&](int32_t slot) {
        const Spieler_Matchsatz& sm = satz->spieler[slot];
        const uint8_t code = satz->figur[slot].situation;
        return (sm.zustand & SM_AUF_PLATZ) && !(sm.zustand & SM_AUSGEWECHSELT) && code != 38 && code != 39;
    };
    const int32_t erster = seite * SF_SPIELER_SEITE;
    for (int32_t i = 0; i < SF_WECHSEL; ++i) {
        int8_t& ein = satz->e_wechsel_ein[seite][i];
        int8_t& aus = satz->e_wechsel_aus[seite][i];
        if (ein >= erster && ein < erster + SF_SPIELER_SEITE && (satz->spieler[ein].zustand & SM_AUF_PLATZ)) ein = -1;
        if (aus >= erster && aus < erster + SF_SPIELER_SEITE && !im_feld(aus)) aus = -1;
    }
}

const Sync_Zaehler& Sync_Zaehler_Lesen() { return m.zaehler; }
void Sync_Zaehler_Zuruecksetzen() { m.zaehler = Sync_Zaehler{}; }

int32_t Spielfeld_Frameabzug() { return m.frameabzug; }
void Spielfeld_Frameabzug_Setzen(int32_t wert) {
    m.frameabzug = std::clamp(wert, 0, 21);
    Intervall_Setzen();
}

bool Spielfeld_Seite_Im_Netz(const Spielfeld_Satz* satz, int32_t seite) {
    if (!satz || seite < 0 || seite > 1 || !Team_Im_Netz(satz->team[seite])) return false;
    // On the server only a client that plays its matches live takes part.
    return Netz() != 2 || Spieltag_Client_Spielt_Live(int32_t(satz->team[seite]));
}

int32_t Spielfeld_Seite_Von_Team(const Spielfeld_Satz* satz, int32_t team) {
    if (!satz || team < 0) return -1;
    if (satz->team[0] == uint32_t(team)) return 0;
    if (satz->team[1] == uint32_t(team)) return 1;
    return -1;
}

namespace {
// The side is played from a client: on the server a client's live side, on
// a client its own side (or another client's).
bool Vom_Client(const Spielfeld_Satz* satz, int32_t seite) {
    return Spielfeld_Seite_Im_Netz(satz, seite) || (Netz() == 1 && Spielfeld_Seite_Von_Team(satz, Client_Team()) == seite);
}
// Both machines simulate this record: a side of it is played from a client.
bool Im_Gleichschritt(const Spielfeld_Satz* satz) {
    return Netz() != 0 && (Vom_Client(satz, 0) || Vom_Client(satz, 1));
}
}  // namespace

bool Spielfeld_Manager_Wechselt(const Spielfeld_Satz* satz, int32_t seite) {
    if (!satz || seite < 0 || seite > 1) return false;
    if (Im_Gleichschritt(satz)) return Vom_Client(satz, seite);
    return satz->anzeige_modus == 1;
}

bool Spielfeld_Wechsel_Hier_Waehlen(const Spielfeld_Satz* satz, int32_t seite) {
    if (!Spielfeld_Manager_Wechselt(satz, seite) || satz->anzeige_modus != 1) return false;
    return !Im_Gleichschritt(satz) || (Netz() == 1 && Spielfeld_Seite_Von_Team(satz, Client_Team()) == seite);
}

void Spielfeld_Minuten_Freigabe(Spielfeld_Satz* satz) {
    if (!satz) return;
    const int32_t netz = Netz();
    // A client whose record is being fetched again plays no frame of it: the
    // answer replaces it with the server's record of the moment it asked.
    if (netz == 1 && m.abruf.spiel != 0 && uint32_t(m.abruf.spiel) == satz->spiel) {
        satz->bereit = 0;
        return;
    }
    if (satz->bereit >= 3) return;
    for (int32_t s = 0; s < 2; ++s) {
        bool lokal = true;
        if (netz == 2) lokal = !Spielfeld_Seite_Im_Netz(satz, s) || !Team_Hat_Manager(int32_t(satz->team[s]));
        // A client releases the side it plays itself.
        if (netz == 1)
            lokal = Spielfeld_Seite_Im_Netz(satz, s) || Spielfeld_Seite_Von_Team(satz, Client_Team()) == s;
        if (!lokal) continue;
        Sync_Abschnitt(satz, s) = satz->abschnitt;
        Sync_Minute(satz, s) = uint32_t(std::max(0, satz->minute + SYNC_VORSPRUNG));
    }
    uint8_t bits = 0;
    for (int32_t s = 0; s < 2; ++s) {
        const bool gesperrt = int64_t(Sync_Minute(satz, s)) < satz->minute && satz->abschnitt >= Sync_Abschnitt(satz, s);
        if (!gesperrt) bits |= uint8_t(1 << s);
    }
    satz->bereit = bits;
}

void Spielfeld_Sync_Puffer_Eintragen(Spielfeld_Satz* satz) {
    if (!satz) return;
    Sync_Eintrag* eingabe = Sync_Eingabe(satz);
    Sync_Eintrag* ring = Sync_Ring(satz);
    for (int32_t s = 0; s < 2; ++s) {
        if (!eingabe->aenderung[s]) continue;
        if (Team_Hat_Aktiven_Manager(int32_t(satz->team[s]))) {
            // An entry is free while neither side uses it: an entry of the
            // other side is never overwritten.
            Sync_Eintrag* frei = nullptr;
            for (int32_t i = 0; i < SYNC_EINTRAEGE && !frei; ++i)
                if (ring[i].faellig_minute[0] == 0 && ring[i].faellig_minute[1] == 0) frei = &ring[i];
            if (!frei) {
                Debug_Printf("SYNC-BUFFER \xdc" "BERLAUF\n");
                ++m.zaehler.ueberlauf;
            } else {
                std::memcpy(frei, eingabe, sizeof *frei);
                const int32_t o = 1 - s;
                frei->faellig_minute[o] = 0;
                frei->aenderung[o] = 0;
                frei->fehler[0] = frei->fehler[1] = 0;
                frei->faellig_minute[s] = uint16_t(std::clamp(satz->minute + SYNC_VORLAUF, 1, 0xFFFF));
                frei->faellig_abschnitt[s] = uint8_t(satz->abschnitt);
            }
        }
        eingabe->aenderung[s] = 0;
    }
}

void Spielfeld_Sync_Puffer_Ausfuehren(Spielfeld_Satz* satz) {
    if (!satz || satz->minute == 0) return;
    Sync_Eintrag* ring = Sync_Ring(satz);
    for (int32_t i = 0; i < SYNC_EINTRAEGE; ++i) {
        Sync_Eintrag& e = ring[i];
        for (int32_t s = 0; s < 2; ++s) {
            if (e.faellig_minute[s] == 0) continue;
            if (e.faellig_abschnitt[s] == uint8_t(satz->abschnitt) && e.faellig_minute[s] == satz->minute) {
                Eintrag_Anwenden(satz, e, s);
                continue;
            }
            if (satz->minute > e.faellig_minute[s] + SYNC_VORLAUF) {
                e.aenderung[s] = 0;
                e.faellig_minute[s] = 0;
            }
            if (e.faellig_minute[s] != 0 && uint8_t(satz->abschnitt) > e.faellig_abschnitt[s]) {
                e.faellig_abschnitt[s] = uint8_t(satz->abschnitt);
                e.faellig_minute[s] = uint16_t(std::max(1, satz->minute - 1));
            }
        }
    }
}

void Spielfeld_Min_Signal_Fuellen(Spielfeld_Satz* satz, int32_t team, Min_Signal_Block* p) {
    std::memset(p, 0, sizeof *p);
    p->magic = MIN_SIGNAL_MAGIC;
    p->art = MIN_SIGNAL_ART_SYNC;
    p->team = uint32_t(team);
    for (int32_t s = 0; s < 2; ++s) {
        p->minute[s] = Sync_Minute(satz, s);
        p->abschnitt[s] = Sync_Abschnitt(satz, s);
        if (satz->minute > 2) p->pruefsumme[s] = Pruefsumme_Von(satz, satz->minute - 2);
        p->pruef_minute[s] = uint32_t(std::max(0, satz->minute - 2));
    }
    std::memcpy(p->ring, satz->sync, sizeof p->ring);
}

bool Spielfeld_Send_Min_Signal(Spielfeld_Satz* satz) {
    if (!satz || Netz() != 1) return false;
    const int32_t team = Client_Team();
    const int32_t s = Spielfeld_Seite_Von_Team(satz, team);
    if (s < 0) return false;
    const bool holt = m.abruf.spiel != 0 && uint32_t(m.abruf.spiel) == satz->spiel;
    if (Sync_Minute(satz, s) != SYNC_ENDE_MINUTE) {
        uint32_t minute = uint32_t(std::max(0, satz->minute + SYNC_VORSPRUNG));
        // While its record is being fetched, the client releases no minute
        // beyond the one the server last released: the server plays at least
        // that far when it answers the fetch, which holds it at its own
        // minute + 2. A release beyond it would let the server run on while
        // the client starts again from the fetched minute.
        const uint32_t server = Sync_Minute(satz, 1 - s);
        if (holt && Sync_Abschnitt(satz, 1 - s) == uint32_t(satz->abschnitt) && server < minute)
            minute = std::max(server, uint32_t(std::max(0, int32_t(satz->minute))));
        Sync_Minute(satz, s) = minute;
        Sync_Abschnitt(satz, s) = satz->abschnitt;
    }
    Min_Signal_Block p;
    Spielfeld_Min_Signal_Fuellen(satz, team, &p);
    // A checksum of the record about to be replaced would only call for another fetch.
    if (holt) p.pruefsumme[s] = 0;
    Debug_Printf("SEND-MIN_SIGNAL!! %u\n", ++m.zaehler.gesendet);
    return Net_Client_Signal(Net_Server_Verbindung(), &p, sizeof p);
}

void Spielfeld_Sync_Minute(Spielfeld_Satz* satz, uint32_t jetzt) {
    if (!satz) return;
    const int32_t minute = satz->minute;
    // The pairs cover minutes 0..139; a longer match is checked up to there.
    if (minute >= 0 && minute < SF_MINUTEN_PRUEFSUMMEN && satz->pruefsumme[minute][0] == 0 &&
        satz->pruefsumme[minute][1] == 0) {
        const uint32_t c = Spielfeld_Checksumme(satz);
        satz->pruefsumme[minute][0] = satz->pruefsumme[minute][1] = c;
    }
    Spielfeld_Sync_Puffer_Ausfuehren(satz);
    Spielfeld_Sync_Puffer_Eintragen(satz);
    if (Netz() == 1) {
        m.warten[satz->spiel].sendezeit = jetzt;
        Spielfeld_Send_Min_Signal(satz);
    }
    satz->bereit = 0;
    Spielfeld_Minuten_Freigabe(satz);
}

namespace {

// Side `s` of every entry of a packet's ring into the record's ring.
void Ring_Seite_Uebernehmen(Spielfeld_Satz* satz, const Min_Signal_Block* p, int32_t s) {
    Sync_Eintrag* ring = Sync_Ring(satz);
    for (int32_t i = 0; i < SYNC_EINTRAEGE; ++i) {
        Sync_Eintrag& d = ring[i];
        const Sync_Eintrag& q = p->ring[i];
        d.faellig_minute[s] = q.faellig_minute[s];
        d.faellig_abschnitt[s] = q.faellig_abschnitt[s];
        d.aenderung[s] = q.aenderung[s];
        d.anweisung[s] = q.anweisung[s];
        d.pressing[s] = q.pressing[s];
        d.computer[s] = q.computer[s];
        d.computer2[s] = q.computer2[s];
        std::memcpy(d.taktik[s], q.taktik[s], SF_TAKTIK);
        std::memcpy(d.wechsel_ein[s], q.wechsel_ein[s], SF_WECHSEL);
        std::memcpy(d.wechsel_aus[s], q.wechsel_aus[s], SF_WECHSEL);
        const int32_t erster = s * SF_SPIELER_SEITE;
        std::memcpy(d.linie[erster], q.linie[erster], sizeof q.linie[0] * SF_SPIELER_SEITE);
    }
}

}  // namespace

void Spielfeld_Sync_Eingaben_Uebernehmen(Spielfeld_Satz* satz, const Min_Signal_Block* p, int32_t s) {
    Ring_Seite_Uebernehmen(satz, p, s);
    Sync_Eintrag* ring = Sync_Ring(satz);
    const int32_t pm = int32_t(p->pruef_minute[s]);
    const uint32_t hier = Pruefsumme_Von(satz, pm);
    if (pm > 0 && hier != 0 && p->pruefsumme[s] != 0 && hier != p->pruefsumme[s]) {
        ring[0].fehler[s] = 1;
        ++m.zaehler.pruef_fehler;
        Debug_Printf("CHECKSUM FEHLER\n");
    }
}

void Spielfeld_Sync_Vom_Client(void* roh, int32_t team) {
    if (!roh) return;
    auto* p = static_cast<Min_Signal_Block*>(roh);
    int32_t s = -1;
    Spielfeld_Satz* satz = Satz_Von_Team(team, nullptr, &s);
    if (!satz) {
        // A match this machine no longer has: released to the larger minute,
        // so the client is not held.
        const uint32_t mi = std::max(p->minute[0], p->minute[1]), ab = std::max(p->abschnitt[0], p->abschnitt[1]);
        p->minute[0] = p->minute[1] = mi;
        p->abschnitt[0] = p->abschnitt[1] = ab;
        return;
    }
    ++m.zaehler.beantwortet;
    for (; satz; satz = Satz_Von_Team(team, satz, &s)) {
        if (Spielfeld_Seite_Im_Netz(satz, s)) {
            if (const char* grund = Spielfeld_Ring_Pruefen(satz, p->ring, SYNC_EINTRAEGE, s)) {
                Debug_Printf("Spielfeld_Sync_Vom_Client: Paket von Team %d verworfen: %s\n", team, grund);
                ++m.zaehler.verworfen;
            } else {
                // How far a side runs ahead: the minute it plays (a side
                // waiting for its entered minute still plays the one before)
                // against the minute the other side entered. The client's
                // minute is the one its checksum minute names (its release
                // may stand lower while its record is being fetched).
                const int32_t c = p->pruef_minute[s] > 0 ? int32_t(p->pruef_minute[s]) + 2
                                                         : int32_t(p->minute[s]) - SYNC_VORSPRUNG;
                const int32_t c_spielt = int32_t(p->minute[1 - s]) < c ? c - 1 : c;
                const int32_t s_spielt = (satz->bereit & 3) != 3 ? satz->minute - 1 : satz->minute;
                const int32_t zustand = Spieltag_Slot_Status(int32_t(satz->spiel));
                const bool vorbei = zustand == SLOT_BEENDET || zustand == SLOT_GESCHLOSSEN;
                if (!vorbei && p->minute[s] < SYNC_ENDE_MINUTE && satz->abschnitt == p->abschnitt[s]) {
                    const int32_t vorsprung = std::max(s_spielt - c, c_spielt - satz->minute);
                    if (vorsprung > SYNC_VORSPRUNG)
                        Debug_Printf("VORSPRUNG %d: Server Minute %d bereit %u, Client Minute %d, Freigaben %u/%u\n",
                                     vorsprung, satz->minute, satz->bereit, c, p->minute[s], p->minute[1 - s]);
                    m.zaehler.groesste_differenz = std::max(m.zaehler.groesste_differenz, vorsprung);
                }
                Sync_Minute(satz, s) = p->minute[s];
                Sync_Abschnitt(satz, s) = p->abschnitt[s];
                Spielfeld_Sync_Eingaben_Uebernehmen(satz, p, s);
                // A newly released minute may free the waiting server at once.
                if (satz->bereit < 3) Spielfeld_Minuten_Freigabe(satz);
            }
        }
        // A match over here holds the client no longer.
        const int32_t zustand = Spieltag_Slot_Status(int32_t(satz->spiel));
        if (zustand == SLOT_BEENDET || zustand == SLOT_GESCHLOSSEN) Spielfeld_Sync_Ende(satz, 1 - s);
        for (int32_t k = 0; k < 2; ++k) {
            p->minute[k] = Sync_Minute(satz, k);
            p->abschnitt[k] = Sync_Abschnitt(satz, k);
        }
        std::memcpy(p->ring, satz->sync, sizeof p->ring);
        if (satz->minute > 2) p->pruefsumme[s] = Pruefsumme_Von(satz, satz->minute - 2);
        p->pruef_minute[s] = uint32_t(std::max(0, satz->minute - 2));
        if (Sync_Ring(satz)[0].fehler[s]) Debug_Printf("SYNC-Fehler an CLIENT\n");
        Sync_Ring(satz)[0].fehler[s] = 0;
    }
}

void Spielfeld_Sync_Vom_Server(const void* roh, int32_t team) {
    if (!roh) return;
    const auto* p = static_cast<const Min_Signal_Block*>(roh);
    int32_t s = -1;
    Spielfeld_Satz* satz = Satz_Von_Team(team, nullptr, &s);
    if (!satz) return;
    if (const char* grund = Spielfeld_Ring_Pruefen(satz, p->ring, SYNC_EINTRAEGE, -1)) {
        Debug_Printf("Spielfeld_Sync_Vom_Server: Antwort verworfen: %s\n", grund);
        ++m.zaehler.verworfen;
        return;
    }
    ++m.zaehler.beantwortet;
    // A release is a minute of a period: an answer older than the one held
    // (queued behind a fetch) changes nothing. Taken field by field, the last
    // stoppage-time minute of a half joined the next half's period, a release
    // the server never gave, and the client ran three minutes ahead.
    for (int32_t k = 0; k < 2; ++k) {
        const bool neuer = p->abschnitt[k] > Sync_Abschnitt(satz, k) ||
                           (p->abschnitt[k] == Sync_Abschnitt(satz, k) && p->minute[k] > Sync_Minute(satz, k));
        if (!neuer) continue;
        Sync_Minute(satz, k) = p->minute[k];
        Sync_Abschnitt(satz, k) = p->abschnitt[k];
    }
    // The server's side of the ring is the server's to give; the client's
    // own side stays as the client has it. An answer to an older packet
    // echoes that side as it was then: taken whole, it wiped out an input
    // entered since, here and, with the next packet, on the server.
    Ring_Seite_Uebernehmen(satz, p, 1 - s);
    Sync_Ring(satz)[0].fehler[s] = 0;
    if (p->ring[0].fehler[s]) {
        Debug_Printf("SYNC!!!\n");
        m.resync = true;
    }
    const int32_t pm = int32_t(p->pruef_minute[s]);
    const uint32_t hier = Pruefsumme_Von(satz, pm);
    if (pm > 0 && hier != 0 && p->pruefsumme[s] != 0 && hier != p->pruefsumme[s]) {
        m.resync = true;
        ++m.zaehler.pruef_fehler;
    }
    if (Sync_Minute(satz, s) <= Sync_Minute(satz, 1 - s) && m.frameabzug >= 1) {
        --m.frameabzug;
        if (m.frameabzug > 0) --m.frameabzug;
        Debug_Printf("CLIENT SCHNELLER %d\n", m.frameabzug);
        Intervall_Setzen();
    }
    satz->bereit = 0;
    Spielfeld_Minuten_Freigabe(satz);
}

void Spielfeld_Sync_Ende(Spielfeld_Satz* satz, int32_t seite) {
    if (!satz || seite < 0 || seite > 1) return;
    Sync_Minute(satz, seite) = SYNC_ENDE_MINUTE;
    Sync_Abschnitt(satz, seite) = SYNC_ENDE_ABSCHNITT;
}

bool Spielfeld_Sync_Client_Ende(Spielfeld_Satz* satz) {
    if (!satz || Netz() != 1) return false;
    const int32_t team = Client_Team(), s = Spielfeld_Seite_Von_Team(satz, team);
    if (s < 0) return false;
    Spielfeld_Sync_Ende(satz, s);
    Min_Signal_Block p;
    Spielfeld_Min_Signal_Fuellen(satz, team, &p);
    Debug_Printf("SEND-MIN_SIGNAL!! %u (Ende)\n", ++m.zaehler.gesendet);
    return Net_Client_Signal(Net_Server_Verbindung(), &p, sizeof p);
}

namespace {
// Server: another watched match of this machine plays on: one that is not in
// lock-step, or whose minute is released, in a running slot.
bool Anderer_Beobachteter_Laeuft(const Spielfeld_Satz* satz) {
    for (Spielfeld_Satz* s = Spielfeld_Anzahl() > 0 ? Spielfeld_Naechster(nullptr) : nullptr; s;
         s = Spielfeld_Naechster(s)) {
        if (s == satz || s->anzeige_modus != 1 || s->live != 1) continue;
        if (Spieltag_Slot_Status(int32_t(s->spiel)) != SLOT_LAEUFT) continue;
        if (!Im_Gleichschritt(s) || (s->bereit & 3) == 3) return true;
    }
    return false;
}
}  // namespace

void Spielfeld_Sync_Warten(Spielfeld_Satz* satz, uint32_t jetzt, bool pause) {
    if (!satz) return;
    const int32_t netz = Netz();
    Spielfeld_Minuten_Freigabe(satz);
    Warten& w = m.warten[satz->spiel];
    if (!w.wartet) {
        w.wartet = true;
        w.seit = jetzt;
        w.erhoehung = 0;
    }
    if (!pause) {
        Debug_Printf("%s wartet Min:%d %d\n", netz == 1 ? "CLIENT" : "SERVER", satz->minute, satz->bereit);
        if (jetzt - w.sendezeit > 2000) {
            w.sendezeit = jetzt;
            // The ticker tells of a wait once it has lasted the 2000 ms (a brief wait at a minute change shows nothing).
            if (jetzt - w.seit > 2000) ++w.zeilen;
            if (netz == 1) {
                Debug_Printf("CLIENT_FLAG SCHICKT ZEICHEN\n");
                if (Spielfeld_Send_Min_Signal(satz)) ++m.zaehler.wiederholt;
                Debug_Printf("FRAMEABZUG: %d\n", m.frameabzug);
            }
        }
    } else {
        Debug_Printf("WARTEN...\n");
    }
    // Where the waiting machine once slept, it now only slows its frames: one
    // step per full 2000 ms (3000 ms paused) of waiting.
    const uint32_t schritt = pause ? 3000 : 2000;
    const int32_t grenze = pause ? 11 : 21;
    // The frames are every watched match's: the server slows them for a wait
    // only while no other match its person watches plays on (his own match
    // against the computer ran at a quarter of its pace while a client's
    // match waited for its minutes).
    const bool langsamer = netz == 1 || (netz == 2 && satz->anzeige_modus == 1 && !Anderer_Beobachteter_Laeuft(satz));
    const uint32_t gewartet = jetzt - w.seit;
    if (langsamer && !Spielfeld_Ansicht().fast && gewartet >= w.erhoehung + schritt) {
        w.erhoehung = gewartet;
        if (m.frameabzug < grenze) {
            ++m.frameabzug;
            Intervall_Setzen();
        }
        Debug_Printf("CLIENT LANGSAMER %d\n", m.frameabzug);
    }
}

uint32_t Spielfeld_Sync_Wartezeilen(uint32_t spiel) {
    const auto it = m.warten.find(spiel);
    return it == m.warten.end() ? 0 : it->second.zeilen;
}

void Spielfeld_Sync_Warten_Ende(Spielfeld_Satz* satz) {
    if (!satz) return;
    Warten& w = m.warten[satz->spiel];
    // The server's frames slowed for a wait go back to the game's pace when
    // it ends; they stayed slow for the rest of the match day, and every
    // match watched on the server crawled.
    if (w.wartet && Netz() == 2 && m.frameabzug > 0) Spielfeld_Frameabzug_Setzen(0);
    w.wartet = false;
}

void Spielfeld_Sync_Warten_Vergessen(int32_t spiel) {
    if (spiel < 0) m.warten.clear();
    else m.warten.erase(uint32_t(spiel));
}

int32_t Spielfeld_Vom_Server_Holen(int32_t spiel) {
    if (Netz() != 1 || !Spielfeld_Ist_Initialisiert() || spiel <= 0) {
        Spielfeld_Abruf_Aufgeben();
        return -1;
    }
    Abruf& a = m.abruf;
    if (a.spiel != spiel) {
        Spielfeld_Abruf_Aufgeben();
        a.satz = std::make_unique<Spielfeld_Satz>();
        if (!Internet_Client_Senden(a.aufruf, ANFRAGE_SPIELFELD_HOLEN, SPIELFELD_HOLEN_TYP, 0, 0, a.satz.get(), &a.wert,
                                    &a.frei, &a.server_wert, &a.zuschauer)) {
            a.satz.reset();
            return -1;
        }
        a.spiel = spiel;
        // The record the client holds stops at once.
        if (Spielfeld_Satz* satz = Spielfeld_Suchen(spiel)) satz->bereit = 0;
    }
    const int32_t r = Internet_Client_Abholen(a.aufruf, nullptr);
    if (r == 0) return 0;
    m.zaehler.abruf_bytes += a.aufruf.bytes;
    std::unique_ptr<Spielfeld_Satz> neu = std::move(a.satz);
    const int32_t zuschauer = a.zuschauer;
    a = Abruf{};
    if (r < 0) return -1;
    return Spielfeld_Geholt_Einsetzen(spiel, *neu, zuschauer) ? 1 : -1;
}

int32_t Spielfeld_Abruf_Offen() { return m.abruf.spiel; }

void Spielfeld_Abruf_Aufgeben() {
    if (m.abruf.spiel == 0 && !m.abruf.aufruf.folge) return;
    Internet_Client_Aufgeben(m.abruf.aufruf);
    m.abruf = Abruf{};
}

bool Spielfeld_Geholt_Einsetzen(int32_t spiel, Spielfeld_Satz& neu, int32_t zuschauer) {
    if (Netz() != 1 || !Spielfeld_Ist_Initialisiert() || spiel <= 0) return false;
    const int32_t team = Client_Team();
    const char* grund = Spielfeld_Satz_Pruefen(&neu);
    if (!grund && Spielfeld_Seite_Von_Team(&neu, team) < 0) grund = "Team des Clients spielt nicht";
    if (grund) {
        Debug_Printf("Spielfeld_Vom_Server_Holen: Spiel %d verworfen: %s\n", spiel, grund);
        ++m.zaehler.abrufe_verworfen;
        return false;
    }
    neu.anzeige_modus = 1;
    neu.abschnitt_gestartet = 1;
    neu.spiel = uint32_t(spiel);
    if (const Spielfeld_Satz* alt = Spielfeld_Suchen(spiel)) Eingabe_Uebertragen(*alt, Spielfeld_Seite_Von_Team(&neu, team), &neu);
    Spielfeld_Satz* satz = Spielfeld_Satz_Einsetzen(spiel, neu);
    if (!satz) return false;
    // The record is the server's now: whatever called for a fetch is answered.
    m.resync = false;
    Spielfeld_Client_Holen_Setzen(false);
    // A record fetched across the break is in the server's next period: left
    // behind, the slot would end the period again on its own, count the
    // record one period further and, sending that period, free the server
    // from the lock-step for the rest of the half.
    Spieltag_Client_Abschnitt_Folgen(spiel);
    m.warten.clear();
    Spielfeld_Frameabzug_Setzen(0);
    if (zuschauer >= 0) Spiele_Set_Wert(spiel, zuschauer);
    ++m.zaehler.abrufe;
    Debug_Printf("Spielfeld_Vom_Server_Holen: Spiel %d Minute %d geholt\n", spiel, satz->minute);
    return true;
}

int32_t Spielfeld_Sync_Status(Internet_Aufruf& aufruf) {
    const int32_t team = Client_Team();
    if (!Spielfeld_Ist_Initialisiert() || team < 0) return 0;
    int32_t s = -1;
    for (Spielfeld_Satz* satz = Satz_Von_Team(team, nullptr, &s); satz; satz = Satz_Von_Team(team, satz, &s)) {
        const int32_t spiel = int32_t(satz->spiel);
        // A slot in a break sends nothing: the record changes at the period start.
        if (Spieltag_Slot_Status(spiel) == SLOT_PAUSE) return 0;
        if (!Spieltag_Seite_Geladen(spiel, s)) continue;
        m.warten[satz->spiel].sendezeit = uint32_t(-1);
        Freigabe_Beim_Abruf(satz, s);
        uint32_t n = 0;
        std::memcpy(aufruf.Ergebnis(0, &n), satz, sizeof *satz);
        const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0);
        const int32_t zuschauer = sp ? sp->zuschauer : 0;
        std::memcpy(aufruf.Ergebnis(4, &n), &zuschauer, 4);
        return 1;
    }
    return 0;
}

bool Spielfeld_Resync_Offen() { return m.resync; }
void Spielfeld_Resync_Setzen(bool an) { m.resync = an; }

namespace {

// The client's way back into step: a running slot fetches the record again
// (the flag is cleared on success); a slot in another state only releases
// both sides to minute + 2; without a slot the flag is cleared.
bool Abgleichen(Spielfeld_Satz* satz, bool& flag) {
    if (!satz || !flag) return false;
    const int32_t spiel = int32_t(satz->spiel);
    const int32_t zustand = Spieltag_Slot_Status(spiel);
    if (zustand == 0 && !Spiele_Get_Spiel(spiel, 0)) {
        flag = false;
        return true;
    }
    if (zustand == SLOT_LAEUFT) {
        if (Spielfeld_Vom_Server_Holen(spiel) <= 0) return false;
        flag = false;
        return true;
    }
    for (int32_t s = 0; s < 2; ++s) {
        Sync_Minute(satz, s) = uint32_t(std::max(0, satz->minute + SYNC_VORSPRUNG));
        Sync_Abschnitt(satz, s) = satz->abschnitt;
    }
    satz->bereit = 3;
    return true;
}

bool client_holen = false;

}  // namespace

bool Spielfeld_Resync_Pruefen(Spielfeld_Satz* satz) { return Abgleichen(satz, m.resync); }

bool Spielfeld_Client_Fortsetzen(Spielfeld_Satz* satz) {
    client_holen = Spielfeld_Client_Holen_Offen();
    const bool r = Abgleichen(satz, client_holen);
    if (!client_holen) Spielfeld_Client_Holen_Setzen(false);
    return r;
}

}  // namespace velmora
