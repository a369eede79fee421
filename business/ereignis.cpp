// business/ereignis.cpp - the event catalogue of "ereignis.cfg".
#include "business/ereignis.h"

#include <cstring>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "core/config.h"
#include "core/debug.h"
#include "core/le.h"
#include "core/liste.h"
#include "core/meldung.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "platform/files.h"

namespace velmora {


namespace {

// The working record of the reader: one event as it is read.
struct Arbeitssatz {
    std::string text[3];          // TEXT, JA_TEXT, NEIN_TEXT
    bool gesetzt[3] = {false, false, false};
    int32_t kategorie = -1;
    int32_t wert1 = 0, wert2 = 0, wert3 = 0, sound = 0;
};

struct EreignisModul {
    bool initialisiert = false;
    bool liste_angelegt = false;
    Listen_Element liste{};
    int32_t naechste_nummer = 0;
    // The view handed out and the texts it points to.
    Ereignis_Ansicht ansicht{};
    std::string texte[3];
};
EreignisModul g;

bool nicht_initialisiert(const char* funktion) {
    if (g.initialisiert) return false;
    Debug_Printf("%s: Ereignismodul nicht initialisiert\n", funktion);
    return true;
}

void liste_leeren() {
    if (!g.liste_angelegt) g.liste_angelegt = Liste_Anlegen(&g.liste);
    else Liste_Delete_All(&g.liste);
    g.naechste_nummer = 0;
}

// The element's payload: u32 length and bytes with the zero byte of each text,
// then KATEGORIE, WERT1, WERT2, SOUND, WERT3 as 32-bit little-endian ints.
std::vector<uint8_t> satz_packen(const Arbeitssatz& a) {
    std::vector<uint8_t> out;
    for (const std::string& t : a.text) {
        Le_Put_U32(out, uint32_t(t.size() + 1));
        out.insert(out.end(), t.begin(), t.end());
        out.push_back(0);
    }
    for (int32_t w : {a.kategorie, a.wert1, a.wert2, a.sound, a.wert3}) Le_Put_U32(out, uint32_t(w));
    return out;
}

// The payload back into a view; false for a damaged payload.
bool satz_entpacken(const uint8_t* p, uint32_t bytes, int32_t nummer) {
    uint32_t pos = 0;
    for (int32_t i = 0; i < 3; ++i) {
        if (bytes - pos < 4) return false;
        uint32_t l = Bytes_Get32(p + pos);
        pos += 4;
        if (l == 0 || l > bytes - pos || p[pos + l - 1] != 0) return false;
        g.texte[i].assign(reinterpret_cast<const char*>(p + pos), l - 1);
        pos += l;
    }
    if (bytes - pos != 20) return false;
    Ereignis_Ansicht& v = g.ansicht;
    v.text = g.texte[0].c_str();
    v.ja_text = g.texte[1].c_str();
    v.nein_text = g.texte[2].c_str();
    v.kategorie = int32_t(Bytes_Get32(p + pos));
    v.wert1 = int32_t(Bytes_Get32(p + pos + 4));
    v.wert2 = int32_t(Bytes_Get32(p + pos + 8));
    v.sound = int32_t(Bytes_Get32(p + pos + 12));
    v.wert3 = int32_t(Bytes_Get32(p + pos + 16));
    v.nummer = nummer;
    return true;
}

void satz_ablegen(const Arbeitssatz& a) {
    if (a.kategorie < 0) return;   // no or an unknown category: dropped without a message
    std::vector<uint8_t> daten = satz_packen(a);
    if (Liste_Insert(&g.liste, nullptr, daten.data(), uint32_t(daten.size()), g.naechste_nummer))
        ++g.naechste_nummer;
    else Debug_Printf("Ereignis_Lesen: Ereignis %d nicht gespeichert\n", g.naechste_nummer);
}

// Reads the open configuration file into the (emptied) catalogue.
void datei_lesen() {
    liste_leeren();
    Arbeitssatz a;
    bool begonnen = false;
    static const char* const TEXTE[3] = {"TEXT", "JA_TEXT", "NEIN_TEXT"};
    while (const char* befehl = Read_Config_Next()) {
        if (!std::strcmp(befehl, "NEUES_EREIGNIS")) {
            if (begonnen) satz_ablegen(a);
            a = Arbeitssatz{};
            begonnen = true;
            continue;
        }
        int32_t text = -1;
        for (int32_t i = 0; i < 3; ++i)
            if (!std::strcmp(befehl, TEXTE[i])) text = i;
        if (text >= 0) {
            if (a.gesetzt[text]) {
                Read_Config_Warnung(801, "mehr als eine Text in einem Ereignis");
                continue;
            }
            a.gesetzt[text] = true;
            a.text[text] = std::string(Read_Config_Get_String()).substr(0, EREIGNIS_TEXT_MAX);
        } else if (!std::strcmp(befehl, "KATEGORIE")) {
            std::string name = std::string(Read_Config_Get_String()).substr(0, 99);
            a.kategorie = Ereignis_Kategorie_Code(name.c_str());
        } else if (!std::strcmp(befehl, "WERT1")) {
            a.wert1 = Read_Config_Get_Wert();
        } else if (!std::strcmp(befehl, "WERT2")) {
            a.wert2 = Read_Config_Get_Wert();
        } else if (!std::strcmp(befehl, "WERT3")) {
            a.wert3 = Read_Config_Get_Wert();
        } else if (!std::strcmp(befehl, "SOUND")) {
            a.sound = Read_Config_Get_Wert();
        } else if (!std::strcmp(befehl, "INFOTEXT")) {
            // a note for the author of the file
        } else {
            Read_Config_Unbekannter_Befehl(902);
        }
    }
    // Keywords before the first NEUES_EREIGNIS belong to no event.
    if (begonnen) satz_ablegen(a);
    Read_Config_Close();
    Debug_Printf("EREIGNIS AUSGELESEN !\n");
}

bool satz_lesen(int32_t satz) {
    std::string name = Config_Datei_Name(CONFIG_EREIGNIS);
    std::string pfad = Config_Pfad(satz, name.c_str());
    if (pfad.empty() || !Read_Config_Open_Pfad(pfad.c_str(), name.c_str())) {
        Debug_Printf("Ereignis_Lesen: %d_%s nicht lesbar\n", satz, name.c_str());
        liste_leeren();
        return false;
    }
    datei_lesen();
    return true;
}

}  // namespace

int32_t Ereignis_Kategorie_Code(const char* name) {
    if (!name) return -1;
    for (int32_t i = 0; i < EREIGNIS_KATEGORIEN; ++i)
        if (!std::strcmp(name, EREIGNIS_KATEGORIE_NAMEN[i])) return i;
    return -1;
}

bool Ereignis_Init() {
    if (g.initialisiert) Ereignis_Exit();
    g.initialisiert = true;
    if (satz_lesen(0)) return true;
    // Without its events the game cannot run: the program ends in order.
    std::string name = Config_Datei_Name(CONFIG_EREIGNIS);
    Meldung("Die Ereignisdatei %s kann nicht ge\xf6" "ffnet werden.\nDas Programm wird beendet.\n",
            Config_Pfad_Anzeige(Config_Satz(), name.c_str()).c_str());
    Programm_Beenden();
    return false;
}

void Ereignis_Exit() {
    if (g.liste_angelegt) Liste_Freigeben(&g.liste);
    g = EreignisModul{};
}

bool Ereignis_Neu_Lesen(int32_t satz) {
    if (nicht_initialisiert("Ereignis_Neu_Lesen")) return false;
    return satz_lesen(satz);
}

bool Ereignis_Lesen_Text(const char* text, uint32_t bytes, const char* anzeige) {
    g.initialisiert = true;
    if (!text || !Read_Config_Open_Text(text, bytes, anzeige ? anzeige : "ereignis.cfg", nullptr, 0)) {
        liste_leeren();
        return false;
    }
    datei_lesen();
    return true;
}

const Ereignis_Ansicht* Ereignis_Holen(int32_t nummer) {
    if (nicht_initialisiert("Ereignis_Holen") || !g.liste_angelegt) return nullptr;
    Listen_Element* e = Liste_Find_Key(&g.liste, nummer);
    if (!e) return nullptr;
    if (!satz_entpacken(static_cast<const uint8_t*>(e->daten), Liste_Daten_Groesse(e), nummer)) {
        Debug_Printf("Ereignis_Holen: Ereignis %d beschaedigt\n", nummer);
        return nullptr;
    }
    return &g.ansicht;
}

int32_t Ereignis_Anzahl() { return g.initialisiert && g.liste_angelegt ? Liste_Count(&g.liste) : 0; }

const Ereignis_Ansicht* Ereignis_Zufall(int32_t kategorie) {
    if (nicht_initialisiert("Ereignis_Zufall") || !g.liste_angelegt) return nullptr;
    int32_t gefunden[EREIGNIS_ZUFALL_MAX];
    int32_t anzahl = 0;
    for (int32_t n = 0; n < EREIGNIS_NUMMERN_MAX && anzahl < EREIGNIS_ZUFALL_MAX; ++n) {
        const Ereignis_Ansicht* v = Ereignis_Holen(n);
        if (!v) break;
        if (v->kategorie == kategorie) gefunden[anzahl++] = n;
    }
    if (anzahl == 0) return nullptr;
    return Ereignis_Holen(gefunden[Rnd(0, anzahl - 1)]);
}

bool Ereignis_Speichern(const char* datei) {
    if (nicht_initialisiert("Ereignis_Speichern") || !datei || !g.liste_angelegt) return false;
    std::vector<uint8_t> block(Liste_Memory_Groesse(&g.liste, LISTE_ALLE));
    if (Liste_To_Memory(block.data(), block.size(), &g.liste, LISTE_ALLE) != block.size()) return false;
    return Plat_Write_Atomic(Plat_Path(datei).c_str(), block.data(), block.size());
}

bool Ereignis_Laden(const char* datei) {
    if (nicht_initialisiert("Ereignis_Laden") || !datei) return false;
    std::vector<uint8_t> block;
    if (!Plat_Read_All(Plat_Path(datei).c_str(), block)) return false;
    if (!g.liste_angelegt) liste_leeren();
    if (!Liste_From_Memory(block.data(), block.size(), &g.liste)) {
        Debug_Printf("Ereignis_Laden: %s beschaedigt\n", datei);
        return false;
    }
    g.naechste_nummer = Liste_Count(&g.liste);
    return true;
}

}  // namespace velmora
