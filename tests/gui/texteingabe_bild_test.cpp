// The text entry and the help box on a framework screen with the
// installation's fonts, compared with reviewed PNGs: a field being edited with
// its selection and cursor, and the help box the framework shows after a
// second of hovering over a button (its hooks bound as the game binds them).
#include <gtest/gtest.h>

#include <string>

#include "core/taste.h"
#include "gfx/hilfe_text.h"
#include "gfx/texteingabe.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

class TexteingabeBild : public MenueWelt {
protected:
    void SetUp() override {
        MenueWelt::SetUp();
        Font_Free_Set();
        fonts = Res_Open(VELMORA_INSTALL_RESFILE "/fontres.res", 0);
        ASSERT_GE(fonts, 0);
        ASSERT_EQ(Font_Load_Set(fonts, 0, FONT_SET_ANZAHL), 1);
        Menue_Hooks().hilfe_zeigen = Hilfe_Text_Ausgabe;
        Menue_Hooks().hilfe_stoppen = Hilfe_Text_Free;
        Taste_Reset();
    }
    void TearDown() override {
        Texteingabe_Free();
        Hilfe_Text_Free();
        Taste_Reset();
        MenueWelt::TearDown();
        Res_Close(fonts);
    }
    int32_t fonts = -1;
};

// The screen's field: a dark box with a light frame, then the entry inside it.
int32_t Feld(char* text, uint32_t flags) {
    Rastport* schirm = Rastport_Screen();
    Rastport_Draw_Frame(schirm, 250, 280, 300, 18, Farbe(200, 200, 220), 1, nullptr);
    Rastport_Fill(schirm, 251, 281, 298, 16, Farbe(20, 24, 40), nullptr);
    return Texteingabe_Edit(Font_Get(9), text, 40, 30, flags, 252, 282, 296, 14, 4, 1, nullptr, 0, 0, nullptr,
                            Farbe(255, 255, 255));
}

TEST_F(TexteingabeBild, AFieldWithItsSelectionAndCursor) {
    char text[40] = "Borussia Velmstadt";
    const uint32_t flags = TEXTEINGABE_NAME | TEXTEINGABE_MAUS;
    Bild(-100, -100);
    ASSERT_EQ(Feld(text, flags), 0);
    // "Velm" selected with the keyboard: Home, nine to the right, four with Shift.
    const int32_t tasten[][2] = {{VK_HOME, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0},
                                 {VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0}, {VK_RIGHT, 0},
                                 {VK_RIGHT, 1}, {VK_RIGHT, 1}, {VK_RIGHT, 1}, {VK_RIGHT, 1}};
    for (const auto& t : tasten) {
        Plat_Headless_Taste(VK_SHIFT, t[1] != 0);
        Taste_Eingabe_Code(t[0]);
        Taste_Eingabe_Shift(t[1]);
        Bild(-100, -100, 0, 400);   // an even number of blinks apart: the cursor shows
        ASSERT_EQ(Feld(text, flags), 0);
        Taste_Reset();
    }
    Plat_Headless_Taste(VK_SHIFT, false);
    const TexteingabeStand s = Texteingabe_Stand();
    EXPECT_EQ(s.auswahl_start, 9);
    EXPECT_EQ(s.auswahl_ende, 13);
    EXPECT_EQ(s.cursor, 13);
    ASSERT_TRUE(s.cursor_sichtbar);
    EXPECT_EQ(Png_Vergleichen("texteingabe_feld", Schirm_Rgb()), "");
}

TEST_F(TexteingabeBild, TheHelpBoxAfterASecondOverAButton) {
    s_icon& knopf = *Icon(Knopf(150, 360, 260));
    knopf.hilfe = "Weiter^lDer Tag endet, die Spiele^ldes Tages werden gespielt (100%)";
    Menue_Screen_Icon_Hinzufuegen(&knopf);
    for (int n = 0; n < 13; ++n) Bild(390, 270, 0, 100);
    EXPECT_TRUE(Hilfe_Text_Gezeigt());
    EXPECT_EQ(Png_Vergleichen("hilfe_box", Schirm_Rgb()), "");
    // Leaving the button takes the box away.
    Bild(20, 20);
    EXPECT_FALSE(Hilfe_Text_Gezeigt());
}

}  // namespace
}  // namespace velmora::test
