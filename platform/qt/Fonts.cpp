#include "platform/qt/Fonts.h"

#include <QFont>
#include <QFontDatabase>

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

std::vector<std::string> InstalledFontNames() {
    std::vector<std::string> names;
    for (const QString& family : QFontDatabase::families()) {
        names.push_back(family.toStdString());
    }
    return names;
}

} // namespace penrica
