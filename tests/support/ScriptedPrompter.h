#pragma once

#include "engine/Prompter.h"

#include <QList>

namespace urok::test {

// Answers the program's questions from a script and remembers every
// message it was shown. A box with only OK takes no answer from the script;
// with no answer left in the script a question is answered No.
class ScriptedPrompter : public Prompter
{
public:
    bool ask(const Message &message) override
    {
        shown.append(message);
        if (message.buttons == Message::Buttons::Ok)
            return false;
        return answers.isEmpty() ? false : answers.takeFirst();
    }

    void answer(bool yes) { answers.append(yes); }
    QStringList texts() const
    {
        QStringList t;
        for (const Message &m : shown)
            t.append(m.text);
        return t;
    }

    QList<bool> answers;
    QList<Message> shown;
};

} // namespace urok::test
