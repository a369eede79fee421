// business/training_fenster.cpp - the training window.
#include "business/training_fenster.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bilder/portrait.h"
#include "bilder/wappen_rahmen.h"
#include "business/bank.h"
#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/talente_screen.h"
#include "business/training.h"
#include "business/training_screen.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "core/text_format.h"
#include "gfx/bild.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/bildnr_training.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_film.h"
#include "gui/menue_lokal.h"
#include "media/film.h"
#include "media/sound.h"
#include "media/video.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "SPIELER_TRAINING2_SCREEN";
constexpr int32_t WEISS = 65535, GOLD = 52743, GRAU = 50744, BRAUN = 50055;
constexpr int32_t TEXT_TALENT = 0, TEXT_VON = 1, TEXT_KOPF = 2, TEXT_SICHER = 3, TEXT_STOP = 4, TEXT_OK = 6,
                  TEXT_START = 12, TEXT_EINS = 13, TEXT_ZWEI = 14, TEXT_MORAL = 16, TEXT_ERSCHOEPFT = 17,
                  TEXT_NICHTS = 18, TEXT_STAERKE = 19, TEXT_VERLETZT = 20, TEXT_PUNKTE_WEG = 21, TEXT_WOCHEN = 22,
                  TEXT_VERLETZUNG = 24, TEXT_MORAL_2 = 27, TEXT_ERSCHOEPFT_2 = 28, TEXT_STAERKE_2 = 29,
                  TEXT_SCHLIESSEN = 30;
constexpr int32_t HASK_NAME = 23;
constexpr int8_t PRI_HINTERGRUND = 19, PRI_FENSTER = 20, PRI_KNOPF = 21, PRI_FILM = 23, PRI_FILM_KNOPF = 24;
constexpr int32_t ABDUNKELN = 8331;   // the darkening behind a requester
constexpr int32_t TYP_BILD[4] = {8335, 8333, 8332, 8334};
constexpr int32_t FILM_X = 565, FILM_Y = TRF_FILM_Y, ATTR_X = 240, ATTR_Y = 134;
constexpr int32_t FILM_ATTR = 77, FILM_HERZ = 10, FILM_KWAGEN = 9, SEGMENT_START = 125, SEGMENT = 48;

struct FensterModul {
    s_icon hintergrund, fenster, sicher, start, anwenden, schliessen;
    s_icon film, film_zu;   // the window covers the training window's buttons
    // Films of the unit (the talent's, the heart monitor, the ambulance) and the learnt talent's.
    BINK_VIDEO* filme[3] = {nullptr, nullptr, nullptr};
    BINK_VIDEO* attr = nullptr;
    int32_t attr_spieler = -1, attr_talent = -1;
    Anim_Slot marken[TRF_MARKEN], bonus[1], bonus_text[1];
    int32_t hunderter = 0, breite = 0, letzte_marke = -1;
    int32_t voriger_zustand = -1;
    std::string label_start, label_anwenden, label_sicher, label_schliessen;
};
FensterModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
int32_t Team() { return Menue_Lokal().team; }
void Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1) { Spieler_Zeile_Bild(bild, x, y, breite); }

// A picture drawn from its column `sx` and row `sy` on.
void Bild_Ab(int32_t bild, int32_t sx, int32_t sy, int32_t x, int32_t y) {
    if (Rastport* rp = Menue_Get_Slave_Rastport(bild, nullptr))
        Rastport_Blit(rp, sx, sy, rp->width - sx, rp->height - sy, Rastport_Target(), x, y, BlitMode_Key);
}

std::string Geld(int64_t betrag) {
    const char* t = Geld_Text(float(betrag), Team(), -1);
    return t ? t : "";
}

void Sperren(s_icon& k, bool gesperrt) {
    if (gesperrt) k.Status |= ICON_ST_GESPERRT;
    else k.Status &= ~ICON_ST_GESPERRT;
}

// A button's label; a button whose label is empty (apply before the unit
// ends, switch and start after it) is not shown: it does nothing then.
void Beschriften(s_icon& k, std::string& label, std::string text) {
    label = std::move(text);
    if (label.empty()) k.Status |= ICON_ST_VERSTECKT;
    else k.Status &= ~ICON_ST_VERSTECKT;
}

// A film is released only while its slot still holds it: the menu closes
// every video at a day's end, and the slot may hold another film since.
bool Film_Lebt(const BINK_VIDEO* v) {
    bool unserer = false;
    for (const char* name : {"Attr", "herz", "kwagen", "Attr_Film"})
        unserer = unserer || (v && v->label && std::strcmp(v->label, name) == 0);
    return unserer && v->slot >= 0 && Bink_Slot_Video(v->slot) == v;
}

void Film_Frei(BINK_VIDEO*& v) {
    if (Film_Lebt(v)) Menue_Video_Freigabe_Vormerken(v);
    v = nullptr;
}

void Filme_Frei() {
    for (BINK_VIDEO*& v : g.filme) Film_Frei(v);
}

// Opens a film paused, then sets it running.
BINK_VIDEO* Film_Starten(int32_t nummer, int32_t x, int32_t y, int32_t loop_start, const char* name) {
    BINK_VIDEO* v = Bnk_InitV(uintptr_t(nummer), BINK_RES_DATEI, 0, loop_start, x, y, BINK_DATEI, name, 0);
    if (v) Bnk_PauseV(v, false);
    return v;
}

// The talent's training film: one per positive field talent, the keeper's
// for talents 47-52, the weights for the strength stars, none for the negative ones.
int32_t Talent_Film(int32_t talent) {
    if (talent >= 0 && talent <= 39) return 11 + talent;
    if (talent >= 47 && talent <= 52) return 52;
    if (talent == 53) return 51;
    return -1;
}

void Alle_Anims_Leeren() {
    Anim_Liste_Init(g.marken, TRF_MARKEN);
    Anim_Liste_Init(g.bonus, 1);
    Anim_Liste_Init(g.bonus_text, 1);
}

// -- Drawing ------------------------------------------------------------------

void Kopf(const Training_Sitzung& s, Font* f9, Font* f14) {
    Rastport* ziel = Rastport_Target();
    const int32_t p = s.spieler;
    Portrait_Zeichnen(p, Team(), ziel, 148, 90, -1, -1);
    Bild(TYP_BILD[std::clamp(Spieler_Get_Art(p), 0, 3)], 260, 102);
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f14, 250);
    Text_Printf(ziel, f14, "^c%05d^tz0001%d %s", 420, 118, WEISS, Spieler_Zeile_Nummer(p), name);
    Text_Printf(ziel, f9, "^c%05d^tz0001%s", 420, 146, GRAU, Text(TEXT_TALENT));
    Text_Printf(ziel, f9, "^c%05d^tz0001%s", 420, 164, GOLD, Spieler_Info_Talent_Name(s.talent));
    Bild(TALENT_BILD_ERSTER[TALENT_44] + s.talent, 570, 176);
    Bild(s.sicher ? TRF_BILD_SICHER_AN : TRF_BILD_SICHER_AUS, 135, 375);
    Text_Printf(ziel, f9, "^c%05d^tz0001%s", 155, 434, GRAU, Text(TEXT_KOPF));
}

void Fortschritt(const Training_Sitzung& s, Font* f9) {
    Bild(TRF_BILD_FORTSCHRITT, 267, 309);
    const int32_t noetig = Training_Schwelle(s.talent);
    const int32_t gesamt = std::max(0, s.start_wert + s.punkte);
    Text_Printf(Rastport_Target(), f9, "^c%05d^tz0001%d %s%d", 400, 327, WEISS, gesamt, Text(TEXT_VON), noetig);
    const int32_t p = noetig > 0 ? (200 * gesamt + noetig) / (2 * noetig) : 100;
    const int32_t w = p < 100 ? (p * TRF_BALKEN_B + 50) / 100 : TRF_BALKEN_B;
    Bild(TRF_BILD_BALKEN, 308, 335);
    Bild_Ab(TRF_BILD_BALKEN + 1, w, 0, 308 + w, 335);
}

// The points bar: it fills per hundred points, starts over empty and sets a
// marker each time a hundred is full; the second of two quick markers lies beside the first.
void Punkte_Balken(const Training_Sitzung& s, bool zuruecksetzen) {
    if (zuruecksetzen) {
        g.hunderter = 0;
        g.breite = 0;
        g.letzte_marke = -1;
    } else {
        if (g.hunderter == 0) g.hunderter = 1;
        while (s.angezeigte_punkte >= 100 * g.hunderter) {
            ++g.hunderter;
            const bool laeuft = g.letzte_marke >= 0 && Anim_Liste_Aktiv(g.marken, g.letzte_marke);
            g.letzte_marke = Anim_Liste_Neu(g.marken, TRF_MARKEN, laeuft ? 480 : 433, laeuft ? 360 : 345, TRF_ANIM_100,
                                            TRF_ANIM_100_N, 50, 0, 0);
        }
        g.breite = std::clamp((s.angezeigte_punkte - 100 * (g.hunderter - 1)) * TRF_BALKEN_B / 100, 0, TRF_BALKEN_B);
    }
    Bild(TRF_BILD_PUNKTE, 308, 365);
    Bild_Ab(TRF_BILD_PUNKTE + 1, g.breite, 0, 308 + g.breite, 365);
}

void Pegel(const Training_Sitzung& s) {
    const int32_t level = std::clamp(s.level, 0, TR_LEVEL_MAX);
    Bild_Ab(TRF_BILD_PEGEL, 0, TR_LEVEL_MAX - level, 186, 436 - level);
}

// Crash and result panels take the buttons over on their first frame: only apply stays, labelled "OK".
void Knoepfe_Zum_Schluss() {
    Sperren(g.sicher, true);
    Sperren(g.start, true);
    Sperren(g.anwenden, false);
    Beschriften(g.sicher, g.label_sicher, "");
    Beschriften(g.start, g.label_start, "");
    Beschriften(g.anwenden, g.label_anwenden, Text(TEXT_OK));
}

void Absturz(const Training_Sitzung& s, Font* f9, Font* f15) {
    Rastport* ziel = Rastport_Target();
    Bild(TRF_BILD_ABSTURZ, 246, 297);
    static constexpr int32_t HAUPT[6] = {TEXT_PUNKTE_WEG, TEXT_VERLETZT, TEXT_MORAL, TEXT_ERSCHOEPFT, TEXT_STAERKE,
                                         TEXT_NICHTS};
    if (s.folge < 0 || s.folge > 5) return;
    Textsatz_Box(ziel, f9, Text(HAUPT[s.folge]), 255, 520, 308, 398, WEISS, 0, -1);
    const int32_t p = s.spieler;
    if (s.folge == TR_FOLGE_VERLETZT) {
        Text_Printf(ziel, f9, "^c%05d%s %s (%d %s)", 255, 406, GOLD, Text(TEXT_VERLETZUNG),
                    Spieler_Info_Verletzung(Spieler_Wert(SPW_VERLETZUNG, p, 0, OP_LESEN)),
                    Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 0, OP_LESEN), Text(TEXT_WOCHEN));
    } else if (s.folge == TR_FOLGE_MORAL || s.folge == TR_FOLGE_ERSCHOEPFT) {
        Text_Printf(ziel, f9, "^c%05d%s", 255, 406, GOLD, Text(s.folge == TR_FOLGE_MORAL ? TEXT_MORAL_2 : TEXT_ERSCHOEPFT_2));
        Bild(TRF_BILD_MUENZE, 390, 391);
        if (f15) Text_Printf(ziel, f15, "^c%05d^tz0018%d", 396, 403, BRAUN, s.folge_betrag);
    } else if (s.folge == TR_FOLGE_STAERKE) {
        Text_Printf(ziel, f9, "^c%05d%s  %s", 255, 406, GOLD, Text(TEXT_STAERKE_2),
                    Text(s.folge_betrag == 2 ? TEXT_ZWEI : TEXT_EINS));
    }
}

void Ergebnis(const Training_Sitzung& s, Font* f9) {
    Rastport* ziel = Rastport_Target();
    Bild(TRF_BILD_ERGEBNIS, 246, 268);
    const int32_t noetig = Training_Schwelle(s.talent);
    const int32_t punkte = s.folge == TR_FOLGE_PUNKTE ? 0 : s.punkte;
    const int32_t gesamt = std::min(std::max(0, s.start_wert + punkte), noetig);
    constexpr int32_t X = 522, Y = 268 + 45;
    Text_Printf(ziel, f9, "^c%05d^tr0001%d/%d", X, Y, WEISS, s.start_wert, noetig);
    Text_Printf(ziel, f9, "^c%05d^tr0001%d/%d", X, Y + 24, WEISS, gesamt, noetig);
    Text_Printf(ziel, f9, "^c%05d^tr0001%d", X, Y + 48, WEISS, punkte);
    Text_Printf(ziel, f9, "^c%05d^tr0001%s", X, Y + 72, GOLD, Geld(s.preis).c_str());
    Text_Printf(ziel, f9, "^c%05d^tr0001%s", X, Y + 96, GOLD,
                Geld(int64_t(Spieler_Wert(SPW_TRAININGSGELD, s.spieler, 0, OP_LESEN)) + s.preis).c_str());
}

// The film's well holds the talent's large picture: a playing film is
// copied over it, before the start and after the end (no film) it shows.
void Brunnen(const Training_Sitzung& s) {
    const int32_t bild = s.talent >= 0 && s.talent < 40 ? TALENT_GROSS_ERSTER + s.talent : TALENT_BILD_ERSTER[TALENT_44] + s.talent;
    Rastport* rp = s.talent >= 0 ? Menue_Get_Slave_Rastport(bild, nullptr) : nullptr;
    if (rp)
        Rastport_Blit(rp, 0, 0, -1, -1, Rastport_Target(), FILM_X + 100 - int32_t(rp->width) / 2,
                      FILM_Y + 75 - int32_t(rp->height) / 2, BlitMode_Key);
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Training2_Frame(Menue_Get_Zeit());
    const Training_Sitzung* s = Training_Sitzung_Holen();
    Font* f9 = Font_Get(9);
    Font* f14 = Font_Get(14);
    if (!s || !f9 || !f14) return;
    Brunnen(*s);
    const int32_t z = s->zustand;
    const bool erstes = z != g.voriger_zustand;
    g.voriger_zustand = z;
    Kopf(*s, f9, f14);
    if (z == TR_ABSTURZ || z == TR_ENDE) {
        if (erstes) Knoepfe_Zum_Schluss();
        Punkte_Balken(*s, true);
        if (z == TR_ABSTURZ) Absturz(*s, f9, Font_Get(15));
        else Ergebnis(*s, f9);
    } else {
        Fortschritt(*s, f9);
        Punkte_Balken(*s, z == TR_BEREIT);
    }
    if (z != TR_BEREIT) Pegel(*s);
    Anim_Liste_Zeichnen(g.marken, TRF_MARKEN);
    Anim_Liste_Zeichnen(g.bonus, 1);
    Anim_Liste_Zeichnen(g.bonus_text, 1);
}

void Label_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const std::string* t = icon->nummer == ICON_TRF_SICHER     ? &g.label_sicher
                           : icon->nummer == ICON_TRF_START    ? &g.label_start
                           : icon->nummer == ICON_TRF_ANWENDEN ? &g.label_anwenden
                                                               : &g.label_schliessen;
    Font* f = Font_Get(6);
    Rastport* rp = Menue_Get_Slave_Rastport(icon->bild, nullptr);
    if (!f || !rp || t->empty()) return;
    const bool aus = icon->Status & ICON_ST_GESPERRT;
    Text_Printf(Rastport_Target(), f, "^c%05d%s", icon->x + (rp->width - Text_Width(f, t->c_str())) / 2,
                icon->y + 21, aus ? GRAU : WEISS, t->c_str());
}

// Copies a paused film's current frame to its place in `ziel`.
void Standbild(const BINK_VIDEO& v, Rastport* ziel) {
    if (!ziel || !Rastport_Lock(ziel)) return;
    if (uint16_t* pixel = Rastport_Pixels16(ziel)) Bnk_Bild_Kopieren(&v, pixel, int32_t(ziel->width) * 2, int32_t(ziel->height));
    Rastport_Unlock(ziel);
}

void Film_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    if (!f9 || !f11) return;
    if (Film_Lebt(g.attr) && g.attr->video) {
        bool halten = false;
        const int32_t bild = Bnk_FrameV(g.attr);
        const int32_t ziel_bild = Attr_Film_Sprung(bild, g.attr_talent, Film_Bilder(g.attr->video), &halten);
        if (halten && !g.attr->pausiert) {
            // The film may have run a few frames past the segment's end since
            // the last drawing (into the next talent's): back to it, decoded,
            // and paused there.
            Bnk_GotoV(g.attr, ziel_bild);
            Film_Zeigen(g.attr->video);
            Bnk_PauseV(g.attr, true);
        } else if (!halten && ziel_bild >= 0 && ziel_bild != bild) {
            Debug_Printf("Goto %d\n", ziel_bild);
            Bnk_GotoV(g.attr, ziel_bild);
        }
        // A paused film is not drawn by the video layer: the window shows the
        // frame it stays on, or it would keep an empty black frame.
        if (halten) Standbild(*g.attr, ziel);
    } else {
        Text_Printf(ziel, f9, "^c%05d^tz0171Demoversion leider ohne Animationen", 240, 254, GRAU);
    }
    const int32_t p = g.attr_spieler;
    if (p < 0 || p >= Spieler_Anzahl()) return;
    Portrait_Zeichnen(p, Team(), ziel, 240, 379, 43, 50);
    std::string name = Text_Format(Text_Oder_Leer("ZUSATZTEXTE_HASK", HASK_NAME), {Spieler_String(SPS_NAME, p, 0, 0)});
    if (name.empty()) name = Spieler_String(SPS_NAME, p, 0, 0);
    char zeile[160];
    Str_Auf_Breite(name.c_str(), zeile, sizeof zeile, f9, 220);
    Text_Printf(ziel, f9, "^c%05d^tz0001%s", 400, 398, WEISS, zeile);
    Text_Printf(ziel, f11, "^c%05d^tz0001%s", 400, 420, GOLD, Spieler_Info_Talent_Name(g.attr_talent));
    Bild_Wappen_Im_Text(Spieler_Get_Team(p), ziel, 517, 383, 40, 40);
}

void Film_Zu_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(6)) {
        const char* t = Text(TEXT_OK);
        Text_Printf(Rastport_Target(), f, "^c%05d%s", icon->x + 40 - Text_Width(f, t) / 2, icon->y + 21, WEISS, t);
    }
}

// -- Clicks -------------------------------------------------------------------

void Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS) || (icon->Status & ICON_ST_GESPERRT)) return;
    switch (icon->nummer) {
    case ICON_TRF_SICHER: Training_Fenster_Sicher(); break;
    case ICON_TRF_START: Training_Fenster_Start_Stop(); break;
    case ICON_TRF_ANWENDEN: Training_Fenster_Anwenden(); break;
    case ICON_TRF_SCHLIESSEN: Training_Fenster_Schliessen(); break;
    case ICON_TRF_FILM_ZU: Attr_Film_Schliessen(); break;
    default: break;
    }
}

s_icon Knopf(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t bild_druck, int8_t pri) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, pri);
    i.Status = ICON_ST_KEY | ICON_ST_DRUCK;
    i.bild_gedrueckt = bild_druck;
    i.Main_P = Klick;
    i.zeichnen = Label_Zeichnen;
    return i;
}

void Anlegen() {
    g.hintergrund = Menue_Icon_Neu(ICON_TRF_HINTERGRUND, 0, 0, ABDUNKELN, ICON_TYP_LEISE, PRI_HINTERGRUND);
    g.hintergrund.Status = ICON_ST_KEY;
    g.fenster = Menue_Icon_Neu(ICON_TRF_FENSTER, 82, 88, TRF_BILD_FENSTER, ICON_TYP_PASSIV, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Fenster_Zeichnen;
    g.sicher = Knopf(ICON_TRF_SICHER, 257, 438, TRF_BILD_SCHALTER, TRF_BILD_SCHALTER + 1, PRI_KNOPF);
    g.start = Knopf(ICON_TRF_START, 407, 438, TRF_BILD_START, TRF_BILD_START + 1, PRI_KNOPF);
    g.anwenden = Knopf(ICON_TRF_ANWENDEN, 327, 438, TRF_BILD_ANWENDEN, TRF_BILD_ANWENDEN + 1, PRI_KNOPF);
    g.schliessen = Knopf(ICON_TRF_SCHLIESSEN, 557, 438, TRF_BILD_SCHLIESSEN, TRF_BILD_SCHLIESSEN + 1, PRI_KNOPF);
}

s_icon* Fenster_Icons(int32_t i) {
    s_icon* alle[] = {&g.hintergrund, &g.fenster, &g.sicher, &g.start, &g.anwenden, &g.schliessen};
    return i < 6 ? alle[i] : nullptr;
}

// The buttons as the unit stands (a unit shown again after a change of screen).
void Knoepfe_Nach_Zustand(const Training_Sitzung& s) {
    Beschriften(g.sicher, g.label_sicher, Text(TEXT_SICHER));
    Beschriften(g.schliessen, g.label_schliessen, Text(TEXT_SCHLIESSEN));
    Beschriften(g.anwenden, g.label_anwenden, "");
    Beschriften(g.start, g.label_start, Text(s.zustand == TR_BEREIT ? TEXT_START : TEXT_STOP));
    Sperren(g.anwenden, true);
    Sperren(g.schliessen, s.zustand != TR_BEREIT);
    Sperren(g.sicher, false);
    Sperren(g.start, false);
    g.voriger_zustand = s.zustand == TR_ABSTURZ || s.zustand == TR_ENDE ? -1 : s.zustand;
}

}  // namespace

int32_t Attr_Film_Sprung(int32_t bild, int32_t talent, int32_t letztes, bool* halten) {
    *halten = false;
    if (letztes < 1) return -1;
    const int32_t anfang = std::min(SEGMENT_START + 1 + SEGMENT * talent, letztes);
    // A film shorter than the segment stays on its last frame.
    const int32_t ende = talent == 53 ? letztes : std::min(SEGMENT_START + SEGMENT + SEGMENT * talent, letztes);
    if (bild >= ende) {
        *halten = true;
        return ende;
    }
    if (bild >= SEGMENT_START && bild < anfang) return anfang;
    return -1;
}

void Training_Fenster_Oeffnen(int32_t, int32_t) {
    const Training_Sitzung* s = Training_Sitzung_Holen();
    if (!s || Training_Fenster_Offen()) return;
    Spieler_Zeile_Auffrischen();
    Anlegen();
    Alle_Anims_Leeren();
    g.hunderter = 0;
    g.breite = 0;
    g.letzte_marke = -1;
    Knoepfe_Nach_Zustand(*s);
    for (int32_t i = 0; s_icon* k = Fenster_Icons(i); ++i) Menue_Screen_Icon_Hinzufuegen(k);
    // A running unit shown again: its film plays on from the start.
    if (s->zustand != TR_BEREIT && s->zustand != TR_ABSTURZ && s->zustand != TR_ENDE) {
        const int32_t f = Talent_Film(s->talent);
        if (f >= 0 && !Film_Lebt(g.filme[0])) g.filme[0] = Film_Starten(f, FILM_X, FILM_Y, 0, "Attr");
    }
}

bool Training_Fenster_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_TRF_FENSTER); }

void Training_Fenster_Sicher() {
    const Training_Sitzung* s = Training_Sitzung_Holen();
    if (!s) return;
    Training_Sicher_Setzen(!s->sicher);
    Sample_Spielen(1, false);
}

void Training_Fenster_Start_Stop() {
    const Training_Sitzung* s = Training_Sitzung_Holen();
    if (!s) return;
    if (s->zustand == TR_BEREIT) {
        if (!Training_Start()) return;   // refused payment: nothing changes
        Sperren(g.schliessen, true);
        Beschriften(g.start, g.label_start, Text(TEXT_STOP));
    } else if (s->zustand != TR_ABSTURZ && s->zustand != TR_ENDE) {
        Training_Stop();
    }
}

void Training_Fenster_Anwenden() { Training_Anwenden(); }

void Training_Fenster_Schliessen() {
    const Training_Sitzung* s = Training_Sitzung_Holen();
    if (s && s->zustand == TR_BEREIT) Training_Schliessen();
}

void Training_Fenster_Anzeige(int32_t was, int32_t a, int32_t b) {
    switch (was) {
    case TR_ANZ_FILM_START: {
        Film_Frei(g.filme[0]);
        const int32_t f = Talent_Film(a);
        if (f >= 0) g.filme[0] = Film_Starten(f, FILM_X, FILM_Y, 0, "Attr");
        break;
    }
    case TR_ANZ_FILME_FREI: Filme_Frei(); break;
    case TR_ANZ_ANIM_LEEREN: Alle_Anims_Leeren(); break;
    case TR_ANZ_SAMPLE: Sample_Spielen(a, false); break;
    case TR_ANZ_SAMPLES_STOP: Samples_Stop(); break;
    case TR_ANZ_BONUS: Anim_Liste_Neu(g.bonus, 1, a, b, TRF_ANIM_BONUS, TRF_ANIM_BONUS_N, 50, 0, 0); break;
    case TR_ANZ_BONUS_TEXT: {
        const Training_Sitzung* s = Training_Sitzung_Holen();
        if (s)
            Anim_Liste_Neu(g.bonus_text, 1, s->bonus_x + 50, s->bonus_y + 50, b,
                           a == 4 ? TRF_ANIM_100_N : TRF_ANIM_TEXT_N, 50, 0, 0);
        break;
    }
    case TR_ANZ_HERZ: g.filme[1] = Film_Starten(FILM_HERZ, FILM_X, FILM_Y, 24, "herz"); break;
    case TR_ANZ_KWAGEN:
        Film_Frei(g.filme[1]);
        g.filme[2] = Film_Starten(FILM_KWAGEN, FILM_X, FILM_Y, 0, "kwagen");
        break;
    case TR_ANZ_GELERNT: {
        const Training_Sitzung* s = Training_Sitzung_Holen();
        Attr_Film(s ? s->spieler : -1, a);
        break;
    }
    case TR_ANZ_SCHLIESSEN: {
        Filme_Frei();
        const int32_t spieler = Training_Screen_Stand().spieler;
        for (int32_t i = 0; s_icon* k = Fenster_Icons(i); ++i) Menue_Screen_Icon_Loeschen(-1, k);
        g.voriger_zustand = -1;
        Training_Aktualisieren();
        if (Spielerliste_Offen() && spieler >= 0) Spielerliste_Spieler_Zeigen(spieler);
        if (Training_Screen_Offen() && Talente_Offen() && spieler >= 0) {
            Talente_Schliessen();
            Talente_Oeffnen(spieler, TALENTE_EIGENER);
        }
        break;
    }
    default: break;
    }
}

bool Attr_Film(int32_t spieler, int32_t talent) {
    if (talent < 0 || talent > 53) {
        Debug_Printf("Fehler : Attrnr. nicht in Film\n");
        return false;
    }
    g.attr_spieler = spieler;
    g.attr_talent = talent;
    if (!Attr_Film_Offen()) {
        g.film = Menue_Icon_Neu(ICON_TRF_FILM, 233, 128, TRF_BILD_FILM_FENSTER, ICON_TYP_PASSIV, PRI_FILM);
        g.film.Status = ICON_ST_KEY;
        g.film.zeichnen = Film_Zeichnen;
        g.film_zu = Menue_Icon_Neu(ICON_TRF_FILM_ZU, 475, 435, TRF_BILD_FILM_ZU, 0, PRI_FILM_KNOPF);
        g.film_zu.Status = ICON_ST_KEY | ICON_ST_DRUCK;
        g.film_zu.bild_gedrueckt = TRF_BILD_FILM_ZU_DRUCK;
        g.film_zu.Main_P = Klick;
        g.film_zu.zeichnen = Film_Zu_Zeichnen;
        for (s_icon* k : {&g.film, &g.film_zu}) Menue_Screen_Icon_Hinzufuegen(k);
    }
    if (!Film_Lebt(g.attr)) {
        g.attr = Film_Starten(FILM_ATTR, ATTR_X, ATTR_Y, 0, "Attr_Film");
        Sample_Spielen(Attribut_Ist_Negativ(spieler, talent) ? 21 : 20, false);
    }
    return true;
}

bool Attr_Film_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_TRF_FILM); }

void Attr_Film_Schliessen() {
    for (s_icon* k : {&g.film, &g.film_zu}) Menue_Screen_Icon_Loeschen(-1, k);
    Film_Frei(g.attr);
    Samples_Stop();
}

TrainingFensterBalken Training_Fenster_Balken() { return {g.breite, g.hunderter}; }

std::span<const Anim_Slot> Training_Fenster_Marken() { return g.marken; }

}  // namespace velmora
