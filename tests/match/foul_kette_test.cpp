// A foul in a live match from the tackle to open play again: the duel pass
// whistles it, the tick's countdown blows the whistle, the referee awards a
// penalty (foul in the area) taken from the spot, or a free kick (outside)
// with a wall, the restart script kicks the ball and play goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/rnd.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/live/figur_bewegen.h"
#include "match/live/spielfeld_besitz.h"
#include "match/live/spielfeld_zweikampf.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_pruefen.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"
#include "tests/core/temp_verz.h"
#include "tests/match/spieltag_welt.h"

namespace velmora::test {
namespace {

int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

// Foul events reported for the match, by the game they belong to.
std::vector<int32_t>& Foul_Meldungen() {
    static std::vector<int32_t> m;
    return m;
}

// What the chain went through for one record.
struct Verlauf {
    bool pfiff = false;        // the restart state was entered
    bool am_punkt = false;     // penalty: the ball lay on the spot
    bool mauer = false;        // free kick: a wall stood (codes 29-35)
    bool getreten = false;     // the ball left the restart place
    bool offen = false;        // open play again
    bool gemeldet = false;     // the foul reached the match report (the card decision ran)
    int32_t frames = 0;
    std::string fehler;        // a broken rule, "" none
};

class FoulKetteTest : public ::testing::Test {
protected:
    velmora_test::TestWelt dirs;
    Spielfeld_Satz* s = nullptr;
    void SetUp() override { ASSERT_TRUE(dirs.ok); }
    void TearDown() override { Spieltag_Welt_Ende(); }

    // A live day started and its first live record played into open play.
    void Offenes_Spiel() {
        ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
        Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
        ASSERT_TRUE(Spieltag_Start());
        ASSERT_TRUE(Spieltag_Frame());
        s = Spielfeld_Naechster(nullptr);
        while (s && s->live != 1) s = Spielfeld_Naechster(s);
        ASSERT_NE(s, nullptr);
        for (int32_t i = 0; i < 3000 && !(s->spielzustand == SZ_SPIEL && s->minute >= 2); ++i)
            ASSERT_TRUE(Spieltag_Frame());
        ASSERT_EQ(s->spielzustand, SZ_SPIEL);
    }

    // Nobody holds the ball.
    void Halter_Loesen_Fuer_Test() {
        Ballbesitz_Setzen(s, -1);
        s->ballhalter = -1;
    }

    // The last field player of a side on the pitch, -1 none.
    int32_t Feldspieler(int32_t seite) {
        int32_t gefunden = -1;
        for (int32_t slot = seite * SF_SPIELER_SEITE; slot < (seite + 1) * SF_SPIELER_SEITE; ++slot)
            if ((s->spieler[slot].zustand & SM_AUF_PLATZ) && !s->figur[slot].torwart) gefunden = slot;
        return gefunden;
    }

    // A holder of the attacking side 1 at (x, y), running at the goal it
    // attacks, tackled from behind by a defender of side 0 under a referee
    // who sees every foul. Tried over start indices until one whistles a foul
    // that is no dive and injures nobody (with `verletzt`, one that injures
    // the fouled player). False when none does.
    bool Foul_Stellen(float x, float y, bool verletzt = false) {
        const Spielfeld_Satz vorher = *s;
        const float richtung = float(s->tor_x[1]) > SPIELFELD_MITTE_X ? 1.0f : -1.0f;
        const int32_t taeter = Feldspieler(0), opfer = Feldspieler(1);
        if (taeter < 0 || opfer < 0) return false;
        for (int32_t index = 0; index < 400; ++index) {
            *s = vorher;
            Figur& b = s->figur[FIGUR_BALL];
            b.pos[0] = x;
            b.pos[1] = y;
            b.pos[2] = 0;
            b.v[0] = b.v[1] = b.v[2] = 0;
            for (int32_t slot : {taeter, opfer}) {
                Figur& f = s->figur[slot];
                SetAnim(s, slot, int32_t(slot == opfer ? x : x - 20 * richtung), int32_t(y), 0);
                f.situation = 0;
                f.v[0] = f.v[1] = 0;
                Figur_Ballsperre_Setzen(&f, 0);
            }
            s->figur[opfer].v[0] = 300 * richtung;
            // The defender slides in from behind.
            SetZSA(s, taeter, int32_t(x + 100 * richtung), int32_t(y), 0, 400, ANIM_GRAETSCHEN, 0, -1, 0, -1, 1, 1,
                   RING_OHNE_PRUEFUNG, 0, 0);
            Ballbesitz_Setzen(s, opfer);
            s->ballkontrolle = 1;
            s->taktik[1][3] = 0;   // never dives
            s->spieler[taeter].werte[32] = 0;
            s->strenge[1] = uint8_t(int8_t(-99));
            s->strenge[0] = uint8_t(int8_t(-99));
            Rnd_Set_Index(index, 0);
            Ballkontakt_Liste l;
            l.anzahl = 2;
            l.slot[0] = taeter;
            l.slot[1] = opfer;
            l.abstand[0] = 20;
            l.abstand[1] = 0;
            Spielfeld_Zweikampf_Paare(s, l);
            if (s->fouls > vorher.fouls && s->foul_countdown > 0 && s->situation_figur[1] == opfer &&
                s->spielzustand == (verletzt ? SZ_VERLETZUNG : SZ_SPIEL))
                return true;
        }
        *s = vorher;
        return false;
    }

    // The whole chain for a foul `abstand` cm in front of the goal side 1
    // attacks, at y: the restart `zustand` is whistled, taken and play goes on.
    Verlauf Kette(float abstand, float y, uint32_t zustand) {
        Offenes_Spiel();
        if (::testing::Test::HasFatalFailure()) return {};
        const float gx = float(s->tor_x[1]);
        EXPECT_TRUE(Foul_Stellen(gx > SPIELFELD_MITTE_X ? gx - abstand : gx + abstand, y));
        Foul_Meldungen().clear();
        const auto vorher = Spielfeld_Hooks().spiel_ereignis;
        Spielfeld_Hooks().spiel_ereignis = [](int32_t spiel, uint32_t art, int32_t, int32_t, int32_t) {
            if (art & EREIGNIS_FOUL) Foul_Meldungen().push_back(spiel);
        };
        Verlauf v = Bis_Zum_Spiel(zustand);
        Spielfeld_Hooks().spiel_ereignis = vorher;
        v.gemeldet = std::count(Foul_Meldungen().begin(), Foul_Meldungen().end(), int32_t(s->spiel)) == 1;
        EXPECT_TRUE(v.gemeldet) << "the whistled foul is reported once, with the referee's card decision";
        EXPECT_EQ(v.fehler, "");
        EXPECT_TRUE(v.pfiff) << "not whistled after " << v.frames << " frames";
        EXPECT_TRUE(v.offen) << "not taken in " << v.frames << " frames";
        EXPECT_TRUE(v.getreten);
        return v;
    }

    // Plays frames under the checker until the record is back in open play
    // after the restart `zustand`.
    Verlauf Bis_Zum_Spiel(uint32_t zustand) {
        Verlauf v;
        Spielfeld_Pruefstand stand{};
        const Spielfeld_Konstanten& k = Spielfeld_Get_Konstanten();
        float ort[2] = {0, 0};
        for (; v.frames < 6000; ++v.frames) {
            if (!Spieltag_Frame()) break;
            if (const char* f = Spielfeld_Pruefen(s, Wettbewerb_Anz_Spielabschnitte(int32_t(s->wettbewerb)), &stand)) {
                v.fehler = f;
                break;
            }
            const Figur& b = s->figur[FIGUR_BALL];
            if (s->spielzustand == zustand) {
                v.pfiff = true;
                if (b.v[0] == 0 && b.v[1] == 0) {   // where the ball lies for the kick
                    ort[0] = b.pos[0];
                    ort[1] = b.pos[1];
                }
                const int32_t h = b.pos[0] > SPIELFELD_MITTE_X ? 1 : 0;
                if (b.pos[0] == float(k.elfmeter_x[h]) && b.pos[1] == float(k.elfmeter_y[h])) v.am_punkt = true;
                for (int32_t slot = 0; slot < SF_SPIELER_SEITE; ++slot) {
                    const uint8_t c = s->figur[slot].situation;
                    if (c >= 29 && c <= 35) v.mauer = true;   // placed in the wall, or standing in it
                }
            }
            if (v.pfiff && s->spielzustand == SZ_SPIEL) {
                v.offen = true;
                v.getreten = std::hypot(b.pos[0] - ort[0], b.pos[1] - ort[1]) > 100;
                // A few frames more: the taker holds the ball until his
                // decision timer runs out (up to two seconds), then plays it.
                for (int32_t i = 0; i < 60 && !v.getreten && Spieltag_Frame(); ++i)
                    v.getreten = std::hypot(b.pos[0] - ort[0], b.pos[1] - ort[1]) > 100;
                break;
            }
        }
        return v;
    }
};

TEST_F(FoulKetteTest, AFoulInTheAreaIsAPenaltyTakenFromTheSpot) {
    const Verlauf v = Kette(700, 3300, SZ_ELFMETER);   // 700 cm out, in front of goal
    EXPECT_TRUE(v.am_punkt);
    EXPECT_FALSE(v.mauer);
}

TEST_F(FoulKetteTest, AFoulOutsideTheAreaIsAFreeKickWithAWall) {
    const Verlauf v = Kette(2300, 3400, SZ_FREISTOSS);   // outside the area, within shooting range
    EXPECT_FALSE(v.am_punkt);
    EXPECT_TRUE(v.mauer);
}

// A fall that injures: the play stops, the fouled player rolls and gets up,
// and either plays on or, hurt, walks off with the injury recorded while a
// substitute comes on; then the free kick is taken. The roll once never ran
// (an order timed by a speed of 0) and the stoppage lasted to the day's end.
TEST_F(FoulKetteTest, AFallThatInjuresGoesThroughTheInjuryScriptAndPlayGoesOn) {
    ASSERT_NO_FATAL_FAILURE(Offenes_Spiel());
    const float gx = float(s->tor_x[1]);
    const int32_t opfer = Feldspieler(1);
    ASSERT_TRUE(Foul_Stellen(gx > SPIELFELD_MITTE_X ? gx - 2300 : gx + 2300, 3400, true));
    bool gerollt = false, entschieden = false, ersatz = false, verletzung = false;
    int32_t frames = 0;
    for (; frames < 6000 && Spieltag_Frame(); ++frames) {
        const Figur& f = s->figur[opfer];
        const int32_t anim = Figur_Aktuelle_Anweisung(const_cast<Figur*>(&f))->anim;
        gerollt = gerollt || (f.situation == 45 && (anim == 70 || anim == 139));
        entschieden = entschieden || f.situation == 46 || (gerollt && f.situation == 0);
        verletzung = verletzung || f.situation == 46;
        for (int32_t slot = SF_SPIELER_SEITE; slot < SF_SPIELER; ++slot)
            ersatz = ersatz || s->figur[slot].situation == 36 || s->figur[slot].situation == 37;
        // A hurt player's substitute comes on at the stoppage that follows.
        if (entschieden && s->spielzustand == SZ_SPIEL && (!verletzung || ersatz)) break;
    }
    EXPECT_TRUE(gerollt) << "the fouled player rolls on the ground";
    EXPECT_TRUE(entschieden) << "the injury decision after the roll, within " << frames << " frames";
    EXPECT_EQ(s->spielzustand, SZ_SPIEL) << "play goes on";
    if (verletzung) {
        EXPECT_EQ(s->figur[opfer].gezeichnet, 0) << "the hurt player has left the pitch";
        EXPECT_TRUE(ersatz) << "a substitute comes on for him";
    } else {
        EXPECT_NE(s->figur[opfer].gezeichnet, 0) << "not hurt, he plays on";
    }
}

// A ball that dies just over a goal line, beside the goal, is still
// restarted: a goal kick or a corner follows within a few frames.
TEST_F(FoulKetteTest, ABallDeadOverTheGoalLineIsRestarted) {
    ASSERT_NO_FATAL_FAILURE(Offenes_Spiel());
    Halter_Loesen_Fuer_Test();
    Figur& b = s->figur[FIGUR_BALL];
    b.pos[0] = -18;
    b.pos[1] = 2755;
    b.pos[2] = 0;
    b.v[0] = b.v[1] = b.v[2] = 0;
    Anweisung& a = *Figur_Aktuelle_Anweisung(&b);
    a.tempo = 0;
    a.vz = 0;
    s->ball_linie = BALL_TORAUS;
    bool neustart = false;
    for (int32_t i = 0; i < 50 && !neustart && Spieltag_Frame(); ++i)
        neustart = s->spielzustand == SZ_ABSTOSS || s->spielzustand == SZ_ECKE;
    EXPECT_TRUE(neustart) << "play state " << s->spielzustand;
}

}  // namespace
}  // namespace velmora::test
