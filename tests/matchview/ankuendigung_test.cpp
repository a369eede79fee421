// tests/matchview/ankuendigung_test.cpp - the announcement buffer in a running
// game: adding, refusing, taking by key, the save block and received items,
// the sending to a client's team; the pre-match plates and the paging, the
// squads' panels in front of the pre-match figures.
#include <cstring>
#include <vector>

#include "club/aufstellung.h"
#include "club/formation.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/optionen.h"
#include "gfx/bildnr_seiten.h"
#include "gfx/rastport.h"
#include "gfx/bild.h"
#include "matchview/ankuendigung.h"
#include "matchview/ankuendigung_intern.h"
#include "matchview/ergebnis_seite.h"
#include "matchview/vorspiel.h"
#include "net/net.h"
#include "season/wettbewerb.h"
#include "tests/support/seiten_welt.h"

namespace velmora::test {
namespace {

class AnkuendigungPuffer : public SeitenWelt {
protected:
    // Runs `pruefen` at the game's first turn.
    void Beim_Ersten_Zug(std::function<void(int32_t)> pruefen) {
        erster_zug = std::move(pruefen);
        plan.push_back({[] { return zug_gesehen; }, 2000, -100, -100, 0, false, "erster Zug"});
        ASSERT_EQ(Abspielen(), "");
        ASSERT_TRUE(zug_gesehen);
    }
};

int32_t Liga(int32_t team) { return Team_Get_Liga(team, 1); }

// An entry of the staging record: the team's league, home and away as given.
bool Eintragen(int32_t art, uint32_t schluessel, int32_t heim, int32_t gast, int32_t wettbewerb) {
    Ankuendigung_Setzen(wettbewerb, heim, gast, 1, 0, 0, nullptr);
    return Ankuendigung_In_Buffer(art, schluessel);
}

int32_t Belegt() {
    int32_t n = 0;
    for (int32_t i = 0; i < ANKUENDIGUNG_PUFFER; ++i) n += Ankuendigung_Puffer()[i].schluessel != 0;
    return n;
}

TEST_F(AnkuendigungPuffer, AFullBufferRefusesAndASecondPreMatchPageOfATeamIsRefused) {
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        ASSERT_GE(w, 0);
        EXPECT_TRUE(Eintragen(ANK_VOR_SPIEL, 100, 3, 4, w));
        EXPECT_FALSE(Eintragen(ANK_VOR_SPIEL, 101, 3, 5, w)) << "a second pre-match page of team 3";
        EXPECT_TRUE(Eintragen(ANK_VOR_SPIEL, 102, 4, 3, w)) << "another home team";
        for (int32_t i = 2; i < ANKUENDIGUNG_PUFFER; ++i) EXPECT_TRUE(Eintragen(ANK_TORE, uint32_t(200 + i), 5, 6, w));
        std::vector<uint8_t> vorher(reinterpret_cast<const uint8_t*>(Ankuendigung_Puffer()),
                                    reinterpret_cast<const uint8_t*>(Ankuendigung_Puffer() + ANKUENDIGUNG_PUFFER));
        EXPECT_FALSE(Eintragen(ANK_TORE, 999, 5, 6, w)) << "the 21st entry";
        EXPECT_EQ(std::memcmp(vorher.data(), Ankuendigung_Puffer(), vorher.size()), 0) << "the buffer is unchanged";
        Ankuendigung_Leeren();
        EXPECT_TRUE(Ankuendigung_Buffer_Leer());
    });
}

TEST_F(AnkuendigungPuffer, TheHighestKeyGoesFirstAndOneResultsPageStandsForACompetition) {
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        // The pages end at once with their options off, so every take starts the next.
        for (int32_t o : {4, 5, 11, 12, 14}) Optionen(o, 1, 0);
        Eintragen(ANK_ERGEBNISSE, 57, 3, 4, w);   // three human teams of one league: one results page
        Eintragen(ANK_ERGEBNISSE, 107, 5, 6, w);
        Eintragen(ANK_ERGEBNISSE, 307, 7, 8, w);
        Eintragen(ANK_TORE, 500, 3, 4, w);
        Eintragen(ANK_VOR_SPIEL, 90, 9, 10, w);
        Eintragen(ANK_VOR_SPIEL, 95, 8, 10, w);   // kind 1 of team 8 before team 9: the higher key
        std::vector<int32_t> arten;
        std::vector<uint32_t> heim;
        while (Ankuendigung_Aus_Buffer()) {
            arten.push_back(Ankuendigung_Art());
            heim.push_back(Ankuendigung_Staging().heim);
            EXPECT_FALSE(Ankuendigung_Phase_Laeuft()) << "a page switched off ends its phase at once";
        }
        EXPECT_EQ(arten, (std::vector<int32_t>{ANK_TORE, ANK_ERGEBNISSE, ANK_VOR_SPIEL, ANK_VOR_SPIEL}));
        EXPECT_EQ(heim, (std::vector<uint32_t>{3, 7, 8, 9}));
        EXPECT_TRUE(Ankuendigung_Buffer_Leer());
    });
}

TEST_F(AnkuendigungPuffer, TheServerSendsEachCopyOnlyToTheMachineOfItsTeam) {
    static std::vector<std::pair<int32_t, uint32_t>> gesendet;   // (team, kind)
    gesendet.clear();
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        Ankuendigung_Hooks().an_team_senden = [](int32_t t, const uint8_t* d, int32_t bytes) {
            ASSERT_EQ(bytes, int32_t(sizeof(Ankuendigung)));
            Ankuendigung a;
            std::memcpy(&a, d, sizeof a);
            gesendet.push_back({t, a.art});
        };
        // Teams 3 and 4 are managed from client machines; a human-versus-human game.
        for (int32_t t : {3, 4}) Team_Wert(TW_STATUS, t, int32_t(TEAM_STATUS_CLIENT), OP_SETZEN);
        Netzwerk_Modus_Setzen(2);
        for (int32_t art : {ANK_TORE, ANK_STATISTIK, ANK_FINANZEN}) Eintragen(art, uint32_t(100 + art), 3, 4, w);
        Eintragen(ANK_FINANZEN, 200, 4, 3, w);   // the away team's copy of its finances
        Eintragen(ANK_VOR_SPIEL, 300, 3, 4, w);  // a pre-match picture stays on its own machine
        Netzwerk_Modus_Setzen(0);
        for (int32_t t : {3, 4}) Team_Wert(TW_STATUS, t, int32_t(TEAM_STATUS_CLIENT), OP_LOESCHEN);
        Ankuendigung_Hooks().an_team_senden = nullptr;
        Ankuendigung_Leeren();
    });
    const std::vector<std::pair<int32_t, uint32_t>> erwartet = {
        {3, ANK_TORE}, {4, ANK_TORE}, {3, ANK_STATISTIK}, {4, ANK_STATISTIK}, {3, ANK_FINANZEN}, {4, ANK_FINANZEN}};
    EXPECT_EQ(gesendet, erwartet);
}

// On the server a club whose client was dropped keeps its manager record
// (the placeholder) and the computer plays it: its goals and statistics
// pages against another computer club and its finance page are nobody's
// here. The server's own manager gets his game's pages and his finances only.
TEST_F(AnkuendigungPuffer, TheServerShowsNoPageOfAClubTheComputerTookOver) {
    static std::vector<std::pair<uint32_t, uint32_t>> gezeigt;   // (kind, home)
    gezeigt.clear();
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        const int32_t verlassen = team == 3 ? 4 : 3, anderer = team == 5 ? 6 : 5;
        ASSERT_NE(Manager_Neuer_Mitspieler(verlassen, "Carl", 1), nullptr);
        Team_Wert(TW_STATUS, verlassen, int32_t(TEAM_STATUS_NETZ), OP_SETZEN);
        Netzwerk_Modus_Setzen(2);
        for (int32_t o : {4, 5, 11, 12, 14}) Optionen(o, 1, 0);
        for (int32_t art : {ANK_TORE, ANK_STATISTIK, ANK_FINANZEN}) Eintragen(art, uint32_t(100 + art), team, verlassen, w);
        Eintragen(ANK_FINANZEN, 200, verlassen, team, w);   // the left club's copy of its finances
        for (int32_t art : {ANK_TORE, ANK_STATISTIK, ANK_FINANZEN})
            Eintragen(art, uint32_t(300 + art), verlassen, anderer, w);
        while (Ankuendigung_Aus_Buffer()) gezeigt.push_back({uint32_t(Ankuendigung_Art()), Ankuendigung_Staging().heim});
        EXPECT_TRUE(Ankuendigung_Buffer_Leer());
        Netzwerk_Modus_Setzen(0);
        Team_Wert(TW_STATUS, verlassen, int32_t(TEAM_STATUS_NETZ), OP_LOESCHEN);
        Manager_Entfernen(verlassen);
        const std::vector<std::pair<uint32_t, uint32_t>> erwartet = {
            {ANK_FINANZEN, uint32_t(team)}, {ANK_STATISTIK, uint32_t(team)}, {ANK_TORE, uint32_t(team)}};
        EXPECT_EQ(gezeigt, erwartet);
    });
}

// The results and table pages write the clubs persons play in their own
// colour. A club whose client was dropped keeps its manager record on the
// server (the placeholder) while the computer plays it: no person's club.
TEST_F(AnkuendigungPuffer, TheResultsPagesMarkOnlyClubsAPersonPlaysNow) {
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t andere = team == 3 ? 4 : 3, ohne = team == 5 ? 6 : 5;
        ASSERT_NE(Manager_Neuer_Mitspieler(andere, "Carl", 1), nullptr);
        ASSERT_FALSE(Team_Hat_Manager(ohne));
        const uint32_t netz = TEAM_STATUS_NETZ, client = TEAM_STATUS_CLIENT;
        struct Fall {
            const char* name;
            int32_t modus;
            uint32_t status;   // of the other manager's club
            bool andere_markiert;
        } faelle[] = {
            {"alone: a second manager at this machine", 0, 0, true},
            {"server: a client plays the club", 2, netz | client, true},
            {"server: its client was dropped", 2, netz, false},
            {"server: a second manager of its own", 2, 0, true},
            {"client: another client's club", 1, netz | client, true},
            {"client: a club whose client was dropped", 1, netz, false},
        };
        for (const Fall& f : faelle) {
            SCOPED_TRACE(f.name);
            Netzwerk_Modus_Setzen(0);   // a client writes no other club's status
            Team_Wert(TW_STATUS, andere, int32_t(netz | client), OP_LOESCHEN);
            Team_Wert(TW_STATUS, andere, int32_t(f.status), OP_SETZEN);
            Netzwerk_Modus_Setzen(f.modus);
            EXPECT_EQ(Ergebnis_Team_Hervorgehoben(andere), f.andere_markiert);
            EXPECT_TRUE(Ergebnis_Team_Hervorgehoben(team)) << "this machine's manager";
            EXPECT_FALSE(Ergebnis_Team_Hervorgehoben(ohne)) << "a computer club";
            EXPECT_FALSE(Ergebnis_Team_Hervorgehoben(-1));
        }
        Netzwerk_Modus_Setzen(0);
        Team_Wert(TW_STATUS, andere, int32_t(netz | client), OP_LOESCHEN);
        Manager_Entfernen(andere);
    });
}

TEST_F(AnkuendigungPuffer, ABadRecordRefusesTheSaveAndIsDroppedFromTheServer) {
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        for (int32_t i = 0; i < 4; ++i) Eintragen(ANK_TORE, uint32_t(100 + i), 3, 4, w);
        std::vector<uint8_t> gut;
        Ankuendigung_Save(gut);
        ASSERT_EQ(gut.size(), size_t(21 * 336));
        struct Fall {
            const char* name;
            size_t stelle;   // byte offset in the block
            uint32_t wert;
        } faelle[] = {
            {"kind 7", 0, 7},
            {"a team outside the game", 12, 5000},
            {"an away team outside the game", 16, 77777},
            {"data in a free slot", 4 * 336 + 100, 1},
        };
        for (const Fall& f : faelle) {
            SCOPED_TRACE(f.name);
            std::vector<uint8_t> b = gut;
            std::memcpy(b.data() + f.stelle, &f.wert, 4);
            // The save is refused, and the buffer stays as it was.
            EXPECT_FALSE(Ankuendigung_Load(b.data(), b.size()));
            EXPECT_EQ(Belegt(), 4);
            EXPECT_EQ(Ankuendigung_Puffer()[1].schluessel, 101u);
            EXPECT_EQ(Ankuendigung_Puffer()[4].schluessel, 0u);
        }
        EXPECT_TRUE(Ankuendigung_Load(gut.data(), gut.size()));
        EXPECT_FALSE(Ankuendigung_Load(gut.data(), gut.size() - 1)) << "a block of another length";
        // Items from the server.
        Ankuendigung_Leeren();
        Ankuendigung a = gut.size() ? *reinterpret_cast<const Ankuendigung*>(gut.data()) : Ankuendigung{};
        EXPECT_FALSE(Ankuendigung_Buffer_Empfangen(reinterpret_cast<const uint8_t*>(&a), 335));
        Ankuendigung kaputt = a;
        kaputt.art = 7;
        EXPECT_FALSE(Ankuendigung_Buffer_Empfangen(reinterpret_cast<const uint8_t*>(&kaputt), 336));
        kaputt = a;
        kaputt.schluessel = 0;
        EXPECT_FALSE(Ankuendigung_Buffer_Empfangen(reinterpret_cast<const uint8_t*>(&kaputt), 336));
        EXPECT_TRUE(Ankuendigung_Buffer_Leer());
        EXPECT_TRUE(Ankuendigung_Buffer_Empfangen(reinterpret_cast<const uint8_t*>(&a), 336));
        EXPECT_EQ(Ankuendigung_Puffer()[0].schluessel, a.schluessel);
        Ankuendigung_Leeren();
        // A page whose picture is missing ends its phase at once.
        const auto slot = Bild_Hooks().res_slot;
        Bild_Hooks().res_slot = [](int32_t) { return -1; };
        Eintragen(ANK_TORE, 5, 3, 4, w);
        EXPECT_TRUE(Ankuendigung_Aus_Buffer());
        EXPECT_FALSE(Ankuendigung_Phase_Laeuft());
        Bild_Hooks().res_slot = slot;
    });
}

// A home figure of depth row 3 in the outer column reaches under the squad's
// panel: the panel stands in front of it, so the pre-match picture's home
// panel is the same whether the player stands there or at his own place.
TEST_F(AnkuendigungPuffer, AFigureOfAnOuterColumnStandsBehindTheSquadsPanel) {
    Beim_Ersten_Zug([](int32_t team) {
        const int32_t w = Liga(team);
        const int32_t gast = team == 3 ? 4 : 3;
        // The manager places him himself: no assistant's line-up moves him back.
        Team_Wert(TW_FORMATION_BYTE, team, FORMATION_BYTE_ASSI, OP_LOESCHEN);
        auto bild = [&] {
            Ankuendigung_Setzen(w, team, gast, 1, 0, 0, nullptr);
            Rastport* seite = Ankuendigung_Zeichnen();
            std::vector<uint16_t> pixel;
            if (seite) pixel.assign(Rastport_Pixels16(seite), Rastport_Pixels16(seite) + 800 * 600);
            Rastport_Free(seite);
            return pixel;
        };
        const std::vector<uint16_t> vorher = bild();
        int32_t spieler[TEAM_SPIELER_MAX];
        const int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 16);
        bool versetzt = false;
        for (int32_t i = 0; i < n && !versetzt; ++i)
            versetzt = Spieler_Wert(SPW_ART, spieler[i], 0, OP_LESEN) > 0 && Spieler_Setze_Formationsposition(spieler[i], 0, 3);
        ASSERT_TRUE(versetzt);
        const std::vector<uint16_t> aussen = bild();
        ASSERT_EQ(vorher.size(), 800u * 600u);
        ASSERT_EQ(aussen.size(), vorher.size());
        EXPECT_NE(vorher, aussen) << "the figure moved";
        int32_t anders = 0;
        for (int32_t y = VORSPIEL_TAFEL_Y; y < VORSPIEL_TAFEL_Y + VORSPIEL_TAFEL_H; ++y)
            for (int32_t x = VORSPIEL_TAFEL_X[0]; x < VORSPIEL_TAFEL_X[0] + VORSPIEL_TAFEL_B; ++x)
                anders += vorher[size_t(y) * 800 + size_t(x)] != aussen[size_t(y) * 800 + size_t(x)];
        EXPECT_EQ(anders, 0) << "pixels of the home panel show the figure";
    });
}

// The plates accelerate towards their target, never pass it, stop on it; plate i sets out i steps later.
TEST(AnkuendigungSchilder, PlatesArriveExactlyAtTheirTargets) {
    for (const bool heim : {true, false}) {
        SCOPED_TRACE(heim ? "home" : "away");
        Ankuendigung_Spielerschild s[11];
        for (int32_t i = 0; i < 11; ++i) {
            s[i].x = heim ? -SCHILD_B : 890;
            s[i].ziel_x = heim ? SCHILD_ZIEL_HEIM : SCHILD_ZIEL_GAST;
            s[i].y = s[i].ziel_y = 147 + 17 * i;
            s[i].warten = i;
        }
        int32_t erster_schritt[11];
        for (int32_t& e : erster_schritt) e = -1;
        for (int32_t schritt = 0; schritt < 400; ++schritt)
            for (int32_t i = 0; i < 11; ++i) {
                const int32_t vorher = s[i].x;
                Ankuendigung_Schild_Bewegen(&s[i]);
                if (s[i].x != vorher && erster_schritt[i] < 0) erster_schritt[i] = schritt;
                // Never beyond the target.
                EXPECT_TRUE(heim ? s[i].x <= s[i].ziel_x : s[i].x >= s[i].ziel_x);
            }
        for (int32_t i = 0; i < 11; ++i) {
            EXPECT_EQ(s[i].x, heim ? SCHILD_ZIEL_HEIM : SCHILD_ZIEL_GAST);
            EXPECT_EQ(s[i].tempo, 0.0f);
            EXPECT_EQ(erster_schritt[i], i);
        }
    }
}

TEST(AnkuendigungSchilder, ShirtNumbersAndPageSizes) {
    // A number outside 0-50 takes its remainder by 50; the game's random table stays untouched.
    const struct {
        int32_t nummer, zelle;
    } nummern[] = {{0, 0}, {7, 7}, {50, 50}, {51, 1}, {60, 10}, {-3, 47}, {100, 0}};
    for (const auto& n : nummern) EXPECT_EQ(Ankuendigung_Rueckennummer(n.nummer), n.zelle) << n.nummer;
    // Rows per page: below 10 all; else the size from the limit down to 6 with the smallest remainder.
    const struct {
        int32_t anzahl, grenze, seite;
    } seiten[] = {{9, 20, 9}, {18, 20, 18}, {25, 10, 8}, {20, 20, 20}, {40, 20, 20}, {13, 10, 6}, {1, 10, 1}};
    for (const auto& s : seiten) EXPECT_EQ(Ergebnis_Seitengroesse(s.anzahl, s.grenze), s.seite) << s.anzahl;
}

}  // namespace
}  // namespace velmora::test
