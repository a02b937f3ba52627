// The main window over a small plant map: views, hover and double click, drag, the service box and
// the refresh ticks with their connection-lost notice.
#include "main/mainwindow.h"

#include "core/plant/plantmodel.h"
#include "main/plantmap.h"
#include "main/plantmapview.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/scriptedexchange.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MainWindowMapTest : public testing::Test
{
protected:
    void SetUp() override
    {
        // Element 1: the title of tank 74 with a hot box over it on the overview, opening view 2.
        DisplayElement title{.shown = 1, .originX = 100, .originY = 100, .scaledValue = 2,
                             .name = QStringLiteral("R 74"), .kind = QStringLiteral("r"), .tankId = 74};
        title.boxHot[0] = 1;
        title.boxWidth[0] = 50;
        title.boxHeight[0] = 40;
        DisplayElement level{.shown = 1, .dataChannel = 1, .rangeMax = 10, .kind = QStringLiteral("l"), .tankId = 74};
        QByteArray elements = encodeDisplayElement(title) + encodeDisplayElement(level);
        QByteArray views = encodeElementViews({{2, 0, 1}}) + encodeElementViews({{2}});
        for (int k = 2; k < ElementCount; ++k) {
            elements += encodeDisplayElement({});
            views += encodeElementViews({});
        }
        write(QStringLiteral("Bgd.rez"), elements);
        write(QStringLiteral("Konfig.rez"), views);
        QImage picture(800, 560, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("Skladar.bmp"))));
        ASSERT_TRUE(picture.save(dir.filePath(QStringLiteral("Rxx.bmp"))));

        window = std::make_unique<MainWindow>(plant, server, MainWindowServices{DataFolder(dir.path()), dialogs, clock, QLocale::c()});
        window->show(); // the demonstration login
        ASSERT_TRUE(window->state().loggedIn);
        view = window->findChild<PlantMapView *>();
        window->Timer1Timer(); // the first redraw records what is on the view
    }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void serviceCode(const QString &code)
    {
        child<QAction>("BR1")->trigger();
        EXPECT_TRUE(child<QFrame>("Panel6")->isVisible());
        child<QLineEdit>("Edit5")->setText(code);
        child<QPushButton>("BitBtn5")->click();
        EXPECT_FALSE(child<QFrame>("Panel6")->isVisible());
    }

    int timer1Interval() const { return child<QTimer>("Timer1")->interval(); }

    QTemporaryDir dir;
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 30))};
    qint32 status = ExchangeStatus::Success;
    ScriptedExchange server{[this](ExchangeOperation, ExchangeBuffer &) { return status; }};
    PlantModel plant;
    std::unique_ptr<MainWindow> window;
    PlantMapView *view = nullptr;
};

} // namespace

TEST_F(MainWindowMapTest, TheViewMenuNamesTheTanksThatHaveAScreen)
{
    EXPECT_TRUE(child<QAction>("m2")->isVisible());
    EXPECT_EQ(child<QAction>("m2")->text(), QStringLiteral("R 74"));
    EXPECT_FALSE(child<QAction>("m3")->isVisible());
    child<QAction>("m2")->trigger();
    EXPECT_EQ(window->state().currentView, 2);
    EXPECT_EQ(timer1Interval(), 10);
}

TEST_F(MainWindowMapTest, ADoubleClickOpensTheHoveredTanksScreenOnlyOverItsHotSpot)
{
    Q_EMIT view->mouseMoved(Qt::NoButton, {10, 10});
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(window->state().currentView, 1);

    Q_EMIT view->mouseMoved(Qt::NoButton, {120, 120});
    EXPECT_EQ(view->cursor().shape(), Qt::PointingHandCursor);
    Q_EMIT view->doubleClicked();
    EXPECT_EQ(window->state().currentView, 2);
    EXPECT_NE(view->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(MainWindowMapTest, ARightButtonDragStepsThePanAndTheReleaseClearsTheStep)
{
    Q_EMIT view->mousePressed(Qt::LeftButton, Qt::NoModifier, {50, 50});
    Q_EMIT view->mousePressed(Qt::RightButton, Qt::ShiftModifier, {50, 50});
    EXPECT_EQ(window->state().lastRightButton, QPoint()) << "only the right button alone starts a drag";
    Q_EMIT view->mousePressed(Qt::RightButton, Qt::NoModifier, {50, 50});
    Q_EMIT view->mouseMoved(Qt::RightButton, {40, 45});
    EXPECT_EQ(window->state().drag, QPoint(10, 5));
    EXPECT_EQ(timer1Interval(), 10);
    Q_EMIT view->mouseReleased();
    EXPECT_EQ(window->state().drag, QPoint());
}

TEST_F(MainWindowMapTest, ServiceCodesAreComparedExactly)
{
    QSignalSpy diagnostics(window.get(), &MainWindow::diagnosticListRequested);
    QSignalSpy settings(window.get(), &MainWindow::displaySettingsRequested);
    serviceCode(QStringLiteral("Pleta"));
    serviceCode(QStringLiteral("ZASUNAK"));
    EXPECT_EQ(diagnostics.size() + settings.size(), 0);
    serviceCode(QStringLiteral("pleta"));
    serviceCode(QStringLiteral("zasunak"));
    EXPECT_EQ(diagnostics.size(), 1);
    EXPECT_EQ(settings.size(), 1);
}

TEST_F(MainWindowMapTest, TheValueRefreshTakesSamplesAndCountsLostConnections)
{
    QSignalSpy lost(window.get(), &MainWindow::connectionLost);
    QSignalSpy restored(window.get(), &MainWindow::connectionRestored);
    window->Timer2Timer();
    EXPECT_GT(window->plantMap().elements[1].value, 0.0);
    EXPECT_EQ(restored.size(), 1);

    status = ExchangeStatus::NoConnection;
    for (int tick = 0; tick < 3; ++tick)
        window->Timer2Timer();
    EXPECT_EQ(lost.size(), 1);
    EXPECT_EQ(server.requests.size(), 1 + 3 * RefreshTries) << "three tries per refresh";

    status = ExchangeStatus::StoreFailed;
    window->Timer2Timer();
    ASSERT_FALSE(dialogs.calls.isEmpty());
    EXPECT_EQ(dialogs.calls.back(), (RecordingDialogs::Call{RecordingDialogs::Kind::Message, QStringLiteral("10006"), QStringLiteral("Skladar")}));
    EXPECT_EQ(child<QTimer>("Timer2")->interval(), 10000);
}

TEST_F(MainWindowMapTest, AFailedTrendTickKeepsItsElement)
{
    status = ExchangeStatus::NoConnection;
    window->Timer3Timer();
    EXPECT_EQ(window->state().trendCursor, 2) << "the element with a channel is found and kept";
    EXPECT_EQ(window->plantMap().elements[1].trendReady, 0);
    status = ExchangeStatus::Success;
    window->Timer3Timer();
    EXPECT_EQ(window->plantMap().elements[1].trendReady, 1);
    EXPECT_EQ(window->state().trendCursor, 3);
}
