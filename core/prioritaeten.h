// core/prioritaeten.h - the order of the subscribers on every subscriber list.
//
// Each list runs its subscribers in ascending priority. The numbers are the
// game's order of work, written down once: whoever binds a module names its
// place here, never by the order of the binding calls. Gaps leave room for
// the modules still to come.
#pragma once
#include <cstdint>

namespace velmora::prio {

// The calendar: the modules above the season start when the program starts...
constexpr int32_t INIT_KONFIG_CACHE = 100;   // whether the binary configuration cache is kept
constexpr int32_t INIT_NEWS = 200;           // the news file opened, the display reset
constexpr int32_t INIT_TRAINING = 300;       // training unit and camps reset
constexpr int32_t INIT_EREIGNIS = 400;       // the random events read from ereignis.cfg
constexpr int32_t INIT_TEXTE = 450;          // the screen texts and the text table
constexpr int32_t INIT_MENUE = 500;          // the menu framework's icon tables
// ...and end in the opposite order.
constexpr int32_t FREI_ANKUENDIGUNG = 40;    // a page still on the screen and its pictures first
constexpr int32_t FREI_MENUE = 50;           // then the screens' icons and pictures
constexpr int32_t FREI_TEXTEINGABE = 60;     // then a text entry left open
constexpr int32_t FREI_HILFE = 70;           // and the help box
constexpr int32_t FREI_EREIGNIS = 100;
constexpr int32_t FREI_TRAINING = 200;
constexpr int32_t FREI_NEWS = 300;
constexpr int32_t FREI_TEXTE = 400;

// Every frame of the menu phase: the timed work first, the screen last.
constexpr int32_t MENUE_TRAINING = 100;      // training unit and camps advance
constexpr int32_t MENUE_NEWS = 200;          // the news round (requests, answers)
constexpr int32_t MENUE_ANKUENDIGUNG = 300;  // the page before the turn, asked for every 5 s
constexpr int32_t MENUE_ENTWICKLER = 850;    // the developer keys (VELMORA_DEBUG=1)
constexpr int32_t MENUE_BILDSCHIRM = 900;    // the menu framework's frame (or a runner ending the turn)

// A manager's turn.
constexpr int32_t ZUG_BEGINN_LOKAL = 50;     // his club becomes the local club
constexpr int32_t ZUG_BEGINN_MENUE = 100;    // the turn starts on the main screen
constexpr int32_t ZUG_BEGINN_ANKUENDIGUNG = 120;   // the page before the turn may show again
constexpr int32_t ZUG_BEGINN_NEWS = 130;      // a client's news check comes with the turn
constexpr int32_t ZUG_ENDE_NEWS = 100;       // the messages to the next manager

// A waiting client's own match takes the screen from the main screen or gives it back.
constexpr int32_t CLIENT_SPIEL_PANELS = 50;  // the panels over the views close first
constexpr int32_t CLIENT_SPIEL_MENUE = 100;  // then the main screen goes or comes back

// The run mode changes: videos and sounds of the old mode stop.
constexpr int32_t MEDIEN_STOP_FILME = 50;    // the films pause
constexpr int32_t MEDIEN_STOP_SHELL = 100;   // samples and music

// The day's, month's and year's work of the modules above the season.
constexpr int32_t TAG_SPIELERLISTE = 50;     // the talent list window closes before talents change
constexpr int32_t TAG_LAUF = 100;            // a headless run counts its days
constexpr int32_t TAG_WIRTSCHAFT = 110;      // and notes the computer clubs' balances
constexpr int32_t TAG_EREIGNIS = 200;        // the day's random events and job offers
constexpr int32_t MONAT_EREIGNIS = 100;      // the month's random events
constexpr int32_t SAISONWECHSEL_LAUF = 50;        // a headless run keeps the ending season's report
constexpr int32_t SAISONWECHSEL_SPIELTAG = 100;   // the match day lets go of its last day's games

// After a match of a club (Nach_Spiel_Team): the stadium's upkeep and the
// advertising week first, then the ranking points, then the bank's period
// close, so the upkeep and the advertising fall into the period it closes.
constexpr int32_t NACH_SPIEL_UNTERHALT = 100;
constexpr int32_t NACH_SPIEL_WERBUNG = 200;
constexpr int32_t NACH_SPIEL_RANGLISTE = 300;   // the ranking's own step (Nach_Spiel_Team)
constexpr int32_t NACH_SPIEL_BANK = 400;

// The match day's after-match family, per club of a closed match.
constexpr int32_t SPIELTAG_STATISTIK = 100;      // the starters' games and goals into the player statistics
constexpr int32_t SPIELTAG_NACH_SPIEL = 200;     // then Nach_Spiel_Team
constexpr int32_t SPIELTAG_EREIGNIS = 100;       // the events after a match, and after a run of results

// The ranking's day (the daily line-up check): the competition screens refresh.
constexpr int32_t RANGLISTE_TAG_TABELLE = 200;
constexpr int32_t RANGLISTE_TAG_RANGLISTE = 300;
constexpr int32_t RANGLISTE_TAG_AUFSTELLUNG = 400;   // the open line-up list screen checks and rebuilds

// A competition's match day closes (the after-match pass over its games).
constexpr int32_t NACHBEARBEITUNG_EINSAETZE = 100;   // appearances, form and the players' statistics games

// Another screen opens from the menu panel: the player windows over the old one close.
constexpr int32_t SCREEN_WECHSEL_SPIELERFENSTER = 100;
// ... and the system pages (load, save, options) close.
constexpr int32_t SCREEN_WECHSEL_SYSTEMSEITEN = 110;

// A client fetches the server's state: the club data first, then what builds on it.
// First every module sends its reads ahead (they travel together); the fetches
// then take their answers, and the last step forgets what none of them took.
constexpr int32_t REFRESH_VORAB_SPIELER = 10;
constexpr int32_t REFRESH_VORAB_TEAM = 11;
constexpr int32_t REFRESH_VORAB_MANAGER = 12;
constexpr int32_t REFRESH_VORAB_ENDE = 1000;
constexpr int32_t HOLEN_VORAB_SPIELER = 10;
constexpr int32_t HOLEN_VORAB_KALENDER = 11;
constexpr int32_t HOLEN_VORAB_BANK = 12;
constexpr int32_t HOLEN_VORAB_SPIELZAEHLER = 13;
constexpr int32_t HOLEN_VORAB_WETTBEWERB = 14;
constexpr int32_t HOLEN_VORAB_RANGLISTE = 15;
constexpr int32_t HOLEN_VORAB_ENDE = 1000;
constexpr int32_t REFRESH_ALLE_SPIELER = 50;
constexpr int32_t REFRESH_SPIELER = 100;
constexpr int32_t REFRESH_TEAM = 200;
constexpr int32_t REFRESH_MANAGER = 300;
constexpr int32_t HOLEN_SPIELER = 50;
constexpr int32_t HOLEN_KALENDER = 100;
constexpr int32_t HOLEN_BANK = 200;
constexpr int32_t HOLEN_SPIELZAEHLER = 300;
constexpr int32_t HOLEN_WETTBEWERB = 350;
constexpr int32_t HOLEN_RANGLISTE = 360;
constexpr int32_t HOLEN_NEWS = 400;
// A client sends a remote call: the copies of the server's data it may outdate are forgotten.
constexpr int32_t ANFRAGE_KOPIEN = 100;

// The transfers: the market's eleven reset with the game, drawn each day
// after the talent list has closed and at a turn that finds them drawn for
// another day; a change of screen pauses a negotiation before the player
// windows close; the day's end closes it before the messages go out.
constexpr int32_t INIT_MARKT_ELF = 320;
constexpr int32_t TAG_MARKT_ELF = 60;
constexpr int32_t ZUG_BEGINN_MARKT_ELF = 60;
constexpr int32_t SCREEN_WECHSEL_TRANSFER = 90;
constexpr int32_t ZUG_ENDE_VERHANDLUNG = 90;
constexpr int32_t MONAT_MARKT_VERHANDLUNGEN = 50;   // the month's negotiations, before its events
constexpr int32_t MENUE_ENTWICKLER_STATISTIK = 860;   // Ctrl+F7 (VELMORA_DEBUG=1): the market statistics
// A server without managers of its own has no turns: its menu frame, while it
// waits for the clients, lines the market up and gives a new world's clubs
// their negotiations and camps.
constexpr int32_t MENUE_MARKT_ELF = 50;
// After a human club's match its players' training units are free again,
// between the statistics and the club's after-match work.
constexpr int32_t SPIELTAG_TRAINING_EINHEITEN = 150;
// After a transfer (and after talents changed at once) the screens showing a
// squad rebuild their lists: the transfer screen, the training screen, then
// the two line-up screens.
constexpr int32_t KADER_TRANSFER_SCREEN = 100;
constexpr int32_t KADER_TRAINING_SCREEN = 200;
constexpr int32_t KADER_AUFSTELLUNG_SCREEN = 250;
constexpr int32_t KADER_LAUF = 300;             // a headless run counts the transfer
// The computer clubs' economy: their round on the day's events (after the
// market's eleven are drawn), their salaries at the season update, and a
// headless run's season figures before the season's report is kept.
constexpr int32_t TAG_COMPI = 150;
constexpr int32_t TAG_AKTIV = 160;               // a headless run's active managers, after the computer clubs
constexpr int32_t JAHR_COMPI = 100;
constexpr int32_t JAHR_VERLAENGERUNG = 200;      // then the players' requests to extend
constexpr int32_t SPIELER_GEGANGEN_ANGEBOT = 100; // a player left: the open offers about him go
constexpr int32_t SAISONWECHSEL_WIRTSCHAFT = 40;

}  // namespace velmora::prio
