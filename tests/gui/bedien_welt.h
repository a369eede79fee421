// tests/gui/bedien_welt.h - the Menue test screen with the pictures of scroll
// bars and input fields as resource file 5 (slave numbers 20000 + entry), the
// framework's scroll-bar and rocker hooks bound as the game binds them, and
// the calls of bar procedures recorded.
#pragma once
#include <vector>

#include "gui/menue_eingabefeld.h"
#include "gui/menue_scrollbar.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {

enum BedienBild : int32_t {
    BILD_TRACK_SENKRECHT = 20000,   // 20 x 200 dark track
    BILD_KNOPF_SENKRECHT = 20001,   // 20 x 30 light button
    BILD_TRACK_WAAGERECHT = 20002,  // 200 x 20
    BILD_KNOPF_WAAGERECHT = 20003,  // 30 x 20
    BILD_EINGABEFELD = 20004,       // 100 x 40 field with its rocker strip
    BILD_WIPPE_LICHT = 20005,       // 12 x 10 orange: a rocker button lit
};

struct BalkenAufruf {
    int32_t nummer, position, flag;
    bool operator==(const BalkenAufruf& o) const = default;
};
inline std::vector<BalkenAufruf> balken_aufrufe;
inline void Balken_Aufzeichnen(s_icon* i, int32_t pos, int32_t flag) {
    balken_aufrufe.push_back({i ? i->nummer : -1, pos, flag});
}

class BedienWelt : public MenueWelt {
protected:
    static inline int32_t bedien_slot = -1;

    void SetUp() override {
        MenueWelt::SetUp();
        std::vector<ResDateiEintrag> e;
        e.push_back({14, Nalp(Flaeche(20, 200, Farbe(50, 50, 70), Farbe(150, 150, 170)))});
        e.push_back({14, Nalp(Flaeche(20, 30, Farbe(220, 220, 230), Farbe(90, 90, 110)))});
        e.push_back({14, Nalp(Flaeche(200, 20, Farbe(50, 50, 70), Farbe(150, 150, 170)))});
        e.push_back({14, Nalp(Flaeche(30, 20, Farbe(220, 220, 230), Farbe(90, 90, 110)))});
        Rastport* feld = Flaeche(100, 40, Farbe(30, 30, 30), Farbe(200, 200, 200));
        Rastport_Fill(feld, 4, 21, 92, 16, Farbe(100, 100, 100), nullptr);   // the rocker strip
        e.push_back({14, Nalp(feld)});
        e.push_back({14, Nalp(Flaeche(12, 10, Farbe(255, 140, 0), Farbe(255, 140, 0)))});
        const std::string pfad = tmp / "bedien.res";
        ASSERT_TRUE(Res_Schreiben(pfad.c_str(), e));
        bedien_slot = Res_Open(pfad.c_str(), 0);
        ASSERT_GE(bedien_slot, 0);
        MenueHooks& h = Menue_Hooks();
        h.resourcen_slot = [](int32_t index) { return index == 1 ? slot : index == 5 ? bedien_slot : -1; };
        h.scrollbar_rad = Menue_Scrollbar_Klick_Ausfuehren;
        h.wippe_ende = Menue_Rocker_Highlight_Beenden;
        balken_aufrufe.clear();
    }
    void TearDown() override {
        MenueWelt::TearDown();
        Res_Close(bedien_slot);
        bedien_slot = -1;
    }

    // A bar whose button moves over von..bis: vertical at x = quer, its track
    // at (quer, von - 1), or horizontal at y = quer, its track at (von - 1, quer).
    void Balken(bool senkrecht, int16_t track_nr, int16_t knopf_nr, int16_t quer, int16_t von, int16_t bis,
                int16_t positionen, s_icon*& track, s_icon*& knopf) {
        s_scrollbar& sc = strukturen_.emplace_back();
        sc.proc = Balken_Aufzeichnen;
        (senkrecht ? sc.fest_x : sc.fest_y) = quer;
        (senkrecht ? sc.y_min : sc.x_min) = von;
        (senkrecht ? sc.y_max : sc.x_max) = bis;
        sc.positionen = positionen;
        const int16_t x = senkrecht ? quer : von, y = senkrecht ? von : quer;
        track = Icon(Knopf(track_nr, int16_t(x - !senkrecht), int16_t(y - senkrecht), 1, Menue_Scrollbar_Klick));
        track->bild = senkrecht ? BILD_TRACK_SENKRECHT : BILD_TRACK_WAAGERECHT;
        track->partner = knopf_nr;
        knopf = Icon(Knopf(knopf_nr, x, y, 2));
        knopf->bild = senkrecht ? BILD_KNOPF_SENKRECHT : BILD_KNOPF_WAAGERECHT;
        knopf->typ |= ICON_TYP_SCROLLBUTTON | ICON_TYP_BEWEGLICH;
        knopf->daten = &sc;
        knopf->partner = track_nr;
    }
    void Senkrechter_Balken(int16_t track_nr, int16_t knopf_nr, int16_t x, int16_t y0, int16_t y1, int16_t positionen,
                            s_icon*& track, s_icon*& knopf) {
        Balken(true, track_nr, knopf_nr, x, y0, y1, positionen, track, knopf);
    }
    void Waagerechter_Balken(int16_t track_nr, int16_t knopf_nr, int16_t x0, int16_t x1, int16_t y, int16_t positionen,
                             s_icon*& track, s_icon*& knopf) {
        Balken(false, track_nr, knopf_nr, y, x0, x1, positionen, track, knopf);
    }
    static s_scrollbar* Sc(s_icon* knopf) { return static_cast<s_scrollbar*>(knopf->daten); }
    std::vector<int32_t> Flags(int32_t nummer) const {
        std::vector<int32_t> f;
        for (const BalkenAufruf& a : balken_aufrufe)
            if (a.nummer == nummer) f.push_back(a.flag);
        return f;
    }

    std::deque<s_scrollbar> strukturen_;
};

}  // namespace velmora::test
