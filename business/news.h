// business/news.h - the news inbox: every message to a human manager and every
// yes/no request between managers or from the game is a news item.
//
// All items of the running game live in one working file "ostra_NNN.nws" in
// the user directory (NNN the first number no running instance holds: the
// open file carries an advisory lock); the module keeps an index of up to
// 1500 live items (file offsets, oldest first). An item is appended once and never rewritten except
// for its recipients' flag words; deleting it only takes it out of the index.
//
// Record of the news file (every number 32-bit little-endian):
//   0   u32 id (1, 2, 3 ...; 0 marks an empty record that every walk skips)
//   4   i32 day of creation
//   8   i32 sender team (-1 the game itself)
//   12  40-byte header (News_Kopf), ten 32-bit words given by the caller
//   52  u32 length L of the text without its zero (for binary items: of the data)
//   56  L + 1 bytes text and zero byte, absent when L is 0
//   ..  recipient pairs (i32 team, u32 flag word); team -2 marks a removed
//       recipient; the list ends with a single i32 -1
//
// On a single machine and on the server the module stores items itself; a
// client sends them to the server first and keeps a copy for its own team
// under the server's id (see business/news_netz.h).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {

constexpr int32_t NEWS_MAX = 1500;              // live items in the index
constexpr int32_t NEWS_KOPF_WORTE = 10;
constexpr size_t NEWS_KOPF_BYTES = 40;
constexpr size_t NEWS_SATZKOPF_BYTES = 48;      // day, sender and News_Kopf
constexpr size_t NEWS_SATZ_FEST_BYTES = 56;     // id, item header, length
constexpr int32_t NEWS_TEXT_MAX = 799;          // one temporary string of 800 bytes
constexpr int32_t NEWS_TEAM_ENTFERNT = -2;      // a removed recipient in the file
constexpr int32_t NEWS_LISTE_ENDE = -1;

// Bits of a recipient's flag word (News_Flag).
constexpr uint32_t NEWS_ANFRAGE = 0x1;          // yes/no request
constexpr uint32_t NEWS_ANTWORT = 0x2;          // answer to a request, never presented
constexpr uint32_t NEWS_NACHRICHT = 0x4;        // message still to be shown
constexpr uint32_t NEWS_KATEGORIEN = 0x1ff8;    // bits 3-12
constexpr uint32_t NEWS_SPIELER = 0x100;        // player affairs
constexpr uint32_t NEWS_STRAFE = 0x200;         // match penalties
constexpr uint32_t NEWS_ALLGEMEIN = 0x800;      // general (set when no category is given)
constexpr uint32_t NEWS_GELD = 0x1000;          // money affairs
constexpr uint32_t NEWS_POPUP = 0x4000;         // pop-up message from another manager
constexpr uint32_t NEWS_BINAER = 0x8000000;     // the text is data of News_Kopf word 0 - 1 bytes
constexpr uint32_t NEWS_ANKUENDIGUNG = 0x8002000;   // binary announcement item (both bits)
constexpr uint32_t NEWS_HALTEN = 0x30000000;    // hold marks (bit 29: not presented)
constexpr uint32_t NEWS_HALTEN_29 = 0x20000000;
constexpr uint32_t NEWS_GESPEICHERT = 0x40000000;   // set on every stored word except exactly 2
constexpr uint32_t NEWS_STANDARD = 0x804;       // what a flag word of -1 means

// Modes of News_Set.
constexpr int32_t NEWS_SET_WERT = 1;
constexpr int32_t NEWS_SET_UMSCHALTEN = 2;
constexpr int32_t NEWS_SET_LOESCHEN = 4;
constexpr int32_t NEWS_SET_SETZEN = 8;

// The manager of `team` learns of a transfer with `partner`: who came, who
// left, what his club paid for the one who came and was paid for the one who
// left, and with both what it comes to.
void News_Transfer(int32_t team, int32_t partner, int32_t kommt, int32_t geht, float bezahlt, float erhalten);
// What a transfer comes to for the club: "Ihr Verein erhält damit ..." or
// "Ihr Verein zahlt damit ...".
std::string News_Transfer_Saldo(int32_t team, float erhalten, float bezahlt);

// Adds an item. sender: a team or -1 (the game); recipient: a team or -1 (all
// human managers but the sender); second: a team or -1 (none); flags: a flag
// word or -1 (0x804); kopf: 40-byte header or null (words 0-3 -1, 4-9 0).
// The text is formatted into one 800-byte string (at most 799 characters).
// Returns 1 when the item was stored, else 0.
int32_t News_Add(int32_t sender, int32_t recipient, int32_t second, int32_t flags, const int32_t* kopf,
                 const char* format, ...) __attribute__((format(printf, 6, 7)));
// The same with a finished text (cut at 799 characters), or with binary data
// of News_Kopf word 0 - 1 bytes when flags bit 27 is set.
int32_t News_Add_Block(int32_t sender, int32_t recipient, int32_t second, int32_t flags, const int32_t* kopf,
                       const char* text);
// Stores an item as it stands (the server's and the client's own store):
// id 0 takes the next id, day -1 today. Returns 1 when stored.
int32_t News_Eintragen(uint32_t id, int32_t tag, int32_t sender, int32_t recipient, int32_t second, int32_t flags,
                       const int32_t* kopf, const char* text);
uint32_t News_Neue_Id();
// The id of the item stored last (the server returns it to a client).
uint32_t News_Letzte_Id();

// Changes recipient flags (mode 1 set to value, 2 toggle, 4 clear, 8 set bits;
// team -1 every recipient, otherwise the team's first pair). A word that
// becomes 0 or exactly 0x40000000 removes the recipient; an item without
// recipients is deleted. News_Set(i, -1, -1, 4) deletes the item,
// News_Set(i, team, -1, 4) removes one recipient. Returns 1 when a recipient
// was removed or the item deleted.
int32_t News_Set(int32_t index, int32_t team, int32_t wert, int32_t modus);

// Walks the live items from the oldest: team -1 matches any recipient; mask
// -1 any flags, a mask with bit 30 needs all its bits, any other mask one of
// them. Each returns the index of the next match or -1. Removed recipients
// never match.
int32_t News_Erste(int32_t team, int32_t maske);
int32_t News_Naechste();
int32_t News_Vorige();
// The first match of News_Erste(team, mask) whose matching flag word holds a
// bit of `gesucht` (0: any) and none of `ausgeschlossen` (0: no condition).
int32_t News_Suche_Flags(int32_t team, int32_t maske, uint32_t gesucht, uint32_t ausgeschlossen);
int32_t News_Suche_Weiter();
// The flag word of the pair the last walk step matched.
uint32_t News_Walk_Flags();

// Readers by index 0-1499. Out of range, absent or closed: a zeroed header,
// sender -1, day 0, an empty text, flags -1, id 0.
const int32_t* News_Get_Kopf(int32_t index);
int32_t News_Get_Absender(int32_t index);
int32_t News_Get_Tag(int32_t index);
// The text or data in a temporary string (800 bytes).
const char* News_Text(int32_t index);
// The flag word of the team's first pair (team -1: the first recipient), -1 when none.
int32_t News_Get_Flags(int32_t index, int32_t team);
uint32_t News_Get_Id(int32_t index);
int32_t News_Index_Von_Id(uint32_t id);
int32_t News_Anzahl();

// Deletes every item whose header word 0 equals `art` and word `wort` equals `wert`.
int32_t News_Loeschen_Nach(int32_t art, int32_t wort, int32_t wert);
// Clears bit 2 in every recipient of every item.
void News_Alle_Gelesen();
// Puts the team's unheld items aside (bit 29), see the requests' presentation.
void News_Anfragen_Halten(int32_t team, uint32_t maske);

// The working file: opening deletes a file of the same number left from an
// earlier run and makes it empty; closing deletes it.
bool News_Datei_Oeffnen();
void News_Datei_Schliessen();
bool News_Ist_Offen();
const char* News_Datei_Name();   // "" when closed
// A client reopens a fresh, empty file (not the server) when it fetches all its data again.
void News_Client_Start();

// The module's block of the save game: the 140-byte options block, u8 open
// flag, u32 next id and, when open, u32 count and per live item u32 id, the
// 48-byte item header, u32 length, the text with its zero (when the length is
// not 0), the recipient pairs without the removed ones and i32 -1.
void Optionen_News_Save(std::vector<uint8_t>& out);
// False (nothing changed) for a damaged or truncated block.
bool Optionen_News_Load(const uint8_t* in, size_t bytes);
// Registers the "News" block of the save game (position 40).
bool News_Spielstand_Anmelden();

}  // namespace velmora
