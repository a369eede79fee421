// business/news_anfrage.cpp - showing the pending news, requests and answers.
#include "business/news_anfrage.h"

#include <cstring>

#include "business/news.h"
#include "business/news_netz.h"
#include "business/news_satz.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/meldung.h"
#include "core/str.h"
#include "core/text.h"
#include "net/richter.h"
#include "season/kalender.h"

namespace velmora {
namespace {

struct AnzeigeModul {
    int32_t halten = 0;              // frames to wait after a modal state ended
    NewsAntwortDaten daten;          // the open requester's
    bool runde = false;              // a check round runs
    bool erste_runde = true;
    uint32_t letzte_runde = 0;
    bool ohne_requester_gemeldet = false;
    bool gehalten = false;           // a box holds the check (said once)
};
AnzeigeModul g;
NewsHooks g_hooks;

const char* text_oder(const char* screen, int32_t nummer, const char* ersatz) {
    const char* t = Text_Get(screen, nummer);
    return t ? t : ersatz;
}

// Whether a pop-up may be shown: only while the screen framework says so, the
// item is from today and its sender's manager is not at the machine now.
bool popup_zeigen(int32_t index) {
    int32_t icon = g_hooks.icon_707_flags ? g_hooks.icon_707_flags() : -1;
    if (icon == -1) return true;
    const int32_t* kopf = News_Get_Kopf(index);
    return !(icon & 2) && kopf[0] == Tag_Index() && !Team_Hat_Aktiven_Manager(kopf[1]);
}

const char* antwort_text(int32_t team, int32_t antwort) {
    return Str_Format(antwort ? "(%s sagt ja!)" : "(%s sagt nein!)", Manager_Name(team));
}

bool requester_oeffnen(int32_t team, int32_t index) {
    if (!g_hooks.requester) {
        if (!g.ohne_requester_gemeldet)
            Debug_Printf("News_Anfragen_Pruefen: keine Abfrage moeglich, Anfragen bleiben offen\n");
        g.ohne_requester_gemeldet = true;
        return false;
    }
    const int32_t* kopf = News_Get_Kopf(index);
    if (kopf[0] == ANFRAGE_ART_EREIGNIS && kopf[8] != 0 && g_hooks.hinweis_sound) g_hooks.hinweis_sound(kopf[8]);
    g.daten = NewsAntwortDaten{team, index, News_Get_Id(index)};
    const char* text = News_Text(index);
    return g_hooks.requester(team, text, text_oder("WERBUNG_SCREEN", NEWS_TEXT_JA, "Ja"),
                             text_oder("WERBUNG_SCREEN", NEWS_TEXT_NEIN, "Nein"), &g.daten);
}

void antworten(const NewsAntwortDaten* daten, int32_t antwort) {
    if (!daten) return;
    if (!News_Ist_Offen()) {
        Debug_Printf("News_Antwort: News-Modul nicht initialisiert !!!\n");
        return;
    }
    // By its id: items may have moved in the index while the requester was open.
    int32_t index = News_Index_Von_Id(daten->id);
    int32_t flags = index >= 0 ? News_Get_Flags(index, daten->team) : -1;
    if (flags == -1) {
        Debug_Printf("News_Antwort: Anfrage %u fuer Team %d nicht mehr vorhanden\n", daten->id, daten->team);
        return;
    }
    uint32_t id = daten->id;
    int32_t team = daten->team;
    if (Club_Netzwerk_Modus() != 1) {
        News_Antwort_Eintragen(team, id, antwort);
        return;
    }
    // A client tells the server which request it answers and how; the server
    // builds the answer from the request it holds.
    int32_t kopf[NEWS_KOPF_WORTE];
    std::memcpy(kopf, News_Get_Kopf(index), sizeof kopf);
    kopf[NEWS_KOPF_ANFRAGE_ID] = int32_t(id);
    kopf[NEWS_KOPF_ANTWORT] = antwort;
    News_Add(team, News_Get_Absender(index), -1, int32_t(NEWS_ANTWORT), kopf, "%s", antwort_text(team, antwort));
    index = News_Index_Von_Id(id);
    if (index >= 0) News_Set(index, -1, -1, NEWS_SET_LOESCHEN);
}

}  // namespace

NewsHooks& News_Hooks() { return g_hooks; }

int32_t News_Lokales_Team() { return Club_Netzwerk_Modus() == 1 ? Club_Client_Team() : Kalender_Aktives_Team(); }

int32_t News_Anfragen_Pruefen(int32_t team) {
    if (!News_Ist_Offen()) {
        Debug_Printf("News_Anfragen_Pruefen: News-Modul nicht initialisiert !!!\n");
        return 0;
    }
    int32_t modus = Club_Netzwerk_Modus();
    if (modus == 2 && g_hooks.server_vorbereiten) g_hooks.server_vorbereiten();
    if (g_hooks.modal_offen && g_hooks.modal_offen()) {
        // Said once a hold: nothing of the news (a client's pages neither)
        // is fetched or shown while a box waits for its answer.
        if (!g.gehalten) Debug_Printf("News_Anfragen_Pruefen: eine offene Abfrage haelt die Nachrichten an (Team %d)\n", team);
        g.gehalten = true;
        g.halten = 1;
        return 1;
    }
    g.gehalten = false;
    if (g.halten) {
        --g.halten;
        return 1;
    }
    if (modus == 1 && team == Club_Client_Team()) {
        if (g_hooks.client_vorbereiten) g_hooks.client_vorbereiten(team);
        News_Client_Holen(team);
        // What the preparation sent ahead and nobody took is not kept for later.
        Club_Remote_Vorab_Ende();
    }
    bool behandelt = false;
    NewsSatz satz;
    for (int32_t i = News_Suche_Flags(team, int32_t(NEWS_ANZEIGE_MASKE), 0, NEWS_ANZEIGE_AUSSER); i >= 0;
         i = News_Suche_Weiter()) {
        uint32_t f = News_Walk_Flags();
        if (f & NEWS_ANKUENDIGUNG) {
            if (modus == 1 && News_Satz_Holen(i, satz)) {
                // A page the buffer cannot take now waits on the server and
                // here for a later round: handled, it would be lost.
                if (g_hooks.ankuendigung && !g_hooks.ankuendigung(reinterpret_cast<const uint8_t*>(satz.text.data()),
                                                                  int32_t(satz.text.size())))
                    continue;
                if (!g_hooks.ankuendigung) Debug_Printf("News_Anfragen_Pruefen: keine Ankuendigungen, Eintrag verworfen\n");
            }
            News_Set(i, team, -1, NEWS_SET_LOESCHEN);
            behandelt = true;
            continue;
        }
        if ((f & NEWS_POPUP) && g_hooks.notiz) {
            // From today, its sender not at this machine: a note, never a box.
            const int32_t* kopf = News_Get_Kopf(i);
            if (kopf[0] == Tag_Index() && !Team_Hat_Aktiven_Manager(kopf[1])) g_hooks.notiz(News_Text(i));
            News_Set(i, team, -1, NEWS_SET_LOESCHEN);
            behandelt = true;
            continue;
        }
        if ((f & NEWS_POPUP) && !popup_zeigen(i)) {
            News_Set(i, -1, -1, NEWS_SET_LOESCHEN);
            behandelt = true;
            continue;
        }
        if (f & NEWS_ANFRAGE) {
            // Without a requester the request waits for one (or its deadline).
            if (!requester_oeffnen(team, i)) continue;
        } else {
            Message_An_Manager(0, team, "%s", News_Text(i));
            News_Set(i, team, -1, NEWS_SET_LOESCHEN);
        }
        if (modus == 1 && g_hooks.client_nachladen) g_hooks.client_nachladen(team);
        return 1;
    }
    return behandelt ? 1 : 0;
}

void News_Antwort_Ja(const NewsAntwortDaten* daten) { antworten(daten, 1); }
void News_Antwort_Nein(const NewsAntwortDaten* daten) { antworten(daten, 0); }

uint32_t News_Antwort_Eintragen(int32_t team, uint32_t id, int32_t antwort) {
    if (!News_Ist_Offen()) {
        Debug_Printf("News_Antwort_Eintragen: News-Modul nicht initialisiert !!!\n");
        return 0;
    }
    int32_t index = id ? News_Index_Von_Id(id) : -1;
    int32_t flags = index >= 0 ? News_Get_Flags(index, team) : -1;
    if (flags == -1 || !(uint32_t(flags) & NEWS_ANFRAGE) || (antwort != 0 && antwort != 1)) {
        Debug_Printf("News_Antwort_Eintragen: keine offene Anfrage %u fuer Team %d (Antwort %d)\n", id, team, antwort);
        return 0;
    }
    uint32_t f = uint32_t(flags);
    if ((f & NEWS_HALTEN) == NEWS_HALTEN) f &= ~NEWS_HALTEN;
    f &= ~(NEWS_ANFRAGE | NEWS_ANTWORT);
    int32_t kopf[NEWS_KOPF_WORTE];
    std::memcpy(kopf, News_Get_Kopf(index), sizeof kopf);
    kopf[NEWS_KOPF_ANTWORT] = antwort;
    int32_t sender = News_Get_Absender(index);
    uint32_t antwort_id = 0;
    if (News_Eintragen(0, -1, team, sender, -1, int32_t(f | NEWS_ANTWORT), kopf, antwort_text(team, antwort)))
        antwort_id = News_Letzte_Id();
    // The answer may have pushed the oldest item out of a full index; the
    // request goes for every recipient, so nobody answers it twice.
    index = News_Index_Von_Id(id);
    if (index >= 0) News_Set(index, -1, -1, NEWS_SET_LOESCHEN);
    return antwort_id;
}

void News_Manager_Nachricht() {
    if (Club_Netzwerk_Modus() == 0) return;
    int32_t team = News_Lokales_Team();
    if (team < 0) {
        Debug_Printf("News_Manager_Nachricht: kein lokaler Manager\n");
        return;
    }
    int32_t kopf[NEWS_KOPF_WORTE] = {-1, -1, -1, -1, 0, 0, 0, 0, 0, 0};
    kopf[0] = Tag_Index();
    kopf[1] = team;
    News_Add(team, -1, -1, int32_t(NEWS_POPUP | NEWS_NACHRICHT), kopf, "%s (%s) %s", Manager_Name(team),
             Team_String(TS_NAME, team, 0, 0), text_oder("REST_PIRAK", NEWS_TEXT_WEITER, "ist fertig."));
}

void News_Runde(uint32_t jetzt) {
    if (!News_Ist_Offen()) return;
    if (!g.runde && (g.erste_runde || jetzt - g.letzte_runde >= NEWS_RUNDE_MS)) {
        g.erste_runde = false;
        g.letzte_runde = jetzt;
        Richter_Kredit_Antworten();
        g.runde = true;
    }
    if (!g.runde) return;
    int32_t team = News_Lokales_Team();
    if (team < 0 || News_Anfragen_Pruefen(team) == 0) g.runde = false;
}

void News_Runde_Vorziehen() { g.erste_runde = true; }

bool News_Anfrage_Offen() {
    NewsSatz s;
    for (int32_t i = 0; i < News_Anzahl(); ++i) {
        if (!News_Satz_Holen(i, s)) continue;
        for (const NewsPaar& p : s.paare)
            if (p.team != NEWS_TEAM_ENTFERNT && (p.flags & NEWS_ANFRAGE) && Team_Hat_Manager(p.team)) return true;
    }
    return false;
}

void News_Anzeige_Zuruecksetzen() { g = AnzeigeModul{}; }

}  // namespace velmora
