// tests/support/wachhund.h - a guard that turns a hang into a failure: when
// the guarded scope has not ended (or not been fed, see Fuettern) within a
// generous span of wall time, it
// prints what it guarded and where the game stood, and ends the test program
// with status 1 (a thread caught in an endless loop cannot be stopped, and a
// suite that waits for it stalls). The span bounds a hang, it measures no speed.
#pragma once
#include <atomic>
#include <chrono>
#include <cstdint>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace velmora::test {

class Wachhund {
public:
    // `stand` is called from the guard's thread: it may only read atomics.
    Wachhund(std::string was, int32_t sekunden, std::function<std::string()> stand = {})
        : was_(std::move(was)), stand_(std::move(stand)) {
        faden_ = std::thread([this, sekunden] {
            std::unique_lock<std::mutex> lock(m_);
            for (uint64_t zuletzt = futter_.load();;) {
                if (cv_.wait_for(lock, std::chrono::seconds(sekunden), [this] { return fertig_; })) return;
                const uint64_t jetzt = futter_.load();
                if (jetzt == zuletzt) break;
                zuletzt = jetzt;
            }
            std::fprintf(stderr, "HANG: %s stood still for %d s%s%s\n", was_.c_str(), int(sekunden),
                         stand_ ? "; " : "", stand_ ? stand_().c_str() : "");
            std::fflush(stderr);
            std::_Exit(1);
        });
    }
    ~Wachhund() {
        {
            std::lock_guard<std::mutex> lock(m_);
            fertig_ = true;
        }
        cv_.notify_all();
        faden_.join();
    }
    // A long guarded run that still moves on (a new day) starts its span anew.
    void Fuettern() { futter_.fetch_add(1); }
    Wachhund(const Wachhund&) = delete;
    Wachhund& operator=(const Wachhund&) = delete;

private:
    std::string was_;
    std::function<std::string()> stand_;
    std::mutex m_;
    std::condition_variable cv_;
    bool fertig_ = false;
    std::atomic<uint64_t> futter_{0};
    std::thread faden_;
};

}  // namespace velmora::test
