// club/markt_elf.h - the transfer market's line-up: the market has no manager
// and no formation, yet the transfer screen offers its starting eleven. Each
// day eleven of its players who are not a scout's prospects become its slots
// 0-10 (one goalkeeper, four defenders, three midfielders, three forwards),
// the others its reserve. The draw is taken at a table position seeded by the
// day, so the offer is the same all day, for every manager, on the server and
// on its clients (the slots are set locally, never sent).
#pragma once
#include <cstdint>

namespace velmora {

// The kinds of the eleven in slot order: goalkeeper, 4 defenders, 3 midfielders, 3 forwards.
constexpr int32_t MARKT_ELF_ARTEN[4] = {1, 4, 3, 3};

// Lines the market up for `tag` (the calendar's day index) and keeps the day
// for Markt_Elf_Erneuern. A kind with too few players is made up from the
// others; a market of fewer than eleven fills the slots it can.
void Markt_Elf_Aufstellen(int32_t tag);
// After a transfer to or from the market: the same draw again for the kept day.
void Markt_Elf_Erneuern();
// The day the line-up was last drawn for (-1 none yet).
int32_t Markt_Elf_Tag();
void Markt_Elf_Zuruecksetzen();

// The negotiations a club may start on the market each month (team value 20,
// value 21 the monthly number shown when none are left).
constexpr int32_t MARKT_VERHANDLUNGEN_JE_MONAT = 3;
constexpr int32_t MARKT_LAGER_JE_SAISON = 2;
// Every club gets its month's negotiations; with `nur_neue` only the clubs
// that never had any (a new world), whose managers also get their season's
// camps (manager value 308), as the season change on 3 July gives them.
// Nothing on a client: the server's counts come with its data.
void Markt_Verhandlungen_Auffuellen(bool nur_neue);

}  // namespace velmora
