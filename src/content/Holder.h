#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace urok {

// The holders of the lesson's content. Each is an array addressed by element
// number, like `Podtochki(3)` or `Wremena(4)`; a holder keeps a list of text
// items, one text, or one picture.
enum class Holder {
    // main window
    List_Ur,
    Text_U,
    Opcii_L,
    // text holder window
    Plan_Tarv,
    Podtochki,
    Dopyln_M,
    Reklama_Par,
    // picture window
    Grafika_G,
    Grafika_W,
    Spi_GR,
    // task chooser window
    Wremena,
    glos_All,
    Glos,
    // Focus window
    Uslowie_L,
    Redowe_L,
    // tasks window
    List_Un,
};

enum class HolderKind { List, Text, Picture };

QString holderName(Holder holder);
std::optional<Holder> holderByName(QStringView name);
HolderKind holderKind(Holder holder);

// "Wremena(4)", or just the name for a holder that has a single element.
QString holderAddress(Holder holder, int element);

} // namespace urok
