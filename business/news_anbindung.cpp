// business/news_anbindung.cpp - connects the news to the modules below it.
#include "business/news_anbindung.h"

#include <cstring>
#include <string>

#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/news_netz.h"
#include "business/news_satz.h"
#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/kader_hooks.h"
#include "club/spieler.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "match/spieltag_hooks.h"
#include "net/internet.h"
#include "net/net.h"
#include "net/richter.h"
#include "platform/clock.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int32_t NEWS_ANFRAGEN[] = {ANFRAGE_NEWS_HOLEN, ANFRAGE_NEWS_HINZUFUEGEN, ANFRAGE_NEWS_SETZEN};

struct AnbindungModul {
    bool angebunden = false;
    // The calendar's hooks as they were filled before the news took them.
    KalenderHooks vorher;
};
AnbindungModul g;

int32_t richter_suchen(int32_t ab, uint32_t maske, int32_t kopf[RICHTER_KOPF_WORTE], uint32_t* flags) {
    NewsSatz s;
    for (int32_t i = ab < 0 ? 0 : ab; i < News_Anzahl(); ++i) {
        if (!News_Satz_Holen(i, s) || s.id == 0) continue;
        for (const NewsPaar& p : s.paare) {
            if (p.team == NEWS_TEAM_ENTFERNT || !(p.flags & maske)) continue;
            std::memcpy(kopf, s.kopf, sizeof s.kopf);
            *flags = p.flags;
            return i;
        }
    }
    return -1;
}

void richter_loeschen(int32_t index) {
    News_Set(index, -1, -1, NEWS_SET_LOESCHEN);
}

void spieltag_news(int32_t team, int32_t art, const char* text) { News_Add(-1, team, -1, art, nullptr, "%s", text); }

// The manager of `team` learns of a transfer: who came, who left, the money.
void transfer_news(int32_t team, int32_t kommt, int32_t geht, float preis, float erloes) {
    std::string text = "Transfer abgeschlossen:";
    if (kommt >= 0) text += std::string(" ") + Spieler_String(505, kommt, 0, 0) + " kommt zu Ihrem Verein.";
    if (geht >= 0) text += std::string(" ") + Spieler_String(505, geht, 0, 0) + " verlaesst Ihren Verein.";
    text += std::string(" Abloese: ") + Spieltag_Hook_Geld_Text(preis, team) + ".";
    if (erloes > 0) text += std::string(" Erloes: ") + Spieltag_Hook_Geld_Text(erloes, team) + ".";
    News_Add(-1, team, -1, int32_t(NEWS_NACHRICHT | NEWS_SPIELER), nullptr, "%s", text.c_str());
}

bool server_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                    std::vector<uint8_t>& antwort) {
    return News_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

void module_init() {
    News_Datei_Oeffnen();
    News_Anzeige_Zuruecksetzen();
    if (g.vorher.module_init) g.vorher.module_init();
}

void module_free() {
    News_Datei_Schliessen();
    if (g.vorher.module_free) g.vorher.module_free();
}

void menue_frame() {
    News_Runde(Kalender_Hooks().uhr ? Kalender_Hooks().uhr() : Plat_Ms());
    if (g.vorher.menue_frame) g.vorher.menue_frame();
}

void zug_endet(int32_t team) {
    News_Manager_Nachricht();
    if (g.vorher.zug_endet) g.vorher.zug_endet(team);
}

}  // namespace

void News_Anbinden() {
    if (g.angebunden) News_Abbinden();
    ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) {
        // The news block carries the options from now on.
        Spielstand_Modul_Abmelden("Optionen");
        c.speicher_registrieren("News", Optionen_News_Save, Optionen_News_Load);
    } else {
        Debug_Printf("News_Anbinden: kein Spielstand angebunden, News werden nicht gespeichert\n");
    }
    for (int32_t id : NEWS_ANFRAGEN) Club_Anfrage_Anmelden(id, server_anfrage);
    Net_Hooks().news_client_start = News_Client_Start;
    RichterHooks& r = Richter_Hooks();
    r.news_suchen = richter_suchen;
    r.news_loeschen = richter_loeschen;
    r.heute = Tag_Index;
    Spieltag_Hooks().news = spieltag_news;
    Kader_Hooks().transfer_news = transfer_news;
    KalenderHooks& k = Kalender_Hooks();
    g.vorher = k;
    k.module_init = module_init;
    k.module_free = module_free;
    k.menue_frame = menue_frame;
    k.zug_endet = zug_endet;
    k.anfrage_offen = News_Anfrage_Offen;
    g.angebunden = true;
}

void News_Abbinden() {
    if (!g.angebunden) return;
    Spielstand_Modul_Abmelden("News");
    for (int32_t id : NEWS_ANFRAGEN) Internet_Server_Abmelden(id);
    Net_Hooks().news_client_start = nullptr;
    Richter_Hooks() = RichterHooks{};
    Spieltag_Hooks().news = nullptr;
    Kader_Hooks().transfer_news = nullptr;
    KalenderHooks& k = Kalender_Hooks();
    k.module_init = g.vorher.module_init;
    k.module_free = g.vorher.module_free;
    k.menue_frame = g.vorher.menue_frame;
    k.zug_endet = g.vorher.zug_endet;
    k.anfrage_offen = g.vorher.anfrage_offen;
    News_Datei_Schliessen();
    g = AnbindungModul{};
}

}  // namespace velmora
