// business/ereignis_trigger.h - the random events as they happen: triggers
// after matches, on series, on ordinary days and at the month change; event
// requests to the managers and the effects of their answers; the players'
// union and its president.
//
// Every event text is a text from "ereignis.cfg" filled by Text_Format;
// money moves through Bank_Ueberweisung with category 40 (income from the
// outside) or 22 (costs to the outside), morale is player value 90 (0..6).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "net/richter.h"

namespace velmora {

// Request kinds of event requests (header word 0).
constexpr int32_t EREIGNIS_ANFRAGE_SPIELER = 11;   // categories 3, 4, 13
constexpr int32_t EREIGNIS_ANFRAGE_WECHSEL = 13;   // category 14
constexpr int32_t EREIGNIS_ANFRAGE_ALLGEMEIN = 14; // categories 17, 18
constexpr int32_t EREIGNIS_ANFRAGE_NATIONAL = 16;  // category 19

// After a match of a club with a human manager: `zweiter` is the match slot
// the match day passes on.
void Ereignis_Spiel_Nachher(int32_t team, int32_t zweiter, int32_t tore_heim, int32_t tore_gast);
// A running series of the club: wins and defeats in a row.
void Ereignis_Spiel_Serie(int32_t team, int32_t siege, int32_t niederlagen);
// A player of the club who did not play.
void Ereignis_Nicht_Eingesetzt(int32_t team, int32_t spieler);
// The stadium ages: comfort drops and repairs cost money.
void Ereignis_Stadion_Pruefen(int32_t team);
// The daily events (spectators' euphoria, the union).
void Ereignis_Tag();
// An event of a manager's club of category 14, 16, 17, 18 or 19.
void Ereignis_Manager(int32_t team, int32_t kategorie);

// The events' part of the calendar and the match day: the day's events with
// the local manager's job offers on 1 January (and by chance on 30 June,
// both while option 13 is on); a month change's event of a general, team or
// player category; after a match the match's events (the events of each
// nominated player who did not play come from the match's after-match pass
// through Ereignis_Nicht_Eingesetzt); after a run of results the series'; and
// the answer to an event request when the request processor delivers it.
void Ereignis_Kalender_Tag();
void Ereignis_Kalender_Monat();
void Ereignis_Nach_Spiel(int32_t team, int32_t slot, int32_t tore_heim, int32_t tore_gast);
void Ereignis_Nach_Serie(int32_t team);
void Ereignis_Richter_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall);
// The request processor's part for the team events (kinds 13 and 16): a
// yes to a job offer records the offering club (header word 2) as the
// manager's pending change (manager value 309, while none is pending); the
// event's yes or no text goes out with that club's name.
void Ereignis_Team_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall);
// The answer to an event request (header word 9: 1 yes, 0 no).
void Ereignis_Antwort(const int32_t kopf[10]);
// Marks a negative-free talent learnable, its prerequisites first; 1 on success.
int32_t Ereignis_Talent_Erlernbar(int32_t spieler, int32_t talent);

// The union value: |u| is the president's player number, the sign the
// union's mood (negative unhappy); -1 none.
int32_t Spieler_Get_Gewerkschafts_Praesi();
// Chooses a president for side 0 (unhappy) or 1 (content); true on success.
bool Spieler_Setze_Gewerkschafts_Praesi(int32_t seite);

// The module's state in the save game (the union value).
void Ereignis_Save(std::vector<uint8_t>& out);
bool Ereignis_Load(const uint8_t* in, size_t bytes);
// Registers the "Ereignis" block of the save game (position 44).
bool Ereignis_Spielstand_Anmelden();
void Ereignis_Zustand_Zuruecksetzen();

}  // namespace velmora
