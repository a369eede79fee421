// club/club_hooks.cpp - the club data's table of calls into the network layer.
#include "club/club_hooks.h"

#include "core/debug.h"

namespace velmora {

namespace {
// Filled before any use and read by every club rule (the network mode): a
// plain object, ready before any code runs.
constinit ClubHooks g_hooks;
int32_t g_eigene_welt = 0;   // Club_Eigene_Welt scopes open
}  // namespace

ClubHooks& Club_Hooks() { return g_hooks; }

int32_t Club_Netzwerk_Modus() {
    const ClubHooks& h = Club_Hooks();
    const int32_t modus = h.netzwerk_modus ? h.netzwerk_modus() : 0;
    return modus == 1 && g_eigene_welt > 0 ? 0 : modus;
}

Club_Eigene_Welt::Club_Eigene_Welt() { ++g_eigene_welt; }
Club_Eigene_Welt::~Club_Eigene_Welt() { --g_eigene_welt; }

int32_t Club_Client_Team() {
    const ClubHooks& h = Club_Hooks();
    return h.client_team ? h.client_team() : -1;
}

bool Club_Ist_Client() { return Club_Netzwerk_Modus() == 1; }

bool Club_Client_Darf(const char* wer, int32_t team) {
    if (Club_Ist_Client() && team != Club_Client_Team()) {
        Debug_Printf("%s: CLIENT-WRITE!\n", wer);
        return false;
    }
    return true;
}

}  // namespace velmora
