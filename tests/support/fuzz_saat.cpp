// tests/support/fuzz_saat.cpp - writes the seed corpus of every fuzz target
// with the project's own writers:
//
//   fuzz_saat <directory>
//
// makes <directory>/<target>/ for each target (named as its source file) and
// fills it with inputs in the target's own form: the configuration files of a
// generated world, the save blocks and the save game of that world's running
// game, its news file, the frames a client of the game sends for every
// documented request, resource files, bitmaps, fonts, JPEGs, the JPEG
// writer's choices with their pixels, TGA pictures and WAV sounds. The build
// runs it when the fuzz targets are built.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "business/bank.h"
#include "business/news.h"
#include "business/news_netz.h"
#include "club/club_anbindung.h"
#include "core/mem.h"
#include "core/res.h"
#include "core/spielstand_testing.h"
#include "gfx/bild_laden.h"
#include "gfx/font.h"
#include "kunst/bild_muster.h"
#include "match/day/spieltag.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_satz.h"
#include "match/record/spielfeld_sync.h"
#include "matchview/spielansicht_figuren.h"
#include "media/film.h"
#include "net/internet.h"
#include "net/min_signal.h"
#include "net/net.h"
#include "platform/audio.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "tests/gfx/tga_bauen.h"
#include "tests/support/anfragen.h"
#include "tests/support/fuzz_welt.h"
#include "tests/support/spielstand_umschreiben.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

fs::path g_ziel;
int g_anzahl = 0;

// One seed of `ziel`; `art`, when 0 to 255, goes in front as the target's selector byte.
void Saat(const char* ziel, const std::string& name, const std::vector<uint8_t>& d, int art = -1) {
    fs::create_directories(g_ziel / ziel);
    std::ofstream f(g_ziel / ziel / name, std::ios::binary);
    if (art >= 0) f.put(char(art));
    f.write(reinterpret_cast<const char*>(d.data()), std::streamsize(d.size()));
    ++g_anzahl;
}

std::vector<uint8_t> Lesen(const fs::path& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

std::vector<uint8_t> Block(void (*speichern)(std::vector<uint8_t>&)) {
    std::vector<uint8_t> d;
    speichern(d);
    return d;
}

// The configuration files the world generator wrote, and the readers' targets.
void Konfiguration(const test::FuzzWelt& welt) {
    const fs::path config = fs::path(welt.dirs.install) / "config";
    for (const auto& e : fs::directory_iterator(config)) {
        const std::string name = e.path().filename().string();
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".cfg") != 0) continue;
        // Large files are cut after a whole line: long inputs only slow the fuzzing down.
        std::vector<uint8_t> text = Lesen(e.path());
        if (text.size() > 32768)
            text.erase(std::find(std::make_reverse_iterator(text.begin() + 32768), text.rend(), '\n').base(), text.end());
        Saat("config_fuzz", name, text);
        // A file with its alias partner: the reader's input is the text, a zero byte, the partner.
        const fs::path partner = config / (name.substr(0, name.size() - 4) + "_alias.cfg");
        if (name.find("_alias.cfg") == std::string::npos && fs::exists(partner)) {
            std::vector<uint8_t> paar = text;
            paar.push_back(0);
            const std::vector<uint8_t> alias = Lesen(partner);
            paar.insert(paar.end(), alias.begin(), alias.end());
            Saat("config_fuzz", name + "+alias", paar);
        }
        const size_t teil = name.find('_');
        const std::string art = teil == std::string::npos ? name : name.substr(teil + 1);
        if (art == "global.cfg") Saat("club_config_fuzz", name, text, 0);
        if (art == "team.cfg") Saat("club_config_fuzz", name, text, 1);
        if (art == "spieler.cfg") Saat("club_config_fuzz", name, text, 2);
        if (art == "wettbewerb.cfg") Saat("wettbewerb_cfg_fuzz", name, text, 0);
        if (art == "ereignis.cfg") Saat("ereignis_fuzz", name, text);
    }
}

// Damage inside each module's block of the save `bild`, sealed again (the
// save target's kind 2: module, then place and word): the largest and
// smallest words and 0 at its start and further in, where counts, numbers,
// money and dates stand. A small block also whole (kind 3), for the fuzzer
// to change its contents.
void Spielstand_Bloecke(const std::vector<uint8_t>& bild) {
    const std::vector<std::string> module = test::Spielstand_Module_Der_Datei(bild);
    for (size_t m = 0; m < module.size(); ++m) {
        std::vector<uint8_t> block, aus;
        if (!test::Spielstand_Umschreiben(bild, module[m], [&](std::vector<uint8_t>& d) { block = d; }, &aus) ||
            block.size() < 4)
            continue;
        const uint32_t viertel = uint32_t(block.size() / 16 * 4);   // a word's place a quarter in
        const struct {
            const char* name;
            uint32_t stelle, wert;
        } schaeden[] = {{"max_anfang", 0, 0x7FFFFFFF},       {"max_viertel", viertel, 0x7FFFFFFF},
                        {"min_mitte", 2 * viertel, 0x80000000}, {"null_anfang", 0, 0},
                        {"null_dreiviertel", 3 * viertel, 0},   {"eins_mitte", 2 * viertel + 4, 0xFFFFFFFF}};
        for (const auto& s : schaeden) {
            std::vector<uint8_t> d = {uint8_t(m)};
            for (uint32_t w : {s.stelle, s.wert})
                for (int32_t i = 0; i < 4; ++i) d.push_back(uint8_t(w >> (8 * i)));
            Saat("spielstand_fuzz", module[m] + "_" + s.name, d, 2);
        }
        if (block.size() <= 65536) {
            block.insert(block.begin(), uint8_t(m));
            Saat("spielstand_fuzz", module[m] + "_block", block, 3);
        }
    }
}

// The save blocks of the running game, the save game and the news.
void Spielstand(const test::FuzzWelt& welt) {
    Saat("wettbewerb_cfg_fuzz", "spiele", Block(Spiele_Save), 1);
    Saat("wettbewerb_cfg_fuzz", "wettbewerb", Block(Wettbewerb_Save), 2);
    Saat("wettbewerb_cfg_fuzz", "tabelle", Block(Tabelle_Save), 3);
    Saat("bank_fuzz", "bank", Block(Bank_Save));
    Saat("news_fuzz", "block", Block(Optionen_News_Save), 1);
    std::vector<uint8_t> news;
    News_Block_Bauen(welt.mensch[0], {}, news);
    Saat("news_fuzz", "netz", news, 2);
    for (const auto& e : fs::directory_iterator(welt.dirs.user))
        if (e.path().extension() == ".nws") Saat("news_fuzz", "datei", Lesen(e.path()), 0);
    std::vector<uint8_t> bild;
    if (Spielstand_Speichern_In_Bild(&bild)) {
        Saat("spielstand_fuzz", "spiel", bild, 0);
        Spielstand_Bloecke(bild);
    }
    // The news texts as the game wrote them, for the text renderer.
    int32_t n = 0;
    for (int32_t i = News_Erste(-1, -1); i >= 0 && n < 8; i = News_Naechste(), ++n) {
        const char* text = News_Text(i);
        Saat("font_fuzz", "news" + std::to_string(n), std::vector<uint8_t>(text, text + std::strlen(text)), 0);
    }
}

// The match day's blocks and a save game while the day's matches are under way.
void Spieltag() {
    for (int32_t bild = 0; bild < 20000 && !(Spieltag_Slot_Anzahl() > 0 && Spielfeld_Naechster(nullptr)); ++bild)
        Kalender_Main();
    Saat("spieltag_fuzz", "spieltag", Block(Spieltag_Save));
    std::vector<uint8_t> bild;
    if (Spielstand_Speichern_In_Bild(&bild)) Saat("spielstand_fuzz", "spieltag", bild, 0);
    // One match record (of 42 KB) is enough for the match module's target: the
    // records are dropped, one game's is made anew.
    const Spielfeld_Satz* erster = Spielfeld_Naechster(nullptr);
    if (!erster) return;
    const int32_t spiel = int32_t(erster->spiel);
    while (const Spielfeld_Satz* s = Spielfeld_Naechster(nullptr)) Spielfeld_Entfernen(int32_t(s->wettbewerb));
    if (!Spielfeld_Anlegen(spiel, 0, 0, 0, -1, -1)) return;
    Saat("spielfeld_fuzz", "spielfeld", Block(Spielfeld_Save));
    // The figures' target reads the figures, the game's fields and the player
    // slots of a record in that order: those of the record just set up.
    if (const Spielfeld_Satz* satz = Spielfeld_Suchen(spiel)) {
        const uint8_t* roh = reinterpret_cast<const uint8_t*>(satz);
        std::vector<uint8_t> d(roh + offsetof(Spielfeld_Satz, figur), roh + offsetof(Spielfeld_Satz, figur) + sizeof satz->figur);
        d.insert(d.end(), roh + offsetof(Spielfeld_Satz, team), roh + offsetof(Spielfeld_Satz, anzeige1));
        d.insert(d.end(), roh + offsetof(Spielfeld_Satz, spieler), roh + offsetof(Spielfeld_Satz, spieler) + sizeof satz->spieler);
        Saat("figuren_fuzz", "anstoss", d);
        // The lock-step's target: the record as fetched, then a minute packet of it.
        std::vector<uint8_t> sync(roh, roh + sizeof *satz);
        Min_Signal_Block p;
        Spielfeld_Min_Signal_Fuellen(const_cast<Spielfeld_Satz*>(satz), int32_t(satz->team[1]), &p);
        const uint8_t* pr = reinterpret_cast<const uint8_t*>(&p);
        sync.insert(sync.end(), pr, pr + sizeof p);
        Saat("sync_fuzz", "satz_und_paket", sync);
    }
}

// A film by the films' writer: two packed frames, a repeat, a sound track.
void Film_Saaten() {
    FilmBau b;
    b.breite = 16;
    b.hoehe = 12;
    std::vector<uint16_t> px(size_t(b.breite * b.hoehe));
    for (int32_t k = 0; k < 2; ++k) {
        for (size_t i = 0; i < px.size(); ++i) px[i] = uint16_t(k * 2113 + i * 37);
        b.bilder.push_back(Film_Bild_Packen(px.data(), b.breite, b.hoehe));
    }
    b.bilder.push_back({});
    Saat("film_fuzz", "stumm", Film_Zusammensetzen(b));
    b.ton = Audio_Wav_Bauen(1, AUDIO_RATE, std::vector<int16_t>(64, 300));
    Saat("film_fuzz", "mit_ton", Film_Zusammensetzen(b));
}

// What a client of the game sends, recorded at the server of the same process:
// the client's wait for an answer runs the server's main loop.
struct Mitschnitt {
    NetKontext* server = nullptr;   // the game's own context (null: the default)
    int32_t team = -1;
    std::vector<std::vector<uint8_t>> rahmen;
};
Mitschnitt g_mit;

void Server_Runde() {
    NetKontext* vorher = Net_Kontext_Setzen(g_mit.server);
    Net_Pump();
    Net_Server_Slot_Pump();
    for (int32_t s = 0; s < NET_SLOTS_GESAMT; ++s) {
        Net_Client_Slot* slot = Net_Slot(s);
        if (slot->zustand == 1 && slot->team < 0) Net_Slot_Team_Setzen(s, g_mit.team);
        if (slot->zustand != 1 || !slot->neu) continue;
        Net_Frame_Kopf kopf{NET_FRAME_MAGIC, slot->empfangen_typ, slot->empfangen_laenge, slot->empfangen_folge};
        std::vector<uint8_t> r(sizeof kopf + slot->empfangen_laenge);
        std::memcpy(r.data(), &kopf, sizeof kopf);
        if (slot->empfangen_laenge) std::memcpy(r.data() + sizeof kopf, slot->empfangen_block, slot->empfangen_laenge);
        g_mit.rahmen.push_back(std::move(r));
    }
    Net_Server_Bedienen();
    Net_Pump();
    Net_Kontext_Setzen(vorher);
}

// Every documented request and a minute packet, each alone and all in one
// stream, straight into the switch (selector 0) and through the connection (4).
void Netz(const test::FuzzWelt& welt) {
    g_mit.team = welt.mensch[0];
    const uint8_t schleife[4] = {127, 0, 0, 1};
    Net_Bind_Adresse_Setzen(schleife);
    Net_Port_Setzen(0);
    Netzwerk_Modus_Setzen(2);
    if (!Internet_Netzwerk_Start()) return;
    const uint16_t port = Net_Server_Port();

    NetKontext* client = Net_Kontext_Neu();
    Net_Kontext_Setzen(client);
    Net_Hooks().warten = Server_Runde;
    const uint32_t adresse[4] = {127, 0, 0, 1};
    Net_Server_Adresse_Setzen(adresse);
    Net_Port_Setzen(port);
    Netzwerk_Modus_Setzen(1);
    if (Internet_Netzwerk_Start()) {
        Client_Team_Setzen(welt.mensch[0]);
        int32_t spieler[1] = {-1};
        Teamspieler_Ins_Array(welt.mensch[0], spieler, 1, 0);
        for (const auto& [id, argumente] : test::Dokumentierte_Anfragen(welt.mensch[0], spieler[0])) {
            std::vector<uint8_t> antwort;
            Club_Client_Lesen(id, "", argumente, antwort);
        }
        std::vector<uint8_t> paket(MIN_SIGNAL_GROESSE, 0);
        const uint32_t kopf[3] = {MIN_SIGNAL_MAGIC, MIN_SIGNAL_ART_SYNC, uint32_t(welt.mensch[0])};
        std::memcpy(paket.data(), kopf, sizeof kopf);
        Net_Client_Signal(Net_Server_Verbindung(), paket.data(), paket.size());
        for (int i = 0; i < 20; ++i) {
            Net_Pump();
            Server_Runde();
        }
    }
    Net_Hooks().warten = nullptr;
    Net_Kontext_Setzen(nullptr);
    Net_Kontext_Loeschen(client);
    std::vector<uint8_t> alle;
    for (size_t i = 0; i < g_mit.rahmen.size(); ++i) {
        Saat("net_fuzz", "rahmen" + std::to_string(i), g_mit.rahmen[i], 0);
        Saat("net_fuzz", "verbindung" + std::to_string(i), g_mit.rahmen[i], 4);
        alle.insert(alle.end(), g_mit.rahmen[i].begin(), g_mit.rahmen[i].end());
    }
    Saat("net_fuzz", "alle", alle, 0);
    Saat("net_fuzz", "alle_verbindung", alle, 4);
}

// A small font: glyph widths 1 to 4 over a sheet of stripes.
std::vector<uint8_t> Font_Bytes(int32_t tiefe) {
    Font f;
    int32_t breite = 0;
    for (int32_t i = 0; i < 224; ++i) f.glyph_x[i] = breite, f.glyph_breite[i] = 1 + i % 4, breite += 1 + i % 4;
    f.bogen = Rastport_Create(breite, 7, tiefe, 0, 0);
    auto* p = static_cast<uint8_t*>(f.bogen->pixels->pixels);
    for (uint32_t i = 0; i < f.bogen->pixels->byte_size; ++i) p[i] = uint8_t(i % 3 ? 0xFF : 0);
    f.baseline = 5;
    f.farbe = 0xFFFF;
    f.jede_tiefe = tiefe == 8;
    std::vector<uint8_t> d = Font_Write_Mem(&f);
    Rastport_Free(f.bogen);
    return d;
}

// Pictures, fonts and resource files as the graphics writers make them.
void Grafik() {
    // Bitmaps in their file form, plain and zlib-packed, 16-bit, 8-bit and with an alpha plane.
    const ResDateiEintrag bilder[] = {Muster_Eintrag(Muster_Wappen(1), false), Muster_Eintrag(Muster_Wappen(2), true),
                                      Muster_Eintrag(Muster_Trikot_Maske(3, 0), true),
                                      Muster_Eintrag(Muster_Portrait_Teil(5), true)};
    for (size_t i = 0; i < std::size(bilder); ++i) Saat("unpack_fuzz", "bild" + std::to_string(i), bilder[i].bytes);
    // Backward-packed blocks: output size, tail count, unpacked and packed size, the bytes.
    const std::vector<uint8_t> block_roh = {16, 0, 4, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0, 0, 'V', 'l', 'm', 'n'};
    const std::vector<uint8_t> block_lauf = {16, 0, 0, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 'z', 'y', 'x', 0x82};
    Saat("unpack_fuzz", "rueckwaerts_roh", block_roh);
    Saat("unpack_fuzz", "rueckwaerts_lauf", block_lauf);

    const std::vector<uint8_t> font8 = Font_Bytes(8), font16 = Font_Bytes(16);
    Saat("font_fuzz", "font8", font8, 9);
    Saat("font_fuzz", "font16", font16, 11);

    std::vector<ResDateiEintrag> eintraege(std::begin(bilder), std::end(bilder));
    const char daten[] = "Velmora";
    eintraege.push_back(Res_Datenblock(daten, sizeof daten));
    eintraege.push_back(ResDateiEintrag{RES_TYP_FONT, font8});
    const fs::path tmp = g_ziel / "res.tmp";
    if (Res_Schreiben(tmp.c_str(), eintraege)) Saat("res_fuzz", "resf", Lesen(tmp));
    const std::vector<std::vector<uint8_t>> roh = {bilder[0].bytes, std::vector<uint8_t>(daten, daten + sizeof daten)};
    if (Res_Hrf_Schreiben(tmp.c_str(), roh, false, 0)) Saat("res_fuzz", "hrf", Lesen(tmp));
    if (Res_Hrf_Schreiben(tmp.c_str(), roh, true, 0x5EED)) Saat("res_fuzz", "hcf", Lesen(tmp));
    fs::remove(tmp);

    // JPEGs of the game's encoder in every sampling, of a crest's pixels.
    Rastport* wappen = Muster_Wappen(3);
    for (int32_t sampling = 0; sampling < 3; ++sampling) {
        uint32_t groesse = 0;
        uint8_t* j = Jpeg_Save_Mem(wappen->pixels->pixels, int32_t(wappen->width), int32_t(wappen->height), 16,
                                   40 + 25 * sampling, sampling, &groesse);
        if (j) Saat("jpeg_fuzz", "wappen" + std::to_string(sampling), std::vector<uint8_t>(j, j + groesse));
        if (j) Mem_Free(j);
    }
    Rastport_Free(wappen);

    // The encoder's target: its eight choice bytes (colour layout, width,
    // height, quality, flags, restart interval, processor class, row padding),
    // then the bytes that fill the picture: a gradient with edges and grain.
    // Flags: bit 0 accurate transform, 1 progressive, 2 bottom-up, 3-4 pixels
    // (0), sample planes (1) or coefficient planes (2), 5 written MCU by MCU.
    std::vector<uint8_t> fuellung(3000);
    for (size_t i = 0; i < fuellung.size(); ++i)
        fuellung[i] = uint8_t((i / 3) % 200 + (i % 97 < 20 ? 40 : 0) + (i * 2654435761u >> 28));
    auto schreiber = [&](const std::string& name, std::vector<uint8_t> wahl) {
        wahl.insert(wahl.end(), fuellung.begin(), fuellung.end());
        Saat("jpeg_enc_fuzz", name, wahl);
    };
    for (uint8_t layout = 0; layout < 14; ++layout) {
        // Every layout baseline (written MCU by MCU) and progressive, sizes
        // with partial MCUs at the right and bottom.
        const uint8_t breite = uint8_t(16 + 3 * layout), hoehe = uint8_t(8 + 2 * layout);
        schreiber("layout" + std::to_string(layout) + "_baseline",
                  {layout, breite, hoehe, 74, 1 | 32, uint8_t(layout % 4), uint8_t(layout % 7), uint8_t(layout % 4)});
        schreiber("layout" + std::to_string(layout) + "_progressiv",
                  {layout, hoehe, breite, 89, uint8_t(layout % 2 ? 1 | 2 | 4 : 1 | 2), 0, uint8_t(6 - layout % 7), 0});
    }
    schreiber("schnell_420", {1, 63, 47, 49, 0, 1, 6, 1});
    schreiber("schnell_422_progressiv", {2, 40, 33, 99, 2, 0, 0, 2});
    schreiber("qualitaet_100", {3, 24, 24, 99, 1, 0, 5, 0});
    schreiber("qualitaet_1", {1, 32, 32, 0, 1 | 32, 2, 3, 0});
    schreiber("proben_420", {1, 33, 17, 84, 1 | 8, 0, 6, 0});
    schreiber("proben_rgba_progressiv", {7, 31, 18, 74, 1 | 2 | 8, 0, 4, 0});
    schreiber("koeffizienten_444", {3, 16, 16, 89, 1 | 16, 0, 6, 0});
    schreiber("koeffizienten_420_progressiv", {1, 40, 24, 74, 1 | 2 | 16, 0, 2, 0});

    // TGA pictures of every kind the reader serves.
    struct Art {
        uint8_t typ, bits, beschreibung;
        bool palette;
    };
    const Art arten[] = {{2, 24, 0, false}, {2, 16, 0x20, false}, {2, 32, 8, false}, {3, 8, 0, false},
                         {1, 8, 0, true},   {10, 24, 0x20, false}, {11, 8, 0, false}, {9, 8, 0, true}};
    for (const Art& a : arten) {
        test::Tga t;
        t.typ = a.typ, t.bits = a.bits, t.beschreibung = a.beschreibung;
        t.breite = 5, t.hoehe = 3;
        if (a.palette)
            for (int i = 0; i < 4 * 3; ++i) t.palette.push_back(uint8_t(40 * i));
        std::vector<uint8_t> pixel(size_t(t.breite * t.hoehe * (a.bits + 7) / 8));
        for (size_t i = 0; i < pixel.size(); ++i) pixel[i] = uint8_t(a.palette ? (i / 3) % 4 : i / 4 * 37);
        t.pixel = a.typ >= 9 ? test::Rle(pixel, size_t((a.bits + 7) / 8)) : pixel;
        Saat("tga_fuzz", "typ" + std::to_string(a.typ) + "_" + std::to_string(a.bits), t.Bytes());
    }
}

void Ton() {
    std::vector<int16_t> werte;
    for (int i = 0; i < 400; ++i) werte.push_back(int16_t((i % 40 - 20) * 800));
    Saat("wav_fuzz", "mono", Audio_Wav_Bauen(1, 22050, werte));
    Saat("wav_fuzz", "stereo", Audio_Wav_Bauen(2, 44100, werte));
}

}  // namespace

// The figure frames' entries: a small row of two frames per direction, and one
// drawn in a single direction.
void Figuren() {
    for (int32_t richtungen : {FIGUREN_RICHTUNGEN, 1}) {
        std::vector<FigurenBild> bilder;
        for (int32_t k = 0; k < richtungen * 2; ++k) {
            FigurenBild b;
            b.breite = 5;
            b.hoehe = 4;
            b.x_versatz = -2;
            b.y_versatz = -4;
            for (int32_t i = 0; i < 20; ++i) b.pixel.push_back(uint8_t((i * 7 + k) % 3 == 0 ? 0 : i + k));
            bilder.push_back(b);
        }
        Saat("figurenbilder_fuzz", "richtungen" + std::to_string(richtungen), Figuren_Eintrag_Schreiben(bilder, 2));
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: fuzz_saat <directory>\n");
        return 2;
    }
    g_ziel = argv[1];
    test::FuzzWelt welt;
    if (!welt.ok) {
        std::fprintf(stderr, "fuzz_saat: the world of the seeds could not be built\n");
        return 1;
    }
    Konfiguration(welt);
    Spielstand(welt);
    Spieltag();
    Grafik();
    Ton();
    Film_Saaten();
    Figuren();
    // Last: the requests change the game they are sent to.
    Netz(welt);
    std::printf("fuzz_saat: %d seeds in %s\n", g_anzahl, argv[1]);
    return 0;
}
