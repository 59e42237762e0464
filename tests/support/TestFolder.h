#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary program folder for one test, with helpers to lay files into it.
class TestFolder
{
public:
    TestFolder();

    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

private:
    QTemporaryDir m_dir;
};
