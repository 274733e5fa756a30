#pragma once
// The information box of the menu "?" / "Info...": program name, version and purpose.
// Its version line is " Version " followed by the settings file's signature "3.06".
//
//   TAboutBox box(this);  box.exec();

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QLabel* Version() const { return m_version; }

private:
    QLabel* m_version;
};
