// app/verdrahtung_basis.cpp - the bindings of the foundations: core, the
// graphics' loaders, the network, the club data, the season, the shell and
// the runner of a game without a screen.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/sim_aktiv.h"
#include "app/sim_lauf.h"
#include "app/sim_wirtschaft.h"
#include "app/verdrahtung_intern.h"
#include "bilder/wappen_rahmen.h"
#include "business/bank.h"
#include "business/bank_netz.h"
#include "business/news_anfrage.h"
#include "business/news_netz.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/transfer.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/meldung.h"
#include "core/optionen.h"
#include "core/pack.h"
#include "core/prioritaeten.h"
#include "core/res.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bild.h"
#include "gfx/bild_laden.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/hilfe_text.h"
#include "bilder/portrait.h"
#include "gfx/rastport.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "gfx/texteingabe.h"
#include "bilder/trikot.h"
#include "gfx/text_markup.h"
#include "bilder/wappen.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_eingabefeld.h"
#include "gui/menue_scrollbar.h"
#include "gui/menue_requester.h"
#include "match/day/spieltag.h"
#include "matchview/ankuendigung.h"
#include "match/day/spieltag_netz.h"
#include "media/film.h"
#include "media/sound.h"
#include "media/video.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/clock.h"
#include "screens/editor.h"
#include "screens/menue_panel.h"
#include "screens/platzhalter.h"
#include "screens/spielstart_screen.h"
#include "screens/spielstart_wahl.h"
#include "platform/display.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/spielstart.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "shell/app.h"
#include "shell/maus.h"
#include "shell/resourcen.h"
#include "shell/screen.h"

namespace velmora::verdrahtung {
namespace {

// Without a window a message is one line on stderr, named by the program.
void meldung_stderr(const char* text) { Plat_Stderr_Zeile(text); }

int32_t lokale_adresse(char* host, int32_t groesse, int32_t* port, uint32_t* adresse) {
    uint16_t p = 0;
    uint8_t a[4] = {};
    int32_t ok = Net_Local_Address(host, size_t(groesse), &p, a);
    if (port) *port = p;
    if (adresse) *adresse = uint32_t(a[0]) << 24 | uint32_t(a[1]) << 16 | uint32_t(a[2]) << 8 | a[3];
    return ok;
}

int32_t screen_setup(uint16_t* speicher, int32_t breite, int32_t hoehe, int32_t) {
    Rastport_Screen_Setup(breite, hoehe, speicher);
    return Rastport_Screen() ? 1 : 0;
}

// The manager whose icon states the screens show: the one whose turn it is,
// else the local one.
int32_t menue_team() {
    const int32_t team = Kalender_Aktives_Team();
    return team >= 0 ? team : Team_Lokal();
}

// A news request's data as the requester hands its values back.
const NewsAntwortDaten& news_daten(const int32_t* w) {
    static NewsAntwortDaten d;
    d = NewsAntwortDaten{w[0], w[1], uint32_t(w[2])};
    return d;
}

// The save header's manager: the first human one in the turn order (the
// transfer market's placeholder manages no club), his name and his club's city.
bool erster_manager(char name[30], char stadt[32], int32_t* team) {
    std::vector<int32_t> liste(size_t(std::max(Team_Anzahl(), 1)));
    const int32_t n = Manager_Ist_Dran(liste.data(), 0, 1);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t t = liste[size_t(i)];
        if (t == Team_Markt()) continue;
        std::snprintf(name, 30, "%s", Manager_Name(t));
        std::snprintf(stadt, 32, "%s", Team_String(TS_STADT, t, 0, 0));
        *team = t;
        return true;
    }
    return false;
}

bool kalender_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Kalender_Server_Anfrage(anfrage, daten, bytes, antwort);
}

bool spiele_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Spiele_Server_Anfrage(anfrage, daten, bytes, antwort);
}

bool wettbewerb_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Wettbewerb_Server_Anfrage(anfrage, daten, bytes, antwort);
}

bool rangliste_anfrage(int32_t anfrage, int32_t, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Rangliste_Server_Anfrage(anfrage, daten, bytes, antwort);
}

}  // namespace

void Binden_Core() {
    CoreHooks& c = Core_Hooks();
    const bool fenster = Einstellungen().betrieb == Betrieb::FENSTER || Einstellungen().betrieb == Betrieb::HEADLESS;
    // Messages to the manager are the screen's requesters where the menu
    // framework is bound, else lines on stderr; the system's box is kept for
    // fatal start-up errors.
    if (!Dabei("Bildschirm"))
        Besetzen(c.meldung, Einstellungen().sim.meldung ? Einstellungen().sim.meldung : meldung_stderr, "Core.meldung");
    // Without screens nobody reads a human manager's messages: they go to the debug log.
    if (!Dabei("Bildschirm"))
        Besetzen(
            c.message_an_manager,
            [](int32_t, int32_t team, const char* text) {
                Debug_Printf("Nachricht an den Manager von Team %d: %s\n", team, text);
                return true;
            },
            "Core.message_an_manager");
    if (fenster) Besetzen(c.win_error_box, [](const char* text) { Plat_Meldungsbox("Error:", text); }, "Core.win_error_box");
    else Besetzen(c.win_error_box, meldung_stderr, "Core.win_error_box");
    // The screen texts come with every way the game runs, not only with the
    // window: the texts a game stores (its requests and messages, their
    // amounts' currency) read the same whether a window made them or not,
    // and a window shows them later from the save.
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_TEXTE, [] { Text_Laden(); });
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_TEXTE, Text_Free);
    // A second instance on one user directory saves nothing (Spiel_Sperren).
    Besetzen(Spielstand_Hooks().andere_instanz, [] { return Dirs_Sperre() == DirsSperre::FREMD; },
             "Spielstand.andere_instanz");
    Beim_Abbinden(Dirs_Sperre_Freigeben);
}

void Binden_Grafik() {
    ResLoaderHooks& r = Res_Loader_Hooks();
    Besetzen(r.bitmap, Grafik_Bitmap_Laden, "Res.bitmap");
    Besetzen(r.shape, Shape_Aus_Eintrag, "Res.shape");
    Besetzen(
        r.font, [](const uint8_t* daten, size_t laenge, int32_t tiefe) -> void* {
            return Font_Res_Laden(daten, laenge, tiefe);
        },
        "Res.font");
    Besetzen(Pack_Hooks().bytes_unpack_backward, Grafik_Rueckwaerts_Entpacken, "Pack.bytes_unpack_backward");
    Besetzen(Rastport_Hooks().jpeg_load_mem, Bild_Jpeg_Laden_Mem, "Rastport.jpeg_load_mem");
    Besetzen(Rastport_Hooks().jpeg_save_mem, Bild_Jpeg_Speichern_Mem, "Rastport.jpeg_save_mem");
    Besetzen(Bild_Hooks().res_slot, Resourcen_Slot, "Bild.res_slot");
    Besetzen(
        Schatten_Hooks().slave_rastport, [](int32_t nummer) { return Menue_Get_Slave_Rastport(nummer, nullptr); },
        "Schatten.slave_rastport");
    Besetzen(Sound_Hooks().resourcen_slot, Resourcen_Slot, "Sound.resourcen_slot");
    Text_Wappen_Setzen(Bild_Wappen_Im_Text);   // the crests in marked-up text
    Beim_Abbinden([] {
        Text_Wappen_Setzen(nullptr);
        Portrait_Teile_Freigeben();
    });
}

void Binden_Netz() {
    Besetzen(Core_Hooks().netz_beenden, Internet_Netzwerk_Stop, "Core.netz_beenden");
    Besetzen(Spielstand_Hooks().netz_modus, Netzwerk_Modus, "Spielstand.netz_modus");
}

void Binden_Club() {
    ClubHooks& h = Club_Hooks();
    Besetzen(h.netzwerk_modus, Netzwerk_Modus, "Club.netzwerk_modus");
    Besetzen(h.client_team, Client_Team, "Club.client_team");
    Besetzen(h.client_read, Club_Client_Lesen, "Club.client_read");
    Besetzen(h.client_vorab, Club_Client_Vorab, "Club.client_vorab");
    Besetzen(h.client_vorab_ende, Internet_Client_Vorab_Ende, "Club.client_vorab_ende");
    Club_Anfragen_Anmelden();
    Beim_Abbinden(Club_Anfragen_Abmelden);
    NetHooks& n = Net_Hooks();
    // Every club's players as far as they changed (another club's strength in
    // the header, its line-up), then the own club's with its server data.
    // The reads of a refresh go out together before the fetches take their
    // answers one after the other: one round trip instead of one each.
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_VORAB_SPIELER, [] {
        Spieler_Internet_Client_Get_Alle_Vorab();
        Spieler_Internet_Client_Refresh_Vorab();
    });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_VORAB_TEAM, [] { Team_Internet_Client_Refresh_Vorab(); });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_VORAB_MANAGER,
               [] { Manager_Internet_Client_Refresh_Vorab(); });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_VORAB_ENDE, [] { Internet_Client_Vorab_Ende(); });
    Abonnieren(n.client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_SPIELER,
               [] { Spieler_Internet_Client_Get_Alle_Vorab(); });
    Abonnieren(n.client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_ENDE, [] { Internet_Client_Vorab_Ende(); });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_ALLE_SPIELER,
               [] { Spieler_Internet_Client_Get_Alle(); });
    Abonnieren(n.client_alles_holen, "Net.client_alles_holen", prio::HOLEN_SPIELER,
               [] { Spieler_Internet_Client_Get_Alle(); });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_SPIELER, [] { Spieler_Internet_Client_Refresh(); });
    // The own players' and manager's records as the server holds them hold
    // across the requests below: reads that change nothing there, a news
    // item's flags (read, kept, deleted: the server's news file alone; a
    // client never makes an item a request or an answer), and the single
    // values, whose answers the copies take over. Any other request (a team's
    // value, a news item added, a transfer, the day's report) may change them
    // on the server: they are forgotten until the next refresh.
    Abonnieren(n.client_anfrage, "Net.client_anfrage", prio::ANFRAGE_KOPIEN, [](int32_t id) {
        static constexpr int32_t FOLGT[] = {
            ANFRAGE_SPIELER_WERT,        ANFRAGE_MANAGER_ICON,        ANFRAGE_SPIELER_ANZAHL,
            ANFRAGE_SPIELER_BLOCK,       ANFRAGE_SPIELER_TEAM,        ANFRAGE_TEAM_STARTINFO,
            ANFRAGE_TEAM_BLOCK,          ANFRAGE_TEAM_OWN,            ANFRAGE_STARTTEAMS,
            ANFRAGE_MANAGER_STARTINFO,   ANFRAGE_NEWS_HOLEN,          ANFRAGE_NEWS_SETZEN,
            ANFRAGE_MANAGER_RECORD,      ANFRAGE_MARKT_LISTE,         ANFRAGE_WETTBEWERB_ABGLEICH,
            ANFRAGE_BANK_STATUS,         ANFRAGE_BANK_KONTO,          ANFRAGE_SPIELTAG_SLOT,
            ANFRAGE_KALENDER_STAND,      ANFRAGE_SPIELE_ABGLEICH,     ANFRAGE_KALENDER_ABGLEICH,
            ANFRAGE_TEAMS_ABGLEICH,      ANFRAGE_STARTTEAMS_ABGLEICH, ANFRAGE_SPIELER_ABGLEICH,
            ANFRAGE_RANGLISTE_ABGLEICH};
        if (std::find(std::begin(FOLGT), std::end(FOLGT), id) != std::end(FOLGT)) return;
        Spieler_Server_Stand_Vergessen();
        Manager_Server_Stand_Vergessen();
    });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_TEAM, [] { Team_Internet_Client_Refresh(); });
    Abonnieren(n.client_refresh, "Net.client_refresh", prio::REFRESH_MANAGER,
               [] { Manager_Internet_Client_Refresh(); });
    // Options 40 to 43 live in the local manager's record.
    Besetzen(Core_Hooks().manager_option_lesen, Manager_Option_Lesen, "Core.manager_option_lesen");
    Besetzen(Core_Hooks().manager_option_schreiben, Manager_Option_Schreiben, "Core.manager_option_schreiben");
    Besetzen(Spielstand_Hooks().staerke, [](int32_t team) { return Team_Berechne_Staerke(team, 16); },
             "Spielstand.staerke");
    Besetzen(Spielstand_Hooks().erster_manager, erster_manager, "Spielstand.erster_manager");
    // Teams check player numbers, managers team numbers: positions 10, 11, 12.
    Block(Spieler_Spielstand_Anmelden, "Spieler");
    Block(Team_Spielstand_Anmelden, "Team");
    Block(Manager_Spielstand_Anmelden, "Manager");
}

void Binden_Saison() {
    Block(Wettbewerb_Spielstand_Anmelden, "Wettbewerb");
    Block(Spiele_Spielstand_Anmelden, "Spiele");
    Block(Tabelle_Spielstand_Anmelden, "Tabellen");
    Block(Saison_Spielstand_Anmelden, "Saison");
    Block(Kalender_Spielstand_Anmelden, "Kalender");
    Block(Rangliste_Spielstand_Anmelden, "Rangliste");
    Block(Statistik_Spielstand_Anmelden, "Statistik");
    Besetzen(Spielstand_Hooks().spiel_laeuft, [] { return Spielstart_Spiel_Laeuft() != 0; }, "Spielstand.spiel_laeuft");
    Besetzen(Spielstand_Hooks().spiel_freigeben, Kalender_Spiel_Freigeben, "Spielstand.spiel_freigeben");
    Anfrage(ANFRAGE_KALENDER_STAND, kalender_anfrage);
    Anfrage(ANFRAGE_SPIELE_SERIE, spiele_anfrage);
    Anfrage(ANFRAGE_SPIELE_SPIEL, spiele_anfrage);
    Anfrage(ANFRAGE_SPIELE_ALLE, spiele_anfrage);
    Anfrage(ANFRAGE_SPIELE_ABGLEICH, spiele_anfrage);
    Anfrage(ANFRAGE_KALENDER_ABGLEICH, kalender_anfrage);
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_KALENDER,
               [] { Kalender_Client_Sync_Vorab(); });
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_KALENDER,
               [] { Kalender_Client_Sync(); });
    // The fixtures and results are the server's: a client's own draw of the
    // fixtures named other opponents (the main screen's next match among them).
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_SPIELZAEHLER,
               [] { Spiele_Client_Alle_Holen_Vorab(); });
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_SPIELZAEHLER,
               [] { Spiele_Client_Alle_Holen(); });
    // The competitions' records too: a client's views of the rounds reached,
    // the clubs still in a cup, the winner and a new season's leagues.
    Anfrage(ANFRAGE_WETTBEWERB_ABGLEICH, wettbewerb_anfrage);
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_WETTBEWERB,
               [] { Wettbewerb_Client_Holen_Vorab(); });
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_WETTBEWERB,
               [] { Wettbewerb_Client_Holen(); });
    // The season's tallies as well (the ranking list, the players' statistics,
    // the titles): the server alone enters its matches and closes its seasons.
    Anfrage(ANFRAGE_RANGLISTE_ABGLEICH, rangliste_anfrage);
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_RANGLISTE,
               [] { Rangliste_Client_Holen_Vorab(); });
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_RANGLISTE,
               [] { Rangliste_Client_Holen(); });
    // Titles carry the calendar year.
    Besetzen(Wettbewerb_Hooks().jahr, Kalender_Titel_Jahr, "Wettbewerb.jahr");
    Verdrahtung_Weltgen();
    // The world's regions of the configuration cache, so that a fresh start with "-d" reads it.
    if (!Einstellungen().konfig_cache) return;
    if (Spielstart_Cache_Anmelden()) Beim_Abbinden(Spielstart_Cache_Abmelden);
    else Fehler("die Regionen der Welt im Konfigurations-Cache nicht anzumelden");
}

}  // namespace velmora::verdrahtung

namespace velmora {

bool Netz_Client_Verloren_Pruefen() {
    if (Netzwerk_Modus() != 1) return false;
    const int32_t modus = Kalender_Get_Runmodus();
    // The start screens answer a failed join themselves; only a running game is ended here.
    if (modus == KALENDER_START || modus == KALENDER_WARTEN || modus == KALENDER_ENDE || modus == KALENDER_AUS)
        return false;
    const bool getrennt = Net_Server_Verbindung() < 0;
    if (!getrennt && !Spieltag_Client_Ohne_Antwort()) return false;
    // A connection found closed just after this process could not run for
    // longer than the server's silence rule (stopped, the machine asleep)
    // was closed by the server for that silence: the manager is told so,
    // not that the server went away.
    const bool gestockt = getrennt && Net_Client_Wegen_Stille_Getrennt();
    Debug_Printf("Netz: Server %s, das Netzwerkspiel endet\n", getrennt ? "getrennt" : "antwortet nicht");
    // The machine stays a client (mode 1): its start screen shows it so and
    // joins again from there.
    Internet_Netzwerk_Stop();
    Client_Team_Setzen(-1);
    Spieltag_Client_Zuruecksetzen();
    // The table's game locks belong to the game let go now.
    Spieltag_Slots_Loeschen();
    Kalender_Zum_Start();
    // The game's screens go with the game: with the start screens the message
    // waits until the start screen stands again.
    char text[160] = "Die Verbindung zum Server ist abgebrochen. Das Netzwerkspiel ist beendet.";
    if (gestockt)
        std::snprintf(text, sizeof text,
                      "Der Server hat diesen Rechner getrennt: er hat l\xe4nger als %u Sekunden nicht geantwortet. "
                      "Das Netzwerkspiel ist beendet.",
                      unsigned(Net_Zeiten_Wert().client_stille_ms / 1000));
    if (verdrahtung::Dabei("Start")) Spielstart_Screen_Meldung(text);
    else Meldung("%s", text);
    return true;
}

void Netz_Client_Lebenszeichen() {
    static uint32_t zuletzt = 0;
    if (Netzwerk_Modus() != 1 || Net_Server_Verbindung() < 0) return;
    const uint32_t jetzt = Plat_Ms();
    if (jetzt - zuletzt < NETZ_LEBENSZEICHEN_MS) return;
    zuletzt = jetzt;
    Internet_Client_Lebenszeichen(ANFRAGE_SPIELER_ANZAHL);
}

}  // namespace velmora

namespace velmora::verdrahtung {

void Binden_Shell() {
    ShellDienste& d = Shell_Dienste();
    if (!Besitz_Eintragen(&d, "Shell.Dienste")) return;
    d.netzwerk_modus = Netzwerk_Modus;
    d.net_init = Net_Init;
    d.net_local_address = lokale_adresse;
    d.net_pump = Net_Pump;
    d.net_server_slot_pump = Net_Server_Slot_Pump;
    d.net_server_warten = Net_Server_Warten;
    d.server_bedienen = Net_Server_Bedienen;
    d.client_bedienen = [] {
        Net_Client_Bedienen();
        Netz_Client_Lebenszeichen();
        Netz_Client_Verloren_Pruefen();
    };
    d.kalender_main = Kalender_Main;
    // The menus, the pages and the start screen wait for the player; a match
    // day and network play (whose messages wake no wait) keep their pace.
    d.film_bereiche = [](PlatRechteck* out, int32_t max) {
        int32_t n = 0;
        for (int32_t i = 0; i < BINK_SLOTS && n < max; ++i)
            if (const BINK_VIDEO* v = Bink_Slot_Video(i); v && v->video && !v->pausiert)
                out[n++] = PlatRechteck{v->x, v->y, v->breite, v->hoehe};
        return n;
    };
    d.naechstes_filmbild_ms = [] {
        int32_t naechst = -1;
        for (int32_t i = 0; i < BINK_SLOTS; ++i)
            if (const BINK_VIDEO* v = Bink_Slot_Video(i); v && v->video && !v->pausiert)
                if (const int32_t t = Film_Faellig_In(v->video); t >= 0 && (naechst < 0 || t < naechst)) naechst = t;
        return naechst;
    };
    d.wartet_auf_eingabe = [] {
        const int32_t m = Kalender_Get_Runmodus();
        return Netzwerk_Modus() == 0 && (Kalender_Ist_Menue_Modus() || m == KALENDER_WARTEN || m == KALENDER_ANKUENDIGUNG);
    };
    d.resourcen_oeffnen = Resourcen_Oeffnen;
    d.wappen_statistik = [] { Wappen_Statistik(nullptr, nullptr); };
    d.resourcen_schliessen = Resourcen_Schliessen;
    d.rastport_screen_setup = screen_setup;
    d.shade_init = Shade_Init;
    d.shade_exit = Shade_Exit;
    d.rastport_cache_purge = Rastport_Cache_Purge;
    d.pack_lzw_exit = Pack_Lzw_Exit;
    d.font_load_set = Font_Set_Installation_Laden;
    d.font_free_set = [] { Font_Free_Set(); };
    d.sound_init = [] { return Sound_Init_Mit(Plat_Display_Vorhanden() ? AUDIO_GERAET : AUDIO_OHNE_GERAET); };
    d.sound_close = Sound_Close;
    d.sound_pause_all = Sound_Pause_All;
    d.sound_resume_all = Sound_Resume_All;
    d.intro_abspielen = Intro_Abspielen;
    d.outro_abspielen = Outro_Abspielen;
    d.filme_freigeben = [] { Bnk_RelAll(); };
    Beim_Abbinden([] { Shell_Dienste() = ShellDienste{}; });
    // The films: decoded into the screen memory before it is shown, told the
    // depth at every screen set-up, paused when the run mode changes.
    Screen_Film_Hook_Setzen(Bnk_DoFrameAll);
    Screen_Bink_Hook_Setzen([](int32_t tiefe) { Bink_InitBink(nullptr, nullptr, nullptr, nullptr, tiefe); });
    Beim_Abbinden([] {
        Screen_Film_Hook_Setzen(nullptr);
        Screen_Bink_Hook_Setzen(nullptr);
        Bnk_RelAll();
    });
    // A remote call keeps the window shown while it waits and drops the input
    // of the wait when it returns (nothing is clicked or paid twice).
    Besetzen(Net_Hooks().warten, Win_Warten, "Net.warten");
    Besetzen(Net_Hooks().warten_ende, Win_Warten_Ende, "Net.warten_ende");
    KalenderHooks& k = Kalender_Hooks();
    Besetzen(k.app_beenden, App_Beenden, "Kalender.app_beenden");
    Besetzen(k.maus_latch, Maus_Tasten_Latch, "Kalender.maus_latch");
    Besetzen(k.uhr, Plat_Ms, "Kalender.uhr");
    Besetzen(k.backsound_pruefen, Backsound_Pruefen, "Kalender.backsound_pruefen");
    // The films pause at every media stop, and alone when the pages' run mode begins.
    constexpr auto filme_pausieren = [] { Bnk_PauseAll(true); };
    Abonnieren(k.medien_stop, "Kalender.medien_stop", prio::MEDIEN_STOP_FILME, filme_pausieren);
    Abonnieren(k.filme_pausieren, "Kalender.filme_pausieren", prio::MEDIEN_STOP_FILME, filme_pausieren);
    Abonnieren(k.medien_stop, "Kalender.medien_stop", prio::MEDIEN_STOP_SHELL, Medien_Stop);
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_KONFIG_CACHE,
               [] { Spielstart_Cache_Behalten(App_Config_Loeschen_Mark() == 0); });
}

namespace {

// The shell's mouse, the icon states of the manager whose turn it is, the
// resource files and the help texts.
void Binden_Menue_Eingaben() {
    MenueHooks& m = Menue_Hooks();
    Besetzen(m.maus_x, Maus_X, "Menue.maus_x");
    Besetzen(m.maus_y, Maus_Y, "Menue.maus_y");
    Besetzen(m.maus_klick, Maus_Klick, "Menue.maus_klick");
    Besetzen(m.maus_neu, Maus_Neu, "Menue.maus_neu");
    Besetzen(m.rechts_sperre, [] { Maus_Rechts_Sperre_Setzen(1); }, "Menue.rechts_sperre");
    Besetzen(
        m.rad_holen,
        [] {
            const int32_t r = Maus_Rad();
            Maus_Rad_Setzen(0);
            return r;
        },
        "Menue.rad_holen");
    Besetzen(m.icon_zustand, [](int32_t nummer) { return Manager_Icon_Button_Lesen(menue_team(), nummer); },
             "Menue.icon_zustand");
    Besetzen(
        m.icon_zustand_setzen,
        [](int32_t nummer, int32_t wert) { Manager_Icon_Button_An_Aus(menue_team(), nummer, wert); },
        "Menue.icon_zustand_setzen");
    Besetzen(m.resourcen_slot, Resourcen_Slot, "Menue.resourcen_slot");
    Besetzen(m.scrollbar_rad, Menue_Scrollbar_Klick_Ausfuehren, "Menue.scrollbar_rad");
    Besetzen(m.wippe_ende, Menue_Rocker_Highlight_Beenden, "Menue.wippe_ende");
    Besetzen(m.hilfe_zeigen, Hilfe_Text_Ausgabe, "Menue.hilfe_zeigen");
    Besetzen(m.hilfe_stoppen, Hilfe_Text_Free, "Menue.hilfe_stoppen");
    Besetzen(
        m.basis_team_name,
        []() -> const char* {
            const int32_t t = Team_Basis_Nation();
            return t >= 0 ? Team_String(TS_NAME, t, 0, 0) : nullptr;
        },
        "Menue.basis_team_name");
    Besetzen(
        m.hilfe_option,
        []() -> uint8_t {
            const int32_t t = menue_team();
            const auto* h = t >= 0 ? static_cast<const uint8_t*>(Team_Zeiger(TZ_HILFE, t, nullptr, OP_LESEN)) : nullptr;
            return h ? *h : 1;
        },
        "Menue.hilfe_option");
}

// The panel: its view of the match day and the bank, the network wait, the
// screens behind its entries (a card for those that do not exist).
void Binden_Menue_Panel() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    // The panel's club belongs to the game: a game bound after this one starts without a club.
    Beim_Abbinden([] { Menue_Set_Eigenes_Team(-1); });
    Binden_Menue_Spiel();
    Besetzen(p.spiel_info, Spieltag_Spiel_Info, "MenuePanel.spiel_info");
    Besetzen(p.mittelwert_angleichen, Bank_Mittelwert_Angleichen, "MenuePanel.mittelwert_angleichen");
    // Network play: the wait for the other side keeps the main screen, "Weiter"
    // disabled. On the server (and once the network is gone) the wait ends
    // into the match day, whose views must not have the main screen under
    // them (its header stood over the score bar): it goes as at "Weiter". A
    // client's wait ends into its next turn, which builds the screen again.
    Besetzen(
        Kalender_Hooks().netz_warten,
        [](int32_t an) {
            if (an && Menue_Lokal().team >= 0) Menue_Hauptscreen();
            if (!an && Netzwerk_Modus() != 1) {
                Menue_Beenden_Anfordern();
                Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
            }
            Menue_Panel_Icon_Schalten(an);
        },
        "Kalender.netz_warten");
    // A waiting client's match shows in the views: the main screen kept for
    // the wait goes with its header and line, as it goes on the server when
    // its day ends; after the match, or when the server's day moves on, the
    // main screen comes back instead of the match's last picture.
    Abonnieren(Kalender_Hooks().client_spiel_zeigt, "Kalender.client_spiel_zeigt", prio::CLIENT_SPIEL_MENUE,
               [](int32_t an) {
                   if (an) {
                       Menue_Beenden_Anfordern();
                       Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
                       return;
                   }
                   if (Menue_Lokal().team >= 0) Menue_Hauptscreen();
                   Menue_Panel_Icon_Schalten(1);
               });
    Binden_Spielerfenster();
    Binden_Transfer_Screens();
    // The other managers hear of the finished day from the news' turn end.
    Binden_Tabellen_Screens();
    // The screens that exist take their entries; the others show a card.
    Binden_Menue_Screens();
    for (int32_t k = 0; k < PANEL_KNOEPFE; ++k)
        for (int32_t e = 0; e < PANEL_EINTRAEGE; ++e)
            if (!p.screens[k][e])
                if (ScreenOeffner f = Platzhalter_Oeffner(ICON_PANEL_TEAM + k, e))
                    Besetzen(p.screens[k][e], f, "MenuePanel.screens");
    if (!p.optionen_screen)
        Besetzen(p.optionen_screen, Platzhalter_Oeffner(ICON_PANEL_SYSTEM, 2), "MenuePanel.optionen_screen");
}

// Messages and questions to the manager as requesters; the news' answers;
// the panel's line naming whom a waiting machine waits for.
void Binden_Menue_Meldungen() {
    MenuePanelHooks& p = Menue_Panel_Hooks();
    CoreHooks& c = Core_Hooks();
    // Before a game runs the message shows at once, over the start screens.
    Besetzen(
        c.meldung,
        [](const char* text) {
            if (!Spielstart_Spiel_Laeuft() && Kalender_Aktives_Team() < 0)
                Menue_Requester(1, -1, text, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
            else
                Menue_Nachricht_An_Manager(Menue_Lokal().team, text);
        },
        "Core.meldung");
    Besetzen(
        c.message_an_manager,
        [](int32_t, int32_t team, const char* text) { return Menue_Nachricht_An_Manager(team, text); },
        "Core.message_an_manager");
    Besetzen(
        c.requester,
        [](const char* frage, const char* ja, const char* nein, void (*proc)()) {
            Menue_Requester_Frage(Menue_Lokal().team, frage, ja, nein, proc);
        },
        "Core.requester");
    NewsHooks& n = News_Hooks();
    Besetzen(n.modal_offen, [] { return Menue_Get_Zustand_Byte() != 0 || Menue_Requester_Offen(); }, "News.modal_offen");
    Besetzen(
        n.requester,
        [](int32_t team, const char* text, const char* ja, const char* nein, const NewsAntwortDaten* d) {
            const int32_t werte[3] = {d ? d->team : -1, d ? d->index : -1, d ? int32_t(d->id) : 0};
            Menue_Requester(
                2, team, text, ja, nein,
                [](const int32_t* w, const int32_t*) { News_Antwort_Ja(&news_daten(w)); },
                [](const int32_t* w, const int32_t*) { News_Antwort_Nein(&news_daten(w)); },
                3, werte, 0, nullptr);
            return true;
        },
        "News.requester");
    Besetzen(
        n.icon_707_flags,
        []() -> int32_t {
            if (!Menue_Screen_Icon_Ist_Vorhanden(ICON_WEITER)) return -1;
            const s_icon* i = Menue_Screen_Icon_Aus_Nummer(ICON_WEITER);
            return i ? int32_t(i->Status) : -1;
        },
        "News.icon_707_flags");
    // Another manager has ended his day: a note in the panel's line, no box.
    Besetzen(n.notiz, Menue_Panel_Notiz, "News.notiz");
    // Whom a waiting machine waits for: the server names the clients' managers
    // and clubs whose day is not over; a client waits for the others.
    Besetzen(
        p.warte_zeile,
        []() -> const char* {
            static std::string zeile;
            zeile.clear();
            if (Netzwerk_Modus() == 1) {
                // A client that joined on a match day is told that the
                // computer plays its club's match of today.
                const char* ohne = Spieltag_Ohne_Client() ? Text_Get("ULVO_ZUSATZ", 152) : nullptr;
                if (ohne && Client_Team() >= 0) return zeile.assign(Text_Format(ohne, {Team_String(TS_NAME, Client_Team(), 0, 0)})).c_str();
                return zeile.assign(Text_Get("ULVO_ZUSATZ", 148) ? Text_Get("ULVO_ZUSATZ", 148) : "").c_str();
            }
            int32_t teams[NET_SLOTS];
            const int32_t n = Kalender_Netz_Wartet_Auf(teams, NET_SLOTS);
            std::string namen;
            for (int32_t i = 0; i < n; ++i) {
                if (!namen.empty()) namen += ", ";
                namen += std::string(Manager_Name(teams[i])) + " (" + Team_String(TS_NAME_KURZ, teams[i], 0, 0) + ")";
            }
            const char* format = Text_Get("ULVO_ZUSATZ", 147);
            if (n > 0 && format) zeile = Text_Format(format, {namen.c_str()});
            return zeile.c_str();
        },
        "MenuePanel.warte_zeile");
}

// The calendar's calls: the menu's tables at a game's start and end, the
// menu phase's frame, each turn on the main screen; the menu's save block.
void Binden_Menue_Kalender() {
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_MENUE, Menue_Init_Tabellen);
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_TEXTEINGABE, Texteingabe_Free);
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_HILFE, Hilfe_Text_Free);
    Beim_Abbinden(Texteingabe_Free);
    Beim_Abbinden(Hilfe_Text_Free);
    // The header's competition film goes with the menu: a game let go in its
    // middle (a client whose server is gone) left its last picture standing
    // on the start screen.
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_MENUE, [] {
        Menue_Filme_Schliessen();
        Menue_Requester_Leeren();
        Menue_Alles_Loeschen();
    });
    // The menu phase and the announcement windows (run modes 1, 17, 18, 24).
    Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_BILDSCHIRM, Menue_Frame);
    // Each turn starts on the main screen, with the messages kept for the manager.
    Abonnieren(k.zug_beginnt, "Kalender.zug_beginnt", prio::ZUG_BEGINN_MENUE, [](int32_t team) {
        Menue_Save_Byte_Setzen(0);
        Menue_Neustart(team);
        Menue_Wettbewerb_Video(1, 0);   // the film of the team's competition in the header
        Menue_Zug_Ansage(team);
        Menue_Nachrichten_Zeigen(team);
    });
    Block(Menue_Spielstand_Anmelden, "Menue");
    Beim_Abbinden([] {
        Menue_Filme_Schliessen();
        Menue_Requester_Leeren();
        Menue_Alles_Loeschen();
    });
}

}  // namespace

// The menu framework in the game: the shell's mouse, the icon states of the
// manager whose turn it is, the resource files, its frame in the menu phase;
// the panel's view of the match day, the bank and the news; each turn starts
// on the main screen; messages and questions to the manager as requesters.
void Binden_Bildschirm() {
    Binden_Menue_Eingaben();
    Binden_Menue_Panel();
    Binden_Menue_Meldungen();
    Binden_Menue_Kalender();
}

// The start screen and the wizard: the calendar's frame while it waits for a game.
// The choices start empty, as in a new process.
void Binden_Start() {
    Spielstart_Screen_Zuruecksetzen();
    Spielstart_Wahl_Leeren();
    Besetzen(Kalender_Hooks().spielstart_frame, Spielstart_Screen_Frame, "Kalender.spielstart_frame");
    SpielstartScreenHooks& h = Spielstart_Screen_Hooks();
    Besetzen(h.spiel_sperren, Spiel_Sperren, "Spielstart.spiel_sperren");
    // The wizard's films play in the video slots, looping; a closed one is
    // released at the next frame, never during the frame that still shows it.
    Besetzen(h.film_oeffnen, [](int32_t nummer, int32_t x, int32_t y) -> int32_t {
        BINK_VIDEO* v = Bnk_InitV(uintptr_t(nummer), BINK_RES_DATEI, 0, 0, x, y, BINK_DATEI, "Spielstart", 0);
        if (!v) return 0;
        Bnk_PauseV(v, false);
        return v->slot + 1;
    }, "Spielstart.film_oeffnen");
    Besetzen(h.film_schliessen, [](int32_t slot) { Menue_Video_Freigabe_Vormerken(Bink_Slot_Video(slot - 1)); },
             "Spielstart.film_schliessen");
    Beim_Abbinden(Spielstart_Screen_Zuruecksetzen);
    // The team editor opened from the start screen ends with the game it
    // belongs to: a program that ends while it is open leaves no editing
    // mode behind for the next start.
    Beim_Abbinden(Editor_Schliessen);
}

void Binden_Lauf() {
    const SimOptionen& o = Einstellungen().sim;
    Sim() = SimZustand{};
    Sim().optionen = o;
    Optionen_Standard();
    Optionen(OPTION_AUTOSAVE, 1, o.autosave ? 1 : 0);
    KalenderHooks& k = Kalender_Hooks();
    Besetzen(k.spielstart_frame, Sim_Spielstart, "Kalender.spielstart_frame");
    if (o.zuege_beenden) Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_BILDSCHIRM, Sim_Menue_Frame);
    Abonnieren(k.tag_gezaehlt, "Kalender.tag_gezaehlt", prio::TAG_LAUF, Sim_Tag);
    Abonnieren(k.vor_saisonwechsel, "Kalender.vor_saisonwechsel", prio::SAISONWECHSEL_LAUF, Sim_Vor_Saisonwechsel);
    // The economy report: every transfer, the computer clubs' figures at each season's end.
    Sim_Wirtschaft_Zuruecksetzen();
    Abonnieren(Transfer_Hooks().kader_geaendert, "Transfer.kader_geaendert", prio::KADER_LAUF,
               Sim_Wirtschaft_Transfer);
    Abonnieren(k.vor_saisonwechsel, "Kalender.vor_saisonwechsel", prio::SAISONWECHSEL_WIRTSCHAFT,
               Sim_Wirtschaft_Saisonende);
    Abonnieren(k.tag_gezaehlt, "Kalender.tag_gezaehlt", prio::TAG_WIRTSCHAFT, Sim_Wirtschaft_Tag);
    Sim_Aktiv_Zuruecksetzen();
    if (o.aktiv) Abonnieren(k.tag_ereignisse, "Kalender.tag_ereignisse", prio::TAG_AKTIV, Sim_Aktiv_Tag);
    if (o.spieltag_start) Besetzen(k.spieltag_start, o.spieltag_start, "Kalender.spieltag_start");
    if (o.spieltag_frame) Besetzen(k.spieltag_frame, o.spieltag_frame, "Kalender.spieltag_frame");
    if (o.netz_warten) Besetzen(Net_Hooks().warten, o.netz_warten, "Net.warten");
    // The blocks of the menu and of the match-day pages without their
    // screens: a game without a window saves and loads the same file as the
    // window does, and a window's queued pages and menu state travel
    // unchanged through a run without one.
    if (!Dabei("Bildschirm")) Block(Menue_Spielstand_Anmelden, "Menue");
    if (!Dabei("Seiten")) {
        Block(Ankuendigung_Spielstand_Anmelden, "Ankuendigung");
        Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_ANKUENDIGUNG, Ankuendigung_Leeren);
        Beim_Abbinden(Ankuendigung_Leeren);
    }
}

}  // namespace velmora::verdrahtung
