// The request processor: deadlines, answers and the handlers of each kind.
#include "net/richter.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "net/net.h"

using namespace velmora;

namespace {

// Stands in for the news list until the news module exists.
struct Eintrag {
    bool lebt;
    uint32_t flags;
    std::array<int32_t, RICHTER_KOPF_WORTE> kopf;
};
std::vector<Eintrag> news;
int32_t tag = 100;

struct Aufruf {
    int32_t art, gegenstand;
    Richter_Fall fall;
};
std::vector<Aufruf> aufrufe;

void Hooks_Setzen() {
    Richter_Hooks().news_suchen = [](int32_t ab, uint32_t maske, int32_t* kopf, uint32_t* flags) {
        for (int32_t i = ab < 0 ? 0 : ab; i < int32_t(news.size()); ++i) {
            if (!news[size_t(i)].lebt || !(news[size_t(i)].flags & maske)) continue;
            std::copy(news[size_t(i)].kopf.begin(), news[size_t(i)].kopf.end(), kopf);
            *flags = news[size_t(i)].flags;
            return i;
        }
        return -1;
    };
    Richter_Hooks().news_loeschen = [](int32_t i) { news[size_t(i)].lebt = false; };
    Richter_Hooks().heute = [] { return tag; };
    Richter_Handler merken = [](const int32_t* kopf, Richter_Fall fall) {
        aufrufe.push_back({kopf[0], kopf[4], fall});
    };
    for (int32_t art : {5, 11, 12, 13, 14, 15, 16}) Richter_Art_Anmelden(art, merken);
}

Eintrag Anfrage(uint32_t flags, int32_t art, int32_t frist, int32_t antwort, int32_t gegenstand) {
    return {true, flags, {art, 1, 2, frist, gegenstand, 0, 0, 0, 0, antwort}};
}

}  // namespace

TEST(Richter, ExpiredRequestsAndAnswersAreDeletedAndHandedToTheirKind) {
    Hooks_Setzen();
    tag = 100;
    news = {
        Anfrage(RICHTER_FLAG_ANFRAGE, 5, 100, -1, 1),    // deadline today: expired
        Anfrage(RICHTER_FLAG_ANFRAGE, 5, 101, -1, 2),    // still open
        Anfrage(RICHTER_FLAG_ANTWORT, 5, 101, 1, 3),     // yes in time
        Anfrage(RICHTER_FLAG_ANTWORT, 5, 99, 1, 4),      // yes too late
        Anfrage(RICHTER_FLAG_ANTWORT, 12, 200, 0, 5),    // player offer declined
        Anfrage(RICHTER_FLAG_ANTWORT, 13, 200, 1, 6),
        Anfrage(0x4000, 5, 0, -1, 7),                    // a plain message: not a request
        Anfrage(RICHTER_FLAG_ANFRAGE, 3, 50, -1, 8),     // expired, kind without handler
    };
    aufrufe.clear();
    EXPECT_EQ(Richter_Kredit_Antworten(), 6);
    struct Erwartet {
        int32_t art, gegenstand;
        Richter_Fall fall;
    } erwartet[] = {{5, 1, Richter_Fall::ABGELAUFEN}, {5, 3, Richter_Fall::ANTWORT},
                    {5, 4, Richter_Fall::ANTWORT_SPAET}, {12, 5, Richter_Fall::ANTWORT},
                    {13, 6, Richter_Fall::ANTWORT}};
    ASSERT_EQ(aufrufe.size(), std::size(erwartet));
    for (size_t i = 0; i < aufrufe.size(); ++i) {
        EXPECT_EQ(aufrufe[i].art, erwartet[i].art) << i;
        EXPECT_EQ(aufrufe[i].gegenstand, erwartet[i].gegenstand) << i;
        EXPECT_EQ(aufrufe[i].fall, erwartet[i].fall) << i;
    }
    const bool lebt[] = {false, true, false, false, false, false, true, false};
    for (size_t i = 0; i < news.size(); ++i) EXPECT_EQ(news[i].lebt, lebt[i]) << i;
    // A second run finds nothing more to do.
    aufrufe.clear();
    EXPECT_EQ(Richter_Kredit_Antworten(), 0);
    EXPECT_TRUE(aufrufe.empty());
}

TEST(Richter, ClientNeverProcessesAndBadKindsAreSkipped) {
    Hooks_Setzen();
    tag = 10;
    news = {Anfrage(RICHTER_FLAG_ANTWORT, 77, 20, 1, 1), Anfrage(RICHTER_FLAG_ANTWORT, -3, 20, 1, 2)};
    aufrufe.clear();
    Netzwerk_Modus_Setzen(1);
    EXPECT_EQ(Richter_Kredit_Antworten(), 0);
    EXPECT_TRUE(news[0].lebt);
    Netzwerk_Modus_Setzen(2);
    EXPECT_EQ(Richter_Kredit_Antworten(), 2);   // deleted, no handler can take them
    EXPECT_TRUE(aufrufe.empty());
    Netzwerk_Modus_Setzen(0);
    EXPECT_FALSE(Richter_Art_Anmelden(RICHTER_ARTEN, nullptr));
    EXPECT_FALSE(Richter_Art_Anmelden(-1, nullptr));
    Richter_Hooks() = RichterHooks();
    EXPECT_EQ(Richter_Kredit_Antworten(), 0);
}
