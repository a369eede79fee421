// tests/business/bank_welt.h - a small world of clubs with a running bank, and
// catchers for the messages and news the bank sends.
#pragma once
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/bank_kredit.h"
#include "core/hooks.h"
#include "tests/club/welt.h"

namespace velmora::test {

struct BankNachricht {
    int32_t team;
    uint32_t flags;
    std::string text;
};

inline std::vector<BankNachricht>& Bank_Meldungen() {
    static std::vector<BankNachricht> m;
    return m;
}
inline std::vector<BankNachricht>& Bank_News() {
    static std::vector<BankNachricht> n;
    return n;
}
inline int32_t& Bank_Am_Zug() {
    static int32_t t = -1;
    return t;
}

// Teams 0 (market) .. 5; clubs 2 and 3 have human managers and accounts in
// currency 0 with 1,000,000 each; clubs 4 and 5 are computer clubs without one.
// The level is 1 (not the easiest).
struct BankWelt {
    test::LogFaenger log;
    BankWelt() {
        Rnd_Init();
        Welt_Bauen(4, 18);
        Manager_Neuer_Mitspieler(2, "Anna", -1);
        Manager_Neuer_Mitspieler(3, "Bert", -1);
        Team_Spielstand_Setzen(1, 1);
        Bank_Meldungen().clear();
        Bank_News().clear();
        Bank_Am_Zug() = -1;
        Core_Hooks().message_an_manager = [](int32_t, int32_t team, const char* text) {
            Bank_Meldungen().push_back({team, 0, text});
            return true;
        };
        Bank_Hooks().news = [](int32_t team, int32_t, uint32_t flags, const char* text) {
            Bank_News().push_back({team, flags, text});
        };
        Bank_Hooks().am_zug = [] { return Bank_Am_Zug(); };
        Bank_Init();
        Bank_Waehrung_Umrechnen(2, 1000000, 0);
        Bank_Waehrung_Umrechnen(3, 1000000, 0);
    }
    ~BankWelt() {
        Bank_Exit();
        Bank_Hooks() = BankHooks{};
        Core_Hooks().message_an_manager = nullptr;
        Welt_Freigeben();
    }
    static Bank_Konto Konto(int32_t team) {
        Bank_Konto k{};
        Bank_Konto_Lesen(team, &k);
        return k;
    }
    // The slots of the open period that hold money or figures.
    static int32_t Belegte_Slots(int32_t team) {
        Bank_Konto k = Konto(team);
        int32_t n = 0;
        for (const Bank_Buchung& b : k.slot)
            if (b.kategorie != 0) ++n;
        return n;
    }
};

}  // namespace velmora::test
