// gui/menue_eingabefeld.cpp - input fields: the choice of the rocker button,
// the rocker arithmetic, the highlight, and the input-field context menu.
#include "gui/menue_eingabefeld.h"

#include <algorithm>
#include <cstdio>

#include "core/debug.h"
#include "core/zahlen.h"
#include "gfx/blit.h"
#include "gfx/schatten.h"
#include "gui/menue.h"

namespace velmora {
namespace {

constexpr int16_t KNOPF_X[WIPPE_KNOEPFE] = {9, 25, 38, 58, 68, 82};
constexpr int16_t KNOPF_Y[WIPPE_KNOEPFE] = {23, 25, 26, 26, 25, 23};
constexpr int32_t KNOPF_BREITE[WIPPE_KNOEPFE] = {12, 9, 7, 7, 9, 12};
constexpr int64_t KNOPF_FAKTOR[WIPPE_KNOEPFE] = {100, 10, 1, 1, 10, 100};
constexpr int32_t KEINER = 9999;
constexpr int32_t MENUE_WERTE = 5;

struct EingabeModul {
    s_kontextmenue menue;                  // the one input-field menu
    char texte[MENUE_WERTE][40] = {};      // its "Setzen auf" texts
};
EingabeModul g;

s_icon_wippe* Wippe(s_icon* icon) {
    return icon && (icon->typ & ICON_TYP_EINGABE) ? static_cast<s_icon_wippe*>(icon->daten) : nullptr;
}
int32_t Knopf_X(const s_icon* icon, const s_icon_wippe* w, int32_t k) {
    return icon->x + (w->knopf_x[k] == -1 ? KNOPF_X[k] : w->knopf_x[k]);
}
int32_t Knopf_Y(const s_icon* icon, const s_icon_wippe* w, int32_t k) {
    return icon->y + (w->knopf_y[k] == -1 ? KNOPF_Y[k] : w->knopf_y[k]);
}

// The button nearest to the mouse by the horizontal distance of its middle.
int32_t Naechster_Waagerecht(const s_icon* icon, const s_icon_wippe* w, int32_t mx) {
    int32_t beste = KEINER, knopf = -1;
    for (int32_t k = 0; k < WIPPE_KNOEPFE; ++k) {
        const int32_t d = Abstand(Knopf_X(icon, w, k) + 1 + KNOPF_BREITE[k] / 2, mx);
        if (d < beste) {
            beste = d;
            knopf = k;
        }
    }
    return knopf;
}

// Integers and words are stepped in 64 bits: a float loses units above 2^24.
int64_t Begrenzt(int64_t v, int64_t lo, int64_t hi) { return std::max(lo, std::min(v, hi)); }

void Wert_Schreiben(s_icon_wippe* w, double wert) {
    if (w->wert_i)
        *w->wert_i = int32_t(Begrenzt(int64_t(wert), INT32_MIN, INT32_MAX));
    else if (w->wert_w)
        *w->wert_w = uint16_t(Begrenzt(int64_t(wert), 0, 65535));   // a word wrapped past its range
    else if (w->wert_f)
        *w->wert_f = float(wert);
}

}  // namespace

int32_t Menue_Wippe_Klick(s_icon* icon, int32_t mx, int32_t my, bool anwenden) {
    s_icon_wippe* w = Wippe(icon);
    if (!w) return 0;
    int32_t beste = KEINER, knopf = -1;
    Rastport* bild = nullptr;
    for (int32_t k = 0; k < WIPPE_KNOEPFE; ++k) {
        if (w->knopf_bild[k] == -1) continue;   // no picture of its own
        Rastport* rp = Menue_Get_Slave_Rastport(w->knopf_bild[k], nullptr);
        if (!rp) {
            Debug_Printf("Wippe: Slave_Rp==NULL!\n");
            continue;
        }
        const int32_t d = Distanz(Knopf_X(icon, w, k) + int32_t(rp->width) / 2 - mx,
                                  Knopf_Y(icon, w, k) + int32_t(rp->height) / 2 - my);
        if (d < beste) {
            beste = d;
            knopf = k;
            bild = rp;
        }
    }
    // Without pictures the rocker's own rule chooses; the standard pictures
    // were never loadable, and every click lowered the value.
    if (knopf < 0) knopf = Naechster_Waagerecht(icon, w, mx);
    if (knopf < 0) {
        Debug_Printf("Menue_Icons_Check:found_eingabefeld_button_nr==NIX!\n");
        knopf = 0;
    }
    if (bild)
        if (Rastport* ziel = Rastport_Target())
            Rastport_Blit(bild, 0, 0, -1, -1, ziel, Knopf_X(icon, w, knopf), Knopf_Y(icon, w, knopf), BlitMode_Key);
    icon->d2 = WIPPE_HERVORGEHOBEN;
    const int32_t haelfte = knopf < 3 ? WIPPE_SENKEN : WIPPE_HEBEN;
    if (anwenden && (icon->typ & ICON_TYP_WIPPE_SELBST)) {
        Menue_Universaler_Wippe_Weiterschalter(icon, EV_LINKS | haelfte);
        Schatten_Cache_Leeren();
    }
    return haelfte;
}

void Menue_Universaler_Wippe_Weiterschalter(s_icon* icon, int32_t ereignis) {
    s_icon_wippe* w = Wippe(icon);
    if (!w) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: NULL-Pointer!\n");
        return;
    }
    const int32_t mx = Menue_Hooks().maus_x ? Menue_Hooks().maus_x() : 0;
    const int32_t knopf = Naechster_Waagerecht(icon, w, mx);
    if (knopf < 0) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: naechster==NIX!\n");
        return;
    }
    const int64_t betrag = int64_t(w->schritt) * KNOPF_FAKTOR[knopf];
    if (!w->wert_i && !w->wert_w && !w->wert_f) {
        Debug_Printf("Menue_Universaler_Wippe_Weiterschalter: Kein Wert!\n");
        return;
    }
    if (!(ereignis & (WIPPE_SENKEN | WIPPE_HEBEN))) return;
    const bool senken = ereignis & WIPPE_SENKEN;
    if (w->wert_f && !w->wert_i && !w->wert_w) {
        double v = double(*w->wert_f) + (senken ? -double(betrag) : double(betrag));
        if (senken && v < w->minimum) v = w->minimum;
        if (!senken && v > w->maximum) v = w->maximum;
        Wert_Schreiben(w, v);
        return;
    }
    int64_t v = w->wert_i ? int64_t(*w->wert_i) : int64_t(*w->wert_w);
    v += senken ? -betrag : betrag;
    if (senken && v < w->minimum) v = w->minimum;
    if (!senken && v > w->maximum) v = w->maximum;
    Wert_Schreiben(w, double(v));
}

void Menue_Rocker_Highlight_Beenden(s_icon* icon) {
    if (!Wippe(icon) || icon->d2 != WIPPE_HERVORGEHOBEN) return;
    Menue_Icon_Blit(icon);
    icon->d2 = 0;
}

void Menue_Eingabefeld_Vorgaben_Merken(s_icon* icon) {
    s_icon_wippe* w = Wippe(icon);
    if (!w) return;
    if (w->wert_f) w->vorgabe_f = *w->wert_f;
    if (w->wert_i) w->vorgabe_i = *w->wert_i;
    if (w->wert_w) w->vorgabe_w = *w->wert_w;
}

void Menue_Init_Kontextmenue(s_kontextmenue* menue, const char* titel, int32_t icon_nr, int32_t status,
                             int32_t (*proc)(int32_t, int32_t, int32_t)) {
    if (status == -1) {
        Debug_Printf("Menue_Init_Kontextmenue: default_status: falscher Wert!\n");
        status = 0;
    }
    if (!menue) {
        Debug_Printf("Menue_Init_Kontextmenue: k==NULL!\n");
        return;
    }
    *menue = s_kontextmenue{};
    menue->aktiv = 1;
    menue->titel_an = 1;
    menue->titel = titel;
    for (int32_t k = 0; k < KONTEXT_EINTRAEGE; ++k) {
        menue->status[k] = uint16_t(status);
        menue->wert[k] = -1;
        menue->wert2[k] = -1;
        menue->icon[k] = icon_nr;
        menue->proc[k] = proc;
    }
}

s_kontextmenue* Menue_Kontext_Eingabefeld_Menue(s_icon* icon) {
    if (!icon) {
        Debug_Printf("Menue_Kontext_Eingabefeld_Menue: icon==NULL!\n");
        return nullptr;
    }
    s_kontextmenue& m = g.menue;
    Menue_Init_Kontextmenue(&m, "Eingabefeld \xe4ndern:", icon->nummer, 1, Menue_Kontext_Eingabefeld_Jump_Call);
    m.text[0] = "Zur\xfc" "cksetzen auf Vorgabewert";
    m.text[1] = "Zur\xfc" "cksetzen auf Minimalwert";
    m.text[2] = "Zur\xfc" "cksetzen auf Maximalwert";
    const s_icon_wippe* w = Wippe(icon);
    if (!w || w->schritt <= 1) return &m;
    m.status[2] |= 0x2;
    // Five rounded values across the range, each once.
    const int64_t spanne = (int64_t(w->maximum) - w->minimum) / 5;
    int64_t einheit = 1;
    if (spanne >= 10)
        for (int64_t s = spanne; s >= 10; s /= 10) einheit *= 10;
    int64_t letzter = w->minimum;
    int32_t item = 3;
    for (int64_t k = 0; k < MENUE_WERTE; ++k) {
        int64_t v = ((spanne * k + w->minimum) / einheit) * einheit;
        if (v == letzter) continue;
        v = Begrenzt(v, w->minimum, std::max(w->minimum, w->maximum));
        letzter = v;
        std::snprintf(g.texte[item - 3], sizeof g.texte[0], "Setzen auf %d", int32_t(v));
        m.text[item] = g.texte[item - 3];
        m.wert[item] = int32_t(v);
        ++item;
    }
    return &m;
}

int32_t Menue_Kontext_Eingabefeld_Jump_Call(int32_t item, int32_t icon_nr, int32_t wert) {
    s_icon* icon = icon_nr >= 0 && icon_nr < ANZ_SCREEN_ICONS ? Menue_Screen_Icon_Aus_Nummer(icon_nr) : nullptr;
    s_icon_wippe* w = Wippe(icon);
    if (item < 0 || item > 7 || !w) {
        Debug_Printf("Menue_Kontext_Eingabefeld_Jump_Call: item/icon-error!\n");
        return 0;
    }
    double neu;
    if (item == 0)
        neu = w->wert_i ? double(w->vorgabe_i) : w->wert_w ? double(w->vorgabe_w) : double(w->vorgabe_f);
    else if (item == 1)
        neu = w->minimum;
    else if (item == 2)
        neu = w->maximum;
    else
        neu = wert;
    // The value stays within the field's bounds, whatever the item carried.
    neu = std::max<double>(w->minimum, std::min<double>(neu, std::max(w->minimum, w->maximum)));
    Wert_Schreiben(w, neu);
    if (icon->Main_P && icon->Main_P != Menue_Universaler_Wippe_Weiterschalter) icon->Main_P(icon, EV_WERT_GESETZT);
    return 1;
}

void Menue_Kontextmenue_Set_Wert(s_kontextmenue* menue, int32_t wert) {
    if (menue) menue->wort[0] = uint16_t(wert);
}

int32_t Menue_Null() { return 0; }

}  // namespace velmora
