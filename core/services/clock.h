// The current date and time, handed to whatever shows or stamps a time.
#pragma once

#include <QDateTime>

class Clock
{
public:
    virtual ~Clock() = default;
    // Local date and time.
    virtual QDateTime now() const = 0;
};

// The computer's own clock.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override;
};
