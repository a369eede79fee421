// screens/disk_screen.h - the save and load screen: one window with two
// pages that list the ten save slots (slot 9 the autosave). The load page
// loads the chosen slot, the save page names a slot and saves into it; both
// hand the work to the calendar, which runs it at the start of the next frame.
// The save driver asks this screen for a slot's name and its texts, and lets
// it read the slot headers again after every save.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t ICON_DISK_LADEN_FENSTER = 1701;
constexpr int32_t ICON_DISK_LADEN = 1703;
constexpr int32_t ICON_DISK_ZURUECK = 1704;
constexpr int32_t ICON_DISK_SPEICHERN_FENSTER = 1715;
constexpr int32_t ICON_DISK_SPEICHERN = 1716;
constexpr int32_t ICON_DISK_ABBRECHEN = 1717;
constexpr int32_t ICON_DISK_FAENGER_LADEN = 1718;       // the full-screen catcher of each page
constexpr int32_t ICON_DISK_FAENGER_SPEICHERN = 1719;
// The screen's texts.
constexpr const char* DISK_TEXTE = "DISK_SCREEN";

// Opens the load page (panel button 705 entry 0, option icon 723) or the save
// page (entry 1, option icon 724); nothing when that page is open already. The
// other page closes first. Each reads the ten slot headers; the save page
// never keeps the autosave slot selected.
void Disk_Screen_Laden_Oeffnen();
void Disk_Screen_Speichern_Oeffnen();
// Takes whichever page is open off the screen.
void Disk_Screen_Schliessen();
// Closes and forgets the selection and the headers read (the program's end).
void Disk_Screen_Free();

// Reads the ten slot headers again: a used slot without a name gets the
// default name with its number, a selected slot that is no longer in use is
// deselected (after a save, before a load).
void Disk_Screen_Koepfe_Lesen();
// The name the manager gave `slot` on the save page, null for none (the save driver's hook).
const char* Disk_Screen_Slot_Name(int32_t slot);
// A text of the screen, null when missing (the save driver's hook).
const char* Disk_Screen_Text(int32_t nummer);

// The selected slot, -1 for none; 0 the load page, 1 the save page, -1 none open.
int32_t Disk_Screen_Auswahl();
int32_t Disk_Screen_Seite();

}  // namespace velmora
