// The report window's client area.
#include "report/reportpictureview.h"

#include <QPainter>

ReportPictureView::ReportPictureView(const QImage &picture, QWidget *parent)
    : QWidget(parent)
    , m_picture(picture)
{
    setObjectName(QStringLiteral("ReportPicture"));
}

void ReportPictureView::showAt(int offset)
{
    m_offset = offset;
    update();
}

void ReportPictureView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawImage(0, m_offset, m_picture);
}
