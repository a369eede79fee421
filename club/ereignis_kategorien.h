// club/ereignis_kategorien.h - the twenty categories of the random events by
// the names "ereignis.cfg" gives them: the world generator writes them, the
// event catalogue (business/ereignis.h) reads them; a category's code is its
// position.
#pragma once
#include <cstdint>

namespace velmora {

constexpr int32_t EREIGNIS_KATEGORIEN = 20;

inline constexpr const char* EREIGNIS_KATEGORIE_NAMEN[EREIGNIS_KATEGORIEN] = {
    "RANDALE", "SERIEN_SIEGE", "SERIEN_NIEDERLAGEN", "SPIELER_NEGATIVES_ATTRIBUT_WEG",
    "SPIELER_BEENDET_AKTUELLES_TRAINING", "SPIELER_NEGATIVES_ATTRIBUT_DAZU", "ZUSCHAUER_EUPHORIE",
    "SPIELER_NICHT_EINGESETZT", "SPIELERGEWERKSCHAFT_UNZUFRIEDEN", "SPIELERGEWERKSCHAFT_ZUFRIEDEN",
    "SPIELER_TALENT_JETZT_ERLERNBAR", "SPIELER_TALENT_NICHT_MEHR_ERLERNBAR", "SPIELERGEWERKSCHAFT_WAHL",
    "SPIELER_MAXSTAEKE_VERAENDERT", "MANAGER_WECHSEL", "STADIONALTER", "ALLGEMEIN", "ALLGEMEIN_TEAM",
    "ALLGEMEIN_SPIELER", "MANAGER_NATIONALTRAINER"};

}  // namespace velmora
