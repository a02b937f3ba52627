// The plant-map element records of "Bgd.rez", their view numbers in "Konfig.rez" and their trend histories.
#pragma once

#include "core/drawing/canvas.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <span>

// The plant map's four files in the client's working directory: the overview picture, the picture
// every tank's screen shares, the element records and their views.
inline const QString OverviewPictureFile = QStringLiteral("Skladar.bmp");
inline const QString TankScreenPictureFile = QStringLiteral("Rxx.bmp");
inline const QString ElementFile = QStringLiteral("Bgd.rez");
inline const QString ViewFile = QStringLiteral("Konfig.rez");

// "Bgd.rez" and "Konfig.rez" are sequences of records; the client uses the first ElementCount of each.
inline constexpr int ElementCount = 120;
// One DisplayElement: 1488 little-endian bytes, reserved bytes included.
inline constexpr std::size_t DisplayElementSize = 1488;
// One ElementViews: 17 little-endian i32, 68 bytes.
inline constexpr std::size_t ElementViewsSize = 68;

// The parts of an element that its views place: 0 = bar 2, markers, scale, chart grid, time labels,
// date-and-time line and trend line; 1 = bar 1; 2 to 9 = boxes 1 to 8; 10 to 15 = text items 0 to 5
// (10 also the lamp and the name); 16 = the bitmap.
inline constexpr std::size_t PartCount = 17;
inline constexpr std::size_t ScalePart = 0;
inline constexpr std::size_t Bar1Part = 1;
inline constexpr std::size_t FirstBoxPart = 2;   // box n (1 to 8), at index n - 1 of the box arrays, is part n + 1
inline constexpr std::size_t FirstTextPart = 10; // text item n is part 10 + n
inline constexpr std::size_t BitmapPart = 16;
inline constexpr std::size_t TextItemCount = 6;
inline constexpr std::size_t BoxCount = 8;
// Box 6 (index 5) of an element with the date-and-time line places that line on the picture,
// without the element origin.
inline constexpr std::size_t DateLineBox = 5;
// Boxes 1 to 7 have their own fill colour; box 8 takes the accent colour.
inline constexpr std::size_t BoxColourCount = 7;

// The per-mille values of an element's trend line, oldest first.
inline constexpr std::size_t TrendHistorySize = 301;
using TrendHistory = std::array<qint32, TrendHistorySize>;
// A trend entry without a reading: the line leaves it out.
inline constexpr qint32 NoTrendEntry = std::numeric_limits<qint32>::min();

// One plant-map element. Switches (u8) are kept as stored: 0 = off, any other value = on. Positions
// are pixels relative to (originX, originY) unless a comment says otherwise. Box n (1 to 8) sits at
// index n - 1 of the box arrays, text item n (0 to 5) at index n. Pen styles are the Windows codes 0 to 6.
// Every member has an initialiser, so an element can be written with designated initialisers.
struct DisplayElement
{
    quint8 shown = 0;
    quint8 bar1On = 0;
    quint8 bar1Solid = 0; // one colour chosen by zone; 0 = painted zone by zone
    quint8 bar2On = 0;
    quint8 bar2Solid = 0;
    quint8 markersOn = 0;
    quint8 axisOn = 0;
    quint8 majorOn = 0;
    quint8 majorLabelsOn = 0;
    quint8 minorOn = 0;
    quint8 minorLabelsOn = 0;
    std::array<quint8, TextItemCount> textOn{}; // textOn[0] also draws the lamp and the name
    std::array<quint8, BoxCount> boxFill{};
    std::array<quint8, BoxCount> boxHot{}; // the box is a mouse hot spot
    quint8 vGridOn = 0;                    // vertical grid lines and the four time labels
    quint8 hGridOn = 0;
    quint8 trendOn = 0;
    quint8 bitmapOn = 0;

    qint32 bitmapSlot = 0; // 26 also turns the font red between text items 1 and 2
    qint32 originX = 0;    // on the 800 x 560 picture
    qint32 originY = 0;
    qint32 bar1X = 0, bar1Y = 0, bar1Width = 0, bar1Height = 0;
    qint32 bar2X = 0, bar2Y = 0, bar2Width = 0, bar2Height = 0;
    qint32 scaledValue = 0; // per mille; for kind "r" the number of the tank's own view
    qint32 markerDx = 0;    // x of the markers' tip, relative to bar2X
    qint32 markerLength = 0;
    qint32 markerHalfHeight = 0;
    qint32 highLimit = 0; // per mille
    qint32 lowLimit = 0;  // per mille
    qint32 axisX = 0;
    qint32 axisY = 0; // tick positions count from here
    qint32 axisLength = 0;
    qint32 axisPenWidth = 0;
    qint32 majorLength = 0, majorFirst = 0, majorStep = 0, majorCount = 0, majorDx = 0, majorPenWidth = 0,
           majorFontSize = 0, majorLabelDx = 0, majorLabelDy = 0, majorLabelAlign = 0;
    qint32 minorLength = 0, minorFirst = 0, minorStep = 0, minorCount = 0, minorDx = 0, minorPenWidth = 0,
           minorFontSize = 0, minorLabelDx = 0, minorLabelDy = 0, minorLabelAlign = 0;
    std::array<qint32, TextItemCount> textSize{}, textX{}, textY{}, textAlign{};
    double labelStart = 0; // value of the first tick label
    double labelStep = 0;  // added after each drawn label
    std::array<qint32, BoxCount> boxX{}, boxY{}, boxWidth{}, boxHeight{};
    qint32 chartX = 0, chartY = 0, chartWidth = 0, chartHeight = 0;
    qint32 vGridStep = 0, hGridStep = 0, vGridFirst = 0, hGridFirst = 0, gridPenWidth = 0;
    qint32 lampX = 0, lampY = 0, lampRadius = 0;
    qint32 trendX = 0, trendY = 0, trendPoints = 0, trendHeight = 0, trendPenWidth = 0;
    qint32 trendReady = 0;  // set by the refresh once the history is filled
    qint32 dataChannel = 0; // sample channel 1 to 54; 0 = none
    qint32 bitmapDx = 0, bitmapDy = 0;
    qint32 bitmapLoaded = 0; // 0 = load the bitmap before drawing it; otherwise draw what the holder holds
    double rangeMax = 0;     // shown as 1000 per mille
    double rangeMin = 0;     // shown as 0 per mille
    double value = 0;        // engineering units, written by the refresh
    QString name{};          // capacity 40
    QString kind{};          // capacity 10, one letter: "l", "t", "v", "p", "m", "r", "h", "d"
    quint8 clockOn = 0;      // the date-and-time line
    qint32 tankId = 0;
    QString majorFont{};                           // capacity 40
    QString minorFont{};                           // capacity 40
    QString labelFormat{};                         // capacity 40, one floating-point argument
    std::array<QString, TextItemCount> textFont{}; // capacity 40 each
    std::array<QString, TextItemCount> text{};     // capacity 40 each
    QString valueFormat{};                         // capacity 40, one floating-point argument
    QString bitmapFile{};                          // capacity 55
    WinColour highColour = 0, midColour = 0, lowColour = 0;
    WinColour highMarkerColour = 0, lowMarkerColour = 0;
    WinColour axisColour = 0, majorColour = 0, majorLabelColour = 0, minorColour = 0, minorLabelColour = 0;
    std::array<WinColour, TextItemCount> textColour{};
    std::array<WinColour, BoxColourCount> boxColour{}; // boxes 1 to 7
    WinColour gridColour = 0;
    WinColour accentColour = 0; // box 8, the lamp and the trend line
    WinColour bitmapKeyColour = 0;
    quint8 axisPenStyle = 0, minorPenStyle = 0, majorPenStyle = 0, gridPenStyle = 0, trendPenStyle = 0;

    bool operator==(const DisplayElement &) const = default;
};

// The first DisplayElementSize bytes as an element; reserved bytes are not read. Short texts take at
// most their capacity whatever their length byte says. Nullopt when the buffer is shorter than a record.
std::optional<DisplayElement> decodeDisplayElement(std::span<const char> bytes);
// DisplayElementSize bytes with reserved bytes zero; texts are cut to their capacities.
QByteArray encodeDisplayElement(const DisplayElement &element);

// view[j] is the number of the view on which part j of the element is drawn.
struct ElementViews
{
    std::array<qint32, PartCount> view{};

    bool operator==(const ElementViews &) const = default;
};

// Nullopt when the buffer is shorter than ElementViewsSize; bytes beyond it are not read.
std::optional<ElementViews> decodeElementViews(std::span<const char> bytes);
QByteArray encodeElementViews(const ElementViews &views);

// Flag j is set when views.view[j] equals v, whatever v is (views are 1 to 25, but a part with
// another number shows whenever the current view holds that same number).
std::array<bool, PartCount> PartFlags(const ElementViews &views, qint32 v);
