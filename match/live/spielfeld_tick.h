// match/live/spielfeld_tick.h - one frame of a match computed live.
//
// The match day calls the tick once per frame for every record computed live;
// a period start calls it in a loop until the kick-off has been taken. The
// tick owns the frame timing, the match minute and the fixed order of a
// frame's work: play-state work, the figures' decisions, animation and
// movement, possession and the ball at kick frames. The order is the
// determinism: two runs from one record and one random index give the same
// bytes.
#pragma once
#include <cstdint>

#include "match/record/spielfeld_satz.h"

namespace velmora {

// Results of Spielfeld_Tick.
constexpr float TICK_NICHTS = 0.0f;        // nothing simulated, or a minute change inside the period
constexpr float TICK_FRAME = 2.0f;         // a frame was simulated
constexpr float TICK_ENDE = 1000.0f;       // period or match over, record not live, or walk-off complete

constexpr float TICK_FRAME_SCHRITT = 44.0f;                    // ms of match time per frame
constexpr float TICK_FIGUR_SCHRITT = 30.0f;                    // the figures' step (timers, animation, movement)
constexpr float TICK_UHR_START = 90.0f;                        // the minute clock restarts here
constexpr int32_t ANSTOSS_MAX_FRAMES = 1000;                   // cap of the kick-off loop

// Advances a record by one frame. `erster_aufruf` is 1 from the match day, 0
// from the kick-off loop; `elfer` (may be null) is the slot's shoot-out flag;
// `nachholen` the match day's catch-up byte; `jetzt` the frame time in ms.
float Spielfeld_Tick(Spielfeld_Satz* satz, int32_t erster_aufruf, int8_t* elfer, int32_t nachholen, uint32_t jetzt);
// The kick-off loop of a period start: the tick without display until the
// play state is open play; after ANSTOSS_MAX_FRAMES frames open play is forced
// (logged). The number of frames run.
int32_t Spielfeld_Anstoss_Ausfuehren(Spielfeld_Satz* satz);
// The frame-clock re-base after each walk of the match day: a pending
// catch-up carry is taken off `jetzt`, and the last frame time never lags
// more than one frame interval behind.
void Spielfeld_Tick_Rebase(uint32_t jetzt);
// The pass-event countdown of the frame (record field SF_PASS_COUNTDOWN,
// frames): when it runs out while a pass is still in flight and nobody holds
// the ball, a ball that lies still ends the pass as failed (statistics
// element 0 for the passer); a ball still moving is looked at again after
// PASS_NACHFRIST frames.
void Spielfeld_Pass_Countdown(Spielfeld_Satz* satz);
constexpr uint8_t PASS_NACHFRIST = 23;
// The idle posture of figure i (0-36) standing without motion and without
// decide now: a keeper the keeper's stand (37) unless in row 43, the
// officials the stand row; any other player the stand row when his row is a
// moving one (his order's flags cleared), then a stand variant once his
// order's repeat count has run out (10 more frames), the count lowered (not
// below -1). The follow-up row is 37, the frame 0.
void Spielfeld_Ruhehaltung(Spielfeld_Satz* satz, int32_t i);
// Whether the live display runs (a match view is open and a match watched).
// Without a view every live match runs unthrottled.
bool Spielfeld_Live_Anzeige();

}  // namespace velmora
