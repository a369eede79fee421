// tests/business/news_welt.h - the news tests' world: a temporary user
// directory, four clubs (teams 2-5) of which 2, 3 and 4 have human managers,
// and the news file open.
#pragma once
#include <string>
#include <vector>

#include "business/news.h"
#include "business/news_anfrage.h"
#include "core/hooks.h"
#include "tests/club/welt.h"
#include "tests/core/temp_verz.h"

namespace velmora::test {

inline std::vector<std::string>& Meldungen() {
    static std::vector<std::string> m;
    return m;
}

class NewsWelt : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(welt.ok);
        Rnd_Init();
        Welt_Bauen(4, 2);
        Manager_Neuer_Mitspieler(2, "Anna", -1);
        Manager_Neuer_Mitspieler(3, "Bert", -1);
        Manager_Neuer_Mitspieler(4, "Cora", -1);
        Meldungen().clear();
        Core_Hooks().message_an_manager = [](int32_t, int32_t team, const char* text) {
            Meldungen().push_back(std::to_string(team) + ":" + text);
            return true;
        };
        News_Hooks() = NewsHooks{};
        News_Anzeige_Zuruecksetzen();
        ASSERT_TRUE(News_Datei_Oeffnen());
    }
    void TearDown() override {
        News_Datei_Schliessen();
        News_Hooks() = NewsHooks{};
        Core_Hooks().message_an_manager = nullptr;
        Welt_Freigeben();
    }
    // The recipients of item i with their flag words, as "team:flags" in hex.
    static std::string Empfaenger(int32_t i) {
        std::string s;
        for (int32_t t = 0; t < Team_Anzahl(); ++t) {
            int32_t f = News_Get_Flags(i, t);
            if (f == -1) continue;
            char b[32];
            std::snprintf(b, sizeof b, "%s%d:%x", s.empty() ? "" : " ", t, uint32_t(f));
            s += b;
        }
        return s;
    }
    velmora_test::TestWelt welt;
    LogFaenger faenger;
};

}  // namespace velmora::test
