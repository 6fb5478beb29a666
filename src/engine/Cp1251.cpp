#include "engine/Cp1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace urok {

static const char *const codec = "windows-1251";

QByteArray toCp1251(const QString &text, bool *lossless)
{
    QStringEncoder encoder(codec, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    bool clean = !encoder.hasError();
    if (!clean) {
        // Encode character by character, so that only the characters the
        // code page lacks are replaced.
        bytes.clear();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            QStringEncoder one(codec, QStringConverter::Flag::Stateless);
            const QByteArray b = one.encode(QStringView(text).mid(i, len));
            bytes += one.hasError() ? QByteArray("?") : b;
            i += len - 1;
        }
    }
    if (lossless)
        *lossless = clean;
    return bytes;
}

QString fromCp1251(const QByteArray &bytes)
{
    QStringDecoder decoder(codec, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QStringList charactersNotInCp1251(const QString &text)
{
    QStringList lost;
    if (fitsCp1251(text))
        return lost;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QString c = text.mid(i, len);
        if (!lost.contains(c) && !fitsCp1251(c))
            lost.append(c);
        i += len - 1;
    }
    return lost;
}

bool fitsCp1251(const QString &text)
{
    bool lossless = false;
    toCp1251(text, &lossless);
    return lossless;
}

} // namespace urok
