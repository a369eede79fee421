// business/news_netz.h - the news between a client and the server: a client
// fetches its new items, adds items and changes recipient flags through three
// remote calls; the server lets a client touch only its own team's items.
//
// Request ids and packing (docs/protocol.md):
//   1012 "C<=0i<C<=0ii"  the ids the client holds (u32 count, then the ids),
//                        its team -> the news block, the server's day, the
//                        team's match-day state
//   1013 "iiiiC40C<=0<i" sender, recipient, second recipient, flags, News_Kopf,
//                        the text or data with its zero -> the server's id (0 refused)
//   1014 "iiii"          id, team, value, mode of a News_Set -> nothing
//
// News block: per item u32 id, u32 the team's flag word, u32 length L, the
// 48-byte item header, L + 1 bytes text when L is not 0, then 4 - (size mod 4)
// zero bytes (four when the size is a multiple of four); a u32 0 ends it. The
// server starts no further entry once the block holds 49000 bytes, so a long
// backlog arrives over several fetches.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

constexpr int32_t ANFRAGE_NEWS_HOLEN = 1012;
constexpr int32_t ANFRAGE_NEWS_HINZUFUEGEN = 1013;
constexpr int32_t ANFRAGE_NEWS_SETZEN = 1014;
constexpr size_t NEWS_BLOCK_MAX = 50000;       // the server's buffer
constexpr size_t NEWS_BLOCK_GRENZE = 49000;    // no entry starts beyond this

// Client: sends an item (call 1013); the server's id, 0 when refused or unanswered.
uint32_t News_Netz_Hinzufuegen(int32_t sender, int32_t recipient, int32_t second, uint32_t flags,
                               const int32_t kopf[10], const char* daten, uint32_t laenge);
// Client: a News_Set on the server's item `id` (call 1014).
void News_Netz_Setzen(uint32_t id, int32_t team, int32_t wert, int32_t modus);
// Client: fetches the team's items it does not hold yet (call 1012) and stores
// them with the team as their only recipient; the calendar is synchronised
// again when the server's day or match-day state differs. Returns the number
// of items stored, -1 when the fetch failed. Only in network mode 1.
int32_t News_Client_Holen(int32_t team);
// Client: that fetch's request sent ahead without waiting (Club_Remote_Vorab).
void News_Client_Holen_Vorab(int32_t team);

// Server handlers of the three calls for the client playing `client_team`.
// False for a malformed request (the answer is then empty).
bool News_Server_Sammeln(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort);
bool News_Server_Hinzufuegen(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort);
bool News_Server_Setzen(int32_t client_team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort);
// The three behind one entry, by request id (the request switch's form).
bool News_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort);

// The news block of the team's items whose ids are not in `bekannt` (server).
void News_Block_Bauen(int32_t team, const std::vector<uint32_t>& bekannt, std::vector<uint8_t>& block);
// Stores the entries of a news block for `team`; the number stored, -1 when
// the block is damaged (the entries before the damage stay stored).
int32_t News_Block_Eintragen(int32_t team, const uint8_t* block, size_t bytes);

}  // namespace velmora
