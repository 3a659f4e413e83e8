#include "PackedFile.h"

#include <cerrno>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <zlib.h>

#include <algorithm>

#include "app/Error.h"

namespace lumora {

QByteArray readFileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(
            QCoreApplication::translate("lumora::PackedFile", "无法读取文件 %1：%2").arg(path, f.errorString()));
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Error(
            QCoreApplication::translate("lumora::PackedFile", "无法读取文件 %1：%2").arg(path, f.errorString()));
    return data;
}

void writeFileBytes(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Unbuffered: a failed write is the system's own call, so its errno
    // still says why (a full disk) when it is read.
    QFile f(path);
    const auto why = [&f](int error) {
        const QString plain = plainDiskError(error);
        return plain.isEmpty() ? f.errorString() : plain;
    };
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw Error(QCoreApplication::translate("lumora::PackedFile", "无法写入文件 %1：%2").arg(path, why(errno)));
    errno = 0;
    if (f.write(data) != data.size()) {
        const QString reason = why(errno);
        f.close();
        f.remove();
        throw Error(QCoreApplication::translate("lumora::PackedFile", "无法写入文件 %1：%2").arg(path, reason));
    }
    f.close();
}

namespace packed {

QByteArray removeLayer(const QByteArray &data, const QString &what)
{
    if (data.isEmpty())
        return data;
    if (data.size() < 4)
        throw Error(QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（层头不完整）").arg(what));
    const auto *b = reinterpret_cast<const unsigned char *>(data.constData());
    const qint32 length = qint32(quint32(b[0]) | quint32(b[1]) << 8 | quint32(b[2]) << 16 | quint32(b[3]) << 24);
    if (length < 0 || length > kMaxLayerBytes)
        throw Error(QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（层长度 %2 无效）")
                        .arg(what)
                        .arg(length));

    // Output grows as the stream inflates (a damaged header cannot make us
    // allocate L bytes up front); one byte of room beyond L tells "exactly L"
    // from "more than L".
    const qint64 limit = qint64(length) + 1;
    QByteArray out;
    out.resize(int(std::min<qint64>(limit, std::max<qint64>(qint64(data.size()) * 4, 64 * 1024))));
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw Error(QCoreApplication::translate("lumora::PackedFile", "%1：无法初始化解压").arg(what));
    zs.next_in = const_cast<Bytef *>(b + 4);
    zs.avail_in = uInt(data.size() - 4);
    QString failure;
    while (true) {
        zs.next_out = reinterpret_cast<Bytef *>(out.data()) + zs.total_out;
        zs.avail_out = uInt(out.size() - qint64(zs.total_out));
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc == Z_STREAM_END)
            break;
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            failure = QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（解压失败）").arg(what);
            break;
        }
        if (zs.avail_out == 0) {
            if (qint64(zs.total_out) >= limit) {
                failure
                    = QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（解压长度超过 %2 字节）")
                          .arg(what)
                          .arg(length);
                break;
            }
            out.resize(int(std::min<qint64>(limit, qint64(out.size()) * 2)));
            continue;
        }
        if (zs.avail_in == 0) {
            failure = QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（数据被截断）").arg(what);
            break;
        }
    }
    const qint64 produced = qint64(zs.total_out);
    inflateEnd(&zs);
    if (!failure.isEmpty())
        throw Error(failure);
    if (produced != length)
        throw Error(
            QCoreApplication::translate("lumora::PackedFile", "%1：资源文件已损坏（解压得到 %2 字节，应为 %3 字节）")
                .arg(what)
                .arg(produced)
                .arg(length));
    out.resize(length);
    return out;
}

QByteArray unpackData(QByteArray data, int depth, const QString &what)
{
    for (int pass = 0; pass < depth; ++pass)
        data = removeLayer(data, what);
    return data;
}

QByteArray unpackFile(const QString &path, int depth)
{
    return unpackData(readFileBytes(path), depth, path);
}

void unpackTo(const QString &path, int depth, const QString &target)
{
    writeFileBytes(target, unpackFile(path, depth));
}

QByteArray pack(const QByteArray &content, int depth, int level)
{
    QByteArray data = content;
    for (int pass = 0; pass < depth; ++pass) {
        if (data.isEmpty())
            return data;
        uLongf bound = compressBound(uLong(data.size()));
        QByteArray out(int(bound) + 4, Qt::Uninitialized);
        const qint32 n = qint32(data.size());
        out[0] = char(n & 0xff);
        out[1] = char((n >> 8) & 0xff);
        out[2] = char((n >> 16) & 0xff);
        out[3] = char((n >> 24) & 0xff);
        if (compress2(reinterpret_cast<Bytef *>(out.data() + 4), &bound,
                      reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()), level)
            != Z_OK)
            throw Error(QCoreApplication::translate("lumora::PackedFile", "压缩失败"));
        out.resize(int(bound) + 4);
        data = out;
    }
    return data;
}

void packTo(const QByteArray &content, int depth, const QString &path)
{
    writeFileBytes(path, pack(content, depth));
}

} // namespace packed
} // namespace lumora
