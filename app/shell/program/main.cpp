// Pellon: the modelling program. Its main window is the first window; closing it ends the program.
#include <QApplication>

#include "platform/ui/Form.h"
#include "shell/mainwindow/frmMain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vantrell Orvane");
    frmMain().Show();
    const int status = QApplication::exec();
    plat::DeleteWindowInstances();
    return status;
}
