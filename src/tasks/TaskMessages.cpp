#include "tasks/TaskMessages.h"

namespace urok {

Message taskWindowMessage(quint8 code)
{
    Message m;
    m.caption = lessonCaption();
    m.buttons = Message::Buttons::YesNo;
    m.defaultButton = 1;
    switch (code) {
    case 2:
        m.text = QStringLiteral("Да премина ли към друга задача?");
        break;
    case 3:
        m.text = QStringLiteral("Задачата е с повишена трудност! \r\nСмятате ли, че ще се справите?");
        break;
    default:
        m.text.clear();
        break;
    }
    return m;
}

QString Greska_Otgowor2(Prompter &prompter, quint8 code)
{
    const Message m = taskWindowMessage(code);
    if (m.text.isEmpty())
        return noText();
    return prompter.ask(m) ? yesText() : noText();
}

} // namespace urok
