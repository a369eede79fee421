// match/record/spielfeld_sync.h - the lock-step of a networked live match.
//
// In network play the server and a client both simulate the client's match
// from the same record. Each side may run at most two game minutes ahead of
// the other: a side reaches minute m only once the other side released m,
// which it does on entering m - 2. The users' inputs travel in the record's
// ring of ten entries and act on both machines four minutes after they were
// made. Every game minute the client sends the 6324-byte minute packet; the
// server merges the client's side of it and sends it back. A position
// checksum per minute, compared for minute - 2, tells the client to fetch the
// whole record again when the two simulations drifted apart.
#pragma once
#include <cstddef>
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

constexpr int32_t SYNC_EINTRAEGE = 10;
constexpr int32_t SYNC_VORLAUF = 4;          // minutes between an input and its effect
constexpr int32_t SYNC_VORSPRUNG = 2;        // minutes a side may run ahead of the other
constexpr size_t SYNC_EINGABE_OFFSET = 34156;   // the pending local input block in the record

// Change bits of an input entry.
constexpr uint8_t SYNC_PRESSING = 1;
constexpr uint8_t SYNC_TAKTIK = 2;
constexpr uint8_t SYNC_WECHSEL = 4;
constexpr uint8_t SYNC_POSITIONEN = 16;
constexpr uint8_t SYNC_NEU_PLATZIEREN = 32;

#pragma pack(push, 1)
// One input entry of the ring (628 bytes); the record's pending local input
// block has the same layout. Per-side fields are indexed by side.
struct Sync_Eintrag {
    uint8_t r0[8];
    uint16_t faellig_minute[2];      // 8: 0 = none; the entry is free when both are 0
    uint8_t faellig_abschnitt[2];    // 12: period index (low byte) at entry
    uint8_t r14;
    uint8_t aenderung[2];            // 15: SYNC_* bits
    uint8_t anweisung[2];            // 17: live instruction byte (with bits 2 and 4)
    int8_t taktik[2][SF_TAKTIK];     // 19
    uint8_t pressing[2];             // 45
    uint8_t computer[2];             // 47: always applied
    uint8_t fehler[2];               // 49: entry 0 only: checksum error found by the server
    int8_t wechsel_ein[2][SF_WECHSEL];   // 51
    int8_t wechsel_aus[2][SF_WECHSEL];   // 65
    uint8_t computer2[2];            // 79: always applied
    uint8_t r81[3];
    int32_t linie[SF_SPIELER][4];    // 84: the four line values of every slot
};
static_assert(sizeof(Sync_Eintrag) == 628);
static_assert(offsetof(Sync_Eintrag, faellig_abschnitt) == 12);
static_assert(offsetof(Sync_Eintrag, aenderung) == 15);
static_assert(offsetof(Sync_Eintrag, anweisung) == 17);
static_assert(offsetof(Sync_Eintrag, taktik) == 19);
static_assert(offsetof(Sync_Eintrag, pressing) == 45);
static_assert(offsetof(Sync_Eintrag, computer) == 47);
static_assert(offsetof(Sync_Eintrag, fehler) == 49);
static_assert(offsetof(Sync_Eintrag, wechsel_ein) == 51);
static_assert(offsetof(Sync_Eintrag, wechsel_aus) == 65);
static_assert(offsetof(Sync_Eintrag, computer2) == 79);
static_assert(offsetof(Sync_Eintrag, linie) == 84);
static_assert(SYNC_EINGABE_OFFSET + offsetof(Sync_Eintrag, aenderung) == offsetof(Spielfeld_Satz, e_aenderung));
static_assert(SYNC_EINGABE_OFFSET + offsetof(Sync_Eintrag, linie) == offsetof(Spielfeld_Satz, e_linie));
static_assert(SYNC_EINGABE_OFFSET + sizeof(Sync_Eintrag) == offsetof(Spielfeld_Satz, sync));

// The minute packet (6324 bytes, message types 250 and 251).
struct Min_Signal_Block {
    uint32_t magic;                  // 0: 0xCFCECDCC
    uint32_t art;                    // 4: 1
    uint32_t team;                   // 8: the sending client's team; the answer keeps it
    uint32_t minute[2];              // 12: released minute per side
    uint32_t abschnitt[2];           // 20: released period per side
    uint32_t pruefsumme[2];          // 28: checksum of minute - 2 per side
    uint32_t pruef_minute[2];        // 36: minute - 2 per side
    Sync_Eintrag ring[SYNC_EINTRAEGE];   // 44
};
static_assert(sizeof(Min_Signal_Block) == 6324);
static_assert(offsetof(Min_Signal_Block, ring) == 44);
#pragma pack(pop)

// The record's lock-step words.
inline uint32_t& Sync_Minute(Spielfeld_Satz* s, int32_t seite) { return s->lockstep[seite]; }
inline uint32_t& Sync_Abschnitt(Spielfeld_Satz* s, int32_t seite) { return s->lockstep[2 + seite]; }
inline Sync_Eintrag* Sync_Ring(Spielfeld_Satz* s) { return reinterpret_cast<Sync_Eintrag*>(s->sync); }
inline Sync_Eintrag* Sync_Eingabe(Spielfeld_Satz* s) {
    return reinterpret_cast<Sync_Eintrag*>(reinterpret_cast<uint8_t*>(s) + SYNC_EINGABE_OFFSET);
}

// What the lock-step counted since the last reset (for the log, the tool and the benchmark).
struct Sync_Zaehler {
    uint32_t gesendet = 0;           // minute packets sent (client)
    uint32_t wiederholt = 0;         // of them re-sent by a waiting client
    uint32_t beantwortet = 0;        // minute packets taken (server) or answers taken (client)
    uint32_t verworfen = 0;          // packets refused whole (bad ring)
    uint32_t abrufe = 0;             // records fetched (client)
    uint32_t abrufe_verworfen = 0;   // fetched records refused by the validator
    uint64_t abruf_bytes = 0;        // bytes sent and received while fetching (client)
    uint32_t pruef_fehler = 0;       // checksum mismatches found
    uint32_t ueberlauf = 0;          // inputs lost to a full ring
    // The most a side ran ahead of the minute the other entered, seen at a packet (server).
    int32_t groesste_differenz = 0;
};
const Sync_Zaehler& Sync_Zaehler_Lesen();
void Sync_Zaehler_Zuruecksetzen();

// The frame deduction of a waiting machine: the frame interval is
// 1000 / (22 - FRAMEABZUG) ms whenever it changes.
int32_t Spielfeld_Frameabzug();
void Spielfeld_Frameabzug_Setzen(int32_t wert);

// True when the side's team is managed from a client machine.
bool Spielfeld_Seite_Im_Netz(const Spielfeld_Satz* satz, int32_t seite);
// The side of the record that `team` plays, -1 none.
int32_t Spielfeld_Seite_Von_Team(const Spielfeld_Satz* satz, int32_t team);
// Whether the manager of a side picks the substitute for a player of his
// carried off or sent off, instead of the computer bringing one on. On one
// machine he does while the match is watched. In a lock-step match both
// machines decide alike from what both know: the side a client plays is its
// manager's (his client follows the match in its views and his choice
// reaches both through the ring), any other side is the computer's, whatever
// this machine shows.
bool Spielfeld_Manager_Wechselt(const Spielfeld_Satz* satz, int32_t seite);
// Whether this machine opens the match's options for that choice: where the
// side's manager watches it.
bool Spielfeld_Wechsel_Hier_Waehlen(const Spielfeld_Satz* satz, int32_t seite);

// Recomputes the released minutes of the sides released on this machine and the release bits.
void Spielfeld_Minuten_Freigabe(Spielfeld_Satz* satz);
// Enters the pending local input of the sides managed here into the ring (due at minute + 4).
void Spielfeld_Sync_Puffer_Eintragen(Spielfeld_Satz* satz);
// Applies the ring's entries due now; drops those more than 4 minutes late and
// re-times those of a past period.
void Spielfeld_Sync_Puffer_Ausfuehren(Spielfeld_Satz* satz);
// The work of a minute change in network play: the checksum of the minute,
// the ring applied and filled, the client's packet, the release recomputed.
void Spielfeld_Sync_Minute(Spielfeld_Satz* satz, uint32_t jetzt);
// Client: builds and sends the minute packet; false when it could not be sent.
bool Spielfeld_Send_Min_Signal(Spielfeld_Satz* satz);
// Fills the packet from a record (after the client released its own side).
void Spielfeld_Min_Signal_Fuellen(Spielfeld_Satz* satz, int32_t team, Min_Signal_Block* paket);

// Server: takes a client's packet and writes the answer into the same buffer.
void Spielfeld_Sync_Vom_Client(void* paket, int32_t team);
// Client: takes the server's answer.
void Spielfeld_Sync_Vom_Server(const void* paket, int32_t team);
// Merges side `seite` of every ring entry of the packet into the record.
void Spielfeld_Sync_Eingaben_Uebernehmen(Spielfeld_Satz* satz, const Min_Signal_Block* paket, int32_t seite);

// A side whose match is over on one machine is released to the end, so the
// other machine plays its last minutes alone.
constexpr uint32_t SYNC_ENDE_MINUTE = 0xFFFF;
constexpr uint32_t SYNC_ENDE_ABSCHNITT = 0xFF;
void Spielfeld_Sync_Ende(Spielfeld_Satz* satz, int32_t seite);
// Client: its match ended here; the last packet releases its side to the end.
bool Spielfeld_Sync_Client_Ende(Spielfeld_Satz* satz);

// A minute not released yet: the waiting frame. Never blocks: a client
// re-sends its packet every 2000 ms; FRAMEABZUG rises at most once per
// 2000 ms (3000 ms for a paused view, up to 11) of waiting, up to 21.
void Spielfeld_Sync_Warten(Spielfeld_Satz* satz, uint32_t jetzt, bool pause);
// The waiting lines of a game so far: one more each time a wait that is not
// paused and has lasted over 2000 ms reaches its next 2000 ms step. The
// ticker of the game's views shows one whenever the count rises.
uint32_t Spielfeld_Sync_Wartezeilen(uint32_t spiel);

// Client: the resync flag (a checksum differed or the server said so).
bool Spielfeld_Resync_Offen();
void Spielfeld_Resync_Setzen(bool an);
// Client: fetches the record again when the resync flag is set (a fetch out
// is looked after at each call); true when it acted: the record replaced, or
// the releases primed or the flag cleared outside a running slot.
bool Spielfeld_Resync_Pruefen(Spielfeld_Satz* satz);
// Client after a load (the module's re-fetch flag): the same, for that flag.
bool Spielfeld_Client_Fortsetzen(Spielfeld_Satz* satz);
// Request 1032: the client fetches the whole record of its match. Answer: the
// record, a word, a float and a word not used, the game's spectators.
constexpr int32_t ANFRAGE_SPIELFELD_HOLEN = 1032;
inline constexpr char SPIELFELD_HOLEN_TYP[] = "iI<42340I<4F<4I<4I<4";
struct Internet_Aufruf;
// Server: the handler of 1032. The first record in which the requester's team
// plays and whose slot takes that side (both sides reported, the side then
// loaded); none, or the slot in a break: refused (0).
int32_t Spielfeld_Sync_Status(Internet_Aufruf& aufruf);
// Client: the end of a wait (the minute was released).
void Spielfeld_Sync_Warten_Ende(Spielfeld_Satz* satz);
// Forgets the waits kept for a game (its match ended), or with -1 for every
// game (the day's table went): game numbers come again on later days, and a
// new match must not start inside an old one's wait.
void Spielfeld_Sync_Warten_Vergessen(int32_t spiel);
// Client: fetches the whole record of a game (request 1032) without holding
// the main loop: the first call sends the request, later calls take the
// answer once it came. 1 the fetched record replaced the game's; 0 the
// request is out (the record held here plays no frame meanwhile, and its
// waiting frames re-send the minute packet every 2000 ms); -1 the call failed
// or the record was refused by the validator (nothing out any more).
int32_t Spielfeld_Vom_Server_Holen(int32_t spiel);
// Client: the game whose record is being fetched, 0 none.
int32_t Spielfeld_Abruf_Offen();
// Client: gives up a fetch out (the day's table or the network went).
void Spielfeld_Abruf_Aufgeben();
// Frees the edit copy's substitution entries of a side that the record has
// carried out: an incoming player already on the pitch, an outgoing one no
// longer on it or already leaving, as carrying out frees the live lists.
void Spielfeld_Eingabe_Wechsel_Bereinigen(Spielfeld_Satz* satz, int32_t seite);
// Client: takes a record fetched for a game: refused (false) when it fails the
// validator or the client's team does not play in it; otherwise it replaces
// the game's record (keeping the client's own side of the edit copy, less the
// substitutions the new record carried out), the waits start afresh, the
// re-fetch flags clear and the match day's slot follows the record's period.
bool Spielfeld_Geholt_Einsetzen(int32_t spiel, Spielfeld_Satz& neu, int32_t zuschauer);

}  // namespace velmora
