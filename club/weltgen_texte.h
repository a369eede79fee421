// club/weltgen_texte.h - the texts the world generator writes beside its
// world: the game's text table and the screen texts.
#pragma once
#include <string>

namespace velmora {

// text.cfg: the general words, the injuries, the morale names and the match
// commentary's words.
std::string Weltgen_Texte();
// te.cfg: every screen's texts, screen by screen.
std::string Weltgen_Screentexte();

}  // namespace velmora
