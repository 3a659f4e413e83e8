#include "Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace lumora {

namespace {
const QString kLanguageKey = QStringLiteral("interface/language");
} // namespace

QString interfaceLanguageCode(InterfaceLanguage language)
{
    switch (language) {
    case InterfaceLanguage::Chinese: return QStringLiteral("zh");
    case InterfaceLanguage::English: return QStringLiteral("en");
    case InterfaceLanguage::System: break;
    }
    return QStringLiteral("system");
}

InterfaceLanguage interfaceLanguageFromCode(const QString &code)
{
    if (code == QLatin1String("zh"))
        return InterfaceLanguage::Chinese;
    if (code == QLatin1String("en"))
        return InterfaceLanguage::English;
    return InterfaceLanguage::System;
}

QString languageForLocaleName(const QString &localeName)
{
    // "en", "en_US", "en_GB.UTF-8", "en_US@euro": the language part only.
    QString language = localeName.trimmed();
    const qsizetype cut = language.indexOf(QRegularExpression(QStringLiteral("[_.@-]")));
    if (cut >= 0)
        language.truncate(cut);
    return language.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0 ? QStringLiteral("en")
                                                                           : QStringLiteral("zh");
}

QString messagesLocaleName()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QString();
}

QString resolveInterfaceLanguage(InterfaceLanguage choice)
{
    switch (choice) {
    case InterfaceLanguage::Chinese: return QStringLiteral("zh");
    case InterfaceLanguage::English: return QStringLiteral("en");
    case InterfaceLanguage::System: break;
    }
    return languageForLocaleName(messagesLocaleName());
}

QString interfaceLanguageConfigFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/lumora/lumora.conf");
}

InterfaceLanguage storedInterfaceLanguage(const QString &configFile)
{
    if (!QFileInfo::exists(configFile))
        return InterfaceLanguage::System;
    const QSettings settings(configFile, QSettings::IniFormat);
    return interfaceLanguageFromCode(settings.value(kLanguageKey).toString());
}

bool storeInterfaceLanguage(InterfaceLanguage language, const QString &configFile)
{
    QDir().mkpath(QFileInfo(configFile).absolutePath());
    QSettings settings(configFile, QSettings::IniFormat);
    settings.setValue(kLanguageKey, interfaceLanguageCode(language));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

QString shownText(const char *context, const QString &text)
{
    if (text.isEmpty())
        return text;
    return QCoreApplication::translate(context, text.toUtf8().constData());
}

QStringList shownColumns(const QStringList &captions)
{
    QStringList shown;
    for (const QString &c : captions)
        shown << shownText("lumora::columns", c);
    return shown;
}

QString shownCell(const QString &value)
{
    return shownText("lumora::flag", value);
}

Translations::Translations() = default;

Translations::~Translations()
{
    removeAll();
}

void Translations::removeAll()
{
    for (auto *t : {m_own.get(), m_qt.get()})
        if (t)
            QCoreApplication::removeTranslator(t);
    m_own.reset();
    m_qt.reset();
    m_language = QStringLiteral("zh");
}

QString Translations::install(const QString &language, const QString &resourceFolder)
{
    removeAll();
    QString inEffect = QStringLiteral("zh");
    if (language == QLatin1String("en")) {
        auto own = std::make_unique<QTranslator>();
        const QString folder = QDir(resourceFolder).filePath(QStringLiteral("translations"));
        if (own->load(QStringLiteral("lumora_en.qm"), folder)) {
            QCoreApplication::installTranslator(own.get());
            m_own = std::move(own);
            inEffect = QStringLiteral("en");
        }
    }
    // Qt's own texts (file and folder choosers, standard buttons) in the
    // same language; the program's Chinese goes with Qt's simplified Chinese.
    auto qt = std::make_unique<QTranslator>();
    const QString qtFile
        = inEffect == QLatin1String("en") ? QStringLiteral("qtbase_en.qm") : QStringLiteral("qtbase_zh_CN.qm");
    if (qt->load(qtFile, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        m_qt = std::move(qt);
    }
    m_language = inEffect;
    return inEffect;
}

} // namespace lumora
