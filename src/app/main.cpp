#include "application.h"
#include "ui_language.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QTR318_VERSION));
    UiLanguage::Install({QStringLiteral("qtr318-cps_en")});

    // --help and --version answer on standard output and end the program; anything else that is
    // not a file name is refused before a window opens.
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("main", "QTR-318 写频软件"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("main", "要打开的数据文件 (*.sin)；省略时新建文档"),
        QStringLiteral("[file]"));
    parser.process(application);

    Application theApp;
    if (!theApp.initialize(parser.positionalArguments().mid(0, 1))) {
        return 1;
    }
    return QApplication::exec();
}
