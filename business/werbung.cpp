// business/werbung.cpp
#include "business/werbung.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "business/bank.h"
#include "business/stadion_hooks.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "season/rangliste.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"

namespace velmora {
namespace {

constexpr int32_t GRUNDWERTE[WERBUNG_SPONSOREN] = {10, 12, 13, 14, 15, 16, 17, 18, 19, 20,
                                                   21, 22, 23, 24, 25, 10, 12, 16, 18, 22};
constexpr int32_t TEXT_SPONSOR = 27;
constexpr int32_t TEXT_KATEGORIE = 47;
constexpr int32_t TEXT_KEIN_ANGEBOT = 53;
constexpr int32_t TEXT_KEIN_PLATZ = 54;
constexpr int32_t TEXT_AGENTUR_NEWS = 58;
constexpr uint32_t NEWS_FLAGS = 0x1004;
constexpr int32_t FUELLEN_KONTO_GRENZE = 800000;
constexpr size_t TABELLE_BYTES = sizeof(Sponsor_Zeile) * WERBUNG_SPONSOREN;   // 240

struct WerbungModul {
    bool initialisiert = false;
    Sponsor_Zeile sponsor[WERBUNG_SPONSOREN] = {};
    const char* sponsor_name[WERBUNG_SPONSOREN] = {};
    const char* kategorie_name[WERBUNG_KATEGORIEN] = {};
    std::map<int32_t, Werbung_Datensatz> satz;   // by team
    bool geholt = false;                        // client: the own record is present
    int32_t altern_ergebnis = 0;                // client: the aging result of the last agency request
};
WerbungModul g;

bool Bereit(const char* wer) {
    if (g.initialisiert) return true;
    Debug_Printf("%s: Werbung muß initialisiert werden\n", wer);
    return false;
}

const char* Text(int32_t n) {
    return Text_Oder_Leer("WERBUNG_SCREEN", n);
}

void Namen_Aufloesen() {
    for (int32_t i = 0; i < WERBUNG_SPONSOREN; ++i) g.sponsor_name[i] = Text_Get("WERBUNG_SCREEN", TEXT_SPONSOR + i);
    for (int32_t k = 0; k < WERBUNG_KATEGORIEN; ++k)
        g.kategorie_name[k] = Text_Get("WERBUNG_SCREEN", TEXT_KATEGORIE + k);
}

// The surcharge percentage A[K] of a category.
int32_t Aufpreis(int32_t k) {
    static constexpr Regel REGELN[WERBUNG_KATEGORIEN] = {REGEL_WERBUNG_TV_AUFPREIS, REGEL_WERBUNG_HAUPTSPONSOR_AUFPREIS,
                                                         REGEL_WERBUNG_BANDE_AUFPREIS,
                                                         REGEL_WERBUNG_ERSATZPARTNER_AUFPREIS};
    return Regel_Wert(REGELN[std::clamp(k, 0, WERBUNG_KATEGORIEN - 1)]);
}

// The record's club belongs to a manager on another machine: no message box here.
bool Anderer_Rechner(int32_t team) {
    return (uint32_t(Team_Wert(TW_STATUS, team, 0, OP_LESEN)) & TEAM_STATUS_CLIENT) != 0;
}

void Melden(int32_t team, int32_t text) {
    if (!Anderer_Rechner(team)) Message_An_Manager(0, team, "%s", Text(text));
}

Werbung_Datensatz* Satz(int32_t team) {
    if (team < 0 || team >= Team_Anzahl() || !Team_Hat_Manager(team)) return nullptr;
    return &g.satz[team];
}

// Client: request 1022 for the own club; the answer carries the record as the server left it.
int32_t Anfrage(int32_t team, int32_t fuellung, int32_t agentur, int32_t annehmen) {
    std::vector<uint8_t> arg, antwort;
    ClubPacker p{arg};
    for (int32_t v : {team, fuellung, agentur, annehmen}) p.i32(v);
    if (!Club_Remote("Werbung", ANFRAGE_WERBUNG, "ciiii", arg, antwort)) return 0;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t ok = l.i32(), altern = l.i32(), angenommen = l.i32();
    size_t n = 0;
    const uint8_t* block = l.block_mit_laenge(&n);
    if (l.fehler || !ok || !block || n != sizeof(Werbung_Datensatz)) return 0;
    std::memcpy(&g.satz[team], block, n);
    g.geholt = true;
    g.altern_ergebnis = altern;
    return annehmen ? angenommen : 1;
}

bool Client_Fremd(const char* wer, int32_t team) {
    if (team == Club_Client_Team()) return false;
    Debug_Printf("%s: CLIENT-WRITE!\n", wer);
    return true;
}

int32_t Leere_Plaetze(const Werbung_Datensatz& w) {
    int32_t e = 0;
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p)
        if (w.wert[p] == 0) ++e;
    return e;
}

// The offer for a place of category k from sponsor row r.
void Angebot_Machen(Werbung_Datensatz& w, int32_t team, int32_t k, const int32_t niedrigst[WERBUNG_KATEGORIEN]) {
    int32_t r = k > 0 ? Rnd(0, 14) : Rnd(15, 19);
    int32_t grund = Regel_Wert(REGEL_WERBUNG_GRUNDPREIS);
    int32_t basis = r < 15 ? grund + r : grund + 2 * r - 30;
    g.sponsor[r].preisbasis = basis;
    w.angebot_sponsor = r;
    w.angebot_kategorie = k;
    if (k < 3) {
        int32_t a = Aufpreis(k);
        int32_t q = Rnd(a - 15, a + 15);
        int64_t wert = int64_t(basis) * q * 10 * Werbung_Attraktivitaet(team) / 100 / 1000 * 1000;
        // An offer worth nothing (a surcharge below 0) is no offer.
        w.angebot_wert = int32_t(std::clamp<int64_t>(wert, 0, INT32_MAX / 1000 * 1000));
        w.angebot_aufpreis = q + 100 - a;
    } else {
        int64_t werte[WERBUNG_KATEGORIEN] = {};
        int32_t q = 0;
        for (int32_t j = 0; j < WERBUNG_KATEGORIEN; ++j) {
            q = Rnd(70, 105);
            int32_t a = Aufpreis(j);
            int64_t v = int64_t(niedrigst[j] / 100) * q * 80 / 100 + (int64_t(Rnd(a - 15, a + 15)) * basis / 100 * 20000) / 100;
            werte[j] = std::clamp<int64_t>(v / 1000 * 1000, 0, INT32_MAX / 1000 * 1000);
        }
        for (int32_t j = 0; j < 3; ++j) w.angebot_ersatz[j] = int32_t(werte[j]);
        w.angebot_aufpreis = q + 12;
        w.angebot_wert = int32_t(werte[0]);
    }
    int32_t dauer = Regel_Wert(REGEL_WERBUNG_VERTRAGSDAUER);
    w.angebot_dauer = Rnd(dauer * 50 / 100, dauer * 150 / 100);
    w.angebot_sperre = std::max(w.angebot_dauer - Rnd(1, 4), 0);
}

void Erzeugen(int32_t team, Werbung_Datensatz& w, bool mit_agentur) {
    int32_t niedrigst[WERBUNG_KATEGORIEN] = {};
    bool frei_in[WERBUNG_KATEGORIEN] = {};
    int32_t liste[WERBUNG_PLAETZE];
    int32_t n = 0;
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) {
        int32_t k = Werbung_Kategorie_Von(p);
        if (w.wert[p] == 0) {
            liste[n++] = p;
            frei_in[k] = true;
        } else if (niedrigst[k] == 0 || w.wert[p] < niedrigst[k]) {
            niedrigst[k] = w.wert[p];
        }
    }
    for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p)
        if (w.wert[p] != 0 && w.sperre[p] == 0 && !frei_in[Werbung_Kategorie_Von(p)]) liste[n++] = p;
    if (n == 0 || mit_agentur) {
        int32_t preis = Werbung_Agentur_Preis(team);
        if (preis != 0 && !Bank_Ueberweisung(team, -1, float(preis), BUCHUNG_WERBUNG_KOSTEN, 1, -1)) {
            if (n == 0) {
                w.angebot_wert = 0;
                if (mit_agentur) Melden(team, TEXT_KEIN_PLATZ);
            }
            return;
        }
    }
    int32_t platz = n > 0 ? liste[Rnd(0, n - 1)] : 0;
    Angebot_Machen(w, team, Werbung_Kategorie_Von(platz), niedrigst);
}

int32_t Altern(Werbung_Datensatz& w) {
    w.belastung = uint8_t(std::min(w.belastung + 1, 100));
    w.anfragen = uint8_t(std::min(w.anfragen + 1, 100));
    if (w.belastung == 6) {
        w.belastung = 10;
        return 1;
    }
    if (w.belastung == 14) {
        w.belastung = 18;
        return 2;
    }
    if (w.belastung == 22) {
        w.countdown = uint8_t(Rnd(1, 2));
        return 3;
    }
    return 0;
}

bool Annehmen(int32_t team, Werbung_Datensatz& w) {
    if (w.angebot_wert == 0) {
        Melden(team, TEXT_KEIN_ANGEBOT);
        return false;
    }
    int32_t k = std::clamp(w.angebot_kategorie, 0, WERBUNG_KATEGORIEN - 1);
    int32_t platz = -1;
    for (int32_t p = 0; p < WERBUNG_PLAETZE && platz < 0; ++p)
        if (Werbung_Kategorie_Von(p) == k && w.wert[p] == 0) platz = p;
    if (platz < 0) {
        for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p)
            if (Werbung_Kategorie_Von(p) == k && w.sperre[p] == 0 && (platz < 0 || w.wert[p] < w.wert[platz])) platz = p;
    }
    if (platz < 0 || platz >= WERBUNG_PLAETZE) {
        Melden(team, TEXT_KEIN_PLATZ);
        return false;
    }
    w.sponsor[platz] = uint8_t(std::clamp(w.angebot_sponsor, 0, WERBUNG_SPONSOREN - 1));
    w.spiele[platz] = w.angebot_dauer;
    w.sperre[platz] = w.angebot_sperre;
    if (platz == WERBUNG_ERSATZ_PLATZ) {
        for (int32_t j = 0; j < 3; ++j) w.ersatz[j] = w.angebot_ersatz[j];
        w.wert[platz] = w.angebot_ersatz[0];
        // A partner whose category-0 payment is 0 still holds its place.
        if (w.wert[platz] == 0) w.wert[platz] = std::max(w.angebot_wert, 1);
    } else {
        w.wert[platz] = w.angebot_wert;
    }
    Erzeugen(team, w, false);
    return true;
}

void Fuellen(int32_t team, Werbung_Datensatz& w, bool erzwungen) {
    for (int32_t runden = erzwungen ? 400 : 2; runden > 0;) {
        --runden;
        int32_t e = Leere_Plaetze(w);
        if (e == 0) return;
        int32_t r = std::clamp(w.angebot_sponsor, 0, WERBUNG_SPONSOREN - 1);
        int32_t y = (r < 15 ? r * 100 / 14 : (r - 15) * 100 / 4) * w.angebot_aufpreis / 100;
        // Filling takes free places only: an offer whose kind has none waits.
        bool frei = false;
        for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p)
            frei = frei || (Werbung_Kategorie_Von(p) == std::clamp(w.angebot_kategorie, 0, WERBUNG_KATEGORIEN - 1) &&
                            w.wert[p] == 0);
        if (w.angebot_wert == 0 || y == 0 || 85 - e * 100 / 9 >= y || !frei) {
            if (Bank_Kontostand(team, false, -1) <= FUELLEN_KONTO_GRENZE || runden == 0) return;
            if (erzwungen) {
                Erzeugen(team, w, false);
            } else if (w.anfragen < 2) {
                Erzeugen(team, w, true);
                Altern(w);
            }
            continue;
        }
        if (!Annehmen(team, w)) return;
    }
}

}  // namespace

bool Werbung_Init() {
    g = WerbungModul{};
    for (int32_t i = 0; i < WERBUNG_SPONSOREN; ++i) g.sponsor[i] = {0, GRUNDWERTE[i], GRUNDWERTE[i]};
    Namen_Aufloesen();
    g.initialisiert = true;
    return true;
}

void Werbung_Free() { g = WerbungModul{}; }

bool Werbung_Ist_Initialisiert() { return g.initialisiert; }

const char* Werbung_Sponsor_Name(int32_t zeile) {
    if (zeile < 0 || zeile >= WERBUNG_SPONSOREN) return "";
    return g.sponsor_name[zeile] ? g.sponsor_name[zeile] : "";
}

const char* Werbung_Kategorie_Name(int32_t kategorie) {
    if (kategorie < 0 || kategorie >= WERBUNG_KATEGORIEN) return "";
    return g.kategorie_name[kategorie] ? g.kategorie_name[kategorie] : "";
}

const Sponsor_Zeile* Werbung_Sponsor(int32_t zeile) {
    if (!Bereit("Werbung_Sponsor") || zeile < 0 || zeile >= WERBUNG_SPONSOREN) return nullptr;
    return &g.sponsor[zeile];
}

int32_t Werbung_Kategorie_Von(int32_t platz) {
    if (platz <= 1) return std::max(platz, 0);
    return platz < WERBUNG_ERSATZ_PLATZ ? 2 : 3;
}

Werbung_Datensatz* Werbung_Get_Team(int32_t team) {
    if (!Bereit("Werbung_Get_Team")) return nullptr;
    if (Satz(team) && Club_Ist_Client() && team == Club_Client_Team() && !g.geholt) Anfrage(team, -1, 0, 0);
    return Satz(team);
}

void Werbung_Team_Reset(int32_t team, int32_t voll) {
    if (!Bereit("Werbung_Team_Reset") || Club_Ist_Client()) return;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return;
    *w = Werbung_Datensatz{};
    if (!(voll == 0 && Team_Spiel_Level() > 0)) {
        for (int32_t i = 0; i < 9; ++i) Fuellen(team, *w, true);
        std::fill(std::begin(w->sperre), std::end(w->sperre), 0);
    }
    Erzeugen(team, *w, false);
}

void Werbung_Team_Woche(int32_t team) {
    if (!Bereit("Werbung_Team_Woche") || Club_Ist_Client()) return;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return;
    int64_t einnahme = 0;
    int32_t leer[3] = {};
    for (int32_t p = 0; p < WERBUNG_ERSATZ_PLATZ; ++p) {
        if (w->wert[p] != 0) {
            einnahme += w->wert[p];
            w->spiele[p] = std::max(w->spiele[p] - 1, 0);
            w->sperre[p] = std::max(w->sperre[p] - 1, 0);
            if (w->spiele[p] == 0) {
                w->wert[p] = 0;
                w->sperre[p] = 0;
            }
        }
        if (w->wert[p] == 0) ++leer[Werbung_Kategorie_Von(p)];
    }
    if (einnahme > 0) Bank_Ueberweisung(-1, team, float(einnahme), BUCHUNG_WERBUNG, 1, -1);
    int64_t ersatz = 0;
    for (int32_t j = 0; j < 3; ++j) ersatz += int64_t(w->ersatz[j]) * leer[j];
    if (ersatz > 0) Bank_Ueberweisung(-1, team, float(ersatz), BUCHUNG_WERBUNG, 1, -1);
    constexpr int32_t E = WERBUNG_ERSATZ_PLATZ;
    if (w->wert[E] != 0) {
        w->spiele[E] = std::max(w->spiele[E] - 1, 0);
        if (w->spiele[E] == 0) {
            // The partner's contract has run out: its place and all three payments end.
            w->wert[E] = 0;
            w->sperre[E] = 0;
            std::fill(std::begin(w->ersatz), std::end(w->ersatz), 0);
        } else {
            w->sperre[E] = std::max(w->sperre[E] - 1, 0);
        }
    }
    Erzeugen(team, *w, false);
    if (w->automatisch) Fuellen(team, *w, true);
    if (w->countdown > 0 && --w->countdown == 0) Stadion_Hook_News(team, -1, NEWS_FLAGS, Text(TEXT_AGENTUR_NEWS));
    w->belastung = uint8_t(std::max(w->belastung - 2, 0));
    w->anfragen = 0;
}

void Werbung_Angebot_Erzeugen(int32_t team, int32_t mit_agentur) {
    if (!Bereit("Werbung_Angebot_Erzeugen")) return;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return;
    if (Club_Ist_Client()) {
        if (!Client_Fremd("Werbung_Angebot_Erzeugen", team)) Anfrage(team, -1, mit_agentur ? 1 : 0, 0);
        return;
    }
    Erzeugen(team, *w, mit_agentur != 0);
}

bool Werbung_Angebot_Annehmen(int32_t team) {
    if (!Bereit("Werbung_Angebot_Annehmen")) return false;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return false;
    if (Club_Ist_Client()) return !Client_Fremd("Werbung_Angebot_Annehmen", team) && Anfrage(team, -1, 0, 1) != 0;
    return Annehmen(team, *w);
}

void Werbung_Slots_Fuellen(int32_t team, int32_t erzwungen) {
    if (!Bereit("Werbung_Slots_Fuellen") || Club_Ist_Client()) return;
    if (Werbung_Datensatz* w = Satz(team)) Fuellen(team, *w, erzwungen != 0);
}

int32_t Werbung_Altern(int32_t team) {
    if (!Bereit("Werbung_Altern")) return 0;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return 0;
    if (Club_Ist_Client()) {
        // The server aged the record with the agency request already.
        int32_t r = g.altern_ergebnis;
        g.altern_ergebnis = 0;
        return r;
    }
    return Altern(*w);
}

int32_t Werbung_Agentur_Preis(int32_t team) {
    if (!Bereit("Werbung_Agentur_Preis")) return 0;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return 0;
    int64_t v = Team_Suche_Spieler(team, -1, 0);
    int64_t preis = (int64_t(Regel_Wert(REGEL_WERBUNG_SUCHPREIS)) + int64_t(w->anfragen) * Regel_Wert(REGEL_WERBUNG_SUCHPREIS_ADD)) *
                    std::max<int64_t>(20, v / 2) / 100;
    return int32_t(std::min<int64_t>((preis + 4900) / 5000 * 5000, INT32_MAX / 5000 * 5000));
}

int32_t Werbung_Attraktivitaet(int32_t team) {
    if (!Bereit("Werbung_Attraktivitaet")) return 0;
    if (!Satz(team)) return 0;
    int64_t gr = 50;
    int32_t n = Rangliste_Anzahl();
    const int32_t platz = n > 0 ? Rangliste_Platz(team, 0) : -1;
    if (platz >= 0) gr = 100 - int64_t(platz) * 100 / n;
    gr = std::max<int64_t>(gr, 30);
    int64_t s = std::clamp<int64_t>(int64_t(Team_Berechne_Staerke(team, 16)) * 100 / TEAM_STAERKE_SKALA - 15, 0, 100);
    s = int64_t(std::pow(double(s), 1.13));
    int64_t t = 50;
    int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
    if (const WettbewerbSatz* ws = Wettbewerb_Satz(liga)) {
        const WettbewerbInfo* info = Wettbewerb_Get_Info(liga);
        int64_t teams = info ? info->teams : 18;
        if (ws->art == ART_GRUPPE) teams /= 2;
        int64_t platz = Wettbewerb_Get_Tabellenplatz(liga, team, -1, -1, 31, 0);
        if (teams > 0 && platz >= 0) t = (teams - platz) * 100 / teams;
    }
    int64_t a = (s * 60 + gr * 20 + t * 20) / 100;
    int64_t u = a * Regel_Wert(REGEL_WERBUNG_RANGLISTEN_PROGRESSION_GRENZE) / 100;
    double hoch = u > 0 ? std::pow(double(u), Regel_Wert(REGEL_WERBUNG_RANGLISTEN_PROGRESSION) / 100.0) : 0.0;
    return int32_t(std::clamp<double>(double(a - u) + std::trunc(std::min(hoch, 1e9)), 0.0, 1e9));
}

bool Werbung_Automatik_Setzen(int32_t team, int32_t an) {
    if (!Bereit("Werbung_Automatik_Setzen")) return false;
    Werbung_Datensatz* w = Satz(team);
    if (!w) return false;
    if (Club_Ist_Client()) return !Client_Fremd("Werbung_Automatik_Setzen", team) && Anfrage(team, an ? 1 : 0, 0, 0) != 0;
    w->automatisch = an ? 1 : 0;
    if (an) Fuellen(team, *w, true);
    return true;
}

void Werbung_Alle_Teams() {
    if (!Bereit("Werbung_Alle_Teams") || Club_Ist_Client()) return;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Werbung_Datensatz* w = Satz(t)) Erzeugen(t, *w, false);
}

bool Werbung_Sponsoren_Banden(int32_t team, int32_t* out, int32_t anzahl) {
    if (!Bereit("Werbung_Sponsoren_Banden")) return false;
    if (!out || anzahl < 0 || anzahl > 6) {
        Debug_Printf("Werbung_Sponsoren_Banden: Anzahl %d ungueltig\n", anzahl);
        return false;
    }
    const Werbung_Datensatz* w = team >= 0 && team < Team_Anzahl() && Team_Hat_Manager(team) ? &g.satz[team] : nullptr;
    if (w) {
        for (int32_t i = 0; i < anzahl; ++i) out[i] = w->wert[i] != 0 ? w->sponsor[i] + 1 : 0;
        return true;
    }
    Rnd_Push();
    for (int32_t i = 0; i < anzahl; ++i) out[i] = Rnd(0, 15);
    Rnd_Pop();
    return true;
}

void Werbung_Client_Sync() { g.geholt = false; }

bool Werbung_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                            std::vector<uint8_t>& antwort) {
    if (anfrage != ANFRAGE_WERBUNG) return false;
    ClubLeser l{daten, bytes};
    int32_t team = l.i32(), fuellung = l.i32(), agentur = l.i32(), annehmen = l.i32();
    if (l.fehler) return false;
    ClubPacker out{antwort};
    Werbung_Datensatz* w = g.initialisiert ? Satz(team) : nullptr;
    if (!w || !Club_Ist_Eigenes(team, client_team)) {
        Debug_Printf("Werbung_Server_Anfrage: Team %d gehoert nicht Client-Team %d\n", team, client_team);
        for (int32_t i = 0; i < 3; ++i) out.i32(0);
        out.block_mit_laenge(nullptr, 0);
        return true;
    }
    int32_t altern = 0, angenommen = 0;
    if (fuellung != -1) {
        w->automatisch = fuellung ? 1 : 0;
        if (fuellung) Fuellen(team, *w, true);
    }
    if (agentur) {
        Erzeugen(team, *w, true);
        altern = Altern(*w);
    }
    if (annehmen) angenommen = Annehmen(team, *w) ? 1 : 0;
    out.i32(1);
    out.i32(altern);
    out.i32(angenommen);
    out.block_mit_laenge(w, sizeof *w);
    return true;
}

void Werbung_Save(std::vector<uint8_t>& out) {
    size_t start = out.size();
    out.resize(start + TABELLE_BYTES + 4, 0);
    uint8_t* p = out.data() + start;
    for (const Sponsor_Zeile& z : g.sponsor) {
        Bytes_Put32(p, 0);
        Bytes_Put32(p + 4, uint32_t(z.grundwert));
        Bytes_Put32(p + 8, uint32_t(z.preisbasis));
        p += sizeof(Sponsor_Zeile);
    }
    Bytes_Put32(p, uint32_t(g.satz.size()));
    for (const auto& [team, w] : g.satz) {
        size_t at = out.size();
        out.resize(at + 4 + sizeof w);
        Bytes_Put32(out.data() + at, uint32_t(team));
        std::memcpy(out.data() + at + 4, &w, sizeof w);
    }
}

bool Werbung_Load(const uint8_t* in, size_t bytes) {
    constexpr size_t JE = 4 + sizeof(Werbung_Datensatz);
    if (!in || bytes < TABELLE_BYTES + 4) {
        Debug_Printf("Werbung_Load: Block zu kurz\n");
        return false;
    }
    uint32_t n = Bytes_Get32(in + TABELLE_BYTES);
    if (n > uint32_t(TEAM_MAX) || bytes != TABELLE_BYTES + 4 + n * JE) {
        Debug_Printf("Werbung_Load: Block beschaedigt (%u Vereine, %zu Bytes)\n", n, bytes);
        return false;
    }
    std::map<int32_t, Werbung_Datensatz> satz;
    const uint8_t* p = in + TABELLE_BYTES + 4;
    for (uint32_t i = 0; i < n; ++i, p += JE) {
        int32_t team = int32_t(Bytes_Get32(p));
        Werbung_Datensatz w;
        std::memcpy(&w, p + 4, sizeof w);
        bool gut = team >= 0 && team < TEAM_MAX && !satz.count(team) && w.angebot_sponsor >= 0 &&
                   w.angebot_sponsor < WERBUNG_SPONSOREN && w.angebot_kategorie >= 0 &&
                   w.angebot_kategorie < WERBUNG_KATEGORIEN && w.belastung <= 100 && w.anfragen <= 100;
        for (uint8_t s : w.sponsor) gut = gut && s < WERBUNG_SPONSOREN;
        // Money and matches as the contracts count them: none or more.
        for (int32_t p = 0; p < WERBUNG_PLAETZE; ++p) gut = gut && w.wert[p] >= 0 && w.spiele[p] >= 0 && w.sperre[p] >= 0;
        for (int32_t j = 0; j < 3; ++j) gut = gut && w.ersatz[j] >= 0 && w.angebot_ersatz[j] >= 0;
        gut = gut && w.angebot_wert >= 0 && w.angebot_dauer >= 0 && w.angebot_sperre >= 0;
        if (!gut) {
            Debug_Printf("Werbung_Load: Datensatz von Team %d ungueltig\n", team);
            return false;
        }
        satz[team] = w;
    }
    if (!g.initialisiert) Werbung_Init();
    const uint8_t* t = in;
    for (Sponsor_Zeile& z : g.sponsor) {
        z.name_platz = 0;
        z.grundwert = int32_t(Bytes_Get32(t + 4));
        z.preisbasis = int32_t(Bytes_Get32(t + 8));
        t += sizeof(Sponsor_Zeile);
    }
    g.satz = std::move(satz);
    g.geholt = false;
    Namen_Aufloesen();
    return true;
}

bool Werbung_Spielstart() {
    if (!Werbung_Init()) return false;
    if (Club_Ist_Client()) return true;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) Werbung_Team_Reset(t, 1);
    return true;
}

bool Werbung_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Werbung", 43, Werbung_Save, Werbung_Load, [] { Werbung_Spielstart(); }});
}

}  // namespace velmora
