#pragma once
// The album's one source of random choices: template order, background
// pictures, text effects, picture-effect families. Seeded, it repeats: the
// same inputs and the same seed give the same album (scripts and bug reports
// rely on that); unseeded it starts from the system's entropy.
//
// Not thread-safe: call from the thread that owns the Album.
#include <cstdint>
#include <functional>
#include <optional>
#include <random>

namespace lumora {

class RandomSource {
public:
    explicit RandomSource(std::optional<std::uint64_t> seed = {}) { reseed(seed); }

    // Starts the sequence again from `seed` (a fresh entropy seed when empty).
    void reseed(std::optional<std::uint64_t> seed)
    {
        m_seed = seed ? *seed : (std::uint64_t(std::random_device{}()) << 32 | std::random_device{}());
        m_gen.seed(m_seed);
    }
    std::uint64_t seed() const { return m_seed; }

    // Uniform integer in 0 … n − 1; 0 when n ≤ 1.
    int bounded(int n)
    {
        if (n <= 1)
            return 0;
        return int(std::uniform_int_distribution<std::uint64_t>(0, std::uint64_t(n) - 1)(m_gen));
    }

    // The same source as a callable, for engine functions that take one.
    // The callable refers to this object: it must not outlive it.
    std::function<int(int)> fn()
    {
        return [this](int n) { return bounded(n); };
    }

private:
    std::uint64_t m_seed = 0;
    std::mt19937_64 m_gen;
};

} // namespace lumora
