#include "core/config.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/hooks.h"
#include "core/reg.h"
#include "core/str.h"
#include "tests/core/temp_verz.h"

using namespace velmora;
using velmora_test::TestWelt;

namespace {

std::vector<std::string> meldungen;

// Catches the message boxes of the reader for the test's lifetime.
struct MeldungFaenger {
    MeldungFaenger() {
        meldungen.clear();
        Core_Hooks().meldung = [](const char* text) { meldungen.push_back(text); };
    }
    ~MeldungFaenger() { Core_Hooks().meldung = nullptr; }
};

bool text_oeffnen(const std::string& text, const std::string& alias = "", bool mit_alias = false) {
    return Read_Config_Open_Text(text.data(), text.size(), "test.cfg", mit_alias ? alias.data() : nullptr,
                                 alias.size());
}

}  // namespace

TEST(ReadConfig, ValuesOfEveryKind) {
    MeldungFaenger f;
    struct Fall {
        const char* zeile;
        const char* befehl;
        int32_t wert;
        const char* string;
        int32_t teile;
    } faelle[] = {
        {"STAERKE 42", "STAERKE", 42, "42", 1},
        {"STAERKE = -7", "STAERKE", -7, "-7", 1},
        {"  GELD=+1200000   ; Kommentar", "GELD", 1200000, "+1200000", 1},
        {"NAME \"Karl Otto\"", "NAME", 0, "Karl Otto", 1},
        {"NAME \"Er sagt \"\"ja\"\"\" // Kommentar", "NAME", 0, "Er sagt \"ja\"", 1},
        {"NAME \"a;b//c\"", "NAME", 0, "a;b//c", 1},
        {"AKTIV JA", "AKTIV", 1, "JA", 1},
        {"AKTIV NEIN", "AKTIV", 0, "NEIN", 1},
        {"ACTIVE YES", "ACTIVE", 1, "YES", 1},
        {"ACTIVE no", "ACTIVE", 0, "no", 1},
        {"LISTE 40, 30,30", "LISTE", 40, "40, 30,30", 3},
        {"TEXT 12, \"Hallo\"", "TEXT", 12, "12, \"Hallo\"", 2},
        {"VERLETZUNG *17", "VERLETZUNG", 0, "*17", 1},
        {"NEUES_EREIGNIS", "NEUES_EREIGNIS", 0, "", 0},
        {"NEUER_SCOUT_2\t", "NEUER_SCOUT_2", 0, "", 0},
    };
    for (const Fall& fall : faelle) {
        ASSERT_TRUE(text_oeffnen(fall.zeile));
        const char* b = Read_Config_Next();
        ASSERT_NE(b, nullptr) << fall.zeile;
        EXPECT_STREQ(b, fall.befehl) << fall.zeile;
        EXPECT_STREQ(Read_Config_Get_String(), fall.string) << fall.zeile;
        EXPECT_EQ(Read_Config_Teile(), fall.teile) << fall.zeile;
        if (fall.teile > 0 && Read_Config_Teil_Ist_Zahl(0)) {
            EXPECT_EQ(Read_Config_Get_Wert(), fall.wert) << fall.zeile;
        }
        EXPECT_EQ(Read_Config_Next(), nullptr);
        EXPECT_EQ(Read_Config_Fehler_Anzahl(), 0) << fall.zeile;
    }
    ASSERT_TRUE(text_oeffnen("LISTE 40, 30,30"));
    Read_Config_Next();
    int32_t liste[4] = {0, 0, 0, -9};
    EXPECT_EQ(Zahlenliste_Lesen(Read_Config_Get_String(), liste, 4), 3);
    EXPECT_EQ(liste[2], 30);
    EXPECT_EQ(liste[3], -9);
    EXPECT_TRUE(meldungen.empty());
    Read_Config_Close();
}

TEST(ReadConfig, LinesCommentsAndLineEndsCount) {
    MeldungFaenger f;
    std::string text = "\xEF\xBB\xBF; Kopf\r\n\r\n// noch ein Kommentar\r\nA 1\r\n   \r\nB 2\nC 3";
    ASSERT_TRUE(text_oeffnen(text));
    const int32_t erwartet[][2] = {{'A', 4}, {'B', 6}, {'C', 7}};
    for (const auto& e : erwartet) {
        const char* b = Read_Config_Next();
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b[0], char(e[0]));
        EXPECT_EQ(Read_Config_Zeile(), e[1]);
        EXPECT_EQ(Read_Config_Get_Wert(), e[1] == 4 ? 1 : e[1] == 6 ? 2 : 3);
    }
    EXPECT_EQ(Read_Config_Next(), nullptr);
    EXPECT_EQ(Read_Config_Next(), nullptr);
    Read_Config_Close();
    EXPECT_EQ(Read_Config_Next(), nullptr);   // nothing open
}

TEST(ReadConfig, AliasesResolveThroughThePartnerFile) {
    MeldungFaenger f;
    std::string alias =
        "; Aliase\n"
        "ALIAS DEUTSCHLAND 4\n"
        "ALIAS Stadt \"Neustadt a. d. Weinstrasse\"\n"
        "ALIAS ABWEHR 1, 2, 3\n"
        "ALIAS JA_WERT JA\n";
    std::string text =
        "NATION #DEUTSCHLAND\n"
        "STADT #stadt\n"
        "TALENTE #ABWEHR, 9\n"
        "AN #JA_WERT\n";
    ASSERT_TRUE(text_oeffnen(text, alias, true));
    ASSERT_STREQ(Read_Config_Next(), "NATION");
    EXPECT_EQ(Read_Config_Get_Wert(), 4);
    ASSERT_STREQ(Read_Config_Next(), "STADT");
    EXPECT_STREQ(Read_Config_Get_String(), "Neustadt a. d. Weinstrasse");
    ASSERT_STREQ(Read_Config_Next(), "TALENTE");
    EXPECT_EQ(Read_Config_Teile(), 4);
    EXPECT_EQ(Read_Config_Teil_Wert(3), 9);
    int32_t liste[8];
    EXPECT_EQ(Zahlenliste_Lesen(Read_Config_Get_String(), liste, 8), 4);
    ASSERT_STREQ(Read_Config_Next(), "AN");
    EXPECT_EQ(Read_Config_Get_Wert(), 1);
    EXPECT_EQ(Read_Config_Fehler_Anzahl(), 0);
    EXPECT_TRUE(meldungen.empty());
    Read_Config_Close();
}

TEST(ReadConfig, BrokenLinesAreReportedWithTheirLineAndReadingGoesOn) {
    MeldungFaenger f;
    std::string alias = "ALIAS GUT 5\nfalsch 7\n";
    std::string text =
        "A 1\n"                      // 1
        "kleinschreibung 2\n"        // 2: not a keyword
        "NAME \"offen\n"             // 3: string not closed
        "WERT #FEHLT\n"              // 4: unknown alias
        "ZAHL abc\n"                 // 5: asked as a number
        "GROSS 99999999999\n"        // 6: does not fit 32 bits
        "UNBEKANNT 3\n"              // 7: the caller does not know it
        "$$$\n"                      // 8
        "B #GUT\n";                  // 9
    ASSERT_TRUE(text_oeffnen(text, alias, true));
    ASSERT_EQ(meldungen.size(), 1u);   // the broken alias line
    EXPECT_NE(meldungen[0].find("[2] Syntax-Error in test_alias.cfg"), std::string::npos) << meldungen[0];
    std::vector<std::string> gelesen;
    std::vector<int32_t> werte;
    while (const char* b = Read_Config_Next()) {
        gelesen.push_back(b);
        if (!std::strcmp(b, "UNBEKANNT")) {
            Read_Config_Unbekannter_Befehl(902);
        } else if (!std::strcmp(b, "NAME")) {
            EXPECT_STREQ(Read_Config_Get_String(), "offen");
        } else {
            werte.push_back(Read_Config_Get_Wert());
        }
    }
    EXPECT_EQ(gelesen, (std::vector<std::string>{"A", "NAME", "WERT", "ZAHL", "GROSS", "UNBEKANNT", "B"}));
    EXPECT_EQ(werte, (std::vector<int32_t>{1, 0, 0, 0, 5}));
    const char* erwartet[] = {
        "[2] Syntax-Error in test.cfg:\n - (1) Befehl erwartet (kleinschreibung)\n\n",
        "[3] Syntax-Error in test.cfg:\n - (2) String nicht abgeschlossen\n\n",
        "[4] Syntax-Error in test.cfg:\n - (4) Unbekannter Alias (#FEHLT)\n\n",
        "[5] Syntax-Error in test.cfg:\n - (3) Zahl erwartet (ZAHL abc)\n\n",
        "[6] Syntax-Error in test.cfg:\n - (3) Zahl erwartet (GROSS 99999999999)\n\n",
        "[7] Syntax-Error in test.cfg:\n - (902) Unbekannter Befehl (UNBEKANNT)\n\n",
        "[8] Syntax-Error in test.cfg:\n - (1) Befehl erwartet ($$$)\n\n",
    };
    ASSERT_EQ(meldungen.size(), 8u);
    for (size_t i = 0; i < 7; ++i) EXPECT_EQ(meldungen[i + 1], erwartet[i]);
    EXPECT_EQ(Read_Config_Fehler_Anzahl(), 8);
    Read_Config_Warnung(801, "mehr als eine Text in einem Ereignis");
    EXPECT_EQ(meldungen.back(), "[9] Warning in test.cfg:\n - (801) mehr als eine Text in einem Ereignis\n\n");
    EXPECT_EQ(Read_Config_Fehler_Anzahl(), 8);
    Read_Config_Close();
}

// Everything a reader can ask of a text, line by line, with the messages.
std::string Mitschrift(const std::string& text, const std::string& alias, bool allgemein) {
    meldungen.clear();
    Read_Config_Allgemein(allgemein);
    std::string m;
    EXPECT_TRUE(text_oeffnen(text, alias, true));
    while (const char* b = Read_Config_Next()) {
        m += Str_Format("[%d] %s |%s| %d:", Read_Config_Zeile(), b, Read_Config_Get_String(), Read_Config_Teile());
        for (int32_t i = -1; i <= Read_Config_Teile(); ++i)
            m += Str_Format(" <%s>%d", Read_Config_Teil_String(i), Read_Config_Teil_Ist_Zahl(i) ? 1 : 0);
        for (int32_t i = 0; i < Read_Config_Teile(); ++i) m += Str_Format(" =%d", Read_Config_Teil_Wert(i));
        m += Str_Format(" w%d\n", Read_Config_Get_Wert());
    }
    m += Str_Format("fehler %d\n", Read_Config_Fehler_Anzahl());
    Read_Config_Close();
    Read_Config_Allgemein(false);
    for (const std::string& t : meldungen) m += t;
    return m;
}

// Names the first line where two transcripts part.
void Gleich_Zeilenweise(const std::string& a, const std::string& b) {
    size_t pos = 0;
    while (pos < a.size() && pos < b.size() && a[pos] == b[pos]) ++pos;
    if (a.size() == b.size() && pos == a.size()) return;
    const size_t anfang = pos > 0 ? a.rfind('\n', pos - 1) + 1 : 0;
    ADD_FAILURE() << "quick:   " << a.substr(anfang, a.find('\n', anfang) - anfang) << "\ngeneral: "
                  << b.substr(anfang, b.find('\n', anfang) - anfang);
}

// The quick paths for plain lines and plain numbers read what the general
// reader reads, broken lines included: the same items, texts, numbers,
// errors and messages.
TEST(ReadConfig, QuickPathsReadWhatTheGeneralReaderReads) {
    MeldungFaenger f;
    const std::string alias = "ALIAS ZWEI 2\nALIAS TEXT \"a, b\"\nALIAS OFFEN \"nicht zu\n";
    const char* const zeilen[] = {
        "A 1", "A -1", "A +1", "A -", "A +", "A --5", "A +-5", "A 007", "A -0", "A 123456789", "A -123456789",
        "A 999999999", "A 1234567890", "A 2147483647", "A 2147483648", "A -2147483648", "A -2147483649",
        "A 99999999999999999999", "A 12abc", "A 1e3", "A 0x10", "A 1.5", "A \"12\"", "A JA", "A nein", "A yes",
        "A No", "A JAA", "A  \t 5 \t ", "A=5", "A = 5", "A =", "A ==5", "A 1,2,,3", "A ,1", "A 1;2", "A 1//2",
        "A 1/2", "A 1/", "A \"x\"\"y\"", "A \"x\"y\"z\"", "A \"\"", "A \"", "A \"offen", "A 1, \"offen ; // x",
        "A \"a;b//c\" 4 ; Rest", "A x\"y\"", "A \"x\"7", "A #ZWEI", "A #zwei, 3", "A #TEXT", "A #FEHLT, 1", "A #",
        "A ##ZWEI", "A #OFFEN 1", "A 1\t\t", "A \t", "NAME \"Karl \"\"K\"\" Otto\"   // Kommentar", "B",
        "B\t", "B;", "B//x", "B\"s\"", "klein 1", "1A 2", "A-B 3", "$ 4", "   ", "; nur Kommentar", "// auch",
        "A \x01\x7f\xff 9", "TALENT 3, 120", "FARBEN 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12",
    };
    std::string text;
    for (const char* z : zeilen) text += std::string(z) + "\n";
    text += std::string("A 12\0 34\n", 9) + "A \"x\0y\"\r\nC 5\r\n";
    const std::string allgemein = Mitschrift(text, alias, true);
    Gleich_Zeilenweise(Mitschrift(text, alias, false), allgemein);
    EXPECT_NE(allgemein.find("Zahl erwartet (A 2147483648)"), std::string::npos) << allgemein;   // the table is read
    // Lines made of the grammar's characters at random, seeded.
    const char zeichen[] = "AZ_09-+ \t,;/\"#=xJ\r";
    uint32_t z = 12345;
    std::string zufall;
    for (int32_t zeile = 0; zeile < 3000; ++zeile) {
        zufall += "A ";
        for (int32_t i = int32_t((z = z * 1103515245u + 12345u) >> 28); i > 0; --i) {
            z = z * 1103515245u + 12345u;
            zufall += zeichen[((z >> 16) & 0xFF) % (sizeof zeichen - 1)];
        }
        zufall += '\n';
    }
    Gleich_Zeilenweise(Mitschrift(zufall, alias, false), Mitschrift(zufall, alias, true));
}

TEST(ReadConfig, UserFileComesBeforeTheInstallationFile) {
    TestWelt w;
    ASSERT_TRUE(w.ok);
    MeldungFaenger f;
    w.install_datei("config/0_team.cfg", "QUELLE 1\n");
    w.install_datei("config/0_team_alias.cfg", "ALIAS X 10\n");
    w.install_datei("config/1_team.cfg", "QUELLE #X\n");
    w.user_datei("config/1_team.cfg", "QUELLE #X\n");
    w.user_datei("config/1_team_alias.cfg", "ALIAS X 2\n");
    struct Fall {
        int32_t satz;
        int32_t quelle;
    } faelle[] = {{0, 1}, {1, 2}};
    for (const Fall& fall : faelle) {
        Config_Satz_Setzen(fall.satz);
        ASSERT_TRUE(Read_Config_Open(CONFIG_TEAM));
        ASSERT_STREQ(Read_Config_Next(), "QUELLE");
        EXPECT_EQ(Read_Config_Get_Wert(), fall.quelle);
        EXPECT_STREQ(Read_Config_Datei(), "team.cfg");
    }
    Config_Satz_Setzen(2);
    EXPECT_FALSE(Read_Config_Open(CONFIG_TEAM));
    EXPECT_EQ(Read_Config_Next(), nullptr);
    EXPECT_FALSE(Read_Config_Open(CONFIG_DATEIEN));
    Config_Satz_Setzen(0);
    EXPECT_TRUE(meldungen.empty());
}

TEST(ReadConfig, SettingsOverrideFileNames) {
    TestWelt w;
    ASSERT_TRUE(w.ok);
    const char* standard[] = {"spieler.cfg", "team.cfg",  "wettbewerb.cfg", "personal.cfg",
                              "zeitplan.cfg", "global.cfg", "text.cfg",      "ereignis.cfg"};
    for (int32_t i = 0; i < CONFIG_DATEIEN; ++i) EXPECT_EQ(Config_Datei_Name(i), standard[i]);
    EXPECT_EQ(Config_Datei_Name(-1), "");
    Reg_Write_String("conf_7", "meine_ereignisse.cfg");
    EXPECT_EQ(Config_Datei_Name(CONFIG_EREIGNIS), "meine_ereignisse.cfg");
    w.install_datei("config/0_ereignis.cfg", "ALT 1\n");
    w.install_datei("config/0_meine_ereignisse.cfg", "NEU #N\n");
    w.install_datei("config/0_meine_ereignisse_alias.cfg", "ALIAS N 3\n");
    Config_Satz_Setzen(0);
    ASSERT_TRUE(Read_Config_Open(CONFIG_EREIGNIS));
    ASSERT_STREQ(Read_Config_Next(), "NEU");
    EXPECT_EQ(Read_Config_Get_Wert(), 3);
    Reg_Write_String("conf_7", "");
    EXPECT_EQ(Config_Datei_Name(CONFIG_EREIGNIS), "ereignis.cfg");
    Read_Config_Close();
}

// A value line is the text "%s %d\n" gives, at the ends of the range too,
// and without a command; a list line the text of " %d" and ", %d".
TEST(ConfigSchreiben, AValueLineIsTheFormattedText) {
    for (int32_t wert : {INT32_MIN, -12, -1, 0, 7, 1000000, INT32_MAX}) {
        for (const char* befehl : {"STAERKE", ""}) {
            std::string text = "x";
            Config_Schreibe_Wert(text, befehl, wert);
            char soll[64];
            std::snprintf(soll, sizeof soll, "x%s %d\n", befehl, wert);
            EXPECT_EQ(text, soll);
        }
    }
    std::string text;
    Config_Schreibe_Wert(text, nullptr, 5);
    EXPECT_EQ(text, " 5\n");
    const int32_t liste[] = {INT32_MIN, 0, -7, INT32_MAX};
    text.clear();
    Config_Schreibe_Liste(text, "LISTE", liste, 4);
    char soll[96];
    std::snprintf(soll, sizeof soll, "LISTE %d, %d, %d, %d\n", liste[0], liste[1], liste[2], liste[3]);
    EXPECT_EQ(text, soll);
    // Lines longer than the writer's buffer: a long keyword, a long list, both.
    const std::string lang(300, 'K');
    std::vector<int32_t> viele;
    for (int32_t i = 0; i < 90; ++i) viele.push_back(i % 3 ? INT32_MIN + i : i * 1000);
    for (const std::string& befehl : {std::string("FARBEN"), lang}) {
        for (int32_t anzahl : {0, 1, 20, 21, 22, 90}) {
            std::string soll_liste = "x" + befehl;
            for (int32_t i = 0; i < anzahl; ++i) soll_liste += (i ? ", " : " ") + std::to_string(viele[size_t(i)]);
            soll_liste += "\n";
            text = "x";
            Config_Schreibe_Liste(text, befehl.c_str(), viele.data(), anzahl);
            EXPECT_EQ(text, soll_liste) << befehl.size() << " / " << anzahl;
        }
        text = "x";
        Config_Schreibe_Wert(text, befehl.c_str(), INT32_MIN);
        EXPECT_EQ(text, "x" + befehl + " " + std::to_string(INT32_MIN) + "\n");
    }
}

TEST(ConfigSchreiben, WrittenFilesReadBackEqual) {
    TestWelt w;
    ASSERT_TRUE(w.ok);
    MeldungFaenger f;
    std::string text;
    Config_Schreibe_Kommentar(text, "erzeugt\nvom Test");
    Config_Schreibe_Befehl(text, "NEUER_SPIELER");
    Config_Schreibe_Wert(text, "STAERKE", -12);
    Config_Schreibe_String(text, "NAME", "Jo \"Kante\" Berg; // ok");
    Config_Schreibe_String(text, "INFO", "zwei\nZeilen");
    Config_Schreibe_JaNein(text, "AKTIV", true);
    const int32_t liste[] = {4, -5, 6};
    Config_Schreibe_Liste(text, "LISTE", liste, 3);
    Config_Schreibe_Nummer_String(text, "TEXT", 17, "Siebzehn");
    ASSERT_TRUE(Config_Datei_Schreiben(3, "spieler.cfg", text));
    Config_Satz_Setzen(3);
    ASSERT_TRUE(Read_Config_Open(CONFIG_SPIELER));
    ASSERT_STREQ(Read_Config_Next(), "NEUER_SPIELER");
    ASSERT_STREQ(Read_Config_Next(), "STAERKE");
    EXPECT_EQ(Read_Config_Get_Wert(), -12);
    ASSERT_STREQ(Read_Config_Next(), "NAME");
    EXPECT_STREQ(Read_Config_Get_String(), "Jo \"Kante\" Berg; // ok");
    ASSERT_STREQ(Read_Config_Next(), "INFO");
    EXPECT_STREQ(Read_Config_Get_String(), "zwei Zeilen");
    ASSERT_STREQ(Read_Config_Next(), "AKTIV");
    EXPECT_EQ(Read_Config_Get_Wert(), 1);
    ASSERT_STREQ(Read_Config_Next(), "LISTE");
    ASSERT_EQ(Read_Config_Teile(), 3);
    EXPECT_EQ(Read_Config_Teil_Wert(1), -5);
    ASSERT_STREQ(Read_Config_Next(), "TEXT");
    EXPECT_EQ(Read_Config_Teil_Wert(0), 17);
    EXPECT_STREQ(Read_Config_Teil_String(1), "Siebzehn");
    EXPECT_EQ(Read_Config_Next(), nullptr);
    EXPECT_EQ(Read_Config_Fehler_Anzahl(), 0);
    EXPECT_TRUE(meldungen.empty());
    Config_Satz_Setzen(0);
    Read_Config_Close();
}
