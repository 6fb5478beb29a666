#include "Verdict.h"

#include <QList>

namespace urok::judge {

QString failureName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::NoAnswer: return QStringLiteral("няма отговор");
    case Outcome::CompileError: return QStringLiteral("не се компилира");
    case Outcome::RuntimeError: return QStringLiteral("грешка при изпълнение");
    case Outcome::MemoryLimit: return QStringLiteral("превишена памет");
    case Outcome::TimeLimit: return QStringLiteral("превишено време");
    case Outcome::WrongOutput: return QStringLiteral("грешен изход");
    case Outcome::Partial: return QStringLiteral("част от тестовете");
    case Outcome::Accepted: return QStringLiteral("вярно");
    }
    return {};
}

QString Verdict::text() const
{
    if (outcome == Outcome::Partial)
        return QStringLiteral("%1 от %2 теста").arg(passed).arg(total);
    return failureName(outcome);
}

QByteArray Verdict::serialized() const
{
    // The detail may hold anything the compiler said: it goes last, its
    // line breaks escaped, so the line splits into exactly four fields.
    QByteArray d = detail.toUtf8();
    d.replace('\\', "\\\\").replace('\n', "\\n");
    return QByteArray::number(static_cast<int>(outcome)) + ' ' + QByteArray::number(passed) + ' '
           + QByteArray::number(total) + ' ' + d;
}

bool Verdict::deserialize(const QByteArray &line, Verdict *verdict)
{
    const QList<QByteArray> f = line.split(' ');
    if (f.size() < 4)
        return false;
    bool ok1 = false;
    bool ok2 = false;
    bool ok3 = false;
    const int o = f[0].toInt(&ok1);
    const int passed = f[1].toInt(&ok2);
    const int total = f[2].toInt(&ok3);
    if (!ok1 || !ok2 || !ok3 || o < 0 || o > static_cast<int>(Outcome::Accepted) || passed < 0
        || total < passed)
        return false;
    const QByteArray escaped = line.mid(f[0].size() + f[1].size() + f[2].size() + 3);
    QByteArray d;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] == '\\' && i + 1 < escaped.size()) {
            d += escaped[i + 1] == 'n' ? '\n' : escaped[i + 1];
            ++i;
        } else {
            d += escaped[i];
        }
    }
    verdict->outcome = static_cast<Outcome>(o);
    verdict->passed = passed;
    verdict->total = total;
    verdict->detail = QString::fromUtf8(d);
    return true;
}

} // namespace urok::judge
