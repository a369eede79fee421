// tests/season/zeitplan_test.cpp - the calendar arithmetic, "zeitplan.cfg"
// and the builder that dates a world's rounds.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/hooks.h"
#include "season/wettbewerb_cfg.h"
#include "season/zeitplan.h"
#include "tests/season/laender.h"

namespace velmora {
namespace {

TEST(ZeitplanDatum, KnownDatesHaveTheirWeekday) {
    struct Fall {
        int32_t tag, monat, jahr, wochentag;   // 0 Monday
    } faelle[] = {{1, 1, 2000, 5}, {3, 7, 2001, 1}, {11, 8, 2001, 5}, {29, 2, 2000, 1},
                  {1, 3, 2100, 0}, {31, 12, 1999, 4}, {3, 7, 2002, 2}};
    for (const Fall& f : faelle) {
        int32_t n = Zeitplan_Tagnummer(f.tag, f.monat, f.jahr);
        EXPECT_EQ(Zeitplan_Wochentag(n), f.wochentag) << f.tag << "." << f.monat << "." << f.jahr;
    }
    EXPECT_EQ(Zeitplan_Tagnummer(1, 1, 2000), 0);
    EXPECT_EQ(Zeitplan_Tagnummer(1, 1, 2001), 366);
}

TEST(ZeitplanDatum, DayNumbersAndDatesRoundTrip) {
    for (int32_t n = -800; n < 40000; n += 7) {
        int32_t t = 0, m = 0, j = 0;
        Zeitplan_Datum(n, &t, &m, &j);
        ASSERT_TRUE(Zeitplan_Datum_Gueltig(t, m, j)) << n;
        ASSERT_EQ(Zeitplan_Tagnummer(t, m, j), n);
    }
}

TEST(ZeitplanDatum, InvalidDatesAreRecognised) {
    EXPECT_TRUE(Zeitplan_Datum_Gueltig(29, 2, 2000));
    EXPECT_FALSE(Zeitplan_Datum_Gueltig(29, 2, 2001));
    EXPECT_FALSE(Zeitplan_Datum_Gueltig(29, 2, 1900));
    EXPECT_FALSE(Zeitplan_Datum_Gueltig(31, 4, 2001));
    EXPECT_FALSE(Zeitplan_Datum_Gueltig(0, 1, 2001));
    EXPECT_FALSE(Zeitplan_Datum_Gueltig(1, 13, 2001));
}

TEST(ZeitplanDatum, SeasonDaysCountFromTheChangeDay) {
    Zeitplan z;
    EXPECT_EQ(Zeitplan_Saisontag(z, 3, 7, 2001), 0);
    EXPECT_EQ(Zeitplan_Saisontag(z, 4, 7, 2001), 1);
    EXPECT_EQ(Zeitplan_Saisontag(z, 2, 7, 2001), 364);   // the day before the next change
    EXPECT_EQ(Zeitplan_Saisontag(z, 1, 1, 2001), 182);   // in the second calendar year
    EXPECT_EQ(Zeitplan_Saisontag(z, 2, 7, 2003), 365);   // a season with 29 February 2004
}

std::vector<std::string> meldungen;
struct MeldungFaenger {
    MeldungFaenger() {
        meldungen.clear();
        Core_Hooks().meldung = [](const char* t) { meldungen.push_back(t); };
    }
    ~MeldungFaenger() { Core_Hooks().meldung = nullptr; }
};

TEST(ZeitplanConfig, WrittenPlanReadsBackEqual) {
    Zeitplan z;
    z.wechsel_tag = 1;
    z.wechsel_monat = 8;
    z.start_jahr = 1999;
    z.termine = {{50, 1, 0, 10, 8}, {50, 2, 0, 17, 8}, {52, 1, 0, 3, 9}, {52, 1, 1, 17, 9}};
    std::string text = Zeitplan_Config_Text(z);
    Zeitplan gelesen;
    MeldungFaenger f;
    ASSERT_TRUE(Zeitplan_Config_Lesen_Text(text.data(), text.size(), gelesen));
    EXPECT_TRUE(meldungen.empty());
    EXPECT_EQ(gelesen, z);
}

TEST(ZeitplanConfig, BrokenLinesAreReportedWithTheirCodeAndSkipped) {
    struct Fall {
        const char* zeile;
        const char* code;
    } faelle[] = {
        {"TERMIN 1, 0, 10, 8\n", "(302)"},                     // before WETTBEWERB
        {"WETTBEWERB 50\nTERMIN 0, 0, 10, 8\n", "(303)"},      // round 0
        {"WETTBEWERB 50\nTERMIN 1, 2, 10, 8\n", "(303)"},      // leg 2
        {"WETTBEWERB 50\nTERMIN 1, 0, 29, 2\n", "(304)"},      // not every year
        {"WETTBEWERB 50\nTERMIN 1, 0, 31, 9\n", "(304)"},
        {"WETTBEWERB 7\n", "(303)"},                           // id out of range
        {"START_JAHR 12\n", "(303)"},
        {"SAISONWECHSEL 30, 2\n", "(304)"},
        {"ANSTOSS 3\n", "(301)"},
    };
    for (const Fall& f : faelle) {
        MeldungFaenger m;
        std::string text = std::string(f.zeile) + "WETTBEWERB 51\nTERMIN 1, 0, 12, 8\n";
        Zeitplan z;
        ASSERT_TRUE(Zeitplan_Config_Lesen_Text(text.data(), text.size(), z)) << f.zeile;
        ASSERT_EQ(meldungen.size(), 1u) << f.zeile;
        EXPECT_NE(meldungen[0].find(f.code), std::string::npos) << f.zeile << meldungen[0];
        ASSERT_EQ(z.termine.size(), 1u) << f.zeile;   // the good line after it still counts
        EXPECT_EQ(z.termine[0], (ZeitplanTermin{51, 1, 0, 12, 8}));
        EXPECT_EQ(z.wechsel_tag, 3);
        EXPECT_EQ(z.start_jahr, 2001);
    }
}

TEST(ZeitplanConfig, ARoundDatedTwiceKeepsTheLaterLineWithAWarning) {
    MeldungFaenger m;
    std::string text = "WETTBEWERB 50\nTERMIN 1, 0, 10, 8\nTERMIN 1, 0, 17, 8\n";
    Zeitplan z;
    ASSERT_TRUE(Zeitplan_Config_Lesen_Text(text.data(), text.size(), z));
    ASSERT_EQ(z.termine.size(), 1u);
    EXPECT_EQ(z.termine[0].tag, 17);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].find("Warning"), std::string::npos);
}

// The plan of a built world: 4 countries of 2 levels with 18 clubs, cups and the continental cup.
struct GebauterPlan {
    std::vector<WettbewerbBeschreibung> welt;
    Zeitplan z;
    GebauterPlan() {
        welt = Wettbewerb_Welt_Beschreiben(test::Laender_Bauen(4, 2, 18));
        z = Zeitplan_Bauen(Zeitplan_Wettbewerbe_Von(welt));
    }
    const WettbewerbBeschreibung* w(int32_t id) const {
        for (const auto& x : welt)
            if (x.id == id) return &x;
        return nullptr;
    }
};

TEST(ZeitplanBauen, EveryRoundAndLegGetsADateInOrder) {
    GebauterPlan p;
    std::map<int32_t, std::vector<const ZeitplanTermin*>> je;
    for (const ZeitplanTermin& t : p.z.termine) je[t.wettbewerb].push_back(&t);
    for (const WettbewerbBeschreibung& w : p.welt) {
        if (w.art == ART_FREUNDSCHAFT) {
            EXPECT_EQ(je.count(w.id), 0u);
            continue;
        }
        int32_t legs = (w.modus & MODUS_KO_SYSTEM) ? w.rueckspiel : 1;
        ASSERT_EQ(int32_t(je[w.id].size()), w.spieltage * legs) << w.name;
        int32_t vorher = -1;
        for (const ZeitplanTermin* t : je[w.id]) {
            int32_t s = Zeitplan_Saisontag(p.z, t->tag, t->monat, p.z.start_jahr);
            EXPECT_GT(s, vorher) << w.name << " Runde " << t->runde;
            vorher = s;
        }
    }
}

TEST(ZeitplanBauen, KindsPlayOnTheirOwnWeekdaysAndGroupsComeFirst) {
    GebauterPlan p;
    int32_t gruppen_ende = -1, ko_anfang = 1000;
    std::set<int32_t> liga_tage, pokal_tage, international_tage;
    for (const ZeitplanTermin& t : p.z.termine) {
        const WettbewerbBeschreibung* w = p.w(t.wettbewerb);
        ASSERT_NE(w, nullptr);
        int32_t s = Zeitplan_Saisontag(p.z, t.tag, t.monat, p.z.start_jahr);
        int32_t wt = Zeitplan_Wochentag(Zeitplan_Tagnummer(t.tag, t.monat, s >= 182 ? 2002 : 2001));
        const int32_t erwartet = w->art == ART_LIGA ? 5 : w->art == ART_POKAL ? 1 : 2;   // Sat, Tue, Wed
        EXPECT_EQ(wt, erwartet) << w->name;
        (w->art == ART_LIGA ? liga_tage : w->art == ART_POKAL ? pokal_tage : international_tage).insert(s);
        if (w->art == ART_GRUPPE) gruppen_ende = std::max(gruppen_ende, s);
        if (w->art == ART_INTERNATIONAL) ko_anfang = std::min(ko_anfang, s);
    }
    EXPECT_LT(gruppen_ende, ko_anfang);
    EXPECT_FALSE(liga_tage.empty());
    for (int32_t s : pokal_tage) EXPECT_EQ(liga_tage.count(s) + international_tage.count(s), 0u);
}

TEST(ZeitplanBauen, ALeagueTooLongForItsSaturdaysTakesMidweekDays) {
    ZeitplanWettbewerb w;
    w.id = 60;
    w.art = ART_LIGA;
    w.runden = 70;
    Zeitplan z = Zeitplan_Bauen({w});
    ASSERT_EQ(z.termine.size(), 70u);
    std::set<std::pair<int32_t, int32_t>> tage;
    for (const ZeitplanTermin& t : z.termine) tage.insert({t.monat, t.tag});
    EXPECT_EQ(tage.size(), 70u);   // one round per day
}

TEST(ZeitplanBauen, ExistingDatesAreKeptAndOnlyTheMissingAdded) {
    ZeitplanWettbewerb w;
    w.id = 50;
    w.art = ART_POKAL;
    w.runden = 3;
    Zeitplan z;
    z.termine = {{50, 2, 0, 1, 12}};
    Zeitplan_Ergaenzen(z, {w});
    ASSERT_EQ(z.termine.size(), 3u);
    EXPECT_EQ(z.termine[1], (ZeitplanTermin{50, 2, 0, 1, 12}));
    Zeitplan_Ergaenzen(z, {w});
    EXPECT_EQ(z.termine.size(), 3u);
}

}  // namespace
}  // namespace velmora
