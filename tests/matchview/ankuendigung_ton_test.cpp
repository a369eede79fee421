// tests/matchview/ankuendigung_ton_test.cpp - what the match-day pages sound
// like in a running game (the headless mixer, whose voices stand still until
// the test mixes them): a day whose only page is the winner's window plays its
// opening sound while the window stands; after a watched match, once its pages
// are clicked away, the stadium's sounds are gone and the menu's music plays.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/menue_requester.h"
#include "match/record/spielfeld_anzeige.h"
#include "matchview/ankuendigung.h"
#include "matchview/matchsound.h"
#include "media/sound.h"
#include "platform/audio.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "tests/support/ergebnisse.h"
#include "season/wettbewerb.h"
#include "tests/support/seiten_welt.h"

namespace velmora::test {
namespace {

// The sample slots whose voice plays now.
int32_t Slots_Hoerbar() {
    int32_t n = 0;
    for (int32_t i = 0; i < SOUND_SAMPLE_SLOTS; ++i)
        if (const Sound_Handle* h = Sound_Slot_Handle(i)) n += Audio_Kanal_Aktiv(h->channel) ? 1 : 0;
    return n;
}

struct SiegerStand {
    int32_t hoerbar = -1;
    int32_t modus = -1;
} g_sieger;

class AnkuendigungTon : public SeitenWelt {
protected:
    // A few frames after the page came: its run mode and its sounding slots.
    static void Hoeren_Wenn_Sie_Steht() {
        plan.push_back({[] {
                            g_sieger.hoerbar = Slots_Hoerbar();
                            g_sieger.modus = Kalender_Get_Runmodus();
                            return true;
                        },
                        3, -100, -100, 0, false, "steht"});
    }
};

TEST_F(AnkuendigungTon, AWinnerPageAloneSoundsWhileItStands) {
    g_sieger = SiegerStand{};
    erster_zug = [](int32_t team) {
        const int32_t w = Team_Get_Liga(team, 1);
        Ankuendigung_Setzen(w, team, -1, Wettbewerb_Get_Info(w)->modus, 0, 0, nullptr);
        ASSERT_TRUE(Ankuendigung_In_Buffer(ANK_SIEGER, 900));
    };
    plan.push_back({[] { return Ankuendigung_Aktiv() && Kalender_Get_Runmodus() == KALENDER_SIEGER; }, 3000, -100,
                    -100, 0, false, "sieger"});
    Hoeren_Wenn_Sie_Steht();
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(g_sieger.modus, KALENDER_SIEGER);
    EXPECT_EQ(g_sieger.hoerbar, 1) << "the winner's window stands silent";
}

struct NachSpielStand {
    int32_t bild = 0, frei = 0, menue_bilder = 0;
    bool live_gesehen = false, stadion_gehoert = false, ruhig = false;
    bool gemessen = false, wieder_gehoert = false;   // the next match sounds again
    int32_t stimmen = -1, musik_zustand = -1, set = -2;
    bool musik_hoerbar = false;
} stand;

// A match report opened from the menu: its first page sounds while it stands
// (the switch into the pages' run mode let it go on).
TEST_F(AnkuendigungTon, TheMatchReportsFirstPageSoundsWhileItStands) {
    g_sieger = SiegerStand{};
    erster_zug = [](int32_t team) {
        const int32_t w = Team_Get_Liga(team, 1);
        Runde_Setzen(w, 1);
        Ergebnis_Setzen(w, 1, 0, 0, {{0, 12}});
        const Spiel_Lock h = Spiele_Lock(w, 1, 0, 0);
        const AnkuendigungDaten d = Ankuendigung_Daten_Von_Spiel(h);
        Spiele_Unlock(h);
        Ankuendigung_Setzen(w, int32_t(d.heim), int32_t(d.gast), 1, 0, 0, &d);
        ASSERT_TRUE(Ankuendigung_In_Buffer(ANK_TORE, 1000));
    };
    plan.push_back({[] {
                        return Ankuendigung_Phase_Laeuft() && Ankuendigung_Art() == ANK_TORE &&
                               Kalender_Get_Runmodus() == KALENDER_ANKUENDIGUNG;
                    },
                    3000, -100, -100, 0, false, "tore"});
    Hoeren_Wenn_Sie_Steht();
    ASSERT_EQ(Abspielen(), "");
    ASSERT_EQ(g_sieger.modus, KALENDER_ANKUENDIGUNG);
    EXPECT_EQ(g_sieger.hoerbar, 1) << "the report's first page stands silent";
}

// One human manager plays on from the first day, every turn ended at once, a
// click every few frames taking each page away, until the first league match
// (watched live) is over and the menu of the next day stands; then on to the
// next match.
class NachDemSpielTon : public SeitenWelt {
protected:
    void SetUp() override {
        // What an earlier game of this program left watched or loaded.
        Spielfeld_Beobachtete_Loeschen();
        MatchSound_Free_Set();
        MatchSound_Free();
        ansicht = true;
        SeitenWelt::SetUp();
        // The installation's music, which the test installation leaves out.
        std::filesystem::copy_file(std::filesystem::path(VELMORA_INSTALL_RESFILE).parent_path() / SOUND_MUSIK_DATEI,
                                   std::filesystem::path(dirs.install) / SOUND_MUSIK_DATEI);
        stand = NachSpielStand{};
        Kalender_Hooks().maus_latch = Jedes_Bild;
        Kalender_Hooks().menue_frame.Anmelden(prio::MENUE_BILDSCHIRM + 40, Menue, "Zugende");
    }

    // A voice that is neither the music nor a sample slot's: the stadium's.
    static int32_t Stadion_Stimmen() {
        const SoundZustand z = Sound_Zustand();
        int32_t andere = z.musik && Audio_Kanal_Aktiv(z.musik->channel) ? 1 : 0;
        for (int32_t i = 0; i < SOUND_SAMPLE_SLOTS; ++i)
            if (const Sound_Handle* h = Sound_Slot_Handle(i)) andere += Audio_Kanal_Aktiv(h->channel) ? 1 : 0;
        return Audio_Kanaele_Aktiv() - andere;
    }
    static void Jedes_Bild() {
        ++stand.bild;
        const bool box = Kalender_Get_Runmodus() == KALENDER_MENUE && Menue_Requester_Offen();
        // While the menu is left alone a box is still answered: the news'
        // requests (an offer to a player, say) come in rounds, seconds into
        // the menu.
        Plat_Headless_Maus(box ? 690 : 400, box ? 421 : 300, (box || !stand.ruhig) && stand.bild % 4 < 2 ? 1 : 0);
        Maus_Tasten_Latch();
        if (!Spielfeld_Anzeige_Offen() || Kalender_Get_Runmodus() != KALENDER_SPIELTAG) return;
        stand.live_gesehen = true;
        if (!stand.gemessen) {
            stand.stadion_gehoert = stand.stadion_gehoert || Stadion_Stimmen() > 0;
        } else if (Stadion_Stimmen() > 0) {
            stand.wieder_gehoert = true;
            Programm_Beenden_Anfordern();
        }
    }
    // The menu after the match, left alone until the music's lowering after
    // the last sound is over (at most some thousand frames): what plays then.
    // Before that each turn ends a few frames after it began.
    static void Menue() {
        if (Menue_Requester_Offen()) {
            stand.frei = 0;
            return;
        }
        if (!stand.gemessen && stand.live_gesehen && Ankuendigung_Buffer_Leer() && !Ankuendigung_Phase_Laeuft()) {
            stand.ruhig = true;
            const SoundZustand z = Sound_Zustand();
            if ((z.duck > 0 || z.musik_volume == 0) && ++stand.menue_bilder < 5000) return;
            stand.stimmen = Stadion_Stimmen();
            stand.musik_zustand = z.musik_zustand;
            stand.musik_hoerbar = z.musik && Audio_Kanal_Aktiv(z.musik->channel) && z.musik_volume > 0;
            stand.set = MatchSound_Aktueller_Set();
            stand.gemessen = true;
            stand.ruhig = false;
            return;
        }
        if (++stand.frei > 2) {
            stand.frei = 0;
            K_NEUER_TAG(K_FERTIG, 0);
        }
    }
};

TEST_F(NachDemSpielTon, TheStadiumFallsSilentAfterTheMatchsPagesAndSoundsAgainAtTheNext) {
    plan.push_back({[] { return false; }, 1000000, -100, -100, 0, false, "bis nach dem spiel"});
    Abspielen(60000);
    ASSERT_TRUE(stand.live_gesehen) << "no match was watched";
    ASSERT_TRUE(stand.stadion_gehoert) << "the watched match was silent";
    ASSERT_GE(stand.stimmen, 0) << "the menu after the match was not reached";
    EXPECT_EQ(stand.stimmen, 0) << "the stadium's sounds play on in the menu";
    EXPECT_EQ(stand.set, -1) << "the crowd's sounds are still loaded";
    EXPECT_EQ(stand.musik_zustand, 1);
    EXPECT_TRUE(stand.musik_hoerbar) << "the menu's music did not come back";
    EXPECT_TRUE(stand.wieder_gehoert) << "the next watched match was silent";
}

}  // namespace
}  // namespace velmora::test
