// screens/spielstart_netz.cpp - the start screen's network set-up: the network's
// switch, the machine's role, the search for a server and its address.
#include "screens/spielstart_intern.h"

#include <algorithm>
#include <random>
#include <string>

#include "core/str.h"
#include "core/text_format.h"
#include "gfx/blit.h"
#include "gfx/texteingabe.h"
#include "gui/menue.h"
#include "net/internet_suche.h"
#include "net/net.h"

namespace velmora::spielstart_intern {

bool Client() { return Netzwerk_Modus() == 1; }
s_icon& Netz_Icon(int32_t nummer) { return g.netz[nummer - ICON_NETZ]; }
// The set-up's on/off states (895 network, 896 server, 897 search, 898 address
// edit) stay on this machine: on a client the manager record's icons are the server's.
bool& Icon_Zustand(int32_t nummer) { return g.netz_an[std::clamp(nummer - ICON_NETZ, 0, 3)]; }
bool Icon_An(int32_t nummer) { return Icon_Zustand(nummer); }
void Icon_Setzen(int32_t nummer, bool an) { Icon_Zustand(nummer) = an; }
void Zeigen(s_icon& icon, bool an) {
    if (an) icon.Status &= ~ICON_ST_VERSTECKT;
    else icon.Status |= ICON_ST_VERSTECKT;
}

std::string Adresse_Text(const uint32_t a[4]) {
    std::string t;
    for (int32_t i = 0; i < 4; ++i) {
        if (a[i] > 255) continue;   // an empty octet is left out
        if (!t.empty()) t += ".";
        t += std::to_string(a[i]);
    }
    return t;
}

// Which icons show: the network's switch, then the machine's role.
void Netz_Regeln() {
    const bool netz = Icon_An(ICON_NETZ);
    const bool client = netz && Client();
    Zeigen(Netz_Icon(ICON_NETZ_ROLLE), netz);
    for (int32_t i : {ICON_NETZ_SUCHEN, ICON_NETZ_ADRESSE_TEXT, ICON_NETZ_ADRESSE, ICON_NETZ_PRUEFEN})
        Zeigen(Netz_Icon(i), client);
    Zeigen(Netz_Icon(ICON_NETZ_STOPP), client && g.suche_laeuft);
    Zeigen(g.start[1], !netz);
    Zeigen(g.start[2], !client);
    Zeigen(g.start[3], !client);
}

// A changed address is unchecked; octets are compared, never a combined key.
void Adresse_Gesehen() {
    if (std::equal(g.adresse, g.adresse + 4, g.adresse_gesehen)) return;
    std::copy(g.adresse, g.adresse + 4, g.adresse_gesehen);
    g.adresse_zustand = -1;
}

void Suche_Beenden() {
    g.suche_laeuft = false;
    Icon_Setzen(ICON_NETZ_SUCHEN, false);
    Netz_Regeln();
}

void Netz_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    switch (icon->nummer) {
    case ICON_NETZ: {
        const bool an = !Icon_An(ICON_NETZ);
        Icon_Setzen(ICON_NETZ, an);
        if (!an) {
            Suche_Beenden();
            Netzwerk_Modus_Setzen(0);
        } else if (Netzwerk_Modus() == 0) {
            Netzwerk_Modus_Setzen(Icon_An(ICON_NETZ_ROLLE) ? 2 : 1);
        }
        break;
    }
    case ICON_NETZ_ROLLE: {
        const bool server = !Icon_An(ICON_NETZ_ROLLE);
        Icon_Setzen(ICON_NETZ_ROLLE, server);
        if (server) Suche_Beenden();
        Netzwerk_Modus_Setzen(server ? 2 : 1);
        break;
    }
    case ICON_NETZ_SUCHEN:
        // A new search: the answers of earlier asks are cleared first.
        Icon_Setzen(ICON_NETZ_SUCHEN, true);
        Internet_Server_Suche_Zuruecksetzen();
        for (uint32_t k = 0; k < 255; ++k)
            Internet_Server_Suche_Frage(g.adresse[0], g.adresse[1], g.adresse[2], k, Net_Port(), false);
        g.suche_laeuft = true;
        g.adresse_zustand = -1;
        g.oktett_gezeigt = 255;
        break;
    case ICON_NETZ_STOPP: Suche_Beenden(); break;
    case ICON_NETZ_ADRESSE_TEXT:
    case ICON_NETZ_ADRESSE:
        Icon_Setzen(ICON_NETZ_ADRESSE_TEXT, !Icon_An(ICON_NETZ_ADRESSE_TEXT));
        std::snprintf(g.adresse_text, sizeof g.adresse_text, "%s", Adresse_Text(g.adresse).c_str());
        if (!Icon_An(ICON_NETZ_ADRESSE_TEXT)) Texteingabe_Free();
        break;
    case ICON_NETZ_PRUEFEN:
        g.adresse_zustand =
            Internet_Server_Suche_Frage(g.adresse[0], g.adresse[1], g.adresse[2], g.adresse[3], Net_Port(), true) ? 1 : 0;
        std::copy(g.adresse, g.adresse + 4, g.adresse_gesehen);
        break;
    default: break;
    }
    Netz_Regeln();
}

// The search's answers, read at each draw of its icon.
void Suche_Lesen() {
    if (!g.suche_laeuft) return;
    uint32_t o[4] = {g.adresse[0], g.adresse[1], g.adresse[2], g.adresse[3]};
    uint8_t offen[255] = {};
    const int32_t n = Internet_Server_Suche_Ergebnis(&o[0], &o[1], &o[2], &o[3], Net_Port(), offen);
    if (n == -1) {
        g.adresse[3] = o[3];
        std::copy(g.adresse, g.adresse + 4, g.adresse_gesehen);
        g.adresse_zustand = 1;
    } else if (n > 0) {
        std::uniform_int_distribution<int32_t> wurf(0, (255 - n) / 8);
        if (wurf(g.suche_zufall) == 0) g.oktett_gezeigt = offen[g.suche_zufall() % uint32_t(n)];
        return;
    }
    Suche_Beenden();
}

void Netz_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    if (!icon || (icon->Status & ICON_ST_VERSTECKT)) return;
    Font* f = Font_Get(11);
    switch (icon->nummer) {
    case ICON_NETZ: {
        // Under the set-up's rows (drawn before them): a client's board over
        // the lower plates; a server's team-editor plate darkened.
        if (Icon_An(ICON_NETZ) && Client()) Bild_Blit(SLAVE + START_BILD_NETZ_TAFEL, START_NETZ_X, START_NETZ_Y);
        else if (Icon_An(ICON_NETZ))
            Abdunkeln(START_PLATTE_X, START_PLATTE_Y + 3 * START_PLATTE_ABSTAND, START_PLATTE_B, START_PLATTE_H);
        if (!Icon_An(ICON_NETZ)) {
            Text_Drucken(f, "^tz0246%s", x + 10, y + 18, VERGEBEN, Text(127));
        } else {
            const uint8_t* eigene = g.eigene_adresse;
            const std::string zeile = Text_Format("%s %s %d.%d.%d.%d",
                                                  {Text(128), Text(133), eigene[0], eigene[1], eigene[2], eigene[3]});
            Text_Drucken(f, "^tz0246%s", x + 10, y + 20, WEISS, zeile.c_str());
        }
        // The play mode under the title board (at 147 it would cross the board's edge).
        Text_Drucken(f, "^tz0246%s", x + 10, 164, WEISS, Text(Icon_An(ICON_NETZ) ? 145 : 144));
        break;
    }
    case ICON_NETZ_ROLLE: Text_Drucken(f, "%s", x + 10, y + 13, WEISS, Text(Client() ? 131 : 132)); break;
    case ICON_NETZ_SUCHEN: {
        // The pointer on the stop button stops a running search.
        if (g.suche_laeuft && Menue_Get_Aktuelles_Icon() == &Netz_Icon(ICON_NETZ_STOPP)) Suche_Beenden();
        Suche_Lesen();
        const bool an = g.suche_laeuft;
        const std::string t = an ? Text_Format("%s(%d)", {Text(130), g.oktett_gezeigt}) : std::string(Text(129));
        Text_Drucken(f, "^tz0124%s", x + 10, y + 24, an ? GEWAEHLT : WEISS, t.c_str());
        break;
    }
    case ICON_NETZ_ADRESSE_TEXT: Text_Drucken(f, "^tz0190%s", x + 10, y + 29, WEISS, Text(135)); break;
    case ICON_NETZ_ADRESSE: {
        Rastport* ziel = Rastport_Target();
        if (ziel) {
            Rastport_Fill(ziel, x - 2, y - 2, icon->br + 4, icon->ho + 4, FELD_RAND, nullptr);
            Rastport_Fill(ziel, x, y, icon->br, icon->ho, FELD, nullptr);
        }
        if (!Icon_An(ICON_NETZ_ADRESSE_TEXT)) {
            Text_Drucken(f, "%s", x + 10, y + 16, VERGEBEN, Adresse_Text(g.adresse).c_str());
            break;
        }
        const int32_t r = Texteingabe_Edit(f, g.adresse_text, int32_t(sizeof g.adresse_text), 15, TEXTEINGABE_MAUS,
                                           x + 10, y + 1, 180, 22, 0, 0, nullptr, 0, 0, nullptr, WEISS);
        if (r == TEXTEINGABE_LAEUFT) break;
        Icon_Setzen(ICON_NETZ_ADRESSE_TEXT, false);
        uint32_t neu[4];
        if (r == TEXTEINGABE_ENTER && IP_Parsen(g.adresse_text, neu)) std::copy(neu, neu + 4, g.adresse);
        Adresse_Gesehen();
        break;
    }
    case ICON_NETZ_STOPP:
        Text_Drucken(f, "^tz0124%s", x + 10, y + 24, WEISS, Text(134));
        break;
    case ICON_NETZ_PRUEFEN: {
        std::string t;
        uint16_t farbe = WEISS;
        if (g.adresse_zustand < 0) {
            t = std::string(Text(136)) + ": ???";
        } else {
            const char* antwort = Text(g.adresse_zustand == 1 ? 150 : 151);
            t = std::string(Text(136)) + ": " + (antwort[0] ? antwort : (g.adresse_zustand == 1 ? "Ok" : "Error")) + ".";
            farbe = g.adresse_zustand == 1 ? uint16_t(2040) : uint16_t(64160);
        }
        Text_Drucken(f, "^tz0124%s", x + 10, y + 24, farbe, t.c_str());
        break;
    }
    default: break;
    }
}

void Netz_Icons_Anlegen() {
    struct Platz {
        int32_t nummer, x, y, b, h, pri;
    };
    constexpr Platz PLAETZE[] = {{ICON_NETZ, 150, 512, 480, 20, 1},          {ICON_NETZ_ROLLE, 150, 540, 280, 20, 1},
                                 {ICON_NETZ_SUCHEN, 285, 348, 300, 20, 2},   {ICON_NETZ_ADRESSE_TEXT, 150, 430, 240, 20, 2},
                                 {ICON_NETZ_ADRESSE, 449, 443, 200, 20, 5},  {ICON_NETZ_STOPP, 705, 430, 80, 20, 1},
                                 {ICON_NETZ_PRUEFEN, 285, 262, 220, 20, 2}};
    for (const Platz& p : PLAETZE)
        Netz_Icon(p.nummer) = Knopf(p.nummer, p.x, p.y, p.b, p.h, int8_t(p.pri), Netz_Klick, Netz_Zeichnen);
    g.netz[7] = Ende();
    char name[64];
    uint16_t port = 0;
    Net_Local_Address(name, sizeof name, &port, g.eigene_adresse);
}

}  // namespace velmora::spielstart_intern
