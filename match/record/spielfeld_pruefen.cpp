// match/record/spielfeld_pruefen.cpp - the invariants of a live match record.
#include "match/record/spielfeld_pruefen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "club/spieler.h"
#include "club/team.h"
#include "match/live/anim.h"
#include "match/live/anweisung.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_sync.h"
#include "match/live/spielfeld_situation.h"

namespace velmora {

namespace {

bool Endlich(const float* v, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

constexpr float POS_GRENZE = 30000.0f;     // cm from the pitch: far beyond any place a figure reaches
constexpr float TEMPO_GRENZE = 100000.0f;  // cm/s

bool Begrenzt(const float* v, int32_t n, float grenze) {
    for (int32_t i = 0; i < n; ++i)
        if (!std::isfinite(v[i]) || std::fabs(v[i]) > grenze) return false;
    return true;
}

// -1 or an index below `n`.
bool Index(int32_t v, int32_t n) { return v >= -1 && v < n; }
// A slot byte: 0xFF for none or a slot.
bool Slot_Byte(uint8_t v) { return v == 0xFF || v < SF_SPIELER; }

bool Team_Gueltig(uint32_t team) {
    const int32_t n = Team_Anzahl();
    return n <= 0 || team < uint32_t(n);
}

// A player number of the side's club, or -1.
bool Spieler_Gueltig(int32_t nummer, uint32_t team) {
    if (nummer == -1) return true;
    const int32_t n = Spieler_Anzahl();
    if (n <= 0) return nummer >= 0;
    if (nummer < 0 || nummer >= n) return false;
    return Team_Spieler_Besitzer(nummer) == int32_t(team);
}

// A substitution list: -1 or a slot of the side.
bool Wechsel_Gueltig(const int8_t liste[SF_WECHSEL], int32_t seite) {
    for (int32_t i = 0; i < SF_WECHSEL; ++i) {
        const int32_t v = liste[i];
        if (v != -1 && (v < seite * SF_SPIELER_SEITE || v >= (seite + 1) * SF_SPIELER_SEITE)) return false;
    }
    return true;
}

// The tactic bytes that are shares of 100 (widths, depth, pressing line).
bool Taktik_Gueltig(const int8_t taktik[SF_TAKTIK]) {
    for (int32_t i : {0, 1, 2, 4, 5})
        if (taktik[i] < 0 || taktik[i] > 100) return false;
    return true;
}

const char* Anweisung_Pruefen(const Anweisung& a) {
    if (!Begrenzt(&a.dauer, 1, 1e6f) || !Begrenzt(&a.tempo, 1, TEMPO_GRENZE) || !Begrenzt(&a.vz, 1, TEMPO_GRENZE) ||
        !Begrenzt(a.ziel, 3, POS_GRENZE) || !Begrenzt(a.schritt, 2, POS_GRENZE))
        return "Anweisung mit unbrauchbarer Zahl";
    if (a.frame_schritt < -1 || a.frame_schritt > 1) return "Frame-Schritt ausserhalb -1..1";
    if (a.anim == -1) return nullptr;
    const Anim_Satz* z = Anim_Zeile(a.anim);
    if (!z || !z->benutzt) return "Animation nicht in Gebrauch";
    const int32_t letzter = z->letzter_frame;
    for (int32_t f : {int32_t(a.frame), int32_t(a.erstes), int32_t(a.letztes)})
        if (f < -1 || f > letzter + 1) return "Frame ausserhalb der Animation";
    if (a.folge != -1 && !Anim_Zeile(a.folge)) return "Folgeanimation unbekannt";
    return nullptr;
}

}  // namespace

const char* Spielfeld_Satz_Pruefen(const Spielfeld_Satz* satz) {
    if (!satz) return "kein Satz";
    if (satz->spielzustand > SZ_NACH_TOR) return "Spielzustand ausserhalb 0..11";
    if (satz->abschnitt > 6) return "Abschnitt ausserhalb 0..6";
    if (satz->minute < 0 || satz->minute > 250 || satz->sekunde < -1 || satz->sekunde > 120)
        return "Minute ausserhalb 0..250";
    if (!std::isfinite(satz->minutenuhr) || satz->minutenuhr < -10 || satz->minutenuhr > 1000)
        return "Minutenuhr unbrauchbar";
    if (satz->live < -1 || satz->live > 1) return "Live-Byte ausserhalb -1..1";
    if (satz->ereignis_neu > 1 || satz->anzeige_modus > 2) return "Anzeigebyte ausserhalb";
    for (int32_t s = 0; s < 2; ++s) {
        if (!Team_Gueltig(satz->team[s])) return "Team ausserhalb der Tabelle";
        if (!Wechsel_Gueltig(satz->wechsel_ein[s], s) || !Wechsel_Gueltig(satz->wechsel_aus[s], s))
            return "Wechselplatz ausserhalb der Seite";
        if (satz->wechsel_gemacht[s] > 3) return "mehr als 3 Wechsel";
        if (satz->pressing[s] > 100) return "Pressing ausserhalb 0..100";
        if (!Taktik_Gueltig(satz->taktik[s])) return "Taktikbyte ausserhalb";
        if (!Index(satz->abfaenger[s], SF_SPIELER)) return "Abfaenger kein Platz";
        for (int32_t p : {satz->freistoss_schuetze[s], satz->elfmeter_schuetze[s], satz->ecken_schuetze[s]})
            if (!Spieler_Gueltig(p, satz->team[s])) return "Schuetze nicht vom Verein";
    }
    if (!Index(satz->ballhalter, SF_SPIELER)) return "Ballhalter kein Platz";
    if (!Index(satz->letzter_halter, SF_SPIELER)) return "letzter Ballhalter kein Platz";
    if (satz->letzte_beruehrung < -1 || satz->letzte_beruehrung > 1) return "letzte Beruehrung keine Seite";
    for (int32_t v : {satz->naechster0, satz->naechster1, satz->empfaenger, satz->standard_schuetze,
                      satz->standard_zweiter, satz->letzter_spieler, satz->vorletzter_spieler, satz->passgeber})
        if (!Index(v, SF_SPIELER)) return "Spielerindex ausserhalb -1..33";
    for (int32_t v : {int32_t(satz->situation_figur[0]), int32_t(satz->situation_figur[1])})
        if (!Index(v, SF_FIGUREN)) return "Situationsfigur ausserhalb";
    if (satz->freistoss_seite < -1 || satz->freistoss_seite > 1 || satz->standard_seite < -1 ||
        satz->standard_seite > 1)
        return "Seite ausserhalb -1..1";
    if (!Index(satz->ereignis_spieler2, SF_SPIELER) && satz->ereignis_spieler2 != -1) return "Ereignisspieler ausserhalb";
    if (!Slot_Byte(satz->ereignis_spieler)) return "Ereignisspieler ausserhalb";
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        const Spieler_Matchsatz& sm = satz->spieler[i];
        if (!Spieler_Gueltig(sm.nummer, satz->team[i / SF_SPIELER_SEITE])) return "Spieler nicht vom Verein";
        if (!Slot_Byte(sm.partner) || !Slot_Byte(sm.rueck) || !Slot_Byte(sm.deckt)) return "Partnerbyte kein Platz";
        if (sm.ausdauer < 0 || sm.ausdauer > 10000) return "Ausdauer ausserhalb 0..10000";
        if (sm.frische < 0 || sm.frische > 1000) return "Frische ausserhalb 0..1000";
        if (sm.heat_spalte < -1 || sm.heat_spalte > 9 || sm.heat_reihe < -1 || sm.heat_reihe > 9)
            return "Heatmap-Zelle ausserhalb";
    }
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        const Figur& f = satz->figur[i];
        if (!Begrenzt(f.pos, 3, POS_GRENZE) || !Begrenzt(f.gezaehlt, 2, POS_GRENZE))
            return "Position nicht endlich oder ausserhalb";
        if (!Begrenzt(f.v, 3, TEMPO_GRENZE) || !Begrenzt(f.dv, 2, TEMPO_GRENZE))
            return "Geschwindigkeit nicht endlich oder ausserhalb";
        if (!Begrenzt(f.bremse, 4, FIGUR_BREMSE_GRENZE) || !Begrenzt(&f.entscheid_intervall, 1, 1e6f) ||
            !Begrenzt(&f.anim_timer, 1, 1e7f) || !Begrenzt(&f.entscheid_timer, 1, 1e7f))
            return "Figurwert nicht endlich";
        if (f.aktuell < 0 || f.aktuell >= SF_ANWEISUNGEN) return "Anweisungsindex ausserhalb 0..3";
        for (const Anweisung& a : f.ring)
            if (const char* grund = Anweisung_Pruefen(a)) return grund;
    }
    if (!Begrenzt(satz->ball_ziel, 2, POS_GRENZE) || !std::isfinite(satz->zeit_faktor) ||
        !std::isfinite(satz->laengen_faktor))
        return "Satzwert nicht endlich";
    if (const char* grund = Spielfeld_Ring_Pruefen(satz, Sync_Ring(const_cast<Spielfeld_Satz*>(satz)), SYNC_EINTRAEGE, -1))
        return grund;
    return nullptr;
}

const char* Spielfeld_Ring_Pruefen(const Spielfeld_Satz* satz, const Sync_Eintrag* ring, int32_t anzahl,
                                   int32_t seite) {
    if (!satz || !ring) return "kein Ring";
    for (int32_t i = 0; i < anzahl; ++i) {
        const Sync_Eintrag& e = ring[i];
        for (int32_t s = 0; s < 2; ++s) {
            if (seite >= 0 && s != seite) continue;
            if (e.aenderung[s] & ~uint8_t(SYNC_PRESSING | SYNC_TAKTIK | SYNC_WECHSEL | SYNC_POSITIONEN |
                                          SYNC_NEU_PLATZIEREN))
                return "Aenderungsbits unbekannt";
            if (e.faellig_minute[s] > 250 || e.faellig_abschnitt[s] > 6) return "Faelligkeit ausserhalb";
            if (e.computer[s] > 1 || e.computer2[s] > 1 || e.fehler[s] > 1) return "Eingabebyte ausserhalb";
            // The rest counts only where the entry's change bits apply it.
            const uint8_t bits = e.aenderung[s];
            if ((bits & SYNC_WECHSEL) && (!Wechsel_Gueltig(e.wechsel_ein[s], s) || !Wechsel_Gueltig(e.wechsel_aus[s], s)))
                return "Wechselplatz ausserhalb der Seite";
            if ((bits & SYNC_PRESSING) && e.pressing[s] > 100) return "Pressing ausserhalb 0..100";
            if ((bits & SYNC_TAKTIK) && !Taktik_Gueltig(e.taktik[s])) return "Taktikbyte ausserhalb";
            if (!(bits & SYNC_POSITIONEN)) continue;
            for (int32_t k = 0; k < SF_SPIELER_SEITE; ++k) {
                const int32_t* l = e.linie[s * SF_SPIELER_SEITE + k];
                if (l[0] < -1000 || l[0] > SPIELFELD_LAENGE + 1000 || l[1] < -1000 || l[1] > SPIELFELD_LAENGE + 1000 ||
                    l[2] < -1000 || l[2] > SPIELFELD_BREITE + 1000 || l[3] < -1000 || l[3] > SPIELFELD_BREITE + 1000)
                    return "Linienwert ausserhalb des Platzes";
            }
        }
    }
    return nullptr;
}

bool Spielfeld_Satz_Gleich(const Spielfeld_Satz& a, const Spielfeld_Satz& b) {
    Spielfeld_Satz x = a, y = b;
    for (Spielfeld_Satz* s : {&x, &y}) {
        // What the fetch and a match view write on the client alone.
        s->ereignis_neu = 0;
        s->anzeige_modus = 0;
        s->spiel = 0;
        s->abschnitt_gestartet = 0;
    }
    return std::memcmp(&x, &y, sizeof x) == 0;
}

namespace {

Spielfeld_Pruef_Hoechst hoechst;

// A restart: the shoot-out (one kick after the other) and the injury and
// substitution stoppages are none.
bool Ist_Standard(uint32_t z) {
    return z == SZ_EINWURF || z == SZ_ABSTOSS || z == SZ_ECKE || z == SZ_ANSTOSS || z == SZ_ELFMETER || z == SZ_FREISTOSS;
}

// The restart rules, on the checker's own count of the restart's frames:
// a wait bound that released it, a restart not taken, one that stood long
// when its period ended, a player who stands still in it with his target
// far off (play waits for every player at a restart).
const char* Standard_Pruefen(const Spielfeld_Satz* satz, Spielfeld_Pruefstand* st) {
    const Spielfeld_Wartegrenze& w = Spielfeld_Wartegrenze_Stand();
    if (w.spiel == satz->spiel && w.anzahl != st->grenzen) {
        st->grenzen = w.anzahl;
        return "Wartegrenze einer Standardsituation gegriffen";
    }
    const uint32_t frame = satz->frame_zaehler;
    const uint32_t z = satz->spielzustand;
    const uint32_t schritt = frame > st->zuletzt && st->zuletzt != 0 ? frame - st->zuletzt : 1;
    st->zuletzt = frame;
    if (Ist_Standard(st->standard_zustand) && !Ist_Standard(z) && frame >= st->standard_ab) {
        const uint32_t dauer = frame - st->standard_ab;
        if (z == SZ_ABGANG) {
            hoechst.standard_ende = std::max(hoechst.standard_ende, dauer);
            if (dauer > PRUEF_MAX_STANDARD_ENDE) return "Abschnitt endet in einer Standardsituation nach 800 Frames";
        }
    }
    if (!Ist_Standard(z)) {
        st->standard_zustand = 0;
        std::fill(std::begin(st->steht), std::end(st->steht), uint16_t(0));
        return nullptr;
    }
    if (st->standard_zustand != z || frame < st->standard_ab) {
        st->standard_zustand = z;
        st->standard_ab = frame;
    }
    const uint32_t dauer = frame - st->standard_ab;
    hoechst.standard = std::max(hoechst.standard, dauer);
    if (dauer >= PRUEF_MAX_STANDARD) return "Standardsituation 1500 Frames nicht ausgefuehrt";
    for (int32_t i = 0; i < SF_SPIELER; ++i) {
        const Figur& f = satz->figur[i];
        const Anweisung& a = f.ring[f.aktuell];
        const bool still = f.gezeichnet && (satz->spieler[i].zustand & SM_AUF_PLATZ) && a.tempo == 0 && f.v[0] == 0 &&
                           f.v[1] == 0 &&
                           std::hypot(a.ziel[0] - f.pos[0], a.ziel[1] - f.pos[1]) > PRUEF_STEHEN_ABSTAND;
        st->steht[i] = still ? uint16_t(std::min<uint32_t>(st->steht[i] + schritt, UINT16_MAX)) : 0;
        hoechst.stehen = std::max<uint32_t>(hoechst.stehen, st->steht[i]);
        if (st->steht[i] > PRUEF_MAX_STEHEN) return "Spieler steht 600 Frames mit Ziel ueber 1 m in einer Standardsituation";
    }
    return nullptr;
}

}  // namespace

const Spielfeld_Pruef_Hoechst& Spielfeld_Pruef_Hoechstwerte() { return hoechst; }

const char* Spielfeld_Pruefen(const Spielfeld_Satz* satz, int32_t abschnitte, Spielfeld_Pruefstand* st) {
    if (!satz || !st) return "kein Satz";
    if (st->spiel != satz->spiel) {
        *st = Spielfeld_Pruefstand{satz->spiel};
        st->grenzen = Spielfeld_Wartegrenze_Stand().anzahl;
    }
    if (satz->spielzustand > SZ_NACH_TOR) return "Spielzustand ausserhalb 0..11";
    if (satz->minute < st->minute) return "Minute faellt";
    st->minute = satz->minute;
    if (abschnitte >= 0 && satz->abschnitt > uint32_t(abschnitte)) return "Abschnitt ausserhalb des Wettbewerbs";
    if (satz->frame_zaehler >= PRUEF_MAX_FRAMES) return "kein Abpfiff vor 50000 Frames";
    for (int32_t i = 0; i < SF_FIGUREN; ++i) {
        const Figur& f = satz->figur[i];
        if (!Endlich(f.pos, 3) || !Endlich(f.v, 3)) return "Position oder Geschwindigkeit nicht endlich";
        if (f.aktuell < 0 || f.aktuell >= SF_ANWEISUNGEN) return "Anweisungsindex ausserhalb 0..3";
        const int32_t anim = f.ring[f.aktuell].anim;
        if (anim != -1) {
            const Anim_Satz* z = Anim_Zeile(anim);
            if (!z || !z->benutzt) return "Animation nicht in Gebrauch";
        }
    }
    const Figur& b = satz->figur[FIGUR_BALL];
    if (b.pos[0] < -1500 || b.pos[0] > SPIELFELD_LAENGE + 1500 || b.pos[1] < -1500 ||
        b.pos[1] > SPIELFELD_BREITE + 1500)
        return "Ball mehr als 1500 cm hinter den Linien";
    if (b.pos[2] >= 10000) return "Ball hoeher als 100 m";
    const int32_t h = satz->ballhalter;
    if (h != -1 && (h < 0 || h >= SF_SPIELER || !(satz->spieler[h].zustand & SM_AUF_PLATZ)))
        return "Ballhalter kein Spieler auf dem Platz";
    int32_t auf_platz[2] = {};
    for (int32_t s = 0; s < SF_SPIELER; ++s) {
        const Spieler_Matchsatz& sm = satz->spieler[s];
        if (sm.ausdauer < 0 || sm.ausdauer > 10000) return "Ausdauer ausserhalb 0..10000";
        if (sm.frische < 0 || sm.frische > 1000) return "Frische ausserhalb 0..1000";
        const uint8_t c = satz->figur[s].situation;
        const bool geht = c == 38 || c == 39 || (sm.zustand & SM_AUSGEWECHSELT);
        if ((sm.zustand & SM_AUF_PLATZ) && !geht) ++auf_platz[s < SF_SPIELER_SEITE ? 0 : 1];
        const uint64_t bit = uint64_t(1) << s;
        if (sm.zustand & (SM_ROT | SM_GELBROT)) {
            if (!(st->vom_platz & bit) && !(sm.zustand & SM_AUF_PLATZ)) st->vom_platz |= bit;
        }
        if ((st->vom_platz & bit) && (sm.zustand & SM_AUF_PLATZ)) return "Vom Platz gestellter Spieler wieder auf dem Platz";
    }
    for (int32_t seite = 0; seite < 2; ++seite) {
        if (auf_platz[seite] > 11) return "mehr als 11 Spieler auf dem Platz";
        if (satz->wechsel_gemacht[seite] > 3) return "mehr als 3 Wechsel";
    }
    const bool still = b.pos[0] == st->ball[0] && b.pos[1] == st->ball[1] && b.pos[2] == st->ball[2];
    st->ruhe = (still && h == -1 && satz->spielzustand == SZ_SPIEL) ? st->ruhe + 1 : 0;
    for (int32_t i = 0; i < 3; ++i) st->ball[i] = b.pos[i];
    if (st->ruhe >= PRUEF_MAX_RUHE) return "Ball liegt 450 Frames unberuehrt im Spiel";
    if (const char* grund = Standard_Pruefen(satz, st)) return grund;
    // A record the save checker refuses makes a save written now unloadable.
    if (const char* grund = Spielfeld_Satz_Pruefen(satz)) return grund;
    return nullptr;
}

namespace {

constexpr char PRUEF_MAGIC[4] = {'V', 'P', 'R', 'F'};
constexpr uint32_t PRUEF_VERSION = 3;
constexpr size_t PRUEF_KOPF = 36;
constexpr size_t PRUEF_EINTRAG = 112;     // the restart's play state, first frame and the players' standing frames
constexpr size_t PRUEF_EINTRAG_V2 = 44;   // the second version's, with the restart but without the players
constexpr size_t PRUEF_EINTRAG_V1 = 36;   // the first version's, without the restart

template <typename T>
void Anhaengen(std::vector<uint8_t>& b, T v) {
    uint8_t roh[sizeof(T)];
    std::memcpy(roh, &v, sizeof(T));   // the record's own byte order, little-endian (asserted with it)
    b.insert(b.end(), roh, roh + sizeof(T));
}

template <typename T>
T Holen(const uint8_t*& p) {
    T v;
    std::memcpy(&v, p, sizeof(T));
    p += sizeof(T);
    return v;
}

}  // namespace

bool Pruefstand_Sicherung_Schreiben(const char* pfad, const Pruefstand_Sicherung& s) {
    if (!pfad) return false;
    std::vector<uint8_t> b;
    b.insert(b.end(), PRUEF_MAGIC, PRUEF_MAGIC + 4);
    Anhaengen(b, PRUEF_VERSION);
    Anhaengen(b, s.frame);
    Anhaengen(b, s.spielstand_groesse);
    Anhaengen(b, s.spielstand_zeit);
    Anhaengen(b, uint32_t(s.eintraege.size()));
    for (const Pruefstand_Sicherung::Eintrag& e : s.eintraege) {
        Anhaengen(b, e.st.spiel);
        Anhaengen(b, e.st.minute);
        Anhaengen(b, e.st.vom_platz);
        for (float f : e.st.ball) Anhaengen(b, f);
        Anhaengen(b, e.st.ruhe);
        Anhaengen(b, e.frame_zaehler);
        Anhaengen(b, e.st.standard_zustand);
        Anhaengen(b, e.st.standard_ab);
        for (uint16_t n : e.st.steht) Anhaengen(b, n);
    }
    std::FILE* f = std::fopen(pfad, "wb");
    if (!f) return false;
    const bool ok = std::fwrite(b.data(), 1, b.size(), f) == b.size();
    return std::fclose(f) == 0 && ok;
}

bool Pruefstand_Sicherung_Lesen(const char* pfad, Pruefstand_Sicherung* s) {
    if (!pfad || !s) return false;
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return false;
    std::vector<uint8_t> b;
    uint8_t puffer[4096];
    for (size_t n; (n = std::fread(puffer, 1, sizeof puffer, f)) > 0;) b.insert(b.end(), puffer, puffer + n);
    std::fclose(f);
    if (b.size() < PRUEF_KOPF || std::memcmp(b.data(), PRUEF_MAGIC, 4) != 0) return false;
    const uint8_t* p = b.data() + 4;
    const uint32_t version = Holen<uint32_t>(p);
    if (version < 1 || version > PRUEF_VERSION) return false;
    const size_t eintrag = version == 1 ? PRUEF_EINTRAG_V1 : version == 2 ? PRUEF_EINTRAG_V2 : PRUEF_EINTRAG;
    Pruefstand_Sicherung neu;
    neu.frame = Holen<int64_t>(p);
    neu.spielstand_groesse = Holen<uint64_t>(p);
    neu.spielstand_zeit = Holen<int64_t>(p);
    const uint32_t anzahl = Holen<uint32_t>(p);
    if (anzahl > 1000 || b.size() != PRUEF_KOPF + size_t(anzahl) * eintrag) return false;
    for (uint32_t i = 0; i < anzahl; ++i) {
        Pruefstand_Sicherung::Eintrag e;
        e.st.spiel = Holen<uint32_t>(p);
        e.st.minute = Holen<int32_t>(p);
        e.st.vom_platz = Holen<uint64_t>(p);
        for (float& v : e.st.ball) v = Holen<float>(p);
        e.st.ruhe = Holen<int32_t>(p);
        e.frame_zaehler = Holen<uint32_t>(p);
        e.st.zuletzt = e.frame_zaehler;
        e.st.grenzen = Spielfeld_Wartegrenze_Stand().anzahl;   // releases until now were another run's
        if (version >= 2) {
            e.st.standard_zustand = Holen<uint32_t>(p);
            e.st.standard_ab = Holen<uint32_t>(p);
        }
        if (version >= 3)
            for (uint16_t& n : e.st.steht) n = Holen<uint16_t>(p);
        neu.eintraege.push_back(e);
    }
    *s = std::move(neu);
    return true;
}

}  // namespace velmora
