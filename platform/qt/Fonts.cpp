#include "platform/qt/Fonts.h"

#include "platform/core/FaceSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSet>

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

namespace {

// Qt names a family that two foundries install as "C059 [urw]" and "C059 [UKWN]"; no other
// machine knows those names.
QString PlainFamily(const QString& family) {
    const qsizetype bracket = family.lastIndexOf(QStringLiteral(" ["));
    return bracket > 0 && family.endsWith(u']') ? family.left(bracket) : family;
}

// A name such as "Monospace" that the system resolves to another family.
bool IsAlias(const QString& family) {
    return PlainFamily(QFontInfo(QFont(family)).family()) != family;
}

} // namespace

std::vector<std::string> InstalledFontNames() {
    std::vector<std::string> names;
    QSet<QString> seen;
    for (const QString& family : QFontDatabase::families()) {
        const QString plain = PlainFamily(family);
        if (seen.contains(plain)) {
            continue;
        }
        seen.insert(plain);
        if (!IsAlias(plain)) {
            names.push_back(plain.toStdString());
        }
    }
    return names;
}

} // namespace penrica
