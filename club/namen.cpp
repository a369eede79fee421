// club/namen.cpp - the name tables and their draws.
#include "club/namen.h"

#include <cstring>


namespace velmora {
namespace {

struct Stil {
    const char* vornamen[16];
    const char* vorne[12];    // first syllables of surnames
    const char* hinten[12];   // endings of surnames
    const char* stadt_vorne[10];
    const char* stadt_hinten[10];
};

// Invented syllables in the manner of each language; no table copies real people.
const Stil STILE[NAMEN_STILE] = {
    {{"Jonas", "Lukas", "Felix", "Tobias", "Niklas", "Jannik", "Florian", "Moritz", "Stefan", "Matthias", "Kai",
      "Benedikt", "Sven", "Timo", "Dennis", "Ralf"},
     {"Brau", "Hol", "Stein", "Wald", "Kessel", "Lind", "Feld", "Ober", "Krau", "Hart", "Wein", "Roth"},
     {"mann", "berger", "hofer", "meier", "ling", "hardt", "ner", "bach", "huber", "reiter", "mayr", "wig"},
     {"Alten", "Neu", "Ober", "Rot", "Wies", "Hohen", "Grun", "Stein", "Birk", "Eichen"},
     {"burg", "stadt", "hausen", "dorf", "feld", "heim", "bach", "au", "br\xfc" "ck", "tal"}},
    {{"Oliver", "Harry", "Jack", "Callum", "Liam", "Ethan", "Mason", "Ryan", "Declan", "Connor", "Lewis", "Jamie",
      "Aaron", "Owen", "Nathan", "Reece"},
     {"Ash", "Black", "Thorn", "Wood", "Hal", "Brad", "Kings", "Fair", "Mil", "Crom", "Har", "Sel"},
     {"ford", "ley", "worth", "ton", "wick", "field", "by", "more", "well", "ridge", "shaw", "ham"},
     {"Ash", "Brook", "Hal", "Mil", "Wes", "Nor", "Stan", "Long", "Red", "Kings"},
     {"ton", "ford", "bury", "field", "chester", "wick", "port", "mouth", "ley", "wood"}},
    {{"Lucas", "Hugo", "Theo", "Mathis", "Antoine", "Bastien", "Julien", "Romain", "Quentin", "Yanis", "Florent",
      "Clement", "Maxime", "Adrien", "Loic", "Remi"},
     {"Beau", "Du", "La", "Mar", "Fon", "Ber", "Chev", "Ro", "Le", "Ga", "Mon", "Vi"},
     {"champ", "mont", "lier", "rand", "tain", "nier", "card", "lais", "vet", "quet", "reau", "zin"},
     {"Saint", "Mont", "Bel", "Ville", "Chateau", "Rive", "Beau", "Clair", "Val", "Port"},
     {"-sur-Mer", "ville", "mont", "fort", "lieu", "court", "bourg", "champ", "val", "roux"}},
    {{"Marco", "Luca", "Matteo", "Andrea", "Davide", "Simone", "Alessio", "Federico", "Lorenzo", "Riccardo",
      "Stefano", "Nicolo", "Giacomo", "Paolo", "Dario", "Enzo"},
     {"Bar", "Ros", "Fon", "Mar", "Cap", "Ven", "Lom", "Bel", "Gal", "Tor", "Pel", "Sal"},
     {"etti", "ini", "ucci", "oni", "ardi", "ello", "ari", "ani", "ossi", "ieri", "atti", "ino"},
     {"Castel", "Monte", "Villa", "Porto", "Borgo", "San", "Santa", "Rocca", "Lago", "Poggio"},
     {"nuovo", "rosso", "fiore", "alto", "verde", "mare", "bello", "franco", "forte", "chiaro"}},
    {{"Pablo", "\xc1lvaro", "Diego", "Sergio", "Javier", "Ra\xfal", "Adri\xe1n", "Iv\xe1n", "Marcos", "Rub\xe9n", "Hugo",
      "Dani", "Iker", "Mario", "V\xed" "ctor", "Carlos"},
     {"Gar", "Her", "Mor", "Cas", "Val", "Ro", "San", "Al", "Fer", "Dur", "Lo", "Men"},
     {"cia", "n\xe1ndez", "ales", "tillo", "dez", "rero", "tos", "varez", "ena", "ino", "pez", "doza"},
     {"Villa", "San", "Puerto", "Santa", "Torre", "Alcal\xe1", "Monte", "Fuente", "Vega", "Castillo"},
     {"real", "mar", "nueva", "blanca", "del Rio", "alta", "verde", "franca", "dorada", "larga"}},
    {{"Daan", "Sem", "Bram", "Thijs", "Jesse", "Ruben", "Stijn", "Niels", "Joost", "Lars", "Sander", "Wout", "Pim",
      "Koen", "Mats", "Teun"},
     {"Van der ", "De ", "Van ", "Ver", "Hoog", "Groot", "Bak", "Dijk", "Kool", "Mol", "Wit", "Brou"},
     {"berg", "meer", "hoven", "stra", "veld", "dijk", "man", "kamp", "laar", "broek", "sma", "wijk"},
     {"Zuid", "Noord", "Oost", "West", "Groot", "Klein", "Hoog", "Nieuw", "Oud", "Zand"},
     {"dam", "wijk", "hoven", "veen", "horst", "burg", "dorp", "meer", "broek", "zijl"}},
    {{"Erik", "Lars", "Magnus", "Oskar", "Henrik", "Nils", "Emil", "Anders", "Viktor", "Sindre", "Mikkel", "Jonas",
      "Rasmus", "Tobias", "Sigurd", "Leif"},
     {"Lund", "Berg", "Dahl", "Strand", "Holm", "Fjell", "Sol", "Ny", "Sand", "Ek", "Lind", "Vik"},
     {"gren", "qvist", "strom", "by", "sen", "lund", "vik", "stad", "berg", "dal", "heim", "rud"},
     {"Lang", "Ny", "Ost", "Sol", "Fjell", "Strand", "Sjo", "Vest", "Hav", "Skog"},
     {"vik", "by", "stad", "heim", "sund", "holm", "fors", "dal", "havn", "berg"}},
    {{"Jakub", "Milan", "Pavel", "Tomas", "Marek", "Lukas", "Ondrej", "Filip", "Adam", "Dominik", "Petr", "Radek",
      "Karol", "Bartosz", "Piotr", "Igor"},
     {"Novak", "Kral", "Dvor", "Horv", "Kowal", "Zel", "Mar", "Stan", "Vol", "Dub", "Svob", "Lis"},
     {"ak", "ski", "ovic", "ek", "czyk", "ik", "ny", "enko", "ov", "ar", "ecki", "ansky"},
     {"Nova", "Stara", "Bila", "Horni", "Dolni", "Velka", "Mala", "Zlata", "Bystra", "Krasna"},
     {" Ves", " Hora", "grad", "ov", "ice", "any", "ec", "in", "nik", "polje"}},
    {{"Jo\xe3o", "Tiago", "Rui", "Andr\xe9", "Bruno", "Nuno", "Gon\xe7" "alo", "Rafael", "Diogo", "Pedro", "Vasco",
      "Duarte", "Miguel", "H\xe9lder", "Tom\xe1s", "Renato"},
     {"Sil", "Ferr", "Per", "Alm", "Cor", "Car", "Mach", "Lo", "Cos", "Ri", "Mour", "Tei"},
     {"va", "eira", "eiro", "eida", "reia", "valho", "ado", "pes", "ta", "beiro", "inho", "xeira"},
     {"Vila", "Porto", "S\xe3o", "Santa", "Ponte", "Torre", "Alto", "Rio", "Serra", "Monte"},
     {" Nova", " Velho", " Real", " Verde", " Branco", "mar", " do Sul", " Alegre", " Formoso", " Claro"}},
    {{"Emre", "Burak", "Kerem", "Mert", "Arda", "Can", "Yusuf", "Ozan", "Baris", "Kaan", "Efe", "Selim", "Tolga",
      "Umut", "Volkan", "Cem"},
     {"Yil", "Kara", "Ak", "Demir", "Ay", "Kol", "Sa", "Er", "Gul", "Tek", "Ok", "Bal"},
     {"maz", "kaya", "soy", "tas", "dag", "can", "oglu", "han", "ci", "er", "ay", "tepe"},
     {"Kara", "Ak", "Yeni", "Eski", "Bulut", "Deniz", "Gol", "Kum", "Ulu", "Sari"},
     {"kent", "dere", "koy", "tepe", "ova", "su", "hisar", "kale", "pinar", "yurt"}},
};

const LandVorlage LAENDER[] = {
    {"Deutschland", "DEUTSCHLAND", 0, -2, 19, 22, 0, {0x181818, 0xD02020, 0xF0C020}, FLAGGE_QUER},
    {"England", "ENGLAND", 0, 4, 17, 30, 1, {0xF4F4F4, 0xC81E2C, 0xC81E2C}, FLAGGE_KREUZ},
    {"Frankreich", "FRANKREICH", 0, 4, 21, 20, 2, {0x1E3C96, 0xF4F4F4, 0xD82828}, FLAGGE_LAENGS},
    {"Italien", "ITALIEN", 0, 7, 26, 14, 3, {0x1E9646, 0xF4F4F4, 0xD22832}, FLAGGE_LAENGS},
    {"Spanien", "SPANIEN", 0, 9, 28, 8, 4, {0xC81E1E, 0xF0C018, 0xC81E1E}, FLAGGE_QUER},
    {"Niederlande", "NIEDERLANDE", 0, 3, 18, 28, 5, {0xB41E28, 0xF4F4F4, 0x1E3C8C}, FLAGGE_QUER},
    {"Norwegen", "NORWEGEN", 0, -6, 15, 26, 6, {0xBE1E2D, 0xF4F4F4, 0x1E2D6E}, FLAGGE_NORDKREUZ},
    {"Tschechien", "TSCHECHIEN", 0, -3, 19, 18, 7, {0xF4F4F4, 0xD21E28, 0x1E46A0}, FLAGGE_KEIL},
    {"Portugal", "PORTUGAL", 0, 11, 24, 16, 8, {0x1E823C, 0xD21E1E, 0xD21E1E}, FLAGGE_LAENGS},
    {"T\xfcrkei", "TUERKEI", 1, 5, 27, 12, 9, {0xD21E28, 0xF4F4F4, 0xF4F4F4}, FLAGGE_HALBMOND},
    {"Schweden", "SCHWEDEN", 0, -4, 17, 22, 6, {0x1E5AA0, 0xF5C81E, 0xF5C81E}, FLAGGE_NORDKREUZ},
    {"Polen", "POLEN", 0, -3, 19, 18, 7, {0xF4F4F4, 0xD21E3C, 0xD21E3C}, FLAGGE_HAELFTEN},
    {"\xd6sterreich", "OESTERREICH", 0, -2, 20, 20, 0, {0xD2202D, 0xF4F4F4, 0xD2202D}, FLAGGE_QUER},
    {"Belgien", "BELGIEN", 0, 3, 18, 26, 5, {0x181818, 0xF5D21E, 0xDC2832}, FLAGGE_LAENGS},
    {"Schottland", "SCHOTTLAND", 0, 3, 15, 34, 1, {0x1E5AB4, 0xF4F4F4, 0xF4F4F4}, FLAGGE_SCHRAEG},
    {"Brasilien", "BRASILIEN", 3, 20, 27, 30, 8, {0x1E9641, 0xF5D21E, 0x1E3282}, FLAGGE_RAUTE},
    {"Argentinien", "ARGENTINIEN", 3, 10, 25, 18, 4, {0x78B4E6, 0xF4F4F4, 0x78B4E6}, FLAGGE_QUER},
    {"Mexiko", "MEXIKO", 2, 14, 24, 16, 4, {0x1E6E46, 0xF4F4F4, 0xC81E32}, FLAGGE_LAENGS},
    {"USA", "USA", 2, 0, 25, 18, 1, {0xB4283C, 0xF4F4F4, 0x283C78}, FLAGGE_STREIFEN},
    {"Kamerun", "KAMERUN", 4, 24, 27, 32, 2, {0x1E7846, 0xD2283C, 0xF5D21E}, FLAGGE_LAENGS},
    {"Nigeria", "NIGERIA", 4, 26, 28, 30, 1, {0x1E8246, 0xF4F4F4, 0x1E8246}, FLAGGE_LAENGS},
    {"Japan", "JAPAN", 5, 5, 27, 26, 9, {0xF4F4F4, 0xC81E32, 0xC81E32}, FLAGGE_SCHEIBE},
    {"Australien", "AUSTRALIEN", 6, 12, 24, 12, 1, {0x1E2D78, 0xF4F4F4, 0xC81E32}, FLAGGE_KREUZ},
    {"Kroatien", "KROATIEN", 0, 2, 24, 16, 7, {0xD2202D, 0xF4F4F4, 0x1E3C8C}, FLAGGE_QUER},
};

const char* const KONTINENTE[15] = {
    "Westeuropa", "S\xfc" "dosteuropa", "Nordamerika", "S\xfc" "damerika", "Afrika", "Asien", "Ozeanien", "Nordeuropa",
    "Osteuropa", "Mittelamerika", "Karibik", "Naher Osten", "Zentralasien", "Nordafrika", "Pazifik"};

// Entry (zufall / teiler) mod N of a table; the caller's number feeds several draws.
template <typename T, size_t N>
const char* Wahl(const T (&tabelle)[N], uint32_t zufall, uint32_t teiler) {
    return tabelle[(zufall / teiler) % N];
}

// The capital of a lower-case letter of the names' Latin-1 text; any other byte as it is.
char Gross(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'a' && b <= 'z') return char(b - 32);
    if (b >= 0xe0 && b <= 0xfe && b != 0xf7) return char(b - 32);
    return c;
}

}  // namespace

int32_t Namen_Laender_Anzahl() { return int32_t(sizeof LAENDER / sizeof LAENDER[0]); }

const LandVorlage* Namen_Land(int32_t i) { return i >= 0 && i < Namen_Laender_Anzahl() ? &LAENDER[i] : nullptr; }

const char* Namen_Kontinent(int32_t i) { return i >= 0 && i < 15 ? KONTINENTE[i] : ""; }

int32_t Namen_Stil_Von_Land(const char* land) {
    if (!land) return 0;
    for (const LandVorlage& l : LAENDER)
        if (!std::strcmp(l.name, land)) return l.stil;
    return 0;
}

void Namen_Spieler_Ziehen(int32_t stil, uint32_t zufall, std::string& vorname, std::string& name) {
    const Stil& s = STILE[((stil % NAMEN_STILE) + NAMEN_STILE) % NAMEN_STILE];
    vorname = Wahl(s.vornamen, zufall, 1);
    const std::string vorne = Wahl(s.vorne, zufall, 16);
    std::string hinten = Wahl(s.hinten, zufall, 16 * 12);
    // After a particle ("Van der ", "De ") the ending is a word of its own
    // and starts with a capital: "Van der Dijk", not "Van der dijk".
    if (!vorne.empty() && vorne.back() == ' ' && !hinten.empty()) hinten[0] = Gross(hinten[0]);
    name = vorne + hinten;
}

std::string Namen_Stadt_Ziehen(int32_t stil, uint32_t zufall) {
    const Stil& s = STILE[((stil % NAMEN_STILE) + NAMEN_STILE) % NAMEN_STILE];
    return std::string(Wahl(s.stadt_vorne, zufall, 1)) + Wahl(s.stadt_hinten, zufall, 10);
}

}  // namespace velmora
