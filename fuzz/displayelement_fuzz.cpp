// Fuzz target: an element record of "Bgd.rez" with its views from "Konfig.rez", decoded, encoded
// and decoded again to the same bytes, then drawn with its trend history on a small picture.
#include "core/plantmap/displayelement.h"
#include "core/plantmap/elementdrawing.h"
#include "core/services/clock.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/fuzzservices.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>

#include <cstring>

namespace {

// The one bitmap the folder holds, so that a record naming it draws it.
const QString BitmapName = QStringLiteral("b.bmp");

struct DrawingWorld
{
    QTemporaryDir folder;
    FixedTimeClock clock;
    CountingDialogs dialogs;
    ElementBitmapHolder bitmaps;
    QImage picture{80, 56, QImage::Format_RGB32};
};

DrawingWorld &world()
{
    static QGuiApplication &app = offscreenApplication();
    static DrawingWorld instance;
    static const bool bitmapWritten = [] {
        QImage bitmap(4, 4, QImage::Format_RGB32);
        bitmap.fill(Qt::red);
        return bitmap.save(instance.folder.filePath(BitmapName));
    }();
    Q_UNUSED(app);
    Q_UNUSED(bitmapWritten);
    return instance;
}

void checkRoundTrip(const DisplayElement &element, const ElementViews &views)
{
    const QByteArray once = encodeDisplayElement(element);
    const std::optional<DisplayElement> again = decodeDisplayElement(once);
    if (!again || encodeDisplayElement(*again) != once)
        fuzzFailure("an element record changes on its second round trip");
    const QByteArray viewBytes = encodeElementViews(views);
    if (decodeElementViews(viewBytes) != views)
        fuzzFailure("a views record changes on its round trip");
}

// Bitmap names stay plain file names of the folder: a record naming a device or a file elsewhere
// would make the run depend on the machine.
bool plainFileName(const QString &name)
{
    return !name.contains(u'/') && !name.contains(u'\\') && !name.startsWith(u'.');
}

// Tick counts fold into -64..64, the lamp's radius into -200..200 and pen widths into -64..64: the
// drawing's own limit of 2048 ticks has its unit test, while two thousand labels, or an ellipse and
// round pen ends a million pixels across (which Qt flattens into curves point by point), would
// slow the run a hundredfold in Qt's code instead of ours.
qint32 folded(qint32 value, qint32 most) { return value % (most + 1); }

// Fonts stay among two faces of a plant map and within +-16 points: every new face or size sends
// Qt through fontconfig's search and a new font engine, which would spend the run there instead of
// in the drawing code. The record's own values still choose among them.
QString plantFace(const QString &face)
{
    static const QStringList faces{QStringLiteral("Arial"), QStringLiteral("Courier New")};
    return faces.contains(face) ? face : faces[static_cast<qsizetype>(qHash(face) % faces.size())];
}

qint32 plantSize(qint32 size) { return folded(size, 16); }

void keepDrawingCheap(DisplayElement &e)
{
    e.majorCount = folded(e.majorCount, 64);
    e.minorCount = folded(e.minorCount, 64);
    e.lampRadius = folded(e.lampRadius, 200);
    for (qint32 *width : {&e.axisPenWidth, &e.majorPenWidth, &e.minorPenWidth, &e.gridPenWidth, &e.trendPenWidth})
        *width = folded(*width, 64);
    for (QString *face : {&e.majorFont, &e.minorFont})
        *face = plantFace(*face);
    for (QString &face : e.textFont)
        face = plantFace(face);
    for (qint32 *size : {&e.majorFontSize, &e.minorFontSize})
        *size = plantSize(*size);
    for (qint32 &size : e.textSize)
        size = plantSize(size);
}

} // namespace

// Input: an element record, a views record, the number of the current view (4 bytes), then the
// trend history (4 bytes per entry, missing entries 0).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::optional<DisplayElement> decoded = decodeDisplayElement(input.take(DisplayElementSize));
    if (!decoded)
        return 0;
    const ElementViews views = *decodeElementViews(input.takePadded(ElementViewsSize));
    checkRoundTrip(*decoded, views);
    const auto view = input.takeValue<qint32>();
    TrendHistory history{};
    const std::span<const char> entries = input.take(sizeof(history));
    std::memcpy(history.data(), entries.data(), entries.size());

    DisplayElement element = *decoded;
    if (!plainFileName(element.bitmapFile))
        element.bitmapFile.clear();
    keepDrawingCheap(element);
    DrawingWorld &w = world();
    w.picture.fill(Qt::white);
    QPainter painter(&w.picture);
    Canvas canvas(painter);
    ElementDrawingContext context{w.clock, w.dialogs, QLocale::c(), {}, DataFolder(w.folder.path()), w.bitmaps};
    DrawElement(canvas, element, PartFlags(views, view), history, context);
    return 0;
}
