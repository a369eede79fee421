// tests/core/abonnenten_test.cpp - ordered subscriber lists.
#include "core/abonnenten.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

std::string g_spur;
Abonnenten<int32_t> g_liste;

void a(int32_t x) { g_spur += "a" + std::to_string(x); }
void b(int32_t x) { g_spur += "b" + std::to_string(x); }
void c(int32_t x) { g_spur += "c" + std::to_string(x); }
void d(int32_t x) { g_spur += "d" + std::to_string(x); }
// While the list runs it takes itself and c off, and d joins.
void raeumt_auf(int32_t x) {
    g_spur += "r" + std::to_string(x);
    g_liste.Abmelden(raeumt_auf);
    g_liste.Abmelden(c);
    g_liste.Anmelden(50, d, "d");
}

TEST(Abonnenten, SubscribersRunByPriorityWhateverTheOrderTheyCameIn) {
    Abonnenten<int32_t> l;
    EXPECT_TRUE(l.Leer());
    EXPECT_TRUE(l.Anmelden(300, c, "c"));
    EXPECT_TRUE(l.Anmelden(100, a, "a"));
    EXPECT_TRUE(l.Anmelden(200, b, "b"));
    g_spur.clear();
    l.Aufrufen(7);
    EXPECT_EQ(g_spur, "a7b7c7");
    // The owner's own step between: below 200, then from 200 on.
    g_spur.clear();
    l.Aufrufen_Unter(200, 1);
    g_spur += "|";
    l.Aufrufen_Ab(200, 1);
    EXPECT_EQ(g_spur, "a1|b1c1");
    // Taken off in any order; the rest keep theirs.
    l.Abmelden(a);
    l.Abmelden(a);
    g_spur.clear();
    l.Aufrufen(2);
    EXPECT_EQ(g_spur, "b2c2");
    EXPECT_EQ(l.Anzahl(), 2);
    EXPECT_TRUE(l.Enthaelt(c));
    EXPECT_FALSE(l.Enthaelt(a));
}

TEST(Abonnenten, APriorityHasOneSubscriberAndTheListHasRoom) {
    Abonnenten<int32_t> l;
    ASSERT_TRUE(l.Anmelden(100, a, "erster"));
    EXPECT_TRUE(l.Anmelden(100, a, "erster")) << "the same again changes nothing";
    EXPECT_FALSE(l.Anmelden(100, b, "zweiter"));
    EXPECT_STREQ(l.Name_Bei(100), "erster");
    EXPECT_EQ(l.Name_Bei(101), nullptr);
    EXPECT_FALSE(l.Anmelden(5, nullptr, "leer"));
    EXPECT_EQ(l.Anzahl(), 1);
    for (int32_t i = 1; i < Abonnenten<int32_t>::MAX; ++i) EXPECT_TRUE(l.Anmelden(1000 + i, b, "b"));
    EXPECT_FALSE(l.Anmelden(5000, c, "c")) << "the list is full";
    g_spur.clear();
    l.Aufrufen(0);
    EXPECT_EQ(g_spur.size(), size_t(2 * Abonnenten<int32_t>::MAX));
    l.Leeren();
    EXPECT_TRUE(l.Leer());
}

TEST(Abonnenten, ASubscriberMayLeaveOrJoinWhileTheListRuns) {
    g_liste.Leeren();
    g_liste.Anmelden(100, a, "a");
    g_liste.Anmelden(200, raeumt_auf, "r");
    g_liste.Anmelden(300, c, "c");
    g_spur.clear();
    g_liste.Aufrufen(1);
    // c left before its turn; d joined for the next run only.
    EXPECT_EQ(g_spur, "a1r1");
    g_spur.clear();
    g_liste.Aufrufen(2);
    EXPECT_EQ(g_spur, "d2a2");
    g_liste.Leeren();
}

}  // namespace
}  // namespace velmora
