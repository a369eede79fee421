// business/training_screen.cpp - the squad's training screen.
#include "business/training_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "bilder/portrait.h"
#include "business/bank.h"
#include "business/spieler_info.h"
#include "business/spieler_zeile.h"
#include "business/spielerliste.h"
#include "business/sterne.h"
#include "business/talente_screen.h"
#include "business/training.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/text.h"
#include "gfx/bildnr_spieler.h"
#include "gfx/bildnr_transfer.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/rastport.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "gui/menue_requester.h"

namespace velmora {
namespace {

constexpr const char* TEXTE = "SPIELER_TRAINING_SCREEN";
constexpr int32_t WEISS = 65535, GOLD = 52743, BRAUN = 50055, GRAU = 50744;
constexpr int32_t TEXT_KOPF = 0, TEXT_PUNKTE = 13, TEXT_BRAUCHT = 14, TEXT_TITEL = 16,
                  TEXT_KEIN_TALENT = 19, TEXT_FRAGE = 26, TEXT_BISHER = 27, TEXT_NEU = 28, TEXT_JA = 29,
                  TEXT_NEIN = 30, TEXT_VERLETZT = 25, TEXT_AUSFALL = 32, TEXT_WOCHEN = 33,
                  TEXT_KEINE_EINHEITEN = 39, TEXT_EINHEITEN = 40, TEXT_ART = 41;
constexpr int32_t BILD_TALENT_GROSS = TALENT_BILD_ERSTER[TALENT_44], BILD_TALENT_MITTEL = TALENT_BILD_ERSTER[TALENT_56],
                  BILD_TALENT_ZEILE = TALENT_BILD_ERSTER[TALENT_16];
constexpr int32_t FELD_ERSTES = 0, TORWART_ERSTES = 47, TALENT_LETZTES = 53;
constexpr int8_t PRI_FENSTER = 3, PRI_ZEILE = 5, PRI_KNOPF = 6;

struct TrainingModul {
    TrainingScreenHooks hooks;
    s_icon fenster, start, wahl, zurueck, weiter, talente;
    s_icon zeile[TRAINING_ZEILEN];
    int32_t zeilen_spieler[TRAINING_ZEILEN];
    int32_t spieler = -1;
    Karussell k;
    uint32_t pfeil_zeit = 0;
    bool pfeil_gueltig = false;
    std::string info;   // the info box's text while shown
    TrainingModul() { std::fill(std::begin(zeilen_spieler), std::end(zeilen_spieler), -1); }
};
TrainingModul g;

const char* Text(int32_t n) { return Text_Oder_Leer(TEXTE, n); }
int32_t Team() { return Menue_Lokal().team; }
bool Gueltig(int32_t s) { return s >= 0 && s < Spieler_Anzahl(); }
bool Trainierbar(int32_t s, int32_t t) { return t >= 0 && t <= TALENT_LETZTES && Attribut_Name(s, t) == 1; }
int32_t Erstes(int32_t s) { return Spieler_Get_Art(s) == 0 ? TORWART_ERSTES : FELD_ERSTES; }

// The first trainable talent from `ab` up, -1 none.
int32_t Ab(int32_t s, int32_t ab) {
    for (int32_t t = std::max(ab, 0); t <= TALENT_LETZTES; ++t)
        if (Trainierbar(s, t)) return t;
    return -1;
}

const char* Talent_Name(int32_t id) { return Spieler_Info_Talent_Name(id); }

// The row's info box: the player summary with the talent in training.
const char* Zeilen_Info(s_icon* icon) {
    const int32_t i = icon->nummer - ICON_TRAINING_ZEILE;
    const int32_t p = i >= 0 && i < TRAINING_ZEILEN ? g.zeilen_spieler[i] : -1;
    if (!Gueltig(p)) return nullptr;
    SpielerInfoArt art;
    art.tab = 97;
    art.geld = true;
    g.info = Spieler_Info_Text(p, art);
    return g.info.empty() ? nullptr : g.info.c_str();
}

void Bild(int32_t bild, int32_t x, int32_t y, int32_t breite = -1) { Spieler_Zeile_Bild(bild, x, y, breite); }

void Melden(const std::string& text) {
    Menue_Requester(1, Team(), text.c_str(), nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
}

int32_t Einheiten_Grenze() { return Global_Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0); }

// The talent a unit would train: the one in training, else the carousel's.
int32_t Ziel_Talent() {
    const int32_t lernt = Attribute_Anzahl(g.spieler);
    return lernt >= 0 ? lernt : g.k.akt;
}

// The progress of the talent in training, 0-100.
int32_t Prozent(int32_t s, int32_t t) {
    const int32_t noetig = t == TRAINING_STERNE ? Attribut_Sterne_Grenze() : Attribut_Schwelle(t);
    if (noetig <= 0) return 0;
    return std::clamp(Spieler_Wert(t, s, 0, OP_LESEN) * 100 / noetig, 0, 100);
}

// -- Drawing ------------------------------------------------------------------

void Zeile_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const int32_t i = icon->nummer - ICON_TRAINING_ZEILE;
    const int32_t p = i >= 0 && i < TRAINING_ZEILEN ? g.zeilen_spieler[i] : -1;
    if (!Gueltig(p)) return;
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    const int32_t x = icon->x, y = icon->y;
    if (Spieler_Status(p) & SP_STATUS_NICHT_VERFUEGBAR) Bild(TRANSFER_BILD_GESPERRT, x + 1, y);
    Spieler_Zeile_Malen(p, x, y, Text(TEXT_ART + std::clamp(Spieler_Get_Art(p), 0, 3)), p == g.spieler);
    if (!f9) return;
    int32_t aktiv[3] = {-1, -1, -1};
    const int32_t n = Attribute_Get_Attribute(p, aktiv, 3, 0);
    for (int32_t k = 0; k < n; ++k) Bild(BILD_TALENT_ZEILE + aktiv[k], 296 + 20 * k, y);
    // The talent in training: its badge, its percentage and its bar.
    const int32_t lernt = Attribute_Anzahl(p);
    if (lernt >= 0 && Spieler_Wert(lernt, p, 0, OP_LESEN) > 1) {
        Bild(BILD_TALENT_ZEILE + lernt, 376, y);
        const int32_t pr = std::min(Prozent(p, lernt), 99);
        Text_Printf(ziel, f9, "^c%05d^tr0002%d%s", 426, y + 12, GOLD, pr, "%");
        Bild(TRANSFER_BILD_TR_ZEILENBALKEN, 434, y + 4);
        Bild(TRANSFER_BILD_TR_ZEILENBALKEN + 1, 434, y + 4, pr * 32 / 100);
    }
}

void Fenster_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f9 = Font_Get(9);
    Font* f11 = Font_Get(11);
    if (!f9 || !f11) return;
    // The talent list window shows another player: he becomes the selection.
    if (Spielerliste_Offen()) {
        const int32_t anderer = Spielerliste_Stand().spieler;
        for (int32_t i = 0; i < TRAINING_ZEILEN; ++i)
            if (anderer != g.spieler && g.zeilen_spieler[i] == anderer) Training_Zeile_Klick(i);
    }
    Spieler_Zeile_Titel(Text(TEXT_TITEL), nullptr);
    constexpr int32_t SPALTE[6] = {23, 54, 68, 179, 289, 376};
    for (int32_t k = 0; k < 6; ++k) {
        const char* format = k < 2 ? "^c%05d^tz0000%s" : k == 4 ? "^c%05d^tr0000%s" : "^c%05d%s";
        Text_Printf(ziel, f9, format, SPALTE[k], 107, GRAU, Text(TEXT_KOPF + k));
    }
    // The groups' labels: the starting eleven and the bench.
    Text_Printf(ziel, f9, "^c%05d%s", 14, 129, GOLD, Text_Oder_Leer("TRANSFER_SCREEN", 11));
    Text_Printf(ziel, f9, "^c%05d%s", 14, 337, GOLD, Text_Oder_Leer("TRANSFER_SCREEN", 12));
    const int32_t p = g.spieler;
    if (!Gueltig(p)) return;
    Portrait_Zeichnen(p, Team(), ziel, 512, 102, -1, -1);
    const int32_t art = std::clamp(Spieler_Get_Art(p), 0, 3);
    Bild(SPIELER_ZEILE_HEMD[art], 603, 168);
    Spieler_Zeile_Hemdnummer(603, 180, 8, Spieler_Zeile_Nummer(p));   // on the shirt at 603, 16 wide
    Text_Printf(ziel, f9, "^c%05d%s", 628, 180, SPIELER_ZEILE_ART_FARBE[art], Spielerliste_Position_Name(art));
    char name[96];
    Str_Auf_Breite(Spieler_String(SPS_NAME, p, 0, 0), name, sizeof name, f11, 180);
    Text_Printf(ziel, f11, "^c%05d%s", 603, 125, WEISS, name);
    Text_Printf(ziel, f9, "^c%05d%s  %d", 603, 148, GRAU, Text(TEXT_EINHEITEN),
                std::max(0, Einheiten_Grenze() - Spieler_Wert(SPW_TRAINING_EINHEITEN, p, 0, OP_LESEN)));
    // The carousel: the neighbours faint beside the current talent (the button draws that).
    if (g.k.vor >= 0) Bild(BILD_TALENT_MITTEL + g.k.vor, 568, 264);
    if (g.k.nach >= 0) Bild(BILD_TALENT_MITTEL + g.k.nach, 696, 264);
    if (g.k.akt < 0) {
        Text_Printf(ziel, f9, "^c%05d^tz0001%s", 660, 350, BRAUN, Text(TEXT_KEIN_TALENT));
    } else {
        Text_Printf(ziel, f11, "^c%05d^tz0001%s", 659, 345, WEISS, Talent_Name(g.k.akt));
        const std::string preis = Geld_Text(float(Attribut_Get_Preis(g.k.akt, p)), Team(), -1);
        Text_Printf(ziel, f9, "^c%05d%s ^c%05d%d %s", 560, 366, GOLD, preis.c_str(), GRAU,
                    g.k.akt == TRAINING_STERNE ? Attribut_Sterne_Grenze() : Attribut_Schwelle(g.k.akt), Text(TEXT_PUNKTE));
    }
    // The talent in training (else the current one): badge, points, requirement, price and progress.
    const int32_t t = Ziel_Talent();
    if (t < 0) return;
    Bild(BILD_TALENT_GROSS + t, 518, 429);
    Text_Printf(ziel, f11, "^c%05d%s", 572, 440, WEISS, Talent_Name(t));
    const int32_t punkte = Spieler_Wert(t, p, 0, OP_LESEN);
    Text_Printf(ziel, f9, "^c%05d%d %s   %s %d", 572, 478, GRAU, punkte < 3 ? 0 : punkte, Text(TEXT_PUNKTE),
                Text(TEXT_BRAUCHT), t == TRAINING_STERNE ? Attribut_Sterne_Grenze() : Attribut_Schwelle(t));
    if (Attribute_Anzahl(p) == t) {
        const int32_t pr = Prozent(p, t);
        Bild(TRANSFER_BILD_TR_BALKEN, 592, 452);
        Bild(TRANSFER_BILD_TR_BALKEN + 1, 592, 452, pr < 100 ? pr * 182 / 100 : 182);
    }
}

void Wahl_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (g.k.akt >= 0) Bild(BILD_TALENT_MITTEL + g.k.akt, icon->x + 6, icon->y + 6);
}

void Start_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    if (Font* f = Font_Get(9))
        Text_Printf(Rastport_Target(), f, "^c%05d^tz0080%s", icon->x, icon->y + 21,
                    (icon->Status & ICON_ST_GESPERRT) ? GRAU : WEISS, Text(TEXT_TITEL + 1));
}

// -- Clicks -------------------------------------------------------------------

void Zeile_Ereignis(s_icon* icon, int32_t ereignis) {
    const int32_t i = icon->nummer - ICON_TRAINING_ZEILE;
    const int32_t p = g.zeilen_spieler[i];
    if (!Gueltig(p)) return;
    const ZeilenKlick k = Spieler_Zeile_Klick(ereignis);
    if (k.art == ZeilenKlickArt::RECHTS) {
        if (g.hooks.karte_oeffnen) g.hooks.karte_oeffnen(p, Team(), 0);
        return;
    }
    if (k.art != ZeilenKlickArt::LINKS) return;
    Training_Zeile_Klick(i);
    Spielerliste_Zeilen_Klick(p, Team(), k.x, k.y, 304, 359, true);
}

void Pfeil_Ereignis(s_icon* icon, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Screen_Zurueck();
    else if (ereignis & EV_LINKS)
        Training_Pfeil(icon->nummer == ICON_TRAINING_WEITER || icon->nummer == ICON_TRAINING_WEITER_2);
}
void Wahl_Ereignis(s_icon*, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Screen_Zurueck();
    else if (ereignis & EV_LINKS) Training_Wahl_Klick();
}
void Start_Ereignis(s_icon*, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Screen_Zurueck();
    else if (ereignis & EV_LINKS) Training_Start_Klick();
}
void Talente_Ereignis(s_icon*, int32_t ereignis) {
    if (ereignis & EV_RECHTS) Screen_Zurueck();
    else if ((ereignis & EV_LINKS) && Gueltig(g.spieler)) Talente_Oeffnen(g.spieler, TALENTE_EIGENER);
}

void Wechsel_Ja(const int32_t* werte, const int32_t*) {
    if (!Gueltig(werte[0])) return;
    Spieler_Wert(werte[1], werte[0], 0, OP_SCHREIBEN);
    Spieler_Wert(SPW_TRAININGSGELD, werte[0], 0, OP_SCHREIBEN);
    Karussell_Schritt(werte[0], KARUSSELL_NEU, g.k);
}
void Wechsel_Nein(const int32_t*, const int32_t*) { Debug_Printf("NEIN!\n"); }

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int32_t bild_druck, int8_t pri, IconMainP proc,
            int32_t hilfe) {
    s_icon i = Menue_Icon_Neu(nummer, x, y, bild, 0, pri);
    i.Status = ICON_ST_KEY | ICON_ST_DRUCK;
    i.bild_gedrueckt = bild_druck;
    i.Main_P = proc;
    const char* h = Text_Oder_Leer("ZUSATZTEXTE_HASK", hilfe);
    i.hilfe = h[0] ? h : nullptr;
    return i;
}

void Anlegen() {
    g.fenster = Menue_Icon_Neu(ICON_TRAINING_FENSTER, 3, 86, TRANSFER_BILD_TR_BRETT, ICON_TYP_PASSIV, PRI_FENSTER);
    g.fenster.Status = ICON_ST_KEY;
    g.fenster.zeichnen = Fenster_Zeichnen;
    for (int32_t i = 0; i < TRAINING_ZEILEN; ++i) {
        const int32_t y = i <= 10 ? 136 + 17 * i : 344 + 17 * (i - 11);
        s_icon& r = g.zeile[i];
        r = Menue_Icon_Neu(ICON_TRAINING_ZEILE + i, 9, y, TRANSFER_BILD_ZEILE, ICON_TYP_RECHTSKLICK | ICON_TYP_LEISE, PRI_ZEILE);
        r.Status = ICON_ST_KEY;
        r.bild_an = TRANSFER_BILD_ZEILE_AN;
        r.Main_P = Zeile_Ereignis;
        r.zeichnen = Zeile_Zeichnen;
        r.hilfe_proc = Zeilen_Info;
    }
    g.start = Icon(ICON_TRAINING_START, 593, 506, TRANSFER_BILD_KNOPF, TRANSFER_BILD_KNOPF_DRUCK, PRI_KNOPF, Start_Ereignis, 2);
    g.start.zeichnen = Start_Zeichnen;
    if (!g.hooks.fenster_oeffnen) g.start.Status |= ICON_ST_GESPERRT;
    g.wahl = Icon(ICON_TRAINING_WAHL, 626, 258, TRANSFER_BILD_TR_WAHL, TRANSFER_BILD_TR_WAHL + 1, PRI_KNOPF, Wahl_Ereignis, 3);
    g.wahl.zeichnen = Wahl_Zeichnen;
    g.zurueck = Icon(ICON_TRAINING_ZURUECK, 525, 277, TRANSFER_BILD_SCOUT_ZURUECK, TRANSFER_BILD_SCOUT_ZURUECK + 1,
                     PRI_KNOPF, Pfeil_Ereignis, 11);
    g.weiter = Icon(ICON_TRAINING_WEITER, 758, 277, TRANSFER_BILD_SCOUT_WEITER, TRANSFER_BILD_SCOUT_WEITER + 1,
                    PRI_KNOPF, Pfeil_Ereignis, 11);
    g.talente = Icon(ICON_TRAINING_TALENTE, 486, 185, TRANSFER_BILD_KARTE, -1, PRI_KNOPF, Talente_Ereignis, 1);
}

void Icons_Setzen(bool hinzufuegen) {
    auto setzen = [&](s_icon* i) {
        if (hinzufuegen) Menue_Screen_Icon_Hinzufuegen(i);
        else Menue_Screen_Icon_Loeschen(-1, i);
    };
    setzen(&g.fenster);
    for (s_icon& r : g.zeile) setzen(&r);
    for (s_icon* k : {&g.start, &g.wahl, &g.zurueck, &g.weiter, &g.talente}) setzen(k);
}

void Zeilen_Bilder() {
    for (int32_t i = 0; i < TRAINING_ZEILEN; ++i) {
        const bool an = g.zeilen_spieler[i] >= 0 && g.zeilen_spieler[i] == g.spieler;
        g.zeile[i].bild = an ? TRANSFER_BILD_ZEILE_AN : TRANSFER_BILD_ZEILE;
    }
}

// An open unit's window comes back with the screen: false without one.
bool Unit_Zeigen() {
    const Training_Sitzung* u = Training_Sitzung_Holen();
    if (!u || !g.hooks.fenster_oeffnen) return false;
    g.hooks.fenster_oeffnen(u->spieler, u->talent);
    return true;
}

}  // namespace

void Karussell_Schritt(int32_t s, int32_t modus, Karussell& k) {
    if (!Gueltig(s)) {
        k = Karussell{};
        return;
    }
    const int32_t lernt = Attribute_Anzahl(s);
    if (Attribute_Attribut_Hat_Maximum(s)) {
        // Only the strength stars are left, and only below his highest strength.
        k = Karussell{};
        const bool tiefer = Spieler_Wert(SPW_STERNE, s, 0, OP_LESEN) < Spieler_Wert(SPW_MAX_STERNE, s, 0, OP_LESEN);
        if ((tiefer && lernt != TRAINING_STERNE) ||
            (lernt == TRAINING_STERNE && Spieler_Wert(TRAINING_STERNE, s, 0, OP_LESEN) == 1))
            k.akt = TRAINING_STERNE;
        return;
    }
    const int32_t erstes = Erstes(s);
    if (modus == KARUSSELL_NEU) {
        k = Karussell{};
        const int32_t a = Ab(s, lernt >= 0 ? lernt : 0);
        k.vor = a;
        k.akt = a >= 0 ? Ab(s, a + 1) : -1;
        k.nach = k.akt >= 0 ? Ab(s, k.akt + 1) : -1;
        if (lernt >= 0 && k.vor == lernt) {
            Karussell_Schritt(s, KARUSSELL_ZURUECK, k);
            Karussell_Schritt(s, KARUSSELL_ZURUECK, k);
            Karussell_Schritt(s, KARUSSELL_VOR, k);
        }
    } else if (modus == KARUSSELL_VOR) {
        if (k.nach >= 0) {
            k.vor = k.akt;
            k.akt = k.nach;
            k.nach = Ab(s, k.akt + 1);
            // Past the last one the carousel wraps to the lowest not shown.
            for (int32_t t = erstes; k.nach < 0 && t <= TALENT_LETZTES; ++t)
                if (Trainierbar(s, t) && t != k.vor && t != k.akt) k.nach = t;
        }
    } else if (modus == KARUSSELL_ZURUECK && k.vor >= erstes) {
        int32_t gefunden = -1;
        for (int32_t t = k.vor - 1; t >= erstes && gefunden < 0; --t)
            if (Trainierbar(s, t)) gefunden = t;
        k.nach = k.akt;
        k.akt = k.vor;
        // Before the lowest the carousel wraps to the highest not shown.
        for (int32_t t = TALENT_LETZTES; gefunden < 0 && t >= erstes; --t)
            if (Trainierbar(s, t) && t != k.nach && t != k.akt) gefunden = t;
        k.vor = gefunden;
    }
    if (k.vor >= 0 && k.akt < 0 && k.nach < 0) std::swap(k.vor, k.akt);
    // A talent chosen but never trained is chosen no longer.
    if (lernt >= 0 && Spieler_Wert(lernt, s, 0, OP_LESEN) == 1) Spieler_Wert(lernt, s, 0, OP_SCHREIBEN);
}

TrainingScreenHooks& Training_Screen_Hooks() { return g.hooks; }

void Training_Screen_Oeffnen() {
    Menue_Screen_Bereich_Loeschen(4, 0, 0, 799, 565);
    if (Training_Screen_Offen()) return;
    Anlegen();
    g.pfeil_gueltig = false;
    Icons_Setzen(true);
    Training_Aktualisieren();
    Unit_Zeigen();
}

bool Training_Screen_Offen() { return Menue_Screen_Icon_Ist_Vorhanden(ICON_TRAINING_FENSTER); }

void Training_Aktualisieren() {
    if (!Training_Screen_Offen()) return;
    Spieler_Zeile_Auffrischen();
    const int32_t team = Team();
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = team >= 0 ? Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0) : 0;
    std::stable_sort(liste, liste + n, [](int32_t a, int32_t b) {
        return Spieler_Wert(SPW_SLOT, a, 0, OP_LESEN) < Spieler_Wert(SPW_SLOT, b, 0, OP_LESEN);
    });
    for (int32_t i = 0; i < TRAINING_ZEILEN; ++i) {
        g.zeilen_spieler[i] = i < n ? liste[i] : -1;
        if (i < n) g.zeile[i].Status &= ~ICON_ST_VERSTECKT;
        else g.zeile[i].Status |= ICON_ST_VERSTECKT;
    }
    if (std::find(liste, liste + n, g.spieler) == liste + n) {
        g.spieler = n > 0 ? liste[0] : -1;
        Karussell_Schritt(g.spieler, KARUSSELL_NEU, g.k);
    } else if (!Trainierbar(g.spieler, g.k.akt)) {
        Karussell_Schritt(g.spieler, KARUSSELL_NEU, g.k);
    }
    Zeilen_Bilder();
}

void Training_Zeile_Klick(int32_t zeile) {
    if (zeile < 0 || zeile >= TRAINING_ZEILEN || !Gueltig(g.zeilen_spieler[zeile])) return;
    // The previous player's talent chosen but never trained is chosen no longer.
    const int32_t alt = Gueltig(g.spieler) ? Attribute_Anzahl(g.spieler) : -1;
    if (alt >= 0 && Spieler_Wert(alt, g.spieler, 0, OP_LESEN) == 1) Spieler_Wert(alt, g.spieler, 0, OP_SCHREIBEN);
    g.spieler = g.zeilen_spieler[zeile];
    Karussell_Schritt(g.spieler, KARUSSELL_NEU, g.k);
    Zeilen_Bilder();
}

bool Training_Pfeil(bool weiter) {
    const uint32_t jetzt = Menue_Get_Zeit();
    if (g.pfeil_gueltig && jetzt - g.pfeil_zeit < TRAINING_PFEIL_MS) return false;
    g.pfeil_gueltig = true;
    g.pfeil_zeit = jetzt;
    Karussell_Schritt(g.spieler, weiter ? KARUSSELL_VOR : KARUSSELL_ZURUECK, g.k);
    return true;
}

void Training_Wahl_Klick() {
    const int32_t s = g.spieler, neu = g.k.akt;
    if (!Gueltig(s) || !Trainierbar(s, neu)) return;
    const int32_t alt = Attribute_Anzahl(s);
    if (alt == neu) return;
    if (alt < 0) {
        Spieler_Wert(SPW_TRAININGSGELD, s, 0, OP_SCHREIBEN);
        return;
    }
    char text[REQUESTER_TEXT_MAX + 1];
    std::snprintf(text, sizeof text, "%s %s: %s. %s: %s.", Text(TEXT_FRAGE), Text(TEXT_BISHER), Talent_Name(alt),
                  Text(TEXT_NEU), Talent_Name(neu));
    const int32_t werte[2] = {s, alt};
    Menue_Requester(2, Team(), text, Text(TEXT_JA), Text(TEXT_NEIN), Wechsel_Ja, Wechsel_Nein, 2, werte, 0, nullptr);
}

void Training_Start_Klick() {
    const int32_t s = g.spieler;
    const int32_t t = Ziel_Talent();
    if (!g.hooks.fenster_oeffnen) return;
    // An open unit (of any player) is shown again rather than refused.
    if (Unit_Zeigen()) return;
    if (!Gueltig(s) || t < 0) return;
    if (Spieler_Wert(SPW_TRAINING_EINHEITEN, s, 0, OP_LESEN) >= Einheiten_Grenze()) {
        Melden(Text(TEXT_KEINE_EINHEITEN));
        return;
    }
    if (Spieler_Status(s) & SP_STATUS_VERLETZT) {
        char text[REQUESTER_TEXT_MAX + 1];
        const int32_t wochen = Spieler_Wert(SPW_VERLETZUNG_TAGE, s, 0, OP_LESEN);
        std::snprintf(text, sizeof text, "%s %s %s: %d %s", Spieler_String(SPS_NAME, s, 0, 0), Text(TEXT_VERLETZT),
                      Text(TEXT_AUSFALL), wochen, Text(TEXT_WOCHEN));
        Melden(text);
        return;
    }
    if (Training2_Oeffnen(s, t)) g.hooks.fenster_oeffnen(s, t);
}

TrainingStand Training_Screen_Stand() {
    TrainingStand st;
    st.spieler = g.spieler;
    st.k = g.k;
    std::copy(std::begin(g.zeilen_spieler), std::end(g.zeilen_spieler), st.zeilen);
    return st;
}

void Training_Screen_Auswahl_Zuruecksetzen() {
    g.spieler = -1;
    g.k = Karussell{};
    g.pfeil_gueltig = false;
    g.pfeil_zeit = 0;
}

}  // namespace velmora
