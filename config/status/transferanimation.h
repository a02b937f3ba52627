// A small file-copy animation: a sheet flying from one folder to the other, 26 frames.
#pragma once

#include <QTimer>
#include <QWidget>

class TransferAnimation : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Frames = 26;

    explicit TransferAnimation(QWidget *parent = nullptr);

    void start();
    void stop();
    bool running() const { return m_timer.isActive(); }
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QTimer m_timer;
    int m_frame = 0;
};
