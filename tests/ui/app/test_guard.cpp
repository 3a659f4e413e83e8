// The application object of the desktop program: an exception escaping an
// event handler is caught where the event is delivered; the program goes on
// and the fault handler gets a Chinese notice naming what failed, once.
#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>
#include <stdexcept>

#include "app/Error.h"
#include "app/GuardedApplication.h"

using namespace lumora;
using namespace lumora::ui;

namespace {

// Throws from its handler for the first `faults` user events it gets.
struct Faulty : QObject {
    int faults = 0;
    int handled = 0;
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        if (faults > 0) {
            --faults;
            if (faults % 2)
                throw std::out_of_range("vector::_M_range_check: __n (which is 3) >= this->size() (which is 3)");
            throw Error(QStringLiteral("文件无法读取"));
        }
        ++handled;
        return true;
    }
};

} // namespace

TEST(GuardedApplication, AFaultIsReportedOnceAndTheProgramGoesOn)
{
    auto *app = static_cast<GuardedApplication *>(QCoreApplication::instance());
    QStringList notices;
    app->onFault = [&](const QString &n) { notices << n; };
    Faulty f;
    f.setObjectName(QStringLiteral("Button22"));

    f.faults = 1;
    QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("文件无法读取")));
    EXPECT_TRUE(notices[0].contains(QStringLiteral("Button22")));
    EXPECT_TRUE(notices[0].contains(QStringLiteral("程序内部出错")));

    // Two faults before the notice is shown give one notice; the next event
    // is handled as usual.
    notices.clear();
    f.faults = 2;
    for (int i = 0; i < 3; ++i)
        QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_EQ(notices.size(), 1);
    EXPECT_TRUE(notices[0].contains(QStringLiteral("vector::_M_range_check")));
    EXPECT_EQ(f.handled, 1);
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    GuardedApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
