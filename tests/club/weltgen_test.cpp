// tests/club/weltgen_test.cpp - the demo world generator, the readers and
// writers of team.cfg, spieler.cfg and global.cfg, and their bad input.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "club/club_config.h"
#include "club/namen.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/weltgen.h"
#include "club/wirtschaft.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "platform/files.h"
#include "tests/core/temp_verz.h"
#include "tests/support/dateigrenze.h"

namespace velmora {
namespace {

std::vector<std::string> meldungen;

struct MeldungFaenger {
    MeldungFaenger() {
        meldungen.clear();
        Core_Hooks().meldung = [](const char* text) { meldungen.push_back(text); };
    }
    ~MeldungFaenger() { Core_Hooks().meldung = nullptr; }
};

bool Meldung_Enthaelt(const std::string& text) {
    for (const std::string& m : meldungen)
        if (m.find(text) != std::string::npos) return true;
    return false;
}

std::string Lesen(const std::string& pfad) {
    std::vector<uint8_t> daten;
    if (!Plat_Read_All(pfad.c_str(), daten)) return "";
    return std::string(daten.begin(), daten.end());
}

// Generates a preset into a fresh installation, then builds the world again
// from the written files through the game's own readers.
struct GenerierteWelt {
    velmora_test::TestWelt dirs;
    WeltgenWelt welt;
    uint8_t vollstaendig = 0;
    bool ok = false;

    explicit GenerierteWelt(bool klein) {
        Rnd_Init();
        Config_Satz_Setzen(0);
        WeltgenOptionen o;
        o.klein = klein;
        o.seed = 7;
        ok = dirs.ok && Weltgen_Erzeugen(o, welt) && Weltgen_Schreiben(welt, dirs.install);
        Spieler_Free();
        Team_Free(0);
    }
    ~GenerierteWelt() {
        Team_Free(0);
        Spieler_Free();
    }
    // Reads the three files; the number of reported errors of all of them.
    int32_t Laden() {
        meldungen.clear();
        bool alles = Global_Config_Lesen() && Team(0) && Spieler(0, &vollstaendig);
        return alles ? int32_t(meldungen.size()) : -1;
    }
};

void Welt_Pruefen(const WeltgenWelt& welt, int32_t laender, int32_t ebenen_min, int32_t clubs_min, int32_t spieler_min) {
    ASSERT_GE(int32_t(welt.laender.size()), laender);
    EXPECT_GE(welt.clubs, clubs_min);
    EXPECT_GE(welt.spieler, spieler_min);
    EXPECT_EQ(Spieler_Anzahl(), welt.spieler);
    EXPECT_EQ(Attribut_Tabelle_Anzahl(), ATTRIBUT_ANZAHL);
    EXPECT_EQ(Scout_Anzahl(), 4);
    EXPECT_EQ(Trainingslager_Anzahl(), 8);
    EXPECT_EQ(Kontinent_Anzahl(), 15);
    EXPECT_EQ(Verletzung_Anzahl(), VERLETZUNG_ARTEN);
    for (int32_t f = 0; f < TF_ANZAHL; ++f) {
        if (f != TF_STAERKE_SPIELE_ART_TRANSFER && f != TF_STAERKE_SPIELE_ART_GEHALT) {
            EXPECT_NE(Transferfaktor_Wert(f), 0) << Transferfaktor_Name(f);
        }
    }
    int32_t markt = Teamspieler_Ins_Array(Team_Markt(), nullptr, MARKT_SPIELER_MAX, 0);
    EXPECT_LE(markt, MARKT_SPIELER_MAX);
    EXPECT_GT(Teamspieler_Ins_Array(Team_Markt(), nullptr, MARKT_SPIELER_MAX, FILTER_NUR_SCOUT), 0);
    for (const WeltgenLand& l : welt.laender) {
        EXPECT_GE(int32_t(l.ligen.size()), ebenen_min) << l.name;
        EXPECT_TRUE(Team_Ist_Nationalteam(l.team)) << l.name;
        EXPECT_NE(Team_Zeiger(14, l.team, nullptr, 0), nullptr) << l.name;
        for (const auto& liga : l.ligen)
            for (int32_t club : liga) {
                int32_t liste[TEAM_SPIELER_MAX];
                ASSERT_EQ(Teamspieler_Ins_Array(club, liste, TEAM_SPIELER_MAX, 0), TEAM_SPIELER_MAX) << club;
                int32_t torwarte = 0;
                for (int32_t p : liste) torwarte += Spieler_Get_Art(p) == 0;
                EXPECT_GE(torwarte, 2) << Team_String(0, club, 0, 0);
                EXPECT_EQ(Team_Wert(6, club, 0, 0), l.team);
                EXPECT_NE(Team_Stadion_Vorgabe(club), nullptr);
                EXPECT_STRNE(Team_String(703, club, 0, 0), "");
            }
    }
}

TEST(Weltgen, SmallPresetGeneratesAndLoadsWithoutErrors) {
    MeldungFaenger f;
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.Laden(), 0) << (meldungen.empty() ? "" : meldungen[0]);
    EXPECT_EQ(w.vollstaendig, 1);
    Welt_Pruefen(w.welt, 2, 2, 40, 40 * 20);
    EXPECT_EQ(w.welt.clubs, 40);
    for (const WeltgenLand& l : w.welt.laender)
        for (const auto& liga : l.ligen) EXPECT_EQ(liga.size(), 10u);
    // Six players shown by photo, three clubs by their own crest picture, as
    // read back from the files.
    ASSERT_EQ(w.welt.foto_spieler.size(), 6u);
    ASSERT_EQ(w.welt.bild_wappen.size(), 3u);
    int32_t fotos = 0;
    for (int32_t p = 0; p < w.welt.spieler; ++p) fotos += Spieler_Wert(SPW_AUSSEHEN, p, 0, OP_LESEN) < 0;
    EXPECT_EQ(fotos, 6);
    for (const auto& [p, team] : w.welt.foto_spieler) EXPECT_LT(Spieler_Wert(SPW_AUSSEHEN, p, 0, OP_LESEN), 0) << p;
    for (const auto& [wappen, team] : w.welt.bild_wappen) {
        EXPECT_NE(uint32_t(Team_Wert(TW_STATUS, team, 0, OP_LESEN)) & TEAM_STATUS_WAPPEN, 0u) << team;
        EXPECT_EQ(Team_Wert(TW_WAPPEN, team, 0, OP_LESEN), wappen);
    }
}

TEST(Weltgen, FullPresetGivesTheStatedCounts) {
    MeldungFaenger f;
    GenerierteWelt w(false);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.Laden(), 0) << (meldungen.empty() ? "" : meldungen[0]);
    EXPECT_EQ(w.vollstaendig, 1);
    Welt_Pruefen(w.welt, 8, 2, 320, 10000);
    for (const WeltgenLand& l : w.welt.laender)
        for (const auto& liga : l.ligen) {
            EXPECT_GE(liga.size(), 16u);
            EXPECT_LE(liga.size(), 20u);
        }
    // The market has room: a club's player released into it goes there.
    const int32_t markt = Teamspieler_Ins_Array(Team_Markt(), nullptr, MARKT_SPIELER_MAX, 0);
    EXPECT_GE(markt, 3000);
    EXPECT_LE(markt, MARKT_SPIELER_MAX - 100);
    const int32_t club = w.welt.laender[0].ligen[0][0];
    int32_t kader[TEAM_SPIELER_MAX];
    ASSERT_EQ(Teamspieler_Ins_Array(club, kader, TEAM_SPIELER_MAX, 0), TEAM_SPIELER_MAX);
    EXPECT_TRUE(Spieler_Transfer_Ausfuehren(club, Team_Markt(), kader[19], -1, 0));
    EXPECT_EQ(Spieler_Get_Team(kader[19]), Team_Markt());
    // Every country and the market carry a crest of their own, which no club
    // shares: the lists tell the countries apart by their crests.
    std::vector<int32_t> wappen;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) wappen.push_back(Team_Wert(TW_WAPPEN, t, 0, OP_LESEN));
    std::vector<int32_t> sortiert = wappen;
    std::sort(sortiert.begin(), sortiert.end());
    EXPECT_EQ(std::adjacent_find(sortiert.begin(), sortiert.end()), sortiert.end()) << "two teams share a crest";
    for (const WeltgenLand& l : w.welt.laender) EXPECT_GE(wappen[size_t(l.team)], NAMEN_LAND_WAPPEN) << l.name;
    // No two clubs share a short name (the lists and the header show it).
    std::vector<std::string> kurz;
    for (const WeltgenLand& l : w.welt.laender)
        for (const auto& liga : l.ligen)
            for (int32_t club : liga) kurz.push_back(Team_String(TS_NAME_KURZ, club, 0, 0));
    std::sort(kurz.begin(), kurz.end());
    const auto doppelt = std::adjacent_find(kurz.begin(), kurz.end());
    EXPECT_EQ(doppelt, kurz.end()) << *doppelt;
    // Spanish and Portuguese names keep their accents in the game's character
    // set through the files and their readers: the first names and towns
    // drawn with one are found as written.
    std::set<std::string> gefunden;
    const std::vector<std::string> akzente = {"Jo\xe3o", "Gon\xe7" "alo", "Rub\xe9n", "Ra\xfal", "n\xe1ndez"};
    for (int32_t p = 0; p < w.welt.spieler; ++p) {
        const std::string name = Spieler_String(SPS_NAME, p, 0, OP_LESEN);
        for (const std::string& a : akzente)
            if (name.find(a) != std::string::npos) gefunden.insert(a);
    }
    EXPECT_EQ(gefunden.size(), akzente.size()) << "accented names missing";
    bool sao = false;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) sao = sao || std::strstr(Team_String(TS_NAME, t, 0, 0), "S\xe3o ");
    EXPECT_TRUE(sao) << "no club of a town S\xe3o";
}

// The players differ by the talents the match reads: forwards who are
// shooters, players with an active weakness (the one who never passes near
// goal among them), and each position with its own strengths switched on.
TEST(Weltgen, PlayersDifferByTheirActiveTalentsAndEachPositionByItsOwn) {
    MeldungFaenger f;
    GenerierteWelt w(false);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.Laden(), 0);
    // Talents by position: field players, those with any active talent, and
    // per kind (1 defender, 2 midfielder, 3 forward) the players with an
    // active talent of the attack (shot, finishing, the shooter) or of the
    // defence (the duels on the ground and in the air, the tackle).
    const std::set<int32_t> angriff = {0, 1, 30, 37}, abwehr = {12, 13, 14, 31, 35};
    int32_t feld = 0, mit_aktivem = 0, art_anzahl[4] = {}, mit_angriff[4] = {}, mit_abwehr[4] = {};
    int32_t schuetzen = 0, ohne_pass = 0;
    std::set<int32_t> aktive;
    for (int32_t p = 0; p < w.welt.spieler; ++p) {
        const int32_t art = Spieler_Get_Art(p);
        if (art < 1 || art > 3) continue;
        ++feld;
        ++art_anzahl[art];
        bool irgendeins = false, a = false, b = false;
        for (int32_t t = 0; t <= ATTRIBUT_NEG_ENDE; ++t) {
            if (!Attribute_Attribut_Aktief(p, t)) continue;
            irgendeins = true;
            aktive.insert(t);
            a |= angriff.count(t) > 0;
            b |= abwehr.count(t) > 0;
        }
        mit_aktivem += irgendeins;
        mit_angriff[art] += a;
        mit_abwehr[art] += b;
        schuetzen += art == 3 && Attribute_Attribut_Aktief(p, 30);
        ohne_pass += Attribute_Attribut_Aktief(p, 40);
    }
    ASSERT_GT(feld, 5000);
    EXPECT_GT(mit_aktivem * 100, feld * 70) << "most players bring an active talent into the match";
    EXPECT_GT(schuetzen * 100, art_anzahl[3] * 2) << "forwards with the shooter's talent";
    EXPECT_GT(ohne_pass, 10) << "players with the active talent that keeps the ball near goal";
    EXPECT_GE(aktive.size(), 35u) << "talents switched on across the field talents and the weaknesses";
    // Each position leans to its own talents.
    EXPECT_GT(mit_angriff[3] * art_anzahl[1], 2 * mit_angriff[1] * art_anzahl[3]) << "forwards attack";
    EXPECT_GT(mit_abwehr[1] * art_anzahl[3], 2 * mit_abwehr[3] * art_anzahl[1]) << "defenders defend";
}

// The files of a directory by name, with their bytes.
std::map<std::string, std::string> Dateien(const std::string& verz) {
    std::map<std::string, std::string> alle;
    for (const std::string& name : Plat_List_Dir(verz.c_str(), "*")) alle[name] = Lesen(verz + "/" + name);
    return alle;
}

// The world's files are one set: a file that finds no room (here the player
// file past a file-size limit the club file fits under) leaves the old world
// byte for byte, not the new clubs beside the old players.
TEST(Weltgen, AFileThatCannotBeWrittenLeavesTheOldWorldWhole) {
    GenerierteWelt alt(true);
    ASSERT_TRUE(alt.ok);
    const std::string verz = alt.dirs.install + "/config";
    const auto vorher = Dateien(verz);
    ASSERT_GE(vorher.size(), 7u);
    WeltgenOptionen o;
    o.klein = true;
    o.seed = 8;
    WeltgenWelt welt;
    ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
    const size_t team = Convert_Team_Config_Text("Velmora demo world").size();
    ASSERT_GT(Convert_Spieler_Config_Text("Velmora demo world").size(), team + 1);
    EXPECT_EQ(test::Unter_Dateigrenze(team + 1, [&] { return Weltgen_Schreiben(welt, alt.dirs.install); }), 1);
    EXPECT_TRUE(Dateien(verz) == vorher) << "the old world was not kept whole";
    EXPECT_FALSE(std::filesystem::exists(verz + "/.velmora-satz")) << "the unfinished set stays";
    // Without the limit the new world replaces the old one whole.
    ASSERT_TRUE(Weltgen_Schreiben(welt, alt.dirs.install));
    const auto danach = Dateien(verz);
    EXPECT_EQ(danach.size(), vorher.size());
    EXPECT_NE(danach.at("0_team.cfg"), vorher.at("0_team.cfg"));
    EXPECT_NE(danach.at("0_spieler.cfg"), vorher.at("0_spieler.cfg"));
    Spieler_Free();
    Team_Free(0);
}

TEST(Weltgen, SameSeedSameFiles) {
    GenerierteWelt a(true);
    std::string erste = Lesen(a.dirs.install + "/config/0_spieler.cfg");
    GenerierteWelt b(true);
    std::string zweite = Lesen(b.dirs.install + "/config/0_spieler.cfg");
    ASSERT_FALSE(erste.empty());
    EXPECT_EQ(erste, zweite);
}

// The world's texts are the game's 8-bit code page with their umlauts: no
// UTF-8 sequence (two bytes that the code page would show as "\xc3\xa4") and
// none of the words the game shows written with "ae", "oe" or "ue" for them.
TEST(Weltgen, EveryTextOfTheWorldIsInTheGamesCharacterSetWithItsUmlauts) {
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    const std::regex umschrieben("(Staerke|Plaetze|fuehrt|ueber|zurueck|Kaempfer|Tuerkei|Oesterreich|Maerz|moechte|"
                                 "koennte|waehl|Spaeher|Blaettern|Hoehe|Wueste|Erkaeltung|Schluessel|Praesident|Suedost|Suedamerika|brueck)");
    const std::regex utf8("[\xc2-\xf4][\x80-\xbf]");
    int32_t dateien = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(w.dirs.install)) {
        if (!e.is_regular_file()) continue;
        const std::string text = Lesen(e.path().string());
        ++dateien;
        std::smatch m;
        if (std::regex_search(text, m, umschrieben)) ADD_FAILURE() << e.path() << ": " << m.str();
        if (std::regex_search(text, m, utf8)) ADD_FAILURE() << e.path() << ": a UTF-8 sequence";
    }
    EXPECT_GE(dateien, 3);
}

// A generated world is the seed's alone: the stadium lines and short names an
// earlier world of the process left (at clubs, countries and the market) do
// not reach its club file.
TEST(Weltgen, TheClubFileDoesNotCarryAnEarlierWorldsStadiumsOrShortNames) {
    WeltgenOptionen o;
    o.klein = true;
    o.seed = 6;
    std::string text[2];
    for (int32_t lauf = 0; lauf < 2; ++lauf) {
        Rnd_Init();
        if (lauf == 0) {
            // The earlier world: more teams than the new one, each with a stadium and a short name.
            ASSERT_TRUE(Team_Init(TEAM_MAX));
            for (int32_t t = 0; t < TEAM_MAX; ++t) {
                ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(t, "Altes Stadion", 1234, 56));
                ASSERT_TRUE(Team_Kuerzel_Setzen(t, "ALT"));
            }
        }
        WeltgenWelt welt;
        ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
        text[lauf] = Convert_Team_Config_Text("test");
        EXPECT_EQ(Team_Stadion_Vorgabe(Team_Markt()), nullptr) << "run " << lauf;
        EXPECT_EQ(Team_Stadion_Vorgabe(welt.laender[0].team), nullptr) << "run " << lauf;
        Team_Free(0);
        Spieler_Free();
        Team_Vorgaben_Leeren();
    }
    EXPECT_EQ(text[0].find("Altes Stadion"), std::string::npos);
    EXPECT_EQ(text[0].find("ALT"), std::string::npos);
    EXPECT_EQ(text[0], text[1]);
}

TEST(Weltgen, EventFileHasEveryCategory) {
    GenerierteWelt w(true);
    std::string text = Lesen(w.dirs.install + "/config/0_ereignis.cfg");
    for (const char* k : {"RANDALE", "SERIEN_SIEGE", "SPIELERGEWERKSCHAFT_WAHL", "STADIONALTER", "MANAGER_NATIONALTRAINER"})
        EXPECT_NE(text.find(std::string("KATEGORIE \"") + k + "\""), std::string::npos) << k;
}

TEST(ClubConfig, WriteReadWriteGivesIdenticalFiles) {
    MeldungFaenger f;
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    const std::string verz = w.dirs.install + "/config/0_";
    struct {
        const char* datei;
        std::string (*schreiben)(const char*);
    } faelle[] = {{"team.cfg", Convert_Team_Config_Text},
                  {"spieler.cfg", Convert_Spieler_Config_Text},
                  {"global.cfg", Convert_Global_Config_Text}};
    ASSERT_EQ(w.Laden(), 0);
    for (auto& fall : faelle) {
        std::string erste = Lesen(verz + fall.datei);
        std::string zweite = fall.schreiben("Velmora demo world");
        EXPECT_EQ(erste, zweite) << fall.datei;
    }
    // Through the editor's writers into the user directory and back once more.
    ASSERT_TRUE(Convert_Team_Config_Speichern(0, "test01"));
    ASSERT_TRUE(Convert_Spieler_Config_Speichern(0, "test01"));
    ASSERT_TRUE(Convert_Global_Config_Speichern(0, "test01"));
    std::string team1 = Convert_Team_Config_Text("test01"), spieler1 = Convert_Spieler_Config_Text("test01"),
                global1 = Convert_Global_Config_Text("test01");
    ASSERT_EQ(w.Laden(), 0);
    EXPECT_EQ(Convert_Team_Config_Text("test01"), team1);
    EXPECT_EQ(Convert_Spieler_Config_Text("test01"), spieler1);
    EXPECT_EQ(Convert_Global_Config_Text("test01"), global1);
}

TEST(ClubConfig, BinaryCacheRestoresTheWorld) {
    MeldungFaenger f;
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    ASSERT_TRUE(Global_Config_Bin_Anmelden());
    ASSERT_TRUE(Club_Config_Bin_Anmelden());
    ASSERT_EQ(w.Laden(), 0);
    std::string vorher = Convert_Spieler_Config_Text("x") + Convert_Team_Config_Text("x") + Convert_Global_Config_Text("x");
    ASSERT_TRUE(Config_Bin_Schreiben());
    Team_Free(0);
    Spieler_Free();
    Global_Config_Init();
    ASSERT_TRUE(Config_Bin_Laden());
    EXPECT_EQ(Convert_Spieler_Config_Text("x") + Convert_Team_Config_Text("x") + Convert_Global_Config_Text("x"), vorher);
    for (const char* r : {"global", "spieler", "teams", "stadien", "kuerzel"}) Config_Bin_Region_Abmelden(r);
}

TEST(ClubConfig, StadiumValuesStayWithinTheFileLimits) {
    MeldungFaenger f;
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.Laden(), 0);
    const struct {
        int32_t sitze, stehplaetze;
        bool angenommen;
    } faelle[] = {{0, 0, true}, {200000, 200000, true}, {200001, 0, false}, {0, 200001, false},
                  {INT32_MAX, INT32_MAX, false}, {-1, 5, false}};
    for (const auto& c : faelle) {
        EXPECT_EQ(Team_Stadion_Vorgabe_Setzen(0, "Arena", c.sitze, c.stehplaetze), c.angenommen)
            << c.sitze << " / " << c.stehplaetze;
    }
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(0, "Arena", 1234, 5678));
    EXPECT_EQ(Team_Stadion_Vorgabe(0)->sitze + Team_Stadion_Vorgabe(0)->stehplaetze, 1234 + 5678);
}

// A cache whose stadium region holds seats beyond the limits (with a sound
// checksum) is refused as a whole; the stadium stays as it was.
TEST(ClubConfig, CacheWithStadiumBeyondTheLimitsIsRefused) {
    MeldungFaenger f;
    GenerierteWelt w(true);
    ASSERT_TRUE(w.ok);
    ASSERT_TRUE(Club_Config_Bin_Anmelden());   // only the club regions: the stadium one is looked at
    ASSERT_EQ(w.Laden(), 0);
    ASSERT_TRUE(Team_Stadion_Vorgabe_Setzen(0, "Arena", 1234, 5678));
    ASSERT_TRUE(Config_Bin_Schreiben());
    std::vector<uint8_t> datei;
    ASSERT_TRUE(Plat_Read_All(Config_Bin_Pfad().c_str(), datei));
    const uint8_t muster[] = {'A', 'r', 'e', 'n', 'a', 0xD2, 0x04, 0, 0, 0x2E, 0x16, 0, 0};
    auto it = std::search(datei.begin(), datei.end(), std::begin(muster), std::end(muster));
    ASSERT_NE(it, datei.end());
    const size_t sitze = size_t(it - datei.begin()) + 5;
    for (uint32_t wert : {0x7FFFFFFFu, 200001u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(wert);
        std::vector<uint8_t> kaputt = datei;
        for (int i = 0; i < 4; ++i) kaputt[sitze + size_t(i)] = uint8_t(wert >> (8 * i));
        const uint32_t crc = uint32_t(crc32(crc32(0L, Z_NULL, 0), kaputt.data(), uInt(kaputt.size() - 4)));
        for (int i = 0; i < 4; ++i) kaputt[kaputt.size() - 4 + size_t(i)] = uint8_t(crc >> (8 * i));
        ASSERT_TRUE(Plat_Write_Atomic(Config_Bin_Pfad().c_str(), kaputt.data(), kaputt.size()));
        EXPECT_FALSE(Config_Bin_Laden());
        ASSERT_NE(Team_Stadion_Vorgabe(0), nullptr);
        EXPECT_EQ(Team_Stadion_Vorgabe(0)->sitze, 1234);
    }
    // The untouched cache still loads: only the values made the difference.
    ASSERT_TRUE(Plat_Write_Atomic(Config_Bin_Pfad().c_str(), datei.data(), datei.size()));
    EXPECT_TRUE(Config_Bin_Laden());
    for (const char* r : {"spieler", "teams", "stadien"}) Config_Bin_Region_Abmelden(r);
}

const char* const TEAMS = "NEUES_TEAM\nNAME \"Markt\"\nTRANSFERMARKT JA\nNEUES_TEAM\nNAME \"Land\"\nSTATUS 2\n"
                          "KLIMA 90, 120, 20\nNEUES_TEAM\nNAME \"Club\"\nNATION 1\n";

TEST(ClubConfig, PlayerCountMismatchIsReported) {
    MeldungFaenger f;
    ASSERT_TRUE(Team_Config_Lesen_Text(TEAMS, nullptr));
    uint8_t voll = 9;
    EXPECT_TRUE(Spieler_Config_Lesen_Text("SPIELER_ANZAHL 3\nNEUER_SPIELER\nTEAM 2\nNAME \"A\"\nNEUER_SPIELER\nTEAM 2\n",
                                          nullptr, &voll));
    EXPECT_EQ(voll, 0);
    EXPECT_TRUE(Meldung_Enthaelt("Falsche Spielerzahl!"));
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 20, 0), 2);
    Team_Free(0);
    Spieler_Free();
}

TEST(ClubConfig, BadLinesAreReportedAndReadingGoesOn) {
    MeldungFaenger f;
    struct Fall {
        const char* zeile;
        const char* meldung;
    } faelle[] = {
        {"QUATSCH 5", "(201) Unbekannter Befehl (QUATSCH)"},
        {"NAMEN \"X\"", "(201) Unbekannter Befehl (NAMEN)"},   // a keyword's longer and shorter kin
        {"TALENTE 1, 2", "(201) Unbekannter Befehl (TALENTE)"},
        {"STAERK 5", "(201) Unbekannter Befehl (STAERK)"},
        {"S 5", "(201) Unbekannter Befehl (S)"},
        {"ALTER 300", "(203) Wert 300 nicht in 0..99"},
        {"TEAM 17", "Team 17 von Spieler 0 gibt es nicht"},
        {"TALENT 60, 5", "(203) TALENT"},
        {"NATION #UNBEKANNT", "(4)"},
    };
    for (const Fall& fall : faelle) {
        meldungen.clear();
        ASSERT_TRUE(Team_Config_Lesen_Text(TEAMS, nullptr));
        uint8_t voll = 0;
        std::string text = std::string("SPIELER_ANZAHL 1\nNEUER_SPIELER\n") + fall.zeile + "\nNAME \"Weiter\"\n";
        EXPECT_TRUE(Spieler_Config_Lesen_Text(text, nullptr, &voll)) << fall.zeile;
        EXPECT_EQ(voll, 1) << fall.zeile;
        EXPECT_TRUE(Meldung_Enthaelt(fall.meldung)) << fall.zeile << " -> " << (meldungen.empty() ? "" : meldungen[0]);
        EXPECT_STREQ(Spieler_String(508, 0, 0, 0), "Weiter") << fall.zeile;
    }
    Team_Free(0);
    Spieler_Free();
}

TEST(ClubConfig, StructuralErrorsStopTheLoadCleanly) {
    MeldungFaenger f;
    ASSERT_TRUE(Team_Config_Lesen_Text(TEAMS, nullptr));
    uint8_t voll = 1;
    EXPECT_FALSE(Spieler_Config_Lesen_Text("NEUER_SPIELER\nNAME \"X\"\n", nullptr, &voll));
    EXPECT_EQ(voll, 0);
    EXPECT_FALSE(Spieler_Config_Lesen_Text("SPIELER_ANZAHL 1\nNEUER_SPIELER\nNEUER_SPIELER\n", nullptr, &voll));
    EXPECT_EQ(Spieler_Anzahl(), 0);
    EXPECT_FALSE(Spieler_Config_Lesen_Text("SPIELER_ANZAHL 99999999\n", nullptr, &voll));
    // A 21st player of one club stays without a club, with a message.
    std::string text = "SPIELER_ANZAHL 21\n";
    for (int32_t i = 0; i < 21; ++i) text += "NEUER_SPIELER\nTEAM 2\n";
    meldungen.clear();
    EXPECT_TRUE(Spieler_Config_Lesen_Text(text, nullptr, &voll));
    EXPECT_EQ(Teamspieler_Ins_Array(2, nullptr, 20, 0), 20);
    EXPECT_EQ(Spieler_Get_Team(20), -1);
    EXPECT_TRUE(Meldung_Enthaelt("Team 2 ist voll"));
    Team_Free(0);
    Spieler_Free();
}

TEST(GlobalConfig, UnknownKeywordsPassTheChainBeforeTheError) {
    MeldungFaenger f;
    Global_Config_Init();
    static int32_t gesehen = 0;
    gesehen = 0;
    GlobalConfigLeser eigener = [](const char* b) {
        if (std::strcmp(b, "MEIN_WERT")) return false;
        gesehen = Read_Config_Get_Wert();
        return true;
    };
    Global_Config_Leser_Anmelden(eigener);
    EXPECT_TRUE(Global_Config_Lesen_Text("MEIN_WERT 42\nFAKTOR_0_100_GEHALT 7\nWERBUNG_GRUNDPREIS 33\n"
                                         "FAKTOR_0_100_GEHALTT 1\nINFOTEXT \"egal\"\n",
                                         nullptr));
    Global_Config_Leser_Abmelden(eigener);
    EXPECT_EQ(gesehen, 42);
    EXPECT_EQ(Transferfaktor_Wert(TF_GEHALT), 7);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0], "[4] Syntax-Error in global.cfg:\n - (101) Unbekannter Befehl (FAKTOR_0_100_GEHALTT)\n\n");
}

TEST(GlobalConfig, SectionsFillTheirTables) {
    MeldungFaenger f;
    Global_Config_Init();
    EXPECT_TRUE(Global_Config_Lesen_Text(
        "NEUER_ATTRIBUT\nNAME \"Kopfball\"\nNOETIGE_ENTWICKELUNGSPUNKTE 30\nVORAUSSETZUNG 5, -1, 60\n"
        "NEUER_SCOUT\nNAME \"Spaeher\"\nUEBERREDUNGSKRAFT 150, -3, 50\nSPIELER_STAERKE_FACTOR 13\n"
        "NEUER_TR_LAGER\nTR_LAGER_NAME \"Berg\"\nTR_LAGER_KOSTEN 400\n"
        "NEUER_KONTINENT\nNAME \"Europa\"\nLISTE JA\n"
        "ALGEMEINE_PARAMETER\nTRAININGS_EINHEITEN_PRO_RUNDE 3\nTRAINING_ABSTURZ_PROCENT_PARAM 1,2,3,4,5,6,7\n"
        "TRAINING_ABSTURZ_PROCENT_PARAM 2,3,4,5,6,7,8\nVERLETZUNG \"*100\", 5, 3, 10\n",
        nullptr));
    EXPECT_STREQ(Attribut_Daten(0)->name, "Kopfball");
    EXPECT_EQ(Attribut_Schwelle(0), 30);
    EXPECT_EQ(Attribut_Daten(0)->voraussetzung[2], 52);                  // 60 reported, nearer bound
    EXPECT_TRUE(Meldung_Enthaelt("(103) Wert 60 nicht in -1..52"));
    ASSERT_EQ(Scout_Anzahl(), 1);
    EXPECT_EQ(Scout_Daten(0)->ueberredung[0], 100);                    // clamped without a message
    EXPECT_EQ(Scout_Daten(0)->ueberredung[1], 0);
    EXPECT_EQ(Scout_Daten(0)->staerke_factor[0], 12);
    EXPECT_STREQ(Trainingslager_Daten(0)->name, "Berg");
    EXPECT_EQ(Kontinent_Suchen("EUROPA"), 0);
    EXPECT_EQ(Global_Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0), 3);
    EXPECT_EQ(Global_Parameter_Zeile(GP_TRAINING_ABSTURZ_PROCENT_PARAM, 1, 6), 8);
    EXPECT_STREQ(Spieler_Tabelle_Wert(0), "*100");
    EXPECT_EQ(Spieler_Tabelle_Wert(1), nullptr);
}

TEST(GlobalConfig, TooManySectionsAreSkippedWithAMessage) {
    MeldungFaenger f;
    Global_Config_Init();
    std::string text;
    for (int32_t i = 0; i < 6; ++i) text += "NEUER_SCOUT\nALTER 40\n";
    EXPECT_TRUE(Global_Config_Lesen_Text(text, nullptr));
    EXPECT_EQ(Scout_Anzahl(), SCOUT_MAX);
    EXPECT_TRUE(Meldung_Enthaelt("(104) mehr als 4 Scouts"));
}

}  // namespace
}  // namespace velmora
