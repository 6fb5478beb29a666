#pragma once

#include <QAction>
#include <QList>
#include <QString>
#include <QStringList>

namespace urok::test {

// A menu caption as the pupil reads it: the key marks ("&Изход") dropped,
// a doubled "&&" shown as one "&".
inline QString plainCaption(const QString &text)
{
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain;
}

inline QString plainCaption(const QAction *action)
{
    return plainCaption(action->text());
}

inline QStringList plainCaptions(const QList<QAction *> &actions)
{
    QStringList captions;
    for (const QAction *a : actions)
        captions.append(plainCaption(a));
    return captions;
}

} // namespace urok::test
