// match/day/spieltag_hooks.h - what the match day needs from modules it may not
// include or that do not exist yet: today's date and competitions (the
// calendar), the stadium with its gate money, the bank, news, announcements,
// the random events after a match, the live tick and the match views.
//
// The composition root fills the table. An unfilled hook does the neutral
// thing and says so once in the debug log; the after-match family are
// subscriber lists.
#pragma once
#include <cstdint>

#include "core/abonnenten.h"

namespace velmora {

struct Spielfeld_Satz;

struct SpieltagHooks {
    // Today: the day number and the month 1-12. Unfilled: day 0, July.
    int32_t (*tag_index)() = nullptr;
    int32_t (*monat)() = nullptr;
    // The competitions that play today into `out` (room for `max`); their count.
    int32_t (*heute_spielende_wettbewerbe)(int32_t* out, int32_t max) = nullptr;
    // The unplayed games of a competition due today, each locked once, into
    // `out` (room for `max`); their count. The match day keeps the locks.
    int32_t (*heutige_spiele)(int32_t wettbewerb, int32_t* out, int32_t max) = nullptr;

    // The stadium: the ticket-price step before a match, the capacity of a
    // club's ground (-1 without a stadium), the gate money of a match (books
    // it, returns the spectators) and the match entered into its records.
    void (*preis_anpassen)(int32_t team, int32_t spiel, int32_t wert) = nullptr;
    int32_t (*stadion_kapazitaet)(int32_t team) = nullptr;
    int32_t (*stadion_einnahmen)(int32_t stadion, int32_t spiel, int32_t anteil_heim, int32_t anteil_gast,
                                 int32_t probelauf) = nullptr;
    void (*stadion_eintragen)(int32_t spiel) = nullptr;
    // Books an amount from one team to another (-1 nobody) with a category.
    void (*bank_ueberweisung)(int32_t von, int32_t an, float betrag, int32_t kategorie) = nullptr;
    // An amount as text in the club's currency. Unfilled: the plain number.
    const char* (*geld_text)(float betrag, int32_t team) = nullptr;
    // A news item to the team's manager.
    void (*news)(int32_t team, int32_t art, const char* text) = nullptr;
    // The team's events about a nominated player of a managed team who did
    // not play (the after-match pass asks once per such player). Unfilled: none.
    void (*nicht_eingesetzt)(int32_t team, int32_t spieler) = nullptr;

    // Announcement pages after the matches: the staging record of a game seen
    // from `team` (the record may be null), one queued page, the current manager team.
    void (*ankuendigung_setzen)(int32_t spiel, int32_t team, const Spielfeld_Satz* satz) = nullptr;
    void (*ankuendigung)(int32_t art, int32_t schluessel) = nullptr;
    void (*eigenes_team)(int32_t team) = nullptr;
    // The after-match family (subscriber lists): random events after a match
    // of a human team and of a running series, the after-match work per team
    // (statistics, ranking points, bank period, ...), and the after-match
    // processing of a competition's match records (ratings, appearances).
    Abonnenten<int32_t, int32_t, int32_t, int32_t> ereignis_spiel;   // team, slot, home goals, away goals
    Abonnenten<int32_t> ereignis_serie;
    Abonnenten<int32_t, int32_t> nach_spiel_team;                    // team, game
    Abonnenten<int32_t> nachbearbeitung;                             // competition

    // The live tick of a record computed live: advances it one frame and
    // returns 2.0 normally, 1000.0 to force the minute change, -1.0 to stop
    // this frame. Unfilled: no record is computed live, all are diced.
    float (*tick)(Spielfeld_Satz* satz, int8_t* elfer, int32_t nachholen) = nullptr;
    // Whether a watched match that is diced waits with its next minute (its
    // view shows stand-in play meanwhile). Unfilled: no wait.
    bool (*wuerfel_warten)(Spielfeld_Satz* satz) = nullptr;
    // The quick-look options come back when a watched match goes into a
    // break; the mouse latch of the frame.
    void (*schnellansicht)() = nullptr;
    void (*maus_latch)() = nullptr;
    // The end of a frame's walk: the view step over the watched matches.
    // Unfilled: nothing.
    void (*ansicht_frame)() = nullptr;
    // Client: the record of a running match was replaced by a fetch; `alt`
    // is already freed (compared, never read), the match views take `neu`.
    // Unfilled: nothing.
    void (*satz_ersetzt)(Spielfeld_Satz* alt, Spielfeld_Satz* neu) = nullptr;
    // Frees the match radar's pictures when the slots are cleared. Unfilled: nothing.
    void (*radar_freigeben)() = nullptr;
};

SpieltagHooks& Spieltag_Hooks();

// The hooks read with their neutral answers.
int32_t Spieltag_Hook_Tag();
int32_t Spieltag_Hook_Monat();
int32_t Spieltag_Hook_Wettbewerbe(int32_t* out, int32_t max);
int32_t Spieltag_Hook_Spiele(int32_t wettbewerb, int32_t* out, int32_t max);
int32_t Spieltag_Hook_Kapazitaet(int32_t team);
int32_t Spieltag_Hook_Einnahmen(int32_t stadion, int32_t spiel, int32_t anteil_heim, int32_t anteil_gast);
void Spieltag_Hook_Ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie);
const char* Spieltag_Hook_Geld_Text(float betrag, int32_t team);
void Spieltag_Hook_News(int32_t team, int32_t art, const char* text);
void Spieltag_Hook_Nicht_Eingesetzt(int32_t team, int32_t spieler);

}  // namespace velmora
