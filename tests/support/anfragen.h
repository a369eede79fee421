// tests/support/anfragen.h - the documented requests of docs/protocol.md as a
// client packs their argument blocks, for the tests of the server's handlers
// and the seeds of the network fuzz target.
#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <map>
#include <vector>

#include "business/bank_netz.h"
#include "business/news.h"
#include "business/news_netz.h"
#include "business/stadion.h"
#include "business/werbung.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/transfer.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora::test {

// The arguments of a request, packed as a client packs them.
inline std::vector<uint8_t> Argumente(std::initializer_list<int32_t> werte, const std::vector<uint8_t>& block = {},
                                      bool mit_block = false) {
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    for (int32_t w : werte) pk.i32(w);
    if (mit_block) pk.block_mit_laenge(block.data(), block.size());
    return a;
}

inline int32_t Bits(float f) {
    int32_t b;
    std::memcpy(&b, &f, 4);
    return b;
}

// A transfer as block 4 carries it: from, to, leaving players, own team, price bits.
inline std::vector<uint8_t> Transfer(int32_t von, int32_t zu, int32_t sv, int32_t sz, int32_t eigenes, float preis) {
    return Argumente({von, zu, sv, sz, eigenes, Bits(preis)});
}

// Each documented request as the joined club `team` sends it; `spieler` plays
// for it. With `anderer` (another manager's club) and `ki` (a computer's club)
// also the joining requests: a second club for the slot, the other club's
// manager record; both are refused.
inline std::map<int32_t, std::vector<uint8_t>> Dokumentierte_Anfragen(int32_t team, int32_t spieler,
                                                                      int32_t anderer = -1, int32_t ki = -1) {
    std::vector<uint8_t> news_add = Argumente({team, team, -1, int32_t(NEWS_NACHRICHT)});
    news_add.resize(news_add.size() + NEWS_KOPF_BYTES, 0);
    const std::vector<uint8_t> text = {'x', 0};
    ClubPacker{news_add}.block_mit_laenge(text.data(), text.size());
    std::vector<uint8_t> news_holen = Argumente({}, std::vector<uint8_t>(4, 0), true);
    ClubPacker{news_holen}.i32(team);
    std::map<int32_t, std::vector<uint8_t>> anfragen = {
        {ANFRAGE_SPIELER_WERT, Argumente({84, spieler, 0, OP_LESEN})},
        {ANFRAGE_TEAM_WERT, Argumente({19, team, 0, OP_LESEN})},
        {ANFRAGE_TEAM_ZEIGER, Argumente({700, team}, std::vector<uint8_t>(36, 7), true)},
        {ANFRAGE_MANAGER_ICON, Argumente({team, 5, 0, 0})},
        {ANFRAGE_SPIELER_ANZAHL, {}},
        {ANFRAGE_SPIELER_BLOCK, Argumente({0, 2})},
        {ANFRAGE_SPIELER_TEAM, Argumente({team})},
        {ANFRAGE_TEAM_STARTINFO, {}},
        {ANFRAGE_TEAM_BLOCK, Argumente({0, 2})},
        {ANFRAGE_TEAM_OWN, Argumente({team})},
        {ANFRAGE_STARTTEAMS, {}},
        {ANFRAGE_MANAGER_STARTINFO, {}},
        {ANFRAGE_NEWS_HOLEN, news_holen},
        {ANFRAGE_NEWS_HINZUFUEGEN, news_add},
        {ANFRAGE_NEWS_SETZEN, Argumente({1, team, 0, 1})},
        {ANFRAGE_STADION_HOLEN, Argumente({team})},
        {ANFRAGE_STADION_AENDERN, Argumente({team, 0, 50, 1000, 10})},
        {ANFRAGE_STADION_PRUEFEN, Argumente({team})},
        {ANFRAGE_MANAGER_RECORD, Argumente({team})},
        {ANFRAGE_MARKT_LISTE, {}},
        {ANFRAGE_WERBUNG, Argumente({team, -1, 0, 0})},
        {ANFRAGE_BANK_STATUS, Argumente({team})},
        {ANFRAGE_BANK_KONTO, Argumente({team})},
        {ANFRAGE_BANK_AUSZAHLUNG, Argumente({team, -1, 1000, 31, 0, -1})},
        {ANFRAGE_BANK_BUCHUNGEN, Argumente({team})},
        {ANFRAGE_BANK_KREDIT, Argumente({Bits(1000.0f), Bits(-1.0f), -1, team, 12, 0})},
        {ANFRAGE_SPIELE_SERIE, Argumente({-1, team, 2})},
        {ANFRAGE_SPIELE_SPIEL, Argumente({0, 0, 0, 0})},
        {ANFRAGE_KALENDER_STAND, {}},
        {ANFRAGE_SPIELE_ALLE, {}},
        {ANFRAGE_SPIELE_ABGLEICH, Argumente({0})},
        {ANFRAGE_WETTBEWERB_ABGLEICH, Argumente({0})},
        {ANFRAGE_RANGLISTE_ABGLEICH, Argumente({0})},
        {ANFRAGE_TEAMS_ABGLEICH, Argumente({0})},
        {ANFRAGE_STARTTEAMS_ABGLEICH, Argumente({0})},
        {ANFRAGE_SPIELER_ABGLEICH, Argumente({0})},
        {ANFRAGE_KALENDER_ABGLEICH, Argumente({0})},
        {ANFRAGE_TRANSFER, Transfer(team, 0, spieler, -1, team, 0.0f)},
        {ANFRAGE_MANAGER_LAGER, Argumente({team})},
    };
    if (anderer >= 0 && ki >= 0) {
        std::vector<uint8_t> nehmen = Argumente({1, ki});
        nehmen.resize(nehmen.size() + 20, 'x');
        ClubPacker{nehmen}.i32(0);
        anfragen[ANFRAGE_TEAM_NEHMEN] = nehmen;
        anfragen[ANFRAGE_MANAGER_SENDEN] = Argumente({anderer}, std::vector<uint8_t>(sizeof(ManagerStruktur), 0), true);
    }
    return anfragen;
}

}  // namespace velmora::test
