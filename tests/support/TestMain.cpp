// The main of every test executable: GoogleTest with the Qt warning guard installed
// before the first test, so a warning fails the test that caused it.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>

#include <gtest/gtest.h>

#include "QtWarningGuard.h"
#include <unistd.h>

namespace {
// CI and other runs without a desktop session have no runtime folder, which Qt reports
// on every start; the tests get a private one, as a session would give them.
void EnsureRuntimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const QString path = QDir::tempPath() + QStringLiteral("/kv-test-runtime-%1").arg(getuid());
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(path));
}
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    EnsureRuntimeFolder();
    InstallQtWarningGuard();
    return RUN_ALL_TESTS();
}
