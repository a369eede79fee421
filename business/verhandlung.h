// business/verhandlung.h - the timed transfer negotiation: the manager buys a
// player against a 30-second clock; the seller's asking price falls in phases,
// partly when the manager's offer reaches a phase price and partly at random
// moments (the computer's counter-offers). One of the manager's own players
// always goes the other way and his sale proceeds count towards the money.
//
// The negotiation window calls Verhandlung_Takt every frame and the button
// functions on clicks; the answers say which message the window shows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t VERHANDLUNG_ZEIT_MS = 30000;
constexpr int32_t VERHANDLUNG_PHASEN_MAX = 12;
constexpr int32_t VERHANDLUNG_ZEIT_ABSTAND = 2000;   // offer times at least this far apart

// Clock states.
constexpr int32_t VH_NICHT_GESTARTET = 0;
constexpr int32_t VH_LAEUFT = 1;
constexpr int32_t VH_BEENDET = 2;
constexpr int32_t VH_FAELLT = 3;                     // the asking price is falling
constexpr int32_t VH_PAUSE = 4;

// Answers of the negotiation's functions, with the TRANSFER_SCREEN text the window shows.
enum VerhandlungAntwort : int32_t {
    VH_OK = 0,
    VH_EINIGUNG,            // offer and asking price met (status text 55)
    VH_GELD_REICHT_NICHT,   // not enough money to start (text 50)
    VH_UEBER_LIMIT,         // a raise beyond the money available (text 47)
    VH_KEINE_VERHANDLUNG,   // no negotiation left this period (texts 35-37)
    VH_FRAGE,               // leaving while the clock runs: ask first (text 56)
    VH_GESCHLOSSEN,         // the window closes
    VH_TRANSFER_FEHLER,     // the transfer failed (message box)
    VH_UNGUELTIG            // nothing done: wrong state or a bad number
};

// The money rules, all amounts rounded down to 10,000. The deduction's random
// part is taken at the table position player x day (the calendar's day index),
// so it is the same all day.
int32_t Verhandlung_Verkauf_Abzug(int32_t spieler);
int32_t Verhandlung_Verkauf_Erloes(int32_t spieler);       // 0 for a player of strength 0
// The club's balance plus the exchange player's proceeds, at least 0.
int32_t Verhandlung_Geld_Verfuegbar(int32_t team, int32_t tausch_spieler);

// Opens a negotiation of the local club for `gekauft` (the transfer screen's
// selection) with `tausch` of its own going the other way: refused when no
// negotiation is left (team value 20 is 0) or the money available does not
// exceed the bought player's market value.
VerhandlungAntwort Verhandlung_Starten(int32_t tausch, int32_t gekauft);
// The prices, the phase prices and the offer times of the open negotiation.
void Verhandlung_Preise();
// The lowest price of the open negotiation: the bought player's market value
// (less a tenth for a scout's player) rounded down to 10,000, where the offer
// starts and above which the phase prices lie; 0 with none open.
int32_t Verhandlung_Untergrenze();
// Starts the clock; uses up one of the club's negotiations.
VerhandlungAntwort Verhandlung_Uhr_Starten();
// Raises the offer by 10,000 or (gross) 100,000; a held button repeats at most every 150 ms.
VerhandlungAntwort Verhandlung_Erhoehen(bool gross);
// One frame: the clock, the drop check and the falling asking price.
void Verhandlung_Takt();
// The player card or the question before leaving pause a running clock.
void Verhandlung_Pause();
void Verhandlung_Fortsetzen();
// The leave button: VH_FRAGE while the clock runs (paused until answered),
// otherwise the window closes (after the transfer when agreed).
VerhandlungAntwort Verhandlung_Verlassen();
VerhandlungAntwort Verhandlung_Frage_Antwort(bool ja);
// The complete button and leaving after agreement: the transfer is carried out.
VerhandlungAntwort Verhandlung_Abschliessen();
// A negotiation whose bought player has left the market, or whose exchange
// player the buying club, since it began (a loaded game, a day gone by) ends
// at once without a deal.
void Verhandlung_Pruefen();
// The manager's day ends: an agreed deal is carried out, any other
// negotiation closes without one.
void Verhandlung_Tagesende();

// The state, for the window and the tests.
struct VerhandlungStand {
    int32_t gekauft;          // -1 none
    int32_t tausch;
    int32_t team;             // the buying club
    int32_t angebot;
    int32_t forderung;        // the current asking price
    int32_t start_forderung;  // the demand the asking price started from
    int32_t marktwert;
    int32_t zustand;
    int32_t einigung;
    int32_t phasen;
    int32_t phase_preis[VERHANDLUNG_PHASEN_MAX];
    int32_t angebot_phase;
    int32_t preis_phase;
    int32_t zeiten;
    int32_t zeit[VERHANDLUNG_PHASEN_MAX];
    int32_t zeit_index;
};
VerhandlungStand Verhandlung_Stand();
bool Verhandlung_Offen();
int32_t Verhandlung_Vergangen();        // ms of the clock
int32_t Verhandlung_Sekunden();         // seconds left
int32_t Verhandlung_Preis_Farbe();      // the asking price blinks while it falls

// Tests: fixes the phase prices and offer times of the open negotiation (sorted and spaced as drawn ones).
void Verhandlung_Phasen_Setzen(const int32_t* preise, int32_t anzahl, const int32_t* zeiten, int32_t zeit_anzahl);

// The save block "Verhandlung" (see verhandlung.cpp); the clock is kept as elapsed time.
void Verhandlung_Save(std::vector<uint8_t>& out);
bool Verhandlung_Load(const uint8_t* in, size_t bytes);
// Registers the "Verhandlung" block of the save game (position 48).
bool Verhandlung_Spielstand_Anmelden();
void Verhandlung_Init();

}  // namespace velmora
