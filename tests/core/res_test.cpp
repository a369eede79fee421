#include "core/res.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/file.h"
#include "core/le.h"
#include "core/mem.h"
#include "tests/core/temp_verz.h"

using namespace velmora;
using velmora_test::TempVerz;

namespace {

std::vector<uint8_t> bytes_von(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

std::string datei_lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

void datei_schreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream(pfad, std::ios::binary) << inhalt;
}

// Three data blocks: "alpha", an empty one, 1000 bytes of a pattern.
std::string drei_bloecke(const TempVerz& t) {
    std::string muster(1000, 0);
    for (size_t i = 0; i < muster.size(); ++i) muster[i] = char(i * 7);
    std::string pfad = t / "drei.res";
    EXPECT_TRUE(Res_Schreiben(pfad.c_str(), {Res_Datenblock("alpha", 5), Res_Datenblock("", 0),
                                             Res_Datenblock(muster.data(), uint32_t(muster.size()))}));
    return pfad;
}

std::string text_von(void* block, uint32_t n) { return std::string(static_cast<char*>(block), n); }

}  // namespace

TEST(ResOpen, DataBlocksLoadWithLengthAndBaseIndex) {
    TempVerz t;
    std::string pfad = drei_bloecke(t);
    struct Fall {
        int32_t basis, nummer;
        uint32_t laenge;
        char erstes;
    } faelle[] = {{0, 0, 5, 'a'}, {0, 1, 0, 0}, {0, 2, 1000, 0}, {1, 1, 1000, 0}, {2, -2, 5, 'a'}};
    for (const Fall& f : faelle) {
        int32_t slot = Res_Open(pfad.c_str(), f.basis);
        ASSERT_GE(slot, 0);
        uint32_t laenge = 12345;
        void* block = Res_Load(slot, f.nummer, 16, &laenge, 0);
        ASSERT_NE(block, nullptr) << "basis " << f.basis << " nummer " << f.nummer;
        EXPECT_EQ(laenge, f.laenge);
        if (f.laenge == 5) {
            EXPECT_EQ(text_von(block, 5), "alpha");
        }
        if (f.laenge == 1000) {
            EXPECT_EQ(static_cast<uint8_t*>(block)[999], uint8_t(999 * 7));
        }
        EXPECT_EQ(Mem_Free(block), nullptr);
        EXPECT_EQ(Res_Close(slot), -1);
    }
}

TEST(ResOpen, ForeignOrTruncatedFilesAreRefused) {
    TempVerz t;
    std::string gut = datei_lesen(drei_bloecke(t));
    std::string falsche_magie = gut;
    falsche_magie[0] = 'X';
    std::string tabelle_abgeschnitten = gut.substr(0, gut.size() - 3);
    std::string zu_viele = gut;
    Bytes_Put32(reinterpret_cast<uint8_t*>(zu_viele.data()) + 4, 0x20000000u);
    std::string tabelle_im_kopf = gut;
    Bytes_Put32(reinterpret_cast<uint8_t*>(tabelle_im_kopf.data()) + 8, 4);
    const std::string faelle[] = {"", "RES", "RESF", falsche_magie, tabelle_abgeschnitten, zu_viele, tabelle_im_kopf};
    for (const std::string& inhalt : faelle) {
        datei_schreiben(t / "kaputt.res", inhalt);
        EXPECT_EQ(Res_Open((t / "kaputt.res").c_str(), 0), -1) << inhalt.size();
    }
    EXPECT_EQ(Res_Open((t / "fehlt.res").c_str(), 0), -1);
    EXPECT_EQ(Res_Open(nullptr, 0), -1);
}

TEST(ResLoad, InvalidRequestsGiveNull) {
    TempVerz t;
    std::string pfad = t / "typen.res";
    ResDateiEintrag fremd{66, {1, 2, 3, 4}};
    ASSERT_TRUE(Res_Schreiben(pfad.c_str(), {Res_Datenblock("x", 1), fremd}));
    int32_t slot = Res_Open(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    uint32_t laenge = 7;
    EXPECT_EQ(Res_Load(slot, 2, 16, &laenge), nullptr);    // outside the table
    EXPECT_EQ(Res_Load(slot, -1, 16, &laenge), nullptr);
    EXPECT_EQ(Res_Load(slot, 1, 16, &laenge), nullptr);    // type 66 is not loaded as an object
    EXPECT_EQ(laenge, 7u);
    EXPECT_EQ(Res_Load(slot + 1, 0, 16, &laenge), nullptr);   // a slot that is not open
    EXPECT_EQ(Res_Load(-1, 0, 16, &laenge), nullptr);
    EXPECT_EQ(Res_Load(RES_SLOTS, 0, 16, &laenge), nullptr);

    int16_t typ = 0;
    uint32_t bytes = 0;
    ASSERT_TRUE(Res_Eintrag_Info(slot, 1, &typ, &bytes));
    EXPECT_EQ(typ, 66);
    EXPECT_EQ(bytes, 4u);
    void* roh = Res_Eintrag_Roh(slot, 1, &bytes);
    ASSERT_NE(roh, nullptr);
    EXPECT_EQ(std::memcmp(roh, "\1\2\3\4", 4), 0);
    Mem_Free(roh);
    Res_Close(slot);
    EXPECT_EQ(Res_Load(slot, 0, 16, &laenge), nullptr);   // closed again
}

TEST(ResLoad, BlockLongerThanItsEntryIsRefused) {
    TempVerz t;
    std::string pfad = t / "lang.res";
    ResDateiEintrag luegt = Res_Datenblock("abcd", 4);
    Bytes_Put32(luegt.bytes.data(), 5000);   // claims more than the file holds
    ResDateiEintrag kurz{RES_TYP_DATEN, {1, 2}};   // not even a length
    ASSERT_TRUE(Res_Schreiben(pfad.c_str(), {luegt, Res_Datenblock("ok", 2), kurz}));
    int32_t slot = Res_Open(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    uint32_t laenge = 0;
    EXPECT_EQ(Res_Load(slot, 0, 16, &laenge), nullptr);
    EXPECT_EQ(Res_Load(slot, 2, 16, &laenge), nullptr);
    void* ok = Res_Load(slot, 1, 16, &laenge);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(text_von(ok, laenge), "ok");
    Mem_Free(ok);
    Res_Close(slot);
}

TEST(ResOpen, ThirtyFirstOpenIsRefused) {
    TempVerz t;
    std::string pfad = drei_bloecke(t);
    std::vector<int32_t> slots;
    for (int32_t i = 0; i < RES_SLOTS; ++i) {
        int32_t s = Res_Open(pfad.c_str(), 0);
        ASSERT_GE(s, 0);
        slots.push_back(s);
    }
    EXPECT_EQ(Res_Open(pfad.c_str(), 0), -1);
    slots.back() = Res_Close(slots.back());
    int32_t wieder = Res_Open(pfad.c_str(), 0);
    EXPECT_GE(wieder, 0);
    Res_Close(wieder);
    for (int32_t s : slots) Res_Close(s);
}

namespace {
struct HookZeuge {
    int16_t typ = 0;
    size_t bytes = 0;
    int32_t tiefe = 0;
    uint32_t extra = 0;
    std::string inhalt;
};
HookZeuge zeuge;
char objekt_bitmap, objekt_font, objekt_shape;
}  // namespace

TEST(ResLoad, GraphicsTypesGoThroughTheLoaderHooks) {
    TempVerz t;
    std::string pfad = t / "gfx.res";
    ASSERT_TRUE(Res_Schreiben(pfad.c_str(), {{RES_TYP_BITMAP, bytes_von("BILD")},
                                             {RES_TYP_FONT, bytes_von("SCHRIFT")},
                                             {RES_TYP_SHAPE, bytes_von("FORM")}}));
    int32_t slot = Res_Open(pfad.c_str(), 0);
    ASSERT_GE(slot, 0);
    EXPECT_EQ(Res_Load(slot, 0, 16, nullptr), nullptr);   // no loader registered yet

    ResLoaderHooks& h = Res_Loader_Hooks();
    h.bitmap = [](const uint8_t* d, size_t n, int32_t tiefe) -> void* {
        zeuge = {RES_TYP_BITMAP, n, tiefe, 0, std::string(reinterpret_cast<const char*>(d), n)};
        return &objekt_bitmap;
    };
    h.font = [](const uint8_t* d, size_t n, int32_t tiefe) -> void* {
        zeuge = {RES_TYP_FONT, n, tiefe, 0, std::string(reinterpret_cast<const char*>(d), n)};
        return &objekt_font;
    };
    h.shape = [](const uint8_t* d, size_t n, int32_t tiefe, uint32_t extra) -> void* {
        zeuge = {RES_TYP_SHAPE, n, tiefe, extra, std::string(reinterpret_cast<const char*>(d), n)};
        return extra == RES_SHAPE_ROH ? nullptr : &objekt_shape;
    };
    EXPECT_EQ(Res_Load(slot, 0, 15, nullptr), &objekt_bitmap);
    EXPECT_EQ(zeuge.inhalt, "BILD");
    EXPECT_EQ(zeuge.tiefe, 15);
    EXPECT_EQ(Res_Load(slot, 1, 16, nullptr), &objekt_font);
    EXPECT_EQ(zeuge.inhalt, "SCHRIFT");
    EXPECT_EQ(Res_Load(slot, 2, 16, nullptr, 7), &objekt_shape);
    EXPECT_EQ(zeuge.inhalt, "FORM");   // bounded by the table behind it
    EXPECT_EQ(zeuge.extra, 7u);
    EXPECT_EQ(Res_Load(slot, 2, 16, nullptr, RES_SHAPE_ROH), nullptr);   // a refusing loader gives null
    h = ResLoaderHooks{};
    Res_Close(slot);
}

TEST(ResGetResource, HandleModePositionsAtTheEntry) {
    TempVerz t;
    std::string pfad = t / "filme.res";
    ASSERT_TRUE(Res_Hrf_Schreiben(pfad.c_str(), {bytes_von("erster film"), bytes_von("zweiter")}, false, 0));
    int32_t h = File_Open_Read(pfad.c_str());
    ASSERT_GE(h, 0);
    ResResource r;
    ASSERT_TRUE(Res_GetResource(&r, h, 1, RES_MODUS_HANDLE));
    EXPECT_EQ(r.handle, h);
    EXPECT_EQ(r.laenge, 7u);
    EXPECT_EQ(File_Tell(h), int32_t(r.offset));
    char puffer[8] = {};
    EXPECT_EQ(File_Read(puffer, 1, 7, h), 7);
    EXPECT_STREQ(puffer, "zweiter");
    EXPECT_FALSE(Res_GetResource(&r, h, 2, RES_MODUS_HANDLE));
    EXPECT_EQ(r.handle, -1);
    EXPECT_FALSE(Res_GetResource(&r, h, -1, RES_MODUS_HANDLE));
    File_Close(h);
}

TEST(ResGetResource, MaskedDataUnmaskInMemoryMode) {
    TempVerz t;
    std::string pfad = t / "config.res";
    std::vector<std::vector<uint8_t>> eintraege = {bytes_von("SPIELER 1\n"), bytes_von(std::string(300, 'x'))};
    ASSERT_TRUE(Res_Hrf_Schreiben(pfad.c_str(), eintraege, true, 0xC0FFEE));
    std::string roh = datei_lesen(pfad);
    EXPECT_EQ(roh.substr(0, 3), "HCF");
    EXPECT_EQ(roh.find("SPIELER"), std::string::npos);   // the bytes on disk are masked
    int32_t h = File_Open_Read(pfad.c_str());
    ASSERT_GE(h, 0);
    for (int32_t n = 0; n < 2; ++n) {
        ResResource r;
        ASSERT_TRUE(Res_GetResource(&r, h, n, RES_MODUS_SPEICHER));
        EXPECT_EQ(r.maskiert, 1u);
        ASSERT_EQ(r.laenge, eintraege[n].size());
        EXPECT_EQ(std::memcmp(r.daten, eintraege[n].data(), r.laenge), 0);
        Mem_Free(r.daten);
    }
    ResResource r;
    EXPECT_FALSE(Res_GetResource(&r, h, 0, RES_MODUS_HANDLE));   // masked bytes cannot be read in place
    File_Close(h);
}

TEST(ResGetResource, ForeignOrTruncatedFilesAreRefused) {
    TempVerz t;
    std::string pfad = t / "a.res";
    ASSERT_TRUE(Res_Hrf_Schreiben(pfad.c_str(), {bytes_von("0123456789")}, false, 0));
    std::string gut = datei_lesen(pfad);
    std::string magie = gut;
    magie[1] = 'X';
    std::string version = gut;
    version[3] = 9;
    std::string zaehler = gut;
    Bytes_Put32(reinterpret_cast<uint8_t*>(zaehler.data()) + 4, 1000);
    std::string daten_weg = gut.substr(0, gut.size() - 1);
    const std::string faelle[] = {"", "HRF", magie, version, zaehler, daten_weg};
    for (const std::string& inhalt : faelle) {
        datei_schreiben(t / "b.res", inhalt);
        int32_t h = File_Open_Read((t / "b.res").c_str());
        ASSERT_GE(h, 0);
        ResResource r;
        EXPECT_FALSE(Res_GetResource(&r, h, 0, RES_MODUS_SPEICHER)) << inhalt.size();
        EXPECT_EQ(r.daten, nullptr);
        File_Close(h);
    }
}

TEST(ResOpenFile, OpensInTheResourceDirectory) {
    velmora_test::TestWelt welt;
    ASSERT_TRUE(welt.ok);
    welt.install_datei("resfile/menue.res", "HRF");
    int32_t h = Res_OpenFile("menue.res");
    EXPECT_GE(h, 0);
    File_Close(h);
    EXPECT_EQ(Res_OpenFile("fehlt.res"), -1);
    EXPECT_EQ(Res_OpenFile(nullptr), -1);
}
