// match/record/spielfeld_satz.h - the match record: the whole state of one match.
//
// A match record is copied as one block: the server sends it whole to a client,
// the save game stores it raw and the live view takes copies of it. Every
// offset below is therefore part of the save-game and network format; the
// static_asserts pin each one. Fields named w<offset> are working state of the
// step that owns them; they start at zero and carry no other meaning for the
// format. Fields named r<offset> are never used and stay zero.
//
// Pitch coordinates are centimetres: x 0 to 10800 along the pitch, y 0 to 6806
// across, z up. Side 0 is the home team, side 1 the away team; player slots
// 0-16 belong to side 0 and 17-33 to side 1.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velmora {

static_assert(sizeof(float) == 4, "records hold IEEE single floats");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "records are stored raw, little-endian");

constexpr int32_t SF_SPIELER = 34;           // player slots
constexpr int32_t SF_SPIELER_SEITE = 17;     // slots per side
constexpr int32_t SF_FIGUREN = 53;
constexpr int32_t SF_ANWEISUNGEN = 4;        // orders in a figure's ring
constexpr int32_t SF_WERTE = 37;             // match values per player
constexpr int32_t SF_TAKTIK = 13;            // tactic bytes per side
constexpr int32_t SF_WECHSEL = 7;            // substitution pairs per side
constexpr int32_t SF_MINUTEN_PRUEFSUMMEN = 140;

// Figure numbers.
constexpr int32_t FIGUR_SCHIRI = 34;
constexpr int32_t FIGUR_LINIENRICHTER_1 = 35;   // touch line y = 0
constexpr int32_t FIGUR_LINIENRICHTER_2 = 36;   // touch line y = 6806
constexpr int32_t FIGUR_BALL = 37;
constexpr int32_t FIGUR_OFFIZIELLER = 38;       // behaves like a linesman
constexpr int32_t FIGUR_ECKFAHNE = 39;          // 39-42
constexpr int32_t FIGUR_TORNETZ = 43;           // 43-50, four per goal
constexpr int32_t FIGUR_TRAINER = 51;           // 51 home, 52 away

// Play states (Spielfeld_Satz::spielzustand).
enum : uint32_t {
    SZ_SPIEL = 0,
    SZ_EINWURF = 1,
    SZ_ABSTOSS = 2,
    SZ_ECKE = 3,
    SZ_ANSTOSS = 4,
    SZ_ABGANG = 5,
    SZ_ELFMETER = 6,
    SZ_ELFMETERSCHIESSEN = 7,
    SZ_FREISTOSS = 8,
    SZ_NEUE_HALBZEIT = 9,
    SZ_VERLETZUNG = 10,
    SZ_NACH_TOR = 11,
};

// State bits of a player slot (Spieler_Matchsatz::zustand).
constexpr uint32_t SM_AUF_PLATZ = 16;
constexpr uint32_t SM_RESERVE = 32;            // on the bench, warming up when called
constexpr uint32_t SM_GELBROT = 256;
constexpr uint32_t SM_ROT = 512;
constexpr uint32_t SM_AUSGEWECHSELT = 0x100000;
constexpr uint32_t SM_BLEIBT = 0x1003F0;       // the bits that survive a period end

#pragma pack(push, 1)

// One order of a figure (52 bytes).
struct Anweisung {
    float dauer;               // 0: frame duration in ms, 0 for a stationary order
    int8_t erstes;             // 4: first frame of the order
    int8_t letztes_anim;       // 5: last frame index of the animation
    int8_t letztes;            // 6: last frame of the order
    int8_t wiederholung;       // 7: repeat count, -1 without end; the duels' state byte
    float tempo;               // 8: cm/s
    float vz;                  // 12: vertical launch speed
    float ziel[3];             // 16: target x, y, z
    float schritt[2];          // 28: target step per turning frame
    int8_t frame_schritt;      // 36: +1, -1 or 0
    uint8_t flags;             // 37: 0 = may be interrupted
    uint8_t angekommen;        // 38
    uint8_t links;             // 39: players: target x left of the figure
    uint8_t unten;             // 40: players: target y below the figure
    uint8_t r41[3];
    int32_t anim;              // 44: Anim_Satz row, -1 free slot
    int8_t frame;              // 48: current frame
    uint8_t r49;
    int16_t folge;             // 50: follow-up animation, -1 none
};
static_assert(sizeof(Anweisung) == 52);
static_assert(offsetof(Anweisung, erstes) == 4);
static_assert(offsetof(Anweisung, letztes_anim) == 5);
static_assert(offsetof(Anweisung, letztes) == 6);
static_assert(offsetof(Anweisung, wiederholung) == 7);
static_assert(offsetof(Anweisung, tempo) == 8);
static_assert(offsetof(Anweisung, vz) == 12);
static_assert(offsetof(Anweisung, ziel) == 16);
static_assert(offsetof(Anweisung, schritt) == 28);
static_assert(offsetof(Anweisung, frame_schritt) == 36);
static_assert(offsetof(Anweisung, flags) == 37);
static_assert(offsetof(Anweisung, angekommen) == 38);
static_assert(offsetof(Anweisung, links) == 39);
static_assert(offsetof(Anweisung, unten) == 40);
static_assert(offsetof(Anweisung, anim) == 44);
static_assert(offsetof(Anweisung, frame) == 48);
static_assert(offsetof(Anweisung, folge) == 50);

// One moving figure: a player, an official, the ball, a corner flag, a goal-net
// part or a coach (336 bytes).
struct Figur {
    float v[3];                // 0: velocity cm/s
    float dv[2];               // 12: velocity increments per frame during a spread turn
    float bremse[4];           // 20: the ball's deceleration: air x, ground x, air y, ground y
    float entscheid_intervall; // 36
    float anim_timer;          // 40: ms
    uint8_t r44[4];
    float entscheid_timer;     // 48
    float flug_start;          // 52: ball only, flight clock
    float flug_zeit;           // 56
    int32_t gelaufen;          // 60: distance run / time factor
    uint8_t geaendert;         // 64: order changed
    uint8_t entscheiden;       // 65: decide now
    uint8_t idle;              // 66
    uint8_t ist_ball;          // 67
    uint8_t jagt_ball;         // 68
    uint8_t torwart;           // 69
    uint8_t situation;         // 70: 0 open play
    int8_t dreh_gemacht;       // 71: turn frames done
    int8_t dreh_geplant;       // 72: turn frames planned
    int8_t dreh_min;           // 73: minimum turn frames
    uint8_t r74[10];
    float pos[3];              // 84
    float gezaehlt[2];         // 96: where the distance run was last counted
    int8_t aktuell;            // 104: current order 0-3
    uint8_t r105[3];
    Anweisung ring[SF_ANWEISUNGEN];   // 108
    uint8_t gezeichnet;        // 316: on the pitch and drawn
    uint8_t verfehlt;          // 317: link byte: a keeper's linked row (the ball in his hands) is
                               // drawn only while 0; set when he missed the ball, cleared
                               // when he starts a new animation (his catch byte)
    uint8_t r318[2];
    int32_t w320;              // 320: -1 for the goal nets
    uint8_t r324[3];
    uint8_t anzeige327;        // 327
    uint8_t r328[8];
};
static_assert(sizeof(Figur) == 336);
static_assert(offsetof(Figur, dv) == 12);
static_assert(offsetof(Figur, bremse) == 20);
static_assert(offsetof(Figur, entscheid_intervall) == 36);
static_assert(offsetof(Figur, anim_timer) == 40);
static_assert(offsetof(Figur, entscheid_timer) == 48);
static_assert(offsetof(Figur, flug_start) == 52);
static_assert(offsetof(Figur, flug_zeit) == 56);
static_assert(offsetof(Figur, gelaufen) == 60);
static_assert(offsetof(Figur, geaendert) == 64);
static_assert(offsetof(Figur, entscheiden) == 65);
static_assert(offsetof(Figur, idle) == 66);
static_assert(offsetof(Figur, ist_ball) == 67);
static_assert(offsetof(Figur, jagt_ball) == 68);
static_assert(offsetof(Figur, torwart) == 69);
static_assert(offsetof(Figur, situation) == 70);
static_assert(offsetof(Figur, dreh_gemacht) == 71);
static_assert(offsetof(Figur, dreh_geplant) == 72);
static_assert(offsetof(Figur, dreh_min) == 73);
static_assert(offsetof(Figur, pos) == 84);
static_assert(offsetof(Figur, gezaehlt) == 96);
static_assert(offsetof(Figur, aktuell) == 104);
static_assert(offsetof(Figur, ring) == 108);
static_assert(offsetof(Figur, gezeichnet) == 316);
static_assert(offsetof(Figur, verfehlt) == 317);
static_assert(offsetof(Figur, w320) == 320);
static_assert(offsetof(Figur, anzeige327) == 327);

// The match data of one player slot (204 bytes).
struct Spieler_Matchsatz {
    int32_t nummer;            // 0: player number, -1 empty slot
    int32_t druck;             // 4: opponents close to the player
    uint8_t deckt;             // 8: the opponent he marks
    uint8_t partner;           // 9: slot of the team-mate he combines with
    uint8_t rueck;             // 10: the slot whose partner he is
    uint8_t karte;             // 11: 0 none, 16 booked
    int32_t ausdauer;          // 12: stamina 0-10000
    int16_t frische;           // 16: fatigue count 0-1000
    uint8_t zaehler;           // 18
    uint8_t jubel;             // 19
    int32_t bereich[4];        // 20: x range low, high, y range low, high
    int32_t linie[4];          // 36: line x, second line x, line y, second line y
    uint8_t r52[8];
    uint32_t zustand;          // 60: SM_* bits
    int16_t basis;             // 64: base strength of the last valuation
    int16_t werte[SF_WERTE];   // 66: match values 0-1301
    int8_t bank;               // 140: seat on the bench
    uint8_t rolle[10];         // 141-150: role bytes
    uint8_t r151;
    uint8_t heatmap[25];       // 152: 100 two-bit cells
    uint8_t talent_flag[12];   // 177-188: talents noticed when value 0 is computed
    int8_t heat_spalte;        // 189
    int8_t heat_reihe;         // 190
    uint8_t r191;
    int8_t countdown;          // 192
    uint8_t r193[7];
    int8_t fitness;            // 200
    uint8_t r201[3];
};
static_assert(sizeof(Spieler_Matchsatz) == 204);
static_assert(offsetof(Spieler_Matchsatz, druck) == 4);
static_assert(offsetof(Spieler_Matchsatz, partner) == 9);
static_assert(offsetof(Spieler_Matchsatz, rueck) == 10);
static_assert(offsetof(Spieler_Matchsatz, karte) == 11);
static_assert(offsetof(Spieler_Matchsatz, ausdauer) == 12);
static_assert(offsetof(Spieler_Matchsatz, frische) == 16);
static_assert(offsetof(Spieler_Matchsatz, zaehler) == 18);
static_assert(offsetof(Spieler_Matchsatz, jubel) == 19);
static_assert(offsetof(Spieler_Matchsatz, bereich) == 20);
static_assert(offsetof(Spieler_Matchsatz, linie) == 36);
static_assert(offsetof(Spieler_Matchsatz, zustand) == 60);
static_assert(offsetof(Spieler_Matchsatz, basis) == 64);
static_assert(offsetof(Spieler_Matchsatz, werte) == 66);
static_assert(offsetof(Spieler_Matchsatz, bank) == 140);
static_assert(offsetof(Spieler_Matchsatz, rolle) == 141);
static_assert(offsetof(Spieler_Matchsatz, heatmap) == 152);
static_assert(offsetof(Spieler_Matchsatz, talent_flag) == 177);
static_assert(offsetof(Spieler_Matchsatz, heat_spalte) == 189);
static_assert(offsetof(Spieler_Matchsatz, heat_reihe) == 190);
static_assert(offsetof(Spieler_Matchsatz, countdown) == 192);
static_assert(offsetof(Spieler_Matchsatz, fitness) == 200);

// Index of a role byte: rolle[ROLLE(141)] is byte 141 of the slot.
constexpr int32_t ROLLE(int32_t byte) { return byte - 141; }
// Index of a talent flag: talent_flag[TALENT_FLAG(181)] is byte 181.
constexpr int32_t TALENT_FLAG(int32_t byte) { return byte - 177; }

// The whole match (42,340 bytes).
struct Spielfeld_Satz {
    uint32_t ereignis;                 // 0: bits of the last event worth showing
    int16_t ereignis_minute;           // 4
    int16_t ereignis_sekunde;          // 6
    int16_t ereignis_spieler2;         // 8: -1 none
    uint8_t ereignis_spieler;          // 10
    uint8_t ereignis_neu;              // 11
    Spieler_Matchsatz spieler[SF_SPIELER];   // 12
    uint8_t r6948[16];
    float ball_ziel[2];                // 6964
    uint8_t r6972[104];
    Figur figur[SF_FIGUREN];           // 7076
    uint32_t team[2];                  // 24884
    int32_t abfaenger[2];              // 24892
    uint32_t spielzeit_ms;             // 24900
    uint32_t frame_zaehler;            // 24904
    uint32_t spielzustand;             // 24908
    int8_t letzte_beruehrung;          // 24912
    int8_t ballhalter;                 // 24913: figure, -1 none
    int8_t letzter_halter;             // 24914: the last player to hold the ball
    uint8_t abgebrochen;               // 24915
    int32_t halter_wort;               // 24916: -1 once nobody holds the ball
    int32_t naechster0;                // 24920: nearest player to the ball, side 0
    int32_t w24924;
    int32_t naechster1;                // 24928
    int32_t w24932;
    float naechster_abstand0;          // 24936
    int32_t w24940;
    float naechster_abstand1;          // 24944
    int32_t w24948;
    float ball_torabstand;             // 24952: ball to the goal line the holder attacks
    int32_t ball_linie;                // 24956
    uint32_t spiel;                    // 24960: game number
    uint32_t wettbewerb;               // 24964
    uint32_t runde;                    // 24968
    uint32_t paarung;                  // 24972
    uint32_t spieltag;                 // 24976
    int16_t minute;                    // 24980
    int16_t sekunde;                   // 24982
    float minutenuhr;                  // 24984
    uint32_t abschnitt;                // 24988: 0 before kick-off, 1 first half, ...
    uint8_t w24992[8];
    uint32_t tor_x[2];                 // 25000: x of the goal each side attacks
    uint32_t tor_y[2];                 // 25008
    uint8_t w25016[4];
    float vorderster_x;                // 25020: x of the attackers' foremost player; the pass
                                       // distance limit, 5400 without a foremost attacker
    float vorderster_y;                // 25024
    uint8_t w25028[24];
    int8_t standard_flag;              // 25052: set-piece flag; after a goal the countdown (30)
    int8_t freistoss_seite;            // 25053: side awarded the free kick of the foul countdown
    int8_t situation_figur[2];         // 25054
    int8_t foul_schwere;               // 25056
    int8_t fouls;                      // 25057: fouls whistled, cleared at each period start
    uint8_t strenge[2];                // 25058: referee strictness
    uint32_t publikum;                 // 25060: 1 = the competition has a crowd
    int32_t empfaenger;                // 25064
    uint8_t w25068[12];
    uint32_t talent_zentrum[2];        // 25080
    uint32_t talent_abwehr[2];         // 25088
    uint32_t talent_zufall[2];         // 25096
    int32_t standard_schuetze;         // 25104
    int32_t standard_zweiter;          // 25108
    int32_t letzter_spieler;           // 25112
    int32_t vorletzter_spieler;        // 25116
    int32_t passgeber;                 // 25120
    uint8_t deckung[2];                // 25124: marking mode 0, 2 or 4
    uint8_t w25126;
    uint8_t w25127;
    int8_t foul_countdown;             // 25128: 10 after a whistled foul, 2 after an injury; a goal
                                       // is pending while it runs (Spielfeld_Tor)
    int8_t seiten_gewechselt;          // 25129
    uint8_t unterbrechung_bereit;      // 25130
    uint8_t neustart;                  // 25131: restart marker
    uint8_t torwart_getaeuscht;        // 25132: the keeper is wrong-footed
    uint8_t pass_unterwegs;            // 25133: a pass is in flight
    uint8_t ballwechsel;               // 25134: possession just changed; the card decision
                                       // reads it as a foul from behind
    uint8_t tor_art;                   // 25135: 1 when the ball was 200 cm high or more
    uint8_t torwart_beruehrt;          // 25136: a keeper touched the ball last; a goal keeps the assist
    uint8_t slot_marke[SF_SPIELER];    // 25137: one working byte per player slot
    int8_t pass_jubel;                 // 25171: a completed pass is cheered
    int8_t abschnitt_ende;             // 25172: 0 running, 2 ended
    int8_t vorderster_spieler;         // 25173: the attackers' foremost player (-1 none)
    int8_t elfmeter_schuss;            // 25174
    int8_t unterbrechung_countdown;    // 25175
    int8_t freistoss_variante;         // 25176
    uint8_t tore[2];                   // 25177
    uint8_t anzeige_modus;             // 25179: 0 background, 1 watched, 2 reported
    uint8_t freigabe_countdown;        // 25180
    int8_t ballkontrolle;              // 25181: the holder has the ball under control (duels)
    int8_t w25182[2];
    int8_t standard_marker[3];         // 25184
    int8_t w25187;
    int32_t freistoss_schuetze[2];     // 25188
    int32_t elfmeter_schuetze[2];      // 25196
    int32_t ecken_schuetze[2];         // 25204
    uint8_t freistoss_nah;             // 25212
    uint8_t elfmeter_marker;           // 25213
    uint8_t knapp_vorbei;              // 25214: a near miss, for the side at 25215
    int8_t standard_seite;             // 25215: taking side of the set piece
    uint8_t w25216[12];
    float kamera_ziel[2];              // 25228
    uint32_t standard_ab;              // 25236: w: the frame counter when the restart's play state began
    int32_t kamera[2];                 // 25240
    uint32_t netz_seite;               // 25248
    uint8_t standard_zustand;          // 25252: w: the play state the restart count belongs to
    uint8_t r25253[3];
    int8_t w25256;                     // -3 after set-up
    uint8_t r25257[2];
    uint8_t anstoss_seite;             // 25259: side that kicks off the next period
    int32_t anzeige1[37];              // 25260
    int32_t anzeige2[37];              // 25408
    uint8_t r25556[8];
    float boden_faktor;                // 25564
    uint8_t r25568[772];
    uint8_t computer[2];               // 26340
    uint8_t computer2[2];              // 26342
    uint8_t pressing[2];               // 26344
    uint8_t staerke[2];                // 26346: match strength 0-99
    uint32_t team_staerke[2];          // 26348: 0-999
    int8_t taktik[2][SF_TAKTIK];       // 26356
    int8_t linienwerte[2][SF_TAKTIK];  // 26382
    int8_t anweisungen[2][SF_TAKTIK];  // 26408
    uint8_t r26434[2];
    uint8_t wechsel_bereit[2];         // 26436: a substitute is ready
    int8_t wechsel_ein[2][SF_WECHSEL]; // 26438
    int8_t wechsel_aus[2][SF_WECHSEL]; // 26452
    int8_t live;                       // 26466: simulated live
    int8_t torwart_verfehlt;           // 26467: -1 when a keeper let the ball go
    uint8_t w26468;
    uint8_t w26469;
    uint8_t konter;                    // 26470: the ball was just won from the other side; the
                                       // first decision on it may launch a counter
    uint8_t r26471;
    uint32_t rnd_index;                // 26472
    uint8_t r26476[4];
    uint8_t computer100[2];            // 26480
    uint8_t r26482[12];
    uint8_t w26494[2];
    uint8_t r26496[70];
    uint8_t spielzuege[2][2320];       // 26566: rehearsed moves
    uint8_t bewertung[SF_SPIELER];     // 31206
    float ausdauer_timer;              // 31240
    float laengen_faktor;              // 31244
    float zeit_faktor;                 // 31248
    int32_t halter_torlinie;           // 31252: x of the goal line the holder's side attacks
    uint8_t wechsel_erlaubt[2];        // 31256
    int8_t wechsel_laeuft;             // 31258
    int8_t halter_beruehrungen;        // 31259: touches of the current holder (the pass arrival)
    uint8_t r31260[2];
    uint8_t rote[2];                   // 31262
    uint8_t r31264[2];
    uint8_t gelbe[2];                  // 31266
    uint8_t ecken[2];                  // 31268: corners of side 1, 31269 of side 0
    uint8_t r31270[4];
    uint8_t wechsel_gemacht[2];        // 31274
    uint8_t r31276[2];
    uint8_t w31278[2];                 // 2 after set-up
    uint8_t r31280[34];
    uint8_t statistik[SF_SPIELER][8];  // 31314
    uint8_t ereignis_frame;            // 31586
    uint8_t r31587;
    uint8_t wetter_init;               // 31588: 1 after set-up; goal-line crossings count only then
    uint8_t tor_reaktion;              // 31589: goal phase, the countdown of the goal reaction
    uint8_t tor_reaktion_seite;        // 31590
    uint8_t wetter;                    // 31591: 0 none, 1 rain, 3 heavy rain, 4, 5 snow, 6 heavy snow
    uint8_t r31592;
    uint8_t gefroren;                  // 31593
    uint8_t r31594[2];
    uint8_t wetter_staerke;            // 31596
    uint8_t tribuene[6];               // 31597: stand kinds
    uint8_t r31603;
    uint32_t belegung[6];              // 31604: occupancy in per cent
    uint32_t zuschauer_vorgabe;        // 31628
    uint8_t werbung[14];               // 31632
    uint8_t r31646[42];
    uint32_t zuschauer_klasse;         // 31688
    uint32_t reaktion_art[2];          // 31692
    uint32_t stimmung[2];              // 31700
    uint8_t r31708[28];
    uint32_t lockstep[4];              // 31736
    uint8_t r31752[2419];
    uint8_t e_aenderung[2];            // 34171: edit copy
    uint8_t e_anweisung[2];            // 34173
    int8_t e_taktik[2][SF_TAKTIK];     // 34175
    uint8_t e_pressing[2];             // 34201
    uint8_t e_computer[2];             // 34203
    uint8_t r34205[2];
    int8_t e_wechsel_ein[2][SF_WECHSEL];   // 34207
    int8_t e_wechsel_aus[2][SF_WECHSEL];   // 34221
    uint8_t e_computer2[2];            // 34235
    uint8_t r34237[3];
    int32_t e_linie[SF_SPIELER][4];    // 34240
    uint8_t sync[10][628];             // 34784: ring of input slots
    uint8_t bereit;                    // 41064
    int8_t live_anweisung;             // 41065
    uint8_t r41066[10];
    uint8_t w41076[2];                 // 2 after set-up
    uint8_t live_anweisung_seite[2];   // 41078
    uint8_t r41080[12];
    uint8_t ton;                       // 41092: the match is shown with sound
    uint8_t w41093;
    uint8_t w41094;
    uint8_t aufprall;                  // 41095: the ball bounced
    uint8_t ff[76];                    // 41096: 0xFF after set-up
    uint8_t r41172[9];
    int8_t strafe0;                    // 41181
    uint8_t r41182[9];
    int8_t strafe1;                    // 41191
    uint32_t abschnitt_gestartet;      // 41192
    uint32_t pruefsumme[SF_MINUTEN_PRUEFSUMMEN][2];   // 41196
    int32_t w42316[6];
};
static_assert(sizeof(Spielfeld_Satz) == 42340);
static_assert(offsetof(Spielfeld_Satz, ereignis_minute) == 4);
static_assert(offsetof(Spielfeld_Satz, ereignis_sekunde) == 6);
static_assert(offsetof(Spielfeld_Satz, ereignis_spieler2) == 8);
static_assert(offsetof(Spielfeld_Satz, ereignis_spieler) == 10);
static_assert(offsetof(Spielfeld_Satz, ereignis_neu) == 11);
static_assert(offsetof(Spielfeld_Satz, spieler) == 12);
static_assert(offsetof(Spielfeld_Satz, ball_ziel) == 6964);
static_assert(offsetof(Spielfeld_Satz, figur) == 7076);
static_assert(offsetof(Spielfeld_Satz, figur) + FIGUR_BALL * sizeof(Figur) == 19508);
static_assert(offsetof(Spielfeld_Satz, team) == 24884);
static_assert(offsetof(Spielfeld_Satz, abfaenger) == 24892);
static_assert(offsetof(Spielfeld_Satz, spielzeit_ms) == 24900);
static_assert(offsetof(Spielfeld_Satz, frame_zaehler) == 24904);
static_assert(offsetof(Spielfeld_Satz, spielzustand) == 24908);
static_assert(offsetof(Spielfeld_Satz, letzte_beruehrung) == 24912);
static_assert(offsetof(Spielfeld_Satz, ballhalter) == 24913);
static_assert(offsetof(Spielfeld_Satz, letzter_halter) == 24914);
static_assert(offsetof(Spielfeld_Satz, halter_wort) == 24916);
static_assert(offsetof(Spielfeld_Satz, ball_torabstand) == 24952);
static_assert(offsetof(Spielfeld_Satz, abgebrochen) == 24915);
static_assert(offsetof(Spielfeld_Satz, naechster0) == 24920);
static_assert(offsetof(Spielfeld_Satz, naechster1) == 24928);
static_assert(offsetof(Spielfeld_Satz, naechster_abstand0) == 24936);
static_assert(offsetof(Spielfeld_Satz, naechster_abstand1) == 24944);
static_assert(offsetof(Spielfeld_Satz, ball_linie) == 24956);
static_assert(offsetof(Spielfeld_Satz, spiel) == 24960);
static_assert(offsetof(Spielfeld_Satz, wettbewerb) == 24964);
static_assert(offsetof(Spielfeld_Satz, runde) == 24968);
static_assert(offsetof(Spielfeld_Satz, paarung) == 24972);
static_assert(offsetof(Spielfeld_Satz, spieltag) == 24976);
static_assert(offsetof(Spielfeld_Satz, minute) == 24980);
static_assert(offsetof(Spielfeld_Satz, sekunde) == 24982);
static_assert(offsetof(Spielfeld_Satz, minutenuhr) == 24984);
static_assert(offsetof(Spielfeld_Satz, abschnitt) == 24988);
static_assert(offsetof(Spielfeld_Satz, w24992) == 24992);
static_assert(offsetof(Spielfeld_Satz, tor_x) == 25000);
static_assert(offsetof(Spielfeld_Satz, tor_y) == 25008);
static_assert(offsetof(Spielfeld_Satz, vorderster_x) == 25020);
static_assert(offsetof(Spielfeld_Satz, w25028) == 25028);
static_assert(offsetof(Spielfeld_Satz, standard_flag) == 25052);
static_assert(offsetof(Spielfeld_Satz, freistoss_seite) == 25053);
static_assert(offsetof(Spielfeld_Satz, situation_figur) == 25054);
static_assert(offsetof(Spielfeld_Satz, foul_schwere) == 25056);
static_assert(offsetof(Spielfeld_Satz, fouls) == 25057);
static_assert(offsetof(Spielfeld_Satz, strenge) == 25058);
static_assert(offsetof(Spielfeld_Satz, publikum) == 25060);
static_assert(offsetof(Spielfeld_Satz, empfaenger) == 25064);
static_assert(offsetof(Spielfeld_Satz, w25068) == 25068);
static_assert(offsetof(Spielfeld_Satz, talent_zentrum) == 25080);
static_assert(offsetof(Spielfeld_Satz, talent_abwehr) == 25088);
static_assert(offsetof(Spielfeld_Satz, talent_zufall) == 25096);
static_assert(offsetof(Spielfeld_Satz, standard_schuetze) == 25104);
static_assert(offsetof(Spielfeld_Satz, standard_zweiter) == 25108);
static_assert(offsetof(Spielfeld_Satz, letzter_spieler) == 25112);
static_assert(offsetof(Spielfeld_Satz, vorletzter_spieler) == 25116);
static_assert(offsetof(Spielfeld_Satz, passgeber) == 25120);
static_assert(offsetof(Spielfeld_Satz, deckung) == 25124);
static_assert(offsetof(Spielfeld_Satz, w25126) == 25126);
static_assert(offsetof(Spielfeld_Satz, w25127) == 25127);
static_assert(offsetof(Spielfeld_Satz, foul_countdown) == 25128);
static_assert(offsetof(Spielfeld_Satz, seiten_gewechselt) == 25129);
static_assert(offsetof(Spielfeld_Satz, unterbrechung_bereit) == 25130);
static_assert(offsetof(Spielfeld_Satz, neustart) == 25131);
static_assert(offsetof(Spielfeld_Satz, ballwechsel) == 25134);
static_assert(offsetof(Spielfeld_Satz, torwart_beruehrt) == 25136);
static_assert(offsetof(Spielfeld_Satz, slot_marke) == 25137);
static_assert(offsetof(Spielfeld_Satz, pass_jubel) == 25171);
static_assert(offsetof(Spielfeld_Satz, abschnitt_ende) == 25172);
static_assert(offsetof(Spielfeld_Satz, elfmeter_schuss) == 25174);
static_assert(offsetof(Spielfeld_Satz, unterbrechung_countdown) == 25175);
static_assert(offsetof(Spielfeld_Satz, freistoss_variante) == 25176);
static_assert(offsetof(Spielfeld_Satz, tore) == 25177);
static_assert(offsetof(Spielfeld_Satz, anzeige_modus) == 25179);
static_assert(offsetof(Spielfeld_Satz, freigabe_countdown) == 25180);
static_assert(offsetof(Spielfeld_Satz, ballkontrolle) == 25181);
static_assert(offsetof(Spielfeld_Satz, standard_marker) == 25184);
static_assert(offsetof(Spielfeld_Satz, w25187) == 25187);
static_assert(offsetof(Spielfeld_Satz, freistoss_schuetze) == 25188);
static_assert(offsetof(Spielfeld_Satz, elfmeter_schuetze) == 25196);
static_assert(offsetof(Spielfeld_Satz, ecken_schuetze) == 25204);
static_assert(offsetof(Spielfeld_Satz, freistoss_nah) == 25212);
static_assert(offsetof(Spielfeld_Satz, elfmeter_marker) == 25213);
static_assert(offsetof(Spielfeld_Satz, knapp_vorbei) == 25214);
static_assert(offsetof(Spielfeld_Satz, standard_seite) == 25215);
static_assert(offsetof(Spielfeld_Satz, w25216) == 25216);
static_assert(offsetof(Spielfeld_Satz, kamera_ziel) == 25228);
static_assert(offsetof(Spielfeld_Satz, kamera) == 25240);
static_assert(offsetof(Spielfeld_Satz, netz_seite) == 25248);
static_assert(offsetof(Spielfeld_Satz, standard_ab) == 25236);
static_assert(offsetof(Spielfeld_Satz, standard_zustand) == 25252);
static_assert(offsetof(Spielfeld_Satz, w25256) == 25256);
static_assert(offsetof(Spielfeld_Satz, anstoss_seite) == 25259);
static_assert(offsetof(Spielfeld_Satz, anzeige1) == 25260);
static_assert(offsetof(Spielfeld_Satz, anzeige2) == 25408);
static_assert(offsetof(Spielfeld_Satz, boden_faktor) == 25564);
static_assert(offsetof(Spielfeld_Satz, computer) == 26340);
static_assert(offsetof(Spielfeld_Satz, computer2) == 26342);
static_assert(offsetof(Spielfeld_Satz, pressing) == 26344);
static_assert(offsetof(Spielfeld_Satz, staerke) == 26346);
static_assert(offsetof(Spielfeld_Satz, team_staerke) == 26348);
static_assert(offsetof(Spielfeld_Satz, taktik) == 26356);
static_assert(offsetof(Spielfeld_Satz, linienwerte) == 26382);
static_assert(offsetof(Spielfeld_Satz, anweisungen) == 26408);
static_assert(offsetof(Spielfeld_Satz, wechsel_bereit) == 26436);
static_assert(offsetof(Spielfeld_Satz, wechsel_ein) == 26438);
static_assert(offsetof(Spielfeld_Satz, wechsel_aus) == 26452);
static_assert(offsetof(Spielfeld_Satz, live) == 26466);
static_assert(offsetof(Spielfeld_Satz, torwart_verfehlt) == 26467);
static_assert(offsetof(Spielfeld_Satz, w26468) == 26468);
static_assert(offsetof(Spielfeld_Satz, konter) == 26470);
static_assert(offsetof(Spielfeld_Satz, vorderster_spieler) == 25173);
static_assert(offsetof(Spielfeld_Satz, w26469) == 26469);
static_assert(offsetof(Spielfeld_Satz, rnd_index) == 26472);
static_assert(offsetof(Spielfeld_Satz, computer100) == 26480);
static_assert(offsetof(Spielfeld_Satz, w26494) == 26494);
static_assert(offsetof(Spielfeld_Satz, spielzuege) == 26566);
static_assert(offsetof(Spielfeld_Satz, bewertung) == 31206);
static_assert(offsetof(Spielfeld_Satz, ausdauer_timer) == 31240);
static_assert(offsetof(Spielfeld_Satz, laengen_faktor) == 31244);
static_assert(offsetof(Spielfeld_Satz, zeit_faktor) == 31248);
static_assert(offsetof(Spielfeld_Satz, halter_torlinie) == 31252);
static_assert(offsetof(Spielfeld_Satz, wechsel_erlaubt) == 31256);
static_assert(offsetof(Spielfeld_Satz, wechsel_laeuft) == 31258);
static_assert(offsetof(Spielfeld_Satz, halter_beruehrungen) == 31259);
static_assert(offsetof(Spielfeld_Satz, ecken) == 31268);
static_assert(offsetof(Spielfeld_Satz, rote) == 31262);
static_assert(offsetof(Spielfeld_Satz, gelbe) == 31266);
static_assert(offsetof(Spielfeld_Satz, wechsel_gemacht) == 31274);
static_assert(offsetof(Spielfeld_Satz, w31278) == 31278);
static_assert(offsetof(Spielfeld_Satz, statistik) == 31314);
static_assert(offsetof(Spielfeld_Satz, ereignis_frame) == 31586);
static_assert(offsetof(Spielfeld_Satz, wetter_init) == 31588);
static_assert(offsetof(Spielfeld_Satz, tor_reaktion) == 31589);
static_assert(offsetof(Spielfeld_Satz, tor_reaktion_seite) == 31590);
static_assert(offsetof(Spielfeld_Satz, wetter) == 31591);
static_assert(offsetof(Spielfeld_Satz, gefroren) == 31593);
static_assert(offsetof(Spielfeld_Satz, wetter_staerke) == 31596);
static_assert(offsetof(Spielfeld_Satz, tribuene) == 31597);
static_assert(offsetof(Spielfeld_Satz, belegung) == 31604);
static_assert(offsetof(Spielfeld_Satz, zuschauer_vorgabe) == 31628);
static_assert(offsetof(Spielfeld_Satz, werbung) == 31632);
static_assert(offsetof(Spielfeld_Satz, zuschauer_klasse) == 31688);
static_assert(offsetof(Spielfeld_Satz, reaktion_art) == 31692);
static_assert(offsetof(Spielfeld_Satz, stimmung) == 31700);
static_assert(offsetof(Spielfeld_Satz, lockstep) == 31736);
static_assert(offsetof(Spielfeld_Satz, e_aenderung) == 34171);
static_assert(offsetof(Spielfeld_Satz, e_anweisung) == 34173);
static_assert(offsetof(Spielfeld_Satz, e_taktik) == 34175);
static_assert(offsetof(Spielfeld_Satz, e_pressing) == 34201);
static_assert(offsetof(Spielfeld_Satz, e_computer) == 34203);
static_assert(offsetof(Spielfeld_Satz, e_wechsel_ein) == 34207);
static_assert(offsetof(Spielfeld_Satz, e_wechsel_aus) == 34221);
static_assert(offsetof(Spielfeld_Satz, e_computer2) == 34235);
static_assert(offsetof(Spielfeld_Satz, e_linie) == 34240);
static_assert(offsetof(Spielfeld_Satz, sync) == 34784);
static_assert(offsetof(Spielfeld_Satz, bereit) == 41064);
static_assert(offsetof(Spielfeld_Satz, live_anweisung) == 41065);
static_assert(offsetof(Spielfeld_Satz, w41076) == 41076);
static_assert(offsetof(Spielfeld_Satz, live_anweisung_seite) == 41078);
static_assert(offsetof(Spielfeld_Satz, ton) == 41092);
static_assert(offsetof(Spielfeld_Satz, aufprall) == 41095);
static_assert(offsetof(Spielfeld_Satz, ff) == 41096);
static_assert(offsetof(Spielfeld_Satz, strafe0) == 41181);
static_assert(offsetof(Spielfeld_Satz, strafe1) == 41191);
static_assert(offsetof(Spielfeld_Satz, abschnitt_gestartet) == 41192);
static_assert(offsetof(Spielfeld_Satz, pruefsumme) == 41196);
static_assert(offsetof(Spielfeld_Satz, pruefsumme) + sizeof(uint32_t) * 2 * SF_MINUTEN_PRUEFSUMMEN == 42316);
static_assert(offsetof(Spielfeld_Satz, w42316) == 42316);

// The pitch constants (104 bytes, 26 signed values).
struct Spielfeld_Konstanten {
    int32_t laenge;                // 0: 10800
    int32_t breite;                // 4: 6806
    int32_t pfosten_unten[2];      // 8: width / 2 - 450
    int32_t pfosten_oben[2];       // 16: width / 2 + 450
    int32_t latte[2];              // 24: 300
    int32_t elfmeter_x[2];         // 32: 1100, length - 1100
    int32_t elfmeter_y[2];         // 40: width / 2
    int32_t strafraum_unten[2];    // 48: 1388
    int32_t strafraum_oben[2];     // 56: 5418
    int32_t strafraum_x[2];        // 64: 1632, length - 1632
    int32_t torraum_unten[2];      // 72: 2487
    int32_t torraum_oben[2];       // 80: 4319
    int32_t torraum_x[2];          // 88: 550, length - 550
    int32_t mittelkreis_unten;     // 96: centre y - 915
    int32_t mittelkreis_oben;      // 100: centre y + 915
};
static_assert(sizeof(Spielfeld_Konstanten) == 104);
static_assert(offsetof(Spielfeld_Konstanten, pfosten_oben) == 16);
static_assert(offsetof(Spielfeld_Konstanten, latte) == 24);
static_assert(offsetof(Spielfeld_Konstanten, elfmeter_x) == 32);
static_assert(offsetof(Spielfeld_Konstanten, elfmeter_y) == 40);
static_assert(offsetof(Spielfeld_Konstanten, strafraum_unten) == 48);
static_assert(offsetof(Spielfeld_Konstanten, strafraum_oben) == 56);
static_assert(offsetof(Spielfeld_Konstanten, strafraum_x) == 64);
static_assert(offsetof(Spielfeld_Konstanten, torraum_unten) == 72);
static_assert(offsetof(Spielfeld_Konstanten, torraum_oben) == 80);
static_assert(offsetof(Spielfeld_Konstanten, torraum_x) == 88);
static_assert(offsetof(Spielfeld_Konstanten, mittelkreis_unten) == 96);
static_assert(offsetof(Spielfeld_Konstanten, mittelkreis_oben) == 100);

// The view settings (44 bytes). The work buffer's address lives in the module;
// its field here is a 32-bit placeholder and is written as 0.
struct Spielfeld_Ansicht_Einstellung {
    uint32_t puffer;               // 0: placeholder of the work buffer
    uint8_t r4[8];
    uint32_t frame_intervall;      // 12: ms, 45 by default
    uint8_t r16[13];
    uint8_t pause;                 // 29
    uint8_t r30[5];
    uint8_t fast;                  // 35
    uint8_t r36[8];
};
static_assert(sizeof(Spielfeld_Ansicht_Einstellung) == 44);
static_assert(offsetof(Spielfeld_Ansicht_Einstellung, frame_intervall) == 12);
static_assert(offsetof(Spielfeld_Ansicht_Einstellung, pause) == 29);
static_assert(offsetof(Spielfeld_Ansicht_Einstellung, fast) == 35);

#pragma pack(pop)

constexpr int32_t SPIELFELD_LAENGE = 10800;
constexpr int32_t SPIELFELD_BREITE = 6806;
constexpr int32_t SPIELFELD_MITTE_X = 5400;
constexpr int32_t SPIELFELD_MITTE_Y = 3403;

// Fields of the record the layout names only by their byte offset, read and
// written whole at any alignment: the offside line (-1 none) and the flag a
// linesman raised (where, for which side, the player flagged).
constexpr size_t SF_ABSEITSLINIE = 25016;
constexpr size_t SF_FAHNE_X = 25028, SF_FAHNE_Y = 25032, SF_FAHNE_SEITE = 25036, SF_FAHNE_SPIELER = 25040;
// The frames until the check of the pass in flight (u8, 0 none running).
constexpr size_t SF_PASS_COUNTDOWN = 24996;

template <typename T> T Satz_Feld(const void* basis, size_t offset) {
    T w;
    std::memcpy(&w, static_cast<const uint8_t*>(basis) + offset, sizeof w);
    return w;
}
template <typename T> void Satz_Feld_Setzen(void* basis, size_t offset, T w) {
    std::memcpy(static_cast<uint8_t*>(basis) + offset, &w, sizeof w);
}

}  // namespace velmora
