// app/verdrahtung.cpp - the composition root: the module table, the binding
// and unbinding in order, and the checks that stop an unsound start.
#include "app/verdrahtung.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "app/verdrahtung_intern.h"
#include "bilder/trikot.h"
#include "business/bank.h"
#include "business/news_anfrage.h"
#include "club/club_hooks.h"
#include "club/kader_hooks.h"
#include "club/weltgen.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/meldung.h"
#include "core/spielstand.h"
#include "gfx/bild.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld_hooks.h"
#include "net/net.h"
#include "net/richter.h"
#include "platform/files.h"
#include "season/kalender.h"
#include "season/season_welt.h"
#include "season/wettbewerb.h"
#include "shell/app.h"

namespace velmora {
namespace {

constexpr uint8_t FENSTER = 1, HEADLESS = 2, SIM = 4;
constexpr uint8_t ALLE = FENSTER | HEADLESS | SIM;

// The modules in their declared order: each binds after those it builds on.
struct ModulEintrag {
    const char* name;
    void (*binden)();
    uint8_t betriebe;   // the modes that bind it (TEST: as SIM unless named)
};
constexpr ModulEintrag MODULE[] = {
    {"Core", verdrahtung::Binden_Core, ALLE},
    {"Grafik", verdrahtung::Binden_Grafik, FENSTER | HEADLESS},
    {"Netz", verdrahtung::Binden_Netz, ALLE},
    {"Club", verdrahtung::Binden_Club, ALLE},
    {"Saison", verdrahtung::Binden_Saison, ALLE},
    {"Spielfeld", verdrahtung::Binden_Spielfeld, ALLE},
    {"Spieltag", verdrahtung::Binden_Spieltag, ALLE},
    {"News", verdrahtung::Binden_News, ALLE},
    {"Stadion", verdrahtung::Binden_Stadion, ALLE},
    {"Bank", verdrahtung::Binden_Bank, ALLE},
    {"Scout", verdrahtung::Binden_Scout, ALLE},
    {"Verhandlung", verdrahtung::Binden_Verhandlung, ALLE},
    {"Training", verdrahtung::Binden_Training, ALLE},
    {"Ereignis", verdrahtung::Binden_Ereignis, ALLE},
    {"Shell", verdrahtung::Binden_Shell, FENSTER | HEADLESS},
    {"Bildschirm", verdrahtung::Binden_Bildschirm, FENSTER},
    // The match-day pages: with the window; a test names it to have a game
    // without one queue, forward and take its pages.
    {"Seiten", verdrahtung::Binden_Ankuendigungen, FENSTER},
    {"Start", verdrahtung::Binden_Start, FENSTER},
    {"Ansicht", verdrahtung::Binden_Ansicht, FENSTER},
    {"Lauf", verdrahtung::Binden_Lauf, HEADLESS | SIM},
    // The simulator's pictures of a watched match: no mode binds it by
    // itself; velmora-sim asks for it after the binding (Verdrahtung_Modul_Binden).
    {"SimAnsicht", verdrahtung::Binden_Sim_Ansicht, 0},
};

// A single-owner hook a mode cannot do without, by the module that needs it
// (mostly the one that fills it; a runner needs the match day).
struct Pflicht {
    const char* modul;
    const char* name;
    bool (*gefuellt)();
    uint8_t betriebe;
};
const Pflicht PFLICHTEN[] = {
    {"Core", "Core.meldung", [] { return Core_Hooks().meldung != nullptr; }, ALLE},
    {"Core", "Core.win_error_box", [] { return Core_Hooks().win_error_box != nullptr; }, ALLE},
    {"Netz", "Core.netz_beenden", [] { return Core_Hooks().netz_beenden != nullptr; }, ALLE},
    {"Netz", "Spielstand.netz_modus", [] { return Spielstand_Hooks().netz_modus != nullptr; }, ALLE},
    {"Club", "Club.client_read", [] { return Club_Hooks().client_read != nullptr; }, ALLE},
    {"Club", "Core.manager_option_lesen", [] { return Core_Hooks().manager_option_lesen != nullptr; }, ALLE},
    {"Saison", "Wettbewerb.jahr", [] { return Wettbewerb_Hooks().jahr != nullptr; }, ALLE},
    {"Spieltag", "Kalender.spieltag_start", [] { return Kalender_Hooks().spieltag_start != nullptr; }, ALLE},
    {"Spieltag", "Kalender.spieltag_frame", [] { return Kalender_Hooks().spieltag_frame != nullptr; }, ALLE},
    {"Lauf", "Kalender.spieltag_start", [] { return Kalender_Hooks().spieltag_start != nullptr; }, ALLE},
    {"Lauf", "Kalender.spieltag_frame", [] { return Kalender_Hooks().spieltag_frame != nullptr; }, ALLE},
    {"Spieltag", "Spieltag.heutige_spiele", [] { return Spieltag_Hooks().heutige_spiele != nullptr; }, ALLE},
    {"Spielfeld", "Spielfeld.spiel", [] { return Spielfeld_Hooks().spiel != nullptr; }, ALLE},
    {"Spielfeld", "Kader.spielfeld_taktik_linie", [] { return Kader_Hooks().spielfeld_taktik_linie != nullptr; }, ALLE},
    {"News", "Spieltag.news", [] { return Spieltag_Hooks().news != nullptr; }, ALLE},
    {"News", "Kader.transfer_news", [] { return Kader_Hooks().transfer_news != nullptr; }, ALLE},
    {"News", "Kalender.anfrage_offen", [] { return Kalender_Hooks().anfrage_offen != nullptr; }, ALLE},
    {"News", "Richter.news_suchen", [] { return Richter_Hooks().news_suchen != nullptr; }, ALLE},
    {"Stadion", "Spieltag.stadion_einnahmen", [] { return Spieltag_Hooks().stadion_einnahmen != nullptr; }, ALLE},
    {"Stadion", "Spielfeld.werbung", [] { return Spielfeld_Hooks().werbung != nullptr; }, ALLE},
    {"Bank", "Kader.bank_ueberweisung", [] { return Kader_Hooks().bank_ueberweisung != nullptr; }, ALLE},
    {"Bank", "Spieltag.bank_ueberweisung", [] { return Spieltag_Hooks().bank_ueberweisung != nullptr; }, ALLE},
    {"Bank", "Wettbewerb.bank_buchen", [] { return Wettbewerb_Hooks().bank_buchen != nullptr; }, ALLE},
    {"Verhandlung", "Kader.verkaufserloes", [] { return Kader_Hooks().verkaufserloes != nullptr; }, ALLE},
    {"Grafik", "Bild.res_slot", [] { return Bild_Hooks().res_slot != nullptr; }, FENSTER | HEADLESS},
    {"Shell", "Kalender.app_beenden", [] { return Kalender_Hooks().app_beenden != nullptr; }, FENSTER | HEADLESS},
    {"Shell", "Kalender.uhr", [] { return Kalender_Hooks().uhr != nullptr; }, FENSTER | HEADLESS},
    {"Shell", "Shell.kalender_main", [] { return Shell_Dienste().kalender_main != nullptr; }, FENSTER | HEADLESS},
    {"Shell", "Net.warten", [] { return Net_Hooks().warten != nullptr; }, FENSTER | HEADLESS},
    {"Shell", "Net.warten_ende", [] { return Net_Hooks().warten_ende != nullptr; }, FENSTER | HEADLESS},
    {"Start", "Kalender.spielstart_frame", [] { return Kalender_Hooks().spielstart_frame != nullptr; }, FENSTER},
    {"Lauf", "Kalender.spielstart_frame", [] { return Kalender_Hooks().spielstart_frame != nullptr; }, HEADLESS | SIM},
};

struct Gebunden {
    std::string name;
    std::vector<std::function<void()>> rueckbau;   // undone in reverse order
};

struct RootZustand {
    VerdrahtungOptionen optionen;
    std::vector<std::string> auswahl;   // the modules of the binding under way
    std::vector<Gebunden> gebunden;     // in binding order
    Gebunden* aktuell = nullptr;
    std::vector<std::string> fehler;
    std::map<const void*, std::pair<std::string, std::string>> besitzer;   // hook: module, hook name
};
RootZustand g;

const ModulEintrag* Eintrag(const std::string& name) {
    for (const ModulEintrag& m : MODULE)
        if (name == m.name) return &m;
    return nullptr;
}

uint8_t Maske(Betrieb b) {
    switch (b) {
    case Betrieb::FENSTER: return FENSTER;
    case Betrieb::HEADLESS: return HEADLESS;
    default: return SIM;
    }
}

// The modules the options ask for, in the order to bind them in.
std::vector<std::string> Auswahl(const VerdrahtungOptionen& o) {
    std::vector<std::string> namen;
    if (o.betrieb == Betrieb::TEST && !o.nur.empty()) {
        for (const std::string& n : o.nur) {
            if (!Eintrag(n)) verdrahtung::Fehler("kein Modul \"" + n + "\"");
            else if (std::find(namen.begin(), namen.end(), n) == namen.end()) namen.push_back(n);
        }
    } else {
        for (const ModulEintrag& m : MODULE)
            if (m.betriebe & Maske(o.betrieb)) namen.push_back(m.name);
    }
    if (o.reihenfolge.empty()) {
        std::vector<std::string> geordnet;
        for (const ModulEintrag& m : MODULE)
            if (std::find(namen.begin(), namen.end(), m.name) != namen.end()) geordnet.push_back(m.name);
        return geordnet;
    }
    std::vector<std::string> geordnet;
    for (const std::string& n : o.reihenfolge)
        if (std::find(namen.begin(), namen.end(), n) != namen.end() &&
            std::find(geordnet.begin(), geordnet.end(), n) == geordnet.end())
            geordnet.push_back(n);
    for (const std::string& n : namen)
        if (std::find(geordnet.begin(), geordnet.end(), n) == geordnet.end()) geordnet.push_back(n);
    return geordnet;
}

void Abbauen(Gebunden& m) {
    for (auto it = m.rueckbau.rbegin(); it != m.rueckbau.rend(); ++it) (*it)();
    m.rueckbau.clear();
    for (auto it = g.besitzer.begin(); it != g.besitzer.end();) {
        if (it->second.first == m.name) it = g.besitzer.erase(it);
        else ++it;
    }
}

void Pflichten_Pruefen() {
    const uint8_t maske = Maske(g.optionen.betrieb);
    for (const Pflicht& p : PFLICHTEN) {
        if (!(p.betriebe & maske)) continue;
        // A test world names its modules: it needs only what they need.
        if (g.optionen.betrieb == Betrieb::TEST && !verdrahtung::Dabei(p.modul)) continue;
        if (!p.gefuellt()) verdrahtung::Fehler(std::string(p.name) + " ist nicht gefuellt (gebraucht von " + p.modul + ")");
    }
}

}  // namespace

namespace verdrahtung {

const VerdrahtungOptionen& Einstellungen() { return g.optionen; }

bool Dabei(const char* modul) {
    return std::find(g.auswahl.begin(), g.auswahl.end(), modul) != g.auswahl.end();
}

const char* Modul() { return g.aktuell ? g.aktuell->name.c_str() : "?"; }

void Fehler(const std::string& text) {
    Debug_Printf("Spiel_Verdrahten: %s\n", text.c_str());
    g.fehler.push_back(text);
}

void Beim_Abbinden(std::function<void()> schritt) {
    if (g.aktuell) g.aktuell->rueckbau.push_back(std::move(schritt));
}

bool Besitz_Eintragen(const void* hook, const char* name) {
    auto it = g.besitzer.find(hook);
    if (it != g.besitzer.end()) {
        Fehler(std::string(name) + " wird von " + it->second.first + " und " + Modul() + " gefuellt");
        return false;
    }
    g.besitzer[hook] = {Modul(), name};
    return true;
}

void Listen_Fehler(const char* liste, int32_t prioritaet, const char* besetzt_von) {
    Fehler(std::string(liste) + ": " + (besetzt_von ? besetzt_von : "?") + " und " + Modul() +
           " auf derselben Prioritaet " + std::to_string(prioritaet));
}

void Anfrage(int32_t id, ClubServerFn fn) {
    if (!Club_Anfrage_Anmelden(id, fn)) {
        Fehler("Anfrage " + std::to_string(id) + " nicht anzumelden");
        return;
    }
    Beim_Abbinden([id] { Club_Anfrage_Abmelden(id); });
}

void Block(bool (*anmelden)(), const char* name) {
    if (!anmelden()) {
        Fehler(std::string("Spielstand-Block ") + name + " nicht anzumelden");
        return;
    }
    Beim_Abbinden([name] { Spielstand_Modul_Abmelden(name); });
}

}  // namespace verdrahtung

bool Spiel_Verdrahten(Betrieb betrieb, std::string* fehler) {
    VerdrahtungOptionen o;
    o.betrieb = betrieb;
    return Spiel_Verdrahten(o, fehler);
}

bool Spiel_Verdrahten(const VerdrahtungOptionen& optionen, std::string* fehler) {
    Spiel_Entdrahten();
    // A failed save past the file-size limit is reported and played on (also
    // in programs that did not ask for it first thing).
    Plat_Dateigrenze_Ignorieren();
    g.optionen = optionen;
    g.fehler.clear();
    g.auswahl = Auswahl(optionen);
    for (const std::string& name : g.auswahl) {
        g.gebunden.push_back(Gebunden{name, {}});
        g.aktuell = &g.gebunden.back();
        Eintrag(name)->binden();
        g.aktuell = nullptr;
    }
    Pflichten_Pruefen();
    if (g.fehler.empty()) return true;
    std::string text = "Das Spiel ist falsch zusammengesetzt:";
    for (const std::string& f : g.fehler) text += "\n  " + f;
    if (fehler) *fehler = text;
    Spiel_Entdrahten();
    return false;
}

void Spiel_Entdrahten() {
    Spielstand_Schreiber_Warten();   // the last autosave is on the disk, or reported, while the modules are bound
    for (auto it = g.gebunden.rbegin(); it != g.gebunden.rend(); ++it) Abbauen(*it);
    g.gebunden.clear();
    g.besitzer.clear();
    g.auswahl.clear();
}

std::vector<std::string> Verdrahtung_Module() {
    std::vector<std::string> namen;
    for (const ModulEintrag& m : MODULE) namen.push_back(m.name);
    return namen;
}

std::vector<std::string> Verdrahtung_Gebunden() {
    std::vector<std::string> namen;
    for (const Gebunden& m : g.gebunden) namen.push_back(m.name);
    return namen;
}

bool Verdrahtung_Modul_Binden(const char* name, std::string* fehler) {
    const ModulEintrag* e = Eintrag(name ? name : "");
    if (!e || verdrahtung::Dabei(name)) {
        if (fehler) *fehler = std::string("Modul \"") + (name ? name : "") + (e ? "\" ist schon gebunden" : "\" gibt es nicht");
        return false;
    }
    g.fehler.clear();
    g.auswahl.push_back(name);
    g.gebunden.push_back(Gebunden{name, {}});
    g.aktuell = &g.gebunden.back();
    e->binden();
    g.aktuell = nullptr;
    if (g.fehler.empty()) return true;
    if (fehler) *fehler = g.fehler.front();
    g.fehler.clear();
    Verdrahtung_Modul_Abbinden(name);
    return false;
}

bool Verdrahtung_Modul_Abbinden(const char* name) {
    for (auto it = g.gebunden.begin(); it != g.gebunden.end(); ++it) {
        if (it->name != name) continue;
        Abbauen(*it);
        g.gebunden.erase(it);
        g.auswahl.erase(std::remove(g.auswahl.begin(), g.auswahl.end(), name), g.auswahl.end());
        return true;
    }
    return false;
}

void Spiel_Sperren() {
    if (Netzwerk_Modus() == 1 || Dirs_Sperre() != DirsSperre::KEINE) return;
    switch (Dirs_Sperren()) {
        case DirsSperre::GEHALTEN: Spielstand_Reste_Entfernen(); break;
        case DirsSperre::FREMD:
            Meldung("Another Velmora is running on the user directory %s: this one plays without saving.",
                    Dirs_Get(DIR_USER));
            break;
        case DirsSperre::KEINE: break;
    }
}

void Verdrahtung_Weltgen() {
    Weltgen_Wettbewerbe_Setzen(Season_Weltgen_Wettbewerbe);
    Weltgen_Trikots_Setzen([](int32_t team, uint32_t wahl) { Trikot_Vereinsfarben(team, wahl); });
}

}  // namespace velmora
