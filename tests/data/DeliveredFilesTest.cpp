// The build tree carries the delivered data files next to the programs, unchanged,
// and no language marker unless one was asked for at install time.

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DeliveredFileTest : public ::testing::TestWithParam<const char*> {};

TEST_P(DeliveredFileTest, CopiedNextToTheProgramsUnchanged) {
    const QString name = QLatin1String(GetParam());
    const QString source = QStringLiteral(KV_SOURCE_DIR "/data/") + name;
    if (!QFile::exists(source)) {
        GTEST_SKIP() << GetParam() << " is not in data/ yet";
    }
    const QByteArray delivered = Read(QStringLiteral(KV_BIN_DIR "/") + name);
    ASSERT_FALSE(delivered.isEmpty()) << GetParam() << " not delivered into " KV_BIN_DIR;
    EXPECT_TRUE(delivered == Read(source));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DeliveredFileTest,
    ::testing::Values("EXAMPLE.LOG", "Kelwin.BMP", "Teswin.BMP", "KvASC.TAB", "KvDoTox.TAB", "KvEPS.TAB",
                      "KvFIKT.TAB", "KvREAL.TAB"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        return QString::fromLatin1(info.param).replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
    });

TEST(DeliveredFilesTest, NoLanguageMarkerNextToThePrograms) {
    const QDir bin(QStringLiteral(KV_BIN_DIR));
    for (const char* marker : {"DEU.CFG", "FRA.CFG", "ESP.CFG", "ITA.CFG"}) {
        EXPECT_FALSE(bin.exists(QLatin1String(marker))) << marker;
    }
}

}  // namespace
