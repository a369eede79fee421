// jpeg/jpeg_scan_walk.h - the walk over a scan's units with its restart
// bookkeeping: how decoding goes on past damage and where it resumes after a
// restart marker. Shared by the sequential and the progressive scans.
#pragma once
#include <cstdint>

#include "jpeg/jpeg_input.h"
#include "jpeg/jpeg_types.h"

namespace velmora::scan_walk {

constexpr uint8_t MARKER_EOI = 0xD9;

inline bool is_restart(uint32_t m) { return m >= 0xD0 && m <= 0xD7; }

inline void note_fault(JPEG_STREAM* s, JPEG_RESULT r) {
    if (s->fault == 0) s->fault = r;
}

// Whether a marker stands right at the reading position: one held, or the next
// bytes 0xFF and a code. The end of the data counts as the stand-in end marker.
inline bool marker_next(JPEG_STREAM* s) {
    if (s->marker != 0) return true;
    if (s->left <= 0 && (s->file < 0 || jpeg_stream_refill(s) != 0)) {
        s->marker = MARKER_EOI;
        s->data_end = 1;
        return true;
    }
    if (s->current[0] != 0xFF) return false;
    return s->left < 2 || s->current[1] != 0;
}

// The held marker, else the next one (passing data bytes); the end of the data
// gives the end marker.
inline uint32_t next_marker(JPEG_STREAM* s) {
    uint32_t code = 0;
    if (jpeg_read_marker(s, &code) < 0 || code >= 256) {
        s->data_end = 1;
        return MARKER_EOI;
    }
    return code;
}

// The restart bookkeeping of one scan. Units (MCUs, or blocks of a progressive
// single-component scan) are decoded until damage is met: data ending early,
// a marker inside an interval, a code no table holds. The rest of that interval
// is then filled instead of decoded, and the restart markers decide where
// decoding resumes. Sound pictures never leave the first branch of restart().
struct Restarts {
    JPEG_STREAM* s;
    JPEG_SCAN* scan;
    uint32_t expected = 0;   // number of the next restart marker, modulo 8
    bool skipping = false;   // the current interval is filled, not decoded
    bool dead = false;       // nothing more of this scan can be decoded

    // A stepped scan keeps this state in its record between calls.
    void load() {
        expected = scan->position[0] & 7;
        skipping = scan->position[1] != 0;
        dead = scan->position[2] != 0;
    }
    void save() const {
        scan->position[0] = expected;
        scan->position[1] = skipping;
        scan->position[2] = dead;
    }

    // Judges the unit just decoded (r its decoder's result); true when damaged.
    bool damaged(JPEG_RESULT r) {
        if (r < 0 || s->bad_code) note_fault(s, JPEG_ERR_DATA);
        else if (s->starved) note_fault(s, is_restart(s->marker) ? JPEG_ERR_BAD_RST : JPEG_ERR_EOF);
        else return false;
        s->bad_code = s->starved = 0;
        skipping = true;
        if (scan->restart_interval == 0) dead = true;
        return true;
    }

    // After the last unit of an interval that is not the scan's last.
    void restart() {
        // Sound data end with fewer than eight padding bits right before the marker.
        const bool direct = !skipping && s->bit_count >= 0 && s->bit_count < 8 && marker_next(s);
        for (int16_t& pr : scan->pred) pr = 0;
        s->bits = 0;
        s->bit_count = 0;
        s->eob_run = 0;
        s->starved = s->bad_code = 0;
        if (direct) {
            // A marker right after an interval's data is its restart marker,
            // whatever its code; only the end marker ends the scan.
            const uint32_t m = next_marker(s);
            if (m != MARKER_EOI) {
                expected = (expected + 1) & 7;
                // A restart marker right after it would stand for an empty
                // interval, which sound data never have: passed over.
                while (s->marker == 0 && s->left >= 2 && s->current[0] == 0xFF && is_restart(s->current[1])) {
                    note_fault(s, JPEG_ERR_BAD_RST);
                    s->current += 2;
                    s->left -= 2;
                    s->consumed += 2;
                }
                return;
            }
            s->marker = uint8_t(m);
            note_fault(s, JPEG_ERR_EOF);
            dead = true;
            return;
        }
        if (!skipping) note_fault(s, JPEG_ERR_BAD_RST);   // data bytes stand before the marker
        resync();
    }

    // Finds where decoding resumes by the markers' numbers: the expected one is
    // taken; one of the next two is left for a later interval (this one is lost);
    // one of the two before is passed over; one further off is taken as the
    // expected one. The end marker or another segment's marker ends the scan.
    void resync() {
        for (;;) {
            const uint32_t m = next_marker(s);
            if (m == MARKER_EOI || (!is_restart(m) && m >= 0xC0)) {
                s->marker = uint8_t(m);
                note_fault(s, m == MARKER_EOI ? JPEG_ERR_EOF : JPEG_ERR_BAD_RST);
                dead = true;
                return;
            }
            if (!is_restart(m)) continue;   // no marker a stream may hold here
            const uint32_t d = (m - 0xD0 - expected) & 7;
            if (d >= 6) continue;
            skipping = d == 1 || d == 2;
            if (skipping) s->marker = uint8_t(m);
            expected = (expected + 1) & 7;
            return;
        }
    }
};

// Walks the cols x rows units of a scan from (first_col, first_row): decode(col,
// row) reads a unit's entropy data, place(col, row, zero) puts it out (filled
// as zero coefficients decode when zero) and returns true when a stepped read
// stops after it, rest(col, row) fills every unit from there to the scan's end
// once nothing more can be decoded. Returns true when the walk stopped early:
// the scan's resume position and restart state then name the next unit.
struct NoRowDone {
    void operator()(uint32_t, const Restarts&) const {}
};

// row_done(row, restarts) is told each time the walk reaches the start of a row.
template <class Decode, class Place, class Rest, class RowDone = NoRowDone>
bool walk_units(JPEG_STREAM* s, JPEG_SCAN* scan, uint32_t cols, uint32_t rows, uint32_t first_col,
                uint32_t first_row, Decode decode, Place place, Rest rest, bool stepping = false,
                RowDone row_done = {}) {
    Restarts rs{s, scan};
    rs.load();
    s->starved = s->bad_code = 0;
    const uint64_t total = uint64_t(cols) * rows;
    const uint32_t interval = scan->restart_interval;
    for (uint32_t row = first_row; row < rows; ++row) {
        for (uint32_t col = row == first_row ? first_col : 0; col < cols; ++col) {
            if (rs.dead && !stepping) [[unlikely]] {
                rest(col, row);
                return false;
            }
            bool zero = rs.skipping || rs.dead;
            if (!zero) zero = rs.damaged(decode(col, row));
            const bool stop = place(col, row, zero);
            const uint64_t k = uint64_t(row) * cols + col + 1;
            if (interval != 0 && k % interval == 0 && k != total && !rs.dead) rs.restart();
            if (stop && k != total) [[unlikely]] {
                scan->resume_col = col + 1 == cols ? 0 : col + 1;
                scan->resume_row = col + 1 == cols ? row + 1 : row;
                rs.save();
                return true;
            }
        }
        row_done(row + 1, rs);
    }
    return false;
}

}  // namespace velmora::scan_walk
