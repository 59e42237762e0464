#include "TestFolder.h"

#include <QDir>
#include <QFile>

TestFolder::TestFolder()
{
    Q_ASSERT(m_dir.isValid());
}

QString TestFolder::filePath(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

void TestFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        qFatal("cannot write test file %s", qPrintable(file.fileName()));
    }
}

QByteArray TestFolder::read(const QString &name) const
{
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll();
}

bool TestFolder::exists(const QString &name) const
{
    return QFile::exists(filePath(name));
}
