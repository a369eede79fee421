#include "shell/maus.h"

#include <gtest/gtest.h>

#include "core/mem.h"
#include "gfx/rastport.h"
#include "platform/display.h"

using namespace velmora;

namespace {
struct MausTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 800, 600, true));
        Plat_Headless_Maus(0, 0, 0);
        Maus_Rechts_Sperre_Setzen(0);
        Maus_Tasten_Latch();
        Maus_Klick();
        Maus_Tasten_Latch();   // a clean frame: nothing latched
    }
    void TearDown() override { Plat_Display_Schliessen(); }
    void knoepfe(uint32_t b) { Plat_Headless_Maus(100, 100, b); }
};
}  // namespace

TEST_F(MausTest, HeldButtonsAreReportedWhileHeld) {
    for (uint32_t b : {1u, 2u, 3u}) {
        knoepfe(b);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), b);
        EXPECT_EQ(Maus_Klick(), b);
    }
}

TEST_F(MausTest, ReleaseBeforeTheFirstQueryIsAClickForTheWholeFrame) {
    knoepfe(1);
    Maus_Tasten_Latch();   // the frame start sees the button down
    knoepfe(0);            // released before the frame's first query
    EXPECT_EQ(Maus_Klick(), 1u);
    EXPECT_EQ(Maus_Klick(), 1u);   // every call of this frame sees it
    Maus_Tasten_Latch();           // next frame
    EXPECT_EQ(Maus_Klick(), 0u);
}

// A release that arrives after a query saw the button held: the frame's
// later queries still see it held, the next frame sees it released (no click).
TEST_F(MausTest, AReleaseInTheMiddleOfAFrameIsSeenByTheNextFrame) {
    for (uint32_t b : {1u, 2u}) {
        knoepfe(b);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), b);   // seen held: the latch is cleared
        knoepfe(0);
        EXPECT_EQ(Maus_Klick(), b);
        EXPECT_EQ(Maus_Klick(), b);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);
    }
    Maus_Tasten_Latch();   // a frame that begins with the button up ...
    EXPECT_EQ(Maus_Klick(), 0u);
    knoepfe(1);            // ... and sees it pressed and released later on
    EXPECT_EQ(Maus_Klick(), 1u);
    knoepfe(0);
    EXPECT_EQ(Maus_Klick(), 1u);
    Maus_Eingabe_Verwerfen();   // dropped input drops what the frame saw too
    EXPECT_EQ(Maus_Klick(), 0u);
}

TEST_F(MausTest, PressAndReleaseBetweenTwoLatchesIsAClickOfOneFrame) {
    knoepfe(1);
    knoepfe(0);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 1u);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 0u);
}

// The end of a remote call's wait: a press made during it is the next frame's
// click, once; a button held since before the wait waits for its release.
TEST_F(MausTest, APressDuringAWaitIsTheNextFramesClickOnce) {
    for (const bool losgelassen : {true, false}) {
        SCOPED_TRACE(losgelassen ? "pressed and released in the wait" : "pressed in the wait, held on");
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);   // the frame that makes the call
        knoepfe(1);
        if (losgelassen) knoepfe(0);
        Maus_Rad_Setzen(1);
        Maus_Warten_Ende();
        EXPECT_EQ(Maus_Rad(), 0);
        Maus_Klick();                   // the rest of the calling frame reads too
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 1u);
        EXPECT_EQ(Maus_Neu(), 1u) << "a press of this frame";
        knoepfe(0);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);
    }
    knoepfe(1);   // held when the call is made: not repeated after it
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 1u);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 1u);
    EXPECT_EQ(Maus_Neu(), 0u) << "held from the frame before";
    Maus_Warten_Ende();
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 0u);
    knoepfe(0);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 0u);
}

TEST_F(MausTest, RightButtonLockSwallowsUntilTheRightBitIsGone) {
    Maus_Rechts_Sperre_Setzen(1);
    knoepfe(3);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 0u);   // left and right held: nothing while locked
    knoepfe(1);
    EXPECT_EQ(Maus_Klick(), 0u) << "the frame still sees the right button it saw held";
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 1u);   // the right bit is gone: the lock clears itself
    knoepfe(2);
    Maus_Tasten_Latch();
    EXPECT_EQ(Maus_Klick(), 2u);
}

// What a remote call's end drops: the latched click, the wheel, and a button
// held through the drop until it has been released once.
TEST_F(MausTest, DroppedInputIsNotSeenAndAHeldButtonCountsAgainAfterItsRelease) {
    struct Fall {
        const char* name;
        uint32_t beim_verwerfen;   // buttons held when the input is dropped
        bool gelatcht;             // a click latched before the drop and released
    };
    for (const Fall& f : {Fall{"latched click", 0u, true}, Fall{"left held", 1u, false}, Fall{"both held", 3u, false}}) {
        SCOPED_TRACE(f.name);
        if (f.gelatcht) {
            knoepfe(1);
            Maus_Tasten_Latch();
        }
        knoepfe(f.beim_verwerfen);
        Maus_Rad_Setzen(1);
        Maus_Eingabe_Verwerfen();
        EXPECT_EQ(Maus_Rad(), 0);
        EXPECT_EQ(Maus_Klick(), 0u);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u) << "still held from the wait";
        knoepfe(0);
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 0u);
        knoepfe(1);   // a fresh press after the release counts
        Maus_Tasten_Latch();
        EXPECT_EQ(Maus_Klick(), 1u);
        knoepfe(0);
        Maus_Tasten_Latch();
        Maus_Klick();
        Maus_Tasten_Latch();
    }
}

TEST_F(MausTest, RectangleBoundsAreInclusive) {
    Plat_Headless_Maus(15, 15, 0);
    EXPECT_TRUE(Maus_In_Rechteck(10, 10, 5, 5));
    Plat_Headless_Maus(16, 15, 0);
    EXPECT_FALSE(Maus_In_Rechteck(10, 10, 5, 5));
    Plat_Headless_Maus(10, 10, 0);
    EXPECT_TRUE(Maus_In_Rechteck(10, 10, 5, 5));
}

TEST(Joystick, DirectionBoundaries) {
    Joystick j{};
    struct Fall {
        int32_t x, y, richtung;
    };
    const Fall faelle[] = {
        {16383, 32768, 6}, {16384, 32768, -1}, {32768, 16401, 0}, {32768, 16402, -1},
        {0, 0, 7},         {65535, 0, 1},      {65535, 65535, 3}, {0, 65535, 5},
        {65535, 32768, 2}, {32768, 65535, 4},
    };
    for (const Fall& f : faelle) {
        j.x = f.x;
        j.y = f.y;
        EXPECT_EQ(Joy_Direction(&j), f.richtung) << f.x << "," << f.y;
        EXPECT_EQ(j.richtung, f.richtung);
    }
    EXPECT_EQ(Joy_Direction(nullptr), -1);
}

TEST_F(MausTest, OverBitmapUsesTheMaskOrThePixelsInsideTheRectangle) {
    Rastport* rp = Rastport_Create(5, 5, 16, 0, 0);
    ASSERT_NE(rp, nullptr);
    uint16_t* p = Rastport_Pixels16(rp);
    for (int i = 0; i < 25; ++i) p[i] = 0;
    p[2 * 5 + 3] = 0x1234;   // one visible pixel at (3, 2)
    Plat_Headless_Maus(13, 12, 0);
    EXPECT_TRUE(Maus_Ueber_Bild(rp, 10, 10));
    Plat_Headless_Maus(12, 12, 0);
    EXPECT_FALSE(Maus_Ueber_Bild(rp, 10, 10));   // a transparent pixel
    Plat_Headless_Maus(15, 15, 0);
    EXPECT_FALSE(Maus_Ueber_Bild(rp, 10, 10));   // upper bounds are exclusive
    Plat_Headless_Maus(9, 10, 0);
    EXPECT_FALSE(Maus_Ueber_Bild(rp, 10, 10));
    EXPECT_FALSE(Maus_Ueber_Bild(nullptr, 10, 10));

    // A mask decides over the pixels: bit 12 (counted from the lowest bit) is (2, 2).
    rp->mask = static_cast<uint8_t*>(Mem_Alloc_Fill(size_t(Rastport_Mask_Size(5, 5)), "test", 0));
    rp->mask[12 / 8] = uint8_t(1 << (12 % 8));
    Plat_Headless_Maus(12, 12, 0);
    EXPECT_TRUE(Maus_Ueber_Bild(rp, 10, 10));
    Plat_Headless_Maus(13, 12, 0);
    EXPECT_FALSE(Maus_Ueber_Bild(rp, 10, 10));
    Rastport_Free(rp);

    Rastport* leer = Rastport_Create(4, 4, 16, 3, 0);   // neither mask nor pixel memory
    ASSERT_NE(leer, nullptr);
    Plat_Headless_Maus(11, 11, 0);
    EXPECT_TRUE(Maus_Ueber_Bild(leer, 10, 10));
    Rastport_Free(leer);
}
