// core/abonnenten.h - ordered subscriber lists: the hooks several modules want.
//
// An event that several modules answer (a new day, the menu frame, the end of
// a match for a club) is a list instead of one function pointer. Subscribers
// run in ascending priority (named in core/prioritaeten.h), so the order the
// program binds its modules in never changes what happens. Two subscribers at
// one priority are refused: the composition root stops the start with both
// names. A subscriber may leave the list at any time, also while the list runs
// (it is then not called again, and neither is one it removed); one that joins
// while the list runs is called from the next run on.
#pragma once
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>

namespace velmora {

template <typename... Args>
class Abonnenten {
public:
    using Fn = void (*)(Args...);
    static constexpr int32_t MAX = 16;

    // Enters `fn` at `prioritaet`; `name` (a literal) names the subscriber in
    // error messages. False when fn is null, the list is full or the priority
    // is taken (Name_Bei tells by whom). The same fn at the same priority
    // again is accepted and changes nothing.
    bool Anmelden(int32_t prioritaet, Fn fn, const char* name) {
        if (!fn) return false;
        for (int32_t i = 0; i < anzahl_; ++i) {
            if (eintrag_[std::size_t(i)].prioritaet != prioritaet) continue;
            return eintrag_[std::size_t(i)].fn == fn;
        }
        if (anzahl_ >= MAX) return false;
        int32_t stelle = anzahl_;
        while (stelle > 0 && eintrag_[std::size_t(stelle - 1)].prioritaet > prioritaet) {
            eintrag_[std::size_t(stelle)] = eintrag_[std::size_t(stelle - 1)];
            --stelle;
        }
        eintrag_[std::size_t(stelle)] = Eintrag{prioritaet, fn, name ? name : "?", ++serie_};
        ++anzahl_;
        return true;
    }

    // Takes every entry of `fn` off the list; nothing when it is not on it.
    void Abmelden(Fn fn) {
        int32_t ziel = 0;
        for (int32_t i = 0; i < anzahl_; ++i)
            if (eintrag_[std::size_t(i)].fn != fn) eintrag_[std::size_t(ziel++)] = eintrag_[std::size_t(i)];
        for (int32_t i = ziel; i < anzahl_; ++i) eintrag_[std::size_t(i)] = Eintrag{};
        anzahl_ = ziel;
    }

    // Runs every subscriber in ascending priority.
    void Aufrufen(Args... args) const { Bereich(INT_MIN, INT_MAX, args...); }
    // Runs the subscribers with a priority below `grenze`, or from `grenze` on:
    // the owner of the list puts its own step between the two.
    void Aufrufen_Unter(int32_t grenze, Args... args) const {
        if (grenze > INT_MIN) Bereich(INT_MIN, grenze - 1, args...);
    }
    void Aufrufen_Ab(int32_t grenze, Args... args) const { Bereich(grenze, INT_MAX, args...); }

    bool Leer() const { return anzahl_ == 0; }
    int32_t Anzahl() const { return anzahl_; }
    bool Enthaelt(Fn fn) const {
        for (int32_t i = 0; i < anzahl_; ++i)
            if (eintrag_[std::size_t(i)].fn == fn) return true;
        return false;
    }
    // The subscriber at `prioritaet`, or null.
    const char* Name_Bei(int32_t prioritaet) const {
        for (int32_t i = 0; i < anzahl_; ++i)
            if (eintrag_[std::size_t(i)].prioritaet == prioritaet) return eintrag_[std::size_t(i)].name;
        return nullptr;
    }
    void Leeren() {
        const uint32_t serie = serie_;
        *this = Abonnenten{};
        serie_ = serie;
    }

private:
    struct Eintrag {
        int32_t prioritaet = 0;
        Fn fn = nullptr;
        const char* name = nullptr;
        uint32_t serie = 0;   // tells a subscriber that left and came back from the one the run saw
    };

    bool Noch_Da(uint32_t serie) const {
        for (int32_t i = 0; i < anzahl_; ++i)
            if (eintrag_[std::size_t(i)].serie == serie) return true;
        return false;
    }

    // The run works on a copy, so subscribers may leave or join meanwhile;
    // each is called only while it is still on the list.
    void Bereich(int32_t von, int32_t bis, Args... args) const {
        const std::array<Eintrag, MAX> lauf = eintrag_;
        const int32_t n = anzahl_;
        for (int32_t i = 0; i < n; ++i) {
            const Eintrag& e = lauf[std::size_t(i)];
            if (e.prioritaet < von || e.prioritaet > bis || !Noch_Da(e.serie)) continue;
            e.fn(args...);
        }
    }

    std::array<Eintrag, MAX> eintrag_{};
    int32_t anzahl_ = 0;
    uint32_t serie_ = 0;
};

}  // namespace velmora
