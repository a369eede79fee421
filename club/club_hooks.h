// club/club_hooks.h - what the club data needs from the network layer, as
// function pointers the composition root fills.
//
// The club data never includes the network headers. An unfilled hook does the
// neutral thing: network mode 0 (a single machine), no client team, and every
// remote call fails.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

struct ClubHooks {
    // 0 single machine, 1 client, 2 server.
    int32_t (*netzwerk_modus)() = nullptr;
    // On a client its own team; on the server the team of the client whose request is answered.
    int32_t (*client_team)() = nullptr;
    // A remote call to the server: request id, type string (see docs/protocol.md),
    // the packed arguments; fills `antwort` with the packed results. False when the
    // server did not answer.
    bool (*client_read)(int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                        std::vector<uint8_t>& antwort) = nullptr;
    // The same call sent ahead without waiting: the client_read of the same
    // request and arguments then takes its answer (a refresh's reads travel
    // together). False when it could not be sent.
    bool (*client_vorab)(int32_t anfrage, const std::vector<uint8_t>& argumente) = nullptr;
    // The calls sent ahead are done: what was sent ahead and not taken is
    // forgotten, its answer dropped (a later call asks again).
    void (*client_vorab_ende)() = nullptr;
};

ClubHooks& Club_Hooks();

// The hooks read with their neutral defaults.
int32_t Club_Netzwerk_Modus();
int32_t Club_Client_Team();
bool Club_Ist_Client();
// On a client only its own team may be changed: false, with "<wer>: CLIENT-WRITE!"
// in the log, for another team there; true everywhere else.
bool Club_Client_Darf(const char* wer, int32_t team);

// While one lives, a client builds a world of its own from this machine's
// files (the start screens' world, also once its network game ended): that
// world is no copy of a server's, so the club data takes the machine for a
// single one (mode 0) and every write is its own. A server keeps its mode.
class Club_Eigene_Welt {
public:
    Club_Eigene_Welt();
    ~Club_Eigene_Welt();
    Club_Eigene_Welt(const Club_Eigene_Welt&) = delete;
    Club_Eigene_Welt& operator=(const Club_Eigene_Welt&) = delete;
};

}  // namespace velmora
