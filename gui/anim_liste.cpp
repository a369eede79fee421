// gui/anim_liste.cpp - timed picture animations.
#include "gui/anim_liste.h"

#include "core/debug.h"
#include "gfx/blit.h"
#include "gfx/rastport.h"
#include "gui/icon.h"
#include "gui/menue.h"

namespace velmora {
namespace {

bool Anzahl_Ok(const char* wer, size_t groesse, int32_t n) {
    if (n < 0 || size_t(n) > groesse) {
        Debug_Printf("%s: %d Slots, das Feld hat %zu\n", wer, n, groesse);
        return false;
    }
    return true;
}

bool Index_Ok(const char* wer, size_t groesse, int32_t i) {
    if (i < 0 || size_t(i) >= groesse) {
        Debug_Printf("%s: Slot %d ausserhalb von %zu\n", wer, i, groesse);
        return false;
    }
    return true;
}

}  // namespace

void Anim_Liste_Init(std::span<Anim_Slot> slots, int32_t n) {
    if (!Anzahl_Ok("Anim_Liste_Init", slots.size(), n)) return;
    for (int32_t i = 0; i < n; ++i) slots[size_t(i)] = Anim_Slot{};
}

int32_t Anim_Liste_Neu(std::span<Anim_Slot> slots, int32_t n, int32_t x, int32_t y, int32_t erstes, int32_t anzahl,
                       int32_t intervall, int32_t schleife, int32_t zurueck) {
    if (!Anzahl_Ok("Anim_Liste_Neu", slots.size(), n)) return -1;
    for (int32_t i = 0; i < n; ++i) {
        Anim_Slot& s = slots[size_t(i)];
        if (s.aktiv) continue;
        s = Anim_Slot{};
        s.aktiv = 1;
        s.erstes = erstes;
        s.x = x;
        s.y = y;
        s.anzahl = anzahl;
        s.intervall = intervall;
        s.schleife = uint8_t(schleife);
        s.zurueck = zurueck;
        s.letzter_schritt = Menue_Get_Zeit();
        return i;
    }
    return -1;
}

void Anim_Liste_Zeichnen(std::span<Anim_Slot> slots, int32_t n) {
    if (!Anzahl_Ok("Anim_Liste_Zeichnen", slots.size(), n)) return;
    Rastport* ziel = Rastport_Target();
    for (int32_t i = 0; i < n; ++i) {
        Anim_Slot& s = slots[size_t(i)];
        if (s.aktiv != 1) continue;
        if (Rastport* rp = Menue_Get_Slave_Rastport(s.erstes + s.bild, nullptr)) {
            Rastport_Blit(rp, 0, 0, -1, -1, ziel, s.x, s.y, BlitMode_Default);
        } else if (!s.gemeldet) {
            s.gemeldet = 1;
            Debug_Printf("Anim_Liste_Zeichnen: Bild %d fehlt\n", s.erstes + s.bild);
        }
        const uint32_t jetzt = Menue_Get_Zeit();
        if (s.intervall > 0 && jetzt - s.letzter_schritt < uint32_t(s.intervall)) continue;
        s.letzter_schritt = jetzt;
        if (s.bild < s.anzahl - 2) ++s.bild;
        else if (s.schleife == 1) s.bild = s.zurueck;
        else s = Anim_Slot{};
    }
}

bool Anim_Liste_Aktiv(std::span<const Anim_Slot> slots, int32_t i) {
    return Index_Ok("Anim_Liste_Aktiv", slots.size(), i) && slots[size_t(i)].aktiv == 1;
}

int32_t Anim_Liste_Bild(std::span<const Anim_Slot> slots, int32_t i) {
    return Index_Ok("Anim_Liste_Bild", slots.size(), i) ? slots[size_t(i)].bild : -1;
}

}  // namespace velmora
