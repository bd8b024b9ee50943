#pragma once
// A small, fast, seedable random source (xoshiro256**): the same seed gives the same
// data set on every machine and every run, which std::uniform_*_distribution does not
// promise across standard libraries.

#include <cstdint>

namespace bench {

class Rng {
public:
    explicit Rng(uint64_t seed)
    {
        for (auto &s : m_s) s = splitMix(seed);
    }

    uint64_t next()
    {
        const uint64_t result = rotl(m_s[1] * 5, 7) * 9;
        const uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotl(m_s[3], 45);
        return result;
    }

    // Uniform in [lo, hi] (inclusive).
    int range(int lo, int hi) { return lo + int(next() % uint64_t(hi - lo + 1)); }
    // Uniform in [0, n).
    int below(int n) { return int(next() % uint64_t(n)); }
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }

    // A stateless hash of (seed, key): attributes of the i-th customer or goods come from
    // it, so nothing about them has to be kept in memory.
    static uint64_t hash(uint64_t seed, uint64_t key)
    {
        uint64_t x = seed ^ (key * 0x9E3779B97F4A7C15ull);
        return splitMix(x);
    }

private:
    static uint64_t splitMix(uint64_t &x)
    {
        uint64_t z = (x += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    static uint64_t rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    uint64_t m_s[4];
};

} // namespace bench
