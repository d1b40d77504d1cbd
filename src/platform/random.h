#pragma once

#include <QtGlobal>
#include <random>

// Uniform numbers in [0, 1). Tests inject scripted sequences.
class Random {
public:
    virtual ~Random() = default;
    virtual void seed(quint64 value) = 0;
    virtual double next() = 0;
};

class StdRandom final : public Random {
public:
    explicit StdRandom(quint64 seedValue = std::random_device{}());
    void seed(quint64 value) override;
    double next() override;

private:
    std::mt19937_64 m_engine;
};
