// tests/screens/geld_welt.h - the running game of the money screens' tests:
// the human manager's club, the messages he hears (message boxes and the
// bank's and sponsors' notes), clicks and the way into a panel menu's entry.
#pragma once
#include <string>
#include <vector>

#include "core/hooks.h"
#include "core/prioritaeten.h"
#include "season/kalender.h"
#include "tests/support/screen_welt.h"

namespace velmora::test {

// The human manager's club and what he heard.
inline int32_t team = -1;
inline std::vector<std::string> meldungen;

class GeldWelt : public ScreenWelt {
protected:
    void SetUp() override {
        ScreenWelt::SetUp();
        team = -1;
        meldungen.clear();
        Core_Hooks().meldung = [](const char* text) { meldungen.push_back(text); };
        Core_Hooks().message_an_manager = [](int32_t, int32_t, const char* text) {
            meldungen.push_back(text);
            return true;
        };
        Kalender_Hooks().zug_beginnt.Anmelden(prio::ZUG_BEGINN_MENUE + 50, [](int32_t t) { team = t; }, "Beobachter");
    }
    void TearDown() override {
        ScreenWelt::TearDown();
        Core_Hooks().message_an_manager = nullptr;
    }
};

// Moves onto (x, y), presses and releases there, then waits `danach` frames.
inline void Klicken(std::vector<Schritt>& s, int32_t x, int32_t y, int32_t danach = 2) {
    s.push_back({2, x, y, 0, false});
    s.push_back({2, x, y, 1, false});
    s.push_back({danach, x, y, 0, false});
}

// Raises the panel menu of the button at x and clicks its entry at y.
inline void Menue_Eintrag(std::vector<Schritt>& s, int32_t knopf_x, int32_t eintrag_y) {
    s.push_back({30, knopf_x, 586, 0, false});
    Klicken(s, knopf_x, eintrag_y);
    s.push_back({20, 400, 80, 0, false});
}

constexpr int32_t VEREIN_X = 522, SYSTEM_X = 622;
// A message box's OK button.
constexpr int32_t OK_X = 690, OK_Y = 421;
// The club menu's entries: bank, advertising, stadium, finances; the system
// menu's load, save and options.
constexpr int32_t BANK_Y = 514, WERBUNG_Y = 536, STADION_Y = 558, FINANZEN_Y = 580, LADEN_Y = 514, SPEICHERN_Y = 536,
                  OPTIONEN_Y = 558;

}  // namespace velmora::test
