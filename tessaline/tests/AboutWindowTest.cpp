#include "foundation/BundleInfo.h"
#include "tessaline/Tessaline/AboutWindowController.h"
#include "tessaline/Tessaline/Application.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

using foundation::BundleInfo;
using tessaline::AboutWindowController;

TEST(TessalineTest, AboutWindowShowsNameVersionAndCopyright)
{
    const BundleInfo::Override bundle(
        {{QString(BundleInfo::nameKey), QStringLiteral("Pelorama")},
         {QString(BundleInfo::shortVersionKey), QStringLiteral("1.2")},
         {QString(BundleInfo::copyrightKey), QStringLiteral("Copyright 2026")}});
    AboutWindowController controller;
    EXPECT_EQ(controller.applicationName(), QStringLiteral("Pelorama"));
    EXPECT_EQ(controller.applicationVersion(), QStringLiteral("Version 1.2"));
    EXPECT_EQ(controller.applicationCopyright(), QStringLiteral("Copyright 2026"));

    QWidget* window = controller.window();
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("applicationVersion"))->text(),
              QStringLiteral("Version 1.2"));
    controller.setApplicationName(QStringLiteral("Other"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("applicationName"))->text(), QStringLiteral("Other"));
}

TEST(TessalineTest, AboutCommandShowsOneSharedWindow)
{
    AboutWindowController::setInstance(std::make_unique<AboutWindowController>());
    AboutWindowController& shared = AboutWindowController::instance();
    EXPECT_EQ(&AboutWindowController::instance(), &shared);

    const int windowsBefore = static_cast<int>(QApplication::topLevelWidgets().size());
    AboutWindowController::show();
    QWidget* window = shared.window();
    EXPECT_TRUE(window->isVisible());
    if (auto* application = qobject_cast<tessaline::Application*>(QCoreApplication::instance())) {
        application->orderFrontStandardAboutPanel();
    } else {
        AboutWindowController::show();
    }
    EXPECT_EQ(shared.window(), window);
    EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), windowsBefore + 1);
    window->close();
}

TEST(TessalineTest, AboutWindowMovesWhenItsBackgroundIsDragged)
{
    AboutWindowController controller;
    QWidget* window = controller.window();
    window->move(100, 100);
    controller.showWindow();
    const QPoint start = window->pos();
    const auto send = [window](QEvent::Type type, QPointF position, Qt::MouseButton button,
                               Qt::MouseButtons buttons) {
        QMouseEvent event(type, position, window->mapToGlobal(position), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(window, &event);
    };
    send(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, QPointF(35, 25), Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, QPointF(35, 25), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 20));
}

TEST(TessalineTest, AboutOpensCentredOverTheActiveWindowAndClosesWithEscapeOrCtrlW)
{
    QWidget main;
    main.setGeometry(120, 90, 420, 300);
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

    AboutWindowController controller;
    controller.showWindow();
    QWidget* window = controller.window();
    EXPECT_LE((window->frameGeometry().center() - main.frameGeometry().center()).manhattanLength(), 2);
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        controller.showWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keySequence(window, key);
        EXPECT_FALSE(window->isVisible()) << key.toString().toStdString();
    }
}
