// business/bank.h - the bank: every club's balance, the accounts of the
// managed clubs with their ring of categorised bookings, the one routine that
// moves money, money and number texts, and the bank's save block.
//
// Team number -1 stands for a party outside the league (the bank itself, a
// sponsor, a fine). Balances exist for team numbers 0 to 1999; a club with an
// account also keeps its bookings, from which the finance screen sums a
// period (the time between two matches of the club) by category. On a network
// client every change goes to the server (business/bank_netz.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t BANK_TEAMS = 2000;
constexpr int32_t BANK_BUCHUNGEN = 700;              // slots of an account's ring
constexpr int32_t BANK_WAEHRUNGEN = 3;
constexpr int32_t BANK_KONTOSTAND_FEHLT = -1000000000;   // the balance before the bank is initialised
constexpr float BANK_ANZEIGE_MAX = 1200000000.0f;    // balances and money texts are capped here

// Booking categories. A credit slot whose amount is 0 or more carries bit 7
// (BUCHUNG_EINNAHME); the finance screen asks for a category with that bit for income.
constexpr uint8_t BUCHUNG_EINNAHME = 0x80;
constexpr uint8_t BUCHUNG_KEINE = 0;                 // invalid: reported, still booked
constexpr uint8_t BUCHUNG_KREDIT_ZURUECK = 2;        // money lent out comes back with interest
constexpr uint8_t BUCHUNG_KREDIT_AUSZAHLUNG = 3;     // a loan paid to the borrower
constexpr uint8_t BUCHUNG_WERBUNG = 4;
constexpr uint8_t BUCHUNG_WERBUNG_KOSTEN = 8;
constexpr uint8_t BUCHUNG_EINTRITT = 13;             // gate money
constexpr uint8_t BUCHUNG_STADIONBAU = 14;           // may be refused
constexpr uint8_t BUCHUNG_STADION_UNTERHALT = 16;
constexpr uint8_t BUCHUNG_SONSTIGE_KOSTEN = 22;      // caps, overdraft interest, fines, events
constexpr uint8_t BUCHUNG_SPIELERKOSTEN = 26;
constexpr uint8_t BUCHUNG_TRAINING = 27;             // may be refused
constexpr uint8_t BUCHUNG_TRANSFER_EIN = 30;
constexpr uint8_t BUCHUNG_TRANSFER_AUS = 31;         // may be refused
constexpr uint8_t BUCHUNG_SONSTIGE_EINNAHMEN = 40;   // support payment, bonuses, events
constexpr uint8_t BUCHUNG_KREDIT_VERLEIH = 44;       // a lending club pays a loan out
constexpr uint8_t BUCHUNG_KREDIT_TILGUNG = 45;       // a loan paid back
constexpr uint8_t BUCHUNG_SPIEL_HEIM = 50;           // records of the period's match: home team,
constexpr uint8_t BUCHUNG_SPIEL_GAST = 51;           // away team,
constexpr uint8_t BUCHUNG_SPIEL_TORE_HEIM = 52;      // home goals,
constexpr uint8_t BUCHUNG_SPIEL_TORE_GAST = 53;      // away goals
constexpr uint8_t BUCHUNG_SPIEL_ZUSCHAUER = 54;      // and spectators; they carry no money
constexpr uint8_t BUCHUNG_NIX = 255;                 // invalid: reported, still booked

#pragma pack(push, 1)
struct alignas(4) Bank_Buchung {    // 12 bytes; 4-aligned so its floats may be read in place
    float betrag;                  // credits as given, debits as positive sums
    uint32_t periode;
    uint8_t kategorie;             // bits 0-6 the category, bit 7 a credit of 0 or more
    uint8_t rest[3];               // without meaning, kept as they are
};

struct alignas(4) Bank_Konto {      // 8432 bytes, stored raw in the save game
    Bank_Buchung slot[BANK_BUCHUNGEN];
    uint32_t schreib_index;        // 8400: the slot the next new booking takes
    float kreditrahmen;            // 8404: added to the balance for a debit
    uint32_t periode;              // 8408: counted from 0, one up per period booking
    float summe;                   // 8412: running total of credits and debits
    uint32_t reserviert;           // 8416: carried to clients
    uint32_t waehrung;             // 8420: currency index 0-2
    int32_t mittelwert;            // 8424: the smoothed balance of the money display
    uint32_t reserviert2;          // 8428
};

// The bank's global block, stored raw at the start of its save block.
struct alignas(4) Bank_Global {     // 8168 bytes
    uint32_t text_zeiger;          // 0: the currency name's text (0 in the file)
    uint32_t waehrung;             // 4: the global currency index
    uint32_t wert_256;             // 8: 256
    float kredit_angebot;          // 12: the bank screen's loan amount, the offer a refused loan leaves
    uint32_t laufzeit;             // 16: the bank screen's term
    uint32_t frei;                 // 20: not read
    int32_t minus_eins;            // 24: -1
    uint8_t listenkoepfe[72];      // 28: three list heads (0 in the file, rebuilt at load)
    float kontostand[BANK_TEAMS];  // 100
    float anlagezins[7];           // 8100: deposit rates (kept, saved and sent; no deposits are offered)
    float kreditzins[7];           // 8128: loan rates by term step
    float zins_hoch;               // 8156: 10.5
    float zins_tief;               // 8160: 2.5
    float dispozins;               // 8164: overdraft rate
};
#pragma pack(pop)
static_assert(sizeof(Bank_Buchung) == 12);
static_assert(sizeof(Bank_Konto) == 8432);
static_assert(offsetof(Bank_Konto, schreib_index) == 8400);
static_assert(offsetof(Bank_Konto, mittelwert) == 8424);
static_assert(sizeof(Bank_Global) == 8168);
static_assert(alignof(Bank_Global) == 4 && alignof(Bank_Konto) == 4);
static_assert(offsetof(Bank_Global, kontostand) == 100);
static_assert(offsetof(Bank_Global, anlagezins) == 8100);
static_assert(offsetof(Bank_Global, kreditzins) == 8128);
static_assert(offsetof(Bank_Global, dispozins) == 8164);

// What the bank needs from modules above it or beside it that it may not call
// directly. Unfilled hooks do the neutral thing and say so in the debug log.
struct BankHooks {
    // A news item to the manager of `team` from `absender` (-1 the bank) with the news flags.
    void (*news)(int32_t team, int32_t absender, uint32_t flags, const char* text) = nullptr;
    // The team whose manager has the turn on this machine, -1 none.
    // Unfilled: the calendar's turn (on a client: the client's own club).
    int32_t (*am_zug)() = nullptr;
};
BankHooks& Bank_Hooks();

// Starts the bank for a game: frees a previous state, creates the lists, sets
// the rate tables (the loan rates move once at random) and the currency texts.
void Bank_Init();
void Bank_Exit();
bool Bank_Ist_Initialisiert();

// The one entry for moving money: debits `von` (unless -1) and credits `an`
// (unless -1). Currency -1: in the account's currency. False when the amount
// is 0 or the debit was refused (then nothing is credited). On a client the
// transfer goes to the server, and only from the client's own club.
bool Bank_Ueberweisung(int32_t von, int32_t an, float betrag, uint8_t kategorie, int8_t zwingend,
                       int32_t waehrung);
// One side of a transfer each.
bool Bank_Gutschrift(int32_t team, float betrag, uint8_t kategorie, int32_t waehrung);
bool Bank_Abbuchung(int32_t team, float betrag, uint8_t kategorie, int8_t zwingend, int32_t waehrung);

// The balance (plus the credit line when asked) converted into `waehrung`
// (-1: as it stands), capped at +-1,200,000,000 and truncated.
int32_t Bank_Kontostand(int32_t team, bool mit_kreditrahmen, int32_t waehrung);
// The smoothed balance of an animated money display; steps a tenth of the way each call.
int32_t Bank_Mittelwert(int32_t team, bool mit_kreditrahmen, int32_t waehrung);
// Sets the smoothed balance (as Bank_Mittelwert(team, false, -1) keeps it) to
// the balance: the display shows the balance at once and counts only toward
// the bookings that follow. Nothing for a team without an account.
void Bank_Mittelwert_Angleichen(int32_t team);

// The sum of the absolute amounts of the period (0 open, -1 the last closed)
// whose category matches `code`: low 7 bits the category (0 all), bit 7 income.
float Bank_Kategorie_Summe(int32_t team, int32_t periode_versatz, uint8_t code);
bool Bank_Periode_Hat_Buchungen(int32_t team, int32_t periode_versatz);
constexpr int32_t BANK_KATEGORIEN = 128;        // category numbers 0-127 (bit 7 marks income)
// Every club's money debited (einnahme false) or credited under a category
// since the bank started, with or without an account; the match figures carry none.
double Bank_Gesamt(uint8_t kategorie, bool einnahme);

struct SpielDatensatz;
// After each match of the club: the period close (loans, caps, interest,
// support), the match's five figure records, and the next period.
void Bank_Periode_Buchen(int32_t team, const SpielDatensatz* spiel);

// Opens the club's account in `waehrung`, or converts an existing balance into
// it; a start balance other than -1 replaces the balance.
bool Bank_Waehrung_Umrechnen(int32_t team, int32_t start_kontostand, int32_t waehrung);
// Removes a club's account (its manager left); refused on a client.
bool Bank_Konto_Loeschen(int32_t team);
// The account's currency, the global currency for -1 or a club without account.
int8_t Bank_Waehrung(int32_t team);
bool Bank_Hat_Konto(int32_t team);
// A copy of a club's account; false when it has none.
bool Bank_Konto_Lesen(int32_t team, Bank_Konto* out);
// The name of the bank's currency (a screen text), "" when there is none.
const char* Bank_Waehrungs_Name();

// The amount as text with the currency's prefix and suffix; currency -1 takes
// the club's. Eight results stay valid together.
const char* Geld_Text(float betrag, int32_t team, int32_t waehrung);
// A number with thousands separators: style bits 0-5 the minimum width, bit 6
// no separators, bit 7 kept for callers that empty their buffer. The result
// stands in a static buffer the next call overwrites, and is copied into `out`
// (room for ZAHL_TEXT_GROESSE bytes) when given.
constexpr size_t ZAHL_TEXT_GROESSE = 96;
const char* Zahl_Text(char* out, int32_t wert, uint32_t stil);

// a + r mod (b - a + 1), r from the standard library's generator: never
// touches the game's random source.
int32_t Zufall_Bereich(int32_t a, int32_t b);

// Save block: the global block, the currency table, the account list and the
// loan list. Load checks the whole block before it changes anything.
void Bank_Save(std::vector<uint8_t>& out);
bool Bank_Load(const uint8_t* in, size_t bytes);
// Registers the "Bank" block of the save game (position 41).
bool Bank_Spielstand_Anmelden();

}  // namespace velmora
