// business/bank.cpp - balances, accounts, bookings, money texts and the save block.
#include "business/bank.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "business/bank_intern.h"
#include "business/bank_kredit.h"
#include "business/bank_netz.h"
#include "business/bank_testing.h"
#include "club/club_hooks.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/pruefen.h"
#include "core/spielstand.h"
#include "core/text.h"
#include "core/text_format.h"
#include "season/kalender.h"
#include "season/spiele.h"

namespace velmora {
namespace {

constexpr float WAEHRUNG_FAKTOR[BANK_WAEHRUNGEN] = {100.0f, 182.0f, 20.0f};
constexpr float ANLAGEZINS[7] = {3.5f, 4.0f, 4.5f, 5.0f, 5.5f, 6.0f, 6.5f};
constexpr float KREDITZINS[7] = {8.5f, 8.3f, 8.1f, 8.0f, 7.8f, 7.5f, 7.2f};
constexpr float GUTSCHRIFT_OHNE_BILANZ = 80000000.0f;    // larger credits change the balance only
constexpr float ABBUCHUNG_OHNE_BILANZ = 200000000.0f;    // the same for debits
constexpr int32_t GELD_PUFFER = 8;
constexpr size_t GELD_PUFFER_GROESSE = 30;
constexpr size_t KREDIT_POSTEN_BYTES = 24;

struct BankModul {
    bool initialisiert = false;
    Bank_Global global{};
    float waehrung[BANK_WAEHRUNGEN] = {};
    Listen_Element konten{};          // Bank_Konto, keyed by team
    Listen_Element zweite{};          // stays empty; only sent to clients
    Listen_Element kredite{};         // Bank_Kredit_Posten, keyed by the holding team
    Listen_Element* konto_von[BANK_TEAMS] = {};   // the account element of each team, for O(1) lookup
    const char* waehrungs_name = nullptr;
    char geld[GELD_PUFFER][GELD_PUFFER_GROESSE] = {};
    int32_t geld_index = 0;
    char zahl[ZAHL_TEXT_GROESSE] = {};
    // Every club's money moved since the bank started, by category: [0] debits, [1] credits.
    double gesamt[2][BANK_KATEGORIEN] = {};
};
BankModul g;
BankHooks g_hooks;
BankUeberweisungsFaenger g_faenger = nullptr;

void Konten_Index_Bauen() {
    std::memset(g.konto_von, 0, sizeof g.konto_von);
    for (Listen_Element* e = Liste_First(&g.konten); e; e = Liste_Next_Element(e))
        if (e->schluessel >= 0 && e->schluessel < BANK_TEAMS) g.konto_von[e->schluessel] = e;
}

// A currency index the tables can take, -1 for "none given"; a bad one is logged and taken as none.
int32_t Waehrung_Pruefen(const char* wer, int32_t waehrung) {
    if (waehrung >= -1 && waehrung < BANK_WAEHRUNGEN) return waehrung;
    Debug_Printf("%s: Waehrung %d ungueltig\n", wer, waehrung);
    return -1;
}

float Umrechnen(float betrag, int32_t von, int32_t nach) {
    return betrag * g.waehrung[von] / g.waehrung[nach];
}

bool Ist_Figur(uint8_t kategorie) { return kategorie >= BUCHUNG_SPIEL_HEIM && kategorie <= BUCHUNG_SPIEL_ZUSCHAUER; }

void Gesamt_Zaehlen(int32_t seite, uint8_t kategorie, float betrag) {
    if (!Ist_Figur(kategorie)) g.gesamt[seite][kategorie & 0x7f] += double(betrag);
}

// Category 0 and 255 are mistakes of the caller: its manager hears of it, the booking is made all the same.
void Kategorie_Melden(int32_t team, uint8_t kategorie) {
    if (kategorie != BUCHUNG_KEINE && kategorie != BUCHUNG_NIX) return;
    Debug_Printf(kategorie == BUCHUNG_KEINE ? "Buchung ohne Kategorie\n" : "Buchung hat NIX-Kategorie\n");
    if (Team_Hat_Manager(team))
        Message_An_Manager(0, team, "%s",
                           "Du Schlingel hast bei dieser Bank-\xdc" "berweisung keine KATEGORIE angegeben. "
                           "Die brauchen wir aber f\xfcr die Bilanz ;-)");
}

// The ring step backwards: from slot 0 to slot 699.
uint32_t Zurueck(uint32_t i) { return i == 0 ? BANK_BUCHUNGEN - 1 : i - 1; }

void Neuer_Slot(Bank_Konto* k, float betrag, uint8_t kategorie) {
    Bank_Buchung& b = k->slot[k->schreib_index];
    b.betrag = betrag;
    b.periode = k->periode;
    b.kategorie = kategorie;
    k->schreib_index = (k->schreib_index + 1) % BANK_BUCHUNGEN;
}

bool Betrag_Gueltig(const char* wer, float betrag) {
    if (std::isfinite(betrag)) return true;
    Debug_Printf("%s: Betrag ungueltig\n", wer);
    return false;
}

// The guards of one side of a transfer: the bank runs, the team and the amount
// are sound; a bad currency is taken as none.
bool Buchung_Pruefen(const char* wer, int32_t team, float betrag, int32_t* waehrung) {
    if (!Bank_Intern_Bereit(wer)) return false;
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("%s: Team %d ungueltig\n", wer, team);
        return false;
    }
    if (!Betrag_Gueltig(wer, betrag)) return false;
    *waehrung = Waehrung_Pruefen(wer, *waehrung);
    return true;
}

bool Kontostand_Setzen(const char* wer, int32_t team, float neu) {
    if (!std::isfinite(neu)) {
        Debug_Printf("%s: Kontostand von Team %d liefe ueber\n", wer, team);
        return false;
    }
    g.global.kontostand[team] = neu;
    return true;
}

// The money check of the sanitizer build: a booking moves the sum of all
// balances by its own amount (a credit up, a debit down, a refused one or a
// match figure not at all) and nothing else moves. A float balance rounds the
// booking to half a unit of its last place, which the check allows.
class Geldpruefung {
public:
    explicit Geldpruefung(int32_t team) : team_(team) {
        if (PRUEFUNG_BRICHT_AB) {
            vorher_ = Summe();
            alt_ = g.global.kontostand[team];
        }
    }
    void Bewegt(const char* wer, float betrag) const {
        if (!PRUEFUNG_BRICHT_AB) return;
        const long double bewegt = Summe() - vorher_;
        const long double spielraum = (std::fabs(alt_) + std::fabs(betrag)) * 0x1p-23L + 1e-3L;
        PRUEFEN(std::fabs(bewegt - betrag) <= spielraum,
                "%s: die Summe aller Kontostaende bewegt sich um %.3Lf statt um %.3f (Team %d)\n", wer, bewegt,
                double(betrag), team_);
    }

private:
    static long double Summe() {
        long double s = 0;
        for (float k : g.global.kontostand) s += k;
        return s;
    }
    int32_t team_;
    long double vorher_ = 0;
    float alt_ = 0;
};

}  // namespace

BankHooks& Bank_Hooks() { return g_hooks; }
void Bank_Testing_Faenger_Setzen(BankUeberweisungsFaenger faenger) { g_faenger = faenger; }

// ---- shared with the loan and remote-call files ----

Bank_Global* Bank_Intern_Global() { return g.initialisiert ? &g.global : nullptr; }
Bank_Konto* Bank_Intern_Konto(int32_t team) {
    if (!g.initialisiert || team < 0 || team >= BANK_TEAMS || !g.konto_von[team]) return nullptr;
    return static_cast<Bank_Konto*>(g.konto_von[team]->daten);
}
Listen_Element* Bank_Intern_Kredite() { return g.initialisiert ? &g.kredite : nullptr; }
Listen_Element* Bank_Intern_Zweite_Liste() { return g.initialisiert ? &g.zweite : nullptr; }
float* Bank_Intern_Waehrungen() { return g.waehrung; }

bool Bank_Intern_Bereit(const char* wer) {
    if (g.initialisiert) return true;
    Debug_Printf("%s: Bank muß initialisiert werden\n", wer);
    return false;
}

bool Bank_Intern_Team_Gueltig(int32_t team) { return team >= 0 && team < BANK_TEAMS; }

const char* Bank_Intern_Text(int32_t nummer, const char* ersatz) {
    const char* t = Text_Get("FINANZ_SCREEN", nummer);
    return t ? t : ersatz;
}

void Bank_Intern_News(int32_t team, uint32_t flags, const std::string& text) {
    if (!g_hooks.news) {
        Debug_Printf("Bank: keine Nachrichten, an Team %d nicht gesendet: %s\n", team, text.c_str());
        return;
    }
    g_hooks.news(team, -1, flags, text.c_str());
}

int32_t Bank_Intern_Am_Zug() {
    if (g_hooks.am_zug) return g_hooks.am_zug();
    return Club_Ist_Client() ? Club_Client_Team() : Kalender_Aktives_Team();
}

// ---- life cycle ----

void Bank_Init() {
    std::memset(g.gesamt, 0, sizeof g.gesamt);
    Bank_Exit();
    if (!Liste_Anlegen(&g.konten) || !Liste_Anlegen(&g.zweite) || !Liste_Anlegen(&g.kredite)) {
        Debug_Printf("Bank_Init: Listen nicht angelegt\n");
        Bank_Exit();
        return;
    }
    g.global = Bank_Global{};
    g.global.wert_256 = 256;
    g.global.minus_eins = -1;
    std::memcpy(g.global.anlagezins, ANLAGEZINS, sizeof ANLAGEZINS);
    std::memcpy(g.global.kreditzins, KREDITZINS, sizeof KREDITZINS);
    g.global.zins_hoch = 10.5f;
    g.global.zins_tief = 2.5f;
    g.global.dispozins = 16.5f;
    std::memcpy(g.waehrung, WAEHRUNG_FAKTOR, sizeof WAEHRUNG_FAKTOR);
    std::memset(g.konto_von, 0, sizeof g.konto_von);
    g.initialisiert = true;
    Bank_Zinsen_Schwanken();
    // The currency's name is the finance screen's text 27.
    g.waehrungs_name = Text_Get("FINANZ_SCREEN", 27);
    Bank_Client_Flags_Loeschen();
}

void Bank_Exit() {
    Liste_Freigeben(&g.konten);
    Liste_Freigeben(&g.zweite);
    Liste_Freigeben(&g.kredite);
    std::memset(g.konto_von, 0, sizeof g.konto_von);
    g.initialisiert = false;
}

bool Bank_Ist_Initialisiert() { return g.initialisiert; }

// ---- moving money ----

namespace {

// A credit to a sound team; `*geld` the amount in the balance's currency
// (0 for a match figure, which carries no money).
bool Gutschrift(int32_t team, float betrag, uint8_t kategorie, int32_t waehrung, float* geld) {
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k || betrag >= GUTSCHRIFT_OHNE_BILANZ || betrag <= -GUTSCHRIFT_OHNE_BILANZ) {
        // The match figures carry no money, with or without an account.
        if (Ist_Figur(kategorie)) return true;
        if (waehrung >= 0) betrag = Umrechnen(betrag, waehrung, int32_t(g.global.waehrung));
        *geld = betrag;
        if (!Kontostand_Setzen("Bank_Gutschrift", team, g.global.kontostand[team] + betrag)) return false;
        Gesamt_Zaehlen(1, kategorie, betrag);
        return true;
    }
    if (!Ist_Figur(kategorie)) {
        if (waehrung >= 0) betrag = Umrechnen(betrag, waehrung, int32_t(k->waehrung));
        *geld = betrag;
        Kategorie_Melden(team, kategorie);
        if (!Kontostand_Setzen("Bank_Gutschrift", team, g.global.kontostand[team] + betrag)) return false;
        Gesamt_Zaehlen(1, kategorie, betrag);
        k->summe += betrag;
    }
    // Merge with the newest run of this category in the open period: walk back
    // from the newest slot while the category stays the same.
    const uint32_t w = k->schreib_index;
    Bank_Buchung* ziel = nullptr;
    for (uint32_t i = Zurueck(w); i != w; i = Zurueck(i)) {
        Bank_Buchung& b = k->slot[i];
        if ((b.kategorie & 0x7f) != (kategorie & 0x7f)) break;
        if (b.periode == k->periode) {
            betrag += b.betrag;
            ziel = &b;
            break;
        }
    }
    uint8_t byte = uint8_t(betrag >= 0 ? kategorie | BUCHUNG_EINNAHME : kategorie);
    if (ziel) {
        ziel->betrag = betrag;
        ziel->periode = k->periode;
        ziel->kategorie = byte;
    } else {
        Neuer_Slot(k, betrag, byte);
    }
    return true;
}

// A debit from a sound team; `*geld` the amount in the balance's currency.
bool Abbuchung(int32_t team, float betrag, uint8_t kategorie, int8_t zwingend, int32_t waehrung, float* geld) {
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) {
        if (waehrung >= 0) betrag = Umrechnen(betrag, waehrung, int32_t(g.global.waehrung));
        *geld = betrag;
        if (!Kontostand_Setzen("Bank_Abbuchung", team, g.global.kontostand[team] - betrag)) return false;
        Gesamt_Zaehlen(0, kategorie, betrag);
        return true;
    }
    if (waehrung >= 0) betrag = Umrechnen(betrag, waehrung, int32_t(k->waehrung));
    *geld = betrag;
    Kategorie_Melden(team, kategorie);
    // A club with an account cannot spend what it does not have unless the
    // debit is forced; very large sums are no exception.
    if (g.global.kontostand[team] + k->kreditrahmen < betrag && !zwingend) {
        Debug_Printf("Bank_Abbuchung: Team %d kann %.0f nicht zahlen\n", team, double(betrag));
        if (team == Bank_Intern_Am_Zug()) {
            std::string text = Text_Format(Bank_Intern_Text(25, "Daf\xfcr reicht das Geld nicht: %s"),
                                                     {Geld_Text(betrag, team, -1)});
            Message_An_Manager(0, team, "%s", text.c_str());
        }
        return false;
    }
    if (!Kontostand_Setzen("Bank_Abbuchung", team, g.global.kontostand[team] - betrag)) return false;
    Gesamt_Zaehlen(0, kategorie, betrag);
    if (betrag >= ABBUCHUNG_OHNE_BILANZ || betrag <= -ABBUCHUNG_OHNE_BILANZ) return true;
    k->summe -= betrag;
    // A debit merges with its category's slot of the open period anywhere in the ring.
    const uint32_t w = k->schreib_index;
    for (uint32_t i = Zurueck(w); i != w; i = Zurueck(i)) {
        Bank_Buchung& b = k->slot[i];
        if (b.periode == k->periode && b.kategorie == kategorie) {
            b.betrag += betrag;
            return true;
        }
    }
    Neuer_Slot(k, betrag, kategorie);
    return true;
}

}  // namespace

bool Bank_Gutschrift(int32_t team, float betrag, uint8_t kategorie, int32_t waehrung) {
    if (!Buchung_Pruefen("Bank_Gutschrift", team, betrag, &waehrung)) return false;
    const Geldpruefung pruefung(team);
    float geld = 0;
    const bool ok = Gutschrift(team, betrag, kategorie, waehrung, &geld);
    pruefung.Bewegt("Bank_Gutschrift", ok ? geld : 0.0f);
    return ok;
}

bool Bank_Abbuchung(int32_t team, float betrag, uint8_t kategorie, int8_t zwingend, int32_t waehrung) {
    if (!Buchung_Pruefen("Bank_Abbuchung", team, betrag, &waehrung)) return false;
    const Geldpruefung pruefung(team);
    float geld = 0;
    const bool ok = Abbuchung(team, betrag, kategorie, zwingend, waehrung, &geld);
    pruefung.Bewegt("Bank_Abbuchung", ok ? -geld : 0.0f);
    return ok;
}

bool Bank_Ueberweisung(int32_t von, int32_t an, float betrag, uint8_t kategorie, int8_t zwingend,
                       int32_t waehrung) {
    if (!Bank_Intern_Bereit("Bank_Ueberweisung")) return false;
    if ((von != -1 && !Bank_Intern_Team_Gueltig(von)) || (an != -1 && !Bank_Intern_Team_Gueltig(an))) {
        Debug_Printf("Bank_Ueberweisung: Teams %d/%d ungueltig\n", von, an);
        return false;
    }
    if (!Betrag_Gueltig("Bank_Ueberweisung", betrag)) return false;
    if (Club_Ist_Client()) return Bank_Client_Ueberweisung(von, an, betrag, kategorie, zwingend, waehrung);
    if (betrag == 0) return false;
    if (von != -1 && !Bank_Abbuchung(von, betrag, kategorie, zwingend, waehrung)) return false;
    // The debit is made: a credit that fails now would lose the money.
    if (an != -1)
        PRUEFEN(Bank_Gutschrift(an, betrag, kategorie, waehrung),
                "Bank_Ueberweisung: Gutschrift von %.2f an Team %d nach der Abbuchung abgelehnt\n", double(betrag), an);
    if (g_faenger) g_faenger(von, an, betrag, kategorie);
    return true;
}

// ---- reading ----

double Bank_Gesamt(uint8_t kategorie, bool einnahme) {
    return g.gesamt[einnahme ? 1 : 0][kategorie & 0x7f];
}

int32_t Bank_Kontostand(int32_t team, bool mit_kreditrahmen, int32_t waehrung) {
    if (!Bank_Intern_Bereit("Bank_Kontostand")) return BANK_KONTOSTAND_FEHLT;
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("Bank_Kontostand: Team %d ungueltig\n", team);
        return 0;
    }
    waehrung = Waehrung_Pruefen("Bank_Kontostand", waehrung);
    const Bank_Konto* k = Bank_Intern_Konto(team);
    float v = g.global.kontostand[team];
    if (mit_kreditrahmen && k) v += k->kreditrahmen;
    int32_t von = k ? int32_t(k->waehrung) : int32_t(g.global.waehrung);
    if (waehrung >= 0) v = Umrechnen(v, von, waehrung);
    if (!(v < BANK_ANZEIGE_MAX)) v = BANK_ANZEIGE_MAX;   // also NaN
    if (v < -BANK_ANZEIGE_MAX) v = -BANK_ANZEIGE_MAX;
    return int32_t(v);
}

int32_t Bank_Mittelwert(int32_t team, bool mit_kreditrahmen, int32_t waehrung) {
    int32_t v = Bank_Kontostand(team, mit_kreditrahmen, waehrung);
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) return v;
    int32_t s = k->mittelwert;
    int32_t neu = (s / 100) * 90 + (v / 100) * 10;
    if (std::abs(int64_t(neu) - int64_t(v)) < 1000) neu = v;
    k->mittelwert = neu;
    return neu;
}

void Bank_Mittelwert_Angleichen(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Mittelwert_Angleichen") || !Bank_Intern_Team_Gueltig(team)) return;
    if (Bank_Konto* k = Bank_Intern_Konto(team)) k->mittelwert = Bank_Kontostand(team, false, -1);
}

float Bank_Kategorie_Summe(int32_t team, int32_t periode_versatz, uint8_t code) {
    if (!Bank_Intern_Bereit("Bank_Kategorie_Summe")) return 0;
    if (!Bank_Intern_Konto(team)) return 0;
    if (Club_Ist_Client()) Bank_Client_Buchungen_Holen(team);
    const Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) return 0;
    const uint32_t periode = k->periode + uint32_t(periode_versatz);
    float summe = 0;
    for (const Bank_Buchung& b : k->slot) {
        if (b.betrag == 0) continue;
        if ((code & 0x7f) != 0 && (b.kategorie & 0x7f) != (code & 0x7f)) continue;
        if ((b.kategorie & BUCHUNG_EINNAHME) != (code & BUCHUNG_EINNAHME)) continue;
        if (b.periode != periode) continue;
        summe += std::fabs(b.betrag);
    }
    return summe;
}

bool Bank_Periode_Hat_Buchungen(int32_t team, int32_t periode_versatz) {
    if (!Bank_Intern_Bereit("Bank_Periode_Hat_Buchungen")) return false;
    const Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) return false;
    const uint32_t periode = k->periode + uint32_t(periode_versatz);
    for (const Bank_Buchung& b : k->slot)
        if (b.betrag != 0 && b.periode == periode) return true;
    return false;
}

void Bank_Periode_Buchen(int32_t team, const SpielDatensatz* spiel) {
    if (!Bank_Intern_Bereit("Bank_Periode_Buchen")) return;
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("Bank_Periode_Buchen: Team %d ungueltig\n", team);
        return;
    }
    if (Club_Ist_Client()) {
        Debug_Printf("Bank_Periode_Buchen: nicht auf einem Client\n");
        return;
    }
    Bank_Periode_Schliessen(team);
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) return;
    if (!spiel) {
        Debug_Printf("Bank_Periode_Buchen: Team %d ohne Spiel\n", team);
    } else {
        const int32_t w = int32_t(k->waehrung);
        Bank_Gutschrift(team, float(spiel->heim), BUCHUNG_SPIEL_HEIM, w);
        Bank_Gutschrift(team, float(spiel->gast), BUCHUNG_SPIEL_GAST, w);
        Bank_Gutschrift(team, float(spiel->tore_heim), BUCHUNG_SPIEL_TORE_HEIM, w);
        Bank_Gutschrift(team, float(spiel->tore_gast), BUCHUNG_SPIEL_TORE_GAST, w);
        Bank_Gutschrift(team, float(spiel->zuschauer), BUCHUNG_SPIEL_ZUSCHAUER, w);
    }
    ++k->periode;
}

// ---- accounts ----

bool Bank_Waehrung_Umrechnen(int32_t team, int32_t start_kontostand, int32_t waehrung) {
    if (!Bank_Intern_Bereit("Bank_Waehrung_Umrechnen")) return false;
    if (!Bank_Intern_Team_Gueltig(team) || waehrung < 0 || waehrung >= BANK_WAEHRUNGEN) {
        Debug_Printf("Bank_Waehrung_Umrechnen: Team %d / Waehrung %d ungueltig\n", team, waehrung);
        return false;
    }
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k) {
        Listen_Element* e = Liste_Insert(&g.konten, nullptr, nullptr, sizeof(Bank_Konto), team);
        if (!e) {
            Debug_Printf("Bank_Waehrung_Umrechnen: kein Speicher fuer Team %d\n", team);
            return false;
        }
        g.konto_von[team] = e;
        k = static_cast<Bank_Konto*>(e->daten);
    } else {
        g.global.kontostand[team] = Umrechnen(g.global.kontostand[team], int32_t(k->waehrung), waehrung);
    }
    k->waehrung = uint32_t(waehrung);
    k->kreditrahmen = 0;
    k->periode = 0;
    k->summe = 0;
    k->reserviert = 0;
    if (start_kontostand != -1) g.global.kontostand[team] = float(start_kontostand);
    return true;
}

bool Bank_Konto_Loeschen(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Konto_Loeschen")) return false;
    if (Club_Ist_Client()) {
        Debug_Printf("Bank_Konto_Loeschen: CLIENT-WRITE!\n");
        return false;
    }
    if (!Bank_Intern_Konto(team)) return false;
    Liste_Delete_Element(&g.konten, g.konto_von[team]);
    g.konto_von[team] = nullptr;
    return true;
}

int8_t Bank_Waehrung(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Waehrung")) return 0;
    const Bank_Konto* k = Bank_Intern_Konto(team);
    return int8_t(k ? k->waehrung : g.global.waehrung);
}

bool Bank_Hat_Konto(int32_t team) { return Bank_Intern_Konto(team) != nullptr; }

bool Bank_Konto_Lesen(int32_t team, Bank_Konto* out) {
    const Bank_Konto* k = Bank_Intern_Konto(team);
    if (!k || !out) return false;
    std::memcpy(out, k, sizeof *k);
    return true;
}

const char* Bank_Waehrungs_Name() { return g.initialisiert && g.waehrungs_name ? g.waehrungs_name : ""; }

// ---- texts ----

const char* Zahl_Text(char* out, int32_t wert, uint32_t stil) {
    const int32_t breite = int32_t(stil & 63);
    const bool trenner = !(stil & 64);
    const char* t = Bank_Intern_Text(30, ".");
    const char sep = t[0] ? t[0] : '.';
    char r[ZAHL_TEXT_GROESSE];   // built from the right
    int32_t n = 0, seps = 0;
    uint32_t v = wert < 0 ? 0u - uint32_t(wert) : uint32_t(wert);
    while (v) {
        if (trenner && (n == 3 || n == 7 || n == 11 || n == 15)) {
            r[n++] = sep;
            ++seps;
        }
        r[n++] = char('0' + v % 10);
        v /= 10;
    }
    if (wert < 0) r[n++] = '-';
    // Padding to the width and the separators' room; a zero always shows its digit.
    const int32_t ziel = breite + seps;
    if (wert == 0) r[n++] = '0';
    while (n < ziel) r[n++] = ' ';
    if (trenner && breite > 3)
        for (int32_t extra = (breite - 4) / 3 + 1 - seps; extra > 0; --extra) r[n++] = ' ';
    for (int32_t i = 0; i < n; ++i) g.zahl[i] = r[n - 1 - i];
    g.zahl[n] = 0;
    if (out) std::memcpy(out, g.zahl, size_t(n) + 1);
    return g.zahl;
}

const char* Geld_Text(float betrag, int32_t team, int32_t waehrung) {
    char* puffer = g.geld[g.geld_index];
    g.geld_index = (g.geld_index + 1) % GELD_PUFFER;
    if (!std::isfinite(betrag)) betrag = 0;
    if (waehrung < -1 || waehrung >= BANK_WAEHRUNGEN) {
        Debug_Printf("Geld_Text: Waehrung %d ungueltig\n", waehrung);
        waehrung = -1;
    }
    // The shown amount is converted in double precision, then cut to whole
    // units: in float a price of 90,000,000 came out as 89,999,992.
    double wert = betrag;
    if (waehrung == -1) {
        waehrung = g.initialisiert ? Bank_Waehrung(team) : 0;
        const Bank_Konto* k = Bank_Intern_Konto(team == -1 ? Bank_Intern_Am_Zug() : team);
        if (k) wert = wert * double(g.waehrung[0]) / double(g.waehrung[k->waehrung]);
    }
    const char* vor = "";
    const char* nach = "";
    switch (waehrung) {
    case 0:
        vor = Bank_Intern_Text(28, "");
        nach = Bank_Intern_Text(29, "");
        break;
    case 1: vor = "$ "; break;
    case 2: vor = "\xa3 "; break;
    default: break;
    }
    if (!std::isfinite(wert)) wert = 0;
    wert = std::clamp(std::trunc(wert * (1 + 1e-12)), -double(BANK_ANZEIGE_MAX), double(BANK_ANZEIGE_MAX));
    std::snprintf(puffer, GELD_PUFFER_GROESSE, "%s%s%s", vor, Zahl_Text(nullptr, int32_t(wert), 1), nach);
    return puffer;
}

int32_t Zufall_Bereich(int32_t a, int32_t b) {
    if (b < a) {
        Debug_Printf("Zufall_Bereich: %d bis %d ungueltig\n", a, b);
        return a;
    }
    int64_t spanne = int64_t(b) - int64_t(a) + 1;
    return int32_t(int64_t(a) + int64_t(std::rand()) % spanne);
}

// ---- save game ----

namespace {

// Walks a serialised list (u32 count, then key, size, payload) and checks each
// element with `pruefen`; the list's length in bytes, 0 when it is damaged.
template <typename F>
size_t Liste_Pruefen(const uint8_t* p, size_t bytes, uint32_t groesse, F pruefen) {
    if (bytes < 4) return 0;
    uint32_t anzahl = Bytes_Get32(p);
    size_t pos = 4;
    for (uint32_t i = 0; i < anzahl; ++i) {
        if (bytes - pos < 8) return 0;
        int32_t schluessel = int32_t(Bytes_Get32(p + pos));
        uint32_t n = Bytes_Get32(p + pos + 4);
        if (n != groesse || bytes - pos - 8 < n || !pruefen(schluessel, p + pos + 8)) return 0;
        pos += 8 + n;
    }
    return pos;
}

// No amount the bank keeps reaches this in a game of any length, so a larger
// one in a save is damage, not money. A balance above BANK_KAPPUNG is taxed
// down at every period close, and no period brings 10^16 in prices. An
// account's running total and its booking slots only ever add amounts below
// ABBUCHUNG_OHNE_BILANZ (larger ones change the balance alone): a float stops
// growing once such an amount is less than half its step, which happens
// below 2^53 (about 9 x 10^15). The old bound of 10^10 was within reach of a
// running total after enough seasons.
constexpr float GELD_GRENZE = 1.0e16f;

// Amounts of money: finite and within GELD_GRENZE.
bool Endlich(const float* f, size_t n) {
    for (size_t i = 0; i < n; ++i)
        if (!(std::fabs(f[i]) <= GELD_GRENZE)) return false;   // also NaN
    return true;
}

}  // namespace

void Bank_Save(std::vector<uint8_t>& out) {
    if (!g.initialisiert) return;   // no bank, no block: loading it ends the bank
    Bank_Global global = g.global;
    global.text_zeiger = 0;
    std::memset(global.listenkoepfe, 0, sizeof global.listenkoepfe);
    const uint8_t* gp = reinterpret_cast<const uint8_t*>(&global);
    out.insert(out.end(), gp, gp + sizeof global);
    const uint8_t* wp = reinterpret_cast<const uint8_t*>(g.waehrung);
    out.insert(out.end(), wp, wp + sizeof g.waehrung);
    for (Listen_Element* liste : {&g.konten, &g.kredite}) {
        size_t pos = out.size();
        out.resize(pos + Liste_Memory_Groesse(liste, LISTE_ALLE));
        Liste_To_Memory(out.data() + pos, out.size() - pos, liste, LISTE_ALLE);
    }
}

bool Bank_Load(const uint8_t* in, size_t bytes) {
    if (bytes == 0) {
        Bank_Exit();
        return true;
    }
    constexpr size_t KOPF = sizeof(Bank_Global) + sizeof g.waehrung;
    if (!in || bytes < KOPF) {
        Debug_Printf("Bank_Load: Block zu kurz (%zu Bytes)\n", bytes);
        return false;
    }
    Bank_Global global;
    std::memcpy(&global, in, sizeof global);
    float waehrung[BANK_WAEHRUNGEN];
    std::memcpy(waehrung, in + sizeof global, sizeof waehrung);
    if (global.waehrung >= uint32_t(BANK_WAEHRUNGEN) || !std::isfinite(global.kredit_angebot) ||
        !Endlich(global.kontostand, BANK_TEAMS) || !Endlich(global.anlagezins, 7) || !Endlich(global.kreditzins, 7) ||
        !std::isfinite(global.zins_hoch) || !std::isfinite(global.zins_tief) || !std::isfinite(global.dispozins)) {
        Debug_Printf("Bank_Load: globaler Block beschaedigt\n");
        return false;
    }
    for (float f : waehrung)
        if (!std::isfinite(f) || f <= 0) {
            Debug_Printf("Bank_Load: Waehrungstabelle beschaedigt\n");
            return false;
        }
    bool gesehen[BANK_TEAMS] = {};
    size_t konten_bytes = Liste_Pruefen(in + KOPF, bytes - KOPF, sizeof(Bank_Konto), [&](int32_t t, const uint8_t* d) {
        if (!Bank_Intern_Team_Gueltig(t) || gesehen[t]) return false;
        gesehen[t] = true;
        Bank_Konto k;
        std::memcpy(&k, d, sizeof k);
        if (k.schreib_index >= uint32_t(BANK_BUCHUNGEN) || k.waehrung >= uint32_t(BANK_WAEHRUNGEN) ||
            !Endlich(&k.kreditrahmen, 1) || !Endlich(&k.summe, 1))
            return false;
        for (const Bank_Buchung& b : k.slot)
            if (!Endlich(&b.betrag, 1)) return false;
        return true;
    });
    if (konten_bytes == 0) {
        Debug_Printf("Bank_Load: Kontenliste beschaedigt\n");
        return false;
    }
    const uint8_t* kp = in + KOPF + konten_bytes;
    size_t rest = bytes - KOPF - konten_bytes;
    size_t kredit_bytes = Liste_Pruefen(kp, rest, KREDIT_POSTEN_BYTES, [](int32_t t, const uint8_t* d) {
        Bank_Kredit_Posten p;
        std::memcpy(&p, d, sizeof p);
        const float geld[2] = {p.gesamt, p.betrag};
        // The rate as a loan takes it, a count of periods still to run, a day of the game.
        return Bank_Intern_Team_Gueltig(t) && Endlich(geld, 2) && p.zins >= 0 && p.zins < 1000 && p.perioden >= 0 &&
               p.start_tag >= 0;
    });
    if (kredit_bytes == 0 || kredit_bytes != rest) {
        Debug_Printf("Bank_Load: Kreditliste beschaedigt\n");
        return false;
    }
    // Everything checked: the bank takes the block.
    if (!g.initialisiert) {
        if (!Liste_Anlegen(&g.konten) || !Liste_Anlegen(&g.zweite) || !Liste_Anlegen(&g.kredite)) {
            Debug_Printf("Bank_Load: Listen nicht angelegt\n");
            Bank_Exit();
            return false;
        }
        g.waehrungs_name = Text_Get("FINANZ_SCREEN", 27);
    }
    Liste_Delete_All(&g.konten);
    Liste_Delete_All(&g.kredite);
    std::memset(g.konto_von, 0, sizeof g.konto_von);
    g.global = global;
    g.global.text_zeiger = 0;
    std::memset(g.global.listenkoepfe, 0, sizeof g.global.listenkoepfe);
    std::memcpy(g.waehrung, waehrung, sizeof waehrung);
    g.initialisiert = true;
    if (!Liste_From_Memory(in + KOPF, konten_bytes, &g.konten) || !Liste_From_Memory(kp, kredit_bytes, &g.kredite)) {
        Debug_Printf("Bank_Load: kein Speicher\n");
        Bank_Exit();
        return false;
    }
    Konten_Index_Bauen();
    return true;
}

bool Bank_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Bank", 41, Bank_Save, Bank_Load, Bank_Init});
}

}  // namespace velmora
