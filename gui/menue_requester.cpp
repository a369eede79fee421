// gui/menue_requester.cpp - the requester and the requesters waiting behind it.
#include "gui/menue_requester.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <string>

#include "core/debug.h"
#include "core/text.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/shade.h"
#include "gfx/text_layout.h"
#include "gfx/text_markup.h"
#include "gui/icon.h"
#include "gui/menue.h"
#include "gui/menue_lokal.h"
#include "media/sound.h"

namespace velmora {
namespace {

constexpr int32_t ICON_REQUESTER_HINTERGRUND = 715;
constexpr int32_t SLAVE_RAHMEN = 4014, SLAVE_MANAGER_LEER = 4015, SLAVE_KNOPF_1 = 4017, SLAVE_KNOPF_1_GEDRUECKT = 4016,
                  SLAVE_KNOPF_2 = 4019, SLAVE_KNOPF_2_GEDRUECKT = 4018;
constexpr int32_t SLAVE_MANAGERBILD = 12070, MANAGERBILDER = 12;
constexpr int32_t TEXT_JA = 25, TEXT_NEIN = 26, TEXT_OK = 27;
constexpr int32_t SAMPLE_REQUESTER = 14;
constexpr uint32_t FARBE_AN = 0xFEAC, FARBE_AUS = 0xFFFF;

struct Anfrage {
    int32_t modus = 1;
    int32_t team = -1;
    std::string text, label_1, label_2;
    RequesterProc proc_1 = nullptr, proc_2 = nullptr;
    void (*ja)() = nullptr;   // a question's first button (no values)
    int32_t werte_1[REQUESTER_WERTE] = {}, werte_2[REQUESTER_WERTE] = {};
    std::optional<RequesterPerson> person;   // whom it shows, when not the local club's manager
};

struct RequesterModul {
    bool offen = false;
    Anfrage aktuell;
    std::deque<Anfrage> wartend;
    std::map<int32_t, std::deque<std::string>> nachrichten;   // kept for the team's next turn
    s_icon hintergrund, rahmen, knopf_1, knopf_2;
    s_icon_text text_1, text_2;
};
RequesterModul g;

const char* Screen_Text(int32_t nummer) {
    return Text_Oder_Leer(MENUE_TEXTE, nummer);
}

// The clubs and the calendar, as the root tells the framework.
const MenueSpielHooks& H() { return Menue_Spiel_Hooks(); }
const char* Team_Text(MenueTeamText art, int32_t team) { return H().team_text ? H().team_text(art, team) : ""; }

// A text of the caller cut to `max` characters; markup characters are drawn
// as they stand (the circumflex becomes its spacing form, which looks alike).
std::string Kopie(const char* text, int32_t max) {
    std::string s = text ? std::string(text, strnlen(text, size_t(max))) : std::string();
    std::replace(s.begin(), s.end(), '^', '\x88');
    return s;
}

void Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    const int32_t lokal = Menue_Lokal().team;
    const int32_t team = icon->d;
    const char* manager = team >= 0 ? Team_Text(MenueTeamText::MANAGER, team) : "";
    const char* neuer = Text_Get("ULVO_ZUSATZ", 104);
    const std::optional<RequesterPerson>& person = g.aktuell.person;
    const bool normal = !person && lokal >= 0 && H().team_ist_normal && H().team_ist_normal(lokal) &&
                        !(neuer && std::strcmp(manager, neuer) == 0);
    // Whose picture and crest: the person asked about, the local club's
    // manager, else the transfer market's crest beside the empty picture.
    const int32_t wappen = person ? person->verein : normal ? lokal : H().team_markt ? H().team_markt() : -1;
    const int32_t portrait = person ? person->portrait : normal && H().team_portrait ? H().team_portrait(lokal) : -1;
    static const SchattenParameter schatten{2, 2, 3, 0};
    if (wappen >= 0 && H().wappen_zeichnen)
        H().wappen_zeichnen(wappen, ziel, 549, 213, MENUE_WAPPEN_GROESSE, MENUE_WAPPEN_GROESSE, &schatten);
    Rastport* bild = portrait >= 0 && portrait < MANAGERBILDER ? Menue_Get_Slave_Rastport(SLAVE_MANAGERBILD + portrait, nullptr)
                                                                : nullptr;
    if (bild) Rastport_Blit(bild, 0, 0, -1, -1, ziel, 131, 172, BlitMode_Default);
    else if (Rastport* leer = Menue_Get_Slave_Rastport(SLAVE_MANAGER_LEER, nullptr))
        Rastport_Blit(leer, 0, 0, -1, -1, ziel, 105, 168, BlitMode_Key);
    Font* gross = Font_Get(14);
    if (person) {
        Text_Schatten_Print(ziel, gross, "^c%05d%s", 250, 190, int32_t(FARBE_AUS), person->name.c_str());
        if (person->verein >= 0)
            Text_Schatten_Print(ziel, gross, "^c%05d%s", 250, 215, int32_t(FARBE_AUS), Team_Text(MenueTeamText::NAME, person->verein));
    } else {
        if (team >= 0) Text_Schatten_Print(ziel, gross, "^c%05d%s", 250, 190, int32_t(FARBE_AUS), manager);
        if (normal) Text_Schatten_Print(ziel, gross, "^c%05d%s", 250, 215, int32_t(FARBE_AUS), Team_Text(MenueTeamText::NAME, lokal));
    }
    // The body justified in lines 33 pixels apart.
    constexpr int32_t ZEILE = 33;
    Textsatz_Box(ziel, Font_Get(11), g.aktuell.text.c_str(), x + 18, x + 645, y + 127, y + 286, uint16_t(FARBE_AUS),
                 TEXTSATZ_BLOCKSATZ, ZEILE);
}

s_icon Icon(int32_t nummer, int32_t x, int32_t y, int32_t bild, int8_t pri) {
    return Menue_Icon_Neu(nummer, x, y, bild, ICON_TYP_MODAL, pri);
}

s_icon_text Beschriftung(const std::string& text) {
    s_icon_text t;
    t.font = 9;
    t.flags = 0x10 | 0x20;
    t.farbe_an = FARBE_AN;
    t.farbe_aus = FARBE_AUS;
    t.text = text.c_str();
    t.y = -2;
    return t;
}

void Zeigen(bool klang = true) {
    Anfrage& a = g.aktuell;
    // The backdrop darkens a copy of the screen as it stands now: drawn
    // first, so a requester opened before the frame (a turn's first message)
    // lies over the screen, not over the last frame's picture.
    if (Rastport_Target()) Menue_Screen_Refresh();
    g.hintergrund = Icon(ICON_REQUESTER_HINTERGRUND, 0, 0, -1, 23);
    g.hintergrund.typ |= ICON_TYP_HINTERGRUND;
    g.rahmen = Icon(ICON_REQUESTER_RAHMEN, 66, 158, SLAVE_RAHMEN, 24);
    g.rahmen.Status = ICON_ST_KEY;
    g.rahmen.zeichnen = Zeichnen;
    g.rahmen.d = a.team;
    g.knopf_1 = Icon(ICON_REQUESTER_KNOPF_1, 71, 409, SLAVE_KNOPF_1, 25);
    g.knopf_1.bild_gedrueckt = SLAVE_KNOPF_1_GEDRUECKT;
    g.knopf_2 = Icon(ICON_REQUESTER_KNOPF_2, 649, 406, SLAVE_KNOPF_2, 25);
    g.knopf_2.bild_gedrueckt = SLAVE_KNOPF_2_GEDRUECKT;
    g.text_1 = Beschriftung(a.label_1);
    g.text_2 = Beschriftung(a.label_2);
    for (auto [k, t] : {std::pair{&g.knopf_1, &g.text_1}, std::pair{&g.knopf_2, &g.text_2}}) {
        k->typ |= ICON_TYP_TEXT;
        k->Status = ICON_ST_DRUCK | ICON_ST_KEY;
        k->Main_P = Menue_Requester_Klick;
        k->daten = t;
    }
    if (a.modus != 2) {
        g.knopf_1.Status |= ICON_ST_VERSTECKT;
        if (!a.proc_2) a.proc_2 = a.proc_1;
    }
    for (s_icon* i : {&g.hintergrund, &g.rahmen, &g.knopf_1, &g.knopf_2}) Menue_Screen_Icon_Hinzufuegen(i);
    if (a.modus != 2) Menue_Set_Rechtsklick_Icon(ICON_REQUESTER_KNOPF_1);
    // Return answers with the first button of a question ("Ja") or the only
    // one ("OK"), Escape with the last ("Nein" or "OK").
    Menue_Set_Tasten_Icons(a.modus == 2 ? ICON_REQUESTER_KNOPF_1 : ICON_REQUESTER_KNOPF_2, ICON_REQUESTER_KNOPF_2);
    g.offen = true;
    if (klang) Sample_Spielen_Einzeln(SAMPLE_REQUESTER, false);
}

void Schliessen() {
    for (s_icon* i : {&g.knopf_2, &g.knopf_1, &g.rahmen, &g.hintergrund}) Menue_Screen_Icon_Loeschen(-1, i);
    g.offen = false;
}

void Anfragen(Anfrage a) {
    // Tables reset under an open requester (the program's start) took it off the screen.
    if (g.offen && !Menue_Screen_Icon_Ist_Vorhanden(ICON_REQUESTER_RAHMEN)) g.offen = false;
    if (g.offen) {
        // The open requester keeps its answer: this one waits behind it.
        if (int32_t(g.wartend.size()) >= REQUESTER_WARTESCHLANGE) {
            Debug_Printf("Menue_Requester: zu viele wartende Requester, \"%s\" verworfen\n", a.text.c_str());
            return;
        }
        g.wartend.push_back(std::move(a));
        return;
    }
    g.aktuell = std::move(a);
    Zeigen();
}

}  // namespace

namespace {

Anfrage Bauen(int32_t modus, int32_t team, const char* text, const char* label_1, const char* label_2,
              RequesterProc proc_1, RequesterProc proc_2, int32_t anzahl_1, const int32_t* werte_1, int32_t anzahl_2,
              const int32_t* werte_2) {
    Anfrage a;
    a.modus = modus;
    a.team = team;
    if (modus == 2 && (!label_1 || !label_2)) {
        label_1 = Screen_Text(TEXT_JA);
        label_2 = Screen_Text(TEXT_NEIN);
    } else if (modus != 2 && !label_1) {
        label_2 = Screen_Text(TEXT_OK);
    }
    a.label_1 = Kopie(label_1, REQUESTER_LABEL_MAX);
    a.label_2 = Kopie(label_2, REQUESTER_LABEL_MAX);
    a.text = Kopie(text, REQUESTER_TEXT_MAX);
    a.proc_1 = proc_1;
    a.proc_2 = proc_2;
    if (werte_1) std::copy_n(werte_1, std::clamp(anzahl_1, 0, REQUESTER_WERTE), a.werte_1);
    if (werte_2) std::copy_n(werte_2, std::clamp(anzahl_2, 0, REQUESTER_WERTE), a.werte_2);
    return a;
}

}  // namespace

void Menue_Requester(int32_t modus, int32_t team, const char* text, const char* label_1, const char* label_2,
                     RequesterProc proc_1, RequesterProc proc_2, int32_t anzahl_1, const int32_t* werte_1,
                     int32_t anzahl_2, const int32_t* werte_2) {
    Anfragen(Bauen(modus, team, text, label_1, label_2, proc_1, proc_2, anzahl_1, werte_1, anzahl_2, werte_2));
}

void Menue_Requester_Person(int32_t modus, const RequesterPerson& person, const char* text, RequesterProc proc_1,
                            RequesterProc proc_2) {
    Anfrage a = Bauen(modus, -1, text, nullptr, nullptr, proc_1, proc_2, 0, nullptr, 0, nullptr);
    a.person = person;
    a.person->name = Kopie(person.name.c_str(), REQUESTER_LABEL_MAX);
    Anfragen(std::move(a));
}

void Menue_Requester_Frage(int32_t team, const char* text, const char* ja_text, const char* nein_text, void (*ja)()) {
    Anfrage a = Bauen(2, team, text, ja_text, nein_text, nullptr, nullptr, 0, nullptr, 0, nullptr);
    a.ja = ja;
    Anfragen(std::move(a));
}

void Menue_Requester_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !g.offen || !(ereignis & (EV_LINKS | EV_RECHTS))) return;
    const Anfrage a = g.aktuell;
    Schliessen();
    if (icon->nummer == ICON_REQUESTER_KNOPF_1) {
        if (a.ja) a.ja();
        else if (a.proc_1) a.proc_1(a.werte_1, a.werte_2);
    } else if (a.proc_2) {
        a.proc_2(a.werte_1, a.werte_2);
    }
    Samples_Stop();
    if (!g.offen && !g.wartend.empty()) {
        g.aktuell = std::move(g.wartend.front());
        g.wartend.pop_front();
        Zeigen();
    }
}

bool Menue_Nachricht_An_Manager(int32_t team, const char* text) {
    const int32_t dran = H().aktives_team ? H().aktives_team() : -1;
    if (team < 0) team = dran;
    if (team < 0 || !H().team_hat_manager || !H().team_hat_manager(team)) return false;
    if (team == dran) {
        Menue_Requester(1, team, text, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
        return true;
    }
    std::deque<std::string>& liste = g.nachrichten[team];
    if (int32_t(liste.size()) >= REQUESTER_NACHRICHTEN) liste.pop_front();
    liste.push_back(Kopie(text, REQUESTER_TEXT_MAX));
    return true;
}

void Menue_Nachrichten_Zeigen(int32_t team) {
    auto it = g.nachrichten.find(team);
    if (it == g.nachrichten.end()) return;
    std::deque<std::string> liste = std::move(it->second);
    g.nachrichten.erase(it);
    for (const std::string& t : liste)
        Menue_Requester(1, team, t.c_str(), nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr);
}

int32_t Menue_Nachrichten_Wartend(int32_t team) {
    auto it = g.nachrichten.find(team);
    return it == g.nachrichten.end() ? 0 : int32_t(it->second.size());
}

bool Menue_Requester_Offen() { return g.offen; }

void Menue_Requester_Auflegen() {
    if (!g.offen || Menue_Screen_Icon_Ist_Vorhanden(ICON_REQUESTER_RAHMEN)) return;
    Debug_Printf("Menue_Requester: vom Bildschirm geraeumt, wieder aufgelegt: \"%s\"\n", g.aktuell.text.c_str());
    Zeigen(false);
}
int32_t Menue_Requester_Wartend() { return int32_t(g.wartend.size()); }
const char* Menue_Requester_Text() { return g.offen ? g.aktuell.text.c_str() : ""; }

void Menue_Requester_Leeren() {
    if (g.offen) Schliessen();
    g.wartend.clear();
    g.nachrichten.clear();
    g.aktuell = Anfrage{};
}

}  // namespace velmora
