// business/bank_anbindung.h - connects the bank to the game: the money hooks
// of the club data, the season and the match day, the period close after each
// match, the calendar's client synchronisation, the save block "Bank" and the
// bank's requests in the server's request switch.
#pragma once

namespace velmora {

// Starts the bank and fills the hooks. Call it after Club_Anbinden,
// Season_Anbinden and Match_Anbinden (and after any replacement of the
// calendar's hooks), since it takes over hooks those fill with stand-ins.
void Bank_Anbinden();
// Takes the hooks back and ends the bank.
void Bank_Abbinden();

}  // namespace velmora
