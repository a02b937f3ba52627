// The live plant map: its elements, their views and trend histories, the view backgrounds and the
// channel samples it shows.
#pragma once

#include "core/plantmap/displayelement.h"
#include "core/plantmap/elementdrawing.h"

#include <QImage>

#include <array>
#include <deque>
#include <optional>
#include <vector>

inline constexpr int ViewCount = 25; // view 1 is the overview, views 2 to 25 the screens of tanks
inline constexpr int PictureWidth = 800;
inline constexpr int PictureHeight = 560;

// Channel samples: channels 1..54 x samples 1..1000, zero until they are generated.
class SampleTable
{
public:
    static constexpr int Channels = 54;
    static constexpr int Samples = 1000;

    SampleTable()
        : m_values(static_cast<std::size_t>(Channels * Samples), 0.0)
    {}

    // Both indices must be in range; a channel outside 1..54 is a programming error (throws).
    double at(int channel, int sample) const { return m_values.at(index(channel, sample)); }
    void set(int channel, int sample, double value) { m_values.at(index(channel, sample)) = value; }
    static bool hasChannel(int channel) { return channel >= 1 && channel <= Channels; }

private:
    static std::size_t index(int channel, int sample);
    std::vector<double> m_values;
};

// The live readings a trend line shows: one per value refresh, as many as its entries before the last.
inline constexpr std::size_t LiveTrailLength = TrendHistorySize - 1;

struct PlantMap
{
    std::array<DisplayElement, ElementCount> elements{};
    std::array<ElementViews, ElementCount> views{};
    std::array<TrendHistory, ElementCount> histories{};
    std::array<QImage, ViewCount> backgrounds; // by view - 1; a null image when not loaded
    SampleTable samples;
    // Per history channel 0..53 the live readings of this session, oldest first (nullopt: none
    // that refresh); liveFlowing once the first live values came.
    std::array<std::deque<std::optional<double>>, 54> liveTrail;
    bool liveFlowing = false;
    ElementBitmapHolder bitmaps;
    // The drawing state of the composition picture: like a Windows canvas it carries over between
    // redraws, so the first element of a redraw takes the pen, font colour and alignment left by the last.
    CanvasState canvasState;
    // The part flags of each element at the last redraw: the hot spots follow what was drawn.
    std::array<std::array<bool, PartCount>, ElementCount> drawnParts{};
};
