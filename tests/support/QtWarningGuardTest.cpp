// The guard itself: an unexpected warning fails the test, an expected one is counted,
// debug output passes.

#include <QtGlobal>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "QtWarningGuard.h"

TEST(QtWarningGuard, UnexpectedWarningsAndCriticalMessagesFailTheTest) {
    EXPECT_NONFATAL_FAILURE(qWarning("the port was closed twice"),
                            "unexpected Qt warning: the port was closed twice");
    EXPECT_NONFATAL_FAILURE(qCritical("no room left"), "unexpected Qt critical message: no room left");
}

TEST(QtWarningGuard, ExpectedWarningsPassAndAreCountedWhileTheScopeLives) {
    {
        KvExpectQtWarning expected("closed twice");
        qWarning("the port was closed twice");
        qWarning("the port was closed twice again");
        EXPECT_EQ(expected.Count(), 2);
    }
    EXPECT_NONFATAL_FAILURE(qWarning("the port was closed twice"), "closed twice");
}

TEST(QtWarningGuard, DebugAndInfoMessagesPass) {
    qDebug("a debug line");
    qInfo("an info line");
}
