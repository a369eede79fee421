// Bitmaps and shapes loaded from a resource file through the graphics loaders.
#include "gfx/grafik_laden.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/bytes.h"
#include "core/mem.h"
#include "core/pack.h"
#include "core/res.h"
#include "gfx/rastport.h"
#include "tests/gfx/grafik_lader.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

std::vector<uint8_t> Shape_Eintrag(int32_t x, int32_t y, uint32_t groesse_angabe) {
    // A 7 x 2 shape: header, a row table of two offsets, six data bytes.
    std::vector<uint8_t> shape(36 + 4 * 2 + 6, 0);
    Bytes_Put16(shape.data(), 7);
    Bytes_Put16(shape.data() + 2, 2);
    std::vector<uint8_t> e(24 + shape.size(), 0);
    Bytes_Put32(e.data(), 7);
    Bytes_Put32(e.data() + 4, 2);
    Bytes_Put32(e.data() + 8, uint32_t(x));
    Bytes_Put32(e.data() + 12, uint32_t(y));
    Bytes_Put32(e.data() + 20, groesse_angabe);
    std::copy(shape.begin(), shape.end(), e.begin() + 24);
    return e;
}

TEST(GrafikLaden, BitmapAndShapeEntriesLoadThroughTheResourceFile) {
    test::TempDir tmp;
    test::GrafikLader lader;
    Rastport* bild = Rastport_Create(5, 3, 16, 0, 0);
    for (int i = 0; i < 15; ++i) Rastport_Pixels16(bild)[i] = uint16_t(i + 100);
    std::vector<uint8_t> nalp(Rastport_File_Size(bild));
    ASSERT_EQ(Rastport_Write_Mem(bild, nalp.data(), nalp.size()), nalp.size());
    std::vector<uint8_t> shape = Shape_Eintrag(3, -4, 36 + 8 + 6);
    std::vector<uint8_t> kaputt = Shape_Eintrag(0, 0, 5000);   // claims more data than it has
    std::vector<ResDateiEintrag> eintraege = {{14, nalp}, {40, shape}, {40, kaputt}};
    std::string pfad = tmp / "grafik.res";
    ASSERT_TRUE(Res_Schreiben(pfad.c_str(), eintraege));
    int32_t slot = Res_Open(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);

    auto* geladen = static_cast<Rastport*>(Res_Load(slot, 0, 16, nullptr));
    ASSERT_NE(geladen, nullptr);
    EXPECT_EQ(geladen->width, 5);
    EXPECT_EQ(geladen->height, 3);
    EXPECT_EQ(Rastport_Pixels16(geladen)[14], 114);

    auto* sp = static_cast<Rastport*>(Res_Load(slot, 1, 16, nullptr));
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->width, 7);
    EXPECT_EQ(sp->height, 2);
    ASSERT_NE(sp->shape, nullptr);
    EXPECT_EQ(int32_t(Bytes_Get32(sp->shape + 4)), -3);
    EXPECT_EQ(int32_t(Bytes_Get32(sp->shape + 8)), 4);

    auto* roh = static_cast<uint8_t*>(Res_Load(slot, 1, 16, nullptr, SHAPE_NUR_DATEN));
    ASSERT_NE(roh, nullptr);
    EXPECT_EQ(Bytes_Get16(roh), 7);
    EXPECT_EQ(Res_Load(slot, 2, 16, nullptr), nullptr);

    Mem_Free(roh);
    Rastport_Free(sp);
    Rastport_Free(geladen);
    Rastport_Free(bild);
    Res_Close(slot);
}

}  // namespace
}  // namespace velmora
