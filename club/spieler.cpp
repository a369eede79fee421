// club/spieler.cpp - the player records, their accessors and their network side.
#include "club/spieler.h"
#include "club/spieler_testing.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/club_wert.h"
#include "club/manager.h"
#include "club/spieler_abgleich.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/str.h"

namespace velmora {
namespace {

// The one table of the player modes' limits.
struct GrenzTabelle : WertTabelle<SPIELER_WERT_MODI> {
    constexpr GrenzTabelle() {
        for (int32_t t = 0; t <= 52; ++t) setze(t, -1, 9999);
        setze(53, 0, 9999);
        setze(SPW_WERT55, 0, 150);
        setze(SPW_EINSAETZE, 0, 9);
        setze(SPW_FORM, 0, 999);
        setze(SPW_STAERKE, 0, 12000);
        setze(SPW_ALTER, 0, 99);
        setze(SPW_GROESSE, 0, 255);
        setze(SPW_AUSSEHEN, INT32_MIN, INT32_MAX);
        setze(SPW_ART, 0, 3);
        setze(SPW_NATION, -1, TEAM_MAX - 1);
        setze(SPW_WERT69, 0, 100);
        setze(SPW_VERLETZUNG, -1, VERLETZUNG_ARTEN - 1);
        setze(SPW_VERLETZUNG_TAGE, 0, 999);
        setze(SPW_HAAR, 0, 65535);
        setze(SPW_HAUT, 0, 65535);
        setze(SPW_DATEI_NUMMER, 0, 50);
        setze(SPW_STATUS, INT32_MIN, INT32_MAX, W_BITS);
        setze(SPW_BALLGEWINNE, 0, 32767);
        setze(SPW_BALLGEWINNE_2, 0, 32767);
        setze(SPW_SPALTE, 0, 6);
        setze(SPW_REIHE, 0, 10);
        setze(SPW_RUECKENNUMMER, 0, 99, W_SERVER);
        setze(SPW_GEHALT, 0, INT32_MAX, W_SERVER | W_NUR_LESEN);
        setze(SPW_SLOT, 0, 19);
        setze(SPW_MORAL, 0, 6);
        setze(SPW_STERNE, 0, 12);
        setze(SPW_TRAININGSGELD, 0, 9000000, W_SERVER);
        setze(SPW_SPIEL_STERNE, 0, 12, W_NUR_LESEN);
        setze(SPW_MAX_STERNE, 0, 12);
        setze(SPW_TRAINING_EINHEITEN, 0, 100);
        setze(SPW_WERT99, INT32_MIN, INT32_MAX, W_SERVER);
        setze(SPW_START_WERT100, -32768, 32767);
        setze(SPW_PARTNER, -1, SPIELER_MAX - 1);
        setze(SPW_MARKTWERT, 0, INT32_MAX, W_SERVER | W_NUR_LESEN);
        setze(SPW_VEREIN_GEZEIGT, -1, SPIELER_MAX - 1);
    }
};
constexpr GrenzTabelle GRENZEN;

struct SpielerModul {
    bool initialisiert = false;
    uint64_t fassung = 1;   // Spieler_Fassung
    std::vector<SpielerStruktur> satz;
    std::vector<SpielerFix> fix;
    std::vector<SpielerClientEgal> egal;
};
SpielerModul g;

constexpr size_t SPIELER_BYTES = sizeof(SpielerStruktur) + sizeof(SpielerFix) + sizeof(SpielerClientEgal);
constexpr int32_t CLIENT_BLOCK_SPIELER = 500;   // players per fetch at client start-up

void Spieler_Leeren(int32_t p) {
    ++g.fassung;
    g.satz[p] = SpielerStruktur{};
    g.fix[p] = SpielerFix{};
    g.egal[p] = SpielerClientEgal{};
    g.satz[p].partner = -1;
    g.satz[p].verein_gezeigt = -1;
    g.satz[p].verletzung = -1;
    g.fix[p].nation = -1;
}

// Where each mode's value lies: record, kind and byte offset, the one mapping
// of modes to fields that reads and writes go through (the match and the
// line-up read millions of times a season). A mode the table does not know
// reads as 0 and is not written.
enum FeldArt : uint8_t { F_KEIN, F_I8, F_U8, F_I16, F_U16, F_I32, F_TAUSEND };
enum FeldSatz : uint8_t { S_SATZ, S_FIX, S_EGAL };
struct Feld {
    uint8_t satz = S_SATZ;
    uint8_t art = F_KEIN;
    uint16_t offset = 0;
};
struct FeldTabelle {
    Feld f[SPIELER_WERT_MODI];
    bool schnell[SPIELER_WERT_MODI] = {};   // read straight from the record: a valid mode kept on this machine
    bool server[SPIELER_WERT_MODI] = {};    // a valid mode a client asks the server for
    constexpr FeldTabelle() {
        auto s = [this](int32_t m, uint8_t art, size_t off) { f[m] = Feld{S_SATZ, art, uint16_t(off)}; };
        auto x = [this](int32_t m, uint8_t art, size_t off) { f[m] = Feld{S_FIX, art, uint16_t(off)}; };
        auto e = [this](int32_t m, uint8_t art, size_t off) { f[m] = Feld{S_EGAL, art, uint16_t(off)}; };
        for (int32_t t = 0; t < SPIELER_TALENTE; ++t)
            s(t, F_I16, offsetof(SpielerStruktur, talent) + size_t(t) * sizeof(int16_t));
        s(SPW_WERT55, F_I16, offsetof(SpielerStruktur, wert55));
        s(SPW_EINSAETZE, F_I8, offsetof(SpielerStruktur, einsaetze));
        s(SPW_FORM, F_I32, offsetof(SpielerStruktur, form));
        s(SPW_STAERKE, F_I32, offsetof(SpielerStruktur, staerke));
        x(SPW_ALTER, F_U8, offsetof(SpielerFix, alter));
        x(SPW_GROESSE, F_U8, offsetof(SpielerFix, groesse));
        x(SPW_AUSSEHEN, F_I32, offsetof(SpielerFix, aussehen));
        x(SPW_ART, F_I8, offsetof(SpielerFix, art));
        x(SPW_NATION, F_I16, offsetof(SpielerFix, nation));
        s(SPW_WERT69, F_I8, offsetof(SpielerStruktur, wert69));
        s(SPW_VERLETZUNG, F_I8, offsetof(SpielerStruktur, verletzung));
        s(SPW_VERLETZUNG_TAGE, F_I16, offsetof(SpielerStruktur, verletzung_tage));
        x(SPW_HAAR, F_U16, offsetof(SpielerFix, haar));
        x(SPW_HAUT, F_U16, offsetof(SpielerFix, haut));
        x(SPW_DATEI_NUMMER, F_I16, offsetof(SpielerFix, datei_nummer));
        s(SPW_STATUS, F_I32, offsetof(SpielerStruktur, status));
        s(SPW_BALLGEWINNE, F_I16, offsetof(SpielerStruktur, ballgewinne));
        s(SPW_BALLGEWINNE_2, F_I16, offsetof(SpielerStruktur, ballgewinne_2));
        s(SPW_SPALTE, F_I16, offsetof(SpielerStruktur, spalte));
        s(SPW_REIHE, F_I16, offsetof(SpielerStruktur, reihe));
        e(SPW_RUECKENNUMMER, F_I32, offsetof(SpielerClientEgal, rueckennummer));
        e(SPW_GEHALT, F_I32, offsetof(SpielerClientEgal, gehalt));
        s(SPW_SLOT, F_I8, offsetof(SpielerStruktur, slot));
        s(SPW_MORAL, F_I8, offsetof(SpielerStruktur, moral));
        s(SPW_STERNE, F_TAUSEND, offsetof(SpielerStruktur, staerke));
        e(SPW_TRAININGSGELD, F_I32, offsetof(SpielerClientEgal, trainingsgeld));
        s(SPW_SPIEL_STERNE, F_TAUSEND, offsetof(SpielerStruktur, staerke));
        s(SPW_MAX_STERNE, F_TAUSEND, offsetof(SpielerStruktur, max_staerke));
        s(SPW_TRAINING_EINHEITEN, F_I8, offsetof(SpielerStruktur, training_einheiten));
        e(SPW_WERT99, F_I32, offsetof(SpielerClientEgal, wert99));
        s(SPW_START_WERT100, F_I16, offsetof(SpielerStruktur, start_wert100));
        s(SPW_PARTNER, F_I32, offsetof(SpielerStruktur, partner));
        e(SPW_MARKTWERT, F_I32, offsetof(SpielerClientEgal, marktwert));
        s(SPW_VEREIN_GEZEIGT, F_I32, offsetof(SpielerStruktur, verein_gezeigt));
        for (int32_t m = 0; m < SPIELER_WERT_MODI; ++m) {
            const WertGrenze* gr = GRENZEN.finde(m);
            schnell[m] = gr && !(gr->flags & W_SERVER);
            server[m] = gr && (gr->flags & W_SERVER);
        }
    }
};
constexpr FeldTabelle FELDER;

template <typename T>
inline int32_t Laden(const uint8_t* b) {
    T v;
    std::memcpy(&v, b, sizeof v);
    return int32_t(v);
}

// A mode's value from a player's three records, through the table.
inline int32_t Feld_Aus(const Feld f, const SpielerStruktur& satz, const SpielerFix& fix, const SpielerClientEgal& egal) {
    const uint8_t* b = f.satz == S_SATZ  ? reinterpret_cast<const uint8_t*>(&satz)
                       : f.satz == S_FIX ? reinterpret_cast<const uint8_t*>(&fix)
                                         : reinterpret_cast<const uint8_t*>(&egal);
    b += f.offset;
    switch (f.art) {
    case F_I8: return Laden<int8_t>(b);
    case F_U8: return Laden<uint8_t>(b);
    case F_I16: return Laden<int16_t>(b);
    case F_U16: return Laden<uint16_t>(b);
    case F_I32: return Laden<int32_t>(b);
    case F_TAUSEND: return Laden<int32_t>(b) / 1000;
    default: return 0;
    }
}

// A mode's value: one load of the field's size.
inline int32_t Feld_Lesen(int32_t modus, int32_t p) {
    return Feld_Aus(FELDER.f[modus], g.satz[size_t(p)], g.fix[size_t(p)], g.egal[size_t(p)]);
}

template <typename T>
inline void Speichern(uint8_t* b, int32_t v) {
    const T w = T(v);
    std::memcpy(b, &w, sizeof w);
}

// `v` lies within the mode's limits, which fit the field's type.
void Feld_In(int32_t modus, SpielerStruktur& satz, SpielerFix& fix, SpielerClientEgal& egal, int32_t v) {
    const Feld f = FELDER.f[modus];
    uint8_t* b = f.satz == S_SATZ  ? reinterpret_cast<uint8_t*>(&satz)
                 : f.satz == S_FIX ? reinterpret_cast<uint8_t*>(&fix)
                                   : reinterpret_cast<uint8_t*>(&egal);
    b += f.offset;
    switch (f.art) {
    case F_I8: Speichern<int8_t>(b, v); break;
    case F_U8: Speichern<uint8_t>(b, v); break;
    case F_I16: Speichern<int16_t>(b, v); break;
    case F_U16: Speichern<uint16_t>(b, v); break;
    case F_I32: Speichern<int32_t>(b, v); break;
    case F_TAUSEND: Speichern<int32_t>(b, v * 1000); break;
    default: return;
    }
    if (modus == SPW_ART && v == 0) {   // a goalkeeper always carries the goalkeeper cell
        satz.spalte = 3;
        satz.reihe = 0;
    }
}

void Feld_Schreiben(int32_t modus, int32_t p, int32_t v) {
    ++g.fassung;
    Feld_In(modus, g.satz[size_t(p)], g.fix[size_t(p)], g.egal[size_t(p)], v);
}

bool Gueltig(const char* wer, int32_t spieler) {
    if (!g.initialisiert || spieler < 0 || spieler >= int32_t(g.satz.size())) {
        Debug_Printf("%s: Spieler %d ungueltig\n", wer, spieler);
        return false;
    }
    return true;
}

// The answer to a change request of the client playing `client_team`.
int32_t Server_Wert(int32_t client_team, int32_t modus, int32_t p, int32_t wert, int32_t op) {
    bool aendert = op != OP_LESEN && op != OP_PROZENT;
    if (aendert && (p < 0 || p >= Spieler_Anzahl() || !Club_Ist_Eigenes(Spieler_Get_Team(p), client_team))) {
        Debug_Printf("Spieler_Wert: CLIENT-WRITE! (Spieler %d, Team %d)\n", p, client_team);
        return 0;
    }
    return Spieler_Wert(modus, p, wert, op);
}

// Client: the version of every player's public records it holds (request 1043).
Abgleich_Client spieler_kopie;

void Anhaengen_Spieler(ClubPacker& pk, int32_t p, bool mit_egal) {
    pk.block(&g.satz[p], sizeof(SpielerStruktur));
    pk.block(&g.fix[p], sizeof(SpielerFix));
    if (mit_egal) pk.block(&g.egal[p], sizeof(SpielerClientEgal));
}

// Client: the own club's players as the server holds them, from the answers
// that carry the server's records (the refresh of request 1006, the public
// records of request 1043) and the server's answer to each value it writes.
// While it holds, a read of a value the server keeps is answered from it, and
// a write that leaves the server's value as it is (the line-up written again
// after every refresh, a cell or status bit it already has) is not sent: the
// server's answer is known. Apart from the records themselves, which this
// machine may change without the server (a line-up taken back). Forgotten
// for every request that may change the server's data in other ways
// (Spieler_Server_Stand_Vergessen, called by the network for each request it
// sends: a join, a leave and a new day's report among them) and a write that
// got no answer.
struct ServerSatz {
    SpielerStruktur satz;
    SpielerFix fix;
    SpielerClientEgal egal;
};
struct ServerStand {
    bool gueltig = false;
    bool nachholen_fehlgeschlagen = false;   // a read's fetch of the copy failed: single reads until forgotten
    std::vector<std::pair<int32_t, ServerSatz>> spieler;   // the own club's, as the refresh listed them
    SpielerStandZaehler zaehler;

    ServerSatz* finde(int32_t p) {
        if (!gueltig) return nullptr;
        for (auto& [nummer, satz] : spieler)
            if (nummer == p) return &satz;
        return nullptr;
    }
};
ServerStand server_stand;
// The players' block; the records are packed where they stand.
void Spieler_Stuecke(SpielstandStuecke& out) {
    const int32_t n = Spieler_Anzahl();
    out.i32(n);
    out.block(g.satz.data(), sizeof(SpielerStruktur) * size_t(n));
    out.block(g.fix.data(), sizeof(SpielerFix) * size_t(n));
    out.block(g.egal.data(), sizeof(SpielerClientEgal) * size_t(n));
}

}  // namespace

void Spieler_Server_Stand_Vergessen() {
    server_stand.gueltig = false;
    server_stand.nachholen_fehlgeschlagen = false;
    server_stand.spieler.clear();
}

SpielerStandZaehler Spieler_Server_Stand_Zaehler() { return server_stand.zaehler; }

uint64_t Spieler_Fassung() { return g.fassung; }

bool Spieler_Init(int32_t anzahl) {
    if (anzahl < 0 || anzahl > SPIELER_MAX) {
        Debug_Printf("Spieler_Init: Anzahl %d ungueltig\n", anzahl);
        return false;
    }
    Spieler_Free();
    // A new store is a new world: what this client knew of the server's is gone.
    Spieler_Server_Stand_Vergessen();
    Manager_Server_Stand_Vergessen();
    g.satz.resize(size_t(anzahl));
    g.fix.resize(size_t(anzahl));
    g.egal.resize(size_t(anzahl));
    for (int32_t p = 0; p < anzahl; ++p) Spieler_Leeren(p);
    g.initialisiert = true;
    return true;
}

void Spieler_Free() {
    ++g.fassung;
    g.satz.clear();
    g.fix.clear();
    g.egal.clear();
    g.satz.shrink_to_fit();
    g.fix.shrink_to_fit();
    g.egal.shrink_to_fit();
    g.initialisiert = false;
}

int32_t Spieler_Anzahl() { return g.initialisiert ? int32_t(g.satz.size()) : 0; }

bool Spieler_Wert_Grenzen(int32_t modus, int32_t* unten, int32_t* oben) {
    return GRENZEN.grenzen(modus, unten, oben);
}

namespace {
// Every request but a plain read of a value kept on this machine: checks,
// network mode, changes and their log lines.
[[gnu::noinline]] int32_t Spieler_Wert_Voll(int32_t modus, int32_t spieler, int32_t wert, int32_t op) {
    if (!g.initialisiert || spieler < 0 || spieler >= int32_t(g.satz.size())) {
        Debug_Printf("Spieler_Wert: Spieler %d ungueltig, modus=%d\n", spieler, modus);
        return 0;
    }
    const WertGrenze* grenze = GRENZEN.finde(modus);
    if (!grenze) {
        Debug_Printf("Spieler_Wert: Modus %d ungueltig\n", modus);
        return 0;
    }
    const WertGrenze& gr = *grenze;
    if (op == OP_LESEN || op == OP_PROZENT) {
        int32_t v;
        // Only a value the server keeps asks for the network mode: reads are the match's inner loop.
        const bool vom_server = (gr.flags & W_SERVER) && Club_Ist_Client();
        const ServerSatz* stand = vom_server ? server_stand.finde(spieler) : nullptr;
        // A player of the own club without the server's copy: the copy of the
        // whole squad comes in one request. A list of the squad (the main
        // screen's, with each shirt number) asked once a row, a round trip
        // each on a slow link. A fetch that failed is not tried again for
        // every row: the reads go out one by one until the copy is forgotten.
        if (vom_server && !stand && !server_stand.gueltig && !server_stand.nachholen_fehlgeschlagen &&
            Spieler_Get_Team(spieler) == Club_Client_Team()) {
            if (Spieler_Internet_Client_Refresh())
                stand = server_stand.finde(spieler);
            else
                server_stand.nachholen_fehlgeschlagen = true;
        }
        if (stand) {
            ++server_stand.zaehler.gelesen;
            v = Feld_Aus(FELDER.f[modus], stand->satz, stand->fix, stand->egal);
        } else if (vom_server) {
            std::vector<uint8_t> a;
            ClubPacker pk{a};
            pk.i32(modus);
            pk.i32(spieler);
            pk.i32(0);
            pk.i32(OP_LESEN);
            v = Club_Remote_Int("Spieler_Wert", ANFRAGE_SPIELER_WERT, "iiii<i", a, 0);
        } else {
            v = Feld_Lesen(modus, spieler);
        }
        return op == OP_LESEN ? v : Wert_Prozent(v, gr);
    }
    if (gr.flags & W_NUR_LESEN) {
        if (modus == SPW_GEHALT)
            Debug_Printf("Spieler_Wert: Gehalt nicht beschreibbar!\n");
        else if (modus == SPW_MARKTWERT)
            Debug_Printf("Spieler_Wert: SP_MARKTWERT nicht beschreibbar!\n");
        else
            Debug_Printf("Spieler_Wert: Modus %d nicht beschreibbar!\n", modus);
        return 0;
    }
    if (!Wert_Operation_Pruefen("Spieler_Wert", op, modus, gr)) return 0;
    const bool client = Club_Ist_Client();
    if (client && Spieler_Get_Team(spieler) != Club_Client_Team()) {
        Debug_Printf("Spieler_Wert: CLIENT-WRITE!\n");
        return 0;
    }
    const int32_t alt = Feld_Lesen(modus, spieler);
    int32_t neu = Wert_Operation("Spieler_Wert", op, modus, alt, wert, gr);
    if ((modus == SPW_SPALTE || modus == SPW_REIHE) && g.fix[spieler].art == 0) {
        int32_t torwart = modus == SPW_SPALTE ? 3 : 0;
        if (neu != torwart) Debug_Printf("Spieler_Wert: Torwart %d bleibt in Spalte 3, Reihe 0\n", spieler);
        neu = torwart;
    }
    Feld_Schreiben(modus, spieler, neu);
    if (!client) return neu;
    ServerSatz* stand = server_stand.finde(spieler);
    if (stand) {
        // The server runs the same change on the same value: when that
        // leaves it as it is, its answer is this value.
        const int32_t dort = Feld_Aus(FELDER.f[modus], stand->satz, stand->fix, stand->egal);
        if (alt == dort && neu == dort && stand->fix.art == g.fix[spieler].art && (modus != SPW_ART || neu != 0)) {
            ++server_stand.zaehler.nicht_gesendet;
            return neu;
        }
    }
    int32_t server;
    if (!Wert_Senden("Spieler_Wert", ANFRAGE_SPIELER_WERT, modus, spieler, wert, op, gr, &server)) {
        Spieler_Server_Stand_Vergessen();
        return neu;
    }
    Feld_Schreiben(modus, spieler, server);   // the server's copy holds
    if ((stand = server_stand.finde(spieler))) Feld_In(modus, stand->satz, stand->fix, stand->egal, server);
    return server;
}
}  // namespace

namespace {
// A change that needs no log line, no clamping of a written value and no
// network: the value written straight into the record, as the full path
// would (the same checks, asked in the same order as far as they are asked).
inline bool Schnell_Aendern(int32_t modus, int32_t spieler, int32_t wert, int32_t op, int32_t* ergebnis) {
    const WertGrenze& gr = *GRENZEN.finde(modus);
    if (gr.flags & (W_NUR_LESEN | W_SERVER)) return false;
    const bool bitop = op == OP_TOGGLE || op == OP_LOESCHEN || op == OP_SETZEN || op == OP_ERSETZEN;
    if (bitop ? !(gr.flags & W_BITS) : op != OP_PLUS && !(op == OP_SCHREIBEN && wert >= gr.unten && wert <= gr.oben))
        return false;
    if ((modus == SPW_SPALTE || modus == SPW_REIHE) && g.fix[spieler].art == 0) return false;
    if (Club_Ist_Client()) return false;
    const int32_t neu =
        op == OP_SCHREIBEN ? wert : Wert_Operation("Spieler_Wert", op, modus, Feld_Lesen(modus, spieler), wert, gr);
    Feld_Schreiben(modus, spieler, neu);
    *ergebnis = neu;
    return true;
}
}  // namespace

namespace {
// A valid player and mode, no plain read of a value this machine keeps: a
// server value read off the network, a change the record takes at once, or
// the full path. Kept apart so the plain read saves no registers.
[[gnu::noinline]] int32_t Spieler_Wert_Sonst(int32_t modus, int32_t spieler, int32_t wert, int32_t op) {
    if (op == OP_LESEN && FELDER.server[modus] && !Club_Ist_Client()) return Feld_Lesen(modus, spieler);
    int32_t neu;
    if (FELDER.schnell[modus] && op != OP_LESEN && op != OP_PROZENT && Schnell_Aendern(modus, spieler, wert, op, &neu))
        return neu;
    return Spieler_Wert_Voll(modus, spieler, wert, op);
}
}  // namespace

int32_t Spieler_Wert(int32_t modus, int32_t spieler, int32_t wert, int32_t op) {
    if (uint32_t(modus) < uint32_t(SPIELER_WERT_MODI) && uint32_t(spieler) < uint32_t(g.satz.size())) {
        // The plain read of a value this machine keeps.
        if (op == OP_LESEN && FELDER.schnell[modus]) return Feld_Lesen(modus, spieler);
        return Spieler_Wert_Sonst(modus, spieler, wert, op);
    }
    return Spieler_Wert_Voll(modus, spieler, wert, op);
}

int32_t Spieler_Feld_Lesen(int32_t modus, int32_t spieler) {
    if (!g.initialisiert || spieler < 0 || spieler >= int32_t(g.satz.size())) return 0;
    if (modus < 0 || modus >= SPIELER_WERT_MODI) return 0;
    return Feld_Lesen(modus, spieler);
}

const char* Spieler_String(int32_t modus, int32_t spieler, int32_t, int32_t) {
    if (!Gueltig("Spieler_String", spieler)) return "Spieler_String_Error";
    const SpielerFix& f = g.fix[spieler];
    char name[sizeof f.name + 1] = {};
    char vorname[sizeof f.vorname + 1] = {};
    std::memcpy(name, f.name, sizeof f.name);
    std::memcpy(vorname, f.vorname, sizeof f.vorname);
    switch (modus) {
    case SPS_NAME: return vorname[0] ? Str_Format("%s %s", vorname, name) : Str_Format("%s", name);
    case SPS_NACHNAME:
    case SPS_NAME_FELD: return Str_Format("%s", name);
    case SPS_VORNAME: return Str_Format("%s", vorname);
    default:
        Debug_Printf("Spieler_String: Modus %d ungueltig\n", modus);
        return "Spieler_String_Error";
    }
}

bool Spieler_Namen_Setzen(int32_t spieler, const char* vorname, const char* name) {
    if (!Gueltig("Spieler_Namen_Setzen", spieler)) return false;
    if (Club_Ist_Client()) {
        Debug_Printf("Spieler_Namen_Setzen: CLIENT-WRITE!\n");
        return false;
    }
    ++g.fassung;
    SpielerFix& f = g.fix[spieler];
    std::memset(f.vorname, 0, sizeof f.vorname);
    std::memset(f.name, 0, sizeof f.name);
    // The fields need no terminating zero: a name as long as its field is kept whole, as the reader keeps it.
    if (vorname) std::memcpy(f.vorname, vorname, std::min(std::strlen(vorname), sizeof f.vorname));
    if (name) std::memcpy(f.name, name, std::min(std::strlen(name), sizeof f.name));
    return true;
}

namespace {
[[gnu::noinline]] void* Spieler_Zeiger_Voll(int32_t modus, int32_t spieler) {
    if (!Gueltig("Spieler_Zeiger", spieler)) return nullptr;
    switch (modus) {
    case SPZ_STRUKTUR: return &g.satz[spieler];
    case SPZ_FIX: return &g.fix[spieler];
    case SPZ_CLIENT_EGAL:
        if (Club_Ist_Client() && Spieler_Get_Team(spieler) != Club_Client_Team()) {
            Debug_Printf("Spieler_Zeiger: Daten nicht auf dem Client\n");
            return nullptr;
        }
        return &g.egal[spieler];
    case SPZ_LINIE: return g.satz[spieler].linie;
    default:
        Debug_Printf("Spieler_Zeiger: Modus %d ungueltig\n", modus);
        return nullptr;
    }
}
}  // namespace

namespace {
inline void* Zeiger(int32_t modus, int32_t spieler) {
    // The main record and the fixed data of a valid player need no other check.
    if (uint32_t(spieler) < uint32_t(g.satz.size())) {
        if (modus == SPZ_STRUKTUR) return &g.satz[size_t(spieler)];
        if (modus == SPZ_FIX) return &g.fix[size_t(spieler)];
    }
    return Spieler_Zeiger_Voll(modus, spieler);
}
}  // namespace

void* Spieler_Zeiger(int32_t modus, int32_t spieler) {
    ++g.fassung;   // whatever is written through it
    return Zeiger(modus, spieler);
}

const void* Spieler_Zeiger_Lesen(int32_t modus, int32_t spieler) { return Zeiger(modus, spieler); }

int32_t Spieler_Get_Team(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) return -1;
    return Team_Spieler_Besitzer(spieler);
}

int32_t Spieler_Get_Art(int32_t spieler) {
    if (!Gueltig("Spieler_Get_Art", spieler)) return -1;
    int32_t art = g.fix[spieler].art;
    return art < 0 ? 0 : art > 3 ? 3 : art;
}

int32_t Spieler_Get_Heimat_Wert(int32_t spieler) {
    if (!Gueltig("Spieler_Get_Heimat_Wert", spieler)) return -1;
    int32_t nation = g.fix[spieler].nation;
    if (nation < 0 || nation >= Team_Anzahl()) return -1;
    return Team_Wert(TW_KONTINENT, nation, 0, OP_LESEN);
}

int32_t Spieler_Get_Halbe_Wert56(int32_t spieler) {
    if (!Gueltig("Spieler_Get_Halbe_Wert56", spieler)) return 0;
    return g.satz[spieler].einsaetze / 2;
}

void Spieler_Set_Maxstaerke(int32_t spieler) {
    if (!Gueltig("Spieler_Set_Maxstaerke", spieler)) return;
    if (Club_Ist_Client()) {
        Debug_Printf("Spieler_Set_Maxstaerke: CLIENT-WRITE!\n");
        return;
    }
    ++g.fassung;
    g.satz[spieler].max_staerke = g.satz[spieler].staerke;
}

void Spieler_Save(std::vector<uint8_t>& out) { Spielstand_Stuecke_Anhaengen(Spieler_Stuecke, out); }

bool Spieler_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    int32_t n = l.i32();
    if (l.fehler || n < 0 || n > SPIELER_MAX || bytes != 4 + size_t(n) * SPIELER_BYTES) {
        Debug_Printf("Spieler_Load: Block beschaedigt (%zu Bytes, Anzahl %d)\n", bytes, n);
        return false;
    }
    std::vector<SpielerStruktur> satz(static_cast<size_t>(n));
    std::vector<SpielerFix> fix(static_cast<size_t>(n));
    std::vector<SpielerClientEgal> egal(static_cast<size_t>(n));
    l.block(satz.data(), sizeof(SpielerStruktur) * size_t(n));
    l.block(fix.data(), sizeof(SpielerFix) * size_t(n));
    l.block(egal.data(), sizeof(SpielerClientEgal) * size_t(n));
    // Every value within its mode's limits, as every write keeps it; a team-mate
    // and a shown player among the loaded players.
    for (size_t p = 0; p < size_t(n); ++p) {
        for (int32_t m = 0; m < SPIELER_WERT_MODI; ++m) {
            const WertGrenze* gr = GRENZEN.finde(m);
            if (!gr || FELDER.f[m].art == F_KEIN) continue;
            const int32_t v = Feld_Aus(FELDER.f[m], satz[p], fix[p], egal[p]);
            if (v < gr->unten || v > gr->oben) {
                Debug_Printf("Spieler_Load: Spieler %zu, Wert %d ist %d (%d bis %d)\n", p, m, v, gr->unten, gr->oben);
                return false;
            }
        }
        if (satz[p].partner >= n || satz[p].verein_gezeigt >= n) {
            Debug_Printf("Spieler_Load: Spieler %zu nennt einen Spieler ausserhalb\n", p);
            return false;
        }
    }
    Spieler_Free();
    ++g.fassung;
    g.satz = std::move(satz);
    g.fix = std::move(fix);
    g.egal = std::move(egal);
    g.initialisiert = true;
    return true;
}

bool Spieler_Internet_Client_Get_Anzahl() {
    std::vector<uint8_t> a;
    int32_t n = Club_Remote_Int("Spieler_Internet_Client_Get_Anzahl", ANFRAGE_SPIELER_ANZAHL, "<i", a, -1);
    if (n < 0) return false;
    return Spieler_Init(n);
}

bool Spieler_Internet_Client_Get_Alle() {
    if (!g.initialisiert) {
        Debug_Printf("Spieler_Internet_Client_Get_Alle: nicht initialisiert\n");
        return false;
    }
    // Asked at the join, whenever the main screen is built and when the
    // server's day moves on: only the records that changed since travel, and
    // every club's players here are the server's (another club's strength,
    // line-up and injuries read from this copy).
    constexpr size_t je = sizeof(SpielerStruktur) + sizeof(SpielerFix);
    if (!spieler_kopie.Holen("Spieler_Internet_Client_Get_Alle", ANFRAGE_SPIELER_ABGLEICH)) return false;
    const std::vector<uint8_t>& d = spieler_kopie.bytes;
    if (d.size() != g.satz.size() * je) {
        Debug_Printf("Spieler_Internet_Client_Get_Alle: %zu Bytes fuer %zu Spieler\n", d.size(), g.satz.size());
        spieler_kopie.Leeren();
        return false;
    }
    ++g.fassung;
    for (size_t p = 0; p < g.satz.size(); ++p) {
        std::memcpy(&g.satz[p], d.data() + je * p, sizeof(SpielerStruktur));
        std::memcpy(&g.fix[p], d.data() + je * p + sizeof(SpielerStruktur), sizeof(SpielerFix));
    }
    // The server's public records as they are now: the own players' too.
    for (auto& [p, stand] : server_stand.spieler) {
        stand.satz = g.satz[size_t(p)];
        stand.fix = g.fix[size_t(p)];
    }
    return true;
}

bool Spieler_Internet_Client_Init() {
    if (!g.initialisiert && !Spieler_Internet_Client_Get_Anzahl()) return false;
    return Spieler_Internet_Client_Get_Alle();
}

void Spieler_Internet_Client_Get_Alle_Vorab() {
    if (g.initialisiert) spieler_kopie.Vorab(ANFRAGE_SPIELER_ABGLEICH);
}

void Spieler_Internet_Client_Refresh_Vorab() {
    if (g.initialisiert) Club_Remote_Satz_Vorab(ANFRAGE_SPIELER_TEAM, Club_Client_Team());
}

bool Spieler_Internet_Client_Refresh() {
    if (!g.initialisiert) {
        Debug_Printf("Spieler_Internet_Client_Refresh: nicht initialisiert\n");
        return false;
    }
    std::vector<uint8_t> a, antwort;
    ClubPacker{a}.i32(Club_Client_Team());
    size_t groesse = 0;
    const uint8_t* d =
        Club_Remote_Block("Spieler_Internet_Client_Refresh", ANFRAGE_SPIELER_TEAM, "i<C<=0", a, antwort, &groesse);
    size_t je = 4 + SPIELER_BYTES;
    Spieler_Server_Stand_Vergessen();
    if (!d || groesse % je != 0) {
        Debug_Printf("Spieler_Internet_Client_Refresh: Antwort hat %zu Bytes\n", groesse);
        return false;
    }
    ClubLeser b{d, groesse};
    ++g.fassung;
    std::vector<std::pair<int32_t, ServerSatz>> stand;
    for (size_t i = 0; i < groesse / je; ++i) {
        int32_t p = b.i32();
        if (p < 0 || p >= int32_t(g.satz.size())) {
            Debug_Printf("Spieler_Internet_Client_Refresh: Spieler %d ungueltig\n", p);
            return false;
        }
        b.block(&g.satz[p], sizeof(SpielerStruktur));
        b.block(&g.fix[p], sizeof(SpielerFix));
        b.block(&g.egal[p], sizeof(SpielerClientEgal));
        stand.push_back({p, ServerSatz{g.satz[p], g.fix[p], g.egal[p]}});
    }
    server_stand.spieler = std::move(stand);
    server_stand.gueltig = true;
    return true;
}

bool Spieler_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort) {
    ClubPacker pk{antwort};
    switch (anfrage) {
    case ANFRAGE_SPIELER_WERT: {
        int32_t modus = l.i32(), p = l.i32(), wert = l.i32(), op = l.i32();
        if (!l.fehler) pk.i32(Server_Wert(client_team, modus, p, wert, op));
        return true;
    }
    case ANFRAGE_SPIELER_ANZAHL:
        pk.i32(Spieler_Anzahl());
        return true;
    case ANFRAGE_SPIELER_BLOCK: {
        int32_t start = l.i32(), anzahl = l.i32();
        int32_t n = Spieler_Anzahl();
        if (l.fehler || start < 0 || anzahl < 0 || start > n || anzahl > n - start || anzahl > CLIENT_BLOCK_SPIELER) {
            Debug_Printf("Spieler_Server_Anfrage: Bereich %d+%d ungueltig\n", start, anzahl);
            l.fehler = true;
            return true;
        }
        if (!Spieler_Abgleich_Block_Erlaubt(client_team, anzahl)) {
            Debug_Printf("Spieler_Server_Anfrage: Verbindung ohne Verein hat die Spielerliste schon gelesen\n");
            l.fehler = true;
            return true;
        }
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        for (int32_t p = start; p < start + anzahl; ++p) Anhaengen_Spieler(bp, p, false);
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    case ANFRAGE_SPIELER_ABGLEICH: Spieler_Abgleich_Antworten(client_team, l, pk); return true;
    case ANFRAGE_SPIELER_TEAM: {
        int32_t team = l.i32();
        if (l.fehler) return true;
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        if (Club_Ist_Eigenes(team, client_team)) {   // the server data goes to its own club only
            int32_t liste[TEAM_SPIELER_MAX];
            int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
            for (int32_t i = 0; i < n; ++i) {
                bp.i32(liste[i]);
                Anhaengen_Spieler(bp, liste[i], true);
            }
        } else {
            Debug_Printf("Spieler_Server_Anfrage: Team %d gehoert nicht Client-Team %d\n", team, client_team);
        }
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    default: return false;
    }
}

bool Spieler_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Spieler", 10, Spieler_Save, Spieler_Load, nullptr, 100, Spieler_Stuecke});
}

}  // namespace velmora
