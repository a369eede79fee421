// business/stadion.cpp
#include "business/stadion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "business/bank.h"
#include "club/club_config.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/liste.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr uint32_t SATZ_BYTES = sizeof(Stadion_Satz);
constexpr uint32_t MIT_STATISTIK = sizeof(Stadion_Satz) + sizeof(Stadion_Statistik);   // 2328
constexpr int32_t TALENT_ZUSCHAUERMAGNET = 39;

const Stadion_Satz ERSATZ = {-1, "Unbekanntes Stadion", 20, 20000, 80, 2, 0, 0, 0};

struct StadionModul {
    bool initialisiert = false;
    Listen_Element kopf{};
    int32_t prozent = 100;               // the global attendance percentage
    bool geholt = false;                 // client: the own club's record is present
    const char* modell_name[STADION_MODELLE] = {};
    Stadion_Satz kopie{};                // Stadion_Get's copies
    Stadion_Statistik kopie_statistik{};
};
StadionModul g;

bool Bereit(const char* wer) {
    if (g.initialisiert) return true;
    Debug_Printf("%s: Stadion muß initialisiert werden\n", wer);
    return false;
}

int32_t Modell(int32_t modell, int32_t spalte) {
    return Stadion_Modell_Wert(std::clamp(modell, 0, STADION_MODELLE - 1), spalte);
}

Listen_Element* Element(int32_t team) { return g.initialisiert ? Liste_Find_Key(&g.kopf, team) : nullptr; }

Stadion_Satz* Satz(int32_t team) {
    Listen_Element* e = Element(team);
    return e ? static_cast<Stadion_Satz*>(e->daten) : nullptr;
}

Stadion_Statistik* Statistik(Listen_Element* e) {
    if (!e || Liste_Daten_Groesse(e) != MIT_STATISTIK) return nullptr;
    return reinterpret_cast<Stadion_Statistik*>(static_cast<uint8_t*>(e->daten) + SATZ_BYTES);
}

// The price percentage of the club's competition; 100 without one or below 50.
int32_t Preis_Prozent(int32_t team) {
    const WettbewerbSatz* w = Wettbewerb_Satz(Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN));
    if (!w || w->preis_prozent < 50) return 100;
    return w->preis_prozent;
}

// The row whose middle capacity lies nearest (the first on ties; row 2 when none is nearer than 2,000,000).
int32_t Naechstes_Modell(int32_t kapazitaet) {
    int32_t beste = 2;
    int64_t abstand = 2000000;
    for (int32_t m = 0; m < STADION_MODELLE; ++m) {
        int64_t mitte = (int64_t(Modell(m, MODELL_MIN_KAPAZITAET)) + Modell(m, MODELL_MAX_KAPAZITAET)) / 2;
        int64_t d = std::llabs(mitte - kapazitaet);
        if (d < abstand) {
            abstand = d;
            beste = m;
        }
    }
    return beste;
}

// The place of a club in the ranking as 100 - place x 100 / N within 40..100; false without one.
bool Ranglisten_Wert(int32_t team, int32_t* wert) {
    int32_t n = Rangliste_Anzahl();
    const int32_t platz = Rangliste_Platz(team, 0);
    if (platz < 0 || n <= 0) return false;
    *wert = std::clamp(100 - platz * 100 / n, 40, 100);
    return true;
}

int32_t Magneten(int32_t team) {
    int32_t spieler[TEAM_SPIELER_MAX];
    int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 48);
    int32_t z = 0;
    for (int32_t i = 0; i < n; ++i)
        if (Attribute_Attribut_Aktief(spieler[i], TALENT_ZUSCHAUERMAGNET)) ++z;
    return z;
}

// Competition ids run from 50 to 305; the slot's key byte holds the low 8
// bits, so ids 256-305 read back as 0-49. Id 255 would read as a free slot
// and gets none.
bool Schluessel(int32_t wettbewerb, uint8_t* key) {
    if (wettbewerb < 0 || wettbewerb > 305 || wettbewerb == STADION_FREI) return false;
    *key = uint8_t(wettbewerb);
    return true;
}
int32_t Id_Von(uint8_t key) { return key < 50 ? key + 256 : key; }

// The statistics slot of a competition in a club's block: 0 for the club's
// league, else the slot holding the key, else the first slot whose
// competition no longer exists; -1 when there is none.
int32_t Slot_Von(const Stadion_Statistik& s, int32_t heim, int32_t wettbewerb, bool neu) {
    uint8_t key = 0;
    if (!Schluessel(wettbewerb, &key)) return -1;
    if (wettbewerb == Team_Get_Liga(heim, 1) || wettbewerb == Team_Wert(TW_WETTBEWERB, heim, 0, OP_LESEN)) return 0;
    for (int32_t i = 1; i < STADION_SLOTS; ++i)
        if (s.wettbewerb[i] == key) return i;
    if (!neu) return -1;
    for (int32_t i = 1; i < STADION_SLOTS; ++i)
        if (s.wettbewerb[i] == STADION_FREI || !Wettbewerb_Satz(Id_Von(s.wettbewerb[i]))) return i;
    return -1;
}

void Statistik_Eintragen(Stadion_Statistik& s, const Stadion_Satz& satz, const SpielDatensatz& sp, int32_t zuschauer,
                         int32_t anteil_heim) {
    if (zuschauer <= 0) return;
    int32_t slot = Slot_Von(s, sp.heim, sp.wettbewerb, true);
    if (slot < 0) return;
    if (slot > 0 && s.wettbewerb[slot] != uint8_t(sp.wettbewerb)) {
        // A slot taken over from a finished competition starts afresh.
        s.rekord_einnahme[slot] = 0;
        s.rekord_zuschauer[slot] = 0;
        s.spiele[slot] = s.zuschauer_summe[slot] = s.einnahmen_summe[slot] = 0;
    }
    s.wettbewerb[slot] = uint8_t(sp.wettbewerb);
    const int32_t preis = satz.preis;
    if (slot == 0) {
        int64_t fuellung = satz.kapazitaet > 0 ? int64_t(zuschauer) * 100 / satz.kapazitaet : 0;
        s.fuellung = uint8_t(std::clamp<int64_t>((int64_t(s.fuellung) * s.spiele[0] + fuellung) / (s.spiele[0] + 1), 0, 100));
        if (s.verlauf_anzahl >= uint32_t(STADION_VERLAUF)) {
            for (auto& reihe : s.verlauf) std::memmove(reihe, reihe + 1, sizeof(int32_t) * (STADION_VERLAUF - 1));
            std::memmove(s.verlauf_tag, s.verlauf_tag + 1, sizeof(uint32_t) * (STADION_VERLAUF - 1));
            s.verlauf_anzahl = STADION_VERLAUF - 1;
        }
        uint32_t i = s.verlauf_anzahl++;
        const int32_t werte[5] = {zuschauer, int32_t(std::min<int64_t>(int64_t(zuschauer) * preis, INT32_MAX)), preis,
                                  100, 0};
        for (int32_t k = 0; k < 5; ++k) s.verlauf[k][i] = werte[k];
        s.verlauf_tag[i] = (uint32_t(uint16_t(sp.runde))) | (uint32_t(uint16_t(sp.spieltag)) << 16);
    }
    const int64_t einnahme = int64_t(anteil_heim) * zuschauer * preis / 100;
    s.zuschauer_summe[slot] += uint32_t(zuschauer);
    s.einnahmen_summe[slot] += uint32_t(einnahme);
    const char* gegner = Team_String(TS_NAME_KURZ, sp.gast, 0, 0);
    if (zuschauer >= s.rekord_zuschauer[slot]) {
        s.rekord_zuschauer[slot] = zuschauer;
        s.rekord_tag[slot][0] = Tag_Index();
        std::snprintf(s.gegner[slot][0], sizeof s.gegner[slot][0], "%s", gegner);
        s.tore[slot][0][0] = s.tore[slot][0][1] = STADION_FREI;
    }
    if (float(einnahme) >= s.rekord_einnahme[slot]) {
        s.rekord_einnahme[slot] = float(einnahme);
        s.rekord_tag[slot][1] = Tag_Index();
        std::snprintf(s.gegner[slot][1], sizeof s.gegner[slot][1], "%s", gegner);
        s.tore[slot][1][0] = s.tore[slot][1][1] = STADION_FREI;
    }
    s.spiele[slot] += 1;
}

// A record inserted for `team`, replacing an old one; null when the list refuses.
Listen_Element* Einfuegen(int32_t team, const Stadion_Satz& satz, const Stadion_Statistik* statistik,
                          bool mit_statistik) {
    if (Listen_Element* alt = Element(team)) Liste_Delete_Element(&g.kopf, alt);
    std::vector<uint8_t> daten(mit_statistik ? MIT_STATISTIK : SATZ_BYTES, 0);
    std::memcpy(daten.data(), &satz, SATZ_BYTES);
    if (mit_statistik && statistik) std::memcpy(daten.data() + SATZ_BYTES, statistik, sizeof(Stadion_Statistik));
    return Liste_Insert(&g.kopf, nullptr, daten.data(), uint32_t(daten.size()), team);
}

bool Client_Holen(int32_t team);

// Checks a serialised list before it replaces the records: element sizes,
// keys that match their records, sound values, no club twice.
bool Liste_Pruefen(const uint8_t* in, size_t bytes, const char* wer) {
    if (bytes < 4) return false;
    uint32_t n = Bytes_Get32(in);
    size_t pos = 4;
    std::vector<bool> gesehen(size_t(TEAM_MAX), false);
    for (uint32_t i = 0; i < n; ++i) {
        if (bytes - pos < 8) return false;
        int32_t key = int32_t(Bytes_Get32(in + pos));
        uint32_t groesse = Bytes_Get32(in + pos + 4);
        pos += 8;
        if ((groesse != SATZ_BYTES && groesse != MIT_STATISTIK) || bytes - pos < groesse) return false;
        Stadion_Satz s;
        std::memcpy(&s, in + pos, SATZ_BYTES);
        if (key != s.team || key < 0 || key >= TEAM_MAX || gesehen[size_t(key)] || s.modell < 0 ||
            s.modell >= STADION_MODELLE || s.komfort < 0 || s.komfort > 100 || s.kapazitaet < 0 || s.preis < 0 ||
            s.sitze < 0 || s.stehplaetze < 0 || std::memchr(s.name, 0, sizeof s.name) == nullptr) {
            Debug_Printf("%s: Stadion von Team %d ungueltig\n", wer, key);
            return false;
        }
        gesehen[size_t(key)] = true;
        if (groesse == MIT_STATISTIK) {
            Stadion_Statistik st;
            std::memcpy(&st, in + pos + SATZ_BYTES, sizeof st);
            bool records_ok = true;
            for (int32_t i = 0; i < STADION_SLOTS; ++i)
                records_ok = records_ok && std::isfinite(st.rekord_einnahme[i]) && st.rekord_zuschauer[i] >= 0;
            if (st.verlauf_anzahl > uint32_t(STADION_VERLAUF) || st.fuellung > 100 || !records_ok) {
                Debug_Printf("%s: Statistik von Team %d ungueltig\n", wer, key);
                return false;
            }
        }
        pos += groesse;
    }
    return pos == bytes;
}

// Replaces the records of a checked list block (all, or on a client one club's).
bool Liste_Uebernehmen(const uint8_t* in, size_t bytes) {
    if (!Liste_From_Memory(in, bytes, &g.kopf)) return false;
    for (Listen_Element* e = Liste_First(&g.kopf); e; e = Liste_Next_Element(e))
        static_cast<Stadion_Satz*>(e->daten)->statistik_platz = 0;
    return true;
}

}  // namespace

bool Stadion_Init() {
    Stadion_Free();
    if (!Liste_Anlegen(&g.kopf)) {
        Debug_Printf("Stadion_Init: keine Liste frei\n");
        return false;
    }
    for (int32_t m = 0; m < STADION_MODELLE; ++m) g.modell_name[m] = Text_Get("STADION_SCREEN", m);
    g.prozent = 100;
    g.geholt = false;
    g.initialisiert = true;
    return true;
}

void Stadion_Free() {
    if (g.initialisiert) Liste_Freigeben(&g.kopf);
    g = StadionModul{};
}

bool Stadion_Ist_Initialisiert() { return g.initialisiert; }

const char* Stadion_Modell_Name(int32_t modell) {
    if (modell < 0 || modell >= STADION_MODELLE) {
        Debug_Printf("Stadion_Modell_Name: Modell %d ungueltig\n", modell);
        return "";
    }
    const char* n = g.modell_name[modell] ? g.modell_name[modell] : Text_Get("STADION_SCREEN", modell);
    return n ? n : "";
}

const Stadion_Satz& Stadion_Ersatz() { return ERSATZ; }

Stadion_Satz* Stadion_Get(int32_t team, int32_t zeiger) {
    if (!Bereit("Stadion_Get")) return nullptr;
    if (Club_Ist_Client() && !(team == Club_Client_Team() && g.geholt)) {
        if (!Client_Holen(team)) return nullptr;
        if (team == Club_Client_Team()) g.geholt = true;
    }
    Listen_Element* e = Element(team);
    if (!e) return nullptr;
    auto* satz = static_cast<Stadion_Satz*>(e->daten);
    if (zeiger) return satz;
    g.kopie = *satz;
    if (const Stadion_Statistik* s = Statistik(e)) g.kopie_statistik = *s;
    else g.kopie_statistik = Stadion_Statistik{};
    return &g.kopie;
}

Stadion_Statistik* Stadion_Get_Statistik(int32_t team) {
    if (!Bereit("Stadion_Get_Statistik")) return nullptr;
    return Statistik(Element(team));
}

bool Stadion_Team_Anlegen(int32_t team, const Stadion_Satz* vorlage) {
    if (!Bereit("Stadion_Team_Anlegen")) return false;
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Stadion_Team_Anlegen: Team %d ungueltig\n", team);
        return false;
    }
    if (Club_Ist_Client()) {
        Debug_Printf("Stadion_Team_Anlegen: CLIENT-WRITE!\n");
        return false;
    }
    Stadion_Satz s = vorlage ? *vorlage : Stadion_Satz{};
    s.team = team;
    s.name[sizeof s.name - 1] = 0;
    s.statistik_platz = 0;
    // Rounded down to whole thousands; a stadium without a thousand places gets 20,000.
    s.kapazitaet = s.kapazitaet > 0 ? s.kapazitaet / 1000 * 1000 : 0;
    if (s.kapazitaet == 0) s.kapazitaet = 20000;
    s.modell = Naechstes_Modell(s.kapazitaet);
    s.komfort = std::clamp(Modell(s.modell, MODELL_NORMKOMFORT), 0, 100);
    int32_t staerke = Team_Berechne_Staerke(team, 16);
    if (staerke < 0) {
        s.preis = 20;
    } else {
        int32_t x = staerke + staerke * 120 / 100;
        s.preis = (Regel_Wert(REGEL_STADION_NORMPREIS_LEVEL) + x / 20) * Preis_Prozent(team) / 100 + 1;
    }
    // The template's statistics come along when it is a live record with a block.
    Stadion_Statistik st{};
    const Stadion_Statistik* alt = nullptr;
    if (vorlage) {
        for (Listen_Element* e = Liste_First(&g.kopf); e; e = Liste_Next_Element(e))
            if (e->daten == vorlage) alt = Statistik(e);
    }
    if (alt) st = *alt;
    for (int32_t i = 1; i < STADION_SLOTS; ++i) st.wettbewerb[i] = STADION_FREI;
    for (int32_t i = 0; i < STADION_SLOTS; ++i) st.spiele[i] = 0;
    if (!Einfuegen(team, s, &st, true)) {
        Debug_Printf("Stadion_Team_Anlegen: Team %d nicht eingefuegt\n", team);
        return false;
    }
    return true;
}

int32_t Stadion_Alle_Anlegen() {
    if (!Bereit("Stadion_Alle_Anlegen")) return 0;
    int32_t n = 0;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        const StadionVorgabe* v = Team_Stadion_Vorgabe(t);
        if (!v) continue;
        Stadion_Satz s{};
        std::snprintf(s.name, sizeof s.name, "%s", v->name.c_str());
        s.sitze = std::max(v->sitze, 0);
        s.stehplaetze = std::max(v->stehplaetze, 0);
        s.kapazitaet = s.sitze + s.stehplaetze;
        if (Stadion_Team_Anlegen(t, &s)) ++n;
    }
    return n;
}

int32_t Stadion_Spiel_Einnahmen(int32_t stadion, int32_t spiel, int32_t anteil_heim, int32_t anteil_gast,
                                int32_t probelauf) {
    if (!Bereit("Stadion_Spiel_Einnahmen")) return 0;
    if (Club_Ist_Client()) return 0;
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 1);
    if (!sp || sp->heim < 0 || sp->gast < 0) return 0;
    const int32_t heim = sp->heim, gast = sp->gast;
    Stadion_Satz* v_live = Satz(stadion);
    Stadion_Satz* h_live = Satz(heim);
    const Stadion_Satz& V = v_live ? *v_live : ERSATZ;
    const Stadion_Satz& H = h_live ? *h_live : ERSATZ;
    const int32_t M = std::clamp(V.modell, 0, STADION_MODELLE - 1);

    // The pull of the two clubs and the crowd level of the game's difficulty.
    int64_t P = int64_t(Team_Berechne_Staerke(heim, 16)) + int64_t(Team_Berechne_Staerke(gast, 16)) * 120 / 100 +
                20 * Magneten(heim) + 10 * Magneten(gast);
    int64_t L = int64_t(Regel_Wert(REGEL_STADION_ZUSCHAUER_LEVEL)) * Stadion_Level_Zuschauer_Prozent(Team_Spiel_Level()) / 100;
    int64_t A = P * (L * 125 / 100) + 2000;

    // The table's pull.
    int64_t W = 30;
    int32_t rH = 80, rA = 75;
    if (!Ranglisten_Wert(heim, &rH)) {
        W -= 15;
        rH = 80;
    }
    if (!Ranglisten_Wert(gast, &rA)) {
        W -= 15;
        rA = 75;
    }
    int64_t R = int64_t(rH) * 90 / 100 + (int64_t(rA) * 110 / 100) / 2;
    int64_t B = (R * R / 100) * 466 + 2000;
    int64_t D = (A * (100 - W) + B * W) / 100;

    // The reference price the crowd compares the ticket price with.
    int64_t r = (Regel_Wert(REGEL_STADION_NORMPREIS_LEVEL) + P / 20) * Preis_Prozent(heim) / 100;
    if (rH + rA > 170) r = r * (rH + rA - 70) / 100;
    if (rA < 50 && rH > 70) r = r * (rA + 50) / 100;
    int64_t norm = Modell(M, MODELL_NORMKOMFORT);
    int64_t k = norm > 0 ? std::clamp<int64_t>(int64_t(V.komfort) * 100 / norm, 50, 150) : 100;
    r = r * (k / 4 + 75) / 100;
    r = std::max<int64_t>(r, 1);

    int64_t S = D;
    const int64_t p = H.preis;
    int64_t d = p - r;
    int64_t e = p * 100 / r - 100;
    if (e > 10) {
        S = S * (100 - d * Rnd(11, 13)) / 100;
    } else if (e < -10) {
        d = std::max<int64_t>(d, -5);
        S = (100 - d * Rnd(7, 10)) * S / 100;
    }

    // A crowd beyond the stadium's band stays away.
    int64_t mn = Modell(M, MODELL_MIN_KAPAZITAET), mx = Modell(M, MODELL_MAX_KAPAZITAET);
    int64_t m = mn;
    if (V.komfort > 50) m += (2 * int64_t(V.komfort) - 100) * (mx - mn) / 100;
    if (m > 0 && D > m) {
        int64_t q = (D * 100 / m - 90) / 10;
        int64_t gr = std::clamp<int64_t>(std::min<int64_t>(q * q, 1000) + 100, 100, 300);
        S = S * 100 / gr;
    }

    // The home club's money shows.
    int32_t b = Bank_Kontostand(heim, false, -1);
    int32_t x = b < -500000 ? Rnd(6, 12) : (b > 5000000 ? Rnd(0, 6) : Rnd(0, 10));
    if (S < 300) S = Rnd(250, 350);
    S = S * (x + 75) / 100;
    S = S * g.prozent / 100;
    S = std::clamp<int64_t>(S, 0, std::max(V.kapazitaet, 0));

    const int64_t G = p * S;
    if (!probelauf) {
        if (G != 0 && anteil_gast != 0)
            Bank_Ueberweisung(-1, gast, float(G * anteil_gast / 100), BUCHUNG_EINTRITT, 1, -1);
        if (G != 0 && anteil_heim != 0)
            Bank_Ueberweisung(-1, heim, float(G * anteil_heim / 100), BUCHUNG_EINTRITT, 1, -1);
        if (v_live && v_live == h_live)
            if (Stadion_Statistik* st = Statistik(Element(heim)))
                Statistik_Eintragen(*st, *h_live, *Spiele_Get_Spiel(spiel, 1), int32_t(S), anteil_heim);
    }
    return int32_t(S);
}

void Stadion_Unterhalt_Buchen(int32_t team) {
    if (!Bereit("Stadion_Unterhalt_Buchen")) return;
    if (Club_Ist_Client()) return;   // the server books it
    const Stadion_Satz* s = Satz(team);
    if (!s) return;
    int32_t M = std::clamp(s->modell, 0, STADION_MODELLE - 1);
    int64_t kosten = int64_t(Modell(M, MODELL_GRUNDPREIS)) +
                     int64_t(std::max(s->kapazitaet, 0)) / 1000 * Modell(M, MODELL_PLATZKOSTEN);
    if (kosten > 0) Bank_Ueberweisung(team, -1, float(kosten), BUCHUNG_STADION_UNTERHALT, 1, -1);
    if (g.prozent != 100 && Rnd(0, 30) == 0) g.prozent += g.prozent < 100 ? 1 : -1;
}

void Stadion_Spiel_Eintragen(int32_t spiel) {
    if (!Bereit("Stadion_Spiel_Eintragen")) return;
    const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 1);
    if (!sp || sp->heim < 0 || sp->tore_heim < 0 || sp->tore_gast < 0) return;
    Stadion_Statistik* st = Statistik(Element(sp->heim));
    if (!st) return;
    int32_t slot = Slot_Von(*st, sp->heim, sp->wettbewerb, false);
    if (slot < 0 || st->wettbewerb[slot] != uint8_t(sp->wettbewerb)) return;
    for (auto& paar : st->tore[slot]) {
        if (paar[0] != STADION_FREI) continue;
        paar[0] = uint8_t(sp->tore_heim);
        paar[1] = uint8_t(sp->tore_gast);
    }
}

bool Stadion_Zuschauer_Prozent_Setzen(int32_t wert) {
    if (!Bereit("Stadion_Zuschauer_Prozent_Setzen")) return false;
    if (g.prozent != 100) return false;
    g.prozent = std::clamp(wert, 25, 200);
    return true;
}

int32_t Stadion_Level_Zuschauer_Prozent(int32_t level) {
    static constexpr int32_t LEVEL[5] = {120, 110, 100, 95, 85};
    return LEVEL[std::clamp(level, 0, 4)];
}

int32_t Stadion_Zuschauer_Prozent() { return g.initialisiert ? g.prozent : 100; }

bool Stadion_Get_Plaetze(int32_t team, int32_t* stehplaetze, int32_t* sitze) {
    if (!Bereit("Stadion_Get_Plaetze")) return false;
    const Stadion_Satz* s = Stadion_Get(team, 1);
    if (!s) return false;
    if (stehplaetze) *stehplaetze = s->stehplaetze;
    if (sitze) *sitze = s->sitze;
    return true;
}

int32_t Stadion_Get_Kapazitaet(int32_t team) {
    if (!Bereit("Stadion_Get_Kapazitaet")) return 0;
    const Stadion_Satz* s = Stadion_Get(team, 1);
    return s ? s->kapazitaet : 0;
}

// ---- network ----

namespace {

bool Client_Holen(int32_t team) {
    std::vector<uint8_t> arg, antwort;
    ClubPacker{arg}.i32(team);
    if (!Club_Remote("Stadion_Get", ANFRAGE_STADION_HOLEN, "iC<=0i", arg, antwort)) return false;
    ClubLeser l{antwort.data(), antwort.size()};
    size_t n = 0;
    const uint8_t* block = l.block_mit_laenge(&n);
    int32_t ok = l.i32();
    if (!block || l.fehler || !ok || !Liste_Pruefen(block, n, "Stadion_Get")) return false;
    // The block holds the one club's record: it replaces the local one.
    if (Bytes_Get32(block) != 1 || int32_t(Bytes_Get32(block + 4)) != team) return false;
    uint32_t groesse = Bytes_Get32(block + 8);
    Stadion_Satz s;
    std::memcpy(&s, block + 12, SATZ_BYTES);
    s.statistik_platz = 0;
    Stadion_Statistik st;
    if (groesse == MIT_STATISTIK) std::memcpy(&st, block + 12 + SATZ_BYTES, sizeof st);
    return Einfuegen(team, s, &st, groesse == MIT_STATISTIK) != nullptr;
}

}  // namespace

int64_t Stadion_Umbau_Preis(const Stadion_Satz& alt, int32_t modell, int32_t komfort, int32_t kapazitaet) {
    int64_t preis = 0;
    int32_t basis_komfort = alt.komfort, basis_kapazitaet = alt.kapazitaet;
    if (modell != alt.modell) {
        preis += Modell(modell, MODELL_BAUPREIS);
        basis_komfort = Modell(modell, MODELL_NORMKOMFORT);
        basis_kapazitaet = std::max(alt.kapazitaet, Modell(modell, MODELL_MIN_KAPAZITAET));
    }
    if (komfort > basis_komfort) preis += int64_t(Modell(modell, MODELL_KOMFORT_BAUPREIS)) * (komfort - basis_komfort);
    const int32_t plaetze = kapazitaet / 1000 * 1000 - basis_kapazitaet;
    preis += plaetze > 0 ? int64_t(Modell(modell, MODELL_PLATZ_BAUPREIS)) * plaetze : int64_t(-plaetze) * 50;
    return preis;
}

bool Stadion_Netz_Nachricht(int32_t team, const Stadion_Satz* satz) {
    if (!Bereit("Stadion_Netz_Nachricht")) return false;
    if (!satz || !Club_Ist_Client() || team != Club_Client_Team()) {
        Debug_Printf("Stadion_Netz_Nachricht: nur fuer das eigene Team eines Clients\n");
        return false;
    }
    std::vector<uint8_t> arg, antwort;
    ClubPacker p{arg};
    for (int32_t v : {team, satz->modell, satz->komfort, satz->kapazitaet, satz->preis}) p.i32(v);
    bool ok = Club_Remote("Stadion_Netz_Nachricht", ANFRAGE_STADION_AENDERN, "viiiii", arg, antwort);
    ok = ok && ClubLeser{antwort.data(), antwort.size()}.i32() == 1;   // refused or not paid
    g.geholt = false;
    ok = Client_Holen(team) && ok;
    if (ok) g.geholt = true;
    return ok;
}

void Stadion_Client_Sync() { g.geholt = false; }

bool Stadion_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                            std::vector<uint8_t>& antwort) {
    ClubLeser l{daten, bytes};
    ClubPacker out{antwort};
    int32_t team = l.i32();
    if (l.fehler) return false;
    Listen_Element* e = g.initialisiert ? Element(team) : nullptr;
    switch (anfrage) {
    case ANFRAGE_STADION_HOLEN: {
        // Any club's stadium may be read: the result block holds its one record.
        std::vector<uint8_t> block(4, 0);
        if (e) {
            block.resize(Liste_Memory_Groesse(&g.kopf, team));
            Liste_To_Memory(block.data(), block.size(), &g.kopf, team);
        }
        out.block_mit_laenge(block.data(), block.size());
        out.i32(e ? 1 : 0);
        return true;
    }
    case ANFRAGE_STADION_AENDERN: {
        int32_t modell = l.i32(), komfort = l.i32(), kapazitaet = l.i32(), preis_karte = l.i32();
        if (l.fehler) return false;
        auto* s = e ? static_cast<Stadion_Satz*>(e->daten) : nullptr;
        if (!s || !Club_Ist_Eigenes(team, client_team)) {
            Debug_Printf("Stadion_Server_Anfrage: Team %d gehoert nicht Client-Team %d\n", team, client_team);
            out.i32(0);
            return true;
        }
        // Only the next model may be built; the values must lie where the stadium screen can put them.
        int32_t neu = modell == s->modell + 1 && modell < STADION_MODELLE ? modell : s->modell;
        int32_t hoechst = std::max(s->kapazitaet, Modell(neu, MODELL_MAX_KAPAZITAET));
        if ((modell != s->modell && modell != neu) || komfort < 0 || komfort > 100 || kapazitaet < 0 ||
            kapazitaet > hoechst || preis_karte < 0 || preis_karte > 1000) {
            Debug_Printf("Stadion_Server_Anfrage: Werte von Team %d ungueltig\n", team);
            out.i32(0);
            return true;
        }
        // The server prices the change and books it here: a change the club
        // cannot pay is not made.
        const int64_t preis = Stadion_Umbau_Preis(*s, neu, komfort, kapazitaet);
        if (preis > 0 && !Bank_Ueberweisung(team, -1, float(preis), BUCHUNG_STADIONBAU, 0, -1)) {
            Debug_Printf("Stadion_Server_Anfrage: Umbau von Team %d (%lld) nicht bezahlt\n", team, (long long)preis);
            out.i32(0);
            return true;
        }
        s->modell = neu;
        s->komfort = komfort;
        s->kapazitaet = kapazitaet / 1000 * 1000;
        s->preis = preis_karte;
        out.i32(1);
        return true;
    }
    case ANFRAGE_STADION_PRUEFEN:
        out.i32(e && Club_Ist_Eigenes(team, client_team) ? 1 : 0);
        return true;
    default:
        return false;
    }
}

// ---- save game ----

void Stadion_Save(std::vector<uint8_t>& out) {
    size_t start = out.size();
    size_t n = g.initialisiert ? Liste_Memory_Groesse(&g.kopf, LISTE_ALLE) : 4;
    out.resize(start + 4 + n, 0);
    Bytes_Put32(out.data() + start, uint32_t(g.initialisiert ? g.prozent : 100));
    if (g.initialisiert) Liste_To_Memory(out.data() + start + 4, n, &g.kopf, LISTE_ALLE);
}

bool Stadion_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes < 8) {
        Debug_Printf("Stadion_Load: Block zu kurz\n");
        return false;
    }
    int32_t prozent = int32_t(Bytes_Get32(in));
    if (prozent < 25 || prozent > 200 || !Liste_Pruefen(in + 4, bytes - 4, "Stadion_Load")) {
        Debug_Printf("Stadion_Load: Block beschaedigt\n");
        return false;
    }
    if (!g.initialisiert && !Stadion_Init()) return false;
    if (!Liste_Uebernehmen(in + 4, bytes - 4)) return false;
    g.prozent = prozent;
    g.geholt = false;
    return true;
}

bool Stadion_Spielstart() {
    if (!Stadion_Init()) return false;
    if (!Club_Ist_Client()) Stadion_Alle_Anlegen();
    return true;
}

bool Stadion_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Stadion", 42, Stadion_Save, Stadion_Load, [] { Stadion_Spielstart(); }});
}

}  // namespace velmora
