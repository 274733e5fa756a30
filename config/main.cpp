// Teswin, the configuration tool for Vandrel dive computers.
#include <QApplication>

#include "DataDirectory.h"
#include "TCf.h"
#include "TQtClock.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Teswin");
    TQtClock clock;
    TCf cf({DataDirectory(), ExeDir(), &clock});
    cf.show();
    return QApplication::exec();
}
