#pragma once

#include "ReportInput.h"
#include "engine/Cp1251.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace urok::test {

// Writes a file of a class folder the test makes, with the folders above it.
inline void put(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

inline QByteArray get(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An answers file's text as the lesson writes it (before its code page).
inline QString answersText(const QList<setup::Answer> &answers)
{
    QString t = setup::answersHeading() + QStringLiteral("\r\n");
    for (const setup::Answer &a : answers)
        t += QStringLiteral("Задача  %1\r\n%2\r\n").arg(a.task).arg(a.text().replace(u'\n', QStringLiteral("\r\n")));
    return t;
}

} // namespace urok::test
