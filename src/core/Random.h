// The one random generator of a game. Every chance is the whole part of a
// uniform draw in [0, 1) times n. The raw bits come from mt19937_64 and are
// turned into a double by our own code, so a seed gives the same game on
// every platform. Tests and scripts can queue draws ahead of the generator.
#pragma once

#include <cstdint>
#include <deque>
#include <random>

namespace q {

class Random {
public:
    void Randomize(std::uint64_t seed) { engine_.seed(seed); }

    // A uniform draw in [0, 1): queued draws first, then the generator.
    double Rnd();
    // Int(Rnd * n): a whole number 0..n-1 (0 when n <= 0).
    long Chance(long n) { return n <= 0 ? (void)Rnd(), 0L : long(Rnd() * double(n)); }

    // Queue draws that the next chances take in order. In strict mode a draw
    // beyond the queue is an error: a test that scripts every chance fails
    // loudly instead of drawing from the generator unnoticed.
    void Queue(double u) { queue_.push_back(u); }
    void SetStrict(bool strict) { strict_ = strict; }
    std::size_t Queued() const { return queue_.size(); }
    std::uint64_t DrawCount() const { return draws_; }

private:
    std::mt19937_64 engine_{0};
    std::deque<double> queue_;
    bool strict_ = false;
    std::uint64_t draws_ = 0;
};

}  // namespace q
