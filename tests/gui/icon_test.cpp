// tests/gui/icon_test.cpp - the icon tables: adding, removing, area clears,
// slave pictures, own Rastports and dynamic icons.
#include "core/spielstand_datei.h"
#include "tests/gui/menue_welt.h"

namespace velmora::test {
namespace {

using IconTabellen = MenueWelt;

TEST_F(IconTabellen, AddedListIsOnScreenAndRemovalKeepsTheDefinition) {
    s_icon* liste = Liste({Knopf(10, 0, 0), Knopf(11, 100, 0, 3), Knopf(12, 200, 0)});
    Menue_Screen_Icons_Hinzufuegen(liste);
    for (int n : {10, 11, 12}) EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(n), 1) << n;
    EXPECT_EQ(Menue_Slot(0, 0), &liste[0]);
    EXPECT_EQ(Menue_Slot(0, 1), &liste[2]);
    EXPECT_EQ(Menue_Slot(3, 0), &liste[1]);
    EXPECT_EQ(liste[0].br, 80);   // size taken from the picture
    EXPECT_EQ(liste[0].ho, 30);

    Menue_Screen_Icon_Loeschen(10, nullptr);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(10), 0);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(10), &liste[0]);
    EXPECT_EQ(Menue_Naechster_Freier_Slot(0), 0);
    EXPECT_EQ(Menue_Hoechster_Slot(0), 1);

    s_icon &neu = *Icon(Knopf(13, 300, 0));
    Menue_Screen_Icon_Hinzufuegen(&neu);
    EXPECT_EQ(Menue_Slot(0, 0), &neu);   // the freed slot is taken again
    EXPECT_EQ(Menue_Hoechster_Slot(0), 1);

    Menue_Screen_Icons_Loeschen(liste);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(11), 0);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(12), 0);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(13), 1);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(77), nullptr);
}

TEST_F(IconTabellen, DuplicateNumberLogsAndLeavesTheFirstIcon) {
    s_icon &erst = *Icon(Knopf(900, 0, 0));
    erst.hilfe = "Weiter";
    s_icon &zweit = *Icon(Knopf(900, 100, 100));
    Menue_Screen_Icon_Hinzufuegen(&erst);
    Menue_Screen_Icon_Hinzufuegen(&zweit);
    EXPECT_TRUE(Geloggt("Icon Nr. 900 doppelt definiert!"));
    EXPECT_TRUE(Geloggt("Ersteller: Ulvo"));
    EXPECT_TRUE(Geloggt("Hilfet.=Kein Hilfetext!"));
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(900), &erst);
    EXPECT_EQ(Menue_Slot(0, 1), nullptr);
}

TEST_F(IconTabellen, BadAddsAreRefusedWithTheirMessage) {
    struct Fall {
        int16_t nummer;
        int8_t pri;
        const char* meldung;
        bool vorhanden;
    } faelle[] = {
        {4202, 0, "screen_icon_nr>ANZ_SCREEN_ICONS", false},
        {-5, 0, "screen_icon_nr>ANZ_SCREEN_ICONS", false},
        {50, 40, "pri>MAX_SCREEN_ICON_PRIORITY!", true},
    };
    for (const Fall& f : faelle) {
        log.clear();
        s_icon &i = *Icon(Knopf(f.nummer, 0, 0, f.pri));
        Menue_Screen_Icon_Hinzufuegen(&i);
        EXPECT_TRUE(Geloggt(f.meldung)) << f.nummer;
        if (f.vorhanden) {
            EXPECT_EQ(Menue_Slot(MAX_SCREEN_ICON_PRIORITY, 0), &i);
            Menue_Screen_Icon_Loeschen(-1, &i);
        }
    }
    log.clear();
    Menue_Screen_Icon_Hinzufuegen(nullptr);
    EXPECT_TRUE(Geloggt("s_icon=NULL!"));
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(5000), 0);
    EXPECT_TRUE(Geloggt("Menue_Screen_Icon_Ist_Vorhanden: Nr= 5000"));
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(-1), nullptr);
    EXPECT_TRUE(Geloggt("Menue_Screen_Icon_Aus_Nummer: Nr= -1"));
}

TEST_F(IconTabellen, AFullRowRefusesTheNextIconAndKeepsItsOwn) {
    std::vector<s_icon>& icons = Vektor(601);
    for (int k = 0; k < 601; ++k) {
        icons[k] = Knopf(int16_t(1000 + k), int16_t(k % 10), 0, 4);
        icons[k].bild = BILD_KLEIN;
    }
    for (int k = 0; k < 600; ++k) Menue_Screen_Icon_Hinzufuegen(&icons[k]);
    EXPECT_EQ(Anzahl_Geloggt("Menue_Screen_Icon_Hinzufuegen: Maximum erreicht!"), 1);
    Menue_Screen_Icon_Hinzufuegen(&icons[600]);
    EXPECT_EQ(Anzahl_Geloggt("Menue_Screen_Icon_Hinzufuegen: Maximum erreicht!"), 2);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(1600), 0);
    for (int k = 0; k < 600; ++k) ASSERT_EQ(Menue_Slot(4, k), &icons[k]) << k;
    EXPECT_EQ(Menue_Hoechster_Slot(4), 599);
    // A removal makes room again.
    Menue_Screen_Icon_Loeschen(1300, nullptr);
    Menue_Screen_Icon_Hinzufuegen(&icons[600]);
    EXPECT_EQ(Menue_Slot(4, 300), &icons[600]);
}

TEST_F(IconTabellen, AreaClearTakesTouchingOrInsideIconsAndSparesPermanentOnes) {
    s_icon* liste = Liste({Knopf(20, 10, 10), Knopf(21, 760, 550), Knopf(22, 300, 570), Knopf(23, 900, 900),
                           Knopf(24, 100, 100)});
    liste[2].typ |= ICON_TYP_PERMANENT;   // a panel button below 565
    struct Fall {
        int32_t modus, x0, y0, x1, y1;
        std::vector<int> bleiben;
    } faelle[] = {
        {4, 0, 0, 799, 565, {22, 23}},
        {2, 0, 0, 200, 200, {21, 22, 23}},
        {0, 150, 125, 400, 400, {20, 21, 22, 23}},   // touching the corner of 24 counts
        {5, -9999, -9999, 9999, 9999, {}},
    };
    for (const Fall& f : faelle) {
        Menue_Screen_Icons_Hinzufuegen(liste);
        Menue_Screen_Bereich_Loeschen(f.modus, f.x0, f.y0, f.x1, f.y1);
        for (int n = 20; n <= 24; ++n) {
            const bool soll = std::find(f.bleiben.begin(), f.bleiben.end(), n) != f.bleiben.end();
            EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(n), soll) << "mode " << f.modus << " icon " << n;
        }
        Menue_Screen_Bereich_Loeschen(5, -9999, -9999, 9999, 9999);
    }
}

TEST_F(IconTabellen, SlavePicturesLoadOnceAndAreShared) {
    EXPECT_EQ(Menue_Get_Slave_Rastport(123, nullptr), nullptr);
    EXPECT_TRUE(Geloggt("Slave_RP 123: falsche nr/kein freier"));
    EXPECT_EQ(Menue_Get_Slave_Rastport(-4, nullptr), nullptr);
    EXPECT_TRUE(Geloggt("Menue_Get_Slave_Rastport: slave_nr=-4!"));

    s_icon &a = *Icon(Knopf(30, 0, 0)), &b = *Icon(Knopf(31, 100, 0));
    Menue_Screen_Icon_Hinzufuegen(&a);
    Menue_Screen_Icon_Hinzufuegen(&b);
    EXPECT_EQ(slot_anfragen, 1);
    Rastport* rp = Menue_Get_Slave_Rastport(BILD_KNOPF, nullptr);
    ASSERT_NE(rp, nullptr);
    EXPECT_EQ(Menue_Screen_Icon_Rastport(&b, nullptr, nullptr), rp);
    EXPECT_EQ(slot_anfragen, 1);

    // Entry 40 of file 1 does not exist: the failed load is kept, not retried.
    EXPECT_EQ(Menue_Get_Slave_Rastport(4040, nullptr), nullptr);
    EXPECT_EQ(Menue_Get_Slave_Rastport(4040, nullptr), nullptr);
    EXPECT_EQ(slot_anfragen, 2);
}

TEST_F(IconTabellen, SlaveNumbersOfTheBaseNationFollowItsName) {
    struct Fall {
        const char* name;
        int32_t ein, aus;
    } faelle[] = {
        {nullptr, 4001, 4001}, {"Deutschland", 12057, 12057}, {"Velmorien", 4001, 4002},
        {"Velmorien", 12057, 12058}, {"Velmorien", 28346, 28347}, {"Velmorien", 4003, 4003},
    };
    for (const Fall& f : faelle) {
        static const char* name;
        name = f.name;
        Menue_Hooks().basis_team_name = [] { return name; };
        EXPECT_EQ(Menue_Slave_Nummer_Ersetzen(f.ein), f.aus) << (f.name ? f.name : "-") << " " << f.ein;
    }
}

TEST_F(IconTabellen, OwnRastportIsFilledAndABadSizeGetsTheErrorSquare) {
    s_icon &gut = *Icon(Knopf(40, 0, 0));
    gut.bild = -1;
    gut.br = 30;
    gut.ho = 20;
    gut.farbe = Farbe(10, 200, 10);
    s_icon& schlecht = *Icon(gut);
    schlecht.nummer = 41;
    schlecht.br = 900;
    Menue_Screen_Icon_Hinzufuegen(&gut);
    Menue_Screen_Icon_Hinzufuegen(&schlecht);
    ASSERT_NE(gut.rp, nullptr);
    EXPECT_EQ(Rastport_Pixels16(gut.rp)[19 * 30 + 29], Farbe(10, 200, 10));
    EXPECT_TRUE(Geloggt("SCHWERER ICON-INIT-FEHLER!"));
    ASSERT_NE(schlecht.rp, nullptr);
    EXPECT_EQ(schlecht.br, 25);
    EXPECT_EQ(schlecht.rp->width, 25u);
    EXPECT_EQ(Rastport_Pixels16(schlecht.rp)[0], 0xC387);
    // Removal frees the own Rastport.
    Menue_Screen_Icon_Loeschen(-1, &gut);
    EXPECT_EQ(gut.rp, nullptr);
}

TEST_F(IconTabellen, TextIconTakesTheTemplateAndKeepsItsOwnNumberAndSize) {
    s_icon &vorlage = *Icon(Knopf(60, 33, 44, 7, Aufzeichnen));
    vorlage.Status = ICON_ST_KEY;
    vorlage.hilfe = "Hilfe";
    vorlage.typ = 0x3;
    s_icon_text text{};
    s_icon* liste = Liste({Knopf(61, 0, 0), Knopf(62, 0, 0)});
    liste[0].br = 5;
    liste[1].bild_an = BILD_KNOPF_AN;
    s_icon_text texte[2] = {};
    Menue_Init_Icon_Liste(liste, &vorlage, texte, BILD_KREIS);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(liste[k].nummer, 61 + k);
        EXPECT_EQ(liste[k].x, 33);
        EXPECT_EQ(liste[k].Pri, 7);
        EXPECT_EQ(liste[k].bild, BILD_KREIS);
        EXPECT_EQ(liste[k].Main_P, &Aufzeichnen);
        EXPECT_EQ(liste[k].daten, &texte[k]);
        EXPECT_EQ(liste[k].d, -1);
        EXPECT_EQ(liste[k].d2, -1);
    }
    EXPECT_EQ(liste[0].br, 5);
    EXPECT_EQ(liste[1].bild_an, BILD_KNOPF_AN);
    (void)text;
    Menue_Init_Text_Icon(nullptr, &vorlage, nullptr, -1);
    EXPECT_TRUE(Geloggt("Menue_Init_Text_Icon: s_icon=NULL!"));
    EXPECT_EQ(Menue_Icon_In_Liste_Suchen(62, liste), &liste[1]);
    EXPECT_EQ(Menue_Icon_In_Liste_Suchen(63, liste), nullptr);
    Menue_Icon_Liste_Eintragen(liste);
    EXPECT_EQ(Menue_Screen_Icon_Aus_Nummer(62), &liste[1]);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(62), 0);
}

TEST_F(IconTabellen, DynamicNumbersCountUp) {
    const int32_t a = Menue_Neue_Icon_Nummer();
    EXPECT_EQ(Menue_Neue_Icon_Nummer(), a + 1);
}

TEST_F(IconTabellen, SaveByteRoundTripsAndLoadingClearsTheScreenAndThePanel) {
    SpielstandDatei schreiben;
    Spielstand_Datei_Neu(&schreiben, SpielstandKopf{});
    ASSERT_TRUE(Spielstand_Modul_Beginnen(&schreiben, "Menue"));
    Menue_Save_Byte_Setzen(1);
    ASSERT_TRUE(Menue_Speichern(&schreiben));
    ASSERT_TRUE(Spielstand_Modul_Beenden(&schreiben));
    ASSERT_TRUE(Spielstand_Datei_Abschliessen(&schreiben));

    Menue_Screen_Oeffnen(nullptr);   // a screen opens: the byte is cleared
    EXPECT_EQ(Menue_Save_Byte(), 0);
    s_icon& k = *Icon(Knopf(70, 0, 0));
    Menue_Screen_Icon_Hinzufuegen(&k);
    // A panel's four buttons that take priority, raised, and an icon that does not.
    for (int n = 702; n <= 705; ++n) {
        s_icon& knopf = *Icon(Knopf(int16_t(n), int16_t(100 * (n - 700)), 500));
        knopf.typ |= ICON_TYP_VORRANG;
        Menue_Screen_Icon_Hinzufuegen(&knopf);
        zustand[n] = 1;
    }
    zustand[70] = 1;
    SpielstandDatei lesen;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&lesen, schreiben.bild));
    ASSERT_TRUE(Spielstand_Modul_Betreten(&lesen, "Menue"));
    ASSERT_TRUE(Menue_Laden(&lesen));
    EXPECT_TRUE(Spielstand_Modul_Verlassen(&lesen));
    EXPECT_EQ(Menue_Save_Byte(), 1);
    EXPECT_EQ(Menue_Screen_Icon_Ist_Vorhanden(70), 0);
    for (int n = 702; n <= 705; ++n) EXPECT_EQ(zustand[n], 0) << n;
    EXPECT_EQ(zustand[70], 1);
}

}  // namespace
}  // namespace velmora::test
