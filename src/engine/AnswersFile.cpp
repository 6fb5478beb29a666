#include "engine/AnswersFile.h"

#include "engine/Cp1251.h"
#include "engine/FilesDisk.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"
#include "engine/Platform.h"
#include "engine/PupilRecord.h"
#include "engine/TextFile.h"

namespace urok {

QString answersFileText(LessonState &state)
{
    const QString crlf = QStringLiteral("\r\n");
    QString text = QStringLiteral("Има въведен текст по следните задачи:") + crlf;
    ItemList &answers = state.List_Un(3);
    const int n = state.Uslowie_L(0).count();
    for (int i = 1; i <= n; ++i) {
        const QString answer = answers.item(i);
        if (answer.size() > 5)
            text += QStringLiteral("Задача ") + signedNumberText(i) + crlf + answer + crlf;
    }
    return text;
}

bool answersFileWanted(LessonState &state, const Platform &platform)
{
    if (!optionOn(state.Opcii_L(), Option::AnswersFile))
        return false;
    const int first = platform.folderDriveType();
    const int second = platform.folderDriveType();
    return keepsAnswers(first, second, state.Opcii_L());
}

AnswersImage answersFileImage(LessonState &state)
{
    AnswersImage image;
    image.name = answersFileName(optionValue(state.Opcii_L(), Option::ScrambledContent));
    image.text = answersFileText(state);
    image.bytes = toCp1251(image.text);
    return image;
}

bool Zapis_otgowori(LessonState &state, Prompter &prompter, const Platform &platform,
                    QString *written)
{
    if (!answersFileWanted(state, platform))
        return true;
    const AnswersImage image = answersFileImage(state);
    if (platform.folder.claimAnswers() == LessonFolder::Claim::HeldElsewhere) {
        reportWriteFailure(prompter, platform.folder.filePath(image.name), answersHeldElsewhere());
        return false;
    }
    if (!writeLessonText(prompter, platform.folder, image.name, image.text))
        return false;
    // Whose the answers are; the answers themselves are safe without it.
    writePupilRecord(platform.folder);
    if (written)
        *written = image.name;
    return true;
}

} // namespace urok
