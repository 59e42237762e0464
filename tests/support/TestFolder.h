#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A temporary program folder for one test, with helpers to lay files into it.
class TestFolder
{
public:
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const; // empty when missing
    bool exists(const QString &name) const { return QFile::exists(filePath(name)); }

private:
    QTemporaryDir m_dir;
};
