// Manager records: creation defaults, duplicates, icon values, options and the save block.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "club/manager.h"
#include "core/hooks.h"
#include "core/optionen.h"
#include "core/rnd.h"
#include "tests/club/welt.h"

namespace velmora {
namespace {

using test::Log_Enthaelt;

using ManagerTest = test::WeltTest;

TEST_F(ManagerTest, CreationSetsTheDefaults) {
    ManagerStruktur* m = Manager_Neuer_Mitspieler(2, "Ein sehr langer Managername", -1);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Manager_Anzahl(), 1);
    EXPECT_STREQ(m->name, "Ein sehr langer Man");   // 19 characters
    EXPECT_STREQ(Team_String(300, 2, 0, 0), "Ein sehr langer Man");
    EXPECT_EQ(m->portrait, 0);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 886), 141);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 803), 0);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 813), 141);
    EXPECT_EQ(Manager_Icon_Word_Data_Lesen(2, 802), -1);
    EXPECT_EQ(Manager_Icon_Word_Data_Lesen(2, 834), 0);
    EXPECT_EQ(Manager_Wert(309, m, 0, 0), -1);
    EXPECT_EQ(Team_Zeiger(701, 2, nullptr, 0), m);
    EXPECT_TRUE(Team_Hat_Manager(2));
    EXPECT_FALSE(Team_Hat_Manager(3));
    // The next manager takes the first portrait nobody uses; the market gets no 813.
    ManagerStruktur* markt = Manager_Neuer_Mitspieler(0, nullptr, -1);
    ASSERT_NE(markt, nullptr);
    EXPECT_EQ(markt->portrait, 1);
    EXPECT_EQ(Manager_Icon_Button_Lesen(0, 813), 0);
    EXPECT_EQ(Manager_Neuer_Mitspieler(3, "X", 7)->portrait, 7);
    EXPECT_EQ(Team_Wert(304, 3, 0, 0), 7);
}

TEST_F(ManagerTest, DuplicateIsRefusedWithItsText) {
    ManagerStruktur* m = Manager_Neuer_Mitspieler(2, "Erster", 3);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Manager_Neuer_Mitspieler(2, "Zweiter", 4), nullptr);
    EXPECT_TRUE(Log_Enthaelt("Manager: Team 2 hat schon einen Manager!"));
    EXPECT_STREQ(Team_String(300, 2, 0, 0), "Erster");
    EXPECT_EQ(Manager_Anzahl(), 1);
}

TEST_F(ManagerTest, RemoveAndGetRecord) {
    EXPECT_FALSE(Manager_Entfernen(2));
    EXPECT_TRUE(Log_Enthaelt("Team 2 hat keinen Manager!"));
    ManagerStruktur* m = Manager_Get_Record(2);   // made when missing
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(Manager_Get_Record(2), m);
    EXPECT_TRUE(Manager_Entfernen(2));
    EXPECT_FALSE(Team_Hat_Manager(2));
    EXPECT_EQ(Manager_Anzahl(), 0);
    EXPECT_EQ(Manager_Get_Record(-1), nullptr);
}

TEST_F(ManagerTest, IconValuesPerIconNumber) {
    Manager_Neuer_Mitspieler(2, "M", -1);
    for (int32_t icon : {0, 1, 886, 2580, 4201}) {
        Manager_Icon_Button_An_Aus(2, icon, 12000000 + icon);
        Manager_Icon_Word_Data_Schreiben(2, icon, -icon - 5);
    }
    for (int32_t icon : {0, 1, 886, 2580, 4201}) {
        EXPECT_EQ(Manager_Icon_Button_Lesen(2, icon), 12000000 + icon);
        EXPECT_EQ(Manager_Icon_Word_Data_Lesen(2, icon), -icon - 5);
    }
    struct Fall {
        int32_t team, icon;
        const char* log;
    } faelle[] = {
        {2, 4202, "Manager_Icon_Button_An_Aus: iconnr falsch !"},
        {2, -1, "Manager_Icon_Button_An_Aus: iconnr falsch !"},
        {3, 5, "Manager_Icon_Button_An_Aus: teamnr falsch !"},
        {-1, 5, "Manager_Icon_Button_An_Aus: teamnr falsch !"},
    };
    for (const Fall& f : faelle) {
        test::Log().clear();
        Manager_Icon_Button_An_Aus(f.team, f.icon, 9);
        EXPECT_TRUE(Log_Enthaelt(f.log)) << f.team << " " << f.icon;
    }
    test::Log().clear();
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 4202), 0);
    EXPECT_TRUE(Log_Enthaelt("Manager_Icon_Button_Lesen: iconnr falsch !"));
    EXPECT_EQ(Manager_Icon_Word_Data_Lesen(3, 1), 0);
    EXPECT_TRUE(Log_Enthaelt("Manager_Icon_Word_Data_Lesen: teamnr falsch !"));
}

TEST_F(ManagerTest, ToggleGroupsAndListsOff) {
    Manager_Neuer_Mitspieler(2, "M", -1);
    Team_Lokal_Setzen(2);
    const int32_t gruppe[] = {2507, 2508, 2509};
    Manager_Icon_Togglebutton_An_Aus(2, 3, 2508, gruppe);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 2507), 0);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 2508), 1);
    Manager_Icon_Togglebutton_An_Aus(2, 3, 2509, gruppe);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 2508), 0);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 2509), 1);
    Manager_Icon_Liste_Aus(gruppe, 3, 0, 0);
    for (int32_t icon : gruppe) EXPECT_EQ(Manager_Icon_Button_Lesen(2, icon), 0);
}

// The managers take their turns in the order they joined the game, whatever
// their clubs' numbers, also after a save and load and after one left; the
// records of an older save (no place) keep the team order.
TEST_F(ManagerTest, TurnsFollowTheOrderTheManagersJoined) {
    auto dran = [] {
        int32_t liste[TEAM_MAX];
        const int32_t n = Manager_Ist_Dran(liste, 0, 0);
        return std::vector<int32_t>(liste, liste + n);
    };
    Manager_Neuer_Mitspieler(4, "A", -1);
    Manager_Neuer_Mitspieler(2, "B", -1);
    Manager_Neuer_Mitspieler(3, "C", -1);
    EXPECT_EQ(dran(), (std::vector<int32_t>{4, 2, 3}));
    std::vector<uint8_t> block;
    Manager_Save(block);
    ASSERT_TRUE(Manager_Load(block.data(), block.size()));
    EXPECT_EQ(dran(), (std::vector<int32_t>{4, 2, 3}));
    ASSERT_TRUE(Manager_Entfernen(4));
    Manager_Neuer_Mitspieler(1, "D", -1);
    EXPECT_EQ(dran(), (std::vector<int32_t>{2, 3, 1}));
    for (int32_t t : {1, 2, 3}) Manager_Record(t)->reihe = 0;
    EXPECT_EQ(dran(), (std::vector<int32_t>{1, 2, 3}));
}

TEST_F(ManagerTest, ValuesAndCampsLeft) {
    ManagerStruktur* m = Manager_Neuer_Mitspieler(2, "M", -1);
    Manager_Set_Wert_33844(2, 3);
    EXPECT_EQ(Manager_Wert(308, m, 0, 0), 3);
    int32_t roh;
    std::memcpy(&roh, reinterpret_cast<uint8_t*>(m) + 33844, 4);
    EXPECT_EQ(roh, 3);
    EXPECT_EQ(Manager_Wert(308, m, 500, 1), 99);
    EXPECT_EQ(Manager_Wert(309, m, 4, 1), 4);
    EXPECT_EQ(Manager_Wert(400, m, 4, 1), 0);
    EXPECT_EQ(Manager_Wert(308, nullptr, 0, 0), 0);
}

TEST_F(ManagerTest, OptionsFortyToFortyThreeLiveInTheLocalManager) {
    Core_Hooks().manager_option_lesen = Manager_Option_Lesen;
    Core_Hooks().manager_option_schreiben = Manager_Option_Schreiben;
    Manager_Neuer_Mitspieler(2, "M", -1);
    Team_Lokal_Setzen(2);
    EXPECT_EQ(Optionen(42, 0, 0), 1);       // music on by default
    EXPECT_EQ(Optionen(40, 0, 0), 1);       // help texts on by default
    Optionen(40, 1, 0);
    EXPECT_EQ(*static_cast<uint8_t*>(Team_Zeiger(TZ_HILFE, 2, nullptr, OP_LESEN)), 0)
        << "the option is the byte the help texts ask";
    Optionen(40, 1, 77);
    Optionen(43, 1, 5);
    EXPECT_EQ(Optionen(40, 0, 0), 77);
    EXPECT_EQ(Optionen(43, 0, 0), 1);
    EXPECT_EQ(Manager_Record(2)->hilfe, 77);
    Team_Lokal_Setzen(-1);
    EXPECT_EQ(Optionen(40, 0, 0), 0);
    Core_Hooks().manager_option_lesen = nullptr;
    Core_Hooks().manager_option_schreiben = nullptr;
}

TEST_F(ManagerTest, SaveAndLoadAreByteIdentical) {
    Manager_Neuer_Mitspieler(5, "Fuenf", 2);
    Manager_Neuer_Mitspieler(2, "Zwei", 9);
    for (int32_t icon = 0; icon < MANAGER_ICONS; icon += 37) {
        Manager_Icon_Button_An_Aus(2, icon, icon * 3);
        Manager_Icon_Word_Data_Schreiben(5, icon, -icon);
    }
    std::vector<uint8_t> eins, zwei;
    Manager_Save(eins);
    EXPECT_EQ(eins.size(), 4u + 2 * (4 + 33860));
    Manager_Alle_Freigeben();
    EXPECT_FALSE(Team_Hat_Manager(2));
    ASSERT_TRUE(Manager_Load(eins.data(), eins.size()));
    Manager_Save(zwei);
    EXPECT_EQ(eins, zwei);
    EXPECT_EQ(Manager_Icon_Button_Lesen(2, 37 * 5), 37 * 15);
    EXPECT_STREQ(Team_String(300, 5, 0, 0), "Fuenf");
}

TEST_F(ManagerTest, DamagedBlockIsRefused) {
    Manager_Neuer_Mitspieler(2, "Zwei", 9);
    std::vector<uint8_t> gut;
    Manager_Save(gut);
    std::vector<uint8_t> team_falsch = gut, doppelt = gut;
    team_falsch[4] = 99;
    doppelt[0] = 2;
    doppelt.insert(doppelt.end(), gut.begin() + 4, gut.end());
    std::vector<uint8_t> kurz(gut.begin(), gut.end() - 1);
    for (const auto* b : {&team_falsch, &doppelt, &kurz}) {
        EXPECT_FALSE(Manager_Load(b->data(), b->size()));
        EXPECT_STREQ(Team_String(300, 2, 0, 0), "Zwei");
    }
}

}  // namespace
}  // namespace velmora
