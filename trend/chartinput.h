// What one chart drawing needs (the tank's series, its chart record, the user's rights, the
// scroll position) and the read-out it leaves behind for printing.
#pragma once

#include "core/history/chartrecord.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"

#include <QLocale>
#include <QPoint>
#include <QString>

#include <array>

// The chart of one tank. The references must outlive every drawing made with it.
struct ChartInput
{
    const TrendSeries &series;
    const TankChartRecord &record;
    QString materialKind;   // of the tank, after the title
    TankRights rights;      // nivo, temperatura, masa and zapremina gate the four quantities
    int scrollPosition = 0; // ScrollBar1's position
    QLocale locale;         // decimal separator of the read-out values
};

// True when the rights let the user see the quantity's curve, legend and read-out.
bool maySee(const TankRights &rights, Quantity quantity);

// The read-out of the last frame, kept for the printed page: whether the cross-hair was shown, the
// pointer position and the texts of the boxes. Texts are empty where the read-out showed nothing.
struct ReadOut
{
    bool active = false;
    QPoint mouse;
    QString hour;
    QString minute;
    QString day;
    QString month;
    QString year;
    std::array<QString, QuantityCount> values; // "1.234 m", in quantity order

    // hour + " : " + minute; empty without a time.
    QString timeText() const;
    // day + ". " + month + ". " + year, without a final point; empty without a date.
    QString dateText() const;
    bool operator==(const ReadOut &) const = default;
};
