// The main window's client area: the plant picture at its pan offset over the desktop colour, and
// the mouse as the map handles it.
#pragma once

#include <QImage>
#include <QWidget>

class PlantMapView : public QWidget
{
    Q_OBJECT

public:
    explicit PlantMapView(QWidget *parent = nullptr);

    // The picture shown at offset; a null picture shows the desktop colour only.
    void showPicture(const QImage &picture, QPoint offset);
    const QImage &picture() const { return m_picture; }
    QPoint offset() const { return m_offset; }

Q_SIGNALS:
    void mousePressed(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMoved(Qt::MouseButtons buttons, QPoint position);
    void mouseReleased();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    QPoint m_offset;
};
