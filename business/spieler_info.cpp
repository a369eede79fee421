// business/spieler_info.cpp - the player summary of the squad screens.
#include "business/spieler_info.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "business/bank.h"
#include "business/verhandlung.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/wirtschaft.h"
#include "core/text.h"
#include "gfx/font.h"
#include "gfx/hilfe_text.h"
#include "gfx/text_markup.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr const char* E1 = "EINSETZEN_1_SCREEN";
constexpr const char* TAKTIK = "TAKTIK_SCREEN";
constexpr const char* KARTE = "SPIELER_INFO_SCREEN";
enum : int32_t {
    T_TORE = 29, T_VORLAGEN = 30, T_TALENTE = 31, T_LERNT = 32, T_MARKTWERT = 38, T_GESPERRT = 39,
    T_FITNESS = 9, T_MORAL = 10, T_ROT = 40, T_GELBROT = 41, T_SPIEL = 42, T_SPIELE = 43, T_FAELLT = 44, T_NOCH = 45, T_QUOTE = 46, T_GEHALT = 47, T_ERLOES = 49,
};
constexpr int32_t T_WOCHEN = 20, T_WOCHE = 21;          // the card's units
constexpr int32_t T_AUFGABEN = 6;                      // tactics: "Aufgaben"
constexpr int32_t LABEL_ABSTAND = 8;                  // from a label to its value at the least
constexpr struct {
    uint32_t bit;
    int32_t text;
} AUFGABEN[4] = {{SP_STATUS_ECKE, 36}, {SP_STATUS_FREISTOSS, 37}, {SP_STATUS_ELFMETER, 38}, {0x800, 39}};

const char* T(const char* screen, int32_t n) { return Text_Oder_Leer(screen, n); }

void Anhaengen(std::string& s, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Anhaengen(std::string& s, const char* format, ...) {
    char puffer[512];
    va_list args;
    va_start(args, format);
    const int n = vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    if (n > 0) s.append(puffer, size_t(std::min(n, int(sizeof puffer) - 1)));
}

// The player's club's competitions of this season.
std::vector<int32_t> Wettbewerbe(int32_t spieler) {
    const int32_t club = Spieler_Get_Team(spieler);
    std::vector<int32_t> w(64, -1);
    const int32_t n = club >= 0 ? Wettbewerb_Liste_Team(club, w.data(), 0) : 0;
    w.resize(size_t(std::clamp(n, 0, 64)));
    return w;
}

// The season's goals of the player in his club's competitions (own goals do not count).
int32_t Tore(int32_t spieler, const std::vector<int32_t>& wettbewerbe) {
    const int32_t anzahl = Spieler_Anzahl();
    if (wettbewerbe.empty() || spieler >= anzahl) return 0;
    std::vector<int32_t> pro_spieler(size_t(anzahl), 0);
    Spiele_Get_Statistik(wettbewerbe.data(), int32_t(wettbewerbe.size()), EREIGNIS_TOR, pro_spieler.data(), anzahl);
    return pro_spieler[size_t(spieler)];
}

// The injury or suspension line after the name; nothing for a fit player.
void Ausfall(std::string& s, int32_t spieler, const std::vector<int32_t>& wettbewerbe) {
    const uint32_t status = Spieler_Status(spieler);
    if (status & SP_STATUS_VERLETZT) {
        const int32_t wochen = Spieler_Wert(SPW_VERLETZUNG_TAGE, spieler, 0, OP_LESEN);
        Anhaengen(s, " %s %s%s %d %s", T(E1, T_FAELLT),
                  Spieler_Info_Verletzung(Spieler_Wert(SPW_VERLETZUNG, spieler, 0, OP_LESEN)), T(E1, T_NOCH), wochen,
                  T(KARTE, wochen == 1 ? T_WOCHE : T_WOCHEN));
        return;
    }
    if (!(status & 0x380)) return;
    for (int32_t w : wettbewerbe) {
        const int32_t e = Spiele_Get_Wettbewerb_Ereignis(w, 8, -1, spieler, -1, -1);
        if (e <= 0) continue;
        const int32_t spiele = e & 0x1f;
        Anhaengen(s, " %s %d %s", T(E1, T_GESPERRT), spiele, T(E1, spiele == 1 ? T_SPIEL : T_SPIELE));
        if (e & int32_t(EREIGNIS_ROT)) Anhaengen(s, " %s", T(E1, T_ROT));
        else if (e & int32_t(EREIGNIS_GELBROT)) Anhaengen(s, " %s", T(E1, T_GELBROT));
        return;
    }
}

}  // namespace

int32_t Spieler_Info_Quote(int32_t alle, int32_t gewonnen) {
    if (alle <= 0) return 0;
    return int32_t(std::clamp<int64_t>(int64_t(100) * gewonnen / alle, 0, 100));
}

const char* Spieler_Info_Verletzung(int32_t art) {
    const char* t = art >= 0 ? Spieler_Tabelle_Wert(art) : nullptr;
    if (!t) return "";
    int32_t anzahl = 0;
    const char* const* tabelle = Text_Tabelle_Array(&anzahl);
    Str_Referenz_Aufloesen(&t, tabelle, anzahl);
    return t && t[0] != '*' ? t : "";
}

const char* Spieler_Info_Moral(int32_t eintrag) {
    const char* t = eintrag >= 0 && eintrag <= 8 ? Text_Tabelle(60 + eintrag) : nullptr;
    return t ? t : "";
}

const char* Spieler_Info_Talent_Name(int32_t talent) {
    if (talent == ATTRIBUT_STERNE) return "St\xe4rke-Sterne";
    const AttributDaten* d = Attribut_Daten(talent);
    return d ? d->name : "";
}

std::string Spieler_Info_Text(int32_t spieler, const SpielerInfoArt& art) {
    std::string s;
    if (spieler < 0 || spieler >= Spieler_Anzahl()) return s;
    const int32_t tab = std::clamp(art.tab, 0, 9999);
    s = Spieler_String(SPS_NACHNAME, spieler, 0, 0);
    const std::vector<int32_t> wettbewerbe = Wettbewerbe(spieler);
    if (art.ausfall) Ausfall(s, spieler, wettbewerbe);
    const int32_t tore = Tore(spieler, wettbewerbe);
    const int32_t vorlagen = Spieler_Get_Spieler_Statistik(STATISTIK_VORLAGEN, spieler, 0);
    const int32_t alle = Spieler_Wert(SPW_BALLGEWINNE, spieler, 0, OP_LESEN);
    const int32_t gewonnen = Spieler_Wert(SPW_BALLGEWINNE_2, spieler, 0, OP_LESEN);
    const int32_t lernt = art.eigen ? Attribute_Anzahl(spieler) : -1;
    // The lines of a label and its value; the values' column is set once all
    // labels are known.
    std::vector<std::pair<std::string, std::string>> zeilen;
    auto zeile = [&zeilen](std::string label, std::string wert) { zeilen.emplace_back(std::move(label), std::move(wert)); };
    if (tore) zeile(T(E1, T_TORE), std::to_string(tore));
    if (vorlagen) zeile(T(E1, T_VORLAGEN), std::to_string(vorlagen));
    if (art.quote && alle > 0) zeile(T(E1, T_QUOTE), std::to_string(Spieler_Info_Quote(alle, gewonnen)) + "%");
    if (art.talente) {
        int32_t aktiv[3] = {-1, -1, -1};
        const int32_t n = Attribute_Get_Attribute(spieler, aktiv, 3, 0);
        std::string namen;
        for (int32_t i = 0; i < n; ++i) namen += std::string(i ? ", " : "") + Spieler_Info_Talent_Name(aktiv[i]);
        if (n > 0) zeile(T(E1, T_TALENTE), namen);
    }
    if (art.geld) {
        // The market value counts no talents (the salary does), so a line of a
        // "value without talents" beside it would only repeat its figure.
        const int32_t club = Spieler_Get_Team(spieler);
        auto geld = [&](int32_t text, int32_t betrag) {
            zeile(T(E1, text), std::string("^fb0009") + Geld_Text(float(betrag), club, -1) + "^fe");
        };
        geld(T_MARKTWERT, Spieler_Berechne_Marktwert(spieler));
        if (art.erloes) geld(T_ERLOES, Verhandlung_Verkauf_Erloes(spieler));
        geld(T_GEHALT, Spieler_Berechne_Gehalt(spieler));
    }
    if (art.zustand && art.eigen) {
        const int32_t fitness = std::clamp(Spieler_Get_Halbe_Wert56(spieler), 0, 4);
        zeile(std::string(T(E1, T_FITNESS)) + ":", T("EINSETZEN_2_SCREEN", 9 + fitness));
        zeile(std::string(T(E1, T_MORAL)) + ":",
              Spieler_Info_Moral(std::clamp(Spieler_Wert(SPW_MORAL, spieler, 0, OP_LESEN), 0, 6)));
    }
    if (lernt >= 0) zeile(T(E1, T_LERNT), Spieler_Info_Talent_Name(lernt));
    const uint32_t aufgaben = art.eigen ? Spieler_Status(spieler) & 0x7800 : 0;
    if (aufgaben) {
        std::string liste;
        for (const auto& a : AUFGABEN)
            if (aufgaben & a.bit) liste += std::string(liste.empty() ? "" : ", ") + T(TAKTIK, a.text);
        zeile(std::string(T(TAKTIK, T_AUFGABEN)) + ":", liste);
    }
    // The values stand at the caller's tab stop, or further right where a
    // label of the help box's font reaches it ("Zweikämpfe gewonnen").
    int32_t spalte = tab;
    if (Font* f = Font_Get(HILFE_FONT))
        for (const auto& [label, wert] : zeilen) spalte = std::max(spalte, Text_Width(f, label.c_str()) + LABEL_ABSTAND);
    for (const auto& [label, wert] : zeilen) Anhaengen(s, "^l%s^tl%04d%s", label.c_str(), std::min(spalte, 9999), wert.c_str());
    return s;
}

}  // namespace velmora
