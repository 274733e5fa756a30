#include "QtWarningGuard.h"

#include <QMutex>
#include <QMutexLocker>
#include <QtGlobal>
#include <cstdio>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Warnings any test may see, with the reason each one is harmless.
struct AllowedWarning {
    const char* Part;
    const char* Reason;
};
constexpr AllowedWarning kAllowed[] = {
    // The offscreen platform has no window manager: size hints of a window go nowhere.
    // The windows are tested for their contents, and looked at under a real window
    // manager separately.
    {"This plugin does not support propagateSizeHints()", "offscreen platform without a window manager"},
    // Tool windows that stay on top are raised when shown; the offscreen platform has no
    // stacking order to change.
    {"This plugin does not support raise()", "offscreen platform without a window manager"},
};

struct ExpectedPart {
    QString Part;
    int Count = 0;
};

QMutex& Lock() {
    static QMutex lock;
    return lock;
}
std::vector<ExpectedPart>& Expected() {
    static std::vector<ExpectedPart> parts;
    return parts;
}

QtMessageHandler g_previous = nullptr;

bool Allowed(const QString& text) {
    for (const AllowedWarning& a : kAllowed) {
        if (text.contains(QLatin1String(a.Part))) return true;
    }
    QMutexLocker locker(&Lock());
    for (ExpectedPart& e : Expected()) {
        if (text.contains(e.Part)) {
            ++e.Count;
            return true;
        }
    }
    return false;
}

const char* KindName(QtMsgType type) {
    switch (type) {
        case QtWarningMsg:
            return "warning";
        case QtCriticalMsg:
            return "critical message";
        case QtFatalMsg:
            return "fatal message";
        default:
            return "message";
    }
}

void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (g_previous) g_previous(type, context, text);
    if (type == QtDebugMsg || type == QtInfoMsg) return;
    if (Allowed(text)) return;
    ADD_FAILURE() << "unexpected Qt " << KindName(type) << ": " << text.toStdString()
                  << (context.file
                          ? std::string(" (") + context.file + ":" + std::to_string(context.line) + ")"
                          : std::string());
}

}  // namespace

void InstallQtWarningGuard() { g_previous = qInstallMessageHandler(Handler); }

KvExpectQtWarning::KvExpectQtWarning(QString part) : m_part(std::move(part)) {
    QMutexLocker locker(&Lock());
    Expected().push_back({m_part, 0});
}

KvExpectQtWarning::~KvExpectQtWarning() {
    QMutexLocker locker(&Lock());
    auto& parts = Expected();
    for (auto it = parts.begin(); it != parts.end(); ++it) {
        if (it->Part == m_part) {
            parts.erase(it);
            break;
        }
    }
}

int KvExpectQtWarning::Count() const {
    QMutexLocker locker(&Lock());
    for (const ExpectedPart& e : Expected()) {
        if (e.Part == m_part) return e.Count;
    }
    return 0;
}
