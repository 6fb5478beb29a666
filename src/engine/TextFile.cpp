#include "engine/TextFile.h"

#include "engine/Cp1251.h"
#include "engine/Prompter.h"

#include <QDir>

namespace urok {

namespace {

void tell(Prompter &prompter, Message::Icon icon, const QString &text)
{
    Message m;
    m.caption = lessonCaption();
    m.icon = icon;
    m.buttons = Message::Buttons::Ok;
    m.text = text;
    prompter.ask(m);
}

} // namespace

bool writeLessonText(Prompter &prompter, const LessonFolder &folder, const QString &name,
                     const QString &text)
{
    const QString failure = folder.write(name, toCp1251(text));
    if (!failure.isEmpty()) {
        reportWriteFailure(prompter, folder.filePath(name), failure);
        return false;
    }
    const QStringList lost = charactersNotInCp1251(text);
    if (!lost.isEmpty()) {
        QStringList shown;
        for (const QString &c : lost)
            shown.append(QStringLiteral("%1 (U+%2)")
                             .arg(c)
                             .arg(QString::number(c.toUcs4().value(0), 16).toUpper(), 4, u'0'));
        tell(prompter, Message::Icon::Warning,
             QStringLiteral("Файлът „%1“ е записан, но тези знаци не могат да се запишат в "
                            "кодировка Windows-1251 и във файла са заменени с „?“:\r\n%2")
                 .arg(QDir::toNativeSeparators(folder.filePath(name)), shown.join(u' ')));
    }
    return true;
}

void reportWriteFailure(Prompter &prompter, const QString &path, const QString &reason)
{
    tell(prompter, Message::Icon::Critical,
         QStringLiteral("Файлът „%1“ не беше записан.\r\n%2")
             .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace urok
