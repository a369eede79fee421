// platform/display.cpp - window, screen and input on SDL2, or headless.
#include "platform/display.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <strings.h>
#include <deque>

#include "platform/clock.h"

#ifdef VELMORA_HAVE_SDL
#include "platform/sdl.h"
#endif

namespace velmora {
namespace {

struct DisplayModul {
    bool offen = false;
    PlatBackend backend = PLAT_HEADLESS;
    int32_t breite = 0, hoehe = 0;
    bool fenster = true;
    // headless state
    std::deque<PlatEreignis> ereignisse;
    int32_t maus_x = 0, maus_y = 0;
    uint32_t knoepfe = 0;
    uint32_t gedrueckt = 0;   // buttons pressed since the last read (a click between two reads)
    bool gehalten[256] = {};
    int32_t taste_wiederholt = 0;   // the repeat mark of the last key, for its character
    std::vector<uint16_t> bild;
    uint32_t bilder = 0;
    bool neu_zeigen = true;   // the window needs a present even of an unchanged frame
    PlatRechteck zuletzt;     // the part of the picture the last frame handed to the window
    uint32_t eingaben = 0;    // events of any kind taken so far
    std::vector<std::pair<std::string, std::string>> meldungen;
#ifdef VELMORA_HAVE_SDL
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    // The window's own pixels (no renderer): the surface last seen and its size,
    // and the scaled rows of a window larger than the picture.
    SDL_Surface* flaeche = nullptr;
    int32_t flaeche_b = 0, flaeche_h = 0;
    std::vector<uint16_t> skaliert;
    SDL_Joystick* joy[2] = {};
#endif
};
DisplayModul g;

#ifdef VELMORA_HAVE_SDL
// SDL key to Windows virtual-key code; 0 for keys the game has no use for.
int32_t vk_von_sdl(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
    if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
    if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
    switch (k) {
        case SDLK_BACKSPACE: return VK_BACK;
        case SDLK_TAB: return VK_TAB;
        case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
        case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
        case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
        case SDLK_LALT: case SDLK_RALT: return VK_MENU;
        case SDLK_PAUSE: return VK_PAUSE;
        case SDLK_ESCAPE: return VK_ESCAPE;
        case SDLK_SPACE: return VK_SPACE;
        case SDLK_PAGEUP: return VK_PRIOR;
        case SDLK_PAGEDOWN: return VK_NEXT;
        case SDLK_END: return VK_END;
        case SDLK_HOME: return VK_HOME;
        case SDLK_LEFT: return VK_LEFT;
        case SDLK_UP: return VK_UP;
        case SDLK_RIGHT: return VK_RIGHT;
        case SDLK_DOWN: return VK_DOWN;
        case SDLK_INSERT: return VK_INSERT;
        case SDLK_DELETE: return VK_DELETE;
        case SDLK_KP_0: return VK_NUMPAD0;
        case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
        case SDLK_KP_PLUS: return VK_ADD;
        case SDLK_KP_MINUS: return VK_SUBTRACT;
        case SDLK_KP_PERIOD: return VK_DECIMAL;
        case SDLK_KP_DIVIDE: return VK_DIVIDE;
        default: return 0;
    }
}

// UTF-8 text input to one Latin-1 character, the game's character set; 0 when outside it.
int32_t latin1_von_utf8(const char* s) {
    auto* u = reinterpret_cast<const unsigned char*>(s);
    if (u[0] < 0x80) return u[0];
    if ((u[0] & 0xE0) == 0xC0 && (u[1] & 0xC0) == 0x80) {
        int32_t c = ((u[0] & 0x1F) << 6) | (u[1] & 0x3F);
        return c <= 0xFF ? c : 0;
    }
    return 0;
}

// The window's surface; a new one (after a resize) is drawn whole.
SDL_Surface* sdl_flaeche() {
    SDL_Surface* s = Sdl().SDL_GetWindowSurface(g.window);
    if (s && (s != g.flaeche || s->w != g.flaeche_b || s->h != g.flaeche_h)) {
        g.flaeche = s;
        g.flaeche_b = s->w;
        g.flaeche_h = s->h;
        g.neu_zeigen = true;
    }
    return s;
}

// The picture's place in the window's drawing area (the surface's pixels, or the renderer's output).
PlatRechteck sdl_rechteck(int* ww = nullptr, int* wh = nullptr) {
    int b = 0, h = 0;
    if (!g.renderer) {
        if (SDL_Surface* s = sdl_flaeche()) {
            b = s->w;
            h = s->h;
        }
    } else if (Sdl().SDL_GetRendererOutputSize(g.renderer, &b, &h) != 0) {
        b = h = 0;
    }
    if (b <= 0 || h <= 0) {
        b = g.breite;
        h = g.hoehe;
    }
    if (ww) *ww = b;
    if (wh) *wh = h;
    return Plat_Bild_Rechteck(b, h, g.breite, g.hoehe);
}

// The picture into its rectangle, the border black.
void sdl_zeichnen() {
    const PlatRechteck r = sdl_rechteck();
    const SDL_Rect ziel{r.x, r.y, r.b, r.h};
    Sdl().SDL_SetRenderDrawColor(g.renderer, 0, 0, 0, 255);
    Sdl().SDL_RenderClear(g.renderer);
    Sdl().SDL_RenderCopy(g.renderer, g.texture, nullptr, &ziel);
}

bool sdl_oeffnen(const char* titel) {
    if (!Sdl_Laden()) return false;
    if (Sdl().SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) {
        std::fprintf(stderr, "SDL: %s\n", Plat_Terminal_Text(Sdl().SDL_GetError()).c_str());
        return false;
    }
    Uint32 flags = SDL_WINDOW_RESIZABLE | (g.fenster ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    // Full screen opens at the display's size in its corner: without a window
    // manager nobody else makes the window as large as the display, and SDL
    // would draw for a size the window does not have.
    int32_t b = g.breite, h = g.hoehe, x = SDL_WINDOWPOS_UNDEFINED, y = SDL_WINDOWPOS_UNDEFINED;
    SDL_DisplayMode modus{};
    if (!g.fenster && Sdl().SDL_GetDesktopDisplayMode(0, &modus) == 0 && modus.w > 0 && modus.h > 0) {
        b = modus.w;
        h = modus.h;
        x = y = 0;
    }
    g.window = Sdl().SDL_CreateWindow(titel, x, y, b, h, flags);
    if (!g.window) return false;
    Sdl().SDL_StartTextInput();
    // The window's own pixels, handed to the display by rectangle (X11: shared
    // memory, the native way asked for): a film's few changed pixels cost a
    // few pixels, where a renderer draws and presents the whole window every
    // frame (on software GL a hundred times more). A renderer only where SDL
    // gives the window no surface.
    Sdl().SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    g.flaeche = nullptr;
    if (sdl_flaeche()) return true;
    // A present waits for the display's refresh where the renderer can: the
    // frame then costs no more than the screen shows.
    Sdl().SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
    g.renderer = Sdl().SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!g.renderer) g.renderer = Sdl().SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED);
    if (!g.renderer) g.renderer = Sdl().SDL_CreateRenderer(g.window, -1, SDL_RENDERER_SOFTWARE);
    if (!g.renderer) return false;
    g.texture = Sdl().SDL_CreateTexture(g.renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, g.breite, g.hoehe);
    return g.texture != nullptr;
}

void sdl_schliessen() {
    if (!Sdl_Laden()) return;   // nothing was opened
    for (SDL_Joystick*& j : g.joy)
        if (j) {
            Sdl().SDL_JoystickClose(j);
            j = nullptr;
        }
    if (g.texture) Sdl().SDL_DestroyTexture(g.texture);
    if (g.renderer) Sdl().SDL_DestroyRenderer(g.renderer);
    if (g.window) Sdl().SDL_DestroyWindow(g.window);
    g.texture = nullptr;
    g.renderer = nullptr;
    g.window = nullptr;
    g.flaeche = nullptr;
    Sdl().SDL_Quit();
}

bool sdl_ereignis(PlatEreignis& e) {
    SDL_Event ev;
    while (Sdl().SDL_PollEvent(&ev)) {
        ++g.eingaben;
        e = PlatEreignis{};
        switch (ev.type) {
            case SDL_QUIT: e.art = PLAT_E_BEENDEN; return true;
            case SDL_WINDOWEVENT:
                if (ev.window.event == SDL_WINDOWEVENT_CLOSE) {
                    e.art = PLAT_E_SCHLIESSEN;
                    return true;
                }
                // An uncovered or resized window draws the picture again.
                if (ev.window.event == SDL_WINDOWEVENT_EXPOSED || ev.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                    ev.window.event == SDL_WINDOWEVENT_RESIZED)
                    g.neu_zeigen = true;
                if (ev.window.event == SDL_WINDOWEVENT_MINIMIZED || ev.window.event == SDL_WINDOWEVENT_HIDDEN) {
                    e.art = PLAT_E_AKTIV;
                    e.code = 0;
                    return true;
                }
                if (ev.window.event == SDL_WINDOWEVENT_RESTORED || ev.window.event == SDL_WINDOWEVENT_SHOWN) {
                    e.art = PLAT_E_AKTIV;
                    e.code = 1;
                    return true;
                }
                break;
            case SDL_KEYDOWN: {
                // The character a key types follows its key event; it repeats with it.
                g.taste_wiederholt = ev.key.repeat ? 1 : 0;
                int32_t vk = vk_von_sdl(ev.key.keysym.sym);
                if (!vk) break;
                e.art = PLAT_E_TASTE;
                e.code = vk;
                e.shift = (ev.key.keysym.mod & KMOD_SHIFT) ? 1 : 0;
                e.ctrl = (ev.key.keysym.mod & KMOD_CTRL) ? 1 : 0;
                e.wiederholt = g.taste_wiederholt;
                return true;
            }
            case SDL_TEXTINPUT: {
                int32_t c = latin1_von_utf8(ev.text.text);
                if (!c) break;
                e.art = PLAT_E_ZEICHEN;
                e.code = c;
                e.wiederholt = g.taste_wiederholt;
                return true;
            }
            case SDL_MOUSEBUTTONDOWN:
                if (ev.button.button == SDL_BUTTON_LEFT) g.gedrueckt |= 1u;
                if (ev.button.button == SDL_BUTTON_RIGHT) g.gedrueckt |= 2u;
                break;
            case SDL_MOUSEWHEEL:
                if (ev.wheel.y == 0) break;
                e.art = PLAT_E_RAD;
                e.code = ev.wheel.y > 0 ? -1 : 1;   // away from the user is -1
                return true;
            case SDL_JOYDEVICEADDED:
                if (ev.jdevice.which < 2 && !g.joy[ev.jdevice.which]) g.joy[ev.jdevice.which] = Sdl().SDL_JoystickOpen(ev.jdevice.which);
                break;
            case SDL_JOYAXISMOTION:
                if (ev.jaxis.axis < 2) {
                    SDL_Joystick* j = Sdl().SDL_JoystickFromInstanceID(ev.jaxis.which);
                    int idx = j == g.joy[0] ? 0 : j == g.joy[1] ? 1 : -1;
                    if (idx < 0) break;
                    e.art = PLAT_E_JOY_BEWEGUNG;
                    e.joy = idx;
                    e.x = Sdl().SDL_JoystickGetAxis(j, 0) + 32768;
                    e.y = Sdl().SDL_JoystickGetAxis(j, 1) + 32768;
                    return true;
                }
                break;
            case SDL_JOYBUTTONDOWN: {
                SDL_Joystick* j = Sdl().SDL_JoystickFromInstanceID(ev.jbutton.which);
                int idx = j == g.joy[0] ? 0 : j == g.joy[1] ? 1 : -1;
                if (idx < 0 || ev.jbutton.button > 1) break;
                e.art = PLAT_E_JOY_KNOPF;
                e.joy = idx;
                e.code = 1 << ev.jbutton.button;
                return true;
            }
            default: break;
        }
    }
    return false;
}
#endif

}  // namespace

namespace {

// Whether SDL's video opens on the display the environment names, asked once
// per display (opening one can take a moment) and kept with its reason.
struct AnzeigePruefung {
    std::string umgebung;   // the environment the answer belongs to
    bool vorhanden = false;
    std::string grund;
};
AnzeigePruefung g_anzeige;

const char* umgebung(const char* name) {
    const char* wert = std::getenv(name);
    return wert ? wert : "";
}

bool zeichnet_nirgends(const char* treiber) {
    return !strcasecmp(treiber, "offscreen") || !strcasecmp(treiber, "dummy");
}

bool anzeige_pruefen(std::string* grund) {
    const char* treiber = umgebung("SDL_VIDEODRIVER");
    if (zeichnet_nirgends(treiber)) {
        *grund = std::string("SDL_VIDEODRIVER=") + treiber + " draws on no screen";
        return false;
    }
    if (!*umgebung("DISPLAY") && !*umgebung("WAYLAND_DISPLAY")) {
        *grund = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        return false;
    }
#ifdef VELMORA_HAVE_SDL
    if (!Sdl_Laden()) {
        *grund = std::string("the SDL2 library does not load (") + Sdl_Fehler() + "); it comes with the package " +
                 SDL_PAKET;
        return false;
    }
    if (Sdl().SDL_WasInit(SDL_INIT_VIDEO)) return true;   // the window is open already
#ifdef SDL_HINT_VIDEODRIVER
    // Only the kind of display the environment names is tried: SDL would
    // otherwise try the others in turn, print their complaints and end on
    // its offscreen driver.
    if (!*treiber && !*umgebung("WAYLAND_DISPLAY")) Sdl().SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (!*treiber && !*umgebung("DISPLAY")) Sdl().SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
#endif
    if (Sdl().SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        *grund = std::string("the display does not open (DISPLAY=") + umgebung("DISPLAY") + "): " + Sdl().SDL_GetError();
        Sdl().SDL_Quit();
        return false;
    }
    const char* gewaehlt = Sdl().SDL_GetCurrentVideoDriver();
    bool ok = gewaehlt && !zeichnet_nirgends(gewaehlt);
    if (!ok) *grund = std::string("SDL's video driver ") + (gewaehlt ? gewaehlt : "?") + " draws on no screen";
    Sdl().SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!Sdl().SDL_WasInit(0)) Sdl().SDL_Quit();
    return ok;
#else
    *grund = "the program was built without SDL";
    return false;
#endif
}

}  // namespace

bool Plat_Display_Vorhanden() {
    std::string jetzt = std::string(umgebung("SDL_VIDEODRIVER")) + "\n" + umgebung("DISPLAY") + "\n" +
                        umgebung("WAYLAND_DISPLAY");
    if (g_anzeige.umgebung != jetzt || g_anzeige.umgebung.empty()) {
        g_anzeige.grund.clear();
        g_anzeige.vorhanden = anzeige_pruefen(&g_anzeige.grund);
        g_anzeige.umgebung = jetzt;
    }
    return g_anzeige.vorhanden;
}

bool Plat_Fenster_Gebaut() {
#ifdef VELMORA_HAVE_SDL
    return true;
#else
    return false;
#endif
}

bool Plat_Display_Gesetzt() {
    return (*umgebung("DISPLAY") || *umgebung("WAYLAND_DISPLAY")) && !zeichnet_nirgends(umgebung("SDL_VIDEODRIVER"));
}

std::string Plat_Display_Grund() {
    Plat_Display_Vorhanden();
    return g_anzeige.grund;
}

bool Plat_Display_Oeffnen(PlatBackend backend, const char* titel, int32_t breite, int32_t hoehe, bool fenster) {
    if (g.offen) Plat_Display_Schliessen();
    if (breite <= 0 || hoehe <= 0) return false;
    g.backend = backend;
    g.breite = breite;
    g.hoehe = hoehe;
    g.fenster = fenster;
    g.ereignisse.clear();
    g.gedrueckt = 0;
    g.bild.assign(size_t(breite) * size_t(hoehe), 0);
    g.bilder = 0;
    g.meldungen.clear();
    if (backend == PLAT_SDL) {
#ifdef VELMORA_HAVE_SDL
        if (!sdl_oeffnen(titel ? titel : "")) {
            sdl_schliessen();
            return false;
        }
#else
        (void)titel;
        return false;
#endif
    }
    g.offen = true;
    return true;
}

void Plat_Display_Schliessen() {
    if (!g.offen) return;
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL) sdl_schliessen();
#endif
    g.offen = false;
}

PlatBackend Plat_Display_Backend() { return g.backend; }

bool Plat_Display_Modus(bool fenster) {
    if (!g.offen) return false;
    g.fenster = fenster;
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL) {
        g.neu_zeigen = true;
        // The window takes the display's size for full screen and the
        // picture's for a window (see sdl_oeffnen).
        SDL_DisplayMode modus{};
        if (!fenster && Sdl().SDL_GetDesktopDisplayMode(0, &modus) == 0 && modus.w > 0 && modus.h > 0) {
            Sdl().SDL_SetWindowPosition(g.window, 0, 0);
            Sdl().SDL_SetWindowSize(g.window, modus.w, modus.h);
        }
        const bool ok = Sdl().SDL_SetWindowFullscreen(g.window, fenster ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
        if (fenster) Sdl().SDL_SetWindowSize(g.window, g.breite, g.hoehe);
        return ok;
    }
#endif
    return true;
}

namespace {

#ifdef VELMORA_HAVE_SDL
// `n` pixels of 5-6-5 into the surface's format: the usual 32-bit ones here
// (each channel widened as SDL widens it, its top bits repeated below; the
// high and the low byte of a pixel each give their own bits, so two small
// tables make it), any other by SDL.
void zeile_umwandeln(const uint16_t* q, uint8_t* ziel, int32_t n, const SDL_PixelFormat* f) {
    struct Tafeln {
        uint32_t hoch[256], tief[256];
        Tafeln() {
            for (uint32_t v = 0; v < 256; ++v) {
                const uint32_t r = v >> 3, g_oben = v & 7, g_unten = v >> 5, b = v & 31;
                hoch[v] = (r << 3 | r >> 2) << 16 | (g_oben << 5 | g_oben >> 1) << 8;
                tief[v] = (g_unten << 2) << 8 | (b << 3 | b >> 2);
            }
        }
    };
    static const Tafeln t;
    const uint32_t alpha = f->format == SDL_PIXELFORMAT_ARGB8888 ? 0xFF000000u : 0;
    if (f->format != SDL_PIXELFORMAT_RGB888 && !alpha) {
        Sdl().SDL_ConvertPixels(n, 1, SDL_PIXELFORMAT_RGB565, q, n * 2, f->format, ziel, n * int32_t(f->BytesPerPixel));
        return;
    }
    auto* o = reinterpret_cast<uint32_t*>(ziel);
    for (int32_t i = 0; i < n; ++i) o[i] = alpha | t.hoch[q[i] >> 8] | t.tief[q[i] & 0xFF];
}

// The picture's rectangle `bereich` into the window's surface: 1:1 converted,
// or scaled to the nearest pixel; the whole picture (with the black border)
// when `ganz`. The window shows what was written.
void flaeche_zeigen(const uint16_t* pixel, PlatRechteck bereich, bool ganz) {
    SDL_Surface* s = sdl_flaeche();
    if (!s) return;
    const PlatRechteck r = Plat_Bild_Rechteck(s->w, s->h, g.breite, g.hoehe);
    if (ganz) {
        Sdl().SDL_FillRect(s, nullptr, 0);   // black in every format without alpha, as a window's is
        bereich = PlatRechteck{0, 0, g.breite, g.hoehe};
    }
    const PlatRechteck z = Plat_Bereich_Im_Fenster(bereich, r, g.breite, g.hoehe);
    const int32_t bpp = s->format->BytesPerPixel;
    if (z.b > 0 && z.h > 0) {
        auto* ziel = static_cast<uint8_t*>(s->pixels) + size_t(z.y) * size_t(s->pitch) + size_t(z.x) * size_t(bpp);
        const bool eins_zu_eins = r.b == g.breite && r.h == g.hoehe;
        g.skaliert.resize(size_t(z.b));
        for (int32_t y = 0; y < z.h; ++y, ziel += s->pitch) {
            const uint16_t* q = pixel + size_t(int64_t(z.y + y - r.y) * g.hoehe / r.h) * size_t(g.breite);
            if (eins_zu_eins) {
                zeile_umwandeln(q + (z.x - r.x), ziel, z.b, s->format);
                continue;
            }
            for (int32_t x = 0; x < z.b; ++x) g.skaliert[size_t(x)] = q[int64_t(z.x + x - r.x) * g.breite / r.b];
            zeile_umwandeln(g.skaliert.data(), ziel, z.b, s->format);
        }
    }
    if (ganz) {
        Sdl().SDL_UpdateWindowSurface(g.window);
    } else if (z.b > 0 && z.h > 0) {
        const SDL_Rect rr{z.x, z.y, z.b, z.h};
        Sdl().SDL_UpdateWindowSurfaceRects(g.window, &rr, 1);
    }
}

// The renderer's way: only the changed rectangle goes into the texture, then
// the whole window is drawn and presented.
void renderer_zeigen(const uint16_t* pixel, const PlatRechteck& huelle, bool ganz) {
    if (ganz) {
        Sdl().SDL_UpdateTexture(g.texture, nullptr, pixel, g.breite * 2);
    } else {
        const SDL_Rect r{huelle.x, huelle.y, huelle.b, huelle.h};
        Sdl().SDL_UpdateTexture(g.texture, &r, pixel + size_t(huelle.y) * size_t(g.breite) + size_t(huelle.x),
                                g.breite * 2);
    }
    sdl_zeichnen();
    Sdl().SDL_RenderPresent(g.renderer);
}
#endif

}  // namespace

PlatAenderung Plat_Display_Zeigen(const uint16_t* pixel, const PlatRechteck* bereiche, int32_t anzahl,
                                  bool nur_bereiche) {
    if (!g.offen || !pixel) return PLAT_GLEICH;
    ++g.bilder;
    PlatRechteck huelle;
    const PlatAenderung aenderung =
        Plat_Bild_Vergleichen(g.bild.data(), pixel, g.breite, g.hoehe, bereiche, anzahl, nur_bereiche, &huelle);
    // Kept for screenshots and the next comparison: the changed rows.
    for (int32_t y = huelle.y; y < huelle.y + huelle.h; ++y)
        std::memcpy(g.bild.data() + size_t(y) * g.breite + huelle.x, pixel + size_t(y) * g.breite + huelle.x,
                    size_t(huelle.b) * 2);
    g.zuletzt = huelle;
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL) {
        if (!g.renderer) sdl_flaeche();   // a resized window's new surface asks for the whole picture
        if (aenderung != PLAT_GLEICH || g.neu_zeigen) {
            const bool ganz = g.neu_zeigen;
            g.neu_zeigen = false;
            if (ganz) g.zuletzt = PlatRechteck{0, 0, g.breite, g.hoehe};
            if (g.renderer) renderer_zeigen(pixel, huelle, ganz);
            else flaeche_zeigen(pixel, huelle, ganz);
        }
    }
#endif
    return aenderung;
}

PlatRechteck Plat_Display_Zuletzt() { return g.zuletzt; }

bool Plat_Ereignis_Warten_Ms(uint32_t ms) {
#ifdef VELMORA_HAVE_SDL
    if (g.offen && g.backend == PLAT_SDL) return Sdl().SDL_WaitEventTimeout(nullptr, int(ms)) == 1;
#endif
    (void)ms;
    return !g.ereignisse.empty();
}

uint32_t Plat_Eingaben() { return g.eingaben; }

bool Plat_Display_Lesen(std::vector<uint16_t>& pixel) {
    if (!g.offen || g.bilder == 0) return false;
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL) {
        // The window's surface as it was handed to the display; or the shown
        // texture drawn again and read at the window's own size (the buffer
        // after a present is undefined). Then the screen grid inside the
        // picture's rectangle.
        if (g.renderer) sdl_zeichnen();
        int ww = 0, wh = 0;
        const PlatRechteck r = sdl_rechteck(&ww, &wh);
        if (r.b <= 0 || r.h <= 0) return false;
        std::vector<uint16_t> fenster(size_t(ww) * size_t(wh));
        const int fehler =
            g.renderer ? Sdl().SDL_RenderReadPixels(g.renderer, nullptr, SDL_PIXELFORMAT_RGB565, fenster.data(), ww * 2)
            : g.flaeche ? Sdl().SDL_ConvertPixels(ww, wh, g.flaeche->format->format, g.flaeche->pixels, g.flaeche->pitch,
                                                  SDL_PIXELFORMAT_RGB565, fenster.data(), ww * 2)
                        : -1;
        if (fehler != 0) return false;
        // Each picture pixel from the first window pixel that shows it.
        pixel.assign(size_t(g.breite) * size_t(g.hoehe), 0);
        for (int32_t y = 0; y < g.hoehe; ++y)
            for (int32_t x = 0; x < g.breite; ++x) {
                const PlatRechteck w = Plat_Bereich_Im_Fenster(PlatRechteck{x, y, 1, 1}, r, g.breite, g.hoehe);
                const int32_t fx = w.b > 0 ? w.x : r.x + x * r.b / g.breite, fy = w.h > 0 ? w.y : r.y + y * r.h / g.hoehe;
                pixel[size_t(y) * g.breite + x] = fenster[size_t(fy) * ww + size_t(fx)];
            }
        return true;
    }
#endif
    pixel = g.bild;
    return true;
}

bool Plat_Ereignis_Holen(PlatEreignis& e) {
    if (!g.offen) return false;
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL) return sdl_ereignis(e);
#endif
    if (g.ereignisse.empty()) return false;
    ++g.eingaben;
    e = g.ereignisse.front();
    g.ereignisse.pop_front();
    return true;
}

void Plat_Ereignis_Warten() {
#ifdef VELMORA_HAVE_SDL
    if (g.offen && g.backend == PLAT_SDL) Sdl().SDL_WaitEventTimeout(nullptr, 100);
#endif
}

void Plat_Maus(int32_t* x, int32_t* y) {
    int32_t mx = g.maus_x, my = g.maus_y;
#ifdef VELMORA_HAVE_SDL
    if (g.offen && g.backend == PLAT_SDL) {
        int wx = 0, wy = 0, fb = 0, fh = 0, ab = 0, ah = 0;
        Sdl().SDL_GetMouseState(&wx, &wy);
        Sdl().SDL_GetWindowSize(g.window, &fb, &fh);
        sdl_rechteck(&ab, &ah);
        Plat_Fenster_Zu_Bild(wx, wy, fb, fh, ab, ah, g.breite, g.hoehe, &mx, &my);
    }
#endif
    if (x) *x = mx;
    if (y) *y = my;
}

uint32_t Plat_Maus_Knoepfe() {
#ifdef VELMORA_HAVE_SDL
    if (g.offen && g.backend == PLAT_SDL) {
        Sdl().SDL_PumpEvents();
        Uint32 b = Sdl().SDL_GetMouseState(nullptr, nullptr);
        const uint32_t frueher = g.gedrueckt;
        g.gedrueckt = 0;
        return ((b & SDL_BUTTON_LMASK) ? 1u : 0u) | ((b & SDL_BUTTON_RMASK) ? 2u : 0u) | frueher;
    }
#endif
    const uint32_t frueher = g.gedrueckt;
    g.gedrueckt = 0;
    return g.knoepfe | frueher;
}

bool Plat_Taste_Gehalten(int32_t vk) {
#ifdef VELMORA_HAVE_SDL
    if (g.offen && g.backend == PLAT_SDL) {
        SDL_Keymod m = Sdl().SDL_GetModState();
        if (vk == VK_SHIFT) return m & KMOD_SHIFT;
        if (vk == VK_CONTROL) return m & KMOD_CTRL;
        if (vk == VK_MENU) return m & KMOD_ALT;
        if (vk == VK_LBUTTON) return Plat_Maus_Knoepfe() & 1;
        if (vk == VK_RBUTTON) return Plat_Maus_Knoepfe() & 2;
        return false;
    }
#endif
    if (vk == VK_LBUTTON) return g.knoepfe & 1;
    if (vk == VK_RBUTTON) return g.knoepfe & 2;
    return vk >= 0 && vk < 256 && g.gehalten[vk];
}

namespace {

// The length of the well-formed UTF-8 sequence at `s` (2 to 4 bytes), 0 for none.
size_t utf8_folge(std::string_view s) {
    const auto b = [&](size_t i) { return uint8_t(s[i]); };
    const uint8_t c = b(0);
    size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || s.size() < n) return 0;
    for (size_t i = 1; i < n; ++i)
        if ((b(i) & 0xC0) != 0x80) return 0;
    // No overlong form, no surrogate, nothing past U+10FFFF.
    if ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) > 0x9F) || (c == 0xF0 && b(1) < 0x90) ||
        (c == 0xF4 && b(1) > 0x8F))
        return 0;
    return n;
}

}  // namespace

std::string Plat_Terminal_Text(std::string_view text) {
    std::string aus;
    aus.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size();) {
        const uint8_t c = uint8_t(text[i]);
        if (c >= 0x80) {
            if (size_t n = utf8_folge(text.substr(i))) {
                aus.append(text.substr(i, n));
                i += n;
                continue;
            }
            if (c >= 0xA0) {
                aus += char(0xC0 | (c >> 6));
                aus += char(0x80 | (c & 0x3F));
            } else {
                aus += '?';
            }
        } else {
            aus += (c < 0x20 && c != '\n' && c != '\t') || c == 0x7F ? '?' : char(c);
        }
        ++i;
    }
    return aus;
}

void Plat_Stderr_Zeile(const char* text) {
    std::string zeile = text ? text : "";
    for (char& c : zeile)
        if (c == '\n' || c == '\r') c = ' ';
    while (!zeile.empty() && zeile.back() == ' ') zeile.pop_back();
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, Plat_Terminal_Text(zeile).c_str());
}

void Plat_Meldungsbox(const char* titel, const char* text) {
    Plat_Stderr_Zeile((std::string(titel ? titel : "") + " " + (text ? text : "")).c_str());
    g.meldungen.emplace_back(titel ? titel : "", text ? text : "");
#ifdef VELMORA_HAVE_SDL
    if (g.backend == PLAT_SDL && Plat_Display_Vorhanden())
        Sdl().SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, titel ? titel : "", text ? text : "", g.window);
#endif
}

void Plat_Startfehler(const char* text) {
    Plat_Stderr_Zeile(text);
#ifdef VELMORA_HAVE_SDL
    // SDL shows a simple box before SDL_Init and without a parent window.
    // A box that cannot be shown (no dialog program, no core fonts) leaves
    // the line on stderr alone.
    if (Plat_Display_Vorhanden() && Sdl_Laden())
        Sdl().SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "ERROR:", text ? text : "", nullptr);
#endif
}

void Plat_Headless_Ereignis(const PlatEreignis& e) { g.ereignisse.push_back(e); }

void Plat_Headless_Maus(int32_t x, int32_t y, uint32_t knoepfe) {
    g.maus_x = x;
    g.maus_y = y;
    g.gedrueckt |= knoepfe & ~g.knoepfe;   // as the window's button events: a press stays until read
    g.knoepfe = knoepfe;
}

void Plat_Headless_Taste(int32_t vk, bool gehalten) {
    if (vk >= 0 && vk < 256) g.gehalten[vk] = gehalten;
}

const std::vector<uint16_t>& Plat_Headless_Bild() { return g.bild; }
uint32_t Plat_Headless_Bilder() { return g.bilder; }
const std::vector<std::pair<std::string, std::string>>& Plat_Headless_Meldungen() { return g.meldungen; }

}  // namespace velmora
