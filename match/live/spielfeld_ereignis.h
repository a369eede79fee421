// match/live/spielfeld_ereignis.h - goals, match events and statistics of a live
// match: what happens on the pitch and must outlive it goes through here.
//
// An event is a word of bits (the caller's kind, completed here with the side
// and the goal kinds); what counts is entered into the fixtures store at once,
// offered to the live view as the last event, and marked on the player where
// it concerns his status.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Event bits beyond those of the fixtures store.
constexpr uint32_t SE_HEIM = 0x1;    // the event belongs to side 0
constexpr uint32_t SE_SCHUSS = 0x2;  // goal or shot at goal
constexpr uint32_t SE_ZAEHLT = 0x4;  // with SE_SCHUSS: a goal that counts
constexpr uint32_t SE_GELB = 0x10;
constexpr uint32_t SE_GELBROT = 0x20;
constexpr uint32_t SE_ROT = 0x40;
constexpr uint32_t SE_HOCH = 0x80;      // a goal from a ball 200 cm high or more
constexpr uint32_t SE_PFOSTEN = 0x100;  // shot variants
constexpr uint32_t SE_EIGENTOR = 0x200;
constexpr uint32_t SE_DANEBEN = 0x800;
constexpr uint32_t SE_ABSCHNITT = 0x1000;  // period end: leaves no trace
constexpr uint32_t SE_VERLAENGERUNG = 0x1000000;      // extra time starts: neither stored nor shown
constexpr uint32_t SE_ELFMETERSCHIESSEN = 0x2000000;  // the shoot-out starts: neither stored nor shown
constexpr uint32_t SE_STANDARD = 0x2000;   // 0x2000, 0x4000, 0x8000: the set-piece markers
constexpr uint32_t SE_FOUL = 0x10000;
constexpr uint32_t SE_VERLETZUNG = 0x20000;
constexpr uint32_t SE_WECHSEL = 0x40000;
constexpr uint32_t SE_TICK = 0x80000;        // stored only
constexpr uint32_t SE_FOUL_OHNE = 0x100000;  // a foul nobody suffered: neither stored nor shown

// A goal into the goal of `tor_seite` (0: the goal at x = 0 before the sides
// changed). While a foul's free kick is pending (the foul countdown runs) only
// the side awarded it may score: a goal of the other side is not given, and
// false is returned. Otherwise the score rises, the kick-off goes to the side
// scored against, the goal is recorded with scorer and assist, and the keepers
// scored against count a shot faced.
bool Spielfeld_Tor(Spielfeld_Satz* satz, int32_t tor_seite);
// Records one event; slots are player slots 0-33 or -1.
void Spielfeld_Ereignis(Spielfeld_Satz* satz, uint32_t bits, int32_t slot, int32_t slot2);
// One more of a player's eight statistics counters (0 failed pass, 1 pass,
// 2 shot, 3 duel lost, 4 duel, 5 ball won or set piece taken, 6 keeper's save,
// 7 keeper's shot faced); a slot of 34 or more or an element above 7 is logged
// and changes nothing. A counter stops at 255.
void Spielfeld_Statistik_Element(Spielfeld_Satz* satz, int32_t slot, int32_t element);
// The scorer's celebration mark (slot byte 19).
void Spielfeld_Jubel_Markieren(Spielfeld_Satz* satz, int32_t slot, int32_t marke);
// The referee's card after a whistled foul (the fouler is the situation's
// first figure, the fouled player the second): none, a booking, a second
// booking or a red card, recorded with the foul.
void Spielfeld_Karte_Entscheiden(Spielfeld_Satz* satz);
// The players', reserves' and coach's reaction to a goal of `seite`, by what
// the goal means for the pairing's winner.
void Spielfeld_Tor_Reaktion(Spielfeld_Satz* satz, int32_t seite);
// A side's crowd mood (0-100) moves by `delta`, kept within its range.
void Spielfeld_Stimmung_Aendern(Spielfeld_Satz* satz, int32_t seite, int32_t delta);

}  // namespace velmora
