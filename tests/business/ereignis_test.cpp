// The event catalogue: reading "ereignis.cfg", errors and warnings, the
// running numbers, random picks and the file form of the catalogue.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "business/ereignis.h"
#include "club/club_config.h"
#include "club/weltgen.h"
#include "core/config.h"
#include "core/hooks.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "tests/club/welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

struct Katalog {
    test::LogFaenger log;
    std::vector<std::string> boxen;
    Katalog() {
        Rnd_Init();
        Ereignis_Exit();
        static std::vector<std::string>* ziel = nullptr;
        ziel = &boxen;
        Core_Hooks().meldung = [](const char* text) { ziel->push_back(text); };
        Quit_State_Setzen(0);
    }
    ~Katalog() {
        Ereignis_Exit();
        Core_Hooks().meldung = nullptr;
        Quit_State_Setzen(0);
    }
    bool lesen(const std::string& text) {
        return Ereignis_Lesen_Text(text.c_str(), uint32_t(text.size()), "ereignis.cfg");
    }
    // Initialised with an empty catalogue, without a file.
    void start() {
        velmora_test::TestWelt* w = new velmora_test::TestWelt();
        w->install_datei("config/0_ereignis.cfg", "");
        ASSERT_TRUE(Ereignis_Init());
        delete w;
    }
};

// The conversions of a text ("%%" is none).
int32_t Umwandlungen(const char* text) {
    int32_t n = 0;
    for (const char* p = text; *p; ++p)
        if (*p == '%') {
            if (p[1] == '%') ++p;
            else ++n;
        }
    return n;
}

// An event of the demo world as the player meets it: an event the triggers
// send as a request asks a question that says what yes and no do; every other
// one states what happened. Its text takes exactly the values its trigger
// hands over, and its values let it happen and act as the text says.
void Ereignis_Pruefen(const Ereignis_Ansicht& v) {
    const int32_t k = v.kategorie;
    const bool zwei_texte = v.ja_text[0] && v.nein_text[0];
    const bool frage = k == EK_NEG_ATTRIBUT_WEG || k == EK_TRAINING_BEENDET || k == EK_MAXSTAERKE ||
                       k == EK_MANAGER_WECHSEL || k == EK_ALLGEMEIN_TEAM || k == EK_NATIONALTRAINER ||
                       (k == EK_ALLGEMEIN_SPIELER && zwei_texte);
    const std::string text = v.text;
    SCOPED_TRACE(text);
    EXPECT_LE(text.size(), size_t(EREIGNIS_TEXT_MAX));
    if (frage) {
        EXPECT_NE(text.find('?'), std::string::npos);
        EXPECT_NE(text.find("Ja:"), std::string::npos);
        EXPECT_NE(text.find("Nein:"), std::string::npos);
    } else {
        EXPECT_EQ(text.find('?'), std::string::npos) << "a statement gets no yes or no";
    }
    // The values each trigger fills in.
    static constexpr int32_t WERTE[EREIGNIS_KATEGORIEN] = {1, 1, 1, 3, 3, 1, 0, 1, 1, 1, 1, 2, 2, 4, 1, 1, -1, 1, -1, 1};
    int32_t werte = WERTE[k];
    if (k == EK_ALLGEMEIN) werte = (v.wert1 != 0) + (v.wert2 != 0);
    if (k == EK_ALLGEMEIN_SPIELER) werte = zwei_texte && !v.wert3 ? 1 : 2;
    EXPECT_EQ(Umwandlungen(v.text), werte);
    // A morale change the clubs accept (at most 100 %).
    EXPECT_TRUE(k != EK_GEWERKSCHAFT_UNZUFRIEDEN || (v.wert1 < 0 && v.wert1 >= -100));
    EXPECT_TRUE(k != EK_GEWERKSCHAFT_ZUFRIEDEN || (v.wert1 > 0 && v.wert1 <= 100));
    EXPECT_TRUE(k != EK_GEWERKSCHAFT_WAHL || ((v.wert1 == 0 || v.wert1 == 1) && std::abs(v.wert2) <= 100));
    // A question to the club moves money with its yes, and each answer has its message.
    if (k == EK_ALLGEMEIN_TEAM) {
        EXPECT_TRUE(v.wert3 >= 1 && v.wert3 <= 4 && v.wert1 > 0);
        EXPECT_TRUE(zwei_texte);
    }
    EXPECT_TRUE(!frage || k == EK_TRAINING_BEENDET || v.ja_text[0] != 0);
}

TEST(EreignisKatalog, DemoWorldFileReadsWithoutErrors) {
    Katalog k;
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    Config_Satz_Setzen(0);
    WeltgenOptionen o;
    o.seed = 3;
    o.klein = true;
    WeltgenWelt welt;
    ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
    ASSERT_TRUE(Weltgen_Schreiben(welt, dirs.install));
    ASSERT_TRUE(Ereignis_Init());
    EXPECT_TRUE(k.boxen.empty()) << k.boxen.front();
    EXPECT_EQ(Ereignis_Anzahl(), 40);
    EXPECT_TRUE(test::Log_Enthaelt("EREIGNIS AUSGELESEN !"));
    // two events per category, in category order
    for (int32_t n = 0; n < 40; ++n) {
        const Ereignis_Ansicht* v = Ereignis_Holen(n);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->kategorie, n / 2);
        EXPECT_EQ(v->nummer, n);
        EXPECT_GT(std::strlen(v->text), 0u);
        Ereignis_Pruefen(*v);
    }
    EXPECT_EQ(Ereignis_Holen(40), nullptr);
    // the generator left stadium defaults behind that later stadium tests must not see
    for (int32_t t = 0; t < Team_Anzahl(); ++t) Team_Stadion_Vorgabe_Setzen(t, "", 0, 0);
    Team_Free(0);
    Spieler_Free();
}

TEST(EreignisKatalog, FieldsAndMissingValues) {
    Katalog k;
    k.start();
    ASSERT_TRUE(k.lesen("NEUES_EREIGNIS\nTEXT \"Frage %s?\"\nJA_TEXT \"\"\nNEIN_TEXT \"nein\"\n"
                        "KATEGORIE \"ALLGEMEIN_TEAM\"\nWERT1 -5000\nWERT2 7\nWERT3 3\nSOUND 12\nINFOTEXT \"egal\"\n"
                        "NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\n"));
    const Ereignis_Ansicht* v = Ereignis_Holen(0);
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v->text, "Frage %s?");
    EXPECT_STREQ(v->ja_text, "");   // an empty JA_TEXT asks no question
    EXPECT_STREQ(v->nein_text, "nein");
    EXPECT_EQ(v->kategorie, EK_ALLGEMEIN_TEAM);
    EXPECT_EQ(v->wert1, -5000);
    EXPECT_EQ(v->wert2, 7);
    EXPECT_EQ(v->wert3, 3);
    EXPECT_EQ(v->sound, 12);
    v = Ereignis_Holen(1);
    ASSERT_NE(v, nullptr);
    EXPECT_STREQ(v->text, "");
    EXPECT_EQ(v->kategorie, EK_RANDALE);
    EXPECT_EQ(v->wert1 | v->wert2 | v->wert3 | v->sound, 0);
    EXPECT_TRUE(k.boxen.empty());
}

TEST(EreignisKatalog, NumbersSkipDroppedEventsAndLeadingKeywords) {
    const struct {
        const char* text;
        std::vector<int32_t> kategorien;   // of numbers 0, 1, ...
    } faelle[] = {
        {"NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\nNEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\n", {0, 16}},
        {"NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\nNEUES_EREIGNIS\nKATEGORIE \"RANDLAE\"\n"
         "NEUES_EREIGNIS\nKATEGORIE \"STADIONALTER\"\n",
         {0, 15}},
        {"KATEGORIE \"RANDALE\"\nTEXT \"davor\"\nNEUES_EREIGNIS\nKATEGORIE \"SERIEN_SIEGE\"\n", {1}},
        {"NEUES_EREIGNIS\nTEXT \"ohne Kategorie\"\nNEUES_EREIGNIS\nKATEGORIE \"MANAGER_NATIONALTRAINER\"\n", {19}},
        {"", {}},
    };
    for (const auto& f : faelle) {
        Katalog k;
        k.start();
        ASSERT_TRUE(k.lesen(f.text));
        EXPECT_EQ(Ereignis_Anzahl(), int32_t(f.kategorien.size())) << f.text;
        for (size_t i = 0; i < f.kategorien.size(); ++i) {
            const Ereignis_Ansicht* v = Ereignis_Holen(int32_t(i));
            ASSERT_NE(v, nullptr) << f.text;
            EXPECT_EQ(v->kategorie, f.kategorien[i]) << f.text;
        }
        EXPECT_TRUE(k.boxen.empty()) << f.text;
    }
}

TEST(EreignisKatalog, BadLinesAreReportedAndReadingGoesOn) {
    Katalog k;
    k.start();
    ASSERT_TRUE(k.lesen("NEUES_EREIGNIS\nTEXT \"erster\"\nFARBE 3\nTEXT \"zweiter\"\nKATEGORIE \"RANDALE\"\n"
                        "WERT1 viel\nNEUES_EREIGNIS\nKATEGORIE \"SERIEN_SIEGE\"\nWERT1 5\n"));
    ASSERT_EQ(k.boxen.size(), 3u);
    EXPECT_EQ(k.boxen[0], "[3] Syntax-Error in ereignis.cfg:\n - (902) Unbekannter Befehl (FARBE)\n\n");
    EXPECT_EQ(k.boxen[1], "[4] Warning in ereignis.cfg:\n - (801) mehr als eine Text in einem Ereignis\n\n");
    EXPECT_NE(k.boxen[2].find("[6] Syntax-Error in ereignis.cfg:"), std::string::npos);
    ASSERT_EQ(Ereignis_Anzahl(), 2);
    EXPECT_STREQ(Ereignis_Holen(0)->text, "erster");   // the first text is kept
    EXPECT_EQ(Ereignis_Holen(0)->wert1, 0);
    EXPECT_EQ(Ereignis_Holen(1)->wert1, 5);
}

TEST(EreignisKatalog, LongTextsAreCut) {
    Katalog k;
    k.start();
    std::string lang(400, 'x');
    ASSERT_TRUE(k.lesen("NEUES_EREIGNIS\nTEXT \"" + lang + "\"\nKATEGORIE \"RANDALE\"\n"));
    EXPECT_EQ(std::strlen(Ereignis_Holen(0)->text), size_t(EREIGNIS_TEXT_MAX));
}

TEST(EreignisKatalog, RandomPickStaysWithinFirstHundredOfCategory) {
    Katalog k;
    k.start();
    std::string text;
    for (int32_t i = 0; i < 150; ++i) {
        text += "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\nWERT1 " + std::to_string(i) + "\n";
        if (i % 10 == 0) text += "NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\n";
    }
    ASSERT_TRUE(k.lesen(text));
    std::set<int32_t> gesehen;
    for (int32_t i = 0; i < 3000; ++i) {
        const Ereignis_Ansicht* v = Ereignis_Zufall(EK_ALLGEMEIN);
        ASSERT_NE(v, nullptr);
        ASSERT_EQ(v->kategorie, EK_ALLGEMEIN);
        ASSERT_LT(v->wert1, 100);
        gesehen.insert(v->wert1);
    }
    EXPECT_GT(gesehen.size(), 90u);   // the pick spreads over all hundred
    for (int32_t i = 0; i < 200; ++i) ASSERT_EQ(Ereignis_Zufall(EK_RANDALE)->kategorie, EK_RANDALE);
    EXPECT_EQ(Ereignis_Zufall(EK_STADIONALTER), nullptr);
    EXPECT_EQ(Ereignis_Zufall(-1), nullptr);
}

TEST(EreignisKatalog, BeforeInitEverythingIsNeutral) {
    Katalog k;
    EXPECT_EQ(Ereignis_Holen(0), nullptr);
    EXPECT_EQ(Ereignis_Zufall(0), nullptr);
    EXPECT_FALSE(Ereignis_Neu_Lesen(0));
    EXPECT_FALSE(Ereignis_Speichern("/tmp/x"));
    EXPECT_EQ(Ereignis_Anzahl(), 0);
    EXPECT_TRUE(test::Log_Enthaelt("Ereignismodul nicht initialisiert"));
}

TEST(EreignisKatalog, MissingFileEndsTheProgramWithAMessage) {
    Katalog k;
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    Config_Satz_Setzen(0);
    EXPECT_FALSE(Ereignis_Init());
    EXPECT_EQ(Quit_State(), 1);
    ASSERT_EQ(k.boxen.size(), 1u);
    EXPECT_NE(k.boxen[0].find("ereignis.cfg"), std::string::npos);
    EXPECT_EQ(Ereignis_Holen(0), nullptr);
}

TEST(EreignisKatalog, OtherSetIsReadAgain) {
    Katalog k;
    velmora_test::TestWelt dirs;
    dirs.install_datei("config/0_ereignis.cfg", "NEUES_EREIGNIS\nKATEGORIE \"RANDALE\"\n");
    dirs.install_datei("config/2_ereignis.cfg",
                       "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\nNEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\n");
    ASSERT_TRUE(Ereignis_Init());
    EXPECT_EQ(Ereignis_Anzahl(), 1);
    ASSERT_TRUE(Ereignis_Neu_Lesen(2));
    EXPECT_EQ(Ereignis_Anzahl(), 2);
    EXPECT_EQ(Ereignis_Holen(1)->kategorie, EK_ALLGEMEIN);
    EXPECT_FALSE(Ereignis_Neu_Lesen(5));
    EXPECT_EQ(Ereignis_Anzahl(), 0);
}

TEST(EreignisKatalog, FileFormRoundTripsAndRefusesDamage) {
    Katalog k;
    velmora_test::TestWelt dirs;
    dirs.install_datei("config/0_ereignis.cfg",
                       "NEUES_EREIGNIS\nTEXT \"a\"\nJA_TEXT \"b\"\nKATEGORIE \"RANDALE\"\nWERT3 4\n"
                       "NEUES_EREIGNIS\nKATEGORIE \"ALLGEMEIN\"\nSOUND 9\n");
    ASSERT_TRUE(Ereignis_Init());
    std::string datei = dirs.user + "/ereignis.bin";
    ASSERT_TRUE(Ereignis_Speichern(datei.c_str()));
    ASSERT_TRUE(k.lesen(""));
    EXPECT_EQ(Ereignis_Anzahl(), 0);
    ASSERT_TRUE(Ereignis_Laden(datei.c_str()));
    ASSERT_EQ(Ereignis_Anzahl(), 2);
    EXPECT_STREQ(Ereignis_Holen(0)->ja_text, "b");
    EXPECT_EQ(Ereignis_Holen(0)->wert3, 4);
    EXPECT_EQ(Ereignis_Holen(1)->sound, 9);
    std::filesystem::resize_file(datei, std::filesystem::file_size(datei) - 3);
    EXPECT_FALSE(Ereignis_Laden(datei.c_str()));
    EXPECT_EQ(Ereignis_Anzahl(), 2);
}

}  // namespace
}  // namespace velmora
