// The news inbox: adding, recipients, changing, walking, the news file and the save block.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "business/news_satz.h"
#include "business/news_testing.h"
#include "core/bytes.h"
#include "core/optionen.h"
#include "platform/files.h"
#include "season/kalender.h"
#include "tests/business/news_welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;
using NewsTest = test::NewsWelt;

std::vector<uint8_t> Datei() {
    std::vector<uint8_t> d;
    EXPECT_TRUE(Plat_Read_All(News_Datei_Name(), d));
    return d;
}

TEST_F(NewsTest, MessageToAllReachesEveryHumanManagerButTheSender) {
    struct Fall {
        int32_t sender, flags;
        const char* empfaenger;
    } faelle[] = {
        {-1, 4, "2:40000804 3:40000804 4:40000804"},
        {3, 4, "2:40000804 4:40000804"},
        {3, 2, "3:2"},                          // an answer to all goes to its sender alone
        {3, 6, "3:40000806"},
        {5, 2, "5:2"},                          // even a computer team
        {-1, -1, "2:40000804 3:40000804 4:40000804"},
        {-1, 0x1004, "2:40001004 3:40001004 4:40001004"},   // a category keeps bit 11 clear
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.empfaenger);
        ASSERT_EQ(News_Add(f.sender, -1, -1, f.flags, nullptr, "Hallo %d", 7), 1);
        int32_t i = News_Anzahl() - 1;
        EXPECT_EQ(Empfaenger(i), f.empfaenger);
        EXPECT_STREQ(News_Text(i), "Hallo 7");
        EXPECT_EQ(News_Get_Absender(i), f.sender);
    }
    EXPECT_EQ(News_Add(-1, -1, -1, 2, nullptr, "niemand"), 0);   // an answer from the game to all: no pair
}

TEST_F(NewsTest, ItemsForComputerTeamsAreDroppedUnlessRequestOrAnswer) {
    struct Fall {
        int32_t an, zweiter, flags, gespeichert;
    } faelle[] = {
        {5, -1, 4, 0}, {5, -1, 1, 1}, {5, -1, 2, 1}, {5, 2, 4, 1}, {2, 5, 4, 1}, {0, -1, 4, 0}, {99, -1, 1, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.an << "/" << f.zweiter << "/" << f.flags);
        EXPECT_EQ(News_Add(-1, f.an, f.zweiter, f.flags, nullptr, "x"), f.gespeichert);
    }
    EXPECT_EQ(Empfaenger(3), "2:40000804 5:40000804");
}

TEST_F(NewsTest, HeaderDayAndIdsAreKept) {
    int32_t kopf[10] = {12, 3, 4, 99, 5, 6, 7, 8, 9, -1};
    ASSERT_EQ(News_Add(4, 3, -1, 1, kopf, "Angebot"), 1);
    ASSERT_EQ(News_Add(4, 3, -1, 4, nullptr, "ohne Kopf"), 1);
    EXPECT_EQ(std::memcmp(News_Get_Kopf(0), kopf, sizeof kopf), 0);
    const int32_t standard[10] = {-1, -1, -1, -1, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(News_Get_Kopf(1), standard, sizeof standard), 0);
    EXPECT_EQ(News_Get_Id(0), 1u);
    EXPECT_EQ(News_Get_Id(1), 2u);
    EXPECT_EQ(News_Index_Von_Id(2), 1);
    EXPECT_EQ(News_Index_Von_Id(77), -1);
    EXPECT_EQ(News_Get_Tag(0), Tag_Index());
    EXPECT_EQ(News_Eintragen(500, 42, -1, 2, -1, 4, nullptr, "vom Server"), 1);
    EXPECT_EQ(News_Get_Id(2), 500u);
    EXPECT_EQ(News_Get_Tag(2), 42);
    EXPECT_EQ(News_Letzte_Id(), 500u);
}

TEST_F(NewsTest, TextsAreCutAt799AndEmptyOrZeroDataIsNotStored) {
    std::string lang(2000, 'a');
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "%s", lang.c_str()), 1);
    EXPECT_EQ(std::strlen(News_Text(0)), 799u);
    ASSERT_EQ(News_Add_Block(-1, 2, -1, 4, nullptr, lang.c_str()), 1);
    EXPECT_EQ(std::strlen(News_Text(1)), 799u);
    EXPECT_EQ(News_Add(-1, 2, -1, 4, nullptr, "%s", ""), 0);
    const char null_daten[4] = {0, 1, 2, 3};
    int32_t kopf[10] = {5};
    EXPECT_EQ(News_Add_Block(-1, 2, -1, int32_t(NEWS_ANKUENDIGUNG), kopf, null_daten), 0);
    EXPECT_EQ(News_Add_Block(-1, 2, -1, 4, nullptr, nullptr), 0);
    EXPECT_EQ(News_Anzahl(), 2);
}

TEST_F(NewsTest, BinaryItemsCarryTheirDataAndNeedALength) {
    char daten[336];
    for (int32_t i = 0; i < 336; ++i) daten[i] = char(1 + i % 200);
    daten[100] = 0;   // zeros inside the data stay
    int32_t kopf[10] = {337};
    ASSERT_EQ(News_Add_Block(-1, 2, -1, int32_t(NEWS_ANKUENDIGUNG | NEWS_NACHRICHT), kopf, daten), 1);
    NewsSatz s;
    ASSERT_TRUE(News_Satz_Holen(0, s));
    ASSERT_EQ(s.text.size(), 336u);
    EXPECT_EQ(std::memcmp(s.text.data(), daten, 336), 0);
    EXPECT_EQ(std::memcmp(News_Text(0), daten, 336), 0);
    for (int32_t laenge : {0, -4}) {
        test::Log().clear();
        kopf[0] = laenge;
        EXPECT_EQ(News_Add_Block(-1, 2, -1, int32_t(NEWS_BINAER), kopf, daten), 0);
        EXPECT_TRUE(Log_Enthaelt("Binärnews ohne Länge"));
    }
    test::Log().clear();
    EXPECT_EQ(News_Add_Block(-1, 2, -1, int32_t(NEWS_BINAER), nullptr, daten), 0);
    EXPECT_TRUE(Log_Enthaelt("Binärnews ohne Länge"));
    kopf[0] = 5000;
    EXPECT_EQ(News_Add_Block(-1, 2, -1, int32_t(NEWS_BINAER), kopf, daten), 0);
}

TEST_F(NewsTest, SetChangesRemovesAndDeletes) {
    struct Fall {
        int32_t team, wert, modus;
        const char* danach;
        int32_t ergebnis;
    } faelle[] = {
        {3, 0x100, NEWS_SET_SETZEN, "2:40000804 3:40000904", 0},
        {3, 0x104, NEWS_SET_UMSCHALTEN, "2:40000804 3:40000800", 0},
        {-1, 0x800, NEWS_SET_LOESCHEN, "2:40000004", 1},   // 3 keeps exactly bit 30: removed
        {2, 0x7, NEWS_SET_WERT, "2:7", 0},
        {2, 0x7, 3, "2:7", 0},                                        // a wrong mode changes nothing
        {2, -1, NEWS_SET_LOESCHEN, "", 1},                            // the last recipient: deleted
    };
    ASSERT_EQ(News_Add(-1, 2, 3, 4, nullptr, "zwei"), 1);
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.danach);
        EXPECT_EQ(News_Set(0, f.team, f.wert, f.modus), f.ergebnis);
        EXPECT_EQ(News_Anzahl() ? Empfaenger(0) : std::string(), f.danach);
    }
    EXPECT_TRUE(Log_Enthaelt("Falscher News_Set-Modus"));
    EXPECT_EQ(News_Anzahl(), 0);

    ASSERT_EQ(News_Add(-1, -1, -1, 4, nullptr, "alle"), 1);
    EXPECT_EQ(News_Set(0, 3, -1, NEWS_SET_LOESCHEN), 1);   // one of three
    EXPECT_EQ(Empfaenger(0), "2:40000804 4:40000804");
    EXPECT_EQ(News_Set(0, -1, -1, NEWS_SET_LOESCHEN), 1);  // the whole item
    EXPECT_EQ(News_Anzahl(), 0);
    EXPECT_EQ(News_Set(0, -1, -1, NEWS_SET_LOESCHEN), 0);
    EXPECT_EQ(News_Set(-1, 2, 1, 8), 0);
    EXPECT_EQ(News_Set(NEWS_MAX, 2, 1, 8), 0);
}

TEST_F(NewsTest, SetWithATeamChangesOnlyItsFirstPair) {
    ASSERT_EQ(News_Add(-1, 3, 3, 4, nullptr, "doppelt"), 1);   // the same team twice gets one pair
    EXPECT_EQ(Empfaenger(0), "3:40000804");
    ASSERT_EQ(News_Eintragen(0, -1, -1, 2, 3, 4, nullptr, "zwei"), 1);
    EXPECT_EQ(News_Set(1, 4, 1, NEWS_SET_SETZEN), 0);   // not a recipient: nothing
    EXPECT_EQ(Empfaenger(1), "2:40000804 3:40000804");
}

TEST_F(NewsTest, WalksFilterByTeamAndMask) {
    ASSERT_EQ(News_Add(-1, 2, -1, 1, nullptr, "Anfrage an 2"), 1);        // 0
    ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "Nachricht an 3"), 1);      // 1
    ASSERT_EQ(News_Add(-1, 3, -1, 2, nullptr, "Antwort an 3"), 1);        // 2: flags exactly 2
    ASSERT_EQ(News_Add(-1, 2, 3, 5, nullptr, "Anfrage an 2 und 3"), 1);   // 3
    struct Fall {
        int32_t team, maske;
        std::vector<int32_t> treffer;
    } faelle[] = {
        {-1, -1, {0, 1, 2, 3}},
        {-1, 1, {0, 3}},
        {-1, 0x40000001, {0, 3}},
        {-1, 0x40000002, {}},        // the answer has no bit 30
        {-1, 2, {2}},
        {3, -1, {1, 2, 3}},
        {2, 4, {3}},
        {4, -1, {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << f.team << "/" << std::hex << f.maske);
        std::vector<int32_t> gefunden;
        for (int32_t i = News_Erste(f.team, f.maske); i >= 0; i = News_Naechste()) gefunden.push_back(i);
        EXPECT_EQ(gefunden, f.treffer);
    }
    EXPECT_EQ(News_Erste(-1, 1), 0);
    EXPECT_EQ(News_Naechste(), 3);
    EXPECT_EQ(News_Vorige(), 0);
    EXPECT_EQ(News_Vorige(), -1);
    EXPECT_EQ(News_Suche_Flags(3, -1, 1, 0), 3);
    EXPECT_EQ(News_Suche_Flags(3, -1, 0, 1), 1);
    EXPECT_EQ(News_Suche_Weiter(), 2);
    EXPECT_EQ(News_Suche_Weiter(), -1);
}

TEST_F(NewsTest, DeletingTheCurrentItemDoesNotSkipTheNext) {
    for (int32_t i = 0; i < 5; ++i) ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "n%d", i), 1);
    std::vector<std::string> gesehen;
    for (int32_t i = News_Erste(2, 4); i >= 0; i = News_Naechste()) {
        gesehen.push_back(News_Text(i));
        News_Set(i, 2, -1, NEWS_SET_LOESCHEN);
    }
    EXPECT_EQ(gesehen, (std::vector<std::string>{"n0", "n1", "n2", "n3", "n4"}));
    EXPECT_EQ(News_Anzahl(), 0);
}

TEST_F(NewsTest, FullIndexDropsTheOldestAndIdsKeepRising) {
    for (int32_t i = 0; i < NEWS_MAX; ++i) ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "n%d", i), 1);
    EXPECT_EQ(News_Anzahl(), NEWS_MAX);
    EXPECT_EQ(News_Add(-1, 5, -1, 4, nullptr, "nur Computer"), 0);   // not stored: the oldest stays
    EXPECT_STREQ(News_Text(0), "n0");
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "neu"), 1);
    EXPECT_EQ(News_Anzahl(), NEWS_MAX);
    EXPECT_STREQ(News_Text(0), "n1");
    EXPECT_STREQ(News_Text(NEWS_MAX - 1), "neu");
    EXPECT_EQ(News_Get_Id(NEWS_MAX - 1), uint32_t(NEWS_MAX + 1));
}

TEST_F(NewsTest, DeleteByHeaderWordAllReadAndHolding) {
    int32_t angebot[10] = {12, 2, 3, 50, 17, 0, 0, 0, 0, -1};
    ASSERT_EQ(News_Add(3, 2, -1, 1, angebot, "Angebot fuer 17"), 1);
    angebot[4] = 18;
    ASSERT_EQ(News_Add(3, 2, -1, 1, angebot, "Angebot fuer 18"), 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "Nachricht"), 1);
    EXPECT_EQ(News_Loeschen_Nach(12, 4, 17), 1);
    EXPECT_EQ(News_Loeschen_Nach(12, 10, 17), 0);
    ASSERT_EQ(News_Anzahl(), 2);
    EXPECT_STREQ(News_Text(0), "Angebot fuer 18");

    News_Anfragen_Halten(2, 0);   // the request has bit 30: kept; nothing shares the mask
    EXPECT_EQ(News_Get_Flags(0, 2) & int32_t(NEWS_HALTEN), 0);
    ASSERT_EQ(News_Add(-1, 2, -1, 5, nullptr, "Anfrage mit Nachricht"), 1);
    News_Anfragen_Halten(2, 1);
    EXPECT_EQ(News_Get_Flags(2, 2), int32_t(0x60000805));
    EXPECT_EQ(News_Get_Flags(1, 2), int32_t(0x40000804));   // shares no bit with the mask

    News_Alle_Gelesen();
    EXPECT_EQ(News_Get_Flags(1, 2), int32_t(0x40000800));
    EXPECT_EQ(News_Get_Flags(2, 2), int32_t(0x60000801));
    EXPECT_EQ(News_Anzahl(), 3);
}

TEST_F(NewsTest, ClosedModuleAndBadIndexGiveNeutralValues) {
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "da"), 1);
    for (int32_t i : {-1, 1, NEWS_MAX, 100000}) {
        SCOPED_TRACE(i);
        const int32_t* k = News_Get_Kopf(i);
        for (int32_t w = 0; w < 10; ++w) EXPECT_EQ(k[w], 0);
        EXPECT_EQ(News_Get_Absender(i), -1);
        EXPECT_EQ(News_Get_Tag(i), 0);
        EXPECT_STREQ(News_Text(i), "");
        EXPECT_EQ(News_Get_Flags(i, 2), -1);
        EXPECT_EQ(News_Get_Id(i), 0u);
    }
    News_Datei_Schliessen();
    test::Log().clear();
    EXPECT_EQ(News_Add(-1, 2, -1, 4, nullptr, "zu"), 0);
    EXPECT_TRUE(Log_Enthaelt("News-Modul nicht initialisiert !!!"));
    EXPECT_EQ(News_Erste(-1, -1), -1);
    EXPECT_STREQ(News_Text(0), "");
    EXPECT_EQ(News_Anzahl(), 0);
}

TEST_F(NewsTest, FileHoldsTheRecordsFieldByField) {
    std::string pfad = welt.user + "/ostra_000.nws";
    EXPECT_EQ(Plat_Path(News_Datei_Name()), pfad);
    int32_t kopf[10] = {5, 2, 3, 40, 1000000, 8, 12, 0, 0, -1};
    ASSERT_EQ(News_Add(3, 2, 4, 1, kopf, "Kredit?"), 1);
    ASSERT_EQ(News_Add(-1, 3, -1, 4, nullptr, "%s", ""), 0);
    std::vector<uint8_t> d = Datei();
    ASSERT_EQ(d.size(), 56u + 8 + 2 * 8 + 4);
    EXPECT_EQ(Bytes_Get32(&d[0]), 1u);
    EXPECT_EQ(int32_t(Bytes_Get32(&d[4])), Tag_Index());
    EXPECT_EQ(Bytes_Get32(&d[8]), 3u);
    for (int32_t w = 0; w < 10; ++w) EXPECT_EQ(int32_t(Bytes_Get32(&d[12 + 4 * w])), kopf[w]);
    EXPECT_EQ(Bytes_Get32(&d[52]), 7u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&d[56])), "Kredit?");
    EXPECT_EQ(d[63], 0);
    EXPECT_EQ(Bytes_Get32(&d[64]), 2u);
    EXPECT_EQ(Bytes_Get32(&d[68]), 0x40000801u);
    EXPECT_EQ(Bytes_Get32(&d[72]), 4u);
    EXPECT_EQ(Bytes_Get32(&d[76]), 0x40000801u);
    EXPECT_EQ(Bytes_Get32(&d[80]), 0xFFFFFFFFu);

    // A removed recipient keeps its place with team -2; flags are changed in place.
    News_Set(0, 2, -1, NEWS_SET_LOESCHEN);
    News_Set(0, 4, 0x1000, NEWS_SET_SETZEN);
    d = Datei();
    EXPECT_EQ(Bytes_Get32(&d[64]), 0xFFFFFFFEu);
    EXPECT_EQ(Bytes_Get32(&d[76]), 0x40001801u);

    // Deleting only leaves the index: the bytes stay, the next record follows them.
    News_Set(0, -1, -1, NEWS_SET_LOESCHEN);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "%s", ""), 0);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "x"), 1);
    EXPECT_EQ(News_Testing_Offset(0), 84);
    EXPECT_EQ(Datei().size(), 84u + 56 + 2 + 12);
}

TEST_F(NewsTest, OpeningReplacesAnOldFileAndClosingDeletesIt) {
    News_Datei_Schliessen();
    std::string pfad = welt.user + "/ostra_000.nws";
    welt.user_datei("ostra_000.nws", std::string(100, 'X'));
    ASSERT_TRUE(News_Datei_Oeffnen());
    EXPECT_EQ(std::filesystem::file_size(pfad), 0u);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "a"), 1);
    ASSERT_TRUE(News_Datei_Oeffnen());   // reopening starts empty
    EXPECT_EQ(News_Anzahl(), 0);
    News_Datei_Schliessen();
    EXPECT_FALSE(std::filesystem::exists(pfad));
    EXPECT_FALSE(News_Ist_Offen());
    EXPECT_STREQ(News_Datei_Name(), "");
}

// The working file of another running instance (its open file locked) is
// neither taken nor touched: the next free number is.
TEST_F(NewsTest, ANumberAnotherInstanceHoldsIsSkipped) {
    News_Datei_Schliessen();
    const std::string andere = welt.user + "/ostra_000.nws";
    welt.user_datei("ostra_000.nws", std::string(100, 'X'));
    bool fremd = false;
    int32_t h = Plat_File_Open_Exclusive(andere.c_str(), &fremd);
    ASSERT_GE(h, 0);
    ASSERT_TRUE(News_Datei_Oeffnen());
    EXPECT_EQ(std::string(News_Datei_Name()).substr(std::string(News_Datei_Name()).size() - 13), "ostra_001.nws");
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "a"), 1);
    News_Datei_Schliessen();
    EXPECT_EQ(std::filesystem::file_size(andere), 100u) << "the other instance's file stays whole";
    Plat_File_Close(h);
    ASSERT_TRUE(News_Datei_Oeffnen());   // let go: the number is free again
    EXPECT_EQ(std::string(News_Datei_Name()).substr(std::string(News_Datei_Name()).size() - 13), "ostra_000.nws");
}

TEST_F(NewsTest, FileReadBackIndexesEveryRecordAndRefusesDamage) {
    ASSERT_EQ(News_Add(-1, -1, -1, 4, nullptr, "erste"), 1);
    ASSERT_EQ(News_Add(3, 2, -1, 1, nullptr, "zweite"), 1);
    ASSERT_EQ(News_Add(-1, 4, -1, 4, nullptr, "dritte"), 1);
    News_Set(0, 3, -1, NEWS_SET_LOESCHEN);
    std::vector<uint8_t> d = Datei();
    ASSERT_EQ(News_Testing_Datei_Uebernehmen(d.data(), d.size()), 3);
    EXPECT_EQ(Empfaenger(0), "2:40000804 4:40000804");
    EXPECT_STREQ(News_Text(2), "dritte");

    // Cut anywhere: the whole records before the cut stay readable.
    size_t zweite = size_t(News_Testing_Offset(1)), dritte = size_t(News_Testing_Offset(2));
    for (size_t n = 0; n < d.size(); ++n) {
        int32_t erwartet = n < zweite ? 0 : n < dritte ? 1 : 2;
        ASSERT_EQ(News_Testing_Datei_Uebernehmen(d.data(), n), erwartet) << n;
    }
    struct Schaden {
        size_t stelle;
        uint32_t wert;
        int32_t ganz;
    } schaeden[] = {
        {52, 800, 0},                     // a length beyond a news text
        {52, 0xFFFFFFF0u, 0},
        {zweite + 52, 3, 1},              // the text's zero byte is no longer where the length says
        {zweite + 56 + 7, 0xFFFFFFF7u, 1},   // a recipient team below -2
    };
    for (const Schaden& s : schaeden) {
        std::vector<uint8_t> kaputt = d;
        Bytes_Put32(&kaputt[s.stelle], s.wert);
        EXPECT_EQ(News_Testing_Datei_Uebernehmen(kaputt.data(), kaputt.size()), s.ganz) << s.stelle;
    }

    // The working file cut behind the module's back: readers fail cleanly.
    ASSERT_EQ(News_Testing_Datei_Uebernehmen(d.data(), d.size()), 3);
    std::filesystem::resize_file(welt.user + "/ostra_000.nws", dritte + 20);
    EXPECT_STREQ(News_Text(2), "");
    EXPECT_EQ(News_Get_Flags(2, 4), -1);
    EXPECT_STREQ(News_Text(1), "zweite");
    std::vector<int32_t> gefunden;
    for (int32_t i = News_Erste(-1, -1); i >= 0; i = News_Naechste()) gefunden.push_back(i);
    EXPECT_EQ(gefunden, (std::vector<int32_t>{0, 1}));
    std::vector<uint8_t> block;
    Optionen_News_Save(block);
    ASSERT_TRUE(Optionen_News_Load(block.data(), block.size()));
    EXPECT_EQ(News_Anzahl(), 2);
}

TEST_F(NewsTest, SaveAndLoadGiveTheSameBlockWithoutRemovedRecipients) {
    int32_t kopf[10] = {5, 2, 3, 40, 1000000, 8, 12, 0, 0, -1};
    ASSERT_EQ(News_Add(3, 2, -1, 1, kopf, "Kredit?"), 1);
    ASSERT_EQ(News_Add(-1, -1, -1, 4, nullptr, "alle"), 1);
    char daten[10] = {1, 2, 0, 4, 5, 6, 7, 8, 9, 10};
    int32_t binaer[10] = {11};
    ASSERT_EQ(News_Add_Block(-1, 4, -1, int32_t(NEWS_ANKUENDIGUNG), binaer, daten), 1);
    News_Set(1, 3, -1, NEWS_SET_LOESCHEN);
    Optionen(13, 1, 0);
    std::vector<uint8_t> a, b;
    Optionen_News_Save(a);
    EXPECT_EQ(a[OPTIONEN_BLOCK_BYTES], 1);
    EXPECT_EQ(Bytes_Get32(&a[OPTIONEN_BLOCK_BYTES + 1]), 4u);   // the next id
    EXPECT_EQ(Bytes_Get32(&a[OPTIONEN_BLOCK_BYTES + 5]), 3u);   // the count

    Optionen(13, 1, 1);
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "nach dem Speichern"), 1);
    ASSERT_TRUE(Optionen_News_Load(a.data(), a.size()));
    EXPECT_EQ(Optionen(13, 0, 0), 0);
    ASSERT_EQ(News_Anzahl(), 3);
    EXPECT_EQ(Empfaenger(1), "2:40000804 4:40000804");
    EXPECT_EQ(std::memcmp(News_Get_Kopf(0), kopf, sizeof kopf), 0);
    NewsSatz s;
    ASSERT_TRUE(News_Satz_Holen(2, s));
    EXPECT_EQ(std::vector<char>(daten, daten + 10), s.text);
    EXPECT_EQ(s.paare.size(), 1u);   // the removed pair is not in the new file
    Optionen_News_Save(b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(News_Neue_Id(), 4u);
}

TEST_F(NewsTest, FullIndexSurvivesSaveAndLoad) {
    for (int32_t i = 0; i < NEWS_MAX; ++i) ASSERT_EQ(News_Add(-1, 2 + i % 3, -1, 4, nullptr, "n%d", i), 1);
    std::vector<uint8_t> a, b;
    Optionen_News_Save(a);
    ASSERT_TRUE(Optionen_News_Load(a.data(), a.size()));
    EXPECT_EQ(News_Anzahl(), NEWS_MAX);
    EXPECT_STREQ(News_Text(0), "n0");
    Optionen_News_Save(b);
    EXPECT_EQ(a, b);
}

TEST_F(NewsTest, DamagedSaveBlockIsRefusedAndChangesNothing) {
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "bleibt"), 1);
    ASSERT_EQ(News_Add(-1, 3, -1, 1, nullptr, "auch"), 1);
    std::vector<uint8_t> a;
    Optionen_News_Save(a);
    ASSERT_EQ(News_Add(-1, 4, -1, 4, nullptr, "jetzt"), 1);
    Optionen(13, 1, 7);
    for (size_t n = 0; n < a.size(); ++n) ASSERT_FALSE(Optionen_News_Load(a.data(), n)) << n;
    std::vector<uint8_t> laenger = a;
    laenger.push_back(0);
    EXPECT_FALSE(Optionen_News_Load(laenger.data(), laenger.size()));
    struct Schaden {
        size_t stelle;
        uint32_t wert;
    } schaeden[] = {
        {120, 0},                                        // option 200 below 1
        {OPTIONEN_BLOCK_BYTES + 5, 1501},                // more items than the index holds
        {OPTIONEN_BLOCK_BYTES + 9 + 52, 900},            // a text length beyond 799
        {OPTIONEN_BLOCK_BYTES + 9 + 56 + 7, 0xFFFFFFFEu},   // a removed recipient in a save
    };
    for (const Schaden& s : schaeden) {
        std::vector<uint8_t> kaputt = a;
        Bytes_Put32(&kaputt[s.stelle], s.wert);
        EXPECT_FALSE(Optionen_News_Load(kaputt.data(), kaputt.size())) << s.stelle;
    }
    EXPECT_EQ(News_Anzahl(), 3);
    EXPECT_STREQ(News_Text(2), "jetzt");
    EXPECT_EQ(Optionen(13, 0, 0), 7);
    ASSERT_TRUE(Optionen_News_Load(a.data(), a.size()));
    EXPECT_EQ(News_Anzahl(), 2);
}

TEST_F(NewsTest, ClosedModuleSavesTheFlagAndLoadCloses) {
    News_Datei_Schliessen();
    std::vector<uint8_t> zu;
    Optionen_News_Save(zu);
    EXPECT_EQ(zu.size(), OPTIONEN_BLOCK_BYTES + 5);
    EXPECT_EQ(zu[OPTIONEN_BLOCK_BYTES], 0);
    ASSERT_TRUE(News_Datei_Oeffnen());
    ASSERT_EQ(News_Add(-1, 2, -1, 4, nullptr, "weg"), 1);
    ASSERT_TRUE(Optionen_News_Load(zu.data(), zu.size()));
    EXPECT_FALSE(News_Ist_Offen());
}

}  // namespace
}  // namespace velmora
