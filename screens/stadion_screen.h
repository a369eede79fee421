// screens/stadion_screen.h - the stadium screen: the club's ground (its
// model's picture and name, ticket price, comfort, capacity), the ticket price
// set at once, plans of comfort and capacity with their costs and payments,
// and the next model built. Every payment is a stadium-building booking that
// is never forced: a club that cannot pay keeps its stadium and hears the
// bank's refusal. On a network client each change goes to the server, which
// prices and books it, so a lost answer never takes money without building.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_STADION_FENSTER = 1720;
constexpr int32_t ICON_STADION_AUSBAUEN = 1721;
constexpr int32_t ICON_STADION_KOMFORT_ZAHLEN = 1722;
constexpr int32_t ICON_STADION_PLAETZE_ZAHLEN = 1723;
constexpr int32_t ICON_STADION_PREIS = 1724;
constexpr int32_t ICON_STADION_KOMFORT = 1725;     // its value: the planned comfort
constexpr int32_t ICON_STADION_PLAETZE = 1726;     // its value: the planned capacity
constexpr int32_t ICON_STADION_BILD = 1727;
constexpr int32_t ICON_STADION_FAENGER = 1728;
constexpr int32_t ICON_STADION_HINWEIS = 1729;
constexpr const char* STADION_TEXTE = "STADION_SCREEN";

constexpr int32_t STADION_PREIS_MIN = 5, STADION_PREIS_MAX = 60;
constexpr int32_t STADION_ABBAU_JE_PLATZ = 50;
constexpr int32_t STADION_SAMPLE_BAU = 17, STADION_SAMPLE_HINWEIS = 14;

// Panel button 704, entry 2: nothing when the screen is open.
void Stadion_Screen_Oeffnen();
void Stadion_Screen_Schliessen();

struct StadionPlan {
    int32_t komfort = 0, kapazitaet = 0;
};
StadionPlan Stadion_Screen_Plan();
// What paying for each plan costs now: comfort points added, places added or
// 50 for each place given up; 0 for a plan equal to the stadium.
int64_t Stadion_Screen_Komfort_Kosten();
int64_t Stadion_Screen_Plaetze_Kosten();

// The notice window over the screen, with the model's picture and `text`;
// a click anywhere closes it. It plays the sample set for it, else `sample`.
void Stadion_Screen_Hinweis(const char* text, int32_t sample);
bool Stadion_Screen_Hinweis_Offen();
// The news' event requests set the sample the next notice plays.
void Stadion_Screen_Hinweis_Sound(int32_t sample);

}  // namespace velmora
