#include "ui_language.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cerrno>
#include <cstring>

namespace UiLanguage {

namespace {

struct ErrorText {
    int number;
    const char* text;
};

// The errors file and port access meets, in glibc's Chinese wording.
const ErrorText kErrorTexts[] = {
    {EPERM, QT_TRANSLATE_NOOP("SystemError", "不允许的操作")},
    {ENOENT, QT_TRANSLATE_NOOP("SystemError", "没有那个文件或目录")},
    {EINTR, QT_TRANSLATE_NOOP("SystemError", "被中断的系统调用")},
    {EIO, QT_TRANSLATE_NOOP("SystemError", "输入/输出错误")},
    {ENXIO, QT_TRANSLATE_NOOP("SystemError", "没有那个设备或地址")},
    {EAGAIN, QT_TRANSLATE_NOOP("SystemError", "资源暂时不可用")},
    {EACCES, QT_TRANSLATE_NOOP("SystemError", "权限不够")},
    {EBUSY, QT_TRANSLATE_NOOP("SystemError", "设备或资源忙")},
    {EEXIST, QT_TRANSLATE_NOOP("SystemError", "文件已存在")},
    {ENODEV, QT_TRANSLATE_NOOP("SystemError", "没有那个设备")},
    {ENOTDIR, QT_TRANSLATE_NOOP("SystemError", "不是目录")},
    {EISDIR, QT_TRANSLATE_NOOP("SystemError", "是一个目录")},
    {EINVAL, QT_TRANSLATE_NOOP("SystemError", "无效的参数")},
    {EMFILE, QT_TRANSLATE_NOOP("SystemError", "打开的文件过多")},
    {ETXTBSY, QT_TRANSLATE_NOOP("SystemError", "文本文件忙")},
    {EFBIG, QT_TRANSLATE_NOOP("SystemError", "文件过大")},
    {ENOSPC, QT_TRANSLATE_NOOP("SystemError", "设备上没有空间")},
    {EROFS, QT_TRANSLATE_NOOP("SystemError", "只读文件系统")},
    {ENAMETOOLONG, QT_TRANSLATE_NOOP("SystemError", "文件名过长")},
    {ELOOP, QT_TRANSLATE_NOOP("SystemError", "符号连接的层数过多")},
    {EDQUOT, QT_TRANSLATE_NOOP("SystemError", "超出磁盘限额")},
};

Language g_current = Language::Chinese;

// Qt's Chinese catalogue lacks the kinds of entry its file dialogs list ("Folder", "File"), so a
// Chinese file dialog would show them in English: these few in Qt's own words.
class FileKindTranslator : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        static const QHash<QByteArray, QString> kinds = {
            {"Folder", QStringLiteral("文件夹")}, {"File Folder", QStringLiteral("文件夹")},
            {"File", QStringLiteral("文件")},     {"%1 File", QStringLiteral("%1 文件")},
            {"Drive", QStringLiteral("驱动器")},  {"Shortcut", QStringLiteral("快捷方式")},
            {"Unknown", QStringLiteral("未知")},
        };
        return qstrcmp(context, "QAbstractFileIconProvider") == 0 ? kinds.value(source) : QString();
    }
};

bool IsChinese(const QString& language) {
    return language.isEmpty() || language.startsWith(QLatin1String("zh")) ||
           language == QLatin1String("C") || language == QLatin1String("POSIX");
}

void InstallTranslator(const QString& name, const QString& directory) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, directory)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace

Language Choose(const QStringList& uiLanguages) {
    return IsChinese(uiLanguages.value(0)) ? Language::Chinese : Language::English;
}

Language Install(const QStringList& programCatalogues) {
    // QLocale reads the variables itself, so the choice holds where no locale is generated.
    const Language language = Choose(QLocale::system().uiLanguages());
    g_current = language;
    if (language == Language::English) {
        InstallTranslator(QStringLiteral("qtr318_en"), QStringLiteral(":/i18n"));
        for (const QString& catalogue : programCatalogues) {
            InstallTranslator(catalogue, QStringLiteral(":/i18n"));
        }
    } else {
        const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        InstallTranslator(QStringLiteral("qtbase_zh_CN"), directory);
        InstallTranslator(QStringLiteral("qt_zh_CN"), directory);
        InstallTranslator(QStringLiteral("qtserialport_zh_CN"), directory);
        QCoreApplication::installTranslator(new FileKindTranslator(QCoreApplication::instance()));
    }
    return language;
}

Language Current() {
    return g_current;
}

void SetCurrent(Language language) {
    g_current = language;
}

QString SystemErrorText(const QString& systemText) {
    for (const ErrorText& entry : kErrorTexts) {
        // The system's text is the C library's, translated where a locale is generated, or Qt's
        // English one, which is the untranslated C library text.
        if (systemText == QString::fromLocal8Bit(std::strerror(entry.number)) ||
            systemText == QLatin1String(strerrordesc_np(entry.number))) {
            return QCoreApplication::translate("SystemError", entry.text);
        }
    }
    return systemText;
}

} // namespace UiLanguage
