#include "program_app.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    CProgramApp::InstallTranslations(application);
    CProgramApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1))) {
        return 1;
    }
    return QApplication::exec();
}
