// club/weltgen_texte.cpp - the texts of the generated world: the game's text
// table (text.cfg) and the screen texts (te.cfg), screen by screen, with the
// sponsors' names the advertising texts and the stadium's boards share.
#include "club/weltgen_texte.h"

#include <initializer_list>
#include <string>
#include <utility>

#include "club/spieler.h"
#include "club/weltgen.h"
#include "core/config.h"
#include "core/str.h"

namespace velmora {
namespace {

const char* const VERLETZUNGEN[VERLETZUNG_ARTEN] = {
    "Prellung", "Zerrung", "Muskelfaserriss", "Muskelb\xfcndelriss", "B\xe4nderdehnung", "B\xe4nderriss",
    "Meniskusschaden", "Kreuzbandriss", "Kn\xf6" "chelbruch", "Schienbeinbruch", "Mittelfu\xdf" "bruch", "Rippenprellung",
    "Rippenbruch", "Gehirnersch\xfctterung", "Nasenbeinbruch", "Platzwunde", "Leistenzerrung", "Adduktorenzerrung",
    "Oberschenkelzerrung", "Wadenzerrung", "Achillessehnenreizung", "Achillessehnenriss", "Schulterprellung",
    "Schulterluxation", "Schl\xfcsselbeinbruch", "Handgelenkbruch", "Fingerbruch", "R\xfc" "ckenprobleme",
    "Bandscheibenvorfall", "Hexenschuss", "Knieprellung", "Kniescheibenreizung", "Sprunggelenkverstauchung",
    "Fersenprellung", "Zehenbruch", "Grippe", "Magenverstimmung", "Erk\xe4ltung", "Sehnenentz\xfcndung",
    "Schambeinentz\xfcndung", "Kapselverletzung", "Oberschenkelprellung"};

// The twenty sponsors of the advertising module (WERBUNG_SCREEN 27-46); the
// stadium's boards carry their names too.
const char* const SPONSOREN[WELTGEN_SPONSOREN] = {
    "Nordbank",      "Brauhaus Keller", "Autohaus Stern", "Elektro Blitz",  "Versicherung Fels",
    "Sportwelt",     "Mobilfunk Plus",  "Backstube Kruse", "Reisen Sonne",  "Stadtwerke",
    "Bauhof Ludwig", "Limonade Frisch", "Zeitung Kurier", "Optik Klar",     "Spedition Weit",
    "M\366bel Haus", "Schuhe Lauf", "Kaffee R\xf6stlich", "Baumarkt Hammer", "Energie Nord"};

void Screen(std::string& o, const char* name, std::initializer_list<std::pair<int32_t, const char*>> texte) {
    Config_Schreibe_Befehl(o, Str_Format("SCREEN %s", name));
    for (auto& t : texte) Config_Schreibe_Nummer_String(o, "TEXT", t.first, t.second);
}

// The training window: the talent's heading (0), the progress line's "of"
// (1), the switch's heading and label (2, 3), stop and start (4, 12), the
// panels' OK (6), the strength lost (13, 14), the crash messages (16-21),
// the injury line (22, 24), the outcome lines (27-29) and close (30); the
// film window's name line (ZUSATZTEXTE_HASK 23, filled by Text_Format).
void Screentexte_Training_Fenster(std::string& o) {
    Screen(o, "SPIELER_TRAINING2_SCREEN",
           {{0, "Trainiert wird:"}, {1, "von "}, {2, "Schonen"}, {3, "Sicher"}, {4, "Stopp"}, {6, "OK"},
            {12, "Start"}, {13, "ein halber Stern"}, {14, "ein ganzer Stern"},
            {16, "Der Spieler ist v\xf6llig entnervt und verliert Moral."},
            {17, "Der Spieler ist ersch\xf6pft und braucht Erholung."},
            {18, "Gl\xfc" "ck gehabt: der Zusammenbruch bleibt ohne Folgen."},
            {19, "Der Spieler hat sich \xfc" "bernommen und verliert an St\xe4rke."},
            {20, "Der Spieler hat sich beim Training verletzt."},
            {21, "Der Spieler bricht zusammen: die Punkte dieser Einheit sind verloren."}, {22, "Wochen"},
            {24, "Verletzung:"}, {27, "Moral verloren:"}, {28, "Fitness verloren:"}, {29, "Verlust:"},
            {30, "Schlie\xdf" "en"}});
    Screen(o, "ZUSATZTEXTE_HASK", {{23, "%s lernt:"}});
    // The camp window: its end button and message (9, 10), the results' heads
    // (11-15), the news lines (18-22) and the exhaustion warning (23).
    Screen(o, "TRAININGS_LAGER_SCREEN",
           {{9, "Lager beenden"}, {10, "Das Trainingslager ist zu Ende."}, {11, "Spieler"}, {12, "Moral"},
            {13, "Ersch\xf6pfung"}, {14, "St\xe4rke"}, {15, ""}, {18, "hat sich verletzt."},
            {19, "ist st\xe4rker geworden."}, {20, "kann noch st\xe4rker werden."}, {21, "hat"},
            {22, "abgelegt."}, {23, "Die Mannschaft ist ersch\xf6pft!"}});
}

// The transfer screen and its negotiation window: the column heads (0-10),
// the groups (11-14, 16), the head (17-19), the counter (21-23, 40, 42), the
// prospect (24), the release question (25-28), the window's money lines (30,
// 31, 33, 53), the refusals (35-37, 47, 50), the window's labels (43-46, 48,
// 57-59), its status and result lines (49, 51, 55, 56, 60), its buttons
// (61-63), a failed transfer (64) and the kinds' short names (65-68); the help texts
// of the scout buttons (ZUSATZTEXTE_HASK 4, 9), the start button (5) and the
// card button (1). Texts with a %s are filled by Text_Format.
void Screentexte_Transfer(std::string& o) {
    Screen(o, "TRANSFER_SCREEN",
           {{0, "Nr"}, {1, "Pos"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Schw\xe4" "chen"},
            {6, "Pos"}, {7, "Name"}, {8, "St\xe4rke"}, {9, "Ehrgeiz"}, {10, "Forderung"}, {11, "Startelf"},
            {12, "Ersatzbank"}, {13, "Reserve"}, {14, "Angebot des Transfermarkts"}, {16, "Scout"},
            {17, "Transfers"}, {18, "Kontostand:"}, {19, "Ihr Kader"},
            {21, "Noch"}, {22, "Marktspieler w\xe4hlen, dann Tauschspieler"}, {23, "Verhandlungen"},
            {42, "Verhandlung"}, {40, "Keine Verhandlung mehr m\xf6glich"}, {24, "hat ihn \xfc" "berzeugt"},
            {25, "Ja"}, {26, "Nein"},
            {27, "Diesen Spieler ohne Abl\xf6se abgeben? Ja: er geht, sein Verkaufswert ist %s. Nein: er bleibt."},
            {28, "Spieler"}, {30, "Verkauf"}, {31, "Kauf"}, {33, "Bilanz"}, {35, "Alle Verhandlungen sind verbraucht."},
            {36, "Zum Monatsanfang gibt es neue:"}, {37, "St\xfc" "ck."}, {43, "Forderung"}, {44, "Ihr Angebot"},
            {45, "Verhandlung"}, {46, "Sekunden"}, {47, "So viel Geld haben Sie nicht."}, {48, "Preis"},
            {49, "Uhr starten und bieten: nach 30 Sekunden ist Schluss."},
            {50, "Daf\xfcr reicht Ihr Geld nicht."}, {51, "Einigung: der Transfer gilt."},
            {53, "Danach auf dem Konto:"}, {55, "Einigung erzielt!"},
            {56, "Die Verhandlung abbrechen? Ja: Sie gehen, die Verhandlung bleibt verbraucht. Nein: Sie verhandeln weiter."}, {57, "Sek."}, {58, "Marktwert:"},
            {59, "Ehrgeiz"}, {60, "Keine Einigung."}, {61, "Abschluss"}, {62, "Verlassen"}, {63, "Scout schicken"},
            {64, "Der Wechsel von %s kam nicht zustande."}, {65, "TW"}, {66, "AB"}, {67, "MF"}, {68, "ST"}});
    // The negotiation window: what "Abschluss" costs beside the deal.
    Screen(o, "TRANSFER_SCREEN",
           {{90, "Abschluss verbraucht eine weitere Verhandlung (noch %d), Verlassen nicht."}});
    // The training screen: the column heads (0-5), points and requirement
    // (13, 14), title and start button (16, 17), the units left (40) and the
    // kinds' short names (41-44).
    Screen(o, "SPIELER_TRAINING_SCREEN",
           {{0, "Nr"}, {1, "Pos"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Lernt"}, {13, "Punkte"},
            {14, "n\xf6tig:"}, {16, "Training"}, {17, "Training starten"}, {40, "Freie Einheiten:"}, {41, "TW"},
            {42, "AB"}, {43, "MF"}, {44, "ST"}});
    // The camp booking page: the camps left (5), a camp running (6).
    Screen(o, "TRAININGS_LAGER_SCREEN", {{5, "Trainingslager frei in dieser Saison:"}, {6, "Das Trainingslager l\xe4uft."}});
    Screen(o, "ZUSATZTEXTE_HASK", {{4, "Den gew\xe4hlten Scout auf die Suche schicken"},
                                   {5, "Die Uhr der Verhandlung starten"}, {9, "Einen anderen Scout w\xe4hlen"}});
}

// The match-day pages, the competition screens and the club ranking.
void Screentexte_Spieltag(std::string& o) {
    Screen(o, "REST_PIRAK",
           {{11, "Noch keine Eins\xe4tze in dieser Saison."}, {12, "Die Besten"}, {138, "Tore"}, {139, ". Min."},
            {140, "Keine Tore"}, {141, "Zuschauer"}, {146, "Platz"}, {147, "Verein"}, {148, "Punkte"},
            {149, "Tordifferenz"}, {150, "Seite zur\xfc" "ck"}, {151, "Seite vor"}, {152, "Weiter"}, {153, "Begegnung"},
            {154, "Ergebnis"}, {155, "Wertung"}, {156, "Hinspiel"}});
    Screen(o, "ULVO_ZUSATZ",
           {{157, "Eins\xe4tze"}, {158, "Tore"}, {159, "Vorlagen"}, {160, "Gelbe Karten"}, {161, "Platzverweise"},
            {162, "Spielminuten"}, {163, "Titel"}, {164, "Titelchronik"}, {165, "Ewige Top 10"}, {166, "Marktwert"},
            {185, "Eigentor"}, {186, "Elfmeter"}, {187, "Torsch\xfcsse"}, {188, "Ecken"}, {189, "Abseits"},
            {190, "Gelbe Karten"}, {191, "Platzverweise"}, {192, "Verletzungen"}, {193, "Fouls"},
            {194, "Zweik\xe4mpfe gewonnen"}, {195, "Zweik\xe4mpfe verloren"}, {196, "P\xe4sse angekommen / gespielt"},
            {197, "Ballkontakte"}, {198, "Ballbesitz"}});
    Screen(o, "OPTIONEN_SCREEN", {{28, "Sieger"}});
    Screen(o, "TABELLE_SCREEN",
           {{0, "Alle Spiele"}, {1, "Heimspiele"}, {2, "Ausw\xe4rtsspiele"}, {3, "Bis Spieltag"}, {4, "Ganze Saison"},
            {5, "Tabelle"}, {7, "Platz"}, {8, "Verein"}, {9, "Sp."}, {10, "S"}, {11, "U"}, {12, "N"}, {13, "Pkt."},
            {14, "Tore"}, {15, "Diff."}, {16, "Trend"}, {17, "vor dem"}, {18, "nach dem"}, {20, "Spielplan"},
            {21, "St\xe4rke"}, {22, "Heim"}, {23, "Gast"}, {24, "Ergebnis"}, {25, "Alle Spiele von"},
            {29, "Vergleich"}, {30, "Nr."}, {32, "\xd8 Marktwert"}, {33, "Tabelle nach dem"}, {34, "Tabelle vor dem"},
            {35, "Teams"}, {36, "weiter"}, {37, "ausgeschieden"}, {38, "Land"}, {39, "Status"}, {40, "Liga"},
            {41, "noch dabei"}, {42, "Spiele am"}, {43, "spielfrei"}, {44, "An diesem Spieltag wird nicht gespielt."},
            {46, "Sieger"}, {47, "Finalist"}, {49, "Alle Spieler"}, {55, "Alle Spieler"}, {56, "Startelf"},
            {59, "Gesamtwert"}, {60, "\xd8 Sterne"}, {61, "Spieler"}, {62, "Sterne"},
            // Texts 17, 18, 33 and 34 before a feminine round name ("1. Runde").
            {63, "vor der"}, {64, "nach der"}, {65, "Tabelle nach der"}, {66, "Tabelle vor der"}});
    Screen(o, "RANGLISTE_SCREEN",
           {{0, "Letzte Spiele"}, {1, "Saisonpunkte"}, {2, "Formtabelle"},
            {3, "Die letzten zehn Spiele Ihres Vereins"}, {4, "Die Vereine nach den Punkten dieser Saison"},
            {5, "Die Vereine nach den Punkten der letzten zehn Spiele"}, {6, "Rang"}, {7, "Verein"}, {8, "Titel"},
            {9, "Manager"}, {10, "Spieler"}, {11, "Punkte"}, {12, "Wettbewerb"}});
}

// The player windows: the card, the talents screen, the talent list window
// and the training questions it asks.
void Spieler_Fenster_Texte(std::string& o) {
    Screen(o, "SPIELER_INFO_SCREEN",
           {{0, "Belastung"}, {1, "St\xe4rke"}, {2, "Ehrgeiz"}, {3, "Alter"}, {4, "Talente"}, {5, "Schw\xe4" "chen"},
            {6, "Im Training"}, {7, "Saison"}, {8, "Spiele"}, {9, "Tore"}, {10, "Gelbe Karten"}, {11, "Gelb-Rot"},
            {12, "Rote Karten"}, {13, "Gehalt"}, {14, "Marktwert"}, {16, "Zustand"}, {17, "Gelbsperre"},
            {18, "Gelb-Rot-Sperre"}, {19, "Rotsperre"}, {20, "Wochen"}, {21, "Woche"},
            {22, "Kein Talent im Training"}, {23, "Verletzung"}, {24, "Sperre"}, {25, "Einsatzbereit"},
            {26, "Saisonstatistik"}, {28, "Verein:"}, {29, "Nationalteam:"}, {30, "Spiele"}, {31, "Spiel"}});
    Screen(o, "SPIELER_TALENTE_SCREEN",
           {{0, "Talente"}, {1, "Braucht:"}, {2, " bis "}, {3, " halbe Sterne"}, {4, " Punkte zum Lernen"},
            {5, "Talente"}, {6, "Ehrgeiz"}, {15, "Preis: "}, {16, "pro Einheit"}, {17, "Wirkung:"},
            {18, "Sch\xfctzt vor"}, {19, "Klick: Training beginnen"}, {20, "Jetzt nicht trainierbar"}});
    Screen(o, "SPIELER_TRAINING_SCREEN",
           {{19, "Keine Talente"}, {20, "frei"}, {21, "Talente"}, {22, "Talent"}, {23, "Noch"},
            {24, "Kein Talent mehr frei"}, {25, "ist verletzt und kann nicht trainieren."},
            {26, "Der Spieler lernt schon ein anderes Talent. Wechseln? Seine Punkte darin gehen verloren."},
            {27, "Bisher"}, {28, "Neu"}, {29, "Wechseln"}, {30, "Behalten"}, {31, "Verletzung"}, {32, "Ausfall"},
            {33, "Wochen"}, {34, "Woche"}, {39, "Keine Trainingseinheiten mehr."}});
}

// The line-up screens, the tactics screen and the player summary they share.
void Aufstellung_Texte(std::string& o) {
    Screen(o, "EINSETZEN_1_SCREEN",
           {{0, "Startelf"}, {1, "Ersatzbank"}, {2, "Reserve"}, {3, "Nr."}, {4, "Pos."}, {5, "Name"},
            {6, "St\xe4rke"}, {7, "Ehrgeiz"}, {8, "Talente"}, {9, "Fitness"}, {10, "Moral"},
            {11, "Spielfeld"}, {12, "Assistent"}, {13, "Eigenes Team"}, {14, "Gegner"},
            {16, "Die R\xfc" "ckennummer"}, {17, "Die Position des Spielers"}, {18, "Der Name des Spielers"},
            {19, "Seine St\xe4rke in Sternen, abz\xfcglich dessen, was er auf seinem Feld verliert"},
            {20, "Sein Ehrgeiz"}, {21, "Seine aktiven Talente; ein Klick zeigt alle"}, {22, "Seine Fitness"},
            {23, "Seine Moral"}, {24, "Die Startelf: diese elf Spieler beginnen das Spiel"},
            {25, "Die Ersatzbank: sechs Spieler, die eingewechselt werden k\xf6nnen"},
            {26, "Die Reserve spielt nicht mit"},
            {27, "Zwei Spieler nacheinander anklicken oder einen auf den anderen ziehen, um sie zu tauschen"},
            {28, "Die Aufstellung: einen Spieler auf ein freies Feld ziehen, um seine Position zu \xe4ndern"},
            {29, "Tore"}, {30, "Vorlagen"}, {31, "Talente"}, {32, "Lernt:"},
            {34, "Die Aufstellung auf dem gro\xdf" "en Spielfeld zeigen"},
            {35, "Der Assistent stellt die Mannschaft auf"}, {36, "Die Aufstellung des heutigen Gegners ansehen"},
            {37, "Wert ohne Talente"}, {38, "Marktwert"}, {39, "ist gesperrt:"}, {40, "(Rot)"}, {41, "(Gelb-Rot)"},
            {42, "Spiel"}, {43, "Spiele"}, {44, "f\xe4llt aus:"}, {45, ", noch"}, {46, "Zweik\xe4mpfe gewonnen"},
            {47, "Gehalt"}, {48, "Dieser Tausch ist nicht m\xf6glich."}, {49, "Verkaufserl\xf6s"}});
    Screen(o, "EINSETZEN_2_SCREEN",
           {{1, "Liste"}, {2, "Eigenes Team"}, {3, "Zur\xfc" "cksetzen"}, {9, "Frisch"}, {10, "Munter"},
            {11, "Normal"}, {12, "M\xfc" "de"}, {13, "Ersch\xf6pft"}, {51, "Die Formation des Gegners"},
            {52, "Eine der drei Formationen w\xe4hlen"}, {56, "Gegner"}});
    Screen(o, "TAKTIK_SCREEN",
           {{0, "Nr."}, {1, "Pos."}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Ehrgeiz"}, {5, "Talente"}, {6, "Aufgaben"},
            {7, "Taktik"}, {8, "Keine Abseitsfalle"}, {9, "Kein Pressing"}, {10, "H\xe4rte"}, {11, "Raumdeckung"},
            {12, "Passspiel"}, {13, "Ausrichtung"}, {14, "Tempo"},
            {17, "Die Abwehr stellt Abseitsfallen"}, {18, "Pressing: den Gegner fr\xfch angreifen"},
            {19, "Wie hart die Mannschaft in die Zweik\xe4mpfe geht"}, {20, "Manndeckung der st\xe4rksten Gegenspieler"},
            {21, "Kurze oder lange P\xe4sse"}, {22, "Wie offensiv die Mannschaft spielt"},
            {23, "Das Tempo des Spiels"}, {24, "Abseitsfalle an oder aus"}, {25, "Pressing an oder aus"},
            {26, "Weniger hart"}, {27, "H\xe4rter"}, {28, "Manndeckung an oder aus"}, {29, "K\xfcrzere P\xe4sse"},
            {30, "L\xe4ngere P\xe4sse"}, {31, "Defensiver"}, {32, "Offensiver"}, {33, "Langsamer"}, {34, "Schneller"},
            {36, "Ecken"}, {37, "Freist\xf6\xdf" "e"}, {38, "Elfmeter"}, {39, "Kapit\xe4n"}, {41, "Abseitsfalle"},
            {42, "Pressing"}, {43, "Manndeckung"}, {44, "Mauern"}, {45, "Sehr defensiv"}, {46, "Defensiv"},
            {47, "Ausgewogen"}, {48, "Offensiv"}, {49, "Sehr offensiv"}, {50, "Alles nach vorn"}});
    Screen(o, "ZUSATZTEXTE_TROBE", {{10, "Aufgaben: Ecken, Freist\xf6\xdf" "e, Elfmeter und der Kapit\xe4n"}});
    // The panels of a live match: substitutions (title, column heads, the
    // bench, the switch on and off, the three refusals) and tactics (title,
    // the three switches, the four sliders, the help texts 15-27).
    Screen(o, "EINSETZEN_IM_SPIEL_SCREEN",
           {{0, "Auswechseln"}, {1, "Nr."}, {2, "Name"}, {3, "St\xe4rke"}, {4, "Kraft"}, {5, "Talente"},
            {6, "Ersatzbank"}, {7, "Ball ins Aus spielen"}, {8, "Weiterspielen"},
            {9, "Keine Wechsel mehr m\xf6glich"}, {10, "Schon genug Wechsel vorgemerkt"},
            {11, "Dieser Spieler kann nicht wechseln"}});
    Screen(o, "TAKTIK_IM_SPIEL_SCREEN",
           {{0, "Taktik"}, {1, "Abseitsfalle"}, {2, "Pressing"}, {3, "Normales Spiel"}, {4, "Pressing"},
            {5, "H\xe4rte"}, {6, "Ausrichtung"}, {7, "Passspiel"}, {15, "Abseitsfalle an oder aus"},
            {16, "Pressing an oder aus"}, {17, "Weniger pressen"}, {18, "Mehr pressen"}, {19, "Weniger hart"},
            {20, "H\xe4rter"}, {21, "Defensiver"}, {22, "Offensiver"}, {23, "K\xfcrzere P\xe4sse"},
            {24, "L\xe4ngere P\xe4sse"}, {27, "Die Mannschaft spielt normal weiter oder nach Anweisung"}});
    Screen(o, "ZUSATZTEXTE_TROBE",
           {{11, "Die Mannschaft spielt den Ball ins Aus, damit gewechselt werden kann"},
            {12, "Linke Maustaste: Spieler w\xe4hlen, Fenster verschieben; rechte: schlie\xdf" "en"},
            {13, "Spieler auf dem Feld verschieben"}});
}

// The start screen and the wizard: an unset choice (69), the name page
// (70, 71), the page titles (72-78) and the count page's hint (79), the
// summary (80-86), the list headings (87-93), the new-squad switch (94),
// back and next (95, 96), a club without league (97), the last question
// (98), the levels (99-103), the placeholder manager (104) and the start
// screen's buttons (105 new game, 106 team editor, 107 load, 108 last game);
// what a level changes (120, 121);
// the network set-up (127-151; 146 a joined client's lost connection, 147
// and 148 whom a machine waits for, 149 a client's lost connection at the server,
// 152 a client that joined on a match day waits while the computer plays its club).
void Screentexte_Start(std::string& o) {
    Screen(o, "ULVO_ZUSATZ",
           {{69, "noch offen"}, {70, "Wie hei\xdft der %d. Manager?"}, {71, "Name:"},
            {72, "Wie viele Manager spielen?"}, {73, "Schwierigkeitsgrad"}, {74, "Name des Managers"},
            {75, "Bild des Managers"}, {76, "Land"}, {77, "Verein"}, {78, "Liga"},
            {79, "Bis zu sechs Manager an einem Rechner"}, {80, "Manager"}, {81, "Manager %d von %d"},
            {82, "Manager: %s"}, {83, "Schwierigkeit:"}, {84, "Land:"}, {85, "Verein:"}, {86, "Liga:"},
            {87, "Wappen"}, {88, "Land"}, {89, "Wappen"}, {90, "Verein"}, {91, "St\xe4rke"}, {92, "Pokal"},
            {93, "Liga"}, {94, "Mit neuem Kader beginnen"}, {95, "Zur\xfc" "ck"}, {96, "Weiter"},
            {97, "ohne Liga"}, {98, "Soll das Spiel mit dieser Wahl beginnen?"}, {99, "Amateur"},
            {100, "Leicht"}, {101, "Normal"}, {102, "Schwer"}, {103, "Profi"}, {104, "Neuer Manager"},
            {105, "Neues Spiel"}, {106, "Vereinseditor"}, {107, "Spiel laden"}, {108, "Letztes Spiel"},
            {120, "Startgeld %s (je nach Liga), Zuschauer %d %%"},
            {121, "Unter %s auf dem Konto hilft der Verband aus."},
            {127, "Netzwerk aus"}, {128, "Netzwerk an"}, {129, "Server suchen"}, {130, "Suche l\xe4uft "},
            {131, "Dieser Rechner ist Client"}, {132, "Dieser Rechner ist Server"}, {133, "- eigene Adresse"},
            {134, "Stopp"}, {135, "Adresse des Servers:"}, {136, "Server"}, {137, "Beitreten"},
            {138, "Unter dieser Adresse antwortet kein Server."}, {139, "Server: %s"}, {141, "vergeben"},
            {142, "Die Netzwerkverbindung kam nicht zustande."}, {143, "Dieser Verein ist schon vergeben."},
            {144, "Allein an diesem Rechner spielen"}, {145, "\xdc" "ber das Netzwerk spielen"},
            {146, "Die Verbindung zum Server ist abgerissen."}, {147, "Warten auf %s"},
            {148, "Warten auf die anderen Manager"},
            {149, "Die Verbindung zu %s ist abgerissen. Der Computer spielt jetzt %s."}, {150, "gefunden"},
            {151, "keine Antwort"},
            {152, "Der Computer spielt heute %s: Sie kamen erst am Spieltag dazu."}});
}

// The club's own pages: the stadium, the scout and the camp's booking.
// The stadium: the models (0-5), the buttons' labels (6-8), the page's
// texts (9-17), the largest model (18), the notices (19-21, filled by
// Text_Format) and the buttons' help (22-24).
void Screentexte_Verein(std::string& o) {
    Screen(o, "STADION_SCREEN",
           {{0, "Sportplatz"}, {1, "Kleines Stadion"}, {2, "Stadion"}, {3, "Gro\xdf" "es Stadion"}, {4, "Arena"},
            {5, "Super-Arena"}, {6, "Ausbauen"}, {7, "Bezahlen"}, {8, "Bezahlen"}, {9, "Eintrittspreis"},
            {10, "Komfort"}, {11, "jetzt"}, {12, "Bauen:"}, {13, "Jetzt:"}, {14, "Ausbau:"},
            {15, "Kosten:"}, {16, "Pl\xe4tze"}, {17, "Kapazit\xe4t"}, {18, "Gr\xf6\xdf" "er geht es nicht."},
            {19, "Das Stadion fasst jetzt %s Zuschauer."}, {20, "Der Komfort liegt jetzt bei %d %%."},
            {21, "Das neue Stadion steht: %s!"}, {22, "Das n\xe4" "chste Stadion bauen"},
            {23, "Den geplanten Komfort bezahlen"}, {24, "Die geplanten Pl\xe4tze bezahlen"}});
    // The scout screen: buttons (1, 2, 37, 42), the search's head (3-6), the
    // region choice (17-22, 40), the signing question (23-26), the prospect
    // panel (29-34, 44), the leave question (41); the search's dialogue (38-96).
    Screen(o, "SPIELER_SUCHE_SCREEN",
           {{1, "Zur\xfc" "ck"}, {2, "Bezahlen"}, {3, "Scout"}, {4, "ist f\xfcr Sie unterwegs."},
            {5, "Suchgebiet:"}, {6, "Die Suche ist beendet."}, {17, "Grundpreis:"}, {18, "Suchgebiet w\xe4hlen:"},
            {19, "ohne Gebietszuschlag"}, {20, "Gebietszuschlag:"}, {21, "Die Suche bezahlen und beginnen?"},
            {22, "Suchgebiet"}, {23, "Diesen Spieler verpflichten?"}, {24, "Spieler"}, {25, "Ja"}, {26, "Nein"},
            {29, "Wechselbereitschaft:"}, {30, "Erster Eindruck:"}, {31, "Im Gespr\xe4" "ch:"},
            {32, "Seine St\xe4rke:"}, {33, "Alles \xfc" "ber ihn:"}, {34, "\xdc" "berzeugt! Seine Werte:"},
            {37, "Verpflichten"}, {40, "W\xe4hlen Sie auf der Karte ein Suchgebiet."},
            {41, "Die Suche abbrechen? Das Geld ist ausgegeben."}, {42, "Wegschicken"}, {44, "noch unbekannt"},
            {38, "Der Spieler hat kein Interesse mehr."}, {39, "Suchgebiet:"}, {43, "Der Spieler kommt!"},
            {45, "Ich sehe mich um..."}, {46, "Noch nichts Passendes."}, {47, "Ich frage bei den Vereinen nach."},
            {48, "Ein Tipp f\xfchrt ins Leere."}, {49, "Ich schaue mir ein Jugendspiel an."}, {50, "Weiter geht's."},
            {51, "Da ist einer!"}, {52, "Ich habe jemanden gefunden."}, {53, "Der k\xf6nnte passen."},
            {54, "Interessant..."}, {55, "Ich spreche ihn an."}, {56, "Ich stelle mich vor."},
            {57, "Ich lade ihn zum Essen ein."}, {58, "Er h\xf6rt zu."}, {59, "Er fragt nach dem Verein."},
            {60, "Er will mehr wissen."}, {61, "Er ist neugierig."}, {62, "Er z\xf6gert."}, {63, "Er nickt."},
            {64, "Er denkt nach."}, {65, "Wir reden \xfc" "ber Geld."}, {66, "Wir reden \xfc" "ber die Stadt."},
            {67, "Wir reden \xfc" "ber die Mannschaft."}, {68, "Wir reden \xfc" "ber den Trainer."}, {69, "Er lacht."},
            {70, "Er wird ernst."}, {71, "Jetzt muss ich ihn \xfc" "berzeugen."}, {72, "Der entscheidende Moment."},
            {73, "Ich lege mein bestes Angebot vor."}, {74, "Alles oder nichts."}, {75, "Er soll unterschreiben."},
            {76, "Er sagt zu!"}, {77, "Er ist dabei!"}, {78, "Geschafft!"}, {79, "Er freut sich auf den Verein."},
            {80, "Handschlag!"}, {81, "Er sagt ab."}, {82, "Er will nicht."}, {83, "Leider nein."},
            {84, "Er bleibt lieber."}, {85, "Schade."}, {86, "Ich mache mich auf den Weg."},
            {87, "Die Reise beginnt."}, {88, "Ich packe meine Koffer."}, {89, "Los geht's."},
            {90, "Ich bin unterwegs."}, {93, "Die Zeit ist um."}, {94, "Ich komme zur\xfc" "ck."},
            {95, "Die Suche ist beendet."}, {96, "Der Spieler ist weg."}});
    Screen(o, "TRAININGS_LAGER_SCREEN", {{0, "Lager"}, {1, "Preis"}, {2, "Moral"}, {3, "Erholung"}, {4, "St\xe4rke"},
                                        {7, "Buchen"}, {8, "Buchen"}});
}

// The team editor: column headings (0-8), buttons (9-12, 17), questions and answers (13-24), the
// appearance parts (25-30), the club page (31-45), the talent panel (46), the market buttons (47, 48).
void Screentexte_Editor(std::string& o) {
    Screen(o, "EDITOR_SCREEN",
           {{0, "Nr"}, {1, "Typ"}, {2, "Name"}, {3, "St\xe4rke"}, {4, "%s : %d"}, {5, "Land"}, {6, "Transfermarkt"},
            {7, "Liga"}, {8, "Talente"}, {9, "Name A-Z"}, {10, "Land / Liga"}, {11, "Neu laden"}, {12, "Speichern"},
            {13, "Neu laden?"}, {14, "Speichern?"}, {15, "Name Z-A"}, {16, "Wert"}, {17, "Beenden"}, {18, "Ja"},
            {19, "Nein"}, {20, "Gespeichert."}, {21, "OK"}, {22, "Scout-Spieler"}, {23, "Team-Editor"},
            {24, "Das Programm beenden? Ja: Editor und Programm schlie\xdf" "en, nicht Gespeichertes geht verloren. Nein: Sie bleiben im Editor."}, {25, "Art"}, {26, "Augen"}, {27, "Bart/Brille"}, {28, "Haare"}, {29, "Mund"},
            {30, "Nase/Ohren"}, {31, "Nicht gespeichert:"}, {32, "Schlie\xdf" "en"}, {33, "Zur\xfc" "cksetzen"}, {34, "Wappen"},
            {35, "Trikots"}, {36, "Name"}, {37, "Kurzname"}, {38, "Stadion"}, {39, "Pl\xe4tze"}, {40, "Stadt"},
            {41, "Land"}, {42, "Kontinent"}, {43, "Land"}, {44, "Trikot"}, {45, "vergeben"}, {46, "Talente:"},
            {47, "Markt"}, {48, "Scouts"}});
}

// The menu framework: the panel's menus (0-21, 29), the continue button
// (22 no match today, 28 a match today), the header's labels (23, 24, 30),
// the requester's buttons (25-27), the continue button's questions (31,
// 32, and 35 before another manager's turn), whose turn it is at a machine several managers share (33) and the
// header's season (34).
void Screentexte_System(std::string& o) {
    Screen(o, "MENUE_SCREEN",
           {{0, "Mannschaft"}, {1, "Aufstellung"}, {2, "Kader"}, {3, "Taktik"}, {4, "Transfers"}, {5, "Training"},
            {6, "Trainingslager"}, {7, "Wettbewerbe"}, {8, "Tabelle"}, {9, "Spielplan"}, {10, "Bestenliste"},
            {11, "Rangliste"}, {12, "Verein"}, {13, "Bank"}, {14, "Werbung"}, {15, "Stadion"}, {16, "Finanzen"},
            {17, "System"}, {18, "Laden"}, {19, "Speichern"}, {20, "Optionen"}, {21, "Beenden"}, {22, "Weiter"},
            {23, "St\xe4rke"}, {24, "spielfrei"}, {25, "Ja"}, {26, "Nein"}, {27, "OK"}, {28, "Zum Spiel"},
            {29, "Weltrangliste"}, {30, "Talente"},
            {31, "Es stehen keine elf einsatzf\xe4higen Spieler im Kader. Trotzdem weiter?"},
            {32, "Ihren Zug beenden? Ja: der Tag geht weiter. Nein: Sie bleiben im Men\xfc."},
            {33, "%s ist am Zug (%s)."}, {34, "Saison %d/%02d"},
            {35, "Ihren Zug beenden? Ja: %s ist am Zug. Nein: Sie bleiben im Men\xfc."}});
    // The save and load screen: the titles (3, 4), the buttons' help (5-8), a
    // slot's default name (9), its messages (10-12), the autosave's name (13),
    // a free and a damaged slot (14, 15), the buttons' labels (16-19), the
    // message after a save (20) and the load page's line on what a click on
    // the list does, with no slot chosen and with one (21, 22).
    Screen(o, "DISK_SCREEN",
           {{3, "Spielstand laden"}, {4, "Spielstand speichern"}, {5, "Den gew\xe4hlten Spielstand laden"},
            {6, "Zur\xfc" "ck zum Spiel"}, {7, "Das Spiel in den gew\xe4hlten Platz speichern"},
            {8, "Zur\xfc" "ck, ohne zu speichern"}, {9, "Spielstand %d"},
            {10, "Bitte w\xe4hlen Sie zuerst einen Spielstand aus."},
            {11, "Alle Pl\xe4tze sind belegt. Bitte w\xe4hlen Sie den Platz, der \xfc" "berschrieben werden soll."},
            {12, "Dieser Platz geh\xf6rt der automatischen Sicherung."}, {13, "Automatische Sicherung"},
            {14, "frei"}, {15, "besch\xe4" "digt"}, {16, "Laden"}, {17, "Zur\xfc" "ck"}, {18, "Speichern"},
            {19, "Abbrechen"}, {20, "Das Spiel ist gespeichert: \"%s\" auf Platz %d."},
            {21, "Spielstand anklicken, dann \"Laden\""}, {22, "Nochmals anklicken: Wahl aufheben"}});
    // The options: the close button's help and label (1, 2), the title (3),
    // the rows (4-11, 13, 15-17, 19, 23, 24), the headings (20-22), the
    // minutes (25), the server started and ended (26, 27), the save refusal (29),
    // why one manager cannot start the server here (30).
    Screen(o, "OPTIONEN_SCREEN",
           {{1, "Zur\xfc" "ck zum Spiel"}, {2, "Schlie\xdf" "en"}, {3, "Optionen"}, {4, "Zeitlimit je Zug"},
            {5, "Tabellen ank\xfcndigen"}, {6, "Ergebnisse ank\xfcndigen"},
            {7, "Ansicht nach der Pause zur\xfc" "cksetzen"}, {8, "Torsch\xfctzen ank\xfcndigen"},
            {9, "Spielplan ank\xfcndigen"}, {10, "Spiele der Manager live ansehen"},
            {11, "Finanzen ank\xfcndigen"}, {13, "Angebote von Vereinen und Verb\xe4nden"},
            {15, "Zugende best\xe4tigen"}, {16, "Men\xfcs gleiten auf"}, {17, "Hilfetexte zeigen"},
            {19, "Musik"}, {20, "Spiel"}, {21, "Manager"}, {22, "Ank\xfcndigungen"}, {23, "Ger\xe4usche"},
            {24, "Netzwerkspiel: dieser Rechner ist Server"}, {25, " Min. (0: aus, ein Klick: +1)"},
            {26, "Dieser Rechner ist jetzt der Server. Die anderen Manager k\xf6nnen sich verbinden."},
            {27, "Das Netzwerkspiel ist beendet: alle Manager spielen an diesem Rechner."},
            {29, "Im Netzwerkspiel speichert und l\xe4" "dt nur der Server."},
            {30, "Zum Server wird dieser Rechner hier erst mit zwei Managern: einer bleibt hier, die anderen "
                 "Vereine \xfc" "bernehmen Clients. Mit einem Manager: im Startbildschirm \"Netzwerk an\" und "
                 "\"Dieser Rechner ist Server\" w\xe4hlen, dann \"Neues Spiel\"."}});
}

// The finance screen: the title (0), the period buttons' help and names
// (1-3), the boards' headers, total and result (4-7), the rows' labels
// (8-18), the bank's messages (19-25; the bank keeps its own wording for a
// damaged file), the spectators (26), the currency (27) and its suffix (29),
// the terms the bank lends for (31).
void Screentexte_Geld(std::string& o) {
    Screen(o, "FINANZ_SCREEN",
           {{0, "Finanzen"}, {1, "Zwischen den Abrechnungszeitr\xe4umen bl\xe4ttern"}, {2, "Fr\xfc" "her"},
            {3, "Sp\xe4ter"}, {4, "Einnahmen"}, {5, "Ausgaben"}, {6, "Summe"}, {7, "Ergebnis"}, {8, "Transfers"},
            {9, "Eintrittsgelder"}, {10, "Werbung"}, {11, "Sonstige Einnahmen"}, {12, "Spielerkosten"},
            {13, "Transfers"}, {14, "Training"}, {15, "Stadionbau"}, {16, "Stadionunterhalt"},
            {17, "Werbekosten"}, {18, "Sonstige Ausgaben"},
            {19, "Die Bank gibt keinen weiteren Kredit: es laufen schon vier."},
            {20, "Die Bank lehnt den Kredit ab."}, {21, "Verliehenes Geld (%s) kommt zur\xfc" "ck: %s."},
            {22, "Ihr Kredit \xfc" "ber %s ist zur\xfc" "ckgezahlt: %s."}, {23, "Der Verband erhebt eine Abgabe: %s."},
            {24, "Der Verband unterst\xfctzt Sie mit %s."}, {25, "Daf\xfcr reicht das Geld nicht: %s"},
            {26, "Zuschauer"}, {27, "Euro"}, {29, " \x80"},
            {31, "Die Bank leiht nur f\xfcr %d bis %d Perioden."}});
    // The bank screen: the title and the column heads (0-3), the sum (4), the
    // inputs' labels (5-8), the apply button (9), the bank's name (10), one period and more (17, 18);
    // its help texts (ZUSATZTEXTE_TROBE 0-9) and the loan request between
    // clubs with its confirmation (16, 17).
    Screen(o, "BANK_SCREEN",
           {{0, "Bank"}, {1, "Partner"}, {2, "Laufzeit"}, {3, "R\xfc" "ckzahlung"}, {4, "Saldo"},
            {5, "Kreditgeber"}, {6, "Kreditsumme"}, {7, "Laufzeit"}, {8, "Zinssatz (je 10 Spiele)"},
            {9, "Beantragen"}, {10, "Hausbank"}, {17, "Spiel"}, {18, "Spiele"}});
    Screen(o, "ZUSATZTEXTE_TROBE",
           {{0, "Ihre laufenden Kredite und das verliehene Geld"}, {1, "Wer das Geld geliehen hat oder schuldet"},
            {2, "Die Spiele bis zur R\xfc" "ckzahlung"}, {3, "Der Betrag mit Zinsen, der zur\xfc" "ckflie\xdft"},
            {4, "Was Sie unter dem Strich schulden oder zur\xfc" "ckbekommen"},
            {5, "Die Bank oder ein anderer Manager leiht Ihnen das Geld"},
            {6, "Wie viel Geld Sie leihen m\xf6" "chten"}, {7, "Nach wie vielen Spielen Sie zur\xfc" "ckzahlen"},
            {8, "Die Zinsen je zehn Spiele; bei der Bank richten sie sich nach der Laufzeit"},
            {9, "Den Kredit beantragen"}, {16, "%s bittet Sie um einen Kredit."},
            {17, "Ihre Anfrage ist an %s gegangen. Die Antwort kommt mit den Nachrichten."}});
}

// Advertising: the buttons' labels and help (0-5), the list's heads
// (6-10), the lower block (11-15), the offer panel (16-26), the twenty
// sponsors (27-46), the categories (47-50), the titles (51, 52), the
// messages (53, 54), the agency's strain (55-57) and its news (58).
void Screentexte_Werbung(std::string& o) {
    Screen(o, "WERBUNG_SCREEN",
           {{0, "Annehmen"}, {1, "Beauftragen"}, {2, "Automatisch"}, {3, "Das Angebot annehmen"},
            {4, "Die Werbeagentur sucht ein neues Angebot"}, {5, "Freie Pl\xe4tze automatisch f\xfcllen"},
            {6, "Sponsor"}, {7, "Name"}, {8, "Spiele"}, {9, "Sperre"}, {10, "je Spiel"},
            {11, "Einnahmen der Pl\xe4tze je Spiel"}, {12, "Der Ersatzpartner zahlt f\xfcr"},
            {13, "jeden freien Platz"}, {14, "Ersatzpartner je Spiel"}, {15, "Werbung je Spiel"},
            {16, "Kategorie:"}, {17, "Laufzeit:"}, {18, "Angebot:"}, {19, "Unk\xfcndbar:"},
            {20, "Werbeagentur"}, {21, "Preis:"}, {22, "Spiel"}, {23, "Spiele"}, {24, "je Spiel"},
            {25, "Spiel"}, {26, "Spiele"}, {27, SPONSOREN[0]}, {28, SPONSOREN[1]}, {29, SPONSOREN[2]},
            {30, SPONSOREN[3]}, {31, SPONSOREN[4]}, {32, SPONSOREN[5]}, {33, SPONSOREN[6]}, {34, SPONSOREN[7]},
            {35, SPONSOREN[8]}, {36, SPONSOREN[9]}, {37, SPONSOREN[10]}, {38, SPONSOREN[11]}, {39, SPONSOREN[12]},
            {40, SPONSOREN[13]}, {41, SPONSOREN[14]}, {42, SPONSOREN[15]}, {43, SPONSOREN[16]},
            {44, SPONSOREN[17]}, {45, SPONSOREN[18]}, {46, SPONSOREN[19]}, {47, "TV-Partner"}, {48, "Hauptsponsor"}, {49, "Bande"}, {50, "Ersatzpartner"},
            {51, "Angebot"}, {52, "Werbepl\xe4tze"}, {53, "Es liegt kein Angebot vor."},
            {54, "F\xfcr dieses Angebot ist kein Platz frei."},
            {55, "Die Agentur wird langsam m\xfc" "de: sie hat schon viel f\xfcr Sie gesucht."},
            {56, "Die Agentur ist \xfc" "berlastet. Jede weitere Suche kostet Nerven."},
            {57, "Die Agentur sucht vorerst nicht mehr f\xfcr Sie."},
            {58, "Die Werbeagentur meldet sich wieder: sie sucht gern weiter f\xfcr Sie."}});
}

}  // namespace

std::string Weltgen_Texte() {
    std::string o;
    Config_Schreibe_Kommentar(o, "text.cfg - the game's text table");
    // Entries 6-9 name the player kinds 0-3 (the references "*6" to "*9").
    static const char* const ALLGEMEIN[] = {"Ja", "Nein", "OK", "Abbrechen", "Spieler", "Verein", "Torwart", "Abwehr",
                                            "Mittelfeld", "Sturm"};
    for (int32_t i = 0; i < int32_t(sizeof ALLGEMEIN / sizeof *ALLGEMEIN); ++i)
        Config_Schreibe_Nummer_String(o, "TEXT", i, ALLGEMEIN[i]);
    for (int32_t v = 0; v < VERLETZUNG_ARTEN; ++v) Config_Schreibe_Nummer_String(o, "TEXT", 100 + v, VERLETZUNGEN[v]);
    // Entries 60-66 name a player's morale 0-6, 67 and 68 why he cannot play (the references "*60" to "*68").
    static const char* const MORAL[] = {"am Boden", "schlecht", "gedr\374ckt", "normal", "gut", "sehr gut",
                                        "euphorisch", "gesperrt", "verletzt"};
    for (int32_t i = 0; i < 9; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 60 + i, MORAL[i]);
    // Entries 165 and 166 follow the minute and the spectators on a match view's score line.
    Config_Schreibe_Nummer_String(o, "TEXT", 165, ". Min.");
    Config_Schreibe_Nummer_String(o, "TEXT", 166, "Zuschauer");
    // Entries 181-193: the commentary sentences' words (own goal, goal, the
    // three cards, a foul with and without victim, an injury, a substitution).
    static const char* const KOMMENTAR[] = {"Eigentor von", "Tor durch", "Gelb-Rot f\xfcr", "Rot f\xfcr", "Gelb f\xfcr",
                                            "wird von", "gefoult", "foult", "verletzt sich:", "ist verletzt", "geht,",
                                            "kommt.", "wird ausgewechselt"};
    for (int32_t i = 0; i < 13; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 181 + i, KOMMENTAR[i]);
    // Entries 194 and 195: a whistled offside with the flag raised and without;
    // 196 and 197 a team's two general changes, 167-178 the twelve single
    // changes of the change list.
    static const char* const MELDUNG[] = {"Abseits", "Abseitspfiff", "stellt um", "wechselt die Taktik"};
    for (int32_t i = 0; i < 4; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 194 + i, MELDUNG[i]);
    static const char* const AENDERUNG[] = {
        "spielt offensiver", "spielt defensiver", "presst fr\374her", "presst weniger", "spielt h\xe4rter",
        "spielt fairer", "stellt die Abseitsfalle", "verzichtet auf die Abseitsfalle", "spielt lange B\xe4lle",
        "spielt kurze P\xe4sse", "mauert", "greift mit allen an"};
    for (int32_t i = 0; i < 12; ++i) Config_Schreibe_Nummer_String(o, "TEXT", 167 + i, AENDERUNG[i]);
    // Entry 179, free beside the change list: the ticker's line while a
    // networked match waits for the other machine.
    Config_Schreibe_Nummer_String(o, "TEXT", 179, "Warten auf den anderen Rechner ...");
    return o;
}

std::string Weltgen_Screentexte() {
    std::string o;
    Config_Schreibe_Kommentar(o, "te.cfg - the screen texts");
    Screentexte_Start(o);
    Screentexte_Verein(o);
    Spieler_Fenster_Texte(o);
    Screentexte_Editor(o);
    Aufstellung_Texte(o);
    Screen(o, "ZUSATZTEXTE_HASK", {{1, "Talente"}, {7, "Buchen"}, {10, "Bl\xe4ttern"}, {15, "Bl\xe4ttern"},
                                   {12, "Den Scout bezahlen und losschicken"},
                                   {13, "Diesen Spieler wegschicken und weitersuchen"},
                                   {14, "Diesen Spieler verpflichten"}});
    Screentexte_System(o);
    Screentexte_Geld(o);
    Screentexte_Werbung(o);
    Screentexte_Spieltag(o);
    Screentexte_Transfer(o);
    Screentexte_Training_Fenster(o);
    return o;
}

const char* Weltgen_Sponsor_Name(int32_t zeile) {
    return zeile >= 0 && zeile < WELTGEN_SPONSOREN ? SPONSOREN[zeile] : "";
}

}  // namespace velmora
