// business/spieler_info.h - the player summary that the squad screens show
// while the pointer rests on a player: name, injury or suspension, the
// season's goals and assists, the won duels as a percentage, talents, the
// talent in training, the set-piece duties and (on the money screens) the
// player's market value, what he brings in an exchange and his salary. The line-up, tactics, training and
// transfer screens all build their hover texts here.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

// What a summary holds beside the name.
struct SpielerInfoArt {
    int32_t tab = 116;          // tab stop of the value column (116 line-up and tactics, 97 training and transfers)
    bool ausfall = true;        // injury or suspension line
    bool quote = true;          // the won duels in percent
    bool talente = false;       // a line with the active talents' names
    bool eigen = true;          // the own club: the talent in training and the set-piece duties
    bool geld = false;          // market value and salary as money texts
    bool erloes = false;        // with geld: the sale proceeds between them (an own player on the transfer screen)
    bool zustand = false;       // fitness and morale lines (the own club only)
};

// The summary of `spieler` as marked-up text ("^l" line breaks, "^tl" tab
// stops). Empty for a bad player.
std::string Spieler_Info_Text(int32_t spieler, const SpielerInfoArt& art);

// The morale words (player value 90, 0-6) and why a player cannot play (7
// suspended, 8 injured), from the text table; "" for another value.
const char* Spieler_Info_Moral(int32_t eintrag);

// Won duels in percent: 100 x won / all in 64 bits, 0 when there was none.
int32_t Spieler_Info_Quote(int32_t alle, int32_t gewonnen);

// The name of an injury kind (player value 70), "" for none or an unknown kind.
const char* Spieler_Info_Verletzung(int32_t art);

// The name of a talent for the screens, with the strength stars' own name.
const char* Spieler_Info_Talent_Name(int32_t talent);

}  // namespace velmora
