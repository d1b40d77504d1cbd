#include "platform/random.h"

StdRandom::StdRandom(quint64 seedValue) : m_engine(seedValue) {}

void StdRandom::seed(quint64 value)
{
    m_engine.seed(value);
}

double StdRandom::next()
{
    // generate_canonical may round up to 1.0 on some libraries; keep the interval half-open.
    const double u = std::generate_canonical<double, 53>(m_engine);
    return u < 1.0 ? u : 0.0;
}
