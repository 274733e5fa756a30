#include "Startup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

#include "EStreamWriteError.h"
#include "SaveTexts.h"

namespace {
QString WithSlash(const QString& folder) { return folder.endsWith(QLatin1Char('/')) ? folder : folder + '/'; }

QString JoinPath(const QString& folder, const QString& sub) {
    if (folder.endsWith(QLatin1Char('/')) && sub.startsWith(QLatin1Char('/'))) return folder + sub.mid(1);
    return folder + sub;
}

// Stored corners may be anything (a damaged or hand-made settings file): the rectangle is
// computed in 64 bits and kept within what any screen arrangement can use.
constexpr std::int64_t kMaxCoordinate = 100000;

int Clamped(std::int64_t v, std::int64_t low, std::int64_t high) {
    return static_cast<int>(std::clamp(v, low, high));
}

QRect RectOf(const WindowPlacement& p) {
    const std::int64_t width = std::int64_t{p.Right} - p.Left;
    const std::int64_t height = std::int64_t{p.Bottom} - p.Top;
    return {Clamped(p.Left, -kMaxCoordinate, kMaxCoordinate), Clamped(p.Top, -kMaxCoordinate, kMaxCoordinate),
            Clamped(width, 0, kMaxCoordinate), Clamped(height, 0, kMaxCoordinate)};
}

void SetRect(WindowPlacement& p, const QRect& r) {
    p.Left = r.x();
    p.Top = r.y();
    p.Right = r.x() + r.width();
    p.Bottom = r.y() + r.height();
}
}  // namespace

QString AdjustShortDateFormat(const QString& format) {
    const qsizetype first = format.indexOf(QLatin1Char('y'));
    if (first < 0) return format;
    qsizetype count = 0;
    for (qsizetype i = first; i < format.size(); ++i)
        if (format[i] == QLatin1Char('y') || format[i] == QLatin1Char('Y')) ++count;
    if (count >= 3) return format;
    QString adjusted = format;
    adjusted.insert(first, QString(4 - count, QLatin1Char('y')));
    return adjusted;
}

QString ExeDir() { return WithSlash(QCoreApplication::applicationDirPath()); }

QString SpecialFolder(int kind) {
    switch (kind) {
        case kFolderAppData:
            return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        case kFolderDocuments:
            return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        default:
            return {};
    }
}

QString DataDir(const QString& appDataFolder, const QString& exeDir) {
    if (!appDataFolder.isEmpty()) {
        QString dir = JoinPath(appDataFolder, QString::fromLatin1(kDataSubPath));
        if (QDir().mkpath(dir) && QFileInfo(dir).isDir()) return dir;
    }
    return WithSlash(exeDir);
}

QString DocumentsDir(const QString& documentsFolder) { return WithSlash(documentsFolder); }

QString SettingsFilePath(const QString& dataDir) {
    return WithSlash(dataDir) + QString::fromLatin1(kSettingsFileName);
}

bool IsFirstStart(const QString& dataDir) { return !QFileInfo::exists(SettingsFilePath(dataDir)); }

SettingsRecord ReadSettings(const QString& dataDir) {
    const QString path = SettingsFilePath(dataDir);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray image = file.read(static_cast<qint64>(SettingsRecord::kSize));
        file.close();
        const auto record =
            SettingsRecord::FromBytes(std::span(reinterpret_cast<const std::uint8_t*>(image.constData()),
                                                static_cast<std::size_t>(image.size())));
        if (record) return *record;
    }
    // Missing, short, unreadable or of another release: the defaults apply and the file
    // goes, so the next close writes a fresh one.
    if (QFileInfo::exists(path)) QFile::remove(path);
    return SettingsRecord::Defaults();
}

void WriteSettings(const QString& dataDir, const SettingsRecord& settings) {
    const auto image = settings.ToBytes();
    const TSaveResult saved = SaveFile(SettingsFilePath(dataDir), std::span<const std::uint8_t>(image));
    if (!saved.Ok()) throw EStreamWriteError(SaveErrorText(saved).toStdString());
}

QString LogbookFromCommandLine(const QStringList& args, const QString& current) {
    if (args.isEmpty()) return current;
    // A path with blanks arrives split into several arguments.
    const QFileInfo joined(args.join(QLatin1Char(' ')));
    if (joined.isFile()) return joined.absoluteFilePath();
    QString result = current;
    for (const QString& arg : args) {
        const QFileInfo info(arg);
        if (info.isFile()) result = info.absoluteFilePath();
    }
    return result;
}

FirstStartResult ApplyFirstStart(const FirstStartInput& input) {
    FirstStartResult result;
    const QString example = WithSlash(input.ExeDir) + QString::fromLatin1(kExampleLogbookName);
    result.LogbookName = example;
    if (input.DocumentsFolder.isEmpty()) return result;

    result.LanguageChosen = true;
    result.LanguageIndex = input.ChooseLanguage ? input.ChooseLanguage() : 0;
    const QString sub =
        input.LogbooksFolder ? input.LogbooksFolder(result.LanguageIndex) : QStringLiteral("/My Logbooks/");
    const QString folder = WithSlash(JoinPath(input.DocumentsFolder, sub));
    const QString copy = folder + QString::fromLatin1(kExampleLogbookName);

    bool mayCopy = false;
    if (QFileInfo(folder).isDir()) {
        if (QFileInfo::exists(copy))
            result.LogbookName = copy;
        else
            mayCopy = true;
    } else {
        mayCopy = QDir().mkpath(folder);
    }
    // QFile::copy fails when the target exists, so a user's copy is never overwritten.
    if (mayCopy && QFile::copy(example, copy)) {
        result.LogbookName = copy;
        result.ExampleCopied = true;
    }
    return result;
}

bool CanOpenReadWrite(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
}

void SavePlacement(WindowPlacement& placement, const WindowGeometry& window) {
    if (window.State == WindowShowState::Normal)
        SetRect(placement, window.Frame);
    else if (window.NormalFrame.isValid())
        SetRect(placement, window.NormalFrame);
    placement.State = static_cast<std::uint8_t>(window.State);
}

WindowGeometry RestorePlacement(const WindowPlacement& placement) {
    WindowGeometry g;
    g.Frame = RectOf(placement);
    g.NormalFrame = g.Frame;
    g.State = placement.State <= 2 ? static_cast<WindowShowState>(placement.State) : WindowShowState::Normal;
    return g;
}
