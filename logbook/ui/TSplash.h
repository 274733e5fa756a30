#pragma once
// The splash window shown while Kelwin starts: borderless, on top of other windows,
// centred on the screen, with a client area of 480 x 300 pixels showing the program's
// picture at its own size from the top-left corner.
//
//   std::unique_ptr<TSplash> splash = TSplash::ShowIfPresent(exeDir + "Kelwin.BMP");
//   ...                                       // start-up
//   splash.reset();                           // closed and released

#include <QPixmap>
#include <QWidget>
#include <memory>

class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QPixmap picture);

    // Shows the splash when the picture file exists and can be read; null otherwise.
    static std::unique_ptr<TSplash> ShowIfPresent(const QString& picturePath);

    const QPixmap& Picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
