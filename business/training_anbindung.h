// business/training_anbindung.h - connects the training unit and the camps to
// the save game and the calendar.
#pragma once

namespace velmora {

// Registers the save blocks "Training" (the open training unit) and
// "Trainingslager" (the camp run), and fills the calendar's hooks: a new or
// ended game clears both, and every frame of the menu phase drives an open
// unit and a running camp with the calendar's clock (the windows only draw).
// Call it after Club_Anbinden; hooks of the calendar that are filled already
// are kept and called after the training's.
void Training_Anbinden();
// Takes the registrations and hooks back.
void Training_Abbinden();

}  // namespace velmora
