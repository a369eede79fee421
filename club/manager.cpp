// club/manager.cpp - the human managers' records and the icon state kept in them.
#include "club/manager.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/mem.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/str.h"

namespace velmora {
namespace {

// The screen states a new manager starts with: his picture in the team
// choice, and the table screen's filter (all games), slider knob, chosen
// competition (none chosen yet) and matchday (0: none yet, the screen
// falls back to the next one).
constexpr int32_t ICON_TEAMWAHL = 886;
constexpr int32_t ICON_TABELLE_FILTER = 803;
constexpr int32_t ICON_TABELLE_KNAUF = 813;
constexpr int32_t ICON_TABELLE_WETTBEWERB = 802;
constexpr int32_t ICON_TABELLE_SPIELTAG = 834;
constexpr int32_t STANDARD_BILD = 141;

struct ManagerModul {
    ManagerStruktur* satz[TEAM_MAX] = {};
    int32_t anzahl = 0;
};
ManagerModul g;

bool Team_Ok(int32_t team) { return team >= 0 && team < Team_Anzahl() && team < TEAM_MAX; }

ManagerStruktur* Neu_Leer() {
    return static_cast<ManagerStruktur*>(Mem_Alloc_Fill(sizeof(ManagerStruktur), "Manager", 0));
}

// The record an icon call may use, or null with the function's log line.
ManagerStruktur* Icon_Record(const char* wer, int32_t team, int32_t icon) {
    if (!Team_Ok(team) || !g.satz[team]) {
        Debug_Printf("%s: teamnr falsch !\n", wer);
        return nullptr;
    }
    if (icon < 0 || icon >= MANAGER_ICONS) {
        Debug_Printf("%s: iconnr falsch !\n", wer);
        return nullptr;
    }
    return g.satz[team];
}

// Client: its manager's icon states and words as the server holds them,
// from the refresh of the record (request 1018) and the server's answer to
// each icon it writes. While it holds, an icon written with the value the
// server already has (the screens set their icons again each time they are
// built) is not sent. Forgotten as the players' copy is
// (Manager_Server_Stand_Vergessen) and when a write got no answer.
struct IconStand {
    int32_t team = -1;   // -1: nothing held
    std::vector<int32_t> wert, wort;
    uint32_t nicht_gesendet = 0;
};
IconStand icon_stand;

// A client changes only its own manager's record and sends the change on.
void Icon_Schreiben(const char* wer, int32_t team, int32_t icon, int32_t wert, int32_t art) {
    ManagerStruktur* m = Icon_Record(wer, team, icon);
    if (!m) return;
    bool client = Club_Ist_Client();
    if (client && team != Club_Client_Team()) {
        Debug_Printf("%s: CLIENT-WRITE!\n", wer);
        return;
    }
    (art == 0 ? m->icon_wert : m->icon_wort)[icon] = wert;
    // Until a joining client has its club the start screens keep their state
    // in the market's placeholder, a record of this machine only: the server
    // would refuse it as another club's.
    if (client && team != Team_Markt()) {
        std::vector<int32_t>& dort = art == 0 ? icon_stand.wert : icon_stand.wort;
        if (icon_stand.team == team && dort[size_t(icon)] == wert) {
            ++icon_stand.nicht_gesendet;
            return;
        }
        std::vector<uint8_t> a, antwort;
        ClubPacker pk{a};
        pk.i32(team);
        pk.i32(icon);
        pk.i32(wert);
        pk.i32(art);
        ClubLeser l{antwort.data(), 0};
        if (Club_Remote(wer, ANFRAGE_MANAGER_ICON, "iiii<i", a, antwort)) l = ClubLeser{antwort.data(), antwort.size()};
        const int32_t server = l.i32();
        if (l.fehler || l.bytes == 0)
            Manager_Server_Stand_Vergessen();
        else if (icon_stand.team == team)
            dort[size_t(icon)] = server;
    }
}

bool Portrait_Frei(int32_t portrait) {
    for (const ManagerStruktur* m : g.satz)
        if (m && m->portrait == portrait) return false;
    return true;
}

}  // namespace

ManagerStruktur* Manager_Neuer_Mitspieler(int32_t team, const char* name, int32_t portrait) {
    if (!Team_Ok(team)) {
        Debug_Printf("Manager_Neuer_Mitspieler: Team %d ungueltig\n", team);
        return nullptr;
    }
    if (g.satz[team]) {
        Debug_Printf("Manager: Team %d hat schon einen Manager!\n", team);
        return nullptr;
    }
    ManagerStruktur* m = Neu_Leer();
    if (!m) return nullptr;
    if (name) std::strncpy(m->name, name, sizeof m->name - 1);
    if (portrait < 0 || portrait >= MANAGER_PORTRAITS) {
        portrait = 0;
        for (int32_t p = 0; p < MANAGER_PORTRAITS; ++p)
            if (Portrait_Frei(p)) {
                portrait = p;
                break;
            }
    }
    m->portrait = portrait;
    m->team = team;
    // The new manager takes his turn after every manager already in the game.
    for (const ManagerStruktur* x : g.satz)
        if (x) m->reihe = std::max(m->reihe, x->reihe);
    ++m->reihe;
    m->optionen[2] = 1;        // background music
    m->optionen[3] = 1;        // sound effects
    m->hilfe = 1;
    m->jobwechsel = -1;
    m->icon_wert[ICON_TEAMWAHL] = STANDARD_BILD;
    if (team != Team_Markt()) {
        m->icon_wert[ICON_TABELLE_FILTER] = 0;
        m->icon_wert[ICON_TABELLE_KNAUF] = STANDARD_BILD;
    }
    m->icon_wort[ICON_TABELLE_WETTBEWERB] = -1;
    m->icon_wort[ICON_TABELLE_SPIELTAG] = 0;
    g.satz[team] = m;
    ++g.anzahl;
    return m;
}

bool Manager_Entfernen(int32_t team) {
    if (!Team_Ok(team) || !g.satz[team]) {
        Debug_Printf("Team %d hat keinen Manager!\n", team);
        return false;
    }
    if (team == icon_stand.team) Manager_Server_Stand_Vergessen();
    g.satz[team] = static_cast<ManagerStruktur*>(Mem_Free(g.satz[team]));
    if (g.satz[team]) {
        Debug_Printf("Manager_Entfernen: Speicher von Team %d beschaedigt\n", team);
        g.satz[team] = nullptr;
    }
    --g.anzahl;
    return true;
}

ManagerStruktur* Manager_Get_Record(int32_t team) {
    if (!Team_Ok(team)) {
        Debug_Printf("Manager_Get_Record: Team %d ungueltig\n", team);
        return nullptr;
    }
    return g.satz[team] ? g.satz[team] : Manager_Neuer_Mitspieler(team, nullptr, -1);
}

ManagerStruktur* Manager_Record(int32_t team) { return Team_Ok(team) ? g.satz[team] : nullptr; }

ManagerStruktur* Manager_Abnehmen(int32_t team) {
    if (!Team_Ok(team) || !g.satz[team]) return nullptr;
    ManagerStruktur* m = g.satz[team];
    g.satz[team] = nullptr;
    --g.anzahl;
    return m;
}

bool Manager_Anhaengen(int32_t team, ManagerStruktur* record) {
    if (!Team_Ok(team) || !record || g.satz[team]) {
        Debug_Printf("Manager_Anhaengen: Team %d ungueltig oder belegt\n", team);
        return false;
    }
    record->team = team;
    g.satz[team] = record;
    ++g.anzahl;
    return true;
}

void Manager_Alle_Freigeben() {
    for (ManagerStruktur*& m : g.satz) {
        if (m && Mem_Free(m)) Debug_Printf("Manager_Alle_Freigeben: Speicher von Team %d beschaedigt\n", m->team);
        m = nullptr;
    }
    g.anzahl = 0;
}

int32_t Manager_Anzahl() { return g.anzahl; }

const char* Manager_Name(int32_t team) {
    const ManagerStruktur* m = Manager_Record(team);
    if (!m) return "Team_String_Error";
    char* t = Str_Temp();
    size_t n = strnlen(m->name, sizeof m->name);
    std::memcpy(t, m->name, n);
    t[n] = 0;
    return t;
}

int32_t Manager_Portrait(int32_t team) {
    const ManagerStruktur* m = Manager_Record(team);
    return m ? m->portrait : 0;
}

uint8_t* Manager_Zeiger_Hilfe(int32_t team) {
    ManagerStruktur* m = Manager_Record(team);
    return m ? &m->hilfe : nullptr;
}

bool Manager_Panel_Lesen(int32_t team, int32_t paar[2]) {
    const ManagerStruktur* m = Manager_Record(team);
    if (!m) return false;
    paar[0] = m->panel[0];
    paar[1] = m->panel[1];
    return true;
}

bool Manager_Panel_Schreiben(int32_t team, const int32_t paar[2]) {
    ManagerStruktur* m = Manager_Record(team);
    if (!m) return false;
    m->panel[0] = paar[0];
    m->panel[1] = paar[1];
    return true;
}

void Manager_Icon_Button_An_Aus(int32_t team, int32_t icon, int32_t wert) {
    Icon_Schreiben("Manager_Icon_Button_An_Aus", team, icon, wert, 0);
}

int32_t Manager_Icon_Button_Lesen(int32_t team, int32_t icon) {
    const ManagerStruktur* m = Icon_Record("Manager_Icon_Button_Lesen", team, icon);
    return m ? m->icon_wert[icon] : 0;
}

void Manager_Icon_Word_Data_Schreiben(int32_t team, int32_t icon, int32_t wert) {
    Icon_Schreiben("Manager_Icon_Word_Data_Schreiben", team, icon, wert, 1);
}

int32_t Manager_Icon_Word_Data_Lesen(int32_t team, int32_t icon) {
    const ManagerStruktur* m = Icon_Record("Manager_Icon_Word_Data_Lesen", team, icon);
    return m ? m->icon_wort[icon] : 0;
}

void Manager_Icon_Togglebutton_An_Aus(int32_t team, int32_t anzahl, int32_t icon, const int32_t* icons) {
    if (!icons || anzahl < 0) {
        Debug_Printf("Manager_Icon_Togglebutton_An_Aus: Liste ungueltig\n");
        return;
    }
    for (int32_t i = 0; i < anzahl; ++i)
        Icon_Schreiben("Manager_Icon_Togglebutton_An_Aus", team, icons[i], icons[i] == icon ? 1 : 0, 0);
}

void Manager_Icon_Liste_Aus(const int32_t* liste, int32_t anzahl, int32_t bild, int32_t) {
    if (!liste || anzahl < 0) {
        Debug_Printf("Manager_Icon_Liste_Aus: Liste ungueltig\n");
        return;
    }
    for (int32_t i = 0; i < anzahl; ++i) Icon_Schreiben("Manager_Icon_Liste_Aus", Team_Lokal(), liste[i], bild, 0);
}

int32_t Manager_Ist_Dran(int32_t* liste, int32_t mischen, int32_t alle) {
    if (!liste) {
        Debug_Printf("Manager_Ist_Dran: keine Liste\n");
        return 0;
    }
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (g.satz[t] && (alle || Team_Hat_Aktiven_Manager(t))) liste[n++] = t;
    std::stable_sort(liste, liste + n, [](int32_t a, int32_t b) { return g.satz[a]->reihe < g.satz[b]->reihe; });
    if (mischen) Misch_U32(reinterpret_cast<uint32_t*>(liste), n);
    return n;
}

int32_t Manager_Wert(int32_t modus, ManagerStruktur* m, int32_t wert, int32_t op) {
    if (!m) {
        Debug_Printf("Manager_Wert: kein Manager, modus=%d\n", modus);
        return 0;
    }
    int32_t unten, oben;
    int32_t* feld;
    switch (modus) {
    case 308: feld = &m->trainingslager, unten = 0, oben = 99; break;
    case 309: feld = &m->jobwechsel, unten = -1, oben = TEAM_MAX - 1; break;
    default:
        Debug_Printf("Manager_Wert: Modus %d ungueltig\n", modus);
        return 0;
    }
    if (op == OP_LESEN) return *feld;
    if (op == OP_PROZENT) return int32_t((int64_t(*feld) - unten) * 100 / (oben - unten));
    if (op != OP_SCHREIBEN && op != OP_PLUS) {
        Debug_Printf("Manager_Wert: Operation %d ungueltig\n", op);
        return 0;
    }
    if (Club_Ist_Client()) {
        Debug_Printf("Manager_Wert: CLIENT-WRITE!\n");
        return 0;
    }
    int64_t neu = op == OP_SCHREIBEN ? wert : int64_t(*feld) + (wert ? wert : 1);
    if (neu < unten || neu > oben) {
        Debug_Printf("Manager_Wert: Wert nicht innerhalb der Grenzen, wert=%d,modus=%d\n", wert, modus);
        neu = neu < unten ? unten : oben;
    }
    *feld = int32_t(neu);
    return *feld;
}

void Manager_Set_Wert_33844(int32_t team, int32_t wert) {
    ManagerStruktur* m = Manager_Record(team);
    if (!m) {
        Debug_Printf("Team %d hat keinen Manager!\n", team);
        return;
    }
    Manager_Wert(308, m, wert, OP_SCHREIBEN);
}

int32_t Manager_Lager_Verbrauchen(int32_t team) {
    ManagerStruktur* m = Manager_Record(team);
    if (!m) return -1;
    if (Club_Ist_Client()) {
        if (team != Club_Client_Team()) {
            Debug_Printf("Manager_Lager_Verbrauchen: CLIENT-WRITE!\n");
            return -1;
        }
        std::vector<uint8_t> a;
        ClubPacker pk{a};
        pk.i32(team);
        const int32_t neu = Club_Remote_Int("Manager_Lager_Verbrauchen", ANFRAGE_MANAGER_LAGER, "i<i", a, -1);
        if (neu >= 0) m->trainingslager = neu;
        return neu;
    }
    if (m->trainingslager < 1) return -1;
    return Manager_Wert(308, m, m->trainingslager - 1, OP_SCHREIBEN);
}

int32_t Manager_Option_Lesen(int32_t nummer) {
    const ManagerStruktur* m = Manager_Record(Team_Lokal());
    if (!m || nummer < 40 || nummer > 43) return 0;
    // Option 40, "help texts", is the byte the help texts ask (team pointer 306).
    return nummer == 40 ? m->hilfe : m->optionen[nummer - 40];
}

void Manager_Option_Schreiben(int32_t nummer, int32_t wert) {
    ManagerStruktur* m = Manager_Record(Team_Lokal());
    if (!m || nummer < 40 || nummer > 43) {
        Debug_Printf("Manager_Option_Schreiben: Option %d ohne lokalen Manager\n", nummer);
        return;
    }
    if (nummer == 40) m->hilfe = uint8_t(wert);
    else m->optionen[nummer - 40] = uint8_t(nummer >= 42 ? (wert != 0) : wert);
}

void Manager_Save(std::vector<uint8_t>& out) {
    ClubPacker pk{out};
    pk.i32(g.anzahl);
    for (int32_t t = 0; t < TEAM_MAX; ++t) {
        if (!g.satz[t]) continue;
        pk.i32(t);
        pk.block(g.satz[t], sizeof(ManagerStruktur));
    }
}

bool Manager_Load(const uint8_t* in, size_t bytes) {
    ClubLeser l{in, bytes};
    int32_t n = l.i32();
    size_t je = 4 + sizeof(ManagerStruktur);
    if (l.fehler || n < 0 || n > TEAM_MAX || bytes != 4 + size_t(n) * je) {
        Debug_Printf("Manager_Load: Block beschaedigt (%zu Bytes, Anzahl %d)\n", bytes, n);
        return false;
    }
    std::vector<uint8_t> belegt(TEAM_MAX, 0);
    for (int32_t i = 0; i < n; ++i) {
        int32_t team = l.i32();
        if (!Team_Ok(team) || belegt[size_t(team)]++) {
            Debug_Printf("Manager_Load: Team %d ungueltig\n", team);
            return false;
        }
        // The portrait, the camps left and a pending job change within their
        // limits, the formations' cells on the grid.
        ManagerStruktur m;
        l.block(&m, sizeof m);
        bool ok = m.portrait >= 0 && m.portrait < MANAGER_PORTRAITS && m.trainingslager >= 0 && m.trainingslager <= 99 &&
                  m.jobwechsel >= -1 && m.jobwechsel < TEAM_MAX;
        for (const Formation& f : m.formationen)
            for (const auto& z : f.zelle) ok = ok && z[0] >= -1 && z[0] <= 6 && z[1] >= -1 && z[1] <= 10;
        if (!ok) {
            Debug_Printf("Manager_Load: Manager von Team %d beschaedigt\n", team);
            return false;
        }
    }
    Manager_Alle_Freigeben();
    l.pos = 4;
    for (int32_t i = 0; i < n; ++i) {
        int32_t team = l.i32();
        ManagerStruktur* m = Neu_Leer();
        if (!m) return false;
        l.block(m, sizeof(ManagerStruktur));
        m->team = team;
        g.satz[team] = m;
        ++g.anzahl;
    }
    return true;
}

bool Manager_Internet_Client_Startinfo_1(int32_t* level, int32_t* anzahl) {
    std::vector<uint8_t> a, antwort;
    size_t groesse = 0;
    const uint8_t* d = Club_Remote_Block("Manager_Internet_Client_Startinfo_1", ANFRAGE_MANAGER_STARTINFO, "<C<=0", a,
                                         antwort, &groesse);
    ClubLeser b{d, groesse};
    int32_t lv = b.i32(), n = b.i32();
    if (!d || b.fehler) {
        Debug_Printf("Manager_Internet_Client_Startinfo_1: Antwort ungueltig\n");
        return false;
    }
    if (level) *level = lv;
    if (anzahl) *anzahl = n;
    return true;
}

bool Manager_Internet_Client_Startinfo_2(int32_t team) {
    const ManagerStruktur* m = Manager_Record(team);
    if (!m) {
        Debug_Printf("Manager_Internet_Client_Startinfo_2: Team %d ohne Manager\n", team);
        return false;
    }
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(team);
    pk.block_mit_laenge(m, sizeof *m);
    return Club_Remote_Int("Manager_Internet_Client_Startinfo_2", ANFRAGE_MANAGER_SENDEN, "iB<i", a, 0) == 1;
}

void Manager_Internet_Client_Refresh_Vorab() {
    const int32_t team = Club_Client_Team();
    if (Team_Ok(team)) Club_Remote_Satz_Vorab(ANFRAGE_MANAGER_RECORD, team);
}

bool Manager_Internet_Client_Refresh() {
    Manager_Server_Stand_Vergessen();
    int32_t team = Club_Client_Team();
    if (!Team_Ok(team)) {
        Debug_Printf("Manager_Internet_Client_Refresh: Team %d ungueltig\n", team);
        return false;
    }
    std::vector<uint8_t> antwort;
    bool keiner = false;
    const uint8_t* d = Club_Remote_Satz("Manager_Internet_Client_Refresh", ANFRAGE_MANAGER_RECORD, team,
                                        sizeof(ManagerStruktur), antwort, &keiner);
    if (keiner) return !g.satz[team] || Manager_Entfernen(team);
    if (!d) return false;
    if (!g.satz[team]) {
        ManagerStruktur* m = Neu_Leer();
        if (!m || !Manager_Anhaengen(team, m)) return false;
    }
    std::memcpy(g.satz[team], d, sizeof(ManagerStruktur));
    g.satz[team]->team = team;
    icon_stand.wert.assign(g.satz[team]->icon_wert, g.satz[team]->icon_wert + MANAGER_ICONS);
    icon_stand.wort.assign(g.satz[team]->icon_wort, g.satz[team]->icon_wort + MANAGER_ICONS);
    icon_stand.team = team;
    return true;
}

void Manager_Server_Stand_Vergessen() { icon_stand.team = -1; }

uint32_t Manager_Icons_Nicht_Gesendet() { return icon_stand.nicht_gesendet; }

bool Club_Client_Refresh_Alle() {
    bool ok = Spieler_Internet_Client_Refresh();
    ok = Team_Internet_Client_Refresh() && ok;
    return Manager_Internet_Client_Refresh() && ok;
}

bool Manager_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort) {
    ClubPacker pk{antwort};
    switch (anfrage) {
    case ANFRAGE_MANAGER_ICON: {
        int32_t team = l.i32(), icon = l.i32(), wert = l.i32(), art = l.i32();
        if (l.fehler) return true;
        if (!Club_Ist_Eigenes(team, client_team)) {
            Debug_Printf("Manager_Icon_Button_An_Aus: CLIENT-WRITE! (Team %d, Client-Team %d)\n", team, client_team);
            pk.i32(0);
            return true;
        }
        if (art == 0)
            Manager_Icon_Button_An_Aus(team, icon, wert);
        else
            Manager_Icon_Word_Data_Schreiben(team, icon, wert);
        pk.i32(art == 0 ? Manager_Icon_Button_Lesen(team, icon) : Manager_Icon_Word_Data_Lesen(team, icon));
        return true;
    }
    case ANFRAGE_MANAGER_LAGER: {
        // Only a decrease by one of the client's own camps: a client cannot raise its count.
        const int32_t team = l.i32();
        if (l.fehler) return true;
        if (!Club_Ist_Eigenes(team, client_team)) {
            Debug_Printf("Manager_Lager_Verbrauchen: CLIENT-WRITE! (Team %d, Client-Team %d)\n", team, client_team);
            pk.i32(-1);
            return true;
        }
        pk.i32(Manager_Lager_Verbrauchen(team));
        return true;
    }
    case ANFRAGE_MANAGER_STARTINFO: {
        std::vector<uint8_t> block;
        ClubPacker bp{block};
        bp.i32(Team_Spiel_Level());
        bp.i32(g.anzahl);
        pk.block_mit_laenge(block.data(), block.size());
        return true;
    }
    case ANFRAGE_MANAGER_RECORD: {
        int32_t team = l.i32();
        if (l.fehler) return true;
        const ManagerStruktur* m = Club_Ist_Eigenes(team, client_team) ? Manager_Record(team) : nullptr;
        if (!Club_Ist_Eigenes(team, client_team))
            Debug_Printf("Manager_Server_Anfrage: Team %d fuer Client-Team %d\n", team, client_team);
        pk.block_mit_laenge(m, m ? sizeof(ManagerStruktur) : 0);
        return true;
    }
    case ANFRAGE_MANAGER_SENDEN: {
        // A client's manager record after it took its club: only for its own
        // club, which has a manager here; the name ends within its field, the
        // portrait is one of 0-44, the record keeps its team and its camps.
        const int32_t team = l.i32();
        size_t groesse = 0;
        const uint8_t* d = l.block_mit_laenge(&groesse);
        if (l.fehler) return true;
        ManagerStruktur neu{};
        ManagerStruktur* m = Club_Ist_Eigenes(team, client_team) ? Manager_Record(team) : nullptr;
        if (d && groesse == sizeof neu) std::memcpy(&neu, d, sizeof neu);
        const bool ok = m && d && groesse == sizeof neu && neu.portrait >= 0 && neu.portrait < MANAGER_PORTRAITS;
        if (!ok) {
            Debug_Printf("Manager_Server_Anfrage: Managerdaten fuer Team %d (Client-Team %d, %zu Bytes) verweigert\n",
                         team, client_team, groesse);
            pk.i32(0);
            return true;
        }
        neu.name[sizeof neu.name - 1] = 0;
        neu.team = team;
        // The season's camps are counted here: the client's copy neither
        // raises nor resets them (only request 1023 lowers them, by one).
        neu.trainingslager = m->trainingslager;
        neu.reihe = m->reihe;   // and its place in the turn order
        *m = neu;
        pk.i32(1);
        return true;
    }
    default: return false;
    }
}

bool Manager_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Manager", 12, Manager_Save, Manager_Load, nullptr});
}

}  // namespace velmora
