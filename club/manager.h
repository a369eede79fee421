// club/manager.h - human managers: one record per managed team, with the GUI
// state of every icon number kept per manager so it survives save and load.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "club/team.h"

namespace velmora {

struct ClubLeser;

constexpr int32_t MANAGER_ICONS = 4202;
constexpr int32_t MANAGER_PORTRAITS = 45;

#pragma pack(push, 1)
struct ManagerStruktur {                  // 33,860 bytes
    int32_t icon_wert[MANAGER_ICONS];     // icon state: on/off, a selection or a position
    int32_t icon_wort[MANAGER_ICONS];     // icon word: a second value per icon
    char name[20];
    int32_t portrait;                     // 0-44
    int32_t team;
    uint8_t optionen[4];                  // options 40-43
    uint8_t hilfe;                        // help texts on (306)
    uint8_t reserve_a[3];
    int32_t panel[2];                     // 307: panel button - 702, entry
    Formation formationen[3];             // the manager's formations
    int32_t gui[13];
    int32_t trainingslager;               // 308: camps the club may still book this season
    int32_t jobwechsel;                   // 309: -1 no pending job change
    int32_t reihe;                        // place in the turn order: 1 the first manager; 0 unknown (older saves)
    int32_t reserve_b;
};
#pragma pack(pop)
static_assert(sizeof(ManagerStruktur) == 33860);
static_assert(offsetof(ManagerStruktur, trainingslager) == 33844);

// Gives `team` a manager: a zeroed record with the name (at most 19
// characters), the portrait (-1: the first of 0-44 no other manager uses),
// default options, icon state 886 = 141, for a club other than the transfer
// market icon 803 off and 813 = 141, icon words 802 = -1 and 834 = 0. Null
// with "Manager: Team %d hat schon einen Manager!" when it has one.
ManagerStruktur* Manager_Neuer_Mitspieler(int32_t team, const char* name, int32_t portrait);
// Removes and frees the team's manager; false with "Team %d hat keinen Manager!".
bool Manager_Entfernen(int32_t team);
// The team's manager record, created when missing; null for a bad team.
ManagerStruktur* Manager_Get_Record(int32_t team);
// The record or null, never created.
ManagerStruktur* Manager_Record(int32_t team);
// Takes the record off its team without freeing it, and hangs one on a team
// without a manager (a client refetching its teams keeps the market's record).
ManagerStruktur* Manager_Abnehmen(int32_t team);
bool Manager_Anhaengen(int32_t team, ManagerStruktur* record);
void Manager_Alle_Freigeben();
int32_t Manager_Anzahl();

const char* Manager_Name(int32_t team);          // "Team_String_Error" without a manager
int32_t Manager_Portrait(int32_t team);          // 0 without a manager
uint8_t* Manager_Zeiger_Hilfe(int32_t team);
bool Manager_Panel_Lesen(int32_t team, int32_t paar[2]);
bool Manager_Panel_Schreiben(int32_t team, const int32_t paar[2]);

// The icon state and icon word of icon 0-4201 in the team's manager record.
// A bad team or icon logs "...: teamnr falsch !" / "...: iconnr falsch !" and
// reads 0; on a client another team's record is not changed.
void Manager_Icon_Button_An_Aus(int32_t team, int32_t icon, int32_t wert);
int32_t Manager_Icon_Button_Lesen(int32_t team, int32_t icon);
void Manager_Icon_Word_Data_Schreiben(int32_t team, int32_t icon, int32_t wert);
int32_t Manager_Icon_Word_Data_Lesen(int32_t team, int32_t icon);
// Switches `icon` on (1) and every other icon of the group off.
void Manager_Icon_Togglebutton_An_Aus(int32_t team, int32_t anzahl, int32_t icon, const int32_t* icons);
// Every icon of the list off for the local manager's club, its state the picture `bild`.
void Manager_Icon_Liste_Aus(const int32_t* liste, int32_t anzahl, int32_t bild, int32_t flag);

// Fills `liste` (room for TEAM_MAX) with the teams whose managers take a turn
// on this machine (`alle` set: every human manager), in the order the managers
// joined the game (the first manager of the new game first; records without a
// place in team order ahead of them), shuffled when `mischen` is set; returns
// their number.
int32_t Manager_Ist_Dran(int32_t* liste, int32_t mischen, int32_t alle);

// Manager values: 308 camps left this season (0-99), 309 pending job change
// (-1 none, else a team). Operations as Spieler_Wert (0, 1, 64, 128).
int32_t Manager_Wert(int32_t modus, ManagerStruktur* record, int32_t wert, int32_t op);
void Manager_Set_Wert_33844(int32_t team, int32_t wert);
// Uses up one of the team's camps this season (manager value 308): the new
// count, or -1 when none was left (nothing changed). On a client the server
// counts it for the client's own club only, and the local copy follows.
int32_t Manager_Lager_Verbrauchen(int32_t team);

// Options 40-43 of the local manager (core's option hook).
int32_t Manager_Option_Lesen(int32_t nummer);
void Manager_Option_Schreiben(int32_t nummer, int32_t wert);

// The manager block of the save game: u32 count, then per manager i32 team and
// the record. Load checks the whole block before it changes anything.
void Manager_Save(std::vector<uint8_t>& out);
bool Manager_Load(const uint8_t* in, size_t bytes);
// Registers the "Manager" block of the save game (position 12).
bool Manager_Spielstand_Anmelden();

// Client: the start information (the game's level and the number of managers);
// the own club's manager record again. False when the server failed.
bool Manager_Internet_Client_Startinfo_1(int32_t* level, int32_t* anzahl);
bool Manager_Internet_Client_Refresh();
// Client: the refresh's request sent ahead without waiting (Club_Remote_Vorab).
void Manager_Internet_Client_Refresh_Vorab();
// Client: forgets its manager's icons as the server holds them (from the
// refresh on they tell which icon writes leave the server's value as it is);
// until the next refresh every icon write is sent again. Called with the
// players' Spieler_Server_Stand_Vergessen.
void Manager_Server_Stand_Vergessen();
// Client: the icon writes not sent thanks to that copy.
uint32_t Manager_Icons_Nicht_Gesendet();
// Client: sends the own club's manager record to the server (request 1037)
// after the club was taken; false when refused or unanswered.
bool Manager_Internet_Client_Startinfo_2(int32_t team);
// Client: the own players, the own club and its manager fetched again (the
// network layer's refresh of all client data calls it).
bool Club_Client_Refresh_Alle();

bool Manager_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort);

}  // namespace velmora
