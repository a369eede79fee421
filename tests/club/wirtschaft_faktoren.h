// tests/club/wirtschaft_faktoren.h - the economy factors of the worked salary
// and market value examples (strength 6000 and nine appearances give a salary
// of 34,500), set alone: every other factor 0.
#pragma once
#include "club/wirtschaft.h"

namespace velmora::test {

inline void Gehalt_Marktwert_Faktoren_Setzen() {
    Transferfaktor_Leeren();
    Transferfaktor_Setzen(TF_MARKTWERT_ABS, 400);
    Transferfaktor_Setzen(TF_PROGRESSION, 200);
    Transferfaktor_Setzen(TF_PROGRESSION_GRENZE, 50);
    Transferfaktor_Setzen(TF_GEHALT, 10);
    Transferfaktor_Setzen(TF_MARKTWERT_ABS_ABZUG, 100000);
    const int32_t t[3] = {60, 15, 25}, gh[3] = {50, 30, 20};
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, t, 3);
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_GEHALT, gh, 3);
}

}  // namespace velmora::test
