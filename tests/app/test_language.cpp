// The interface language: which locale asks for which language, the choice
// kept in the user's configuration, the translations installed for it, and
// lumora-make speaking the locale's language.
#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/Language.h"

using namespace lumora;

namespace {

const QRegularExpression kHan(QStringLiteral("[\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}]"));

struct EnvGuard {
    explicit EnvGuard(std::initializer_list<std::pair<const char *, const char *>> values)
    {
        for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            m_saved.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qunsetenv(name);
        }
        for (const auto &[name, value] : values)
            qputenv(name, value);
    }
    ~EnvGuard()
    {
        for (const auto &s : m_saved)
            s.wasSet ? void(qputenv(s.name, s.value)) : void(qunsetenv(s.name));
    }
    struct Saved {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> m_saved;
};

struct MakeRun {
    int code = -1;
    QString out, err;
};

MakeRun runMake(const QStringList &args, const char *lang)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LC_MESSAGES"));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(LUMORA_TEST_PROGRAM_DIR "lumora-make"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

TEST(Language, LocaleNamesChooseEnglishOnlyForEnglishLocales)
{
    const std::pair<const char *, const char *> cases[] = {
        {"en_US.UTF-8", "en"}, {"en_GB", "en"}, {"en", "en"},          {"en_IN@euro", "en"},
        {"zh_CN.UTF-8", "zh"}, {"zh_TW", "zh"}, {"C", "zh"},           {"C.UTF-8", "zh"},
        {"POSIX", "zh"},       {"", "zh"},      {"de_DE.UTF-8", "zh"}, {"eng_XX", "zh"},
    };
    for (const auto &[locale, language] : cases)
        EXPECT_EQ(languageForLocaleName(QString::fromLatin1(locale)), QString::fromLatin1(language)) << locale;
}

TEST(Language, LcAllThenLcMessagesThenLangDecide)
{
    {
        EnvGuard env({{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_CN.UTF-8"}});
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::System), QStringLiteral("zh"));
    }
    {
        EnvGuard env({{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", "zh_CN.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}});
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::System), QStringLiteral("en"));
    }
    {
        EnvGuard env({{"LANG", "en_US.UTF-8"}});
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::System), QStringLiteral("en"));
        // A choice made in the settings window wins over the locale.
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::Chinese), QStringLiteral("zh"));
    }
    {
        EnvGuard env({});
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::System), QStringLiteral("zh"));
        EXPECT_EQ(resolveInterfaceLanguage(InterfaceLanguage::English), QStringLiteral("en"));
    }
}

TEST(Language, ChoiceIsKeptInTheConfigurationFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("config/lumora/lumora.conf"));
    EXPECT_EQ(storedInterfaceLanguage(file), InterfaceLanguage::System) << "no file yet";
    for (InterfaceLanguage l : {InterfaceLanguage::English, InterfaceLanguage::Chinese, InterfaceLanguage::System}) {
        ASSERT_TRUE(storeInterfaceLanguage(l, file));
        EXPECT_EQ(storedInterfaceLanguage(file), l);
    }
    EXPECT_EQ(interfaceLanguageFromCode(QStringLiteral("fr")), InterfaceLanguage::System);
}

TEST(Language, InstalledTranslationsSwitchTextsAndQtsOwn)
{
    const QString tree = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);
    auto shown = [](const char *context, const char *text) { return QCoreApplication::translate(context, text); };
    {
        Translations t;
        EXPECT_EQ(t.install(QStringLiteral("en"), tree), QStringLiteral("en"));
        EXPECT_EQ(shown("lumora::ui::SettingsWindow", "系统设置"), QStringLiteral("Settings"));
        EXPECT_EQ(shown("QFileDialog", "&Choose"), QStringLiteral("&Choose"));
    }
    // Chinese: the sources' own texts, and Qt's dialogs in Chinese too.
    Translations t;
    EXPECT_EQ(t.install(QStringLiteral("zh"), tree), QStringLiteral("zh"));
    EXPECT_EQ(shown("lumora::ui::SettingsWindow", "系统设置"), QStringLiteral("系统设置"));
    EXPECT_TRUE(shown("QFileDialog", "&Choose").contains(kHan)) << shown("QFileDialog", "&Choose").toStdString();
    // English without its file falls back to the sources' Chinese.
    QTemporaryDir empty;
    EXPECT_EQ(t.install(QStringLiteral("en"), empty.path()), QStringLiteral("zh"));
    EXPECT_EQ(shown("lumora::ui::SettingsWindow", "系统设置"), QStringLiteral("系统设置"));
}

TEST(Language, LumoraMakeFollowsTheLocale)
{
    // English: the help and every refusal, without a Chinese character
    // (other than what the person typed).
    const QStringList refusals[] = {
        {QStringLiteral("--help")},  {QStringLiteral("--mode"), QStringLiteral("square")},
        {QStringLiteral("--bogus")}, {QStringLiteral("--json")},
        {QStringLiteral("--faces")}, {QStringLiteral("--lang"), QStringLiteral("fr")},
    };
    for (const QStringList &args : refusals) {
        const MakeRun en = runMake(args, "en_US.UTF-8");
        EXPECT_EQ(en.code, args.first() == QLatin1String("--help") ? 0 : 2) << args.join(' ').toStdString();
        const QString all = en.out + en.err;
        EXPECT_FALSE(all.contains(kHan)) << all.toStdString();
        EXPECT_FALSE(all.trimmed().isEmpty());
    }
    EXPECT_TRUE(runMake({QStringLiteral("--help")}, "en_US.UTF-8").out.startsWith(QStringLiteral("Usage:")));
    // A missing photo is named as given, the words around it in English.
    const MakeRun missing = runMake({QStringLiteral("--plan"), QStringLiteral("/nonexistent/照片.jpg")}, "en_GB.UTF-8");
    EXPECT_NE(missing.code, 0);
    EXPECT_FALSE(QString(missing.err).remove(QStringLiteral("照片")).contains(kHan)) << missing.err.toStdString();

    // Chinese stays the default: C, Chinese and untranslated locales.
    for (const char *lang : {"C", "zh_CN.UTF-8", "de_DE.UTF-8"}) {
        const MakeRun zh = runMake({QStringLiteral("--help")}, lang);
        EXPECT_TRUE(zh.out.startsWith(QStringLiteral("用法:"))) << lang;
    }
    // --lang overrides the locale both ways.
    EXPECT_TRUE(runMake({QStringLiteral("--lang"), QStringLiteral("zh"), QStringLiteral("--help")}, "en_US.UTF-8")
                    .out.startsWith(QStringLiteral("用法:")));
    EXPECT_TRUE(runMake({QStringLiteral("--help"), QStringLiteral("--lang"), QStringLiteral("en")}, "C")
                    .out.startsWith(QStringLiteral("Usage:")));
}
