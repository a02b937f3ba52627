// The computer's own clock.
#include "core/services/clock.h"

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }
