// season/spiele_stand.cpp - the fixtures store in the save and on the
// network: its save block, a client's fetch of one game and the server's
// answers.
#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "season/spiele.h"
#include "season/spiele_intern.h"

namespace velmora {

using namespace spiele_intern;

namespace {

// Server: the versions of the store handed out; client: the one it holds.
Abgleich_Server& Server_Fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Client kopie;


}  // namespace

// Block layout (little-endian): u32 magic "SPIL", u32 version, u32 result
// counter, u32 games, the 32-byte games, u32 events, the 9-byte events, u32
// card entries, the 12-byte entries, u32 rules, the 8-byte rules.
namespace {

// The block; the games and events are packed where they stand.
void Spiele_Stuecke(SpielstandStuecke& out) {
    out.i32(int32_t(SPIELE_MAGIC));
    out.i32(int32_t(SPIELE_VERSION));
    out.i32(int32_t(g.folge));
    out.i32(int32_t(g.spiele.size()));
    out.block(g.spiele.data(), g.spiele.size() * sizeof(SpielDatensatz));
    out.i32(int32_t(g.ereignisse.size()));
    out.block(g.ereignisse.data(), g.ereignisse.size() * sizeof(SpielEreignis));
    out.i32(int32_t(g.sperr.eintraege.size()));
    Sperren_Ordnen(g.sperr);
    for (const auto& [k, platz] : g.sperr.ordnung) out.block(&g.sperr.eintraege[platz], sizeof(SperrEintrag));
    out.i32(int32_t(g.regeln.size()));
    for (const auto& [k, r] : g.regeln) out.block(&r, sizeof r);
}

}  // namespace

void Spiele_Save(std::vector<uint8_t>& out) { Spielstand_Stuecke_Anhaengen(Spiele_Stuecke, out); }

bool Spiele_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != SPIELE_MAGIC || uint32_t(l.i32()) != SPIELE_VERSION) {
        Debug_Printf("Spiele_Load: Block beschaedigt\n");
        return false;
    }
    SpieleModul neu;
    neu.initialisiert = true;
    neu.folge = uint32_t(l.i32());
    uint32_t n = uint32_t(l.i32());
    if (l.fehler || n > (bytes - l.pos) / sizeof(SpielDatensatz)) return Debug_Printf("Spiele_Load: Spiele\n"), false;
    neu.spiele.resize(n);
    l.block(neu.spiele.data(), n * sizeof(SpielDatensatz));
    uint32_t e = uint32_t(l.i32());
    if (l.fehler || e > (bytes - l.pos) / sizeof(SpielEreignis)) return Debug_Printf("Spiele_Load: Ereignisse\n"), false;
    neu.ereignisse.resize(e);
    l.block(neu.ereignisse.data(), e * sizeof(SpielEreignis));
    uint32_t k = uint32_t(l.i32());
    if (l.fehler || k > (bytes - l.pos) / sizeof(SperrEintrag)) return Debug_Printf("Spiele_Load: Sperren\n"), false;
    // One entry per (competition, player): the keys sorted show a second one.
    std::vector<SperrEintrag> sperren(k);
    std::vector<uint32_t> schluessel(k);
    for (uint32_t i = 0; i < k; ++i) {
        SperrEintrag& s = sperren[i];
        l.block(&s, sizeof s);
        if (s.wettbewerb < 0 || s.spieler >= SPIELER_MAX) l.fehler = true;
        schluessel[i] = Sperr_Schluessel(s.wettbewerb, s.spieler);
    }
    std::sort(schluessel.begin(), schluessel.end());
    if (std::adjacent_find(schluessel.begin(), schluessel.end()) != schluessel.end()) l.fehler = true;
    if (!l.fehler)
        for (const SperrEintrag& s : sperren) Sperr_Eintrag_Anhaengen(neu.sperr, s);
    Sperren_Ordnen(neu.sperr);
    uint32_t r = uint32_t(l.i32());
    if (l.fehler || r > (bytes - l.pos) / sizeof(SperrRegel)) return Debug_Printf("Spiele_Load: Regeln\n"), false;
    for (uint32_t i = 0; i < r; ++i) {
        SperrRegel s{};
        l.block(&s, sizeof s);
        if (!neu.regeln.emplace(s.wettbewerb, s).second) l.fehler = true;
    }
    if (l.fehler || l.pos != bytes) {
        Debug_Printf("Spiele_Load: Block beschaedigt\n");
        return false;
    }
    for (size_t i = 0; i < neu.spiele.size(); ++i) {
        const SpielDatensatz& s = neu.spiele[i];
        int64_t platz = (s.flags & SPIEL_FLAG_EREIGNISSE_OFFEN) ? SPIEL_EREIGNISSE_MAX : s.ereignis_anzahl;
        bool ereignisse_ok = s.ereignis_start == -1
                                 ? (s.ereignis_anzahl == 0 && !(s.flags & SPIEL_FLAG_EREIGNISSE_OFFEN))
                                 : (s.ereignis_start >= 0 && s.ereignis_anzahl <= SPIEL_EREIGNISSE_MAX &&
                                    int64_t(s.ereignis_start) + platz <= int64_t(e));
        // The clubs among the game's teams (-1 not yet known), a score of -1
        // (not played) or more, a crowd of none or more.
        const bool werte_ok = s.heim >= -1 && s.heim < TEAM_MAX && s.gast >= -1 && s.gast < TEAM_MAX &&
                              s.tore_heim >= -1 && s.tore_gast >= -1 && s.zuschauer >= 0;
        if (s.wettbewerb < 0 || s.runde < 0 || s.paarung < 0 || s.spieltag < 0 || !ereignisse_ok || !werte_ok ||
            !neu.index.emplace(Schluessel(s), int32_t(i)).second) {
            Debug_Printf("Spiele_Load: Spiel %d beschaedigt\n", int32_t(i));
            return false;
        }
    }
    // An event names players of the game or none.
    for (const SpielEreignis& ev : neu.ereignisse) {
        for (uint16_t p : {ev.spieler, ev.spieler2}) {
            if (p != SPIEL_KEIN_SPIELER && p >= SPIELER_MAX) {
                Debug_Printf("Spiele_Load: Ereignis mit Spieler %u\n", p);
                return false;
            }
        }
    }
    neu.locks.assign(neu.spiele.size(), 0);
    ++stand_alle;
    g = std::move(neu);
    return true;
}

Spiel_Lock Spiele_Client_Holen(int32_t w, int32_t runde, int32_t paarung, int32_t spieltag) {
    if (!g.initialisiert) {
        Debug_Printf("Spiele_Client_Holen: Spiele nicht initialisiert\n");
        return 0;
    }
    std::vector<uint8_t> arg, antwort;
    ClubPacker p{arg};
    for (int32_t v : {w, runde, paarung, spieltag}) p.i32(v);
    size_t n = 0;
    const uint8_t* block =
        Club_Remote_Block("Spiele_Client_Holen", ANFRAGE_SPIELE_SPIEL, "iiii<C<=0", arg, antwort, &n);
    if (!block || n < sizeof(SpielDatensatz) || (n - sizeof(SpielDatensatz)) % sizeof(SpielEreignis)) return 0;
    SpielDatensatz s;
    std::memcpy(&s, block, sizeof s);
    size_t ereignisse = (n - sizeof s) / sizeof(SpielEreignis);
    if (s.wettbewerb != w || s.runde != runde || s.paarung != paarung || s.spieltag != spieltag ||
        ereignisse != s.ereignis_anzahl || ereignisse > size_t(SPIEL_EREIGNISSE_MAX)) {
        Debug_Printf("Spiele_Client_Holen: Antwort passt nicht\n");
        return 0;
    }
    auto it = g.index.find(Schluessel(s));
    int32_t nr = it != g.index.end() ? it->second : Spiele_Neu(w, runde, paarung, spieltag, s.heim, s.gast);
    if (nr < 0) return 0;
    SpielDatensatz& ziel = g.spiele[nr];
    ++stand_alle;
    Ereignisse_Schliessen(ziel);
    s.ereignis_start = -1;
    s.ereignis_anzahl = 0;
    s.flags &= uint8_t(~SPIEL_FLAG_EREIGNISSE_OFFEN);
    if (ereignisse) {
        s.ereignis_start = int32_t(g.ereignisse.size());
        s.ereignis_anzahl = uint8_t(ereignisse);
        const SpielEreignis* e = reinterpret_cast<const SpielEreignis*>(block + sizeof s);
        g.ereignisse.insert(g.ereignisse.end(), e, e + ereignisse);
    }
    ziel = s;
    return nr + 1;
}

void Spiele_Client_Alle_Holen_Vorab() { kopie.Vorab(ANFRAGE_SPIELE_ABGLEICH); }

bool Spiele_Client_Alle_Holen() {
    return kopie.Holen_Und_Laden("Spiele_Client_Alle_Holen", ANFRAGE_SPIELE_ABGLEICH, Spiele_Load);
}

bool Spiele_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort) {
    ClubLeser l{argumente, bytes};
    ClubPacker p{antwort};
    if (anfrage == ANFRAGE_SPIELE_SERIE) {
        int32_t w = l.i32(), team = l.i32(), art = l.i32();
        if (l.fehler) return false;
        int32_t z[7] = {};
        int32_t r = Spiele_Serie(w, team, &z[0], &z[1], &z[2], &z[3], &z[4], &z[5], &z[6], art);
        p.i32(r);
        for (int32_t v : z) p.i32(v);
        return true;
    }
    if (anfrage == ANFRAGE_SPIELE_ALLE) {
        std::vector<uint8_t> block;   // empty while no game runs
        if (g.initialisiert) Spiele_Save(block);
        p.block_mit_laenge(block.data(), block.size());
        return true;
    }
    if (anfrage == ANFRAGE_SPIELE_ABGLEICH) {
        const uint32_t stand = uint32_t(l.i32());
        if (l.fehler) return false;
        std::vector<uint8_t> block, inhalt;   // empty while no game runs
        if (g.initialisiert) Spiele_Save(block);
        Server_Fassungen().Antworten(block, stand, inhalt);
        Debug_Printf("Spiele_Server_Anfrage: Abgleich %zu von %zu Bytes\n", inhalt.size(), block.size());
        p.block_mit_laenge(inhalt.data(), inhalt.size());
        return true;
    }
    if (anfrage == ANFRAGE_SPIELE_SPIEL) {
        int32_t w = l.i32(), runde = l.i32(), paarung = l.i32(), spieltag = l.i32();
        if (l.fehler) return false;
        std::vector<uint8_t> block;
        auto it = g.initialisiert ? g.index.find(Schluessel(w, runde, paarung, spieltag)) : g.index.end();
        if (it != g.index.end()) {
            const SpielDatensatz& s = g.spiele[it->second];
            const uint8_t* q = reinterpret_cast<const uint8_t*>(&s);
            block.insert(block.end(), q, q + sizeof s);
            if (s.ereignis_start >= 0) {
                q = reinterpret_cast<const uint8_t*>(&g.ereignisse[s.ereignis_start]);
                block.insert(block.end(), q, q + s.ereignis_anzahl * sizeof(SpielEreignis));
            }
        }
        p.block_mit_laenge(block.data(), block.size());
        return true;
    }
    return false;
}

bool Spiele_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Spiele", 21, Spiele_Save, Spiele_Load, nullptr, 100, Spiele_Stuecke});
}

}  // namespace velmora
