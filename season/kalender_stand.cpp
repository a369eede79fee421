// season/kalender_stand.cpp - the calendar's state in the save and on the
// network: its save block, a client's copy of the server's date and
// schedule, and the date a saved game shows in the load list.
#include <algorithm>
#include <random>
#include <vector>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "season/kalender.h"
#include "season/kalender_intern.h"
#include "season/wettbewerb.h"
#include "season/zeitplan.h"

namespace velmora {

using namespace kalender_intern;

namespace {

// The refusal of a block whose frame (magic, version, counts, length) does not hold.
bool Beschaedigt() {
    Debug_Printf("Kalender_Load: Block beschaedigt\n");
    return false;
}

// Server: the versions of the state handed out; client: the one it holds.
Abgleich_Server& server_fassungen() {
    static Abgleich_Server s{std::random_device{}()};
    return s;
}
Abgleich_Client client_kopie;

bool Stand_Lesen(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    if (!in || uint32_t(l.i32()) != KALENDER_MAGIC || l.i32() != KALENDER_VERSION) return Beschaedigt();
    KalenderModul n;
    n.tag = l.i32();
    n.start_nummer = l.i32();
    n.saisonjahr = l.i32();
    n.fortsetzen = l.i32();
    n.zug = l.i32();
    n.tempo = l.i32();
    int32_t zuege = l.i32();
    if (l.fehler || zuege < 0 || zuege > TEAM_MAX) return Beschaedigt();
    for (int32_t i = 0; i < zuege; ++i) {
        n.zuege.push_back(l.i32());
        if (n.zuege.back() < 0 || n.zuege.back() >= TEAM_MAX) l.fehler = true;   // a club's turn
    }
    n.zeitplan.wechsel_tag = l.i32();
    n.zeitplan.wechsel_monat = l.i32();
    n.zeitplan.start_jahr = l.i32();
    int32_t termine = l.i32();
    if (l.fehler || termine < 0 || size_t(termine) * 20 != bytes - l.pos) return Beschaedigt();
    for (int32_t i = 0; i < termine; ++i) {
        ZeitplanTermin t;
        t.wettbewerb = l.i32();
        t.runde = l.i32();
        t.spieltag = l.i32();
        t.tag = l.i32();
        t.monat = l.i32();
        // A date of a competition's round and leg, as the schedule takes them.
        if (!Zeitplan_Datum_Gueltig(t.tag, t.monat, 2001) || t.wettbewerb < WETTBEWERB_ERSTE_ID ||
            t.wettbewerb >= WETTBEWERB_ERSTE_ID + WETTBEWERB_MAX || t.runde < 1 || t.runde > ZEITPLAN_RUNDEN_MAX ||
            t.spieltag < 0 || t.spieltag > 1)
            l.fehler = true;
        n.zeitplan.termine.push_back(t);
    }
    const bool modus_ok = n.fortsetzen == KALENDER_TAG_START || n.fortsetzen == KALENDER_MENUE ||
                          n.fortsetzen == KALENDER_SPIELTAG || n.fortsetzen == KALENDER_NEUER_TAG;
    if (l.fehler || n.tag < 0 || !modus_ok || n.zug < 0 || n.zug > zuege ||
        !Zeitplan_Datum_Gueltig(n.zeitplan.wechsel_tag, n.zeitplan.wechsel_monat, 2001) || n.saisonjahr < 1900 ||
        n.saisonjahr > 9999 || n.zeitplan.start_jahr < 1900 || n.zeitplan.start_jahr > 9999 || n.tempo < 0 ||
        n.tempo > 1) {
        Debug_Printf("Kalender_Load: Werte ausserhalb\n");
        return false;
    }
    if (!Tage_Im_Bereich(n.start_nummer, n.tag)) {
        Debug_Printf("Kalender_Load: Tag %d ab %d ausserhalb\n", n.tag, n.start_nummer);
        return false;
    }
    g.tag = n.tag;
    g.start_nummer = n.start_nummer;
    g.saisonjahr = n.saisonjahr;
    g.fortsetzen = n.fortsetzen;
    g.zug = n.zug;
    g.tempo = n.tempo;
    g.zuege = n.zuege;
    g.zeitplan = n.zeitplan;
    g.initialisiert = true;
    Termine_Bauen();
    return true;
}


}  // namespace

// Block layout: u32 magic "KALE", i32 version, i32 day, i32 day number of day
// 0, i32 season year, i32 resume mode, i32 turn, i32 speed, i32 turn count and
// the turns' teams, then the schedule: i32 change day, i32 change month, i32
// first year, i32 count and per date five i32 (competition, round, leg, day, month).
void Kalender_Save(std::vector<uint8_t>& out) {
    ClubPacker p{out};
    p.i32(int32_t(KALENDER_MAGIC));
    p.i32(KALENDER_VERSION);
    for (int32_t v : {g.tag, g.start_nummer, g.saisonjahr, g.fortsetzen, g.zug, g.tempo}) p.i32(v);
    p.i32(int32_t(g.zuege.size()));
    for (int32_t t : g.zuege) p.i32(t);
    p.i32(g.zeitplan.wechsel_tag);
    p.i32(g.zeitplan.wechsel_monat);
    p.i32(g.zeitplan.start_jahr);
    p.i32(int32_t(g.zeitplan.termine.size()));
    for (const ZeitplanTermin& t : g.zeitplan.termine)
        for (int32_t v : {t.wettbewerb, t.runde, t.spieltag, t.tag, t.monat}) p.i32(v);
}

bool Kalender_Load(const uint8_t* in, size_t bytes) {
    if (!Stand_Lesen(in, bytes)) return false;
    g.geladen = true;
    return true;
}

void Kalender_Client_Sync_Vorab() {
    if (Club_Ist_Client()) client_kopie.Vorab(ANFRAGE_KALENDER_ABGLEICH);
}

bool Kalender_Client_Sync() {
    if (!Club_Ist_Client()) {
        Debug_Printf("Kalender_Client_Sync: kein Client\n");
        return false;
    }
    // A waiting client asks every second: the schedule, most of the block,
    // travels only when it changed.
    if (!client_kopie.Holen("Kalender_Client_Sync", ANFRAGE_KALENDER_ABGLEICH)) return false;
    // The date and the schedule are the server's; the turns and where to
    // resume are this machine's (the server's turns are its own managers').
    const std::vector<int32_t> zuege = g.zuege;
    const int32_t zug = g.zug, fortsetzen = g.fortsetzen;
    if (!Stand_Lesen(client_kopie.bytes.data(), client_kopie.bytes.size())) {
        client_kopie.Leeren();
        return false;
    }
    g.zuege = zuege;
    g.zug = zug;
    g.fortsetzen = fortsetzen;
    return true;
}

bool Kalender_Server_Anfrage(int32_t anfrage, const uint8_t* argumente, size_t bytes, std::vector<uint8_t>& antwort) {
    if (anfrage != ANFRAGE_KALENDER_STAND && anfrage != ANFRAGE_KALENDER_ABGLEICH) return false;
    std::vector<uint8_t> block;
    if (g.initialisiert) Kalender_Save(block);
    ClubPacker p{antwort};
    if (anfrage == ANFRAGE_KALENDER_STAND) {
        p.block_mit_laenge(block.data(), block.size());
        return true;
    }
    ClubLeser l{argumente, bytes};
    const uint32_t stand = uint32_t(l.i32());
    if (l.fehler) return false;
    std::vector<uint8_t> inhalt;
    server_fassungen().Antworten(block, stand, inhalt);
    Debug_Printf("Kalender_Server_Anfrage: Abgleich %zu von %zu Bytes\n", inhalt.size(), block.size());
    p.block_mit_laenge(inhalt.data(), inhalt.size());
    return true;
}

int32_t Kalender_Titel_Jahr() {
    if (g.initialisiert) return Kalender_Datum_Kopie().jahr;
    int32_t saison = 0;
    for (int32_t id : Wettbewerb_Alle()) saison = std::max(saison, Wettbewerb_Satz(id)->saison);
    return saison;
}

bool Kalender_Spielstand_Datum(int32_t slot, TagDatensatz* datum, int32_t* saisonjahr) {
    std::vector<uint8_t> block;
    // The block's head is all that is read: the date comes before the schedule.
    constexpr uint32_t HOECHSTENS = 1u << 20;
    if (!datum || !saisonjahr || !Spielstand_Modul_Block_Lesen(slot, "Kalender", HOECHSTENS, &block)) return false;
    ClubLeser l{block.data(), block.size()};
    if (uint32_t(l.i32()) != KALENDER_MAGIC || l.i32() != KALENDER_VERSION) return false;
    const int32_t tag = l.i32(), start_nummer = l.i32(), jahr = l.i32();
    if (l.fehler || !Tage_Im_Bereich(start_nummer, tag) || jahr < 1900 || jahr > 9999) return false;
    Datum_Fuellen(start_nummer, tag, datum);
    *saisonjahr = jahr;
    return true;
}

bool Kalender_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Kalender", 24, Kalender_Save, Kalender_Load, nullptr});
}

}  // namespace velmora
