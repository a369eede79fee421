// matchview/kommentar.h - the commentary line at the bottom of a match view:
// a sentence composed from the match's newest event (goal, own goal, cards,
// fouls, injuries, substitutions) or a line handed in for the match, shown
// for three seconds of match clock.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora {

struct Spielfeld_Satz;

constexpr uint32_t TICKER_MS = 3000;
// The text-table entry of the line a networked match shows while it waits for the other machine.
constexpr int32_t TICKER_TEXT_WARTEN = 179;

// The sentence of the record's pending event; empty when nothing is pending,
// the event has no sentence or a slot or kind in it lies outside its table.
std::string Kommentar_Satz(const Spielfeld_Satz& s);
// The change list of a message with bit 22: the changes named by the bits of
// `bits` (0 and 1 the team's two general remarks, 2-13 the twelve single
// changes of texts 167-178), joined by commas after the team's name, at
// most 255 characters; empty for a negative value.
constexpr uint32_t KOMMENTAR_AENDERUNGEN = 0x400000;
std::string Kommentar_Aenderungen(const char* team, int32_t bits);

// A view's ticker: its text and the match clock it was set at.
struct Ticker {
    std::string text;
    uint32_t zeit = 0;
    bool gesetzt = false;
};
void Ticker_Setzen(Ticker* t, const std::string& text, uint32_t uhr);
// Where a text too wide for one line is split: the last space at or before
// its middle, else the middle.
size_t Ticker_Teilung(const std::string& text);
// Draws the ticker at the bottom of the view (x, y, w, h) while the match
// clock is below its time + 3000 ms; one line, or two when it is too wide.
void Ticker_Zeichnen(const Ticker& t, uint32_t uhr, int32_t x, int32_t y, int32_t w, int32_t h);

}  // namespace velmora
