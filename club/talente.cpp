// club/talente.cpp - the talent table and the talent rules.
#include "club/talente.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"

namespace velmora {
namespace {

// Words of the active-talent mask compared at once: the table's talents padded to a multiple of 8.
constexpr int32_t MASKEN_BREITE = (ATTRIBUT_ANZAHL + 7) / 8 * 8;

struct TalentModul {
    AttributDaten tabelle[ATTRIBUT_ANZAHL] = {};
    // Per talent, the most points that leave it inactive: its requirement, or
    // the largest points value where it has none (the padding too). The
    // match set-up asks for the mask of every player of every game.
    alignas(16) int16_t aktiv_ueber[MASKEN_BREITE];
    // The same for learnt: the most points short of the requirement (the
    // computer clubs' salary sums count the learnt talents of every player).
    alignas(16) int16_t gelernt_ueber[MASKEN_BREITE];
    TalentModul() {
        std::fill(std::begin(aktiv_ueber), std::end(aktiv_ueber), INT16_MAX);
        std::fill(std::begin(gelernt_ueber), std::end(gelernt_ueber), INT16_MAX);
    }
    int32_t anzahl = 0;
    int32_t sterne_grenze = 0;
    bool entwickler = false;
    TalentHooks hooks;
};
TalentModul g;

// Follows the table: called by everything that changes a requirement.
void Aktiv_Grenzen_Auffrischen() {
    for (int32_t id = 0; id < MASKEN_BREITE; ++id) {
        const int32_t schwelle = id < ATTRIBUT_ANZAHL ? g.tabelle[id].noetige_punkte : 0;
        g.aktiv_ueber[id] = int16_t(schwelle > 0 && schwelle < INT16_MAX ? schwelle : INT16_MAX);
        g.gelernt_ueber[id] = int16_t(schwelle > 0 && schwelle <= INT16_MAX ? schwelle - 1 : INT16_MAX);
    }
}

// The bits of the table's talents whose points in `s` lie above `grenze`
// (one value per talent, MASKEN_BREITE of them).
uint64_t Ueber_Maske(const SpielerStruktur& s, const int16_t* grenze) {
    static_assert(ATTRIBUT_ANZAHL <= ATTRIBUT_STERNE && ATTRIBUT_ANZAHL <= SPIELER_TALENTE && ATTRIBUT_ANZAHL <= 64);
    alignas(16) int16_t punkte[MASKEN_BREITE] = {};
    std::memcpy(punkte, s.talent, sizeof(int16_t) * ATTRIBUT_ANZAHL);
    uint64_t m = 0;
#if defined(__SSE2__)
    for (int32_t k = 0; k < MASKEN_BREITE; k += 8) {
        const __m128i p = _mm_load_si128(reinterpret_cast<const __m128i*>(punkte + k));
        const __m128i gr = _mm_loadu_si128(reinterpret_cast<const __m128i*>(grenze + k));
        const __m128i ueber = _mm_packs_epi16(_mm_cmpgt_epi16(p, gr), _mm_setzero_si128());
        m |= uint64_t(uint32_t(_mm_movemask_epi8(ueber)) & 0xFF) << k;
    }
#else
    for (int32_t id = 0; id < MASKEN_BREITE; ++id) m |= uint64_t(punkte[id] > grenze[id]) << id;
#endif
    return m;
}

// The set bits of `x`, counted in the register: the portable build has no
// popcount instruction, and std::popcount becomes a library call there.
int32_t Bits_Zaehlen(uint64_t x) {
    x -= (x >> 1) & 0x5555555555555555ull;
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return int32_t((x * 0x0101010101010101ull) >> 56);
}

// The bits of the talents von-bis.
constexpr uint64_t Bereich(int32_t von, int32_t bis) {
    return ((uint64_t(2) << bis) - 1) & ~((uint64_t(1) << von) - 1);
}

void Eintrag_Leeren(AttributDaten& d) {
    d = AttributDaten{};
    for (int32_t& v : d.voraussetzung) v = -1;
    for (int32_t& v : d.schutz) v = -1;
}

bool Spieler_Ok(const char* wer, int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("%s: Spieler %d ungueltig\n", wer, spieler);
        return false;
    }
    return true;
}

bool Id_Ok(const char* wer, int32_t id, int32_t hoechste) {
    if (id < 0 || id > hoechste) {
        Debug_Printf("%s: Attributnr %d ungueltig\n", wer, id);
        return false;
    }
    return true;
}

int32_t Wert(int32_t spieler, int32_t id) { return Spieler_Wert(id, spieler, 0, OP_LESEN); }
bool Torwart(int32_t spieler) { return Spieler_Get_Art(spieler) == 0; }

// The requirement of a talent; the strength stars have none (their limit is global).
int32_t Schwelle(int32_t id) {
    if (id < 0 || id >= ATTRIBUT_ANZAHL) return 0;
    return g.tabelle[id].noetige_punkte;
}

bool Gelernt(int32_t spieler, int32_t id) {
    int32_t s = Schwelle(id);
    return s > 0 && Wert(spieler, id) >= s;
}

bool Aktiv(int32_t spieler, int32_t id) {
    int32_t s = Schwelle(id);
    return s > 0 && Wert(spieler, id) > s;
}

// Talents of the player's own kind: goalkeepers 47-52, field players 0-39; both may carry negative ones.
bool Passende_Art(int32_t spieler, int32_t id) {
    if (id >= ATTRIBUT_NEG_START && id <= ATTRIBUT_NEG_ENDE) return true;
    return Torwart(spieler) ? id >= ATTRIBUT_TW_START && id <= ATTRIBUT_TW_ENDE : id >= 0 && id <= ATTRIBUT_FELD_ENDE;
}

// The learnt talents of the player's own kind, read straight from his record
// (the salary of every computer club's squad asks for it every day).
int32_t Anzahl_Gelernt(int32_t spieler) {
    const auto* s = static_cast<const SpielerStruktur*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, spieler));
    if (!s) return 0;
    const uint64_t art = Torwart(spieler) ? Bereich(ATTRIBUT_TW_START, ATTRIBUT_TW_ENDE) : Bereich(0, ATTRIBUT_FELD_ENDE);
    return Bits_Zaehlen(Ueber_Maske(*s, g.gelernt_ueber) & art);
}

int32_t Anzahl_Aktiv(int32_t spieler) {
    int32_t n = 0;
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) n += Aktiv(spieler, id);
    return n;
}

int32_t Anzahl_Negativ(int32_t spieler) {
    int32_t n = 0;
    for (int32_t id = ATTRIBUT_NEG_START; id <= ATTRIBUT_NEG_ENDE; ++id) n += Gelernt(spieler, id);
    return n;
}

// True when a learnt talent of the player keeps the negative talent away.
bool Geschuetzt(int32_t spieler, int32_t negativ) {
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) {
        if (!Gelernt(spieler, id)) continue;
        for (int32_t s : g.tabelle[id].schutz)
            if (s == negativ) return true;
    }
    return false;
}

bool Voraussetzungen(int32_t spieler, int32_t id) {
    for (int32_t v : g.tabelle[id].voraussetzung)
        if (v >= 0 && v < ATTRIBUT_ANZAHL && !Gelernt(spieler, v)) return false;
    return true;
}

bool Erlernbar(int32_t spieler, int32_t id, bool fenster) {
    if (spieler < 0 || spieler >= Spieler_Anzahl() || id < 0 || id >= ATTRIBUT_ANZAHL) return false;
    if (Schwelle(id) <= 0 || !Passende_Art(spieler, id)) return false;
    int32_t w = Wert(spieler, id);
    if (w < 0 || w >= Schwelle(id)) return false;
    if (!Voraussetzungen(spieler, id)) return false;
    if (fenster && !Torwart(spieler)) {
        const int32_t* m = g.tabelle[id].moeglich_wann;
        int32_t staerke = Spieler_Sterne(spieler);
        if ((m[0] > 0 || m[1] > 0) && (staerke < m[0] || staerke > m[1])) return false;
    }
    return true;
}

bool Setzen(int32_t spieler, int32_t id, int32_t wert) {
    Spieler_Wert(id, spieler, wert, OP_SCHREIBEN);
    return Wert(spieler, id) == wert;
}

bool Setze_Wert(const char* wer, int32_t spieler, int32_t id, int32_t op, bool pruefen) {
    if (!Spieler_Ok(wer, spieler) || !Id_Ok(wer, id, ATTRIBUT_ANZAHL - 1)) return false;
    if (Club_Ist_Client() && Spieler_Get_Team(spieler) != Club_Client_Team()) {
        Debug_Printf("%s: CLIENT-WRITE!\n", wer);
        return false;
    }
    switch (op) {
    case ATTRIBUT_LERNEN: {
        int32_t s = Schwelle(id);
        bool negativ = id >= ATTRIBUT_NEG_START && id <= ATTRIBUT_NEG_ENDE;
        if (s <= 0) {
            Debug_Printf("%s: Attribut %d hat keine Schwelle\n", wer, id);
            return false;
        }
        if (Wert(spieler, id) < 0) {
            Debug_Printf("%s: Attribut %d gesperrt\n", wer, id);
            return false;
        }
        if (Gelernt(spieler, id)) return true;
        if (pruefen && !Passende_Art(spieler, id)) {
            Debug_Printf("%s: Attribut %d passt nicht zum Spieler %d\n", wer, id, spieler);
            return false;
        }
        if (pruefen && !negativ && Attribute_Attribut_Hat_Maximum(spieler)) {
            Debug_Printf("%s: Spieler %d hat schon die meisten Attribute\n", wer, spieler);
            return false;
        }
        if (negativ && (Anzahl_Negativ(spieler) >= ATTRIBUT_MAX_NEGATIV || Geschuetzt(spieler, id))) {
            Debug_Printf("%s: negatives Attribut %d abgelehnt\n", wer, id);
            return false;
        }
        return Setzen(spieler, id, s);
    }
    case ATTRIBUT_SPERREN: return Setzen(spieler, id, -1);
    case ATTRIBUT_ZURUECKSETZEN: return Setzen(spieler, id, 0);
    default:
        Debug_Printf("%s: Operation %d ungueltig\n", wer, op);
        return false;
    }
}

int32_t Toggle(const char* wer, int32_t spieler, int32_t id, bool pruefen) {
    if (!Spieler_Ok(wer, spieler) || !Id_Ok(wer, id, ATTRIBUT_ANZAHL - 1)) return 0;
    int32_t s = Schwelle(id);
    int32_t w = Wert(spieler, id);
    if (w < 0) {
        Debug_Printf("%s: Attribut %d gesperrt\n", wer, id);
        return 0;
    }
    if (s <= 0 || w < s) {
        Debug_Printf("%s: Spieler %d hat Attribut %d nicht\n", wer, spieler, id);
        return 0;
    }
    if (w > s) return Setzen(spieler, id, s) ? 1 : 0;
    if (pruefen && (!Passende_Art(spieler, id) || Anzahl_Aktiv(spieler) >= ATTRIBUT_MAX_AKTIV)) {
        Debug_Printf("%s: kein Platz fuer Attribut %d\n", wer, id);
        return 0;
    }
    return Setzen(spieler, id, s + 1) ? 1 : 0;
}

// Collects the ids of one list kind from `von` down to `bis` that pass `nimm`.
template <typename F>
int32_t Sammeln(int32_t* liste, int32_t n, int32_t grenze, int32_t von, int32_t bis, F nimm) {
    for (int32_t id = von; id >= bis && n < grenze; --id)
        if (nimm(id)) liste[n++] = id;
    return n;
}

int32_t Liste(const char* wer, int32_t spieler, int32_t* out, int32_t kapazitaet, int32_t art, int32_t max_gelernt) {
    if (!Spieler_Ok(wer, spieler) || !out || kapazitaet <= 0) return 0;
    int32_t liste[64];
    int32_t n = 0, auffuellen = 0;
    bool tw = Torwart(spieler);
    auto aktiv = [&](int32_t id) { return Aktiv(spieler, id); };
    auto gelernt = [&](int32_t id) { return Gelernt(spieler, id); };
    switch (art) {
    case 0:
        n = tw ? Sammeln(liste, 0, ATTRIBUT_MAX_AKTIV, ATTRIBUT_TW_ENDE, ATTRIBUT_NEG_START, aktiv)
               : Sammeln(liste, 0, ATTRIBUT_MAX_AKTIV, ATTRIBUT_NEG_ENDE, 0, aktiv);
        auffuellen = ATTRIBUT_MAX_AKTIV;
        break;
    case 1:
        n = tw ? Sammeln(liste, 0, max_gelernt, ATTRIBUT_TW_ENDE, ATTRIBUT_TW_START, gelernt)
               : Sammeln(liste, 0, max_gelernt, ATTRIBUT_FELD_ENDE, 0, gelernt);
        auffuellen = max_gelernt == ATTRIBUT_MAX_FELD ? ATTRIBUT_MAX_FELD : 0;
        break;
    case 2: {
        int32_t aktive[ATTRIBUT_MAX_AKTIV];
        int32_t k = tw ? Sammeln(aktive, 0, ATTRIBUT_MAX_AKTIV, ATTRIBUT_TW_ENDE, ATTRIBUT_NEG_START, aktiv)
                       : Sammeln(aktive, 0, ATTRIBUT_MAX_AKTIV, ATTRIBUT_NEG_ENDE, 0, aktiv);
        for (int32_t i = k - 1; i >= 0; --i)
            if (aktive[i] >= ATTRIBUT_NEG_START && aktive[i] <= ATTRIBUT_NEG_ENDE) liste[n++] = aktive[i];
        auffuellen = ATTRIBUT_MAX_AKTIV;
        break;
    }
    case 3:
        n = Sammeln(liste, 0, ATTRIBUT_MAX_NEGATIV + 4, ATTRIBUT_NEG_ENDE, ATTRIBUT_NEG_START, gelernt);
        break;
    default:
        Debug_Printf("%s: Art %d ungueltig\n", wer, art);
        return 0;
    }
    if (n > kapazitaet) n = kapazitaet;
    for (int32_t i = 0; i < kapazitaet; ++i) {
        if (i < n) out[i] = liste[i];
        else if (i < auffuellen) out[i] = -1;
        else break;
    }
    return n;
}

}  // namespace

void Attribut_Tabelle_Leeren() {
    for (AttributDaten& d : g.tabelle) Eintrag_Leeren(d);
    g.anzahl = 0;
    g.sterne_grenze = 0;
    g.entwickler = false;   // a game starts: the developer action is forgotten
    Aktiv_Grenzen_Auffrischen();
}

bool Attribut_Daten_Setzen(int32_t id, const AttributDaten& daten) {
    if (!Id_Ok("Attribut_Daten_Setzen", id, ATTRIBUT_ANZAHL - 1)) return false;
    g.tabelle[id] = daten;
    AttributDaten& d = g.tabelle[id];
    d.name[sizeof d.name - 1] = 0;
    d.info1[sizeof d.info1 - 1] = 0;
    for (auto& a : d.auswirkung) a[sizeof a - 1] = 0;
    if (id + 1 > g.anzahl) g.anzahl = id + 1;
    Aktiv_Grenzen_Auffrischen();
    return true;
}

const AttributDaten* Attribut_Daten(int32_t id) {
    return id >= 0 && id < ATTRIBUT_ANZAHL ? &g.tabelle[id] : nullptr;
}

int32_t Attribut_Tabelle_Anzahl() { return g.anzahl; }
void Attribut_Sterne_Grenze_Setzen(int32_t grenze) { g.sterne_grenze = grenze < 0 ? 0 : grenze; }
int32_t Attribut_Sterne_Grenze() { return g.sterne_grenze; }

void Attribut_Tabelle_Speichern(std::vector<uint8_t>& out) {
    ClubPacker pk{out};
    pk.i32(g.anzahl);
    pk.i32(g.sterne_grenze);
    pk.block(g.tabelle, sizeof g.tabelle);
}

bool Attribut_Tabelle_Laden(const uint8_t* daten, size_t bytes) {
    ClubLeser l{daten, bytes};
    int32_t anzahl = l.i32();
    int32_t grenze = l.i32();
    if (l.fehler || anzahl < 0 || anzahl > ATTRIBUT_ANZAHL || bytes != 8 + sizeof g.tabelle) return false;
    l.block(g.tabelle, sizeof g.tabelle);
    g.anzahl = anzahl;
    g.sterne_grenze = grenze;
    g.entwickler = false;
    Aktiv_Grenzen_Auffrischen();
    return true;
}

int32_t Attribut_Schwelle(int32_t id) { return Schwelle(id); }

bool Attribut_Ist_Negativ(int32_t, int32_t id) { return id >= ATTRIBUT_NEG_START && id <= ATTRIBUT_NEG_ENDE; }

bool Attribut_Ist_Gesperrt(int32_t spieler, int32_t id) {
    if (!Spieler_Ok("Attribut_Ist_Gesperrt", spieler) || !Id_Ok("Attribut_Ist_Gesperrt", id, ATTRIBUT_STERNE))
        return false;
    return Wert(spieler, id) == -1;
}

bool Attribute_Hat_Attribut(int32_t spieler, int32_t id) {
    if (!Spieler_Ok("Attribute_Hat_Attribut", spieler) || !Id_Ok("Attribute_Hat_Attribut", id, ATTRIBUT_STERNE))
        return false;
    return Gelernt(spieler, id);
}

bool Attribute_Attribut_Aktief(int32_t spieler, int32_t id) {
    if (id < 0 || id > ATTRIBUT_STERNE) {
        Debug_Printf("Attribute_Attribut_Aktief : Attributnr ungultig!\n");
        return false;
    }
    if (!Spieler_Ok("Attribute_Attribut_Aktief", spieler)) return false;
    return Aktiv(spieler, id);
}

bool Attribute_Aktive_Maske(int32_t spieler, uint64_t* maske) {
    if (!maske || spieler < 0 || spieler >= Spieler_Anzahl()) return false;
    const auto* s = static_cast<const SpielerStruktur*>(Spieler_Zeiger_Lesen(SPZ_STRUKTUR, spieler));
    if (!s) return false;
    // As Aktiv: a talent with a requirement whose points are above it. Only
    // the table's talents: the strength stars (53) lie past it and have none.
    *maske = Ueber_Maske(*s, g.aktiv_ueber);
    return true;
}

int32_t Attribute_Anzahl_Gelernt(int32_t spieler) {
    return Spieler_Ok("Attribute_Anzahl_Gelernt", spieler) ? Anzahl_Gelernt(spieler) : 0;
}

bool Attribute_Attribut_Hat_Maximum(int32_t spieler) {
    if (!Spieler_Ok("Attribute_Attribut_Hat_Maximum", spieler)) return false;
    return Anzahl_Gelernt(spieler) >= (Torwart(spieler) ? ATTRIBUT_MAX_TW : ATTRIBUT_MAX_FELD);
}

bool Attribut_Erlernbar(int32_t spieler, int32_t id, int32_t) { return Erlernbar(spieler, id, true); }
bool Attribut_Erlernbar_2(int32_t spieler, int32_t id) { return Erlernbar(spieler, id, false); }

int32_t Attribut_Name(int32_t spieler, int32_t id) {
    if (!Erlernbar(spieler, id, true)) return 0;
    if (Wert(spieler, id) != 0 || Attribute_Attribut_Hat_Maximum(spieler)) return 0;
    int32_t laufend = Attribute_Anzahl(spieler);
    return laufend == -1 || laufend == ATTRIBUT_STERNE ? 1 : 0;
}

bool Attribut_Spieler_Setze_Wert(int32_t spieler, int32_t id, int32_t op) {
    return Setze_Wert("Attribut_Spieler_Setze_Wert", spieler, id, op, true);
}

bool Attribut_Spieler_Setze_Wert_2(int32_t spieler, int32_t id, int32_t op) {
    return Setze_Wert("Attribut_Spieler_Setze_Wert_2", spieler, id, op, false);
}

int32_t Attribut_Toggle_Aktive(int32_t spieler, int32_t id) { return Toggle("Attribut_Toggle_Aktive", spieler, id, true); }
int32_t Attribut_Toggle_Aktive_2(int32_t spieler, int32_t id) {
    return Toggle("Attribut_Toggle_Aktive_2", spieler, id, false);
}

int32_t Attribut_Zaehle(int32_t id, int32_t* out) {
    if (!out || !Id_Ok("Attribut_Zaehle", id, ATTRIBUT_ANZAHL - 1)) return 0;
    int32_t n = 0;
    for (int32_t i = 0; i < 3; ++i) {
        int32_t v = g.tabelle[id].voraussetzung[i];
        bool gueltig = v >= 0 && v < ATTRIBUT_ANZAHL;
        out[i] = gueltig ? v : -1;
        n += gueltig;
    }
    return n;
}

int32_t Attribute_Anzahl(int32_t spieler) {
    if (!Spieler_Ok("Attribute_Anzahl", spieler)) return -1;
    int32_t von = Torwart(spieler) ? ATTRIBUT_TW_START : 0;
    int32_t bis = Torwart(spieler) ? ATTRIBUT_TW_ENDE : ATTRIBUT_FELD_ENDE;
    for (int32_t id = von; id <= bis; ++id) {
        int32_t w = Wert(spieler, id);
        if (w > 0 && w < Schwelle(id)) return id;
    }
    int32_t sterne = Wert(spieler, ATTRIBUT_STERNE);
    if (sterne > 0 && sterne < g.sterne_grenze) return ATTRIBUT_STERNE;
    return -1;
}

int32_t Attribute_Get_Attribute(int32_t spieler, int32_t* out, int32_t kapazitaet, int32_t art) {
    return Liste("Attribute_Get_Attribute", spieler, out, kapazitaet, art, ATTRIBUT_MAX_FELD);
}

int32_t Attribute_Get_Attribute_2(int32_t spieler, int32_t* out, int32_t kapazitaet, int32_t art) {
    return Liste("Attribute_Get_Attribute_2", spieler, out, kapazitaet, art, 50);
}

const char* Attribut_Get_Name(int32_t spieler, int32_t k) {
    int32_t liste[50];
    int32_t n = Attribute_Get_Attribute_2(spieler, liste, 50, 1);
    if (k < 0 || k >= n) return "";
    return g.tabelle[liste[k]].name;
}

void Attribute_Tag() {
    constexpr int32_t ERSTES_TEAM = 1, LETZTES_TEAM = 20;
    for (int32_t team = ERSTES_TEAM; team <= LETZTES_TEAM && team < Team_Anzahl(); ++team) {
        int32_t spieler[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            const bool tw = Torwart(spieler[i]);
            const int32_t von = tw ? ATTRIBUT_TW_START : 0, bis = tw ? ATTRIBUT_TW_ENDE : ATTRIBUT_FELD_ENDE;
            for (int32_t id = von; id <= bis; ++id)
                if (Schwelle(id) > 0) Spieler_Wert(id, spieler[i], Schwelle(id), OP_SCHREIBEN);
        }
    }
    if (g.hooks.liste_schliessen) g.hooks.liste_schliessen();
    else Debug_Printf("Attribute_Tag: keine Talentliste angebunden\n");
    g.hooks.geaendert.Aufrufen();
    g.entwickler = true;
}

bool Attribut_Entwickler_Flag() { return g.entwickler; }

TalentHooks& Talent_Hooks() { return g.hooks; }

int32_t Attribut_Get_Preis(int32_t id, int32_t) {
    if (!Id_Ok("Attribut_Get_Preis", id, ATTRIBUT_ANZAHL - 1)) return 0;
    int64_t preis = int64_t(g.tabelle[id].kostpreis) * Regel_Wert(REGEL_ATTRIBUT_TRAINING_KOSTEN);
    if (preis < 0) return 0;
    return preis > INT32_MAX ? INT32_MAX : int32_t(preis);
}

}  // namespace velmora
