// tests/bilder/bild_support.h - the installation of the game's pictures: the
// picture files with the built-in crests, trophies, kits and portrait parts
// (tests/gfx/bild_support.h), the crests of marked-up text drawn, and the
// portrait parts let go when it ends.
#pragma once
#include <cstdint>

#include "bilder/portrait.h"
#include "bilder/trikot.h"
#include "bilder/wappen_rahmen.h"
#include "gfx/text_markup.h"
#include "tests/gfx/bild_support.h"

namespace velmora::test {

struct BildInstallation : BildDateien {
    const TextWappenZeichnen text_wappen = Text_Wappen_Holen();

    explicit BildInstallation(int32_t wappen = 12, int32_t pokale = 24) : BildDateien(wappen, pokale) {
        Text_Wappen_Setzen(Bild_Wappen_Im_Text);
    }
    ~BildInstallation() {
        Portrait_Teile_Freigeben();
        Text_Wappen_Setzen(text_wappen);
    }
};

}  // namespace velmora::test
