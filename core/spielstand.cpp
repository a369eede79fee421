// core/spielstand.cpp - the save-game driver.
#include "core/spielstand.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/dirs.h"
#include "core/file.h"
#include "core/meldung.h"
#include "core/optionen.h"
#include "core/programm.h"
#include "core/reg.h"
#include "core/rnd.h"
#include "core/spielstand_testing.h"
#include "core/str.h"
#include "core/text_format.h"
#include "platform/files.h"

namespace velmora {
namespace {

struct ModulEintrag {
    int32_t position = 0;
    std::string name;
    SpielstandSpeichern speichern = nullptr;   // a module that writes its own blocks
    SpielstandLaden laden = nullptr;
    SpielstandBlock block;                     // or a declared block
};

// `groesse` is the block's size the last time, so the image keeps room for it.
bool eintrag_speichern(const ModulEintrag& m, SpielstandDatei* datei, size_t& groesse) {
    if (m.speichern) return m.speichern(datei);
    if (m.block.save_stuecke) return Spielstand_Schreiben_Gepackt_Stuecke(datei, m.block.save_stuecke);
    return Spielstand_Schreiben_Gepackt_Von(datei, m.block.save, &groesse);
}

bool eintrag_laden(const ModulEintrag& m, SpielstandDatei* datei) {
    if (m.laden) return m.laden(datei);
    uint32_t laenge = 0;
    if (!Spielstand_Lesen(datei, &laenge, 4)) return false;
    if (laenge > SPIELSTAND_MODULBLOCK_MAX) {
        // A stated length no module's writer lets through: refused before anything is allocated.
        Debug_Printf("Spielstand_Laden: Block %s mit %u Bytes zu gross\n", m.name.c_str(), laenge);
        return false;
    }
    std::vector<uint8_t> daten(laenge);
    uint32_t gelesen = 0;
    if (!Spielstand_Lesen_Gepackt(datei, daten.data(), laenge, &gelesen) || gelesen != laenge) {
        Debug_Printf("Spielstand_Laden: Block %s hat %u statt %u Bytes\n", m.name.c_str(), gelesen, laenge);
        return false;
    }
    return m.block.load(daten.data(), daten.size());
}

bool rnd_speichern(SpielstandDatei* datei) {
    std::vector<uint8_t> zustand(RND_ZUSTAND_BYTES);
    Rnd_Zustand_Schreiben(zustand.data());
    return Spielstand_Schreiben(datei, zustand.data(), uint32_t(zustand.size()));
}

bool rnd_laden(SpielstandDatei* datei) {
    std::vector<uint8_t> zustand(RND_ZUSTAND_BYTES);
    return Spielstand_Lesen(datei, zustand.data(), uint32_t(zustand.size())) &&
           Rnd_Zustand_Lesen(zustand.data(), zustand.size());
}

const ModulEintrag RND_EINTRAG{0, "Rnd", rnd_speichern, rnd_laden, {}};

struct SpielstandModul {
    std::vector<ModulEintrag> module{RND_EINTRAG};   // by ascending position
    bool abbruch_vor_umbenennen = false;
    std::vector<size_t> block_groessen;   // per module, its block's size the last time
    // The image of the last save written, kept with its room for the next
    // save: new memory of a few megabytes is faulted in page by page, which
    // costs more than filling it.
    std::vector<uint8_t> ersatzbild;
    int32_t fehlgeschlagen = 0;   // saves that failed since the start
    // The file being loaded, as its messages name it; empty for an image in memory.
    std::string lade_datei;
    // Why a module refused the load under way when its block was not at fault (Spielstand_Lade_Ursache).
    std::string lade_ursache;
};
SpielstandModul g;

const char* pfad(int32_t slot) {
    return Str_Format("%s\\game_%d.qzv", Dirs_Get(DIR_SPIELSTAND), slot);
}

// A slot's file as messages name it: its name in the save-game directory, so
// the save screen's place, velmora-sim's slot number and the file on the
// disk are one ("game_3.qzv" is place 4 on the screen and slot 3 of --load).
std::string anzeige(int32_t slot) { return Str_Format("game_%d.qzv", slot); }

// Why the last system call failed, for a message.
std::string systemgrund() { return errno ? std::strerror(errno) : "unbekannter Fehler"; }

bool slot_gueltig(int32_t slot, const char* fname) {
    if (slot < 0 || slot >= SPIELSTAND_SLOTS) {
        Debug_Printf("%s: Slot %d ungueltig\n", fname, slot);
        return false;
    }
    if (!Dirs_Get(DIR_SPIELSTAND)[0]) {
        Debug_Printf("%s: kein Spielstandverzeichnis\n", fname);
        return false;
    }
    return true;
}

int32_t netz_modus() {
    if (!Spielstand_Hooks().netz_modus) {
        Debug_Printf("Spielstand: kein Netzwerkmodul, Einzelspiel\n");
        return 0;
    }
    return Spielstand_Hooks().netz_modus();
}

// Another instance holds the user directory: this one saves nothing.
bool fremde_instanz() { return Spielstand_Hooks().andere_instanz && Spielstand_Hooks().andere_instanz(); }

// A screen text from a hook, or `ersatz` when nobody filled it or the text is missing.
const char* text_holen(const char* (*hook)(int32_t), int32_t nummer, const char* ersatz) {
    const char* text = hook ? hook(nummer) : nullptr;
    if (!text) {
        Debug_Printf("Spielstand: Bildschirmtext %d fehlt, Ersatztext\n", nummer);
        return ersatz;
    }
    return text;
}

// A client neither saves nor loads: its game is the server's.
void client_ablehnen() {
    Meldung("%s", text_holen(Spielstand_Hooks().optionen_text, OPTIONEN_TEXT_CLIENT,
                             "Im Netzwerkspiel speichert und laedt nur der Server."));
}

std::string slot_name(int32_t slot) {
    const SpielstandHooks& h = Spielstand_Hooks();
    if (slot == SPIELSTAND_AUTOSAVE_SLOT) return text_holen(h.disk_text, DISK_TEXT_AUTOSAVE, "Autosave");
    const char* name = h.slot_name ? h.slot_name(slot) : nullptr;
    if (name && name[0]) return name;
    return Text_Format(text_holen(h.disk_text, DISK_TEXT_SLOT_NAME, "Spielstand %d"), {slot + 1});
}

// Every module's blocks in the table's order, into a file image or into an
// image taken in memory: one path for both, so an image written later is the
// file a save at its moment would have written.
bool module_schreiben(SpielstandDatei* datei, const char* fname) {
    g.block_groessen.resize(g.module.size());
    for (size_t i = 0; i < g.module.size(); ++i) {
        const ModulEintrag& m = g.module[i];
        if (!Spielstand_Modul_Beginnen(datei, m.name.c_str())) return false;
        if (!eintrag_speichern(m, datei, g.block_groessen[i]) || datei->fehler) {
            Debug_Printf("%s: Modul %s konnte nicht speichern\n", fname, m.name.c_str());
            return false;
        }
        if (!Spielstand_Modul_Beenden(datei)) return false;
    }
    return Spielstand_Datei_Abschliessen(datei);
}

// The whole game as a file image, every module in the table's order.
bool bild_erstellen(const SpielstandKopf& kopf, SpielstandDatei* datei) {
    // In the last image's room (the image reserves the last one's size and
    // each block's writer the room its block took the last time).
    Spielstand_Datei_Neu(datei, kopf, std::move(g.ersatzbild));
    return module_schreiben(datei, "Spielstand_Speichern");
}

bool in_datei(const SpielstandDatei& datei, const std::string& name) {
    for (const SpielstandRahmen& r : datei.rahmen)
        if (r.name == name) return true;
    return false;
}

// Hands every module its part of a checked file; a module the file has no
// part for (it came with a later version) starts as in a new game. On failure the refusing module's name goes to `abgelehnt`.
bool module_laden(SpielstandDatei* datei, std::string* abgelehnt = nullptr) {
    for (const ModulEintrag& m : g.module) {
        if (!in_datei(*datei, m.name)) {
            Debug_Printf("Spielstand_Laden: Modul %s fehlt im Spielstand, beginnt wie in einem neuen Spiel\n",
                         m.name.c_str());
            if (m.block.neu) m.block.neu();
            continue;
        }
        if (abgelehnt) *abgelehnt = m.name;
        if (!Spielstand_Modul_Betreten(datei, m.name.c_str())) return false;
        if (!eintrag_laden(m, datei) || datei->fehler) {
            Debug_Printf("Spielstand_Laden: Modul %s konnte nicht laden\n", m.name.c_str());
            return false;
        }
        if (!Spielstand_Modul_Verlassen(datei)) {
            Debug_Printf("Spielstand_Laden: Modul %s hat nicht alle Bloecke gelesen\n", m.name.c_str());
            return false;
        }
    }
    return true;
}

enum class Unpassend { UNBEKANNT, STELLE, FEHLT };

// The version a module came with: a module of the old kind came with the first.
int32_t seit(const ModulEintrag& m) { return m.speichern ? 100 : m.block.seit; }

// Every module of the file must be registered, in the registration order; a
// registered module the file lacks is allowed only when it came with a later
// version than the file's. Returns the name of the first module that breaks
// this, empty when the file fits.
std::string passt_zur_tabelle(const SpielstandDatei& datei, Unpassend* grund) {
    for (const ModulEintrag& m : g.module) {
        if (seit(m) <= datei.format && !in_datei(datei, m.name)) {
            Debug_Printf("Spielstand_Laden: Modul %s fehlt im Spielstand der Version %d\n", m.name.c_str(),
                         datei.format);
            *grund = Unpassend::FEHLT;
            return m.name;
        }
    }
    size_t j = 0;
    for (const SpielstandRahmen& r : datei.rahmen) {
        auto it = std::find_if(g.module.begin(), g.module.end(), [&](const ModulEintrag& m) { return m.name == r.name; });
        if (it == g.module.end()) {
            Debug_Printf("Spielstand_Laden: Modul %s ist nicht angemeldet\n", r.name.c_str());
            *grund = Unpassend::UNBEKANNT;
            return r.name;
        }
        size_t stelle = size_t(it - g.module.begin());
        if (stelle < j) {
            Debug_Printf("Spielstand_Laden: Modul %s steht an anderer Stelle\n", r.name.c_str());
            *grund = Unpassend::STELLE;
            return r.name;
        }
        j = stelle + 1;
    }
    return {};
}

// Written to a temporary file, flushed and renamed over the old file, so the
// old save stays whole until the new one is complete on the disk. The
// temporary file's name is unique ("<file>.tmp-XXXXXX"): two instances
// saving the same slot never write into one temporary file.
// Writes and renames; touches nothing but the file system and its arguments,
// so it may run on the background writer. What failed goes to `fehler`.
bool datei_schreiben_roh(const std::string& ziel, const std::vector<uint8_t>& bild, bool abbrechen,
                         std::string* fehler) {
    std::string temp;
    errno = 0;
    int32_t h = Plat_File_Open_Temp(ziel.c_str(), &temp);
    if (h < 0) {
        *fehler = systemgrund();
        return false;
    }
    // Written past the page cache: the file is flushed at once and read back
    // only by a load, so copying it into the cache would be work for nothing.
    // A write past the file-size limit or the disk's end comes back short.
    bool ok = Plat_File_Write_Direkt(h, bild.data(), int64_t(bild.size())) == int64_t(bild.size()) &&
              Plat_File_Sync(h);
    if (!ok) *fehler = systemgrund();
    Plat_File_Close(h);
    if (ok && abbrechen) {
        *fehler = "abgebrochen vor dem Umbenennen";
        return false;
    }
    if (ok) {
        errno = 0;
        ok = Plat_Rename(temp.c_str(), ziel.c_str());
        if (!ok) *fehler = systemgrund();
    }
    if (!ok) Plat_Remove(temp.c_str());
    return ok;
}

// Tells the manager of a save that failed, naming the file and why.
void speichern_gescheitert(int32_t slot, const std::string& grund) {
    Debug_Printf("Spielstand_Speichern: %s nicht geschrieben: %s\n", Plat_Path(pfad(slot)).c_str(), grund.c_str());
    ++g.fehlgeschlagen;
    // Only a slot that held a save keeps one; an empty slot stays empty.
    if (Plat_Is_File(Plat_Path(pfad(slot)).c_str()))
        Meldung("Der Spielstand konnte nicht in %s gespeichert werden (%s); was dort lag, ist erhalten.",
                anzeige(slot).c_str(), grund.c_str());
    else
        Meldung("Der Spielstand konnte nicht in %s gespeichert werden (%s).", anzeige(slot).c_str(), grund.c_str());
}

// The background writer of the autosave: the file is built whole on the main
// thread (a consistent snapshot), then written, flushed and renamed here. Its
// outcome is taken in on the main thread: before the next save, before a load,
// at the program's end, and whenever the day's autosave check finds it done.
struct Hintergrund {
    std::thread faden;
    std::atomic<bool> fertig{false};
    bool ok = false;
    std::string fehler;
    int32_t slot = -1;
    std::vector<uint8_t> bild;
    ~Hintergrund() {
        if (faden.joinable()) faden.join();
    }
};
Hintergrund& hintergrund() {
    static Hintergrund h;
    return h;
}

void letzter_setzen(int32_t slot);

// Takes in a finished (or, with `warten`, the running) background write; a
// failure is reported as a failed save is, once.
void hintergrund_abholen(bool warten) {
    Hintergrund& h = hintergrund();
    if (!h.faden.joinable() || (!warten && !h.fertig.load())) return;
    h.faden.join();
    g.ersatzbild = std::move(h.bild);
    h.bild.clear();
    if (!h.ok) {
        speichern_gescheitert(h.slot, h.fehler);
        return;
    }
    letzter_setzen(h.slot);
    if (Spielstand_Hooks().nach_speichern) Spielstand_Hooks().nach_speichern();
}

void letzter_setzen(int32_t slot) { Reg_Write_String("Gme", Str_Format("%d", slot)); }

}  // namespace

SpielstandHooks& Spielstand_Hooks() {
    static SpielstandHooks hooks;
    return hooks;
}

namespace {

// Enters a module at its position; the same name at the same position gets
// the new functions.
bool eintragen(ModulEintrag neu) {
    if (neu.position < 1 || neu.position > 255 || neu.name.empty() || neu.name.size() > SPIELSTAND_MODULNAME_MAX) {
        Debug_Printf("Spielstand_Modul_Anmelden: ungueltige Anmeldung (Position %d)\n", neu.position);
        return false;
    }
    for (ModulEintrag& m : g.module) {
        if (m.name == neu.name && m.position == neu.position) {
            m = neu;
            return true;
        }
        if (m.name == neu.name || m.position == neu.position) {
            Debug_Printf("Spielstand_Modul_Anmelden: %s oder Position %d schon vergeben\n", neu.name.c_str(),
                         neu.position);
            return false;
        }
    }
    if (g.module.size() >= size_t(SPIELSTAND_MODULE_MAX)) {
        Debug_Printf("Spielstand_Modul_Anmelden: Tabelle voll\n");
        return false;
    }
    auto stelle = std::upper_bound(g.module.begin(), g.module.end(), neu.position,
                                   [](int32_t p, const ModulEintrag& m) { return p < m.position; });
    g.module.insert(stelle, std::move(neu));
    return true;
}

}  // namespace

bool Spielstand_Modul_Anmelden(int32_t position, const char* name, SpielstandSpeichern speichern,
                               SpielstandLaden laden) {
    if (!name || !speichern || !laden) {
        Debug_Printf("Spielstand_Modul_Anmelden: ungueltige Anmeldung (Position %d)\n", position);
        return false;
    }
    return eintragen(ModulEintrag{position, name, speichern, laden, {}});
}

bool Spielstand_Block_Anmelden(const SpielstandBlock& block) {
    if (!block.save || !block.load) {
        Debug_Printf("Spielstand_Block_Anmelden: %s ohne Speichern oder Laden\n", block.name ? block.name : "?");
        return false;
    }
    return eintragen(ModulEintrag{block.position, block.name ? block.name : "", nullptr, nullptr, block});
}

void Spielstand_Modul_Abmelden(const char* name) {
    if (!name) return;
    g.module.erase(std::remove_if(g.module.begin() + 1, g.module.end(),
                                  [name](const ModulEintrag& m) { return m.name == name; }),
                   g.module.end());
}

namespace {

// Writes a built file image to the slot at once; `gebaut` false: the image failed.
bool bild_schreiben(int32_t slot, bool gebaut, SpielstandDatei* datei) {
    std::string fehler = "nicht aufgebaut";
    if (!gebaut || !datei_schreiben_roh(Plat_Path(pfad(slot)), datei->bild, g.abbruch_vor_umbenennen, &fehler)) {
        speichern_gescheitert(slot, fehler);
        return false;
    }
    g.ersatzbild = std::move(datei->bild);
    letzter_setzen(slot);
    if (Spielstand_Hooks().nach_speichern) Spielstand_Hooks().nach_speichern();
    return true;
}

// Builds the file of the running game and writes it to the slot, at once or,
// `im_hintergrund`, on the background writer (true then means it is on its way).
bool speichern(int32_t slot, bool im_hintergrund) {
    hintergrund_abholen(true);
    SpielstandKopf kopf;
    Spielstand_Kopf_Fuellen(&kopf, slot_name(slot).c_str());
    SpielstandDatei datei;
    bool gebaut = bild_erstellen(kopf, &datei);
    if (gebaut && im_hintergrund) {
        Hintergrund& h = hintergrund();
        h.fertig = false;
        h.ok = false;
        h.fehler.clear();
        h.slot = slot;
        h.bild = std::move(datei.bild);
        h.faden = std::thread([&h, ziel = std::string(Plat_Path(pfad(slot))), abbrechen = g.abbruch_vor_umbenennen] {
            h.ok = datei_schreiben_roh(ziel, h.bild, abbrechen, &h.fehler);
            h.fertig = true;
        });
        return true;
    }
    return bild_schreiben(slot, gebaut, &datei);
}

// Saving refused where the game is not this instance's to save (a client, another instance).
bool speichern_erlaubt(int32_t slot, const char* fname) {
    if (!slot_gueltig(slot, fname)) return false;
    if (netz_modus() == 1) {
        Debug_Printf("%s: auf einem Client nicht moeglich\n", fname);
        client_ablehnen();
        return false;
    }
    if (fremde_instanz()) {
        Debug_Printf("%s: eine andere Instanz haelt das Benutzerverzeichnis\n", fname);
        Meldung("Another Velmora is running on this user directory: this one cannot save.");
        return false;
    }
    return true;
}

}  // namespace

bool Spielstand_Speichern(int32_t slot) {
    if (!speichern_erlaubt(slot, "Spielstand_Speichern")) return false;
    return speichern(slot, false);
}

bool Spielstand_Abbild_Nehmen(SpielstandAbbild* abbild, int32_t slot) {
    if (!abbild || !slot_gueltig(slot, "Spielstand_Abbild_Nehmen")) return false;
    abbild->slot = slot;
    Spielstand_Kopf_Fuellen(&abbild->kopf, slot_name(slot).c_str());
    SpielstandDatei datei;
    Spielstand_Datei_Mitschnitt(&datei, &abbild->module);
    abbild->gueltig = module_schreiben(&datei, "Spielstand_Abbild_Nehmen");
    return abbild->gueltig;
}

bool Spielstand_Abbild_Speichern(const SpielstandAbbild& abbild) {
    if (!speichern_erlaubt(abbild.slot, "Spielstand_Abbild_Speichern")) return false;
    if (!abbild.gueltig) {
        Debug_Printf("Spielstand_Abbild_Speichern: kein Abbild\n");
        return false;
    }
    hintergrund_abholen(true);
    SpielstandDatei datei;
    Spielstand_Datei_Neu(&datei, abbild.kopf, std::move(g.ersatzbild));
    const SpielstandMitschnitt& module = abbild.module;
    bool gebaut = module.namen.size() == module.bloecke.size();
    for (size_t i = 0; gebaut && i < module.namen.size(); ++i) {
        gebaut = Spielstand_Modul_Beginnen(&datei, module.namen[i].c_str());
        for (const SpielstandAbbildBlock& b : module.bloecke[i]) {
            if (!gebaut) break;
            gebaut = b.gepackt ? Spielstand_Schreiben_Gepackt(&datei, b.daten.data(), uint32_t(b.daten.size()))
                               : Spielstand_Schreiben(&datei, b.daten.data(), uint32_t(b.daten.size()));
        }
        gebaut = gebaut && Spielstand_Modul_Beenden(&datei);
    }
    gebaut = gebaut && Spielstand_Datei_Abschliessen(&datei);
    return bild_schreiben(abbild.slot, gebaut, &datei);
}

namespace {

// Tells why module `teil` refused the load of file `d` (" <name>" or empty):
// the cause it gave, else its part of the file is damaged.
void abgelehnt_melden(const std::string& d, const std::string& teil, const char* nachsatz) {
    if (g.lade_ursache.empty())
        Meldung("Der Spielstand%s konnte nicht geladen werden: der Teil \"%s\" ist beschaedigt.%s", d.c_str(),
                teil.c_str(), nachsatz);
    else
        Meldung("Der Spielstand%s ist unversehrt, wurde aber nicht geladen (Teil \"%s\"): %s.%s", d.c_str(),
                teil.c_str(), g.lade_ursache.c_str(), nachsatz);
}

}  // namespace

void Spielstand_Lade_Ursache(const std::string& ursache) {
    Debug_Printf("Spielstand_Laden: %s\n", ursache.c_str());
    g.lade_ursache = ursache;
}

bool Spielstand_Laden_Aus_Bild(std::vector<uint8_t> bild) {
    g.lade_ursache.clear();
    SpielstandDatei datei;
    // The file's name in the messages: " <path>" when loaded from a slot.
    const std::string d = g.lade_datei.empty() ? "" : " " + g.lade_datei;
    g.lade_datei.clear();
    if (!Spielstand_Datei_Oeffnen(&datei, std::move(bild))) {
        Meldung("Der Spielstand%s ist beschaedigt oder unvollstaendig und wurde nicht geladen.", d.c_str());
        return false;
    }
    Unpassend grund = Unpassend::UNBEKANNT;
    std::string fremd = passt_zur_tabelle(datei, &grund);
    if (!fremd.empty()) {
        if (grund == Unpassend::UNBEKANNT)
            Meldung("Der Spielstand%s enthaelt den Teil \"%s\", den dieses Programm nicht kennt, und wurde nicht "
                    "geladen.",
                    d.c_str(), fremd.c_str());
        else if (grund == Unpassend::FEHLT)
            Meldung("Der Spielstand%s ist unvollstaendig (der Teil \"%s\" fehlt) und wurde nicht geladen.", d.c_str(),
                    fremd.c_str());
        else
            Meldung("Der Spielstand%s passt nicht zu diesem Programm (Teil \"%s\" an anderer Stelle) und wurde nicht "
                    "geladen.",
                    d.c_str(), fremd.c_str());
        return false;
    }
    const SpielstandHooks& h = Spielstand_Hooks();
    std::string abgelehnt;
    if (h.spiel_laeuft && !h.spiel_laeuft()) {
        // No game ran: there is nothing to keep. A refusal lets go of what the
        // modules before it took, and the program stays without a game; the
        // modules' loaders never see the blocks of modules that hold no game.
        if (module_laden(&datei, &abgelehnt)) return true;
        if (h.spiel_freigeben)
            h.spiel_freigeben();
        else
            Debug_Printf("Spielstand_Laden: nichts angebunden, das den halb geladenen Spielstand freigibt\n");
        abgelehnt_melden(d, abgelehnt, "");
        return false;
    }
    // The running game, kept in memory so a module that fails now cannot leave half a game behind.
    SpielstandDatei sicherung;
    if (!bild_erstellen(SpielstandKopf{}, &sicherung) ||
        !Spielstand_Datei_Oeffnen(&sicherung, std::move(sicherung.bild))) {
        Debug_Printf("Spielstand_Laden: laufendes Spiel nicht zu sichern\n");
        Meldung("Der Spielstand wurde nicht geladen: das laufende Spiel liess sich nicht sichern.");
        return false;
    }
    if (module_laden(&datei, &abgelehnt)) return true;
    // The refusal's cause is kept; one the restoring gives is its own.
    std::string ursache_laden = std::move(g.lade_ursache);
    g.lade_ursache.clear();
    if (!module_laden(&sicherung)) {
        // Half of one game and half of another must never be played on or saved
        // over a sound slot: this is a fatal load error.
        Debug_Printf("Spielstand_Laden: Ruecksicherung misslungen\n");
        const std::string ursache = g.lade_ursache.empty() ? "" : ": " + g.lade_ursache;
        Win_Error_Box(("Der Spielstand konnte nicht geladen und das laufende Spiel nicht wiederhergestellt werden" +
                       ursache + ".")
                          .c_str());
        Programm_Beenden_Anfordern();
        return false;
    }
    g.lade_ursache = std::move(ursache_laden);
    abgelehnt_melden(d, abgelehnt, " Das laufende Spiel ist unveraendert.");
    return false;
}

bool Spielstand_Speichern_In_Bild(std::vector<uint8_t>* bild) {
    if (!bild) return false;
    SpielstandDatei datei;
    if (!bild_erstellen(SpielstandKopf{}, &datei)) return false;
    *bild = std::move(datei.bild);
    return true;
}

bool Spielstand_Laden(int32_t slot) {
    hintergrund_abholen(true);
    if (!slot_gueltig(slot, "Spielstand_Laden")) return false;
    if (netz_modus() == 1) {
        Debug_Printf("Spielstand_Laden: auf einem Client nicht moeglich\n");
        client_ablehnen();
        return false;
    }
    std::vector<uint8_t> bild;
    if (!Plat_Read_All(pfad(slot), bild)) {
        Debug_Printf("Spielstand_Laden: Slot %d nicht lesbar\n", slot);
        Meldung("Der Spielstand %s ist nicht vorhanden.", anzeige(slot).c_str());
        return false;
    }
    g.lade_datei = anzeige(slot);
    if (!Spielstand_Laden_Aus_Bild(std::move(bild))) return false;
    letzter_setzen(slot);
    return true;
}

bool Spielstand_Autosave(int32_t tag) {
    hintergrund_abholen(false);
    if (Optionen(OPTION_AUTOSAVE, 0, 0) == 0 || tag <= 0 || tag % SPIELSTAND_AUTOSAVE_TAGE != 0) return false;
    if (netz_modus() == 1) {
        Debug_Printf("Spielstand_Autosave: auf einem Client nicht moeglich\n");
        return false;
    }
    if (fremde_instanz()) {
        Debug_Printf("Spielstand_Autosave: eine andere Instanz haelt das Benutzerverzeichnis\n");
        return false;
    }
    if (!slot_gueltig(SPIELSTAND_AUTOSAVE_SLOT, "Spielstand_Autosave")) return false;
    return speichern(SPIELSTAND_AUTOSAVE_SLOT, true);
}

void Spielstand_Schreiber_Warten() { hintergrund_abholen(true); }

int32_t Spielstand_Fehlgeschlagen() { return g.fehlgeschlagen; }

namespace {

// "game_N.qzv.tmp-XXXXXX": the temporary name datei_schreiben_roh's files get.
bool eigener_rest(const std::string& name) {
    constexpr size_t LAENGE = sizeof "game_0.qzv.tmp-XXXXXX" - 1;
    if (name.size() != LAENGE || name.compare(0, 5, "game_") != 0 || name[5] < '0' || name[5] > '9' ||
        name.compare(6, 9, ".qzv.tmp-") != 0)
        return false;
    for (size_t i = 15; i < LAENGE; ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    return true;
}

}  // namespace

int32_t Spielstand_Reste_Entfernen() {
    hintergrund_abholen(true);   // its temporary file is not a leftover
    const char* verz = Dirs_Get(DIR_SPIELSTAND);
    if (!verz[0]) return 0;
    int32_t entfernt = 0;
    for (const std::string& name : Plat_List_Dir(verz, "game_?.qzv.tmp-*")) {
        if (!eigener_rest(name)) continue;
        if (Plat_Remove(Str_Format("%s\\%s", verz, name.c_str()))) {
            Debug_Printf("Spielstand: Rest eines abgebrochenen Speicherns %s entfernt\n", name.c_str());
            ++entfernt;
        }
    }
    return entfernt;
}

int32_t Spielstand_Kopf_Lesen(int32_t slot, SpielstandKopf* kopf) {
    hintergrund_abholen(true);   // the slot's newest file
    if (!kopf) {
        Debug_Printf("Spielstand_Kopf_Lesen: kein Kopf\n");
        return 0;
    }
    std::memset(kopf, 0, sizeof *kopf);
    if (!slot_gueltig(slot, "Spielstand_Kopf_Lesen")) return 0;
    int32_t h = File_Open_Read(pfad(slot));
    if (h < 0) return 0;
    uint8_t roh[SPIELSTAND_KOPF_ENDE];
    int32_t gelesen = File_Read(roh, 1, int32_t(sizeof roh), h);
    File_Close(h);
    if (gelesen != int32_t(sizeof roh) || !Spielstand_Kopf_Aus_Bild(roh, sizeof roh, kopf)) {
        Debug_Printf("Spielstand_Kopf_Lesen: Slot %d ist kein gueltiger Spielstand\n", slot);
        std::memset(kopf, 0, sizeof *kopf);
        return 0;
    }
    return 1;
}

bool Spielstand_Modul_Block_Lesen(int32_t slot, const char* name, uint32_t hoechstens, std::vector<uint8_t>* daten) {
    hintergrund_abholen(true);   // the slot's newest file
    if (!slot_gueltig(slot, "Spielstand_Modul_Block_Lesen")) return false;
    int32_t h = File_Open_Read(pfad(slot));
    if (h < 0) return false;
    const bool ok = Spielstand_Datei_Modul_Block(h, name, hoechstens, daten);
    File_Close(h);
    return ok;
}

bool Spielstand_Datei_Vorhanden(int32_t slot) {
    hintergrund_abholen(true);   // the slot's newest file
    if (!slot_gueltig(slot, "Spielstand_Datei_Vorhanden")) return false;
    return Plat_Is_File(pfad(slot));
}

void Spielstand_Kopf_Fuellen(SpielstandKopf* kopf, const char* name) {
    if (!kopf) {
        Debug_Printf("Spielstand_Kopf_Fuellen: kein Kopf\n");
        return;
    }
    std::memset(kopf, 0, sizeof *kopf);
    kopf->team = -1;
    if (name) std::strncpy(kopf->name, name, sizeof kopf->name - 1);
    const SpielstandHooks& h = Spielstand_Hooks();
    if (!h.erster_manager) {
        Debug_Printf("Spielstand_Kopf_Fuellen: kein Vereinsmodul, Kopf ohne Manager\n");
        return;
    }
    int32_t team = -1;
    if (!h.erster_manager(kopf->manager, kopf->stadt, &team)) {
        std::memset(kopf->manager, 0, sizeof kopf->manager);
        std::memset(kopf->stadt, 0, sizeof kopf->stadt);
        return;
    }
    kopf->manager[sizeof kopf->manager - 1] = 0;
    kopf->stadt[sizeof kopf->stadt - 1] = 0;
    kopf->team = team;
    if (h.kontostand)
        kopf->kontostand = h.kontostand(team);
    else
        Debug_Printf("Spielstand_Kopf_Fuellen: keine Bank, Kontostand 0\n");
    if (h.staerke)
        kopf->staerke = h.staerke(team);
    else
        Debug_Printf("Spielstand_Kopf_Fuellen: keine Vereinsdaten, Staerke 0\n");
}

int32_t Spielstand_Letzter_Holen() {
    hintergrund_abholen(true);
    char wert[32] = {};
    if (!Reg_Read_String("Gme", wert, sizeof wert) || !wert[0]) return -1;
    char* ende = nullptr;
    long slot = std::strtol(wert, &ende, 10);
    if (*ende != 0 || slot < 0 || slot >= SPIELSTAND_SLOTS) {
        Debug_Printf("Spielstand_Letzter_Holen: Wert \"%s\" ungueltig\n", wert);
        return -1;
    }
    return int32_t(slot);
}

void Spielstand_Test_Abbruch_Vor_Umbenennen(bool an) { g.abbruch_vor_umbenennen = an; }

void Spielstand_Module_Zuruecksetzen() { g.module.assign(1, RND_EINTRAG); }

}  // namespace velmora
