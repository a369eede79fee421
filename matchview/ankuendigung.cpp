// matchview/ankuendigung.cpp - the announcement buffer, the sequence and its driver.
#include "matchview/ankuendigung.h"

#include <algorithm>
#include <cstring>

#include "bilder/trikot.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ankuendigung_intern.h"
#include "matchview/ergebnis_seite.h"
#include "matchview/matchsound.h"
#include "media/sound.h"
#include "net/net.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t ZOOM_STUFEN = 7;
constexpr int32_t SAMPLE_VOR_SPIEL = 6;

struct AnkuendigungModul {
    Ankuendigung puffer[ANKUENDIGUNG_PUFFER] = {};
    Ankuendigung staging = {};
    int32_t art = -1;
    bool laeuft = false;            // a phase is running
    uint32_t start = 0;
    Rastport* seite = nullptr;      // the page picture
    int32_t seite_x = 0, seite_y = 0;
    Rastport* kopie = nullptr;      // the screen as the page found it
    Rastport* dunkel = nullptr;
    int32_t zoom = 0;
    uint32_t zoom_zeit = 0;
    int32_t gezeigt_gegner = -1;    // the opponent of the last kind-0 page
    bool gebaut = false;            // the page was built in this frame
    bool ton = false;               // the opening sound of this sequence was played
    bool klick_sperre = false;
    bool steht = false;          // the page stands whole (its plates arrived)
    bool vor_menue_faellig = true;  // kind 0 is asked for at the turn's first frame
    uint32_t vor_menue_zeit = 0;
};
AnkuendigungModul g;
AnkuendigungHooks g_hooks;

bool Frei(const Ankuendigung& a) { return a.schluessel == 0; }

bool Fern(uint32_t team) {
    return team != ANKUENDIGUNG_KEIN_TEAM && int32_t(team) >= 0 && int32_t(team) < Team_Anzahl() &&
           (uint32_t(Team_Wert(TW_STATUS, int32_t(team), 0, OP_LESEN)) & TEAM_STATUS_CLIENT);
}

// A club a person at this machine plays. On the server a club left to the
// clients keeps a manager record while no client plays it (its placeholder,
// or the record of a client that was dropped): the computer plays it, and
// its pages are nobody's here.
bool Mensch_Lokal(uint32_t team) {
    if (team == ANKUENDIGUNG_KEIN_TEAM || int32_t(team) < 0 || int32_t(team) >= Team_Anzahl() || Fern(team))
        return false;
    return Netzwerk_Modus() == 2 ? Team_Hat_Aktiven_Manager(int32_t(team)) : Team_Hat_Manager(int32_t(team));
}

bool Art_Gueltig(uint32_t art) { return (art >= ANK_VOR_SPIEL && art <= ANK_TABELLE) || art == ANK_SIEGER; }

const char* Teams_Fehler(const Ankuendigung& a) {
    if (int32_t(a.heim) < 0 || int32_t(a.heim) >= Team_Anzahl()) return "Heimteam ungueltig";
    if (a.gast != ANKUENDIGUNG_KEIN_TEAM && (int32_t(a.gast) < 0 || int32_t(a.gast) >= Team_Anzahl()))
        return "Gastteam ungueltig";
    return nullptr;
}

// A record as it may stand in the buffer or arrive from the server: a known
// kind and key, teams and competition of this game; a free slot holds nothing.
const char* Satz_Fehler(const Ankuendigung& a) {
    if (Frei(a)) {
        static const Ankuendigung leer = {};
        return std::memcmp(&a, &leer, sizeof a) == 0 ? nullptr : "Daten in einem freien Eintrag";
    }
    if (!Art_Gueltig(a.art)) return "Art unbekannt";
    if (const char* f = Teams_Fehler(a)) return f;
    if (!Wettbewerb_Get_Info(int32_t(a.wettbewerb))) return "Wettbewerb unbekannt";
    return nullptr;
}

int32_t Option_Der_Art(int32_t art) {
    switch (art) {
    case ANK_VOR_MENUE: return 4;
    case ANK_VOR_SPIEL: return 5;
    case ANK_ERGEBNISSE: return 11;
    case ANK_TABELLE:
    case ANK_SIEGER: return 12;
    default: return 14;
    }
}

void Freigeben() {
    if (g.gebaut) {
        Debug_Printf("SPIELANK\xdcNDIGUNG KILLBLOCKER!!!!\n");
        return;
    }
    if (g.seite && (Ankuendigung_Buffer_Leer() || g.art == ANK_VOR_SPIEL)) {
        Samples_Stop();
        g.ton = false;
    }
    Ankuendigung_Rueckennummern();
    g.dunkel = Rastport_Free(g.dunkel);
    g.kopie = Rastport_Free(g.kopie);
    g.seite = Rastport_Free(g.seite);
}

void Video(int32_t zeigen) {
    if (g_hooks.wettbewerb_video) g_hooks.wettbewerb_video(int32_t(g.staging.wettbewerb), zeigen, zeigen);
}

// The end of a phase: the clock stopped, the screen as the page found it
// (the match day may run on without drawing), the pictures freed.
void Ende(const char* spur) {
    if (g.art == ANK_VOR_MENUE && g.seite) Video(0);
    Rastport* screen = Rastport_Screen();
    if (g.kopie && screen && !g.gebaut) Rastport_Blit(g.kopie, 0, 0, -1, -1, screen, 0, 0, BlitMode_Default);
    g.laeuft = false;
    g.zoom = 0;
    g.gebaut = false;
    Freigeben();
    if (spur) Debug_Printf("%s\n", spur);
}

// The darkened screen copy behind the kind-0 page.
void Hintergrund(Rastport* screen) {
    if (g.kopie) Rastport_Blit(g.kopie, 0, 0, -1, -1, screen, 0, 0, BlitMode_Default);
    if (g.dunkel) Blit_Alpha(g.dunkel, 0, 0, -1, -1, screen, 0, 0, 90);
}

// The central part of the page at zoom step s.
void Zoom_Zeichnen(Rastport* screen, int32_t s) {
    const int32_t w = int32_t(g.seite->width) * s / ZOOM_STUFEN, h = int32_t(g.seite->height) * s / ZOOM_STUFEN;
    const int32_t x = (int32_t(g.seite->width) - w) / 2, y = (int32_t(g.seite->height) - h) / 2;
    if (w > 0 && h > 0) Rastport_Blit(g.seite, x, y, w, h, screen, g.seite_x + x, g.seite_y + y, BlitMode_Default);
}

bool Zoomt() { return g.art == ANK_VOR_MENUE && Optionen(OPTION_MENUE_GLEITEN, 0, 0) != 0; }

// The milliseconds from `seit` to `jetzt`; 0 when `jetzt` lies before it. A
// page started in the menu's frame reads the clock after the calendar took
// the frame's time, so the driver's first `jetzt` may be a few ms older than
// the page's start (unsigned, that difference was some 49 days: the page ended
// unseen in its first frame).
uint32_t Seit(uint32_t jetzt, uint32_t seit) { return int32_t(jetzt - seit) < 0 ? 0 : jetzt - seit; }

void Senden(const Ankuendigung& a) {
    if (Netzwerk_Modus() != 2 || a.art == ANK_VOR_SPIEL) return;
    if (Fern(a.heim)) Ankuendigung_An_Team_Senden(a, int32_t(a.heim));
    if (Fern(a.gast) && a.art != ANK_FINANZEN) Ankuendigung_An_Team_Senden(a, int32_t(a.gast));
}

}  // namespace

AnkuendigungHooks& Ankuendigung_Hooks() { return g_hooks; }

void Ankuendigung_Reset() { g.gezeigt_gegner = -1; }

void Ankuendigung_Setzen(int32_t wettbewerb, int32_t heim, int32_t gast, int32_t runde, int32_t paarung,
                         int32_t spieltag, const AnkuendigungDaten* daten) {
    Ankuendigung& s = g.staging;
    s.wettbewerb = uint32_t(wettbewerb);
    s.heim = uint32_t(heim);
    s.gast = uint32_t(gast);
    s.runde = uint32_t(runde);
    s.paarung = uint32_t(paarung);
    s.spieltag = uint32_t(spieltag);
    s.tag = uint32_t(Kalender_Tag_Index());
    if (daten) s.daten = *daten;
}

bool Ankuendigung_In_Buffer(int32_t art, uint32_t schluessel) {
    if (Kalender_Get_Wartefenster() || schluessel == 0) return false;
    if (art == ANK_VOR_SPIEL)
        for (const Ankuendigung& a : g.puffer)
            if (!Frei(a) && a.art == uint32_t(ANK_VOR_SPIEL) && a.heim == g.staging.heim) {
                Debug_Printf("--> NICHT IN BUFFER!!\n");
                return false;
            }
    Ankuendigung neu = g.staging;
    neu.art = uint32_t(art);
    neu.heim_fern = Fern(neu.heim) ? 1 : 0;
    neu.gast_fern = Fern(neu.gast) ? 1 : 0;
    neu.schluessel = schluessel;
    // A client's page goes to its machine whether or not this machine's own
    // buffer has room: with several clients the entries of one match day's
    // end outnumber its 20 slots, and those that found none were lost to
    // their managers.
    Senden(neu);
    for (Ankuendigung& a : g.puffer) {
        if (!Frei(a)) continue;
        Debug_Printf("--> IN BUFFER..\n");
        a = neu;
        return true;
    }
    Debug_Printf("--> NICH IN BUFFER..BUFFER VOLL\n");
    return false;
}

void Ankuendigung_An_Team_Senden(const Ankuendigung& satz, int32_t team) {
    if (g_hooks.an_team_senden) g_hooks.an_team_senden(team, reinterpret_cast<const uint8_t*>(&satz), sizeof satz);
    else Debug_Printf("Ankuendigung_An_Team_Senden: kein Versand angebunden (Team %d)\n", team);
}

bool Ankuendigung_Buffer_Empfangen(const uint8_t* daten, int32_t bytes) {
    if (Kalender_Get_Wartefenster()) return false;
    Ankuendigung a;
    if (!daten || bytes != int32_t(sizeof a)) {
        Debug_Printf("Ankuendigung_Buffer_Empfangen: %d Bytes verworfen\n", bytes);
        return false;
    }
    std::memcpy(&a, daten, sizeof a);
    if (const char* f = Frei(a) ? "kein Schluessel" : Satz_Fehler(a)) {
        Debug_Printf("Ankuendigung_Buffer_Empfangen: verworfen (%s)\n", f);
        return false;
    }
    for (Ankuendigung& p : g.puffer) {
        if (!Frei(p)) continue;
        p = a;
        Debug_Printf("--> IN BUFFER..\n");
        return true;
    }
    Debug_Printf("--> NICH IN BUFFER..BUFFER VOLL\n");
    return false;
}

bool Ankuendigung_Buffer_Nimmt() {
    if (Kalender_Get_Wartefenster()) return false;
    for (const Ankuendigung& a : g.puffer)
        if (Frei(a)) return true;
    return false;
}

bool Ankuendigung_Buffer_Leer() {
    for (const Ankuendigung& a : g.puffer)
        if (!Frei(a)) return false;
    return true;
}

bool Ankuendigung_Aktiv() {
    return Menue_Screen_Icon_Ist_Vorhanden(ICON_ERGEBNIS_SEITE) || Menue_Screen_Icon_Ist_Vorhanden(ICON_SIEGER_FENSTER);
}

bool Ankuendigung_Jetzt(int32_t art, int32_t, int32_t nur_wenn_leer) {
    if (g.seite || Kalender_Get_Wartefenster() || g.laeuft || (nur_wenn_leer && !Ankuendigung_Buffer_Leer()))
        return false;
    if (art == ANK_VOR_MENUE) {
        const int32_t team = Menue_Lokal().team;
        int32_t seite = 0, w = -1, spiel = 0;
        const int32_t gegner = Ankuendigung_Heutiger_Gegner(team, &seite, &w, &spiel);
        if (gegner < 0 || gegner == g.gezeigt_gegner) {
            if (spiel) Spiele_Unlock(spiel);
            return false;
        }
        const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0);
        Ankuendigung_Setzen(w, team, gegner, sp->runde, sp->paarung, sp->spieltag, nullptr);
        Spiele_Unlock(spiel);
    }
    g.art = art;
    g.start = Plat_Ms();
    g.laeuft = true;
    g.steht = false;
    g.zoom = 0;
    g.zoom_zeit = g.start;
    Debug_Printf("--> SPIELANKUENDIGUNG JETZT!\n");
    Ankuendigung_Phase();
    return true;
}

bool Ankuendigung_Aus_Buffer() {
    const bool gesperrt = Menue_Get_Zustand_Byte() && Kalender_Get_Runmodus() == KALENDER_MENUE;
    const bool server = Netzwerk_Modus() == 2;
    int32_t gewaehlt = -1;
    uint32_t bester = 0;
    for (int32_t i = 0; i < ANKUENDIGUNG_PUFFER && !gesperrt; ++i) {
        Ankuendigung& a = g.puffer[i];
        if (Frei(a) || a.schluessel <= bester) continue;
        if (server) {
            // A page for a client's team is shown on that machine, not here;
            // a computer club's page nowhere.
            const bool heim_hier = Mensch_Lokal(a.heim);
            // A finance page is its first club's: shown only where that club is played.
            if ((!heim_hier && !Mensch_Lokal(a.gast)) || (a.art == uint32_t(ANK_FINANZEN) && !heim_hier)) {
                a = Ankuendigung{};
                continue;
            }
        }
        gewaehlt = i;
        bester = a.schluessel;
    }
    if (gewaehlt < 0) return false;
    const Ankuendigung satz = g.puffer[gewaehlt];
    if (!g.seite && !Kalender_Get_Wartefenster() && !g.laeuft) g.staging = satz;
    if (!Ankuendigung_Jetzt(int32_t(satz.art), 15000, 0)) return false;
    g.puffer[gewaehlt] = Ankuendigung{};
    // One results, table and winner page per competition and sequence.
    if (satz.art == uint32_t(ANK_ERGEBNISSE) || satz.art == uint32_t(ANK_TABELLE) || satz.art == uint32_t(ANK_SIEGER))
        for (Ankuendigung& a : g.puffer)
            if (!Frei(a) && a.art == satz.art && a.wettbewerb == satz.wettbewerb) a = Ankuendigung{};
    if (Netzwerk_Modus() == 1 && satz.art == uint32_t(ANK_FINANZEN) && g_hooks.bank_holen)
        g_hooks.bank_holen(int32_t(satz.heim));
    Debug_Printf("AUS BUFFER!!!\n");
    return true;
}

void Ankuendigung_Phase() {
    if (g.seite || !g.laeuft) return;
    const Ankuendigung& s = g.staging;
    // The match report's first page lets the watched match's sounds go (the
    // crowd's loop would play on through the pages and the menu), also when
    // the report's pages are switched off. The views load them again when
    // they start on the next match.
    if (g.art == ANK_TORE) {
        MatchSound_Free_Set();
        MatchSound_Free();
    }
    if (!Optionen(Option_Der_Art(g.art), 0, 0)) {
        if (g.art == ANK_VOR_MENUE) g.gezeigt_gegner = int32_t(s.gast);
        if (g.art == ANK_VOR_SPIEL) {
            int32_t trikot[2];
            Trikot_Team_VS_Team(int32_t(s.heim), int32_t(s.gast), &trikot[0], &trikot[1], 0);
            Trikot_Team_VS_Team(int32_t(s.heim), int32_t(s.gast), &trikot[0], &trikot[1], 2);
        }
        g.laeuft = false;
        return;
    }
    switch (g.art) {
    case ANK_VOR_MENUE:
        Schatten_Cache_Leeren();
        g.seite = Ankuendigung_Vor_Menue_Bauen();
        if (g.seite) Debug_Printf("--> VOR_MENUE_REIN!\n");
        break;
    case ANK_VOR_SPIEL:
        Debug_Printf("--> VOR_SPIEL1!\n");
        Schatten_Cache_Leeren();
        g.seite = Ankuendigung_Zeichnen();
        if (g.seite) {
            Debug_Printf("--> VOR_SPIEL_REIN!\n");
            Sample_Spielen(SAMPLE_VOR_SPIEL, false);
        }
        break;
    case ANK_TORE:
    case ANK_STATISTIK:
    case ANK_FINANZEN:
        g.seite = Ankuendigung_Nach_Spiel_Bauen(g.art);
        if (g.seite) Debug_Printf("--> ANKUENDIGUNG_NACH_SPIEL_REIN!\n");
        break;
    case ANK_ERGEBNISSE:
    case ANK_TABELLE:
    case ANK_SIEGER: {
        if (Ankuendigung_Aktiv()) return;
        static const char* const SPUR[] = {"--> ERGEBNISSE_NACH_SPIEL_REIN!", "--> TABELLE_NACH_SPIEL_REIN!",
                                           "--> SIEGER_NACH_SPIEL_REIN!"};
        const int32_t modus = g.art == ANK_ERGEBNISSE ? 1 : g.art == ANK_TABELLE ? 0 : 2;
        Debug_Printf("%s\n", SPUR[g.art == ANK_ERGEBNISSE ? 0 : g.art == ANK_TABELLE ? 1 : 2]);
        Ankuendigung_Ergebnis_Seite_Oeffnen(modus);
        if (Ankuendigung_Aktiv()) {
            Kalender_Set_Runmodus(g.art == ANK_ERGEBNISSE ? KALENDER_ERGEBNISSE
                                  : g.art == ANK_TABELLE  ? KALENDER_TABELLE
                                                          : KALENDER_SIEGER);
            Ankuendigung_Ergebnis_Seite_Ton();
        } else {
            g.laeuft = false;
        }
        return;
    }
    default: g.laeuft = false; return;
    }
    if (!g.seite) {
        // A page that cannot be built ends its phase at once.
        g.laeuft = false;
        return;
    }
    g.seite_x = 400 - int32_t(g.seite->width) / 2;
    g.seite_y = 300 - int32_t(g.seite->height) / 2;
    g.dunkel = Bild_Res_Laden(ANK_RES_GLOBAL, ANK_BILD_ABDUNKELN);
}

void Ankuendigung_Phase_Beenden() { Ende(nullptr); }

int32_t Ankuendigung_Treiber(uint32_t jetzt) {
    Rastport* screen = Rastport_Screen();
    if (g.laeuft && Seit(jetzt, g.start) < ANKUENDIGUNG_DAUER_MS) {
        Ankuendigung_Phase();
        if (!g.seite || !screen) return 0;
        // The screen as the page finds it is taken when the page is first
        // drawn, not when it is built: the page before the turn is built in
        // the menu phase before the menu's frame, which draws the new day
        // (its header's date) only after it.
        if (!g.kopie) {
            g.kopie = Rastport_Create(int32_t(screen->width), int32_t(screen->height), Rastport_Screen_Depth(), 0, 0);
            if (g.kopie) Rastport_Blit(screen, 0, 0, -1, -1, g.kopie, 0, 0, BlitMode_Default);
        }
        const bool klick = g_hooks.maus_klick && (g_hooks.maus_klick() & 1);
        // A page takes a click only once it stands whole: zoomed open, its
        // plates arrived, and shown a moment (a quick second click on "Weiter"
        // does not take it away unseen).
        if (klick && g.zoom >= ZOOM_STUFEN && g.steht && Seit(jetzt, g.start) >= ANKUENDIGUNG_KLICK_AB_MS && !g.klick_sperre) {
            // The closing click never reaches the screen below.
            Ende("--> SPIELANKUENDIGUNG ENDE1!");
            g.klick_sperre = true;
            if (g_hooks.klick_schlucken) g_hooks.klick_schlucken();
            return 0;
        }
        // A click before the page stands whole does nothing, also once it stands.
        g.klick_sperre = klick;
        if (Zoomt()) {
            if (g.zoom < ZOOM_STUFEN && Seit(jetzt, g.zoom_zeit) > ANKUENDIGUNG_ZOOM_MS) {
                ++g.zoom;
                g.zoom_zeit = jetzt;
            }
            if (g.zoom >= ZOOM_STUFEN - 1) {
                Hintergrund(screen);
                Video(1);
            }
            Zoom_Zeichnen(screen, g.zoom);
            g.gebaut = false;
            g.steht = g.zoom >= ZOOM_STUFEN;
            return g.zoom >= ZOOM_STUFEN ? 2 : 1;
        }
        if (g.art == ANK_VOR_MENUE) {
            Hintergrund(screen);
            Video(1);
        }
        Rastport_Blit(g.seite, 0, 0, -1, -1, screen, g.seite_x, g.seite_y, BlitMode_Default);
        g.steht = g.art != ANK_VOR_SPIEL || Ankuendigung_Ende(screen);
        g.zoom = ZOOM_STUFEN;
        g.gebaut = false;
        return g.art == ANK_VOR_SPIEL ? 1 : 2;
    }
    if (g.laeuft) {
        g.klick_sperre = true;
        if (Zoomt() && g.seite && screen && g.zoom > 0) {
            // Closing towards the centre: the page's area from the screen as it was, then the smaller part.
            if (Seit(jetzt, g.zoom_zeit) > ANKUENDIGUNG_ZOOM_MS) {
                --g.zoom;
                g.zoom_zeit = jetzt;
            }
            if (g.kopie)
                Rastport_Blit(g.kopie, g.seite_x, g.seite_y, int32_t(g.seite->width), int32_t(g.seite->height), screen,
                              g.seite_x, g.seite_y, BlitMode_Default);
            Zoom_Zeichnen(screen, g.zoom);
            g.gebaut = false;
            return 1;
        }
        g.gebaut = false;
        Ende("--> SPIELANKUENDIGUNG ENDE0!");
    }
    return Ankuendigung_Aus_Buffer() ? 1 : 0;
}

void Ankuendigung_Menue_Frame(uint32_t jetzt) {
    if (!g.vor_menue_faellig && jetzt - g.vor_menue_zeit < ANKUENDIGUNG_VOR_MENUE_MS) return;
    g.vor_menue_faellig = false;
    g.vor_menue_zeit = jetzt;
    Ankuendigung_Jetzt(ANK_VOR_MENUE, int32_t(ANKUENDIGUNG_VOR_MENUE_MS), 1);
}

void Ankuendigung_Zug_Beginnt(int32_t) {
    Ankuendigung_Reset();
    g.vor_menue_faellig = true;
}

int32_t Ankuendigung_Heutiger_Gegner(int32_t team, int32_t* seite, int32_t* wettbewerb, int32_t* spiel) {
    if (spiel) *spiel = 0;
    if (team < 0) return -1;
    int32_t gegner = -1, w = -1, tag = -1;
    const Spiel_Lock s = Statistik_Spiele_Von_Team(team, 0, 0, &gegner, &w, &tag);
    const SpielDatensatz* sp = s ? Spiele_Get_Spiel(s, 0) : nullptr;
    if (!sp || tag != Tag_Index()) {
        if (s) Spiele_Unlock(s);
        return -1;
    }
    if (seite) *seite = sp->gast == team && Wettbewerb_Hat_Heimrecht(w) ? 1 : 0;
    if (wettbewerb) *wettbewerb = w;
    if (spiel) *spiel = s;
    else Spiele_Unlock(s);
    return gegner;
}

void Ankuendigung_Vor_Spieltag() {
    const int32_t teams = Team_Anzahl();
    for (int32_t t = 0; t < teams; ++t) {
        if (!Team_Hat_Manager(t) || !Team_Hat_Aktiven_Manager(t)) continue;
        int32_t spiel = 0;
        if (Ankuendigung_Heutiger_Gegner(t, nullptr, nullptr, &spiel) < 0) continue;
        const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0);
        Ankuendigung_Setzen(sp->wettbewerb, sp->heim, sp->gast, sp->runde, sp->paarung, sp->spieltag, nullptr);
        Spiele_Unlock(spiel);
        Ankuendigung_In_Buffer(ANK_VOR_SPIEL, uint32_t(t + teams * 8));
    }
}

AnkuendigungDaten Ankuendigung_Daten_Von_Spiel(int32_t spiel_lock, const Spielfeld_Satz* live) {
    AnkuendigungDaten d = {};
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel_lock, 0);
    if (!sp) return d;
    d.heim = uint32_t(sp->heim);
    d.gast = uint32_t(sp->gast);
    d.tore_heim = sp->tore_heim;
    d.tore_gast = sp->tore_gast;
    d.wettbewerb = uint32_t(sp->wettbewerb);
    d.spiel_wort = uint32_t(sp->zuschauer);
    // Only a match computed live counted: its side 0 is the game's home team,
    // its player slots are the block's, and each side's corners follow as
    // 1 + the count, so that 0 stays "not measured".
    if (live && live->live == 1 && live->team[0] == d.heim && live->team[1] == d.gast) {
        static_assert(sizeof live->statistik == sizeof d.spieler);
        std::memcpy(d.spieler, live->statistik, sizeof d.spieler);
        for (int32_t seite = 0; seite < 2; ++seite) d.zustand[seite] = uint8_t(std::min(live->ecken[seite] + 1, 255));
    }
    return d;
}

bool Ankuendigung_Daten_Gemessen(const AnkuendigungDaten& d) { return d.zustand[0] != 0 && d.zustand[1] != 0; }

void Ankuendigung_Wettbewerb_Beendet(int32_t wettbewerb, int32_t sieger) {
    const WettbewerbInfo* info = Wettbewerb_Get_Info(wettbewerb);
    if (!info || (!Wettbewerb_Hat_Menschliches_Team(wettbewerb) && !Wettbewerb_Ist_International(wettbewerb))) return;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Team_Hat_Manager(t)) continue;
        Ankuendigung_Setzen(wettbewerb, sieger, t, info->modus, 0, 0, nullptr);
        Ankuendigung_In_Buffer(ANK_SIEGER, uint32_t(sieger * 50 + 5));
    }
}

const Ankuendigung* Ankuendigung_Puffer() { return g.puffer; }
const Ankuendigung& Ankuendigung_Staging() { return g.staging; }
int32_t Ankuendigung_Art() { return g.art; }
bool Ankuendigung_Phase_Laeuft() { return g.laeuft; }

void Ankuendigung_Leeren() {
    g.gebaut = false;
    Ende(nullptr);
    Ankuendigung_Ergebnis_Panels_Schliessen();
    const AnkuendigungHooks hooks = g_hooks;
    g = AnkuendigungModul{};
    g_hooks = hooks;
}

void Ankuendigung_Seite_Gebaut() { g.gebaut = true; }
void Ankuendigung_Gegner_Gezeigt(int32_t gegner) { g.gezeigt_gegner = gegner; }
bool Ankuendigung_Ton_Gespielt() { return g.ton; }
void Ankuendigung_Ton_Setzen(bool gespielt) { g.ton = gespielt; }

const char* Ankuendigung_Text(const char* feld, int32_t nummer) {
    return Text_Oder_Leer(feld, nummer);
}

void Ankuendigung_Save(std::vector<uint8_t>& out) {
    const auto* p = reinterpret_cast<const uint8_t*>(g.puffer);
    out.insert(out.end(), p, p + sizeof g.puffer);
    const auto* s = reinterpret_cast<const uint8_t*>(&g.staging);
    out.insert(out.end(), s, s + sizeof g.staging);
}

bool Ankuendigung_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes != sizeof g.puffer + sizeof g.staging) {
        Debug_Printf("Ankuendigung_Load: %zu Bytes statt %zu\n", bytes, sizeof g.puffer + sizeof g.staging);
        return false;
    }
    // A record the game would never hold refuses the block (the save is
    // damaged); nothing changes before every record is checked.
    Ankuendigung puffer[ANKUENDIGUNG_PUFFER];
    Ankuendigung staging;
    std::memcpy(puffer, in, sizeof puffer);
    std::memcpy(&staging, in + sizeof puffer, sizeof staging);
    for (int32_t i = 0; i < ANKUENDIGUNG_PUFFER; ++i)
        if (const char* f = Satz_Fehler(puffer[i])) {
            Debug_Printf("Ankuendigung_Load: Eintrag %d beschaedigt (%s)\n", i, f);
            return false;
        }
    // The staging record carries no key: only its teams must fit the game.
    if (const char* f = Teams_Fehler(staging)) {
        Debug_Printf("Ankuendigung_Load: Vorbereitung beschaedigt (%s)\n", f);
        return false;
    }
    Ende(nullptr);
    std::memcpy(g.puffer, puffer, sizeof puffer);
    g.staging = staging;
    return true;
}

bool Ankuendigung_Spielstand_Anmelden() {
    SpielstandBlock b;
    b.name = "Ankuendigung";
    b.position = 49;
    b.save = Ankuendigung_Save;
    b.load = Ankuendigung_Load;
    b.neu = Ankuendigung_Leeren;
    return Spielstand_Block_Anmelden(b);
}

}  // namespace velmora
