#include "windows/Tarv_Glos.h"

#include "controls/Controls.h"
#include "controls/ListBox.h"
#include "controls/Twips.h"
#include "engine/LessonContext.h"
#include "engine/LessonState.h"
#include "engine/NumericText.h"
#include "engine/Options.h"


namespace urok {

Tarv_Glos::Tarv_Glos(LessonContext &lesson)
    : lesson_(lesson)
{
    setObjectName(QStringLiteral("Tarv_Glos"));
    setWindowTitle(QStringLiteral("Тип и сложност на задачи"));
    setFont(QFont(QStringLiteral("Times New Roman"), 12));
    const Twips tw = twipsFor(this);
    resize(tw.size(DesignWidth, DesignHeight));

    const Catalogue &content = lesson.state.content();
    Wremena[3] = new ListBox(QString(), this, true);
    nameControl(Wremena[3], QStringLiteral("Wremena(3)"),
                QStringLiteral("Задачите по сложност"),
                QStringLiteral(" Описва във възходящ ред сложността на задачите "));
    Wremena[3]->setGeometry(tw.rect(100, 120, 7260, 915));
    Wremena[3]->setEntries(content.list(Holder::Wremena, 3));

    Wremena[5] = new ListBox(QString(), this, true);
    nameControl(Wremena[5], QStringLiteral("Wremena(5)"),
                QStringLiteral("Задачите по тип на решението"),
                QStringLiteral("  Описва във във взъходящ ред типа решение  на задачите "));
    Wremena[5]->setGeometry(tw.rect(100, 1080, 7260, 915));
    Wremena[5]->setEntries(content.list(Holder::Wremena, 5));

    for (int index : {3, 5})
        describeForKeys(Wremena[index], QStringLiteral("Стрелките минават през задачите, Enter "
                                                       "избира задачата и затваря прозореца."));
    for (int index : {3, 5})
        connect(Wremena[index], &ListBox::Click, this, [this, index] { Wremena_Click(index); });
}

void Tarv_Glos::Form_Load()
{
    // The lesson's options hold for the whole run, also for a chooser that
    // was closed after a pick and is created afresh.
    ItemList &options = lesson_.state.Opcii_L();
    if (!optionOn(options, Option::ChooseByLevel))
        Wremena[3]->setEnabled(false);
    if (!optionOn(options, Option::ChooseByKind))
        Wremena[5]->setEnabled(false);
}

void Tarv_Glos::offer(const QStringList &levels, const QStringList &types)
{
    Wremena[3]->setEntries(levels);
    Wremena[5]->setEntries(types);
    Wremena[3]->setListIndex(-1);
    Wremena[5]->setListIndex(-1);
    show();
    raise();
    activateWindow();
}

void Tarv_Glos::Wremena_Click(int index)
{
    if (index != 3 && index != 5)
        return;
    const QString s = Wremena[index]->selectedText();
    Wremena[index == 3 ? 5 : 3]->setListIndex(-1);
    const int t = leadingInteger(s.right(2)) - 1;
    lesson_.state.List_Ur(1).setItem(2, QString::number(t));
    unload();
    Q_EMIT taskChosen(t);
}

} // namespace urok
