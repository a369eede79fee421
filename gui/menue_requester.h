// gui/menue_requester.h - the requester: the modal message box with one or
// two buttons over the darkened screen. A requester asked for while another
// is open waits behind it and opens when the first is answered.
#pragma once
#include <cstdint>
#include <string>

namespace velmora {

struct s_icon;

constexpr int32_t REQUESTER_LABEL_MAX = 99;    // characters of a button label
constexpr int32_t REQUESTER_TEXT_MAX = 499;    // characters of the body
constexpr int32_t REQUESTER_WERTE = 50;        // values handed to a button's procedure
constexpr int32_t REQUESTER_WARTESCHLANGE = 16;
constexpr int32_t ICON_REQUESTER_RAHMEN = 712;
constexpr int32_t ICON_REQUESTER_KNOPF_1 = 713;
constexpr int32_t ICON_REQUESTER_KNOPF_2 = 714;

// A button's procedure gets both value arrays.
using RequesterProc = void (*)(const int32_t* werte_1, const int32_t* werte_2);

// Mode 2 shows two buttons (labels default to "Ja" and "Nein"); any other
// mode one button at the right (label defaults to "OK") that also answers a
// right click anywhere, calling procedure 1 when procedure 2 is null.
void Menue_Requester(int32_t modus, int32_t team, const char* text, const char* label_1, const char* label_2,
                     RequesterProc proc_1, RequesterProc proc_2, int32_t anzahl_1, const int32_t* werte_1,
                     int32_t anzahl_2, const int32_t* werte_2);
// A yes/no question whose first button calls `ja` (the core's quit question).
void Menue_Requester_Frage(int32_t team, const char* text, const char* ja_text, const char* nein_text,
                           void (*ja)());
// A requester about a manager who has no club yet (the new game's last
// question): it shows his portrait (0-11), his club's crest, his name and
// the club's name instead of the local club's manager.
struct RequesterPerson {
    int32_t portrait = -1, verein = -1;
    std::string name;
};
void Menue_Requester_Person(int32_t modus, const RequesterPerson& person, const char* text, RequesterProc proc_1,
                            RequesterProc proc_2);
void Menue_Requester_Klick(s_icon* icon, int32_t ereignis);
// Whether a requester is shown, and how many wait behind it.
bool Menue_Requester_Offen();
int32_t Menue_Requester_Wartend();
// A screen built anew under an open requester (the start screen after a
// refused load took the world with it) cleared the requester's icons away:
// they are laid on top again, the requester and its answer unchanged. Nothing
// happens when none is open or it is still on the screen.
void Menue_Requester_Auflegen();
// The body of the requester shown, "" when none is.
const char* Menue_Requester_Text();
// A message to the manager of `team` (-1: the one whose turn it is): shown
// at once in his turn, else kept for his next turn (at most
// REQUESTER_NACHRICHTEN per team, the oldest go first). False when the team
// has no human manager.
constexpr int32_t REQUESTER_NACHRICHTEN = 32;
bool Menue_Nachricht_An_Manager(int32_t team, const char* text);
// The team's turn begins: its kept messages are shown, one after another.
void Menue_Nachrichten_Zeigen(int32_t team);
int32_t Menue_Nachrichten_Wartend(int32_t team);
// Forgets the shown and the waiting requesters (the program's end).
void Menue_Requester_Leeren();

}  // namespace velmora
