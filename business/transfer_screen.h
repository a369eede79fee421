// business/transfer_screen.h - the transfer screen, the club's market desk:
// at the left the club's squad by line-up slot, at the right the market's
// offer (its eleven, business/../club/markt_elf.h) and the prospect a scout
// has signed up. A click on a market player selects him; a click on one of
// the own players then opens the timed negotiation (verhandlung_fenster.h)
// with that player in exchange, or without a selection asks whether to
// release him. Two buttons choose one of four scouts, a third sends him out.
//
// The chosen scout lives in the manager's icon value 3345, so it survives
// between visits and in the save game.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_TRANSFER_KOPF = 3310;
constexpr int32_t ICON_TRANSFER_EIGENE = 3311;     // own rows 3311-3330
constexpr int32_t ICON_TRANSFER_RECHTS = 3331;     // the market's eleven 3331-3341
constexpr int32_t ICON_TRANSFER_KANDIDAT = 3342;   // the scout's prospect
constexpr int32_t ICON_TRANSFER_SCOUT_ZURUECK = 3343;
constexpr int32_t ICON_TRANSFER_SCOUT_WEITER = 3344;
constexpr int32_t ICON_TRANSFER_SCOUT_LOS = 3345;  // value: the chosen scout 0-3
constexpr int32_t TRANSFER_EIGENE_ZEILEN = 20, TRANSFER_RECHTE_ZEILEN = 11;
constexpr int32_t TRANSFER_SCOUTS = 4;
constexpr uint32_t TRANSFER_SCOUT_MS = 300;        // at most one scout step per 300 ms
constexpr const char* TRANSFER_TEXTE = "TRANSFER_SCREEN";

// What the screen reaches above it, filled by the composition root.
struct TransferScreenHooks {
    // The player card (mode 0 own, 2 a market player alone, 3 the right list) and whether it is open.
    void (*karte_oeffnen)(int32_t spieler, int32_t club, int32_t modus) = nullptr;
    bool (*karte_offen)() = nullptr;
    // The scout screen for the chosen scout (unfilled: the send button stays off).
    void (*scout_oeffnen)(int32_t scout) = nullptr;
};
TransferScreenHooks& Transfer_Screen_Hooks();

// Panel button 702, entry 3. An open negotiation of the club comes back with
// the screen: a window paused by a change of screen runs on.
void Transfer_Screen_Oeffnen();
// A change of screen: the negotiation window goes and its clock pauses.
void Transfer_Screen_Verlassen();
bool Transfer_Screen_Offen();
// The left list (the club's players by slot) and the right list (the market's
// eleven by kind, forwards first, and the prospect), refreshed in place.
void Transfer_Liste_Aktualisieren();
void Transfer_Rechts_Aktualisieren();
// Exchanges the players of two clubs pairwise (the i-th for the i-th, price
// 0) and refreshes both lists: the team module's check of the managed clubs.
void Transfer_Liste_Neu(int32_t a, int32_t b);

// The clicks, as the rows' procedures make them (the tests drive them here):
// a market row (0-10, 11 the prospect) and an own row (0-19).
void Transfer_Rechts_Klick(int32_t zeile);
void Transfer_Eigene_Klick(int32_t zeile);
// The release of an own player (the requester's yes): to the club's second
// club for its first player of the same kind, his strength capped at that
// club's, or to the market for nothing. True when done.
bool Transfer_Freigeben(int32_t spieler);
// A scout button: -1 previous, +1 next; false when dropped within 300 ms.
bool Transfer_Scout_Schritt(int32_t richtung);

struct TransferStand {
    int32_t auswahl = -1;                   // the selected market player
    int32_t scout = 0;
    int32_t eigene[TRANSFER_EIGENE_ZEILEN];  // the rows' players, -1 empty
    int32_t rechts[TRANSFER_RECHTE_ZEILEN + 1];
};
TransferStand Transfer_Stand();

}  // namespace velmora
