// tests/club/namen_test.cpp - the drawn player names: a surname's word after
// a particle starts with a capital, and a draw's number still picks the same
// syllables.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "club/namen.h"

namespace velmora {
namespace {

// The Dutch style is the one with particles.
constexpr int32_t STIL_NIEDERLANDE = 5;

TEST(NamenSpielerZiehen, EndingAfterAParticleStartsWithACapital) {
    // The draw's number picks the first name (number mod 16), the first
    // syllable ((number / 16) mod 12) and the ending ((number / 192) mod 12).
    struct Fall {
        uint32_t zufall;
        const char* vorname;
        const char* name;
    } const faelle[] = {
        {0 * 16 + 5 * 192, "Daan", "Van der Dijk"},
        {1 * 16 + 1 * 192 + 1, "Sem", "De Meer"},
        {2 * 16 + 0 * 192 + 2, "Bram", "Van Berg"},
        {0 * 16 + 3 * 192, "Daan", "Van der Stra"},
        // No particle: the ending joins the syllable as it is.
        {3 * 16 + 5 * 192, "Daan", "Verdijk"},
        {7 * 16 + 1 * 192, "Daan", "Dijkmeer"},
    };
    for (const Fall& f : faelle) {
        std::string vorname, name;
        Namen_Spieler_Ziehen(STIL_NIEDERLANDE, f.zufall, vorname, name);
        EXPECT_EQ(vorname, f.vorname) << f.zufall;
        EXPECT_EQ(name, f.name) << f.zufall;
    }
}

TEST(NamenSpielerZiehen, EverySurnamesLastWordStartsWithACapital) {
    // "der" in "Van der Dijk" stays small; the name's own word does not.
    for (int32_t stil = 0; stil < NAMEN_STILE; ++stil)
        for (uint32_t zufall = 0; zufall < 16 * 12 * 12; zufall += 16) {
            std::string vorname, name;
            Namen_Spieler_Ziehen(stil, zufall, vorname, name);
            const size_t leer = name.rfind(' ');
            const size_t wort = leer == std::string::npos ? 0 : leer + 1;
            ASSERT_LT(wort, name.size()) << stil << ": \"" << name << "\"";
            const auto c = static_cast<unsigned char>(name[wort]);
            EXPECT_FALSE((c >= 'a' && c <= 'z') || (c >= 0xdf && c != 0xf7)) << stil << ": " << name;
        }
}

}  // namespace
}  // namespace velmora
