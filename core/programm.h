// core/programm.h - the end of the program.
#pragma once
#include <cstdint>

namespace velmora {

// The quit state: 0 running, 1 an end was asked for, 2 quitting (the main loop ends on 2).
int32_t Quit_State();
void Quit_State_Setzen(int32_t zustand);

// Asks for an orderly end: the quit state becomes 1.
void Programm_Beenden_Anfordern();
// Tells the server (network message 1029), closes the connections and sets the
// quit state to 1 when it was 0.
void Programm_Beenden();
// The quit question as a requester for the local manager; its first button ends the program.
void Dialog_Zeigen();

}  // namespace velmora
