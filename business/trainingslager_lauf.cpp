// business/trainingslager_lauf.cpp - the training camp run.
#include "business/trainingslager_lauf.h"

#include <algorithm>
#include <functional>

#include "business/training_worte.h"
#include "club/club_hooks.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/spielstand.h"

namespace velmora {
namespace {

constexpr uint32_t HALTEN_ERSCHOEPFT_MS = 700;
constexpr uint32_t HALTEN_MS = 1500;

#pragma pack(push, 1)
struct LagerKopf {                      // 24 bytes: the camp and its parameters
    int32_t lager;
    int32_t moral, erholung, staerke;   // M, E, S of the camp
    int32_t teilnehmer;
    uint32_t letzter_tick;
};
#pragma pack(pop)
static_assert(sizeof(LagerKopf) == 24);

struct LagerModul {
    bool laeuft = false;
    bool ergebnisse = false;     // the results list is open
    bool neu_basis = false;      // times are relative to the next frame (after a load)
    uint32_t uhr = 0;            // the clock of the last frame
    LagerKopf k{};
    Lager_Balken b[3]{};
    Lager_Ereignis e[LAGER_EREIGNISSE]{};
    Lager_Teilnehmer t[LAGER_TEILNEHMER]{};
};
LagerModul g;
LagerHooks g_hooks;

void anzeige(int32_t was, int32_t wert = 0) {
    if (g_hooks.anzeige) g_hooks.anzeige(was, wert);
}

// Camp and global parameters enter products of three; they are kept small
// enough that the products fit 32 bits.
int32_t klein(int32_t v) { return std::clamp(v, 0, 1000); }
int32_t param(int32_t p) { return klein(Global_Parameter(p, 0)); }

int32_t prozent(int32_t balken) { return (std::max(g.b[balken].wert, 0) * 100 + 180) / 361; }
bool erschoepft() { return g.b[LB_ERHOLUNG].wert < LAGER_ERSCHOEPFT_UNTER; }

void ereignis_neu(int32_t spieler, int32_t art, int32_t wert) {
    for (Lager_Ereignis& e : g.e) {
        if (e.spieler != -1) continue;
        e = Lager_Ereignis{spieler, art, wert, 0, 0};
        return;
    }
}

// A bar's schedule: the peak, then n further targets sorted descending; the
// hold after reaching step i uses the duration of step i + 1.
void balken_aufstellen(Lager_Balken& b, int32_t spitze, int32_t n, int32_t ziel_von, int32_t lang, int32_t kurz,
                       uint32_t jetzt) {
    int32_t ziele[LAGER_SCHRITTE - 1];
    n = std::clamp(n, 0, LAGER_SCHRITTE - 1);
    for (int32_t i = 0; i < n; ++i) ziele[i] = Rnd(ziel_von, spitze);
    std::sort(ziele, ziele + n, std::greater<int32_t>());
    b.ziel[0] = spitze;
    b.dauer[0] = lang;
    for (int32_t i = 0; i < n; ++i) {
        b.ziel[i + 1] = ziele[i];
        b.dauer[i + 1] = i == 0 ? lang : kurz;
    }
    b.anzahl = n + 1;
    b.start = jetzt;
}

int32_t spitze_kappen(int32_t spitze) { return spitze >= 361 ? Rnd(321, 341) : spitze; }

void balken_starten(uint32_t jetzt) {
    const int32_t M = g.k.moral, E = g.k.erholung, S = g.k.staerke;
    const int32_t BM = param(GP_TRAINING_LAGER_BALKEN_MORAL_PARAM);
    const int32_t BE = param(GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM);
    const int32_t BS = param(GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM);
    for (Lager_Balken& b : g.b) b = Lager_Balken{};

    Lager_Balken& er = g.b[LB_ERHOLUNG];
    int32_t spitze = spitze_kappen(E * 180 / 100 + 180 + Rnd(-20, 20));
    er.wert = Rnd(20, 60) + 180;
    balken_aufstellen(er, spitze, Rnd(3, 9), 40, E * BE * 70, E * BE * 20, jetzt);
    er.zustand = LB_STEIGEN;

    Lager_Balken& mo = g.b[LB_MORAL];
    spitze = spitze_kappen(M * 180 / 100 + 180 + Rnd(-20, 20));
    mo.wert = Rnd(20, 60) + 180;
    balken_aufstellen(mo, spitze, Rnd(3, 9), 100, M * BM * 70, M * BM * 20, jetzt);
    mo.zustand = LB_STEIGEN;

    Lager_Balken& st = g.b[LB_STAERKE];
    spitze = spitze_kappen(S * 270 / 100 + 90 + Rnd(10, 80));
    st.wert = 180;
    balken_aufstellen(st, spitze, Rnd(4, 9), spitze / 4, S * BS * 100, S * BS * 30, jetzt);
    st.index = -1;
    st.zustand = LB_WARTEN;
}

bool verletzt(int32_t spieler) { return (Spieler_Status(spieler) & SP_STATUS_VERLETZT) != 0; }

// The strength work of one tick: as many draws as participants, each less
// likely than the one before.
void staerke_arbeit() {
    int32_t n = g.k.teilnehmer;
    if (n < 1) return;
    int32_t q = std::max((prozent(LB_STAERKE) - 15) * 50, 5);
    if (erschoepft()) q = 2400 - g.b[LB_ERHOLUNG].wert * 20 + q * 8;
    int32_t grenze = (param(GP_TRAINING_LAGER_STAERKE_PARAM) + 1) * 10000;
    for (int32_t i = 0; i < n; ++i) {
        q = Rnd(10, q);
        if (Rnd(0, grenze) > q) continue;
        int32_t p = g.t[Rnd(0, n - 1)].spieler;
        if (verletzt(p)) continue;
        int32_t r = Rnd(0, 100);
        int32_t negativ[ATTRIBUT_MAX_NEGATIV];
        if (Attribute_Get_Attribute(p, negativ, ATTRIBUT_MAX_NEGATIV, 2) > 0 && negativ[0] >= 0 &&
            Attribut_Spieler_Setze_Wert(p, negativ[0], ATTRIBUT_ZURUECKSETZEN)) {
            ereignis_neu(p, LE_NEGATIV_WEG, negativ[0]);
        } else if (r < 85 && Attribute_Anzahl(p) != ATTRIBUT_STERNE) {
            int32_t st = Spieler_Sterne(p);
            if (st < Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN)) {
                Spieler_Wert(SPW_STERNE, p, st + 1, OP_SCHREIBEN);
                ereignis_neu(p, LE_STAERKE, 0);
            }
        } else {
            int32_t mx = Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN);
            if (mx < 12) {
                Spieler_Wert(SPW_MAX_STERNE, p, std::min(mx + 2, 12), OP_SCHREIBEN);
                ereignis_neu(p, LE_MAX_STAERKE, 0);
            }
        }
    }
}

void balken_schritt(int32_t nr, uint32_t jetzt) {
    Lager_Balken& b = g.b[nr];
    const int32_t S = g.k.staerke;
    const bool staerke = nr == LB_STAERKE;
    const int32_t idx = b.index;
    const int32_t T = idx >= 0 && idx < LAGER_SCHRITTE ? b.ziel[idx] : 0;
    const int32_t D = idx >= 0 && idx < LAGER_SCHRITTE ? b.dauer[idx] : 0;
    if (b.index >= b.anzahl) b.zustand = LB_FERTIG;
    switch (b.zustand) {
    case LB_STEIGEN:
        b.wert += staerke ? S / 20 : 4;
        if (b.wert >= T) {
            b.zustand = LB_HALTEN;
            b.start = jetzt;
            if (b.index < LAGER_SCHRITTE - 1) b.index += 1;
        }
        break;
    case LB_WARTEN:
        b.wert += Rnd(-3, 3);
        break;
    case LB_FERTIG:
        b.wert -= Rnd(2, 4);
        if (b.wert <= 0) {
            b.zustand = LB_HALTEN;
            b.start = jetzt;
        }
        break;
    case LB_HALTEN:
        b.wert += Rnd(-3, 3);
        break;
    case LB_SINKEN:
        if (staerke && erschoepft()) {
            // The exhausted squad works harder: the strength bar climbs in bursts.
            int64_t abstand =
                int64_t(100 - (prozent(LB_STAERKE) + prozent(LB_MORAL) + prozent(LB_ERHOLUNG) + S) / 4) * 10;
            if (int64_t(jetzt) - int64_t(b.start) > abstand) {
                int32_t BS = param(GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM);
                b.start = jetzt;
                b.wert += S / 10 + Rnd(BS, 2 * BS) - 11;
            }
        } else {
            b.wert -= Rnd(2, 4);
            if (b.wert <= T) {
                b.zustand = LB_HALTEN;
                b.start = jetzt;
            }
        }
        break;
    default:
        break;
    }
    if (b.zustand == LB_HALTEN && jetzt - b.start > uint32_t(std::max(D, 0))) {
        b.index += 1;
        b.zustand = LB_SINKEN;
        int32_t k = nr == LB_MORAL ? g.k.moral * 4 : (nr == LB_ERHOLUNG ? g.k.erholung * 2 : S * 2);
        b.wert += Rnd(0, k);
    }
    if (staerke && b.index == -1 && (g.b[LB_MORAL].index == 1 || g.b[LB_ERHOLUNG].index == 1)) {
        b.zustand = LB_STEIGEN;
        b.index = 0;
    }
    if (b.wert >= 361)
        b.wert = Rnd(351, 355);
    else if (b.wert < 0)
        b.wert = Rnd(0, 10);
    if (staerke && b.index >= 0) staerke_arbeit();
}

void verletzung_pruefen() {
    if (!erschoepft() || g.k.teilnehmer < 1) return;
    int32_t bereich = std::max(g.b[LB_ERHOLUNG].wert, 1) * 1500 + 2000;
    if (Rnd(0, bereich) >= param(GP_TRAINING_LAGER_VERLETZUNG_PARAM) * 100) return;
    int32_t gesund[LAGER_TEILNEHMER];
    int32_t n = 0;
    for (int32_t i = 0; i < g.k.teilnehmer; ++i)
        if (!verletzt(g.t[i].spieler)) gesund[n++] = g.t[i].spieler;
    if (n == 0) return;
    int32_t p = gesund[Rnd(0, n - 1)];
    if (Spieler_Verletzen(Team_Lokal(), p, 2) >= 0) ereignis_neu(p, LE_VERLETZT, 0);
}

// The end effects on one participant.
void abschluss(int32_t p, int32_t pm, int32_t pr) {
    if (verletzt(p)) {
        int32_t d = Spieler_Wert(SPW_VERLETZUNG_TAGE, p, 0, OP_LESEN) - 1;
        int32_t neu = Rnd(0, 4) != 2 ? (d == 1 ? 0 : d / 2) : (d >= 4 ? d / 2 : 0);
        neu = std::max(neu, 0);
        Spieler_Wert(SPW_VERLETZUNG_TAGE, p, neu, OP_SCHREIBEN);
        if (neu > 0) return;
        Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), OP_LOESCHEN);
    }
    int32_t gain = 0;
    if (pm > Rnd(16, 32)) {
        if (pm < 55) {
            gain = Rnd(0, 100) < 10 ? 1 : 0;
        } else if (pm < 100) {
            int32_t r = Rnd(0, 100);
            if (pm < 70) gain = r < 15 ? 2 : (r < 40 ? 1 : 0);
            else if (pm < 85) gain = r < 25 ? 2 : (r < 60 ? 1 : 0);
            else gain = r < 10 ? 3 : (r < 40 ? 2 : (r < 60 ? 1 : 0));
        }
    }
    int32_t moral = std::min(Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN) + gain, 5);
    Spieler_Wert(SPW_MORAL, p, moral < 1 ? 0 : moral, OP_SCHREIBEN);
    int32_t x = 0;
    if (pr > Rnd(16, 33)) {
        if (pr < 55) {
            x = Rnd(0, 100) < 15 ? -1 : 0;
        } else if (pr < 100) {
            int32_t r = Rnd(0, 100);
            if (pr < 70) x = r < 15 ? -2 : (r < 40 ? -1 : 0);
            else if (pr < 85) x = r < 25 ? -2 : (r < 60 ? -1 : 0);
            else x = r < 10 ? -3 : (r < 40 ? -2 : (r < 60 ? -1 : 0));
        }
    }
    int32_t e = (Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN) / 2 + x) * 2;
    if (e >= 8 && x != 0) e = 9;
    Spieler_Wert(SPW_EINSAETZE, p, e < 1 ? 0 : e, OP_SCHREIBEN);
}

void zeiten_verschieben(LagerModul& m, uint32_t basis, bool plus) {
    auto schieben = [&](uint32_t& t) { t = plus ? t + basis : t - basis; };
    schieben(m.k.letzter_tick);
    for (Lager_Balken& b : m.b) schieben(b.start);
    for (Lager_Ereignis& e : m.e) schieben(e.zeit);
}

}  // namespace

LagerHooks& Lager_Hooks() { return g_hooks; }

bool Lager_Starten(int32_t lager, uint32_t jetzt) {
    if (g.laeuft) {
        Debug_Printf("Lager_Starten: ein Trainingslager laeuft schon\n");
        return false;
    }
    const TrLagerDaten* d = Trainingslager_Daten(lager);
    int32_t team = Team_Lokal();
    if (!d || team < 0) {
        Debug_Printf("Lager_Starten: Lager %d / Team %d ungueltig\n", lager, team);
        return false;
    }
    g = LagerModul{};
    g.uhr = jetzt;
    g.k.lager = lager;
    g.k.moral = klein(d->moral);
    g.k.erholung = klein(d->erholung);
    g.k.staerke = klein(d->staerke);
    g.k.letzter_tick = jetzt;
    balken_starten(jetzt);
    int32_t spieler[LAGER_TEILNEHMER];
    int32_t n = Teamspieler_Ins_Array(team, spieler, LAGER_TEILNEHMER, 0);
    n = std::clamp(n, 0, LAGER_TEILNEHMER);
    std::stable_sort(spieler, spieler + n, [](int32_t a, int32_t b) {
        return Spieler_Wert(SPW_SLOT, a, 0, OP_LESEN) < Spieler_Wert(SPW_SLOT, b, 0, OP_LESEN);
    });
    for (int32_t i = 0; i < n; ++i) {
        int32_t p = spieler[i];
        g.t[i] = Lager_Teilnehmer{p, Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN),
                                  Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN) / 2, Spieler_Sterne(p),
                                  Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN)};
    }
    g.k.teilnehmer = n;
    g.laeuft = true;
    anzeige(LA_START, lager);
    return true;
}

void Lager_Tick(uint32_t jetzt) {
    if (!g.laeuft) return;
    bool fertig = false;
    for (const Lager_Balken& b : g.b) fertig = fertig || b.zustand == LB_FERTIG;
    if (fertig && g.b[LB_ERHOLUNG].wert <= Rnd(0, 10)) {
        anzeige(LA_ENDE_MELDUNG, 10);
        Lager_Beenden();
        return;
    }
    balken_schritt(LB_MORAL, jetzt);
    balken_schritt(LB_ERHOLUNG, jetzt);
    balken_schritt(LB_STAERKE, jetzt);
    verletzung_pruefen();
}

void Lager_Frame(uint32_t jetzt) {
    if (!g.laeuft) return;
    if (g.neu_basis) {
        zeiten_verschieben(g, jetzt, true);
        g.neu_basis = false;
    }
    g.uhr = jetzt;
    Lager_Ereignis_Anzeige(jetzt);
    if (jetzt - g.k.letzter_tick > LAGER_TICK_MS) {
        g.k.letzter_tick = jetzt;
        Lager_Tick(jetzt);
    }
}

bool Lager_Beenden() {
    if (!g.laeuft) {
        Debug_Printf("Lager_Beenden: kein Trainingslager laeuft\n");
        return false;
    }
    int32_t pm = prozent(LB_MORAL), pr = prozent(LB_ERHOLUNG);
    for (int32_t i = 0; i < g.k.teilnehmer; ++i) abschluss(g.t[i].spieler, pm, pr);
    if (Club_Ist_Client()) Club_Client_Refresh_Alle();
    g.laeuft = false;
    g.ergebnisse = true;
    anzeige(LA_ENDE, g.k.lager);
    return true;
}

bool Lager_Laeuft() { return g.laeuft; }
bool Lager_Ergebnisse_Offen() { return g.ergebnisse; }

void Lager_Ergebnisse_Schliessen() {
    if (!g.ergebnisse) return;
    g.ergebnisse = false;
    anzeige(LA_ERGEBNIS_ZU);
}

void Lager_Reset() { g = LagerModul{}; }

int32_t Lager_Nummer() { return g.laeuft || g.ergebnisse ? g.k.lager : -1; }

const Lager_Balken* Lager_Balken_Holen(int32_t balken) {
    if (balken < 0 || balken > 2) {
        Debug_Printf("Lager_Balken_Holen: Balken %d ungueltig\n", balken);
        return nullptr;
    }
    return &g.b[balken];
}

int32_t Lager_Balken_Prozent(int32_t balken) {
    if (balken < 0 || balken > 2) return 0;
    return prozent(balken);
}

bool Lager_Erschoepft() { return g.laeuft && erschoepft(); }

const Lager_Ereignis* Lager_Ereignis_Holen(int32_t slot) {
    if (slot < 0 || slot >= LAGER_EREIGNISSE) return nullptr;
    return &g.e[slot];
}

int32_t Lager_Ereignis_Anzeige(uint32_t jetzt) {
    uint32_t halten = erschoepft() ? HALTEN_ERSCHOEPFT_MS : HALTEN_MS;
    auto alle_zeigen = [&] {
        for (Lager_Ereignis& e : g.e)
            if (e.spieler != -1) e.gezeigt = 1, e.zeit = jetzt;
    };
    for (int32_t i = 0; i < LAGER_EREIGNISSE; ++i) {
        Lager_Ereignis& e = g.e[i];
        if (e.spieler == -1 || !e.gezeigt) continue;
        if (jetzt - e.zeit <= halten) return i;
        e = Lager_Ereignis{-1, 0, 0, 0, 0};
        alle_zeigen();
        break;
    }
    for (int32_t i = 0; i < LAGER_EREIGNISSE; ++i)
        if (g.e[i].spieler != -1 && g.e[i].gezeigt) return i;
    alle_zeigen();
    for (int32_t i = 0; i < LAGER_EREIGNISSE; ++i)
        if (g.e[i].spieler != -1) return i;
    return -1;
}

int32_t Lager_Teilnehmer_Anzahl() { return g.laeuft || g.ergebnisse ? g.k.teilnehmer : 0; }

bool Lager_Ergebnis_Zeile(int32_t zeile, Lager_Ergebnis* out) {
    if (!out || zeile < 0 || zeile >= Lager_Teilnehmer_Anzahl()) return false;
    const Lager_Teilnehmer& t = g.t[zeile];
    int32_t p = t.spieler;
    *out = Lager_Ergebnis{p,
                          t.moral,
                          Spieler_Wert(SPW_MORAL, p, 0, OP_LESEN),
                          t.erschoepfung,
                          Spieler_Wert(SPW_EINSAETZE, p, 0, OP_LESEN) / 2,
                          t.staerke,
                          Spieler_Sterne(p),
                          t.max_staerke,
                          Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN)};
    return true;
}

void Lager_Save(std::vector<uint8_t>& out) {
    uint8_t b[8];
    Bytes_Put32(b, g.laeuft ? 1 : 0);
    Bytes_Put32(b + 4, g.ergebnisse ? 1 : 0);
    out.insert(out.end(), b, b + 8);
    LagerModul kopie = g;
    if (!g.neu_basis) zeiten_verschieben(kopie, g.uhr, false);
    Training_Worte_Schreiben(kopie.k, out);
    for (const Lager_Balken& x : kopie.b) Training_Worte_Schreiben(x, out);
    for (const Lager_Ereignis& x : kopie.e) Training_Worte_Schreiben(x, out);
    for (const Lager_Teilnehmer& x : kopie.t) Training_Worte_Schreiben(x, out);
}

bool Lager_Load(const uint8_t* in, size_t bytes) {
    constexpr size_t GROESSE = 8 + sizeof(LagerKopf) + 3 * sizeof(Lager_Balken) +
                               LAGER_EREIGNISSE * sizeof(Lager_Ereignis) + LAGER_TEILNEHMER * sizeof(Lager_Teilnehmer);
    if (!in || bytes != GROESSE) {
        Debug_Printf("Lager_Load: Block mit %zu Bytes beschaedigt\n", bytes);
        return false;
    }
    LagerModul neu;
    uint32_t laeuft = Bytes_Get32(in), ergebnisse = Bytes_Get32(in + 4);
    size_t pos = 8;
    Training_Worte_Lesen(in, bytes, &pos, &neu.k);
    for (Lager_Balken& x : neu.b) Training_Worte_Lesen(in, bytes, &pos, &x);
    for (Lager_Ereignis& x : neu.e) Training_Worte_Lesen(in, bytes, &pos, &x);
    for (Lager_Teilnehmer& x : neu.t) Training_Worte_Lesen(in, bytes, &pos, &x);
    bool ok = laeuft <= 1 && ergebnisse <= 1 && !(laeuft && ergebnisse);
    if (ok && (laeuft || ergebnisse)) {
        ok = neu.k.lager >= 0 && neu.k.lager < TR_LAGER_MAX && neu.k.teilnehmer >= 0 &&
             neu.k.teilnehmer <= LAGER_TEILNEHMER && klein(neu.k.moral) == neu.k.moral &&
             klein(neu.k.erholung) == neu.k.erholung && klein(neu.k.staerke) == neu.k.staerke;
        for (const Lager_Balken& b : neu.b)
            ok = ok && b.anzahl >= 0 && b.anzahl <= LAGER_SCHRITTE && b.index >= -1 && b.index <= LAGER_SCHRITTE &&
                 (b.zustand == LB_WARTEN || b.zustand == LB_STEIGEN || b.zustand == LB_SINKEN ||
                  b.zustand == LB_HALTEN || b.zustand == LB_FERTIG);
        for (const Lager_Ereignis& e : neu.e)
            ok = ok && e.spieler >= -1 && e.spieler < Spieler_Anzahl() && e.art >= LE_STAERKE && e.art <= LE_VERLETZT;
        for (int32_t i = 0; i < neu.k.teilnehmer; ++i)
            ok = ok && neu.t[i].spieler >= 0 && neu.t[i].spieler < Spieler_Anzahl();
    }
    if (!ok) {
        Debug_Printf("Lager_Load: Trainingslager beschaedigt\n");
        return false;
    }
    if (!laeuft && !ergebnisse) neu = LagerModul{};
    neu.laeuft = laeuft == 1;
    neu.ergebnisse = ergebnisse == 1;
    neu.neu_basis = neu.laeuft;
    g = neu;
    return true;
}

bool Lager_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Trainingslager", 46, Lager_Save, Lager_Load, Lager_Reset});
}

}  // namespace velmora
