// The SDL back-end in a real window (run under Xvfb): the shell opens its
// window, shows a test pattern, and what the window shows is read back. A
// small square then moves over the pattern, so the window takes the changed
// rectangles alone; what it shows is read back again, pixel by pixel.
// With the argument "voll" the same in full screen, the picture scaled to the display.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/reg.h"
#include "core/programm.h"
#include "platform/display.h"
#include "shell/app.h"
#include "shell/screen.h"
#include "tests/support/temp_dir.h"

using namespace velmora;

namespace {
uint16_t* g_speicher = nullptr;
int g_frames = 0;
bool g_gelesen = false;
bool g_gleich = false;

uint16_t muster(int x, int y) { return uint16_t((x / 100) << 11 | (y / 75) << 6 | 0x1F); }

// The square of frame f: none before frame 6, then at one place, from frame 8 at another.
bool im_quadrat(int x, int y, int f) {
    if (f < 6) return false;
    const int qx = f < 8 ? 130 : 611, qy = f < 8 ? 57 : 402;
    return x >= qx && x < qx + 16 && y >= qy && y < qy + 16;
}
uint16_t bild_bei(int x, int y, int f) { return im_quadrat(x, y, f) ? uint16_t(0xFFE0) : muster(x, y); }

// What the window shows against frame f: a grid over the whole picture and
// every pixel around both places of the square.
bool vergleichen(int f) {
    std::vector<uint16_t> bild;
    g_gelesen = Plat_Display_Lesen(bild);
    if (!g_gelesen || bild.size() != size_t(SCREEN_BREITE * SCREEN_HOEHE)) return false;
    auto pruefen = [&](int x, int y) {
        if (bild[y * SCREEN_BREITE + x] == bild_bei(x, y, f)) return true;
        std::fprintf(stderr, "frame %d, pixel %d,%d: %04x statt %04x\n", f, x, y, bild[y * SCREEN_BREITE + x],
                     bild_bei(x, y, f));
        return false;
    };
    for (int y = 0; y < SCREEN_HOEHE; y += 37)
        for (int x = 0; x < SCREEN_BREITE; x += 41)
            if (!pruefen(x, y)) return false;
    for (int y = 40; y < 440; ++y)
        for (int x = 110; x < 640; ++x)
            if (!pruefen(x, y)) return false;
    return true;
}

void kalender() {
    if (Quit_State() != 0) {
        Quit_State_Setzen(2);
        return;
    }
    // The frame shown last: each frame is shown after this procedure returns.
    if (g_frames == 5) g_gleich = vergleichen(5);
    if (g_frames == 9) {
        g_gleich = g_gleich && vergleichen(9);
        Programm_Beenden_Anfordern();
    }
    ++g_frames;
    for (int y = 0; y < SCREEN_HOEHE; ++y)
        for (int x = 0; x < SCREEN_BREITE; ++x) g_speicher[y * SCREEN_BREITE + x] = bild_bei(x, y, g_frames);
}
}  // namespace

int main(int argc, char** argv) {
    if (!Plat_Display_Vorhanden()) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    test::TempDir tmp;
    std::filesystem::create_directories(tmp / "install");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    ShellDienste& d = Shell_Dienste();
    d.kalender_main = kalender;
    d.rastport_screen_setup = [](uint16_t* s, int32_t, int32_t, int32_t) {
        g_speicher = s;
        return int32_t(1);
    };
    AppStart start;
    start.headless = false;
    start.max_durchlaeufe = 100000;
    start.schalter.fenster = !(argc > 1 && std::strcmp(argv[1], "voll") == 0);
    start.schalter.kein_intro = true;
    if (App_Main(start) != 1) {
        std::fprintf(stderr, "start failed\n");
        return 1;
    }
    std::printf("frames %d, read back %d, equal %d\n", g_frames, g_gelesen, g_gleich);
    return g_gelesen && g_gleich ? 0 : 1;
}
