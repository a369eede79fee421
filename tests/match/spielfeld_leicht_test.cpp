// tests/match/spielfeld_leicht_test.cpp - days of a seeded small world played
// by the dice with the light set-up of the background records and with the
// full one: every frame the same slots, random index and records (but for
// what the light set-up leaves out), every day the same fixtures store,
// players, clubs and random state.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "match/day/spieltag.h"
#include "match/record/spielfeld.h"
#include "season/spiele.h"
#include "tests/core/temp_verz.h"
#include "tests/match/leicht_vergleich.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

uLong Crc(uLong c, const void* p, size_t n) { return crc32(c, static_cast<const Bytef*>(p), uInt(n)); }

struct Lauf {
    std::vector<uLong> frames;                 // per frame: slots, random index, records as the dice see them
    std::vector<std::vector<uint8_t>> tage;    // per day: fixtures, players, clubs, random state
    int32_t leichte = 0, saetze = 0;           // light records seen, records seen
};

Lauf Tage_Spielen(uint32_t seed, bool leicht, int32_t tage) {
    Lauf lauf;
    velmora_test::TestWelt dirs;
    if (!dirs.ok || !Spieltag_Welt_Bauen(dirs.install, true, seed)) {
        ADD_FAILURE() << "world " << seed;
        return lauf;
    }
    Spielfeld_Leicht_Setzen(leicht);
    for (int32_t tag = 0; tag < tage && Spieltag_Start(); ++tag) {
        for (int32_t frame = 0; frame < 100000 && Spieltag_Frame(); ++frame) {
            uLong c = Crc(0, nullptr, 0);
            Spieltag_Slot s;
            for (int32_t i = 0; Spieltag_Get_Slot(i, &s); ++i) {
                s.zeit_vorbereitet = s.zeit_vorbereitet_2 = 0;   // the program clock
                c = Crc(c, &s, sizeof s);
            }
            const int32_t index = Rnd_Get_Index();
            c = Crc(c, &index, sizeof index);
            for (Spielfeld_Satz* satz = Spielfeld_Naechster(nullptr); satz; satz = Spielfeld_Naechster(satz)) {
                const Spielfeld_Satz ohne = Ohne_Werte_Und_Figuren(*satz);
                c = Crc(c, &ohne, sizeof ohne);
                lauf.leichte += Spielfeld_Ist_Leicht(satz) ? 1 : 0;
                ++lauf.saetze;
            }
            lauf.frames.push_back(c);
        }
        std::vector<uint8_t> tag_bytes, block;
        for (void (*save)(std::vector<uint8_t>&) : {Spiele_Save, Spieler_Save, Team_Save}) {
            save(block);
            tag_bytes.insert(tag_bytes.end(), block.begin(), block.end());
        }
        uint8_t zustand[RND_ZUSTAND_BYTES];
        Rnd_Zustand_Schreiben(zustand);
        tag_bytes.insert(tag_bytes.end(), zustand, zustand + sizeof zustand);
        lauf.tage.push_back(std::move(tag_bytes));
    }
    Spielfeld_Leicht_Setzen(true);
    Spieltag_Welt_Ende();
    return lauf;
}

TEST(SpielfeldLeicht, DaysByDiceAreTheSameWithTheLightAndTheFullSetUp) {
    for (uint32_t seed : {1u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const Lauf voll = Tage_Spielen(seed, false, 5);
        const Lauf leicht = Tage_Spielen(seed, true, 5);
        ASSERT_EQ(voll.tage.size(), 5u);
        EXPECT_GT(voll.saetze, 1000) << "the days ran with records";
        EXPECT_EQ(voll.leichte, 0) << "the switch sets every record up in full";
        EXPECT_EQ(leicht.leichte, leicht.saetze) << "every background record is light";
        ASSERT_EQ(leicht.frames.size(), voll.frames.size());
        for (size_t f = 0; f < voll.frames.size(); ++f) ASSERT_EQ(leicht.frames[f], voll.frames[f]) << "frame " << f;
        ASSERT_EQ(leicht.tage.size(), voll.tage.size());
        for (size_t t = 0; t < voll.tage.size(); ++t) EXPECT_TRUE(leicht.tage[t] == voll.tage[t]) << "day " << t;
    }
}

}  // namespace
}  // namespace velmora::test
