#include "SysInfo.h"

#include <array>
#include <pwd.h>
#include <unistd.h>

namespace {

int queryCount = 0;

QString queryLoginName()
{
    ++queryCount;
    const passwd *entry = getpwuid(geteuid());
    return entry != nullptr ? QString::fromLocal8Bit(entry->pw_name) : QString();
}

QString queryMachineName()
{
    ++queryCount;
    std::array<char, 256> buffer{};
    if (gethostname(buffer.data(), buffer.size() - 1) != 0) {
        return {};
    }
    return QString::fromLocal8Bit(buffer.data());
}

} // namespace

QString GetLoginName()
{
    static const QString name = queryLoginName();
    return name;
}

QString GetMachineName()
{
    static const QString name = queryMachineName();
    return name;
}

int SysInfoQueryCount()
{
    return queryCount;
}
