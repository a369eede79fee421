// Resource files put together from groups of pictures, as the asset tool
// writes the installation.
#include "kunst/bild_muster.h"

#include <gtest/gtest.h>

#include "tests/gfx/bild_support.h"

namespace velmora {
namespace {

TEST(MusterDatei, TwoPicturesClaimingOneEntryAreRefusedNamingBoth) {
    auto bild = [] { return Muster_Eintrag(Muster_Pokal(0), false); };
    const ResDateiEintrag leer = Res_Datenblock(nullptr, 0);
    MusterDatei d;
    EXPECT_EQ(Muster_Datei_Setzen(d, 0, {leer, bild(), bild()}, "the trophies"), "");
    // An empty entry claims nothing; a group behind the end grows the file.
    EXPECT_EQ(Muster_Datei_Setzen(d, 0, {bild()}, "the darkening"), "");
    EXPECT_EQ(Muster_Datei_Setzen(d, 5, {bild()}, "the logo"), "");
    ASSERT_EQ(d.eintraege.size(), 6u);
    EXPECT_EQ(d.eintraege[3].typ, RES_TYP_DATEN);
    EXPECT_EQ(d.eintraege[5].typ, RES_TYP_BITMAP);
    EXPECT_EQ(Muster_Datei_Setzen(d, 2, {bild(), bild()}, "the kits"), "entry 2: the trophies and the kits claim it");
    EXPECT_EQ(d.gruppen[2], "the trophies");   // the first picture stays
    EXPECT_EQ(d.gruppen[3], "the kits");
    EXPECT_EQ(Muster_Datei_Setzen(d, -1, {bild()}, "the kits"), "entry -1 lies before the file: the kits");
}

}  // namespace
}  // namespace velmora
