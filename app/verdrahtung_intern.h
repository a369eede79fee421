// app/verdrahtung_intern.h - the composition root's tools for binding a
// module, shared by its files. Everything a binding does is recorded with its
// module, so the module unbinds exactly what it bound.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "app/verdrahtung.h"
#include "club/club_anbindung.h"
#include "core/abonnenten.h"

namespace velmora::verdrahtung {

// The options of the binding under way.
const VerdrahtungOptionen& Einstellungen();
// Whether `modul` belongs to the binding under way (bound already or still to
// come): a fallback is chosen by what the mode binds, never by the order.
bool Dabei(const char* modul);
// The module being bound.
const char* Modul();

// A fault of the wiring; the start stops with every fault named.
void Fehler(const std::string& text);
// A step run when the module being bound is unbound (in reverse order).
void Beim_Abbinden(std::function<void()> schritt);
// Notes `hook` (by its address) as filled by the module being bound; false,
// with a fault naming both, when another module filled it already.
bool Besitz_Eintragen(const void* hook, const char* name);

// Fills a single-owner hook.
template <typename F>
void Besetzen(F& hook, std::type_identity_t<F> fn, const char* name) {
    if (!Besitz_Eintragen(&hook, name)) return;
    hook = fn;
    F* ort = &hook;
    Beim_Abbinden([ort, fn] {
        if (*ort == fn) *ort = nullptr;
    });
}

void Listen_Fehler(const char* liste, int32_t prioritaet, const char* besetzt_von);

// Enters a subscriber of the module being bound.
template <typename... A>
void Abonnieren(Abonnenten<A...>& liste, const char* listenname, int32_t prioritaet,
                std::type_identity_t<void (*)(A...)> fn) {
    if (!liste.Anmelden(prioritaet, fn, Modul())) {
        Listen_Fehler(listenname, prioritaet, liste.Name_Bei(prioritaet));
        return;
    }
    Abonnenten<A...>* l = &liste;
    Beim_Abbinden([l, fn] { l->Abmelden(fn); });
}

// A request of the module being bound, answered by the server.
void Anfrage(int32_t id, ClubServerFn fn);
// The module's save block, registered by the module's own function.
void Block(bool (*anmelden)(), const char* name);

// The bindings of the modules, one per module of the table.
void Binden_Core();
void Binden_Grafik();
void Binden_Netz();
void Binden_Club();
void Binden_Saison();
void Binden_Spielfeld();
void Binden_Spieltag();
void Binden_News();
void Binden_Stadion();
void Binden_Bank();
void Binden_Scout();
void Binden_Verhandlung();
void Binden_Training();
void Binden_Ereignis();
void Binden_Shell();
void Binden_Bildschirm();
// The match-day pages (module "Seiten"): the announcement buffer between the
// calendar, the match day, the competitions and the news, and its pages.
void Binden_Ankuendigungen();
// The competition screens, part of the window's binding (the screens before
// the panel's placeholder cards).
void Binden_Tabellen_Screens();
// The menu screens of screens/, part of the window's binding (before the panel's placeholder cards).
void Binden_Menue_Screens();
void Binden_Start();
void Binden_Ansicht();
void Binden_Lauf();
// The simulator's pictures of a watched match (app/verdrahtung_ansicht.cpp).
void Binden_Sim_Ansicht();
// What the menu framework shows of the clubs, the calendar and the
// competitions, part of the screen's binding (app/verdrahtung_menue.cpp).
void Binden_Menue_Spiel();
// The player windows, part of the screens' binding (app/verdrahtung_spieler.cpp).
void Binden_Spielerfenster();
// The transfers (app/verdrahtung_transfer.cpp): the market's day, with the
// negotiation's module; the transfer screen, with the screens.
void Binden_Markt_Elf();
void Binden_Transfer_Screens();
// With the training's module: a human club's match frees its players' training units.
void Binden_Training_Einheiten();

}  // namespace velmora::verdrahtung
