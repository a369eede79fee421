// screens/rangliste.cpp - the club ranking screen.
#include "screens/rangliste.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "bilder/teamfarbe.h"
#include "bilder/wappen.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/colour.h"
#include "gfx/font.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_scrollbar.h"
#include "media/sound.h"
#include "net/net.h"
#include "platform/clock.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint16_t WEISS = 0xFFFF, GRAU = 50744, TEXT = 57115;
constexpr int32_t ZEILE_Y = 154, ZEILE_ABSTAND = 27, UNTEN_Y = 424;
constexpr int32_t BALKEN_X = 777, BALKEN_Y = 146, BALKEN_H = 248, KNAUF_H = 8;
constexpr uint32_t PFEIL_MS = 51;
constexpr int32_t SAMPLE_SCROLL = 13;
const SchattenParameter WAPPEN_SCHATTEN{1, 1, 3, 0};

struct RanglisteScreen {
    int32_t modus = 0;
    int32_t versatz = 0, bereich = 0;
    std::vector<RangSpieler> spieler;
    int32_t lokal_rang = -1;
    s_icon liste[RANG_MODI + 6];
    s_icon_text text[RANG_MODI];
    s_scrollbar balken;
    uint32_t letzter_pfeil = 0;
};
RanglisteScreen g;

int32_t Team() { return Menue_Lokal().team; }
Font* F(int32_t n) { return Font_Get(n); }
const char* T(const char* feld, int32_t n) {
    return Text_Oder_Leer(feld, n);
}

// The statistic of a mode: 3 games, 4 goals, 5 assists, 6 bookings, 7 sendings-off, 8 minutes.
int32_t Art(int32_t modus) {
    static const int32_t ARTEN[6] = {STATISTIK_SPIELE, STATISTIK_TORE, STATISTIK_VORLAGEN,
                                     STATISTIK_GELB,   STATISTIK_PLATZVERWEISE, STATISTIK_MINUTEN};
    return ARTEN[std::clamp(modus - 3, 0, 5)];
}

// The club's titles by competition: (competition, count) with a count above 0.
std::vector<std::pair<int32_t, int32_t>> Titel_Wettbewerbe(const RanglisteSatz& r) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (int32_t i = 0; i < RANGLISTE_TITEL_MAX; ++i)
        if (r.titel[i][1] > 0) out.push_back({r.titel[i][0], r.titel[i][1]});
    return out;
}

std::vector<Titel> Titel_Chronik(int32_t team) {
    std::vector<Titel> t(size_t(std::max(Spiele_Get_Titel_Von_Team(team, nullptr, 0), 0)) + 1);
    t.resize(size_t(Spiele_Get_Titel_Von_Team(team, t.data(), int32_t(t.size()))));
    return t;
}

int32_t Eintraege() {
    RanglisteSatz r{};
    const bool satz = Team() >= 0 && Rangliste_Team(Team(), &r);
    switch (g.modus) {
    case 0: return 0;
    case 1:
    case 2: return Rangliste_Anzahl();
    case 9: return satz ? int32_t(Titel_Wettbewerbe(r).size()) : 0;
    case 10: return Team() >= 0 ? int32_t(Titel_Chronik(Team()).size()) : 0;
    case 11: {
        RanglisteSatz top[10];
        return Rangliste_Top10(top);
    }
    default: return int32_t(g.spieler.size());
    }
}

void Balken_Pruefen() {
    const bool zeigen = g.bereich >= 2 && g.modus != 0;
    for (int32_t n : {ICON_RANG_BALKEN, ICON_RANG_KNAUF, ICON_RANG_HOCH, ICON_RANG_RUNTER})
        if (s_icon* i = Menue_Screen_Icon_Aus_Nummer(n); i && Menue_Screen_Icon_Ist_Vorhanden(n))
            i->Status = zeigen ? (i->Status & ~ICON_ST_VERSTECKT) : (i->Status | ICON_ST_VERSTECKT);
    g.balken.positionen = int16_t(zeigen ? g.bereich : 0);
    const int32_t y = g.balken.y_min + (g.bereich > 1 ? (g.balken.y_max - g.balken.y_min) * g.versatz / (g.bereich - 1) : 0);
    if (Team() >= 0) Manager_Icon_Button_An_Aus(Team(), ICON_RANG_KNAUF, y);
    if (s_icon* k = Menue_Screen_Icon_Aus_Nummer(ICON_RANG_KNAUF); k && Menue_Screen_Icon_Ist_Vorhanden(ICON_RANG_KNAUF)) {
        Menue_Scrollbuttonpos_Zuweisen(k);
        if (!zeigen) k->Status |= ICON_ST_VERSTECKT;
    }
}

void Modus_Setzen(int32_t modus) {
    g.modus = modus;
    const bool spieler = modus >= 3 && modus != 9 && modus != 10 && modus != 11;
    g.spieler.clear();
    g.lokal_rang = spieler ? Rangliste_Spieler_Bauen(modus, Team(), g.spieler) : -1;
    g.bereich = g.modus == 0 ? 0 : std::max(Eintraege() - 9, 0);
    g.versatz = 0;
    if (s_icon* l = Menue_Screen_Icon_Aus_Nummer(ICON_RANG_LEINWAND))
        l->bild = g.modus == 0 ? SLAVE_RANG_LEINWAND_0 : SLAVE_RANG_LEINWAND;
    Balken_Pruefen();
    Debug_Printf("Rangliste: Modus %d, %d Eintraege\n", g.modus, g.bereich + 9);
}

// ---- drawing ----

void Wappen(Rastport* z, int32_t team, int32_t x, int32_t y) {
    if (team >= 0 && team < Team_Anzahl()) Wappen_Zeichnen(team, z, x, y - 17, 22, 22, &WAPPEN_SCHATTEN);
}

void Spieler_Zeile(Rastport* z, int32_t y, int32_t rang, const RangSpieler& r) {
    const uint16_t farbe = Team_Hat_Manager(r.team) ? WEISS : GRAU;
    const std::string name = Spieler_String(SPS_NAME, r.spieler, 0, 0);
    if (g.modus == 12)
        Text_Printf(z, F(7), "^c%05d^tz0040%d.^tl0125%s^tl0430%s^fb0012^tr0735%1.3f^fe%s", 4, y, farbe, rang,
                    Team_String(TS_NAME, r.team, 0, 0), name.c_str(), r.wert / 1000000.0, " Mio.");
    else
        Text_Printf(z, F(7), "^c%05d^tz0040%d.^tl0125%s^tl0430%s^fb0012^tr0735%d^fe", 4, y, farbe, rang,
                    Team_String(TS_NAME, r.team, 0, 0), name.c_str(), r.wert);
    Wappen(z, r.team, 85, y);
}

void Team_Zeile(Rastport* z, int32_t y, int32_t rang, int32_t team, const char* name, int32_t wert) {
    // The first three ranks carry their medal, the row a pixel higher.
    Rastport* medaille = rang >= 1 && rang <= 3 ? Menue_Get_Slave_Rastport(SLAVE_RANG_PLATZ_1 + rang - 1, nullptr) : nullptr;
    if (medaille) {
        Rastport_Blit(medaille, 0, 0, -1, -1, z, 9, y - 18, BlitMode_Key);
        --y;
    }
    const uint16_t farbe = Manager_Textfarbe(team, -2);
    if (Team_Hat_Manager(team))
        Text_Printf(z, F(7), "^c%05d^tz0040%d.^tl0125%s^tl0430%s^fb0012^tr0735%d^fe", 4, y, farbe, rang, name,
                    Team_String(TS_MANAGER, team, 0, 0), wert);
    else
        Text_Printf(z, F(7), "^c%05d^tz0040%d.^tl0125%s^tl0430---^fb0012^tr0735%d^fe", 4, y, farbe, rang, name, wert);
    Wappen(z, team, 85, y);
}

void Kopf(Rastport* z, const char* spalte3, const char* spalte4, int32_t spalte2 = 7) {
    const int32_t m = std::clamp(g.modus, 0, RANG_MODI - 1);
    const char* titel = m < 3 ? T(RANG_TEXTE, m) : T("ULVO_ZUSATZ", 154 + m);
    Text_Printf(z, F(11), "^c%05d%s", 14, 107, WEISS, titel);
    Text_Printf(z, F(10), "^c%05d^tz0040%s^tl0125%s^tl0430%s^tr0735%s", 4, 131, TEXT, spalte2 == 7 ? T(RANG_TEXTE, 6) : "",
                T(RANG_TEXTE, spalte2), spalte3, spalte4);
}

void Letzte_Spiele(Rastport* z, int32_t team) {
    Text_Printf(z, F(11), "^c%05d%s", 14, 107, WEISS, T(RANG_TEXTE, 0));
    RanglisteSatz r{};
    if (team < 0 || !Rangliste_Team(team, &r)) return;
    int32_t summe = 0;
    for (int32_t k = 0; k < RANGLISTE_SPIELE; ++k) {
        const RanglisteSpiel& s = r.spiele[k];
        const int32_t y = 137 + 27 * k;
        if (s.gegner < 0) {
            Text_Printf(z, F(7), "^c%05d^tl0019    ---", 4, y + 14, GRAU);
            continue;
        }
        const int32_t heim = s.gegner_heim ? s.gegner : team, gast = s.gegner_heim ? team : s.gegner;
        const int32_t eigen = s.gegner_heim ? s.tore_gast : s.tore_heim, fremd = s.gegner_heim ? s.tore_heim : s.tore_gast;
        const int32_t bild = eigen > fremd ? SLAVE_RANG_SIEG : eigen < fremd ? SLAVE_RANG_NIEDERLAGE : SLAVE_RANG_REMIS;
        if (Rastport* b = Menue_Get_Slave_Rastport(bild, nullptr)) Blit_Alpha(b, 0, 0, -1, -1, z, 9, 136 + 27 * k, 35);
        Wappen_Zeichnen(heim, z, 16, y + 1, 22, 22, &WAPPEN_SCHATTEN);
        Wappen_Zeichnen(gast, z, 262, y + 1, 22, 22, &WAPPEN_SCHATTEN);
        Text_Printf(z, F(7), "^c%05d^tl0042%s^tl0230-^tl0288%s^tz0560%d : %d^tr0735%d", 4, y + 18, WEISS,
                    Team_String(TS_NAME, heim, 0, 0), Team_String(TS_NAME, gast, 0, 0), s.tore_heim, s.tore_gast, s.punkte);
        summe += s.punkte;
    }
    Text_Printf(z, F(11), "^c%05d^tl0019%s^tr0735%d", 4, UNTEN_Y, WEISS, T(RANG_TEXTE, 11), summe);
}

void Titel_Unten(Rastport* z, int32_t team, int32_t anzahl) {
    Wappen_Zeichnen(team, z, 85, 417 - 8, 22, 22, &WAPPEN_SCHATTEN);
    Rastport* pokal = Menue_Get_Slave_Rastport(SLAVE_RANG_TITEL, nullptr);
    const int32_t abstand = anzahl > 8 ? std::max(136 / anzahl, 4) : 17;
    for (int32_t i = 0; pokal && i < std::min(anzahl, 40); ++i)
        Rastport_Blit(pokal, 0, 0, -1, -1, z, 130 + i * abstand, 422 - 12, BlitMode_Key);
    Text_Printf(z, F(11), "^c%05d^tr0735%d", 4, UNTEN_Y, WEISS, anzahl);
}

void Titel_Zeichnen(Rastport* z, int32_t team) {
    RanglisteSatz r{};
    if (team < 0 || !Rangliste_Team(team, &r)) return;
    Kopf(z, "", T(RANG_TEXTE, 8), 12);
    Rastport* pokal = Menue_Get_Slave_Rastport(SLAVE_RANG_TITEL, nullptr);
    if (g.modus == 9) {
        const auto liste = Titel_Wettbewerbe(r);
        for (int32_t i = 0; i < RANG_ZEILEN && g.versatz + i < int32_t(liste.size()); ++i) {
            const auto [w, anzahl] = liste[size_t(g.versatz + i)];
            const int32_t y = ZEILE_Y + ZEILE_ABSTAND * i;
            Pokal_Zeichnen(w, -1, z, 70, y - 20, 24, 24, nullptr);
            Text_Printf(z, F(7), "^c%05d^tl0125%s", 4, y, WEISS, Wettbewerb_Get_Landespokal(w, 0, 0));
            const int32_t abstand = anzahl > 8 ? 136 / anzahl : 17;
            for (int32_t k = 0; pokal && k < std::min(anzahl, 40); ++k)
                Rastport_Blit(pokal, 0, 0, -1, -1, z, 650 + k * abstand, y - 16, BlitMode_Key);
        }
    } else {
        const std::vector<Titel> chronik = Titel_Chronik(team);
        for (int32_t i = 0; i < RANG_ZEILEN && g.versatz + i < int32_t(chronik.size()); ++i) {
            const Titel& t = chronik[size_t(g.versatz + i)];
            const int32_t y = ZEILE_Y + ZEILE_ABSTAND * i;
            Pokal_Zeichnen(t.wettbewerb, -1, z, 70, y - 20, 24, 24, nullptr);
            Text_Printf(z, F(7), "^c%05d^tl0125%s^tr0735%d", 4, y, WEISS, Wettbewerb_Get_Landespokal(t.wettbewerb, 0, 0),
                        t.jahr);
        }
    }
    Titel_Unten(z, team, r.titel_anzahl);
}

void Leinwand_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* z = Rastport_Target();
    const int32_t team = Team();
    if (!z) return;
    switch (g.modus) {
    case 0: Letzte_Spiele(z, team); return;
    case 1:
    case 2: {
        const int32_t feld = g.modus - 1;
        Kopf(z, T(RANG_TEXTE, 9), T(RANG_TEXTE, 11));
        RanglisteSatz seite[RANG_ZEILEN];
        const int32_t n = Rangliste_Get_Seite(g.versatz, RANG_ZEILEN, seite, feld);
        for (int32_t i = 0; i < n; ++i)
            Team_Zeile(z, ZEILE_Y + ZEILE_ABSTAND * i, seite[i].platz[feld] + 1, seite[i].team,
                       Team_String(TS_NAME, seite[i].team, 0, 0), seite[i].wert[feld]);
        RanglisteSatz r{};
        if (team >= 0 && Rangliste_Team(team, &r))
            Team_Zeile(z, UNTEN_Y, r.platz[feld] + 1, team, Team_String(TS_NAME, team, 0, 0), r.wert[feld]);
        return;
    }
    case 9:
    case 10: Titel_Zeichnen(z, team); return;
    case 11: {
        Kopf(z, T(RANG_TEXTE, 9), T(RANG_TEXTE, 11));
        RanglisteSatz top[10];
        const int32_t n = Rangliste_Top10(top);
        for (int32_t i = 0; i < RANG_ZEILEN && g.versatz + i < n; ++i) {
            const RanglisteSatz& r = top[g.versatz + i];
            Team_Zeile(z, ZEILE_Y + ZEILE_ABSTAND * i, g.versatz + i + 1, r.team, Team_String(TS_NAME_KURZ, r.team, 0, 0),
                       r.gesamt);
        }
        return;
    }
    default: {
        Kopf(z, T(RANG_TEXTE, 10), T("ULVO_ZUSATZ", 154 + g.modus));
        for (int32_t i = 0; i < RANG_ZEILEN && g.versatz + i < int32_t(g.spieler.size()); ++i)
            Spieler_Zeile(z, ZEILE_Y + ZEILE_ABSTAND * i, g.versatz + i + 1, g.spieler[size_t(g.versatz + i)]);
        if (g.lokal_rang > 0) Spieler_Zeile(z, UNTEN_Y, g.lokal_rang, g.spieler[size_t(g.lokal_rang - 1)]);
        else Text_Printf(z, F(7), "^c%05d^tz0040---", 4, UNTEN_Y, GRAU);
        return;
    }
    }
}

// ---- the icons ----

void Modus_Klick(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_LINKS) Rangliste_Modus_Klick(icon->nummer);
}

void Verschieben(int32_t versatz) {
    versatz = std::clamp(versatz, 0, std::max(g.bereich - 1, 0));
    if (versatz == g.versatz) return;
    g.versatz = versatz;
    Sample_Spielen_Lautstaerke(SAMPLE_SCROLL, false, 100);
}

// The arrows act while the left button is held, at most every 51 ms.
void Pfeil_Klick(s_icon* icon, int32_t ereignis) {
    if (!(ereignis & EV_LINKS)) return;
    const uint32_t jetzt = Plat_Ms();
    if (jetzt - g.letzter_pfeil < PFEIL_MS) return;
    g.letzter_pfeil = jetzt;
    Verschieben(g.versatz + (icon->nummer == ICON_RANG_HOCH ? -1 : 1));
    Balken_Pruefen();
}

void Knauf_Prozedur(s_icon*, int32_t position, int32_t flag) {
    if (flag != SCROLL_REFRESH) Verschieben(position);
}

void Liste_Bauen() {
    s_icon* l = g.liste;
    int32_t k = 0;
    l[k] = Menue_Icon_Neu(ICON_RANG_LEINWAND, 4, 86, g.modus == 0 ? SLAVE_RANG_LEINWAND_0 : SLAVE_RANG_LEINWAND,
                          ICON_TYP_PASSIV, 1);
    l[k].Status = ICON_ST_KEY;
    l[k++].zeichnen = Leinwand_Zeichnen;
    static const int16_t POS[RANG_MODI][2] = {{2, 448},   {200, 448}, {398, 448}, {596, 448}, {2, 488},
                                              {162, 488}, {325, 488}, {490, 488}, {654, 488}, {200, 528},
                                              {398, 528}, {596, 528}, {2, 528}};
    for (int32_t m = 0; m < RANG_MODI; ++m) {
        const bool klein = m >= 4 && m <= 8;
        s_icon& i = l[k++];
        i = Menue_Icon_Neu(ICON_RANG_MODUS + m, POS[m][0], POS[m][1], klein ? 12104 : SLAVE_RANG_KNOPF, ICON_TYP_TEXT, 3);
        i.Status = ICON_ST_KEY;
        i.Main_P = Modus_Klick;
        s_icon_text& t = g.text[m];
        t = s_icon_text{};
        t.font = 6;
        t.flags = 0x10 | 0x20;
        t.farbe_an = t.farbe_aus = WEISS;
        t.text = m < 3 ? T(RANG_TEXTE, m) : T("ULVO_ZUSATZ", 154 + m);
        i.daten = &t;
        if (m < 3) i.hilfe = T(RANG_TEXTE, 3 + m);
        // A client has no ranking page of its own for mode 3 (the ranking is server data).
        if (m == 3 && Netzwerk_Modus() == 1) i.Status |= ICON_ST_GESPERRT;
    }
    Menue_Senkrechter_Balken(&l[k], &l[k + 1], &g.balken, ICON_RANG_BALKEN, ICON_RANG_KNAUF, BALKEN_X, BALKEN_Y, BALKEN_H, 0,
                             KNAUF_H, SLAVE_RANG_BALKEN, SLAVE_RANG_KNAUF, Knauf_Prozedur);
    k += 2;
    for (int32_t n : {ICON_RANG_HOCH, ICON_RANG_RUNTER}) {
        const int32_t bild = n == ICON_RANG_HOCH ? SLAVE_RANG_HOCH : SLAVE_RANG_RUNTER;
        l[k] = Menue_Icon_Neu(n, BALKEN_X, n == ICON_RANG_HOCH ? 132 : 394, bild, 0, 3);
        l[k].Status = ICON_ST_KEY | ICON_ST_DRUCK | ICON_ST_WIEDERHOLEN;
        l[k].bild_gedrueckt = bild + 1;
        l[k++].Main_P = Pfeil_Klick;
    }
    l[k] = s_icon{};
}

}  // namespace

int32_t Rangliste_Spieler_Bauen(int32_t modus, int32_t team, std::vector<RangSpieler>& out) {
    out.clear();
    if (modus < 3) return -1;
    std::vector<int32_t> teams(size_t(std::max(Team_Anzahl(), 1)));
    int32_t n = 0;
    if (modus == 12) {
        n = Team_Suche_Alle_Nach_Wert(teams.data());
    } else {
        const int32_t liga = team >= 0 ? Team_Get_Liga(team, 1) : -1;
        if (liga >= 0) {
            teams.resize(std::max<size_t>(teams.size(), WETTBEWERB_TEAMS_MAX * 4));
            n = Wettbewerb_Get_Teams_Hierarchie(liga, teams.data());
        }
    }
    std::vector<RangSpieler> alle;
    for (int32_t i = 0; i < n; ++i) {
        int32_t spieler[TEAM_SPIELER_MAX];
        const int32_t m = Teamspieler_Ins_Array(teams[size_t(i)], spieler, TEAM_SPIELER_MAX, 0);
        for (int32_t k = 0; k < m; ++k) {
            const int32_t wert = modus == 12 ? Spieler_Wert(SPW_MARKTWERT, spieler[k], 0, OP_LESEN)
                                             : Spieler_Get_Spieler_Statistik(Art(modus), spieler[k], 0);
            alle.push_back({spieler[k], teams[size_t(i)], wert});
        }
    }
    std::stable_sort(alle.begin(), alle.end(), [](const RangSpieler& a, const RangSpieler& b) {
        return a.wert != b.wert ? a.wert > b.wert : a.spieler < b.spieler;
    });
    int32_t lokal = -1;
    for (const RangSpieler& r : alle) {
        if (r.wert <= 0 || int32_t(out.size()) >= RANG_SPIELER_MAX) break;
        out.push_back(r);
        if (lokal < 0 && r.team == team) lokal = int32_t(out.size());
    }
    return lokal;
}

void Rangliste_Screen_Oeffnen() {
    if (Menue_Screen_Icon_Ist_Vorhanden(ICON_RANG_LEINWAND)) return;
    if (Team() >= 0 && Manager_Icon_Button_Lesen(Team(), ICON_RANG_KNAUF) == 0)
        Manager_Icon_Button_An_Aus(Team(), ICON_RANG_KNAUF, 149);
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    Liste_Bauen();
    Menue_Screen_Icons_Hinzufuegen(g.liste);
    Modus_Setzen(g.modus);
}

void Rangliste_Screen_Tag() {}

void Rangliste_Modus_Klick(int32_t icon) {
    const int32_t modus = icon - ICON_RANG_MODUS;
    if (modus < 0 || modus >= RANG_MODI) return;
    if (modus == 3 && Netzwerk_Modus() == 1) return;
    Modus_Setzen(modus);
}

int32_t Rangliste_Screen_Modus() { return g.modus; }
int32_t Rangliste_Screen_Versatz() { return g.versatz; }
int32_t Rangliste_Screen_Bereich() { return g.bereich; }
const std::vector<RangSpieler>& Rangliste_Screen_Spieler(int32_t* lokal_rang) {
    if (lokal_rang) *lokal_rang = g.lokal_rang;
    return g.spieler;
}

}  // namespace velmora
