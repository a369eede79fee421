// tools/mkfilme.cpp - writes the installation's films.
//
//   mkfilme <installation directory>
//
// Draws every film of "resfile/animationen.res" (kunst/film_muster.h) with
// the installation's fonts, which mkfonts renders into "resfile/fontres.res"
// first, packs the frames on several threads (a frame equal to the one
// before is stored as a repeat) and adds the synthesised sound tracks of the
// ambulance and the heart monitor.
#include <algorithm>
#include <cstdio>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/mem.h"
#include "core/res.h"
#include "gfx/font.h"
#include "kunst/film_muster.h"
#include "kunst/klang.h"
#include "media/film.h"
#include "media/video.h"
#include "platform/files.h"
#include "tools/werkzeug.h"

using namespace velmora;

namespace {

// The ambulance's two-tone horn, and one beep of the heart monitor at the
// start of each beat.
std::vector<uint8_t> ton(int32_t eintrag) {
    using werkzeug::synth;
    if (eintrag == FILM_KWAGEN) {
        std::vector<werkzeug::Ton> t;
        for (int32_t i = 0; i < 4; ++i) {
            t.push_back({i % 2 ? 622.0 : 466.0, i * 0.48, 0.5, 0.3});
            t.push_back({i % 2 ? 1244.0 : 932.0, i * 0.48, 0.5, 0.08});
        }
        return Audio_Wav_Bauen(1, werkzeug::RATE, synth(2.0, t, 0, 0));
    }
    return Audio_Wav_Bauen(1, werkzeug::RATE, synth(0.3, {{1000, 0, 0.14, 0.35}}, 0, 0));
}

// Packs the frames of a batch, spread over the threads.
void packen(const std::vector<std::vector<uint16_t>>& roh, int32_t breite, int32_t hoehe,
            std::vector<std::vector<uint8_t>>& gepackt) {
    gepackt.assign(roh.size(), {});
    const size_t faeden = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
    std::vector<std::thread> t;
    for (size_t f = 0; f < faeden; ++f)
        t.emplace_back([&, f] {
            for (size_t i = f; i < roh.size(); i += faeden) gepackt[i] = Film_Bild_Packen(roh[i].data(), breite, hoehe);
        });
    for (std::thread& x : t) x.join();
}

// One film's entry, or empty for an entry without film.
bool film_bauen(int32_t eintrag, Font* const* schriften, std::vector<uint8_t>& out) {
    out.clear();
    const FilmMuster m = Film_Muster(eintrag);
    if (!m.bilder) return true;
    std::unique_ptr<FilmSzene> szene = Film_Muster_Szene(eintrag, schriften);
    Rastport* rp = Rastport_Create(m.breite, m.hoehe, 16, 0, 0);
    if (!szene || !rp) {
        Rastport_Free(rp);
        return false;
    }
    FilmBau bau;
    bau.breite = m.breite;
    bau.hoehe = m.hoehe;
    bau.bilder.resize(size_t(m.bilder));   // a frame left empty repeats the one before
    const size_t pixel = size_t(m.breite) * size_t(m.hoehe);
    std::vector<uint16_t> vorher;
    std::vector<std::vector<uint16_t>> stapel;
    std::vector<size_t> platz;   // where the batch's frames go
    // A batch is packed while the next one is drawn.
    std::future<void> laufend;
    auto stapel_packen = [&] {
        if (laufend.valid()) laufend.get();
        laufend = std::async(std::launch::async, [&bau, m, roh = std::move(stapel), ziel = std::move(platz)] {
            std::vector<std::vector<uint8_t>> gepackt;
            packen(roh, m.breite, m.hoehe, gepackt);
            for (size_t i = 0; i < gepackt.size(); ++i) bau.bilder[ziel[i]] = std::move(gepackt[i]);
        });
        stapel.clear();
        platz.clear();
    };
    for (int32_t b = 1; b <= m.bilder; ++b) {
        szene->Zeichnen(b, rp);
        const uint16_t* px = Rastport_Pixels16(rp);
        if (b > 1 && std::equal(px, px + pixel, vorher.begin())) continue;
        vorher.assign(px, px + pixel);
        stapel.push_back(vorher);
        platz.push_back(size_t(b - 1));
        if (stapel.size() == 64) stapel_packen();
    }
    stapel_packen();
    laufend.get();
    Rastport_Free(rp);
    if (m.ton) bau.ton = ton(eintrag);
    out = Film_Zusammensetzen(bau);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char* BENUTZUNG =
        "Usage: mkfilme <installation directory>\n"
        "Draws the installation's films into resfile/animationen.res (needs resfile/fontres.res).\n";
    if (int ende = werkzeug::Hilfe_Oder_Version(argc, argv, "mkfilme", BENUTZUNG); ende >= 0) return ende;
    if (argc != 2 || argv[1][0] == '-') return werkzeug::Falsch("mkfilme", "needs the installation directory");
    const std::string resfile = std::string(argv[1]) + "/resfile";
    const std::string fontres = resfile + "/" + FONT_RES_DATEI;
    const int32_t slot = Res_Open(fontres.c_str(), 0);
    Font* schriften[FONT_SET_ANZAHL] = {};
    for (int32_t n = 0; slot >= 0 && n < FONT_SET_ANZAHL; ++n) {
        uint32_t bytes = 0;
        void* roh = Res_Eintrag_Roh(slot, n, &bytes);
        if (roh) schriften[n] = Font_Read(static_cast<const uint8_t*>(roh), bytes);
        Mem_Free(roh);
    }
    Res_Close(slot);
    if (std::count(schriften, schriften + FONT_SET_ANZAHL, nullptr)) {
        std::fprintf(stderr, "mkfilme: the fonts of %s cannot be read\n", fontres.c_str());
        return 1;
    }
    std::vector<std::vector<uint8_t>> eintraege(FILM_EINTRAEGE);
    size_t bytes = 0;
    int32_t filme = 0;
    for (int32_t e = 0; e < FILM_EINTRAEGE; ++e) {
        if (!film_bauen(e, schriften, eintraege[size_t(e)])) {
            std::fprintf(stderr, "mkfilme: film %d cannot be drawn\n", e);
            return 1;
        }
        bytes += eintraege[size_t(e)].size();
        filme += !eintraege[size_t(e)].empty();
    }
    for (Font*& f : schriften) f = Font_Free(f);
    const std::string pfad = resfile + "/" + BINK_RES_DATEI;
    if (!Res_Hrf_Schreiben(pfad.c_str(), eintraege, false, 0)) {
        std::fprintf(stderr, "mkfilme: cannot write %s\n", pfad.c_str());
        return 1;
    }
    std::printf("mkfilme: %d films, %zu bytes in %s\n", filme, bytes, pfad.c_str());
    return 0;
}
