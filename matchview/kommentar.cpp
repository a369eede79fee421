// matchview/kommentar.cpp - the commentary line at the bottom of a match view.
#include "matchview/kommentar.h"

#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/text.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "match/live/spielfeld_ereignis.h"
#include "match/record/spielfeld_satz.h"

namespace velmora {
namespace {

constexpr int32_t TICKER_FONT = 11;
constexpr uint16_t WEISS = 65535, SCHATTEN = 1;

std::string Text(int32_t n) {
    const char* t = Text_Tabelle(n);
    return t ? t : "";
}

// The player's name in a slot; false for a slot outside the match or empty.
bool Name(const Spielfeld_Satz& s, int32_t slot, std::string* name) {
    if (slot < 0 || slot >= SF_SPIELER || s.spieler[slot].nummer < 0) return false;
    const char* n = Spieler_String(SPS_NAME, s.spieler[slot].nummer, 0, OP_LESEN);
    *name = n ? n : "";
    return true;
}

std::string Verletzung(int32_t art) {
    const char* t = Spieler_Tabelle_Wert(art);
    int32_t anzahl = 0;
    const char* const* tabelle = Text_Tabelle_Array(&anzahl);
    t = Str_Referenz_Aufloesen(&t, tabelle, anzahl);
    return t ? t : "";
}

// One line centred on the view; a line still wider than the view is cut to it.
void Zeile(int32_t x, int32_t y, int32_t w, const std::string& text) {
    Font* f = Font_Get(TICKER_FONT);
    if (!f || text.size() >= 256) return;
    char zeile[256];
    Str_Auf_Breite(text.c_str(), zeile, sizeof zeile, f, w - 10);
    Text_Printf(Rastport_Screen(), f, "^c%05u^tz%04d%s", x + 1, y - 1, unsigned(SCHATTEN), w / 2, zeile);
    Text_Printf(Rastport_Screen(), f, "^c%05u^tz%04d%s", x, y, unsigned(WEISS), w / 2, zeile);
}

}  // namespace

std::string Kommentar_Satz(const Spielfeld_Satz& s) {
    if (!s.ereignis_neu) return "";
    const uint32_t f = s.ereignis;
    std::string n1, n2;
    if (!Name(s, s.ereignis_spieler, &n1)) return "";
    const int32_t zweiter = s.ereignis_spieler2;
    const bool mit_zweitem = zweiter >= 0 && Name(s, zweiter, &n2);
    if (f & SE_EIGENTOR) return Text(181) + " " + n1 + "!";
    if (f & SE_ZAEHLT) return Text(182) + " " + n1;
    if (f & SE_GELBROT) return Text(183) + " " + n1 + ".";
    if (f & SE_ROT) return Text(184) + " " + n1 + ".";
    if (f & SE_GELB) return Text(185) + " " + n1 + ".";
    if (f & SE_FOUL) {
        if (zweiter >= 0) return mit_zweitem ? n2 + " " + Text(186) + " " + n1 + " " + Text(187) : "";
        return n1 + " " + Text(188);
    }
    if (f & SE_VERLETZUNG) {
        if (zweiter >= 0 && zweiter < VERLETZUNG_ARTEN) return n1 + " " + Text(189) + " " + Verletzung(zweiter);
        return n1 + " " + Text(190);
    }
    if (f & SE_WECHSEL) {
        if (zweiter >= 0) return mit_zweitem ? n1 + " " + Text(191) + " " + n2 + " " + Text(192) : "";
        return n1 + " " + Text(193);
    }
    if (f & SE_TICK) return Text(s.w25127 ? 194 : 195) + " (" + n1 + ")";
    if (f & KOMMENTAR_AENDERUNGEN) {
        // The team whose changes are listed: the club of the side the main slot belongs to.
        const uint32_t team = s.team[s.ereignis_spieler < SF_SPIELER_SEITE ? 0 : 1];
        return Kommentar_Aenderungen(Team_String(TS_NAME_KURZ, int32_t(team), 0, OP_LESEN), zweiter);
    }
    return "";
}

std::string Kommentar_Aenderungen(const char* team, int32_t bits) {
    const std::string t = team ? team : "";
    std::string satz;
    if (bits < 0) return satz;
    if (bits & 1) satz = t + " " + Text(196);
    if (bits & 2) satz = t + " " + Text(197);
    for (int32_t k = 0; k < 6; ++k)
        for (int32_t b = 0; b < 2; ++b) {
            if (!(bits & (1 << (2 + 2 * k + b)))) continue;
            const std::string text = Text(167 + 2 * k + b);
            if (text.empty()) continue;
            satz += satz.empty() ? t + " " : ", ";
            satz += text;
        }
    if (satz.size() > 255) satz.resize(255);
    return satz;
}

void Ticker_Setzen(Ticker* t, const std::string& text, uint32_t uhr) {
    t->text = text;
    t->zeit = uhr;
    t->gesetzt = true;
}

size_t Ticker_Teilung(const std::string& text) {
    const size_t mitte = text.size() / 2;
    const size_t leer = text.rfind(' ', mitte);
    return leer == std::string::npos ? mitte : leer;
}

void Ticker_Zeichnen(const Ticker& t, uint32_t uhr, int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!t.gesetzt || t.text.empty() || uhr >= t.zeit + TICKER_MS || uhr < t.zeit) return;
    Font* f = Font_Get(TICKER_FONT);
    if (!f) return;
    if (Text_Width(f, t.text.c_str()) + 20 <= w - 10) {
        Zeile(x, y + h - 8, w, t.text);
        return;
    }
    const size_t teil = Ticker_Teilung(t.text);
    const size_t weiter = teil < t.text.size() && t.text[teil] == ' ' ? teil + 1 : teil;
    Zeile(x, y + h - 22, w, t.text.substr(0, teil));
    Zeile(x, y + h - 8, w, t.text.substr(weiter));
}

}  // namespace velmora
