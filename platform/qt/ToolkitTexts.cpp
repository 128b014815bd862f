#include "platform/qt/ToolkitTexts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace penrica {

namespace {

const QLocale kChinese(QLocale::Chinese, QLocale::SimplifiedChineseScript, QLocale::China);

struct OwnText {
    const char* context;
    const char* source;
    const char* chinese;
};

// Texts that qtbase_zh_CN leaves in English.
constexpr OwnText kOwnTexts[] = {
    {"QAbstractFileIconProvider", "Drive", "驱动器"},
    {"QAbstractFileIconProvider", "File Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Folder", "文件夹"},
    {"QAbstractFileIconProvider", "Shortcut", "快捷方式"},
    {"QAbstractFileIconProvider", "Alias", "替身"},
    {"QAbstractFileIconProvider", "Unknown", "未知"},
    {"QAbstractFileIconProvider", "File", "文件"},
};

class OwnTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        for (const OwnText& text : kOwnTexts) {
            if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0) {
                return QString::fromUtf8(text.chinese);
            }
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

class ChineseFileColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files) {
            return QIdentityProxyModel::data(index, role);
        }
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case 1: // size; folders show none
            return files->isDir(source) ? QString()
                                        : kChinese.formattedDataSize(files->size(source));
        case 3: // date modified
            return kChinese.toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return QIdentityProxyModel::data(index, role);
        }
    }
};

} // namespace

ChineseToolkitTexts::ChineseToolkitTexts()
    : qt_(std::make_unique<QTranslator>()), own_(std::make_unique<OwnTranslator>()),
      previousLocale_(std::make_unique<QLocale>()) {
    // The Windows program carries the file built in; elsewhere it is the toolkit's own.
    qtLoaded_ = qt_->load(QStringLiteral("qtbase_zh_CN"), QStringLiteral(":/translations")) ||
                qt_->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qtLoaded_) {
        QCoreApplication::installTranslator(qt_.get());
    }
    QCoreApplication::installTranslator(own_.get());
    // File type names come from the MIME database in the default locale's language.
    QLocale::setDefault(kChinese);
}

ChineseToolkitTexts::~ChineseToolkitTexts() {
    QLocale::setDefault(*previousLocale_);
    QCoreApplication::removeTranslator(own_.get());
    QCoreApplication::removeTranslator(qt_.get());
}

void ShowFileColumnsInChinese(QFileDialog& dialog) {
    dialog.setProxyModel(new ChineseFileColumns(&dialog));
}

} // namespace penrica
