// club/weltgen.cpp - the demo world generator.
#include "club/weltgen.h"

#include <algorithm>
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
#include "club/wirtschaft.h"
#include "core/config.h"
#include "core/debug.h"
#include "core/str.h"
#include "platform/files.h"

namespace velmora {
namespace {

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


const char* const VERLETZUNGEN[VERLETZUNG_ARTEN] = {
    "Prellung", "Zerrung", "Muskelfaserriss", "Muskelb\xfcndelriss", "B\xe4nderdehnung", "B\xe4nderriss",
    "Meniskusschaden", "Kreuzbandriss", "Kn\xf6" "chelbruch", "Schienbeinbruch", "Mittelfu\xdf" "bruch", "Rippenprellung",
    "Rippenbruch", "Gehirnersch\xfctterung", "Nasenbeinbruch", "Platzwunde", "Leistenzerrung", "Adduktorenzerrung",
    "Oberschenkelzerrung", "Wadenzerrung", "Achillessehnenreizung", "Achillessehnenriss", "Schulterprellung",
    "Schulterluxation", "Schl\xfcsselbeinbruch", "Handgelenkbruch", "Fingerbruch", "R\xfc" "ckenprobleme",
    "Bandscheibenvorfall", "Hexenschuss", "Knieprellung", "Kniescheibenreizung", "Sprunggelenkverstauchung",
    "Fersenprellung", "Zehenbruch", "Grippe", "Magenverstimmung", "Erk\xe4ltung", "Sehnenentz\xfcndung",
    "Schambeinentz\xfcndung", "Kapselverletzung", "Oberschenkelprellung"};

const char* const VEREIN_VORSATZ[NAMEN_STILE][3] = {
    {"FC", "SV", "VfB"}, {"", "Athletic", "United"}, {"AS", "FC", "Olympique"}, {"AC", "US", "Sporting"},
    {"CD", "Real", "UD"}, {"FC", "SC", "VV"}, {"IF", "IK", "FK"}, {"FK", "SK", "Slavia"},
    {"SC", "CD", "Uniao"}, {"Spor", "SK", "Genc"}};

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
                                                    "W\xfcstencamp S\xfc" "d", "Inselcamp Adria"};
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
        f->aussehen = int32_t(z.naechste() & 0x7fffffff);
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

std::string Texte_Text() {
    std::string o;
    Config_Schreibe_Kommentar(o, "text.cfg - the game's text table");
    // Entries 6-9 name the player kinds 0-3 (the references "*6" to "*9").
    static const char* const ALLGEMEIN[] = {"Ja", "Nein", "OK", "Abbrechen", "Spieler", "Verein", "Torwart", "Abwehr",
                                            "Mittelfeld", "Sturm"};
    for (int32_t i = 0; i < int32_t(sizeof ALLGEMEIN / sizeof *ALLGEMEIN); ++i)
        Config_Schreibe_Nummer_String(o, "TEXT", i, ALLGEMEIN[i]);
    for (int32_t v = 0; v < VERLETZUNG_ARTEN; ++v) Config_Schreibe_Nummer_String(o, "TEXT", 100 + v, VERLETZUNGEN[v]);
    // Entries 60-66 name a player's morale 0-6, 67 and 68 why he cannot play (the references "*60" to "*68").
    static const char* const MORAL[] = {"am Boden", "schlecht", "gedr\374ckt", "normal", "gut", "sehr gut",
                                        "euphorisch", "gesperrt", "verletzt"};
    for (int32_t i = 0; i < 9; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 60 + i, MORAL[i]);
    // Entries 165 and 166 follow the minute and the spectators on a match view's score line.
    Config_Schreibe_Nummer_String(o, "TEXT", 165, ". Min.");
    Config_Schreibe_Nummer_String(o, "TEXT", 166, "Zuschauer");
    // Entries 181-193: the commentary sentences' words (own goal, goal, the
    // three cards, a foul with and without victim, an injury, a substitution).
    static const char* const KOMMENTAR[] = {"Eigentor von", "Tor durch", "Gelb-Rot f\xfcr", "Rot f\xfcr", "Gelb f\xfcr",
                                            "wird von", "gefoult", "foult", "verletzt sich:", "ist verletzt", "geht,",
                                            "kommt.", "wird ausgewechselt"};
    for (int32_t i = 0; i < 13; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 181 + i, KOMMENTAR[i]);
    // Entries 194 and 195: a whistled offside with the flag raised and without;
    // 196 and 197 a team's two general changes, 167-178 the twelve single
    // changes of the change list.
    static const char* const MELDUNG[] = {"Abseits", "Abseitspfiff", "stellt um", "wechselt die Taktik"};
    for (int32_t i = 0; i < 4; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 194 + i, MELDUNG[i]);
    static const char* const AENDERUNG[] = {
        "spielt offensiver", "spielt defensiver", "presst fr\374her", "presst weniger", "spielt h\xe4rter",
        "spielt fairer", "stellt die Abseitsfalle", "verzichtet auf die Abseitsfalle", "spielt lange B\xe4lle",
        "spielt kurze P\xe4sse", "mauert", "greift mit allen an"};
    for (int32_t i = 0; i < 12; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 167 + i, AENDERUNG[i]);
    // Entry 179, free beside the change list: the ticker's line while a
    // networked match waits for the other machine.
    Config_Schreibe_Nummer_String(o, "TEXT", 179, "Warten auf den anderen Rechner ...");
    return o;
}

// The twenty sponsors of the advertising module (WERBUNG_SCREEN 27-46); the
// stadium's boards carry their names too.
const char* const SPONSOREN[WELTGEN_SPONSOREN] = {
    "Nordbank",      "Brauhaus Keller", "Autohaus Stern", "Elektro Blitz",  "Versicherung Fels",
    "Sportwelt",     "Mobilfunk Plus",  "Backstube Kruse", "Reisen Sonne",  "Stadtwerke",
    "Bauhof Ludwig", "Limonade Frisch", "Zeitung Kurier", "Optik Klar",     "Spedition Weit",
    "M\366bel Haus", "Schuhe Lauf", "Kaffee R\xf6stlich", "Baumarkt Hammer", "Energie Nord"};

void Screen(std::string& o, const char* name, std::initializer_list<std::pair<int32_t, const char*>> texte) {
    Config_Schreibe_Befehl(o, Str_Format("SCREEN %s", name));
    for (auto& t : texte) Config_Schreibe_Nummer_String(o, "TEXT", t.first, t.second);
}

// The training window: the talent's heading (0), the progress line's "of"
// (1), the switch's heading and label (2, 3), stop and start (4, 12), the
// panels' OK (6), the strength lost (13, 14), the crash messages (16-21),
// the injury line (22, 24), the outcome lines (27-29) and close (30); the
// film window's name line (ZUSATZTEXTE_HASK 23, filled by Text_Format).
void Screentexte_Training_Fenster(std::string& o) {
    Screen(o, "SPIELER_TRAINING2_SCREEN",
           {{0, "Trainiert wird:"}, {1, "von "}, {2, "Schonen"}, {3, "Sicher"}, {4, "Stopp"}, {6, "OK"},
            {12, "Start"}, {13, "ein halber Stern"}, {14, "ein ganzer Stern"},
            {16, "Der Spieler ist v\xf6llig entnervt und verliert Moral."},
            {17, "Der Spieler ist ersch\xf6pft und braucht Erholung."},
            {18, "Gl\xfc" "ck gehabt: der Zusammenbruch bleibt ohne Folgen."},
            {19, "Der Spieler hat sich \xfc" "bernommen und verliert an St\xe4rke."},
            {20, "Der Spieler hat sich beim Training verletzt."},
            {21, "Der Spieler bricht zusammen: die Punkte dieser Einheit sind verloren."}, {22, "Wochen"},
            {24, "Verletzung:"}, {27, "Moral verloren:"}, {28, "Fitness verloren:"}, {29, "Verlust:"},
            {30, "Schlie\xdf" "en"}});
    Screen(o, "ZUSATZTEXTE_HASK", {{23, "%s lernt:"}});
    // The camp window: its end button and message (9, 10), the results' heads
    // (11-15), the news lines (18-22) and the exhaustion warning (23).
    Screen(o, "TRAININGS_LAGER_SCREEN",
           {{9, "Lager beenden"}, {10, "Das Trainingslager ist zu Ende."}, {11, "Spieler"}, {12, "Moral"},
            {13, "Ersch\xf6pfung"}, {14, "St\xe4rke"}, {15, ""}, {18, "hat sich verletzt."},
            {19, "ist st\xe4rker geworden."}, {20, "kann noch st\xe4rker werden."}, {21, "hat"},
            {22, "abgelegt."}, {23, "Die Mannschaft ist ersch\xf6pft!"}});
}

// The transfer screen and its negotiation window: the column heads (0-10),
// the groups (11-14, 16), the head (17-19), the counter (21-23, 40, 42), the
// prospect (24), the release question (25-28), the window's money lines (30,
// 31, 33, 53), the refusals (35-37, 47, 50), the window's labels (43-46, 48,
// 57-59), its status and result lines (49, 51, 55, 56, 60), its buttons
// (61-63), a failed transfer (64) and the kinds' short names (65-68); the help texts
// of the scout buttons (ZUSATZTEXTE_HASK 4, 9), the start button (5) and the
// card button (1). Texts with a %s are filled by Text_Format.
void Screentexte_Transfer(std::string& o) {
    Screen(o, "TRANSFER_SCREEN",
           {{0, "Nr"}, {1, "Pos"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Schw\xe4" "chen"},
            {6, "Pos"}, {7, "Name"}, {8, "St\xe4rke"}, {9, "Ehrgeiz"}, {10, "Forderung"}, {11, "Startelf"},
            {12, "Ersatzbank"}, {13, "Reserve"}, {14, "Angebot des Transfermarkts"}, {16, "Scout"},
            {17, "Transfers"}, {18, "Kontostand:"}, {19, "Ihr Kader"},
            {21, "Noch"}, {22, "Marktspieler w\xe4hlen, dann Tauschspieler"}, {23, "Verhandlungen"},
            {42, "Verhandlung"}, {40, "Keine Verhandlung mehr m\xf6glich"}, {24, "hat ihn \xfc" "berzeugt"},
            {25, "Ja"}, {26, "Nein"},
            {27, "Diesen Spieler ohne Abl\xf6se abgeben? Ja: er geht, sein Verkaufswert ist %s. Nein: er bleibt."},
            {28, "Spieler"}, {30, "Verkauf"}, {31, "Kauf"}, {33, "Bilanz"}, {35, "Alle Verhandlungen sind verbraucht."},
            {36, "Zum Monatsanfang gibt es neue:"}, {37, "St\xfc" "ck."}, {43, "Forderung"}, {44, "Ihr Angebot"},
            {45, "Verhandlung"}, {46, "Sekunden"}, {47, "So viel Geld haben Sie nicht."}, {48, "Preis"},
            {49, "Uhr starten und bieten: nach 30 Sekunden ist Schluss."},
            {50, "Daf\xfcr reicht Ihr Geld nicht."}, {51, "Einigung: der Transfer gilt."},
            {53, "Danach auf dem Konto:"}, {55, "Einigung erzielt!"},
            {56, "Die Verhandlung abbrechen? Ja: Sie gehen, die Verhandlung bleibt verbraucht. Nein: Sie verhandeln weiter."}, {57, "Sek."}, {58, "Marktwert:"},
            {59, "Ehrgeiz"}, {60, "Keine Einigung."}, {61, "Abschluss"}, {62, "Verlassen"}, {63, "Scout schicken"},
            {64, "Der Wechsel von %s kam nicht zustande."}, {65, "TW"}, {66, "AB"}, {67, "MF"}, {68, "ST"}});
    // The training screen: the column heads (0-5), points and requirement
    // (13, 14), title and start button (16, 17), the units left (40) and the
    // kinds' short names (41-44).
    Screen(o, "SPIELER_TRAINING_SCREEN",
           {{0, "Nr"}, {1, "Pos"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Lernt"}, {13, "Punkte"},
            {14, "n\xf6tig:"}, {16, "Training"}, {17, "Training starten"}, {40, "Freie Einheiten:"}, {41, "TW"},
            {42, "AB"}, {43, "MF"}, {44, "ST"}});
    // The camp booking page: the camps left (5), a camp running (6).
    Screen(o, "TRAININGS_LAGER_SCREEN", {{5, "Trainingslager frei in dieser Saison:"}, {6, "Das Trainingslager l\xe4uft."}});
    Screen(o, "ZUSATZTEXTE_HASK", {{4, "Den gew\xe4hlten Scout auf die Suche schicken"},
                                   {5, "Die Uhr der Verhandlung starten"}, {9, "Einen anderen Scout w\xe4hlen"}});
}

// The match-day pages, the competition screens and the club ranking.
void Screentexte_Spieltag(std::string& o) {
    Screen(o, "REST_PIRAK",
           {{11, "Noch keine Eins\xe4tze in dieser Saison."}, {12, "Die Besten"}, {138, "Tore"}, {139, ". Min."},
            {140, "Keine Tore"}, {141, "Zuschauer"}, {146, "Platz"}, {147, "Verein"}, {148, "Punkte"},
            {149, "Tordifferenz"}, {150, "Seite zur\xfc" "ck"}, {151, "Seite vor"}, {152, "Weiter"}, {153, "Begegnung"},
            {154, "Ergebnis"}, {155, "Wertung"}, {156, "Hinspiel"}});
    Screen(o, "ULVO_ZUSATZ",
           {{157, "Eins\xe4tze"}, {158, "Tore"}, {159, "Vorlagen"}, {160, "Gelbe Karten"}, {161, "Platzverweise"},
            {162, "Spielminuten"}, {163, "Titel"}, {164, "Titelchronik"}, {165, "Ewige Top 10"}, {166, "Marktwert"},
            {185, "Eigentor"}, {186, "Elfmeter"}, {187, "Torsch\xfcsse"}, {188, "Ecken"}, {189, "Abseits"},
            {190, "Gelbe Karten"}, {191, "Platzverweise"}, {192, "Verletzungen"}, {193, "Fouls"},
            {194, "Zweik\xe4mpfe gewonnen"}, {195, "Zweik\xe4mpfe verloren"}, {196, "P\xe4sse angekommen / gespielt"},
            {197, "Ballkontakte"}, {198, "Ballbesitz"}});
    Screen(o, "OPTIONEN_SCREEN", {{28, "Sieger"}});
    Screen(o, "TABELLE_SCREEN",
           {{0, "Alle Spiele"}, {1, "Heimspiele"}, {2, "Ausw\xe4rtsspiele"}, {3, "Bis Spieltag"}, {4, "Ganze Saison"},
            {5, "Tabelle"}, {7, "Platz"}, {8, "Verein"}, {9, "Sp."}, {10, "S"}, {11, "U"}, {12, "N"}, {13, "Pkt."},
            {14, "Tore"}, {15, "Diff."}, {16, "Trend"}, {17, "vor dem"}, {18, "nach dem"}, {20, "Spielplan"},
            {21, "St\xe4rke"}, {22, "Heim"}, {23, "Gast"}, {24, "Ergebnis"}, {25, "Alle Spiele von"},
            {29, "Vergleich"}, {30, "Nr."}, {32, "\xd8 Marktwert"}, {33, "Tabelle nach dem"}, {34, "Tabelle vor dem"},
            {35, "Teams"}, {36, "weiter"}, {37, "ausgeschieden"}, {38, "Land"}, {39, "Status"}, {40, "Liga"},
            {41, "noch dabei"}, {42, "Spiele am"}, {43, "spielfrei"}, {44, "An diesem Spieltag wird nicht gespielt."},
            {46, "Sieger"}, {47, "Finalist"}, {49, "Alle Spieler"}, {55, "Alle Spieler"}, {56, "Startelf"},
            {59, "Gesamtwert"}, {60, "\xd8 Sterne"}, {61, "Spieler"}, {62, "Sterne"}});
    Screen(o, "RANGLISTE_SCREEN",
           {{0, "Letzte Spiele"}, {1, "Saisonpunkte"}, {2, "Formtabelle"},
            {3, "Die letzten zehn Spiele Ihres Vereins"}, {4, "Die Vereine nach den Punkten dieser Saison"},
            {5, "Die Vereine nach den Punkten der letzten zehn Spiele"}, {6, "Rang"}, {7, "Verein"}, {8, "Titel"},
            {9, "Manager"}, {10, "Spieler"}, {11, "Punkte"}, {12, "Wettbewerb"}});
}

// The player windows: the card, the talents screen, the talent list window
// and the training questions it asks.
void Spieler_Fenster_Texte(std::string& o) {
    Screen(o, "SPIELER_INFO_SCREEN",
           {{0, "Belastung"}, {1, "St\xe4rke"}, {2, "Ehrgeiz"}, {3, "Alter"}, {4, "Talente"}, {5, "Schw\xe4" "chen"},
            {6, "Im Training"}, {7, "Saison"}, {8, "Spiele"}, {9, "Tore"}, {10, "Gelbe Karten"}, {11, "Gelb-Rot"},
            {12, "Rote Karten"}, {13, "Gehalt"}, {14, "Marktwert"}, {16, "Zustand"}, {17, "Gelbsperre"},
            {18, "Gelb-Rot-Sperre"}, {19, "Rotsperre"}, {20, "Wochen"}, {21, "Woche"},
            {22, "Kein Talent im Training"}, {23, "Verletzung"}, {24, "Sperre"}, {25, "Einsatzbereit"},
            {26, "Saisonstatistik"}, {28, "Verein:"}, {29, "Nationalteam:"}, {30, "Spiele"}, {31, "Spiel"}});
    Screen(o, "SPIELER_TALENTE_SCREEN",
           {{0, "Talente"}, {1, "Braucht:"}, {2, " bis "}, {3, " halbe Sterne"}, {4, " Punkte zum Lernen"},
            {5, "Talente"}, {6, "Ehrgeiz"}, {15, "Preis: "}, {16, "pro Einheit"}, {17, "Wirkung:"},
            {18, "Sch\xfctzt vor"}, {19, "Klick: Training beginnen"}, {20, "Jetzt nicht trainierbar"}});
    Screen(o, "SPIELER_TRAINING_SCREEN",
           {{19, "Keine Talente"}, {20, "frei"}, {21, "Talente"}, {22, "Talent"}, {23, "Noch"},
            {24, "Alle Talente aktiv"}, {25, "ist verletzt und kann nicht trainieren."},
            {26, "Der Spieler lernt schon ein anderes Talent. Wechseln? Seine Punkte darin gehen verloren."},
            {27, "Bisher"}, {28, "Neu"}, {29, "Wechseln"}, {30, "Behalten"}, {31, "Verletzung"}, {32, "Ausfall"},
            {33, "Wochen"}, {34, "Woche"}, {39, "Keine Trainingseinheiten mehr."}});
}

// The line-up screens, the tactics screen and the player summary they share.
void Aufstellung_Texte(std::string& o) {
    Screen(o, "EINSETZEN_1_SCREEN",
           {{0, "Startelf"}, {1, "Ersatzbank"}, {2, "Reserve"}, {3, "Nr."}, {4, "Pos."}, {5, "Name"},
            {6, "St\xe4rke"}, {7, "Ehrgeiz"}, {8, "Talente"}, {9, "Fitness"}, {10, "Moral"},
            {11, "Spielfeld"}, {12, "Assistent"}, {13, "Eigenes Team"}, {14, "Gegner"},
            {16, "Die R\xfc" "ckennummer"}, {17, "Die Position des Spielers"}, {18, "Der Name des Spielers"},
            {19, "Seine St\xe4rke in Sternen, abz\xfcglich dessen, was er auf seinem Feld verliert"},
            {20, "Sein Ehrgeiz"}, {21, "Seine aktiven Talente; ein Klick zeigt alle"}, {22, "Seine Fitness"},
            {23, "Seine Moral"}, {24, "Die Startelf: diese elf Spieler beginnen das Spiel"},
            {25, "Die Ersatzbank: sechs Spieler, die eingewechselt werden k\xf6nnen"},
            {26, "Die Reserve spielt nicht mit"},
            {27, "Zwei Spieler nacheinander anklicken oder einen auf den anderen ziehen, um sie zu tauschen"},
            {28, "Die Aufstellung: einen Spieler auf ein freies Feld ziehen, um seine Position zu \xe4ndern"},
            {29, "Tore"}, {30, "Vorlagen"}, {31, "Talente"}, {32, "Lernt:"},
            {34, "Die Aufstellung auf dem gro\xdf" "en Spielfeld zeigen"},
            {35, "Der Assistent stellt die Mannschaft auf"}, {36, "Die Aufstellung des heutigen Gegners ansehen"},
            {37, "Wert ohne Talente"}, {38, "Marktwert"}, {39, "ist gesperrt:"}, {40, "(Rot)"}, {41, "(Gelb-Rot)"},
            {42, "Spiel"}, {43, "Spiele"}, {44, "f\xe4llt aus:"}, {45, ", noch"}, {46, "Zweik\xe4mpfe gewonnen"},
            {47, "Gehalt"}, {48, "Dieser Tausch ist nicht m\xf6glich."}});
    Screen(o, "EINSETZEN_2_SCREEN",
           {{1, "Liste"}, {2, "Eigenes Team"}, {3, "Zur\xfc" "cksetzen"}, {9, "Frisch"}, {10, "Munter"},
            {11, "Normal"}, {12, "M\xfc" "de"}, {13, "Ersch\xf6pft"}, {51, "Die Formation des Gegners"},
            {52, "Eine der drei Formationen w\xe4hlen"}, {56, "Gegner"}});
    Screen(o, "TAKTIK_SCREEN",
           {{0, "Nr."}, {1, "Pos."}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Talente"}, {6, "Aufgaben"},
            {7, "Taktik"}, {8, "Keine Abseitsfalle"}, {9, "Kein Pressing"}, {10, "H\xe4rte"}, {11, "Raumdeckung"},
            {12, "Passspiel"}, {13, "Ausrichtung"}, {14, "Tempo"},
            {17, "Die Abwehr stellt Abseitsfallen"}, {18, "Pressing: den Gegner fr\xfch angreifen"},
            {19, "Wie hart die Mannschaft in die Zweik\xe4mpfe geht"}, {20, "Manndeckung der st\xe4rksten Gegenspieler"},
            {21, "Kurze oder lange P\xe4sse"}, {22, "Wie offensiv die Mannschaft spielt"},
            {23, "Das Tempo des Spiels"}, {24, "Abseitsfalle an oder aus"}, {25, "Pressing an oder aus"},
            {26, "Weniger hart"}, {27, "H\xe4rter"}, {28, "Manndeckung an oder aus"}, {29, "K\xfcrzere P\xe4sse"},
            {30, "L\xe4ngere P\xe4sse"}, {31, "Defensiver"}, {32, "Offensiver"}, {33, "Langsamer"}, {34, "Schneller"},
            {36, "Ecken"}, {37, "Freist\xf6\xdf" "e"}, {38, "Elfmeter"}, {39, "Kapit\xe4n"}, {41, "Abseitsfalle"},
            {42, "Pressing"}, {43, "Manndeckung"}, {44, "Mauern"}, {45, "Sehr defensiv"}, {46, "Defensiv"},
            {47, "Ausgewogen"}, {48, "Offensiv"}, {49, "Sehr offensiv"}, {50, "Alles nach vorn"}});
    Screen(o, "ZUSATZTEXTE_TROBE", {{10, "Aufgaben: Ecken, Freist\xf6\xdf" "e, Elfmeter und der Kapit\xe4n"}});
    // The panels of a live match: substitutions (title, column heads, the
    // bench, the switch on and off, the three refusals) and tactics (title,
    // the three switches, the four sliders, the help texts 15-27).
    Screen(o, "EINSETZEN_IM_SPIEL_SCREEN",
           {{0, "Auswechseln"}, {1, "Nr."}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Kraft"}, {5, "Talente"},
            {6, "Ersatzbank"}, {7, "Ball ins Aus spielen"}, {8, "Weiterspielen"},
            {9, "Keine Wechsel mehr m\xf6glich"}, {10, "Schon genug Wechsel vorgemerkt"},
            {11, "Dieser Spieler kann nicht wechseln"}});
    Screen(o, "TAKTIK_IM_SPIEL_SCREEN",
           {{0, "Taktik"}, {1, "Abseitsfalle"}, {2, "Pressing"}, {3, "Normales Spiel"}, {4, "Pressing"},
            {5, "H\xe4rte"}, {6, "Ausrichtung"}, {7, "Passspiel"}, {15, "Abseitsfalle an oder aus"},
            {16, "Pressing an oder aus"}, {17, "Weniger pressen"}, {18, "Mehr pressen"}, {19, "Weniger hart"},
            {20, "H\xe4rter"}, {21, "Defensiver"}, {22, "Offensiver"}, {23, "K\xfcrzere P\xe4sse"},
            {24, "L\xe4ngere P\xe4sse"}, {27, "Die Mannschaft spielt normal weiter oder nach Anweisung"}});
    Screen(o, "ZUSATZTEXTE_TROBE",
           {{11, "Die Mannschaft spielt den Ball ins Aus, damit gewechselt werden kann"},
            {12, "Linke Maustaste: Spieler w\xe4hlen, Fenster verschieben; rechte: schlie\xdf" "en"},
            {13, "Spieler auf dem Feld verschieben"}});
}

std::string Screentexte_Text() {
    std::string o;
    Config_Schreibe_Kommentar(o, "te.cfg - the screen texts");
    // The start screen and the wizard: an unset choice (69), the name page
    // (70, 71), the page titles (72-78) and the count page's hint (79), the
    // summary (80-86), the list headings (87-93), the new-squad switch (94),
    // back and next (95, 96), a club without league (97), the last question
    // (98), the levels (99-103), the placeholder manager (104) and the start
    // screen's buttons (105 new game, 106 team editor, 107 load, 108 last game);
    // the network set-up (127-151; 146 a joined client's lost connection, 147
    // and 148 whom a machine waits for, 149 a client's lost connection at the server).
    Screen(o, "ULVO_ZUSATZ",
           {{69, "noch offen"}, {70, "Wie hei\xdft der %d. Manager?"}, {71, "Name:"},
            {72, "Wie viele Manager spielen?"}, {73, "Schwierigkeitsgrad"}, {74, "Name des Managers"},
            {75, "Bild des Managers"}, {76, "Land"}, {77, "Verein"}, {78, "Liga"},
            {79, "Bis zu sechs Manager an einem Rechner"}, {80, "Manager"}, {81, "Manager %d von %d"},
            {82, "Manager: %s"}, {83, "Schwierigkeit:"}, {84, "Land:"}, {85, "Verein:"}, {86, "Liga:"},
            {87, "Wappen"}, {88, "Land"}, {89, "Wappen"}, {90, "Verein"}, {91, "St\xe4rke"}, {92, "Pokal"},
            {93, "Liga"}, {94, "Mit neuem Kader beginnen"}, {95, "Zur\xfc" "ck"}, {96, "Weiter"},
            {97, "ohne Liga"}, {98, "Soll das Spiel mit dieser Wahl beginnen?"}, {99, "Amateur"},
            {100, "Leicht"}, {101, "Normal"}, {102, "Schwer"}, {103, "Profi"}, {104, "Neuer Manager"},
            {105, "Neues Spiel"}, {106, "Vereinseditor"}, {107, "Spiel laden"}, {108, "Letztes Spiel"},
            {127, "Netzwerk aus"}, {128, "Netzwerk an"}, {129, "Server suchen"}, {130, "Suche l\xe4uft "},
            {131, "Dieser Rechner ist Client"}, {132, "Dieser Rechner ist Server"}, {133, "- eigene Adresse"},
            {134, "Stopp"}, {135, "Adresse des Servers:"}, {136, "Server"}, {137, "Beitreten"},
            {138, "Unter dieser Adresse antwortet kein Server."}, {139, "Server: %s"}, {141, "vergeben"},
            {142, "Die Netzwerkverbindung kam nicht zustande."}, {143, "Dieser Verein ist schon vergeben."},
            {144, "Allein an diesem Rechner spielen"}, {145, "\xdc" "ber das Netzwerk spielen"},
            {146, "Die Verbindung zum Server ist abgerissen."}, {147, "Warten auf %s"},
            {148, "Warten auf die anderen Manager"},
            {149, "Die Verbindung zu %s ist abgerissen. Der Computer spielt jetzt %s."}, {150, "gefunden"},
            {151, "keine Antwort"}});
    // The stadium: the models (0-5), the buttons' labels (6-8), the page's
    // texts (9-17), the largest model (18), the notices (19-21, filled by
    // Text_Format) and the buttons' help (22-24).
    Screen(o, "STADION_SCREEN",
           {{0, "Sportplatz"}, {1, "Kleines Stadion"}, {2, "Stadion"}, {3, "Gro\xdf" "es Stadion"}, {4, "Arena"},
            {5, "Super-Arena"}, {6, "Ausbauen"}, {7, "Bezahlen"}, {8, "Bezahlen"}, {9, "Eintrittspreis"},
            {10, "Komfort"}, {11, "jetzt"}, {12, "Bauen:"}, {13, "Jetzt:"}, {14, "Ausbau:"},
            {15, "Kosten:"}, {16, "Pl\xe4tze"}, {17, "Kapazit\xe4t"}, {18, "Gr\xf6\xdf" "er geht es nicht."},
            {19, "Das Stadion fasst jetzt %s Zuschauer."}, {20, "Der Komfort liegt jetzt bei %d %%."},
            {21, "Das neue Stadion steht: %s!"}, {22, "Das n\xe4" "chste Stadion bauen"},
            {23, "Den geplanten Komfort bezahlen"}, {24, "Die geplanten Pl\xe4tze bezahlen"}});
    // The scout screen: buttons (1, 2, 37, 42), the search's head (3-6), the
    // region choice (17-22, 40), the signing question (23-26), the prospect
    // panel (29-34, 44), the leave question (41); the search's dialogue (38-96).
    Screen(o, "SPIELER_SUCHE_SCREEN",
           {{1, "Zur\xfc" "ck"}, {2, "Bezahlen"}, {3, "Scout"}, {4, "ist f\xfcr Sie unterwegs."},
            {5, "Suchgebiet:"}, {6, "Die Suche ist beendet."}, {17, "Grundpreis:"}, {18, "Suchgebiet w\xe4hlen:"},
            {19, "ohne Gebietszuschlag"}, {20, "Gebietszuschlag:"}, {21, "Die Suche bezahlen und beginnen?"},
            {22, "Suchgebiet"}, {23, "Diesen Spieler verpflichten?"}, {24, "Spieler"}, {25, "Ja"}, {26, "Nein"},
            {29, "Wechselbereitschaft:"}, {30, "Erster Eindruck:"}, {31, "Im Gespr\xe4" "ch:"},
            {32, "Seine St\xe4rke:"}, {33, "Alles \xfc" "ber ihn:"}, {34, "\xdc" "berzeugt! Seine Werte:"},
            {37, "Verpflichten"}, {40, "W\xe4hlen Sie auf der Karte ein Suchgebiet."},
            {41, "Die Suche abbrechen? Das Geld ist ausgegeben."}, {42, "Wegschicken"}, {44, "noch unbekannt"},
            {38, "Der Spieler hat kein Interesse mehr."}, {39, "Suchgebiet:"}, {43, "Der Spieler kommt!"},
            {45, "Ich sehe mich um..."}, {46, "Noch nichts Passendes."}, {47, "Ich frage bei den Vereinen nach."},
            {48, "Ein Tipp f\xfchrt ins Leere."}, {49, "Ich schaue mir ein Jugendspiel an."}, {50, "Weiter geht's."},
            {51, "Da ist einer!"}, {52, "Ich habe jemanden gefunden."}, {53, "Der k\xf6nnte passen."},
            {54, "Interessant..."}, {55, "Ich spreche ihn an."}, {56, "Ich stelle mich vor."},
            {57, "Ich lade ihn zum Essen ein."}, {58, "Er h\xf6rt zu."}, {59, "Er fragt nach dem Verein."},
            {60, "Er will mehr wissen."}, {61, "Er ist neugierig."}, {62, "Er z\xf6gert."}, {63, "Er nickt."},
            {64, "Er denkt nach."}, {65, "Wir reden \xfc" "ber Geld."}, {66, "Wir reden \xfc" "ber die Stadt."},
            {67, "Wir reden \xfc" "ber die Mannschaft."}, {68, "Wir reden \xfc" "ber den Trainer."}, {69, "Er lacht."},
            {70, "Er wird ernst."}, {71, "Jetzt muss ich ihn \xfc" "berzeugen."}, {72, "Der entscheidende Moment."},
            {73, "Ich lege mein bestes Angebot vor."}, {74, "Alles oder nichts."}, {75, "Er soll unterschreiben."},
            {76, "Er sagt zu!"}, {77, "Er ist dabei!"}, {78, "Geschafft!"}, {79, "Er freut sich auf den Verein."},
            {80, "Handschlag!"}, {81, "Er sagt ab."}, {82, "Er will nicht."}, {83, "Leider nein."},
            {84, "Er bleibt lieber."}, {85, "Schade."}, {86, "Ich mache mich auf den Weg."},
            {87, "Die Reise beginnt."}, {88, "Ich packe meine Koffer."}, {89, "Los geht's."},
            {90, "Ich bin unterwegs."}, {93, "Die Zeit ist um."}, {94, "Ich komme zur\xfc" "ck."},
            {95, "Die Suche ist beendet."}, {96, "Der Spieler ist weg."}});
    Screen(o, "TRAININGS_LAGER_SCREEN", {{0, "Lager"}, {1, "Preis"}, {2, "Moral"}, {3, "Erholung"}, {4, "St\xe4rke"},
                                        {7, "Buchen"}, {8, "Buchen"}});
    Spieler_Fenster_Texte(o);
    // The team editor: column headings (0-8), buttons (9-12, 17), questions and answers (13-24), the
    // appearance parts (25-30), the club page (31-45), the talent panel (46), the market buttons (47, 48).
    Screen(o, "EDITOR_SCREEN",
           {{0, "Nr"}, {1, "Typ"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "%s : %d"}, {5, "Land"}, {6, "Transfermarkt"},
            {7, "Liga"}, {8, "Talente"}, {9, "Name A-Z"}, {10, "Land / Liga"}, {11, "Neu laden"}, {12, "Speichern"},
            {13, "Neu laden?"}, {14, "Speichern?"}, {15, "Name Z-A"}, {16, "Wert"}, {17, "Beenden"}, {18, "Ja"},
            {19, "Nein"}, {20, "Gespeichert."}, {21, "OK"}, {22, "Scout-Spieler"}, {23, "Team-Editor"},
            {24, "Beenden?"}, {25, "Art"}, {26, "Form"}, {27, "Gesicht"}, {28, "Haare"}, {29, "Augen"},
            {30, "Bart"}, {31, "Nicht gespeichert:"}, {32, "Schlie\xdf" "en"}, {33, "Zur\xfc" "cksetzen"}, {34, "Wappen"},
            {35, "Trikots"}, {36, "Name"}, {37, "Kurzname"}, {38, "Stadion"}, {39, "Pl\xe4tze"}, {40, "Stadt"},
            {41, "Land"}, {42, "Kontinent"}, {43, "Land"}, {44, "Trikot"}, {45, "vergeben"}, {46, "Talente:"},
            {47, "Markt"}, {48, "Scouts"}});
    Aufstellung_Texte(o);
    Screen(o, "ZUSATZTEXTE_HASK", {{1, "Talente"}, {7, "Buchen"}, {10, "Bl\xe4ttern"}, {15, "Bl\xe4ttern"},
                                   {12, "Den Scout bezahlen und losschicken"},
                                   {13, "Diesen Spieler wegschicken und weitersuchen"},
                                   {14, "Diesen Spieler verpflichten"}});
    // The menu framework: the panel's menus (0-21, 29), the continue button
    // (22 no match today, 28 a match today), the header's labels (23, 24, 30),
    // the requester's buttons (25-27), the continue button's questions (31,
    // 32), whose turn it is at a machine several managers share (33) and the
    // header's season (34).
    Screen(o, "MENUE_SCREEN",
           {{0, "Mannschaft"}, {1, "Aufstellung"}, {2, "Kader"}, {3, "Taktik"}, {4, "Transfers"}, {5, "Training"},
            {6, "Trainingslager"}, {7, "Wettbewerbe"}, {8, "Tabelle"}, {9, "Spielplan"}, {10, "Bestenliste"},
            {11, "Rangliste"}, {12, "Verein"}, {13, "Bank"}, {14, "Werbung"}, {15, "Stadion"}, {16, "Finanzen"},
            {17, "System"}, {18, "Laden"}, {19, "Speichern"}, {20, "Optionen"}, {21, "Beenden"}, {22, "Weiter"},
            {23, "St\xe4rke"}, {24, "spielfrei"}, {25, "Ja"}, {26, "Nein"}, {27, "OK"}, {28, "Zum Spiel"},
            {29, "Weltrangliste"}, {30, "Talente"},
            {31, "Es stehen keine elf einsatzf\xe4higen Spieler im Kader. Trotzdem weiter?"},
            {32, "Ihren Zug beenden? Ja: der Tag geht weiter. Nein: Sie bleiben im Men\xfc."},
            {33, "%s ist am Zug (%s)."}, {34, "Saison %d/%02d"}});
    // The save and load screen: the titles (3, 4), the buttons' help (5-8), a
    // slot's default name (9), its messages (10-12), the autosave's name (13),
    // a free and a damaged slot (14, 15), the buttons' labels (16-19) and the
    // message after a save (20).
    Screen(o, "DISK_SCREEN",
           {{3, "Spielstand laden"}, {4, "Spielstand speichern"}, {5, "Den gew\xe4hlten Spielstand laden"},
            {6, "Zur\xfc" "ck zum Spiel"}, {7, "Das Spiel in den gew\xe4hlten Platz speichern"},
            {8, "Zur\xfc" "ck, ohne zu speichern"}, {9, "Spielstand %d"},
            {10, "Bitte w\xe4hlen Sie zuerst einen Spielstand aus."},
            {11, "Alle Pl\xe4tze sind belegt. Bitte w\xe4hlen Sie den Platz, der \xfc" "berschrieben werden soll."},
            {12, "Dieser Platz geh\xf6rt der automatischen Sicherung."}, {13, "Automatische Sicherung"},
            {14, "frei"}, {15, "besch\xe4" "digt"}, {16, "Laden"}, {17, "Zur\xfc" "ck"}, {18, "Speichern"},
            {19, "Abbrechen"}, {20, "Das Spiel ist gespeichert: \"%s\" auf Platz %d."}});
    // The options: the close button's help and label (1, 2), the title (3),
    // the rows (4-11, 13, 15-17, 19, 23, 24), the headings (20-22), the
    // minutes (25), the server started and ended (26, 27), the save refusal (29),
    // why one manager cannot start the server here (30).
    Screen(o, "OPTIONEN_SCREEN",
           {{1, "Zur\xfc" "ck zum Spiel"}, {2, "Schlie\xdf" "en"}, {3, "Optionen"}, {4, "Zeitlimit je Zug"},
            {5, "Tabellen ank\xfcndigen"}, {6, "Ergebnisse ank\xfcndigen"},
            {7, "Ansicht nach der Pause zur\xfc" "cksetzen"}, {8, "Torsch\xfctzen ank\xfcndigen"},
            {9, "Spielplan ank\xfcndigen"}, {10, "Spiele der Manager live ansehen"},
            {11, "Finanzen ank\xfcndigen"}, {13, "Angebote von Vereinen und Verb\xe4nden"},
            {15, "Zugende best\xe4tigen"}, {16, "Men\xfcs gleiten auf"}, {17, "Hilfetexte zeigen"},
            {19, "Musik"}, {20, "Spiel"}, {21, "Manager"}, {22, "Ank\xfcndigungen"}, {23, "Ger\xe4usche"},
            {24, "Netzwerkspiel: dieser Rechner ist Server"}, {25, " Min. (0: aus, ein Klick: +1)"},
            {26, "Dieser Rechner ist jetzt der Server. Die anderen Manager k\xf6nnen sich verbinden."},
            {27, "Das Netzwerkspiel ist beendet: alle Manager spielen an diesem Rechner."},
            {29, "Im Netzwerkspiel speichert und l\xe4" "dt nur der Server."},
            {30, "Zum Server wird dieser Rechner hier erst mit zwei Managern: einer bleibt hier, die anderen "
                 "Vereine \xfc" "bernehmen Clients. Mit einem Manager: im Startbildschirm \"Netzwerk an\" und "
                 "\"Dieser Rechner ist Server\" w\xe4hlen, dann \"Neues Spiel\"."}});
    // The finance screen: the title (0), the period buttons' help and names
    // (1-3), the boards' headers, total and result (4-7), the rows' labels
    // (8-18), the bank's messages (19-25; the bank keeps its own wording for a
    // damaged file), the spectators (26), the currency (27) and its suffix (29),
    // the terms the bank lends for (31).
    Screen(o, "FINANZ_SCREEN",
           {{0, "Finanzen"}, {1, "Zwischen den Abrechnungszeitr\xe4umen bl\xe4ttern"}, {2, "Fr\xfc" "her"},
            {3, "Sp\xe4ter"}, {4, "Einnahmen"}, {5, "Ausgaben"}, {6, "Summe"}, {7, "Ergebnis"}, {8, "Transfers"},
            {9, "Eintrittsgelder"}, {10, "Werbung"}, {11, "Sonstige Einnahmen"}, {12, "Spielerkosten"},
            {13, "Transfers"}, {14, "Training"}, {15, "Stadionbau"}, {16, "Stadionunterhalt"},
            {17, "Werbekosten"}, {18, "Sonstige Ausgaben"},
            {19, "Die Bank gibt keinen weiteren Kredit: es laufen schon vier."},
            {20, "Die Bank lehnt den Kredit ab."}, {21, "Verliehenes Geld (%s) kommt zur\xfc" "ck: %s."},
            {22, "Ihr Kredit \xfc" "ber %s ist zur\xfc" "ckgezahlt: %s."}, {23, "Der Verband erhebt eine Abgabe: %s."},
            {24, "Der Verband unterst\xfctzt Sie mit %s."}, {25, "Daf\xfcr reicht das Geld nicht: %s"},
            {26, "Zuschauer"}, {27, "Euro"}, {29, " \x80"},
            {31, "Die Bank leiht nur f\xfcr %d bis %d Perioden."}});
    // The bank screen: the title and the column heads (0-3), the sum (4), the
    // inputs' labels (5-8), the apply button (9), the bank's name (10), one period and more (17, 18);
    // its help texts (ZUSATZTEXTE_TROBE 0-9) and the loan request between
    // clubs with its confirmation (16, 17).
    Screen(o, "BANK_SCREEN",
           {{0, "Bank"}, {1, "Partner"}, {2, "Laufzeit"}, {3, "R\xfc" "ckzahlung"}, {4, "Saldo"},
            {5, "Kreditgeber"}, {6, "Kreditsumme"}, {7, "Laufzeit"}, {8, "Zinssatz (je 10 Spiele)"},
            {9, "Beantragen"}, {10, "Hausbank"}, {17, "Spiel"}, {18, "Spiele"}});
    Screen(o, "ZUSATZTEXTE_TROBE",
           {{0, "Ihre laufenden Kredite und das verliehene Geld"}, {1, "Wer das Geld geliehen hat oder schuldet"},
            {2, "Die Spiele bis zur R\xfc" "ckzahlung"}, {3, "Der Betrag mit Zinsen, der zur\xfc" "ckflie\xdft"},
            {4, "Was Sie unter dem Strich schulden oder zur\xfc" "ckbekommen"},
            {5, "Die Bank oder ein anderer Manager leiht Ihnen das Geld"},
            {6, "Wie viel Geld Sie leihen m\xf6" "chten"}, {7, "Nach wie vielen Spielen Sie zur\xfc" "ckzahlen"},
            {8, "Die Zinsen je zehn Spiele; bei der Bank richten sie sich nach der Laufzeit"},
            {9, "Den Kredit beantragen"}, {16, "%s bittet Sie um einen Kredit."},
            {17, "Ihre Anfrage ist an %s gegangen. Die Antwort kommt mit den Nachrichten."}});
    // Advertising: the buttons' labels and help (0-5), the list's heads
    // (6-10), the lower block (11-15), the offer panel (16-26), the twenty
    // sponsors (27-46), the categories (47-50), the titles (51, 52), the
    // messages (53, 54), the agency's strain (55-57) and its news (58).
    Screen(o, "WERBUNG_SCREEN",
           {{0, "Annehmen"}, {1, "Beauftragen"}, {2, "Automatisch"}, {3, "Das Angebot annehmen"},
            {4, "Die Werbeagentur sucht ein neues Angebot"}, {5, "Freie Pl\xe4tze automatisch f\xfcllen"},
            {6, "Sponsor"}, {7, "Name"}, {8, "Spiele"}, {9, "Sperre"}, {10, "je Spiel"},
            {11, "Einnahmen der Pl\xe4tze je Spiel"}, {12, "Der Ersatzpartner zahlt f\xfcr"},
            {13, "jeden freien Platz"}, {14, "Ersatzpartner je Spiel"}, {15, "Werbung je Spiel"},
            {16, "Kategorie:"}, {17, "Laufzeit:"}, {18, "Angebot:"}, {19, "Unk\xfcndbar:"},
            {20, "Werbeagentur"}, {21, "Preis:"}, {22, "Spiel"}, {23, "Spiele"}, {24, "je Spiel"},
            {25, "Spiel"}, {26, "Spiele"}, {27, SPONSOREN[0]}, {28, SPONSOREN[1]}, {29, SPONSOREN[2]},
            {30, SPONSOREN[3]}, {31, SPONSOREN[4]}, {32, SPONSOREN[5]}, {33, SPONSOREN[6]}, {34, SPONSOREN[7]},
            {35, SPONSOREN[8]}, {36, SPONSOREN[9]}, {37, SPONSOREN[10]}, {38, SPONSOREN[11]}, {39, SPONSOREN[12]},
            {40, SPONSOREN[13]}, {41, SPONSOREN[14]}, {42, SPONSOREN[15]}, {43, SPONSOREN[16]},
            {44, SPONSOREN[17]}, {45, SPONSOREN[18]}, {46, SPONSOREN[19]}, {47, "TV-Partner"}, {48, "Hauptsponsor"}, {49, "Bande"}, {50, "Ersatzpartner"},
            {51, "Angebot"}, {52, "Werbepl\xe4tze"}, {53, "Es liegt kein Angebot vor."},
            {54, "F\xfcr dieses Angebot ist kein Platz frei."},
            {55, "Die Agentur wird langsam m\xfc" "de: sie hat schon viel f\xfcr Sie gesucht."},
            {56, "Die Agentur ist \xfc" "berlastet. Jede weitere Suche kostet Nerven."},
            {57, "Die Agentur sucht vorerst nicht mehr f\xfcr Sie."},
            {58, "Die Werbeagentur meldet sich wieder: sie sucht gern weiter f\xfcr Sie."}});
    Screentexte_Spieltag(o);
    Screentexte_Transfer(o);
    Screentexte_Training_Fenster(o);
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
                for (int32_t mode : TW_TRIKOT_MODI) Team_Wert(mode, team, z.bereich(0, 239), OP_SCHREIBEN);
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

bool Weltgen_Schreiben(const WeltgenWelt& welt, const std::string& install_verz) {
    std::string verz = install_verz + "/config";
    if (!Plat_Make_Dirs(verz.c_str())) {
        Debug_Printf("Weltgen_Schreiben: %s nicht anlegbar\n", verz.c_str());
        return false;
    }
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
    Datei(dateien, "text.cfg", Texte_Text());
    Datei(dateien, "te.cfg", Screentexte_Text());
    for (const auto& d : dateien) {
        std::string pfad = verz + "/0_" + d.first;
        if (!Plat_Write_Atomic(pfad.c_str(), d.second.data(), d.second.size())) {
            Debug_Printf("Weltgen_Schreiben: %s nicht schreibbar\n", pfad.c_str());
            return false;
        }
    }
    if (g.wettbewerbe && !g.wettbewerbe(welt, verz)) {
        Debug_Printf("Weltgen_Schreiben: Wettbewerbe nicht geschrieben\n");
        return false;
    }
    return true;
}

const char* Weltgen_Sponsor_Name(int32_t zeile) {
    return zeile >= 0 && zeile < WELTGEN_SPONSOREN ? SPONSOREN[zeile] : "";
}

}  // namespace velmora
