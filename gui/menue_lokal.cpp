// gui/menue_lokal.cpp - the local club of the menu and the framework's questions to the game.
#include "gui/menue_lokal.h"

#include "net/net.h"

namespace velmora {
namespace {

struct LokalModul {
    MenueSpielHooks hooks;
    MenueLokal lokal;
};
LokalModul g;

}  // namespace

MenueSpielHooks& Menue_Spiel_Hooks() { return g.hooks; }

const MenueLokal& Menue_Lokal() { return g.lokal; }

void Menue_Lokal_Setzen(const MenueLokal& lokal) { g.lokal = lokal; }

void Menue_Client_Refresh() {
    if (Netzwerk_Modus() == 1) Net_Hooks().client_refresh.Aufrufen();
}

}  // namespace velmora
