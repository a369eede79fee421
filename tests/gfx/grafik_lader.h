// tests/gfx/grafik_lader.h - the graphics' loaders handed to core's resource
// files and the bitmap library, as the composition root hands them to a game.
#pragma once
#include <gtest/gtest.h>

#include "core/pack.h"
#include "core/res.h"
#include "gfx/bild_laden.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"

namespace velmora::test {

// Sets the loaders for as long as it lives; the hooks it found come back
// when it ends, so no test leaves them to the next one.
struct GrafikLader {
    const ResLoaderHooks res = Res_Loader_Hooks();
    const PackHooks pack = Pack_Hooks();
    const RastportHooks rastport = Rastport_Hooks();
    GrafikLader() {
        ResLoaderHooks& r = Res_Loader_Hooks();
        r.bitmap = Grafik_Bitmap_Laden;
        r.shape = Shape_Aus_Eintrag;
        r.font = [](const uint8_t* daten, size_t laenge, int32_t tiefe) -> void* {
            return Font_Res_Laden(daten, laenge, tiefe);
        };
        Pack_Hooks().bytes_unpack_backward = Grafik_Rueckwaerts_Entpacken;
        Rastport_Hooks().jpeg_load_mem = Bild_Jpeg_Laden_Mem;
        Rastport_Hooks().jpeg_save_mem = Bild_Jpeg_Speichern_Mem;
    }
    ~GrafikLader() {
        Res_Loader_Hooks() = res;
        Pack_Hooks() = pack;
        Rastport_Hooks() = rastport;
    }
    GrafikLader(const GrafikLader&) = delete;
    GrafikLader& operator=(const GrafikLader&) = delete;
};

#ifdef VELMORA_FONTRES
// A test with the installation's font set loaded at depth 16 through the loaders.
class FontSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        slot = Res_Open(VELMORA_FONTRES, 0);
        ASSERT_GE(slot, 0);
        Font_Free_Set();
        ASSERT_EQ(Font_Load_Set(slot, 0, FONT_SET_ANZAHL), 1);
    }
    void TearDown() override {
        Font_Free_Set();
        Res_Close(slot);
    }
    GrafikLader lader;
    int32_t slot = -1;
};
#endif

}  // namespace velmora::test
