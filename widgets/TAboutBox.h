#pragma once
// The information box of both programs ("?" / "Info..."): the program's picture, a text
// on what the program is, and the version line " Version " followed by the version.
// Created for each use or kept by its window.
//
//   TAboutBox box(picture, "3.06", "<b>Teswin</b><br>Configuration tool ...", this);
//   box.exec();

#include <QDialog>

class QLabel;
class QPixmap;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // A null picture leaves its place empty; an empty text leaves the text line out.
    TAboutBox(const QPixmap& picture, const QString& version, const QString& text, QWidget* parent = nullptr);

    QLabel* Picture() const { return m_picture; }
    QLabel* Version() const { return m_version; }

private:
    QLabel* m_picture;
    QLabel* m_version;
};
