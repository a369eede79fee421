// business/scout.cpp - the scout search and the persuasion of a prospect.
#include "business/scout.h"

#include <cstdio>
#include <cstring>

#include "business/bank.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "platform/clock.h"

namespace velmora {
namespace {

constexpr int32_t MARKT_SCOUTS_MAX = 3900;
constexpr int32_t FARBE_HELL = 65535;
constexpr int32_t FARBE_BLAU = 57343;
constexpr int32_t FARBE_ZUSAGE = 50055;
constexpr int32_t FONT_DIALOG = 6;
// The save record: 19 i32, then five lines of 256 text bytes, colour and font.
constexpr size_t SPEICHER_BYTES = 19 * 4 + SCOUT_DIALOG_ZEILEN * (256 + 8);

struct ScoutModul {
    int32_t scout = 0;
    int32_t region = 0;
    int32_t phase = SCOUT_SUCHT;
    int32_t fortschritt = 0;
    int32_t fertig = -1;
    int32_t picks[SCOUT_PICKS];
    int32_t pick_index = 0;
    int32_t kandidat = -1;
    int32_t kandidat_zustand = KANDIDAT_WEG;
    ScoutDialogZeile zeile[SCOUT_DIALOG_ZEILEN];
    int32_t zeilen = 0;
    uint32_t letzter_schritt = 0;     // ms of the last conversation step
    uint32_t letzte_suchzeile = 0;    // ms of the last searching line
    ScoutModul() {
        for (int32_t& p : picks) p = -1;
        for (ScoutDialogZeile& z : zeile) z = ScoutDialogZeile{{0}, -1, -1};
    }
};
ScoutModul g;
ScoutHooks g_hooks;

const char* Text(int32_t nummer) {
    const char* t = Text_Get("SPIELER_SUCHE_SCREEN", nummer);
    if (t) return t;
    // Without the screen-text file the line still says which text it stands for.
    static char ersatz[32];
    std::snprintf(ersatz, sizeof ersatz, "[%d]", nummer);
    return ersatz;
}

int32_t Wert(const int32_t* liste, int32_t lo, int32_t hi) {
    int32_t region = g.region;
    if (region < 0 || region >= REGIONEN) return lo;
    int32_t v = liste[region];
    return v < lo ? lo : v > hi ? hi : v;
}

const ScoutDaten* Daten() { return Scout_Daten(g.scout); }

void Fortschritt_Schritt() {
    if (g.fortschritt < 5) ++g.fortschritt;
    if (g.fortschritt < SCOUT_FORTSCHRITT_MAX) g.fortschritt += g.phase != SCOUT_SUCHT ? 3 : 12;
    if (g.fortschritt > SCOUT_FORTSCHRITT_MAX) g.fortschritt = SCOUT_FORTSCHRITT_MAX;
}

void Zeile_Aus(int32_t von, int32_t bis) { Scout_Dialog_Zeile(Text(Rnd(von, bis)), -1, -1); }

// The lines of a phase, each addition one step of the progress.
void Phasen_Zeilen(int32_t phase) {
    switch (phase) {
    case SCOUT_SUCHT: Zeile_Aus(45, 50); break;
    case 0:
        Zeile_Aus(51, 54);
        Zeile_Aus(55, 57);
        break;
    case 1: Zeile_Aus(58, 64); break;
    case 2: Zeile_Aus(65, 70); break;
    case 3:
        Scout_Dialog_Leeren();
        Zeile_Aus(71, 75);
        break;
    case SCOUT_UEBERREDET: Zeile_Aus(76, 80); break;
    case SCOUT_ABGELEHNT: Zeile_Aus(81, 85); break;
    default: return;
    }
    Fortschritt_Schritt();
}

// Every change of the prospect buttons takes the next pick; only a shown
// prospect is offered the pick it took.
void Kandidat_Setzen(int32_t zustand) {
    int32_t pick = Scout_Naechster_Treffer();
    g.kandidat_zustand = zustand;
    if (zustand == KANDIDAT_GEZEIGT) g.kandidat = pick;
    else if (zustand == KANDIDAT_WEG) g.kandidat = -1;
    if (g_hooks.kandidat) g_hooks.kandidat(zustand, g.kandidat);
}

bool Enthalten(int32_t spieler, int32_t anzahl) {
    for (int32_t i = 0; i < anzahl; ++i)
        if (g.picks[i] == spieler) return true;
    return false;
}

}  // namespace

ScoutHooks& Scout_Hooks() { return g_hooks; }

void Scout_Init() { g = ScoutModul{}; }

void Scout_Suche_Starten() {
    const ScoutDaten* d = Daten();
    if (!d || g.region < 0 || g.region >= REGIONEN) {
        Debug_Printf("Scout_Suche_Starten: Scout %d / Region %d ungueltig\n", g.scout, g.region);
        for (int32_t& p : g.picks) p = -1;
        return;
    }
    int32_t lokal = Team_Lokal();
    int32_t f = Wert(d->staerke_factor, 0, 12);
    int32_t t = lokal >= 0 ? Team_Get_Staerke(lokal) / 20 : 0;
    int32_t ziel = (f + t) / 2;
    if (ziel >= 8) ziel = Rnd(11, 12);
    Debug_Printf("Factor %d\n", ziel);

    int32_t gefunden[20];
    int32_t n = Spieler_Suche_Zufaellig(lokal, g.region, gefunden, 20);
    int32_t anzahl = 0;
    for (int32_t i = 0; i < SCOUT_PICKS; ++i) g.picks[i] = -1;
    for (int32_t i = 0; i < n && i < 20 && anzahl < SCOUT_PICKS; ++i)
        if (gefunden[i] >= 0) g.picks[anzahl++] = gefunden[i];

    int32_t markt = Team_Markt();
    if (anzahl < SCOUT_PICKS && markt >= 0) {
        static int32_t liste[MARKT_SCOUTS_MAX];
        static uint32_t passend[MARKT_SCOUTS_MAX];
        int32_t m = Teamspieler_Ins_Array(markt, liste, MARKT_SCOUTS_MAX, FILTER_NUR_SCOUT);
        int32_t k = 0;
        for (int32_t i = 0; i < m; ++i)
            if (Spieler_Get_Heimat_Wert(liste[i]) == g.region) passend[k++] = uint32_t(liste[i]);
        Misch_U32(passend, k);
        for (int32_t i = 0; i < k && anzahl < SCOUT_PICKS; ++i) {
            int32_t s = int32_t(passend[i]);
            int32_t st = Spieler_Wert(SPW_MAX_STERNE, s, 0, OP_LESEN);
            // A market player the region search also found is not offered twice.
            if (st >= ziel - 4 && st <= ziel + 4 && !Enthalten(s, anzahl)) g.picks[anzahl++] = s;
        }
    }
    // Empty entries are shuffled with the rest: one that comes forward shortens the list.
    Misch_U32(reinterpret_cast<uint32_t*>(g.picks), SCOUT_PICKS);
    for (int32_t p : g.picks)
        if (p >= 0) Debug_Printf("St %d\n", Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN));
}

void Scout_Suche_Schritt(int32_t prozent) {
    const ScoutDaten* d = Daten();
    if (!d) {
        Debug_Printf("Scout_Suche_Schritt: Scout %d ungueltig\n", g.scout);
        return;
    }
    uint32_t jetzt = Plat_Ms();
    if (prozent >= 100) {
        if (g.fertig == 1) return;
        Scout_Dialog_Leeren();
        Zeile_Aus(93, 95);
        if (g.phase > SCOUT_SUCHT) {
            Scout_Dialog_Zeile(Text(96), -1, -1);
            Kandidat_Setzen(KANDIDAT_WEG);
        }
        g.phase = SCOUT_SUCHT;
        g.fertig = 1;
        return;
    }
    if (g.phase > SCOUT_SUCHT && jetzt - g.letzter_schritt < SCOUT_GESPRAECH_MS) return;
    // The start of a search; only the very first step opens the dialogue, so
    // the opening lines stay while the bar still shows 0 percent.
    if (prozent <= 0 && g.fortschritt == 0) {
        Scout_Dialog_Leeren();
        Zeile_Aus(86, 90);
        const Kontinent* k = Kontinent_Daten(g.region);
        char zeile[256];
        std::snprintf(zeile, sizeof zeile, "^c%05d%s %s", FARBE_HELL, Text(39), k ? k->name : "");
        Scout_Dialog_Zeile(zeile, FARBE_HELL, -1);
        g.fortschritt = 1;
        g.letzter_schritt = 0;
        g.letzte_suchzeile = 0;
        g.fertig = -1;
    }
    int32_t kraft = Wert(d->ueberredung, 0, 100);
    if (g.phase >= 0 && g.phase <= 2 && Rnd(0, 1000) < 150 - kraft) {
        Kandidat_Setzen(KANDIDAT_WEG);
        Scout_Dialog_Leeren();
        Scout_Dialog_Zeile(Text(38), -1, -1);
        g.phase = SCOUT_SUCHT;
        return;
    }
    switch (g.phase) {
    case SCOUT_SUCHT: {
        if (g.letzte_suchzeile == 0 || jetzt - g.letzte_suchzeile > SCOUT_SUCHZEILE_MS) {
            g.letzte_suchzeile = jetzt == 0 ? 1 : jetzt;
            Phasen_Zeilen(SCOUT_SUCHT);
        }
        int32_t chance = Wert(d->wahrscheinlichkeit, 0, 100);
        if (Rnd(0, 7000) < chance && Scout_Hat_Treffer()) {
            g.phase = 0;
            g.letzter_schritt = jetzt;
            Kandidat_Setzen(KANDIDAT_GEZEIGT);
            Phasen_Zeilen(0);
        }
        break;
    }
    case 0:
    case 1:
    case 2:
        ++g.phase;
        g.letzter_schritt = jetzt;
        Phasen_Zeilen(g.phase);
        break;
    case 3: {
        int32_t r = Rnd(0, 100);
        Debug_Printf("Ueberredungskraft : %d\n", kraft);
        Debug_Printf("Random : %d\n", r);
        g.letzter_schritt = jetzt;
        if (r >= kraft) {
            g.phase = SCOUT_ABGELEHNT;
            Debug_Printf("Nein, ich komme nicht!\n");
            Phasen_Zeilen(SCOUT_ABGELEHNT);
        } else {
            g.phase = SCOUT_UEBERREDET;
            Kandidat_Setzen(KANDIDAT_UEBERZEUGT);
            Debug_Printf("Ja, ich komme\n");
            Phasen_Zeilen(SCOUT_UEBERREDET);
            Scout_Dialog_Zeile(Text(43), FARBE_ZUSAGE, FONT_DIALOG);
        }
        break;
    }
    case SCOUT_ABGELEHNT:
        g.phase = SCOUT_SUCHT;
        Kandidat_Setzen(KANDIDAT_WEG);
        break;
    default: break;
    }
}

void Scout_Dialog_Zeile(const char* text, int32_t farbe, int32_t font) {
    if (!text) return;
    if (g.zeilen >= SCOUT_DIALOG_ZEILEN) {
        std::memmove(&g.zeile[0], &g.zeile[1], sizeof(ScoutDialogZeile) * (SCOUT_DIALOG_ZEILEN - 1));
        g.zeilen = SCOUT_DIALOG_ZEILEN - 1;
    }
    ScoutDialogZeile& z = g.zeile[g.zeilen++];
    std::snprintf(z.text, sizeof z.text, "%s", text);
    z.farbe = farbe;
    z.font = font;
}

void Scout_Dialog_Leeren() {
    for (ScoutDialogZeile& z : g.zeile) z = ScoutDialogZeile{{0}, -1, -1};
    g.zeilen = 0;
}

int32_t Scout_Dialog_Anzahl() { return g.zeilen; }

const ScoutDialogZeile* Scout_Dialog(int32_t zeile) {
    if (zeile < 0 || zeile >= SCOUT_DIALOG_ZEILEN) {
        Debug_Printf("Scout_Dialog: Zeile %d ungueltig\n", zeile);
        return nullptr;
    }
    return &g.zeile[zeile];
}

int32_t Scout_Dialog_Farbe(int32_t zeile) {
    const ScoutDialogZeile* z = Scout_Dialog(zeile);
    if (!z) return FARBE_HELL;
    if (z->farbe == -1 && z->font == -1) return zeile % 2 == 0 ? FARBE_BLAU : FARBE_HELL;
    return z->farbe;
}

int32_t Scout_Dialog_Font(int32_t zeile) {
    const ScoutDialogZeile* z = Scout_Dialog(zeile);
    if (!z || (z->farbe == -1 && z->font == -1)) return FONT_DIALOG;
    return z->font;
}

int32_t Scout_Naechster_Treffer() {
    if (!Scout_Hat_Treffer()) return -1;
    return g.picks[g.pick_index++];
}

bool Scout_Hat_Treffer() { return g.pick_index >= 0 && g.pick_index < SCOUT_PICKS && g.picks[g.pick_index] != -1; }

int32_t Scout_Bereitschaft(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Scout_Bereitschaft: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    int32_t w = Spieler_Wert(SPW_WERT55, spieler, 0, OP_LESEN);
    return w < 75 ? w + 75 : w;
}

void Scout_Screen_Zuruecksetzen(int32_t scout) {
    if (!Scout_Daten(scout)) Debug_Printf("Scout_Screen_Zuruecksetzen: Scout %d ungueltig\n", scout);
    g.scout = scout;
    g.fortschritt = 0;
    g.phase = SCOUT_SUCHT;
    g.pick_index = 0;
    g.fertig = -1;
    g.kandidat = -1;
    g.kandidat_zustand = KANDIDAT_WEG;
    Scout_Dialog_Leeren();
}

bool Scout_Suche_Beginnen(int32_t scout, int32_t region) {
    if (!Scout_Daten(scout) || region < 0 || region >= REGIONEN) {
        Debug_Printf("Scout_Suche_Beginnen: Scout %d / Region %d ungueltig\n", scout, region);
        return false;
    }
    g.scout = scout;
    g.region = region;
    g.phase = SCOUT_SUCHT;
    g.fortschritt = 0;
    g.fertig = -1;
    g.pick_index = 0;
    g.kandidat = -1;
    g.kandidat_zustand = KANDIDAT_WEG;
    Scout_Dialog_Leeren();
    Scout_Suche_Starten();
    if (g_hooks.sample) g_hooks.sample(3);
    return true;
}

bool Scout_Suche_Bezahlen(int32_t scout, int32_t region) {
    int32_t lokal = Team_Lokal();
    if (!Scout_Daten(scout) || region < 0 || region >= REGIONEN || lokal < 0) {
        Debug_Printf("Scout_Suche_Bezahlen: Scout %d / Region %d / Team %d ungueltig\n", scout, region, lokal);
        return false;
    }
    int64_t kosten = int64_t(Scout_Grundpreis(scout)) + Scout_Gebietspreis(scout, region);
    // A free search (a club of strength 0) needs no booking; the bank refuses amounts of 0.
    if (kosten > 0 && !Bank_Ueberweisung(lokal, -1, float(kosten), BUCHUNG_TRANSFER_AUS, 0, -1)) {
        Debug_Printf("Scout_Suche_Bezahlen: Bank lehnt %lld ab\n", static_cast<long long>(kosten));
        return false;
    }
    Scout_Suche_Beginnen(scout, region);
    if (Club_Ist_Client() && !Team_Internet_Client_Refresh())
        Debug_Printf("Scout_Suche_Bezahlen: Daten nicht neu geholt\n");
    return true;
}

bool Scout_Region_Waehlbar(int32_t region, int32_t tag_index) {
    if (region < 0 || region >= REGIONEN) return false;
    if (region != 14) return true;
    return tag_index > 500 && ((tag_index - 125) / 30) % 6 == 0;
}

void Scout_Wegschicken() {
    if (g.kandidat_zustand == KANDIDAT_WEG) return;
    g.phase = SCOUT_SUCHT;
    Scout_Dialog_Leeren();
    Kandidat_Setzen(KANDIDAT_WEG);
}

bool Scout_Verpflichten() {
    int32_t lokal = Team_Lokal();
    int32_t p = g.kandidat;
    if (g.kandidat_zustand != KANDIDAT_UEBERZEUGT || p < 0 || lokal < 0) {
        Debug_Printf("Scout_Verpflichten: kein ueberzeugter Spieler (Zustand %d)\n", g.kandidat_zustand);
        return false;
    }
    Team_Wert(TW_SCOUT_SPIELER, lokal, p, OP_SCHREIBEN);
    Team_Wert(TW_SCOUT, lokal, g.scout, OP_SCHREIBEN);
    Spieler_Wert(SPW_WERT55, p, Scout_Bereitschaft(p), OP_SCHREIBEN);
    Scout_Dialog_Leeren();
    g.phase = SCOUT_SUCHT;
    g.fortschritt = 0;
    g.kandidat = -1;
    g.kandidat_zustand = KANDIDAT_WEG;
    return true;
}

int32_t Scout_Aktuell() { return g.scout; }
int32_t Scout_Region() { return g.region; }
int32_t Scout_Phase() { return g.phase; }
int32_t Scout_Fortschritt() { return g.fortschritt; }
int32_t Scout_Prozent() {
    int32_t p = (g.fortschritt * 200 + SCOUT_FORTSCHRITT_MAX) / (2 * SCOUT_FORTSCHRITT_MAX);
    return p > 100 ? 100 : p;
}
int32_t Scout_Fertig() { return g.fertig; }
bool Scout_Suche_Laeuft() { return g.region >= 0 && g.fortschritt > 0 && g.fertig == -1; }
int32_t Scout_Pick(int32_t i) { return i >= 0 && i < SCOUT_PICKS ? g.picks[i] : -1; }
int32_t Scout_Pick_Index() { return g.pick_index; }
int32_t Scout_Kandidat_Spieler() { return g.kandidat; }
int32_t Scout_Kandidat_Zustand() { return g.kandidat_zustand; }

void Scout_Save(std::vector<uint8_t>& out) {
    ClubPacker pk{out};
    for (int32_t v : {g.scout, g.region, g.phase, g.fortschritt, g.fertig}) pk.i32(v);
    for (int32_t p : g.picks) pk.i32(p);
    for (int32_t v : {g.pick_index, g.kandidat, g.kandidat_zustand, g.zeilen}) pk.i32(v);
    for (const ScoutDialogZeile& z : g.zeile) {
        pk.block(z.text, sizeof z.text);
        pk.i32(z.farbe);
        pk.i32(z.font);
    }
}

bool Scout_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes != SPEICHER_BYTES) {
        Debug_Printf("Scout_Load: Block hat %zu statt %zu Bytes\n", bytes, SPEICHER_BYTES);
        return false;
    }
    ScoutModul n;
    ClubLeser l{in, bytes};
    for (int32_t* f : {&n.scout, &n.region, &n.phase, &n.fortschritt, &n.fertig}) *f = l.i32();
    bool ok = n.scout >= 0 && n.scout < SCOUT_MAX && n.region >= -1 && n.region < REGIONEN &&
              n.phase >= SCOUT_SUCHT && n.phase <= SCOUT_ABGELEHNT && n.fortschritt >= 0 &&
              n.fortschritt <= SCOUT_FORTSCHRITT_MAX && (n.fertig == -1 || n.fertig == 1);
    for (int32_t& p : n.picks) {
        p = l.i32();
        ok = ok && p >= -1 && p < SPIELER_MAX;
    }
    for (int32_t* f : {&n.pick_index, &n.kandidat, &n.kandidat_zustand, &n.zeilen}) *f = l.i32();
    ok = ok && n.pick_index >= 0 && n.pick_index <= SCOUT_PICKS && n.kandidat >= -1 && n.kandidat < SPIELER_MAX &&
         n.kandidat_zustand >= KANDIDAT_WEG && n.kandidat_zustand <= KANDIDAT_UEBERZEUGT && n.zeilen >= 0 &&
         n.zeilen <= SCOUT_DIALOG_ZEILEN;
    for (ScoutDialogZeile& z : n.zeile) {
        l.block(z.text, sizeof z.text);
        ok = ok && std::memchr(z.text, 0, sizeof z.text) != nullptr;
        z.farbe = l.i32();
        z.font = l.i32();
    }
    if (!ok || l.fehler) {
        Debug_Printf("Scout_Load: Block beschaedigt\n");
        return false;
    }
    g = n;   // the program clock starts anew: both timers from 0
    return true;
}

bool Scout_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Scout", 47, Scout_Save, Scout_Load, Scout_Init});
}

}  // namespace velmora
