#pragma once

#include <QString>

class QWidget;

namespace urok {

// One modal message: what the pupil reads and which buttons answer it.
struct Message
{
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Critical, Warning };

    QString caption;
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 0; // 0 the first button, 1 the second
};

// Every message box of the program goes through a Prompter, so that tests
// can answer the questions with a script instead of a person.
class Prompter
{
public:
    virtual ~Prompter() = default;
    // Shows the message and waits; true when the answer was Yes.
    virtual bool ask(const Message &message) = 0;
};

// The real message boxes, with Bulgarian button texts.
class MessageBoxPrompter : public Prompter
{
public:
    bool ask(const Message &message) override;
};

// The caption of every message box of the lesson.
QString lessonCaption();

// The result texts the message catalogues return.
inline QString yesText() { return QStringLiteral("Yes"); }
inline QString noText() { return QStringLiteral("No"); }

} // namespace urok
