// club/club_netz.cpp - packing and dispatch of the club data's remote calls.
#include "club/club_netz.h"

#include <cstring>

#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "core/bytes.h"
#include "core/le.h"
#include "core/debug.h"

namespace velmora {

void ClubPacker::i32(int32_t wert) { Le_Put_U32(out, uint32_t(wert)); }

void ClubPacker::block(const void* daten, size_t bytes) { Le_Put_Bytes(out, daten, bytes); }

void ClubPacker::block_mit_laenge(const void* daten, size_t bytes) {
    i32(int32_t(bytes));
    block(daten, bytes);
}

int32_t ClubLeser::i32() {
    if (fehler || bytes - pos < 4 || pos > bytes) {
        fehler = true;
        return 0;
    }
    uint32_t u = Bytes_Get32(daten + pos);
    pos += 4;
    return int32_t(u);
}

bool ClubLeser::block(void* ziel, size_t anzahl) {
    if (fehler || pos > bytes || bytes - pos < anzahl) {
        fehler = true;
        return false;
    }
    if (anzahl) std::memcpy(ziel, daten + pos, anzahl);
    pos += anzahl;
    return true;
}

const uint8_t* ClubLeser::block_mit_laenge(size_t* anzahl) {
    uint32_t n = uint32_t(i32());
    if (fehler || bytes - pos < n) {
        fehler = true;
        *anzahl = 0;
        return nullptr;
    }
    const uint8_t* p = daten + pos;
    pos += n;
    *anzahl = n;
    return p;
}

bool Club_Remote(const char* wer, int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                 std::vector<uint8_t>& antwort) {
    antwort.clear();
    const ClubHooks& h = Club_Hooks();
    if (!h.client_read) {
        Debug_Printf("%s: keine Verbindung zum Server (Anfrage %d)\n", wer, anfrage);
        return false;
    }
    if (!h.client_read(anfrage, typ, argumente, antwort)) {
        Debug_Printf("%s: Server antwortet nicht (Anfrage %d)\n", wer, anfrage);
        antwort.clear();
        return false;
    }
    return true;
}

bool Club_Remote_Vorab(int32_t anfrage, const std::vector<uint8_t>& argumente) {
    const ClubHooks& h = Club_Hooks();
    return h.client_vorab && h.client_vorab(anfrage, argumente);
}

void Club_Remote_Vorab_Ende() {
    if (Club_Hooks().client_vorab_ende) Club_Hooks().client_vorab_ende();
}

bool Club_Remote_Satz_Vorab(int32_t anfrage, int32_t team) {
    std::vector<uint8_t> a;
    ClubPacker{a}.i32(team);
    return Club_Remote_Vorab(anfrage, a);
}

int32_t Club_Remote_Int(const char* wer, int32_t anfrage, const char* typ, const std::vector<uint8_t>& argumente,
                        int32_t fehlwert) {
    std::vector<uint8_t> antwort;
    if (!Club_Remote(wer, anfrage, typ, argumente, antwort)) return fehlwert;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t wert = l.i32();
    if (l.fehler) {
        Debug_Printf("%s: Antwort zu kurz (Anfrage %d)\n", wer, anfrage);
        return fehlwert;
    }
    return wert;
}

const uint8_t* Club_Remote_Block(const char* wer, int32_t anfrage, const char* typ,
                                 const std::vector<uint8_t>& argumente, std::vector<uint8_t>& antwort,
                                 size_t* groesse) {
    *groesse = 0;
    if (!Club_Remote(wer, anfrage, typ, argumente, antwort)) return nullptr;
    ClubLeser l{antwort.data(), antwort.size()};
    const uint8_t* d = l.block_mit_laenge(groesse);
    if (!d) Debug_Printf("%s: Antwort beschaedigt (Anfrage %d)\n", wer, anfrage);
    return d;
}

const uint8_t* Club_Remote_Satz(const char* wer, int32_t anfrage, int32_t team, size_t bytes,
                                std::vector<uint8_t>& antwort, bool* leer) {
    if (leer) *leer = false;
    std::vector<uint8_t> a;
    ClubPacker{a}.i32(team);
    size_t groesse = 0;
    const uint8_t* d = Club_Remote_Block(wer, anfrage, "i<C<=0", a, antwort, &groesse);
    if (d && groesse == 0 && leer) {
        *leer = true;
        return nullptr;
    }
    if (!d || groesse != bytes) {
        Debug_Printf("%s: Antwort hat %zu Bytes\n", wer, groesse);
        return nullptr;
    }
    return d;
}

bool Club_Remote_Stueckweise(const char* wer, int32_t anfrage, int32_t anzahl, int32_t stueck, size_t je,
                             bool (*nehmen)(int32_t erster, int32_t anzahl, const uint8_t* daten)) {
    for (int32_t erster = 0; erster < anzahl; erster += stueck) {
        int32_t n = anzahl - erster < stueck ? anzahl - erster : stueck;
        std::vector<uint8_t> a, antwort;
        ClubPacker pk{a};
        pk.i32(erster);
        pk.i32(n);
        size_t groesse = 0;
        const uint8_t* d = Club_Remote_Block(wer, anfrage, "ii<C<=0", a, antwort, &groesse);
        if (!d || groesse != je * size_t(n)) {
            Debug_Printf("%s: Antwort hat %zu Bytes\n", wer, groesse);
            return false;
        }
        if (!nehmen(erster, n, d)) return false;
    }
    return true;
}

namespace {
uint32_t bediente_verbindung = 0, bediente_adresse = 0;
}  // namespace

void Club_Verbindung_Setzen(uint32_t verbindung, uint32_t adresse) {
    bediente_verbindung = verbindung;
    bediente_adresse = adresse;
}
uint32_t Club_Verbindung() { return bediente_verbindung; }
uint32_t Club_Verbindung_Adresse() { return bediente_adresse; }

bool Club_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort) {
    antwort.clear();
    ClubLeser l{daten, bytes};
    bool bekannt = Spieler_Server_Anfrage(anfrage, client_team, l, antwort) ||
                   Team_Server_Anfrage(anfrage, client_team, l, antwort) ||
                   Manager_Server_Anfrage(anfrage, client_team, l, antwort) ||
                   Transfer_Server_Anfrage(anfrage, client_team, l, antwort);
    if (!bekannt) {
        Debug_Printf("Club_Server_Anfrage: unbekannte Anfrage %d\n", anfrage);
        return false;
    }
    if (l.fehler) {
        Debug_Printf("Club_Server_Anfrage: Anfrage %d zu kurz\n", anfrage);
        antwort.clear();
        return false;
    }
    return true;
}

}  // namespace velmora
