#include "shell/app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/mem.h"
#include "core/programm.h"
#include "core/reg.h"
#include "core/taste.h"
#include "gfx/rastport.h"
#include "gfx/texteingabe.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "shell/maus.h"
#include "shell/screen.h"
#include "tests/gfx/font_support.h"
#include "tests/support/schalter.h"
#include "tests/support/temp_dir.h"

using namespace velmora;

namespace {

std::vector<std::string> g_ablauf;
int g_frames = 0;
int g_quit_nach = 3;
uint16_t* g_speicher = nullptr;

int32_t screen_setup(uint16_t* speicher, int32_t, int32_t, int32_t) {
    g_speicher = speicher;
    g_ablauf.push_back("rastport");
    return 1;
}

// A stand-in for the calendar: draws a test pattern and asks for the end after some frames.
void kalender() {
    if (Quit_State() != 0) {
        Quit_State_Setzen(2);
        g_ablauf.push_back("kalender-ende");
        App_Beenden();
        return;
    }
    ++g_frames;
    for (int y = 0; y < SCREEN_HOEHE; ++y)
        for (int x = 0; x < SCREEN_BREITE; ++x) g_speicher[y * SCREEN_BREITE + x] = uint16_t((x / 100) << 11 | (y / 75) << 5 | g_frames);
    if (g_frames >= g_quit_nach) Programm_Beenden_Anfordern();
    Taste_Reset();
}

struct AppTest : ::testing::Test {
    test::TempDir tmp;
    void SetUp() override {
        std::filesystem::create_directories(tmp / "install");
        Reg_Write_String("Work_dir", (tmp / "install").c_str());
        Reg_Write_String("USER_DIR", (tmp / "user").c_str());
        g_ablauf.clear();
        g_frames = 0;
        g_quit_nach = 3;
        ShellDienste& d = Shell_Dienste();
        d = ShellDienste{};
        d.rastport_screen_setup = screen_setup;
        d.kalender_main = kalender;
        d.resourcen_oeffnen = [] { g_ablauf.push_back("res-auf"); return int32_t(1); };
        d.resourcen_schliessen = [] { g_ablauf.push_back("res-zu"); };
        d.font_load_set = [] { g_ablauf.push_back("fonts"); return int32_t(1); };
        d.font_free_set = [] { g_ablauf.push_back("fonts-frei"); };
        d.net_init = [] { g_ablauf.push_back("net"); return int32_t(1); };
        d.intro_abspielen = [] { g_ablauf.push_back("intro"); return true; };
        d.outro_abspielen = [] { g_ablauf.push_back("outro"); return true; };
        d.pack_lzw_exit = [] { g_ablauf.push_back("pack-exit"); };
    }
    void TearDown() override {
        Shell_Dienste() = ShellDienste{};
        Plat_Uhr_Virtuell(false);
    }
};

}  // namespace

TEST_F(AppTest, HeadlessStartRunsFramesAndShutsDownInOrder) {
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 1);
    EXPECT_EQ(g_frames, 3);
    EXPECT_EQ(Quit_State(), 2);
    EXPECT_EQ(Plat_Headless_Bilder(), 2u);   // the frame that asks for the end is not shown
    const std::vector<std::string> erwartet = {"res-auf", "rastport", "fonts", "net", "kalender-ende",
                                               "fonts-frei", "pack-exit", "res-zu"};
    EXPECT_EQ(g_ablauf, erwartet);   // no intro and outro with "-i"
    // The last shown frame is the pattern of frame 2.
    const std::vector<uint16_t>& bild = Plat_Headless_Bild();
    ASSERT_EQ(bild.size(), size_t(SCREEN_BREITE * SCREEN_HOEHE));
    EXPECT_EQ(bild[0], 2);
    EXPECT_EQ(bild[599 * 800 + 799], uint16_t(7 << 11 | 7 << 5 | 2));
}

TEST_F(AppTest, IntroAndOutroWithoutMinusI) {
    g_quit_nach = 1;
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-w"})), 1);
    EXPECT_EQ(g_ablauf.front(), "res-auf");
    EXPECT_EQ(g_ablauf[1], "intro");
    EXPECT_EQ(g_ablauf.back(), "outro");
    EXPECT_EQ(App_Config_Loeschen_Mark(), 1);
}

TEST_F(AppTest, SwitchesSetTheirMarks) {
    g_quit_nach = 1;
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"--window", "--no-intro"})), 1);
    EXPECT_TRUE(App_Kein_Intro());
    EXPECT_EQ(Screen_Get().modus, SCREEN_FENSTER);
    g_frames = 0;
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-d"})), 1);
    EXPECT_EQ(App_Config_Loeschen_Mark(), 0);
    EXPECT_FALSE(App_Kein_Intro());
    EXPECT_EQ(Screen_Get().modus, SCREEN_VOLLBILD);
}

// Each switch counts only as a whole argument: a word or the program's path
// holding "-r" or "-w" switches nothing, an unknown option is refused by name.
TEST(AppSchalter, OnlyWholeArgumentsSwitch) {
    struct Zeile {
        std::vector<std::string> argv;
        AppAufruf aufruf;
        bool fenster, kein_intro, registry2, cache_behalten;
        std::string datadir;
        std::string fehler;   // the start of the error line
    };
    const std::vector<Zeile> tabelle = {
        {{"/opt/game-r/velmora-wide-idea"}, AppAufruf::STARTEN, false, false, false, false, "", ""},
        {{"velmora", "-w", "-i", "-r", "-d"}, AppAufruf::STARTEN, true, true, true, true, "", ""},
        {{"velmora", "-wi"}, AppAufruf::STARTEN, true, true, false, false, "", ""},
        {{"velmora", "--second-install", "--keep-config-cache"}, AppAufruf::STARTEN, false, false, true, true, "", ""},
        {{"velmora", "--datadir", "/x-r/y"}, AppAufruf::STARTEN, false, false, false, false, "/x-r/y", ""},
        {{"velmora", "--datadir=/d"}, AppAufruf::STARTEN, false, false, false, false, "/d", ""},
        {{"velmora", "--help"}, AppAufruf::HILFE, false, false, false, false, "", ""},
        {{"velmora", "-h"}, AppAufruf::HILFE, false, false, false, false, "", ""},
        {{"velmora", "--version"}, AppAufruf::VERSION, false, false, false, false, "", ""},
        {{"velmora", "--wide-idea"}, AppAufruf::FEHLER, false, false, false, false, "", "velmora: unknown option '--wide-idea'"},
        {{"velmora", "-x"}, AppAufruf::FEHLER, false, false, false, false, "", "velmora: unknown option '-x'"},
        {{"velmora", "--datadir"}, AppAufruf::FEHLER, false, false, false, false, "",
         "velmora: option '--datadir' needs a value (see --help)"},
        // A known long option given a value it does not take is named as written.
        {{"velmora", "--window=3"}, AppAufruf::FEHLER, false, false, false, false, "",
         "velmora: option '--window' takes no value (see --help)"},
        {{"velmora", "--win=3"}, AppAufruf::FEHLER, false, false, false, false, "",
         "velmora: option '--window' takes no value (see --help)"},
        {{"velmora", "--wide-idea=3"}, AppAufruf::FEHLER, false, false, false, false, "",
         "velmora: unknown option '--wide-idea' (see --help)"},
        {{"velmora", "--window", "-xw"}, AppAufruf::FEHLER, false, false, false, false, "",
         "velmora: unknown option '-x' (see --help)"},
        {{"velmora", "spielstand"}, AppAufruf::FEHLER, false, false, false, false, "", "velmora: unexpected argument 'spielstand'"},
    };
    for (const Zeile& z : tabelle) {
        std::vector<std::string> args = z.argv;
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        AppSchalter sch;
        sch.fenster = true;   // whatever came before is forgotten
        std::string fehler;
        SCOPED_TRACE(z.argv.back());
        ASSERT_EQ(App_Schalter_Lesen(int(args.size()), argv.data(), sch, &fehler), z.aufruf);
        EXPECT_EQ(fehler.rfind(z.fehler, 0), 0u) << fehler;
        if (z.aufruf != AppAufruf::STARTEN) continue;
        EXPECT_EQ(sch.fenster, z.fenster);
        EXPECT_EQ(sch.kein_intro, z.kein_intro);
        EXPECT_EQ(sch.registry2, z.registry2);
        EXPECT_EQ(sch.cache_behalten, z.cache_behalten);
        EXPECT_EQ(sch.datadir, z.datadir);
        EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.end() - 1), z.argv) << "the arguments stay in order";
    }
}

TEST_F(AppTest, MissingResourceFileEndsTheStartWithTheFatalMessage) {
    Shell_Dienste().resourcen_oeffnen = [] { return int32_t(0); };
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    EXPECT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 0);
    EXPECT_EQ(g_frames, 0);
}

TEST_F(AppTest, MissingInstallationEndsTheStartWithTheDirectoryMessage) {
    Reg_Write_String("Work_dir", (tmp / "fehlt").c_str());
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    EXPECT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 0);
    EXPECT_TRUE(g_ablauf.empty());
}

TEST_F(AppTest, CtrlBTogglesBetweenWindowAndFullScreen) {
    g_quit_nach = 4;
    std::vector<int32_t> modi;
    static std::vector<int32_t>* s_modi;
    s_modi = &modi;
    Shell_Dienste().rastport_screen_setup = [](uint16_t* sp, int32_t, int32_t, int32_t) {
        g_speicher = sp;
        s_modi->push_back(Screen_Get().modus);
        return int32_t(1);
    };
    PlatEreignis strg_b;
    strg_b.art = PLAT_E_TASTE;
    strg_b.code = 66;
    strg_b.ctrl = 1;
    AppStart s;
    s.headless = true;
    s.max_durchlaeufe = 50;
    // The events are queued before the window exists only through the shell's
    // own pump, so queue them from the first frame instead.
    static PlatEreignis s_e;
    s_e = strg_b;
    Shell_Dienste().kalender_main = [] {
        if (g_frames < 2 && Quit_State() == 0) Plat_Headless_Ereignis(s_e);
        kalender();
    };
    ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-i"})), 1);
    // start in full screen; the first Ctrl+B gives the window, the second full screen again
    ASSERT_GE(modi.size(), 3u);
    EXPECT_EQ(modi[0], SCREEN_VOLLBILD);
    EXPECT_EQ(modi[1], SCREEN_FENSTER);
    EXPECT_EQ(modi[2], SCREEN_VOLLBILD);
}

// A typist's keys come faster than the frames: every key and the character it
// types, queued between two frames through the headless input, reaches the
// text field in order, one per frame, doubled letters and a character without
// a key code of its own (an umlaut after Backspace) included. Each key is cased
// by Shift as it was when the key went down, not as held when its frame comes.
TEST_F(AppTest, KeysTypedBetweenTwoFramesAllReachTheFieldInOrder) {
    struct Fall {
        std::vector<PlatEreignis> tasten;
        const char* erwartet;
        bool shift_danach = false;   // Shift held down once the keys are queued
    };
    const auto taste = [](int32_t code, int32_t shift = 0) { return PlatEreignis{PLAT_E_TASTE, code, shift}; };
    const auto zeichen = [](int32_t c) { return PlatEreignis{PLAT_E_ZEICHEN, c}; };
    const auto getippt = [&](const std::string& text) {
        std::vector<PlatEreignis> folge;
        for (const char c : text) {
            const bool gross = c >= 'A' && c <= 'Z';
            if (gross) folge.push_back(taste(VK_SHIFT, 1));
            folge.push_back(taste(c == ' ' ? VK_SPACE : std::toupper(static_cast<unsigned char>(c)), gross));
            folge.push_back(zeichen(c));
        }
        return folge;
    };
    std::vector<Fall> faelle = {{getippt("Anna Lind"), "Anna Lind"},
                                {getippt("Bert Vogt"), "Bert Vogt"},
                                {getippt("anna L"), "anna L", true}};
    faelle[1].tasten.push_back(taste(VK_BACK));
    faelle[1].tasten.push_back(zeichen(0xE4));
    faelle[1].erwartet = "Bert Vog\xE4";

    static Font* s_font;
    static char s_text[64];
    static const Fall* s_fall;
    s_font = test::Block_Font();
    for (const Fall& f : faelle) {
        std::memset(s_text, 0, sizeof s_text);
        s_fall = &f;
        g_frames = 0;
        g_quit_nach = int(f.tasten.size()) + 3;   // a frame for every key at most
        Shell_Dienste().kalender_main = [] {
            if (g_frames == 0) Rastport_Screen_Setup(SCREEN_BREITE, SCREEN_HOEHE, g_speicher);
            if (Quit_State() == 0)
                Texteingabe_Edit(s_font, s_text, sizeof s_text, 40, TEXTEINGABE_STANDARD, 100, 100, 400, 14, 2, 1,
                                 nullptr, 0, 0, nullptr, 0xFFFF);
            // The whole burst arrives between the first two frames.
            if (g_frames == 0) {
                for (const PlatEreignis& e : s_fall->tasten) Plat_Headless_Ereignis(e);
                Plat_Headless_Taste(VK_SHIFT, s_fall->shift_danach);
            }
            kalender();
        };
        AppStart s;
        s.headless = true;
        s.max_durchlaeufe = 200;
        ASSERT_EQ(App_Main(test::Mit_Schaltern(s, {"-w", "-i"})), 1);
        EXPECT_STREQ(s_text, f.erwartet);
        Texteingabe_Free();
        Plat_Headless_Taste(VK_SHIFT, false);
    }
    test::Block_Font_Frei(s_font);
}

TEST(AppFrame, TwoPassesInTheSameMillisecondRunOneFrame) {
    int zaehler = 0;
    static int* s_z;
    s_z = &zaehler;
    Shell_Dienste() = ShellDienste{};
    Shell_Dienste().kalender_main = [] { ++*s_z; };
    Plat_Uhr_Virtuell(true, 500);
    App_Frame();
    App_Frame();
    EXPECT_EQ(zaehler, 1);
    Plat_Uhr_Vorstellen(1);
    App_Frame();
    EXPECT_EQ(zaehler, 2);
    Shell_Dienste() = ShellDienste{};
    Plat_Uhr_Virtuell(false);
}

// A still picture's pass between two whole frames runs its films alone; the
// whole frame comes with any input, and APP_LEERLAUF_MS after the last one.
// A film frame draws only the films, and the window takes only the changed
// pixels inside their rectangles (the game's frame, the menu's drawing, does
// not run); what is shown is the screen memory as a whole frame left it.
TEST(AppFrame, AStillPicturesFilmFrameDrawsAndShowsTheFilmAlone) {
    struct Wahl {
        bool still, eingabe;
        uint32_t seit_voll;
        bool nur_filme;
    } wahlen[] = {
        {true, false, 0, true},  {true, false, APP_LEERLAUF_MS - 1, true}, {true, false, APP_LEERLAUF_MS, false},
        {true, true, 5, false},  {false, false, 5, false},                 {true, false, 0xFFFFFFF0u, false},
    };
    for (const Wahl& w : wahlen)
        EXPECT_EQ(App_Nur_Filme(w.still, w.eingabe, w.seit_voll), w.nur_filme) << w.still << w.eingabe << w.seit_voll;

    static int s_kalender, s_film;
    s_kalender = s_film = 0;
    static constexpr PlatRechteck FILM{15, 5, 16, 16};
    Shell_Dienste() = ShellDienste{};
    Shell_Dienste().kalender_main = [] {
        ++s_kalender;
        for (int32_t i = 0; i < SCREEN_BREITE * SCREEN_HOEHE; ++i) Screen_Get().speicher[i] = uint16_t(i * 7 + s_kalender);
    };
    Shell_Dienste().film_bereiche = [](PlatRechteck* out, int32_t) {
        out[0] = FILM;
        return int32_t(1);
    };
    // The film: a 4 x 4 spark that moves one pixel a frame over a still ground.
    Screen_Film_Hook_Setzen([](uint16_t* p, int32_t pitch, int32_t) {
        for (int32_t y = 0; y < FILM.h; ++y)
            for (int32_t x = 0; x < FILM.b; ++x) {
                const bool funke = x >= s_film && x < s_film + 4 && y >= 6 && y < 10;
                p[(FILM.y + y) * pitch / 2 + FILM.x + x] = funke ? 0xFFFF : 0x1234;
            }
    });
    Quit_State_Setzen(0);
    Plat_Uhr_Virtuell(true, 500);
    ASSERT_EQ(Win_Create_Window(true, true), 0);
    ASSERT_TRUE(DDraw_Init(&Screen_Get()));
    App_Frame();
    ASSERT_EQ(s_kalender, 1);
    for (s_film = 1; s_film < 6; ++s_film) {
        Plat_Uhr_Vorstellen(40);
        App_Film_Frame();
        const PlatRechteck z = Plat_Display_Zuletzt();
        EXPECT_EQ(std::vector<int32_t>({z.x, z.y, z.b, z.h}), std::vector<int32_t>({FILM.x + s_film - 1, FILM.y + 6, 5, 4}))
            << "film frame " << s_film;
        EXPECT_EQ(s_kalender, 1) << "the game's frame ran in a film frame";
        EXPECT_TRUE(std::equal(Plat_Headless_Bild().begin(), Plat_Headless_Bild().end(), Screen_Get().speicher));
    }
    Plat_Uhr_Vorstellen(40);
    App_Frame();   // the whole frame draws everything again
    EXPECT_EQ(s_kalender, 2);
    EXPECT_EQ(Plat_Display_Zuletzt().b, SCREEN_BREITE);
    EXPECT_TRUE(std::equal(Plat_Headless_Bild().begin(), Plat_Headless_Bild().end(), Screen_Get().speicher));
    Screen_Film_Hook_Setzen(nullptr);
    Win_Destroy_Window();
    Shell_Dienste() = ShellDienste{};
    Plat_Uhr_Virtuell(false);
}

// A window's pass waits out the rest of its 10 ms; a pass that took longer
// (or a present that waited for the refresh) waits no more. A picture that
// has stood still for half a second while the game waits for the player is
// drawn every APP_LEERLAUF_MS.
TEST(AppFrame, APassWaitsOutTheRestOfItsTenMillisecondsAndAStillPictureWaitsLonger) {
    struct Fall {
        uint32_t start, jetzt, still, warten;
        int32_t film = -1;
    } faelle[] = {
        {1000, 1000, 0, APP_FRAME_MS},         {1000, 1003, 0, APP_FRAME_MS - 3}, {1000, 1000 + APP_FRAME_MS - 1, 0, 1},
        {1000, 1000 + APP_FRAME_MS, 0, 0},     {1000, 1017, 0, 0},                {1000, 999 + 0x7FFFFFFFu, 0, 0},
        {0xFFFFFFFCu, 0xFFFFFFFEu, 0, APP_FRAME_MS - 2},   // across the clock's wrap
        {0xFFFFFFFCu, 2, 0, APP_FRAME_MS - 6},             {0xFFFFFFFCu, 20, 0, 0},
        {1000, 1003, APP_STILL_MS - 1, APP_FRAME_MS - 3},  // not yet still long enough
        {1000, 1003, APP_STILL_MS, APP_LEERLAUF_MS - 3},   // still: the idle pace
        {1000, 1000 + APP_LEERLAUF_MS, 60000, 0},
        {1000, 1003, APP_STILL_MS, 17, 17},               // a film's next frame ends the wait in time
        {1000, 1003, APP_STILL_MS, 0, 0},
        {1000, 1003, APP_STILL_MS - 1, APP_FRAME_MS - 3, 2},   // busy: the frame's pace, films or not
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(App_Frame_Rest(f.start, f.jetzt, f.still, f.film), f.warten)
            << f.start << " " << f.jetzt << " " << f.still << " " << f.film;
}

TEST(AppDispatcher, ServerAndClientAreServedByTheirNetworkMode) {
    static std::string s_spur;
    static int32_t s_modus;
    s_spur.clear();
    ShellDienste& d = Shell_Dienste();
    d = ShellDienste{};
    d.netzwerk_modus = [] { return s_modus; };
    d.server_bedienen = [] { s_spur += "S"; };
    d.client_bedienen = [] { s_spur += "C"; };
    d.kalender_main = [] { s_spur += "K"; };
    for (int32_t m : {0, 1, 2}) {
        s_modus = m;
        Spiel_Dispatcher(0);
    }
    // The server answers its clients before the calendar runs, the client takes
    // the server's minute signal after it.
    EXPECT_EQ(s_spur, "KKCSK");
    d = ShellDienste{};
}

TEST(AppWinProc, KeysCharactersWheelAndCloseReachTheirGlobals) {
    Taste_Reset();
    Quit_State_Setzen(0);
    PlatEreignis e;
    e.art = PLAT_E_TASTE;
    e.code = VK_RETURN;
    e.shift = 1;
    Win_Proc(e);
    EXPECT_EQ(Taste_Get_Code(), VK_RETURN);
    EXPECT_EQ(Taste_Get_Zeichen(), 0);   // -1 until the character arrives
    EXPECT_EQ(Taste_Shift(), 1);
    e = PlatEreignis{};
    e.art = PLAT_E_ZEICHEN;
    e.code = 0xE4;   // a Latin-1 umlaut
    Win_Proc(e);
    EXPECT_EQ(Taste_Get_Zeichen(), 0xE4);
    e = PlatEreignis{};
    e.art = PLAT_E_RAD;
    e.code = -1;
    Win_Proc(e);
    EXPECT_EQ(Maus_Rad(), -1);
    e.code = 1;
    Win_Proc(e);
    EXPECT_EQ(Maus_Rad(), 1);
    e = PlatEreignis{};
    e.art = PLAT_E_BEENDEN;
    Win_Proc(e);
    EXPECT_EQ(Quit_State(), 1);
    e.art = PLAT_E_SCHLIESSEN;
    Win_Proc(e);
    EXPECT_EQ(Quit_State(), 2);
    Quit_State_Setzen(0);
    Taste_Reset();
}

// On a loaded machine one pass of the main loop can take several keys typed;
// the key polling holds one, so all but the last were lost ("Sara Server"
// became "ar Servr"). Each key reaches a pass of its own, in order, with the
// other events between them; a wait's end drops the keys still held back.
TEST(AppPump, KeysTypedWithinOnePassReachTheGameOneAPassInTheirOrder) {
    ASSERT_TRUE(Plat_Display_Oeffnen(PLAT_HEADLESS, "Test", 800, 600, true));
    Taste_Reset();
    Maus_Rad_Setzen(0);
    const auto tippen = [](const char* text) {
        for (const char* c = text; *c; ++c) {
            // the key's code is its capital letter (a small letter's number is another key's)
            Plat_Headless_Ereignis(PlatEreignis{PLAT_E_TASTE, std::toupper(static_cast<unsigned char>(*c))});
            Plat_Headless_Ereignis(PlatEreignis{PLAT_E_ZEICHEN, int32_t(*c)});
            if (*c == 'r') Plat_Headless_Ereignis(PlatEreignis{PLAT_E_RAD, 1});
        }
    };
    tippen("Sara");
    std::string getippt, codes;
    int32_t rad_bei = -1;
    for (int32_t pass = 0; pass < 6; ++pass) {
        Win_Pump_Messages();
        if (Taste_Get_Zeichen()) getippt += char(Taste_Get_Zeichen());
        if (Taste_Get_Code()) codes += char(Taste_Get_Code());
        if (Maus_Rad() != 0) rad_bei = pass;
        Maus_Rad_Setzen(0);
        Taste_Reset();
    }
    EXPECT_EQ(getippt, "sara") << "no shift held: the polling gives small letters";
    EXPECT_EQ(codes, "SARA");
    EXPECT_EQ(rad_bei, 2) << "the wheel step after the 'r' comes with it";
    // Keys held back when a remote call's wait ends are dropped with the rest of its input.
    tippen("ab");
    Win_Warten();
    Win_Warten_Ende();
    Win_Pump_Messages();
    EXPECT_EQ(Taste_Get_Zeichen(), 0);
    Taste_Reset();
    Plat_Display_Schliessen();
}

TEST(AppWinProc, TheRepeatMarkOfAHeldKeyReachesTheKeyPolling) {
    Taste_Reset();
    const struct {
        PlatEreignisArt art;
        int32_t code, wiederholt;
    } folge[] = {{PLAT_E_TASTE, 'L', 0}, {PLAT_E_ZEICHEN, 'l', 0}, {PLAT_E_TASTE, 'L', 1},
                 {PLAT_E_ZEICHEN, 'l', 1}, {PLAT_E_TASTE, VK_BACK, 0}};
    for (const auto& f : folge) {
        PlatEreignis e;
        e.art = f.art;
        e.code = f.code;
        e.wiederholt = f.wiederholt;
        Win_Proc(e);
        EXPECT_EQ(Taste_Wiederholt(), f.wiederholt) << f.code;
    }
    Win_Proc(PlatEreignis{PLAT_E_TASTE, 'L', 0, 0, 0, 0, 0, 1});
    Taste_Reset();
    EXPECT_EQ(Taste_Wiederholt(), 0);   // the frame's end forgets it
}
