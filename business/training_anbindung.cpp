// business/training_anbindung.cpp - connects the training unit and the camps.
#include "business/training_anbindung.h"

#include "business/training.h"
#include "business/trainingslager_lauf.h"
#include "club/club_hooks.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "platform/clock.h"
#include "season/kalender.h"

namespace velmora {
namespace {

struct AnbindungModul {
    bool angebunden = false;
    // The calendar's hooks as they were filled before the training took them.
    KalenderHooks vorher;
};
AnbindungModul g;

void module_init() {
    Training_Reset();
    Lager_Reset();
    if (g.vorher.module_init) g.vorher.module_init();
}

void module_free() {
    Training_Reset();
    Lager_Reset();
    if (g.vorher.module_free) g.vorher.module_free();
}

void menue_frame() {
    uint32_t jetzt = Kalender_Hooks().uhr ? Kalender_Hooks().uhr() : Plat_Ms();
    Training2_Frame(jetzt);
    Lager_Frame(jetzt);
    if (g.vorher.menue_frame) g.vorher.menue_frame();
}

}  // namespace

void Training_Anbinden() {
    if (g.angebunden) Training_Abbinden();
    ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) {
        c.speicher_registrieren("Training", Training_Save, Training_Load);
        c.speicher_registrieren("Trainingslager", Lager_Save, Lager_Load);
    } else {
        Debug_Printf("Training_Anbinden: kein Spielstand angebunden, Training wird nicht gespeichert\n");
    }
    KalenderHooks& k = Kalender_Hooks();
    g.vorher = k;
    k.module_init = module_init;
    k.module_free = module_free;
    k.menue_frame = menue_frame;
    g.angebunden = true;
}

void Training_Abbinden() {
    if (!g.angebunden) return;
    Spielstand_Modul_Abmelden("Training");
    Spielstand_Modul_Abmelden("Trainingslager");
    KalenderHooks& k = Kalender_Hooks();
    k.module_init = g.vorher.module_init;
    k.module_free = g.vorher.module_free;
    k.menue_frame = g.vorher.menue_frame;
    g = AnbindungModul{};
}

}  // namespace velmora
