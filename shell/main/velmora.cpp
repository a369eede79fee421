// shell/main/velmora.cpp - the program's entry point: wires the modules to the
// shell and runs it.
//
// With a display (DISPLAY or WAYLAND_DISPLAY) the game opens its window; without
// one it runs headless on a virtual clock. The calendar drives every frame.
// Headless, the main job starts a new game of the demo world with every club
// computer-managed, plays a number of days with the game's match day, prints
// a short summary and ends the program the orderly way.
#include <cstdio>
#include <string>

#include "business/bank_anbindung.h"
#include "business/ereignis_anbindung.h"
#include "business/news_anbindung.h"
#include "business/scout.h"
#include "business/training_anbindung.h"
#include "business/verhandlung.h"
#include "business/stadion_anbindung.h"
#include "club/club_anbindung.h"
#include "match/spieltag_anbindung.h"
#include "media/sound.h"
#include "season/kalender.h"
#include "season/season_anbindung.h"
#include "core/hooks.h"
#include "season/spielstart.h"
#include "core/pack.h"
#include "core/programm.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/cache.h"
#include "gfx/font.h"
#include "gfx/text_markup.h"
#include "gfx/grafik_laden.h"
#include "gfx/portrait.h"
#include "gfx/wappen.h"
#include "gfx/rastport.h"
#include "gfx/shade.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "shell/app.h"
#include "shell/maus.h"
#include "shell/resourcen.h"
#include "shell/screen.h"
#include "tools/sim_lauf.h"

using namespace velmora;

namespace {

constexpr int32_t HEADLESS_TAGE = 60;          // days the headless main job plays
constexpr uint32_t HEADLESS_BILDER = 100000;   // a bound on its frames

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

// The picture while no game runs (the start screens come later): the pitch's
// green with the lines of a football field and the game's name.
void startbild() {
    Rastport* s = Rastport_Screen();
    if (!s) return;
    const uint16_t gruen = 0x2C64, weiss = 0xFFFF;
    Rastport_Fill(s, 0, 0, SCREEN_BREITE, SCREEN_HOEHE, gruen, nullptr);
    Rastport_Draw_Frame(s, 40, 60, 720, 480, weiss, 2, nullptr);
    Rastport_Fill(s, 399, 60, 2, 480, weiss, nullptr);
    Rastport_Draw_Frame(s, 40, 200, 110, 200, weiss, 2, nullptr);
    Rastport_Draw_Frame(s, 650, 200, 110, 200, weiss, 2, nullptr);
    if (Font* titel = Font_Get(11)) Text_Printf(s, titel, "^tz0400Velmora", 0, 280);
    if (Font* zeile = Font_Get(9)) Text_Printf(s, zeile, "^tz0400%s", 0, 330, "Fussball-Manager");
}

// Headless: the game runs itself and the program ends after HEADLESS_TAGE days.
int32_t gespielte_tage = 0;
void headless_tag() {
    gespielte_tage = Tag_Index();
    if (Tag_Index() < HEADLESS_TAGE || Quit_State() != 0) return;
    std::fputs(sim::Sim_Kurzbericht().c_str(), stdout);
    Programm_Beenden_Anfordern();
}

}  // namespace

int main(int argc, char** argv) {
    std::string kommandozeile;
    for (int i = 0; i < argc; ++i) kommandozeile += std::string(i ? " " : "") + argv[i];

    ShellDienste& d = Shell_Dienste();
    d.netzwerk_modus = Netzwerk_Modus;
    d.net_init = Net_Init;
    d.net_local_address = lokale_adresse;
    d.net_pump = Net_Pump;
    d.net_server_slot_pump = Net_Server_Slot_Pump;
    d.server_bedienen = Net_Server_Bedienen;
    d.client_bedienen = Net_Client_Bedienen;
    d.kalender_main = Kalender_Main;
    d.resourcen_oeffnen = [] {
        int32_t ok = Resourcen_Oeffnen();
        if (ok) Bild_Anbinden(Resourcen_Slot);   // pictures, crests, kits and portraits from the open files
        return ok;
    };
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
    Sound_Hooks().resourcen_slot = Resourcen_Slot;
    d.intro_abspielen = Intro_Abspielen;
    d.outro_abspielen = Outro_Abspielen;
    Net_Hooks().warten = [] { Win_Pump_Messages(); };
    // Until the screens' requester exists, messages to the manager are system message boxes.
    Core_Hooks().meldung = [](const char* text) { Plat_Meldungsbox("Velmora", text); };
    Grafik_Loader_Anmelden();
    Font_Init();
    Club_Anbinden();
    Season_Anbinden();
    Match_Anbinden();

    AppStart start;
    start.headless = !Plat_Display_Vorhanden();
    KalenderHooks& k = Kalender_Hooks();
    if (start.headless) {
        start.max_durchlaeufe = HEADLESS_BILDER;
        sim::SimOptionen o;
        o.echter_spieltag = true;
        o.nach_welt_aufbau = [] {
            Stadion_Spielstart();
            Scout_Init();
            Verhandlung_Init();
        };
        sim::Sim_Anbinden(o);
        k.tag_ereignisse = headless_tag;
    } else {
        k.spielstart_frame = [] {
            startbild();
            return false;
        };
    }
    k.app_beenden = App_Beenden;
    k.maus_latch = Maus_Tasten_Latch;
    k.uhr = Plat_Ms;
    k.module_init = [] { Spielstart_Cache_Behalten(App_Config_Loeschen_Mark() == 0); };
    k.backsound_pruefen = Backsound_Pruefen;
    k.medien_stop = Medien_Stop;
    News_Anbinden();     // after the calendar hooks above: it chains itself in front of them
    Stadion_Anbinden();  // after the match and the calendar hooks, for the same reason
    Bank_Anbinden();     // the period close after each match chains in front of the others
    Scout_Anbinden();
    Verhandlung_Anbinden();
    Training_Anbinden();
    Ereignis_Anbinden();   // chains itself in front of the calendar hooks filled above
    int32_t ok = App_Main(kommandozeile.c_str(), start);
    Portrait_Teile_Freigeben();
    if (start.headless && ok)
        std::printf("Velmora ran headless: %d days played, %u frames shown.\n", gespielte_tage, Plat_Headless_Bilder());
    return ok ? 0 : 1;
}
