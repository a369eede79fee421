// match/day/nachbearbeitung.cpp - the players' grades, and after a competition's
// match day: appearances, form, the statistics game of every player who took
// part, the team of the round and the fine-donation news.
#include "match/day/nachbearbeitung.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/str.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {

namespace {

constexpr int32_t ATTRIBUT_SCHONUNG = 30;     // never counts appearances
constexpr int32_t ATTRIBUT_UNSTET = 11;       // counts them only every other time
constexpr int32_t ATTRIBUT_UNVERWUESTLICH = 32;   // no minor injury from them
constexpr int32_t NOTE_OHNE_WERTUNG = 40;

constexpr int32_t SPW_ERFAHRUNG = 15;         // raised by each game played, at most 100
constexpr int32_t SPW_LERNT_BEIM_JUBEL = 67;  // set: a celebrated goal may teach him a talent
constexpr int32_t NEWS_STRAFE_SPENDE = 516;
constexpr int32_t NEWS_SPIELTAG = 516;        // the match day's news to a club
constexpr uint8_t JUBEL_BEREIT = 0x40;        // a goal celebrated, no talent drawn yet
constexpr int32_t ELF_TABELLE = 256;          // competitions the team of the round keeps at once

struct Teilnehmer {
    int32_t spieler;
    bool gespielt;
    int32_t minuten = -1;   // minutes on the pitch (live, or up to a sending-off); -1 the whole match
    int32_t slot = -1;      // the live record's slot, -1 without one
};

// Weights of the fault sum by the player's kind (keeper, defender, midfielder,
// forward): passing, duels, shots (base and weight), balls won (base, weight).
struct Gewichte {
    float w1, w2, b3, w3, b4, w4;
};
constexpr Gewichte GEWICHTE[4] = {
    {10, 10, 40, 0, 50, 0}, {25, 40, 40, 15, 40, 20}, {35, 15, 40, 20, 60, 30}, {5, 20, 55, 45, 40, 30}};

// The team of the round of one competition.
struct Elf {
    int32_t wettbewerb;
    int32_t spieler[ELF_DER_RUNDE];
    float punkte[ELF_DER_RUNDE];
};
std::vector<Elf> g_elfen;

Elf& Elf_Von(int32_t wettbewerb) {
    for (Elf& e : g_elfen)
        if (e.wettbewerb == wettbewerb) return e;
    Elf e{wettbewerb, {}, {}};
    std::fill(std::begin(e.spieler), std::end(e.spieler), -1);
    std::fill(std::begin(e.punkte), std::end(e.punkte), -1.0f);
    if (g_elfen.size() >= size_t(ELF_TABELLE)) g_elfen.erase(g_elfen.begin());
    g_elfen.push_back(e);
    return g_elfen.back();
}

// A rated player enters the team of the round in the position of his kind's
// range held by the lowest score, when he beats it.
void Elf_Eintragen(int32_t wettbewerb, int32_t spieler, float punkte) {
    static constexpr int32_t VON[4] = {0, 1, 4, 8}, BIS[4] = {0, 3, 7, 10};
    const int32_t art = Spieler_Get_Art(spieler);
    if (art < 0 || art > 3) return;
    Elf& e = Elf_Von(wettbewerb);
    int32_t schwach = VON[art];
    for (int32_t i = VON[art]; i <= BIS[art]; ++i)
        if (e.punkte[i] < e.punkte[schwach]) schwach = i;
    if (punkte > e.punkte[schwach]) {
        e.spieler[schwach] = spieler;
        e.punkte[schwach] = punkte;
    }
}

int32_t Wert(int32_t wert, int32_t spieler) { return Spieler_Wert(wert, spieler, 0, OP_LESEN); }
void Setzen(int32_t wert, int32_t spieler, int32_t v) { Spieler_Wert(wert, spieler, v, OP_SCHREIBEN); }
// A value written only when it changes; a client's write goes to the server,
// whose value may differ, and is made each time.
void Aendern(int32_t wert, int32_t spieler, int32_t alt, int32_t v) {
    if (v != alt || Club_Ist_Client()) Setzen(wert, spieler, v);
}

// The nominated players of one side of the game and whether each played, into `liste`.
void Teilnehmer_Der_Seite(const Spielfeld_Satz* satz, Spiel_Lock spiel, int32_t team, int32_t seite,
                          std::vector<Teilnehmer>& liste) {
    liste.clear();
    if (satz && satz->live) {
        for (int32_t i = 0; i < SF_SPIELER_SEITE; ++i) {
            const Spieler_Matchsatz& sm = satz->spieler[seite * SF_SPIELER_SEITE + i];
            if (sm.nummer < 0 || sm.rolle[ROLLE(143)] == 0) continue;
            // A live match counted each player's minutes on the pitch: a
            // substitute's entry and the substituted player's are their own.
            liste.push_back({sm.nummer, sm.zaehler != 0, sm.zaehler, seite * SF_SPIELER_SEITE + i});
        }
        return;
    }
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, int32_t(SP_STATUS_START | SP_STATUS_BANK));
    for (int32_t i = 0; i < n; ++i)
        liste.push_back({spieler[i], (uint32_t(Wert(SPW_STATUS, spieler[i])) & SP_STATUS_START) != 0, -1, -1});
    // A sending-off takes the player's starting mark at once, so the line-up
    // no longer names him: he played all the same, up to the minute he went.
    int32_t cursor = 0;
    for (const SpielEreignis* e = Spiele_Ereignis_Erstes(spiel, &cursor); e;
         e = Spiele_Ereignis_Naechstes(spiel, &cursor)) {
        if (!(e->art & (EREIGNIS_GELBROT | EREIGNIS_ROT)) || e->spieler == SPIEL_KEIN_SPIELER ||
            bool(e->art & EREIGNIS_HEIM) != (seite == 0))
            continue;
        auto t = std::find_if(liste.begin(), liste.end(), [e](const Teilnehmer& x) { return x.spieler == e->spieler; });
        if (t == liste.end()) {
            liste.push_back({e->spieler, true});
            t = liste.end() - 1;
        }
        t->gespielt = true;
        t->minuten = e->minute;
    }
}

// A celebration mark holding a talent's number + 1 may teach the player that
// talent when he is open to it; the mark is used up either way.
void Jubel_Auswerten(Spielfeld_Satz* satz, int32_t slot) {
    Spieler_Matchsatz& sm = satz->spieler[slot];
    if (sm.jubel == 0 || sm.jubel == JUBEL_BEREIT) return;
    const int32_t talent = int32_t(sm.jubel) - 1;
    sm.jubel = 0;
    if (sm.nummer < 0 || Wert(SPW_LERNT_BEIM_JUBEL, sm.nummer) == 0 || !Attribut_Daten(talent) ||
        Attribut_Name(sm.nummer, talent) != 1 || !Attribut_Spieler_Setze_Wert(sm.nummer, talent, ATTRIBUT_LERNEN))
        return;
    const std::string text =
        Str_Format("%s hat nach seinem Torjubel eine neue F\xe4higkeit erlernt: %s.",
                   Spieler_String(SPS_NAME, sm.nummer, 0, 0), Attribut_Daten(talent)->name);
    Spieltag_Hook_News(int32_t(satz->team[slot / SF_SPIELER_SEITE]), NEWS_SPIELTAG, text.c_str());
}

// The grade a statistics game keeps: rounded to tens (35 gives 40).
uint8_t Note_Zehner(int32_t note) { return uint8_t((note + 5) / 10 * 10); }

void Gespielt(int32_t team, int32_t spieler, bool fruehe_phase) {
    if (Spielfeld_Hook_Attribut(spieler, ATTRIBUT_SCHONUNG) || fruehe_phase) {
        Spielfeld_Spieler_Wert56(spieler);
        return;
    }
    if (Spielfeld_Hook_Attribut(spieler, ATTRIBUT_UNSTET) && Rnd(0, 1) == 0) return;
    if (Spieler_Get_Art(spieler) != 0 || Wert(SPW_WERT55, spieler) % 10 == 0) Spielfeld_Einsatz_Zaehlen(team, spieler);
}

}  // namespace

void Spielfeld_Spieler_Wert56(int32_t spieler) { Aendern(SPW_EINSAETZE, spieler, Wert(SPW_EINSAETZE, spieler), 0); }

void Spielfeld_Einsatz_Zaehlen(int32_t team, int32_t spieler) {
    const int32_t einsaetze = Wert(SPW_EINSAETZE, spieler);
    Aendern(SPW_EINSAETZE, spieler, einsaetze, std::min(einsaetze + 1, 9));
    const int32_t stufe = Spielfeld_Hook_Schwierigkeit();
    const int32_t chance = 31 - 3 * stufe - (stufe == 4 ? 4 : 0);
    if (Rnd(0, std::max(chance, 1) - 1) == 0 && !Spielfeld_Hook_Attribut(spieler, ATTRIBUT_UNVERWUESTLICH))
        Spieler_Verletzen(team, spieler, 4);
}

void Spielfeld_Form_Nach_Note(int32_t spieler, int32_t note) {
    auto schreiben = [spieler](int32_t f) {
        f = std::clamp(f, 0, 999);
        Setzen(SPW_FORM, spieler, f);
        return f;
    };
    int32_t f = Wert(SPW_FORM, spieler);
    f = schreiben(f > 500 ? f - 50 : f < 500 ? f + 50 : f);
    if (note < 15 && Rnd(0, 1) == 0) {
        f = schreiben(f + Rnd(50, 100));
        if (note < 11) f = schreiben(f + Rnd(50, 100));
    }
    if (note > 40 && Rnd(0, 1) == 0) {
        f = schreiben(f - Rnd(50, 100));
        if (note > 50) schreiben(f - Rnd(50, 100));
    }
}

int32_t Spielfeld_Get_Spielernote(Spielfeld_Satz* satz, int32_t slot, float* punkte) {
    if (punkte) *punkte = 0;
    if (!Spielfeld_Ist_Initialisiert()) return -1;
    if (!satz || slot < 0 || slot >= SF_SPIELER || satz->spieler[slot].nummer < 0) {
        Debug_Printf("Spielfeld_Get_Spielernote: Falsche Parameter\n");
        return -1;
    }
    const int32_t art = Spieler_Get_Art(satz->spieler[slot].nummer);
    if (art < 0 || art > 3) {
        Debug_Printf("Spielfeld_Get_Spielernote: Falsche Parameter\n");
        return -1;
    }
    const uint8_t* c = satz->statistik[slot];
    const Gewichte& g = GEWICHTE[art];
    const bool torwart = art == 0;
    if (!(c[1] || c[4] || c[2] || c[5] || (torwart && (c[7] || c[6])))) return -1;
    // A time factor that is no positive number counts as a full match.
    const float t = std::isfinite(satz->zeit_faktor) && satz->zeit_faktor > 0 ? satz->zeit_faktor : 1.0f;
    float r = c[1] > 0 ? float(c[0] + 1) * g.w1 / float(c[1] + 1) : 30 * g.w1 / 100;
    r += c[4] > 0 ? float(c[3] + 1) * g.w2 / float(c[4] + 1) : 30 * g.w2 / 100;
    r += std::max(0.0f, std::trunc(g.b3 - 15.0f * float(c[2]))) * g.w3 / t / 100;
    r += std::max(0.0f, std::trunc(g.b4 - 10.0f * float(c[5]) / t)) * g.w4 / 100;
    if (torwart) {
        r += c[7] > 0 ? std::trunc(100 - float(c[6] + 3) * 100 / float(c[7] + 3)) * 50 / 100 : 30.0f * 50 / 100;
        r += std::max(0.0f, std::trunc(50 - 10.0f * float(c[6]))) * 30 / 100;
    }
    const float score = 100 - r;
    if (punkte) *punkte = score;
    const float schwellen[] = {93 + t, 87 + t, 82 + t, 77 + t, 69 + t, 64, 55, 48 - t, 43 - t, 38 - t, -t};
    int32_t note = 60;
    for (int32_t i = 0; i < 11; ++i) {
        if (schwellen[i] <= score) {
            note = 10 + 5 * i;
            break;
        }
    }
    satz->bewertung[slot] = uint8_t(note);
    return note;
}

bool Spielfeld_Elf_Der_Runde(int32_t wettbewerb, int32_t spieler[ELF_DER_RUNDE], float punkte[ELF_DER_RUNDE]) {
    for (const Elf& e : g_elfen) {
        if (e.wettbewerb != wettbewerb) continue;
        for (int32_t i = 0; i < ELF_DER_RUNDE; ++i) {
            if (spieler) spieler[i] = e.spieler[i];
            if (punkte) punkte[i] = e.punkte[i];
        }
        return true;
    }
    return false;
}

bool Spielfeld_Strafe_Spende_News(const Spielfeld_Satz* satz, int32_t seite, int32_t spieler) {
    if (!satz || seite < 0 || seite > 1) return false;
    const int32_t satz_rate = seite == 0 ? satz->strafe0 : satz->strafe1;
    if (satz_rate == 0 || satz->tore[seite] >= satz->tore[1 - seite]) return false;
    const int32_t team = int32_t(satz->team[seite]);
    const float betrag =
        float(satz_rate) * float(spieler) * (float(Wettbewerb_Team_Niveau(team)) * 1000 / 10000 * 100);
    const std::string text = Str_Format(
        "Die Strafe, von %s, die Ihre Spieler zahlen mussten, wird vom Vorstand f\xfcr wohlt\xe4tige Zwecke gespendet.",
        Spieltag_Hook_Geld_Text(betrag, team));
    Spieltag_Hook_News(team, NEWS_STRAFE_SPENDE, text.c_str());
    return true;
}

void Spielfeld_Nachbearbeitung(int32_t wettbewerb) {
    // The competition's team of the round holds this round only: last round's
    // players would otherwise enter it from state the save game does not keep.
    g_elfen.erase(std::remove_if(g_elfen.begin(), g_elfen.end(),
                                 [wettbewerb](const Elf& e) { return e.wettbewerb == wettbewerb; }),
                  g_elfen.end());
    std::vector<int32_t> spiele;
    Spieltag_Spiele_Des_Wettbewerbs(wettbewerb, spiele);
    std::vector<Teilnehmer> teilnehmer;
    for (int32_t nummer : spiele) {
        const SpielDatensatz* d = Spiele_Get_Spiel(nummer, 1);
        if (!d || d->tore_heim < 0 || d->ergebnis_art == SPIEL_ERGEBNIS_ABGESAGT) continue;
        const SpielDatensatz spiel = *d;
        Spielfeld_Satz* satz = Spielfeld_Suchen(nummer);
        const bool live = satz && satz->live;
        const bool international = live && Spielfeld_Hook_International(spiel.wettbewerb);
        const uint8_t minuten = (spiel.flags & SPIEL_FLAG_VERLAENGERUNG) ? 120 : 90;
        const int32_t teams[2] = {spiel.heim, spiel.gast};
        if (live)
            for (int32_t slot = 0; slot < SF_SPIELER; ++slot) Jubel_Auswerten(satz, slot);
        for (int32_t seite = 0; seite < 2; ++seite) {
            const int32_t team = teams[seite];
            if (team < 0) continue;
            const bool mit_manager = Team_Hat_Manager(team);
            const bool fruehe_phase =
                Spielfeld_Hook_Schwierigkeit() == 0 && Spieltag_Hook_Tag() < 90;
            int32_t gespielt = 0;
            Teilnehmer_Der_Seite(satz, nummer, team, seite, teilnehmer);
            for (const Teilnehmer& t : teilnehmer) {
                int32_t note = -1;
                float punkte = 0;
                if (t.slot >= 0) note = Spielfeld_Get_Spielernote(satz, t.slot, &punkte);
                const int32_t form_note = note >= 0 ? note : NOTE_OHNE_WERTUNG;
                if (t.gespielt) {
                    ++gespielt;
                    Gespielt(team, t.spieler, fruehe_phase);
                    const uint8_t m = t.minuten >= 0 ? uint8_t(std::min<int32_t>(t.minuten, minuten)) : minuten;
                    const StatistikEintrag eintrag{spiel.wettbewerb, int16_t(team), STATISTIK_FLAG_SPIEL, m,
                                                   Note_Zehner(form_note), 0};
                    Statistik_Spieler_Eintragen(t.spieler, &eintrag, 1);
                    if (t.slot >= 0) {
                        int32_t e = Wert(SPW_ERFAHRUNG, t.spieler) + 1;
                        if (Rnd(0, 3 - (international ? 1 : 0)) == 0) ++e;
                        Setzen(SPW_ERFAHRUNG, t.spieler, std::min(e, 100));
                        if (note >= 0) Elf_Eintragen(wettbewerb, t.spieler, punkte);
                    }
                } else {
                    Spielfeld_Spieler_Wert56(t.spieler);
                    if (mit_manager) Spieltag_Hook_Nicht_Eingesetzt(team, t.spieler);
                }
                Spielfeld_Form_Nach_Note(t.spieler, form_note);
            }
            if (live) Spielfeld_Strafe_Spende_News(satz, seite, gespielt);
        }
    }
    // The round's team enters the competition's store once, when its round is closed.
    for (const Elf& e : g_elfen) {
        if (e.wettbewerb != wettbewerb) continue;
        for (int32_t spieler : e.spieler)
            if (spieler >= 0) Spiele_Wettbewerb_Ereignis_Add(wettbewerb, spieler, WETTBEWERB_EREIGNIS_ELF, -1);
    }
}

void Spielfeld_Ereignisse_Eintragen(int32_t team, int32_t spiel) {
    const SpielDatensatz* d = Spiele_Get_Spiel(spiel, 1);
    if (!d || (d->heim != team && d->gast != team)) return;
    // A game computed live entered its goals, assists and cards as they fell.
    const Spielfeld_Satz* satz = Spielfeld_Anzahl() > 0 ? Spielfeld_Suchen(spiel) : nullptr;
    if (satz && satz->live == 1 && Spieltag_Hooks().tick) return;
    const bool heim = d->heim == team;
    int32_t cursor = 0;
    for (const SpielEreignis* e = Spiele_Ereignis_Erstes(spiel, &cursor); e;
         e = Spiele_Ereignis_Naechstes(spiel, &cursor)) {
        if (bool(e->art & EREIGNIS_HEIM) != heim || e->spieler == SPIEL_KEIN_SPIELER) continue;
        StatistikEintrag t{d->wettbewerb, int16_t(team), 0, 0, 0};
        // A card counts as the fixtures store counts it: a sending-off (red or
        // a second booking) before a booking.
        if (e->art & (EREIGNIS_ROT | EREIGNIS_GELBROT)) t.flags = STATISTIK_FLAG_ROT;
        else if (e->art & EREIGNIS_GELB) t.flags = STATISTIK_FLAG_GELB;
        if (t.flags) Statistik_Spieler_Eintragen(e->spieler, &t, 1);
        const bool tor = (e->art & EREIGNIS_TOR) && !(e->art & EREIGNIS_EIGENTOR);
        if (!tor) continue;
        t.flags = STATISTIK_FLAG_TOR;
        Statistik_Spieler_Eintragen(e->spieler, &t, 1);
        // The goal's second player gave the assist; a scorer is never his own.
        if (e->spieler2 == SPIEL_KEIN_SPIELER || e->spieler2 == e->spieler) continue;
        t.flags = STATISTIK_FLAG_VORLAGE;
        Statistik_Spieler_Eintragen(e->spieler2, &t, 1);
    }
}

}  // namespace velmora
