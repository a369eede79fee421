// business/news_anbindung.h - connects the news to the modules below it: the
// save game, the server's request switch, the request processor, the
// calendar, the match day and the transfers.
#pragma once

namespace velmora {

// Registers the news block ("News", which carries the game options at its
// start, in place of core's own options block) and the news requests
// 1012-1014, and fills the news hooks of the network, the request processor,
// the match day, the transfers and the calendar (opening and closing the
// news file with the modules, the presentation round in the menu phase, the
// open-request question of the month change, the note to the other managers
// at the end of a turn). Call it after Club_Anbinden; hooks of the calendar
// that are filled already are kept and called after the news.
void News_Anbinden();
// Takes the registrations and hooks back and closes the news file.
void News_Abbinden();

}  // namespace velmora
