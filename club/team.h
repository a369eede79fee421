// club/team.h - teams: the team records, their accessors and player lists.
//
// Clubs, country entries (status bit 2) and the transfer market are all teams,
// kept in parallel arrays indexed by number: the main record, the fixed data
// with the club's player list, and the part only the club's own manager's
// machine receives. The transfer market's players are a list of their own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora {

struct ClubLeser;

constexpr int32_t TEAM_MAX = 2000;
constexpr int32_t TEAM_SPIELER_MAX = 20;      // 0-10 starting eleven, 11-16 bench, 17-19 reserve
constexpr int32_t MARKT_SPIELER_MAX = 3900;
constexpr int32_t TEAM_WERT_MODI = 305;
constexpr int32_t TEAM_FORMATIONEN = 16;

// Modes of Team_Wert.
constexpr int32_t TW_TEAMWERT = 2;             // 0-1000: after a match the squad's average strength / 100
constexpr int32_t TW_NATION = 6;               // the country entry's team number, -1 none
constexpr int32_t TW_STATUS = 7;               // the status word, TEAM_STATUS_* bits
constexpr int32_t TW_FORMATION_BYTE = 8;       // the formation index, FORMATION_BYTE_* bits
constexpr int32_t TW_WAPPEN = 9;               // crest picture number
constexpr int32_t TW_KONTINENT = 10;
constexpr int32_t TW_WETTBEWERB = 11;          // -1 none
constexpr int32_t TW_SCOUT = 16;               // -1 none
constexpr int32_t TW_SCOUT_SPIELER = 17;       // -1 none
constexpr int32_t TW_VERHANDLUNGEN = 20;
constexpr int32_t TW_VERHANDLUNGEN_ANZEIGE = 21;
constexpr int32_t TW_TRIKOT_1 = 19;            // kit numbers 0-239 of the kit kinds 0-3 (bilder/trikot.h)
constexpr int32_t TW_TRIKOT_2 = 23;
constexpr int32_t TW_TRIKOT_TORWART = 22;
constexpr int32_t TW_TRIKOT_TORWART_2 = 24;
constexpr int32_t TW_ZWEITCLUB = 26;           // -1 none (the transfer market then)
constexpr int32_t TW_NUMMER = 27;
constexpr int32_t TW_WAPPENWERT = 28;
constexpr int32_t TW_PORTRAIT = 304;           // the manager's portrait, read only
// The kit modes by kind 0-3.
constexpr int32_t TW_TRIKOT_MODI[4] = {TW_TRIKOT_1, TW_TRIKOT_2, TW_TRIKOT_TORWART, TW_TRIKOT_TORWART_2};

// Modes of Team_String.
constexpr int32_t TS_NAME = 0;
// The name asked with a table place's marking (none, champion, promotion,
// relegation): the name; the screens show the marking as the place's colour.
constexpr int32_t TS_PLATZ_OHNE = 30, TS_PLATZ_MEISTER = 31, TS_PLATZ_AUFSTIEG = 32, TS_PLATZ_ABSTIEG = 33;
constexpr int32_t TS_MANAGER = 300;            // the manager's name
constexpr int32_t TS_STADION_NAME = 702;      // the stadium's name (the STADION line), empty when none
constexpr int32_t TS_STADT = 703;
constexpr int32_t TS_KUERZEL = 706;            // at most 10 characters (the shown name's first 10 when unset)
constexpr int32_t TS_NATION = 710;             // the nation's name
constexpr int32_t TS_NAME_KURZ = 721;          // the short name (the name when it has none)

// Modes of Team_Zeiger.
constexpr int32_t TZ_KLIMA = 14;               // a country's climate bytes
constexpr int32_t TZ_HILFE = 306;              // the manager's help-text byte
constexpr int32_t TZ_PANEL = 307;              // the last panel pair
constexpr int32_t TZ_FARBEN = 700;             // the 36 kit colour bytes
constexpr int32_t TZ_MANAGER = 701;            // the manager record
constexpr int32_t TZ_AUFSTELLUNG = 704;        // the current formation and the tactics
constexpr int32_t TZ_FORMATIONEN = 705;        // the 16 stored formations
constexpr int32_t TZ_STARTELF = 726;           // the eleven starters by slot

// Status word (team value 7).
constexpr uint32_t TEAM_STATUS_1 = 1;
constexpr uint32_t TEAM_STATUS_LAND = 2;           // a country entry, not a club
constexpr uint32_t TEAM_STATUS_WAPPEN = 8;         // own crest picture in the user's directory
constexpr uint32_t TEAM_STATUS_NETZ = 16;          // a network team
constexpr uint32_t TEAM_STATUS_CLIENT = 32;        // managed from a client machine
constexpr uint32_t TEAM_STATUS_BEREIT = 2048;      // ready for the match day

// Filters of Teamspieler_Ins_Array beyond the status bits.
constexpr int32_t FILTER_NUR_SCOUT = 0x20000;
constexpr int32_t FILTER_OHNE_SCOUT = 0x40000;

#pragma pack(push, 1)
struct Formation {                    // 44 bytes: 11 cells, goalkeeper first
    int16_t zelle[11][2];             // column 0-6, row 0-10
};
static_assert(sizeof(Formation) == 44);

struct TeamStruktur {                 // 164 bytes, the main team record
    char name[32];                    // text 0
    char name_kurz[24];               // text 721 (the name when empty)
    char stadt[24];                   // text 702
    int32_t wettbewerb;               // 11: -1 none
    int32_t nation;                   // 6: the country entry's team number
    uint8_t farben[36];               // 700: three kits of four RGB colours
    int16_t trikot[4];                // kit numbers of kinds 0-3 (values 19, 23, 22, 24)
    uint32_t manager_platz;           // the manager record (701); 0 in files, the pointer lives elsewhere
    int32_t jugend;                   // the youth team, -1 none
    int16_t teamwert;                 // 2
    int16_t wappen;                   // 9: crest picture number
    int8_t kontinent;                 // 10
    int8_t scout;                     // 16: -1 none
    int8_t verhandlungen;             // 20
    int8_t verhandlungen_anzeige;     // 21
    int32_t scout_spieler;            // 17: -1 none
    int16_t zweitclub;                // 26: -1 none (the transfer market then)
    int16_t nummer;                   // 27
    int32_t wappenwert;               // 28
    uint8_t klima[3];                 // 14 of a country: winter + 100, summer + 100, wetness 0-40
    uint8_t reserve;
};
static_assert(sizeof(TeamStruktur) == 164);
static_assert(offsetof(TeamStruktur, manager_platz) == 132);

struct TeamFix {                      // 52 bytes
    uint32_t status;                  // 7
    uint16_t anzahl;                  // players in the list
    uint16_t reserve;
    uint16_t spieler[TEAM_SPIELER_MAX];
    uint32_t reserve2;
};
static_assert(sizeof(TeamFix) == 52);

struct TeamOwn {                      // 768 bytes, sent only to the club's own manager
    Formation aktuell;
    Formation gespeichert[TEAM_FORMATIONEN];   // 705
    int8_t taktik[7];                 // t0-t6
    int8_t formation_byte;            // 8: low bits the formation, bit 128 while the assistant works
    uint8_t reserve[12];
};
static_assert(sizeof(TeamOwn) == 768);

// Team_Zeiger TZ_AUFSTELLUNG: the current formation followed by the seven tactic bytes.
constexpr size_t TEAM_AUFSTELLUNG_BYTES = sizeof(Formation) + sizeof(TeamOwn::taktik);

struct StartTeam {                    // 88 bytes, one club a client may take
    int16_t team;                     // -1: not offered
    char name[31];
    char manager[39];                 // at 33
    uint32_t flags;                   // at 72: 0x10 has a manager, 0x20 a client plays it
    uint32_t wert;                    // at 76: handed back when the club is taken
    int32_t nation;
    int32_t reserve;
};
static_assert(sizeof(StartTeam) == 88);
static_assert(offsetof(StartTeam, manager) == 33);
static_assert(offsetof(StartTeam, flags) == 72);
#pragma pack(pop)

constexpr uint32_t STARTTEAM_MANAGER = 0x10;
constexpr uint32_t STARTTEAM_CLIENT = 0x20;

// Allocates `anzahl` empty teams (no competition, nation or second club);
// false for a count outside 0..TEAM_MAX. Frees a running set first.
bool Team_Init(int32_t anzahl);
// Frees the teams, their player lists and their managers. With `behalten` 1 the
// game flags, the level and the local team stay (a client refetching its teams).
void Team_Free(int32_t behalten);
int32_t Team_Anzahl();

// The game-running flag and the game's level, saved in the team block.
void Team_Spielstand_Setzen(int32_t laeuft, int32_t level);
int32_t Team_Spiel_Laeuft();
int32_t Team_Spiel_Level();
// The transfer-market team (-1 none), the local human team (-1 none) and the
// base nation (the team named "Deutschland", -1 none).
int32_t Team_Markt();
bool Team_Markt_Setzen(int32_t team);
int32_t Team_Lokal();
void Team_Lokal_Setzen(int32_t team);
int32_t Team_Basis_Nation();

// Puts a player into a team's list (the market's own list for the market);
// false when the list is full, the player is in another list or a number is bad.
bool Team_Spieler_Hinzufuegen(int32_t team, int32_t spieler);
bool Team_Spieler_Entfernen(int32_t team, int32_t spieler);
// Whether Team_Spieler_Kommt_Und_Geht would move the players: each is in the
// team named for him, one at least moves, and a list that gains a player
// without losing one has room (a log line names what fails).
bool Team_Spieler_Wechsel_Passt(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer);
// Exchanges two players between two teams (-1 for no player in return); each
// takes the other's place in the list. Refused on a client and where
// Team_Spieler_Wechsel_Passt is false.
bool Team_Spieler_Kommt_Und_Geht(int32_t team, int32_t anderes, int32_t spieler, int32_t anderer, int32_t);
// The team whose list holds a player, -1 none (Spieler_Get_Team asks this).
int32_t Team_Spieler_Besitzer(int32_t spieler);

// Reads or changes one team value (operations as Spieler_Wert). 0 with a log line
// for a bad team, mode or operation. On a client a change to another team is
// refused ("Team_Wert: CLIENT-WRITE!"); a permitted one also goes to the server.
int32_t Team_Wert(int32_t modus, int32_t team, int32_t wert, int32_t op);
bool Team_Wert_Grenzen(int32_t modus, int32_t* unten, int32_t* oben);
// Texts by mode (TS_*): the name, the manager's name, the city, the nation's
// name, the short name; "Team_String_Error" otherwise.
const char* Team_String(int32_t modus, int32_t team, int32_t wert, int32_t op);
// Sets the names (the builders and the team editor); null keeps a name. Refused on a client.
bool Team_Namen_Setzen(int32_t team, const char* name, const char* kurz, const char* stadt);
// The write path of the texts the team editor changes: TS_STADION_NAME,
// TS_STADT, TS_KUERZEL and TS_NAME_KURZ; each is cut to what its file line
// keeps (a TS_NAME_KURZ too long for the short name becomes the name, the
// short name empty). False for another mode, a bad team or on a client.
bool Team_String_Setzen(int32_t modus, int32_t team, const char* text);
// Pointers and blocks by mode: TZ_KLIMA climate of a country (null for a
// club), TZ_HILFE the manager's help-text byte, TZ_PANEL the last panel pair
// (op 32 reads two i32 into the buffer, op 1 writes them), TZ_FARBEN the 36 kit
// bytes (op 1 copies the buffer in), TZ_MANAGER the manager record,
// TZ_AUFSTELLUNG the current formation followed by the tactics (op 1 copies
// TEAM_AUFSTELLUNG_BYTES in; the server takes a client's block only when
// sound), TZ_FORMATIONEN the 16 stored formations (op 32 copies out, op 1 in),
// TZ_STARTELF the eleven starters by slot as 16-bit numbers into a 32-byte
// buffer (-1 for an empty slot). Null on error; a client writing
// another team's data gets null and "Team_Zeiger: CLIENT-WRITE!".
void* Team_Zeiger(int32_t modus, int32_t team, void* puffer, int32_t op);
// The current formation and the tactics (Team_Own) for the line-up modules.
Formation* Team_Aktuelle_Formation(int32_t team);

// The numbers of the team's players that pass `filter`, in list order, into
// `array` (null: count only), at most `max`: 0 all; status bits (16 starting
// eleven, 48 starting eleven or bench, 0x7c0 unavailable) any of them set; on
// the market 0x40000 leaves scout players out, 0x20000 takes only them.
int32_t Teamspieler_Ins_Array(int32_t team, int32_t* array, int32_t max, int32_t filter);
// The market's list as it stands and its length, for a walk over the whole
// market read in place (valid until the market changes). Unlike
// Teamspieler_Ins_Array it may hold numbers whose records are gone.
const int32_t* Team_Markt_Liste(int32_t* anzahl);

// Club checks.
bool Team_Ist_Normal(int32_t team, int32_t maske);   // a club (bits 1, 2 and maske clear, not the market) in a competition
bool Team_Ist_Nationalteam(int32_t team);             // a country entry
bool Team_Hat_Manager(int32_t team);
bool Team_Hat_Aktiven_Manager(int32_t team);          // whose manager plays on this machine now
bool Manager_Oder_Netzwerk_Team(int32_t team);        // a human manager here or on a client
bool Team_Hat_Wettbewerb(int32_t team);

// Marks the teams after a build or load: bit 16 on the managed teams in
// network play, the client and ready bits cleared.
void Team_Netzwerk_Flags_Setzen();

// The start-team table (server): one entry per team, -1 for the teams a client
// may not take; Team_Startteam gives entry `i` (null out of range).
void Team_Startteams_Fuellen();
const StartTeam* Team_Startteam(int32_t i);
int32_t Team_Startteams_Anzahl();

// The team block of the save game: u32 count, i32 game running, i32 level, i32
// market team, i32 local team, the main records, the fixed data, the own
// parts, u32 market count and the market's player numbers. Load checks the
// whole block (player numbers against the loaded players) before it changes anything.
void Team_Save(std::vector<uint8_t>& out);
bool Team_Load(const uint8_t* in, size_t bytes);
// Registers the "Team" block of the save game (position 11).
bool Team_Spielstand_Anmelden();

// Client start-up and refresh (network mode 1): the counts and flags, all
// teams with the market list and the own club's private part, the same again,
// the start-team table. False when the server failed.
bool Team_Internet_Client_Startinfo();
bool Team_Internet_Client_Init();
bool Team_Internet_Client_Refresh();
bool Team_Internet_Client_Startteams();
// Client: the requests of Refresh (the clubs' table, the own club's private
// part) and of Startteams sent ahead without waiting (Club_Remote_Vorab).
void Team_Internet_Client_Refresh_Vorab();
void Team_Internet_Client_Startteams_Vorab();

// Network play on the server. The clubs a client may take are the normal
// clubs (Team_Ist_Normal with 0); until one is taken it carries a placeholder
// manager named TEAM_CLIENT_NAME and the network bit (16), so that no turn of
// the server's is given to it. Nehmen gives a client the club: false when the
// club is not offered or a client plays it already; else the client bit (32)
// and the network bit are set and the club's manager bears `name` (at most 19
// characters) and `portrait` (0-44, else the first free one). Freigeben hands
// the club back to the computer: the client and ready bits cleared, the
// manager the placeholder again; it stays offered.
inline constexpr char TEAM_CLIENT_NAME[] = "Client";
bool Team_Client_Angeboten(int32_t team);
bool Team_Client_Nehmen(int32_t team, const char* name, int32_t portrait);
void Team_Client_Freigeben(int32_t team);
// Client: asks the server for a club (request 1036): 1 taken, 0 refused or
// no answer. `slotwert` is only echoed (through *echo when given).
int32_t Team_Internet_Client_Set_User_Active(int32_t slotwert, int32_t team, const char* name, int32_t portrait,
                                            int32_t* echo);

bool Team_Server_Anfrage(int32_t anfrage, int32_t client_team, ClubLeser& l, std::vector<uint8_t>& antwort);

}  // namespace velmora
