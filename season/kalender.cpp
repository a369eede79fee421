// season/kalender.cpp - the calendar's run-mode machine, the date and the day's work
// (its save block and network copy are kalender_stand.cpp).
#include "season/kalender.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstring>
#include <set>
#include <unordered_map>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/optionen.h"
#include "core/programm.h"
#include "core/spielstand.h"
#include "core/taste.h"
#include "core/text.h"
#include "core/text_format.h"
#include "platform/clock.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/spielplan.h"
#include "season/spielstart.h"
#include "season/kalender_intern.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"
#include "season/zeitplan.h"

namespace velmora {
namespace kalender_intern {

KalenderModul g;

const char* const WOCHENTAGE[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
const char* const WOCHENTAGE_KURZ[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
const char* const MONATE[] = {"Januar", "Februar", "M\xe4rz",     "April",   "Mai",      "Juni",
                              "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

void Termine_Bauen() {
    g.termine.clear();
    for (const ZeitplanTermin& t : g.zeitplan.termine)
        g.termine[{t.wettbewerb, t.runde, t.spieltag}] = Zeitplan_Saisontag(g.zeitplan, t.tag, t.monat, g.saisonjahr);
}

void Datum_Fuellen(int32_t start_nummer, int32_t tag, TagDatensatz* d) {
    std::memset(d, 0, sizeof *d);
    int32_t nummer = start_nummer + tag;
    d->tag_index = tag;
    Zeitplan_Datum(nummer, &d->tag, &d->monat, &d->jahr);
    d->wochentag = Zeitplan_Wochentag(nummer);
    std::snprintf(d->text_lang, sizeof d->text_lang, "%s, %d. %s %d", WOCHENTAGE[d->wochentag], d->tag,
                  MONATE[d->monat - 1], d->jahr);
    std::snprintf(d->text_kurz, sizeof d->text_kurz, "%s %02d.%02d.%04d", WOCHENTAGE_KURZ[d->wochentag], d->tag,
                  d->monat, d->jahr);
}

// Day 0 and today lie within the years a season may have, so that their day
// numbers and the dates made from them stay in range.
bool Tage_Im_Bereich(int32_t start_nummer, int32_t tag) {
    const int32_t erster = Zeitplan_Tagnummer(1, 1, 1900), letzter = Zeitplan_Tagnummer(31, 12, 9999);
    return tag >= 0 && start_nummer >= erster && start_nummer <= letzter && tag <= letzter - start_nummer;
}

}  // namespace kalender_intern

using namespace kalender_intern;

namespace {

constexpr int32_t TEXT_GESPEICHERT = 20;                  // DISK_SCREEN: the message after a save
constexpr uint32_t MUSIK_PRUEFEN_MS = 500;
constexpr int32_t ANKUENDIGUNG_SPIELTAG_SCHRITTE = 40;   // match-day steps per frame behind a page

KalenderHooks g_hooks;

uint32_t Jetzt() { return g_hooks.uhr ? g_hooks.uhr() : Plat_Ms(); }

int32_t Saisonstart_Index() {
    return Zeitplan_Tagnummer(g.zeitplan.wechsel_tag, g.zeitplan.wechsel_monat, g.saisonjahr) - g.start_nummer;
}

// The competitions of the running world as the schedule builder needs them.
std::vector<ZeitplanWettbewerb> Wettbewerbe_Fuer_Zeitplan() {
    std::vector<ZeitplanWettbewerb> liste;
    std::set<int32_t> nach_gruppen;
    std::vector<int32_t> ids = Wettbewerb_Alle();
    for (int32_t id : ids) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (s->art == ART_GRUPPE && s->naechste_runde >= 0) nach_gruppen.insert(s->naechste_runde);
    }
    for (int32_t id : ids) liste.push_back(Zeitplan_Wettbewerb_Von_Satz(*Wettbewerb_Satz(id), nach_gruppen.count(id) > 0));
    return liste;
}

void Modus_Setzen(int32_t modus) {
    if (modus == g.runmodus) return;
    Debug_Printf("Kalender: Runmodus %d -> %d (Tag %d)\n", g.runmodus, modus, g.tag);
    const bool seiten = modus == KALENDER_ANKUENDIGUNG || modus == KALENDER_ERGEBNISSE ||
                        modus == KALENDER_TABELLE || modus == KALENDER_SIEGER;
    if (seiten) g_hooks.filme_pausieren.Aufrufen();
    else g_hooks.medien_stop.Aufrufen();
    g.runmodus = modus;
    if (modus == KALENDER_TAG_START || modus == KALENDER_MENUE || modus == KALENDER_SPIELTAG ||
        modus == KALENDER_NEUER_TAG)
        g.fortsetzen = modus;
}

constexpr uint32_t NETZ_FRAGEN_MS = 1000;   // a waiting client asks the server's calendar this often

// The server waits for its clients: a club a client plays has not reported
// the end of its day, or nobody has played a day yet (no own managers and no
// client so far). A client dropped counts as having ended its day: its club
// is the computer's from then on, and once a client has played, the days go
// on without one (they once stood still until a client came back).
bool Server_Wartet() {
    int32_t clients = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        const uint32_t status = uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN));
        if (!(status & TEAM_STATUS_CLIENT)) continue;
        g.client_gesehen = true;
        if (!(status & TEAM_STATUS_BEREIT)) return true;
        ++clients;
    }
    return clients == 0 && g.zuege.empty() && !g.client_gesehen;
}

// The waiting client's match takes the screen or gives it back.
void Client_Spiel_Zeigt(bool zeigt) {
    if (zeigt == g.client_spiel_zeigt) return;
    g.client_spiel_zeigt = zeigt;
    g_hooks.client_spiel_zeigt.Aufrufen(zeigt ? 1 : 0);
}

void Netz_Warten(bool an) {
    // A match still on the screen when the wait ends gives it back first.
    if (!an) Client_Spiel_Zeigt(false);
    g.netz_warten = an;
    g.netz_gefragt = Jetzt();
    if (an) g.netz_tag = g.tag;
    if (g_hooks.netz_warten) g_hooks.netz_warten(an ? 1 : 0);
}

// One frame of the wait after the own turns.
void Netz_Warten_Schritt(uint32_t jetzt) {
    if (Club_Netzwerk_Modus() == 2) {
        if (Server_Wartet()) return;
        Netz_Warten(false);
        Modus_Setzen(KALENDER_SPIELTAG);
        return;
    }
    if (Club_Netzwerk_Modus() != 1) {   // the network is gone: the day goes on here
        Netz_Warten(false);
        Modus_Setzen(KALENDER_SPIELTAG);
        return;
    }
    if (jetzt - g.netz_gefragt < NETZ_FRAGEN_MS) return;
    g.netz_gefragt = jetzt;
    // Measured against the day the turns were for, not the day before this
    // question: the news check takes the server's calendar too, and a day it
    // took first would otherwise never be seen as new and the wait stood still.
    Kalender_Client_Sync();
    if (g.tag <= g.netz_tag) {
        g.tag = g.netz_tag;
        return;
    }
    // The server's day moved on: the game's data, then this machine's turns.
    if (g_hooks.client_alles_holen) g_hooks.client_alles_holen();
    Netz_Warten(false);
    Modus_Setzen(KALENDER_TAG_START);
}

// The turn of manager g.zug begins; past the last one the match day follows
// (in network play after the wait for the other side).
void Zug_Beginnen() {
    while (g.zug < int32_t(g.zuege.size()) && !Team_Hat_Manager(g.zuege[size_t(g.zug)])) ++g.zug;
    if (g.zug >= int32_t(g.zuege.size())) {
        const int32_t netz = Club_Netzwerk_Modus();
        if (netz == 1 || (netz == 2 && Server_Wartet())) {
            Modus_Setzen(KALENDER_MENUE);
            Netz_Warten(true);
            return;
        }
        Modus_Setzen(KALENDER_SPIELTAG);
        return;
    }
    Modus_Setzen(KALENDER_MENUE);
    Kalender_Zeit_Merken();
    g_hooks.zug_beginnt.Aufrufen(g.zuege[size_t(g.zug)]);
}

void Zug_Beenden() {
    if (g.runmodus != KALENDER_MENUE || g.zug >= int32_t(g.zuege.size())) {
        Debug_Printf("K_NEUER_TAG: kein Zug offen (Runmodus %d)\n", g.runmodus);
        return;
    }
    g_hooks.zug_endet.Aufrufen(g.zuege[size_t(g.zug)]);
    ++g.zug;
    Zug_Beginnen();
    if (g.runmodus == KALENDER_SPIELTAG && g_hooks.letzter_zug) g_hooks.letzter_zug();
}

// Shutdown: every module freed, the shell ended; nothing runs afterwards.
void Herunterfahren() {
    Modus_Setzen(KALENDER_ENDE);
    Kalender_Spiel_Freigeben();
    Global_Config_Freigeben();
    g_hooks.module_free.Aufrufen();
    if (g_hooks.app_beenden) g_hooks.app_beenden();
    g.runmodus = KALENDER_AUS;
}

// The manager hears that his game was saved, under which name and in which place.
void Gespeichert_Melden(int32_t slot) {
    SpielstandKopf k{};
    const char* text = Text_Oder_Leer("DISK_SCREEN", TEXT_GESPEICHERT);
    if (!text[0] || !Spielstand_Kopf_Lesen(slot, &k)) return;
    Meldung("%s", Text_Format(text, {k.name, slot + 1}).c_str());
}

void Ereignisse_Abarbeiten() {
    std::vector<Ereignis> liste;
    liste.swap(g.ereignisse);
    for (const Ereignis& e : liste) {
        bool menue = g.runmodus == KALENDER_MENUE;
        if (e.art == K_SPEICHERN) {
            if (!menue) {
                Debug_Printf("K_NEUER_TAG: Speichern nur im Menue (Runmodus %d)\n", g.runmodus);
                continue;
            }
            if (Spielstand_Speichern(e.wert)) Gespeichert_Melden(e.wert);
        } else if (e.art == K_LADEN) {
            if (!menue && g.runmodus != KALENDER_WARTEN) {
                Debug_Printf("K_NEUER_TAG: Laden nur im Menue (Runmodus %d)\n", g.runmodus);
                continue;
            }
            g.geladen = false;
            Spielstart_Regeln_Lesen();
            if (!Spielstand_Laden(e.wert)) continue;
            Spielstart_Set_Spiel_Laeuft();
            g.spieltag_laeuft = false;
            Modus_Setzen(KALENDER_SPIELSTART);
        }
    }
}

// The announcement pages from the menu or the match day.
bool Ankuendigung_Pruefen(uint32_t jetzt) {
    const int32_t vorher = g.runmodus;
    int32_t r = g_hooks.ankuendigung_treiber ? g_hooks.ankuendigung_treiber(jetzt) : 0;
    // A page window took over with its own run mode; it returns here when it closes.
    if (g.runmodus != vorher) return true;
    bool wartet = g_hooks.ankuendigung_wartet && g_hooks.ankuendigung_wartet();
    if (r == 0 && !wartet) return false;
    g.ankuendigung_zurueck = g.runmodus;
    Modus_Setzen(KALENDER_ANKUENDIGUNG);
    return true;
}

void Spieltag_Schritt() {
    if (!g.spieltag_laeuft) {
        g.heute.assign(256, -1);
        g.heute.resize(size_t(Kalender_Freier_Tag(-1, 1, g.heute.data())));
        if (g.heute.empty()) {
            Modus_Setzen(KALENDER_TAG_ENDE);
            return;
        }
        if (!g_hooks.spieltag_start) {
            Debug_Printf("Kalender: kein Spieltag angebunden, %zu Wettbewerbe spielen nicht\n", g.heute.size());
            Modus_Setzen(KALENDER_TAG_ENDE);
            return;
        }
        g.spieltag_laeuft = g_hooks.spieltag_start();
        if (!g.spieltag_laeuft) {
            Modus_Setzen(KALENDER_TAG_ENDE);
            return;
        }
    }
    if (g_hooks.spieltag_frame && g_hooks.spieltag_frame()) return;
    g.spieltag_laeuft = false;
    for (int32_t w : g.heute) Wettbewerb_Spiele_Beendet_Tag(w, g.tag);
    // The pages the matches left are shown before the date moves on.
    if (g_hooks.ankuendigung_wartet && g_hooks.ankuendigung_wartet()) {
        g.ankuendigung_zurueck = KALENDER_TAG_ENDE;
        Modus_Setzen(KALENDER_ANKUENDIGUNG);
        return;
    }
    Modus_Setzen(KALENDER_TAG_ENDE);
}

}  // namespace

KalenderHooks& Kalender_Hooks() { return g_hooks; }

void Kalender_Main() {
    if (g.runmodus == KALENDER_AUS) return;
    g.frame = true;
    if (g_hooks.maus_latch) g_hooks.maus_latch();
    if (Quit_State() != 0) {
        Quit_State_Setzen(2);
        Herunterfahren();
        Taste_Reset();
        return;
    }
    uint32_t jetzt = Jetzt();
    if (jetzt - g.letzte_musik > MUSIK_PRUEFEN_MS) {
        g.letzte_musik = jetzt;
        if (g_hooks.backsound_pruefen) g_hooks.backsound_pruefen();
    }
    Ereignisse_Abarbeiten();
    switch (g.runmodus) {
    case KALENDER_START:
        g_hooks.module_init.Aufrufen();
        Spielstart_Pruefen(0, nullptr);
        Modus_Setzen(KALENDER_WARTEN);
        break;
    case KALENDER_WARTEN:
        if (g_hooks.spielstart_frame) g_hooks.spielstart_frame();
        if (Spielstart_Pruefen(0, nullptr)) Modus_Setzen(KALENDER_SPIELSTART);
        break;
    case KALENDER_SPIELSTART:
        if (g.geladen) {
            g.geladen = false;
            int32_t weiter = g.fortsetzen;
            Modus_Setzen(KALENDER_TAG_START);
            if (weiter == KALENDER_MENUE) Zug_Beginnen();
            else Modus_Setzen(weiter);
        } else {
            Kalender_Neues_Spiel();
            // A client's game goes on from the server's day.
            if (Club_Netzwerk_Modus() == 1) Kalender_Client_Sync();
            Modus_Setzen(KALENDER_TAG_START);
        }
        break;
    case KALENDER_TAG_START: {
        std::vector<int32_t> liste(size_t(std::max(Team_Anzahl(), 1)));
        g.zuege.assign(liste.begin(), liste.begin() + Manager_Ist_Dran(liste.data(), 0, 0));
        g.zug = 0;
        Zug_Beginnen();
        break;
    }
    case KALENDER_MENUE: {
        // A waiting client's match runs in the views instead of the menu; the
        // question for the server's day goes on (it keeps the client heard).
        if (g.netz_warten && Club_Netzwerk_Modus() == 1 && g_hooks.client_spieltag) {
            const bool zeigt = g_hooks.client_spieltag();
            Client_Spiel_Zeigt(zeigt);
            if (zeigt) {
                Netz_Warten_Schritt(jetzt);
                break;
            }
        }
        g_hooks.menue_frame.Aufrufen();
        if (g.runmodus != KALENDER_MENUE) break;
        if (g.netz_warten) {
            Netz_Warten_Schritt(jetzt);
            break;
        }
        int32_t limit = Optionen(OPTION_ZEITLIMIT, 0, 0);
        if (limit > 0 && jetzt - g.zeit_gemerkt > uint32_t(limit)) {
            Debug_Printf("Kalender: Zeitlimit des Zuges abgelaufen\n");
            Zug_Beenden();
            break;
        }
        Ankuendigung_Pruefen(jetzt);
        break;
    }
    case KALENDER_ANKUENDIGUNG: {
        int32_t r = g_hooks.ankuendigung_treiber ? g_hooks.ankuendigung_treiber(jetzt) : 0;
        if (g.runmodus != KALENDER_ANKUENDIGUNG) break;   // a page window took over
        if (r == 2 && g.spieltag_laeuft && g_hooks.spieltag_frame)
            for (int32_t i = 0; i < ANKUENDIGUNG_SPIELTAG_SCHRITTE && g_hooks.spieltag_frame(); ++i) {}
        bool wartet = g_hooks.ankuendigung_wartet && g_hooks.ankuendigung_wartet();
        if (r == 0 && !wartet) Modus_Setzen(g.ankuendigung_zurueck);
        break;
    }
    case KALENDER_ERGEBNISSE:
    case KALENDER_TABELLE:
    case KALENDER_SIEGER:
        g_hooks.menue_frame.Aufrufen();
        if (g_hooks.ankuendigung_aktiv && g_hooks.ankuendigung_aktiv()) break;
        // The window closed: the pages still waiting come first.
        if (g_hooks.ankuendigung_wartet && g_hooks.ankuendigung_wartet()) Modus_Setzen(KALENDER_ANKUENDIGUNG);
        else Modus_Setzen(g.ankuendigung_zurueck);
        break;
    case KALENDER_SPIELTAG:
        if (!Ankuendigung_Pruefen(jetzt)) Spieltag_Schritt();
        break;
    case KALENDER_TAG_ENDE:
        // The clients' reports were for the day that ends.
        for (int32_t t = 0; t < Team_Anzahl(); ++t) Team_Wert(TW_STATUS, t, int32_t(TEAM_STATUS_BEREIT), OP_LOESCHEN);
        ++g.tag;
        Modus_Setzen(KALENDER_NEUER_TAG);
        Spielstand_Autosave(g.tag);
        break;
    case KALENDER_NEUER_TAG:
        Kalender_Jeden_Tag();
        Modus_Setzen(KALENDER_TAG_START);
        break;
    case KALENDER_ENDE: Herunterfahren(); break;
    default:
        Debug_Printf("Kalender_Main: Runmodus %d unbekannt\n", g.runmodus);
        Modus_Setzen(g.initialisiert ? KALENDER_TAG_START : KALENDER_WARTEN);
        break;
    }
    Taste_Reset();
}

void K_NEUER_TAG(int32_t ereignis, int32_t wert) {
    if (ereignis == K_FERTIG) {
        Zug_Beenden();
        return;
    }
    if ((ereignis == K_LADEN || ereignis == K_SPEICHERN) && (wert < 0 || wert >= SPIELSTAND_SLOTS)) {
        Debug_Printf("K_NEUER_TAG: Slot %d ungueltig\n", wert);
        return;
    }
    if (ereignis != K_LADEN && ereignis != K_SPEICHERN) {
        Debug_Printf("K_NEUER_TAG: Ereignis %d unbekannt\n", ereignis);
        return;
    }
    g.ereignisse.push_back({ereignis, wert});
}

int32_t Kalender_Get_Runmodus() { return g.runmodus; }

void Kalender_Set_Runmodus(int32_t modus) {
    if (modus != KALENDER_ERGEBNISSE && modus != KALENDER_TABELLE && modus != KALENDER_SIEGER) {
        Debug_Printf("Kalender_Set_Runmodus: Runmodus %d nicht erlaubt\n", modus);
        return;
    }
    if (g.runmodus != KALENDER_ANKUENDIGUNG && g.runmodus != KALENDER_MENUE && g.runmodus != KALENDER_SPIELTAG) {
        Debug_Printf("Kalender_Set_Runmodus: nicht aus Runmodus %d\n", g.runmodus);
        return;
    }
    if (g.runmodus != KALENDER_ANKUENDIGUNG) g.ankuendigung_zurueck = g.runmodus;
    Modus_Setzen(modus);
}

bool Kalender_Ist_Menue_Modus() {
    return g.runmodus == KALENDER_MENUE || g.runmodus == KALENDER_ERGEBNISSE || g.runmodus == KALENDER_TABELLE ||
           g.runmodus == KALENDER_SIEGER;
}

int32_t Kalender_Aktives_Team() {
    if (!Kalender_Ist_Menue_Modus() || g.zug >= int32_t(g.zuege.size())) return -1;
    return g.zuege[size_t(g.zug)];
}

int32_t Kalender_Naechster_Zug() {
    if (Kalender_Aktives_Team() < 0) return -1;
    for (size_t z = size_t(g.zug) + 1; z < g.zuege.size(); ++z)
        if (Team_Hat_Manager(g.zuege[z])) return g.zuege[z];
    return -1;
}

int32_t Kalender_Netz_Wartet_Auf(int32_t* teams, int32_t max) {
    if (!g.netz_warten || Club_Netzwerk_Modus() != 2 || !teams) return 0;
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl() && n < max; ++t) {
        const uint32_t status = uint32_t(Team_Wert(TW_STATUS, t, 0, OP_LESEN));
        if ((status & TEAM_STATUS_CLIENT) && !(status & TEAM_STATUS_BEREIT)) teams[n++] = t;
    }
    return n;
}

bool Kalender_Netz_Wartet() { return g.netz_warten && g.runmodus == KALENDER_MENUE; }

int32_t Tag_Index() { return g.tag; }
int32_t Kalender_Tag_Index() { return g.tag; }

TagDatensatz Kalender_Datum_Kopie() {
    TagDatensatz d;
    Datum_Fuellen(g.start_nummer, g.tag, &d);
    return d;
}

bool Kalender_Tag_Datensatz(int32_t tag, TagDatensatz* out) {
    if (!out) return false;
    if (tag == -1) tag = g.tag;
    if (!g.initialisiert || tag < 0) {
        Debug_Printf("Kalender_Tag_Datensatz: Tag %d ungueltig\n", tag);
        std::memset(out, 0, sizeof *out);
        return false;
    }
    Datum_Fuellen(g.start_nummer, tag, out);
    return true;
}

const char* Kalender_Tag_Text(int32_t tag, int32_t) { return Kalender_Tag_Name(tag, 1); }

const char* Kalender_Tag_Name(int32_t tag, int32_t lang) {
    static TagDatensatz d;
    if (!Kalender_Tag_Datensatz(tag, &d)) return "";
    return lang ? d.text_lang : d.text_kurz;
}

int32_t Kalender_Tag_Index_Von_Datum(int32_t tag, int32_t monat, int32_t jahr) {
    if (!Zeitplan_Datum_Gueltig(tag, monat, jahr)) {
        Debug_Printf("Kalender_Tag_Index_Von_Datum: %d.%d.%d ungueltig\n", tag, monat, jahr);
        return -1;
    }
    return Zeitplan_Tagnummer(tag, monat, jahr) - g.start_nummer;
}

int32_t Kalender_Saisonjahr() { return g.saisonjahr; }

int32_t Kalender_Team_Frei_2(int32_t wettbewerb, int32_t runde, int32_t spieltag) {
    auto it = g.termine.find({wettbewerb, runde, spieltag});
    if (!g.initialisiert || it == g.termine.end()) return -1;
    return Saisonstart_Index() + it->second;
}

namespace {

// The day of a game's match day (Kalender_Team_Frei_2), the last one asked kept.
struct Spieltag_Merker {
    bool da = false;
    int32_t wettbewerb = 0, runde = 0, spieltag = 0, wert = 0;
    int32_t tag(const SpielDatensatz* s) {
        if (!da || s->wettbewerb != wettbewerb || s->runde != runde || s->spieltag != spieltag) {
            da = true;
            wettbewerb = s->wettbewerb;
            runde = s->runde;
            spieltag = s->spieltag;
            wert = Kalender_Team_Frei_2(wettbewerb, runde, spieltag);
        }
        return wert;
    }
};

}  // namespace

int32_t Kalender_Freier_Tag(int32_t, int32_t, int32_t* out) {
    if (!g.initialisiert || !Spiele_Ist_Initialisiert()) return 0;
    // The competitions found so far, marked by their slot: the rest of a
    // competition's games need no look at their day. A number no competition
    // can have (a damaged save) is looked for among those found.
    std::bitset<WETTBEWERB_MAX> gefunden;
    std::vector<int32_t> ids;
    auto schon = [&](int32_t id) {
        const int32_t slot = id - WETTBEWERB_ERSTE_ID;
        if (slot >= 0 && slot < WETTBEWERB_MAX) return gefunden.test(size_t(slot));
        return std::find(ids.begin(), ids.end(), id) != ids.end();
    };
    // The games of one match day stand together: its day is looked up once.
    Spieltag_Merker merker;
    int32_t anzahl = 0;
    const SpielDatensatz* const spiele = Spiele_Alle(&anzahl);
    for (int32_t i = 0; i < anzahl; ++i) {
        const SpielDatensatz* s = &spiele[i];
        if ((s->flags & SPIEL_FLAG_GESPIELT) || s->heim < 0 || s->gast < 0) continue;
        if (schon(s->wettbewerb) || merker.tag(s) > g.tag) continue;
        const int32_t slot = s->wettbewerb - WETTBEWERB_ERSTE_ID;
        if (slot >= 0 && slot < WETTBEWERB_MAX) gefunden.set(size_t(slot));
        ids.push_back(s->wettbewerb);
    }
    std::sort(ids.begin(), ids.end());
    int32_t n = 0;
    for (int32_t id : ids)
        if (out) out[n++] = id;
        else ++n;
    return n;
}

int32_t Kalender_Heutige_Spiele(int32_t wettbewerb, Spiel_Lock* out, int32_t max) {
    if (!g.initialisiert || !Spiele_Ist_Initialisiert() || !out) return 0;
    int32_t n = 0;
    Spieltag_Merker merker;
    // The competition's own games, in the store's order.
    const int32_t* nummern = nullptr;
    const int32_t anzahl = Spiele_Nummern_Von(wettbewerb, &nummern);
    for (int32_t k = 0; k < anzahl; ++k) {
        const SpielDatensatz* s = Spiele_Nummer(nummern[k]);
        // The competition's list holds only its own games.
        if (!s || (s->flags & SPIEL_FLAG_GESPIELT) || s->heim < 0 || s->gast < 0) continue;
        if (merker.tag(s) > g.tag) continue;
        if (n >= max) break;
        out[n++] = Spiele_Lock(s->wettbewerb, s->runde, s->paarung, s->spieltag);
    }
    return n;
}

const Zeitplan* Kalender_Zeitplan() { return g.initialisiert ? &g.zeitplan : nullptr; }

void Kalender_Set_Tempo(int32_t tempo) { g.tempo = tempo ? 1 : 0; }
int32_t Kalender_Get_Tempo() { return g.tempo; }
void Kalender_Clear_Frame() { g.frame = false; }
bool Kalender_Get_Frame() { return g.frame; }
bool Kalender_Get_Wartefenster() { return g.wartefenster; }
void Kalender_Set_Wartefenster(bool an) { g.wartefenster = an; }
bool Kalender_Get_Debug() { return g.debug; }
void Kalender_Zeit_Merken() { g.zeit_gemerkt = Jetzt(); }

void Kalender_Jeden_Tag() {
    if (!g.initialisiert) {
        Debug_Printf("Kalender_Jeden_Tag: kein Spiel\n");
        return;
    }
    TagDatensatz d = Kalender_Datum_Kopie();
    Rangliste_Tag();
    // Injuries are counted in weeks: each Monday brings the injured one week
    // nearer their return, before the line-ups are checked.
    if (d.wochentag == 0) Spieler_Genesung_Woche();
    g_hooks.aufstellung_pruefen.Aufrufen();
    // The competitions move on: decided rounds, new draws, the next stage.
    for (int32_t id : Wettbewerb_Alle()) Wettbewerb_Spiele_Beendet_Tag(id, g.tag);
    // A request still open at a month change ends the day's news and events early.
    bool ereignisse = true;
    if (d.tag == 1) {
        if (g_hooks.anfrage_offen && g_hooks.anfrage_offen()) ereignisse = false;
        else Kalender_Jeden_Monat();
    }
    g_hooks.tag_gezaehlt.Aufrufen();
    if (ereignisse) g_hooks.tag_ereignisse.Aufrufen();
    if (d.tag == g.zeitplan.wechsel_tag && d.monat == g.zeitplan.wechsel_monat) Kalender_Jedes_Jahr();
}

void Kalender_Jeden_Monat() {
    g_hooks.monat_ereignisse.Aufrufen();
}

void Kalender_Jedes_Jahr() {
    if (!g.initialisiert) {
        Debug_Printf("Kalender_Jedes_Jahr: kein Spiel\n");
        return;
    }
    TagDatensatz d = Kalender_Datum_Kopie();
    g_hooks.vor_saisonwechsel.Aufrufen();
    Wettbewerb_Saison_Ende();
    Statistik_Saison_Ende();
    Rangliste_Saison_Ende();
    if (!Wettbewerb_Saison_Start()) Debug_Printf("Kalender_Jedes_Jahr: neue Spielplaene unvollstaendig\n");
    g.saisonjahr = d.jahr;
    Termine_Bauen();
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) Manager_Set_Wert_33844(t, 2);
    g_hooks.jahr_ereignisse.Aufrufen();
    Rangliste_Tag();
}

bool Kalender_Neues_Spiel() {
    // The schedule of the world just built; without a world build, the set's file.
    Zeitplan z;
    if (const Zeitplan* welt = Zeitplan_Welt()) {
        z = *welt;
    } else if (!Zeitplan_Config_Lesen(z)) {
        Debug_Printf("Kalender_Neues_Spiel: kein zeitplan.cfg, die Termine werden gebaut\n");
        z = Zeitplan{};
    }
    Zeitplan_Ergaenzen(z, Wettbewerbe_Fuer_Zeitplan());
    g.zeitplan = z;
    g.saisonjahr = z.start_jahr;
    g.start_nummer = Zeitplan_Tagnummer(z.wechsel_tag, z.wechsel_monat, z.start_jahr);
    g.tag = 0;
    g.zuege.clear();
    g.zug = 0;
    g.spieltag_laeuft = false;
    g.initialisiert = true;
    Termine_Bauen();
    bool ok = Rangliste_Init() && Statistik_Init();
    Rangliste_Tag();
    return ok;
}

void Kalender_Spiel_Freigeben() {
    Kalender_Free();
    Zeitplan_Welt_Free();
    Rangliste_Free();
    Statistik_Free();
    Saison_Free();
    Tabelle_Free();
    Wettbewerb_Free();
    Spiele_Free();
    Team_Free(0);
    Spieler_Free();
}

void Kalender_Free() {
    int32_t modus = g.runmodus;
    auto ereignisse = g.ereignisse;
    g = KalenderModul{};
    g.runmodus = modus;
    g.ereignisse = ereignisse;
}

void Kalender_Zuruecksetzen() { g = KalenderModul{}; }

void Kalender_Zum_Start() {
    if (g.runmodus == KALENDER_AUS || g.runmodus == KALENDER_ENDE) return;
    Kalender_Spiel_Freigeben();
    g_hooks.module_free.Aufrufen();
    // KALENDER_START: the modules start again and the start screens follow.
    g = KalenderModul{};
}

}  // namespace velmora
