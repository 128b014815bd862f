#include "platform/qt/Fonts.h"

#include "platform/core/FaceSubstitutes.h"

#include <QFont>
#include <QFontDatabase>

namespace penrica {

void InstallFontSubstitutions() {
    auto text = [](std::string_view utf8) {
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    };
    for (const FaceSubstitution& substitution : kFaceSubstitutions) {
        QStringList substitutes;
        for (std::string_view face : substitution.substitutes) {
            substitutes << text(face);
        }
        QFont::insertSubstitutions(text(substitution.face), substitutes);
    }
}

std::vector<std::string> InstalledFontNames() {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families()) {
        names.push_back(family.toStdString());
    }
    return names;
}

} // namespace penrica
