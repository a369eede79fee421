// Goals, events, cards and statistics of a live match.
#include <cstring>
#include <functional>
#include <vector>

#include "club/spieler.h"
#include "core/rnd.h"
#include "match/live/spielfeld_ereignis.h"
#include "tests/support/pruefung.h"
#include "match_welt.h"

namespace velmora::test {
namespace {

struct Gespeichert {
    uint32_t bits;
    int32_t minute, spieler, spieler2;
};
std::vector<Gespeichert>& Speicher() {
    static std::vector<Gespeichert> s;
    return s;
}

class EreignisTest : public OffenesSpielTest {
protected:
    void SetUp() override {
        OffenesSpielTest::SetUp();
        s->minute = 30;
        Speicher().clear();
        Spielfeld_Hooks().spiel_ereignis = [](int32_t, uint32_t bits, int32_t minute, int32_t p, int32_t p2) {
            Speicher().push_back({bits, minute, p, p2});
        };
    }
    int32_t Nummer(int32_t slot) { return slot >= 0 ? s->spieler[slot].nummer : -1; }
};

// A statistics counter counts up to 255; a bad slot or element breaks the
// check (the sanitizer build stops there) and changes nothing.
TEST_F(EreignisTest, StatisticsCountersAndTheirGuards) {
    struct Fall {
        int32_t slot, element;
        const char* log;
    } faelle[] = {{34, 1, "Falscher Statistik-Spieler"},
                  {-1, 1, "Falscher Statistik-Spieler"},
                  {3, 8, "Falsches Statistik-Element"},
                  {3, -1, "Falsches Statistik-Element"}};
    uint8_t vorher[SF_SPIELER][8];
    std::memcpy(vorher, s->statistik, sizeof vorher);
    for (const Fall& c : faelle) {
        EXPECT_PRUEFUNG_VERLETZT(Spielfeld_Statistik_Element(s, c.slot, c.element), c.log);
        if (!PRUEFUNG_BRICHT_AB) {
            EXPECT_TRUE(Log_Enthaelt(c.log)) << c.slot << " " << c.element;
        }
    }
    EXPECT_EQ(std::memcmp(vorher, s->statistik, sizeof vorher), 0);
    for (int32_t i = 0; i < 300; ++i) Spielfeld_Statistik_Element(s, 3, 5);
    EXPECT_EQ(s->statistik[3][5], 255);
}

// A goal: the side from where the ball lies, own goals without the assist,
// the height and set-piece kinds, the kick-off to the side scored against; the
// assist stands only when the scoring side touched the ball last, or a keeper did.
TEST_F(EreignisTest, GoalsCarryTheirSideAndKind) {
    struct Fall {
        float ball_x;
        int32_t tor_seite, schuetze, vorlage, marke;
        uint8_t hoch;
        int8_t letzte;
        uint8_t torwart;
        uint32_t bits;
        int32_t vorlage_danach, treffer_seite;
    } faelle[] = {
        {10900, 1, 9, 8, -1, 0, 0, 0, 0x7, 8, 0},    {-50, 0, 26, 25, -1, 0, 1, 0, 0x6, 25, 1},
        {-50, 0, 3, 4, -1, 0, 1, 0, 0x206, -1, 1},   {10900, 1, 28, 27, -1, 0, 0, 0, 0x207, -1, 0},
        {10900, 1, 9, 9, -1, 0, 0, 0, 0x7, -1, 0},   {10900, 1, 9, 8, -1, 1, 0, 0, 0x87, 8, 0},
        {10900, 1, 9, 8, 2, 0, 0, 0, 0x8007, -1, 0}, {10900, 1, 9, 8, 0, 0, 0, 0, 0x2007, 8, 0},
        {10900, 1, 9, 8, -1, 0, 1, 0, 0x7, -1, 0},   {10900, 1, 9, 8, -1, 0, 1, 1, 0x7, 8, 0},
    };
    for (const Fall& c : faelle) {
        Speicher().clear();
        s->letzte_beruehrung = c.letzte;
        s->torwart_beruehrt = c.torwart;
        s->figur[FIGUR_BALL].pos[0] = c.ball_x;
        s->letzter_spieler = c.schuetze;
        s->vorletzter_spieler = c.vorlage;
        std::memset(s->standard_marker, 0, 3);
        if (c.marke >= 0) s->standard_marker[c.marke] = 1;
        s->tor_art = c.hoch;
        s->ereignis_neu = 0;
        const uint8_t tore = s->tore[c.treffer_seite];
        ASSERT_TRUE(Spielfeld_Tor(s, c.tor_seite));
        ASSERT_EQ(Speicher().size(), 1u);
        EXPECT_EQ(Speicher()[0].bits, c.bits) << c.schuetze;
        EXPECT_EQ(Speicher()[0].spieler, Nummer(c.schuetze));
        EXPECT_EQ(Speicher()[0].spieler2, Nummer(c.vorlage_danach)) << c.schuetze;
        EXPECT_EQ(s->tore[c.treffer_seite], tore + 1);
        EXPECT_EQ(s->letzte_beruehrung, c.treffer_seite) << "the other side kicks off";
        EXPECT_EQ(s->ereignis, c.bits) << "shown as the last event";
    }
    // A shown goal not yet displayed is not overwritten by a booking.
    Spielfeld_Ereignis(s, SE_GELB, 5, -1);
    EXPECT_EQ(s->ereignis & (SE_SCHUSS | SE_ZAEHLT), SE_SCHUSS | SE_ZAEHLT);
    EXPECT_EQ(Speicher().back().bits, SE_GELB | SE_HEIM);
    // The keepers scored against count a shot faced.
    EXPECT_GT(s->statistik[17][7] + s->statistik[0][7], 0);
}

// The period-end event and a foul nobody suffered leave no trace.
TEST_F(EreignisTest, EventsThatLeaveNoTrace) {
    const uint32_t ereignis = s->ereignis;
    for (uint32_t bits : {SE_ABSCHNITT, SE_FOUL_OHNE, 0x1000000u}) {
        Spielfeld_Ereignis(s, bits, 3, -1);
        EXPECT_TRUE(Speicher().empty()) << bits;
        EXPECT_EQ(s->ereignis, ereignis);
        EXPECT_EQ(s->ereignis_frame, 0);
    }
    s->minute = 44;
    Spielfeld_Periode_Beenden(1);
    EXPECT_TRUE(Speicher().empty());
    EXPECT_EQ(s->spielzustand, SZ_ABGANG);
}

// A sending-off marks the player once: his value 75 loses bit 16 and gains
// the card's bit, unless he was already sent off or this is a client.
TEST_F(EreignisTest, ASendingOffChangesThePlayerOnce) {
    struct Fall {
        uint32_t art;
        int32_t netz;
        bool schon;
        bool geaendert;
    } faelle[] = {{SE_GELBROT, 0, false, true},
                  {SE_ROT, 0, false, true},
                  {SE_ROT, 0, true, false},
                  {SE_GELBROT, 1, false, false}};
    for (const Fall& c : faelle) {
        const int32_t slot = 6, p = s->spieler[slot].nummer;
        const uint32_t bit = c.art == SE_ROT ? SM_ROT : SM_GELBROT;
        s->spieler[slot].zustand = SM_AUF_PLATZ | (c.schon ? bit : 0);
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_START), OP_SETZEN);
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_GELB | SP_STATUS_ROT), OP_LOESCHEN);
        Fake().netz = c.netz;
        Spielfeld_Ereignis(s, c.art | SE_FOUL, slot, 20);
        EXPECT_TRUE(s->spieler[slot].zustand & bit);
        const uint32_t wert = uint32_t(Spieler_Wert(SPW_STATUS, p, 0, OP_LESEN));
        EXPECT_EQ((wert & SP_STATUS_START) == 0, c.geaendert) << c.art << " " << c.netz << " " << c.schon;
        EXPECT_EQ((wert & bit) != 0, c.geaendert);
    }
    Fake().netz = 0;
}

// The advantage: while the foul countdown runs, a goal of the side awarded the
// free kick stands and the free kick lapses; a goal of the other side is not
// given and the free kick follows.
TEST_F(EreignisTest, TheAdvantageRuleBothWays) {
    struct Fall {
        int8_t freistoss_seite;
        int32_t tore;
        int8_t countdown;
    } faelle[] = {{0, 1, 0}, {1, 0, 10}};
    for (const Fall& c : faelle) {
        s->spielzustand = SZ_SPIEL;
        s->ball_linie = BALL_IM_SPIEL;
        s->tore[0] = 0;
        s->foul_countdown = 10;
        s->freistoss_seite = c.freistoss_seite;
        s->letzter_spieler = 9;
        Speicher().clear();
        Ball_Schiessen(s, 10000, 3403, 12000, 3403, 2500);
        for (int32_t i = 0; i < 600 && s->spielzustand == SZ_SPIEL; ++i) {
            Figuren_Frame(s);
            if (s->foul_countdown != 0) s->foul_countdown = 10;  // the tick would count it down
        }
        EXPECT_EQ(s->tore[0], c.tore) << int32_t(c.freistoss_seite);
        EXPECT_EQ(s->foul_countdown, c.countdown);
        EXPECT_EQ(Speicher().size(), size_t(c.tore));
        EXPECT_EQ(s->spielzustand, c.tore ? SZ_NACH_TOR : SZ_SPIEL);
    }
    s->foul_countdown = 2;
    s->freistoss_seite = 0;
    EXPECT_FALSE(Spielfeld_Tor(s, 0)) << "side 1 scoring into side 0's goal";
}

// The card after a foul, branch by branch, each at a random index chosen for it.
int32_t Index_Wo(const std::function<bool()>& zuege) {
    for (int32_t i = 0; i < RND_TABELLE; ++i) {
        Rnd_Set_Index(i, 0);
        if (zuege()) return i;
    }
    return -1;
}

TEST_F(EreignisTest, TheCardDecisionBranchByBranch) {
    struct Fall {
        const char* was;
        int32_t foul, opfer, strenge, gelbe;
        uint8_t karte, schwere, von_hinten, attribut13;
        float zeit_faktor;
        std::function<bool()> zuege;  // the draws that lead to the branch
        uint32_t gespeichert;         // 0: nothing stored
        uint8_t karte_danach;
        int32_t schiri_anim;
    };
    const std::vector<Fall> faelle = {
        {"no fouler", -1, 25, 3, 0, 0, 0, 0, 0, 1, nullptr, SE_FOUL | SE_HEIM, 0, -1},
        {"nobody fouled, no fouler", -1, -1, 3, 0, 0, 0, 0, 0, 1, nullptr, 0, 0, -1},
        {"booking", 7, 25, 157, 0, 0, 0, 0, 0, 1, nullptr, SE_FOUL | SE_GELB | SE_HEIM, SE_GELB, ANIM_SCHIRI_GELB},
        {"second booking", 7, 25, 157, 0, SE_GELB, 0, 0, 0, 1, nullptr, SE_FOUL | SE_GELBROT | SE_HEIM, SE_GELBROT,
         ANIM_SCHIRI_GELB},
        {"red after four bookings", 7, 25, 157, 4, 0, 0, 0, 0, 1,
         [] { return Rnd(0, 2) < 3 && Rnd(157, 7) == 157 && Rnd(1, 2) == 2; }, SE_FOUL | SE_ROT | SE_HEIM, SE_ROT,
         ANIM_SCHIRI_ROT},
        {"a keeper's red becomes yellow", 0, 25, 157, 4, 0, 0, 0, 0, 1,
         [] { return Rnd(0, 2) < 3 && Rnd(157, 7) == 157 && Rnd(1, 2) == 2 && Rnd(1, 2) == 1; },
         SE_FOUL | SE_GELB | SE_HEIM, SE_GELB, ANIM_SCHIRI_GELB},
        {"attribute 13 escapes", 7, 25, 157, 0, 0, 0, 0, 1, 1,
         [] { return Rnd(0, 2) < 3 && Rnd(157, 7) == 157 && Rnd(1, 1) == 1 && Rnd(0, 99) % 4 == 0; }, SE_FOUL | SE_HEIM,
         0, -1},
        {"attribute 13 caught", 7, 25, 157, 0, 0, 0, 0, 1, 1,
         [] { return Rnd(0, 2) < 3 && Rnd(157, 7) == 157 && Rnd(1, 1) == 1 && Rnd(0, 99) % 4 != 0; },
         SE_FOUL | SE_GELB | SE_HEIM, SE_GELB, ANIM_SCHIRI_GELB},
        {"no card by chance", 7, 25, 3, 0, SE_GELB, 0, 0, 0, 9, [] { return Rnd(0, 10) >= 3; }, SE_FOUL | SE_HEIM,
         SE_GELB, -1},
        {"from behind", 24, 5, 4, 0, 0, 0, 1, 0, 1,
         [] { return Rnd(0, 2) < 3 && Rnd(4, 7) != 4 && Rnd(2, 4) == 4 && Rnd(1, 1) == 1; }, SE_FOUL | SE_GELB, SE_GELB,
         ANIM_SCHIRI_GELB},
        {"lenient referee", 24, 5, 4, 0, 0, 1, 0, 0, 1, [] { return Rnd(0, 2) < 3 && Rnd(4, 7) != 4; }, SE_FOUL, 0, -1},
    };
    for (const Fall& c : faelle) {
        Speicher().clear();
        s->situation_figur[0] = int8_t(c.foul);
        s->situation_figur[1] = int8_t(c.opfer);
        s->strenge[0] = uint8_t(c.strenge);
        s->gelbe[0] = s->gelbe[1] = uint8_t(c.gelbe);
        s->rote[0] = s->rote[1] = 0;
        s->foul_schwere = int8_t(c.schwere);
        s->ballwechsel = c.von_hinten;
        s->zeit_faktor = c.zeit_faktor;
        if (c.foul >= 0) {
            s->spieler[c.foul].karte = c.karte;
            s->spieler[c.foul].zustand = SM_AUF_PLATZ;
            Fake().talente.clear();
            if (c.attribut13) Fake().talente.insert({s->spieler[c.foul].nummer, 13});
        }
        Figur& schiri = s->figur[FIGUR_SCHIRI];
        Figur_Aktuelle_Anweisung(&schiri)->anim = ANIM_STEHEN;
        if (c.zuege) {
            const int32_t i = Index_Wo(c.zuege);
            ASSERT_GE(i, 0) << c.was;
            Rnd_Set_Index(i, 0);
        }
        Spielfeld_Karte_Entscheiden(s);
        if (c.gespeichert) {
            ASSERT_EQ(Speicher().size(), 1u) << c.was;
            EXPECT_EQ(Speicher()[0].bits, c.gespeichert) << c.was;
            EXPECT_EQ(Speicher()[0].spieler, Nummer(c.foul)) << c.was;
            EXPECT_EQ(Speicher()[0].spieler2, Nummer(c.opfer)) << c.was;
        } else {
            EXPECT_TRUE(Speicher().empty()) << c.was;
        }
        if (c.foul >= 0) {
            EXPECT_EQ(s->spieler[c.foul].karte, c.karte_danach) << c.was;
        }
        if (c.schiri_anim >= 0) {
            EXPECT_EQ(Figur_Aktuelle_Anweisung(&schiri)->anim, c.schiri_anim) << c.was;
        } else {
            EXPECT_EQ(Figur_Aktuelle_Anweisung(&schiri)->anim, ANIM_STEHEN) << c.was;
        }
        if (c.karte_danach == SE_GELBROT) {
            EXPECT_EQ(schiri.ring[(schiri.aktuell + 1) & 3].anim, ANIM_SCHIRI_ROT) << "red follows yellow";
            EXPECT_TRUE(s->spieler[c.foul].zustand & SM_GELBROT);
            bool aus = false;
            for (int8_t w : s->wechsel_aus[0]) aus = aus || w == c.foul;
            EXPECT_TRUE(aus) << "entered as leaving";
        }
        if (c.karte_danach == SE_ROT) {
            EXPECT_EQ(s->rote[0], 1);
        }
    }
}

}  // namespace
}  // namespace velmora::test
