#include "media/ChineseConvert.h"

#include <mutex>

#include <opencc/opencc.h>

namespace lumora {

namespace {

class Converter {
public:
    explicit Converter(const char *config)
    {
        // The packaged tables live in OpenCC's data folder; a bare name lets
        // OpenCC search its own folders when they are installed elsewhere.
        const std::string full = std::string("/usr/share/opencc/") + config;
        m_handle = opencc_open(full.c_str());
        if (m_handle == reinterpret_cast<opencc_t>(-1))
            m_handle = opencc_open(config);
    }
    ~Converter()
    {
        if (valid())
            opencc_close(m_handle);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_handle != reinterpret_cast<opencc_t>(-1); }

    QString convert(const QString &text)
    {
        if (!valid() || text.isEmpty())
            return text;
        const QByteArray utf8 = text.toUtf8();
        std::lock_guard lock(m_mutex);
        char *out = opencc_convert_utf8(m_handle, utf8.constData(), size_t(utf8.size()));
        if (!out)
            return text;
        QString result = QString::fromUtf8(out);
        opencc_convert_utf8_free(out);
        return result;
    }

private:
    opencc_t m_handle;
    std::mutex m_mutex;
};

} // namespace

QString convertChinese(const QString &text, ChineseForm form)
{
    static Converter toTraditional("s2t.json");
    static Converter toSimplified("t2s.json");
    return form == ChineseForm::Traditional ? toTraditional.convert(text) : toSimplified.convert(text);
}

} // namespace lumora
