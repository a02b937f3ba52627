// The main window's live refresh: redraw, value refresh and trend refresh.
#include "main/mainwindow.h"

#include "core/services/dialogs.h"
#include "core/exchange/liverecord.h"
#include "core/exchange/serverexchange.h"
#include "main/composepicture.h"
#include "main/plantmap.h"
#include "main/plantmapview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

namespace {

// The redraw lets waiting window messages through between elements, at most this often: often
// enough for the window to stay responsive, seldom enough not to slow the picture down.
constexpr int MessagePauseMs = 15;

} // namespace

void MainWindow::Timer1Timer()
{
    if (m_composing) // a message handled during a redraw asked for the next one
        return;
    move(0, 0);
    resize(QSize(800, 600) - (frameGeometry().size() - size()));
    m_state.cycleCounter = nextCycleCounter(m_state.cycleCounter);
    m_timer1->stop();
    m_timer1->setInterval(RefreshTiming::Redraw);

    m_composing = true;
    QElapsedTimer sinceMessages;
    sinceMessages.start();
    ElementDrawingContext context{m_services.clock,
                                  m_services.dialogs,
                                  m_services.locale,
                                  [&sinceMessages] {
                                      if (sinceMessages.hasExpired(MessagePauseMs)) {
                                          QCoreApplication::processEvents();
                                          sinceMessages.restart();
                                      }
                                  },
                                  m_services.folder,
                                  m_map->bitmaps};
    ComposePicture(m_picture, *m_map, m_state.currentView, context);
    m_composing = false;

    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    m_state.pan = panAfterRedraw(m_state.pan, m_state.drag, frameGeometry().size(), normal);
    m_view->showPicture(m_picture, m_state.pan);
    m_timer1->start();
}

// The refresh exchanges carry no request and read no reply: only the status counts.
qint32 MainWindow::statusExchange()
{
    ExchangeBuffer buffer = codeRequest(StatusRequestCode);
    return exchangeWithRetry(m_server, ExchangeOperation::Read, buffer, RefreshTries);
}

// Code 500 while the server answers it; a server that does not know it (10002, or a record that
// does not decode) is asked for the status and the sample table serves until the next login.
qint32 MainWindow::refreshExchange()
{
    if (!m_state.samplesOnly) {
        ExchangeBuffer buffer = codeRequest(LiveRequestCode);
        const qint32 status = exchangeWithRetry(m_server, ExchangeOperation::Read, buffer, RefreshTries);
        const std::optional<LiveRecord> record = status == ExchangeStatus::Success
                                                     ? decodeLiveRecord(std::span(buffer).subspan(ReplyOffset))
                                                     : std::nullopt;
        if (record)
            refreshLiveValues(*m_map, *record, m_plant.tanks, m_services.locale);
        if (record || (status != ExchangeStatus::Success && status != ExchangeStatus::UnknownRequest))
            return status;
        m_state.samplesOnly = true;
    }
    const qint32 status = statusExchange();
    if (status == ExchangeStatus::Success)
        refreshValues(*m_map, m_state.cycleCounter, m_plant.tanks, m_services.locale);
    return status;
}

void MainWindow::Timer2Timer()
{
    m_timer2->stop();
    const qint32 status = refreshExchange();
    switch (m_connection.onStatus(status)) {
    case ConnectionWatch::Action::HideNotice:
        Q_EMIT connectionRestored();
        break;
    case ConnectionWatch::Action::ShowStatus:
        m_services.dialogs.showMessage(QString::number(status));
        break;
    case ConnectionWatch::Action::ShowNotice:
        Q_EMIT connectionLost();
        break;
    case ConnectionWatch::Action::None:
        break;
    }
    m_timer2->setInterval(RefreshTiming::Refresh);
    m_timer2->start();
    askForRedraw();
}

void MainWindow::Timer3Timer()
{
    m_timer3->stop();
    if (const std::optional<int> k = nextTrendElement(*m_map, m_state.trendCursor)) {
        m_state.trendCursor = *k;
        if (statusExchange() == ExchangeStatus::Success) {
            fillTrend(*m_map, *k, m_state.cycleCounter);
            m_state.trendCursor = trendCursorAfter(*k);
        }
    }
    m_timer3->setInterval(RefreshTiming::Trend);
    m_timer3->start();
}
