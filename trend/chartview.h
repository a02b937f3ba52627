// The chart window's client area: the finished chart picture at (0, 0), and the mouse over it.
#pragma once

#include <QImage>
#include <QWidget>

class ChartView : public QWidget
{
    Q_OBJECT

public:
    // Shows picture, which the owner redraws and which must outlive the view; painting only copies
    // it to the screen. Call update() after each redraw.
    explicit ChartView(const QImage &picture, QWidget *parent = nullptr);

Q_SIGNALS:
    void mousePressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    const QImage &m_picture;
};
