// app/sim_aktiv.h - velmora-sim --active: each human manager's club acts once
// a game week as a plain computer manager would, through the requests its
// screens send as a client (the game's holder answers them as it answers a
// client playing that club): it answers the offers about its players and its
// players' extension requests, takes a loan from the bank when its money runs
// short, accepts the pending advertising offer, builds at its stadium when it
// is rich and buys a market player now and then. What works on the machine's
// own club rather than through a request (a training unit, a camp, a scout's
// search and the negotiation for his prospect) it plays through the functions
// its screens call, with the club as the local one and the frames on a virtual
// clock while they run.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

struct SimAktivZaehler {
    int32_t wochen = 0, antworten_ja = 0, antworten_nein = 0, kredite = 0, werbung = 0, stadion = 0, kaeufe = 0;
    int32_t einheiten = 0, abstuerze = 0, lager = 0, scouts = 0, scout_kaeufe = 0;
};
const SimAktivZaehler& Sim_Aktiv_Zaehler();
void Sim_Aktiv_Zuruecksetzen();

// One week of the human manager's club `team`.
void Sim_Aktiv_Woche(int32_t team);
// Each game day: on Mondays the week of every human manager's club.
void Sim_Aktiv_Tag();
// The line of the economy report.
std::string Sim_Aktiv_Text();

}  // namespace velmora
