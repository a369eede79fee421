// club/transfer.cpp - transfers of players between clubs.
#include "club/transfer.h"

#include <cmath>
#include <cstring>

#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/kader_hooks.h"
#include "club/markt_elf.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "club/wirtschaft.h"
#include "core/debug.h"

namespace velmora {
namespace {

TransferHooks g_hooks;

// The bank's party for a team: the transfer market stands outside the league.
int32_t Partei(int32_t team) { return team == Team_Markt() ? -1 : team; }

// One amount in its direction: the payer's transfer costs (31), the
// receiver's transfer income (30); the market books on neither side. The
// payer's debit may be refused unless `zwingend`; then nothing is credited.
bool Buchen(int32_t zahler, int32_t empfaenger, float betrag, bool zwingend) {
    if (betrag <= 0) return true;
    const KaderHooks& h = Kader_Hooks();
    if (!h.bank_ueberweisung) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: keine Bank, %.0f von Team %d an %d nicht gebucht\n",
                     double(betrag), zahler, empfaenger);
        return true;
    }
    const int32_t von = Partei(zahler), an = Partei(empfaenger);
    if (von >= 0 && !h.bank_ueberweisung(von, -1, betrag, BUCHUNG_TRANSFER_KAUF, zwingend)) return false;
    // A credit is never refused.
    if (an >= 0) h.bank_ueberweisung(-1, an, betrag, BUCHUNG_TRANSFER_ERLOES, true);
    return true;
}

float Erloes(int32_t spieler) {
    if (spieler < 0) return 0;
    const KaderHooks& h = Kader_Hooks();
    if (!h.verkaufserloes) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: kein Verkaufserloes bekannt, 0 angenommen\n");
        return 0;
    }
    float e = h.verkaufserloes(spieler);
    return std::isfinite(e) && e > 0 ? e : 0;
}

bool Client_Transfer(int32_t von_team, int32_t zu_team, int32_t spieler_von, int32_t spieler_zu, float preis) {
    int32_t eigenes = Club_Client_Team();
    if (von_team != eigenes) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: CLIENT-WRITE!\n");
        return false;
    }
    uint32_t bits;
    std::memcpy(&bits, &preis, sizeof bits);
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(von_team);
    pk.i32(zu_team);
    pk.i32(spieler_von);
    pk.i32(spieler_zu);
    pk.i32(eigenes);
    pk.i32(int32_t(bits));
    if (Club_Remote_Int("Spieler_Transfer_Ausfuehren", ANFRAGE_TRANSFER, TRANSFER_TYP, a, 0) != 1) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: vom Server abgelehnt\n");
        return false;
    }
    // Both clubs' lists changed on the server; fetch them and the own players again.
    if (!Team_Internet_Client_Refresh() || !Spieler_Internet_Client_Refresh())
        Debug_Printf("Spieler_Transfer_Ausfuehren: Daten nicht neu geholt\n");
    return true;
}

}  // namespace

int32_t Transfer_Mindestpreis(int32_t spieler) {
    int64_t wert = Spieler_Berechne_Marktwert(spieler);
    if (Spieler_Status(spieler) & SP_STATUS_SCOUT) wert -= wert * 10 / 100;
    return Kosten_Runden(int32_t(wert));
}

bool Transfer_Client_Erlaubt(int32_t von, int32_t zu, int32_t spieler_von, int32_t spieler_zu, float preis) {
    const int32_t markt = Team_Markt();
    if (von < 0 || von >= Team_Anzahl() || von == markt || spieler_von < 0 || Spieler_Get_Team(spieler_von) != von)
        return false;
    if (!std::isfinite(preis)) return false;
    if (preis > 0) {
        // The negotiated purchase: own player to the market, a market player
        // back, at no less than the negotiation's starting offer.
        return zu == markt && markt >= 0 && spieler_zu >= 0 && Spieler_Get_Team(spieler_zu) == markt &&
               double(preis) >= double(Transfer_Mindestpreis(spieler_zu));
    }
    if (preis != 0) return false;
    // The release: to the club's second club for its first player of the same
    // kind, or to the market for nothing. A managed club is never the
    // counterpart: no transfer runs between managers.
    const int32_t zweit = Team_Wert(TW_ZWEITCLUB, von, 0, OP_LESEN);
    if (zu != zweit) return false;
    if (zu == markt) return spieler_zu == -1;
    if (zu < 0 || zu >= Team_Anzahl() || zu == von || Team_Hat_Manager(zu)) return false;
    return spieler_zu == Team_Suche_Spieler_Mit_Art(zu, Spieler_Get_Art(spieler_von));
}

bool Spieler_Transfer_Ausfuehren(int32_t von_team, int32_t zu_team, int32_t spieler_von, int32_t spieler_zu,
                                 float preis, float vereinbart) {
    int32_t teams = Team_Anzahl();
    if (von_team < 0 || von_team >= teams || zu_team < 0 || zu_team >= teams || von_team == zu_team) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: Teams %d/%d ungueltig\n", von_team, zu_team);
        return false;
    }
    if (!std::isfinite(preis) || preis < 0 || !std::isfinite(vereinbart)) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: Preis ungueltig\n");
        return false;
    }
    if ((spieler_von < 0 && spieler_zu < 0) || (spieler_von >= 0 && Spieler_Get_Team(spieler_von) != von_team) ||
        (spieler_zu >= 0 && Spieler_Get_Team(spieler_zu) != zu_team)) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: Spieler %d/%d nicht in Team %d/%d\n", spieler_von, spieler_zu,
                     von_team, zu_team);
        return false;
    }
    const bool markt = von_team == Team_Markt() || zu_team == Team_Markt();
    if (Club_Ist_Client()) {
        const bool ok = Client_Transfer(von_team, zu_team, spieler_von, spieler_zu, preis);
        if (ok && markt) Markt_Elf_Erneuern();
        if (ok) g_hooks.kader_geaendert.Aufrufen(von_team, zu_team);
        return ok;
    }

    // A list without room refuses the deal before any money moves: nothing is
    // booked, not even as paid and paid back.
    if (!Team_Spieler_Wechsel_Passt(von_team, zu_team, spieler_von, spieler_zu)) return false;
    const KaderHooks& h = Kader_Hooks();
    const float erloes = preis <= 0 ? 0 : vereinbart >= 0 ? vereinbart : Erloes(spieler_von);
    if (preis > 0) {
        if (!h.bank_kontostand) {
            Debug_Printf("Spieler_Transfer_Ausfuehren: keine Bank, Kontostand nicht geprueft\n");
        } else if (h.bank_kontostand(von_team) < preis - erloes) {
            Debug_Printf("Spieler_Transfer_Ausfuehren: Kontostand von Team %d reicht nicht\n", von_team);
            return false;
        }
        // The buyer pays the price, which the bank may refuse; the seller pays
        // the exchanged player's proceeds, as he has agreed to.
        if (!Buchen(von_team, zu_team, preis, false)) {
            Debug_Printf("Spieler_Transfer_Ausfuehren: Bank lehnt die Zahlung ab\n");
            return false;
        }
        if (!Buchen(zu_team, von_team, erloes, true)) {
            Buchen(zu_team, von_team, preis, true);
            Debug_Printf("Spieler_Transfer_Ausfuehren: Bank lehnt den Erloes ab\n");
            return false;
        }
    }
    if (!Team_Spieler_Kommt_Und_Geht(von_team, zu_team, spieler_von, spieler_zu, 0)) {
        // Checked above, so not expected; should it happen, the money goes
        // back, each amount booked in its direction.
        if (preis > 0) {
            Buchen(zu_team, von_team, preis, true);
            Buchen(von_team, zu_team, erloes, true);
        }
        return false;
    }
    if (preis > 0) {
        if (!h.transfer_news) Debug_Printf("Spieler_Transfer_Ausfuehren: keine Nachrichten\n");
        else {
            // Each side pays for the player who comes and is paid for the one who leaves.
            if (Team_Hat_Manager(von_team))
                h.transfer_news(von_team, zu_team, spieler_zu, spieler_von, preis, erloes);
            if (Team_Hat_Manager(zu_team)) h.transfer_news(zu_team, von_team, spieler_von, spieler_zu, erloes, preis);
        }
    }
    // The market's eleven are drawn again: one of them may have left.
    if (markt) Markt_Elf_Erneuern();
    g_hooks.kader_geaendert.Aufrufen(von_team, zu_team);
    if (spieler_von >= 0) g_hooks.spieler_gegangen.Aufrufen(spieler_von, von_team);
    if (spieler_zu >= 0) g_hooks.spieler_gegangen.Aufrufen(spieler_zu, zu_team);
    return true;
}

TransferHooks& Transfer_Hooks() { return g_hooks; }

bool Transfer_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort) {
    if (anfrage != ANFRAGE_TRANSFER) return false;
    int32_t von = l.i32(), zu = l.i32(), spieler_von = l.i32(), spieler_zu = l.i32(), team = l.i32();
    uint32_t bits = uint32_t(l.i32());
    if (l.fehler) return true;
    float preis;
    std::memcpy(&preis, &bits, sizeof preis);
    bool ok = false;
    if (!Club_Ist_Eigenes(von, client_team) || team != client_team) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: CLIENT-WRITE! (Team %d, Client-Team %d)\n", von, client_team);
    } else if (!Transfer_Client_Erlaubt(von, zu, spieler_von, spieler_zu, preis)) {
        Debug_Printf("Spieler_Transfer_Ausfuehren: Transfer %d/%d zwischen %d und %d fuer %.0f abgelehnt\n",
                     spieler_von, spieler_zu, von, zu, double(preis));
    } else {
        ok = Spieler_Transfer_Ausfuehren(von, zu, spieler_von, spieler_zu, preis);
    }
    ClubPacker pk{antwort};
    pk.i32(ok ? 1 : 0);
    return true;
}

}  // namespace velmora
