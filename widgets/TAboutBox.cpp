#include "TAboutBox.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

TAboutBox::TAboutBox(const QPixmap& picture, const QString& version, const QString& text, QWidget* parent)
    : QDialog(parent), m_picture(new QLabel(this)), m_version(new QLabel(this)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Info"));
    m_picture->setObjectName(QStringLiteral("ProgramIcon"));
    m_picture->setPixmap(picture);
    m_version->setObjectName(QStringLiteral("Version"));
    m_version->setText(QStringLiteral(" Version ") + version);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture, 0, Qt::AlignHCenter);
    if (!text.isEmpty()) {
        auto* comments = new QLabel(text, this);
        comments->setObjectName(QStringLiteral("Comments"));
        comments->setAlignment(Qt::AlignHCenter);
        layout->addWidget(comments);
    }
    layout->addWidget(m_version, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
