// match/record/spielfeld_anlegen.cpp - the set-up of a match record from its
// fixture: the teams, tactics and strengths, the players and their takers,
// the figures beside them, the weather, the venue and the referee.
#include "match/record/spielfeld.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_intern.h"
#include "match/live/spielfeld_staerke.h"
#include "platform/clock.h"

namespace velmora {

using namespace spielfeld_intern;

namespace {

void Figur_Zeichnen(Spielfeld_Satz* satz, int32_t f) {
    satz->figur[f].aktuell = 0;
    satz->figur[f].gezeichnet = 1;
}

// An official runs to his spot; his position is the order's target.
void Offizieller_Setzen(Spielfeld_Satz* satz, int32_t f, int32_t x, int32_t y, float intervall) {
    Figur& fig = satz->figur[f];
    Figur_Zeichnen(satz, f);
    SetZSA(satz, f, x, y, 0, 830, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0);
    fig.entscheid_intervall = intervall;
    SetAnim(satz, f, -1, 0, 0);
    fig.dreh_geplant = 0;
}

// A figure that never moves stands at its animation's own position.
void Festfigur_Setzen(Spielfeld_Satz* satz, int32_t f, int32_t anim) {
    Figur_Zeichnen(satz, f);
    SetZSA(satz, f, -1, 0, 0, 0, anim, 0, 0, 0, -1, 1, -1, 0, 0, 0);
    SetAnim(satz, f, -1, 0, 0);
}

// The figures beside the players as a new record places them.
void Figuren_Aufstellen(Spielfeld_Satz* satz) {
    Figur_Zeichnen(satz, FIGUR_BALL);
    SetZSA(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0, 0, ANIM_STEHEN, 0, 0, 0, -1, 1, -1, 0, 0, 0);
    SetAnim(satz, FIGUR_BALL, SPIELFELD_MITTE_X, SPIELFELD_MITTE_Y, 0);
    Offizieller_Setzen(satz, FIGUR_SCHIRI, SPIELFELD_MITTE_X, 3253, 0.1f);
    Offizieller_Setzen(satz, FIGUR_LINIENRICHTER_1, 2700, 0, 0.1f);
    Offizieller_Setzen(satz, FIGUR_LINIENRICHTER_2, 8100, SPIELFELD_BREITE, 0.1f);
    for (int32_t i = 0; i < 4; ++i) Festfigur_Setzen(satz, FIGUR_ECKFAHNE + i, ANIM_ECKFAHNE + i);
    for (int32_t s = 0; s < 2; ++s) Figur_Zeichnen(satz, FIGUR_TRAINER + s);
    for (int32_t i = 0; i < 8; ++i) {
        satz->figur[FIGUR_TORNETZ + i].w320 = -1;
        Festfigur_Setzen(satz, FIGUR_TORNETZ + i, ANIM_TOR_RUHE + i);
    }
}

}  // namespace

namespace {
// The set-up of Spielfeld_Daten_Eintragen; `leer` tells that the record is
// all zero but its display mode (fresh from the list), so it is not cleared again.
// `nur_wuerfel`: the record is played by the dice only (see Spielfeld_Anlegen).
void Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live, bool leer,
                     bool nur_wuerfel = false);
}  // namespace

void Spielfeld_Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live) {
    if (!satz || !spiel) {
        Debug_Printf("Spielfeld_Daten_Eintragen: Null Pointer\n");
        return;
    }
    Daten_Eintragen(satz, spiel, nummer, live, false);
}

namespace {
// One side's part of a new record: its club and strength, the substitution
// slots, the tactics (a manager's from his settings, the computer's preset)
// and the team lines drawn from its instructions.
void Seite_Eintragen(Spielfeld_Satz* satz, int32_t s, int32_t team) {
    static constexpr int8_t VORGABE[SF_TAKTIK] = {50, 50, 80, 50, 50, 50, 0, 0, 0, 0, 0, 0, 0};
    satz->team[s] = uint32_t(team);
    satz->w41076[s] = 2;
    satz->w31278[s] = 2;
    int32_t staerke = std::max(Team_Berechne_Staerke(team, 16), 0);
    satz->team_staerke[s] = uint32_t(Klemme(staerke * 999 / TEAM_STAERKE_SKALA, 0, 999));
    satz->wechsel_erlaubt[s] = 3;
    std::memset(satz->wechsel_ein[s], 0xFF, SF_WECHSEL);
    std::memset(satz->wechsel_aus[s], 0xFF, SF_WECHSEL);
    std::memcpy(satz->taktik[s], VORGABE, SF_TAKTIK);
    satz->pressing[s] = 65;
    int8_t t[7] = {};
    if (Team_Hat_Manager(team)) {
        if (Spielfeld_Hook_Taktik(team, t)) {
            int8_t* b = satz->taktik[s];
            b[6] = t[0];
            b[12] = t[3];
            b[3] = int8_t(t[1] * 100);
            satz->pressing[s] = uint8_t(Klemme((t[2] * 100 / 9 + 6) / 5 * 5, 0, 100));
            b[0] = int8_t(t[4] * 100 / 4);
            b[1] = int8_t((b[0] + 50) / 2);
            b[5] = int8_t(t[5] * 100 / 6);
            if (t[5] == 0) b[9] = 1;
            b[4] = int8_t((b[5] + 50) / 2);
            b[2] = int8_t(t[6] * 100 / 4);
            if (t[6] > 2) b[7] = b[8] = 1;
        }
    } else {
        satz->computer[s] = satz->computer2[s] = 1;
        satz->computer100[s] = 100;
    }
    int8_t* i = satz->anweisungen[s];
    std::memset(i, 50, SF_TAKTIK);
    int8_t* d = satz->linienwerte[s];
    d[0] = int8_t((100 - i[0] + i[1]) / 2);
    d[1] = int8_t((100 - i[3] + i[2]) / 2);
    d[2] = int8_t((100 - i[4] + i[5]) / 2);
    d[3] = int8_t((100 - i[10] + i[9]) / 2);
    d[4] = i[8];
    d[5] = int8_t((100 - i[7] + i[6]) / 2);
    d[6] = i[11];
}

void Daten_Eintragen(Spielfeld_Satz* satz, const SpielfeldSpiel* spiel, int32_t nummer, int32_t live, bool leer,
                     bool nur_wuerfel) {
    if (nur_wuerfel) g.leicht.insert(satz);
    else g.leicht.erase(satz);
    uint8_t anzeige = satz->anzeige_modus;
    if (!leer) {
        std::memset(static_cast<void*>(satz), 0, sizeof *satz);
        satz->anzeige_modus = anzeige;
    }
    satz->zeit_faktor = std::max(float(SPIELFELD_MINUTEN) / 90.0f, 1.0f);

    bool ist_live = live != -1;
    if (live == 0 && anzeige != 1) ist_live = Spielfeld_Hook_Schalter(spiel->wettbewerb, 5) != 0;
    if (ist_live) {
        satz->live = 1;
        if (Spielfeld_Hooks().gesamtstatistik_vor_spiel) {
            Spielfeld_Hooks().gesamtstatistik_vor_spiel(spiel->wettbewerb, spiel->heim);
            Spielfeld_Hooks().gesamtstatistik_vor_spiel(spiel->wettbewerb, spiel->gast);
        }
    }

    satz->ballhalter = -1;
    satz->empfaenger = -1;   // nobody is to receive the ball yet (0 would name slot 0)
    satz->halter_beruehrungen = 0;
    satz->standard_schuetze = satz->standard_zweiter = -1;
    satz->spiel = uint32_t(nummer);
    satz->wettbewerb = uint32_t(spiel->wettbewerb);
    satz->runde = uint32_t(spiel->runde);
    satz->paarung = uint32_t(spiel->paarung);
    satz->spieltag = uint32_t(spiel->spieltag);
    satz->w25256 = -3;
    for (Spieler_Matchsatz& sm : satz->spieler) sm.ausdauer = 10000;

    for (int32_t s = 0; s < 2; ++s) Seite_Eintragen(satz, s, s == 0 ? spiel->heim : spiel->gast);

    // Match strength: the clearly stronger side grows, the weaker shrinks.
    int32_t byte[2];
    for (int32_t s = 0; s < 2; ++s) {
        int32_t st = int32_t(satz->team_staerke[s]), andere = int32_t(satz->team_staerke[1 - s]);
        if (st - 40 > andere) st = st * 140 / 100;
        else if (st + 40 < andere) st = st * 80 / 100;
        byte[s] = Klemme(st, 0, 999) * 7 / 100;
    }
    int32_t diff = byte[0] - byte[1];
    satz->staerke[0] = uint8_t(Klemme(byte[0] * (100 + Klemme(diff / 15, -45, 45)) / 100, 0, 99));
    satz->staerke[1] = uint8_t(Klemme(byte[1] * (100 + Klemme(diff / -15, -45, 45)) / 100, 0, 99));

    satz->seiten_gewechselt = int8_t(Rnd(0, 1));
    Spielfeld_Tore_Setzen(satz);
    for (Spieler_Matchsatz& sm : satz->spieler) sm.nummer = -1;

    for (int32_t s = 0; s < 2; ++s) {
        Spielfeld_Team_An_Positionen(satz, s, satz->seiten_gewechselt ^ s, nur_wuerfel);
        satz->freistoss_schuetze[s] = satz->elfmeter_schuetze[s] = satz->ecken_schuetze[s] = -1;
    }
    for (int32_t s = 0; s < 2; ++s) {
        int32_t team = int32_t(satz->team[s]);
        satz->talent_zentrum[s] = uint32_t(Team_Talent_Zentrum(satz, team));
        satz->talent_abwehr[s] = uint32_t(Team_Talent_Abwehr(satz, team));
        bool abwehr = satz->talent_abwehr[s] != 0;
        satz->linienwerte[s][6] = abwehr ? 100 : 50;
        satz->deckung[s] = abwehr ? 4 : 0;
        satz->talent_zufall[s] = uint32_t(Team_Talent_Zufall(satz, team));
    }

    for (int32_t slot = 0; slot < SF_SPIELER; ++slot) {
        Spieler_Matchsatz& sm = satz->spieler[slot];
        if (sm.nummer < 0) continue;
        int32_t s = slot / SF_SPIELER_SEITE;
        for (int32_t b : {141, 142, 144, 145, 146, 147}) sm.rolle[ROLLE(b)] = 2;
        if (satz->figur[slot].torwart) {
            sm.rolle[ROLLE(148)] = 0;
            if (int8_t(sm.rolle[ROLLE(150)]) == -1) sm.rolle[ROLLE(150)] = 2;
        } else {
            for (int32_t b : {148, 149, 150}) sm.rolle[ROLLE(b)] = 2;
        }
        if (!(sm.zustand & (SM_AUF_PLATZ | SM_RESERVE))) continue;
        if (nur_wuerfel) Spielfeld_Spielerstaerke_Ziehen(satz, slot);
        else Spielfeld_Get_Spielerstaerke(satz, int32_t(satz->team[s]), slot);
        int32_t p = sm.nummer;
        uint32_t st = Spieler_Status(p);
        bool auf_platz = sm.zustand & SM_AUF_PLATZ;
        if ((st & SP_STATUS_FREISTOSS) && (satz->freistoss_schuetze[s] < 0 || auf_platz))
            satz->freistoss_schuetze[s] = p;
        if ((st & SP_STATUS_ELFMETER) && (satz->elfmeter_schuetze[s] < 0 || auf_platz)) satz->elfmeter_schuetze[s] = p;
        if ((st & SP_STATUS_ECKE) && (satz->ecken_schuetze[s] < 0 || auf_platz)) satz->ecken_schuetze[s] = p;
        // Value 101 names the opponent the player marks; one that names no
        // player of the other side in this match (a team-mate after a
        // transfer, a player of another club) leaves both bytes at -1.
        int32_t partner = Spieler_Wert(SPW_PARTNER, p, 0, OP_LESEN);
        if (partner >= 0) {
            const int32_t von = s == 0 ? SF_SPIELER_SEITE : 0;
            for (int32_t j = von; j < von + SF_SPIELER_SEITE; ++j) {
                if (satz->spieler[j].nummer == partner) {
                    sm.partner = uint8_t(j);
                    satz->spieler[j].rueck = uint8_t(slot);
                    break;
                }
            }
        }
    }

    // The ball on the centre spot, the officials, the corner flags and the
    // goal frames: figures, which the dice never read (none of this draws).
    satz->figur[FIGUR_BALL].ist_ball = 1;
    if (!nur_wuerfel) Figuren_Aufstellen(satz);

    satz->anstoss_seite = uint8_t(Rnd(0, 1));
    Spielfeld_Periode_Starten_Satz(satz);
    satz->spielzeit_ms = Plat_Ms();
    g.frame_referenz = satz->spielzeit_ms;
    Spielfeld_Eingabekopie_Fuellen(satz);
}
}  // namespace

int32_t Spielfeld_Anlegen(int32_t spiel, int32_t anzeige, int32_t, int32_t zuschauer, int32_t stadion, int32_t live) {
    if (!Spielfeld_Ist_Initialisiert()) return 0;
    SpielfeldSpiel daten;
    if (!Spielfeld_Hook_Spiel(spiel, &daten)) {
        Debug_Printf("Spielfeld_Anlegen: Spiel %d unbekannt\n", spiel);
        return 0;
    }
    const bool mensch = Team_Hat_Manager(daten.heim) || Team_Hat_Manager(daten.gast);
    const int32_t hoechstens = SPIELFELD_MAX + (mensch ? SPIELFELD_MENSCH_EXTRA : 0);
    if (Satz_Anzahl() >= hoechstens) {
        Debug_Printf("Spielfeld_Anlegen: schon %d Spielfelder\n", Satz_Anzahl());
        return 0;
    }
    if (Element_Von_Spiel(spiel)) {
        // One record per game: a second one would hide the first from every look-up.
        Debug_Printf("Spielfeld_Anlegen: Spiel %d hat schon ein Spielfeld\n", spiel);
        return 0;
    }
    Listen_Element* e = Liste_Insert(&g.liste, &g.liste, nullptr, uint32_t(SATZ_BYTES), spiel);
    if (!e) return 0;
    g.nach_spiel.emplace(spiel, e);   // the index is whole here: the look-up above built it
    g.nach_satz.emplace(e->daten, e);
    ++g.anzahl;
    Spielfeld_Satz* satz = Satz_Von(e);
    if (Spielfeld_Hook_Schalter(daten.wettbewerb, 4)) g.schalter4 = daten.wettbewerb;

    satz->anzeige_modus = uint8_t(anzeige);
    // Only a background record can go without match values and figures.
    const bool nur_wuerfel = live == SPIELFELD_NUR_WUERFEL && anzeige == 0 && g.leicht_an;
    if (live == SPIELFELD_NUR_WUERFEL) live = -1;
    Daten_Eintragen(satz, &daten, spiel, live, true, nur_wuerfel);   // the list hands out a zeroed record

    // Weather from the fixture's temperature and precipitation.
    int32_t temp = daten.temperatur, regen = daten.niederschlag;
    satz->wetter = 0;
    satz->wetter_staerke = 0;
    satz->boden_faktor = 1.2f;
    if (regen >= 61) {
        satz->wetter = 1;
        satz->wetter_staerke = uint8_t(Klemme(regen * 2 - 100, 0, 255));
        if (temp < -1) satz->gefroren = 1;
    }
    if (regen > 76) {
        satz->wetter = 3;
        int32_t n = std::min(regen - 76, 10);
        float f = n * (temp < 0 ? 3.0f : 3.5f);
        satz->boden_faktor = f / 100.0f + 1.15f;
    }
    if (temp < -1 && regen > 60) satz->wetter = regen > 90 ? 6 : 5;

    // The venue.
    int32_t besucher = zuschauer != 0 ? zuschauer : daten.zuschauer;
    if (zuschauer != 0) satz->zuschauer_vorgabe = uint32_t(zuschauer);
    if (stadion == -1) {
        for (uint32_t& b : satz->belegung) b = 90;
    } else {
        static constexpr uint8_t ARTEN[6][6] = {{0, 1, 0, 0, 0, 0}, {0, 1, 0, 0, 1, 0}, {1, 2, 1, 1, 2, 1},
                                                {2, 2, 2, 1, 2, 1}, {2, 3, 2, 2, 3, 2}, {4, 4, 4, 4, 4, 4}};
        SpielfeldStadion st;
        bool da = Spielfeld_Hooks().stadion && Spielfeld_Hooks().stadion(stadion, &st);
        if (!da) {
            static constexpr uint8_t OHNE[6] = {1, 2, 1, 1, 2, 1};
            std::memcpy(satz->tribuene, OHNE, 6);
        } else {
            int64_t platz = std::max<int64_t>(st.kapazitaet / 6, 1);
            for (uint32_t& b : satz->belegung)
                b = uint32_t(std::clamp<int64_t>(int64_t(std::max(besucher, 0)) / 6 * 100 / platz, 0, 0x7FFFFFFF));
            if (st.modell > 3 && satz->wetter == 5) satz->wetter = 4;
            if (st.modell > 5) {
                satz->wetter = 0;
                satz->boden_faktor = 1.2f;
                satz->wetter_staerke = 0;
            }
            std::memcpy(satz->tribuene, ARTEN[Klemme(st.modell, 0, 5)], 6);
        }
        if (Spielfeld_Hooks().werbung) Spielfeld_Hooks().werbung(stadion, satz->werbung);
    }
    satz->wetter_init = 1;

    // The referee's strictness from the game's importance.
    int32_t v = std::min(Spielfeld_Hook_Wichtigkeit(daten.wettbewerb) / 25, 100);
    if (Spielfeld_Hook_International(daten.wettbewerb)) v += 1;
    int8_t erstes = -1;
    Spielfeld_Hook_Info(daten.wettbewerb, &erstes, nullptr);
    satz->publikum = erstes >= 0 ? 1 : 0;
    if (satz->publikum) {
        satz->strenge[1] = uint8_t(Rnd(v, 6));
        satz->strenge[0] = uint8_t(Rnd(v, 6));
    } else {
        satz->strenge[0] = satz->strenge[1] = 157;
    }
    satz->abschnitt_gestartet = 1;
    std::memset(satz->ff, 0xFF, sizeof satz->ff);

    satz->zuschauer_klasse = daten.zuschauer <= 15000 ? 2 : (daten.zuschauer <= 35000 ? 1 : 0);
    satz->rnd_index = uint32_t(Rnd_Get_Index());
    satz->w26468 = 0;
    satz->ausdauer_timer = satz->laengen_faktor = float(SPIELFELD_MINUTEN) / 90.0f;
    return 1;
}

}  // namespace velmora
