#include "core/liste.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/mem.h"

using namespace velmora;

namespace {

struct ListeTest : ::testing::Test {
    Listen_Element kopf{};
    void SetUp() override { ASSERT_TRUE(Liste_Anlegen(&kopf)); }
    void TearDown() override { Liste_Freigeben(&kopf); }

    std::vector<int32_t> schluessel() {
        std::vector<int32_t> k;
        for (Listen_Element* e = Liste_First(&kopf); e; e = Liste_Next_Element(e)) k.push_back(e->schluessel);
        return k;
    }
};

}  // namespace

TEST_F(ListeTest, InsertAppendsOrPlacesAfterAnElement) {
    Listen_Element* a = Liste_Insert(&kopf, nullptr, nullptr, 8, 1);
    Liste_Insert(&kopf, nullptr, nullptr, 8, 3);
    Liste_Insert(&kopf, a, nullptr, 8, 2);
    EXPECT_EQ(schluessel(), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_EQ(Liste_Count(&kopf), 3);
    // payloads are zero-filled and sized
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Liste_Daten_Groesse(a), 8u);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(static_cast<uint8_t*>(a->daten)[i], 0);
}

TEST_F(ListeTest, InsertCopiesThePayload) {
    const char text[] = "Spielfeld";
    Listen_Element* e = Liste_Insert(&kopf, nullptr, text, sizeof text, 42);
    ASSERT_NE(e, nullptr);
    EXPECT_STREQ(static_cast<char*>(e->daten), "Spielfeld");
}

TEST_F(ListeTest, FindKeyFromTheHeadAndFromAnElement) {
    for (int32_t k : {5, 7, 5, 9, 5}) Liste_Insert(&kopf, nullptr, &k, 4, k);
    int treffer = 0;
    for (Listen_Element* e = Liste_Find_Key(&kopf, 5); e; e = Liste_Find_Key(e, 5)) {
        EXPECT_EQ(e->schluessel, 5);
        ++treffer;
    }
    EXPECT_EQ(treffer, 3);
    EXPECT_EQ(Liste_Find_Key(&kopf, 8), nullptr);
    Listen_Element* neun = Liste_Find_Key(&kopf, 9);
    ASSERT_NE(neun, nullptr);
    EXPECT_EQ(Liste_Find_Key(neun, 7), nullptr);   // 7 lies before it
}

TEST_F(ListeTest, DeleteReturnsThePreviousSoAWalkContinues) {
    for (int32_t k = 0; k < 6; ++k) Liste_Insert(&kopf, nullptr, nullptr, 4, k);
    // delete every even key during one walk
    for (Listen_Element* e = Liste_First(&kopf); e; e = Liste_Next_Element(e))
        if (e->schluessel % 2 == 0) e = Liste_Delete_Element(&kopf, e);
    EXPECT_EQ(schluessel(), (std::vector<int32_t>{1, 3, 5}));
    Liste_Delete_All(&kopf);
    EXPECT_EQ(Liste_Count(&kopf), 0);
    EXPECT_EQ(Liste_First(&kopf), nullptr);
}

TEST_F(ListeTest, MemoryRoundTripWithKeyFilter) {
    for (int32_t k : {1, 2, 1}) {
        std::vector<uint8_t> daten(size_t(10 * k), uint8_t(k));
        Liste_Insert(&kopf, nullptr, daten.data(), uint32_t(daten.size()), k);
    }
    Liste_Insert(&kopf, nullptr, nullptr, 0, 3);   // an empty payload survives too
    std::vector<uint8_t> block(Liste_Memory_Groesse(&kopf, LISTE_ALLE));
    ASSERT_EQ(Liste_To_Memory(block.data(), block.size(), &kopf, LISTE_ALLE), block.size());
    EXPECT_EQ(Liste_To_Memory(block.data(), block.size() - 1, &kopf, LISTE_ALLE), 0u);

    Listen_Element ziel{};
    ASSERT_TRUE(Liste_Anlegen(&ziel));
    ASSERT_TRUE(Liste_From_Memory(block.data(), block.size(), &ziel));
    ASSERT_EQ(Liste_Count(&ziel), 4);
    Listen_Element* a = Liste_First(&ziel);
    Listen_Element* b = Liste_First(&kopf);
    for (; a && b; a = Liste_Next_Element(a), b = Liste_Next_Element(b)) {
        EXPECT_EQ(a->schluessel, b->schluessel);
        ASSERT_EQ(Liste_Daten_Groesse(a), Liste_Daten_Groesse(b));
        EXPECT_EQ(std::memcmp(a->daten, b->daten, Liste_Daten_Groesse(a)), 0);
    }

    std::vector<uint8_t> nur1(Liste_Memory_Groesse(&kopf, 1));
    ASSERT_EQ(Liste_To_Memory(nur1.data(), nur1.size(), &kopf, 1), 4u + 2 * (8 + 10));
    ASSERT_TRUE(Liste_From_Memory(nur1.data(), nur1.size(), &ziel));
    EXPECT_EQ(Liste_Count(&ziel), 2);
    Liste_Freigeben(&ziel);
}

TEST_F(ListeTest, FromMemoryRefusesBadLengthsAndKeepsTheList) {
    Liste_Insert(&kopf, nullptr, "abcd", 4, 1);
    std::vector<uint8_t> block(Liste_Memory_Groesse(&kopf, LISTE_ALLE));
    Liste_To_Memory(block.data(), block.size(), &kopf, LISTE_ALLE);

    Listen_Element ziel{};
    ASSERT_TRUE(Liste_Anlegen(&ziel));
    Liste_Insert(&ziel, nullptr, "xy", 2, 77);
    for (size_t n = 0; n < block.size(); ++n) EXPECT_FALSE(Liste_From_Memory(block.data(), n, &ziel)) << n;
    std::vector<uint8_t> lang = block;
    lang.push_back(0);
    EXPECT_FALSE(Liste_From_Memory(lang.data(), lang.size(), &ziel));
    std::vector<uint8_t> riesig = block;
    riesig[8] = 0xFF;   // payload size of element 0 far beyond the block
    riesig[11] = 0x7F;
    EXPECT_FALSE(Liste_From_Memory(riesig.data(), riesig.size(), &ziel));
    ASSERT_EQ(Liste_Count(&ziel), 1);
    EXPECT_EQ(Liste_First(&ziel)->schluessel, 77);
    Liste_Freigeben(&ziel);
}

TEST(Liste, AtMost1000ListsAreRegistered) {
    std::vector<Listen_Element> koepfe(LISTEN_MAX + 1);
    int angelegt = 0;
    for (auto& k : koepfe) angelegt += Liste_Anlegen(&k) ? 1 : 0;
    EXPECT_EQ(angelegt, LISTEN_MAX);
    EXPECT_EQ(Liste_Insert(&koepfe[LISTEN_MAX], nullptr, nullptr, 4, 1), nullptr);   // refused head
    Liste_Freigeben(&koepfe[0]);
    EXPECT_TRUE(Liste_Anlegen(&koepfe[LISTEN_MAX]));   // a freed slot is reused
    for (auto& k : koepfe) Liste_Freigeben(&k);
}

TEST(Liste, ElementsAreTrackedBlocksAndFreed) {
    Listen_Element kopf{};
    ASSERT_TRUE(Liste_Anlegen(&kopf));
    size_t vorher = Mem_Anzahl_Bloecke();
    for (int i = 0; i < 10; ++i) Liste_Insert(&kopf, nullptr, nullptr, 100, i);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher + 10);
    Liste_Freigeben(&kopf);
    EXPECT_EQ(Mem_Anzahl_Bloecke(), vorher);
}

// Searches from the head find what a walk from the first element finds, in
// two lists at once, through inserts anywhere, deletes, duplicate keys, a
// block read back and a list emptied or registered again.
TEST(Liste, SearchFromTheHeadFindsWhatAWalkFinds) {
    Listen_Element koepfe[2]{};
    for (Listen_Element& k : koepfe) ASSERT_TRUE(Liste_Anlegen(&k));
    auto gelaufen = [](Listen_Element* kopf, int32_t schluessel) -> Listen_Element* {
        for (Listen_Element* e = Liste_First(kopf); e; e = Liste_Next_Element(e))
            if (e->schluessel == schluessel) return e;
        return nullptr;
    };
    auto element_nr = [](Listen_Element* kopf, int32_t nr) {
        Listen_Element* e = Liste_First(kopf);
        for (int32_t i = 0; e && i < nr; ++i) e = Liste_Next_Element(e);
        return e;
    };
    uint32_t z = 99;
    auto zufall = [&z](uint32_t n) { return ((z = z * 1103515245u + 12345u) >> 16 & 0x7FFF) % n; };
    for (int32_t schritt = 0; schritt < 4000; ++schritt) {
        Listen_Element* kopf = &koepfe[zufall(2)];
        const int32_t anzahl = Liste_Count(kopf);
        const int32_t schluessel = int32_t(zufall(12)) - 2;
        switch (zufall(schritt % 500 == 499 ? 6 : 4)) {
        case 0:
        case 1: Liste_Insert(kopf, anzahl ? element_nr(kopf, int32_t(zufall(uint32_t(anzahl)))) : nullptr, nullptr, 4, schluessel); break;
        case 2:
            if (anzahl) Liste_Delete_Element(kopf, element_nr(kopf, int32_t(zufall(uint32_t(anzahl)))));
            break;
        case 3:
            // A search from an element walks on from there.
            if (anzahl) {
                Listen_Element* von = element_nr(kopf, int32_t(zufall(uint32_t(anzahl))));
                Listen_Element* erwartet = nullptr;
                for (Listen_Element* n = Liste_Next_Element(von); n && !erwartet; n = Liste_Next_Element(n))
                    if (n->schluessel == schluessel) erwartet = n;
                EXPECT_EQ(Liste_Find_Key(von, schluessel), erwartet);
            }
            break;
        case 4: {
            std::vector<uint8_t> block(Liste_Memory_Groesse(kopf, LISTE_ALLE));
            ASSERT_EQ(Liste_To_Memory(block.data(), block.size(), kopf, LISTE_ALLE), block.size());
            ASSERT_TRUE(Liste_From_Memory(block.data(), block.size(), kopf));
            break;
        }
        default:
            if (zufall(2)) Liste_Delete_All(kopf);
            else ASSERT_TRUE(Liste_Anlegen(kopf));   // a registered head is emptied
        }
        for (Listen_Element& k : koepfe)
            for (int32_t s = -3; s < 11; ++s) {
                ASSERT_EQ(Liste_Find_Key(&k, s), gelaufen(&k, s)) << "step " << schritt << " key " << s;
            }
    }
    for (Listen_Element& k : koepfe) Liste_Freigeben(&k);
    // A list registered again after its release starts empty.
    ASSERT_TRUE(Liste_Anlegen(&koepfe[0]));
    EXPECT_EQ(Liste_Find_Key(&koepfe[0], 1), nullptr);
    Liste_Freigeben(&koepfe[0]);
}
