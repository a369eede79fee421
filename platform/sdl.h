// platform/sdl.h - the SDL2 library, loaded when a window or the sound first needs it.
//
// A program that never opens a window or a sound device (the simulator, the
// headless game, the tests) does not load SDL and the several dozen display
// and sound libraries it depends on.
#pragma once

#include <SDL.h>

namespace velmora {

// The SDL functions the platform layer calls, under their own names.
#define VELMORA_SDL_FUNKTIONEN(X)                                                                            \
    X(SDL_Init) X(SDL_InitSubSystem) X(SDL_QuitSubSystem) X(SDL_Quit) X(SDL_WasInit) X(SDL_GetError)         \
    X(SDL_SetHint) X(SDL_GetCurrentVideoDriver) X(SDL_CreateWindow) X(SDL_DestroyWindow)                     \
    X(SDL_SetWindowFullscreen) X(SDL_CreateRenderer) X(SDL_DestroyRenderer) X(SDL_SetRenderDrawColor)        \
    X(SDL_GetRendererOutputSize) X(SDL_GetWindowSize) X(SDL_SetWindowSize) X(SDL_SetWindowPosition)          \
    X(SDL_GetDesktopDisplayMode) X(SDL_RenderClear) X(SDL_RenderCopy) X(SDL_RenderPresent)                   \
    X(SDL_RenderReadPixels) X(SDL_CreateTexture) X(SDL_DestroyTexture) X(SDL_UpdateTexture)                  \
    X(SDL_PollEvent) X(SDL_PumpEvents) X(SDL_WaitEventTimeout) X(SDL_StartTextInput) X(SDL_GetMouseState)    \
    X(SDL_GetModState) X(SDL_JoystickOpen) X(SDL_JoystickClose) X(SDL_JoystickFromInstanceID)                \
    X(SDL_JoystickGetAxis) X(SDL_ShowSimpleMessageBox) X(SDL_GetNumAudioDevices) X(SDL_OpenAudioDevice)      \
    X(SDL_PauseAudioDevice) X(SDL_CloseAudioDevice) X(SDL_GetWindowSurface) X(SDL_UpdateWindowSurface)    \
    X(SDL_UpdateWindowSurfaceRects) X(SDL_ConvertPixels) X(SDL_FillRect)

struct SdlBibliothek {
#define VELMORA_SDL_ZEIGER(name) decltype(&::name) name = nullptr;
    VELMORA_SDL_FUNKTIONEN(VELMORA_SDL_ZEIGER)
#undef VELMORA_SDL_ZEIGER
};

// Loads the library on the first call. False when it or one of its functions
// is missing: there is then no window and no sound, as when SDL finds no
// display. Nothing is printed: whoever needed the window says why.
bool Sdl_Laden();
// Why the library did not load (the loader's own words); "" before a failed load.
const char* Sdl_Fehler();
// The loaded library; only after Sdl_Laden() said true.
const SdlBibliothek& Sdl();

}  // namespace velmora
