// gui/menue_lokal.h - what the menu framework knows of the game it shows: the
// club of this machine's manager and its match of the day (written by the
// game's panel at each turn), and the few questions the requester, the
// header's film and the screen change ask of the game. The composition root
// fills MenueSpielHooks; an unfilled hook does the neutral thing (no name, no
// crest, no turn, no film). The framework includes none of the game's modules.
#pragma once
#include <cstdint>

#include "core/abonnenten.h"

namespace velmora {

struct Rastport;
struct SchattenParameter;

// The framework's own screen texts.
constexpr const char* MENUE_TEXTE = "MENUE_SCREEN";
// The crests and the trophy of the header and the requester.
constexpr int32_t MENUE_WAPPEN_GROESSE = 66;

using ScreenOeffner = void (*)();

// The texts of a club the framework shows.
enum class MenueTeamText : int32_t { NAME, NAME_KURZ, MANAGER };

// The local team and its match of the day.
struct MenueLokal {
    int32_t team = -1;
    int32_t gegner = -1;
    int32_t seite = 0;         // 0 home, 1 away
    int32_t wichtigkeit = 0;   // 0..100
    int32_t wettbewerb = -1;
};
const MenueLokal& Menue_Lokal();
// Written by the game's panel when a turn begins (team -1: no game).
void Menue_Lokal_Setzen(const MenueLokal& lokal);

struct MenueSpielHooks {
    // The clubs: the transfer market's team; a club's texts; its manager's
    // portrait (0-11); whether it is a normal club of a competition and has
    // a human manager.
    int32_t (*team_markt)() = nullptr;
    const char* (*team_text)(MenueTeamText art, int32_t team) = nullptr;
    int32_t (*team_portrait)(int32_t team) = nullptr;
    bool (*team_ist_normal)(int32_t team) = nullptr;
    bool (*team_hat_manager)(int32_t team) = nullptr;
    // A club's crest drawn breite x hoehe at (x, y) with the shadow; 1 when drawn.
    int32_t (*wappen_zeichnen)(int32_t team, Rastport* ziel, int32_t x, int32_t y, int32_t breite, int32_t hoehe,
                               const SchattenParameter* schatten) = nullptr;
    // The club whose turn it is (-1 none).
    int32_t (*aktives_team)() = nullptr;
    // A competition's graphic number (-1 none): the header's film.
    int32_t (*wettbewerb_grafik)(int32_t wettbewerb) = nullptr;
    // Another screen is about to open: the windows lying over the old one close first.
    Abonnenten<> screen_wechsel;
};
MenueSpielHooks& Menue_Spiel_Hooks();

// A client: the own players, team and manager fetched again from the server.
void Menue_Client_Refresh();

}  // namespace velmora
