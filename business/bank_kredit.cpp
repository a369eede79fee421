// business/bank_kredit.cpp - loans, the loan rates and the period close.
#include "business/bank_kredit.h"

#include <cmath>
#include <cstring>
#include <string>

#include "business/bank.h"
#include "business/bank_intern.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "core/text_format.h"
#include "platform/clock.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr float ZINS_MIN = 5.0f;
constexpr float ZINS_MAX = 19.5f;

Bank_Kredit_Posten* Posten(Listen_Element* e) { return static_cast<Bank_Kredit_Posten*>(e->daten); }

// The list stays ordered by periods remaining: a new item goes behind every
// item with the same or a smaller count.
bool Einfuegen(int32_t team, const Bank_Kredit_Posten& p) {
    Listen_Element* liste = Bank_Intern_Kredite();
    Listen_Element* nach = nullptr;
    for (Listen_Element* e = Liste_First(liste); e; e = Liste_Next_Element(e)) {
        if (Posten(e)->perioden > p.perioden) {
            nach = e->vorher;
            break;
        }
    }
    return Liste_Insert(liste, nach, &p, sizeof p, team) != nullptr;
}

void Zu_Viele_Posten(int32_t team, bool leise) {
    Debug_Printf("Bank_Kredit: Team %d hat schon %d Posten\n", team, BANK_POSTEN_MAX);
    if (!leise)
        Bank_Intern_News(team, BANK_NEWS_FLAGS,
                         Bank_Intern_Text(19, "Die Bank gibt keinen weiteren Kredit: es laufen schon vier."));
}

}  // namespace

float Bank_Zins_Endbetrag(float betrag, int32_t laufzeit, float zins) {
    if (laufzeit == 0) return betrag;
    return betrag + float(laufzeit) * (zins / 10.0f) * betrag / 100.0f;
}

int32_t Bank_Stufe(int32_t laufzeit) {
    int32_t stufe = 0;
    for (int32_t i = 0; i < BANK_STUFEN; ++i)
        if (laufzeit >= BANK_LAUFZEITEN[i]) stufe = i;
    return stufe;
}

float Bank_Kreditzins(int32_t stufe) {
    const Bank_Global* gl = Bank_Intern_Global();
    if (!gl || stufe < 0 || stufe >= BANK_STUFEN) return 0;
    return gl->kreditzins[stufe];
}

float Bank_Kredit_Angebot() {
    const Bank_Global* gl = Bank_Intern_Global();
    return gl ? gl->kredit_angebot : 0;
}

int32_t Bank_Anzahl_Posten(int32_t team) {
    int32_t n = 0;
    for (Listen_Element* e = Liste_First(Bank_Intern_Kredite()); e; e = Liste_Next_Element(e))
        if (e->schluessel == team) ++n;
    return n;
}

const Bank_Kredit_Posten* Bank_Posten_Holen(int32_t team, int32_t* cursor) {
    if (!cursor) return nullptr;
    int32_t i = 0;
    for (Listen_Element* e = Liste_First(Bank_Intern_Kredite()); e; e = Liste_Next_Element(e)) {
        if (e->schluessel != team) continue;
        if (i++ == *cursor) {
            ++*cursor;
            return Posten(e);
        }
    }
    *cursor = 0;
    return nullptr;
}

bool Bank_Hat_Kredit(int32_t team) {
    for (Listen_Element* e = Liste_First(Bank_Intern_Kredite()); e; e = Liste_Next_Element(e))
        if (e->schluessel == team && Posten(e)->betrag < 0) return true;
    return false;
}

float Bank_Kreditrahmen(int32_t team) {
    float rahmen = BANK_KREDITRAHMEN;
    for (Listen_Element* e = Liste_First(Bank_Intern_Kredite()); e; e = Liste_Next_Element(e))
        if (e->schluessel == team && Posten(e)->betrag < 0) rahmen -= std::fabs(Posten(e)->betrag);
    return rahmen > 0 ? rahmen : 0;
}

bool Bank_Kredit(int32_t verleiher, int32_t schuldner, float betrag, int32_t laufzeit, uint8_t anlage, float zins,
                 int32_t verleiher_id) {
    if (!Bank_Intern_Bereit("Bank_Kredit")) return false;
    if (betrag == 0) return false;
    if (!std::isfinite(betrag) || betrag < 0 || laufzeit < 0 || (zins != -1.0f && !(zins >= 0 && zins < 1000))) {
        Debug_Printf("Bank_Kredit: Betrag %.0f / Laufzeit %d / Zins %.2f ungueltig\n", double(betrag), laufzeit,
                     double(zins));
        return false;
    }
    if (anlage) {
        Debug_Printf("Bank_Kredit: die Bank nimmt keine Festgeldanlagen\n");
        return false;
    }
    if (!Bank_Intern_Team_Gueltig(schuldner) ||
        (verleiher != -1 && (!Bank_Intern_Team_Gueltig(verleiher) || verleiher == schuldner))) {
        Debug_Printf("Bank_Kredit: Teams %d/%d ungueltig\n", verleiher, schuldner);
        return false;
    }
    Bank_Global* gl = Bank_Intern_Global();
    // Refusals of other machines' loans during the menu phase stay silent.
    const bool leise = Club_Netzwerk_Modus() != 0 && (Team_Lokal() < 0 || verleiher != Team_Lokal()) &&
                       Kalender_Ist_Menue_Modus();
    if (Bank_Anzahl_Posten(schuldner) >= BANK_POSTEN_MAX) {
        Zu_Viele_Posten(schuldner, leise);
        return false;
    }
    if (verleiher != -1 && Bank_Anzahl_Posten(verleiher) >= BANK_POSTEN_MAX) {
        Zu_Viele_Posten(verleiher, leise);
        return false;
    }
    const bool gedeckt = verleiher == -1
                             ? betrag <= Bank_Kreditrahmen(schuldner)
                             : float(Bank_Kontostand(verleiher, true, int32_t(gl->waehrung))) > betrag;
    if (!gedeckt) {
        gl->kredit_angebot = Bank_Kreditrahmen(schuldner);
        Debug_Printf("Bank_Kredit: %.0f fuer Team %d nicht gedeckt\n", double(betrag), schuldner);
        return false;
    }
    if (Club_Ist_Client()) {
        if (verleiher != -1) {
            Debug_Printf("Bank_Kredit: auf einem Client leiht nur die Bank\n");
            return false;
        }
        return Bank_Client_Kredit(betrag, verleiher, schuldner, laufzeit);
    }
    const float satz = zins == -1.0f ? gl->kreditzins[Bank_Stufe(laufzeit)] : zins;
    const int32_t w = int32_t(gl->waehrung);
    if (verleiher != -1) Bank_Ueberweisung(verleiher, -1, betrag, BUCHUNG_KREDIT_VERLEIH, 1, w);
    Bank_Ueberweisung(-1, schuldner, betrag, BUCHUNG_KREDIT_AUSZAHLUNG, 1, w);
    Bank_Kredit_Posten p{};
    p.partei = verleiher == -1 ? verleiher_id : verleiher;
    p.betrag = -betrag;
    p.gesamt = -Bank_Zins_Endbetrag(betrag, laufzeit, satz);
    p.perioden = laufzeit;
    p.start_tag = Tag_Index();
    p.zins = satz;
    bool ok = Einfuegen(schuldner, p);
    if (verleiher != -1) {
        Bank_Kredit_Posten m = p;
        m.partei = schuldner;
        m.betrag = betrag;
        m.gesamt = -p.gesamt;
        ok = Einfuegen(verleiher, m) && ok;
    }
    if (!ok) Debug_Printf("Bank_Kredit: Posten nicht eingetragen\n");
    return true;
}

void Bank_Kredit_Anfrage_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall) {
    if (!kopf || !Bank_Intern_Bereit("Bank_Kredit_Anfrage_Antwort")) return;
    const int32_t schuldner = kopf[1], verleiher = kopf[2];
    if (!Bank_Intern_Team_Gueltig(schuldner) || !Bank_Intern_Team_Gueltig(verleiher)) {
        Debug_Printf("Bank_Kredit_Anfrage_Antwort: Teams %d/%d ungueltig\n", verleiher, schuldner);
        return;
    }
    const char* vorlage = "Ihre Anfrage nach einem Kredit von %s wurde nicht beantwortet.";
    std::string betrag;
    if (fall == Richter_Fall::ANTWORT) {
        vorlage = "Ihre Anfrage nach einem Kredit von %s wurde leider abgelehnt.";
        if (kopf[9] == 1 && kopf[4] > 0 &&
            Bank_Kredit(verleiher, schuldner, float(kopf[4]), kopf[6], 0, float(kopf[5]), 0)) {
            vorlage = "Ihre Anfrage nach einem Kredit von %s wurde angenommen: %s.";
            betrag = Geld_Text(float(kopf[4]), schuldner, -1);
        }
    }
    std::string name = verleiher < Team_Anzahl() ? Team_String(TS_NAME, verleiher, 0, 0) : "";
    Bank_Intern_News(schuldner, BANK_NEWS_FLAGS_WICHTIG,
                     Text_Format(vorlage, {name.c_str(), betrag.c_str()}));
}

void Bank_Periode_Schliessen(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Periode_Schliessen")) return;
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("Bank_Periode_Schliessen: Team %d ungueltig\n", team);
        return;
    }
    int32_t t = team < Team_Anzahl() ? Team_Wert(TW_NUMMER, team, 0, OP_LESEN) : team;
    if (!Bank_Intern_Team_Gueltig(t)) t = team;
    Bank_Global* gl = Bank_Intern_Global();
    const int32_t w = int32_t(gl->waehrung);
    if (Team_Hat_Manager(t)) {
        Listen_Element* liste = Bank_Intern_Kredite();
        for (Listen_Element* e = Liste_First(liste); e;) {
            Bank_Kredit_Posten* p = Posten(e);
            if (e->schluessel != t || --p->perioden >= 1) {
                e = Liste_Next_Element(e);
                continue;
            }
            if (p->betrag > 0) {
                Bank_Ueberweisung(-1, t, p->gesamt, BUCHUNG_KREDIT_ZURUECK, 1, w);
                std::string a = Geld_Text(p->betrag, t, -1), b = Geld_Text(p->gesamt, t, -1);
                Bank_Intern_News(t, BANK_NEWS_FLAGS,
                                 Text_Format(Bank_Intern_Text(21, "Verliehenes Geld (%s) kommt zur\xfc" "ck: %s."),
                                                       {a.c_str(), b.c_str()}));
            } else {
                Bank_Ueberweisung(t, -1, std::fabs(p->gesamt), BUCHUNG_KREDIT_TILGUNG, 1, w);
                std::string a = Geld_Text(std::fabs(p->betrag), t, -1), b = Geld_Text(std::fabs(p->gesamt), t, -1);
                Bank_Intern_News(t, BANK_NEWS_FLAGS_WICHTIG,
                                 Text_Format(Bank_Intern_Text(22, "Ihr Kredit \xfc" "ber %s ist zur\xfc" "ckgezahlt: %s."),
                                                       {a.c_str(), b.c_str()}));
            }
            e = Liste_Next_Element(Liste_Delete_Element(liste, e));
        }
    }
    const float b = gl->kontostand[t];
    if (b > BANK_KAPPUNG) {
        Bank_Intern_News(t, BANK_NEWS_FLAGS_WICHTIG,
                         Text_Format(Bank_Intern_Text(23, "Der Verband erhebt eine Abgabe: %s."),
                                               {Geld_Text(b - BANK_KAPPUNG, t, -1)}));
        Bank_Ueberweisung(t, -1, b - BANK_KAPPUNG, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
    }
    if (Bank_Intern_Konto(t)) {
        if (Team_Spiel_Level() == 0 && b < BANK_STUETZE_GRENZE) {
            Bank_Intern_News(t, BANK_NEWS_FLAGS_WICHTIG,
                             Text_Format(Bank_Intern_Text(24, "Der Verband unterst\xfctzt Sie mit %s."),
                                                   {Geld_Text(BANK_STUETZE_GRENZE, -1, -1)}));
            Bank_Ueberweisung(-1, t, BANK_STUETZE_GRENZE, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
        }
        if (b < 0) {
            // |b| x rate / 3000, in the form the bank has always computed it.
            float zinsen = b - (b / 100.0f) * (gl->dispozins / 30.0f + 100.0f);
            Bank_Ueberweisung(t, -1, zinsen, BUCHUNG_SONSTIGE_KOSTEN, 1, -1);
        }
    }
    if (gl->kontostand[t] > BANK_RUECKSETZEN) gl->kontostand[t] = 0;
}

void Bank_Zinsen_Schwanken() {
    Bank_Global* gl = Bank_Intern_Global();
    if (!gl) return;
    Rnd_Push();
    Rnd_Set_Index(int32_t(Plat_Ms() % uint32_t(RND_TABELLE)), 0);
    if (Rnd(0, 9) < 1) {
        float s = float(Rnd(1, 9)) / 10.0f;
        if (s < 0.5f) s = -s;
        for (float& z : gl->kreditzins) {
            z += s;
            if (z < ZINS_MIN) z = ZINS_MIN;
            if (z > ZINS_MAX) z = ZINS_MAX;
        }
    }
    Rnd_Pop();
}

}  // namespace velmora
