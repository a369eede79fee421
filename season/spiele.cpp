// season/spiele.cpp - the fixtures store (its save block and network side are
// spiele_stand.cpp).
#include "season/spiele.h"

#include <algorithm>
#include <cstring>
#include <cstddef>
#include <map>
#include <memory>
#include <unordered_map>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "season/spiele_intern.h"

namespace velmora {
namespace spiele_intern {

SpieleModul g;

// Change counters for readers that keep what they computed from the games
// (the table order). They outlive the store, so a store loaded or built anew
// never shows a count seen before: `stand_alle` counts changes to the whole
// store, `stand_von` changes to one competition's games.
uint32_t stand_alle = 0;
std::vector<uint32_t> stand_von;

void Geaendert(int32_t w) {
    if (w < 0) return;
    if (size_t(w) >= stand_von.size()) stand_von.resize(size_t(w) + 1, 0);
    ++stand_von[size_t(w)];
}

uint64_t Schluessel(int32_t w, int32_t r, int32_t p, int32_t s) {
    return uint64_t(uint16_t(w)) << 48 | uint64_t(uint16_t(r)) << 32 | uint64_t(uint16_t(p)) << 16 |
           uint64_t(uint16_t(s));
}
uint64_t Schluessel(const SpielDatensatz& s) { return Schluessel(s.wettbewerb, s.runde, s.paarung, s.spieltag); }
uint32_t Sperr_Schluessel(int32_t w, int32_t spieler) { return uint32_t(uint16_t(w)) << 16 | uint16_t(spieler); }

SperrEintrag* Sperr_Eintrag_Finden(SperrSpeicher& m, int32_t w, int32_t spieler) {
    const size_t nummer = uint16_t(spieler);
    if (nummer >= m.letzter.size()) return nullptr;
    for (uint32_t platz = m.letzter[nummer]; platz; platz = m.kette[platz - 1]) {
        SperrEintrag& e = m.eintraege[platz - 1];
        if (uint16_t(e.wettbewerb) == uint16_t(w)) return &e;
    }
    return nullptr;
}

void Sperr_Eintrag_Anhaengen(SperrSpeicher& m, const SperrEintrag& e) {
    m.eintraege.push_back(e);
    m.ordnung.emplace_back(Sperr_Schluessel(e.wettbewerb, e.spieler), uint32_t(m.eintraege.size() - 1));
    ++m.je_wettbewerb[e.wettbewerb];
    const size_t nummer = e.spieler;
    if (m.letzter.size() <= nummer) m.letzter.resize(nummer + 1, 0);
    m.kette.push_back(m.letzter[nummer]);
    m.letzter[nummer] = uint32_t(m.eintraege.size());
}

SperrEintrag& Sperr_Eintrag_Neu(SperrSpeicher& m, int32_t w, int32_t spieler) {
    if (SperrEintrag* da = Sperr_Eintrag_Finden(m, w, spieler)) return *da;
    SperrEintrag e{};
    e.wettbewerb = int16_t(w);
    e.spieler = uint16_t(spieler);
    Sperr_Eintrag_Anhaengen(m, e);
    return m.eintraege.back();
}

void Sperren_Ordnen(SperrSpeicher& m) {
    if (m.geordnet == m.ordnung.size()) return;
    const auto mitte = m.ordnung.begin() + std::ptrdiff_t(m.geordnet);
    std::sort(mitte, m.ordnung.end());
    std::inplace_merge(m.ordnung.begin(), mitte, m.ordnung.end());
    m.geordnet = m.ordnung.size();
}

// Closes a game's block: it keeps the entries it used; a block at the end of
// the array gives its tail back at once.
void Ereignisse_Schliessen(SpielDatensatz& s) {
    if (!(s.flags & SPIEL_FLAG_EREIGNISSE_OFFEN)) return;
    s.flags &= uint8_t(~SPIEL_FLAG_EREIGNISSE_OFFEN);
    if (s.ereignis_start + SPIEL_EREIGNISSE_MAX == int32_t(g.ereignisse.size()))
        g.ereignisse.resize(s.ereignis_start + s.ereignis_anzahl);
    if (s.ereignis_anzahl == 0) s.ereignis_start = -1;
}

}  // namespace spiele_intern

using namespace spiele_intern;

namespace {

// The game of a handle, or null with a log line naming `wer`. `aendert`:
// the caller changes what a table reads, so its competition's count moves.
SpielDatensatz* Spiel(const char* wer, Spiel_Lock h, bool aendert = true) {
    if (!g.initialisiert) {
        Debug_Printf("%s: Spiele nicht initialisiert\n", wer);
        return nullptr;
    }
    if (h <= 0 || h > int32_t(g.spiele.size()) || g.spiele[h - 1].wettbewerb < 0) {
        Debug_Printf("%s: Spiel %d ungueltig\n", wer, h);
        return nullptr;
    }
    if (aendert) Geaendert(g.spiele[h - 1].wettbewerb);
    return &g.spiele[h - 1];
}

uint16_t Spieler_Feld(int32_t spieler) {
    return (spieler < 0 || spieler >= 0xFFFF) ? SPIEL_KEIN_SPIELER : uint16_t(spieler);
}

// Moves every game's events to the front of a new array; open games keep room
// for a full block. Used before the array would grow.
void Ereignisse_Verdichten() {
    std::vector<SpielEreignis> neu;
    neu.reserve(g.ereignisse.size());
    for (SpielDatensatz& s : g.spiele) {
        if (s.ereignis_start < 0) continue;
        int32_t start = int32_t(neu.size());
        const auto von = g.ereignisse.begin() + s.ereignis_start;
        neu.insert(neu.end(), von, von + s.ereignis_anzahl);
        if (s.flags & SPIEL_FLAG_EREIGNISSE_OFFEN) neu.resize(start + SPIEL_EREIGNISSE_MAX, SpielEreignis{});
        s.ereignis_start = (s.ereignis_anzahl || (s.flags & SPIEL_FLAG_EREIGNISSE_OFFEN)) ? start : -1;
    }
    g.ereignisse.swap(neu);
}

SperrEintrag& Sperr_Eintrag(int32_t w, int32_t spieler) { return Sperr_Eintrag_Neu(g.sperr, w, spieler); }

SperrEintrag* Sperr_Eintrag_Suchen(int32_t w, int32_t spieler) { return Sperr_Eintrag_Finden(g.sperr, w, spieler); }

SperrRegel Regel(int32_t w) {
    auto it = g.regeln.find(w);
    if (it != g.regeln.end()) return it->second;
    SperrRegel r{};
    r.wettbewerb = int16_t(w);
    r.gelb_grenze = 5;
    r.spiele_gelbrot = 1;
    r.spiele_rot = 2;
    return r;
}

void Sperre_Verhaengen(SperrEintrag& e, uint8_t art, int32_t spiele) {
    if (spiele <= 0) return;
    int32_t rest = std::min(31, (e.sperre & 31) + spiele);
    e.sperre = uint8_t(art | rest);
}

// Counts a card for the player and suspends him when the rules say so.
void Karte_Zaehlen(int32_t w, uint32_t art, uint16_t spieler) {
    if (spieler == SPIEL_KEIN_SPIELER) return;
    SperrEintrag& e = Sperr_Eintrag(w, spieler);
    SperrRegel r = Regel(w);
    uint32_t status = 0;
    if (art & EREIGNIS_ROT) {
        e.rot = uint8_t(std::min(255, e.rot + 1));
        e.im_spiel = uint8_t(EREIGNIS_ROT);
        Sperre_Verhaengen(e, EREIGNIS_ROT, r.spiele_rot);
        status = SP_STATUS_ROT;
    } else if (art & EREIGNIS_GELBROT) {
        e.gelbrot = uint8_t(std::min(255, e.gelbrot + 1));
        e.im_spiel = uint8_t(EREIGNIS_GELBROT);
        Sperre_Verhaengen(e, EREIGNIS_GELBROT, r.spiele_gelbrot);
        status = SP_STATUS_GELB;
    } else if (art & EREIGNIS_GELB) {
        e.gelb = uint8_t(std::min(255, e.gelb + 1));
        e.im_spiel = uint8_t(EREIGNIS_GELB | KARTE_GEBUCHT);
        if (r.gelb_grenze && e.gelb % r.gelb_grenze == 0) Sperre_Verhaengen(e, SPERRE_GELB_SUMME, 1);
    }
    if (status && !Club_Ist_Client() && spieler < Spieler_Anzahl()) {
        Spieler_Wert(SPW_STATUS, spieler, int32_t(SP_STATUS_START), OP_LOESCHEN);
        Spieler_Wert(SPW_STATUS, spieler, int32_t(status), OP_SETZEN);
    }
}

}  // namespace

bool Spiele_Init() {
    ++stand_alle;
    g = SpieleModul{};
    g.initialisiert = true;
    return true;
}

void Spiele_Free() {
    ++stand_alle;
    g = SpieleModul{};
}

uint64_t Spiele_Stand(int32_t w) {
    uint32_t von = w >= 0 && size_t(w) < stand_von.size() ? stand_von[size_t(w)] : 0;
    return uint64_t(stand_alle) << 32 | von;
}

bool Spiele_Ist_Initialisiert() { return g.initialisiert; }

int32_t Spiele_Neu(int32_t w, int32_t runde, int32_t paarung, int32_t spieltag, int32_t heim, int32_t gast) {
    if (!g.initialisiert) {
        Debug_Printf("Spiele_Neu: Spiele nicht initialisiert\n");
        return -1;
    }
    if (w < 0 || w > 32767 || runde < 0 || runde > 32767 || paarung < 0 || paarung > 32767 || spieltag < 0 ||
        spieltag > 32767 || heim < -1 || heim > 32767 || gast < -1 || gast > 32767) {
        Debug_Printf("Spiele_Neu: Werte ungueltig (w=%d,r=%d,p=%d,s=%d)\n", w, runde, paarung, spieltag);
        return -1;
    }
    uint64_t k = Schluessel(w, runde, paarung, spieltag);
    if (g.index.count(k)) {
        Debug_Printf("Spiele_Neu: Spiel gibt es schon (w=%d,r=%d,p=%d,s=%d)\n", w, runde, paarung, spieltag);
        return -1;
    }
    SpielDatensatz s{};
    s.ereignis_start = -1;
    s.heim = int16_t(heim);
    s.gast = int16_t(gast);
    s.wettbewerb = int16_t(w);
    s.runde = int16_t(runde);
    s.spieltag = int16_t(spieltag);
    s.paarung = int16_t(paarung);
    s.tore_heim = s.tore_gast = -1;
    int32_t nr = int32_t(g.spiele.size());
    ++stand_alle;
    g.spiele.push_back(s);
    g.locks.push_back(0);
    g.index[k] = nr;
    g.nach_wettbewerb_gueltig = false;
    return nr;
}

bool Spiele_Loeschen_Wettbewerb(int32_t w) {
    if (!g.initialisiert) return false;
    for (size_t i = 0; i < g.spiele.size(); ++i)
        if (g.spiele[i].wettbewerb == w && g.locks[i] > 0) {
            Debug_Printf("Spiele_Loeschen_Wettbewerb: Spiel %d noch gesperrt\n", int32_t(i));
            return false;
        }
    // Removing games renumbers the rest; their handles are only valid for a season.
    ++stand_alle;
    // The games kept move forward in place; `neu_nr` gives each old number its
    // new one (-1: removed), so the index is renumbered instead of rebuilt: a
    // new season removes its competitions one by one.
    std::vector<int32_t> neu_nr(g.spiele.size(), -1);
    size_t behalten = 0;
    for (size_t i = 0; i < g.spiele.size(); ++i) {
        if (g.spiele[i].wettbewerb == w) continue;
        neu_nr[i] = int32_t(behalten);
        g.spiele[behalten] = g.spiele[i];
        g.locks[behalten] = g.locks[i];
        ++behalten;
    }
    if (behalten != g.spiele.size()) {
        g.spiele.resize(behalten);
        g.locks.resize(behalten);
        for (auto it = g.index.begin(); it != g.index.end();) {
            const int32_t alt = it->second;
            const int32_t nr = alt >= 0 && size_t(alt) < neu_nr.size() ? neu_nr[size_t(alt)] : -1;
            if (nr < 0) {
                it = g.index.erase(it);
            } else {
                it->second = nr;
                ++it;
            }
        }
    }
    g.nach_wettbewerb_gueltig = false;
    Ereignisse_Verdichten();
    // The competition's cards go; the others' entries are stored again in key order.
    if (g.sperr.je_wettbewerb.count(int16_t(w))) {
        Sperren_Ordnen(g.sperr);
        SperrSpeicher rest;
        for (const auto& [k, platz] : g.sperr.ordnung) {
            const SperrEintrag& e = g.sperr.eintraege[platz];
            if (e.wettbewerb != w) Sperr_Eintrag_Anhaengen(rest, e);
        }
        rest.geordnet = rest.ordnung.size();
        g.sperr = std::move(rest);
    }
    return true;
}

int32_t Spiele_Team_Ersetzen(int32_t w, int32_t alt, int32_t neu) {
    if (!g.initialisiert || alt < 0 || neu < -1 || neu > 32767) return 0;
    ++stand_alle;
    int32_t n = 0;
    for (SpielDatensatz& s : g.spiele) {
        if (s.wettbewerb != w || s.tore_heim >= 0) continue;
        if (s.heim == alt) s.heim = int16_t(neu), ++n;
        else if (s.gast == alt) s.gast = int16_t(neu), ++n;
    }
    return n;
}

int32_t Spiele_Anzahl() { return g.initialisiert ? int32_t(g.spiele.size()) : 0; }

int32_t Spiele_Nummern_Von(int32_t wettbewerb, const int32_t** nummern) {
    static const int32_t KEINE = 0;
    *nummern = &KEINE;
    if (!g.initialisiert) return 0;
    if (!g.nach_wettbewerb_gueltig) {
        g.nach_wettbewerb.clear();
        for (size_t i = 0; i < g.spiele.size(); ++i) g.nach_wettbewerb[g.spiele[i].wettbewerb].push_back(int32_t(i));
        g.nach_wettbewerb_gueltig = true;
    }
    auto it = g.nach_wettbewerb.find(wettbewerb);
    if (it == g.nach_wettbewerb.end()) return 0;
    *nummern = it->second.data();
    return int32_t(it->second.size());
}

const SpielDatensatz* Spiele_Nummer(int32_t nummer) {
    if (!g.initialisiert || nummer < 0 || nummer >= int32_t(g.spiele.size())) return nullptr;
    return &g.spiele[nummer];
}

const SpielDatensatz* Spiele_Alle(int32_t* anzahl) {
    if (!g.initialisiert || g.spiele.empty()) {
        *anzahl = 0;
        return nullptr;
    }
    *anzahl = int32_t(g.spiele.size());
    return g.spiele.data();
}

Spiel_Lock Spiele_Lock(int32_t w, int32_t runde, int32_t paarung, int32_t spieltag) {
    if (!g.initialisiert) {
        Debug_Printf("Spiele_Lock: Spiele nicht initialisiert\n");
        return 0;
    }
    auto it = g.index.find(Schluessel(w, runde, paarung, spieltag));
    if (it == g.index.end()) return 0;
    ++g.locks[it->second];
    return it->second + 1;
}

void Spiele_Unlock(Spiel_Lock h) {
    if (!Spiel("Spiele_Unlock", h, false)) return;
    if (g.locks[h - 1] > 0) --g.locks[h - 1];
}

void Spiele_Lock_Alle() {
    if (!g.initialisiert) return;
    std::fill(g.locks.begin(), g.locks.end(), 0);
}

int32_t Spiele_Locks(Spiel_Lock h) {
    if (!g.initialisiert || h <= 0 || h > int32_t(g.locks.size())) return 0;
    return g.locks[h - 1];
}

Spiel_Lock Spiele_Handle(int32_t nummer) {
    if (!g.initialisiert || nummer < 0 || nummer >= int32_t(g.spiele.size())) return 0;
    return nummer + 1;
}

SpielDatensatz* Spiele_Get_Spiel(Spiel_Lock h, int32_t zeiger) {
    if (!g.initialisiert || h <= 0 || h > int32_t(g.spiele.size())) return nullptr;
    if (zeiger) return &g.spiele[h - 1];
    g.kopie = g.spiele[h - 1];
    return &g.kopie;
}

const char* Spiele_Get_Ergebnis(Spiel_Lock h) {
    const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
    if (!s) return "";
    if (s->tore_heim < 0 || s->tore_gast < 0) return "-:-";
    return Str_Format("%d:%d", s->tore_heim, s->tore_gast);
}

const char* Spiele_Flag_Text(Spiel_Lock h) {
    const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
    if (!s) return "";
    if (s->flags & SPIEL_FLAG_ELFMETER) return Str_Format("i.E. %d:%d", s->elfmeter_heim, s->elfmeter_gast);
    if (s->flags & SPIEL_FLAG_LOS) return "Los";
    if (s->flags & SPIEL_FLAG_VERLAENGERUNG) return "n.V.";
    return "";
}

void Spiele_Clear_Tore(Spiel_Lock h) {
    SpielDatensatz* s = Spiel("Spiele_Clear_Tore", h);
    if (!s) return;
    s->tore_heim = s->tore_gast = 0;
    s->minute = 0;
    s->elfmeter_heim = s->elfmeter_gast = 0;
    s->flags &= uint8_t(SPIEL_FLAG_EREIGNISSE_OFFEN);
    s->ereignis_anzahl = 0;
}

void Spiele_Set_Ergebnis(Spiel_Lock h, int32_t heim, int32_t gast, int32_t art) {
    SpielDatensatz* s = Spiel("Spiele_Set_Ergebnis", h);
    if (!s) return;
    if (heim < 0 || gast < 0 || art < 0 || art > 255) {
        Debug_Printf("Spiele_Set_Ergebnis: Ergebnis ungueltig (%d:%d, art %d)\n", heim, gast, art);
        return;
    }
    s->tore_heim = int8_t(std::min(heim, 127));
    s->tore_gast = int8_t(std::min(gast, 127));
    s->ergebnis_art = uint8_t(art);
    s->flags |= SPIEL_FLAG_GESPIELT;
    if (!s->folge) s->folge = uint16_t(std::min<uint32_t>(++g.folge, 0xFFFF));
    Ereignisse_Schliessen(*s);
}

void Spiele_Set_Wert(Spiel_Lock h, int32_t zuschauer) {
    SpielDatensatz* s = Spiel("Spiele_Set_Wert", h, false);
    if (s) s->zuschauer = std::max(0, zuschauer);
}

void Spiele_Set_Status(Spiel_Lock h, int32_t status) {
    SpielDatensatz* s = Spiel("Spiele_Set_Status", h);
    if (!s || status != -1) return;
    Ereignisse_Schliessen(*s);
    s->tore_heim = s->tore_gast = -1;
    s->flags = 0;
    s->ergebnis_art = 0;
    s->elfmeter_heim = s->elfmeter_gast = 0;
    s->ereignis_anzahl = 0;
    s->ereignis_start = -1;
    s->minute = 0;
    s->folge = 0;
}

void Spiele_Set_Elfmeter(Spiel_Lock h, int32_t heim, int32_t gast) {
    SpielDatensatz* s = Spiel("Spiele_Set_Elfmeter", h);
    if (!s) return;
    if (heim < 0 || gast < 0 || heim == gast) {
        Debug_Printf("Spiele_Set_Elfmeter: kein Sieger (%d:%d)\n", heim, gast);
        return;
    }
    s->elfmeter_heim = uint8_t(std::min(heim, 255));
    s->elfmeter_gast = uint8_t(std::min(gast, 255));
    s->flags |= SPIEL_FLAG_ELFMETER;
    if (heim > gast) s->flags |= SPIEL_FLAG_HEIM_ENTSCHIEDEN;
    else s->flags &= uint8_t(~SPIEL_FLAG_HEIM_ENTSCHIEDEN);
}

void Spiele_Set_Flag(Spiel_Lock h, uint8_t bits, bool setzen) {
    SpielDatensatz* s = Spiel("Spiele_Set_Flag", h);
    if (!s) return;
    bits &= uint8_t(~SPIEL_FLAG_EREIGNISSE_OFFEN);
    if (setzen) s->flags |= bits;
    else s->flags &= uint8_t(~bits);
}

void Spiele_Set_Nachspiel_Statistik(Spiel_Lock h) {
    SpielDatensatz* s = Spiel("Spiele_Set_Nachspiel_Statistik", h);
    if (!s) return;
    if (s->tore_heim >= 0 && s->tore_gast >= 0) {
        s->flags |= SPIEL_FLAG_GESPIELT;
        if (!s->ergebnis_art) s->ergebnis_art = SPIEL_ERGEBNIS_GESPIELT;
        if (!s->folge) s->folge = uint16_t(std::min<uint32_t>(++g.folge, 0xFFFF));
    }
    Ereignisse_Schliessen(*s);
}

bool Spiele_Ereignis_Array(Spiel_Lock h) {
    SpielDatensatz* s = Spiel("Spiele_Ereignis_Array", h);
    if (!s) return false;
    if (s->flags & SPIEL_FLAG_EREIGNISSE_OFFEN) return true;
    if (g.ereignisse.size() + SPIEL_EREIGNISSE_MAX > g.ereignisse.capacity()) {
        Ereignisse_Verdichten();
        s = &g.spiele[h - 1];
    }
    int32_t start = int32_t(g.ereignisse.size());
    for (int32_t i = 0; i < s->ereignis_anzahl; ++i) g.ereignisse.push_back(g.ereignisse[s->ereignis_start + i]);
    g.ereignisse.resize(start + SPIEL_EREIGNISSE_MAX, SpielEreignis{});
    s->ereignis_start = start;
    s->flags |= SPIEL_FLAG_EREIGNISSE_OFFEN;
    return true;
}

bool Spiel_Ereignis(Spiel_Lock h, uint32_t art, int32_t minute, int32_t spieler, int32_t spieler2) {
    SpielDatensatz* s = Spiel("Spiel_Ereignis", h);
    if (!s) return false;
    if ((art & EREIGNIS_SCHUSS) && (art & EREIGNIS_TOR)) {
        int8_t& tore = (art & EREIGNIS_HEIM) ? s->tore_heim : s->tore_gast;
        if (s->tore_heim < 0) s->tore_heim = 0;
        if (s->tore_gast < 0) s->tore_gast = 0;
        if (tore < 127) ++tore;
    }
    if (art & (EREIGNIS_GELB | EREIGNIS_GELBROT | EREIGNIS_ROT)) Karte_Zaehlen(s->wettbewerb, art, Spieler_Feld(spieler));
    if (!(s->flags & SPIEL_FLAG_EREIGNISSE_OFFEN)) {
        if (!Spiele_Ereignis_Array(h)) return false;
        s = &g.spiele[h - 1];
    }
    if (s->ereignis_anzahl >= SPIEL_EREIGNISSE_MAX) {
        Debug_Printf("Spiel_Ereignis: Spiel %d hat schon %d Ereignisse\n", h, SPIEL_EREIGNISSE_MAX);
        return false;
    }
    SpielEreignis& e = g.ereignisse[s->ereignis_start + s->ereignis_anzahl++];
    e.art = art;
    e.minute = uint8_t(std::clamp(minute < 0 ? int32_t(s->minute) : minute, 0, 255));
    e.spieler = Spieler_Feld(spieler);
    e.spieler2 = Spieler_Feld(spieler2);
    return true;
}

const SpielEreignis* Spiele_Ereignis_Erstes(Spiel_Lock h, int32_t* cursor) {
    if (!cursor) return nullptr;
    *cursor = 0;
    return Spiele_Ereignis_Naechstes(h, cursor);
}

const SpielEreignis* Spiele_Ereignis_Naechstes(Spiel_Lock h, int32_t* cursor) {
    const SpielDatensatz* s = Spiele_Get_Spiel(h, 1);
    if (!s || !cursor || *cursor < 0 || *cursor >= s->ereignis_anzahl || s->ereignis_start < 0) return nullptr;
    return &g.ereignisse[s->ereignis_start + (*cursor)++];
}

int32_t Spiele_Ereignis_Feld_Groesse() { return int32_t(g.ereignisse.size()); }

int32_t Spiele_Get_Wettbewerb_Ereignis(int32_t w, int32_t modus, int32_t, int32_t spieler, int32_t, int32_t) {
    if (!g.initialisiert) {
        Debug_Printf("Spiele_Get_Wettbewerb_Ereignis: Spiele nicht initialisiert\n");
        return modus == 1 ? -1 : 0;
    }
    const SperrEintrag* e = spieler < 0 ? nullptr : Sperr_Eintrag_Suchen(w, spieler);
    switch (modus) {
    case 1: return (e && e->im_spiel) ? e->im_spiel : -1;
    case 4: return e ? e->gelb : 0;
    case 5: return e ? e->gelbrot : 0;
    case 6: return e ? e->rot : 0;
    case 8: return (e && (e->sperre & 31)) ? e->sperre : 0;
    case WETTBEWERB_EREIGNIS_ELF: return e ? e->elf_der_runde : 0;
    default:
        Debug_Printf("Spiele_Get_Wettbewerb_Ereignis: Modus %d unbekannt\n", modus);
        return 0;
    }
}

bool Spiele_Wettbewerb_Ereignis_Add(int32_t w, int32_t spieler, int32_t art, int32_t) {
    if (!g.initialisiert || spieler < 0 || spieler >= Spieler_Anzahl() || art != WETTBEWERB_EREIGNIS_ELF) {
        Debug_Printf("Spiele_Wettbewerb_Ereignis_Add: Spieler %d oder Art %d ungueltig\n", spieler, art);
        return false;
    }
    uint8_t& n = Sperr_Eintrag(w, spieler).elf_der_runde;
    if (n < 255) ++n;
    return true;
}

void Spiele_Setze_Sperren_Spieler_Vor_Spiel(int32_t w, int32_t team, int32_t vor_spiel) {
    if (!g.initialisiert || team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Spiele_Setze_Sperren_Spieler_Vor_Spiel: Team %d ungueltig\n", team);
        return;
    }
    // The entries of one competition lie together (its number leads the key):
    // a competition without any has nothing to mark or count down.
    if (!g.sperr.je_wettbewerb.count(int16_t(w))) return;
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        SperrEintrag* eintrag = Sperr_Eintrag_Suchen(w, spieler[i]);
        if (!eintrag) continue;
        SperrEintrag& e = *eintrag;
        if (vor_spiel) {
            if (!(e.sperre & 31)) continue;
            e.vermerkt = 1;
            if (!Club_Ist_Client()) Spieler_Wert(SPW_STATUS, spieler[i], int32_t(SP_STATUS_START), OP_LOESCHEN);
        } else {
            if (e.vermerkt && (e.sperre & 31)) {
                int32_t rest = (e.sperre & 31) - 1;
                e.sperre = rest ? uint8_t((e.sperre & 0xE0) | rest) : 0;
            }
            e.vermerkt = 0;
            e.im_spiel = 0;
        }
    }
}

void Spiele_Sperr_Regeln(int32_t w, int32_t gelb_grenze, int32_t spiele_gelbrot, int32_t spiele_rot) {
    if (!g.initialisiert) return;
    SperrRegel r{};
    r.wettbewerb = int16_t(w);
    r.gelb_grenze = uint8_t(std::clamp(gelb_grenze, 0, 99));
    r.spiele_gelbrot = uint8_t(std::clamp(spiele_gelbrot, 0, 31));
    r.spiele_rot = uint8_t(std::clamp(spiele_rot, 0, 31));
    g.regeln[w] = r;
}

int32_t Spiele_Serie(int32_t w, int32_t team, int32_t* z0, int32_t* z1, int32_t* z2, int32_t* z3, int32_t* z4,
                     int32_t* z5, int32_t* z6, int32_t art) {
    int32_t* z[7] = {z0, z1, z2, z3, z4, z5, z6};
    int32_t werte[7] = {};
    if (art < 0 || art > 2) return 0;
    if (Club_Ist_Client()) {
        std::vector<uint8_t> arg, antwort;
        ClubPacker p{arg};
        p.i32(w);
        p.i32(team);
        p.i32(art);
        if (!Club_Remote("Spiele_Serie", ANFRAGE_SPIELE_SERIE, "iii<iiiiiiii", arg, antwort)) return 0;
        ClubLeser l{antwort.data(), antwort.size()};
        int32_t ergebnis = l.i32();
        for (int32_t& v : werte) v = l.i32();
        if (l.fehler || ergebnis != 1) return 0;
        for (int32_t i = 0; i < 7; ++i)
            if (z[i]) *z[i] = werte[i];
        return 1;
    }
    if (!g.initialisiert) return 0;
    std::vector<const SpielDatensatz*> liste;
    for (const SpielDatensatz& s : g.spiele) {
        if (!(s.flags & SPIEL_FLAG_GESPIELT) || s.tore_heim < 0 || s.tore_gast < 0) continue;
        if (w >= 0 && s.wettbewerb != w) continue;
        bool heim = s.heim == team, gast = s.gast == team;
        if ((art == 0 && !heim) || (art == 1 && !gast) || (art == 2 && !heim && !gast)) continue;
        liste.push_back(&s);
    }
    if (liste.empty()) return 0;
    std::sort(liste.begin(), liste.end(), [](auto* a, auto* b) { return a->folge > b->folge; });
    bool laeuft[7] = {true, true, true, true, true, true, true};
    for (const SpielDatensatz* s : liste) {
        bool heim = s->heim == team;
        int32_t fuer = heim ? s->tore_heim : s->tore_gast, gegen = heim ? s->tore_gast : s->tore_heim;
        bool bed[7] = {fuer > gegen, fuer == gegen, fuer < gegen, fuer >= gegen, fuer <= gegen, fuer > 0, gegen == 0};
        for (int32_t i = 0; i < 7; ++i) {
            if (laeuft[i] && bed[i]) ++werte[i];
            else laeuft[i] = false;
        }
    }
    for (int32_t i = 0; i < 7; ++i)
        if (z[i]) *z[i] = werte[i];
    return 1;
}

int32_t Spiele_Get_Statistik(const int32_t* wettbewerbe, int32_t anzahl, uint32_t maske, int32_t* pro_spieler,
                             int32_t spieler_anzahl) {
    if (!g.initialisiert || !wettbewerbe || anzahl < 0 || !pro_spieler || spieler_anzahl < 0 || !maske) {
        Debug_Printf("Spiele_Get_Statistik: Argumente ungueltig\n");
        return 0;
    }
    std::fill(pro_spieler, pro_spieler + spieler_anzahl, 0);
    int32_t gezaehlt = 0;
    for (const SpielDatensatz& s : g.spiele) {
        if (s.ereignis_start < 0 || std::find(wettbewerbe, wettbewerbe + anzahl, s.wettbewerb) == wettbewerbe + anzahl)
            continue;
        for (int32_t i = 0; i < s.ereignis_anzahl; ++i) {
            const SpielEreignis& e = g.ereignisse[s.ereignis_start + i];
            if ((e.art & maske) != maske) continue;
            if ((maske & EREIGNIS_TOR) && (e.art & EREIGNIS_EIGENTOR)) continue;
            if (e.spieler >= spieler_anzahl) continue;
            ++pro_spieler[e.spieler];
            ++gezaehlt;
        }
    }
    return gezaehlt;
}

}  // namespace velmora
