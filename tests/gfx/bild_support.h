// tests/gfx/bild_support.h - TGA files written by hand for the loader tests
// (tests/gfx/tga_bauen.h), and the picture files of an installation with the built-in pictures (a few
// crests, trophies, kits and the portrait parts) in a temporary directory. The game's pictures
// drawn from them are tested with tests/bilder/bild_support.h.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/grafik_laden.h"
#include "gfx/shade.h"
#include "kunst/bild_muster.h"
#include "tests/core/temp_verz.h"
#include "tests/gfx/grafik_lader.h"
#include "tests/gfx/tga_bauen.h"

namespace velmora::test {

inline void Datei_Schreiben(const std::string& pfad, const std::vector<uint8_t>& d) {
    std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
}

// The resource slots the picture code asks for, filled by BildInstallation.
inline int32_t (&Test_Slots())[22] {
    static int32_t slots[22];
    return slots;
}

// An installation in a temporary directory whose crest, trophy, kit and
// portrait files hold the built-in pictures, opened and handed to the picture
// code; the screen is a 16-bit 800 x 600 bitmap.
struct BildDateien {
    GrafikLader lader;
    velmora_test::TestWelt welt;
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600, 0);

    explicit BildDateien(int32_t wappen = 12, int32_t pokale = 24) {
        for (int32_t& s : Test_Slots()) s = -1;
        // The kit and portrait files are the same for every test: made once.
        static const std::vector<ResDateiEintrag> trikots = Muster_Trikot_Datei();
        static const std::vector<ResDateiEintrag> gesichter = Muster_Portrait_Datei();
        Oeffnen(BILD_RES_WAPPEN, "wappen.res", Muster_Wappen_Datei(wappen));
        Oeffnen(BILD_RES_POKALE, "ulvo_res.res", Muster_Pokal_Datei(pokale));
        Oeffnen(BILD_RES_TRIKOTS, "oddo_res.res", trikots);
        Oeffnen(BILD_RES_GESICHTER, "spieler_gesicht.res", gesichter);
        Shade_Init(16);
        Bild_Hooks().res_slot = [](int32_t i) { return i >= 0 && i < 22 ? Test_Slots()[i] : -1; };
        Rastport_Screen_Setup(800, 600, schirm.data());
    }
    ~BildDateien() {
        for (int32_t& s : Test_Slots()) s = Res_Close(s);
        Bild_Hooks() = BildHooks{};
    }
    // The build's generated file in place of the test file of list index `index`.
    void Erzeugte_Datei(int32_t index, const std::string& name) {
        Test_Slots()[index] = Res_Close(Test_Slots()[index]);
        Test_Slots()[index] = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/" + name).c_str(), 0);
        ASSERT_GE(Test_Slots()[index], 0) << name;
    }
    void Oeffnen(int32_t index, const std::string& name, const std::vector<ResDateiEintrag>& eintraege) {
        const std::string pfad = welt.install + "/resfile/" + name;
        ASSERT_TRUE(Res_Schreiben(pfad.c_str(), eintraege));
        Test_Slots()[index] = Res_Open(pfad.c_str(), 0);
        ASSERT_GE(Test_Slots()[index], 0);
    }
};

// "" when entry `eintrag` of list file `index`, read through Bild_Res_Laden,
// holds exactly the 16-bit picture `soll` (freed), else what differs.
inline std::string Eintrag_Vergleichen(int32_t index, int32_t eintrag, Rastport* soll) {
    Rastport* ist = Bild_Res_Laden(index, eintrag);
    std::string fehler;
    if (!ist || Rastport_Lock(ist) != 1) fehler = "no picture";
    else if (ist->width != soll->width || ist->height != soll->height) fehler = "another size";
    else if (!std::equal(Rastport_Pixels16(soll), Rastport_Pixels16(soll) + size_t(soll->width) * soll->height,
                         Rastport_Pixels16(ist)))
        fehler = "other pixels";
    Rastport_Free(ist);
    Rastport_Free(soll);
    return fehler;
}

}  // namespace velmora::test
