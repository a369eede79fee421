// A client's view of its live match across a re-fetch of the record: the
// match day frees the record the view was handed and hands the views the new
// one through the composition root. A view left on the freed record reads
// freed memory at the next commentary line (ASan) and no longer names the
// match it shows. The manager's input not yet sent survives the fetch.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/verdrahtung.h"
#include "core/res.h"
#include "gfx/font.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "match/record/spielfeld_sync.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/spielansicht.h"
#include "net/internet.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "screens/regler.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "shell/maus.h"
#include "tests/bilder/bild_support.h"
#include "tests/match/spieltag_welt.h"
#include "tests/net/net_test_hilfe.h"

namespace velmora::test {
namespace {

int32_t Schalter_Live(int32_t w, int32_t schalter) { return schalter == 5 ? 1 : Wettbewerb_Get_Schalter(w, schalter); }

// What the test's server answers to a fetch (request 1032): this record.
std::unique_ptr<Spielfeld_Satz> g_antwort;
int32_t Antwort_1032(Internet_Aufruf& aufruf) {
    uint32_t n = 0;
    std::memcpy(aufruf.Ergebnis(0, &n), g_antwort.get(), sizeof *g_antwort);
    const int32_t zuschauer = 20000;
    std::memcpy(aufruf.Ergebnis(4, &n), &zuschauer, 4);
    return 1;
}

TEST(SpielansichtNetz, AReFetchedRecordReachesTheViewsAndTheFreedOneIsNeverRead) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Spieltag_Welt_Bauen(dirs.install, true, 7));
    // The views' binding of the root on top of the match day's.
    Spiel_Entdrahten();
    VerdrahtungOptionen v;
    v.nur = {"Spielfeld", "Spieltag", "Ansicht"};
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
    Spieltag_Hooks().heute_spielende_wettbewerbe = Heute_Wettbewerbe;
    Spieltag_Hooks().heutige_spiele = Heute_Spiele;
    Spielfeld_Hooks().wettbewerb_schalter = Schalter_Live;
    ASSERT_TRUE(Spieltag_Start());
    for (int32_t f = 0; f < 200; ++f) ASSERT_TRUE(Spieltag_Frame());
    Spielfeld_Satz* live = nullptr;
    for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s && !live; s = Spielfeld_Naechster(s))
        if (s->live == 1 && s->minute > 0) live = s;
    ASSERT_NE(live, nullptr);
    g_antwort = std::make_unique<Spielfeld_Satz>(*live);
    const SpielDatensatz* sp = Spiele_Get_Spiel(int32_t(live->spiel), 0);
    ASSERT_NE(sp, nullptr);
    const int32_t w = sp->wettbewerb, r = sp->runde, p = sp->paarung, t = sp->spieltag;
    const int32_t team = int32_t(live->team[0]);

    // This machine becomes the client of that match: its table holds only its
    // slot, its record the one fetched.
    Testnetz netz;
    bool ok = false;
    NetKontext* client = netz.Client(&ok);
    ASSERT_TRUE(ok);
    {
        ImKontext im(netz.server);
        for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s)
            if (Net_Slot(s) && Net_Slot(s)->zustand == 1) Net_Slot_Team_Setzen(s, team);
    }
    NetKontext* vorher = Net_Kontext_Setzen(client);
    Client_Team_Setzen(team);
    Net_Hooks().sync_vom_client = nullptr;   // the minute packets find no server match here
    Internet_Server_Abmelden(ANFRAGE_SPIELFELD_HOLEN);
    ASSERT_TRUE(Internet_Server_Anmelden(ANFRAGE_SPIELFELD_HOLEN, SPIELFELD_HOLEN_TYP, Antwort_1032));
    ASSERT_TRUE(Spieltag_Init());
    const Spiel_Lock spiel = Spiele_Lock(w, r, p, t);
    ASSERT_GT(spiel, 0);
    Spieltag_Slot slot{};
    slot.spiel = int16_t(spiel);
    slot.status = SLOT_LAEUFT;
    slot.bereit[0] = slot.bereit[1] = 2;
    ASSERT_TRUE(Spieltag_Client_Slot_Setzen(slot));
    Spielfeld_Satz erst = *g_antwort;
    ASSERT_TRUE(Spielfeld_Geholt_Einsetzen(spiel, erst, 20000));
    Spielfeld_Satz* alt = Spielfeld_Suchen(spiel);
    ASSERT_NE(alt, nullptr);

    // The view shows the record.
    auto bild = std::make_unique<BildInstallation>(2, 2);
    bild->Erzeugte_Datei(12, "stadion_gfx.res");
    bild->Erzeugte_Datei(13, "rasen_hg.res");
    bild->Erzeugte_Datei(17, "stadion_sprites.res");
    bild->Erzeugte_Datei(19, "stadion_menue.res");
    const int32_t font_slot = Res_Open((std::string(VELMORA_INSTALL_RESFILE) + "/fontres.res").c_str(), 0);
    Font_Free_Set();
    ASSERT_EQ(Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL), 1);
    Ansicht_Zufall_Setzen(1);
    Spielfeld_Ansicht_Einstellung anzeige{};
    anzeige.frame_intervall = 45;
    for (int32_t i = 0; i < 3; ++i) MatchView_Frame(&alt, 1, anzeige, false);
    ASSERT_EQ(MatchView_Current(), alt);

    // The lock-step found a drift: the walk fetches the record again. The
    // walk's own view step stays out, as when a commentary line of the
    // match's tick comes before it.
    Spieltag_Hooks().ansicht_frame = nullptr;
    // The manager has just raised a slider: the input waits in the edit copy
    // for the minute change, and must outlive the fetch.
    const int32_t seite = Spielfeld_Seite_Von_Team(alt, team);
    ASSERT_GE(seite, 0);
    ReglerStand regler;
    const int32_t knopf = ICON_REGLER_MINUS + 2 * 3 + (alt->e_taktik[seite][2] >= 100 ? 0 : 1);
    ASSERT_TRUE(Regler_Klick(alt, seite, knopf, Plat_Ms(), &regler));
    const int8_t taktik = alt->e_taktik[seite][2];
    const uint8_t aenderung = alt->e_aenderung[seite];
    ASSERT_NE(aenderung, 0);
    ASSERT_NE(g_antwort->e_taktik[seite][2], taktik);
    Spielfeld_Resync_Setzen(true);
    const uint32_t abrufe = Sync_Zaehler_Lesen().abrufe;
    // The fetch goes out and the walk goes on: nothing waits for its answer,
    // and the record plays no frame until the fetched one replaces it.
    Spieltag_Run(0);
    ASSERT_EQ(Spielfeld_Abruf_Offen(), spiel);
    EXPECT_EQ(Sync_Zaehler_Lesen().abrufe, abrufe);
    EXPECT_EQ(Spielfeld_Suchen(spiel), alt);
    EXPECT_NE(alt->bereit & 3, 3);
    const uint32_t beginn = Plat_Ms();
    while (Sync_Zaehler_Lesen().abrufe == abrufe && Plat_Ms() - beginn < test::WARTEN_GRENZE_MS) {
        Spieltag_Run(0);
        Server_Runde();   // the fetch goes out in one pass, its answer is taken in a later one
        Plat_Sleep_Ms(5);
    }
    ASSERT_EQ(Sync_Zaehler_Lesen().abrufe, abrufe + 1) << "the record was fetched again";
    Spielfeld_Satz* neu = Spielfeld_Suchen(spiel);
    ASSERT_NE(neu, nullptr);
    ASSERT_NE(neu, alt) << "the fetched record replaced the old one";
    EXPECT_EQ(MatchView_Current(), neu) << "the view names the new record";
    EXPECT_EQ(neu->e_taktik[seite][2], taktik) << "the input waiting in the edit copy is kept";
    EXPECT_EQ(neu->e_aenderung[seite], aenderung);
    // A commentary line reads the view's record: the freed one is never read.
    Ticker_Add_Line(uint32_t(spiel), "Der Ball rollt weiter");

    MatchView_Exit();
    Font_Free_Set();
    Res_Close(font_slot);
    bild.reset();
    Net_Kontext_Setzen(vorher);
    Spieltag_Welt_Ende();
}

}  // namespace
}  // namespace velmora::test
