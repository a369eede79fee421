// tests/business/training_fenster_test.cpp - the training window in a running
// game: opened by the training screen's start button, paid and running, a
// crash that injured the player, the result panel and the applied unit; a
// unit open when the screen comes back shows its window again. The learnt
// talent's film window keeps to the talent's segment.
#include "business/training_fenster.h"

#include <cstddef>
#include <string>
#include <vector>

#include "business/training.h"
#include "business/training_screen.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "core/bytes.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "media/film.h"
#include "media/video.h"
#include "platform/display.h"
#include "tests/screens/geld_welt.h"

namespace velmora::test {
namespace {

constexpr int32_t TEAM_X = 322, TRAINING_Y = 558;
constexpr int32_t START_X = 673, START_Y = 523;            // the training screen's start button
constexpr int32_t FENSTER_START_X = 480, KNOPF_Y = 454;    // the window's start/stop
constexpr int32_t ANWENDEN_X = 365;
constexpr int32_t FILM_OK_X = 515, FILM_OK_Y = 446;       // the learnt talent's film window's OK

std::vector<uint8_t> block;      // the unit while it ran
int32_t spieler = -1, einheiten = -1;

// The running unit turned into a crash that injured the player.
void Absturz_Setzen() {
    std::vector<uint8_t> b;
    Training_Save(b);
    ASSERT_EQ(b.size(), 4 + sizeof(Training_Sitzung));
    Bytes_Put32(b.data() + 4 + offsetof(Training_Sitzung, zustand), uint32_t(TR_ABSTURZ));
    Bytes_Put32(b.data() + 4 + offsetof(Training_Sitzung, folge), uint32_t(TR_FOLGE_VERLETZT));
    Bytes_Put32(b.data() + 4 + offsetof(Training_Sitzung, level), 0);
    ASSERT_TRUE(Training_Load(b.data(), b.size()));
    Spieler_Wert(SPW_VERLETZUNG, spieler, 0, OP_SCHREIBEN);
    Spieler_Wert(SPW_VERLETZUNG_TAGE, spieler, 3, OP_SCHREIBEN);
}

bool Gesperrt(int32_t nummer) {
    const s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    return i && (i->Status & ICON_ST_GESPERRT);
}

bool Versteckt(int32_t nummer) {
    const s_icon* i = Menue_Screen_Icon_Aus_Nummer(nummer);
    return i && (i->Status & ICON_ST_VERSTECKT);
}

// Every button shown lies clear of every film playing (a film is copied over
// the finished screen and would hide it).
void Knoepfe_Frei() {
    for (int32_t n : {ICON_TRF_SICHER, ICON_TRF_START, ICON_TRF_ANWENDEN, ICON_TRF_SCHLIESSEN}) {
        const s_icon* k = Menue_Screen_Icon_Aus_Nummer(n);
        if (!k || Versteckt(n)) continue;
        for (int32_t i = 0; i < BINK_SLOTS; ++i) {
            const BINK_VIDEO* v = Bink_Slot(i);
            if (!v || v->slot < 0) continue;
            EXPECT_FALSE(v->x < k->x + k->br && k->x < v->x + v->breite && v->y < k->y + k->ho && k->y < v->y + v->hoehe)
                << "button " << n << " under the film " << v->label;
        }
    }
}

int32_t g_noetig = 0;

class TrainingFenster : public GeldWelt {
protected:
    // The training screen, its selected player's talent at 2 points of a
    // requirement of `noetig`, and the start button that opens the window.
    void Bis_Zum_Fenster(int32_t noetig) {
        g_noetig = noetig;
        skript = {{4, 30, 300, 0, false}};
        Menue_Eintrag(skript, TEAM_X, TRAINING_Y);
        skript.push_back({1, 30, 300, 0, false, 0, [] {
            const TrainingStand st = Training_Screen_Stand();
            const int32_t lernt = Attribute_Anzahl(st.spieler);
            const int32_t t = lernt >= 0 ? lernt : st.k.akt;
            ASSERT_GE(t, 0);
            Spieler_Wert(t, st.spieler, 2, OP_SCHREIBEN);
            AttributDaten d = *Attribut_Daten(t);
            d.noetige_punkte = g_noetig;
            ASSERT_TRUE(Attribut_Daten_Setzen(t, d));
        }});
        Klicken(skript, START_X, START_Y, 10);
    }
};

TEST_F(TrainingFenster, AUnitRunsCrashesShowsItsResultAndComesBackWithTheScreen) {
    // The selected player's talent starts far from a raised requirement: the unit runs on, past a hundred points.
    Bis_Zum_Fenster(400);
    skript.push_back({1, 30, 300, 0, false, 0, [] {
        ASSERT_TRUE(Training_Fenster_Offen());
        const Training_Sitzung* s = Training_Sitzung_Holen();
        ASSERT_NE(s, nullptr);
        spieler = s->spieler;
        einheiten = Spieler_Wert(SPW_TRAINING_EINHEITEN, spieler, 0, OP_LESEN);
        EXPECT_EQ(s->zustand, TR_BEREIT);
        EXPECT_TRUE(Gesperrt(ICON_TRF_ANWENDEN)) << "apply waits for the unit's end";
        EXPECT_FALSE(Gesperrt(ICON_TRF_SCHLIESSEN));
        // No film before the start: the film's well shows the talent's picture, not an empty box.
        const std::vector<uint16_t>& bild = Plat_Headless_Bild();
        const uint16_t grund = bild[size_t(240 * 800 + 569)];
        int32_t anders = 0;
        for (int32_t y = 240; y < 382; ++y)
            for (int32_t x = 569; x < 761; ++x) anders += bild[size_t(y * 800 + x)] != grund;
        EXPECT_GT(anders, 1000);
    }});
    Klicken(skript, FENSTER_START_X, KNOPF_Y, 150);
    skript.push_back({1, 400, 80, 0, true, 0, [] {
        const Training_Sitzung* s = Training_Sitzung_Holen();
        ASSERT_NE(s, nullptr);
        EXPECT_NE(s->zustand, TR_BEREIT) << "paid and running";
        EXPECT_TRUE(Gesperrt(ICON_TRF_SCHLIESSEN)) << "no closing once paid";
        EXPECT_GT(s->punkte, 0);
        EXPECT_GE(Training_Fenster_Balken().hunderter, 1);
        EXPECT_TRUE(Versteckt(ICON_TRF_ANWENDEN)) << "apply, unlabelled until the unit ends, is not shown";
        EXPECT_FALSE(Versteckt(ICON_TRF_SCHLIESSEN));
        Knoepfe_Frei();
        block.clear();
        Training_Save(block);
        Absturz_Setzen();
    }});
    skript.push_back({3, 400, 80, 0, false});
    skript.push_back({1, 400, 80, 0, true, 0, [] {
        EXPECT_FALSE(Gesperrt(ICON_TRF_ANWENDEN)) << "the crash panel hands over to apply";
        EXPECT_TRUE(Gesperrt(ICON_TRF_START));
        EXPECT_FALSE(Versteckt(ICON_TRF_ANWENDEN));
        EXPECT_TRUE(Versteckt(ICON_TRF_START) && Versteckt(ICON_TRF_SICHER)) << "their labels emptied";
        Knoepfe_Frei();
    }});
    Klicken(skript, ANWENDEN_X, KNOPF_Y, 3);
    skript.push_back({2, 400, 80, 0, false});
    skript.push_back({1, 400, 80, 0, true, 0, [] {
        const Training_Sitzung* s = Training_Sitzung_Holen();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->zustand, TR_ENDE) << "the crash acknowledged: the result";
    }});
    Klicken(skript, ANWENDEN_X, KNOPF_Y, 3);
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Training_Sitzung_Holen(), nullptr);
        EXPECT_FALSE(Training_Fenster_Offen());
        EXPECT_TRUE(Training_Screen_Offen());
        EXPECT_EQ(Spieler_Wert(SPW_TRAINING_EINHEITEN, spieler, 0, OP_LESEN), einheiten + 1);
        // A unit open (a loaded game) comes back on the start button, not refused.
        ASSERT_TRUE(Training_Load(block.data(), block.size()));
        Training_Start_Klick();
        ASSERT_TRUE(Training_Fenster_Offen());
        EXPECT_TRUE(Gesperrt(ICON_TRF_SCHLIESSEN));
        EXPECT_NE(Training_Sitzung_Holen()->zustand, TR_BEREIT);
        Training_Stop();
    }});
    skript.push_back({3, 400, 80, 0, false, 0, [] {
        EXPECT_EQ(Training_Sitzung_Holen()->zustand, TR_ENDE) << "stopped: the result waits";
    }});
    ASSERT_TRUE(Spielen());
    EXPECT_EQ(Vergleichen("training_fenster_laeuft", 0), "");
    EXPECT_EQ(Vergleichen("training_fenster_verletzt", 1), "");
    EXPECT_EQ(Vergleichen("training_fenster_ergebnis", 2), "");
}

// A learnt talent: its film plays over the result and, once at its end,
// stays on its last frame ("Talent erlernt!") instead of leaving the window's
// frame empty; closed, it leaves the result with the talent's picture.
TEST_F(TrainingFenster, TheLearntTalentsFilmStaysOnItsLastFrame) {
    Bis_Zum_Fenster(6);   // learnt with the unit's first points
    Klicken(skript, FENSTER_START_X, KNOPF_Y, 200);
    skript.push_back({1, 400, 80, 0, true, 0, [] { EXPECT_TRUE(Attr_Film_Offen()) << "the talent was learnt"; }});
    // A long frame (a window on a busy machine): the film ran past the frame
    // it stays on before the window drew again.
    skript.push_back({10, 400, 80, 0, false});
    skript.push_back({1, 400, 80, 0, false, 0, [] {
        const Training_Sitzung* s = Training_Sitzung_Holen();
        ASSERT_NE(s, nullptr);
        for (int32_t i = 0; i < BINK_SLOTS; ++i) {
            BINK_VIDEO* v = Bink_Slot_Video(i);
            if (!v || !v->label || std::string(v->label) != "Attr_Film") continue;
            const int32_t n = Film_Bilder(v->video);
            bool halten = false;
            Bnk_GotoV(v, Attr_Film_Sprung(n, s->talent, n, &halten) + 4);
            return;
        }
        ADD_FAILURE() << "no learnt talent's film";
    }});
    skript.push_back({3, 400, 80, 0, false});
    skript.push_back({1, 400, 80, 0, true});
    skript.push_back({600, 400, 80, 0, false});   // long past the film's end
    skript.push_back({1, 400, 80, 0, true});
    Klicken(skript, FILM_OK_X, FILM_OK_Y, 20);
    skript.push_back({1, 400, 80, 0, true, 0, [] {
        EXPECT_FALSE(Attr_Film_Offen());
        const Training_Sitzung* s = Training_Sitzung_Holen();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->zustand, TR_ENDE);
    }});
    ASSERT_TRUE(Spielen());
    ASSERT_EQ(fotos.size(), 4u);
    EXPECT_EQ(Vergleichen("training_fenster_gelernt_film", 0), "");
    EXPECT_EQ(Vergleichen("training_fenster_gelernt_ende", 1), "");
    EXPECT_EQ(Vergleichen("training_fenster_gelernt_ende", 2), "");
    EXPECT_EQ(Vergleichen("training_fenster_gelernt", 3), "");
}

// The learnt talent's film: the opening runs to frame 125, jumps to the
// talent's 48 frames and stays on their last; a short film stays on its last.
TEST(AttrFilm, KeepsToTheTalentsSegment) {
    struct Fall {
        int32_t bild, talent, letztes, sprung;
        bool halten;
    } faelle[] = {
        {100, 3, 2717, -1, false},  {125, 3, 2717, 270, false}, {300, 3, 2717, -1, false},
        {317, 3, 2717, 317, true},  {125, 0, 2717, 126, false}, {2717, 53, 2717, 2717, true},
        {2700, 53, 2717, -1, false}, {125, 10, 300, 300, false}, {300, 10, 300, 300, true},
    };
    for (const Fall& f : faelle) {
        bool halten = false;
        EXPECT_EQ(Attr_Film_Sprung(f.bild, f.talent, f.letztes, &halten), f.sprung) << f.bild << " " << f.talent;
        EXPECT_EQ(halten, f.halten) << f.bild << " " << f.talent;
    }
    EXPECT_FALSE(Attr_Film(-1, 54)) << "no talent 54";
}

}  // namespace
}  // namespace velmora::test
