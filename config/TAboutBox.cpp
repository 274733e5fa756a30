#include "TAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "TCfRecord.h"
#include "TeswinPictures.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("Info");
    auto* picture = new QLabel(this);
    picture->setObjectName("ProgramIcon");
    picture->setPixmap(DiveComputerPicture(QSize(48, 64)));
    auto* product = new QLabel("<b>Teswin</b>", this);
    product->setObjectName("ProductName");
    m_version = new QLabel(QStringLiteral(" Version ") + QString::fromLatin1(TCfRecord::kSignature), this);
    m_version->setObjectName("Version");
    auto* comments = new QLabel("Configuration tool for Vandrel dive computers", this);
    comments->setObjectName("Comments");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(product);
    text->addWidget(m_version);
    text->addWidget(comments);
    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}
