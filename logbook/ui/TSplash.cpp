#include "TSplash.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <utility>

TSplash::TSplash(QPixmap picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(std::move(picture)) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(480, 300);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

std::unique_ptr<TSplash> TSplash::ShowIfPresent(const QString& picturePath) {
    if (!QFileInfo::exists(picturePath)) return nullptr;
    QPixmap picture;
    if (!picture.load(picturePath, "BMP")) return nullptr;
    auto splash = std::make_unique<TSplash>(picture);
    splash->show();
    // Let the window system paint it before the start-up work begins.
    QCoreApplication::processEvents();
    return splash;
}

void TSplash::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.drawPixmap(0, 0, m_picture);
}
