#include "platform/qt/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QSet>

namespace penrica {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("宋体"),
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("WenQuanYi Micro Hei")});
    QFont::insertSubstitutions(QStringLiteral("楷体_GB2312"),
                               {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW"),
                                QStringLiteral("AR PL UMing CN")});
    QFont::insertSubstitutions(QStringLiteral("黑体"), {QStringLiteral("WenQuanYi Micro Hei"),
                                                        QStringLiteral("WenQuanYi Zen Hei")});
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
