#include "TAboutBox.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "Messages.h"

TAboutBox::TAboutBox(const QString& exeDir, QWidget* parent)
    : QDialog(parent), m_pictureArea(new QWidget(this)), m_version(new QLabel(this)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    const QString path = exeDir + QStringLiteral("Kelwin.BMP");
    if (!m_picture.load(path, "BMP")) {
        m_picture = QPixmap();
        m_error = FormatMessage(GetMessage(32), path);
    }
    m_pictureArea->setObjectName(QStringLiteral("ProgramIcon"));
    m_pictureArea->setFixedSize(360, 225);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setText(QStringLiteral(" Version ") + kKelwinVersion);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pictureArea, 0, Qt::AlignHCenter);
    layout->addWidget(m_version);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

void TAboutBox::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (m_picture.isNull()) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(m_pictureArea->geometry(), m_picture);
}
