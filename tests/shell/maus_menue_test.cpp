// tests/shell/maus_menue_test.cpp - the shell's latch and click behind the menu
// framework, as the calendar runs them: a quick click whose release arrives
// while a frame is still looking at its icons counts once on the button under
// the pointer.
#include <gtest/gtest.h>

#include "shell/maus.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t X = 420, Y = 515;   // a point on the low-priority button

int32_t loslassen_nach = -1;   // the hooked procedure's calls in a frame before the release
int32_t hook_rufe = 0;

// Runs once for each shown icon while the frame looks at them: the button
// goes up after `loslassen_nach` of them, as an event that arrives mid-frame.
void Loslassen(void*, int32_t) {
    if (loslassen_nach >= 0 && hook_rufe++ == loslassen_nach) Plat_Headless_Maus(X, Y, 0);
}

class MausMenue : public MenueWelt {
protected:
    void SetUp() override {
        MenueWelt::SetUp();
        ereignisse.clear();
        Menue_Hooks().maus_klick = Maus_Klick;
        Menue_Hooks().maus_neu = Maus_Neu;
        Maus_Tasten_Latch();
        Maus_Klick();
    }
    // One frame of the menu phase: the latch, then the icons.
    void Frame(uint32_t knoepfe, int32_t los_nach = -1) {
        Plat_Headless_Maus(X, Y, knoepfe);
        loslassen_nach = los_nach;
        hook_rufe = 0;
        Maus_Tasten_Latch();
        Menue_Frame();
        Plat_Uhr_Vorstellen(20);
    }
};

TEST_F(MausMenue, AReleaseWhileTheFrameLooksAtItsIconsLosesNoClick) {
    // Icons of higher priority come first; the button ("Weiter") comes last.
    std::vector<s_icon>& oben = Vektor(6);
    for (int k = 0; k < 6; ++k) {
        oben[k] = Knopf(int16_t(500 + k), int16_t(100 * k), 40, 20, Aufzeichnen);
        Menue_Screen_Icon_Hinzufuegen(&oben[k]);
    }
    s_icon& weiter = *Icon(Knopf(600, X - 20, Y - 10, 2, Aufzeichnen));
    Menue_Screen_Icon_Hinzufuegen(&weiter);
    Menue_Hook_Procedure(Loslassen, nullptr, 0, 0);

    struct Fall {
        const char* name;
        int32_t los_nach;   // -1: the release comes between two frames
    };
    const Fall faelle[] = {{"released between frames", -1}, {"released after the first icon", 0},
                           {"released after the fourth icon", 3}, {"released after the last icon but one", 5}};
    size_t erwartet = 0;
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        for (int n = 0; n < 3; ++n) Frame(0);   // the pointer rests on the button
        Frame(1, f.los_nach);                     // pressed; maybe released mid-frame
        for (int n = 0; n < 3; ++n) Frame(0);
        ++erwartet;
        ASSERT_EQ(ereignisse.size(), erwartet) << "the click counts once";
        EXPECT_EQ(ereignisse.back(), (Ereignis{600, EV_LINKS, 0}));
    }
    Menue_Hook_Procedure(Loslassen, nullptr, 1, 0);
}

}  // namespace
}  // namespace velmora::test
