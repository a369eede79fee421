// match/live/spielfeld_ereignis.cpp
#include "match/live/spielfeld_ereignis.h"

#include <algorithm>
#include <cmath>

#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/pruefen.h"
#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/spielfeld_aufstellung.h"
#include "match/live/spielfeld_besitz.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_sync.h"
#include "season/spielplan.h"
#include "season/statistik.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {
namespace {

constexpr uint32_t ART_MASKE = 0xFDFF107A;
constexpr int32_t REAKTION_TEMPO = 500;  // the team-mates' run towards the centre line

bool Spieler_Ok(int32_t slot) { return slot >= 0 && slot < SF_SPIELER; }
int32_t Seite_Von(int32_t slot) { return slot >= SF_SPIELER_SEITE ? 1 : 0; }
int32_t Nummer(const Spielfeld_Satz* satz, int32_t slot) { return Spieler_Ok(slot) ? satz->spieler[slot].nummer : -1; }

// A slot from a record field: anything but a player slot counts as none.
int32_t Slot_Oder_Keiner(int32_t slot, const char* wer) {
    if (slot == -1 || Spieler_Ok(slot)) return slot;
    Debug_Printf("%s: Spieler %d ungueltig\n", wer, slot);
    return -1;
}

// What an event's kind leads to.
struct Klasse {
    bool speichern, zeigen, platzverweis;
};

Klasse Klassifizieren(uint32_t bits) {
    uint32_t art = bits & ART_MASKE;
    if ((art & SE_FOUL) && (art & ~SE_FOUL)) art &= ~SE_FOUL;
    switch (art) {
        case SE_SCHUSS: return {true, (bits & SE_ZAEHLT) != 0, false};
        case SE_GELB:
        case SE_FOUL:
        case SE_VERLETZUNG:
        case SE_WECHSEL: return {true, true, false};
        case SE_GELBROT:
        case SE_ROT: return {true, true, true};
        case SE_TICK: return {true, false, false};
        default: return {false, false, false};
    }
}

// A position in whole centimetres; one no integer holds (a damaged record)
// counts as the centre spot.
int32_t Ganz(float v, int32_t mitte) { return std::isfinite(v) && std::fabs(v) < 1e8f ? int32_t(v) : mitte; }

// A player's order to play an animation once where he stands (dy further in y).
void Einmal_Spielen(Spielfeld_Satz* satz, int32_t figur, int32_t anim, int32_t tempo, int32_t dy) {
    const Figur& f = satz->figur[figur];
    const Anim_Satz& z = Anim_Zeile_Oder_Stand(anim, "Spielfeld_Ereignis");
    SetZSA(satz, figur, Ganz(f.pos[0], SPIELFELD_MITTE_X), Ganz(f.pos[1], SPIELFELD_MITTE_Y) + dy, 0, tempo, anim, 0,
           z.ref_frame_zeit, 0, -1, 1, 1, 0, 0, 0);
}

void Platzverweis(Spielfeld_Satz* satz, uint32_t art, int32_t slot) {
    const uint32_t bit = art == SE_GELBROT ? SM_GELBROT : SM_ROT;
    Spieler_Matchsatz& sm = satz->spieler[slot];
    if (sm.zustand & bit) return;
    sm.zustand |= bit;
    if (Spielfeld_Hook_Netz_Modus() == 1) return;  // a client changes no player data
    Spieler_Wert(SPW_STATUS, sm.nummer, int32_t(SP_STATUS_START), OP_LOESCHEN);
    Spieler_Wert(SPW_STATUS, sm.nummer, int32_t(bit), OP_SETZEN);
}

void Nach_Platzverweis(Spielfeld_Satz* satz, uint32_t art, int32_t slot) {
    const int32_t seite = Seite_Von(slot);
    if (Team_Hat_Manager(int32_t(satz->team[seite])) && Spielfeld_Manager_Wechselt(satz, seite)) {
        if (Spielfeld_Wechsel_Hier_Waehlen(satz, seite)) Spielfeld_Hook_Optionen_Standard();
        return;
    }
    // A computer side brings on a substitute for the player sent off.
    if (art == SE_ROT || satz->figur[slot].torwart || Rnd(0, 1) == 1)
        Spielfeld_Auswechseln(satz, seite, Rnd(0, 1), slot);
}

// The player leaves by the substitution lists: his pair there, or the first free one.
void Als_Aus_Eintragen(Spielfeld_Satz* satz, int32_t slot) {
    const int32_t seite = Seite_Von(slot);
    int32_t pos = -1;
    for (int32_t i = 0; i < SF_WECHSEL && pos < 0; ++i)
        if (satz->wechsel_aus[seite][i] == slot) pos = i;
    for (int32_t i = 0; i < SF_WECHSEL && pos < 0; ++i)
        if (satz->wechsel_aus[seite][i] == -1) pos = i;
    if (pos < 0) return;
    satz->wechsel_aus[seite][pos] = satz->e_wechsel_aus[seite][pos] = int8_t(slot);
    satz->wechsel_ein[seite][pos] = satz->e_wechsel_ein[seite][pos] = -1;
}

// A counting goal, not an own goal: the scorer's goal and the assist of a
// player of his side enter the season's statistics. A goal is at least a shot:
// when the side's shots stay below its goals (the ball went in from a pass,
// a cross or a deflection, which no shot decision counted), the scorer
// counts one.
void Tor_Eintragen(Spielfeld_Satz* satz, int32_t slot, int32_t slot2) {
    const int32_t seite = Seite_Von(slot);
    const int16_t team = int16_t(satz->team[seite]);
    const StatistikEintrag tor{int16_t(satz->wettbewerb), team, STATISTIK_FLAG_TOR, 0, 0};
    Statistik_Spieler_Eintragen(Nummer(satz, slot), &tor, 1);
    if (slot2 >= 0 && slot2 != slot && Seite_Von(slot2) == seite) {
        const StatistikEintrag vorlage{int16_t(satz->wettbewerb), team, STATISTIK_FLAG_VORLAGE, 0, 0};
        Statistik_Spieler_Eintragen(Nummer(satz, slot2), &vorlage, 1);
    }
    int32_t schuesse = 0;
    for (int32_t k = seite * SF_SPIELER_SEITE; k < (seite + 1) * SF_SPIELER_SEITE; ++k) schuesse += satz->statistik[k][2];
    if (schuesse < satz->tore[seite]) Spielfeld_Statistik_Element(satz, slot, 2);
}

// A card enters the carded player's statistics: a booking as a booking, a
// second booking or a red card as a sending-off.
void Karte_Eintragen(Spielfeld_Satz* satz, uint32_t art, int32_t slot) {
    const uint8_t flag = art == SE_GELB ? STATISTIK_FLAG_GELB : STATISTIK_FLAG_ROT;
    const StatistikEintrag karte{int16_t(satz->wettbewerb), int16_t(satz->team[Seite_Von(slot)]), flag, 0, 0};
    Statistik_Spieler_Eintragen(Nummer(satz, slot), &karte, 1);
}

}  // namespace

void Spielfeld_Stimmung_Aendern(Spielfeld_Satz* satz, int32_t seite, int32_t delta) {
    if (!satz) return;
    const int32_t s = int32_t(std::min<uint32_t>(satz->stimmung[seite & 1], 100)) + delta;
    satz->stimmung[seite & 1] = uint32_t(std::clamp(s, 0, 100));
}

void Spielfeld_Statistik_Element(Spielfeld_Satz* satz, int32_t slot, int32_t element) {
    // The engine counts only for the slots and the eight counters it has.
    if (!PRUEFEN(slot >= 0 && slot < SF_SPIELER, "Falscher Statistik-Spieler\n")) return;
    if (!PRUEFEN(satz && element >= 0 && element <= 7, "Falsches Statistik-Element\n")) return;
    uint8_t& z = satz->statistik[slot][element];
    if (z < 255) ++z;
}

void Spielfeld_Jubel_Markieren(Spielfeld_Satz* satz, int32_t slot, int32_t marke) {
    if (!satz || !Spieler_Ok(slot)) return;
    uint8_t& jubel = satz->spieler[slot].jubel;
    if (Rnd(0, 10) == 2 && (jubel & 0x40))
        jubel = uint8_t(marke + 1);
    else if (Rnd(0, 1) == 1 && jubel == 0)
        jubel = 0x40;
}

bool Spielfeld_Tor(Spielfeld_Satz* satz, int32_t tor_seite) {
    if (!satz) return false;
    // `seite`: the side whose goal it is, scored against.
    const int32_t seite = (tor_seite & 1) ^ (satz->seiten_gewechselt ? 1 : 0);
    // The advantage rule: while a foul's free kick is pending, a goal of the
    // side that fouled is not given and the free kick follows.
    if (satz->foul_countdown != 0 && seite == satz->freistoss_seite) return false;
    uint32_t bits = SE_SCHUSS | SE_ZAEHLT | uint32_t(satz->tor_art) * SE_HOCH;
    if (seite == 1) bits |= SE_HEIM;
    if (satz->letzte_beruehrung != 1 - seite) {
        if (!satz->torwart_beruehrt) satz->vorletzter_spieler = -1;
        satz->letzte_beruehrung = int8_t(1 - seite);
    }
    uint8_t& tore = satz->tore[1 - seite];
    if (tore < 255) ++tore;
    if (satz->letzter_spieler == satz->vorletzter_spieler) satz->vorletzter_spieler = -1;
    Spielfeld_Ereignis(satz, bits, satz->letzter_spieler, satz->vorletzter_spieler);
    for (int32_t k = seite * SF_SPIELER_SEITE; k < (seite + 1) * SF_SPIELER_SEITE; ++k)
        if (satz->figur[k].torwart && satz->spieler[k].zustand == SM_AUF_PLATZ) Spielfeld_Statistik_Element(satz, k, 7);
    satz->foul_countdown = 0;
    for (int8_t fig : satz->situation_figur) {
        if (!Spieler_Ok(fig)) continue;
        Figur& f = satz->figur[fig];
        if (f.situation == 43 || f.situation == 44) {
            f.situation = 0;
            satz->spieler[fig].zustand &= SM_BLEIBT;
        }
    }
    return true;
}

void Spielfeld_Ereignis(Spielfeld_Satz* satz, uint32_t bits, int32_t slot, int32_t slot2) {
    if (!satz) return;
    slot = Slot_Oder_Keiner(slot, "Spielfeld_Ereignis");
    slot2 = Slot_Oder_Keiner(slot2, "Spielfeld_Ereignis");

    // Completion: the side, own goals and the set-piece kinds.
    if (bits & SE_SCHUSS) {
        const bool links = satz->figur[FIGUR_BALL].pos[0] < SPIELFELD_MITTE_X;
        const bool fuer_seite_1 = links != (satz->seiten_gewechselt != 0);
        const int32_t schuetzen_seite = slot >= 0 ? Seite_Von(slot) : -1;
        if (fuer_seite_1)
            bits &= ~SE_HEIM;
        else
            bits |= SE_HEIM;
        if ((bits & SE_ZAEHLT) && schuetzen_seite == (fuer_seite_1 ? 0 : 1)) {
            bits |= SE_EIGENTOR;
            slot2 = -1;
        }
        for (int32_t i = 0; i < 3; ++i)
            if (satz->standard_marker[i]) bits |= SE_STANDARD << i;
        if (satz->standard_marker[2]) slot2 = -1;
    } else if (slot < SF_SPIELER_SEITE) {
        bits |= SE_HEIM;
    } else {
        bits &= ~SE_HEIM;
    }

    const Klasse k = Klassifizieren(bits);
    const uint32_t art = bits & ART_MASKE & ~SE_FOUL;
    if (k.zeigen) {
        const bool tor_offen =
            satz->ereignis_neu && (satz->ereignis & (SE_SCHUSS | SE_ZAEHLT)) == (SE_SCHUSS | SE_ZAEHLT);
        if (!tor_offen) {
            satz->ereignis = bits;
            satz->ereignis_minute = satz->minute;
            satz->ereignis_sekunde = satz->sekunde;
            satz->ereignis_spieler = uint8_t(slot);
            satz->ereignis_spieler2 = int16_t(slot2);
            satz->ereignis_neu = 1;
            // A watched match tells its ticker at once, so that no event
            // of a frame with several is lost to the view.
            if (satz->anzeige_modus == 1) Spielfeld_Hook_Kommentar(satz);
        }
        satz->ereignis_frame = 1;
    }
    if (k.platzverweis && slot >= 0) Platzverweis(satz, art, slot);
    if (k.speichern) {
        // The minute the score bar shows (the game's minute + 1), as the
        // minute dice store theirs; in a period's stoppage time its end minute.
        int32_t minute = satz->minute + 1;
        // A damaged period number (beyond any period) reads as none.
        const int32_t abschnitt = int32_t(satz->abschnitt);
        if (abschnitt >= 1) {
            const int32_t ende = Wettbewerb_Halbzeit_Ende(int32_t(satz->wettbewerb), satz->minute, abschnitt - 1);
            if (ende != -1) minute = ende;
        }
        if (Spielfeld_Hooks().spiel_ereignis)
            Spielfeld_Hooks().spiel_ereignis(int32_t(satz->spiel), bits, minute, Nummer(satz, slot),
                                             Nummer(satz, slot2));
    }
    // A card enters the statistics here, once, as a goal does below.
    if ((art == SE_GELB || k.platzverweis) && slot >= 0) Karte_Eintragen(satz, art, slot);
    if ((art & SE_SCHUSS) && (bits & SE_ZAEHLT) && slot >= 0) {
        // The scorer's goal and his team-mate's assist enter the statistics
        // here, once; an own goal is no goal of his and has no assist.
        if (!(bits & SE_EIGENTOR)) Tor_Eintragen(satz, slot, slot2);
        Spielfeld_Jubel_Markieren(satz, slot, 17);
        if (bits & SE_HOCH) Spielfeld_Jubel_Markieren(satz, slot, 7);
        Spielfeld_Hook_Ankuendigung();
    }
    if (k.platzverweis && slot >= 0) Nach_Platzverweis(satz, art, slot);
}

void Spielfeld_Karte_Entscheiden(Spielfeld_Satz* satz) {
    if (!satz) return;
    const int32_t foul = satz->situation_figur[0],
                  opfer = Spieler_Ok(satz->situation_figur[1]) ? satz->situation_figur[1] : -1;
    int32_t d = 0;
    // The time factor is at least 1; a damaged one counts as 1.
    const float tf = satz->zeit_faktor;
    const int32_t faktor = std::isfinite(tf) ? int32_t(std::clamp(tf + 1.0f, 0.0f, 1000.0f)) : 2;
    if (Spieler_Ok(foul) && Rnd(0, faktor) < 3) {
        const int32_t seite = Seite_Von(foul);
        const int32_t S = satz->strenge[0];
        const int32_t k = Rnd(S, 7);
        if (satz->foul_schwere && k == S) d = Rnd(0, 1);
        if (!satz->foul_schwere && satz->ballwechsel) {
            const int32_t m = Rnd(S / 2, S);
            d = Rnd(1, m == S ? 1 : 2);
        }
        if (k == S) d = Rnd(1, satz->gelbe[seite] < 4 ? 1 : 2);
        if (satz->figur[foul].torwart && d == 2) d = Rnd(1, 2);
        if (Spielfeld_Hook_Attribut(satz->spieler[foul].nummer, 13) && Rnd(0, 99) % 4 == 0) d = 0;
    }
    if (d == 0) {
        Spielfeld_Ereignis(satz, opfer >= 0 ? SE_FOUL : SE_FOUL_OHNE, Spieler_Ok(foul) ? foul : -1, opfer);
        return;
    }
    const int32_t seite = Seite_Von(foul);
    Spieler_Matchsatz& sm = satz->spieler[foul];
    uint32_t art;
    if (d == 1) {
        if (satz->gelbe[seite] < 255) ++satz->gelbe[seite];
        art = (sm.karte == 0 || sm.karte == 8) ? SE_GELB : SE_GELBROT;
    } else {
        if (satz->rote[seite] < 255) ++satz->rote[seite];
        art = SE_ROT;
    }
    // The card stays with the player; a foul without a card leaves it alone.
    sm.karte = uint8_t(art);
    uint32_t bits = art | (foul < SF_SPIELER_SEITE ? SE_HEIM : 0);
    if (art != SE_GELB) Als_Aus_Eintragen(satz, foul);
    Spielfeld_Ereignis(satz, bits | SE_FOUL, foul, opfer);
    if (art != SE_GELB) sm.zustand |= art == SE_GELBROT ? SM_GELBROT : SM_ROT;
    const Figur& schiri = satz->figur[FIGUR_SCHIRI];
    const int32_t sx = Ganz(schiri.pos[0], SPIELFELD_MITTE_X), sy = Ganz(schiri.pos[1], SPIELFELD_MITTE_Y);
    const int32_t karte = art == SE_ROT ? ANIM_SCHIRI_ROT : ANIM_SCHIRI_GELB;
    SetZSA(satz, FIGUR_SCHIRI, sx, sy, 0, 0, karte, 0, Anim_Zeile(karte)->ref_frame_zeit, 0, -1, 1, 1, 0, 0, 0);
    if (art == SE_GELBROT)
        SetZSA(satz, FIGUR_SCHIRI, sx, sy, 0, 0, ANIM_SCHIRI_ROT, 0, Anim_Zeile(ANIM_SCHIRI_ROT)->ref_frame_zeit, 0, -1,
               1, 1, 1, 0, 0);
    if (art != SE_GELB && Team_Hat_Manager(int32_t(satz->team[seite])) && Spielfeld_Wechsel_Hier_Waehlen(satz, seite))
        Spielfeld_Hook_Optionen_Standard();
}

void Spielfeld_Tor_Reaktion(Spielfeld_Satz* satz, int32_t seite) {
    if (!satz) return;
    seite &= 1;
    const int32_t w = int32_t(satz->wettbewerb), r = int32_t(satz->runde), p = int32_t(satz->paarung);
    const int32_t team = int32_t(satz->team[seite]);
    const int32_t w0 = Wettbewerb_Paarung_Sieger(w, r, p, -1, 0, 0);
    const int32_t w1 =
        seite == 0 ? Wettbewerb_Paarung_Sieger(w, r, p, -1, 1, 0) : Wettbewerb_Paarung_Sieger(w, r, p, -1, 0, 1);
    int32_t stufe, publikum;
    if (w1 != w0) {
        stufe = 5;
        publikum = w1 == -1 ? 4 : 5;
    } else if (w1 == team) {
        stufe = 4;
        publikum = 2;
    } else {
        const int32_t w2 =
            seite == 0 ? Wettbewerb_Paarung_Sieger(w, r, p, -1, 0, 2) : Wettbewerb_Paarung_Sieger(w, r, p, -1, 2, 0);
        if (w2 == team) {
            stufe = 3;
            publikum = 1;
        } else if (w2 < 0) {
            stufe = 1;
            publikum = 0;
        } else {
            return;
        }
    }
    stufe = std::min(stufe, 4);
    if (satz->ton && satz->frame_zaehler < 2) Spielfeld_Hook_Sound_Update(4, stufe);
    if (w0 == -2 && stufe < 3) {
        const int32_t eigene = satz->tore[seite], andere = satz->tore[1 - seite];
        if (eigene + 1 == andere)
            stufe = 4;
        else if (eigene == andere)
            stufe = 3;
    }
    satz->reaktion_art[seite] = stufe > 2 ? 3 : 2;
    Spielfeld_Stimmung_Aendern(satz, seite, 5 * stufe + 5);
    Spielfeld_Stimmung_Aendern(satz, 1 - seite, -3 * stufe);

    // The side scored against: heads drop.
    int32_t treue = 0, treue_team = -1;
    for (int32_t k = (1 - seite) * SF_SPIELER_SEITE; k < (2 - seite) * SF_SPIELER_SEITE; ++k) {
        if (!(satz->spieler[k].zustand & SM_AUF_PLATZ)) continue;
        if (Spielfeld_Hook_Attribut(satz->spieler[k].nummer, 9)) {
            ++treue;
            treue_team = int32_t(satz->team[1 - seite]);
        }
        if (Rnd(1, publikum) <= 1) continue;
        if (satz->figur[k].torwart) {
            Einmal_Spielen(satz, k, ANIM_TORWART_ENTTAEUSCHT, int32_t(Anim_Zeile(ANIM_TORWART_ENTTAEUSCHT)->ref_tempo),
                           1);
        } else {
            static constexpr int32_t ENTTAEUSCHT[3] = {ANIM_ENTTAEUSCHT, 122, 123};
            const int32_t anim = ENTTAEUSCHT[Rnd(0, 2)];
            Einmal_Spielen(satz, k, anim, int32_t(Anim_Zeile(anim)->ref_tempo), 1);
        }
    }
    // The scoring side celebrates.
    const int32_t schuetze = satz->letzter_spieler;
    for (int32_t k = seite * SF_SPIELER_SEITE; k < (seite + 1) * SF_SPIELER_SEITE; ++k) {
        const uint32_t zustand = satz->spieler[k].zustand;
        if (!(zustand & (SM_AUF_PLATZ | SM_RESERVE)) || Rnd(1, stufe) <= 1) continue;
        Figur& f = satz->figur[k];
        if (!(zustand & SM_AUF_PLATZ)) {
            Einmal_Spielen(satz, k, f.torwart ? ANIM_BANK_TORWART_JUBEL : ANIM_BANK_SPIELER_JUBEL, 20, 0);
            continue;
        }
        if (f.torwart) {
            Einmal_Spielen(satz, k, ANIM_TORWART_JUBEL, 200, 4);
            continue;
        }
        const int32_t richtung = f.pos[0] < SPIELFELD_MITTE_X ? 1 : -1;
        int32_t wahl = 0, streuung = 300, breite = 600;
        if (k == schuetze) {
            wahl = Rnd(0, 3);
            streuung = 500;
            breite = 999;
        }
        if (wahl == 3) continue;
        int32_t zx = Ganz(f.pos[0], SPIELFELD_MITTE_X) + richtung * 2000,
                zy = Ganz(f.pos[1], SPIELFELD_MITTE_Y) + Rnd(0, breite) - streuung;
        Punkt_Ins_Feld(&zx, &zy);
        SetZSA(satz, k, zx, zy, 0, REAKTION_TEMPO, ANIM_LAUF_NACH_TEMPO, 0, -1, 0, -1, 1, -1, 0, 0, 0);
        if (k == schuetze && (wahl == 1 || wahl == 2))
            SetZSA(satz, k, zx, zy, 0, 200, ANIM_JUBEL, 0, Anim_Zeile(ANIM_JUBEL)->ref_frame_zeit, 0, -1, 1, 1, 1, 1,
                   0);
    }
    const int32_t trainer = FIGUR_TRAINER + seite;
    if (Rnd(1, stufe) > 1) Einmal_Spielen(satz, trainer, ANIM_BANK_TRAINER_JUBEL, 20, 0);
    // A client changes no club data: the server's own match raises the value.
    if (treue > 0 && publikum == 5 && Spielfeld_Hook_Netz_Modus() != 1) {
        const int32_t v = Team_Wert(TW_TEAMWERT, treue_team, 0, OP_LESEN);
        Team_Wert(TW_TEAMWERT, treue_team, v + v / 10, OP_SCHREIBEN);
    }
}

}  // namespace velmora
