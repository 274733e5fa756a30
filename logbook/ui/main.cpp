// Kelwin, the logbook program.

#include <QApplication>
#include <QMessageBox>

#include "TKelwinApp.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    TKelwinApp kelwin(TKelwinEnvironment::FromSystem(QApplication::arguments().mid(1)));
    if (!kelwin.Start()) {
        QMessageBox::critical(nullptr, QStringLiteral("Kelvara"), kelwin.StartError());
        return 1;
    }
    return QApplication::exec();
}
