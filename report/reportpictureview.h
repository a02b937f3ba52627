// The window's client area: the report picture painted at the scroll offset.
#pragma once

#include <QImage>
#include <QWidget>

class ReportPictureView : public QWidget
{
public:
    // picture must outlive the view.
    ReportPictureView(const QImage &picture, QWidget *parent);
    // Repaints with the picture's top at y = offset (0 or negative).
    void showAt(int offset);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const QImage &m_picture;
    int m_offset = 0;
};
