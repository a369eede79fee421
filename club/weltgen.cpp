// club/weltgen.cpp - the demo world generator.
#include "club/weltgen.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "club/club_config.h"
#include "club/ereignis_kategorien.h"
#include "club/global_config.h"
#include "club/namen.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_basis.h"
#include "club/weltgen_texte.h"
#include "club/wirtschaft.h"
#include "core/config.h"
#include "core/dateisatz.h"
#include "core/debug.h"
#include "core/str.h"
#include "platform/files.h"

namespace velmora {
namespace {

// A player's appearance code from a drawn word: each part's field taken
// within the choices its kind has (bits 0-1 kind, kinds 2 and 3 drawn as 1;
// parts at bits 2, 7, 13, 20 and 26). A raw field beyond them shows the
// kind's last picture, so most faces of a world were alike.
int32_t Aussehen_Ziehen(uint32_t roh) {
    static constexpr int32_t BIT[5] = {2, 7, 13, 20, 26}, BREITE[5] = {5, 6, 7, 6, 6};
    static constexpr uint32_t WAHLEN[2][5] = {{12, 31, 62, 31, 32}, {10, 2, 10, 10, 10}};
    const int32_t art = (roh & 3) ? 1 : 0;
    uint32_t code = roh & 3;
    for (int32_t t = 0; t < 5; ++t)
        code |= ((roh >> BIT[t]) & ((1u << BREITE[t]) - 1)) % WAHLEN[art][t] << BIT[t];
    return int32_t(code);
}

// The generator's own random source (splitmix64): the game's table repeats
// after 6000 draws, far too soon for ten thousand players.
struct Zufall {
    uint64_t s;
    uint32_t naechste() {
        uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return uint32_t((z ^ (z >> 31)) >> 16);
    }
    int32_t bereich(int32_t lo, int32_t hi) {
        return hi <= lo ? lo : lo + int32_t(naechste() % uint32_t(hi - lo + 1));
    }
    bool chance(int32_t prozent) { return bereich(0, 99) < prozent; }
};

struct WeltgenModul {
    WeltgenWettbewerbe wettbewerbe = nullptr;
    WeltgenTrikots trikots = nullptr;
};
WeltgenModul g;

const char* const TALENTE[ATTRIBUT_ANZAHL] = {
    "Kopfballstark", "Schusskraft", "Weitschuss", "Dribbelk\xf6nig", "Passgenau", "Flankengott", "Freisto\xdf" "experte",
    "Elfmetersch\xfctze", "Eckballspezialist", "Zweikampfstark", "Laufwunder", "Sprinter", "Ausdauernd", "K\xe4mpfer",
    "Spielmacher", "Torj\xe4ger", "Abstauber", "Ballsicher", "Balleroberer", "Gr\xe4tschenk\xf6nig", "Ruhepol",
    "F\xfchrungsspieler", "Lautsprecher", "Teamgeist", "Publikumsliebling", "Nervenstark", "Konterspieler",
    "Doppelpass", "Linksfu\xdf", "Rechtsfu\xdf", "Stehaufm\xe4nnchen", "Kopfballungeheuer", "Standfest",
    "Raumdeuter", "Manndecker", "Libero", "Fallr\xfc" "ckzieher", "Hackentrick", "Tempomacher", "Wunderkind",
    "Trainingsfaul", "Hitzkopf", "Verletzungsanf\xe4llig", "Launisch", "Partyl\xf6we", "Egoist", "Schwalbenk\xf6nig",
    "Reflexe", "Strafraumbeherrschung", "Elfmetert\xf6ter", "Faustabwehr", "Weiter Abschlag", "Mitspielender Torwart"};

const char* const VEREIN_VORSATZ[NAMEN_STILE][3] = {
    {"FC", "SV", "VfB"}, {"", "Athletic", "United"}, {"AS", "FC", "Olympique"}, {"AC", "US", "Sporting"},
    {"CD", "Real", "UD"}, {"FC", "SC", "VV"}, {"IF", "IK", "FK"}, {"FK", "SK", "Slavia"},
    {"SC", "CD", "Uni\xe3o"}, {"Spor", "SK", "Genc"}};

// 8 kit colours per club kit come from this palette.
const uint8_t PALETTE[12][3] = {{255, 255, 255}, {0, 0, 0},     {200, 20, 30},  {20, 60, 170}, {250, 210, 0},
                                {0, 130, 60},    {250, 120, 0}, {120, 0, 120},  {90, 160, 230}, {130, 20, 40},
                                {160, 160, 160}, {0, 40, 90}};

void Talente_Erzeugen(Zufall& z) {
    Attribut_Tabelle_Leeren();
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) {
        AttributDaten a{};
        for (int32_t& v : a.voraussetzung) v = -1;
        for (int32_t& v : a.schutz) v = -1;
        std::snprintf(a.name, sizeof a.name, "%s", TALENTE[id]);
        std::snprintf(a.info1, sizeof a.info1, "%s: ein Talent, das den Spieler im Spiel auszeichnet.", TALENTE[id]);
        bool negativ = id >= ATTRIBUT_NEG_START && id <= ATTRIBUT_NEG_ENDE;
        a.noetige_punkte = negativ ? 20 : z.bereich(25, 60);
        a.punkte_training = z.bereich(4, 9);
        a.kostpreis = negativ ? 0 : z.bereich(5, 30) * 1000;
        if (id <= ATTRIBUT_FELD_ENDE) {
            a.moeglich_wann[0] = z.bereich(0, 4);
            a.moeglich_wann[1] = 12;
            if (id >= 20) a.voraussetzung[0] = id - 20;   // the advanced talents build on a basic one
            if (id < 7) a.schutz[0] = ATTRIBUT_NEG_START + id;
        }
        std::snprintf(a.auswirkung[0], sizeof a.auswirkung[0], "%s", negativ ? "Schw\xe4" "cht den Spieler." : "St\xe4rkt den Spieler.");
        Attribut_Daten_Setzen(id, a);
    }
}

void Global_Erzeugen(Zufall& z) {
    Global_Config_Init();
    Talente_Erzeugen(z);
    for (int32_t k = 0; k < REGIONEN; ++k) Kontinent_Setzen(k, Namen_Kontinent(k), k < 7);
    static const char* const SCOUT_VOR[SCOUT_MAX] = {"Heinz", "Paolo", "Sven", "Carlos"};
    static const char* const SCOUT_NAME[SCOUT_MAX] = {"Sp\xe4her", "Occhiofino", "Langsicht", "Buscador"};
    for (int32_t s = 0; s < SCOUT_MAX; ++s) {
        ScoutDaten d{};
        std::snprintf(d.vorname, sizeof d.vorname, "%s", SCOUT_VOR[s]);
        std::snprintf(d.name, sizeof d.name, "%s", SCOUT_NAME[s]);
        d.alter = z.bereich(38, 66);
        d.grundpreis_factor = 5 + 5 * s;
        for (int32_t r = 0; r < REGIONEN; ++r) {
            d.gebietspreis[r] = z.bereich(2, 20);
            d.wahrscheinlichkeit[r] = z.bereich(20, 100);
            d.ueberredung[r] = z.bereich(30, 95);
            d.staerke_factor[r] = z.bereich(2 + 2 * s, 6 + 2 * s);
        }
        Scout_Daten_Setzen(s, d);
    }
    static const char* const LAGER[TR_LAGER_MAX] = {"Bergcamp Alpen", "Strandlager Algarve", "Waldhaus Harz",
                                                    "H\xf6henlager Sierra", "Seecamp Norden", "Sportschule Mitte",
                                                    ("W\xfcstencamp S\xfc" "d"), "Inselcamp Adria"};
    for (int32_t l = 0; l < TR_LAGER_MAX; ++l) {
        TrLagerDaten d{};
        for (int32_t& v : d.attribute) v = -1;
        d.attribute[0] = z.bereich(0, 39);
        std::snprintf(d.name, sizeof d.name, "%s", LAGER[l]);
        d.kosten = 100 + 40 * l;
        d.moral = z.bereich(30, 100);
        d.erholung = z.bereich(30, 100);
        d.staerke = z.bereich(30, 100);
        std::snprintf(d.info1, sizeof d.info1, "Das %s bietet Ruhe, gute Pl\xe4tze und ein erfahrenes Betreuerteam.",
                      LAGER[l]);
        Trainingslager_Daten_Setzen(l, d);
    }
    struct {
        int32_t p;
        int32_t werte[GP_WERTE];
        int32_t anzahl;
    } parameter[] = {
        {GP_TRAININGS_EINHEITEN_PRO_RUNDE, {3}, 1},          {GP_TRAINING_PUNKTE_SCHNELL_PARAM, {20}, 1},
        {GP_TRAINING_PUNKTE_LANGZAM_PARAM, {10}, 1},         {GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE, {4}, 1},
        {GP_TRAINING_ABSTURZ_PARAM, {25}, 1},                {GP_TRAINING_EXTRA_BONUS_PARAM, {20}, 1},
        {GP_TRAINING_ABSTURZ_TR_PUNKTE_WEG_PARAM, {30}, 1},  {GP_TRAINING_ABSTURTZ_FORM_MIN_MAX, {1, 3}, 2},
        {GP_TRAINING_ABSTURTZ_ERSCHOEPFUNG_MIN_MAX, {10, 40}, 2}, {GP_TRAINING_ABSTURTZ_STAERKE_MIN_MAX, {100, 500}, 2},
        {GP_TRAINING_LAGER_BALKEN_MORAL_PARAM, {50}, 1},     {GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM, {50}, 1},
        {GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM, {50}, 1},   {GP_TRAINING_LAGER_STAERKE_PARAM, {40}, 1},
        {GP_TRAINING_LAGER_VERLETZUNG_PARAM, {5}, 1},        {GP_STAERKE_STERNE_GRENZE, {100}, 1},
    };
    for (auto& p : parameter) Global_Parameter_Setzen(p.p, 0, p.werte, p.anzahl);
    for (int32_t zeile = 0; zeile < GP_ZEILEN; ++zeile) {
        int32_t t[GP_WERTE];
        for (int32_t i = 0; i < GP_WERTE; ++i) t[i] = 10 + i * 12 + zeile * 2;   // ascending bounds
        Global_Parameter_Setzen(GP_TRAINING_ABSTURZ_PROCENT_PARAM, zeile, t, GP_WERTE);
    }
    for (int32_t v = 0; v < VERLETZUNG_ARTEN; ++v) {
        int32_t von = 2 + (v * 7) % 30, bis = von + z.bereich(3, 90);
        char ref[8];
        std::snprintf(ref, sizeof ref, "*%d", 100 + v);
        Verletzung_Setzen(v, ref, z.bereich(1, 40), von, bis);
    }
    // Every factor set, none 0 where a formula divides by it.
    const int32_t faktoren[TF_ANZAHL] = {10, 400, 250, 50, 0, 0, 20000, 40, 30, 8, 2, 20, 100};
    for (int32_t f = 0; f < TF_ANZAHL; ++f) Transferfaktor_Setzen(f, faktoren[f]);
    const int32_t transfer[3] = {60, 15, 25}, gehalt[3] = {50, 30, 20};
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, transfer, 3);
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_GEHALT, gehalt, 3);
    Regeln_Standard();
}

// Reads the world's own rules back from text: the only way to set rule values is the reader.
bool Regeln_Setzen() {
    std::string text;
    const struct {
        int32_t regel, wert;
    } regeln[] = {{REGEL_ATTRIBUT_TRAINING_KOSTEN, 2},     {REGEL_TRAININGSLAGER_KOSTEN, 1000},
                  {REGEL_STADION_ZUSCHAUER_LEVEL, 500},    {REGEL_STADION_NORMPREIS_LEVEL, 20},
                  {REGEL_WERBUNG_GRUNDPREIS, 40},          {REGEL_WERBUNG_TV_AUFPREIS, 200},
                  {REGEL_WERBUNG_HAUPTSPONSOR_AUFPREIS, 150}, {REGEL_WERBUNG_BANDE_AUFPREIS, 50},
                  {REGEL_WERBUNG_ERSATZPARTNER_AUFPREIS, 30}, {REGEL_WERBUNG_RANGLISTEN_PROGRESSION, 150},
                  {REGEL_WERBUNG_RANGLISTEN_PROGRESSION_GRENZE, 100}, {REGEL_WERBUNG_VERTRAGSDAUER, 17}};
    for (auto& r : regeln) Config_Schreibe_Wert(text, Regel_Name(r.regel), r.wert);
    if (!Read_Config_Open_Text(text.data(), text.size(), "global.cfg", nullptr, 0)) return false;
    while (const char* b = Read_Config_Next()) Regeln_Config_Lesen(b);
    Read_Config_Close();
    return true;
}

void Kit_Farben(Zufall& z, uint8_t farben[36]) {
    for (int32_t kit = 0; kit < 3; ++kit) {
        int32_t a = z.bereich(0, 11), b = z.bereich(0, 11);
        if (b == a) b = (a + 1) % 12;
        for (int32_t c = 0; c < 4; ++c) {
            const uint8_t* rgb = PALETTE[c % 2 ? b : a];
            std::memcpy(farben + kit * 12 + c * 3, rgb, 3);
        }
    }
}

// The talents of a field player's position (defender, midfielder, forward) by
// the match values they raise: defence the tackle, the duels on the ground and
// in the air, strength and reach; midfield passing, technique, crossing,
// distribution, dribbling, turning and winning the ball; attack the shot,
// finishing, the shooter, speed, control, headers and the second ball.
const std::vector<int8_t> ATTRIBUT_POOL[3] = {{12, 13, 14, 6, 7, 31, 35, 36, 22, 11, 9, 3},
                                              {5, 16, 28, 24, 27, 26, 33, 8, 23, 38, 4, 25, 2, 11, 12, 13, 14},
                                              {0, 1, 30, 37, 3, 2, 7, 17, 34, 26, 8, 23}};

// Kind of the player at squad place i: two goalkeepers, then defence, midfield, attack.
int32_t Art_Von_Platz(int32_t i) {
    static constexpr int8_t ART[TEAM_SPIELER_MAX] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 0, 1, 1, 2, 2, 3, 1, 2, 3};
    return ART[i];
}

struct Erzeuger {
    Zufall& z;
    int32_t land_teams = 0;      // country entries 1..land_teams
    int32_t naechster = 0;       // next player number
    Zufall talente{0};           // the players' talents' own stream

    int32_t Nation(int32_t heimat) {
        // Most players come from the club's country, some from anywhere.
        return z.chance(85) || land_teams < 2 ? heimat : z.bereich(1, land_teams);
    }

    void Spieler_Machen(int32_t team, int32_t nation, int32_t art, int32_t staerke, bool scout) {
        int32_t p = naechster++;
        auto* s = static_cast<SpielerStruktur*>(Spieler_Zeiger(SPZ_STRUKTUR, p));
        auto* f = static_cast<SpielerFix*>(Spieler_Zeiger(SPZ_FIX, p));
        auto* e = static_cast<SpielerClientEgal*>(Spieler_Zeiger(SPZ_CLIENT_EGAL, p));
        std::string vorname, name;
        Namen_Spieler_Ziehen(Namen_Stil_Von_Land(Team_String(TS_NAME, nation, 0, 0)), z.naechste(), vorname, name);
        Spieler_Namen_Setzen(p, vorname.c_str(), name.c_str());
        f->nation = int16_t(nation);
        f->art = int8_t(art);
        f->lieblingsposition = int8_t(art);
        f->alter = uint8_t(z.bereich(17, 35));
        f->groesse = uint8_t(art == 0 ? z.bereich(182, 200) : z.bereich(166, 196));
        f->aussehen = Aussehen_Ziehen(z.naechste() & 0x7fffffff);
        static constexpr uint16_t HAAR[6] = {0x0000, 0x4208, 0x8a22, 0xd5a6, 0xffe0, 0x7bef};
        static constexpr uint16_t HAUT[5] = {0xfe98, 0xed12, 0xc3ce, 0x9a06, 0x6122};
        f->haar = HAAR[z.bereich(0, 5)];
        f->haut = HAUT[z.bereich(0, 4)];
        s->staerke = staerke < 1000 ? 1000 : staerke > 12000 ? 12000 : staerke;
        s->max_staerke = s->staerke + z.bereich(0, 2000);
        if (s->max_staerke > 12000) s->max_staerke = 12000;
        s->wert55 = int16_t(z.bereich(10, 120));
        s->form = z.bereich(300, 800);
        s->moral = int8_t(z.bereich(2, 5));
        if (scout) s->status |= SP_STATUS_SCOUT;
        if (!Team_Spieler_Hinzufuegen(team, p)) Debug_Printf("Weltgen: Spieler %d passt nicht in Team %d\n", p, team);
        // Numbers in the team file 1-20 by squad place; the market counts 1-50 over and over.
        int32_t platz = team == Team_Markt() ? p % 50 : Teamspieler_Ins_Array(team, nullptr, TEAM_SPIELER_MAX, 0) - 1;
        f->datei_nummer = int16_t(platz + 1);
        if (team != Team_Markt()) e->rueckennummer = platz + 1;
        Talente_Machen(p, art);
    }

    // The world's stream once drew a player's talents here. Those draws are
    // made and dropped, so that a seed keeps its world (names, strengths,
    // kits, stadiums); the talents come from their own stream.
    void Fruehere_Talentzuege(int32_t art) {
        const int32_t anzahl = z.bereich(0, 3);
        bool gelernt[20] = {};
        for (int32_t k = 0; k < anzahl; ++k) {
            const int32_t id = art == 0 ? z.bereich(ATTRIBUT_TW_START, ATTRIBUT_TW_ENDE) : z.bereich(0, 19);
            if (art != 0) gelernt[id] = true;
        }
        if (anzahl > 0) z.chance(30);
        if (z.chance(8)) z.bereich(ATTRIBUT_NEG_START, ATTRIBUT_NEG_ENDE);
        if (art != 0 && z.chance(10)) {
            const int32_t id = z.bereich(20, ATTRIBUT_FELD_ENDE);
            if (gelernt[id - 20]) z.bereich(1, Attribut_Schwelle(id) - 1);
        }
    }

    // Talents: a field player draws them mostly from those of his position,
    // the ones the match reads for his work (ATTRIBUT_POOL), an advanced one
    // with the basic one it builds on; a keeper from the keepers' talents.
    // Most players have talents active, so that values like shot, finishing,
    // passing, technique and the duels differ from player to player: a
    // defender two of his (the side's defence), a midfielder one to three, a
    // forward mostly one (a shooter, a finisher, a sprinter, a header); a few
    // carry an active weakness. Now and then a field player is still
    // developing a talent.
    void Talente_Machen(int32_t p, int32_t art) {
        Fruehere_Talentzuege(art);
        Zufall& t = talente;
        int32_t gezogen[4], anzahl = 0;
        const int32_t ziel = t.bereich(1, 4);
        for (int32_t k = 0; k < ziel; ++k) {
            int32_t id = 0;
            if (art == 0) {
                id = t.bereich(ATTRIBUT_TW_START, ATTRIBUT_TW_ENDE);
            } else if (t.chance(80)) {
                const std::vector<int8_t>& pool = ATTRIBUT_POOL[art - 1];
                id = pool[size_t(t.bereich(0, int32_t(pool.size()) - 1))];
            } else {
                id = t.bereich(0, 19);
            }
            if (std::find(gezogen, gezogen + anzahl, id) != gezogen + anzahl) continue;
            if (id >= 20) Attribut_Spieler_Setze_Wert(p, id - 20, ATTRIBUT_LERNEN);
            if (Attribut_Spieler_Setze_Wert(p, id, ATTRIBUT_LERNEN)) gezogen[anzahl++] = id;
        }
        int32_t aktiv = t.chance(85) ? t.bereich(1, ATTRIBUT_MAX_AKTIV) : 0;
        if (art == 1) aktiv = std::max(aktiv, std::min(anzahl, 2));
        if (art == 3) aktiv = t.chance(70) ? std::min(aktiv, 1) : 0;
        if (t.chance(9)) {
            const int32_t id = t.bereich(ATTRIBUT_NEG_START, ATTRIBUT_NEG_ENDE);
            if (Attribut_Spieler_Setze_Wert(p, id, ATTRIBUT_LERNEN) && t.chance(70)) {
                Attribut_Toggle_Aktive(p, id);
                aktiv = std::min(aktiv, ATTRIBUT_MAX_AKTIV - 1);
            }
        }
        for (int32_t k = 0; k < anzahl && k < aktiv; ++k) Attribut_Toggle_Aktive(p, gezogen[k]);
        if (art != 0 && t.chance(10)) {
            const int32_t id = t.bereich(20, ATTRIBUT_FELD_ENDE);   // one in development
            if (Attribut_Erlernbar_2(p, id) && Attribute_Anzahl(p) == -1)
                Spieler_Wert(id, p, t.bereich(1, Attribut_Schwelle(id) - 1), OP_SCHREIBEN);
        }
    }
};

void Datei(std::vector<std::pair<std::string, std::string>>& dateien, const char* name, std::string text) {
    dateien.emplace_back(name, std::move(text));
}

// The events of ereignis.cfg, two for each category in the categories' order.
// The triggers decide which events ask: a question says what each answer
// does, its answer does what it said; every other event states what happened.
// The texts' conversions take the triggers' values in their order (amounts
// are money texts, percentages and stars numbers); the values are chosen so
// that each event can happen (a morale change stays within 100 %).
struct WeltgenEreignis {
    const char* text;
    const char* ja;       // after a yes (or a success)
    const char* nein;     // after a no (or a failure)
    int32_t wert1, wert2, wert3;
};
const WeltgenEreignis EREIGNISSE[EREIGNIS_KATEGORIEN][2] = {
    // 0 riots: the police's bill (WERT1)
    {{"Fans haben nach der Niederlage randaliert. Die Polizei stellt Ihnen %s in Rechnung.", "", "", 8000, 0, 0},
     {"Nach dem Spiel haben Fans die Trib\xfcne besch\xe4" "digt. Die Reparatur kostet %s.", "", "", 15000, 0, 0}},
    // 1, 2 a series: the amount credited or debited
    {{"Nach der Siegesserie zahlt ein Sponsor eine Pr\xe4mie von %s.", "", "", 20000, 0, 0},
     {"Die Siegesserie f\xfcllt die Kasse: %s mehr aus dem Kartenverkauf.", "", "", 35000, 0, 0}},
    {{"Die Niederlagenserie kostet Sie %s: ein Sponsor k\xfcrzt seine Zahlungen.", "", "", 20000, 0, 0},
     {"Nach der Niederlagenserie bleiben Zuschauer weg. Das kostet Sie %s.", "", "", 30000, 0, 0}},
    // 3 a weakness may go: player, price, the weakness; WERT1 the chance of success
    {{"%s m\xf6" "chte f\xfcr %s an seiner Schw\xe4" "che \"%s\" arbeiten. Bezahlen Sie den Kurs? Ja: Sie zahlen, ob es gelingt, "
      "ist offen. Nein: alles bleibt, wie es ist.",
      "%s hat seine Schw\xe4" "che abgelegt.", "%s hat den Kurs ohne Erfolg beendet.", 60, 0, 0},
     {"%s kann mit einem Psychologen f\xfcr %s seine Schw\xe4" "che \"%s\" loswerden. Bezahlen Sie? Ja: Sie zahlen, ob es "
      "gelingt, ist offen. Nein: alles bleibt, wie es ist.",
      "%s ist seine Schw\xe4" "che los.", "Der Psychologe konnte %s nicht helfen.", 75, 0, 0}},
    // 4 the training ends at once: player, talent, price
    {{"%s kann sein Training (%s) mit einem Sonderkurs sofort abschlie\xdf" "en. Der Kurs kostet %s. Bezahlen Sie? Ja: "
      "er beherrscht das Talent. Nein: er trainiert weiter wie bisher.",
      "%s hat sein Training abgeschlossen.", "", 0, 0, 0},
     {"Ein Spezialtrainer bietet an, mit %s das Talent \"%s\" sofort fertig zu trainieren, f\xfcr %s. Nehmen Sie an? "
      "Ja: er beherrscht das Talent. Nein: er trainiert weiter wie bisher.",
      "%s beherrscht sein neues Talent.", "", 0, 0, 0}},
    // 5 a new weakness: the player
    {{"%s hat sich eine schlechte Angewohnheit zugelegt.", "", "", 0, 0, 0},
     {"%s hat eine neue Schw\xe4" "che: ein Blick in seine Talente lohnt sich.", "", "", 0, 0, 0}},
    // 6 the crowd: WERT1 the spectators in percent
    {{"Die Zuschauer sind begeistert! Die Nachfrage nach Karten steigt.", "", "", 120, 0, 0},
     {"Fu\xdf" "ball ist in aller Munde: die Stadien f\xfcllen sich.", "", "", 140, 0, 0}},
    // 7 a player left out: the player
    {{"%s beschwert sich, dass er nicht eingesetzt wird. Seine Moral sinkt.", "", "", 0, 0, 0},
     {"%s ist entt\xe4uscht, dass er wieder nicht gespielt hat, und l\xe4sst den Kopf h\xe4ngen.", "", "", 0, 0, 0}},
    // 8, 9 the union's mood: WERT1 the morale change in percent
    {{"Die Spielergewerkschaft ist mit den Geh\xe4ltern unzufrieden: die Moral aller Spieler sinkt um %d %%.", "", "",
      -10, 0, 0},
     {"Die Spielergewerkschaft droht mit Streik: die Moral aller Spieler sinkt um %d %%.", "", "", -20, 0, 0}},
    {{"Die Spielergewerkschaft lobt den Umgang mit den Spielern: die Moral aller Spieler steigt um %d %%.", "", "",
      10, 0, 0},
     {"Die Spielergewerkschaft feiert einen neuen Tarifvertrag: die Moral aller Spieler steigt um %d %%.", "", "",
      20, 0, 0}},
    // 10 a talent within reach: the player; 11 a talent out of reach: the talent, the player
    {{"%s k\xf6nnte jetzt ein neues Talent lernen.", "", "", 0, 0, 0},
     {"%s hat das Zeug zu einem neuen Talent: ein Blick in seine Talente lohnt sich.", "", "", 0, 0, 0}},
    {{"Das Talent \"%s\" kann %s nicht mehr lernen.", "", "", 0, 0, 0},
     {"F\xfcr das Talent \"%s\" ist es bei %s zu sp\xe4t.", "", "", 0, 0, 0}},
    // 12 the union's election: the president, the morale change; WERT1 the side
    {{"Die Spielergewerkschaft hat %s zum Pr\xe4sidenten gew\xe4hlt. Er gilt als Hardliner: die Moral aller Spieler "
      "sinkt um %d %%.",
      "", "", 0, -10, 0},
     {"Die Spielergewerkschaft hat %s zum Pr\xe4sidenten gew\xe4hlt. Er gilt als Vermittler: die Moral aller Spieler "
      "steigt um %d %%.",
      "", "", 1, 10, 0}},
    // 13 more strength: player, stars now, stars then, price; WERT1 the chance of success
    {{"%s kann mit Sondertraining st\xe4rker werden, von %d auf %d Sterne. Das kostet %s. Bezahlen Sie? Ja: Sie "
      "zahlen, ob es gelingt, ist offen. Nein: alles bleibt, wie es ist.",
      "%s ist st\xe4rker geworden.", "%s hat das Sondertraining ohne Erfolg beendet.", 70, 0, 0},
     {"Ein Athletiktrainer traut %s mehr zu: von %d auf %d Sterne, f\xfcr %s. Nehmen Sie an? Ja: Sie zahlen, ob es "
      "gelingt, ist offen. Nein: alles bleibt, wie es ist.",
      "%s hat zugelegt.", "Bei %s hat das Training nicht angeschlagen.", 80, 0, 0}},
    // 14 a club wants the manager: the club
    {{"%s m\xf6" "chte Sie als Manager verpflichten. Nehmen Sie an? Ja: Sie wechseln zu diesem Verein. Nein: Sie "
      "bleiben.",
      "Sie wechseln zu %s.", "Sie haben %s abgesagt und bleiben.", 0, 0, 0},
     {"Der Vorstand von %s wirbt um Sie. Wechseln Sie? Ja: Sie \xfc" "bernehmen diesen Verein. Nein: Sie bleiben.",
      "Sie \xfc" "bernehmen %s.", "Sie bleiben und sagen %s ab.", 0, 0, 0}},
    // 15 the stadium ages: the repair (WERT1), the comfort lost (WERT2)
    {{"Ihr Stadion kommt in die Jahre: Reparaturen kosten %s, der Komfort sinkt.", "", "", 20000, 5, 0},
     {"Ein Sturm hat das Stadiondach besch\xe4" "digt: die Reparatur kostet %s, der Komfort sinkt.", "", "", 40000, 5, 0}},
    // 16 general: the amount (WERT1 > 0 credited, < 0 debited), the morale change (WERT2)
    {{"Ein Sponsor spendiert dem Verein ein Fest und %s f\xfcr die Kasse. Die Moral steigt um %d %%.", "", "", 10000, 10,
      0},
     {"Das Finanzamt pr\xfc" "ft die B\xfc" "cher und verlangt %s nach.", "", "", -15000, 0, 0}},
    // 17 a question to the club: the amount; WERT3 what the answers do (4: yes pays and
    // raises the morale, no lowers it; 3: yes is paid and lowers it, no raises it)
    {{"Der Mannschaftsbus ist liegen geblieben. Ein neuer kostet %s. Kaufen Sie ihn? Ja: Sie zahlen, und die "
      "Mannschaft freut sich. Nein: die Mannschaft f\xe4hrt Bahn, die Moral sinkt.",
      "Der neue Bus ist da, die Mannschaft ist zufrieden.", "Die Mannschaft f\xe4hrt Bahn und murrt.", 8000, 10, 4},
     {"Ein Fernsehsender bietet %s f\xfcr Aufnahmen beim Training. Nehmen Sie an? Ja: das Geld kommt, die Spieler sind "
      "genervt. Nein: die Mannschaft trainiert in Ruhe und ist zufrieden.",
      "Das Fernsehen war da; die Spieler sind genervt.", "Die Mannschaft trainiert in Ruhe.", 12000, 10, 3}},
    // 18 two players: their names; WERT2 odd debits the amount, even credits it
    {{"%s und %s haben in einem Werbespot mitgespielt. Die Gage geht an den Verein.", "", "", 5000, 0, 0},
     {"%s und %s haben im Mannschaftshotel eine Scheibe zerbrochen. Der Verein zahlt den Schaden.", "", "", 3000, 1,
      0}},
    // 19 a national team wants the manager: the nation
    {{"Der Verband von %s bietet Ihnen das Amt des Nationaltrainers an. Nehmen Sie an? Ja: Sie trainieren auch die "
      "Nationalmannschaft. Nein: Sie lehnen ab.",
      "Sie sind nun auch Nationaltrainer von %s.", "Sie haben %s abgesagt.", 0, 0, 0},
     {"%s sucht einen Nationaltrainer und denkt an Sie. Sagen Sie zu? Ja: Sie trainieren auch die "
      "Nationalmannschaft. Nein: Sie lehnen ab.",
      "Sie sind nun auch Nationaltrainer von %s.", "Sie haben %s abgesagt.", 0, 0, 0}}};

std::string Ereignisse_Text(Zufall& z) {
    std::string o;
    Config_Schreibe_Kommentar(o, "ereignis.cfg - random events of the Velmora demo world");
    for (int32_t k = 0; k < EREIGNIS_KATEGORIEN; ++k)
        for (const WeltgenEreignis& e : EREIGNISSE[k]) {
            Config_Schreibe_Befehl(o, "NEUES_EREIGNIS");
            Config_Schreibe_String(o, "TEXT", e.text);
            if (e.ja[0]) Config_Schreibe_String(o, "JA_TEXT", e.ja);
            if (e.nein[0]) Config_Schreibe_String(o, "NEIN_TEXT", e.nein);
            Config_Schreibe_String(o, "KATEGORIE", EREIGNIS_KATEGORIE_NAMEN[k]);
            Config_Schreibe_Wert(o, "WERT1", e.wert1);
            Config_Schreibe_Wert(o, "WERT2", e.wert2);
            Config_Schreibe_Wert(o, "WERT3", e.wert3);
            Config_Schreibe_Wert(o, "SOUND", z.bereich(0, 20));
        }
    return o;
}

// The number a player has once the world is read from its files: the player
// file lists the players team by team in squad order (club_config.cpp), and
// the game numbers them as read. Pictures are named by that number.
int32_t Nummer_In_Datei(int32_t spieler) {
    int32_t vorher = 0;
    std::vector<int32_t> kader(MARKT_SPIELER_MAX);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        const int32_t n = Teamspieler_Ins_Array(t, kader.data(), MARKT_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i)
            if (kader[size_t(i)] == spieler) return vorher + i;
        vorher += n;
    }
    return spieler;
}

// The first country's first six top-league clubs: the first three show their
// own crest picture (team status bit 3), and the first player of each his
// photo (a negative appearance code). No random draw is taken, so the rest of
// the world stays as it was.
void Bilder_Waehlen(WeltgenWelt& welt) {
    if (welt.laender.empty() || welt.laender[0].ligen.empty()) return;
    const std::vector<int32_t>& liga = welt.laender[0].ligen[0];
    for (size_t i = 0; i < liga.size() && i < 6; ++i) {
        const int32_t team = liga[i];
        if (i < 3) {
            Team_Wert(TW_STATUS, team, int32_t(TEAM_STATUS_WAPPEN), OP_SETZEN);
            welt.bild_wappen.push_back({Team_Wert(TW_WAPPEN, team, 0, OP_LESEN), team});
        }
        int32_t kader[TEAM_SPIELER_MAX];
        if (Teamspieler_Ins_Array(team, kader, TEAM_SPIELER_MAX, 0) < 1) continue;
        const int32_t code = Spieler_Wert(SPW_AUSSEHEN, kader[0], 0, OP_LESEN);
        Spieler_Wert(SPW_AUSSEHEN, kader[0], int32_t(uint32_t(code) | 0x80000000u), OP_SCHREIBEN);
        welt.foto_spieler.push_back({Nummer_In_Datei(kader[0]), team});
    }
}

}  // namespace

bool Weltgen_Erzeugen(const WeltgenOptionen& optionen, WeltgenWelt& welt) {
    welt = WeltgenWelt{};
    Zufall z{uint64_t(optionen.seed) * 0x2545F4914F6CDD1Dull + 1};
    Global_Erzeugen(z);
    if (!Regeln_Setzen()) return false;

    // Countries that play, with their levels and clubs per level.
    struct Plan {
        int32_t land;
        std::vector<int32_t> ebenen;
    };
    std::vector<Plan> plan;
    if (optionen.klein) {
        plan = {{0, {10, 10}}, {1, {10, 10}}};
    } else {
        for (int32_t l = 0; l < 4; ++l) plan.push_back({l, {18, 18, 18}});
        for (int32_t l = 4; l < 10; ++l) plan.push_back({l, {16, 16}});
    }
    int32_t laender = optionen.klein ? 2 : Namen_Laender_Anzahl();
    int32_t clubs = 0;
    for (const Plan& p : plan)
        for (int32_t n : p.ebenen) clubs += n;
    // The full world's market leaves room for the players clubs release into
    // it: a market at its limit refused every release ("Der Wechsel von ...
    // kam nicht zustande." after the manager's yes).
    constexpr int32_t MARKT_PLATZ = 200;
    int32_t markt_anzahl = optionen.klein ? 200 : MARKT_SPIELER_MAX - MARKT_PLATZ;
    int32_t scouts = optionen.klein ? 40 : 600;
    int32_t teams = 1 + laender + clubs;
    int32_t spieler = clubs * TEAM_SPIELER_MAX + markt_anzahl;
    if (!Spieler_Init(spieler) || !Team_Init(teams)) return false;
    Team_Vorgaben_Leeren();   // the stadiums and short names are this world's alone

    Team_Namen_Setzen(0, "Transfermarkt", "Transfermarkt", "");
    Team_Markt_Setzen(0);
    Team_Wert(TW_WAPPEN, 0, NAMEN_MARKT_WAPPEN, OP_SCHREIBEN);
    welt.markt = 0;
    for (int32_t l = 0; l < laender; ++l) {
        const LandVorlage& v = *Namen_Land(l);
        int32_t t = 1 + l;
        Team_Namen_Setzen(t, v.name, v.name, "");
        Team_Wert(TW_STATUS, t, TEAM_STATUS_LAND, OP_SETZEN);
        Team_Wert(TW_KONTINENT, t, v.kontinent, OP_SCHREIBEN);
        Team_Wert(TW_NATION, t, t, OP_SCHREIBEN);
        Team_Wert(TW_WAPPEN, t, NAMEN_LAND_WAPPEN + l, OP_SCHREIBEN);   // its flag on a shield
        auto* klima = static_cast<uint8_t*>(Team_Zeiger(TZ_KLIMA, t, nullptr, OP_LESEN));
        klima[0] = uint8_t(v.winter + 100);
        klima[1] = uint8_t(v.sommer + 100);
        klima[2] = uint8_t(v.naesse);
    }

    Erzeuger e{z, laender, 0, Zufall{uint64_t(optionen.seed) * 0x9E3779B97F4A7C15ull + 0x7A1E47E5ull}};
    int32_t team = 1 + laender;
    static const int32_t EBENE_STAERKE[3] = {8500, 6500, 5000};
    for (const Plan& p : plan) {
        const LandVorlage& v = *Namen_Land(p.land);
        WeltgenLand land;
        land.team = 1 + p.land;
        land.name = v.name;
        land.alias = v.alias;
        for (size_t ebene = 0; ebene < p.ebenen.size(); ++ebene) {
            std::vector<int32_t> liga;
            for (int32_t c = 0; c < p.ebenen[ebene]; ++c, ++team) {
                const uint32_t zug = z.naechste();
                std::string stadt = Namen_Stadt_Ziehen(v.stil, zug);
                // A town an earlier club of the world has is drawn again, from
                // the first draw and not from the world's random numbers (the
                // rest of the world stays as the seed gives it): the town is
                // the club's short name, which no two clubs share.
                auto vergeben = [&](const std::string& s) {
                    for (int32_t t = 1 + laender; t < team; ++t)
                        if (s == Team_String(TS_NAME_KURZ, t, 0, 0)) return true;
                    return false;
                };
                for (uint32_t k = 1; k < 256 && vergeben(stadt); ++k)
                    stadt = Namen_Stadt_Ziehen(v.stil, (zug ^ k * 0x9E3779B9u) * 2654435761u);
                const char* vorsatz = VEREIN_VORSATZ[v.stil][z.bereich(0, 2)];
                std::string name = vorsatz[0] ? std::string(vorsatz) + " " + stadt : stadt + " Town";
                // A town drawn twice gets its club a number, so every club name stays unique.
                for (int32_t t = 1 + laender; t < team; ++t)
                    if (name == Team_String(TS_NAME, t, 0, 0)) {
                        name += Str_Format(" %02d", team % 100);
                        break;
                    }
                Team_Namen_Setzen(team, name.c_str(), stadt.c_str(), stadt.c_str());
                Team_Wert(TW_NATION, team, land.team, OP_SCHREIBEN);
                Team_Wert(TW_KONTINENT, team, v.kontinent, OP_SCHREIBEN);
                Team_Wert(TW_WAPPEN, team, team, OP_SCHREIBEN);
                uint8_t farben[36];
                Kit_Farben(z, farben);
                Team_Zeiger(TZ_FARBEN, team, farben, OP_SCHREIBEN);
                int32_t gezogen[4];
                for (int32_t i = 0; i < 4; ++i) {
                    gezogen[i] = z.bereich(0, 239);
                    Team_Wert(TW_TRIKOT_MODI[i], team, gezogen[i], OP_SCHREIBEN);
                }
                if (g.trikots) g.trikots(team, uint32_t(gezogen[1]) | uint32_t(gezogen[2]) << 8);
                int32_t sitze = (ebene == 0 ? 15000 : ebene == 1 ? 6000 : 2500) + z.bereich(0, 20) * 500;
                // One draw after the other: the order must not be left to the compiler.
                const int32_t steh = sitze / 2 + z.bereich(0, 10) * 200;
                const char* art = z.chance(50) ? " Stadion" : " Arena";
                Team_Stadion_Vorgabe_Setzen(team, (stadt + art).c_str(), sitze, steh);
                int32_t club_staerke = EBENE_STAERKE[ebene] + z.bereich(-1200, 1200);
                for (int32_t i = 0; i < TEAM_SPIELER_MAX; ++i) {
                    const int32_t staerke = club_staerke + z.bereich(-1500, 1500);
                    e.Spieler_Machen(team, e.Nation(land.team), Art_Von_Platz(i), staerke, false);
                }
                liga.push_back(team);
                land.pokal.push_back(team);
                welt.freundschaft.push_back(team);
            }
            land.ligen.push_back(liga);
        }
        for (int32_t i = 0; i < 4 && i < int32_t(land.ligen[0].size()); ++i) welt.international.push_back(land.ligen[0][size_t(i)]);
        welt.laender.push_back(land);
    }
    for (int32_t i = 0; i < markt_anzahl; ++i) {
        bool scout = i < scouts;
        int32_t nation = 1 + z.bereich(0, laender - 1);
        const int32_t staerke = z.bereich(2000, scout ? 11000 : 8000);
        const int32_t art = z.bereich(0, 3);
        e.Spieler_Machen(0, nation, art, staerke, scout);
    }
    for (int32_t t = 0; t < teams; ++t) {
        Team_Set_Basisdaten(t, -1);
        Team_Spieler_Aktualisieren(t);
    }
    welt.clubs = clubs;
    welt.spieler = spieler;
    welt.scout_spieler = scouts;
    Bilder_Waehlen(welt);
    return e.naechster == spieler;
}

void Weltgen_Wettbewerbe_Setzen(WeltgenWettbewerbe schreiber) { g.wettbewerbe = schreiber; }
void Weltgen_Trikots_Setzen(WeltgenTrikots einkleiden) { g.trikots = einkleiden; }

bool Weltgen_Schreiben(const WeltgenWelt& welt, const std::string& install_verz, std::string* fehler) {
    std::string verz = install_verz + "/config";
    auto scheitern = [&](const std::string& text) {
        Debug_Printf("Weltgen_Schreiben: %s\n", text.c_str());
        if (fehler) *fehler = text;
        return false;
    };
    if (!Plat_Make_Dirs(verz.c_str())) return scheitern(verz + ": cannot be created (" + std::strerror(errno) + ")");
    Zufall z{0x5EED5EEDull};
    const char* beschreibung = "Velmora demo world";
    std::vector<std::pair<std::string, std::string>> dateien;
    std::string alias;
    Config_Schreibe_Kommentar(alias, "team_alias.cfg - the country entries by name");
    for (const WeltgenLand& l : welt.laender) alias += Str_Format("ALIAS %s %d\n", l.alias.c_str(), l.team);
    Datei(dateien, "team.cfg", Convert_Team_Config_Text(beschreibung));
    Datei(dateien, "team_alias.cfg", alias);
    Datei(dateien, "spieler.cfg", Convert_Spieler_Config_Text(beschreibung));
    Datei(dateien, "global.cfg", Convert_Global_Config_Text(beschreibung));
    Datei(dateien, "ereignis.cfg", Ereignisse_Text(z));
    Datei(dateien, "text.cfg", Weltgen_Texte());
    Datei(dateien, "te.cfg", Weltgen_Screentexte());
    // The set is written aside and put in place whole: a file that cannot be
    // written leaves the old world as it was, not half of it replaced.
    DateisatzFehler satz;
    const std::string neu = Dateisatz_Anfangen(verz, &satz);
    if (neu.empty()) return scheitern(verz + "/" + satz.datei + ": cannot be created (" + satz.grund + ")");
    for (const auto& d : dateien)
        if (!Dateisatz_Datei(verz, "0_" + d.first, d.second, &satz)) {
            Dateisatz_Verwerfen(verz);
            return scheitern(verz + "/" + satz.datei + ": cannot be written (" + satz.grund + ")");
        }
    errno = 0;
    if (g.wettbewerbe && !g.wettbewerbe(welt, neu)) {
        const int e = errno ? errno : EIO;
        Dateisatz_Verwerfen(verz);
        return scheitern(verz + ": the competition files 0_wettbewerb.cfg and 0_zeitplan.cfg cannot be written (" +
                         std::strerror(e) + ")");
    }
    if (!Dateisatz_Abschliessen(verz, &satz))
        return scheitern(verz + "/" + satz.datei + ": cannot be put in place (" + satz.grund + ")");
    return true;
}

}  // namespace velmora
