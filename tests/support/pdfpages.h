// A printout as a reader sees it: each page of a PDF file turned into a picture by poppler's
// pdftoppm, and the lines on it followed pixel by pixel.
#pragma once

#include <QDir>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The pages in order, at dpi dots per inch; none when the file cannot be rendered.
inline QList<QImage> pdfPages(const QString &pdf, int dpi)
{
    QTemporaryDir dir;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), pdf, dir.filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0) {
        ADD_FAILURE() << "pdftoppm failed on " << pdf.toStdString();
        return {};
    }
    QList<QImage> pages;
    // pdftoppm pads the page numbers to the width of the last one, so the names sort in page order.
    for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("page-*.png")}, QDir::Files, QDir::Name))
        pages.append(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

// A pixel a reader sees as a line's ink: clearly darker than the paper.
inline bool isDark(QRgb pixel)
{
    return qGray(pixel) < 160;
}

// The longest unbroken run of dark pixels along row y (or column x, when vertical) between from and
// to; a line drawn across that stretch gives the whole length.
inline int longestDarkRun(const QImage &page, int at, int from, int to, bool vertical)
{
    int longest = 0;
    int run = 0;
    for (int i = from; i <= to; ++i) {
        const bool dark = isDark(vertical ? page.pixel(at, i) : page.pixel(i, at));
        run = dark ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// The rows (or columns, when vertical) that hold an unbroken dark run of at least minLength, as
// bands of neighbouring rows: one band for each long line, however thick it came out.
inline QList<int> longLines(const QImage &page, int minLength, bool vertical)
{
    QList<int> bands;
    const int count = vertical ? page.width() : page.height();
    const int along = (vertical ? page.height() : page.width()) - 1;
    bool previous = false;
    for (int at = 0; at < count; ++at) {
        const bool long_ = longestDarkRun(page, at, 0, along, vertical) >= minLength;
        if (long_ && !previous)
            bands.append(at);
        previous = long_;
    }
    return bands;
}
