// screens/icon_bereiche.h - which numbers each screen and window gives its icons:
// one table for the whole game, in number order. A number is an icon's name
// on screen and the index of its state in the manager record (on/off, a
// selection, a knob's position), so two screens that shared one would read
// each other's state. Each screen's header keeps its own constants; they lie
// in its blocks here.
#pragma once
#include <cstdint>

namespace velmora {

struct IconBereich {
    const char* name;
    int32_t erste, letzte;
};

inline constexpr IconBereich ICON_BEREICHE[] = {
    {"Menue-Panel", 702, 711},       {"Requester", 712, 714},         {"Optionen-Leiste", 716, 726},
    {"Tabelle", 802, 866},           {"Marktstatistik", 867, 867},    {"Spielstart", 868, 901},
    {"Disk-Laden", 1701, 1704},      {"Ergebnisseite", 1705, 1714},   {"Disk-Speichern", 1715, 1719},
    {"Stadion", 1720, 1729},         {"Finanzen", 1731, 1733},        {"Werbung", 1734, 1737},
    {"Rangliste", 1738, 1742},       {"Optionen", 1744, 1748},        {"Rangliste-Modi", 1749, 1761},
    {"Einsetzen-1", 2401, 2436},     {"Einsetzen-2", 2437, 2497},     {"Bank", 2499, 2504},
    {"Taktik", 2505, 2579},          {"Einwechseln", 2580, 2610},     {"Regler", 2613, 2624},
    {"Spielerkarte", 3301, 3308},    {"Transfer", 3310, 3345},        {"Verhandlung", 3346, 3353},
    {"Scout", 3355, 3412},           {"Talente", 3414, 3464},         {"Training", 3466, 3496},
    {"Trainingsfenster", 3498, 3507}, {"Spielerliste", 3509, 3534},   {"Trainingslager", 3537, 3540},
    {"Entwickler-Panel", 3547, 3604}, {"Lagerfenster", 3606, 3609},   {"Editor", 3632, 3725},
    {"Editor-Nation", 3730, 3731},   {"Talent-Editor", 3736, 3793},   {"Editor-Aussehen", 3796, 3808},
    {"Editor-Wappen", 3830, 3831},   {"Platzhalter", 4190, 4190},
};

// The block that holds `nummer`, null for a number no screen claims.
constexpr const IconBereich* Icon_Bereich(int32_t nummer) {
    for (const IconBereich& b : ICON_BEREICHE)
        if (nummer >= b.erste && nummer <= b.letzte) return &b;
    return nullptr;
}

}  // namespace velmora
