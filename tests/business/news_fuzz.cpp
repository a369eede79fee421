// Fuzz target of the news readers: the news file's records, the save block
// and a server's news block, each taken from untrusted bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "business/news.h"
#include "business/news_netz.h"
#include "business/news_testing.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/dirs.h"
#include "tests/core/temp_verz.h"

using namespace velmora;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static velmora_test::TestWelt welt;
    Team_Init(6);
    for (int32_t t = 2; t < 5; ++t) Manager_Neuer_Mitspieler(t, "Fuzz", -1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    if (bytes < 1) return 0;
    if (!News_Ist_Offen() && !News_Datei_Oeffnen()) return 0;
    const uint8_t* d = daten + 1;
    size_t n = bytes - 1;
    switch (daten[0] % 3) {
    case 0: News_Testing_Datei_Uebernehmen(d, n); break;
    case 1: Optionen_News_Load(d, n); break;
    default:
        News_Datei_Oeffnen();
        News_Block_Eintragen(3, d, n);
        break;
    }
    // Whatever was taken in is read, walked, changed and saved again.
    for (int32_t i = News_Erste(-1, -1); i >= 0; i = News_Naechste()) {
        News_Text(i);
        News_Get_Kopf(i);
        News_Get_Flags(i, 3);
    }
    News_Suche_Flags(2, 0x8006005, 0, 0x20000002);
    if (News_Anzahl() > 0) News_Set(0, 3, 0x100, 2);
    std::vector<uint8_t> block;
    Optionen_News_Save(block);
    if (!Optionen_News_Load(block.data(), block.size())) __builtin_trap();
    std::vector<uint8_t> nochmal;
    Optionen_News_Save(nochmal);
    if (nochmal != block) __builtin_trap();
    return 0;
}
