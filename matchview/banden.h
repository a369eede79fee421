// matchview/banden.h - the advertising boards around the pitch.
//
// 42 boards a view, each showing one of 16 advertisers and, 8000 ms of match
// clock after its last change, rolling in 14 frames to the next: the outgoing
// picture slides up and out of the board's frame while the incoming one
// follows it in. Boards 0-19 stand behind the figures (layer 1), 20-41 in
// front (layer 2). The advertisers come from the match's advertising words,
// every random choice from the views' generator. Pictures: "stadion_bitmaps.res"
// 0-1 the frames of the two slants, 2-17 and 18-33 the advertisers in each.
#pragma once
#include <cstdint>

#include "matchview/ansicht_fenster.h"

namespace velmora {

struct Spielfeld_Satz;

constexpr int32_t BANDEN = 42, BANDEN_EBENE1 = 20;
constexpr int32_t BANDEN_WERBER = 16;
constexpr int32_t BANDEN_RES_RAHMEN = 0, BANDEN_RES_WERBUNG = 2;
constexpr int32_t BANDEN_WECHSEL_MS = 8000;
// The board pictures' size in each slant (the face's parallelogram with its rim).
constexpr int32_t BANDE_W = 136, BANDE_H = 60;

struct Bande {
    int32_t x = 0, y = 0;            // world-picture pixels at full scale
    int64_t wechsel = 0;             // match clock of the last change
    int32_t werber[2] = {0, 0};      // advertiser pictures 0-15
    int32_t gezeigt = 0;             // which of the two is shown
    bool rollt = false;
    int32_t aus[2] = {0, 0};         // offset of the outgoing picture
    int32_t ein[2] = {0, 0};         // offset of the incoming picture
    int32_t lage = 0;                // slant 0 or 1
};

using BandenAnsicht = AnsichtFenster;

// The advertiser of advertising word j: (word mod 15) - 1, 1 when negative.
int32_t Banden_Werber(const Spielfeld_Satz& s, int32_t j);

bool Banden_Init();
void Banden_Exit();
// The boards of one layer (1 or 2) of a view; every call first starts the
// roll of any board whose time has come.
void Boards_Draw(const BandenAnsicht& v, const Spielfeld_Satz& s, int32_t ebene);
// A view's boards (tests); null before its first frame.
const Bande* Banden_Zustand(int32_t ansicht);

}  // namespace velmora
