// A clock for tests that shows the time it was set to.
#pragma once

#include "core/services/clock.h"

class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime time) : m_time(std::move(time)) {}
    QDateTime now() const override { return m_time; }
    void set(QDateTime time) { m_time = std::move(time); }

private:
    QDateTime m_time;
};
