// Timed picture animations on the virtual clock: the frames a run shows, its
// end or loop, a frame rate slower than the interval, a full array, a stopped
// slot, missing pictures and counts outside the array.
#include "gui/anim_liste.h"

#include <vector>

#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

class AnimListe : public MenueWelt {
protected:
    // Calls the drawing `aufrufe` times, `ms` apart; the frames drawn, -1 once the slot is free.
    std::vector<int32_t> Spielen(std::span<Anim_Slot> slots, int32_t i, int32_t aufrufe, uint32_t ms) {
        std::vector<int32_t> gezeigt;
        for (int32_t k = 0; k < aufrufe; ++k) {
            gezeigt.push_back(Anim_Liste_Aktiv(slots, i) ? Anim_Liste_Bild(slots, i) : -1);
            Anim_Liste_Zeichnen(slots, int32_t(slots.size()));
            Plat_Uhr_Vorstellen(ms);
        }
        return gezeigt;
    }
};

std::vector<int32_t> Folge(int32_t von, int32_t bis) {
    std::vector<int32_t> v;
    for (int32_t k = von; k <= bis; ++k) v.push_back(k);
    return v;
}

TEST_F(AnimListe, ARunShowsItsFramesOnceOrInALoopOneStepPerCall) {
    struct Fall {
        const char* name;
        int32_t anzahl, intervall, schleife, zurueck;
        uint32_t takt;   // ms between two drawing calls
        int32_t aufrufe;
        std::vector<int32_t> erwartet;
    };
    // Frame 0 is drawn in the call that starts it and held through the first interval.
    std::vector<int32_t> einmal{0};
    for (int32_t v : Folge(0, 28)) einmal.push_back(v);
    for (int32_t k = 0; k < 3; ++k) einmal.push_back(-1);
    const Fall faelle[] = {
        {"30 frames at 50 ms, every 50 ms: 0 to 28, free after 29 steps", 30, 50, 0, 0, 50, 33, einmal},
        {"a loop back to 0 shows 0 to anzahl - 2", 5, 50, 1, 0, 50, 9, {0, 0, 1, 2, 3, 0, 1, 2, 3}},
        {"a loop back to frame 2", 5, 50, 1, 2, 50, 9, {0, 0, 1, 2, 3, 2, 3, 2, 3}},
        {"calls 20 ms apart: a frame stays for its interval", 4, 50, 0, 0, 20, 11, {0, 0, 0, 0, 1, 1, 1, 2, 2, 2, -1}},
        {"calls 120 ms apart: slower, never skipping", 5, 50, 0, 0, 120, 6, {0, 0, 1, 2, 3, -1}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Anim_Slot slots[1];
        Anim_Liste_Init(slots, 1);
        ASSERT_EQ(Anim_Liste_Neu(slots, 1, 10, 10, BILD_HINTERGRUND, f.anzahl, f.intervall, f.schleife, f.zurueck), 0);
        EXPECT_EQ(Spielen(slots, 0, f.aufrufe, f.takt), f.erwartet);
    }
}

TEST_F(AnimListe, AFullArrayRefusesAStoppedSlotIsGoneAndBadCountsChangeNothing) {
    Anim_Slot slots[3];
    Anim_Liste_Init(slots, 3);
    EXPECT_EQ(Anim_Liste_Neu(slots, 3, 0, 0, BILD_KNOPF, 4, 100, 1, 0), 0);
    EXPECT_EQ(Anim_Liste_Neu(slots, 3, 0, 0, BILD_KNOPF, 4, 100, 1, 0), 1);
    // Only the first two slots are offered: they run, so nothing starts.
    EXPECT_EQ(Anim_Liste_Neu(slots, 2, 5, 5, BILD_KREIS, 9, 10, 0, 0), -1);
    EXPECT_FALSE(Anim_Liste_Aktiv(slots, 2));
    EXPECT_EQ(slots[2].erstes, -1);
    // One slot cleared stops at once and is offered again.
    Anim_Liste_Init(std::span(slots).subspan(1), 1);
    EXPECT_FALSE(Anim_Liste_Aktiv(slots, 1));
    EXPECT_EQ(Anim_Liste_Neu(slots, 3, 0, 0, BILD_KREIS, 4, 100, 0, 0), 1);
    // Counts and indexes beyond the array: a debug line, nothing changed.
    log.clear();
    const Anim_Slot vorher = slots[0];
    Anim_Liste_Init(slots, 4);
    EXPECT_EQ(Anim_Liste_Neu(slots, 5, 0, 0, BILD_KREIS, 4, 100, 0, 0), -1);
    Anim_Liste_Zeichnen(slots, -1);
    EXPECT_FALSE(Anim_Liste_Aktiv(slots, 3));
    EXPECT_EQ(Anim_Liste_Bild(slots, -1), -1);
    EXPECT_EQ(Anzahl_Geloggt("Anim_Liste_"), 5);
    EXPECT_EQ(slots[0].aktiv, vorher.aktiv);
    EXPECT_EQ(slots[0].erstes, vorher.erstes);
}

TEST_F(AnimListe, FramesAreDrawnInSlotOrderAndAMissingPictureIsSkippedWithOneLine) {
    Anim_Slot slots[2];
    Anim_Liste_Init(slots, 2);
    // Slot 0 shows the grey button, slot 1 the red disc over it: the later slot lies on top.
    ASSERT_EQ(Anim_Liste_Neu(slots, 2, 100, 100, BILD_KNOPF, 3, 50, 1, 0), 0);
    ASSERT_EQ(Anim_Liste_Neu(slots, 2, 100, 100, BILD_KREIS, 2, 50, 1, 0), 1);
    Rastport_Fill(Rastport_Target(), 0, 0, -1, -1, 0, nullptr);
    Anim_Liste_Zeichnen(slots, 2);
    EXPECT_EQ(Pixel(120, 120), Farbe(230, 30, 30));
    EXPECT_EQ(Pixel(170, 110), Farbe(180, 180, 180));
    // A run past the file's last picture: nothing drawn, one line, the frames go on.
    log.clear();
    Anim_Liste_Init(slots, 2);
    ASSERT_EQ(Anim_Liste_Neu(slots, 2, 300, 300, BILD_KLEIN + 1, 4, 50, 0, 0), 0);
    Rastport_Fill(Rastport_Target(), 0, 0, -1, -1, 0, nullptr);
    EXPECT_EQ(Spielen(slots, 0, 5, 50), (std::vector<int32_t>{0, 0, 1, 2, -1}));
    EXPECT_EQ(Pixel(305, 305), 0);
    EXPECT_EQ(Anzahl_Geloggt("Anim_Liste_Zeichnen: Bild"), 1);
}

}  // namespace
}  // namespace velmora::test
