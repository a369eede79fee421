// business/bank_netz.h - the bank's remote calls: a client keeps a copy of what
// its screens need (the rate and currency tables, its club's balance, account
// words, loan items and booking slots) and sends every transfer and every loan
// from the bank to the server, which serves only the requesting client's club.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

// Request ids and their type strings (docs/protocol.md).
constexpr int32_t ANFRAGE_BANK_STATUS = 1024;       // "i<iBC12C28C28F4F4F4F4C52"
constexpr int32_t ANFRAGE_BANK_KONTO = 1025;        // "i<iBC20"
constexpr int32_t ANFRAGE_BANK_AUSZAHLUNG = 1026;   // "iiiiii<i"
constexpr int32_t ANFRAGE_BANK_BUCHUNGEN = 1027;    // "i<C8400C4C4"
constexpr int32_t ANFRAGE_BANK_KREDIT = 1028;       // "F4F4iiii<i"

// Client: the tables and the balance of `team` (request 1024); false when it failed.
bool Bank_Sync_Status(int32_t team);
// Client: the own club's loan items and its five account words (request 1025).
bool Bank_Client_Konto_Holen();
// Client: everything again (status and account), after a calendar synchronisation.
bool Bank_Client_Alles_Holen(int32_t team);
// Client: the requests of Alles_Holen sent ahead without waiting
// (Club_Remote_Vorab), so that a refresh's reads travel together.
void Bank_Client_Alles_Holen_Vorab(int32_t team);
// Client: the booking slots of the club whose manager has the turn, fetched once
// until the next transfer or full fetch (request 1027).
bool Bank_Client_Buchungen_Holen(int32_t team);

// Server: answers one bank request of the client playing `client_team`. False
// for an id that is not the bank's or a malformed request.
bool Bank_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort);

}  // namespace velmora
