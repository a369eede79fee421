// club/transfer.h - transfers of players between clubs, with money and news.
#pragma once
#include <cstdint>
#include <vector>

#include "core/abonnenten.h"

namespace velmora {

struct ClubLeser;

// Network block of a transfer asked for by a client: from team, to team,
// player leaving from, player leaving to, the client's own team, then the
// price as the four bytes of a 32-bit float. The answer is one i32: 1 done,
// 0 refused.
constexpr int32_t ANFRAGE_TRANSFER = 4;
constexpr const char* TRANSFER_TYP = "viiiiiI4";

// Exchanges `spieler_von` (of `von_team`, -1 none) for `spieler_zu` (of
// `zu_team`, -1 none). With a price above 0 `von_team` buys: its balance must
// cover the price less the sale proceeds of `spieler_von`, it pays the price
// (category 31) and receives the proceeds (category 30), and the human
// managers of both sides get news. The proceeds are what `spieler_von` fetches
// today, or `erloes` when it is not negative: the amount a deal agreed on
// earlier named (a computer club's offer stands for days while values move;
// such deals run where the game is held, a client never sends one). The transfer market takes part in money
// movements as a party outside the league (-1). The line-ups of both clubs
// are put right afterwards. On a client the server carries it out (only for
// the client's own club) and the client fetches its team data again.
// True on success; false, with nothing changed, otherwise.
bool Spieler_Transfer_Ausfuehren(int32_t von_team, int32_t zu_team, int32_t spieler_von, int32_t spieler_zu,
                                 float preis, float erloes = -1);

// What a transfer tells the modules above (filled by the composition root):
// after every transfer that moved players, the two clubs, so that the screens
// showing a squad (transfer and training lists) show it as it is now.
struct TransferHooks {
    Abonnenten<int32_t, int32_t> kader_geaendert;
    // Then each player who left a club (player, the club he left): what
    // concerned him there (offers about him) goes with him.
    Abonnenten<int32_t, int32_t> spieler_gegangen;
};
TransferHooks& Transfer_Hooks();

// The lowest price a client may pay for `spieler` from the market: his market
// value, less 10 % for a scout's prospect, rounded down to 10,000.
int32_t Transfer_Mindestpreis(int32_t spieler);
// Whether a client of `von` may ask for this transfer: a purchase from the
// market club (own player out, a market player in, at least his lowest
// price) or a release at price 0 to the club's second club (team value 26)
// for its first player of the same kind, or to the market for nothing. A
// managed club is never the counterpart.
bool Transfer_Client_Erlaubt(int32_t von, int32_t zu, int32_t spieler_von, int32_t spieler_zu, float preis);

// The server's handler of the transfer block; false for another id: it
// carries out only what `Transfer_Client_Erlaubt` allows the client's club.
bool Transfer_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort);

}  // namespace velmora
