// club/wirtschaft.cpp - transfer factors, market value, salary, demand and prices.
#include "club/wirtschaft.h"

#include <cmath>
#include <array>
#include <cstring>

#include "club/club_netz.h"
#include "club/global_config.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/config.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/str.h"
#include "core/zahlen.h"

namespace velmora {
namespace {

struct FaktorDef {
    const char* name;
    bool liste;
    int32_t unten, oben;   // clamp; unten > oben: stored unchanged
};

constexpr FaktorDef FAKTOREN[TF_ANZAHL] = {
    {"FAKTOR_0_100_GEHALT", false, 1, 0},
    {"FAKTOR_0_100_MARKTWERT_ABS", false, 1, 0},
    {"FAKTOR_0_100_PROGRESSION", false, 0, 999},
    {"FAKTOR_0_100_PROGRESSION_GRENZE", false, 0, 100},
    {"FAKTOR_0_100_STAERKE_SPIELE_ART_TRANSFER", true, 1, 0},
    {"FAKTOR_0_100_STAERKE_SPIELE_ART_GEHALT", true, 1, 0},
    {"FAKTOR_0_100_MARKTWERT_ABS_ABZUG", false, 1, 0},
    {"FAKTOR_0_100_COMPI_TRANSFER_HAEUFIGKEIT_ABS", false, 1, 0},
    {"FAKTOR_0_100_COMPI_TRANSFER_MIT_TM", false, 1, 0},
    {"FAKTOR_0_100_COMPI_TRANSFER_DELTA_TEAMS_ABS", false, 1, 0},
    {"FAKTOR_0_100_COMPI_TRANSFER_DELTA_SPIELER_ABS", false, 1, 0},
    {"FAKTOR_0_100_COMPI_TRANSFER_VERKAUF_ABZUG", false, 1, 0},
    {"FAKTOR_0_100_VERLAENGERUNG_KOSTEN", false, 1, 0},
};

constexpr int32_t TYP_WERT[4] = {70, 85, 95, 100};   // goalkeeper, defender, midfielder, forward
constexpr int32_t MARKTWERT_MAX = 999999999;

struct WirtschaftModul {
    int32_t wert[TF_ANZAHL][TF_LISTE] = {};
    int32_t tag = 0;
    int32_t lager_prozent = 0;
};
WirtschaftModul g;

int32_t Klemmen(int32_t faktor, int32_t v) {
    const FaktorDef& d = FAKTOREN[faktor];
    return d.unten <= d.oben ? Clamp(v, d.unten, d.oben, -1) : v;
}

bool Faktor_Ok(const char* wer, int32_t faktor) {
    if (faktor < 0 || faktor >= TF_ANZAHL) {
        Debug_Printf("%s: Faktor %d ungueltig\n", wer, faktor);
        return false;
    }
    return true;
}

int64_t Sattigen(int64_t v, int64_t unten, int64_t oben) { return v < unten ? unten : v > oben ? oben : v; }

}  // namespace

void Transferfaktor_Leeren() { std::memset(g.wert, 0, sizeof g.wert); }

bool Transferfaktor_Config_Lesen(const char* befehl) {
    if (!befehl) return false;
    for (int32_t f = 0; f < TF_ANZAHL; ++f) {
        if (std::strcmp(befehl, FAKTOREN[f].name)) continue;
        if (FAKTOREN[f].liste) {
            char text[101] = {};
            std::strncpy(text, Read_Config_Get_String(), 100);
            int32_t werte[TF_LISTE];
            int32_t n = Zahlenliste_Lesen(text, werte, TF_LISTE);
            for (int32_t i = 0; i < n && i < TF_LISTE; ++i) g.wert[f][i] = werte[i];
        } else {
            g.wert[f][0] = Klemmen(f, Read_Config_Get_Wert());
        }
        return true;
    }
    return false;
}

int32_t Transferfaktor_Wert(int32_t faktor) { return Faktor_Ok("Transferfaktor_Wert", faktor) ? g.wert[faktor][0] : 0; }

int32_t Transferfaktor_Liste(int32_t faktor, int32_t i) {
    if (!Faktor_Ok("Transferfaktor_Liste", faktor) || i < 0 || i >= TF_LISTE) return 0;
    return g.wert[faktor][i];
}

const char* Transferfaktor_Name(int32_t faktor) { return faktor >= 0 && faktor < TF_ANZAHL ? FAKTOREN[faktor].name : ""; }

void Transferfaktor_Setzen(int32_t faktor, int32_t wert) {
    if (Faktor_Ok("Transferfaktor_Setzen", faktor)) g.wert[faktor][0] = Klemmen(faktor, wert);
}

void Transferfaktor_Liste_Setzen(int32_t faktor, const int32_t* werte, int32_t anzahl) {
    if (!Faktor_Ok("Transferfaktor_Liste_Setzen", faktor) || !werte) return;
    for (int32_t i = 0; i < anzahl && i < TF_LISTE; ++i) g.wert[faktor][i] = werte[i];
}

void Transferfaktor_Schreiben(std::string& out) {
    for (int32_t f = 0; f < TF_ANZAHL; ++f) {
        if (FAKTOREN[f].liste) {
            // A list as one quoted text, the form the reader parses with Zahlenliste_Lesen.
            std::string text;
            for (int32_t i = 0; i < TF_LISTE; ++i) text += (i ? ", " : "") + std::to_string(g.wert[f][i]);
            Config_Schreibe_String(out, FAKTOREN[f].name, text.c_str());
        } else {
            Config_Schreibe_Wert(out, FAKTOREN[f].name, g.wert[f][0]);
        }
    }
}

void Transferfaktor_Speichern(ClubPacker& pk) {
    for (auto& zeile : g.wert)
        for (int32_t v : zeile) pk.i32(v);
}

bool Transferfaktor_Laden(ClubLeser& l) {
    int32_t neu[TF_ANZAHL][TF_LISTE];
    for (auto& zeile : neu)
        for (int32_t& v : zeile) v = l.i32();
    if (l.fehler) return false;
    std::memcpy(g.wert, neu, sizeof neu);
    return true;
}

int32_t Kosten_Runden(int32_t betrag) { return betrag / 10000 * 10000; }

namespace {

// A player's value from its three inputs: strength (in whole thousands, the
// only part the curve reads), appearances in a row and kind.
int32_t Wert_Rechnen(const int32_t* w, int32_t staerke_roh, int32_t einsaetze_roh, int32_t art) {
    double staerke = double(staerke_roh / 1000 * 1000 / 120);
    double einsaetze = double(einsaetze_roh * 100 / 9);
    double typ = TYP_WERT[art & 3];
    double summe = (w[0] * staerke + w[1] * einsaetze + w[2] * typ) / 100.0;
    if (summe < 0) summe = 0;
    double linear = summe * g.wert[TF_PROGRESSION_GRENZE][0] / 100.0;
    double wert = linear + std::pow(summe - linear, g.wert[TF_PROGRESSION][0] / 100.0);
    if (staerke_roh >= 12000) wert *= 1.1;
    wert *= g.wert[TF_MARKTWERT_ABS][0];
    if (!(wert >= 1)) wert = 1;   // also catches NaN
    if (wert > MARKTWERT_MAX) wert = MARKTWERT_MAX;
    return int32_t(wert) / 1000 * 1000;
}

// The values worked out for every input in the usual ranges (strength 0 to
// 12,999, appearances 0 to 9, the four kinds), kept with the factors they
// were worked out with and worked out again when one of these differs: the
// computer clubs sum their squads' salaries every day, and the power in the
// curve cost more than reading the players.
struct WertKurve {
    static constexpr int32_t STUFEN = 13, EINSAETZE = 10, ARTEN = 4;
    std::array<int32_t, 6> faktoren{};
    bool gueltig = false;
    std::array<int32_t, STUFEN * EINSAETZE * ARTEN> wert{};   // -1: not worked out yet
};
WertKurve kurven[2];   // transfer, salary

}  // namespace

int32_t Spieler_Berechne_Wert(int32_t spieler, int32_t gehalt) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Spieler_Berechne_Wert: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    const int32_t* w = g.wert[gehalt ? TF_STAERKE_SPIELE_ART_GEHALT : TF_STAERKE_SPIELE_ART_TRANSFER];
    const int32_t staerke_roh = Spieler_Staerke(spieler);
    const int32_t einsaetze_roh = Spieler_Wert(SPW_EINSAETZE, spieler, 0, OP_LESEN);
    const int32_t art = Spieler_Get_Art(spieler) & 3;
    const int32_t stufe = staerke_roh / 1000;
    if (stufe < 0 || stufe >= WertKurve::STUFEN || einsaetze_roh < 0 || einsaetze_roh >= WertKurve::EINSAETZE)
        return Wert_Rechnen(w, staerke_roh, einsaetze_roh, art);
    WertKurve& k = kurven[gehalt ? 1 : 0];
    const std::array<int32_t, 6> faktoren = {w[0], w[1], w[2], g.wert[TF_PROGRESSION_GRENZE][0],
                                             g.wert[TF_PROGRESSION][0], g.wert[TF_MARKTWERT_ABS][0]};
    if (!k.gueltig || k.faktoren != faktoren) {
        k.faktoren = faktoren;
        k.wert.fill(-1);
        k.gueltig = true;
    }
    int32_t& v = k.wert[size_t((stufe * WertKurve::EINSAETZE + einsaetze_roh) * WertKurve::ARTEN + art)];
    if (v < 0) v = Wert_Rechnen(w, staerke_roh, einsaetze_roh, art);
    return v;
}

int32_t Spieler_Berechne_Marktwert(int32_t spieler) { return Spieler_Berechne_Wert(spieler, 0); }

int32_t Spieler_Berechne_Gehalt(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Spieler_Berechne_Gehalt: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    int32_t faktor = g.wert[TF_GEHALT][0];
    if (faktor <= 0) {
        // The salary divides by the factor; a configuration without it gives no salary.
        Debug_Printf("Spieler_Berechne_Gehalt: FAKTOR_0_100_GEHALT ist %d\n", faktor);
        return 0;
    }
    int64_t basis = Spieler_Berechne_Wert(spieler, 1);
    const int32_t talente = Attribute_Anzahl_Gelernt(spieler);
    basis += basis * talente / 10;
    basis -= g.wert[TF_MARKTWERT_ABS_ABZUG][0];
    if (basis < 0) basis = 0;
    int64_t gehalt = ((basis / (int64_t(faktor) * 10)) * 80 / 1000) * 100;
    return int32_t(Sattigen(gehalt, 0, INT32_MAX));
}

void Spieler_Forderung_Tag_Setzen(int32_t tag) { g.tag = tag; }

int32_t Spieler_Get_Forderung(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Spieler_Get_Forderung: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    int64_t wert = Spieler_Berechne_Marktwert(spieler);
    // The same surcharge all day: the draw comes from the table position player x day.
    Rnd_Push();
    Rnd_Set_Index(int32_t((int64_t(spieler) * g.tag) % RND_TABELLE), 0);
    int32_t aufschlag = Rnd(0, 25);
    Rnd_Pop();
    return Kosten_Runden(int32_t(Sattigen(wert + wert * aufschlag / 100, 0, INT32_MAX)));
}

int32_t Scout_Grundpreis(int32_t scout) {
    const ScoutDaten* s = Scout_Daten(scout);
    if (!s) {
        Debug_Printf("Scout_Grundpreis: Scout %d ungueltig\n", scout);
        return 0;
    }
    int32_t lokal = Team_Lokal();
    double b = (lokal >= 0 ? Team_Get_Staerke(lokal) : 0) * 1000 / 1.5;
    double preis = b * s->grundpreis_factor / 10 + b;
    return Kosten_Runden(Runden(preis > 2e9 ? 2e9 : preis < 0 ? 0 : preis));
}

int32_t Scout_Gebietspreis(int32_t scout, int32_t region) {
    const ScoutDaten* s = Scout_Daten(scout);
    if (!s || region < 0 || region >= REGIONEN) {
        Debug_Printf("Scout_Gebietspreis: Scout %d / Region %d ungueltig\n", scout, region);
        return 0;
    }
    int32_t lokal = Team_Lokal();
    double b = (lokal >= 0 ? Team_Get_Staerke(lokal) : 0) * 100 / 1.5;
    double preis = b * s->gebietspreis[region] / 10 + b;
    return Kosten_Runden(Runden(preis > 2e9 ? 2e9 : preis < 0 ? 0 : preis));
}

void Trainingslager_Prozent_Setzen(int32_t prozent) { g.lager_prozent = prozent; }

int32_t Trainingslager_Kosten(int32_t lager) {
    const TrLagerDaten* d = Trainingslager_Daten(lager);
    if (!d) {
        Debug_Printf("Trainingslager_Kosten: Lager %d ungueltig\n", lager);
        return 0;
    }
    int64_t preis = int64_t(d->kosten) * Regel_Wert(REGEL_TRAININGSLAGER_KOSTEN);
    if (g.lager_prozent != 0) preis = preis * g.lager_prozent / 100;
    return int32_t(Sattigen(preis, 0, INT32_MAX));
}

}  // namespace velmora
