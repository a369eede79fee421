// club/wirtschaft.h - the economy of players: the thirteen transfer and cost
// factors of "global.cfg", market value, salary and demand, and the prices of
// scouts and training camps.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

struct ClubPacker;
struct ClubLeser;

// The thirteen factors, in the order of their keywords.
enum Transferfaktor : int32_t {
    TF_GEHALT = 0,                       // FAKTOR_0_100_GEHALT: divisor of the salary
    TF_MARKTWERT_ABS,                    // final multiplier of a player's value
    TF_PROGRESSION,                      // 0..999: exponent / 100 above the threshold share
    TF_PROGRESSION_GRENZE,               // 0..100: percentage taken linearly
    TF_STAERKE_SPIELE_ART_TRANSFER,      // list: weights of strength, appearances, type
    TF_STAERKE_SPIELE_ART_GEHALT,        // list: the same for the salary base
    TF_MARKTWERT_ABS_ABZUG,              // subtracted from the salary base
    TF_COMPI_TRANSFER_HAEUFIGKEIT_ABS,
    TF_COMPI_TRANSFER_MIT_TM,
    TF_COMPI_TRANSFER_DELTA_TEAMS_ABS,
    TF_COMPI_TRANSFER_DELTA_SPIELER_ABS,
    TF_COMPI_TRANSFER_VERKAUF_ABZUG,
    TF_VERLAENGERUNG_KOSTEN,
    TF_ANZAHL
};
constexpr int32_t TF_LISTE = 4;          // entries of the two weight lists

// Every factor back to 0 (as before any configuration).
void Transferfaktor_Leeren();
// The keyword reader of the global configuration chain: on one of the 13
// keywords reads the value (an integer, or for the two lists a text of at most
// 100 characters parsed as up to 4 comma-separated integers, further entries
// unchanged), clamps it and returns true; false for any other keyword.
bool Transferfaktor_Config_Lesen(const char* befehl);
int32_t Transferfaktor_Wert(int32_t faktor);                  // a list gives its entry 0
int32_t Transferfaktor_Liste(int32_t faktor, int32_t i);      // entry i of a list
const char* Transferfaktor_Name(int32_t faktor);
void Transferfaktor_Setzen(int32_t faktor, int32_t wert);     // the generator and tests; clamped
void Transferfaktor_Liste_Setzen(int32_t faktor, const int32_t* werte, int32_t anzahl);
void Transferfaktor_Schreiben(std::string& out);              // all 13 keywords
void Transferfaktor_Speichern(ClubPacker& pk);
bool Transferfaktor_Laden(ClubLeser& l);

// Rounds an amount down to a multiple of 10,000.
int32_t Kosten_Runden(int32_t betrag);

// The player value: a weighted sum of (strength / 1000 x 1000 / 120), the
// appearances figure (value 56 x 100 / 9) and the type value with the three
// weights of the transfer list (gehalt 0) or the salary list (1), divided by
// 100; the share sum x PROGRESSION_GRENZE / 100 stays linear, the rest is
// raised to PROGRESSION / 100; a strength of 12,000 or more adds 10 %; times
// MARKTWERT_ABS, clamped to 1..999,999,999 and rounded down to 1000.
int32_t Spieler_Berechne_Wert(int32_t spieler, int32_t gehalt);
int32_t Spieler_Berechne_Marktwert(int32_t spieler);
// The salary: base = the salary-variant value, plus a tenth for each learnt
// talent, minus MARKTWERT_ABS_ABZUG (at least 0); salary = ((base / (GEHALT x
// 10)) x 80 / 1000) x 100. 0 with a log line while GEHALT is 0.
int32_t Spieler_Berechne_Gehalt(int32_t spieler);
// The demand: market value plus a surcharge of 0-25 % drawn from the random
// table at position player x day (the same all day), rounded down to 10,000.
int32_t Spieler_Get_Forderung(int32_t spieler);
// The day the demand's surcharge depends on (the calendar sets it each day).
void Spieler_Forderung_Tag_Setzen(int32_t tag);

// Scout prices (the local club's strength from Team_Get_Staerke): base
// b = strength x 1000 / 1.5, price = round(b x GRUNDPREIS_FACTOR / 10 + b)
// rounded down to 10,000; the region price likewise with b = strength x 100 / 1.5
// and the region's GEBIETSPREIS. 0 for an unknown scout or region.
int32_t Scout_Grundpreis(int32_t scout);
int32_t Scout_Gebietspreis(int32_t scout, int32_t region);
// The price of camp `lager`: TR_LAGER_KOSTEN x FAKTOR_0_100_TRAININGSLAGER_KOSTEN,
// times the local club's percentage / 100 when that is not 0.
int32_t Trainingslager_Kosten(int32_t lager);
// The local club's price percentage (0: none); the stadium module sets it.
void Trainingslager_Prozent_Setzen(int32_t prozent);

}  // namespace velmora
