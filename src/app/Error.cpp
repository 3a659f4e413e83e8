#include "app/Error.h"

#include <cerrno>

namespace lumora {

QString plainDiskError(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC:
    case EDQUOT: return QStringLiteral("磁盘空间不足");
    case EFBIG: return QStringLiteral("文件超出了系统允许的大小");
    case EROFS: return QStringLiteral("磁盘是只读的");
    case EACCES:
    case EPERM: return QStringLiteral("没有访问权限");
    case EIO: return QStringLiteral("磁盘读写出错");
    default: return {};
    }
}

} // namespace lumora
