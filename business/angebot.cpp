// business/angebot.cpp - requests about a player: offers and contract extensions.
#include "business/angebot.h"

#include <algorithm>
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/verhandlung.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int32_t NEWS_ANTWORT_NOETIG = int32_t(NEWS_ANFRAGE | NEWS_SPIELER);
constexpr int32_t NEWS_HINWEIS = int32_t(NEWS_NACHRICHT | NEWS_SPIELER);

std::string Name(int32_t spieler) { return Spieler_String(SPS_NAME, spieler, 0, 0); }
std::string Verein(int32_t team) { return Team_String(TS_NAME, team, 0, 0); }

// Whether an offer to the club is still waiting for its answer.
bool Angebot_Offen(int32_t mensch) {
    for (int32_t i = News_Erste(mensch, int32_t(NEWS_ANFRAGE)); i >= 0; i = News_Naechste()) {
        const int32_t* k = News_Get_Kopf(i);
        if (k[0] == ANFRAGE_ART_SPIELER && k[7] == ANGEBOT_KAUF) return true;
    }
    return false;
}

void Enttaeuscht(int32_t spieler) {
    const int32_t m = Spieler_Wert(SPW_MORAL, spieler, 0, OP_LESEN);
    if (m > 0) Spieler_Wert(SPW_MORAL, spieler, m - 1, OP_SCHREIBEN);
}

// The club pays the extension (26); a human manager hears how it went.
void Verlaengern(int32_t team, int32_t spieler, int32_t kosten) {
    const bool ok = Bank_Ueberweisung(team, -1, float(kosten), BUCHUNG_SPIELERKOSTEN, 0, -1);
    if (ok) Compi_Verlaengerung_Zaehlen(kosten);
    else Enttaeuscht(spieler);
    if (!Team_Hat_Manager(team)) return;
    const std::string name = Name(spieler), geld = Geld_Text(float(kosten), team, -1);
    if (ok) News_Add(-1, team, -1, NEWS_HINWEIS, nullptr, "%s hat seinen Vertrag verl\xe4ngert. Kosten: %s.", name.c_str(),
                     geld.c_str());
    else News_Add(-1, team, -1, NEWS_HINWEIS, nullptr, "F\xfcr die Verl\xe4ngerung mit %s (%s) reicht das Geld nicht.",
                  name.c_str(), geld.c_str());
}

}  // namespace

int32_t Angebot_Verlaengerung_Kosten(int32_t spieler) {
    if (spieler < 0 || spieler >= Spieler_Anzahl()) {
        Debug_Printf("Angebot_Verlaengerung_Kosten: Spieler %d ungueltig\n", spieler);
        return 0;
    }
    const int64_t kosten =
        int64_t(Spieler_Berechne_Gehalt(spieler)) * Transferfaktor_Wert(TF_VERLAENGERUNG_KOSTEN) * 14 / 1000;
    return Kosten_Runden(int32_t(std::min<int64_t>(std::max<int64_t>(kosten, 0), INT32_MAX)));
}

bool Angebot_Machen(int32_t mensch) {
    if (Club_Ist_Client() || !Team_Hat_Manager(mensch) || !Team_Ist_Normal(mensch, 0) || Angebot_Offen(mensch))
        return false;
    const int32_t club = Compi_Partner(mensch);
    int32_t geht = -1, kommt = -1, preis = 0;
    if (club < 0 || !Compi_Tausch_Suchen(club, mensch, &geht, &kommt, &preis)) return false;
    // The offer tells the whole money: the price the club pays, and the
    // exchanged player's proceeds, which the human manager's club pays as in
    // every exchange. Both stand with the offer: the sale books them as named
    // here, though the player's value moves in the days the offer stands.
    const int32_t erloes = std::max(0, Verhandlung_Verkauf_Erloes(geht));
    const int32_t kopf[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, mensch, club, Tag_Index() + ANGEBOT_FRIST, kommt,
                                           geht, preis, ANGEBOT_KAUF, erloes, -1};
    const std::string verein = Verein(club), spieler = Name(kommt), tausch = Name(geht),
                      geld = Geld_Text(float(preis), mensch, -1);
    std::string zahlung;
    if (erloes > 0)
        zahlung = ", f\xfcr den Sie " + std::string(Geld_Text(float(erloes), mensch, -1)) + " zahlen. " +
                  News_Transfer_Saldo(mensch, float(preis), float(erloes));
    return News_Add(-1, mensch, -1, NEWS_ANTWORT_NOETIG, kopf,
                    "Angebot: %s bietet %s f\xfcr %s und gibt Ihnen dazu %s%s%s Verkaufen Sie?", verein.c_str(),
                    geld.c_str(), spieler.c_str(), tausch.c_str(), zahlung.c_str(), erloes > 0 ? "" : ".") == 1;
}

void Angebot_Verlaengerungen() {
    if (Club_Ist_Client()) return;
    int32_t kader[TEAM_SPIELER_MAX];
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Team_Ist_Normal(t, 0)) continue;
        const bool compi = Compi_Ist_Compi(t);
        if (!compi && !Team_Hat_Manager(t)) continue;
        const int32_t n = Teamspieler_Ins_Array(t, kader, TEAM_SPIELER_MAX, 0);
        for (int32_t i = 0; i < n; ++i) {
            if (Rnd(0, VERLAENGERUNG_CHANCE - 1) != 0) continue;
            const int32_t p = kader[i], kosten = Angebot_Verlaengerung_Kosten(p);
            if (kosten <= 0) continue;
            if (compi) {
                if (Bank_Kontostand(t, false, -1) >= kosten) Verlaengern(t, p, kosten);
                else Enttaeuscht(p);
                continue;
            }
            const int32_t kopf[NEWS_KOPF_WORTE] = {ANFRAGE_ART_SPIELER, t, -1, Tag_Index() + VERLAENGERUNG_FRIST, p, -1,
                                                   kosten, ANGEBOT_VERLAENGERUNG, 0, -1};
            const std::string name = Name(p), geld = Geld_Text(float(kosten), t, -1);
            News_Add(-1, t, -1, NEWS_ANTWORT_NOETIG, kopf,
                     "%s m\xf6" "chte seinen Vertrag verl\xe4ngern. Das kostet %s. Sind Sie einverstanden?", name.c_str(),
                     geld.c_str());
        }
    }
}

void Angebot_Antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall) {
    if (!kopf || fall != Richter_Fall::ANTWORT || Club_Ist_Client()) return;
    const int32_t team = kopf[1], spieler = kopf[4], preis = kopf[6];
    if (team < 0 || team >= Team_Anzahl() || spieler < 0 || spieler >= Spieler_Anzahl() ||
        Spieler_Get_Team(spieler) != team || preis <= 0) {
        Debug_Printf("Angebot_Antwort: Spieler %d nicht mehr bei Team %d\n", spieler, team);
        return;
    }
    const bool ja = kopf[NEWS_KOPF_ANTWORT] == 1;
    if (kopf[7] == ANGEBOT_VERLAENGERUNG) {
        if (ja) Verlaengern(team, spieler, preis);
        else Enttaeuscht(spieler);
        return;
    }
    const int32_t club = kopf[2], tausch = kopf[5], erloes = kopf[8];
    if (kopf[7] != ANGEBOT_KAUF || !Compi_Ist_Compi(club) || erloes < 0 || tausch < 0 || tausch >= Spieler_Anzahl() ||
        Spieler_Get_Team(tausch) != club || Spieler_Get_Art(tausch) != Spieler_Get_Art(spieler)) {
        Debug_Printf("Angebot_Antwort: Angebot von Team %d fuer Spieler %d ungueltig\n", club, spieler);
        return;
    }
    if (!ja) return;
    // The sale runs as every transfer does: the buying club pays the price and
    // the human manager's club the exchanged player's proceeds, both as the
    // offer named them; he reads it in his news.
    if (Spieler_Transfer_Ausfuehren(club, team, tausch, spieler, float(preis), erloes > 0 ? float(erloes) : -1.0f))
        return;
    const std::string name = Name(spieler), verein = Verein(club);
    News_Add(-1, team, -1, NEWS_HINWEIS, nullptr, "Der Wechsel von %s zu %s kommt nicht zustande.", name.c_str(),
             verein.c_str());
}

void Angebot_Spieler_Gegangen(int32_t spieler, int32_t) {
    if (Club_Ist_Client() || spieler < 0) return;
    News_Loeschen_Nach(ANFRAGE_ART_SPIELER, 4, spieler);
    News_Loeschen_Nach(ANFRAGE_ART_SPIELER, 5, spieler);
}

}  // namespace velmora
