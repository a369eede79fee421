// The option bar's tempo button: a hover icon whose handler runs every frame
// the pointer rests on it. Its state is the local manager's icon state, which
// a client writes on the server; it is written only when it changes.
#include <gtest/gtest.h>

#include "gui/icon.h"
#include "gui/menue.h"
#include "screens/menue_optionen.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"

namespace velmora::test {
namespace {

int32_t zustand = 0;
int32_t geschrieben = 0;

TEST(MenueOptionenTempo, TheStateIsWrittenOnlyWhenItChanges) {
    MenueHooks alt = Menue_Hooks();
    Menue_Hooks().icon_zustand = [](int32_t n) { return n == ICON_OPTION_TEMPO ? zustand : 0; };
    Menue_Hooks().icon_zustand_setzen = [](int32_t n, int32_t w) {
        if (n != ICON_OPTION_TEMPO) return;
        zustand = w;
        ++geschrieben;
    };
    Menue_Hooks().maus_klick = [] { return 0u; };
    Kalender_Set_Wartefenster(false);
    s_icon icon;
    icon.nummer = int16_t(ICON_OPTION_TEMPO);
    struct Fall {
        int32_t vorher;       // the stored state when the pointer arrives
        int32_t ereignis;     // each frame's event
        int32_t schreiben;    // state writes over 100 frames
    };
    const Fall faelle[] = {
        {0, 0, 0},              // resting on it: nothing to write, frame after frame
        {1, 0, 1},              // a state left on: cleared once
        {0, EV_VERLASSEN, 0},   // leaving it
    };
    for (const Fall& f : faelle) {
        zustand = f.vorher;
        geschrieben = 0;
        Kalender_Set_Tempo(1);
        for (int32_t frame = 0; frame < 100; ++frame) Menue_Optionen_Klick(&icon, f.ereignis);
        EXPECT_EQ(geschrieben, f.schreiben) << "state " << f.vorher << ", event " << f.ereignis;
        EXPECT_EQ(zustand, 0);
        EXPECT_EQ(Kalender_Get_Tempo(), 0) << "the calendar's tempo follows the button every frame";
    }
    Menue_Hooks() = alt;
}

}  // namespace
}  // namespace velmora::test
