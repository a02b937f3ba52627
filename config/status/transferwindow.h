// The progress window of a long transfer from the server, with its way to stop it.
#pragma once

#include <QDialog>

class QProgressBar;
class TransferAnimation;

// "Prenos", 301 x 162, centred: a copy animation, a progress bar 0..100, the label
// "Prenos podataka sa servera u toku" and "&Prekid", which sets abortRequested; Escape does the
// same, and the window stays until its owner hides it. Nothing in the window clears the flag; its
// owner does, before a transfer.
class TransferWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TransferWindow(QWidget *parent = nullptr);

    bool abortRequested() const { return m_abortRequested; }
    void clearAbortRequest() { m_abortRequested = false; }
    void setProgress(int percent);

protected:
    void showEvent(QShowEvent *event) override; // FormShow: the animation starts
    void hideEvent(QHideEvent *event) override; // FormClose, or hidden by its owner: it stops
    // Escape asks to stop, as "&Prekid" does; the window stays until its owner hides it.
    void reject() override;

private Q_SLOTS:
    void Button1Click();

private:
    TransferAnimation *m_animation;
    QProgressBar *m_progress;
    bool m_abortRequested = false;
};
