#include "engine/MainMessages.h"

namespace urok {

static const QString crlf = QStringLiteral("\r\n");

Message mainWindowMessage(quint8 code)
{
    Message m;
    m.caption = lessonCaption();
    switch (code) {
    case 1:
        m.text = QStringLiteral("1") + crlf
                 + QStringLiteral("Липсва съответстващ конфигурационен файл  ") + crlf
                 + QStringLiteral("Моля, копирайте изпълнимия и коректния конфигурационен файл")
                 + crlf + QStringLiteral("в основната директория на урока ");
        m.buttons = Message::Buttons::Ok;
        m.icon = Message::Icon::Critical;
        break;
    case 2:
        m.text = QStringLiteral("Желаете ли изход от урока?");
        m.buttons = Message::Buttons::YesNo;
        m.defaultButton = 1;
        break;
    case 3:
        m.text = QStringLiteral("3") + crlf
                 + QStringLiteral("Използваният конфигурационния файл е некоректен!") + crlf
                 + QStringLiteral("Кодът на несъответствие е: ") + crlf
                 + QStringLiteral("Моля, минете през режим Настройка.");
        m.buttons = Message::Buttons::Ok;
        m.icon = Message::Icon::Critical;
        break;
    default:
        break;
    }
    return m;
}

QString Greska_Otgowor1(Prompter &prompter, quint8 code)
{
    const Message m = mainWindowMessage(code);
    if (m.text.isEmpty())
        return noText();
    return prompter.ask(m) ? yesText() : noText();
}

} // namespace urok
