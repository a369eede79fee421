// business/bank_netz.cpp - the bank's remote calls on the client and the server.
#include "business/bank_netz.h"

#include <cmath>
#include <cstring>

#include "business/bank.h"
#include "business/bank_intern.h"
#include "business/bank_kredit.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "core/bytes.h"
#include "core/debug.h"
#include "core/text_format.h"

namespace velmora {
namespace {

struct BankNetzModul {
    bool status = false;      // requests 1024 and 1025 done since the last full fetch
    bool buchungen = false;   // request 1027 done since the last transfer or full fetch
};
BankNetzModul g;

constexpr size_t STATUS_FREI = 52;   // a block the server leaves unfilled
constexpr size_t KONTO_WORTE = 20;
constexpr size_t SLOTS_BYTES = sizeof(Bank_Buchung) * BANK_BUCHUNGEN;
constexpr uint32_t BELIEBIG = 0xffffffffu;   // list elements of any size

void F32(ClubPacker& pk, float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    pk.i32(int32_t(u));
}
float F32(ClubLeser& l) {
    uint32_t u = uint32_t(l.i32());
    float f;
    std::memcpy(&f, &u, 4);
    return f;
}

// A serialised list whose every element has `groesse` bytes and finite floats at
// the given offsets; false when it is damaged.
bool Liste_Sauber(const uint8_t* p, size_t bytes, uint32_t groesse, int32_t schluessel) {
    if (!p || bytes < 4) return false;
    uint32_t anzahl = Bytes_Get32(p);
    size_t pos = 4;
    for (uint32_t i = 0; i < anzahl; ++i) {
        if (bytes - pos < 8) return false;
        int32_t key = int32_t(Bytes_Get32(p + pos));
        uint32_t n = Bytes_Get32(p + pos + 4);
        if ((groesse != BELIEBIG && n != groesse) || bytes - pos - 8 < n ||
            (schluessel != LISTE_ALLE && key != schluessel))
            return false;
        if (groesse == sizeof(Bank_Kredit_Posten)) {
            Bank_Kredit_Posten k;
            std::memcpy(&k, p + pos + 8, sizeof k);
            if (!std::isfinite(k.gesamt) || !std::isfinite(k.betrag) || !std::isfinite(k.zins)) return false;
        }
        pos += 8 + n;
    }
    return pos == bytes;
}

bool Konto_Holen(bool nur_periode) {
    const int32_t team = Club_Client_Team();
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("Bank_Client_Konto_Holen: kein eigenes Team\n");
        return false;
    }
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(team);
    if (!Club_Remote("Bank_Client_Konto_Holen", ANFRAGE_BANK_KONTO, "iC<=0C<20i", a, antwort)) return false;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t ok = l.i32();
    size_t n = 0;
    const uint8_t* liste = l.block_mit_laenge(&n);
    uint8_t worte[KONTO_WORTE];
    l.block(worte, sizeof worte);
    if (l.fehler || l.pos != antwort.size() || ok != 1 || !Liste_Sauber(liste, n, sizeof(Bank_Kredit_Posten), team)) {
        Debug_Printf("Bank_Client_Konto_Holen: Antwort abgelehnt\n");
        return false;
    }
    if (!Bank_Hat_Konto(team) && !Bank_Waehrung_Umrechnen(team, -1, 0)) return false;
    Bank_Konto* k = Bank_Intern_Konto(team);
    float rahmen, summe;
    std::memcpy(&rahmen, worte + 4, 4);
    std::memcpy(&summe, worte + 8, 4);
    const uint32_t waehrung = Bytes_Get32(worte + 16);
    if (!nur_periode && (!std::isfinite(rahmen) || !std::isfinite(summe) || waehrung >= uint32_t(BANK_WAEHRUNGEN))) {
        Debug_Printf("Bank_Client_Konto_Holen: Kontoworte beschaedigt\n");
        return false;
    }
    if (!Liste_From_Memory(liste, n, Bank_Intern_Kredite())) return false;
    k->periode = Bytes_Get32(worte);
    if (!nur_periode) {
        k->kreditrahmen = rahmen;
        k->summe = summe;
        k->reserviert = Bytes_Get32(worte + 12);
        k->waehrung = waehrung;
    }
    return true;
}

// ---- server handlers ----

void Status_Senden(int32_t client_team, int32_t team, ClubPacker& pk) {
    const Bank_Global* gl = Bank_Intern_Global();
    pk.i32(1);
    Listen_Element* zweite = Bank_Intern_Zweite_Liste();
    std::vector<uint8_t> block(Liste_Memory_Groesse(zweite, LISTE_ALLE));
    Liste_To_Memory(block.data(), block.size(), zweite, LISTE_ALLE);
    pk.block_mit_laenge(block.data(), block.size());
    pk.block(Bank_Intern_Waehrungen(), sizeof(float) * BANK_WAEHRUNGEN);
    pk.block(gl->anlagezins, sizeof gl->anlagezins);
    pk.block(gl->kreditzins, sizeof gl->kreditzins);
    F32(pk, gl->zins_hoch);
    F32(pk, gl->zins_tief);
    F32(pk, gl->dispozins);
    F32(pk, Club_Ist_Eigenes(team, client_team) ? gl->kontostand[team] : 0.0f);
    uint8_t frei[STATUS_FREI] = {};
    pk.block(frei, sizeof frei);
}

void Konto_Senden(int32_t client_team, int32_t team, ClubPacker& pk) {
    const bool eigenes = Club_Ist_Eigenes(team, client_team);
    Listen_Element* kredite = Bank_Intern_Kredite();
    const int32_t schluessel = eigenes ? team : -2;   // another team's request gets an empty list
    std::vector<uint8_t> block(Liste_Memory_Groesse(kredite, schluessel));
    Liste_To_Memory(block.data(), block.size(), kredite, schluessel);
    pk.i32(1);
    pk.block_mit_laenge(block.data(), block.size());
    const Bank_Konto* k = eigenes ? Bank_Intern_Konto(team) : nullptr;
    if (!k) {
        uint8_t null[KONTO_WORTE] = {};
        pk.block(null, sizeof null);
        return;
    }
    pk.i32(int32_t(k->periode));
    F32(pk, k->kreditrahmen);
    F32(pk, k->summe);
    pk.i32(int32_t(k->reserviert));
    pk.i32(int32_t(k->waehrung));
}

void Buchungen_Senden(int32_t client_team, int32_t team, ClubPacker& pk) {
    const Bank_Konto* k = Club_Ist_Eigenes(team, client_team) ? Bank_Intern_Konto(team) : nullptr;
    if (!k) {
        std::vector<uint8_t> null(SLOTS_BYTES + 8, 0);
        pk.block(null.data(), null.size());
        return;
    }
    pk.block(k->slot, SLOTS_BYTES);
    pk.i32(int32_t(k->schreib_index));
    pk.i32(int32_t(k->periode));
}

// The bank's answer to a term it does not offer.
std::string Laufzeit_Absage() {
    return Text_Format(Bank_Intern_Text(31, "Die Bank leiht nur f\xfcr %d bis %d Perioden."),
                       {BANK_KREDIT_LAUFZEIT_MIN, BANK_KREDIT_LAUFZEIT_MAX});
}

}  // namespace

void Bank_Client_Flags_Loeschen() {
    g.status = false;
    g.buchungen = false;
}

bool Bank_Sync_Status(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Sync_Status")) return false;
    if (!Bank_Intern_Team_Gueltig(team)) {
        Debug_Printf("Bank_Sync_Status: Team %d ungueltig\n", team);
        return false;
    }
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(team);
    if (!Club_Remote("Bank_Sync_Status", ANFRAGE_BANK_STATUS, "iC<=0C<12C<28C<28F<4F<4F<4F<4C<52i", a, antwort))
        return false;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t ok = l.i32();
    size_t n = 0;
    const uint8_t* zweite = l.block_mit_laenge(&n);
    float waehrung[BANK_WAEHRUNGEN], anlage[7], kredit[7], rest[4];
    l.block(waehrung, sizeof waehrung);
    l.block(anlage, sizeof anlage);
    l.block(kredit, sizeof kredit);
    for (float& f : rest) f = F32(l);
    uint8_t frei[STATUS_FREI];
    l.block(frei, sizeof frei);
    bool sauber = !l.fehler && l.pos == antwort.size() && ok == 1 && Liste_Sauber(zweite, n, BELIEBIG, LISTE_ALLE);
    for (float f : waehrung) sauber = sauber && std::isfinite(f) && f > 0;
    for (float f : anlage) sauber = sauber && std::isfinite(f);
    for (float f : kredit) sauber = sauber && std::isfinite(f);
    for (float f : rest) sauber = sauber && std::isfinite(f);
    if (!sauber) {
        Debug_Printf("Bank_Sync_Status: Antwort abgelehnt\n");
        return false;
    }
    if (!Liste_From_Memory(zweite, n, Bank_Intern_Zweite_Liste())) return false;
    Bank_Global* gl = Bank_Intern_Global();
    std::memcpy(Bank_Intern_Waehrungen(), waehrung, sizeof waehrung);
    std::memcpy(gl->anlagezins, anlage, sizeof anlage);
    std::memcpy(gl->kreditzins, kredit, sizeof kredit);
    gl->zins_hoch = rest[0];
    gl->zins_tief = rest[1];
    gl->dispozins = rest[2];
    gl->kontostand[team] = rest[3];
    return true;
}

bool Bank_Client_Konto_Holen() {
    if (!Bank_Intern_Bereit("Bank_Client_Konto_Holen")) return false;
    return Konto_Holen(false);
}

void Bank_Client_Alles_Holen_Vorab(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Client_Alles_Holen_Vorab") || !Bank_Intern_Team_Gueltig(team)) return;
    Club_Remote_Satz_Vorab(ANFRAGE_BANK_STATUS, team);
    if (Bank_Hat_Konto(team) && Bank_Intern_Team_Gueltig(Club_Client_Team()))
        Club_Remote_Satz_Vorab(ANFRAGE_BANK_KONTO, Club_Client_Team());
}

bool Bank_Client_Alles_Holen(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Client_Alles_Holen")) return false;
    Bank_Client_Flags_Loeschen();
    if (!Bank_Hat_Konto(team) && !Bank_Waehrung_Umrechnen(team, -1, 0)) return false;
    if (!Bank_Sync_Status(team)) return false;
    if (Bank_Hat_Konto(team) && !Konto_Holen(true)) return false;
    g.status = true;
    return true;
}

bool Bank_Client_Buchungen_Holen(int32_t team) {
    if (!Bank_Intern_Bereit("Bank_Client_Buchungen_Holen")) return false;
    if (team != Bank_Intern_Am_Zug()) return false;
    if (g.buchungen) return true;
    if (!g.status && !Bank_Client_Alles_Holen(team)) return false;
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    pk.i32(team);
    if (!Club_Remote("Bank_Client_Buchungen_Holen", ANFRAGE_BANK_BUCHUNGEN, "vC<8400C<4C<4i", a, antwort)) return false;
    ClubLeser l{antwort.data(), antwort.size()};
    std::vector<Bank_Buchung> slots(BANK_BUCHUNGEN);
    l.block(slots.data(), SLOTS_BYTES);
    uint32_t index = uint32_t(l.i32());
    uint32_t periode = uint32_t(l.i32());
    bool sauber = !l.fehler && l.pos == antwort.size() && index < uint32_t(BANK_BUCHUNGEN);
    for (const Bank_Buchung& b : slots) sauber = sauber && std::isfinite(b.betrag);
    Bank_Konto* k = Bank_Intern_Konto(team);
    if (!sauber || !k) {
        Debug_Printf("Bank_Client_Buchungen_Holen: Antwort abgelehnt\n");
        return false;
    }
    std::memcpy(k->slot, slots.data(), SLOTS_BYTES);
    k->schreib_index = index;
    k->periode = periode;
    g.buchungen = true;
    return true;
}

bool Bank_Client_Ueberweisung(int32_t von, int32_t an, float betrag, uint8_t kategorie, int8_t zwingend,
                              int32_t waehrung) {
    const int32_t eigenes = Club_Client_Team();
    if (von != eigenes || !Bank_Intern_Team_Gueltig(eigenes)) {
        Debug_Printf("CLIENT DARF NUR GELD AUSZAHLEN\n");
        return false;
    }
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    pk.i32(von);
    pk.i32(an);
    pk.i32(betrag >= 2147483647.0f ? INT32_MAX : betrag <= -2147483648.0f ? INT32_MIN : int32_t(betrag));
    pk.i32(kategorie);
    pk.i32(zwingend);
    pk.i32(waehrung);
    if (Club_Remote_Int("Bank_Ueberweisung", ANFRAGE_BANK_AUSZAHLUNG, "ciiiiii", a, 0) != 1) return false;
    g.buchungen = false;
    Bank_Sync_Status(eigenes);
    return true;
}

bool Bank_Client_Kredit(float betrag, int32_t verleiher, int32_t schuldner, int32_t laufzeit) {
    std::vector<uint8_t> a;
    ClubPacker pk{a};
    F32(pk, betrag);
    F32(pk, -1.0f);   // the server takes the table rate
    pk.i32(verleiher);
    pk.i32(schuldner);
    pk.i32(laufzeit);
    pk.i32(0);
    if (Club_Remote_Int("Bank_Kredit", ANFRAGE_BANK_KREDIT, "iF4F4iiic", a, 0) != 1) return false;
    Bank_Client_Konto_Holen();
    Bank_Sync_Status(schuldner);
    return true;
}

bool Bank_Server_Anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                         std::vector<uint8_t>& antwort) {
    antwort.clear();
    if (!Bank_Intern_Bereit("Bank_Server_Anfrage")) return false;
    ClubLeser l{daten, daten ? bytes : 0};
    ClubPacker pk{antwort};
    switch (anfrage) {
    case ANFRAGE_BANK_STATUS:
    case ANFRAGE_BANK_KONTO:
    case ANFRAGE_BANK_BUCHUNGEN: {
        int32_t team = l.i32();
        if (l.fehler || l.pos != l.bytes) return false;
        if (team != client_team) Debug_Printf("Bank_Server_Anfrage: Team %d ist nicht Team %d des Clients\n", team, client_team);
        if (!Bank_Intern_Team_Gueltig(team)) team = -1;
        if (anfrage == ANFRAGE_BANK_STATUS) {
            Status_Senden(client_team, team, pk);   // another team: the tables, with balance 0
        } else if (anfrage == ANFRAGE_BANK_KONTO) {
            Konto_Senden(client_team, team, pk);
        } else {
            Buchungen_Senden(client_team, team, pk);
        }
        return true;
    }
    case ANFRAGE_BANK_AUSZAHLUNG: {
        int32_t von = l.i32(), an = l.i32(), betrag = l.i32(), kategorie = l.i32(), zwingend = l.i32(),
                waehrung = l.i32();
        if (l.fehler || l.pos != l.bytes) return false;
        // A client pays out of its own club to outside the league (scouts,
        // training, camps) and never beyond the club's limit, however large the
        // amount or whether the club has an account; its force flag counts for nothing.
        (void)zwingend;
        bool ok = false;
        if (!Club_Ist_Eigenes(von, client_team) || an != -1 || betrag < 1 || kategorie < 0 || kategorie > 255) {
            Debug_Printf("Bank_Server_Auszahlung: von Team %d an %d (Client %d), %d abgelehnt\n", von, an, client_team,
                         betrag);
        } else if (int64_t(Bank_Kontostand(von, true, waehrung)) < int64_t(betrag)) {
            Debug_Printf("Bank_Server_Auszahlung: Team %d kann %d nicht zahlen\n", von, betrag);
        } else {
            ok = Bank_Ueberweisung(von, -1, float(betrag), uint8_t(kategorie), 0, waehrung);
        }
        pk.i32(ok ? 1 : 0);
        return true;
    }
    case ANFRAGE_BANK_KREDIT: {
        float betrag = F32(l), zins = F32(l);
        int32_t verleiher = l.i32(), schuldner = l.i32(), laufzeit = l.i32(), anlage = l.i32();
        if (l.fehler || l.pos != l.bytes) return false;
        // A client borrows from the bank for its own club at the table rate; nothing else.
        bool ok = false;
        if (verleiher != -1 || !Club_Ist_Eigenes(schuldner, client_team) || anlage != 0 || zins != -1.0f) {
            Debug_Printf("Bank_Kredit: Anfrage von Client %d fuer %d/%d abgelehnt\n", client_team, verleiher, schuldner);
        } else if (laufzeit < BANK_KREDIT_LAUFZEIT_MIN || laufzeit > BANK_KREDIT_LAUFZEIT_MAX) {
            // Only the terms the bank offers: the client's manager reads why in his news.
            Debug_Printf("Bank_Kredit: Laufzeit %d vom Client %d abgelehnt\n", laufzeit, client_team);
            Bank_Intern_News(client_team, BANK_NEWS_FLAGS, Laufzeit_Absage());
        } else {
            ok = Bank_Kredit(-1, schuldner, betrag, laufzeit, 0, -1.0f, 0);
        }
        pk.i32(ok ? 1 : 0);
        return true;
    }
    default:
        return false;
    }
}

}  // namespace velmora
