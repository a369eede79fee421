// core/taste.h - key polling.
//
// The shell feeds the keys and the mouse button state of each frame in; the
// modules ask whether something was pressed since the last reset, which the
// calendar does at the end of each frame.
#pragma once
#include <cstdint>

namespace velmora {

// 1 when a character or a key code has arrived since the last reset, or, with
// `maus` set, when the mouse button state has newly become 1 or 2.
int32_t Taste_Gedrueckt(int32_t maus);
// The last character, 0 when none; A-Z fold to lower case unless Shift is held.
int32_t Taste_Get_Zeichen();
int32_t Taste_Get_Code();        // the last virtual key code, 0 when none
int32_t Taste_Shift();           // 1 while Shift is held
int32_t Taste_Ctrl();
// 1 when the last key or character came from a held key's repeat, 0 for a fresh press.
int32_t Taste_Wiederholt();
// Last character, last code, Shift and Ctrl to -1, repeat mark and mouse change forgotten.
void Taste_Reset();
// The frame's key and character are taken (the team editor's edit that a key
// ended): nothing else reads them in this frame, Shift, Ctrl and the mouse stay.
void Taste_Verbrauchen();
// Would wait for a key to be released and pressed again. The main thread may
// never block, so it only logs and returns.
void Taste_Warten();

// Fed by the shell's input handling.
void Taste_Eingabe_Zeichen(int32_t zeichen);
void Taste_Eingabe_Code(int32_t code);
void Taste_Eingabe_Shift(int32_t gedrueckt);
void Taste_Eingabe_Ctrl(int32_t gedrueckt);
void Taste_Eingabe_Wiederholt(int32_t wiederholt);
void Taste_Eingabe_Maus(int32_t knopf_zustand);   // 0 none, 1 left, 2 right

}  // namespace velmora
