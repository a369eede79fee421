// business/ereignis_trigger.cpp - when random events happen and what they do.
#include "business/ereignis_trigger.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/ereignis.h"
#include "business/news.h"
#include "business/stadion.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/text_format.h"
#include "net/richter.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t KADER_MAX = 20;

struct TriggerModul {
    int32_t gewerkschaft = -1;   // the union value
};
TriggerModul g;

int32_t kader(int32_t team, int32_t* out) { return Teamspieler_Ins_Array(team, out, KADER_MAX, 0); }

const char* name(int32_t spieler) { return Spieler_String(SPS_NAME, spieler, 0, 0); }
const char* geld(int32_t betrag, int32_t team) { return Geld_Text(float(betrag), team, -1); }

void gutschrift(int32_t team, int32_t betrag) {
    if (betrag > 0) Bank_Ueberweisung(-1, team, float(betrag), BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
}
void abbuchung(int32_t team, int32_t betrag) {
    if (betrag > 0) Bank_Ueberweisung(team, -1, float(betrag), BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
}

// Sends the event text as a message (kopf null) or a request.
void senden(int32_t team, const int32_t* kopf, const char* format, std::initializer_list<TextArg> args) {
    const std::string text = Text_Format(format, args);
    News_Add_Block(-1, team, -1, kopf ? int32_t(NEWS_ANFRAGE) : int32_t(NEWS_NACHRICHT | NEWS_ALLGEMEIN), kopf,
                   text.c_str());
}

void anfrage(int32_t art, int32_t team, int32_t w2, int32_t frist, const Ereignis_Ansicht& e, int32_t w5, int32_t preis,
             std::initializer_list<TextArg> args) {
    int32_t kopf[10] = {art, team, w2, Tag_Index() + frist, e.kategorie, w5, e.nummer, preis, e.sound, -1};
    senden(team, kopf, e.text, args);
}

// Morale by p %: m + m x p / 100, clamped to 0..6.
void moral(int32_t spieler, int32_t p) {
    int32_t m = Spieler_Wert(SPW_MORAL, spieler, 0, OP_LESEN);
    int32_t neu = m + m * p / 100;
    Spieler_Wert(SPW_MORAL, spieler, neu < 0 ? 0 : neu > 6 ? 6 : neu, OP_SCHREIBEN);
}
void team_moral(int32_t team, int32_t p) {
    int32_t s[KADER_MAX];
    for (int32_t i = 0, n = kader(team, s); i < n; ++i) moral(s[i], p);
}

int32_t durchschnitt(const int32_t* s, int32_t n) {
    if (n <= 0) return 0;
    int32_t summe = 0;
    for (int32_t i = 0; i < n; ++i) summe += Spieler_Sterne(s[i]);
    return summe / n;
}

int32_t betrag_80_120(int32_t wert1) { return std::abs(wert1 * (80 + 10 * Rnd(0, 4)) / 100); }
int32_t prozent_50_100(int32_t wert2) { return std::abs(wert2 * (50 + 10 * Rnd(0, 5)) / 100); }

bool hat(const int32_t* liste, int32_t n, int32_t t) {
    for (int32_t i = 0; i < n; ++i)
        if (liste[i] == t) return true;
    return false;
}

// The stadium effect shared by the riot and the stadium check.
void stadion_schaden(int32_t team, const Ereignis_Ansicht& e) {
    Stadion_Satz* s = Stadion_Get(team, 1);   // the live record: the comfort drop must last
    if (!s) return;
    if (e.wert2) {
        int32_t k = s->komfort - Rnd(e.wert2 - 5, e.wert2 + 5);
        s->komfort = k < 0 ? 0 : k > 100 ? 100 : k;
    }
    if (e.wert1) abbuchung(team, e.wert1);
    if (e.wert2 && !e.wert1) senden(team, nullptr, e.text, {s->komfort});
    else senden(team, nullptr, e.text, {geld(e.wert1, team)});
}

void alle_manager(const char* format, std::initializer_list<TextArg> args) { senden(-1, nullptr, format, args); }

// The prerequisites are followed down first. The configuration may chain
// them in a circle; a chain longer than there are talents is one, and such a
// talent is not learnable (instead of following the circle for ever).
int32_t Talent_Erlernbar(int32_t spieler, int32_t talent, int32_t tiefe) {
    if (tiefe > ATTRIBUT_ANZAHL) {
        Debug_Printf("Ereignis_Talent_Erlernbar: Voraussetzungen von Talent %d im Kreis\n", talent);
        return 0;
    }
    int32_t vor[3];
    int32_t n = Attribut_Zaehle(talent, vor);
    for (int32_t i = 0; i < 3 && n > 0; ++i)
        if (vor[i] >= 0 && vor[i] != talent && !Talent_Erlernbar(spieler, vor[i], tiefe + 1)) return 0;
    if (Attribute_Hat_Attribut(spieler, talent)) return 1;
    if (Spieler_Wert(talent, spieler, 0, OP_LESEN) != 0) return 1;   // begun or blocked: leave it
    return Spieler_Wert(talent, spieler, 3, OP_SCHREIBEN) == 3 ? 1 : 0;
}

}  // namespace

int32_t Ereignis_Talent_Erlernbar(int32_t spieler, int32_t talent) { return Talent_Erlernbar(spieler, talent, 0); }

void Ereignis_Spiel_Serie(int32_t team, int32_t siege, int32_t niederlagen) {
    if (Rnd(0, 3) != 2) return;
    if (siege != 0 && siege % 5 == 0) {
        if (const Ereignis_Ansicht* e = Ereignis_Zufall(EK_SERIEN_SIEGE)) {
            int32_t b = e->wert1 * (80 + 10 * Rnd(0, 4)) / 100;
            senden(team, nullptr, e->text, {geld(b, team)});
            gutschrift(team, b);
        }
    }
    if (niederlagen != 0 && niederlagen % 5 == 0) {
        if (const Ereignis_Ansicht* e = Ereignis_Zufall(EK_SERIEN_NIEDERLAGEN)) {
            int32_t b = e->wert1 * (80 + 10 * Rnd(0, 4)) / 100;
            senden(team, nullptr, e->text, {geld(b, team)});
            abbuchung(team, b);
        }
    }
    if (Rnd(0, 5) != 3 || (siege < 3 && niederlagen < 3)) return;
    int32_t s[KADER_MAX];
    int32_t n = kader(team, s);
    if (n == 0) return;
    if (niederlagen < 3) {
        const Ereignis_Ansicht* e = Ereignis_Zufall(EK_TALENT_ERLERNBAR);
        int32_t t = 34 + Rnd(0, 5), p = s[Rnd(0, n - 1)];
        if (e && !Attribute_Hat_Attribut(p, t) && Spieler_Wert(t, p, 0, OP_LESEN) == 0 &&
            Ereignis_Talent_Erlernbar(p, t))
            senden(team, nullptr, e->text, {name(p)});
    } else {
        const Ereignis_Ansicht* e = Ereignis_Zufall(EK_TALENT_NICHT_ERLERNBAR);
        int32_t t = Rnd(20, 39), p = s[Rnd(0, n - 1)];
        if (e && Attribut_Erlernbar_2(p, t) && Spieler_Wert(t, p, 2, OP_SCHREIBEN) == 2) {
            const AttributDaten* d = Attribut_Daten(t);
            senden(team, nullptr, e->text, {d ? d->name : "", name(p)});
        }
    }
}

void Ereignis_Stadion_Pruefen(int32_t team) {
    int32_t r = Rnd(0, 100);
    if (r != 0 && r != 50 && r != 100) return;
    Stadion_Satz* s = Stadion_Get(team, 0);
    if (!s || s->komfort < 21 || s->modell < Rnd(0, 5)) return;
    if (const Ereignis_Ansicht* e = Ereignis_Zufall(EK_STADIONALTER)) stadion_schaden(team, *e);
}

void Ereignis_Spiel_Nachher(int32_t team, int32_t zweiter, int32_t tore_heim, int32_t tore_gast) {
    int32_t s[KADER_MAX];
    int32_t n = kader(team, s);
    if (n > 0) {
        // 1. a negative talent could be cured
        if (Rnd(0, 20) == 0) {
            int32_t kandidaten[KADER_MAX], k = 0;
            for (int32_t i = 0; i < n; ++i) {
                int32_t l[3];
                if (Attribute_Get_Attribute(s[i], l, 3, 2) > 0) kandidaten[k++] = s[i];
            }
            const Ereignis_Ansicht* e = k ? Ereignis_Zufall(EK_NEG_ATTRIBUT_WEG) : nullptr;
            if (e) {
                int32_t p = kandidaten[Rnd(0, k - 1)], l[3];
                int32_t m = Attribute_Get_Attribute(p, l, 3, 2);
                int32_t t = l[Rnd(0, m - 1)];
                int32_t preis = (300 + 500 * Rnd(0, 4)) * e->wert1;
                const AttributDaten* d = Attribut_Daten(t);
                anfrage(EREIGNIS_ANFRAGE_SPIELER, team, p, 40, *e, t, preis, {name(p), geld(preis, team), d ? d->name : ""});
            }
        }
        // 2. a player picks up a bad habit
        if (Rnd(0, 10) == 0) {
            int32_t kandidaten[KADER_MAX], k = 0;
            for (int32_t i = 0; i < n; ++i) {
                int32_t l[3];
                if (Attribute_Get_Attribute(s[i], l, 3, 2) < 3) kandidaten[k++] = s[i];
            }
            if (k > 0) {
                int32_t p = kandidaten[Rnd(0, k - 1)], l[3];
                int32_t m = Attribute_Get_Attribute(p, l, 3, 2);
                int32_t t;
                do t = Rnd(40, 46);
                while (hat(l, m, t));
                bool ok = false;
                switch (t) {
                case 40:
                    ok = Spieler_Sterne(p) >= 10 && Spieler_Wert(SPW_WERT55, p, 0, OP_LESEN) <= 50 &&
                         !Attribute_Hat_Attribut(p, 10);
                    break;
                case 41: ok = Attribute_Hat_Attribut(p, 10) || Spieler_Sterne(p) > durchschnitt(s, n) + 2; break;
                case 42:
                case 43: ok = Rnd(0, 2) == 0 && !Attribute_Hat_Attribut(p, 13); break;
                case 44: ok = Rnd(0, 2) == 0 && !Attribute_Hat_Attribut(p, 14); break;
                case 45: ok = Rnd(0, 1) == 0 && Attribute_Hat_Attribut(p, 13) && !Attribute_Hat_Attribut(p, 10); break;
                default:
                    ok = Rnd(0, 2) == 0 && !Attribute_Hat_Attribut(p, 16) && !Attribute_Hat_Attribut(p, 15);
                    break;
                }
                const Ereignis_Ansicht* e = ok ? Ereignis_Zufall(EK_NEG_ATTRIBUT_DAZU) : nullptr;
                if (e && Attribut_Spieler_Setze_Wert(p, t, ATTRIBUT_LERNEN)) senden(team, nullptr, e->text, {name(p)});
            }
        }
        // 3. the current training can be finished at once
        if (Rnd(0, 5) == 0) {
            int32_t p = s[Rnd(0, n - 1)];
            int32_t t = Attribute_Anzahl(p);
            const AttributDaten* d = t >= 0 && t < ATTRIBUT_ANZAHL ? Attribut_Daten(t) : nullptr;
            const Ereignis_Ansicht* e = d ? Ereignis_Zufall(EK_TRAINING_BEENDET) : nullptr;
            if (e) {
                int32_t je = d->punkte_training > 0 ? d->noetige_punkte / d->punkte_training : 0;
                int32_t preis = d->kostpreis * Regel_Wert(REGEL_ATTRIBUT_TRAINING_KOSTEN) * je * (80 - 10 * Rnd(2, 6)) / 100;
                anfrage(EREIGNIS_ANFRAGE_SPIELER, team, p, 40, *e, t, preis, {name(p), d->name, geld(preis, team)});
            }
        }
        // 4. a higher maximum strength can be bought
        if (Rnd(0, 10) == 0) {
            int32_t p = s[Rnd(0, n - 1)];
            int32_t m = Spieler_Wert(SPW_MAX_STERNE, p, 0, OP_LESEN);
            const Ereignis_Ansicht* e = m >= 3 && m <= 11 ? Ereignis_Zufall(EK_MAXSTAERKE) : nullptr;
            if (e) {
                int32_t neu = m + 2 * Rnd(1, 2);
                if (neu > 12) neu = 12;
                int32_t preis = neu * 20000 * (80 - 10 * Rnd(2, 6)) / 100;
                anfrage(EREIGNIS_ANFRAGE_SPIELER, team, p, 40, *e, neu, preis,
                        {name(p), m / 2, neu / 2, geld(preis, team)});
            }
        }
    }
    // 5. riots after a home defeat in the first match slot
    if (zweiter == 0 && tore_heim < tore_gast && Rnd(0, 20) == 5) {
        Stadion_Satz* st = Stadion_Get(team, 0);
        const Ereignis_Ansicht* e = st && st->modell > Rnd(0, 5) ? Ereignis_Zufall(EK_RANDALE) : nullptr;
        if (e) stadion_schaden(team, *e);
    }
    // 6. the stadiums age
    Ereignis_Stadion_Pruefen(team);
    if (zweiter != team && zweiter >= 0 && zweiter < Team_Anzahl()) Ereignis_Stadion_Pruefen(zweiter);
}

void Ereignis_Nicht_Eingesetzt(int32_t team, int32_t spieler) {
    if (Rnd(0, 20) != 5) return;
    int32_t s[KADER_MAX];
    int32_t n = kader(team, s);
    if (n == 0 || Spieler_Sterne(spieler) - 1 <= durchschnitt(s, n)) return;
    if (Spieler_Wert(SPW_EINSAETZE, spieler, 0, OP_LESEN) * 100 / 9 <= 34) return;
    if (Spieler_Status(spieler) & SP_STATUS_NICHT_VERFUEGBAR) return;
    int32_t m = Spieler_Wert(SPW_MORAL, spieler, 0, OP_LESEN);
    if (m <= 0) return;
    const Ereignis_Ansicht* e = Ereignis_Zufall(EK_NICHT_EINGESETZT);
    if (!e) return;
    senden(team, nullptr, e->text, {name(spieler)});
    int32_t minus = m > 1 && Rnd(0, 100) < 10 ? 2 : 1;
    Spieler_Wert(SPW_MORAL, spieler, m - minus, OP_SCHREIBEN);
}

int32_t Spieler_Get_Gewerkschafts_Praesi() { return g.gewerkschaft; }

bool Spieler_Setze_Gewerkschafts_Praesi(int32_t seite) {
    if (seite != 0 && seite != 1) return false;
    int32_t team = Team_Zufaelliges_Aus_Liste();
    if (team < 0) return false;
    int32_t s[KADER_MAX];
    int32_t n = kader(team, s), p = -1;
    // numbers 0 and 1 cannot carry the sign apart from "none"
    for (int32_t i = 0; i < n && p < 0; ++i) {
        int32_t c = s[(i + Rnd(0, n - 1)) % n];
        if (c > 1) p = c;
    }
    if (p < 0) return false;
    g.gewerkschaft = seite == 0 ? -p : p;
    return true;
}

void Ereignis_Tag() {
    if (Rnd(0, 250) == 50 && Stadion_Zuschauer_Prozent() == 100) {
        const Ereignis_Ansicht* e = Ereignis_Zufall(EK_ZUSCHAUER_EUPHORIE);
        if (e && Stadion_Zuschauer_Prozent_Setzen(e->wert1 < 25 ? 25 : e->wert1 > 200 ? 200 : e->wert1))
            alle_manager(e->text, {});
    }
    // The daily chance changes the game, so it comes from the game's random table,
    // which a save keeps (the standard generator serves presentation only).
    if (Tag_Index() < 366 || Rnd(0, 10) != 5) return;
    int32_t u = Spieler_Get_Gewerkschafts_Praesi();
    if (u == -1 || Rnd(0, 1200) == 200) {
        int32_t seite = Rnd(0, 1);
        const Ereignis_Ansicht* e = nullptr;
        for (int32_t i = 0; i < 101; ++i) {
            e = Ereignis_Zufall(EK_GEWERKSCHAFT_WAHL);
            if (!e || e->wert1 == seite) break;
            e = nullptr;
        }
        if (e) {
            int32_t w2 = e->wert2;
            std::string text = e->text;
            if (Spieler_Setze_Gewerkschafts_Praesi(seite) && Team_Set_Moral(w2))
                alle_manager(text.c_str(), {name(std::abs(Spieler_Get_Gewerkschafts_Praesi())), std::abs(w2)});
        }
    }
    u = Spieler_Get_Gewerkschafts_Praesi();
    if ((u < -1 || u > 1) && Rnd(0, 600) == 200) {
        const Ereignis_Ansicht* e = Ereignis_Zufall(u < -1 ? EK_GEWERKSCHAFT_UNZUFRIEDEN : EK_GEWERKSCHAFT_ZUFRIEDEN);
        if (e && Team_Set_Moral(e->wert1)) alle_manager(e->text, {u < -1 ? std::abs(e->wert1) : e->wert1});
    }
}

void Ereignis_Manager(int32_t team, int32_t kategorie) {
    const Ereignis_Ansicht* e = Ereignis_Zufall(kategorie);
    if (!e || team < 0 || team >= Team_Anzahl()) return;
    switch (kategorie) {
    case EK_MANAGER_WECHSEL: {
        int32_t c = Team_Zufaelliger_Gegner(team, 1);
        ManagerStruktur* m = Manager_Record(team);
        if (c < 0 || !Team_Hat_Manager(team) || !m || Manager_Wert(309, m, 0, OP_LESEN) != -1) return;
        if (Bank_Hat_Kredit(team)) return;   // an indebted club's manager gets no offer
        int32_t liga = Team_Get_Liga(c, 1);
        if (liga >= 0 && Wettbewerb_Get_Tabellenplatz(liga, c, -1, -1, 31, 0) == 0) return;
        std::string ctext = Team_String(TS_NAME, c, 0, 0);
        anfrage(EREIGNIS_ANFRAGE_WECHSEL, team, c, 1, *e, 0, 0, {ctext.c_str()});
        break;
    }
    case EK_ALLGEMEIN: {
        int32_t b = betrag_80_120(e->wert1), p = prozent_50_100(e->wert2);
        if (e->wert1 && e->wert2) senden(team, nullptr, e->text, {geld(b, team), p});
        else if (e->wert1) senden(team, nullptr, e->text, {geld(b, team)});
        else if (e->wert2) senden(team, nullptr, e->text, {p});
        else senden(team, nullptr, e->text, {});
        if (e->wert1 > 0) gutschrift(team, b);
        else if (e->wert1 < 0) abbuchung(team, b);
        if (e->wert2) team_moral(team, e->wert2 < 0 ? -p : p);
        break;
    }
    case EK_ALLGEMEIN_TEAM: {
        int32_t b = betrag_80_120(e->wert1), p = prozent_50_100(e->wert2);
        anfrage(EREIGNIS_ANFRAGE_ALLGEMEIN, team, p, 40, *e, 0, b, {geld(b, team)});
        break;
    }
    case EK_ALLGEMEIN_SPIELER: {
        int32_t s[KADER_MAX];
        int32_t n = kader(team, s);
        if (n == 0) return;
        // two positions of the list, the second may equal the first
        int32_t i = Rnd(0, n - 1), j = Rnd(i + 1, i + n + 2) % n;
        int32_t b = betrag_80_120(e->wert1), p = prozent_50_100(e->wert2);
        std::string n1 = name(s[i]), n2 = name(s[j]);
        if (e->ja_text[0] && e->nein_text[0]) {
            int32_t kopf[10] = {EREIGNIS_ANFRAGE_ALLGEMEIN, s[i], s[j], Tag_Index() + 40, e->kategorie, p, e->nummer, b, e->sound, -1};
            if (e->wert3) senden(team, kopf, e->text, {n1.c_str(), n2.c_str()});
            else senden(team, kopf, e->text, {n1.c_str()});
        } else {
            if (e->wert2 % 2) abbuchung(team, b);
            else gutschrift(team, b);
            senden(team, nullptr, e->text, {n1.c_str(), n2.c_str()});
        }
        break;
    }
    case EK_NATIONALTRAINER: {
        int32_t nat = Team_Zufaelliges_Aus_Liste();
        if (nat < 0 || !Team_Hat_Manager(team) || Team_Hat_Manager(nat) || Manager_Oder_Netzwerk_Team(nat)) return;
        std::string ntext = Team_String(TS_NAME, nat, 0, 0);
        anfrage(EREIGNIS_ANFRAGE_NATIONAL, team, nat, 1, *e, 0, 0, {ntext.c_str()});
        break;
    }
    default: Debug_Printf("Ereignis_Manager: Kategorie %d ungueltig\n", kategorie);
    }
}

void Ereignis_Antwort(const int32_t kopf[10]) {
    if (!kopf) return;
    const Ereignis_Ansicht* v = Ereignis_Holen(kopf[6]);
    if (!v) return;
    Ereignis_Ansicht e = *v;
    std::string ja = e.ja_text, nein = e.nein_text;
    bool antwort_ja = kopf[9] != 0;
    int32_t team = kopf[1], p = kopf[2], preis = kopf[7];
    if (antwort_ja) {
        switch (kopf[4]) {
        case EK_NEG_ATTRIBUT_WEG:
            abbuchung(team, preis);
            if (Rnd(10, 100) >= e.wert1) senden(team, nullptr, nein.c_str(), {name(p)});
            else {
                senden(team, nullptr, ja.c_str(), {name(p)});
                Spieler_Wert(kopf[5], p, e.wert1 < 80 ? 3 : 2, OP_SCHREIBEN);
            }
            break;
        case EK_TRAINING_BEENDET:
            if (!Attribute_Hat_Attribut(p, kopf[5])) {
                Spieler_Wert(kopf[5], p, Attribut_Schwelle(kopf[5]), OP_SCHREIBEN);
                abbuchung(team, preis);
                senden(team, nullptr, ja.c_str(), {name(p)});
            }
            break;
        case EK_MAXSTAERKE:
            abbuchung(team, preis);
            if (!nein.empty() && Rnd(10, 100) < 100 - e.wert1) senden(team, nullptr, nein.c_str(), {name(p)});
            else {
                Spieler_Wert(SPW_MAX_STERNE, p, kopf[5], OP_SCHREIBEN);
                senden(team, nullptr, ja.c_str(), {name(p)});
            }
            break;
        case EK_ALLGEMEIN_TEAM:
            if (!ja.empty() && !nein.empty() && e.wert3 >= 5) {
                if (e.wert3 == 5) gutschrift(team, e.wert1);
                senden(team, nullptr, ja.c_str(), {});
            } else if (!ja.empty() && e.wert3 < 5) {
                if (e.wert3 == 1 || e.wert3 == 3) gutschrift(team, preis);
                if (e.wert3 == 2 || e.wert3 == 4) abbuchung(team, preis);
                if (kopf[2] && e.wert3 == 4) team_moral(team, kopf[2]);
                if (kopf[2] && e.wert3 == 3) team_moral(team, -kopf[2]);
                senden(team, nullptr, ja.c_str(), {});
            }
            break;
        case EK_ALLGEMEIN_SPIELER:
            if (!ja.empty()) {
                int32_t letzter = -1;
                for (int32_t s : {kopf[1], e.wert3 ? kopf[2] : -1}) {
                    if (s < 0) continue;
                    moral(s, -kopf[5]);
                    letzter = Spieler_Get_Team(s);
                    gutschrift(letzter, preis);
                }
                std::string n1 = name(kopf[1]), n2 = name(kopf[2]);
                if (letzter >= 0) senden(letzter, nullptr, ja.c_str(), {n1.c_str(), n2.c_str()});
            }
            break;
        default: break;
        }
        return;
    }
    if (kopf[4] == EK_ALLGEMEIN_TEAM) {
        if (!ja.empty() && !nein.empty() && e.wert3 >= 5) {
            if (e.wert3 == 6) gutschrift(team, e.wert1);
            senden(team, nullptr, nein.c_str(), {});
        } else if (!nein.empty() && e.wert3 < 5) {
            if (kopf[2] && e.wert3 == 3) team_moral(team, kopf[2]);
            if (kopf[2] && e.wert3 == 4) team_moral(team, -kopf[2]);
            senden(team, nullptr, nein.c_str(), {});
        }
    } else if (kopf[4] == EK_ALLGEMEIN_SPIELER && !nein.empty()) {
        std::string n1 = name(kopf[1]);
        senden(Spieler_Get_Team(kopf[1]), nullptr, nein.c_str(), {n1.c_str()});
    }
}

void Ereignis_Save(std::vector<uint8_t>& out) {
    uint8_t b[8];
    Bytes_Put32(b, 1);   // block version
    Bytes_Put32(b + 4, uint32_t(g.gewerkschaft));
    out.insert(out.end(), b, b + 8);
}

bool Ereignis_Load(const uint8_t* in, size_t bytes) {
    if (!in || bytes != 8 || Bytes_Get32(in) != 1) {
        Debug_Printf("Ereignis_Load: Block beschaedigt\n");
        return false;
    }
    int32_t u = int32_t(Bytes_Get32(in + 4));
    if (u != -1 && (u == INT32_MIN || std::abs(u) < 2 || std::abs(u) >= Spieler_Anzahl())) {
        Debug_Printf("Ereignis_Load: Gewerkschaft %d ungueltig\n", u);
        return false;
    }
    g.gewerkschaft = u;
    return true;
}

void Ereignis_Zustand_Zuruecksetzen() { g = TriggerModul{}; }

bool Ereignis_Spielstand_Anmelden() {
    return Spielstand_Block_Anmelden({"Ereignis", 44, Ereignis_Save, Ereignis_Load, Ereignis_Zustand_Zuruecksetzen});
}

// The day's events, and on 1 January and 30 June the job offers to the local manager.
void Ereignis_Kalender_Tag() {
    Ereignis_Tag();
    int32_t team = Team_Lokal();
    TagDatensatz d = Kalender_Datum_Kopie();
    if (team >= 0 && Optionen(13, 0, 0) &&
        ((d.tag == 1 && d.monat == 1) || (d.tag == 30 && d.monat == 6 && Rnd(0, 1) == 1)))
        Ereignis_Manager(team, Rnd(0, 1) == 0 ? EK_NATIONALTRAINER : EK_MANAGER_WECHSEL);
}

void Ereignis_Kalender_Monat() {
    int32_t team = Team_Lokal();
    if (team < 0) return;
    int32_t r = Rnd(0, 20);
    Ereignis_Manager(team, r <= 9 ? EK_ALLGEMEIN : r <= 18 ? EK_ALLGEMEIN_TEAM : EK_ALLGEMEIN_SPIELER);
}

// The players who did not play are asked about by the match's after-match
// pass, which knows who came on.
void Ereignis_Nach_Spiel(int32_t team, int32_t slot, int32_t tore_heim, int32_t tore_gast) {
    Ereignis_Spiel_Nachher(team, slot, tore_heim, tore_gast);
}

void Ereignis_Nach_Serie(int32_t team) {
    int32_t siege = 0, unentschieden = 0, niederlagen = 0;
    if (Spiele_Serie(-1, team, &siege, &unentschieden, &niederlagen, nullptr, nullptr, nullptr, nullptr, 2))
        Ereignis_Spiel_Serie(team, siege, niederlagen);
}

void Ereignis_Richter_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall) {
    if (fall == Richter_Fall::ANTWORT) Ereignis_Antwort(kopf);
}

void Ereignis_Team_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall) {
    if (!kopf || fall != Richter_Fall::ANTWORT) return;
    const Ereignis_Ansicht* v = Ereignis_Holen(kopf[6]);
    const int32_t team = kopf[1], club = kopf[2];
    if (!v || team < 0 || team >= Team_Anzahl() || club < 0 || club >= Team_Anzahl()) return;
    const bool ja = kopf[9] != 0;
    std::string text = ja ? v->ja_text : v->nein_text;
    if (ja && kopf[0] == EREIGNIS_ANFRAGE_WECHSEL) {
        ManagerStruktur* m = Manager_Record(team);
        if (!m || Manager_Wert(309, m, 0, OP_LESEN) != -1) return;   // one change at a time
        Manager_Wert(309, m, club, OP_SCHREIBEN);
    }
    std::string name = Team_String(TS_NAME, club, 0, 0);
    if (!text.empty()) senden(team, nullptr, text.c_str(), {name.c_str()});
}

}  // namespace velmora
