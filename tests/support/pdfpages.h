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

// The longest unbroken run of dark pixels (a line's ink, clearly darker than the paper) along row
// `at`, or column `at` when vertical.
inline int longestDarkRun(const QImage &page, int at, bool vertical)
{
    int longest = 0;
    for (int i = 0, run = 0; i < (vertical ? page.height() : page.width()); ++i) {
        run = qGray(vertical ? page.pixel(at, i) : page.pixel(i, at)) < 160 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// The rows (or columns, when vertical) that hold an unbroken dark run of at least minLength, as
// bands of neighbouring rows: one band for each long line, however thick it came out.
inline QList<int> longLines(const QImage &page, int minLength, bool vertical)
{
    QList<int> bands;
    bool previous = false;
    for (int at = 0; at < (vertical ? page.width() : page.height()); ++at) {
        const bool long_ = longestDarkRun(page, at, vertical) >= minLength;
        if (long_ && !previous)
            bands.append(at);
        previous = long_;
    }
    return bands;
}
