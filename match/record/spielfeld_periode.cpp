// match/record/spielfeld_periode.cpp - the start and end of a match record's
// periods: the sides change ends, the players recover and take their
// positions, the kick-off; the period's close and the abandoned match.
#include "match/record/spielfeld.h"

#include <array>
#include <cstring>

#include "core/rnd.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_intern.h"
#include "match/live/spielfeld_situation.h"
#include "match/live/spielfeld_standard.h"

namespace velmora {

using namespace spielfeld_intern;

void Spielfeld_Spielzustand_Freigeben(Spielfeld_Satz* satz) {
    if (!satz) return;
    satz->spielzustand = satz->wechsel_laeuft ? SZ_NEUE_HALBZEIT : SZ_SPIEL;
}

namespace {
// A heat-map byte's four two-bit cells in reverse order, for every byte.
constexpr std::array<uint8_t, 256> ZELLEN_UMGEDREHT = [] {
    std::array<uint8_t, 256> t{};
    for (int32_t i = 0; i < 256; ++i) {
        const uint8_t v = uint8_t((i & 0x0F) << 4 | (i & 0xF0) >> 4);
        t[size_t(i)] = uint8_t((v & 0x33) << 2 | (v & 0xCC) >> 2);
    }
    return t;
}();

// True when no cell of the heat map is set (a match by the dice marks none).
bool Heatmap_Leer(const uint8_t (&h)[25]) {
    uint64_t w[3];
    std::memcpy(w, h, sizeof w);
    return (w[0] | w[1] | w[2] | h[24]) == 0;
}
}  // namespace

void Spielfeld_Periode_Starten_Satz(Spielfeld_Satz* satz) {
    if (!satz) return;
    Rnd_Eigener_Index zufall(satz->rnd_index);
    satz->abschnitt += 1;
    satz->minutenuhr = float(SPIELFELD_MINUTEN);
    satz->w41094 = 1;
    satz->standard_flag = 0;
    satz->fouls = 0;
    satz->wechsel_laeuft = 0;
    satz->abschnitt_ende = 0;
    satz->w41093 = 0;
    satz->w25127 = 0;
    std::memset(satz->standard_marker, 0, 3);
    satz->foul_countdown = 0;
    satz->seiten_gewechselt = satz->seiten_gewechselt ? 0 : 1;
    Spielfeld_Tore_Setzen(satz);

    Figur& ball = satz->figur[FIGUR_BALL];
    ball.pos[2] = 0;
    Figur_Aktuelle_Anweisung(&ball)->vz = 0;
    satz->ball_linie = 0;
    satz->tor_reaktion = 0;
    Figur_Aktuelle_Anweisung(&satz->figur[FIGUR_SCHIRI])->flags = 0;

    for (Spieler_Matchsatz& sm : satz->spieler) {
        int32_t s = Klemme(sm.ausdauer, 0, 10000);
        sm.ausdauer = s + Rnd((10000 - s) / 4, (10000 - s) / 2);
    }
    const bool nur_wuerfel = g.leicht.count(satz) != 0;
    for (int32_t s = 0; s < 2; ++s) Spielfeld_Team_An_Positionen(satz, s, satz->seiten_gewechselt ^ s, nur_wuerfel);
    Spielfeld_Eingabekopie_Fuellen(satz);

    satz->ballhalter = -1;
    satz->halter_beruehrungen = 0;
    satz->anstoss_seite &= 1;
    satz->letzte_beruehrung = int8_t(1 - satz->anstoss_seite);
    satz->anstoss_seite ^= 1;
    satz->abschnitt_gestartet = 1;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->spielzustand = SZ_ANSTOSS;
    satz->unterbrechung_bereit = 0;

    for (Spieler_Matchsatz& sm : satz->spieler) {
        // Turn the heat map by 180 degrees: cell i of 100 becomes cell 99 - i.
        // Cell 4b + k sits in byte b at bits 2k; it goes to cell 4(24 - b) +
        // (3 - k), so byte b lands in byte 24 - b with its four cells reversed.
        if (Heatmap_Leer(sm.heatmap)) continue;   // turned, an empty map stays empty
        uint8_t neu[25];
        for (int32_t b = 0; b < 25; ++b) neu[24 - b] = ZELLEN_UMGEDREHT[sm.heatmap[b]];
        std::memcpy(sm.heatmap, neu, 25);
    }
    SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
    SetZiel(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0, RING_OHNE_PRUEFUNG, 0);
    ball.v[0] = ball.v[1] = ball.v[2] = 0;
    Figur_Aktuelle_Anweisung(&ball)->tempo = 0;

    if (satz->live == 1) Spielfeld_Spieler_Um_Ball(satz);
    if (Spielfeld_Hooks().anstoss_ausfuehren) Spielfeld_Hooks().anstoss_ausfuehren(satz);

    if (satz->abschnitt == 1) {
        for (Spieler_Matchsatz& sm : satz->spieler) {
            std::memset(sm.heatmap, 0, sizeof sm.heatmap);
        }
        for (auto& st : satz->statistik) st[5] = 0;
        for (Figur& f : satz->figur) f.gelaufen = 0;
    }
}

void Spielfeld_Periode_Starten(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    Spielfeld_Periode_Starten_Satz(satz);
}

void Spielfeld_Periode_Beenden(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    Rnd_Eigener_Index zufall(satz->rnd_index);
    Spielfeld_Wechsel_Abschliessen(satz);
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        satz->figur[i].situation = 0;
        satz->spieler[i].zustand &= SM_BLEIBT;
    }
    satz->abschnitt_ende = 2;
    if (satz->minute < 60) Spielfeld_Ereignis(satz, SE_ABSCHNITT, -1, -1);
    std::memset(satz->standard_marker, 0, 3);
    satz->foul_countdown = 0;
    satz->standard_flag = 0;
    Spielfeld_Spielzustand_Freigeben(satz);
    satz->elfmeter_schuss = 0;
    satz->unterbrechung_countdown = 0;
    satz->spielzustand = SZ_ABGANG;
}

void Spielfeld_Abbrechen(int32_t spiel) {
    Spielfeld_Satz* satz = Spielfeld_Suchen(spiel);
    if (!satz) return;
    if (satz->anzeige_modus == 1) {
        satz->freigabe_countdown = 30;
    } else {
        satz->anzeige_modus = 0;
        satz->abgebrochen = 1;
    }
}

}  // namespace velmora
