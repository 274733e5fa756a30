#pragma once
// Every test executable fails a test on a Qt warning (QtWarningMsg and above) it did not
// expect: such a message means a window, a connection or a file was used wrongly, even when
// the test's own checks pass. The project test main installs the handler; a test that
// provokes a warning on purpose says so for its scope:
//
//   KvExpectQtWarning expected("QIODevice::read");   // part of the message text
//   port.read(...);                                   // the warning is printed, not failed
//   EXPECT_EQ(expected.Count(), 1);
//
// Messages that any test may cause (the offscreen platform's own) are on the allow-list
// in QtWarningGuard.cpp, each with its reason.

#include <QString>

// Installs the failing message handler (done once by the test main).
void InstallQtWarningGuard();

// Lets warnings containing `part` pass while it lives, counting them.
class KvExpectQtWarning {
public:
    explicit KvExpectQtWarning(QString part);
    ~KvExpectQtWarning();
    KvExpectQtWarning(const KvExpectQtWarning&) = delete;
    KvExpectQtWarning& operator=(const KvExpectQtWarning&) = delete;

    int Count() const;

private:
    QString m_part;
};
