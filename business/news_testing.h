// business/news_testing.h - seams for the news tests: a second module state
// (a server's news beside a client's in one process) and a news file taken
// over as it stands.
#pragma once
#include <cstddef>
#include <cstdint>

namespace velmora {

struct NewsZustand;
// A closed module state; swapping exchanges it with the one in use.
NewsZustand* News_Testing_Zustand_Neu();
void News_Testing_Zustand_Tauschen(NewsZustand* zustand);
// Closes the state's file (deleting it) and frees it.
void News_Testing_Zustand_Loeschen(NewsZustand* zustand);
// Replaces the open working file's content by `daten` and indexes its records
// from the start up to the first damaged or cut one (at most 1500); their
// number, -1 when the module is closed or the file cannot be written.
int32_t News_Testing_Datei_Uebernehmen(const uint8_t* daten, size_t bytes);
// The file offset of a live item, -1 for none.
int32_t News_Testing_Offset(int32_t index);

}  // namespace velmora
