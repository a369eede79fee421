// The text entry field driven frame by frame as the game drives it: the
// frame's key arrives through the key polling (with the repeat mark of a held
// key), the mouse through the headless back-end, the clock is virtual. Block
// glyphs make widths and positions exact.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/taste.h"
#include "gfx/blit.h"
#include "gfx/texteingabe.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "tests/gfx/font_support.h"

namespace velmora {
namespace {

constexpr uint16_t GRUND = 0x0841;   // the screen under the field
constexpr uint16_t TEXTFARBE = 0xFFFF;

// One frame's key as the shell hands it on: the key code, the character it
// typed, Shift, and whether a held key's repeat sent it.
struct Taste {
    int32_t code = 0;
    int32_t zeichen = 0;
    bool shift = false;
    bool wiederholt = false;
};

Taste Zeichen(char c, bool shift = false) {
    Taste t;
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') t.code = u - 'a' + 'A';
    else if ((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')) t.code = u;
    t.zeichen = u;
    t.shift = shift || (u >= 'A' && u <= 'Z');
    return t;
}
Taste Code(int32_t code, bool shift = false) { return Taste{code, 0, shift, false}; }

struct TexteingabeTest : ::testing::Test {
    void SetUp() override {
        schirm.assign(800 * 600, GRUND);
        Rastport_Screen_Setup(800, 600, schirm.data());
        Rastport_Set_Target(nullptr);
        Plat_Uhr_Virtuell(true, 50000);
        Plat_Headless_Maus(-100, -100, 0);
        Plat_Headless_Taste(VK_SHIFT, false);
        Taste_Reset();
        Texteingabe_Free();
        font = test::Block_Font();
        std::memset(text, 0, sizeof text);
    }
    void TearDown() override {
        Texteingabe_Free();
        test::Block_Font_Frei(font);
        Plat_Headless_Taste(VK_SHIFT, false);
        Taste_Reset();
        Plat_Uhr_Virtuell(false);
    }

    int32_t Feld(int32_t x = 100, int32_t y = 50) {
        return Texteingabe_Edit(font, text, groesse, max_laenge, flags, x, y, breite, 14, TEXT_X, TEXT_Y, nullptr, 0, 0,
                                wert_zeiger, TEXTFARBE);
    }
    // One frame: the key arrives, the field runs, the frame's keys are reset
    // and the clock moves on by `ms`.
    int32_t Bild(const Taste& t = {}, uint32_t ms = 10) {
        if (t.code || t.zeichen) {
            Taste_Eingabe_Zeichen(-1);
            Taste_Eingabe_Code(t.code);
            Taste_Eingabe_Shift(t.shift);
            Taste_Eingabe_Ctrl(0);
            if (t.zeichen) Taste_Eingabe_Zeichen(t.zeichen);
            Taste_Eingabe_Wiederholt(t.wiederholt);
        }
        const int32_t r = Feld();
        Taste_Reset();
        Plat_Uhr_Vorstellen(ms);
        return r;
    }
    // Starts the edit of `anfang` and plays the keys; the last result.
    int32_t Spielen(const char* anfang, const std::vector<Taste>& tasten) {
        std::strncpy(text, anfang, sizeof text - 1);
        int32_t r = Bild();
        for (const Taste& t : tasten) {
            Plat_Headless_Taste(VK_SHIFT, t.shift);
            r = Bild(t);
            if (r != 0) break;
        }
        Plat_Headless_Taste(VK_SHIFT, false);
        return r;
    }
    uint16_t Pixel(int32_t x, int32_t y) const { return schirm[size_t(y) * 800 + x]; }

    static constexpr int32_t TEXT_X = 2, TEXT_Y = 1;
    std::vector<uint16_t> schirm;
    Font* font = nullptr;
    char text[64];
    int32_t groesse = 64, max_laenge = 40, breite = 300;
    uint32_t flags = TEXTEINGABE_STANDARD;
    uint32_t* wert_zeiger = nullptr;
};

TEST_F(TexteingabeTest, KeysEditTheTextWithinItsCharacterSet) {
    const struct {
        const char* name;
        uint32_t flags;
        const char* anfang;
        std::vector<Taste> tasten;
        const char* erwartet;
        int32_t cursor;
    } faelle[] = {
        {"Shift makes a capital in a name field", TEXTEINGABE_NAME, "", {Zeichen('a', true)}, "A", 1},
        {"Backspace and Delete", TEXTEINGABE_STANDARD, "abcd",
         {Code(VK_BACK), Code(VK_LEFT), Code(VK_LEFT), Code(VK_DELETE)}, "ac", 1},
        {"Home, then typing inserts there", TEXTEINGABE_STANDARD, "abc", {Code(VK_HOME), Zeichen('x')}, "xabc", 1},
        {"the cursor stays within the text", TEXTEINGABE_STANDARD, "ab",
         {Code(VK_RIGHT), Code(VK_HOME), Code(VK_LEFT), Zeichen('y'), Code(VK_END), Code(VK_RIGHT), Zeichen('z')},
         "yabz", 4},
        {"up and down do nothing", TEXTEINGABE_STANDARD, "ab", {Code(VK_UP), Code(VK_DOWN), Zeichen('c')}, "abc", 3},
        {"a typed character replaces the selection", TEXTEINGABE_STANDARD, "abcd",
         {Code(VK_HOME), Code(VK_RIGHT, true), Code(VK_RIGHT, true), Zeichen('Z')}, "Zcd", 1},
        {"\"^\" is not in the default set", TEXTEINGABE_STANDARD, "a", {Zeichen('^')}, "a", 1},
        {"\"^\" is not a name character", TEXTEINGABE_NAME, "a", {Zeichen('^')}, "a", 1},
        {"\"^\" is not a number character", TEXTEINGABE_ZAHL, "1", {Zeichen('^')}, "1", 1},
        {"\"%\" is typed as a character", TEXTEINGABE_STANDARD, "100", {Zeichen('%', true)}, "100%", 4},
        {"a number field takes digits only", TEXTEINGABE_ZAHL, "", {Zeichen('4'), Zeichen('a'), Zeichen(','), Zeichen('%', true)},
         "4,", 2},
        {"a name field takes no punctuation", TEXTEINGABE_NAME, "", {Zeichen('O'), Zeichen('\''), Zeichen('!'), Zeichen('k')},
         "O'k", 3},
        {"flag 4 wins over flag 1", TEXTEINGABE_NAME | TEXTEINGABE_STANDARD, "", {Zeichen('!')}, "!", 1},
        {"umlauts are letters", TEXTEINGABE_NAME, "M", {Zeichen('\xFC'), Zeichen('\xDF')}, "M\xFC\xDF", 3},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        flags = f.flags;
        EXPECT_EQ(Spielen(f.anfang, f.tasten), 0);
        EXPECT_STREQ(text, f.erwartet);
        EXPECT_EQ(Texteingabe_Stand().cursor, f.cursor);
        Texteingabe_Free();
    }
}

TEST_F(TexteingabeTest, ShiftHomeSelectsTheWholeTextAndBackspaceEmptiesIt) {
    Spielen("Tor", {Code(VK_HOME, true)});
    EXPECT_EQ(Texteingabe_Stand().auswahl_start, 0);
    EXPECT_EQ(Texteingabe_Stand().auswahl_ende, 3);
    // Still holding Shift: the selection shrinks from its anchor at the end.
    Plat_Headless_Taste(VK_SHIFT, true);
    Bild();
    Bild(Code(VK_RIGHT, true));
    EXPECT_EQ(Texteingabe_Stand().auswahl_start, 1);
    EXPECT_EQ(Texteingabe_Stand().auswahl_ende, 3);
    Bild(Code(VK_LEFT, true));
    Plat_Headless_Taste(VK_SHIFT, false);
    Bild();
    Bild(Code(VK_BACK));
    EXPECT_STREQ(text, "");
    EXPECT_EQ(Texteingabe_Stand().auswahl_start, -1);
}

TEST_F(TexteingabeTest, TheEndKeysGiveTheirResults) {
    const struct {
        Taste taste;
        int32_t ergebnis;
        const char* text;
    } faelle[] = {
        {Code(VK_RETURN), TEXTEINGABE_ENTER, "Elfx"},
        {Code(VK_TAB), TEXTEINGABE_TAB, "Elfx"},
        {Code(VK_TAB, true), TEXTEINGABE_SHIFT_TAB, "Elfx"},
        {Code(VK_ESCAPE), TEXTEINGABE_ESCAPE, "Elf"},   // the text as it was when the edit began
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Spielen("Elf", {Zeichen('x'), f.taste}), f.ergebnis);
        EXPECT_STREQ(text, f.text);
        EXPECT_EQ(Texteingabe_Stand().zustand, 0);
        EXPECT_FALSE(Texteingabe_Blink_An());
    }
}

TEST_F(TexteingabeTest, ANumberFieldStartsAsTheValueAndSetsItAtTheEnd) {
    uint32_t wert = 42;
    wert_zeiger = &wert;
    flags = TEXTEINGABE_ZAHL;
    EXPECT_EQ(Bild(), 0);
    EXPECT_STREQ(text, "42");
    EXPECT_EQ(wert, 42u);
    Bild(Zeichen('7'));
    EXPECT_EQ(Bild(Code(VK_RETURN)), TEXTEINGABE_ENTER);
    EXPECT_EQ(wert, 427u);
    // Escape leaves the value as it was; an amount past the largest stops there.
    EXPECT_EQ(Spielen("", {Zeichen('1'), Code(VK_ESCAPE)}), TEXTEINGABE_ESCAPE);
    EXPECT_EQ(wert, 427u);
    wert = 4294967290u;
    EXPECT_EQ(Spielen("", {Zeichen('9'), Zeichen('9'), Code(VK_RETURN)}), TEXTEINGABE_ENTER);
    EXPECT_STREQ(text, "429496729099");
    EXPECT_EQ(wert, 4294967295u);
}

TEST_F(TexteingabeTest, AHeldKeyRepeatsOncePer150MsAndFastDoubleLettersStay) {
    struct Druck {
        uint32_t ms;   // since the first key
        bool wiederholt;
    };
    const struct {
        const char* name;
        std::vector<Druck> folge;
        const char* erwartet;
    } faelle[] = {
        {"two presses 80 ms apart", {{0, false}, {80, false}}, "ll"},
        {"two presses 20 ms apart", {{0, false}, {20, false}}, "ll"},
        {"held for 600 ms, repeating every 30 ms",
         {{0, false}, {30, true}, {60, true}, {90, true}, {120, true}, {150, true}, {180, true}, {210, true}, {240, true},
          {270, true}, {300, true}, {330, true}, {360, true}, {390, true}, {420, true}, {450, true}, {480, true},
          {510, true}, {540, true}, {570, true}, {600, true}},
         "lllll"},
        {"a repeat 149 ms after the press", {{0, false}, {149, true}}, "l"},
        {"a repeat 150 ms after the press", {{0, false}, {150, true}}, "ll"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        text[0] = 0;
        Bild({}, 1000);
        uint32_t bisher = 0;
        for (const Druck& d : f.folge) {
            Plat_Uhr_Vorstellen(d.ms - bisher);
            bisher = d.ms;
            Taste t = Zeichen('l');
            t.wiederholt = d.wiederholt;
            Bild(t, 0);
        }
        EXPECT_STREQ(text, f.erwartet);
        Texteingabe_Free();
    }
}

TEST_F(TexteingabeTest, TheTextStaysWithinTheMaximumTheBufferAndTheField) {
    // A maximum at or above the buffer size leaves room for the text's end.
    groesse = 6;
    max_laenge = 6;
    Spielen("", {Zeichen('a'), Zeichen('b'), Zeichen('c'), Zeichen('d'), Zeichen('e'), Zeichen('f'), Zeichen('g')});
    EXPECT_STREQ(text, "abcde");
    EXPECT_EQ(Texteingabe_Stand().cursor, 5);
    Texteingabe_Free();
    // A text longer than the buffer is cut to it.
    std::memset(text, 'q', sizeof text);
    Bild();
    EXPECT_STREQ(text, "qqqqq");
    Texteingabe_Free();
    groesse = 64;
    max_laenge = 3;
    Spielen("", {Zeichen('a'), Zeichen('b'), Zeichen('c'), Zeichen('d')});
    EXPECT_STREQ(text, "abc");
    Texteingabe_Free();
    // Glyphs of "a" are 3 pixels: 5 fit below 20 - 2 - 2.
    max_laenge = 40;
    breite = 20;
    Spielen("", std::vector<Taste>(8, Zeichen('a')));
    EXPECT_EQ(std::string(text), "aaaaa");
}

TEST_F(TexteingabeTest, AnotherFieldTakesOverAndStartsOnItsNextCall) {
    Spielen("eins", {Zeichen('!')});
    EXPECT_EQ(Feld(100, 80), TEXTEINGABE_ABGELOEST);
    EXPECT_EQ(Texteingabe_Stand().zustand, 2);
    EXPECT_STREQ(text, "eins!");
    std::strcpy(text, "zwei");
    EXPECT_EQ(Feld(100, 80), 0);
    EXPECT_EQ(Texteingabe_Stand().zustand, 1);
    EXPECT_EQ(Texteingabe_Stand().cursor, 4);
}

TEST_F(TexteingabeTest, MissingArgumentsChangeNothing) {
    std::strcpy(text, "bleibt");
    const struct {
        Font* font;
        char* text;
        int32_t groesse, max, x, y, breite, hoehe;
    } faelle[] = {
        {nullptr, text, 64, 10, 0, 0, 50, 14}, {font, nullptr, 64, 10, 0, 0, 50, 14}, {font, text, 0, 10, 0, 0, 50, 14},
        {font, text, 64, 0, 0, 0, 50, 14},     {font, text, 64, 10, -1, 0, 50, 14},  {font, text, 64, 10, 0, -1, 50, 14},
        {font, text, 64, 10, 0, 0, 0, 14},     {font, text, 64, 10, 0, 0, 50, 0},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(Texteingabe_Edit(f.font, f.text, f.groesse, f.max, 0, f.x, f.y, f.breite, f.hoehe, 0, 0, nullptr, 0, 0,
                                   nullptr, 0),
                  0);
        EXPECT_EQ(Texteingabe_Stand().zustand, 0);
    }
    EXPECT_STREQ(text, "bleibt");
    const std::vector<uint16_t> leer(800 * 600, GRUND);
    EXPECT_EQ(schirm, leer);
}

TEST_F(TexteingabeTest, TheMouseMovesTheCursorSelectsAndEndsAsTheFlagsAllow) {
    flags = TEXTEINGABE_STANDARD | TEXTEINGABE_MAUS | TEXTEINGABE_KLICK_AUSSEN | TEXTEINGABE_RECHTS_ENDE;
    std::strcpy(text, "abcdef");
    // The press that opened the field is still held: it is not a click into it.
    Plat_Headless_Maus(105, 55, 1);
    Bild();
    EXPECT_EQ(Texteingabe_Stand().cursor, 6);
    Plat_Headless_Maus(105, 55, 0);
    Bild();
    // A click 1 pixel into "c" puts the cursor before it, dragging selects.
    const int32_t fx = 100 + TEXT_X;
    Plat_Headless_Maus(fx + Texteingabe_Breite(font, text, 2) + 1, 55, 1);
    Bild();
    EXPECT_EQ(Texteingabe_Stand().cursor, 2);
    EXPECT_EQ(Texteingabe_Stand().auswahl_start, -1);
    Plat_Headless_Maus(fx + Texteingabe_Breite(font, text, 5) + 1, 55, 1);
    Bild();
    EXPECT_EQ(Texteingabe_Stand().cursor, 5);
    EXPECT_EQ(Texteingabe_Stand().auswahl_start, 2);
    EXPECT_EQ(Texteingabe_Stand().auswahl_ende, 5);
    Plat_Headless_Maus(fx + 500, 55, 0);
    Bild();
    EXPECT_EQ(Texteingabe_Position(font, text, fx), 6);   // past the end: the text's length
    Plat_Headless_Maus(fx - 10, 55, 0);
    EXPECT_EQ(Texteingabe_Position(font, text, fx), 0);
    // Clicks that end the edit: outside with 0x1000, right with 0x100; neither with 0x20.
    const struct {
        uint32_t flags;
        uint32_t knopf;
        int32_t ergebnis;
    } faelle[] = {
        {TEXTEINGABE_MAUS | TEXTEINGABE_KLICK_AUSSEN, 1, TEXTEINGABE_ENTER},
        {TEXTEINGABE_MAUS, 1, 0},
        {TEXTEINGABE_RECHTS_ENDE, 2, TEXTEINGABE_ENTER},
        {TEXTEINGABE_MAUS | TEXTEINGABE_KLICK_AUSSEN | TEXTEINGABE_NUR_TASTEN, 1, 0},
        {TEXTEINGABE_RECHTS_ENDE | TEXTEINGABE_NUR_TASTEN, 2, 0},
    };
    for (const auto& f : faelle) {
        Texteingabe_Free();
        flags = f.flags;
        Plat_Headless_Maus(10, 10, 0);
        Bild();
        Plat_Headless_Maus(10, 10, f.knopf);
        EXPECT_EQ(Bild(), f.ergebnis) << f.flags;
        Plat_Headless_Maus(10, 10, 0);
    }
}

TEST_F(TexteingabeTest, TheFieldShowsTextSelectionAndABlinkingCursor) {
    std::strcpy(text, "^lab");
    flags = TEXTEINGABE_STANDARD | TEXTEINGABE_ALLES_MARKIERT;
    Bild();
    const TexteingabeStand s = Texteingabe_Stand();
    EXPECT_EQ(s.auswahl_start, 0);
    EXPECT_EQ(s.auswahl_ende, 4);
    EXPECT_TRUE(s.cursor_sichtbar);
    EXPECT_TRUE(Texteingabe_Blink_An());
    const int32_t x0 = 100 + TEXT_X, y0 = 50 + TEXT_Y;
    const int32_t ende = Texteingabe_Breite(font, text, 4);
    // The selection band one row below the text offset, above the glyphs' ink.
    EXPECT_EQ(Pixel(x0, y0 + 1), TEXTEINGABE_FARBE_AUSWAHL);
    EXPECT_EQ(Pixel(x0 + ende - 2, y0 + 1), TEXTEINGABE_FARBE_AUSWAHL);
    EXPECT_EQ(Pixel(x0 + ende + 2, y0 + 1), GRUND);
    // "^" and "l" are drawn as glyphs, never read as a line break.
    for (int32_t i = 0; i < 4; ++i)
        EXPECT_EQ(Pixel(x0 + Texteingabe_Breite(font, text, i), y0 + 1 + test::BLOCK_TINTE_OBEN), TEXTFARBE) << i;
    // The cursor: 2 pixels wide, one pixel left of the text's end.
    EXPECT_EQ(Pixel(x0 + ende - 1, y0), TEXTEINGABE_FARBE_CURSOR);
    EXPECT_EQ(Pixel(x0 + ende, y0 + test::BLOCK_HOEHE - 1), TEXTEINGABE_FARBE_CURSOR);
    // It blinks: off on the next frame, then flipping every 350 ms.
    std::vector<bool> sichtbar;
    for (int32_t i = 0; i < 4; ++i) {
        std::fill(schirm.begin(), schirm.end(), GRUND);
        Bild({}, 360);
        sichtbar.push_back(Texteingabe_Stand().cursor_sichtbar);
        EXPECT_EQ(Pixel(x0 + ende, y0) == TEXTEINGABE_FARBE_CURSOR, sichtbar.back());
    }
    EXPECT_EQ(sichtbar, (std::vector<bool>{false, true, false, true}));
    // No calls for a while: the cursor no longer blinks, shortcuts work again.
    Plat_Uhr_Vorstellen(1000);
    EXPECT_FALSE(Texteingabe_Blink_An());
}

}  // namespace
}  // namespace velmora
