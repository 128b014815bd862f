#include "app/AtlasMaking.h"

#include "atlas/AtlasSite.h"
#include "platform/core/Files.h"
#include "platform/qt/Controls.h"

#include <QEventLoop>
#include <QLabel>
#include <QProgressDialog>
#include <QTimer>
#include <QUrl>

#include <atomic>
#include <thread>

namespace penrica {

namespace {

namespace fs = std::filesystem;

constexpr int kPollPeriod = 50;

// Runs the generator in a worker thread while the progress dialog, modal from the start so
// that nothing else in the program can act meanwhile, shows its steps and offers 取消.
SiteResult WriteWithProgress(const fs::path& programFolder, const fs::path& output,
                             QWidget& window) {
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    SiteResult result;
    std::thread worker([&] {
        result = WriteAtlasSite(programFolder, output, [&](std::size_t step, std::size_t all) {
            done = step;
            total = all;
            return !cancel.load();
        });
        finished = true;
    });

    const std::unique_ptr<QProgressDialog> progress = NewProgressDialog(
        QStringLiteral("正在生成学习图谱……"), QStringLiteral("生成学习图谱"), window);
    QProgressDialog& dialog = *progress;
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] { cancel = true; });
    dialog.show();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (total > 0) {
            dialog.setMaximum(static_cast<int>(total));
            dialog.setValue(static_cast<int>(done));
        }
        if (finished) {
            loop.quit();
        }
    });
    poll.start(kPollPeriod);
    loop.exec();
    worker.join();
    return result;
}

} // namespace

fs::path ProposedAtlasFolder(const ProgramFolder& folder) {
    return folder.Root().parent_path() / PathFromUtf8("学习图谱");
}

void MakeStudyAtlas(Services& services, QWidget& window, QLabel& statusLine) {
    const std::optional<std::string> chosen =
        services.prompts.ChooseFolder(PathToUtf8(ProposedAtlasFolder(services.folder)));
    if (!chosen) {
        return;
    }
    const fs::path output = PathFromUtf8(*chosen);
    const SiteResult result = WriteWithProgress(services.folder.Root(), output, window);
    if (result.error == SiteError::Cancelled) {
        statusLine.setText(QString::fromUtf8(kAtlasCancelled));
        return;
    }
    if (result.error != SiteError::None) {
        statusLine.setText(QString::fromStdString(result.message)); // no former run's line stays
        services.prompts.MessageBox(result.message);
        return;
    }
    statusLine.setText(QString::fromStdString(SummaryLine(result, output)));
    const std::string page = PathToUtf8(output / PathFromUtf8(kPageFile));
    const QString address = QUrl::fromLocalFile(QString::fromStdString(page)).toString();
    if (!services.desktop.OpenAddress(address.toStdString())) {
        services.prompts.MessageBox(kNoBrowser + page);
    }
}

} // namespace penrica
