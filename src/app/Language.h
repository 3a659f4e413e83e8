#pragma once
// The interface language. Every text a person reads is written in Chinese in
// the sources and goes through Qt's translation; an English translation
// (lumora_en.qm) ships in the resource folder's translations/ folder. The
// language follows the system locale unless the person chose one in the
// settings window (kept in the user's configuration, applied at the next
// start). Values stored in album files never depend on it.
#include <QString>
#include <QTranslator>
#include <memory>

class QCoreApplication;

namespace lumora {

enum class InterfaceLanguage { System, Chinese, English };

// The code kept in the configuration ("system", "zh", "en") and back; an
// unknown code reads as System.
QString interfaceLanguageCode(InterfaceLanguage language);
InterfaceLanguage interfaceLanguageFromCode(const QString &code);

// The language a locale name asks for: "en" for English locales (en, en_US,
// en_GB.UTF-8 …), "zh" for every other one (Chinese locales, C/POSIX, and
// any locale the program has no translation for).
QString languageForLocaleName(const QString &localeName);
// The locale that decides messages, as the C library reads it: LC_ALL, then
// LC_MESSAGES, then LANG (the first one set and not empty).
QString messagesLocaleName();
// "zh" or "en": the choice, System resolved through the environment.
QString resolveInterfaceLanguage(InterfaceLanguage choice);

// The configuration file that keeps the choice (…/lumora/lumora.conf in the
// user's configuration folder).
QString interfaceLanguageConfigFile();
InterfaceLanguage storedInterfaceLanguage(const QString &configFile = interfaceLanguageConfigFile());
// Returns false when the file could not be written.
bool storeInterfaceLanguage(InterfaceLanguage language, const QString &configFile = interfaceLanguageConfigFile());

// A text that is kept as it is (a value of an album table, a column name,
// an engine table's caption) shown in the interface's language: the
// translation of `text` in `context`, or `text` itself.
QString shownText(const char *context, const QString &text);

// Column captions of an album table as a header shows them (context
// "lumora::columns", listed in app/ShownWords.cpp).
QStringList shownColumns(const QStringList &captions);

// A cell of an album table as a table shows it: the words the program writes
// in Chinese ("完成", "已完成", "手动添加"…, app/ShownWords.cpp) in the
// interface's language, every other value (names, numbers, paths) as it is.
QString shownCell(const QString &value);

// Holds the installed translators for the life of the program.
class Translations {
public:
    Translations();
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Installs the translation of `language` ("zh" or "en") found in
    // `resourceFolder`/translations/ and Qt's own translation of its
    // dialogs and buttons for the same language. Returns the language in
    // effect: "zh" when the English file is missing (the sources' texts).
    QString install(const QString &language, const QString &resourceFolder);
    QString language() const { return m_language; }

private:
    void removeAll();
    std::unique_ptr<QTranslator> m_own;
    std::unique_ptr<QTranslator> m_qt;
    QString m_language = QStringLiteral("zh");
};

} // namespace lumora
