// app/sim_lauf.cpp - a game without a screen.
#include "app/sim_lauf.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "app/sim_live_statistik.h"
#include "app/verdrahtung.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/dirs.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/str.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_pruefen.h"
#include "platform/display.h"
#include "screens/spielstart_wahl.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/spielstart.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {

SimZustand& Sim() {
    static SimZustand s;
    return s;
}

bool Sim_Welt_Erzeugen(const std::string& install, bool klein, uint32_t seed, std::string* fehler) {
    Rnd_Init();
    Verdrahtung_Weltgen();
    WeltgenOptionen o;
    o.klein = klein;
    o.seed = seed;
    WeltgenWelt welt;
    bool ok = Weltgen_Erzeugen(o, welt);
    if (!ok && fehler) *fehler = "its clubs and players could not be built";
    ok = ok && Weltgen_Schreiben(welt, install, fehler);
    Team_Free(0);
    Spieler_Free();
    return ok;
}

namespace {

// The game cannot go on: the reason is kept and the program ends the orderly way.
void stoppen(SimStopp stopp, const std::string& text) {
    SimZustand& s = Sim();
    s.fehler = true;
    s.stopp = stopp;
    s.fehler_text = text;
    Programm_Beenden_Anfordern();
}

// The checker's state per live record, by game number.
std::map<uint32_t, Spielfeld_Pruefstand>& Pruefstaende() {
    static std::map<uint32_t, Spielfeld_Pruefstand> m;
    return m;
}

// The file beside the replay save that holds the checker's states of its frame.
std::string Pruef_Datei() {
    return Str_Format("%s/game_%d.pruef", Dirs_Get(DIR_SPIELSTAND), SIM_REPLAY_SLOT);
}

bool Spielstand_Kennung(uint64_t* groesse, int64_t* zeit) {
    std::error_code ec;
    const std::filesystem::path pfad = Str_Format("%s/game_%d.qzv", Dirs_Get(DIR_SPIELSTAND), SIM_REPLAY_SLOT);
    *groesse = std::filesystem::file_size(pfad, ec);
    if (ec) return false;
    *zeit = int64_t(std::filesystem::last_write_time(pfad, ec).time_since_epoch().count());
    return !ec;
}

// The game and the checker's states at a recent frame in which a live match
// passed a minute, held in memory: written into SIM_REPLAY_SLOT (and the
// states beside it) only when a rule breaks.
struct Replay_Stand {
    SpielstandAbbild abbild;
    Pruefstand_Sicherung staende;
    bool gueltig = false;
};
Replay_Stand& Replay() {
    static Replay_Stand r;
    return r;
}

// A live match passed a minute in this frame: the game and the checker's states are kept.
void Replay_Nehmen(int64_t frame) {
    Replay_Stand& r = Replay();
    r.gueltig = Spielstand_Abbild_Nehmen(&r.abbild, SIM_REPLAY_SLOT);
    if (!r.gueltig) return;
    r.staende.frame = frame;
    r.staende.eintraege.clear();
    for (Spielfeld_Satz* satz = Spielfeld_Naechster(nullptr); satz; satz = Spielfeld_Naechster(satz)) {
        const auto it = Pruefstaende().find(satz->spiel);
        if (satz->live == 1 && it != Pruefstaende().end()) r.staende.eintraege.push_back({it->second, satz->frame_zaehler});
    }
}

// A rule broke: the kept minute change is written as the replay save with
// the checker's states of its frame beside it. False when there is none or
// the save failed.
bool Replay_Schreiben() {
    Replay_Stand& r = Replay();
    if (!r.gueltig || !Spielstand_Abbild_Speichern(r.abbild)) return false;
    Pruefstand_Sicherung& s = r.staende;
    if (!Spielstand_Kennung(&s.spielstand_groesse, &s.spielstand_zeit) ||
        !Pruefstand_Sicherung_Schreiben(Pruef_Datei().c_str(), s))
        Plat_Stderr_Zeile(Str_Format("%s cannot be written; a replay counts its rules afresh", Pruef_Datei().c_str()));
    return true;
}

// The states a loaded replay save takes over, each once its record has moved
// on from the frame of the save (that frame was checked by the run that saved it).
std::optional<Pruefstand_Sicherung>& Wartende_Staende() {
    static std::optional<Pruefstand_Sicherung> w;
    return w;
}

void Pruefstaende_Laden() {
    Pruefstand_Sicherung s;
    uint64_t groesse = 0;
    int64_t zeit = 0;
    if (!Pruefstand_Sicherung_Lesen(Pruef_Datei().c_str(), &s)) return;
    if (!Spielstand_Kennung(&groesse, &zeit) || groesse != s.spielstand_groesse || zeit != s.spielstand_zeit) {
        Plat_Stderr_Zeile(
            Str_Format("%s belongs to another save; the rules are counted afresh", Pruef_Datei().c_str()));
        return;
    }
    Wartende_Staende() = std::move(s);
}

// A replay's record takes over its saved state: false while it still stands at
// the saved frame. The run's frame count follows the record's.
bool Gesicherten_Stand_Nehmen(const Spielfeld_Satz* satz) {
    std::optional<Pruefstand_Sicherung>& w = Wartende_Staende();
    if (!w) return true;
    for (auto it = w->eintraege.begin(); it != w->eintraege.end(); ++it) {
        if (it->st.spiel != satz->spiel) continue;
        if (satz->frame_zaehler == it->frame_zaehler) return false;
        Pruefstaende()[satz->spiel] = it->st;
        if (w->frame >= 0) {
            Sim().frames = w->frame + int64_t(satz->frame_zaehler - it->frame_zaehler);
            w->frame = -1;
        }
        w->eintraege.erase(it);
        break;
    }
    if (w->eintraege.empty()) w.reset();
    return true;
}

// Frames between two images of the game the checker keeps: a game minute of
// open play. A single live match passes its minutes no faster, so each of
// its minute changes is kept; with every match of the world live a minute
// passes in nearly every frame, and an image each time (a copy of the whole
// game) cost a quarter of the run. A replay from any frame breaks at the
// same frame, so it starts at most about a game minute before the break.
constexpr int64_t REPLAY_ABSTAND = 45;

// Whether the frame's minute change is kept: none is held yet, or the one
// held is a game minute old (or from a later frame: a loaded replay's run
// counts its frames anew).
bool Replay_Faellig(int64_t frame) {
    const Replay_Stand& r = Replay();
    return !r.gueltig || frame < r.staende.frame || frame - r.staende.frame >= REPLAY_ABSTAND;
}

// Checks every live record after a frame; the first broken rule stops the run.
// After a frame in which a live match passed a minute, a game minute after
// the image held, the game and the checker's states are kept in memory; a
// broken rule writes them into SIM_REPLAY_SLOT and names that save, which
// plays the day on to the same break. (Saving the file itself every such
// frame cost most of a full-world run.)
void Live_Pruefen() {
    if (!Spielfeld_Ist_Initialisiert() || Spielfeld_Anzahl() == 0) {
        Pruefstaende().clear();
        return;
    }
    bool minute = false;
    for (Spielfeld_Satz* satz = Spielfeld_Naechster(nullptr); satz; satz = Spielfeld_Naechster(satz)) {
        if (satz->live != 1) continue;
        if (!Gesicherten_Stand_Nehmen(satz)) continue;
        const int64_t frame = Sim().frames;
        const int32_t abschnitte = Wettbewerb_Anz_Spielabschnitte(int32_t(satz->wettbewerb));
        Spielfeld_Pruefstand& st = Pruefstaende()[satz->spiel];
        minute = minute || (st.spiel == satz->spiel && st.minute != satz->minute);
        const char* regel = Spielfeld_Pruefen(satz, abschnitte, &st);
        if (!regel) continue;
        std::string text = Str_Format("frame %lld, day %d, game %u, minute %d: %s", static_cast<long long>(frame),
                                      Tag_Index(), satz->spiel, satz->minute, regel);
        Sim().replay_gespeichert = Replay_Schreiben();
        if (Sim().replay_gespeichert)
            text += Str_Format("; a minute change shortly before is saved in slot %d (%s/game_%d.qzv)", SIM_REPLAY_SLOT,
                               Dirs_Get(DIR_SPIELSTAND), SIM_REPLAY_SLOT);
        stoppen(SimStopp::REGEL, text);
        return;
    }
    if (minute && Replay_Faellig(Sim().frames)) Replay_Nehmen(Sim().frames);
}

}  // namespace

bool Sim_Spielstart() {
    SimZustand& s = Sim();
    if (Spielstart_Spiel_Laeuft()) return true;
    if (s.fehler) return false;   // what failed does not come back by waiting
    Replay().gueltig = false;      // a minute change of an earlier game is no replay of this one
    Spiel_Sperren();
    if (s.optionen.laden >= 0) {
        if (s.laden_angefordert) {   // the load of the frame before failed
            stoppen(SimStopp::LADEN, Str_Format("save slot %d (%s/game_%d.qzv) could not be loaded", s.optionen.laden,
                                                Dirs_Get(DIR_SPIELSTAND), s.optionen.laden));
            return false;
        }
        K_NEUER_TAG(K_LADEN, s.optionen.laden);
        s.laden_angefordert = true;
        if (s.optionen.pruefen && s.optionen.laden == SIM_REPLAY_SLOT) Pruefstaende_Laden();
        return false;
    }
    Rnd_Init();
    Rnd_Set_Index(int32_t(s.optionen.seed % RND_TABELLE), 0);
    if (!Spielstart_Welt_Aufbauen()) {
        stoppen(SimStopp::WELT, Spielstart_Welt_Fehler());
        return false;
    }
    // The human managers take the first clubs that play in a league, at level 2.
    Spielstart_Wahl_Zuruecksetzen();
    int32_t menschen = 0;
    std::vector<int32_t> ligen;
    for (int32_t t = 0; t < Team_Anzahl() && menschen < s.optionen.menschen; ++t) {
        const int32_t liga = Team_Get_Liga(t, 1);
        if (liga < 0) continue;
        if (s.optionen.menschen_ligen_verschieden) {
            if (std::find(ligen.begin(), ligen.end(), liga) != ligen.end()) continue;
            ligen.push_back(liga);
        }
        SpielstartWahl* w = Spielstart_Wahl(menschen);
        std::snprintf(w->name, sizeof w->name, "Mensch %d", menschen + 1);
        w->team = t;
        w->nation = Team_Wert(TW_NATION, t, 0, OP_LESEN);
        w->wettbewerb = Team_Wert(TW_WETTBEWERB, t, 0, OP_LESEN);
        w->portrait = menschen % SPIELSTART_PORTRAITS;
        ++menschen;
    }
    Spielstart_Anzahl_Setzen(menschen);
    Spielstart_Level_Setzen(2);
    return Spielstart_Starten();
}

void Sim_Vor_Saisonwechsel() { Sim().letzte_saison = Sim_Bericht(); }

bool Sim_Saison_Leer() {
    for (int32_t id : Wettbewerb_Alle()) {
        TabellenPuffer t;
        if (!Wettbewerb_Ist_Liga(id)) continue;
        int32_t n = Wettbewerb_Tabelle_Vorbereiten(id, &t);
        for (int32_t p = 0; p < n; ++p)
            if (t.zeile[t.reihenfolge[p]].spiele[0] > 0) return false;
    }
    return true;
}

void Sim_Menue_Frame() { K_NEUER_TAG(K_FERTIG, 0); }

void Sim_Tag() {
    SimZustand& s = Sim();
    s.gespielte_tage = Tag_Index();
    if (s.optionen.tage <= 0 || Tag_Index() < s.optionen.tage || Quit_State() != 0) return;
    // The game's names are Latin-1: the terminal reads them in UTF-8.
    std::fputs(Plat_Terminal_Text(Sim_Kurzbericht()).c_str(), stdout);
    s.fertig = true;
    Programm_Beenden_Anfordern();
}

bool Sim_Bis_Tag(int32_t bis) {
    SimZustand& s = Sim();
    // A diced day takes a few dozen frames; a day with matches computed live
    // thousands (a live match ends before 50,000 frames). The budget is per
    // day, so only a day that never ends stops the run.
    constexpr int64_t TAG_BUDGET = 120000;
    int64_t budget = TAG_BUDGET;
    int32_t tag = Tag_Index();
    while (!s.fehler && budget-- > 0) {
        if (Kalender_Get_Runmodus() == KALENDER_TAG_START && Tag_Index() >= bis) return true;
        if (Tag_Index() != tag) {
            tag = Tag_Index();
            budget = TAG_BUDGET;
        }
        const auto anfang = std::chrono::steady_clock::now();
        Kalender_Main();
        ++s.frames;
        Sim_Live_Frame(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - anfang).count());
        if (s.optionen.pruefen) Live_Pruefen();
        if (Kalender_Get_Runmodus() == KALENDER_AUS) return false;
    }
    return false;
}

void Sim_Beenden() {
    Programm_Beenden_Anfordern();
    Kalender_Main();
    Quit_State_Setzen(0);
    Kalender_Zuruecksetzen();
}

std::string Sim_Bericht() {
    std::string out;
    char zeile[256];
    auto add = [&](const char* text) { out += text; };
    std::snprintf(zeile, sizeof zeile, "Tag %d: %s\n", Tag_Index(), Kalender_Tag_Text(-1, 0));
    add(zeile);
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* w = Wettbewerb_Satz(id);
        if (w->art == ART_FREUNDSCHAFT) continue;
        std::snprintf(zeile, sizeof zeile, "\n%s (%d)\n", Wettbewerb_Get_Landespokal(id, 0, 0), id);
        add(zeile);
        if (Wettbewerb_Ist_Liga(id)) {
            TabellenPuffer t;
            int32_t n = Wettbewerb_Tabelle_Vorbereiten(id, &t);
            for (int32_t p = 0; p < n; ++p) {
                const TabellenZeile& z = t.zeile[t.reihenfolge[p]];
                std::snprintf(zeile, sizeof zeile, "%3d. %-28s %3d %3d %3d %3d %4d:%-4d %4d\n", p + 1,
                              Team_String(TS_NAME, z.team, 0, 0), z.spiele[0], z.siege[0], z.unentschieden[0],
                              z.niederlagen[0], z.tore[0], z.gegentore[0], z.punkte[0]);
                add(zeile);
            }
        } else {
            std::snprintf(zeile, sizeof zeile, "  Runde %d von %d, Sieger: %s\n", w->aktuelle_runde, w->spieltage,
                          w->sieger >= 0 ? Team_String(TS_NAME, w->sieger, 0, 0) : "-");
            add(zeile);
        }
    }
    add("\nRangliste\n");
    RanglisteSatz top[10];
    for (int32_t i = 0, n = Rangliste_Top10(top); i < n; ++i) {
        std::snprintf(zeile, sizeof zeile, "%3d. %-28s %6d %6d %6d %3d\n", i + 1, Team_String(TS_NAME, top[i].team, 0, 0),
                      top[i].gesamt, top[i].wert[0], top[i].wert[1], top[i].titel_anzahl);
        add(zeile);
    }
    add("\nTorschuetzen\n");
    std::vector<int32_t> spieler(size_t(std::max(Spieler_Anzahl(), 0)));
    for (size_t i = 0; i < spieler.size(); ++i) spieler[i] = int32_t(i);
    std::stable_sort(spieler.begin(), spieler.end(), [](int32_t a, int32_t b) {
        return Spieler_Get_Spieler_Statistik(STATISTIK_TORE, a, 0) > Spieler_Get_Spieler_Statistik(STATISTIK_TORE, b, 0);
    });
    for (size_t i = 0; i < std::min<size_t>(5, spieler.size()); ++i) {
        int32_t p = spieler[i];
        std::snprintf(zeile, sizeof zeile, "%3zu. %-28s %3d Tore %3d Spiele\n", i + 1, Spieler_String(SPS_NAME, p, 0, 0),
                      Spieler_Get_Spieler_Statistik(STATISTIK_TORE, p, 0),
                      Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 0));
        add(zeile);
    }
    std::snprintf(zeile, sizeof zeile, "\nTitel: %d\n", Saison_Titel_Anzahl());
    add(zeile);
    return out;
}

std::string Sim_Kurzbericht() {
    std::string out;
    char zeile[256];
    std::snprintf(zeile, sizeof zeile, "Tag %d: %s\n", Tag_Index(), Kalender_Tag_Text(-1, 0));
    out += zeile;
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* w = Wettbewerb_Satz(id);
        TabellenPuffer t;
        if (w->art != ART_LIGA || w->liga_oben >= 0 || Wettbewerb_Tabelle_Vorbereiten(id, &t) <= 0) continue;
        const TabellenZeile& z = t.zeile[t.reihenfolge[0]];
        std::snprintf(zeile, sizeof zeile, "  %-28s %-28s %3d Pkt. nach %d Spielen\n", Wettbewerb_Get_Landespokal(id, 0, 0),
                      Team_String(TS_NAME, z.team, 0, 0), z.punkte[0], z.spiele[0]);
        out += zeile;
    }
    RanglisteSatz top[10];
    if (Rangliste_Top10(top) > 0) {
        std::snprintf(zeile, sizeof zeile, "  Rangliste: %s (%d)\n", Team_String(TS_NAME, top[0].team, 0, 0), top[0].gesamt);
        out += zeile;
    }
    return out;
}

}  // namespace velmora
