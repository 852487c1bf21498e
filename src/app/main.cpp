#include "program_app.h"
#include "ui_language.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    UiLanguage::Install();
    CProgramApp theApp;
    if (!theApp.InitInstance(QApplication::arguments().mid(1))) {
        return 1;
    }
    return QApplication::exec();
}
