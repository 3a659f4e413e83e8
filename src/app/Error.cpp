#include "app/Error.h"

#include <QCoreApplication>

#include <cerrno>

namespace lumora {

QString plainDiskError(int errnoValue)
{
    switch (errnoValue) {
    case ENOSPC:
    case EDQUOT: return QCoreApplication::translate("lumora::Error", "磁盘空间不足");
    case EFBIG: return QCoreApplication::translate("lumora::Error", "文件超出了系统允许的大小");
    case EROFS: return QCoreApplication::translate("lumora::Error", "磁盘是只读的");
    case EACCES:
    case EPERM: return QCoreApplication::translate("lumora::Error", "没有访问权限");
    case EIO: return QCoreApplication::translate("lumora::Error", "磁盘读写出错");
    default: return {};
    }
}

} // namespace lumora
