#pragma once
// The information box: the program's picture stretched over the box and its version.
// Created for each use.
//
//   TAboutBox box(paths.ExeDir, this);
//   if (!box.PictureLoaded()) prompts.ShowError(box.PictureError());
//   box.exec();

#include <QDialog>
#include <QPixmap>

class QLabel;

inline const QString kKelwinVersion = QStringLiteral("3.06");

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(const QString& exeDir, QWidget* parent = nullptr);

    bool PictureLoaded() const { return !m_picture.isNull(); }
    // "File '...' is missing." in the current language when the picture could not be read.
    QString PictureError() const { return m_error; }
    QLabel* Version() const { return m_version; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QString m_error;
    QWidget* m_pictureArea;
    QLabel* m_version;
};
