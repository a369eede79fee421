// Bitmaps: creation, the raw file form, unpacking on the first lock, the 24-bit copy.
#include "gfx/rastport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/bytes.h"
#include "core/file.h"
#include "core/mem.h"
#include "tests/support/temp_dir.h"

namespace velmora {
namespace {

// A bitmap with every part: pixels, mask, second buffer, alpha plane, shape data.
Rastport* Voller_Rastport() {
    Rastport* rp = Rastport_Create(7, 5, 16, 0, 0);
    uint16_t* p = Rastport_Pixels16(rp);
    for (int i = 0; i < 35; ++i) p[i] = uint16_t(i * 1871 + 3);
    rp->pixels->key_colour = 0x1234;
    rp->pixels->reserved5[1] = 77;
    rp->reserved4 = 0xDEADBEEF;
    rp->mask = static_cast<uint8_t*>(Mem_Alloc_Fill(Rastport_Mask_Size(7, 5), "test", 0));
    rp->mask[0] = 0x5A;
    rp->mask[3] = 0x81;
    rp->second = PixelBuffer_Create(3, 2, 8, 0);
    std::memset(rp->second->pixels, 9, 6);
    rp->alpha = static_cast<uint8_t*>(Mem_Alloc(35, "test"));
    for (int i = 0; i < 35; ++i) rp->alpha[i] = uint8_t(i * 7);
    rp->shape_size = 36 + 4 * 2 + 6;
    rp->shape = static_cast<uint8_t*>(Mem_Alloc_Fill(rp->shape_size, "test", 0));
    Bytes_Put16(rp->shape, 7);
    Bytes_Put16(rp->shape + 2, 2);
    rp->shape[36 + 8] = 0x42;
    Shape_Prepare(rp->shape, rp->shape_size);
    return rp;
}

std::vector<uint8_t> Schreiben(const Rastport* rp) {
    std::vector<uint8_t> v(Rastport_File_Size(rp));
    EXPECT_EQ(Rastport_Write_Mem(rp, v.data(), v.size()), v.size());
    return v;
}

TEST(RastportCreate, FlagsAndOptions) {
    struct Fall {
        int32_t no_buffer, options;
        bool pixels, mask;
    } faelle[] = {{0, 0, true, false}, {1, 0, false, false}, {0, 1, false, true}, {3, 1, false, true},
                  {0, 2, false, false}};
    for (const Fall& f : faelle) {
        Rastport* rp = Rastport_Create(10, 4, 15, f.no_buffer, f.options);
        ASSERT_NE(rp, nullptr);
        EXPECT_EQ(rp->pixels != nullptr, f.pixels) << f.no_buffer << " " << f.options;
        EXPECT_EQ(rp->mask != nullptr, f.mask) << f.no_buffer << " " << f.options;
        if (rp->pixels) {
            EXPECT_EQ(rp->pixels->byte_size, 80u);
            EXPECT_EQ(rp->pixels->keep_pixels, 1);
            EXPECT_EQ(rp->pixels->keep_packed, 0);
        }
        if (rp->mask) {
            for (int i = 0; i < Rastport_Mask_Size(10, 4); ++i) EXPECT_EQ(rp->mask[i], 0);
        }
        EXPECT_EQ(Rastport_Free(rp), nullptr);
    }
    EXPECT_EQ(Rastport_Mask_Size(3, 3), 5);
    EXPECT_EQ(Rastport_Create(-1, 4, 16, 0, 0), nullptr);
    Rastport* acht = Rastport_Create(5, 3, 8, 0, 0);
    EXPECT_EQ(acht->pixels->byte_size, 15u);
    Rastport_Free(acht);
}

TEST(RastportFile, MemoryRoundTripKeepsEveryPart) {
    Rastport* rp = Voller_Rastport();
    std::vector<uint8_t> daten = Schreiben(rp);
    // 56 + (76 + 70) + mask 8 + (76 + 6) + alpha 35 + shape 50
    EXPECT_EQ(daten.size(), 56u + 146 + 8 + 82 + 35 + 50);
    EXPECT_EQ(std::memcmp(daten.data(), "NALP", 4), 0);
    size_t gelesen = 0;
    Rastport* zurueck = Rastport_Read(daten.data(), daten.size(), &gelesen);
    ASSERT_NE(zurueck, nullptr);
    EXPECT_EQ(gelesen, daten.size());
    EXPECT_EQ(zurueck->width, 7u);
    EXPECT_EQ(zurueck->reserved4, 0xDEADBEEFu);
    EXPECT_EQ(zurueck->pixels->key_colour, 0x1234u);
    EXPECT_EQ(zurueck->pixels->reserved5[1], 77u);
    EXPECT_EQ(std::memcmp(zurueck->pixels->pixels, rp->pixels->pixels, 70), 0);
    EXPECT_EQ(std::memcmp(zurueck->mask, rp->mask, 8), 0);
    ASSERT_NE(zurueck->second, nullptr);
    EXPECT_EQ(zurueck->second->depth, 8u);
    EXPECT_EQ(zurueck->third, nullptr);
    EXPECT_EQ(std::memcmp(zurueck->alpha, rp->alpha, 35), 0);
    EXPECT_EQ(Bytes_Get32(zurueck->shape + SHAPE_OFS_DATA), 44u);
    EXPECT_EQ(Bytes_Get32(zurueck->shape + SHAPE_OFS_ROWS), 36u);
    EXPECT_EQ(zurueck->shape[44], 0x42);
    EXPECT_EQ(zurueck->rgb24, nullptr);
    // Written again, the bytes are the same.
    EXPECT_EQ(Schreiben(zurueck), daten);
    Rastport_Free(zurueck);
    Rastport_Free(rp);
}

TEST(RastportFile, FileRoundTripThroughHandleAndLoadSave) {
    test::TempDir dir;
    Rastport* rp = Voller_Rastport();
    std::string name = dir / "bild.nalp";
    ASSERT_EQ(Rastport_Save(name.c_str(), rp), 1);
    Rastport* geladen = Rastport_Load(name.c_str());
    ASSERT_NE(geladen, nullptr);
    EXPECT_EQ(Schreiben(geladen), Schreiben(rp));
    // The handle reader leaves the handle just behind the bitmap.
    int32_t h = File_Create(name.c_str());
    Rastport_Write(h, rp);
    File_Write("TAIL", 1, 4, h);
    File_Close(h);
    h = File_Open_Read(name.c_str());
    Rastport* zweiter = Rastport_Read_File(h);
    ASSERT_NE(zweiter, nullptr);
    char rest[4];
    EXPECT_EQ(File_Read(rest, 1, 4, h), 4);
    EXPECT_EQ(std::memcmp(rest, "TAIL", 4), 0);
    File_Close(h);
    EXPECT_EQ(Rastport_Load((dir / "fehlt.nalp").c_str()), nullptr);
    EXPECT_EQ(Rastport_Write(-1, rp), 0);
    EXPECT_EQ(Rastport_Write(3, nullptr), 0);
    Rastport_Free(zweiter);
    Rastport_Free(geladen);
    Rastport_Free(rp);
}

TEST(RastportFile, DamagedFormsYieldNothing) {
    Rastport* rp = Voller_Rastport();
    std::vector<uint8_t> gut = Schreiben(rp);
    size_t bloecke = Mem_Anzahl_Bloecke();
    // Every truncation fails cleanly.
    for (size_t n = 0; n < gut.size(); ++n) EXPECT_EQ(Rastport_Read(gut.data(), n), nullptr) << n;
    struct Fall {
        const char* was;
        size_t offset;
        uint32_t wert;
    } faelle[] = {
        {"magic", 0, 0x504C414E + 1},
        {"huge width", 4, 100000},
        {"buffer magic", 56, 0},
        {"buffer width differs", 56 + 8, 8},
        {"byte size wrong", 56 + 4 + 40, 71},
        {"depth absurd", 56 + 16, 1000},
        {"shape taller than its data", 56 + 146 + 8 + 82 + 35, 0x00FF0007},
    };
    for (const Fall& f : faelle) {
        std::vector<uint8_t> d = gut;
        Bytes_Put32(d.data() + f.offset, f.wert);
        EXPECT_EQ(Rastport_Read(d.data(), d.size()), nullptr) << f.was;
    }
    EXPECT_EQ(Mem_Anzahl_Bloecke(), bloecke);
    EXPECT_EQ(Rastport_Read(nullptr, 10), nullptr);
    Rastport_Free(rp);
}

TEST(RastportLock, PackedZlibUnpacksOnFirstLock) {
    for (uint8_t keep : {0, 1}) {
        Rastport* rp = Rastport_Create(16, 8, 16, 0, 0);
        uint16_t* p = Rastport_Pixels16(rp);
        for (int i = 0; i < 128; ++i) p[i] = uint16_t(i % 5 ? 0x1111 : i);
        std::vector<uint16_t> vorher(p, p + 128);
        rp->pixels->keep_pixels = 0;
        rp->pixels->keep_packed = keep;
        ASSERT_EQ(PixelBuffer_Pack(rp->pixels, PACK_ZLIB), 1);
        EXPECT_EQ(rp->pixels->pixels, nullptr);
        EXPECT_EQ(rp->pixels->byte_size, 0u);   // recomputed from the size at the unpack
        std::vector<uint8_t> daten = Schreiben(rp);
        Rastport* zurueck = Rastport_Read(daten.data(), daten.size());
        ASSERT_NE(zurueck, nullptr);
        EXPECT_EQ(zurueck->pixels->pixels, nullptr);
        ASSERT_EQ(Rastport_Lock(zurueck), 1);
        Rastport_Unlock(zurueck);
        ASSERT_NE(zurueck->pixels->pixels, nullptr);
        EXPECT_EQ(std::memcmp(zurueck->pixels->pixels, vorher.data(), 256), 0);
        EXPECT_EQ(zurueck->pixels->packed != nullptr, keep == 1);
        EXPECT_EQ(zurueck->pixels->packed_size != 0, keep == 1);
        Rastport_Free(zurueck);
        Rastport_Free(rp);
    }
}

TEST(RastportLock, FailedDecodeLeavesNoPixels) {
    Rastport* rp = Rastport_Create(4, 4, 16, 1, 0);
    rp->pixels = static_cast<PixelBuffer*>(Mem_Alloc_Fill(sizeof(PixelBuffer), "test", 0));
    new (rp->pixels) PixelBuffer();
    rp->pixels->width = rp->pixels->height = 4;
    rp->pixels->depth = 16;
    rp->pixels->packing_kind = PACK_ZLIB;
    rp->pixels->packed_size = 12;
    rp->pixels->packed = static_cast<uint8_t*>(Mem_Alloc_Fill(12, "test", 0xAB));
    EXPECT_EQ(Rastport_Lock(rp), 0);
    EXPECT_EQ(rp->pixels->pixels, nullptr);
    EXPECT_EQ(rp->pixels->byte_size, 32u);
    rp->pixels->packing_kind = 12;   // unknown kind
    EXPECT_EQ(Rastport_Lock(rp), 0);
    EXPECT_EQ(rp->pixels->pixels, nullptr);
    Rastport_Hooks() = RastportHooks();
    rp->pixels->packing_kind = PACK_ZLIB;   // no decoder filled in
    EXPECT_EQ(Rastport_Lock(rp), 0);
    Rastport_Free(rp);
}

TEST(Rastport24, SplitAndPackBack) {
    for (int depth : {15, 16}) {
        Rastport* rp = Rastport_Create(3, 1, depth, 0, 0);
        uint16_t* p = Rastport_Pixels16(rp);
        p[0] = depth == 16 ? 0xF800 : 0x7C00;
        p[1] = depth == 16 ? 0x07E0 : 0x03E0;
        p[2] = 0x001F;
        ASSERT_EQ(Rastport_To_24(rp), 1);
        EXPECT_EQ(Rastport_To_24(rp), 0);   // refused while converted
        const uint8_t erwartet[9] = {248, 0, 0, 0, uint8_t(depth == 16 ? 252 : 248), 0, 0, 0, 248};
        EXPECT_EQ(std::memcmp(rp->rgb24, erwartet, 9), 0) << depth;
        rp->rgb24[0] = 0x80;   // red of pixel 0 halved
        ASSERT_EQ(Rastport_From_24(rp), 1);
        EXPECT_EQ(p[0], depth == 16 ? 0x8000 : 0x4000);
        EXPECT_EQ(p[2], 0x001F);
        Mem_Free(rp->rgb24);
        rp->rgb24 = nullptr;
        Rastport_Free(rp);
    }
    Rastport* acht = Rastport_Create(2, 2, 8, 0, 0);
    EXPECT_EQ(Rastport_To_24(acht), 0);
    EXPECT_EQ(Rastport_From_24(acht), 0);
    Mem_Free(acht->rgb24);
    acht->rgb24 = nullptr;
    Rastport_Free(acht);
}

TEST(RastportScreen, SetupPointsIntoScreenMemory) {
    std::vector<uint16_t> speicher(20 * 10);
    Rastport_Screen_Setup(20, 10, speicher.data());
    Rastport* s = Rastport_Screen();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 20u);
    EXPECT_EQ(s->pixels->id, 255u);
    EXPECT_EQ(s->pixels->screen, 1);
    EXPECT_EQ(s->pixels->byte_size, 400u);
    EXPECT_EQ(Rastport_Pixels16(s), speicher.data());
    EXPECT_EQ(Rastport_Target(), s);
    EXPECT_EQ(Rastport_Free(s), nullptr);   // never freed
    EXPECT_EQ(Rastport_Screen()->pixels->pixels, speicher.data());
}

}  // namespace
}  // namespace velmora
